#include "ui/pages/PCStandardPainter.h"

#include <algorithm>
#include <memory>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/pages/PCButtonPainters.h"
#include "ui/pages/PCExtraFlatPainters.h"
#include "ui/pages/PCSlantedPainters.h"
#include "ui/pages/PCTabsPainter.h"
#include "ui/pages/TabLayout.h"

namespace {

// By style kind: tabs, buttons, flat buttons. Offsets are (top, bottom) for tabs on top.
struct TKindMetrics {
  int MinTabHeight, TabMetric;
  TcxPCWOffset ContentOffsets[2], ImageTextOffsets[2], ContentPadding[2], TextIndent[2];
  TcxPCDistance Spacing;
};
const TKindMetrics kKindMetrics[3] = {
    {18, 2, {{1, 0}, {1, 3}}, {{1, -1}, {1, 2}}, {{2, 2}, {4, 4}}, {{2, 2}, {4, 4}}, {0, 0}},
    {20, 4, {{-1, 1}, {-1, 1}}, {{0, 1}, {0, 1}}, {{3, 3}, {3, 3}}, {{3, 3}, {3, 3}}, {3, 3}},
    {20, 4, {{-1, 1}, {-1, 1}}, {{0, 1}, {0, 1}}, {{2, 2}, {4, 2}}, {{2, 2}, {3, 2}}, {10, 3}},
};

const TKindMetrics& Metrics(int Kind) { return kKindMetrics[std::clamp(Kind, 0, 2)]; }

// The glyph a navigator button shows, after the turn for tabs on the sides.
enum TGlyph { gLeft, gRight, gUp, gDown, gClose, gGo };

TGlyph GlyphOf(TcxPCNavigatorButton Button, bool SideStrip) {
  switch (Button) {
    case nbTopLeft: return SideStrip ? gUp : gLeft;
    case nbBottomRight: return SideStrip ? gDown : gRight;
    case nbGoDialog: return gGo;
    default: return gClose;
  }
}

TSize GlyphSize(TGlyph Glyph, bool SideStrip) {
  switch (Glyph) {
    case gClose: return SideStrip ? TSize(7, 8) : TSize(8, 7);
    case gGo: return TSize(7, 4);
    default: return SideStrip ? TSize(9, 5) : TSize(5, 9);
  }
}

bool IsEmptyRect(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }

TColor gLightButtonFaceColor = clBtnFace;
std::array<TColor, 6> gOneNoteSchemeColors{clBtnShadow, clBtnShadow, static_cast<TColor>(0xFFFFFF),
                                           static_cast<TColor>(0x6A240A), clBtnFace, clBtnFace};
std::unique_ptr<TcxSystemPaletteChangedNotifier> gPaletteNotifier;

void ReadOneNoteSchemeColors() {
  auto c = [](unsigned v) { return static_cast<TColor>(v); };
  switch (CurrentOffice11ColorScheme()) {
    case ocsBlue: gOneNoteSchemeColors = {c(0x9C613B), c(0x9A3500), c(0xFFFFFF), c(0x800000), c(0xFFFFFF), c(0xF1A675)}; break;
    case ocsOlive: gOneNoteSchemeColors = {c(0x588060), c(0x6B7760), c(0xFFFFFF), c(0x385D3F), c(0xFFFFFF), c(0x8CC2B0)}; break;
    case ocsSilver: gOneNoteSchemeColors = {c(0x947C7C), c(0x927476), c(0xFFFFFF), c(0x6F4B4B), c(0xFFFFFF), c(0xCEB9BA)}; break;
    default: gOneNoteSchemeColors = {clBtnShadow, clBtnShadow, c(0xFFFFFF), c(0x6A240A), clBtnFace, clBtnFace}; break;
  }
}

// The nine styles in their order (the skins register theirs afterwards).
std::array<TcxPCPainterClass, 9> StandardStyles() {
  return {cxPCTabsStyle(),     cxPCButtonsStyle(), cxPCFlatButtonsStyle(),
          cxPCExtraFlatStyle(), cxPCUltraFlatStyle(), cxPCFlatStyle(),
          cxPCOffice11Style(),  cxPCSlantedStyle(),   cxPCOneNoteStyle()};
}

}  // namespace

TColor LightButtonFaceColor() { return gLightButtonFaceColor; }
const std::array<TColor, 6>& OneNoteSchemeColors() { return gOneNoteSchemeColors; }

