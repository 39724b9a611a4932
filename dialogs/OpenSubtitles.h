#pragma once
// The open-subtitles dialog: a row for each subtitle window that was visible when it was shown, with
// the window's text and buttons that hide and show that window again. A hidden window is free for
// the next subtitle.
// Created once at start and kept until the program ends, like every window.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/choice/Button.h"

class TForm31 : public TForm {
  VW_CLASS(TForm31, TForm)
 public:
  explicit TForm31(TComponent* AOwner);
  ~TForm31() override;

  static constexpr int kRows = 3;

  TLabel* lbl1 = nullptr;  // row labels
  TLabel* lbl2 = nullptr;
  TLabel* lbl3 = nullptr;
  TLabel* lbl4 = nullptr;  // the windows' texts; Tag holds the window's number
  TLabel* lbl5 = nullptr;
  TLabel* lbl6 = nullptr;
  TcxButton* Bitbtn = nullptr;  // hide 1
  TcxButton* Bitbtn161 = nullptr;  // show 1
  TcxButton* Bitbtn162 = nullptr;  // hide 2
  TcxButton* Bitbtn163 = nullptr;  // show 2
  TcxButton* Bitbtn164 = nullptr;  // hide 3
  TcxButton* Bitbtn165 = nullptr;  // show 3
  TcxButton* Bitbtn166 = nullptr;  // close

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void BitbtnClick(TObject* Sender);
  void Bitbtn162Click(TObject* Sender);
  void Bitbtn164Click(TObject* Sender);
  void Bitbtn161Click(TObject* Sender);
  void Bitbtn163Click(TObject* Sender);
  void Bitbtn165Click(TObject* Sender);
  void Bitbtn166Click(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  struct Row {
    TLabel* Name;
    TLabel* Text;
    TcxButton* Hide;
    TcxButton* Show;
  };
  Row RowOf(int Number) const;
  void HideRow(int Number);
  void ShowRow(int Number);
};

extern TForm31* Form31;
