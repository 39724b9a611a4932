// The stored layout of a bar manager: the main and items sections the manager writes itself, the
// order in which toolbars, their links and the sub-menus write theirs, and the storages it goes
// to (an INI file, the registry, a stream of INI text and the in-memory saved state).
#include "ui/bars/BarLayoutPersistence.h"

#include <algorithm>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/classes/Strings.h"
#include "platform/win/Controls.h"
#include "platform/win/MessageBox.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"

using namespace win;

namespace {

constexpr int kLayoutVersion = 55;

String MainSection(const String& ASectionBase, bool ARegistry) {
  return ARegistry ? ASectionBase : ASectionBase + "Main";
}
String ItemsSection(const String& ASectionBase) { return ASectionBase + "Items"; }
String BarSection(const String& ASectionBase, int N) { return ASectionBase + "Bar" + IntToStr(N); }
String SubItemSection(const String& ASectionBase, const String& AName) { return ASectionBase + "SubItem_" + AName; }

// Toolbars that merging made stand for other toolbars: they are neither written nor counted.
std::vector<TdxBar*> StoredBars(TdxBars* ABars) {
  std::vector<TdxBar*> result;
  for (int i = 0; i < ABars->Count(); ++i)
    if (!ABars->Items(i)->MergeData()->CreatedByMerging) result.push_back(ABars->Items(i));
  return result;
}

std::vector<TdxBarItem*> ItemsOf(const TdxBarManager* AManager) {
  std::vector<TdxBarItem*> result;
  for (int i = 0; i < AManager->ItemCount(); ++i) result.push_back(AManager->Items(i));
  return result;
}

// Every section of an earlier save goes first, so nothing of a toolbar or link that is gone now
// survives. The test is a plain prefix test: "BarManager1." never matches "BarManager10.".
void EraseOldSections(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) {
  TStringList sections;
  AStorage->ReadSections(&sections);
  for (int i = 0; i < sections.Count(); ++i)
    if (const String name = sections.Strings(i); name.compare(0, ASectionBase.size(), ASectionBase) == 0)
      AStorage->EraseSection(name);
  // The registry lists only the key's sub-keys by their own names; the key itself goes with them.
  if (ARegistry) AStorage->EraseSection(ASectionBase);
}

// The stored "BarCount" reaches only as far as the consecutive toolbar sections that exist: a
// damaged count must not add toolbars for sections that are not there, nor keep the loop running.
int StoredBarCount(TCustomIniFile* AStorage, const String& ASectionBase, int ACount) {
  int count = 0;
  while (count < ACount && AStorage->SectionExists(BarSection(ASectionBase, count))) ++count;
  return count;
}

void InvokeIniHandlers(TcxEventHandlerCollection* AHandlers, TdxBarManager* AManager, TCustomIniFile* AStorage,
                       const String& ASectionBase, bool ARegistry) {
  TdxBarIniFileEventData data;
  data.IniFile = AStorage;
  data.IsRegistry = ARegistry;
  data.SectionBase = ASectionBase;
  data.Separator = LayoutSeparator(ARegistry);
  AHandlers->InvokeAll(AManager, &data);
}

}  // namespace

String dxBarNormalizedRegistryPath(const String& APath) {
  if (APath.find_first_not_of('\\') == String::npos) return {};
  String path = APath;
  if (path.front() != '\\') path.insert(path.begin(), '\\');
  if (path.back() != '\\') path.push_back('\\');
  return path;
}

// ---- the cores ----------------------------------------------------------------------------------

