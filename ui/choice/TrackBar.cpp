#include "ui/choice/TrackBar.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/classes/SysUtils.h"
#include "platform/win/Keys.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/EditUtils.h"
#include "platform/win/Focus.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();

int Saturated(std::int64_t Value) { return static_cast<int>(std::clamp(Value, kIntMin, kIntMax)); }

// Round half to even, as the layout's positions are rounded; out-of-range results saturate.
std::int64_t RoundEven(double Value) {
  double r = std::nearbyint(Value);
  if (!(r > -9.2e18)) return std::numeric_limits<std::int64_t>::min();
  if (!(r < 9.2e18)) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(r);
}

int AlongStart(const TRect& R, bool Horizontal) { return Horizontal ? R.Left : R.Top; }
int AlongEnd(const TRect& R, bool Horizontal) { return Horizontal ? R.Right : R.Bottom; }
int AcrossStart(const TRect& R, bool Horizontal) { return Horizontal ? R.Top : R.Left; }
int AcrossEnd(const TRect& R, bool Horizontal) { return Horizontal ? R.Bottom : R.Right; }
int AlongSize(const TRect& R, bool Horizontal) { return AlongEnd(R, Horizontal) - AlongStart(R, Horizontal); }
int AcrossSize(const TRect& R, bool Horizontal) { return AcrossEnd(R, Horizontal) - AcrossStart(R, Horizontal); }

TRect AxisRect(bool Horizontal, int AlongStartValue, int AlongEndValue, int AcrossStartValue, int AcrossEndValue) {
  return Horizontal ? TRect(AlongStartValue, AcrossStartValue, AlongEndValue, AcrossEndValue)
                    : TRect(AcrossStartValue, AlongStartValue, AcrossEndValue, AlongEndValue);
}

}  // namespace

// ---- style ------------------------------------------------------------------------------------------

TcxContainerBorderStyle TcxTrackBarStyle::BorderStyleFallback() {
  return State() == csiNormal ? cbsNone : TcxEditStyle::BorderStyleFallback();
}

// ---- view info --------------------------------------------------------------------------------------

TcxCustomTrackBarViewInfo::TcxCustomTrackBarViewInfo()
    : FLookAndFeel(std::make_unique<TcxLookAndFeel>(nullptr)), FOffscreenBitmap(std::make_unique<TBitmap>()) {
  FOffscreenBitmap->SetPixelFormat(pfDevice);
  FOffscreenCanvas = std::make_unique<TcxCanvas>(FOffscreenBitmap->Canvas());
}

TcxCustomTrackBarViewInfo::~TcxCustomTrackBarViewInfo() = default;

TcxCustomTrackBarProperties* TcxCustomTrackBarViewInfo::TrackBarProperties() const {
  return static_cast<TcxCustomTrackBarProperties*>(Properties);
}

bool TcxCustomTrackBarViewInfo::HasSkinPainter() const { return FLookAndFeel->SkinPainter() != nullptr; }

TcxCustomLookAndFeelPainterClass TcxCustomTrackBarViewInfo::TrackPainter() const {
  return FLookAndFeel->ActivePainter();
}

void TcxCustomTrackBarViewInfo::CopyStateFrom(TcxContainerViewInfo* Source) {
  TcxCustomTextEditViewInfo::CopyStateFrom(Source);
  auto* s = dynamic_cast<TcxCustomTrackBarViewInfo*>(Source);
  if (!s) return;
  FLookAndFeel->Assign(s->FLookAndFeel.get());
  Position = s->Position;
  TrackSize = s->TrackSize;
  ThumbWidth = s->ThumbWidth;
  ThumbHeight = s->ThumbHeight;
  BorderWidth = s->BorderWidth;
  ThumbState = s->ThumbState;
  SelectionStart = s->SelectionStart;
  SelectionEnd = s->SelectionEnd;
}

TcxRegion* TcxCustomTrackBarViewInfo::DiffRegion(TcxContainerViewInfo* Previous) {
  return TcxContainerViewInfo::DiffRegion(Previous);
}

void TcxCustomTrackBarViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  OuterRect = ShiftRect(OuterRect, DX, DY, true);
}

int TcxCustomTrackBarViewInfo::PainterTickCode() const {
  switch (TickMarks) {
    case cxtmBoth: return 2;
    case cxtmTopLeft: return 0;
    default: return 1;
  }
}

TcxButtonState TcxCustomTrackBarViewInfo::ThumbButtonState() const {
  switch (ThumbState) {
    case tbtsHot: return cxbsHot;
    case tbtsPressed: return cxbsPressed;
    case 4: return cxbsHot;
    case tbtsDisabled: return cxbsDisabled;
    default: return cxbsNormal;
  }
}

TColor TcxCustomTrackBarViewInfo::ThumbColor() const {
  TcxCustomTrackBarProperties* p = TrackBarProperties();
  if (ThumbState == tbtsHot || ThumbState == tbtsPressed) {
    TcxLookAndFeelKind kind = FLookAndFeel->Kind();
    if (kind == lfUltraFlat || kind == lfOffice11)
      return UltraFlatButtonFillColor(ThumbState == tbtsPressed, kind == lfOffice11);
    return p->ThumbHighlightColor();
  }
  if (ThumbState == tbtsDisabled) return clBtnShadow;
  return p->ThumbColor();
}

std::uint8_t TcxCustomTrackBarViewInfo::ThumbShapeCode() {
  bool h = IsHorizontal();
  switch (TickMarks) {
    case cxtmBoth: return h ? 3 : 6;
    case cxtmTopLeft: return h ? 5 : 7;
    default: return h ? 4 : 8;
  }
}

