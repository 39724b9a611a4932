#pragma once
// The skin unit started as the program starts it, and small builders for skins, textures and the
// bytes of skin streams.
#include <gtest/gtest.h>

#include <cstdint>
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
