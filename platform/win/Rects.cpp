#include "platform/win/Rects.h"

#include <algorithm>

namespace win {

BOOL SetRect(RECT* rc, int left, int top, int right, int bottom) {
  if (!rc) return FALSE;
  *rc = {left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(RECT* rc) { return SetRect(rc, 0, 0, 0, 0); }

BOOL CopyRect(RECT* dst, const RECT* src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL OffsetRect(RECT* rc, int dx, int dy) {
  if (!rc) return FALSE;
  rc->left += dx;
  rc->right += dx;
  rc->top += dy;
  rc->bottom += dy;
  return TRUE;
}

BOOL InflateRect(RECT* rc, int dx, int dy) {
  if (!rc) return FALSE;
  rc->left -= dx;
  rc->right += dx;
  rc->top -= dy;
  rc->bottom += dy;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rc) { return !rc || rc->right <= rc->left || rc->bottom <= rc->top; }

BOOL EqualRect(const RECT* a, const RECT* b) { return a && b && *a == *b; }

BOOL PtInRect(const RECT* rc, POINT pt) {
  return rc && pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}

BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right), std::min(a->bottom, b->bottom)};
  if (r.right <= r.left || r.bottom <= r.top) {
    *dst = {};
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
  if (ea && eb) {
    *dst = {};
    return FALSE;
  }
  if (ea) *dst = *b;
  else if (eb) *dst = *a;
  else *dst = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
  return TRUE;
}

BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  RECT r = *a;
  RECT both;
  // Only a strip that covers a whole side can be taken away and leave a rectangle.
  if (IntersectRect(&both, a, b)) {
    if (both.top == r.top && both.bottom == r.bottom) {
      if (both.left == r.left) r.left = both.right;
      else if (both.right == r.right) r.right = both.left;
    } else if (both.left == r.left && both.right == r.right) {
      if (both.top == r.top) r.top = both.bottom;
      else if (both.bottom == r.bottom) r.bottom = both.top;
    }
  }
  *dst = r;
  if (IsRectEmpty(dst)) {
    *dst = {};
    return FALSE;
  }
  return TRUE;
}

}  // namespace win
