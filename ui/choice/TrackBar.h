#pragma once
// The slider editor: an integer between Min and Max that the operator changes by dragging a thumb
// along a channel, by clicking beside the thumb or with the keyboard. It draws the channel, an
// optional selection band, ticks or numbers on either side and the thumb, through the
// look-and-feel painter into an off-screen bitmap. The value is the editor's EditValue, read and
// written as the integer Position.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/classes/Bitmap.h"
#include "ui/choice/SpinEdit.h"
#include "ui/controls/CustomEdit.h"
#include "ui/editors/TextEditViewInfo.h"
#include "ui/foundation/LookAndFeel.h"

VW_ENUM(TcxTrackBarOrientation, tboHorizontal, tboVertical)
VW_ENUM(TcxTrackBarTextOrientation, tbtoHorizontal, tbtoVertical)
VW_ENUM(TcxTrackBarThumbStep, cxtsNormal, cxtsJump)
VW_ENUM(TcxTrackBarThumbType, cxttNone, cxttRegular, cxttCustom)
VW_ENUM(TcxTrackBarTickMarks, cxtmBoth, cxtmTopLeft, cxtmBottomRight)
VW_ENUM(TcxTrackBarTickType, tbttTicks, tbttNumbers, tbttValueNumber)

using TcxDrawThumbEvent = std::function<void(TObject* Sender, TcxCanvas* ACanvas, const TRect& ARect)>;
using TcxGetThumbRectEvent = std::function<void(TObject* Sender, TRect& ARect)>;

class TcxCustomTrackBar;
class TcxCustomTrackBarProperties;

// The track bar's style: no border and no hot tracking unless assigned.
class TcxTrackBarStyle : public TcxEditStyle {
  VW_CLASS(TcxTrackBarStyle, TcxEditStyle)
 public:
  using TcxEditStyle::TcxEditStyle;
  TcxContainerBorderStyle BorderStyleFallback() override;
  bool HotTrackFallback() override { return false; }
};

// ---- view info ----------------------------------------------------------------------------------------

// Bits of the view info's mouse flags.
inline constexpr std::uint8_t tbmfOverControl = 1;
inline constexpr std::uint8_t tbmfOverThumb = 2;
inline constexpr std::uint8_t tbmfThumbPressed = 4;

// Thumb states: the painter's button states one up, with 5 for disabled.
inline constexpr int tbtsNormal = 1;
inline constexpr int tbtsHot = 2;
inline constexpr int tbtsPressed = 3;
inline constexpr int tbtsDisabled = 5;

class TcxCustomTrackBarViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomTrackBarViewInfo, TcxCustomTextEditViewInfo)
 public:
  TcxCustomTrackBarViewInfo();
  ~TcxCustomTrackBarViewInfo() override;

  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  TBitmap* OffscreenBitmap() const { return FOffscreenBitmap.get(); }

  int Position = 0;
  int SelectionEnd = 0;
  int SelectionStart = 0;
  bool HasSelection = false;
  int ThumbHeight = 12;
  int ThumbWidth = 7;
  int ThumbState = tbtsNormal;
  int TrackSize = 5;
  TRect OuterRect;
  TRect BarRect;
  TRect ChannelZoneRect;
  TRect ChannelRect;
  TRect ThumbBox;
  TRect SelectionBand;
  int EndIndent = 7;
  std::uint8_t MouseFlags = 0;
  int Min = 0;
  int Max = 10;
  int Frequency = 1;
  int ThumbBreadth = 0;
  int ThumbLength = 0;
  TColor TickColor = clWindowText;
  TcxTrackBarTickMarks TickMarks = cxtmBottomRight;
  double PixelsPerUnit = 0;
  TcxTrackBarTickType TickType = tbttTicks;
  int TickSize = 3;
  int BorderWidth = 0;
  TcxTrackBarOrientation Orientation = tboHorizontal;
  TcxTrackBarTextOrientation TextOrientation = tbtoHorizontal;

  bool IsHorizontal() const { return Orientation == tboHorizontal; }
  TcxCustomTrackBarProperties* TrackBarProperties() const;
  // The painter that draws track and thumb: the skin painter when there is one.
  TcxCustomLookAndFeelPainterClass TrackPainter() const;
  bool HasSkinPainter() const;

  // ---- overrides -------------------------------------------------------------------------------------
  void CopyStateFrom(TcxContainerViewInfo* Source) override;
  TcxRegion* DiffRegion(TcxContainerViewInfo* Previous) override;
  void ShiftBy(int DX, int DY) override;
  void PaintWithHandler(TcxCanvas* ACanvas) override;
  // The whole editor is one pressable part; no button index is meant.
  bool HotButtonIndex(int&) override { return true; }
  bool PointOnButton(const TPoint&) override { return true; }
  bool HasHintAt(const TPoint&) override { return false; }
  bool HintAt(const TPoint&, TRect&, bool&, String& Text) override {
    Text.clear();
    return false;
  }
  void PaintText(TcxCanvas*) override {}

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual void PaintTrack(TcxCanvas* ACanvas);
  virtual void PaintSelection(TcxCanvas* ACanvas);
  virtual void PaintTicks(TcxCanvas* ACanvas);
  virtual void PaintThumb(TcxCanvas* ACanvas);
  virtual void GetThumbBounds(TRect& R);
  virtual std::uint8_t ThumbShapeCode();
  virtual void PaintTrackBarContent(TcxCanvas* ACanvas);

  // The painter's tick code: both sides 2, top or left 0, bottom or right 1.
  int PainterTickCode() const;
  TcxButtonState ThumbButtonState() const;
  TColor ThumbColor() const;

 private:
  void PaintTickAt(TcxCanvas* ACanvas, std::int64_t Value, int Coordinate);

  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  std::unique_ptr<TBitmap> FOffscreenBitmap;
  std::unique_ptr<TcxCanvas> FOffscreenCanvas;
};

// ---- view data ----------------------------------------------------------------------------------------

class TcxCustomTrackBarViewData : public TcxCustomEditViewData {
  VW_CLASS(TcxCustomTrackBarViewData, TcxCustomEditViewData)
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  TcxCustomTrackBarProperties* TrackBarProperties() const;

