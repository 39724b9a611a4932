#include "ui/controls/EditViewData.h"

#include <algorithm>
#include <vector>

#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "ui/controls/Container.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/ScrollBar.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

// TMT_FILLCOLOR: a disabled themed edit's background.
constexpr int kThemeFillColor = 3802;
constexpr int kShadowSize = 3;
constexpr int kTransparentBorderWidth = 2;

bool IsEmptyArea(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
bool IsZeroRect(const TRect& R) { return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0; }
bool Contains(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
TRect Deflated(const TRect& R, const TRect& By) {
  return TRect(R.Left + By.Left, R.Top + By.Top, R.Right - By.Right, R.Bottom - By.Bottom);
}

constexpr TShiftState kMouseButtons{ssLeft, ssRight, ssMiddle};

bool OnlyLeftButton(TShiftState Shift) { return (Shift * kMouseButtons) == TShiftState{ssLeft}; }

TcxEditPopupBorderStyle PopupBorderStyleOfKind(TcxLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat: return epbsFlat;
    case lfStandard: return epbsFrame3D;
    default: return epbsSingle;
  }
}

}  // namespace

TcxEditButtonStyle ButtonStyleOfKind(TcxLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat: return btsFlat;
    case lfStandard: return bts3D;
    case lfUltraFlat: return btsUltraFlat;
    default: return btsOffice11;
  }
}

TcxLookAndFeelKind KindOfButtonStyle(TcxEditButtonStyle Style) {
  switch (Style) {
    case btsFlat: case btsSimple: case btsHotFlat: return lfFlat;
    case btsUltraFlat: return lfUltraFlat;
    case btsOffice11: return lfOffice11;
    default: return lfStandard;
  }
}

// ---- construction -----------------------------------------------------------------------------------

TcxCustomEditViewData::TcxCustomEditViewData(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle,
                                             bool AIsInplace)
    : IsInplace(AIsInplace), Properties(AProperties), FStyle(AStyle) {
  // The constructor's own steps; descendants run theirs from their constructors.
  TcxCustomEditViewData::InitializeDefaults();
  DefaultBackgroundColor = clDefault;
  DefaultTextColor = clDefault;
  TcxCustomEditViewData::LoadPropertiesState();
}

void TcxCustomEditViewData::InitializeDefaults() {
  InplaceContentOffsets = TRect();
  Enabled = true;
}

void TcxCustomEditViewData::LoadPropertiesState() {
  ButtonCount = Properties->Buttons()->VisibleCount();
  EditValueFollowsText = Properties->EditValueSource(false) != 0;
  TcxEditAlignment* alignment = Properties->Alignment();
  HorzAlignment = alignment->Horz();
  VertAlignment = alignment->Vert();
  NativeStyle = UsesNativeEditBorder(FStyle->LookAndFeel());
  FillContentOffsets(ContentOffsets);
}

void TcxCustomEditViewData::ButtonAreaMargins(TRect& Margins) {
  Margins = IsInplace ? TRect(1, 1, 1, 1) : TRect(1, 1, 1, 3);
}

void TcxCustomEditViewData::FillContentOffsets(TcxEditContentOffsets& Offsets) {
  ButtonAreaMargins(Offsets.Margins);
  Offsets.Extra = 3 - Offsets.Margins.Left - Offsets.Margins.Right;
  Offsets.HeightCorrection = NativeStyle ? NativeInnerEditHeightCorrection(Properties, IsInplace) : 0;
  Offsets.Rect = TRect();
  Offsets.Flags = 2;
}

bool TcxCustomEditViewData::UsesNativeEditBorder(TcxLookAndFeel* LookAndFeel) {
  return LookAndFeel && LookAndFeel->NativeStyle() && IsNativeThemeActive(true, tciEdit);
}

// ---- small answers ----------------------------------------------------------------------------------

void TcxCustomEditViewData::FireDisplayTextHook(String& Text) {
  if (OnGetDisplayText) OnGetDisplayText(this, Text);
}

void TcxCustomEditViewData::DisplayTextForValue(const Variant& Value, String& Text) {
  EditValueToDisplayText(Value, Text);
  FireDisplayTextHook(Text);
}

void TcxCustomEditViewData::EditValueToDisplayText(const Variant&, String& Text) { Text.clear(); }

bool TcxCustomEditViewData::ShowsEditingState() { return Edit ? Edit->ShowsEditingState() : Focused; }

int TcxCustomEditViewData::HeldButtonIndex() { return Edit ? Edit->HeldButtonIndex() : -1; }

bool TcxCustomEditViewData::ButtonHeldDown(TcxCustomEditViewInfo*, int) { return false; }

TSize TcxCustomEditViewData::EditContentSize(TcxCanvas*, const Variant&, const TcxEditSizeProperties&) {
  return TSize(0, 0);
}

int TcxCustomEditViewData::PaintOptions() const {
  int options = PaintFlags;
  if (!IsZeroRect(InplaceContentOffsets)) options |= epoInplaceContentOffsets;
  if (ContentOffsets.Flags & 1) options |= epoPressedButtonsShiftContent;
  return options;
}

