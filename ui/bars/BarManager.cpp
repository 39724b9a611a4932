#include "ui/bars/BarManager.h"

#include "ui/bars/BarHooks.h"
#include "ui/bars/BarSubMenuControl.h"

#include <algorithm>
#include <cctype>

#include "platform/classes/Filer.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Rects.h"
#include "ui/bars/BarCustomizationForm.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarEditorForms.h"
#include "ui/bars/BarLayoutPersistence.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Office11Colors.h"

using namespace win;
using namespace dxBarStrs;

// From the shared bar routines, whose header cannot be included beside the painter interface yet:
// both name their arrow directions adDown and adRight.
win::HFONT CreateSmallCaptionFont(TFont* Font, bool UseSystemFont);
void MakeEditFont(TFont* Font, TFont* Target, bool Scaled);

namespace {

String LowerCase(String S) {
  for (char& c : S) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return S;
}

bool SameTextAscii(const String& A, const String& B) { return LowerCase(A) == LowerCase(B); }

NONCLIENTMETRICS NonClientMetrics() {
  NONCLIENTMETRICS metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics;
}

void AssignLogFont(TFont* Font, const LOGFONTA& LogFont) {
  Font->SetName(LogFont.lfFaceName);
  Font->SetHeight(LogFont.lfHeight);
  Font->SetCharset(LogFont.lfCharSet);
  TFontStyles style;
  if (LogFont.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (LogFont.lfItalic) style.Include(fsItalic);
  if (LogFont.lfUnderline) style.Include(fsUnderline);
  if (LogFont.lfStrikeOut) style.Include(fsStrikeOut);
  Font->SetStyle(style);
}

HBRUSH NearestColorBrush(TColor Color) {
  HDC dc = GetDC(nullptr);
  const COLORREF nearest = GetNearestColor(dc, ColorToRGB(Color));
  ReleaseDC(nullptr, dc);
  return CreateSolidBrush(nearest);
}

void DeleteBrush(HBRUSH& Brush) {
  if (Brush) DeleteObject(Brush);
  Brush = nullptr;
}

}  // namespace

// ---- style table --------------------------------------------------------------------------------

int dxBarPainterKind(TdxBarManagerStyle Style, bool VisualStyles, TcxLookAndFeelKind LookAndFeelKind, bool LookAndFeelNative,
                     bool LookAndFeelHasSkin) {
  switch (Style) {
    case bmsStandard: return 0;
    case bmsEnhanced: return 1;
    case bmsFlat: return 2;
    case bmsXP: return VisualStyles ? 3 : 1;
    case bmsOffice11: return 4;
    case bmsUseLookAndFeel:
      if (LookAndFeelNative && VisualStyles) return 3;
      if (LookAndFeelHasSkin) return 5;
      switch (LookAndFeelKind) {
        case lfFlat: return 1;
        case lfUltraFlat: return 2;
        case lfOffice11: return 4;
        default: return 0;
      }
  }
  return 0;
}

TdxBarPainterClass dxBarPainterClassOfKind(int Kind) {
  switch (Kind) {
    case 1: return TdxBarEnhancedPainter::StaticClass();
    case 2: return TdxBarFlatPainter::StaticClass();
    case 3: return TdxBarXPPainter::StaticClass();
    case 4: return TdxBarOffice11Painter::StaticClass();
    case 5: return DefaultBarPainterClass;
    default: return TdxBarStandardPainter::StaticClass();
  }
}

TdxBarManagerStyle dxBarResolvedStyle(TdxBarManagerStyle Style, bool VisualStyles, TcxLookAndFeelKind LookAndFeelKind,
                                      bool LookAndFeelNative) {
  if (Style != bmsUseLookAndFeel) return Style;
  if (LookAndFeelNative && VisualStyles) return bmsXP;
  switch (LookAndFeelKind) {
    case lfFlat: return bmsEnhanced;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
    default: return bmsStandard;
  }
}

int dxBarMostRecentItemsThreshold(int Percents) {
  if (Percents >= 100) return 0;
  int n = 1;
  while (n * (100 - Percents) / 100 <= 0) ++n;
  return n;
}

// ---- registration -------------------------------------------------------------------------------

// Tells the bar window the manager tracks when the mouse leaves it.
class TdxBarManager::TMouseLeaveCaller : public IcxMouseTrackingCaller {
 public:
  explicit TMouseLeaveCaller(TdxBarManager* AManager) : FManager(AManager) {}
  // The window ends the tracking itself, unless it keeps it.
  void MouseLeave() override {
    if (TCustomdxBarControl* control = FManager->FMouseTrackingBarControl) control->MouseLeft();
  }