void TcxCustomTrackBarViewInfo::GetThumbBounds(TRect& R) {
  R = ThumbBox;
  TrackPainter()->TrackBarThumbBounds(FOffscreenCanvas.get(), R, IsHorizontal(), PainterTickCode());
  R = ShiftRect(R, OuterRect.Left, OuterRect.Top, true);
}

void TcxCustomTrackBarViewInfo::PaintWithHandler(TcxCanvas* ACanvas) {
  const int w = Bounds.Right - Bounds.Left, h = Bounds.Bottom - Bounds.Top;
  if (w <= 0 || h <= 0) return;
  FOffscreenBitmap->SetSize(w, h);
  TcxCanvas* bc = FOffscreenCanvas.get();
  const TRect local(0, 0, w, h);
  TPoint origin;
  bc->ReadWindowOrigin(origin);
  auto inBoundsCoordinates = [&](const std::function<void()>& Paint) {
    bc->PlaceWindowOrigin(TPoint(origin.X + Bounds.Left, origin.Y + Bounds.Top));
    try {
      Paint();
    } catch (...) {
      bc->PlaceWindowOrigin(origin);
      throw;
    }
    bc->PlaceWindowOrigin(origin);
  };
  if (IsInplace) {
    if (Transparent) {
      bc->CopyRectFrom(local, ACanvas->Canvas(), Bounds);
    } else {
      bool handled = false;
      inBoundsCoordinates([&] { handled = CustomDrawBackground(bc); });
      // The host drew the cell itself.
      if (handled) return;
      bc->FillRectWithColor(local, BackgroundColor);
    }
  } else if ((Edit && Edit->IsTransparent()) || NativeStyle || HasSkinPainter()) {
    inBoundsCoordinates([&] { PaintParentBackground(Edit, bc, Bounds, true); });
  } else {
    inBoundsCoordinates([&] { DrawEditBackgroundExcludingButtons(bc, this, true); });
  }
  bc->PushClipRegion();
  bc->ClipToRect(BarRect);
  try {
    PaintTrackBarContent(bc);
  } catch (...) {
    bc->PopClipRegion();
    throw;
  }
  bc->PopClipRegion();
  ACanvas->CopyRectFrom(Bounds, FOffscreenBitmap->Canvas(), local);
}

void TcxCustomTrackBarViewInfo::PaintTrackBarContent(TcxCanvas* ACanvas) {
  TcxCustomTrackBarProperties* p = TrackBarProperties();
  if (p->ShowTrack()) {
    PaintTrack(ACanvas);
    if (HasSelection) PaintSelection(ACanvas);
  }
  if (p->ShowTicks()) PaintTicks(ACanvas);
  switch (p->ThumbType()) {
    case cxttRegular: PaintThumb(ACanvas); break;
    case cxttCustom:
      if (p->OnDrawThumb) p->OnDrawThumb(p, ACanvas, ThumbBox);
      break;
    default: break;
  }
}

void TcxCustomTrackBarViewInfo::PaintTrack(TcxCanvas* ACanvas) {
  TrackPainter()->DrawTrackBarTrack(ACanvas, ChannelRect, SelectionBand, HasSelection, Enabled, IsHorizontal(),
                                    TrackBarProperties()->TrackColor());
}

void TcxCustomTrackBarViewInfo::PaintSelection(TcxCanvas* ACanvas) {
  if (!HasSkinPainter()) ACanvas->FillRectWithColor(SelectionBand, TrackBarProperties()->SelectionColor());
}

void TcxCustomTrackBarViewInfo::PaintThumb(TcxCanvas* ACanvas) {
  TrackPainter()->DrawTrackBarThumb(ACanvas, ThumbBox, ThumbButtonState(), IsHorizontal(), PainterTickCode(),
                                    ThumbColor());
}

void TcxCustomTrackBarViewInfo::PaintTickAt(TcxCanvas* ACanvas, std::int64_t Value, int C) {
  const bool h = IsHorizontal();
  const bool atEnd = Value == Min || Value == Max;
  const bool line = TickType == tbttTicks || (TickType == tbttValueNumber && !atEnd && Value != Position);
  const bool bottomRight = TickMarks == cxtmBoth || TickMarks == cxtmBottomRight;
  const bool topLeft = TickMarks == cxtmBoth || TickMarks == cxtmTopLeft;
  if (line) {
    const int L = atEnd ? TickSize + TickSize / 2 : TickSize;
    if (h) {
      if (bottomRight) {
        ACanvas->MoveToPoint(C, ThumbBox.Bottom + 2);
        ACanvas->LineToPoint(C, ThumbBox.Bottom + L + 2);
      }
      if (topLeft) {
        ACanvas->MoveToPoint(C, ThumbBox.Top - L - 1);
        ACanvas->LineToPoint(C, ThumbBox.Top - 1);
      }
    } else {
      if (bottomRight) {
        ACanvas->MoveToPoint(ThumbBox.Right + 2, C);
        ACanvas->LineToPoint(ThumbBox.Right + L + 2, C);
      }
      if (topLeft) {
        ACanvas->MoveToPoint(ThumbBox.Left - L - 1, C);
        ACanvas->LineToPoint(ThumbBox.Left - 1, C);
      }
    }
    return;
  }
  const String text = IntToStr(Value);
  TSize size;
  ACanvas->MeasureText(text, size);
  const bool verticalText = TextOrientation == tbtoVertical;
  const int bw = verticalText ? size.cy : size.cx, bh = verticalText ? size.cx : size.cy;
  const int extra = (Orientation == tboHorizontal) != (TextOrientation == tbtoHorizontal) ? 1 : 0;
  const TcxRotationCode rotation = verticalText ? rcTurnLeft : rcNone;
  const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER;
  auto draw = [&](const TRect& Box) { DrawTextRotated(ACanvas, text, Box, format, clDefault, rotation); };
  if (h) {
    const int left = C - bw / 2;
    if (topLeft) {
      const int bottom = ThumbBox.Top - extra - 1;
      draw(TRect(left, bottom - bh, left + bw, bottom));
    }
    if (bottomRight) draw(TRect(left, ThumbBox.Bottom + 1, left + bw, ThumbBox.Bottom + 1 + bh));
  } else {
    const int top = C - bh / 2;
    if (topLeft) draw(TRect(ThumbBox.Left - 1 - bw, top, ThumbBox.Left - 1, top + bh));
    if (bottomRight) {
      const int left = ThumbBox.Right + extra + 1;
      draw(TRect(left, top, left + bw, top + bh));
    }
  }
}