int TcxCustomEditViewData::ButtonWidthOrDefault(int Index) {
  int width = Properties->Buttons()->ButtonAt(Index)->Width();
  if (width == 0 && OnGetDefaultButtonWidth) OnGetDefaultButtonWidth(this, Index, width);
  return width;
}

int TcxCustomEditViewData::CalculateEditState(TcxCustomEditViewInfo* AViewInfo) {
  TcxContainerVisualState state = AViewInfo->ContainerState;
  if (state & cvsDisabled) return 4;
  if (state & cvsHot) return 2;
  if (state & cvsFocused) return 5;
  if (Properties->ReadOnly()) return 6;
  return 1;
}

bool TcxCustomEditViewData::HasShadow() { return FStyle->Shadow() && !NativeStyle; }

TcxEditBorderStyle TcxCustomEditViewData::EffectiveBorderStyle() {
  if (IsInplace) return ebsNone;
  TcxEditBorderStyle style = FStyle->EditBorderStyle();
  return style == ebsUltraFlat || style == ebsOffice11 ? ebsSingle : style;
}

// ---- the container state ----------------------------------------------------------------------------

TcxContainerVisualState TcxCustomEditViewData::ButtonStateAt(const TPoint& P, TShiftState Shift) {
  if (!Enabled) return cvsDisabled;
  if (IsDesigning) return cvsNormal;
  TcxContainerVisualState state = Focused ? cvsFocused : cvsNormal;
  TRect hot;
  if (Edit)
    Edit->CalcInnerControlRect(hot);
  else
    hot = Deflated(Bounds, InplaceContentOffsets);
  bool captured = Edit && Edit->HandleAllocated() && GetCapture() == Edit->Handle();
  if (Contains(hot, P) && ((Shift * kMouseButtons).Empty() || captured)) state |= cvsHot;
  return state;
}

void TcxCustomEditViewData::CalculateContainerState(const TPoint& P, TShiftState AShift,
                                                    TcxCustomEditViewInfo* AViewInfo) {
  ContainerState = ButtonStateAt(P, AShift);
  ActiveOrHot = (ContainerState & (cvsFocused | cvsHot)) != 0;
  AViewInfo->ContainerState = ContainerState;
  if (IsDesigning || IsInplace || !FStyle->HotTrack())
    AViewInfo->HotTrackMode = 0;
  else
    AViewInfo->HotTrackMode = ActiveOrHot ? 2 : 1;
  if (Edit)
    if (TcxCustomEditStyle* style = Edit->StyleInEffect()) FStyle = style;
  TcxEditBorderStyle border = EffectiveBorderStyle();
  if (NativeStyle && !IsInplace) border = static_cast<TcxCustomEditStyle*>(FStyle->RootStyle())->EditBorderStyle();
  AViewInfo->EditBorderStyle = border;
}

// ---- the layout -------------------------------------------------------------------------------------

void TcxCustomEditViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                            TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TShiftState shift = AShift - TShiftState{ssShift, ssAlt, ssCtrl};
  Bounds = ABounds;
  int oldWidth = ContainerBorderWidth(static_cast<TcxContainerBorderStyle>(AViewInfo->EditBorderStyle));
  CalculateContainerState(P, shift, AViewInfo);
  // The hot area depends on the border's width.
  if (!IsInplace && !NativeStyle &&
      ContainerBorderWidth(static_cast<TcxContainerBorderStyle>(AViewInfo->EditBorderStyle)) < oldWidth)
    CalculateContainerState(P, shift, AViewInfo);

  AViewInfo->BorderStyle = static_cast<TcxContainerBorderStyle>(AViewInfo->EditBorderStyle);
  AViewInfo->ContainerState = ContainerState;
  AViewInfo->Properties = Properties;

  ButtonsStretched = IsInplace ? ABounds.Right != cxMaxEditBound && Properties->ButtonsViewStyle() != 0
                               : Properties->ButtonsViewStyle() == 1;

  AViewInfo->AdoptStylePainter(FStyle);
  AViewInfo->Bounds = ABounds;
  AViewInfo->Enabled = Enabled;
  AViewInfo->Focused = Focused;
  AViewInfo->Edit = Edit;
  if (Edit) {
    AViewInfo->HandlesErase = Edit->HandlesSystemErase();
    AViewInfo->InnerControlVisible = Edit->InnerControl() && Edit->InnerControl()->Visible();
    AViewInfo->PaintsValueDirectly = Edit->PaintsValueDirectly();
    AViewInfo->IsContainerInnerControl = dynamic_cast<IcxContainerInnerControl*>(Edit) != nullptr;
  }
  AViewInfo->IsDesigning = IsDesigning;
  AViewInfo->IsInplace = IsInplace;
  AViewInfo->HasInplaceOffsets = !IsZeroRect(InplaceContentOffsets);
  AViewInfo->PaintOptions = PaintOptions();
  AViewInfo->PressedButtonShiftsContent = (ContentOffsets.Flags & 2) != 0;
  AViewInfo->Edges = FStyle->Edges();
  AViewInfo->Font = FStyle->IsDirectAccess() ? FStyle->Font() : FStyle->DisplayFont();
  AViewInfo->Shadow = !IsInplace && HasShadow();
  AViewInfo->WindowHandle = WindowHandle;

  CalculateBorderAndColors(AViewInfo);
  CalculateButtonViewInfos(ACanvas, ABounds, P, AButton, shift, AViewInfo, AIsMouseEvent);

  TRect extent;
  ClientExtentWithButtons(ACanvas, AViewInfo, extent);
  AViewInfo->ClientRect = Deflated(ABounds, extent);
  if (Edit && Edit->InnerControl()) {
    RECT r = Edit->InnerControl()->BoundsRect();
    AViewInfo->InnerEditRect = TRect(r.left, r.top, r.right, r.bottom);
  } else {
    AViewInfo->InnerEditRect = AViewInfo->ClientRect;
  }
  CalculatePopupBorderStyle(AViewInfo);
}

