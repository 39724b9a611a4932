// The manager following the MDI state of its main form: the active document's window menu on the
// main menu bar, the documents' main menus merged into it, and the merges put aside while the user
// customizes.
#include "ui/bars/BarMDI.h"

#include <algorithm>
#include <cstdint>

#include "platform/classes/Forms.h"
#include "platform/classes/Lists.h"
#include "platform/classes/Menus.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;
using namespace dxBarStrs;

namespace {

constexpr UINT kMDICommands[3] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};

// The manager's main menu bar while it may take a document's menu: it has no window, or its
// window is the main menu.
TdxBar* MergingMainMenuBar(TdxBarManager* AManager) {
  TdxBar* bar = AManager ? AManager->MainMenuBar() : nullptr;
  if (!bar) return nullptr;
  TdxBarControl* window = bar->Control();
  return !window || window->IsMainMenu() ? bar : nullptr;
}

// An item made for the window menu leaves the manager's item list for the list that frees it.
void KeepGenerated(TdxBarItem* AItem, TComponentList* AList) {
  AList->Add(AItem);
  if (TdxBarManager* manager = AItem->BarManager()) manager->RemoveItem(AItem);
}

void TakeGlyph(TdxBarItem* AItem, HBITMAP ABitmap) {
  auto copy = static_cast<HBITMAP>(CopyImage(ABitmap, IMAGE_BITMAP, 0, 0, 0));
  if (!copy) return;
  TBitmap glyph;
  glyph.SetHandle(copy);
  AItem->SetGlyph(&glyph);
}

void LoadGlyph(TdxBarItem* AItem, const char* AName) {
  TBitmap glyph;
  try {
    glyph.LoadFromResourceName(GetModuleHandle(nullptr), AName);
  } catch (const std::exception&) {
    // A program built without the pictures shows the command without its glyph.
    return;
  }
  AItem->SetGlyph(&glyph);
}

}  // namespace

UINT dxBarMDICommand(int AIndex) { return AIndex >= 0 && AIndex < 3 ? kMDICommands[AIndex] : 0; }

String dxBarMDICommandHint(int AIndex) {
  static const TResStringRec* const hints[3] = {&dxSBAR_MDIMINIMIZE, &dxSBAR_MDIRESTORE, &dxSBAR_MDICLOSE};
  return AIndex >= 0 && AIndex < 3 ? cxGetResourceString(*hints[AIndex]) : String();
}

// ---- TSystemMenuSubItem -------------------------------------------------------------------------

TSystemMenuSubItem::TSystemMenuSubItem(TComponent* AOwner)
    : TCustomdxBarSubItem(AOwner), FGeneratedItems(new TComponentList(true)) {}

TSystemMenuSubItem::~TSystemMenuSubItem() {
  // The commands' links go with them, before the links they stand in.
  delete FGeneratedItems;
}

void TSystemMenuSubItem::SetChild(HWND Value) { FChild = Value; }

HICON TSystemMenuSubItem::CopyIcon() const {
  if (!FChild || !IsWindow(FChild)) return nullptr;
  auto icon = reinterpret_cast<HICON>(SendMessage(FChild, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessage(FChild, WM_GETICON, ICON_BIG, 0));
  return icon ? static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE)) : nullptr;
}

void TSystemMenuSubItem::NotifyPopup() {
  FillMenu();
  TCustomdxBarSubItem::NotifyPopup();
}

void TSystemMenuSubItem::FillMenu() {
  FGeneratedItems->Clear();
  if (!FChild || !IsWindow(FChild)) return;
  if (HMENU menu = GetSystemMenu(FChild, FALSE)) FillLinks(menu, ItemLinks());
}

