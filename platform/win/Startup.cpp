#include "platform/win/Startup.h"

#include <mutex>

#include "platform/gdi/Modules.h"
#include "platform/system/Modules.h"
#include "platform/win/Accessibility.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/Menu.h"

namespace platform {

void RegisterWindowModules() {
  RegisterModule("user32.dll",
                 {Export("SetLayeredWindowAttributes", &win::SetLayeredWindowAttributes),
                  Export("GetLayeredWindowAttributes", &win::GetLayeredWindowAttributes),
                  Export("UpdateLayeredWindow", &win::UpdateLayeredWindow),
                  Export("AnimateWindow", &win::AnimateWindow),
                  Export("GetScrollBarInfo", &win::GetScrollBarInfo),
                  Export("SetMenuInfo", &win::SetMenuInfo)},
                 true);
  RegisterAccessibilityModule();
}

void StartPlatform() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterSystemModules();
    RegisterGdiModules();
    RegisterWindowModules();
  });
}

}  // namespace platform
