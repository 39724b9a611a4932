// The base of every bar window: its place among the live bars and in the chains of bars, handle
// lifetime with the item controls, metrics and layout, the guarded rebuild, painting, the window
// procedure, hint placement and the seam towards the element a popup opened from.
#include <algorithm>
#include <cmath>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/bars/Accessibility.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarShadow.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Fader.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

TCustomdxBarControl* ActiveBarWindow = nullptr;
bool BarFullMenus = false;

namespace {
bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }
bool Overlaps(int a1, int a2, int b1, int b2) { return a1 < b2 && b1 < a2; }
TRect Moved(const TRect& R, int DX, int DY) { return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY}; }
POINT ToScreen(const TWinControl* Control, POINT P) {
  ClientToScreen(const_cast<TWinControl*>(Control)->Handle(), &P);
  return P;
}
// Sets bits of the state word for a scope; the bits go again only while the bar lives.
class TStateScope {
 public:
  TStateScope(TCustomdxBarControl* Bar, unsigned& State, unsigned Bits) : FAlive(Bar), FState(State), FBits(Bits) { FState |= FBits; }
  ~TStateScope() {
    if (FAlive.Alive()) FState &= ~FBits;
  }
  bool Alive() const { return FAlive.Alive(); }

 private:
  TcxObjectLinkScope FAlive;
  unsigned& FState;
  unsigned FBits;
};
}  // namespace

// ---- construction and destruction ----

TCustomdxBarControl::TCustomdxBarControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FBarCanvas = new TcxCanvas(Canvas());
  AddBarControl(this);
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
  UpdateDoubleClicks();
  SetColor(clBtnFace);
  FLastMousePos = {-1, -1};
  FShadow = new TdxBarShadow(this);
  SetVisible(false);
  SetBounds(100, 100, 50, 30);
  FBackgroundTempBitmap = new TBitmap;
  FViewState = 0;
}

void TCustomdxBarControl::BeforeDestruction() {
  // Asked while the window is still whole: the destructor no longer reaches the derived answers.
  FMenuHandsBackSelection = BarKind() == 2;
  BeforeDestroy();
  TCustomControl::BeforeDestruction();
}

void TCustomdxBarControl::BeforeDestroy() {
  if (FState & dxBarBeingDestroyed) return;
  FState |= dxBarBeingDestroyed;
  if (TCustomdxBarControl* child = ChildBar(); child && !(child->FState & dxBarBeingDestroyed)) TObject::Free(child);
  if (TCustomdxBarControl* parent = ParentBar(); parent && parent->ChildBar() == this) parent->SetChildBar(nullptr);
}

TCustomdxBarControl::~TCustomdxBarControl() {
  BeforeDestroy();
  if (!HasState(csDestroying)) Destroying();
  DetachAccessibilityHelper(FAccessibilityHelper);
  TdxBarManager* manager = BarManager();
  if (manager) {
    manager->EndMouseTracking(this);
    if (manager->FocusedBarControl() == this) manager->SetFocusedBarControl(nullptr);
  }
  FireDestroying();
  if (manager && manager->SelectedItem() && OwnsItemControl(manager->SelectedItem())) manager->SetSelectedItem(nullptr);
  if (HandleAllocated())
    DestroyHandle();
  else
    DestroyControls();
  if (FItemLinks && FItemLinks->BarControl() == this) FItemLinks->SetBarControl(nullptr);
  // A menu that closes while customizing hands the selection back to the sub-item that opened it.
  TCustomdxBarControl* parent = ParentBar();
  if (manager && FMenuHandsBackSelection && InCustomizingMode() && parent && IsBarControlAlive(parent)) {
    FSelectedLink = nullptr;
    if (TdxBarItemControl* opener = parent->SelectedControl()) {
      manager->SetSelectedItem(opener, parent);
      opener->Deactivate(true);
      parent->InvalidateItemControl(opener);
    }
  }
  RemoveBarControl(this);
  // The active bar never outlives its window: the chain falls back to the bar active before.
  if (ActiveBarWindow == this) {
    TCustomdxBarControl* previous = PreviousActiveBar();
    ActiveBarWindow = previous && IsBarControlAlive(previous) && previous->FIsActive ? previous : nullptr;
  }
  InvalidateObjectLinks(this);
  FreeObjectLink(FChildBarLink);
  FreeObjectLink(FParentBarLink);
  FreeObjectLink(FPreviousActiveBarLink);
  delete FShadow;
  delete FBackgroundTempBitmap;
  delete FViewInfo;
  delete FBarCanvas;
  delete FActiveCanvas;
  FShadow = nullptr;
  FViewInfo = nullptr;
  FState |= dxBarDestroyed;
}

void TCustomdxBarControl::UpdateDoubleClicks() {
  TdxBarManager* manager = BarManager();
  TControlStyle style = ControlStyle();
  if (manager && (manager->ResolvedStyle() != bmsStandard || manager->IsCustomizing()))
    style.Include(csDoubleClicks);
  else
    style.Exclude(csDoubleClicks);
  SetControlStyle(style);
}

TdxBarManager* TCustomdxBarControl::BarManager() const { return dynamic_cast<TdxBarManager*>(Owner()); }

TCustomdxBarControlViewInfo* TCustomdxBarControl::ViewInfo() const {
  // Made on first use: the class comes from the most derived window, which a constructor cannot ask.
  if (!FViewInfo && !(FState & dxBarDestroyed)) {
    TClass cls = ViewInfoClass();
    TObject* made = cls && cls->CanCreate() ? cls->Create(const_cast<TCustomdxBarControl*>(this)) : nullptr;
    FViewInfo = dynamic_cast<TCustomdxBarControlViewInfo*>(made);
    if (!FViewInfo) {
      delete made;
      FViewInfo = new TCustomdxBarControlViewInfo(const_cast<TCustomdxBarControl*>(this));
    }
  }
  return FViewInfo;
}

