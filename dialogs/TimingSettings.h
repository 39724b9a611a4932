#pragma once
// The timed power settings: the wall's power-on and power-off times, once or every day, and
// whether the schedule is on. OK stores them in cfg.ini [timesetting] and hands them to every
// console's power timer.
// Created once at start and kept until the program ends, like every window.
#include <memory>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/editors/ComboBox.h"

class TfrmTimingSetting : public TForm {
  VW_CLASS(TfrmTimingSetting, TForm)
 public:
  explicit TfrmTimingSetting(TComponent* AOwner);
  ~TfrmTimingSetting() override;

  TLabel* lblExecMode = nullptr;
  TcxComboBox* cbbExecMode = nullptr;  // item 0 once, item 1 every day
  TLabel* lblOpenSys = nullptr;
  TLabeledEdit* lbledtOHours = nullptr;
  TLabeledEdit* lbledtOMin = nullptr;
  TLabel* lblCloseSys = nullptr;
  TLabeledEdit* lbledtCHours = nullptr;
  TLabeledEdit* lbledtCMin = nullptr;
  TcxCheckBox* cbFlag = nullptr;  // the schedule is on
  TcxButton* btnOK = nullptr;
  TcxButton* btnClose = nullptr;

  void FormShow(TObject* Sender);
  void cbbExecModePropertiesChange(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

  // The consoles' English captions: the dialog's texts, its title by the console that asks.
  void ApplyEnglishCaptions(const String& Title);
  // The repeat list in English: "No Repeat" and "Each Day", at the Chinese items' indexes.
  void UseEnglishModeList();

 protected:
  void Loaded() override;

 private:
  // "cfg.ini", opened at the first show or OK and kept.
  TIniFile& Config();
  std::unique_ptr<TIniFile> FConfig;
};

extern TfrmTimingSetting* frmTimingSetting;
