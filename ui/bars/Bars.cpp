#include "ui/bars/Bars.h"

#include <algorithm>

#include "platform/classes/Bitmap.h"
#include "ui/bars/BarManager.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

// ---- TdxBar -------------------------------------------------------------------------------------

TdxBar::TdxBar(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(new TFont), FItemLinks(new TdxBarControlItemLinks(nullptr, this)) {
  FItemLinks->SetBarManager(BarManager());
  if (TdxBarManager* manager = BarManager()) FFont->Assign(manager->Font());
}

TdxBar::~TdxBar() {
  delete FItemLinks;
  delete FFont;
}

void TdxBar::DeclareProperties(TPropTable& t) {
  t.Add("Caption", &TdxBar::Caption, &TdxBar::SetCaption);
  t.Add("DockControl", &TdxBar::DockControl, &TdxBar::SetDockControl);
  t.Add("DockingStyle", &TdxBar::DockingStyle, &TdxBar::SetDockingStyle).SetDefault(dsNone);
  t.Add("FloatLeft", &TdxBar::FloatLeft, &TdxBar::SetFloatLeft).SetDefault(0);
  t.Add("FloatTop", &TdxBar::FloatTop, &TdxBar::SetFloatTop).SetDefault(0);
  t.Add("IsMainMenu", &TdxBar::IsMainMenu, &TdxBar::SetIsMainMenu).SetDefault(false);
  t.Add("Name", &TdxBar::Name, &TdxBar::SetName);
  t.Add("NotDocking", &TdxBar::NotDocking, &TdxBar::SetNotDocking).SetDefault(TdxBarDockingStyles{});
  t.Add("OneOnRow", &TdxBar::OneOnRow, &TdxBar::SetOneOnRow);
  t.Add("Row", &TdxBar::Row, &TdxBar::SetRow).SetDefault(0);
  t.Add("UseOwnFont", &TdxBar::UseOwnFont, &TdxBar::SetUseOwnFont);
  t.Add("Visible", &TdxBar::Visible, &TdxBar::SetVisible);
}

TdxBars* TdxBar::Bars() const { return static_cast<TdxBars*>(Collection()); }

TdxBarManager* TdxBar::BarManager() const { return Bars() ? Bars()->BarManager() : nullptr; }

bool TdxBar::ManagerLoading() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->IsLoading();
}

void TdxBar::SetName(const String& Value) {
  if (!FNameLocked) FName = Value;
}

void TdxBar::SetVisible(bool Value) {
  if (ManagerLoading())
    FLoadedVisible = Value;
  else
    FVisible = Value;
}

void TdxBar::SetDockingStyle(TdxBarDockingStyle Value) {
  if (ManagerLoading())
    FLoadedDockingStyle = Value;
  else
    FDockingStyle = Value;
}

void TdxBar::SetDockControl(TdxBarDockControl* Value) {
  if (ManagerLoading())
    FLoadedDockControl = Value;
  else
    FDockControl = Value;
}

TdxDockControl* TdxBar::RealDockControl() const {
  if (FDockControl) return FDockControl;
  TdxBars* bars = Bars();
  return bars ? bars->DockControls(FDockingStyle) : nullptr;
}

void TdxBar::ManagerFontChanged() {
  if (FControl) FControl->RepaintBar();
}

// ---- dock sites ---------------------------------------------------------------------------------

TdxDockControl::TdxDockControl(TComponent* AOwner) : TCustomControl(AOwner) { SetParentColor(true); }

TdxDockControl::TdxDockControl(TdxBarManager* ABarManager, TdxBarDockingStyle AStyle) : TCustomControl(nullptr) {
  SetParentColor(true);
  FBuiltInStyle = AStyle;
  static const TAlign kAligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  SetAlign(kAligns[AStyle]);
  SetBarManager(ABarManager);
}

TdxDockControl::~TdxDockControl() {
  // The manager holds sites whose redrawing it stopped through links.
  InvalidateObjectLinks(this);
  SetBarManager(nullptr);
  delete FBackgroundCache;
}

TdxBarPainter* TdxDockControl::Painter() const { return FBarManager ? FBarManager->Painter() : nullptr; }

TBitmap* TdxDockControl::BackgroundCache() {
  if (!FBackgroundCache) FBackgroundCache = new TBitmap;
  return FBackgroundCache;
}

void TdxDockControl::ResetBackgroundCache() {
  if (FBackgroundCache) FBackgroundCache->SetSize(0, 0);
}

void TdxDockControl::Resize() {
  ResetBackgroundCache();
  TCustomControl::Resize();
}

void TdxDockControl::SetBarManager(TdxBarManager* Value) {
  if (FBarManager == Value) return;
  if (FBarManager) FBarManager->RemoveDockControl(this);
  FBarManager = Value;
  if (FBarManager) FBarManager->AddDockControl(this);
}

TdxBarDockingStyle TdxDockControl::DockingStyle() const {
  switch (Align()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

bool TdxDockControl::AcceptsBar(TdxBar*) { return FAllowDocking; }

void TdxDockControl::RefreshFrames() {
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

// ---- TdxBars ------------------------------------------------------------------------------------

TdxBars::TdxBars(TdxBarManager* ABarManager) : TCollection(TdxBar::StaticClass()), FBarManager(ABarManager) {}

TdxBars::~TdxBars() {
  Clear();
  for (TdxDockControl*& site : FDockControls) FreeAndNil(site);
}

TPersistent* TdxBars::GetOwner() { return FBarManager; }

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
