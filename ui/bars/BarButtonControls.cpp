// Button-like controls: the hover timers, opening and closing drop-downs, fading pictures; the
// button, large-button and application-menu button controls.
#include "ui/bars/BarButtonControls.h"

#include <algorithm>

#include "platform/classes/Menus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/Office11Colors.h"

using namespace win;

// ---- hover timers -------------------------------------------------------------------------------

namespace {

struct THoverSlot {
  TdxBarButtonLikeControl* Control = nullptr;
  UINT_PTR Timer = 0;
};
THoverSlot gOpenSlot, gCloseSlot;

void StopSlot(THoverSlot& ASlot) {
  if (ASlot.Timer) KillTimer(nullptr, ASlot.Timer);
  ASlot = {};
}

// The slot's timer stops only when it is still the one that fired: the control's own step may have
// started another one already.
void StopFired(THoverSlot& ASlot, UINT_PTR AFired) {
  if (ASlot.Timer == AFired) StopSlot(ASlot);
}

void OpenTimerProc(HWND, UINT, UINT_PTR AId, DWORD) {
  if (gOpenSlot.Timer != AId) {
    KillTimer(nullptr, AId);
    return;
  }
  if (TdxBarButtonLikeControl* control = gOpenSlot.Control) control->Activate(true, true);
  StopFired(gOpenSlot, AId);
}

void CloseTimerProc(HWND, UINT, UINT_PTR AId, DWORD) {
  if (gCloseSlot.Timer != AId) {
    KillTimer(nullptr, AId);
    return;
  }
  if (TdxBarButtonLikeControl* control = gCloseSlot.Control) control->Deactivate(true);
  StopFired(gCloseSlot, AId);
}

void StartSlot(THoverSlot& ASlot, TdxBarButtonLikeControl* AControl, TIMERPROC AProc) {
  StopSlot(ASlot);
  ASlot.Control = AControl;
  ASlot.Timer = SetTimer(nullptr, 0, dxBarHoverDelay, AProc);
}

}  // namespace

void TdxBarButtonLikeControl::ScheduleOpen(TdxBarButtonLikeControl* AControl) {
  if (gCloseSlot.Control == AControl) StopSlot(gCloseSlot);
  StopSlot(gOpenSlot);
  StartSlot(gOpenSlot, AControl, OpenTimerProc);
}

void TdxBarButtonLikeControl::ScheduleClose(TdxBarButtonLikeControl* AControl) {
  if (gOpenSlot.Control == AControl) StopSlot(gOpenSlot);
  if (AControl->IsDroppedDown()) StartSlot(gCloseSlot, AControl, CloseTimerProc);
}

void TdxBarButtonLikeControl::CancelTimers(TdxBarButtonLikeControl* AControl) {
  if (gOpenSlot.Control == AControl) StopSlot(gOpenSlot);
  if (gCloseSlot.Control == AControl) StopSlot(gCloseSlot);
}

void TdxBarButtonLikeControl::FireCloseNow() {
  if (TdxBarButtonLikeControl* control = gCloseSlot.Control) {
    const UINT_PTR timer = gCloseSlot.Timer;
    control->Deactivate(true);
    StopFired(gCloseSlot, timer);
  }
}

TdxBarButtonLikeControl* TdxBarButtonLikeControl::OpenTimerControl() { return gOpenSlot.Control; }
TdxBarButtonLikeControl* TdxBarButtonLikeControl::CloseTimerControl() { return gCloseSlot.Control; }

// ---- TdxBarButtonLikeControl ----------------------------------------------------------------------

TdxBarButtonLikeControl::~TdxBarButtonLikeControl() { CancelTimers(this); }

bool TdxBarButtonLikeControl::OnToolbar() const { return Parent() && Parent()->BarKind() == dxBarKindToolbar; }

bool TdxBarButtonLikeControl::ParentGone() const { return !Parent() || Parent()->IsDestroying(); }

bool TdxBarButtonLikeControl::CanFade() {
  TdxBarPainter* painter = ControlPainter();
  return Parent() && Parent()->AllowsFading() && Fader() && painter && painter->SupportsFading() && !IsDroppedDown();
}

