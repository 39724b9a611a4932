#include "ui/bars/BarUnit.h"

#include <cstdint>

#include "platform/classes/Forms.h"
#include "platform/classes/TypInfo.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Sound.h"
#include "ui/bars/Accessibility.h"
#include "ui/bars/BarApplicationMenu.h"
#include "ui/bars/BarCustomizationForm.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarMDI.h"
#include "ui/bars/BarMenuAnimation.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarQuickControl.h"
#include "ui/bars/BarScreenTips.h"
#include "ui/bars/BarSkinPainter.h"
#include "ui/bars/BarStrings.h"

using namespace win;

bool BarUnitFinalizing = false;
TdxBarManagerList* BarManagers = nullptr;
TdxObjectList* BarControls = nullptr;
TdxBarNavigationController* BarNavigationController = nullptr;
int ScreenColorDepth = 0;
HBRUSH CheckerBrush = nullptr;
TUpdateLayeredWindowProc UpdateLayeredWindowProc = nullptr;
TAnimateWindowProc AnimateWindowProc = nullptr;
TSetLayeredWindowAttributesProc SetLayeredWindowAttributesProc = nullptr;
bool PlaySounds = true;
TdxBarPainterClass DefaultBarPainterClass = TdxBarStandardPainter::StaticClass();

namespace {

TdxBarItemList* gBarItemClasses = nullptr;
TdxBarDesignController* gBarDesignController = nullptr;
TdxBarFlatPainter* gSharedFlatPainter = nullptr;
bool gBarUnitStarted = false;
void (*gOldInitProc)() = nullptr;
// Whether BarInitProc is somewhere in the chain of initialisation hooks.
bool gInitProcChained = false;

struct TCursorEntry {
  int Index;
  const char* ResourceName;
};

constexpr TCursorEntry kCursors[] = {
    {crdxBarDrag, "DXBARDRAGCURSOR"},
    {crdxBarDragCopy, "DXBARDRAGCOPYCURSOR"},
    {crdxBarDragNoDrop, "DXBARDRAGNODROPCURSOR"},
    {crdxBarEditSizing, "DXBAREDITSIZINGCURSOR"},
};

void BindLayeredWindowProcs() {
  UpdateLayeredWindowProc = nullptr;
  AnimateWindowProc = nullptr;
  SetLayeredWindowAttributesProc = nullptr;
  HMODULE user32 = GetModuleHandleA("user32.dll");
  // A module handle at or below 32 is an error code, never a module.
  if (reinterpret_cast<std::uintptr_t>(user32) <= 32) return;
  UpdateLayeredWindowProc = reinterpret_cast<TUpdateLayeredWindowProc>(GetProcAddress(user32, "UpdateLayeredWindow"));
  AnimateWindowProc = reinterpret_cast<TAnimateWindowProc>(GetProcAddress(user32, "AnimateWindow"));
  SetLayeredWindowAttributesProc =
      reinterpret_cast<TSetLayeredWindowAttributesProc>(GetProcAddress(user32, "SetLayeredWindowAttributes"));
}

void FillItemClasses() {
  struct TRow {
    TClass Item, Control;
    bool Listed;
  };
  const TRow rows[] = {
      {TdxBarButton::StaticClass(), TdxBarButtonControl::StaticClass(), true},
      {TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass(), true},
      {TdxBarEdit::StaticClass(), TdxBarEditControl::StaticClass(), true},
      {TCustomdxBarCombo::StaticClass(), TCustomdxBarComboControl::StaticClass(), true},
      {TdxBarCombo::StaticClass(), TdxBarComboControl::StaticClass(), true},
      {TdxBarSubItem::StaticClass(), TdxBarSubItemControl::StaticClass(), true},
      {TdxBarListItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true},
      {TdxBarContainerItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), true},
      {TdxBarExtraPaneListItem::StaticClass(), TdxBarContainerItemControl::StaticClass(), false},
      {TdxBarLabel::StaticClass(), TdxBarCustomStaticControl::StaticClass(), false},
      {TdxBarSeparator::StaticClass(), TdxBarSeparatorControl::StaticClass(), true},
      {TdxBarApplicationMenuButtonItem::StaticClass(), TdxBarApplicationMenuButtonControl::StaticClass(), false},
      {TdxBarQuickCustExtButton::StaticClass(), TdxBarQuickCustExtButtonControl::StaticClass(), false},
      {TdxBarQuickCustItem::StaticClass(), TdxBarQuickCustItemControl::StaticClass(), false},
      {TdxBarQuickAccessItem::StaticClass(), TdxBarSubItemControl::StaticClass(), false},
      {TSystemMenuSubItem::StaticClass(), TSystemMenuSubItemControl::StaticClass(), false},
  };
  for (const TRow& row : rows) RegisterItemControlClass(row.Item, row.Control, row.Listed);
}

