#include "platform/gdi/RegionHandle.h"

#include "platform/gdi/Internal.h"

namespace platform::gdi {

bool RegionOfHandle(win::HRGN handle, Region& out) {
  RegionObj* r = Rgn(handle);
  if (!r) return false;
  out = r->rgn;
  return true;
}

bool SetHandleRegion(win::HRGN handle, const Region& rgn) {
  RegionObj* r = Rgn(handle);
  if (!r) return false;
  r->rgn = rgn;
  return true;
}

}  // namespace platform::gdi
