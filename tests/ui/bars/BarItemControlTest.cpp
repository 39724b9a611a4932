// Item controls on stand-in toolbar and menu windows of a form with a bar manager in the standard
// style: hot parts, measuring at each view level, images, clicks, hints, fading, destruction and
// painting.
#include <gtest/gtest.h>

#include <functional>

#include "platform/classes/ActnList.h"
#include "platform/classes/Menus.h"
#include "platform/display/Display.h"
#include "platform/system/Version.h"
#include "platform/win/Focus.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Fader.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/Styles.h"

namespace {

using namespace win;

// A square picture of one colour with a darker frame.
TBitmap* Square(int Size, TColor Colour) {
  auto* b = new TBitmap;
  b->SetSize(Size, Size);
  b->Canvas()->Brush()->SetColor(clNavy);
  b->Canvas()->FillRect(TRect{0, 0, Size, Size});
  b->Canvas()->Brush()->SetColor(Colour);
  b->Canvas()->FillRect(TRect{2, 2, Size - 2, Size - 2});
  return b;
}

TPoint Center(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

class BarItemControlTest : public BarItemControlFixture {
 protected:
  static TdxBarItemLink* ItemLinkOf(TStandInBar* Bar, int Index = 0) { return Bar->ItemLinks()->Items(Index); }
  std::vector<std::unique_ptr<TBitmap>> Pictures;
  TBitmap* Picture(int Size, TColor Colour = clLime) { return Pictures.emplace_back(Square(Size, Colour)).get(); }
};

// ---- hot parts ----------------------------------------------------------------------------------

TEST_F(BarItemControlTest, HotPartIsThePartUnderThePointAHundredOnNoPartAndNoneOutside) {
  TdxBarButton* item = Make("Open");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  TdxBarItemControl* c = ControlAt(bar, 0);
  const TRect r = c->ItemRect();
  c->SetPartRects({{r.Left, r.Top, r.Left + 6, r.Bottom}});
  const struct {
    TPoint P;
    int Part;
  } cases[] = {{{r.Left + 1, r.Top + 1}, 0}, {{r.Right - 1, r.Bottom - 1}, 100}, {{r.Right, r.Top}, -1}, {{-1, -1}, -1}};
  for (const auto& k : cases) EXPECT_EQ(c->PartIndexAt(k.P), k.Part) << k.P.X << "," << k.P.Y;

  // Moving over the control: each change of the hot part repaints it; a disabled control has none
  // and repaints nothing.
  bar->Invalidations = 0;
  c->MouseMoveAt({r.Left + 1, r.Top + 1});
  c->MouseMoveAt({r.Left + 2, r.Top + 1});
  EXPECT_EQ(c->HotPartIndex(), 0);
  EXPECT_EQ(bar->Invalidations, 1);
  item->SetEnabled(false);
  c = ControlAt(bar, 0);
  bar->Invalidations = 0;
  c->MouseMoveAt({r.Right - 1, r.Bottom - 1});
  EXPECT_EQ(c->HotPartIndex(), -1);
  EXPECT_EQ(bar->Invalidations, 0);
}

// A stand-in button that fades.
class TFadingButton : public TStandInButtonControl {
  VW_CLASS(TFadingButton, TStandInButtonControl)
 public:
  using TStandInButtonControl::TStandInButtonControl;
  static inline int Prepared = 0;
  bool CanFade() override { return true; }
  void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int&, int&, int&, int&) override {
    ++Prepared;
    NormalImage = Square(8, clWhite);
    HotImage = Square(8, clYellow);
  }
};

TEST_F(BarItemControlTest, LeavingNoPartFadesInAndEnteringNoPartFadesOut) {
  // Without fading: every change of the hot part repaints the control, three times for -1 → 0 → 100 → -1.
  TStandInBar* plain = NewBar(dxBarKindToolbar, {Make("Plain")});
  TdxBarItemControl* c = ControlAt(plain, 0);
  TRect r = c->ItemRect();
  c->SetPartRects({{r.Left, r.Top, r.Left + 6, r.Bottom}});
  plain->Invalidations = 0;
  for (TPoint p : {TPoint{r.Left + 1, r.Top + 1}, TPoint{r.Right - 1, r.Top + 1}, TPoint{-1, -1}}) c->MouseMoveAt(p);
  EXPECT_EQ(plain->Invalidations, 3);

  TdxFader fader(1);
  TFadingButton::Prepared = 0;
  UseStandInControls<TFadingButton>();
  TStandInBar* bar = NewBar(dxBarKindToolbar, {Make("Fading")});
  bar->Fader = &fader;
  c = ControlAt(bar, 0);
  r = c->ItemRect();
  c->SetPartRects({{r.Left, r.Top, r.Left + 6, r.Bottom}});
  c->MouseMoveAt({r.Left + 1, r.Top + 1});
  ASSERT_EQ(fader.ElementCount(), 1);
  EXPECT_EQ(fader.ElementAt(0)->State(), fsFadingIn);
  c->MouseMoveAt({r.Right - 1, r.Top + 1});
  EXPECT_EQ(fader.ElementAt(0)->State(), fsFadingIn) << "from a part to no part: no new fade";
  c->MouseMoveAt({-1, -1});
  ASSERT_EQ(fader.ElementCount(), 1);
  EXPECT_EQ(fader.ElementAt(0)->State(), fsFadingOut);
  EXPECT_EQ(TFadingButton::Prepared, 1) << "one element, turned round";
  // The control stops its fade when it goes.
  ItemLinkOf(bar)->FreeControl();
  EXPECT_EQ(fader.ElementCount(), 0);
  bar->Fader = nullptr;
}

// ---- measuring ----------------------------------------------------------------------------------

TEST_F(BarItemControlTest, AClientItemOnAStretchingToolbarMeasuresItsMinimumWidth) {
  TdxBarButton* item = Make("Open");
  item->SetAlign(iaClient);
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  bar->HonoursAlign = true;
  bar->Flags = dxBarBehaviourTearOff | dxBarBehaviourSelectOnActivate;
  TdxBarItemControl* c = ControlAt(bar, 0);
  const int natural = c->ComputeWidth();
  EXPECT_GT(natural, 1);
  bar->Flags = dxBarRootBehaviour;
  ASSERT_TRUE(bar->BehaviourFlags() & dxBarBehaviourStretchClientItems);
  EXPECT_EQ(c->ComputeWidth(), 1);
  item->SetCaption("A much longer caption than before");
  EXPECT_EQ(ControlAt(bar, 0)->ComputeWidth(), 1);
  EXPECT_EQ(bar->Relayouts, 0) << "its caption only repaints it";
  // Without the bar honouring alignment the item is left-aligned and measures its caption.
  bar->HonoursAlign = false;
  bar->RebuildRecreating();
  EXPECT_GT(ControlAt(bar, 0)->ComputeWidth(), natural);
}

TEST_F(BarItemControlTest, LargeViewsMeasureGlyphAndTextByLayout) {
  TdxBarButton* item = Make("Open");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  TdxBarItemControl* c = ControlAt(bar, 0);
  c->LayoutInfo()->SetCurrentLevel(ivlLargeIconWithText);
  const int h = [&] {
    SIZE s{};
    GetTextExtentPoint32(bar->DrawCanvas()->DeviceContext(), "Qq", 2, &s);
    return static_cast<int>(s.cy);
  }();
  EXPECT_EQ(h, 13) << "the manager's font";

  // Without any image the glyph counts as 20 x 20.
  item->SetGlyphLayout(glTop);
  EXPECT_EQ(c->GlyphSizeFor(cvsLarge), (TSize{20, 20}));
  EXPECT_EQ(c->ComputeHeight(), 20 + h + 7);

  bar->RealRebuild = false;
  item->SetLargeGlyph(Picture(32));
  EXPECT_EQ(c->GlyphSizeFor(cvsLarge), (TSize{32, 32}));
  EXPECT_EQ(c->ComputeHeight(), 32 + h + 7) << "glTop: 52";
  item->SetGlyphLayout(glLeft);
  EXPECT_EQ(c->ComputeHeight(), std::max(32, h) + 6) << "glLeft: 38";

  // Widths: without text, above and beside it.
  c->RefreshDrawParams(false);
  const int text = c->TextWidth();
  EXPECT_GT(text, 0);
  struct {
    unsigned Parts;
    TdxBarGlyphLayout Layout;
    int Width;
  } cases[] = {{cpIcon, glTop, 32 + 10}, {cpIcon | cpText, glTop, std::max(32, text + 6) + 10},
               {cpIcon | cpText, glLeft, 32 + text + 16}, {cpIcon | cpText, glRight, 32 + text + 16}};
  for (const auto& k : cases) {
    item->SetGlyphLayout(k.Layout);
    c->DrawInfo()->ViewStructure = k.Parts;
    EXPECT_EQ(c->LargeWidth(), k.Width) << k.Parts << " " << static_cast<int>(k.Layout);
  }
}

TEST_F(BarItemControlTest, SmallHeightTakesTheBarsTextSizeOrTheStyleFontsOwn) {
  TdxBarButton* plain = Make("Plain");
  TdxBarButton* styled = Make("Styled");
  auto* style = new TcxStyle(Form);
  auto font = std::make_unique<TFont>();
  font->SetHeight(-20);
  style->SetFont(font.get());
  styled->SetStyle(style);
  TStandInBar* bar = NewBar(dxBarKindToolbar, {plain, styled});
  TdxBarItemControl* p = ControlAt(bar, 0);
  TdxBarItemControl* s = ControlAt(bar, 1);
  p->DrawInfo()->ViewStructure = cpText;
  s->DrawInfo()->ViewStructure = cpText;
  // The base rule: a button also keeps at least its button extent.
  EXPECT_EQ(p->TdxBarItemControl::SmallHeight(), bar->TextSize());
  EXPECT_EQ(s->TdxBarItemControl::SmallHeight(), s->OwnTextHeight());
  EXPECT_GT(s->OwnTextHeight(), bar->TextSize());
  // The style's font is put back after measuring, also for the next control.
  const int before = bar->TextSize();
  s->ComputeHeight();
  EXPECT_EQ(bar->TextSize(), before);
}

TEST_F(BarItemControlTest, MenuSeparatorsWithCaptionsAddOneOrTwoLineHeights) {
  auto* first = Make<TdxBarSeparator>("First group");
  auto* other = Make<TdxBarSeparator>("Other group");
  first->SetShowCaption(true);
  other->SetShowCaption(true);
  TdxBarButton* button = Make("Open");
  TStandInBar* menu = NewBar(dxBarKindMenu, {first, button, other, Make("Save")});
  ASSERT_TRUE(dynamic_cast<TdxBarSeparatorControl*>(ControlAt(menu, 0)));
  const int normal = ControlAt(menu, 1)->ComputeHeight();
  const int line = menu->BarPainter()->SeparatorLineHeight();
  EXPECT_EQ(ControlAt(menu, 0)->ComputeHeight(), normal + line);
  EXPECT_EQ(ControlAt(menu, 2)->ComputeHeight(), normal + 2 * line);
  // Without its caption a separator is the bar's separator size.
  other->SetShowCaption(false);
  EXPECT_EQ(ControlAt(menu, 2)->ComputeHeight(), menu->SeparatorSize());
}

// A stand-in button that counts its width measures.
class TCountingButton : public TStandInButtonControl {
  VW_CLASS(TCountingButton, TStandInButtonControl)
 public:
  using TStandInButtonControl::TStandInButtonControl;
  static inline int Measures = 0;
  int RawWidth() override {
    ++Measures;
    return TStandInButtonControl::RawWidth();
  }
};

// A control that can show at no level at all.
class TNoLevelControl : public TdxBarItemControl {
  VW_CLASS(TNoLevelControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  TdxBarItemViewLevels PossibleViewLevels() const override { return {}; }
};

TEST_F(BarItemControlTest, WidthsAreMeasuredOncePerLevelUntilTheGlyphChanges) {
  UseStandInControls<TCountingButton>();
  TdxBarButton* item = Make("Open");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  bar->RealRebuild = false;
  TdxBarItemControlViewInfo* info = ControlAt(bar, 0)->LayoutInfo();
  EXPECT_EQ(info->PermittedLevels(), (TdxBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText}));
  TCountingButton::Measures = 0;
  const int large = info->WidthAtLevel(ivlLargeIconWithText);
  const int small = info->WidthAtLevel(ivlSmallIconWithText);
  EXPECT_EQ(info->WidthAtLevel(ivlLargeIconWithText), large);
  EXPECT_EQ(info->WidthAtLevel(ivlSmallIconWithText), small);
  EXPECT_EQ(TCountingButton::Measures, 2);
  EXPECT_EQ(info->CurrentLevel(), ivlDefault) << "the level is put back";

