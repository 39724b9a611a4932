#pragma once
// The worker that lists the installed font faces for the font-name combo box. It enumerates the
// fonts on its own thread, keeps the first entry of each face that passes its type filter, sorts
// the names (ignoring case) and frees itself; on the way out it hands its list to the interface
// thread through two synchronized calls (OnCompleted, then OnDestroy), each skipped when cleared
// there. Whoever abandons a loader clears its handlers and terminates it; it never waits for it.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/classes/Strings.h"
#include "platform/classes/Thread.h"

VW_ENUM(TcxFontType, cxftTTF, cxftRaster, cxftDevice, cxftFixed, cxftSymbol)
using TcxFontTypes = TSet<TcxFontType>;

// The flag bits kept with each face name: the font type (raster 1, device 2, TrueType 4), a symbol
// character set and a fixed pitch.
inline constexpr int cxffRaster = 1;
inline constexpr int cxffDevice = 2;
inline constexpr int cxffTrueType = 4;
inline constexpr int cxffSymbol = 0x100;
inline constexpr int cxffFixed = 0x200;

TcxFontTypes FontTypesFromFlags(int Flags);
inline TcxFontTypes AllFontTypes() { return TcxFontTypes{cxftTTF, cxftRaster, cxftDevice, cxftFixed, cxftSymbol}; }

// One font as the enumeration reports it.
struct TcxEnumeratedFont {
  String FaceName;
  std::uint32_t FontType = 0;
  std::uint8_t CharSet = 0;
  std::uint8_t PitchAndFamily = 0;
};

bool FontPassesFilter(TcxFontTypes Types, const TcxEnumeratedFont& Font);
// The flags a face is listed with.
int FontFlagsOf(const TcxEnumeratedFont& Font);

// Calls Visit once per enumerated font until Visit answers false. Runs on the loader's thread.
using TcxFontEnumeration = std::function<void(const std::function<bool(const TcxEnumeratedFont&)>& Visit)>;
// The platform lists scalable faces only, all as outline fonts; tests put raster, device, fixed and
// symbol entries in its place. An empty enumeration restores the platform's.
void SetFontEnumeration(TcxFontEnumeration Enumeration);

class TcxFontLoader : public TThread {
  VW_CLASS(TcxFontLoader, TThread)
 public:
  // Created suspended and freeing itself: assign the handlers, then Start.
  explicit TcxFontLoader(TcxFontTypes AFontTypes);
  ~TcxFontLoader() override;

  TcxFontTypes FontTypes() const { return FFontTypes; }
  // The face names with their flags as objects; filled on the loader's thread, read by the handlers.
  TStringList* EnumeratedFonts() const { return FEnumeratedFonts.get(); }

  // Set and cleared on the interface thread only; called there, with the loader as Sender.
  TNotifyEvent OnCompleted;
  TNotifyEvent OnDestroy;

  // Loaders not yet gone, for shutting down cleanly and for the tests.
  static int LiveCount() { return FLiveCount.load(); }

 protected:
  void Execute() override;

 private:
  static inline std::atomic<int> FLiveCount{0};
  TcxFontTypes FFontTypes;
  std::unique_ptr<TStringList> FEnumeratedFonts;
};

inline TObject* FontFlagsAsObject(int Flags) { return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(Flags)); }
inline int FontFlagsOfObject(TObject* Object) { return static_cast<int>(reinterpret_cast<std::intptr_t>(Object)); }
