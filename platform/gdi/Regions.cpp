// Regions: shapes turned into pixel sets, region algebra and region painting.
#include <algorithm>
#include <cmath>

#include "platform/gdi/Internal.h"

namespace platform::gdi {

Region RegionFromBoxes(std::vector<pixman_box32_t>& boxes) {
  Region r;
  if (boxes.empty()) return r;
  pixman_region32_fini(r.Raw());
  pixman_region32_init_rects(r.Raw(), boxes.data(), static_cast<int>(boxes.size()));
  return r;
}

Region RectRegion(int l, int t, int r, int b) {
  l = Clamp(l), t = Clamp(t), r = Clamp(r), b = Clamp(b);
  return Region(win::RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)});
}

Region RoundRectRegion(int l, int t, int r, int b, int w, int h, const win::RECT* limit) {
  l = Clamp(l), t = Clamp(t), r = Clamp(r), b = Clamp(b);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  w = std::min(std::abs(w), r - l);
  h = std::min(std::abs(h), b - t);
  if (w <= 1 || h <= 1) return RectRegion(l, t, r, b);
  std::vector<pixman_box32_t> boxes;
  double rx = w / 2.0, ry = h / 2.0;
  double cyTop = t + ry, cyBottom = b - ry;
  int y0 = limit ? std::max(t, static_cast<int>(limit->top)) : t;
  int y1 = limit ? std::min(b, static_cast<int>(limit->bottom)) : b;
  for (int y = y0; y < y1; ++y) {
    double yc = y + 0.5;
    double ey = yc < cyTop ? cyTop - yc : (yc > cyBottom ? yc - cyBottom : 0.0);
    double hw = rx;
    if (ey > 0) {
      double q = 1.0 - (ey * ey) / (ry * ry);
      if (q <= 0) continue;
      hw = rx * std::sqrt(q);
    }
    // Pixels whose centre lies within [left edge, right edge].
    double le = l + rx - hw, re = r - rx + hw;
    int x0 = static_cast<int>(std::ceil(le - 0.5)), x1 = static_cast<int>(std::floor(re - 0.5)) + 1;
    if (limit) {
      x0 = std::max(x0, static_cast<int>(limit->left));
      x1 = std::min(x1, static_cast<int>(limit->right));
    }
    if (x1 > x0) boxes.push_back({x0, y, x1, y + 1});
  }
  return RegionFromBoxes(boxes);
}

Region PolygonRegion(const win::POINT* pts, const int* counts, int polygons, int fillMode, const win::RECT* limit,
                     double sample) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  int top = INT32_MAX, bottom = INT32_MIN;
  const win::POINT* p = pts;
  for (int k = 0; k < polygons; ++k) {
    int n = counts[k];
    for (int i = 0; i < n; ++i) {
      const win::POINT& a = p[i];
      const win::POINT& b = p[(i + 1) % n];
      top = std::min(top, static_cast<int>(a.y));
      bottom = std::max(bottom, static_cast<int>(a.y));
      if (a.y == b.y) continue;
      edges.push_back(a.y < b.y ? Edge{double(a.x), double(a.y), double(b.x), double(b.y), 1}
                                : Edge{double(b.x), double(b.y), double(a.x), double(a.y), -1});
    }
    p += n;
  }
  std::vector<pixman_box32_t> boxes;
  std::vector<std::pair<double, int>> xs;
  if (limit) {
    top = std::max(top, static_cast<int>(limit->top));
    bottom = std::min(bottom, static_cast<int>(limit->bottom));
  }
  for (int y = top; y < bottom; ++y) {
    double yc = y + sample;
    xs.clear();
    for (const Edge& e : edges)
      if (yc >= e.y0 && yc < e.y1) xs.push_back({e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
    std::sort(xs.begin(), xs.end());
    int winding = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      winding += xs[i].second;
      bool inside = fillMode == win::WINDING ? winding != 0 : (i % 2) == 0;
      if (!inside) continue;
      int x0 = static_cast<int>(std::ceil(xs[i].first - sample)),
          x1 = static_cast<int>(std::ceil(xs[i + 1].first - sample));
      if (limit) {
        x0 = std::max(x0, static_cast<int>(limit->left));
        x1 = std::min(x1, static_cast<int>(limit->right));
      }
      if (x1 > x0) boxes.push_back({x0, y, x1, y + 1});
    }
  }
  return RegionFromBoxes(boxes);
}

Region InnerBoundary(const Region& r) {
  Region inner(r);
  for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    Region s(r);
    s.Offset(dx, dy);
    inner.Intersect(s);
  }
  Region out(r);
  return out.Subtract(inner);
}

static int TypeOf(const Region& r) {
  if (r.Empty()) return win::NULLREGION;
  return r.Rects().size() == 1 ? win::SIMPLEREGION : win::COMPLEXREGION;
}