TObject* TCustomdxBarControl::AccessibilityHelper() {
  if (!FAccessibilityHelper) {
    FAccessibilityHelper = CreateAccessibilityHelper(AccessibilityHelperClass(), this);
  }
  return FAccessibilityHelper;
}

void TCustomdxBarControl::FireDestroying() {
  if (OnDestroying) OnDestroying(this);
}

void TCustomdxBarControl::SetItemLinks(TdxBarItemLinks* Value) {
  if (FItemLinks == Value) return;
  if (FItemLinks && FItemLinks->BarControl() == this) FItemLinks->SetBarControl(nullptr);
  FItemLinks = Value;
  if (FItemLinks) FItemLinks->SetBarControl(this);
}

void TCustomdxBarControl::ItemLinkDestroying(TdxBarItemLink* ALink) {
  if (FSelectedLink == ALink) FSelectedLink = nullptr;
  if (FPrevTrackedLink == ALink) FPrevTrackedLink = nullptr;
  // A generated link freed by user code leaves its generation, which would free it again.
  for (TdxBarContainerLinkData* data : FExpandedContainers) {
    if (data->ItemLink == ALink) data->ItemLink = nullptr;
    data->InPlaceItems->Extract(ALink);
  }
}

void TCustomdxBarControl::ItemControlDestroying(TdxBarItemControl* AControl) {
  if (FViewInfo) FViewInfo->RemoveItemControl(AControl);
  if (FClickedControl == AControl) FClickedControl = nullptr;
}

// ---- handle lifetime ----

void TCustomdxBarControl::CreateHandle() {
  TCustomControl::CreateHandle();
  CreateControls();
  UpdateAfterHandle();
}

void TCustomdxBarControl::CreateWnd() {
  TCustomControl::CreateWnd();
  AssignFont();
  CalcMetrics();
}

void TCustomdxBarControl::DestroyWnd() {
  if (HandleAllocated()) {
    ReleaseControls();
    DestroyControls();
  }
  TCustomControl::DestroyWnd();
}

void TCustomdxBarControl::ReleaseControls() {
  if (!IsDestroying()) MouseLeft();
  if (!FItemLinks) return;
  for (int i = 0; i < FItemLinks->Count(); ++i)
    if (TdxBarItemControl* control = FItemLinks->Items(i)->Control()) control->BarWindowDestroyed();
}

TcxCanvas* TCustomdxBarControl::DrawCanvas() {
  if (HandleAllocated()) {
    if (FActiveCanvas) {
      delete FActiveCanvas;
      FActiveCanvas = nullptr;
      UpdateCanvasFont();
    }
    return FBarCanvas;
  }
  if (!FActiveCanvas) {
    FActiveCanvas = new TcxScreenCanvas;
    UpdateCanvasFont();
  }
  return FActiveCanvas;
}

void TCustomdxBarControl::UpdateCanvasFont() {
  if (FState & dxBarSettingCanvasFont) return;
  TStateScope guard(this, FState, dxBarSettingCanvasFont);
  TCanvas* canvas = (FActiveCanvas && !HandleAllocated() ? static_cast<TcxCanvas*>(FActiveCanvas) : FBarCanvas)->Canvas();
  if (!canvas) return;
  if (RotatesText()) {
    LOGFONT lf{};
    GetObject(Font()->Handle(), sizeof(lf), &lf);
    lf.lfEscapement = -900;
    lf.lfOrientation = -900;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    canvas->Font()->SetHandle(CreateFontIndirect(&lf));
  } else {
    canvas->Font()->Assign(Font());
  }
}

// ---- metrics and layout ----

int TCustomdxBarControl::ReferenceTextSize() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->NominalTextSize() : 19;
}

int TCustomdxBarControl::TextSize() const {
  TdxBarPainter* painter = BarPainter();
  if (!painter) return 19;
  return painter->EditMinHeight(const_cast<TCustomdxBarControl*>(this)->DrawCanvas()->DeviceContext());
}

int TCustomdxBarControl::IconAreaSize() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->CalcIconAreaSize(const_cast<TCustomdxBarControl*>(this), false) : 19;
}

TFont* TCustomdxBarControl::ItemsFont() const {
  TdxBarManager* manager = BarManager();
  return manager ? manager->Font() : nullptr;
}

TdxFader* TCustomdxBarControl::BarFader() const { return FaderInstance; }

HFONT TCustomdxBarControl::FontHandle() const {
  TFont* font = ItemsFont();
  return font ? font->Handle() : nullptr;
}

void TCustomdxBarControl::CalcMetrics() {
  FTextSize = TextSize();
  int reference = ReferenceTextSize();
  FRatio = reference > 0 ? std::max(1.0, static_cast<double>(FTextSize) / reference) : 1.0;
  FMenuArrowHeight = std::max(4, FTextSize / 5);
  FIconAreaSize = IconAreaSize();
  TdxBarPainter* painter = BarPainter();
  if (!painter) return;
  HDC dc = DrawCanvas()->DeviceContext();
  HFONT font = FontHandle();
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SIZE zero{};
  GetTextExtentPoint32(dc, "0", 1, &zero);
  if (previous) SelectObject(dc, previous);
  FEditTextSize = painter->EditTextAreaHeight(zero.cy);
  FComboBoxArrowWidth = painter->ComboArrowWidth(zero.cx);
}

int TCustomdxBarControl::ItemHeight(TdxBarItemControl* AControl) const {
  return AControl && AControl->Height() > 0 ? AControl->Height() : TextSize();
}

int TCustomdxBarControl::SeparatorSizeBefore(TdxBarItemLink* ALink) const {
  return ALink && FItemLinks && ALink->BeginGroup() && FItemLinks->IndexInVisible(ALink) > 0 ? SeparatorSize() : 0;
}

