#pragma once
// The virtual-key codes the backends produce, and the keyboard scan codes that go with them.
// The values are those the window system's callers compare against, so they must not move.
namespace platform::vk {

enum : unsigned {
  kBack = 0x08, kTab = 0x09, kClear = 0x0C, kReturn = 0x0D,
  kShift = 0x10, kControl = 0x11, kMenu = 0x12, kPause = 0x13, kCapital = 0x14,
  kEscape = 0x1B, kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24,
  kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28,
  kSnapshot = 0x2C, kInsert = 0x2D, kDelete = 0x2E, kHelp = 0x2F,
  k0 = 0x30, kA = 0x41,
  kLWin = 0x5B, kRWin = 0x5C, kApps = 0x5D,
  kNumpad0 = 0x60, kMultiply = 0x6A, kAdd = 0x6B, kSeparator = 0x6C, kSubtract = 0x6D,
  kDecimal = 0x6E, kDivide = 0x6F,
  kF1 = 0x70, kF24 = 0x87,
  kNumLock = 0x90, kScroll = 0x91,
  kLShift = 0xA0, kRShift = 0xA1, kLControl = 0xA2, kRControl = 0xA3, kLMenu = 0xA4, kRMenu = 0xA5,
  kOem1 = 0xBA, kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE,
  kOem2 = 0xBF, kOem3 = 0xC0, kOem4 = 0xDB, kOem5 = 0xDC, kOem6 = 0xDD, kOem7 = 0xDE,
  kOem102 = 0xE2,
};

struct KeyCode {
  unsigned vk = 0;
  unsigned scanCode = 0;
  bool extended = false;
};

// Fills in the scan code and extended flag of a US keyboard. Shift, Ctrl and Alt are reported by
// side (left/right codes); the window system folds them into the generic key for its messages.
KeyCode DescribeKey(unsigned vk);
// The generic key of a sided modifier; any other key is itself.
unsigned GenericKey(unsigned vk);

}  // namespace platform::vk
