#include "ui/bars/BarAddItemEditors.h"

#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarEditorFormHelpers.h"
#include "ui/bars/BarItem.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/LibraryStrings.h"

using namespace win;
using namespace dxBarStrs;

using namespace dxBarEditorForms;

// ---- the add-item dialog -------------------------------------------------------------------------

TdxBarItemAddEditor::TdxBarItemAddEditor(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("ComboBox1Click", &TdxBarItemAddEditor::ComboBox1Click);
  RegisterHandler("FormShow", &TdxBarItemAddEditor::FormShow);
  RegisterHandler("BOkClick", &TdxBarItemAddEditor::BOkClick);
}

void TdxBarItemAddEditor::Loaded() {
  TForm::Loaded();
  FindChild(this, ComboBox1, "ComboBox1");
  FindChild(this, ComboBox2, "ComboBox2");
  FindChild(this, Edit1, "Edit1");
  FindChild(this, Edit2, "Edit2");
  FindChild(this, BOk, "BOk");
  FindChild(this, BCancel, "BCancel");
  BOk->SetCaption(cxGetResourceString(dxSBAR_OK));
  BCancel->SetCaption(cxGetResourceString(dxSBAR_CANCEL));
}

void TdxBarItemAddEditor::Setup(TdxBarManager* AManager, int ACategory) {
  FManager = AManager;
  ComboBox2->Items()->Assign(AManager->Categories());
  ComboBox2->SetItemIndex(ACategory >= 0 && ACategory < ComboBox2->Items()->Count() ? ACategory : 0);
  TdxBarItemList* classes = BarItemClasses();
  for (int i = 0; classes && i < classes->ListedCount(); ++i)
    ComboBox1->Items()->Add(classes->ListedItemClass(i)->ClassName());
  ComboBox1->SetItemIndex(0);
  ComboBox1Click(ComboBox1);
}

void TdxBarItemAddEditor::ComboBox1Click(TObject*) {
  TdxBarItemList* classes = BarItemClasses();
  const int index = ComboBox1->ItemIndex();
  if (!FManager || !classes || index < 0 || index >= classes->ListedCount()) return;
  Edit1->SetText(FManager->GetUniqueItemName(classes->ListedItemClass(index)));
}

void TdxBarItemAddEditor::FormShow(TObject*) {
  if (Edit1->CanFocus()) Edit1->SetFocus();
}

void TdxBarItemAddEditor::BOkClick(TObject*) {
  TdxBarItemList* classes = BarItemClasses();
  const int index = ComboBox1->ItemIndex();
  if (!FManager || !classes || index < 0 || index >= classes->ListedCount()) return;
  FItem = nullptr;
  TdxBarItem* item = nullptr;
  try {
    item = static_cast<TdxBarItem*>(TComponent::Create(classes->ListedItemClass(index), FManager->Owner()));
    item->SetName(Edit1->Text());
    item->SetCategory(ComboBox2->ItemIndex());
    item->SetCaption(Edit2->Text());
    FItem = item;
  } catch (const Exception&) {
    // The user corrects the name in place: no message, a fresh proposal, the dialog stays.
    TObject::Free(item);
    ComboBox1Click(ComboBox1);
    SetModalResult(mrNone);
  }
}

TdxBarItem* ShowAddItemDialog(TdxBarManager* ABarManager, int ACategory) {
  if (!ABarManager) return nullptr;
  auto dialog = MakeDialog<TdxBarItemAddEditor>();
  dialog->Setup(ABarManager, ACategory);
  return dialog->ShowModal() == mrOk ? dialog->CreatedItem() : nullptr;
}

// ---- the add-group-items dialog ------------------------------------------------------------------

namespace {

constexpr char kHeaderMark = '~';

}  // namespace

TfrmAddGroupItems::TfrmAddGroupItems(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TfrmAddGroupItems::FormCreate);
  RegisterHandler("FormDestroy", &TfrmAddGroupItems::FormDestroy);
  RegisterHandler("FormCloseQuery", &TfrmAddGroupItems::FormCloseQuery);
  RegisterHandler("lbGroupItemsDrawItem", &TfrmAddGroupItems::lbGroupItemsDrawItem);
  RegisterHandler("lbGroupItemsMeasureItem", &TfrmAddGroupItems::lbGroupItemsMeasureItem);
}

void TfrmAddGroupItems::Loaded() {
  TForm::Loaded();
  FindChild(this, lbGroupItems, "lbGroupItems");
  FindChild(this, btnOK, "btnOK");
  FindChild(this, btnCancel, "btnCancel");
  btnOK->SetCaption(cxGetResourceString(dxSBAR_OK));
  btnCancel->SetCaption(cxGetResourceString(dxSBAR_CANCEL));
}

void TfrmAddGroupItems::FormCreate(TObject*) {
  // Rows span the list's width: a wider list must redraw them whole.
  HWND list = lbGroupItems->Handle();
  SetClassLong(list, GCL_STYLE, static_cast<LONG>(GetClassLong(list, GCL_STYLE) | CS_HREDRAW));
  FPrevListWndProc = lbGroupItems->WindowProc;
  lbGroupItems->WindowProc = [this](TMessage& Message) { ListWndProc(Message); };
}

