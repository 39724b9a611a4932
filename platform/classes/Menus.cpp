#include "platform/classes/Menus.h"

#include <algorithm>
#include <array>

#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"

// ---- shortcuts --------------------------------------------------------------------------------

namespace {

constexpr const char* SMenuIndexError = "Menu index out of range";
constexpr const char* SMenuReinserted = "Menu inserted twice";
constexpr const char* SMenuNotFound = "Sub-menu is not in menu";

struct KeyName {
  int vk;
  const char* name;
};

// The names the class library gives keys that are no character; the others are their character.
constexpr KeyName kKeyNames[] = {
    {win::VK_BACK, "BkSp"},       {win::VK_TAB, "Tab"},        {win::VK_RETURN, "Enter"},
    {win::VK_ESCAPE, "Esc"},      {win::VK_SPACE, "Space"},    {win::VK_PRIOR, "PgUp"},
    {win::VK_NEXT, "PgDn"},       {win::VK_END, "End"},        {win::VK_HOME, "Home"},
    {win::VK_LEFT, "Left"},       {win::VK_UP, "Up"},          {win::VK_RIGHT, "Right"},
    {win::VK_DOWN, "Down"},       {win::VK_INSERT, "Ins"},     {win::VK_DELETE, "Del"},
    {win::VK_MULTIPLY, "Num *"},  {win::VK_ADD, "Num +"},      {win::VK_SUBTRACT, "Num -"},
    {win::VK_DECIMAL, "Num Del"}, {win::VK_DIVIDE, "Num /"},   {win::VK_OEM_1, ";"},
    {win::VK_OEM_PLUS, "="},      {win::VK_OEM_COMMA, ","},    {win::VK_OEM_MINUS, "-"},
    {win::VK_OEM_PERIOD, "."},    {win::VK_OEM_2, "/"},        {win::VK_OEM_3, "`"},
    {win::VK_OEM_4, "["},         {win::VK_OEM_5, "\\"},       {win::VK_OEM_6, "]"},
    {win::VK_OEM_7, "'"},
};

String KeyToText(int vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return String(1, static_cast<char>(vk));
  if (vk >= win::VK_NUMPAD0 && vk <= win::VK_NUMPAD9) return "Num " + std::to_string(vk - win::VK_NUMPAD0);
  if (vk >= win::VK_F1 && vk <= win::VK_F24) return "F" + std::to_string(vk - win::VK_F1 + 1);
  for (const KeyName& k : kKeyNames)
    if (k.vk == vk) return k.name;
  return "";
}

// Takes a modifier's name off the front of the text, without regard to case.
bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

String ShortCutToText(TShortCut ShortCut) {
  String name = KeyToText(ShortCut & 0xFF);
  if (name.empty()) return "";
  String text;
  if (ShortCut & scShift) text += "Shift+";
  if (ShortCut & scCtrl) text += "Ctrl+";
  if (ShortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const String& Text) {
  std::string_view rest = Text;
  TShortCut shift = 0;
  for (;;) {
    if (TakePrefix(rest, "Shift+"))
      shift |= scShift;
    else if (TakePrefix(rest, "Ctrl+"))
      shift |= scCtrl;
    else if (TakePrefix(rest, "Alt+"))
      shift |= scAlt;
    else
      break;
  }
  if (rest.empty()) return 0;
  for (int vk = 0x08; vk <= 0xFF; ++vk)
    if (SameText(KeyToText(vk), rest)) return static_cast<TShortCut>(vk | shift);
  return 0;
}

TShortCut ShortCutFromMessage(const TMessage& Message) {
  TShortCut sc = static_cast<TShortCut>(Message.CharCode() & 0xFF);
  if (sc == 0) return 0;
  if (win::GetKeyState(win::VK_SHIFT) < 0) sc |= scShift;
  if (win::GetKeyState(win::VK_CONTROL) < 0) sc |= scCtrl;
  if (Message.LParam & 0x20000000) sc |= scAlt;
  return sc;
}

String StripHotkey(const String& Text) {
  String out;
  out.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size() && Text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Text[i];
  }
  return out;
}

bool AnsiSameCaption(const String& Text1, const String& Text2) {
  return AnsiSameText(StripHotkey(Text1), StripHotkey(Text2));
}

// ---- TMenuActionLink -----------------------------------------------------------------------

void TMenuActionLink::AssignClient(TObject* AClient) { FClient = dynamic_cast<TMenuItem*>(AClient); }

bool TMenuActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->FCaption == CustomAction()->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
  return TActionLink::IsCheckedLinked() && FClient->FChecked == CustomAction()->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->FEnabled == CustomAction()->Enabled();
}
bool TMenuActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient->FHint == CustomAction()->Hint();
}
bool TMenuActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && FClient->FImageIndex == CustomAction()->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && FClient->FShortCut == CustomAction()->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient->FVisible == CustomAction()->Visible();
}
bool TMenuActionLink::IsAutoCheckLinked() {
  return TActionLink::IsAutoCheckLinked() && FClient->FAutoCheck == CustomAction()->AutoCheck();
}
bool TMenuActionLink::IsGroupIndexLinked() {
  return TActionLink::IsGroupIndexLinked() && FClient->FGroupIndex == CustomAction()->GroupIndex();
}
bool TMenuActionLink::IsOnExecuteLinked() { return FAction && !FClient->FOnClick; }

