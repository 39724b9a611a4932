#pragma once
// The geometry of the painter-drawn scroll bar: where its arrows, thumb and page areas lie for a
// given size and range, the position a dragged thumb stands for, and the zone in which a thumb drag
// still tracks. Range differences are taken in 64 bits: Max - Min + 1 overflows 32 bits for a range
// that spans the whole integer line.
#include <cstdint>

#include "platform/classes/ScrollTypes.h"
#include "ui/foundation/Types.h"

// The parts of a scroll bar, numbered as the painter takes them.
enum TcxScrollBarHitPart { hpNone = 0, hpLineUp = 1, hpLineDown = 2, hpThumb = 3, hpPageUp = 4, hpPageDown = 5 };

struct TcxScrollBarParams {
  TScrollBarKind Kind = sbHorizontal;
  int Width = 0;
  int Height = 0;
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int PageSize = 0;
  bool Enabled = true;
  int MinThumbSize = 8;  // the painter's shortest thumb for a bar with a page
};

struct TcxScrollBarParts {
  TRect LineUpArrowRect;
  TRect LineDownArrowRect;
  TRect ThumbRect;  // empty when the bar has no thumb
  TRect PageUpRect;
  TRect PageDownRect;
};

// a * b / c rounded to nearest, halves away from zero, in 64 bits; -1 for c = 0.
std::int64_t MulDiv64(std::int64_t a, std::int64_t b, std::int64_t c);

// Arrows of min(S, length div 2), S the system's bar thickness, then the thumb between them.
TcxScrollBarParts CalcScrollBarParts(const TcxScrollBarParams& P);

// The position the thumb stands for while dragged. When the thumb fills the whole track it cannot
// move, and the position it stood for stays.
int ScrollBarPositionFromThumb(const TcxScrollBarParams& P, const TcxScrollBarParts& Parts);

// The part under a point in bar coordinates; the track is not hit when the bar has no thumb.
TcxScrollBarHitPart ScrollBarPartAtPoint(const TcxScrollBarParams& P, const TcxScrollBarParts& Parts, TPoint Pt);

// The rectangle in which a thumb drag keeps tracking: 34 px past each end, 136 px to each side.
TRect ScrollBarTrackingZone(TScrollBarKind Kind, int Width, int Height);
