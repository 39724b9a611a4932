#include "ui/controls/ScrollBar.h"

#include <algorithm>

#include "platform/classes/Consts.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/SysUtils.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "ui/controls/Timer.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

constexpr unsigned kFirstRepeatDelay = 400;
constexpr unsigned kRepeatInterval = 60;
constexpr int kMaxStep = 32767;

bool Contains(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }
bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

}  // namespace

void SystemScrollBarSize(TSize& Size) {
  Size.cx = GetSystemMetrics(SM_CXVSCROLL);
  Size.cy = GetSystemMetrics(SM_CYHSCROLL);
}

// ---- view info -------------------------------------------------------------------------------------

TcxScrollBarParams TcxScrollBarViewInfo::Params() const {
  TcxScrollBarParams p;
  p.Kind = ScrollBar->Kind();
  p.Width = ScrollBar->Width();
  p.Height = ScrollBar->Height();
  p.Min = ScrollBar->Min();
  p.Max = ScrollBar->Max();
  p.Position = ScrollBar->Position();
  p.PageSize = ScrollBar->PageSize();
  p.Enabled = ScrollBar->Enabled();
  p.MinThumbSize = MinThumbSize;
  return p;
}

TcxScrollBarParts TcxScrollBarViewInfo::Parts() const {
  return {LineUpArrowRect, LineDownArrowRect, ThumbRect, PageUpRect, PageDownRect};
}

void TcxScrollBarViewInfo::CalcPartRects() {
  TcxScrollBarParts parts = CalcScrollBarParts(Params());
  LineUpArrowRect = parts.LineUpArrowRect;
  LineDownArrowRect = parts.LineDownArrowRect;
  ThumbRect = parts.ThumbRect;
  PageUpRect = parts.PageUpRect;
  PageDownRect = parts.PageDownRect;
}

void TcxScrollBarViewInfo::PlaceThumb(int Start) {
  if (IsEmpty(ThumbRect)) return;
  if (ScrollBar->Kind() == sbHorizontal) {
    int length = ThumbRect.Right - ThumbRect.Left;
    ThumbRect.Left = Start;
    ThumbRect.Right = Start + length;
    PageUpRect = TRect(LineUpArrowRect.Right, 0, ThumbRect.Left, ThumbRect.Bottom);
    PageDownRect = TRect(ThumbRect.Right, 0, LineDownArrowRect.Left, ThumbRect.Bottom);
  } else {
    int length = ThumbRect.Bottom - ThumbRect.Top;
    ThumbRect.Top = Start;
    ThumbRect.Bottom = Start + length;
    PageUpRect = TRect(0, LineUpArrowRect.Bottom, ThumbRect.Right, ThumbRect.Top);
    PageDownRect = TRect(0, ThumbRect.Bottom, ThumbRect.Right, LineDownArrowRect.Top);
  }
}

// ---- the bar ---------------------------------------------------------------------------------------

TcxScrollBar::TcxScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle({csCaptureMouse, csFramed, csOpaque});
  FBitmap = std::make_unique<TcxBitmap>();
  FBitmapCanvas = std::make_unique<TcxCanvas>(FBitmap->Canvas());
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel* Sender, TcxLookAndFeelValues Values) {
    LookAndFeelChanged(Sender, Values);
  };
  FThemeNotificator = std::make_unique<TdxThemeChangedNotificator>();
  FThemeNotificator->OnThemeChanged = [this] { HandleThemeChange(); };
  FRepeatTimer = std::make_unique<TcxTimer>(nullptr);
  FRepeatTimer->SetEnabled(false);
  FRepeatTimer->SetInterval(kFirstRepeatDelay);
  FRepeatTimer->SetOnTimer([this](TObject* Sender) { RepeatTimerTick(Sender); });
  FViewInfo = CreateViewInfo();
  FViewInfo->MinThumbSize = MinThumbLength();
  SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYHSCROLL));
  FViewInfo->Recalculate();
}

TcxScrollBar::~TcxScrollBar() {
  FRepeatTimer.reset();
  FThemeNotificator.reset();
  FViewInfo.reset();
  FLookAndFeel.reset();
  FBitmapCanvas.reset();
  FBitmap.reset();
}