void TMenuActionLink::SetAutoCheck(bool Value) {
  if (IsAutoCheckLinked()) FClient->SetAutoCheck(Value);
}
void TMenuActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TMenuActionLink::SetGroupIndex(int Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(static_cast<std::uint8_t>(Value));
}
void TMenuActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TMenuActionLink::SetOnExecute(const TNotifyEvent&) {}

// ---- TMenuItem ---------------------------------------------------------------------------------

namespace {

// Commands are 16 bits on the wire of WM_COMMAND; a wrap skips 0, which means "nothing chosen".
win::UINT NextCommand() {
  static win::UINT next = 0;
  next = next >= 0xFFFF ? 1 : next + 1;
  return next;
}

// A hidden window that owns popup menus shown for no window of ours.
constexpr const char* kPopupWindowClass = "TPopupListWindow";

win::HWND PopupOwnerWindow() {
  static win::HWND window = nullptr;
  if (window && win::IsWindow(window)) return window;
  win::WNDCLASS existing;
  if (!win::GetClassInfo(nullptr, kPopupWindowClass, &existing)) {
    win::WNDCLASS wc;
    wc.lpfnWndProc = win::DefWindowProc;
    wc.lpszClassName = kPopupWindowClass;
    win::RegisterClass(&wc);
  }
  window = win::CreateWindowEx(win::WS_EX_TOOLWINDOW, kPopupWindowClass, "", win::WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, nullptr, nullptr);
  return window;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    FItems.pop_back();
    child->FParent = nullptr;
    delete child;
  }
  FActionLink.reset();
}

