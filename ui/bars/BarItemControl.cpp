// Item controls: measuring at each view level, the draw params, images, painting, the hot part
// and fading, clicks, hints, and what each change of the item means for the bar; the label and the
// separator kinds.
#include "ui/bars/BarItemControl.h"

#include "ui/bars/BarAccessibility.h"

#include <algorithm>
#include <functional>

#include "platform/classes/ActnList.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/Styles.h"

using namespace win;

namespace {

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// The highest-numbered level of a set; -1 for none.
int HighestLevel(TdxBarItemViewLevels Levels) {
  for (int level = ivlControlOnly; level >= ivlLargeIconWithText; --level)
    if (Levels.Contains(static_cast<TdxBarItemViewLevel>(level))) return level;
  return -1;
}

int TextHeightOf(TcxCanvas* Canvas, const String& Text) {
  SIZE size{};
  GetTextExtentPoint32(Canvas->DeviceContext(), Text.c_str(), static_cast<int>(Text.size()), &size);
  return size.cy;
}

int TextWidthOf(TcxCanvas* Canvas, const String& Text) {
  SIZE size{};
  GetTextExtentPoint32(Canvas->DeviceContext(), Text.c_str(), static_cast<int>(Text.size()), &size);
  return size.cx;
}

}  // namespace

// ---- draw params --------------------------------------------------------------------------------

void TdxBarItemControlDrawParams::SetViewSize(TdxBarViewSize Value) {
  if (ViewSize == Value) return;
  ViewSize = Value;
  if (OwnerControl) OwnerControl->DropImageCache(false);
}

// ---- layout record ------------------------------------------------------------------------------

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* AControl)
    : TcxInterfacedPersistent(nullptr), FControl(AControl) {
  FPermittedLevels = AControl->AllowedViewLevels();
  FMinLevel = std::max(0, HighestLevel(AControl->PossibleViewLevels()));
  const int group = HighestLevel(FPermittedLevels);
  FGroupLevel = group >= 0 ? group : FMinLevel;
}

TdxBarItemControlViewInfo::~TdxBarItemControlViewInfo() {
  TCustomdxBarControl* bar = FControl ? FControl->Parent() : nullptr;
  if (bar && !bar->IsDestroying()) bar->ViewInfo()->RemoveItemControl(FControl);
}

void TdxBarItemControlViewInfo::ResetWidthCache() { FWidthCache.fill({}); }

int TdxBarItemControlViewInfo::CachedWidth(int ALevel) const {
  if (ALevel < 0 || ALevel > 3) return -1;
  const WidthEntry& entry = FWidthCache[static_cast<std::size_t>(ALevel)];
  return entry.Valid ? entry.Width : -1;
}

TdxBarItemAlign TdxBarItemControlViewInfo::Align() {
  TdxBarItem* item = FControl->Item();
  return item ? item->Align() : iaLeft;
}

bool TdxBarItemControlViewInfo::Distributed() {
  TdxBarItemLink* link = FControl->ItemLink();
  return link && link->Distributed();
}

int TdxBarItemControlViewInfo::Position() {
  TdxBarItemLink* link = FControl->ItemLink();
  return link ? static_cast<int>(link->Position()) : 0;
}

int TdxBarItemControlViewInfo::ButtonGroup() {
  TdxBarItemLink* link = FControl->ItemLink();
  return link && FControl->JoinsButtonGroups() ? static_cast<int>(link->ButtonGroup()) : static_cast<int>(bgpNone);
}

int TdxBarItemControlViewInfo::WidthAtLevel(int ALevel) {
  if (ALevel < 0 || ALevel > 3 || !FPermittedLevels.Contains(static_cast<TdxBarItemViewLevel>(ALevel)))
    throw EdxException("Testing! The level is not allowed");
  WidthEntry& entry = FWidthCache[static_cast<std::size_t>(ALevel)];
  if (!entry.Valid) {
    entry.Width = FControl->WidthAt(ALevel);
    entry.Valid = true;
  }
  return entry.Width;
}

bool TdxBarItemControlViewInfo::BeginsGroup() {
  TdxBarItemLink* link = FControl->ItemLink();
  return link && link->BeginGroup();
}

bool TdxBarItemControlViewInfo::InRowBreakList() {
  TdxBarItemLink* link = FControl->ItemLink();
  return link && link->RowBreak();
}

void TdxBarItemControlViewInfo::SetRowBreak(bool Value) {
  if (TdxBarItemLink* link = FControl->ItemLink()) link->SetRowBreak(Value);
}

// ---- construction and destruction ---------------------------------------------------------------

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* ALink)
    : FImageCache(new TdxCachedImageOptions), FItemLink(ALink), FParent(ALink ? ALink->BarControl() : nullptr) {}

void TdxBarItemControl::AfterConstruction() {
  TcxIUnknownObject::AfterConstruction();
  // Class references run this already; a control made directly is finished by its link.
  if (FDrawParams) return;
  FDrawParams = dynamic_cast<TdxBarItemControlDrawParams*>(DrawParamsClass()->Create(nullptr));
  FDrawParams->OwnerControl = this;
  FLayoutInfo = dynamic_cast<TdxBarItemControlViewInfo*>(LayoutInfoClass()->Create(this));
  RefreshStyle();
  FHotPartIndex = -1;
  RefreshDrawParams(true);
  if (FParent) FLayoutInfo->SetCurrentLevel(FParent->ItemViewKind(this));
}

