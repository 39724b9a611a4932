#pragma once
// Between a text editor and its lookup items: which item is current (the editor's item index),
// which row an open list shows selected, how typed text finds an item (incremental search), and
// the list box a drop-down editor shows the items in, made, filled and placed on demand.
#include <memory>

#include "platform/classes/Variant.h"
#include "ui/editors/EditListBox.h"
#include "ui/foundation/Interfaced.h"

class TcxCustomTextEdit;
class TcxCustomTextEditProperties;

// Go's directions.
enum TcxEditLookupDirection { egdFirst, egdLast, egdNext, egdPrior, egdPageUp, egdPageDown };

// How the editors reach their lookup data.
class IcxTextEditLookupData : public virtual IInterface {
 public:
  virtual bool FitListToSize(const TSize& Request) = 0;
  virtual void SyncListToCurrentKey() = 0;
  virtual TObject* GetObject() = 0;
  virtual void PopupInitializing() = 0;
  virtual void TypedPrefix(const String& Text) = 0;
  virtual bool ContainsText(const String& Text) = 0;
  virtual TWinControl* ActiveControl() = 0;
  virtual Variant CurrentKey() = 0;
  virtual String DisplayText(const Variant& Key) = 0;
  virtual TNotifyEvent OnCurrentKeyChanged() = 0;
  virtual TNotifyEvent OnSelectItem() = 0;
  virtual TSize MeasureList() = 0;
  virtual void Go(TcxEditLookupDirection Direction, bool Wrap) = 0;
  virtual void PrepareListBox(TComponent* AOwner) = 0;
  virtual bool IsEmpty() = 0;
  virtual bool IsPointOverList(const TPoint& ScreenPoint) = 0;
  virtual bool Locate(String& Text, String& Tail, bool FromNext) = 0;
  virtual void PlaceListBox(const TRect& R) = 0;
  virtual void RefreshListItems() = 0;
  virtual void SelectItem() = 0;
  virtual void SetCurrentKey(const Variant& Key) = 0;
  virtual void SetOnCurrentKeyChanged(TNotifyEvent Value) = 0;
  virtual void SetOnSelectItem(TNotifyEvent Value) = 0;
  virtual void MatchTextToItem() = 0;
};

class TcxCustomTextEditLookupData : public TcxInterfacedPersistent, public IcxTextEditLookupData {
  VW_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)
 public:
  using CreateArgType = TPersistent;
  explicit TcxCustomTextEditLookupData(TPersistent* AOwner);

  int CurrentItemKey() const { return FCurrentKey; }
  int ListItemIndex() const { return FListItemIndex; }
  TcxCustomEditListBox* ListBox() const { return FListBox; }
  // Frees the list before the popup that owns it goes.
  void ReleaseListBox();

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual String ItemDisplayText(int Index);
  virtual int ItemCount();
  // Null: no list box (the combo box answers its own).
  virtual TClass ListBoxClass() { return nullptr; }
  virtual void TakeListSelection();
  virtual bool LocateTypedText(String& Text, String& Tail, bool FromNext, bool WholeText);
  virtual void SyncListItemCount();
  virtual bool FitListToSizeHook(const TSize&) { return true; }
  virtual void PopupInitializingHook() {}
  virtual void TypedPrefixHook(const String&) {}
  virtual bool ContainsTextHook(const String& Text) { return IndexOfText(Text) >= 0; }
  virtual TSize MeasureListHook() { return TSize(0, 0); }
  virtual void PrepareListBoxHook(TComponent* AOwner);
  virtual void PlaceListBoxHook(const TRect& R);
  virtual void RefreshListItemsHook() { SyncListItemCount(); }
  virtual void MatchTextToItemHook();

  // ---- non-virtual operations ------------------------------------------------------------------------
  TcxCustomTextEdit* OwnerEdit() const { return FOwnerEdit; }
  TcxCustomTextEditProperties* OwnerEditProperties() const;
  TStrings* LookupItemList() const;
  int IndexOfText(const String& Text);
  void ChangeCurrentItem(int Index);
  void SetListItemIndex(int Index);
  void SetCurrentItemKey(int Key);
  void PickItem();
  void GoTo(TcxEditLookupDirection Direction, bool Wrap);
  bool IsEmptyList() { return ItemCount() == 0; }
  bool IsScreenPointOverList(const TPoint& ScreenPoint);
  void FirePickItem();
  void SyncListToKey();
  String DisplayTextOfKey(int Key);

  // ---- IcxTextEditLookupData -------------------------------------------------------------------------
  bool FitListToSize(const TSize& Request) override { return FitListToSizeHook(Request); }
  void SyncListToCurrentKey() override { SyncListToKey(); }
  TObject* GetObject() override { return this; }
  void PopupInitializing() override { PopupInitializingHook(); }
  void TypedPrefix(const String& Text) override { TypedPrefixHook(Text); }
  bool ContainsText(const String& Text) override { return ContainsTextHook(Text); }
  TWinControl* ActiveControl() override { return FListBox; }
  Variant CurrentKey() override { return Variant(FCurrentKey); }
  String DisplayText(const Variant& Key) override;
  TNotifyEvent OnCurrentKeyChanged() override { return FOnCurrentKeyChanged; }
  TNotifyEvent OnSelectItem() override { return FOnSelectItem; }
  TSize MeasureList() override { return MeasureListHook(); }
  void Go(TcxEditLookupDirection Direction, bool Wrap) override { GoTo(Direction, Wrap); }
  void PrepareListBox(TComponent* AOwner) override { PrepareListBoxHook(AOwner); }
  bool IsEmpty() override { return IsEmptyList(); }
  bool IsPointOverList(const TPoint& ScreenPoint) override { return IsScreenPointOverList(ScreenPoint); }
  bool Locate(String& Text, String& Tail, bool FromNext) override { return LocateTypedText(Text, Tail, FromNext, false); }
  void PlaceListBox(const TRect& R) override { PlaceListBoxHook(R); }
  void RefreshListItems() override { RefreshListItemsHook(); }
  void SelectItem() override { PickItem(); }
  void SetCurrentKey(const Variant& Key) override;
  void SetOnCurrentKeyChanged(TNotifyEvent Value) override { FOnCurrentKeyChanged = std::move(Value); }
  void SetOnSelectItem(TNotifyEvent Value) override { FOnSelectItem = std::move(Value); }
  void MatchTextToItem() override { MatchTextToItemHook(); }

 private:
  void ApplyNotFoundRule(bool WholeText, const String& Text);

  int FCurrentKey = -1;
  int FListItemIndex = -1;
  TcxCustomEditListBox* FListBox = nullptr;
  TcxCustomTextEdit* FOwnerEdit;
  TNotifyEvent FOnCurrentKeyChanged;
  TNotifyEvent FOnSelectItem;
};
