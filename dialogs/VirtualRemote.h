#pragma once
// The virtual remote control: the screens' infra-red remote keys, each sent as the remote-key
// command with its code, and the power-on key.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "ui/panels/Button.h"
#include "ui/panels/Panel.h"

class TForm27 : public TForm {
  VW_CLASS(TForm27, TForm)
 public:
  explicit TForm27(TComponent* AOwner);
  ~TForm27() override;

  TRzPanel* rzpnl1 = nullptr;
  TRzButton* btnPower = nullptr;  // "关", a remote key like the others
  TRzButton* btn3 = nullptr;      // "开", the power-on frame

  void btnPowerClick(TObject* Sender);
  void btn3Click(TObject* Sender);
  void btn7Click(TObject* Sender);
  void btn4Click(TObject* Sender);
  void btn9Click(TObject* Sender);
  void btn11Click(TObject* Sender);
  void btn12Click(TObject* Sender);
  void btn13Click(TObject* Sender);
  void btn14Click(TObject* Sender);
  void btn17Click(TObject* Sender);
  void btn19Click(TObject* Sender);
  void btn20Click(TObject* Sender);
  void btn21Click(TObject* Sender);
  void btn22Click(TObject* Sender);
  void btn23Click(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  // The key's code to the active console's wall selection, or to the whole wall where the
  // console has no selection of its own to send to.
  static void SendKey(int Code);
};

extern TForm27* Form27;
