#include "ui/skins/SkinWinController.h"

#include <algorithm>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/StdCtrls.h"
#include "platform/system/Sync.h"
#include "platform/system/Version.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/skins/SkinControlControllers.h"
#include "ui/skins/SkinController.h"
#include "ui/skins/SkinFormController.h"

using namespace win;

namespace {

// Owned by the unit's start-up and shutdown, never by a static destructor: a process that ends
// through exit() while its windows stand (its display gone) must not reach into them.
TdxSkinFormControllers* gRegistry = nullptr;
HWND gAttachWindow = nullptr;
HHOOK gHook = nullptr;
FlatSB_SetScrollPosProc gPrevSetScrollPos = nullptr;
FlatSB_SetScrollInfoProc gPrevSetScrollInfo = nullptr;

bool SameText(const std::string& A, const char* B) {
  std::string b(B);
  return A.size() == b.size() &&
         std::equal(A.begin(), A.end(), b.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

TWinControl* ControlOf(HWND Handle) { return Handle ? TWinControl::FindControl(Handle) : nullptr; }

}  // namespace

TdxSkinFormControllers* SkinFormControllerRegistry() { return gRegistry; }

// ---- the base controller --------------------------------------------------------------------------

TdxSkinWinController::TdxSkinWinController(HWND AHandle) { SetHandle(AHandle); }

TdxSkinWinController::~TdxSkinWinController() {
  ForgetAsParent();
  StopMouseLeaveWatch(this);
  SetHandle(nullptr);
}

bool TdxSkinWinController::HasSkinPainter() { return SkinPainter() != nullptr; }

TdxSkinWinController* TdxSkinWinController::FindParentController(HWND AHandle) {
  if (!IsMDIClient(AHandle) || !gRegistry) return nullptr;
  return gRegistry->FindByHandle(GetParent(AHandle));
}

bool TdxSkinWinController::CanSkinControl() { return IsControlSkinned(FControl); }

void TdxSkinWinController::CallNextProc(TMessage& Message) {
  if (FHookLink) {
    CallPreviousWindowProc(FHookLink, Message);
  } else if (FHandle) {
    Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
  }
}

void TdxSkinWinController::Hook() {
  Unhook();
  if (!FHandle || !NeedsHook()) return;
  TcxWindowProcController* procs = WindowProcControllerInstance();
  if (!procs) return;
  auto proc = [this](TMessage& Message) { WndProc(Message); };
  FHookLink = FControl ? procs->HookControl(FControl, proc) : procs->HookWindow(FHandle, proc);
}

void TdxSkinWinController::ForgetAsParent() {
  if (!gRegistry) return;
  for (int i = 0; i < gRegistry->Count(); ++i)
    if (gRegistry->Items(i)->FParentController == this) gRegistry->Items(i)->FParentController = nullptr;
}

void TdxSkinWinController::Unhook() {
  if (!FHookLink) return;
  if (TcxWindowProcController* procs = WindowProcControllerInstance())
    procs->Unhook(FHookLink);
  else
    FHookLink = nullptr;
}

bool TdxSkinWinController::IsMDIChild(HWND AHandle) {
  auto* form = dynamic_cast<TCustomForm*>(ControlOf(AHandle));
  return form && form->FormStyle() == fsMDIChild;
}

bool TdxSkinWinController::IsMDIClient(HWND AHandle) {
  return AHandle && SameText(GetClassNameString(AHandle), "MDICLIENT");
}

bool TdxSkinWinController::IsPlainFormClass(HWND AHandle) {
  if (!AHandle) return false;
  const std::string name = GetClassNameString(AHandle);
  return SameText(name, "TMessageForm") || SameText(name, "TForm");
}

void TdxSkinWinController::FrameChanged() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TdxSkinWinController::ResetSkinPainter() {
  FSkinPainter = nullptr;
  FParentController = FindParentController(FHandle);
}

void TdxSkinWinController::Update() {
  Hook();
  FrameChanged();
  bool now = false;
  if (FControl)
    for (int i = 0; i < FControl->ControlCount() && !now; ++i)
      now = !dynamic_cast<TWinControl*>(FControl->Controls(i));
  Redraw(now);
}

void TdxSkinWinController::SetHandle(HWND AHandle) {
  Unhook();
  FHandle = AHandle;
  FControl = ControlOf(AHandle);
  Update();
}

void TdxSkinWinController::DropHandle() {
  Unhook();
  FHandle = nullptr;
}

const TdxSkinLookAndFeelPainter* TdxSkinWinController::SkinPainter() {
  if (FSkinPainter) return FSkinPainter;
  return FParentController ? FParentController->SkinPainter() : nullptr;
}

bool TdxSkinWinController::SkinName(String& Name) {
  Name.clear();
  const TdxSkinLookAndFeelPainter* painter = SkinPainter();
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  return painter && registry && registry->NameOfPainter(painter, Name);
}

void TdxSkinWinController::Redraw(bool Now) {
  if (!FHandle) return;
  UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
  if (Now) flags |= RDW_UPDATENOW;
  RedrawWindow(FHandle, nullptr, nullptr, flags);
}

// ---- the registry ------------------------------------------------------------------------------------

void TdxSkinFormControllers::Extract(TdxSkinWinController* Controller) { std::erase(FItems, Controller); }

void TdxSkinFormControllers::Clear() {
  while (!FItems.empty()) {
    TdxSkinWinController* c = FItems.back();
    FItems.pop_back();
    delete c;
  }
}

TdxSkinWinController* TdxSkinFormControllers::FindByHandle(HWND Handle) const {
  for (TdxSkinWinController* c : FItems)
    if (c->Handle() == Handle) return c;
  return nullptr;
}

TdxSkinWinController* TdxSkinFormControllers::FindByControl(TWinControl* Control) const {
  if (!Control) return nullptr;
  for (TdxSkinWinController* c : FItems)
    if (c->Control() == Control) return c;
  return nullptr;
}

// ---- helpers --------------------------------------------------------------------------------------------

bool TdxSkinFormHelper::IsSkinnableForm(TWinControl* Control) {
  if (!Control) return false;
  if (!SkinQueryMessage || !Control->HandleAllocated()) return true;
  return SendMessage(Control->Handle(), SkinQueryMessage, 0, 0) == 0;
}

TCustomForm* TdxSkinFormHelper::FormOfWindow(HWND Handle) { return dynamic_cast<TCustomForm*>(ControlOf(Handle)); }

TCustomForm* TdxSkinFormHelper::ActiveMDIChildOf(HWND Handle) {
  TCustomForm* form = FormOfWindow(Handle);
  return form && form->FormStyle() == fsMDIForm ? form->ActiveMDIChild() : nullptr;
}

int TdxSkinFormHelper::FormBorderWidth(HWND Handle) {
  TCustomForm* form = FormOfWindow(Handle);
  return form ? form->BorderWidth() : 0;
}

bool TdxSkinFormHelper::HasClientEdge(HWND Handle) {
  return (GetWindowLong(Handle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

bool TdxSkinFormHelper::IsLayeredWindow(HWND Handle) {
  HWND h = Handle;
  if (TdxSkinWinController::IsMDIChild(Handle)) {
    HWND client = GetParent(Handle);
    if (client && GetParent(client)) h = GetParent(client);
  }
  return (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// ---- choosing and attaching ------------------------------------------------------------------------------

TdxSkinWinControllerClass (*ControllerClassForWindow)(HWND Handle) = nullptr;

namespace {

template <class T>
std::unique_ptr<TdxSkinWinController> Make(HWND Handle) {
  return std::make_unique<T>(Handle);
}

void NotifyMDIFrame(HWND Handle) {
  HWND parent = GetParent(Handle);
  if (!parent || !TdxSkinWinController::IsMDIClient(parent)) return;
  if (HWND frame = GetParent(parent)) PostMessage(frame, SkinMsgRefreshMDIFrame, 0, 0);
}

void AttachOnCreate(HWND Handle) {
  if (SendMessage(Handle, SkinMsgQueryOwnSkin, 0, 0) != 0) return;
  // No window here is a Unicode window; MDI client areas attach once their creation is through.
  if (TdxSkinWinController::IsMDIClient(Handle) && gAttachWindow)
    PostMessage(gAttachWindow, SkinMsgAttachWindow, 0, reinterpret_cast<LPARAM>(Handle));
  else
    AttachNow(Handle);
}

LRESULT CallWndProcHook(int Code, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallNextHookEx(gHook, Code, wParam, lParam);
  if (Code != HC_ACTION || !gRegistry) return result;
  const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
  switch (m->message) {
    case WM_CREATE:
    case WM_MDICREATE:
      AttachOnCreate(m->hwnd);
      break;
    case WM_DESTROY:
    case WM_MDIDESTROY:
      if (m->wParam == 0) DetachOnDestroy(m->hwnd);
      break;
    case WM_CHILDACTIVATE:
    case WM_MDIACTIVATE:
      NotifyMDIFrame(m->hwnd);
      break;
    default:
      break;
  }
  return result;
}

void AttachWindowProc(TMessage& Message) {
  if (Message.Msg == SkinMsgAttachWindow) {
    AttachNow(reinterpret_cast<HWND>(Message.LParam));
    return;
  }
  Message.Result = DefWindowProc(gAttachWindow, Message.Msg, Message.WParam, Message.LParam);
}

int SkinnedSetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  return gPrevSetScrollPos(hwnd, bar, pos, redraw && !IsSkinnedWindow(hwnd));
}

int SkinnedSetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  return gPrevSetScrollInfo(hwnd, bar, info, redraw && !IsSkinnedWindow(hwnd));
}

}  // namespace

TdxSkinWinControllerClass ChooseControllerClass(HWND Handle) {
  if (TdxSkinWinController::IsMDIClient(Handle)) return &Make<TdxSkinFormController>;
  TWinControl* control = ControlOf(Handle);
  if (!control) return nullptr;
  // The class's own name: descendants keep their own look.
  if (SameText(control->ClassName(), "TPanel")) return &Make<TdxSkinPanelController>;
  if (SameText(control->ClassName(), "TButton")) return &Make<TdxSkinButtonController>;
  // The class library has no frame class, so no window is a frame.
  if (dynamic_cast<TCustomForm*>(control)) return &Make<TdxSkinFormController>;
  return nullptr;
}

void AttachNow(HWND Handle) {
  if (!gRegistry || !IsWindow(Handle)) return;
  DWORD process = 0;
  GetWindowThreadProcessId(Handle, &process);
  if (process != GetCurrentProcessId() || !ControllerClassForWindow) return;
  TdxSkinWinControllerClass cls = ControllerClassForWindow(Handle);
  if (!cls) return;
  AttachController(cls, Handle);
  PostMessage(Handle, SkinMsgAttached, 0, 0);
}

void AttachController(TdxSkinWinControllerClass Class, HWND Handle) {
  if (!gRegistry || gRegistry->FindByHandle(Handle)) return;
  TdxSkinWinController* controller = gRegistry->FindByControl(ControlOf(Handle));
  if (controller) {
    // The control made a new window: the controller moves to it.
    controller->SetHandle(Handle);
  } else {
    std::unique_ptr<TdxSkinWinController> made = Class(Handle);
    controller = made.get();
    controller->SetParentController(controller->FindParentController(Handle));
    gRegistry->Add(made.release());
  }
  controller->Initialize();
  controller->Update();
}

void DetachOnDestroy(HWND Handle) {
  if (!gRegistry) return;
  if (TdxSkinWinController* controller = gRegistry->FindByHandle(Handle)) {
    TWinControl* control = controller->Control();
    if (control && control->ControlState().Contains(csRecreating)) {
      // The control makes a new window at once: the controller waits for it, registered.
      controller->DropHandle();
    } else {
      gRegistry->Extract(controller);
      delete controller;
    }
  }
  NotifyMDIFrame(Handle);
}

bool IsSkinnedWindow(HWND Handle) {
  if (!gRegistry) return false;
  TdxSkinWinController* controller = gRegistry->FindByHandle(Handle);
  return controller && controller->HasSkinPainter();
}

// ---- the unit --------------------------------------------------------------------------------------------

void FormSkinsUnitStartup() {
  if (gRegistry) return;
  ControllerClassForWindow = &ChooseControllerClass;
  gPrevSetScrollPos = FlatSB_SetScrollPos;
  gPrevSetScrollInfo = FlatSB_SetScrollInfo;
  FlatSB_SetScrollPos = &SkinnedSetScrollPos;
  FlatSB_SetScrollInfo = &SkinnedSetScrollInfo;
  CreateSkinControllerList();
  gAttachWindow = AllocateHWnd(&AttachWindowProc);
  gHook = SetWindowsHookEx(WH_CALLWNDPROC, &CallWndProcHook, nullptr, GetCurrentThreadId());
  gRegistry = new TdxSkinFormControllers;
}

void FormSkinsUnitShutdown() {
  if (!gRegistry) return;
  FlatSB_SetScrollPos = gPrevSetScrollPos;
  FlatSB_SetScrollInfo = gPrevSetScrollInfo;
  if (gHook) UnhookWindowsHookEx(gHook);
  gHook = nullptr;
  gRegistry->Clear();
  FreeSkinControllerList();
  delete gRegistry;
  gRegistry = nullptr;
  if (gAttachWindow) DeallocateHWnd(gAttachWindow);
  gAttachWindow = nullptr;
  ControllerClassForWindow = nullptr;
}

bool FormSkinsUnitRunning() { return gRegistry != nullptr; }
