// The common dialogs: colour (basic and custom colours, RGB values), font (family, style, size,
// effects) and open file (folders, filters, a picture preview), each a modal window of our own.
#include "platform/win/CommonDialogs.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/win/Controls.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Rects.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

thread_local DWORD g_lastError = 0;

HWND Control(HWND dlg, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id, DWORD ex = 0) {
  HWND c = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dlg,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  // Dialog order is creation order.
  SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return c;
}

HWND OkCancel(HWND dlg, int right, int y) {
  HWND ok = Control(dlg, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, right - 160, y, 75, 23, IDOK);
  Control(dlg, "Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, right - 80, y, 75, 23, IDCANCEL);
  return ok;
}

int GetInt(HWND dlg, int id) {
  std::string s = GetWindowTextString(GetDlgItem(dlg, id));
  try {
    return std::stoi(s);
  } catch (...) {
    return 0;
  }
}

void SetInt(HWND dlg, int id, int v) { SetWindowText(GetDlgItem(dlg, id), std::to_string(v).c_str()); }

// ---- colour -------------------------------------------------------------------------------------

constexpr COLORREF kBasic[48] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128), RGB(128, 255, 255), RGB(0, 128, 255),
    RGB(255, 128, 192), RGB(255, 128, 255), RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),   RGB(128, 64, 64),   RGB(255, 128, 64),
    RGB(0, 255, 0),     RGB(0, 128, 128),   RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),    RGB(0, 0, 255),     RGB(0, 0, 160),
    RGB(128, 0, 128),   RGB(128, 0, 255),   RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),    RGB(0, 0, 0),       RGB(128, 128, 0),
    RGB(128, 128, 64),  RGB(128, 128, 128), RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

constexpr int kSwatch = 20, kSwatchGap = 4, kSwatchLeft = 10, kBasicTop = 24, kCustomTop = 200;
constexpr int kIdRed = 701, kIdGreen = 702, kIdBlue = 703, kIdAdd = 712;

struct ColorDlg {
  CHOOSECOLOR* cc = nullptr;
  COLORREF current = 0;
  COLORREF custom[16] = {};
  int nextCustom = 0;
  bool full = false;
  bool syncing = false;
  bool done = false;
  int result = 0;
};

RECT SwatchRect(int i) {
  bool custom = i >= 48;
  int k = custom ? i - 48 : i;
  int row = k / 8, col = k % 8;
  int top = custom ? kCustomTop : kBasicTop;
  int x = kSwatchLeft + col * (kSwatch + kSwatchGap), y = top + row * (kSwatch + kSwatchGap);
  return {x, y, x + kSwatch, y + kSwatch};
}

COLORREF SwatchColor(const ColorDlg& d, int i) { return i < 48 ? kBasic[i] : d.custom[i - 48]; }

void ShowCurrent(HWND dlg, ColorDlg& d) {
  d.syncing = true;
  SetInt(dlg, kIdRed, GetRValue(d.current));
  SetInt(dlg, kIdGreen, GetGValue(d.current));
  SetInt(dlg, kIdBlue, GetBValue(d.current));
  d.syncing = false;
  InvalidateRect(dlg, nullptr, FALSE);
}

