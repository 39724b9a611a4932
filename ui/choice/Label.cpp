#include "ui/choice/Label.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/FilterEditHelpers.h"
#include "ui/editors/TextEdit.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/ThemeManager.h"

namespace {

// Puts the canvas font back as it was when the scope began.
class TCanvasFontKeeper {
 public:
  explicit TCanvasFontKeeper(TcxCanvas* ACanvas) : FCanvas(ACanvas) { FSaved.Assign(ACanvas->ActiveFont()); }
  ~TCanvasFontKeeper() { FCanvas->AssignFont(&FSaved); }
  TCanvasFontKeeper(const TCanvasFontKeeper&) = delete;
  TCanvasFontKeeper& operator=(const TCanvasFontKeeper&) = delete;

 private:
  TcxCanvas* FCanvas;
  TFont FSaved;
};

bool CanvasFontIsTrueType(TcxCanvas* ACanvas) {
  win::TEXTMETRICA metrics{};
  win::GetTextMetrics(ACanvas->DeviceContext(), &metrics);
  return (metrics.tmPitchAndFamily & win::TMPF_TRUETYPE) != 0;
}

String WithoutAccelerators(const String& Text) {
  String result;
  StripAccelerators(Text, false, result);
  return result;
}

LibraryTextFlags HorzTextFlag(TAlignment Horz) {
  switch (Horz) {
    case taRightJustify: return ltfAlignRight;
    case taCenter: return ltfCenterHorz;
    default: return ltfAlignLeft;
  }
}

LibraryTextFlags VertTextFlag(TcxEditVertAlignment Vert) {
  switch (Vert) {
    case taBottomJustify: return ltfAlignBottom;
    case taVCenter: return ltfCenterVert;
    default: return ltfAlignTop;
  }
}

// The text editor's layout form of the flags the framework keeps in the view info.
TcxTextLayoutFlags ToLayoutFlags(LibraryTextFlags Flags) {
  TcxTextLayoutFlags result = 0;
  if (Flags & ltfAlignRight) result |= tlfAlignRight;
  if (Flags & ltfCenterHorz) result |= tlfCenterHorz;
  if (Flags & ltfAlignBottom) result |= tlfAlignBottom;
  if (Flags & ltfCenterVert) result |= tlfCenterVert;
  if (Flags & ltfEndEllipsis) result |= tlfEndEllipsis;
  if (!(Flags & ltfShowPrefix)) result |= tlfHidePrefix;
  return result;
}

}  // namespace

// ---- style ------------------------------------------------------------------------------------------

TcxContainerBorderStyle TcxLabelEditStyle::BorderStyleFallback() {
  return State() == csiNormal ? cbsNone : TcxEditStyle::BorderStyleFallback();
}

// ---- properties ---------------------------------------------------------------------------------------

TcxCustomLabelProperties::TcxCustomLabelProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner), FLineOptions(std::make_unique<TcxLabelLineOptions>()) {
  FLineOptions->OnChanged = [this] { SignalChanged(); };
}

TcxCustomLabelProperties::~TcxCustomLabelProperties() = default;

void TcxCustomLabelProperties::MakeGlyph() {
  FGlyph = std::make_unique<TBitmap>();
  FGlyph->OnChange = [this](TObject*) { SignalChanged(); };
}

TBitmap* TcxCustomLabelProperties::Glyph() {
  if (!FGlyph) MakeGlyph();
  return FGlyph.get();
}

void TcxCustomLabelProperties::SetGlyph(TBitmap* Value) {
  if (!Value) {
    FGlyph.reset();
  } else {
    if (!FGlyph) MakeGlyph();
    FGlyph->Assign(Value);
  }
  SignalChanged();
}

void TcxCustomLabelProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomLabelProperties*>(Source);
  if (!source) {
    TcxCustomEditProperties::Assign(Source);
    return;
  }
  LockUpdate();
  try {
    TcxCustomEditProperties::Assign(Source);
    SetLabelEffect(source->LabelEffect());
    SetLabelStyle(source->LabelStyle());
    SetOrientation(source->Orientation());
    SetDepth(source->Depth());
    SetShadowedColor(source->ShadowedColor());
    SetAngle(source->Angle());
    SetPenWidth(source->PenWidth());
    TBitmap empty;
    SetGlyph(source->FGlyph ? source->FGlyph.get() : &empty);
    SetShowAccelChar(source->ShowAccelChar());
    SetWordWrap(source->WordWrap());
    SetLineOptions(source->LineOptions());
  } catch (...) {
    UnlockUpdate(true);
    throw;
  }
  UnlockUpdate(true);
}

