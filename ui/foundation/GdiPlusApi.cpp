#include "ui/foundation/GdiPlusApi.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/Streams.h"
#include "platform/system/Modules.h"
#include "platform/win/Clipboard.h"

#define VW_GDIPLUS_DEFINE(name) decltype(&win::name) name = nullptr;
VW_GDIPLUS_ENTRIES(VW_GDIPLUS_DEFINE)
#undef VW_GDIPLUS_DEFINE

win::NotificationHookProc GdiPlusNotificationHook = nullptr;
win::NotificationUnhookProc GdiPlusNotificationUnhook = nullptr;
win::CLSID PngEncoderClsid;

const TResStringRec dxSGdipInvalidOperation{"Invalid operation in GDI+ (Code: %d)"};

namespace {

win::HMODULE FGdiPlusLibrary = nullptr;
bool FGdiPlusLoaded = false;
bool FGdiPlusAvailable = false;
win::ULONG_PTR FGdiPlusToken = 0;
win::ULONG_PTR FGdiPlusHookToken = 0;

void ClearEntries() {
#define VW_GDIPLUS_CLEAR(name) name = nullptr;
  VW_GDIPLUS_ENTRIES(VW_GDIPLUS_CLEAR)
#undef VW_GDIPLUS_CLEAR
}

void MarkGdiPlusNotLoaded() { FGdiPlusLoaded = false; }

TdxUnitsLoader* FUnitsLoader = nullptr;
// Initialize procedures have run: the finalize procedures must run at the end.
bool FUnitsArmed = false;

}  // namespace

const std::vector<const char*>& GdiPlusEntryNames() {
#define VW_GDIPLUS_NAME(name) #name,
  static const std::vector<const char*> names{VW_GDIPLUS_ENTRIES(VW_GDIPLUS_NAME)};
#undef VW_GDIPLUS_NAME
  return names;
}

bool IsGdiPlusAvailable() {
  if (!FGdiPlusLoaded) {
    FGdiPlusLoaded = true;
    LoadGdiPlus();
  }
  return FGdiPlusAvailable;
}

