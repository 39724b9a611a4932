#include "ui/panels/StatusPane.h"

#include <algorithm>

#include "platform/classes/ActnList.h"
#include "platform/win/Rects.h"

using namespace win;

namespace {

// A pane shows its caption on one line: line breaks in it take no room and draw nothing.
String OneLine(const String& Text) {
  if (Text.find_first_of("\r\n") == String::npos) return Text;
  String out;
  out.reserve(Text.size());
  for (char c : Text)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

}  // namespace

TRzBlinkingControlsList* BlinkingControls = nullptr;

// ---- TRzBlinkingControlsList --------------------------------------------------------------------------

TRzBlinkingControlsList::TRzBlinkingControlsList() : FBlinkTimer(std::make_unique<TTimer>(nullptr)) {
  FBlinkTimer->SetInterval(OffDuration);
  FBlinkTimer->SetOnTimer([this](TObject* Sender) { Tick(Sender); });
  FBlinkTimer->SetEnabled(true);
}

TRzBlinkingControlsList::~TRzBlinkingControlsList() = default;

void TRzBlinkingControlsList::Remove(TControl* Control) {
  FMembers.erase(std::remove(FMembers.begin(), FMembers.end(), Control), FMembers.end());
}

void TRzBlinkingControlsList::Tick(TObject*) {
  if (FBlinkPhase == 0) {
    FBlinkPhase = 1;
    FBlinkTimer->SetInterval(OnDuration);
  } else {
    FBlinkPhase = 0;
    FBlinkTimer->SetInterval(OffDuration);
  }
  // A pane may go away while another one repaints; walk a copy and ask only those still here.
  std::vector<TControl*> members(FMembers);
  for (TControl* c : members) {
    if (std::find(FMembers.begin(), FMembers.end(), c) == FMembers.end()) continue;
    if (c->Perform(CM_QUERYBLINKING, 0, 0) == 1) c->Perform(CM_BLINK, FBlinkPhase, 0);
  }
}

// ---- TRzCustomStatusPane --------------------------------------------------------------------------------

TRzCustomStatusPane::TRzCustomStatusPane(TComponent* AOwner) : TGraphicControl(AOwner) {
  rz::InitializeDrawing();
  FFillColor = Color();
  SetBounds(0, 0, 100, 20);
  SetParentColor(true);
  FControlStyle.Exclude(csOpaque);
  FNormalTextColor = FTextColor = Font()->Color();
  if (!BlinkingControls) BlinkingControls = new TRzBlinkingControlsList();
  BlinkingControls->Add(this);
}

TRzCustomStatusPane::~TRzCustomStatusPane() {
  if (FFrameController) FFrameController->UnregisterControl(this);
  if (BlinkingControls) {
    BlinkingControls->Remove(this);
    if (BlinkingControls->Count() == 0) {
      delete BlinkingControls;
      BlinkingControls = nullptr;
    }
  }
}

void TRzCustomStatusPane::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishControl(t);
  t.Add("Alignment", &TRzCustomStatusPane::Alignment, &TRzCustomStatusPane::SetAlignment).SetDefault(taLeftJustify);
  t.Add("AutoHint", &TRzCustomStatusPane::AutoHint, &TRzCustomStatusPane::SetAutoHint).SetDefault(false);
  t.Add("AutoSize", &TControl::AutoSize, &TRzCustomStatusPane::SetAutoSize).SetDefault(false);
  t.Add("Blinking", &TRzCustomStatusPane::Blinking, &TRzCustomStatusPane::SetBlinking).SetDefault(false);
  t.Add("BlinkColor", &TRzCustomStatusPane::BlinkColor, &TRzCustomStatusPane::SetBlinkColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clHighlight);
  t.Add("BlinkIntervalOff", &TRzCustomStatusPane::BlinkIntervalOff, &TRzCustomStatusPane::SetBlinkIntervalOff)
      .SetDefault(500);
  t.Add("BlinkIntervalOn", &TRzCustomStatusPane::BlinkIntervalOn, &TRzCustomStatusPane::SetBlinkIntervalOn)
      .SetDefault(500);
  t.Add("BorderWidth", &TRzCustomStatusPane::BorderWidth, &TRzCustomStatusPane::SetBorderWidth).SetDefault(1);
  t.Add("Caption", &TControl::Caption, &TRzCustomStatusPane::SetCaption);
  t.Add("CaptionOffset", &TRzCustomStatusPane::CaptionOffset, &TRzCustomStatusPane::SetCaptionOffset)
      .SetDefault(2);
  t.Add("DefaultWidth", &TRzCustomStatusPane::DefaultWidth, &TRzCustomStatusPane::SetDefaultWidth).SetDefault(40);
  t.Add("FillColor", &TRzCustomStatusPane::FillColor, &TRzCustomStatusPane::SetFillColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnFace)
      .Stored(&TRzCustomStatusPane::IsFillColorStored);
  t.Add("FlatColor", &TRzCustomStatusPane::FlatColor, &TRzCustomStatusPane::SetFlatColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("FlatColorAdjustment", &TRzCustomStatusPane::FlatColorAdjustment,
        &TRzCustomStatusPane::SetFlatColorAdjustment)
      .SetDefault(30);
  t.Add("FrameStyle", &TRzCustomStatusPane::FrameStyle, &TRzCustomStatusPane::SetFrameStyle).SetDefault(fsFlat);
  t.Add("FrameController", &TRzCustomStatusPane::FrameController, &TRzCustomStatusPane::SetFrameController);
  t.Add("FrameControllerNotifications", &TRzCustomStatusPane::FrameControllerNotifications,
        &TRzCustomStatusPane::SetFrameControllerNotifications)
      .SetDefault(fccAll);
  t.Add("Height", &TControl::Height, &TControl::SetHeight);
  t.Add("Hint", &TControl::Hint, &TControl::SetHint);
  t.Add("ParentFillColor", &TRzCustomStatusPane::ParentFillColor, &TRzCustomStatusPane::SetParentFillColor)
      .SetDefault(true);
  t.Add("Transparent", &TRzCustomStatusPane::Transparent, &TRzCustomStatusPane::SetTransparent).SetDefault(true);
  t.Add("Width", &TControl::Width, &TControl::SetWidth);
}

// ---- geometry and painting --------------------------------------------------------------------------------

int TRzCustomStatusPane::FrameWidth(TFrameStyle Style) {
  switch (Style) {
    case fsNone: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
  }
}

RECT TRzCustomStatusPane::CaptionRect() {
  RECT r{0, 0, Width(), Height()};
  const int inset = FBorderWidth + FrameWidth(FFrameStyle);
  return RECT{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
}

int TRzCustomStatusPane::PreferredWidth() {
  const String caption = Caption();
  if (caption.empty()) return FDefaultWidth;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  RECT r{0, 0, Width(), Height()};
  rz::DrawTextOnCanvas(canvas, caption, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  return 2 * FBorderWidth + (r.right - r.left) + FCaptionOffset + 6;
}

void TRzCustomStatusPane::AdjustPaneWidth() {
  if (HasState(csReading) || HasState(csLoading) || !AutoSize()) return;
  // The width is measured on the screen's context, so a pane without a window can fit too.
  auto* canvas = static_cast<TControlCanvas*>(Canvas());
  canvas->FreeHandle();
  HDC screen = GetDC(nullptr);
  int width;
  try {
    canvas->SetHandle(screen);
    width = PreferredWidth();
  } catch (...) {
    canvas->SetHandle(nullptr);
    ReleaseDC(nullptr, screen);
    throw;
  }
  canvas->SetHandle(nullptr);
  ReleaseDC(nullptr, screen);
  SetWidth(width);
}

void TRzCustomStatusPane::Paint() {
  DrawFrame();
  DrawCaption(Caption());
}

void TRzCustomStatusPane::DrawFrame() {
  TCanvas* canvas = Canvas();
  RECT r{0, 0, Width(), Height()};
  if (!FTransparent) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  canvas->Pen()->SetWidth(1);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  if (FFrameStyle == fsFlat) {
    if (FFlatColor == clNone) return;
    // A flat frame with its four corner pixels left out.
    canvas->Pen()->SetColor(rz::ShiftColorLuminance(FFlatColor, FFlatColorAdjustment));
    canvas->MoveTo(r.left, r.top + 1);
    canvas->LineTo(r.left, r.bottom - 1);
    canvas->MoveTo(r.left + 1, r.top);
    canvas->LineTo(r.right - 1, r.top);
    canvas->MoveTo(r.right - 1, r.top + 1);
    canvas->LineTo(r.right - 1, r.bottom - 1);
    canvas->MoveTo(r.left + 1, r.bottom - 1);
    canvas->LineTo(r.right - 1, r.bottom - 1);
    return;
  }
  RECT inner;
  rz::PaintFrameStyleAll(canvas, r, FFrameStyle, inner);
}

void TRzCustomStatusPane::DrawCaption(const String& Text) {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  canvas->Font()->SetColor(Enabled() ? FTextColor : clGrayText);
  const RECT r = CaptionRect();
  TAlignment a = FAlignment;
  if (IsRightToLeft() && a != taCenter) a = a == taLeftJustify ? taRightJustify : taLeftJustify;
  HDC dc = canvas->Handle();
  const UINT align = a == taLeftJustify ? TA_LEFT : a == taRightJustify ? TA_RIGHT : TA_CENTER;
  const UINT oldAlign = SetTextAlign(dc, align);
  const int x = a == taLeftJustify    ? r.left + FCaptionOffset + 1
                : a == taRightJustify ? r.right - FCaptionOffset - 1
                                      : r.left + (r.right - r.left) / 2;
  const int y = r.top + (r.bottom - r.top - canvas->TextHeight("Pp")) / 2;
  if (FTransparent) {
    canvas->Brush()->SetStyle(bsClear);
  } else {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FFillColor);
  }
  canvas->TextRect(r, x, y, OneLine(Text));
  SetTextAlign(canvas->Handle(), oldAlign);
  canvas->Brush()->SetStyle(bsSolid);
}

// ---- messages ---------------------------------------------------------------------------------------------

void TRzCustomStatusPane::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_QUERYBLINKING: Message.Result = FBlinking ? 1 : 0; return;
    case CM_BLINK:
      if (FBlinking) Blink(static_cast<std::uint8_t>(Message.WParam));
      return;
    case CM_ACTIONEXECUTE:
      // With AutoHint, the application's hints show here.
      if (auto* hint = dynamic_cast<THintAction*>(reinterpret_cast<TObject*>(Message.LParam)); FAutoHint && hint) {
        SetCaption(hint->Hint());
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TGraphicControl::WndProc(Message);
}

void TRzCustomStatusPane::Blink(std::uint8_t Phase) {
  if (Phase == 1) {
    FTextColor = FBlinkColor;
    FBlinkPhaseIsNormal = false;
  } else {
    FTextColor = FNormalTextColor;
    FBlinkPhaseIsNormal = true;
  }
  Repaint();
}

void TRzCustomStatusPane::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustPaneWidth();
}

void TRzCustomStatusPane::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  if (HasState(csLoading)) return;
  FNormalTextColor = Font()->Color();
  if (!FBlinking) FTextColor = FNormalTextColor;
  AdjustPaneWidth();
}

