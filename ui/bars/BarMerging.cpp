// Toolbars merging into one another, resetting from the manager's saved state, and the toolbar's
// section of a stored layout.
#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Controls.h"
#include "platform/win/MessageBox.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;
using namespace dxBarStrs;

namespace {

bool GResettingBar = false;

}  // namespace

bool dxBarIsResettingBar() { return GResettingBar; }

// ---- merging ------------------------------------------------------------------------------------

void TdxBar::SetVisibleForMerging(bool Value) {
  auto* form = FBarManager ? dynamic_cast<TCustomForm*>(FBarManager->Owner()) : nullptr;
  if (!form || form->FormStyle() != fsMDIChild || !form->HandleAllocated()) {
    SetVisible(Value);
    return;
  }
  // Hiding a toolbar of an MDI child can make the child's window move within the client area;
  // the form keeps the bounds it had.
  RECT bounds{};
  GetWindowRect(form->Handle(), &bounds);
  MapWindowPoints(nullptr, GetParent(form->Handle()), reinterpret_cast<POINT*>(&bounds), 2);
  TcxObjectLinkScope formAlive(form);
  SetVisible(Value);
  if (formAlive.Alive()) form->UpdateBoundsRect(bounds);
}

void TdxBar::Merge(TdxBar* ABar, bool AHideMerged) {
  if (FMergeData->MergedWith) throw EdxException(cxGetResourceString(dxSBAR_CANTMERGEWITHMERGEDTOOLBAR));
  if (!ABar || ABar == this) throw EdxException(cxGetResourceString(dxSBAR_CANTMERGETOOLBAR));
  if (ABar->FMergeData->MergedWith == this)
    throw EdxException(Format(cxGetResourceString(dxSBAR_TOOLBARSALREADYMERGED), {ABar->Caption(), Caption()}));
  if (!ABar->FMergeData->MergedBars().empty())
    throw EdxException(Format(cxGetResourceString(dxSBAR_TOOLBARHASMERGEDTOOLBARS), {ABar->Caption()}));
  const bool wasMerged = ABar->FMergeData->MergedWith != nullptr;
  if (wasMerged) ABar->FMergeData->MergedWith->Unmerge(ABar, false);
  ABar->FMergeData->MergedWith = this;
  FMergeData->MergedBars().push_back(ABar);
  {
    TdxBarManagerUpdate update(FBarManager);
    FItemLinks->Merge(ABar->ItemLinks(), ABar);
  }
  if (!wasMerged && AHideMerged) ABar->FMergeData->VisibleBeforeMerging = ABar->Visible();
  ABar->SetVisibleForMerging(false);
}

void TdxBar::Unmerge(TdxBar* ABar, bool AShowAgain) {
  if (ABar == this) throw EdxException(cxGetResourceString(dxSBAR_CANTUNMERGETOOLBAR));
  if (ABar) {
    if (!ABar->FMergeData->MergedWith) return;
    if (ABar->FMergeData->MergedWith != this)
      throw EdxException(Format(cxGetResourceString(dxSBAR_TOOLBARSARENOTMERGED), {ABar->Caption(), Caption()}));
  }
  std::vector<TdxBar*>& merged = FMergeData->MergedBars();
  if (merged.empty()) return;
  {
    TdxBarManagerUpdate update(FBarManager);
    FItemLinks->Unmerge(ABar);
  }
  std::vector<TdxBar*> leaving;
  if (ABar)
    leaving.push_back(ABar);
  else
    leaving.assign(merged.rbegin(), merged.rend());
  for (TdxBar* bar : leaving) {
    bar->FMergeData->MergedWith = nullptr;
    std::erase(merged, bar);
    if (AShowAgain) bar->SetVisibleForMerging(bar->FMergeData->VisibleBeforeMerging);
  }
  if (!merged.empty() || !FMergeData->CreatedByMerging) return;
  if (FKeepWhenEmptied) {
    FMergeData->VisibleBeforeHiding = Visible();
    SetVisible(false);
    SetHidden(true);
  } else if (!FBeingDestroyed && !HasState(csDestroying)) {
    // Destroying it here while it destroys itself would free it twice.
    TObject::Free(this);
  }
}

void TdxBar::UnmergeBarsOfManager(TdxBarManager* AManager) {
  TcxObjectLinkScope alive(this);
  std::vector<TdxBar*> merged = FMergeData->MergedBars();
  for (auto it = merged.rbegin(); it != merged.rend() && alive.Alive(); ++it)
    if (!AManager || (*it)->BarManager() == AManager) Unmerge(*it, true);
}

