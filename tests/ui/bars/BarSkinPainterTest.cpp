// The skin look against the skin engine itself: every expected picture is drawn by the element the
// look is meant to use, on the same rectangle, so a wrong element, state, image or rectangle shows
// as a pixel difference. The skin is the built-in "Xmas2008Blue" as the program registers it.
#include <memory>

#include "platform/classes/Streams.h"
#include "ui/bars/BarHintViewInfo.h"
#include "ui/bars/BarScreenTips.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/Xmas2008BluePainter.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/skins/SkinInfo.h"

namespace barpaintertest {
namespace {

using Member = TdxSkinElement* TdxSkinInfo::*;

// A bar window with a window procedure that counts the frame paints it is sent.
class TSpyBar : public TDockedBar {
  VW_CLASS(TSpyBar, TDockedBar)
 public:
  using TDockedBar::TDockedBar;
  int NcPaints = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_NCPAINT) ++NcPaints;
    TDockedBar::WndProc(Message);
  }
};

// A skin painter class of its own for skins a test registers.
struct TTestSkinPainter : TdxSkinLookAndFeelPainter {};
const TTestSkinPainter kTrimmedPainter;

class BarSkinPainterTest : public BarPainterFixture {
 protected:
  void SetUp() override {
    BarPainterFixture::SetUp();
    Units = std::make_unique<TScopedBarSkin>();
    Manager->SetStyle(bmsUseLookAndFeel);
    Manager->LookAndFeel()->SetSkinName("Xmas2008Blue");
    Dock = new TTestDock(alTop, {0, 0, 400, 60});
    Docked = new TDockedBar(Manager);
    Docked->Dock = Dock;
    Docked->SetBounds(10, 5, 200, 26);
    Docked->Grip = false;
  }
  void TearDown() override {
    delete Dock;
    BarPainterFixture::TearDown();
    Units.reset();
  }
  TdxBarSkinPainter* Skin() const { return dynamic_cast<TdxBarSkinPainter*>(Manager->Painter()); }
  TdxSkinInfo* Info() const { return Skin()->SkinInfo(); }
  TdxSkinElement* E(Member M) const { return Info()->*M; }
  // Whether the two surfaces hold the same pixels in R; the first difference is reported.
  static ::testing::AssertionResult SamePixels(Surface& A, Surface& B, const TRect& R) {
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if (A.At(x, y) != B.At(x, y))
          return ::testing::AssertionFailure() << "differs at (" << x << ", " << y << "): " << std::hex << A.At(x, y)
                                               << " against " << B.At(x, y);
    return ::testing::AssertionSuccess();
  }
  // The expected picture of a docked bar: the dock behind, then each element on its part.
  void DrawExpectedBar(Surface& S, TDockedBar* Bar, Member BarElement, const TRect& Area, Member Mark,
                       TdxSkinElementState MarkState, const TRect& MarkRect, Member Grip, const TRect& GripRect) {
    HDC dc = S.Canvas()->Handle();
    const TRect whole{0, 0, Bar->Width(), Bar->Height()};
    Skin()->FillDockBackground(Dock, dc, whole, dxbar::Offset(whole, Bar->Left(), Bar->Top()), nullptr, clNone);
    E(BarElement)->Draw(dc, Area);
    if (Mark) E(Mark)->Draw(dc, MarkRect, 0, MarkState);
    if (Grip) E(Grip)->Draw(dc, GripRect);
  }

  std::unique_ptr<TScopedBarSkin> Units;
  TTestDock* Dock = nullptr;
  TDockedBar* Docked = nullptr;
};

TEST_F(BarSkinPainterTest, TheSkinIsRegisteredAndChosenForSkinnedManagers) {
  TcxCustomLookAndFeelPainterClass found = nullptr;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->FindPainter("Xmas2008Blue", found));
  EXPECT_EQ(found, Xmas2008BluePainter());
  TObject* info = nullptr;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->InfoOfPainter(Xmas2008BluePainter(), info));
  EXPECT_EQ(info, Xmas2008BluePainter()->SkinPainterInfo());
  EXPECT_EQ(Xmas2008BluePainter()->SkinUnitName(), "dxSkinXmas2008Blue");
  EXPECT_EQ(DefaultBarPainterClass, ClassOf<TdxBarSkinPainter>());
  ASSERT_NE(Skin(), nullptr) << Manager->Painter()->ClassName();
  EXPECT_EQ(Skin()->SkinPainter(), Xmas2008BluePainter());
  EXPECT_EQ(Skin()->SkinInfo(), info);
  EXPECT_TRUE(Skin()->SupportsFading());
  EXPECT_TRUE(Skin()->MakesImagesOpaque());
}

