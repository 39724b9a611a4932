#include "ui/bars/Bars.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/Rects.h"
#include "ui/bars/Accessibility.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

bool ValidDockingStyle(TdxBarDockingStyle AStyle) { return AStyle >= dsNone && AStyle <= dsBottom; }

}  // namespace

// ---- TdxBar -------------------------------------------------------------------------------------

TdxBar::TdxBar(TComponent* AOwner)
    : TcxComponentCollectionItem(AOwner),
      FBackgroundBitmap(new TBitmap),
      FCaptionButtons(nullptr),
      FFont(new TFont),
      FEditFont(new TFont),
      FGlyph(new TBitmap),
      FItemLinks(new TdxBarControlItemLinks(nullptr, this)),
      FMergeData(new TdxBarMergeData) {
  FCaptionButtons = new TdxBarCaptionButtons(this);
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TdxBar::~TdxBar() {
  FBeingDestroyed = true;
  Destroying();
  InvalidateObjectLinks(this);
  if (OnDestroying) OnDestroying(this);
  TdxBarManager* manager = FBarManager;
  if (manager && !manager->IsDestroying() && manager->OnBarDelete) manager->OnBarDelete(manager, this);
  // The caption buttons and the merge data outlive the hiding: its event handler and the window
  // still read them.
  if (FMergeData->MergedWith) FMergeData->MergedWith->Unmerge(this, true);
  if (!FMergeData->MergedBars().empty()) Unmerge(nullptr, true);
  SetVisible(false);
  LeaveDockRow(true);
  std::vector<TComponent*> notified;
  notified.swap(FFreeNotifications);
  for (TComponent* subItem : notified)
    if (auto* item = dynamic_cast<TdxBarItem*>(subItem)) item->BarChanged(1, this);
  if (manager && manager->MainMenuBar() == this) manager->SetMainMenuBar(nullptr);
  if (manager) manager->ForgetBarToRestore(this);
  FreeAndNil(FCaptionButtons);
  FreeAndNil(FMergeData);
  FreeAndNil(FItemLinks);
  FreeAndNil(FGlyph);
  FFont->OnChange = nullptr;
  FreeAndNil(FFont);
  FreeAndNil(FEditFont);
  FreeAndNil(FBackgroundBitmap);
}

void TdxBar::DeclareProperties(TPropTable& t) {
  using B = TdxBar;
  t.Add("AllowClose", &B::AllowClose, &B::SetAllowClose).SetDefault(true);
  t.Add("AllowCustomizing", &B::AllowCustomizing, &B::SetAllowCustomizing).SetDefault(true);
  t.Add("AllowQuickCustomizing", &B::AllowQuickCustomizing, &B::SetAllowQuickCustomizing).SetDefault(true);
  t.Add("AllowReset", &B::AllowReset, &B::SetAllowReset).SetDefault(true);
  t.Add("AlphaBlendValue", &B::AlphaBlendValue, &B::SetAlphaBlendValue).SetDefault(255);
  t.Add("BackgroundBitmap", &B::BackgroundBitmap, &B::SetBackgroundBitmap);
  t.Add("BorderStyle", &B::BorderStyle, &B::SetBorderStyle).SetDefault(bbsSingle);
  t.Add("Caption", &B::Caption, &B::SetCaption);
  t.Add("CaptionButtons", &B::CaptionButtons, &B::SetCaptionButtons);
  t.Add("Color", &B::Color, &B::SetColor).Idents(ColorToIdent, IdentToColor).SetDefault(clDefault);
  t.Add("DockControl", &B::DockControl, &B::SetDockControl);
  t.Add("DockedDockControl", &B::DockedDockControl, &B::SetDockedDockControl);
  t.Add("DockedDockingStyle", &B::DockedDockingStyle, &B::SetDockedDockingStyle)
      .SetDefault(dsTop)
      .Stored(&B::IsDockedDockingStyleStored);
  t.Add("DockedLeft", &B::DockedLeft, &B::SetDockedLeft).SetDefault(0);
  t.Add("DockedTop", &B::DockedTop, &B::SetDockedTop).SetDefault(0);
  t.Add("DockingStyle", &B::DockingStyle, &B::SetDockingStyle).SetDefault(dsNone).Stored(&B::IsDockingStyleStored);
  t.Add("FloatLeft", &B::FloatLeft, &B::SetFloatLeft).SetDefault(0);
  t.Add("FloatTop", &B::FloatTop, &B::SetFloatTop).SetDefault(0);
  t.Add("FloatClientWidth", &B::FloatClientWidth, &B::SetFloatClientWidth).SetDefault(0);
  t.Add("FloatClientHeight", &B::FloatClientHeight, &B::SetFloatClientHeight).SetDefault(0);
  t.Add("Font", &B::Font, &B::SetFont).Stored(&B::IsFontStored);
  t.Add("Glyph", &B::Glyph, &B::SetGlyph);
  t.Add("Hidden", &B::Hidden, &B::SetHidden).SetDefault(false);
  t.Add("IsMainMenu", &B::IsMainMenu, &B::SetIsMainMenu).SetDefault(false);
  t.Add("ItemLinks", static_cast<TdxBarItemLinks* (B::*)() const>(&B::ItemLinks), &B::SetItemLinks);
  t.Add("KeyTip", &B::KeyTip, &B::SetKeyTip);
  t.Add("MultiLine", &B::MultiLine, &B::SetMultiLine).SetDefault(false);
  t.Add("NotDocking", &B::NotDocking, &B::SetNotDocking).SetDefault(TdxBarDockingStyles{});
  t.Add("OldName", &B::OldName, &B::SetOldName);
  t.Add("OneOnRow", &B::OneOnRow, &B::SetOneOnRow);
  t.Add("RotateWhenVertical", &B::RotateWhenVertical, &B::SetRotateWhenVertical).SetDefault(true);
  t.Add("Row", &B::Row, &B::SetRow).SetDefault(0);
  t.Add("ShowMark", &B::ShowMark, &B::SetShowMark).SetDefault(true);
  t.Add("SizeGrip", &B::SizeGrip, &B::SetSizeGrip).SetDefault(true);
  t.Add("UseOwnFont", &B::UseOwnFont, &B::SetUseOwnFont);
  t.Add("UseRecentItems", &B::UseRecentItems, &B::SetUseRecentItems).SetDefault(true);
  t.Add("UseRestSpace", &B::UseRestSpace, &B::SetUseRestSpace).SetDefault(false);
  t.Add("Visible", &B::Visible, &B::SetVisible);
  t.Add("WholeRow", &B::WholeRow, &B::SetWholeRow);
}

TdxBars* TdxBar::Bars() const { return static_cast<TdxBars*>(Collection()); }

TcxComponentCollection* TdxBar::CollectionOfParent(TComponent* ParentComponent) {
  auto* manager = dynamic_cast<TdxBarManager*>(ParentComponent);
  return manager ? manager->Bars() : nullptr;
}

void TdxBar::ReadState(TReader* Reader) {
  if (!Collection()) SetParentComponent(Reader->Parent());
  TcxComponentCollectionItem::ReadState(Reader);
}

bool TdxBar::ManagerLoading() const { return FBarManager && FBarManager->IsLoading(); }

bool TdxBar::ManagerDestroying() const { return FBarManager && FBarManager->IsDestroying(); }

void TdxBar::SetName(const String& Value) {
  if (FNameLocked)
    FOldName = Value;
  else
    TcxComponentCollectionItem::SetName(Value);
}

// ---- simple properties --------------------------------------------------------------------------

void TdxBar::FloatingCaptionChanged() {
  if (TdxBarControl* window = Control(); window && window->DockingStyle() == dsNone) window->CaptionChanged();
}

void TdxBar::RebuildWindow() {
  if (TdxBarControl* window = Control()) window->RebuildRecreating();
}

void TdxBar::RefreshWindowFrame() {
  if (TdxBarControl* window = Control()) window->RefreshFrame();
}

void TdxBar::SetAllowClose(bool Value) {
  if (FAllowClose == Value) return;
  FAllowClose = Value;
  FloatingCaptionChanged();
}

void TdxBar::SetAllowQuickCustomizing(bool Value) {
  if (FAllowQuickCustomizing == Value) return;
  FAllowQuickCustomizing = Value;
  TdxBarControl* window = Control();
  if (!window) return;
  if (window->DockingStyle() == dsNone)
    window->CaptionChanged();
  else if (FBarManager && FBarManager->ResolvedStyle() != bmsStandard)
    window->RebuildRecreating();
}

void TdxBar::SetAlphaBlendValue(int Value) {
  Value = std::clamp(Value, 0, 255);
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  if (TdxBarControl* window = Control(); window && window->DockingStyle() == dsNone) window->UpdateAfterHandle();
}

void TdxBar::SetBackgroundBitmap(TBitmap* Value) {
  const bool refresh = (Value && !Value->Empty()) || !FBackgroundBitmap->Empty();
  FBackgroundBitmap->Assign(Value);
  if (refresh) RefreshWindowFrame();
}

void TdxBar::SetBorderStyle(TdxBarBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RefreshWindowFrame();
}

void TdxBar::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  RefreshWindowFrame();
}

void TdxBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  if (IsStatusBarLike()) RefreshWindowFrame();
}

void TdxBar::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  if (FBarManager)
    if (TdxBar* other = FBarManager->BarByCaption(Value); other && other != this) return;
  FCaption = Value;
  FloatingCaptionChanged();
}

void TdxBar::SetCaptionButtons(TdxBarCaptionButtons* Value) { FCaptionButtons->Assign(Value); }

void TdxBar::SetHidden(bool Value) {
  if (FHidden == Value) return;
  FHidden = Value;
  FChanged = true;
}

void TdxBar::SetMultiLine(bool Value) {
  if (FMultiLine == Value || (!Value && FIsMainMenu)) return;
  FMultiLine = Value;
  if (TdxBarControl* window = Control(); window && window->DockingStyle() != dsNone) window->RebuildRecreating();
}

void TdxBar::SetNotDocking(TdxBarDockingStyles Value) {
  if (FNotDocking == Value) return;
  FNotDocking = Value;
  RebuildWindow();
}

void TdxBar::SetShowMark(bool Value) {
  if (FShowMark == Value) return;
  FShowMark = Value;
  RebuildWindow();
}

void TdxBar::SetUseRecentItems(bool Value) {
  if (FItemLinks->UseRecentItems() == Value) return;
  FItemLinks->SetUseRecentItems(Value);
  RebuildWindow();
}

