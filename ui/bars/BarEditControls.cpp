// The controls that edit an item's text in a real child window: the window is created hidden with
// the control, shown over the content part while the control is focused, and its text decides the
// item's on Enter, Tab or (with the manager's say) the loss of focus. The combos add a drop-down
// button part and the item's drop-down window; the list combo browses its entries with the arrow
// keys and the wheel.
#include <algorithm>
#include <string>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/WindowProcController.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

constexpr int MaxWindowTextChars = 255;
// The strip at either end of an edit that sizes it while customizing.
constexpr int SizingStripWidth = 7;
// The inverted sizing frame's band thickness.
constexpr int SizingFrameBand = 2;

// The control's item as the kind asked for; nil for another kind or without a link.
template <class T>
T* ItemOf(const TdxBarItemControl* AControl) {
  TdxBarItemLink* link = AControl->ItemLink();
  return link ? dynamic_cast<T*>(link->Item()) : nullptr;
}

TCustomForm* FormOf(TdxBarManager* AManager) {
  return AManager ? dynamic_cast<TCustomForm*>(AManager->Owner()) : nullptr;
}

// The first AMax code points of UTF-8 text; a text cut by bytes could end inside a character.
String FirstCodePoints(const String& AText, int AMax) {
  std::size_t i = 0;
  for (int n = 0; i < AText.size() && n < AMax; ++n) {
    ++i;
    while (i < AText.size() && (static_cast<unsigned char>(AText[i]) & 0xC0) == 0x80) ++i;
  }
  return AText.substr(0, i);
}

bool IsKeyDown(int AKey) { return (GetKeyState(AKey) & 0x8000) != 0; }

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

bool IsRoutedMouseMessage(UINT Msg) {
  switch (Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: case WM_MOUSEWHEEL: return true;
    default: return false;
  }
}

// The draw params an edit-like control paints from.
TdxBarEditLikeControlDrawParams& EditParams(const TdxBarItemControl* AControl) {
  return static_cast<TdxBarEditLikeControlDrawParams&>(*AControl->DrawParams());
}

}  // namespace

// ---- TdxBarWinControl -----------------------------------------------------------------------------

TdxBarWinControl::~TdxBarWinControl() { InvalidateObjectLinks(this); }

void TdxBarWinControl::EnabledChanged() {
  SetFocused(false);
  TdxBarItemControl::EnabledChanged();
}

bool TdxBarWinControl::DoesClick() const { return Parent() && Parent()->RotatesText(); }

bool TdxBarWinControl::LetsBarsCloseFor(TdxBarManager* AManager) const {
  if (!TdxBarItemControl::LetsBarsCloseFor(AManager)) return false;
  TdxBarManager* own = Manager();
  // An MDI child's bars close for the main form's manager too, unless they are loading text.
  return AManager == own || (IsMDIParentForm(FormOf(AManager)) && IsMDIChildForm(FormOf(own)) && !FFocusing);
}

bool TdxBarWinControl::IsSelectable() const {
  TdxBarItem* item = Item();
  return TdxBarItemControl::IsSelectable() && (!item || item->Selectable());
}

void TdxBarWinControl::Deactivate(bool AFlag) {
  TdxBarItemControl::Deactivate(AFlag);
  SetFocused(false);
}

void TdxBarWinControl::Press(bool AByMouse, bool AFlag) {
  SetFocused(true);
  TdxBarItemControl::Press(AByMouse, AFlag);
  ForwardPress(AByMouse);
}

void TdxBarWinControl::PressAgain(bool ASameControl, bool& AHandled) {
  if (!(ASameControl && Focused())) {
    TdxBarItemControl::PressAgain(ASameControl, AHandled);
    return;
  }
  AHandled = true;
  HWND window = InnerWindowHandle();
  if (!window || !Parent() || !Parent()->HandleAllocated()) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Parent()->Handle(), &cursor);
  if (Contains(VisibleWindowRect(), {cursor.x, cursor.y})) return;
  const TMessage& m = Parent()->CurrentMessage();
  POINT p{m.XPos(), m.YPos()};
  MapWindowPoints(Parent()->Handle(), window, &p, 1);
  SendMessage(window, m.Msg, m.WParam, MAKELPARAM(p.x, p.y));
}

void TdxBarWinControl::ForwardPress(bool AByMouse) {
  HWND window = InnerWindowHandle();
  if (!AByMouse || !window || !Parent() || !Parent()->HandleAllocated()) return;
  POINT p{};
  GetCursorPos(&p);
  POINT client = p;
  ScreenToClient(Parent()->Handle(), &client);
  if (Contains(VisibleWindowRect(), {client.x, client.y})) return;
  ScreenToClient(window, &p);
  WPARAM keys = MK_LBUTTON;
  if (IsKeyDown(VK_SHIFT)) keys |= MK_SHIFT;
  if (IsKeyDown(VK_CONTROL)) keys |= MK_CONTROL;
  SendMessage(window, WM_LBUTTONDOWN, keys, MAKELPARAM(p.x, p.y));
}

bool TdxBarWinControl::OwnsWindow(HWND AWindow) const {
  if (TdxBarItemControl::OwnsWindow(AWindow)) return true;
  HWND window = InnerWindowHandle();
  return window && AWindow && (AWindow == window || IsChild(window, AWindow));
}

