#include "ui/bars/BarButton.h"

#include "platform/classes/Filer.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ObjectLinks.h"

using namespace dxBarStrs;

namespace {

bool ShowsCaption(TdxBarPaintStyle Style) {
  return Style == TdxBarPaintStyle::psCaption || Style == TdxBarPaintStyle::psCaptionGlyph;
}

bool IsOnToolbar(const TdxBarItemLink* ALink) {
  TdxBarItemLinks* links = ALink ? ALink->Links() : nullptr;
  return links && dynamic_cast<TdxBar*>(links->OwnerObject());
}

}  // namespace

// ---- TdxBarButton: properties --------------------------------------------------------------------

TdxBarButton::TdxBarButton(TComponent* AOwner) : TdxBarItem(AOwner) { SetUnclickAfterDoingDefault(true); }

void TdxBarButton::DeclareProperties(TPropTable& t) {
  using B = TdxBarButton;
  // Style and group come before Down: both write Down := False.
  t.Add("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).SetDefault(false);
  t.Add("ButtonStyle", &B::ButtonStyle, &B::SetButtonStyle).SetDefault(bsDefault);
  t.Add("CloseSubMenuOnClick", &B::CloseSubMenuOnClick, &B::SetCloseSubMenuOnClick).SetDefault(true);
  t.Add("DropDownEnabled", &B::DropDownEnabled, &B::SetDropDownEnabled).SetDefault(true);
  t.Add("GroupIndex", &B::GroupIndex, &B::SetGroupIndex).SetDefault(0);
  t.Add("Down", &B::Down, &B::SetDown).SetDefault(false).Stored(&B::IsDownStored);
  t.Add("DropDownMenu", &B::DropDownMenu, &B::SetDropDownMenu);
  t.Add("Glyph", &TdxBarItem::Glyph, &TdxBarItem::SetGlyph);
  t.Add("ImageIndex", &TdxBarItem::ImageIndex, &TdxBarItem::SetImageIndex).SetDefault(-1).Stored(&B::IsImageIndexStored);
  t.Add("LargeGlyph", &TdxBarItem::LargeGlyph, &TdxBarItem::SetLargeGlyph);
  t.Add("LargeImageIndex", &TdxBarItem::LargeImageIndex, &TdxBarItem::SetLargeImageIndex).SetDefault(-1);
  t.Add("Lowered", &B::Lowered, &B::SetLowered).SetDefault(false);
  t.Add("PaintStyle", &TdxBarItem::PaintStyle, &TdxBarItem::SetPaintStyle).SetDefault(TdxBarPaintStyle::psStandard);
  t.Add("ShortCut", &TdxBarItem::ShortCut, &TdxBarItem::SetShortCut).SetDefault(0).Stored(&B::IsShortCutStored);
  t.Add("UnclickAfterDoing", &TdxBarItem::UnclickAfterDoing, &TdxBarItem::SetUnclickAfterDoing).SetDefault(true);
  t.Add("OnClick", &TdxBarItem::OnClick, &TdxBarItem::SetOnClick).Stored(&B::IsOnClickStored);
}

bool TdxBarButton::IsDownStored() const { return !(ActionLink() && ActionLink()->IsCheckedLinked()); }
bool TdxBarButton::IsShortCutStored() const { return !(ActionLink() && ActionLink()->IsShortCutLinked()); }
bool TdxBarButton::IsOnClickStored() const { return !(ActionLink() && ActionLink()->IsOnExecuteLinked()); }

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle Value) {
  if (Value == ButtonStyle()) return;
  FStyleBits = static_cast<unsigned char>(Value);
  SetDown(false);
  if (!IsLoadingNow()) RecalcParents(dxBarAllKinds);
  Changed(false);
}

void TdxBarButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = IsCheckStyle() ? Value : 0;
  SetDown(false);
}