LRESULT ColorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* d = static_cast<ColorDlg*>(DialogData(dlg));
  if (!d) return DefWindowProc(dlg, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dlg, &ps);
      SelectObject(dc, DefaultGuiFont());
      SetBkMode(dc, TRANSPARENT);
      RECT l1{kSwatchLeft, 6, 220, 22}, l2{kSwatchLeft, kCustomTop - 18, 220, kCustomTop - 2};
      DrawText(dc, "&Basic colors:", -1, &l1, DT_SINGLELINE);
      DrawText(dc, "&Custom colors:", -1, &l2, DT_SINGLELINE);
      for (int i = 0; i < 64; ++i) {
        RECT r = SwatchRect(i);
        RECT e = r;
        DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        HBRUSH b = CreateSolidBrush(SwatchColor(*d, i));
        FillRect(dc, &e, b);
        DeleteObject(b);
        if (SwatchColor(*d, i) == d->current) {
          RECT f{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
          FrameRect(dc, &f, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
      }
      if (d->full) {
        RECT preview{230, 24, 330, 84};
        RECT e = preview;
        DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        HBRUSH b = CreateSolidBrush(d->current);
        FillRect(dc, &e, b);
        DeleteObject(b);
        RECT cap{230, 86, 330, 100};
        DrawText(dc, "Color|Solid", -1, &cap, DT_SINGLELINE | DT_CENTER);
        const char* names[3] = {"&Red:", "&Green:", "Bl&ue:"};
        for (int k = 0; k < 3; ++k) {
          RECT t{230, 112 + k * 26, 280, 132 + k * 26};
          DrawText(dc, names[k], -1, &t, DT_SINGLELINE | DT_VCENTER);
        }
      }
      EndPaint(dlg, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      for (int i = 0; i < 64; ++i) {
        RECT r = SwatchRect(i);
        if (PtInRect(&r, p)) {
          d->current = SwatchColor(*d, i);
          if (i >= 48) d->nextCustom = i - 48;
          ShowCurrent(dlg, *d);
          if (msg == WM_LBUTTONDBLCLK) SendMessage(dlg, WM_COMMAND, IDOK, 0);
          break;
        }
      }
      return 0;
    }
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      WORD code = HIWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        d->result = id == IDOK;
        d->done = true;
        return 0;
      }
      if (id == kIdAdd) {
        d->custom[d->nextCustom] = d->current;
        d->nextCustom = (d->nextCustom + 1) % 16;
        InvalidateRect(dlg, nullptr, FALSE);
        return 0;
      }
      if ((id == kIdRed || id == kIdGreen || id == kIdBlue) && code == EN_CHANGE && !d->syncing) {
        auto v = [&](int k) { return static_cast<BYTE>(std::clamp(GetInt(dlg, k), 0, 255)); };
        d->current = RGB(v(kIdRed), v(kIdGreen), v(kIdBlue));
        InvalidateRect(dlg, nullptr, FALSE);
      }
      return 0;
    }
    case WM_CLOSE:
      SendMessage(dlg, WM_COMMAND, IDCANCEL, 0);
      return 0;
    default:
      return DefWindowProc(dlg, msg, wParam, lParam);
  }
}

// ---- font ---------------------------------------------------------------------------------------

constexpr int kIdFace = 801, kIdStyle = 802, kIdSize = 803, kIdStrike = 804, kIdUnder = 805, kIdSample = 806,
              kIdColor = 807;

// The text colours offered with the effects: the sixteen basic colours.
struct BasicColor {
  const char* name;
  COLORREF value;
};
constexpr BasicColor kBasicColors[] = {
    {"Black", RGB(0, 0, 0)},         {"Maroon", RGB(128, 0, 0)},   {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},     {"Navy", RGB(0, 0, 128)},     {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},      {"Gray", RGB(128, 128, 128)}, {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},         {"Lime", RGB(0, 255, 0)},     {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},        {"Fuchsia", RGB(255, 0, 255)}, {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
};
constexpr const char* kStyles[4] = {"Regular", "Italic", "Bold", "Bold Italic"};

struct FontDlg {
  CHOOSEFONT* cf = nullptr;
  HFONT sample = nullptr;
  COLORREF color = 0;
  LOGFONTA chosen{};
  int pointSize = 0;
  bool done = false;
  int result = 0;
};

int FamilyProc(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM p) {
  auto* names = reinterpret_cast<std::set<std::string>*>(p);
  if (lf->lfFaceName[0] && lf->lfFaceName[0] != '@') names->insert(lf->lfFaceName);
  return 1;
}

LOGFONTA Chosen(HWND dlg, int* pointSize) {
  LOGFONTA lf{};
  std::string face = GetWindowTextString(GetDlgItem(dlg, kIdFace));
  int sel = static_cast<int>(SendDlgItemMessage(dlg, kIdFace, LB_GETCURSEL, 0, 0));
  if (sel >= 0) {
    std::vector<char> buf(static_cast<std::size_t>(SendDlgItemMessage(dlg, kIdFace, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0)) + 1);
    SendDlgItemMessage(dlg, kIdFace, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buf.data()));
    face = buf.data();
  }
  std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  int style = std::max(0, static_cast<int>(SendDlgItemMessage(dlg, kIdStyle, LB_GETCURSEL, 0, 0)));
  lf.lfWeight = style >= 2 ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style & 1) ? 1 : 0;
  int size = std::max(1, GetInt(dlg, kIdSize));
  lf.lfHeight = -MulDiv(size, 96, 72);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfStrikeOut = SendDlgItemMessage(dlg, kIdStrike, BM_GETCHECK, 0, 0) == BST_CHECKED;
  lf.lfUnderline = SendDlgItemMessage(dlg, kIdUnder, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (pointSize) *pointSize = size;
  return lf;
}

