// Screen tips, their repository, the three hint layouts and the shared hint window.
#include <memory>
#include <string>

#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "platform/classes/Filer.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/Streams.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "ui/bars/BarHintWindow.h"

namespace barpaintertest {
namespace {

// Stands in for the skin painter: tips and tip-styled hints, with a background and separator
// that can be found by colour, and the separator rectangles it was given.
class TTipPainter : public TdxBarPainter {
  VW_CLASS(TTipPainter, TdxBarPainter)
 public:
  TColor Background = static_cast<TColor>(0xF8F0E8);
  TColor Separator = clRed;
  TColor Title = static_cast<TColor>(0x20000000);
  std::vector<TRect> Separators;

  TdxBarCustomHintViewInfo* CreateHintViewInfo(TdxBarManager* M, const String& Hint, const String& ShortCut,
                                               TdxBarScreenTip* Tip) override {
    return CreateScreenTipStyleHintViewInfo(this, M, Hint, ShortCut, Tip);
  }
  TColor ScreenTipTitleColor() override { return Title; }
  void DrawScreenTipBackground(HDC DC, const TRect& R) override { Fill(DC, R, Background); }
  void DrawScreenTipSeparator(HDC DC, const TRect& R) override {
    Separators.push_back(R);
    Fill(DC, R, Separator);
  }
  static void Fill(HDC DC, const TRect& R, TColor C) {
    HBRUSH b = CreateSolidBrush(ColorToRGB(C));
    RECT r = R;
    FillRect(DC, &r, b);
    DeleteObject(b);
  }
};

class TTestHintSource : public TObject, public IdxBarHintSource {
  VW_CLASS(TTestHintSource, TObject)
 public:
  std::function<TdxBarCustomHintViewInfo*(const String&, const String&)> Make;
  TPoint At{300, 200};
  bool QueryHint(bool& AHandled, String& AHint, String& AShortCut) override {
    AHandled = false;
    AHint.clear();
    AShortCut.clear();
    return false;
  }
  bool IsEnabled() const override { return true; }
  TdxBarCustomHintViewInfo* MakeHintViewInfo(const String& Hint, const String& ShortCut) override {
    return Make(Hint, ShortCut);
  }
  void ShowHintAt(const TPoint&, int, TPoint& Position) override { Position = At; }
};

class BarScreenTipsTest : public BarPainterFixture {
 protected:
  void SetUp() override {
    BarPainterFixture::SetUp();
    Repository = new TdxBarScreenTipRepository(Form);
    Repository->SetName("dxBarScreenTipRepository1");
    Tip = Repository->Items()->Add();
  }
  void TearDown() override {
    platform::SetScreenPixelsPerInch(96);
    BarPainterFixture::TearDown();
  }
  static void Pump() {
    for (int i = 0; i < 50; ++i) Application->ProcessMessages();
  }
  // A picture of one colour with a dark frame.
  TBitmap* Picture(int W, int H, TColor C = clTeal) {
    auto* b = new TBitmap;
    b->SetPixelFormat(pf24bit);
    b->SetSize(W, H);
    b->Canvas()->Brush()->SetColor(C);
    b->Canvas()->FillRect(TRect(0, 0, W, H));
    b->Canvas()->Brush()->SetColor(clNavy);
    b->Canvas()->FrameRect(TRect(0, 0, W, H));
    Glyphs.push_back(b);
    return b;
  }
  // Single-line width of Text in the repository's font for the band.
  int TextWidth(const String& Text, TdxBarScreenTipBandType Band) {
    Surface s(4, 4);
    s.Canvas()->Font()->Assign(Repository->BandFont(Band));
    return s.Canvas()->TextWidth(Text);
  }
  std::unique_ptr<TdxBarScreenTipViewInfo> Calculated(TdxBarPainter* P, const String& Hint = String(),
                                                      const String& ShortCut = String()) {
    auto info = std::make_unique<TdxBarScreenTipViewInfo>(Tip, ShortCut, Hint, P, Manager);
    Surface s(4, 4);
    info->Calculate(s.Canvas());
    return info;
  }
  TdxBarScreenTipRepository* Repository = nullptr;
  TdxBarScreenTip* Tip = nullptr;
  TTipPainter Painter;
};

TEST_F(BarScreenTipsTest, WidthsAndMetricsFollowThePixelsPerInch) {
  struct Case {
    int ppi;
    int plain, withPicture, descMargin, margin, descArea, area, footerInset;
  } cases[] = {{96, 210, 318, 14, 6, 94, 16, 9}, {120, 262, 398, 18, 8, 117, 20, 11}, {144, 315, 477, 21, 9, 141, 24, 14}};
  for (const Case& c : cases) {
    ASSERT_TRUE(platform::SetScreenPixelsPerInch(c.ppi));
    TdxBarScreenTip tip(nullptr);
    EXPECT_EQ(tip.EffectiveWidth(), c.plain) << c.ppi;
    tip.Description()->SetGlyph(Picture(8, 8));
    EXPECT_EQ(tip.EffectiveWidth(), c.withPicture) << c.ppi;
    tip.SetWidth(150);
    EXPECT_EQ(tip.EffectiveWidth(), 150);
    TdxBarScreenTipBandViewInfo description(tip.Description(), "", ""), header(tip.Header(), "", ""),
        footer(tip.Footer(), "", "");
    EXPECT_EQ(description.Margin(), c.descMargin) << c.ppi;
    EXPECT_EQ(header.Margin(), c.margin) << c.ppi;
    EXPECT_EQ(description.GlyphAreaWidth(), c.descArea) << c.ppi;
    EXPECT_EQ(header.GlyphAreaWidth(), c.area) << c.ppi;
    EXPECT_EQ(footer.VerticalInset(&Painter), c.footerInset) << c.ppi;
  }
}

TEST_F(BarScreenTipsTest, TheHeaderWidensTheTipToStayOnOneLine) {
  const String text = "Open the scene of the whole wall with every window it keeps";
  const int t = TextWidth(text, stbHeader);
  ASSERT_GT(t, 198);
  Tip->Header()->SetText(text);
  auto info = Calculated(&Painter);
  EXPECT_EQ(info->Bounds().Right, t + 12);

  Tip->Header()->SetGlyph(Picture(16, 16));
  info = Calculated(&Painter);
  EXPECT_EQ(info->Bounds().Right, t + 34);
  TdxBarScreenTipBandViewInfo* header = info->Bands(0);
  EXPECT_EQ(header->TextBounds().Right - header->TextBounds().Left, t);
  // Painted, the header still takes one line: nothing of it reaches below the first.
  Surface s(info->Bounds().Right, info->Bounds().Bottom, clWhite);
  info->PaintHint(s.Canvas());
  const int lineBottom = header->TextBounds().Bottom;
  for (int y = lineBottom; y < s.Height; ++y)
    for (int x = header->TextBounds().Left; x < s.Width; ++x)
      ASSERT_NE(s.At(x, y), ColorToRGB(Repository->HeaderFont()->Color())) << x << "," << y;
}

TEST_F(BarScreenTipsTest, PicturesAreScaledToTheirAreaAndEmptyBandsTakeNoSpace) {
  struct Case {
    int w, h, drawnW, drawnH;
  } cases[] = {{200, 100, 94, 47}, {60, 40, 60, 40}, {94, 10, 94, 10}, {1000, 1, 94, 0}};
  Tip->Header()->SetText("");
  for (const Case& c : cases) {
    Tip->Description()->SetGlyph(Picture(c.w, c.h));
    auto info = Calculated(&Painter);
    ASSERT_EQ(info->BandCount(), 1);
    EXPECT_EQ(info->Bands(0)->GlyphSize(), TSize(c.drawnW, c.drawnH)) << c.w << "x" << c.h;
    // The description's picture sits at the top, centred in its area.
    EXPECT_EQ(info->Bands(0)->GlyphBounds().Top, 6);
    EXPECT_EQ(info->Bands(0)->GlyphBounds().Left, 14 + (94 - c.drawnW) / 2);
  }
  TdxBarScreenTipBandViewInfo empty(Tip->Footer(), "", "");
  Surface s(4, 4);
  EXPECT_EQ(empty.CalcHeight(s.Canvas(), 210, &Painter), 0);
}

TEST_F(BarScreenTipsTest, LayoutOfBothAlignments) {
  Tip->Header()->SetText("Save");
  Tip->Header()->SetGlyph(Picture(10, 10));
  Tip->Description()->SetText("Writes the scene");
  Tip->Description()->SetGlyph(Picture(40, 30));
  for (TdxBarScreenTipBandTextAlign align : {stbtaRight, stbtaLeft}) {
    Tip->Header()->SetTextAlign(align);
    Tip->Description()->SetTextAlign(align);
    auto info = Calculated(&Painter);
    const int w = info->Bounds().Right;
    ASSERT_EQ(w, 318);
    TdxBarScreenTipBandViewInfo* header = info->Bands(0);
    TdxBarScreenTipBandViewInfo* description = info->Bands(1);
    const int headerH = description->Top();
    if (align == stbtaRight) {
      EXPECT_EQ(header->GlyphBounds().Left, 6 + 3);
      EXPECT_EQ(header->TextBounds().Left, 6 + 16 + 6);
      EXPECT_EQ(header->TextBounds().Right, w - 6);
      EXPECT_EQ(description->GlyphBounds().Left, 14 + 27);
      EXPECT_EQ(description->TextBounds().Left, 14 + 94 + 14);
    } else {
      EXPECT_EQ(header->GlyphBounds().Left, w - 6 - 16 + 3);
      EXPECT_EQ(header->TextBounds().Left, 6);
      EXPECT_EQ(header->TextBounds().Right, 6 + header->TextSize().cx);
      EXPECT_EQ(description->GlyphBounds().Left, w - 14 - 94 + 27);
      EXPECT_EQ(description->TextBounds().Left, 14);
    }
    // Header pictures are centred in the band's height, the description's sits at its top.
    EXPECT_EQ(header->GlyphBounds().Top, (headerH - 10) / 2);
    EXPECT_EQ(description->GlyphBounds().Top, headerH + 6);
    EXPECT_EQ(info->Bounds().Bottom, headerH + std::max(30, description->TextSize().cy) + 12);
  }
}

TEST_F(BarScreenTipsTest, HintAsHeaderAndTheStandardFooterUnderItsSeparator) {
  struct Case {
    bool useHint;
    const char* band;
    const char* header;  // nullptr: no header band
  } cases[] = {{true, "", "Open (Ctrl+O)"}, {true, "Band", "Open (Ctrl+O)"}, {false, "Band", "Band (Ctrl+O)"},
               {false, "", nullptr}};
  Tip->Description()->SetText("Opens a scene");
  for (const Case& c : cases) {
    Tip->SetUseHintAsHeader(c.useHint);
    Tip->Header()->SetText(c.band);
    auto info = Calculated(&Painter, "Open", " (Ctrl+O)");
    if (c.header) {
      ASSERT_EQ(info->Bands(0)->Band()->BandType(), stbHeader);
      EXPECT_EQ(info->Bands(0)->DisplayText(), c.header);
    } else {
      EXPECT_EQ(info->Bands(0)->Band()->BandType(), stbDescription);
    }
  }

  Repository->StandardFooter()->SetText("Press F1 for help");
  Tip->Footer()->SetText("own footer");
  Tip->SetUseStandardFooter(true);
  auto info = Calculated(&Painter);
  TdxBarScreenTipBandViewInfo* footer = info->Bands(info->BandCount() - 1);
  EXPECT_EQ(footer->Band(), Repository->StandardFooter());
  Surface s(info->Bounds().Right, info->Bounds().Bottom, clWhite);
  Painter.Separators.clear();
  info->PaintHint(s.Canvas());
  const TRect expected(5, footer->Top(), s.Width - 5, footer->Top() + 3);
  ASSERT_EQ(Painter.Separators.size(), 1u);
  EXPECT_EQ(Painter.Separators[0], expected);
  // The separator's pixels lie in its rectangle and fill it.
  int inside = 0;
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < s.Width; ++x)
      if (s.At(x, y) == ColorToRGB(clRed)) {
        ++inside;
        EXPECT_TRUE(x >= expected.Left && x < expected.Right && y >= expected.Top && y < expected.Bottom) << x << "," << y;
      }
  EXPECT_EQ(inside, (s.Width - 10) * 3);
}

TEST_F(BarScreenTipsTest, TipsAreNamedAndTheirHeaderFollowsARename) {
  EXPECT_EQ(Tip->Name(), "dxBarScreenTipRepository1ScreenTip1");
  EXPECT_EQ(Repository->Items()->Add()->Name(), "dxBarScreenTipRepository1ScreenTip2");
  EXPECT_EQ(Tip->Header()->Text(), Tip->Name());
  Tip->SetName("OpenTip");
  EXPECT_EQ(Tip->Header()->Text(), "OpenTip");
  EXPECT_EQ(Tip->GetDisplayName(), "OpenTip - 'OpenTip'");
  Tip->Header()->SetText("Open");
  Tip->SetName("OpenTip2");
  EXPECT_EQ(Tip->Header()->Text(), "Open");
  EXPECT_EQ(Tip->GetDisplayName(), "OpenTip2 - 'Open'");
}

TEST_F(BarScreenTipsTest, BandsReportChangesOnlyWhenTheyChange) {
  int changes = 0;
  Tip->Header()->OnChange = [&](TObject*) { ++changes; };
  Tip->Header()->SetText(Tip->Header()->Text());
  Tip->Header()->SetTextAlign(stbtaRight);
  EXPECT_EQ(changes, 0);
  Tip->Header()->SetText("x");
  Tip->Header()->SetTextAlign(stbtaLeft);
  Tip->Header()->SetGlyph(nullptr);
  EXPECT_EQ(changes, 3);
}

TEST_F(BarScreenTipsTest, FontsAreAssignedByChangesOutsideLoading) {
  EXPECT_TRUE(Repository->AssignedFonts().Empty());
  EXPECT_TRUE(Repository->HeaderFont()->Style().Contains(fsBold));
  EXPECT_FALSE(Repository->DescriptionFont()->Style().Contains(fsBold));
  EXPECT_EQ(Repository->FooterFont()->Color(), dxScreenTipFontDefaultColor);
  EXPECT_TRUE(Repository->UsesDefaultColor(stbHeader));

  Repository->HeaderFont()->SetSize(14);
  EXPECT_EQ(Repository->AssignedFonts(), TdxScreenTipRepositoryFonts{stbHeader});
  EXPECT_EQ(Repository->BandFont(stbHeader), Repository->HeaderFont());
  // An unassigned band gets the default afresh, whatever was done to the font handed out before.
  TFont* scratch = Repository->BandFont(stbFooter);
  scratch->SetColor(clRed);
  EXPECT_EQ(Repository->BandFont(stbFooter)->Color(), dxScreenTipFontDefaultColor);
  Repository->FooterFont()->SetColor(clRed);
  EXPECT_FALSE(Repository->UsesDefaultColor(stbFooter));

  struct TLoadingRepository : TdxBarScreenTipRepository {
    TLoadingRepository() : TdxBarScreenTipRepository(nullptr) { IncludeState(csLoading); }
  } loading;
  loading.HeaderFont()->SetSize(14);
  EXPECT_TRUE(loading.AssignedFonts().Empty());
}

TEST_F(BarScreenTipsTest, AssigningRepositoriesAndFooters) {
  Repository->StandardFooter()->SetText("More help");
  Repository->StandardFooter()->SetTextAlign(stbtaLeft);
  Repository->StandardFooter()->SetGlyph(Picture(12, 12));
  Repository->HeaderFont()->SetSize(15);
  Repository->SetShowDescription(false);
  Tip->Description()->SetText("Text");
  Tip->SetWidth(250);

  auto* other = new TdxBarScreenTipRepository(Form);
  other->SetName("Other");
  other->SetStandardFooter(Repository->StandardFooter());
  EXPECT_EQ(other->StandardFooter()->Text(), "More help");
  EXPECT_EQ(other->StandardFooter()->TextAlign(), stbtaLeft);
  EXPECT_EQ(other->StandardFooter()->Glyph()->Width(), 12);

  auto* copy = new TdxBarScreenTipRepository(Form);
  copy->SetName("Copy");
  copy->Assign(Repository);
  ASSERT_EQ(copy->Items()->ItemCount(), 1);
  EXPECT_EQ(copy->Items()->Items(0)->Description()->Text(), "Text");
  EXPECT_EQ(copy->Items()->Items(0)->Width(), 250);
  EXPECT_EQ(copy->HeaderFont()->Size(), 15);
  EXPECT_EQ(copy->AssignedFonts(), TdxScreenTipRepositoryFonts{stbHeader});
  EXPECT_FALSE(copy->ShowDescription());
}

TEST_F(BarScreenTipsTest, TheRepositoryStreamsItsTipsAndOnlyAssignedFonts) {
  Repository->HeaderFont()->SetSize(13);
  Tip->Description()->SetText("Opens a scene");
  Tip->SetUseStandardFooter(true);
  TMemoryStream stream;
  stream.WriteComponent(Form);
  stream.SetPosition(0);
  String text;
  {
    TMemoryStream out;
    ObjectBinaryToText(&stream, &out);
    text.assign(static_cast<const char*>(out.Memory()), static_cast<std::size_t>(out.Size()));
  }
  EXPECT_NE(text.find("HeaderFont"), String::npos) << text;
  EXPECT_EQ(text.find("FooterFont"), String::npos) << text;
  EXPECT_NE(text.find("dxBarScreenTipRepository1ScreenTip1"), String::npos) << text;
  EXPECT_NE(text.find("Opens a scene"), String::npos) << text;

  // Read back into an empty form: the tip joins the repository again, its header kept as stored.
  Tip->Header()->SetText("Open");
  delete Repository;
  TObject::Free(Manager);
  Manager = nullptr;
  ASSERT_EQ(Form->FindComponent("dxBarScreenTipRepository1ScreenTip1"), nullptr);
  RegisterClassesOf<TdxBarScreenTipRepository, TdxBarManager>();
  stream.SetPosition(0);
  stream.ReadComponent(Form);
  auto* repository = dynamic_cast<TdxBarScreenTipRepository*>(Form->FindComponent("dxBarScreenTipRepository1"));
  ASSERT_NE(repository, nullptr);
  ASSERT_EQ(repository->Items()->ItemCount(), 1);
  TdxBarScreenTip* tip = repository->Items()->Items(0);
  EXPECT_EQ(tip->Name(), "dxBarScreenTipRepository1ScreenTip1");
  EXPECT_EQ(tip->Header()->Text(), "dxBarScreenTipRepository1ScreenTip1");
  EXPECT_EQ(tip->Description()->Text(), "Opens a scene");
  EXPECT_TRUE(tip->UseStandardFooter());
  EXPECT_EQ(repository->AssignedFonts(), TdxScreenTipRepositoryFonts{stbHeader});
  EXPECT_EQ(repository->HeaderFont()->Size(), 13);
  UnRegisterClass(TdxBarScreenTipRepository::StaticClass());
}

// ---- hint layouts and the hint window -------------------------------------------------------------

class BarHintWindowTest : public BarScreenTipsTest {
 protected:
  void SetUp() override {
    BarScreenTipsTest::SetUp();
    Window = new TdxBarHintWindow(nullptr);
    Source.At = TPoint(200, 150);
    SetCursorPos(100, 100);
  }
  void TearDown() override {
    Manager->SetHintObject(nullptr);
    delete Window;
    BarScreenTipsTest::TearDown();
  }
  TdxBarHintWindow* Window = nullptr;
  TTestHintSource Source;
};

TEST_F(BarHintWindowTest, PlainHintTextBoundsAndEmptyHints) {
  TdxBarHintViewInfo info(Manager, "Open", " (Ctrl+O)", TPoint(100, 100));
  EXPECT_EQ(info.Text(), "Open (Ctrl+O)");
  Surface s(4, 4);
  s.Canvas()->Font()->Assign(Manager->Font());
  info.Calculate(s.Canvas());
  EXPECT_EQ(info.Bounds().Right, s.Canvas()->TextWidth("Open (Ctrl+O)") + 6);
  EXPECT_EQ(info.Bounds().Bottom, s.Canvas()->TextHeight("Open (Ctrl+O)") + 6);
  TRect text;
  info.TextRect(text);
  EXPECT_EQ(text, TRect(3, 3, info.Bounds().Right - 1, info.Bounds().Bottom - 1));

  TdxBarLikeHintScreenTipViewInfo styled(Manager, "Open", " (Ctrl+O)", TPoint(100, 100), &Painter);
  styled.Calculate(s.Canvas());
  EXPECT_EQ(styled.Bounds().Right, info.Bounds().Right + 5);
  styled.TextRect(text);
  EXPECT_EQ(text, TRect(5, 6, styled.Bounds().Right - 6, styled.Bounds().Bottom - 5));

  EXPECT_EQ(TdxBarHintViewInfo(Manager, "", " (Ctrl+O)", TPoint()).Text(), "");
  EXPECT_FALSE(Window->ActivateBarHint(Manager, "", " (Ctrl+O)"));
  EXPECT_FALSE(Window->HandleAllocated() && IsWindowVisible(Window->Handle()));
}

TEST_F(BarHintWindowTest, APlainHintPreparesTheWindowsCaptionFontAndColour) {
  Application->SetHintColor(clYellow);
  Manager->Font()->SetName("DejaVu Serif");
  TdxBarHintViewInfo info(Manager, "Open", " (Ctrl+O)", TPoint(100, 100));
  info.PrepareWindow(Window);
  EXPECT_EQ(Window->Caption(), "Open (Ctrl+O)");
  EXPECT_EQ(Window->Color(), clYellow);
  EXPECT_EQ(Window->Canvas()->Font()->Name(), "DejaVu Serif");
  EXPECT_EQ(Window->Canvas()->Font()->Height(), Manager->Font()->Height());
  EXPECT_EQ(Window->Canvas()->Font()->Color(), Screen->HintFont()->Color());

  Manager->SetUseSystemFont(true);
  info.PrepareWindow(Window);
  NONCLIENTMETRICS metrics{};
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(Window->Canvas()->Font()->Name(), String(metrics.lfStatusFont.lfFaceName));
  EXPECT_EQ(Window->Canvas()->Font()->Height(), metrics.lfStatusFont.lfHeight);
  EXPECT_EQ(Window->Canvas()->Font()->Color(), Screen->HintFont()->Color());
}

TEST_F(BarHintWindowTest, ModesPausesAndTheRoundedRegion) {
  EXPECT_EQ(Window->AnimationKind, 9);
  EXPECT_EQ(Window->Color(), clInfoBk);
  EXPECT_EQ(Window->ShowPause(), 1000);
  EXPECT_EQ(Window->HidePause(), 10000);
  ASSERT_TRUE(Window->ActivateBarHint(Manager, "Open", " (Ctrl+O)"));
  Pump();
  EXPECT_FALSE(Window->ScreenTipMode());
  EXPECT_TRUE(IsWindowVisible(Window->Handle()));
  RECT r;
  GetWindowRect(Window->Handle(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.right - r.left, Window->ViewInfo()->Bounds().Right);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Window->Handle(), rgn), ERROR);

