#include "ui/bars/BarPopupMenuLinks.h"

#include "platform/win/Window.h"
#include "ui/bars/BarManager.h"
#include "ui/controls/WindowProcController.h"

using namespace win;

// ---- TdxBarPopupMenuLink ------------------------------------------------------------------------

TdxBarPopupMenuLink::TdxBarPopupMenuLink(TCollection* ACollection) : TCollectionItem(ACollection) {}

TdxBarPopupMenuLink::~TdxBarPopupMenuLink() { SetControl(nullptr); }

void TdxBarPopupMenuLink::DeclareProperties(TPropTable& t) {
  t.Add("Control", &TdxBarPopupMenuLink::Control, &TdxBarPopupMenuLink::SetControl);
  t.Add("PopupMenu", &TdxBarPopupMenuLink::PopupMenu, &TdxBarPopupMenuLink::SetPopupMenu);
  t.Add("ProcessChildren", &TdxBarPopupMenuLink::ProcessChildren, &TdxBarPopupMenuLink::SetProcessChildren)
      .SetDefault(true);
}

TdxBarManager* TdxBarPopupMenuLink::BarManager() const {
  auto* links = static_cast<TdxBarPopupMenuLinks*>(Collection());
  return links ? links->BarManager() : nullptr;
}

void TdxBarPopupMenuLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarPopupMenuLink*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  TComponent* root = BarManager() ? BarManager()->Owner() : nullptr;
  auto find = [root](TComponent* AComponent) -> TComponent* {
    return root && AComponent ? root->FindComponent(AComponent->Name()) : nullptr;
  };
  SetControl(dynamic_cast<TWinControl*>(find(source->Control())));
  SetPopupMenu(dynamic_cast<TdxBarPopupMenu*>(find(source->PopupMenu())));
  SetProcessChildren(source->ProcessChildren());
}

bool TdxBarPopupMenuLink::LiesInManagersWindow(TControl* AControl) const {
  TdxBarManager* manager = BarManager();
  auto* owner = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr;
  if (!owner) return false;
  if (AControl == owner) return true;
  auto* windowed = dynamic_cast<TWinControl*>(AControl);
  if (windowed && windowed->HandleAllocated() && owner->HandleAllocated())
    return IsChild(owner->Handle(), windowed->Handle());
  for (TControl* parent = AControl->Parent(); parent; parent = parent->Parent())
    if (parent == owner) return true;
  return false;
}

void TdxBarPopupMenuLink::SetControl(TControl* Value) {
  if (Value && !LiesInManagersWindow(Value)) Value = nullptr;
  if (FControl == Value) return;
  if (FControl) {
    if (TcxWindowProcController* controller = WindowProcControllerInstance()) controller->Unhook(FHook);
    FHook = nullptr;
  }
  FControl = Value;
  if (!FControl) return;
  if (TdxBarManager* manager = BarManager()) FControl->FreeNotification(manager);
  // Through the control's hook chain, so links and other hooks on one control leave in any order.
  if (TcxWindowProcController* controller = WindowProcControllerInstance())
    FHook = controller->HookControl(FControl, [this](TMessage& Message) { HookedWindowProc(Message); });
}

void TdxBarPopupMenuLink::ControlFreed() {
  // The control's own parts are gone already: its WindowProc and OnContextPopup stay as they are.
  if (FContextControl == FControl) FContextControl = nullptr;
  if (TcxWindowProcController* controller = WindowProcControllerInstance()) controller->Unhook(FHook, true);
  FHook = nullptr;
  FControl = nullptr;
}

void TdxBarPopupMenuLink::SetPopupMenu(TdxBarPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (FPopupMenu)
    if (TdxBarManager* manager = BarManager()) FPopupMenu->FreeNotification(manager);
}

void TdxBarPopupMenuLink::HookedWindowProc(TMessage& Message) {
  TcxWindowProcLinkedObject* hook = FHook;
  TdxBarManager* manager = BarManager();
  if (Message.Msg != WM_CONTEXTMENU || (manager && manager->IsDesigning()) || FHandlerInPlace || !FControl) {
    CallPreviousWindowProc(hook, Message);
    return;
  }
  // The handler stands in only around this call. A popup menu runs its own message loop inside it,
  // and a command there may free the control: it gets its handler back only while it exists.
  FContextControl = FControl;
  FPrevContextPopup = FControl->OnContextPopup;
  FControl->OnContextPopup = [this](TObject* Sender, POINT MousePos, bool& Handled) {
    ContextPopup(Sender, MousePos, Handled);
  };
  FHandlerInPlace = true;
  auto restore = [this] {
    if (FContextControl) FContextControl->OnContextPopup = FPrevContextPopup;
    FPrevContextPopup = nullptr;
    FContextControl = nullptr;
    FHandlerInPlace = false;
  };
  try {
    CallPreviousWindowProc(hook, Message);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TdxBarPopupMenuLink::ContextPopup(TObject* Sender, POINT MousePos, bool& Handled) {
  if (FPrevContextPopup) FPrevContextPopup(Sender, MousePos, Handled);
  if (Handled || !FControl) return;
  TControl* child = nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(FControl)) child = windowed->ControlAtPos(MousePos, true, true);
  if (FProcessChildren || !child) Handled = DoPopup(MousePos.x, MousePos.y);
}

bool TdxBarPopupMenuLink::DoPopup(int X, int Y) {
  const bool clickedByMouse = X != -1 || Y != -1;
  bool allowPopup = FPopupMenu != nullptr;
  if (OnAction) OnAction(this, X, Y, clickedByMouse, allowPopup);
  if (allowPopup && FPopupMenu && FControl) {
    const POINT p = FControl->ClientToScreen(POINT{X, Y});
    FPopupMenu->ShowAt(p.x, p.y);
  }
  return allowPopup;
}

bool TdxBarPopupMenuLink::OfferShortCut(TShortCut AShortCut) {
  bool allowPopup = FPopupMenu != nullptr;
  if (OnAction) {
    int x = -1, y = -1;
    OnAction(this, x, y, false, allowPopup);
  }
  return allowPopup && FPopupMenu && FPopupMenu->ItemLinks()->OfferShortCut(AShortCut);
}

// ---- TdxBarPopupMenuLinks -----------------------------------------------------------------------

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* ABarManager)
    : TCollection(TdxBarPopupMenuLink::StaticClass()), FBarManager(ABarManager) {}

TPersistent* TdxBarPopupMenuLinks::GetOwner() { return FBarManager; }

void TdxBarPopupMenuLinks::ComponentRemoved(TComponent* AComponent) {
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = Items(i);
    if (link->FContextControl == AComponent) link->FContextControl = nullptr;
    if (link->Control() == AComponent) link->ControlFreed();
    if (link->PopupMenu() == AComponent) link->FPopupMenu = nullptr;
  }
}

bool TdxBarPopupMenuLinks::IsShortCut(TControl* AControl, TShortCut AShortCut) {
  if (!AControl) return false;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == AControl && Items(i)->OfferShortCut(AShortCut)) return true;
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = Items(i);
    auto* container = dynamic_cast<TWinControl*>(link->Control());
    if (link->ProcessChildren() && container && container != AControl && container->ContainsControl(AControl) &&
        link->OfferShortCut(AShortCut))
      return true;
  }
  return false;
}
