#include "ui/pages/Tabs.h"

#include <algorithm>

#include "ui/foundation/Core.h"
#include "ui/pages/PCStrings.h"
#include "ui/pages/TabLayout.h"

// ---- TcxTab ---------------------------------------------------------------------------------------

TcxTab::TcxTab(TcxTabs* AOwner) : FTabs(AOwner) {}

TcxTab::~TcxTab() {
  FDestroying = true;
  if (FTabs) FTabs->Removing(this);
}

IcxTabControl* TcxTab::TabControl() const { return FTabs ? FTabs->Control() : nullptr; }

void TcxTab::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxTab*>(Source)) {
    FCaption = source->FCaption;
    FEnabled = source->FEnabled;
    FHighlighted = source->FHighlighted;
    FObject = source->FObject;
    SetImageIndex(source->FImageIndex);
    SetVisible(source->FVisible);
    SetSelected(source->FSelected);
    return;
  }
  TPersistent::Assign(Source);
}

void TcxTab::Changed(TcxPCTabPropertyChanged Kind) {
  if (FTabs) FTabs->Changed(VisibleIndex(), Kind);
}

void TcxTab::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  IcxTabControl* control = TabControl();
  if (!FVisible || !control) {
    FCaption = Value;
    return;
  }
  bool wasOnScreen = IsOnScreen();
  int oldWidth = FNormalWidth;
  TcxTabLayout* layout = control->Layout();
  int oldRotatedWidth = layout->RotatedTabWidth();
  FCaption = Value;
  FNormalWidth = control->LayoutPainter()->CalculateTabWidth(this);
  bool measureChanged;
  if (control->Rotate()) {
    layout->CalculateRotatedTabWidth();
    measureChanged = layout->RotatedTabWidth() != oldRotatedWidth;
  } else {
    measureChanged = FNormalWidth != oldWidth;
  }
  if (measureChanged)
    Changed(tpcLayout);
  else if (wasOnScreen)
    Changed(tpcNotSpecified);
}

void TcxTab::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (IsOnScreen()) Changed(tpcColor);
}

void TcxTab::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  bool wasOnScreen = IsOnScreen();
  FEnabled = Value;
  if (wasOnScreen || IsOnScreen()) Changed(tpcEnabled);
}

void TcxTab::SetHighlighted(bool Value) {
  if (Value == FHighlighted) return;
  bool wasOnScreen = IsOnScreen();
  FHighlighted = Value;
  if (wasOnScreen || IsOnScreen()) Changed(tpcHighlighted);
}

void TcxTab::SetImageIndex(int Value) {
  if (Value < 0) Value = -1;
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  IcxTabControl* control = TabControl();
  if (control && !control->IsLoading() && IsOnScreen()) Changed(tpcLayout);
}

void TcxTab::SetSelected(bool Value) {
  if (Value == FSelected) return;
  IcxTabControl* control = TabControl();
  if (!control || control->IsLoading()) {
    FSelected = Value;
    return;
  }
  if (control->LayoutPainter()->AllowsTabMultiSelect()) {
    if (Value && !control->MultiSelectMode())
      for (int i = 0; i < FTabs->Count(); ++i)
        if (FTabs->Tab(i)->Selected()) {
          control->SetMultiSelectMode(true);
          break;
        }
  } else if (Value && FIndex != control->TabIndex()) {
    return;
  }
  bool wasOnScreen = IsOnScreen();
  FSelected = Value;
  if (wasOnScreen || IsOnScreen()) Changed(tpcSelected);
}

