#include "ui/bars/BarCustomizationForm.h"

#include <algorithm>

#include "platform/classes/Consts.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarPopupMenu.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;
using namespace dxBarStrs;

TClass CustomizationFormClass = nullptr;
TdxBarCustomCustomizationForm* CurrentCustomizationForm = nullptr;

namespace {

// Set while the dialog's own closing takes the manager out of customizing mode, which would
// otherwise free the dialog again.
bool gClosing = false;
int gStartCount = 0;

String Localized(const TResStringRec& AText) { return GetLocalizedResString(AText); }

HWND HandleOf(TWinControl* AControl) { return AControl && AControl->HandleAllocated() ? AControl->Handle() : nullptr; }

// The manager's form as the dialog treats it: its owning form at design time, else its main or
// MDI-child form.
TCustomForm* ManagerForm(TdxBarManager* AManager) {
  return FormOfManager(AManager, AManager->IsDesigning() ? bfkFirst : bfkTopLevelOrMDIChild);
}

// Bar windows of other managers show the customizing state of another manager: they are laid out
// and drawn again, frame included.
void RepaintOtherManagersBars(TdxBarManager* AManager) {
  for (int i = 0; BarManagers && i < BarManagers->Count(); ++i) {
    TdxBarManager* manager = BarManagers->Managers(i);
    if (manager == AManager) continue;
    for (int j = 0; j < manager->Bars()->Count(); ++j) {
      TdxBarControl* control = manager->Bars()->Items(j)->Control();
      const HWND window = HandleOf(control);
      if (!window || !IsWindowVisible(window)) continue;
      control->CalcLayout();
      InvalidateRect(window, nullptr, TRUE);
      SendMessage(window, WM_NCPAINT, 1, 0);
    }
  }
}

String StripAccelerator(const String& AText) {
  String result;
  for (std::size_t i = 0; i < AText.size(); ++i) {
    if (AText[i] == '&') {
      if (i + 1 < AText.size() && AText[i + 1] == '&') result += AText[++i];
      continue;
    }
    result += AText[i];
  }
  return result;
}

int TextWidthIn(TWinControl* AControl, const String& AText) {
  TControlCanvas canvas;
  canvas.SetControl(AControl);
  canvas.Font()->Assign(AControl->Font());
  return canvas.TextWidth(AText);
}

}  // namespace

// ---- TdxBarCustomCustomizationForm ----------------------------------------------------------------

TdxBarCustomCustomizationForm::TdxBarCustomCustomizationForm(TdxBarManager* ABarManager)
    : TForm(nullptr, 0), FBarManager(ABarManager) {
  RegisterHandler("aNewToolBarExecute", &TdxBarCustomCustomizationForm::aNewToolBarExecute);
  RegisterHandler("aRenameToolBarExecute", &TdxBarCustomCustomizationForm::aRenameToolBarExecute);
  RegisterHandler("aDeleteToolBarExecute", &TdxBarCustomCustomizationForm::aDeleteToolBarExecute);
  RegisterHandler("aResetToolBarExecute", &TdxBarCustomCustomizationForm::aResetToolBarExecute);
  RegisterHandler("aAddItemExecute", &TdxBarCustomCustomizationForm::aAddItemExecute);
  RegisterHandler("aDeleteItemExecute", &TdxBarCustomCustomizationForm::aDeleteItemExecute);
  RegisterHandler("aMoveItemExecute", &TdxBarCustomCustomizationForm::aMoveItemExecute);
  RegisterHandler("aSubMenuEditorExecute", &TdxBarCustomCustomizationForm::aSubMenuEditorExecute);
  RegisterHandler("aClearItemListExecute", &TdxBarCustomCustomizationForm::aClearItemListExecute);
}

TdxBarCustomCustomizationForm::~TdxBarCustomCustomizationForm() {
  FormDestroy();
  delete FSelectionList;
}

void TdxBarCustomCustomizationForm::ReadDescriptions() {
  std::vector<TClass> classes;
  for (TClass cls = ClassType(); cls && cls != TForm::StaticClass(); cls = cls->ClassParent()) classes.push_back(cls);
  for (auto it = classes.rbegin(); it != classes.rend(); ++it) ReadFormResource(this, (*it)->ClassName());
}

void TdxBarCustomCustomizationForm::AfterConstruction() {
  try {
    ReadDescriptions();
  } catch (...) {
    TObject::Free(this);
    throw;
  }
  TForm::AfterConstruction();
  InitializeForm();
}

void TdxBarCustomCustomizationForm::BeforeDestruction() {
  FormDestroy();
  TForm::BeforeDestruction();
}

bool TdxBarCustomCustomizationForm::IsDesigning() const { return FBarManager->IsDesigning(); }

