#pragma once
// Status panes: windowless controls showing one line of text inside a frame, able to blink the
// text, size themselves to it and take it from the application's hints; and the marquee pane,
// which scrolls its text across on a timer.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Timer.h"
#include "ui/panels/Drawing.h"
#include "ui/panels/FrameController.h"

// A pane answers 1 when it blinks; a blinking pane takes CM_BLINK with the new phase in WParam.
constexpr win::UINT CM_QUERYBLINKING = 0xB3E8;
constexpr win::UINT CM_BLINK = 0xB3E9;

VW_ENUM(TRzScrollType, stNone, stRightToLeft, stLeftToRight)

using TRzScrollDisplayEvent = std::function<void(TObject* Sender, int CurrentStep, int TotalSteps)>;

// The one timer that blinks every blinking pane, shared by all panes for as long as one exists.
class TRzBlinkingControlsList : public TObject {
  VW_CLASS(TRzBlinkingControlsList, TObject)
 public:
  TRzBlinkingControlsList();
  ~TRzBlinkingControlsList() override;

  virtual int Count() const { return static_cast<int>(FMembers.size()); }
  void Add(TControl* Control) { FMembers.push_back(Control); }
  void Remove(TControl* Control);

  std::uint8_t BlinkPhase() const { return FBlinkPhase; }
  TTimer* BlinkTimer() const { return FBlinkTimer.get(); }
  // Writing the durations leaves the running timer's interval alone.
  std::uint16_t OffDuration = 500;
  std::uint16_t OnDuration = 500;

 private:
  void Tick(TObject* Sender);
  std::uint8_t FBlinkPhase = 1;
  std::vector<TControl*> FMembers;
  std::unique_ptr<TTimer> FBlinkTimer;
};

// The shared list; null while no pane exists.
extern TRzBlinkingControlsList* BlinkingControls;

class TRzCustomStatusPane : public TGraphicControl, public IFrameControllerClient {
  VW_CLASS(TRzCustomStatusPane, TGraphicControl)
 public:
  explicit TRzCustomStatusPane(TComponent* AOwner);
  ~TRzCustomStatusPane() override;
  static void DeclareProperties(TPropTable& t);

  virtual int PreferredWidth();
  virtual win::RECT CaptionRect();
  virtual void DrawCaption(const String& Text);
  virtual void DrawFrame();
  void ApplyFrameController() override;
  virtual void Blink(std::uint8_t Phase);
  // The last pane of one of this library's status bars; there is no such bar here.
  virtual bool IsLastPane() const { return false; }

  TAlignment Alignment() const { return FAlignment; }
  virtual void SetAlignment(TAlignment Value);
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value) { FAutoHint = Value; }
  void SetAutoSize(bool Value) override;
  int DefaultWidth() const { return FDefaultWidth; }
  virtual void SetDefaultWidth(int Value);
  bool Blinking() const { return FBlinking; }
  virtual void SetBlinking(bool Value);
  TColor BlinkColor() const { return FBlinkColor; }
  virtual void SetBlinkColor(TColor Value);
  virtual std::uint16_t BlinkIntervalOff() const;
  virtual void SetBlinkIntervalOff(std::uint16_t Value);
  virtual std::uint16_t BlinkIntervalOn() const;
  virtual void SetBlinkIntervalOn(std::uint16_t Value);
  int BorderWidth() const { return FBorderWidth; }
  virtual void SetBorderWidth(int Value);
  virtual void SetCaption(const String& Value) { TControl::SetCaption(Value); }
  int CaptionOffset() const { return FCaptionOffset; }
  virtual void SetCaptionOffset(int Value);
  TColor FillColor() const { return FFillColor; }
  virtual void SetFillColor(TColor Value);
  bool ParentFillColor() const { return FParentFillColor; }
  virtual void SetParentFillColor(bool Value);
  TColor FlatColor() const { return FFlatColor; }
  virtual void SetFlatColor(TColor Value);
  int FlatColorAdjustment() const { return FFlatColorAdjustment; }
  virtual void SetFlatColorAdjustment(int Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  virtual void SetFrameStyle(TFrameStyle Value);
  TRzFrameController* FrameController() const { return FFrameController; }
  virtual void SetFrameController(TRzFrameController* Value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications Value) {
    FFrameControllerNotifications = Value;
  }
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  TColor TextColor() const { return FTextColor; }
  bool BlinkPhaseIsNormal() const { return FBlinkPhaseIsNormal; }

 protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMParentColorChanged(TMessage& Message) override;
  // Sets the width to the text's when AutoSize is on.
  void AdjustPaneWidth();
  // The frame's width on each side for a style.
  static int FrameWidth(TFrameStyle Style);

  template <class T>
  bool Change(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    Invalidate();
    return true;
  }

  TAlignment FAlignment = taLeftJustify;
  bool FAutoHint = false;
  int FDefaultWidth = 40;
  TColor FBlinkColor = clHighlight;
  bool FBlinkPhaseIsNormal = true;
  bool FBlinking = false;
  TColor FNormalTextColor = clWindowText;
  int FBorderWidth = 1;
  int FCaptionOffset = 2;
  bool FParentFillColor = true;
  TColor FFillColor = clBtnFace;
  TColor FFlatColor = clBtnShadow;
  int FFlatColorAdjustment = 30;
  TFrameStyle FFrameStyle = fsFlat;
  TRzFrameController* FFrameController = nullptr;
  TRzFrameControllerNotifications FFrameControllerNotifications = fccAll;
  bool FTransparent = true;
  TColor FTextColor = clWindowText;

 private:
  bool IsFillColorStored() const { return !FParentFillColor; }
};

class TRzStatusPane : public TRzCustomStatusPane {
  VW_CLASS(TRzStatusPane, TRzCustomStatusPane)
 public:
  explicit TRzStatusPane(TComponent* AOwner) : TRzCustomStatusPane(AOwner) {}
};

class TRzMarqueeStatus : public TRzStatusPane {
  VW_CLASS(TRzMarqueeStatus, TRzStatusPane)
 public:
  explicit TRzMarqueeStatus(TComponent* AOwner);
  ~TRzMarqueeStatus() override;
  static void DeclareProperties(TPropTable& t);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void DrawCaption(const String& Text) override;

  TRzScrollType ScrollType() const { return FScrollType; }
  void SetScrollType(TRzScrollType Value);
  bool Scrolling() const { return FScrolling; }
  virtual void SetScrolling(bool Value);
  std::uint16_t ScrollDelay() const { return FScrollDelay; }
  void SetScrollDelay(std::uint16_t Value);
  std::uint16_t ScrollSize() const { return FScrollSize; }
  virtual void SetScrollSize(std::uint16_t Value);
  int ScrollLength() const { return FScrollLength; }
  int ScrollOffset() const { return FScrollOffset; }
  TTimer* ScrollTimer() const { return FTimer; }
  // One step of the scroll: moves the text and draws it at once.
  void ScrollTick(TObject* Sender);

  TRzScrollDisplayEvent OnScrollDisplay;
  TNotifyEvent OnScrollComplete;

 protected:
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  void UpdateScrollLength();

  TRzScrollType FScrollType = stRightToLeft;
  bool FScrolling = true;
  std::uint16_t FScrollDelay = 100;
  std::uint16_t FScrollSize = 1;
  int FScrollLength = 0;
  int FScrollOffset = 0;
  std::unique_ptr<TBitmap> FBitmap;
  TTimer* FTimer = nullptr;
};
