#include "ui/foundation/ThemeManager.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/system/Version.h"
#include "platform/win/Controls.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

using namespace win;

namespace {

constexpr const char* kDefaultClassNames[ThemeClassIdCount] = {
    "Button",     "Clock",     "ComboBox", "Edit",     "ExplorerBar", "Header",    "ListBox",
    "ListView",   "Menu",      "Page",     "Progress", "Rebar",       "ScrollBar", "Spin",
    "StartPanel", "Status",    "Tab",      "TaskBand", "TaskBar",     "ToolBar",   "ToolTip",
    "TrackBar",   "TrayNotify", "TreeView", "Window"};

// Every entry point the library binds; only some have wrappers, the others are bound for callers
// that may want them and cost nothing while unused.
constexpr const char* kThemeEntryNames[] = {
    "OpenThemeData", "CloseThemeData", "GetWindowTheme", "SetWindowTheme", "DrawThemeBackground",
    "DrawThemeEdge", "DrawThemeIcon", "DrawThemeParentBackground", "DrawThemeText", "DrawThemeTextEx",
    "GetThemeBackgroundContentRect", "GetThemeBackgroundRegion", "GetThemeBackgroundExtent", "GetThemeBool",
    "GetThemeColor", "GetThemeDocumentationProperty", "GetThemeEnumValue", "GetThemeFilename", "GetThemeFont",
    "GetThemeInt", "GetThemeIntList", "GetThemeMargins", "GetThemeMetric", "GetThemePartSize", "GetThemePosition",
    "GetThemePropertyOrigin", "GetThemeRect", "GetThemeString", "GetThemeTextExtent", "GetThemeTextMetrics",
    "HitTestThemeBackground", "IsThemePartDefined", "IsThemeBackgroundPartiallyTransparent", "GetThemeSysBool",
    "GetThemeSysColor", "GetThemeSysColorBrush", "GetThemeSysFont", "GetThemeSysInt", "GetThemeSysSize",
    "GetThemeSysString", "IsAppThemed", "IsThemeActive", "GetCurrentThemeName", "GetThemeAppProperties",
    "SetThemeAppProperties", "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled", "BufferedPaintInit",
    "BufferedPaintUnInit", "BeginBufferedPaint", "EndBufferedPaint", "BufferedPaintSetAlpha"};
constexpr int kThemeEntryCount = static_cast<int>(std::size(kThemeEntryNames));

constexpr const char* kDwmEntryNames[] = {
    "DwmDefWindowProc", "DwmEnableBlurBehindWindow", "DwmEnableComposition", "DwmEnableMMCSS",
    "DwmExtendFrameIntoClientArea", "DwmGetColorizationColor", "DwmGetWindowAttribute", "DwmIsCompositionEnabled",
    "DwmSetWindowAttribute", "DwmSetIconicThumbnail", "DwmSetIconicLivePreviewBitmap", "DwmInvalidateIconicBitmaps"};

struct TdxThemeData {
  HTHEME Handle = nullptr;
  std::string ClassList;
};

struct ThemeState {
  HMODULE Library = nullptr;
  FARPROC Entries[kThemeEntryCount] = {};
  bool ThemesActive = false;
  std::vector<TdxThemeChangedNotificator*>* Notificators = nullptr;
  TdxThemeChangedEventReceiver* Receiver = nullptr;
  TdxThemeData Cache[ThemeClassIdCount];
  HMODULE DwmLibrary = nullptr;
  FARPROC DwmEntries[std::size(kDwmEntryNames)] = {};
};

ThemeState& State() {
  static ThemeState state;
  return state;
}

template <class Proc>
Proc Entry(const char* Name) {
  for (int i = 0; i < kThemeEntryCount; ++i)
    if (std::string_view(kThemeEntryNames[i]) == Name) return reinterpret_cast<Proc>(State().Entries[i]);
  return nullptr;
}

std::string UpperCase(std::string S) {
  for (char& c : S) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return S;
}

bool ThemeClassListsEqual(const std::string& A, const std::string& B) { return UpperCase(A) == UpperCase(B); }

}  // namespace

// ---- wrappers -------------------------------------------------------------------------------------

bool IsUxThemeBound() { return State().Library != nullptr; }

HTHEME UxOpenThemeData(HWND Window, const char* ClassList) {
  auto proc = Entry<OpenThemeDataProc>("OpenThemeData");
  return proc ? proc(Window, ClassList) : nullptr;
}

