#include "ui/choice/GroupBox.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/EditUtils.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/WinXPPainter.h"

namespace {

constexpr int kGroupBoxShadow = 3;

int HeightOfText(TFont* Font, const char* Text) {
  TSize size;
  FontTextExtent(Font, Text, 0, size);
  return size.cy;
}

TSize SingleLineExtent(TcxCanvas* Canvas, const String& Text) {
  TRect r(0, 0, 1, 1);
  win::DrawText(Canvas->DeviceContext(), Text.c_str(), -1, reinterpret_cast<win::RECT*>(&r),
                win::DT_SINGLELINE | win::DT_CALCRECT);
  return TSize(r.Right - r.Left, r.Bottom - r.Top);
}

}  // namespace

// ---- TcxPanelStyle ----------------------------------------------------------------------------------

void TcxPanelStyle::DeclareProperties(TPropTable& t) {
  using P = TcxPanelStyle;
  t.Add("Active", &P::Active, &P::SetActive).SetDefault(false);
  t.Add("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).SetDefault(0);
  t.Add("CaptionIndent", &P::CaptionIndent, &P::SetCaptionIndent).SetDefault(2);
  t.Add("OfficeBackgroundKind", &P::OfficeBackgroundKind, &P::SetOfficeBackgroundKind).SetDefault(pobkOffice11Color);
  t.Add("WordWrap", &P::WordWrap, &P::SetWordWrap).SetDefault(false);
}

void TcxPanelStyle::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxPanelStyle*>(Source)) {
    SetActive(source->Active());
    SetBorderWidth(source->BorderWidth());
    SetCaptionIndent(source->CaptionIndent());
    SetWordWrap(source->WordWrap());
    SetOfficeBackgroundKind(source->OfficeBackgroundKind());
    return;
  }
  inherited::Assign(Source);
}

TPersistent* TcxPanelStyle::GetOwner() { return FOwner; }

void TcxPanelStyle::ChangedWhileActive() {
  if (FActive && FOwner) FOwner->LayoutChanged();
}

void TcxPanelStyle::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (FOwner) FOwner->LayoutChanged();
}

void TcxPanelStyle::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  ChangedWhileActive();
}

void TcxPanelStyle::SetCaptionIndent(int Value) {
  Value = std::max(Value, 2);
  if (FCaptionIndent == Value) return;
  FCaptionIndent = Value;
  ChangedWhileActive();
}

void TcxPanelStyle::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  ChangedWhileActive();
}

void TcxPanelStyle::SetOfficeBackgroundKind(TcxPanelOffice11BackgroundKind Value) {
  if (FOfficeBackgroundKind == Value) return;
  FOfficeBackgroundKind = Value;
  if (FActive && FOwner && FOwner->Style()->LookAndFeel()->Kind() == lfOffice11) FOwner->LayoutChanged();
}

// ---- TcxCustomGroupBoxProperties ----------------------------------------------------------------------

TcxCustomEditViewDataClass TcxCustomGroupBoxProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxGroupBoxViewData>();
}
TClass TcxCustomGroupBoxProperties::EditClass() { return TcxCustomGroupBox::StaticClass(); }
TcxContainerViewInfoClass TcxCustomGroupBoxProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxGroupBoxViewInfo>();
}

// ---- TcxGroupBoxViewData ------------------------------------------------------------------------------

TcxCustomGroupBox* TcxGroupBoxViewData::GroupBox() const { return dynamic_cast<TcxCustomGroupBox*>(Edit); }

bool TcxGroupBoxViewData::CaptionShapesFrame() const {
  TcxCustomGroupBox* box = GroupBox();
  return box && !IsInplace && box->Alignment() != alCenterCenter && !box->PanelManner();
}

TcxContainerVisualState TcxGroupBoxViewData::ButtonStateAt(const TPoint&, TShiftState) {
  return Enabled ? cvsNormal : cvsDisabled;
}

void TcxGroupBoxViewData::BorderExtent(TRect& R) {
  TcxCustomEditViewData::BorderExtent(R);
  if (!CaptionShapesFrame()) return;
  TcxCustomGroupBox* box = GroupBox();
  const TcxGroupBoxCaptionPosition position = CaptionPositionOf(box->Alignment());
  const int extent = GroupBoxCaptionSideExtent(position, HeightOfText(box->CaptionFont(), "Wg"));
  switch (position) {
    case gcpTop: R.Top = extent; break;
    case gcpBottom: R.Bottom = extent; break;
    case gcpLeft: R.Left = extent; break;
    case gcpRight: R.Right = extent; break;
    default: break;
  }
}

