// The menu window: its window and frame, placement, showing, the vertical layout with scrolling
// arrows, painting, rebuilding while shown and closing. Personalised menus, the tear-off caption
// and the menu's own keys and mouse presses grow on the hooks left here.
#include "ui/bars/BarSubMenuControl.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

TdxBarMenuAnimator dxBarMenuAnimator;

std::function<int(int)> dxBarMenuRandom = [](int ABound) {
  static std::mt19937 generator{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, std::max(0, ABound - 1))(generator);
};

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr int kLightening = 20;

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }
bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TPoint CursorInClient(HWND Window) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(Window, &p);
  return {p.x, p.y};
}

// The animation kind of one showing: maRandom picks unfold, slide or fade by a number below 100.
TdxBarMenuAnimations ResolvedAnimationKind(TdxBarMenuAnimations AKind) {
  if (AKind != maRandom) return AKind;
  const int n = dxBarMenuRandom ? dxBarMenuRandom(100) : 0;
  return n < 33 ? maUnfold : n < 66 ? maSlide : maFade;
}

}  // namespace

// ---- construction and destruction ----

TdxBarSubMenuControl::TdxBarSubMenuControl(TComponent* AOwner) : TCustomdxBarControl(AOwner) { SetWidth(0); }

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
  TdxBarManager* manager = BarManager();
  if (manager && manager->ChangedSubMenuControl() == this) manager->SetChangedSubMenuControl(nullptr);
  TcxObjectLinkScope alive(this);
  if (Active()) SetActiveState(false);
  StopAnimation(false);
  // The window goes here, while this class still answers for its destruction.
  if (HandleAllocated()) DestroyHandle();
  FreeLightBrush();
}

// ---- the window ----

void TdxBarSubMenuControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  // A tool window as well: the desktop treats it as a menu (no task-bar button, no frame of its own).
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  if (FParentWindow) {
    Params.WndParent = FParentWindow;
    return;
  }
  TdxBarManager* manager = BarManager();
  if (auto* form = manager ? dynamic_cast<TWinControl*>(manager->Owner()) : nullptr; form && form->HandleAllocated())
    Params.WndParent = form->Handle();
}

void TdxBarSubMenuControl::MakeLightBrush() {
  FreeLightBrush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = RGB(std::min(255, GetRValue(face) + kLightening), std::min(255, GetGValue(face) + kLightening),
                             std::min(255, GetBValue(face) + kLightening));
  TdxBarManager* manager = BarManager();
  const bool personalised = manager && manager->MenusShowRecentItemsFirst() && !manager->IsDesigning();
  if (personalised && ScreenColorDepth <= 8) {
    LOGPALETTE palette{};
    palette.palVersion = 0x300;
    palette.palNumEntries = 1;
    palette.palPalEntry[0] = {GetRValue(light), GetGValue(light), GetBValue(light), 0};
    FLightPalette = CreatePalette(&palette);
    FLightBrush = CreateSolidBrush(PALETTEINDEX(0));
  } else {
    FLightBrush = CreateSolidBrush(light);
  }
}

void TdxBarSubMenuControl::FreeLightBrush() {
  DeleteAndClearObject(reinterpret_cast<HGDIOBJ&>(FLightBrush));
  DeleteAndClearObject(reinterpret_cast<HGDIOBJ&>(FLightPalette));
}

void TdxBarSubMenuControl::CreateWnd() {
  MakeLightBrush();
  TCustomdxBarControl::CreateWnd();
}

void TdxBarSubMenuControl::CreateHandle() {
  TCustomdxBarControl::CreateHandle();
  // The controls stand now: the menu can measure itself.
  AfterWindowCreated();
}

void TdxBarSubMenuControl::AfterWindowCreated() {
  FOnShowLeft = Left();
  FOnShowTop = Top();
  TcxObjectLinkScope alive(this);
  SetActiveState(true);
  if (!alive.Alive()) return;
  InitRecentItems();
  FTopIndex = -1;
  SetTopIndex(0);
  bool flippedH = false, flippedV = false;
  PlaceMenu({0, 0}, flippedH, flippedV);
  FOpensLeftward = flippedH;
  FOpensUpward = flippedV;
  CalcLayout();
  if (FShowAnimation && dxBarMenuAnimator.Start) FAnimationThread = dxBarMenuAnimator.Start(this);
  PlayBarSound(0);
}

// ---- metrics and frame ----

int TdxBarSubMenuControl::TextSize() const {
  TdxBarPainter* painter = BarPainter();
  if (!painter) return 19;
  return painter->ComboEditHeight(const_cast<TdxBarSubMenuControl*>(this)->DrawCanvas()->DeviceContext());
}

int TdxBarSubMenuControl::DropDownOffset() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->MenuBorderSize() : 0;
}

void TdxBarSubMenuControl::CalcMetrics() {
  TCustomdxBarControl::CalcMetrics();
  TdxBarPainter* painter = BarPainter();
  if (!painter) return;
  HDC dc = DrawCanvas()->DeviceContext();
  HFONT font = FontHandle();
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  const TdxBarMenuMarks marks = painter->CalcMenuMarks(dc, FTextSize);
  if (previous) SelectObject(dc, previous);
  FMarkSize = marks.MarkHeight;
  FMenuArrowWidth = marks.ArrowWidth;
}

