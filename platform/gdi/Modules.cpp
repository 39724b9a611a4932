#include "platform/gdi/Modules.h"

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"

namespace platform {

void RegisterGdiModules() {
  RegisterModule("msimg32.dll", {Export("AlphaBlend", &win::AlphaBlend), Export("GradientFill", &win::GradientFill),
                                 Export("TransparentBlt", &win::TransparentBlt)});
}

}  // namespace platform