void TcxTab::SetVisible(bool Value) {
  if (Value == FVisible) return;
  IcxTabControl* control = TabControl();
  if (!control) {
    FVisible = Value;
    return;
  }
  if (Value) {
    FTabs->VisibleTabs()->Add(FIndex);
    FVisible = true;
    Changed(tpcLayout);
    return;
  }
  bool reselect = control->RequiresVisibleSelection() && FIndex == control->TabIndex();
  bool wasOnScreen = IsOnScreen();
  FTabs->VisibleTabs()->Remove(FIndex);
  FVisible = false;
  if (wasOnScreen || control->MultiLine())
    Changed(tpcLayout);
  else
    control->Layout()->Calculate();
  if (!reselect) return;
  // The tab now hidden still holds TabIndex. Its place in the visible list is where the next
  // visible tab stands, or the last one when it was last; derived from TabIndex here, since the
  // layout above resets a selected position that ran past the end of the list.
  TcxVisibleTabList* visible = FTabs->VisibleTabs();
  if (visible->Count() == 0) return;
  int position;
  visible->Find(FIndex, position);
  position = std::min(position, visible->Count() - 1);
  control->SetTabIndex(visible->IndexAt(position));
}

int TcxTab::RotatedWidth() {
  IcxTabControl* control = TabControl();
  return control && control->Rotate() ? FTabs->TabHeight() : FNormalWidth;
}

TRect TcxTab::NormalRect() {
  IcxTabControl* control = TabControl();
  if (!control) return TRect(FPosition.X, FPosition.Y, FPosition.X + FNormalWidth, FPosition.Y + FTabs->TabHeight());
  int length = control->Rotate() ? control->Layout()->RotatedTabWidth() : FNormalWidth;
  int width = length, height = FTabs->TabHeight();
  if (cxPCHasVerticalText(control->TabPosition(), control->Rotate())) std::swap(width, height);
  return TRect(FPosition.X, FPosition.Y, FPosition.X + width, FPosition.Y + height);
}

TRect TcxTab::FullRect() {
  TRect r = NormalRect();
  IcxTabControl* control = TabControl();
  if (!control) return r;
  FRectCorrection = control->LayoutPainter()->TabRectAdjustment(VisibleIndex());
  return TRect(r.Left + FRectCorrection.Left, r.Top + FRectCorrection.Top, r.Right + FRectCorrection.Right,
               r.Bottom + FRectCorrection.Bottom);
}

TRect TcxTab::ClippedRect() {
  IcxTabControl* control = TabControl();
  if (!control || !FVisible) return TRect();
  TcxTabLayout* layout = control->Layout();
  int position = VisibleIndex();
  if (position < 0) return TRect();
  if (!control->MultiLine() && (position < layout->FirstVisibleTab() || position > layout->LastVisibleTab()))
    return TRect();
  TRect full = FullRect();
  TRect band = layout->BandOfRow(FVisibleRow);
  TRect r(std::max(full.Left, band.Left), std::max(full.Top, band.Top), std::min(full.Right, band.Right),
          std::min(full.Bottom, band.Bottom));
  if (r.Left >= r.Right || r.Top >= r.Bottom) return TRect();
  return r;
}

bool TcxTab::IsOnScreen() {
  TRect r = ClippedRect();
  return r.Left < r.Right && r.Top < r.Bottom;
}

int TcxTab::VisibleIndex() { return FTabs ? FTabs->VisibleTabs()->VisibleIndexOf(FIndex) : -1; }

bool TcxTab::IsHotTab() {
  int v = VisibleIndex();
  return v >= 0 && v == TabControl()->HotTabVisibleIndex();
}
bool TcxTab::IsSelectedTab() {
  int v = VisibleIndex();
  return v >= 0 && v == TabControl()->SelectedTabVisibleIndex();
}
bool TcxTab::IsPressed() {
  int v = VisibleIndex();
  return v >= 0 && v == TabControl()->PressedTabVisibleIndex();
}
bool TcxTab::IsFocused() {
  int v = VisibleIndex();
  return v >= 0 && v == TabControl()->FocusedTabVisibleIndex();
}

bool TcxTab::RealEnabled() { return FEnabled && (!TabControl() || TabControl()->ControlEnabled()); }