void TdxBarManager::SaveLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) {
  EraseOldSections(AStorage, ASectionBase, ARegistry);

  const std::vector<TdxBar*> bars = StoredBars(FBars);
  const String main = MainSection(ASectionBase, ARegistry);
  AStorage->WriteInteger(main, "Version", kLayoutVersion);
  if (ResolvedStyle() != bmsStandard) {
    AStorage->WriteBool(main, "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst);
    AStorage->WriteBool(main, "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay);
  }
  AStorage->WriteBool(main, "LargeIcons", LargeIcons());
  AStorage->WriteInteger(main, "MenuAnimations", FMenuAnimations);
  AStorage->WriteBool(main, "ShowHint", FShowHint);
  AStorage->WriteBool(main, "ShowShortCutInHint", FShowShortCutInHint);
  AStorage->WriteInteger(main, "BarCount", static_cast<int>(bars.size()));

  // An item without a name gets no key: its links cannot be stored, and a key would mark it as
  // known to the layout, so that every load dropped them.
  const String items = ItemsSection(ASectionBase);
  const std::vector<TdxBarItem*> allItems = ItemsOf(this);
  AStorage->WriteInteger(items, "ItemCount", static_cast<int>(allItems.size()));
  for (TdxBarItem* item : allItems)
    if (!item->Name().empty()) AStorage->WriteBool(items, item->Name(), true);

  // Sections are numbered as written, so that a toolbar made by merging between others costs no
  // section and the count covers them all.
  for (std::size_t n = 0; n < bars.size(); ++n)
    bars[n]->SaveToLayout(AStorage, BarSection(ASectionBase, static_cast<int>(n)), ARegistry);

  for (TdxBarItem* item : allItems) item->SaveSubItemLayout(AStorage, ASectionBase, ARegistry);

  InvokeIniHandlers(FIniWriteHandlers, this, AStorage, ASectionBase, ARegistry);
}

void TdxBarManager::LoadLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) {
  TdxBarManagerUpdate update(this);

  const String main = MainSection(ASectionBase, ARegistry);
  if (ResolvedStyle() != bmsStandard) {
    SetMenusShowRecentItemsFirst(AStorage->ReadBool(main, "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst));
    SetShowFullMenusAfterDelay(AStorage->ReadBool(main, "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay));
  }
  SetLargeIcons(AStorage->ReadBool(main, "LargeIcons", LargeIcons()));
  // An ordinal outside the enumeration keeps the current value.
  if (const int animations = AStorage->ReadInteger(main, "MenuAnimations", FMenuAnimations);
      animations >= maNone && animations <= maFade)
    SetMenuAnimations(static_cast<TdxBarMenuAnimations>(animations));
  SetShowHint(AStorage->ReadBool(main, "ShowHint", FShowHint));
  SetShowShortCutInHint(AStorage->ReadBool(main, "ShowShortCutInHint", FShowShortCutInHint));
  const int barCount = StoredBarCount(AStorage, ASectionBase, AStorage->ReadInteger(main, "BarCount", 0));

  // Items the layout does not know were added to the program after it was saved: their links stay
  // where the designed layout put them. Unnamed items never have a key, so they count as new.
  std::vector<String> newItems;
  const String items = ItemsSection(ASectionBase);
  if (AStorage->ReadInteger(items, "ItemCount", -1) >= 0)
    for (TdxBarItem* item : ItemsOf(this)) {
      const String& name = item->Name();
      if (!name.empty() && AStorage->ReadBool(items, name, false)) continue;
      if (std::find(newItems.begin(), newItems.end(), name) == newItems.end()) newItems.push_back(name);
    }
  struct TNewItemsScope {
    const std::vector<String>*& Field;
    ~TNewItemsScope() { Field = nullptr; }
  } scope{FLayoutNewItemNames};
  FLayoutNewItemNames = &newItems;

  // Section n goes to the n-th toolbar that merging did not make, as sections are written.
  std::vector<TdxBar*> bars = StoredBars(FBars);
  for (int n = 0; n < barCount; ++n) {
    if (static_cast<std::size_t>(n) >= bars.size()) bars.push_back(FBars->Add());
    bars[static_cast<std::size_t>(n)]->LoadFromLayout(AStorage, BarSection(ASectionBase, n), ARegistry, barCount,
                                                      &newItems);
  }

  for (TdxBarItem* item : ItemsOf(this)) item->LoadSubItemLayout(AStorage, ASectionBase, ARegistry);

  FLayoutNewItemNames = nullptr;
  InvokeIniHandlers(FIniReadHandlers, this, AStorage, ASectionBase, ARegistry);
}

// ---- the storages -------------------------------------------------------------------------------

void TdxBarManager::LoadLayoutFromRegistry(const String& ARegistryPath) {
  const String path = dxBarNormalizedRegistryPath(ARegistryPath);
  if (path.empty()) return;
  TRegistryIniFile storage(path);
  LoadLayout(&storage, path, true);
}

void TdxBarManager::SaveLayoutToRegistry(const String& ARegistryPath) {
  const String path = dxBarNormalizedRegistryPath(ARegistryPath);
  if (path.empty()) return;
  TRegistryIniFile storage(path);
  SaveLayout(&storage, path, true);
}

void TdxBarManager::LoadLayoutFromIniFile(const String& AFileName) {
  if (AFileName.empty() && !FLayoutStream) return;
  TMemIniFile storage(AFileName);
  if (FLayoutStream) {
    TStringList lines;
    lines.LoadFromStream(FLayoutStream);
    storage.SetStrings(&lines);
  }
  LoadLayout(&storage, dxBarLayoutSectionBase(this), false);
}

void TdxBarManager::SaveLayoutToIniFile(const String& AFileName) {
  if (AFileName.empty() && !FLayoutStream) return;
  TMemIniFile storage(AFileName);
  SaveLayout(&storage, dxBarLayoutSectionBase(this), false);
  if (FLayoutStream) {
    TStringList lines;
    storage.GetStrings(&lines);
    lines.SaveToStream(FLayoutStream);
  } else {
    storage.UpdateFile();
  }
}

// ---- the saved state ----------------------------------------------------------------------------

void TdxBarManager::ResetUsageData() {
  if (Application->MessageBox(cxGetResourceString(dxBarStrs::dxSBAR_WANTTORESETUSAGEDATA), Application->Title(),
                              MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
    return;
  ResetUsageDataUnasked();
}

void TdxBarManager::ResetUsageDataUnasked() {
  if (!FSavedState) return;
  TdxBarManagerUpdate update(this);
  const String base = dxBarLayoutSectionBase(this);
  for (TdxBarItem* item : ItemsOf(this)) item->LoadSubItemRecentUse(FSavedState, base);
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    if (const int n = bar->SavedStateIndex(); n >= 0)
      bar->ItemLinks()->LoadRecentUse(FSavedState, BarSection(base, n), false);
  }
}

// ---- sub-menu items -----------------------------------------------------------------------------

void TCustomdxBarSubItem::SaveSubItemLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) {
  TdxBarItemLinks* links = ItemLinks();
  if (links && !Name().empty()) links->SaveToLayout(AStorage, SubItemSection(ASectionBase, Name()), ARegistry);
}

void TCustomdxBarSubItem::LoadSubItemLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) {
  TdxBarItemLinks* links = ItemLinks();
  if (!links || Name().empty()) return;
  const String section = SubItemSection(ASectionBase, Name());
  if (AStorage->ReadInteger(section, "ItemLinkCount", -1) < 0) return;
  links->LoadFromLayout(AStorage, section, ARegistry, BarManager() ? BarManager()->LayoutNewItemNames() : nullptr);
}

void TCustomdxBarSubItem::LoadSubItemRecentUse(TCustomIniFile* AStorage, const String& ASectionBase) {
  if (TdxBarItemLinks* links = ItemLinks()) links->LoadRecentUse(AStorage, SubItemSection(ASectionBase, Name()), false);
}

void TCustomdxBarSubItem::RestoreSubItemLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool /*ARegistry*/) {
  TdxBarItemLinks* links = ItemLinks();
  if (!links || FRestoringLayout) return;
  FRestoringLayout = true;
  try {
    LoadSubItemLayout(AStorage, ASectionBase, false);
    LoadSubItemRecentUse(AStorage, ASectionBase);
    links->LoadSubItemLayouts(AStorage, ASectionBase, false);
  } catch (...) {
    FRestoringLayout = false;
    throw;
  }
  FRestoringLayout = false;
}
