#pragma once
// Rectangles, points and sizes as the component library computes with them: the platform's own
// structures with the field names the library's code uses. They convert to and from the window
// system's RECT, POINT and SIZE, so layouts pass straight into platform calls.
#include <cstdint>

#include "platform/system/Types.h"

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(std::int32_t AX, std::int32_t AY) : X(AX), Y(AY) {}
  constexpr TPoint(const win::POINT& P) : X(P.x), Y(P.y) {}
  constexpr operator win::POINT() const { return {X, Y}; }
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;

  constexpr TSize() = default;
  constexpr TSize(std::int32_t ACx, std::int32_t ACy) : cx(ACx), cy(ACy) {}
  constexpr TSize(const win::SIZE& S) : cx(S.cx), cy(S.cy) {}
  constexpr operator win::SIZE() const { return {cx, cy}; }
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(std::int32_t ALeft, std::int32_t ATop, std::int32_t ARight, std::int32_t ABottom)
      : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}
  constexpr TRect(const win::RECT& R) : Left(R.left), Top(R.top), Right(R.right), Bottom(R.bottom) {}
  constexpr operator win::RECT() const { return {Left, Top, Right, Bottom}; }

  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};