TdxBarItemControl::~TdxBarItemControl() {
  DetachAccessibilityHelper(FAccessibilityHelper);
  if (TdxFader* fader = Fader()) fader->StopFading(this, true);
  TdxBarManager* manager = Manager();
  if (manager && manager->SelectedItem() == this) manager->SetSelectedItem(nullptr);
  if (FItemLink && FItemLink->Control() == this) FItemLink->SetControl(nullptr);
  // The link's reference is gone already, so the bar's selection is recognised by the link.
  if (FParent && FItemLink && FParent->SelectedLink() == FItemLink && (!manager || !manager->IsDestroying()) &&
      !(manager && manager->IsCustomizing())) {
    if (!FItemLink->Links() || FItemLink->Links()->IndexOf(FItemLink) < 0)
      FParent->SetSelectedControl(nullptr);
    else
      FParent->HotTrackControl(nullptr);
  }
  if (manager && manager->HintObject() == this) manager->SetHintObject(nullptr);
  FreeBackgroundBrush();
  InvalidateObjectLinks(this);
  delete FLayoutInfo;
  delete FImageCache;
  delete FDrawParams;
}

void TdxBarItemControl::FreeBackgroundBrush() {
  if (FBackgroundBrush) DeleteObject(FBackgroundBrush);
  FBackgroundBrush = nullptr;
}

// ---- hints --------------------------------------------------------------------------------------

bool TdxBarItemControl::QueryHint(bool& AHandledByAction, String& AHint, String& AShortCut) {
  AHandledByAction = false;
  AHint.clear();
  AShortCut.clear();
  TCustomdxBarControl* bar = Parent();
  if (!bar || !bar->ShowsItemHints() || bar->ItemControlAtCursor() != this) return false;
  HintTexts(AHint, AShortCut);
  TdxBarItem* item = Item();
  if (auto* action = dynamic_cast<TCustomAction*>(item ? item->Action() : nullptr); action && !action->DoHint(AHint)) {
    AHandledByAction = true;
    return false;
  }
  return true;
}

TdxBarCustomHintViewInfo* TdxBarItemControl::MakeHintViewInfo(const String& Hint, const String& ShortCut) {
  TdxBarPainter* painter = ControlPainter();
  TdxBarItem* item = Item();
  return painter ? painter->CreateHintViewInfo(Manager(), Hint, ShortCut, item ? item->ScreenTip() : nullptr) : nullptr;
}

bool TdxBarItemControl::IsEnabled() const {
  TdxBarItem* item = Item();
  return item && item->Enabled();
}

void TdxBarItemControl::ShowHintAt(const TPoint& Cursor, int Height, TPoint& Position) {
  TdxBarPainter* painter = ControlPainter();
  if (!painter || !Parent()) return;
  // Bars that lay out by the link rectangles leave the layout bounds empty.
  TRect bounds = LayoutInfo() ? LayoutInfo()->LayoutBounds() : TRect{};
  if (IsEmptyRect(bounds)) bounds = ItemRect();
  painter->ShowHintWindow(Parent(), bounds, Cursor, Height, Position);
}

String TdxBarItemControl::HintText() const {
  TdxBarItem* item = Item();
  return item ? item->Hint() : String();
}

void TdxBarItemControl::HintTexts(String& AHint, String& AShortCut) const {
  AHint = HintText();
  if (std::size_t bar = AHint.find('|'); bar != String::npos) AHint.resize(bar);
  AShortCut = ShortCutHintText(ItemShortCut());
}

bool TdxBarItemControl::HasHint() const {
  TdxBarItem* item = Item();
  return item && !item->Hint().empty() && dynamic_cast<TdxBarControl*>(Parent()) != nullptr;
}

// ---- what the item tells its controls -----------------------------------------------------------

TdxFader* TdxBarItemControl::Fader() const { return Parent() ? Parent()->BarFader() : nullptr; }

void TdxBarItemControl::BeginGroupChanged() {
  if (Parent()) Parent()->RebuildRecreating();
}

void TdxBarItemControl::CaptionChanged() {
  // A client item that takes the width the others leave keeps its size whatever it reads.
  if (EffectiveAlign() == iaClient && Parent() && (Parent()->BehaviourFlags() & dxBarBehaviourStretchClientItems))
    Invalidate();
  else if (Parent())
    Parent()->RebuildRecreating();
}

void TdxBarItemControl::EnabledChanged() {
  TCustomdxBarControl* bar = Parent();
  if (bar && bar->HandleAllocated()) {
    // The bar re-evaluates the hot item under a cursor that did not move.
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == bar->Handle()) {
      ScreenToClient(bar->Handle(), &cursor);
      PostMessage(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
    }
  }
  if (bar && !IsEnabled() && FItemLink && bar->SelectedLink() == FItemLink) bar->SetSelectedControl(nullptr);
  Invalidate();
}

void TdxBarItemControl::GlyphChanged() {
  const unsigned iconNow = DrawInfo()->ViewStructure & cpIcon;
  const unsigned iconThen = ContentPartsForLevel(LayoutInfo()->CurrentLevel()) & cpIcon;
  if (AllowedViewLevels() != LayoutInfo()->PermittedLevels() || iconNow != iconThen) {
    if (Parent()) Parent()->RebuildRecreating();
  } else {
    Invalidate();
  }
}

void TdxBarItemControl::LargeGlyphChanged() {
  if (DrawInfo()->ViewSize == cvsSmall) return;
  if (Parent() && Parent()->BarKind() == dxBarKindMenu)
    Invalidate();
  else if (Parent())
    Parent()->RebuildRecreating();
}

void TdxBarItemControl::RefreshAll() {
  RefreshDrawParams(false);
  CalcPartRects();
  Invalidate();
}

void TdxBarItemControl::PressedChanged() {
  if (!FPressed) Invalidate();
}