void UpdateSample(HWND dlg, FontDlg& d) {
  LOGFONTA lf = Chosen(dlg, nullptr);
  HFONT f = CreateFontIndirect(&lf);
  SendDlgItemMessage(dlg, kIdSample, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  if (d.sample) DeleteObject(d.sample);
  d.sample = f;
}

LRESULT FontProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* d = static_cast<FontDlg*>(DialogData(dlg));
  if (!d) return DefWindowProc(dlg, msg, wParam, lParam);
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        if (id == IDOK) d->chosen = Chosen(dlg, &d->pointSize);
        d->result = id == IDOK;
        d->done = true;
        return 0;
      }
      WORD code = HIWORD(wParam);
      if (id == kIdColor && code == CBN_SELCHANGE) {
        LRESULT i = SendDlgItemMessage(dlg, kIdColor, CB_GETCURSEL, 0, 0);
        if (i != CB_ERR) d->color = static_cast<COLORREF>(SendDlgItemMessage(dlg, kIdColor, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
        InvalidateRect(GetDlgItem(dlg, kIdSample), nullptr, TRUE);
        return 0;
      }
      if (((id == kIdFace || id == kIdStyle) && code == LBN_SELCHANGE) || (id == kIdSize && code == EN_CHANGE) ||
          ((id == kIdStrike || id == kIdUnder) && code == BN_CLICKED))
        UpdateSample(dlg, *d);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      // The sample shows the chosen colour.
      LRESULT brush = DefWindowProc(dlg, msg, wParam, lParam);
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dlg, kIdSample) && (d->cf->Flags & CF_EFFECTS))
        SetTextColor(reinterpret_cast<HDC>(wParam), d->color);
      return brush;
    }
    case WM_CLOSE:
      SendMessage(dlg, WM_COMMAND, IDCANCEL, 0);
      return 0;
    default:
      return DefWindowProc(dlg, msg, wParam, lParam);
  }
}

// ---- open file ----------------------------------------------------------------------------------

constexpr int kIdDir = 901, kIdList = 902, kIdName = 903, kIdFilter = 904, kIdPreview = 905;

struct OpenDlg {
  OPENFILENAME* ofn = nullptr;
  std::filesystem::path dir;
  std::vector<std::pair<std::string, std::string>> filters;  // description, patterns
  HBITMAP preview = nullptr;
  bool done = false;
  int result = 0;
};