void TSystemMenuSubItem::FillLinks(HMENU AMenu, TdxBarItemLinks* ALinks) {
  static const char* const kGlyphs[4] = {"DXBARCLOSE", "DXBARRESTORE", "DXBARMAXIMIZE", "DXBARMINIMIZE"};
  bool beginGroup = false;
  const int count = GetMenuItemCount(AMenu);
  for (int i = 0; i < count; ++i) {
    char text[1025] = {};
    MENUITEMINFO info{};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_BITMAP | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    if (!GetMenuItemInfo(AMenu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) {
      beginGroup = true;
      continue;
    }
    if ((info.fType & MFT_BITMAP) && !text[0]) GetMenuString(AMenu, static_cast<UINT>(i), text, sizeof(text) - 1, MF_BYPOSITION);
    String caption = text, shortCut;
    if (const auto tab = caption.find('\t'); tab != String::npos) {
      shortCut = caption.substr(tab + 1);
      caption.resize(tab);
    }

    TdxBarItem* item = nullptr;
    if (info.hSubMenu) {
      item = new TdxBarSubItem(Owner());
    } else {
      auto* button = new TdxBarButton(Owner());
      button->SetTag(static_cast<std::intptr_t>(info.wID));
      button->SetOnClick([child = FChild, id = info.wID](TObject*) { SendMessage(child, WM_SYSCOMMAND, id, 0); });
      if (info.fState & MFS_CHECKED) {
        button->SetButtonStyle(bsChecked);
        button->SetDown(true);
      }
      item = button;
    }
    KeepGenerated(item, FGeneratedItems);
    item->SetCaption(caption);
    item->SetEnabled(!(info.fState & MFS_GRAYED));
    // The popup bitmaps are small numbers, not handles; anything else, negative ones too, is not one.
    const auto bitmap = reinterpret_cast<std::uintptr_t>(info.hbmpItem);
    if (bitmap >= 8 && bitmap <= 11) {
      LoadGlyph(item, kGlyphs[bitmap - 8]);
    } else if (HBITMAP check = (info.fState & MFS_CHECKED) ? info.hbmpChecked : info.hbmpUnchecked) {
      TakeGlyph(item, check);
    } else if ((info.fType & MFT_BITMAP) && info.hbmpItem) {
      TakeGlyph(item, info.hbmpItem);
    }
    item->SetShortCut(TextToShortCut(shortCut));
    if (TdxBarItemLinks* subLinks = info.hSubMenu ? item->ItemLinks() : nullptr) FillLinks(info.hSubMenu, subLinks);
    if (TdxBarItemLink* link = ALinks->AddItem(item)) link->SetBeginGroup(beginGroup);
    beginGroup = false;
  }
}

// ---- TSystemMenuSubItemControl ------------------------------------------------------------------

bool TSystemMenuSubItemControl::IsSelectable() const {
  TdxBarManager* manager = Manager();
  return !(manager && manager->InCustomizing());
}

void TSystemMenuSubItemControl::DrawContent(const TRect& R, TdxBarPaintMode /*APaintMode*/) {
  TcxCanvas* canvas = CurrentCanvas();
  if (!canvas) return;
  const HDC dc = canvas->DeviceContext();
  const RECT r{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(dc, &r, Parent() ? Parent()->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE));
  auto* item = dynamic_cast<TSystemMenuSubItem*>(Item());
  if (HICON icon = item ? item->CopyIcon() : nullptr) {
    DrawIconEx(dc, R.Left, R.Top, icon, R.Right - R.Left, R.Bottom - R.Top, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
  }
}

int TSystemMenuSubItemControl::RawHeight() { return GetSystemMetrics(SM_CYSMICON); }

int TSystemMenuSubItemControl::RawWidth() { return GetSystemMetrics(SM_CXSMICON); }

bool TSystemMenuSubItemControl::CanDropDown() const {
  TdxBarManager* manager = Manager();
  if (manager && manager->DragInfo() && manager->DragInfo()->Running()) return false;
  return TdxBarSubItemControl::CanDropDown();
}

void TSystemMenuSubItemControl::DoubleClick() {
  TdxBarSubItemControl::DoubleClick();
  auto* item = dynamic_cast<TSystemMenuSubItem*>(Item());
  const HWND child = item ? item->Child() : nullptr;
  // Closing the document frees this control with the item; nothing of it is touched afterwards.
  if (Parent()) Parent()->CloseUp();
  if (!child || !IsWindow(child)) return;
  const HMENU menu = GetSystemMenu(child, FALSE);
  const UINT command = menu ? GetMenuDefaultItem(menu, FALSE, 0) : static_cast<UINT>(-1);
  if (command != static_cast<UINT>(-1)) SendMessage(child, WM_SYSCOMMAND, command, 0);
}

// ---- the manager's MDI state --------------------------------------------------------------------

HWND TdxBarManager::ActiveMDIChild() const {
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (!main || !main->HandleAllocated() || !main->ClientHandle()) return nullptr;
  return reinterpret_cast<HWND>(SendMessage(main->ClientHandle(), WM_MDIGETACTIVE, 0, 0));
}

void TdxBarManager::ExecuteMDICommand(int AIndex) {
  if (AIndex < 0 || AIndex > 2) return;
  if (HWND child = ActiveMDIChild()) SendMessage(child, WM_SYSCOMMAND, kMDICommands[AIndex], 0);
}

void TdxBarManager::AddInternalItem(TdxBarItem* AItem) {
  if (!AItem || std::find(FInternalItems.begin(), FInternalItems.end(), AItem) != FInternalItems.end()) return;
  FInternalItems.push_back(AItem);
  RemoveItem(AItem);
  // Its owner may free it first; the list then forgets it.
  AItem->FreeNotification(this);
}

void TdxBarManager::FreeInternalItems() {
  std::vector<TdxBarItem*> items;
  items.swap(FInternalItems);
  for (auto it = items.rbegin(); it != items.rend(); ++it) delete *it;
}

void TdxBarManager::InternalItemRemoved(TComponent* AComponent) {
  std::erase_if(FInternalItems, [AComponent](TdxBarItem* Item) { return static_cast<TComponent*>(Item) == AComponent; });
}

void TdxBarManager::RefreshMDIState() {
  const HWND child = ActiveMDIChild();
  const bool wasMaximized = FChildMaximized;
  FChildMaximized = child && IsZoomed(child);
  const HWND remembered = FRememberedMDIChild;
  FRememberedMDIChild = child;
  BeginUpdate(false);
  try {
    if (child != remembered) {
      if (remembered) HandleMDIStateChange(msDeactivated, remembered);
      if (child) HandleMDIStateChange(msActivated, child);
    } else if (child && wasMaximized != FChildMaximized) {
      HandleMDIStateChange(msMaximizedChanged, child);
    }
  } catch (...) {
    EndUpdate(true);
    throw;
  }
  bool changed = false;
  for (int i = 0; i < FBars->Count(); ++i) changed = changed || FBars->Items(i)->Changed();
  EndUpdate(changed);
  // The main menu bar shows or drops the document's buttons; also when a restore left it as it was.
  if ((FChildMaximized || wasMaximized) && FMainMenuBar)
    if (TdxBarControl* window = FMainMenuBar->Control(); window && window->HandleAllocated())
      PostMessage(window->Handle(), dxBarRebuildMessage, 0, 0);
}

void TdxBarManager::HandleMDIStateChange(TdxBarMDIStateChange AKind, HWND AChild) {
  const bool restored = AKind == msMaximizedChanged && !FChildMaximized;
  if (AKind != msDeactivated && FChildMaximized) AddSystemMenuItem(AChild);
  if ((AKind == msDeactivated || restored) && !FInternalItems.empty()) FreeInternalItems();

  enum { None, Merge, Unmerge } action = None;
  if (AKind == msMaximizedChanged && FAlwaysMerge)
    action = None;
  else if (AKind != msDeactivated && (FAlwaysMerge || FChildMaximized))
    action = Merge;
  else if (AKind == msDeactivated || restored)
    action = Unmerge;

  TcxObjectLinkScope alive(this);
  TdxBarManager* childManager = GetBarManagerByWindow(AChild);
  if (action == Merge)
    MergeMDIChild(childManager);
  else if (action == Unmerge)
    UnmergeMDIChild(childManager);
  if (!alive.Alive()) return;
  if (action != None && childManager && OnMerge) OnMerge(this, childManager, action == Merge);
  if (!alive.Alive() || !FMDIStateChangedHandlers) return;
  const TdxBarMDIStateChangeEventData data{AKind, AChild};
  FMDIStateChangedHandlers->InvokeAll(this, &data);
}

void TdxBarManager::AddSystemMenuItem(HWND AChild) {
  TdxBar* bar = MergingMainMenuBar(this);
  if (!bar || !GetSystemMenu(AChild, FALSE)) return;
  auto* item = new TSystemMenuSubItem(Owner());
  item->SetChild(AChild);
  AddInternalItem(item);
  if (TdxBarItemLink* link = bar->ItemLinks()->AddItem(item)) bar->ItemLinks()->Move(link->Index(), 0);
}

void TdxBarManager::MergeMDIChild(TdxBarManager* AChildManager) {
  TdxBar* bar = MergingMainMenuBar(this);
  TdxBar* childBar = MergingMainMenuBar(AChildManager);
  if (!bar || !childBar || childBar->MergeData()->MergedWith == bar) return;
  if (!OnMenuMerge) {
    bar->Merge(childBar);
    return;
  }
  TcxObjectLinkScope childBarAlive(childBar);
  OnMenuMerge(this, AChildManager, true);
  if (!childBarAlive.Alive() || childBar->MergeData()->MergedWith) return;
  // The event merged the items itself; the bar only records the merge and hides the document's menu.
  childBar->MergeData()->MergedWith = bar;
  bar->MergeData()->MergedBars().push_back(childBar);
  childBar->MergeData()->VisibleBeforeMerging = childBar->Visible();
  childBar->SetVisibleForMerging(false);
}

void TdxBarManager::UnmergeMDIChild(TdxBarManager* AChildManager) {
  TdxBar* bar = MergingMainMenuBar(this);
  if (!bar) return;
  std::vector<TdxBar*> merged;
  bar->MergeData()->CopyMergedBars(merged);
  std::vector<TcxObjectLink*> links;
  for (TdxBar* b : merged) links.push_back(CreateObjectLink(b));
  try {
    bar->Unmerge(nullptr);
    if (OnMenuMerge) OnMenuMerge(this, AChildManager, false);
    for (TcxObjectLink* link : links)
      if (auto* b = static_cast<TdxBar*>(link->LinkedObject)) b->SetVisibleForMerging(b->MergeData()->VisibleBeforeMerging);
  } catch (...) {
    for (TcxObjectLink* link : links) FreeObjectLink(link);
    throw;
  }
  for (TcxObjectLink* link : links) FreeObjectLink(link);
}

// ---- merges while customizing -------------------------------------------------------------------

void TdxBarManager::UndoMergesForCustomizing() {
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    TdxBarMergeData* data = bar->MergeData();
    if (data->MergedBars().empty()) continue;
    data->SaveMergedBars();
    // Emptied, a bar made for the merge stays, hidden, to take the merges back afterwards.
    if (data->CreatedByMerging) bar->SetKeepWhenEmptied(true);
    bar->Unmerge(nullptr);
  }
}

void TdxBarManager::RedoMergesAfterCustomizing() {
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    TdxBarMergeData* data = bar->MergeData();
    if (data->SavedMergedBarCount() == 0) continue;
    bar->RemergeSavedBars();
    if (data->CreatedByMerging && bar->KeepWhenEmptied()) {
      bar->SetKeepWhenEmptied(false);
      bar->SetHidden(false);
      bar->SetVisible(data->VisibleBeforeHiding);
    }
  }
}
