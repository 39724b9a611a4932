#include "ui/pages/PCExtraFlatPainters.h"

#include <algorithm>
#include <tuple>

#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/pages/TabLayout.h"

namespace {

bool IsEmptyRect(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }
bool CodeIn(int Code, std::initializer_list<int> Codes) { return std::find(Codes.begin(), Codes.end(), Code) != Codes.end(); }
TRect Grow(const TRect& R, const TRect& E) { return TRect(R.Left - E.Left, R.Top - E.Top, R.Right + E.Right, R.Bottom + E.Bottom); }
TRect Deflate(const TRect& R, int N) { return TRect(R.Left + N, R.Top + N, R.Right - N, R.Bottom - N); }

TcxPainterStyle TabPainterStyle(TcxLookAndFeel* LookAndFeel, bool& Has) {
  Has = false;
  if (!LookAndFeel) return psStandard;
  TcxCustomLookAndFeelPainterClass painter = LookAndFeel->PainterForThemedObjects({tciTab});
  Has = painter != nullptr;
  return painter ? painter->PainterStyle() : psStandard;
}

class TExtraFlatStyle : public TcxPCStandardPainterClassInfo {
 public:
  TcxPCStyleID StyleID() const override { return 5; }
  String StyleName() const override { return "ExtraFlat"; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCExtraFlatPainter>(Control);
  }
};

class TUltraFlatStyle : public TExtraFlatStyle {
 public:
  TcxPCStyleID StyleID() const override { return 6; }
  String StyleName() const override { return "UltraFlat"; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel* LookAndFeel) const override {
    bool has;
    TcxPainterStyle style = TabPainterStyle(LookAndFeel, has);
    return has && style == psUltraFlat;
  }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCUltraFlatPainter>(Control);
  }
};

class TOffice11Style : public TUltraFlatStyle {
 public:
  TcxPCStyleID StyleID() const override { return 8; }
  String StyleName() const override { return "Office11"; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel* LookAndFeel) const override {
    bool has;
    TcxPainterStyle style = TabPainterStyle(LookAndFeel, has);
    return has && !LookAndFeel->SkinPainter() && style == psOffice11;
  }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCOffice11Painter>(Control);
  }
};

const TExtraFlatStyle kExtraFlatStyle;
const TUltraFlatStyle kUltraFlatStyle;
const TOffice11Style kOffice11Style;

// The Office-2003 pairs of the table.
struct TPair {
  TColor First, Second;
};
TPair BackgroundPair() { return {Office11GradientLightColor, Office11GradientDarkColor}; }
TPair SelectedPair() { return {Office11HotLightColor, Office11HotColor}; }
TPair PressedPair() { return {Office11PressedColor, Office11Color46}; }
TPair SeparatorPair() { return {Office11LineShadowColor, Office11LineHighlightColor}; }
TColor Mixed(const TPair& P) { return BlendColorsByPercent(P.First, P.Second, 50); }

}  // namespace

TcxPCPainterClass cxPCExtraFlatStyle() { return &kExtraFlatStyle; }
TcxPCPainterClass cxPCUltraFlatStyle() { return &kUltraFlatStyle; }
TcxPCPainterClass cxPCOffice11Style() { return &kOffice11Style; }
TcxPCPainterClass TcxPCExtraFlatPainter::PainterClass() const { return &kExtraFlatStyle; }
TcxPCPainterClass TcxPCUltraFlatPainter::PainterClass() const { return &kUltraFlatStyle; }
TcxPCPainterClass TcxPCOffice11Painter::PainterClass() const { return &kOffice11Style; }

// ---- metrics ------------------------------------------------------------------------------------

int TcxPCExtraFlatPainter::TabImageAreaWidth(int TabVisibleIndex) {
  bool tabHasImage = TabVisibleIndex == -1 || TabHasImage(TabVisibleIndex);
  if (!HasImages() || (!tabHasImage && !Control()->Rotate())) return 0;
  return ImageSize().cx + 2 * Control()->ImageBorder() + 4;
}

int TcxPCExtraFlatPainter::CalculateTabWidth(TcxTab* Tab) {
  if (Control()->TabWidthProperty() > 0) return Control()->TabWidthProperty();
  int index = Tab->VisibleIndex();
  int width = TabImageAreaWidth(index) +
              (Tab->Caption().empty() ? 12 : Control()->MeasureTabCaptionWidth(Tab) + 9);
  return std::max(width, MinTabWidth(index));
}

int TcxPCExtraFlatPainter::TabContentHeight() { return TcxPCStandardPainter::TabContentHeight() - 3; }