TdxBarButton* TdxBarButton::DownButtonOfGroup() const {
  TdxBarManager* manager = BarManager();
  if (!manager) return nullptr;
  for (int i = 0; i < manager->ItemCount(); ++i) {
    auto* other = dynamic_cast<TdxBarButton*>(manager->Items(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->IsCheckStyle() && other->FDown)
      return other;
  }
  return nullptr;
}

void TdxBarButton::SetDown(bool Value) {
  if (Value == FDown || (Value && !IsCheckStyle())) return;
  // A stored form may hold two down buttons of one group: loading keeps them as they are.
  TdxBarButton* released = nullptr;
  if (!IsLoadingNow() && IsCheckStyle() && FGroupIndex != 0) {
    TdxBarButton* downNow = DownButtonOfGroup();
    if (Value)
      released = downNow;
    else if (!FAllowAllUp && !downNow)
      return;
  }
  FDown = Value;
  if (IsLoadingNow()) return;
  RefreshControls();
  if (released) released->SetDown(false);
}

void TdxBarButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  TdxBarManager* manager = BarManager();
  if (FGroupIndex == 0 || !manager) return;
  for (int i = 0; i < manager->ItemCount(); ++i)
    if (auto* other = dynamic_cast<TdxBarButton*>(manager->Items(i)); other && other->FGroupIndex == FGroupIndex)
      other->FAllowAllUp = Value;
}

void TdxBarButton::SetDropDownEnabled(bool Value) {
  if (Value == FDropDownEnabled) return;
  FDropDownEnabled = Value;
  if (!IsLoadingNow()) RefreshControls();
}

void TdxBarButton::SetLowered(bool Value) {
  if (Value == FLowered) return;
  FLowered = Value;
  if (!IsLoadingNow()) RecalcParents(dxBarAllKinds);
}

void TdxBarButton::PaintStyleChanged() {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarItemLink* link = Links(i);
    if (link->UserDefine().Contains(udPaintStyle)) continue;
    if (TdxBarItemControl* control = link->Control()) control->PaintStyleChanged();
  }
}

// ---- TdxBarButton: the drop-down menu ------------------------------------------------------------