void RegisterDesignTimeClasses() {
  TdxBarDesignController* controller = BarDesignController();
  if (!controller) return;
  controller->RegisterControlEditor(TdxAddSubItemEditor::StaticClass());
  controller->RegisterControlEditor(TdxAddButtonEditor::StaticClass());
  controller->RegisterControlEditor(TdxAddLargeButtonEditor::StaticClass());
  controller->RegisterControlEditor(TdxItemsEditorEx::StaticClass());
  controller->RegisterDesignHelper(TdxBarControl::StaticClass(), TdxBarControlDesignHelper::StaticClass());
  controller->RegisterDesignHelper(TdxBarSubMenuControl::StaticClass(), TdxBarSubMenuControlDesignHelper::StaticClass());
  controller->RegisterDesignHelper(TdxBarApplicationMenuControl::StaticClass(),
                                   TdxBarApplicationMenuControlDesignHelper::StaticClass());
}

void LoadCursors() {
  if (!Screen) return;
  HINSTANCE program = GetModuleHandle(nullptr);
  for (const TCursorEntry& c : kCursors)
    if (HCURSOR h = LoadCursor(program, c.ResourceName)) Screen->SetCursors(c.Index, h);
}

// Loads the sound system while the application initialises rather than at the first menu.
void BarInitProc() {
  if (gOldInitProc) gOldInitProc();
  if (gBarUnitStarted) PlayBarSound(2);
}

}  // namespace

// ---- TdxObjectList ------------------------------------------------------------------------------

void TdxObjectList::AddUnique(TObject* AObject) {
  if (AObject && IndexOf(AObject) < 0) Add(AObject);
}

void TdxObjectList::CopyFrom(const TObjectList* Source) {
  Clear();
  if (!Source) return;
  SetCapacity(Source->Capacity());
  for (int i = 0; i < Source->Count(); ++i) AddUnique(Source->Items(i));
}

TdxBarManager* TdxBarManagerList::Managers(int Index) const { return static_cast<TdxBarManager*>(ObjectAt(Index)); }

TdxBarManager* TdxBarManagerList::FirstCustomizing() const {
  for (int i = 0; i < Count(); ++i)
    if (Managers(i)->IsCustomizing()) return Managers(i);
  return nullptr;
}

TdxBarManager* TdxBarManagerList::StepOfSameForm(TdxBarManager* Manager, int Step) const {
  const int start = IndexOf(Manager);
  if (start < 0) return nullptr;
  TCustomForm* top = FormOfManager(Manager, bfkTopLevel);
  const HWND topWindow = top && top->HandleAllocated() ? top->WindowHandle() : nullptr;
  for (int i = (start + Step + Count()) % Count(); i != start; i = (i + Step + Count()) % Count()) {
    TdxBarManager* candidate = Managers(i);
    if (!ManagerLiesWithin(candidate, topWindow)) continue;
    TCustomForm* form = FormOfManager(candidate, bfkTopLevelOrMDIChild);
    if (form && form->FormStyle() == fsMDIChild && !IsActiveMDIChild(form)) continue;
    return candidate;
  }
  return Manager;
}

// ---- TdxBarItemList -----------------------------------------------------------------------------

TdxBarItemList::~TdxBarItemList() {
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

void TdxBarItemList::Add(TdxBarItemClass ItemClass, TdxBarItemControlClass ControlClass, bool ListedInEditors) {
  auto* record = new TRegItemRecord;
  record->RegisteredItemClass = ItemClass;
  record->ItemControlClass = ControlClass;
  record->ListedInEditors = ListedInEditors;
  FRecords.Add(record);
  RegisterClass(ItemClass);
}

void TdxBarItemList::Delete(int Index) {
  TRegItemRecord* record = Records(Index);
  UnRegisterClass(record->RegisteredItemClass);
  FRecords.Delete(Index);
  delete record;
}

int TdxBarItemList::ListedCount() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i)
    if (Records(i)->ListedInEditors) ++n;
  return n;
}

TdxBarItemClass TdxBarItemList::ListedItemClass(int Index) const {
  if (Index < 0) return nullptr;
  for (int i = 0; i < Count(); ++i)
    if (Records(i)->ListedInEditors && Index-- == 0) return Records(i)->RegisteredItemClass;
  return nullptr;
}

TdxBarItemControlClass TdxBarItemList::ControlClassOf(TdxBarItemClass ItemClass) const {
  for (int i = 0; i < Count(); ++i)
    if (Records(i)->RegisteredItemClass == ItemClass) return Records(i)->ItemControlClass;
  return nullptr;
}

// ---- registries and lists -----------------------------------------------------------------------

TdxBarItemList* BarItemClasses() {
  if (!gBarItemClasses && !BarUnitFinalizing) gBarItemClasses = new TdxBarItemList;
  return gBarItemClasses;
}

TdxBarDesignController* BarDesignController() {
  if (!gBarDesignController && !BarUnitFinalizing) gBarDesignController = new TdxBarDesignController;
  return gBarDesignController;
}

TdxBarFlatPainter* SharedFlatPainter() {
  if (!gSharedFlatPainter && !BarUnitFinalizing) gSharedFlatPainter = new TdxBarFlatPainter;
  return gSharedFlatPainter;
}