void TMenuItem::DeclareProperties(TPropTable& t) {
  t.Add("Action", &TMenuItem::Action, &TMenuItem::SetAction);
  t.Add("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).SetDefault(false);
  t.Add("Break", &TMenuItem::Break, &TMenuItem::SetBreak).SetDefault(mbNone);
  t.Add("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption).Stored(&TMenuItem::IsCaptionStored);
  t.Add("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).SetDefault(false).Stored(&TMenuItem::IsCheckedStored);
  t.Add("Default", &TMenuItem::Default, &TMenuItem::SetDefault).SetDefault(false);
  t.Add("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).SetDefault(true).Stored(&TMenuItem::IsEnabledStored);
  t.Add("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).SetDefault(0);
  t.Add("Hint", &TMenuItem::Hint, &TMenuItem::SetHint).Stored(&TMenuItem::IsHintStored);
  t.Add("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
      .SetDefault(-1)
      .Stored(&TMenuItem::IsImageIndexStored);
  t.Add("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).SetDefault(false);
  t.Add("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).SetDefault(0).Stored(&TMenuItem::IsShortCutStored);
  t.Add("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).SetDefault(true).Stored(&TMenuItem::IsVisibleStored);
  t.Add("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick).Stored(&TMenuItem::IsOnClickStored);
  t.Add("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

bool TMenuItem::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TMenuItem::IsCheckedStored() const { return !FActionLink || !FActionLink->IsCheckedLinked(); }
bool TMenuItem::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TMenuItem::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TMenuItem::IsImageIndexStored() const { return !FActionLink || !FActionLink->IsImageIndexLinked(); }
bool TMenuItem::IsShortCutStored() const { return !FActionLink || !FActionLink->IsShortCutLinked(); }
bool TMenuItem::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }
bool TMenuItem::IsOnClickStored() const { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError(Format(SListIndexError, {Index}));
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EMenuError(SMenuReinserted);
  if (Index < 0 || Index > Count()) throw EMenuError(SMenuIndexError);
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Item->FreeNotification(this);
  MenuChanged();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  Remove(item);
  delete item;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) throw EMenuError(SMenuNotFound);
  FItems.erase(it);
  Item->FParent = nullptr;
  if (!HasState(csDestroying)) MenuChanged();
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  for (TMenuItem* item : FItems)
    if (AnsiSameCaption(item->FCaption, ACaption)) return item;
  return nullptr;
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  int cur = MenuIndex();
  Value = std::clamp(Value, 0, parent->Count() - 1);
  if (Value == cur) return;
  parent->FItems.erase(parent->FItems.begin() + cur);
  parent->FItems.insert(parent->FItems.begin() + Value, this);
  parent->MenuChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  // An item whose action runs toggles with the action instead.
  bool viaAction = FActionLink && FActionLink->IsOnExecuteLinked();
  if (FAutoCheck && !viaAction) SetChecked(!FChecked);
  if (FOnClick && !viaAction) {
    auto handler = FOnClick;
    handler(this);
  } else if (FActionLink) {
    FActionLink->Execute(this);
  }
}

void TMenuItem::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TMenuItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  MenuChanged();
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) {
      sibling->FChecked = false;
      sibling->MenuChanged();
    }
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  MenuChanged();
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  MenuChanged();
}

void TMenuItem::SetDefault(bool Value) {
  if (Value == FDefault) return;
  // One default item per submenu.
  if (Value && FParent)
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this) sibling->FDefault = false;
  FDefault = Value;
  MenuChanged();
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == FRadioItem) return;
  FRadioItem = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetGroupIndex(std::uint8_t Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged();
}

void TMenuItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  MenuChanged();
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (Value == FBreak) return;
  FBreak = Value;
  MenuChanged();
}

void TMenuItem::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TMenuActionLink>(this);
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) {
    if (auto* a = dynamic_cast<TBasicAction*>(Sender)) ActionChange(a, false);
  };
  ActionChange(Value, HasState(csLoading));
  Value->FreeNotification(this);
}

void TMenuItem::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  // Loading keeps what the description stored; only defaults give way to the action's values.
  if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
  if (!CheckDefaults || FGroupIndex == 0) SetGroupIndex(static_cast<std::uint8_t>(a->GroupIndex()));
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::MenuChanged() {
  if (HasState(csDestroying)) return;
  if (OnChange) OnChange(this);
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
  // A child freed on its own (by its owner) has already left this item through its destructor.
}

TComponent* TMenuItem::GetParentComponent() {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

void TMenuItem::ReadState(TReader* Reader) {
  if (!FParent) SetParentComponent(Reader->Parent());
  TComponent::ReadState(Reader);
}

void TMenuItem::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
    if (item->Owner() == Root) Proc(item);
}

void TMenuItem::SetChildOrder(TComponent* Child, int Order) {
  if (auto* item = dynamic_cast<TMenuItem*>(Child); item && item->FParent == this) item->SetMenuIndex(Order);
}

// ---- TMenu -------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
  FItems->SetSubComponent(true);
}

TMenu::~TMenu() {
  SetImages(nullptr);
  if (FWindowHandle && FHandle && win::IsWindow(FWindowHandle) && win::GetMenu(FWindowHandle) == FHandle)
    win::SetMenu(FWindowHandle, nullptr);
  DestroyHandle();
  // The root item is owned by the menu and goes with it; clear the back pointer first so its
  // children's change notices do not reach a menu being torn down.
  FItems->FMenu = nullptr;
}

void TMenu::DeclareProperties(TPropTable& t) {
  t.AddReadOnly("Items", &TMenu::Items);
  t.Add("Images", &TMenu::Images, &TMenu::SetImages);
  t.Add("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).SetDefault(false);
}

void TMenu::SetImages(TComponent* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TMenu::MenuChanged(TMenuItem*) {
  if (!FHandle) return;
  // The window system's menu is made again from the items; a menu bar shows the new one.
  bool shown = FWindowHandle && win::IsWindow(FWindowHandle) && win::GetMenu(FWindowHandle) == FHandle;
  DestroyHandle();
  if (shown) {
    win::SetMenu(FWindowHandle, Handle());
    win::DrawMenuBar(FWindowHandle);
    if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(FWindowHandle))) form->UpdateMDIMenus();
  }
}

win::HMENU TMenu::CreateMenuHandle() { return win::CreatePopupMenu(); }
win::HMENU TMainMenu::CreateMenuHandle() { return win::CreateMenu(); }

void TMenu::DestroyHandle() {
  if (!FHandle) return;
  if (win::IsMenu(FHandle)) win::DestroyMenu(FHandle);
  FHandle = nullptr;
}

win::HMENU TMenu::Handle() {
  if (!FHandle) {
    FHandle = CreateMenuHandle();
    Fill(FItems, FHandle);
  }
  return FHandle;
}

std::vector<TMenuItem*> TMenu::RootItems() { return FItems->FItems; }

std::vector<TMenuItem*> TMainMenu::RootItems() {
  std::vector<TMenuItem*> items = TMenu::RootItems();
  if (!FMerged) return items;
  std::vector<std::uint8_t> replaced;
  for (TMenuItem* add : FMerged->Items()->FItems) {
    std::uint8_t group = add->GroupIndex();
    bool ours = std::any_of(items.begin(), items.end(), [&](TMenuItem* i) { return i->GroupIndex() == group && i->Parent() == Items(); });
    if (ours && std::find(replaced.begin(), replaced.end(), group) == replaced.end()) {
      // The first item of the group makes room for the merged ones.
      replaced.push_back(group);
      auto at = std::find_if(items.begin(), items.end(), [&](TMenuItem* i) { return i->GroupIndex() == group; });
      auto pos = items.erase(at);
      items.insert(pos, add);
      std::erase_if(items, [&](TMenuItem* i) { return i->GroupIndex() == group && i->Parent() == Items(); });
      continue;
    }
    auto pos = std::find_if(items.begin(), items.end(), [&](TMenuItem* i) { return i->GroupIndex() > group; });
    items.insert(pos, add);
  }
  return items;
}

void TMainMenu::Merge(TMainMenu* Menu) {
  if (Menu == this || Menu == FMerged) return;
  if (FMerged) FMerged->RemoveFreeNotification(this);
  FMerged = Menu;
  if (Menu) Menu->FreeNotification(this);
  MenuChanged(nullptr);
}

void TMainMenu::Unmerge(TMainMenu* Menu) {
  if (!Menu || Menu != FMerged) return;
  FMerged->RemoveFreeNotification(this);
  FMerged = nullptr;
  MenuChanged(nullptr);
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMerged) {
    FMerged = nullptr;
    MenuChanged(nullptr);
  }
}

void TMenu::Fill(TMenuItem* Item, win::HMENU Menu) {
  for (TMenuItem* child : Item == FItems ? RootItems() : Item->FItems) {
    if (!child->Visible()) continue;
    win::UINT flags = 0;
    if (child->IsLine()) {
      win::AppendMenu(Menu, win::MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (child->Checked()) flags |= win::MF_CHECKED;
    if (!child->Enabled()) flags |= win::MF_GRAYED;
    if (child->Break() == mbBreak) flags |= win::MF_MENUBREAK;
    if (child->Break() == mbBarBreak) flags |= win::MF_MENUBARBREAK;
    String caption = child->Caption();
    // A popup item's shortcut shows after a tab, right-aligned; a menu bar has no room for it.
    if (child->ShortCut() && Item != FItems) caption += "\t" + ShortCutToText(child->ShortCut());
    if (child->Count() > 0) {
      win::HMENU sub = win::CreatePopupMenu();
      Fill(child, sub);
      win::AppendMenu(Menu, flags | win::MF_POPUP, reinterpret_cast<win::UINT_PTR>(sub), caption.c_str());
    } else {
      win::AppendMenu(Menu, flags, child->Command(), caption.c_str());
    }
    if (child->RadioItem()) {
      win::MENUITEMINFO info;
      info.fMask = win::MIIM_FTYPE;
      int pos = win::GetMenuItemCount(Menu) - 1;
      if (win::GetMenuItemInfo(Menu, static_cast<win::UINT>(pos), win::TRUE, &info)) {
        info.fType |= win::MFT_RADIOCHECK;
        info.fMask = win::MIIM_FTYPE;
        win::SetMenuItemInfo(Menu, static_cast<win::UINT>(pos), win::TRUE, &info);
      }
    }
    if (child->Default()) win::SetMenuDefaultItem(Menu, static_cast<win::UINT>(win::GetMenuItemCount(Menu) - 1), win::TRUE);
  }
}

void TMenu::SetWindowHandle(win::HWND Value) {
  FWindowHandle = Value;
  if (FWindowHandle && dynamic_cast<TMainMenu*>(this) && win::IsWindow(FWindowHandle) && FItems->Count() > 0) {
    win::SetMenu(FWindowHandle, Handle());
    win::DrawMenuBar(FWindowHandle);
    if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FindControl(FWindowHandle))) form->UpdateMDIMenus();
  }
}

TMenuItem* TMenu::FindItemByCommand(win::UINT ACommand) const {
  if (ACommand == 0) return nullptr;
  std::vector<TMenuItem*> pending{FItems};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item != FItems && item->Command() == ACommand) return item;
    for (TMenuItem* child : item->FItems) pending.push_back(child);
  }
  return nullptr;
}

