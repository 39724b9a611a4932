#pragma once
// What the picture parameter dialogs share: the step rows and the mixed-colour rows with what they
// send, the swatch palette with its selection frame and its ">>>" panel, the texts of both
// languages, and the dialog's bands and pages. Each dialog passes its own sender, so the grid
// console's dialog and the other consoles' dialog send the same rows through their own addressing.
#include <array>
#include <functional>
#include <span>

#include "platform/classes/Controls.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Timer.h"
#include "ui/choice/Button.h"
#include "ui/choice/GroupBox.h"
#include "ui/pages/PageControl.h"
#include "ui/panels/Panel.h"

// Sends one screen command (command byte, value) to the console's wall selection.
using TScreenSender = std::function<void(int Command, int Value)>;

// A pair of step buttons: the down button sends the command with 0, the up button with 1.
struct TStepPair {
  const char* Down;
  const char* Up;
  int Command;
};

// The single-frame step pairs of the VIDEO, VGA and COLOR TEMP pages. The DVI/HDMI/YUV page's
// buttons run the VGA page's handlers, so they have no rows of their own.
extern const std::array<TStepPair, 29> kStepPairs;

// A pair of mixed-colour buttons: three frames, red, green and blue, on three consecutive commands.
// The up button sends the opposite of each of the down button's values.
struct TMixedColourPair {
  const char* Down;
  const char* Up;
  int RedCommand;
  std::array<int, 3> DownValues;
  int UpPauseMs;  // between the up button's frames; the down button always pauses 100 ms
};

extern const std::array<TMixedColourPair, 8> kMixedColourPairs;

// The handler name a button's click is bound by in the form descriptions.
String StepHandlerName(const String& Button);

// Registers a click handler for both buttons of every step pair on Form, each sending through Send.
void RegisterPictureStepHandlers(TComponent* Form, const TScreenSender& Send);
// The same for both buttons of every mixed-colour pair.
void RegisterMixedColourHandlers(TComponent* Form, const TScreenSender& Send);

// Three frames on RedCommand and the two commands after it, Pause ms between them and none after.
void SendMixedColour(const TScreenSender& Send, int RedCommand, const std::array<int, 3>& Values, int PauseMs);

// The palette: 7 rows of 36 swatches, in the order of their name prefixes.
inline constexpr int kSwatchRows = 7;
inline constexpr int kSwatchColumns = 36;
extern const std::array<const char*, kSwatchRows> kSwatchPrefixes;

// The colour of the swatch in a row and column: the row's reduced components at 255 - 4 * Column,
// the others at 255.
TColor SwatchColor(int Row, int Column);

// Builds the palette into Panel, owned by Dialog: the pitch is the panel's width div 22, each swatch
// named by its row's prefix and its column, its column in its hint, in Unselected's frame style.
void BuildSwatches(TComponent* Dialog, TWinControl* Panel, const TRzPanel* Unselected, const TMouseEvent& OnMouseDown);

// The selection frame, moved from the panel that shows it (if any) to Swatch.
void SelectSwatch(TRzPanel*& SelectedSwatch, TRzPanel* Swatch, const TRzPanel* Selected, const TRzPanel* Unselected);

// The ">>>" panel: it shows pressed until Timer fires, from then on its own frame style is the
// unselected one, and it widens the dialog by Widen or narrows it to NarrowWidth; its Left is the
// dialog's new width less RightMargin.
struct TWidthToggle {
  int Widen;
  int NarrowWidth;
  int RightMargin;
};
void PressWidthToggle(TForm* Dialog, TRzPanel*& SelectedSwatch, TRzPanel* Toggle, const TRzPanel* Selected,
                      TRzPanel* Unselected, TTimer* Timer, const TWidthToggle& Sizes);
// The timer's end of the press: the panel is released only while it still holds the selection, so a
// swatch chosen within the press keeps its frame.
void ReleaseWidthToggle(TRzPanel* SelectedSwatch, TRzPanel* Toggle, const TRzPanel* Unselected, TTimer* Timer);

// A text that changes with the interface language: component, Chinese, English. The descriptions
// store them mixed; the texts not named keep theirs in both languages.
struct TCaptionRow {
  const char* Name;
  const char* Chinese;
  const char* English;
};

// Sets the dialog's caption, the texts both picture dialogs share (the bands and the VIDEO, VGA,
// DVI/HDMI and colour-temperature rows) and the dialog's own rows in one language: 1 English,
// 0 Chinese; any other value leaves the stored texts.
void ApplyPictureLanguage(TForm* Dialog, int Language, std::span<const TCaptionRow> OwnRows);

// A picture parameter dialog: the top band with the selection it adjusts and the reset, the page
// control with the VIDEO, VGA, DVI/HDMI, COLOR TEMP and COLOR ADJUST pages, the palette with its
// ">>>" panel, and the bottom band with back light, save and close. What each button sends is the
// dialog's own.
class TPictureDialog : public TForm {
  VW_CLASS(TPictureDialog, TForm)
 public:
  // Toggle: the sizes of this dialog's ">>>" panel; OwnCaptions: its texts beyond the shared ones.
  TPictureDialog(TComponent* AOwner, const TWidthToggle& Toggle, std::span<const TCaptionRow> OwnCaptions);

  // The top band.
  TcxGroupBox* cxgrpbxTop = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;      // the wall selection the dialog adjusts, "L,T - R,B"
  TcxButton* BitBtn8 = nullptr;  // system reset; usable while a link is open

  TcxPageControl* cxPageControl1 = nullptr;
  TcxTabSheet* TabSheet1 = nullptr;    // VIDEO
  TcxTabSheet* TabSheet2 = nullptr;    // VGA
  TcxTabSheet* tsDHY = nullptr;        // DVI/HDMI
  TcxTabSheet* tsCOLORTEMP = nullptr;  // COLOR TEMP
  TcxTabSheet* ColorAdjust = nullptr;  // COLOR ADJUST
  TcxButton* Button4 = nullptr;        // auto colour
  TcxButton* Button1 = nullptr;        // auto position
  TPanel* Panel1 = nullptr;            // the palette
  TRzPanel* rzpnl1 = nullptr;          // the selected frame style, never shown
  TRzPanel* rzpnl2 = nullptr;          // the unselected frame style, never shown
  TRzPanel* rzpnl3 = nullptr;          // ">>>": widens and narrows the dialog
  TTimer* tmr1 = nullptr;              // ends the ">>>" panel's press

  // The bottom band.
  TcxGroupBox* cxgrpbxBottom = nullptr;
  TLabel* Label25 = nullptr;
  TcxButton* SpeedButton43 = nullptr;  // back light down
  TcxButton* SpeedButton44 = nullptr;  // back light up
  TcxButton* Button2 = nullptr;        // save
  TcxButton* Button3 = nullptr;        // close

  // The panel that shows the selected frame: a swatch, or the ">>>" panel while pressed.
  TRzPanel* SelectedSwatch = nullptr;

  void Button3Click(TObject* Sender);
  void rzpnl3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void tmr1Timer(TObject* Sender);

  // The texts of the interface language: 1 English, 0 Chinese; other values leave the stored ones.
  void ApplyLanguage(int Language);

 protected:
  void Loaded() override;
  // Builds the palette into Panel1, each swatch pressed through OnMouseDown.
  void BuildPalette(const TMouseEvent& OnMouseDown);
  // The selection frame moves to Swatch.
  void SelectSwatch(TRzPanel* Swatch);

 private:
  TWidthToggle FToggle;
  std::span<const TCaptionRow> FOwnCaptions;
};