void TCustomdxBarControl::CalcItemRects(int AKind, int ATopIndex) {
  FVisibleItemsRect = FItemsRect;
  ReserveTopArea();
  if (FItemLinks) FItemLinks->ClearItemRects();
  if (AKind == 1) {
    int bottom = 0;
    CalcVerticalItemRects(ATopIndex, bottom);
  } else if (AKind == 0 || AKind == 2) {
    CalcHorizontalItemRects();
  }
  ReserveBottomArea();
}

void TCustomdxBarControl::CalcVerticalItemRects(int ATopIndex, int& ABottom) {
  const TRect& v = FVisibleItemsRect;
  int y = v.Top;
  ABottom = y;
  if (!FItemLinks) return;
  bool placed = false;
  for (int i = std::max(0, ATopIndex); i < FItemLinks->VisibleCount(); ++i) {
    TdxBarItemLink* link = FItemLinks->VisibleLinks(i);
    int y0 = y + SeparatorSizeBefore(link);
    y = y0 + LaidOutItemHeight(link->Control());
    if (y > v.Bottom) {
      TRect last{v.Left, y0, v.Right, y};
      if (ClipsLastItem(last)) {
        link->SetItemRect(last);
        ABottom = v.Bottom;
      } else {
        ABottom = placed ? ABottom : y0;
      }
      return;
    }
    link->SetItemRect(TRect{v.Left, y0, v.Right, y});
    ABottom = y;
    placed = true;
  }
}

// ---- item controls ----

void TCustomdxBarControl::CreateControls() {
  if (FState & (dxBarCreatingControls | dxBarDestroyingControls)) return;
  TStateScope guard(this, FState, dxBarCreatingControls);
  if (BarKind() == 2 && !InCustomizingMode()) ExpandContainers();
  if (guard.Alive()) CreateItemControls();
}

void TCustomdxBarControl::DestroyControls() {
  if (FState & (dxBarCreatingControls | dxBarDestroyingControls)) return;
  TStateScope guard(this, FState, dxBarDestroyingControls);
  DestroyItemControls();
  CollapseContainers();
}

void TCustomdxBarControl::CreateItemControls() {
  if (!FItemLinks) return;
  for (int i = 0; i < FItemLinks->CanVisibleCount(); ++i) FItemLinks->CanVisibleLinks(i)->CreateControl();
}

void TCustomdxBarControl::DestroyItemControls() {
  // The painting order holds the controls about to go.
  if (FViewInfo) FViewInfo->Clear();
  if (!FItemLinks) return;
  for (int i = 0; i < FItemLinks->CanVisibleCount(); ++i) FItemLinks->CanVisibleLinks(i)->FreeControl();
}

bool TCustomdxBarControl::OwnsItemControl(TdxBarItemControl* AControl) const {
  return AControl && FItemLinks && FItemLinks->HasControl(AControl);
}

void TCustomdxBarControl::ExpandContainers() {
  if (!FItemLinks) return;
  std::vector<TdxBarItemLink*> containers;
  for (int i = 0; i < FItemLinks->Count(); ++i)
    if (dynamic_cast<TCustomdxBarContainerItem*>(FItemLinks->Items(i)->Item())) containers.push_back(FItemLinks->Items(i));
  TcxObjectLinkScope alive(this);
  TCollectionUpdate update(FItemLinks);
  for (TdxBarItemLink* link : containers) {
    auto* item = static_cast<TCustomdxBarContainerItem*>(link->Item());
    auto* data = new TdxBarContainerLinkData(item, link, link->Index());
    FExpandedContainers.push_back(data);
    bool inPlace = item->ExpandsInPlace();
    if (inPlace) data->SavedRecentIndex = link->RecentIndex();
    item->Populate(FItemLinks, data, link->Index() + 1);
    if (!alive.Alive()) return;
    if (inPlace) {
      FItemLinks->MoveToRecentEnd(link);
      data->LinkHidden = true;
      link->SetCollection(nullptr);
    }
  }
}

void TCustomdxBarControl::CollapseContainers() {
  std::vector<TdxBarContainerLinkData*> expanded;
  expanded.swap(FExpandedContainers);
  TCollectionUpdate update(expanded.empty() ? nullptr : FItemLinks);
  for (TdxBarContainerLinkData* data : expanded) {
    data->Item->ScheduleClear();
    data->Item->Collapse(data);
    // Links may have gone meanwhile (a click handler deleting one): the link returns no further
    // than the end of the collection.
    if (data->LinkHidden && data->ItemLink && FItemLinks) {
      data->ItemLink->SetCollection(FItemLinks);
      data->ItemLink->SetIndex(std::min(data->ItemLinkIndex, FItemLinks->Count() - 1));
      if (data->SavedRecentIndex >= 0) FItemLinks->MoveToRecentPosition(data->ItemLink, data->SavedRecentIndex);
    } else if (data->LinkHidden && data->ItemLink) {
      delete data->ItemLink;
    }
    delete data;
  }
}

// ---- the rebuild ----

bool TCustomdxBarControl::IsUpdateLocked() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->IsLocked();
}

void TCustomdxBarControl::RebuildBar(bool ARecreate) {
  if (IsDestroying() || !HandleAllocated()) return;
  if (FState & (dxBarRebuilding | dxBarCreatingControls | dxBarDestroyingControls)) return;
  if (IsUpdateLocked()) return;
  TStateScope guard(this, FState, dxBarRebuilding);
  TdxBarManager* manager = BarManager();
  TdxBarItemLink* remembered = nullptr;
  if (InCustomizingMode()) {
    if (manager && manager->SelectedItem() && OwnsItemControl(manager->SelectedItem())) {
      remembered = manager->SelectedItem()->ItemLink();
      manager->SetSelectedItem(nullptr);
    }
    FSelectedLink = nullptr;
  }
  Rebuild(ARecreate);
  if (guard.Alive() && remembered && FItemLinks && FItemLinks->IndexOf(remembered) >= 0)
    SelectControlByKeyboard(remembered->Control());
}

