#include "ui/bars/BarCustomizationLists.h"

#include "platform/win/Focus.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarItem.h"
#include "ui/bars/Bars.h"

using namespace win;

namespace {

bool NoModifiers(TShiftState AShift) {
  return !AShift.Contains(ssShift) && !AShift.Contains(ssAlt) && !AShift.Contains(ssCtrl);
}

int TextHeightOf(TFont* AFont, const String& AText) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, AFont->Handle());
  SIZE size{};
  GetTextExtentPoint32(dc, AText.c_str(), static_cast<int>(AText.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}

}  // namespace

// ---- the base -----------------------------------------------------------------------------------

class TdxBarCustomizationFormListBoxHelper::TListWatch : public TComponent {
 public:
  explicit TListWatch(TdxBarCustomizationFormListBoxHelper* AHelper) : TComponent(nullptr), FHelper(AHelper) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FHelper->FListBox) FHelper->FListBox = nullptr;
  }

 private:
  TdxBarCustomizationFormListBoxHelper* FHelper;
};

TdxBarCustomizationFormListBoxHelper::TdxBarCustomizationFormListBoxHelper(IdxBarCustomizationListsOwner* AOwnerForm,
                                                                           TCustomListBox* AListBox)
    : FOwnerForm(AOwnerForm), FListBox(AListBox), FListWatch(new TListWatch(this)) {
  FListBox->FreeNotification(FListWatch);
  FPrevWindowProc = FListBox->WindowProc;
  FListBox->WindowProc = [this](TMessage& Message) { WindowProc(Message); };
}

TdxBarCustomizationFormListBoxHelper::~TdxBarCustomizationFormListBoxHelper() {
  if (FListBox) {
    FListBox->WindowProc = FPrevWindowProc;
    FListBox->RemoveFreeNotification(FListWatch);
  }
  delete FListWatch;
}

void TdxBarCustomizationFormListBoxHelper::WindowProc(TMessage& Message) {
  switch (Message.Msg) {
    case DXBAR_FILLLIST:
      Fill(reinterpret_cast<TObject*>(Message.WParam), static_cast<int>(Message.LParam));
      break;
    case DXBAR_SYNCSELECTION:
      FOwnerForm->SyncSelectionFromDesigner(FListBox);
      break;
    case DXBAR_UPDATEACTIONS:
      UpdateActions();
      break;
    default:
      break;
  }
  CallPrevWindowProc(Message);
}

void TdxBarCustomizationFormListBoxHelper::CallPrevWindowProc(TMessage& Message) {
  if (FPrevWindowProc) FPrevWindowProc(Message);
}

bool TdxBarCustomizationFormListBoxHelper::IsDesigning() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->IsDesigning() && manager->Designer();
}

// ---- toolbars -----------------------------------------------------------------------------------

TdxBarCustomizationFormBarListHelper::TdxBarCustomizationFormBarListHelper(IdxBarCustomizationListsOwner* AOwnerForm,
                                                                           TCustomListBox* AListBox)
    : TdxBarCustomizationFormListBoxHelper(AOwnerForm, AListBox) {
  AListBox->SetStyle(lbOwnerDrawFixed);
  AListBox->SetItemHeight(TextHeightOf(AListBox->Font(), "Zg") + 2);
  AListBox->SetMultiSelect(IsDesigning());
  AListBox->OnClick = [this](TObject*) { OwnerForm()->PushSelectionToDesigner(ListBox()); };
  AListBox->OnDrawItem = [this](TWinControl*, int Index, RECT Rect, TOwnerDrawState State) {
    DrawItem(Index, Rect, State);
  };
  AListBox->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseDown(Button, Shift, X, Y);
  };
  AListBox->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); };
}

TdxBar* TdxBarCustomizationFormBarListHelper::BarAtIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= ListBox()->Items()->Count()) return nullptr;
  return static_cast<TdxBar*>(ListBox()->Items()->Objects(AIndex));
}

void TdxBarCustomizationFormBarListHelper::Fill(TObject* AObject, int AIndex) {
  TStrings* items = ListBox()->Items();
  if (AObject) {
    if (AIndex >= 0 && AIndex < items->Count()) items->SetStrings(AIndex, static_cast<TdxBar*>(AObject)->Caption());
    return;
  }
  items->Clear();
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  const bool designing = IsDesigning();
  TdxBars* bars = manager->Bars();
  for (int i = 0; i < bars->Count(); ++i) {
    TdxBar* bar = bars->Items(i);
    if (designing || !bar->Hidden()) items->AddObject(bar->Caption(), bar);
  }
}