void TcxCustomEditViewData::CalculateBorderAndColors(TcxCustomEditViewInfo* AViewInfo) {
  AViewInfo->NativeStyle = NativeStyle;
  AViewInfo->NativeState = NativeStyle ? CalculateEditState(AViewInfo) : 0;
  if (NativeStyle) {
    AViewInfo->ThemedObjectType = tciEdit;
    AViewInfo->NativePart = IsWindowsVistaOrLater ? 3 : 1;
  }
  TRect extent;
  BorderExtent(extent);
  AViewInfo->BorderExtent = extent;
  AViewInfo->BorderRect = Deflated(AViewInfo->Bounds, extent);
  AViewInfo->ShadowRect = AViewInfo->BorderRect;
  AViewInfo->BorderWidth = EditBorderWidthFor(AViewInfo->EditBorderStyle, AViewInfo->Painter);
  AViewInfo->HasInplaceOffsets = !IsZeroRect(InplaceContentOffsets);
  if (!IsInplace) AViewInfo->BorderColor = EditBorderColor();
  CalculateColors(AViewInfo);
}

void TcxCustomEditViewData::CalculateColors(TcxCustomEditViewInfo* AViewInfo) {
  AViewInfo->EditorDefaultColors(DefaultTextColor, DefaultBackgroundColor);
  AViewInfo->TextColor = DefaultTextColor != clDefault ? DefaultTextColor : FStyle->TextColor();
  TColor background;
  if (Edit && Edit->DefaultParentColor()) {
    background = FStyle->Color();
  } else if (DefaultBackgroundColor != clDefault) {
    background = DefaultBackgroundColor;
  } else {
    background = FStyle->Color();
    if (NativeStyle && !Enabled && !FStyle->IsValueAssigned(csvColor)) {
      COLORREF fill = 0;
      int part = IsWindowsVistaOrLater ? 3 : 1;
      if (UxGetThemeColor(AcquireThemeHandle(tciEdit), part, AViewInfo->NativeState, kThemeFillColor, fill) == S_OK)
        background = static_cast<TColor>(fill);
    }
  }
  AViewInfo->AssignBackgroundColor(background);
}

TColor TcxCustomEditViewData::EditBorderColor() {
  bool highlighted = (ContainerState & cvsFocused) || ((ContainerState & cvsHot) && FStyle->HotTrack());
  if (TcxCustomLookAndFeelPainterClass skin = FStyle->LookAndFeel()->SkinPainter())
    return skin->ContainerFrameColor(highlighted);
  TcxEditBorderStyle style = FStyle->EditBorderStyle();
  if (style == ebsUltraFlat || style == ebsOffice11) {
    if (highlighted || (IsDesigning && Enabled)) return UltraFlatButtonBorderColor(style == ebsOffice11);
    return clBtnShadow;
  }
  return FStyle->BorderColor();
}

void TcxCustomEditViewData::ExtentOnEdges(int Width, TRect& R) {
  TcxBorders edges = FStyle->Edges();
  R = TRect(edges.Contains(bLeft) ? Width : 0, edges.Contains(bTop) ? Width : 0, edges.Contains(bRight) ? Width : 0,
            edges.Contains(bBottom) ? Width : 0);
}

void TcxCustomEditViewData::BorderExtent(TRect& R) {
  TcxCustomEditStyle* root = static_cast<TcxCustomEditStyle*>(FStyle->RootStyle());
  if (IsInplace) {
    R = InplaceContentOffsets;
    return;
  }
  if (FStyle->LookAndFeel()->SkinPainter())
    PainterBorderExtent(R);
  else if (FStyle->TransparentBorder())
    R = TRect(kTransparentBorderWidth, kTransparentBorderWidth, kTransparentBorderWidth, kTransparentBorderWidth);
  else if (!FStyle->ShowsBorder() || (NativeStyle && root->EditBorderStyle() == ebsNone))
    R = TRect();
  else if (NativeStyle)
    R = TRect(2, 2, 2, 2);
  else
    ExtentOnEdges(ContainerBorderWidth(static_cast<TcxContainerBorderStyle>(EffectiveBorderStyle())), R);
  if (HasShadow()) {
    R.Right += kShadowSize;
    R.Bottom += kShadowSize;
  }
}