void TdxBarCustomCustomizationForm::InitializeForm() {
  Find(imgGroups, "imgGroups");
  Find(alCustomize, "alCustomize");
  Find(aNewToolBar, "aNewToolBar");
  Find(aRenameToolBar, "aRenameToolBar");
  Find(aDeleteToolBar, "aDeleteToolBar");
  Find(aResetToolBar, "aResetToolBar");
  Find(aAddItem, "aAddItem");
  Find(aDeleteItem, "aDeleteItem");
  Find(aMoveUpItem, "aMoveUpItem");
  Find(aMoveDownItem, "aMoveDownItem");
  Find(aSubMenuEditor, "aSubMenuEditor");
  Find(aClearItemList, "aClearItemList");
  Find(BarManager1, "BarManager1");
  Find(CategoriesPopupMenu, "CategoriesPopupMenu");
  Find(CommandsPopupMenu, "CommandsPopupMenu");
  Find(CategoriesAdd, "CategoriesAdd");
  Find(CategoriesInsert, "CategoriesInsert");
  Find(CategoriesRename, "CategoriesRename");
  Find(CategoriesVisible, "CategoriesVisible");
  Find(CategoriesItemsVisible, "CategoriesItemsVisible");
  Find(CategoriesDelete, "CategoriesDelete");
  Find(CommandsAdd, "CommandsAdd");
  Find(CommandsDelete, "CommandsDelete");
  Find(CommandsClear, "CommandsClear");
  Find(CommandsMoveUp, "CommandsMoveUp");
  Find(CommandsMoveDown, "CommandsMoveDown");
  Find(CommandsSubMenuEditor, "CommandsSubMenuEditor");

  Font()->SetName(FBarManager->Font()->Name());
  Font()->SetCharset(FBarManager->Font()->Charset());
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  FSelectionList = new TList;
  Constraints()->SetMinHeight(Height());

  SetCaption(Localized(dxSBAR_CAPTION));
  aNewToolBar->SetCaption(Localized(dxSBAR_TNEW));
  aRenameToolBar->SetCaption(Localized(dxSBAR_TRENAME));
  aDeleteToolBar->SetCaption(Localized(dxSBAR_TDELETE));
  aResetToolBar->SetCaption(Localized(dxSBAR_TRESET));
  CategoriesAdd->SetCaption(Localized(dxSBAR_ADDEX));
  CategoriesInsert->SetCaption(Localized(dxSBAR_INSERTEX));
  CategoriesRename->SetCaption(Localized(dxSBAR_RENAMEEX));
  CategoriesVisible->SetCaption(Localized(dxSBAR_VISIBLE));
  CategoriesDelete->SetCaption(Localized(dxSBAR_DELETE));
  CommandsAdd->SetCaption(Localized(dxSBAR_ADDEX));
  CommandsDelete->SetCaption(Localized(dxSBAR_DELETE));
  CommandsClear->SetCaption(Localized(dxSBAR_CLEAR));
  CommandsMoveUp->SetCaption(Localized(dxSBAR_MOVEUP));
  CommandsMoveDown->SetCaption(Localized(dxSBAR_MOVEDOWN));
  CommandsSubMenuEditor->SetCaption(Localized(dxSBAR_SUBMENUEDITOR));
  BarManager1->Font()->Assign(FBarManager->Font());

  // The manager's list changes reach the dialog's lists; the previous handlers keep being called.
  FPrevBarsOnChange = FBarManager->Bars()->OnChange;
  FBarManager->Bars()->OnChange = [this](TObject* Sender, TcxComponentCollectionItem* Item,
                                         TcxCollectionChangeKind Action) {
    if (FPrevBarsOnChange) FPrevBarsOnChange(Sender, Item, Action);
    RefreshList(BarsListBox(), Item, Action == cckChanged ? 1 : 0);
  };
  FPrevItemListOnChange = FBarManager->ItemList()->OnChange;
  FBarManager->ItemList()->OnChange = [this](TObject*, TComponent* Component, TcxCollectionChangeKind Action) {
    ItemsChanged(Component, Action);
  };
  FHooksSet = true;
  LocalizeCaptions();
  UpdateLook();
}

void TdxBarCustomCustomizationForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = 0x84CC0000;
  Params.ExStyle = 0x101;
  Params.WindowClass.style = 0x820;
  Params.WndParent = HandleOf(dynamic_cast<TWinControl*>(FBarManager->Owner()));
}

void TdxBarCustomCustomizationForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TdxBarCustomCustomizationForm::FormDestroy() {
  if (FDestroyed) return;
  FDestroyed = true;
  // A dialog freed while shown is hidden by no one: what it disabled comes back here.
  EnableDisabledWindows();
  if (CurrentCustomizationForm == this) CurrentCustomizationForm = nullptr;
  RestoreHooks();
  if (!gClosing) {
    gClosing = true;
    try {
      FBarManager->SetCustomizing(false);
    } catch (...) {
      gClosing = false;
      throw;
    }
    gClosing = false;
  }
  if (FBarManager->CustomizingForm() == this) FBarManager->SetCustomizingForm(nullptr);
}

void TdxBarCustomCustomizationForm::RestoreHooks() {
  if (!FHooksSet) return;
  FHooksSet = false;
  FBarManager->Bars()->OnChange = FPrevBarsOnChange;
  FBarManager->ItemList()->OnChange = FPrevItemListOnChange;
}

// ---- the slot operations ----

void TdxBarCustomCustomizationForm::ShowHelp() {
  if (IsDesigning()) return;
  FBarManager->DoHelpButtonClick();
  if (FBarManager->HelpContext() != 0 && Application) Application->HelpContext(FBarManager->HelpContext());
}

TColor TdxBarCustomCustomizationForm::ListSeparatorColor() {
  return FBarManager->ResolvedStyle() == bmsFlat ? clWindow : clBtnFace;
}

TdxBar* TdxBarCustomCustomizationForm::BarAtIndex(int AIndex) {
  TListBox* list = BarsListBox();
  if (!list || AIndex < 0 || AIndex >= list->Items()->Count()) return nullptr;
  return dynamic_cast<TdxBar*>(list->Items()->Objects(AIndex));
}

