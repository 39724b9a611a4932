#pragma once
// The scene rename dialog: renames the chosen scene of the list its opener gives it and stores all
// the list's names through the opener's profile. Its caption is set by whoever opens it.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/IniFiles.h"
#include "ui/choice/Button.h"
#include "ui/choice/Label.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/TextEdit.h"

class TForm9 : public TForm {
  VW_CLASS(TForm9, TForm)
 public:
  explicit TForm9(TComponent* AOwner);
  ~TForm9() override;

  TcxLabel* Label1 = nullptr;
  TcxTextEdit* Edit1 = nullptr;  // the new name
  TcxButton* Button1 = nullptr;  // change
  TcxButton* Button2 = nullptr;  // cancel

  // Shows the dialog under `Caption` for the scene the list shows, to rename it in that list and
  // store the list's names in `Store`; list and profile stay the opener's.
  void Open(TcxComboBox* SceneList, TCustomIniFile* Store, const String& Caption);

  void FormShow(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  TcxComboBox* FSceneList = nullptr;
  TCustomIniFile* FStore = nullptr;
};

extern TForm9* Form9;
