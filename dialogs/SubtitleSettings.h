#pragma once
// The subtitle settings dialog: the text, its font, colours, scrolling interval and transparency,
// kept in "cfg.ini" [subtitle]; it opens them in the first free subtitle window and lists the open
// ones. Settings take effect on a window only when it is added. Nothing here talks to the devices.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Dialogs.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/ColorComboBox.h"
#include "ui/choice/Label.h"
#include "ui/editors/Memo.h"

class TSubtitleWindow;

class TfrmSubtitleSettings : public TForm {
  VW_CLASS(TfrmSubtitleSettings, TForm)
 public:
  explicit TfrmSubtitleSettings(TComponent* AOwner);
  ~TfrmSubtitleSettings() override;

  TcxLabel* cxlblText = nullptr;
  TcxMemo* cxmText = nullptr;  // the subtitle, all its lines
  TcxButton* btnFontSetting = nullptr;
  TFontDialog* dlgFont = nullptr;  // holds the subtitle's font: name, size, colour
  TcxCheckBox* cbTranp = nullptr;  // only the text shows
  TcxLabel* cxLabel3 = nullptr;
  TcxColorComboBox* cbbBGColor = nullptr;  // the background, by colour name
  TcxLabel* cxlblInterval = nullptr;
  TLabeledEdit* lbledtInterval = nullptr;  // ms between scroll steps; 0 stands still
  TcxButton* BitbAddDisplay = nullptr;
  TcxButton* btnCloseDisplay = nullptr;
  TcxButton* btnSave = nullptr;
  TcxButton* btnClose = nullptr;

  // The English texts the consoles set: the window's title is the console's own ("Subtitle" on the
  // grid console, "Subtitle Setting" on the other two).
  void ApplyEnglishCaptions(const String& Title);

  void FormShow(TObject* Sender);
  void btnFontSettingClick(TObject* Sender);
  void cbTranpClick(TObject* Sender);
  void BitbAddDisplayClick(TObject* Sender);
  void btnSaveClick(TObject* Sender);
  void btnCloseDisplayClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TfrmSubtitleSettings* frmSubtitleSettings;

// Subtitle window "subtitle" + Number (1 to 3), or null.
TSubtitleWindow* SubtitleWindow(int Number);

// The subtitle text as one profile value and back: line breaks as "\n", backslashes as "\\".
String EscapeSubtitleText(const String& Text);
String UnescapeSubtitleText(const String& Stored);
