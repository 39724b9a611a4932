#pragma once
// The framed push button: a face in any colour with raised, recessed or shadowed text, an
// optional hot-track look, exclusive toggle groups, default and cancel handling and a dotted focus
// frame; the platform's themed push button when visual styles are on.
#include <cstdint>

#include "platform/classes/Controls.h"
#include "ui/panels/Drawing.h"
#include "ui/panels/Panel.h"

// Sent to a grouped button's siblings when it goes down: WParam the group, LParam the button.
constexpr win::UINT CM_GROUPPRESSED = 0x2421;

VW_ENUM(TTextStyle, tsNormal, tsRaised, tsRecessed, tsShadow)
VW_ENUM(TRzHotTrackColorType, htctActual, htctComplement)
VW_ENUM(TRzButtonToggleState, btsUp, btsUnused, btsDown, btsExclusive)

class TRzCustomButton : public TCustomControl {
  VW_CLASS(TRzCustomButton, TCustomControl)
 public:
  explicit TRzCustomButton(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  virtual void PaintTransparentBackground(win::HDC DC) { (void)DC; }
  virtual void RepaintFace() {}
  virtual void FocusRepaint() { Repaint(); }
  virtual win::RECT HotTrackRect() { return ClientRect(); }
  virtual bool UsesThemes();
  virtual void DrawCaption(TCanvas* Canvas, win::RECT Rect, win::UINT Format);
  virtual void ButtonClicked() = 0;

  TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
  virtual void SetAlignmentVertical(TAlignmentVertical Value);
  bool HotTrack() const { return FHotTrack; }
  virtual void SetHotTrack(bool Value);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor Value) { Change(FHotTrackColor, Value); }
  TRzHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
  void SetHotTrackColorType(TRzHotTrackColorType Value) { Change(FHotTrackColorType, Value); }
  TColor HighlightColor() const { return FHighlightColor; }
  virtual void SetHighlightColor(TColor Value);
  bool LightTextStyle() const { return FLightTextStyle; }
  virtual void SetLightTextStyle(bool Value);
  TTextStyle TextStyle() const { return FTextStyle; }
  virtual void SetTextStyle(TTextStyle Value);
  TColor TextHighlightColor() const { return FTextHighlightColor; }
  virtual void SetTextHighlightColor(TColor Value);
  TColor TextShadowColor() const { return FTextShadowColor; }
  virtual void SetTextShadowColor(TColor Value);
  int TextShadowDepth() const { return FTextShadowDepth; }
  virtual void SetTextShadowDepth(int Value);
  bool ThemeAware() const { return FThemeAware; }
  virtual void SetThemeAware(bool Value);
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  bool MouseInside() const { return FMouseInside; }
  bool LooksPressed() const { return FLooksPressed; }
  // The keyboard cues as the window's state says: focus frames and underlines shown.
  bool ShowFocusCues() const { return FShowFocus; }
  bool ShowAccelerators() const { return FShowAccel; }

 protected:
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void ReadUiState();

  template <class T>
  bool Change(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    Invalidate();
    return true;
  }

  TAlignmentVertical FAlignmentVertical = avCenter;
  bool FHotTrack = false;
  TColor FHotTrackColor = static_cast<TColor>(0x00149BF0);
  TRzHotTrackColorType FHotTrackColorType = htctActual;
  TColor FHighlightColor = clHighlight;
  TTextStyle FTextStyle = tsNormal;
  bool FLightTextStyle = false;
  int FTextShadowDepth = 2;
  TColor FTextShadowColor = clBtnShadow;
  TColor FTextHighlightColor = clBtnHighlight;
  bool FThemeAware = true;
  bool FTransparent = false;
  bool FMouseInside = false;
  bool FLeftButtonHeld = false;
  bool FLooksPressed = false;
  bool FShowFocus = true;
  bool FShowAccel = true;
};

class TRzButton : public TRzCustomButton {
  VW_CLASS(TRzButton, TRzCustomButton)
 public:
  explicit TRzButton(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  void PaintTransparentBackground(win::HDC DC) override;
  void RepaintFace() override { Invalidate(); }
  void ButtonClicked() override;
  void Click() override;
  virtual win::RECT CaptionRect();
  virtual void DrawCaptionText();
  virtual void MakeDownPattern(TBitmap* Bitmap);

  TAlignment Alignment() const { return FAlignment; }
  virtual void SetAlignment(TAlignment Value);
  bool Default() const { return FDefault; }
  virtual void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  virtual void SetAllowAllUp(bool Value);
  bool Down() const { return FDown; }
  virtual void SetDown(bool Value);
  TColor FrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor Value);
  int GroupIndex() const { return FGroupIndex; }
  virtual void SetGroupIndex(int Value);
  bool ShowDownPattern() const { return FShowDownPattern; }
  virtual void SetShowDownPattern(bool Value);
  bool ShowFocusRect() const { return FShowFocusRect; }
  virtual void SetShowFocusRect(bool Value);
  bool DropDownOnEnter() const { return FDropDownOnEnter; }
  void SetDropDownOnEnter(bool Value) { FDropDownOnEnter = Value; }
  void SetHotTrack(bool Value) override;

  bool IsEnterTarget() const { return FIsEnterTarget; }
  TRzButtonToggleState ToggleState() const { return FToggleState; }
  bool InClick() const { return FInClick; }
  // Down or exclusive in a group, or held down by the mouse or Space.
  bool Pressed() const { return FToggleState == btsDown || FToggleState == btsExclusive || FLooksPressed; }

 protected:
  void Paint() override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void DefineProperties(TFiler* Filer) override;

 private:
  void PaintThemed(const win::RECT& R);
  void PaintHotTrack(win::RECT R);
  void PaintClassic(win::RECT R);
  void PaintLitFace(const win::RECT& R);
  void BroadcastGroup();

  TAlignment FAlignment = taCenter;
  bool FIsEnterTarget = false;
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FAllowAllUp = false;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FShowDownPattern = true;
  bool FShowFocusRect = true;
  bool FDropDownOnEnter = true;
  TColor FFrameColor = cl3DDkShadow;
  TRzButtonToggleState FToggleState = btsUp;
  bool FSpaceHeld = false;
  bool FInClick = false;
};