TPoint TcxCustomLabelProperties::DepthDelta() { return LabelDepthDelta(FLabelEffect, FOrientation, FDepth); }

TcxCustomEditViewDataClass TcxCustomLabelProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomLabelViewData>();
}
TClass TcxCustomLabelProperties::EditClass() { return TcxLabel::StaticClass(); }
TcxContainerStyleClass TcxCustomLabelProperties::StyleClass() { return ContainerStyleClassOf<TcxLabelEditStyle>(); }
TcxContainerViewInfoClass TcxCustomLabelProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomLabelViewInfo>();
}

String TcxCustomLabelProperties::ValueDisplayText(const Variant& Value) {
  Variant converted;
  ConvertToEditValue(Value, converted, false);
  return VarToStr(converted);
}

void TcxCustomLabelProperties::ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  EditValue = Variant(VarToStr(DisplayValue));
}

void TcxLabelProperties::DeclareProperties(TPropTable& t) {
  using P = TcxLabelProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("Angle", &P::Angle, &P::SetAngle).SetDefault(0);
  t.Add("Depth", &P::Depth, &P::SetDepth).SetDefault(0);
  t.Add("Glyph", &P::Glyph, &P::SetGlyph).Stored(&P::HasGlyph);
  t.Add("LabelEffect", &P::LabelEffect, &P::SetLabelEffect).SetDefault(cxleNormal);
  t.Add("LabelStyle", &P::LabelStyle, &P::SetLabelStyle).SetDefault(cxlsNormal);
  t.Add("LineOptions", &P::LineOptions, &P::SetLineOptions);
  t.Add("Orientation", &P::Orientation, &P::SetOrientation).SetDefault(cxoRightBottom);
  t.Add("PenWidth", &P::PenWidth, &P::SetPenWidth).SetDefault(1);
  t.Add("ShadowedColor", &P::ShadowedColor, &P::SetShadowedColor)
      .Idents(&ColorToIdent, &IdentToColor)
      .SetDefault(clGrayText);
  t.Add("ShowAccelChar", &P::ShowAccelChar, &P::SetShowAccelChar).SetDefault(true);
  t.Add("ShowEndEllipsis", &P::ShowEndEllipsis, &P::SetShowEndEllipsis).Stored(false);
  t.Add("Transparent", &P::Transparent, &P::SetTransparent).Stored(false);
  t.Add("WordWrap", &P::WordWrap, &P::SetWordWrap).SetDefault(false);
}

// ---- view data ----------------------------------------------------------------------------------------

int TcxCustomLabelViewData::PrepareFont(TcxCanvas* ACanvas) {
  TcxCustomEditStyle* style = EditStyle();
  TFont* font = style->IsDirectAccess() ? style->Font() : style->DisplayFont();
  const int angle = LabelProperties()->Angle();
  return EffectiveLabelAngle(angle, PrepareRotatedFont(ACanvas->Canvas(), font, angle));
}

int TcxCustomLabelViewData::StyleOffset(TcxCanvas* ACanvas) {
  return LabelStyleOffset(LabelProperties()->LabelStyle(), ACanvas->ActiveFont()->Size());
}

TRect TcxCustomLabelViewData::LineBounds(TRect& T, const TRect& C, bool Vertical, int Thickness, bool Visible,
                                         TcxLabelLineAlignment LineAlignment) {
  return LabelLineBounds(T, C, Vertical, Thickness, Visible, LineAlignment, HorzAlignment, VertAlignment);
}