void TdxBarButton::SetDropDownMenu(TdxBarPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (Value && Value->ItemLinks()->ContainsOwner(this)) throw EdxException(cxGetResourceString(dxSBAR_RECURSIVEMENUS));
  // A menu set before keeps its notification: a later notice of its end is ignored.
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TdxBarButton::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

TdxBarItemLinks* TdxBarButton::ItemLinks() const { return FDropDownMenu ? FDropDownMenu->ItemLinks() : nullptr; }

bool TdxBarButton::AcceptsDropDownItem(TObject* AObject, String& AErrorText) {
  AErrorText.clear();
  return FDropDownMenu && FDropDownMenu->CanLinkItem(AObject, AErrorText);
}

TCustomdxBarControl* TdxBarButton::DropDownMenuControl() const {
  return FDropDownMenu ? FDropDownMenu->MenuControl() : nullptr;
}

void TdxBarButton::DropDown(TdxBarButtonControl* Control, int X, int Y, bool ByMouse) {
  TdxBarPopupMenu* menu = FDropDownMenu;
  if (!menu || !Control) return;
  TCustomdxBarControl* bar = Control->Parent();
  TRect ownerBounds{};
  if (bar && bar->LinksMenuToOwner()) ownerBounds = bar->ControlScreenRect(Control);
  // In a menu or on a vertical toolbar the menu opens beside the button, elsewhere below it.
  TRect r = bar ? bar->ControlRect(Control) : TRect{};
  bool beside = bar && (bar->IsMenu() || bar->IsVertical());
  {
    // Showing runs user code: the button, its menu and the bar may be gone afterwards.
    TcxObjectLinkScope alive(this);
    menu->SetOwnerItemControl(Control);
    struct Reset {
      TdxBarButton* Button;
      TdxBarPopupMenu* Menu;
      const TcxObjectLinkScope& Alive;
      ~Reset() {
        if (Alive.Alive() && Button->FDropDownMenu == Menu) Menu->SetOwnerItemControl(nullptr);
      }
    } reset{this, menu, alive};
    menu->ShowForOwner(X, Y, beside ? r.Right - r.Left : 0, beside ? 0 : r.Bottom - r.Top, Control->AnimateNextDropDown(),
                       &ownerBounds, false, bar);
    if (!alive.Alive() || FDropDownMenu != menu) return;
  }
  TCustomdxBarControl* window = menu->MenuControl();
  if (!window || !bar || !IsBarControlAlive(bar) || !bar->OwnsItemControl(Control)) return;
  if (auto* subMenu = dynamic_cast<TdxBarSubMenuControl*>(window)) subMenu->SetDropDownButton(Control);
  if (!ByMouse && window->ItemLinks())
    if (TdxBarItemLink* first = window->ItemLinks()->FirstSelectable()) window->SelectControlByKeyboard(first->Control());
  if (bar->IsMenu()) bar->SetChildBar(window);
}

// ---- TdxBarButton: what the item asks of its kinds -----------------------------------------------

bool TdxBarButton::IsReachable(TdxBarItemLink* ALink) const {
  if (!Enabled()) return false;
  // A toolbar button that shows no caption has no accelerator to reach it by.
  if (!IsOnToolbar(ALink)) return true;
  if (ShowsCaption(ALink->PaintStyle())) return true;
  auto* control = dynamic_cast<TdxBarButtonControl*>(ALink->Control());
  return control && ShowsCaption(control->EffectivePaintStyle());
}

String TdxBarButton::DefaultCaption() const { return cxGetResourceString(dxSBAR_NEWBUTTONCAPTION); }

TdxBarCustomizationActions TdxBarButton::AvailableActions() {
  TdxBarCustomizationActions a = TdxBarItem::AvailableActions() | 0x20;
  if (BarManager() && BarManager()->IsDesigning()) a |= 0x100;
  return a;
}

void TdxBarButton::ClickFromKeyboard() {
  if (Enabled() && IsCheckStyle()) SetDown(!FDown);
  TdxBarItem::ClickFromKeyboard();
}

// ---- TdxBarLargeButton ---------------------------------------------------------------------------

TdxBarLargeButton::TdxBarLargeButton(TComponent* AOwner) : TdxBarButton(AOwner), FHotGlyph(new TBitmap) {
  SetShowCaptionDefault(true);
  FHotGlyph->OnChange = [this](TObject*) { HotGlyphChanged(); };
}

TdxBarLargeButton::~TdxBarLargeButton() {
  FHotGlyph->OnChange = nullptr;
  delete FHotGlyph;
}

void TdxBarLargeButton::DeclareProperties(TPropTable& t) {
  using L = TdxBarLargeButton;
  t.Add("AutoGrayScale", &L::AutoGrayScale, &L::SetAutoGrayScale).SetDefault(true);
  t.Add("GlyphLayout", &TdxBarItem::GlyphLayout, &TdxBarItem::SetGlyphLayout).SetDefault(glTop);
  t.Add("Height", &L::Height, &L::SetHeight).SetDefault(0);
  t.Add("HotGlyph", &L::HotGlyph, &L::SetHotGlyph);
  t.Add("HotImageIndex", &L::HotImageIndex, &L::SetHotImageIndex).SetDefault(-1);
  // An action sets the large image: the large index is the one it may hold.
  t.Redeclare("LargeImageIndex").Stored(&L::IsImageIndexStored);
  t.Add("ShowCaption", &TdxBarItem::ShowCaption, &TdxBarItem::SetShowCaption).SetDefault(true);
  t.Add("Width", &TdxBarItem::Width, &TdxBarItem::SetWidth).SetDefault(0);
  // Read from older forms; written only as the defined property below.
  t.Redeclare("ImageIndex").Stored(false);
  t.Add("SyncImageIndex", &L::SyncImageIndex, &L::SetSyncImageIndex).SetDefault(true);
}

void TdxBarLargeButton::DefineProperties(TFiler* Filer) {
  TdxBarButton::DefineProperties(Filer);
  Filer->DefineProperty(
      "ImageIndex", [this](TReader* Reader) { SetImageIndex(Reader->ReadInteger()); },
      [this](TWriter* Writer) { Writer->WriteInteger(ImageIndex()); }, !FSyncImageIndex);
}

void TdxBarLargeButton::SetAutoGrayScale(bool Value) {
  if (Value == FAutoGrayScale) return;
  FAutoGrayScale = Value;
  RefreshControls();
}

void TdxBarLargeButton::SetGlyphLayout(TdxBarGlyphLayout Value) {
  if (Value == GlyphLayout()) return;
  TdxBarButton::SetGlyphLayout(Value);
  RecalcParents(dxBarAllKinds);
}

void TdxBarLargeButton::SetHeight(int Value) {
  if (Value < 0 || Value == FHeight) return;
  FHeight = Value;
  RecalcParents(dxBarAllKinds);
}

void TdxBarLargeButton::SetHotImageIndex(int Value) {
  if (Value == FHotImageIndex) return;
  FHotImageIndex = Value;
  HotGlyphChanged();
}

void TdxBarLargeButton::SetShowCaption(bool Value) {
  if (Value == ShowCaption()) return;
  TdxBarButton::SetShowCaption(Value);
  if (!IsLoadingNow()) RecalcParents(dxBarAllKinds);
}

void TdxBarLargeButton::WidthChanged() { RecalcParents(dxBarAllKinds); }

bool TdxBarLargeButton::IsReachable(TdxBarItemLink* ALink) const {
  if (IsOnToolbar(ALink) && !ShowCaption()) return false;
  return TdxBarButton::IsReachable(ALink);
}

TdxBarCustomizationActions TdxBarLargeButton::AvailableActions() {
  return TdxBarButton::AvailableActions() & ~TdxBarCustomizationActions{0x20};
}

// ---- TdxBarLargeButton: the image index kept in step ----------------------------------------------

template <class F>
void TdxBarLargeButton::InSync(F f) {
  bool outer = FInSync;
  FInSync = true;
  try {
    f();
  } catch (...) {
    FInSync = outer;
    throw;
  }
  FInSync = outer;
}

void TdxBarLargeButton::SetLargeImageIndex(int Value) {
  if (!FInSync && IsLoadingNow()) FLargeImageIndexLoaded = true;
  TdxBarButton::SetLargeImageIndex(Value);
}

void TdxBarLargeButton::LargeGlyphChanged() {
  if (!FInSync && FSyncImageIndex) {
    // Both indexes read from a form: they stay in step only when the form had them equal.
    if (IsLoadingNow() && FImageIndexLoaded)
      FSyncImageIndex = ImageIndex() == LargeImageIndex();
    else
      InSync([this] { SetImageIndex(LargeImageIndex()); });
  }
  TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::SetImageIndex(int Value) {
  bool loading = IsLoadingNow();
  if (!FInSync && loading) FImageIndexLoaded = true;
  TdxBarButton::SetImageIndex(Value);
  if (FInSync) return;
  // An older form stored only ImageIndex: it names the large image too.
  if (loading && LargeImageIndex() == -1 && (FSyncImageIndex || !FSyncImageIndexLoaded))
    InSync([this, Value] { SetLargeImageIndex(Value); });
  else if (!FSyncImageIndexLoaded)
    SetSyncImageIndex(false);
}

void TdxBarLargeButton::SetSyncImageIndex(bool Value) {
  if (!FInSync && IsLoadingNow()) FSyncImageIndexLoaded = true;
  if (Value == FSyncImageIndex) return;
  FSyncImageIndex = Value;
  if (Value) LargeGlyphChanged();
}

void TdxBarLargeButton::Loaded() {
  TdxBarButton::Loaded();
  FImageIndexLoaded = FLargeImageIndexLoaded = FSyncImageIndexLoaded = false;
}

// ---- TdxBarApplicationMenuButtonItem -------------------------------------------------------------

TdxBarApplicationMenuButtonItem::TdxBarApplicationMenuButtonItem(TComponent* AOwner) : TdxBarItem(AOwner) {
  SetVisible(ivNever);
}

void TdxBarApplicationMenuButtonItem::SetSourceButton(TdxBarButton* Value) {
  if (Value == FSourceButton) return;
  if (FSourceButton) FSourceButton->RemoveFreeNotification(this);
  FSourceButton = Value;
  if (Value) Value->FreeNotification(this);
}

void TdxBarApplicationMenuButtonItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FSourceButton) FSourceButton = nullptr;
}