void TcxCustomTrackBarViewInfo::PaintTicks(TcxCanvas* ACanvas) {
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveBrush()->SetColor(clBtnFace);
  if (HasSkinPainter()) {
    TColor c = TrackPainter()->TrackBarTicksColor();
    ACanvas->ActiveFont()->SetColor(c);
    ACanvas->ActivePen()->SetColor(c);
  } else {
    ACanvas->ActiveFont()->SetColor(TextColor);
    ACanvas->ActivePen()->SetColor(TickColor);
  }
  const int offset = ThumbLength / 2 + AlongStart(ChannelRect, IsHorizontal());
  const std::int64_t range = static_cast<std::int64_t>(Max) - Min;
  auto coordinate = [&](std::int64_t k) { return Saturated(RoundEven(static_cast<double>(k) * PixelsPerUnit) + offset); };
  const bool isTick = [&] {
    std::int64_t k = static_cast<std::int64_t>(Position) - Min;
    return k == 0 || k == range || (Frequency > 0 && k > 0 && k < range && k % Frequency == 0);
  }();
  bool positionVisited = false;
  // One tick value per pixel at most: from each drawn tick the walk jumps to the first tick value
  // that lands further along, so a range of billions paints as fast as one of ten.
  const std::int64_t step = Frequency > 0 ? Frequency : std::max<std::int64_t>(range, 1);
  for (std::int64_t k = 0; k < range;) {
    const int c = coordinate(k);
    PaintTickAt(ACanvas, Min + k, c);
    std::int64_t next = k + step;
    if (PixelsPerUnit > 0) {
      double need = (static_cast<double>(c - offset) + 0.5) / PixelsPerUnit;
      if (need > static_cast<double>(next)) {
        std::int64_t m = need >= static_cast<double>(range) ? range : static_cast<std::int64_t>(std::ceil(need));
        m = ((m + step - 1) / step) * step;
        next = std::max(next, m);
      }
      while (next < range && coordinate(next) <= c) next += step;
    } else {
      next = range;
    }
    if (static_cast<std::int64_t>(Position) - Min == k) positionVisited = true;
    k = next;
  }
  PaintTickAt(ACanvas, Max, coordinate(range));
  if (Position == Max) positionVisited = true;
  // The number at the thumb is drawn even where its pixel was shared with a neighbouring tick.
  if (TickType == tbttValueNumber && isTick && !positionVisited)
    PaintTickAt(ACanvas, Position, coordinate(static_cast<std::int64_t>(Position) - Min));
}

// ---- view data --------------------------------------------------------------------------------------

TcxCustomTrackBarProperties* TcxCustomTrackBarViewData::TrackBarProperties() const {
  return static_cast<TcxCustomTrackBarProperties*>(Properties);
}

bool TcxCustomTrackBarViewData::CustomThumbRect(TRect& R) {
  TcxCustomTrackBarProperties* p = TrackBarProperties();
  if (p->ThumbType() != cxttCustom) return false;
  // The editor's own properties' handler first, then the active (a repository item's) one.
  TcxCustomTrackBarProperties* source = p;
  if (Edit) {
    auto* own = static_cast<TcxCustomTrackBarProperties*>(Edit->Properties());
    if (own->OnGetThumbRect) source = own;
  }
  if (!source->OnGetThumbRect) return false;
  R = TRect();
  source->OnGetThumbRect(source, R);
  return true;
}

void TcxCustomTrackBarViewData::ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent,
                                                     TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                                                     const TcxEditSizeProperties& Request) {
  TcxCustomEditViewData::ButtonsMinimumHeight(ACanvas, Extent, AViewInfo, Minimum, Request);
  auto* info = static_cast<TcxCustomTrackBarViewInfo*>(AViewInfo);
  Minimum.cx += info->ThumbBox.Right - info->ThumbBox.Left;
  if (info->Font) Minimum.cy += SampleTextHeight(info->Font);
}

void TcxCustomTrackBarViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                int AButton, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                bool AIsMouseEvent) {
  TcxCustomEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxCustomTrackBarViewInfo*>(AViewInfo);
  info->LookAndFeel()->Assign(EditStyle()->LookAndFeel());
  info->ComboBoxStyle = false;
  info->SelectionBar = false;
  info->PopupOpen = false;
  info->DrawFlags = 0;
  if (!Enabled)
    info->ThumbState = tbtsDisabled;
  else if (info->MouseFlags & tbmfThumbPressed)
    info->ThumbState = tbtsPressed;
  else if (info->MouseFlags & tbmfOverThumb)
    info->ThumbState = tbtsHot;
  else
    info->ThumbState = tbtsNormal;
  if (Edit && !Edit->PaintsValueDirectly()) {
    Variant v;
    Properties->ConvertToEditValue(Edit->EditValue(), v, false);
    info->Position = v.AsInteger();
  }
  LoadTrackBarProperties(info);
  info->BackgroundColor = EditStyle()->Color();
  CalculateTrackBarLayout(ACanvas, info);
}

