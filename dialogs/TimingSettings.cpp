#include "dialogs/TimingSettings.h"

#include "console/Config.h"
#include "console/TimedPower.h"

TfrmTimingSetting* frmTimingSetting = nullptr;

namespace {

// The repeat list's items: once, then every day.
constexpr int kOnce = 0;
constexpr int kDaily = 1;

}  // namespace

TfrmTimingSetting::TfrmTimingSetting(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TfrmTimingSetting::FormShow);
  RegisterHandler("cbbExecModePropertiesChange", &TfrmTimingSetting::cbbExecModePropertiesChange);
  RegisterHandler("btnOKClick", &TfrmTimingSetting::btnOKClick);
  RegisterHandler("btnCloseClick", &TfrmTimingSetting::btnCloseClick);
}

TfrmTimingSetting::~TfrmTimingSetting() {
  if (frmTimingSetting == this) frmTimingSetting = nullptr;
}

void TfrmTimingSetting::Loaded() {
  TForm::Loaded();
  FindComponent(lblExecMode, "lblExecMode");
  FindComponent(cbbExecMode, "cbbExecMode");
  FindComponent(lblOpenSys, "lblOpenSys");
  FindComponent(lbledtOHours, "lbledtOHours");
  FindComponent(lbledtOMin, "lbledtOMin");
  FindComponent(lblCloseSys, "lblCloseSys");
  FindComponent(lbledtCHours, "lbledtCHours");
  FindComponent(lbledtCMin, "lbledtCMin");
  FindComponent(cbFlag, "cbFlag");
  FindComponent(btnOK, "btnOK");
  FindComponent(btnClose, "btnClose");
}

TIniFile& TfrmTimingSetting::Config() {
  if (!FConfig) FConfig = OpenConfigFile();
  return *FConfig;
}

void TfrmTimingSetting::FormShow(TObject*) {
  TIniFile& ini = Config();
  lbledtOHours->SetText(IntToStr(ReadConfig(ini, cfg::timesetting::OHour)));
  lbledtOMin->SetText(IntToStr(ReadConfig(ini, cfg::timesetting::OMin)));
  lbledtCHours->SetText(IntToStr(ReadConfig(ini, cfg::timesetting::CHour)));
  lbledtCMin->SetText(IntToStr(ReadConfig(ini, cfg::timesetting::CMin)));
  // Every stored mode but once repeats daily, whichever list the language gives.
  cbbExecMode->SetItemIndex(ReadConfig(ini, cfg::timesetting::Mode) == 0 ? kOnce : kDaily);
  cbFlag->SetChecked(ReadConfig(ini, cfg::timesetting::Flag));
}

// Every control stays available in every mode: the once mode must be storable like the other.
void TfrmTimingSetting::cbbExecModePropertiesChange(TObject*) {
  for (TControl* control : std::initializer_list<TControl*>{lbledtOHours, lbledtOMin, lbledtCHours, lbledtCMin,
                                                            cbFlag, btnOK})
    control->SetEnabled(true);
}

void TfrmTimingSetting::btnOKClick(TObject*) {
  const bool on = cbFlag->Checked();
  TTimedPowerSchedule schedule;
  if (on) {
    // A schedule that is switched on must hold times the timers can compare: a bad entry stops
    // OK with its message before anything is stored or switched.
    schedule.OnHour = StrToInt(lbledtOHours->Text());
    schedule.OffHour = StrToInt(lbledtCHours->Text());
    schedule.OnMinute = StrToInt(lbledtOMin->Text());
    schedule.OffMinute = StrToInt(lbledtCMin->Text());
    schedule.Repeat = cbbExecMode->ItemIndex();
  }
  TIniFile& ini = Config();
  WriteConfig(ini, cfg::timesetting::OHour, lbledtOHours->Text());
  WriteConfig(ini, cfg::timesetting::CHour, lbledtCHours->Text());
  WriteConfig(ini, cfg::timesetting::OMin, lbledtOMin->Text());
  WriteConfig(ini, cfg::timesetting::CMin, lbledtCMin->Text());
  WriteConfig(ini, cfg::timesetting::Mode, IntToStr(cbbExecMode->ItemIndex()));
  WriteConfig(ini, cfg::timesetting::Flag, on);
  if (on)
    ApplyTimedPowerSchedule(schedule);
  else
    StopTimedPower();
  Close();
}

void TfrmTimingSetting::btnCloseClick(TObject*) { Close(); }

void TfrmTimingSetting::ApplyEnglishCaptions(const String& Title) {
  SetCaption(Title);
  lblExecMode->SetCaption("Repeat Mode");
  lblOpenSys->SetCaption("StartUp");
  lblCloseSys->SetCaption("ShutDown");
  cbFlag->SetCaption("On/Off");
  lbledtOHours->EditLabel()->SetCaption("H");
  lbledtCHours->EditLabel()->SetCaption("H");
  lbledtOMin->EditLabel()->SetCaption("M");
  lbledtCMin->EditLabel()->SetCaption("M");
  btnOK->SetCaption("OK");
  btnClose->SetCaption("Close");
  UseEnglishModeList();
}

void TfrmTimingSetting::UseEnglishModeList() {
  TStrings* items = cbbExecMode->Properties()->Items();
  items->Clear();
  items->Add("No Repeat");
  items->Add("Each Day");
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmTimingSetting>();
  return true;
}();

}  // namespace