String TdxBarWinControl::WindowText() const {
  HWND window = InnerWindowHandle();
  if (!window) return {};
  // The length counts bytes: read it all, then keep whole characters.
  const auto length = static_cast<std::size_t>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0));
  std::string buffer(length + 1, '\0');
  const auto copied = static_cast<std::size_t>(
      SendMessage(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
  buffer.resize(copied < buffer.size() ? copied : length);
  return FirstCodePoints(buffer, MaxWindowTextChars);
}

void TdxBarWinControl::SetWindowRect(const TRect& R) {
  FWindowRect = R;
  HWND window = InnerWindowHandle();
  if (!window || !IsWindowVisible(window)) return;
  RECT present{};
  GetWindowRect(window, &present);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&present), 2);
  if (TRect(present) == R) return;
  const TRect visible = VisibleWindowRect();
  SetWindowPos(window, nullptr, visible.Left, visible.Top, visible.Right - visible.Left, visible.Bottom - visible.Top,
               SWP_NOACTIVATE | SWP_NOZORDER);
  WindowPlaced();
}

TRect TdxBarWinControl::VisibleWindowRect() const {
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  if (!IsEnabled() || (item && item->NoEditor())) return {};
  return FWindowRect;
}

bool TdxBarWinControl::ParentBeingDragged() const {
  auto* toolbar = dynamic_cast<TdxBarControl*>(Parent());
  return toolbar && toolbar->BeingDragged();
}

void TdxBarWinControl::HookInnerWindow() {
  HWND window = InnerWindowHandle();
  TcxWindowProcController* controller = WindowProcControllerInstance();
  if (!window || !controller || FWindowHook) return;
  FWindowHook = controller->HookWindow(window, [this](TMessage& Message) {
    try {
      InnerWndProc(Message);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  });
}

void TdxBarWinControl::UnhookInnerWindow(bool /*ADestroyWindow*/) {
  if (InnerWindowHandle()) SetFocused(false);
  if (TcxWindowProcController* controller = WindowProcControllerInstance()) controller->Unhook(FWindowHook);
  FWindowHook = nullptr;
}

void TdxBarWinControl::DefaultInnerWndProc(TMessage& Message) {
  if (FWindowHook) CallPreviousWindowProc(FWindowHook, Message);
}

bool TdxBarWinControl::IsSpecialKeyDown(WORD AKey, TShiftState) const { return AKey == VK_F10 || AKey == VK_MENU; }

bool TdxBarWinControl::IsSpecialKeyUp(WORD AKey, TShiftState) const { return AKey == VK_MENU; }

void TdxBarWinControl::LoadText() {
  if (TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this)) SetWindowText(item->Text());
}

void TdxBarWinControl::SetWindowText(const String& AText) {
  if (HWND window = InnerWindowHandle()) win::SetWindowText(window, AText.c_str());
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  if (item && item->NoEditor()) Invalidate();
}

void TdxBarWinControl::ShowInnerWindow() { FOnGlass = Parent() && Parent()->IsOnGlass(); }

void TdxBarWinControl::StoreText() {
  if (TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this)) item->SetText(WindowText());
}

void TdxBarWinControl::SetFocused(bool Value) {
  if (FFocused == Value) return;
  FFocused = Value;
  TdxBarManager* manager = Manager();
  if (Value) {
    if (!manager || !manager->ChangingFocusedItem()) FRememberedFocus = GetFocus();
    if (!IsActive()) Activate(true, true);
    if (Parent()) Parent()->ItemControlFocused(this);
    ShowInnerWindow();
    return;
  }
  const bool escape = IsKeyDown(VK_ESCAPE) && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
  TcxObjectLinkScope self(this);
  EndEditing(manager && manager->AlwaysSaveText() && !escape);
  if (!self.Alive()) return;
  if (!manager || manager->ChangingFocusedItem() || manager->IsLocked() || manager->IsDestroying()) {
    FRememberedFocus = nullptr;
    return;
  }
  HWND target = nullptr;
  if (FRememberedFocus && IsWindow(FRememberedFocus) && IsWindowVisible(FRememberedFocus)) {
    target = FRememberedFocus;
  } else if (auto* owner = dynamic_cast<TWinControl*>(manager->Owner()); owner && owner->HandleAllocated()) {
    target = IsWindowVisible(owner->Handle()) ? owner->Handle() : GetWindow(owner->Handle(), GW_HWNDNEXT);
  }
  FRememberedFocus = nullptr;
  if (target) win::SetFocus(target);
}

void TdxBarWinControl::HandleSpecialKeyDown(WORD& AKey, TShiftState AShift) {
  ++FKeysPressedInside;
  if (AKey == VK_MENU) {
    AKey = 0;
  } else if (AKey == VK_F10) {
    FKeysPressedInside = 0;
    if (Parent()) Parent()->CloseUp();
    if (AShift.Contains(ssShift)) AKey = 0;
  }
}

void TdxBarWinControl::HandleSpecialKeyUp(WORD& AKey, TShiftState /*AShift*/) {
  if (FKeysPressedInside == 0) {
    AKey = 0;
    return;
  }
  FKeysPressedInside = 0;
  if (AKey == VK_MENU && Parent()) Parent()->CloseUp();
}

void TdxBarWinControl::KeyDown(WORD& AKey, TShiftState AShift) {
  if (IsSpecialKeyDown(AKey, AShift)) {
    HandleSpecialKeyDown(AKey, AShift);
    return;
  }
  TcxObjectLinkScope self(this);
  if (TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this)) item->FireKeyDown(AKey, AShift);
  if (!self.Alive() || !InnerWindowHandle()) {
    AKey = 0;
    return;
  }
  switch (AKey) {
    case VK_TAB: LeaveByTab(AShift); break;
    case VK_RETURN: AcceptEdit(); break;
    case VK_ESCAPE: CancelEdit(); break;
    default: return;
  }
  AKey = 0;
}

void TdxBarWinControl::KeyUp(WORD& AKey, TShiftState AShift) {
  if (IsSpecialKeyUp(AKey, AShift)) {
    HandleSpecialKeyUp(AKey, AShift);
    return;
  }
  if (AShift.Contains(ssAlt)) FKeysPressedInside = 0;
  if (TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this)) item->FireKeyUp(AKey, AShift);
}