int TcxPCExtraFlatPainter::NormalTabHeight() {
  int height = std::max(TabContentHeight(), 17);
  if (Control()->Rotate() && HasImages() && (height - ImageSize().cy) % 2 != 0) ++height;
  int wanted = Control()->TabHeightProperty() - 4;
  if (wanted >= 17) height = std::max(height, wanted);
  return height;
}

TRect TcxPCExtraFlatPainter::TabRectAdjustment(int TabVisibleIndex) {
  return IsSelected(TabVisibleIndex) ? TRect(-1, -1, 1, 1) : TRect();
}

TRect TcxPCExtraFlatPainter::TabContentOffsets(int) { return TRect(); }

TRect TcxPCExtraFlatPainter::TabImageTextOffsets(int TabVisibleIndex) {
  if (CodeIn(VisibleTab(TabVisibleIndex)->OrientationCode(), {5, 7, 10})) return TRect();
  return TRect(0, 2, 0, 0);
}

TcxPCWOffset TcxPCExtraFlatPainter::TabContentPadding(int TabVisibleIndex) {
  return IsSelected(TabVisibleIndex) ? TcxPCWOffset{3, 3} : TcxPCWOffset{2, 2};
}

TcxPCDistance TcxPCExtraFlatPainter::TabSpacing() {
  // Exchanged under Rotate, where the layout exchanges them again: the separator always lies
  // between the tabs of a row.
  TcxPCDistance spacing{SeparatorWidth(), RowLineCount() + 3};
  if (Control()->Rotate()) std::swap(spacing.dw, spacing.dh);
  return spacing;
}

TRect TcxPCExtraFlatPainter::TabRowsExtents() {
  TRect r = TcxPCStandardPainter::TabRowsExtents();
  if (!Control()->HideTabs() && ParentInfo()->ParentRowsOnBothSides()) r.Bottom += 3;
  return r;
}

TRect TcxPCExtraFlatPainter::PageClientExtents() {
  TRect r = TcxPCStandardPainter::PageClientExtents();
  if (!Control()->HideTabs() && Control()->Layout()->RowCount() > 0) r.Top += 2;
  AdjustPageClientForFrame(r);
  return r;
}

void TcxPCExtraFlatPainter::AdjustPageClientForFrame(TRect& Extents) {
  if (ShowsFrameBorder() && !Control()->HideTabs() && Control()->Layout()->RowCount() > 0) --Extents.Top;
}

TColor TcxPCExtraFlatPainter::DefaultPageColor() {
  return Control()->DisplayedPage() ? Control()->Color() : ControlBackgroundColor();
}

void TcxPCExtraFlatPainter::CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) {
  TcxTabPosition position = Control()->TabPosition();
  int navigator = NavigatorWidth(Buttons);
  TRect margins(6, 3, 6, 0);
  if (HasFramedRows()) margins = TRect(margins.Left, margins.Top + ClientShift(), margins.Right, margins.Bottom - ClientShift());
  TRect inner = ReduceRectByExtents(TRect(0, 0, Control()->Width(), Control()->Height()),
                                    RotateRectForTabPosition(margins, position));
  if (navigator > 0) {
    bool far = NavigatorAtFarEnd();
    if (IsSideStrip())
      (far ? inner.Bottom : inner.Top) += far ? -navigator : navigator;
    else
      (far ? inner.Right : inner.Left) += far ? -navigator : navigator;
  }
  Metrics.StartPoint = TPoint(inner.Left, inner.Top);
  Metrics.EndPoint = TPoint(inner.Right, inner.Bottom);
  Metrics.RowLength = (IsSideStrip() ? Control()->Height() : Control()->Width()) - navigator - 12;
  Metrics.TabsAreaRect = Grow(inner, RotateRectForTabPosition(TRect(1, 1, 1, 0), position));
  Metrics.FirstBandExtension = position == tpTop || position == tpLeft ? 1 : 0;
  Metrics.SecondBandExtension = position == tpBottom || position == tpRight ? -1 : 0;
  Metrics.BandGap = TabSpacing().dh - 1;
  LayoutNavigatorButtons(Buttons);
}

// ---- colours and bounds ---------------------------------------------------------------------------

TColor TcxPCExtraFlatPainter::RowBackgroundColor() {
  return ParentInfo()->ParentReservedFlag() ? Control()->Color() : LightButtonFaceColor();
}

TColor TcxPCExtraFlatPainter::TabFillColor(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (tab->Highlighted()) return clHighlight;
  TColor own = TabOwnColor(TabVisibleIndex);
  if (own != clDefault) return own;
  return tab->IsSelectedTab() ? clBtnFace : RowBackgroundColor();
}

