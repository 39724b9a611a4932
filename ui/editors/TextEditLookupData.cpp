#include "ui/editors/TextEditLookupData.h"

#include "platform/classes/SysUtils.h"
#include "platform/classes/Utf8.h"
#include "platform/win/Window.h"
#include "ui/editors/TextEdit.h"

using namespace win;

namespace {

// The lookup-change flag set for the rest of a scope.
class TLookupChange {
 public:
  explicit TLookupChange(TcxCustomTextEdit* Edit) : FEdit(Edit) {
    if (FEdit) FEdit->SetLookupChangeFlag();
  }
  ~TLookupChange() {
    if (FEdit) FEdit->ClearLookupChangeFlag();
  }
  TLookupChange(const TLookupChange&) = delete;
  TLookupChange& operator=(const TLookupChange&) = delete;

 private:
  TcxCustomTextEdit* FEdit;
};

// The first Count characters of S equal Prefix, ignoring case.
bool StartsWithIgnoringCase(const String& S, const String& Prefix, int Count) {
  return AnsiSameText(Utf8Left(S, Count), Prefix) && Utf8Count(S) >= Count;
}

}  // namespace

TcxCustomTextEditLookupData::TcxCustomTextEditLookupData(TPersistent* AOwner)
    : TcxInterfacedPersistent(AOwner), FOwnerEdit(dynamic_cast<TcxCustomTextEdit*>(AOwner)) {}

TcxCustomTextEditProperties* TcxCustomTextEditLookupData::OwnerEditProperties() const {
  return FOwnerEdit ? FOwnerEdit->ActiveTextProperties() : nullptr;
}

TStrings* TcxCustomTextEditLookupData::LookupItemList() const {
  TcxCustomTextEditProperties* properties = OwnerEditProperties();
  return properties ? properties->LookupItems() : nullptr;
}

String TcxCustomTextEditLookupData::ItemDisplayText(int Index) { return LookupItemList()->Strings(Index); }

int TcxCustomTextEditLookupData::ItemCount() {
  TStrings* items = LookupItemList();
  return items ? items->Count() : 0;
}

void TcxCustomTextEditLookupData::TakeListSelection() {
  if (FListBox) FListItemIndex = FListBox->ItemIndex();
}

int TcxCustomTextEditLookupData::IndexOfText(const String& Text) {
  int count = ItemCount();
  for (int i = 0; i < count; ++i)
    if (AnsiSameText(ItemDisplayText(i), Text)) return i;
  return -1;
}

void TcxCustomTextEditLookupData::ChangeCurrentItem(int Index) {
  if (Index < -1 || Index >= ItemCount()) return;
  FCurrentKey = Index;
  SetListItemIndex(Index);
}

void TcxCustomTextEditLookupData::SetListItemIndex(int Index) {
  if (Index < -1 || Index >= ItemCount()) return;
  if (Index == FListItemIndex && Index != -1) return;
  if (FListBox && ItemCount() > 0) {
    // Going to 0 first scrolls a list that had no selection back to its top.
    if (Index == -1) FListBox->SetItemIndex(0);
    FListBox->SetItemIndex(Index);
  }
  FListItemIndex = Index;
}

void TcxCustomTextEditLookupData::SetCurrentKey(const Variant& Key) {
  SetCurrentItemKey(VarIsNull(Key) || VarIsEmpty(Key) ? -1 : Key.AsInteger());
}

void TcxCustomTextEditLookupData::SetCurrentItemKey(int Key) {
  int old = FCurrentKey;
  ChangeCurrentItem(Key);
  TLookupChange change(FOwnerEdit);
  if (FCurrentKey == old) {
    // The same item again: only a text that no longer spells it exactly is put right.
    if (FCurrentKey >= 0 && FCurrentKey < ItemCount() && FOwnerEdit &&
        ItemDisplayText(FCurrentKey) != FOwnerEdit->Text())
      FirePickItem();
  } else {
    FirePickItem();
  }
}

void TcxCustomTextEditLookupData::PickItem() {
  if (FListItemIndex == -1) return;
  if (FCurrentKey != FListItemIndex && FOwnerEdit && !FOwnerEdit->RequestEditing()) return;
  int before = FCurrentKey;
  SetCurrentItemKey(FListItemIndex);
  if (FCurrentKey == before) FirePickItem();
}

void TcxCustomTextEditLookupData::FirePickItem() {
  if (FOnSelectItem) FOnSelectItem(this);
}

String TcxCustomTextEditLookupData::DisplayTextOfKey(int Key) {
  if (Key < 0 || Key >= ItemCount()) return String();
  return ItemDisplayText(Key);
}

String TcxCustomTextEditLookupData::DisplayText(const Variant& Key) {
  return DisplayTextOfKey(VarIsNull(Key) || VarIsEmpty(Key) ? -1 : Key.AsInteger());
}

