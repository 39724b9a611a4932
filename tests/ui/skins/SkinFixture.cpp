#include "tests/ui/skins/SkinFixture.h"

#include <cstring>

#include "platform/gdiplus/GdiPlus.h"
#include "platform/win/Startup.h"
#include "ui/foundation/GPImage.h"
#include "ui/foundation/GdiPlusApi.h"

namespace skintest {

void SkinTest::SetUp() {
  platform::StartPlatform();
  platform::RegisterGdiPlusModule();
  GdiPlusUnitStartup();
  PNGImageUnitStartup();
  SkinUnitStartup();
}

void SkinTest::TearDown() {
  SkinUnitShutdown();
  PNGImageUnitShutdown();
  GdiPlusUnitShutdown();
}

void SetTexture(TdxSkinImage* Image, int Width, int Height, const std::vector<std::uint32_t>& Pixels) {
  TRGBColors bits(Pixels.size());
  std::memcpy(static_cast<void*>(bits.data()), Pixels.data(), Pixels.size() * 4);
  Image->Texture()->SetImage(GPImageClass()->CreateFromBits(Width, Height, bits, true));
}

std::vector<std::uint8_t> BytesOf(TStream* Stream) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(Stream->Size()));
  Stream->SetPosition(0);
  if (!out.empty()) Stream->ReadBuffer(out.data(), static_cast<std::int32_t>(out.size()));
  return out;
}

std::vector<std::uint8_t> SaveSkin(TdxSkin* Skin) {
  TMemoryStream stream;
  Skin->SaveToStream(&stream);
  return BytesOf(&stream);
}

TdxSkin* LoadSkin(const std::vector<std::uint8_t>& Data) {
  TMemoryStream stream;
  if (!Data.empty()) stream.WriteBuffer(Data.data(), static_cast<std::int32_t>(Data.size()));
  stream.SetPosition(0);
  auto* skin = new TdxSkin("Loaded");
  try {
    skin->LoadFromStream(&stream);
  } catch (...) {
    delete skin;
    throw;
  }
  return skin;
}

Bytes& Bytes::i32(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  return *this;
}

Bytes& Bytes::f64(double v) {
  std::uint8_t raw8[8];
  std::memcpy(raw8, &v, 8);
  b.insert(b.end(), raw8, raw8 + 8);
  return *this;
}

std::vector<std::uint8_t> TinySkin(const std::string& Name, const std::string& DisplayName, double Version) {
  Bytes s;
  s.header(Version).ansi(Name);
  s.i32(1);
  if (Version >= 0.92) s.ansi("TdxSkinColor");
  s.ansi("ContentColor").i32(0x00FFFFFF);
  s.i32(1).ansi("TdxSkinStringProperty").ansi("DisplayName").ansi(DisplayName);
  s.i32(0);
  return s.b;
}

}  // namespace skintest