void TcxCustomTrackBarViewData::PrepareDisplayValue(TcxCanvas*, const Variant& Value,
                                                    TcxCustomEditViewInfo* AViewInfo) {
  auto* info = static_cast<TcxCustomTrackBarViewInfo*>(AViewInfo);
  Variant v;
  Properties->ConvertToEditValue(Value, v, false);
  info->Position = v.AsInteger();
  // The thumb follows the value when the layout ran before the value was known.
  if (info->PixelsPerUnit != 0 || info->ThumbLength != 0) CalculateThumbBox(info);
}

void TcxCustomTrackBarViewData::LoadTrackBarProperties(TcxCustomTrackBarViewInfo* AViewInfo) {
  TcxCustomTrackBarProperties* p = TrackBarProperties();
  AViewInfo->Frequency = p->Frequency();
  AViewInfo->Min = p->Min();
  AViewInfo->Max = p->Max();
  AViewInfo->BorderWidth = p->BorderWidth();
  AViewInfo->TrackSize = p->TrackSize();
  AViewInfo->SelectionStart = p->SelectionStart();
  AViewInfo->SelectionEnd = p->SelectionEnd();
  AViewInfo->TickColor = Enabled ? p->TickColor() : clBtnShadow;
  AViewInfo->TickType = p->TickType();
  AViewInfo->TickMarks = p->TickMarks();
  AViewInfo->TickSize = p->TickSize();
  AViewInfo->ThumbHeight = p->ThumbHeight();
  AViewInfo->ThumbWidth = p->ThumbWidth();
  AViewInfo->Orientation = p->Orientation();
  AViewInfo->TextOrientation = p->TextOrientation();
}

void TcxCustomTrackBarViewData::CalculateTrackBarLayout(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo) {
  CalculateBarRect(AViewInfo);
  CalculateTrackZone(ACanvas, AViewInfo);
  CalculateChannelRect(AViewInfo);
  CalculateThumbMetrics(AViewInfo);
  CalculateThumbBox(AViewInfo);
  CalculateSelectionBand(AViewInfo);
}

void TcxCustomTrackBarViewData::CalculateBarRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  AViewInfo->OuterRect = AViewInfo->ClientRect;
  AViewInfo->BarRect = ShiftRect(AViewInfo->ClientRect, -AViewInfo->Bounds.Left, -AViewInfo->Bounds.Top, true);
  const TRect& bar = AViewInfo->BarRect;
  AViewInfo->BorderWidth = std::min(AViewInfo->BorderWidth, (bar.Right - bar.Left) / 2);
  AViewInfo->BorderWidth = std::min(AViewInfo->BorderWidth, (bar.Bottom - bar.Top) / 2);
}

int TcxCustomTrackBarViewData::TickAreaExtent(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo, int Side) {
  const bool present = Side == 1 ? AViewInfo->TickMarks != cxtmBottomRight : AViewInfo->TickMarks != cxtmTopLeft;
  if (!present) return 0;
  int extent = 0;
  if (AViewInfo->TickType == tbttTicks) {
    extent = AViewInfo->TickSize + 1;
  } else if (ACanvas) {
    if (AViewInfo->Font) ACanvas->AssignFont(AViewInfo->Font);
    const bool sameWay = (AViewInfo->Orientation == tboHorizontal) == (AViewInfo->TextOrientation == tbtoHorizontal);
    const String minText = IntToStr(AViewInfo->Min), maxText = IntToStr(AViewInfo->Max);
    if (sameWay)
      extent = ACanvas->MeasureTextHeight(minText);
    else
      extent = ACanvas->MeasureTextWidth(minText.size() > maxText.size() ? minText : maxText);
  }
  if (AViewInfo->BorderWidth == 0) extent += 1;
  return extent;
}

void TcxCustomTrackBarViewData::CalculateTrackZone(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo) {
  TcxCustomTrackBarProperties* p = TrackBarProperties();
  const bool h = AViewInfo->IsHorizontal();
  const int before = TickAreaExtent(ACanvas, AViewInfo, 1), after = TickAreaExtent(ACanvas, AViewInfo, 0);
  const TRect& bar = AViewInfo->BarRect;
  const int breadth = AcrossSize(bar, h) - before - after;
  int zoneBreadth = std::clamp(breadth, 10, 21);
  TRect custom;
  if (CustomThumbRect(custom)) zoneBreadth = std::max(zoneBreadth, AcrossSize(custom, h));
  AViewInfo->EndIndent = 7;
  if (AViewInfo->HasSkinPainter())
    AViewInfo->TrackSize = AViewInfo->TrackPainter()->TrackBarTrackThickness();
  else if (p->AutoSize())
    AViewInfo->TrackSize = zoneBreadth / 2;
  const int acrossStart = AcrossStart(bar, h) + (breadth - zoneBreadth) / 2 + before;
  const int inset = AViewInfo->BorderWidth + AViewInfo->EndIndent;
  AViewInfo->ChannelZoneRect =
      AxisRect(h, AlongStart(bar, h) + inset, AlongEnd(bar, h) - inset, acrossStart, acrossStart + zoneBreadth);
}

