#include "ui/skins/SkinControlControllers.h"

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Messages.h"
#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/skins/SkinController.h"

using namespace win;

// ---- view infos ------------------------------------------------------------------------------------

TRect TdxSkinCustomControlViewInfo::Bounds() const {
  RECT r{};
  GetWindowRect(FController->Handle(), &r);
  return TRect(0, 0, r.right - r.left, r.bottom - r.top);
}

bool TdxSkinCustomControlViewInfo::IsEnabled() const { return IsWindowEnabled(FController->Handle()) != FALSE; }

bool TdxSkinCustomControlViewInfo::IsFocused() const { return GetFocus() == FController->Handle(); }

bool TdxSkinCustomControlViewInfo::IsMouseOver() const {
  POINT p{};
  GetCursorPos(&p);
  return WindowFromPoint(p) == FController->Handle();
}

TdxSkinButtonViewInfo::TdxSkinButtonViewInfo(TdxSkinCustomController* AController)
    : TdxSkinCustomControlViewInfo(AController) {
  if (HWND h = AController->Handle()) {
    char text[1024];
    GetWindowText(h, text, sizeof(text));
    Caption = text;
  }
  if (auto* button = dynamic_cast<TButton*>(AController->Control())) Default = button->Default();
  CalculateState();
}

bool TdxSkinButtonViewInfo::CalculateState() {
  HWND h = Controller()->Handle();
  if (!h) return false;
  TcxButtonState state;
  if (SendMessage(h, BM_GETSTATE, 0, 0) & BST_PUSHED)
    state = cxbsPressed;
  else if (IsMouseOver())
    state = cxbsHot;
  else
    state = Default ? cxbsDefault : cxbsNormal;
  if (!IsEnabled()) state = cxbsDisabled;
  const bool changed = state != State;
  State = state;
  if (changed && Controller()->HasSkinPainter()) Controller()->Redraw(true);
  return changed;
}

// ---- the painter ------------------------------------------------------------------------------------

TdxSkinCustomControlPainter::TdxSkinCustomControlPainter(TdxSkinCustomControlViewInfo* AViewInfo)
    : FViewInfo(AViewInfo), FCanvas(std::make_unique<TCanvas>()), FCxCanvas(std::make_unique<TcxCanvas>(FCanvas.get())) {}

TdxSkinCustomControlPainter::~TdxSkinCustomControlPainter() { EndDraw(); }