TRect TdxBarSubMenuControl::FrameInsets(bool AWithCaption) const {
  TdxBarPainter* painter = BarPainter();
  const int b = painter ? painter->MenuOuterBorder() : 1;
  TRect r{b, b, b, b};
  if (AWithCaption && IsDetachable() && painter) r.Top += painter->DetachCaptionHeight(DetachCaptionSize());
  return r;
}

TRect TdxBarSubMenuControl::ContentInsets() const {
  TdxBarPainter* painter = BarPainter();
  TRect r = painter ? painter->MenuBorderInsets(const_cast<TdxBarSubMenuControl*>(this)) : TRect{1, 1, 1, 1};
  r.Left += SideStripWidth();
  return r;
}

int TdxBarSubMenuControl::SideStripWidth() const {
  TdxBarItemLinks* links = ItemLinks();
  IdxBarSubMenuOwner* owner = nullptr;
  if (!links || !links->OwnerObject() || !Supports<IdxBarSubMenuOwner>(links->OwnerObject(), &owner)) return 0;
  return std::max(0, owner->BarSize());
}

TRect TdxBarSubMenuControl::MouseTrackingArea() const {
  const TRect b = BoundsRect();
  const TRect f = FrameInsets(false);
  return {b.Left + f.Left, b.Top + f.Top, b.Right - f.Right, b.Bottom - f.Bottom};
}

void TdxBarSubMenuControl::NCCalcSize(TMessage& Message) {
  const TRect insets = FrameInsets(true);
  RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                           : reinterpret_cast<RECT*>(Message.LParam);
  r->left += insets.Left;
  r->top += insets.Top;
  r->right = std::max(r->left, r->right - insets.Right);
  r->bottom = std::max(r->top, r->bottom - insets.Bottom);
  Message.Result = 0;
}

void TdxBarSubMenuControl::DrawMenuFrame(HDC DC, const TRect& R) {
  if (TdxBarPainter* painter = BarPainter()) {
    TRect r = R;
    painter->DrawMenuBorder(this, DC, r);
  }
}

void TdxBarSubMenuControl::DrawNonClient(HDC DC) { DrawMenuFrame(DC, NonClientRect()); }

// ---- measuring and placement ----

int TdxBarSubMenuControl::ItemHeight(TdxBarItemControl* AControl) const {
  const int base = TCustomdxBarControl::ItemHeight(AControl);
  if (!AControl || AControl->MenuItemSize() != misLarge) return base;
  // Ties go to the even neighbour, as the library's scaling rounds.
  return ShowsDescriptions() ? static_cast<int>(std::nearbyint(base * 2.5)) : base * 2;
}

int TdxBarSubMenuControl::LaidOutItemHeight(TdxBarItemControl* AControl) const {
  return AControl ? AControl->ComputeHeight() : TextSize();
}

TSize TdxBarSubMenuControl::CalcItemsSize() {
  TSize size{0, 0};
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return size;
  for (int i = std::max(0, FTopIndex); i < links->VisibleCount(); ++i) {
    TdxBarItemLink* link = links->VisibleLinks(i);
    TdxBarItemControl* control = link->Control();
    if (control) size.cx = std::max(size.cx, control->ComputeWidth());
    size.cy += SeparatorSizeBefore(link) + LaidOutItemHeight(control);
  }
  return size;
}

TSize TdxBarSubMenuControl::CalcMenuSize() {
  TSize size = CalcContentSize();
  if (size.cx == 0) size.cx = 100;
  if (size.cy <= 2) size.cy += TextSize();
  if (HasMark()) size.cy += FMarkSize;
  const TRect frame = FrameInsets(true), content = ContentInsets();
  size.cx += frame.Left + frame.Right + content.Left + content.Right;
  size.cy += frame.Top + frame.Bottom + content.Top + content.Bottom;
  return size;
}

bool TdxBarSubMenuControl::ChildAdjustsSize(TSize& ASize) {
  ASize = {0, 0};
  return false;
}

void TdxBarSubMenuControl::PlaceMenu(TSize ASize, bool& AFlippedHorizontally, bool& AFlippedVertically) {
  AFlippedHorizontally = AFlippedVertically = false;
  TRect dictated{};
  if (TCustomdxBarControl* parent = ParentBar(); parent && parent->ChildMenuBounds(dictated)) {
    SetBounds(dictated.Left, dictated.Top, dictated.Right - dictated.Left, dictated.Bottom - dictated.Top);
  } else {
    const bool measured = ASize.cx == 0 && ASize.cy == 0;
    if (measured) UpdateRecentFlags();
    const TSize size = measured ? CalcMenuSize() : ASize;
    const TRect work = WorkAreaAt(POINT{Left(), Top()});
    const TdxBarMenuPlacement p =
        dxBarPlaceMenu(work, {Left(), Top()}, size, FOwnerWidth, FOwnerHeight, FitsWidthToScreen());
    SetBounds(p.Left, p.Top, p.Width, p.Height);
    AFlippedHorizontally = p.FlippedHorizontally;
    AFlippedVertically = p.FlippedVertically;
  }
  TSize wanted{};
  if (FLockSizeChange || !ChildAdjustsSize(wanted)) return;
  FLockSizeChange = true;
  bool againH = false, againV = false;
  try {
    PlaceMenu(wanted, againH, againV);
  } catch (...) {
    FLockSizeChange = false;
    throw;
  }
  FLockSizeChange = false;
  AFlippedHorizontally = AFlippedHorizontally != againH;
  AFlippedVertically = AFlippedVertically != againV;
}

// ---- showing ----