void TdxBarItemControl::VisibilityChanged() {
  if (Parent()) Parent()->RebuildRecreating();
}

void TdxBarItemControl::WidthChanged() {
  if (dynamic_cast<TdxBarControl*>(Parent())) Parent()->RebuildRecreating();
}

void TdxBarItemControl::DropImageCache(bool AResetLayout) {
  FImageCache->Valid = false;
  if (AResetLayout && FLayoutInfo) FLayoutInfo->ResetWidthCache();
}

void TdxBarItemControl::Invalidate() {
  if (Parent() && Parent()->HandleAllocated()) Parent()->InvalidateItemControl(this);
}

// ---- states and queries -------------------------------------------------------------------------

TdxBarItem* TdxBarItemControl::Item() const { return FItemLink ? FItemLink->Item() : nullptr; }

TRect TdxBarItemControl::ItemRect() const { return FItemLink ? FItemLink->ItemRect() : TRect{}; }

TcxCanvas* TdxBarItemControl::CurrentCanvas() const {
  if (FPaintCanvas) return FPaintCanvas;
  return Parent() ? Parent()->DrawCanvas() : nullptr;
}

TdxBarManager* TdxBarItemControl::Manager() const { return FItemLink ? FItemLink->BarManager() : nullptr; }

TdxBarManager* TdxBarItemControl::ItemManager() const {
  TdxBarItem* item = Item();
  return item ? item->BarManager() : nullptr;
}

bool TdxBarItemControl::IsOwnItem() const { return Manager() == ItemManager(); }

bool TdxBarItemControl::IsSelectable() const {
  const bool customizing = Parent() ? Parent()->InCustomizingMode() : (Manager() && Manager()->InCustomizing());
  return !customizing || IsOwnItem();
}

bool TdxBarItemControl::IsSelected() const {
  TCustomdxBarControl* bar = Parent();
  return bar && bar->SelectedLink() && bar->SelectedLink()->Control() == this && (IsEnabled() || !FMouseSelected);
}

TdxBarItemAlign TdxBarItemControl::EffectiveAlign() const {
  TdxBarItem* item = Item();
  const TdxBarItemAlign align = item ? item->Align() : iaLeft;
  if (align != iaLeft && !(Parent() && Parent()->HonoursItemAlign(const_cast<TdxBarItemControl*>(this)))) return iaLeft;
  return align;
}

int TdxBarItemControl::PartIndexAt(const TPoint& P) const {
  if (!Contains(ItemRect(), P)) return -1;
  for (std::size_t i = 0; i < FPartRects.size(); ++i)
    if (Contains(FPartRects[i], P)) return static_cast<int>(i);
  return 100;
}

void TdxBarItemControl::SetPressed(bool Value) {
  if (FPressed == Value) return;
  FPressed = Value;
  PressedChanged();
}

TdxBarSubMenuControl* TdxBarItemControl::ParentMenu() const {
  TCustomdxBarControl* bar = Parent();
  if (!bar) RaiseInvalidCast();
  return bar->As<TdxBarSubMenuControl>();
}

TClass TdxBarItemControl::AccessibilityHelperClass() const { return TdxBarItemControlAccessibilityHelper::StaticClass(); }

TObject* TdxBarItemControl::AccessibilityHelperObject() {
  if (!FAccessibilityHelper) {
    FAccessibilityHelper = CreateAccessibilityHelper(AccessibilityHelperClass(), this);
  }
  return FAccessibilityHelper;
}

IdxBarAccessibilityHelper* TdxBarItemControl::AccessibilityHelperOf() {
  return dynamic_cast<IdxBarAccessibilityHelper*>(AccessibilityHelperObject());
}

void TdxBarItemControl::MarkRecentState() {
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(Parent())) menu->SetMenuNonRecent(FOutsideRecent);
}

void TdxBarItemControl::ClearRecentState() {
  if (auto* menu = dynamic_cast<TdxBarSubMenuControl*>(Parent())) menu->SetMenuNonRecent(false);
}

bool TdxBarItemControl::PressedInPlace() const {
  if (!IsEnabled() || !Parent() || !Parent()->HandleAllocated()) return false;
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Parent()->Handle(), &cursor);
  if (!Contains(ItemRect(), {cursor.x, cursor.y})) return false;
  // Key-tip navigation has no pointer of its own until the navigation controller stands.
  return GetAsyncKeyState(VK_LBUTTON) < 0;
}

bool TdxBarItemControl::ShowsShortCuts() const {
  TdxBarItemLinks* links = FItemLink ? FItemLink->Links() : nullptr;
  return links && links->ItemOptions()->ShowShortCuts();
}

bool TdxBarItemControl::ShowsLargeDescriptions() const {
  TdxBarItemLinks* links = FItemLink ? FItemLink->Links() : nullptr;
  return links && links->ItemOptions()->Size() == misLarge && links->ItemOptions()->ShowDescriptions();
}

bool TdxBarItemControl::UnclickAfterDoing() const {
  auto* button = dynamic_cast<TdxBarButton*>(Item());
  return button ? button->UnclickAfterDoing() : true;
}

bool TdxBarItemControl::NotPopupStyle() const { return !(Parent() && Parent()->IsPopupStyle()); }

bool TdxBarItemControl::WantsDoubleClick() const {
  TdxBarManager* manager = Manager();
  return (manager && manager->IsDesigning()) || HostsSubMenu();
}

bool TdxBarItemControl::LinksMenuToOwner() const { return Parent() && Parent()->LinksMenuToOwner(); }