void PCPaintersUnitStartup() {
  win::COLORREF face = ColorToRGB(clBtnFace);
  auto raise = [](int c) { return std::min(c + 20, 255); };
  gLightButtonFaceColor = static_cast<TColor>(
      win::RGB(raise(win::GetRValue(face)), raise(win::GetGValue(face)), raise(win::GetBValue(face))));
  ReadOneNoteSchemeColors();
  gPaletteNotifier = std::make_unique<TcxSystemPaletteChangedNotifier>(true);
  gPaletteNotifier->OnPaletteChanged = [](TObject*) { ReadOneNoteSchemeColors(); };
  for (TcxPCPainterClass style : StandardStyles())
    TcxPCPaintersFactory::RegisterPainterClass(style);
}

void PCPaintersUnitShutdown() {
  for (TcxPCPainterClass style : StandardStyles())
    TcxPCPaintersFactory::UnregisterPainterClass(style);
  gPaletteNotifier.reset();
}

// ---- metrics ------------------------------------------------------------------------------------

int TcxPCStandardPainter::StyleMinTabHeight() { return Metrics(StyleKind()).MinTabHeight; }
int TcxPCStandardPainter::StyleTabMetric() { return Metrics(StyleKind()).TabMetric; }
int TcxPCStandardPainter::StyleMinTabWidth() { return 42; }
TColor TcxPCStandardPainter::ControlBackgroundColor() { return Control()->Color(); }
int TcxPCStandardPainter::DoubleClientShift() { return 2 * ClientShift(); }
int TcxPCStandardPainter::StyleSpacingUnit() { return 2; }

bool TcxPCStandardPainter::IsTabActiveLook(int TabVisibleIndex) { return IsSelected(TabVisibleIndex); }

TRect TcxPCStandardPainter::TabContentOffsets(int TabVisibleIndex) {
  TcxPCWOffset o = Metrics(StyleKind()).ContentOffsets[IsTabActiveLook(TabVisibleIndex)];
  return TRect(0, o.Left, 0, o.Right);
}

TRect TcxPCStandardPainter::TabImageTextOffsets(int TabVisibleIndex) {
  TcxPCWOffset o = Metrics(StyleKind()).ImageTextOffsets[IsTabActiveLook(TabVisibleIndex)];
  return TRect(0, o.Left, 0, o.Right);
}

TcxPCWOffset TcxPCStandardPainter::TabSizeCorrection(int) { return {0, 0}; }

TcxPCWOffset TcxPCStandardPainter::TabContentPadding(int TabVisibleIndex) {
  return Metrics(StyleKind()).ContentPadding[IsTabActiveLook(TabVisibleIndex)];
}

TcxPCWOffset TcxPCStandardPainter::TabTextIndent(int TabVisibleIndex) {
  return Metrics(StyleKind()).TextIndent[IsTabActiveLook(TabVisibleIndex)];
}

TcxPCDistance TcxPCStandardPainter::TabSpacing() { return Metrics(StyleKind()).Spacing; }

int TcxPCStandardPainter::TabImageAreaWidth(int TabVisibleIndex) {
  bool tabHasImage = TabVisibleIndex == -1 || TabHasImage(TabVisibleIndex);
  if (!HasImages() || (!tabHasImage && !Control()->Rotate())) return 12;
  return ImageSize().cx + 2 * Control()->ImageBorder() + 18;
}

int TcxPCStandardPainter::MinTabWidth(int TabVisibleIndex) {
  return std::max(TabImageAreaWidth(TabVisibleIndex), StyleMinTabWidth());
}

int TcxPCStandardPainter::CalculateTabWidth(TcxTab* Tab) {
  if (Control()->TabWidthProperty() > 0) return Control()->TabWidthProperty();
  int index = Tab->VisibleIndex();
  int width = TabImageAreaWidth(index);
  if (!Tab->Caption().empty()) width += Control()->MeasureTabCaptionWidth(Tab);
  return std::max(width, MinTabWidth(index));
}

void TcxPCStandardPainter::TabShapeExtents(TRect& Extents) { Extents = TRect(); }

int TcxPCStandardPainter::TabContentHeight() {
  int height = HasImages() ? ImageSize().cy + 2 * Control()->ImageBorder() + 6 : 0;
  return std::max(height, MaxCaptionHeight() + 8);
}