void TRzCustomStatusPane::CMColorChanged(TMessage& Message) {
  TGraphicControl::CMColorChanged(Message);
  if (FParentFillColor) FFillColor = Color();
  Invalidate();
}

void TRzCustomStatusPane::CMParentColorChanged(TMessage& Message) {
  TGraphicControl::CMParentColorChanged(Message);
  if (FParentFillColor) FFillColor = Color();
  Invalidate();
}

void TRzCustomStatusPane::Loaded() {
  TGraphicControl::Loaded();
  if (!ParentColor()) FTransparent = false;
  FNormalTextColor = FTextColor = Font()->Color();
  AdjustPaneWidth();
}

void TRzCustomStatusPane::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

void TRzCustomStatusPane::ApplyFrameController() {
  if (!FFrameController || !FFrameController->FrameVisible()) return;
  const auto n = FFrameControllerNotifications;
  if (n.Contains(fcpFrameStyle)) SetFrameStyle(FFrameController->FrameStyle());
  if (n.Contains(fcpFrameColor)) {
    FFlatColor = FFrameController->FrameColor();
    FFlatColorAdjustment = 0;
  }
  if (n.Contains(fcpColor)) SetFillColor(FFrameController->Color());
  if (n.Contains(fcpParentColor)) SetParentColor(FFrameController->ParentColor());
  Invalidate();
}