bool TdxBarItemControl::OwnsWindow(HWND AWindow) const {
  if (!Parent() || !Parent()->HandleAllocated() || !AWindow) return false;
  return AWindow == Parent()->Handle() || IsChild(Parent()->Handle(), AWindow);
}

bool TdxBarItemControl::TextRotated() const { return Parent() && Parent()->RotatesText(); }

TdxBarPaintMode TdxBarItemControl::PaintMode() const {
  return Parent() ? static_cast<TdxBarPaintMode>(Parent()->ItemDrawMode()) : pmHorizontal;
}

String TdxBarItemControl::CaptionText() const { return FItemLink ? FItemLink->Caption() : String(); }

TdxBarPainter* TdxBarItemControl::ControlPainter() const { return Parent() ? Parent()->BarPainter() : nullptr; }

TShortCut TdxBarItemControl::ItemShortCut() const {
  TdxBarItem* item = Item();
  return item ? item->ShortCut() : 0;
}

int TdxBarItemControl::ArrowAreaWidth() const {
  TdxBarPainter* painter = ControlPainter();
  return painter ? painter->ParentArrowAreaWidth(const_cast<TdxBarItemControl*>(this)) : 0;
}

int TdxBarItemControl::MenuItemSize() const {
  TdxBarItemLinks* links = FItemLink ? FItemLink->Links() : nullptr;
  return links ? static_cast<int>(links->ItemOptions()->Size()) : 0;
}

TcxStyle* TdxBarItemControl::ItemStyle() const {
  TdxBarItem* item = Item();
  return item ? item->Style() : nullptr;
}

TFont* TdxBarItemControl::StyleFont() const {
  TcxStyle* style = ItemStyle();
  return style && style->AssignedValues().Contains(svFont) ? style->Font() : nullptr;
}

TColor TdxBarItemControl::FontColor() const {
  TdxBarItemStyleValues values;
  if (TdxBarItem* item = Item()) item->GetStyleValues(values);
  return values.TextColor;
}

TColor TdxBarItemControl::StyleColor() const {
  TdxBarItemStyleValues values;
  if (TdxBarItem* item = Item()) item->GetStyleValues(values);
  return values.Color;
}

TdxBarGlyphLayout TdxBarItemControl::GlyphLayout() const {
  TdxBarItem* item = Item();
  return item ? item->GlyphLayout() : glTop;
}

// ---- images -------------------------------------------------------------------------------------

TBitmap* TdxBarItemControl::LinkGlyph() const { return FItemLink ? FItemLink->Glyph() : nullptr; }

int TdxBarItemControl::ItemImageIndex() const {
  TdxBarItem* item = Item();
  return item ? item->ImageIndex() : -1;
}

TBitmap* TdxBarItemControl::ItemLargeGlyph() const {
  TdxBarItem* item = Item();
  return item ? item->LargeGlyph() : nullptr;
}

int TdxBarItemControl::ItemLargeImageIndex() const {
  TdxBarItem* item = Item();
  return item ? item->LargeImageIndex() : -1;
}

TCustomImageList* TdxBarItemControl::ImageList() const {
  TdxBarManager* manager = Manager();
  if (!manager) return nullptr;
  if (!IsEnabled() && manager->DisabledImages()) return manager->DisabledImages();
  return manager->Images();
}

TCustomImageList* TdxBarItemControl::LargeImageList() const {
  TdxBarManager* manager = Manager();
  if (!manager) return nullptr;
  if (!IsEnabled() && manager->DisabledLargeImages()) return manager->DisabledLargeImages();
  return manager->LargeImages();
}

TCustomImageList* TdxBarItemControl::HotImageList() const {
  TdxBarManager* manager = Manager();
  return manager ? manager->HotImages() : nullptr;
}

TCustomImageList* TdxBarItemControl::ImagesFor(TdxBarViewSize AViewSize) const {
  return UsesLargeImages(AViewSize) ? LargeImageList() : ImageList();
}

bool TdxBarItemControl::LargeIconsInForce() const {
  TdxBarManager* manager = Manager();
  TdxBarPainter* painter = ControlPainter();
  return manager && manager->LargeIcons() && painter && painter->SupportsLargeIcons();
}

bool TdxBarItemControl::UsesLargeImages(TdxBarViewSize AViewSize) const {
  if (AViewSize == cvsLarge) return true;
  TdxBarManager* manager = Manager();
  return MenuItemSize() != misLarge && LargeIconsInForce() && manager && manager->UseLargeImagesForLargeIcons();
}

int TdxBarItemControl::ImageIndexFor(TdxBarViewSize AViewSize) const {
  if (UsesLargeImages(AViewSize) && LargeImageList() && ItemLargeImageIndex() != -1) return ItemLargeImageIndex();
  return ItemImageIndex();
}

bool TdxBarItemControl::ImageInfo(TdxBarViewSize AViewSize, bool /*AHot*/, int& AImageIndex,
                                  TCustomImageList*& AImages, TBitmap*& AGlyph) const {
  AImages = ImagesFor(AViewSize);
  AImageIndex = ImageIndexFor(AViewSize);
  const bool large = UsesLargeImages(AViewSize);
  TCustomImageList* largeList = LargeImageList();
  if (large && HasGlyph(ItemLargeGlyph()))
    AGlyph = ItemLargeGlyph();
  else if (large && largeList && AImageIndex >= 0 && AImageIndex < largeList->Count())
    AGlyph = nullptr;
  else
    AGlyph = LinkGlyph();
  if (!HasGlyph(AGlyph)) AGlyph = nullptr;
  if (AGlyph || (AImages && AImageIndex >= 0 && AImageIndex < AImages->Count())) return true;
  AGlyph = Parent() ? Parent()->DefaultGlyph() : nullptr;
  return AGlyph != nullptr;
}

