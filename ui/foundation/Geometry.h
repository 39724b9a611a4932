#pragma once
// The library's geometric vocabulary: pure functions over rectangles, points and sizes.
//
// Nothing here normalises or checks its input: a rectangle whose Right lies left of its Left stays
// so and simply has no area. Right and Bottom are exclusive. Halving truncates toward zero, as the
// library's layouts have always done ((-3) / 2 is -1). Sums are taken in 64 bits and wrapped back
// to 32, so extreme coordinates give the platform's wrapped result rather than undefined behaviour.
#include <cstdint>

#include "ui/foundation/Types.h"

namespace geometry_detail {
constexpr std::int32_t Wrap(std::int64_t v) { return static_cast<std::int32_t>(v); }
constexpr std::int32_t Add(std::int32_t a, std::int64_t b) { return Wrap(a + b); }
constexpr std::int32_t Sub(std::int32_t a, std::int64_t b) { return Wrap(a - b); }
constexpr std::int32_t Half(std::int64_t v) { return Wrap(v / 2); }
}  // namespace geometry_detail

// ---- rectangles -------------------------------------------------------------------------------

constexpr int WidthOfRect(const TRect& R) { return geometry_detail::Sub(R.Right, R.Left); }
constexpr int HeightOfRect(const TRect& R) { return geometry_detail::Sub(R.Bottom, R.Top); }

