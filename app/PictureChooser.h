#pragma once
// The picture chooser: two empty picture boxes on a borderless window, no actions of its own.
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Messages.h"

class TForm26 : public TForm {
  VW_CLASS(TForm26, TForm)
 public:
  explicit TForm26(TComponent* AOwner);
  ~TForm26() override;

  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  // A plain face under its pictures, as the start-up chooser: the consoles' skin stays off it.
  void WndProc(TMessage& Message) override;
};

extern TForm26* Form26;