void TdxBar::SetUseRestSpace(bool Value) {
  if (FUseRestSpace == Value) return;
  FUseRestSpace = Value;
  RebuildWindow();
}

void TdxBar::SetRotateWhenVertical(bool Value) {
  if (FRotateWhenVertical == Value) return;
  FRotateWhenVertical = Value;
  if (TdxBarControl* window = Control(); window && window->HandleAllocated())
    SendMessage(window->Handle(), CM_FONTCHANGED, 0, 0);
}

void TdxBar::SetIsMainMenu(bool Value) {
  if (FIsMainMenu == Value) return;
  TdxBarManager* manager = FBarManager;
  TdxBarManagerUpdate update(manager);
  if (Value && manager && manager->MainMenuBar() && manager->MainMenuBar() != this)
    manager->MainMenuBar()->SetIsMainMenu(false);
  FIsMainMenu = Value;
  if (Value) {
    if (manager) manager->SetMainMenuBar(this);
    SetWholeRow(true);
    SetMultiLine(true);
  } else {
    if (manager && manager->MainMenuBar() == this) manager->SetMainMenuBar(nullptr);
    SetMultiLine(false);
    SetWholeRow(false);
  }
  if (ManagerLoading()) return;
  if (TdxBarControl* window = Control()) {
    if (window->DockingStyle() != dsNone)
      window->RebuildRecreating();
    else
      window->CaptionChanged();
  }
  FChanged = true;
}

// ---- fonts --------------------------------------------------------------------------------------

void TdxBar::MakeEditFont() { ::MakeEditFont(FFont, FEditFont, FBarManager ? FBarManager->Scaled() : true); }

void TdxBar::FontChanged(TObject*) {
  if (!FChangingFontInternally) FUseOwnFont = true;
  if (FUseOwnFont) MakeEditFont();
  if (TdxBarControl* window = Control()) window->FontChanged();
}

void TdxBar::SetUseOwnFont(bool Value) {
  if (FUseOwnFont == Value) return;
  FUseOwnFont = Value;
  if (Value) {
    MakeEditFont();
    if (TdxBarControl* window = Control()) window->FontChanged();
  } else {
    ManagerFontChanged();
  }
}

void TdxBar::ManagerFontChanged() {
  if (FUseOwnFont || !FBarManager) return;
  TcxFlagScope internal(FChangingFontInternally, true);
  FFont->Assign(FBarManager->Font());
}

// ---- the window ---------------------------------------------------------------------------------