void TcxCustomEditViewData::PainterBorderExtent(TRect& R) {
  TcxEditBorderStyle style = FStyle->EditBorderStyle();
  bool transparent = FStyle->TransparentBorder();
  if (!FStyle->ShowsBorder() || (style == ebsNone && !transparent)) {
    R = TRect();
    return;
  }
  if (transparent) style = ebsThick;
  ExtentOnEdges(EditBorderWidthFor(style, FStyle->LookAndFeel()->SkinPainter()), R);
}

void TcxCustomEditViewData::ContentExtent(TcxCanvas* ACanvas, TRect& R) {
  if (IsInplace) {
    R = InplaceContentOffsets;
    return;
  }
  if (!NativeStyle) {
    BorderExtent(R);
    return;
  }
  TcxCustomEditStyle* root = static_cast<TcxCustomEditStyle*>(FStyle->RootStyle());
  if (!FStyle->TransparentBorder() && root->EditBorderStyle() == ebsNone) {
    R = TRect();
    return;
  }
  if (root->EditBorderStyle() != ebsNone) {
    TRect whole(0, 0, 100, 100), content;
    HDC dc = ACanvas ? ACanvas->DeviceContext() : nullptr;
    if (UxGetThemeBackgroundContentRect(AcquireThemeHandle(tciEdit), dc, 1, 1, whole, content) == S_OK) {
      R = TRect(content.Left, content.Top, 100 - content.Right, 100 - content.Bottom);
      return;
    }
  }
  R = TRect(1, 1, 1, 1);
}

void TcxCustomEditViewData::ClientExtentWithButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& R) {
  BorderExtent(R);
  if (Properties->ButtonsViewStyle() != 0 && AViewInfo->ButtonCount() > 0) {
    TRect content;
    ContentExtent(ACanvas, content);
    R.Left = content.Left;
    R.Right = content.Right;
  }
  if (HorzScrollBar && HorzScrollBar->Visible()) R.Bottom += HorzScrollBar->Height();
  if (VertScrollBar && VertScrollBar->Visible()) R.Right += VertScrollBar->Width();
  for (const auto& b : AViewInfo->Buttons) {
    if (b->LeftAlignment)
      R.Left = std::max(R.Left, b->VisibleBounds.Right - Bounds.Left);
    else
      R.Right = std::max(R.Right, Bounds.Right - b->VisibleBounds.Left);
  }
}

// ---- buttons ----------------------------------------------------------------------------------------

TcxEditButtonStyle TcxCustomEditViewData::DefaultButtonStyle() {
  TcxEditButtonStyle style = FStyle->ButtonStyle();
  if (style != btsDefault) return style;
  TcxEditBorderStyle border = FStyle->EditBorderStyle();
  if (IsInplace || (border == ebsNone && !FStyle->HotTrack())) return ButtonStyleOfKind(FStyle->LookAndFeel()->Kind());
  switch (border) {
    case ebsNone: return btsSimple;
    case ebsSingle: return btsHotFlat;
    case ebsThick: return bts3D;
    case ebsFlat: return btsFlat;
    case ebs3D: return bts3D;
    case ebsUltraFlat: return btsUltraFlat;
    default: return btsOffice11;
  }
}

void TcxCustomEditViewData::CalculatePopupBorderStyle(TcxCustomEditViewInfo* AViewInfo) {
  TcxEditPopupBorderStyle style = FStyle->PopupBorderStyle();
  if (style == epbsDefault && Edit) {
    TcxEditBorderStyle border = FStyle->EditBorderStyle();
    if (IsInplace)
      style = PopupBorderStyleOfKind(FStyle->LookAndFeel()->Kind());
    else if (border != ebsNone || AViewInfo->ButtonCount() == 0)
      style = border == ebsNone || border == ebsFlat ? epbsFlat : epbsSingle;
    else
      style = PopupBorderStyleOfKind(KindOfButtonStyle(AViewInfo->Button(0)->Data.Style));
  }
  AViewInfo->PopupBorderStyle = style;
}