bool Matches(const std::string& name, const std::string& pattern) {
  // '*' and '?' wildcards, case-insensitive as the platform's file system is.
  std::size_t n = 0, p = 0, star = std::string::npos, mark = 0;
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool MatchesAny(const std::string& name, const std::string& patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    std::string one = patterns.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!one.empty() && Matches(name, one)) return true;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

void Fill(HWND dlg, OpenDlg& d) {
  HWND list = GetDlgItem(dlg, kIdList);
  SendMessage(list, WM_SETREDRAW, FALSE, 0);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  SetWindowText(GetDlgItem(dlg, kIdDir), d.dir.string().c_str());
  int filter = std::max(0, static_cast<int>(SendDlgItemMessage(dlg, kIdFilter, CB_GETCURSEL, 0, 0)));
  std::string patterns = filter < static_cast<int>(d.filters.size()) ? d.filters[static_cast<std::size_t>(filter)].second : "*";
  std::vector<std::string> dirs, files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(d.dir, std::filesystem::directory_options::skip_permission_denied, ec)) {
    std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code e2;
    if (entry.is_directory(e2)) dirs.push_back(name);
    else if (MatchesAny(name, patterns)) files.push_back(name);
  }
  std::sort(dirs.begin(), dirs.end());
  std::sort(files.begin(), files.end());
  if (d.dir.has_parent_path() && d.dir != d.dir.root_path()) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("[..]"));
  for (const std::string& s : dirs) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("[" + s + "]").c_str()));
  for (const std::string& s : files) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  SendMessage(list, WM_SETREDRAW, TRUE, 0);
}

void ShowPreview(HWND dlg, OpenDlg& d, const std::filesystem::path& file) {
  HBITMAP b = LoadPictureFile(file.string().c_str());
  HWND pv = GetDlgItem(dlg, kIdPreview);
  if (!b) {
    SendMessage(pv, STM_SETIMAGE, IMAGE_BITMAP, 0);
    if (d.preview) DeleteObject(d.preview);
    d.preview = nullptr;
    return;
  }
  // Scaled down to fit the preview box, keeping its proportions.
  BITMAP bm{};
  GetObject(b, sizeof bm, &bm);
  RECT box;
  GetClientRect(pv, &box);
  int bw = std::max(1, static_cast<int>(box.right) - 4), bh = std::max(1, static_cast<int>(box.bottom) - 4);
  double scale = std::min(1.0, std::min(static_cast<double>(bw) / bm.bmWidth, static_cast<double>(bh) / bm.bmHeight));
  int w = std::max(1, static_cast<int>(bm.bmWidth * scale)), h = std::max(1, static_cast<int>(bm.bmHeight * scale));
  HDC src = CreateCompatibleDC(nullptr), dst = CreateCompatibleDC(nullptr);
  HBITMAP fitted = CreateBitmap(w, h, 1, 32, nullptr);
  HGDIOBJ o1 = SelectObject(src, b), o2 = SelectObject(dst, fitted);
  SetStretchBltMode(dst, HALFTONE);
  StretchBlt(dst, 0, 0, w, h, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  SelectObject(src, o1);
  SelectObject(dst, o2);
  DeleteDC(src);
  DeleteDC(dst);
  DeleteObject(b);
  SendMessage(pv, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted));
  if (d.preview) DeleteObject(d.preview);
  d.preview = fitted;
}

