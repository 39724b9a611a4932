#include "ui/pages/PCTabsPainter.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/pages/TabLayout.h"

namespace {

bool IsEmptyRect(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }
bool CodeIn(int Code, std::initializer_list<int> Codes) { return std::find(Codes.begin(), Codes.end(), Code) != Codes.end(); }

bool DefaultFor(TcxLookAndFeel* LookAndFeel, std::initializer_list<TcxPainterStyle> Styles) {
  if (!LookAndFeel) return false;
  TcxCustomLookAndFeelPainterClass painter = LookAndFeel->PainterForThemedObjects({tciTab});
  return painter && std::find(Styles.begin(), Styles.end(), painter->PainterStyle()) != Styles.end();
}

class TTabsStyle : public TcxPCStandardPainterClassInfo {
 public:
  TcxPCStyleID StyleID() const override { return 1; }
  String StyleName() const override { return "Tabs"; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel* LookAndFeel) const override {
    return DefaultFor(LookAndFeel, {psStandard, psNative});
  }
  bool SuitsNativeStyle(TcxLookAndFeel* LookAndFeel) const override { return LookAndFeel && LookAndFeel->NativeStyle(); }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCTabsPainter>(Control);
  }
};

class TFlatStyle : public TTabsStyle {
 public:
  TcxPCStyleID StyleID() const override { return 7; }
  String StyleName() const override { return "Flat"; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel* LookAndFeel) const override { return DefaultFor(LookAndFeel, {psFlat}); }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCFlatPainter>(Control);
  }
};

const TTabsStyle kTabsStyle;
const TFlatStyle kFlatStyle;

using TPoints = std::vector<TPoint>;

}  // namespace

TcxPCPainterClass cxPCTabsStyle() { return &kTabsStyle; }
TcxPCPainterClass cxPCFlatStyle() { return &kFlatStyle; }
TcxPCPainterClass TcxPCTabsPainter::PainterClass() const { return &kTabsStyle; }
TcxPCPainterClass TcxPCFlatPainter::PainterClass() const { return &kFlatStyle; }

// ---- metrics ------------------------------------------------------------------------------------

TRect TcxPCTabsPainter::GrownTowardPage(TRect R, int N, TcxTabPosition RowSide) {
  switch (RowSide) {
    case tpTop: R.Bottom += N; break;
    case tpBottom: R.Top -= N; break;
    case tpLeft: R.Right += N; break;
    case tpRight: R.Left -= N; break;
  }
  return R;
}

TRect TcxPCTabsPainter::TabRectAdjustment(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (!tab->IsSelectedTab()) return TRect();
  switch (tab->RowSide()) {
    case tpTop: return TRect(-2, -2, 2, 1);
    case tpBottom: return TRect(-2, -1, 2, 2);
    case tpLeft: return TRect(-2, -2, 1, 2);
    case tpRight: return TRect(-1, -2, 2, 2);
  }
  return TRect();
}

TRect TcxPCTabsPainter::TabRowsExtents() {
  TRect r = TcxPCStandardPainter::TabRowsExtents();
  if (!Control()->HideTabs() && Control()->Layout()->RowCount() > 0) --r.Top;
  return r;
}

TRect TcxPCTabsPainter::PageClientExtents() {
  TRect r = TcxPCStandardPainter::PageClientExtents();
  if (!IsNativePainting()) return r;
  // The theme's margins are in screen orientation; the extents live in the tabs-on-top frame.
  TRect m = RotateRectBackForTabPosition(ThemedContentMargins(), Control()->TabPosition());
  int shift = ClientShift();
  return TRect(r.Left - shift + m.Left, r.Top - shift + m.Top, r.Right - shift + m.Right, r.Bottom - shift + m.Bottom);
}

TRect TcxPCTabsPainter::TabContentOffsets(int TabVisibleIndex) {
  TRect o = TcxPCStandardPainter::TabContentOffsets(TabVisibleIndex);
  if (CodeIn(VisibleTab(TabVisibleIndex)->OrientationCode(), {5, 7, 10})) ++o.Bottom;
  return o;
}

