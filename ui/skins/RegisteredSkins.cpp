#include "ui/skins/RegisteredSkins.h"

#include "platform/system/Modules.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/LookAndFeel.h"

void TdxSkinUserLookAndFeelPainterInfo::SkinChanged(TdxSkin* ASkin) {
  TdxSkinLookAndFeelPainterInfo::SkinChanged(ASkin);
  // Building a table always reports a change, also while the look-and-feel unit has not made the
  // root yet or has already freed it.
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->NotifyAllChanged();
}

namespace {

// One skin module: what it registers, and the table it made.
struct TSkinModule {
  const char* RegisteredName;
  // The skin is made under this name; its resource is found by it in any letter case.
  const char* SkinName;
  const char* UnitName;
  bool UserSkin;
  const TdxSkinLookAndFeelPainter* (*Painter)();
  TdxSkinLookAndFeelPainterInfo* Table;
};

TSkinModule gModules[] = {
    {"Black", "Black", "dxSkinBlack", false, [] { return static_cast<const TdxSkinLookAndFeelPainter*>(BlackPainter()); }, nullptr},
    {"Blue", "Blue", "dxSkinBlue", false, [] { return static_cast<const TdxSkinLookAndFeelPainter*>(BluePainter()); }, nullptr},
    {"Foggy", "Foggy", "dxSkinFoggy", false, [] { return static_cast<const TdxSkinLookAndFeelPainter*>(FoggyPainter()); }, nullptr},
    {"LiquidSky", "LiquidSky", "dxSkinLiquidSky", false,
     [] { return static_cast<const TdxSkinLookAndFeelPainter*>(LiquidSkyPainter()); }, nullptr},
    {"Silver", "Silver", "dxSkinSilver", false, [] { return static_cast<const TdxSkinLookAndFeelPainter*>(SilverPainter()); }, nullptr},
    {"UserSkin", "DefaultUserSkinData", "dxSkinsDefaultPainters", true,
     [] { return static_cast<const TdxSkinLookAndFeelPainter*>(SkinsUserSkinPainter()); }, nullptr},
};
constexpr int kModuleCount = sizeof(gModules) / sizeof(gModules[0]);
enum { kBlack, kBlue, kFoggy, kLiquidSky, kSilver, kUserSkin };

template <int N>
void StartSkinModule() {
  TSkinModule& m = gModules[N];
  if (m.Table || !IsGdiPlusAvailable()) return;
  // The stream is read at once; a damaged resource raises out of here.
  auto* skin = new TdxSkin(m.SkinName, win::GetModuleHandle(nullptr), true);
  // The table owns the skin from here on, also when making it fails.
  TdxSkinLookAndFeelPainterInfo* table =
      m.UserSkin ? new TdxSkinUserLookAndFeelPainterInfo(skin) : new TdxSkinLookAndFeelPainterInfo(skin);
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  if (!registry || !registry->RegisterPainter(m.RegisteredName, m.Painter(), table)) {
    // A name taken already (or no registry to keep it): this module's table is nobody's.
    TObject::Free(table);
    return;
  }
  m.Table = table;
}

template <int N>
void EndSkinModule() {
  TSkinModule& m = gModules[N];
  if (!m.Table) return;
  m.Table = nullptr;
  if (TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry()) registry->UnregisterPainter(m.RegisteredName);
}

struct TModuleProcs {
  TdxUnitProc Start, End;
};
const TModuleProcs kProcs[kModuleCount] = {
    {StartSkinModule<0>, EndSkinModule<0>}, {StartSkinModule<1>, EndSkinModule<1>},
    {StartSkinModule<2>, EndSkinModule<2>}, {StartSkinModule<3>, EndSkinModule<3>},
    {StartSkinModule<4>, EndSkinModule<4>}, {StartSkinModule<5>, EndSkinModule<5>},
};

}  // namespace

#define VW_DEFINE_SKIN_PAINTER(Class, Index)                                                      \
  TdxSkinLookAndFeelPainterInfo* Class::SkinPainterInfo() const { return gModules[Index].Table; } \
  String Class::SkinUnitName() const { return gModules[Index].UnitName; }                         \
  const Class* Class##Instance() {                                                                \
    static const Class instance;                                                                  \
    return &instance;                                                                             \
  }
VW_DEFINE_SKIN_PAINTER(TdxFoggyPainter, kFoggy)
VW_DEFINE_SKIN_PAINTER(TdxBlackPainter, kBlack)
VW_DEFINE_SKIN_PAINTER(TdxBluePainter, kBlue)
VW_DEFINE_SKIN_PAINTER(TdxLiquidSkyPainter, kLiquidSky)
VW_DEFINE_SKIN_PAINTER(TdxSilverPainter, kSilver)
VW_DEFINE_SKIN_PAINTER(TdxSkinsUserSkinPainter, kUserSkin)
#undef VW_DEFINE_SKIN_PAINTER

const TdxFoggyPainter* FoggyPainter() { return TdxFoggyPainterInstance(); }
const TdxBlackPainter* BlackPainter() { return TdxBlackPainterInstance(); }
const TdxBluePainter* BluePainter() { return TdxBluePainterInstance(); }
const TdxLiquidSkyPainter* LiquidSkyPainter() { return TdxLiquidSkyPainterInstance(); }
const TdxSilverPainter* SilverPainter() { return TdxSilverPainterInstance(); }
const TdxSkinsUserSkinPainter* SkinsUserSkinPainter() { return TdxSkinsUserSkinPainterInstance(); }

void RegisteredSkinsUnitStartup() {
  for (const TModuleProcs& p : kProcs) UnitsLoaderInstance()->AddUnitProcs(p.Start, p.End);
}

void RegisteredSkinsUnitShutdown() {
  for (int i = kModuleCount; i-- > 0;) UnitsLoaderInstance()->RemoveUnitProc(kProcs[i].End);
}