TEST_F(BarSkinPainterTest, OnlyTheLastShutdownGivesThePlaceBackToTheStandardPainter) {
  // The library's start-up ran the unit's once already.
  BarSkinPainterUnitStartup();
  BarSkinPainterUnitShutdown();
  EXPECT_EQ(DefaultBarPainterClass, ClassOf<TdxBarSkinPainter>());
  BarSkinPainterUnitShutdown();
  EXPECT_EQ(DefaultBarPainterClass, ClassOf<TdxBarStandardPainter>());
  BarSkinPainterUnitShutdown();
  EXPECT_EQ(DefaultBarPainterClass, ClassOf<TdxBarStandardPainter>()) << "one shutdown too many changes nothing";
  BarSkinPainterUnitStartup();
  EXPECT_EQ(DefaultBarPainterClass, ClassOf<TdxBarSkinPainter>());
}

TEST_F(BarSkinPainterTest, WithoutGdiPlusTheSkinIsNotRegistered) {
  Xmas2008BlueSkinUnitShutdown();
  platform::HideModule("gdiplus.dll");
  GdiPlusUnitShutdown();
  GdiPlusUnitStartup();
  Xmas2008BlueSkinUnitStartup();
  TcxCustomLookAndFeelPainterClass found = nullptr;
  EXPECT_FALSE(ExtendedStylePainterRegistry()->FindPainter("Xmas2008Blue", found));
  EXPECT_EQ(Xmas2008BluePainter()->SkinPainterInfo(), nullptr);
  TcxLookAndFeel lf(nullptr);
  lf.SetSkinName("Xmas2008Blue");
  EXPECT_EQ(lf.SkinPainter(), nullptr);
  auto* painter = dynamic_cast<TdxBarSkinPainter*>(Manager->Painter());
  EXPECT_TRUE(!painter || !painter->SkinPainter()) << Manager->Painter()->ClassName();
}

TEST_F(BarSkinPainterTest, FadeImagesOfAMarkAreItsNormalAndHotLooks) {
  Docked->WithMark = true;
  for (bool hot : {false, true}) {
    SCOPED_TRACE(hot ? "hot" : "normal");
    Surface got(13, 26), expected(13, 26);
    Skin()->DrawMarkForFade(Docked, got.Canvas()->Handle(), hot, {0, 0, 13, 26});
    // The dock shows through where the mark's picture is translucent.
    HDC dc = expected.Canvas()->Handle();
    Skin()->FillDockBackground(Dock, dc, {0, 0, 13, 26}, {10, 5, 23, 31}, nullptr, clNone);
    Info()->BarsBarCustomize->Draw(dc, {0, 0, 13, 26}, 0, hot ? esHot : esNormal);
    EXPECT_TRUE(SamePixels(got, expected, {0, 0, 13, 26}));
  }
  Surface normal(13, 26), hot(13, 26);
  Skin()->DrawMarkForFade(Docked, normal.Canvas()->Handle(), false, {0, 0, 13, 26});
  Skin()->DrawMarkForFade(Docked, hot.Canvas()->Handle(), true, {0, 0, 13, 26});
  EXPECT_FALSE(SamePixels(normal, hot, {0, 0, 13, 26}));
}