bool TdxBarItemControl::HasImageAt(TdxBarViewSize AViewSize) const {
  int index;
  TCustomImageList* images;
  TBitmap* glyph;
  return ImageInfo(AViewSize, false, index, images, glyph);
}

TSize TdxBarItemControl::GlyphSizeFor(TdxBarViewSize AViewSize, bool AHot) const {
  int index;
  TCustomImageList* images;
  TBitmap* glyph;
  if (ImageInfo(AViewSize, AHot, index, images, glyph)) {
    if (glyph) return {glyph->Width(), glyph->Height()};
    return {images->Width(), images->Height()};
  }
  if (AViewSize == cvsLarge) return {20, 20};
  TdxBarManager* manager = Manager();
  const int size = manager ? manager->ImageOptions()->GlyphSize() : 16;
  return {size, size};
}

bool TdxBarItemControl::HasOwnDisabledLook() const {
  if (IsEnabled()) return true;
  if (HasGlyph(LinkGlyph())) return false;
  TdxBarManager* manager = Manager();
  if (!manager) return false;
  const bool large = UsesLargeImages(DrawInfo() ? DrawInfo()->ViewSize : cvsSmall);
  return (large ? manager->DisabledLargeImages() : manager->DisabledImages()) != nullptr;
}

bool TdxBarItemControl::HasImage() const { return HasImageAt(DrawInfo() ? DrawInfo()->ViewSize : cvsSmall); }

TBitmap* TdxBarItemControl::CurrentGlyph() const {
  int index;
  TCustomImageList* images;
  TBitmap* glyph = nullptr;
  ImageInfo(DrawInfo() ? DrawInfo()->ViewSize : cvsSmall, false, index, images, glyph);
  return glyph;
}

TCustomImageList* TdxBarItemControl::CurrentImages() const {
  int index;
  TCustomImageList* images = nullptr;
  TBitmap* glyph;
  ImageInfo(DrawInfo() ? DrawInfo()->ViewSize : cvsSmall, false, index, images, glyph);
  return images;
}

int TdxBarItemControl::CurrentImageIndex() const {
  int index = -1;
  TCustomImageList* images;
  TBitmap* glyph;
  ImageInfo(DrawInfo() ? DrawInfo()->ViewSize : cvsSmall, false, index, images, glyph);
  return index;
}

TSize TdxBarItemControl::GlyphSize() const { return GlyphSizeFor(DrawInfo() ? DrawInfo()->ViewSize : cvsSmall); }

bool TdxBarItemControl::HasLargeGlyph() const { return HasGlyph(ItemLargeGlyph()); }

// ---- view levels and content parts --------------------------------------------------------------

TdxBarItemViewLevels TdxBarItemControl::PossibleViewLevels() const {
  TdxBarItemViewLevels levels{ivlSmallIconWithText};
  if (HasImageAt(cvsSmall)) levels.Include(ivlSmallIcon);
  return levels;
}

TdxBarItemViewLevels TdxBarItemControl::AllowedViewLevels() const {
  const TdxBarItemViewLevels possible = PossibleViewLevels();
  if (possible.Empty()) throw EdxException(ClassName() + ".GetPossibleViewLevels = []");
  const TdxBarItemViewLevels shared = possible * (FItemLink ? FItemLink->ViewLevels() : dxBarAllViewLevels);
  return shared.Empty() ? possible : shared;
}

TdxBarViewSize TdxBarItemControl::DefaultViewSize() const {
  if (MenuItemSize() == misLarge) return cvsLarge;
  return LargeIconsInForce() ? cvsLargeIcons : cvsSmall;
}

TdxBarViewSize TdxBarItemControl::ViewSizeNow() const {
  switch (FLayoutInfo ? FLayoutInfo->CurrentLevel() : ivlDefault) {
    case ivlLargeIconWithText:
      return cvsLarge;
    case ivlSmallIconWithText:
    case ivlSmallIcon:
      return cvsSmall;
    default:
      return DefaultViewSize();
  }
}

unsigned TdxBarItemControl::ContentPartsForLevel(int ALevel) const {
  switch (ALevel) {
    case ivlLargeIconWithText:
    case ivlSmallIconWithText:
      return cpText | (HasImageAt(ViewSizeNow()) ? cpIcon : 0);
    case ivlSmallIcon:
      return HasImageAt(ViewSizeNow()) ? cpIcon : 0;
    case ivlControlOnly:
      return 0;
    default:
      return DefaultContentParts();
  }
}

// ---- draw params and style ----------------------------------------------------------------------

void TdxBarItemControl::RefreshDrawParams(bool AFull) {
  TdxBarItemControlDrawParams& p = *FDrawParams;
  if (AFull) {
    p.Caption = CaptionText();
    TdxBarItem* item = Item();
    p.Description = item ? item->Description() : String();
    p.ShortCut.clear();
    p.PaintType = PaintMode();
    p.Enabled = IsEnabled();
    p.CanSelect = IsSelectable();
    p.IsSelected = IsSelected();
    p.HasDropDownPart = HasDropDown();
    p.HotPartIndex = FHotPartIndex;
    p.IsCustomizing = Parent() && Parent()->InCustomizingMode();
    p.SelectedByKey = p.IsSelected && !FMouseSelected;
  }
  TcxCanvas* canvas = CurrentCanvas();
  p.Canvas = canvas ? canvas->Canvas() : nullptr;
  p.SetViewSize(ViewSizeNow());
  p.ViewStructure = ContentPartsForLevel(FLayoutInfo ? FLayoutInfo->CurrentLevel() : ivlDefault);
  TdxBarManager* manager = Manager();
  const int glyph = manager ? manager->ImageOptions()->GlyphSize() : 16;
  if (TdxBarPainter* painter = ControlPainter()) p.ButtonExtent = painter->DefaultButtonSize({glyph, glyph});
}