TRect TcxPCTabsPainter::TabImageTextOffsets(int TabVisibleIndex) {
  TRect o = TcxPCStandardPainter::TabImageTextOffsets(TabVisibleIndex);
  if (CodeIn(VisibleTab(TabVisibleIndex)->OrientationCode(), {5, 7, 10})) ++o.Bottom;
  return o;
}

TcxPCWOffset TcxPCTabsPainter::TabSizeCorrection(int TabVisibleIndex) {
  if (!IsSelected(TabVisibleIndex) || !Control()->Rotate()) return {0, 0};
  return CodeIn(VisibleTab(TabVisibleIndex)->OrientationCode(), {3, 6, 11}) ? TcxPCWOffset{2, 1} : TcxPCWOffset{1, 2};
}

TcxPCWOffset TcxPCTabsPainter::TabContentPadding(int TabVisibleIndex) {
  TcxPCWOffset pair{3, 3};
  if (IsTabActiveLook(TabVisibleIndex)) pair = Control()->Rotate() ? TcxPCWOffset{4, 5} : TcxPCWOffset{5, 5};
  if (CodeIn(VisibleTab(TabVisibleIndex)->OrientationCode(), {3, 6, 11})) std::swap(pair.Left, pair.Right);
  return pair;
}

TColor TcxPCTabsPainter::TabFillColor(int TabVisibleIndex) {
  if (VisibleTab(TabVisibleIndex)->Highlighted()) return clHighlight;
  TColor colour = TabOwnColor(TabVisibleIndex);
  return colour == clDefault ? clBtnFace : colour;
}

int TcxPCTabsPainter::TabContentHeight() {
  return TcxPCStandardPainter::TabContentHeight() - 2 - (Control()->Rotate() ? 0 : 1);
}

void TcxPCTabsPainter::CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) {
  TcxTabPosition position = Control()->TabPosition();
  TRect area(0, 0, Control()->Width(), Control()->Height());
  int navigator = Control()->MultiLine() ? 0 : NavigatorWidth(Buttons);
  if (navigator > 0) {
    bool far = NavigatorAtFarEnd();
    if (IsSideStrip())
      (far ? area.Bottom : area.Top) += far ? -navigator : navigator;
    else
      (far ? area.Right : area.Left) += far ? -navigator : navigator;
  }
  Metrics.TabsAreaRect = area;
  Metrics.StartPoint = TPoint(area.Left + 2, area.Top + 2);
  Metrics.EndPoint = TPoint(area.Right - 2, area.Bottom - 2);
  Metrics.RowLength = IsSideStrip() ? Metrics.EndPoint.Y - Metrics.StartPoint.Y : Metrics.EndPoint.X - Metrics.StartPoint.X;
  Metrics.FirstBandExtension = position == tpTop || position == tpLeft ? 1 : 0;
  Metrics.SecondBandExtension = position == tpBottom || position == tpRight ? -1 : 0;
  Metrics.BandGap = 0;
  LayoutNavigatorButtons(Buttons);
}

// ---- regions and invalidation ---------------------------------------------------------------------

std::unique_ptr<TcxRegion> TcxPCTabsPainter::TabRegion(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect clipped = tab->ClippedRect();
  if (!tab->IsSelectedTab() || IsEmptyRect(clipped)) return std::make_unique<TcxRegion>(clipped);
  TRect r = GrownTowardPage(tab->FullRect(), 1, tab->RowSide());
  // Its region replaces the clip: keep it off the navigator at the end of the row.
  TRect band = Control()->Layout()->BandOfRow(tab->VisibleRow());
  if (IsSideStrip()) {
    r.Top = std::max(r.Top, band.Top);
    r.Bottom = std::min(r.Bottom, band.Bottom);
  } else {
    r.Left = std::max(r.Left, band.Left);
    r.Right = std::min(r.Right, band.Right);
  }
  return std::make_unique<TcxRegion>(r);
}