 private:
  TdxBarManager* FManager;
};

// ---- construction and destruction ---------------------------------------------------------------

TComponent* TdxBarManager::CheckOwner(TComponent* AOwner) {
  if (!AOwner && Application) AOwner = Application->MainForm();
  if (!dynamic_cast<TWinControl*>(AOwner))
    throw EdxException(cxGetResourceString(dxSBAR_BARMANAGERBADOWNER));
  if (BarManagers)
    for (int i = 0; i < BarManagers->Count(); ++i)
      if (BarManagers->Managers(i)->Owner() == AOwner)
        throw EdxException(cxGetResourceString(dxSBAR_BARMANAGERMORETHANONE));
  return AOwner;
}

TdxBarManager::TdxBarManager(TComponent* AOwner) : TComponent(CheckOwner(AOwner)) {
  RegisterBarManager(this);
  FBackgrounds = new TdxBarBackgrounds(this);
  FBackgrounds->OnChanged = [this](TObject*) { StyleChanged(); };
  FLookAndFeel = new TcxLookAndFeel(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) {
    if (!IsDestroying()) StyleChanged();
  };
  SetStyle(bmsEnhanced);
  FItems = new TdxBarComponentList;
  FGroups = new TdxBarComponentList;
  FCategories = new TdxBarManagerCategories(this);
  FBars = new TdxBars(this);
  FIniReadHandlers = new TcxEventHandlerCollection;
  FIniWriteHandlers = new TcxEventHandlerCollection;
  FSystemFontChangedHandlers = new TcxEventHandlerCollection;
  FMDIStateChangedHandlers = new TcxEventHandlerCollection;
  FFont = new TFont;
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  FEditFont = new TFont;
  FBarCaptionFont = new TFont;
  FHelpButtonGlyph = new TBitmap;
  FThemeChangedNotificator = new TdxThemeChangedNotificator;
  FThemeChangedNotificator->OnThemeChanged = [this] { StyleChanged(); };
  CreateBrushes();
  AcquireOffice11Colors();
  FOffice11ColorsAcquired = true;
  FPopupMenuLinks = new TdxBarPopupMenuLinks(this);
  FDragInfo = new TdxBarDragInfo(this);
  FImageOptions = new TdxBarImageOptions(this);
  FImageOptions->OnImageListChanged = [this](TCustomImageList* List) { ImageListChanged(List); };
  FImageOptions->OnChanged = [this](TObject* Sender) { ImageOptionsChanged(Sender); };
  FImageOptions->OnLargeIconsChanged = [this](TObject* Sender) { ImageOptionsChanged(Sender); };
  FMouseLeaveCaller = new TMouseLeaveCaller(this);
  if (!(Owner() && Owner()->HasState(csDesigning))) FSavedState = new TMemIniFile;
  FBars->CreateDockControls();
  SetUseSystemFont(true);
}

void TdxBarManager::BeforeDestruction() {
  TComponent::BeforeDestruction();
  // Leaving customizing mode still needs the bars and their windows.
  SetCustomizing(false);
}

TdxBarManager::~TdxBarManager() {
  UnregisterBarManager(this);
  FreeAndNil(FSavedState);
  FImageOptions->OnImageListChanged = nullptr;
  FImageOptions->OnChanged = nullptr;
  FImageOptions->OnLargeIconsChanged = nullptr;
  FreeAndNil(FImageOptions);
  FreeAndNil(FDragInfo);
  FLookAndFeel->OnChanged = nullptr;
  FreeAndNil(FLookAndFeel);
  FreeAndNil(FThemeChangedNotificator);
  if (FMouseTrackingBarControl) StopMouseLeaveWatch(FMouseLeaveCaller);
  FMouseTrackingBarControl = nullptr;
  delete FMouseLeaveCaller;
  FMouseLeaveCaller = nullptr;
  DestroyBrushes();
  if (FOffice11ColorsAcquired) RelinquishOffice11Colors();
  while (!FPopupMenus.empty()) FPopupMenus.back()->DetachFromManager();
  FreeAndNil(FHelpButtonGlyph);
  while (FGroups->Count() > 0) delete FGroups->Last();
  FreeAndNil(FGroups);
  FFont->OnChange = nullptr;
  FreeAndNil(FFont);
  FreeAndNil(FEditFont);
  FreeAndNil(FBarCaptionFont);
  FreeAndNil(FBars);
  FreeAndNil(FIniReadHandlers);
  FreeAndNil(FIniWriteHandlers);
  FreeAndNil(FSystemFontChangedHandlers);
  FreeAndNil(FMDIStateChangedHandlers);
  while (!FDockControls.empty()) FDockControls.back()->SetBarManager(nullptr);
  FreeInternalItems();
  // Items usually belong to the form and may outlive their manager; they must not keep it.
  for (int i = 0; i < ItemCount(); ++i) Items(i)->SetBarManagerReference(nullptr);
  FreeAndNil(FItems);
  FreeAndNil(FCategories);
  FBarsToRestore.clear();
  for (TcxObjectLink* link : FRedrawStoppedSites) FreeObjectLink(link);
  FRedrawStoppedSites.clear();
  FreeAndNil(FPopupMenuLinks);
  FreeAndNil(FBackgrounds);
  FreeAndNil(FPainter);
}

void TdxBarManager::DeclareProperties(TPropTable& t) {
  using M = TdxBarManager;
  t.Add("AllowCallFromAnotherForm", &M::AllowCallFromAnotherForm, &M::SetAllowCallFromAnotherForm).SetDefault(false);
  t.Add("AllowReset", &M::AllowReset, &M::SetAllowReset).SetDefault(true);
  t.Add("AlwaysMerge", &M::AlwaysMerge, &M::SetAlwaysMerge).SetDefault(false);
  t.Add("AlwaysSaveText", &M::AlwaysSaveText, &M::SetAlwaysSaveText).SetDefault(false);
  t.Add("AutoAlignBars", &M::AutoAlignBars, &M::SetAutoAlignBars).SetDefault(false);
  t.Add("AutoDockColor", &M::AutoDockColor, &M::SetAutoDockColor).SetDefault(true);
  t.Add("AutoHideEmptyBars", &M::AutoHideEmptyBars, &M::SetAutoHideEmptyBars).SetDefault(false);
  t.Add("Scaled", &M::Scaled, &M::SetScaled).SetDefault(true);
  t.Add("Font", &M::Font, &M::SetFont);
  t.Add("Backgrounds", &M::Backgrounds, &M::SetBackgrounds);
  t.Add("ButtonArrowWidth", &M::ButtonArrowWidth, &M::SetButtonArrowWidth).SetDefault(11);
  t.Add("CanCustomize", &M::CanCustomize, &M::SetCanCustomize).SetDefault(true);
  t.Add("Categories", &M::Categories, &M::SetCategories);
  t.Add("DockColor", &M::DockColor, &M::SetDockColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(&M::IsDockColorStored);
  t.Add("FlatCloseButton", &M::FlatCloseButton, &M::SetFlatCloseButton).SetDefault(false);
  t.Add("HelpButtonGlyph", &M::HelpButtonGlyph, &M::SetHelpButtonGlyph);
  t.Add("HelpContext", &M::HelpContext, &M::SetHelpContext).SetDefault(0);
  t.Add("HideFloatingBarsWhenInactive", &M::HideFloatingBarsWhenInactive, &M::SetHideFloatingBarsWhenInactive)
      .SetDefault(true);
  t.Add("ImageOptions", &M::ImageOptions, &M::SetImageOptions);
  t.Add("DisabledImages", &M::DisabledImages, &M::SetDisabledImages).Stored(false);
  t.Add("DisabledLargeImages", &M::DisabledLargeImages, &M::SetDisabledLargeImages).Stored(false);
  t.Add("HotImages", &M::HotImages, &M::SetHotImages).Stored(false);
  t.Add("Images", &M::Images, &M::SetImages).Stored(false);
  t.Add("ImageListBkColor", &M::ImageListBkColor, &M::SetImageListBkColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(false);
  t.Add("IniFileName", &M::IniFileName, &M::SetIniFileName);
  t.Add("LookAndFeel", &M::LookAndFeel, &M::SetLookAndFeel);
  t.Add("LargeButtonArrowWidth", &M::LargeButtonArrowWidth, &M::SetLargeButtonArrowWidth).SetDefault(13);
  t.Add("LargeIcons", &M::LargeIcons, &M::SetLargeIcons).Stored(false);
  t.Add("LargeImages", &M::LargeImages, &M::SetLargeImages).Stored(false);
  t.Add("MakeDisabledImagesFaded", &M::MakeDisabledImagesFaded, &M::SetMakeDisabledImagesFaded).Stored(false);
  t.Add("MenuAnimations", &M::MenuAnimations, &M::SetMenuAnimations).SetDefault(maNone);
  t.Add("MenusShowRecentItemsFirst", &M::MenusShowRecentItemsFirst, &M::SetMenusShowRecentItemsFirst)
      .SetDefault(true);
  t.Add("MostRecentItemsPercents", &M::MostRecentItemsPercents, &M::SetMostRecentItemsPercents).SetDefault(95);
  t.Add("NotDocking", &M::NotDocking, &M::SetNotDocking).SetDefault(TdxBarDockingStyles{});
  t.Add("PopupMenuLinks", &M::PopupMenuLinks, &M::SetPopupMenuLinks);
  t.Add("RegistryPath", &M::RegistryPath, &M::SetRegistryPath);
  t.Add("ShowCloseButton", &M::ShowCloseButton, &M::SetShowCloseButton).SetDefault(false);
  t.Add("ShowFullMenusAfterDelay", &M::ShowFullMenusAfterDelay, &M::SetShowFullMenusAfterDelay).SetDefault(true);
  t.Add("ShowHelpButton", &M::ShowHelpButton, &M::SetShowHelpButton).SetDefault(false);
  t.Add("ShowHint", &M::ShowHint, &M::SetShowHint).SetDefault(true);
  t.Add("ShowHintForDisabledItems", &M::ShowHintForDisabledItems, &M::SetShowHintForDisabledItems).SetDefault(true);
  t.Add("ShowShortCutInHint", &M::ShowShortCutInHint, &M::SetShowShortCutInHint).SetDefault(false);
  t.Add("StoreInIniFile", &M::StoreInIniFile, &M::SetStoreInIniFile).SetDefault(false);
  t.Add("StoreInRegistry", &M::StoreInRegistry, &M::SetStoreInRegistry).SetDefault(false);
  t.Add("StretchGlyphs", &M::StretchGlyphs, &M::SetStretchGlyphs).Stored(false);
  t.Add("Style", &M::Style, &M::SetStyle).SetDefault(bmsEnhanced);
  t.Add("SunkenBorder", &M::SunkenBorder, &M::SetSunkenBorder).SetDefault(false);
  t.Add("UseF10ForMenu", &M::UseF10ForMenu, &M::SetUseF10ForMenu).SetDefault(true);
  t.Add("UseFullReset", &M::UseFullReset, &M::SetUseFullReset).SetDefault(false);
  t.Add("UseLargeImagesForLargeIcons", &M::UseLargeImagesForLargeIcons, &M::SetUseLargeImagesForLargeIcons)
      .Stored(false);
  t.Add("UseSystemFont", &M::UseSystemFont, &M::SetUseSystemFont);
  t.Add("WaitForDockingTime", &M::WaitForDockingTime, &M::SetWaitForDockingTime).SetDefault(21);

  t.Add("OnBarAdd", &M::OnBarAdd);
  t.Add("OnBarAfterReset", &M::OnBarAfterReset);
  t.Add("OnBarBeforeReset", &M::OnBarBeforeReset);
  t.Add("OnBarClose", &M::OnBarClose);
  t.Add("OnBarDelete", &M::OnBarDelete);
  t.Add("OnBarDockingStyleChange", &M::OnBarDockingStyleChange);
  t.Add("OnBarVisibleChange", &M::OnBarVisibleChange);
  t.Add("OnClickItem", &M::OnClickItem);
  t.Add("OnCloseButtonClick", &M::OnCloseButtonClick);
  t.Add("OnDocking", &M::OnDocking);
  t.Add("OnHelpButtonClick", &M::OnHelpButtonClick);
  t.Add("OnHideCustomizingForm", &M::OnHideCustomizingForm);
  t.Add("OnItemLinkAdd", &M::OnItemLinkAdd);
  t.Add("OnItemLinkChange", &M::OnItemLinkChange);
  t.Add("OnItemLinkDelete", &M::OnItemLinkDelete);
  t.Add("OnMenuMerge", &M::OnMenuMerge);
  t.Add("OnMerge", &M::OnMerge);
  t.Add("OnMergeItemLink", &M::OnMergeItemLink);
  t.Add("OnShowCustomizingForm", &M::OnShowCustomizingForm);
  t.Add("OnShowCustomizingPopup", &M::OnShowCustomizingPopup);
  t.Add("OnShowToolbarsPopup", &M::OnShowToolbarsPopup);
}

// ---- setters ------------------------------------------------------------------------------------

void TdxBarManager::SetAutoAlignBars(bool Value) {
  if (FAutoAlignBars == Value) return;
  FAutoAlignBars = Value;
  if (IsLoading()) return;
  for (TdxDockControl* site : FDockControls) {
    site->DeleteEmptyRows();
    site->UpdateDock();
  }
  RepaintAllBars();
}

void TdxBarManager::SetAutoDockColor(bool Value) {
  if (FAutoDockColor == Value) return;
  FAutoDockColor = Value;
  RefreshDockColors();
}

bool TdxBarManager::IsDockColorStored() const { return !FAutoDockColor; }

TColor TdxBarManager::DockColor() const {
  if (FAutoDockColor)
    if (auto* owner = dynamic_cast<TControl*>(Owner())) return owner->Color();
  return FDockColor;
}

void TdxBarManager::SetDockColor(TColor Value) {
  FDockColor = Value;
  FAutoDockColor = false;
  RefreshDockColors();
}

void TdxBarManager::RefreshDockColors() {
  for (TdxDockControl* site : FDockControls) site->ApplyManagerColor();
}

void TdxBarManager::SetAutoHideEmptyBars(bool Value) {
  if (FAutoHideEmptyBars == Value) return;
  FAutoHideEmptyBars = Value;
  if (!Value)
    for (int i = 0; i < FBars->Count(); ++i) FBars->Items(i)->SetHiddenAsEmpty(false);
}

void TdxBarManager::SetScaled(bool Value) {
  if (FScaled == Value) return;
  FScaled = Value;
  if (FScaled && !FUseSystemFont) UpdateFonts();
}

void TdxBarManager::SetButtonArrowWidth(int Value) {
  if (Value <= 1 || FButtonArrowWidth == Value) return;
  FButtonArrowWidth = Value;
  BarsChanged();
}

void TdxBarManager::SetLargeButtonArrowWidth(int Value) {
  if (Value < 2 || FLargeButtonArrowWidth == Value) return;
  FLargeButtonArrowWidth = Value;
  BarsChanged();
}

void TdxBarManager::SetFlatCloseButton(bool Value) {
  if (FFlatCloseButton == Value) return;
  FFlatCloseButton = Value;
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBar* bar = FBars->Items(i); bar->IsMainMenu() && bar->Control()) {
      if (FSelectedItem && FSelectedItemBar == bar->Control()) SetSelectedItem(nullptr);
      bar->Control()->RebuildRecreating();
    }
}

void TdxBarManager::SetShowCloseButton(bool Value) {
  if (FShowCloseButton == Value) return;
  FShowCloseButton = Value;
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBar* bar = FBars->Items(i); bar->IsMainMenu() && bar->Control()) {
      if (FSelectedItem && FSelectedItemBar == bar->Control()) SetSelectedItem(nullptr);
      bar->Control()->RebuildRecreating();
    }
}

void TdxBarManager::SetHideFloatingBarsWhenInactive(bool Value) {
  if (FHideFloatingBarsWhenInactive == Value) return;
  FHideFloatingBarsWhenInactive = Value;
  if (!IsDesigning() && !IsLoading()) UpdateFloatingBarsVisibility();
}

void TdxBarManager::UpdateFloatingBarsVisibility() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  const bool ownerActive = !form || !form->HandleAllocated() || GetActiveWindow() == form->Handle();
  const bool show = !FHideFloatingBarsWhenInactive || ownerActive;
  FInternalState |= bmsShowingFloatingBars;
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    if (bar->DockingStyle() != dsNone || !bar->Visible() || !bar->Control() || !bar->Control()->HandleAllocated())
      continue;
    ShowWindow(bar->Control()->Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
  FInternalState &= ~bmsShowingFloatingBars;
}

void TdxBarManager::SetMenuAnimations(TdxBarMenuAnimations Value) {
  if (FMenuAnimations == Value) return;
  FMenuAnimations = Value;
  DesignerModified();
}

void TdxBarManager::SetMenusShowRecentItemsFirst(bool Value) {
  if (FMenusShowRecentItemsFirst == Value) return;
  FMenusShowRecentItemsFirst = Value;
  DesignerModified();
}

void TdxBarManager::SetShowFullMenusAfterDelay(bool Value) {
  if (FShowFullMenusAfterDelay == Value) return;
  FShowFullMenusAfterDelay = Value;
  DesignerModified();
}

void TdxBarManager::SetShowHelpButton(bool Value) { FShowHelpButton = Value; }

void TdxBarManager::SetMostRecentItemsPercents(int Value) {
  FMostRecentItemsPercents = std::clamp(Value, 0, 100);
  FMostRecentItemsThreshold = dxBarMostRecentItemsThreshold(FMostRecentItemsPercents);
}

void TdxBarManager::SetNotDocking(TdxBarDockingStyles Value) {
  if (FNotDocking == Value) return;
  FNotDocking = Value;
  StyleChanged();
  BarsChanged();
}

void TdxBarManager::SetRegistryPath(const String& Value) { FRegistryPath = dxBarNormalizedRegistryPath(Value); }

void TdxBarManager::SetStyle(TdxBarManagerStyle Value) {
  if (FStyle == Value && FPainter) return;
  FStyle = Value;
  StyleChanged();
  BarsChanged();
}

void TdxBarManager::SetSunkenBorder(bool Value) {
  if (FSunkenBorder == Value) return;
  FSunkenBorder = Value;
  for (TdxDockControl* site : FDockControls) site->RefreshFrames();
}

void TdxBarManager::SetUseSystemFont(bool Value) {
  if (FUseSystemFont == Value) return;
  FUseSystemFont = Value;
  if (FUseSystemFont) UpdateFonts();
}

void TdxBarManager::SetWaitForDockingTime(int Value) {
  if (Value >= 0) FWaitForDockingTime = Value;
}

// ---- style and painter --------------------------------------------------------------------------

TdxBarPainterClass TdxBarManager::GetPainterClass() {
  return dxBarPainterClassOfKind(dxBarPainterKind(FStyle, HasVisualStyles(), FLookAndFeel->Kind(),
                                                  FLookAndFeel->NativeStyle(), FLookAndFeel->SkinPainter()));
}

TdxBarManagerStyle TdxBarManager::ResolvedStyle() const {
  return dxBarResolvedStyle(FStyle, HasVisualStyles(), FLookAndFeel->Kind(), FLookAndFeel->NativeStyle());
}

void TdxBarManager::AssignStyleToLookAndFeel(TcxLookAndFeel* ALookAndFeel) {
  ALookAndFeel->ClearAssignedValues();
  ALookAndFeel->SetSkinName("");
  switch (dxBarPainterKind(FStyle, HasVisualStyles(), FLookAndFeel->Kind(), FLookAndFeel->NativeStyle(),
                           FLookAndFeel->SkinPainter())) {
    case 2: ALookAndFeel->ApplyPainterStyle(psUltraFlat); break;
    case 3: ALookAndFeel->ApplyPainterStyle(psNative); break;
    case 4: ALookAndFeel->ApplyPainterStyle(psOffice11); break;
    case 5: ALookAndFeel->Assign(FLookAndFeel); break;
    default: ALookAndFeel->ApplyPainterStyle(psFlat); break;
  }
}

void TdxBarManager::CreatePainter() {
  FThemeAvailable = HasVisualStyles({tciComboBox, tciEdit, tciProgress, tciRebar, tciScrollBar, tciSpin,
                                     tciStatus, tciToolBar, tciWindow});
  FreeAndNil(FPainter);
  FPainter = static_cast<TdxBarPainter*>(GetPainterClass()->Create());
  FPainter->Construct(FLookAndFeel->SkinPainter());
}

void TdxBarManager::StyleChanged() {
  FChangingStyle = true;
  try {
    CreatePainter();
    for (int i = 0; BarControls && i < BarControls->Count(); ++i) {
      auto* control = static_cast<TCustomdxBarControl*>(BarControls->Items(i));
      if (FBars && control->Owner() == Owner()) control->BarManagerStyleChanged();
    }
  } catch (...) {
    FChangingStyle = false;
    throw;
  }
  FChangingStyle = false;
  // The new painter may space the rows and frame the toolbars apart: the sites fit them again.
  for (TdxDockControl* site : FDockControls) {
    site->RefreshBrushes();
    if (!IsLoading()) site->UpdateDock();
  }
  for (int i = 0; BarControls && i < BarControls->Count(); ++i) {
    auto* control = static_cast<TCustomdxBarControl*>(BarControls->Items(i));
    if (control->Owner() == Owner()) control->RefreshBrushes();
  }
}

void TdxBarManager::BarsChanged() {
  if (!FBars || IsLoading()) return;
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBarControl* control = FBars->Items(i)->Control()) control->RebuildRecreating();
}

