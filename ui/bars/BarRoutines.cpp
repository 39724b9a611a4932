#include "ui/bars/BarRoutines.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "platform/classes/Forms.h"
#include "platform/classes/Menus.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/controls/ControlServices.h"

using namespace win;

// ---- strings and keys ---------------------------------------------------------------------------

String LayoutSeparator(bool Registry) { return Registry ? "\\" : "."; }

TShortCut ShortCutOf(WORD Key, LPARAM KeyData) {
  if (Key == 0) return 0;
  unsigned result = Key;
  if (GetKeyState(VK_SHIFT) < 0) result |= 0x2000;
  if (GetKeyState(VK_CONTROL) < 0) result |= 0x4000;
  if (KeyData & (LPARAM{1} << 29)) result |= 0x8000;
  return static_cast<TShortCut>(result);
}

String ShortCutHintText(TShortCut ShortCut) {
  if (ShortCut == 0) return String();
  return " (" + ShortCutToText(ShortCut) + ")";
}

namespace {

// Characters (code points) in the first Bytes bytes of UTF-8 text.
int CharactersIn(const String& Text, std::size_t Bytes) {
  int n = 0;
  for (std::size_t i = 0; i < Bytes && i < Text.size(); ++i)
    if ((static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

int AcceleratorPosition(String& Caption, bool RemoveMarks) {
  int result = 0;
  std::size_t i = 0;
  // The "&" is ASCII and never part of a multi-byte character, so scanning bytes is safe.
  while (i + 1 < Caption.size()) {
    if (Caption[i] != '&') {
      ++i;
      continue;
    }
    if (RemoveMarks) {
      Caption.erase(i, 1);
      if (Caption[i] != '&') result = CharactersIn(Caption, i + 1);
      ++i;
    } else if (Caption[i + 1] == '&') {
      i += 2;
    } else {
      result = CharactersIn(Caption, i + 2);
      ++i;
    }
  }
  return result;
}

int AcceleratorPosition(const String& Caption) {
  String copy = Caption;
  return AcceleratorPosition(copy, false);
}

int ScaleByScreenDpi(int Value, int Base) {
  if (Base == 0) return Value;
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  // nearbyint rounds ties to even in the default rounding mode.
  return static_cast<int>(std::nearbyint(static_cast<double>(Value) * ppi / Base));
}

String CaptionWithoutAccelerators(const String& Caption) {
  String result;
  StripAccelerators(Caption, false, result);
  return result;
}

std::vector<String> EnumValueNames(const TEnumInfo* Info) {
  std::vector<String> names;
  if (!Info) return names;
  for (int i = 0; i < Info->Count(); ++i) names.push_back(Info->Name(i));
  return names;
}

int HighestRealViewLevel(TdxBarItemViewLevels Levels) {
  for (int level = ivlControlOnly; level >= ivlLargeIconWithText; --level)
    if (Levels.Contains(static_cast<TdxBarItemViewLevel>(level))) return level;
  return 255;
}

// ---- glyphs and arrows --------------------------------------------------------------------------

int GlyphDrawMode(bool HasOwnDisabledLook, bool FadeDisabledImages, bool GrayGlyph, bool GlyphDrawFlagA,
                  bool GlyphDrawFlagB, bool Selected, bool Down, bool Pressed) {
  if (!HasOwnDisabledLook) return FadeDisabledImages ? 2 : 1;
  if (GrayGlyph) return 3;
  if (!GlyphDrawFlagA) return 0;
  if (!Selected && !Down && FadeInactiveGlyphs && ScreenColorDepth > 8) return 4;
  if (GlyphDrawFlagB && Selected && !Pressed) return 5;
  return 0;
}

void FillPolygon(HDC DC, const POINT* Points, int Count, COLORREF FillColor, COLORREF PenColor) {
  HPEN pen = CreatePen(PS_SOLID, 1, PenColor);
  HBRUSH brush = CreateSolidBrush(FillColor);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  HGDIOBJ oldBrush = SelectObject(DC, brush);
  Polygon(DC, Points, Count);
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

namespace {

COLORREF ResolveArrowColor(TColor Color, bool Enabled, bool Selected) {
  if (Color != clDefault) return ColorToRGB(Color);
  if (!Enabled) return GetSysColor(COLOR_BTNSHADOW);
  if (!Selected) return GetSysColor(COLOR_BTNTEXT);
  // Highlight text on a white face would vanish.
  return GetSysColor(COLOR_BTNFACE) == RGB(255, 255, 255) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void Line(HDC DC, int x0, int y0, int x1, int y1) {
  MoveToEx(DC, x0, y0, nullptr);
  LineTo(DC, x1, y1);
}

}  // namespace

void DrawBarArrow(HDC DC, const RECT& R, TdxBarArrowDirection Direction, TColor Color, bool Enabled, bool Selected,
                  bool SkipDisabledHighlight, int S) {
  const COLORREF color = ResolveArrowColor(Color, Enabled, Selected);
  int x0, y0;
  POINT triangle[3];
  if (Direction == adDown) {
    x0 = (R.left + R.right - 2 * S + 1) / 2;
    y0 = (R.top + R.bottom - S) / 2;
    triangle[0] = {x0, y0};
    triangle[1] = {x0 + 2 * S - 2, y0};
    triangle[2] = {x0 + S - 1, y0 + S - 1};
  } else {
    x0 = (R.left + R.right - S) / 2;
    y0 = (R.top + R.bottom - 2 * S + 1) / 2;
    triangle[0] = {x0, y0};
    triangle[1] = {x0, y0 + 2 * S - 2};
    triangle[2] = {x0 + S - 1, y0 + S - 1};
  }
  FillPolygon(DC, triangle, 3, color, color);
  if (Enabled || SkipDisabledHighlight) return;
  HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HGDIOBJ old = SelectObject(DC, highlight);
  if (Direction == adDown) {
    Line(DC, x0 + S, y0 + S - 1, x0 + 2 * S - 1, y0);
    Line(DC, x0 + S, y0 + S, x0 + 2 * S, y0);
  } else {
    Line(DC, x0 + S - 1, y0 + S, x0, y0 + 2 * S - 1);
    Line(DC, x0 + S, y0 + S, x0, y0 + 2 * S);
  }
  SelectObject(DC, old);
  DeleteObject(highlight);
}

int BarArrowFittedSize(const RECT& R, TdxBarArrowDirection Direction) {
  const int n = Direction == adDown ? R.right - R.left - 8 : R.bottom - R.top - 6;
  // The floor of 3 holds after the odd-size step too.
  const int s = (n - 1) / 2 + (n % 2 != 0 ? 1 : 0);
  return s > 3 ? s : 3;
}

void DrawBarArrowFitted(HDC DC, const RECT& R, TdxBarArrowDirection Direction, TColor Color, bool Enabled,
                        bool Selected, bool SkipDisabledHighlight) {
  DrawBarArrow(DC, R, Direction, Color, Enabled, Selected, SkipDisabledHighlight, BarArrowFittedSize(R, Direction));
}

// ---- fills, frames and clipping -----------------------------------------------------------------

namespace {

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

void FillOrTile(HDC DC, const RECT& R, const RECT& Origin, HBITMAP Bitmap, TColor Color, HBRUSH Brush) {
  BITMAP info{};
  const bool hasBitmap = Bitmap && GetObject(Bitmap, sizeof info, &info) != 0 && info.bmWidth > 0 && info.bmHeight > 0;
  if (!hasBitmap) {
    if (Brush) {
      FillRect(DC, &R, Brush);
    } else {
      HBRUSH solid = CreateSolidBrush(ColorToRGB(Color));
      FillRect(DC, &R, solid);
      DeleteObject(solid);
    }
    return;
  }
  if (Origin.right <= Origin.left || Origin.bottom <= Origin.top) return;
  const long long w = info.bmWidth, h = info.bmHeight;
  HDC source = CreateCompatibleDC(DC);
  HGDIOBJ old = SelectObject(source, Bitmap);
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  for (long long row = FloorDiv(Origin.top, h); row <= FloorDiv(Origin.bottom - 1, h); ++row)
    for (long long col = FloorDiv(Origin.left, w); col <= FloorDiv(Origin.right - 1, w); ++col)
      BitBlt(DC, static_cast<int>(w * col + R.left - Origin.left), static_cast<int>(h * row + R.top - Origin.top),
             static_cast<int>(w), static_cast<int>(h), source, 0, 0, SRCCOPY);
  RestoreDC(DC, saved);
  SelectObject(source, old);
  DeleteDC(source);
}

void FrameRectTwice(HDC DC, const RECT& R, int SysColor) {
  RECT r = R;
  FrameRect(DC, &r, GetSysColorBrush(SysColor));
  InflateRect(&r, -1, -1);
  FrameRect(DC, &r, GetSysColorBrush(SysColor));
}

void FrameHighlight(HDC DC, const RECT& R) { FrameRect(DC, &R, GetSysColorBrush(COLOR_HIGHLIGHT)); }

void DrawDottedFocusFrame(HDC DC, const RECT& R) {
  const COLORREF color = GetSysColor(COLOR_BTNTEXT);
  for (int ring = 0; ring < 2; ++ring) {
    const int l = R.left + ring, t = R.top + ring, r = R.right - 1 - ring, b = R.bottom - 1 - ring;
    if (l > r || t > b) break;
    auto dot = [&](int x, int y) {
      if (((x + y) & 1) == 0) SetPixel(DC, x, y, color);
    };
    for (int x = l; x <= r; ++x) {
      dot(x, t);
      if (b != t) dot(x, b);
    }
    for (int y = t + 1; y < b; ++y) {
      dot(l, y);
      if (r != l) dot(r, y);
    }
  }
}

void DeleteAndClearObject(HGDIOBJ& Handle) {
  if (Handle) DeleteObject(Handle);
  Handle = nullptr;
}

void RestoreAndDelete(HDC DC, HGDIOBJ Previous) { DeleteObject(SelectObject(DC, Previous)); }

void ExcludeFrameInterior(TcxCanvas* Canvas, const TRect& Frame, const TRect& Content) {
  Canvas->ClipToRect(Frame);
  Canvas->ExcludeRectFromClip(Content);
}

void ReleaseWindowHandle(HWND& Window, bool Destroy) {
  if (Destroy && Window) DestroyWindow(Window);
  Window = nullptr;
}

bool KillTimerSafe(HWND Window, UINT_PTR& TimerId) {
  if (TimerId == 0 || !KillTimer(Window, TimerId)) return false;
  TimerId = 0;
  return true;
}

void SetWindowPosNoSize(HWND Window, HWND InsertAfter, bool Activate, UINT ExtraFlags) {
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | ExtraFlags;
  if (!Activate) flags |= SWP_NOACTIVATE;
  SetWindowPos(Window, InsertAfter, 0, 0, 0, 0, flags);
}

COLORREF NearestScreenColor(COLORREF Color) {
  HDC dc = GetDC(nullptr);
  const COLORREF result = GetNearestColor(dc, Color);
  ReleaseDC(nullptr, dc);
  return result;
}

void HatchArea(HDC DC, const RECT& R) { DrawHatchOverArea(DC, TRect(R), clBlack, clBtnFace, 2, 170, 20); }

RECT WorkAreaAt(POINT P) {
  RECT r{};
  DesktopWorkArea(P, r);
  return r;
}

TBitmap* NewBitmapWithChangeHandler(TNotifyEvent Handler) {
  auto* bitmap = new TBitmap;
  bitmap->OnChange = std::move(Handler);
  return bitmap;
}

void KeepClipRegion(HDC DC, HRGN& Region, bool& Existed) {
  Region = CreateRectRgn(0, 0, 0, 0);
  Existed = GetClipRgn(DC, Region) == 1;
}

void PutBackClipRegion(HDC DC, HRGN& Region, bool Existed) {
  SelectClipRgn(DC, Existed ? Region : nullptr);
  if (Region) DeleteObject(Region);
  Region = nullptr;
}

void AddClipRectangle(HDC DC, const RECT& R) {
  HRGN rgn = CreateRectRgnIndirect(&R);
  ExtSelectClipRgn(DC, rgn, RGN_OR);
  DeleteObject(rgn);
}

// ---- messages and mouse -------------------------------------------------------------------------

namespace {

void ProcessPending(UINT First, UINT Last) {
  MSG msg;
  while (PeekMessage(&msg, nullptr, First, Last, PM_NOREMOVE)) {
    if (!GetMessage(&msg, nullptr, First, Last)) {
      // Quitting belongs to the outer loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchMessage(&msg);
  }
}

}  // namespace

void ProcessPendingMouseMessages() { ProcessPending(WM_MOUSEFIRST, WM_MOUSELAST); }
void ProcessPendingPaints() { ProcessPending(WM_PAINT, WM_PAINT); }

bool MouseDownMessage(UINT Message) {
  switch (Message) {
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

void DropPendingChars(HWND Window) {
  MSG msg;
  while (PeekMessage(&msg, Window, WM_CHAR, WM_CHAR, PM_REMOVE))
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
}

bool LoadingFromAncestor(const TComponent* Component) {
  const TComponentState state = Component->ComponentState();
  return state.Contains(csLoading) && state.Contains(csAncestor) && !state.Contains(csReading);
}

int BarMessageBox(const String& Text, UINT Flags) {
  return Application->MessageBox(Text, Application->Title(), static_cast<int>(Flags));
}

bool LeftButtonDown() { return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0; }
bool RightButtonDown() { return GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_LBUTTON : VK_RBUTTON) < 0; }

// ---- fonts --------------------------------------------------------------------------------------

namespace {

// Face names hold 31 bytes and a terminator; a cut never splits a character.
void CopyFaceName(char (&Target)[32], const String& Name) {
  std::size_t n = Name.size() < 31 ? Name.size() : 31;
  if (n < Name.size())
    while (n > 0 && (static_cast<unsigned char>(Name[n]) & 0xC0) == 0x80) --n;
  std::memcpy(Target, Name.data(), n);
  Target[n] = 0;
}

}  // namespace

HFONT CreateSmallCaptionFont(TFont* Font, bool UseSystemFont) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTA lf = metrics.lfSmCaptionFont;
  if (!UseSystemFont && Font) {
    if (lf.lfHeight > -11) lf.lfHeight = -11;
    CopyFaceName(lf.lfFaceName, Font->Name());
  }
  return CreateFontIndirect(&lf);
}

void MakeEditFont(TFont* Font, TFont* Target, bool Scaled) {
  if (!Font || !Target) return;
  LOGFONTA lf{};
  GetObject(Font->Handle(), sizeof lf, &lf);
  if (Scaled) {
    LOGFONTA iconTitle{};
    SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    lf.lfHeight = iconTitle.lfHeight >= -10 ? -11 : iconTitle.lfHeight;
  }
  Target->SetHandle(CreateFontIndirect(&lf));
}

HFONT CopyFontHandle(HFONT Font) {
  LOGFONTA lf{};
  if (!Font || GetObject(Font, sizeof lf, &lf) == 0) return nullptr;
  return CreateFontIndirect(&lf);
}

// ---- keyboard-navigation geometry ---------------------------------------------------------------

TdxBarDirectionalMetrics DirectionalMetrics(const RECT& From, const RECT& Candidate, int Direction) {
  // Sums in 64 bits: a wrapped rectangle sits near the end of the coordinate space.
  const double fx = (static_cast<long long>(From.left) + From.right) / 2.0;
  const double fy = (static_cast<long long>(From.top) + From.bottom) / 2.0;
  const double cx = (static_cast<long long>(Candidate.left) + Candidate.right) / 2.0;
  const double cy = (static_cast<long long>(Candidate.top) + Candidate.bottom) / 2.0;
  double angle = std::atan2(cy - fy, cx - fx) * 180.0 / std::numbers::pi;
  if (angle < 0) angle += 360.0;
  static const double kExpected[] = {180.0, 270.0, 0.0, 90.0};
  TdxBarDirectionalMetrics m;
  const double diff = std::fabs(angle - kExpected[Direction & 3]);
  m.Deviation = std::fmin(diff, 360.0 - diff);
  switch (Direction) {
    case 0: m.Distance = static_cast<long long>(From.left) - Candidate.right; break;
    case 1: m.Distance = static_cast<long long>(From.top) - Candidate.bottom; break;
    case 2: m.Distance = static_cast<long long>(Candidate.left) - From.right; break;
    default: m.Distance = static_cast<long long>(Candidate.top) - From.bottom; break;
  }
  return m;
}

namespace {

constexpr int kCoordinateLimit = 1073741823;

int NearestFrom(const RECT& From, const std::vector<RECT>& Rects, int Current, int Direction) {
  int best = -1;
  TdxBarDirectionalMetrics bestMetrics;
  for (int i = 0; i < static_cast<int>(Rects.size()); ++i) {
    if (i == Current) continue;
    TdxBarDirectionalMetrics m = DirectionalMetrics(From, Rects[static_cast<std::size_t>(i)], Direction);
    if (m.Distance < 0) continue;
    if (best < 0 || m.Distance < bestMetrics.Distance ||
        (m.Distance == bestMetrics.Distance && m.Deviation < bestMetrics.Deviation)) {
      best = i;
      bestMetrics = m;
    }
  }
  return best;
}

}  // namespace

int NextInDirection(const std::vector<RECT>& Rects, int Current, int Direction, bool Wrap) {
  if (Direction < 0 || Direction > 3 || Current < 0 || Current >= static_cast<int>(Rects.size())) return -1;
  const RECT& from = Rects[static_cast<std::size_t>(Current)];
  int found = NearestFrom(from, Rects, Current, Direction);
  if (found >= 0 || !Wrap || (Direction != 0 && Direction != 2)) return found;
  RECT moved = from;
  const int width = from.right - from.left;
  if (Direction == 0) {
    moved.right = kCoordinateLimit;
    moved.left = kCoordinateLimit - width;
  } else {
    moved.left = -kCoordinateLimit;
    moved.right = -kCoordinateLimit + width;
  }
  return NearestFrom(moved, Rects, Current, Direction);
}