void TcxScrollBar::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("Kind", &TcxScrollBar::Kind, &TcxScrollBar::SetKind).SetDefault(sbHorizontal);
  t.Add("Max", &TcxScrollBar::Max, &TcxScrollBar::SetMax).SetDefault(100);
  t.Add("Min", &TcxScrollBar::Min, &TcxScrollBar::SetMin).SetDefault(0);
  t.Add("PageSize", &TcxScrollBar::PageSize, &TcxScrollBar::SetPageSize);
  t.Add("Position", &TcxScrollBar::Position, &TcxScrollBar::SetPosition).SetDefault(0);
  t.Add("SmallChange", &TcxScrollBar::SmallChange, &TcxScrollBar::SetSmallChange).SetDefault(1);
  t.Add("LargeChange", &TcxScrollBar::LargeChange, &TcxScrollBar::SetLargeChange).SetDefault(1);
  t.Add("UnlimitedTracking", &TcxScrollBar::UnlimitedTracking, &TcxScrollBar::SetUnlimitedTracking).SetDefault(false);
}

std::unique_ptr<TcxScrollBarViewInfo> TcxScrollBar::CreateViewInfo() {
  return std::make_unique<TcxScrollBarViewInfo>(this);
}

TcxCustomLookAndFeelPainterClass TcxScrollBar::Painter() const {
  return FLookAndFeel->PainterForThemedObject(tciScrollBar);
}

void TcxScrollBar::SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }

void TcxScrollBar::SetSmallChange(int Value) { FSmallChange = std::clamp(Value, 1, kMaxStep); }
void TcxScrollBar::SetLargeChange(int Value) { FLargeChange = std::clamp(Value, 1, kMaxStep); }

void TcxScrollBar::SetCtl3D(bool Value) {
  FRealCtl3D = Value;
  LookAndFeelChanged(FLookAndFeel.get(), {});
}

void TcxScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  if (ComponentState().Contains(csLoading))
    FViewInfo->Recalculate();
  else
    SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  bool changed = ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!changed || Width() <= 0 || Height() <= 0) return;
  if (FBitmap) FBitmap->Resize(Width(), Height());
  if (FViewInfo) FViewInfo->Recalculate();
}

void TcxScrollBar::Loaded() {
  TCustomControl::Loaded();
  FViewInfo->Recalculate();
}

void TcxScrollBar::ApplyScrollParams(int AMin, int AMax, int APosition, int APageSize, bool Redraw) {
  // In 64 bits: Max - Min overflows for a range across the whole integer line.
  if (AMax < AMin || static_cast<std::int64_t>(AMax) - AMin < APageSize)
    throw EInvalidOperation(SScrollBarRange);
  Redraw = Redraw && HandleAllocated();
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == FMin && AMax == FMax && APageSize == FPageSize && APosition == FPosition) {
    Redraw = false;
  } else {
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
  }
  if (APosition != FPosition) {
    SetEnabled(true);
    FPosition = APosition;
    FViewInfo->Recalculate();
    if (Redraw) Repaint();
    FireChange();
  } else {
    FViewInfo->Recalculate();
    if (Redraw) Repaint();
  }
}

void TcxScrollBar::FireChange() {
  Changed();
  if (OnChange) OnChange(this);
}

void TcxScrollBar::FireScroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TcxScrollBar::PerformScroll(TScrollCode Code) {
  std::int64_t pos = FPosition;
  switch (Code) {
    case scLineUp: pos -= FSmallChange; break;
    case scLineDown: pos += FSmallChange; break;
    case scPageUp: pos -= FLargeChange; break;
    case scPageDown: pos += FLargeChange; break;
    case scTop: pos = FMin; break;
    case scBottom: pos = FMax; break;
    default: break;
  }
  int scrollPos = static_cast<int>(std::clamp<std::int64_t>(pos, FMin, FMax));
  FireScroll(Code, scrollPos);
  scrollPos = std::clamp(scrollPos, FMin, FMax);
  if (scrollPos == FPosition) return;
  if (Code == scTrack) {
    // The thumb already stands where the pointer put it; only the field follows.
    FPosition = scrollPos;
    Repaint();
  } else {
    SetPosition(scrollPos);
  }
}

void TcxScrollBar::ScrollByPart(TcxScrollBarHitPart Part) {
  switch (Part) {
    case hpLineUp: PerformScroll(scLineUp); break;
    case hpLineDown: PerformScroll(scLineDown); break;
    case hpThumb: PerformScroll(scTrack); break;
    case hpPageUp: PerformScroll(scPageUp); break;
    case hpPageDown: PerformScroll(scPageDown); break;
    default: break;
  }
}

