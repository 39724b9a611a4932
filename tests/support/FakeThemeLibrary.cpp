#include "tests/support/FakeThemeLibrary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Rects.h"

namespace testsupport {

using namespace win;

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Open handles: a counter value each, never reused, mapped to the class opened.
std::map<std::uintptr_t, std::string>& Handles() {
  static std::map<std::uintptr_t, std::string> handles;
  return handles;
}
std::uintptr_t& NextHandle() {
  static std::uintptr_t next = 0x7000;
  return next;
}

std::string ClassOfHandle(HTHEME theme) {
  auto it = Handles().find(reinterpret_cast<std::uintptr_t>(theme));
  return it == Handles().end() ? std::string() : it->second;
}

void Record(const std::string& call) { FakeThemeLibrary::Calls().push_back(call); }

std::string Key(HTHEME theme, int part, int state) {
  return ClassOfHandle(theme) + "," + std::to_string(part) + "," + std::to_string(state);
}

BOOL FakeIsAppThemed() { return FakeThemeLibrary::Active(); }
BOOL FakeIsThemeActive() {
  Record("IsThemeActive");
  return FakeThemeLibrary::Active();
}

HTHEME FakeOpenThemeData(HWND, LPCSTR classList) {
  std::string list = classList ? classList : "";
  Record("OpenThemeData(" + list + ")");
  std::string found;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    std::string name = Upper(list.substr(start, end - start));
    auto& openable = FakeThemeLibrary::OpenableClasses();
    if (std::any_of(openable.begin(), openable.end(), [&](const std::string& c) { return Upper(c) == name; })) {
      found = name;
      break;
    }
    start = end + 1;
  }
  if (found.empty()) return nullptr;
  std::uintptr_t h = NextHandle()++;
  Handles()[h] = found;
  return reinterpret_cast<HTHEME>(h);
}

HRESULT FakeCloseThemeData(HTHEME theme) {
  std::string cls = ClassOfHandle(theme);
  Record("CloseThemeData(" + cls + ")");
  if (cls.empty()) return E_INVALIDARG;
  Handles().erase(reinterpret_cast<std::uintptr_t>(theme));
  return S_OK;
}

HRESULT FakeDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
  std::string cls = ClassOfHandle(theme);
  Record("DrawThemeBackground(" + Key(theme, part, state) + ")");
  if (cls.empty() || !rect) return E_INVALIDARG;
  RECT r = *rect;
  if (clip && !IntersectRect(&r, rect, clip)) return S_OK;
  HBRUSH b = CreateSolidBrush(FakeThemeLibrary::ColorOf(cls, part, state));
  FillRect(dc, &r, b);
  DeleteObject(b);
  if (FakeThemeLibrary::CornerMarked().count({cls, part, state}) && r.left == rect->left && r.top == rect->top)
    SetPixel(dc, rect->left, rect->top, RGB(0, 0, 0));
  return S_OK;
}

HRESULT FakeDrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCSTR text, int count, DWORD flags, DWORD,
                          const RECT* rect) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", flags);
  std::string s = text ? (count < 0 ? std::string(text) : std::string(text, static_cast<std::size_t>(count))) : "";
  Record("DrawThemeText(" + Key(theme, part, state) + ",'" + s + "'," + hex + ")");
  if (ClassOfHandle(theme).empty()) return E_INVALIDARG;
  RECT r = *rect;
  DrawText(dc, s.c_str(), -1, &r, flags);
  return S_OK;
}

HRESULT FakeGetThemeBackgroundContentRect(HTHEME theme, HDC, int part, int state, const RECT* bounds, RECT* content) {
  Record("GetThemeBackgroundContentRect(" + Key(theme, part, state) + ")");
  auto it = FakeThemeLibrary::ContentMargins().find({ClassOfHandle(theme), part, state});
  if (it == FakeThemeLibrary::ContentMargins().end() || !bounds) return E_FAIL;
  *content = {bounds->left + it->second.left, bounds->top + it->second.top, bounds->right - it->second.right,
              bounds->bottom - it->second.bottom};
  return S_OK;
}

