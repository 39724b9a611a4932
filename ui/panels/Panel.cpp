#include "ui/panels/Panel.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Rects.h"
#include "ui/panels/Gradients.h"

using namespace win;

namespace {

// What one frame style takes from each side it is drawn on.
int FrameWidth(TFrameStyleEx Style, int BevelWidth) {
  switch (Style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return BevelWidth;
    default: return 2;  // fsGroove to fsButtonUp, fsFlatBold, fsFlatRounded
  }
}

void Deflate(RECT& R, TSides Sides, int Amount) {
  if (Sides.Contains(sdLeft)) R.left += Amount;
  if (Sides.Contains(sdTop)) R.top += Amount;
  if (Sides.Contains(sdRight)) R.right -= Amount;
  if (Sides.Contains(sdBottom)) R.bottom -= Amount;
}

}  // namespace

// ---- TRzCustomPanel ------------------------------------------------------------------------------------

TRzCustomPanel::TRzCustomPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  rz::InitializeDrawing();
  SetBevelOuter(bvNone);
  // Every frame is this class's own; the caption is not taken from the name, and the panel paints
  // its background itself.
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Exclude(csParentBackground);
  FControlStyle.Include(csOpaque);
}

TRzCustomPanel::~TRzCustomPanel() {
  if (FFrameController) FFrameController->UnregisterControl(this);
  FDockManager.reset();
}

void TRzCustomPanel::DeclareProperties(TPropTable& t) {
  t.Remove("BevelInner");
  t.Remove("BevelOuter");
  t.Remove("BorderStyle");
  t.Remove("ParentBackground");
  t.Remove("ShowCaption");
  t.Add("AlignmentVertical", &TRzCustomPanel::AlignmentVertical, &TRzCustomPanel::SetAlignmentVertical)
      .SetDefault(avCenter);
  t.Add("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize).SetDefault(false);
  t.Add("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode);
  t.Add("BorderInner", &TRzCustomPanel::BorderInner, &TRzCustomPanel::SetBorderInner).SetDefault(fsNone);
  t.Add("BorderOuter", &TRzCustomPanel::BorderOuter, &TRzCustomPanel::SetBorderOuter).SetDefault(fsRaised);
  t.Add("BorderSides", &TRzCustomPanel::BorderSides, &TRzCustomPanel::SetBorderSides).SetDefault(sdAllSides);
  t.Add("BorderColor", &TRzCustomPanel::BorderColor, &TRzCustomPanel::SetBorderColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnFace);
  t.Add("BorderHighlight", &TRzCustomPanel::BorderHighlight, &TRzCustomPanel::SetBorderHighlight)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnHighlight);
  t.Add("BorderShadow", &TRzCustomPanel::BorderShadow, &TRzCustomPanel::SetBorderShadow)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).SetDefault(false);
  t.Add("FlatColor", &TRzCustomPanel::FlatColor, &TRzCustomPanel::SetFlatColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("FlatColorAdjustment", &TRzCustomPanel::FlatColorAdjustment, &TRzCustomPanel::SetFlatColorAdjustment)
      .SetDefault(30);
  t.Add("FrameController", &TRzCustomPanel::FrameController, &TRzCustomPanel::SetFrameController);
  t.Add("FrameControllerNotifications", &TRzCustomPanel::FrameControllerNotifications,
        &TRzCustomPanel::SetFrameControllerNotifications)
      .SetDefault(fccAll);
  t.Add("GradientColorStyle", &TRzCustomPanel::GradientColorStyle, &TRzCustomPanel::SetGradientColorStyle)
      .SetDefault(gcsSystem);
  t.Add("GradientColorStart", &TRzCustomPanel::GradientColorStart, &TRzCustomPanel::SetGradientColorStart)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clWhite);
  t.Add("GradientColorStop", &TRzCustomPanel::GradientColorStop, &TRzCustomPanel::SetGradientColorStop)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnFace);
  t.Add("GradientDirection", &TRzCustomPanel::GradientDirection, &TRzCustomPanel::SetGradientDirection)
      .SetDefault(gdHorizontalEnd);
  t.Add("GridColor", &TRzCustomPanel::GridColor, &TRzCustomPanel::SetGridColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("GridStyle", &TRzCustomPanel::GridStyle, &TRzCustomPanel::SetGridStyle).SetDefault(gsDots);
  t.Add("GridXSize", &TRzCustomPanel::GridXSize, &TRzCustomPanel::SetGridXSize).SetDefault(8);
  t.Add("GridYSize", &TRzCustomPanel::GridYSize, &TRzCustomPanel::SetGridYSize).SetDefault(8);
  t.Add("Hint", &TControl::Hint, &TControl::SetHint);
  t.Add("PaintClientArea", &TRzCustomPanel::PaintClientArea, &TRzCustomPanel::SetPaintClientArea).SetDefault(true);
  t.Add("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).SetDefault(true);
  t.Add("ShowDockClientCaptions", &TRzCustomPanel::ShowDockClientCaptions,
        &TRzCustomPanel::SetShowDockClientCaptions)
      .SetDefault(true);
  t.Add("ShowGrid", &TRzCustomPanel::ShowGrid, &TRzCustomPanel::SetShowGrid).SetDefault(false);
  t.Add("TextMargin", &TRzCustomPanel::TextMargin, &TRzCustomPanel::SetTextMargin).SetDefault(0);
  t.Add("TextMarginVertical", &TRzCustomPanel::TextMarginVertical, &TRzCustomPanel::SetTextMarginVertical)
      .SetDefault(0);
  t.Add("Transparent", &TRzCustomPanel::Transparent, &TRzCustomPanel::SetTransparent).SetDefault(false);
  t.Add("UseDockManager", &TWinControl::UseDockManager, &TWinControl::SetUseDockManager).SetDefault(false);
  t.Add("VisualStyle", &TRzCustomPanel::VisualStyle, &TRzCustomPanel::SetVisualStyle).SetDefault(vsWinXP);
  t.Add("WordWrap", &TRzCustomPanel::WordWrap, &TRzCustomPanel::SetWordWrap).SetDefault(true);
  t.Add("OnPaint", &TRzCustomPanel::OnPaint);
}

// ---- geometry -------------------------------------------------------------------------------------------

POINT TRzCustomPanel::CursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return ScreenToClient(p);
}