bool Finish(HWND dlg, OpenDlg& d) {
  std::string name = GetWindowTextString(GetDlgItem(dlg, kIdName));
  if (name.empty()) return false;
  std::filesystem::path p = std::filesystem::path(name).is_absolute() ? std::filesystem::path(name) : d.dir / name;
  std::error_code ec;
  if (std::filesystem::is_directory(p, ec)) {
    d.dir = std::filesystem::weakly_canonical(p, ec);
    SetWindowText(GetDlgItem(dlg, kIdName), "");
    Fill(dlg, d);
    return false;
  }
  OPENFILENAME* ofn = d.ofn;
  if (!p.has_extension() && ofn->lpstrDefExt && *ofn->lpstrDefExt) p += std::string(".") + ofn->lpstrDefExt;
  if ((ofn->Flags & OFN_FILEMUSTEXIST) && !std::filesystem::exists(p, ec)) {
    MessageBeep(0);
    return false;
  }
  std::string full = p.string();
  if (full.size() + 1 > ofn->nMaxFile) {
    // Too long for the caller's buffer: its first two bytes say how long it has to be.
    if (ofn->lpstrFile && ofn->nMaxFile >= 2) {
      auto need = static_cast<WORD>(std::min<std::size_t>(full.size() + 1, 0xFFFF));
      std::memcpy(ofn->lpstrFile, &need, sizeof need);
    }
    g_lastError = FNERR_BUFFERTOOSMALL;
    d.result = 0;
    return true;
  }
  std::memcpy(ofn->lpstrFile, full.c_str(), full.size() + 1);
  std::size_t slash = full.find_last_of('/');
  ofn->nFileOffset = static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
  std::size_t dot = full.find_last_of('.');
  ofn->nFileExtension = static_cast<WORD>(dot == std::string::npos || dot < ofn->nFileOffset ? full.size() : dot + 1);
  if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0)
    CopyTextOut(full.substr(ofn->nFileOffset), ofn->nMaxFileTitle, reinterpret_cast<LPARAM>(ofn->lpstrFileTitle));
  ofn->nFilterIndex = static_cast<DWORD>(std::max(0, static_cast<int>(SendDlgItemMessage(dlg, kIdFilter, CB_GETCURSEL, 0, 0))) + 1);
  d.result = 1;
  return true;
}

LRESULT OpenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* d = static_cast<OpenDlg*>(DialogData(dlg));
  if (!d) return DefWindowProc(dlg, msg, wParam, lParam);
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      WORD code = HIWORD(wParam);
      if (id == IDCANCEL) {
        d->result = 0;
        d->done = true;
        return 0;
      }
      if (id == IDOK) {
        if (Finish(dlg, *d)) d->done = true;
        return 0;
      }
      if (id == kIdFilter && code == CBN_SELCHANGE) {
        Fill(dlg, *d);
        return 0;
      }
      if (id == kIdList && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        HWND list = GetDlgItem(dlg, kIdList);
        int sel = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0));
        if (sel < 0) return 0;
        std::vector<char> buf(static_cast<std::size_t>(SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0)) + 1);
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buf.data()));
        std::string entry = buf.data();
        bool isDir = entry.size() >= 2 && entry.front() == '[' && entry.back() == ']';
        if (isDir) {
          if (code == LBN_DBLCLK) {
            std::string name = entry.substr(1, entry.size() - 2);
            d->dir = name == ".." ? d->dir.parent_path() : d->dir / name;
            Fill(dlg, *d);
          }
          return 0;
        }
        SetWindowText(GetDlgItem(dlg, kIdName), entry.c_str());
        ShowPreview(dlg, *d, d->dir / entry);
        if (code == LBN_DBLCLK && Finish(dlg, *d)) d->done = true;
      }
      return 0;
    }
    case WM_CLOSE:
      SendMessage(dlg, WM_COMMAND, IDCANCEL, 0);
      return 0;
    default:
      return DefWindowProc(dlg, msg, wParam, lParam);
  }
}

// ---- picture decoding ---------------------------------------------------------------------------

HBITMAP FromPixels(const std::vector<std::uint32_t>& px, int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  return CreateBitmap(w, h, 1, 32, px.data());
}

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