TdxBarControl* TdxBar::Control() const {
  return FItemLinks ? dynamic_cast<TdxBarControl*>(FItemLinks->BarControl()) : nullptr;
}

void TdxBar::SetControl(TdxBarControl* Value) {
  if (Value)
    Value->SetShownBar(this);
  else
    FItemLinks->SetBarControl(nullptr);
}

TClass TdxBar::BarControlClass() const {
  TdxDockControl* site = RealDockControl();
  return site ? site->BarControlClass() : TdxBarControl::StaticClass();
}

TdxBarControl* TdxBar::NewBarControl() {
  TdxBarControl* window = TdxBarControl::CreateForBar(BarControlClass(), FBarManager, this);
  window->FontChanged();
  return window;
}

TdxDockControl* TdxBar::RealDockControl() const {
  if (TdxBarDockControl* site = DockControl()) return site;
  const TdxBarDockingStyle style = DockingStyle();
  if (style == dsNone || !Bars()) return nullptr;
  return Bars()->DockControls(style);
}

TdxBarPainter* TdxBar::Painter() const {
  if (TdxDockControl* site = RealDockControl())
    if (TdxBarPainter* painter = site->Painter()) return painter;
  return FBarManager ? FBarManager->Painter() : nullptr;
}

void TdxBar::PlaceBarControl() {
  TdxBarControl* window = Control();
  if (!window) return;
  TdxDockControl* site = RealDockControl();
  const bool docked = DockingStyle() != dsNone && site;
  window->BeginInternalUpdate();
  try {
    window->ApplyDockingStyle(docked ? DockingStyle() : dsNone, docked ? site : nullptr);
  } catch (...) {
    window->EndInternalUpdate();
    throw;
  }
  if (docked) {
    // Still under the internal update: the site places the window by the toolbar's row.
    POINT p{FDockedLeft, FDockedTop};
    if (site->HandleAllocated()) ClientToScreen(site->Handle(), &p);
    try {
      site->InsertBarControl(window, TPoint(p.x, p.y), true);
    } catch (...) {
      window->EndInternalUpdate();
      throw;
    }
  }
  window->EndInternalUpdate();
  if (!docked) {
    const TSize size = window->SizeForStyle(dsNone);
    window->SetBounds(FFloatLeft, FFloatTop, size.cx, size.cy);
  }
  bool show = docked;
  if (!show && FBarManager) {
    auto* owner = dynamic_cast<TWinControl*>(FBarManager->Owner());
    auto* form = dynamic_cast<TCustomForm*>(owner);
    show = owner && owner->HandleAllocated() && ShownAndNotMinimized(owner->Handle()) &&
           (!FBarManager->HideFloatingBarsWhenInactive() || FBarManager->InCustomizing() || (form && form->Active()));
  }
  if (show && (window->Parent() || window->ParentWindow() || !docked)) ShowWindow(window->Handle(), SW_SHOWNA);
  if (FBarManager) FBarManager->ForgetBarToRestore(this);
}

void TdxBar::UpdateControlPosition() {
  TdxBarControl* window = Control();
  if (!window || (Bars() && Bars()->Dragging()) || window->StoringPosition()) return;
  if (DockingStyle() != dsNone) {
    if (TdxDockControl* site = RealDockControl()) site->RemoveBarControl(window);
    PlaceBarControl();
  } else {
    const TSize size = window->SizeForStyle(dsNone);
    window->SetBounds(FFloatLeft, FFloatTop, size.cx, size.cy);
  }
}

void TdxBar::PositionChanged() {
  if (HasState(csUpdating))
    FPositionUpdatePending = true;
  else
    UpdateControlPosition();
  FChanged = true;
}

void TdxBar::Updated() {
  TcxComponentCollectionItem::Updated();
  if (!FPositionUpdatePending) return;
  FPositionUpdatePending = false;
  UpdateControlPosition();
}

void TdxBar::SetDockedLeft(int Value) {
  Value = std::max(Value, 0);
  if (FDockedLeft == Value) return;
  FDockedLeft = Value;
  PositionChanged();
}

void TdxBar::SetDockedTop(int Value) {
  Value = std::max(Value, 0);
  if (FDockedTop == Value) return;
  FDockedTop = Value;
  PositionChanged();
}

void TdxBar::SetFloatLeft(int Value) {
  if (FFloatLeft == Value) return;
  FFloatLeft = Value;
  PositionChanged();
}