void TcxCustomTrackBarViewData::CalculateChannelRect(TcxCustomTrackBarViewInfo* AViewInfo) {
  const bool h = AViewInfo->IsHorizontal();
  const TRect& zone = AViewInfo->ChannelZoneRect;
  const int start = AcrossStart(zone, h) + (AcrossSize(zone, h) - AViewInfo->TrackSize) / 2;
  AViewInfo->ChannelRect =
      AxisRect(h, AlongStart(zone, h), AlongEnd(zone, h), start, start + AViewInfo->TrackSize);
  TrackBarProperties()->LastChannelRect = AViewInfo->ChannelRect;
}

void TcxCustomTrackBarViewData::CalculateThumbMetrics(TcxCustomTrackBarViewInfo* AViewInfo) {
  TcxCustomTrackBarProperties* p = TrackBarProperties();
  const bool h = AViewInfo->IsHorizontal();
  const std::int64_t range = std::max<std::int64_t>(static_cast<std::int64_t>(AViewInfo->Max) - AViewInfo->Min, 1);
  int along, across;
  TRect custom;
  if (CustomThumbRect(custom)) {
    along = h ? custom.Right - custom.Left : custom.Bottom - custom.Top;
    across = h ? custom.Bottom - custom.Top : custom.Right - custom.Left;
    AViewInfo->ThumbWidth = along;
    AViewInfo->ThumbHeight = across;
  } else if (AViewInfo->HasSkinPainter()) {
    TSize size = AViewInfo->TrackPainter()->TrackBarThumbSize(h);
    const TRect& zone = AViewInfo->ChannelZoneRect;
    along = h ? size.cx : size.cy;
    across = h ? std::min(size.cy, zone.Bottom - zone.Top) : std::min(size.cx, zone.Right - zone.Left);
  } else if (p->AutoSize()) {
    along = AViewInfo->TrackSize + AViewInfo->TrackSize % 2;
    across = 2 * AViewInfo->TrackSize;
  } else {
    along = AViewInfo->ThumbWidth;
    across = AViewInfo->ThumbHeight;
  }
  AViewInfo->PixelsPerUnit =
      static_cast<double>(AlongSize(AViewInfo->ChannelRect, h) - along) / static_cast<double>(range);
  AViewInfo->ThumbLength = along;
  AViewInfo->ThumbBreadth = across;
  p->LastPixelsPerUnit = AViewInfo->PixelsPerUnit;
}

void TcxCustomTrackBarViewData::CalculateThumbBox(TcxCustomTrackBarViewInfo* AViewInfo) {
  const bool h = AViewInfo->IsHorizontal();
  const TRect& channel = AViewInfo->ChannelRect;
  const std::int64_t offset = static_cast<std::int64_t>(AViewInfo->Position) - AViewInfo->Min;
  const int start =
      Saturated(RoundEven(static_cast<double>(offset) * AViewInfo->PixelsPerUnit) + AlongStart(channel, h));
  const int acrossStart = AcrossStart(channel, h) + (AViewInfo->TrackSize - AViewInfo->ThumbBreadth) / 2;
  AViewInfo->ThumbBox =
      AxisRect(h, start, start + AViewInfo->ThumbLength, acrossStart, acrossStart + AViewInfo->ThumbBreadth);
  TRect bounds;
  AViewInfo->GetThumbBounds(bounds);
  TrackBarProperties()->LastThumbBox = bounds;
}

void TcxCustomTrackBarViewData::CalculateSelectionBand(TcxCustomTrackBarViewInfo* AViewInfo) {
  const bool h = AViewInfo->IsHorizontal();
  AViewInfo->SelectionStart = std::clamp(AViewInfo->SelectionStart, AViewInfo->Min, AViewInfo->Max);
  AViewInfo->SelectionEnd = std::clamp(AViewInfo->SelectionEnd, AViewInfo->Min, AViewInfo->Max);
  AViewInfo->HasSelection = AViewInfo->SelectionStart < AViewInfo->SelectionEnd;
  if (!AViewInfo->HasSelection) {
    AViewInfo->SelectionBand = TRect();
    return;
  }
  const TRect& channel = AViewInfo->ChannelRect;
  const double ppu = AViewInfo->PixelsPerUnit;
  const double start = AlongStart(channel, h);
  auto at = [&](int Value) {
    double v = static_cast<double>(static_cast<std::int64_t>(Value) - AViewInfo->Min) * ppu + start;
    return Saturated(static_cast<std::int64_t>(std::clamp(std::trunc(v), -9.2e18, 9.2e18)));
  };
  const int alongStart = at(AViewInfo->SelectionStart) + AViewInfo->ThumbLength / 2;
  const int alongEnd = at(AViewInfo->SelectionEnd) + AViewInfo->ThumbLength / 2 + 1;
  TRect band = AxisRect(h, alongStart, alongEnd, AcrossStart(channel, h), AcrossEnd(channel, h));
  if (!AViewInfo->HasSkinPainter()) {
    if (h) {
      band.Top += 2;
      band.Bottom -= 1;
    } else {
      band.Left += 2;
      band.Right -= 2;
    }
  }
  AViewInfo->SelectionBand = band;
}

// ---- properties -------------------------------------------------------------------------------------

TcxCustomTrackBarProperties::TcxCustomTrackBarProperties(TPersistent* AOwner) : TcxCustomEditProperties(AOwner) {}