void TdxSkinCustomControlPainter::BeginDraw(HDC DC) {
  FOwnDC = DC == nullptr;
  FDC = FOwnDC ? GetDCEx(FViewInfo->Controller()->Handle(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE)
               : DC;
  FCanvas->SetHandle(FDC);
}

void TdxSkinCustomControlPainter::EndDraw() {
  if (!FDC) return;
  FCanvas->SetHandle(nullptr);
  if (FOwnDC) ReleaseDC(FViewInfo->Controller()->Handle(), FDC);
  FDC = nullptr;
  FOwnDC = false;
}

void TdxSkinCustomControlPainter::DrawParentBackground() {
  if (TWinControl* control = FViewInfo->Controller()->Control())
    PaintParentBackground(control, FCxCanvas.get(), FViewInfo->Bounds(), true);
}

void TdxSkinCustomControlPainter::DrawButton(const String& Caption, const TRect& R, TFont* Font, bool WordWrap,
                                             TcxButtonState State) {
  const TdxSkinLookAndFeelPainter* painter = FViewInfo->Controller()->SkinPainter();
  if (!painter) return;
  painter->DrawPushButton(FCxCanvas.get(), R, String(), State, false, clDefault, clDefault, false, 0);
  if (Caption.empty()) return;
  FCanvas->Brush()->SetStyle(bsClear);
  if (Font) FCanvas->Font()->Assign(Font);
  FCanvas->Font()->SetColor(painter->ButtonGlyphColor(State, clDefault));
  TRect r = R;
  FCxCanvas->DrawTextInRect(Caption, r, ltfCenterHorz | ltfCenterVert | ltfShowPrefix | (WordWrap ? ltfWordBreak : ltfSingleLine),
                            true);
  FCanvas->Brush()->SetStyle(bsSolid);
}

void TdxSkinCustomControlPainter::DrawFocus(const TRect& R) {
  FCanvas->Brush()->SetStyle(bsSolid);
  FCxCanvas->PaintFocusRect(R);
}

// ---- the base controller of plain controls ------------------------------------------------------------

TdxSkinCustomController::TdxSkinCustomController(HWND AHandle) : TdxSkinWinController(AHandle) {
  SetViewInfo(std::make_unique<TdxSkinCustomControlViewInfo>(this));
}

TdxSkinCustomController::~TdxSkinCustomController() {
  FPainter.reset();
  FViewInfo.reset();
}

void TdxSkinCustomController::SetViewInfo(std::unique_ptr<TdxSkinCustomControlViewInfo> Value) {
  FPainter.reset();
  FViewInfo = std::move(Value);
  FPainter = std::make_unique<TdxSkinCustomControlPainter>(FViewInfo.get());
}

TdxSkinWinController* TdxSkinCustomController::FindParentController(HWND) {
  TdxSkinFormControllers* registry = SkinFormControllerRegistry();
  TWinControl* control = Control();
  if (!registry || !control) return nullptr;
  TCustomForm* form = GetParentForm(control);
  if (!form || !CanSkinControl()) return nullptr;
  return registry->FindByControl(form);
}

void TdxSkinCustomController::WndProc(TMessage& Message) {
  if (HasSkinPainter()) {
    if (Message.Msg == WM_PAINT && HandlePaint(Message)) return;
    if (Message.Msg == WM_ERASEBKGND && HandleEraseBackground(Message)) return;
  }
  CallNextProc(Message);
}

bool TdxSkinCustomController::HandleEraseBackground(TMessage& Message) {
  Message.Result = 1;
  return true;
}

bool TdxSkinCustomController::HandlePaint(TMessage& Message) {
  if (HDC dc = reinterpret_cast<HDC>(Message.WParam)) {
    Paint(dc);
  } else {
    PAINTSTRUCT ps;
    HDC paintDC = BeginPaint(Handle(), &ps);
    Paint(paintDC);
    EndPaint(Handle(), &ps);
  }
  return true;
}

// ---- buttons ----------------------------------------------------------------------------------------------

TdxSkinButtonController::TdxSkinButtonController(HWND AHandle) : TdxSkinCustomController(AHandle) {
  SetViewInfo(std::make_unique<TdxSkinButtonViewInfo>(this));
}

void TdxSkinButtonController::UpdateState() { ButtonViewInfo()->CalculateState(); }

void TdxSkinButtonController::WndProc(TMessage& Message) {
  TdxSkinButtonViewInfo* info = ButtonViewInfo();
  if (Message.Msg == CM_FOCUSCHANGED) {
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    if (dynamic_cast<TButton*>(focused))
      info->Default = focused == Control();
    else if (auto* self = dynamic_cast<TButton*>(Control()))
      info->Default = self->Default();
    UpdateState();
  }
  TdxSkinCustomController::WndProc(Message);
  switch (Message.Msg) {
    case WM_ENABLE:
    case BM_SETSTATE:
    case WM_MOUSEMOVE:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      UpdateState();
      break;
    case WM_SETTEXT:
      info->Caption = reinterpret_cast<const char*>(Message.LParam) ? reinterpret_cast<const char*>(Message.LParam) : "";
      if (HasSkinPainter()) Paint(nullptr);
      break;
    case WM_UPDATEUISTATE:
      if ((LOWORD(Message.WParam) == UIS_SET || LOWORD(Message.WParam) == UIS_CLEAR) && HasSkinPainter()) Paint(nullptr);
      break;
    default:
      break;
  }
}

void TdxSkinButtonController::MouseLeft() { UpdateState(); }

void TdxSkinButtonController::Paint(HDC DC) {
  TdxSkinButtonViewInfo* info = ButtonViewInfo();
  TdxSkinCustomControlPainter* painter = Painter();
  painter->BeginDraw(DC);
  painter->DrawParentBackground();
  const bool wordWrap = (GetWindowLong(Handle(), GWL_STYLE) & BS_MULTILINE) != 0;
  TWinControl* control = Control();
  painter->DrawButton(info->Caption, info->Bounds(), control ? control->Font() : nullptr, wordWrap, info->State);
  if (info->IsFocused()) painter->DrawFocus(GrowRect(info->Bounds(), -4, -4));
  painter->EndDraw();
}

// ---- panels -------------------------------------------------------------------------------------------------

void TdxSkinPanelController::WndProc(TMessage& Message) {
  if (HasSkinPainter()) {
    if (Message.Msg == WM_PRINTCLIENT && HandlePrintClient(Message)) return;
    if (Message.Msg == CM_COLORCHANGED) {
      CallNextProc(Message);
      Redraw(false);
      return;
    }
  }
  TdxSkinCustomController::WndProc(Message);
}

bool TdxSkinPanelController::HandlePaint(TMessage& Message) {
  // A paint asked for while this one is under way is the panel's own.
  if (FPainting) return false;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};
  return TdxSkinCustomController::HandlePaint(Message);
}

bool TdxSkinPanelController::HandlePrintClient(TMessage& Message) {
  if (Message.Result == 1) return false;
  if ((Message.LParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle())) return false;
  return HandlePaint(Message);
}

void TdxSkinPanelController::Paint(HDC DC) {
  auto* panel = dynamic_cast<TCustomPanel*>(Control());
  const TdxSkinLookAndFeelPainter* skin = SkinPainter();
  if (!panel || !skin) return;
  TdxSkinCustomControlPainter* painter = Painter();
  painter->BeginDraw(DC);
  TcxCanvas* canvas = painter->Canvas();
  const TRect R = ViewInfo()->Bounds();
  if (panel->ParentBackground())
    PaintParentBackground(panel, canvas, R, false);
  else if (panel->Color() == clBtnFace)
    skin->DrawGroupBoxPanelBackground(canvas, R, false);
  else
    skin->DrawGroupBoxControlBackground(canvas, panel, R, panel->Color(), panel->Color());
  if (panel->BevelInner() != bvNone || panel->BevelOuter() != bvNone) skin->DrawGroupPanelBody(canvas, R);
  TCanvas* c = canvas->Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(panel->Font());
  if (panel->Font()->Color() == clWindowText && skin->GroupBoxPanelTextColor() != clDefault)
    c->Font()->SetColor(skin->GroupBoxPanelTextColor());
  static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = alignments[panel->Alignment()] | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
  if (panel->BiDiMode() != bdLeftToRight) flags |= DT_RTLREADING;
  TRect text = R;
  SelectObject(painter->DC(), c->Font()->Handle());
  DrawTextOnDC(painter->DC(), panel->Caption(), text, flags, -1, c->Font()->Color(), TRANSPARENT);
  c->Brush()->SetStyle(bsSolid);
  panel->PaintControls(painter->DC(), nullptr);
  painter->EndDraw();
}
