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
  if (Form18->ConsoleKind == ckSplicing) {
    N7->SetEnabled(admin);
    N15->SetEnabled(admin);
    BitBtn5->SetEnabled(linkOpen);
    BitBtn6->SetEnabled(linkOpen);
    BitBtn1->SetEnabled(!linkOpen);
    BitBtn2->SetEnabled(linkOpen);
    TabSheet3->SetTabVisible(debug);
    TabSheet4->SetTabVisible(debug);
    PageControl1->SetVisible(debug);
    return;
  }
  // Another console is in front: its namesakes follow instead.
  Form1->N7->SetEnabled(admin);
  Form1->N15->SetEnabled(admin);
  Form1->BitBtn5->SetEnabled(linkOpen);
  Form1->BitBtn6->SetEnabled(linkOpen);
  Form1->BitBtn1->SetEnabled(!linkOpen);
  Form1->BitBtn2->SetEnabled(linkOpen);
  Form1->TabSheet3->SetTabVisible(debug);
  Form1->TabSheet4->SetTabVisible(debug);
  Form1->PageControl1->SetVisible(debug);
  Form1->BitBtn18->SetEnabled(admin);
}