void TCustomdxBarControl::Rebuild(bool ARecreate) {
  if (!ARecreate) return;
  DestroyControls();
  CreateControls();
  if (TdxBarManager* manager = BarManager()) manager->RefreshHotTracking();
}

// ---- selection and activation (BarControlInput.cpp has the rest) ----

TdxBarItemControl* TCustomdxBarControl::SelectedControl() const { return FSelectedLink ? FSelectedLink->Control() : nullptr; }

void TCustomdxBarControl::HandleItemActivated(TdxBarItemControl* AControl) {
  if (BehaviourFlags() & dxBarBehaviourSelectOnActivate)
    SetSelectedControl(AControl);
  else
    CloseByEscape();
}

void TCustomdxBarControl::ActivateWithControl(TdxBarItemControl* AControl) {
  TcxObjectLinkScope alive(this);
  SelectControlByKeyboard(AControl);
  if (alive.Alive()) SetActiveState(true);
}

void TCustomdxBarControl::DeactivateAndDeselect() {
  TcxObjectLinkScope alive(this);
  SelectControlByKeyboard(nullptr);
  if (alive.Alive()) SetActiveState(false);
}

TCustomdxBarControl* TCustomdxBarControl::PreviousActiveBar() const {
  return static_cast<TCustomdxBarControl*>(LinkedObjectOf(FPreviousActiveBarLink));
}

bool TCustomdxBarControl::CanActivate() const {
  return Application->Active() || IsWindowEnabled() || InCustomizingMode();
}

void TCustomdxBarControl::SetActiveState(bool AActive) {
  HideHint(BarManager());
  bool refused = FIsActive == AActive || !CanActivate();
  if (refused && (!InCustomizingMode() || AActive)) return;
  SetActive(AActive);
}

bool TCustomdxBarControl::AcceptsMouseInput() const {
  TCustomdxBarControl* active = ActiveBarWindow;
  if (!active || !IsBarControlAlive(active)) return true;
  for (TCustomdxBarControl* bar = active; bar; bar = bar->ParentBar())
    if (bar == this) return true;
  return false;
}

void TCustomdxBarControl::SetViewState(int Value) {
  if (FViewState == Value || InCustomizingMode()) return;
  int previous = FViewState;
  FViewState = Value;
  ViewStateChanged(previous);
}

bool TCustomdxBarControl::IsFocusedBar() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->FocusedBarControl() == this;
}

void TCustomdxBarControl::HideFocus() {
  if (IsFocusedBar()) DeactivateAndDeselect();
}

void TCustomdxBarControl::CloseByEscape() {
  FClosedByEscape = true;
  CloseUp();
}

void TCustomdxBarControl::CloseUp() {
  if (FState & dxBarClosingUp) return;
  TStateScope guard(this, FState, dxBarClosingUp);
  DoCloseUp();
}

void TCustomdxBarControl::DoCloseUp() {
  TcxObjectLinkScope alive(this);
  SetActiveState(false);
  if (!alive.Alive()) return;
  TCustomdxBarControl* parent = ParentBar();
  if (parent && IsBarControlAlive(parent) && !FClosedByEscape) parent->CloseUp();
}

bool TCustomdxBarControl::ClosesForWindow(TdxBarManager* AManager, HWND AWindow) const {
  if (InCustomizingMode()) {
    TdxBarManager* manager = BarManager();
    TForm* form = manager ? manager->CustomizingForm() : nullptr;
    if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) && manager->Owner() == form &&
        AWindow != (FHandle))
      return true;
  }
  TdxBarItemControl* selected = SelectedControl();
  return !(selected && !selected->LetsBarsCloseFor(AManager));
}

bool TCustomdxBarControl::AllowsCustomizingPopup(bool ARightClick) const {
  bool noPopupFlag = (BehaviourFlags() & dxBarBehaviourNoCustomizingPopup) != 0;
  bool first = (!noPopupFlag && !IsInternal()) || InCustomizingMode();
  return ARightClick ? first : noPopupFlag && !first;
}

void TCustomdxBarControl::HandleKeyDown(TMessage& Message) {
  TdxBarItemControl* selected = SelectedControl();
  if (Message.WParam != VK_RETURN || !selected) return;
  selected->Invoke(false);
}

TdxBarItemLink* TCustomdxBarControl::FindLinkByAccelerator(WORD Key, TShiftState Shift, TdxBarItemLink* AStart) {
  return FItemLinks ? FItemLinks->FindAcceleratorNoAlt(Key, Shift, AStart) : nullptr;
}

namespace {
bool ItemEnabled(TdxBarItemLink* Link) { return Link && Link->Item() && Link->Item()->Enabled(); }
}  // namespace

TdxBarItemLink* TCustomdxBarControl::FindEnabledAcceleratedLink(WORD Key, TShiftState Shift, bool& AAmbiguous,
                                                                TdxBarItemLink* AStart) {
  AAmbiguous = false;
  // The searches cycle: each ends where it started, so letters of disabled links find nothing.
  TdxBarItemLink* first = FindLinkByAccelerator(Key, Shift, AStart);
  TdxBarItemLink* found = first;
  while (found && !ItemEnabled(found)) {
    found = FindLinkByAccelerator(Key, Shift, found);
    if (found == first) found = nullptr;
  }
  if (!found) return nullptr;
  for (TdxBarItemLink* other = FindLinkByAccelerator(Key, Shift, found); other && other != found;
       other = FindLinkByAccelerator(Key, Shift, other)) {
    if (ItemEnabled(other)) {
      AAmbiguous = true;
      break;
    }
    if (other == first && first != found) break;
  }
  return found;
}

