#pragma once
// Translating keys into characters.
#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

constexpr UINT MAPVK_VK_TO_VSC = 0;
constexpr UINT MAPVK_VSC_TO_VK = 1;
constexpr UINT MAPVK_VK_TO_CHAR = 2;
constexpr UINT MAPVK_VSC_TO_VK_EX = 3;

int ToAscii(UINT vk, UINT scanCode, const BYTE* keyState, WORD* out, UINT flags);
SHORT VkKeyScan(char ch);
UINT MapVirtualKey(UINT code, UINT mapType);
// Scan codes of the US keyboard, in either direction (MAPVK_VK_TO_VSC or MAPVK_VSC_TO_VK).
UINT KeyScanTable(UINT code, UINT mapType);

}  // namespace win