void TcxCustomTrackBarProperties::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TcxCustomTrackBarProperties*>(Source);
  if (!s) {
    TcxCustomEditProperties::Assign(Source);
    return;
  }
  LockUpdate();
  try {
    TcxCustomEditProperties::Assign(Source);
    SetAutoSize(s->AutoSize());
    SetBorderWidth(s->BorderWidth());
    SetFrequency(s->Frequency());
    SetMin(s->Min());
    SetMax(s->Max());
    SetOrientation(s->Orientation());
    SetTextOrientation(s->TextOrientation());
    SetPageSize(s->PageSize());
    SetSelectionStart(s->SelectionStart());
    SetSelectionEnd(s->SelectionEnd());
    SetSelectionColor(s->SelectionColor());
    SetShowTicks(s->ShowTicks());
    SetThumbType(s->ThumbType());
    SetShowTrack(s->ShowTrack());
    SetTickColor(s->TickColor());
    SetTickType(s->TickType());
    SetTickMarks(s->TickMarks());
    SetTickSize(s->TickSize());
    SetTrackColor(s->TrackColor());
    SetTrackSize(s->TrackSize());
    SetThumbHeight(s->ThumbHeight());
    SetThumbWidth(s->ThumbWidth());
    SetThumbColor(s->ThumbColor());
    SetThumbHighlightColor(s->ThumbHighlightColor());
    FThumbStep = s->ThumbStep();
    OnGetThumbRect = s->OnGetThumbRect;
    OnDrawThumb = s->OnDrawThumb;
  } catch (...) {
    UnlockUpdate();
    throw;
  }
  UnlockUpdate();
}

void TcxCustomTrackBarProperties::SetMin(int Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  SignalChanged();
}

void TcxCustomTrackBarProperties::SetMax(int Value) {
  if (Value == FMax) return;
  FMax = Value;
  if (FMax < FMin) FMin = FMax;
  SignalChanged();
}

int TcxCustomTrackBarProperties::ClampPosition(std::int64_t Value) const {
  return static_cast<int>(std::max<std::int64_t>(std::min<std::int64_t>(Value, FMax), FMin));
}

std::int64_t TcxCustomTrackBarProperties::ValueToPosition(const Variant& Value) const {
  if (VarIsNull(Value) || VarIsEmpty(Value)) return FMin;
  if (VarIsOrdinal(Value)) return Value.AsInt64();
  if (VarIsStr(Value)) {
    const String text = VarToStr(Value);
    return IsIntegerText(text) ? DigitsToInteger(text, false) : FMin;
  }
  return FMin;
}

void TcxCustomTrackBarProperties::ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  EditValue = Variant(ClampPosition(ValueToPosition(DisplayValue)));
}

String TcxCustomTrackBarProperties::ValueDisplayText(const Variant& Value) {
  Variant v;
  ConvertToEditValue(Value, v, false);
  return VarToStr(v);
}

TcxCustomEditViewDataClass TcxCustomTrackBarProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomTrackBarViewData>();
}
TClass TcxCustomTrackBarProperties::EditClass() { return TcxTrackBar::StaticClass(); }
TcxContainerStyleClass TcxCustomTrackBarProperties::StyleClass() { return ContainerStyleClassOf<TcxTrackBarStyle>(); }
TcxContainerViewInfoClass TcxCustomTrackBarProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomTrackBarViewInfo>();
}

