#include "ui/bars/BarQuickControl.h"

#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/Timer.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

constexpr unsigned kHidingInterval = 200;

}  // namespace

// ---- the popup ------------------------------------------------------------------------------------

TdxBarQuickControl::TdxBarQuickControl(TComponent* AOwner) : TdxBarControl(AOwner) {
  FHidingTimer = new TcxTimer(nullptr);
  FHidingTimer->SetEnabled(false);
  FHidingTimer->SetInterval(kHidingInterval);
  FHidingTimer->SetOnTimer([this](TObject* Sender) { HidingTimerTick(Sender); });
}

TdxBarQuickControl::~TdxBarQuickControl() {
  delete FHidingTimer;
  FHidingTimer = nullptr;
}

void TdxBarQuickControl::StartHiding() { FHidingTimer->SetEnabled(true); }

void TdxBarQuickControl::HidingTimerTick(TObject*) {
  FHidingTimer->SetEnabled(false);
  TdxBarManager* manager = BarManager();
  TdxBarItemControl* selected = manager ? manager->SelectedItem() : nullptr;
  // The list's menu opened from this popup counts as inside it.
  if (selected && (OwnsItemControl(selected) || (selected->Parent() && IsAncestorOf(selected->Parent())))) return;
  // A tick has no caller to report to: what goes wrong while closing ends here.
  try {
    Dismiss();
  } catch (...) {
  }
}

TCustomForm* TdxBarQuickControl::AnyParentForm() const {
  auto* parent = dynamic_cast<TdxBarControl*>(ParentBar());
  return parent ? parent->AnyParentForm() : TdxBarControl::AnyParentForm();
}

TSize TdxBarQuickControl::PopupSize() {
  // The links' controls come with the window: without them there is nothing to measure.
  if (!HandleAllocated()) HandleNeeded();
  TSize size = CalcSizeForWidth(dsNone, 0);
  if (TdxBarPainter* painter = BarPainter()) {
    TRect insets{};
    painter->CalcBarNonClient(this, dsNone, insets, false);
    size.cx += insets.Left + insets.Right;
    size.cy += insets.Top + insets.Bottom;
  }
  return size;
}

HBRUSH TdxBarQuickControl::BackgroundBrush() const {
  TdxBarPainter* painter = BarPainter();
  return painter ? painter->QuickControlBrush(const_cast<TdxBarQuickControl*>(this)) : TdxBarControl::BackgroundBrush();
}

TWinControl* TdxBarQuickControl::OwnerControl() const { return ParentBar(); }

void TdxBarQuickControl::ShowAsPopup(const TRect& AOwnerRect) {
  TCustomdxBarControl* parent = ParentBar();
  TdxBarPainter* painter = BarPainter();
  const bool floats = parent && parent->DockingStyleIndex() == dsNone && painter && painter->FloatsQuickControl();
  PlacePopup(AOwnerRect, floats ? 1 : 0);
}

void TdxBarQuickControl::Dismiss() {
  TcxObjectLinkScope alive(this);
  ResetParentMark();
  // Opened by hand rather than from the mark, the popup is not the mark's to free: it hides.
  if (alive.Alive()) TdxBarControl::Dismiss();
}

void TdxBarQuickControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      TdxBarControl::WndProc(Message);
      // Neither moved nor sized: the frame is only a border.
      if (Message.Result != HTCLIENT) Message.Result = HTBORDER;
      return;
    case WM_NCPAINT: {
      TdxBarControl::WndProc(Message);
      TdxBarPainter* painter = BarPainter();
      if (!painter || !HandleAllocated()) return;
      const TRect grip = SizeGripBounds();
      const TPoint offset = ClientOffset();
      HDC dc = GetWindowDC(Handle());
      painter->FillSizeGripArea(this, dc, TRect{grip.Left + offset.X, grip.Top + offset.Y, grip.Right + offset.X,
                                                grip.Bottom + offset.Y});
      ReleaseDC(Handle(), dc);
      return;
    }
    case WM_RBUTTONDOWN:
      // No customizing popup inside the list.
      Message.Result = DefWindowProc(Handle(), Message.Msg, Message.WParam, Message.LParam);
      return;
    default: break;
  }
  TdxBarControl::WndProc(Message);
}

// ---- entries --------------------------------------------------------------------------------------

TdxBarItemLink* dxBarQuickCustRepresentedLink(TdxBarItemLink* AEntry) {
  auto* link = AEntry ? dynamic_cast<TdxBarItemLink*>(AEntry->Data()) : nullptr;
  if (!link) return nullptr;
  TdxBarItemLinks* entries = AEntry->Links();
  auto* command = entries ? dynamic_cast<TdxBarQuickAccessItem*>(entries->OwnerObject()) : nullptr;
  TdxBarControl* toolbar = command ? command->Toolbar() : nullptr;
  if (!command)
    if (TdxBarDesignController* controller = BarDesignController())
      toolbar = dynamic_cast<TdxBarControl*>(controller->QuickCustomizedBar());
  // The entry holds a plain pointer: it counts only while the toolbar still has that link.
  TdxBarItemLinks* links = toolbar ? toolbar->ItemLinks() : nullptr;
  return links && links->IndexOf(link) >= 0 ? link : nullptr;
}

