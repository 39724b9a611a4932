#include "ui/controls/Panning.h"

#include <algorithm>
#include <cstdlib>

#include "ui/controls/ControlsUnit.h"

TRect PanNeutralZone(TPoint Start, int AnchorWidth, TcxPanBars Bars, const TRect& Screen) {
  int half = AnchorWidth / 2;
  TRect zone(Start.X - half, Start.Y - half, Start.X - half + AnchorWidth, Start.Y - half + AnchorWidth);
  if (!Bars.Horizontal) {
    zone.Left = Screen.Left;
    zone.Right = Screen.Right;
  }
  if (!Bars.Vertical) {
    zone.Top = Screen.Top;
    zone.Bottom = Screen.Bottom;
  }
  return zone;
}

TcxPanState PanStateAt(TPoint Start, TPoint P, int AnchorWidth, TcxPanBars Bars, const TRect& Screen) {
  TcxPanState state;
  TRect zone = PanNeutralZone(Start, AnchorWidth, Bars, Screen);
  if (P.X >= zone.Left && P.X < zone.Right && P.Y >= zone.Top && P.Y < zone.Bottom) return state;
  state.Outside = true;
  int dx = P.X - Start.X;
  int dy = P.Y - Start.Y;
  bool horizontal = Bars.Horizontal && (!Bars.Vertical || std::abs(dx) > std::abs(dy));
  int offset;
  if (horizontal) {
    state.Direction = dx < 0 ? pdLeft : pdRight;
    offset = std::abs(dx);
  } else {
    state.Direction = dy < 0 ? pdUp : pdDown;
    offset = std::abs(dy);
  }
  state.Speed = std::clamp((offset - AnchorWidth / 2) / 5 + 1, 1, 12);
  return state;
}

bool PanTickScrolls(int TickCount, int Speed) { return Speed > 0 && TickCount % (13 - Speed) == 0; }

int PanCursor(TcxPanDirection Direction, TcxPanBars Bars) {
  switch (Direction) {
    case pdUp: return crcxUpScroll;
    case pdRight: return crcxRightScroll;
    case pdDown: return crcxDownScroll;
    case pdLeft: return crcxLeftScroll;
    case pdNone: break;
  }
  if (Bars.Horizontal && Bars.Vertical) return crcxFullScroll;
  return Bars.Horizontal ? crcxHorScroll : crcxVerScroll;
}

const char* PanAnchorBitmapName(TcxPanBars Bars) {
  if (Bars.Horizontal && Bars.Vertical) return "CX_FULLSCROLLBITMAP";
  return Bars.Horizontal ? "CX_HORSCROLLBITMAP" : "CX_VERSCROLLBITMAP";
}
