#pragma once
// The check mark the flat check boxes draw themselves: a monochrome mask of the base check-box
// size, black where the platform's checked box differs from its unchecked one, laid over any
// background in any colour.
#include "platform/classes/Graphics.h"
#include "ui/foundation/Types.h"

// The check box unit makes the mask at its start from the platform's check-box strip and frees it
// at its end.
void CheckMarkUnitStartup();
void CheckMarkUnitShutdown();
// Null outside the unit's life, or when the platform has no strip.
win::HBITMAP CheckMarkMask();
// Paints the mark in Color into Inner (the box less its frame), keeping the background elsewhere:
// the mask is laid at Inner's top-left less (2, 2), clipped to Inner.
void DrawCheckMark(win::HDC DC, const TRect& Inner, TColor Color);
