#pragma once
// The size grip of drop-down windows that carry a sizing panel: the height of the panel row, the
// corner the grip belongs in, and the grip's painting.
#include <cstdint>

#include "platform/gdi/Gdi.h"

// The corner of a drop-down that holds its grip: a top corner puts the panel row at the top.
enum class TcxGripCorner : std::uint8_t { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

// The larger of the horizontal bar's height plus 2 and the caption button's height, plus 1; read
// from the system metrics on every call.
int DropDownGripRowHeight();

// Where the grip belongs when the drop-down lies at DropDownRect against its owner at OwnerRect
// (both in the same coordinates): at the bottom when the drop-down reaches below its owner, at the
// right unless it lies wholly left of the owner.
TcxGripCorner DropDownGripCorner(const win::RECT& OwnerRect, const win::RECT& DropDownRect);

// Paints the grip into the corner of Rect and leaves Rect set to the grip's square, whose size
// comes from the scroll-bar metrics alone.
void PaintSizeGrip(win::HDC DC, win::RECT& Rect, TcxGripCorner Corner);
