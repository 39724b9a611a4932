#include "ui/bars/BarSubMenuEditor.h"

#include "platform/win/Hooks.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/bars/BarDragInfo.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/controls/LibraryStrings.h"

using namespace win;

TdxBarSubMenuEditor* SubMenuEditorInstance = nullptr;
std::function<void(TdxBarManager* AManager)> dxBarCustomizingFormShowCommandsPage;

TdxBarSubMenuEditor::TdxBarSubMenuEditor(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormActivate", &TdxBarSubMenuEditor::FormActivate);
  RegisterHandler("FormClose", &TdxBarSubMenuEditor::FormClose);
  RegisterHandler("FormDestroy", &TdxBarSubMenuEditor::FormDestroy);
}

TdxBarSubMenuControl* TdxBarSubMenuEditor::SubMenu() const {
  return FItemLinks ? dynamic_cast<TdxBarSubMenuControl*>(FItemLinks->BarControl()) : nullptr;
}

void TdxBarSubMenuEditor::SetItemLinks(TdxBarItemLinks* Value) {
  if (FItemLinks == Value) return;
  if (FLinksOwner) FLinksOwner->RemoveFreeNotification(this);
  FLinksOwner = nullptr;
  FItemLinks = Value;
  if (!FItemLinks) {
    // The window may be in the middle of a message: it goes once the messages are handled.
    if (HandleAllocated())
      Release();
    else
      TObject::Free(this);
    return;
  }
  FLinksOwner = FItemLinks->OwnerComponent();
  if (FLinksOwner) FLinksOwner->FreeNotification(this);
}

void TdxBarSubMenuEditor::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLinksOwner) {
    FLinksOwner = nullptr;
    SetItemLinks(nullptr);
  }
}

void TdxBarSubMenuEditor::FormActivate(TObject*) {
  if (!FItemLinks) return;
  TdxBarManager* manager = FItemLinks->BarManager();
  if (manager && manager->DragInfo() && manager->DragInfo()->Running())
    if (TdxBarItem* dragged = manager->DragInfo()->DraggedItem()) {
      String error;
      if (!FItemLinks->AcceptsItem(dragged, error)) return;
    }
  if (!FItemLinks->BarControl()) {
    FItemLinks->CreateBarControl();
    TCustomdxBarControl* bar = FItemLinks->BarControl();
    if (bar && bar->ItemLinks() != FItemLinks) bar->SetItemLinks(FItemLinks);
    auto* menu = dynamic_cast<TdxBarSubMenuControl*>(bar);
    if (!menu) return;
    // Placed as a menu dropped down from an element as high as the editor, it opens just below it.
    menu->SetLeft(Left());
    menu->SetTop(Top() + Height());
    menu->SetOwnerSize(0, Height());
    menu->PopupMenuWindow();
  }
  if (TdxBarSubMenuControl* menu = SubMenu()) {
    FSubMenuWidth = menu->Width();
    SetWidth(FSubMenuWidth);
  }
}

void TdxBarSubMenuEditor::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TdxBarSubMenuEditor::FormDestroy(TObject*) {
  CloseSubMenu();
  if (FLinksOwner) FLinksOwner->RemoveFreeNotification(this);
  FLinksOwner = nullptr;
  FItemLinks = nullptr;
  if (SubMenuEditorInstance == this) SubMenuEditorInstance = nullptr;
}

void TdxBarSubMenuEditor::CloseSubMenu() {
  if (TdxBarSubMenuControl* menu = SubMenu()) menu->CloseUp();
}

void TdxBarSubMenuEditor::FollowWithSubMenu() {
  TdxBarSubMenuControl* menu = SubMenu();
  if (!menu || !menu->HandleAllocated()) return;
  SetWindowPos(menu->Handle(), nullptr, Left(), Top() + Height(), 0, 0,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void TdxBarSubMenuEditor::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  Params.WindowClass.style = CS_OWNDC | CS_SAVEBITS;
  if (FItemLinks)
    if (TdxBarManager* manager = FItemLinks->BarManager())
      if (TForm* dialog = manager->CustomizingForm(); dialog && dialog->HandleAllocated())
        if (HWND parent = GetParent(dialog->Handle())) Params.WndParent = parent;
}

void TdxBarSubMenuEditor::DoShow() {
  // Kept inside the work area, so its caption bar can always be reached.
  if (HMONITOR monitor = MonitorFromPoint(POINT{Left(), Top()}, MONITOR_DEFAULTTONEAREST)) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfo(monitor, &info)) {
      if (Left() < info.rcWork.left) SetLeft(info.rcWork.left);
      if (Top() < info.rcWork.top) SetTop(info.rcWork.top);
    }
  }
  TForm::DoShow();
}

void TdxBarSubMenuEditor::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETMINMAXINFO: {
      TForm::WndProc(Message);
      if (TdxBarSubMenuControl* menu = SubMenu()) FSubMenuWidth = menu->Width();
      // Before any menu opened the width is not known: the defaults stand.
      if (FSubMenuWidth <= 0) return;
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      const POINT size{FSubMenuWidth, Height()};
      info->ptMaxSize = size;
      info->ptMinTrackSize = size;
      info->ptMaxTrackSize = size;
      return;
    }
    case WM_NCLBUTTONDOWN:
      if (Message.WParam == HTCLOSE)
        CloseSubMenu();
      else
        FormActivate(this);
      break;
    case WM_WINDOWPOSCHANGED:
      TForm::WndProc(Message);
      if (!(reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags & SWP_NOMOVE)) FollowWithSubMenu();
      return;
    default:
      break;
  }
  TForm::WndProc(Message);
}

void ShowSubMenuEditor(TdxBarItemLinks* AItemLinks) {
  if (!AItemLinks) return;
  if (TdxBarManager* manager = AItemLinks->BarManager()) {
    manager->SetCustomizing(true);
    if (manager->CustomizingForm() && dxBarCustomizingFormShowCommandsPage)
      dxBarCustomizingFormShowCommandsPage(manager);
  }
  if (!SubMenuEditorInstance)
    SubMenuEditorInstance =
        static_cast<TdxBarSubMenuEditor*>(TComponent::Create(TdxBarSubMenuEditor::StaticClass(), nullptr));
  TdxBarSubMenuEditor* editor = SubMenuEditorInstance;
  editor->SetClientHeight(0);
  editor->SetItemLinks(AItemLinks);
  Application->ProcessMessages();
  if (SubMenuEditorInstance == editor) editor->Show();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TdxBarSubMenuEditor>();
  return true;
}();

}  // namespace