void TdxBar::SetFloatTop(int Value) {
  if (FFloatTop == Value) return;
  FFloatTop = Value;
  PositionChanged();
}

void TdxBar::SetFloatClientWidth(int Value) {
  if (FFloatClientWidth == Value) return;
  FFloatClientWidth = Value;
  PositionChanged();
}

void TdxBar::SetFloatClientHeight(int Value) {
  if (FFloatClientHeight == Value) return;
  FFloatClientHeight = Value;
  PositionChanged();
}

// ---- showing ------------------------------------------------------------------------------------

bool TdxBar::Visible() const { return ManagerLoading() ? FLoadedVisible : FVisible; }

void TdxBar::SetVisible(bool Value) {
  TdxBarManager* manager = FBarManager;
  if (Value && (ManagerDestroying() || FBeingDestroyed)) return;
  if (!Value && !FVisible && manager) manager->ForgetBarToRestore(this);
  if (ManagerLoading()) {
    if (Value != FLoadedVisible) FInternallyHidden = false;
    FLoadedVisible = Value;
    return;
  }
  if (FVisible == Value) return;
  FInternallyHidden = false;
  if (!Value)
    if (TdxBarControl* window = Control()) window->StorePositionInBar();
  FVisible = Value;
  if (Value && manager) {
    FItemLinks->CreateBarControl();
    PlaceBarControl();
  } else if (!Value) {
    FItemLinks->FreeBarControl();
  }
  FChanged = true;
  if (manager && !manager->IsDestroying() && manager->OnBarVisibleChange) manager->OnBarVisibleChange(manager, this);
}

// Hides the window for a change of its place and shows it again, without the visibility events.
namespace {
class THiddenForChange {
 public:
  THiddenForChange(TdxBar* ABar, bool AHide) : FBar(ABar), FHidden(AHide) {
    if (!FHidden) return;
    if (TdxBarControl* window = FBar->Control()) window->StorePositionInBar();
    FBar->ItemLinks()->FreeBarControl();
  }
  void ShowAgain() {
    if (!FHidden) return;
    FHidden = false;
    FBar->ItemLinks()->CreateBarControl();
    FBar->PlaceBarControl();
  }
  bool Hidden() const { return FHidden; }

 private:
  TdxBar* FBar;
  bool FHidden;
};
}  // namespace

// ---- docking state ------------------------------------------------------------------------------

TdxBarDockControl* TdxBar::DockControl() const { return ManagerLoading() ? FLoadedDockControl : FDockControl; }

TdxBarDockingStyle TdxBar::DockingStyle() const {
  if (ManagerLoading()) return FLoadedDockingStyle;
  return FDockControl ? FDockControl->DockSiteStyle() : FDockingStyle;
}

TdxBarDockingStyle TdxBar::DockedDockingStyle() const {
  return FDockedDockControl ? FDockedDockControl->DockSiteStyle() : FDockedDockingStyle;
}

void TdxBar::SetDockControl(TdxBarDockControl* Value) {
  TdxBarManager* manager = FBarManager;
  if (Value && Value->BarManager() && Value->BarManager() != manager) return;
  if (ManagerLoading()) {
    FLoadedDockControl = Value;
    return;
  }
  if (FDockControl == Value) return;
  TdxBarControl* window = Control();
  bool hide = false;
  if (window && !FChangingDockingStyle) {
    if (Value)
      hide = Value != window->DockControl();
    else
      hide = window->DockingStyle() != dsNone && (!window->DockControl() || !window->DockControl()->IsBuiltIn());
  }
  THiddenForChange change(this, hide);
  FDockControl = Value;
  FItemLinks->SetCollapsedCount(-1);
  {
    TcxFlagScope guard(FChangingDockingStyle, true);
    if (Value) FDockingStyle = Value->DockSiteStyle();
    change.ShowAgain();
    if (TdxBarControl* shown = Control()) shown->SetDockControl(RealDockControl());
    if (Value && manager && Value->HandleAllocated()) manager->ShowRememberedBars(Value);
  }
  if (manager) manager->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  // A damaged layout or form may name a style past the edges: the built-in site slots have none.
  if (!ValidDockingStyle(Value)) return;
  if (ManagerLoading()) {
    FLoadedDockingStyle = Value;
    return;
  }
  if (DockingStyle() == Value) return;
  TdxBarControl* window = Control();
  THiddenForChange change(this, window && !FChangingDockingStyle && Value != window->DockingStyle());
  FDockingStyle = Value;
  {
    TcxFlagScope guard(FChangingDockingStyle, true);
    FDockControl = nullptr;
    FItemLinks->SetCollapsedCount(-1);
    change.ShowAgain();
    if (TdxBarControl* shown = Control()) shown->SetDockingStyle(Value);
  }
  if (FBarManager) FBarManager->DoBarDockingStyleChange(this);
}