void TdxBarCustomizationFormBarListHelper::DrawItem(int AIndex, const RECT& ARect, TOwnerDrawState) {
  TCanvas* canvas = ListBox()->Canvas();
  TdxBar* bar = BarAtIndex(AIndex);
  canvas->FillRect(ARect);
  if (!bar) return;
  const int height = ARect.bottom - ARect.top;
  const RECT square{ARect.left, ARect.top, ARect.left + height, ARect.bottom};
  const TColor textColor = canvas->Font()->Color();
  canvas->Brush()->SetColor(ListBox()->Color());
  canvas->FillRect(square);
  OwnerForm()->PainterClass()->DrawCheckBox(canvas, square, bar->IsClosable(), bar->Visible());
  HDC dc = canvas->Handle();
  canvas->RequiredState({csHandleValid, csFontValid});
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, ColorToRGB(textColor));
  RECT text{square.right + 2, ARect.top, ARect.right, ARect.bottom};
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (ListBox()->BiDiMode() != bdLeftToRight) {
    text.right -= 2;
    flags |= DT_RTLREADING;
  }
  const String caption = ListBox()->Items()->Strings(AIndex);
  DrawText(dc, caption.c_str(), -1, &text, flags);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

void TdxBarCustomizationFormBarListHelper::MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y) {
  if (AButton != mbLeft) return;
  const int index = ListBox()->ItemAtPos(POINT{X, Y}, true);
  if (index < 0) return;
  const RECT r = ListBox()->ItemRect(index);
  const bool inSquare = X >= r.left && X < r.left + (r.bottom - r.top);
  // The first press of a double-click in the square has toggled already.
  if (inSquare != AShift.Contains(ssDouble)) ToggleBar(index);
}

void TdxBarCustomizationFormBarListHelper::KeyDown(WORD& AKey, TShiftState) {
  switch (AKey) {
    case VK_SPACE:
      ToggleBar(ListBox()->ItemIndex());
      break;
    case VK_INSERT:
      OwnerForm()->ExecuteListAction(claNewToolBar);
      break;
    case VK_DELETE:
      OwnerForm()->ExecuteListAction(claDeleteToolBar);
      break;
    default:
      break;
  }
}

void TdxBarCustomizationFormBarListHelper::ToggleBar(int AIndex) {
  TdxBar* bar = BarAtIndex(AIndex);
  if (!bar) return;
  if (!bar->IsClosable()) {
    MessageBeep(0);
    return;
  }
  bar->SetVisible(!bar->Visible());
  RECT r = ListBox()->ItemRect(AIndex);
  if (ListBox()->HandleAllocated()) InvalidateRect(ListBox()->Handle(), &r, FALSE);
}

// ---- categories ---------------------------------------------------------------------------------

TdxBarCustomizationFormCategoryListHelper::TdxBarCustomizationFormCategoryListHelper(
    IdxBarCustomizationListsOwner* AOwnerForm, TCustomListBox* AListBox)
    : TdxBarCustomizationFormListBoxHelper(AOwnerForm, AListBox) {
  AListBox->OnClick = [this](TObject*) { Click(); };
  AListBox->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseDown(Button, Shift, X, Y);
  };
  AListBox->OnDragOver = [this](TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    DragOver(Source, X, Y, State, Accept);
  };
  AListBox->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); };
}

int TdxBarCustomizationFormCategoryListHelper::CategoryIndexOf(int AEntry) const {
  if (AEntry < 0 || AEntry >= ListBox()->Items()->Count()) return -1;
  if (IsDesigning() || !BarManager()) return AEntry;
  return BarManager()->GetVisibleCategoryIndex(AEntry);
}

void TdxBarCustomizationFormCategoryListHelper::Fill(TObject* AObject, int) {
  if (AObject) return;
  TStrings* items = ListBox()->Items();
  items->Clear();
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  const bool designing = IsDesigning();
  TStrings* categories = manager->Categories();
  for (int i = 0; i < categories->Count(); ++i)
    if (designing || manager->CategoryVisible(i)) items->Add(categories->Strings(i));
  if (items->Count() > 0) ListBox()->SetItemIndex(0);
}