TEST_F(BarSkinPainterTest, TheGeneratedSkinHoldsEveryRoleItself) {
  // Read without the lookup table, which would add placeholders for what is missing.
  TdxSkin skin("XMAS2008BLUE", GetModuleHandle(nullptr), true);
  TdxSkinControlGroup* bars = skin.GroupByName("Bars");
  ASSERT_NE(bars, nullptr);
  for (const char* name :
       {"Bar", "BarVertical", "BarCustomize", "BarCustomizeVertical", "BarDragGrip", "BarDragGripVertical",
        "MDIButtonMinimize", "MDIButtonRestore", "MDIButtonClose", "BarSeparator", "BarSeparatorVertical", "Dock",
        "FloatBar", "ItemSeparator", "LinkStatic", "LinkSelected", "MainMenu", "MainMenuCustomize", "MainMenuDrag",
        "MainMenuLinkSelected", "PopupMenu", "PopupMenuCheck", "PopupMenuExpandButton", "PopupMenuLinkSelected",
        "PopupMenuSeparator", "PopupMenuSideStrip", "PopupMenuSideStripNonRecent", "PopupMenuDropDownButtonLabel",
        "PopupMenuDropDownButtonArrow", "StatusBar", "ScreenTipWindow", "ScreenTipSeparator"})
    EXPECT_NE(bars->ElementByName(name), nullptr) << name;
  EXPECT_NE(bars->PropertyByName("DisabledTextColor"), nullptr);
  TdxSkinControlGroup* docking = skin.GroupByName("Docking");
  ASSERT_NE(docking, nullptr);
  EXPECT_NE(docking->ElementByName("DockWindowButton"), nullptr);
  TdxSkinElement* glyphs = docking->ElementByName("DockWindowButtonGlyphs");
  ASSERT_NE(glyphs, nullptr);
  EXPECT_GT(glyphs->ImageCount(), 6) << "the caption mark is image 6";
}

TEST_F(BarSkinPainterTest, DockedBarsComposeTheirElementsOverTheDock) {
  struct Case {
    const char* name;
    int docking;
    bool mainMenu, grip, mark;
    int markState;
    Member bar, markElement, gripElement;
    TdxSkinElementState markDrawn;
  } cases[] = {
      {"plain toolbar", 2, false, false, false, 0, &TdxSkinInfo::BarsBar, nullptr, nullptr, esNormal},
      {"toolbar with grip and mark", 2, false, true, true, 0, &TdxSkinInfo::BarsBar, &TdxSkinInfo::BarsBarCustomize,
       &TdxSkinInfo::BarsBarDragGrip, esNormal},
      {"hot mark", 2, false, true, true, 1, &TdxSkinInfo::BarsBar, &TdxSkinInfo::BarsBarCustomize,
       &TdxSkinInfo::BarsBarDragGrip, esHot},
      {"dropped mark", 4, false, true, true, 2, &TdxSkinInfo::BarsBar, &TdxSkinInfo::BarsBarCustomize,
       &TdxSkinInfo::BarsBarDragGrip, esHot},
      {"main menu", 2, true, true, true, 0, &TdxSkinInfo::BarsMainMenu, &TdxSkinInfo::BarsMainMenuCustomize,
       &TdxSkinInfo::BarsMainMenuDrag, esNormal},
      {"main menu docked left", 1, true, true, true, 0, &TdxSkinInfo::BarsBarVertical,
       &TdxSkinInfo::BarsBarCustomizeVertical, &TdxSkinInfo::BarsBarDragGripVertical, esNormal},
      {"toolbar docked right", 3, false, true, true, 1, &TdxSkinInfo::BarsBarVertical,
       &TdxSkinInfo::BarsBarCustomizeVertical, &TdxSkinInfo::BarsBarDragGripVertical, esHot},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool vertical = c.docking == 1 || c.docking == 3;
    Docked->Docking = c.docking;
    Docked->Vertical = vertical;
    Docked->MainMenu = c.mainMenu;
    Docked->Grip = c.grip;
    Docked->WithMark = c.mark;
    Docked->Mark = c.markState;
    Docked->SetBounds(10, 5, vertical ? 26 : 200, vertical ? 150 : 26);
    const int w = Docked->Width(), h = Docked->Height();
    const int grip = c.grip ? Skin()->GripWidthOf(Docked) : 0;
    EXPECT_GT(c.grip ? grip : 1, 0);
    TRect mark{};
    if (c.mark) {
      TRect insets;
      Skin()->CalcBarNonClient(Docked, c.docking, insets, false);
      mark = Skin()->MarkBounds(Docked, {insets.Left, insets.Top, w - insets.Right, h - insets.Bottom}, {});
    }
    TRect area{0, 0, w, h};
    if (vertical) {
      area.Top += grip;
      area.Bottom -= dxbar::Height(mark);
    } else {
      area.Left += grip;
      area.Right -= dxbar::Width(mark);
    }
    Surface got(w, h), expected(w, h);
    Skin()->ComposeBarBackground(Docked, got.Canvas()->Handle(), false, {0, 0, w, h});
    const TRect gripRect = vertical ? TRect{0, 0, w, grip} : TRect{0, 0, grip, h};
    DrawExpectedBar(expected, Docked, c.bar, area, c.markElement, c.markDrawn, mark, c.gripElement, gripRect);
    EXPECT_TRUE(SamePixels(got, expected, {0, 0, w, h}));
  }
}

