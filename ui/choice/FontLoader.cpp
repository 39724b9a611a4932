#include "ui/choice/FontLoader.h"

#include <cstring>
#include <mutex>

#include "platform/gdi/Gdi.h"

using namespace win;

namespace {

std::mutex gEnumerationMutex;
TcxFontEnumeration gEnumeration;

struct PlatformVisit {
  const std::function<bool(const TcxEnumeratedFont&)>* Visit;
};

int EnumFontFamilyCallback(const LOGFONTA* Font, const TEXTMETRICA*, DWORD FontType, LPARAM Param) {
  auto* visit = reinterpret_cast<PlatformVisit*>(Param);
  TcxEnumeratedFont f;
  f.FaceName = String(Font->lfFaceName, strnlen(Font->lfFaceName, LF_FACESIZE));
  f.FontType = FontType;
  f.CharSet = Font->lfCharSet;
  f.PitchAndFamily = Font->lfPitchAndFamily;
  return (*visit->Visit)(f) ? 1 : 0;
}

// The platform's enumeration needs no device context; the window system's handles belong to the
// interface thread, so the loader asks for none.
void PlatformEnumeration(const std::function<bool(const TcxEnumeratedFont&)>& Visit) {
  LOGFONTA filter;
  filter.lfCharSet = DEFAULT_CHARSET;
  PlatformVisit visit{&Visit};
  EnumFontFamiliesEx(nullptr, &filter, EnumFontFamilyCallback, reinterpret_cast<LPARAM>(&visit), 0);
}

// A face name is at most 32 characters long.
String FirstCodePoints(const String& Text, std::size_t Count) {
  std::size_t i = 0;
  for (std::size_t n = 0; i < Text.size() && n < Count; ++n) {
    ++i;
    while (i < Text.size() && (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80) ++i;
  }
  return Text.substr(0, i);
}

TcxFontEnumeration CurrentEnumeration() {
  std::lock_guard lock(gEnumerationMutex);
  return gEnumeration ? gEnumeration : TcxFontEnumeration(PlatformEnumeration);
}

}  // namespace

TcxFontTypes FontTypesFromFlags(int Flags) {
  TcxFontTypes types;
  if (Flags & cxffTrueType) types.Include(cxftTTF);
  if (Flags & cxffRaster) types.Include(cxftRaster);
  if (Flags & cxffDevice) types.Include(cxftDevice);
  if (Flags & cxffFixed) types.Include(cxftFixed);
  if (Flags & cxffSymbol) types.Include(cxftSymbol);
  return types;
}

bool FontPassesFilter(TcxFontTypes Types, const TcxEnumeratedFont& Font) {
  return (Types.Contains(cxftTTF) && (Font.FontType & TRUETYPE_FONTTYPE)) ||
         (Types.Contains(cxftDevice) && (Font.FontType & DEVICE_FONTTYPE)) ||
         (Types.Contains(cxftRaster) && (Font.FontType & RASTER_FONTTYPE)) ||
         (Types.Contains(cxftFixed) && (Font.PitchAndFamily & 1)) ||
         (Types.Contains(cxftSymbol) && Font.CharSet == SYMBOL_CHARSET);
}

int FontFlagsOf(const TcxEnumeratedFont& Font) {
  int flags = static_cast<int>(Font.FontType);
  if (Font.CharSet == SYMBOL_CHARSET) flags |= cxffSymbol;
  // Only a pitch-and-family byte of exactly 1 counts as fixed pitch, as the list has always read it.
  if (Font.PitchAndFamily == 1) flags |= cxffFixed;
  return flags;
}

void SetFontEnumeration(TcxFontEnumeration Enumeration) {
  std::lock_guard lock(gEnumerationMutex);
  gEnumeration = std::move(Enumeration);
}

TcxFontLoader::TcxFontLoader(TcxFontTypes AFontTypes)
    : TThread(true), FFontTypes(AFontTypes), FEnumeratedFonts(std::make_unique<TStringList>()) {
  ++FLiveCount;
  SetFreeOnTerminate(true);
}

TcxFontLoader::~TcxFontLoader() {
  // The handlers are read on the interface thread, where they are also cleared.
  Synchronize([this] {
    if (OnCompleted) OnCompleted(this);
  });
  FEnumeratedFonts.reset();
  Synchronize([this] {
    if (OnDestroy) OnDestroy(this);
  });
  --FLiveCount;
}

void TcxFontLoader::Execute() {
  TStringList* list = FEnumeratedFonts.get();
  list->BeginUpdate();
  try {
    list->Clear();
    CurrentEnumeration()([&](const TcxEnumeratedFont& Font) {
      const String name = FirstCodePoints(Font.FaceName, 32);
      if (list->IndexOf(name) < 0 && FontPassesFilter(FFontTypes, Font))
        list->AddObject(name, FontFlagsAsObject(FontFlagsOf(Font)));
      return !Terminated();
    });
    list->Sort();
  } catch (...) {
    list->EndUpdate();
    throw;
  }
  list->EndUpdate();
}