void TdxBarWinControl::KeyPress(char32_t& AKey) {
  if (TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this)) item->FireKeyPress(AKey);
}

void TdxBarWinControl::AcceptEdit() {
  TcxObjectLinkScope self(this);
  if (TdxBarItemLink* link = ItemLink()) link->MarkUsed(true);
  if (!self.Alive()) return;
  StoreText();
  if (!self.Alive()) return;
  HWND window = InnerWindowHandle();
  if (!window || !IsWindowVisible(window) || !Parent()) return;
  TCustomdxBarControl* bar = Parent();
  bar->SelectControlByKeyboard(nullptr);
  // The Enter's own WM_CHAR is still queued: it must not reach whatever has the focus next.
  DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
  if (IsBarControlAlive(bar)) bar->CloseUp();
}

void TdxBarWinControl::CancelEdit() {
  if (!Parent()) return;
  TcxObjectLinkScope self(this);
  Parent()->SelectControlByKeyboard(nullptr);
  if (!self.Alive()) return;
  if (HWND window = InnerWindowHandle()) DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
  if (Parent()) Parent()->HandleItemActivated(this);
}

void TdxBarWinControl::LeaveByTab(TShiftState /*AShift*/) {
  TcxObjectLinkScope self(this);
  StoreText();
  if (!self.Alive()) return;
  HWND window = InnerWindowHandle();
  if (!window || !IsWindowVisible(window) || !Parent() || !Parent()->HandleAllocated()) return;
  DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
  // The bar moves on as for a Tab typed on it; it reads the shift state as typed.
  SendMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void TdxBarWinControl::HandleKillFocus(TMessage& Message) {
  TcxObjectLinkScope self(this);
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  auto exit = [&] {
    if (self.Alive() && item) item->FireExit();
  };
  try {
    auto* focused = reinterpret_cast<HWND>(Message.WParam);
    InnerWindowLostFocus(focused);
    if (!self.Alive()) return;
    if (FFocused) {
      DefaultInnerWndProc(Message);
    } else if (Parent() && !Parent()->IsDestroying() && Parent()->HandleAllocated() &&
               Parent()->BarKind() == dxBarKindToolbar) {
      // The bar window that now holds the focus: the window itself, its parent, or one more level up.
      HWND owner = focused;
      if (owner && owner != Parent()->Handle()) {
        owner = GetParent(owner);
        if (owner && !dynamic_cast<TdxBarControl*>(FindControl(owner))) owner = GetParent(owner);
      }
      if (owner != Parent()->Handle()) {
        HWND window = InnerWindowHandle();
        DefaultInnerWndProc(Message);
        if (window && IsWindow(window)) DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
      }
    } else {
      DefaultInnerWndProc(Message);
    }
  } catch (...) {
    exit();
    throw;
  }
  exit();
}

void TdxBarWinControl::RouteMouseMessage(TMessage& Message) {
  HWND window = InnerWindowHandle();
  if (!window || !Parent() || !Parent()->HandleAllocated()) {
    DefaultInnerWndProc(Message);
    return;
  }
  POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
  // The wheel's point is on the screen, the buttons' in the window.
  if (Message.Msg == WM_MOUSEWHEEL)
    ScreenToClient(Parent()->Handle(), &p);
  else
    MapWindowPoints(window, Parent()->Handle(), &p, 1);
  const TPoint point{p.x, p.y};
  if (GetCapture() == window || Contains(VisibleWindowRect(), point) || !Contains(ItemRect(), point))
    DefaultInnerWndProc(Message);
}

void TdxBarWinControl::InnerWndProc(TMessage& Message) {
  TcxObjectLinkScope self(this);
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  switch (Message.Msg) {
    case WM_SETFOCUS:
      DefaultInnerWndProc(Message);
      if (self.Alive() && item) item->FireEnter();
      return;
    case WM_KILLFOCUS:
      HandleKillFocus(Message);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(Message.WParam);
      const TShiftState shift = KeyDataToShiftState(Message.LParam);
      if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
        KeyDown(key, shift);
      else
        KeyUp(key, shift);
      if (key == 0 || !self.Alive()) return;
      Message.WParam = key;
      break;
    }
    case WM_CHAR: {
      char32_t c = static_cast<char32_t>(Message.WParam);
      KeyPress(c);
      if (c == 0 || !self.Alive()) return;
      Message.WParam = c;
      break;
    }
    case WM_COMMAND:
      if (HIWORD(Message.WParam) == EN_CHANGE && !FFocusing && item) item->FireCurChange();
      break;
    case WM_RBUTTONDOWN: {
      HWND window = InnerWindowHandle();
      if (!window || !Parent() || !Parent()->HandleAllocated()) break;
      POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      MapWindowPoints(window, Parent()->Handle(), &p, 1);
      MouseDown(mbRight, KeysToShiftState(Message.WParam), p.x, p.y);
      if (!self.Alive() || !Parent() || !Parent()->HandleAllocated()) return;
      SendMessage(Parent()->Handle(), WM_RBUTTONDOWN, Message.WParam, MAKELPARAM(p.x, p.y));
      return;
    }
    default:
      if (IsRoutedMouseMessage(Message.Msg)) {
        RouteMouseMessage(Message);
        return;
      }
      break;
  }
  if (self.Alive()) DefaultInnerWndProc(Message);
}

// ---- TdxBarCustomEditControl ----------------------------------------------------------------------

TdxBarCustomEditControl::~TdxBarCustomEditControl() {
  if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
}

bool TdxBarCustomEditControl::IsSelected() const {
  return TdxBarWinControl::IsSelected() && !(Parent() && Parent()->InCustomizingMode());
}