HRESULT FakeGetThemePartSize(HTHEME theme, HDC, int part, int state, const RECT*, THEMESIZE kind, SIZE* size) {
  Record("GetThemePartSize(" + Key(theme, part, state) + "," + std::to_string(kind) + ")");
  auto it = FakeThemeLibrary::PartSizes().find({ClassOfHandle(theme), part, state, kind});
  if (it == FakeThemeLibrary::PartSizes().end()) return E_FAIL;
  *size = it->second;
  return S_OK;
}

HRESULT FakeGetThemeBackgroundRegion(HTHEME theme, HDC, int part, int state, const RECT* rect, HRGN* region) {
  Record("GetThemeBackgroundRegion(" + Key(theme, part, state) + ")");
  if (ClassOfHandle(theme).empty() || !rect) return E_INVALIDARG;
  RECT m{};
  auto it = FakeThemeLibrary::RegionMargins().find({ClassOfHandle(theme), part, state});
  if (it != FakeThemeLibrary::RegionMargins().end()) m = it->second;
  *region = CreateRectRgn(rect->left + m.left, rect->top + m.top, rect->right - m.right, rect->bottom - m.bottom);
  return S_OK;
}

HRESULT FakeDrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge, UINT flags,
                          RECT* content) {
  Record("DrawThemeEdge(" + Key(theme, part, state) + "," + std::to_string(edge) + "," + std::to_string(flags) + ")");
  if (ClassOfHandle(theme).empty()) return E_INVALIDARG;
  RECT r = *dest;
  DrawEdge(dc, &r, edge, flags | (content ? BF_ADJUST : 0));
  if (content) *content = r;
  return S_OK;
}

BOOL FakeIsPartiallyTransparent(HTHEME theme, int part, int state) {
  Record("IsThemeBackgroundPartiallyTransparent(" + Key(theme, part, state) + ")");
  return FakeThemeLibrary::PartiallyTransparent().count({ClassOfHandle(theme), part, state}) ? TRUE : FALSE;
}

HRESULT FakeDrawThemeParentBackground(HWND, HDC dc, const RECT*) {
  Record("DrawThemeParentBackground");
  // The real library may leave another font selected; the wrapper must put its own back.
  SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  return S_OK;
}

HRESULT FakeGetThemeColor(HTHEME theme, int part, int state, int prop, COLORREF* color) {
  Record("GetThemeColor(" + Key(theme, part, state) + "," + std::to_string(prop) + ")");
  auto it = FakeThemeLibrary::Colors().find({ClassOfHandle(theme), part, state, prop});
  if (it == FakeThemeLibrary::Colors().end()) return E_FAIL;
  *color = it->second;
  return S_OK;
}

HRESULT FakeGetCurrentThemeName(LPSTR file, int fileChars, LPSTR color, int colorChars, LPSTR, int) {
  Record("GetCurrentThemeName");
  if (FakeThemeLibrary::CurrentThemeNameFails()) return E_FAIL;
  auto put = [](LPSTR buffer, int chars, const std::string& value) {
    if (!buffer || chars <= 0) return;
    std::size_t n = std::min(value.size(), static_cast<std::size_t>(chars - 1));
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
  };
  put(file, fileChars, FakeThemeLibrary::ThemeFile());
  put(color, colorChars, FakeThemeLibrary::ColorName());
  return S_OK;
}

}  // namespace

