#pragma once
// The rules of middle-button panning: which way and how fast the content moves for the pointer's
// offset from where panning began, which cursor and anchor picture show it, and on which timer
// ticks a line is scrolled.
#include "ui/foundation/Types.h"

enum TcxPanDirection { pdNone, pdUp, pdRight, pdDown, pdLeft };

// The bars that can scroll; panning runs only with at least one of them.
struct TcxPanBars {
  bool Horizontal = false;
  bool Vertical = false;
};

struct TcxPanState {
  TcxPanDirection Direction = pdNone;
  int Speed = 0;        // 0 in the neutral zone, else 1..12
  bool Outside = false;  // the pointer has left the neutral zone
};

// The panning timer's period.
constexpr unsigned kPanTimerInterval = 20;

// The square as wide as the anchor picture around Start, stretched across the whole screen along
// a bar that is not there.
TRect PanNeutralZone(TPoint Start, int AnchorWidth, TcxPanBars Bars, const TRect& Screen);

// Direction and speed for the pointer at P: outside the neutral zone the speed is
// (|offset| - AnchorWidth div 2) div 5 + 1, at most 12.
TcxPanState PanStateAt(TPoint Start, TPoint P, int AnchorWidth, TcxPanBars Bars, const TRect& Screen);

// Whether the timer tick with this count scrolls a line: every (13 - Speed)th tick.
bool PanTickScrolls(int TickCount, int Speed);

// The cursor for the direction: 2101..2103 when resting, by the bars present, then 2104..2107.
int PanCursor(TcxPanDirection Direction, TcxPanBars Bars);

// The anchor picture's resource name for the bars present.
const char* PanAnchorBitmapName(TcxPanBars Bars);
