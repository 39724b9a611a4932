#include "ui/panels/Button.h"

#include <algorithm>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Themes.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"
#include "ui/panels/Gradients.h"

using namespace win;

namespace {

// The theme library's entries the themed face needs, bound by name.
struct ThemeEntries {
  using Open = HANDLE (*)(HWND, LPCSTR);
  using Close = long (*)(HANDLE);
  using Draw = long (*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using Transparent = BOOL (*)(HANDLE, int, int);
  Open open = nullptr;
  Close close = nullptr;
  Draw draw = nullptr;
  Transparent transparent = nullptr;
  HMODULE module = nullptr;
  ThemeEntries() {
    module = LoadLibrary("UxTheme.dll");
    if (!module) return;
    open = reinterpret_cast<Open>(GetProcAddress(module, "OpenThemeData"));
    close = reinterpret_cast<Close>(GetProcAddress(module, "CloseThemeData"));
    draw = reinterpret_cast<Draw>(GetProcAddress(module, "DrawThemeBackground"));
    transparent = reinterpret_cast<Transparent>(GetProcAddress(module, "IsThemeBackgroundPartiallyTransparent"));
  }
  ~ThemeEntries() {
    if (module) FreeLibrary(module);
  }
  bool Usable() const { return open && close && draw; }
};

constexpr int BP_PUSHBUTTON = 1;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;

// Tells whether a component was destroyed while code that used it ran: a click handler may free
// the button it belongs to.
class TDestroyWatch : public TComponent {
 public:
  explicit TDestroyWatch(TComponent* Watched) : TComponent(nullptr), FWatched(Watched) {
    Watched->FreeNotification(this);
  }
  ~TDestroyWatch() override {
    if (FWatched) FWatched->RemoveFreeNotification(this);
  }
  bool Gone() const { return FWatched == nullptr; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWatched) FWatched = nullptr;
  }

 private:
  TComponent* FWatched;
};

RECT Moved(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

}  // namespace

// ---- TRzCustomButton ----------------------------------------------------------------------------------

TRzCustomButton::TRzCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
  rz::InitializeDrawing();
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable, csReflector};
  SetBounds(0, 0, 115, 17);
  SetTabStop(true);
}