TcxRegionCombineMode TcxPCTabsPainter::TabClipOperation(int TabVisibleIndex) {
  return IsSelected(TabVisibleIndex) ? rcmCopy : rcmIntersect;
}

void TcxPCTabsPainter::InvalidateTabRect(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect r = tab->ClippedRect();
  if (!IsEmptyRect(r)) InvalidateControlRect(GrownTowardPage(r, 1, tab->RowSide()));
}

void TcxPCTabsPainter::RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) {
  if (Kind == tpcIsMainTab && !IsSelected(TabVisibleIndex)) {
    InvalidateBandOfTab(TabVisibleIndex);
    return;
  }
  TcxPCStandardPainter::RepaintTab(TabVisibleIndex, Kind);
}

void TcxPCTabsPainter::SetTabImageTextRects(int TabVisibleIndex, const TRect& ImageRect, const TRect& TextRect) {
  TRect image = ImageRect, text = TextRect;
  if (IsNativePainting() && IsSelected(TabVisibleIndex) &&
      CodeIn(VisibleTab(TabVisibleIndex)->OrientationCode(), {5, 7, 10})) {
    image = TRect(image.Left, image.Top + 1, image.Right, image.Bottom + 1);
    text = TRect(text.Left, text.Top + 1, text.Right, text.Bottom + 1);
  }
  TcxPCStandardPainter::SetTabImageTextRects(TabVisibleIndex, image, text);
}

// ---- the theme ------------------------------------------------------------------------------------

bool TcxPCTabsPainter::IsNativePainting() {
  TcxLookAndFeel* lookAndFeel = Control()->LookAndFeel();
  return !Control()->IsDestroying() && lookAndFeel && lookAndFeel->NativeStyle() && HasVisualStyles() &&
         AcquireThemeHandle(tciTab) != nullptr;
}

void TcxPCTabsPainter::ThemeTabPartAndState(int TabVisibleIndex, int& Part, int& State) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TcxTabLayout* layout = Control()->Layout();
  TcxPCLineIndexBoundsArray rows = layout->VisibleRowBounds();
  int row = tab->VisibleRow();
  bool firstOfRow = row >= 0 && row < static_cast<int>(rows.size()) && rows[static_cast<std::size_t>(row)].Left == TabVisibleIndex;
  bool lastOfRow = row >= 0 && row < static_cast<int>(rows.size()) && rows[static_cast<std::size_t>(row)].Right == TabVisibleIndex;
  bool selected = tab->IsSelectedTab();
  enum { kFirst, kMiddle, kLast } position = kMiddle;
  if (!Control()->MultiLine() || Control()->RaggedRight()) {
    if (firstOfRow)
      position = kFirst;
    else if (TabVisibleIndex == Control()->Tabs()->VisibleCount() - 1 && !selected)
      position = kLast;
  } else if (lastOfRow) {
    position = kLast;
  } else if (firstOfRow) {
    position = kFirst;
  }
  static constexpr int kParts[2][3] = {{2, 1, 3}, {6, 5, 7}};
  Part = kParts[selected][position];
  State = TabThemeState(TabVisibleIndex);
}

void TcxPCTabsPainter::NavigatorThemePartAndState(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState State,
                                                  bool SideStrip, int& Part, int& State_) {
  switch (Button) {
    case nbTopLeft: Part = SideStrip ? 1 : 4; break;
    case nbBottomRight: Part = SideStrip ? 2 : 3; break;
    case nbGoDialog: Part = 2; break;
    case nbClose: Part = 19; break;
  }
  static constexpr int kStates[] = {1, 3, 2, 4};  // normal, pressed, hot, disabled
  State_ = kStates[std::clamp(State, 0, 3)];
}

int TcxPCTabsPainter::NavigatorButtonExtent() { return IsNativePainting() ? 17 : TcxPCStandardPainter::NavigatorButtonExtent(); }

