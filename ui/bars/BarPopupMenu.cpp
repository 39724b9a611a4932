// The popup menu component: construction on the program's managers, its fonts and links, and
// showing its menu window with the optional modal loop.
#include "ui/bars/BarPopupMenu.h"

#include "platform/classes/Forms.h"
#include "platform/classes/Messages.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;
using namespace dxBarStrs;

namespace {

// The manager a new popup menu of AOwner belongs to; nil when the program has none.
TdxBarManager* ManagerForPopup(TComponent* AOwner) {
  if (auto* manager = dynamic_cast<TdxBarManager*>(AOwner)) return manager;
  if (!BarManagers) return nullptr;
  for (int i = 0; i < BarManagers->Count(); ++i)
    if (TdxBarManager* manager = BarManagers->Managers(i); manager && manager->Owner() == AOwner) return manager;
  return BarManagers->Managers(0);
}

// The focus lies in a window of the active chain of bars.
bool FocusInActiveChain() {
  const HWND focus = GetFocus();
  for (TCustomdxBarControl* bar = ActiveBarWindow; bar; bar = bar->ParentBar())
    if (bar->HandleAllocated() && bar->Handle() == focus) return true;
  return false;
}

}  // namespace

// ---- construction ---------------------------------------------------------------------------------

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* AOwner) : TdxBarComponent(AOwner) {
  TdxBarManager* manager = ManagerForPopup(AOwner);
  if (!manager) throw EdxException(cxGetResourceString(dxSBAR_NOBARMANAGERS));
  FBackgroundBitmap = new TBitmap;
  FItemFont = new TFont;
  FFont = new TFont;
  FFont->Assign(manager->Font());
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  FItemLinks = static_cast<TdxBarItemLinks*>(ItemLinksClass()->Create());
  FItemLinks->SetOwnerObject(this);
  SetBarManager(manager);
  FItemLinks->SetUseRecentItems(false);
}

TdxBarCustomPopupMenu::~TdxBarCustomPopupMenu() {
  // The menu window goes with the links: its close-up must not reach a popup half gone.
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(MenuControl())) {
    menu->OnCloseUp = nullptr;
    menu->OnPopup = nullptr;
  }
  // The links go first: their links report to the manager while it is still known.
  delete FItemLinks;
  FItemLinks = nullptr;
  DetachFromManager();
  FFont->OnChange = nullptr;
  delete FFont;
  delete FItemFont;
  delete FBackgroundBitmap;
}

void TdxBarPopupMenu::DeclareProperties(TPropTable& t) {
  using P = TdxBarPopupMenu;
  t.Add("BackgroundBitmap", &P::BackgroundBitmap, &P::SetBackgroundBitmap);
  t.Add("BarManager", &P::BarManager, &P::SetBarManager);
  t.Add("BarSize", static_cast<int (P::*)() const>(&P::BarSize), &P::SetBarSize).SetDefault(0);
  t.Add("Font", &P::Font, &P::SetFont).Stored(&P::UseOwnFont);
  t.Add("ItemLinks", static_cast<TdxBarItemLinks* (P::*)() const>(&P::ItemLinks), &P::SetItemLinks);
  t.Add("ItemOptions", &P::ItemOptions, &P::SetItemOptions);
  t.Add("UseOwnFont", &P::UseOwnFont, &P::SetUseOwnFont).SetDefault(false);
  t.Add("UseRecentItems", &P::UseRecentItems, &P::SetUseRecentItems).SetDefault(false);
  t.Add("OnCloseUp", &P::OnCloseUp);
  t.Add("OnPaintBar", &P::OnPaintBar);
  t.Add("OnPopup", &P::OnPopup);
}

// ---- the virtual operations -----------------------------------------------------------------------

TClass TdxBarCustomPopupMenu::MenuControlClass() const { return TdxBarSubMenuControl::StaticClass(); }

TClass TdxBarCustomPopupMenu::ItemLinksClass() const { return TdxBarSubMenuControlItemLinks::StaticClass(); }

TCustomdxBarControl* TdxBarCustomPopupMenu::CreateMenuControl() {
  return static_cast<TCustomdxBarControl*>(MenuControlClass()->Create(BarManager()));
}