TSize TcxCustomLabelViewData::TextExtent(TcxCanvas* ACanvas, const TRect& R, bool FinalPass, const String& Text) {
  TcxCustomLabelProperties* p = LabelProperties();
  const int angle = EffectiveLabelAngle(p->Angle(), CanvasFontIsTrueType(ACanvas));
  const String text = angle != 0 && p->ShowAccelChar() ? WithoutAccelerators(Text) : Text;
  LibraryTextFlags flags = ltfAlignLeft | ltfAlignTop;
  if (p->WordWrap() && angle == 0 && !(IsInplace && R.Right <= 0)) flags |= ltfWordBreak;
  if (p->ShowAccelChar() && angle == 0) flags |= ltfShowPrefix;
  if (!FinalPass) flags |= ltfNoWordSplit;
  TRect measured = R;
  win::HDC dc = ACanvas->DeviceContext();
  const int mode = win::SetBkMode(dc, win::TRANSPARENT);
  win::DrawText(dc, text.c_str(), -1, reinterpret_cast<win::RECT*>(&measured),
                TextFlagsToDrawTextFormat(flags) | win::DT_CALCRECT);
  win::SetBkMode(dc, mode);
  TSize size = RotatedTextExtent(TSize(WidthOfRect(measured), HeightOfRect(measured)), angle);
  const int offset = StyleOffset(ACanvas);
  const TPoint depth = p->DepthDelta();
  size.cx += offset + depth.X;
  size.cy += offset + depth.Y;
  return size;
}

TRect TcxCustomLabelViewData::TextBounds(TcxCanvas* ACanvas, const TRect& C, int Angle, const String& Text) {
  TRect t = C;
  if (IsInplace && Angle == 0 && !IsLineVisible(Angle)) return t;
  const TSize across = TextExtent(ACanvas, t, false, Text);
  switch (HorzAlignment) {
    case taLeftJustify: t.Right = std::min(t.Left + across.cx, t.Right); break;
    case taRightJustify: t.Left = std::max(t.Right - across.cx, t.Left); break;
    default: t = CenterExtentInRect(t, across.cx, HeightOfRect(t)); break;
  }
  const TSize down = TextExtent(ACanvas, t, true, Text);
  switch (VertAlignment) {
    case taTopJustify: t.Bottom = std::min(t.Top + down.cy, t.Bottom); break;
    case taBottomJustify: t.Top = std::max(t.Bottom - down.cy, t.Top); break;
    default: t = CenterExtentInRect(t, WidthOfRect(t), down.cy); break;
  }
  return t;
}

LibraryTextFlags TcxCustomLabelViewData::LabelTextFlags() {
  LibraryTextFlags flags = HorzTextFlag(HorzAlignment) | VertTextFlag(VertAlignment);
  if (PaintOptions() & epoShowEndEllipsis) flags |= ltfEndEllipsis;
  TcxCustomLabelProperties* p = LabelProperties();
  if (p->ShowAccelChar() && (p->Angle() % 360 + 360) % 360 == 0) flags |= ltfShowPrefix;
  return flags;
}

int TcxCustomLabelViewData::LineThickness() {
  TcxCustomLookAndFeelPainterClass painter =
      Edit ? EditStyle()->LookAndFeel()->ActivePainter() : CustomLookAndFeelPainter();
  return (painter ? painter : CustomLookAndFeelPainter())->LabelLineThickness();
}

bool TcxCustomLabelViewData::IsLineVisible(int Angle) {
  return IsLabelLineVisible(LabelProperties()->LineOptions()->Visible(), Angle);
}

void TcxCustomLabelViewData::EditValueToDisplayText(const Variant& Value, String& Text) { Text = VarToStr(Value); }

void TcxCustomLabelViewData::PrepareDisplayValue(TcxCanvas*, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) {
  DisplayTextForValue(Value, static_cast<TcxCustomLabelViewInfo*>(AViewInfo)->Text);
}

void TcxCustomLabelViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                             TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                             bool AIsMouseEvent) {
  TcxCustomEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (IsInplace && (ABounds.Bottom == cxMaxEditBound || ABounds.Right >= cxMaxEditBound)) return;
  auto* info = static_cast<TcxCustomLabelViewInfo*>(AViewInfo);
  TcxCustomLabelProperties* p = LabelProperties();
  info->TextEditable = false;
  info->SelectionBar = false;
  info->PopupOpen = false;
  info->DrawFlags = ToLayoutFlags(LabelTextFlags());
  if (info->BorderStyle == cbsNone) info->NativeStyle = false;
  if (!IsInplace && Edit) info->Transparent = Edit->Transparent();

  info->LabelEffect = p->LabelEffect();
  info->LabelStyle = p->LabelStyle();
  info->Orientation = p->Orientation();
  info->Depth = p->Depth();
  info->ShadowedColor = p->ShadowedColor();
  info->ShowAccelChar = p->ShowAccelChar();
  info->Angle = p->Angle();
  info->PenWidth = p->PenWidth();
  info->WordWrap = p->WordWrap();
  info->LineOuterColor = p->LineOptions()->OuterColor();
  info->LineInnerColor = p->LineOptions()->InnerColor();
  info->Alignment()->Assign(p->Alignment());
  info->Glyph = p->Glyph();
  info->DepthDelta = p->DepthDelta();

  {
    TCanvasFontKeeper keeper(ACanvas);
    const int angle = PrepareFont(ACanvas);
    info->StyleOffset = StyleOffset(ACanvas);
    TRect t = TextBounds(ACanvas, info->ClientRect, angle, info->Text);
    info->LineVertical = angle != 0;
    info->LineRect = LineBounds(t, info->ClientRect, info->LineVertical, LineThickness(), IsLineVisible(angle),
                                p->LineOptions()->Alignment());
    info->LabelTextRect = t;
    info->TextRect = t;
  }
  info->FocusRect = !IsInplace && Focused && !info->Text.empty() ? GrowRect(info->LabelTextRect, 1, 1) : TRect();
  info->TextDrawOffsets = InplaceContentOffsets;
  info->BitmapDirty = true;
}

TSize TcxCustomLabelViewData::ContentSizeForValue(TcxCanvas* ACanvas, const Variant& Value,
                                                  const TcxEditSizeProperties& Request) {
  TCanvasFontKeeper keeper(ACanvas);
  const int angle = PrepareFont(ACanvas);
  String text;
  if (Edit)
    text = Edit->Caption();
  else
    DisplayTextForValue(Value, text);
  // An empty label is one line high.
  if (text.empty()) text = " ";
  const bool bordered = !IsInplace && EffectiveBorderStyle() != ebsNone;
  int width = Request.Width;
  if (width >= 0) {
    width -= StyleOffset(ACanvas) + LabelProperties()->DepthDelta().X;
    if (IsInplace)
      width -= ContentMarginsTotal().cx;
    else if (bordered)
      width -= 2;
  }
  TSize size = TextExtent(ACanvas, TRect(0, 0, width, 0), false, text);
  if (IsInplace) {
    const TSize margins = ContentMarginsTotal();
    size.cx += margins.cx;
    size.cy += margins.cy;
  } else if (bordered) {
    size.cx += 2;
  }
  if (IsLineVisible(angle) && LabelProperties()->LineOptions()->Alignment() != cxllaCenter) {
    if (angle == 0)
      size.cy += LineThickness();
    else
      size.cx += LineThickness();
  }
  return size;
}

// ---- view info ----------------------------------------------------------------------------------------

TcxCustomLabelViewInfo::TcxCustomLabelViewInfo()
    : FAlignment(std::make_unique<TcxEditAlignment>(nullptr)), FBitmap(std::make_unique<TcxBitmap>()) {}

TcxCustomLabelViewInfo::~TcxCustomLabelViewInfo() = default;

void TcxCustomLabelViewInfo::PaintBody(TcxCanvas* ACanvas) {
  if (!IsInplace && Transparent && Edit) {
    // Nothing erases a see-through label: its border around the client area shows the parent too.
    ACanvas->PushClipRegion();
    ACanvas->ExcludeRectFromClip(ClientRect);
    PaintParentBackground(Edit, ACanvas, Bounds);
    ACanvas->PopClipRegion();
  }
  DrawEditBackgroundExcludingButtons(ACanvas, this, false);
  DrawLabel(ACanvas);
}

void TcxCustomLabelViewInfo::AssignBackgroundColor(TColor Color) {
  TcxCustomTextEditViewInfo::AssignBackgroundColor(Color);
  BitmapDirty = true;
}

void TcxCustomLabelViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  LabelTextRect = ShiftRect(LabelTextRect, DX, DY, true);
  FocusRect = ShiftRect(FocusRect, DX, DY, true);
  if (Transparent) BitmapDirty = true;
}

void TcxCustomLabelViewInfo::DrawLabel(TcxCanvas* ACanvas) {
  // Without a layout there is no font to draw with.
  if (RectHasNoArea(ClientRect) || !Font) return;
  TCanvasFontKeeper keeper(ACanvas);
  TRect t = IsInplace ? RectWithinMargins(LabelTextRect, TextDrawOffsets) : LabelTextRect;
  TRect l = LineRect;
  TRect c = ClientRect;
  if (!IsInplace && Transparent) {
    DrawContent(ACanvas, ACanvas, c, t, TPoint(c.Left, c.Top), l);
    return;
  }
  if (!IsInplace && NativeStyle) {
    TRect content;
    if (UxGetThemeBackgroundContentRect(AcquireThemeHandle(tciEdit), ACanvas->DeviceContext(), 1, NativeState, Bounds,
                                        content) == win::S_OK)
      c = content;
  }
  const TPoint position(Bounds.Left, Bounds.Top);
  if (position != DrawnPosition || BitmapDirty || Transparent) {
    DrawnPosition = position;
    FBitmap->Resize(WidthOfRect(c), HeightOfRect(c));
    t = ShiftRect(t, c.Left, c.Top, false);
    l = ShiftRect(l, c.Left, c.Top, false);
    DrawContent(FBitmap->OwnCanvas(), ACanvas, FBitmap->ImageRect(), t, TPoint(c.Left, c.Top), l);
    BitmapDirty = false;
  }
  const TCopyMode mode = ACanvas->CopyModeValue();
  ACanvas->ChangeCopyMode(cmSrcCopy);
  ACanvas->CopyRectFrom(c, FBitmap->Canvas(), FBitmap->ImageRect());
  ACanvas->ChangeCopyMode(mode);
}

void TcxCustomLabelViewInfo::DrawLabelBackground(TcxCanvas* ACanvas, TcxCanvas* ATarget, const TPoint& O,
                                                 const TRect& B) {
  const TPoint shift(O.X - B.Left, O.Y - B.Top);
  if (HasCustomBackground()) {
    TPoint origin;
    ACanvas->ReadWindowOrigin(origin);
    ACanvas->PlaceWindowOrigin(TPoint(origin.X + shift.X, origin.Y + shift.Y));
    bool handled = false;
    try {
      handled = CustomDrawBackground(ACanvas);
    } catch (...) {
      ACanvas->PlaceWindowOrigin(origin);
      throw;
    }
    ACanvas->PlaceWindowOrigin(origin);
    if (handled) return;
  }
  if (Transparent && !(IsInplace && Focused)) {
    const TRect source = ShiftRect(B, shift.X, shift.Y, true);
    if (IsInplace) {
      const TCopyMode mode = ACanvas->CopyModeValue();
      ACanvas->ChangeCopyMode(cmSrcCopy);
      ACanvas->CopyRectFrom(B, ATarget->Canvas(), source);
      ACanvas->ChangeCopyMode(mode);
    } else if (Edit) {
      PaintParentBackgroundShifted(Edit, ACanvas, source, shift);
    }
    return;
  }
  ACanvas->FillRectWithColor(B, BackgroundColor);
}

void TcxCustomLabelViewInfo::DrawTextOnce(TcxCanvas* ACanvas, const String& Text, const TRect& T, const TPoint& Q,
                                          bool Rotated) {
  if (Rotated) {
    const String text = ShowAccelChar ? WithoutAccelerators(Text) : Text;
    win::ExtTextOut(ACanvas->DeviceContext(), Q.X, Q.Y, 0, nullptr, text.c_str(), static_cast<win::UINT>(text.size()),
                    nullptr);
    return;
  }
  const TRect r = ShiftRect(TRect(T.Left, T.Top, T.Right - DepthDelta.X, T.Bottom - DepthDelta.Y), Q.X, Q.Y, true);
  LibraryTextFlags flags = HorzTextFlag(FAlignment->Horz()) | VertTextFlag(FAlignment->Vert());
  if (IsInplace && (PaintOptions & epoShowEndEllipsis)) flags |= ltfEndEllipsis;
  if (WordWrap) flags |= ltfWordBreak;
  if (ShowAccelChar) flags |= ltfShowPrefix;
  ACanvas->DrawTextInRect(Text, r, flags, true);
}