TdxBarItemViewLevels TdxBarCustomEditControl::PossibleViewLevels() const {
  TdxBarItemViewLevels levels = TdxBarWinControl::PossibleViewLevels();
  levels.Include(ivlControlOnly);
  return levels;
}

unsigned TdxBarCustomEditControl::DefaultContentParts() const {
  unsigned parts = ShowsCaption() ? cpText : 0;
  TdxBarPainter* painter = ControlPainter();
  if (HasImageAt(ViewSizeNow()) && painter && painter->EditContentOffset() != 0) parts |= cpIcon;
  return parts;
}

bool TdxBarCustomEditControl::ShowsCaption() const {
  if (PaintMode() == pmMenu) return true;
  TdxBarItemLink* link = ItemLink();
  return link && link->Item() && link->Item()->ShowCaption();
}

void TdxBarCustomEditControl::RefreshDrawParams(bool AFull) {
  TdxBarWinControl::RefreshDrawParams(AFull);
  if (AFull) EditParams(this).Focused = Focused();
}

TcxStyle* TdxBarCustomEditControl::EditStyle() const {
  auto* edit = dynamic_cast<TdxCustomBarEdit*>(Item());
  return edit ? edit->StyleEdit() : nullptr;
}

TFont* TdxBarCustomEditControl::EditFont() const {
  TcxStyle* style = EditStyle();
  if (style && style->AssignedValues().Contains(svFont)) return style->Font();
  return Parent() ? Parent()->ItemsFont() : nullptr;
}

void TdxBarCustomEditControl::ApplyStyle() {
  TdxBarWinControl::ApplyStyle();
  TdxBarSavedFont saved;
  SelectFont(nullptr, EditStyle(), saved);
  try {
    FEditTextSize = Parent() ? Parent()->TextSize() : 0;
  } catch (...) {
    RestoreFont(saved);
    throw;
  }
  RestoreFont(saved);
}

TRect TdxBarCustomEditControl::TextMargins(int /*AKind*/) {
  TdxBarPainter* painter = ControlPainter();
  return painter ? painter->EditPartInsets(*DrawInfo()) : TRect{};
}

int TdxBarCustomEditControl::CaptionTextWidth() {
  if (!DrawInfo()->ShowsCaption()) return 0;
  const int text = TextWidth();
  const TRect insets = TextMargins(1);
  return text + (text != 0 ? insets.Right : 0) + insets.Left;
}

int TdxBarCustomEditControl::CaptionAreaWidth() {
  const int width = CaptionTextWidth();
  TdxBarPainter* painter = ControlPainter();
  if (!DrawInfo()->ShowsCaption() || !painter) return width;
  // The painter sets the caption off the edit box by its gaps.
  return width + painter->EditCaptionGap(*DrawInfo()) + painter->EditCaptionEndGap();
}

int TdxBarCustomEditControl::ExtraWidth() {
  TdxBarItemLink* link = ItemLink();
  if (link && link->HasUserWidth()) return link->UserWidth();
  return Item() ? Item()->Width() : 0;
}

int TdxBarCustomEditControl::GlyphAreaWidth() {
  if (!DrawInfo()->ShowsGlyph()) return 0;
  const TRect insets = TextMargins(0);
  return GlyphSizeFor(DrawInfo()->ViewSize).cx + insets.Left + insets.Right;
}

int TdxBarCustomEditControl::SmallWidth() {
  TdxBarPainter* painter = ControlPainter();
  const int menuInset = painter && PaintMode() == pmMenu ? painter->EditMenuInsets(*DrawInfo()).Left : 0;
  return menuInset + GlyphAreaWidth() + CaptionAreaWidth() + ExtraWidth();
}

int TdxBarCustomEditControl::RawHeight() {
  TcxStyle* style = EditStyle();
  const int own = style && style->AssignedValues().Contains(svFont) ? FEditTextSize : (Parent() ? Parent()->EditTextSize() : 0);
  if (!ShowsCaption() || !Parent()) return own;
  return std::max(own, Parent()->ItemHeight(this));
}

bool TdxBarCustomEditControl::AcceptsMouse() const {
  if (!TdxBarWinControl::AcceptsMouse()) return false;
  if (!Parent() || Parent()->BarKind() != dxBarKindToolbar || Parent()->InCustomizingMode()) return true;
  return HotPartIndex() != 1 && HotPartIndex() != 2;
}

TRect TdxBarCustomEditControl::EditRect() {
  const TRect item = ItemRect();
  if (item.Right <= item.Left || item.Bottom <= item.Top) return {};
  if (EffectiveAlign() == iaClient && Parent() && !(Parent()->BehaviourFlags() & dxBarBehaviourStretchClientItems))
    return {std::max(item.Left, item.Right - ExtraWidth()), item.Top, item.Right, item.Bottom};
  return {std::min(item.Right, item.Left + SmallWidth() - ExtraWidth()), item.Top, item.Right, item.Bottom};
}

void TdxBarCustomEditControl::CalcLayout(const TRect& R, std::vector<TRect>& AParts) {
  AParts.assign(3, TRect{});
  TdxBarPainter* painter = ControlPainter();
  if (!painter || R.Right <= R.Left) return;
  TdxBarEditLayout layout;
  painter->CalcEditLayout(*DrawInfo(), R, layout, CaptionTextWidth(), GlyphAreaWidth());
  AParts[0] = layout.ContentRect;
  AParts[1] = layout.CaptionRect;
  AParts[2] = layout.GlyphRect;
}

void TdxBarCustomEditControl::CalcPartRects() {
  TdxBarWinControl::CalcPartRects();
  std::vector<TRect> parts;
  CalcLayout(ItemRect(), parts);
  parts.resize(static_cast<std::size_t>(PartCount()));
  SetPartRects(std::move(parts));
}