void TdxBarCustomizationFormCategoryListHelper::Click() {
  OwnerForm()->RefreshList(OwnerForm()->ItemsListBox(), nullptr, 0);
}

void TdxBarCustomizationFormCategoryListHelper::MouseDown(TMouseButton AButton, TShiftState, int X, int Y) {
  const int index = ListBox()->ItemAtPos(POINT{X, Y}, true);
  if (AButton == mbLeft) {
    if (!IsDesigning() || index < 0) return;
    FDraggingIndex = index;
    ListBox()->BeginDrag(false);
  } else if (AButton == mbRight) {
    ListBox()->SetFocus();
    if (index >= 0 && index != ListBox()->ItemIndex()) {
      ListBox()->SetItemIndex(index);
      Click();
    }
    if (IsDesigning()) OwnerForm()->PopupListMenu(ListBox(), ListBox()->ClientToScreen(POINT{X, Y}));
  }
}

void TdxBarCustomizationFormCategoryListHelper::DragOver(TObject* ASource, int X, int Y, TDragState,
                                                         bool& AAccept) {
  AAccept = ASource == ListBox();
  if (!AAccept || FDraggingIndex < 0) return;
  const int target = ListBox()->ItemAtPos(POINT{X, Y}, true);
  if (target < 0 || target == FDraggingIndex) return;
  BarManager()->Categories()->Move(FDraggingIndex, target);
  ListBox()->Items()->Move(FDraggingIndex, target);
  ListBox()->SetItemIndex(target);
  FDraggingIndex = target;
}

void TdxBarCustomizationFormCategoryListHelper::KeyDown(WORD& AKey, TShiftState AShift) {
  if (!IsDesigning() || !NoModifiers(AShift)) return;
  if (AKey == VK_INSERT) OwnerForm()->ExecuteListAction(claInsertCategory);
  if (AKey == VK_DELETE) OwnerForm()->ExecuteListAction(claDeleteCategory);
}

// ---- commands -----------------------------------------------------------------------------------

TdxBarCustomizationFormItemsListHelper::TdxBarCustomizationFormItemsListHelper(
    IdxBarCustomizationListsOwner* AOwnerForm, TCustomListBox* AListBox)
    : TdxBarCustomizationFormListBoxHelper(AOwnerForm, AListBox) {
  AListBox->SetStyle(lbOwnerDrawFixed);
  AListBox->SetItemHeight(22);
  TControlStyle style = AListBox->ControlStyle();
  style.Exclude(csCaptureMouse);
  style.Include(csOpaque);
  AListBox->SetControlStyle(style);
  AListBox->SetMultiSelect(IsDesigning());
  AListBox->OnClick = [this](TObject*) {
    OwnerForm()->PushSelectionToDesigner(ListBox());
    TdxBarItem* item = ItemAtIndex(ListBox()->ItemIndex());
    OwnerForm()->SetDescription(item ? item->Description() : String());
  };
  AListBox->OnDblClick = [this](TObject*) { DblClick(); };
  AListBox->OnDrawItem = [this](TWinControl*, int Index, RECT Rect, TOwnerDrawState State) {
    DrawItem(Index, Rect, State);
  };
  AListBox->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseDown(Button, Shift, X, Y);
  };
  AListBox->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseUp(Button, Shift, X, Y);
  };
  AListBox->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); };
}

void TdxBarCustomizationFormItemsListHelper::WindowProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      EraseBackground(Message);
      return;
    case WM_SETCURSOR:
      HotTrack();
      break;
    case CN_DRAWITEM: {
      TdxBarCustomizationFormListBoxHelper::WindowProc(Message);
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if ((dis->itemState & ODS_FOCUS) && ListBox()->Items()->Count() > 0) {
        TCanvas canvas;
        canvas.SetHandle(dis->hDC);
        OwnerForm()->PainterClass()->DrawFocus(&canvas, dis->rcItem, ItemAtIndex(static_cast<int>(dis->itemID)));
        canvas.SetHandle(nullptr);
      }
      return;
    }
    default:
      break;
  }
  TdxBarCustomizationFormListBoxHelper::WindowProc(Message);
}

TdxBarItem* TdxBarCustomizationFormItemsListHelper::ItemAtIndex(int AIndex) const {
  if (AIndex < 0 || AIndex >= ListBox()->Items()->Count()) return nullptr;
  return static_cast<TdxBarItem*>(ListBox()->Items()->Objects(AIndex));
}