constexpr bool RectHasNoArea(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
constexpr bool RectIsAllZero(const TRect& R) { return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0; }
constexpr bool SameRect(const TRect& A, const TRect& B) { return A == B; }

// True when A and B share at least one point; Dest is the common part, or all zero when none.
constexpr bool IntersectRects(TRect& Dest, const TRect& A, const TRect& B) {
  Dest = TRect(A.Left > B.Left ? A.Left : B.Left, A.Top > B.Top ? A.Top : B.Top, A.Right < B.Right ? A.Right : B.Right,
               A.Bottom < B.Bottom ? A.Bottom : B.Bottom);
  if (Dest.Left < Dest.Right && Dest.Top < Dest.Bottom) return true;
  Dest = TRect();
  return false;
}
// Rectangles that only touch along an edge do not overlap.
constexpr bool RectsOverlap(const TRect& A, const TRect& B) {
  TRect dest;
  return IntersectRects(dest, A, B);
}
// The bounding rectangle of both; a B without area leaves A as it is, while an empty A still counts.
constexpr TRect UniteRects(const TRect& A, const TRect& B) {
  if (RectHasNoArea(B)) return A;
  return TRect(A.Left < B.Left ? A.Left : B.Left, A.Top < B.Top ? A.Top : B.Top, A.Right > B.Right ? A.Right : B.Right,
               A.Bottom > B.Bottom ? A.Bottom : B.Bottom);
}

// Negative amounts shrink.
constexpr TRect GrowRect(const TRect& R, int DX, int DY) {
  using namespace geometry_detail;
  return TRect(Sub(R.Left, DX), Sub(R.Top, DY), Add(R.Right, DX), Add(R.Bottom, DY));
}
constexpr TRect GrowRectSides(const TRect& R, int DLeft, int DTop, int DRight, int DBottom) {
  using namespace geometry_detail;
  return TRect(Sub(R.Left, DLeft), Sub(R.Top, DTop), Add(R.Right, DRight), Add(R.Bottom, DBottom));
}
// R less the margins held in the four fields of Margins.
constexpr TRect RectWithinMargins(const TRect& R, const TRect& Margins) {
  using namespace geometry_detail;
  return TRect(Add(R.Left, Margins.Left), Add(R.Top, Margins.Top), Sub(R.Right, Margins.Right),
               Sub(R.Bottom, Margins.Bottom));
}
constexpr TRect NegateRect(const TRect& R) {
  using namespace geometry_detail;
  return TRect(Sub(0, R.Left), Sub(0, R.Top), Sub(0, R.Right), Sub(0, R.Bottom));
}

constexpr TRect ShiftRect(const TRect& R, int DX, int DY, bool Forward) {
  using namespace geometry_detail;
  const std::int64_t dx = Forward ? DX : -static_cast<std::int64_t>(DX);
  const std::int64_t dy = Forward ? DY : -static_cast<std::int64_t>(DY);
  return TRect(Add(R.Left, dx), Add(R.Top, dy), Add(R.Right, dx), Add(R.Bottom, dy));
}
constexpr TRect ShiftRectByPoint(const TRect& R, const TPoint& Offset, bool Forward) {
  return ShiftRect(R, Offset.X, Offset.Y, Forward);
}
constexpr TRect ShiftRectHorz(const TRect& R, int DX) {
  using namespace geometry_detail;
  return TRect(Add(R.Left, DX), R.Top, Add(R.Right, DX), R.Bottom);
}

constexpr bool RectContainsXY(const TRect& R, int X, int Y) {
  return R.Left <= X && X < R.Right && R.Top <= Y && Y < R.Bottom;
}
constexpr bool RectContainsPoint(const TRect& R, const TPoint& P) { return RectContainsXY(R, P.X, P.Y); }

constexpr TRect TransposeRect(const TRect& R) { return TRect(R.Top, R.Left, R.Bottom, R.Right); }
constexpr TRect RectFromSize(const TSize& S) { return TRect(0, 0, S.cx, S.cy); }
constexpr TRect MakeRect(int Left, int Top, int Right, int Bottom) { return TRect(Left, Top, Right, Bottom); }
constexpr TRect RectFromPoints(const TPoint& TopLeft, const TPoint& BottomRight) {
  return TRect(TopLeft.X, TopLeft.Y, BottomRight.X, BottomRight.Y);
}
constexpr TRect MakeBoundsRect(int Left, int Top, int Width, int Height) {
  using namespace geometry_detail;
  return TRect(Left, Top, Add(Left, Width), Add(Top, Height));
}

constexpr TRect PlaceRectLeftAt(const TRect& R, int X, int W) {
  return TRect(X, R.Top, geometry_detail::Add(X, W), R.Bottom);
}
constexpr TRect PlaceRectHorzSpan(const TRect& R, int X, int W) { return PlaceRectLeftAt(R, X, W); }
constexpr TRect MoveRectLeftTo(const TRect& R, int X) { return PlaceRectLeftAt(R, X, WidthOfRect(R)); }
constexpr TRect PlaceRectRightAt(const TRect& R, int X, int W) {
  return TRect(geometry_detail::Sub(X, W), R.Top, X, R.Bottom);
}
constexpr TRect PlaceRectTopAt(const TRect& R, int Y, int H) {
  return TRect(R.Left, Y, R.Right, geometry_detail::Add(Y, H));
}
constexpr TRect PlaceRectBottomAt(const TRect& R, int Y, int H) {
  return TRect(R.Left, geometry_detail::Sub(Y, H), R.Right, Y);
}
constexpr TRect ResizeRectWidth(const TRect& R, int W) {
  return TRect(R.Left, R.Top, geometry_detail::Add(R.Left, W), R.Bottom);
}
constexpr TRect ResizeRectHeight(const TRect& R, int H) {
  return TRect(R.Left, R.Top, R.Right, geometry_detail::Add(R.Top, H));
}
constexpr TRect RectWithHorzEdges(const TRect& R, int Left, int Right) { return TRect(Left, R.Top, Right, R.Bottom); }
constexpr TRect RectWithVertEdges(const TRect& R, int Top, int Bottom) { return TRect(R.Left, Top, R.Right, Bottom); }

// For margin rectangles: the total horizontal and vertical margins.
constexpr int SumRectLeftRight(const TRect& R) { return geometry_detail::Add(R.Left, R.Right); }
constexpr int SumRectTopBottom(const TRect& R) { return geometry_detail::Add(R.Top, R.Bottom); }

constexpr TPoint RectCenterPoint(const TRect& R) {
  using namespace geometry_detail;
  return TPoint(Half(std::int64_t{R.Left} + R.Right), Half(std::int64_t{R.Top} + R.Bottom));
}
// A box of that extent centred in R; a larger one overhangs R equally on both sides.
constexpr TRect CenterExtentInRect(const TRect& R, int Width, int Height) {
  using namespace geometry_detail;
  const std::int32_t left = Half(std::int64_t{R.Left} + R.Right - Width);
  const std::int32_t top = Half(std::int64_t{R.Top} + R.Bottom - Height);
  return TRect(left, top, Add(left, Width), Add(top, Height));
}
constexpr TRect CenterSizeInRect(const TRect& R, const TSize& S) { return CenterExtentInRect(R, S.cx, S.cy); }

// ---- points and sizes -------------------------------------------------------------------------

constexpr TPoint MakePoint(int X, int Y) { return TPoint(X, Y); }
constexpr TPoint PointFromSize(const TSize& S) { return TPoint(S.cx, S.cy); }
constexpr TPoint NegatePoint(const TPoint& P) {
  return TPoint(geometry_detail::Sub(0, P.X), geometry_detail::Sub(0, P.Y));
}
constexpr bool SamePoint(const TPoint& A, const TPoint& B) { return A == B; }
constexpr TPoint ShiftPoint(const TPoint& P, int DX, int DY, bool Forward) {
  using namespace geometry_detail;
  return Forward ? TPoint(Add(P.X, DX), Add(P.Y, DY)) : TPoint(Sub(P.X, DX), Sub(P.Y, DY));
}
constexpr TPoint ShiftPointByPoint(const TPoint& P, const TPoint& Offset, bool Forward) {
  return ShiftPoint(P, Offset.X, Offset.Y, Forward);
}
constexpr TSize MakeSize(int CX, int CY) { return TSize(CX, CY); }
// Compares pairs field by field; points and sizes alike.
constexpr bool SizesEqual(const TSize& A, const TSize& B) { return A == B; }
constexpr bool SizesEqual(const TPoint& A, const TPoint& B) { return A == B; }