  Tip->Description()->SetText("Opens a scene of the wall");
  Source.Make = [&](const String& H, const String& S) { return Painter.CreateHintViewInfo(Manager, H, S, Tip); };
  Manager->SetHintObject(&Source);
  ASSERT_TRUE(Window->ActivateBarHint(Manager, "Open", " (Ctrl+O)"));
  Pump();
  EXPECT_TRUE(Window->ScreenTipMode());
  EXPECT_TRUE(Window->DoubleBuffered());
  EXPECT_EQ(Window->ShowPause(), 900);
  EXPECT_EQ(Window->HidePause(), 200000);
  GetWindowRect(Window->Handle(), &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 150);
  ASSERT_NE(GetWindowRgn(Window->Handle(), rgn), ERROR);
  HRGN expected = CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, 2, 2);
  EXPECT_TRUE(EqualRgn(rgn, expected));
  DeleteObject(expected);
  DeleteObject(rgn);

  // Hiding frees the view info.
  Window->ReleaseHandle();
  EXPECT_EQ(Window->ViewInfo(), nullptr);
}

TEST_F(BarHintWindowTest, SwitchingFromAPlainHintToATipKeepsTheNewViewInfo) {
  ASSERT_TRUE(Window->ActivateBarHint(Manager, "Open", ""));
  Pump();
  ASSERT_TRUE(IsWindowVisible(Window->Handle()));
  Tip->Description()->SetText("Opens a scene");
  Source.Make = [&](const String& H, const String& S) { return Painter.CreateHintViewInfo(Manager, H, S, Tip); };
  Manager->SetHintObject(&Source);
  ASSERT_TRUE(Window->ActivateBarHint(Manager, "Open", ""));
  Pump();
  ASSERT_NE(Window->ViewInfo(), nullptr);
  EXPECT_TRUE(Window->ViewInfo()->IsScreenTipStyle());
  EXPECT_TRUE(IsWindowVisible(Window->Handle()));
  // And back again.
  Manager->SetHintObject(nullptr);
  ASSERT_TRUE(Window->ActivateBarHint(Manager, "Open", ""));
  Pump();
  EXPECT_FALSE(Window->ScreenTipMode());
  ASSERT_NE(Window->ViewInfo(), nullptr);
}

