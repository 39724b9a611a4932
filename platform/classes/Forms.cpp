#include "platform/classes/Forms.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/classes/ControlsInternal.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/HintWindow.h"
#include "platform/classes/Menus.h"
#include "platform/classes/Themes.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/classes/Thread.h"
#include "platform/classes/Utf8.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Mdi.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Metrics.h"
#include "platform/win/Startup.h"

using namespace win;
using namespace controls_detail;

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
TMouse* Mouse = nullptr;

namespace {

constexpr UINT_PTR kHintTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

int DefaultMessageBox(HWND Owner, const String& Text, const String& Caption, int Flags) {
  return win::MessageBox(Owner, Text.c_str(), Caption.c_str(), static_cast<UINT>(Flags));
}

TApplication::TMessageBoxFunc g_MessageBox = DefaultMessageBox;

}  // namespace

// ---- TCustomForm -----------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FLeft = 0;
  FTop = 0;
  FWidth = 320;
  FHeight = 240;
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FParentFont = false;
  FBrush->SetColor(FColor);
  auto* canvas = new TControlCanvas();
  canvas->SetControl(this);
  FCanvas = canvas;
  FIcon = new TIcon();
  if (Screen) Screen->AddForm(this);
}

TCustomForm::TCustomForm(TComponent* AOwner, int) : TCustomForm(AOwner) { FCreatedNew = true; }

TCustomForm::~TCustomForm() {
  if (!FDestroyed) {
    FDestroyed = true;
    Destroying();
  }
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
  static_cast<TControlCanvas*>(FCanvas)->FreeHandle();
  delete FCanvas;
  FCanvas = nullptr;
  delete FIcon;
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
  TWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (int i = 0; i < ComponentCount(); ++i)
    if (TComponent* c = Components(i); !c->HasParent()) Proc(c);
}

