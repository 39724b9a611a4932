#pragma once
// The boot-video chooser: plays "lo.wmv" from the program's folder over the whole window; a click
// on its upper part opens the grid console, on the rest the splicing console.
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/MediaPlayer.h"
#include "ui/panels/Panel.h"

class TForm22 : public TForm {
  VW_CLASS(TForm22, TForm)
 public:
  explicit TForm22(TComponent* AOwner);
  ~TForm22() override;

  TRzPanel* rzpnl1 = nullptr;
  TMediaPlayer* mp1 = nullptr;

  void FormShow(TObject* Sender);
  void rzpnl1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  void Loaded() override;
};

extern TForm22* Form22;

// Clicks above this line of the video open the grid console.
inline constexpr int kVideoChooserSplitY = 361;