void TcxTrackBarProperties::DeclareProperties(TPropTable& t) {
  using P = TcxTrackBarProperties;
  t.Add("AutoSize", &P::AutoSize, &P::SetAutoSize).SetDefault(true);
  t.Add("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).SetDefault(0);
  t.Add("Frequency", &P::Frequency, &P::SetFrequency).SetDefault(1);
  t.Add("Max", &P::Max, &P::SetMax).SetDefault(10);
  t.Add("Min", &P::Min, &P::SetMin).SetDefault(0);
  t.Add("Orientation", &P::Orientation, &P::SetOrientation).SetDefault(tboHorizontal);
  t.Add("PageSize", &P::PageSize, &P::SetPageSize).SetDefault(1);
  t.Add("SelectionColor", &P::SelectionColor, &P::SetSelectionColor).SetDefault(clHighlight);
  t.Add("SelectionEnd", &P::SelectionEnd, &P::SetSelectionEnd).SetDefault(0);
  t.Add("SelectionStart", &P::SelectionStart, &P::SetSelectionStart).SetDefault(0);
  t.Add("ShowTicks", &P::ShowTicks, &P::SetShowTicks).SetDefault(true);
  t.Add("ShowTrack", &P::ShowTrack, &P::SetShowTrack).SetDefault(true);
  t.Add("TextOrientation", &P::TextOrientation, &P::SetTextOrientation).SetDefault(tbtoHorizontal);
  t.Add("ThumbColor", &P::ThumbColor, &P::SetThumbColor).SetDefault(clBtnFace);
  t.Add("ThumbHeight", &P::ThumbHeight, &P::SetThumbHeight).SetDefault(12);
  t.Add("ThumbHighlightColor", &P::ThumbHighlightColor, &P::SetThumbHighlightColor)
      .SetDefault(static_cast<TColor>(0xC0C0C0));
  t.Add("ThumbStep", &P::ThumbStep, &P::SetThumbStep).SetDefault(cxtsNormal);
  t.Add("ThumbType", &P::ThumbType, &P::SetThumbType).SetDefault(cxttRegular);
  t.Add("ThumbWidth", &P::ThumbWidth, &P::SetThumbWidth).SetDefault(7);
  t.Add("TickColor", &P::TickColor, &P::SetTickColor).SetDefault(clWindowText);
  t.Add("TickMarks", &P::TickMarks, &P::SetTickMarks).SetDefault(cxtmBottomRight);
  t.Add("TickSize", &P::TickSize, &P::SetTickSize).SetDefault(3);
  t.Add("TickType", &P::TickType, &P::SetTickType).SetDefault(tbttTicks);
  t.Add("TrackColor", &P::TrackColor, &P::SetTrackColor).SetDefault(clWindow);
  t.Add("TrackSize", &P::TrackSize, &P::SetTrackSize).SetDefault(5);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnDrawThumb", &P::OnDrawThumb);
  t.Add("OnGetThumbRect", &P::OnGetThumbRect);
}

// ---- the editor -------------------------------------------------------------------------------------

TcxCustomTrackBar::TcxCustomTrackBar(TComponent* AOwner)
    : TcxCustomTrackBar(AOwner, TcxCustomEditClasses{TcxCustomTrackBarProperties::StaticClass(), nullptr,
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomTrackBar::TcxCustomTrackBar(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomEdit(AOwner, Classes) {
  InitializeTrackBar();
}

void TcxCustomTrackBar::InitializeTrackBar() {
  SetEditValue(Variant(0));
  FShiftSelecting = false;
  SetAutoSize(false);
  SetControlStyle(ControlStyle() - TControlStyle{csClickEvents, csDoubleClicks});
  TcxWantedKeys keys = Keys();
  keys.Include(wkArrows);
  SetKeys(keys);
  SetBounds(Left(), Top(), 196, 76);
}

int TcxCustomTrackBar::Position() { return ActiveProperties()->ClampPosition(ActiveProperties()->ValueToPosition(EditValue())); }

void TcxCustomTrackBar::SetPosition(int Value) {
  if (!ComponentState().Contains(csLoading)) Value = ActiveProperties()->ClampPosition(Value);
  if (Value != Position() || ComponentState().Contains(csLoading)) SetEditValueChecked(Variant(Value));
}

void TcxCustomTrackBar::SetPositionInteractively(std::int64_t Value) {
  const int v = ActiveProperties()->ClampPosition(Value);
  if (v == Position() || !RequestEditing()) return;
  SetEditValueChecked(Variant(v));
  ActiveProperties()->SignalChanged();
  MarkModified(true);
  PostEditValue(false);
}

void TcxCustomTrackBar::UpdateShiftSelection(int NewPosition) {
  if (NewPosition < FSelectionAnchor)
    ActiveProperties()->PutSelection(NewPosition, FSelectionAnchor);
  else
    ActiveProperties()->PutSelection(FSelectionAnchor, NewPosition);
}

bool TcxCustomTrackBar::PositionAtPoint(const TPoint& P, std::int64_t& Value) {
  TcxCustomTrackBarProperties* p = ActiveProperties();
  const double ppu = p->LastPixelsPerUnit;
  if (!(ppu > 0)) return false;
  const bool h = p->Orientation() == tboHorizontal;
  const double along = static_cast<double>((h ? P.X : P.Y) - AlongStart(p->LastChannelRect, h)) / ppu;
  Value = static_cast<std::int64_t>(p->Min()) + static_cast<std::int64_t>(std::clamp(std::trunc(along), -9.0e18, 9.0e18));
  return true;
}

int TcxCustomTrackBar::PositionForClick(const TPoint& P) {
  TcxCustomTrackBarProperties* p = ActiveProperties();
  const bool h = p->Orientation() == tboHorizontal;
  const TRect& thumb = p->LastThumbBox;
  const int coordinate = h ? P.X : P.Y;
  const std::int64_t position = Position();
  std::int64_t result = position;
  const bool jump = p->ThumbStep() == cxtsJump;
  if (coordinate > AlongEnd(thumb, h)) {
    if (!jump)
      result = position + 1;
    else if (!PositionAtPoint(P, result))
      result = position;
  } else if (coordinate < AlongStart(thumb, h)) {
    if (!jump)
      result = position - 1;
    else if (!PositionAtPoint(P, result))
      result = position;
  }
  return p->ClampPosition(result);
}

int TcxCustomTrackBar::PositionForKey(WORD Key) {
  TcxCustomTrackBarProperties* p = ActiveProperties();
  const std::int64_t position = Position();
  switch (Key) {
    case VK_PRIOR: return p->ClampPosition(position - p->PageSize());
    case VK_NEXT: return p->ClampPosition(position + p->PageSize());
    case VK_END: return p->Max();
    case VK_HOME: return p->Min();
    case VK_LEFT:
    case VK_UP: return p->ClampPosition(position - 1);
    case VK_RIGHT:
    case VK_DOWN: return p->ClampPosition(position + 1);
    default: return static_cast<int>(position);
  }
}

void TcxCustomTrackBar::SizeConstraints(TcxEditSizeRequest& Request) {
  TcxCustomEdit::SizeConstraints(Request);
  Request.MaxLineCount = 1;
  const TRect& text = TrackBarViewInfo()->TextRect;
  Request.Width = text.Right - text.Left;
}

void TcxCustomTrackBar::SetMouseFlag(std::uint8_t Flag, bool On) {
  if (On)
    MouseFlags() |= Flag;
  else
    MouseFlags() &= static_cast<std::uint8_t>(~Flag);
}

bool TcxCustomTrackBar::PointInThumb(int X, int Y) {
  return RectContainsXY(ActiveProperties()->LastThumbBox, X, Y);
}

void TcxCustomTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomEdit::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (!RectContainsXY(TRect(0, 0, Width(), Height()), X, Y)) return;
  if (PointInThumb(X, Y)) {
    SetMouseFlag(tbmfThumbPressed, true);
    if (Shift.Contains(ssCtrl)) {
      FShiftSelecting = false;
      ActiveProperties()->PutSelection(0, 0);
    }
    RefreshStateAtCursor(false);
    return;
  }
  const int next = PositionForClick(TPoint(X, Y));
  if (next != Position()) SetPositionInteractively(next);
}

void TcxCustomTrackBar::Drag(int X, int Y, TShiftState Shift) {
  TcxCustomTrackBarProperties* p = ActiveProperties();
  const bool h = p->Orientation() == tboHorizontal;
  const int size = h ? Width() : Height();
  // A control of no size gives no scale: the thumb stays.
  if (size <= 0) return;
  const double scale = (static_cast<double>(p->Max()) - p->Min()) / size;
  const TRect& thumb = p->LastThumbBox;
  const int centre = AlongStart(thumb, h) + AlongSize(thumb, h) / 2;
  const double moved = scale * static_cast<double>((h ? X : Y) - centre);
  const int next = p->ClampPosition(Saturated(RoundEven(moved)) + static_cast<std::int64_t>(Position()));
  if (next == Position()) return;
  if (Shift.Contains(ssShift) && FShiftSelecting) UpdateShiftSelection(next);
  SetPositionInteractively(next);
}

void TcxCustomTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomEdit::MouseMove(Shift, X, Y);
  if ((MouseFlags() & tbmfThumbPressed) && Shift.Contains(ssLeft)) {
    Drag(X, Y, Shift);
    return;
  }
  const std::uint8_t before = MouseFlags();
  SetMouseFlag(tbmfOverThumb, PointInThumb(X, Y));
  if (MouseFlags() != before) RefreshStateAtCursor(false);
}

void TcxCustomTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // No click event comes of a release.
  if (Button == mbLeft) SetControlState(ControlState() - TControlState{csClicked});
  TcxCustomEdit::MouseUp(Button, Shift, X, Y);
  const std::uint8_t before = MouseFlags();
  SetMouseFlag(tbmfThumbPressed, false);
  SetMouseFlag(tbmfOverThumb, PointInThumb(X, Y));
  if (MouseFlags() != before) RefreshStateAtCursor(false);
  SetMouseCapture(false);
}

void TcxCustomTrackBar::NotifyMouseEnter(TControl* AControl) {
  TcxCustomEdit::NotifyMouseEnter(AControl);
  SetMouseFlag(tbmfOverControl, true);
  if ((MouseFlags() & tbmfThumbPressed) && !(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
    SetMouseFlag(tbmfThumbPressed, false);
    SetMouseFlag(tbmfOverThumb, false);
  }
}

void TcxCustomTrackBar::NotifyMouseLeave(TControl* AControl) {
  SetMouseFlag(tbmfOverControl, false);
  SetMouseFlag(tbmfOverThumb, false);
  TcxCustomEdit::NotifyMouseLeave(AControl);
  RefreshStateAtCursor(false);
}

void TcxCustomTrackBar::KeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::KeyDown(Key, Shift);
  if (Key == VK_SHIFT) {
    if (!IsInPlace() && !FShiftSelecting) {
      FShiftSelecting = true;
      FSelectionAnchor = Position();
    }
    return;
  }
  if (Key == 0) return;
  const int next = PositionForKey(Key);
  if (next == Position()) return;
  if (FShiftSelecting) UpdateShiftSelection(next);
  SetPositionInteractively(next);
}

void TcxCustomTrackBar::KeyUp(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::KeyUp(Key, Shift);
  if (Key == VK_SHIFT && !IsInPlace()) FShiftSelecting = false;
}

void TcxCustomTrackBar::WndProc(TMessage& Message) {
  TcxCustomEdit::WndProc(Message);
  // Arrow keys always; Tab too when in place.
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result |= DLGC_WANTARROWS;
    if (IsInPlace()) Message.Result |= DLGC_WANTTAB;
  }
}