void TdxBarCustomCustomizationForm::ItemsChanged(TComponent* AItem, TcxCollectionChangeKind AChange) {
  if (FPrevItemListOnChange) FPrevItemListOnChange(FBarManager->ItemList(), AItem, AChange);
  RefreshList(ItemsListBox(), AItem, AChange == cckChanged && AItem ? 1 : 0);
}

TColor TdxBarCustomCustomizationForm::ListBackgroundColor() {
  if (BarManager1->Style() == bmsUseLookAndFeel)
    if (TcxCustomLookAndFeelPainterClass painter = BarManager1->LookAndFeel()->ActivePainter()) {
      const TColor color = painter->DefaultContentColor();
      if (color != clDefault) return color;
    }
  return clWindow;
}

TColor TdxBarCustomCustomizationForm::ListTextColor() {
  if (BarManager1->Style() == bmsUseLookAndFeel)
    if (TcxCustomLookAndFeelPainterClass painter = BarManager1->LookAndFeel()->ActivePainter()) {
      const TColor color = painter->DefaultContentTextColor();
      if (color != clDefault) return color;
    }
  return clWindowText;
}

void TdxBarCustomCustomizationForm::UpdateLook() {
  UpdateOptions();
  RefreshAllLists();
  BarManager1->SetStyle(FBarManager->Style());
  BarManager1->LookAndFeel()->Assign(FBarManager->LookAndFeel());
  const TColor background = ListBackgroundColor(), text = ListTextColor();
  for (TListBox* list : {BarsListBox(), CategoriesListBox()}) {
    if (!list) continue;
    list->SetColor(background);
    list->Font()->SetColor(text);
  }
  if (TListBox* items = ItemsListBox()) items->SetColor(ListSeparatorColor());
}

// ---- lists ----

void TdxBarCustomCustomizationForm::RefreshList(TListBox* AListBox, TObject* AObject, int AKind) {
  if (!AListBox || FDestroyed || FBarManager->IsDestroying() || !AListBox->HandleAllocated()) return;
  const int top = AListBox->TopIndex();
  if (AKind == 1 && AObject) {
    const int index = AListBox->Items()->IndexOfObject(AObject);
    if (index < 0) return;
    const bool selected = AListBox->Selected(index);
    SendMessage(AListBox->Handle(), DXM_BAR_FILLLIST, reinterpret_cast<WPARAM>(AObject), index);
    AListBox->SetSelected(index, selected);
    SendMessage(AListBox->Handle(), DXM_BAR_UPDATEACTIONS, 0, 0);
  } else {
    AListBox->Items()->BeginUpdate();
    try {
      AListBox->Items()->Clear();
      SendMessage(AListBox->Handle(), DXM_BAR_FILLLIST, 0, 0);
    } catch (...) {
      AListBox->Items()->EndUpdate();
      throw;
    }
    AListBox->Items()->EndUpdate();
    SendMessage(AListBox->Handle(), DXM_BAR_SYNCSELECTION, 0, 0);
  }
  const int count = AListBox->Items()->Count();
  if (count == 0) return;
  AListBox->SetTopIndex(std::min(top, count - 1));
  int first = -1;
  for (int i = 0; i < count && first < 0; ++i)
    if (AListBox->Selected(i)) first = i;
  if (first < 0) return;
  const int rows = std::max(1, AListBox->ClientHeight() / std::max(1, AListBox->ItemHeight()));
  if (first < AListBox->TopIndex())
    AListBox->SetTopIndex(first);
  else if (first >= AListBox->TopIndex() + rows)
    AListBox->SetTopIndex(first - rows + 1);
}

void TdxBarCustomCustomizationForm::PostRefreshList(TListBox* AListBox) {
  if (AListBox && HandleAllocated()) PostMessage(Handle(), DXM_BAR_REFRESHLIST, reinterpret_cast<WPARAM>(AListBox), 0);
}

void TdxBarCustomCustomizationForm::SyncSelectionFromDesigner(TListBox* AListBox) {
  if (!AListBox) return;
  if (AListBox != FSyncingListBox) {
    TList selection;
    FBarManager->GetSelection(&selection);
    const int count = AListBox->Items()->Count();
    if (AListBox->MultiSelect()) {
      for (int i = 0; i < count; ++i)
        AListBox->SetSelected(i, selection.IndexOf(AListBox->Items()->Objects(i)) >= 0);
    } else {
      int last = -1;
      for (int i = 0; i < count; ++i)
        if (selection.IndexOf(AListBox->Items()->Objects(i)) >= 0) last = i;
      AListBox->SetItemIndex(last);
    }
  }
  if (AListBox->HandleAllocated()) SendMessage(AListBox->Handle(), DXM_BAR_UPDATEACTIONS, 0, 0);
}

void TdxBarCustomCustomizationForm::PushSelectionToDesigner(TListBox* AListBox) {
  if (!AListBox) return;
  TList selection;
  for (int i = 0; i < AListBox->Items()->Count(); ++i)
    if (AListBox->Selected(i))
      if (TObject* object = AListBox->Items()->Objects(i)) selection.Add(object);
  FSyncingListBox = AListBox;
  try {
    if (selection.Count() == 0)
      FBarManager->SelectComponent(FBarManager, 0);
    else
      FBarManager->SetSelection(&selection);
  } catch (...) {
    FSyncingListBox = nullptr;
    throw;
  }
  FSyncingListBox = nullptr;
}