TColor TcxPCExtraFlatPainter::BandColor() {
  int selected = Control()->SelectedTabVisibleIndex();
  if (selected < 0 || selected >= Control()->Tabs()->VisibleCount()) return clBtnFace;
  TColor own = TabOwnColor(selected);
  return own == clDefault ? clBtnFace : own;
}

void TcxPCExtraFlatPainter::BandBounds(TRect& R) {
  R = TRect();
  if (Control()->HideTabs() || Control()->Layout()->RowCount() == 0) return;
  TRect c = PageClientBounds();
  switch (Control()->TabPosition()) {
    case tpTop: R = TRect(c.Left, c.Top - 2, c.Right, c.Top); break;
    case tpBottom: R = TRect(c.Left, c.Bottom, c.Right, c.Bottom + 2); break;
    case tpLeft: R = TRect(c.Left - 2, c.Top, c.Left, c.Bottom); break;
    case tpRight: R = TRect(c.Right, c.Top, c.Right + 2, c.Bottom); break;
  }
}

void TcxPCExtraFlatPainter::TabBodyBounds(int TabVisibleIndex, bool Normal, TRect& R) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (Normal || !tab->IsSelectedTab()) {
    R = Grow(tab->NormalRect(), RotateRectForTabPosition(TRect(0, 3, 0, RowLineCount()), Control()->TabPosition()));
    return;
  }
  R = ReduceRectByExtents(tab->FullRect(), RotateRectForTabPosition(TRect(1, 1, 1, 0), tab->RowSide()));
}

void TcxPCExtraFlatPainter::SelectedTabFocusBounds(TRect& R) {
  int selected = Control()->SelectedTabVisibleIndex();
  R = TRect();
  if (selected < 0) return;
  R = VisibleTab(selected)->FullRect();
  switch (Control()->TabPosition()) {
    case tpTop: R = TRect(R.Left, R.Top, R.Right - 1, R.Bottom + 1); break;
    case tpBottom: R = TRect(R.Left + 1, R.Top - 1, R.Right - 1, R.Bottom - 1); break;
    case tpLeft: R = TRect(R.Left, R.Top, R.Right + 1, R.Bottom - 1); break;
    case tpRight: R = TRect(R.Left - 1, R.Top + 1, R.Right - 1, R.Bottom - 1); break;
  }
}

TRect TcxPCExtraFlatPainter::SeparatorBounds(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  int first, last;
  Control()->Layout()->PlacedTabRange(first, last);
  if (tab->IsSelectedTab() || TabVisibleIndex >= last) return TRect();
  TcxTab* next = VisibleTab(TabVisibleIndex + 1);
  if (next->IsSelectedTab() || next->VisibleRow() != tab->VisibleRow()) return TRect();
  TcxPCWOffset insets;
  SeparatorInsets(insets);
  int w = SeparatorWidth();
  TRect f = tab->FullRect();
  bool reverse = cxPCRowRunsInReverse(Control()->TabPosition(), Control()->Rotate(), Control()->Options());
  switch (tab->RowSide()) {
    case tpTop: f = TRect(f.Left, f.Top + insets.Left, f.Right, f.Bottom - insets.Right); break;
    case tpBottom: f = TRect(f.Left, f.Top + insets.Right, f.Right, f.Bottom - insets.Left); break;
    case tpLeft: f = TRect(f.Left + insets.Left, f.Top, f.Right - insets.Right, f.Bottom); break;
    case tpRight: f = TRect(f.Left + insets.Right, f.Top, f.Right - insets.Left, f.Bottom); break;
  }
  if (!IsSideStrip()) return reverse ? TRect(f.Left - w, f.Top, f.Left, f.Bottom) : TRect(f.Right, f.Top, f.Right + w, f.Bottom);
  return reverse ? TRect(f.Left, f.Top - w, f.Right, f.Top) : TRect(f.Left, f.Bottom, f.Right, f.Bottom + w);
}

// ---- painting -----------------------------------------------------------------------------------

void TcxPCExtraFlatPainter::DrawSideLines(TcxCanvas* ACanvas, TRect& R, std::initializer_list<int> Sides,
                                          std::initializer_list<TColor> Colours, bool Exclude) {
  TRect start = R;
  auto colour = Colours.begin();
  for (int side : Sides) {
    TColor c = *colour++;
    switch (side) {
      case 0: ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Left + 1, R.Bottom), c), ++R.Left; break;
      case 1: ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Right, R.Top + 1), c), ++R.Top; break;
      case 2: ACanvas->FillRectWithColor(TRect(R.Right - 1, R.Top, R.Right, R.Bottom), c), --R.Right; break;
      default: ACanvas->FillRectWithColor(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), c), --R.Bottom; break;
    }
  }
  if (!Exclude) return;
  auto strip = std::make_unique<TcxRegion>(start);
  strip->CombineWith(new TcxRegion(R), rcmDifference);
  ACanvas->ApplyClipRegion(strip.release(), rcmDifference);
}