void TcxCustomLabelViewInfo::DrawMainText(TcxCanvas* ACanvas, const String& Text, const TRect& T, const TPoint& Q,
                                          bool Rotated, bool TrueType, bool SkipPlain) {
  if (Glyph && !Glyph->Empty() && TrueType) {
    win::HDC dc = ACanvas->DeviceContext();
    ACanvas->PushClipRegion();
    try {
      win::BeginPath(dc);
      DrawTextOnce(ACanvas, Text, T, Q, Rotated);
      win::EndPath(dc);
      // The letters' outlines clip the texture to them.
      win::SelectClipPath(dc, win::RGN_AND);
      ACanvas->FillRectWithBitmap(T, Glyph);
    } catch (...) {
      ACanvas->PopClipRegion();
      throw;
    }
    ACanvas->PopClipRegion();
    return;
  }
  if (!SkipPlain) DrawTextOnce(ACanvas, Text, T, Q, Rotated);
}

void TcxCustomLabelViewInfo::DrawContent(TcxCanvas* ACanvas, TcxCanvas* ATarget, const TRect& B, const TRect& T,
                                         const TPoint& O, const TRect& L) {
  DrawLabelBackground(ACanvas, ATarget, O, B);
  // The start point of turned text turns the level box about its centre: measure it level first.
  TSize unrotated;
  ACanvas->AssignFont(Font);
  const String plain = ShowAccelChar ? WithoutAccelerators(Text) : Text;
  TRect measured(0, 0, 0, 0);
  win::DrawText(ACanvas->DeviceContext(), plain.c_str(), -1, reinterpret_cast<win::RECT*>(&measured),
                win::DT_CALCRECT | win::DT_NOPREFIX);
  unrotated = TSize(WidthOfRect(measured), HeightOfRect(measured));
  const bool trueType = PrepareRotatedFont(ACanvas->Canvas(), Font, Angle);
  const int angle = EffectiveLabelAngle(Angle, trueType);
  const bool rotated = angle != 0;
  const TcxLabelOrigin origin =
      LabelOriginAndStep(T, angle, unrotated, DepthDelta, LabelEffect, Orientation, Depth, StyleOffset);
  TPoint p = origin.P;
  const TPoint step = origin.Step;
  ACanvas->ActiveBrush()->SetStyle(bsClear);

  const int copies = LabelDepthCopyCount(LabelEffect, Depth, step);
  if (copies > 0) {
    if (LabelEffect != cxleFun) ACanvas->ActiveFont()->SetColor(ShadowedColor);
    const win::COLORREF background = ColorToRGB(BackgroundColor), shadow = ColorToRGB(ShadowedColor);
    for (int i = 1; i <= copies; ++i) {
      if (LabelEffect == cxleFun)
        ACanvas->ActiveFont()->SetColor(static_cast<TColor>(LabelFunColor(i, copies, background, shadow)));
      DrawTextOnce(ACanvas, Text, T, p, rotated);
      p = TPoint(p.X + step.X, p.Y + step.Y);
    }
  }
  if (step.X < 0) p.X -= StyleOffset;
  if (step.Y < 0) p.Y -= StyleOffset;

  TFont* font = ACanvas->ActiveFont();
  const bool large = font->Size() >= 12;
  auto once = [&](TColor Colour, int DX, int DY) {
    font->SetColor(Colour);
    DrawTextOnce(ACanvas, Text, T, TPoint(p.X + DX, p.Y + DY), rotated);
  };
  switch (LabelStyle) {
    case cxlsNormal:
      font->SetColor(TextColor);
      DrawMainText(ACanvas, Text, T, p, rotated, trueType, false);
      break;
    case cxlsRaised:
      once(clBtnHighlight, 0, 0);
      if (large) once(clBtnShadow, 2, 2);
      font->SetColor(TextColor);
      DrawMainText(ACanvas, Text, T, TPoint(p.X + 1, p.Y + 1), rotated, trueType, false);
      break;
    case cxlsLowered:
      if (large) once(clBtnShadow, 0, 0);
      once(clBtnHighlight, 2, 2);
      font->SetColor(TextColor);
      DrawMainText(ACanvas, Text, T, TPoint(p.X + 1, p.Y + 1), rotated, trueType, false);
      break;
    case cxlsOutLine: {
      font->SetColor(TextColor);
      DrawMainText(ACanvas, Text, T, p, rotated, trueType, trueType);
      if (!trueType) break;
      win::HDC dc = ACanvas->DeviceContext();
      win::BeginPath(dc);
      DrawTextOnce(ACanvas, Text, T, p, rotated);
      win::EndPath(dc);
      TPen* pen = ACanvas->ActivePen();
      pen->SetColor(TextColor);
      pen->SetWidth(PenWidth);
      win::StrokePath(ACanvas->DeviceContext());
      pen->SetWidth(1);
      break;
    }
  }
  DrawLine(ACanvas, T, L);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TcxCustomLabelViewInfo::DrawLine(TcxCanvas* ACanvas, const TRect& T, const TRect& L) {
  if (RectHasNoArea(L)) return;
  ACanvas->PushClipRegion();
  ACanvas->ExcludeRectFromClip(LineVertical ? GrowRect(T, 0, 3) : GrowRect(T, 3, 0));
  TcxCustomLookAndFeelPainterClass painter = Painter ? Painter : CustomLookAndFeelPainter();
  try {
    painter->DrawLabelLine(ACanvas, L, LineOuterColor, LineInnerColor, LineVertical);
  } catch (...) {
    ACanvas->PopClipRegion();
    throw;
  }
  ACanvas->PopClipRegion();
}

// ---- the control --------------------------------------------------------------------------------------

TcxCustomLabel::TcxCustomLabel(TComponent* AOwner)
    : TcxCustomLabel(AOwner, TcxCustomEditClasses{TcxCustomLabelProperties::StaticClass(), nullptr,
                                                  EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomLabel::TcxCustomLabel(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomEdit(AOwner, Classes) {
  Construct();
}

TcxCustomLabel::~TcxCustomLabel() { SetFocusControl(nullptr); }

void TcxCustomLabel::InitializeEditor() {
  TcxCustomEdit::InitializeEditor();
  Construct();
}

// The label's own steps of the initialisation; the base ran its own in its constructor.
void TcxCustomLabel::Construct() {
  SetControlStyle(ControlStyle() - TControlStyle{csCaptureMouse});
  SetWidth(121);
  SetHeight(21);
}

void TcxCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == this || Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TcxCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TcxCustomLabel::InternalSetEditValue(const Variant& Value, bool ValidateValue) {
  TcxCustomEdit::InternalSetEditValue(Value, ValidateValue);
  if (!FCaptionToValue) SetCaption(VarToStr(Value));
  SetInnerEditValue(Variant(Caption()));
}

void TcxCustomLabel::SetInnerEditValue(const Variant& Value) {
  LabelViewInfo()->Text = VarToStr(Value);
  RefreshStateAtCursor(false);
}

void TcxCustomLabel::AutoSizeChanged() {
  TcxCustomEdit::AutoSizeChanged();
  if (AutoSize()) ActiveProperties()->LineOptions()->SetVisible(false);
}

void TcxCustomLabel::PropertiesChanged(TObject* Sender) {
  TcxCustomEdit::PropertiesChanged(Sender);
  if (ActiveProperties()->LineOptions()->Visible()) SetAutoSize(false);
}

bool TcxCustomLabel::AnchorsHorizontally() { return ActiveProperties()->Alignment()->Horz() != taLeftJustify; }
bool TcxCustomLabel::AnchorsVertically() { return ActiveProperties()->Alignment()->Vert() != taTopJustify; }
bool TcxCustomLabel::AutoSizeKeepsWidth() { return ActiveProperties()->WordWrap(); }

// A stand-alone label never takes the focus; in place its host decides.
bool TcxCustomLabel::CanFocus() { return TcxCustomEdit::CanFocus() && IsInPlace(); }
bool TcxCustomLabel::CanFocusOnClick() { return TcxCustomEdit::CanFocusOnClick() && IsInPlace(); }

int TcxCustomLabel::PaintStateCode() { return Enabled() ? 0 : 1; }

void TcxCustomLabel::Loaded() {
  EnsureHandle();
  TcxCustomEdit::Loaded();
}

void TcxCustomLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED: {
      TcxCustomEdit::WndProc(Message);
      TcxFlagScope guard(FCaptionToValue, true);
      SetEditValueChecked(Variant(Caption()));
      return;
    }
    case CM_DIALOGCHAR:
      if (FFocusControl && Enabled() && ActiveProperties()->ShowAccelChar() &&
          IsAccel(static_cast<unsigned>(Message.WParam), Caption()) && FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TcxCustomEdit::WndProc(Message);
}

// ---- TcxLabel -----------------------------------------------------------------------------------------

TcxLabel::TcxLabel(TComponent* AOwner)
    : TcxCustomLabel(AOwner, TcxCustomEditClasses{TcxLabelProperties::StaticClass(), nullptr,
                                                  EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxLabel::DeclareProperties(TPropTable& t) {
  using L = TcxLabel;
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("Anchors", &TControl::Anchors, &TControl::SetAnchors).SetDefault(TAnchors{akLeft, akTop});
  t.Add("AutoSize", &L::AutoSizeValue, &TcxCustomEdit::SetAutoSize).SetDefault(true);
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  t.Add("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor)
      .SetDefault(crDrag)
      .Idents(CursorToIdent, IdentToCursor);
  t.Add("DragKind", &TControl::DragKind, &TControl::SetDragKind).SetDefault(dkDrag);
  t.Add("DragMode", &TControl::DragMode, &TControl::SetDragMode).SetDefault(dmManual);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("FocusControl", &L::FocusControl, &L::SetFocusControl);
  t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).SetDefault(true);
  t.Add("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  t.Add("Properties", &L::Properties, &L::SetProperties);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  t.Add("Style", &L::Style, &L::SetStyle);
  t.Add("StyleDisabled", &L::StyleDisabled, &L::SetStyleDisabled);
  t.Add("StyleFocused", &L::StyleFocused, &L::SetStyleFocused);
  t.Add("StyleHot", &L::StyleHot, &L::SetStyleHot);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Stored(false);
  t.Add("Transparent", &TcxCustomEdit::Transparent, &TcxCustomEdit::SetTransparent).SetDefault(false);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnContextPopup", &TControl::OnContextPopup);
  t.Add("OnDblClick", &TControl::OnDblClick);
  t.Add("OnDragDrop", &TControl::OnDragDrop);
  t.Add("OnDragOver", &TControl::OnDragOver);
  t.Add("OnEndDock", &TControl::OnEndDock);
  t.Add("OnEndDrag", &TControl::OnEndDrag);
  t.Add("OnEnter", &TWinControl::OnEnter);
  t.Add("OnExit", &TWinControl::OnExit);
  t.Add("OnKeyDown", &TWinControl::OnKeyDown);
  t.Add("OnKeyPress", &TWinControl::OnKeyPress);
  t.Add("OnKeyUp", &TWinControl::OnKeyUp);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
  t.Add("OnMouseEnter", &TControl::OnMouseEnter);
  t.Add("OnMouseLeave", &TControl::OnMouseLeave);
  t.Add("OnMouseMove", &TControl::OnMouseMove);
  t.Add("OnMouseUp", &TControl::OnMouseUp);
  t.Add("OnStartDock", &TControl::OnStartDock);
  t.Add("OnStartDrag", &TControl::OnStartDrag);
}

// ---- unit -------------------------------------------------------------------------------------------

void LabelUnitStartup() {
  RegisterClass(TcxLabel::StaticClass());
  EditPropertiesClassRegistry()->AddClass(TcxLabelProperties::StaticClass(),
                                          GetLocalizedResString(scxSEditRepositoryLabelItem));
  FilterEditsControllerInstance()->AddHelper(TcxLabelProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterTextEditHelper>());
}

void LabelUnitShutdown() {
  FilterEditsControllerInstance()->RemoveHelper(TcxLabelProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterTextEditHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxLabelProperties::StaticClass());
}