void TRzCustomButton::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("AlignmentVertical", &TRzCustomButton::AlignmentVertical, &TRzCustomButton::SetAlignmentVertical)
      .SetDefault(avCenter);
  t.Add("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode);
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).SetDefault(0);
  t.Add("Height", &TControl::Height, &TControl::SetHeight);
  t.Add("HighlightColor", &TRzCustomButton::HighlightColor, &TRzCustomButton::SetHighlightColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clHighlight);
  t.Add("Hint", &TControl::Hint, &TControl::SetHint);
  t.Add("HotTrack", &TRzCustomButton::HotTrack, &TRzCustomButton::SetHotTrack).SetDefault(false);
  t.Add("HotTrackColor", &TRzCustomButton::HotTrackColor, &TRzCustomButton::SetHotTrackColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(0x00149BF0);
  t.Add("HotTrackColorType", &TRzCustomButton::HotTrackColorType, &TRzCustomButton::SetHotTrackColorType)
      .SetDefault(htctActual);
  t.Add("LightTextStyle", &TRzCustomButton::LightTextStyle, &TRzCustomButton::SetLightTextStyle).SetDefault(false);
  t.Add("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).SetDefault(true);
  t.Add("TextHighlightColor", &TRzCustomButton::TextHighlightColor, &TRzCustomButton::SetTextHighlightColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnHighlight);
  t.Add("TextShadowColor", &TRzCustomButton::TextShadowColor, &TRzCustomButton::SetTextShadowColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("TextShadowDepth", &TRzCustomButton::TextShadowDepth, &TRzCustomButton::SetTextShadowDepth).SetDefault(2);
  t.Add("TextStyle", &TRzCustomButton::TextStyle, &TRzCustomButton::SetTextStyle).SetDefault(tsNormal);
  t.Add("ThemeAware", &TRzCustomButton::ThemeAware, &TRzCustomButton::SetThemeAware).SetDefault(true);
  t.Add("Width", &TControl::Width, &TControl::SetWidth);
}

bool TRzCustomButton::UsesThemes() { return FThemeAware && ThemeServices()->ThemesEnabled(); }

void TRzCustomButton::SetAlignmentVertical(TAlignmentVertical Value) { Change(FAlignmentVertical, Value); }
void TRzCustomButton::SetHotTrack(bool Value) { Change(FHotTrack, Value); }
void TRzCustomButton::SetHighlightColor(TColor Value) { Change(FHighlightColor, Value); }
void TRzCustomButton::SetLightTextStyle(bool Value) { Change(FLightTextStyle, Value); }
void TRzCustomButton::SetTextStyle(TTextStyle Value) { Change(FTextStyle, Value); }
void TRzCustomButton::SetTextHighlightColor(TColor Value) { Change(FTextHighlightColor, Value); }
void TRzCustomButton::SetTextShadowColor(TColor Value) { Change(FTextShadowColor, Value); }
void TRzCustomButton::SetTextShadowDepth(int Value) { Change(FTextShadowDepth, Value); }
void TRzCustomButton::SetThemeAware(bool Value) { Change(FThemeAware, Value); }
void TRzCustomButton::SetTransparent(bool Value) { Change(FTransparent, Value); }

void TRzCustomButton::ReadUiState() {
  LRESULT state = SendMessage(Handle(), WM_QUERYUISTATE, 0, 0);
  FShowAccel = (state & UISF_HIDEACCEL) == 0;
  FShowFocus = (state & UISF_HIDEFOCUS) == 0;
}

void TRzCustomButton::CreateWnd() {
  TCustomControl::CreateWnd();
  // Focus frames and underlines stay hidden until the keyboard is used.
  if (rz::RunsOnWindowsLevel(4))
    SendMessage(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  ReadUiState();
}

void TRzCustomButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_UPDATEUISTATE:
      TCustomControl::WndProc(Message);
      if (HandleAllocated()) ReadUiState();
      Invalidate();
      return;
    case WM_ERASEBKGND:
      if (FTransparent) {
        PaintTransparentBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      FocusRepaint();
      return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

void TRzCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled()) {
    if (CanFocus()) SetFocus();
    if (Focused()) {
      FLooksPressed = true;
      RepaintFace();
      FLeftButtonHeld = true;
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TRzCustomButton::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FLeftButtonHeld) return;
  RECT c = ClientRect();
  bool inside = X >= 0 && X < c.right && Y >= 0 && Y < c.bottom;
  if (inside != FLooksPressed) {
    FLooksPressed = inside;
    RepaintFace();
  }
}

void TRzCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FLeftButtonHeld && Button == mbLeft) {
    FLeftButtonHeld = false;
    FLooksPressed = false;
    RECT c = ClientRect();
    if (X >= 0 && X < c.right && Y >= 0 && Y < c.bottom) {
      TDestroyWatch watch(this);
      ButtonClicked();
      if (watch.Gone()) return;
    }
    RepaintFace();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TRzCustomButton::CMMouseEnter(TMessage& Message) {
  if (!HasState(csDesigning)) FMouseInside = true;
  TCustomControl::CMMouseEnter(Message);
  if ((FHotTrack || UsesThemes()) && HandleAllocated()) {
    RECT r = HotTrackRect();
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TRzCustomButton::CMMouseLeave(TMessage& Message) {
  if (!HasState(csDesigning)) FMouseInside = false;
  TCustomControl::CMMouseLeave(Message);
  if ((FHotTrack || UsesThemes()) && HandleAllocated()) {
    RECT r = HotTrackRect();
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TRzCustomButton::DrawCaption(TCanvas* Canvas, RECT T, UINT Format) {
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Font()->Assign(Font());
  const String text = FShowAccel ? Caption() : rz::StripAccelerators(Caption());
  RECT measure = T;
  const int h = rz::DrawTextOnCanvas(Canvas, text, measure,
                                     DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER | DT_VCENTER);
  switch (FAlignmentVertical) {
    case avTop: T.bottom = T.top + h; break;
    case avCenter:
      T.top = (T.top + T.bottom - h) / 2;
      T.bottom = T.top + h;
      break;
    case avBottom: T.top = T.bottom - h - 1; break;
  }
  if (IsRightToLeft()) Format |= DT_RTLREADING;
  if (Enabled()) {
    switch (FTextStyle) {
      case tsRaised:
        if (!FLightTextStyle) {
          Canvas->Font()->SetColor(FTextShadowColor);
          RECT s = Moved(T, 1, 1);
          rz::DrawTextOnCanvas(Canvas, text, s, Format);
        }
        {
          Canvas->Font()->SetColor(FTextHighlightColor);
          RECT s = Moved(T, -1, -1);
          rz::DrawTextOnCanvas(Canvas, text, s, Format);
        }
        break;
      case tsRecessed: {
        Canvas->Font()->SetColor(FTextHighlightColor);
        RECT s = Moved(T, 1, 1);
        rz::DrawTextOnCanvas(Canvas, text, s, Format);
        if (!FLightTextStyle) {
          Canvas->Font()->SetColor(FTextShadowColor);
          s = Moved(T, -1, -1);
          rz::DrawTextOnCanvas(Canvas, text, s, Format);
        }
        break;
      }
      case tsShadow: {
        Canvas->Font()->SetColor(FTextShadowColor);
        const bool right = (Format & DT_RIGHT) != 0;
        RECT s = Moved(T, right ? 0 : FTextShadowDepth, FTextShadowDepth);
        rz::DrawTextOnCanvas(Canvas, text, s, Format);
        if (right) OffsetRect(&T, -FTextShadowDepth, 0);
        break;
      }
      default: break;
    }
    Canvas->Font()->SetColor(Font()->Color());
  } else {
    Canvas->Font()->SetColor(rz::ColorsAlmostEqual(Color(), clGrayText) ? cl3DDkShadow : clGrayText);
  }
  rz::DrawTextOnCanvas(Canvas, text, T, Format);
  Canvas->Brush()->SetStyle(bsSolid);
}

// ---- TRzButton ------------------------------------------------------------------------------------------

TRzButton::TRzButton(TComponent* AOwner) : TRzCustomButton(AOwner) {
  SetColor(clBtnFace);
  SetBounds(0, 0, 75, 25);
}

void TRzButton::DeclareProperties(TPropTable& t) {
  t.Add("Action", &TControl::Action, &TControl::SetAction);
  t.Add("Alignment", &TRzButton::Alignment, &TRzButton::SetAlignment).SetDefault(taCenter);
  t.Add("AllowAllUp", &TRzButton::AllowAllUp, &TRzButton::SetAllowAllUp).SetDefault(false);
  t.Add("Cancel", &TRzButton::Cancel, &TRzButton::SetCancel).SetDefault(false);
  t.Add("Default", &TRzButton::Default, &TRzButton::SetDefault).SetDefault(false);
  t.Add("DropDownOnEnter", &TRzButton::DropDownOnEnter, &TRzButton::SetDropDownOnEnter).SetDefault(true);
  t.Add("GroupIndex", &TRzButton::GroupIndex, &TRzButton::SetGroupIndex).SetDefault(0);
  t.Add("Down", &TRzButton::Down, &TRzButton::SetDown).SetDefault(false);
  t.Add("FrameColor", &TRzButton::FrameColor, &TRzButton::SetFrameColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(cl3DDkShadow);
  t.Add("ModalResult", &TRzButton::ModalResult, &TRzButton::SetModalResult).SetDefault(0);
  t.Add("ShowDownPattern", &TRzButton::ShowDownPattern, &TRzButton::SetShowDownPattern).SetDefault(true);
  t.Add("ShowFocusRect", &TRzButton::ShowFocusRect, &TRzButton::SetShowFocusRect).SetDefault(true);
}

void TRzButton::CreateWnd() {
  TRzCustomButton::CreateWnd();
  FIsEnterTarget = FDefault;
}

void TRzButton::DefineProperties(TFiler* Filer) {
  TRzCustomButton::DefineProperties(Filer);
  Filer->DefineProperty(
      "FrameFlat", [this](TReader* Reader) { SetHotTrack(TRzOldPropReader::ReadOldBooleanProp(Reader)); }, nullptr,
      false);
}

// ---- painting ---------------------------------------------------------------------------------------------

void TRzButton::Paint() {
  TCanvas* canvas = Canvas();
  const bool themed = UsesThemes();
  const bool grouped = FGroupIndex != 0;
  RECT focus = ClientRect();
  const int inset = (FHotTrack || themed) ? 3 : 4;
  InflateRect(&focus, -inset, -inset);
  if (grouped && Pressed()) OffsetRect(&focus, 1, 1);
  RECT r = ClientRect();
  if (themed)
    PaintThemed(r);
  else if (FHotTrack)
    PaintHotTrack(r);
  else
    PaintClassic(r);
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetColor(Color());
  DrawCaptionText();
  if (FShowFocus && Focused() && FShowFocusRect) {
    RECT inner;
    rz::PaintDottedFocusFrame(canvas, focus, inner);
  }
}

void TRzButton::PaintThemed(const RECT& R) {
  ThemeEntries theme;
  if (!theme.Usable()) {
    PaintClassic(R);
    return;
  }
  int state;
  if (!Enabled())
    state = PBS_DISABLED;
  else if (Pressed())
    state = PBS_PRESSED;
  else if (FMouseInside)
    state = PBS_HOT;
  else if (FGroupIndex != 0 || !(FIsEnterTarget || Focused()) || FLooksPressed)
    state = PBS_NORMAL;
  else
    state = PBS_DEFAULTED;
  HANDLE handle = theme.open(Handle(), "BUTTON");
  if (!handle) {
    PaintClassic(R);
    return;
  }
  HDC dc = Canvas()->Handle();
  if (theme.transparent && theme.transparent(handle, BP_PUSHBUTTON, state)) rz::PaintParentBackground(this, dc, false);
  theme.draw(handle, dc, BP_PUSHBUTTON, state, &R, nullptr);
  theme.close(handle);
}

void TRzButton::PaintLitFace(const RECT& R) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(rz::DarkenColor(Color(), 20));
  canvas->MoveTo(R.left, R.bottom - 2);
  canvas->LineTo(R.right, R.bottom - 2);
  canvas->Pen()->SetColor(rz::DarkenColor(Color(), 30));
  canvas->MoveTo(R.left, R.bottom - 1);
  canvas->LineTo(R.right, R.bottom - 1);
  RECT face{R.left, R.top, R.right, R.bottom - 2};
  if (rz::FullColorDisplay) {
    rz::PaintGradientBands(canvas, face, gdHorizontalEnd, rz::LightenColor(Color(), 30), rz::DarkenColor(Color(), 10),
                           1);
  } else {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(face);
  }
}

void TRzButton::PaintHotTrack(RECT R) {
  TCanvas* canvas = Canvas();
  const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
  if (Enabled()) {
    const TColor dark = rz::DarkenColor(parent, 20), light = rz::LightenColor(parent, 20);
    canvas->Pen()->SetColor(dark);
    canvas->MoveTo(R.left, R.top + 2);
    canvas->LineTo(R.left, R.bottom - 2);
    canvas->MoveTo(R.left + 2, R.top);
    canvas->LineTo(R.right - 2, R.top);
    canvas->Pen()->SetColor(light);
    canvas->MoveTo(R.right - 1, R.top + 2);
    canvas->LineTo(R.right - 1, R.bottom - 2);
    canvas->MoveTo(R.left + 2, R.bottom - 1);
    canvas->LineTo(R.right - 2, R.bottom - 1);
    canvas->SetPixels(R.left + 1, R.top + 1, dark);
    canvas->SetPixels(R.right - 2, R.top + 1, dark);
    canvas->SetPixels(R.left + 1, R.bottom - 2, dark);
    canvas->SetPixels(R.right - 2, R.bottom - 2, light);
    InflateRect(&R, -1, -1);
    // The inner frame leaves its corner pixels out.
    canvas->Pen()->SetColor(FFrameColor);
    canvas->MoveTo(R.left, R.top + 1);
    canvas->LineTo(R.left, R.bottom - 1);
    canvas->MoveTo(R.left + 1, R.top);
    canvas->LineTo(R.right - 1, R.top);
    canvas->MoveTo(R.right - 1, R.top + 1);
    canvas->LineTo(R.right - 1, R.bottom - 1);
    canvas->MoveTo(R.left + 1, R.bottom - 1);
    canvas->LineTo(R.right - 1, R.bottom - 1);
    InflateRect(&R, -1, -1);
  } else {
    RECT inner;
    rz::PaintEdgeLines(canvas, R, parent, parent, sdAllSides, inner);
    const TColor frame = Color() == clBtnFace ? rz::LightenColor(clBtnShadow, 30) : rz::DarkenColor(Color(), 80);
    rz::PaintEdgeLines(canvas, inner, frame, frame, sdAllSides, R);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(R);
    return;
  }
  if (Pressed()) {
    canvas->Brush()->SetColor(rz::DarkenColor(Color(), 10));
    canvas->FillRect(R);
  } else if (FMouseInside) {
    PaintLitFace(R);
    TColor start, stop;
    if (FHotTrackColorType == htctActual) {
      start = rz::MixColors(clWhite, FHotTrackColor, 190);
      stop = FHotTrackColor;
    } else {
      start = rz::OppositeHueColor(FHotTrackColor, 180);
      stop = rz::DarkenColor(start, 30);
    }
    rz::PaintGradientRing(canvas, R, gdHorizontalEnd, start, stop);
  } else if (FGroupIndex != 0 || !(FIsEnterTarget || Focused()) || FLooksPressed) {
    PaintLitFace(R);
  } else {
    PaintLitFace(R);
    const TColor l = rz::LightenColor(Color(), 30);
    const TColor h = rz::ColorsAlmostEqual(FHighlightColor, clBtnFace) ? rz::DarkenColor(FHighlightColor, 30)
                                                                        : FHighlightColor;
    rz::PaintGradientRing(canvas, R, gdHorizontalEnd, rz::MixColors(h, l, 60), rz::MixColors(h, l, 160));
  }
}

void TRzButton::PaintClassic(RECT R) {
  TCanvas* canvas = Canvas();
  const bool grouped = FGroupIndex != 0;
  if (!grouped && (((FIsEnterTarget || Focused()) && !FLooksPressed) || FInClick)) {
    RECT inner;
    rz::PaintEdgeLines(canvas, R, clWindowFrame, clWindowFrame, sdAllSides, inner);
    R = inner;
  }
  RECT inner;
  if (Color() == clBtnFace) {
    if (grouped)
      rz::PaintFrameStyleAll(canvas, R, Pressed() ? fsLowered : fsButtonUp, inner);
    else
      rz::PaintButtonEdgeAll(canvas, R, FLooksPressed, inner);
  } else if (!grouped) {
    rz::PaintColorButtonEdgeAll(canvas, R, Color(), FLooksPressed, inner);
  } else if (Pressed()) {
    rz::PaintColorFrameStyleAll(canvas, R, Color(), fsLowered, inner);
  } else {
    rz::PaintColorButtonEdgeAll(canvas, R, Color(), false, inner);
  }
  R = inner;
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(R);
  if (grouped && FToggleState == btsExclusive && FShowDownPattern) {
    TBitmap pattern;
    MakeDownPattern(&pattern);
    canvas->Brush()->SetBitmap(&pattern);
    canvas->FillRect(R);
    // The pattern brush goes with this paint.
    canvas->Brush()->SetBitmap(nullptr);
    canvas->Brush()->SetColor(Color());
  }
}

void TRzButton::MakeDownPattern(TBitmap* Bitmap) {
  Bitmap->SetSize(8, 8);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(RECT{0, 0, 8, 8});
  const TColor dot = Color() == clSilver ? clGray : clSilver;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x % 2) == (y % 2)) c->SetPixels(x, y, dot);
}

RECT TRzButton::CaptionRect() {
  RECT r = ClientRect();
  InflateRect(&r, -5, -5);
  const bool looksDown = (FGroupIndex != 0 && (FToggleState == btsDown || FToggleState == btsExclusive)) ||
                         FLooksPressed;
  if (looksDown && !FHotTrack && !UsesThemes()) OffsetRect(&r, 1, 1);
  return r;
}

void TRzButton::DrawCaptionText() {
  TAlignment a = FAlignment;
  if (IsRightToLeft() && a != taCenter) a = a == taLeftJustify ? taRightJustify : taLeftJustify;
  const UINT flag = a == taLeftJustify ? DT_LEFT : a == taRightJustify ? DT_RIGHT : DT_CENTER;
  DrawCaption(Canvas(), CaptionRect(), flag | DT_WORDBREAK | DT_EXPANDTABS);
}

void TRzButton::PaintTransparentBackground(HDC DC) {
  RECT r = ClientRect();
  const int in = Enabled() ? 1 : 2;
  InflateRect(&r, -in, -in);
  RECT r2{r.left - 1, r.top + 1, r.right + 1, r.bottom - 1};
  RECT r3{r2.left + 2, r2.top - 2, r2.right - 2, r2.bottom + 2};
  // Only the rounded corners show the parent.
  int saved = SaveDC(DC);
  for (const RECT& x : {r, r2, r3}) ExcludeClipRect(DC, x.left, x.top, x.right, x.bottom);
  try {
    rz::PaintParentBackground(this, DC, false);
  } catch (...) {
    RestoreDC(DC, saved);
    throw;
  }
  RestoreDC(DC, saved);
}

// ---- behaviour ------------------------------------------------------------------------------------------

void TRzButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  TRzCustomButton::Click();
}

void TRzButton::ButtonClicked() {
  if (FGroupIndex != 0)
    SetDown(!FDown);
  else
    RepaintFace();
  TDestroyWatch watch(this);
  FInClick = true;
  try {
    Click();
  } catch (...) {
    if (!watch.Gone()) FInClick = false;
    throw;
  }
  if (!watch.Gone()) FInClick = false;
}

void TRzButton::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_SPACE && !Shift.Contains(ssAlt)) {
    FSpaceHeld = true;
    FLooksPressed = true;
    Invalidate();
  }
  TRzCustomButton::KeyDown(Key, Shift);
}

void TRzButton::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    FLooksPressed = false;
    if (FSpaceHeld) {
      // One press, one click: the state is used up here, not only by a focus loss.
      FSpaceHeld = false;
      TDestroyWatch watch(this);
      ButtonClicked();
      if (watch.Gone()) return;
    }
    Invalidate();
  }
  TRzCustomButton::KeyUp(Key, Shift);
}

void TRzButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: {
      const auto key = static_cast<WORD>(Message.WParam);
      const bool plain = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
      if (plain && ((key == VK_RETURN && FIsEnterTarget) || (key == VK_ESCAPE && FCancel)) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case WM_KILLFOCUS:
      if (!HasState(csDestroying)) {
        TRzCustomButton::WndProc(Message);
        FSpaceHeld = false;
        FLooksPressed = false;
        Invalidate();
        return;
      }
      break;
    case CM_FOCUSCHANGED: {
      auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
      const bool was = FIsEnterTarget;
      if (dynamic_cast<TRzButton*>(focused) || dynamic_cast<TButton*>(focused))
        FIsEnterTarget = focused == this;
      else
        FIsEnterTarget = FDefault;
      if (was != FIsEnterTarget) Invalidate();
      return;
    }
    case CM_GROUPPRESSED: {
      auto* sender = reinterpret_cast<TRzButton*>(Message.LParam);
      if (static_cast<int>(Message.WParam) == FGroupIndex && sender && sender != this) {
        if (sender->Down() && FDown) {
          FDown = false;
          FToggleState = btsUp;
          Invalidate();
        }
        FAllowAllUp = sender->AllowAllUp();
      }
      return;
    }
    case CM_ENABLEDCHANGED:
      TRzCustomButton::WndProc(Message);
      Invalidate();
      return;
    default: break;
  }
  TRzCustomButton::WndProc(Message);
}

void TRzButton::BroadcastGroup() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_GROUPPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

// ---- writers ----------------------------------------------------------------------------------------------

void TRzButton::SetAlignment(TAlignment Value) { Change(FAlignment, Value); }
void TRzButton::SetFrameColor(TColor Value) { Change(FFrameColor, Value); }
void TRzButton::SetShowDownPattern(bool Value) { Change(FShowDownPattern, Value); }
void TRzButton::SetShowFocusRect(bool Value) { Change(FShowFocusRect, Value); }

void TRzButton::SetDefault(bool Value) {
  FDefault = Value;
  if (!HandleAllocated()) return;
  if (TCustomForm* form = GetParentForm())
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TRzButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp && FGroupIndex != 0) return;
  FDown = Value;
  FToggleState = Value ? btsExclusive : btsUp;
  Invalidate();
  if (Value) BroadcastGroup();
}

void TRzButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  BroadcastGroup();
}

void TRzButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  BroadcastGroup();
}

void TRzButton::SetHotTrack(bool Value) {
  TRzCustomButton::SetHotTrack(Value);
  SetTransparent(Value);
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

namespace {
// Form descriptions create these by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TRzButton>();
  return true;
}();
}  // namespace