void TcxPCExtraFlatPainter::PaintSelectedTabOutline(TRect& R) {
  int selected = Control()->SelectedTabVisibleIndex();
  if (selected < 0) return;
  TColor a, b;
  OutlineColours(a, b);
  TcxCanvas* canvas = Canvas();
  TRect original = R;
  switch (VisibleTab(selected)->RowSide()) {
    case tpTop: DrawSideLines(canvas, R, {0, 1, 2}, {a, a, b}, true); break;
    case tpBottom:
      DrawSideLines(canvas, R, {0, 3, 2}, {a, b, b}, true);
      canvas->FillRectWithColor(TRect(original.Left - 1, original.Top, original.Left, original.Top + 1), b);
      break;
    case tpLeft: DrawSideLines(canvas, R, {1, 0, 3}, {a, a, b}, true); break;
    case tpRight:
      DrawSideLines(canvas, R, {1, 2, 3}, {a, b, b}, true);
      canvas->FillRectWithColor(TRect(original.Left, original.Top - 1, original.Left + 1, original.Top), b);
      break;
  }
}

void TcxPCExtraFlatPainter::PaintTabBody(TcxCanvas* ACanvas, TRect R, int TabVisibleIndex) {
  TColor background = RowBackgroundColor();
  if (TabVisibleIndex >= 0 && !IsSelected(TabVisibleIndex)) {
    DrawSideLines(ACanvas, R, {0, 1, 2, 3}, {background, background, background, background}, false);
  }
  ACanvas->FillRectWithColor(R, TabVisibleIndex < 0 ? background : TabFillColor(TabVisibleIndex));
}

void TcxPCExtraFlatPainter::PaintSeparator(const TRect& R) {
  Canvas()->FillRectWithColor(R, clBtnShadow);
  Canvas()->ExcludeRectFromClip(R);
}

void TcxPCExtraFlatPainter::PaintRowLines(const TRect& R, int) {
  TcxTabPosition position = Control()->TabPosition();
  bool light = position == tpTop || position == tpLeft;
  const TColor colours[] = {clBtnFace, clBtnFace, light ? clWhite : clBlack};
  PaintRowLinesIn(R, colours);
}

void TcxPCExtraFlatPainter::PaintRowLinesIn(const TRect& R, const TColor* Colours) {
  TcxCanvas* canvas = Canvas();
  for (int i = 0; i < RowLineCount(); ++i) {
    TRect line;
    switch (Control()->TabPosition()) {
      case tpTop: line = TRect(R.Left, R.Bottom - 1 - i, R.Right, R.Bottom - i); break;
      case tpBottom: line = TRect(R.Left, R.Top + i, R.Right, R.Top + i + 1); break;
      case tpLeft: line = TRect(R.Right - 1 - i, R.Top, R.Right - i, R.Bottom); break;
      case tpRight: line = TRect(R.Left + i, R.Top, R.Left + i + 1, R.Bottom); break;
    }
    canvas->FillRectWithColor(line, Colours[i]);
    canvas->ExcludeRectFromClip(line);
  }
}

void TcxPCExtraFlatPainter::PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) {
  TRect r = Tab->FullRect();
  bool selected = Tab->IsSelectedTab();
  if (selected) PaintSelectedTabOutline(r);
  if (!KeepsTabInClip(TabVisibleIndex)) PaintTabBody(Canvas(), r, TabVisibleIndex);
  if (selected) {
    TRect focus;
    SelectedTabFocusBounds(focus);
    PaintTabFocusRect(TabVisibleIndex, focus);
  }
}

void TcxPCExtraFlatPainter::PaintContent() {
  PaintPageArea();
  if (Control()->HideTabs()) return;
  PaintNavigatorButtons();
  PaintTabs();
}

void TcxPCExtraFlatPainter::PaintPageArea() {
  if (!Control()->HideTabs() && Control()->Layout()->RowCount() > 0) {
    TRect band;
    BandBounds(band);
    Canvas()->FillRectWithColor(band, BandColor());
  }
  TcxPCStandardPainter::PaintPageArea();
}

