// The dock site as a window: construction, colours and borders, the background, its messages and
// its life with the manager; the stand-alone site a form places where it likes.
#include "ui/bars/BarDockControl.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/classes/Messages.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Messages.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/Accessibility.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

// Raises the manager's update lock for a scope.
class TManagerUpdate {
 public:
  explicit TManagerUpdate(TdxBarManager* AManager) : FManager(AManager) {
    if (FManager) FManager->BeginUpdate();
  }
  ~TManagerUpdate() {
    if (FManager) FManager->EndUpdate();
  }
  TManagerUpdate(const TManagerUpdate&) = delete;
  TManagerUpdate& operator=(const TManagerUpdate&) = delete;

 private:
  TdxBarManager* FManager;
};

// The window, or a window it lies in, is a pop-up.
bool LiesInPopupWindow(HWND AWindow) {
  for (HWND window = AWindow; window; window = GetParent(window))
    if (GetWindowLong(window, GWL_STYLE) & WS_POPUP) return true;
  return false;
}

}  // namespace

// ---- construction -------------------------------------------------------------------------------

TdxDockControl::TdxDockControl(TComponent* AOwner) : TCustomControl(AOwner), FBackgroundBitmap(new TBitmap) {
  SetParentColor(true);
  FBackgroundBitmap->OnChange = [this](TObject* Sender) { BackgroundChanged(Sender); };
}

TdxDockControl::TdxDockControl(TdxBarManager* ABarManager, TdxBarDockingStyle AStyle) : TdxDockControl(nullptr) {
  static const TAlign kAligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  SetAlign(kAligns[AStyle]);
  TControlStyle style = ControlStyle();
  style.Include(csDoubleClicks);
  style.Include(csNoDesignVisible);
  if (AStyle == dsTop) style.Include(csActionClient);
  SetControlStyle(style);
  FBuiltInStyle = AStyle;
  SetBarManager(ABarManager);
}

TdxDockControl::~TdxDockControl() {
  DetachAccessibilityHelper(FAccessibilityHelper);
  // The manager holds sites whose redrawing it stopped through links.
  InvalidateObjectLinks(this);
  SetBarManager(nullptr);
  while (!FRows.empty()) DeleteRow(LiveRowCount() - 1);
  delete FBackgroundCache;
  delete FBackgroundBitmap;
}

void TdxDockControl::SetBarManager(TdxBarManager* Value) {
  if (FBarManager == Value) return;
  if (FBarManager) FBarManager->RemoveDockControl(this);
  FBarManager = Value;
  if (FBarManager) FBarManager->AddDockControl(this);
  BarManagerChanged();
}

// ---- style --------------------------------------------------------------------------------------