  item->SetGlyph(Picture(16));
  EXPECT_EQ(info->CachedWidth(ivlLargeIconWithText), -1);
  EXPECT_EQ(info->CachedWidth(ivlSmallIconWithText), -1);
  EXPECT_EQ(bar->Relayouts, 1) << "an image changes the levels the control can show";

  try {
    info->WidthAtLevel(ivlControlOnly);
    ADD_FAILURE() << "a level outside the permitted ones";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "Testing! The level is not allowed");
  }
  TNoLevelControl none(nullptr);
  try {
    none.AllowedViewLevels();
    ADD_FAILURE() << "no possible level";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "TNoLevelControl.GetPossibleViewLevels = []");
  }
}

TEST_F(BarItemControlTest, ViewLevelsSizesAndContentParts) {
  TdxBarButton* item = Make("Open");
  item->SetGlyph(Picture(16));
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  TdxBarItemControl* c = ControlAt(bar, 0);
  const struct {
    int Level;
    TdxBarViewSize Size;
    unsigned Parts;
  } cases[] = {{ivlLargeIconWithText, cvsLarge, cpIcon | cpText},
               {ivlSmallIconWithText, cvsSmall, cpIcon | cpText},
               {ivlSmallIcon, cvsSmall, cpIcon},
               {ivlControlOnly, cvsSmall, 0},
               {ivlDefault, cvsSmall, cpIcon}};
  for (const auto& k : cases) {
    c->LayoutInfo()->SetCurrentLevel(k.Level);
    EXPECT_EQ(c->ViewSizeNow(), k.Size) << k.Level;
    EXPECT_EQ(c->ContentPartsForLevel(k.Level), k.Parts) << k.Level;
  }
  // The link narrows the levels when it shares any with the control; otherwise the control's stand.
  ItemLinkOf(bar)->SetViewLevels({ivlSmallIcon});
  EXPECT_EQ(c->AllowedViewLevels(), (TdxBarItemViewLevels{ivlSmallIcon}));
  ItemLinkOf(bar)->SetViewLevels({ivlControlOnly});
  EXPECT_EQ(c->AllowedViewLevels(), (TdxBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon}));
  // A menu of large items shows large; large icons make view size 1; the glyph size follows.
  M->SetLargeIcons(true);
  EXPECT_EQ(c->DefaultViewSize(), cvsLargeIcons);
  M->SetLargeIcons(false);
  item->SetGlyph(nullptr);
  EXPECT_EQ(ControlAt(bar, 0)->GlyphSizeFor(cvsSmall), (TSize{16, 16})) << "the manager's glyph size";
}