void TdxBar::RemergeSavedBars() {
  std::vector<TdxBar*> saved;
  for (int i = 0; i < FMergeData->SavedMergedBarCount(); ++i) saved.push_back(FMergeData->SavedMergedBars(i));
  FMergeData->ClearSavedMergedBars();
  for (TdxBar* bar : saved) Merge(bar, bar->BarManager() == FBarManager);
}

// ---- resetting ----------------------------------------------------------------------------------

namespace {
String BarSection(const String& ABase, int AIndex) { return ABase + "Bar" + IntToStr(AIndex); }
}  // namespace

int TdxBar::SavedStateIndex() const {
  TMemIniFile* saved = FBarManager ? FBarManager->SavedState() : nullptr;
  if (!saved) return -1;
  const String base = dxBarLayoutSectionBase(FBarManager);
  const int count = saved->ReadInteger(base + "Main", "BarCount", 0);
  for (int n = 0; n < count; ++n) {
    const String section = BarSection(base, n);
    if (saved->ValueExists(section, "Caption") && saved->ReadString(section, "Caption", String()) == FCaption) return n;
  }
  return -1;
}

void TdxBar::Reset() {
  const int index = SavedStateIndex();
  if (index < 0) return;
  TdxBarManager* manager = FBarManager;
  TMemIniFile* saved = manager->SavedState();
  const String base = dxBarLayoutSectionBase(manager);
  const String section = BarSection(base, index);
  manager->DoBarBeforeReset(this);
  {
    TdxBarManagerUpdate update(manager);
    const bool wasResetting = GResettingBar;
    GResettingBar = true;
    try {
      FItemLinks->LoadFromLayout(saved, section, false);
      if (manager->UseFullReset()) LoadBarKeys(saved, section, saved->ReadInteger(base + "Main", "BarCount", 0));
      FItemLinks->LoadRecentUse(saved, section, false);
      FItemLinks->LoadSubItemLayouts(saved, base, false);
    } catch (...) {
      GResettingBar = wasResetting;
      throw;
    }
    GResettingBar = wasResetting;
  }
  manager->DoBarAfterReset(this);
}

void TdxBar::ResetWithConfirmation() {
  const String text = Format(cxGetResourceString(dxSBAR_WANTTORESETTOOLBAR), {FCaption});
  if (Application->MessageBox(text, Application->Title(), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK) Reset();
}

// ---- the layout section -------------------------------------------------------------------------

void TdxBar::SaveToLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry) {
  AStorage->WriteString(ASection, "Caption", FCaption);
  if (FDockControl)
    if (const String ref = dxBarDockControlReference(FBarManager, FDockControl); !ref.empty())
      AStorage->WriteString(ASection, "DockControl", ref);
  if (FDockedDockControl)
    if (const String ref = dxBarDockControlReference(FBarManager, FDockedDockControl); !ref.empty())
      AStorage->WriteString(ASection, "DockedDockControl", ref);
  AStorage->WriteInteger(ASection, "DockedDockingStyle", DockedDockingStyle());
  AStorage->WriteInteger(ASection, "DockedLeft", FDockedLeft);
  AStorage->WriteInteger(ASection, "DockedTop", FDockedTop);
  AStorage->WriteInteger(ASection, "DockingStyle", DockingStyle());
  AStorage->WriteInteger(ASection, "FloatClientHeight", FFloatClientHeight);
  AStorage->WriteInteger(ASection, "FloatClientWidth", FFloatClientWidth);
  AStorage->WriteInteger(ASection, "FloatLeft", FFloatLeft);
  AStorage->WriteInteger(ASection, "FloatTop", FFloatTop);
  AStorage->WriteBool(ASection, "OneOnRow", FOneOnRow);
  AStorage->WriteInteger(ASection, "Row", Row());
  bool visible = FVisible || (FBarManager && FBarManager->IsBarToRestore(this));
  if (FMergeData->MergedWith) visible = FMergeData->VisibleBeforeMerging;
  AStorage->WriteBool(ASection, "Visible", visible);
  FItemLinks->SaveToLayout(AStorage, ASection, ARegistry);
}

void TdxBar::LoadFromLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry, int AStoredBarCount,
                            const std::vector<String>* ANewItemNames) {
  FItemLinks->LoadFromLayout(AStorage, ASection, ARegistry, ANewItemNames);
  LoadBarKeys(AStorage, ASection, AStoredBarCount);
}