void TdxBarButtonLikeControl::PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& /*FadeInFrameCount*/,
                                                  int& /*FadeInFrameDelay*/, int& /*FadeOutFrameCount*/,
                                                  int& /*FadeOutFrameDelay*/) {
  if (PaintMode() == pmMenu) return;
  IdxBarPainterFading* fading = nullptr;
  TdxBarPainter* painter = ControlPainter();
  if (!painter || !Supports<IdxBarPainterFading>(painter, &fading)) return;
  const TRect r = ItemRect();
  const TRect size(0, 0, r.Right - r.Left, r.Bottom - r.Top);
  auto paint = [&](TcxBitmap32* ABitmap, bool ASelected) {
    TcxCanvas canvas(ABitmap->Canvas());
    SetPaintCanvas(&canvas);
    struct Restore {
      TdxBarButtonLikeControl* Self;
      HDC DC;
      ~Restore() {
        SetViewportOrgEx(DC, 0, 0, nullptr);
        Self->SetPaintCanvas(nullptr);
        Self->RefreshDrawParams(false);
      }
    } restore{this, canvas.DeviceContext()};
    RefreshDrawParams(true);
    SetViewportOrgEx(canvas.DeviceContext(), -r.Left, -r.Top, nullptr);
    TdxBarButtonLikeControlDrawParams& p = ButtonDrawInfo();
    p.IsSelected = ASelected;
    if (!ASelected) p.HotPartIndex = -1;
    fading->DrawButtonForFade(p);
  };
  auto* normal = new TcxBitmap32(size, true);
  auto* hot = new TcxBitmap32(size, true);
  try {
    paint(normal, false);
    paint(hot, true);
    if (fading->MakesImagesOpaque()) {
      normal->MakeOpaque();
      hot->MakeOpaque();
    }
  } catch (...) {
    delete normal;
    delete hot;
    throw;
  }
  NormalImage = normal;
  HotImage = hot;
}

void TdxBarButtonLikeControl::Activate(bool AByMouse, bool AFlag) {
  if (IsDroppedDown()) {
    CancelTimers(this);
    return;
  }
  TdxBarItemControl::Activate(AByMouse, AFlag);
  if (!HasDropDown() || !CanDropDown()) return;
  bool immediate = AByMouse;
  if (OnToolbar()) {
    if (!(Parent()->InCustomizingMode() || Parent()->IsDowned())) return;
    immediate = true;
  }
  TdxBarManager* manager = Manager();
  if (immediate || (manager && manager->InCustomizing())) {
    TcxObjectLinkScope alive(this);
    FireCloseNow();
    if (alive.Alive()) OpenDropDown(AFlag);
  } else {
    // Menus open a sub-menu after the hover delay.
    ScheduleOpen(this);
  }
}

void TdxBarButtonLikeControl::Deactivate(bool AFlag) {
  TdxBarManager* manager = Manager();
  if (OnToolbar() || AFlag || ParentGone() || (manager && manager->InCustomizing())) {
    TdxBarItemControl::Deactivate(AFlag);
    CloseDropDown(DropDownBar() != nullptr);
  } else {
    // A menu item's drop-down closes after the hover delay, and only when it is open.
    ScheduleClose(this);
  }
}

void TdxBarButtonLikeControl::PressAgain(bool ASameControl, bool& AHandled) {
  if (!ASameControl) {
    TdxBarItemControl::PressAgain(ASameControl, AHandled);
    return;
  }
  if (Parent() && Parent()->IsDowned() && IsDroppedDown()) Parent()->HideFocus();
}

bool TdxBarButtonLikeControl::IsDropDownKey(WORD Key) const {
  if (!HasDropDown()) return false;
  if (Parent() && Parent()->BarKind() == dxBarKindMenu) return Key == VK_RIGHT;
  return Key == VK_UP || Key == VK_DOWN;
}

TClass TdxBarButtonLikeControl::AccessibilityHelperClass() const {
  return TdxBarButtonLikeControlAccessibilityHelper::StaticClass();
}

void TdxBarButtonLikeControl::RefreshDrawParams(bool AFull) {
  TdxBarItemControl::RefreshDrawParams(AFull);
  TdxBarButtonLikeControlDrawParams& p = ButtonDrawInfo();
  if (AFull) {
    p.GroupPosition = LayoutInfo() ? LayoutInfo()->GetGroupPlacement() : 0;
    p.HighlightFlag = HighlightFlag();
    p.ArrowColorFlag = ArrowColorFlag();
  }
  p.ArrowSize = {ArrowWidth(), Parent() ? Parent()->MenuArrowHeight() : 0};
}