int TcxPCStandardPainter::NormalTabHeight() {
  int height = std::max(TabContentHeight(), StyleMinTabHeight());
  if (Control()->Rotate() && HasImages() && (height - ImageSize().cy) % 2 != 0) ++height;
  return std::max(height, Control()->TabHeightProperty());
}

void TcxPCStandardPainter::SetTabImageTextRects(int TabVisibleIndex, const TRect& ImageRect, const TRect& TextRect) {
  FStoredRects.TabVisibleIndex = TabVisibleIndex;
  FStoredRects.ImageRect = ImageRect;
  FStoredRects.TextRect = TextRect;
}

// ---- the tab area and the navigator ------------------------------------------------------------

bool TcxPCStandardPainter::NavigatorAtFarEnd() {
  TcxPCNavigatorPosition p = Control()->NavigatorPosition();
  if (IsSideStrip()) return p == npLeftBottom || p == npRightBottom;
  return p == npRightTop || p == npRightBottom;
}

void TcxPCStandardPainter::NavigatorButtonSet(TcxPCNavigatorButtons Buttons, TcxPCNavigatorButtonPositions& Positions) {
  static constexpr TcxPCNavigatorButton kAtStart[] = {nbClose, nbTopLeft, nbBottomRight, nbGoDialog};
  static constexpr TcxPCNavigatorButton kAtEnd[] = {nbGoDialog, nbTopLeft, nbBottomRight, nbClose};
  Positions.clear();
  for (TcxPCNavigatorButton b : NavigatorAtFarEnd() ? kAtEnd : kAtStart)
    if (Buttons.Contains(b)) Positions.push_back({b, TRect()});
}

int TcxPCStandardPainter::NavigatorLength(TcxPCNavigatorButtons Buttons) {
  TcxPCNavigatorButtonPositions queue;
  NavigatorButtonSet(Buttons, queue);
  int length = 0;
  for (std::size_t i = 0; i < queue.size(); ++i) {
    length += NavigatorButtonLength(queue[i].Button);
    if (i + 1 < queue.size()) length += NavigatorButtonSpacing(queue[i].Button, queue[i + 1].Button);
  }
  return length;
}

int TcxPCStandardPainter::NavigatorWidth(TcxPCNavigatorButtons Buttons) {
  int length = NavigatorLength(Buttons);
  return length == 0 ? 0 : length + NavigatorEndOffset() + NavigatorTabsGap();
}

int TcxPCStandardPainter::NavigatorButtonExtent() { return 20; }

int TcxPCStandardPainter::NavigatorButtonLength(TcxPCNavigatorButton Button) {
  if (Button == nbGoDialog) return IsSideStrip() ? 13 : 12;
  return 20;
}

void TcxPCStandardPainter::PlaceNavigatorArea(TcxPCNavigatorButtons Buttons) {
  int e = NavigatorButtonExtent(), l = NavigatorLength(Buttons);
  int w = Control()->Width(), h = Control()->Height();
  TcxTabPosition position = Control()->TabPosition();
  int left, top;
  if (IsSideStrip()) {
    left = position == tpLeft ? NavigatorEdgeOffset() : w - e - NavigatorEdgeOffset();
    top = NavigatorAtFarEnd() ? h - l - NavigatorEndOffset() : NavigatorEndOffset();
    FNavigatorArea = TRect(left, top, left + e, top + l);
  } else {
    left = NavigatorAtFarEnd() ? w - l - NavigatorEndOffset() : NavigatorEndOffset();
    top = position == tpTop ? NavigatorEdgeOffset() : h - e - NavigatorEdgeOffset();
    FNavigatorArea = TRect(left, top, left + l, top + e);
  }
}

void TcxPCStandardPainter::LayoutNavigatorButtons(TcxPCNavigatorButtons Buttons) {
  if (Buttons.Empty()) {
    FNavigatorButtons.clear();
    FNavigatorArea = TRect();
    return;
  }
  PlaceNavigatorArea(Buttons);
  NavigatorButtonSet(Buttons, FNavigatorButtons);
  int e = NavigatorButtonExtent();
  TPoint p(FNavigatorArea.Left, FNavigatorArea.Top);
  for (std::size_t i = 0; i < FNavigatorButtons.size(); ++i) {
    TcxPCNavigatorButtonPosition& b = FNavigatorButtons[i];
    int l = NavigatorButtonLength(b.Button);
    int spacing = i + 1 < FNavigatorButtons.size() ? NavigatorButtonSpacing(b.Button, FNavigatorButtons[i + 1].Button) : 0;
    if (IsSideStrip()) {
      b.Bounds = TRect(p.X, p.Y, p.X + e, p.Y + l);
      p.Y += l + spacing;
    } else {
      b.Bounds = TRect(p.X, p.Y, p.X + l, p.Y + e);
      p.X += l + spacing;
    }
  }
}

