#pragma once
// The small editor forms the customization dialog and the manager open: the name dialog for
// toolbars and categories, the sub-menu editor, the add-item dialog and the add-group-items
// dialog. Each is read from its stored form description; every text they show goes through the
// library's resource strings where the library has one.
#include <functional>

#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"

class TdxBar;
class TdxBarManager;

// What the name dialog names.
enum TdxBarNameKind { nkToolbar = 0, nkCategory = 1 };

class TdxBarNameEd : public TForm {
  VW_CLASS(TdxBarNameEd, TForm)
 public:
  explicit TdxBarNameEd(TComponent* AOwner);

  TLabel* LName = nullptr;
  TEdit* EName = nullptr;
  TButton* BOK = nullptr;
  TButton* BCancel = nullptr;

  // Kind 0 toolbar, 1 category; ABar is the toolbar being renamed (nil when adding).
  void Setup(int AKind, TdxBar* ABar, TdxBarManager* AManager);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void ENameChange(TObject* Sender);

 protected:
  void Loaded() override;
  void CreateParams(TCreateParams& Params) override;

 private:
  int FKind = nkToolbar;
  TdxBarManager* FManager = nullptr;
  TdxBar* FBar = nullptr;
};

// Asks for a toolbar's or a category's name. Mode for a toolbar: 0 add, 1 rename; for a category:
// 0 add, 1 insert, 2 rename. True when accepted; AName then holds the new name.
bool ShowNameDialog(String& AName, int AKind, int AMode, TdxBar* ABar, TdxBarManager* AManager);