void FakeThemeLibrary::Install(const std::vector<std::string>& MissingEntries) {
  Calls().clear();
  std::vector<platform::ModuleExport> exports = {
      platform::Export("IsAppThemed", &FakeIsAppThemed),
      platform::Export("IsThemeActive", &FakeIsThemeActive),
      platform::Export("OpenThemeData", &FakeOpenThemeData),
      platform::Export("CloseThemeData", &FakeCloseThemeData),
      platform::Export("DrawThemeBackground", &FakeDrawThemeBackground),
      platform::Export("DrawThemeText", &FakeDrawThemeText),
      platform::Export("GetThemeBackgroundContentRect", &FakeGetThemeBackgroundContentRect),
      platform::Export("GetThemePartSize", &FakeGetThemePartSize),
      platform::Export("GetThemeBackgroundRegion", &FakeGetThemeBackgroundRegion),
      platform::Export("DrawThemeEdge", &FakeDrawThemeEdge),
      platform::Export("IsThemeBackgroundPartiallyTransparent", &FakeIsPartiallyTransparent),
      platform::Export("DrawThemeParentBackground", &FakeDrawThemeParentBackground),
      platform::Export("GetThemeColor", &FakeGetThemeColor),
      platform::Export("GetCurrentThemeName", &FakeGetCurrentThemeName)};
  std::erase_if(exports, [&](const platform::ModuleExport& e) {
    return std::find(MissingEntries.begin(), MissingEntries.end(), e.name) != MissingEntries.end();
  });
  platform::InstallFakeModule("UxTheme.dll", exports);
}

void FakeThemeLibrary::Uninstall() {
  platform::ResetModuleOverrides();
  OpenableClasses().clear();
  Active() = true;
  ThemeFile() = "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
  ColorName() = "NormalColor";
  CurrentThemeNameFails() = false;
  PartSizes().clear();
  ContentMargins().clear();
  Colors().clear();
  PartiallyTransparent().clear();
  CornerMarked().clear();
  RegionMargins().clear();
  Handles().clear();
  Calls().clear();
}

std::set<std::string>& FakeThemeLibrary::OpenableClasses() {
  static std::set<std::string> classes;
  return classes;
}
bool& FakeThemeLibrary::Active() {
  static bool active = true;
  return active;
}
std::string& FakeThemeLibrary::ThemeFile() {
  static std::string file = "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
  return file;
}
std::string& FakeThemeLibrary::ColorName() {
  static std::string name = "NormalColor";
  return name;
}
bool& FakeThemeLibrary::CurrentThemeNameFails() {
  static bool fails = false;
  return fails;
}
std::map<std::tuple<std::string, int, int, int>, SIZE>& FakeThemeLibrary::PartSizes() {
  static std::map<std::tuple<std::string, int, int, int>, SIZE> sizes;
  return sizes;
}
std::map<FakeThemeLibrary::PartKey, RECT>& FakeThemeLibrary::ContentMargins() {
  static std::map<PartKey, RECT> margins;
  return margins;
}
std::map<std::tuple<std::string, int, int, int>, COLORREF>& FakeThemeLibrary::Colors() {
  static std::map<std::tuple<std::string, int, int, int>, COLORREF> colors;
  return colors;
}
std::set<FakeThemeLibrary::PartKey>& FakeThemeLibrary::PartiallyTransparent() {
  static std::set<PartKey> parts;
  return parts;
}
std::set<FakeThemeLibrary::PartKey>& FakeThemeLibrary::CornerMarked() {
  static std::set<PartKey> parts;
  return parts;
}
std::map<FakeThemeLibrary::PartKey, RECT>& FakeThemeLibrary::RegionMargins() {
  static std::map<PartKey, RECT> margins;
  return margins;
}

COLORREF FakeThemeLibrary::ColorOf(const std::string& ClassName, int Part, int State) {
  // The class by a small hash of its name, the part and state in steps that tell neighbours apart.
  unsigned h = 0;
  for (char c : Upper(ClassName)) h = h * 31 + static_cast<unsigned char>(c);
  return RGB(static_cast<BYTE>(40 + h % 200), static_cast<BYTE>(Part * 11), static_cast<BYTE>(State * 23));
}

std::vector<std::string>& FakeThemeLibrary::Calls() {
  static std::vector<std::string> calls;
  return calls;
}

int FakeThemeLibrary::CountOf(const std::string& CallPrefix) {
  return static_cast<int>(std::count_if(Calls().begin(), Calls().end(), [&](const std::string& c) {
    return c.compare(0, CallPrefix.size(), CallPrefix) == 0;
  }));
}

std::string FakeThemeLibrary::ClassOf(HTHEME Theme) { return ClassOfHandle(Theme); }

}  // namespace testsupport
