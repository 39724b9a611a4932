#pragma once
// Start-up and shutdown of what the painters share: the named-painter registry, the indicator
// images, the scroll-bar pattern bitmaps, the check-box glyph size and the notifier that renders
// the radio-button images again when the system colours change.
#include "platform/classes/ImageList.h"

// The six row-indicator glyphs (arrow, edit, insert, multi-dot, multi-arrow, filter), 8 x 9 each;
// null outside the painters' start-up and shutdown.
TCustomImageList* cxIndicatorImages();

void PaintersUnitStartup();
void PaintersUnitShutdown();

// The painting units in their order: theme access, Office-2003 colours, graphics, painters, then
// look-and-feel; the shutdown runs them in reverse.
void PaintingUnitsStartup();
void PaintingUnitsShutdown();
