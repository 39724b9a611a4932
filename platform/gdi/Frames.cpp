// The classic 3-D look: edges, frame controls (buttons, check boxes, radio buttons, scroll arrows,
// size grips, caption buttons, menu marks), system bitmaps and icons.
#include <algorithm>
#include <cstring>

#include "platform/gdi/Internal.h"
#include "platform/system/Resources.h"

namespace platform::gdi {

namespace {

// Glyphs grow with their rectangle up to a size past any real control.
constexpr int kMaxGlyph = 4096;

void Fill(DeviceContext& dc, const win::RECT& rc, win::COLORREF c) {
  FillArea(dc, Region(LrToTarget(dc, rc)), MakeSolidPattern(dc, c), 0xF0);
}

void Pixel(DeviceContext& dc, int x, int y, win::COLORREF c) { Fill(dc, win::RECT{x, y, x + 1, y + 1}, c); }

win::COLORREF Sys(int i) { return win::GetSysColor(i); }

// One ring of an edge: top and left in `tl`, bottom and right in `br`; the bottom and right lines
// are drawn last, so the top-right and bottom-left corners take `br`.
void Ring(DeviceContext& dc, win::RECT& rc, win::COLORREF tl, win::COLORREF br, win::UINT flags) {
  if (rc.right <= rc.left || rc.bottom <= rc.top) return;
  if (flags & win::BF_TOP) Fill(dc, {rc.left, rc.top, rc.right, rc.top + 1}, tl);
  if (flags & win::BF_LEFT) Fill(dc, {rc.left, rc.top, rc.left + 1, rc.bottom}, tl);
  if (flags & win::BF_BOTTOM) Fill(dc, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, br);
  if (flags & win::BF_RIGHT) Fill(dc, {rc.right - 1, rc.top, rc.right, rc.bottom}, br);
  if (flags & win::BF_LEFT) ++rc.left;
  if (flags & win::BF_TOP) ++rc.top;
  if (flags & win::BF_RIGHT) --rc.right;
  if (flags & win::BF_BOTTOM) --rc.bottom;
}

// A triangle arrow of a glyph size centred in rc, pointing in dir (0 up, 1 down, 2 left, 3 right).
void Arrow(DeviceContext& dc, const win::RECT& rc, int dir, win::COLORREF c) {
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int size = std::min(kMaxGlyph, std::max(2, (std::min(w, h) + 1) / 3));  // half the base
  int cx = rc.left + (w - 1) / 2, cy = rc.top + (h - 1) / 2;
  for (int i = 0; i < size; ++i) {
    int half = i;
    switch (dir) {
      case 0: Fill(dc, {cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1}, c); break;
      case 1: Fill(dc, {cx - half, cy + size / 2 - i, cx + half + 1, cy + size / 2 - i + 1}, c); break;
      case 2: Fill(dc, {cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1}, c); break;
      default: Fill(dc, {cx + size / 2 - i, cy - half, cx + size / 2 - i + 1, cy + half + 1}, c); break;
    }
  }
}

// A check mark 7 pixels wide and 3 thick, its top-left at (x, y).
void CheckMark(DeviceContext& dc, int x, int y, win::COLORREF c) {
  static const int drop[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) Fill(dc, {x + i, y + drop[i], x + i + 1, y + drop[i] + 3}, c);
}

// A checkerboard of two colours, `a` where x + y is even (logical coordinates).
void Dither(DeviceContext& dc, const win::RECT& rc, win::COLORREF a, win::COLORREF b) {
  Pattern p;
  p.kind = Pattern::Tiled;
  p.width = p.height = 2;
  std::uint32_t pa = ResolveColor(dc, a), pb = ResolveColor(dc, b);
  p.pixels = {pa, pb, pb, pa};
  p.paint = {1, 1, 1, 1};
  win::POINT o = LpToTarget(dc, {0, 0});
  p.ox = o.x;
  p.oy = o.y;
  FillArea(dc, Region(LrToTarget(dc, rc)), p, 0xF0);
}

// The part of the logical plane that can show, with a margin, for working out shapes.
win::RECT LogicalLimit(DeviceContext& dc) {
  win::RECT b = Clip(dc).Bounds();
  win::POINT o = LpToTarget(dc, {0, 0});
  return {b.left - o.x - 2, b.top - o.y - 2, b.right - o.x + 2, b.bottom - o.y + 2};
}

win::RECT Square(const win::RECT& rc) {
  int s = std::min(rc.right - rc.left, rc.bottom - rc.top);
  int x = rc.left + (rc.right - rc.left - s) / 2, y = rc.top + (rc.bottom - rc.top - s) / 2;
  return {x, y, x + s, y + s};
}

void CheckBox(DeviceContext& dc, win::RECT rc, win::UINT state) {
  rc = Square(rc);
  bool inactive = state & win::DFCS_INACTIVE, pushed = state & win::DFCS_PUSHED, checked = state & win::DFCS_CHECKED;
  bool three = (state & 0xFF) == win::DFCS_BUTTON3STATE;
  if (state & (win::DFCS_FLAT | win::DFCS_MONO)) {
    Ring(dc, rc, state & win::DFCS_MONO ? Sys(win::COLOR_WINDOWFRAME) : Sys(win::COLOR_3DSHADOW),
         state & win::DFCS_MONO ? Sys(win::COLOR_WINDOWFRAME) : Sys(win::COLOR_3DSHADOW), win::BF_RECT);
  } else {
    Ring(dc, rc, Sys(win::COLOR_3DSHADOW), Sys(win::COLOR_3DHIGHLIGHT), win::BF_RECT);
    Ring(dc, rc, Sys(win::COLOR_3DDKSHADOW), Sys(win::COLOR_3DLIGHT), win::BF_RECT);
  }
  if (three && checked)
    Dither(dc, rc, Sys(win::COLOR_3DHIGHLIGHT), Sys(win::COLOR_3DFACE));
  else
    Fill(dc, rc, pushed || inactive ? Sys(win::COLOR_3DFACE) : Sys(win::COLOR_WINDOW));
  if (checked) {
    int s = rc.right - rc.left;
    win::COLORREF ink = inactive || three ? Sys(win::COLOR_GRAYTEXT) : Sys(win::COLOR_WINDOWTEXT);
    CheckMark(dc, rc.left + (s - 7) / 2, rc.top + (s - 7) / 2, ink);
  }
}

void RadioButton(DeviceContext& dc, win::RECT rc, win::UINT state) {
  rc = Square(rc);
  int s = rc.right - rc.left;
  win::UINT kind = state & 0xFF;
  win::RECT limit = LogicalLimit(dc);
  Region outer = EllipseRegion(rc.left, rc.top, rc.right, rc.bottom, &limit);
  Region ring1 = InnerBoundary(outer);
  Region inner(outer);
  inner.Subtract(ring1);
  Region ring2 = InnerBoundary(inner);
  Region body(inner);
  body.Subtract(ring2);
  auto paint = [&](const Region& r, win::COLORREF c) {
    Region t(r);
    win::POINT o = LpToTarget(dc, {0, 0});
    t.Offset(o.x, o.y);
    FillArea(dc, t, MakeSolidPattern(dc, c), 0xF0);
  };
  if (kind == win::DFCS_BUTTONRADIOMASK) {
    // A mask: the circle black on a white square.
    Fill(dc, rc, win::RGB(255, 255, 255));
    paint(outer, 0);
    return;
  }
  // The upper-left half of each ring takes the shadow side, the lower-right the light side.
  auto split = [&](const Region& r, win::COLORREF tl, win::COLORREF br) {
    for (const win::RECT& b : r.Rects())
      for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x)
          Pixel(dc, x, y, (x - rc.left) + (y - rc.top) < s - 1 ? tl : br);
  };
  bool flat = state & (win::DFCS_FLAT | win::DFCS_MONO);
  if (flat) {
    paint(ring1, Sys(win::COLOR_3DSHADOW));
    paint(ring2, state & win::DFCS_PUSHED ? Sys(win::COLOR_3DFACE) : Sys(win::COLOR_WINDOW));
  } else {
    split(ring1, Sys(win::COLOR_3DSHADOW), Sys(win::COLOR_3DHIGHLIGHT));
    split(ring2, Sys(win::COLOR_3DDKSHADOW), Sys(win::COLOR_3DLIGHT));
  }
  paint(body, state & (win::DFCS_PUSHED | win::DFCS_INACTIVE) ? Sys(win::COLOR_3DFACE) : Sys(win::COLOR_WINDOW));
  if (state & win::DFCS_CHECKED) {
    int d = std::min(kMaxGlyph, std::max(2, s / 3));
    int x = rc.left + (s - d) / 2, y = rc.top + (s - d) / 2;
    paint(EllipseRegion(x, y, x + d, y + d, &limit),
          state & win::DFCS_INACTIVE ? Sys(win::COLOR_GRAYTEXT) : Sys(win::COLOR_WINDOWTEXT));
  }
}

// A push-button face: raised, sunken when pushed or checked, with the interior filled.
win::RECT ButtonFace(DeviceContext& dc, win::RECT rc, win::UINT state) {
  win::UINT flags = win::BF_RECT | win::BF_MIDDLE | win::BF_ADJUST | win::BF_SOFT;
  if (state & win::DFCS_FLAT) flags |= win::BF_FLAT;
  if (state & win::DFCS_MONO) flags |= win::BF_MONO;
  bool down = state & (win::DFCS_PUSHED | win::DFCS_CHECKED);
  win::DrawEdge(dc.self, &rc, down ? win::EDGE_SUNKEN : win::EDGE_RAISED, flags);
  if ((state & win::DFCS_CHECKED) && !(state & win::DFCS_PUSHED))
    Dither(dc, rc, Sys(win::COLOR_3DHIGHLIGHT), Sys(win::COLOR_3DFACE));
  return rc;
}

// Draws a glyph in the button's text colour, or embossed grey when inactive; pushed glyphs move
// one pixel right and down.
template <class F>
void Glyph(win::RECT rc, win::UINT state, F draw) {
  if (state & win::DFCS_PUSHED) {
    ++rc.left;
    ++rc.top;
    ++rc.right;
    ++rc.bottom;
  }
  if (state & win::DFCS_INACTIVE) {
    win::RECT h{rc.left + 1, rc.top + 1, rc.right + 1, rc.bottom + 1};
    draw(h, Sys(win::COLOR_3DHIGHLIGHT));
    draw(rc, Sys(win::COLOR_3DSHADOW));
  } else {
    draw(rc, Sys(win::COLOR_BTNTEXT));
  }
}

void CaptionGlyph(DeviceContext& dc, const win::RECT& rc, win::UINT kind, win::COLORREF c) {
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int s = std::min(kMaxGlyph, std::max(4, std::min(w, h) - 6));
  int x = rc.left + (w - s) / 2, y = rc.top + (h - s) / 2;
  switch (kind) {
    case win::DFCS_CAPTIONCLOSE:
      for (int i = 0; i < s; ++i) {
        Fill(dc, {x + i, y + i, x + i + 2, y + i + 1}, c);
        Fill(dc, {x + s - 2 - i, y + i, x + s - i, y + i + 1}, c);
      }
      break;
    case win::DFCS_CAPTIONMIN: Fill(dc, {x, y + s - 2, x + s - 2, y + s}, c); break;
    case win::DFCS_CAPTIONMAX:
      Fill(dc, {x, y, x + s, y + 2}, c);
      Fill(dc, {x, y, x + 1, y + s}, c);
      Fill(dc, {x + s - 1, y, x + s, y + s}, c);
      Fill(dc, {x, y + s - 1, x + s, y + s}, c);
      break;
    case win::DFCS_CAPTIONRESTORE: {
      int b = s * 2 / 3;
      for (int k = 0; k < 2; ++k) {
        int ox = k ? x : x + s - b, oy = k ? y + s - b : y;
        if (k) Fill(dc, {ox, oy, ox + b, oy + b}, Sys(win::COLOR_3DFACE));
        Fill(dc, {ox, oy, ox + b, oy + 2}, c);
        Fill(dc, {ox, oy, ox + 1, oy + b}, c);
        Fill(dc, {ox + b - 1, oy, ox + b, oy + b}, c);
        Fill(dc, {ox, oy + b - 1, ox + b, oy + b}, c);
      }
      break;
    }
    default: {  // help: a question mark drawn from strokes
      int m = x + s / 2;
      Fill(dc, {m - 2, y, m + 2, y + 1}, c);
      Fill(dc, {m - 3, y + 1, m - 1, y + 3}, c);
      Fill(dc, {m + 1, y + 1, m + 3, y + s / 2}, c);
      Fill(dc, {m - 1, y + s / 2, m + 1, y + s / 2 + 2}, c);
      Fill(dc, {m - 1, y + s - 2, m + 1, y + s}, c);
      break;
    }
  }
}

void SizeGrip(DeviceContext& dc, const win::RECT& rc, bool right) {
  Fill(dc, rc, Sys(win::COLOR_3DFACE));
  int s = std::min(rc.right - rc.left, rc.bottom - rc.top);
  // Diagonals from the corner: a highlight line, two shadow lines, a gap, repeated. Only the
  // pixels that can show are visited.
  win::RECT vis = LogicalLimit(dc);
  int x0 = std::max(rc.left, vis.left), x1 = std::min(rc.right, vis.right);
  int y0 = std::max(rc.bottom - s, vis.top), y1 = std::min(rc.bottom, vis.bottom);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      long long across = right ? rc.right - 1 - x : x - rc.left;
      long long d = across + (rc.bottom - 1 - y) + 1;  // 1 for the corner pixel's diagonal
      if (d >= s || across >= s) continue;
      int phase = static_cast<int>((d - 1) % 4);
      if (phase == 3) continue;
      Pixel(dc, x, y, phase == 0 ? Sys(win::COLOR_3DHIGHLIGHT) : Sys(win::COLOR_3DSHADOW));
    }
}

}  // namespace

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

