#pragma once
// A toolbar's quick-customization popup: the small bar the customize mark drops down, with the
// links that found no room on the toolbar and the "Add or Remove Buttons" command, whose menu lists
// every link of the toolbar with a check cell that shows and switches the link's visibility.
#include "ui/bars/BarButton.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarSubMenuControl.h"

class TcxTimer;
class TcxObjectLink;

// The popup bar itself. It lives as long as its parent toolbar's mark stays dropped: whatever
// closes it goes through that mark.
class TdxBarQuickControl : public TdxBarControl {
  VW_CLASS(TdxBarQuickControl, TdxBarControl)
 public:
  explicit TdxBarQuickControl(TComponent* AOwner);
  ~TdxBarQuickControl() override;

  // Another bar took the selection while this popup is open but not active: unless the selection
  // comes back, the popup goes on the timer's tick.
  void StartHiding();
  TcxTimer* HidingTimer() const { return FHidingTimer; }

  TCustomForm* AnyParentForm() const override;
  TSize PopupSize() override;
  win::HBRUSH BackgroundBrush() const override;
  bool TouchesOwner() const override { return TCustomdxBarControl::TouchesOwner(); }
  bool IsPopupWindow() const override { return true; }
  bool HasQuickAccessExtra() const override { return true; }
  TWinControl* OwnerControl() const override;
  int BarKind() const override { return dxBarKindQuickCustomization; }
  bool HasFloatingCaption() const override { return false; }
  bool ShowsCaption() const override { return false; }
  bool CanHostQuickPopup() const override { return false; }
  void ShowAsPopup(const TRect& AOwnerRect) override;
  // The parent toolbar's mark goes back to normal, which frees this popup.
  void Dismiss() override;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void HidingTimerTick(TObject* Sender);
  TcxTimer* FHidingTimer = nullptr;
};

// ---- entries --------------------------------------------------------------------------------------

// An entry of the add-or-remove list: one item for the whole list, each of its links standing for
// one link of the toolbar (held in the entry link's Data).
class TdxBarQuickCustItem : public TdxBarButton {
  VW_CLASS(TdxBarQuickCustItem, TdxBarButton)
 public:
  explicit TdxBarQuickCustItem(TComponent* AOwner) : TdxBarButton(AOwner) {}
  // Shows or hides the toolbar link the clicked entry stands for.
  void Click() override;
};

// The toolbar link an entry link stands for; none once that link has left the toolbar being
// customized (or the popup has closed).
TdxBarItemLink* dxBarQuickCustRepresentedLink(TdxBarItemLink* AEntry);

// The reset and customize commands at the list's end.
class TdxBarQuickCustExtButton : public TdxBarButton {
  VW_CLASS(TdxBarQuickCustExtButton, TdxBarButton)
 public:
  explicit TdxBarQuickCustExtButton(TComponent* AOwner) : TdxBarButton(AOwner) {}
};

// A list entry drawn with a square check cell before the button.
class TdxCustomQuickCustItemControl : public TdxBarButtonControl {
  VW_CLASS(TdxCustomQuickCustItemControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  virtual bool IsLinkShown() const { return false; }
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  int RawWidth() override;
};

class TdxBarQuickCustItemControl : public TdxCustomQuickCustItemControl {
  VW_CLASS(TdxBarQuickCustItemControl, TdxCustomQuickCustItemControl)
 public:
  using TdxCustomQuickCustItemControl::TdxCustomQuickCustItemControl;
  bool IsLinkShown() const override;
  // Several entries can be switched in one opening of the list.
  bool ClosesBarsOnClick() const override { return false; }
  void Click(bool AByMouse) override;

  // What the entry shows is the represented link's and its item's.
  String CaptionText() const override;
  TBitmap* LinkGlyph() const override;
  int ItemImageIndex() const override;
  TBitmap* ItemLargeGlyph() const override;
  int ItemLargeImageIndex() const override;
  String HintText() const override;
  TShortCut ItemShortCut() const override;

 private:
  TdxBarItemLink* Represented() const { return dxBarQuickCustRepresentedLink(ItemLink()); }
};

class TdxBarQuickCustExtButtonControl : public TdxCustomQuickCustItemControl {
  VW_CLASS(TdxBarQuickCustExtButtonControl, TdxCustomQuickCustItemControl)
 public:
  using TdxCustomQuickCustItemControl::TdxCustomQuickCustItemControl;
  int ArrowAreaWidth() const override;
};

// The "Add or Remove Buttons" command: its menu is the toolbar's add-or-remove list, made afresh
// each time it opens.
class TdxBarQuickAccessItem : public TdxBarSubItem {
  VW_CLASS(TdxBarQuickAccessItem, TdxBarSubItem)
 public:
  explicit TdxBarQuickAccessItem(TComponent* AOwner);
  ~TdxBarQuickAccessItem() override;
  // The toolbar window whose links the list shows; none once it is gone.
  TdxBarControl* Toolbar() const;
  void SetToolbar(TdxBarControl* Value);
  TCustomdxBarControl* CreateSubMenuControl() override;
  void NotifyPopup() override;

 private:
  TcxObjectLink* FToolbar = nullptr;
};

class TdxBarQuickAccessSubControl : public TdxBarSubMenuControl {
  VW_CLASS(TdxBarQuickAccessSubControl, TdxBarSubMenuControl)
 public:
  using TdxBarSubMenuControl::TdxBarSubMenuControl;
  bool HasQuickAccessExtra() const override { return true; }
};