HRESULT UxCloseThemeData(HTHEME Theme) {
  auto proc = Entry<CloseThemeDataProc>("CloseThemeData");
  return proc ? proc(Theme) : E_NOTIMPL;
}

HRESULT UxDrawThemeBackground(HTHEME Theme, HDC DC, int Part, int State, const TRect& Rect, const TRect* ClipRect) {
  auto proc = Entry<DrawThemeBackgroundProc>("DrawThemeBackground");
  if (!proc) return E_NOTIMPL;
  RECT r = Rect, clip{};
  if (ClipRect) clip = *ClipRect;
  return proc(Theme, DC, Part, State, &r, ClipRect ? &clip : nullptr);
}

HRESULT UxDrawThemeText(HTHEME Theme, HDC DC, int Part, int State, const String& Text, int CharCount,
                        DWORD TextFlags, DWORD TextFlags2, const TRect& Rect) {
  auto proc = Entry<DrawThemeTextProc>("DrawThemeText");
  if (!proc) return E_NOTIMPL;
  RECT r = Rect;
  return proc(Theme, DC, Part, State, Text.c_str(), CharCount, TextFlags, TextFlags2, &r);
}

HRESULT UxGetThemeBackgroundContentRect(HTHEME Theme, HDC DC, int Part, int State, const TRect& BoundingRect,
                                        TRect& ContentRect) {
  auto proc = Entry<GetThemeBackgroundContentRectProc>("GetThemeBackgroundContentRect");
  if (!proc) return E_NOTIMPL;
  RECT bounds = BoundingRect, content{};
  HRESULT hr = proc(Theme, DC, Part, State, &bounds, &content);
  if (hr == S_OK) ContentRect = content;
  return hr;
}

HRESULT UxGetThemePartSize(HTHEME Theme, HDC DC, int Part, int State, const TRect* Rect, THEMESIZE SizeKind,
                           TSize& Size) {
  auto proc = Entry<GetThemePartSizeProc>("GetThemePartSize");
  if (!proc) return E_NOTIMPL;
  RECT r{};
  if (Rect) r = *Rect;
  SIZE s{};
  HRESULT hr = proc(Theme, DC, Part, State, Rect ? &r : nullptr, SizeKind, &s);
  if (hr == S_OK) Size = s;
  return hr;
}

HRESULT UxGetThemeBackgroundRegion(HTHEME Theme, HDC DC, int Part, int State, const TRect& Rect, HRGN& Region) {
  Region = nullptr;
  auto proc = Entry<GetThemeBackgroundRegionProc>("GetThemeBackgroundRegion");
  if (!proc) return E_NOTIMPL;
  RECT r = Rect;
  return proc(Theme, DC, Part, State, &r, &Region);
}

HRESULT UxDrawThemeEdge(HTHEME Theme, HDC DC, int Part, int State, const TRect& DestRect, UINT Edge, UINT Flags,
                        TRect* ContentRect) {
  auto proc = Entry<DrawThemeEdgeProc>("DrawThemeEdge");
  if (!proc) return E_NOTIMPL;
  RECT dest = DestRect, content{};
  HRESULT hr = proc(Theme, DC, Part, State, &dest, Edge, Flags, ContentRect ? &content : nullptr);
  if (hr == S_OK && ContentRect) *ContentRect = content;
  return hr;
}

bool UxIsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State) {
  auto proc = Entry<IsThemeBackgroundPartiallyTransparentProc>("IsThemeBackgroundPartiallyTransparent");
  return proc && proc(Theme, Part, State);
}

HRESULT UxDrawThemeParentBackground(HWND Window, HDC DC, const TRect* Rect) {
  auto proc = Entry<DrawThemeParentBackgroundProc>("DrawThemeParentBackground");
  if (!proc) return E_NOTIMPL;
  HGDIOBJ font = GetCurrentObject(DC, OBJ_FONT);
  RECT r{};
  if (Rect) r = *Rect;
  HRESULT hr = proc(Window, DC, Rect ? &r : nullptr);
  if (font) SelectObject(DC, font);
  return hr;
}

HRESULT UxGetThemeColor(HTHEME Theme, int Part, int State, int PropId, COLORREF& Color) {
  auto proc = Entry<GetThemeColorProc>("GetThemeColor");
  return proc ? proc(Theme, Part, State, PropId, &Color) : E_NOTIMPL;
}