HBITMAP DecodeJpeg(const std::vector<unsigned char>& data) {
  jpeg_decompress_struct info{};
  JpegError err{};
  info.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegError*>(c->err)->jump, 1); };
  err.mgr.output_message = [](j_common_ptr) {};
  // Everything with a destructor lives before the jump target, so a decoding error skips none.
  std::vector<std::uint32_t> px;
  std::vector<unsigned char> row;
  int w = 0, h = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  w = static_cast<int>(info.output_width);
  h = static_cast<int>(info.output_height);
  // A picture too large to preview is refused rather than allocated.
  if (static_cast<long long>(w) * h > 64LL * 1024 * 1024) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  px.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  row.resize(static_cast<std::size_t>(w) * 3);
  while (info.output_scanline < info.output_height) {
    unsigned char* rows[1] = {row.data()};
    int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    for (int x = 0; x < w; ++x) {
      const unsigned char* s = &row[static_cast<std::size_t>(x) * 3];
      px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
          (static_cast<std::uint32_t>(s[0]) << 16) | (static_cast<std::uint32_t>(s[1]) << 8) | s[2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return FromPixels(px, w, h);
}

HBITMAP DecodePng(const std::vector<unsigned char>& data) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return nullptr;
  image.format = PNG_FORMAT_BGRA;
  if (static_cast<long long>(image.width) * image.height > 64LL * 1024 * 1024) {
    png_image_free(&image);
    return nullptr;
  }
  std::vector<std::uint32_t> px(static_cast<std::size_t>(image.width) * image.height);
  // Transparent parts show over the dialog face.
  png_color bg{212, 208, 200};
  if (!png_image_finish_read(&image, &bg, px.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  for (std::uint32_t& p : px) p &= 0xFFFFFF;
  return FromPixels(px, static_cast<int>(image.width), static_cast<int>(image.height));
}

HBITMAP DecodeBmp(const std::vector<unsigned char>& data) {
  if (data.size() < 14 + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M') return nullptr;
  std::uint32_t offset;
  std::memcpy(&offset, &data[10], 4);
  BITMAPINFOHEADER hdr;
  std::memcpy(&hdr, &data[14], sizeof hdr);
  if (offset >= data.size() || hdr.biWidth <= 0 || hdr.biHeight == 0) return nullptr;
  // The drawing layer checks the header against the bits it is given.
  std::vector<unsigned char> info(data.begin() + 14, data.begin() + static_cast<std::ptrdiff_t>(offset));
  if (info.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
  int w = hdr.biWidth, h = hdr.biHeight < 0 ? -hdr.biHeight : hdr.biHeight;
  if (static_cast<long long>(w) * h > 64LL * 1024 * 1024) return nullptr;
  HBITMAP out = CreateBitmap(w, h, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, out);
  int lines = SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h),
                                data.data() + offset, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
  SelectObject(dc, old);
  DeleteDC(dc);
  if (lines <= 0) {
    DeleteObject(out);
    return nullptr;
  }
  return out;
}

}  // namespace

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

DWORD CommDlgExtendedError() { return g_lastError; }

HBITMAP LoadPictureFile(const char* path) {
  if (!path) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 8) return nullptr;
  if (data[0] == 0xFF && data[1] == 0xD8) return DecodeJpeg(data);
  if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') return DecodePng(data);
  if (data[0] == 'B' && data[1] == 'M') return DecodeBmp(data);
  return nullptr;
}

BOOL ChooseColor(CHOOSECOLOR* cc) {
  g_lastError = 0;
  if (!cc || cc->lStructSize < sizeof(CHOOSECOLOR) - sizeof(LPCSTR) - sizeof(LPCCHOOKPROC)) {
    g_lastError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  ColorDlg d;
  d.cc = cc;
  d.current = (cc->Flags & CC_RGBINIT) ? (cc->rgbResult & 0xFFFFFF) : 0;
  if (cc->lpCustColors) std::copy(cc->lpCustColors, cc->lpCustColors + 16, d.custom);
  d.full = (cc->Flags & CC_FULLOPEN) || !(cc->Flags & CC_PREVENTFULLOPEN);
  int width = d.full ? 350 : 210;
  HWND owner = cc->hwndOwner ? GetAncestor(cc->hwndOwner, GA_ROOT) : nullptr;
  HWND dlg = CreateDialogWindow(owner, "Color", width, 300, ColorProc, &d);
  if (!dlg) {
    g_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (d.full) {
    const int ids[3] = {kIdRed, kIdGreen, kIdBlue};
    for (int k = 0; k < 3; ++k)
      Control(dlg, "Edit", "", ES_NUMBER | WS_TABSTOP | ES_AUTOHSCROLL, 282, 112 + k * 26, 48, 20, ids[k], WS_EX_CLIENTEDGE);
    for (int id : ids) SendDlgItemMessage(dlg, id, EM_LIMITTEXT, 3, 0);
    Control(dlg, "Button", "&Add to Custom Colors", BS_PUSHBUTTON | WS_TABSTOP, 222, 200, 122, 23, kIdAdd);
  }
  HWND ok = OkCancel(dlg, width, 262);
  ShowCurrent(dlg, d);
  RunModal(dlg, owner, d.done, d.result, ok);
  if (!d.result) return FALSE;
  cc->rgbResult = d.current;
  if (cc->lpCustColors) std::copy(d.custom, d.custom + 16, cc->lpCustColors);
  return TRUE;
}

BOOL ChooseFont(CHOOSEFONT* cf) {
  g_lastError = 0;
  if (!cf || !cf->lpLogFont) {
    g_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  FontDlg d;
  d.cf = cf;
  HWND owner = cf->hwndOwner ? GetAncestor(cf->hwndOwner, GA_ROOT) : nullptr;
  HWND dlg = CreateDialogWindow(owner, "Font", 420, 300, FontProc, &d);
  if (!dlg) {
    g_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  HWND face = Control(dlg, "ListBox", "", WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT, 10, 10, 170, 150, kIdFace, WS_EX_CLIENTEDGE);
  HWND style = Control(dlg, "ListBox", "", WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 190, 10, 110, 150, kIdStyle, WS_EX_CLIENTEDGE);
  Control(dlg, "Edit", "", ES_NUMBER | WS_TABSTOP, 310, 10, 100, 20, kIdSize, WS_EX_CLIENTEDGE);
  if (cf->Flags & CF_EFFECTS) {
    Control(dlg, "Button", "Stri&keout", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 170, 100, 20, kIdStrike);
    Control(dlg, "Button", "&Underline", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 194, 100, 20, kIdUnder);
    Control(dlg, "Static", "Colo&r:", SS_LEFT, 10, 218, 100, 16, 0);
    HWND colors = Control(dlg, "ComboBox", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 10, 236, 100, 200, kIdColor);
    // A colour that is none of the sixteen shows no entry and is kept unless another is chosen.
    d.color = cf->rgbColors & 0xFFFFFF;
    for (const BasicColor& c : kBasicColors) {
      LRESULT i = SendMessage(colors, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.name));
      SendMessage(colors, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(c.value));
      if (c.value == d.color) SendMessage(colors, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
  }
  Control(dlg, "Static", "AaBbYyZz 中文", SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, 120, 170, 290, 70, kIdSample);
  OkCancel(dlg, 420, 264);
  std::set<std::string> names;
  HDC screen = GetDC(nullptr);
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesEx(screen, &all, FamilyProc, reinterpret_cast<LPARAM>(&names), 0);
  ReleaseDC(nullptr, screen);
  for (const std::string& n : names) SendMessage(face, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
  for (const char* s : kStyles) SendMessage(style, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  const LOGFONTA& init = *cf->lpLogFont;
  int size = 9;
  if (cf->Flags & CF_INITTOLOGFONTSTRUCT) {
    LRESULT i = SendMessage(face, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(init.lfFaceName));
    SendMessage(face, LB_SETCURSEL, i == LB_ERR ? 0 : static_cast<WPARAM>(i), 0);
    SendMessage(style, LB_SETCURSEL, (init.lfWeight >= FW_BOLD ? 2 : 0) + (init.lfItalic ? 1 : 0), 0);
    if (init.lfHeight) size = std::max(1, MulDiv(init.lfHeight < 0 ? -init.lfHeight : init.lfHeight, 72, 96));
    SendDlgItemMessage(dlg, kIdStrike, BM_SETCHECK, init.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessage(dlg, kIdUnder, BM_SETCHECK, init.lfUnderline ? BST_CHECKED : BST_UNCHECKED, 0);
  } else {
    SendMessage(face, LB_SETCURSEL, 0, 0);
    SendMessage(style, LB_SETCURSEL, 0, 0);
  }
  if (cf->iPointSize > 0 && !(cf->Flags & CF_INITTOLOGFONTSTRUCT)) size = cf->iPointSize / 10;
  SetInt(dlg, kIdSize, size);
  UpdateSample(dlg, d);
  RunModal(dlg, owner, d.done, d.result, face);
  if (d.sample) DeleteObject(d.sample);
  if (!d.result) return FALSE;
  *cf->lpLogFont = d.chosen;
  cf->iPointSize = d.pointSize * 10;
  if (cf->Flags & CF_EFFECTS) cf->rgbColors = d.color;
  if (cf->Flags & CF_LIMITSIZE) cf->iPointSize = std::clamp(cf->iPointSize, cf->nSizeMin * 10, cf->nSizeMax * 10);
  return TRUE;
}

BOOL GetOpenFileName(OPENFILENAME* ofn) {
  g_lastError = 0;
  if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
    g_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  OpenDlg d;
  d.ofn = ofn;
  // The filter is pairs of strings, each ended by a NUL, the list by an empty string.
  for (const char* p = ofn->lpstrFilter; p && *p;) {
    std::string desc = p;
    p += desc.size() + 1;
    if (!*p) break;
    std::string pat = p;
    p += pat.size() + 1;
    d.filters.emplace_back(desc, pat);
  }
  std::error_code ec;
  std::string initialFile = ofn->lpstrFile;
  d.dir = ofn->lpstrInitialDir && *ofn->lpstrInitialDir ? std::filesystem::path(ofn->lpstrInitialDir) : std::filesystem::current_path(ec);
  if (!initialFile.empty() && std::filesystem::path(initialFile).has_parent_path())
    d.dir = std::filesystem::path(initialFile).parent_path();
  if (!std::filesystem::is_directory(d.dir, ec)) d.dir = std::filesystem::current_path(ec);
  HWND owner = ofn->hwndOwner ? GetAncestor(ofn->hwndOwner, GA_ROOT) : nullptr;
  HWND dlg = CreateDialogWindow(owner, ofn->lpstrTitle ? ofn->lpstrTitle : "Open", 520, 330, OpenProc, &d);
  if (!dlg) {
    g_lastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  Control(dlg, "Static", "", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 10, 10, 500, 16, kIdDir);
  Control(dlg, "ListBox", "", WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 10, 30, 300, 200, kIdList, WS_EX_CLIENTEDGE);
  Control(dlg, "Static", "", SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN, 320, 30, 190, 200, kIdPreview);
  HWND name = Control(dlg, "Edit", std::filesystem::path(initialFile).filename().string().c_str(), WS_TABSTOP | ES_AUTOHSCROLL, 90, 240, 420, 20,
                      kIdName, WS_EX_CLIENTEDGE);
  Control(dlg, "Static", "File &name:", SS_LEFT, 10, 243, 78, 16, 0);
  HWND filter = Control(dlg, "ComboBox", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 90, 266, 420, 120, kIdFilter);
  Control(dlg, "Static", "Files of &type:", SS_LEFT, 10, 269, 78, 16, 0);
  for (const auto& f : d.filters) SendMessage(filter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.first.c_str()));
  int index = ofn->nFilterIndex > 0 ? static_cast<int>(ofn->nFilterIndex) - 1 : 0;
  SendMessage(filter, CB_SETCURSEL, static_cast<WPARAM>(std::min(index, std::max(0, static_cast<int>(d.filters.size()) - 1))), 0);
  OkCancel(dlg, 520, 300);
  Fill(dlg, d);
  RunModal(dlg, owner, d.done, d.result, name);
  if (d.preview) DeleteObject(d.preview);
  return d.result ? TRUE : FALSE;
}

}  // namespace win
