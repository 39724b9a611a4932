#pragma once
// Buttons, the main kind of bar item: a command that may also be a check button with an exclusive
// group, a drop-down button that opens a popup menu, or both; the large button with its large and
// hot glyphs and an image index kept in step with the large one; and the invisible proxy through
// which the application menu's button row shows and clicks an ordinary button.
#include "ui/bars/BarItem.h"

// Two bits: bit 0 checked, bit 1 drop-down.
VW_ENUM(TdxBarButtonStyle, bsDefault, bsChecked, bsDropDown, bsCheckedDropDown)

class TdxBarPopupMenu;
class TdxBarButtonControl;
class TCustomdxBarControl;

class TdxBarButton : public TdxBarItem {
  VW_CLASS(TdxBarButton, TdxBarItem)
 public:
  explicit TdxBarButton(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  bool AllowAllUp() const { return FAllowAllUp; }
  // Copied into every button of the manager's same group, without further effects.
  void SetAllowAllUp(bool Value);
  TdxBarButtonStyle ButtonStyle() const { return static_cast<TdxBarButtonStyle>(FStyleBits); }
  void SetButtonStyle(TdxBarButtonStyle Value);
  bool IsCheckStyle() const { return (FStyleBits & 1) != 0; }
  bool CloseSubMenuOnClick() const { return FCloseSubMenuOnClick; }
  void SetCloseSubMenuOnClick(bool Value) { FCloseSubMenuOnClick = Value; }
  bool Down() const { return FDown; }
  // Only a check button goes down, releasing its group's down button; the last one of a group
  // without AllowAllUp stays down. While loading the value is only stored.
  void SetDown(bool Value);
  bool DropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value);
  TdxBarPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  // Raises EdxException when the menu already holds this button, at any depth of its sub-menus.
  void SetDropDownMenu(TdxBarPopupMenu* Value);
  int GroupIndex() const { return FGroupIndex; }
  // Kept only by check buttons; others keep 0.
  void SetGroupIndex(int Value);
  bool Lowered() const { return FLowered; }
  void SetLowered(bool Value);

  // Shows the drop-down menu for the control at the screen point (the control's button part was
  // pressed, or its drop-down key); ByMouse false selects the menu's first selectable link.
  virtual void DropDown(TdxBarButtonControl* Control, int X, int Y, bool ByMouse);
  // The drop-down menu's own acceptance test; false without a menu.
  bool AcceptsDropDownItem(TObject* AObject, String& AErrorText);
  // The drop-down menu's window while it shows; nil otherwise.
  TCustomdxBarControl* DropDownMenuControl() const;

  bool HasPaintStyles() const override { return true; }
  TdxBarItemLinks* ItemLinks() const override;
  bool IsReachable(TdxBarItemLink* ALink) const override;
  String DefaultCaption() const override;
  TdxBarCustomizationActions AvailableActions() override;
  void ClickFromKeyboard() override;

 protected:
  void PaintStyleChanged() override;
  bool HasDown() const override { return true; }
  bool ActionDown() const override { return FDown; }
  void SetActionDown(bool Value) override { SetDown(Value); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool IsDownStored() const;
  bool IsShortCutStored() const;
  bool IsOnClickStored() const;

 private:
  // The button of the group that is down, other than this one; nil without a manager.
  TdxBarButton* DownButtonOfGroup() const;

  bool FAllowAllUp = false;
  bool FCloseSubMenuOnClick = true;
  bool FDown = false;
  bool FDropDownEnabled = true;
  TdxBarPopupMenu* FDropDownMenu = nullptr;
  int FGroupIndex = 0;
  unsigned char FStyleBits = 0;
  bool FLowered = false;
};

class TdxBarLargeButton : public TdxBarButton {
  VW_CLASS(TdxBarLargeButton, TdxBarButton)
 public:
  explicit TdxBarLargeButton(TComponent* AOwner);
  ~TdxBarLargeButton() override;
  static void DeclareProperties(TPropTable& t);

  bool AutoGrayScale() const { return FAutoGrayScale; }
  void SetAutoGrayScale(bool Value);
  void SetGlyphLayout(TdxBarGlyphLayout Value) override;
  int Height() const { return FHeight; }
  // Negative values are ignored.
  void SetHeight(int Value);
  TBitmap* HotGlyph() const { return FHotGlyph; }
  void SetHotGlyph(TBitmap* Value) { FHotGlyph->Assign(Value); }
  int HotImageIndex() const { return FHotImageIndex; }
  void SetHotImageIndex(int Value);
  void SetShowCaption(bool Value) override;
  // While true, ImageIndex follows LargeImageIndex; setting ImageIndex alone ends it.
  bool SyncImageIndex() const { return FSyncImageIndex; }
  void SetSyncImageIndex(bool Value);
  void SetImageIndex(int Value) override;
  void SetLargeImageIndex(int Value) override;

  int ActionImageIndex() const override { return LargeImageIndex(); }
  void SetActionImageIndex(int Value) override { SetLargeImageIndex(Value); }
  bool HasHotImage() const override { return FHotImageIndex >= 0; }
  bool HasImage() const override { return LargeImageIndex() >= 0; }
  bool IsReachable(TdxBarItemLink* ALink) const override;
  TdxBarCustomizationActions AvailableActions() override;

 protected:
  void LargeGlyphChanged() override;
  void WidthChanged() override;
  void Loaded() override;
  // "ImageIndex" is written only while it does not follow LargeImageIndex.
  void DefineProperties(TFiler* Filer) override;

 private:
  // Runs a write of the synchronisation itself, which must neither mark nor synchronise again.
  template <class F>
  void InSync(F f);

  bool FAutoGrayScale = true;
  int FHeight = 0;
  int FHotImageIndex = -1;
  bool FInSync = false;
  TBitmap* FHotGlyph;
  bool FSyncImageIndex = true;
  // Which of the three were read while loading.
  bool FImageIndexLoaded = false;
  bool FLargeImageIndexLoaded = false;
  bool FSyncImageIndexLoaded = false;
};

// Shows and clicks its source button; its own values apply only without one.
class TdxBarApplicationMenuButtonItem : public TdxBarItem {
  VW_CLASS(TdxBarApplicationMenuButtonItem, TdxBarItem)
 public:
  explicit TdxBarApplicationMenuButtonItem(TComponent* AOwner);

  TdxBarButton* SourceButton() const { return FSourceButton; }
  void SetSourceButton(TdxBarButton* Value);

  String Caption() const override;
  String Hint() const override;
  bool Enabled() const override;
  TBitmap* Glyph() const override;
  int ImageIndex() const override;
  TdxBarScreenTip* ScreenTip() const override;
  TdxBarItemVisible Visible() const override;
  void Click() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TdxBarButton* FSourceButton = nullptr;
};
