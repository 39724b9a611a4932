#include "ui/skins/SkinFormPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Gdi.h"
#include "platform/win/Accessibility.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/skins/SkinFormController.h"
#include "ui/skins/SkinInfo.h"

using namespace win;

namespace {

bool IsValidColor(TColor C) { return C != clNone && C != clDefault; }

TSize ElementMinSize(TdxSkinElement* E) { return E ? TSize(E->MinSize()->Width(), E->MinSize()->Height()) : TSize(); }

TSize ElementImageSize(TdxSkinElement* E) { return E ? TSize(E->ImageSize()) : TSize(); }

TRect OffsetsOf(TdxSkinElement* E) { return E ? E->ContentOffset()->Rect() : TRect(); }

TRect CentredIn(const TRect& R, TSize Size) {
  const int x = R.Left + (WidthOfRect(R) - Size.cx) / 2;
  const int y = R.Top + (HeightOfRect(R) - Size.cy) / 2;
  return TRect(x, y, x + Size.cx, y + Size.cy);
}

// The window's sizing frame as the window system draws it.
int SystemFrame(bool Horizontal, DWORD Style, const NONCLIENTMETRICS& Metrics) {
  int frame = GetSystemMetrics(Horizontal ? SM_CXFRAME : SM_CYFRAME);
  if (!(Style & WS_THICKFRAME)) frame -= Metrics.iBorderWidth;
  return frame;
}

}  // namespace

UINT SkinFormIconCommand(TdxSkinFormIcon Kind) {
  static constexpr UINT commands[] = {SC_DEFAULT, SC_CONTEXTHELP, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE};
  return commands[Kind];
}

int SkinFormIconHitTest(TdxSkinFormIcon Kind) {
  static constexpr int codes[] = {HTSYSMENU, HTHELP, HTMINBUTTON, HTMAXBUTTON, HTMAXBUTTON, HTCLOSE};
  return codes[Kind];
}

// ---- caption buttons ----------------------------------------------------------------------------------