void TcxPCStandardPainter::CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) {
  TcxTabPosition position = Control()->TabPosition();
  TRect shapes;
  TabShapeExtents(shapes);
  TRect area = ReduceRectByExtents(TRect(0, 0, Control()->Width(), Control()->Height()),
                                   RotateRectForTabPosition(shapes, position));
  // The selected tab's expansion counts only under the reserved flag, which nothing sets.
  TRect expansion = ParentInfo()->ParentReservedFlag() ? SelectedTabExpansion() : TRect();
  int navigator = NavigatorWidth(Buttons);
  if (navigator > 0) {
    area = ReduceRectByExtents(area, RotateRectForTabPosition(TRect(0, expansion.Top, 0, 0), position));
    TRect ends(NavigatorAtFarEnd() ? expansion.Left : navigator, 0, NavigatorAtFarEnd() ? navigator : expansion.Right, 0);
    if (IsSideStrip()) ends = TRect(0, ends.Left, 0, ends.Right);
    area = ReduceRectByExtents(area, ends);
  } else {
    area = ReduceRectByExtents(area, RotateRectForTabPosition(expansion, position));
  }
  Metrics.TabsAreaRect = area;
  Metrics.RowLength = IsSideStrip() ? area.Bottom - area.Top : area.Right - area.Left;
  Metrics.StartPoint = TPoint(area.Left, area.Top);
  Metrics.EndPoint = TPoint(area.Right, area.Bottom);
  Metrics.FirstBandExtension = 0;
  Metrics.SecondBandExtension = 0;
  Metrics.BandGap = TabSpacing().dh;
  LayoutNavigatorButtons(Buttons);
}

bool TcxPCStandardPainter::NavigatorButtonAt(int X, int Y, TcxPCNavigatorButton& Button) {
  for (const TcxPCNavigatorButtonPosition& b : FNavigatorButtons)
    if (X >= b.Bounds.Left && X < b.Bounds.Right && Y >= b.Bounds.Top && Y < b.Bounds.Bottom) {
      Button = b.Button;
      return true;
    }
  return false;
}

TRect TcxPCStandardPainter::NavigatorButtonsRect() {
  for (const TcxPCNavigatorButtonPosition& b : FNavigatorButtons)
    if (b.Button == nbGoDialog) return b.Bounds;
  return TRect();
}

TPoint TcxPCStandardPainter::PopupPointFor(int Width, int Height) {
  TRect b = NavigatorButtonsRect();
  if (IsEmptyRect(b)) return TPoint();
  TcxTabPosition position = Control()->TabPosition();
  TcxPCNavigatorPosition n = Control()->NavigatorPosition();
  bool rightAligned = position == tpRight || (!IsSideStrip() && (n == npRightTop || n == npRightBottom));
  bool upwards = position == tpBottom || (IsSideStrip() && (n == npLeftBottom || n == npRightBottom));
  return TPoint(rightAligned ? b.Right - Width : b.Left, upwards ? b.Top - Height : b.Bottom);
}

TPoint TcxPCStandardPainter::GoDialogPopupPoint() { return PopupPointFor(0, 0); }

void TcxPCStandardPainter::InvalidateNavigatorButton(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState) {
  for (const TcxPCNavigatorButtonPosition& b : FNavigatorButtons)
    if (b.Button == Button) InvalidateControlRect(b.Bounds);
}

void TcxPCStandardPainter::InvalidateNavigatorArea() {
  if (NavigatorShown()) InvalidateControlRect(FNavigatorArea);
}

// ---- navigator buttons ----------------------------------------------------------------------------

TColor TcxPCStandardPainter::NavigatorButtonColor(TcxPCNavigatorButtonState) { return clBtnFace; }

TColor TcxPCStandardPainter::NavigatorArrowColor(TcxPCNavigatorButtonState State) {
  return State == nbsHotTrack ? HotTextColor() : clBtnText;
}

