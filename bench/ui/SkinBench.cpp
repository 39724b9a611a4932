// Skin elements: a stretched element with margins drawn directly and through its cache, against
// filling the same area; and reading a whole skin and resolving its lookup table (a synthetic
// skin of 300 elements, and the built-in "Foggy"), against only reading its bytes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Startup.h"
#include "ui/foundation/GPImage.h"
#include "ui/foundation/PNGImage.h"
#include "ui/skins/SkinInfo.h"

namespace {

void StartSkins() {
  static bool started = [] {
    platform::StartPlatform();
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    SkinUnitStartup();
    return IsGdiPlusAvailable();
  }();
  if (!started) std::abort();
}

// An opaque texture of Width x Height with a shaded face.
void SetFace(TdxSkinImage* Image, int Width, int Height) {
  TRGBColors px(static_cast<std::size_t>(Width) * Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const auto v = static_cast<win::BYTE>(160 + (y * 80) / Height + (x % 3));
      px[static_cast<std::size_t>(y * Width + x)] = TRGBQuad{v, v, static_cast<win::BYTE>(v - 20), 255};
    }
  Image->Texture()->SetImage(GPImageClass()->CreateFromBits(Width, Height, px, true));
}

struct Scene {
  Scene() {
    StartSkins();
    element = skin.AddGroup("Common")->AddElement("Button");
    element->Image()->SetStates(StateBit(esNormal) | StateBit(esHot));
    element->Image()->Margins()->AssignRect({4, 4, 4, 4});
    SetFace(element->Image(), 40, 20);
    target.SetPixelFormat(pf32bit);
    target.SetSize(100, 24);
  }
  TdxSkin skin{"Bench"};
  TdxSkinElement* element;
  TBitmap target;
};

void BM_SkinElementDraw(benchmark::State& state) {
  Scene s;
  s.element->SetUseCache(state.range(0) != 0);
  for (auto _ : state) {
    s.element->DrawOnDC(s.target.Canvas()->Handle(), {0, 0, 100, 24}, 0, esNormal);
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(0) ? "cached" : "uncached");
}
BENCHMARK(BM_SkinElementDraw)->Arg(0)->Arg(1);

void BM_FillRectSameArea(benchmark::State& state) {
  Scene s;
  win::HBRUSH brush = win::CreateSolidBrush(0xC0C0C0);
  const win::RECT r{0, 0, 100, 24};
  for (auto _ : state) {
    win::FillRect(s.target.Canvas()->Handle(), &r, brush);
    benchmark::ClobberMemory();
  }
  win::DeleteObject(brush);
}
BENCHMARK(BM_FillRectSameArea);

// A synthetic full skin: the thirteen groups and 300 elements of three states with 24 x 24
// faces, colours and a few properties.
const std::vector<std::uint8_t>& SyntheticSkin() {
  static const std::vector<std::uint8_t> bytes = [] {
    StartSkins();
    TdxSkin skin("Synthetic");
    static const char* const groups[13] = {"Bars",  "Common",      "Docking",   "Editors",      "Ribbon",
                                           "Form",  "Grid",        "PageControl", "Scheduler", "VerticalGrid",
                                           "NavBar", "NavPane",    "PrintingSystem"};
    for (int c = 0; c < 13; ++c) skin.Colors()->AddColor("Colour" + std::to_string(c), 0x00808080 + c);
    for (int i = 0; i < 300; ++i) {
      TdxSkinControlGroup* g = skin.GroupByName(groups[i % 13]);
      if (!g) g = skin.AddGroup(groups[i % 13]);
      TdxSkinElement* e = g->AddElement("Element" + std::to_string(i));
      e->Image()->SetStates(StateBit(esNormal) | StateBit(esHot) | StateBit(esPressed));
      e->Image()->Margins()->AssignRect({3, 3, 3, 3});
      SetFace(e->Image(), 72, 24);
      e->SetTextColor(0x00202020);
      e->Properties()->AddColor("TextColorHot", 0x00000080);
    }
    TMemoryStream stream;
    skin.SaveToStream(&stream);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stream.Size()));
    stream.SetPosition(0);
    stream.ReadBuffer(out.data(), static_cast<std::int32_t>(out.size()));
    return out;
  }();
  return bytes;
}

// The built-in skin the consoles start with.
const std::vector<std::uint8_t>& FoggySkin() {
  static const std::vector<std::uint8_t> bytes = [] {
    StartSkins();
    TResourceStream stream(win::GetModuleHandle(nullptr), "FOGGY", "DXSKINS");
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stream.Size()));
    stream.ReadBuffer(out.data(), static_cast<std::int32_t>(out.size()));
    return out;
  }();
  return bytes;
}

const std::vector<std::uint8_t>& BenchSkin(int Which) { return Which == 0 ? SyntheticSkin() : FoggySkin(); }

void BM_SkinReadAndResolve(benchmark::State& state) {
  const auto& bytes = BenchSkin(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
    auto* skin = new TdxSkin("Synthetic");
    skin->LoadFromStream(&stream);
    TdxSkinInfo info(skin);
    benchmark::DoNotOptimize(info.CommonButton);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  state.SetLabel(state.range(0) == 0 ? "synthetic" : "Foggy");
}
BENCHMARK(BM_SkinReadAndResolve)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SkinBytesOnly(benchmark::State& state) {
  const auto& bytes = BenchSkin(static_cast<int>(state.range(0)));
  std::vector<std::uint8_t> copy(bytes.size());
  for (auto _ : state) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    stream.SetPosition(0);
    stream.ReadBuffer(copy.data(), static_cast<std::int32_t>(copy.size()));
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  state.SetLabel(state.range(0) == 0 ? "synthetic" : "Foggy");
}
BENCHMARK(BM_SkinBytesOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