int TcxPCTabsPainter::NavigatorButtonLength(TcxPCNavigatorButton Button) {
  if (!IsNativePainting()) return TcxPCStandardPainter::NavigatorButtonLength(Button);
  if (Button != nbGoDialog) return 17;
  TSize size;
  win::HTHEME spin = AcquireThemeHandle(tciSpin);
  if (spin && UxGetThemePartSize(spin, Canvas()->DeviceContext(), 2, 1, nullptr, win::TS_TRUE, size) == 0 && size.cx > 0)
    return size.cx;
  return 17;
}

void TcxPCTabsPainter::PaintNavigatorButton(TcxPCNavigatorButton Button, const TRect& R) {
  if (!IsNativePainting()) {
    TcxPCStandardPainter::PaintNavigatorButton(Button, R);
    return;
  }
  int part, state;
  NavigatorThemePartAndState(Button, ButtonState(Button), IsSideStrip(), part, state);
  win::HTHEME theme = AcquireThemeHandle(Button == nbClose ? tciWindow : tciSpin);
  if (Control()->ParentBackground() && UxIsThemeBackgroundPartiallyTransparent(theme, part, state))
    Control()->DrawParentBackground(Canvas()->DeviceContext(), R);
  else
    Canvas()->FillRectWithColor(R, Control()->Color());
  UxDrawThemeBackground(theme, Canvas()->DeviceContext(), part, state, R);
}

void TcxPCTabsPainter::PaintThemedTabPart(win::HDC DC, int TabVisibleIndex, const TRect& R) {
  int part, state;
  ThemeTabPartAndState(TabVisibleIndex, part, state);
  UxDrawThemeBackground(AcquireThemeHandle(tciTab), DC, part, state, R);
}

void TcxPCTabsPainter::PaintTabBitmapBackground(TBitmap* Bitmap, const TRect& R, TcxTab*) {
  TRect local(0, 0, Bitmap->Width(), Bitmap->Height());
  if (IsNativePainting() && Control()->ParentBackground()) {
    // The parent's background as it lies under the tab.
    win::HDC dc = Bitmap->Canvas()->Handle();
    win::POINT old{};
    win::SetWindowOrgEx(dc, R.Left, R.Top, &old);
    Control()->DrawParentBackground(dc, R);
    win::SetWindowOrgEx(dc, old.x, old.y, nullptr);
  } else {
    Bitmap->Canvas()->Brush()->SetStyle(bsSolid);
    Bitmap->Canvas()->Brush()->SetColor(ControlBackgroundColor());
    Bitmap->Canvas()->FillRect(local);
  }
}

void TcxPCTabsPainter::PaintThemedTabBackground(TcxTab* Tab, int TabVisibleIndex) {
  TcxPCTabImageAndTextData& data = TabImageAndTextData();
  data.TabVisibleIndex = TabVisibleIndex;
  TRect b = Tab->FullRect();
  if (Tab->IsSelectedTab()) b = GrownTowardPage(b, 1, Tab->RowSide());
  int code = Tab->OrientationCode();
  bool sideRow = Tab->RowSide() == tpLeft || Tab->RowSide() == tpRight;
  bool mirrored = CodeIn(code, {4, 5, 6, 10, 11, 12});
  TcxBitmap32* bitmap = Tab->EnsurePaintBitmap();
  int w = b.Right - b.Left, h = b.Bottom - b.Top;
  bitmap->SetSize(sideRow ? h : w, sideRow ? w : h);
  TcxCanvas* canvas = Canvas();
  // Into screen orientation for the background, back to a top tab for the theme's part.
  bool sideCode = code >= 4 && code <= 9;
  canvas->RotateBitmap(bitmap, sideCode ? rcTurnRight : rcNone, mirrored);
  PaintTabBitmapBackground(bitmap, b, Tab);
  canvas->RotateBitmap(bitmap, sideCode ? rcTurnLeft : rcNone, mirrored);
  PaintThemedTabPart(bitmap->Canvas()->Handle(), TabVisibleIndex, TRect(0, 0, bitmap->Width(), bitmap->Height()));
  TcxRotationCode final = CodeIn(code, {2, 9, 12})   ? rcTurnRight
                          : CodeIn(code, {3, 6, 11}) ? rcTurnLeft
                          : CodeIn(code, {4, 7})     ? rcHalfTurn
                                                     : rcNone;
  canvas->RotateBitmap(bitmap, final, mirrored);
}

