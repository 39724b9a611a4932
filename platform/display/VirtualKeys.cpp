#include "platform/display/VirtualKeys.h"

namespace platform::vk {
namespace {

// Set-1 scan codes of a US keyboard, indexed by virtual-key code; 0 where the key has none.
struct ScanEntry {
  unsigned vk;
  unsigned scan;
  bool extended;
};

constexpr ScanEntry kScanTable[] = {
    {kBack, 0x0E, false}, {kTab, 0x0F, false}, {kClear, 0x4C, false}, {kReturn, 0x1C, false},
    {kShift, 0x2A, false}, {kControl, 0x1D, false}, {kMenu, 0x38, false}, {kPause, 0x45, false},
    {kCapital, 0x3A, false}, {kEscape, 0x01, false}, {kSpace, 0x39, false},
    {kPrior, 0x49, true}, {kNext, 0x51, true}, {kEnd, 0x4F, true}, {kHome, 0x47, true},
    {kLeft, 0x4B, true}, {kUp, 0x48, true}, {kRight, 0x4D, true}, {kDown, 0x50, true},
    {kSnapshot, 0x37, true}, {kInsert, 0x52, true}, {kDelete, 0x53, true},
    {0x30, 0x0B, false}, {0x31, 0x02, false}, {0x32, 0x03, false}, {0x33, 0x04, false},
    {0x34, 0x05, false}, {0x35, 0x06, false}, {0x36, 0x07, false}, {0x37, 0x08, false},
    {0x38, 0x09, false}, {0x39, 0x0A, false},
    {'A', 0x1E, false}, {'B', 0x30, false}, {'C', 0x2E, false}, {'D', 0x20, false},
    {'E', 0x12, false}, {'F', 0x21, false}, {'G', 0x22, false}, {'H', 0x23, false},
    {'I', 0x17, false}, {'J', 0x24, false}, {'K', 0x25, false}, {'L', 0x26, false},
    {'M', 0x32, false}, {'N', 0x31, false}, {'O', 0x18, false}, {'P', 0x19, false},
    {'Q', 0x10, false}, {'R', 0x13, false}, {'S', 0x1F, false}, {'T', 0x14, false},
    {'U', 0x16, false}, {'V', 0x2F, false}, {'W', 0x11, false}, {'X', 0x2D, false},
    {'Y', 0x15, false}, {'Z', 0x2C, false},
    {kLWin, 0x5B, true}, {kRWin, 0x5C, true}, {kApps, 0x5D, true},
    {kNumpad0, 0x52, false}, {kNumpad0 + 1, 0x4F, false}, {kNumpad0 + 2, 0x50, false},
    {kNumpad0 + 3, 0x51, false}, {kNumpad0 + 4, 0x4B, false}, {kNumpad0 + 5, 0x4C, false},
    {kNumpad0 + 6, 0x4D, false}, {kNumpad0 + 7, 0x47, false}, {kNumpad0 + 8, 0x48, false},
    {kNumpad0 + 9, 0x49, false},
    {kMultiply, 0x37, false}, {kAdd, 0x4E, false}, {kSubtract, 0x4A, false},
    {kDecimal, 0x53, false}, {kDivide, 0x35, true},
    {kF1, 0x3B, false}, {kF1 + 1, 0x3C, false}, {kF1 + 2, 0x3D, false}, {kF1 + 3, 0x3E, false},
    {kF1 + 4, 0x3F, false}, {kF1 + 5, 0x40, false}, {kF1 + 6, 0x41, false}, {kF1 + 7, 0x42, false},
    {kF1 + 8, 0x43, false}, {kF1 + 9, 0x44, false}, {kF1 + 10, 0x57, false}, {kF1 + 11, 0x58, false},
    {kNumLock, 0x45, true}, {kScroll, 0x46, false},
    {kOem1, 0x27, false}, {kOemPlus, 0x0D, false}, {kOemComma, 0x33, false},
    {kOemMinus, 0x0C, false}, {kOemPeriod, 0x34, false}, {kOem2, 0x35, false},
    {kOem3, 0x29, false}, {kOem4, 0x1A, false}, {kOem5, 0x2B, false}, {kOem6, 0x1B, false},
    {kOem7, 0x28, false}, {kOem102, 0x56, false},
};

}  // namespace

KeyCode DescribeKey(unsigned code) {
  KeyCode key{code, 0, false};
  // Sided modifiers keep their side, which the scan code and extended flag also show.
  switch (code) {
    case kLShift: return {kLShift, 0x2A, false};
    case kRShift: return {kRShift, 0x36, false};
    case kLControl: return {kLControl, 0x1D, false};
    case kRControl: return {kRControl, 0x1D, true};
    case kLMenu: return {kLMenu, 0x38, false};
    case kRMenu: return {kRMenu, 0x38, true};
    default: break;
  }
  for (const ScanEntry& e : kScanTable) {
    if (e.vk == code) {
      key.scanCode = e.scan;
      key.extended = e.extended;
      break;
    }
  }
  return key;
}

unsigned GenericKey(unsigned code) {
  switch (code) {
    case kLShift: case kRShift: return kShift;
    case kLControl: case kRControl: return kControl;
    case kLMenu: case kRMenu: return kMenu;
    default: return code;
  }
}

}  // namespace platform::vk