TEST_F(BarSkinPainterTest, TheFrameAndTheClientPaintTheSamePicture) {
  Docked->Grip = true;
  const int w = Docked->Width(), h = Docked->Height();
  TRect insets;
  Skin()->CalcBarNonClient(Docked, 2, insets, false);
  EXPECT_EQ(insets.Left, Skin()->GripWidthOf(Docked) + Info()->BarsBar->ContentOffset()->Left());
  Surface frame(w, h), composed(w, h);
  TRect r{0, 0, w, h};
  Skin()->DrawDockedBarFrame(Docked, frame.Canvas()->Handle(), r, nullptr);
  // The client painted in its own coordinates lands where the frame left the gap.
  {
    HDC dc = frame.Canvas()->Handle();
    SetViewportOrgEx(dc, insets.Left, insets.Top, nullptr);
    Skin()->FillDockedBarBackground(Docked, dc, {0, 0, w - insets.Left - insets.Right, h - insets.Top - insets.Bottom},
                                    nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
  }
  Skin()->ComposeBarBackground(Docked, composed.Canvas()->Handle(), false, r);
  // The client paint skips the grip and mark, which lie in the frame.
  EXPECT_TRUE(SamePixels(frame, composed, r));
}

TEST_F(BarSkinPainterTest, RepaintsOfAnUnchangedBarRenderItsElementOnce) {
  Surface s(200, 26);
  for (int i = 0; i < 5; ++i) Skin()->ComposeBarBackground(Docked, s.Canvas()->Handle(), false, {0, 0, 200, 26});
  TdxSkinElementCacheList* cache = Skin()->ElementCache();
  int renders = 0;
  for (int i = 0; i < cache->Count(); ++i)
    if (cache->CacheAt(i)->Element() == Info()->BarsBar) renders += cache->CacheAt(i)->RenderCount();
  EXPECT_EQ(renders, 1);
}

TEST_F(BarSkinPainterTest, ATranslucentBarLeavesOnlyComposedPixelsOverItsDock) {
  TdxSkinElement* bar = Info()->BarsBar;
  bar->Image()->Clear();
  bar->SetAlpha(128);
  bar->SetColor(clBlue);
  TdxSkinElement* dock = Info()->BarsDock;
  dock->Image()->Clear();
  dock->SetColor(clRed);
  ASSERT_TRUE(bar->NeedsAlphaBlend());
  // Garbage in the work bitmap must not show through.
  Docked->BackgroundTempBitmap()->SetSize(200, 26);
  Docked->BackgroundTempBitmap()->Canvas()->Brush()->SetColor(clLime);
  Docked->BackgroundTempBitmap()->Canvas()->FillRect(TRect(0, 0, 200, 26));
  for (TColor under : {clRed, clYellow}) {
    SCOPED_TRACE(under == clRed ? "red" : "yellow");
    dock->SetColor(under);
    Dock->ResetBackgroundCache();
    Surface got(200, 26), expected(200, 26);
    Skin()->ComposeBarBackground(Docked, got.Canvas()->Handle(), false, {0, 0, 200, 26});
    DrawExpectedBar(expected, Docked, &TdxSkinInfo::BarsBar, {0, 0, 200, 26}, nullptr, esNormal, {}, nullptr, {});
    EXPECT_TRUE(SamePixels(got, expected, {0, 0, 200, 26}));
    const COLORREF middle = got.At(100, 13);
    EXPECT_NE(middle, ColorToRGB(clLime));
    EXPECT_NE(middle, ColorToRGB(under)) << "blended, not the dock alone";
  }
}

TEST_F(BarSkinPainterTest, AMarkRepaintRedrawsTheFrameOfADockedBar) {
  auto* bar = new TSpyBar(Manager);
  bar->WithMark = true;
  bar->SetParent(Form);
  bar->HandleNeeded();
  const TRect client{0, 0, 100, 20};
  Skin()->RedrawMark(bar, client, {});
  EXPECT_EQ(bar->NcPaints, 1);
  bar->Docking = 0;
  bar->NcPaints = 0;
  Skin()->RedrawMark(bar, client, {0, 0, 100, 14});
  EXPECT_EQ(bar->NcPaints, 0) << "a floating bar draws its mark in the caption itself";
  delete bar;
}

TEST_F(BarSkinPainterTest, StatusBarsAndBorderlessToolbarsTakeTheirOwnElements) {
  Docked->Border = 0;
  Docked->StatusBar = true;
  Docked->Docking = 4;
  EXPECT_EQ(Skin()->ControlElement(Docked), Info()->BarsStatusBar);
  Surface got(200, 26), expected(200, 26);
  Skin()->FillStatusBarBackground(Docked, got.Canvas()->Handle(), {0, 0, 200, 26}, {0, 0, 200, 26}, nullptr);
  Info()->BarsStatusBar->Draw(expected.Canvas()->Handle(), {0, 0, 200, 26});
  EXPECT_TRUE(SamePixels(got, expected, {0, 0, 200, 26}));
  // Its static items sit in "LinkStatic", whose frame lies outside the item.
  TdxBarStaticLikeControlDrawParams item(Item);
  Item->Bar = Docked;
  Surface itemGot(60, 26), itemExpected(60, 26);
  Skin()->FillStaticItem(item, itemGot.Canvas()->Handle(), {10, 4, 50, 22});
  Skin()->TdxBarPainter::FillStaticItem(item, itemExpected.Canvas()->Handle(), {10, 4, 50, 22});
  Skin()->DrawElementOutside(Info()->BarsLinkStatic, itemExpected.Canvas()->Handle(), esNormal, 0, {10, 4, 50, 22});
  EXPECT_TRUE(SamePixels(itemGot, itemExpected, {0, 0, 60, 26}));

  // A borderless horizontal toolbar that is no status bar reads its text colours from the dock.
  Docked->StatusBar = false;
  Docked->Docking = 2;
  Info()->BarsDock->SetTextColor(clFuchsia);
  EXPECT_EQ(Skin()->TextElement(Docked), Info()->BarsDock);
  TdxBarButtonLikeControlDrawParams p(Item);
  TColor first = clNone, second = clNone;
  Skin()->ItemTextColors(p, false, true, first, second);
  EXPECT_EQ(first, clFuchsia);
  Docked->Border = 1;
  Skin()->ItemTextColors(p, false, true, first, second);
  EXPECT_EQ(first, Info()->BarsBar->TextColor());
  // A selected item takes the element's hot text colour.
  dynamic_cast<TdxSkinColor*>(Info()->BarsBar->PropertyByName("TextColorHot"))->SetValue(clAqua);
  Skin()->ItemTextColors(p, true, true, first, second);
  EXPECT_EQ(first, clAqua);
}

TEST_F(BarSkinPainterTest, CheckedMenuItemsShowTheCheckElement) {
  Bar->Menu = true;
  Bar->Docking = 0;
  TdxBarButtonLikeControlDrawParams p(Item);
  p.PaintType = pmMenu;
  const TRect cell{0, 0, 24, 22};
  TdxSkinElement* check = Info()->BarsPopupMenuCheck;
  // With a glyph: image 1 behind it, on the cell less two pixels.
  Surface got(24, 22), expected(24, 22);
  Skin()->DrawGlyphFrame(Item, got.Canvas()->Handle(), nullptr, false, cell, pmMenu, false, false, true, false, false,
                         false);
  check->Draw(expected.Canvas()->Handle(), dxbar::Inflate(cell, -2, -2), 1);
  EXPECT_TRUE(SamePixels(got, expected, cell));
  // Without: image 0 at its own size, centred.
  Surface got0(24, 22), expected0(24, 22);
  Skin()->DrawMissingGlyphCheck(p, got0.Canvas()->Handle(), cell, true, false);
  const SIZE s = check->ImageSize();
  const int x = (24 - s.cx) / 2, y = (22 - s.cy) / 2;
  check->Draw(expected0.Canvas()->Handle(), {x, y, x + s.cx, y + s.cy}, 0);
  EXPECT_TRUE(SamePixels(got0, expected0, cell));
}

TEST_F(BarSkinPainterTest, TheGlyphBandChangesWhileRarelyUsedItemsShow) {
  Bar->Menu = true;
  Bar->Docking = 0;
  Bar->SetBounds(0, 0, 120, 80);
  const int band = Bar->IconAreaSize() + 2;
  for (bool nonRecent : {false, true}) {
    SCOPED_TRACE(nonRecent ? "non-recent" : "recent");
    Bar->SetMenuNonRecent(nonRecent);
    Surface got(120, 80), expected(120, 80);
    Skin()->FillMenuBackground(Bar, got.Canvas()->Handle(), {0, 0, 120, 80}, {0, 0, 120, 80}, nullptr, clNone);
    HDC dc = expected.Canvas()->Handle();
    Info()->BarsPopupMenu->Draw(dc, dxbar::Inflate({0, 0, 120, 80}, Skin()->MenuBorderSize(), Skin()->MenuBorderSize()));
    (nonRecent ? Info()->BarsPopupMenuSideStripNonRecent : Info()->BarsPopupMenuSideStrip)->Draw(dc, {0, 0, band, 80});
    EXPECT_TRUE(SamePixels(got, expected, {0, 0, 120, 80}));
  }
}

TEST_F(BarSkinPainterTest, ScreenTipsDrawWithTheScreenTipElements) {
  TdxSkinElement* window = Info()->BarsScreenTipWindow;
  Info()->BarsScreenTipWindowScreenTipItem->SetValue(clTeal);
  Info()->BarsScreenTipWindowScreenTipTitleItem->SetValue(clMaroon);
  EXPECT_EQ(Skin()->ScreenTipDescriptionColor(), clTeal);
  EXPECT_EQ(Skin()->ScreenTipTitleColor(), clMaroon);
  EXPECT_EQ(Skin()->ScreenTipBandIndent(), Info()->BarsScreenTipSeparator->ImageSize().cy);
  Surface got(120, 60), expected(120, 60);
  Skin()->DrawScreenTipBackground(got.Canvas()->Handle(), {0, 0, 120, 60});
  Skin()->DrawScreenTipSeparator(got.Canvas()->Handle(), {5, 30, 115, 33});
  window->Draw(expected.Canvas()->Handle(), {0, 0, 120, 60});
  Info()->BarsScreenTipSeparator->Draw(expected.Canvas()->Handle(), {5, 30, 115, 33});
  EXPECT_TRUE(SamePixels(got, expected, {0, 0, 120, 60}));
}

TEST_F(BarSkinPainterTest, AScreenTipPaintsItsTextsInTheSkinsColours) {
  auto* repository = new TdxBarScreenTipRepository(Form);
  TdxBarScreenTip* tip = repository->Items()->Add();
  tip->Header()->SetText("Save");
  tip->Description()->SetText("Writes the scene");
  Info()->BarsScreenTipWindowScreenTipTitleItem->SetValue(clRed);
  Info()->BarsScreenTipWindowScreenTipItem->SetValue(clLime);
  std::unique_ptr<TdxBarCustomHintViewInfo> hint(Skin()->CreateHintViewInfo(Manager, "Save", "", tip));
  auto* info = dynamic_cast<TdxBarScreenTipViewInfo*>(hint.get());
  ASSERT_NE(info, nullptr) << "a tip with content comes as a screen tip";
  Surface measure(4, 4);
  info->Calculate(measure.Canvas());
  ASSERT_EQ(info->BandCount(), 2);
  Surface s(info->Bounds().Right, info->Bounds().Bottom);
  info->PaintHint(s.Canvas());
  const int split = info->Bands(1)->Top();
  int title = 0, description = 0;
  for (int y = 0; y < s.Height; ++y)
    for (int x = 0; x < s.Width; ++x) {
      const COLORREF c = s.At(x, y);
      if (c == ColorToRGB(clRed)) {
        ++title;
        EXPECT_LT(y, split) << "title ink in the header band";
      } else if (c == ColorToRGB(clLime)) {
        ++description;
        EXPECT_GE(y, split) << "description ink in its band";
      }
    }
  EXPECT_GT(title, 10);
  EXPECT_GT(description, 10);
  // Behind the texts: the window element.
  Surface back(s.Width, s.Height);
  Info()->BarsScreenTipWindow->Draw(back.Canvas()->Handle(), info->Bounds());
  EXPECT_EQ(s.At(1, 1), back.At(1, 1));
}

TEST_F(BarSkinPainterTest, NarrowPartsShowTheElementsRightEndAndIndexesStopAtTheLastFrame) {
  TdxSkinElement* e = Info()->BarsLinkSelected;
  const TRect m = e->Image()->Margins()->Rect();
  ASSERT_GT(m.Left + m.Right, 3);
  const TRect part{20, 0, 23, 22};
  Surface got(40, 22), expected(40, 22);
  TdxBarSkinPainter::DrawElementClipped(e, got.Canvas()->Handle(), esHot, part);
  {
    HDC dc = expected.Canvas()->Handle();
    TdxBarClipKeeper keep(dc);
    IntersectClipRect(dc, part.Left, part.Top, part.Right, part.Bottom);
    e->Draw(dc, {part.Right - (m.Left + m.Right), 0, part.Right, 22}, 0, esHot);
  }
  EXPECT_TRUE(SamePixels(got, expected, {0, 0, 40, 22}));

  TdxSkinElement* check = Info()->BarsPopupMenuCheck;
  Surface past(20, 20), last(20, 20);
  EXPECT_TRUE(TdxBarSkinPainter::DrawElement(check, past.Canvas()->Handle(), esNormal, check->ImageCount(), {0, 0, 20, 20}));
  check->Draw(last.Canvas()->Handle(), {0, 0, 20, 20}, check->ImageCount() - 1);
  EXPECT_TRUE(SamePixels(past, last, {0, 0, 20, 20}));
  EXPECT_FALSE(TdxBarSkinPainter::DrawElement(nullptr, past.Canvas()->Handle(), esNormal, 0, {0, 0, 20, 20}));
}

// A copy of the skin without the optional parts, written and read back by the skin's own stream.
TdxSkin* TrimmedCopy() {
  TdxSkin source("XMAS2008BLUE", GetModuleHandle(nullptr), true);
  TdxSkinControlGroup* bars = source.GroupByName("Bars");
  for (const char* name : {"MainMenuCustomize", "MainMenuDrag"})
    for (int i = bars->Count() - 1; i >= 0; --i)
      if (bars->ElementAt(i)->Name() == name) bars->Elements()->FreeAndDelete(i);
  bars->DeleteProperty(bars->PropertyByName("DisabledTextColor"));
  TdxSkinElement* tip = bars->ElementByName("ScreenTipWindow");
  tip->DeleteProperty(tip->PropertyByName("ScreenTipItem"));
  tip->DeleteProperty(tip->PropertyByName("ScreenTipTitleItem"));
  dynamic_cast<TdxSkinColor*>(bars->ElementByName("Bar")->PropertyByName("TextColorHot"))->SetValue(clDefault);
  dynamic_cast<TdxSkinColor*>(bars->ElementByName("MainMenu")->PropertyByName("TextColorHot"))->SetValue(clNone);
  TMemoryStream stream;
  source.SaveToStream(&stream);
  stream.SetPosition(0);
  auto* copy = new TdxSkin("Trimmed");
  copy->LoadFromStream(&stream);
  return copy;
}

TEST_F(BarSkinPainterTest, ATrimmedSkinFallsBackWhereThePartsAreMissing) {
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("Trimmed", &kTrimmedPainter,
                                                               new TdxSkinLookAndFeelPainterInfo(TrimmedCopy())));
  {
    TdxBarSkinPainter trimmed;
    trimmed.Construct(&kTrimmedPainter);
    TdxBarStandardPainter plain;
    TdxSkinInfo* info = trimmed.SkinInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->BarsMainMenuCustomize, nullptr);
    EXPECT_EQ(trimmed.MarkElement(true, false), info->BarsBarCustomize);
    Bar->MainMenu = true;
    Bar->Grip = true;
    EXPECT_EQ(trimmed.GripElement(true, false), nullptr);
    EXPECT_EQ(trimmed.GripWidthOf(Bar), 0);
    TColor first, second, plainFirst, plainSecond;
    trimmed.DisabledTextColors(false, true, first, second);
    plain.DisabledTextColors(false, true, plainFirst, plainSecond);
    EXPECT_EQ(first, plainFirst);
    EXPECT_EQ(second, plainSecond);
    EXPECT_EQ(trimmed.ScreenTipDescriptionColor(), plain.ScreenTipDescriptionColor());
    EXPECT_EQ(trimmed.ScreenTipTitleColor(), plain.ScreenTipTitleColor());
    TColor hot = clNone;
    EXPECT_FALSE(TdxBarSkinPainter::HotTextColor(info->BarsBar, hot)) << "clDefault counts as absent";
    EXPECT_FALSE(TdxBarSkinPainter::HotTextColor(info->BarsMainMenu, hot)) << "clNone counts as absent";
    EXPECT_TRUE(TdxBarSkinPainter::HotTextColor(info->BarsLinkSelected, hot));
  }
  ExtendedStylePainterRegistry()->UnregisterPainter("Trimmed");
}