void TdxBarCustomCustomizationForm::DeleteSelection(TListBox* AListBox, bool ASelect,
                                                    const std::function<void(TObject*)>& ACallback) {
  if (!AListBox) return;
  const int count = AListBox->Items()->Count();
  std::vector<TObject*> selected;
  for (int i = 0; i < count; ++i)
    if (AListBox->Selected(i)) selected.push_back(AListBox->Items()->Objects(i));
  if (selected.empty()) return;
  // The entry to select afterwards is kept by its object: every freed object refills the list.
  TObject* next = nullptr;
  const int focused = std::max(0, AListBox->ItemIndex());
  for (int i = focused + 1; i < count && !next; ++i)
    if (!AListBox->Selected(i)) next = AListBox->Items()->Objects(i);
  for (int i = std::min(focused, count - 1); i >= 0 && !next; --i)
    if (!AListBox->Selected(i)) next = AListBox->Items()->Objects(i);
  TcxObjectLinkScope alive(this);
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    if (ACallback)
      ACallback(*it);
    else
      TObject::Free(*it);
    if (!alive.Alive()) return;
  }
  const int index = next ? AListBox->Items()->IndexOfObject(next) : -1;
  if (AListBox->MultiSelect())
    for (int i = 0; i < AListBox->Items()->Count(); ++i) AListBox->SetSelected(i, i == index);
  AListBox->SetItemIndex(index);
  if (ASelect) PushSelectionToDesigner(AListBox);
  FBarManager->DesignerModified();
}

void TdxBarCustomCustomizationForm::MoveSelection(TListBox* AListBox, TList* AList, int ADirection) {
  if (!AListBox || !AList || ADirection == 0) return;
  std::vector<TObject*> selected;
  for (int i = 0; i < AListBox->Items()->Count(); ++i)
    if (AListBox->Selected(i)) selected.push_back(AListBox->Items()->Objects(i));
  if (selected.empty()) return;
  if (ADirection < 0) {
    int target = std::max(0, AList->IndexOf(selected.front()) - 1);
    for (TObject* object : selected) {
      const int from = AList->IndexOf(object);
      if (from >= 0) AList->Move(from, target);
      ++target;
    }
  } else {
    int target = std::min(AList->Count() - 1, AList->IndexOf(selected.back()) + 1);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
      const int from = AList->IndexOf(*it);
      if (from >= 0) AList->Move(from, target);
      --target;
    }
  }
  FBarManager->DesignerModified();
}

void TdxBarCustomCustomizationForm::UpdateActionStates(TListBox* AListBox, TAction* AAddAction,
                                                       const std::function<bool(TObject*)>& ACanDelete,
                                                       TAction* ADeleteAction, TAction* AMoveDownAction,
                                                       TAction* AMoveUpAction) {
  if (!AListBox) return;
  TComponent* owner = FBarManager->Owner();
  if (AAddAction) AAddAction->SetEnabled(!(owner && owner->HasState(csDestroying)));
  const int count = AListBox->Items()->Count();
  int first = -1, last = -1, selectedCount = 0;
  bool canDelete = true;
  for (int i = 0; i < count; ++i) {
    if (!AListBox->Selected(i)) continue;
    if (first < 0) first = i;
    last = i;
    ++selectedCount;
    TObject* object = AListBox->Items()->Objects(i);
    if (ACanDelete)
      canDelete = canDelete && ACanDelete(object);
    else if (auto* component = dynamic_cast<TComponent*>(object))
      canDelete = canDelete && FBarManager->CanDeleteComponent(component);
  }
  const bool block = selectedCount > 0 && last - first + 1 == selectedCount;
  if (ADeleteAction) ADeleteAction->SetEnabled(selectedCount > 0 && canDelete);
  if (AMoveUpAction) AMoveUpAction->SetEnabled(!(block && first == 0));
  if (AMoveDownAction) AMoveDownAction->SetEnabled(!(block && last == count - 1));
}

// ---- showing and hiding ----

void TdxBarCustomCustomizationForm::DisableWindow(HWND AWindow) {
  if (AWindow && AWindow != HandleOf(this)) DisableWindowIntoList(FDisabledWindows, AWindow);
}

void TdxBarCustomCustomizationForm::DoShow() {
  for (int i = 0; BarManagers && i < BarManagers->Count(); ++i) {
    TdxBarManager* manager = BarManagers->Managers(i);
    if (TCustomForm* form = ManagerForm(manager); form && form != this) DisableWindow(HandleOf(form));
    if (manager == FBarManager) continue;
    for (int j = 0; j < manager->Bars()->Count(); ++j) {
      const HWND window = HandleOf(manager->Bars()->Items(j)->Control());
      if (window && IsWindowVisible(window)) DisableWindow(window);
    }
  }
  TForm::DoShow();
}

void TdxBarCustomCustomizationForm::EnableDisabledWindows() {
  std::vector<HWND> windows;
  windows.swap(FDisabledWindows);
  EnableListedWindows(&windows);
}

void TdxBarCustomCustomizationForm::DoHide() {
  EnableDisabledWindows();
  TForm::DoHide();
}

// ---- messages ----

void TdxBarCustomCustomizationForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case DXM_BAR_REFRESHLIST: {
      auto* list = reinterpret_cast<TListBox*>(Message.WParam);
      // Other refreshes of the same list still queued come to the same result.
      MSG pending;
      while (PeekMessage(&pending, Handle(), DXM_BAR_REFRESHLIST, DXM_BAR_REFRESHLIST, PM_NOREMOVE) &&
             pending.wParam == Message.WParam)
        PeekMessage(&pending, Handle(), DXM_BAR_REFRESHLIST, DXM_BAR_REFRESHLIST, PM_REMOVE);
      RefreshList(list);
      return;
    }
    case WM_NCHITTEST:
      TForm::WndProc(Message);
      switch (Message.Result) {
        case HTLEFT:
        case HTRIGHT: Message.Result = HTCLIENT; break;
        case HTTOPLEFT:
        case HTTOPRIGHT: Message.Result = HTTOP; break;
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT: Message.Result = HTBOTTOM; break;
        default: break;
      }
      return;
    case WM_ACTIVATE: {
      TForm::WndProc(Message);
      TCustomForm* form = ManagerForm(FBarManager);
      const HWND window = HandleOf(form);
      if (window && window != reinterpret_cast<HWND>(Message.LParam))
        SendMessage(window, WM_ACTIVATE, Message.WParam, Message.LParam);
      return;
    }
    case WM_WINDOWPOSCHANGED: {
      TForm::WndProc(Message);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      if (pos && (pos->flags & SWP_SHOWWINDOW)) ShowWindow(Handle(), SW_SHOW);
      if (pos && (pos->flags & SWP_HIDEWINDOW)) ShowWindow(Handle(), SW_HIDE);
      return;
    }
    case WM_MOUSEWHEEL: {
      // A list box under the pointer scrolls though another control has the focus.
      const POINT at{Message.XPos(), Message.YPos()};
      auto* list = dynamic_cast<TListBox*>(VclControlAbove(WindowFromPoint(at)));
      if (list && list != ActiveControl() && list->HandleAllocated() && ContainsControl(list)) {
        const int notches = static_cast<short>(Message.WParamHi()) / WHEEL_DELTA;
        const int lines = std::abs(notches) * Mouse->WheelScrollLines();
        for (int i = 0; i < lines; ++i)
          SendMessage(list->Handle(), WM_VSCROLL, notches > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        Message.Result = 1;
        return;
      }
      break;
    }
    default: break;
  }
  TForm::WndProc(Message);
}

// ---- toolbar actions ----

void TdxBarCustomCustomizationForm::aNewToolBarExecute(TObject*) { FBarManager->AddToolbar(false, true); }

void TdxBarCustomCustomizationForm::aRenameToolBarExecute(TObject*) {
  TListBox* list = BarsListBox();
  if (TdxBar* bar = list ? BarAtIndex(list->ItemIndex()) : nullptr) FBarManager->RenameBar(bar);
}