void TcxCustomEditViewData::CalculateButtonViewInfos(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                     int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                     bool AIsMouseEvent) {
  TcxEditButtonTransparency transparency = FStyle->ButtonTransparency();
  bool active = (ContainerState & cvsFocused) != 0;
  bool hot = (ContainerState & cvsHot) != 0;
  if (ButtonCount == 0 || (!active && transparency == ebtHideInactive) ||
      (!active && !hot && transparency == ebtHideUnselected)) {
    AViewInfo->SetButtonCount(0);
    return;
  }
  AViewInfo->SetButtonCount(ButtonCount);
  int pressedBefore = AIsMouseEvent ? AViewInfo->PressedButton : -1;
  AViewInfo->PressedButton = -1;
  AViewInfo->SelectedButton = -1;
  LeftSideLeftmostButtonIndex = LeftSideRightmostButtonIndex = -1;
  RightSideLeftmostButtonIndex = RightSideRightmostButtonIndex = -1;
  PlaceButtons(ACanvas, AViewInfo, ABounds, DefaultButtonStyle());
  CalculateButtonStates(AViewInfo, P, AButton, AShift, pressedBefore);
  MarkEdgeButtons(AViewInfo);
}

void TcxCustomEditViewData::PlaceButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, const TRect& ABounds,
                                         TcxEditButtonStyle Style) {
  TRect area = ABounds;
  // A themed combo box's own drop-down covers the border on newer systems.
  bool nativeCombo = NativeStyle && !IsInplace && IsWindowsVistaOrLater && AViewInfo->ButtonCount() > 0 &&
                     AViewInfo->Button(0)->Data.ComboBoxStyle;
  if (!nativeCombo) {
    TRect extent;
    ContentExtent(ACanvas, extent);
    area = Deflated(area, extent);
  }
  int fullWidth = area.Right - area.Left;
  AViewInfo->HasTextButtons = false;
  TcxEditButtons* buttons = Properties->Buttons();
  int visibleIndex = AViewInfo->ButtonCount() - 1;
  for (int i = buttons->Count() - 1; i >= 0 && visibleIndex >= 0; --i) {
    TcxEditButton* button = buttons->ButtonAt(i);
    if (!button->Visible()) continue;
    if (button->Kind() == TcxEditButtonKind::bkText && !AViewInfo->HasTextButtons) {
      AViewInfo->HasTextButtons = true;
      if (ACanvas) ACanvas->AssignFont(FStyle->DisplayFont());
    }
    TcxEditButtonViewInfo* entry = AViewInfo->Button(visibleIndex);
    entry->ButtonIndex = i;
    entry->Data.Style = Style;
    FillButtonViewInfo(ACanvas, AViewInfo, area, visibleIndex);
    --visibleIndex;
  }
  DistributeButtonWidths(AViewInfo, fullWidth, area.Right - area.Left);
}

void TcxCustomEditViewData::FillButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& Area,
                                               int Index) {
  TcxEditButtonViewInfo* entry = AViewInfo->Button(Index);
  TcxEditButton* button = Properties->Buttons()->ButtonAt(entry->ButtonIndex);
  entry->Kind = button->Kind();
  if (entry->Kind == TcxEditButtonKind::bkText) {
    entry->Caption = button->Caption();
    entry->TextColor = button->TextColor();
    entry->VisibleCaption = button->VisibleCaption();
  }
  entry->ContentAlignment = button->ContentAlignment();
  entry->Default = button->Default();
  entry->Glyph = button->AssignedGlyph();
  entry->Hint = button->Hint();
  entry->LeftAlignment = button->LeftAlignment();
  entry->Stretchable = button->Stretchable();
  entry->Width = ButtonWidthOrDefault(entry->ButtonIndex);
  entry->Data.Gradient = FStyle->GradientButtons();
  entry->InPlace = IsInplace;
  entry->Data.NativeStyle = FStyle->LookAndFeel()->NativeStyle();
  entry->Data.ComboBoxStyle = AViewInfo->ButtonCount() == 1 && entry->Kind == TcxEditButtonKind::bkDown;
  TcxEditButtonTransparency transparency = FStyle->ButtonTransparency();
  entry->Data.Transparent = transparency == ebtAlways || (transparency == ebtInactive && !ActiveOrHot);
  entry->FirstEdge = false;
  entry->LastEdge = false;
  PlaceButton(ACanvas, AViewInfo, Area, Index);
}

void TcxCustomEditViewData::PlaceButton(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& Area, int Index) {
  TcxEditButtonViewInfo* entry = AViewInfo->Button(Index);
  if (IsEmptyArea(Area)) {
    entry->Bounds = TRect();
    entry->VisibleBounds = TRect();
    return;
  }
  int width = EditButtonDefaultWidth(ACanvas, entry);
  int taken = std::min(width, Area.Right - Area.Left);
  if (entry->LeftAlignment) {
    entry->Bounds = TRect(Area.Left, Area.Top, Area.Left + width, Area.Bottom);
    entry->VisibleBounds = TRect(Area.Left, Area.Top, Area.Left + taken, Area.Bottom);
    Area.Left += taken;
    if (LeftSideLeftmostButtonIndex == -1) LeftSideLeftmostButtonIndex = Index;
    LeftSideRightmostButtonIndex = Index;
  } else {
    entry->Bounds = TRect(Area.Right - width, Area.Top, Area.Right, Area.Bottom);
    entry->VisibleBounds = TRect(Area.Right - taken, Area.Top, Area.Right, Area.Bottom);
    Area.Right -= taken;
    if (RightSideRightmostButtonIndex == -1) RightSideRightmostButtonIndex = Index;
    RightSideLeftmostButtonIndex = Index;
  }
}

