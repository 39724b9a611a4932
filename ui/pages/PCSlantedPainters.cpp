#include "ui/pages/PCSlantedPainters.h"

#include <algorithm>
#include <tuple>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/pages/TabLayout.h"

namespace {

bool IsEmptyRect(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }

class TSlantedStyle : public TcxPCStandardPainterClassInfo {
 public:
  TcxPCStyleID StyleID() const override { return 9; }
  String StyleName() const override { return "Slanted"; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCSlantedPainter>(Control);
  }
};

class TOneNoteStyle : public TSlantedStyle {
 public:
  TcxPCStyleID StyleID() const override { return 10; }
  String StyleName() const override { return "OneNote"; }
  bool AllowsRotate() const override { return false; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCOneNotePainter>(Control);
  }
};

const TSlantedStyle kSlantedStyle;
const TOneNoteStyle kOneNoteStyle;

int Sign(int V) { return (V > 0) - (V < 0); }

// The strip of one pixel beyond a rectangle's page side.
TRect BeyondPageSide(const TRect& R, TcxTabPosition Side) {
  switch (Side) {
    case tpTop: return TRect(R.Left, R.Bottom, R.Right, R.Bottom + 1);
    case tpBottom: return TRect(R.Left, R.Top - 1, R.Right, R.Top);
    case tpLeft: return TRect(R.Right, R.Top, R.Right + 1, R.Bottom);
    case tpRight: return TRect(R.Left - 1, R.Top, R.Left, R.Bottom);
  }
  return TRect();
}

TRect GrowTowardPage(TRect R, TcxTabPosition Side) {
  switch (Side) {
    case tpTop: ++R.Bottom; break;
    case tpBottom: --R.Top; break;
    case tpLeft: ++R.Right; break;
    case tpRight: --R.Left; break;
  }
  return R;
}

}  // namespace

TcxPCPainterClass cxPCSlantedStyle() { return &kSlantedStyle; }
TcxPCPainterClass cxPCOneNoteStyle() { return &kOneNoteStyle; }
TcxPCPainterClass TcxPCSlantedPainter::PainterClass() const { return &kSlantedStyle; }
TcxPCPainterClass TcxPCOneNotePainter::PainterClass() const { return &kOneNoteStyle; }

// ---- geometry -----------------------------------------------------------------------------------

TcxPCSlantedPainter::TFrame TcxPCSlantedPainter::FrameOf(const TRect& R, TcxTabPosition RowSide) {
  bool side = RowSide == tpLeft || RowSide == tpRight;
  int w = R.Right - R.Left, h = R.Bottom - R.Top;
  return TFrame{R.Left, R.Bottom, side ? h : w, side ? w : h};
}

void TcxPCSlantedPainter::TransformToRowSide(const TRect& R, TcxTabPosition RowSide, TPoints& Points) {
  if (RowSide != tpTop && !Points.empty())
    TransformPoints(R, Points.data(), static_cast<int>(RowSide), static_cast<int>(Points.size()) - 1);
}

TcxTabSlantPositions TcxPCSlantedPainter::SlantedSides() {
  TcxTabSlants* slants = Control()->TabSlants();
  if (slants->Kind() == skSlant && !Control()->Rotate()) return slants->Positions();
  return {};
}

int TcxPCSlantedPainter::SlantSize() {
  return Control()->TabSlants()->Kind() == skSlant ? NormalTabHeight() - 1 : 6;
}

int TcxPCSlantedPainter::SlantExtraWidth() {
  if (Control()->Rotate()) return 0;
  TcxTabSlants* slants = Control()->TabSlants();
  int n = slants->Positions().Contains(spLeft) + slants->Positions().Contains(spRight);
  if (n == 0) return 8;
  if (slants->Kind() == skSlant) return FSlantSize * n - 2 * n + 8;
  return FSlantSize * n + ClientShift() * (2 - n) + 4;
}

void TcxPCSlantedPainter::ImageAreaSize(TSize& Size) {
  TSize image = ImageSize();
  int border = 2 * Control()->ImageBorder();
  Size = TSize(image.cx > 0 ? image.cx + border : 0, image.cy > 0 ? image.cy + border : 0);
}

