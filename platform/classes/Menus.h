#pragma once
// Menus: the main menu of a form, popup menus, their items, and keyboard shortcuts with their
// texts ("Ctrl+S").
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/Component.h"
#include "platform/classes/Messages.h"

class TMenu;
class TMenuItem;
class TCanvas;

VW_DECLARE_EXCEPTION(EMenuError, Exception);

// A shortcut is the virtual key in the low byte plus these modifier bits.
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// "Shift+Ctrl+Alt+" then the key's name; empty when the key has no name.
String ShortCutToText(TShortCut ShortCut);
// The shortcut of such a text (modifiers in any order, without regard to case); 0 when the text
// names no key.
TShortCut TextToShortCut(const String& Text);
// The shortcut of a key message: its key, Shift and Ctrl as they are down now, Alt from the
// message's key data.
TShortCut ShortCutFromMessage(const TMessage& Message);

// The caption without its accelerator marks ("&File" -> "File", "&&" -> "&").
String StripHotkey(const String& Text);
// Captions compare without regard to case and accelerator marks.
bool AnsiSameCaption(const String& Text1, const String& Text2);

VW_ENUM(TMenuBreak, mbNone, mbBreak, mbBarBreak)
VW_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

// The link a menu item keeps to its action: caption, state, shortcut and handler follow it.
class TMenuActionLink : public TActionLink {
  VW_CLASS(TMenuActionLink, TActionLink)
 public:
  explicit TMenuActionLink(TObject* AClient) : TActionLink(AClient) { AssignClient(AClient); }

  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsAutoCheckLinked() override;
  bool IsGroupIndexLinked() override;
  bool IsOnExecuteLinked() override;

  void SetAutoCheck(bool Value) override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetGroupIndex(int Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;

 protected:
  void AssignClient(TObject* AClient) override;
  void SetOnExecute(const TNotifyEvent& Value) override;

 private:
  TMenuItem* FClient = nullptr;
};

class TMenuItem : public TComponent {
  VW_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  static void DeclareProperties(TPropTable& t);

  // The item's own children.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out of this one and frees it.
  void Delete(int Index);
  // Takes the item out of this one; the caller keeps it.
  void Remove(TMenuItem* Item);
  // Frees every child.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The direct child of that caption (see AnsiSameCaption), or null.
  TMenuItem* Find(const String& ACaption) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  void SetMenuIndex(int Value);
  // The menu this item belongs to, through its parents.
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == "-"; }
  // The identifier the window system reports when the item is chosen.
  win::UINT Command() const { return FCommand; }

  // What choosing the item does: toggles an AutoCheck item, then runs OnClick, or the action when
  // the item's OnClick is the action's.
  virtual void Click();
  // Lets the item's action update its state, and the children's.
  void InitiateAction();

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  std::uint8_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(std::uint8_t Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
  void SetAction(TBasicAction* Value);

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
  TMenuMeasureItemEvent OnMeasureItem;
  // Asks OnMeasureItem for the item's size; Width and Height come in as the standard size.
  void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);

  // Tells whoever shows this menu that the items changed.
  TNotifyEvent OnChange;

  TComponent* GetParentComponent() override;
  bool HasParent() override { return true; }
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  // An item read from a description joins the menu or item it was written under.
  void ReadState(TReader* Reader) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void MenuChanged();
  void ActionChange(TBasicAction* Sender, bool CheckDefaults);

 private:
  friend class TMenuActionLink;
  friend class TMenu;
  friend class TMainMenu;
  void TurnSiblingsOff();
  bool IsCaptionStored() const;
  bool IsCheckedStored() const;
  bool IsEnabledStored() const;
  bool IsHintStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;

  std::vector<TMenuItem*> FItems;
  win::UINT FCommand = 0;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item only
  std::unique_ptr<TMenuActionLink> FActionLink;
  String FCaption;
  String FHint;
  TNotifyEvent FOnClick;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  TMenuBreak FBreak = mbNone;
  std::uint8_t FGroupIndex = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FAutoCheck = false;
};

class TMenu : public TComponent {
  VW_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  static void DeclareProperties(TPropTable& t);

  TMenuItem* Items() const { return FItems; }
  TComponent* Images() const { return FImages; }
  void SetImages(TComponent* Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }
  // The window that hears of the menu's commands; a main menu shows in its menu bar.
  win::HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(win::HWND Value);
  // The window system's menu, made from the items when first asked for and again after they
  // change.
  win::HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Clicks the item of a command the window system reported; false when no item has it.
  bool DispatchCommand(win::UINT ACommand);
  TMenuItem* FindItemByCommand(win::UINT ACommand) const;

  // Finds the enabled, visible item of the message's shortcut and clicks it. True when one took it.
  virtual bool IsShortCut(const TMessage& Message);
  // The item of that shortcut anywhere in the menu, or null.
  TMenuItem* FindItemByShortCut(TShortCut ShortCut) const;

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void MenuChanged(TMenuItem* Source);
  virtual win::HMENU CreateMenuHandle();
  // The items the bar or popup shows at its top level.
  virtual std::vector<TMenuItem*> RootItems();
  void DestroyHandle();

 private:
  friend class TMenuItem;
  void Fill(TMenuItem* Item, win::HMENU Menu);
  TMenuItem* FItems;
  win::HMENU FHandle = nullptr;
  TComponent* FImages = nullptr;
  win::HWND FWindowHandle = nullptr;
  bool FOwnerDraw = false;
};

class TMainMenu : public TMenu {
  VW_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

  static void DeclareProperties(TPropTable& t);
  bool AutoMerge() const { return FAutoMerge; }
  void SetAutoMerge(bool Value) { FAutoMerge = Value; }
  // Shows another main menu's items in this one's bar (an active MDI document's menu in its
  // frame's): an item of a group index this menu has replaces that group, others go in by their
  // group index. Its commands run its items.
  void Merge(TMainMenu* Menu);
  void Unmerge(TMainMenu* Menu);
  TMainMenu* Merged() const { return FMerged; }

 protected:
  win::HMENU CreateMenuHandle() override;
  std::vector<TMenuItem*> RootItems() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool FAutoMerge = false;
  TMainMenu* FMerged = nullptr;
};

class TPopupMenu : public TMenu {
  VW_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  static void DeclareProperties(TPropTable& t);

  // Shows the menu at a screen point and waits until the operator chooses or dismisses; the
  // chosen item is clicked afterwards.
  virtual void Popup(int X, int Y);
  win::POINT PopupPoint() const { return FPopupPoint; }
  // The control the menu was last popped up for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }

  TNotifyEvent OnPopup;

 protected:
  virtual void DoPopup(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TComponent* FPopupComponent = nullptr;
  win::POINT FPopupPoint{0, 0};
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
};
