// The control states that follow the link, the user level and the service mode, set in all three
// consoles and the picture dialog of the other two.
#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "dialogs/PictureParametersConsoles.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

void TForm33::UpdateControlStatesHybrid() {
  const bool linkOpen = Form18->LinkOpen != 0;
  const bool admin = Form18->AdminLoggedIn != 0;
  const bool debug = Form18->DebugMode != 0;
  const bool factory = Form18->FactoryLoggedIn != 0;

  // The factory level offers every signal type and the whole-wall synchronisation until the next
  // show chooses again by the stored type.
  if (factory) {
    GBox1GBox->Show();
    OfferSignalTypes(4);
    SendWallSync = true;
  }

  // This console.
  for (TMenuItem* item : {nStill, N7, N12, N9, N15, N16, N17}) item->SetVisible(admin);
  BitBtn5->SetEnabled(linkOpen);
  BitBtn6->SetEnabled(linkOpen);
  BitBtn2->SetEnabled(linkOpen);
  BitBtn1->SetEnabled(!linkOpen);
  TabSheet3->SetTabVisible(debug);
  TabSheet4->SetTabVisible(debug);
  PageControl1->SetVisible(debug);
  BitBtn18->SetEnabled(admin);
  btnPlayMode->SetEnabled(factory);
  Bitbtn9->SetEnabled(factory);

  // The splicing console.
  Form23->ApplyControlStates(admin, linkOpen, debug);
  Form23->btnPlayMode->SetEnabled(factory);
  Form23->Bitbtn9->SetEnabled(factory);

  // The picture dialog's reset reaches the screens only over an open link.
  Form32->BitBtn8->SetEnabled(linkOpen);

  // The grid console: not its own refresh, which knows nothing of the factory level.
  Form1->ApplySharedControlStates(admin, linkOpen, debug);
  Form1->btnPlayMode->SetEnabled(factory);
  Form1->Bitbtn->SetEnabled(factory);
}
