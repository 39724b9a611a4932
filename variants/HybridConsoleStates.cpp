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