BOOL DrawEdge(HDC h, RECT* rc, UINT edge, UINT flags) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return FALSE;
  RECT r{Clamp(rc->left), Clamp(rc->top), Clamp(rc->right), Clamp(rc->bottom)};
  UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
  if (flags & BF_DIAGONAL) {
    // A diagonal edge: one line per ring from the start corner to the end corner.
    COLORREF c = (outer & BDR_RAISEDOUTER) || (inner & BDR_RAISEDINNER) ? Sys(COLOR_3DDKSHADOW) : Sys(COLOR_3DHIGHLIGHT);
    HPEN pen = CreatePen(PS_SOLID, 1, c);
    HGDIOBJ old = SelectObject(h, pen);
    POINT a{r.left, r.bottom - 1}, b{r.right - 1, r.top};
    if ((flags & 0xF) == (BF_DIAGONAL_ENDTOPLEFT & 0xF) || (flags & 0xF) == (BF_DIAGONAL_ENDBOTTOMRIGHT & 0xF)) {
      a = {r.left, r.top};
      b = {r.right - 1, r.bottom - 1};
    }
    POINT pos;
    MoveToEx(h, a.x, a.y, &pos);
    LineTo(h, b.x, b.y);
    MoveToEx(h, pos.x, pos.y, nullptr);
    SelectObject(h, old);
    DeleteObject(pen);
    if (flags & BF_MIDDLE) {
      POINT tri[3] = {a, b, {(flags & 0xF) == (BF_DIAGONAL_ENDTOPRIGHT & 0xF) ? r.right - 1 : r.left, r.bottom - 1}};
      HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
      HGDIOBJ ob = SelectObject(h, face);
      HGDIOBJ op = SelectObject(h, GetStockObject(NULL_PEN));
      Polygon(h, tri, 3);
      SelectObject(h, ob);
      SelectObject(h, op);
    }
    return TRUE;
  }
  COLORREF otl = 0, obr = 0, itl = 0, ibr = 0;
  if (flags & BF_MONO) {
    otl = obr = Sys(COLOR_WINDOWFRAME);
    itl = ibr = Sys(COLOR_WINDOW);
  } else if (flags & BF_FLAT) {
    otl = obr = Sys(COLOR_3DSHADOW);
    itl = ibr = Sys(COLOR_3DFACE);
  } else {
    bool soft = flags & BF_SOFT;
    if (outer & BDR_RAISEDOUTER) {
      otl = soft ? Sys(COLOR_3DHIGHLIGHT) : Sys(COLOR_3DLIGHT);
      obr = Sys(COLOR_3DDKSHADOW);
    } else if (outer & BDR_SUNKENOUTER) {
      otl = soft ? Sys(COLOR_3DDKSHADOW) : Sys(COLOR_3DSHADOW);
      obr = Sys(COLOR_3DHIGHLIGHT);
    }
    if (inner & BDR_RAISEDINNER) {
      itl = soft ? Sys(COLOR_3DLIGHT) : Sys(COLOR_3DHIGHLIGHT);
      ibr = Sys(COLOR_3DSHADOW);
    } else if (inner & BDR_SUNKENINNER) {
      itl = soft ? Sys(COLOR_3DSHADOW) : Sys(COLOR_3DDKSHADOW);
      ibr = Sys(COLOR_3DLIGHT);
    }
  }
  if (outer) Ring(*dc, r, otl, obr, flags);
  if (inner) Ring(*dc, r, itl, ibr, flags);
  if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
    Fill(*dc, r, flags & BF_MONO ? Sys(COLOR_WINDOW) : Sys(COLOR_3DFACE));
  if (flags & BF_ADJUST) *rc = r;
  return TRUE;
}