void TdxBarSubMenuControl::PopupMenuWindow() {
  SetClosedByEscape(false);
  TcxObjectLinkScope alive(this);
  if (OnPopup) OnPopup(this);
  if (!alive.Alive()) return;
  TCustomdxBarControl* root = RootToolbar(this);
  TdxBarManager* manager = root ? root->BarManager() : BarManager();
  const bool customizing = InCustomizingMode();
  // A menu shown while customizing never animates, fading included.
  FMenuAnimationKind =
      manager && !customizing && !NeverAnimates() ? ResolvedAnimationKind(manager->MenuAnimations()) : maNone;
  const bool hasLinks = ItemLinks() && ItemLinks()->CanVisibleCount() > 0;
  FShowAnimation = FShowAnimation && FMenuAnimationKind != maNone && FMenuAnimationKind != maFade && hasLinks &&
                   !customizing && dxBarMenuAnimator.Start != nullptr;
  ShowMenuWindow();
}

void TdxBarSubMenuControl::ShowMenuWindow() {
  TcxObjectLinkScope alive(this);
  HandleNeeded();
  if (!alive.Alive() || !HandleAllocated()) return;
  if (FMenuAnimationKind == maFade && AnimateWindowProc && !IsWindows95) {
    ProcessPendingPaints();
    if (!alive.Alive() || !HandleAllocated()) return;
    AnimateWindowProc(Handle(), 150, AW_BLEND);
    return;
  }
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowAnimation ? 0 : SWP_SHOWWINDOW));
  ProcessPendingPaints();
}

bool TdxBarSubMenuControl::ShowsShadow() const { return !FShowAnimation && TCustomdxBarControl::ShowsShadow(); }

TdxBarMenuAnimationParams TdxBarSubMenuControl::AnimationParams() {
  TdxBarMenuAnimationParams p;
  p.Menu = this;
  p.Kind = static_cast<std::uint8_t>(FMenuAnimationKind);
  p.FromRight = FOpensLeftward;
  p.FromBottom = FOpensUpward;
  RECT window{}, client{};
  if (HandleAllocated()) {
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
  }
  p.FinalLeft = window.left;
  p.FinalTop = window.top;
  p.FinalClientWidth = client.right;
  p.FinalClientHeight = client.bottom;
  p.BorderWidth = (window.right - window.left) - client.right;
  p.BorderHeight = (window.bottom - window.top) - client.bottom;
  dxBarFillMenuAnimationTable(p);
  return p;
}

void TdxBarSubMenuControl::StopAnimation(bool AFinish) {
  TObject* animation = FAnimationThread;
  if (!animation) return;
  FAnimationThread = nullptr;
  if (dxBarMenuAnimator.Stop) dxBarMenuAnimator.Stop(animation, AFinish);
}

// ---- layout and scrolling ----

void TdxBarSubMenuControl::CalcItemsRect() {
  TRect r = ClientRect();
  const TRect insets = ContentInsets();
  r = {r.Left + insets.Left, r.Top + insets.Top, r.Right - insets.Right, r.Bottom - insets.Bottom - MarkAreaSize()};
  SetItemsRect(r);
}

void TdxBarSubMenuControl::CalcLayout() {
  CalcItemsRect();
  CalcItemRects(1, FTopIndex);
  CalcViewInfo();
}

TRect TdxBarSubMenuControl::ScrollButtonBounds(bool ATop) const {
  TdxBarPainter* painter = BarPainter();
  if (!painter) return {};
  return painter->MenuScrollButtonBounds(const_cast<TdxBarSubMenuControl*>(this), ItemsRect(), ATop);
}

bool TdxBarSubMenuControl::ClipsLastItem(const TRect& R) const { return R.Top < ScrollButtonBounds(false).Top; }

int TdxBarSubMenuControl::LaidOutCount() const {
  TdxBarItemLinks* links = ItemLinks();
  int count = 0;
  for (int i = std::max(0, FTopIndex); links && i < links->VisibleCount() && !IsEmpty(links->VisibleLinks(i)->ItemRect()); ++i)
    ++count;
  return count;
}

bool TdxBarSubMenuControl::CanScrollDown() const {
  TdxBarItemLinks* links = ItemLinks();
  if (!links || links->VisibleCount() == 0) return false;
  if (LaidOutCount() < links->VisibleCount() - FTopIndex) return true;
  const int last = links->VisibleCount() - 1;
  return FTopIndex < last && links->VisibleLinks(last)->ItemRect().Bottom > ItemsRect().Bottom;
}

int TdxBarSubMenuControl::LastDrawnIndex() const {
  return FTopIndex + std::max(LaidOutCount(), 1) - 1 - (CanScrollDown() ? 1 : 0);
}

void TdxBarSubMenuControl::SetTopIndex(int Value) {
  Value = std::max(0, Value);
  if (Value == FTopIndex) return;
  FTopIndex = Value;
  if (HandleAllocated()) {
    RECT r = ItemsRect();
    InvalidateRect(Handle(), &r, FALSE);
  }
}

int TdxBarSubMenuControl::SeparatorSizeBefore(TdxBarItemLink* ALink) const {
  TdxBarItemLinks* links = ItemLinks();
  const int index = links && ALink ? links->IndexInVisible(ALink) : -1;
  // The first link shown, and the one under the upper arrow, start no group on the screen.
  const int separator =
      index == FTopIndex || (CanScrollUp() && index == FTopIndex + 1) ? 0 : TCustomdxBarControl::SeparatorSizeBefore(ALink);
  TdxBarPainter* painter = BarPainter();
  TdxBarItemControl* control = ALink ? ALink->Control() : nullptr;
  // Some painters draw a line where the recent state changes: it takes a pixel.
  return separator + (painter && painter->ShiftsRecentGroup() && control && control->StartsRecentGroup() ? 1 : 0);
}