TcxPCWOffset TcxPCSlantedPainter::TabContentPadding(int TabVisibleIndex) {
  TcxTabSlants* slants = Control()->TabSlants();
  int direction = cxPCTabTextDirection(Control()->TabPosition(), Control()->Rotate(), Control()->Options());
  TcxPCWOffset pair;
  if (!Control()->Rotate()) {
    int cut = slants->Kind() == skSlant ? FSlantSize : 6;
    pair = {slants->Positions().Contains(spLeft) ? cut : ClientShift() + 2,
            slants->Positions().Contains(spRight) ? cut : ClientShift() + 2};
    if (direction == 2) std::swap(pair.Left, pair.Right);
    return pair;
  }
  pair = {2, ClientShift() + 5};
  if (slants->Kind() == skCutCorner && !slants->Positions().Empty()) ++pair.Right;
  TcxTabPosition side = TabVisibleIndex >= 0 ? VisibleTab(TabVisibleIndex)->RowSide() : Control()->TabPosition();
  if ((side == tpTop && direction == 2) || (side == tpBottom && direction == 1) || side == tpLeft)
    std::swap(pair.Left, pair.Right);
  return pair;
}

TcxPCWOffset TcxPCOneNotePainter::TabContentPadding(int) {
  TcxPCWOffset pair{CurrentSlantSize(), 4};
  if (cxPCTabTextDirection(Control()->TabPosition(), Control()->Rotate(), Control()->Options()) == 2)
    std::swap(pair.Left, pair.Right);
  return pair;
}

int TcxPCSlantedPainter::TabImageAreaWidth(int TabVisibleIndex) {
  TcxPCWOffset pair = TabContentPadding(TabVisibleIndex);
  int width = pair.Left + pair.Right;
  if (HasImages() && (TabVisibleIndex == -1 || Control()->Rotate() || TabHasImage(TabVisibleIndex))) {
    TSize area;
    ImageAreaSize(area);
    width += area.cx;
  }
  return std::max(width, SlantExtraWidth());
}

int TcxPCSlantedPainter::CalculateTabWidth(TcxTab* Tab) {
  if (!Tab->Visible()) return 0;
  if (Control()->TabWidthProperty() > 0) return Control()->TabWidthProperty();
  int index = Tab->VisibleIndex();
  int width = TabImageAreaWidth(index) + Control()->MeasureTabCaptionWidth(Tab);
  if ((index >= 0 && TabHasImage(index)) || (HasImages() && Control()->Rotate())) width += TabImageTextGap(index);
  return std::max(width, MinTabWidth(index));
}

TRect TcxPCSlantedPainter::TabContentOffsets(int) {
  if (!Control()->Rotate()) return TRect(0, 4, 0, 1);
  TcxTabSlants* slants = Control()->TabSlants();
  int v = slants->Kind() == skCutCorner && !slants->Positions().Empty() ? 3 : 2;
  return TRect(0, v, 0, v);
}

TRect TcxPCSlantedPainter::TabImageTextOffsets(int) {
  return Control()->Rotate() ? TRect(0, 4, 0, 2) : TRect(0, 5, 0, 1);
}

int TcxPCSlantedPainter::TabContentHeight() {
  TRect text = TabImageTextOffsets(-1), image = TabContentOffsets(-1);
  TSize area;
  ImageAreaSize(area);
  return std::max(MaxCaptionHeight() + text.Top + text.Bottom, area.cy + image.Top + image.Bottom);
}

TcxPCDistance TcxPCSlantedPainter::TabSpacing() {
  TcxTabSlantPositions sides = SlantedSides();
  int n = sides.Contains(spLeft) + sides.Contains(spRight);
  TcxPCDistance spacing{n > 0 ? -(FSlantSize / 2) * n : 1, -3};
  // Exchanged under Rotate, where the layout exchanges them back.
  if (Control()->Rotate()) std::swap(spacing.dw, spacing.dh);
  return spacing;
}

void TcxPCSlantedPainter::TabShapeExtents(TRect& Extents) {
  TcxTabSlantPositions sides = SlantedSides();
  Extents = TRect(sides.Contains(spLeft) ? 1 : 0, 0, sides.Contains(spRight) ? 1 : 0, 0);
}

TRect TcxPCSlantedPainter::PageClientExtents() {
  TRect r = TcxPCStandardPainter::PageClientExtents();
  if (!ShowsFrameBorder() && !Control()->HideTabs() && Control()->Layout()->RowCount() > 0) {
    ++r.Top;
    if (ParentInfo()->ParentRowsOnBothSides()) ++r.Bottom;
  }
  return r;
}