void TcxGroupBoxViewData::ClientExtentWithButtons(TcxCanvas*, TcxCustomEditViewInfo* AViewInfo, TRect& R) {
  TcxCustomEditViewData::BorderExtent(R);
  TcxCustomGroupBox* box = GroupBox();
  if (!box) return;
  const TcxGroupBoxCaptionPosition position = CaptionPositionOf(box->Alignment());
  const bool skinned = AViewInfo && AViewInfo->UseSkins && AViewInfo->Painter;
  if (skinned) {
    TRect margins = box->PanelManner() ? AViewInfo->Painter->GroupBoxPanelMargins()
                                       : AViewInfo->Painter->GroupBoxFrameMargins(false, position);
    if (!box->PanelManner() && !box->Caption().empty()) {
      const TRect band =
          SkinnedCaptionBand(position, AViewInfo->Painter->GroupBoxFrameMargins(true, position));
      const bool nonClient = box->IsNonClientCaption();
      if (position == gcpTop) (nonClient ? margins.Bottom : margins.Top) += band.Top;
      if (position == gcpLeft) (nonClient ? margins.Right : margins.Left) += band.Left;
    }
    R = TRect(R.Left + margins.Left, R.Top + margins.Top, R.Right + margins.Right, R.Bottom + margins.Bottom);
  }
  if (!CaptionShapesFrame()) return;
  const int v = HeightOfText(box->CaptionFont(), "Wg") + R.Top + (skinned ? 0 : 3);
  switch (position) {
    case gcpTop: R.Top = v; break;
    case gcpBottom: R.Bottom = v; break;
    case gcpLeft: R.Left = v; break;
    case gcpRight: R.Right = v; break;
    default: break;
  }
}

bool TcxGroupBoxViewData::HasShadow() {
  TcxCustomGroupBox* box = GroupBox();
  const bool own = !box || (GroupBoxAllowsShadow(box->Alignment(), box->PanelManner()) && !NativeStyle &&
                            !EditStyle()->LookAndFeel()->SkinPainter());
  return own && TcxCustomEditViewData::HasShadow();
}

TColor TcxGroupBoxViewData::EditBorderColor() {
  const TcxEditBorderStyle style = EditStyle()->EditBorderStyle();
  if (style == ebsUltraFlat || style == ebsOffice11)
    return Enabled ? UltraFlatButtonBorderColor(style == ebsOffice11) : clBtnShadow;
  return EditStyle()->BorderColor();
}

void TcxGroupBoxViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                          TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxGroupBoxViewInfo*>(AViewInfo);
  TcxCustomGroupBox* box = GroupBox();
  if (IsInplace || !box) return;
  info->IsDesigning = IsDesigning;
  box->RefreshCaptionFont();
  ACanvas->AssignFont(box->CaptionFont());
  const String caption = box->Caption();
  info->Text = caption;
  const TcxCaptionAlignment alignment = box->Alignment();
  const int W = ABounds.Right - ABounds.Left, H = ABounds.Bottom - ABounds.Top;
  const TSize text = SingleLineExtent(ACanvas, caption);
  const bool skinned = info->UseSkins && info->Painter;
  if (box->PanelManner()) {
    const int shadow = AViewInfo->Shadow ? kGroupBoxShadow : 0;
    const TRect content = PanelCaptionContentRect(alignment, TRect(0, 0, W, H), shadow,
                                                  ContainerBorderWidth(AViewInfo->BorderStyle),
                                                  box->PanelStyle()->CaptionIndent());
    const unsigned flags = PanelCaptionTextFlags(alignment, box->PanelStyle()->WordWrap());
    TRect measured = content;
    win::DrawText(ACanvas->DeviceContext(), caption.c_str(), -1, reinterpret_cast<win::RECT*>(&measured),
                  flags | win::DT_CALCRECT);
    info->TextRect = PanelCaptionTextRect(alignment, content, measured);
    IntersectRects(info->CaptionRect, info->TextRect, content);
  } else if (skinned) {
    if (caption.empty()) {
      info->CaptionRect = info->TextRect = TRect();
      return;
    }
    const TcxGroupBoxCaptionPosition position = CaptionPositionOf(alignment);
    const int qq = SingleLineExtent(ACanvas, "Qq").cy;
    std::function<void(int&)> measure;
    if (box->OnMeasureCaptionHeight)
      measure = [box, info](int& Value) { box->OnMeasureCaptionHeight(box, info->Painter, Value); };
    const TcxSkinnedCaptionLayout layout =
        SkinnedGroupBoxCaptionLayout(alignment, W, H, text.cx, text.cy, qq,
                                     info->Painter->GroupBoxFrameMargins(true, position), box->IsNonClientCaption(),
                                     measure);
    info->BorderRect = layout.BorderRect;
    info->CaptionRect = layout.CaptionRect;
    info->TextRect = layout.TextRect;
  } else {
    const int shadow = AViewInfo->Shadow ? kGroupBoxShadow : 0;
    info->TextRect = PlainGroupBoxCaptionRect(alignment, W, H, shadow, text.cx, text.cy, caption.empty());
    info->CaptionRect = info->TextRect;
  }
}

