#pragma once
// The label: a read-only editor whose value is its caption. It can turn its text by any angle
// (outline faces only), draw it with depth (repeated copies as a shadow, an extrusion or a colour
// ramp towards the shadow colour), raised, lowered or outlined, fill the letters with a texture
// and run an etched line beside it. A stand-alone label paints through an off-screen bitmap that
// is redrawn only when something it shows changed; it never takes the focus itself but hands it
// to its FocusControl when its accelerator is pressed.
#include <cstdint>
#include <memory>

#include "platform/classes/Bitmap.h"
#include "ui/choice/LabelLayout.h"
#include "ui/choice/LabelLineOptions.h"
#include "ui/controls/CustomEdit.h"
#include "ui/editors/TextEditViewInfo.h"
#include "ui/foundation/Bitmaps.h"

class TcxCustomLabel;

// A label draws no border and does not hot-track unless told to.
class TcxLabelEditStyle : public TcxEditStyle {
  VW_CLASS(TcxLabelEditStyle, TcxEditStyle)
 public:
  using TcxEditStyle::TcxEditStyle;
  TcxContainerBorderStyle BorderStyleFallback() override;
  bool HotTrackFallback() override { return false; }
};

// ---- properties ---------------------------------------------------------------------------------------

class TcxCustomLabelProperties : public TcxCustomEditProperties {
  VW_CLASS(TcxCustomLabelProperties, TcxCustomEditProperties)
 public:
  explicit TcxCustomLabelProperties(TPersistent* AOwner);
  ~TcxCustomLabelProperties() override;

  void Assign(TPersistent* Source) override;

  // Degrees counter-clockwise.
  int Angle() const { return FAngle; }
  void SetAngle(int Value) { Store(FAngle, Value); }
  // A 16-bit unsigned count of pixels.
  int Depth() const { return FDepth; }
  void SetDepth(int Value) { Store(FDepth, static_cast<std::uint16_t>(Value)); }
  // Made (empty) on first read.
  TBitmap* Glyph();
  bool HasGlyph() const { return FGlyph && !FGlyph->Empty(); }
  // Copies the picture in, or frees the glyph when given none.
  void SetGlyph(TBitmap* Value);
  TcxLabelEffect LabelEffect() const { return FLabelEffect; }
  void SetLabelEffect(TcxLabelEffect Value) { Store(FLabelEffect, Value); }
  TcxLabelStyle LabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TcxLabelStyle Value) { Store(FLabelStyle, Value); }
  TcxLabelLineOptions* LineOptions() const { return FLineOptions.get(); }
  void SetLineOptions(TcxLabelLineOptions* Value) { FLineOptions->Assign(Value); }
  TcxLabelOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TcxLabelOrientation Value) { Store(FOrientation, Value); }
  int PenWidth() const { return FPenWidth; }
  void SetPenWidth(int Value) { Store(FPenWidth, Value); }
  TColor ShadowedColor() const { return FShadowedColor; }
  void SetShadowedColor(TColor Value) { Store(FShadowedColor, Value); }
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value) { Store(FShowAccelChar, Value); }
  // Read from forms; the label does not use it.
  bool ShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool Value) { FShowEndEllipsis = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { Store(FWordWrap, Value); }

  // How far the depth effect reaches across and down.
  virtual TPoint DepthDelta();

  // ---- overrides -------------------------------------------------------------------------------------
  int SupportsDisplayFormat() override { return 0; }
  TcxCustomEditViewDataClass ViewDataClass() override;
  bool HasTextChangeEvents() override { return true; }
  bool CanCompareEditValues() override { return true; }
  TClass EditClass() override;
  TcxContainerStyleClass StyleClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  String ValueDisplayText(const Variant& Value) override;
  int SupportedOperations() override { return 1418; }
  void ConvertToEditValue(const Variant& DisplayValue, Variant& EditValue, bool AEditing) override;
  int EditValueSource(bool) override { return 1; }

 private:
  template <class T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    SignalChanged();
  }
  void MakeGlyph();

  int FAngle = 0;
  std::uint16_t FDepth = 0;
  std::unique_ptr<TBitmap> FGlyph;
  TcxLabelEffect FLabelEffect = cxleNormal;
  TcxLabelStyle FLabelStyle = cxlsNormal;
  std::unique_ptr<TcxLabelLineOptions> FLineOptions;
  TcxLabelOrientation FOrientation = cxoRightBottom;
  int FPenWidth = 1;
  TColor FShadowedColor = clGrayText;
  bool FShowAccelChar = true;
  bool FShowEndEllipsis = false;
  bool FWordWrap = false;
};

class TcxLabelProperties : public TcxCustomLabelProperties {
  VW_CLASS(TcxLabelProperties, TcxCustomLabelProperties)
 public:
  using TcxCustomLabelProperties::TcxCustomLabelProperties;
  static void DeclareProperties(TPropTable& t);
};

// ---- view info ----------------------------------------------------------------------------------------

class TcxCustomLabelViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomLabelViewInfo, TcxCustomTextEditViewInfo)
 public:
  TcxCustomLabelViewInfo();
  ~TcxCustomLabelViewInfo() override;

  // A copy of the properties' alignment.
  TcxEditAlignment* Alignment() const { return FAlignment.get(); }
  TcxBitmap* Bitmap() const { return FBitmap.get(); }
  bool BitmapDirty = true;
  // Where the bitmap was last drawn from.
  TPoint DrawnPosition{2147483647, 2147483647};
  TRect LabelTextRect;
  TRect FocusRect;
  // The in-place content offsets.
  TRect TextDrawOffsets;
  TPoint DepthDelta;
  int StyleOffset = 0;
  TRect LineRect;
  bool LineVertical = false;
  TColor LineInnerColor = clDefault;
  TColor LineOuterColor = clDefault;

  TcxLabelEffect LabelEffect = cxleNormal;
  TcxLabelStyle LabelStyle = cxlsNormal;
  TcxLabelOrientation Orientation = cxoRightBottom;
  int Depth = 0;
  TColor ShadowedColor = clGrayText;
  int Angle = 0;
  int PenWidth = 1;
  bool WordWrap = false;
  bool ShowAccelChar = true;
  // The properties' picture; not owned.
  TBitmap* Glyph = nullptr;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  // B in ACanvas's coordinates shows what lies at O in the label's (ATarget is the canvas the
  // label paints on).
  virtual void DrawLabelBackground(TcxCanvas* ACanvas, TcxCanvas* ATarget, const TPoint& O, const TRect& B);
  virtual void DrawLabel(TcxCanvas* ACanvas);

  // ---- overrides -------------------------------------------------------------------------------------
  void PaintBody(TcxCanvas* ACanvas) override;
  void AssignBackgroundColor(TColor Color) override;
  void ShiftBy(int DX, int DY) override;

 private:
  void DrawContent(TcxCanvas* ACanvas, TcxCanvas* ATarget, const TRect& B, const TRect& T, const TPoint& O,
                   const TRect& L);
  void DrawTextOnce(TcxCanvas* ACanvas, const String& Text, const TRect& T, const TPoint& Q, bool Rotated);
  void DrawMainText(TcxCanvas* ACanvas, const String& Text, const TRect& T, const TPoint& Q, bool Rotated,
                    bool TrueType, bool SkipPlain);
  void DrawLine(TcxCanvas* ACanvas, const TRect& T, const TRect& L);

  std::unique_ptr<TcxEditAlignment> FAlignment;
  std::unique_ptr<TcxBitmap> FBitmap;
};

// ---- view data ----------------------------------------------------------------------------------------

class TcxCustomLabelViewData : public TcxCustomEditViewData {
  VW_CLASS(TcxCustomLabelViewData, TcxCustomEditViewData)
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  TcxCustomLabelProperties* LabelProperties() const { return static_cast<TcxCustomLabelProperties*>(Properties); }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual int StyleOffset(TcxCanvas* ACanvas);
  virtual TRect LineBounds(TRect& T, const TRect& C, bool Vertical, int Thickness, bool Visible,
                           TcxLabelLineAlignment LineAlignment);
  virtual TRect TextBounds(TcxCanvas* ACanvas, const TRect& C, int Angle, const String& Text);
  // The rotated box of the text measured into R, with the style's and the depth's room.
  virtual TSize TextExtent(TcxCanvas* ACanvas, const TRect& R, bool FinalPass, const String& Text);
  virtual LibraryTextFlags LabelTextFlags();
  virtual int LineThickness();
  virtual bool IsLineVisible(int Angle);

  // ---- overrides -------------------------------------------------------------------------------------
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
  TSize ContentSizeForValue(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) override;

 private:
  // Prepares the canvas font with the style's font turned by Angle; the effective angle.
  int PrepareFont(TcxCanvas* ACanvas);
};

// ---- the control --------------------------------------------------------------------------------------

class TcxCustomLabel : public TcxCustomEdit {
  VW_CLASS(TcxCustomLabel, TcxCustomEdit)
 public:
  explicit TcxCustomLabel(TComponent* AOwner);
  ~TcxCustomLabel() override;

  TcxCustomLabelProperties* Properties() const {
    return static_cast<TcxCustomLabelProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomLabelProperties* ActiveProperties() {
    return static_cast<TcxCustomLabelProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomLabelViewInfo* LabelViewInfo() { return static_cast<TcxCustomLabelViewInfo*>(ViewInfo()); }
  TcxLabelEditStyle* Style() { return static_cast<TcxLabelEditStyle*>(TcxCustomEdit::Style()); }
  void SetStyle(TcxLabelEditStyle* Value) { TcxCustomEdit::SetStyle(Value); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  // ---- overrides -------------------------------------------------------------------------------------
  void InitializeEditor() override;
  void InternalSetEditValue(const Variant& Value, bool ValidateValue) override;
  void SetInnerEditValue(const Variant& Value) override;
  void AutoSizeChanged() override;
  void PropertiesChanged(TObject* Sender) override;
  bool AnchorsHorizontally() override;
  bool AnchorsVertically() override;
  bool AutoSizeKeepsWidth() override;
  bool AutoSizeAdjustsWidth() override { return true; }
  bool CanFocus() override;
  bool CanFocusOnClick() override;
  bool DefaultParentColor() override { return true; }
  int PaintStateCode() override;

 protected:
  TcxCustomLabel(TComponent* AOwner, const TcxCustomEditClasses& Classes);
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

 private:
  void Construct();

  TWinControl* FFocusControl = nullptr;
  // Set while a caption change is being turned into the edit value.
  bool FCaptionToValue = false;
};

class TcxLabel : public TcxCustomLabel {
  VW_CLASS(TcxLabel, TcxCustomLabel)
 public:
  explicit TcxLabel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxLabelProperties* Properties() const { return static_cast<TcxLabelProperties*>(TcxCustomLabel::Properties()); }
  void SetProperties(TcxLabelProperties* Value) { TcxCustomEdit::SetProperties(Value); }
  bool AutoSizeValue() const { return TcxCustomEdit::AutoSize(); }
};

// Registers the label in the editor registry and the filter controller; the editor and text
// editor units start first.
void LabelUnitStartup();
void LabelUnitShutdown();