TdxBarDockingStyle TdxDockControl::DockSiteStyle() const {
  switch (Align()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

bool TdxDockControl::IsHorizontal() const {
  const TdxBarDockingStyle style = DockSiteStyle();
  return style == dsTop || style == dsBottom;
}

bool TdxDockControl::IsLeadingEdge() const {
  const TdxBarDockingStyle style = DockSiteStyle();
  return style == dsLeft || style == dsTop;
}

// ---- the virtual operations ---------------------------------------------------------------------

void TdxDockControl::BarManagerChanged() { ResetBackgroundCache(); }

bool TdxDockControl::AcceptsBar(TdxBar*) { return FAllowDocking; }

void TdxDockControl::ApplyManagerColor() {
  if (!FBarManager || FBarManager->AutoDockColor())
    SetParentColor(true);
  else
    SetColor(FBarManager->DockColor());
}

bool TdxDockControl::SunkenBorder() const { return FBarManager && FBarManager->SunkenBorder(); }

void TdxDockControl::ShowToolbarsPopup() {
  if (TdxBarDesignController* design = BarDesignController(); design && FBarManager)
    design->ShowToolbarsPopup(FBarManager, Painter());
}

TClass TdxDockControl::BarControlClass() const { return TdxBarControl::StaticClass(); }

TdxBarPainter* TdxDockControl::Painter() const { return FBarManager ? FBarManager->Painter() : nullptr; }

void TdxDockControl::FillBackground(HDC DC, const TRect& R, TColor AColor, HBRUSH ABrush) {
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  RECT origin{0, 0, ClientWidth(), ClientHeight()};
  TBitmap* picture = FBarManager ? FBarManager->Backgrounds()->Bar() : nullptr;
  if (HasOwnBackgroundBitmap()) {
    FillOrTile(DC, r, origin, FBackgroundBitmap->Handle(), AColor, ABrush);
  } else if (picture && !picture->Empty()) {
    FillOrTile(DC, r, origin, picture->Handle(), AColor, ABrush);
  } else if (FBarManager) {
    if (TdxBarPainter* painter = Painter(); painter && !IsRectEmpty(&origin))
      painter->FillDockBackground(this, DC, R, TRect(origin), ABrush, AColor);
  } else {
    FillOrTile(DC, r, origin, nullptr, AColor, ABrush);
  }
}

bool TdxDockControl::HasOwnBackgroundBitmap() const { return !FBackgroundBitmap->Empty(); }

bool TdxDockControl::HasBackgroundPicture() const {
  if (HasOwnBackgroundBitmap()) return true;
  if (TdxBarPainter* painter = Painter(); painter && painter->UsesNativeBackground()) return true;
  TBitmap* picture = FBarManager ? FBarManager->Backgrounds()->Bar() : nullptr;
  return picture && !picture->Empty();
}

void TdxDockControl::RefreshBarBackgrounds() {
  for (TdxDockRow* row : FRows)
    for (int i = 0; i < row->ColumnCount(); ++i) {
      TdxBarControl* window = row->Columns(i)->ColumnWindow();
      if (!window->HandleAllocated()) continue;
      SendMessage(window->Handle(), WM_NCPAINT, 0, 0);
      window->Repaint();
    }
}

TBitmap* TdxDockControl::BackgroundCache() {
  if (!FBackgroundCache) FBackgroundCache = new TBitmap;
  return FBackgroundCache;
}

void TdxDockControl::ResetBackgroundCache() {
  if (FBackgroundCache) FBackgroundCache->SetSize(0, 0);
}

void TdxDockControl::UpdateDoubleBuffered() { SetDoubleBuffered(HasBackgroundPicture()); }

void TdxDockControl::BackgroundChanged(TObject*) {
  ResetBackgroundCache();
  UpdateDoubleBuffered();
  RefreshBarBackgrounds();
  if (HandleAllocated()) Invalidate();
}

void TdxDockControl::RefreshFrames() {
  if (!HandleAllocated()) return;
  const UINT flags = SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, flags);
  for (TdxDockRow* row : FRows)
    for (int i = 0; i < row->ColumnCount(); ++i)
      if (TdxBarControl* window = row->Columns(i)->ColumnWindow(); window->HandleAllocated())
        SetWindowPos(window->Handle(), nullptr, 0, 0, 0, 0, flags);
  RequestLayout();
}

// ---- sizing -------------------------------------------------------------------------------------

void TdxDockControl::CloseActiveChainOnResize() {
  TCustomdxBarControl* active = ActiveBarWindow;
  if (!active) return;
  TCustomdxBarControl* root = RootBarWindow(active);
  if (!root || root->IsMenu()) return;
  if (TdxBarDesignController* design = BarDesignController(); design && design->QuickCustomizationPopup() == root)
    return;
  if (active->HandleAllocated() && GetCapture() == active->Handle()) return;
  const bool onForm = FormOfControl(this, bfkFirst) != nullptr;
  bool ours = root->BarManager() == FBarManager;
  // A stand-alone site resizing says nothing to a toolbar docked in a built-in site.
  if (IsStandAlone())
    if (auto* toolbar = dynamic_cast<TdxBarControl*>(root); toolbar && toolbar->DockControl() &&
                                                           !toolbar->DockControl()->IsStandAlone())
      ours = false;
  if (ours || !onForm) active->CloseUp();
}

void TdxDockControl::Resize() {
  ResetBackgroundCache();
  TCustomControl::Resize();
}

void TdxDockControl::AlignControls(TControl* AControl, RECT& Rect) {
  if (HasState(csDestroying)) return;
  if (FBarManager && !FBarManager->IsLoading()) RequestLayout();
  TCustomControl::AlignControls(AControl, Rect);
}

void TdxDockControl::InitiateAction() {
  TCustomControl::InitiateAction();
  if (!FBarManager) return;
  for (int i = 0; i < FBarManager->Bars()->Count(); ++i) {
    TdxBar* bar = FBarManager->Bars()->Items(i);
    if (bar->Visible()) bar->ItemLinks()->UpdateActions();
  }
}

// ---- messages -----------------------------------------------------------------------------------

void TdxDockControl::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle = 0;
  Params.WindowClass.style = CS_DBLCLKS;
}

void TdxDockControl::WindowPosChanged() {
  if (!FBarManager) return;
  {
    TManagerUpdate lock(FBarManager);
    if (DockSiteStyle() == dsBottom)
      for (TdxDockRow* row : FRows)
        for (int i = 0; i < row->ColumnCount(); ++i) {
          TdxBarControl* window = row->Columns(i)->ColumnWindow();
          if (window->ShownBar() && window->ShownBar()->IsStatusBarLike()) window->RefreshFrame();
        }
  }
  if (HasBackgroundPicture()) RefreshBarBackgrounds();
}

void TdxDockControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      FillBackground(reinterpret_cast<HDC>(Message.WParam), TRect(ClientRect()), Color(), nullptr);
      Message.Result = 1;
      return;
    case WM_NCCALCSIZE:
      TCustomControl::WndProc(Message);
      if (SunkenBorder()) {
        RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                 : reinterpret_cast<RECT*>(Message.LParam);
        InflateRect(r, -1, -1);
        r->right = std::max(r->left, r->right);
        r->bottom = std::max(r->top, r->bottom);
      }
      return;
    case WM_NCPAINT:
      TCustomControl::WndProc(Message);
      if (SunkenBorder() && HandleAllocated()) {
        HDC dc = GetWindowDC(Handle());
        RECT r{};
        GetWindowRect(Handle(), &r);
        OffsetRect(&r, -r.left, -r.top);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        ReleaseDC(Handle(), dc);
      }
      return;
    case WM_LBUTTONDBLCLK:
      if (FBarManager && FBarManager->CanCustomize()) FBarManager->SetCustomizing(true);
      Message.Result = 0;
      return;
    case WM_RBUTTONDOWN: {
      TcxObjectLinkScope alive(this);
      TCustomControl::WndProc(Message);
      if (alive.Alive() && FBarManager && !FBarManager->InCustomizing()) ShowToolbarsPopup();
      return;
    }
    case WM_MOUSEACTIVATE:
      TCustomControl::WndProc(Message);
      if (FBarManager && !IsDesignTime() && HandleAllocated() && !LiesInPopupWindow(Handle())) {
        Message.Result = MA_NOACTIVATE;
        if (TCustomForm* form = FormOfControl(this, bfkTopLevel); form && form->HandleAllocated())
          SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      }
      return;
    case WM_SIZE:
      DisableAlign();
      try {
        TCustomControl::WndProc(Message);
        ResetBackgroundCache();
      } catch (...) {
        EnableAlign();
        throw;
      }
      EnableAlign();
      return;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      TCustomControl::WndProc(Message);
      if (pos && (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) WindowPosChanged();
      return;
    }
    default: break;
  }
  TCustomControl::WndProc(Message);
}

// ---- the stand-alone site -----------------------------------------------------------------------

TdxBarDockControl::TdxBarDockControl(TComponent* AOwner) : TdxDockControl(AOwner) {
  TdxDockControl::SetParentColor(true);
  TControl::SetAlign(alTop);
}

void TdxBarDockControl::DeclareProperties(TPropTable& t) {
  using D = TdxBarDockControl;
  t.Add("Align", &D::Align, &D::SetAlign).SetDefault(dalTop);
  t.Add("AllowDocking", &D::AllowDocking, &D::SetAllowDocking).SetDefault(true);
  t.Add("AllowZeroSizeInDesignTime", &D::AllowZeroSizeInDesignTime, &D::SetAllowZeroSizeInDesignTime).SetDefault(false);
  t.Add("BarManager", &D::BarManager, &D::SetBarManager);
  t.Add("BackgroundBitmap", &D::BackgroundBitmap, &D::SetBackgroundBitmap);
  t.Add("Color", &D::Color, &D::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clWindow)
      .Stored(&D::IsColorStored);
  t.Add("ParentColor", &D::ParentColor, &D::SetParentColor).Stored(&D::IsColorStored);
  t.Add("SunkenBorder", &D::SunkenBorder, &D::SetSunkenBorder).Stored(&D::UseOwnSunkenBorder);
  t.Add("UseOwnColor", &D::UseOwnColor, &D::SetUseOwnColor).SetDefault(false);
  t.Add("UseOwnSunkenBorder", &D::UseOwnSunkenBorder, &D::SetUseOwnSunkenBorder).SetDefault(false);
  t.Add("Visible", &D::Visible, &D::SetVisible).SetDefault(true);
}

bool TdxBarDockControl::LoadingOrRestoring() const {
  TdxBarManager* manager = BarManager();
  return HasState(csLoading) || (manager && (manager->InternalState() & bmsRestoringPositions));
}

TdxBarDockAlign TdxBarDockControl::Align() const {
  switch (TControl::Align()) {
    case alTop: return dalTop;
    case alBottom: return dalBottom;
    case alLeft: return dalLeft;
    case alRight: return dalRight;
    default: return dalNone;
  }
}