TEST_F(BarSkinPainterTest, WithoutASkinPainterEverythingIsInheritedOrNothing) {
  TdxBarSkinPainter none;
  TdxBarPainter base;
  EXPECT_EQ(none.SkinInfo(), nullptr);
  EXPECT_EQ(none.ControlElement(Docked), nullptr);
  EXPECT_EQ(none.GripWidth(), 0);
  EXPECT_EQ(none.MarkSize(), 0);
  EXPECT_EQ(none.ToolbarSeparatorSize(), 0);
  EXPECT_EQ(none.MenuSeparatorHeight(), 0);
  EXPECT_EQ(none.DockedBarInsets(Docked, 2), TRect());
  EXPECT_EQ(none.EditBackColor(), base.EditBackColor());
  EXPECT_EQ(none.FloatCaptionTextColor(true), base.FloatCaptionTextColor(true));
  Surface s(60, 30);
  s.Canvas()->Brush()->SetColor(clRed);
  s.Canvas()->FillRect(TRect(0, 0, 60, 30));
  HDC dc = s.Canvas()->Handle();
  none.DrawScreenTipBackground(dc, {0, 0, 60, 30});
  none.DrawDetachCaption(Bar, dc, {0, 0, 60, 30});
  none.DrawCaptionButton(dc, {0, 0, 20, 20}, 1, 2);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(s.At(x, y), ColorToRGB(clRed)) << x << ", " << y;
}