// ---- outlines and regions -----------------------------------------------------------------------

void TcxPCSlantedPainter::TabOutline(int TabVisibleIndex, TPoints& Points, TLinePositions& Positions) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect r = tab->FullRect();
  TcxTabPosition side = tab->RowSide();
  TFrame f = FrameOf(r, side);
  const int L = f.L, B = f.B, H = f.H, R = f.L + f.W;
  TcxTabSlants* slants = Control()->TabSlants();
  bool slant = slants->Kind() == skSlant, rotate = Control()->Rotate();
  TcxTabSlantPositions listed = slants->Positions();
  bool straightEnds = !slant && !listed.Empty();
  Points.clear();
  Positions.clear();
  auto append = [&](std::initializer_list<TPoint> P, std::initializer_list<TLinePosition> Pos) {
    Points.insert(Points.end(), P);
    Positions.insert(Positions.end(), Pos);
  };
  if (listed.Contains(spLeft) && slant && !rotate)
    append({{L, B - 1}, {L + H - 1, B - H}}, {lpLT});
  else if (listed.Contains(spLeft) && !slant)
    append({{L, B - 1}, {L, B + 6 - H}, {L + 6, B - H}}, {lpL, lpLT});
  else if (straightEnds)
    append({{L, B - 1}, {L, B - H}}, {lpL});
  else
    append({{L, B - 1}, {L, B + 2 - H}, {L + 2, B - H}}, {lpL, lpLT});
  if (listed.Contains(spRight) && slant && !rotate)
    append({{R - H, B - H}, {R - 1, B - 1}}, {lpT, lpRT});
  else if (listed.Contains(spRight) && !slant)
    append({{R - 7, B - H}, {R - 1, B + 6 - H}, {R - 1, B - 1}}, {lpT, lpRT, lpR});
  else if (straightEnds)
    append({{R - 1, B - H}, {R - 1, B - 1}}, {lpT, lpR});
  else
    append({{R - 3, B - H}, {R - 1, B + 2 - H}, {R - 1, B - 1}}, {lpT, lpRT, lpR});

  TransformToRowSide(r, side, Points);
  if (side == tpBottom || side == tpRight) {
    std::reverse(Points.begin(), Points.end());
    std::reverse(Positions.begin(), Positions.end());
  }
  for (TLinePosition& p : Positions) {
    switch (side) {
      case tpBottom: p = p == lpLT ? lpLB : p == lpT ? lpB : p == lpRT ? lpRB : p; break;
      case tpLeft: {
        static constexpr TLinePosition kLeft[] = {lpB, lpLB, lpL, lpLT, lpT, lpRB, lpB, lpLB};
        p = kLeft[p];
        break;
      }
      case tpRight: {
        static constexpr TLinePosition kRight[] = {lpB, lpRB, lpR, lpRT, lpT, lpRB, lpB, lpLB};
        p = kRight[p];
        break;
      }
      default: break;
    }
  }
  if (side == tpLeft && !Positions.empty() && Positions.front() == lpLB)
    Points.front() = TPoint(Points.front().X + 1, Points.front().Y + 1);
  if (Points.size() >= 2) {
    TPoint& last = Points.back();
    const TPoint& previous = Points[Points.size() - 2];
    last = TPoint(last.X + Sign(last.X - previous.X), last.Y + Sign(last.Y - previous.Y));
  }
}