void TdxBarButtonLikeControl::DrawContent(const TRect& R, TdxBarPaintMode /*APaintMode*/) {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (painter && canvas) painter->PaintButtonItem(ButtonDrawInfo(), canvas->DeviceContext(), R);
}

void TdxBarButtonLikeControl::KeyDown(WORD& Key, TShiftState /*Shift*/) {
  if (IsDropDownKey(Key)) OpenDropDownNow(false);
}

int TdxBarButtonLikeControl::ArrowWidth() const {
  if (Parent() && Parent()->BarKind() == dxBarKindMenu) return Parent()->MenuArrowWidth();
  TdxBarPainter* painter = ControlPainter();
  TdxBarManager* manager = Manager();
  return painter ? painter->DropArrowPartWidth(manager, manager && manager->LargeIcons() && ViewSizeNow() != cvsSmall)
                 : 0;
}

bool TdxBarButtonLikeControl::CanDropDown() const {
  TdxBarManager* manager = Manager();
  return IsEnabled() || (manager && manager->IsDesigning());
}

void TdxBarButtonLikeControl::OpenDropDownNow(bool /*AByMouse*/) {
  if (Parent()) Parent()->SetIsDowned(true);
}

bool TdxBarButtonLikeControl::ArrowColorFlag() const {
  TdxBarPainter* painter = ControlPainter();
  return painter && painter->ArrowsUseTextColor();
}

bool TdxBarButtonLikeControl::HighlightFlag() const {
  TdxBarPainter* painter = ControlPainter();
  return painter && painter->ButtonQueryHook();
}

void TdxBarButtonLikeControl::CloseDropDown(bool ACloseBar) {
  CancelTimers(this);
  if (ACloseBar)
    if (TCustomdxBarControl* bar = DropDownBar()) bar->Dismiss();
  Invalidate();
}

// ---- TdxBarButtonControl ------------------------------------------------------------------------

namespace {
TdxBarButton* ButtonOf(const TdxBarItemControl* C) { return dynamic_cast<TdxBarButton*>(C->Item()); }
}  // namespace

// A destructor reaches only its own class's DropDownBar: each kind dismisses the bar it dropped.
TdxBarButtonControl::~TdxBarButtonControl() {
  CancelTimers(this);
  if (IsDroppedDown()) DropDownBar()->Dismiss();
}

void TdxBarButtonControl::PaintStyleChanged() {
  if (Parent()) Parent()->RebuildRecreating();
}

void TdxBarButtonControl::Press(bool AByMouse, bool /*AFlag*/) {
  if (OnToolbar() && !Parent()->IsDowned()) return;
  if (HasDropDown() && PressedInPlace() && HotPartIndex() == 1)
    OpenDropDownNow(AByMouse);
  else if (OnToolbar() || HasDropDown())
    Invalidate();
}

void TdxBarButtonControl::Click(bool AByMouse) {
  // The arrow opens the menu on the press: a click there (or off the control) is no click.
  if (AByMouse && HotPartIndex() != 0) return;
  if (TdxBarButton* button = ButtonOf(this); button && button->IsCheckStyle()) button->SetDown(!button->Down());
  TcxObjectLinkScope alive(this);
  Deactivate(true);
  if (alive.Alive()) TdxBarItemControl::Click(AByMouse);
}

void TdxBarButtonControl::PressAgain(bool ASameControl, bool& AHandled) {
  TCustomdxBarControl* bar = Parent();
  if (ASameControl && bar && bar->IsDowned() && FDroppedDown && HotPartIndex() == 0) {
    if (bar->BehaviourFlags() & 0x200) bar->HideFocus();
    bar->ActivateWithControl(this);
    return;
  }
  TdxBarButtonLikeControl::PressAgain(ASameControl, AHandled);
}

bool TdxBarButtonControl::IsSelected() const {
  return (TdxBarButtonLikeControl::IsSelected() && !(Parent() && Parent()->InCustomizingMode())) || Pressed();
}

TClass TdxBarButtonControl::AccessibilityHelperClass() const {
  return TdxBarButtonControlAccessibilityHelper::StaticClass();
}

unsigned TdxBarButtonControl::ContentPartsForLevel(int ALevel) const {
  if (ALevel == ivlSmallIcon) return cpIcon;
  return TdxBarButtonLikeControl::ContentPartsForLevel(ALevel);
}