TcxScrollBarHitPart TcxScrollBar::PartAtPoint(TPoint P) const {
  return ScrollBarPartAtPoint(FViewInfo->Params(), FViewInfo->Parts(), P);
}

int TcxScrollBar::PositionFromThumb() const {
  return ScrollBarPositionFromThumb(FViewInfo->Params(), FViewInfo->Parts());
}

bool TcxScrollBar::HotTracksParts() const { return Painter()->HotTracksButtons(); }

int TcxScrollBar::MinThumbLength() const { return Painter()->ScrollBarMinThumbLength(FKind == sbVertical); }

void TcxScrollBar::UpdateMinThumbSize() {
  FViewInfo->MinThumbSize = MinThumbLength();
  FViewInfo->Recalculate();
}

TcxButtonState TcxScrollBar::PartState(TcxScrollBarHitPart Part) const {
  if (!Enabled()) return cxbsDisabled;
  if (Part != FHotPart || (Part == hpThumb && !HotTracksParts())) return cxbsNormal;
  if (FPressedPart == Part) return cxbsPressed;
  if (FPressedPart != hpNone) return cxbsNormal;
  return ComponentState().Contains(csDesigning) ? cxbsNormal : cxbsHot;
}

// ---- painting --------------------------------------------------------------------------------------

void TcxScrollBar::DrawTrack(TcxCanvas* ACanvas, const TRect& R) {
  Painter()->DrawScrollBarTrack(ACanvas, R, FKind == sbHorizontal);
}

void TcxScrollBar::DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarHitPart Part, TcxButtonState State) {
  Painter()->DrawScrollBarElement(ACanvas, FKind == sbHorizontal, R, Part, State);
}

void TcxScrollBar::DrawPartInState(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarHitPart Part) {
  DrawPart(ACanvas, R, Part, PartState(Part));
}

void TcxScrollBar::DrawScrollBar(TcxCanvas* ACanvas) {
  DrawTrack(ACanvas, TRect(0, 0, Width(), Height()));
  DrawPartInState(ACanvas, FViewInfo->LineUpArrowRect, hpLineUp);
  DrawPartInState(ACanvas, FViewInfo->LineDownArrowRect, hpLineDown);
  if (!IsEmpty(FViewInfo->ThumbRect)) DrawPartInState(ACanvas, FViewInfo->ThumbRect, hpThumb);
  if (!IsEmpty(FViewInfo->PageUpRect)) DrawPartInState(ACanvas, FViewInfo->PageUpRect, hpPageUp);
  if (!IsEmpty(FViewInfo->PageDownRect)) DrawPartInState(ACanvas, FViewInfo->PageDownRect, hpPageDown);
}

void TcxScrollBar::Paint() {
  // Composed off screen and shown in one copy, so the parts never flicker over the track.
  if (FBitmap->Width() != Width() || FBitmap->Height() != Height()) FBitmap->Resize(Width(), Height());
  DrawScrollBar(FBitmapCanvas.get());
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), FBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- look, theme and state changes -----------------------------------------------------------------

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  // A skin draws its own edges: the window's 3-D look goes while the setting is kept.
  bool windowCtl3D = FRealCtl3D && FLookAndFeel->SkinPainter() == nullptr;
  bool parentCtl3D = ParentCtl3D();
  TCustomControl::SetCtl3D(windowCtl3D);
  SetParentCtl3D(parentCtl3D);
  UpdateMinThumbSize();
  Invalidate();
}

void TcxScrollBar::HandleThemeChange() {
  UpdateMinThumbSize();
  RefreshScrollBarPatternBitmaps();
  Invalidate();
  if (Parent()) Parent()->Realign();
}

void TcxScrollBar::CMSysColorChange(TMessage& Message) {
  RefreshScrollBarPatternBitmaps();
  TCustomControl::CMSysColorChange(Message);
}

void TcxScrollBar::CMEnabledChanged(TMessage& Message) {
  (void)Message;
  FViewInfo->Recalculate();
  if (!Enabled()) EndScrolling();
  Invalidate();
}

void TcxScrollBar::CMVisibleChanged(TMessage& Message) {
  TCustomControl::CMVisibleChanged(Message);
  if (!Visible()) EndScrolling();
}

void TcxScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The bitmap covers every pixel.
      Message.Result = 1;
      return;
    case CN_HSCROLL:
    case CN_VSCROLL:
      PerformScroll(static_cast<TScrollCode>(Message.WParamLo()));
      return;
    case WM_CANCELMODE:
      EndScrolling();
      TCustomControl::Dispatch(Message);
      return;
    case CM_CTL3DCHANGED:
      FRealCtl3D = TControl::Ctl3D();
      LookAndFeelChanged(FLookAndFeel.get(), {});
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