bool UxIsThemeActive() {
  auto proc = Entry<IsThemeActiveProc>("IsThemeActive");
  return proc && proc();
}

HRESULT UxGetCurrentThemeName(char* FileName, int FileNameChars, char* ColorBuff, int ColorChars, char* SizeBuff,
                              int SizeChars) {
  auto proc = Entry<GetCurrentThemeNameProc>("GetCurrentThemeName");
  return proc ? proc(FileName, FileNameChars, ColorBuff, ColorChars, SizeBuff, SizeChars) : E_NOTIMPL;
}

HPAINTBUFFER UxBeginBufferedPaint(HDC TargetDC, const TRect& TargetRect, BP_BUFFERFORMAT Format,
                                  const BP_PAINTPARAMS* PaintParams, HDC& PaintDC) {
  PaintDC = nullptr;
  auto proc = Entry<BeginBufferedPaintProc>("BeginBufferedPaint");
  if (!proc) return nullptr;
  RECT r = TargetRect;
  return proc(TargetDC, &r, Format, PaintParams, &PaintDC);
}

HRESULT UxEndBufferedPaint(HPAINTBUFFER BufferedPaint, bool UpdateTarget) {
  auto proc = Entry<EndBufferedPaintProc>("EndBufferedPaint");
  return proc ? proc(BufferedPaint, UpdateTarget) : E_NOTIMPL;
}

HRESULT UxBufferedPaintSetAlpha(HPAINTBUFFER BufferedPaint, const TRect* Rect, BYTE Alpha) {
  auto proc = Entry<BufferedPaintSetAlphaProc>("BufferedPaintSetAlpha");
  if (!proc) return E_NOTIMPL;
  RECT r{};
  if (Rect) r = *Rect;
  return proc(BufferedPaint, Rect ? &r : nullptr, Alpha);
}

// ---- theme manager ----------------------------------------------------------------------------------

const char* ThemeClassName(TdxThemeClassId ClassId) { return kDefaultClassNames[ClassId]; }

bool HasVisualStyles(TdxThemeClassIds ClassIds) {
  if (!State().ThemesActive || !IsUxThemeBound()) return false;
  for (int id = 0; id < ThemeClassIdCount; ++id)
    if (ClassIds.Contains(static_cast<TdxThemeClassId>(id)) && !AcquireThemeHandle(static_cast<TdxThemeClassId>(id)))
      return false;
  return true;
}

bool IsThemeClassAvailable(TdxThemeClassId ClassId) {
  return State().ThemesActive && IsUxThemeBound() && AcquireThemeHandle(ClassId) != nullptr;
}

HTHEME AcquireThemeHandle(TdxThemeClassId ClassId, const char* ClassList) {
  if (!HasVisualStyles()) return nullptr;
  TdxThemeData& entry = State().Cache[ClassId];
  if (entry.Handle) {
    if (!ClassList || ThemeClassListsEqual(ClassList, entry.ClassList)) return entry.Handle;
    ReleaseThemeHandle(ClassId);
  }
  std::string list = ClassList ? std::string(ClassList) : !entry.ClassList.empty() ? entry.ClassList
                                                                                   : std::string(kDefaultClassNames[ClassId]);
  entry.Handle = UxOpenThemeData(nullptr, list.c_str());
  if (entry.Handle)
    entry.ClassList = list;
  else
    entry.ClassList.clear();
  return entry.Handle;
}

HRESULT ReleaseThemeHandle(TdxThemeClassId ClassId) {
  if (!HasVisualStyles()) return 1;
  TdxThemeData& entry = State().Cache[ClassId];
  if (!entry.Handle) return 0;
  HRESULT hr = UxCloseThemeData(entry.Handle);
  entry.Handle = nullptr;
  entry.ClassList.clear();
  return hr;
}

void ReleaseAllThemeHandles() {
  for (TdxThemeData& entry : State().Cache)
    if (entry.Handle) {
      UxCloseThemeData(entry.Handle);
      entry.Handle = nullptr;
    }
}

bool IsLunaOrRoyaleTheme() {
  if (!HasVisualStyles()) return false;
  std::vector<char> fileName(1024, '\0');
  if (UxGetCurrentThemeName(fileName.data(), 1024, nullptr, 0, nullptr, 0) != S_OK) return false;
  fileName.back() = '\0';
  // The theme library answers a Windows path; the name follows its last separator.
  std::string path(fileName.data());
  std::string name = UpperCase(path.substr(path.find_last_of("\\/:") + 1));
  return name == "LUNA.MSSTYLES" || name == "ROYALE.MSSTYLES";
}