std::unique_ptr<TcxRegion> TcxPCSlantedPainter::OutlinePolygonRegion(const TPoints& Points,
                                                                      const TLinePositions& Positions, bool Inner) {
  auto has = [&](TLinePosition p) { return std::find(Positions.begin(), Positions.end(), p) != Positions.end(); };
  std::vector<win::POINT> moved(Points.size());
  for (std::size_t i = 0; i < Points.size(); ++i) moved[i] = {Points[i].X, Points[i].Y};
  auto move = [&](std::size_t i, int dx, int dy) {
    moved[i].x += dx;
    moved[i].y += dy;
  };
  for (std::size_t e = 0; e < Positions.size() && e + 1 < Points.size(); ++e) {
    const std::size_t s = e, t = e + 1;
    switch (Positions[e]) {
      case lpL:
        if (!Inner) break;
        move(s, 1, has(lpLB) ? 1 : 0);
        move(t, 1, has(lpLT) ? -1 : 0);
        break;
      case lpT:
        if (!Inner) break;
        move(s, has(lpLT) ? -1 : 0, 1);
        move(t, has(lpRT) ? 1 : 0, 1);
        break;
      case lpLT:
        if (!Inner) break;
        has(lpL) ? move(s, 0, 1) : move(s, 1, 0);
        has(lpT) ? move(t, 1, 0) : move(t, 0, 1);
        break;
      case lpLB:
        if (!Inner) break;
        has(lpB) ? move(s, 1, 0) : move(s, 0, -1);
        has(lpL) ? move(t, 0, -1) : move(t, 1, 0);
        break;
      case lpR:
        if (Inner) break;
        move(s, 1, has(lpRT) ? 1 : 0);
        move(t, 1, has(lpRB) ? -1 : 0);
        break;
      case lpB:
        if (Inner) break;
        move(s, has(lpRB) ? -1 : 0, 1);
        move(t, has(lpLB) ? 1 : 0, 1);
        break;
      case lpRT:
        if (Inner) break;
        has(lpT) ? move(s, 1, 0) : move(s, 0, -1);
        has(lpR) ? move(t, 0, -1) : move(t, 1, 0);
        break;
      case lpRB:
        if (Inner) break;
        has(lpR) ? move(s, 0, 1) : move(s, 1, 0);
        has(lpB) ? move(t, 1, 0) : move(t, 0, 1);
        break;
    }
  }
  return std::make_unique<TcxRegion>(
      win::CreatePolygonRgn(moved.data(), static_cast<int>(moved.size()), win::WINDING));
}

std::unique_ptr<TcxRegion> TcxPCSlantedPainter::TabShapeRegion(int TabVisibleIndex, bool Inner) {
  TPoints points;
  TLinePositions positions;
  TabOutline(TabVisibleIndex, points, positions);
  return OutlinePolygonRegion(points, positions, Inner);
}

std::unique_ptr<TcxRegion> TcxPCOneNotePainter::TabShapeRegion(int TabVisibleIndex, bool Inner) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TcxTabPosition side = tab->RowSide();
  TRect r = tab->FullRect();
  TPoints points;
  if (!Inner) {
    r = TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    TFrame f = FrameOf(r, side);
    const int L = f.L, B = f.B, W = f.W, H = f.H;
    if (side == tpRight)
      points = {{L - 1, B - 1}, {L - 1, B - 3}, {L + 2, B - 3}, {L + H - 2, B - H + 2},
                {L + H + 2, B - H}, {L + W - 4, B - H}, {L + W - 1, B - H + 3}, {L + W - 1, B - 1}};
    else if (side == tpLeft)
      points = {{L, B - 2}, {L + 1, B - 2}, {L + H - 3, B - H + 3}, {L + H + 2, B - H},
                {L + W - 5, B - H}, {L + W - 1, B - H + 4}, {L + W - 1, B - 1}};
    else
      points = {{L, B - 2}, {L + 1, B - 2}, {L + H - 3, B - H + 3}, {L + H + 2, B - H},
                {L + W - 4, B - H}, {L + W - 1, B - H + 3}, {L + W - 1, B - 1}};
  } else {
    int a = -2, b = 3, c = 2;
    switch (side) {
      case tpTop: r = TRect(r.Left, r.Top + 1, r.Right, r.Bottom + 1); break;
      case tpBottom: r = TRect(r.Left + 1, r.Top, r.Right, r.Bottom), a = -3, b = 4; break;
      case tpLeft: r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom); break;
      case tpRight: r = TRect(r.Left, r.Top + 1, r.Right, r.Bottom), a = -1, c = 3; break;
    }
    TFrame f = FrameOf(r, side);
    const int L = f.L, B = f.B, W = f.W, H = f.H;
    points = {{L + 2, B - 1}, {L + H + a, B - H + b}, {L + H + c, B - H + 1}, {L + W - 2, B - H + 1}, {L + W - 2, B - 1}};
  }
  TransformToRowSide(r, side, points);
  std::vector<win::POINT> raw;
  for (const TPoint& p : points) raw.push_back({p.X, p.Y});
  return std::make_unique<TcxRegion>(win::CreatePolygonRgn(raw.data(), static_cast<int>(raw.size()), win::WINDING));
}