void LoadGdiPlus() {
  FGdiPlusAvailable = false;
  win::UINT oldMode = win::SetErrorMode(win::SEM_NOOPENFILEERRORBOX);
  if (!FGdiPlusLibrary) FGdiPlusLibrary = win::LoadLibrary("gdiplus.dll");
  win::SetErrorMode(oldMode);
  if (!FGdiPlusLibrary) return;

  // The first missing entry ends the binding; those after it stay unbound.
  bool bound = true;
#define VW_GDIPLUS_BIND(name)                                                                        \
  if (bound) {                                                                                      \
    name = reinterpret_cast<decltype(name)>(win::GetProcAddress(FGdiPlusLibrary, #name));           \
    bound = name != nullptr;                                                                        \
  }
  VW_GDIPLUS_ENTRIES(VW_GDIPLUS_BIND)
#undef VW_GDIPLUS_BIND
  if (!bound) return;

  win::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = win::TRUE;
  input.SuppressExternalCodecs = win::FALSE;
  win::GdiplusStartupOutput output;
  win::GpStatus status = GdiplusStartup(&FGdiPlusToken, &input, &output);
  if (status == win::Ok) {
    GdiPlusNotificationHook = output.NotificationHook;
    GdiPlusNotificationUnhook = output.NotificationUnhook;
    status = GdiPlusNotificationHook ? GdiPlusNotificationHook(&FGdiPlusHookToken) : win::GenericError;
    // A start-up left without its hook would never be shut down.
    if (status != win::Ok) GdiplusShutdown(FGdiPlusToken);
  }
  if (status != win::Ok) {
    GdiPlusNotificationHook = nullptr;
    GdiPlusNotificationUnhook = nullptr;
    FGdiPlusToken = 0;
    return;
  }
  FGdiPlusAvailable = true;
}

void UnloadGdiPlus() {
  if (FGdiPlusAvailable) {
    if (GdiPlusNotificationUnhook) GdiPlusNotificationUnhook(FGdiPlusHookToken);
    GdiplusShutdown(FGdiPlusToken);
  }
  if (FGdiPlusLibrary) win::FreeLibrary(FGdiPlusLibrary);
  FGdiPlusLibrary = nullptr;
  FGdiPlusAvailable = false;
  FGdiPlusLoaded = false;
  FGdiPlusToken = FGdiPlusHookToken = 0;
  GdiPlusNotificationHook = nullptr;
  GdiPlusNotificationUnhook = nullptr;
  // The module is gone: nothing may call into it through a stale entry.
  ClearEntries();
}

// ---- units loader ----

TdxUnitsLoader::~TdxUnitsLoader() { RunFinalizers(); }

void TdxUnitsLoader::AddUnitProcs(TdxUnitProc InitProc, TdxUnitProc FinalProc) {
  if (InitProc) {
    FUnitsArmed = true;
    InitProc();
  }
  if (FinalProc) FFinalizeProcs.push_back(FinalProc);
}

void TdxUnitsLoader::RemoveUnitProc(TdxUnitProc FinalProc) {
  auto it = std::find(FFinalizeProcs.begin(), FFinalizeProcs.end(), FinalProc);
  if (it == FFinalizeProcs.end()) return;
  FFinalizeProcs.erase(it);
  FinalProc();
}

void TdxUnitsLoader::RunFinalizers() {
  if (FUnitsArmed) {
    // Each procedure leaves the list before it runs, so one that removes another (or itself)
    // cannot make the walk run anything twice.
    while (!FFinalizeProcs.empty()) {
      TdxUnitProc proc = FFinalizeProcs.back();
      FFinalizeProcs.pop_back();
      proc();
    }
  }
  FUnitsArmed = false;
  FFinalizeProcs.clear();
}

TdxUnitsLoader* UnitsLoaderInstance() {
  if (!FUnitsLoader) FUnitsLoader = new TdxUnitsLoader();
  return FUnitsLoader;
}

void GdiPlusUnitStartup() { UnitsLoaderInstance()->AddUnitProcs(MarkGdiPlusNotLoaded, UnloadGdiPlus); }

void GdiPlusUnitShutdown() { FreeAndNil(FUnitsLoader); }

// ---- objects ----

namespace {

// Each block remembers the GdipFree of the module that gave it, so that an object outliving an
// unload still goes back where it came from.
struct alignas(std::max_align_t) TdxGPBlockHeader {
  decltype(&win::GdipFree) Free;
};

}  // namespace

void* TdxGPBase::operator new(std::size_t Size) {
  if (!GdipAlloc || !GdipFree) throw EdxGdipException(win::GdiplusNotInitialized);
  void* p = GdipAlloc(Size + sizeof(TdxGPBlockHeader));
  if (!p) throw EdxGdipException(win::OutOfMemory);
  static_cast<TdxGPBlockHeader*>(p)->Free = GdipFree;
  return static_cast<TdxGPBlockHeader*>(p) + 1;
}

void TdxGPBase::operator delete(void* Ptr) {
  if (!Ptr) return;
  TdxGPBlockHeader* header = static_cast<TdxGPBlockHeader*>(Ptr) - 1;
  header->Free(header);
}

EdxGdipException::EdxGdipException(win::GpStatus AStatus)
    : EdxException(Format(GetLocalizedResString(dxSGdipInvalidOperation), static_cast<int>(AStatus))),
      Status(AStatus) {}

win::GpStatus CheckGdipStatus(win::GpStatus Status) {
  if (Status != win::Ok) throw EdxGdipException::CreateForStatus(Status);
  return win::Ok;
}

void CheckGdipSuccess(bool Flag) {
  if (!Flag) throw EdxGdipException(win::InvalidParameter);
}

win::ARGB ColorToGPColor(TColor Colour, win::BYTE Alpha) {
  if (Colour == clNone) return 0;
  win::COLORREF c = ColorToRGB(Colour);
  return (static_cast<win::ARGB>(Alpha) << 24) | (static_cast<win::ARGB>(win::GetRValue(c)) << 16) |
         (static_cast<win::ARGB>(win::GetGValue(c)) << 8) | win::GetBValue(c);
}

win::GpRect MakeGPRect(int X, int Y, int Width, int Height) { return win::GpRect{X, Y, Width, Height}; }

win::GpBitmap* NewGPBitmap(int Width, int Height) {
  win::GpBitmap* b = nullptr;
  CheckGdipStatus(GdipCreateBitmapFromScan0(Width, Height, 0, win::PixelFormat32bppPARGB, nullptr, &b));
  return b;
}

win::GpBitmap* CreateGPBitmapForRect(const win::RECT& R) { return NewGPBitmap(R.right - R.left, R.bottom - R.top); }

win::GpBitmap* GPBitmapFromStreamObject(TStream* Source) {
  if (!IsGdiPlusAvailable()) return nullptr;
  std::int64_t size = Source->Size() - Source->Position();
  win::HGLOBAL data = win::GlobalAlloc(win::GMEM_MOVEABLE, static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  win::GpBitmap* bitmap = nullptr;
  win::GpStatus status;
  try {
    if (size > 0) {
      void* p = win::GlobalLock(data);
      Source->ReadBuffer(p, static_cast<std::int32_t>(size));
      win::GlobalUnlock(data);
    }
    win::IStream* stream = nullptr;
    // The stream leaves the memory alone; it is freed here once GDI+ has decoded it.
    if (win::FAILED(win::CreateStreamOnHGlobal(data, win::FALSE, &stream))) CheckGdipSuccess(false);
    status = GdipCreateBitmapFromStream(stream, &bitmap);
    stream->Release();
  } catch (...) {
    win::GlobalFree(data);
    throw;
  }
  win::GlobalFree(data);
  CheckGdipStatus(status);
  return bitmap;
}

int FindEncoderClsid(const String& MimeType, win::CLSID& Clsid) {
  if (!IsGdiPlusAvailable()) return 1;
  win::UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != win::Ok || size == 0) return 1;
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<win::ImageCodecInfo*>(buffer.data());
  if (GdipGetImageEncoders(count, size, codecs) != win::Ok) return 1;
  for (win::UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && SameText(codecs[i].MimeType, MimeType)) {
      Clsid = codecs[i].Clsid;
      return 0;
    }
  }
  return 1;
}

void EnsurePngEncoderId() {
  if (PngEncoderClsid.Data1 == 0 && PngEncoderClsid.Data2 == 0 && PngEncoderClsid.Data3 == 0)
    FindEncoderClsid("image/png", PngEncoderClsid);
}