void TcxPCExtraFlatPainter::PaintFrameBorder() { PaintOpenFrame(clBtnHighlight, clBtnShadow); }

void TcxPCExtraFlatPainter::PaintOpenFrame(TColor LeftTop, TColor RightBottom) {
  TRect r = PageFrameBounds();
  bool all = Control()->HideTabs() || Control()->Layout()->RowCount() == 0;
  TcxTabPosition p = Control()->TabPosition();
  TcxCanvas* canvas = Canvas();
  if (all || p != tpLeft) canvas->FillRectWithColor(TRect(r.Left, r.Top, r.Left + 1, r.Bottom), LeftTop);
  if (all || p != tpTop) canvas->FillRectWithColor(TRect(r.Left, r.Top, r.Right, r.Top + 1), LeftTop);
  if (all || p != tpRight) canvas->FillRectWithColor(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), RightBottom);
  if (all || p != tpBottom) canvas->FillRectWithColor(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), RightBottom);
}

void TcxPCExtraFlatPainter::PaintTabs() {
  TcxTabLayout* layout = Control()->Layout();
  int first, last;
  layout->PlacedTabRange(first, last);
  TcxCanvas* canvas = Canvas();
  for (int row = 0; row < layout->RowCount(); ++row) {
    std::vector<std::pair<int, TcxPCTabImageAndTextData>> painted;
    for (int i = std::max(first, 0); i <= last; ++i)
      if (VisibleTab(i)->VisibleRow() == row) painted.emplace_back(i, TcxPCTabImageAndTextData());
    if (painted.empty()) continue;
    SaveClipRegion();
    for (auto& [index, data] : painted) {
      DrawTab(index);
      data = TabImageAndTextData();
      TRect separator = SeparatorBounds(index);
      if (!IsEmptyRect(separator)) PaintSeparator(separator);
    }
    TRect band;
    TabBodyBounds(painted.front().first, true, band);
    int shorter = HasFramedRows() ? 1 : 0;
    if (IsSideStrip())
      band = TRect(band.Left, shorter, band.Right, Control()->Height() - shorter);
    else
      band = TRect(shorter, band.Top, Control()->Width() - shorter, band.Bottom);
    PaintRowLines(band, row);
    PaintTabBody(canvas, band, -1);
    RestoreClipRegion();
    for (auto& [index, data] : painted)
      if (KeepsTabInClip(index)) {
        TabImageAndTextData() = data;
        NotifyTabPainted(index);
      }
    canvas->ExcludeRectFromClip(band);
  }
}

void TcxPCExtraFlatPainter::RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (cxPCHasVerticalText(Control()->TabPosition(), Control()->Rotate())) tab->FreeRotatedTextBitmap();
  if (Kind == tpcIsMainTab && !tab->IsSelectedTab())
    InvalidateBandOfTab(TabVisibleIndex);
  else
    InvalidateTabRect(TabVisibleIndex);
  if (tab->IsSelectedTab()) {
    TRect band;
    BandBounds(band);
    InvalidateControlRect(band);
  }
}

// ---- the navigator ------------------------------------------------------------------------------

int TcxPCExtraFlatPainter::NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2) {
  auto arrow = [](TcxPCNavigatorButton b) { return b == nbTopLeft || b == nbBottomRight; };
  bool goAndArrow = (Button1 == nbGoDialog && arrow(Button2)) || (Button2 == nbGoDialog && arrow(Button1));
  return goAndArrow ? 0 : 3;
}

TColor TcxPCExtraFlatPainter::NavigatorButtonColor(TcxPCNavigatorButtonState State) {
  return State == nbsPressed || State == nbsHotTrack ? clBtnFace : RowBackgroundColor();
}

TColor TcxPCExtraFlatPainter::NavigatorArrowColor(TcxPCNavigatorButtonState State) {
  return State == nbsPressed ? clBtnHighlight : clBtnText;
}

bool TcxPCExtraFlatPainter::NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) {
  bool disabled = ButtonDisabled(Button);
  Info.LineColor = disabled ? clBtnShadow : NavigatorArrowColor(ButtonState(Button));
  Info.Enabled = true;
  Info.Thin = Button == nbClose || disabled;
  // A disabled arrow is an outline around a light face.
  Info.FillColor = disabled ? LightButtonFaceColor() : Info.LineColor;
  return !disabled;
}