TEST_F(BarSkinPainterTest, UnregisteringTheSkinGivesTheManagerAPlainPainterAndRegisteringAgainShowsTheNewSkin) {
  ExtendedStylePainterRegistry()->UnregisterPainter("Xmas2008Blue");
  EXPECT_EQ(Xmas2008BluePainter()->SkinPainterInfo(), nullptr);
  auto* after = dynamic_cast<TdxBarSkinPainter*>(Manager->Painter());
  EXPECT_TRUE(!after || !after->SkinPainter()) << Manager->Painter()->ClassName();
  // The skin again, with its toolbar recoloured.
  auto* skin = new TdxSkin("XMAS2008BLUE", GetModuleHandle(nullptr), true);
  TdxSkinElement* bar = skin->GroupByName("Bars")->ElementByName("Bar");
  bar->Image()->Clear();
  bar->SetColor(clOlive);
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("Xmas2008Blue", Xmas2008BluePainter(),
                                                               new TdxSkinLookAndFeelPainterInfo(skin)));
  Manager->LookAndFeel()->SetSkinName("");
  Manager->LookAndFeel()->SetSkinName("Xmas2008Blue");
  ASSERT_NE(Skin(), nullptr);
  Surface s(200, 26);
  Skin()->ComposeBarBackground(Docked, s.Canvas()->Handle(), false, {0, 0, 200, 26});
  EXPECT_EQ(s.At(100, 13), ColorToRGB(clOlive));
  ExtendedStylePainterRegistry()->UnregisterPainter("Xmas2008Blue");
}

}  // namespace
}  // namespace barpaintertest