void TCustomdxBarControl::SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) {
  TcxObjectLinkScope alive(this);
  SelectControlByKeyboard(AControl);
  if (alive.Alive() && !AAmbiguous && HandleAllocated()) SendMessage(Handle(), WM_KEYDOWN, VK_RETURN, 0);
}

// ---- the painter and the window's look ----

TdxBarPainter* TCustomdxBarControl::BarPainter() const {
  if (FPainter) return FPainter;
  if (TCustomdxBarControl* parent = ParentBar(); parent && parent != this) return parent->BarPainter();
  if (FDockControl) return FDockControl->Painter();
  TdxBarManager* manager = BarManager();
  return manager ? manager->Painter() : nullptr;
}

HBRUSH TCustomdxBarControl::BackgroundBrush() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->ToolbarBrush(BarManager()) : GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TCustomdxBarControl::DownBrush() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->DownBrush(BarManager()) : nullptr;
}

HBRUSH TCustomdxBarControl::DownHotBrush() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->DownHotBrush(BarManager()) : nullptr;
}

HBRUSH TCustomdxBarControl::HotBrush() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->HotBrush(BarManager()) : nullptr;
}

bool TCustomdxBarControl::LinksMenuToOwner() const {
  TdxBarPainter* painter = BarPainter();
  return painter && painter->LinksMenuToOwner();
}

int TCustomdxBarControl::DropDownOffset() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->SubMenuVertOffset() : 0;
}

bool TCustomdxBarControl::PainterWantsShadow() const {
  TdxBarPainter* painter = BarPainter();
  return painter && painter->WantsShadow(const_cast<TCustomdxBarControl*>(this));
}

// The window itself, not the property: menus are shown and hidden through the window system.
bool TCustomdxBarControl::ShowsShadow() const { return PainterWantsShadow() && HandleAllocated() && IsWindowVisible(FHandle); }

bool TCustomdxBarControl::HasBackgroundBitmap() const { return FDockControl && FDockControl->HasOwnBackgroundBitmap(); }

bool TCustomdxBarControl::HasOwnBackground() const { return FDockControl && FDockControl->HasBackgroundPicture(); }

void TCustomdxBarControl::ResetBackgroundCache() {
  if (FBackgroundTempBitmap) FBackgroundTempBitmap->SetSize(0, 0);
}

void TCustomdxBarControl::UpdateDoubleBuffered() {
  TdxBarManager* manager = BarManager();
  if (HasOwnBackground() || (manager && manager->OtherManagerCustomizing())) {
    SetDoubleBuffered(true);
    return;
  }
  TdxBarPainter* painter = BarPainter();
  SetDoubleBuffered(painter && painter->WantsDoubleBuffer());
}

void TCustomdxBarControl::SetDockControl(TdxDockControl* Value) {
  FDockControl = Value;
  UpdateDoubleBuffered();
}

void TCustomdxBarControl::SetDockingStyle(TdxBarDockingStyle Value) {
  if (FDockingStyle == Value) return;
  FDockingStyle = Value;
  ResetBackgroundCache();
  Perform(CM_FONTCHANGED, 0, 0);
  UpdateAfterHandle();
}

void TCustomdxBarControl::SetDetachCursor(bool ASelected) { SetCursor(ASelected ? crSizeAll : crDefault); }

void TCustomdxBarControl::FillPlainBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush) {
  RECT r = R;
  if (ABrush)
    FillRect(DC, &r, ABrush);
  else if (AColor != clNone && AColor != dxBarNoColor && AColor != clDefault) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
    FillRect(DC, &r, brush);
    DeleteObject(brush);
  }
}

void TCustomdxBarControl::FillNonClientBackground(HDC DC, HRGN ARegion, bool /*AFlag*/, HBRUSH ABrush) {
  int saved = SaveDC(DC);
  if (ARegion) SelectClipRgn(DC, ARegion);
  FillBarBackground(DC, NonClientRect(), true, dxBarNoColor, ABrush);
  RestoreDC(DC, saved);
}

// ---- painting ----

bool TCustomdxBarControl::CanPaintItem(TdxBarItemControl* AControl) const {
  if (IsDestroying() || !AControl || !AControl->ItemLink()) return false;
  TdxBarItem* item = AControl->ItemLink()->Item();
  if (!item || !item->IsVisibleNow()) return false;
  if ((FState & dxBarPaintingItem) || IsUpdateLocked()) return false;
  return ViewInfo()->Contains(AControl);
}

void TCustomdxBarControl::PaintItems() {
  TcxCanvas* canvas = DrawCanvas();
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->Count(); ++i) {
    TdxBarItemControl* control = info->Items(i);
    if (CanPaintItem(control)) PaintItemControl(canvas, control);
    TRect r = ControlRect(control);
    ExcludeClipRect(canvas->DeviceContext(), r.Left, r.Top, r.Right, r.Bottom);
  }
}

void TCustomdxBarControl::PaintItemControl(TcxCanvas* ACanvas, TdxBarItemControl* AControl) {
  TStateScope guard(this, FState, dxBarPaintingItem);
  FCurrentBackgroundBrush = BackgroundBrush();
  DrawItemControl(AControl, ACanvas, ControlRect(AControl));
}

void TCustomdxBarControl::DrawItemControl(TdxBarItemControl* AControl, TcxCanvas* ACanvas, const TRect& R) {
  HDC dc = ACanvas->DeviceContext();
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  bool hadClip = GetClipRgn(dc, saved) == 1;
  TRect bounds = ControlRect(AControl);
  IntersectClipRect(dc, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
  try {
    AControl->Paint(ACanvas, R, ItemDrawMode());
  } catch (...) {
    SelectClipRgn(dc, hadClip ? saved : nullptr);
    DeleteObject(saved);
    throw;
  }
  SelectClipRgn(dc, hadClip ? saved : nullptr);
  DeleteObject(saved);
  // The designer's selection: a solid frame when the designer shows default selections, else dotted.
  TdxBarItemLink* link = AControl->ItemLink();
  if (!link || !link->IsSelectedInDesigner()) return;
  RECT r = R;
  TdxBarDesignController* controller = BarDesignController();
  if (controller && controller->ShowsDefaultSelections) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
  } else {
    COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &r);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
  }
}

