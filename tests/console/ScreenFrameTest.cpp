#include "console/ScreenFrame.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace {

// Test names from the cases' descriptions, so every run lists the same names.
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* p = info.param.what; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name + "_" + std::to_string(info.index);
}

struct AddressCase {
  const char* what;
  TScreenAddressPair pair;
  TFrameBytes expected;  // the frame for command 0x5A, value 1
};

// A failure names its case by its description rather than by its raw bytes, pointers included.
void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.what; }

class AddressFormTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressFormTest, FrameCarriesTheAddressPairUnchanged) {
  const AddressCase& c = GetParam();
  EXPECT_EQ(MakeScreenFrame(c.pair, scRecallScene, 1).Bytes(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, AddressFormTest,
    ::testing::Values(
        AddressCase{"single top-left cell", SelectionAddress(1, 1, 1, 1), {0xC6, 0x11, 0x11, 0x5A, 0x01, 0xBB}},
        AddressCase{"selection 2,3 .. 4,5", SelectionAddress(2, 3, 4, 5), {0xC6, 0x23, 0x45, 0x5A, 0x01, 0xBB}},
        // The full 15x15 wall produces exactly the whole-wall pair.
        AddressCase{"selection 1,1 .. 15,15", SelectionAddress(1, 1, 15, 15), {0xC6, 0x11, 0xFF, 0x5A, 0x01, 0xBB}},
        // A first screen at 15,15 yields 0xFF, the address-setup marker; it is sent as is.
        AddressCase{"selection from 15,15", SelectionAddress(15, 15, 15, 15), {0xC6, 0xFF, 0xFF, 0x5A, 0x01, 0xBB}},
        AddressCase{"no selection", SelectionAddress(0, 0, 0, 0), {0xC6, 0x00, 0x00, 0x5A, 0x01, 0xBB}},
        AddressCase{"one screen 3,2", OneScreenAddress(3, 2), {0xC6, 0x32, 0x32, 0x5A, 0x01, 0xBB}},
        AddressCase{"whole wall", kWholeWall, {0xC6, 0x11, 0xFF, 0x5A, 0x01, 0xBB}},
        AddressCase{"first screen", kFirstScreen, {0xC6, 0x11, 0x11, 0x5A, 0x01, 0xBB}},
        AddressCase{"broadcast", kBroadcast, {0xC6, 0x00, 0xFF, 0x5A, 0x01, 0xBB}},
        AddressCase{"unaddressed falls back to the first screen",
                    FirstScreenIfUnaddressed(SelectionAddress(0, 0, 0, 0)), {0xC6, 0x11, 0x11, 0x5A, 0x01, 0xBB}},
        AddressCase{"a real selection is kept by the fallback", FirstScreenIfUnaddressed(SelectionAddress(1, 2, 3, 4)),
                    {0xC6, 0x12, 0x34, 0x5A, 0x01, 0xBB}},
        // Out-of-range selections are not checked: only the low 8 bits of column*16+row survive.
        AddressCase{"column 16 wraps", SelectionAddress(16, 1, 17, 2), {0xC6, 0x01, 0x12, 0x5A, 0x01, 0xBB}}),
    CaseName<AddressCase>);

TEST(ScreenFrameTest, BroadcastPowerOnIsTheKnownFrame) {
  TFrameBytes expected{0xC6, 0x00, 0xFF, 0x10, 0x01, 0xBB};
  EXPECT_EQ(MakeScreenFrame(kBroadcast, scPower, 1).Bytes(), expected);
}

TEST(ScreenFrameTest, CommandAndValueKeepTheirLow8Bits) {
  TFrameBytes expected{0xC6, 0x11, 0x11, 0x34, 0xFF, 0xBB};
  EXPECT_EQ(MakeScreenFrame(kFirstScreen, 0x134, -1).Bytes(), expected);
  EXPECT_EQ(MakeScreenFrame(kFirstScreen, 0x34, 0x3FF).Bytes(), expected);
}

struct SetupCase {
  const char* what;
  TScreenFrame frame;
  TFrameBytes expected;
};

void PrintTo(const SetupCase& c, std::ostream* os) { *os << c.what; }

class AddressSetupTest : public ::testing::TestWithParam<SetupCase> {};

TEST_P(AddressSetupTest, Bytes) { EXPECT_EQ(GetParam().frame.Bytes(), GetParam().expected) << GetParam().what; }

INSTANTIATE_TEST_SUITE_P(
    Functions, AddressSetupTest,
    ::testing::Values(
        SetupCase{"sync", MakeSyncAddressFrame(), {0xC6, 0xFF, 0x1F, 0x01, 0x01, 0xBB}},
        SetupCase{"row 12", MakeSetRowFrame(12), {0xC6, 0xFF, 0x20, 0x0C, 0x01, 0xBB}},
        SetupCase{"column 7", MakeSetColumnFrame(7), {0xC6, 0xFF, 0x21, 0x07, 0x01, 0xBB}},
        SetupCase{"read serial", MakeReadSerialFrame(), {0xC6, 0xFF, 0x22, 0x00, 0x00, 0xBB}},
        SetupCase{"show address", MakeShowAddressFrame(), {0xC6, 0xFF, 0x24, 0x01, 0x01, 0xBB}},
        SetupCase{"serial 0x1234", MakeSetSerialFrame(0x1234), {0xC6, 0xFF, 0x23, 0x12, 0x34, 0xBB}},
        SetupCase{"serial 65535", MakeSetSerialFrame(65535), {0xC6, 0xFF, 0x23, 0xFF, 0xFF, 0xBB}},
        // 70000 div 256 = 273: only its low 8 bits (0x11) reach the screen.
        SetupCase{"serial 70000", MakeSetSerialFrame(70000), {0xC6, 0xFF, 0x23, 0x11, 0x70, 0xBB}}),
    CaseName<SetupCase>);

TEST(ScreenFrameTest, SixteenBitValuesSplitHighByteFirst) {
  struct {
    long long value;
    std::uint8_t high, low;
  } cases[] = {{0, 0, 0}, {255, 0x00, 0xFF}, {256, 0x01, 0x00}, {1920, 0x07, 0x80}, {65535, 0xFF, 0xFF}};
  for (const auto& c : cases) {
    EXPECT_EQ(HighByteOf(c.value), c.high) << c.value;
    EXPECT_EQ(LowByteOf(c.value), c.low) << c.value;
  }
}

TEST(ScreenFrameTest, RoutingFrame) {
  TFrameBytes route{0xD6, 0x11, 0x22, 0x01, 0x05, 0xD6};
  EXPECT_EQ(MakeRoutingFrame(SelectionAddress(1, 1, 2, 2), 0x01, 5), route);
  TFrameBytes single{0xD6, 0x34, 0x34, 0x00, 0x10, 0xD6};
  EXPECT_EQ(MakeRoutingFrame(OneScreenAddress(3, 4), 0x00, 16), single);
}

}  // namespace