TEST_F(BarHintWindowTest, ABarWindowAsHintObjectAsksItsPainter) {
  struct TPlacingBar : TTestBar {
    using TTestBar::TTestBar;
    TdxBarPainter* P = nullptr;
    TdxBarPainter* BarPainter() const override { return P; }
    TPoint AdjustHintPosition(const TPoint& Pt, int) override { return {Pt.X, Pt.Y + 20}; }
  } bar(Manager);
  bar.P = &Painter;
  Manager->SetHintObject(&bar);
  ASSERT_TRUE(Window->ActivateBarHint(Manager, "Customize", ""));
  Pump();
  // The painter made a tip-styled hint; the base placement moved it off the cursor.
  EXPECT_TRUE(Window->ScreenTipMode());
  RECT r;
  GetWindowRect(Window->Handle(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
}

TEST_F(BarHintWindowTest, ATipOnePixelWideWithAPictureLaysOutAndPaints) {
  Tip->SetWidth(1);
  Tip->Header()->SetText("Narrow");
  Tip->Description()->SetText("A description that cannot fit anywhere");
  Tip->Description()->SetGlyph(Picture(300, 120));
  Tip->SetUseStandardFooter(true);
  Repository->StandardFooter()->SetText("Footer");
  auto info = Calculated(&Painter);
  EXPECT_GT(info->Bounds().Bottom, 0);
  Surface s(std::max(1, info->Bounds().Right), info->Bounds().Bottom, clWhite);
  info->PaintHint(s.Canvas());
  EXPECT_EQ(PaintCanvasInstance()->LevelCount(), 0);
}

TEST_F(BarHintWindowTest, PaintingReleasesTheCanvasLevelWhenThePainterRaises) {
  struct TRaising : TTipPainter {
    void DrawScreenTipBackground(HDC, const TRect&) override { throw Exception("no background"); }
  } raising;
  Tip->Description()->SetText("Opens");
  auto info = Calculated(&raising);
  Surface s(info->Bounds().Right, info->Bounds().Bottom);
  EXPECT_THROW(info->PaintHint(s.Canvas()), Exception);
  EXPECT_EQ(PaintCanvasInstance()->LevelCount(), 0);
}

// The three layouts through the window, in every painter that stands, at three densities.
TEST_F(BarHintWindowTest, Gallery) {
  TdxBarStandardPainter standard;
  TdxBarEnhancedPainter enhanced;
  TdxBarFlatPainter flat;
  TdxBarOffice11Painter office11;
  TdxBarXPPainter xp;
  struct Style {
    TdxBarPainter* painter;
    const char* name;
  } styles[] = {{&Painter, "tipstyle"}, {&standard, "standard"}, {&enhanced, "enhanced"},
                {&flat, "flat"},        {&office11, "office11"}, {&xp, "xp"}};
  Tip->Header()->SetText("Save scene");
  Tip->Header()->SetGlyph(Picture(16, 16, clGreen));
  Tip->Description()->SetText("Writes the windows of the wall and their sources into the scene slot chosen.");
  Tip->Description()->SetGlyph(Picture(120, 80, clSkyBlue));
  Tip->SetUseStandardFooter(true);
  Repository->StandardFooter()->SetText("Press F1 for more help.");
  Repository->StandardFooter()->SetGlyph(Picture(16, 16, clYellow));
  for (int ppi : {96, 120, 144}) {
    platform::SetScreenPixelsPerInch(ppi);
    for (const Style& st : styles) {
      struct Shot {
        const char* layout;
        std::function<TdxBarCustomHintViewInfo*(const String&, const String&)> make;
      } shots[] = {
          {"tip", [&](const String& H, const String& S) { return new TdxBarScreenTipViewInfo(Tip, S, H, st.painter, Manager); }},
          {"styled",
           [&](const String& H, const String& S) {
             return new TdxBarLikeHintScreenTipViewInfo(Manager, H, S, TPoint(100, 100), st.painter);
           }},
          {"plain", [&](const String& H, const String& S) { return new TdxBarHintViewInfo(Manager, H, S, TPoint(100, 100)); }},
      };
      for (const Shot& shot : shots) {
        Source.Make = shot.make;
        Manager->SetHintObject(&Source);
        ASSERT_TRUE(Window->ActivateBarHint(Manager, "Save", " (Ctrl+S)"));
        Pump();
        RECT r;
        GetWindowRect(Window->Handle(), &r);
        Surface s(r.right - r.left + 8, r.bottom - r.top + 8, clAppWorkSpace);
        HDC screen = GetDC(nullptr);
        BitBlt(s.Canvas()->Handle(), 4, 4, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        s.Save(std::string("bars/hint-") + shot.layout + "-" + st.name + "-" + std::to_string(ppi) + ".png");
        EXPECT_GT(s.CountOf(clBlack) + s.CountOf(static_cast<TColor>(0x4C4C4C)) + s.CountOf(clInfoText), 0)
            << shot.layout << " " << st.name << " " << ppi;
      }
    }
  }
}

}  // namespace
}  // namespace barpaintertest