bool TdxSkinFormIconInfo::Enabled() const {
  TdxSkinFormNonClientAreaInfo* info = FOwner->Info();
  switch (FKind) {
    case sfiMinimize:
      return (info->Style & WS_MINIMIZEBOX) != 0;
    case sfiMaximize:
      return (info->Style & WS_MAXIMIZEBOX) != 0;
    case sfiClose: {
      HMENU menu = GetSystemMenu(info->Handle(), FALSE);
      return menu && !(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    }
    default:
      return true;
  }
}

TdxSkinElementState TdxSkinFormIconInfo::State() const {
  if (!FOwner->Info()->Active) return esActiveDisabled;
  if (FOwner->Hot != this || !Enabled()) return esNormal;
  if (FOwner->Pressed == this && GetAsyncKeyState(VK_LBUTTON) < 0) return esPressed;
  return esHot;
}

TdxSkinFormIconInfo* TdxSkinFormIconInfoList::Find(TdxSkinFormIcon Kind) const {
  for (const auto& b : FItems)
    if (b->Kind() == Kind) return b.get();
  return nullptr;
}

void TdxSkinFormIconInfoList::Keep(TdxSkinFormIcons Visible) {
  std::erase_if(FItems, [&](const std::unique_ptr<TdxSkinFormIconInfo>& b) {
    if (Visible & (1u << b->Kind())) return false;
    if (Hot == b.get()) Hot = nullptr;
    if (Pressed == b.get()) Pressed = nullptr;
    return true;
  });
  for (int k = sfiMenu; k <= sfiClose; ++k)
    if ((Visible & (1u << k)) && !Find(static_cast<TdxSkinFormIcon>(k)))
      FItems.push_back(std::make_unique<TdxSkinFormIconInfo>(this, static_cast<TdxSkinFormIcon>(k)));
}

TdxSkinFormIconInfo* TdxSkinFormIconInfoList::HitTest(const TPoint& P) const {
  for (const auto& b : FItems)
    if (RectContainsPoint(b->HitBounds, P)) return b.get();
  return nullptr;
}

bool TdxSkinFormIconInfoList::UpdateHot() {
  std::vector<TdxSkinElementState> before;
  for (const auto& b : FItems) before.push_back(b->State());
  Hot = HitTest(FInfo->CursorPos());
  bool changed = false;
  for (std::size_t i = 0; i < FItems.size(); ++i) changed |= FItems[i]->State() != before[i];
  return changed;
}

// ---- geometry ---------------------------------------------------------------------------------------------

TdxSkinFormNonClientAreaInfo::TdxSkinFormNonClientAreaInfo(TdxSkinFormController* AController)
    : CaptionFont(std::make_unique<TFont>()),
      FController(AController),
      FButtons(std::make_unique<TdxSkinFormIconInfoList>(this)) {}

TdxSkinFormNonClientAreaInfo::~TdxSkinFormNonClientAreaInfo() = default;

HWND TdxSkinFormNonClientAreaInfo::Handle() const { return FController->Handle(); }

bool TdxSkinFormNonClientAreaInfo::UsesSystemMetrics() {
  if (!FThemesKnown) {
    FThemesActive = UxIsThemeActive();
    FThemesKnown = true;
  }
  return IsMaximized() || HasMenu || IsMDIClient || !FThemesActive;
}

bool TdxSkinFormNonClientAreaInfo::UsesSkinMargins() {
  return HasBorder() && !UsesSystemMetrics() && !(IsMDIChild && IsMaximized());
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::CaptionElement() const { return FrameElement(1); }

TdxSkinElement* TdxSkinFormNonClientAreaInfo::FrameElement(int Part) const {
  return Info ? Info->FormFrames[ElementSet()][Part] : nullptr;
}

TdxSkinElement* TdxSkinFormNonClientAreaInfo::ButtonElement(TdxSkinFormIcon Kind) const {
  return Info && Kind != sfiMenu ? Info->FormCaptionButtons[ElementSet()][Kind] : nullptr;
}

TPoint TdxSkinFormNonClientAreaInfo::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return TPoint(p.x - WindowRectScreen.left, p.y - WindowRectScreen.top);
}

void TdxSkinFormNonClientAreaInfo::SetActive(bool Value) {
  if (Active == Value) return;
  Active = Value;
  FButtons->UpdateHot();
}

void TdxSkinFormNonClientAreaInfo::Calculate() {
  HWND h = Handle();
  if (!h) return;
  Metrics = NONCLIENTMETRICS{};
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0);
  Style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  ExStyle = static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE));
  IsMDIChild = TdxSkinWinController::IsMDIChild(h);
  IsMDIClient = TdxSkinWinController::IsMDIClient(h);
  HasMenu = GetMenu(h) != nullptr && !IsMDIChild && !(Style & WS_CHILD);
  if (IsIconic(h))
    WindowState = 1;
  else if (IsZoomed(h))
    WindowState = 2;
  Painter = FController->SkinPainter();
  Info = Painter ? Painter->SkinPainterInfo() : nullptr;
  CalcEdgeSizes();
  ReadWindow();
  // The caption's font and colours.
  HFONT font = CreateFontIndirect(IsToolWindow() ? &Metrics.lfSmCaptionFont : &Metrics.lfCaptionFont);
  CaptionFont->SetHandle(font);
  if (Info && !IsToolWindow()) CaptionFont->SetSize(CaptionFont->Size() + Info->FormCaptionFontDelta - 1);
  if (Info && CaptionElement()) {
    ActiveTextColor = CaptionElement()->TextColor();
    ShadowColor = Info->FormTextShadowColor ? Info->FormTextShadowColor->Value() : clBtnShadow;
    InactiveTextColor = Info->FormTextColorInactive ? Info->FormTextColorInactive->Value() : ActiveTextColor;
  } else {
    ActiveTextColor = clCaptionText;
    ShadowColor = clBtnShadow;
    InactiveTextColor = clInactiveCaptionText;
  }
  CalcBorderWidths();
  CalcFrameParts();
  CalcCaption();
  CalcScrollBars();
}

void TdxSkinFormNonClientAreaInfo::CalcEdgeSizes() {
  ClientEdge = (ExStyle & WS_EX_CLIENTEDGE) ? TSize(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)) : TSize();
  SizingThickness = TSize();
  if (!HasBorder() || !Info) return;
  // The horizontal thickness from the bottom frame, the vertical one from the right frame.
  const RECT& widths = Info->FormBorderWidths[ElementSet()];
  SizingThickness = TSize(widths.bottom, widths.right);
  if (UsesSystemMetrics()) {
    SizingThickness.cx = std::min(SizingThickness.cx, SystemFrame(true, Style, Metrics));
    SizingThickness.cy = std::min(SizingThickness.cy, SystemFrame(false, Style, Metrics));
  }
}

void TdxSkinFormNonClientAreaInfo::ReadWindow() {
  HWND h = Handle();
  GetWindowRect(h, &WindowRectScreen);
  RECT client{};
  GetClientRect(h, &client);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  ClientRectScreen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  FormBorderWidth = TdxSkinFormHelper::FormBorderWidth(h);
  ClientRect = TRect(ClientRectScreen.left - WindowRectScreen.left, ClientRectScreen.top - WindowRectScreen.top,
                     ClientRectScreen.right - WindowRectScreen.left, ClientRectScreen.bottom - WindowRectScreen.top);
  FrameRect = TRect(0, 0, WindowRectScreen.right - WindowRectScreen.left, WindowRectScreen.bottom - WindowRectScreen.top);
  if (UsesSystemMetrics() && HasBorder()) {
    const int dx = SystemFrame(true, Style, Metrics) - SizingThickness.cx;
    const int dy = SystemFrame(false, Style, Metrics) - SizingThickness.cy;
    FrameRect = GrowRectSides(FrameRect, -dx, -dy, -dx, -dy);
  }
  Icon = WindowIcon();
  MenuBarHeightValue = HasMenu ? MenuBarHeight() : 0;
  char text[1024];
  GetWindowText(h, text, sizeof(text));
  CaptionText = text;
}