  void ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                            const TcxEditSizeProperties& Request) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual void CalculateTrackBarLayout(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo);
  // Side 1: top or left; side 0: bottom or right.
  virtual int TickAreaExtent(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo, int Side);
  virtual void LoadTrackBarProperties(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateBarRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateTrackZone(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateChannelRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateThumbMetrics(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateThumbBox(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateSelectionBand(TcxCustomTrackBarViewInfo* AViewInfo);

 private:
  // The handler's rectangle when the thumb is custom and a handler is assigned.
  bool CustomThumbRect(TRect& R);
};

// ---- properties ---------------------------------------------------------------------------------------

class TcxCustomTrackBarProperties : public TcxCustomEditProperties {
  VW_CLASS(TcxCustomTrackBarProperties, TcxCustomEditProperties)
 public:
  explicit TcxCustomTrackBarProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { Store(FAutoSize, Value); }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { Store(FBorderWidth, std::max(Value, 0)); }
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value) { Store(FFrequency, std::max(Value, 0)); }
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  TcxTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TcxTrackBarOrientation Value) { Store(FOrientation, Value); }
  TcxTrackBarTextOrientation TextOrientation() const { return FTextOrientation; }
  void SetTextOrientation(TcxTrackBarTextOrientation Value) { Store(FTextOrientation, Value); }
  int PageSize() const { return FPageSize; }
  // A natural number: values below 1 are taken as 1.
  void SetPageSize(int Value) { Store(FPageSize, std::max(Value, 1)); }
  int SelectionStart() const { return FSelectionStart; }
  void SetSelectionStart(int Value) { Store(FSelectionStart, Value); }
  int SelectionEnd() const { return FSelectionEnd; }
  void SetSelectionEnd(int Value) { Store(FSelectionEnd, Value); }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { Store(FSelectionColor, Value); }
  bool ShowTicks() const { return FShowTicks; }
  void SetShowTicks(bool Value) { Store(FShowTicks, Value); }
  TcxTrackBarThumbType ThumbType() const { return FThumbType; }
  void SetThumbType(TcxTrackBarThumbType Value) { Store(FThumbType, Value); }
  bool ShowTrack() const { return FShowTrack; }
  void SetShowTrack(bool Value) { Store(FShowTrack, Value); }
  TColor TickColor() const { return FTickColor; }
  void SetTickColor(TColor Value) { Store(FTickColor, Value); }
  TcxTrackBarTickType TickType() const { return FTickType; }
  void SetTickType(TcxTrackBarTickType Value) { Store(FTickType, Value); }
  TcxTrackBarTickMarks TickMarks() const { return FTickMarks; }
  void SetTickMarks(TcxTrackBarTickMarks Value) { Store(FTickMarks, Value); }
  int TickSize() const { return FTickSize; }
  void SetTickSize(int Value) { Store(FTickSize, std::max(Value, 1)); }
  TColor TrackColor() const { return FTrackColor; }
  void SetTrackColor(TColor Value) { Store(FTrackColor, Value); }
  int TrackSize() const { return FTrackSize; }
  void SetTrackSize(int Value) { Store(FTrackSize, Value); }
  int ThumbHeight() const { return FThumbHeight; }
  void SetThumbHeight(int Value) { Store(FThumbHeight, Value); }
  int ThumbWidth() const { return FThumbWidth; }
  void SetThumbWidth(int Value) { Store(FThumbWidth, Value); }
  TColor ThumbColor() const { return FThumbColor; }
  void SetThumbColor(TColor Value) { Store(FThumbColor, Value); }
  TColor ThumbHighlightColor() const { return FThumbHighlightColor; }
  void SetThumbHighlightColor(TColor Value) { Store(FThumbHighlightColor, Value); }
  TcxTrackBarThumbStep ThumbStep() const { return FThumbStep; }
  void SetThumbStep(TcxTrackBarThumbStep Value) { FThumbStep = Value; }

  TcxDrawThumbEvent OnDrawThumb;
  TcxGetThumbRectEvent OnGetThumbRect;

  // Results of the last layout of any editor using these properties; the mouse handling reads them.
  TRect LastChannelRect;
  TRect LastThumbBox;
  double LastPixelsPerUnit = 0;

  // The selection as the shift selection writes it: no notification of its own.
  void PutSelection(int AStart, int AEnd) {
    FSelectionStart = AStart;
    FSelectionEnd = AEnd;
  }

  // Counted in 64 bits so that no sum of two positions overflows before the clamp.
  int ClampPosition(std::int64_t Value) const;
  std::int64_t ValueToPosition(const Variant& Value) const;

  // ---- overrides -------------------------------------------------------------------------------------
  TcxCustomEditViewDataClass ViewDataClass() override;
  bool HasTextChangeEvents() override { return false; }
  bool CanCompareEditValues() override { return true; }
  TClass EditClass() override;
  TcxContainerStyleClass StyleClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  String ValueDisplayText(const Variant& Value) override;
  int SupportedOperations() override { return 0x050D; }
  void ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditing) override;

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    SignalChanged();
  }

  bool FAutoSize = true;
  int FBorderWidth = 0;
  int FFrequency = 1;
  int FMin = 0;
  int FMax = 10;
  TcxTrackBarOrientation FOrientation = tboHorizontal;
  TcxTrackBarTextOrientation FTextOrientation = tbtoHorizontal;
  int FPageSize = 1;
  int FSelectionStart = 0;
  int FSelectionEnd = 0;
  TColor FSelectionColor = clHighlight;
  bool FShowTicks = true;
  TcxTrackBarThumbType FThumbType = cxttRegular;
  bool FShowTrack = true;
  TColor FTickColor = clWindowText;
  TcxTrackBarTickType FTickType = tbttTicks;
  TcxTrackBarTickMarks FTickMarks = cxtmBottomRight;
  int FTickSize = 3;
  TColor FTrackColor = clWindow;
  int FTrackSize = 5;
  int FThumbHeight = 12;
  int FThumbWidth = 7;
  TColor FThumbColor = clBtnFace;
  TColor FThumbHighlightColor = static_cast<TColor>(0xC0C0C0);
  TcxTrackBarThumbStep FThumbStep = cxtsNormal;
};