void TdxBarCustomEditControl::DrawContent(const TRect& R, TdxBarPaintMode /*APaintMode*/) {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (!painter || !canvas) return;
  CalcLayout(R, FPaintParts);
  TdxBarEditLikeControlDrawParams& p = EditParams(this);
  p.ContentRect = FPaintParts[0];
  p.CaptionRect = FPaintParts[1];
  p.GlyphRect = FPaintParts[2];
  // The frame encloses what AdjustFrameRect adds (a combo's button).
  TRect frame = p.ContentRect;
  AdjustFrameRect(frame);
  p.ContentRect.Right = std::max(p.ContentRect.Right, frame.Right - painter->EditBorderOffsets().Right);
  painter->DrawEdit(p, canvas->DeviceContext(), R);
}

void TdxBarCustomEditControl::DrawEditText(TCanvas* Canvas, const TRect& R) {
  TRect r = R;
  if (!FPaintParts.empty()) r.Right = std::min(r.Right, FPaintParts[0].Right);
  DrawEditContent(Canvas, r);
}

void TdxBarCustomEditControl::ExcludeEditFrame() {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (!painter || !canvas) return;
  TRect frame = EditRect();
  AdjustFrameRect(frame);
  if (frame.Right <= frame.Left || frame.Bottom <= frame.Top) return;
  TRect inner = frame;
  HDC dc = canvas->DeviceContext();
  painter->DrawEditFrame(EditParams(this), dc, inner, IsSelected());
  HRGN ring = CreateRectRgn(frame.Left, frame.Top, frame.Right, frame.Bottom);
  HRGN inside = CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom);
  CombineRgn(ring, ring, inside, RGN_DIFF);
  ExtSelectClipRgn(dc, ring, RGN_DIFF);
  DeleteObject(inside);
  DeleteObject(ring);
}

HBRUSH TdxBarCustomEditControl::EditBrushHandle() const {
  TdxBarPainter* painter = ControlPainter();
  const TColor color = painter && DrawInfo() ? painter->EditColor(*DrawInfo()) : clWindow;
  // Made on first use, and again only when the painter's colour changed (a style, or disabled).
  if (!FBackgroundBrush || color != FBackgroundColor) {
    if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
    FBackgroundBrush = CreateSolidBrush(ColorToRGB(color));
    FBackgroundColor = color;
  }
  return FBackgroundBrush;
}

HBRUSH TdxBarCustomEditControl::MenuEditBrush() const {
  if (!Parent()) return nullptr;
  if (IsSelected() && PaintMode() == pmMenu) return Parent()->HotBrush();
  return Parent()->BackgroundBrush();
}

void TdxBarCustomEditControl::ShowInnerWindow() {
  TdxBarWinControl::ShowInnerWindow();
  RefreshForEditing();
}

// ---- user sizing of the edit width -----------------------------------------------------------------

bool TdxBarCustomEditControl::IsUserSizingPoint(const TPoint& P) const {
  TdxBarManager* manager = Manager();
  if (!manager || !manager->InCustomizing()) return false;
  const TRect item = ItemRect();
  if (P.Y < item.Top || P.Y >= item.Bottom) return false;
  return (P.X >= item.Left && P.X < item.Left + SizingStripWidth) || (P.X >= item.Right - SizingStripWidth && P.X < item.Right);
}

void TdxBarCustomEditControl::BeginUserSizing(const TPoint& P) {
  const TRect item = ItemRect();
  FRightBorderSizing = P.X >= item.Right - SizingStripWidth;
  FSizingWidth = item.Right - item.Left;
  FUserSizing = true;
  Invalidate();
  if (Parent() && Parent()->HandleAllocated()) UpdateWindow(Parent()->Handle());
  DrawSizingFrame(FSizingWidth);
}

void TdxBarCustomEditControl::UserSizingMove(const TPoint& P) {
  if (!FUserSizing) return;
  const TRect item = ItemRect();
  int width = FRightBorderSizing ? P.X - item.Left : item.Right - P.X;
  // The edit box keeps its least width beside the caption and the glyph.
  width = std::max({width, MinWidth(), EditLeftOffset() + MinEditWidth()});
  if (width == FSizingWidth) return;
  DrawSizingFrame(FSizingWidth);
  FSizingWidth = width;
  DrawSizingFrame(FSizingWidth);
}

void TdxBarCustomEditControl::EndUserSizing(bool ACommit) {
  if (!FUserSizing) return;
  DrawSizingFrame(FSizingWidth);
  FUserSizing = false;
  const int width = FSizingWidth - EditLeftOffset();
  TdxBarItemLink* link = ItemLink();
  if (ACommit && link && ExtraWidth() != width)
    link->SetUserWidth(width);
  else
    Invalidate();
}

void TdxBarCustomEditControl::DrawSizingFrame(int AWidth) const {
  if (!Parent() || !Parent()->HandleAllocated()) return;
  TRect r = ItemRect();
  if (FRightBorderSizing)
    r.Right = r.Left + AWidth;
  else
    r.Left = r.Right - AWidth;
  POINT origin{0, 0};
  ClientToScreen(Parent()->Handle(), &origin);
  r = {r.Left + origin.x, r.Top + origin.y, r.Right + origin.x, r.Bottom + origin.y};
  const int w = r.Right - r.Left, h = r.Bottom - r.Top, b = SizingFrameBand;
  HDC dc = GetDC(nullptr);
  PatBlt(dc, r.Left, r.Top, w, b, DSTINVERT);
  PatBlt(dc, r.Left, r.Bottom - b, w, b, DSTINVERT);
  PatBlt(dc, r.Left, r.Top + b, b, h - 2 * b, DSTINVERT);
  PatBlt(dc, r.Right - b, r.Top + b, b, h - 2 * b, DSTINVERT);
  ReleaseDC(nullptr, dc);
}

// ---- TdxBarEditControl ----------------------------------------------------------------------------