TcxTabPosition TcxTab::RowSide() {
  IcxTabControl* control = TabControl();
  bool firstBand = FVisibleRow < control->Layout()->TopRowCount();
  if (cxPCIsHorizontalPosition(control->TabPosition())) return firstBand ? tpTop : tpBottom;
  return firstBand ? tpLeft : tpRight;
}

int TcxTab::OrientationCode() {
  static constexpr int kCodes[4][3] = {{1, 2, 3}, {10, 11, 12}, {6, 4, 5}, {9, 7, 8}};
  IcxTabControl* control = TabControl();
  int direction = cxPCTabTextDirection(control->TabPosition(), control->Rotate(), control->Options());
  return kCodes[RowSide()][direction];
}

TcxBitmap32* TcxTab::EnsurePaintBitmap() {
  if (!FPaintBitmap) FPaintBitmap = std::make_unique<TcxBitmap32>();
  return FPaintBitmap.get();
}

// ---- TcxVisibleTabList ----------------------------------------------------------------------------

TcxTab* TcxVisibleTabList::GetTab(int TabVisibleIndex) {
  if (FItems.empty()) PCError("TcxVisibleTabList", "GetTab", scxPCVisibleTabListEmpty);
  if (TabVisibleIndex < 0 || TabVisibleIndex >= Count())
    PCError("TcxVisibleTabList", "GetTab", scxPCTabVisibleIndexOutsOfBounds, {TabVisibleIndex, Count() - 1});
  return FTabs->Tab(IndexAt(TabVisibleIndex));
}

bool TcxVisibleTabList::Find(int TabIndex, int& Position) const {
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int value = FItems[static_cast<std::size_t>(middle)];
    if (value == TabIndex) {
      Position = middle;
      return true;
    }
    if (value < TabIndex)
      low = middle + 1;
    else
      high = middle - 1;
  }
  Position = low;
  return false;
}

void TcxVisibleTabList::Add(int TabIndex) {
  int position;
  if (!Find(TabIndex, position)) FItems.insert(FItems.begin() + position, TabIndex);
}

void TcxVisibleTabList::Remove(int TabIndex) {
  int position;
  if (Find(TabIndex, position)) FItems.erase(FItems.begin() + position);
}

void TcxVisibleTabList::Rebuild() {
  FItems.clear();
  for (int i = 0; i < FTabs->Count(); ++i)
    if (FTabs->Tab(i)->Visible()) FItems.push_back(i);
}

int TcxVisibleTabList::VisibleIndexOf(int TabIndex) const {
  int position;
  return Find(TabIndex, position) ? position : -1;
}

// ---- TcxTabs --------------------------------------------------------------------------------------

TcxTabs::TcxTabs(IcxTabControl* AControl) : FControl(AControl), FVisibleTabs(this) {}

TcxTabs::~TcxTabs() {
  std::vector<TcxTab*> items;
  items.swap(FItems);
  for (TcxTab* tab : items) {
    tab->FTabs = nullptr;
    delete tab;
  }
}

void TcxTabs::CheckIndex(int Index, const char* Operation) {
  if (Index < 0 || Index >= Count()) PCError("TcxTabs", Operation, scxPCTabIndexError, {Index});
}

void TcxTabs::Renumber(int From, int To) {
  for (int i = std::max(From, 0); i <= To && i < Count(); ++i) FItems[static_cast<std::size_t>(i)]->FIndex = i;
}

TcxTab* TcxTabs::Tab(int Index) {
  CheckIndex(Index, "GetTab");
  return FItems[static_cast<std::size_t>(Index)];
}

TcxTab* TcxTabs::VisibleTab(int TabVisibleIndex) {
  if (TabVisibleIndex < 0 || TabVisibleIndex >= VisibleCount())
    PCError("TcxTabs", "GetVisibleTab", scxPCTabVisibleIndexOutsOfBounds, {TabVisibleIndex, VisibleCount() - 1});
  return FVisibleTabs.GetTab(TabVisibleIndex);
}

String TcxTabs::Get(int Index) {
  CheckIndex(Index, "Get");
  return FItems[static_cast<std::size_t>(Index)]->Caption();
}