void TdxBarManager::RepaintAllBars() {
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBarControl* control = FBars->Items(i)->Control()) control->RepaintBar();
}

// ---- brushes ------------------------------------------------------------------------------------

void TdxBarManager::CreateBrushes() {
  DestroyBrushes();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto lighter = [](int c) { return c + (255 - c) * 16 / 100; };
  FFlatToolbarsBorderColor = static_cast<TColor>(
      RGB(GetRValue(shadow) * 8 / 10, GetGValue(shadow) * 8 / 10, GetBValue(shadow) * 8 / 10));
  FFlatToolbarsColor =
      static_cast<TColor>(RGB(lighter(GetRValue(face)), lighter(GetGValue(face)), lighter(GetBValue(face))));
  FFlatToolbarsBorderBrush = NearestColorBrush(FFlatToolbarsBorderColor);
  FFlatToolbarsBrush = NearestColorBrush(FFlatToolbarsColor);
  FFlatToolbarsDownedBrush = NearestColorBrush(BlendSystemColorsByPercent(11, 9, 73));
  FFlatToolbarsDownedSelBrush = NearestColorBrush(BlendSystemColorsByPercent(14, 44, 40));
  FFlatToolbarsSelBrush = NearestColorBrush(BlendSystemColorsByPercent(-2, 30, 72));
  if (HasVisualStyles()) {
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    if (HTHEME theme = AcquireThemeHandle(tciToolBar)) UxGetThemeColor(theme, 0, 0, TMT_FILLCOLOR, color);
    FThemeToolbarBrush = NearestColorBrush(static_cast<TColor>(color));
  }
}