bool IsDwmApiLoaded() { return State().DwmLibrary != nullptr; }

bool IsDwmCompositionOn() {
  if (!IsDwmApiLoaded()) return false;
  auto proc = reinterpret_cast<DwmIsCompositionEnabledProc>(State().DwmEntries[7]);
  BOOL enabled = FALSE;
  return proc && proc(&enabled) == S_OK && enabled;
}

// ---- change notification ----------------------------------------------------------------------------

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (IsUxThemeBound() && State().Notificators) State().Notificators->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (IsUxThemeBound() && State().Notificators) std::erase(*State().Notificators, this);
}

void TdxThemeChangedNotificator::RelayThemeChange() {
  if (OnThemeChanged) OnThemeChanged();
}

TdxThemeChangedEventReceiver::TdxThemeChangedEventReceiver() {
  FWindowHandle = AllocateHWnd([this](TMessage& Message) { HandleMessage(Message); });
}

TdxThemeChangedEventReceiver::~TdxThemeChangedEventReceiver() {
  State().ThemesActive = false;
  DeallocateHWnd(FWindowHandle);
}

void TdxThemeChangedEventReceiver::HandleMessage(TMessage& Message) {
  if (Message.Msg != WM_THEMECHANGED && Message.Msg != WM_SYSCOLORCHANGE) {
    Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  try {
    ReleaseAllThemeHandles();
    DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
    State().ThemesActive = UxIsThemeActive();
    NotifyNotificators();
  } catch (...) {
    // A notificator's failure must not leave the window procedure: the others still get the
    // change next time, and the message loop never sees it.
    if (Application) Application->HandleException(this);
  }
  Message.Result = 0;
}

void TdxThemeChangedEventReceiver::NotifyNotificators() {
  std::vector<TdxThemeChangedNotificator*>* list = State().Notificators;
  if (!list) return;
  const std::size_t count = list->size();
  // A notificator may leave (or others join) while it is told; the walk stays inside the list.
  for (std::size_t i = 0; i < count && i < list->size(); ++i) (*list)[i]->RelayThemeChange();
}

TdxThemeChangedEventReceiver* ThemeChangedEventReceiver() { return State().Receiver; }

// ---- start-up and shutdown --------------------------------------------------------------------------

namespace {

void BindThemeEntryPoints() {
  for (int i = 0; i < kThemeEntryCount; ++i) State().Entries[i] = GetProcAddress(State().Library, kThemeEntryNames[i]);
}

}  // namespace

void ThemeAccessStartup() {
  ThemeState& s = State();
  InitCommonControls();
  s.Library = LoadLibrary("UxTheme.dll");
  if (s.Library) BindThemeEntryPoints();

  OSVERSIONINFO version;
  if (GetVersionEx(&version) && version.dwMajorVersion > 5) {
    s.DwmLibrary = LoadLibrary("dwmapi.dll");
    if (s.DwmLibrary)
      for (std::size_t i = 0; i < std::size(kDwmEntryNames); ++i)
        s.DwmEntries[i] = GetProcAddress(s.DwmLibrary, kDwmEntryNames[i]);
  }

  for (TdxThemeData& entry : s.Cache) entry = {};
  if (s.Library) {
    s.ThemesActive = UxIsThemeActive();
    s.Receiver = new TdxThemeChangedEventReceiver();
    s.Notificators = new std::vector<TdxThemeChangedNotificator*>();
  }
}

void ThemeAccessShutdown() {
  ThemeState& s = State();
  if (s.Library) {
    delete s.Receiver;
    s.Receiver = nullptr;
    for (int id = 0; id < ThemeClassIdCount; ++id) ReleaseThemeHandle(static_cast<TdxThemeClassId>(id));
    // Handles that visual styles being off kept ReleaseThemeHandle from closing go too.
    ReleaseAllThemeHandles();
    delete s.Notificators;
    s.Notificators = nullptr;
  }
  s.ThemesActive = false;
  if (s.DwmLibrary) FreeLibrary(s.DwmLibrary);
  s.DwmLibrary = nullptr;
  for (FARPROC& e : s.DwmEntries) e = nullptr;
  if (s.Library) FreeLibrary(s.Library);
  s.Library = nullptr;
  for (FARPROC& e : s.Entries) e = nullptr;
  for (TdxThemeData& entry : s.Cache) entry = {};
}