String TdxBarApplicationMenuButtonItem::Caption() const {
  return FSourceButton ? FSourceButton->Caption() : TdxBarItem::Caption();
}
String TdxBarApplicationMenuButtonItem::Hint() const { return FSourceButton ? FSourceButton->Hint() : TdxBarItem::Hint(); }
bool TdxBarApplicationMenuButtonItem::Enabled() const {
  return FSourceButton ? FSourceButton->Enabled() : TdxBarItem::Enabled();
}
TBitmap* TdxBarApplicationMenuButtonItem::Glyph() const {
  return FSourceButton ? FSourceButton->Glyph() : TdxBarItem::Glyph();
}
int TdxBarApplicationMenuButtonItem::ImageIndex() const {
  return FSourceButton ? FSourceButton->ImageIndex() : TdxBarItem::ImageIndex();
}
TdxBarScreenTip* TdxBarApplicationMenuButtonItem::ScreenTip() const {
  return FSourceButton ? FSourceButton->ScreenTip() : TdxBarItem::ScreenTip();
}
TdxBarItemVisible TdxBarApplicationMenuButtonItem::Visible() const {
  return FSourceButton ? FSourceButton->Visible() : TdxBarItem::Visible();
}

void TdxBarApplicationMenuButtonItem::Click() {
  if (FSourceButton)
    FSourceButton->Click();
  else
    TdxBarItem::Click();
}