void TfrmAddGroupItems::FormDestroy(TObject*) {
  if (lbGroupItems && FPrevListWndProc) lbGroupItems->WindowProc = FPrevListWndProc;
  FPrevListWndProc = nullptr;
}

void TfrmAddGroupItems::ListWndProc(TMessage& Message) {
  // Every row paints itself whole: erasing first would only flicker.
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  FPrevListWndProc(Message);
  // The list shows button face below its last row; the list fills that space with its window
  // colour as it paints, so the face goes on top once it has.
  if (Message.Msg == WM_PAINT && lbGroupItems->HandleAllocated()) {
    RECT below = lbGroupItems->ClientRect();
    const int count = lbGroupItems->Items()->Count();
    if (count > 0) below.top = lbGroupItems->ItemRect(count - 1).bottom;
    if (below.top >= below.bottom) return;
    HWND list = lbGroupItems->Handle();
    HDC dc = GetDC(list);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    FillRect(dc, &below, brush);
    DeleteObject(brush);
    ReleaseDC(list, dc);
  }
}

void TfrmAddGroupItems::Setup(TdxBarGroup* AGroup, TList* AList) {
  FGroup = AGroup;
  FList = AList;
  TdxBarManager* manager = AGroup->BarManager();
  if (!manager) return;
  Font()->Assign(manager->Font());
  TStrings* rows = lbGroupItems->Items();
  rows->BeginUpdate();
  if (manager->GroupCount() > 1) {
    rows->Add(String(1, kHeaderMark) + "< Groups >");
    for (int i = 0; i < manager->GroupCount(); ++i)
      if (TdxBarGroup* group = manager->Groups(i); group != AGroup) rows->AddObject(group->Name(), group);
  }
  for (int c = 0; c < manager->Categories()->Count(); ++c) {
    const std::vector<TdxBarItem*> items = manager->GetItemsByCategory(c);
    if (items.empty()) continue;
    rows->Add(String(1, kHeaderMark) + manager->Categories()->Strings(c));
    for (TdxBarItem* item : items) rows->AddObject(item->Caption(), item);
  }
  rows->EndUpdate();
}

void TfrmAddGroupItems::lbGroupItemsMeasureItem(TWinControl*, int, int& Height) {
  lbGroupItems->Canvas()->Font()->Assign(lbGroupItems->Font());
  Height = lbGroupItems->Canvas()->TextHeight("Qq") + 2;
}

void TfrmAddGroupItems::lbGroupItemsDrawItem(TWinControl*, int Index, RECT Rect, TOwnerDrawState State) {
  TCanvas* canvas = lbGroupItems->Canvas();
  TStrings* rows = lbGroupItems->Items();
  const String text = rows->Strings(Index);
  TObject* object = rows->Objects(Index);
  canvas->Font()->Assign(lbGroupItems->Font());
  if (!text.empty() && text[0] == kHeaderMark) {
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Font()->SetColor(clBtnText);
    canvas->TextRect(Rect, Rect.left + 2, Rect.top + 1, text.substr(1));
  } else {
    const bool selected = State.Contains(odSelected);
    auto* component = dynamic_cast<TdxBarComponent*>(object);
    const bool member = component && FGroup && FGroup->IndexOf(component) >= 0;
    TColor back = selected ? clHighlight : clWindow;
    TColor fore = selected ? clHighlightText : clWindowText;
    if (member) {
      back = clWindow;
      fore = clBtnFace;
    }
    canvas->Brush()->SetColor(back);
    canvas->Font()->SetColor(fore);
    auto* item = dynamic_cast<TdxBarItem*>(object);
    if (!item) {
      canvas->TextRect(Rect, Rect.left, Rect.top, "   " + text);
    } else {
      RECT left = Rect, right = Rect;
      left.right = (Rect.left + Rect.right) / 2;
      right.left = left.right + 1;
      canvas->TextRect(left, left.left, left.top, "   " + text);
      canvas->TextRect(right, right.left, right.top, "   " + item->Name());
      canvas->Brush()->SetColor(selected ? clHighlightText : clWindowText);
      canvas->FillRect(RECT{left.right, Rect.top, right.left, Rect.bottom});
    }
  }
}

void TfrmAddGroupItems::FormCloseQuery(TObject*, bool&) {
  if (ModalResult() != mrOk || !FList) return;
  TStrings* rows = lbGroupItems->Items();
  for (int i = 0; i < rows->Count(); ++i)
    if (lbGroupItems->Selected(i))
      // Header rows stand for nothing.
      if (auto* component = dynamic_cast<TComponent*>(rows->Objects(i))) FList->Add(component);
}

bool ShowAddGroupItemsDialog(TdxBarGroup* AGroup, TList* AList) {
  if (!AGroup) return false;
  auto dialog = MakeDialog<TfrmAddGroupItems>();
  dialog->Setup(AGroup, AList);
  return dialog->ShowModal() == mrOk;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TdxBarItemAddEditor, TfrmAddGroupItems>();
  return true;
}();

}  // namespace