void TdxBarCustomCustomizationForm::aDeleteToolBarExecute(TObject*) {
  TListBox* list = BarsListBox();
  if (!list) return;
  std::vector<TdxBar*> bars;
  for (int i = 0; i < list->Items()->Count(); ++i)
    if (list->Selected(i))
      if (TdxBar* bar = BarAtIndex(i)) bars.push_back(bar);
  if (bars.empty()) return;
  const String text = bars.size() == 1 ? Format(Localized(dxSBAR_WANTTODELETETOOLBAR), {bars.front()->Caption()})
                                       : Localized(dxSBAR_WANTTODELETETOOLBARS);
  const bool ok = Application->MessageBox(text, Application->Title(), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
  if (ok) {
    TcxObjectLinkScope alive(this);
    DeleteSelection(list, true, [](TObject* AObject) {
      if (auto* bar = dynamic_cast<TdxBar*>(AObject)) bar->Delete();
    });
    if (!alive.Alive()) return;
  }
  BringToFront();
}

void TdxBarCustomCustomizationForm::aResetToolBarExecute(TObject*) {
  TListBox* list = BarsListBox();
  if (TdxBar* bar = list ? BarAtIndex(list->ItemIndex()) : nullptr) bar->ResetWithConfirmation();
  BringToFront();
}

// Built with the item editors: until then the commands page adds, edits and clears nothing.
void TdxBarCustomCustomizationForm::aAddItemExecute(TObject*) {}

void TdxBarCustomCustomizationForm::aDeleteItemExecute(TObject*) { DeleteSelection(ItemsListBox(), true); }

void TdxBarCustomCustomizationForm::aMoveItemExecute(TObject* Sender) {
  auto* action = dynamic_cast<TComponent*>(Sender);
  if (!action) return;
  MoveSelection(ItemsListBox(), FBarManager->ItemList(), static_cast<int>(action->Tag()));
}

void TdxBarCustomCustomizationForm::aSubMenuEditorExecute(TObject*) {}

void TdxBarCustomCustomizationForm::aClearItemListExecute(TObject*) {}

// ---- TdxBarCustomizationForm ----------------------------------------------------------------------

TdxBarCustomizationForm::TdxBarCustomizationForm(TdxBarManager* ABarManager)
    : TdxBarCustomCustomizationForm(ABarManager) {
  RegisterHandler("CBMenusShowRecentItemsFirstClick", &TdxBarCustomizationForm::CBMenusShowRecentItemsFirstClick);
  RegisterHandler("CBShowFullMenusAfterDelayClick", &TdxBarCustomizationForm::CBShowFullMenusAfterDelayClick);
  RegisterHandler("CBLargeIconsClick", &TdxBarCustomizationForm::CBLargeIconsClick);
  RegisterHandler("CBHint1Click", &TdxBarCustomizationForm::CBHint1Click);
  RegisterHandler("CBHint1ExClick", &TdxBarCustomizationForm::CBHint1ExClick);
  RegisterHandler("CBHint2Click", &TdxBarCustomizationForm::CBHint2Click);
  RegisterHandler("ComboBoxMenuAnimationsClick", &TdxBarCustomizationForm::ComboBoxMenuAnimationsClick);
  RegisterHandler("BResetUsageDataClick", &TdxBarCustomizationForm::BResetUsageDataClick);
  RegisterHandler("BHelpClick", &TdxBarCustomizationForm::BHelpClick);
}

TdxBarCustomizationForm::~TdxBarCustomizationForm() = default;

void TdxBarCustomizationForm::InitializeForm() {
  Find(PageControl, "PageControl");
  Find(tsToolbars, "tsToolbars");
  Find(tsItems, "tsItems");
  Find(tsOptions, "tsOptions");
  Find(tsCommands, "tsCommands");
  Find(tsGroups, "tsGroups");
  Find(TabSheet1, "TabSheet1");
  Find(LabelToobars, "LabelToobars");
  Find(lbBarsList, "lbBarsList");
  Find(BBarNew, "BBarNew");
  Find(BBarRename, "BBarRename");
  Find(BBarDelete, "BBarDelete");
  Find(BBarReset, "BBarReset");
  Find(LabelCategories, "LabelCategories");
  Find(LabelCommands, "LabelCommands");
  Find(LabelDescription, "LabelDescription");
  Find(CategoriesPopupButtonPlace, "CategoriesPopupButtonPlace");
  Find(CommandsPopupButtonPlace, "CommandsPopupButtonPlace");
  Find(lbCategories, "lbCategories");
  Find(lbItems, "lbItems");
  Find(DescriptionBevel, "DescriptionBevel");
  Find(DescriptionLabel, "DescriptionLabel");
  Find(StandardOptionsPanel, "StandardOptionsPanel");
  Find(EnhancedOptionsPanel, "EnhancedOptionsPanel");
  Find(CBLargeIcons, "CBLargeIcons");
  Find(CBHint1, "CBHint1");
  Find(CBHint2, "CBHint2");
  Find(LabelMenuAnimations, "LabelMenuAnimations");
  Find(ComboBoxMenuAnimations, "ComboBoxMenuAnimations");
  Find(Label1, "Label1");
  Find(Label2, "Label2");
  Find(LabelMenuAnimationsEx, "LabelMenuAnimationsEx");
  Find(Bevel1, "Bevel1");
  Find(Bevel2, "Bevel2");
  Find(CBMenusShowRecentItemsFirst, "CBMenusShowRecentItemsFirst");
  Find(CBShowFullMenusAfterDelay, "CBShowFullMenusAfterDelay");
  Find(BResetUsageData, "BResetUsageData");
  Find(CBLargeIconsEx, "CBLargeIconsEx");
  Find(CBHint1Ex, "CBHint1Ex");
  Find(CBHint2Ex, "CBHint2Ex");
  Find(ComboBoxMenuAnimationsEx, "ComboBoxMenuAnimationsEx");
  Find(LAllCommands, "LAllCommands");
  Find(CBShowCommandsWithShortCut, "CBShowCommandsWithShortCut");
  Find(lbGroups, "lbGroups");
  Find(lbGroupItems, "lbGroupItems");
  Find(tvKeyTips, "tvKeyTips");
  Find(BottomPanel, "BottomPanel");
  Find(BClose, "BClose");
  Find(BHelp, "BHelp");
  BBarNew->SetAction(aNewToolBar);
  BBarRename->SetAction(aRenameToolBar);
  BBarDelete->SetAction(aDeleteToolBar);
  BBarReset->SetAction(aResetToolBar);
  BClose->OnClick = [this](TObject*) { Close(); };
  // The bevels run from the end of their captions.
  for (auto [label, bevel] : {std::pair{LabelDescription, DescriptionBevel}, std::pair{Label1, Bevel1},
                              std::pair{Label2, Bevel2}}) {
    const int right = bevel->Left() + bevel->Width();
    bevel->SetLeft(label->Left() + label->Width());
    bevel->SetWidth(std::max(0, right - bevel->Left()));
  }
  TdxBarCustomCustomizationForm::InitializeForm();
}

void TdxBarCustomizationForm::ItemsChanged(TComponent* AItem, TcxCollectionChangeKind AChange) {
  TdxBarCustomCustomizationForm::ItemsChanged(AItem, AChange);
  RefreshList(LAllCommands, AItem, AChange == cckChanged && AItem ? 1 : 0);
  RefreshList(lbGroupItems);
}

void TdxBarCustomizationForm::RefreshAllLists() {
  for (TListBox* list : {lbBarsList, lbCategories, lbItems, LAllCommands, lbGroups}) RefreshList(list);
}

void TdxBarCustomizationForm::LocalizeCaptions() {
  // 1. The bottom panel.
  BClose->SetCaption(Localized(dxSBAR_CLOSE));
  BClose->SetWidth(TextWidthIn(BClose, StripAccelerator(BClose->Caption())) + 49);
  BClose->SetLeft(BottomPanel->ClientWidth() - BClose->Width() - 8);
  BResetUsageData->SetEnabled(!IsDesigning());
  UpdateHelpButton();
  // 2. Toolbars.
  BBarReset->SetVisible(!IsDesigning() && BarManager()->ReadFromStream() && BarManager()->AllowReset());
  LabelToobars->SetCaption(Localized(dxSBAR_TOOLBARS));
  LabelToobars->SetFocusControl(lbBarsList);
  tsToolbars->SetCaption(Localized(dxSBAR_TABSHEET1));
  // 3. Commands. The buttons that drop the design-time popups are made with the editor forms.
  tsItems->SetCaption(Localized(dxSBAR_TABSHEET2));
  if (!IsDesigning()) {
    FreeAndNil(CategoriesPopupButtonPlace);
    FreeAndNil(CommandsPopupButtonPlace);
  }
  LabelCategories->SetCaption(Localized(dxSBAR_CATEGORIES));
  LabelCommands->SetCaption(Localized(dxSBAR_COMMANDS));
  LabelDescription->SetCaption(Localized(dxSBAR_DESCRIPTION));
  // 4. Options.
  tsOptions->SetCaption(Localized(dxSBAR_TABSHEET3));
  for (TComboBox* combo : {ComboBoxMenuAnimations, ComboBoxMenuAnimationsEx}) {
    combo->Items()->BeginUpdate();
    combo->Items()->Clear();
    int widest = 0;
    for (const TResStringRec* text : {&dxSBAR_MENUANIM1, &dxSBAR_MENUANIM2, &dxSBAR_MENUANIM3, &dxSBAR_MENUANIM4,
                                      &dxSBAR_MENUANIM5}) {
      combo->Items()->Add(Localized(*text));
      widest = std::max(widest, TextWidthIn(combo, Localized(*text)));
    }
    combo->Items()->EndUpdate();
    combo->SetWidth(widest + 54);
  }
  if (BarManager()->ResolvedStyle() == bmsStandard) {
    CBLargeIcons->SetCaption(Localized(dxSBAR_LARGEICONS));
    CBHint1->SetCaption(Localized(dxSBAR_HINTOPT1));
    CBHint2->SetCaption(Localized(dxSBAR_HINTOPT2));
    LabelMenuAnimations->SetCaption(Localized(dxSBAR_MENUANIMATIONS));
    const int labelRight = LabelMenuAnimations->Left() + LabelMenuAnimations->Width();
    if (labelRight + 10 > ComboBoxMenuAnimations->Left()) ComboBoxMenuAnimations->SetLeft(labelRight + 10);
  } else {
    Label1->SetCaption(Localized(dxSBAR_PERSMENUSANDTOOLBARS));
    CBMenusShowRecentItemsFirst->SetCaption(Localized(dxSBAR_MENUSSHOWRECENTITEMS));
    CBShowFullMenusAfterDelay->SetCaption(Localized(dxSBAR_SHOWFULLMENUSAFTERDELAY));
    BResetUsageData->SetCaption(Localized(dxSBAR_RESETUSAGEDATA));
    BResetUsageData->SetWidth(TextWidthIn(BResetUsageData, BResetUsageData->Caption()) + 17);
    Label2->SetCaption(Localized(dxSBAR_OTHEROPTIONS));
    CBLargeIconsEx->SetCaption(Localized(dxSBAR_LARGEICONS));
    CBHint1Ex->SetCaption(Localized(dxSBAR_HINTOPT1));
    CBHint2Ex->SetCaption(Localized(dxSBAR_HINTOPT2));
    LabelMenuAnimationsEx->SetCaption(Localized(dxSBAR_MENUANIMATIONS));
  }
  // 5., 6. The design-time pages.
  tsCommands->SetTabVisible(IsDesigning());
  tsGroups->SetTabVisible(IsDesigning());
  if (auto* box = dynamic_cast<TGroupBox*>(FindComponent("GroupBoxGroups"))) box->SetCaption(" Groups ");
  if (auto* box = dynamic_cast<TGroupBox*>(FindComponent("GroupBoxItems"))) box->SetCaption(" Items ");
}

void TdxBarCustomizationForm::SetDescription(const String& AText) { DescriptionLabel->SetCaption(AText); }

void TdxBarCustomizationForm::SelectionChanged() {
  if (HasState(csDestroying) || (Application && Application->HasState(csDestroying))) return;
  for (TListBox* list : {lbBarsList, lbItems, LAllCommands, lbGroups}) SyncSelectionFromDesigner(list);
}

void TdxBarCustomizationForm::SetActivePageIndex(int AIndex) { PageControl->SetActivePageIndex(AIndex); }

void TdxBarCustomizationForm::ShowCommandsPage() { PageControl->SetActivePage(tsItems); }

void TdxBarCustomizationForm::UpdateHelpButton() {
  SetBitButtonGlyph(BHelp, BarManager()->HelpButtonGlyph());
  BHelp->SetVisible(BarManager()->ShowHelpButton());
}

void TdxBarCustomizationForm::UpdateOptions() {
  TdxBarManager* manager = BarManager();
  const bool standard = manager->ResolvedStyle() == bmsStandard;
  StandardOptionsPanel->SetVisible(standard);
  EnhancedOptionsPanel->SetVisible(!standard);
  FUpdatingOptions = true;
  CBMenusShowRecentItemsFirst->SetCheckedValue(manager->MenusShowRecentItemsFirst());
  CBShowFullMenusAfterDelay->SetCheckedValue(manager->ShowFullMenusAfterDelay());
  CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->Checked());
  for (TCheckBox* box : {CBLargeIcons, CBLargeIconsEx}) box->SetCheckedValue(manager->LargeIcons());
  for (TCheckBox* box : {CBHint1, CBHint1Ex}) box->SetCheckedValue(manager->ShowHint());
  for (TCheckBox* box : {CBHint2, CBHint2Ex}) box->SetCheckedValue(manager->ShowShortCutInHint());
  CBHint2Ex->SetEnabled(CBHint1Ex->Checked());
  for (TComboBox* combo : {ComboBoxMenuAnimations, ComboBoxMenuAnimationsEx})
    combo->SetItemIndex(static_cast<int>(manager->MenuAnimations()));
  FUpdatingOptions = false;
}