bool TcxPCStandardPainter::NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) {
  TcxPCNavigatorButtonState state = ButtonState(Button);
  Info.FillColor = Info.LineColor = NavigatorArrowColor(state);
  Info.Enabled = Control()->ControlEnabled() && state != nbsDisabled;
  Info.Thin = false;
  return Info.Enabled;
}

void TcxPCStandardPainter::NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) {
  CentredGlyphOffset(Button, Offset);
}

void TcxPCStandardPainter::CentredGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) {
  bool side = IsSideStrip();
  int e = NavigatorButtonExtent(), l = NavigatorButtonLength(Button);
  TSize button = side ? TSize(e, l) : TSize(l, e);
  TSize glyph = GlyphSize(GlyphOf(Button, side), side);
  Offset = TPoint((button.cx - glyph.cx) / 2, (button.cy - glyph.cy) / 2);
  if (Button == nbGoDialog) ++Offset.Y;
  if (ButtonState(Button) == nbsPressed) {
    if (Button != nbGoDialog) ++Offset.X;
    ++Offset.Y;
  }
}

void TcxPCStandardPainter::FixedGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) {
  bool side = IsSideStrip();
  switch (GlyphOf(Button, side)) {
    case gLeft: Offset = TPoint(6, 5); break;
    case gRight: Offset = TPoint(8, 5); break;
    case gUp:
    case gDown: Offset = TPoint(5, 7); break;
    case gClose: Offset = TPoint(5, 5); break;
    case gGo: Offset = side ? TPoint(6, 4) : TPoint(2, 8); break;
  }
  if (ButtonState(Button) == nbsPressed) Offset = TPoint(Offset.X + 1, Offset.Y + 1);
}

void TcxPCStandardPainter::PaintNavigatorGlyph(TcxPCNavigatorButton Button, const TcxPCNavigatorGlyphInfo& Info,
                                               const TPoint& Origin) {
  bool side = IsSideStrip();
  TGlyph glyph = GlyphOf(Button, side);
  TcxCanvas* canvas = Canvas();
  auto draw = [&](TPoint o, TColor Fill, TColor Line) {
    if (glyph == gClose) {
      struct TLine {
        int x0, y0, x1, y1;
      };
      static constexpr TLine kBold[] = {{1, 0, 8, 7}, {0, 0, 8, 8}, {0, 1, 7, 8}, {0, 7, 7, 0}, {0, 8, 8, 0}, {1, 8, 8, 1}};
      static constexpr TLine kThinSide[] = {{0, 0, 6, 6}, {0, 1, 6, 7}, {0, 6, 6, 0}, {0, 7, 6, 1}};
      static constexpr TLine kThin[] = {{1, 0, 7, 6}, {0, 0, 6, 6}, {0, 6, 6, 0}, {1, 6, 7, 0}};
      const TLine* lines = !Info.Thin ? kBold : side ? kThinSide : kThin;
      int count = !Info.Thin ? 6 : 4;
      for (int i = 0; i < count; ++i) {
        const TPoint points[] = {{o.X + lines[i].x0, o.Y + lines[i].y0}, {o.X + lines[i].x1, o.Y + lines[i].y1}};
        DrawPolyline(points, 2, canvas, Line);
      }
      return;
    }
    // Unit triangles scaled by the glyph's size less one.
    int scale = glyph == gGo ? 3 : 4;
    static constexpr TPoint kUp[] = {{0, 1}, {1, 0}, {2, 1}};
    static constexpr TPoint kDown[] = {{0, 0}, {2, 0}, {1, 1}};
    static constexpr TPoint kLeft[] = {{1, 0}, {1, 2}, {0, 1}};
    static constexpr TPoint kRight[] = {{0, 0}, {1, 1}, {0, 2}};
    const TPoint* unit = glyph == gUp ? kUp : glyph == gLeft ? kLeft : glyph == gRight ? kRight : kDown;
    win::POINT points[3];
    for (int i = 0; i < 3; ++i) points[i] = {o.X + unit[i].X * scale, o.Y + unit[i].Y * scale};
    canvas->ActiveBrush()->SetStyle(bsSolid);
    canvas->ActiveBrush()->SetColor(Fill);
    canvas->ActivePen()->SetColor(Line);
    canvas->Canvas()->Polygon(points, 3);
  };
  if (Info.Enabled) {
    draw(Origin, Info.FillColor, Info.LineColor);
  } else {
    draw(TPoint(Origin.X + 1, Origin.Y + 1), clBtnHighlight, clBtnHighlight);
    draw(Origin, clBtnShadow, clBtnShadow);
  }
  canvas->ActiveBrush()->SetStyle(bsSolid);
}