void TcxCustomEditViewData::DistributeButtonWidths(TcxCustomEditViewInfo* AViewInfo, int FullWidth, int FreeWidth) {
  if (!ButtonsStretched || FreeWidth <= 0) return;
  int count = AViewInfo->ButtonCount();
  std::vector<bool> takesPart(static_cast<std::size_t>(count), false);
  int weight = 0;
  bool any = false;
  for (int i = 0; i < count; ++i) {
    TcxEditButtonViewInfo* b = AViewInfo->Button(i);
    if (b->Stretchable && !ButtonsArrangedVertically(i)) {
      takesPart[static_cast<std::size_t>(i)] = true;
      weight += b->Bounds.Right - b->Bounds.Left;
      any = true;
    }
  }
  if (!any) {
    std::fill(takesPart.begin(), takesPart.end(), true);
    weight = FullWidth - FreeWidth;
  }
  if (weight <= 0) return;

  std::vector<int> extra(static_cast<std::size_t>(count), 0);
  int left = FreeWidth;
  int first = -1;
  for (int i = 0; i < count; ++i)
    if (takesPart[static_cast<std::size_t>(i)]) {
      first = i;
      break;
    }
  for (int i = count - 1; i >= 0; --i) {
    if (!takesPart[static_cast<std::size_t>(i)]) continue;
    TcxEditButtonViewInfo* b = AViewInfo->Button(i);
    int e = i == first ? left : static_cast<int>(static_cast<long long>(b->Bounds.Right - b->Bounds.Left) * FreeWidth / weight);
    extra[static_cast<std::size_t>(i)] = e;
    left -= e;
  }
  auto move = [](TcxEditButtonViewInfo* b, int DX) {
    b->Bounds.Left += DX;
    b->Bounds.Right += DX;
    b->VisibleBounds.Left += DX;
    b->VisibleBounds.Right += DX;
  };
  for (int i = count - 1; i >= 0; --i) {
    int e = extra[static_cast<std::size_t>(i)];
    if (e == 0) continue;
    TcxEditButtonViewInfo* b = AViewInfo->Button(i);
    if (b->LeftAlignment) {
      int oldRight = b->Bounds.Right;
      for (int j = 0; j < count; ++j) {
        TcxEditButtonViewInfo* o = AViewInfo->Button(j);
        if (j != i && o->LeftAlignment && o->Bounds.Left >= oldRight) move(o, e);
      }
      b->Bounds.Right += e;
      b->VisibleBounds.Right += e;
    } else {
      int oldLeft = b->Bounds.Left;
      for (int j = 0; j < count; ++j) {
        TcxEditButtonViewInfo* o = AViewInfo->Button(j);
        if (j != i && !o->LeftAlignment && o->Bounds.Right <= oldLeft) move(o, -e);
      }
      b->Bounds.Left -= e;
      b->VisibleBounds.Left -= e;
    }
  }
}

TcxEditButtonState TcxCustomEditViewData::MouseButtonState(TcxCustomEditViewInfo* AViewInfo, int Index,
                                                           const TRect& Bounds, TcxEditButtonState Previous,
                                                           const TPoint& P, int AButton, TShiftState AShift,
                                                           int PressedBefore) {
  const bool held = ButtonHeldDown(AViewInfo, Index);
  if (!held && (IsDesigning || !Contains(Bounds, P))) return ebsNormal;
  const bool anyButton = !(AShift * kMouseButtons).Empty();
  const bool leftOnly = OnlyLeftButton(AShift);
  const bool returnPress = AButton == 0 && AShift.Contains(ssLeft) && Previous == ebsNormal && Index == HeldButtonIndex();
  const bool leftPress = AButton == 1 && leftOnly;
  const bool stillPressed = Previous == ebsPressed && AShift.Contains(ssLeft);
  if (held || leftPress || stillPressed || returnPress) AViewInfo->IsButtonUnderPressedMouse = true;
  if (!held && !anyButton && !returnPress) {
    AViewInfo->SelectedButton = Index;
    return ebsSelected;
  }
  if (held || (returnPress && CanPressButtons()) ||
      (leftOnly && ((leftPress && CanPressButtons()) || Index == PressedBefore)) || stillPressed) {
    AViewInfo->PressedButton = Index;
    return ebsPressed;
  }
  return ebsNormal;
}

void TcxCustomEditViewData::CalculateButtonStates(TcxCustomEditViewInfo* AViewInfo, const TPoint& P, int AButton,
                                                  TShiftState AShift, int PressedBefore) {
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxEditButtonViewInfo* entry = AViewInfo->Button(i);
    TcxEditButtonState state = !Enabled || !Properties->Buttons()->ButtonAt(entry->ButtonIndex)->Enabled()
                                   ? ebsDisabled
                                   : MouseButtonState(AViewInfo, i, entry->VisibleBounds, entry->Data.State, P,
                                                      AButton, AShift, PressedBefore);
    if (AViewInfo->OnGetButtonState) AViewInfo->OnGetButtonState(AViewInfo, i, state);
    entry->Data.State = state;
    CalculateButtonThemeParts(entry);
  }
}