void TcxPCTabsPainter::PaintThemedPage(TcxCanvas* ACanvas) {
  TRect r = PageFrameBounds();
  if (IsEmptyRect(r)) return;
  TRect m = ThemedContentMargins();
  r.Right = std::max(r.Right, r.Left + m.Left + m.Right);
  r.Bottom = std::max(r.Bottom, r.Top + m.Top + m.Bottom);
  win::HTHEME theme = AcquireThemeHandle(tciTab);
  bool own = ACanvas == Canvas();
  if (own && UxIsThemeBackgroundPartiallyTransparent(theme, 9, 0) && Control()->ParentBackground())
    Control()->DrawParentBackground(ACanvas->DeviceContext(), r);
  else
    ACanvas->FillRectWithColor(r, Control()->Color());
  UxDrawThemeBackground(theme, ACanvas->DeviceContext(), 9, 0, r);
  if (own) ACanvas->ExcludeRectFromClip(r);
}

void TcxPCTabsPainter::PaintPageBackgroundForChild(win::HDC DC, TControl* Child) {
  TRect r = PageFrameBounds();
  r = TRect(r.Left - 2 - Child->Left(), r.Top - 2 - Child->Top(), r.Right + 2 - Child->Left(), r.Bottom + 2 - Child->Top());
  UxDrawThemeBackground(AcquireThemeHandle(tciTab), DC, 9, 0, r);
}

void TcxPCTabsPainter::PaintPageArea() {
  if (IsNativePainting())
    PaintThemedPage(Canvas());
  else
    TcxPCStandardPainter::PaintPageArea();
}

// ---- tabs ---------------------------------------------------------------------------------------

void TcxPCTabsPainter::PaintTabs() {
  int selected = Control()->SelectedTabVisibleIndex();
  if (selected >= 0 && selected < Control()->Tabs()->VisibleCount() && VisibleTab(selected)->IsOnScreen())
    DrawTab(selected);
  int first, last;
  Control()->Layout()->PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last; ++i)
    if (i != selected) DrawTab(i);
}

void TcxPCTabsPainter::TabFocusBounds(const TRect& TabBounds, TRect& R) {
  R = TRect(TabBounds.Left + 2, TabBounds.Top + 2, TabBounds.Right - 2, TabBounds.Bottom - 2);
}

void TcxPCTabsPainter::PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) {
  TcxCanvas* canvas = Canvas();
  TcxTabPosition side = Tab->RowSide();
  if (IsNativePainting()) {
    TcxBitmap32* bitmap = Tab->PaintBitmap();
    TRect b = Tab->FullRect();
    if (Tab->IsSelectedTab()) b = GrownTowardPage(b, 1, side);
    int code = Tab->OrientationCode();
    if (CodeIn(code, {2, 4, 7, 11}))
      canvas->RotateBitmap(bitmap, rcTurnLeft);
    else if (CodeIn(code, {3, 5, 8, 12}))
      canvas->RotateBitmap(bitmap, rcTurnRight);
    canvas->Canvas()->Draw(b.Left, b.Top, bitmap);
    TRect focus;
    TabFocusBounds(b, focus);
    PaintTabFocusRect(TabVisibleIndex, focus);
    return;
  }
  TRect full = Tab->FullRect();
  TRect r = GrownTowardPage(TRect(full.Left + 2, full.Top + 2, full.Right - 2, full.Bottom - 2), 2, side);
  canvas->FillRectWithColor(r, TabFillColor(TabVisibleIndex));
  if (Tab->IsSelectedTab()) {
    PaintTabFocusRect(TabVisibleIndex, GrownTowardPage(r, -1, side));
  } else {
    TRect strip = r;
    switch (side) {
      case tpTop: strip = TRect(r.Left, r.Bottom, r.Right, r.Bottom + 2); break;
      case tpBottom: strip = TRect(r.Left, r.Top - 2, r.Right, r.Top); break;
      case tpLeft: strip = TRect(r.Right, r.Top, r.Right + 2, r.Bottom); break;
      case tpRight: strip = TRect(r.Left - 2, r.Top, r.Left, r.Bottom); break;
    }
    canvas->FillRectWithColor(strip, Control()->Color());
  }
  PaintClassicTab(TabVisibleIndex);
}

