#include <stdexcept>

#include "platform/display/Display.h"

namespace platform {

std::unique_ptr<Display> CreateSdlDisplay() { throw std::runtime_error("the sdl display is not built yet"); }

}  // namespace platform
