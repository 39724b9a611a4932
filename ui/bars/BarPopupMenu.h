#pragma once
// The popup menu component: item links a form shows as a context menu at a screen point, beside
// or below an owner element, with or without its own modal message loop. Drop-down buttons and
// the customization dialog show their menus through it too; the manager lists its popup menus.
#include <functional>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Menus.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarSubItem.h"

class TCustomdxBarControl;
class TdxBarItemControl;
class TdxBarManager;
class TWinControl;

// Draws the strip left of the items (BarSize wide) into R.
using TdxBarPopupMenuPaintBarEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TdxBarCustomPopupMenu : public TdxBarComponent, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  VW_CLASS(TdxBarCustomPopupMenu, TdxBarComponent)
 public:
  // Raises EdxException when the program has no bar manager at all.
  explicit TdxBarCustomPopupMenu(TComponent* AOwner);
  ~TdxBarCustomPopupMenu() override;

  // ---- overrides of the bar component: a popup menu is always enabled, and shows only when asked ----
  bool Enabled() const override { return true; }
  void SetEnabled(bool) override {}
  void SetVisible(TdxBarItemVisible) override {}
  void Changed(bool AAllItems = false) override;

  // ---- new virtual operations, in slot order ----
  virtual TClass MenuControlClass() const;
  virtual TClass ItemLinksClass() const;
  // Descendants whose menu window stands apart from the ordinary one answer true.
  virtual bool HasSpecialMenuControl() const { return false; }
  // A new menu window of MenuControlClass, owned by the bar manager.
  virtual TCustomdxBarControl* CreateMenuControl();
  virtual void FirePaintBar(TCanvas* ACanvas, const TRect& R);

  // ---- properties ----
  TBitmap* BackgroundBitmap() const { return FBackgroundBitmap; }
  void SetBackgroundBitmap(TBitmap* Value) { FBackgroundBitmap->Assign(Value); }
  // Moves the menu to the manager's popup list; nil and the current manager are ignored.
  void SetBarManager(TdxBarManager* Value);
  // The manager is going away: the menu leaves its list and keeps no reference to it.
  void DetachFromManager();
  int BarSize() override { return FBarSize; }
  int BarSize() const { return FBarSize; }
  // Below 0 stores 0.
  void SetBarSize(int Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  // The font the menu's items are drawn with while UseOwnFont is set.
  TFont* ItemFont() const { return FItemFont; }
  TdxBarItemLinks* ItemLinks() override { return FItemLinks; }
  TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
  void SetItemLinks(TdxBarItemLinks* Value) { FItemLinks->Assign(Value); }
  TdxBarItemOptions* ItemOptions() const { return FItemLinks->ItemOptions(); }
  void SetItemOptions(TdxBarItemOptions* Value) { FItemLinks->ItemOptions()->Assign(Value); }
  bool UseOwnFont() const { return FUseOwnFont; }
  // Off brings the manager's font back.
  void SetUseOwnFont(bool Value);
  bool UseRecentItems() const { return FItemLinks->UseRecentItems(); }
  void SetUseRecentItems(bool Value) { FItemLinks->SetUseRecentItems(Value); }
  // The manager's font changed: a menu without a font of its own takes it.
  virtual void ManagerFontChanged();

  // ---- showing ----
  // Shows the menu at a screen point for the owner settings in force; with the own message loop
  // it returns once the menu has closed.
  virtual void ShowAt(int X, int Y);
  // Shows the menu beside or below an owner element: the settings hold for this one showing and
  // the defaults come back afterwards, also when showing fails.
  void ShowForOwner(int X, int Y, int AOwnerWidth, int AOwnerHeight, bool AShowAnimation, const TRect* AOwnerBounds,
                    bool AUseOwnMessageLoop, TWinControl* AOwnerControl);
  void ShowAtCursor();
  // The menu window while the menu shows; nil otherwise.
  TCustomdxBarControl* MenuControl() const { return FItemLinks ? FItemLinks->BarControl() : nullptr; }
  // The menu window is up (between its popup and close-up handlers).
  bool IsShown() const { return FVisible; }
  // A key message's shortcut offered to the menu's items; true when one ran.
  bool HandleShortCut(const TMessage& AKeyMessage);
  // The object's own placing test in a menu, and no recursion through the object's own links.
  bool CanLinkItem(TObject* AObject, String& AErrorText);

  int OwnerWidth() const { return FOwnerWidth; }
  int OwnerHeight() const { return FOwnerHeight; }
  // The owner element's screen rectangle; nil for none.
  const TRect* OwnerBounds() const { return FOwnerBounds; }
  bool ShowAnimation() const { return FShowAnimation; }
  bool UseOwnMessageLoop() const { return FUseOwnMessageLoop; }
  TWinControl* OwnerControl() const { return FOwnerControl; }
  // The item control that shows this menu as its drop-down, while it opens it.
  TdxBarItemControl* OwnerItemControl() const { return FOwnerItemControl; }
  void SetOwnerItemControl(TdxBarItemControl* Value) { FOwnerItemControl = Value; }

  // ---- IdxBarLinksOwner ----
  bool AcceptsItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateSubMenuControl() override { return CreateMenuControl(); }
  TComponent* OwnerComponent() override { return this; }
  // ---- IdxBarSubMenuOwner ----
  void PaintBar(TCanvas* Canvas, const TRect& R) override { FirePaintBar(Canvas, R); }

  TNotifyEvent OnCloseUp;
  TdxBarPopupMenuPaintBarEvent OnPaintBar;
  TNotifyEvent OnPopup;

 protected:
  void Loaded() override;

 private:
  void FontChanged(TObject* Sender);
  void MenuClosed(TObject* Sender);
  void MenuShown(TObject* Sender);
  // Step 11 of showing: the caller waits here while the menu is up.
  void RunOwnMessageLoop();

  TBitmap* FBackgroundBitmap = nullptr;
  int FBarSize = 0;
  TFont* FItemFont = nullptr;
  TFont* FFont = nullptr;
  bool FInternalFontChange = false;
  TdxBarItemLinks* FItemLinks = nullptr;
  const TRect* FOwnerBounds = nullptr;
  TdxBarItemControl* FOwnerItemControl = nullptr;
  TWinControl* FOwnerControl = nullptr;
  int FOwnerWidth = 0, FOwnerHeight = 0;
  bool FVisible = false;
  bool FShowAnimation = true;
  bool FUseOwnFont = false;
  bool FUseOwnMessageLoop = true;
};

class TdxBarPopupMenu : public TdxBarCustomPopupMenu {
  VW_CLASS(TdxBarPopupMenu, TdxBarCustomPopupMenu)
 public:
  explicit TdxBarPopupMenu(TComponent* AOwner) : TdxBarCustomPopupMenu(AOwner) {}
  static void DeclareProperties(TPropTable& t);
};