void TcxPCTabsPainter::TabRowEdgeFlags(int TabVisibleIndex, TColor& Colour1, TColor& Colour2) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TcxTabLayout* layout = Control()->Layout();
  int row = tab->VisibleRow(), rows = layout->RowCount(), top = layout->TopRowCount();
  TColor colour = Control()->Color();
  if ((row == 0 && top > 0) || (row == rows - 1 && top < rows)) {
    Colour1 = Colour2 = colour;
    return;
  }
  Colour1 = Colour2 = clBtnFace;
  if (tab->IsSelectedTab() && !Control()->Rotate()) {
    TcxPCLineIndexBoundsArray bounds = layout->VisibleRowBounds();
    if (row >= 0 && row < static_cast<int>(bounds.size())) {
      if (bounds[static_cast<std::size_t>(row)].Left == TabVisibleIndex) Colour1 = colour;
      if (bounds[static_cast<std::size_t>(row)].Right == TabVisibleIndex) Colour2 = colour;
    }
  }
}

void TcxPCTabsPainter::PaintTabEdges(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TColor c1, c2;
  TabRowEdgeFlags(TabVisibleIndex, c1, c2);
  TcxTabPosition side = tab->RowSide();
  bool sideRow = side == tpLeft || side == tpRight;
  // Exchanged on the sides unless the caption reads from top to bottom.
  if (sideRow && cxPCTabTextDirection(Control()->TabPosition(), Control()->Rotate(), Control()->Options()) != 2)
    std::swap(c1, c2);
  TRect f = tab->FullRect();
  int L = f.Left, T = f.Top, R = f.Right, B = f.Bottom;
  TPoint first[3], second[3];
  auto set = [](TPoint* P, TPoint a, TPoint b, TPoint c) { P[0] = a, P[1] = b, P[2] = c; };
  switch (side) {
    case tpTop:
      set(first, {L, T + 1}, {L, T}, {L + 1, T});
      set(second, {R - 2, T}, {R - 1, T}, {R - 1, T + 1});
      break;
    case tpBottom:
      set(first, {L, B - 2}, {L, B - 1}, {L + 1, B - 1});
      set(second, {R - 2, B - 1}, {R - 1, B - 1}, {R - 1, B - 2});
      break;
    case tpLeft:
      set(first, {L, T + 1}, {L, T}, {L + 1, T});
      set(second, {L, B - 2}, {L, B - 1}, {L + 1, B - 1});
      break;
    case tpRight:
      set(first, {R - 2, T}, {R - 1, T}, {R - 1, T + 1});
      set(second, {R - 2, B - 1}, {R - 1, B - 1}, {R - 1, B - 2});
      break;
  }
  TCanvas* canvas = Canvas()->Canvas();
  for (const TPoint& p : first) canvas->SetPixels(p.X, p.Y, c1);
  for (const TPoint& p : second) canvas->SetPixels(p.X, p.Y, c2);
}