void TdxBarItemControl::CalcPartRects() { FPartRects.assign(static_cast<std::size_t>(std::max(0, PartCount())), ItemRect()); }

void TdxBarItemControl::RefreshStyle() {
  TdxBarSavedFont saved;
  SelectFont(nullptr, ItemStyle(), saved);
  try {
    ApplyStyle();
  } catch (...) {
    RestoreFont(saved);
    throw;
  }
  RestoreFont(saved);
}

void TdxBarItemControl::ApplyStyle() {
  FreeBackgroundBrush();
  const TColor color = StyleColor();
  if (color != clDefault) FBackgroundBrush = CreateSolidBrush(ColorToRGB(color));
  FOwnTextHeight = Parent() ? Parent()->TextSize() : 0;
}

void TdxBarItemControl::SelectFont(HFONT AFont, TcxStyle* AStyle, TdxBarSavedFont& ASaved) {
  ASaved.Used = false;
  TFont* styleFont = AStyle && AStyle->AssignedValues().Contains(svFont) ? AStyle->Font() : nullptr;
  TcxCanvas* canvas = CurrentCanvas();
  if (!canvas || (!styleFont && !AFont)) return;
  TFont* font = canvas->ActiveFont();
  GetObject(font->Handle(), sizeof(LOGFONT), &ASaved.Data);
  ASaved.Used = true;
  LOGFONT data = ASaved.Data;
  HFONT source = AFont ? AFont : styleFont->Handle();
  GetObject(source, sizeof(LOGFONT), &data);
  if (styleFont) {
    LOGFONT own{};
    GetObject(styleFont->Handle(), sizeof(LOGFONT), &own);
    data.lfEscapement = own.lfEscapement;
    data.lfOrientation = own.lfOrientation;
  }
  font->SetHandle(CreateFontIndirect(&data));
}

void TdxBarItemControl::RestoreFont(const TdxBarSavedFont& ASaved) {
  if (!ASaved.Used) return;
  if (TcxCanvas* canvas = CurrentCanvas()) canvas->ActiveFont()->SetHandle(CreateFontIndirect(&ASaved.Data));
}

// ---- measuring ----------------------------------------------------------------------------------

namespace {
// The extent of a size across the text (its height, or its width when the text is turned) and
// along it.
int Across(const TSize& S, bool Rotated) { return Rotated ? S.cx : S.cy; }
int Along(const TSize& S, bool Rotated) { return Rotated ? S.cy : S.cx; }
}  // namespace

int TdxBarItemControl::MeasureWithStyleFont(const std::function<int()>& AMeasure) {
  TdxBarSavedFont saved;
  SelectFont(nullptr, ItemStyle(), saved);
  int result;
  try {
    RefreshDrawParams(false);
    result = AMeasure();
  } catch (...) {
    RestoreFont(saved);
    throw;
  }
  RestoreFont(saved);
  return result;
}

int TdxBarItemControl::ComputeHeight() {
  return MeasureWithStyleFont([this] {
    // The layout stretches a client item across a vertical bar.
    if (EffectiveAlign() == iaClient && Parent() && Parent()->IsVertical())
      return Parent()->RotatesText() ? MinWidth() : MinHeight();
    return RawHeight();
  });
}

int TdxBarItemControl::ComputeWidth() {
  return MeasureWithStyleFont([this] {
    if (EffectiveAlign() == iaClient && Parent() && (Parent()->BehaviourFlags() & dxBarBehaviourStretchClientItems) &&
        !Parent()->IsVertical())
      return MinWidth();
    return std::max(RawWidth(), MinWidth());
  });
}

int TdxBarItemControl::WidthAt(int ALevel) {
  TdxBarItemControlViewInfo* info = LayoutInfo();
  const int previous = info->CurrentLevel();
  info->SetCurrentLevel(ALevel);
  int width;
  try {
    width = ComputeWidth();
  } catch (...) {
    info->SetCurrentLevel(previous);
    throw;
  }
  info->SetCurrentLevel(previous);
  return width;
}

int TdxBarItemControl::RawHeight() {
  if (Parent() && Parent()->BarKind() == dxBarKindMenu) return MenuHeight();
  return TextRotated() ? NaturalWidth() : NaturalHeight();
}

int TdxBarItemControl::RawWidth() {
  if (PaintMode() == pmMenu) return MenuWidth();
  return TextRotated() ? NaturalHeight() : NaturalWidth();
}

int TdxBarItemControl::TextHeightInUse() const {
  if (StyleFont()) return FOwnTextHeight;
  return Parent() ? Parent()->TextSize() : 0;
}

int TdxBarItemControl::SmallHeight() {
  const TdxBarItemControlDrawParams& p = *DrawInfo();
  int result = 0;
  if (p.ShowsCaption()) result = TextHeightInUse();
  if (p.ShowsGlyph()) result = std::max(result, Across(p.ButtonExtent, TextRotated()));
  return result;
}

int TdxBarItemControl::LargeHeight() {
  const int glyph = Across(GlyphSizeFor(cvsLarge), TextRotated());
  if (!DrawInfo()->ShowsCaption()) return glyph + 6;
  TcxCanvas* canvas = CurrentCanvas();
  const int text = canvas ? TextHeightOf(canvas, "Qq") : 0;
  switch (GlyphLayout()) {
    case glLeft:
    case glRight:
      return std::max(glyph, text) + 6;
    default:
      return glyph + text + 7;
  }
}

