// The controls that edit an item's text in a real child window: the window is created hidden with
// the control, shown over the content part while the control is focused, and its text decides the
// item's on Enter, Tab or (with the manager's say) the loss of focus.
#include <string>

#include "platform/classes/Forms.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/WindowProcController.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

constexpr int MaxWindowTextChars = 255;

TdxBarWindowItem* WindowItemOf(const TdxBarItemControl* AControl) {
  TdxBarItemLink* link = AControl->ItemLink();
  return link ? dynamic_cast<TdxBarWindowItem*>(link->Item()) : nullptr;
}

TdxBarEdit* EditItemOf(const TdxBarItemControl* AControl) {
  TdxBarItemLink* link = AControl->ItemLink();
  return link ? dynamic_cast<TdxBarEdit*>(link->Item()) : nullptr;
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

}  // namespace

// ---- TdxBarWinControl -----------------------------------------------------------------------------

TdxBarWinControl::~TdxBarWinControl() { InvalidateObjectLinks(this); }

void TdxBarWinControl::EnabledChanged() {
  SetFocused(false);
  TdxBarItemControl::EnabledChanged();
}

bool TdxBarWinControl::DoesClick() const { return Parent() && Parent()->RotatesText(); }

bool TdxBarWinControl::IsSelectable() const { return TdxBarItemControl::IsSelectable(); }

void TdxBarWinControl::Deactivate(bool AFlag) {
  TdxBarItemControl::Deactivate(AFlag);
  SetFocused(false);
}

void TdxBarWinControl::Press(bool AByMouse, bool AFlag) {
  SetFocused(true);
  TdxBarItemControl::Press(AByMouse, AFlag);
  ForwardPress(AByMouse);
}

void TdxBarWinControl::ForwardPress(bool AByMouse) {
  HWND window = InnerWindowHandle();
  if (!AByMouse || !window || !Parent() || !Parent()->HandleAllocated()) return;
  POINT p{};
  GetCursorPos(&p);
  POINT client = p;
  ScreenToClient(Parent()->Handle(), &client);
  const RECT visible = VisibleWindowRect();
  if (PtInRect(&visible, client)) return;
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
  TdxBarWindowItem* item = WindowItemOf(this);
  if (!IsEnabled() || (item && item->NoEditor())) return {};
  return FWindowRect;
}

void TdxBarWinControl::HookInnerWindow() {
  HWND window = InnerWindowHandle();
  TcxWindowProcController* controller = WindowProcControllerInstance();
  if (!window || !controller) return;
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
  if (TcxWindowProcController* controller = WindowProcControllerInstance())
    controller->Unhook(FWindowHook);
  FWindowHook = nullptr;
}

void TdxBarWinControl::DefaultInnerWndProc(TMessage& Message) {
  if (FWindowHook) CallPreviousWindowProc(FWindowHook, Message);
}

bool TdxBarWinControl::IsSpecialKeyDown(WORD AKey, TShiftState) const { return AKey == VK_F10 || AKey == VK_MENU; }

bool TdxBarWinControl::IsSpecialKeyUp(WORD AKey, TShiftState) const { return AKey == VK_MENU; }

void TdxBarWinControl::LoadText() {
  if (TdxBarWindowItem* item = WindowItemOf(this)) SetWindowText(item->Text());
}

void TdxBarWinControl::SetWindowText(const String& AText) {
  if (HWND window = InnerWindowHandle()) win::SetWindowText(window, AText.c_str());
  TdxBarWindowItem* item = WindowItemOf(this);
  if (item && item->NoEditor()) Invalidate();
}

void TdxBarWinControl::StoreText() {
  if (TdxBarWindowItem* item = WindowItemOf(this)) item->SetText(WindowText());
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
  EndEditing(manager && manager->AlwaysSaveText() && !escape);
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
  TdxBarWindowItem* item = WindowItemOf(this);
  if (item && item->OnKeyDown) item->OnKeyDown(item, AKey, AShift);
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
  TdxBarWindowItem* item = WindowItemOf(this);
  if (item && item->OnKeyUp) item->OnKeyUp(item, AKey, AShift);
}

void TdxBarWinControl::KeyPress(char32_t& AKey) {
  TdxBarWindowItem* item = WindowItemOf(this);
  if (item && item->OnKeyPress) item->OnKeyPress(item, AKey);
}

void TdxBarWinControl::AcceptEdit() {
  TcxObjectLinkScope self(this);
  StoreText();
  if (!self.Alive()) return;
  HWND window = InnerWindowHandle();
  if (!window || !IsWindowVisible(window) || !Parent()) return;
  Parent()->SelectControlByKeyboard(nullptr);
  DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
  Parent()->CloseUp();
}

void TdxBarWinControl::CancelEdit() {
  if (!Parent()) return;
  Parent()->SelectControlByKeyboard(nullptr);
  if (HWND window = InnerWindowHandle()) DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
  Parent()->HandleItemActivated(this);
}