int TdxBarSubMenuControl::SeparatorSize() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->MenuSeparatorHeight() : 0;
}

void TdxBarSubMenuControlViewInfo::Calculate() {
  Clear();
  auto* menu = static_cast<TdxBarSubMenuControl*>(BarControl());
  TdxBarItemLinks* links = menu->ItemLinks();
  TdxBarPainter* painter = menu->BarPainter();
  if (!links) return;
  const int top = menu->TopIndex();
  const int last = std::min(menu->LastDrawnIndex(), links->VisibleCount() - 1);
  for (int i = menu->FirstDrawnIndex(); i <= last; ++i) {
    TdxBarItemLink* link = links->VisibleLinks(i);
    TdxBarItemControl* control = link->Control();
    if (!control || IsEmpty(link->ItemRect())) continue;
    AddItemControl(control);
    const bool underUpperArrow = menu->CanScrollUp() && i == top + 1;
    if (painter && link->BeginGroup() && i > top && !underUpperArrow)
      AddSeparator(painter->MenuSeparatorBounds(menu, link->ItemRect(), false), false, control);
  }
}

bool TdxBarSubMenuControl::HandleScrollArrows(const TPoint& P) {
  const bool overUp = CanScrollUp() && Contains(ScrollButtonBounds(true), P);
  const bool overDown = CanScrollDown() && Contains(ScrollButtonBounds(false), P);
  if (!overUp && !overDown) return false;
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool moved = cursor.x != LastMousePos().X || cursor.y != LastMousePos().Y;
  if (moved && FScrollTimer == 0) {
    TcxObjectLinkScope alive(this);
    TdxBarManager* manager = BarManager();
    if (manager && manager->SelectedItem() && manager->SelectedItem() == SelectedControl()) manager->SetSelectedItem(nullptr);
    SelectControlByKeyboard(nullptr);
    if (!alive.Alive() || !HandleAllocated()) return true;
    FScrollTimer = SetTimer(Handle(), kScrollTimer, static_cast<UINT>(ScrollInterval()), nullptr);
  }
  return true;
}

void TdxBarSubMenuControl::StopScrolling(bool AResendMouse) {
  if (HandleAllocated()) KillTimerSafe(Handle(), FScrollTimer);
  FScrollTimer = 0;
  if (!AResendMouse || !HandleAllocated()) return;
  SetLastMousePos({-1, -1});
  const TPoint p = CursorInClient(Handle());
  TdxBarManager* manager = BarManager();
  TdxBarDragInfo* drag = manager ? manager->DragInfo() : nullptr;
  if (drag && drag->Running()) {
    if (auto* form = dynamic_cast<TWinControl*>(manager->Owner()); form && form->HandleAllocated()) {
      POINT s{p.X, p.Y};
      MapWindowPoints(Handle(), form->Handle(), &s, 1);
      PostMessage(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(s.x, s.y));
    }
    return;
  }
  SendMessage(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
}

void TdxBarSubMenuControl::ScrollTimerTick() {
  if (!HandleAllocated()) return;
  CalcLayout();
  const TPoint p = CursorInClient(Handle());
  // A tick scrolls only while the menu can still scroll that way; at the end scrolling stops.
  if (CanScrollUp() && Contains(ScrollButtonBounds(true), p)) {
    SetTopIndex(FTopIndex - 1);
    CalcLayout();
  } else if (CanScrollDown() && Contains(ScrollButtonBounds(false), p)) {
    SetTopIndex(FTopIndex + 1);
    CalcLayout();
  } else {
    StopScrolling(true);
  }
}

void TdxBarSubMenuControl::MakeControlVisible(TdxBarItemControl* AControl) {
  TdxBarItemLinks* links = ItemLinks();
  if (!AControl || !links || !HandleAllocated()) return;
  const int index = links->IndexInVisible(AControl->ItemLink());
  if (index < 0) return;
  CalcLayout();
  const int start = FTopIndex;
  auto rect = [&] { return AControl->ItemLink()->ItemRect(); };
  // One step at a time: each step lays the menu out again, so the arrows' cover is what it is then.
  for (int guard = links->VisibleCount(); guard > 0 && CanScrollUp() && (index < FirstDrawnIndex() || rect().Top < ItemsRect().Top);
       --guard) {
    --FTopIndex;
    CalcLayout();
  }
  for (int guard = links->VisibleCount();
       guard > 0 && CanScrollDown() && (index > LastDrawnIndex() || rect().Bottom > ItemsRect().Bottom); --guard) {
    ++FTopIndex;
    CalcLayout();
  }
  if (FTopIndex != start) {
    RECT r = ItemsRect();
    InvalidateRect(Handle(), &r, FALSE);
  }
}

bool TdxBarSubMenuControl::DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                          bool& AOnSeparator) const {
  const bool overArrow = (CanScrollUp() && Contains(ScrollButtonBounds(true), P)) ||
                         (CanScrollDown() && Contains(ScrollButtonBounds(false), P));
  if (overArrow || (HasMark() && Contains(MarkRect(), P))) {
    ALink = nullptr;
    AVertical = true;
    ABefore = AOnSeparator = false;
    return false;
  }
  return TCustomdxBarControl::DropPositionAt(P, ALink, AVertical, ABefore, AOnSeparator);
}