TdxBarEditControl::TdxBarEditControl(TdxBarItemLink* ALink) : TdxBarCustomEditControl(ALink) {
  if (!ParentBeingDragged()) HookInnerWindow();
}

TdxBarEditControl::~TdxBarEditControl() {
  if (!ParentBeingDragged()) UnhookInnerWindow(true);
}

void TdxBarEditControl::HookInnerWindow() {
  CreateInnerWindow();
  TdxBarCustomEditControl::HookInnerWindow();
}

void TdxBarEditControl::UnhookInnerWindow(bool ADestroyWindow) {
  TdxBarCustomEditControl::UnhookInnerWindow(ADestroyWindow);
  DestroyInnerWindow(ADestroyWindow);
}

void TdxBarEditControl::CreateInnerWindow() {
  if (FWindow || !Parent() || !Parent()->HandleAllocated()) return;
  FWindow = CreateWindowEx(0, "EDIT", "", InnerWindowStyle(), 0, 0, 100, 100, Parent()->Handle(), nullptr, nullptr,
                           nullptr);
  if (!FWindow) return;
  LoadText();
  if (TdxBarEdit* edit = ItemOf<TdxBarEdit>(this)) SendMessage(FWindow, EM_LIMITTEXT, edit->MaxLength(), 0);
}

void TdxBarEditControl::DestroyInnerWindow(bool ADestroy) {
  if (ADestroy && FWindow && IsWindow(FWindow)) DestroyWindow(FWindow);
  FWindow = nullptr;
}

bool TdxBarEditControl::PaintsText() const { return !(Focused() && IsEnabled()); }

TRect TdxBarEditControl::InnerWindowRect() const {
  if (PaintsText() || PartRectCount() == 0) return {};
  return PartRects(0);
}

String TdxBarEditControl::DisplayText() const {
  if (Focused()) return WindowText();
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  return item ? item->Text() : String();
}

void TdxBarEditControl::Press(bool AByMouse, bool AFlag) {
  TcxObjectLinkScope self(this);
  TdxBarCustomEditControl::Press(AByMouse, AFlag);
  if (self.Alive() && Focused() && FWindow) SendMessage(FWindow, EM_SETSEL, 0, static_cast<LPARAM>(-1));
}

void TdxBarEditControl::SetFocused(bool Value) {
  // Also asked while the bar window is going: nothing to repaint then.
  if (Value == TdxBarWinControl::Focused()) return;
  if (Value && FWindow) {
    TdxBarEdit* edit = ItemOf<TdxBarEdit>(this);
    const bool readOnly = edit && (edit->ReadOnly() || edit->NoEditor());
    SendMessage(FWindow, EM_SETREADONLY, readOnly ? 1 : 0, 0);
  }
  TcxObjectLinkScope self(this);
  TdxBarCustomEditControl::SetFocused(Value);
  // A bar being freed is asked too: it takes no repaint.
  if (self.Alive() && Parent() && !Parent()->IsDestroying()) Invalidate();
}

void TdxBarEditControl::EndEditing(bool AAccept) {
  if (FWindow) ShowWindow(FWindow, SW_HIDE);
  if (AAccept) StoreText();
}

void TdxBarEditControl::WindowPlaced() {
  TdxBarPainter* painter = ControlPainter();
  if (!FWindow || !painter) return;
  const TRect visible = VisibleWindowRect();
  const RECT r = painter->EditContentBounds({0, 0, visible.Right - visible.Left, visible.Bottom - visible.Top});
  SendMessage(FWindow, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TdxBarEditControl::SetWindowText(const String& AText) {
  const bool changed = FWindow && WindowText() != AText;
  TdxBarCustomEditControl::SetWindowText(AText);
  if (TdxBarPainter* painter = ControlPainter()) painter->SelectEditText(FWindow, changed);
}

void TdxBarEditControl::ShowInnerWindow() {
  TdxBarCustomEditControl::ShowInnerWindow();
  if (!FWindow) return;
  if (TFont* font = EditFont()) SendMessage(FWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), 0);
  const TRect r = VisibleWindowRect();
  SetWindowPos(FWindow, nullptr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, SWP_NOZORDER | SWP_SHOWWINDOW);
  WindowPlaced();
  SetFocusing(true);
  try {
    LoadText();
  } catch (...) {
    SetFocusing(false);
    throw;
  }
  SetFocusing(false);
  win::SetFocus(FWindow);
}

void TdxBarEditControl::DrawEditContent(TCanvas* Canvas, const TRect& R) {
  if (IsEnabled() && PartRectCount() > 0) SetWindowRect(PartRects(0));
  TdxBarEdit* edit = ItemOf<TdxBarEdit>(this);
  if (!PaintsText() || !edit || !Canvas) return;
  // The text in the edit's own font, in the colour the painter chose for it.
  TFont saved;
  saved.Assign(Canvas->Font());
  if (TFont* font = EditFont()) {
    const TColor color = Canvas->Font()->Color();
    Canvas->Font()->Assign(font);
    Canvas->Font()->SetColor(color);
  }
  try {
    edit->DrawInterior(this, Canvas, ItemLink(), R);
  } catch (...) {
    Canvas->Font()->Assign(&saved);
    throw;
  }
  Canvas->Font()->Assign(&saved);
}

void TdxBarEditControl::PaintOnGlass(TMessage& Message, bool ARepaint) {
  RECT client{};
  GetClientRect(FWindow, &client);
  PAINTSTRUCT ps{};
  HDC target = ARepaint ? GetDC(FWindow) : BeginPaint(FWindow, &ps);
  BP_PAINTPARAMS params{};
  HDC buffer = nullptr;
  HPAINTBUFFER paint = UxBeginBufferedPaint(target, TRect(client), BPBF_TOPDOWNDIB, &params, buffer);
  if (paint) {
    SendMessage(FWindow, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer), 0);
    SendMessage(FWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer), PRF_CLIENT);
    UxBufferedPaintSetAlpha(paint, nullptr, 255);
    HideCaret(FWindow);
    UxEndBufferedPaint(paint, true);
    ShowCaret(FWindow);
  }
  if (ARepaint)
    ReleaseDC(FWindow, target);
  else
    EndPaint(FWindow, &ps);
  Message.Result = 1;
}