// ---- notices ------------------------------------------------------------------------------------

TEST_F(BarItemControlTest, NoticesRepaintOrRelayAsTheChangeAsks) {
  TStandInBar* toolbar = NewBar(dxBarKindToolbar, {Make("Open")});
  TStandInBar* menu = NewBar(dxBarKindMenu, {Make("Open")}, 100, 200);
  TdxBarItemControl* t = ControlAt(toolbar, 0);
  TdxBarItemControl* m = ControlAt(menu, 0);
  const struct {
    const char* Name;
    TdxBarItemControl* Control;
    TdxBarViewSize Size;
    std::function<void(TdxBarItemControl*)> Notice;
    int Invalidations, Relayouts;
  } cases[] = {
      {"begin group", t, cvsSmall, [](TdxBarItemControl* c) { c->BeginGroupChanged(); }, 0, 1},
      {"visibility", t, cvsSmall, [](TdxBarItemControl* c) { c->VisibilityChanged(); }, 0, 1},
      {"caption", t, cvsSmall, [](TdxBarItemControl* c) { c->CaptionChanged(); }, 0, 1},
      {"width on a toolbar", t, cvsSmall, [](TdxBarItemControl* c) { c->WidthChanged(); }, 0, 1},
      {"large glyph, small view", t, cvsSmall, [](TdxBarItemControl* c) { c->LargeGlyphChanged(); }, 0, 0},
      {"large glyph, large view", t, cvsLarge, [](TdxBarItemControl* c) { c->LargeGlyphChanged(); }, 0, 1},
      {"large glyph in a menu", m, cvsLarge, [](TdxBarItemControl* c) { c->LargeGlyphChanged(); }, 1, 0},
      {"hot glyph", t, cvsSmall, [](TdxBarItemControl* c) { c->HotGlyphChanged(); }, 0, 0},
      {"glyph, same levels", t, cvsSmall, [](TdxBarItemControl* c) { c->GlyphChanged(); }, 1, 0},
      {"pressed", t, cvsSmall, [](TdxBarItemControl* c) { c->SetPressed(true); }, 0, 0},
      {"released", t, cvsSmall, [](TdxBarItemControl* c) { c->SetPressed(false); }, 1, 0},
      {"refresh", t, cvsSmall, [](TdxBarItemControl* c) { c->RefreshAll(); }, 1, 0},
  };
  for (const auto& k : cases) {
    auto* bar = static_cast<TStandInBar*>(k.Control->Parent());
    bar->RealRebuild = false;
    k.Control->DrawInfo()->ViewSize = k.Size;
    bar->Invalidations = bar->Relayouts = 0;
    k.Notice(k.Control);
    EXPECT_EQ(bar->Invalidations, k.Invalidations) << k.Name;
    EXPECT_EQ(bar->Relayouts, k.Relayouts) << k.Name;
  }
}