void RegisterItemControlClass(TdxBarItemClass ItemClass, TdxBarItemControlClass ControlClass, bool ListedInEditors) {
  if (TdxBarItemList* list = BarItemClasses()) list->Add(ItemClass, ControlClass, ListedInEditors);
}

void AddBarControl(TCustomdxBarControl* Control) {
  if (BarControls) BarControls->Add(Control);
}

void RemoveBarControl(TCustomdxBarControl* Control) {
  if (BarControls) BarControls->Remove(Control);
}

bool IsBarControlAlive(const void* Control) {
  return Control && BarControls && BarControls->IndexOf(static_cast<TObject*>(const_cast<void*>(Control))) >= 0;
}

// ---- shared drawing objects, transparency and sounds --------------------------------------------

void RefreshScreenConstants() {
  HDC dc = GetDC(nullptr);
  ScreenColorDepth = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
}

void RefreshCheckerBrush() {
  if (BarUnitFinalizing) return;
  if (CheckerBrush) DeleteObject(CheckerBrush);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x % 2) == (y % 2) ? face : highlight);
  SelectObject(dc, old);
  DeleteDC(dc);
  CheckerBrush = CreatePatternBrush(bitmap);
  // The brush keeps its own copy of the pattern.
  DeleteObject(bitmap);
}

void SetWindowAlpha(HWND Window, BYTE Alpha) {
  if (!SetLayeredWindowAttributesProc) return;
  const LONG exStyle = GetWindowLong(Window, GWL_EXSTYLE);
  if (Alpha < 255) {
    if ((exStyle & WS_EX_LAYERED) == 0) SetWindowLong(Window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributesProc(Window, 0, Alpha, LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLong(Window, GWL_EXSTYLE, exStyle & ~static_cast<LONG>(WS_EX_LAYERED));
    RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
}

void PlayBarSound(int Kind) {
  if (!PlaySounds) return;
  static const char* const kAliases[] = {"MenuPopup", "MenuCommand", nullptr};
  if (Kind < 0 || Kind > 2) return;
  PlaySoundA(kAliases[Kind], nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC);
}

// ---- start-up and shutdown ----------------------------------------------------------------------

void BarUnitStartup() {
  if (gBarUnitStarted) return;
  gBarUnitStarted = true;
  BarStringsStartup();
  AccessibilityUnitStartup();
  BarUnitFinalizing = false;
  RegisterClasses({TdxBar::StaticClass(), TdxBarDockControl::StaticClass(), TdxBarGroup::StaticClass(), TdxBarScreenTip::StaticClass(),
                   TdxBarScreenTipBand::StaticClass(), TdxBarScreenTipCollection::StaticClass(),
                   TdxBarApplicationMenuButtons::StaticClass(), TdxBarApplicationMenuButton::StaticClass()});
  BindLayeredWindowProcs();
  BarManagers = new TdxBarManagerList;
  RefreshScreenConstants();
  RefreshCheckerBrush();
  BarControls = new TdxObjectList;
  BarNavigationController = new TdxBarNavigationController;
  FillItemClasses();
  RegisterDesignTimeClasses();
  LoadCursors();
  BarSkinPainterUnitStartup();
  BarCustomizationFormUnitStartup();
  dxBarInstallMenuAnimator();
  // The program is never a loadable library here, so the hook is always chained.
  if (!gInitProcChained) {
    gOldInitProc = InitProc;
    InitProc = &BarInitProc;
    gInitProcChained = true;
  }
}

void BarUnitShutdown() {
  if (!gBarUnitStarted) return;
  gBarUnitStarted = false;
  BarUnitFinalizing = true;
  dxBarRemoveMenuAnimator();
  BarCustomizationFormUnitShutdown();
  BarSkinPainterUnitShutdown();
  dxBarToolbarWindowsShutdown();
  // Unchained again where ours is the last hook, so that another start-up chains afresh; a hook
  // installed after ours keeps calling ours, which then only passes on (and is not chained twice).
  if (InitProc == &BarInitProc) {
    InitProc = gOldInitProc;
    gOldInitProc = nullptr;
    gInitProcChained = false;
  }
  FreeAndNil(BarNavigationController);
  AccessibilityUnitShutdown();
  FreeAndNil(BarControls);
  FreeAndNil(gBarItemClasses);
  FreeAndNil(gBarDesignController);
  FreeAndNil(gSharedFlatPainter);
  if (CheckerBrush) DeleteObject(CheckerBrush);
  CheckerBrush = nullptr;
  ReleaseBarHooks();
  FreeAndNil(BarManagers);
  UnRegisterClasses({TdxBar::StaticClass(), TdxBarDockControl::StaticClass(), TdxBarGroup::StaticClass(), TdxBarScreenTip::StaticClass(),
                     TdxBarScreenTipBand::StaticClass(), TdxBarScreenTipCollection::StaticClass(),
                     TdxBarApplicationMenuButtons::StaticClass(), TdxBarApplicationMenuButton::StaticClass()});
  BarStringsShutdown();
}