void TdxBarEditControl::InnerWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY: {
      TcxObjectLinkScope self(this);
      SetFocused(false);
      if (!self.Alive()) return;
      DefaultInnerWndProc(Message);
      UnhookInnerWindow(false);
      return;
    }
    case WM_PAINT:
      if (OnGlass()) {
        PaintOnGlass(Message, false);
        return;
      }
      break;
    case dxBarRepaintOnGlassMessage:
      if (OnGlass() && GlassRepaintPosted()) {
        PaintOnGlass(Message, true);
        SetGlassRepaintPosted(false);
        return;
      }
      break;
    default:
      break;
  }
  TdxBarCustomEditControl::InnerWndProc(Message);
}

// ---- TCustomdxBarComboControl ---------------------------------------------------------------------

TCustomdxBarComboControl::~TCustomdxBarComboControl() { SetDroppedDown(false); }

void TCustomdxBarComboControl::EnabledChanged() {
  SetDroppedDown(false);
  TdxBarEditControl::EnabledChanged();
}

void TCustomdxBarComboControl::Deactivate(bool AFlag) {
  TcxObjectLinkScope self(this);
  SetDroppedDown(false);
  if (self.Alive()) TdxBarEditControl::Deactivate(AFlag);
}

void TCustomdxBarComboControl::RefreshDrawParams(bool AFull) {
  TdxBarEditControl::RefreshDrawParams(AFull);
  if (AFull) DrawInfo()->IsDropDown = FDroppedDown;
}

void TCustomdxBarComboControl::CalcLayout(const TRect& R, std::vector<TRect>& AParts) {
  TdxBarEditControl::CalcLayout(R, AParts);
  AParts.resize(4);
  TdxBarPainter* painter = ControlPainter();
  if (!painter || AParts[0].Right <= AParts[0].Left) return;
  // The combo lays the button into the edit box, inside the same border.
  const TRect o = painter->EditBorderOffsets();
  const TRect box{AParts[0].Left - o.Left, AParts[0].Top - o.Top, AParts[0].Right + o.Right, AParts[0].Bottom + o.Bottom};
  TdxBarEditLayout layout;
  painter->CalcComboLayout(*DrawInfo(), box, layout);
  AParts[0] = layout.ContentRect;
  AParts[3] = layout.ButtonRect;
}

bool TCustomdxBarComboControl::OwnsWindow(HWND AWindow) const {
  if (TdxBarEditControl::OwnsWindow(AWindow)) return true;
  TCustomdxBarCombo* combo = ItemOf<TCustomdxBarCombo>(this);
  if (!FDroppedDown || !combo || !AWindow) return false;
  HWND dropDown = combo->DropDownWindow();
  return dropDown && IsWindowVisible(dropDown) && (AWindow == dropDown || IsChild(dropDown, AWindow));
}

bool TCustomdxBarComboControl::IsSpecialKeyDown(WORD AKey, TShiftState AShift) const {
  return TdxBarEditControl::IsSpecialKeyDown(AKey, AShift) ||
         (AShift.Contains(ssAlt) && (AKey == VK_UP || AKey == VK_DOWN));
}

bool TCustomdxBarComboControl::IsSpecialKeyUp(WORD AKey, TShiftState AShift) const {
  return TdxBarEditControl::IsSpecialKeyUp(AKey, AShift) || (AShift.Contains(ssAlt) && (AKey == VK_UP || AKey == VK_DOWN));
}

void TCustomdxBarComboControl::HandleSpecialKeyDown(WORD& AKey, TShiftState AShift) {
  if (AShift.Contains(ssAlt) && (AKey == VK_UP || AKey == VK_DOWN)) {
    AKey = 0;
    TcxObjectLinkScope self(this);
    SetDroppedDown(!FDroppedDown);
    if (!self.Alive()) return;
  }
  TdxBarEditControl::HandleSpecialKeyDown(AKey, AShift);
}

void TCustomdxBarComboControl::HandleSpecialKeyUp(WORD& AKey, TShiftState AShift) {
  if (AShift.Contains(ssAlt) && (AKey == VK_UP || AKey == VK_DOWN)) AKey = 0;
  TdxBarEditControl::HandleSpecialKeyUp(AKey, AShift);
}

void TCustomdxBarComboControl::AdjustFrameRect(TRect& R) {
  TdxBarPainter* painter = ControlPainter();
  const TRect& button = PaintParts().size() > 3 ? PaintParts()[3] : PartRects(3);
  if (painter && button.Right > button.Left) R.Right = button.Right + painter->ComboButtonInsets().Right;
}

void TCustomdxBarComboControl::DrawContent(const TRect& R, TdxBarPaintMode APaintMode) {
  TdxBarEditControl::DrawContent(R, APaintMode);
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (!painter || !canvas || PaintParts().size() < 4) return;
  painter->DrawComboButton(*DrawInfo(), canvas->DeviceContext(), PaintParts()[3], IsSelected(), FDroppedDown);
}

bool TCustomdxBarComboControl::PaintsText() const {
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  return !(IsEnabled() && Focused() && !(item && item->NoEditor()));
}