// ---- TcxGroupBoxViewInfo ------------------------------------------------------------------------------

TcxCustomGroupBox* TcxGroupBoxViewInfo::GroupBox() const { return dynamic_cast<TcxCustomGroupBox*>(Edit); }

TcxCustomLookAndFeelPainterClass TcxGroupBoxViewInfo::CurrentPainter() const {
  if (UsesSkinPainter()) return Painter;
  if (NativeStyle) return WinXPLookAndFeelPainter();
  return Painter ? Painter : StandardLookAndFeelPainter();
}

void TcxGroupBoxViewInfo::PaintBody(TcxCanvas* ACanvas) {
  TcxCustomGroupBox* box = GroupBox();
  if (IsInplace || !box) {
    if (!CustomDrawBackground(ACanvas)) ACanvas->FillRectWithColor(Bounds, BackgroundColor);
    return;
  }
  DrawBackground(ACanvas);
  DrawCaption(ACanvas);
  if (!box->PanelManner()) ACanvas->ExcludeRectFromClip(CaptionRect);
  DrawFrame(ACanvas);
  if (PaintsValueDirectly) PaintButtons(ACanvas);
}

void TcxGroupBoxViewInfo::DrawBackground(TcxCanvas* ACanvas) {
  TcxCustomGroupBox* box = GroupBox();
  const bool panel = box->PanelManner();
  const int shadow = Shadow ? kGroupBoxShadow : 0;
  const TRect local(0, 0, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
  const TRect lessShadow(Bounds.Left, Bounds.Top, Bounds.Right - shadow, Bounds.Bottom - shadow);
  const bool office11Panel = panel && !UsesSkinPainter() && box->Style()->LookAndFeel()->Kind() == lfOffice11;
  if ((NativeStyle || office11Panel) && !UsesSkinPainter()) {
    TcxCustomLookAndFeelPainterClass painter = CurrentPainter();
    if (panel) {
      TRect r = lessShadow;
      if (BorderStyle != cbsNone) r = GrowRect(r, -painter->BorderWidth(), -painter->BorderWidth());
      if (box->IsTransparent()) {
        ACanvas->PushClipRegion();
        ACanvas->ClipToRect(r);
        painter->DrawGroupBoxControlBackground(ACanvas, box, lessShadow, clDefault, clDefault);
        ACanvas->PopClipRegion();
      } else if (NativeStyle) {
        if (box->UsesParentBackground())
          PaintParentBackground(box, ACanvas, r);
        else
          painter->DrawGroupBoxControlBackground(ACanvas, box, r, BackgroundColor, clDefault);
      } else {
        switch (box->PanelStyle()->OfficeBackgroundKind()) {
          case pobkGradient:
            painter->DrawGroupBoxControlBackground(ACanvas, box, r, Office11GradientLightColor,
                                                   Office11GradientDarkColor);
            break;
          case pobkOffice11Color:
            painter->DrawGroupBoxControlBackground(
                ACanvas, box, r, BlendColorsByPercent(Office11GradientLightColor, Office11GradientDarkColor, 50),
                clDefault);
            break;
          case pobkStyleColor:
            painter->DrawGroupBoxControlBackground(ACanvas, box, r, BackgroundColor, clDefault);
            break;
        }
      }
    } else if (box->IsTransparent() || box->UsesParentBackground()) {
      PaintParentBackground(box, ACanvas, Bounds);
    } else {
      ACanvas->FillRectWithColor(Bounds, BackgroundColor);
    }
    return;
  }
  if (UsesSkinPainter()) {
    const TRect r = panel ? lessShadow : (BorderStyle != cbsNone ? BorderRect : Bounds);
    if (box->DoCustomDrawContentBackground(ACanvas, r, Painter)) return;
    if (panel) {
      Painter->DrawGroupBoxPanelBackground(ACanvas, r, BorderStyle != cbsNone);
    } else if (BorderStyle == cbsNone) {
      Painter->DrawGroupBoxBackground(ACanvas, r, r);
    } else {
      const int position = box->Caption().empty() ? gcpNone : CaptionPositionOf(box->Alignment());
      if (Painter->GroupBoxCaptionTailLength(false, position) != 0 ||
          Painter->GroupBoxCaptionTailLength(true, position) != 0)
        PaintParentBackground(box, ACanvas, local);
      Painter->DrawGroupBoxSides(ACanvas, r, Edges, position);
    }
    return;
  }
  if (Shadow) PaintContainerShadow(ACanvas, ShadowRect);
  if (Transparent) return;
  if (box->IsTransparent())
    PaintParentBackground(box, ACanvas, local);
  else
    ACanvas->FillRectWithColor(local, BackgroundColor);
}

void TcxGroupBoxViewInfo::DrawCaption(TcxCanvas* ACanvas) {
  TcxCustomGroupBox* box = GroupBox();
  if (!box) return;
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(CaptionRect);
  const String caption = box->Caption();
  if (!caption.empty() && !box->DoCustomDrawCaption(ACanvas, CaptionRect, Painter)) {
    const TcxGroupBoxCaptionPosition position = CaptionPositionOf(box->Alignment());
    ACanvas->AssignFont(box->CaptionFont());
    TColor color = TextColor;
    if (UsesSkinPainter() || NativeStyle) {
      TcxCustomLookAndFeelPainterClass painter = CurrentPainter();
      const TColor themed =
          box->PanelManner() ? painter->GroupBoxPanelTextColor() : painter->GroupBoxCaptionTextColor(Enabled, position);
      if (themed != clDefault) color = themed;
    }
    ACanvas->ActiveFont()->SetColor(color);
    if (UsesSkinPainter() && !box->PanelManner()) {
      TRect r = CaptionRect;
      if (BorderStyle == cbsNone && position != gcpNone) {
        const TRect m = Painter->GroupBoxFrameMargins(false, OppositeCaptionPosition(position));
        r = GrowRectSides(r, m.Left, m.Top, m.Right, m.Bottom);
      }
      Painter->DrawGroupBoxCaptionBackground(ACanvas, r, position);
    }
    ACanvas->ActiveBrush()->SetStyle(bsClear);
    if (IsVerticalCaption(box->Alignment(), box->PanelManner())) {
      DrawTextRotated(ACanvas, caption, TextRect, win::DT_VCENTER, clDefault,
                      position == gcpLeft ? rcTurnLeft : rcTurnRight);
    } else {
      TRect r = TextRect;
      const unsigned flags = box->PanelManner()
                                 ? PanelCaptionTextFlags(box->Alignment(), box->PanelStyle()->WordWrap())
                                 : win::DT_SINGLELINE;
      DrawTextOnDC(ACanvas->DeviceContext(), caption, r, flags, -1, clDefault, win::TRANSPARENT);
    }
  }
  ACanvas->PopClipRegion();
}

void TcxGroupBoxViewInfo::DrawFrame(TcxCanvas* ACanvas) {
  TcxCustomGroupBox* box = GroupBox();
  const int shadow = Shadow ? kGroupBoxShadow : 0;
  TRect r = BorderRect;
  GrowRectOnEdges(r, ContainerBorderWidth(BorderStyle), Edges);
  if (box->PanelManner()) r = TRect(Bounds.Left, Bounds.Top, Bounds.Right - shadow, Bounds.Bottom - shadow);
  if (NativeStyle) {
    if (BorderStyle == cbsNone) return;
    if (box->PanelManner()) {
      CurrentPainter()->DrawControlBorder(ACanvas, r);
      return;
    }
    TRect frame(0, 0, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
    if (!box->Caption().empty()) {
      ACanvas->AssignFont(box->CaptionFont());
      const int half = ACanvas->MeasureTextHeight("Qq") / 2;
      switch (CaptionPositionOf(box->Alignment())) {
        case gcpTop: frame.Top = half; break;
        case gcpBottom: frame.Bottom -= half; break;
        case gcpLeft: frame.Left = half; break;
        case gcpRight: frame.Right -= half; break;
        default: break;
      }
    }
    WinXPLookAndFeelPainter()->DrawGroupBoxBorder(ACanvas, frame, Enabled, gcpNone, cxBordersAll);
    return;
  }
  if (UsesSkinPainter()) return;
  switch (BorderStyle) {
    case cbsSingle: ACanvas->DrawSideFrame(r, BorderColor, 1, Edges); break;
    case cbsThick: ACanvas->DrawSideFrame(r, BorderColor, 2, Edges); break;
    case cbsFlat: FlatLookAndFeelPainter()->DrawGroupBoxBorder(ACanvas, r, Enabled, gcpNone, Edges); break;
    case cbs3D:
      if (box->Ctl3D()) {
        StandardLookAndFeelPainter()->DrawGroupBoxBorder(ACanvas, r, Enabled, gcpNone, Edges);
      } else {
        ACanvas->DrawSideFrame(r, clWindowFrame, 1, Edges);
        ACanvas->DrawSideFrame(GrowRect(r, -1, -1), BackgroundColor, 1, Edges);
      }
      break;
    default: break;
  }
}

// ---- TcxCustomGroupBox --------------------------------------------------------------------------------

TcxCustomGroupBox::TcxCustomGroupBox(TComponent* AOwner)
    : TcxCustomGroupBox(AOwner, TcxCustomEditClasses{TcxCustomGroupBoxProperties::StaticClass(), nullptr,
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomGroupBox::TcxCustomGroupBox(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomEdit(AOwner, Classes) {
  Construct();
}

TcxCustomGroupBox::~TcxCustomGroupBox() = default;

void TcxCustomGroupBox::Construct() { InitializeEditor(); }

void TcxCustomGroupBox::InitializeEditor() {
  TcxCustomEdit::InitializeEditor();
  TControlStyle style = ControlStyle();
  style.Include(csAcceptsControls);
  style.Include(csCaptureMouse);
  style.Include(csClickEvents);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 185, 105);
  FCaptionFont = std::make_unique<TFont>();
  RefreshCaptionFont();
  SetTabStop(false);
  FPanelStyle = CreatePanelStyle();
}

std::unique_ptr<TcxPanelStyle> TcxCustomGroupBox::CreatePanelStyle() { return std::make_unique<TcxPanelStyle>(this); }

void TcxCustomGroupBox::RefreshCaptionFont() {
  if (FCaptionFont) FCaptionFont->Assign(EffectiveFont());
}

void TcxCustomGroupBox::SetAlignment(TcxCaptionAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  LayoutChanged();
}

void TcxCustomGroupBox::SetPanelStyle(TcxPanelStyle* Value) {
  FPanelStyle->Assign(Value);
  LayoutChanged();
}

void TcxCustomGroupBox::LayoutChanged() {
  if (!FCaptionFont) return;  // still being made
  RefreshCaptionFont();
  RefreshStateAtCursor(false);
  UpdateNonClientArea();
  Realign();
  Invalidate();
}

bool TcxCustomGroupBox::DoCustomDrawCaption(TcxCanvas* ACanvas, const TRect& R,
                                            TcxCustomLookAndFeelPainterClass APainter) {
  bool done = false;
  if (OnCustomDrawCaption) OnCustomDrawCaption(this, ACanvas, R, APainter, done);
  return done;
}

bool TcxCustomGroupBox::DoCustomDrawContentBackground(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxCustomLookAndFeelPainterClass APainter) {
  bool done = false;
  if (OnCustomDrawContentBackground) OnCustomDrawContentBackground(this, ACanvas, R, APainter, done);
  return done;
}

bool TcxCustomGroupBox::IsNonClientCaption() {
  return !PanelManner() && SupportsNonClientCaption() && Style()->LookAndFeel()->SkinPainter() &&
         !Caption().empty() && FAlignment != alCenterCenter;
}

TcxContainerStyle* TcxCustomGroupBox::ActiveStyle() {
  return Enabled() ? static_cast<TcxContainerStyle*>(Style()) : StyleDisabled();
}

TcxContainerStyleValues TcxCustomGroupBox::HiddenStyleValues() {
  TcxContainerStyleValues values = TcxCustomEdit::HiddenStyleValues();
  values.Include(csvHotTrack);
  return values;
}

bool TcxCustomGroupBox::UsesParentBackground() {
  return UsesNativeStyle() && ParentBackground() && !IsInPlace() && !Transparent();
}

bool TcxCustomGroupBox::InvalidatesChildren() {
  return FRedrawOnResize && (UsesNativeStyle() || Style()->LookAndFeel()->SkinPainter() ||
                             IsNativeThemeActive(true, tciButton));
}

void TcxCustomGroupBox::ContainerStyleChanged(TObject* Sender) {
  RefreshCaptionFont();
  TcxCustomEdit::ContainerStyleChanged(Sender);
}

void TcxCustomGroupBox::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  TcxCustomEdit::LookAndFeelChanged(Sender, ChangedValues);
  UpdateNonClientArea();
  Invalidate();
}

void TcxCustomGroupBox::AdjustClientRect(win::RECT& Rect) {
  if (IsDestroying()) return;
  EnsureLayout();
  TcxGroupBoxViewInfo* info = GroupBoxViewInfo();
  TRect extent;
  std::unique_ptr<TcxCustomEditViewData> data(CreateEditViewData());
  FillViewDataState(data.get());
  TcxCanvas* canvas = Canvas();
  data->ClientExtentWithButtons(canvas, info, extent);
  TRect r(extent.Left, extent.Top, Width() - extent.Right, TcxCustomEdit::Height() - extent.Bottom);
  if (PanelManner()) r = GrowRect(r, -FPanelStyle->BorderWidth(), -FPanelStyle->BorderWidth());
  Rect = r;
}

void TcxCustomGroupBox::ShadowOutline(TRect& R) {
  if (PanelManner()) {
    const int shadow = EditViewInfo()->Shadow ? kGroupBoxShadow : 0;
    R = TRect(0, 0, Width() - shadow, TcxCustomEdit::Height() - shadow);
  } else {
    TcxCustomEdit::ShadowOutline(R);
  }
  switch (CaptionPositionOf(FAlignment)) {
    case gcpTop: R.Top = 0; break;
    case gcpBottom: R.Bottom = TcxCustomEdit::Height(); break;
    case gcpLeft: R.Left = 0; break;
    case gcpRight: R.Right = Width(); break;
    default: break;
  }
}

void TcxCustomGroupBox::ShadowInsets(TRect& R) {
  TcxCustomEdit::ShadowInsets(R);
  TRect outline;
  ShadowOutline(outline);
  const TRect& frame = EditViewInfo()->BorderRect;
  const TcxGroupBoxCaptionPosition position = CaptionPositionOf(FAlignment);
  if (position == gcpTop) R.Top = frame.Top - outline.Top;
  if (position == gcpLeft) R.Left = frame.Left - outline.Left;
}

void TcxCustomGroupBox::Paint() {
  bool done = false;
  if (OnCustomDraw) OnCustomDraw(this, done);
  if (!done) TcxCustomEdit::Paint();
}

void TcxCustomGroupBox::CreateWnd() {
  TcxCustomEdit::CreateWnd();
  UpdateNonClientArea();
}

void TcxCustomGroupBox::UpdateNonClientArea() {
  if (!HandleAllocated() || !SupportsNonClientCaption()) return;
  win::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE |
                        win::SWP_FRAMECHANGED);
  win::PostMessage(Handle(), CM_GROUPBOXNCREDRAW, 0, 0);
}

void TcxCustomGroupBox::PaintNonClientCaption() {
  TcxGroupBoxViewInfo* info = GroupBoxViewInfo();
  TcxCustomLookAndFeelPainterClass skin = Style()->LookAndFeel()->SkinPainter();
  if (!skin) return;
  const TcxGroupBoxCaptionPosition position = CaptionPositionOf(FAlignment);
  const TRect band = SkinnedCaptionBand(position, skin->GroupBoxFrameMargins(true, position));
  win::HDC dc = win::GetWindowDC(Handle());
  if (!dc) return;
  TCanvas canvas;
  canvas.SetHandle(dc);
  TcxCanvas cx(&canvas);
  TRect r = info->CaptionRect;
  switch (position) {
    case gcpTop: r.Bottom = r.Top + band.Top; break;
    case gcpBottom: r.Top = r.Bottom - band.Bottom; break;
    case gcpLeft: r.Right = r.Left + band.Left; break;
    case gcpRight: r.Left = r.Right - band.Right; break;
    default: break;
  }
  try {
    cx.PushDCState();
    cx.PlaceWindowOrigin(TPoint(-band.Left, -band.Top));
    cx.ClipToRect(r);
    info->DrawCaption(&cx);
    cx.PopDCState();
  } catch (...) {
    canvas.SetHandle(nullptr);
    win::ReleaseDC(Handle(), dc);
    throw;
  }
  canvas.SetHandle(nullptr);
  win::ReleaseDC(Handle(), dc);
}

void TcxCustomGroupBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_NCCALCSIZE:
      if (IsNonClientCaption()) {
        TcxCustomEdit::WndProc(Message);
        const TcxGroupBoxCaptionPosition position = CaptionPositionOf(FAlignment);
        const TRect band = SkinnedCaptionBand(
            position, Style()->LookAndFeel()->SkinPainter()->GroupBoxFrameMargins(true, position));
        auto* r = reinterpret_cast<win::RECT*>(Message.LParam);
        r->left += band.Left;
        r->top += band.Top;
        r->right -= band.Right;
        r->bottom -= band.Bottom;
        return;
      }
      break;
    case win::WM_NCPAINT:
      if (IsNonClientCaption()) {
        TcxCustomEdit::WndProc(Message);
        PaintNonClientCaption();
        return;
      }
      break;
    case CM_GROUPBOXNCREDRAW:
      if (SupportsNonClientCaption() && HandleAllocated()) {
        win::RedrawWindow(Handle(), nullptr, nullptr,
                          win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN);
        Realign();
      }
      break;
    case CM_TEXTCHANGED:
      TcxCustomEdit::WndProc(Message);
      // The caption's rectangles and the frame's gap follow the new text.
      RefreshStateAtCursor(false);
      Invalidate();
      if (IsNonClientCaption()) UpdateNonClientArea();
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && CanFocus()) {
        FSelectingByAccelerator = true;
        try {
          // The first child in tab order takes the focus, or any child when none is a tab stop.
          TWinControl* first = FindNextControl(nullptr, true, true, false);
          if (!first) first = FindNextControl(nullptr, true, false, false);
          if (first && first->CanFocus()) first->SetFocus();
        } catch (...) {
          FSelectingByAccelerator = false;
          throw;
        }
        FSelectingByAccelerator = false;
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TcxCustomEdit::WndProc(Message);
}

// ---- TcxGroupBox --------------------------------------------------------------------------------------

void TcxGroupBox::DeclareProperties(TPropTable& t) {
  using G = TcxGroupBox;
  // What every windowed control of a form description publishes; the group box's own come after
  // and take precedence.
  stdctrls_detail::PublishWinControl(t);
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("Alignment", &G::Alignment, &G::SetAlignment).SetDefault(alTopLeft);
  t.Add("CaptionBkColor", &G::CaptionBkColor, &G::SetCaptionBkColor).Stored(false);
  t.Add("Color", &G::Color, &G::SetColor).Idents(&ColorToIdent, &IdentToColor).Stored(false);
  t.Add("Font", &G::Font, &G::SetFont).Stored(false);
  t.Add("PanelStyle", &G::PanelStyle, &G::SetPanelStyle);
  t.Add("RedrawOnResize", &G::RedrawOnResize, &G::SetRedrawOnResize).SetDefault(true);
  t.Redeclare("TabStop").SetDefault(false);
  t.Add("Style", &G::Style, &G::SetStyle);
  t.Add("StyleDisabled", &G::StyleDisabled, &G::SetStyleDisabled);
  t.Add("StyleFocused", &G::StyleFocused, &G::SetStyleFocused);
  t.Add("StyleHot", &G::StyleHot, &G::SetStyleHot);
}

namespace {
// Form descriptions create group boxes by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TcxGroupBox>();
  return true;
}();
}  // namespace