void TdxBarCustomPopupMenu::FirePaintBar(TCanvas* ACanvas, const TRect& R) {
  if (OnPaintBar) OnPaintBar(this, ACanvas, R);
}

void TdxBarCustomPopupMenu::Changed(bool AAllItems) {
  TdxBarComponent::Changed(AAllItems);
  TdxBarManager* manager = BarManager();
  if (HasState(csDestroying) || !manager || !manager->IsDesigning()) return;
  if (TdxBarDesignController* controller = BarDesignController())
    controller->NotifyDesignerModified(dynamic_cast<TCustomForm*>(manager->Owner()));
}

void TdxBarCustomPopupMenu::Loaded() {
  TdxBarComponent::Loaded();
  TdxBarDesignController* controller = BarDesignController();
  if (controller) controller->LockDesignerNotify();
  try {
    FItemLinks->ResolveLoadedNames();
  } catch (...) {
    if (controller) controller->UnlockDesignerNotify();
    throw;
  }
  if (controller) controller->UnlockDesignerNotify();
}

// ---- properties -----------------------------------------------------------------------------------

void TdxBarCustomPopupMenu::SetBarManager(TdxBarManager* Value) {
  if (!Value || Value == BarManager()) return;
  if (TdxBarManager* old = BarManager()) old->RemovePopupMenu(static_cast<TdxBarPopupMenu*>(this));
  SetBarManagerReference(Value);
  FItemLinks->SetBarManager(Value);
  Value->AddPopupMenu(static_cast<TdxBarPopupMenu*>(this));
}

void TdxBarCustomPopupMenu::DetachFromManager() {
  if (TdxBarManager* old = BarManager()) old->RemovePopupMenu(static_cast<TdxBarPopupMenu*>(this));
  SetBarManagerReference(nullptr);
  if (FItemLinks) FItemLinks->SetBarManager(nullptr);
}

void TdxBarCustomPopupMenu::SetBarSize(int Value) { FBarSize = std::max(0, Value); }

void TdxBarCustomPopupMenu::FontChanged(TObject*) {
  if (!FInternalFontChange) FUseOwnFont = true;
  if (FUseOwnFont) {
    MakeEditFont(FFont, FItemFont, false);
  }
}

void TdxBarCustomPopupMenu::SetUseOwnFont(bool Value) {
  if (FUseOwnFont == Value) return;
  FUseOwnFont = Value;
  FInternalFontChange = true;
  try {
    if (Value)
      FontChanged(FFont);
    else if (TdxBarManager* manager = BarManager())
      FFont->Assign(manager->Font());
  } catch (...) {
    FInternalFontChange = false;
    throw;
  }
  FInternalFontChange = false;
}

void TdxBarCustomPopupMenu::ManagerFontChanged() {
  TdxBarManager* manager = BarManager();
  if (FUseOwnFont || !manager) return;
  FInternalFontChange = true;
  try {
    FFont->Assign(manager->Font());
  } catch (...) {
    FInternalFontChange = false;
    throw;
  }
  FInternalFontChange = false;
}

// ---- showing --------------------------------------------------------------------------------------

void TdxBarCustomPopupMenu::ShowAt(int X, int Y) {
  if (MenuControl()) return;
  TdxBarManager* manager = BarManager();
  TcxObjectLinkScope alive(this);
  CancelActiveFormModes();
  if (!alive.Alive()) return;
  if (!(manager && manager->IsCustomizing()))
    if (HWND capture = GetCapture()) {
      SendMessage(capture, CM_CANCELMODE, 0, 0);
      ReleaseCapture();
    }
  if (!alive.Alive()) return;
  if (!FOwnerControl && ActiveBarWindow && IsBarControlAlive(ActiveBarWindow) && !FocusInActiveChain()) {
    ActiveBarWindow->CloseUp();
    if (!alive.Alive()) return;
  }
  FItemLinks->CreateBarControl();
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(FItemLinks->BarControl());
  if (!menu) return;
  if (menu->ItemLinks() != FItemLinks) menu->SetItemLinks(FItemLinks);
  menu->SetLeft(X);
  menu->SetTop(Y);
  if (FOwnerItemControl)
    if (TCustomdxBarControl* bar = FOwnerItemControl->Parent()) bar->SetChildBar(menu);
  if (FOwnerBounds) menu->SetOwnerScreenBounds(*FOwnerBounds);
  menu->SetOwnerControl(FOwnerControl);
  menu->SetOwnerSize(FOwnerWidth, FOwnerHeight);
  if (auto* windowed = dynamic_cast<TWinControl*>(Owner())) menu->SetParentWindow(windowed->Handle());
  menu->OnCloseUp = [this](TObject* Sender) { MenuClosed(Sender); };
  menu->OnPopup = [this](TObject* Sender) { MenuShown(Sender); };
  menu->SetShowAnimation(FShowAnimation);
  try {
    menu->PopupMenuWindow();
  } catch (...) {
    if (alive.Alive()) {
      if (IsBarControlAlive(menu)) menu->CloseUp();
      // A menu that never got its window has no close-up to report.
      FVisible = false;
    }
    throw;
  }
  if (alive.Alive() && FUseOwnMessageLoop) RunOwnMessageLoop();
}