void TcxPCStandardPainter::PaintBevelFrame(const TRect& R, bool Pressed, bool Thin) {
  int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  TcxCanvas* canvas = Canvas();
  auto line = [&](std::initializer_list<TPoint> Points, TColor Colour) {
    DrawPolyline(Points.begin(), static_cast<int>(Points.size()), canvas, Colour);
  };
  if (Thin) {
    TColor light = Pressed ? cl3DDkShadow : cl3DLight, dark = Pressed ? cl3DLight : cl3DDkShadow;
    line({{L, B - 2}, {L, T}, {Rt - 2, T}}, light);
    line({{L, B - 1}, {Rt - 1, B - 1}, {Rt - 1, T}}, dark);
    return;
  }
  TColor c1 = Pressed ? clBtnShadow : cl3DLight, c2 = Pressed ? cl3DDkShadow : clBtnHighlight,
         c3 = Pressed ? clBtnHighlight : cl3DDkShadow, c4 = Pressed ? cl3DLight : clBtnShadow;
  line({{L, B - 2}, {L, T}, {Rt - 2, T}}, c1);
  line({{L + 1, B - 3}, {L + 1, T + 1}, {Rt - 3, T + 1}}, c2);
  line({{L, B - 1}, {Rt - 1, B - 1}, {Rt - 1, T}}, c3);
  line({{L + 1, B - 2}, {Rt - 2, B - 2}, {Rt - 2, T + 1}}, c4);
}

void TcxPCStandardPainter::PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) {
  PaintBevelFrame(R, State == nbsPressed, false);
  R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
}

void TcxPCStandardPainter::FillNavigatorButton(const TRect& R, TcxPCNavigatorButtonState State) {
  Canvas()->FillRectWithColor(R, NavigatorButtonColor(State));
}

void TcxPCStandardPainter::PaintNavigatorButton(TcxPCNavigatorButton Button, const TRect& R) {
  TcxPCNavigatorButtonState state = ButtonState(Button);
  TRect inner = R;
  PaintNavigatorButtonFrame(inner, state);
  FillNavigatorButton(inner, state);
  TcxPCNavigatorGlyphInfo info;
  NavigatorButtonInfo(Button, info);
  TPoint offset;
  NavigatorGlyphOffset(Button, offset);
  PaintNavigatorGlyph(Button, info, TPoint(R.Left + offset.X, R.Top + offset.Y));
}

void TcxPCStandardPainter::PaintNavigatorButtons() {
  TcxCanvas* canvas = Canvas();
  for (const TcxPCNavigatorButtonPosition& b : FNavigatorButtons) {
    if (canvas->IsRectVisible(b.Bounds)) {
      canvas->PushClipRegion();
      PaintNavigatorButton(b.Button, b.Bounds);
      canvas->PopClipRegion();
    }
    canvas->ExcludeRectFromClip(b.Bounds);
  }
}

// ---- tabs ---------------------------------------------------------------------------------------

void TcxPCStandardPainter::DrawTab(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TcxCanvas* canvas = Canvas();
  std::unique_ptr<TcxRegion> region = TabRegion(TabVisibleIndex);
  SaveClipRegion();
  canvas->ApplyClipRegion(region.get(), TabClipOperation(TabVisibleIndex), false);
  bool userDrawn = IsOwnerDrawing() && UserDrawsTab(TabVisibleIndex);
  if (!userDrawn) {
    tab->EnsurePaintBitmap();
    try {
      if (IsNativePainting()) PaintThemedTabBackground(tab, TabVisibleIndex);
      PaintTabImageAndText(tab, TabVisibleIndex);
      PaintTabFrame(tab, TabVisibleIndex);
    } catch (...) {
      tab->FreePaintBitmap();
      RestoreClipRegion();
      throw;
    }
    tab->FreePaintBitmap();
  }
  RestoreClipRegion();
  if (userDrawn || !KeepsTabInClip(TabVisibleIndex)) {
    NotifyTabPainted(TabVisibleIndex);
    canvas->ApplyClipRegion(region.release(), rcmDifference);
  } else {
    ExcludeTabContentFromClip(TabVisibleIndex);
  }
}