void TdxBarCustomizationForm::CBMenusShowRecentItemsFirstClick(TObject*) {
  CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->Checked());
  if (!FUpdatingOptions) BarManager()->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->Checked());
}

void TdxBarCustomizationForm::CBShowFullMenusAfterDelayClick(TObject*) {
  if (!FUpdatingOptions) BarManager()->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->Checked());
}

void TdxBarCustomizationForm::CBLargeIconsClick(TObject* Sender) {
  if (auto* box = dynamic_cast<TCheckBox*>(Sender); box && !FUpdatingOptions) BarManager()->SetLargeIcons(box->Checked());
}

void TdxBarCustomizationForm::CBHint1Click(TObject* Sender) {
  if (auto* box = dynamic_cast<TCheckBox*>(Sender); box && !FUpdatingOptions) BarManager()->SetShowHint(box->Checked());
}

void TdxBarCustomizationForm::CBHint1ExClick(TObject* Sender) {
  CBHint2Ex->SetEnabled(CBHint1Ex->Checked());
  CBHint1Click(Sender);
}

void TdxBarCustomizationForm::CBHint2Click(TObject* Sender) {
  if (auto* box = dynamic_cast<TCheckBox*>(Sender); box && !FUpdatingOptions)
    BarManager()->SetShowShortCutInHint(box->Checked());
}