// A region given in logical coordinates, in target coordinates.
static Region ToTarget(DeviceContext& dc, const Region& r) {
  Region out(r);
  if (dc.s.mapMode == win::MM_TEXT) {
    win::POINT o = LpToTarget(dc, {0, 0});
    out.Offset(o.x, o.y);
    return out;
  }
  Region scaled;
  for (const win::RECT& rc : r.Rects()) scaled.Unite(LrToTarget(dc, rc));
  return scaled;
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

static HRGN AddRegion(Region r) {
  auto o = std::make_unique<RegionObj>();
  o->rgn = std::move(r);
  return MakeHandle<HRGN>(Regions().Add(std::move(o)));
}

HRGN CreateRectRgn(int l, int t, int r, int b) { return AddRegion(RectRegion(l, t, r, b)); }
HRGN CreateRectRgnIndirect(const RECT* rc) { return rc ? CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr; }
HRGN CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) { return AddRegion(RoundRectRegion(l, t, r, b, w, h)); }
HRGN CreateEllipticRgn(int l, int t, int r, int b) { return AddRegion(EllipseRegion(std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b))); }
HRGN CreateEllipticRgnIndirect(const RECT* rc) { return rc ? CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom) : nullptr; }

HRGN CreatePolygonRgn(const POINT* pts, int count, int fillMode) {
  if (!pts || count < 2) return count >= 0 && pts ? AddRegion(Region()) : nullptr;
  return AddRegion(PolygonRegion(pts, &count, 1, fillMode));
}

HRGN CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int polygons, int fillMode) {
  if (!pts || !counts || polygons <= 0) return nullptr;
  for (int i = 0; i < polygons; ++i)
    if (counts[i] < 2) return nullptr;
  return AddRegion(PolygonRegion(pts, counts, polygons, fillMode));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  RegionObj* d = Rgn(dest);
  RegionObj* a = Rgn(src1);
  RegionObj* b = mode == RGN_COPY ? a : Rgn(src2);
  if (!d || !a || !b) {
    SetLastError(ERROR_INVALID_HANDLE);
    return ERROR;
  }
  Region r(a->rgn);
  switch (mode) {
    case RGN_AND: r.Intersect(b->rgn); break;
    case RGN_OR: r.Unite(b->rgn); break;
    case RGN_XOR: r.Xor(b->rgn); break;
    case RGN_DIFF: r.Subtract(b->rgn); break;
    case RGN_COPY: break;
    default: return ERROR;
  }
  d->rgn = std::move(r);
  return TypeOf(d->rgn);
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  RegionObj* r = Rgn(rgn);
  if (!r) return ERROR;
  r->rgn.Offset(dx, dy);
  return TypeOf(r->rgn);
}

BOOL SetRectRgn(HRGN rgn, int l, int t, int r, int b) {
  RegionObj* o = Rgn(rgn);
  if (!o) return FALSE;
  o->rgn = RectRegion(l, t, r, b);
  return TRUE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
  RegionObj* x = Rgn(a);
  RegionObj* y = Rgn(b);
  if (!x || !y) return ERROR;
  return x->rgn == y->rgn ? TRUE : FALSE;
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  RegionObj* r = Rgn(rgn);
  return r && r->rgn.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rc) {
  RegionObj* r = Rgn(rgn);
  if (!r || !rc) return FALSE;
  RECT n{std::min(rc->left, rc->right), std::min(rc->top, rc->bottom), std::max(rc->left, rc->right),
         std::max(rc->top, rc->bottom)};
  if (n.right == n.left || n.bottom == n.top) return FALSE;
  return r->rgn.ContainsRect(n) != 0 ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* rc) {
  RegionObj* r = Rgn(rgn);
  if (!r) return ERROR;
  if (rc) *rc = r->rgn.Bounds();
  return TypeOf(r->rgn);
}

BOOL FillRgn(HDC h, HRGN rgn, HBRUSH brush) {
  DeviceContext* dc = Dc(h);
  RegionObj* r = Rgn(rgn);
  if (!dc || !r) return FALSE;
  FillArea(*dc, ToTarget(*dc, r->rgn), MakePattern(*dc, brush), 0xF0);
  return TRUE;
}

BOOL PaintRgn(HDC h, HRGN rgn) {
  DeviceContext* dc = Dc(h);
  RegionObj* r = Rgn(rgn);
  if (!dc || !r) return FALSE;
  FillArea(*dc, ToTarget(*dc, r->rgn), MakePattern(*dc, dc->s.brush), Rop2ToRop3(dc->s.rop2));
  return TRUE;
}

BOOL FrameRgn(HDC h, HRGN rgn, HBRUSH brush, int w, int hgt) {
  DeviceContext* dc = Dc(h);
  RegionObj* r = Rgn(rgn);
  if (!dc || !r || w <= 0 || hgt <= 0) return FALSE;
  // The frame is what the region loses when shrunk by the frame's width and height.
  Region inner(r->rgn);
  for (auto [dx, dy] : {std::pair{w, 0}, {-w, 0}, {0, hgt}, {0, -hgt}}) {
    Region s(r->rgn);
    s.Offset(dx, dy);
    inner.Intersect(s);
  }
  Region frame(r->rgn);
  frame.Subtract(inner);
  FillArea(*dc, ToTarget(*dc, frame), MakePattern(*dc, brush), 0xF0);
  return TRUE;
}

BOOL InvertRgn(HDC h, HRGN rgn) {
  DeviceContext* dc = Dc(h);
  RegionObj* r = Rgn(rgn);
  if (!dc || !r) return FALSE;
  FillArea(*dc, ToTarget(*dc, r->rgn), Pattern{}, 0x55);
  return TRUE;
}

}  // namespace win
