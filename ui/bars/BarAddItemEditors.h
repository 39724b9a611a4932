#pragma once
// The dialogs that add to a manager: a new item of a registered kind, and existing items and
// groups to a group.
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Lists.h"
#include "platform/classes/StdCtrls.h"

class TdxBarGroup;
class TdxBarItem;
class TdxBarManager;

class TdxBarItemAddEditor : public TForm {
  VW_CLASS(TdxBarItemAddEditor, TForm)
 public:
  explicit TdxBarItemAddEditor(TComponent* AOwner);

  TComboBox* ComboBox1 = nullptr;  // the kind of item
  TComboBox* ComboBox2 = nullptr;  // the category
  TEdit* Edit1 = nullptr;          // the name
  TEdit* Edit2 = nullptr;          // the caption
  TButton* BOk = nullptr;
  TButton* BCancel = nullptr;

  // Fills the lists for the manager, the category at ACategory (the first when out of range).
  void Setup(TdxBarManager* AManager, int ACategory);
  TdxBarItem* CreatedItem() const { return FItem; }

  void ComboBox1Click(TObject* Sender);
  void FormShow(TObject* Sender);
  void BOkClick(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  TdxBarManager* FManager = nullptr;
  TdxBarItem* FItem = nullptr;
};

// A new item of the manager's registered kinds, named, categorised and captioned; nil when
// cancelled.
TdxBarItem* ShowAddItemDialog(TdxBarManager* ABarManager, int ACategory);

class TfrmAddGroupItems : public TForm {
  VW_CLASS(TfrmAddGroupItems, TForm)
 public:
  explicit TfrmAddGroupItems(TComponent* AOwner);

  TListBox* lbGroupItems = nullptr;
  TButton* btnOK = nullptr;
  TButton* btnCancel = nullptr;

  // Lists what can join AGroup; on OK the chosen components are appended to AList.
  void Setup(TdxBarGroup* AGroup, TList* AList);

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void lbGroupItemsDrawItem(TWinControl* Control, int Index, win::RECT Rect, TOwnerDrawState State);
  void lbGroupItemsMeasureItem(TWinControl* Control, int Index, int& Height);

 protected:
  void Loaded() override;

 private:
  void ListWndProc(TMessage& Message);

  TdxBarGroup* FGroup = nullptr;
  TList* FList = nullptr;
  std::function<void(TMessage&)> FPrevListWndProc;
};

// Lets the user choose items and groups to add to AGroup; true when accepted, the choice then
// appended to AList.
bool ShowAddGroupItemsDialog(TdxBarGroup* AGroup, TList* AList);