HICON TdxSkinFormNonClientAreaInfo::WindowIcon() {
  return reinterpret_cast<HICON>(SendMessage(Handle(), WM_GETICON, ICON_SMALL2, 0));
}

int TdxSkinFormNonClientAreaInfo::MenuBarHeight() {
  HWND h = Handle();
  HMENU menu = GetMenu(h);
  const int count = menu ? GetMenuItemCount(menu) : 0;
  if (count <= 0) return 0;
  RECT first{}, last{};
  GetMenuItemRect(h, menu, 0, &first);
  GetMenuItemRect(h, menu, static_cast<UINT>(count - 1), &last);
  return std::max(0, static_cast<int>(last.bottom - first.top));
}

TSize TdxSkinFormNonClientAreaInfo::SystemIconSize() {
  const int side = IsToolWindow() ? GetSystemMetrics(SM_CYSMCAPTION) - 2 * GetSystemMetrics(SM_CYEDGE)
                                  : GetSystemMetrics(SM_CYSMICON);
  return TSize(side, side);
}

void TdxSkinFormNonClientAreaInfo::CalcBorderWidths() {
  BorderWidths = TRect();
  MenuLine = TRect();
  if (IsMinimized()) {
    BorderWidths.Top = FrameRect.Bottom - FrameRect.Top;
    return;
  }
  if (HasBorder() && Info) {
    const RECT& widths = Info->FormBorderWidths[ElementSet()];
    BorderWidths.Left = widths.left;
    BorderWidths.Right = widths.right;
    BorderWidths.Bottom = widths.bottom;
    if (UsesSystemMetrics()) {
      const int w = FrameRect.Right - FrameRect.Left + 2 * 0;
      (void)w;
      // The window system's own margins, less the form's border width.
      const int left = ClientRect.Left - FrameRect.Left - FormBorderWidth;
      const int right = FrameRect.Right - ClientRect.Right - FormBorderWidth;
      const int bottom = FrameRect.Bottom - ClientRect.Bottom - FormBorderWidth -
                         ((Style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
      const int rightBars = right - ((Style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
      BorderWidths.Left = std::max(0, std::min<int>(BorderWidths.Left, left));
      BorderWidths.Right = std::max(0, std::min<int>(BorderWidths.Right, rightBars));
      BorderWidths.Bottom = std::max(0, std::min<int>(BorderWidths.Bottom, bottom));
    }
  }
  BorderWidths.Top = CaptionHeight();
  if (HasMenu) {
    const int y = FrameRect.Top + BorderWidths.Top;
    MenuLine = TRect(FrameRect.Left + BorderWidths.Left, y, FrameRect.Right - BorderWidths.Right, y + 1);
  }
}

int TdxSkinFormNonClientAreaInfo::CaptionHeight() {
  if (!HasCaption()) return 0;
  if (UsesSystemMetrics()) {
    int top = ClientRect.Top - FormBorderWidth;
    if (HasMenu) top -= MenuBarHeightValue + ClientEdge.cy;
    return std::max(0, top - FrameRect.Top);
  }
  const TRect o = OffsetsOf(CaptionElement());
  return std::max(CaptionTextHeight(), TallestButtonHeight()) + o.Top + o.Bottom;
}

int TdxSkinFormNonClientAreaInfo::CaptionTextHeight() {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, CaptionFont->Handle());
  SIZE size{};
  GetTextExtentPoint32(dc, "Wg", 2, &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cy;
}

int TdxSkinFormNonClientAreaInfo::TallestButtonHeight() {
  int tallest = 0;
  const TdxSkinFormIcons visible = VisibleButtons();
  for (int k = sfiMenu; k <= sfiClose; ++k) {
    if (!(visible & (1u << k))) continue;
    const int h = k == sfiMenu ? SystemIconSize().cy : ElementMinSize(ButtonElement(static_cast<TdxSkinFormIcon>(k))).cy;
    tallest = std::max(tallest, h);
  }
  return tallest;
}

TdxSkinFormIcons TdxSkinFormNonClientAreaInfo::VisibleButtons() {
  TdxSkinFormIcons result = 0;
  if (Style & WS_SYSMENU) {
    result |= 1u << sfiClose;
    if (!IsToolWindow() && !(ExStyle & WS_EX_DLGMODALFRAME)) result |= 1u << sfiMenu;
  }
  if (IsToolWindow()) return result & (1u << sfiClose);
  if (Style & WS_MINIMIZEBOX) result |= 1u << (IsMinimized() ? sfiRestore : sfiMinimize);
  if (Style & WS_MAXIMIZEBOX) result |= 1u << (IsMaximized() ? sfiRestore : sfiMaximize);
  if ((ExStyle & WS_EX_DLGMODALFRAME) && (ExStyle & WS_EX_CONTEXTHELP)) result |= 1u << sfiHelp;
  return result;
}

void TdxSkinFormNonClientAreaInfo::CalcFrameParts() {
  const TRect& F = FrameRect;
  FrameParts[0] = TRect(F.Left, F.Top, F.Left + BorderWidths.Left, F.Bottom);
  FrameParts[1] = TRect(F.Left, F.Top, F.Right, F.Top + BorderWidths.Top);
  FrameParts[2] = TRect(F.Right - BorderWidths.Right, F.Top, F.Right, F.Bottom);
  FrameParts[3] = TRect(F.Left, F.Bottom - BorderWidths.Bottom, F.Right, F.Bottom);
}

TRect TdxSkinFormNonClientAreaInfo::CaptionContentRect() {
  TRect o = OffsetsOf(CaptionElement());
  if (UsesSystemMetrics() && HasCaption()) {
    const int image = ElementImageSize(CaptionElement()).cy;
    const int caption = BorderWidths.Top;
    const int ratio = caption > 0 ? static_cast<int>(std::lround(static_cast<double>(image) / caption)) : 0;
    // A caption drawn by colour alone (or a short picture) gives 0: then nothing is scaled.
    if (ratio > 0) o = TRect(o.Left / ratio, o.Top / ratio, o.Right / ratio, o.Bottom / ratio);
    if (IsMaximized()) {
      o.Left = std::max<int>(o.Left, SizingThickness.cx);
      o.Right = std::max<int>(o.Right, SizingThickness.cx);
      o.Top = std::max<int>(o.Top, SizingThickness.cy);
    }
  }
  TdxSkinElement* left = FrameElement(0);
  o.Left = std::max(ElementMinSize(left).cx, ElementImageSize(left).cx);
  if (IsMaximized() && UsesSystemMetrics()) o.Left = std::max<int>(o.Left, SizingThickness.cx);
  if (IsToolWindow()) o.Top += 1;
  return RectWithinMargins(FrameParts[1], o);
}

TSize TdxSkinFormNonClientAreaInfo::CalcButtonSize(TdxSkinFormIcon Kind) {
  if (Kind == sfiMenu) return SystemIconSize();
  TdxSkinElement* e = ButtonElement(Kind);
  int h = HeightOfRect(CaptionContentRect());
  const TSize min = ElementMinSize(e);
  const double ratio = e && min.cy != 0 ? static_cast<double>(min.cx) / min.cy : 1.0;
  int w = static_cast<int>(std::lround(h * ratio));
  if (e && e->Image()->Stretch() == smNoResize) {
    const TSize image = ElementImageSize(e);
    // So that the picture centres exactly.
    if ((w + image.cx) % 2) --w;
    if ((h + image.cy) % 2) --h;
  }
  return TSize(std::max(0, w), std::max(0, h));
}

void TdxSkinFormNonClientAreaInfo::CalcCaption() {
  FButtons->Keep(VisibleButtons());
  TRect R = CaptionContentRect();
  const int maxTop = GetSystemMetrics(SM_CYFRAME), maxLeft = GetSystemMetrics(SM_CXFRAME);
  if (TdxSkinFormIconInfo* icon = FButtons->Find(sfiMenu)) {
    const TSize size = CalcButtonSize(sfiMenu);
    icon->HitBounds = TRect(R.Left, R.Top, R.Left + size.cx, R.Bottom);
    icon->Bounds = CentredIn(icon->HitBounds, size);
    R.Left = icon->HitBounds.Right;
    if (IsMaximized()) {
      icon->HitBounds.Top = std::min(icon->HitBounds.Top, maxTop);
      icon->HitBounds.Left = std::min(icon->HitBounds.Left, maxLeft);
    }
  }
  for (TdxSkinFormIcon kind : {sfiClose, sfiMaximize, sfiRestore, sfiMinimize, sfiHelp}) {
    TdxSkinFormIconInfo* b = FButtons->Find(kind);
    if (!b) continue;
    const TSize size = CalcButtonSize(kind);
    b->HitBounds = TRect(R.Right - size.cx, R.Top, R.Right, R.Bottom);
    b->Bounds = CentredIn(b->HitBounds, size);
    R.Right = b->HitBounds.Left - 2;
    if (IsMaximized()) b->HitBounds.Top = std::min(b->HitBounds.Top, maxTop);
  }
  R.Right -= 5;
  R.Left += OffsetsOf(CaptionElement()).Left;
  const int th = CaptionTextHeight();
  const int top = R.Top + (HeightOfRect(R) - th) / 2;
  CaptionTextRect = TRect(R.Left, top, std::max(R.Left, R.Right), top + th);
  FButtons->UpdateHot();
}

int TdxSkinFormNonClientAreaInfo::HitTest(const TPoint& P) {
  if ((Style & WS_THICKFRAME) && !IsMaximized() && !IsMinimized()) {
    const int hx = SizingThickness.cx, vy = SizingThickness.cy, cap = BorderWidths.Top;
    const TRect& F = FrameRect;
    auto in = [&](int l, int t, int r, int b) { return P.X >= l && P.X < r && P.Y >= t && P.Y < b; };
    if (in(F.Left, F.Top, F.Left + hx, F.Top + cap)) return HTTOPLEFT;
    if (in(F.Right - hx, F.Top, F.Right, F.Top + cap)) return HTTOPRIGHT;
    if (in(F.Left, F.Bottom - vy, F.Left + hx, F.Bottom)) return HTBOTTOMLEFT;
    if (in(F.Right - hx, F.Bottom - vy, F.Right, F.Bottom)) return HTBOTTOMRIGHT;
    if (in(F.Left, F.Top + cap, F.Left + hx, F.Bottom)) return HTLEFT;
    if (in(F.Left, F.Top, F.Right, F.Top + vy)) return HTTOP;
    if (in(F.Right - hx, F.Top + cap, F.Right, F.Bottom)) return HTRIGHT;
    if (in(F.Left, F.Bottom - vy, F.Right, F.Bottom)) return HTBOTTOM;
  }
  if (!RectContainsPoint(FrameParts[1], P)) return 0;
  if (TdxSkinFormIconInfo* b = FButtons->HitTest(P)) return SkinFormIconHitTest(b->Kind());
  return HTCAPTION;
}

TRect TdxSkinFormNonClientAreaInfo::ClientMargins() {
  TRect m(BorderWidths.Left + FormBorderWidth, BorderWidths.Top + FormBorderWidth, BorderWidths.Right + FormBorderWidth,
          BorderWidths.Bottom + FormBorderWidth);
  if ((Style & WS_VSCROLL) && (ScrollVisible & sbvVert)) m.Right += GetSystemMetrics(SM_CXVSCROLL);
  if ((Style & WS_HSCROLL) && (ScrollVisible & sbvHorz)) m.Bottom += GetSystemMetrics(SM_CYHSCROLL);
  if (IsMaximized() && (Style & WS_THICKFRAME)) {
    const int dx = GetSystemMetrics(SM_CXFRAME) - SizingThickness.cx;
    const int dy = GetSystemMetrics(SM_CYFRAME) - SizingThickness.cy;
    m = GrowRectSides(m, dx, dy, dx, dy);
  }
  return m;
}

void TdxSkinFormNonClientAreaInfo::CalcScrollBars() {
  ScrollVisible = 0;
  for (auto& states : PartStates) std::fill(std::begin(states), std::end(states), 0);
  HWND h = Handle();
  const bool horz = (Style & WS_HSCROLL) != 0, vert = (Style & WS_VSCROLL) != 0;
  const LONG objects[2] = {OBJID_HSCROLL, OBJID_VSCROLL};
  const int bars[2] = {SB_HORZ, SB_VERT};
  for (int k = 0; k < 2; ++k) {
    if (!(k == 0 ? horz : vert)) continue;
    ScrollInfos[k] = SCROLLBARINFO{};
    if (DraggedBar == k) {
      // The thumb shows where the user drags it.
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_ALL;
      GetScrollInfo(h, bars[k], &si);
      FController->LockRedraw();
      SetScrollPos(h, bars[k], si.nTrackPos, FALSE);
      GetScrollBarInfo(h, objects[k], &ScrollInfos[k]);
      SetScrollPos(h, bars[k], si.nPos, FALSE);
      FController->UnlockRedraw();
    } else {
      GetScrollBarInfo(h, objects[k], &ScrollInfos[k]);
    }
  }
  const TRect& C = ClientRect;
  const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  if (horz) {
    ScrollVisible |= sbvHorz;
    ScrollRects[0] = TRect(C.Left, C.Bottom, C.Right, C.Bottom + cy);
  }
  if (vert) {
    ScrollVisible |= sbvVert;
    ScrollRects[1] = TRect(C.Right, C.Top, C.Right + cx, C.Bottom);
  }
  if (horz && vert) {
    ScrollVisible |= sbvSizeGrip;
    SizeGripRect = TRect(C.Right, C.Bottom, C.Right + cx, C.Bottom + cy);
  }
  CalcScrollParts();
}

void TdxSkinFormNonClientAreaInfo::CalcScrollParts() {
  const TPoint cursor = CursorPos();
  const bool down = GetAsyncKeyState(VK_LBUTTON) < 0;
  // Part 1, 2, thumb 3, page areas 4 and 5, and the entries of their states.
  static constexpr int entries[6] = {0, 1, 5, 3, 2, 4};
  for (int k = 0; k < 2; ++k) {
    if (!(ScrollVisible & (k == 0 ? sbvHorz : sbvVert))) continue;
    const SCROLLBARINFO& sbi = ScrollInfos[k];
    const TRect& bar = ScrollRects[k];
    const bool vertical = k == 1;
    const int length = vertical ? HeightOfRect(bar) : WidthOfRect(bar);
    const int line = std::min(sbi.dxyLineButton, length / 2);
    auto span = [&](int from, int to) {
      return vertical ? TRect(bar.Left, bar.Top + from, bar.Right, bar.Top + to)
                      : TRect(bar.Left + from, bar.Top, bar.Left + to, bar.Bottom);
    };
    PartRects[k][0] = bar;
    PartRects[k][1] = span(0, line);
    PartRects[k][2] = span(length - line, length);
    PartRects[k][3] = span(sbi.xyThumbTop, sbi.xyThumbBottom);
    PartRects[k][4] = span(line, sbi.xyThumbTop);
    PartRects[k][5] = span(sbi.xyThumbBottom, length - line);
    for (int part = 1; part <= 5; ++part) {
      const DWORD state = sbi.rgstate[entries[part]] | (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
      int& s = PartStates[k][part];
      if ((state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) || RectHasNoArea(PartRects[k][part]))
        s = 0;
      else if (part == 3 && DraggedBar == k)
        s = cxbsPressed;
      else if (state & STATE_SYSTEM_PRESSED)
        s = cxbsPressed;
      else if (state & STATE_SYSTEM_UNAVAILABLE)
        s = cxbsDisabled;
      else if (!(state & STATE_SYSTEM_HOTTRACKED) && !RectContainsPoint(PartRects[k][part], cursor))
        s = cxbsNormal;
      else
        s = down && RectContainsPoint(PartRects[k][part], cursor) ? cxbsPressed : cxbsHot;
    }
  }
}

HRGN TdxSkinFormNonClientAreaInfo::MDIClientEdgeRegion() {
  if (!IsMDIClient || ClientEdge.cx == 0) return nullptr;
  HRGN outer = CreateRectRgn(FrameRect.Left, FrameRect.Top, FrameRect.Right, FrameRect.Bottom);
  HRGN inner = CreateRectRgn(FrameRect.Left + ClientEdge.cx, FrameRect.Top + ClientEdge.cy, FrameRect.Right - ClientEdge.cx,
                             FrameRect.Bottom - ClientEdge.cy);
  CombineRgn(outer, outer, inner, RGN_DIFF);
  DeleteObject(inner);
  return outer;
}

HRGN TdxSkinFormNonClientAreaInfo::SkinPaintedRegion() {
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  auto add = [&](const TRect& R) {
    if (RectHasNoArea(R)) return;
    HRGN r = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    CombineRgn(result, result, r, RGN_OR);
    DeleteObject(r);
  };
  for (const TRect& part : FrameParts) add(part);
  if (HRGN edge = MDIClientEdgeRegion()) {
    CombineRgn(result, result, edge, RGN_OR);
    DeleteObject(edge);
  }
  add(MenuLine);
  if (ScrollVisible & sbvHorz) add(ScrollRects[0]);
  if (ScrollVisible & sbvVert) add(ScrollRects[1]);
  if (ScrollVisible & sbvSizeGrip) add(SizeGripRect);
  return result;
}

// ---- painting ------------------------------------------------------------------------------------------------

namespace {

// An off-screen bitmap of R's size, drawn on in R's own coordinates, then copied to DC at R.
class TOffscreen {
 public:
  TOffscreen(HDC DC, const TRect& R) : FDC(DC), FR(R) {
    FMem = CreateCompatibleDC(DC);
    FBitmap = CreateCompatibleBitmap(DC, std::max(1, WidthOfRect(R)), std::max(1, HeightOfRect(R)));
    FOld = SelectObject(FMem, FBitmap);
    SetWindowOrgEx(FMem, R.Left, R.Top, nullptr);
  }
  ~TOffscreen() {
    SetWindowOrgEx(FMem, 0, 0, nullptr);
    BitBlt(FDC, FR.Left, FR.Top, WidthOfRect(FR), HeightOfRect(FR), FMem, 0, 0, SRCCOPY);
    SelectObject(FMem, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FMem);
  }
  HDC DC() const { return FMem; }

 private:
  HDC FDC;
  TRect FR;
  HDC FMem;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};

}  // namespace

TdxSkinFormPainter::TdxSkinFormPainter(TdxSkinFormNonClientAreaInfo* AInfo) : FInfo(AInfo) {}
TdxSkinFormPainter::~TdxSkinFormPainter() = default;

void TdxSkinFormPainter::ClearCaches() {
  for (auto& c : FFrameCaches) c.Invalidate();
  for (auto& c : FButtonCaches) c.Invalidate();
  FContentCache.Invalidate();
}

void TdxSkinFormPainter::DrawContent(HDC DC, const TRect& R) {
  TdxSkinElement* content = FInfo->Info ? FInfo->Info->FormFormContent : nullptr;
  if (!content || RectHasNoArea(R)) return;
  if (content->Image()->IsEmpty()) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(content->Color()));
    RECT r = R;
    FillRect(DC, &r, brush);
    DeleteObject(brush);
  } else {
    FContentCache.DrawCached(DC, content, R, esNormal, 0);
  }
}

void TdxSkinFormPainter::DrawCaptionTextRaw(HDC DC, TRect R, const String& Text) {
  RECT r = R;
  DrawText(DC, Text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS);
}

void TdxSkinFormPainter::DrawCaptionText(HDC DC, const TRect& R) {
  if (FInfo->CaptionText.empty()) return;
  HGDIOBJ oldFont = SelectObject(DC, FInfo->CaptionFont->Handle());
  const int oldMode = SetBkMode(DC, TRANSPARENT);
  TRect r = R;
  if (FInfo->Active && !FInfo->IsToolWindow() && IsValidColor(FInfo->ShadowColor)) {
    SetTextColor(DC, ColorToRGB(FInfo->ShadowColor));
    DrawCaptionTextRaw(DC, r, FInfo->CaptionText);
    r = ShiftRect(r, -1, -1, true);
  }
  SetTextColor(DC, ColorToRGB(FInfo->Active ? FInfo->ActiveTextColor : FInfo->InactiveTextColor));
  DrawCaptionTextRaw(DC, r, FInfo->CaptionText);
  SetBkMode(DC, oldMode);
  SelectObject(DC, oldFont);
}

void TdxSkinFormPainter::DrawButton(HDC DC, const TRect& R, TdxSkinElementState State, TdxSkinElement* Element,
                                    TdxSkinFormIcon Kind) {
  if (Kind == sfiMenu) {
    if (FInfo->Icon) DrawIconEx(DC, R.Left, R.Top, FInfo->Icon, WidthOfRect(R), HeightOfRect(R), 0, nullptr, DI_NORMAL);
    return;
  }
  if (Element) FButtonCaches[Kind].DrawCached(DC, Element, R, State, 0);
}

void TdxSkinFormPainter::DrawCaptionBackground(HDC DC, TRect R, TdxSkinElement* Caption) {
  if (FInfo->IsMinimized()) {
    if (TdxSkinElement* bottom = FInfo->FrameElement(3)) bottom->DrawOnDC(DC, R, 0, esNormal);
    R.Bottom -= 1;
  }
  if (Caption) FFrameCaches[1].DrawCached(DC, Caption, R, FInfo->Active ? esActive : esActiveDisabled, 0);
}

void TdxSkinFormPainter::DrawCaption(HDC DC, const TRect& R, TdxSkinElement* Caption) {
  DrawCaptionBackground(DC, R, Caption);
  DrawCaptionText(DC, FInfo->CaptionTextRect);
  TdxSkinFormIconInfoList* buttons = FInfo->Buttons();
  for (int i = 0; i < buttons->Count(); ++i) {
    TdxSkinFormIconInfo* b = buttons->Items(i);
    DrawButton(DC, b->Bounds, b->State(), FInfo->ButtonElement(b->Kind()), b->Kind());
  }
}

void TdxSkinFormPainter::DrawFormBorderWidth(HDC DC) {
  const int w = FInfo->FormBorderWidth;
  if (w <= 0 || FInfo->IsMinimized()) return;
  const TRect inner = FInfo->ClientRect;
  const TRect outer = GrowRect(inner, w, w);
  const TRect ring[4] = {TRect(outer.Left, outer.Top, outer.Right, inner.Top), TRect(outer.Left, inner.Bottom, outer.Right, outer.Bottom),
                         TRect(outer.Left, inner.Top, inner.Left, inner.Bottom), TRect(inner.Right, inner.Top, outer.Right, inner.Bottom)};
  for (const TRect& r : ring) DrawContent(DC, r);
}

void TdxSkinFormPainter::DrawMDIClientEdge(HDC DC) {
  HRGN edge = FInfo->MDIClientEdgeRegion();
  if (!edge) return;
  SaveDC(DC);
  ExtSelectClipRgn(DC, edge, RGN_AND);
  DrawContent(DC, FInfo->FrameRect);
  RestoreDC(DC, -1);
  DeleteObject(edge);
}

void TdxSkinFormPainter::DrawMenuLine(HDC DC) {
  if (!FInfo->HasMenu || FInfo->IsMinimized() || RectHasNoArea(FInfo->MenuLine)) return;
  RECT r = FInfo->MenuLine;
  FillRect(DC, &r, GetSysColorBrush(COLOR_MENU));
}

void TdxSkinFormPainter::DrawFrameParts(HDC DC) {
  const TRect* parts = FInfo->FrameParts;
  TdxSkinElement* elements[4] = {FInfo->FrameElement(0), nullptr, FInfo->FrameElement(2), FInfo->FrameElement(3)};
  const bool thick = ElementImageSize(elements[0]).cx >= 3 && ElementImageSize(elements[2]).cx >= 3 &&
                     ElementImageSize(elements[3]).cy >= 3;
  const int captionBottom = parts[1].Bottom;
  TRect rects[4] = {parts[0], TRect(), parts[2], parts[3]};
  if (thick) {
    rects[0].Top = rects[2].Top = captionBottom;
    rects[0].Bottom = rects[2].Bottom = parts[3].Top;
  } else {
    rects[0].Top = rects[2].Top = captionBottom;
    rects[0].Bottom = rects[2].Bottom = FInfo->FrameRect.Bottom - ElementImageSize(elements[3]).cy;
  }
  const TdxSkinElementState state = FInfo->Active ? esActive : esActiveDisabled;
  const bool layered = TdxSkinFormHelper::IsLayeredWindow(FInfo->Handle());
  const int order[3] = {thick ? 0 : 3, thick ? 2 : 0, thick ? 3 : 2};
  for (int k : order) {
    const TRect& r = rects[k];
    if (!elements[k] || RectHasNoArea(r)) continue;
    RECT rc = r;
    if (!RectVisible(DC, &rc)) continue;
    if (FInfo->UpdateRegion) {
      RECT screen = {r.Left + FInfo->WindowRectScreen.left, r.Top + FInfo->WindowRectScreen.top,
                     r.Right + FInfo->WindowRectScreen.left, r.Bottom + FInfo->WindowRectScreen.top};
      if (!RectInRegion(FInfo->UpdateRegion, &screen)) continue;
    }
    if (layered) {
      TOffscreen off(DC, r);
      DrawContent(off.DC(), r);
      TRect part = r;
      if (!thick) {
        if (k == 0) part.Right = part.Left + ElementImageSize(elements[0]).cx;
        if (k == 2) part.Left = part.Right - ElementImageSize(elements[2]).cx;
        if (k == 3) part.Top = part.Bottom - ElementImageSize(elements[3]).cy;
      }
      FFrameCaches[k].DrawCached(off.DC(), elements[k], part, state, 0);
    } else {
      FFrameCaches[k].DrawCached(DC, elements[k], r, state, 0);
    }
  }
}

void TdxSkinFormPainter::DrawScrollBar(HDC DC, bool Vertical, const TRect& R) {
  if (RectHasNoArea(R) || !FInfo->Painter) return;
  TOffscreen off(DC, R);
  DrawContent(off.DC(), R);
  TCanvas canvas;
  canvas.SetHandle(off.DC());
  TcxCanvas c(&canvas);
  FInfo->Painter->DrawScrollBarTrack(&c, R, !Vertical);
  const int k = Vertical ? 1 : 0;
  for (int part = 1; part <= 5; ++part)
    if (FInfo->PartStates[k][part] != 0)
      FInfo->Painter->DrawScrollBarElement(&c, !Vertical, FInfo->PartRects[k][part], part,
                                           static_cast<TcxButtonState>(FInfo->PartStates[k][part]));
  canvas.SetHandle(nullptr);
}

void TdxSkinFormPainter::DrawScrollBars(HDC DC) {
  if (!FInfo->Painter) return;
  if (FInfo->ScrollVisible & sbvSizeGrip) {
    DrawContent(DC, FInfo->SizeGripRect);
    TCanvas canvas;
    canvas.SetHandle(DC);
    TcxCanvas c(&canvas);
    FInfo->Painter->DrawSizeGripAtCorner(&c, FInfo->SizeGripRect, clNone, 0);
    canvas.SetHandle(nullptr);
  }
  if (FInfo->ScrollVisible & sbvHorz) DrawScrollBar(DC, false, FInfo->ScrollRects[0]);
  if (FInfo->ScrollVisible & sbvVert) DrawScrollBar(DC, true, FInfo->ScrollRects[1]);
}

void TdxSkinFormPainter::PaintScrollBarsOnly(HDC DC) {
  if (FInfo->IsMinimized() || !(FInfo->ScrollVisible & (sbvHorz | sbvVert)) || !FInfo->Handle()) return;
  const bool own = DC == nullptr;
  if (own) DC = GetDCEx(FInfo->Handle(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE);
  if (!DC) return;
  DrawScrollBars(DC);
  if (own) ReleaseDC(FInfo->Handle(), DC);
}

void TdxSkinFormPainter::PaintClient(HDC DC) {
  if (!FInfo->Info) return;
  DrawContent(DC, TRect(0, 0, WidthOfRect(FInfo->ClientRect), HeightOfRect(FInfo->ClientRect)));
}

void TdxSkinFormPainter::PaintNonClient(HDC DC) {
  if (!FInfo->Info || !FInfo->Handle()) return;
  HWND h = FInfo->Handle();
  const bool own = DC == nullptr;
  if (own) DC = GetDCEx(h, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE);
  if (!DC) return;
  DrawMDIClientEdge(DC);
  DrawFormBorderWidth(DC);
  const TRect caption = FInfo->FrameParts[1];
  if (!RectHasNoArea(caption)) {
    TOffscreen off(DC, caption);
    DrawCaption(off.DC(), caption, FInfo->CaptionElement());
  }
  DrawFrameParts(DC);
  DrawMenuLine(DC);
  PaintScrollBarsOnly(DC);
  if (own) ReleaseDC(h, DC);
}