void TRzCustomPanel::AdjustRectForBorders(RECT& Rect, bool IncludeBorderWidth) {
  if (IncludeBorderWidth) InflateRect(&Rect, -BorderWidth(), -BorderWidth());
  Deflate(Rect, FBorderSides, FrameWidth(FBorderOuter, BevelWidth()));
  Deflate(Rect, FBorderSides, FrameWidth(FBorderInner, BevelWidth()));
}

RECT TRzCustomPanel::PanelBounds() { return RECT{0, 0, Width(), Height()}; }

POINT TRzCustomPanel::RepaintMargin() { return POINT{1, 1}; }

RECT TRzCustomPanel::ClientRect() {
  RECT r = TCustomPanel::ClientRect();
  if (!DockSite()) AdjustRectForBorders(r, false);
  return r;
}

void TRzCustomPanel::AdjustClientRect(RECT& Rect) {
  TCustomPanel::AdjustClientRect(Rect);
  if (DockSite()) AdjustRectForBorders(Rect, false);
}

void TRzCustomPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // A panel at the bottom or right keeps its far edge where it was.
  if (Align() == alBottom && AHeight != Height()) ATop = Top() + Height() - AHeight;
  if (Align() == alRight && AWidth != Width()) ALeft = Left() + Width() - AWidth;
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TRzCustomPanel::InvalidateFrameStrips(int NewWidth, int NewHeight) {
  const int w = Width(), h = Height();
  RECT inner{0, 0, w, h};
  AdjustRectForBorders(inner, true);
  POINT margin = RepaintMargin();
  if (NewWidth != w) {
    RECT strip{inner.right - margin.x, 0, w, h};
    InvalidateRect(Handle(), &strip, TRUE);
  }
  if (NewHeight != h) {
    RECT strip{0, inner.bottom - margin.y, w, h};
    InvalidateRect(Handle(), &strip, TRUE);
  }
}

