// The grid console's ways into the matrix dialogs: the matrix configuration, which only the
// administrator's login enables, and the naming of the chosen matrix input.
#include "console/GridConsole.h"
#include "matrix/ChannelNaming.h"
#include "matrix/MatrixConfig.h"

void TForm1::RegisterMatrixDialogHandlers() {
  RegisterHandler("BitBtn18Click", &TForm1::BitBtn18Click);
  RegisterHandler("ComboBox8DblClick", &TForm1::ComboBox8DblClick);
}

void TForm1::BitBtn18Click(TObject*) { Form3->Show(); }

// The input list is enabled only with the matrix linkage on, so a double click names nothing then.
void TForm1::ComboBox8DblClick(TObject*) { Form37->Show(); }