void TdxBarManager::DestroyBrushes() {
  DeleteBrush(FFlatToolbarsBorderBrush);
  DeleteBrush(FFlatToolbarsBrush);
  DeleteBrush(FFlatToolbarsDownedBrush);
  DeleteBrush(FFlatToolbarsDownedSelBrush);
  DeleteBrush(FFlatToolbarsSelBrush);
  DeleteBrush(FThemeToolbarBrush);
}

void TdxBarManager::SysColorChanged() {
  CreateBrushes();
  RebuildOffice11Colors();
  // The painter stays: it reads the rebuilt colours on its next call. The sites and windows take
  // the new brushes and floating toolbars recompute their frames.
  for (TdxDockControl* site : FDockControls) site->RefreshBrushes();
  for (int i = 0; BarControls && i < BarControls->Count(); ++i) {
    auto* control = static_cast<TCustomdxBarControl*>(BarControls->Items(i));
    if (control->Owner() != Owner()) continue;
    control->RefreshBrushes();
    if (control->DockingStyleIndex() == 0) control->BarManagerStyleChanged();
  }
}

// ---- fonts --------------------------------------------------------------------------------------

void TdxBarManager::FontChanged(TObject*) {
  if (FChangingFontInternally) return;
  FUseSystemFont = false;
  UpdateFonts();
}

void TdxBarManager::SystemFontsChanged() { UpdateFonts(); }