void TdxBar::LoadBarKeys(TCustomIniFile* AStorage, const String& ASection, int AStoredBarCount) {
  const int savedCount = FRestoringBarCount;
  FRestoringBarCount = AStoredBarCount;
  try {
    ReadBarKeys(AStorage, ASection, AStoredBarCount);
  } catch (const std::exception&) {
    // A value the toolbar cannot take leaves it visible; the rest of the layout still loads.
    FRestoringBarCount = savedCount;
    try {
      SetVisible(true);
    } catch (const std::exception&) {
    }
    return;
  }
  FRestoringBarCount = savedCount;
}

void TdxBar::ReadBarKeys(TCustomIniFile* AStorage, const String& ASection, int) {
  auto style = [&](const char* AKey, TdxBarDockingStyle ACurrent) {
    const int value = AStorage->ReadInteger(ASection, AKey, ACurrent);
    return value >= dsNone && value <= dsBottom ? static_cast<TdxBarDockingStyle>(value) : ACurrent;
  };
  SetVisible(false);
  LeaveDockRow(true);
  SetCaption(AStorage->ReadString(ASection, "Caption", FCaption));
  SetDockedDockControl(dxBarFindDockControl(FBarManager, AStorage->ReadString(ASection, "DockedDockControl", String())));
  FDockedDockingStyle = style("DockedDockingStyle", FDockedDockingStyle);
  SetDockedLeft(AStorage->ReadInteger(ASection, "DockedLeft", FDockedLeft));
  SetDockedTop(AStorage->ReadInteger(ASection, "DockedTop", FDockedTop));
  SetOneOnRow(AStorage->ReadBool(ASection, "OneOnRow", FOneOnRow));
  SetFloatLeft(AStorage->ReadInteger(ASection, "FloatLeft", FFloatLeft));
  SetFloatTop(AStorage->ReadInteger(ASection, "FloatTop", FFloatTop));
  SetFloatClientWidth(AStorage->ReadInteger(ASection, "FloatClientWidth", FFloatClientWidth));
  SetFloatClientHeight(AStorage->ReadInteger(ASection, "FloatClientHeight", FFloatClientHeight));
  if (TdxBarDockControl* site = dxBarFindDockControl(FBarManager, AStorage->ReadString(ASection, "DockControl", String())))
    SetDockControl(site);
  else if (FDockControl)
    SetDockControl(nullptr);
  SetDockingStyle(style("DockingStyle", DockingStyle()));
  SetRow(AStorage->ReadInteger(ASection, "Row", Row()));
  SetVisible(AStorage->ReadBool(ASection, "Visible", false));
  FMergeData->MergedWith = nullptr;
}

// ---- names --------------------------------------------------------------------------------------

String dxBarQualifiedName(TComponent* AComponent) {
  if (!AComponent) return {};
  String result = AComponent->Name();
  for (TComponent* owner = AComponent->Owner(); owner && !owner->Name().empty(); owner = owner->Owner()) {
    result = owner->Name() + "." + result;
    if (dynamic_cast<TCustomForm*>(owner)) break;
  }
  return result;
}

String dxBarLayoutSectionBase(TdxBarManager* AManager) { return dxBarQualifiedName(AManager) + "."; }

String dxBarDockControlReference(TdxBarManager* AManager, TdxBarDockControl* ADockControl) {
  if (!ADockControl || ADockControl->Name().empty()) return {};
  if (AManager && ADockControl->Owner() == AManager->Owner()) return ADockControl->Name();
  return dxBarQualifiedName(ADockControl);
}

TdxBarDockControl* dxBarFindDockControl(TdxBarManager* AManager, const String& AReference) {
  if (AReference.empty()) return nullptr;
  TComponent* found = nullptr;
  const std::size_t dot = AReference.find('.');
  if (dot == String::npos) {
    found = AManager && AManager->Owner() ? AManager->Owner()->FindComponent(AReference) : nullptr;
  } else {
    found = FindGlobalComponent(AReference.substr(0, dot));
    for (std::size_t start = dot + 1; found && start <= AReference.size();) {
      std::size_t next = AReference.find('.', start);
      if (next == String::npos) next = AReference.size();
      found = found->FindComponent(AReference.substr(start, next - start));
      start = next + 1;
    }
  }
  return dynamic_cast<TdxBarDockControl*>(found);
}