void TdxBarCustomizationForm::ComboBoxMenuAnimationsClick(TObject* Sender) {
  auto* combo = dynamic_cast<TComboBox*>(Sender);
  if (!combo || FUpdatingOptions || combo->ItemIndex() < 0) return;
  BarManager()->SetMenuAnimations(static_cast<TdxBarMenuAnimations>(combo->ItemIndex()));
}

void TdxBarCustomizationForm::BResetUsageDataClick(TObject*) {
  if (Application->MessageBox(Localized(dxSBAR_WANTTORESETUSAGEDATA), Application->Title(), MB_YESNO | MB_ICONQUESTION) ==
      IDYES)
    BarManager()->ResetUsageDataUnasked();
}

void TdxBarCustomizationForm::BHelpClick(TObject*) { ShowHelp(); }

// ---- the unit ----------------------------------------------------------------------------------------

void ShowCustomizationForm(TdxBarManager* ABarManager, bool AShow) {
  if (AShow) {
    if (CurrentCustomizationForm || !CustomizationFormClass) return;
    if (ABarManager->OnShowCustomizingForm) ABarManager->OnShowCustomizingForm(ABarManager);
    RepaintOtherManagersBars(ABarManager);
    auto* form = static_cast<TdxBarCustomCustomizationForm*>(CustomizationFormClass->Create(ABarManager));
    CurrentCustomizationForm = form;
    ABarManager->SetCustomizingForm(form);
    form->Show();
    return;
  }
  if (!gClosing)
    if (TdxBarCustomCustomizationForm* form = CurrentCustomizationForm; form && form->BarManager() == ABarManager) {
      gClosing = true;
      TObject::Free(form);
      gClosing = false;
    }
  ABarManager->SetCustomizingForm(nullptr);
  if (ABarManager->OnHideCustomizingForm) ABarManager->OnHideCustomizingForm(ABarManager);
  RepaintOtherManagersBars(ABarManager);
}

void CustomizationFormUpdateLook() {
  if (CurrentCustomizationForm) CurrentCustomizationForm->UpdateLook();
}

void CustomizationFormUpdateHelpButton() {
  if (CurrentCustomizationForm) CurrentCustomizationForm->UpdateHelpButton();
}

void CustomizationFormUpdateOptions() {
  if (CurrentCustomizationForm) CurrentCustomizationForm->UpdateOptions();
}

void BarCustomizationFormUnitStartup() {
  if (gStartCount++ != 0) return;
  // What the dialogs' descriptions are made of.
  RegisterClassesOf<TdxBarManager, TdxBarPopupMenu, TImageList, TActionList, TAction, TPanel, TBevel, TLabel, TButton,
                    TCheckBox, TComboBox, TListBox, TGroupBox, TPageControl, TTabSheet, TTreeView, TToolBar,
                    TToolButton>();
  RegisterBitButtonClass();
  CustomizationFormClass = TdxBarCustomizationForm::StaticClass();
}

void BarCustomizationFormUnitShutdown() {
  if (gStartCount == 0 || --gStartCount != 0) return;
  if (CurrentCustomizationForm) TObject::Free(CurrentCustomizationForm);
  CustomizationFormClass = nullptr;
}