void TdxBarCustomPopupMenu::RunOwnMessageLoop() {
  TcxObjectLinkScope alive(this);
  // Visibility is checked after every message: an item's click that closed the menu must not
  // leave the caller waiting for further input.
  while (alive.Alive() && FVisible) {
    MSG msg{};
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!alive.Alive() || !FVisible) {
      // A sent message handled inside GetMessage closed the menu: this one belongs to the caller.
      PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      break;
    }
    if (msg.message == WM_COMMAND) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

void TdxBarCustomPopupMenu::MenuShown(TObject*) {
  FVisible = true;
  if (OnPopup) OnPopup(this);
}

void TdxBarCustomPopupMenu::MenuClosed(TObject*) {
  FVisible = false;
  if (OnCloseUp) OnCloseUp(this);
}

void TdxBarCustomPopupMenu::ShowForOwner(int X, int Y, int AOwnerWidth, int AOwnerHeight, bool AShowAnimation,
                                         const TRect* AOwnerBounds, bool AUseOwnMessageLoop,
                                         TWinControl* AOwnerControl) {
  FOwnerWidth = AOwnerWidth;
  FOwnerHeight = AOwnerHeight;
  FShowAnimation = AShowAnimation;
  FOwnerBounds = AOwnerBounds;
  FUseOwnMessageLoop = AUseOwnMessageLoop;
  FOwnerControl = AOwnerControl;
  // The owner bounds point into the caller's frame: they must not outlive this call, whatever
  // way it ends.
  TcxObjectLinkScope alive(this);
  struct Defaults {
    TdxBarCustomPopupMenu* Menu;
    const TcxObjectLinkScope& Alive;
    ~Defaults() {
      if (!Alive.Alive()) return;
      Menu->FUseOwnMessageLoop = true;
      Menu->FOwnerControl = nullptr;
      Menu->FOwnerBounds = nullptr;
      Menu->FOwnerWidth = Menu->FOwnerHeight = 0;
      Menu->FShowAnimation = true;
    }
  } restore{this, alive};
  ShowAt(X, Y);
}

void TdxBarCustomPopupMenu::ShowAtCursor() {
  POINT p{};
  GetCursorPos(&p);
  ShowAt(p.x, p.y);
}

bool TdxBarCustomPopupMenu::HandleShortCut(const TMessage& AKeyMessage) {
  TShortCut shortCut = static_cast<TShortCut>(AKeyMessage.WParam & 0xFFFF);
  if (GetKeyState(VK_SHIFT) < 0) shortCut += scShift;
  if (GetKeyState(VK_CONTROL) < 0) shortCut += scCtrl;
  // The key data's context bit tells that Alt is held.
  if (AKeyMessage.LParam & 0x20000000) shortCut += scAlt;
  return shortCut != 0 && FItemLinks->OfferShortCut(shortCut);
}

bool TdxBarCustomPopupMenu::CanLinkItem(TObject* AObject, String& AErrorText) {
  AErrorText.clear();
  auto* item = dynamic_cast<TdxBarItem*>(AObject);
  return item && dxBarAcceptsItemOn(FItemLinks, item, AErrorText);
}

bool TdxBarCustomPopupMenu::AcceptsItem(TdxBarItem* Item, String& ErrorText) { return CanLinkItem(Item, ErrorText); }