std::unique_ptr<TcxRegion> TcxPCSlantedPainter::TabRegion(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect clipped = tab->ClippedRect();
  if (IsEmptyRect(clipped)) return std::make_unique<TcxRegion>(clipped);
  std::unique_ptr<TcxRegion> region = TabShapeRegion(TabVisibleIndex, false);
  region->CombineWith(new TcxRegion(clipped), rcmIntersect);
  if (tab->IsSelectedTab()) region->CombineWith(new TcxRegion(BeyondPageSide(tab->FullRect(), tab->RowSide())), rcmUnion);
  return region;
}

bool TcxPCSlantedPainter::IsPointInTabShape(int TabVisibleIndex, int X, int Y) {
  if (!TabRegion(TabVisibleIndex)->ContainsXY(X, Y)) return false;
  int next = TabVisibleIndex + 1;
  if (next < Control()->Tabs()->VisibleCount() && VisibleTab(next)->IsSelectedTab() && VisibleTab(next)->IsOnScreen())
    return !TabRegion(next)->ContainsXY(X, Y);
  return true;
}

TColor TcxPCSlantedPainter::FillUnder(TPoint P) {
  int first, last;
  Control()->Layout()->PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last; ++i) {
    TRect r = VisibleTab(i)->ClippedRect();
    if (P.X >= r.Left && P.X < r.Right && P.Y >= r.Top && P.Y < r.Bottom && IsPointInTabShape(i, P.X, P.Y))
      return TabFillColor(i);
  }
  return Control()->Color();
}

// ---- colours ------------------------------------------------------------------------------------

TColor TcxPCSlantedPainter::Blend(TColor Color1, TColor Color2, int Percent) {
  auto key = std::make_tuple(Color1, Color2, Percent);
  auto it = FBlends.find(key);
  if (it != FBlends.end()) return it->second;
  return FBlends[key] = BlendColorsByPercent(Color1, Color2, Percent);
}

TColor TcxPCSlantedPainter::TabFillColor(int TabVisibleIndex) {
  if (VisibleTab(TabVisibleIndex)->Highlighted()) return clHighlight;
  TColor own = TabOwnColor(TabVisibleIndex);
  if (own != clDefault) return own;
  return ParentInfo()->ParentReservedFlag() ? clBtnFace : Control()->Color();
}

void TcxPCSlantedPainter::TabGradientColors(int TabVisibleIndex, TColor& First, TColor& Second) {
  TColor fill = TabFillColor(TabVisibleIndex);
  if (VisibleTab(TabVisibleIndex)->IsHotTab()) {
    First = LightenColor(fill, 20);
    Second = fill;
  } else {
    First = LightenColor(fill, 13);
    Second = ScaleColorChannels(fill, 90);
  }
}

// ---- painting -----------------------------------------------------------------------------------

void TcxPCSlantedPainter::FillPageArea() { Canvas()->FillRectWithColor(PageClientBounds(), PageColor()); }

void TcxPCSlantedPainter::PaintFrameBorder() {
  TRect r = PageClientBounds();
  TColor c = OutlineColor();
  Canvas()->DrawTwoColorFrame(TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1), c, c, cxBordersAll, 1);
}

void TcxPCSlantedPainter::PaintTabGradient(TcxCanvas* ACanvas, const TRect& R, bool Reversed, bool Horizontal,
                                           int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  bool selected = tab->IsSelectedTab(), hot = tab->IsHotTab();
  TColor fill = TabFillColor(TabVisibleIndex);
  if (selected && !(hot && HotTracksSelectedTab())) {
    ACanvas->FillRectWithColor(R, fill);
    return;
  }
  TColor first = fill, second = fill;
  if (Control()->Options().Contains(pcoGradient)) TabGradientColors(TabVisibleIndex, first, second);
  TcxTabPosition side = tab->RowSide();
  if (selected && hot && (side == tpBottom || side == tpRight)) std::swap(first, second);
  if (Reversed) std::swap(first, second);
  PaintGradientRect(ACanvas->DeviceContext(), R, first, second, Horizontal);
}

void TcxPCSlantedPainter::PaintTabMark(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (!tab->IsHotTab() && !tab->IsSelectedTab()) return;
  TRect f = tab->FullRect();
  int n = ClientShift() + 3;
  TRect band;
  switch (tab->RowSide()) {
    case tpTop: band = TRect(f.Left, f.Top, f.Right, f.Top + n); break;
    case tpBottom: band = TRect(f.Left, f.Bottom - n, f.Right, f.Bottom); break;
    case tpLeft: band = TRect(f.Left, f.Top, f.Left + n, f.Bottom); break;
    case tpRight: band = TRect(f.Right - n, f.Top, f.Right, f.Bottom); break;
  }
  Canvas()->FillRectWithColor(band, clHighlight);
  Canvas()->ExcludeRectFromClip(band);
}