void TdxBarManager::UpdateFonts() {
  if (!FFont) return;
  const NONCLIENTMETRICS metrics = NonClientMetrics();
  FChangingFontInternally = true;
  try {
    if (FUseSystemFont)
      AssignLogFont(FFont, metrics.lfMenuFont);
    else if (FScaled)
      FFont->SetHeight(metrics.lfMenuFont.lfHeight);
    MakeEditFont(FFont, FEditFont, FScaled);
    FBarCaptionFont->SetHandle(CreateSmallCaptionFont(FFont, FUseSystemFont));
  } catch (...) {
    FChangingFontInternally = false;
    throw;
  }
  FChangingFontInternally = false;
  FSystemFontChangedHandlers->InvokeAll(this, nullptr);
  ApplyFontToBars();
}

void TdxBarManager::ApplyFontToBars() {
  for (int i = 0; FBars && i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    bar->ManagerFontChanged();
  }
  for (TdxBarPopupMenu* menu : FPopupMenus) menu->ManagerFontChanged();
}

// ---- items, groups, dock sites, popup menus -----------------------------------------------------

TdxBarItem* TdxBarManager::Items(int Index) const {
  return Index >= 0 && Index < ItemCount() ? static_cast<TdxBarItem*>(FItems->Items(Index)) : nullptr;
}

TdxBarItem* TdxBarManager::ItemByName(const String& AName) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (SameTextAscii(Items(i)->Name(), AName)) return Items(i);
  return nullptr;
}

void TdxBarManager::AddItem(TdxBarItem* AItem) {
  if (AItem && FItems->IndexOf(AItem) < 0) FItems->Add(AItem);
}

void TdxBarManager::RemoveItem(TdxBarItem* AItem) {
  if (FItems) FItems->Remove(AItem);
}

void TdxBarManager::MoveItem(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex || !Items(CurIndex) || !Items(NewIndex)) return;
  FItems->Move(CurIndex, NewIndex);
  DesignerModified();
}

TdxBarGroup* TdxBarManager::AddGroup() {
  auto* group = new TdxBarGroup(Owner());
  group->SetParentComponent(this);
  return group;
}

void TdxBarManager::AddGroup(TdxBarGroup* AGroup) {
  if (AGroup && FGroups->IndexOf(AGroup) < 0) FGroups->Add(AGroup);
}

void TdxBarManager::AddDockControl(TdxDockControl* ADockControl) {
  if (std::find(FDockControls.begin(), FDockControls.end(), ADockControl) == FDockControls.end())
    FDockControls.push_back(ADockControl);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* ADockControl) {
  if (std::find(FDockControls.begin(), FDockControls.end(), ADockControl) == FDockControls.end()) return;
  std::erase(FDockControls, ADockControl);
  if (!FBars) return;
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    const bool realSite = bar->RealDockControl() == ADockControl;
    if (bar->DockControl() == ADockControl) bar->SetDockControl(nullptr);
    if (bar->DockedDockControl() == ADockControl) bar->SetDockedDockControl(nullptr);
    if (realSite) bar->SetVisible(false);
  }
  if (ADockControl->IsBuiltIn()) FBars->ClearDockControl(ADockControl->BuiltInStyle());
}

void TdxBarManager::AddPopupMenu(TdxBarPopupMenu* AMenu) {
  if (std::find(FPopupMenus.begin(), FPopupMenus.end(), AMenu) == FPopupMenus.end()) FPopupMenus.push_back(AMenu);
}

void TdxBarManager::RemovePopupMenu(TdxBarPopupMenu* AMenu) { std::erase(FPopupMenus, AMenu); }

// ---- names --------------------------------------------------------------------------------------

TdxBar* TdxBarManager::BarByName(const String& AName) const {
  for (int i = 0; i < FBars->Count(); ++i)
    if (FBars->Items(i)->Name() == AName) return FBars->Items(i);
  return nullptr;
}

TdxBar* TdxBarManager::BarByCaption(const String& ACaption) const {
  for (int i = 0; i < FBars->Count(); ++i)
    if (FBars->Items(i)->Caption() == ACaption) return FBars->Items(i);
  return nullptr;
}

String TdxBarManager::GetUniqueBarName(const String& APrefix) {
  if (IsDesigning() && !IsLoading() && FDesigner) return FDesigner->UniqueName(APrefix);
  for (int n = 1;; ++n) {
    String name = APrefix + std::to_string(n);
    if (!BarByName(name)) return name;
  }
}

String TdxBarManager::GetUniqueBarCaption(const String& APrefix) {
  for (int n = 1;; ++n) {
    String caption = APrefix + std::to_string(n);
    if (!BarByCaption(caption)) return caption;
  }
}

String TdxBarManager::GetUniqueItemName(TClass AItemClass) {
  const String base = AItemClass->ClassName().substr(1);
  if (IsDesigning() && FDesigner) return FDesigner->UniqueName(base);
  for (int n = 1;; ++n) {
    String name = base + std::to_string(n);
    if (!ItemByName(name)) return name;
  }
}

// ---- toolbars -----------------------------------------------------------------------------------

namespace {

// The toolbar name dialog, or the manager's stand-in for it; ARenamed: the toolbar being renamed.
bool AskToolbarName(TdxBarManager* AManager, String& ACaption, TdxBar* ARenamed) {
  if (AManager->ShowNameDialog) return AManager->ShowNameDialog(ACaption, ARenamed != nullptr);
  return ShowNameDialog(ACaption, nkToolbar, ARenamed ? 1 : 0, ARenamed, AManager);
}

}  // namespace