// ---- mouse -----------------------------------------------------------------------------------------

bool TcxScrollBar::IsPressedPartUnderCursor() {
  POINT p;
  GetCursorPos(&p);
  return PartAtPoint(ScreenToClient(p)) == FPressedPart;
}

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TcxScrollBarHitPart part = PartAtPoint(TPoint(X, Y));
  if (part == hpNone) return;
  if (part == hpThumb) {
    FDownMousePos = TPoint(X, Y);
    FSavePosition = FPosition;
    FSaveThumbPos = FViewInfo->ThumbRect.TopLeft();
    PerformScroll(scTrack);
  }
  FPressedPart = part;
  FHotPart = part;
  if (part != hpThumb) {
    ScrollByPart(part);
    FRepeatTimer->SetInterval(kFirstRepeatDelay);
    FRepeatTimer->SetEnabled(true);
  }
  Repaint();
}

void TcxScrollBar::TrackThumb(int X, int Y) {
  if (FUnlimitedTracking || Contains(ScrollBarTrackingZone(FKind, Width(), Height()), TPoint(X, Y))) {
    bool horizontal = FKind == sbHorizontal;
    int along = horizontal ? X : Y;
    int down = horizontal ? FDownMousePos.X : FDownMousePos.Y;
    if (along == down) return;
    const TRect& thumb = FViewInfo->ThumbRect;
    int length = horizontal ? thumb.Right - thumb.Left : thumb.Bottom - thumb.Top;
    int first = horizontal ? FViewInfo->LineUpArrowRect.Right : FViewInfo->LineUpArrowRect.Bottom;
    int second = horizontal ? FViewInfo->LineDownArrowRect.Left : FViewInfo->LineDownArrowRect.Top;
    int saved = horizontal ? FSaveThumbPos.X : FSaveThumbPos.Y;
    int start = std::clamp(saved + (along - down), first, std::max(first, second - length));
    FViewInfo->PlaceThumb(start);
    Repaint();
    int position = PositionFromThumb();
    if (position != FPosition) {
      FPosition = position;
      PerformScroll(scTrack);
    }
  } else if (FSavePosition != FPosition) {
    // Too far off: the bar goes back to where the drag began.
    SetPosition(FSavePosition);
    PerformScroll(scTrack);
  }
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FPressedPart == hpThumb) {
    TrackThumb(X, Y);
    return;
  }
  TcxScrollBarHitPart part = PartAtPoint(TPoint(X, Y));
  if (IsRepeatingPart(FPressedPart)) FRepeatTimer->SetEnabled(part == FPressedPart);
  if (part != FHotPart) {
    FHotPart = part;
    if (HotTracksParts() || FPressedPart != hpNone) Repaint();
  }
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  EndScrolling();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FHotPart = PartAtPoint(TPoint(X, Y));
  if (HotTracksParts()) Invalidate();
}

void TcxScrollBar::CMMouseEnter(TMessage& Message) {
  TCustomControl::CMMouseEnter(Message);
  if (HotTracksParts() || IsRepeatingPart(FPressedPart)) Invalidate();
}

void TcxScrollBar::CMMouseLeave(TMessage& Message) {
  TCustomControl::CMMouseLeave(Message);
  if (FPressedPart != hpThumb) FHotPart = hpNone;
  if (HotTracksParts() || IsRepeatingPart(FPressedPart)) Invalidate();
}

void TcxScrollBar::RepeatTimerTick(TObject*) {
  if (MouseCapture() && IsRepeatingPart(FPressedPart)) {
    if (FRepeatTimer->Interval() == kFirstRepeatDelay) FRepeatTimer->SetInterval(kRepeatInterval);
    ScrollByPart(FPressedPart);
    FRepeatTimer->SetEnabled(IsPressedPartUnderCursor());
  } else {
    EndScrolling();
  }
}

void TcxScrollBar::EndScrolling() {
  if (FPressedPart == hpNone) return;
  if (FPressedPart == hpThumb) {
    FPosition = PositionFromThumb();
    PerformScroll(scPosition);
  }
  FRepeatTimer->SetEnabled(false);
  FPressedPart = hpNone;
  FHotPart = hpNone;
  PerformScroll(scEndScroll);
  FViewInfo->Recalculate();
  Invalidate();
}