void TcxPCSlantedPainter::PaintTabOutline(int TabVisibleIndex, const TRect&) {
  TPoints points;
  TLinePositions positions;
  TabOutline(TabVisibleIndex, points, positions);
  if (points.size() < 2) return;
  // The outline's last point already stands one pixel past its end: a plain polyline reaches it.
  TcxCanvas* canvas = Canvas();
  canvas->ActivePen()->SetColor(OutlineColor());
  canvas->DrawPolyline(points.data(), static_cast<int>(points.size()) - 1);
}

void TcxPCSlantedPainter::PaintPageJoin(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect full = tab->FullRect();
  TcxTabPosition side = tab->RowSide();
  TRect strip = BeyondPageSide(full, side);
  TcxCanvas* canvas = Canvas();
  canvas->FillRectWithColor(strip, TabFillColor(TabVisibleIndex));
  TcxTabSlantPositions slanted = SlantedSides();
  // The strip's two ends: the near end first along the strip, as the outline was built.
  bool sideRow = side == tpLeft || side == tpRight;
  TPoint nearEnd = sideRow ? TPoint(strip.Left, strip.Bottom - 1) : TPoint(strip.Left, strip.Top);
  TPoint farEnd = sideRow ? TPoint(strip.Left, strip.Top) : TPoint(strip.Right - 1, strip.Top);
  if (!slanted.Contains(spLeft)) canvas->Canvas()->SetPixels(nearEnd.X, nearEnd.Y, OutlineColor());
  if (!slanted.Contains(spRight)) canvas->Canvas()->SetPixels(farEnd.X, farEnd.Y, OutlineColor());
}

void TcxPCOneNotePainter::PaintPageJoin(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect r = tab->FullRect();
  TcxTabPosition side = tab->RowSide();
  TFrame f = FrameOf(r, side);
  TColor fill = tab->IsSelectedTab() ? TabFillColor(TabVisibleIndex) : OutlineColor();
  TPoints corner{{f.L, f.B}};
  TransformToRowSide(r, side, corner);
  Canvas()->Canvas()->SetPixels(corner[0].X, corner[0].Y, Blend(OutlineColor(), fill, 50));
  if (f.W > 1) {
    const TPoint line[] = {{f.L + 1, f.B}, {f.L + f.W - 1, f.B}};
    DrawTransformedPolyline(r, line, fill, static_cast<int>(side), 2);
  }
}

void TcxPCOneNotePainter::PaintTabOutline(int TabVisibleIndex, const TRect& R) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TcxTabPosition side = tab->RowSide();
  TFrame f = FrameOf(R, side);
  const int L = f.L, B = f.B, W = f.W, H = f.H;
  const std::array<TColor, 6>& scheme = OneNoteSchemeColors();
  TColor fill = TabFillColor(TabVisibleIndex);
  TColor c1, c2, c3;
  if (tab->IsHotTab()) {
    c1 = c2 = c3 = scheme[3];
  } else if (tab->IsSelectedTab()) {
    c1 = scheme[0];
    c2 = Blend(clWhite, fill, 60);
    c3 = Blend(c2, fill, 70);
  } else {
    c1 = scheme[1];
    c2 = Blend(Blend(clWhite, scheme[5], 50), fill, 50);
    c3 = Blend(scheme[5], fill, 50);
  }
  auto at = [&](int x, int y) {
    TPoints p{{x, y}};
    TransformToRowSide(R, side, p);
    return p[0];
  };
  TCanvas* canvas = Canvas()->Canvas();
  TPoint corner = at(L, B - 1);
  canvas->SetPixels(corner.X, corner.Y, Blend(c1, FillUnder(at(L - 1, B - 1)), 25));
  const TPoint outline[] = {{L + 1, B - 1}, {L + H - 3, B - H + 3}, {L + H + 2, B - H},
                            {L + W - 3, B - H}, {L + W - 1, B - H + 2}, {L + W - 1, B - 1}};
  DrawTransformedPolyline(R, outline, c1, static_cast<int>(side), 6);
  TPoint knee = at(L + H + 2, B - H);
  canvas->SetPixels(knee.X, knee.Y, Blend(c1, FillUnder(at(L + H + 1, B - H)), 60));
  const TPoint light[] = {{L + 2, B - 1}, {L + H - 3, B - H + 4}, {L + H + 2, B - H + 1}, {L + W - 4, B - H + 1}};
  DrawTransformedPolyline(R, light, c2, static_cast<int>(side), 4);
  const TPoint right[] = {{L + W - 3, B - H + 1}, {L + W - 2, B - H + 2}, {L + W - 2, B - 1}};
  DrawTransformedPolyline(R, right, c3, static_cast<int>(side), 3);
}