TPoint TCustomdxBarComboControl::DropDownPoint() {
  const TRect item = ItemRect();
  POINT p{};
  if (Parent() && Parent()->BarKind() == dxBarKindToolbar && !Parent()->IsVertical())
    p = {item.Left + EditLeftOffset(), item.Bottom};
  else
    p = {item.Right, item.Top};
  if (Parent() && Parent()->HandleAllocated()) ClientToScreen(Parent()->Handle(), &p);
  return {p.x, p.y};
}

void TCustomdxBarComboControl::SetDroppedDown(bool Value) {
  if (Value == FDroppedDown) return;
  TCustomdxBarCombo* combo = ItemOf<TCustomdxBarCombo>(this);
  // A read-only combo never opens, but an open list always closes.
  if (Value && combo && combo->ReadOnly()) return;
  FDroppedDown = Value;
  Invalidate();
  if (!combo) return;
  if (Value) {
    const TPoint p = DropDownPoint();
    combo->DropDown(p.X, p.Y);
  } else {
    combo->CloseUp();
  }
}

bool TCustomdxBarComboControl::IsButtonPart(int APart) const {
  TCustomdxBarCombo* combo = ItemOf<TCustomdxBarCombo>(this);
  if (APart == 3) return true;
  return APart == 0 && combo && !combo->ShowEditor();
}

void TCustomdxBarComboControl::InnerWndProc(TMessage& Message) {
  TcxObjectLinkScope self(this);
  TCustomdxBarCombo* combo = ItemOf<TCustomdxBarCombo>(this);
  if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_KEYUP || Message.Msg == WM_CHAR) {
    const auto key = static_cast<WORD>(Message.WParam);
    if (Message.Msg == WM_KEYDOWN && key == VK_F4) {
      SetDroppedDown(!FDroppedDown);
      return;
    }
    HWND dropDown = FDroppedDown && combo ? combo->DropDownWindow() : nullptr;
    if (dropDown && combo->IsDropDownKey(key, KeyDataToShiftState(Message.LParam))) {
      if (self.Alive()) Message.Result = SendMessage(dropDown, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    if (!self.Alive()) return;
  }
  TdxBarEditControl::InnerWndProc(Message);
  HWND window = self.Alive() ? InnerWindowHandle() : nullptr;
  if (!window || !IsWindowVisible(window)) return;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FDroppedDownAtPress = FDroppedDown;
      if (IsButtonPart(HotPartIndex()) && !FDroppedDownAtPress) SetDroppedDown(true);
      break;
    case WM_LBUTTONUP:
      if (IsButtonPart(HotPartIndex()) && FDroppedDownAtPress) {
        FDroppedDownAtPress = false;
        SetDroppedDown(false);
      }
      break;
    default:
      break;
  }
}

// ---- TdxBarComboControl ---------------------------------------------------------------------------

void TdxBarComboControl::SetLocalItemIndex(int Index) {
  FLocalItemIndex = Index;
  LoadText();
  TdxBarWindowItem* item = ItemOf<TdxBarWindowItem>(this);
  if (item && item->NoEditor()) Invalidate();
}

void TdxBarComboControl::LoadText() {
  TdxBarCustomCombo* combo = ItemOf<TdxBarCustomCombo>(this);
  if (combo && FLocalItemIndex >= 0 && FLocalItemIndex < combo->Items()->Count()) {
    SetWindowText(combo->Items()->Strings(FLocalItemIndex));
    return;
  }
  TCustomdxBarComboControl::LoadText();
}

void TdxBarComboControl::SetFocused(bool Value) {
  if (Value && !Focused()) {
    if (TdxBarCustomCombo* combo = ItemOf<TdxBarCustomCombo>(this)) {
      SetFocusing(true);
      try {
        SetLocalItemIndex(combo->ItemIndex());
      } catch (...) {
        SetFocusing(false);
        throw;
      }
      SetFocusing(false);
    }
  }
  TCustomdxBarComboControl::SetFocused(Value);
}

void TdxBarComboControl::Browse(bool ADown) {
  TdxBarCustomCombo* combo = ItemOf<TdxBarCustomCombo>(this);
  const int count = combo ? combo->Items()->Count() : 0;
  if (count == 0) return;
  const int index = ADown ? std::min(FLocalItemIndex + 1, count - 1) : FLocalItemIndex - 1;
  // Up from the first entry (or from none) stays where it is.
  if (index < 0 || index == FLocalItemIndex) return;
  SetLocalItemIndex(index);
}

void TdxBarComboControl::InnerWndProc(TMessage& Message) {
  TdxBarCustomCombo* combo = ItemOf<TdxBarCustomCombo>(this);
  if (combo && !combo->ReadOnly()) {
    TcxObjectLinkScope self(this);
    if (Message.Msg == WM_KEYDOWN) {
      const auto key = static_cast<WORD>(Message.WParam);
      const bool alt = KeyDataToShiftState(Message.LParam).Contains(ssAlt);
      if ((key == VK_UP || key == VK_DOWN) && !alt && !IsDroppedDown()) {
        Browse(key == VK_DOWN);
        return;
      }
      if ((key == VK_RETURN || key == VK_TAB) && FLocalItemIndex >= 0 && FLocalItemIndex < combo->Items()->Count() &&
          WindowText() == combo->Items()->Strings(FLocalItemIndex)) {
        combo->SetItemIndex(FLocalItemIndex);
        HWND window = self.Alive() ? InnerWindowHandle() : nullptr;
        if (!window || !IsWindowVisible(window)) return;
      }
    } else if (Message.Msg == WM_MOUSEWHEEL) {
      const bool down = static_cast<short>(HIWORD(Message.WParam)) < 1;
      HWND list = IsDroppedDown() ? combo->DropDownWindow() : nullptr;
      if (list)
        SendMessage(list, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
      else if (!IsDroppedDown())
        Browse(down);
      return;
    }
  }
  TCustomdxBarComboControl::InnerWndProc(Message);
}
