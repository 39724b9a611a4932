#pragma once
// The start-up chooser: four pictures on a borderless window whose red is see-through, one per
// console and one that leaves the program.
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Messages.h"

class TForm25 : public TForm {
  VW_CLASS(TForm25, TForm)
 public:
  explicit TForm25(TComponent* AOwner);
  ~TForm25() override;

  TImage* img1 = nullptr;  // grid console
  TImage* img2 = nullptr;  // splicing console
  TImage* img3 = nullptr;  // leave the program
  TImage* img4 = nullptr;  // hybrid-matrix console

  void img1Click(TObject* Sender);
  void img2Click(TObject* Sender);
  void img3Click(TObject* Sender);
  void img4Click(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  void Loaded() override;
  // The chooser's look is its own colours, the lime around the pictures and the red that shows
  // through them: the consoles' skin stays off it.
  void WndProc(TMessage& Message) override;
};

extern TForm25* Form25;