unsigned TdxBarButtonControl::DefaultContentParts() const {
  const bool menu = PaintMode() == pmMenu;
  switch (EffectivePaintStyle()) {
    case TdxBarPaintStyle::psStandard:
      if (menu) return cpIcon | cpText;
      return HasImage() ? cpIcon : cpText;
    case TdxBarPaintStyle::psCaption:
      return cpText;
    case TdxBarPaintStyle::psCaptionInMenu:
      return menu ? cpText : cpIcon;
    case TdxBarPaintStyle::psCaptionGlyph:
      return cpIcon | cpText;
  }
  return cpIcon | cpText;
}

int TdxBarButtonControl::PartCount() const { return DrawInfo()->HasDropDownPart ? 2 : 1; }

void TdxBarButtonControl::RefreshDrawParams(bool AFull) {
  TdxBarButtonLikeControl::RefreshDrawParams(AFull);
  if (!AFull) return;
  TdxBarButtonLikeControlDrawParams& p = ButtonDrawInfo();
  TdxBarButton* button = ButtonOf(this);
  const TShortCut shortCut = ItemShortCut();
  p.ShortCut = shortCut ? ShortCutToText(shortCut) : String();
  p.IsPressed = ShowsPressed();
  p.Down = button && button->Down();
  // A down button is a checked one: in a menu its check mark stands in for a missing glyph.
  p.Checked = p.Down;
  p.DrawDownFrame = p.IsPressed;
  p.IsDropDown = FDroppedDown;
  TdxBarPainter* painter = ControlPainter();
  p.DroppedDownFlat = painter && painter->IsFlatStyle() && FDroppedDown;
  p.IsButtonControl = true;
  p.DropDownEnabled = !button || button->DropDownEnabled();
  p.GrayGlyph = ShowsGrayGlyph();
  p.Lowered = button && button->Lowered();
}

void TdxBarButtonControl::CalcPartRects() {
  TdxBarButtonLikeControl::CalcPartRects();
  TdxBarPainter* painter = ControlPainter();
  if (!painter || PartRectCount() < 2) return;
  // The arrow part is the button's right end; the painter says where its part begins.
  const TRect r = ItemRect();
  const int arrow = PaintMode() == pmMenu ? (Parent() ? Parent()->TextSize() : 0) : ArrowWidth();
  TdxBarEditLayout layout;
  painter->AdjustForDropDownPart(*DrawInfo(), TRect(r.Right - arrow, r.Top, r.Right, r.Bottom), layout);
  const int split = layout.TextEnd ? layout.TextEnd : r.Right - arrow;
  std::vector<TRect> parts{TRect(r.Left, r.Top, split, r.Bottom), TRect(split, r.Top, r.Right, r.Bottom)};
  SetPartRects(std::move(parts));
}

int TdxBarButtonControl::RawHeight() {
  int height = TdxBarButtonLikeControl::RawHeight();
  TdxBarButton* button = ButtonOf(this);
  if (button && button->Lowered())
    if (TdxBarPainter* painter = ControlPainter()) height += 2 * painter->ButtonSideMargin();
  return height;
}

int TdxBarButtonControl::RawWidth() {
  TSize size{TdxBarButtonLikeControl::RawWidth(), 0};
  TdxBarPainter* painter = ControlPainter();
  if (painter) painter->AddDropDownExtent(*DrawInfo(), size);
  TdxBarButton* button = ButtonOf(this);
  if (painter && button && button->Lowered()) size.cx += 2 * painter->ButtonSideMargin();
  return size.cx;
}

int TdxBarButtonControl::SmallHeight() {
  int height = TdxBarButtonLikeControl::SmallHeight();
  const TdxBarItemControlDrawParams& p = *DrawInfo();
  if (p.ShowsCaption()) height = std::max(height, TextRotated() ? p.ButtonExtent.cx : p.ButtonExtent.cy);
  return height;
}

bool TdxBarButtonControl::ClosesBarsOnClick() const {
  if (OnToolbar()) return true;
  TdxBarButton* button = ButtonOf(this);
  return !button || button->CloseSubMenuOnClick();
}