void TcxPCExtraFlatPainter::NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) {
  bool side = IsSideStrip();
  switch (Button) {
    case nbTopLeft: Offset = side ? TPoint(2, 5) : TPoint(5, 2); break;
    case nbBottomRight: Offset = side ? TPoint(2, 3) : TPoint(3, 2); break;
    case nbClose: Offset = side ? TPoint(3, 2) : TPoint(2, 3); break;
    case nbGoDialog: Offset = TPoint(3, ButtonState(Button) == nbsPressed ? 5 : 4); break;
  }
}

void TcxPCExtraFlatPainter::PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) {
  if (State != nbsPressed && State != nbsHotTrack) return;
  PaintBevelFrame(R, State == nbsPressed, true);
  R = Deflate(R, 1);
}

// ---- UltraFlat ----------------------------------------------------------------------------------

int TcxPCUltraFlatPainter::NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2) {
  return Button1 == nbClose || Button2 == nbClose ? 3 : 1;
}

int TcxPCUltraFlatPainter::NavigatorButtonLength(TcxPCNavigatorButton Button) {
  switch (Button) {
    case nbGoDialog: return 11;
    case nbClose: return 14;
    default: return 15;
  }
}

void TcxPCUltraFlatPainter::PaintFrameBorder() { PaintOpenFrame(clBtnShadow, clBtnShadow); }

bool TcxPCUltraFlatPainter::NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) {
  bool disabled = ButtonDisabled(Button);
  Info.LineColor = Info.FillColor = disabled ? clBtnShadow : NavigatorArrowColor(ButtonState(Button));
  // A disabled control embosses its glyphs.
  Info.Enabled = Control()->ControlEnabled();
  Info.Thin = Button == nbClose;
  return !disabled;
}

TColor TcxPCUltraFlatPainter::NavigatorButtonColor(TcxPCNavigatorButtonState State) {
  switch (State) {
    case nbsPressed: return clBtnShadow;
    case nbsHotTrack: return clBtnFace;
    default: return LightButtonFaceColor();
  }
}

void TcxPCUltraFlatPainter::PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) {
  TColor colour = State == nbsPressed || State == nbsHotTrack ? clBlack : clBtnShadow;
  Canvas()->DrawTwoColorFrame(R, colour, colour, cxBordersAll, 1);
  R = Deflate(R, 1);
}

void TcxPCUltraFlatPainter::SelectedTabFocusBounds(TRect& R) {
  int selected = Control()->SelectedTabVisibleIndex();
  R = TRect();
  if (selected < 0) return;
  TcxTab* tab = VisibleTab(selected);
  R = ReduceRectByExtents(tab->FullRect(), RotateRectForTabPosition(TRect(1, 1, 1, 0), tab->RowSide()));
}

void TcxPCUltraFlatPainter::PaintRowLines(const TRect& R, int VisibleRow) {
  TcxTabLayout* layout = Control()->Layout();
  TcxTabPosition position = Control()->TabPosition();
  int selected = Control()->SelectedTabVisibleIndex();
  int selectedRow = selected >= 0 && selected < Control()->Tabs()->VisibleCount()
                        ? VisibleTab(selected)->VisibleRow()
                        : (position == tpTop || position == tpLeft ? layout->RowCount() - 1 : 0);
  const TColor underSelected[] = {clBtnFace, clBtnFace, clBlack};
  const TColor underOthers[] = {clBtnFace, clBlack, clBtnFace};
  PaintRowLinesIn(R, VisibleRow == selectedRow ? underSelected : underOthers);
}

// ---- Office11 -----------------------------------------------------------------------------------

TColor TcxPCOffice11Painter::Office11FrameColor() { return Office11HighlightFrameColor; }

void TcxPCOffice11Painter::PaintPair(TcxCanvas* ACanvas, const TRect& R, TColor C1, TColor C2) {
  if (IsEmptyRect(R)) return;
  if (!Gradient()) {
    ACanvas->FillRectWithColor(R, BlendColorsByPercent(C1, C2, 50));
    return;
  }
  PaintGradientRect(ACanvas->DeviceContext(), R, C1, C2, IsSideStrip());
}

void TcxPCOffice11Painter::FillPageArea() {
  TControl* page = Control()->DisplayedPage();
  TcxCanvas* canvas = Canvas();
  TRect r = PageClientBounds();
  if (page && !page->ParentColor()) {
    canvas->FillRectWithColor(r, page->Color());
    return;
  }
  TPair pair = BackgroundPair();
  if (RepaintsOnResize())
    PaintGradientRect(canvas->DeviceContext(), r, pair.First, pair.Second, IsSideStrip());
  else
    canvas->FillRectWithColor(r, Mixed(pair));
}

bool TcxPCOffice11Painter::RepaintsOnResize() {
  return Control()->Options().Contains(pcoGradient) && Control()->Options().Contains(pcoGradientClientArea);
}

