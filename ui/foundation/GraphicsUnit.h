#pragma once
// Start-up and shutdown of the library's graphics unit: the AlphaBlend binding, the process's DPI
// awareness, the screen's pixels per inch, the bitmap classes' registration, and the release of
// the shared canvases and scratch bitmaps.
#include "ui/foundation/Types.h"

void GraphicsUnitStartup();
void GraphicsUnitShutdown();

// The screen's horizontal and vertical pixels per inch, read at start-up.
void ScreenPixelsPerInch(TPoint& P);
