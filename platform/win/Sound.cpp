#include "platform/win/Sound.h"

#include <filesystem>
#include <system_error>

#include "platform/display/Display.h"

namespace win {

BOOL PlaySound(LPCSTR sound, HMODULE, DWORD flags) {
  platform::SoundRequest request;
  request.flags = flags;
  if (sound && !(flags & SND_PURGE)) {
    if ((flags & SND_MEMORY) == SND_MEMORY || (flags & SND_ALIAS_ID) == SND_ALIAS_ID) return FALSE;
    request.name = sound;
    if (request.name.empty()) return FALSE;
    if (flags & SND_ALIAS) {
      request.alias = true;
    } else if (!(flags & SND_FILENAME)) {
      // Neither kind named: a file of that name if there is one, else a system sound's alias.
      std::error_code ec;
      request.alias = !std::filesystem::is_regular_file(request.name, ec);
    }
  }
  if (!platform::HasDisplay()) return request.name.empty() ? TRUE : FALSE;
  bool played = platform::CurrentDisplay().PlaySound(request);
  // Whatever could not be played, the default sound stands in for it unless refused.
  return played || !(flags & SND_NODEFAULT) ? TRUE : FALSE;
}

}  // namespace win
