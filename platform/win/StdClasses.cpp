// Registration of the standard window classes and what they share.
#include <algorithm>
#include <cstring>

#include "platform/system/CodePage.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

void RegisterOne(const char* name, WNDPROC proc, UINT style, LPCSTR cursor, int background) {
  WNDCLASSEX wc;
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = kStateExtra;
  wc.hCursor = LoadCursor(nullptr, cursor);
  wc.hbrBackground = background < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  wc.lpszClassName = name;
  RegisterSystemClass(wc);
}

void RegisterStandardClasses() {
  RegisterOne("Button", ButtonProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW, -1);
  RegisterOne("Static", StaticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW, -1);
  RegisterOne("Edit", EditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM, -1);
  RegisterOne("ListBox", ListBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW, -1);
  RegisterOne("ComboBox", ComboBoxProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW, -1);
  RegisterOne("ComboLBox", ComboLBoxProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW, -1);
  RegisterOne("ScrollBar", ScrollBarProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, IDC_ARROW, -1);
  RegisterOne("MDIClient", MdiClientProc, 0, IDC_ARROW, COLOR_APPWORKSPACE);
}

}  // namespace

void EnsureStandardClasses() {
  if (!SystemClassRegistrar) SystemClassRegistrar = RegisterStandardClasses;
}

std::u32string Utf8ToCodePoints(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    // A stray or cut-short sequence gives one replacement character and no more.
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
      if (extra != 0) {
        out.push_back(0xFFFD);
        ++i;
        continue;
      }
    }
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = true;
    for (int k = 1; k <= extra; ++k) {
      auto n = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((n & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (n & 0x3F);
    }
    if (!ok) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string CodePointToUtf8(char32_t c) {
  std::string out;
  if (c < 0x110000) platform::AppendUtf8(out, c);
  return out;
}

int WheelScrollLines(WPARAM wParam, int page) {
  int notches = static_cast<SHORT>(HIWORD(wParam)) / WHEEL_DELTA;
  UINT perNotch = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
  if (perNotch == WHEEL_PAGESCROLL) return -notches * std::max(1, page);
  return -notches * static_cast<int>(std::min<UINT>(perNotch, 0x7FFF));
}

std::string CodePointsToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) out += CodePointToUtf8(c);
  return out;
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void NotifyParent(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code), reinterpret_cast<LPARAM>(hwnd));
}

HBRUSH ControlColor(HWND hwnd, HDC dc, UINT msg) {
  HWND parent = GetParent(hwnd);
  LRESULT r = parent ? SendMessage(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd))
                     : DefWindowProc(hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
  if (!r) r = DefWindowProc(hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
  return reinterpret_cast<HBRUSH>(r);
}

LRESULT CopyTextOut(const std::string& text, WPARAM size, LPARAM buffer) {
  char* buf = reinterpret_cast<char*>(buffer);
  if (!buf || size == 0) return 0;
  std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buf, text.data(), n);
  buf[n] = 0;
  return static_cast<LRESULT>(n);
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SendMessage(item, msg, wParam, lParam) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  for (int id = firstId; id <= lastId; ++id)
    if (HWND item = GetDlgItem(dialog, id)) SendMessage(item, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) {
    if (buffer && size > 0) buffer[0] = 0;
    return 0;
  }
  return static_cast<UINT>(GetWindowText(item, buffer, size));
}

namespace {

bool Usable(HWND h) { return IsWindowVisible(h) && IsWindowEnabled(h); }

}  // namespace

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  // A group runs from a WS_GROUP control up to the next one; the search wraps within it.
  std::vector<HWND> kids;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) kids.push_back(c);
  if (kids.empty()) return nullptr;
  std::size_t at = 0;
  for (; at < kids.size() && kids[at] != control; ++at) {}
  if (at == kids.size()) return kids.front();
  std::size_t start = at;
  while (start > 0 && !(GetWindowLong(kids[start], GWL_STYLE) & WS_GROUP)) --start;
  std::size_t end = at + 1;
  while (end < kids.size() && !(GetWindowLong(kids[end], GWL_STYLE) & WS_GROUP)) ++end;
  std::size_t n = end - start;
  for (std::size_t step = 1; step < n; ++step) {
    std::size_t i = previous ? start + (at - start + n - step) % n : start + (at - start + step) % n;
    if (Usable(kids[i])) return kids[i];
  }
  return control;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> kids;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) kids.push_back(c);
  if (kids.empty()) return nullptr;
  std::size_t at = 0;
  for (; at < kids.size() && kids[at] != control; ++at) {}
  std::size_t n = kids.size();
  if (at == n) at = previous ? 0 : n - 1;
  for (std::size_t step = 1; step <= n; ++step) {
    std::size_t i = previous ? (at + n - step) % n : (at + step) % n;
    if (Usable(kids[i]) && (GetWindowLong(kids[i], GWL_STYLE) & WS_TABSTOP)) return kids[i];
  }
  return control;
}

}  // namespace win

namespace win {

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  return init && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

}  // namespace win