void TCustomdxBarControl::PaintNonClient(TMessage& Message) {
  if (!PaintsNonClientBuffered()) {
    TCustomControl::WndProc(Message);
    return;
  }
  HDC dc = AcquireWindowDC();
  try {
    TCustomControl::WndProc(Message);
    DrawNonClient(dc);
  } catch (...) {
    ReleaseWindowDC(dc);
    throw;
  }
  ReleaseWindowDC(dc);
}

void TCustomdxBarControl::Resize() {
  TCustomControl::Resize();
  if (IsPopupWindow() && HandleAllocated())
    if (TdxBarPainter* painter = BarPainter()) painter->PrepareBarResize(Handle(), NonClientRect(), true);
}

// ---- geometry ----

TRect TCustomdxBarControl::ControlRect(TdxBarItemControl* AControl) const {
  return AControl && AControl->ItemLink() ? AControl->ItemLink()->ItemRect() : TRect{};
}

TRect TCustomdxBarControl::ControlScreenRect(TdxBarItemControl* AControl) const {
  TRect r = ControlRect(AControl);
  if (!HandleAllocated()) return r;
  POINT origin = ToScreen(this, POINT{0, 0});
  return Moved(r, origin.x, origin.y);
}

TRect TCustomdxBarControl::WindowRect() const {
  if (!HandleAllocated()) return BoundsRect();
  RECT r{};
  GetWindowRect(FHandle, &r);
  return r;
}

TRect TCustomdxBarControl::NonClientRect() const {
  TRect r = WindowRect();
  return {0, 0, r.Right - r.Left, r.Bottom - r.Top};
}

TPoint TCustomdxBarControl::ClientOffset() const {
  if (!HandleAllocated()) return {0, 0};
  TRect w = WindowRect();
  POINT origin = ToScreen(this, POINT{0, 0});
  return {origin.x - w.Left, origin.y - w.Top};
}

TRect TCustomdxBarControl::ClientRectInWindow() const {
  TPoint offset = ClientOffset();
  TRect c = const_cast<TCustomdxBarControl*>(this)->ClientRect();
  return Moved(c, offset.X, offset.Y);
}

bool TCustomdxBarControl::IsWindowEnabled() const {
  if (!HandleAllocated()) return false;
  for (HWND w = FHandle; w; w = GetParent(w))
    if (!win::IsWindowEnabled(w)) return false;
  return true;
}

TWinControl* TCustomdxBarControl::OwnerControl() const {
  return FOwnerBounds.Right > FOwnerBounds.Left && FOwnerBounds.Bottom > FOwnerBounds.Top ? FOwnerControl : nullptr;
}

bool TCustomdxBarControl::IsAncestorOf(TCustomdxBarControl* ABar) const {
  for (TCustomdxBarControl* bar = ABar ? ABar->ParentBar() : nullptr; bar; bar = bar->ParentBar())
    if (bar == this) return true;
  return false;
}

bool TCustomdxBarControl::CursorOverWindow() const {
  if (!HandleAllocated()) return false;
  POINT p{};
  GetCursorPos(&p);
  return WindowFromPoint(p) == FHandle;
}

bool TCustomdxBarControl::ShouldIgnoreMouse(bool ACheckUnmoved) const {
  if (InCustomizingMode() || !HandleAllocated() || !IsWindowVisible(FHandle)) return true;
  POINT p{};
  GetCursorPos(&p);
  if (ACheckUnmoved && p.x == FLastMousePos.X && p.y == FLastMousePos.Y) return true;
  return !Contains(WindowRect(), TPoint{p.x, p.y});
}

bool TCustomdxBarControl::ContainsScreenPoint(const TPoint& P) const {
  if (!HandleAllocated()) return false;
  POINT s = ToScreen(this, POINT{P.X, P.Y});
  if (IsFocusedBar()) return Contains(MouseTrackingArea(), TPoint{s.x, s.y});
  return WindowFromPoint(s) == FHandle || ItemControlAtPoint(P) != nullptr;
}

void TCustomdxBarControl::ShowNoActivate() {
  if (!HandleAllocated()) return;
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  if (TdxBarItemControl* selected = SelectedControl()) selected->BarShown(true);
}

void TCustomdxBarControl::RedrawFrame() {
  if (!HandleAllocated()) return;
  SendMessage(Handle(), WM_NCPAINT, 0, 0);
  Invalidate();
}