// ---- clicks -------------------------------------------------------------------------------------

TEST_F(BarItemControlTest, AToolbarClickRunsOnClickItemThenOnClickPressedAndWithTheClickedLink) {
  TdxBarButton* item = Make("Open");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  TdxBarItemControl* c = ControlAt(bar, 0);
  TdxBarItemLink* link = c->ItemLink();
  std::vector<String> order;
  M->OnClickItem = [&](TdxBarManager*, TdxBarItem* AItem) { order.push_back(AItem == item ? "item" : "other"); };
  item->SetOnClick([&](TObject*) {
    order.push_back("click");
    EXPECT_TRUE(c->Pressed());
    EXPECT_EQ(item->ClickedLink(), link);
  });
  c->Invoke(false);
  EXPECT_EQ(order, (std::vector<String>{"item", "click"}));
  EXPECT_FALSE(c->Pressed());
  EXPECT_EQ(item->ClickedLink(), nullptr);
  EXPECT_EQ(bar->CloseUps, 1);

  // A disabled control neither presses nor clicks.
  order.clear();
  item->SetEnabled(false);
  ControlAt(bar, 0)->Invoke(false);
  EXPECT_TRUE(order.empty());
}

TEST_F(BarItemControlTest, AClickThatFreesTheToolbarTouchesNothingAfterwards) {
  TdxBarButton* item = Make("Close all");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  TcxObjectLinkScope alive(ControlAt(bar, 0));
  item->SetOnClick([&](TObject*) {
    Forget(bar);
    TObject::Free(bar);
  });
  ControlAt(bar, 0)->Invoke(false);
  EXPECT_FALSE(alive.Alive());
  EXPECT_EQ(item->ClickedLink(), nullptr);
}

