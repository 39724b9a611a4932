#pragma once
// The skin unit started as the program starts it, and small builders for skins, textures and the
// bytes of skin streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/system/Modules.h"
#include "ui/foundation/PNGImage.h"
#include "ui/skins/Skin.h"

namespace skintest {

class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  platform::ScopedModuleOverrides modules;
};

// Pixels are 0xAARRGGBB, top row first, opaque unless given otherwise.
void SetTexture(TdxSkinImage* Image, int Width, int Height, const std::vector<std::uint32_t>& Pixels);
std::vector<std::uint8_t> BytesOf(TStream* Stream);
std::vector<std::uint8_t> SaveSkin(TdxSkin* Skin);
// Loads the bytes into a new skin named "Loaded".
TdxSkin* LoadSkin(const std::vector<std::uint8_t>& Bytes);
// The message of whatever the call raises; empty when it raises nothing.
template <class F>
std::string ErrorOf(F&& Call) {
  try {
    Call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return std::string();
}

// The five states a button state maps to, in the order of their image frames.
inline const TdxSkinElementState kProbeStates[] = {esNormal, esHot, esPressed, esDisabled, esActive};
inline constexpr int kFrame = 9;  // odd, so that every centre is a pixel

// Every frame of a probe element is one opaque colour: red = the element's number, green = image
// index * 16 + element state, blue = 0x5A. Which element, picture and state drew a pixel reads
// straight from it.
inline std::uint32_t ProbeCode(int Element, int Index, TdxSkinElementState State) {
  return (static_cast<std::uint32_t>(Element) << 16) | (static_cast<std::uint32_t>(Index * 16 + State) << 8) | 0x5A;
}

struct ProbeSkin {
  TdxSkin* Skin = new TdxSkin("Probe");
  std::map<std::string, int> Numbers;
  // The states each new element's image holds, in the order of the state values.
  std::vector<TdxSkinElementState> States{std::begin(kProbeStates), std::end(kProbeStates)};

  TdxSkinElement* Add(const char* Group, const char* Name, int Images) {
    const int number = static_cast<int>(Numbers.size()) + 1;
    Numbers[std::string(Group) + "/" + Name] = number;
    TdxSkinControlGroup* g = Skin->GroupByName(Group);
    if (!g) g = Skin->AddGroup(Group);
    TdxSkinElement* e = g->AddElement(Name);
    e->SetImageCount(Images);
    TdxSkinElementStates states = 0;
    for (TdxSkinElementState s : States) states |= StateBit(s);
    e->Image()->SetStates(states);
    const int n = static_cast<int>(States.size());
    const int frames = Images * n;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(frames * kFrame * kFrame));
    for (int f = 0; f < frames; ++f)
      for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x)
          px[static_cast<std::size_t>(y * frames * kFrame + f * kFrame + x)] =
              0xFF000000u | ProbeCode(number, f / n, States[static_cast<std::size_t>(f % n)]);
    SetTexture(e->Image(), frames * kFrame, kFrame, px);
    e->Image()->Margins()->AssignRect({1, 3, 1, 3});
    e->ContentOffset()->AssignRect({3, 1, 5, 3});
    e->SetTextColor(static_cast<TColor>(0x0000C0 + number));
    e->SetColor(static_cast<TColor>(0x00C000 + number));
    return e;
  }
  std::uint32_t Code(const char* Path, int Index, TdxSkinElementState State) {
    return ProbeCode(Numbers.at(Path), Index, State);
  }
};

// Little-endian bytes in the skin stream's encodings.
struct Bytes {
  std::vector<std::uint8_t> b;
  Bytes& i32(std::int32_t v);
  Bytes& u8(std::uint8_t v) {
    b.push_back(v);
    return *this;
  }
  Bytes& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8)); }
  Bytes& f64(double v);
  Bytes& raw(const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& ansi(const std::string& s) { return i32(static_cast<std::int32_t>(s.size())).raw(s); }
  Bytes& rect(int l, int t, int r, int bo) { return i32(l).i32(t).i32(r).i32(bo); }
  Bytes& header(double version) { return i32(6).raw("dxSkin").f64(version); }
  Bytes& append(const std::vector<std::uint8_t>& more) {
    b.insert(b.end(), more.begin(), more.end());
    return *this;
  }
};

// A skin stream of the given version with one colour, one string property "DisplayName" and no
// groups.
std::vector<std::uint8_t> TinySkin(const std::string& Name, const std::string& DisplayName, double Version = 1.03);

}  // namespace skintest
