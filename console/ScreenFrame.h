#pragma once
// The six-byte frames every screen of the wall is driven by, their address forms and the command
// vocabulary. Frames are one-way: nothing a screen sends back is read.
#include <array>
#include <cstdint>

using TFrameBytes = std::array<std::uint8_t, 6>;

// The command byte of a screen frame. In the comments, 0/1 means one step down/up per frame.
enum TScreenCommand : std::uint8_t {
  scPower = 0x10,             // 1 on, 0 standby
  scSelectInput = 0x20,       // signal source; meaning of the value depends on the console
  scVideoContrast = 0x30,     // 0/1
  scVideoBrightness = 0x31,
  scVideoSaturation = 0x32,
  scVideoTone = 0x33,
  scVideoSharpness = 0x34,
  scDarkLevelRed = 0x35,
  scDarkLevelGreen = 0x36,
  scDarkLevelBlue = 0x37,
  scBrightLevelRed = 0x38,
  scBrightLevelGreen = 0x39,
  scBrightLevelBlue = 0x3A,
  scVideoHPosition = 0x3B,
  scVideoVPosition = 0x3C,
  scPcContrast = 0x40,
  scPcBrightness = 0x41,
  scPcHPosition = 0x42,
  scPcVPosition = 0x43,
  scPcClock = 0x44,
  scPcPhase = 0x45,
  scBrightBalanceRed = 0x46,
  scBrightBalanceGreen = 0x47,
  scBrightBalanceBlue = 0x48,
  scDarkBalanceRed = 0x49,
  scDarkBalanceGreen = 0x4A,
  scDarkBalanceBlue = 0x4B,
  scAutoPosition = 0x4C,
  scAutoColor = 0x4D,
  scBacklight = 0x50,         // followed 100 ms later by scBacklightAlt
  scStill = 0x51,
  scSystemReset = 0x52,
  scSaveSettings = 0x53,
  scEdgeBlendH = 0x54,
  scEdgeBlendV = 0x55,
  scFanMode = 0x56,           // 0 automatic, 1 always on, 2 always off, 3 manual
  scFanRunValue = 0x57,
  scFanStopValue = 0x58,
  scSaveScene = 0x59,         // scene number 1..16
  scRecallScene = 0x5A,
  scGroupSelect = 0x5B,       // 0 group A, 1 group B
  scTiMode = 0x5C,
  scNoSignalBlue = 0x5D,
  scNoSignalBlack = 0x5E,
  scQueryVersion = 0x5F,
  scColorDepth = 0x60,        // 0 8-bit, 1 10-bit
  scHStart = 0x61,
  scHSize = 0x62,
  scVStart = 0x63,
  scVSize = 0x64,
  scLogo = 0x66,
  scAddressLock = 0x67,       // 1 lock, 0 unlock
  scRedGain = 0x6B,
  scGreenGain = 0x6C,
  scBlueGain = 0x6D,
  scColorRed = 0x73,
  scColorGreen = 0x74,
  scColorBlue = 0x75,
  scSwatchRed = 0x76,
  scSwatchGreen = 0x77,
  scSwatchBlue = 0x78,
  scColorBrightness = 0x79,
  scBacklightAlt = 0x7C,
  scSystemResetAlt = 0x7D,
  scSaveSettingsAlt = 0x7E,
  scEdgeBlendHAlt = 0x7F,
  scEdgeBlendVAlt = 0x80,
  scFanModeAlt = 0x81,
  scSaveSceneAlt = 0x82,
  scRecallSceneAlt = 0x83,
  scPanelType = 0x84,
  scABSwap = 0x85,
  scRotate = 0x87,            // 0 positive, 1 inverse
  scSpliceMode = 0x88,        // 1 splice, 0 single display
  scAutoAddress = 0x89,       // address of the bottom-right screen of the chosen wall size
  scStartCorner = 0x8A,
  scSignalBoard = 0x8B,
  scSyncSend = 0x8C,
  scSync = 0x8D,
  scWindowMember = 0x8E,
  scWindowSource = 0x8F,
  scEdgeBrightenA = 0x93,
  scEdgeBrightenB = 0x94,
  scEdgeBrightenLevel = 0x95,
  scRemoteKey = 0xEB,
  scBootLogoMode = 0xEF,
  scPlayAngle = 0xF0,         // 0..3 = 0, 90, 180, 270 degrees
  scAging = 0xF1,
  scFlipMode = 0xF2,
  scShapeEnable = 0xF3,
  scShapeHStartHigh = 0xF4,
  scShapeHStartLow = 0xF5,
  scShapeHSizeHigh = 0xF6,
  scShapeHSizeLow = 0xF7,
  scShapeVStartHigh = 0xF8,
  scShapeVStartLow = 0xF9,
  scShapeVSizeHigh = 0xFA,
  scShapeVSizeLow = 0xFB,
  scSpliceResolution = 0xFC,  // 2 = 2K, 1 = 4K
  scAmdMode = 0xFE,
  scUpdate = 0xFF,
};

