#pragma once
// The window system reads and writes the region behind an HRGN (update and window regions).
#include "platform/gdi/Region.h"
#include "platform/system/Types.h"

namespace platform::gdi {

// False for a stale or foreign handle.
bool RegionOfHandle(win::HRGN handle, Region& out);
bool SetHandleRegion(win::HRGN handle, const Region& rgn);

}  // namespace platform::gdi