TEST_F(BarItemControlTest, AMenuClickSoundsAndClosesTheMenuUnlessTheButtonKeepsItOpen) {
  const bool sounds = PlaySounds;
  PlaySounds = true;
  M->SetStyle(bmsEnhanced);  // menus count recent use
  TdxBarButton* item = Make("Open");
  TStandInBar* menu = NewBar(dxBarKindMenu, {item});
  auto* c = static_cast<TStandInButtonControl*>(ControlAt(menu, 0));
  TdxBarItemLink* link = c->ItemLink();
  int clicks = 0;
  item->SetOnClick([&](TObject*) { ++clicks; });
  for (bool closes : {true, false}) {
    platform::Headless()->ClearSounds();
    c->Closes = closes;
    menu->CloseUps = 0;
    const int used = link->UseCount();
    c->Click(false);
    const std::vector<platform::SoundRequest> sound = {{"MenuCommand", 0x12003, true}};
    EXPECT_EQ(platform::Headless()->Sounds(), sound) << closes;
    EXPECT_EQ(menu->CloseUps, closes ? 1 : 0);
    EXPECT_EQ(link->UseCount(), used + (closes ? 1 : 0));
    EXPECT_FALSE(c->Pressed()) << "a menu that stays open unpresses too";
  }
  EXPECT_EQ(clicks, 2);
  PlaySounds = sounds;
}

