#pragma once
// The main menu bar of an MDI main form behaves as a native MDI menu bar: a maximized document's
// window menu stands as the bar's first command, showing the document's icon, and its entries
// become bar commands each time that menu opens.
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"

class TComponentList;

// The window menu of one MDI document, as the first command of the main menu bar. The manager
// keeps it as an internal item, out of its item list.
class TSystemMenuSubItem : public TCustomdxBarSubItem {
  VW_CLASS(TSystemMenuSubItem, TCustomdxBarSubItem)
 public:
  explicit TSystemMenuSubItem(TComponent* AOwner);
  ~TSystemMenuSubItem() override;

  win::HWND Child() const { return FChild; }
  void SetChild(win::HWND Value);
  // A 16 x 16 copy of the document's small icon (else its big one) that the caller destroys; nil
  // when the document has none.
  win::HICON CopyIcon() const;

  // The entries are made again from the document's current window menu each time it opens.
  void NotifyPopup() override;
  // The entries made by the last opening; they go with the next opening or with this item.
  TComponentList* GeneratedItems() const { return FGeneratedItems; }

 private:
  void FillMenu();
  void FillLinks(win::HMENU AMenu, TdxBarItemLinks* ALinks);

  win::HWND FChild = nullptr;
  TComponentList* FGeneratedItems;
};

// The document's icon on the main menu bar: a double click runs the window menu's default command.
class TSystemMenuSubItemControl : public TdxBarSubItemControl {
  VW_CLASS(TSystemMenuSubItemControl, TdxBarSubItemControl)
 public:
  using TdxBarSubItemControl::TdxBarSubItemControl;

  bool IsOwnItem() const override { return false; }
  bool IsSelectable() const override;
  // Draws a fresh copy of the icon over the whole rectangle and destroys it again.
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  int RawHeight() override;
  int RawWidth() override;
  bool LinksMenuToOwner() const override { return false; }
  bool HostsSubMenu() const override { return false; }
  bool CanDropDown() const override;
  bool WantsDoubleClick() const override { return true; }
  void DoubleClick() override;
};