bool TcxCustomTextEditLookupData::IsScreenPointOverList(const TPoint& ScreenPoint) {
  if (!FListBox || !FListBox->HandleAllocated()) return false;
  POINT p{ScreenPoint.X, ScreenPoint.Y};
  ScreenToClient(FListBox->Handle(), &p);
  RECT r;
  GetClientRect(FListBox->Handle(), &r);
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void TcxCustomTextEditLookupData::SyncListToKey() {
  if (FOwnerEdit && FOwnerEdit->IsEditingQueryRunning()) return;
  SetListItemIndex(FCurrentKey);
}

void TcxCustomTextEditLookupData::SyncListItemCount() {
  if (FListBox) FListBox->SetRowCount(ItemCount());
}

void TcxCustomTextEditLookupData::GoTo(TcxEditLookupDirection Direction, bool Wrap) {
  const int n = ItemCount();
  if (n == 0) return;
  TcxCustomTextEditProperties* properties = OwnerEditProperties();
  const int rows = properties ? properties->DropDownRowCount() : 8;
  const int i = FListItemIndex != -1 ? FListItemIndex : FCurrentKey;
  int a = i;
  switch (Direction) {
    case egdFirst: a = 0; break;
    case egdLast: a = n - 1; break;
    case egdNext: a = i == n - 1 ? (Wrap ? 0 : i) : i + 1; break;
    case egdPrior:
      a = i - 1;
      if (a < 0) a = Wrap ? n - 1 : i;
      break;
    case egdPageUp:
      if (i == -1) {
        a = Wrap ? n - 1 : -1;
      } else {
        a = i - rows + 1;
        if (a < 0) a = Wrap && i == 0 ? n - 1 : 0;
      }
      break;
    case egdPageDown:
      a = i == -1 ? rows - 1 : i + rows - 1;
      if (a >= n) a = Wrap && i == n - 1 ? 0 : n - 1;
      break;
  }
  bool atOnce = !FListBox || !FListBox->IsShowingOnScreen() ||
                (properties && properties->ImmediateUpdateText() && FOwnerEdit && FOwnerEdit->RequestEditing());
  if (atOnce)
    SetCurrentItemKey(a);
  else
    SetListItemIndex(a);
}

void TcxCustomTextEditLookupData::ApplyNotFoundRule(bool WholeText, const String& Text) {
  TcxCustomTextEditProperties* properties = OwnerEditProperties();
  TcxEditTypingMode mode = properties ? properties->TypingMode() : etmFree;
  bool reset = false;
  switch (mode) {
    case etmLookupOnly: reset = WholeText || Text.empty(); break;
    case etmListOnly: reset = WholeText; break;
    default: reset = true; break;
  }
  if (reset) ChangeCurrentItem(-1);
}

bool TcxCustomTextEditLookupData::LocateTypedText(String& Text, String& Tail, bool FromNext, bool WholeText) {
  Tail.clear();
  const int n = ItemCount();
  if (n == 0) {
    ApplyNotFoundRule(WholeText, Text);
    return false;
  }
  TcxCustomTextEditProperties* properties = OwnerEditProperties();
  TcxEditTypingMode mode = properties ? properties->TypingMode() : etmFree;
  if (WholeText) {
    // An item equal to the whole text wins over one that merely starts with it; a text edited
    // freely is an item only when it is one.
    int index = IndexOfText(Text);
    if (index >= 0) {
      ChangeCurrentItem(index);
      return true;
    }
    if ((properties && properties->WholeTextLookup()) || mode == etmFree) {
      ChangeCurrentItem(-1);
      return false;
    }
  }
  const int length = Utf8Count(Text);
  if (length > 0) {
    const int start = FromNext ? FListItemIndex : -1;
    for (int i = start + 1; i < n; ++i) {
      String item = ItemDisplayText(i);
      if (!StartsWithIgnoringCase(item, Text, length)) continue;
      if (mode != etmFree) Text = Utf8Left(item, length);
      Tail = item.substr(Utf8ByteOffset(item, length));
      ChangeCurrentItem(i);
      return true;
    }
  }
  ApplyNotFoundRule(WholeText, Text);
  return false;
}

void TcxCustomTextEditLookupData::MatchTextToItemHook() {
  if (!FOwnerEdit || FOwnerEdit->IsEditingQueryRunning()) return;
  String text = FOwnerEdit->Text();
  if (FListItemIndex < ItemCount() && FListItemIndex >= 0 && AnsiSameText(DisplayTextOfKey(FListItemIndex), text)) {
    return;
  }
  String tail;
  LocateTypedText(text, tail, false, true);
}

void TcxCustomTextEditLookupData::PrepareListBoxHook(TComponent* AOwner) {
  if (!FListBox) {
    if (TClass listClass = ListBoxClass()) FListBox = static_cast<TcxCustomEditListBox*>(listClass->Create(AOwner));
  }
  if (!FListBox) return;
  if (FOwnerEdit) {
    FListBox->SetColor(FOwnerEdit->BackgroundColor());
    FListBox->Font()->Assign(FOwnerEdit->EffectiveFont());
  }
  FListBox->Canvas()->Font()->Assign(FListBox->Font());
  if (auto* parent = dynamic_cast<TWinControl*>(AOwner)) FListBox->SetParent(parent);
  FListBox->OnSelectionChanged = [this](TObject*) { TakeListSelection(); };
  FListBox->SetRowCount(ItemCount());
  FListBox->SetItemIndex(FListItemIndex);
  FListBox->PrepareItemLayout();
  MatchTextToItemHook();
}

void TcxCustomTextEditLookupData::ReleaseListBox() {
  delete FListBox;
  FListBox = nullptr;
}

void TcxCustomTextEditLookupData::PlaceListBoxHook(const TRect& R) {
  FListBox->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
  if (FListBox->HandleAllocated()) FListBox->RefreshScrollWidth(FListBox->ScrollWidth());
}