void TdxBar::SetDockingStyleAndControl(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl) {
  auto* site = ADockControl && !ADockControl->IsBuiltIn() ? dynamic_cast<TdxBarDockControl*>(ADockControl) : nullptr;
  if (AStyle == DockingStyle() || (site && site != DockControl()))
    SetDockControl(site);
  else
    SetDockingStyle(AStyle);
}

void TdxBar::SetDockedDockControl(TdxBarDockControl* Value) {
  if (Value && Value->BarManager() && Value->BarManager() != FBarManager) return;
  if (FDockedDockControl == Value) return;
  FDockedDockControl = Value;
  FChanged = true;
}

int TdxBar::Row() const {
  if (FCurrentDockRow)
    if (const int index = FCurrentDockRow->DockSite()->IndexOfRow(FCurrentDockRow); index >= 0) return index;
  return FRow;
}

void TdxBar::SetRow(int Value) {
  Value = std::max(Value, 0);
  if (Value == Row() && FCurrentDockRow) return;
  TdxBarManager* manager = FBarManager;
  TdxDockControl* site = ManagerLoading() ? nullptr : RealDockControl();
  const bool restoring = manager && (manager->IsLocked() || (manager->InternalState() & bmsRestoringPositions));
  // Restored rows are appended until the index exists: a damaged index must not make millions.
  if (restoring) Value = std::min(Value, RestoringRowLimit());
  FRow = Value;
  if (site) {
    TdxDockRow* row;
    if (Value >= site->RowCount()) {
      if (restoring) {
        while (site->RowCount() <= Value) site->AddRow();
        row = site->Rows(Value);
      } else {
        row = site->AddRow();
      }
    } else {
      row = site->Rows(Value);
    }
    SetDockRow(row);
  }
  FChanged = true;
  if (site) site->RequestLayout();
}

int TdxBar::RestoringRowLimit() const {
  return std::max({Bars() ? Bars()->Count() : 0, FRestoringBarCount, 1}) - 1;
}

void TdxBar::SetDockRow(TdxDockRow* ARow) {
  if (ARow == FCurrentDockRow || ManagerDestroying()) return;
  LeaveDockRow(true);
  FCurrentDockRow = ARow;
  if (ARow) ARow->AddBar(this);
}

void TdxBar::LeaveDockRow(bool ADeleteEmpty) {
  TdxDockRow* row = FCurrentDockRow;
  if (!row) return;
  FCurrentDockRow = nullptr;
  row->RemoveBar(this, ADeleteEmpty);
}

void TdxBar::SetOneOnRow(bool Value) {
  if (TdxDockControl* site = RealDockControl(); site && site->BarWindowDestroying()) return;
  if (FOneOnRow == Value) return;
  FOneOnRow = Value;
  FChanged = true;
}

void TdxBar::SetWholeRow(bool Value) {
  if (FWholeRow == Value) return;
  FWholeRow = Value;
  TdxBarControl* window = Control();
  THiddenForChange change(this, window && window->DockingStyle() != dsNone);
  change.ShowAgain();
}

// ---- queries ------------------------------------------------------------------------------------

TRect TdxBar::NonClientInsets(TdxBarDockingStyle AStyle) const {
  TRect insets{};
  TdxBarControl* window = Control();
  if (TdxBarPainter* painter = Painter(); painter && window)
    painter->CalcBarNonClient(window, static_cast<int>(AStyle), insets, ShowsSizeGrip());
  return insets;
}

int TdxBar::NonClientWidth(TdxBarDockingStyle AStyle) const {
  const TRect r = NonClientInsets(AStyle);
  return r.Left + r.Right;
}

int TdxBar::NonClientHeight(TdxBarDockingStyle AStyle) const {
  const TRect r = NonClientInsets(AStyle);
  return r.Top + r.Bottom;
}

bool TdxBar::IsStatusBarLike() const { return FBorderStyle == bbsNone && DockingStyle() == dsBottom && FWholeRow; }