bool TMenu::DispatchCommand(win::UINT ACommand) {
  TMenuItem* item = FindItemByCommand(ACommand);
  if (auto* main = dynamic_cast<TMainMenu*>(this); !item && main && main->Merged())
    item = main->Merged()->FindItemByCommand(ACommand);
  if (!item) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

TMenuItem* TMenu::FindItemByShortCut(TShortCut ShortCut) const {
  if (ShortCut == 0) return nullptr;
  std::vector<TMenuItem*> pending{FItems};
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    if (item != FItems && item->ShortCut() == ShortCut) return item;
    for (auto it = item->FItems.rbegin(); it != item->FItems.rend(); ++it) pending.push_back(*it);
  }
  return nullptr;
}

bool TMenu::IsShortCut(const TMessage& Message) {
  TShortCut sc = ShortCutFromMessage(Message);
  TMenuItem* item = FindItemByShortCut(sc);
  if (!item) return false;
  // Actions decide their items' state first; a shortcut of a hidden or disabled item, or of one
  // inside a hidden or disabled submenu, does nothing.
  for (TMenuItem* p = item; p; p = p->Parent()) p->InitiateAction();
  for (TMenuItem* p = item; p && p != FItems; p = p->Parent())
    if (!p->Enabled() || !p->Visible()) return false;
  item->Click();
  return true;
}

