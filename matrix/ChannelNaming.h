#pragma once
// The channel naming dialog: gives the grid console's chosen matrix input a name, shown in its
// input list and kept in "cfg.ini". Not modal; it has no English texts.
// Created once at start and kept until the program ends, like every window.
#include <memory>

#include "platform/classes/Forms.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/StdCtrls.h"

class TForm37 : public TForm {
  VW_CLASS(TForm37, TForm)
 public:
  explicit TForm37(TComponent* AOwner);
  ~TForm37() override;

  TLabel* lbl1 = nullptr;
  TEdit* edt1 = nullptr;    // the new name, kept between showings
  TButton* btn1 = nullptr;  // change
  TButton* btn2 = nullptr;  // cancel

  // The input list's item index when the dialog was shown: choosing another input while the
  // dialog stays open does not move the rename.
  std::int32_t EditedInputIndex = -1;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void btn1Click(TObject* Sender);
  void btn2Click(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  std::unique_ptr<TIniFile> ConfigFile;
};

extern TForm37* Form37;