TRect TcxPCOffice11Painter::PageClientExtents() {
  TRect r = TcxPCUltraFlatPainter::PageClientExtents();
  if (!ShowsFrameBorder() && !Control()->HideTabs() && ParentInfo()->ParentRowsOnBothSides()) ++r.Bottom;
  return r;
}

TColor TcxPCOffice11Painter::TabFillColor(int TabVisibleIndex) {
  if (VisibleTab(TabVisibleIndex)->Highlighted()) return clHighlight;
  return TabOwnColor(TabVisibleIndex);
}

bool TcxPCOffice11Painter::KeepsTabInClip(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  return !tab->IsSelectedTab() && !tab->Highlighted() && TabOwnColor(TabVisibleIndex) == clDefault;
}

void TcxPCOffice11Painter::PaintPageArea() {
  if (!ShowsFrameBorder() && !Control()->HideTabs() && ParentInfo()->ParentRowsOnBothSides()) {
    TRect r = PageClientBounds();
    TRect line;
    switch (Control()->TabPosition()) {
      case tpTop: line = TRect(r.Left, r.Bottom, r.Right, r.Bottom + 1); break;
      case tpBottom: line = TRect(r.Left, r.Top - 1, r.Right, r.Top); break;
      case tpLeft: line = TRect(r.Right, r.Top, r.Right + 1, r.Bottom); break;
      case tpRight: line = TRect(r.Left - 1, r.Top, r.Left, r.Bottom); break;
    }
    Canvas()->FillRectWithColor(line, Office11FrameColor());
  }
  TcxPCUltraFlatPainter::PaintPageArea();
}

void TcxPCOffice11Painter::PaintFrameBorder() {
  TRect r = Deflate(PageClientBounds(), -1);
  TColor c = Office11FrameColor();
  Canvas()->DrawTwoColorFrame(r, c, c, cxBordersAll, 1);
}

TColor TcxPCOffice11Painter::BandColor() {
  int selected = Control()->SelectedTabVisibleIndex();
  if (selected >= 0 && selected < Control()->Tabs()->VisibleCount()) {
    TColor own = TabOwnColor(selected);
    if (own != clDefault) return own;
  }
  TPair pair = SelectedPair();
  if (!Gradient()) return Mixed(pair);
  TcxTabPosition p = Control()->TabPosition();
  return p == tpTop || p == tpLeft ? pair.Second : pair.First;
}

void TcxPCOffice11Painter::BandBounds(TRect& R) {
  R = TRect();
  if (Control()->HideTabs() || Control()->Layout()->RowCount() == 0) return;
  TRect f = PageFrameBounds();
  switch (Control()->TabPosition()) {
    case tpTop: R = TRect(f.Left, f.Top, f.Right, f.Top + 2); break;
    case tpBottom: R = TRect(f.Left, f.Bottom - 2, f.Right, f.Bottom); break;
    case tpLeft: R = TRect(f.Left, f.Top, f.Left + 2, f.Bottom); break;
    case tpRight: R = TRect(f.Right - 2, f.Top, f.Right, f.Bottom); break;
  }
}

void TcxPCOffice11Painter::SelectedTabFocusBounds(TRect& R) { TcxPCUltraFlatPainter::SelectedTabFocusBounds(R); }

void TcxPCOffice11Painter::SeparatorInsets(TcxPCWOffset& Insets) {
  TcxTabPosition p = Control()->TabPosition();
  Insets = p == tpTop || p == tpLeft ? TcxPCWOffset{0, 2} : TcxPCWOffset{3, -1};
}

void TcxPCOffice11Painter::PaintSeparator(const TRect& R) {
  TPair pair = SeparatorPair();
  TcxCanvas* canvas = Canvas();
  canvas->FillRectWithColor(TRect(R.Left + 1, R.Top + 1, R.Right, R.Bottom), pair.Second);
  canvas->FillRectWithColor(TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), pair.First);
  canvas->ExcludeRectFromClip(R);
}

void TcxPCOffice11Painter::PaintRowLines(const TRect& R, int) {
  const TColor colours[] = {Office11FrameColor()};
  PaintRowLinesIn(R, colours);
}