void TRzCustomPanel::WMWindowPosChanged(TMessage& Message) {
  auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (pos && !(pos->flags & SWP_NOSIZE) && HandleAllocated() && (pos->cx != Width() || pos->cy != Height())) {
    if (FullRepaint() || !Caption().empty())
      Invalidate();
    else
      InvalidateFrameStrips(pos->cx, pos->cy);
  }
  TCustomPanel::WMWindowPosChanged(Message);
}

// ---- painting -------------------------------------------------------------------------------------------

void TRzCustomPanel::FlatColors(TColor& Color, int& Adjustment) {
  if (FVisualStyle == vsGradient && FGradientColorStyle != gcsCustom) {
    Color = rz::SchemeFrameColor(FGradientColorStyle);
    Adjustment = 0;
    return;
  }
  Color = FFlatColor;
  Adjustment = FFlatColorAdjustment;
}

void TRzCustomPanel::GradientColors(TColor& Start, TColor& Stop) {
  if (FGradientColorStyle == gcsCustom) {
    Start = FGradientColorStart;
    Stop = FGradientColorStop;
    return;
  }
  rz::SchemeGradientColors(FGradientColorStyle, Start, Stop);
}

void TRzCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r = PanelBounds();
  TColor flat;
  int adjustment;
  FlatColors(flat, adjustment);
  const TColor parentColor = Parent() ? Parent()->Color() : Color();
  rz::PaintOuterInnerFrames(canvas, r, FBorderOuter, FBorderInner, BorderWidth(), FBorderSides, BevelWidth(),
                            FBorderColor, FBorderHighlight, FBorderShadow, flat, adjustment, Color(), parentColor,
                            FTransparent, false, r);
  if (!FTransparent && FPaintClientArea) {
    const bool rounded = (FBorderOuter == fsFlatRounded && FBorderInner == fsNone && BorderWidth() == 0) ||
                         FBorderInner == fsFlatRounded;
    RECT fill = r;
    // The fill covers the cut-corner ring; its own corners then take the frame's colour.
    if (rounded) Deflate(fill, FBorderSides, -1);
    if (FVisualStyle == vsGradient) {
      TColor start, stop;
      GradientColors(start, stop);
      rz::PaintGradientBands(canvas, fill, FGradientDirection, start, stop, 1);
    } else {
      canvas->Brush()->SetColor(Color());
      canvas->FillRect(fill);
    }
    if (rounded) {
      const TColor corner = rz::ShiftColorLuminance(flat, adjustment);
      const bool left = FBorderSides.Contains(sdLeft), top = FBorderSides.Contains(sdTop),
                 right = FBorderSides.Contains(sdRight), bottom = FBorderSides.Contains(sdBottom);
      if (left && top) canvas->SetPixels(fill.left, fill.top, corner);
      if (right && top) canvas->SetPixels(fill.right - 1, fill.top, corner);
      if (right && bottom) canvas->SetPixels(fill.right - 1, fill.bottom - 1, corner);
      if (left && bottom) canvas->SetPixels(fill.left, fill.bottom - 1, corner);
    }
  }
  if (FShowGrid) DrawGrid(r);
  canvas->Brush()->SetStyle(bsClear);
  DrawCaption(r);
  canvas->Brush()->SetStyle(bsSolid);
  if (OnPaint) OnPaint(this);
}

void TRzCustomPanel::DrawCaption(const RECT& Rect) {
  const String caption = Caption();
  if (caption.empty()) return;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  RECT t{Rect.left + FTextMargin, Rect.top + FTextMarginVertical, Rect.right - FTextMargin,
         Rect.bottom - FTextMarginVertical};
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT format = alignments[Alignment()] | DT_EXPANDTABS | DT_VCENTER;
  if (FWordWrap) format |= DT_WORDBREAK;
  RECT measure = t;
  const int h = rz::DrawTextOnCanvas(canvas, caption, measure, format | DT_CALCRECT);
  switch (FAlignmentVertical) {
    case avTop: t.bottom = std::min<LONG>(t.bottom, t.top + h); break;
    case avCenter:
      t.top = (t.top + t.bottom - h) / 2;
      t.bottom = std::min<LONG>(t.bottom, t.top + h);
      break;
    case avBottom: t.top = std::max<LONG>(t.top, t.bottom - h - 1); break;
  }
  canvas->Brush()->SetStyle(bsClear);
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  rz::DrawTextOnCanvas(canvas, caption, t, format);
}