void TMainMenu::DeclareProperties(TPropTable& t) {
  t.Add("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge).SetDefault(false);
}

// ---- TPopupMenu ------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() { SetPopupComponent(nullptr); }

void TPopupMenu::DeclareProperties(TPropTable& t) {
  t.Add("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).SetDefault(paLeft);
  t.Add("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).SetDefault(true);
  t.Add("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == FPopupComponent) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = {X, Y};
  DoPopup(this);
  for (int i = 0; i < Items()->Count(); ++i) Items()->Items(i)->InitiateAction();
  static const win::UINT alignments[] = {win::TPM_LEFTALIGN, win::TPM_RIGHTALIGN, win::TPM_CENTERALIGN};
  win::HWND owner = WindowHandle() && win::IsWindow(WindowHandle()) ? WindowHandle() : PopupOwnerWindow();
  win::UINT cmd = static_cast<win::UINT>(win::TrackPopupMenu(
      Handle(), alignments[FAlignment] | win::TPM_RIGHTBUTTON | win::TPM_RETURNCMD, X, Y, 0, owner, nullptr));
  // The chosen item runs after the menu has closed, as a command from the menu would.
  DispatchCommand(cmd);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TMainMenu, TPopupMenu, TMenuItem>();
  return true;
}();

}  // namespace
