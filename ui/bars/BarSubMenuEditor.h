#pragma once
// The sub-menu editor: a caption bar with the edited menu hanging open below it, so the menu's
// links can be arranged by dragging while customizing. It is as wide as the menu and cannot be
// resized; moving it carries the menu along, and closing it closes the menu.
#include <functional>

#include "platform/classes/Forms.h"

class TdxBarItemLinks;
class TdxBarManager;
class TdxBarSubMenuControl;

class TdxBarSubMenuEditor : public TForm {
  VW_CLASS(TdxBarSubMenuEditor, TForm)
 public:
  explicit TdxBarSubMenuEditor(TComponent* AOwner);

  TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
  // Nil links free the editor (released once its window exists); others are followed until
  // their owner component goes away.
  void SetItemLinks(TdxBarItemLinks* Value);
  // The menu window of the links while it is open.
  TdxBarSubMenuControl* SubMenu() const;

  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void DoShow() override;

 private:
  void CloseSubMenu();
  void FollowWithSubMenu();

  TdxBarItemLinks* FItemLinks = nullptr;
  TComponent* FLinksOwner = nullptr;
  int FSubMenuWidth = 0;
};

// The one open sub-menu editor, or nil.
extern TdxBarSubMenuEditor* SubMenuEditorInstance;

// Opens (or reuses) the editor for the links, the links' manager customizing.
void ShowSubMenuEditor(TdxBarItemLinks* AItemLinks);

// Set by the customization dialog's unit: brings its Commands page to the front while the dialog
// is open, so commands can be dragged into the edited menu.
extern std::function<void(TdxBarManager* AManager)> dxBarCustomizingFormShowCommandsPage;