// ---- writers -----------------------------------------------------------------------------------------------

void TRzCustomStatusPane::SetAlignment(TAlignment Value) { Change(FAlignment, Value); }
void TRzCustomStatusPane::SetBlinkColor(TColor Value) { Change(FBlinkColor, Value); }
void TRzCustomStatusPane::SetBorderWidth(int Value) { Change(FBorderWidth, Value); }
void TRzCustomStatusPane::SetFlatColor(TColor Value) { Change(FFlatColor, Value); }
void TRzCustomStatusPane::SetFlatColorAdjustment(int Value) { Change(FFlatColorAdjustment, Value); }
void TRzCustomStatusPane::SetFrameStyle(TFrameStyle Value) { Change(FFrameStyle, Value); }

void TRzCustomStatusPane::SetCaptionOffset(int Value) {
  if (Change(FCaptionOffset, Value)) AdjustPaneWidth();
}

void TRzCustomStatusPane::SetAutoSize(bool Value) {
  TGraphicControl::SetAutoSize(Value);
  AdjustPaneWidth();
}

void TRzCustomStatusPane::SetDefaultWidth(int Value) {
  FDefaultWidth = Value;
  AdjustPaneWidth();
}

void TRzCustomStatusPane::SetBlinking(bool Value) {
  FBlinking = Value;
  if (!Value) {
    FBlinkPhaseIsNormal = true;
    FTextColor = FNormalTextColor;
    Repaint();
  }
}

