// The grid console's wall: how the grid paints its cells, how a mouse release becomes the wall
// selection every screen command is addressed to, the hidden service gesture, and the address
// display.
#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParameters.h"

void TForm1::RegisterWallHandlers() {
  RegisterHandler("stringgrid1DrawCell", &TForm1::stringgrid1DrawCell);
  RegisterHandler("stringgrid1MouseDown", &TForm1::stringgrid1MouseDown);
  RegisterHandler("stringgrid1MouseUp", &TForm1::stringgrid1MouseUp);
  RegisterHandler("stringgrid1SelectCell", &TForm1::stringgrid1SelectCell);
  RegisterHandler("stringgrid1KeyPress", &TForm1::stringgrid1KeyPress);
  RegisterHandler("BitbShowAddressClick", &TForm1::BitbShowAddressClick);
}

void TForm1::stringgrid1DrawCell(TObject*, int ACol, int ARow, win::RECT Rect, TGridDrawState State) {
  // Closing lets go of the file object; a paint after that finds no colours.
  DrawWallCell(stringgrid1, ConfigFile.get(), DefaultCellColor, ACol, ARow, Rect, State);
}

void TForm1::stringgrid1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}

void TForm1::stringgrid1SelectCell(TObject*, int, int, bool&) {}

void TForm1::stringgrid1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  // Any button: a right-button release takes the selection the keyboard left, before the popup.
  const TGridRect selection = stringgrid1->Selection();
  SelectionLeft = selection.Left;
  SelectionTop = selection.Top;
  SelectionRight = selection.Right;
  SelectionBottom = selection.Bottom;
  // The picture dialog shows the selection it adjusts, also when it is opened later.
  Form4->Label2->SetCaption(WallSelectionText(selection));
}

void TForm1::stringgrid1KeyPress(TObject*, TChar& Key) {
  Form18->DebugMode = IsServiceGesture(stringgrid1->Selection(), Key) ? 1 : 0;
  const bool debug = Form18->DebugMode != 0;
  Memo1->SetVisible(debug);
  N4->SetVisible(debug);
  UpdateControlStates();
}

void TForm1::BitbShowAddressClick(TObject*) {
  const TFrameBytes frame = MakeShowAddressFrame().Bytes();
  SendScreenFrame(frame[0], frame[1], frame[2], frame[3], frame[4], frame[5]);
}
