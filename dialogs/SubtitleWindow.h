#pragma once
// What the three scrolling subtitle windows share: a borderless pop-up that floats above the
// desktop's windows, filled by one marquee pane, dragged by its top band or by the text itself and
// sized by its edges. The windows differ only in their descriptions (caption, stored position and
// the two template panes whose scroll types ConfigureSubtitle copies).
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "ui/panels/StatusPane.h"

class TSubtitleWindow : public TForm {
  VW_CLASS(TSubtitleWindow, TForm)
 public:
  explicit TSubtitleWindow(TComponent* AOwner);

  TRzMarqueeStatus* rzmrqstsText = nullptr;   // the subtitle, covering the whole client area
  TRzMarqueeStatus* rzmrqstsText1 = nullptr;  // template: still text
  TRzMarqueeStatus* rzmrqstsText2 = nullptr;  // template: scrolling right to left

  // The settings the subtitle dialog chose. Interval is the scroll delay in ms; below 1 the text
  // stands still. KeepColor leaves the pane's fill as it is.
  void ConfigureSubtitle(const String& Text, const String& FontName, const String& FontColorName, TColor BackColor,
                         int FontSize, int Interval, bool KeepColor);

  // Whether the window is on the screen. The open-subtitles dialog hides and shows it through the
  // window system, behind the form's Visible, and a window it hid is free for the next subtitle.
  bool OnScreen();

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void rzmrqstsTextMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void rzmrqstsTextMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;

 private:
  void StartDrag();
  void WMNCHitTest(TMessage& Message);
};