int TdxBarItemControl::LargeWidth() {
  const int glyph = Along(GlyphSizeFor(cvsLarge), TextRotated());
  if (!DrawInfo()->ShowsCaption()) return glyph + 10;
  switch (GlyphLayout()) {
    case glTop:
    case glBottom:
      return std::max(glyph, TextWidth() + 6) + 10;
    default:
      return glyph + TextWidth() + 16;
  }
}

int TdxBarItemControl::TextWidth() {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (!painter || !canvas) return 0;
  const TRect r = painter->MeasureCaption(canvas->DeviceContext(), DrawInfo()->Caption);
  return r.Right - r.Left;
}

TRect TdxBarItemControl::TextMargins(int /*AKind*/) {
  TdxBarPainter* painter = ControlPainter();
  return painter ? painter->MenuTextMargins() : TRect{};
}

int TdxBarItemControl::CaptionAreaWidth() {
  const TdxBarItemControlDrawParams& p = *DrawInfo();
  if (!p.ShowsCaption()) return 0;
  TdxBarPainter* painter = ControlPainter();
  if (PaintMode() == pmMenu) {
    TcxCanvas* canvas = CurrentCanvas();
    int width = TextWidth();
    if (canvas && ShowsShortCuts() && ItemShortCut() != 0)
      width += TextWidthOf(canvas, ShortCutToText(ItemShortCut())) + (Parent() ? Parent()->TextSize() : 0) - 6;
    TdxBarItem* item = Item();
    if (canvas && item && ShowsLargeDescriptions() && MenuItemSize() == misLarge && !item->Description().empty())
      width = std::max(width, TextWidthOf(canvas, item->Description()));
    const TRect margins = TextMargins();
    return width + margins.Left + margins.Right + (painter ? painter->ItemIconAreaWidth(this) : 0);
  }
  if (!p.ShowsGlyph()) return TextWidth() + 2 * TextIndent();
  return TextWidth() + (painter ? painter->CaptionPadding().Left : 0);
}

int TdxBarItemControl::GlyphAreaWidth() {
  if (PaintMode() == pmMenu) return Parent() ? Parent()->IconAreaSize() : 0;
  if (DrawInfo()->ShowsGlyph()) return Along(DrawInfo()->ButtonExtent, TextRotated());
  return 0;
}

int TdxBarItemControl::TextIndent() { return Parent() ? Parent()->Font()->Size() / 2 : 0; }

int TdxBarItemControl::SmallWidth() { return GlyphAreaWidth() + CaptionAreaWidth() + ExtraWidth(); }

int TdxBarItemControl::MenuHeight() {
  int height = Parent() ? Parent()->ItemHeight(this) : 0;
  if (TdxBarPainter* painter = ControlPainter()) painter->AdjustMenuItemHeight(height);
  return height;
}

int TdxBarItemControl::MenuWidth() {
  int width = SmallWidth();
  if (TdxBarPainter* painter = ControlPainter()) painter->AdjustMenuItemWidth(width);
  return width;
}

int TdxBarItemControl::NaturalHeight() { return DrawInfo()->ViewSize == cvsLarge ? LargeHeight() : SmallHeight(); }

int TdxBarItemControl::NaturalWidth() { return DrawInfo()->ViewSize == cvsLarge ? LargeWidth() : SmallWidth(); }

// ---- painting -----------------------------------------------------------------------------------