// What an address-setup frame (start address 0xFF) carries in place of its end address.
enum TAddressFunction : std::uint8_t {
  afSyncAddress = 0x1F,
  afSetRow = 0x20,
  afSetColumn = 0x21,
  afReadSerial = 0x22,
  afSetSerial = 0x23,
  afShowAddress = 0x24,
};

// Every value a sender is given reaches the wire as its low 8 bits, whatever its range.
constexpr std::uint8_t FrameByte(long long value) { return static_cast<std::uint8_t>(value & 0xFF); }

// Sixteen-bit values travel high byte first: value div 256, then value mod 256.
constexpr std::uint8_t HighByteOf(long long value) { return FrameByte(value / 256); }
constexpr std::uint8_t LowByteOf(long long value) { return FrameByte(value % 256); }

// Column in the high nibble, row in the low nibble, both counted from 1. Not range-checked:
// a column above 15 spills into the low bits exactly as the screens have always received it.
constexpr std::uint8_t ScreenAddress(long long column, long long row) { return FrameByte(column * 16 + row); }

struct TScreenAddressPair {
  std::uint8_t StartAddress = 0;
  std::uint8_t EndAddress = 0;
  friend bool operator==(const TScreenAddressPair&, const TScreenAddressPair&) = default;
};

inline constexpr TScreenAddressPair kWholeWall{0x11, 0xFF};
inline constexpr TScreenAddressPair kFirstScreen{0x11, 0x11};
inline constexpr TScreenAddressPair kBroadcast{0x00, 0xFF};

// The wall selection as first/last column and row. With no selection (all 0) this is 0x00, 0x00.
constexpr TScreenAddressPair SelectionAddress(long long left, long long top, long long right, long long bottom) {
  return {ScreenAddress(left, top), ScreenAddress(right, bottom)};
}

constexpr TScreenAddressPair OneScreenAddress(long long column, long long row) {
  std::uint8_t a = ScreenAddress(column, row);
  return {a, a};
}

// The splicing and hybrid-matrix consoles never send to the unaddressed pair 0x00, 0x00; they
// fall back to the first screen. The grid console sends the pair as computed.
constexpr TScreenAddressPair FirstScreenIfUnaddressed(TScreenAddressPair pair) {
  return pair == TScreenAddressPair{0x00, 0x00} ? kFirstScreen : pair;
}

struct TScreenFrame {
  static constexpr std::uint8_t kHeader = 0xC6;
  static constexpr std::uint8_t kTrailer = 0xBB;

  std::uint8_t Header = kHeader;
  std::uint8_t StartAddress = 0;
  std::uint8_t EndAddress = 0;
  std::uint8_t Command = 0;
  std::uint8_t Value = 0;
  std::uint8_t Trailer = kTrailer;

  constexpr TFrameBytes Bytes() const { return {Header, StartAddress, EndAddress, Command, Value, Trailer}; }
};

// A screen frame to an address pair; command and value keep their low 8 bits.
constexpr TScreenFrame MakeScreenFrame(TScreenAddressPair to, long long command, long long value) {
  return {TScreenFrame::kHeader, to.StartAddress, to.EndAddress, FrameByte(command), FrameByte(value),
          TScreenFrame::kTrailer};
}

// An address-setup frame: start address 0xFF, the function in place of the end address, and the
// function's two parameters in the command and value bytes.
constexpr TScreenFrame MakeAddressFrame(TAddressFunction function, long long first, long long second) {
  return {TScreenFrame::kHeader, 0xFF, function, FrameByte(first), FrameByte(second), TScreenFrame::kTrailer};
}

constexpr TScreenFrame MakeSyncAddressFrame() { return MakeAddressFrame(afSyncAddress, 0x01, 0x01); }
constexpr TScreenFrame MakeSetRowFrame(long long row) { return MakeAddressFrame(afSetRow, row, 0x01); }
constexpr TScreenFrame MakeSetColumnFrame(long long column) { return MakeAddressFrame(afSetColumn, column, 0x01); }
constexpr TScreenFrame MakeReadSerialFrame() { return MakeAddressFrame(afReadSerial, 0x00, 0x00); }
constexpr TScreenFrame MakeShowAddressFrame() { return MakeAddressFrame(afShowAddress, 0x01, 0x01); }
// Serials above 65535 keep only the low 8 bits of (serial div 256), as the screens expect.
constexpr TScreenFrame MakeSetSerialFrame(long long serial) {
  return {TScreenFrame::kHeader, 0xFF, afSetSerial, HighByteOf(serial), LowByteOf(serial), TScreenFrame::kTrailer};
}

// The routing frame that goes out on the screen link: D6, start, end, mode, input, D6.
// Mode 0x01 routes in place of a screen command, 0x00 routes for single display.
constexpr std::uint8_t kRoutingMark = 0xD6;
constexpr TFrameBytes MakeRoutingFrame(TScreenAddressPair to, long long mode, long long input) {
  return {kRoutingMark, to.StartAddress, to.EndAddress, FrameByte(mode), FrameByte(input), kRoutingMark};
}