BOOL DrawFrameControl(HDC h, RECT* rc, UINT type, UINT state) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return FALSE;
  // Kept inside the coordinate range, so that the glyph arithmetic cannot overflow.
  RECT r{Clamp(rc->left), Clamp(rc->top), Clamp(rc->right), Clamp(rc->bottom)};
  switch (type) {
    case DFC_BUTTON: {
      UINT kind = state & 0xFF;
      if (kind & DFCS_BUTTONPUSH) {
        RECT in = ButtonFace(*dc, r, state);
        if (state & DFCS_ADJUSTRECT) *rc = in;
      } else if (kind == DFCS_BUTTONRADIO || kind == DFCS_BUTTONRADIOIMAGE || kind == DFCS_BUTTONRADIOMASK) {
        RadioButton(*dc, r, kind == DFCS_BUTTONRADIO ? (state & ~0xFFu) | DFCS_BUTTONRADIOIMAGE : state);
      } else {
        CheckBox(*dc, r, state);
      }
      return TRUE;
    }
    case DFC_SCROLL: {
      UINT kind = state & 0xFF;
      if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
        SizeGrip(*dc, r, kind == DFCS_SCROLLSIZEGRIP);
        return TRUE;
      }
      RECT in = r;
      if (state & DFCS_PUSHED) {
        // A pushed scroll arrow is flat: a shadow frame around the face.
        DrawEdge(h, &in, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE | BF_ADJUST | BF_FLAT);
      } else {
        in = ButtonFace(*dc, r, state & ~DFCS_CHECKED);
      }
      int dir = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
      Glyph(in, state, [&](const RECT& g, COLORREF c) { Arrow(*dc, g, dir, c); });
      return TRUE;
    }
    case DFC_CAPTION: {
      RECT in = ButtonFace(*dc, r, state);
      UINT kind = state & 0xFF;
      Glyph(in, state, [&](const RECT& g, COLORREF c) { CaptionGlyph(*dc, g, kind, c); });
      return TRUE;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: {
      // Menu marks are masks: a black glyph on white.
      Fill(*dc, r, RGB(255, 255, 255));
      UINT kind = state & 0xFF;
      if (kind == DFCS_MENUCHECK) {
        int s = std::min(r.right - r.left, r.bottom - r.top);
        CheckMark(*dc, r.left + (s - 7) / 2, r.top + (s - 7) / 2, 0);
      } else if (kind == DFCS_MENUBULLET) {
        int s = std::min(r.right - r.left, r.bottom - r.top), d = std::min(kMaxGlyph, std::max(2, s / 3));
        RECT b{r.left + (s - d) / 2, r.top + (s - d) / 2, 0, 0};
        b.right = b.left + d;
        b.bottom = b.top + d;
        RECT limit = LogicalLimit(*dc);
        Region e = EllipseRegion(b.left, b.top, b.right, b.bottom, &limit);
        POINT o = LpToTarget(*dc, {0, 0});
        e.Offset(o.x, o.y);
        FillArea(*dc, e, MakeSolidPattern(*dc, 0), 0xF0);
      } else {
        Arrow(*dc, r, 3, 0);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

// ---- system bitmaps ----

namespace {

HBITMAP Paint(int w, int h, auto draw) {
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(w, h, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(mem, bm);
  RECT all{0, 0, w, h};
  FillRect(mem, &all, GetSysColorBrush(COLOR_3DFACE));
  draw(mem);
  SelectObject(mem, old);
  DeleteDC(mem);
  return bm;
}

HBITMAP SystemBitmap(UINT id) {
  auto frame = [](int w, int h, UINT type, UINT state) {
    return Paint(w, h, [&](HDC dc) {
      RECT r{0, 0, w, h};
      DrawFrameControl(dc, &r, type, state);
    });
  };
  switch (id) {
    case OBM_CHECKBOXES:
      // Four 13 x 13 cells a row: plain, checked, pushed, pushed and checked; rows: check box,
      // radio button, three-state box.
      return Paint(52, 39, [](HDC dc) {
        const UINT kinds[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIOIMAGE, DFCS_BUTTON3STATE};
        const UINT states[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
        for (int row = 0; row < 3; ++row)
          for (int col = 0; col < 4; ++col) {
            RECT r{col * 13, row * 13, col * 13 + 13, row * 13 + 13};
            DrawFrameControl(dc, &r, DFC_BUTTON, kinds[row] | states[col]);
          }
      });
    case OBM_UPARROW: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLUP);
    case OBM_DNARROW: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLDOWN);
    case OBM_LFARROW: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLLEFT);
    case OBM_RGARROW: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLRIGHT);
    case OBM_UPARROWD: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED);
    case OBM_DNARROWD: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
    case OBM_LFARROWD: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_PUSHED);
    case OBM_RGARROWD: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_PUSHED);
    case OBM_UPARROWI: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    case OBM_DNARROWI: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    case OBM_LFARROWI: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_INACTIVE);
    case OBM_RGARROWI: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_INACTIVE);
    case OBM_COMBO: return frame(16, 16, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    case OBM_CLOSE: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    case OBM_REDUCE: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONMIN);
    case OBM_ZOOM: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONMAX);
    case OBM_RESTORE: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONRESTORE);
    case OBM_REDUCED: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONMIN | DFCS_PUSHED);
    case OBM_ZOOMD: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONMAX | DFCS_PUSHED);
    case OBM_RESTORED: return frame(16, 14, DFC_CAPTION, DFCS_CAPTIONRESTORE | DFCS_PUSHED);
    case OBM_CHECK: return frame(13, 13, DFC_MENU, DFCS_MENUCHECK);
    case OBM_MNARROW: return frame(13, 13, DFC_MENU, DFCS_MENUARROW);
    case OBM_SIZE:
    case OBM_BTSIZE: return frame(13, 13, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    case OBM_BTNCORNERS:
      return Paint(7, 7, [](HDC dc) {
        RECT r{0, 0, 7, 7};
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
      });
    default: return nullptr;
  }
}

