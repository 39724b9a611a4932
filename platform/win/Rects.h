#pragma once
// Rectangle helpers of the window system. Rectangles exclude their right and bottom edges.
#include "platform/system/Types.h"

namespace win {

BOOL SetRect(RECT* rc, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rc);
BOOL CopyRect(RECT* dst, const RECT* src);
BOOL OffsetRect(RECT* rc, int dx, int dy);
BOOL InflateRect(RECT* rc, int dx, int dy);
BOOL IsRectEmpty(const RECT* rc);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rc, POINT pt);
// False, with an empty result, when the rectangles do not meet.
BOOL IntersectRect(RECT* dst, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* dst, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* dst, const RECT* a, const RECT* b);

}  // namespace win