void TdxBarSubMenuControl::DragMouseMoved(int X, int Y, bool& AAllowDrop) {
  if (!HandleAllocated()) return;
  SendMessage(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
  if (FScrollTimer) AAllowDrop = false;
}

// ---- the mouse ----

void TdxBarSubMenuControl::HandleItemMouseMove(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl) {
  TcxObjectLinkScope alive(this);
  const bool ignored = ShouldIgnoreMouse(true);
  if (ignored && FAnimationThread) return;
  if (!ignored) {
    StopAnimation(true);
    if (!alive.Alive() || IsDestroying()) return;
  }
  TCustomdxBarControl* parent = ParentBar();
  TdxBarItemControl* owner = OwnerItemControl();
  // The item that opened the menu stays selected in the bar it stands on.
  if (CursorOverWindow() && parent && owner && parent->OwnsItemControl(owner)) {
    parent->HotTrackControl(owner);
    if (!alive.Alive()) return;
  }
  SetMarkState(HasMark() && Contains(MarkRect(), P) ? 1 : 0);
  if (!alive.Alive() || !HandleAllocated()) return;
  if (!HandleScrollArrows(P)) {
    if (!alive.Alive()) return;
    if (FScrollTimer) {
      StopScrolling(false);
      for (bool top : {true, false}) {
        RECT r = ScrollButtonBounds(top);
        InvalidateRect(Handle(), &r, FALSE);
      }
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool moved = cursor.x != LastMousePos().X || cursor.y != LastMousePos().Y;
    TCustomdxBarControl::HandleItemMouseMove(Shift, P, AControl);
    if (alive.Alive() && moved && BarHintShown() && !SelectedControl()) HideHint(BarManager());
  }
  if (alive.Alive() && HandleAllocated()) TrackDetachCaption(P);
}

void TdxBarSubMenuControl::HandleMouseLeft() {
  SetDetachCaptionSelected(false);
  if (HandleAllocated() && (CanScrollUp() || CanScrollDown()))
    for (bool top : {true, false}) {
      RECT r = ScrollButtonBounds(top);
      InvalidateRect(Handle(), &r, FALSE);
    }
  TCustomdxBarControl::HandleMouseLeft();
}

bool TdxBarSubMenuControl::AcceptsRightButton() const {
  if (FOwnerWidth == 0 && FOwnerHeight == 0) return true;
  auto* parent = dynamic_cast<TdxBarSubMenuControl*>(ParentBar());
  return parent && parent->AcceptsRightButton();
}

bool TdxBarSubMenuControl::IsOwnerWindow(HWND Window) const {
  TdxBarItemControl* owner = OwnerItemControl();
  TCustomdxBarControl* bar = owner ? owner->Parent() : nullptr;
  return bar && bar->HandleAllocated() && bar->Handle() == Window;
}

// ---- painting ----

void TdxBarSubMenuControl::Paint() {
  if (FAnimationThread || IsDestroying()) return;
  TdxBarPainter* painter = BarPainter();
  if (!painter) return;
  HDC dc = DrawCanvas()->DeviceContext();
  TdxBarClipKeeper keep(dc);
  SelectClipRgn(dc, nullptr);
  TRect client = ClientRect();
  painter->DrawMenuClientBorder(this, dc, client, BackgroundBrush());
  PaintContents();
  const int strip = SideStripWidth();
  if (strip <= 0) return;
  const TRect items = ItemsRect();
  const TRect band{items.Left - strip, items.Top, items.Left, items.Bottom};
  SelectClipRgn(dc, nullptr);
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsDesigning()) {
    TRIVERTEX v[2] = {{band.Left, band.Top, 0, 0, 0, 0}, {band.Right, band.Bottom, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
    return;
  }
  IdxBarSubMenuOwner* owner = nullptr;
  if (Supports<IdxBarSubMenuOwner>(ItemLinks()->OwnerObject(), &owner)) owner->PaintBar(DrawCanvas()->Canvas(), band);
}

void TdxBarSubMenuControl::PaintContents() {
  CalcLayout();
  TdxBarPainter* painter = BarPainter();
  HDC dc = DrawCanvas()->DeviceContext();
  TdxBarItemLinks* links = ItemLinks();
  const TRect items = ItemsRect();
  if (!painter || !((links && links->CanVisibleCount() > 0) || ViewInfo()->Count() > 0)) {
    FillBarBackground(dc, items, true, dxBarNoColor, BackgroundBrush());
    return;
  }
  for (bool top : {true, false}) {
    if (!(top ? CanScrollUp() : CanScrollDown())) continue;
    const TRect r = ScrollButtonBounds(top);
    {
      TdxBarClipKeeper keepArrow(dc);
      painter->DrawMenuScrollButton(this, dc, r, top, 0, true);
    }
    // The arrows cover the links they lie over.
    ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  }
  if (HasMark()) painter->DrawMenuExpandButton(this, dc, MarkRect(), MarkState() == 1);
  int bottom = items.Top;
  if (links) {
    const int last = std::min(LastDrawnIndex(), links->VisibleCount() - 1);
    if (last >= FirstDrawnIndex() && last >= 0) bottom = std::max(bottom, links->VisibleLinks(last)->ItemRect().Bottom);
  }
  if (bottom < items.Bottom) FillBarBackground(dc, {items.Left, bottom, items.Right, items.Bottom}, true, clNone, painter->MenuBrush(this));
  PaintItems();
}

void TdxBarSubMenuControl::PaintItems() {
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->Count(); ++i) info->Items(i)->SetEndsLine(false);
  TCustomdxBarControl::PaintItems();
  if (info->Count() > 0) info->Items(info->Count() - 1)->SetEndsLine(true);
}

HBRUSH TdxBarSubMenuControl::BkBrush() const { return FItemBrush ? FItemBrush : BackgroundBrush(); }

void TdxBarSubMenuControl::DrawItemControl(TdxBarItemControl* AControl, TcxCanvas* ACanvas, const TRect& R) {
  if (IsEmpty(R)) return;
  TdxBarPainter* painter = BarPainter();
  if (!painter) return;
  HDC dc = ACanvas->DeviceContext();
  const bool light = AControl->IsRarelyUsed() && !painter->KeepsRarelyUsedShade() && FLightBrush;
  HPALETTE previousPalette = nullptr;
  if (light && FLightPalette) {
    previousPalette = SelectPalette(dc, FLightPalette, FALSE);
    RealizePalette(dc);
  }
  const HBRUSH previousBrush = FItemBrush;
  FItemBrush = light ? FLightBrush : painter->MenuItemBrush(this);
  FCurrentBackgroundBrush = FItemBrush;
  auto restore = [&] {
    FItemBrush = previousBrush;
    if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
  };
  try {
    TdxBarItemLink* link = AControl->ItemLink();
    int separator = -1;
    if (ViewInfo()->FindSeparator(AControl, separator) && AControl->DrawParams())
      painter->DrawMenuSeparator(*AControl->DrawParams(), dc, ViewInfo()->SeparatorBounds(separator),
                                 AControl->IsRarelyUsed() && ShadesRarelyUsed());
    const int index = ItemLinks() && link ? ItemLinks()->IndexInVisible(link) : -1;
    painter->DrawMenuItemFrame(this, dc, AControl, R, index == FirstDrawnIndex(), index == LastDrawnIndex(),
                               AControl->StartsRecentGroup(), link && link->BeginGroup(), TRect(ClientRect()));
    TCustomdxBarControl::DrawItemControl(AControl, ACanvas, R);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TdxBarSubMenuControl::InvalidateItemControl(TdxBarItemControl* AControl) {
  if (!HandleAllocated() || !CanPaintItem(AControl)) return;
  TdxBarPainter* painter = BarPainter();
  if (painter && painter->UsesNativeBackground()) {
    const TRect r = ItemRect(AControl, true);
    TBitmap* bitmap = BackgroundTempBitmap();
    bitmap->SetSize(r.Right - r.Left, r.Bottom - r.Top);
    HDC memory = bitmap->Canvas()->Handle();
    POINT previous{};
    SetWindowOrgEx(memory, r.Left, r.Top, &previous);
    TcxCanvas canvas(bitmap->Canvas());
    PaintItemControl(&canvas, AControl);
    SetWindowOrgEx(memory, previous.x, previous.y, nullptr);
    HDC target = GetDC(Handle());
    BitBlt(target, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, memory, 0, 0, SRCCOPY);
    ReleaseDC(Handle(), target);
    return;
  }
  PaintItemControl(DrawCanvas(), AControl);
}

void TdxBarSubMenuControl::FillMenuBackground(HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, HBRUSH ABrush) {
  TdxBarPainter* painter = BarPainter();
  if (!painter) {
    FillPlainBackground(DC, R, AColor, ABrush);
    return;
  }
  const TRect client = ClientRect();
  painter->FillMenuBackground(this, DC, R, AWithOrigin ? client : R, ABrush, AColor);
}

void TdxBarSubMenuControl::FillBarBackground(HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, HBRUSH ABrush) {
  FillMenuBackground(DC, R, AWithOrigin, AColor, ABrush);
}

// ---- what the menu answers ----

// A popup menu's own background picture comes with the popup menus.
TBitmap* TdxBarSubMenuControl::BackgroundBitmap() const {
  if (TdxBarPopupMenu* popup = OwnerPopupMenu(); popup && !popup->BackgroundBitmap()->Empty())
    return popup->BackgroundBitmap();
  TdxBarManager* manager = BarManager();
  return manager ? manager->Backgrounds()->SubMenu() : nullptr;
}

bool TdxBarSubMenuControl::HasOwnBackground() const {
  if (TdxBarPopupMenu* popup = OwnerPopupMenu(); popup && !popup->BackgroundBitmap()->Empty()) return true;
  TdxBarManager* manager = BarManager();
  TBitmap* picture = manager ? manager->Backgrounds()->SubMenu() : nullptr;
  if (picture && !picture->Empty()) return true;
  TdxBarPainter* painter = BarPainter();
  return painter && painter->PaintsOwnFrames();
}

TdxBarPopupMenu* TdxBarSubMenuControl::OwnerPopupMenu() const {
  return ItemLinks() ? dynamic_cast<TdxBarPopupMenu*>(ItemLinks()->OwnerObject()) : nullptr;
}

unsigned TdxBarSubMenuControl::BehaviourFlags() const {
  unsigned flags = TCustomdxBarControl::BehaviourFlags();
  flags &= ~(dxBarBehaviourKeyboardNavigation | 0x200u);
  return flags | dxBarBehaviourSelectOnActivate | dxBarBehaviourStretchClientItems;
}

TFont* TdxBarSubMenuControl::ItemsFont() const {
  if (TCustomdxBarControl* parent = ParentBar(); parent && parent != this) return parent->ItemsFont();
  if (TdxBarPopupMenu* popup = OwnerPopupMenu(); popup && popup->UseOwnFont()) return popup->Font();
  return TCustomdxBarControl::ItemsFont();
}

void TdxBarSubMenuControl::AssignFont() {
  if (TFont* font = ItemsFont()) Font()->Assign(font);
}

bool TdxBarSubMenuControl::InCustomizingMode() const {
  if (IsInternal()) return false;
  return TCustomdxBarControl::InCustomizingMode();
}

bool TdxBarSubMenuControl::IsInternal() const {
  TCustomdxBarControl* parent = ParentBar();
  return parent && parent != this && parent->IsInternal();
}

bool TdxBarSubMenuControl::AllowsDesignHitTest() const {
  if (TCustomdxBarControl::AllowsDesignHitTest() || OwnerPopupMenu()) return true;
  auto* subItem = ItemLinks() ? dynamic_cast<TdxBarSubItem*>(ItemLinks()->OwnerObject()) : nullptr;
  return subItem && subItem->AllowCustomizing();
}

bool TdxBarSubMenuControl::IsUpdateLocked() const {
  const bool locked = TCustomdxBarControl::IsUpdateLocked();
  TdxBarManager* manager = BarManager();
  if (!locked || !manager) return locked;
  // The record climbs to the outermost changed menu, which the manager rebuilds when unlocked.
  TdxBarSubMenuControl* recorded = manager->ChangedSubMenuControl();
  if (!recorded || !IsBarControlAlive(recorded) || IsAncestorOf(recorded))
    manager->SetChangedSubMenuControl(const_cast<TdxBarSubMenuControl*>(this));
  return locked;
}

TPersistent* TdxBarSubMenuControl::DesignSelectable() const {
  if (TCustomdxBarControl* parent = ParentBar())
    if (TdxBarItemLink* link = parent->SelectedLink()) return link;
  return ItemLinks() ? dynamic_cast<TPersistent*>(ItemLinks()->OwnerObject()) : nullptr;
}

bool TdxBarSubMenuControl::ShadesRarelyUsed() const {
  TdxBarPainter* painter = BarPainter();
  return painter && !painter->KeepsRarelyUsedShade();
}

bool TdxBarSubMenuControl::ShowsDescriptions() const { return ItemLinks() && ItemLinks()->ItemOptions()->ShowDescriptions(); }

void TdxBarSubMenuControl::ReturnFocus() {
  if (FParentWindow) {
    win::SetFocus(FParentWindow);
    return;
  }
  TCustomdxBarControl::ReturnFocus();
}

void TdxBarSubMenuControl::CustomizingPopupDone(int AResult) {
  if (TCustomdxBarControl* parent = ParentBar()) parent->CustomizingPopupDone(AResult);
}

void TdxBarSubMenuControl::ShowCustomizingPopup(TdxBarItemControl* AControl) {
  TdxBarItemLink* link = AControl ? AControl->ItemLink() : nullptr;
  if (InCustomizingMode() || !link) {
    TCustomdxBarControl* parent = ParentBar();
    if ((ItemLinks() && ItemLinks()->Count() > 0) || !parent)
      TCustomdxBarControl::ShowCustomizingPopup(AControl);
    else
      parent->ShowCustomizingPopup(parent->SelectedControl());
    return;
  }
  // Outside customizing the popup holds what the application adds for the link.
  TdxBarDesignController* controller = BarDesignController();
  TdxBarManager* manager = BarManager();
  if (!controller || !manager) return;
  TcxObjectLinkScope alive(this);
  const bool shown = controller->ShowCustomizingPopup(manager, BarPainter(), link, this, [manager](TdxBarItemLinks* ALinks) {
    manager->DoShowCustomizingPopup(ALinks);
    if (TdxBarDesignController* c = BarDesignController(); c && c->CustomizingPopup()) c->CustomizingPopup()->ManagerFilled = true;
  });
  if (alive.Alive()) CustomizingPopupDone(shown ? 1 : 0);
}

// ---- rebuilding while shown ----

void TdxBarSubMenuControl::Rebuild(bool ARecreate) {
  const bool wasVisible = HandleAllocated() && IsWindowVisible(Handle());
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::Rebuild(ARecreate);
  if (!alive.Alive() || !HandleAllocated()) return;
  InitRecentItems();
  if (Left() != FOnShowLeft || Top() != FOnShowTop) {
    ShowWindow(Handle(), SW_HIDE);
    SetBounds(FOnShowLeft, FOnShowTop, Width(), Height());
  }
  bool flippedH = false, flippedV = false;
  PlaceMenu({0, 0}, flippedH, flippedV);
  CalcLayout();
  // Links gone at the end leave room below: the view comes back until it fills the menu.
  if (CanScrollUp() && !CanScrollDown()) {
    while (FTopIndex > 0 && !CanScrollDown()) {
      --FTopIndex;
      CalcLayout();
    }
    if (CanScrollDown()) {
      ++FTopIndex;
      CalcLayout();
    }
  }
  if (wasVisible) {
    PopupMenuWindow();
    if (!alive.Alive() || !HandleAllocated()) return;
  }
  CalcLayout();
  Invalidate();
}

// ---- closing ----

void TdxBarSubMenuControl::DoCloseUp() {
  if (ParentBar()) {
    TCustomdxBarControl::DoCloseUp();
    return;
  }
  SetChildBar(nullptr);
  Dismiss();
  ProcessPendingPaints();
}

void TdxBarSubMenuControl::Dismiss() {
  if (IsDestroying()) return;
  FState |= dxBarClosingUp;
  if (HandleAllocated()) DestroyHandle();
  TObject::Free(this);
}

bool TdxBarSubMenuControl::KeepsWindowForDrag() const {
  TdxBarManager* manager = BarManager();
  TdxBarDragInfo* drag = manager ? manager->DragInfo() : nullptr;
  if (!drag || !drag->Running() || drag->LinkParentWindow() || !ItemLinks()) return false;
  TdxBarItemLink* dragged = drag->DraggedLink();
  return dragged && dragged->Links() == ItemLinks();
}

void TdxBarSubMenuControl::KeepWindowForDrag() {
  TdxBarDragInfo* drag = BarManager()->DragInfo();
  drag->SetLinkParentWindow(Handle());
  TMessage destroy{WM_DESTROY, 0, 0, 0};
  WndProc(destroy);
  HWND kept = DetachHandle();
  ShowWindow(kept, SW_HIDE);
  DestroyControls();
}

void TdxBarSubMenuControl::DestroyWnd() {
  if (FState & dxBarMenuDestroyingWindow) return;
  const bool had = HandleAllocated();
  FState |= dxBarMenuDestroyingWindow;
  TcxObjectLinkScope alive(this);
  try {
    DestroyMenuWindow();
  } catch (...) {
    if (alive.Alive()) FState &= ~dxBarMenuDestroyingWindow;
    throw;
  }
  if (!alive.Alive()) return;
  FState &= ~dxBarMenuDestroyingWindow;
  // An expansion makes the window anew: the menu has not closed.
  if (had && !FExpandingMenu) CloseUpNotification();
  if (alive.Alive()) FreeLightBrush();
}

void TdxBarSubMenuControl::DestroyMenuWindow() {
  StopAnimation(false);
  if (HandleAllocated()) {
    KillTimerSafe(Handle(), FScrollTimer);
    KillTimerSafe(Handle(), FExpandTimer);
  }
  FScrollTimer = FExpandTimer = 0;
  TcxObjectLinkScope alive(this);
  if (TCustomdxBarControl* child = ChildBar(); child && child->HandleAllocated()) child->DestroyHandle();
  if (!alive.Alive()) return;
  if (!FExpandingMenu) SetActiveState(false);
  if (!alive.Alive() || !HandleAllocated()) return;
  if (KeepsWindowForDrag()) {
    KeepWindowForDrag();
    return;
  }
  TCustomdxBarControl::DestroyWnd();
}

void TdxBarSubMenuControl::CloseUpNotification() {
  if (OnCloseUp) OnCloseUp(this);
}

// ---- the window procedure ----

void TdxBarSubMenuControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE:
      NCCalcSize(Message);
      return;
    case WM_NCHITTEST:
      if (DetachCaptionHitTest(Message)) return;
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case WM_TIMER:
      if (Message.WParam == kScrollTimer && FScrollTimer) {
        ScrollTimerTick();
        return;
      }
      if (FExpandTimer && Message.WParam == FExpandTimer) {
        ExpandTimerFired(Message.WParam);
        return;
      }
      break;
    case WM_KEYDOWN:
      WMKeyDown(Message);
      return;
    case WM_LBUTTONDOWN:
      WMLButtonDown(Message);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
      TcxObjectLinkScope alive(this);
      TCustomdxBarControl::WndProc(Message);
      // A menu opened at a point takes the right button as the left one.
      if (alive.Alive() && HandleAllocated() && AcceptsRightButton())
        SendMessage(Handle(), Message.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, Message.WParam,
                    Message.LParam);
      return;
    }
    case WM_PRINT: {
      auto dc = reinterpret_cast<HDC>(Message.WParam);
      DrawNonClient(dc);
      const TPoint offset = ClientOffset();
      const int saved = SaveDC(dc);
      OffsetViewportOrgEx(dc, offset.X, offset.Y, nullptr);
      TMessage paint{WM_PRINTCLIENT, Message.WParam, 0, 0};
      TCustomdxBarControl::WndProc(paint);
      RestoreDC(dc, saved);
      Message.Result = 0;
      return;
    }
    case WM_SIZE:
      TCustomdxBarControl::WndProc(Message);
      if (HandleAllocated() && !IsDestroying()) CalcLayout();
      return;
    case CM_FONTCHANGED:
      TCustomdxBarControl::WndProc(Message);
      UpdateCanvasFont();
      if (HandleAllocated()) CalcMetrics();
      return;
    default: break;
  }
  TCustomdxBarControl::WndProc(Message);
}

// ---- internal menus ----

TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {
  auto* links = new TdxBarSubMenuControlItemLinks(BarManager(), this);
  links->SetInternal(true);
  SetItemLinks(links);
}

TdxBarInternalSubMenuControl::~TdxBarInternalSubMenuControl() {
  TdxBarItemLinks* links = ItemLinks();
  // The window and its controls go before the links they show.
  if (HandleAllocated()) DestroyHandle();
  SetItemLinks(nullptr);
  delete links;
}

void TdxBarCustomizingPopup::PopupMenuWindow() {
  TcxObjectLinkScope alive(this);
  if (TdxBarManager* manager = BarManager(); manager && !ManagerFilled) manager->DoShowCustomizingPopup(ItemLinks());
  if (alive.Alive()) TdxBarSubMenuControl::PopupMenuWindow();
}
