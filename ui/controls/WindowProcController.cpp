#include "ui/controls/WindowProcController.h"

#include <algorithm>
#include <unordered_map>

#include "ui/controls/ControlsUnit.h"

using namespace win;

// ---- TcxDoublyLinkedObjectList ------------------------------------------------------------------

TcxDoublyLinkedObjectList::~TcxDoublyLinkedObjectList() { RemoveAll(); }

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::CreateLinkedObject() { return new TcxDoublyLinkedObject(); }

TcxDoublyLinkedObject* TcxDoublyLinkedObjectList::AddObject() {
  TcxDoublyLinkedObject* obj = CreateLinkedObject();
  obj->FPrev = FLast;
  if (FLast) FLast->FNext = obj;
  FLast = obj;
  return obj;
}

void TcxDoublyLinkedObjectList::RemoveObject(TcxDoublyLinkedObject*& Obj) {
  if (!Obj) return;
  TcxDoublyLinkedObject* e = FLast;
  while (e && e != Obj) e = e->FPrev;
  if (!e) return;
  if (Obj->FNext)
    Obj->FNext->FPrev = Obj->FPrev;
  else
    FLast = Obj->FPrev;
  if (Obj->FPrev) Obj->FPrev->FNext = Obj->FNext;
  // The element keeps its own links: a hook still running on it can finish its call.
  ReleaseObject(Obj);
  Obj = nullptr;
}

void TcxDoublyLinkedObjectList::RemoveAll() {
  while (FLast) {
    TcxDoublyLinkedObject* e = FLast;
    FLast = e->FPrev;
    if (FLast) FLast->FNext = nullptr;
    ReleaseObject(e);
  }
}

// ---- subclassing helpers --------------------------------------------------------------------------

TcxWindowProcLinkedObject* TcxVCLSubclassingHelper::CreateLinkedObject() {
  return new TcxWindowProcLinkedObject(FControl);
}

void TcxVCLSubclassingHelper::RestoreDefaultWindowProc() { FControl->WindowProc = DefaultWindowProc; }

void TcxVCLSubclassingHelper::SetWindowProc(TcxWindowProc Method) {
  DefaultWindowProc = FControl->WindowProc;
  FControl->WindowProc = std::move(Method);
}

namespace {

std::unordered_map<HWND, TcxWin32SubclassingHelper*>& HookedWindows() {
  static std::unordered_map<HWND, TcxWin32SubclassingHelper*> windows;
  return windows;
}

}  // namespace

TcxWin32SubclassingHelper::~TcxWin32SubclassingHelper() {
  auto& windows = HookedWindows();
  if (auto it = windows.find(FHandle); it != windows.end() && it->second == this) windows.erase(it);
}

TcxWindowProcLinkedObject* TcxWin32SubclassingHelper::CreateLinkedObject() {
  return new TcxWindowProcLinkedObject(FHandle);
}

LRESULT TcxWin32SubclassingHelper::HookedWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& windows = HookedWindows();
  auto it = windows.find(hwnd);
  if (it == windows.end()) return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  // A copy: the hook may unhook the chain and free this helper while the message is on its way.
  TcxWindowProc method = it->second->FMethod;
  method(m);
  return m.Result;
}

void TcxWin32SubclassingHelper::SetWindowProc(TcxWindowProc Method) {
  FMethod = std::move(Method);
  HookedWindows()[FHandle] = this;
  FPrevWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(FHandle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedWndProc)));
  FInstalled = true;
  DefaultWindowProc = [this](TMessage& m) { CallPrevWndProc(m); };
}

void TcxWin32SubclassingHelper::RestoreDefaultWindowProc() {
  if (!FInstalled) return;
  FInstalled = false;
  // The window may be gone already; then there is nothing to put back.
  if (IsWindow(FHandle)) SetWindowLongPtr(FHandle, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWndProc));
  auto& windows = HookedWindows();
  if (auto it = windows.find(FHandle); it != windows.end() && it->second == this) windows.erase(it);
}