void TCustomdxBarControl::HandleWindowPosChanged(const WINDOWPOS& APos) {
  if (IsDestroying()) return;
  if ((APos.flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) UpdateShadow();
  FShadow->SetShown(ShowsShadow());
  ResetBackgroundCache();
}

void TCustomdxBarControl::UpdateShadow() {
  TdxBarPainter* painter = BarPainter();
  TRect owner = TouchesOwner() && painter && painter->ShadowAgainstOwner(this) ? FOwnerBounds : TRect{};
  FShadow->SetBounds(owner, WindowRect());
}

TPoint TCustomdxBarControl::AdjustHintPosition(const TPoint& APoint, int AHintHeight) {
  int offset = ScaleByScreenDpi(20);
  RECT work = Screen->WorkAreaRect();
  if (TMonitor* monitor = Screen->MonitorFromPoint(POINT{APoint.X, APoint.Y})) work = monitor->WorkareaRect();
  if (APoint.Y + offset + AHintHeight <= work.bottom) return {APoint.X, APoint.Y + offset};
  POINT top = HandleAllocated() ? ToScreen(this, POINT{0, 0}) : POINT{Left(), Top()};
  return {APoint.X, top.y - AHintHeight};
}

bool TCustomdxBarControl::TouchesOwner() const {
  const TRect& o = FOwnerBounds;
  if (o.Right <= o.Left || o.Bottom <= o.Top) return false;
  TRect w{Left(), Top(), Left() + Width(), Top() + Height()};
  return ((w.Top == o.Bottom || w.Bottom == o.Top) && Overlaps(w.Left, w.Right, o.Left, o.Right)) ||
         ((w.Left == o.Right || w.Right == o.Left) && Overlaps(w.Top, w.Bottom, o.Top, o.Bottom));
}

TRect TCustomdxBarControl::OwnerGapRect(bool AScreen) const {
  if (!TouchesOwner()) return {};
  TRect w{0, 0, Width(), Height()};
  TRect o = Moved(FOwnerBounds, -Left(), -Top());
  // A seam along a vertical edge is worked out as a horizontal one with the axes swapped.
  bool vertical = !(w.Top == o.Bottom || w.Bottom == o.Top);
  auto swap = [](TRect& r) { r = TRect{r.Top, r.Left, r.Bottom, r.Right}; };
  if (vertical) {
    swap(w);
    swap(o);
  }
  TRect r;
  if (w.Top == o.Bottom) {
    r.Top = w.Top;
    r.Bottom = r.Top + 1;
    if (AScreen) r = Moved(r, 0, -1);
  } else {
    r.Bottom = w.Bottom;
    r.Top = r.Bottom - 1;
    if (AScreen) r = Moved(r, 0, 1);
  }
  r.Left = std::max(w.Left, o.Left) + 1;
  r.Right = std::min(w.Right, o.Right) - 1;
  if (vertical) swap(r);
  return AScreen ? Moved(r, Left(), Top()) : r;
}

// ---- the window procedure ----

void TCustomdxBarControl::ReturnFocus() {
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  TForm* customizing = manager->CustomizingForm();
  if (InCustomizingMode() && customizing && customizing->HandleAllocated() && IsWindowVisible(customizing->Handle())) {
    // The bar stays above the form that takes the focus.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    win::SetFocus(customizing->Handle());
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  auto* owner = dynamic_cast<TWinControl*>(manager->Owner());
  if (!owner || !owner->HandleAllocated()) return;
  HWND target = owner->Handle();
  if (!IsWindowVisible(target)) target = GetWindow(target, GW_HWNDNEXT);
  if (target) win::SetFocus(target);
}

void TCustomdxBarControl::WMCtlColorEdit(TMessage& Message) {
  auto child = reinterpret_cast<HWND>(Message.LParam);
  if (FItemLinks)
    for (int i = 0; i < FItemLinks->Count(); ++i) {
      TdxBarItemControl* control = FItemLinks->Items(i)->Control();
      if (!control || !child || control->EditWindow() != child || !control->DrawParams()) continue;
      TdxBarPainter* painter = BarPainter();
      TColor text = clWindowText, back = clWindow;
      if (painter) painter->EditColors(*control->DrawParams(), text, back);
      auto dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToRGB(text));
      SetBkColor(dc, ColorToRGB(back));
      Message.Result = reinterpret_cast<LRESULT>(control->EditBrushHandle());
      if (IsOnGlass() && !control->GlassRepaintPosted()) {
        control->SetGlassRepaintPosted(true);
        PostMessage(child, dxBarRepaintOnGlassMessage, 0, 0);
      }
      return;
    }
  TCustomControl::WndProc(Message);
}

void TCustomdxBarControl::WMSetCursor(TMessage& Message) {
  if (HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == Handle() && LOWORD(Message.LParam) == HTCLIENT) {
    win::SetCursor(Screen->Cursors(Cursor()));
    Message.Result = 1;
    return;
  }
  TCustomControl::WMSetCursor(Message);
}

void TCustomdxBarControl::WndProc(TMessage& Message) {
  const UINT msg = Message.Msg;
  if ((msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) || (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL)) {
    // A bar outside the active chain does not see the mouse.
    if (AcceptsMouseInput() && !HandleInputMessage(Message)) TCustomControl::WndProc(Message);
    return;
  }
  switch (msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_PAINT:
      if (IsDestroying()) return;
      break;
    case WM_NCPAINT:
      PaintNonClient(Message);
      return;
    case WM_PRINT: {
      TCustomControl::WndProc(Message);
      DrawNonClient(reinterpret_cast<HDC>(Message.WParam));
      return;
    }
    case WM_PRINTCLIENT: {
      TMessage paint{WM_PAINT, Message.WParam, 0, 0};
      PaintHandler(paint);
      Message.Result = 0;
      return;
    }
    case WM_SETFOCUS:
      if (dynamic_cast<TdxBarWinControl*>(SelectedControl())) break;
      ReturnFocus();
      return;
    case WM_KILLFOCUS: {
      TcxObjectLinkScope alive(this);
      TCustomControl::WndProc(Message);
      if (alive.Alive() && !Message.WParam) CloseUp();
      return;
    }
    case WM_NCACTIVATE:
      // The form a bar belongs to keeps its active caption while the bar takes the focus.
      if (Message.WParam == 1 && !InCustomizingMode() && HandleAllocated())
        if (HWND parent = GetParent(Handle())) SendMessage(parent, WM_NCACTIVATE, 1, 0);
      Message.WParam = 1;
      break;
    case WM_COMMAND: {
      TCustomControl::WndProc(Message);
      auto child = reinterpret_cast<HWND>(Message.LParam);
      if (!Message.Result && HIWORD(Message.WParam) == EN_CHANGE && child && IsWindow(child))
        SendMessage(child, WM_COMMAND, Message.WParam, Message.LParam);
      return;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      WMCtlColorEdit(Message);
      return;
    case WM_MOUSEACTIVATE:
      TCustomControl::WndProc(Message);
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_DESTROY:
      if (!IsDestroying()) {
        TcxObjectLinkScope alive(this);
        SetMarkState(0);
        if (alive.Alive()) ReleaseControls();
        if (!alive.Alive()) return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      TcxObjectLinkScope alive(this);
      TCustomControl::WndProc(Message);
      if (alive.Alive()) HandleWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(Message.LParam));
      return;
    }
    case WM_KEYDOWN:
    case WM_CAPTURECHANGED:
      HandleInputMessage(Message);
      return;
    case dxBarRebuildMessage:
      RebuildRecreating();
      return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

// ---- view info ----

void TCustomdxBarControlViewInfo::RemoveItemControl(TdxBarItemControl* AControl) { std::erase(FControls, AControl); }

bool TCustomdxBarControlViewInfo::Contains(TdxBarItemControl* AControl) const {
  return std::find(FControls.begin(), FControls.end(), AControl) != FControls.end();
}

bool TCustomdxBarControlViewInfo::FindSeparator(TdxBarItemControl* AControl, int& AIndex) const {
  for (std::size_t i = 0; i < FSeparators.size(); ++i)
    if (FSeparators[i].Control == AControl) {
      AIndex = static_cast<int>(i);
      return true;
    }
  AIndex = -1;
  return false;
}

// ---- hit tests and the chain of bars ----

bool TCustomdxBarControl::AllowsDesignHitTest() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->IsDesigning();
}

bool TCustomdxBarControl::InCustomizingMode() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->InCustomizing();
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtPoint(const TPoint& P) const {
  bool customizing = InCustomizingMode();
  if (customizing && !AllowsDesignHitTest()) return nullptr;
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->Count(); ++i) {
    TdxBarItemControl* control = info->Items(i);
    if (!Contains(ControlRect(control), P)) continue;
    return customizing && control->SkippedByCustomizingHitTest() ? nullptr : control;
  }
  return nullptr;
}

TdxBarItemControl* TCustomdxBarControl::ItemControlAtCursor() const {
  if (!HandleAllocated()) return nullptr;
  POINT p{};
  GetCursorPos(&p);
  win::ScreenToClient(FHandle, &p);
  return ItemControlAtPoint(TPoint{p.x, p.y});
}

unsigned TCustomdxBarControl::BehaviourFlags() const {
  TCustomdxBarControl* parent = ParentBar();
  return parent && parent != this ? parent->BehaviourFlags() : dxBarRootBehaviour;
}

TCustomdxBarControl* TCustomdxBarControl::ParentBar() const {
  return static_cast<TCustomdxBarControl*>(LinkedObjectOf(FParentBarLink));
}

TCustomdxBarControl* TCustomdxBarControl::ChildBar() const {
  return static_cast<TCustomdxBarControl*>(LinkedObjectOf(FChildBarLink));
}

void TCustomdxBarControl::SetChildBar(TCustomdxBarControl* Value) {
  FreeObjectLink(FChildBarLink);
  FChildBarLink = CreateObjectLink(Value);
  if (Value && Value->ParentBar() != this) Value->SetParentBar(this);
}

void TCustomdxBarControl::SetParentBar(TCustomdxBarControl* Value) {
  FreeObjectLink(FParentBarLink);
  FParentBarLink = CreateObjectLink(Value);
  if (Value && Value->ChildBar() != this) Value->SetChildBar(this);
}

bool TCustomdxBarControl::ChainMayHide() const {
  if (TdxBarItemControl* selected = SelectedControl(); selected && !selected->LetsBarsHide()) return false;
  TCustomdxBarControl* child = ChildBar();
  return !child || child->ChainMayHide();
}

// ---- drop positions ----

TRect TCustomdxBarControl::ItemInnerRect(TdxBarItemControl* AControl) const { return ControlRect(AControl); }

TRect TCustomdxBarControl::ItemRect(TdxBarItemControl* AControl, bool AWithSeparator) const {
  TRect r = ItemInnerRect(AControl);
  int index = -1;
  if (AWithSeparator && AControl && ViewInfo()->FindSeparator(AControl, index)) {
    const TRect& s = ViewInfo()->SeparatorBounds(index);
    r = TRect{std::min(r.Left, s.Left), std::min(r.Top, s.Top), std::max(r.Right, s.Right), std::max(r.Bottom, s.Bottom)};
  }
  return r;
}

HRGN TCustomdxBarControl::ItemRegion(TdxBarItemControl* AControl) const {
  TRect r = ItemRect(AControl, true);
  return CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
}

bool TCustomdxBarControl::DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                         bool& AOnSeparator) const {
  ALink = nullptr;
  ABefore = false;
  AOnSeparator = false;
  AVertical = StacksItemsVertically();
  if (!FItemLinks) return false;
  for (int i = 0; i < FItemLinks->VisibleCount(); ++i) {
    TdxBarItemControl* control = FItemLinks->VisibleLinks(i)->Control();
    if (!control || !control->IsOwnItem()) continue;
    HRGN region = ItemRegion(control);
    bool hit = PtInRegion(region, P.X, P.Y);
    DeleteObject(region);
    if (!hit) continue;
    ALink = control->ItemLink();
    TRect r = ItemInnerRect(control);
    int index = -1;
    if (!Contains(r, P) && ViewInfo()->FindSeparator(control, index)) {
      AOnSeparator = true;
      r = ViewInfo()->SeparatorBounds(index);
      if (P.Y < r.Top) AVertical = true;
    }
    ABefore = AVertical ? P.Y - r.Top < r.Bottom - P.Y : P.X - r.Left < r.Right - P.X;
    return true;
  }
  return false;
}