TcxTrackBar::TcxTrackBar(TComponent* AOwner)
    : TcxCustomTrackBar(AOwner, TcxCustomEditClasses{TcxTrackBarProperties::StaticClass(), nullptr,
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxTrackBar::DeclareProperties(TPropTable& t) {
  t.Add("Position", &TcxTrackBar::Position, &TcxTrackBar::SetPosition).SetDefault(0);
  t.Add("Properties", &TcxTrackBar::Properties, &TcxTrackBar::SetProperties);
}

// ---- unit -------------------------------------------------------------------------------------------

void TcxFilterTrackBarHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                      TcxCustomEditProperties* SourceProperties,
                                                      bool KeepButtons) const {
  TcxFilterSpinEditHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  Properties->Buttons()->Add();
  Properties->Buttons()->Add();
  auto* track = dynamic_cast<TcxCustomTrackBarProperties*>(SourceProperties);
  auto* spin = dynamic_cast<TcxCustomSpinEditProperties*>(Properties);
  if (!track || !spin) return;
  spin->SetMinValue(track->Min());
  spin->SetMaxValue(track->Max());
  spin->SetLargeIncrement(track->PageSize());
}

void TrackBarUnitStartup() {
  RegisterClass(TcxTrackBar::StaticClass());
  EditPropertiesClassRegistry()->AddClass(TcxTrackBarProperties::StaticClass(),
                                          GetLocalizedResString(scxSEditRepositoryTrackBarItem));
  FilterEditsControllerInstance()->AddHelper(TcxTrackBarProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterTrackBarHelper>());
}

void TrackBarUnitShutdown() {
  FilterEditsControllerInstance()->RemoveHelper(TcxTrackBarProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterTrackBarHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxTrackBarProperties::StaticClass());
}