void TcxWin32SubclassingHelper::CallPrevWndProc(TMessage& Message) {
  Message.Result = CallWindowProc(FPrevWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- TcxWindowProcLinkedObjectList ------------------------------------------------------------------

TcxWindowProcLinkedObjectList::TcxWindowProcLinkedObjectList(TControl* AControl)
    : FControl(AControl), FSubclasser(std::make_unique<TcxVCLSubclassingHelper>(AControl)) {
  Initialize();
}

TcxWindowProcLinkedObjectList::TcxWindowProcLinkedObjectList(HWND AHandle)
    : FHandle(AHandle), FSubclasser(std::make_unique<TcxWin32SubclassingHelper>(AHandle)) {
  Initialize();
}

TcxWindowProcLinkedObjectList::~TcxWindowProcLinkedObjectList() {
  if (!FRetired) FSubclasser->RestoreDefaultWindowProc();
  FSubclasser.reset();
  RemoveAll();
  for (TcxDoublyLinkedObject* e : FPendingRelease) delete e;
}

TcxDoublyLinkedObject* TcxWindowProcLinkedObjectList::CreateLinkedObject() {
  return FSubclasser->CreateLinkedObject();
}

void TcxWindowProcLinkedObjectList::Initialize() {
  FSubclasser->SetWindowProc([this](TMessage& m) { Dispatch(m); });
  AddHook(FSubclasser->DefaultWindowProc);
}

TcxWindowProcLinkedObject* TcxWindowProcLinkedObjectList::AddHook(TcxWindowProc WindowProc) {
  auto* obj = static_cast<TcxWindowProcLinkedObject*>(AddObject());
  obj->WindowProc = std::move(WindowProc);
  return obj;
}

void TcxWindowProcLinkedObjectList::Dispatch(TMessage& Message) {
  auto* last = static_cast<TcxWindowProcLinkedObject*>(Last());
  if (!last) return;
  ++FDispatchLevel;
  try {
    last->WindowProc(Message);
  } catch (...) {
    EndDispatch();
    throw;
  }
  EndDispatch();
}

void TcxWindowProcLinkedObjectList::EndDispatch() {
  if (--FDispatchLevel > 0) return;
  std::vector<TcxDoublyLinkedObject*> pending;
  pending.swap(FPendingRelease);
  for (TcxDoublyLinkedObject* e : pending) delete e;
  if (FRetired) delete this;
}

void TcxWindowProcLinkedObjectList::ReleaseObject(TcxDoublyLinkedObject* Obj) {
  if (FDispatchLevel > 0)
    FPendingRelease.push_back(Obj);
  else
    delete Obj;
}

void TcxWindowProcLinkedObjectList::Retire(bool ARestore) {
  if (ARestore) FSubclasser->RestoreDefaultWindowProc();
  FRetired = true;
  if (FDispatchLevel == 0) delete this;
}

// ---- TcxWindowProcController ----------------------------------------------------------------------

TcxWindowProcController::~TcxWindowProcController() {
  auto chains = std::move(FWindowProcObjects);
  for (auto& chain : chains) chain.release()->Retire();
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::FindByControl(TControl* Control) const {
  for (const auto& chain : FWindowProcObjects)
    if (chain->Control() == Control) return chain.get();
  return nullptr;
}

TcxWindowProcLinkedObjectList* TcxWindowProcController::FindByHandle(HWND Handle) const {
  for (const auto& chain : FWindowProcObjects)
    if (chain->Handle() == Handle) return chain.get();
  return nullptr;
}

TcxWindowProcLinkedObject* TcxWindowProcController::HookControl(TControl* Control, TcxWindowProc WindowProc) {
  if (!Control) return nullptr;
  TcxWindowProcLinkedObjectList* chain = FindByControl(Control);
  if (!chain) {
    FWindowProcObjects.push_back(std::make_unique<TcxWindowProcLinkedObjectList>(Control));
    chain = FWindowProcObjects.back().get();
  }
  return chain->AddHook(std::move(WindowProc));
}

TcxWindowProcLinkedObject* TcxWindowProcController::HookWindow(HWND Handle, TcxWindowProc WindowProc) {
  if (!Handle) return nullptr;
  TcxWindowProcLinkedObjectList* chain = FindByHandle(Handle);
  if (!chain) {
    FWindowProcObjects.push_back(std::make_unique<TcxWindowProcLinkedObjectList>(Handle));
    chain = FWindowProcObjects.back().get();
  }
  return chain->AddHook(std::move(WindowProc));
}

void TcxWindowProcController::Unhook(TcxWindowProcLinkedObject*& Obj, bool AControlGone) {
  if (!Obj) return;
  TcxWindowProcLinkedObjectList* chain = Obj->Control() ? FindByControl(Obj->Control()) : FindByHandle(Obj->Handle());
  if (!chain) return;
  TcxDoublyLinkedObject* e = Obj;
  chain->RemoveObject(e);
  Obj = static_cast<TcxWindowProcLinkedObject*>(e);
  if (!chain->OnlyFirstElementLeft()) return;
  auto it = std::find_if(FWindowProcObjects.begin(), FWindowProcObjects.end(),
                         [chain](const auto& p) { return p.get() == chain; });
  it->release()->Retire(!AControlGone);
  FWindowProcObjects.erase(it);
}

// ---- globals -----------------------------------------------------------------------------------------

namespace {
TcxWindowProcController* g_WindowProcController = nullptr;
}

TcxWindowProcController* WindowProcControllerInstance() {
  if (!g_WindowProcController && !ControlsUnitFinalized) g_WindowProcController = new TcxWindowProcController();
  return g_WindowProcController;
}

void CallPreviousWindowProc(TcxWindowProcLinkedObject* Obj, TMessage& Message) {
  if (!Obj) return;
  // Elements that leave while a message is on its way are kept until it is through.
  if (auto* prev = static_cast<TcxWindowProcLinkedObject*>(Obj->Prev()); prev && prev->WindowProc)
    prev->WindowProc(Message);
}

namespace controls_detail {
void FreeWindowProcController() { FreeAndNil(g_WindowProcController); }
}  // namespace controls_detail