namespace {

// Polylines of one tab, each through both ends, by the side its row lies on.
struct TOutline {
  TPoints Lines[4];
};

// The selected tab's join with the page: a line of pixels beyond its page-side edge. Along runs
// from Near to Far (exclusive) on the line; Put draws one pixel at a place along it.
void DrawJoin(const std::function<void(int, TColor)>& Put, int Near, int Far, int Extent, bool NearEdgeLight,
              TColor Fill) {
  int start = Near;
  if (NearEdgeLight) {
    if (Near == 0) {
      Put(0, clBtnHighlight);
      start = 1;
    }
    for (int x = start; x <= Near + 1; ++x) Put(x, cl3DLight);
    if (Far == Extent) {
      for (int x = Near + 2; x <= Far - 3; ++x) Put(x, Fill);
      Put(Far - 2, clBtnShadow);
      Put(Far - 1, cl3DDkShadow);
    } else {
      for (int x = Near + 2; x <= Far - 1; ++x) Put(x, Fill);
    }
    return;
  }
  if (Near == 0) {
    Put(0, clBtnHighlight);
    Put(1, cl3DLight);
    start = 2;
  }
  for (int x = start; x <= Far - 3; ++x) Put(x, Fill);
  if (Far == Extent) {
    Put(Far - 2, clBtnShadow);
    Put(Far - 1, cl3DDkShadow);
  } else {
    Put(Far - 2, clBtnShadow);
    Put(Far - 1, clBtnShadow);
  }
}

}  // namespace

void TcxPCTabsPainter::PaintClassicTab(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect f = tab->FullRect();
  int L = f.Left, T = f.Top, R = f.Right, B = f.Bottom;
  TcxTabPosition side = tab->RowSide();
  TPoints lines[4];
  switch (side) {
    case tpTop:
      lines[0] = {{L, B - 1}, {L, T + 2}, {L + 2, T}, {R - 3, T}};
      lines[1] = {{L + 1, B - 1}, {L + 1, T + 2}, {L + 2, T + 1}, {R - 3, T + 1}};
      lines[2] = {{R - 1, B - 1}, {R - 1, T + 2}, {R - 2, T + 1}};
      lines[3] = {{R - 2, B - 1}, {R - 2, T + 2}};
      break;
    case tpBottom:
      lines[0] = {{L, T}, {L, B - 3}, {L + 1, B - 2}};
      lines[1] = {{L + 1, T}, {L + 1, B - 3}};
      lines[2] = {{L + 2, B - 1}, {R - 3, B - 1}, {R - 1, B - 3}, {R - 1, T}};
      lines[3] = {{L + 2, B - 2}, {R - 3, B - 2}, {R - 2, B - 3}, {R - 2, T}};
      break;
    case tpLeft:
      lines[0] = {{L, B - 3}, {L, T + 2}, {L + 2, T}, {R - 1, T}};
      lines[1] = {{L + 1, B - 3}, {L + 1, T + 2}, {L + 2, T + 1}, {R - 1, T + 1}};
      lines[2] = {{L + 2, B - 2}, {L + 3, B - 1}, {R - 1, B - 1}};
      lines[3] = {{L + 1, B - 2}, {L + 2, B - 1}, {L + 3, B - 2}, {R - 1, B - 2}};
      break;
    case tpRight:
      lines[0] = {{L, T}, {R - 3, T}, {R - 2, T + 1}};
      lines[1] = {{L, T + 1}, {R - 3, T + 1}};
      lines[2] = {{L, B - 1}, {R - 3, B - 1}, {R - 1, B - 3}, {R - 1, T + 2}};
      lines[3] = {{L, B - 2}, {R - 3, B - 2}, {R - 2, B - 3}, {R - 2, T + 2}};
      break;
  }
  static constexpr TColor kColours[] = {clBtnHighlight, cl3DLight, cl3DDkShadow, clBtnShadow};
  TcxCanvas* canvas = Canvas();
  for (int i = 0; i < 4; ++i) DrawPolyline(lines[i].data(), static_cast<int>(lines[i].size()), canvas, kColours[i]);

  if (tab->IsSelectedTab()) {
    TColor fill = ParentInfo()->ParentReservedFlag() ? clBtnFace : TabFillColor(TabVisibleIndex);
    TCanvas* c = canvas->Canvas();
    switch (side) {
      case tpTop:
        DrawJoin([&](int x, TColor col) { c->SetPixels(x, B, col); }, L, R, Control()->Width(), true, fill);
        break;
      case tpBottom:
        DrawJoin([&](int x, TColor col) { c->SetPixels(x, T - 1, col); }, L, R, Control()->Width(), false, fill);
        break;
      case tpLeft:
        DrawJoin([&](int y, TColor col) { c->SetPixels(R, y, col); }, T, B, Control()->Height(), true, fill);
        break;
      case tpRight:
        DrawJoin([&](int y, TColor col) { c->SetPixels(L - 1, y, col); }, T, B, Control()->Height(), false, fill);
        break;
    }
  }
  PaintTabEdges(TabVisibleIndex);
}

