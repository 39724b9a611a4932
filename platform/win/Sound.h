#pragma once
// Sounds by alias or file. The desktop is asked to play them (a wave file through the real
// display's audio; Linux has no system sounds for an alias); the headless display keeps a record
// of every request, so tests can read what was played and how.
#include "platform/system/Types.h"

namespace win {

constexpr DWORD SND_SYNC = 0x0000, SND_ASYNC = 0x0001, SND_NODEFAULT = 0x0002, SND_MEMORY = 0x0004,
                SND_LOOP = 0x0008, SND_NOSTOP = 0x0010, SND_PURGE = 0x0040, SND_APPLICATION = 0x0080,
                SND_NOWAIT = 0x00002000, SND_ALIAS = 0x00010000, SND_ALIAS_ID = 0x00110000,
                SND_FILENAME = 0x00020000, SND_RESOURCE = 0x00040004;

// A null sound stops what plays. Only aliases and files are played: a sound in memory or in a
// resource answers FALSE. A file that cannot be played answers FALSE with SND_NODEFAULT, else
// the default sound stands in for it and the answer is TRUE. Nothing waits for the end of a sound.
BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);
inline BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) { return PlaySound(sound, module, flags); }

}  // namespace win