void TdxBarCustomizationFormItemsListHelper::Fill(TObject* AObject, int AIndex) {
  TStrings* items = ListBox()->Items();
  if (AObject) {
    if (AIndex >= 0 && AIndex < items->Count()) {
      auto* item = static_cast<TdxBarItem*>(AObject);
      items->SetStrings(AIndex, item->Name());
      items->SetObjects(AIndex, item);
    }
    return;
  }
  items->Clear();
  TdxBarManager* manager = BarManager();
  TCustomListBox* categories = OwnerForm()->CategoriesListBox();
  if (!manager || !categories) return;
  int category = categories->ItemIndex();
  if (category < 0) return;
  if (!IsDesigning()) category = manager->GetVisibleCategoryIndex(category);
  for (TdxBarItem* item : manager->GetItemsByCategory(category)) items->AddObject(item->Name(), item);
}

void TdxBarCustomizationFormItemsListHelper::DrawItem(int AIndex, const RECT& ARect, TOwnerDrawState AState) {
  TCanvas* canvas = ListBox()->Canvas();
  canvas->Brush()->SetColor(OwnerForm()->ListSeparatorColor());
  canvas->FillRect(ARect);
  TdxBarItem* item = ItemAtIndex(AIndex);
  if (!item) return;
  TdxBarCustomizationFormPainterClass painter = OwnerForm()->PainterClass();
  TdxBarCustomizationEntryPainter saved = dxBarCustomizationEntryPainter;
  dxBarCustomizationEntryPainter = [painter](TCanvas* Canvas, const RECT& Rect, bool Selected, TdxBarItem* Item,
                                             const String& Caption, int Kind) {
    painter->DrawEntry(Canvas, Rect, Selected, Item, Caption, Kind);
  };
  try {
    item->DrawCustomizationEntry(canvas, ARect, AState.Contains(odSelected));
  } catch (...) {
    dxBarCustomizationEntryPainter = saved;
    throw;
  }
  dxBarCustomizationEntryPainter = saved;
}

void TdxBarCustomizationFormItemsListHelper::EraseBackground(TMessage& Message) {
  RECT client{};
  GetClientRect(ListBox()->Handle(), &client);
  const int count = ListBox()->Items()->Count();
  if (count > 0) {
    const RECT last = ListBox()->ItemRect(count - 1);
    client.top = std::max(client.top, last.bottom);
  }
  if (client.top < client.bottom) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(ListBox()->Color()));
    FillRect(reinterpret_cast<HDC>(Message.WParam), &client, brush);
    DeleteObject(brush);
  }
  Message.Result = 1;
}

void TdxBarCustomizationFormItemsListHelper::HotTrack() {
  POINT p{};
  GetCursorPos(&p);
  p = ListBox()->ScreenToClient(p);
  const int index = ListBox()->ItemAtPos(p, true);
  if (index < 0 || index == ListBox()->ItemIndex()) return;
  if (ListBox()->MultiSelect() && (GetKeyState(VK_LBUTTON) < 0 || ListBox()->SelCount() > 1)) return;
  ListBox()->SetItemIndex(index);
  if (ListBox()->MultiSelect()) {
    for (int i = 0; i < ListBox()->Items()->Count(); ++i) ListBox()->SetSelected(i, i == index);
  }
  TdxBarItem* item = ItemAtIndex(index);
  OwnerForm()->SetDescription(item ? item->Description() : String());
}

void TdxBarCustomizationFormItemsListHelper::SelectAt(int X, int Y) {
  const int index = ListBox()->ItemAtPos(POINT{X, Y}, true);
  if (index < 0) return;
  if (ListBox()->MultiSelect() && !ListBox()->Selected(index)) {
    for (int i = 0; i < ListBox()->Items()->Count(); ++i) ListBox()->SetSelected(i, i == index);
  }
  ListBox()->SetItemIndex(index);
}

