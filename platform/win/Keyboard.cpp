// Keys to characters, with the US layout the platform's ANSI functions would use here.
#include <cctype>

#include "platform/display/VirtualKeys.h"
#include "platform/win/Focus.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Keys.h"
#include "platform/win/WindowManager.h"

namespace win {

namespace {

struct OemKey {
  int vk;
  char plain, shifted;
};

constexpr OemKey kOem[] = {
    {VK_OEM_1, ';', ':'},  {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'}, {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'}, {VK_OEM_6, ']', '}'},      {VK_OEM_7, '\'', '"'},    {VK_OEM_102, '\\', '|'}};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

int ToAscii(UINT vk, UINT, const BYTE* state, WORD* out, UINT) {
  if (!out) return 0;
  bool shift = state && (state[VK_SHIFT] & 0x80);
  bool ctrl = state && (state[VK_CONTROL] & 0x80);
  bool alt = state && (state[VK_MENU] & 0x80);
  bool caps = state && (state[VK_CAPITAL] & 0x01);
  int c = 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl && !alt) {
      c = static_cast<int>(vk - 'A' + 1);
    } else {
      bool upper = shift != caps;
      c = upper ? static_cast<int>(vk) : static_cast<int>(vk) + 32;
    }
  } else if (vk >= '0' && vk <= '9') {
    if (ctrl) return 0;
    c = shift ? kShiftedDigits[vk - '0'] : static_cast<int>(vk);
  } else if (vk >= static_cast<UINT>(VK_NUMPAD0) && vk <= static_cast<UINT>(VK_NUMPAD9)) {
    c = '0' + static_cast<int>(vk - VK_NUMPAD0);
  } else {
    switch (vk) {
      case VK_SPACE: c = ' '; break;
      case VK_RETURN: c = ctrl ? '\n' : '\r'; break;
      case VK_BACK: c = ctrl ? 0x7F : '\b'; break;
      case VK_TAB: if (ctrl) return 0; c = '\t'; break;
      case VK_ESCAPE: c = 0x1B; break;
      case VK_MULTIPLY: c = '*'; break;
      case VK_ADD: c = '+'; break;
      case VK_SUBTRACT: c = '-'; break;
      case VK_DECIMAL: c = '.'; break;
      case VK_DIVIDE: c = '/'; break;
      default:
        for (const OemKey& k : kOem)
          if (static_cast<UINT>(k.vk) == vk) {
            if (ctrl) {
              if (k.plain == '[') c = 0x1B;
              else if (k.plain == '\\') c = 0x1C;
              else if (k.plain == ']') c = 0x1D;
              else return 0;
            } else {
              c = shift ? k.shifted : k.plain;
            }
          }
        if (!c) return 0;
    }
  }
  *out = static_cast<WORD>(c);
  return 1;
}

SHORT VkKeyScan(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  auto with = [](int vk, int shiftState) { return static_cast<SHORT>(vk | (shiftState << 8)); };
  if (c >= 'a' && c <= 'z') return with(c - 32, 0);
  if (c >= 'A' && c <= 'Z') return with(c, 1);
  if (c >= '0' && c <= '9') return with(c, 0);
  for (int i = 0; i < 10; ++i)
    if (kShiftedDigits[i] == ch) return with('0' + i, 1);
  if (c == ' ') return with(VK_SPACE, 0);
  if (c == '\r') return with(VK_RETURN, 0);
  if (c == '\t') return with(VK_TAB, 0);
  if (c == '\b') return with(VK_BACK, 0);
  if (c == 0x1B) return with(VK_ESCAPE, 0);
  if (c >= 1 && c <= 26) return with('A' + c - 1, 2);
  for (const OemKey& k : kOem) {
    if (k.plain == ch && k.vk != VK_OEM_102) return with(k.vk, 0);
    if (k.shifted == ch && k.vk != VK_OEM_102) return with(k.vk, 1);
  }
  return -1;
}

UINT MapVirtualKey(UINT code, UINT mapType) {
  switch (mapType) {
    case MAPVK_VK_TO_CHAR: {
      if (code >= 'A' && code <= 'Z') return code;
      WORD ch = 0;
      BYTE none[256] = {};
      return ToAscii(code, 0, none, &ch, 0) ? ch : 0;
    }
    case MAPVK_VK_TO_VSC:
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX:
      return KeyScanTable(code, mapType);
    default: return 0;
  }
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  bool sys = msg->message == WM_SYSKEYDOWN;
  if (msg->message != WM_KEYDOWN && !sys) return FALSE;
  BYTE state[256];
  GetKeyboardState(state);
  // F1 alone asks for help: the request follows the key, as a character would.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && !(state[VK_CONTROL] & 0x80) && !(state[VK_MENU] & 0x80)) {
    MSG f1 = *msg;
    f1.message = WM_KEYF1;
    f1.wParam = 0;
    f1.lParam = 0;
    platform::wm::ThreadQueue& q = platform::wm::CurrentQueue();
    std::lock_guard lock(q.mutex);
    q.posted.push_front(f1);
    return TRUE;
  }
  WORD ch = 0;
  if (!ToAscii(static_cast<UINT>(msg->wParam), 0, state, &ch, 0)) return FALSE;
  // The character follows its key at once, ahead of anything posted later.
  platform::wm::ThreadQueue& q = platform::wm::CurrentQueue();
  MSG c = *msg;
  c.message = sys ? WM_SYSCHAR : WM_CHAR;
  c.wParam = ch;
  {
    std::lock_guard lock(q.mutex);
    q.posted.push_front(c);
  }
  return TRUE;
}

}  // namespace win

namespace win {

UINT KeyScanTable(UINT code, UINT mapType) {
  if (mapType == MAPVK_VK_TO_VSC) return platform::vk::DescribeKey(code).scanCode;
  for (unsigned vk = 1; vk < 256; ++vk) {
    platform::vk::KeyCode k = platform::vk::DescribeKey(vk);
    if (k.scanCode == code && !k.extended) return mapType == MAPVK_VSC_TO_VK_EX ? vk : k.vk;
  }
  return 0;
}

}  // namespace win