bool TdxBar::ShowsSizeGrip() const {
  if (!IsStatusBarLike() || !FSizeGrip) return false;
  if (FBarManager) {
    auto* owner = dynamic_cast<TWinControl*>(FBarManager->Owner());
    if (owner && owner->HandleAllocated() && IsZoomed(owner->Handle())) return false;
  }
  TdxBarControl* window = Control();
  if (!window || !window->HandleAllocated()) return true;
  // Bottom edges only, from the window up to a window without a parent or an MDI child form.
  for (HWND child = window->Handle();;) {
    if (auto* form = dynamic_cast<TCustomForm*>(FindControl(child)); form && form->FormStyle() == fsMDIChild) return true;
    if (!(GetWindowLong(child, GWL_STYLE) & WS_CHILD)) return true;
    HWND parent = GetParent(child);
    if (!parent) return true;
    RECT bounds{}, client{};
    GetWindowRect(child, &bounds);
    GetClientRect(parent, &client);
    POINT bottom{0, client.bottom};
    ClientToScreen(parent, &bottom);
    if (bounds.bottom != bottom.y) return false;
    child = parent;
  }
}

bool TdxBar::IsClosable() const {
  if (!FAllowClose || FIsMainMenu) return false;
  TdxBarControl* window = Control();
  return !window || window->HasFloatingCaption();
}

bool TdxBar::CanMove() const {
  const TdxBarDockingStyles all{dsNone, dsLeft, dsTop, dsRight, dsBottom};
  if (FNotDocking == all) return false;
  return !(FBarManager && FBarManager->NotDocking() == all);
}

bool TdxBar::CanDelete() const {
  if (!FBarManager) return !FPredefined && IsClosable();
  return (FBarManager->IsDesigning() || (!FPredefined && IsClosable())) &&
         FBarManager->CanDeleteComponent(const_cast<TdxBar*>(this));
}

void TdxBar::Delete() {
  if (CanDelete()) TObject::Free(this);
}

TdxBar* TdxBar::NextBar() const {
  TdxBars* bars = Bars();
  if (!bars || bars->Count() < 2) return nullptr;
  const int index = IndexInCollection();
  return bars->Items((index + 1) % bars->Count());
}

void TdxBar::AddFreeNotification(TComponent* ASubItem) {
  if (ASubItem && std::find(FFreeNotifications.begin(), FFreeNotifications.end(), ASubItem) == FFreeNotifications.end())
    FFreeNotifications.push_back(ASubItem);
}

void TdxBar::RemoveFreeNotification(TComponent* ASubItem) { std::erase(FFreeNotifications, ASubItem); }

void TdxBar::CaptionButtonsChanged(int AIndex) {
  if (TdxBarControl* window = Control()) window->CaptionButtonsChanged(AIndex);
}

TComponent* TdxBar::OwnerComponent() { return FBarManager; }

bool TdxBar::AcceptsItem(TdxBarItem* Item, String& ErrorText) { return dxBarAcceptsItemOn(FItemLinks, Item, ErrorText); }

// ---- assign -------------------------------------------------------------------------------------

void TdxBar::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBar*>(Source);
  if (!source) {
    TcxComponentCollectionItem::Assign(Source);
    return;
  }
  SetAllowClose(source->AllowClose());
  SetAllowCustomizing(source->AllowCustomizing());
  SetAllowQuickCustomizing(source->AllowQuickCustomizing());
  SetAllowReset(source->AllowReset());
  SetBorderStyle(source->BorderStyle());
  SetCaption(source->Caption());
  SetCaptionButtons(source->CaptionButtons());
  SetDockedDockControl(source->DockedDockControl());
  SetDockedDockingStyle(source->DockedDockingStyle());
  SetDockedLeft(source->DockedLeft());
  SetDockedTop(source->DockedTop());
  SetFloatLeft(source->FloatLeft());
  SetFloatTop(source->FloatTop());
  SetFloatClientWidth(source->FloatClientWidth());
  SetFloatClientHeight(source->FloatClientHeight());
  SetHidden(source->Hidden());
  SetIsMainMenu(source->IsMainMenu());
  SetItemLinks(source->ItemLinks());
  SetNotDocking(source->NotDocking());
  SetOldName(source->OldName());
  SetOneOnRow(source->OneOnRow());
  SetRotateWhenVertical(source->RotateWhenVertical());
  SetRow(source->Row());
  SetShowMark(source->ShowMark());
  SetSizeGrip(source->SizeGrip());
  SetWholeRow(source->WholeRow());
  SetDockingStyleAndControl(source->DockingStyle(), source->DockControl());
  SetUseRecentItems(source->UseRecentItems());
  SetUseRestSpace(source->UseRestSpace());
  SetColor(source->Color());
  SetFont(source->Font());
  SetUseOwnFont(source->UseOwnFont());
  SetVisible(source->Visible());
}