void TcxPCOffice11Painter::PaintTabBody(TcxCanvas* ACanvas, TRect R, int TabVisibleIndex) {
  TcxTabPosition p = Control()->TabPosition();
  bool reverse = p == tpBottom || p == tpRight;
  bool selected = TabVisibleIndex >= 0 && IsSelected(TabVisibleIndex);
  TColor own = TabVisibleIndex >= 0 ? TabFillColor(TabVisibleIndex) : clDefault;
  if (own == clDefault) {
    TPair pair = selected ? SelectedPair() : BackgroundPair();
    if (reverse) std::swap(pair.First, pair.Second);
    PaintPair(ACanvas, R, pair.First, pair.Second);
    return;
  }
  if (!selected) {
    // A line of the band on the page side, the tab's own colour above it.
    TPair pair = BackgroundPair();
    TColor line = Gradient() ? (reverse ? pair.First : pair.Second) : Mixed(pair);
    TRect edge;
    switch (p) {
      case tpTop: edge = TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), --R.Bottom; break;
      case tpBottom: edge = TRect(R.Left, R.Top, R.Right, R.Top + 1), ++R.Top; break;
      case tpLeft: edge = TRect(R.Right - 1, R.Top, R.Right, R.Bottom), --R.Right; break;
      case tpRight: edge = TRect(R.Left, R.Top, R.Left + 1, R.Bottom), ++R.Left; break;
    }
    ACanvas->FillRectWithColor(edge, line);
  }
  ACanvas->FillRectWithColor(R, own);
}

void TcxPCOffice11Painter::PaintRotatedTabContent(TBitmap* Bitmap, const TcxPCTabImageAndTextData& Data,
                                                  int TabVisibleIndex) {
  if (TabVisibleIndex < 0 || TabVisibleIndex >= Control()->Tabs()->VisibleCount()) return;
  if (TabFillColor(TabVisibleIndex) != clDefault) return;
  TRect body;
  TabBodyBounds(TabVisibleIndex, false, body);
  body = Grow(body, RotateRectForTabPosition(TRect(0, 0, 0, RowLineCount()), Control()->TabPosition()));
  bool selected = IsSelected(TabVisibleIndex);
  TPair pair = selected ? SelectedPair() : BackgroundPair();
  TcxTabPosition p = Control()->TabPosition();
  if (p == tpBottom || p == tpRight) std::swap(pair.First, pair.Second);
  TcxCanvas canvas(Bitmap->Canvas());
  const TRect& text = Data.TextRect;
  int direction = cxPCTabTextDirection(p, Control()->Rotate(), Control()->Options());
  TRect r;
  if (direction == 0) {
    r = TRect(body.Left - text.Left, body.Top - text.Top, body.Right - text.Left, body.Bottom - text.Top);
    PaintPair(&canvas, r, pair.First, pair.Second);
    return;
  }
  // The caption is drawn unturned and turned afterwards: the row's across direction runs along
  // the bitmap's height, backwards for captions reading downwards.
  bool sides = IsSideStrip();
  int nearAcross = sides ? body.Left - text.Left : body.Top - text.Top;
  int farAcross = sides ? body.Right - text.Left : body.Bottom - text.Top;
  int extent = sides ? text.Right - text.Left : text.Bottom - text.Top;
  if (direction == 2) {
    std::swap(pair.First, pair.Second);
    std::tie(nearAcross, farAcross) = std::make_pair(extent - farAcross, extent - nearAcross);
  }
  r = TRect(0, nearAcross, Bitmap->Width(), farAcross);
  if (!Gradient()) {
    canvas.FillRectWithColor(r, BlendColorsByPercent(pair.First, pair.Second, 50));
    return;
  }
  PaintGradientRect(canvas.DeviceContext(), r, pair.First, pair.Second, false);
}

TColor TcxPCOffice11Painter::NavigatorArrowColor(TcxPCNavigatorButtonState State) {
  return State == nbsDisabled ? Office11DisabledArrowColor : Office11ArrowColor;
}

void TcxPCOffice11Painter::FillNavigatorButton(const TRect& R, TcxPCNavigatorButtonState State) {
  TPair pair = State == nbsPressed ? PressedPair() : State == nbsHotTrack ? SelectedPair() : BackgroundPair();
  TRect band = Control()->Layout()->BandOfRow(0);
  if (IsEmptyRect(band)) band = R;
  TcxCanvas* canvas = Canvas();
  canvas->PushClipRegion();
  canvas->ApplyClipRegion(new TcxRegion(R), rcmIntersect);
  PaintPair(canvas, band, pair.First, pair.Second);
  canvas->PopClipRegion();
}

void TcxPCOffice11Painter::PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) {
  TColor c = !Control()->ControlEnabled() || State == nbsDisabled ? Office11DisabledArrowColor : Office11FrameColor();
  Canvas()->DrawTwoColorFrame(R, c, c, cxBordersAll, 1);
  R = Deflate(R, 1);
}