std::uint16_t TRzCustomStatusPane::BlinkIntervalOff() const {
  return BlinkingControls ? BlinkingControls->OffDuration : 500;
}
void TRzCustomStatusPane::SetBlinkIntervalOff(std::uint16_t Value) {
  if (BlinkingControls) BlinkingControls->OffDuration = Value;
}
std::uint16_t TRzCustomStatusPane::BlinkIntervalOn() const {
  return BlinkingControls ? BlinkingControls->OnDuration : 500;
}
void TRzCustomStatusPane::SetBlinkIntervalOn(std::uint16_t Value) {
  if (BlinkingControls) BlinkingControls->OnDuration = Value;
}

void TRzCustomStatusPane::SetFillColor(TColor Value) {
  if (Value == FFillColor) return;
  FFillColor = Value;
  FParentFillColor = false;
  Invalidate();
}

void TRzCustomStatusPane::SetParentFillColor(bool Value) {
  if (Value == FParentFillColor) return;
  FParentFillColor = Value;
  if (Parent() && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TRzCustomStatusPane::SetTransparent(bool Value) {
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TRzCustomStatusPane::SetFrameController(TRzFrameController* Value) {
  if (FFrameController) FFrameController->UnregisterControl(this);
  FFrameController = Value;
  if (Value) {
    Value->RegisterControl(this);
    Value->FreeNotification(this);
  }
}

// ---- TRzMarqueeStatus ------------------------------------------------------------------------------------------

TRzMarqueeStatus::TRzMarqueeStatus(TComponent* AOwner)
    : TRzStatusPane(AOwner), FBitmap(std::make_unique<TBitmap>()) {
  FControlStyle.Exclude(csOpaque);
  FScrollLength = Width();
  FTimer = new TTimer(this);
  FTimer->SetInterval(FScrollDelay);
  FTimer->SetOnTimer([this](TObject* Sender) { ScrollTick(Sender); });
  FTimer->SetEnabled(FScrolling);
}

TRzMarqueeStatus::~TRzMarqueeStatus() {
  // The timer is owned as a component; stop it first so no tick reaches a pane half gone.
  if (FTimer) FTimer->SetEnabled(false);
}

void TRzMarqueeStatus::DeclareProperties(TPropTable& t) {
  t.Add("ScrollType", &TRzMarqueeStatus::ScrollType, &TRzMarqueeStatus::SetScrollType).SetDefault(stRightToLeft);
  t.Add("Scrolling", &TRzMarqueeStatus::Scrolling, &TRzMarqueeStatus::SetScrolling).SetDefault(true);
  t.Add("ScrollDelay", &TRzMarqueeStatus::ScrollDelay, &TRzMarqueeStatus::SetScrollDelay).SetDefault(100);
  t.Add("ScrollSize", &TRzMarqueeStatus::ScrollSize, &TRzMarqueeStatus::SetScrollSize).SetDefault(1);
  t.Add("OnScrollDisplay", &TRzMarqueeStatus::OnScrollDisplay);
  t.Add("OnScrollComplete", &TRzMarqueeStatus::OnScrollComplete);
}

void TRzMarqueeStatus::UpdateScrollLength() {
  if (!FBitmap) return;
  TCanvas* c = FBitmap->Canvas();
  c->Font()->Assign(Font());
  FScrollLength = c->TextWidth(OneLine(Caption())) + Width();
}

void TRzMarqueeStatus::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TRzStatusPane::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateScrollLength();
}

void TRzMarqueeStatus::CMTextChanged(TMessage& Message) {
  TRzStatusPane::CMTextChanged(Message);
  UpdateScrollLength();
  Invalidate();
}

void TRzMarqueeStatus::CMFontChanged(TMessage& Message) {
  TRzStatusPane::CMFontChanged(Message);
  UpdateScrollLength();
  Invalidate();
}

void TRzMarqueeStatus::SetScrollType(TRzScrollType Value) {
  if (Value == FScrollType) return;
  FScrollType = Value;
  FTimer->SetEnabled(Value != stNone);
  Invalidate();
}

void TRzMarqueeStatus::SetScrolling(bool Value) {
  if (Value == FScrolling) return;
  FScrolling = Value;
  FTimer->SetEnabled(Value);
  if (!Value) FScrollOffset = 0;
  Invalidate();
}

void TRzMarqueeStatus::SetScrollDelay(std::uint16_t Value) {
  if (Value == FScrollDelay) return;
  FScrollDelay = Value;
  FTimer->SetInterval(Value);
}

void TRzMarqueeStatus::SetScrollSize(std::uint16_t Value) {
  if (Value == FScrollSize) return;
  FScrollSize = Value == 0 ? 1 : Value;
}

void TRzMarqueeStatus::ScrollTick(TObject*) {
  if (!FTimer->Enabled() || !Visible()) return;
  FScrollOffset += FScrollSize;
  // Drawn straight onto the parent's surface, without waiting for a paint.
  if (Parent() && Parent()->HandleAllocated()) {
    auto* canvas = static_cast<TControlCanvas*>(Canvas());
    try {
      DrawCaption(Caption());
    } catch (...) {
      canvas->FreeHandle();
      throw;
    }
    canvas->FreeHandle();
  }
  if (FScrollOffset < FScrollLength) {
    if (OnScrollDisplay) OnScrollDisplay(this, FScrollOffset, FScrollLength);
  } else {
    FScrollOffset = 0;
    if (OnScrollComplete) OnScrollComplete(this);
  }
}

void TRzMarqueeStatus::DrawCaption(const String& Text) {
  if (FScrollType == stNone) {
    TRzStatusPane::DrawCaption(Text);
    return;
  }
  const RECT r = CaptionRect();
  // A pane smaller than its frame and border has nothing to show.
  const int w = std::max<int>(r.right - r.left, 0), h = std::max<int>(r.bottom - r.top, 0);
  if (w == 0 || h == 0) return;
  FBitmap->SetSize(w, h);
  TCanvas* b = FBitmap->Canvas();
  b->Font()->Assign(Font());
  b->Font()->SetColor(FTextColor);
  // The scrolling text always has the fill colour behind it, transparent or not.
  b->Brush()->SetStyle(bsSolid);
  b->Brush()->SetColor(FFillColor);
  b->Pen()->SetColor(FFillColor);
  b->Rectangle(0, 0, w + 1, h + 1);
  b->FillRect(b->ClipRect());
  const int y = r.top + (r.bottom - r.top - b->TextHeight("Pp")) / 2 - FBorderWidth - 1;
  const String line = OneLine(Text);
  const int x = FScrollType == stRightToLeft ? Width() - FScrollOffset : FScrollOffset - b->TextWidth(line);
  b->TextRect(r, x, y, line);
  Canvas()->Draw(FBorderWidth + 1, FBorderWidth + 1, FBitmap.get());
}

namespace {
// Form descriptions create these by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TRzStatusPane, TRzMarqueeStatus>();
  return true;
}();
}  // namespace
