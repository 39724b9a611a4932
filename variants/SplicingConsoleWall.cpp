// The splicing console's wall grid, its links and the control states that follow the program's
// flags. The grid is the grid console's in every rule; this console keeps its own selection, and
// opens only the screen port, since its screens need no matrix.
#include "app/BootWindow.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParametersConsoles.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

void TForm23::RegisterWallHandlers() {
  RegisterHandler("stringgrid1DrawCell", &TForm23::stringgrid1DrawCell);
  RegisterHandler("stringgrid1MouseDown", &TForm23::stringgrid1MouseDown);
  RegisterHandler("stringgrid1MouseUp", &TForm23::stringgrid1MouseUp);
  RegisterHandler("stringgrid1SelectCell", &TForm23::stringgrid1SelectCell);
  RegisterHandler("stringgrid1KeyPress", &TForm23::stringgrid1KeyPress);
  RegisterHandler("BitBtn1Click", &TForm23::BitBtn1Click);
  RegisterHandler("BitBtn2Click", &TForm23::BitBtn2Click);
}

// ---- The grid -----------------------------------------------------------------------------------------

void TForm23::stringgrid1DrawCell(TObject*, int ACol, int ARow, win::RECT Rect, TGridDrawState State) {
  // Leaving by the menu lets go of the file object; a paint after that finds no colours.
  DrawWallCell(stringgrid1, ConfigFileSplicing.get(), DefaultCellColorSplicing, ACol, ARow, Rect, State);
}

void TForm23::stringgrid1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}

void TForm23::stringgrid1SelectCell(TObject*, int, int, bool&) {}

void TForm23::stringgrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  const TGridRect selection = stringgrid1->Selection();
  SelectionLeft = selection.Left;
  SelectionTop = selection.Top;
  SelectionRight = selection.Right;
  SelectionBottom = selection.Bottom;
  // The picture dialog shows the selection it adjusts, also when it is opened later.
  Form32->Label2->SetCaption(WallSelectionText(selection));
}

void TForm23::stringgrid1KeyPress(TObject*, TChar& Key) {
  Form18->DebugMode = IsServiceGesture(stringgrid1->Selection(), Key) ? 1 : 0;
  const bool debug = Form18->DebugMode != 0;
  Memo1->SetVisible(debug);
  N4->SetVisible(debug);
  UpdateControlStatesSplicing();
}

// ---- Links --------------------------------------------------------------------------------------------

TLinkConsole TForm23::LinkConsole() {
  TLinkConsole console;
  console.English = LanguageSplicing == 1;
  console.Texts = kSplicingLinkTexts;
  console.LinkOpen = &Form18->LinkOpen;
  console.Refresh = [this] { UpdateControlStatesSplicing(); };
  return console;
}

void TForm23::NamePorts() {
  const TLinkSettings settings = Form2->LinkSettings();
  Form1->Comm1->SetCommName("//./" + settings.ScreenPort);
  Comm2->SetCommName("//./" + settings.VideoPort);
  Comm3->SetCommName("//./" + settings.RgbPort);
}

void TForm23::BitBtn1Click(TObject*) { ConnectLink(true); }

void TForm23::BitBtn2Click(TObject*) { ConnectLink(false); }

void TForm23::ConnectLink(bool Open) {
  if (Form2->SerialChosen()) {
    NamePorts();
    OpenDeviceLinkSplicing(Open);
  } else {
    OpenNetworkLinkSplicing(Open);
  }
}

void TForm23::OpenDeviceLinkSplicing(bool Open) {
  TLinkConsole console = LinkConsole();
  // The serial state shows in the hybrid-matrix console's bar too.
  console.SetStatus = [this](const String& Text) {
    SetLinkStatus(StatusBar1, Text);
    SetLinkStatus(Form33->StatusBar1, Text);
  };
  OpenScreenLink(Form1->Links(), Form2->LinkSettings(), console, Open);
}

void TForm23::OpenNetworkLinkSplicing(bool Open) {
  TLinkConsole console = LinkConsole();
  console.SetStatus = [this](const String& Text) { SetLinkStatus(StatusBar1, Text); };
  OpenNetworkLink(Form1->Links(), Form2->LinkSettings(), console, Open);
}

// ---- Control states -----------------------------------------------------------------------------------

void TForm23::UpdateControlStatesSplicing() {
  const bool admin = Form18->AdminLoggedIn != 0;
  const bool linkOpen = Form18->LinkOpen != 0;
  const bool debug = Form18->DebugMode != 0;
  Form32->BitBtn8->SetEnabled(linkOpen);
  // With another console in front, its namesakes follow instead.
  if (Form18->ConsoleKind == ckSplicing)
    ApplyControlStates(admin, linkOpen, debug);
  else
    Form1->ApplySharedControlStates(admin, linkOpen, debug);
}

void TForm23::ApplyControlStates(bool Admin, bool LinkOpen, bool Debug) {
  N7->SetEnabled(Admin);
  N15->SetEnabled(Admin);
  BitBtn5->SetEnabled(LinkOpen);
  BitBtn6->SetEnabled(LinkOpen);
  BitBtn1->SetEnabled(!LinkOpen);
  BitBtn2->SetEnabled(LinkOpen);
  TabSheet3->SetTabVisible(Debug);
  TabSheet4->SetTabVisible(Debug);
  PageControl1->SetVisible(Debug);
}