void TRzCustomPanel::DrawGrid(const RECT& Rect) {
  TCanvas* canvas = Canvas();
  const int nx = FGridXSize ? (Rect.right - Rect.left) / FGridXSize : 0;
  const int ny = FGridYSize ? (Rect.bottom - Rect.top) / FGridYSize : 0;
  canvas->Pen()->SetColor(FGridColor);
  if (FGridStyle == gsDots) {
    for (int i = 1; i <= nx; ++i)
      for (int j = 1; j <= ny; ++j)
        canvas->SetPixels(Rect.left + i * FGridXSize - 1, Rect.top + j * FGridYSize - 1, FGridColor);
    return;
  }
  auto line = [&](int x1, int y1, int x2, int y2) {
    if (FGridStyle == gsSolidLines) {
      canvas->MoveTo(x1, y1);
      canvas->LineTo(x2, y2);
      return;
    }
    // Every second pixel, starting one after the start point.
    const int dx = x2 > x1 ? 1 : 0, dy = y2 > y1 ? 1 : 0;
    for (int x = x1 + dx, y = y1 + dy; x < std::max(x2, x1 + 1) && y < std::max(y2, y1 + 1); x += 2 * dx, y += 2 * dy)
      canvas->SetPixels(x, y, FGridColor);
  };
  for (int i = 1; i <= nx; ++i) {
    int x = Rect.left + i * FGridXSize - 1;
    line(x, Rect.top, x, Rect.bottom);
  }
  for (int j = 1; j <= ny; ++j) {
    int y = Rect.top + j * FGridYSize - 1;
    line(Rect.left, y, Rect.right, y);
  }
}

// ---- messages -------------------------------------------------------------------------------------------

void TRzCustomPanel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (FTransparent && FPaintClientArea) {
        rz::PaintParentBackground(this, reinterpret_cast<HDC>(Message.WParam), true);
        Message.Result = 1;
        return;
      }
      break;
    case WM_THEMECHANGED:
      TCustomPanel::WndProc(Message);
      rz::XpColorScheme = rz::ReadXpColorScheme();
      return;
    case CM_CONTROLLISTCHANGE:
      // A child that leaves takes its recorded state along: a new child at the same address
      // must not inherit it.
      if (Message.LParam == 0) FEnabledStates.erase(reinterpret_cast<TControl*>(Message.WParam));
      break;
    default: break;
  }
  TCustomPanel::WndProc(Message);
}

void TRzCustomPanel::CMEnabledChanged(TMessage& Message) {
  TCustomPanel::CMEnabledChanged(Message);
  Repaint();
  EnableChildren(Enabled());
}

void TRzCustomPanel::EnableChildren(bool Enabled) {
  if (!Enabled) {
    FEnabledStates.clear();
    for (int i = 0; i < ControlCount(); ++i) FEnabledStates[Controls(i)] = Controls(i)->Enabled();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
    return;
  }
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    auto it = FEnabledStates.find(c);
    if (it == FEnabledStates.end() || it->second) c->SetEnabled(true);
  }
}

void TRzCustomPanel::ApplyFrameController() {
  if (!FFrameController || !FFrameController->FrameVisible()) return;
  const auto n = FFrameControllerNotifications;
  if (n.Contains(fcpFrameStyle)) FBorderOuter = FFrameController->FrameStyle();
  if (n.Contains(fcpFrameSides)) FBorderSides = FFrameController->FrameSides();
  if (n.Contains(fcpFrameColor)) {
    FFlatColor = FFrameController->FrameColor();
    FFlatColorAdjustment = 0;
  }
  if (n.Contains(fcpColor)) SetColor(FFrameController->Color());
  if (n.Contains(fcpParentColor)) SetParentColor(FFrameController->ParentColor());
  if (n.Contains(fcpColor)) {
    FBorderHighlight = rz::LightenColor(Color(), 100);
    FBorderShadow = rz::DarkenColor(Color(), 50);
  }
  Invalidate();
}

void TRzCustomPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
}

void TRzCustomPanel::DefineProperties(TFiler* Filer) {
  TCustomPanel::DefineProperties(Filer);
  Filer->DefineProperty("FrameSides", [](TReader* Reader) { TRzOldPropReader::ReadOldSetProp(Reader); }, nullptr,
                        false);
  Filer->DefineProperty("ThemeAware", [](TReader* Reader) { TRzOldPropReader::ReadOldBooleanProp(Reader); },
                        nullptr, false);
  Filer->DefineProperty(
      "UseGradients",
      [this](TReader* Reader) {
        if (TRzOldPropReader::ReadOldBooleanProp(Reader)) FVisualStyle = vsGradient;
      },
      nullptr, false);
}

void TRzCustomPanel::InvalidateTransparentChildren() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    const TPropInfo* p = GetPropInfo(c, "Transparent");
    if (p && p->Kind == tkEnumeration && p->EnumType == TypeInfo<bool>() && p->GetOrd(c)) c->Invalidate();
  }
}

// ---- writers ---------------------------------------------------------------------------------------------

void TRzCustomPanel::SetAlignmentVertical(TAlignmentVertical Value) { Change(FAlignmentVertical, Value); }
void TRzCustomPanel::SetBorderColor(TColor Value) { Change(FBorderColor, Value); }
void TRzCustomPanel::SetBorderHighlight(TColor Value) { Change(FBorderHighlight, Value); }
void TRzCustomPanel::SetBorderShadow(TColor Value) { Change(FBorderShadow, Value); }
void TRzCustomPanel::SetFlatColor(TColor Value) { Change(FFlatColor, Value); }
void TRzCustomPanel::SetFlatColorAdjustment(int Value) { Change(FFlatColorAdjustment, Value); }
void TRzCustomPanel::SetGradientColorStyle(TRzGradientColorStyle Value) { Change(FGradientColorStyle, Value); }
void TRzCustomPanel::SetGridColor(TColor Value) { Change(FGridColor, Value); }
void TRzCustomPanel::SetGridStyle(TRzGridStyle Value) { Change(FGridStyle, Value); }
void TRzCustomPanel::SetGridXSize(std::uint16_t Value) { Change(FGridXSize, Value); }
void TRzCustomPanel::SetGridYSize(std::uint16_t Value) { Change(FGridYSize, Value); }
void TRzCustomPanel::SetPaintClientArea(bool Value) { Change(FPaintClientArea, Value); }
void TRzCustomPanel::SetShowGrid(bool Value) { Change(FShowGrid, Value); }
void TRzCustomPanel::SetTextMargin(int Value) { Change(FTextMargin, Value); }
void TRzCustomPanel::SetTextMarginVertical(int Value) { Change(FTextMarginVertical, Value); }
void TRzCustomPanel::SetWordWrap(bool Value) { Change(FWordWrap, Value); }
void TRzCustomPanel::SetVisualStyle(TRzVisualStyle Value) { Change(FVisualStyle, Value); }

void TRzCustomPanel::SetBorderInner(TFrameStyleEx Value) {
  if (Change(FBorderInner, Value)) Realign();
}
void TRzCustomPanel::SetBorderOuter(TFrameStyleEx Value) {
  if (Change(FBorderOuter, Value)) Realign();
}
void TRzCustomPanel::SetBorderSides(TSides Value) {
  if (Change(FBorderSides, Value)) Realign();
}

void TRzCustomPanel::SetGradientColorStart(TColor Value) {
  if (Change(FGradientColorStart, Value)) InvalidateTransparentChildren();
}
void TRzCustomPanel::SetGradientColorStop(TColor Value) {
  if (Change(FGradientColorStop, Value)) InvalidateTransparentChildren();
}
void TRzCustomPanel::SetGradientDirection(TGradientDirection Value) {
  if (Change(FGradientDirection, Value)) InvalidateTransparentChildren();
}

void TRzCustomPanel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TRzCustomPanel::SetFrameController(TRzFrameController* Value) {
  if (FFrameController) FFrameController->UnregisterControl(this);
  FFrameController = Value;
  if (Value) {
    Value->RegisterControl(this);
    Value->FreeNotification(this);
  }
}

