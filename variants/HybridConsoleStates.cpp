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

  // HOOK: the factory level's signal types and virtual-remote group, then this console's own
  // controls, come first here once this window holds them.

  // The splicing console.
  Form23->N7->SetEnabled(admin);
  Form23->N15->SetEnabled(admin);
  Form23->BitBtn5->SetEnabled(linkOpen);
  Form23->BitBtn6->SetEnabled(linkOpen);
  Form23->BitBtn2->SetEnabled(linkOpen);
  Form23->BitBtn1->SetEnabled(!linkOpen);
  Form23->TabSheet3->SetTabVisible(debug);
  Form23->TabSheet4->SetTabVisible(debug);
  Form23->PageControl1->SetVisible(debug);
  Form23->btnPlayMode->SetEnabled(factory);
  Form23->Bitbtn9->SetEnabled(factory);

  // The picture dialog's reset reaches the screens only over an open link.
  Form32->BitBtn8->SetEnabled(linkOpen);

  // The grid console: not its own refresh, which knows nothing of the factory level.
  Form1->N15->SetEnabled(admin);
  Form1->N7->SetEnabled(admin);
  Form1->BitBtn5->SetEnabled(linkOpen);
  Form1->BitBtn6->SetEnabled(linkOpen);
  Form1->BitBtn1->SetEnabled(!linkOpen);
  Form1->BitBtn2->SetEnabled(linkOpen);
  Form1->TabSheet3->SetTabVisible(debug);
  Form1->TabSheet4->SetTabVisible(debug);
  Form1->PageControl1->SetVisible(debug);
  Form1->BitBtn18->SetEnabled(admin);
  Form1->btnPlayMode->SetEnabled(factory);
  Form1->Bitbtn->SetEnabled(factory);
}