void TdxBarQuickCustItem::Click() {
  TdxBarItemLink* entry = ClickedLink();
  TdxBarItemLink* represented = dxBarQuickCustRepresentedLink(entry);
  TcxObjectLinkScope representedAlive(represented);
  TdxBarButton::Click();
  if (represented && representedAlive.Alive()) represented->SetVisible(!represented->Visible());
}

void TdxCustomQuickCustItemControl::DrawContent(const TRect& R, TdxBarPaintMode APaintMode) {
  TdxBarPainter* painter = ControlPainter();
  TcxCanvas* canvas = CurrentCanvas();
  if (!painter || !canvas) return;
  const HDC dc = canvas->DeviceContext();
  TdxBarButtonLikeControlDrawParams& p = ButtonDrawInfo();
  const bool selected = p.IsSelected;
  const int side = R.Bottom - R.Top;
  // Painters that leave a menu glyph's background to the menu's glyph area fill the cell there.
  if (APaintMode == pmMenu) painter->DrawMenuGlyphArea(p, dc, TRect{R.Left, R.Top, R.Left + side, R.Bottom});
  const TRect cell = painter->CheckCellBounds(p, dc, R, selected);
  painter->PaintButtonItem(p, dc, TRect{R.Left + side, R.Top, R.Right, R.Bottom});
  painter->DrawGlyphImage(p, dc, cell, cell, APaintMode, true, selected, false, false, false, false, false,
                          IsLinkShown(), false);
  painter->DrawCheckCellFrame(p, dc, cell, R, selected);
}

int TdxCustomQuickCustItemControl::RawWidth() { return TdxBarButtonControl::RawWidth() + RawHeight(); }

bool TdxBarQuickCustItemControl::IsLinkShown() const {
  TdxBarItemLink* link = Represented();
  return link && link->Visible();
}

void TdxBarQuickCustItemControl::Click(bool AByMouse) {
  TcxObjectLinkScope alive(this);
  TdxCustomQuickCustItemControl::Click(AByMouse);
  if (alive.Alive()) Invalidate();
}

String TdxBarQuickCustItemControl::CaptionText() const {
  TdxBarItemLink* link = Represented();
  return link ? link->Caption() : String();
}

TBitmap* TdxBarQuickCustItemControl::LinkGlyph() const {
  TdxBarItemLink* link = Represented();
  return link ? link->Glyph() : nullptr;
}

int TdxBarQuickCustItemControl::ItemImageIndex() const {
  TdxBarItemLink* link = Represented();
  return link && link->Item() ? link->Item()->ImageIndex() : -1;
}

TBitmap* TdxBarQuickCustItemControl::ItemLargeGlyph() const {
  TdxBarItemLink* link = Represented();
  return link && link->Item() ? link->Item()->LargeGlyph() : nullptr;
}

int TdxBarQuickCustItemControl::ItemLargeImageIndex() const {
  TdxBarItemLink* link = Represented();
  return link && link->Item() ? link->Item()->LargeImageIndex() : -1;
}

String TdxBarQuickCustItemControl::HintText() const {
  TdxBarItemLink* link = Represented();
  return link && link->Item() ? link->Item()->Hint() : String();
}

TShortCut TdxBarQuickCustItemControl::ItemShortCut() const {
  TdxBarItemLink* link = Represented();
  return link && link->Item() ? link->Item()->ShortCut() : 0;
}

int TdxBarQuickCustExtButtonControl::ArrowAreaWidth() const {
  return TdxCustomQuickCustItemControl::ArrowAreaWidth() + const_cast<TdxBarQuickCustExtButtonControl*>(this)->RawHeight();
}

// ---- the add-or-remove command ----------------------------------------------------------------------

TdxBarQuickAccessItem::TdxBarQuickAccessItem(TComponent* AOwner) : TdxBarSubItem(AOwner) { ItemLinks()->SetInternal(true); }

TdxBarQuickAccessItem::~TdxBarQuickAccessItem() { FreeObjectLinkAndNil(FToolbar); }

TdxBarControl* TdxBarQuickAccessItem::Toolbar() const { return static_cast<TdxBarControl*>(LinkedObjectOf(FToolbar)); }

void TdxBarQuickAccessItem::SetToolbar(TdxBarControl* Value) {
  FreeObjectLinkAndNil(FToolbar);
  if (Value) FToolbar = CreateObjectLink(Value);
}

TCustomdxBarControl* TdxBarQuickAccessItem::CreateSubMenuControl() {
  TdxBarItemLink* link = ActiveLink();
  return new TdxBarQuickAccessSubControl(link ? link->BarManager() : BarManager());
}

void TdxBarQuickAccessItem::NotifyPopup() {
  TdxBarItemLinks* links = ItemLinks();
  links->Clear();
  if (TdxBarControl* toolbar = Toolbar()) toolbar->FillQuickCustomizeList(links);
  TdxBarSubItem::NotifyPopup();
}