void TcxCustomEditViewData::MarkEdgeButtons(TcxCustomEditViewInfo* AViewInfo) {
  bool leftGroup = LeftSideLeftmostButtonIndex != -1;
  bool rightGroup = RightSideRightmostButtonIndex != -1;
  if (leftGroup) AViewInfo->Button(LeftSideLeftmostButtonIndex)->FirstEdge = true;
  if (rightGroup) AViewInfo->Button(RightSideRightmostButtonIndex)->LastEdge = true;
  if (leftGroup && (!ButtonsStretched || !rightGroup)) AViewInfo->Button(LeftSideRightmostButtonIndex)->LastEdge = true;
  if (rightGroup && (!ButtonsStretched || !leftGroup))
    AViewInfo->Button(RightSideLeftmostButtonIndex)->FirstEdge = true;
  if (ButtonsStretched)
    for (const auto& b : AViewInfo->Buttons) b->LeftAlignment = false;
}

void TcxCustomEditViewData::CalculateButtonThemeParts(TcxEditButtonViewInfo* B) {
  B->Data.NativePart = 0;
  B->Data.NativeState = 0;
  B->Data.BackgroundPartiallyTransparent = false;
  if (!B->Data.NativeStyle) return;
  TdxThemeClassId themeClass = B->Data.ComboBoxStyle ? tciComboBox : tciButton;
  if (!IsNativeThemeActive(true, themeClass)) return;
  if (B->Data.ComboBoxStyle && IsWindowsVistaOrLater && !IsInplace)
    B->Data.NativePart = B->LeftAlignment ? 7 : 6;
  else
    B->Data.NativePart = 1;
  static constexpr int kThemeStates[] = {4, 1, 3, 2};
  B->Data.NativeState = kThemeStates[B->Data.State];
  B->Data.BackgroundPartiallyTransparent =
      UxIsThemeBackgroundPartiallyTransparent(AcquireThemeHandle(themeClass), B->Data.NativePart, B->Data.NativeState);
}

// ---- sizes ------------------------------------------------------------------------------------------

TSize TcxCustomEditViewData::ContentMarginsTotal() {
  const TRect& m = ContentOffsets.Margins;
  return TSize(m.Left + m.Right + ContentOffsets.Extra, m.Top + m.Bottom);
}

TSize TcxCustomEditViewData::ContentSizeForValue(TcxCanvas* ACanvas, const Variant& Value,
                                                 const TcxEditSizeProperties& Request) {
  if (Properties->ButtonsViewStyle() == 0) return EditContentSize(ACanvas, Value, Request);
  // The content is only buttons: a line of text high.
  ACanvas->AssignFont(FStyle->DisplayFont());
  int height = ACanvas->MeasureTextHeight("Zg");
  return TSize(0, height + ContentOffsets.Margins.Top + ContentOffsets.Margins.Bottom);
}

void TcxCustomEditViewData::ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo,
                                                 TSize& Minimum, const TcxEditSizeProperties&) {
  const TRect& client = AViewInfo->ClientRect;
  const TRect& bounds = AViewInfo->Bounds;
  Extent = TSize((client.Left - bounds.Left) + (bounds.Right - client.Right),
                 (client.Top - bounds.Top) + (bounds.Bottom - client.Bottom));
  Minimum = TSize(0, 0);
  TcxEditButtons* buttons = Properties->Buttons();
  bool fontSelected = false;
  int needed = 0;
  for (int i = 0; i < buttons->Count(); ++i) {
    TcxEditButton* button = buttons->ButtonAt(i);
    if (!button->Visible()) continue;
    if (button->Kind() == TcxEditButtonKind::bkGlyph && button->AssignedGlyph() && !button->AssignedGlyph()->Empty())
      needed = std::max(needed, button->AssignedGlyph()->Height());
    if (IsInplace && button->Kind() == TcxEditButtonKind::bkText && ACanvas) {
      if (!fontSelected) {
        ACanvas->AssignFont(FStyle->DisplayFont());
        fontSelected = true;
      }
      needed = std::max(needed, ACanvas->MeasureTextHeight(button->VisibleCaption()));
    }
  }
  if (needed <= 0) return;
  if (!AViewInfo->Painter) {
    TRect content;
    ContentExtent(ACanvas, content);
    needed += content.Top + content.Bottom;
  }
  TcxEditButtonStyle style = AViewInfo->ButtonCount() > 0 ? AViewInfo->Button(0)->Data.Style : DefaultButtonStyle();
  needed += EditButtonsContentVerticalOffset(ACanvas, style, NativeStyle);
  Minimum.cy = std::max(0, needed - Extent.cy);
}