TRect TdxBarItemControl::OwnerBounds() const {
  TCustomdxBarControl* bar = Parent();
  TCustomdxBarControl* menu = IsDroppedDown() ? DroppedBar() : nullptr;
  if (!bar || !menu || !bar->HandleAllocated() || !menu->HandleAllocated() || !IsWindowVisible(menu->Handle())) return {};
  RECT r;
  GetWindowRect(menu->Handle(), &r);
  POINT origin{0, 0};
  ClientToScreen(bar->Handle(), &origin);
  return {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
}

void TdxBarItemControl::Paint(TcxCanvas* ACanvas, const TRect& R, int APaintMode) {
  if (IsEmptyRect(R) || !ACanvas) return;
  ACanvas->PushDrawingState();
  if (TcxCanvas* current = CurrentCanvas(); current && current != ACanvas) ACanvas->AssignFont(current->ActiveFont());
  FPaintCanvas = ACanvas;
  TdxBarSavedFont saved;
  auto finish = [&] {
    FPaintCanvas = nullptr;
    RefreshDrawParams(false);
    ACanvas->PopDrawingState();
  };
  try {
    SelectFont(nullptr, ItemStyle(), saved);
    RefreshDrawParams(true);
    DrawContent(R, static_cast<TdxBarPaintMode>(APaintMode));
    RestoreFont(saved);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

// ---- mouse --------------------------------------------------------------------------------------

void TdxBarItemControl::MouseMoveAt(const TPoint& P) {
  if (!IsEnabled()) {
    FHotPartIndex = -1;
    return;
  }
  const int part = PartIndexAt(P);
  if (part == FHotPartIndex) return;
  const int previous = FHotPartIndex;
  FHotPartIndex = part;
  if (CanFade())
    if (TdxFader* fader = Fader()) {
      if (previous == -1)
        fader->FadeIn(this);
      else if (part == -1)
        fader->FadeOut(this);
    }
  Invalidate();
}

// ---- clicks -------------------------------------------------------------------------------------

void TdxBarItemControl::Invoke(bool AByMouse, bool AFlag) {
  // A disabled control neither presses nor clicks: a disabled check button keeps its Down.
  if (!IsEnabled()) return;
  TCustomdxBarControl* bar = Parent();
  Press(AByMouse, AFlag);
  // The press may have closed the bar and freed the control: only a control its live bar still
  // owns clicks (the test compares pointers, it reads nothing of a freed control).
  if (bar && IsBarControlAlive(bar) && bar->OwnsItemControl(this)) Click(AByMouse);
}

void TdxBarItemControl::Click(bool /*AByMouse*/) {
  TCustomdxBarControl* bar = Parent();
  if (dynamic_cast<TdxBarButtonControl*>(this) && bar && bar->BarKind() == dxBarKindMenu) PlayBarSound(1);

  // Closing the bars may free this control and a generated link; the item and the link it was
  // copied from are read now and followed through object links.
  TdxBarItemLink* source = FItemLink ? FItemLink->ContainerLink() : nullptr;
  TdxBarItemLink* own = FItemLink;
  TdxBarItem* item = Item();
  const bool doesClick = DoesClick();
  const bool closes = ClosesBarsOnClick();
  TcxObjectLinkScope self(this), sourceAlive(source), ownAlive(own), itemAlive(item);

  if (closes) {
    if (source) source->MarkUsed(true);
    if (own && own != source && ownAlive.Alive()) own->MarkUsed(true);
  }
  const bool unpress = self.Alive() && UnclickAfterDoing() && (!closes || NotPopupStyle());
  if (unpress) SetPressed(true);
  if (closes && bar && IsBarControlAlive(bar)) bar->CloseUp();

  if (doesClick && item && itemAlive.Alive()) {
    item->SetClickedLink(sourceAlive.Alive() ? source : nullptr);
    item->Click();
    if (itemAlive.Alive()) item->SetClickedLink(nullptr);
  }
  if (unpress && self.Alive()) SetPressed(false);
}

void TdxBarItemControl::PressAgain(bool /*ASameControl*/, bool& /*AHandled*/) {
  TCustomdxBarControl* bar = Parent();
  if (!bar) return;
  bar->SetIsDowned(false);
  bar->SelectControlByKeyboard(this);
}

// ---- static text --------------------------------------------------------------------------------

bool TdxBarCustomStaticControl::IsSelectable() const {
  const bool customizing = Parent() ? Parent()->InCustomizingMode() : (Manager() && Manager()->InCustomizing());
  return customizing && TdxBarItemControl::IsSelectable();
}

unsigned TdxBarCustomStaticControl::DefaultContentParts() const {
  TdxBarItem* item = Item();
  unsigned parts = item && item->ShowCaption() ? cpText : 0;
  if (HasImageAt(ViewSizeNow())) parts |= cpIcon;
  return parts;
}

void TdxBarCustomStaticControl::DrawContent(const TRect& R, TdxBarPaintMode /*APaintMode*/) {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (painter && canvas)
    painter->DrawStaticItem(static_cast<TdxBarStaticLikeControlDrawParams&>(*DrawInfo()), canvas->DeviceContext(), R);
}

// ---- separator ----------------------------------------------------------------------------------

void TdxBarSeparatorControl::RefreshDrawParams(bool AFull) {
  TdxBarCustomStaticControl::RefreshDrawParams(AFull);
  TdxBarItemLink* link = ItemLink();
  static_cast<TdxBarSeparatorControlDrawParams&>(*DrawInfo()).IsFirst = link && link->Links() && link->Index() == 0;
}

void TdxBarSeparatorControl::DrawContent(const TRect& R, TdxBarPaintMode /*APaintMode*/) {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (painter && canvas)
    painter->DrawSeparatorControl(static_cast<TdxBarSeparatorControlDrawParams&>(*DrawInfo()), canvas->DeviceContext(),
                                  R);
}

TRect TdxBarSeparatorControl::TextMargins(int /*AKind*/) {
  TdxBarPainter* painter = ControlPainter();
  return painter ? painter->SeparatorItemInsets() : TRect{};
}

int TdxBarSeparatorControl::MenuHeight() {
  if (!DrawInfo()->ShowsCaption()) return Parent() ? Parent()->SeparatorSize() : 0;
  TdxBarPainter* painter = ControlPainter();
  const bool first = static_cast<TdxBarSeparatorControlDrawParams&>(*DrawInfo()).IsFirst;
  return (painter ? painter->SeparatorLineHeight() * (first ? 1 : 2) : 0) + TdxBarCustomStaticControl::MenuHeight();
}

int TdxBarSeparatorControl::MinWidth() {
  TdxBarPainter* painter = ControlPainter();
  return (painter ? painter->ItemIconAreaWidth(this) : 0) + (Parent() ? Parent()->IconAreaSize() : 0);
}

int TdxBarSeparatorControl::NaturalWidth() { return Parent() ? Parent()->SeparatorSize() : 0; }

void TdxBarSeparatorControl::SelectFont(HFONT AFont, TcxStyle* AStyle, TdxBarSavedFont& ASaved) {
  TdxBarCustomStaticControl::SelectFont(AFont, AStyle, ASaved);
  if (TcxCanvas* canvas = CurrentCanvas()) canvas->ActiveFont()->SetStyle(TFontStyles{fsBold});
}

void TdxBarSeparatorControl::RestoreFont(const TdxBarSavedFont& ASaved) {
  TdxBarCustomStaticControl::RestoreFont(ASaved);
  if (TcxCanvas* canvas = CurrentCanvas()) canvas->ActiveFont()->SetStyle(TFontStyles{});
}

unsigned TdxBarSeparatorControl::DefaultContentParts() const {
  TdxBarItem* item = Item();
  return PaintMode() == pmMenu && item && item->ShowCaption() ? cpText : 0;
}