// ---- Flat ---------------------------------------------------------------------------------------

std::unique_ptr<TcxRegion> TcxPCFlatPainter::TabRegion(int TabVisibleIndex) {
  return std::make_unique<TcxRegion>(VisibleTab(TabVisibleIndex)->ClippedRect());
}

void TcxPCFlatPainter::NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) {
  TcxPCTabsPainter::NavigatorGlyphOffset(Button, Offset);
  Offset = TPoint(Offset.X - 1, Offset.Y - 1);
}

void TcxPCFlatPainter::PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) {
  bool pressed = State == nbsPressed;
  Canvas()->DrawTwoColorFrame(R, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnShadow,
                              cxBordersAll, 1);
  R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

void TcxPCFlatPainter::PaintPageBorder(const TRect& R) {
  Canvas()->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow, cxBordersAll, 1);
}

void TcxPCFlatPainter::PaintClassicTab(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect f = tab->FullRect();
  int L = f.Left, T = f.Top, R = f.Right, B = f.Bottom;
  TPoints lines[4];
  switch (tab->RowSide()) {
    case tpTop:
      lines[0] = {{L, B - 1}, {L, T + 2}, {L + 2, T}, {R - 3, T}, {R - 2, T + 1}};
      lines[1] = {{R - 1, T + 2}, {R - 1, B - 1}};
      lines[2] = {{L + 1, B - 1}, {L + 1, T + 2}, {L + 2, T + 1}, {R - 3, T + 1}, {R - 2, T + 2}, {R - 2, B - 1}};
      break;
    case tpBottom:
      lines[0] = {{L, T}, {L, B - 3}, {L + 1, B - 2}};
      lines[1] = {{L + 2, B - 1}, {R - 3, B - 1}, {R - 1, B - 3}, {R - 1, T}};
      lines[2] = {{L + 1, T}, {L + 1, B - 3}};
      lines[3] = {{L + 2, B - 2}, {R - 3, B - 2}, {R - 2, B - 3}, {R - 2, T}};
      break;
    case tpLeft:
      lines[0] = {{L + 1, B - 2}, {L, B - 3}, {L, T + 2}, {L + 2, T}, {R - 1, T}};
      lines[1] = {{R - 1, B - 1}, {L + 2, B - 1}};
      lines[2] = {{R - 1, B - 2}, {L + 2, B - 2}, {L + 1, B - 3}, {L + 1, T + 2}, {L + 2, T + 1}, {R - 1, T + 1}};
      break;
    case tpRight:
      lines[0] = {{L, T}, {R - 3, T}, {R - 2, T + 1}};
      lines[1] = {{R - 1, T + 2}, {R - 1, B - 3}, {R - 3, B - 1}, {L, B - 1}};
      lines[2] = {{L, T + 1}, {R - 3, T + 1}};
      lines[3] = {{R - 2, T + 2}, {R - 2, B - 3}, {R - 3, B - 2}, {L, B - 2}};
      break;
  }
  const TColor colours[] = {clBtnHighlight, clBtnShadow, LightenColor(TabFillColor(TabVisibleIndex), 85), clBtnFace};
  TcxCanvas* canvas = Canvas();
  for (int i = 0; i < 4; ++i)
    if (!lines[i].empty()) DrawPolyline(lines[i].data(), static_cast<int>(lines[i].size()), canvas, colours[i]);
  PaintTabEdges(TabVisibleIndex);
}