class TcxTrackBarProperties : public TcxCustomTrackBarProperties {
  VW_CLASS(TcxTrackBarProperties, TcxCustomTrackBarProperties)
 public:
  using TcxCustomTrackBarProperties::TcxCustomTrackBarProperties;
  static void DeclareProperties(TPropTable& t);
};

// ---- the editor ---------------------------------------------------------------------------------------

class TcxCustomTrackBar : public TcxCustomEdit {
  VW_CLASS(TcxCustomTrackBar, TcxCustomEdit)
 public:
  explicit TcxCustomTrackBar(TComponent* AOwner);

  TcxCustomTrackBarProperties* Properties() const {
    return static_cast<TcxCustomTrackBarProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomTrackBarProperties* ActiveProperties() {
    return static_cast<TcxCustomTrackBarProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomTrackBarViewInfo* TrackBarViewInfo() { return static_cast<TcxCustomTrackBarViewInfo*>(ViewInfo()); }
  TcxTrackBarStyle* Style() { return static_cast<TcxTrackBarStyle*>(TcxCustomEdit::Style()); }

  int Position();
  void SetPosition(int Value);
  bool ShiftSelecting() const { return FShiftSelecting; }
  int SelectionAnchor() const { return FSelectionAnchor; }

  // The operation behind every operator action.
  void SetPositionInteractively(std::int64_t Value);
  void UpdateShiftSelection(int NewPosition);
  // What a click at P (control coordinates) or a key would make of the position; clamped.
  int PositionForClick(const TPoint& P);
  int PositionForKey(win::WORD Key);
  // The value under P along the channel, from the last layout; false when the channel is no longer
  // than the thumb.
  bool PositionAtPoint(const TPoint& P, std::int64_t& Value);

  // ---- overrides -------------------------------------------------------------------------------------
  bool DefaultParentColor() override { return true; }
  void SizeConstraints(TcxEditSizeRequest& Request) override;
  void RefreshDisplayText() override { RefreshStateAtCursor(false); }
  bool HandlesNavigationKeys() override { return true; }
  void NotifyMouseEnter(TControl* AControl) override;
  void NotifyMouseLeave(TControl* AControl) override;

 protected:
  TcxCustomTrackBar(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

 private:
  void InitializeTrackBar();
  std::uint8_t& MouseFlags() { return TrackBarViewInfo()->MouseFlags; }
  void SetMouseFlag(std::uint8_t Flag, bool On);
  bool PointInThumb(int X, int Y);
  void Drag(int X, int Y, TShiftState Shift);

  bool FShiftSelecting = false;
  int FSelectionAnchor = 0;
};

class TcxTrackBar : public TcxCustomTrackBar {
  VW_CLASS(TcxTrackBar, TcxCustomTrackBar)
 public:
  explicit TcxTrackBar(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxTrackBarProperties* Properties() const {
    return static_cast<TcxTrackBarProperties*>(TcxCustomTrackBar::Properties());
  }
  void SetProperties(TcxTrackBarProperties* Value) { TcxCustomEdit::SetProperties(Value); }
};

// A track bar's value edited in a filter row: a spin editor with the bar's range, paged by its page.
class TcxFilterTrackBarHelper : public TcxFilterSpinEditHelper {
  VW_CLASS(TcxFilterTrackBarHelper, TcxFilterSpinEditHelper)
 public:
  TcxFilterTrackBarHelper() = default;
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
};

// Registers the track bar's properties in the editor registry and its filter helper; the editor
// unit's start-up runs first.
void TrackBarUnitStartup();
void TrackBarUnitShutdown();