void TdxBarDockControl::SetAlign(TdxBarDockAlign Value) {
  if (Value == Align()) return;
  static const TAlign kAligns[] = {alNone, alTop, alBottom, alLeft, alRight};
  static const TdxBarDockingStyle kStyles[] = {dsTop, dsTop, dsBottom, dsLeft, dsRight};
  std::vector<TdxBarControl*> windows;
  for (int r = 0; r < LiveRowCount(); ++r)
    for (int c = 0; c < Rows(r)->ColumnCount(); ++c) windows.push_back(Rows(r)->Columns(c)->ColumnWindow());
  TdxBarManager* manager = BarManager();
  auto rebuild = [&] {
    for (TdxBarControl* window : windows)
      if (IsBarControlAlive(window)) window->RebuildRecreating();
    if (Parent()) Parent()->Realign();
  };
  try {
    {
      TManagerUpdate update(manager);
      for (TdxBarControl* window : windows) window->SetDockingStyle(kStyles[Value]);
      TControl::SetAlign(kAligns[Value]);
    }
  } catch (...) {
    rebuild();
    throw;
  }
  rebuild();
}

void TdxBarDockControl::SetAllowZeroSizeInDesignTime(bool Value) {
  if (FAllowZeroSizeInDesignTime == Value) return;
  FAllowZeroSizeInDesignTime = Value;
  if (HandleAllocated()) SendMessage(Handle(), WM_SIZE, 0, 0);
}

void TdxBarDockControl::SetColor(TColor Value) {
  TControl::SetColor(Value);
  if (!FApplyingManagerColor && !LoadingOrRestoring()) FUseOwnColor = true;
}

void TdxBarDockControl::SetParentColor(bool Value) {
  TControl::SetParentColor(Value);
  if (!FApplyingManagerColor && !LoadingOrRestoring()) FUseOwnColor = true;
}

void TdxBarDockControl::SetUseOwnColor(bool Value) {
  if (FUseOwnColor == Value) return;
  FUseOwnColor = Value;
  if (!Value) ApplyManagerColor();
}

void TdxBarDockControl::ApplyManagerColor() {
  if (FUseOwnColor) return;
  TcxFlagScope applying(FApplyingManagerColor, true);
  TdxDockControl::ApplyManagerColor();
}

bool TdxBarDockControl::SunkenBorder() const {
  return FUseOwnSunkenBorder ? FSunkenBorder : TdxDockControl::SunkenBorder();
}

void TdxBarDockControl::SetSunkenBorder(bool Value) {
  FSunkenBorder = Value;
  FUseOwnSunkenBorder = true;
  RefreshFrames();
}

void TdxBarDockControl::SetUseOwnSunkenBorder(bool Value) {
  if (FUseOwnSunkenBorder == Value) return;
  const bool before = SunkenBorder();
  if (Value) FSunkenBorder = before;
  FUseOwnSunkenBorder = Value;
  if (SunkenBorder() != before) RefreshFrames();
}

void TdxBarDockControl::BarManagerChanged() {
  TdxDockControl::BarManagerChanged();
  if (HasState(csDestroying)) return;
  ApplyManagerColor();
  RefreshFrames();
}

bool TdxBarDockControl::AcceptsBar(TdxBar* ABar) {
  if (!TdxDockControl::AcceptsBar(ABar)) return false;
  // A site inside the toolbar's own window could never hold it.
  TdxBarControl* window = ABar ? ABar->Control() : nullptr;
  return !(window && window->HandleAllocated() && HandleAllocated() &&
           (window->Handle() == Handle() || IsChild(window->Handle(), Handle())));
}

int TdxBarDockControl::EmptyExtent() const {
  return IsDesignTime() && !FAllowZeroSizeInDesignTime ? 3 : 0;
}

int TdxBarDockControl::RowsExtent() {
  if (LoadingOrRestoring()) return IsHorizontal() ? ClientHeight() : ClientWidth();
  const int extent = TdxDockControl::RowsExtent();
  return extent ? extent : EmptyExtent();
}

void TdxBarDockControl::CreateParams(TCreateParams& Params) {
  TdxDockControl::CreateParams(Params);
  if (IsDesignTime()) Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

void TdxBarDockControl::CreateWnd() {
  TdxDockControl::CreateWnd();
  if (TdxBarManager* manager = BarManager()) manager->ShowRememberedBars(this);
}

void TdxBarDockControl::WndProc(TMessage& Message) {
  TdxDockControl::WndProc(Message);
  if (Message.Msg != WM_SIZE || LiveRowCount() > 0 || HasState(csLoading)) return;
  const int extent = EmptyExtent();
  if (IsHorizontal() && ClientHeight() != extent)
    SetClientSize(ClientWidth(), extent);
  else if (IsVertical() && ClientWidth() != extent)
    SetClientSize(extent, ClientHeight());
}

void TdxBarDockControl::Paint() {
  if (!IsDesignTime()) return;
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->Pen()->SetStyle(psDot);
  const RECT r = ClientRect();
  canvas->Rectangle(r.left, r.top, r.right, r.bottom);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Brush()->SetStyle(bsSolid);
}
