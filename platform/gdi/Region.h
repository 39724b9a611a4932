#pragma once
// A set of pixels as a union of rectangles (pixman's region algebra), the currency of clipping,
// update regions and window shapes.
#include <pixman.h>

#include <vector>

#include "platform/system/Types.h"

namespace platform {

class Region {
 public:
  Region() { pixman_region32_init(&r_); }
  explicit Region(const win::RECT& rc) {
    if (rc.right > rc.left && rc.bottom > rc.top)
      pixman_region32_init_rect(&r_, rc.left, rc.top, static_cast<unsigned>(rc.right - rc.left),
                                static_cast<unsigned>(rc.bottom - rc.top));
    else
      pixman_region32_init(&r_);
  }
  Region(const Region& o) {
    pixman_region32_init(&r_);
    pixman_region32_copy(&r_, const_cast<pixman_region32_t*>(&o.r_));
  }
  Region& operator=(const Region& o) {
    if (this != &o) pixman_region32_copy(&r_, const_cast<pixman_region32_t*>(&o.r_));
    return *this;
  }
  Region(Region&& o) noexcept : Region() { Swap(o); }
  Region& operator=(Region&& o) noexcept {
    Swap(o);
    return *this;
  }
  ~Region() { pixman_region32_fini(&r_); }

  void Swap(Region& o) noexcept {
    // A pixman region's data pointer is null, a shared static or its own heap block, never a
    // pointer into the struct, so the raw structs can be exchanged.
    pixman_region32_t t = r_;
    r_ = o.r_;
    o.r_ = t;
  }

  bool Empty() const { return !pixman_region32_not_empty(Raw()); }
  win::RECT Bounds() const {
    const pixman_box32_t* b = pixman_region32_extents(Raw());
    return Empty() ? win::RECT{} : win::RECT{b->x1, b->y1, b->x2, b->y2};
  }
  bool Contains(int x, int y) const { return pixman_region32_contains_point(Raw(), x, y, nullptr); }
  // 0 outside, 1 inside, 2 partly (as pixman_region_overlap_t).
  int ContainsRect(const win::RECT& rc) const {
    pixman_box32_t b{rc.left, rc.top, rc.right, rc.bottom};
    return pixman_region32_contains_rectangle(Raw(), &b);
  }
  std::vector<win::RECT> Rects() const {
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(Raw(), &n);
    std::vector<win::RECT> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return out;
  }

  void Clear() { pixman_region32_clear(&r_); }
  void Offset(int dx, int dy) { pixman_region32_translate(&r_, dx, dy); }
  Region& Unite(const Region& o) {
    pixman_region32_union(&r_, &r_, o.Raw());
    return *this;
  }
  Region& Unite(const win::RECT& rc) {
    if (rc.right > rc.left && rc.bottom > rc.top)
      pixman_region32_union_rect(&r_, &r_, rc.left, rc.top, static_cast<unsigned>(rc.right - rc.left),
                                 static_cast<unsigned>(rc.bottom - rc.top));
    return *this;
  }
  Region& Intersect(const Region& o) {
    pixman_region32_intersect(&r_, &r_, o.Raw());
    return *this;
  }
  Region& Intersect(const win::RECT& rc) { return Intersect(Region(rc)); }
  Region& Subtract(const Region& o) {
    pixman_region32_subtract(&r_, &r_, o.Raw());
    return *this;
  }
  Region& Subtract(const win::RECT& rc) { return Subtract(Region(rc)); }
  Region& Xor(const Region& o) {
    Region both(*this);
    both.Intersect(o);
    Unite(o);
    return Subtract(both);
  }
  bool operator==(const Region& o) const { return pixman_region32_equal(Raw(), o.Raw()); }

  pixman_region32_t* Raw() const { return const_cast<pixman_region32_t*>(&r_); }

 private:
  pixman_region32_t r_;
};

}  // namespace platform