TdxBar* TdxBarManager::AddToolbar(bool AMainMenu, bool AAskUser) {
  String caption = GetUniqueBarCaption(cxGetResourceString(dxSBAR_TOOLBARNEWNAME));
  if (AAskUser && !AskToolbarName(this, caption, nullptr)) return nullptr;
  TdxBar* bar = nullptr;
  BeginUpdate();
  try {
    FBars->BeginUpdate();
    try {
      bar = FBars->Add();
      bar->SetCaption(caption);
      if (auto* owner = dynamic_cast<TControl*>(Owner())) {
        RECT r = owner->BoundsRect();
        if (owner->Parent()) {
          POINT p = owner->Parent()->ClientToScreen(POINT{r.left, r.top});
          OffsetRect(&r, p.x - r.left, p.y - r.top);
        }
        RECT area{};
        DesktopWorkArea(POINT{r.left, r.top}, area);
        bar->SetFloatLeft(r.left - 50 < area.left ? r.right + 10 : r.left - 50);
        bar->SetFloatTop(r.top < area.top ? area.top + 10 : r.top);
      }
      bar->SetDockingStyle(dsTop);
      if (AMainMenu) {
        bar->SetRow(0);
        bar->SetIsMainMenu(true);
        bar->SetVisible(true);
      } else {
        TdxDockControl* site = bar->RealDockControl();
        bar->SetRow(site ? site->RowCount() : 0);
        bar->SetOneOnRow(true);
        bar->SetVisible(true);
        bar->SetOneOnRow(false);
      }
    } catch (...) {
      FBars->EndUpdate();
      throw;
    }
    FBars->EndUpdate();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return bar;
}

void TdxBarManager::RenameBar(TdxBar* ABar) {
  String caption = ABar->Caption();
  if (AskToolbarName(this, caption, ABar)) ABar->SetCaption(caption);
}

// ---- docking ------------------------------------------------------------------------------------

HWND TdxBarManager::DragCaptureWindow() const {
  if (FIsCustomizing && FCustomizingForm && FCustomizingForm->HandleAllocated()) return FCustomizingForm->Handle();
  if (Application)
    if (HWND application = Application->Handle(); application && IsWindowVisible(application)) return application;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  return owner ? owner->Handle() : nullptr;
}

bool TdxBarManager::CanDockBar(TdxBar* ABar, TdxBarDockingStyle AStyle, TdxDockControl* ADockControl) {
  bool result;
  if (ABar->NotDocking().Contains(AStyle))
    result = false;
  else if (ADockControl && !ADockControl->IsBuiltIn())
    result = ADockControl->AcceptsBar(ABar);
  else
    result = !FNotDocking.Contains(AStyle);
  if (OnDocking) OnDocking(ABar, AStyle, ADockControl, result);
  return result;
}

// ---- update locking -----------------------------------------------------------------------------

void TdxBarManager::BeginUpdate(bool ARedraw) {
  if (++FLockUpdate != 1 || !ARedraw) return;
  for (TdxDockControl* site : FDockControls)
    if (site->Visible() && site->HandleAllocated()) {
      SendMessage(site->Handle(), WM_SETREDRAW, FALSE, 0);
      FRedrawStoppedSites.push_back(CreateObjectLink(site));
    }
}

namespace {

void RedrawStoppedSites(std::vector<TcxObjectLink*>& Links, bool Redraw) {
  std::vector<TcxObjectLink*> links;
  links.swap(Links);
  for (TcxObjectLink* link : links) {
    auto* site = static_cast<TdxDockControl*>(link->LinkedObject);
    if (Redraw && site && site->HandleAllocated()) SendMessage(site->Handle(), WM_SETREDRAW, TRUE, 0);
    FreeObjectLink(link);
  }
}

}  // namespace

void TdxBarManager::EndUpdate(bool ARelayout, bool ARedraw) {
  if (FLockUpdate <= 0) return;
  if (--FLockUpdate != 0 || IsDestroying()) return;
  RedrawStoppedSites(FRedrawStoppedSites, ARedraw);
  try {
    RefreshAfterUpdate(ARelayout);
  } catch (...) {
    for (int i = 0; i < FBars->Count(); ++i) FBars->Items(i)->SetChanged(false);
    throw;
  }
  for (int i = 0; i < FBars->Count(); ++i) FBars->Items(i)->SetChanged(false);
}

void TdxBarManager::EndUpdateNoRefresh() {
  if (FLockUpdate <= 0) return;
  if (--FLockUpdate == 0) RedrawStoppedSites(FRedrawStoppedSites, true);
}

void TdxBarManager::RefreshAfterUpdate(bool ARelayout) {
  if (TdxBarSubMenuControl* subMenu = FChangedSubMenuControl) {
    FChangedSubMenuControl = nullptr;
    if (IsBarControlAlive(subMenu)) subMenu->RebuildRecreating();
  }
  std::vector<TCustomdxBarControl*> relaid;
  if (ARelayout)
    for (int i = 0; i < FBars->Count(); ++i) {
      TdxBar* bar = FBars->Items(i);
      if (bar->Changed() && bar->Control()) {
        bar->Control()->RecalcAndLayout();
        relaid.push_back(bar->Control());
      }
    }
  for (TdxDockControl* site : FDockControls) site->DeleteEmptyRows();
  for (TdxDockControl* site : FDockControls)
    if (site->Visible() && site->HandleAllocated()) site->RefreshFrames();
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBarControl* control = FBars->Items(i)->Control();
    if (control && std::find(relaid.begin(), relaid.end(), control) == relaid.end()) control->RepaintBar();
  }
}

// ---- designer -----------------------------------------------------------------------------------

void TdxBarManager::DesignerModified() {
  if (IsLoading() || IsDestroying()) return;
  if (FDesignerNotifyLockCount > 0) {
    FDesignerNotifyPending = true;
    return;
  }
  FModified = true;
  if (IsDesigning() && !IsLocked() && !(FInternalState & (bmsRestoringPositions | bmsRecreatingBarWindows)))
    if (TdxBarDesignController* controller = BarDesignController())
      controller->NotifyDesignerModified(dynamic_cast<TCustomForm*>(Owner()));
}

void TdxBarManager::UnlockDesignerModified(bool ANotify) {
  if (FDesignerNotifyLockCount <= 0) return;
  if (--FDesignerNotifyLockCount == 0 && FDesignerNotifyPending && ANotify) {
    FDesignerNotifyPending = false;
    DesignerModified();
  }
}

bool TdxBarManager::CanDeleteComponent(TComponent* AComponent) {
  return !FDesigner || FDesigner->CanDeleteComponent(AComponent);
}

void TdxBarManager::GetSelection(TList* AList) {
  if (FDesigner) FDesigner->GetSelection(AList);
}

int TdxBarManager::GetSelectionStatus(TPersistent* AComponent) {
  return FDesigner ? FDesigner->GetSelectionStatus(AComponent) : 0;
}

void TdxBarManager::SelectComponent(TPersistent* AComponent, int AOperation) {
  if (FDesigner) FDesigner->SelectComponent(AComponent, AOperation);
}

void TdxBarManager::SetSelection(TList* AList) {
  if (FDesigner) FDesigner->SetSelection(AList);
}

bool TdxBarManager::OtherManagerCustomizing() const {
  for (int i = 0; BarManagers && i < BarManagers->Count(); ++i) {
    TdxBarManager* manager = BarManagers->Managers(i);
    if (manager != this && manager->IsCustomizing()) return true;
  }
  return false;
}

bool TdxBarManager::EditableInDesigner() const {
  return !(Owner() && Owner()->HasState(csDesigning) && Owner()->HasState(csInline));
}

// ---- customizing --------------------------------------------------------------------------------

void TdxBarManager::SetCustomizing(bool Value) {
  if (FIsCustomizing == Value || (Value && (FCustomizingForm || IsCustomizationFormOpen()))) return;
  for (int i = FBars->Count() - 1; i >= 0; --i) {
    TdxBarControl* control = i < FBars->Count() ? FBars->Items(i)->Control() : nullptr;
    if (!control) continue;
    const int count = FBars->Count();
    control->CloseUp();
    if (count == FBars->Count() && FBars->Items(i)->Control() == control) control->DestroyControls();
  }
  FIsCustomizing = Value;
  if (Value)
    UndoMergesForCustomizing();
  else
    RedoMergesAfterCustomizing();
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    bar->ItemLinks()->RebuildLists();
    if (bar->Control()) bar->Control()->CreateControls();
  }
  for (TdxBarPopupMenu* menu : FPopupMenus) menu->ItemLinks()->RebuildLists();
  if (ShowCustomizingForm)
    ShowCustomizingForm(this, Value);
  else
    ShowCustomizationForm(this, Value);
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBarControl* control = FBars->Items(i)->Control()) {
      control->UpdateControlState();
      control->RebuildRecreating();
    }
}