// A bitmap resource: a BMP file or a bare DIB (header, colour table, bits).
HBITMAP FromDib(const std::uint8_t* data, std::size_t size) {
  if (size >= 14 && data[0] == 'B' && data[1] == 'M') {
    data += 14;
    size -= 14;
  }
  if (size < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER hd;
  std::memcpy(&hd, data, sizeof hd);
  if (hd.biSize < sizeof hd || hd.biSize > size || hd.biWidth <= 0 || hd.biHeight == 0) return nullptr;
  if (hd.biBitCount != 1 && hd.biBitCount != 4 && hd.biBitCount != 8 && hd.biBitCount != 24 && hd.biBitCount != 32)
    return nullptr;
  std::size_t colors = hd.biBitCount <= 8 ? (hd.biClrUsed ? hd.biClrUsed : (1u << hd.biBitCount)) : 0;
  if (colors > 256) return nullptr;
  std::size_t tableBytes = colors * 4;
  long long height = hd.biHeight < 0 ? -static_cast<long long>(hd.biHeight) : hd.biHeight;
  std::size_t stride = static_cast<std::size_t>(((hd.biWidth * hd.biBitCount + 31) / 32) * 4);
  std::size_t need = hd.biSize + tableBytes + stride * static_cast<std::size_t>(height);
  if (need > size) return nullptr;  // truncated resource: refuse rather than read past it
  std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * 4);
  std::memcpy(info.data(), &hd, sizeof hd);
  reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof hd;
  std::memcpy(info.data() + sizeof hd, data + hd.biSize, tableBytes);
  HBITMAP bm = CreateBitmap(hd.biWidth, static_cast<int>(height), 1, hd.biBitCount == 1 ? 1 : 32, nullptr);
  SetDIBits(nullptr, bm, 0, static_cast<UINT>(height), data + hd.biSize + tableBytes,
            reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  return bm;
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
  if (!instance && IS_INTRESOURCE(name)) {
    HBITMAP bm = SystemBitmap(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
    if (bm) return bm;
  }
  HRSRC res = FindResource(instance, name, RT_BITMAP);
  if (!res) return nullptr;
  HGLOBAL data = LoadResource(instance, res);
  auto* bytes = static_cast<const std::uint8_t*>(LockResource(data));
  if (!bytes) return nullptr;
  return FromDib(bytes, SizeofResource(instance, res));
}

// ---- icons ----

static HBITMAP CopyBitmap(HBITMAP src) {
  BitmapObj* b = Bmp(src);
  if (!b) return nullptr;
  auto copy = std::make_unique<BitmapObj>();
  copy->width = b->width;
  copy->height = b->height;
  copy->mono = b->mono;
  copy->bitsPixel = b->bitsPixel;
  PixelBuffer v = b->View();
  copy->storage.resize(static_cast<size_t>(b->width) * static_cast<size_t>(b->height));
  for (int y = 0; y < b->height; ++y)
    std::memcpy(&copy->storage[static_cast<size_t>(y) * static_cast<size_t>(b->width)], v.Row(y),
                static_cast<size_t>(b->width) * 4);
  return MakeHandle<HBITMAP>(Bitmaps().Add(std::move(copy)));
}

HICON CreateIconIndirect(const ICONINFO* info) {
  if (!info || !Bmp(info->hbmMask)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto icon = std::make_unique<IconObj>();
  icon->mask = CopyBitmap(info->hbmMask);
  icon->color = info->hbmColor ? CopyBitmap(info->hbmColor) : nullptr;
  icon->hotspot = {static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
  icon->icon = info->fIcon;
  return MakeHandle<HICON>(Icons().Add(std::move(icon)));
}

BOOL DestroyIcon(HICON h) {
  std::unique_ptr<IconObj> icon = Icons().Remove(HandleValue(h));
  if (!icon) return FALSE;
  DeleteObject(icon->mask);
  if (icon->color) DeleteObject(icon->color);
  return TRUE;
}

BOOL GetIconInfo(HICON h, ICONINFO* info) {
  IconObj* icon = Icons().Get(HandleValue(h));
  if (!icon || !info) return FALSE;
  // The caller owns the copies it gets, as it deletes them.
  info->fIcon = icon->icon;
  info->xHotspot = static_cast<DWORD>(icon->hotspot.x);
  info->yHotspot = static_cast<DWORD>(icon->hotspot.y);
  info->hbmMask = CopyBitmap(icon->mask);
  info->hbmColor = icon->color ? CopyBitmap(icon->color) : nullptr;
  return TRUE;
}

BOOL DrawIconEx(HDC h, int x, int y, HICON hicon, int w, int hgt, UINT, HBRUSH flicker, UINT flags) {
  DeviceContext* dc = Dc(h);
  IconObj* icon = Icons().Get(HandleValue(hicon));
  if (!dc || !icon) return FALSE;
  BitmapObj* mask = Bmp(icon->mask);
  BitmapObj* color = Bmp(icon->color);
  if (!mask) return FALSE;
  int iw = mask->width, ih = color ? color->height : mask->height / 2;
  if (w == 0) w = (flags & DI_DEFAULTSIZE) ? 32 : iw;
  if (hgt == 0) hgt = (flags & DI_DEFAULTSIZE) ? 32 : ih;
  if (flags == 0) flags = DI_NORMAL;
  HDC target = h;
  HBITMAP buffer = nullptr;
  HGDIOBJ oldBuffer = nullptr;
  int ox = x, oy = y;
  if (flicker) {
    // Composed off screen on the brush, then copied in one go.
    target = CreateCompatibleDC(h);
    buffer = CreateCompatibleBitmap(h, w, hgt);
    oldBuffer = SelectObject(target, buffer);
    RECT all{0, 0, w, hgt};
    FillRect(target, &all, flicker);
    ox = oy = 0;
  }
  HDC mem = CreateCompatibleDC(h);
  // Per-pixel alpha in a 32-bit colour image takes precedence over the mask.
  bool alpha = false;
  if (color && color->bitsPixel == 32 && !color->mono) {
    PixelBuffer v = color->View();
    for (int yy = 0; yy < v.height && !alpha; ++yy)
      for (int xx = 0; xx < v.width; ++xx)
        if (v.At(xx, yy) >> 24) {
          alpha = true;
          break;
        }
  }
  if (alpha && (flags & DI_IMAGE) && (flags & DI_MASK)) {
    HGDIOBJ old = SelectObject(mem, icon->color);
    AlphaBlend(target, ox, oy, w, hgt, mem, 0, 0, iw, ih, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    SelectObject(mem, old);
  } else {
    COLORREF oldText = SetTextColor(target, 0), oldBk = SetBkColor(target, RGB(255, 255, 255));
    if (flags & DI_MASK) {
      HGDIOBJ old = SelectObject(mem, icon->mask);
      StretchBlt(target, ox, oy, w, hgt, mem, 0, 0, iw, ih, (flags & DI_IMAGE) ? SRCAND : SRCCOPY);
      SelectObject(mem, old);
    }
    if (flags & DI_IMAGE) {
      HGDIOBJ old = SelectObject(mem, color ? icon->color : icon->mask);
      StretchBlt(target, ox, oy, w, hgt, mem, 0, color ? 0 : ih, iw, ih, (flags & DI_MASK) ? SRCINVERT : SRCCOPY);
      SelectObject(mem, old);
    }
    SetTextColor(target, oldText);
    SetBkColor(target, oldBk);
  }
  DeleteDC(mem);
  if (flicker) {
    BitBlt(h, x, y, w, hgt, target, 0, 0, SRCCOPY);
    SelectObject(target, oldBuffer);
    DeleteObject(buffer);
    DeleteDC(target);
  }
  return TRUE;
}

BOOL DrawIcon(HDC h, int x, int y, HICON icon) { return DrawIconEx(h, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE); }

}  // namespace win