void TcxPCSlantedPainter::PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) {
  TRect full = Tab->FullRect();
  TcxTabPosition side = Tab->RowSide();
  TcxCanvas* canvas = Canvas();
  SaveClipRegion();
  PaintTabOutline(TabVisibleIndex, full);
  canvas->ApplyClipRegion(TabShapeRegion(TabVisibleIndex, true).release(), rcmIntersect);
  PaintTabMark(TabVisibleIndex);
  PaintTabGradient(canvas, full, false, side == tpLeft || side == tpRight, TabVisibleIndex);
  RestoreClipRegion();
  if (Tab->IsSelectedTab()) PaintPageJoin(TabVisibleIndex);
  const TRect& text = StoredImageAndTextRects().TextRect;
  if (IsEmptyRect(text)) return;
  bool vertical = cxPCHasVerticalText(Control()->TabPosition(), Control()->Rotate());
  int across = vertical ? 2 : 3, along = vertical ? 3 : 2;
  TRect focus = vertical ? TRect(text.Left - across, text.Top - along, text.Right + across, text.Bottom + along)
                         : TRect(text.Left - along, text.Top - across, text.Right + along, text.Bottom + across);
  canvas->ActiveBrush()->SetColor(TabFillColor(TabVisibleIndex));
  PaintTabFocusRect(TabVisibleIndex, focus);
}