HWND TdxBarManager::DialogParentWindow() const {
  if (FIsCustomizing && FCustomizingForm && FCustomizingForm->HandleAllocated()) return FCustomizingForm->Handle();
  if (Application && Application->Handle() && IsWindowVisible(Application->Handle())) return Application->Handle();
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

// ---- selection and mouse ------------------------------------------------------------------------

void TdxBarManager::SetSelectedItem(TdxBarItemControl* AValue, TCustomdxBarControl* AControlBar,
                                    TCustomdxBarControl* ARootBar) {
  if (FSelectedItem == AValue) return;
  if (FIsCustomizing && FSelectedItem && FSelectedItemBar && ARootBar != FSelectedItemBar &&
      IsBarControlAlive(FSelectedItemBar)) {
    TCustomdxBarControl* old = FSelectedItemBar;
    FSelectedItem = nullptr;
    FSelectedItemBar = nullptr;
    old->DropSelection();
  }
  FSelectedItem = AValue;
  FSelectedItemBar = AValue ? (ARootBar ? ARootBar : AControlBar) : nullptr;
}

void TdxBarManager::StartMouseTracking(TCustomdxBarControl* ABarControl) {
  if (FMouseTrackingBarControl == ABarControl && IsMouseLeaveWatched(FMouseLeaveCaller)) return;
  if (TCustomdxBarControl* previous = FMouseTrackingBarControl; previous && previous != ABarControl) {
    // Its MouseLeft sees the tracking it ends; a window that keeps tracking loses it all the same.
    previous->MouseLeft();
    EndMouseTracking(previous);
  }
  StopMouseLeaveWatch(FMouseLeaveCaller);
  if (!ABarControl || !ABarControl->HandleAllocated()) return;
  FMouseTrackingBarControl = ABarControl;
  // The window's tracking area lies in its parent's coordinates (the screen's for a popup); the
  // watch takes the window's client coordinates.
  RECT bounds = ABarControl->MouseTrackingArea();
  TWinControl* parent = ABarControl->Parent();
  MapWindowPoints(parent && parent->HandleAllocated() ? parent->Handle() : nullptr, ABarControl->Handle(),
                  reinterpret_cast<POINT*>(&bounds), 2);
  StartMouseLeaveWatch(ABarControl, bounds, FMouseLeaveCaller);
}

void TdxBarManager::EndMouseTracking(TCustomdxBarControl* ABarControl) {
  if (FMouseTrackingBarControl != ABarControl) return;
  StopMouseLeaveWatch(FMouseLeaveCaller);
  FMouseTrackingBarControl = nullptr;
}

void TdxBarManager::RefreshHotTracking(TCustomdxBarControl* ABarControl) {
  POINT p{};
  GetCursorPos(&p);
  HWND window = WindowFromPoint(p);
  TWinControl* control = FindControl(window);
  auto* bar = dynamic_cast<TCustomdxBarControl*>(control);
  if (!bar || (ABarControl && bar != ABarControl) || !bar->HandleAllocated()) return;
  // A mouse that did not move would be ignored.
  bar->SetLastMousePos({-1, -1});
  ScreenToClient(bar->Handle(), &p);
  PostMessage(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void TdxBarManager::DisableFloatingBars() {
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBar* bar = FBars->Items(i);
    TdxBarControl* control = bar->Control();
    if (bar->DockingStyle() == dsNone && bar->Visible() && control && control->HandleAllocated())
      DisableWindowIntoList(FDisabledFloatingBars, control->Handle());
  }
}

void TdxBarManager::EnableFloatingBars() {
  EnableListedWindows(&FDisabledFloatingBars);
  FDisabledFloatingBars.clear();
}

void TdxBarManager::DragItem(TdxBarItem* AItem, TdxBarItemLink* ALink) {
  FDragInfo->BeginDrag(AItem, ALink);
  try {
    FDragInfo->RunDrag();
  } catch (...) {
    FDragInfo->EndDrag();
    throw;
  }
  FDragInfo->EndDrag();
}

// ---- events -------------------------------------------------------------------------------------

void TdxBarManager::DoClickItem(TdxBarItem* AItem) {
  if (OnClickItem) OnClickItem(this, AItem);
}

void TdxBarManager::DoBarAfterReset(TdxBar* ABar) {
  if (OnBarAfterReset) OnBarAfterReset(this, ABar);
}

void TdxBarManager::DoBarBeforeReset(TdxBar* ABar) {
  if (OnBarBeforeReset) OnBarBeforeReset(this, ABar);
}

void TdxBarManager::DoBarClose(TdxBar* ABar) {
  if (OnBarClose) OnBarClose(this, ABar);
}

void TdxBarManager::DoBarDockingStyleChange(TdxBar* ABar) {
  if (FInternalState & bmsRestoringPositions) return;
  if (OnBarDockingStyleChange) OnBarDockingStyleChange(this, ABar);
  ABar->SetChanged(true);
}

void TdxBarManager::DoCloseButtonClick() {
  if (OnCloseButtonClick) OnCloseButtonClick(this);
}

void TdxBarManager::DoHelpButtonClick() {
  if (OnHelpButtonClick) OnHelpButtonClick(this);
}

void TdxBarManager::DoShowCustomizingPopup(TdxBarItemLinks* ALinks) {
  if (OnShowCustomizingPopup) OnShowCustomizingPopup(this, ALinks);
}

void TdxBarManager::DoShowToolbarsPopup(TdxBarItemLinks* ALinks) {
  if (OnShowToolbarsPopup) OnShowToolbarsPopup(this, ALinks);
}

void TdxBarManager::ItemLinkChanged(TdxBarItemLink* ALink) {
  if (!IsLoading() && OnItemLinkChange) OnItemLinkChange(this, ALink);
}

// ---- images -------------------------------------------------------------------------------------

void TdxBarManager::ImageListChanged(TCustomImageList*) {
  if (IsLoading() || IsDestroying()) return;
  BeginUpdate();
  try {
    RepaintAllBars();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxBarManager::ImageOptionsChanged(TObject*) {
  FImageOptions->CalcGlyphSize();
  if (IsLoading() || IsDestroying()) return;
  ImageListChanged(nullptr);
  BarsChanged();
}

// ---- streaming ----------------------------------------------------------------------------------

void TdxBarManager::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Bars", [this](TReader* Reader) { ReadBars(Reader); }, nullptr, false);
  Filer->DefineProperty("DockControlHeights", [this](TReader* Reader) { ReadDockControlHeights(Reader); },
                        [this](TWriter* Writer) { WriteDockControlHeights(Writer); }, true);
}

void TdxBarManager::ReadBars(TReader* Reader) {
  Reader->ReadValue();  // the collection marker
  int index = 0;
  while (!Reader->EndOfList()) {
    const TValueType next = Reader->NextValue();
    if (next == vaInt8 || next == vaInt16 || next == vaInt32) Reader->ReadInteger();
    TdxBar* bar = index < FBars->Count() ? FBars->Items(index) : FBars->Add();
    ++index;
    Reader->ReadListBegin();
    bar->SetNameLocked(true);
    try {
      while (!Reader->EndOfList()) Reader->ReadProperty(bar);
    } catch (...) {
      bar->SetNameLocked(false);
      throw;
    }
    bar->SetNameLocked(false);
    Reader->ReadListEnd();
  }
  Reader->ReadListEnd();
}

void TdxBarManager::ReadDockControlHeights(TReader* Reader) {
  static const TdxBarDockingStyle kOrder[] = {dsLeft, dsRight, dsTop, dsBottom};
  Reader->ReadListBegin();
  for (TdxBarDockingStyle style : kOrder) {
    if (Reader->EndOfList()) break;
    const int size = Reader->ReadInteger();
    if (TdxDockControl* site = FBars->DockControls(style)) {
      if (style == dsLeft || style == dsRight)
        site->SetWidth(size);
      else
        site->SetHeight(size);
    }
  }
  while (!Reader->EndOfList()) Reader->SkipValue();
  Reader->ReadListEnd();
}

void TdxBarManager::WriteDockControlHeights(TWriter* Writer) {
  static const TdxBarDockingStyle kOrder[] = {dsLeft, dsRight, dsTop, dsBottom};
  Writer->WriteListBegin();
  for (TdxBarDockingStyle style : kOrder) {
    TdxDockControl* site = FBars->DockControls(style);
    Writer->WriteInteger(!site ? 0 : (style == dsLeft || style == dsRight) ? site->Width() : site->Height());
  }
  Writer->WriteListEnd();
}

void TdxBarManager::ReadState(TReader* Reader) {
  ++FReadStateCount;
  TComponent::ReadState(Reader);
}

void TdxBarManager::Loaded() {
  TComponent::Loaded();
  if (IsLocked()) return;
  FInternalState |= bmsLoading;
  try {
    FInternalState |= bmsRestoringPositions;
    for (int i = 0; i < FBars->Count(); ++i) {
      TdxBar* bar = FBars->Items(i);
      bar->SetPredefined(true);
      bar->SetDockControl(bar->LoadedDockControl());
      if (!bar->DockControl()) bar->SetDockingStyle(bar->LoadedDockingStyle());
      bar->SetVisible(bar->LoadedVisible());
    }
    if (FSavedState) {
      FInternalState |= bmsSavingDesignedLayout;
      SaveLayout(FSavedState, dxBarLayoutSectionBase(this), false);
      FInternalState &= ~bmsSavingDesignedLayout;
    }
    if (!IsDesigning()) {
      if (FStoreInRegistry) LoadLayoutFromRegistry(FRegistryPath);
      if (FStoreInIniFile) LoadLayoutFromIniFile(FIniFileName);
    }
    FInternalState &= ~bmsRestoringPositions;
    BeginUpdate();
    try {
      for (int i = 0; i < FCategories->Count(); ++i)
        if (FCategories->Objects(i)) FCategories->ApplyLoadedVisibility(i);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    for (TdxDockControl* site : FDockControls) site->UpdateDock();
  } catch (...) {
    FInternalState &= ~(bmsLoading | bmsRestoringPositions | bmsSavingDesignedLayout);
    throw;
  }
  FInternalState &= ~bmsLoading;
  if (IsDesigning()) CheckBrokenLinks();
}

void TdxBarManager::CheckBrokenLinks() {
  std::vector<std::pair<TdxBarItemLinks*, TdxBarItemLink*>> broken;
  for (int i = 0; i < FBars->Count(); ++i) {
    TdxBarItemLinks* links = FBars->Items(i)->ItemLinks();
    for (int j = 0; j < links->Count(); ++j)
      if (!links->Items(j)->Item()) broken.emplace_back(links, links->Items(j));
  }
  if (broken.empty()) return;
  String name;
  QualifiedComponentName(this, name);
  const String text = name +
                      " has broken bar item links. These links are not associated with any bar item, and may cause "
                      "problems when creating a bar layout.\r\n\r\nDo you want to delete broken bar item links?";
  switch (Application->MessageBox(text, "Bars Library", MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDCANCEL: Abort();
    case IDYES:
      for (auto& [links, link] : broken) delete link;
      FModified = true;
      DesignerModified();
      break;
    default: break;
  }
}

void TdxBarManager::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  InternalItemRemoved(AComponent);
  // By address only: a freed control's notification comes when only its component part is left.
  if (FPopupMenuLinks) FPopupMenuLinks->ComponentRemoved(AComponent);
}

void TdxBarManager::GetChildren(TGetChildProc Proc, TComponent* Root) {
  TComponent::GetChildren(Proc, Root);
  for (int i = 0; i < FBars->Count(); ++i)
    if (FBars->Items(i)->Owner() == Root) Proc(FBars->Items(i));
  // Items outside every category have no parent: their owner writes them, not the manager too.
  for (int i = 0; i < ItemCount(); ++i)
    if (Items(i)->Owner() == Root && Items(i)->HasParent()) Proc(Items(i));
  for (int i = 0; i < GroupCount(); ++i)
    if (Groups(i)->Owner() == Root) Proc(Groups(i));
}

void TdxBarManager::SetChildOrder(TComponent* Child, int Order) {
  auto move = [Order](TdxBarComponentList* list, TComponent* child) {
    const int index = list->IndexOf(child);
    if (index >= 0) list->Move(index, std::clamp(Order, 0, list->Count() - 1));
  };
  if (dynamic_cast<TdxBarItem*>(Child)) move(FItems, Child);
  if (dynamic_cast<TdxBarGroup*>(Child)) move(FGroups, Child);
}

void TdxBarManager::AddBarToRestore(TdxBar* ABar) {
  if (!IsBarToRestore(ABar)) FBarsToRestore.push_back(ABar);
}

void TdxBarManager::ForgetBarToRestore(TdxBar* ABar) { std::erase(FBarsToRestore, ABar); }

bool TdxBarManager::IsBarToRestore(TdxBar* ABar) const {
  return std::find(FBarsToRestore.begin(), FBarsToRestore.end(), ABar) != FBarsToRestore.end();
}

void TdxBarManager::ShowRememberedBars(TdxDockControl* ADockControl) {
  std::vector<TdxBar*> bars;
  for (TdxBar* bar : FBarsToRestore)
    if (bar->DockControl() && bar->DockControl() == ADockControl) bars.push_back(bar);
  for (TdxBar* bar : bars)
    if (IsBarToRestore(bar)) bar->SetVisible(true);
}

void TdxBarManager::OwnerWindowRecreated() {
  FInternalState |= bmsRecreatingBarWindows;
  const std::vector<TdxBar*> bars = FBarsToRestore;
  for (TdxBar* bar : bars)
    if (IsBarToRestore(bar)) bar->SetVisible(true);
  FBarsToRestore.clear();
  FInternalState &= ~bmsRecreatingBarWindows;
}

// ---- lookup -------------------------------------------------------------------------------------

TdxBarManager* GetBarManagerByWindow(HWND AWindow) {
  if (!AWindow || !BarManagers) return nullptr;
  // By the owners' handles: a window being destroyed with its control no longer leads to the control,
  // and its manager still has to hear the window's WM_DESTROY.
  for (int i = 0; i < BarManagers->Count(); ++i)
    if (auto* owner = dynamic_cast<TWinControl*>(BarManagers->Managers(i)->Owner());
        owner && owner->HandleAllocated() && owner->WindowHandle() == AWindow)
      return BarManagers->Managers(i);
  return nullptr;
}

TdxBarManager* GetBarManagerByComponent(TComponent* AComponent) {
  TComponent* owner = AComponent;
  while (owner && !(dynamic_cast<TWinControl*>(owner) && static_cast<TWinControl*>(owner)->HandleAllocated()))
    owner = owner->Owner();
  if (!owner) return nullptr;
  for (HWND window = static_cast<TWinControl*>(owner)->Handle(); window; window = GetParent(window))
    if (TdxBarManager* manager = GetBarManagerByWindow(window)) return manager;
  return nullptr;
}