void TRzCustomPanel::SetShowDockClientCaptions(bool Value) {
  if (Value == FShowDockClientCaptions) return;
  FShowDockClientCaptions = Value;
  Invalidate();
}

void TRzCustomPanel::UpdateDockManager() {
  if (DockSite() && UseDockManager() && !FDockManager) {
    FDockManager = std::make_unique<TRzPanelDockManager>(this);
    SetDoubleBuffered(true);
  }
}

// ---- TRzPanelDockManager ---------------------------------------------------------------------------------

TRzPanelDockManager::TRzPanelDockManager(TRzCustomPanel* Panel)
    : FPanel(Panel), FCaptionFont(std::make_unique<TFont>()), FGlyphFont(std::make_unique<TFont>()) {
  FCaptionFont->SetName("Verdana");
  FCaptionFont->SetSize(8);
  FGlyphFont->SetName("Marlett");
  FGlyphFont->SetSize(8);
  if (!FPanel->HasState(csDesigning)) {
    FOldWindowProc = FPanel->WindowProc;
    FPanel->WindowProc = [this](TMessage& Message) {
      // A click or a command in a docked client may change what its caption shows.
      if (Message.Msg == WM_COMMAND || Message.Msg == WM_MOUSEACTIVATE) FPanel->Invalidate();
      FOldWindowProc(Message);
    };
  }
}

TRzPanelDockManager::~TRzPanelDockManager() {
  if (FOldWindowProc) FPanel->WindowProc = FOldWindowProc;
}

bool TRzPanelDockManager::GrabbersOnLeft() const {
  return FPanel->Align() == alTop || FPanel->Align() == alBottom;
}

void TRzPanelDockManager::AdjustDockRect(TControl*, RECT& ARect) const {
  if (GrabbersOnLeft())
    ARect.left += FGripSize;
  else
    ARect.top += FGripSize;
}

void TRzPanelDockManager::PaintDockFrame(TCanvas* Canvas, TControl* Client, const RECT& ARect) {
  if (!FPanel->ShowDockClientCaptions()) return;
  Canvas->Font()->Assign(FCaptionFont.get());
  auto* windowed = dynamic_cast<TWinControl*>(Client);
  const bool active = !windowed || windowed->Focused();
  Canvas->Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
  Canvas->Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
  const String caption = Client ? Client->Caption() : String();
  RECT glyph;
  if (!GrabbersOnLeft()) {
    RECT grabber{ARect.left, ARect.top, ARect.right, ARect.top + FGripSize};
    Canvas->FillRect(grabber);
    Canvas->TextRect(grabber, ARect.left + 2, ARect.top, caption);
    glyph = RECT{ARect.right - FGripSize - 1, ARect.top + 1, ARect.right - 2, ARect.top + 12};
  } else {
    RECT grabber{ARect.left, ARect.top, ARect.left + FGripSize, ARect.bottom};
    Canvas->FillRect(grabber);
    HFONT angled = rz::CreateAngledFont(FCaptionFont.get(), 90);
    HDC dc = Canvas->Handle();
    HGDIOBJ old = SelectObject(dc, angled);
    SetTextColor(dc, ColorToRGB(clCaptionText));
    SetBkMode(dc, TRANSPARENT);
    UINT align = SetTextAlign(dc, TA_BASELINE);
    TextOut(dc, grabber.right - 2, grabber.bottom - 3, caption.c_str(), static_cast<int>(caption.size()));
    SetTextAlign(dc, align);
    SelectObject(dc, old);
    DeleteObject(angled);
    glyph = RECT{ARect.left + 1, ARect.top + 1, ARect.left + FGripSize - 2, ARect.top + 12};
  }
  // The close glyph: the symbol font's "r" (a cross); the platform finds the nearest face.
  Canvas->Font()->Assign(FGlyphFont.get());
  Canvas->Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->TextOut(glyph.left, glyph.top, "r");
  Canvas->Brush()->SetStyle(bsSolid);
}

namespace {
// Form descriptions create these by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TRzPanel>();
  return true;
}();
}  // namespace