void TCustomForm::DeclareProperties(TPropTable& t) {
  t.Add("Action", &TControl::Action, &TControl::SetAction);
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend).SetDefault(false);
  t.Add("AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue).SetDefault(255);
  t.Add("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  t.Add("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll).SetDefault(true);
  t.Add("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize).SetDefault(false);
  t.Add("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode).SetDefault(bdLeftToRight);
  t.Add("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
      .SetDefault(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  t.Add("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).SetDefault(bsSizeable);
  t.Add("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth).SetDefault(0);
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("ClientHeight", &TCustomForm::ClientHeightProp, &TCustomForm::SetClientHeightProp);
  t.Add("ClientWidth", &TCustomForm::ClientWidthProp, &TCustomForm::SetClientWidthProp);
  t.Add("Color", &TControl::Color, &TControl::SetColor).SetDefault(clBtnFace).Idents(ColorToIdent, IdentToColor);
  t.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  t.Add("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D).SetDefault(true);
  t.Add("DefaultMonitor", &TCustomForm::DefaultMonitor, &TCustomForm::SetDefaultMonitor).SetDefault(dmActiveForm);
  t.Add("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).SetDefault(false);
  t.Add("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered).SetDefault(false);
  t.Add("DragKind", &TControl::DragKind, &TControl::SetDragKind).SetDefault(dkDrag);
  t.Add("DragMode", &TControl::DragMode, &TControl::SetDragMode).SetDefault(dmManual);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Font", &TControl::Font, &TControl::SetFont);
  t.Add("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).SetDefault(fsNormal);
  t.Add("HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile);
  t.Add("Icon", &TCustomForm::Icon, &TCustomForm::SetIcon);
  t.Add("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).SetDefault(false);
  t.Add("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
  t.Add("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder).SetDefault(false);
  t.Add("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(false);
  t.Add("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
  t.Add("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  t.Add("Position", &TCustomForm::Position, &TCustomForm::SetPosition).SetDefault(poDefaultPosOnly);
  t.Add("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).SetDefault(true);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  t.Add("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
  t.Add("UseDockManager", &TWinControl::UseDockManager, &TWinControl::SetUseDockManager).SetDefault(false);
  t.Add("TransparentColor", &TCustomForm::TransparentColor, &TCustomForm::SetTransparentColor).SetDefault(false);
  t.Add("TransparentColorValue", &TCustomForm::TransparentColorValue, &TCustomForm::SetTransparentColorValue)
      .SetDefault(clBlack)
      .Idents(ColorToIdent, IdentToColor);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(false);
  t.Add("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).SetDefault(wsNormal);
  t.Add("OnActivate", &TCustomForm::OnActivate);
  t.Add("OnCanResize", &TControl::OnCanResize);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnClose", &TCustomForm::OnClose);
  t.Add("OnCloseQuery", &TCustomForm::OnCloseQuery);
  t.Add("OnContextPopup", &TControl::OnContextPopup);
  t.Add("OnCreate", &TCustomForm::OnCreate);
  t.Add("OnDblClick", &TControl::OnDblClick);
  t.Add("OnDeactivate", &TCustomForm::OnDeactivate);
  t.Add("OnDestroy", &TCustomForm::OnDestroy);
  t.Add("OnDragDrop", &TControl::OnDragDrop);
  t.Add("OnDockDrop", &TControl::OnDockDrop);
  t.Add("OnDragOver", &TControl::OnDragOver);
  t.Add("OnEndDock", &TControl::OnEndDock);
  t.Add("OnHide", &TCustomForm::OnHide);
  t.Add("OnKeyDown", &TWinControl::OnKeyDown);
  t.Add("OnKeyPress", &TWinControl::OnKeyPress);
  t.Add("OnKeyUp", &TWinControl::OnKeyUp);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
  t.Add("OnMouseMove", &TControl::OnMouseMove);
  t.Add("OnMouseUp", &TControl::OnMouseUp);
  t.Add("OnMouseWheel", &TControl::OnMouseWheel);
  t.Add("OnMouseWheelDown", &TControl::OnMouseWheelDown);
  t.Add("OnMouseWheelUp", &TControl::OnMouseWheelUp);
  t.Add("OnPaint", &TCustomForm::OnPaint);
  t.Add("OnResize", &TControl::OnResize);
  t.Add("OnShortCut", &TCustomForm::OnShortCut);
  t.Add("OnShow", &TCustomForm::OnShow);
  t.Add("OnStartDock", &TControl::OnStartDock);
  t.Add("OnUnDock", &TControl::OnUnDock);
}

void TForm::DeclareProperties(TPropTable&) {}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  FFormState.Include(fsCreating);
  std::function<void(TComponent*)> setReference;
  if (Application && Application->FPendingReference) {
    setReference = std::move(Application->FPendingReference);
    Application->FPendingReference = nullptr;
    setReference(this);
  }
  // A plain TForm has no description of its own; every form class derived from it has one.
  if (!FCreatedNew && ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass()) {
    try {
      ReadFormResource(this);
    } catch (...) {
      // A form that could not be read is not left half-built behind its global.
      if (setReference) setReference(nullptr);
      FFormState.Exclude(fsCreating);
      TObject::Free(this);
      throw;
    }
  }
  FFormState.Exclude(fsCreating);
  // An error in OnCreate is shown; the form still comes into being.
  try {
    DoCreate();
  } catch (...) {
    if (!Application) throw;
    Application->HandleException(this);
  }
  if (FVisible) {
    FVisible = false;
    Show();
  }
}

void TCustomForm::BeforeDestruction() {
  if (!FDestroyed) {
    FDestroyed = true;
    Destroying();
    if (Screen) Screen->RemoveForm(this);
    try {
      DoDestroy();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  TWinControl::BeforeDestruction();
}

void TCustomForm::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    TWinControl::ReadState(Reader);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TCustomForm::SetClientWidthProp(int Value) {
  if (HasState(csLoading)) FClientWidth = Value;
  SetClientWidth(Value);
}

void TCustomForm::SetClientHeightProp(int Value) {
  if (HasState(csLoading)) FClientHeight = Value;
  SetClientHeight(Value);
}

RECT TCustomForm::ClientRect() {
  if (FHandle) return TWinControl::ClientRect();
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  bool menu = FMenu && FMenu->Items()->Count() > 0 && !(p.Style & WS_CHILD);
  AdjustWindowRectEx(&frame, p.Style, menu, p.ExStyle);
  int w = FWidth - (frame.right - frame.left) - 2 * FBorderWidth;
  int h = FHeight - (frame.bottom - frame.top) - 2 * FBorderWidth;
  return RECT{0, 0, std::max(0, w), std::max(0, h)};
}

void TCustomForm::Loaded() {
  // The menu reference is resolved by now: the stored client size holds with the menu bar.
  if (FClientWidth > 0 || FClientHeight > 0) {
    SetClientSize(FClientWidth > 0 ? FClientWidth : ClientWidth(), FClientHeight > 0 ? FClientHeight : ClientHeight());
    FClientWidth = FClientHeight = 0;
  }
  // A form designed at another resolution is scaled to the screen's.
  int screenPpi = Screen ? Screen->PixelsPerInch() : 96;
  if (FScaled && FPixelsPerInch > 0 && FPixelsPerInch != screenPpi) {
    // Rounded half away from zero, negative font heights included.
    auto scale = [&](int v) {
      long long n = static_cast<long long>(v) * screenPpi;
      long long half = FPixelsPerInch / 2;
      return static_cast<int>(n >= 0 ? (n + half) / FPixelsPerInch : (n - half) / FPixelsPerInch);
    };
    SetClientSize(scale(ClientWidth()), scale(ClientHeight()));
    if (!FParentFont) FFont->SetHeight(scale(FFont->Height()));
    ScaleControls(screenPpi, FPixelsPerInch);
    FPixelsPerInch = screenPpi;
  }
  TWinControl::Loaded();
  if (FActiveControl && !FActiveControl->FVisible) FActiveControl = nullptr;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) FMenu = nullptr;
  if (AComponent == FWindowMenu) FWindowMenu = nullptr;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}
void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::WMPaint(TMessage& Message) {
  FControlState.Include(csCustomPaint);
  try {
    TWinControl::WMPaint(Message);
  } catch (...) {
    FControlState.Exclude(csCustomPaint);
    throw;
  }
  FControlState.Exclude(csCustomPaint);
}

void TCustomForm::WMPrintClient(TMessage& Message) {
  if (!(Message.LParam & PRF_CLIENT) || !Message.WParam) {
    TWinControl::WMPrintClient(Message);
    return;
  }
  TMessage paint{WM_PAINT, Message.WParam, 0, 0};
  PaintHandler(paint);
  Message.Result = 0;
}

void TCustomForm::PaintWindow(HDC DC) {
  controls_detail::PaintOnCanvas(FCanvas, DC, FFont, FColor, [this] { Paint(); });
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  // A form may sit inside another control; it is a child window then.
  bool embedded = FParent || FParentWindow;
  Params.WndParent = FParent ? FParent->FHandle : FParentWindow;
  if (embedded) Params.Style |= WS_CHILD;
  // Top-level forms are owned by the application's hidden window, which keeps them off the task
  // bar; a form that wants a button of its own asks for it with WS_EX_APPWINDOW.
  else if (Application) Params.WndParent = Application->Handle();
  if (!FEnabled) Params.Style |= WS_DISABLED;
  switch (FBorderStyle) {
    case bsNone:
      if (!embedded) Params.Style |= WS_POPUP;
      break;
    case bsSingle: Params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= (embedded ? 0 : WS_POPUP) | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone) {
    if (FBorderIcons.Contains(biSystemMenu)) {
      Params.Style |= WS_SYSMENU;
      if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
        if (FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
        if (FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
      }
    }
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (FFormStyle == fsMDIChild) {
    // A document lives in the main form's MDI client.
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main != this && main->FFormStyle == fsMDIForm) main->HandleNeeded();
    if (!main || main == this || main->FFormStyle != fsMDIForm || !main->FClientHandle)
      throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    Params.Style = (Params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
    Params.WndParent = main->FClientHandle;
    Params.ExStyle |= WS_EX_MDICHILD;
    Params.WindowClass.lpfnWndProc = DefMDIChildProc;
  }
  if (FAlphaBlend || FTransparentColor) Params.ExStyle |= WS_EX_LAYERED;
  Params.WindowClass.style = CS_DBLCLKS;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FFormStyle == fsMDIForm) {
    CLIENTCREATESTRUCT ccs;
    ccs.idFirstChild = 0xFF00;
    RECT r;
    GetClientRect(FHandle, &r);
    FClientHandle = CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, r.right, r.bottom,
                                   FHandle, nullptr, nullptr, &ccs);
  }
  if (FMenu) FMenu->SetWindowHandle(FHandle);
  UpdateMDIMenus();
  UpdateLayered();
}

void TCustomForm::DestroyWindowHandle() {
  // The documents' windows go first, through their forms, which then know they have none.
  if (FClientHandle)
    for (TCustomForm* child = nullptr; (child = MDIChildren(0)) != nullptr;) child->DestroyHandle();
  FClientHandle = nullptr;
  TWinControl::DestroyWindowHandle();
}

void TCustomForm::AlignControls(TControl* AControl, RECT& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  // The documents have what the aligned controls leave, under them.
  if (FClientHandle)
    SetWindowPos(FClientHandle, HWND_BOTTOM, Rect.left, Rect.top, std::max(0, static_cast<int>(Rect.right - Rect.left)),
                 std::max(0, static_cast<int>(Rect.bottom - Rect.top)), SWP_NOACTIVATE);
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  // The frame's size reaches its client through the alignment above instead.
  if (FClientHandle && FHandle && Message.Msg != WM_SIZE) {
    Message.Result = DefFrameProc(FHandle, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TWinControl::DefaultHandler(Message);
}

TCustomForm* TCustomForm::ActiveMDIChild() {
  if (!FClientHandle) return nullptr;
  auto h = reinterpret_cast<HWND>(SendMessage(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(h));
}

int TCustomForm::MDIChildCount() {
  int n = 0;
  if (FClientHandle && Screen)
    for (TCustomForm* f : Screen->FForms)
      if (f->FFormStyle == fsMDIChild && f->FHandle && win::GetParent(f->FHandle) == FClientHandle) ++n;
  return n;
}

TCustomForm* TCustomForm::MDIChildren(int Index) {
  if (FClientHandle && Screen)
    for (TCustomForm* f : Screen->FForms)
      if (f->FFormStyle == fsMDIChild && f->FHandle && win::GetParent(f->FHandle) == FClientHandle && Index-- == 0) return f;
  return nullptr;
}

void TCustomForm::Next() {
  if (FClientHandle) SendMessage(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
  if (FClientHandle) SendMessage(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::SetWindowMenu(TMenuItem* Value) {
  if (FWindowMenu == Value) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = Value;
  if (Value) Value->FreeNotification(this);
  UpdateMDIMenus();
}

void TCustomForm::UpdateMDIMenus() {
  if (!FClientHandle) return;
  HMENU bar = FMenu && FMenu->HandleAllocated() && GetMenu(FHandle) == FMenu->Handle() ? FMenu->Handle() : nullptr;
  HMENU windows = nullptr;
  // The window menu's handle is the sub-menu at its place among the bar's visible items.
  if (bar && FWindowMenu && FWindowMenu->Parent() == FMenu->Items() && FWindowMenu->Visible()) {
    int pos = 0;
    for (int i = 0; i < FMenu->Items()->Count(); ++i) {
      TMenuItem* item = FMenu->Items()->Items(i);
      if (item == FWindowMenu) {
        // A maximized document's window menu may stand first on the bar.
        MENUITEMINFO first;
        first.fMask = MIIM_BITMAP;
        bool lent = GetMenuItemInfo(bar, 0, TRUE, &first) && first.hbmpItem == HBMMENU_SYSTEM;
        windows = GetSubMenu(bar, pos + (lent ? 1 : 0));
        break;
      }
      if (item->Visible()) ++pos;
    }
  }
  SendMessage(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(windows));
}

void TCustomForm::WMMDIActivate(TMessage& Message) {
  DefaultHandler(Message);
  if (FFormStyle != fsMDIChild) return;
  bool active = reinterpret_cast<HWND>(Message.LParam) == FHandle;
  if (active == FActive) return;
  FActive = active;
  // A document's main menu joins the main form's while it is the active one.
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main && main->FMenu && FMenu) {
    if (active) main->FMenu->Merge(FMenu);
    else main->FMenu->Unmerge(FMenu);
  }
  if (active) {
    if (Screen) Screen->SetActiveForm(this);
    NotifyActivation(CM_ACTIVATE);
    if (FActiveControl && FActiveControl->CanFocus())
      win::SetFocus(FActiveControl->Handle());
  } else {
    NotifyActivation(CM_DEACTIVATE);
  }
}

void TCustomForm::UpdateLayered() {
  if (!FHandle) return;
  LONG ex = GetWindowLong(FHandle, GWL_EXSTYLE);
  if (FAlphaBlend || FTransparentColor) {
    if (!(ex & WS_EX_LAYERED)) SetWindowLong(FHandle, GWL_EXSTYLE, ex | static_cast<LONG>(WS_EX_LAYERED));
    DWORD flags = (FAlphaBlend ? LWA_ALPHA : 0) | (FTransparentColor ? LWA_COLORKEY : 0);
    SetLayeredWindowAttributes(FHandle, ColorToRGB(FTransparentColorValue), FAlphaBlendValue, flags);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLong(FHandle, GWL_EXSTYLE, ex & ~static_cast<LONG>(WS_EX_LAYERED));
    RedrawWindow(FHandle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (FAlphaBlend == Value) return;
  FAlphaBlend = Value;
  UpdateLayered();
}
void TCustomForm::SetAlphaBlendValue(std::uint8_t Value) {
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  UpdateLayered();
}
void TCustomForm::SetTransparentColor(bool Value) {
  if (FTransparentColor == Value) return;
  FTransparentColor = Value;
  UpdateLayered();
}
void TCustomForm::SetTransparentColorValue(TColor Value) {
  if (FTransparentColorValue == Value) return;
  FTransparentColorValue = Value;
  UpdateLayered();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}
void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}
void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  bool mdi = FFormStyle == fsMDIForm || FFormStyle == fsMDIChild || Value == fsMDIForm || Value == fsMDIChild;
  FFormStyle = Value;
  // An MDI frame needs its client window, a document a window inside another form's.
  if (FHandle && mdi) {
    RecreateWnd();
    return;
  }
  if (FHandle)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
  if (FHandle) {
    if (IsIconic(FHandle)) return wsMinimized;
    if (IsZoomed(FHandle)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (FHandle && FShowing) {
    static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, commands[Value]);
  }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    FMenu->SetWindowHandle(nullptr);
  }
  FMenu = Value;
  if (Value) {
    Value->FreeNotification(this);
    if (FHandle) Value->SetWindowHandle(FHandle);
  }
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(Message, handled);
  if (handled) return true;
  return FMenu && FMenu->IsShortCut(Message);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control && (Control == this || ::GetParentForm(Control) != this))
    throw EInvalidOperation("Invalid control for the active control of a form");
  if (HasState(csLoading)) {
    FActiveControl = Control;
    return;
  }
  FActiveControl = Control;
  if (FActive && Control && Control->CanFocus()) FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control) return;
  bool wasActive = FActive;
  FActiveControl = Control;
  if (!Control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (!FShowing) return;
  if (!wasActive && FHandle) ActivateWindow();
  win::SetFocus(Control->Handle());
  if (GetFocus() == Control->FHandle) SetFocusedControl(Control);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (HasState(csDestroying)) return true;
  if (Control == FFocusedControl) {
    FActiveControl = Control;
    if (Screen) Screen->SetActiveControl(Control);
    return true;
  }
  TWinControl* old = FFocusedControl;
  FFocusedControl = Control;
  FActiveControl = Control;
  if (Screen) {
    Screen->SetActiveForm(this);
    Screen->SetActiveControl(Control);
  }
  // Leave the old control and its parents up to the one both share; enter the new chain from
  // the top down.
  auto contains = [](TWinControl* parent, TWinControl* c) { return parent && c && parent->ContainsControl(c); };
  for (TWinControl* c = old; c && c != this && !contains(c, Control); c = c->FParent) {
    c->Perform(CM_EXIT, 0, 0);
    if (FFocusedControl != Control) return false;
  }
  std::vector<TWinControl*> chain;
  for (TWinControl* c = Control; c && c != this && !contains(c, old); c = c->FParent) chain.push_back(c);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    (*it)->Perform(CM_ENTER, 0, 0);
    if (FFocusedControl != Control) return false;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->FParent;
  if (Control->ContainsControl(FActiveControl)) {
    FActiveControl = nullptr;
    if (Screen && Screen->FActiveControl && Control->ContainsControl(Screen->FActiveControl))
      Screen->SetActiveControl(nullptr);
  }
}

void TCustomForm::SetFocus() {
  if (!FVisible || !FEnabled) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (FHandle) {
    ActivateWindow();
    if (FActiveControl && FActiveControl->CanFocus()) win::SetFocus(FActiveControl->Handle());
  }
}

void TCustomForm::ActivateWindow() {
  // A document is activated within its client, its frame as a window of its own.
  if (FFormStyle == fsMDIChild && (GetWindowLong(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
    HWND client = win::GetParent(FHandle);
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
    if (HWND frame = win::GetParent(client)) SetActiveWindow(frame);
    return;
  }
  SetActiveWindow(FHandle);
}

bool TCustomForm::Focused() { return FActive; }
bool TCustomForm::CanFocus() { return FVisible && FEnabled; }

void TCustomForm::SelectFirst() {
  if (TWinControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FHandle) BringWindowToTop(FHandle);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMVisibleChanged(TMessage&) {
  if (HasState(csLoading) || FFormState.Contains(fsCreating)) return;
  UpdateShowing();
}

void TCustomForm::ApplyPosition() {
  if (FParent || FParentWindow || FFormStyle == fsMDIChild) return;
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      SetBounds((sw - FWidth) / 2, (sh - FHeight) / 2, FWidth, FHeight);
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = Application ? Application->MainForm() : nullptr;
      if (FPosition == poOwnerFormCenter) center = dynamic_cast<TCustomForm*>(Owner()) ? static_cast<TCustomForm*>(Owner()) : center;
      if (center && center != this)
        SetBounds(center->FLeft + (center->FWidth - FWidth) / 2, center->FTop + (center->FHeight - FHeight) / 2,
                  FWidth, FHeight);
      else
        SetBounds((sw - FWidth) / 2, (sh - FHeight) / 2, FWidth, FHeight);
      break;
    }
    default: break;
  }
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (!FHandle) return;
  if (FShowing) {
    if (!FFormState.Contains(fsShowing)) {
      FFormState.Include(fsShowing);
      try {
        DoShow();
      } catch (...) {
        FFormState.Exclude(fsShowing);
        throw;
      }
      FFormState.Exclude(fsShowing);
    }
    if (!FFormState.Contains(fsVisible)) {
      FFormState.Include(fsVisible);
      ApplyPosition();
    }
    static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(FHandle, commands[FWindowState]);
    if (FFormStyle == fsStayOnTop)
      SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (FActive) {
      if (FActiveControl && FActiveControl->CanFocus())
        win::SetFocus(FActiveControl->Handle());
      else if (!FActiveControl)
        SelectFirst();
    }
  } else {
    ShowWindow(FHandle, SW_HIDE);
    DoHide();
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = FFormStyle == fsMDIChild ? caMinimize : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

int TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (GetCapture()) SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  FFormState.Include(fsModal);
  // Every other window of ours is disabled while the modal form runs.
  std::vector<HWND> disabled;
  if (Screen)
    for (TCustomForm* f : Screen->FForms)
      if (f != this && f->FHandle && IsWindowEnabled(f->FHandle) && IsWindowVisible(f->FHandle)) {
        EnableWindow(f->FHandle, FALSE);
        disabled.push_back(f->FHandle);
      }
  HWND previous = GetActiveWindow();
  auto restore = [&] {
    for (HWND h : disabled)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    FFormState.Exclude(fsModal);
  };
  try {
    Show();
    FModalResult = mrNone;
    if (Application) ++Application->FModalLevel;
    do {
      if (Application) Application->HandleMessage();
      if (Application && Application->Terminated()) {
        if (FModalResult == mrNone) FModalResult = mrCancel;
        break;
      }
      if (FModalResult != mrNone) {
        // Closing the modal form can still be refused.
        TCloseAction action = caNone;
        if (CloseQuery()) {
          action = caHide;
          DoClose(action);
        }
        if (action == caNone) FModalResult = mrNone;
        if (action == caFree) Release();
      }
    } while (FModalResult == mrNone);
    if (Application) --Application->FModalLevel;
    restore();
    Hide();
  } catch (...) {
    if (Application && Application->FModalLevel > 0) --Application->FModalLevel;
    restore();
    if (FHandle && FVisible) Hide();
    throw;
  }
  if (previous && IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
  return FModalResult;
}

void TCustomForm::Release() {
  if (FHandle) {
    PostMessage(FHandle, CM_RELEASE, 0, 0);
    return;
  }
  TObject::Free(this);
}

void TCustomForm::CMRelease(TMessage&) { TObject::Free(this); }

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::NotifyActivation(UINT Msg) {
  // Through the window procedure, so that message hooks can hold an activation notice back.
  if (FHandle)
    SendMessage(FHandle, Msg, 0, 0);
  else
    Perform(Msg, 0, 0);
}

void TCustomForm::WMActivate(TMessage& Message) {
  DefaultHandler(Message);
  bool active = Message.WParamLo() != WA_INACTIVE;
  if (active == FActive) return;
  FActive = active;
  if (active) {
    if (Screen) Screen->SetActiveForm(this);
    NotifyActivation(CM_ACTIVATE);
    if (FActiveControl && FActiveControl->CanFocus())
      win::SetFocus(FActiveControl->Handle());
    else if (!FActiveControl)
      SelectFirst();
  } else {
    NotifyActivation(CM_DEACTIVATE);
  }
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    auto key = static_cast<WORD>(Message.WParam);
    // Moving about with the keyboard brings the focus frames and underlines back.
    if ((key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && FHandle)
      SendMessage(FHandle, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    switch (key) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl && FActiveControl->FParent) {
          FActiveControl->FParent->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN, false);
          Message.Result = 1;
          return;
        }
        break;
      default: break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_COMMAND:
      // A command of the menu bar goes to its item.
      if (Message.LParam == 0 && FMenu && FMenu->DispatchCommand(Message.WParamLo())) return;
      TWinControl::Dispatch(Message);
      return;
    case WM_CLOSE: WMClose(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_MDIACTIVATE: WMMDIActivate(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case CM_ACTIVATE: Activate(); return;
    case CM_DEACTIVATE: Deactivate(); return;
    case WM_ACTIVATEAPP:
      // The program as a whole came to the front or went behind another one.
      if (Application) Application->ActiveChanged(Message.WParam != 0);
      TWinControl::Dispatch(Message);
      return;
    case WM_SIZE:
      TWinControl::Dispatch(Message);
      if (Message.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
      else if (Message.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
      else if (Message.WParam == SIZE_RESTORED) FWindowState = wsNormal;
      return;
    default: TWinControl::Dispatch(Message); return;
  }
}

// ---- TScreen and TMouse ----------------------------------------------------------------------------

RECT TMonitor::BoundsRect() const {
  MONITORINFO mi;
  if (GetMonitorInfo(FHandle, &mi)) return mi.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT TMonitor::WorkareaRect() const {
  MONITORINFO mi;
  if (GetMonitorInfo(FHandle, &mi)) return mi.rcWork;
  return BoundsRect();
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  FHintFont = new TFont();
  FMenuFont = new TFont();
  FIconFont = new TFont();
  NONCLIENTMETRICS ncm;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    FHintFont->SetHandle(CreateFontIndirect(&ncm.lfStatusFont));
    FMenuFont->SetHandle(CreateFontIndirect(&ncm.lfMenuFont));
  }
  FHintFont->SetColor(clInfoText);
}

TScreen::~TScreen() {
  for (auto& c : FCursors) DestroyCursor(c.second);
  for (TMonitor* m : FMonitors) delete m;
  delete FFonts;
  delete FHintFont;
  delete FMenuFont;
  delete FIconFont;
}

void TScreen::AddForm(TCustomForm* Form) {
  if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(FForms, Form);
  if (FActiveForm == Form) SetActiveForm(nullptr);
  if (FActiveControl && ::GetParentForm(FActiveControl) == Form) FActiveControl = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (FActiveForm == Form) return;
  FActiveForm = Form;
  // The most recently active form leads the list, as the class library keeps it.
  if (Form) {
    std::erase(FForms, Form);
    FForms.insert(FForms.begin(), Form);
  }
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  FActiveControl = Control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  if (Value == crDefault) {
    // Ask the window under the mouse for its cursor again.
    POINT p;
    GetCursorPos(&p);
    if (HWND h = WindowFromPoint(p)) SendMessage(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), HTCLIENT | (WM_MOUSEMOVE << 16));
  } else if (HCURSOR h = Cursors(Value)) {
    win::SetCursor(h);
  }
}

HCURSOR TScreen::Cursors(int Index) {
  for (auto& c : FCursors)
    if (c.first == Index) return c.second;
  if (Index == crNone) return nullptr;
  LPCSTR id = IDC_ARROW;
  switch (Index) {
    case crDefault:
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE:
    case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass:
    case crSQLWait: id = IDC_WAIT; break;
    case crNo:
    case crNoDrop: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursor(nullptr, id);
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  for (auto& c : FCursors)
    if (c.first == Index) {
      if (c.second != Handle) DestroyCursor(c.second);
      c.second = Handle;
      return;
    }
  FCursors.emplace_back(Index, Handle);
}

void TScreen::ResetFonts() {
  delete FFonts;
  FFonts = nullptr;
}

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    FFonts = new TStringList();
    FFonts->SetSorted(true);
    FFonts->SetDuplicates(dupIgnore);
    HDC dc = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesEx(
        dc, &lf,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) -> int {
          reinterpret_cast<TStringList*>(data)->Add(font->lfFaceName);
          return 1;
        },
        reinterpret_cast<LPARAM>(FFonts), 0);
    ReleaseDC(nullptr, dc);
  }
  return FFonts;
}

const std::vector<TMonitor*>& TScreen::Monitors() {
  if (FMonitors.empty()) {
    auto* m = new TMonitor();
    m->FHandle = win::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    m->FMonitorNum = 0;
    FMonitors.push_back(m);
  }
  return FMonitors;
}

TMonitor* TScreen::MonitorFromPoint(POINT Point) {
  HMONITOR h = win::MonitorFromPoint(Point, MONITOR_DEFAULTTONEAREST);
  for (TMonitor* m : Monitors())
    if (m->FHandle == h) return m;
  return Monitors().front();
}

TMonitor* TScreen::MonitorFromWindow(HWND Handle) {
  HMONITOR h = win::MonitorFromWindow(Handle, MONITOR_DEFAULTTONEAREST);
  for (TMonitor* m : Monitors())
    if (m->FHandle == h) return m;
  return Monitors().front();
}

RECT TScreen::WorkAreaRect() const {
  RECT r{};
  if (SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0)) return r;
  return RECT{0, 0, Width(), Height()};
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

POINT TMouse::CursorPos() const {
  POINT p{};
  GetCursorPos(&p);
  return p;
}
void TMouse::SetCursorPos(POINT Value) { win::SetCursorPos(Value.x, Value.y); }
HWND TMouse::Capture() const { return GetCapture(); }

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}

// ---- TApplication ----------------------------------------------------------------------------------

TApplication::TMessageBoxFunc TApplication::SetMessageBoxFunc(TMessageBoxFunc Func) {
  TMessageBoxFunc old = g_MessageBox;
  g_MessageBox = Func ? Func : DefaultMessageBox;
  return old;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  FTitle = std::filesystem::path(ExeName()).stem().string();
  platform::SetSynchronizeWakeHook([this] {
    // Any thread: a posted message wakes the UI loop, which then runs the queued calls.
    if (HWND h = FWakeHandle.load()) PostMessage(h, WM_NULL, 0, 0);
  });
}

TApplication::~TApplication() {
  platform::SetSynchronizeWakeHook(nullptr);
  FWakeHandle = nullptr;
  // Forms go first, while the application they report to still exists.
  DestroyComponents();
  if (FHintWindow) {
    delete FHintWindow;
    FHintWindow = nullptr;
  }
  if (FHandle) {
    RemoveProp(FHandle, "VWApplication");
    DestroyWindow(FHandle);
    FHandle = nullptr;
  }
  if (Application == this) Application = nullptr;
}

LRESULT TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* app = static_cast<TApplication*>(GetProp(hwnd, "VWApplication"));
  if (app) {
    switch (msg) {
      case WM_TIMER:
        if (wParam == kHintTimer) {
          KillTimer(hwnd, kHintTimer);
          app->HintTimerExpired();
          return 0;
        }
        if (wParam == kHintHideTimer) {
          KillTimer(hwnd, kHintHideTimer);
          app->HideHint();
          return 0;
        }
        break;
      case WM_CLOSE:
        if (app->FMainForm) app->FMainForm->Close();
        return 0;
      case WM_NULL:
        CheckSynchronize();
        return 0;
      case WM_ACTIVATEAPP:
        app->ActiveChanged(wParam != 0);
        return 0;
      default: break;
    }
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND TApplication::Handle() {
  if (!FHandle && !FHandleCreated) {
    FHandleCreated = true;
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, "TApplication", &wc)) {
      wc = WNDCLASS{};
      wc.lpfnWndProc = AppWndProc;
      wc.lpszClassName = "TApplication";
      RegisterClass(&wc);
    }
    FHandle = CreateWindowEx(0, "TApplication", FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU,
                             0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (FHandle) SetProp(FHandle, "VWApplication", this);
    FWakeHandle = FHandle;
  }
  return FHandle;
}

void (*InitProc)() = nullptr;

void TApplication::Initialize() {
  platform::SetMainThread();
  if (InitProc) InitProc();
  Handle();
}

void TApplication::SetTitle(const String& Value) {
  FTitle = Value;
  if (FHandle) SetWindowText(FHandle, Value.c_str());
}

String TApplication::ExeName() const {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? String() : p.string();
}

TCustomForm* TApplication::CreateForm(TClass InstanceClass) {
  if (!InstanceClass || !InstanceClass->InheritsFrom(TCustomForm::StaticClass()))
    throw EInvalidOperation("CreateForm needs a form class");
  TComponent* instance = nullptr;
  try {
    instance = TComponent::Create(InstanceClass, this);
  } catch (...) {
    FPendingReference = nullptr;
    throw;
  }
  FPendingReference = nullptr;
  auto* form = dynamic_cast<TCustomForm*>(instance);
  if (!FMainForm && form) {
    form->HandleNeeded();
    FMainForm = form;
  }
  return form;
}

void TApplication::Run() {
  Handle();
  if (FMainForm && FShowMainForm) {
    if (FMainForm->FWindowState == wsMinimized) Minimize();
    FMainForm->SetVisible(true);
  }
  while (!FTerminated) {
    HandleMessage();
    // The main form was destroyed without closing: nothing is left to run for.
    if (!FMainForm) break;
  }
}

void TApplication::Terminate() {
  if (FTerminated) return;
  PostQuitMessage(0);
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  if (g_Drag.control && Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
    TControl::CancelDrag();
    return true;
  }
  if (Msg.message == WM_DEADCHAR || Msg.message == WM_SYSDEADCHAR || Msg.message == WM_UNICHAR) return false;
  // A window that is no control of ours (the inner window of a standard control) has its keys
  // handled by the nearest control around it.
  TWinControl* control = FindControl(Msg.hwnd);
  if (!control) return false;
  return control->Perform(CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsHintMsg(MSG& Msg) {
  if (FHintActive && (Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN || Msg.message == WM_LBUTTONDOWN ||
                      Msg.message == WM_RBUTTONDOWN || Msg.message == WM_MBUTTONDOWN || Msg.message == WM_KILLFOCUS ||
                      Msg.message == WM_ACTIVATE || Msg.message == WM_NCLBUTTONDOWN))
    CancelHint();
  return false;
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  try {
    bool handled = false;
    if (OnMessage) OnMessage(Msg, handled);
    if (!handled && !IsHintMsg(Msg) && !IsKeyMsg(Msg)) {
      TranslateMessage(&Msg);
      DispatchMessage(&Msg);
    }
  } catch (...) {
    HandleException(this);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::DoMouseIdle() {
  POINT p;
  if (!GetCursorPos(&p)) return;
  TControl* c = FindDragTarget(p, true);
  if (c != g_MouseControl && !g_CaptureControl) SetMouseControl(c);
}

void TApplication::DoActionIdle() {
  // Actions decide their controls' state while the program has nothing else to do.
  if (!Screen) return;
  for (TCustomForm* f : std::vector<TCustomForm*>(Screen->FForms)) {
    if (!f->FHandle || !IsWindowVisible(f->FHandle)) continue;
    std::vector<TControl*> pending{f};
    while (!pending.empty()) {
      TControl* c = pending.back();
      pending.pop_back();
      if (!c->Visible()) continue;
      c->InitiateAction();
      if (auto* w = dynamic_cast<TWinControl*>(c))
        for (int i = 0; i < w->ControlCount(); ++i) pending.push_back(w->Controls(i));
    }
  }
}

void TApplication::Idle(const MSG&) {
  bool done = true;
  try {
    DoMouseIdle();
    DoActionIdle();
    if (OnIdle) OnIdle(this, done);
    if (platform::IsMainThread()) CheckSynchronize();
  } catch (...) {
    HandleException(this);
  }
  if (done && !FTerminated) WaitMessage();
}

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (EAbort&) {
    // An abort is a silent way out of an action.
  } catch (Exception& e) {
    if (OnException)
      OnException(Sender, e);
    else
      ShowException(e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    if (OnException)
      OnException(Sender, wrapped);
    else
      ShowException(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    if (OnException)
      OnException(Sender, wrapped);
    else
      ShowException(wrapped);
  }
}

void TApplication::ShowException(Exception& E) {
  String msg = E.Message();
  if (!msg.empty() && msg.back() != '.') msg += '.';
  MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, int Flags) {
  HWND owner = Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated() ? Screen->ActiveForm()->FHandle
                                                                                       : FHandle;
  return g_MessageBox(owner, Text, Caption, Flags);
}

void TApplication::ActiveChanged(bool Active) {
  if (FActive == Active) return;
  FActive = Active;
  if (!Active) CancelHint();
  if (Active && OnActivate) OnActivate(this);
  if (!Active && OnDeactivate) OnDeactivate(this);
}

bool TApplication::HelpContext(int Context) {
  constexpr win::WORD kHelpContext = 1;
  bool callHelp = true;
  return OnHelp ? OnHelp(kHelpContext, Context, callHelp) : false;
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->FHandle) ShowWindow(FMainForm->FHandle, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->FHandle) ShowWindow(FMainForm->FHandle, SW_RESTORE);
}

void TApplication::BringToFront() {
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->FHandle)
    SetForegroundWindow(Screen->ActiveForm()->FHandle);
  else if (FMainForm && FMainForm->FHandle)
    SetForegroundWindow(FMainForm->FHandle);
}

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (!Value) CancelHint();
}

// The control whose hint shows for the one under the mouse: the first in the chain of parents
// that shows hints.
static TControl* HintControlOf(TControl* c) {
  while (c && !c->ShowHint()) c = c->Parent();
  return c;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (Message.Msg != WM_MOUSEMOVE) return;
  // A windowed control's mouse moves over windowless children are reported for the child.
  TControl* c = Control;
  if (auto* w = dynamic_cast<TWinControl*>(Control))
    if (TControl* child = w->ControlAtPos(POINT{Message.XPos(), Message.YPos()}, false)) c = child;
  SetHint(c ? GetLongHint(c->Hint()) : String());
  TControl* hintControl = HintControlOf(c);
  POINT screen = c ? c->ClientToScreen(POINT{Message.XPos() - (c == Control ? 0 : c->Left()),
                                              Message.YPos() - (c == Control ? 0 : c->Top())})
                   : POINT{};
  if (hintControl == FHintControl) {
    // A control may give parts of itself hints of their own: leaving the part starts again.
    bool inside = screen.x >= FHintCursorRect.left && screen.x < FHintCursorRect.right &&
                  screen.y >= FHintCursorRect.top && screen.y < FHintCursorRect.bottom;
    if (inside || !hintControl) return;
  }
  bool wasShowing = FHintActive;
  CancelHint();
  FHintControl = hintControl;
  if (FShowHint && hintControl && !hintControl->Hint().empty()) {
    Handle();
    int pause = wasShowing ? FHintShortPause : FHintPause;
    if (FHandle) SetTimer(FHandle, kHintTimer, static_cast<UINT>(std::max(1, pause)), nullptr);
  }
}

void TApplication::HintTimerExpired() {
  POINT p;
  GetCursorPos(&p);
  ActivateHint(p);
}

void TApplication::ActivateHint(POINT CursorPos) {
  TControl* c = FHintControl;
  if (!c || !FShowHint || c->Hint().empty()) return;
  THintInfo info;
  info.HintControl = c;
  info.HintPos = POINT{CursorPos.x, CursorPos.y + 20};
  info.HintMaxWidth = Screen ? Screen->Width() : 1024;
  info.HintColor = FHintColor;
  info.CursorRect = c->ClientRect();
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(c->Hint());
  if (auto* action = dynamic_cast<TCustomAction*>(c->Action()); action && FHintShortCuts && action->ShortCut() != 0)
    info.HintStr += " (" + ShortCutToText(action->ShortCut()) + ")";
  bool canShow = c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  // The part of the control the hint belongs to, in screen coordinates.
  POINT origin = c->ClientToScreen(POINT{0, 0});
  FHintCursorRect = RECT{info.CursorRect.left + origin.x, info.CursorRect.top + origin.y,
                         info.CursorRect.right + origin.x, info.CursorRect.bottom + origin.y};
  if (!canShow || info.HintStr.empty()) return;
  if (!FHintWindow) FHintWindow = new THintWindow(nullptr);
  FHintWindow->SetColor(info.HintColor);
  RECT r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
  r = RECT{r.left + info.HintPos.x, r.top + info.HintPos.y, r.right + info.HintPos.x, r.bottom + info.HintPos.y};
  FHintWindow->ActivateHint(r, info.HintStr);
  FHintActive = true;
  if (FHandle && info.HideTimeout > 0)
    SetTimer(FHandle, kHintHideTimer, static_cast<UINT>(info.HideTimeout), nullptr);
}

void TApplication::HideHint() {
  if (FHintWindow) FHintWindow->ReleaseHandle();
  FHintActive = false;
}

void TApplication::CancelHint() {
  if (FHandle) {
    KillTimer(FHandle, kHintTimer);
    KillTimer(FHandle, kHintHideTimer);
  }
  HideHint();
}

void TApplication::ControlDestroying(TControl* Control) {
  if (FHintControl == Control) {
    FHintControl = nullptr;
    CancelHint();
  }
  if (FMainForm == Control) FMainForm = nullptr;
}

String GetShortHint(const String& Hint) {
  auto bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  auto bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

bool IsAccel(unsigned Key, const String& Caption) {
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    // The whole character after the ampersand against the whole key: a character beyond ASCII
    // must not match a letter that shares its low byte.
    Utf8Reader reader(std::string_view(Caption).substr(i + 1));
    return Utf8ToUpper(reader.Next()) == Utf8ToUpper(static_cast<char32_t>(Key));
  }
  return false;
}

namespace {
// The application's forms, by name without regard to case.
TComponent* FindGlobalForm(const String& Name) {
  if (!Screen) return nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (SameText(Screen->Forms(i)->Name(), Name)) return Screen->Forms(i);
  return nullptr;
}
}  // namespace

void InitializeForms() {
  platform::StartPlatform();
  RegisterFindGlobalComponentProc(&FindGlobalForm);
  platform::RegisterGdiPlusModule();
  if (!Screen) Screen = new TScreen(nullptr);
  if (!Mouse) Mouse = new TMouse();
  if (!Application) Application = new TApplication(nullptr);
}

void FinalizeForms() {
  UnregisterFindGlobalComponentProc(&FindGlobalForm);
  FreeThemeServices();
  TApplication* app = Application;
  if (app) {
    delete app;
    Application = nullptr;
  }
  delete Screen;
  Screen = nullptr;
  delete Mouse;
  Mouse = nullptr;
}