void TcxPCSlantedPainter::PaintTabs() {
  TcxTabLayout* layout = Control()->Layout();
  int first, last;
  layout->PlacedTabRange(first, last);
  first = std::max(first, 0);
  int selected = Control()->SelectedTabVisibleIndex();
  if (selected >= first && selected <= last && VisibleTab(selected)->IsOnScreen()) DrawTab(selected);
  int rows = layout->RowCount(), top = layout->TopRowCount();
  std::vector<int> order;
  for (int v = top - 1; v >= 0; --v) order.push_back(v);
  for (int v = top; v < rows; ++v) order.push_back(v);
  TcxCanvas* canvas = Canvas();
  TcxTabSlantPositions slanted = SlantedSides();
  bool sideStrip = IsSideStrip();
  for (int row : order) {
    int rowFirst = -1, rowLast = -1;
    for (int i = first; i <= last; ++i) {
      if (VisibleTab(i)->VisibleRow() != row) continue;
      if (rowFirst < 0) rowFirst = i;
      rowLast = i;
      if (i != selected) DrawTab(i);
    }
    if (rowFirst < 0) continue;
    // The row's lines: along its page side, and at its slanted ends when it is not the outermost.
    TcxTab* firstTab = VisibleTab(rowFirst);
    TcxTabPosition side = firstTab->RowSide();
    TRect a = firstTab->FullRect(), b = VisibleTab(rowLast)->FullRect();
    TRect extent(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    bool nextToPage = row == top - 1 || row == top;
    bool outermost = row == 0 || row == rows - 1;
    int w = Control()->Width(), h = Control()->Height();
    bool reverse = cxPCRowRunsInReverse(Control()->TabPosition(), Control()->Rotate(), Control()->Options());
    // The near end of the strip carries the left slant (the far end when the row runs in reverse).
    bool nearSlant = slanted.Contains(reverse ? spRight : spLeft), farSlant = slanted.Contains(reverse ? spLeft : spRight);
    if (sideStrip) {
      if (nextToPage || nearSlant) extent.Top = 0;
      if (nextToPage || farSlant) extent.Bottom = h;
    } else {
      if (nextToPage || nearSlant) extent.Left = 0;
      if (nextToPage || farSlant) extent.Right = w;
    }
    TRect line = BeyondPageSide(extent, side);
    canvas->FillRectWithColor(line, OutlineColor());
    canvas->ExcludeRectFromClip(line);
    if (!outermost) {
      TRect across = ReduceRectByExtents(extent, RotateRectForTabPosition(TRect(0, 3, 0, 0), side));
      across = GrowTowardPage(across, side);
      if (nearSlant) {
        TRect end = sideStrip ? TRect(across.Left, across.Top, across.Right, across.Top + 1)
                              : TRect(across.Left, across.Top, across.Left + 1, across.Bottom);
        canvas->FillRectWithColor(end, OutlineColor());
        canvas->ExcludeRectFromClip(end);
      }
      if (farSlant) {
        TRect end = sideStrip ? TRect(across.Left, across.Bottom - 1, across.Right, across.Bottom)
                              : TRect(across.Right - 1, across.Top, across.Right, across.Bottom);
        canvas->FillRectWithColor(end, OutlineColor());
        canvas->ExcludeRectFromClip(end);
      }
    }
  }
}

void TcxPCSlantedPainter::PaintRotatedTabContent(TBitmap* Bitmap, const TcxPCTabImageAndTextData& Data,
                                                 int TabVisibleIndex) {
  if (TabVisibleIndex < 0 || TabVisibleIndex >= Control()->Tabs()->VisibleCount()) return;
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  const TRect& text = Data.TextRect;
  TRect full = tab->FullRect();
  bool rotate = Control()->Rotate();
  int direction = cxPCTabTextDirection(Control()->TabPosition(), rotate, Control()->Options());
  TcxCanvas canvas(Bitmap->Canvas());
  if (direction == 0) {
    PaintTabGradient(&canvas, TRect(full.Left - text.Left, full.Top - text.Top, full.Right - text.Left, full.Bottom - text.Top),
                     false, IsSideStrip(), TabVisibleIndex);
    return;
  }
  // The caption is drawn unturned and turned afterwards.
  TRect r;
  bool reversed;
  if (!rotate) {
    r = direction == 1 ? TRect(0, full.Left - text.Left, Bitmap->Width(), full.Right - text.Left)
                       : TRect(0, text.Right - full.Right, Bitmap->Width(), text.Right - full.Left);
    reversed = direction == 2;
    PaintTabGradient(&canvas, r, reversed, false, TabVisibleIndex);
  } else {
    r = direction == 1 ? TRect(text.Bottom - full.Bottom, 0, text.Bottom - full.Top, Bitmap->Height())
                       : TRect(full.Top - text.Top, 0, full.Bottom - text.Top, Bitmap->Height());
    reversed = direction == 1;
    PaintTabGradient(&canvas, r, reversed, true, TabVisibleIndex);
  }
}

// ---- the navigator ------------------------------------------------------------------------------

int TcxPCSlantedPainter::NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2) {
  return Button1 == nbClose || Button2 == nbClose ? 3 : 1;
}

int TcxPCSlantedPainter::NavigatorButtonLength(TcxPCNavigatorButton Button) {
  switch (Button) {
    case nbGoDialog: return 13;
    case nbClose: return 16;
    default: return 17;
  }
}

bool TcxPCSlantedPainter::NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) {
  TcxPCNavigatorButtonState state = ButtonState(Button);
  Info.FillColor = Info.LineColor = !Control()->ControlEnabled() ? clBtnShadow : NavigatorArrowColor(state);
  Info.Enabled = true;
  Info.Thin = Button == nbClose;
  return state != nbsDisabled;
}

TColor TcxPCSlantedPainter::NavigatorButtonColor(TcxPCNavigatorButtonState State) {
  switch (State) {
    case nbsHotTrack: return Blend(clBtnFace, clWhite, 35);
    case nbsPressed: return Blend(clBtnFace, clBlack, 90);
    default: return clBtnFace;
  }
}

TColor TcxPCSlantedPainter::NavigatorArrowColor(TcxPCNavigatorButtonState State) {
  if (State == nbsDisabled || !Control()->ControlEnabled()) return clBtnShadow;
  if (State == nbsPressed) return Blend(Control()->Color(), clWhite, 10);
  return clBtnText;
}

void TcxPCSlantedPainter::PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) {
  TColor c = State == nbsPressed || State == nbsHotTrack ? clBlack : clBtnShadow;
  Canvas()->DrawTwoColorFrame(R, c, c, cxBordersAll, 1);
  R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}