// ---- TdxBars ------------------------------------------------------------------------------------

TdxBars::TdxBars(TdxBarManager* ABarManager)
    : TcxComponentCollection(ABarManager, TdxBar::StaticClass()), FBarManager(ABarManager) {}

TdxBars::~TdxBars() {
  ForgetDockingTimer();
  RemoveAllItems();
  for (TdxDockControl*& site : FDockControls) FreeAndNil(site);
}

void TdxBars::NameNewItem(TcxComponentCollectionItem* Item) {
  Item->SetName(FBarManager->GetUniqueBarName(FBarManager->Name() + "Bar"));
}

void TdxBars::ItemMembershipChanged(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action) {
  // An item leaving from its base destructor is no toolbar any longer.
  auto* bar = dynamic_cast<TdxBar*>(Item);
  if (Action == cckAdded && bar) {
    bar->FBarManager = FBarManager;
    bar->FItemLinks->SetBarManager(FBarManager);
    bar->ManagerFontChanged();
    if (!FBarManager->IsLoading()) {
      if (FBarManager->OnBarAdd) FBarManager->OnBarAdd(FBarManager, bar);
      bar->FChanged = true;
    }
  } else if (Action == cckExtracted) {
    if (bar) bar->FBarManager = nullptr;
    if (!FBarManager->IsDestroying()) FBarManager->DesignerModified();
  }
}

void TdxBars::RebuildAll() {
  for (int i = 0; i < Count(); ++i)
    if (TdxBarControl* window = Items(i)->Control()) window->RebuildRecreating();
}

TdxDockControl* TdxBars::DockControls(TdxBarDockingStyle Style) const {
  return Style >= dsLeft && Style <= dsBottom ? FDockControls[Style] : nullptr;
}

void TdxBars::ClearDockControl(TdxBarDockingStyle Style) {
  if (Style >= dsLeft && Style <= dsBottom) FDockControls[Style] = nullptr;
}

void TdxBars::CreateDockControls() {
  auto* parent = dynamic_cast<TWinControl*>(FBarManager->Owner());
  for (TdxBarDockingStyle style : {dsTop, dsBottom, dsLeft, dsRight}) {
    if (FDockControls[style]) continue;
    FDockControls[style] = new TdxDockControl(FBarManager, style);
    if (parent) FDockControls[style]->SetParent(parent);
  }
}

// ---- design selection ---------------------------------------------------------------------------

bool TdxBar::AllowsDeletion(bool) { return !FBarManager || FBarManager->CanDeleteComponent(this); }

void TdxBar::DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) {
  if (!AllowsDeletion(ADeleteItems)) return;
  AReference = nullptr;
  TObject::Free(this);
}

void TdxBar::AddMasterObjects(TList* AList) {
  TComponent* owner = FBarManager ? FBarManager->Owner() : nullptr;
  if (owner && AList->IndexOf(owner) < 0) AList->Add(owner);
}

TPersistent* TdxBar::ParentSelectable() {
  // A built-in site is the manager's own and not in the form's stream: the form is the next such window.
  for (TControl* control = RealDockControl(); control; control = control->Parent())
    if (GetClass(control->ClassName()) == control->ClassType()) return control;
  return FBarManager ? FBarManager->Owner() : nullptr;
}

int TdxBar::SelectionStatus() { return FBarManager ? FBarManager->GetSelectionStatus(this) : 0; }

void TdxBar::RepaintSelection() {
  if (TdxBarControl* window = Control(); window && window->HandleAllocated()) window->Invalidate();
}

void TdxBar::SelectInDesigner(int AOperation) {
  if (FBarManager) FBarManager->SelectComponent(this, AOperation);
}

bool TdxBar::SelectParent() {
  if (FBarManager)
    if (TPersistent* parent = ParentSelectable()) FBarManager->SelectComponent(parent, 2);
  return true;
}

void TdxBar::DesignSelectionChanged() {
  if (TdxBarDesignController* controller = BarDesignController()) controller->CheckLastSelected();
  RepaintSelection();
}