TObject* TcxTabs::GetObject(int Index) {
  CheckIndex(Index, "GetObject");
  return FItems[static_cast<std::size_t>(Index)]->Object();
}

void TcxTabs::Put(int Index, const String& S) {
  CheckIndex(Index, "Put");
  FItems[static_cast<std::size_t>(Index)]->SetCaption(S);
}

void TcxTabs::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index, "PutObject");
  FItems[static_cast<std::size_t>(Index)]->SetObject(AObject);
}

void TcxTabs::Insert(int Index, const String& S) {
  if (Index < 0 || Index > Count()) PCError("TcxTabs", "Insert", scxPCTabIndexError, {Index});
  auto* tab = new TcxTab(this);
  FItems.insert(FItems.begin() + Index, tab);
  Renumber(Index, Count() - 1);
  tab->FImageIndex = Index;
  tab->FCaption = S;
  if (FControl && !FControl->IsLoading() && FControl->TabIndex() == -1 && Count() == 1)
    FControl->SetTabIndexWithoutEvents(0);
  Changed(-1, tpcLayout);
}

void TcxTabs::Delete(int Index) {
  CheckIndex(Index, "Delete");
  TcxTab* tab = FItems[static_cast<std::size_t>(Index)];
  delete tab;  // takes itself out of the list
  Changed(-1, tpcLayout);
}

void TcxTabs::Removing(TcxTab* Tab) {
  auto it = std::find(FItems.begin(), FItems.end(), Tab);
  if (it == FItems.end()) return;
  if (FControl && Tab->VisibleIndex() >= 0 && Tab->VisibleIndex() == FControl->FocusedTabVisibleIndex())
    FControl->ClearFocusedTab();
  int index = static_cast<int>(it - FItems.begin());
  FItems.erase(it);
  Renumber(index, Count() - 1);
  // The list is rebuilt by the notification that follows; until then no stale index may stay.
  FVisibleTabs.Rebuild();
}

void TcxTabs::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex, "Move");
  CheckIndex(NewIndex, "Move");
  TcxTab* tab = FItems[static_cast<std::size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, tab);
  Renumber(std::min(CurIndex, NewIndex), std::max(CurIndex, NewIndex));
  Changed(-1, tpcLayout);
}

void TcxTabs::Clear() {
  if (FItems.empty()) return;
  std::vector<TcxTab*> items;
  items.swap(FItems);
  if (FControl && FControl->FocusedTabVisibleIndex() != -1) FControl->ClearFocusedTab();
  for (TcxTab* tab : items) {
    tab->FTabs = nullptr;
    delete tab;
  }
  Changed(-1, tpcLayout);
}

void TcxTabs::SetUpdateState(bool Updating) {
  if (!Updating) Changed(-1, tpcLayout);
}

void TcxTabs::Changed(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) {
  if (Kind == tpcLayout && TabVisibleIndex == -1) FVisibleTabs.Rebuild();
  if (UpdateCount() > 0 || !FControl || FControl->IsLoading() || FControl->IsDestroying()) return;
  if (TabVisibleIndex == -1 || Kind == tpcLayout)
    FControl->Relayout();
  else
    FControl->RepaintTab(TabVisibleIndex, Kind);
}

void TcxTabs::FreeRotatedTextBitmaps() {
  for (TcxTab* tab : FItems) tab->FreeRotatedTextBitmap();
}

// ---- TcxTabSlants ---------------------------------------------------------------------------------

void TcxTabSlants::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxTabSlants*>(Source)) {
    SetKind(source->FKind);
    SetPositions(source->FPositions);
    return;
  }
  TPersistent::Assign(Source);
}

void TcxTabSlants::SetKind(TcxTabSlantKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  Changed();
}

void TcxTabSlants::SetPositions(TcxTabSlantPositions Value) {
  if (Value == FPositions) return;
  FPositions = Value;
  Changed();
}