void TdxBarWinControl::LeaveByTab(TShiftState /*AShift*/) {
  TcxObjectLinkScope self(this);
  StoreText();
  if (!self.Alive()) return;
  HWND window = InnerWindowHandle();
  if (!window || !IsWindowVisible(window)) return;
  DiscardPendingMessages(window, WM_CHAR, WM_CHAR, true);
}

void TdxBarWinControl::InnerWndProc(TMessage& Message) {
  TcxObjectLinkScope self(this);
  TdxBarWindowItem* item = WindowItemOf(this);
  switch (Message.Msg) {
    case WM_SETFOCUS:
      DefaultInnerWndProc(Message);
      if (self.Alive() && item && item->OnEnter) item->OnEnter(item);
      return;
    case WM_KILLFOCUS:
      DefaultInnerWndProc(Message);
      if (self.Alive() && item && item->OnExit) item->OnExit(item);
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
      if (HIWORD(Message.WParam) == EN_CHANGE && !FFocusing && item && item->OnCurChange) item->OnCurChange(item);
      break;
    case WM_RBUTTONDOWN: {
      if (!Parent() || !Parent()->HandleAllocated()) break;
      POINT p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      MapWindowPoints(InnerWindowHandle(), Parent()->Handle(), &p, 1);
      SendMessage(Parent()->Handle(), WM_RBUTTONDOWN, Message.WParam, MAKELPARAM(p.x, p.y));
      return;
    }
    default:
      break;
  }
  if (self.Alive()) DefaultInnerWndProc(Message);
}

// ---- TdxBarCustomEditControl ----------------------------------------------------------------------

unsigned TdxBarCustomEditControl::DefaultContentParts() const { return ShowsCaption() ? cpText : 0; }

bool TdxBarCustomEditControl::ShowsCaption() const {
  if (PaintMode() == pmMenu) return true;
  TdxBarItemLink* link = ItemLink();
  return link && link->Item() && link->Item()->ShowCaption();
}

// ---- TdxBarEditControl ----------------------------------------------------------------------------

TdxBarEditControl::TdxBarEditControl(TdxBarItemLink* ALink) : TdxBarCustomEditControl(ALink) {
  HookInnerWindow();
}

TdxBarEditControl::~TdxBarEditControl() { UnhookInnerWindow(true); }

void TdxBarEditControl::HookInnerWindow() {
  CreateInnerWindow();
  TdxBarCustomEditControl::HookInnerWindow();
}

void TdxBarEditControl::UnhookInnerWindow(bool ADestroyWindow) {
  TdxBarCustomEditControl::UnhookInnerWindow(ADestroyWindow);
  DestroyInnerWindow(ADestroyWindow);
}

void TdxBarEditControl::CreateInnerWindow() {
  if (FWindow || !Parent()) return;
  FWindow = CreateWindowEx(0, "EDIT", "", InnerWindowStyle(), 0, 0, 100, 100, Parent()->Handle(), nullptr,
                           nullptr, nullptr);
  if (!FWindow) return;
  LoadText();
  if (TdxBarEdit* edit = EditItemOf(this)) SendMessage(FWindow, EM_LIMITTEXT, edit->MaxLength(), 0);
}

void TdxBarEditControl::DestroyInnerWindow(bool ADestroy) {
  if (ADestroy && FWindow && IsWindow(FWindow)) DestroyWindow(FWindow);
  FWindow = nullptr;
}

bool TdxBarEditControl::PaintsText() const { return !(Focused() && IsEnabled()); }

void TdxBarEditControl::Press(bool AByMouse, bool AFlag) {
  TdxBarCustomEditControl::Press(AByMouse, AFlag);
  if (Focused() && FWindow) SendMessage(FWindow, EM_SETSEL, 0, static_cast<LPARAM>(-1));
}

void TdxBarEditControl::SetFocused(bool Value) {
  // Also asked while the bar window is going: nothing to repaint then.
  if (Value == TdxBarWinControl::Focused()) return;
  if (Value && FWindow) {
    TdxBarEdit* edit = EditItemOf(this);
    const bool readOnly = edit && (edit->ReadOnly() || edit->NoEditor());
    SendMessage(FWindow, EM_SETREADONLY, readOnly ? 1 : 0, 0);
  }
  TdxBarCustomEditControl::SetFocused(Value);
  Invalidate();
}

void TdxBarEditControl::EndEditing(bool AAccept) {
  if (FWindow) ShowWindow(FWindow, SW_HIDE);
  if (AAccept) StoreText();
}

void TdxBarEditControl::ShowInnerWindow() {
  if (!FWindow) return;
  if (Parent()) {
    TFont* font = EditFont() ? EditFont() : Parent()->ItemsFont();
    if (font) SendMessage(FWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), 0);
  }
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

void TdxBarEditControl::InnerWndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY) {
    SetFocused(false);
    DefaultInnerWndProc(Message);
    UnhookInnerWindow(false);
    return;
  }
  TdxBarCustomEditControl::InnerWndProc(Message);
}