bool TdxBarButtonControl::HasDropDown() const {
  TdxBarButton* button = ButtonOf(this);
  return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

bool TdxBarButtonControl::CapturesMouse() const {
  return !FDroppedDown && Parent() && Parent()->BarKind() == dxBarKindQuickCustomization;
}

bool TdxBarButtonControl::IsDroppedDown() const { return FDroppedDown && DropDownBar(); }

void TdxBarButtonControl::OpenDropDownNow(bool AByMouse) {
  TdxBarButtonLikeControl::OpenDropDownNow(AByMouse);
  Activate(true, AByMouse);
}

TCustomdxBarControl* TdxBarButtonControl::DropDownBar() const {
  TdxBarButton* button = ButtonOf(this);
  return button ? button->DropDownMenuControl() : nullptr;
}

bool TdxBarButtonControl::ArrowColorFlag() const {
  return !HighlightFlag() || TdxBarButtonLikeControl::ArrowColorFlag();
}

bool TdxBarButtonControl::ShowsPressed() const {
  TdxBarButton* button = ButtonOf(this);
  const bool checked = button && button->IsCheckStyle();
  return (IsSelected() && Parent() && Parent()->Active() && PressedInPlace() && HotPartIndex() == 0) ||
         (Pressed() && !checked);
}

bool TdxBarButtonControl::HighlightFlag() const {
  TdxBarPainter* painter = ControlPainter();
  if (!painter || !painter->IsFlatStyle()) return false;
  TdxBarButton* button = ButtonOf(this);
  const bool down = button && button->Down();
  const bool pressed = ShowsPressed();
  if ((pressed || (down && IsSelected())) && painter->HighlightsDownButtons()) return true;
  if (pressed || down || IsSelected())
    return (IsButtonFaceWhite() && !FDroppedDown) || TdxBarButtonLikeControl::HighlightFlag();
  return false;
}

void TdxBarButtonControl::CloseDropDown(bool ACloseBar) {
  FDroppedDown = false;
  TdxBarButtonLikeControl::CloseDropDown(ACloseBar);
}

void TdxBarButtonControl::OpenDropDown(bool AByMouse) {
  TdxBarButton* button = ButtonOf(this);
  if (FDroppedDown || !IsEnabled() || !button || !button->DropDownEnabled() || !button->DropDownMenu()) return;
  TCustomdxBarControl* bar = Parent();
  FDroppedDown = true;
  if (bar) bar->ItemControlFocused(this);
  Invalidate();
  const TRect r = ItemRect();
  TPoint anchor;
  if (bar && (bar->BarKind() == dxBarKindMenu || bar->IsVertical()))
    anchor = {r.Right, r.Top - (bar->BarKind() == dxBarKindMenu ? bar->DropDownOffset() : 0)};
  else
    anchor = {r.Left, r.Bottom};
  if (bar && bar->HandleAllocated()) {
    POINT p{anchor.X, anchor.Y};
    ClientToScreen(bar->Handle(), &p);
    anchor = {p.x, p.y};
  }
  // Showing runs user code: the control may be gone afterwards.
  TcxObjectLinkScope alive(this);
  button->DropDown(this, anchor.X, anchor.Y, AByMouse);
  if (!alive.Alive()) return;
  if (TdxBarPainter* painter = ControlPainter(); painter && painter->IsFlatForButtons()) Invalidate();
}

TdxBarPaintStyle TdxBarButtonControl::EffectivePaintStyle() const {
  TdxBarItemLink* link = ItemLink();
  TdxBarPaintStyle style = link ? link->PaintStyle() : TdxBarPaintStyle::psStandard;
  if (style == TdxBarPaintStyle::psStandard && OnToolbar()) StandardPaintStyle(style);
  return style;
}

void TdxBarButtonControl::StandardPaintStyle(TdxBarPaintStyle& AStyle) const {
  if (!HasImage()) AStyle = TdxBarPaintStyle::psCaption;
}

// ---- TdxBarLargeButtonControl -------------------------------------------------------------------

namespace {
TdxBarLargeButton* LargeButtonOf(const TdxBarItemControl* C) { return dynamic_cast<TdxBarLargeButton*>(C->Item()); }
bool UsableIndex(TCustomImageList* AImages, int AIndex) { return AImages && AIndex >= 0 && AIndex < AImages->Count(); }
}  // namespace

void TdxBarLargeButtonControl::LargeGlyphChanged() {
  if (DrawInfo()->ViewSize != cvsLarge) return;
  TdxBarLargeButton* item = LargeButtonOf(this);
  if ((item && item->Width() != 0 && item->Height() != 0) || PaintMode() == pmMenu)
    Invalidate();
  else if (Parent())
    Parent()->RebuildRecreating();
}

TdxBarItemViewLevels TdxBarLargeButtonControl::PossibleViewLevels() const {
  TdxBarItemViewLevels levels = TdxBarButtonControl::PossibleViewLevels();
  levels.Include(ivlLargeIconWithText);
  return levels;
}

unsigned TdxBarLargeButtonControl::DefaultContentParts() const {
  if (PaintMode() == pmMenu) return TdxBarButtonControl::DefaultContentParts();
  TdxBarItem* item = Item();
  return item && item->ShowCaption() ? cpIcon | cpText : cpIcon;
}

TdxBarViewSize TdxBarLargeButtonControl::DefaultViewSize() const {
  return PaintMode() == pmMenu ? TdxBarButtonControl::DefaultViewSize() : cvsLarge;
}

bool TdxBarLargeButtonControl::ShowsGrayGlyph() const {
  TdxBarLargeButton* item = LargeButtonOf(this);
  return !IsSelected() && IsEnabled() && item && item->AutoGrayScale();
}

bool TdxBarLargeButtonControl::ImageInfo(TdxBarViewSize AViewSize, bool AHot, int& AImageIndex,
                                         TCustomImageList*& AImages, TBitmap*& AGlyph) const {
  if (AViewSize != cvsLarge) return TdxBarButtonControl::ImageInfo(AViewSize, AHot, AImageIndex, AImages, AGlyph);
  AImageIndex = -1;
  AImages = nullptr;
  AGlyph = nullptr;
  TdxBarLargeButton* item = LargeButtonOf(this);
  auto tryHot = [&] {
    if (!item) return false;
    if (HasGlyph(item->HotGlyph())) {
      AGlyph = item->HotGlyph();
      return true;
    }
    if (!UsableIndex(HotImageList(), item->HotImageIndex())) return false;
    AImages = HotImageList();
    AImageIndex = item->HotImageIndex();
    return true;
  };
  auto tryLarge = [&] {
    if (HasGlyph(ItemLargeGlyph())) {
      AGlyph = ItemLargeGlyph();
      return true;
    }
    if (!UsableIndex(LargeImageList(), ItemLargeImageIndex())) return false;
    AImages = LargeImageList();
    AImageIndex = ItemLargeImageIndex();
    return true;
  };
  if (AHot ? tryHot() || tryLarge() : tryLarge() || tryHot()) return true;
  AImages = LargeImageList() ? LargeImageList() : HotImageList();
  return false;
}

int TdxBarLargeButtonControl::NaturalHeight() {
  TdxBarLargeButton* item = LargeButtonOf(this);
  return item && item->Height() != 0 ? item->Height() : TdxBarButtonControl::NaturalHeight();
}

int TdxBarLargeButtonControl::NaturalWidth() {
  TdxBarItem* item = Item();
  return item && item->Width() != 0 ? item->Width() : TdxBarButtonControl::NaturalWidth();
}

bool TdxBarLargeButtonControl::TextRotated() const {
  TdxBarItem* item = Item();
  return TdxBarButtonControl::TextRotated() && item && item->ShowCaption();
}

int TdxBarLargeButtonControl::ArrowWidth() const {
  if (OnToolbar())
    if (TdxBarPainter* painter = ControlPainter()) return painter->LargeDropArrowPartWidth(Manager());
  return TdxBarButtonControl::ArrowWidth();
}

// ---- TdxBarApplicationMenuButtonControl -----------------------------------------------------------

void TdxBarApplicationMenuButtonControl::RepaintParent() {
  if (Parent() && Parent()->HandleAllocated()) Parent()->Repaint();
}

unsigned TdxBarApplicationMenuButtonControl::DefaultContentParts() const {
  return cpText | (HasImageAt(ViewSizeNow()) ? cpIcon : 0);
}

int TdxBarApplicationMenuButtonControl::NaturalWidth() {
  TdxBarItem* item = Item();
  return item && item->Width() != 0 ? item->Width() : TdxBarButtonLikeControl::NaturalWidth();
}

void TdxBarApplicationMenuButtonControl::RefreshDrawParams(bool AFull) {
  TdxBarButtonLikeControl::RefreshDrawParams(AFull);
  if (AFull) static_cast<TdxBarApplicationMenuButtonControlDrawParams&>(*DrawInfo()).ButtonWidth = NaturalWidth();
}

void TdxBarApplicationMenuButtonControl::DrawContent(const TRect& R, TdxBarPaintMode /*APaintMode*/) {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (painter && canvas) painter->DrawApplicationMenuButton(*DrawInfo(), canvas->DeviceContext(), R);
}
