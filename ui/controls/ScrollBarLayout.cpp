#include "ui/controls/ScrollBarLayout.h"

#include <algorithm>

#include "platform/win/Metrics.h"

namespace {

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }
bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// Positions along the bar: x for a horizontal bar, y for a vertical one.
struct Axis {
  bool horizontal;
  int length;     // along the bar
  int thickness;  // across it
  TRect Span(int from, int to) const {
    return horizontal ? TRect(from, 0, to, thickness) : TRect(0, from, thickness, to);
  }
  int Start(const TRect& R) const { return horizontal ? R.Left : R.Top; }
  int End(const TRect& R) const { return horizontal ? R.Right : R.Bottom; }
};

Axis AxisOf(const TcxScrollBarParams& P) {
  bool h = P.Kind == sbHorizontal;
  return {h, h ? P.Width : P.Height, h ? P.Height : P.Width};
}

}  // namespace

std::int64_t MulDiv64(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return -1;
  __int128 n = static_cast<__int128>(a) * b;
  bool negative = (n < 0) != (c < 0);
  __int128 un = n < 0 ? -n : n;
  __int128 uc = c < 0 ? -static_cast<__int128>(c) : c;
  __int128 q = (un + uc / 2) / uc;
  return static_cast<std::int64_t>(negative ? -q : q);
}

TcxScrollBarParts CalcScrollBarParts(const TcxScrollBarParams& P) {
  Axis axis = AxisOf(P);
  int system = win::GetSystemMetrics(axis.horizontal ? win::SM_CYHSCROLL : win::SM_CXVSCROLL);
  int arrow = std::max(0, std::min(system, axis.length / 2));
  TcxScrollBarParts parts;
  parts.LineUpArrowRect = axis.Span(0, arrow);
  parts.LineDownArrowRect = axis.Span(axis.length - arrow, axis.length);
  if (!P.Enabled) return parts;

  int trackStart = arrow;
  int track = axis.length - 2 * arrow;
  std::int64_t range = static_cast<std::int64_t>(P.Max) - P.Min;
  std::int64_t offset;
  int length;
  if (P.PageSize == 0) {
    length = win::GetSystemMetrics(axis.horizontal ? win::SM_CXHTHUMB : win::SM_CYVTHUMB);
    if (track < length) return parts;
    if (track - length <= 0 || range == 0)
      offset = 0;
    else
      offset = MulDiv64(track - length, static_cast<std::int64_t>(P.Position) - P.Min, range);
  } else {
    std::int64_t scaled = MulDiv64(P.PageSize, track, range + 1);
    length = static_cast<int>(std::min<std::int64_t>(track, scaled));
    if (track < P.MinThumbSize || range == 0) return parts;
    length = std::max(length, P.MinThumbSize);
    std::int64_t d = range - P.PageSize + 1;
    offset = MulDiv64(track - length, std::min<std::int64_t>(static_cast<std::int64_t>(P.Position) - P.Min, d), d);
  }
  offset = std::clamp<std::int64_t>(offset, 0, std::max(0, track - length));
  int thumbStart = trackStart + static_cast<int>(offset);
  parts.ThumbRect = axis.Span(thumbStart, thumbStart + length);
  parts.PageUpRect = axis.Span(trackStart, thumbStart);
  parts.PageDownRect = axis.Span(thumbStart + length, trackStart + track);
  return parts;
}

int ScrollBarPositionFromThumb(const TcxScrollBarParams& P, const TcxScrollBarParts& Parts) {
  Axis axis = AxisOf(P);
  int first = axis.End(Parts.LineUpArrowRect);
  int room = axis.Start(Parts.LineDownArrowRect) - first - (axis.End(Parts.ThumbRect) - axis.Start(Parts.ThumbRect));
  if (IsEmpty(Parts.ThumbRect) || room <= 0) return P.Position;
  std::int64_t span = static_cast<std::int64_t>(P.Max) - P.Min + (P.PageSize > 0 ? 1 - P.PageSize : 0);
  std::int64_t position = P.Min + MulDiv64(span, axis.Start(Parts.ThumbRect) - first, room);
  return static_cast<int>(std::clamp<std::int64_t>(position, P.Min, P.Max));
}

TcxScrollBarHitPart ScrollBarPartAtPoint(const TcxScrollBarParams& P, const TcxScrollBarParts& Parts, TPoint Pt) {
  if (!Contains(TRect(0, 0, P.Width, P.Height), Pt)) return hpNone;
  if (Contains(Parts.LineUpArrowRect, Pt)) return hpLineUp;
  if (Contains(Parts.LineDownArrowRect, Pt)) return hpLineDown;
  if (IsEmpty(Parts.ThumbRect)) return hpNone;
  if (Contains(Parts.ThumbRect, Pt)) return hpThumb;
  if (Contains(Parts.PageUpRect, Pt)) return hpPageUp;
  if (Contains(Parts.PageDownRect, Pt)) return hpPageDown;
  return hpNone;
}

TRect ScrollBarTrackingZone(TScrollBarKind Kind, int Width, int Height) {
  constexpr int kAlong = 34;
  constexpr int kAcross = 136;
  if (Kind == sbHorizontal) return {-kAlong, -kAcross, Width + kAlong, Height + kAcross};
  return {-kAcross, -kAlong, Width + kAcross, Height + kAlong};
}