// ---- hints --------------------------------------------------------------------------------------

TEST_F(BarItemControlTest, HintsAreTheTextBeforeTheBarAndTheShortcutInBrackets) {
  TdxBarButton* item = Make("Open");
  item->SetHint("Open|Opens a file");
  item->SetShortCut(TextToShortCut("Ctrl+O"));
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  TdxBarItemControl* c = ControlAt(bar, 0);
  String hint, shortcut;
  c->HintTexts(hint, shortcut);
  EXPECT_EQ(hint, "Open");
  EXPECT_EQ(shortcut, " (Ctrl+O)");
  EXPECT_TRUE(c->HasHint());

  bool handled = true;
  EXPECT_FALSE(c->QueryHint(handled, hint, shortcut)) << "not under the cursor";
  EXPECT_TRUE(hint.empty());
  POINT p = Center(c->ItemRect());
  ClientToScreen(bar->Handle(), &p);
  SetCursorPos(p.x, p.y);
  ASSERT_TRUE(c->QueryHint(handled, hint, shortcut));
  EXPECT_FALSE(handled);
  EXPECT_EQ(hint, "Open");
  EXPECT_EQ(shortcut, " (Ctrl+O)");

  // An action that takes the hint over answers for it.
  auto* action = new TAction(Form);
  action->SetCaption("Open");
  action->SetHint("Open|Opens a file");
  action->OnHint = [](String&, bool& CanShow) { CanShow = false; };
  item->SetAction(action);
  c = ControlAt(bar, 0);
  p = Center(c->ItemRect());
  ClientToScreen(bar->Handle(), &p);
  SetCursorPos(p.x, p.y);
  EXPECT_FALSE(c->QueryHint(handled, hint, shortcut));
  EXPECT_TRUE(handled);
}

// ---- destruction --------------------------------------------------------------------------------

TEST_F(BarItemControlTest, DestroyingTheSelectedControlClearsTheBarsSelection) {
  TStandInBar* bar = NewBar(dxBarKindToolbar, {Make("Open"), Make("Save")});
  TdxBarItemLink* link = bar->ItemLinks()->Items(1);
  bar->SetSelectedControl(link->Control());
  ASSERT_EQ(bar->SelectedLink(), link);
  EXPECT_EQ(M->SelectedItem(), link->Control());
  link->FreeControl();
  EXPECT_EQ(bar->SelectedLink(), nullptr);
  EXPECT_EQ(M->SelectedItem(), nullptr);
  EXPECT_NE(bar->ItemLinks()->Items(0)->Control(), nullptr);

  // A control with a brush of its style's colour that is the manager's hint object: both go with it.
  auto* style = new TcxStyle(Form);
  style->SetColor(clYellow);
  TdxBarItemLink* first = bar->ItemLinks()->Items(0);
  first->Item()->SetStyle(style);
  ASSERT_TRUE(first->Control()->HasOwnBkBrush());
  M->SetHintObject(first->Control());
  const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  first->FreeControl();
  EXPECT_EQ(M->HintObject(), nullptr);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects - 1) << "the brush";
}

// ---- painting -----------------------------------------------------------------------------------