void TcxCustomEditViewData::CalculateEditorSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& Extent,
                                                TSize& Minimum, const TcxEditSizeProperties& Request) {
  std::unique_ptr<TcxCustomEditViewInfo> own;
  if (!AViewInfo) {
    own.reset(static_cast<TcxCustomEditViewInfo*>(Properties->ViewInfoClass()()));
    // Unbounded: nothing is clipped, so the extent is all the layout needs.
    CalculateLayout(ACanvas, TRect(0, 0, cxMaxEditBound, cxMaxEditBound), TPoint(-1, -1), 0, TShiftState(), own.get(),
                    false);
    AViewInfo = own.get();
  }
  ButtonsMinimumHeight(ACanvas, Extent, AViewInfo, Minimum, Request);
}

void TcxCustomEditViewData::MeasureEditorSize(TcxCanvas* ACanvas, const Variant& Value, TSize& Size,
                                              TcxCustomEditViewInfo* AViewInfo, const TcxEditSizeProperties& Request,
                                              bool UseMeasuredContent) {
  TSize extent, minimum;
  CalculateEditorSize(ACanvas, AViewInfo, extent, minimum, Request);
  TcxEditSizeProperties request = Request;
  bool overflow = false;
  if (Request.Width >= 0) {
    request.Width = Request.Width - extent.cx;
    if (request.Width < 0) {
      overflow = true;
      request.Width = 0;
    }
  }
  TSize content = UseMeasuredContent && (Properties->SupportedOperations() & esoAutoWidth)
                      ? ContentSizeForMeasure(ACanvas, Value, request)
                      : ContentSizeForValue(ACanvas, Value, request);
  content.cx = std::max(content.cx, minimum.cx);
  content.cy = std::max(content.cy, minimum.cy);
  Size.cx = overflow ? Request.Width : extent.cx + content.cx;
  Size.cy = extent.cy + content.cy;
  if (!IsInplace && Edit) ApplyConstraints(Size);
}

void TcxCustomEditViewData::ApplyConstraints(TSize& Size) {
  TSizeConstraints* c = Edit->Constraints();
  if (c->MaxHeight() > 0) Size.cy = std::min(Size.cy, c->MaxHeight());
  if (c->MinHeight() > 0) Size.cy = std::max(Size.cy, c->MinHeight());
  if (c->MaxWidth() > 0) Size.cx = std::min(Size.cx, c->MaxWidth());
  if (c->MinWidth() > 0) Size.cx = std::max(Size.cx, c->MinWidth());
}

// ---- editor metrics ---------------------------------------------------------------------------------

int EditButtonsContentVerticalOffset(TcxCanvas* ACanvas, TcxEditButtonStyle ButtonStyle, bool Native) {
  if (Native) {
    TRect whole(0, 0, 100, 100), content;
    HDC dc = ACanvas ? ACanvas->DeviceContext() : nullptr;
    if (UxGetThemeBackgroundContentRect(AcquireThemeHandle(tciButton), dc, 1, 1, whole, content) == S_OK)
      return content.Top + (100 - content.Bottom);
    return 0;
  }
  switch (ButtonStyle) {
    case btsDefault: return 0;
    case bts3D: return 4;
    default: return 2;
  }
}

int EditButtonDefaultWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B) {
  TdxThemeClassId themeClass = B->Data.ComboBoxStyle ? tciComboBox : tciButton;
  if (B->Data.NativeStyle && !IsNativeThemeActive(true, themeClass)) B->Data.NativeStyle = false;
  int extent = 4;
  if (B->Data.NativeStyle) {
    TRect whole(0, 0, 100, 100), content;
    HDC dc = ACanvas ? ACanvas->DeviceContext() : nullptr;
    if (UxGetThemeBackgroundContentRect(AcquireThemeHandle(themeClass), dc, 1, 1, whole, content) == S_OK)
      extent = 100 - (content.Right - content.Left);
  }
  if (B->Width >= 1) return std::max(B->Width, extent);
  if (B->Kind == TcxEditButtonKind::bkGlyph && B->HasGlyph()) return B->Glyph->Width() + extent;
  int scrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  if (B->Kind == TcxEditButtonKind::bkText) {
    int text = ACanvas ? ACanvas->MeasureTextWidth(B->VisibleCaption) : 0;
    return std::max(scrollHeight, extent + text + 3);
  }
  return std::max(scrollHeight, 0);
}

bool EditViewDataHasShadow(TcxCustomEditViewData* ViewData) { return ViewData->HasShadow(); }

int NativeInnerEditHeightCorrection(TcxCustomEditProperties* Properties, bool InPlace) {
  return InPlace && Properties->Buttons()->Count() > 0 ? 1 : 0;
}

int EditBorderWidthFor(TcxEditBorderStyle BorderStyle, TcxCustomLookAndFeelPainterClass SkinPainter) {
  return ContainerBorderWidthFor(static_cast<TcxContainerBorderStyle>(BorderStyle), SkinPainter);
}