void TdxBarCustomizationFormItemsListHelper::MouseDown(TMouseButton AButton, TShiftState, int X, int Y) {
  if (AButton == mbLeft) {
    TdxBarItem* item = ItemAtIndex(ListBox()->ItemAtPos(POINT{X, Y}, true));
    if (!item || !DragDetect(ListBox()->Handle(), ListBox()->ClientToScreen(POINT{X, Y}))) return;
    OwnerForm()->PushSelectionToDesigner(ListBox());
    if (TdxBarManager* manager = BarManager()) manager->DragItem(item, nullptr);
  } else if (AButton == mbRight) {
    ListBox()->SetFocus();
    SelectAt(X, Y);
    OwnerForm()->PushSelectionToDesigner(ListBox());
  }
}

void TdxBarCustomizationFormItemsListHelper::MouseUp(TMouseButton AButton, TShiftState, int X, int Y) {
  if (AButton == mbRight && IsDesigning())
    OwnerForm()->PopupListMenu(ListBox(), ListBox()->ClientToScreen(POINT{X, Y}));
}

void TdxBarCustomizationFormItemsListHelper::KeyDown(WORD& AKey, TShiftState AShift) {
  if (!IsDesigning()) return;
  if (NoModifiers(AShift)) {
    if (AKey == VK_INSERT) OwnerForm()->ExecuteListAction(claAddItem);
    if (AKey == VK_DELETE) OwnerForm()->ExecuteListAction(claDeleteItem);
  } else if (AShift.Contains(ssCtrl) && (AKey == VK_UP || AKey == VK_DOWN)) {
    OwnerForm()->ExecuteListAction(AKey == VK_UP ? claMoveUpItem : claMoveDownItem);
    AKey = 0;
  }
}

void TdxBarCustomizationFormItemsListHelper::DblClick() {
  if (TdxBarItem* item = ItemAtIndex(ListBox()->ItemIndex())) item->DesignerAction();
}

// ---- the run-time selection -------------------------------------------------------------------

TdxBarRunTimeSelectionController::TdxBarRunTimeSelectionController() : FSelection(new TcxComponentList) {
  // The selection frames follow the selection.
  FSelection->OnNotify = [](TObject*, TComponent* AComponent, TListNotification) {
    if (auto* bar = dynamic_cast<TdxBar*>(AComponent)) {
      if (TdxBarControl* window = bar->Control()) window->RepaintBar();
    } else if (IdxBarSelectableItem* selectable = BarSelectableItemOf(AComponent)) {
      selectable->RepaintSelection();
    }
  };
  FSelection->OnChange = [this](TObject*, TComponent*, TcxCollectionChangeKind AKind) {
    if (OnSelectionChanged) OnSelectionChanged(this, AKind);
  };
}

TdxBarRunTimeSelectionController::~TdxBarRunTimeSelectionController() {
  FSelection->OnNotify = nullptr;
  FSelection->OnChange = nullptr;
  delete FSelection;
}

void TdxBarRunTimeSelectionController::Select(TComponent* AComponent) {
  if (AComponent && FSelection->IndexOf(AComponent) >= 0) return;
  const bool isBar = dynamic_cast<TdxBar*>(AComponent) != nullptr;
  for (int i = FSelection->Count() - 1; i >= 0; --i) {
    TObject* selected = FSelection->Items(i);
    const bool sameKind = isBar ? dynamic_cast<TdxBar*>(selected) != nullptr
                                : dynamic_cast<TdxBarItem*>(selected) != nullptr;
    if (sameKind) FSelection->Delete(i);
  }
  if (AComponent) FSelection->Add(AComponent);
}

void TdxBarRunTimeSelectionController::GetSelection(TList* AList) {
  for (int i = 0; i < FSelection->Count(); ++i) AList->Add(FSelection->Items(i));
}

int TdxBarRunTimeSelectionController::GetSelectionStatus(TPersistent* AComponent) {
  auto* component = dynamic_cast<TComponent*>(AComponent);
  return component && FSelection->IndexOf(component) >= 0 ? 1 : 0;
}

void TdxBarRunTimeSelectionController::SelectComponent(TPersistent* AComponent, int AOperation) {
  if (AOperation == 0 || AOperation == 2) Select(dynamic_cast<TComponent*>(AComponent));
}

void TdxBarRunTimeSelectionController::SetSelection(TList* AList) {
  FSelection->LockNotify();
  try {
    for (int i = 0; i < AList->Count(); ++i)
      Select(dynamic_cast<TComponent*>(static_cast<TObject*>(AList->Items(i))));
  } catch (...) {
    FSelection->UnlockNotify();
    throw;
  }
  FSelection->UnlockNotify();
}
