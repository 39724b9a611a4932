#include "ui/bars/Xmas2008BluePainter.h"

#include "platform/system/Modules.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/GdiPlusApi.h"

namespace {

// The unit's tables, one entry each, walked by index.
const char* const kSkinNames[] = {"Xmas2008Blue"};
const TdxSkinLookAndFeelPainter* const kPainters[] = {Xmas2008BluePainter()};
TdxSkinLookAndFeelPainterInfo* gInfos[] = {nullptr};
constexpr int kCount = 1;

int gStartCount = 0;

void LoadSkins() {
  if (!IsGdiPlusAvailable()) return;
  for (int i = 0; i < kCount; ++i) {
    // The info owns the skin from here on, also when making it fails.
    auto* info = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(kSkinNames[i], win::GetModuleHandle(nullptr), true));
    TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
    if (!registry || !registry->RegisterPainter(kSkinNames[i], kPainters[i], info)) {
      // The name is taken (or nothing keeps it): this table is nobody's.
      TObject::Free(info);
      continue;
    }
    gInfos[i] = info;
  }
}

// The table of an entry while the registry still holds it. Whoever unregisters the name frees the
// table, so a slot the registry no longer agrees with is cleared instead of answered.
TdxSkinLookAndFeelPainterInfo* RegisteredInfo(int i) {
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  TObject* info = nullptr;
  if (gInfos[i] && (!registry || !registry->InfoOfPainter(kPainters[i], info) || info != gInfos[i])) gInfos[i] = nullptr;
  return gInfos[i];
}

void UnloadSkins() {
  for (int i = 0; i < kCount; ++i) {
    if (!RegisteredInfo(i)) continue;
    // The registry frees the info with its entry; nothing answers with it afterwards.
    gInfos[i] = nullptr;
    if (TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry()) registry->UnregisterPainter(kSkinNames[i]);
  }
}

}  // namespace

TdxSkinLookAndFeelPainterInfo* TdxXmas2008BluePainter::SkinPainterInfo() const { return RegisteredInfo(0); }

const TdxXmas2008BluePainter* Xmas2008BluePainter() {
  static const TdxXmas2008BluePainter instance;
  return &instance;
}

void Xmas2008BlueSkinUnitStartup() {
  if (gStartCount++ == 0) UnitsLoaderInstance()->AddUnitProcs(LoadSkins, UnloadSkins);
}

void Xmas2008BlueSkinUnitShutdown() {
  if (gStartCount == 0) return;
  if (--gStartCount == 0) UnitsLoaderInstance()->RemoveUnitProc(UnloadSkins);
}