void TcxPCStandardPainter::PaintTabs() {
  int first, last;
  Control()->Layout()->PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last; ++i) DrawTab(i);
}

void TcxPCStandardPainter::PaintThemedTabBackground(TcxTab*, int) {}

void TcxPCStandardPainter::PaintTabFocusRect(int TabVisibleIndex, const TRect& R) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect clipped = tab->ClippedRect();
  if (!tab->IsSelectedTab() || !tab->RealEnabled() || !Control()->Focused() || IsEmptyRect(clipped)) return;
  TcxCanvas* canvas = Canvas();
  SaveClipRegion();
  canvas->ApplyClipRegion(new TcxRegion(clipped), rcmCopy);
  win::RECT r{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  canvas->ActivePen()->SetColor(Control()->Font()->Color());
  win::SetTextColor(canvas->DeviceContext(), 0);
  win::SetBkColor(canvas->DeviceContext(), 0xFFFFFF);
  win::DrawFocusRect(canvas->DeviceContext(), &r);
  RestoreClipRegion();
}

void TcxPCStandardPainter::RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged) {
  if (cxPCHasVerticalText(Control()->TabPosition(), Control()->Rotate()))
    VisibleTab(TabVisibleIndex)->FreeRotatedTextBitmap();
  InvalidateTabRect(TabVisibleIndex);
}

// ---- the control and the page border --------------------------------------------------------------

void TcxPCStandardPainter::PaintControl() {
  PaintContent();
  TRect bounds(0, 0, Control()->Width(), Control()->Height());
  if (IsNativePainting() && Control()->ParentBackground())
    Control()->DrawParentBackground(Canvas()->DeviceContext(), bounds);
  else
    Canvas()->FillRectWithColor(bounds, ControlBackgroundColor());
}

void TcxPCStandardPainter::PageBorderBounds(TRect& R) {
  R = PageFrameBounds();
  int least = DoubleClientShift();
  R.Right = std::max(R.Right, R.Left + least);
  R.Bottom = std::max(R.Bottom, R.Top + least);
}

void TcxPCStandardPainter::PaintFrameBorder() {
  TRect r;
  PageBorderBounds(r);
  PaintPageBorder(r);
}

void TcxPCStandardPainter::PaintPageBorder(const TRect& R) {
  TcxCanvas* canvas = Canvas();
  canvas->DrawTwoColorFrame(R, clBtnHighlight, cl3DDkShadow, cxBordersAll, 1);
  canvas->DrawTwoColorFrame(TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), cl3DLight, clBtnShadow,
                            cxBordersAll, 1);
}

// ---- colours --------------------------------------------------------------------------------------

TColor TcxPCStandardPainter::LightenColor(TColor Colour, int Percent) {
  win::COLORREF rgb = ColorToRGB(Colour);
  long double r = win::GetRValue(rgb), g = win::GetGValue(rgb), b = win::GetBValue(rgb);
  long double max = std::max({r, g, b}), min = std::min({r, g, b});
  long double v = max * 100 / 255;
  long double s = max == 0 ? 0 : 100 - min * 100 / max;
  long double h = 0;
  if (s != 0) {
    if (r == max)
      h = (g - b) * 60 / (max - min);
    else if (g == max)
      h = (b - r) * 60 / (max - min) + 120;
    else
      h = (r - g) * 60 / (max - min) + 240;
    if (h < 0) h += 360;
  }
  v = std::min<long double>(v * (100 + Percent) / 100, 100);
  if (v == 0) return static_cast<TColor>(0);
  long double top = v * 255 / 100, low = top * (100 - s) / 100, d = top - low;
  long double R, G, B;
  if (h <= 60) {
    R = top, G = low + d * h / 60, B = low;
  } else if (h <= 120) {
    R = top - d * (h - 60) / 60, G = top, B = low;
  } else if (h <= 180) {
    R = low, G = top, B = low + d * (h - 120) / 60;
  } else if (h <= 240) {
    R = low, G = top - d * (h - 180) / 60, B = top;
  } else if (h <= 300) {
    R = low + d * (h - 240) / 60, G = low, B = top;
  } else {
    R = top, G = low, B = top - d * (h - 300) / 60;
  }
  return static_cast<TColor>(win::RGB(static_cast<int>(R), static_cast<int>(G), static_cast<int>(B)));
}