TEST_F(BarItemControlTest, PaintingStaysInsideTheRectangleInTheTextColourAndKeepsThePreparedGlyph) {
  TdxBarButton* item = Make("Open");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {item});
  auto* c = static_cast<TStandInButtonControl*>(ControlAt(bar, 0));
  c->LayoutInfo()->SetCurrentLevel(ivlSmallIconWithText);

  // Into a bitmap of its own: nothing outside the rectangle changes, the caption is in the
  // painter's text colour, and the canvas keeps its font.
  TBitmap surface;
  surface.SetSize(120, 40);
  surface.Canvas()->Brush()->SetColor(clRed);
  surface.Canvas()->FillRect(TRect{0, 0, 120, 40});
  TcxCanvas canvas(surface.Canvas());
  const TRect r{10, 6, 100, 32};
  c->Paints = 0;
  c->Paint(&canvas, r, pmHorizontal);
  c->Paint(&canvas, {50, 50, 50, 60}, pmHorizontal);
  EXPECT_EQ(c->Paints, 1) << "an empty rectangle paints nothing";
  const COLORREF text = ColorToRGB(bar->BarPainter()->TextColor(false, false));
  HDC dc = surface.Canvas()->Handle();
  int outside = 0, inText = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool in = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      const COLORREF px = GetPixel(dc, x, y);
      if (!in && px != RGB(255, 0, 0)) ++outside;
      if (in && px == text) ++inText;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inText, 10) << "caption pixels";
  EXPECT_EQ(c->DrawInfo()->Canvas, bar->DrawCanvas()->Canvas()) << "the cheap refresh after painting";

  // The glyph is prepared once while it stays the same.
  int prepared = 0;
  cxDrawImageProc = [&](TcxAlphaBitmap*, const TRect&, TBitmap*, TCustomImageList*, int, TcxImageDrawMode) {
    ++prepared;
    return false;
  };
  bar->RealRebuild = false;
  item->SetGlyph(Picture(16));
  c->Paint(&canvas, r, pmHorizontal);
  c->Paint(&canvas, r, pmHorizontal);
  EXPECT_EQ(prepared, 1);
  item->SetGlyph(Picture(16, clYellow));
  c->Paint(&canvas, r, pmHorizontal);
  EXPECT_EQ(prepared, 2) << "a new glyph is prepared again";
  cxDrawImageProc = nullptr;
}

TEST_F(BarItemControlTest, ScreenshotOfAToolbarAndAMenu) {
  M->SetLargeIcons(false);
  std::vector<TdxBarItem*> tools;
  auto* label = Make<TdxBarLabel>("Wall:");
  tools.push_back(label);
  const char* captions[] = {"Large", "Small+text", "Icon", "Control"};
  for (int level = 0; level < 4; ++level) {
    TdxBarButton* b = Make(captions[level]);
    b->SetGlyph(Picture(16, level % 2 ? clLime : clAqua));
    b->SetLargeGlyph(Picture(32, clFuchsia));
    tools.push_back(b);
  }
  TStandInBar* toolbar = new TStandInBar(M, dxBarKindToolbar);
  auto* links = new TdxBarControlItemLinks(M, nullptr);
  for (TdxBarItem* item : tools) links->AddItem(item);
  toolbar->SetItemLinks(links);
  Owned.emplace_back(links);
  Bars.push_back(toolbar);
  for (int level = 0; level < 4; ++level) toolbar->Levels[links->Items(level + 1)] = level;
  toolbar->SetBounds(40, 40, 300, 60);
  Form->Show();
  toolbar->HandleNeeded();
  toolbar->ShowNoActivate();
  toolbar->SetVisible(true);

  auto* head = Make<TdxBarSeparator>("Screens");
  head->SetShowCaption(true);
  auto* tail = Make<TdxBarSeparator>("Scenes");
  tail->SetShowCaption(true);
  TdxBarButton* open = Make("&Open wall");
  open->SetGlyph(Picture(16));
  open->SetShortCut(TextToShortCut("Ctrl+O"));
  TdxBarButton* save = Make("&Save scene");
  TdxBarButton* off = Make("Power off");
  off->SetEnabled(false);
  TStandInBar* menu = NewBar(dxBarKindMenu, {head, open, save, tail, Make<TdxBarLabel>("No scenes"), off}, 40, 140);
  for (TStandInBar* bar : {toolbar, menu}) {
    bar->Invalidate();
    bar->Update();
  }
  Application->ProcessMessages();
  EXPECT_TRUE(platform::Headless()->SaveScreenshot(testsupport::ArtifactPath("bar_item_controls.png")));

  // The toolbar's four buttons measure by level: large is the tallest, the control-only one the
  // narrowest, and the text makes the difference between levels 1 and 2.
  auto width = [&](int i) { return links->Items(i)->ItemRect().Right - links->Items(i)->ItemRect().Left; };
  EXPECT_GT(width(2), width(3));
  EXPECT_EQ(ControlAt(toolbar, 1)->DrawInfo()->ViewSize, cvsLarge);
  EXPECT_EQ(ControlAt(toolbar, 4)->DrawInfo()->ViewStructure, 0u);
}

}  // namespace
