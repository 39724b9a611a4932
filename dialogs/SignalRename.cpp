#include "dialogs/SignalRename.h"

#include "console/Config.h"
#include "platform/classes/SysUtils.h"
#include "variants/HybridConsole.h"

TForm35* Form35 = nullptr;

TForm35::TForm35(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm35::FormShow);
  RegisterHandler("BitbtnClick", &TForm35::BitbtnClick);
}

TForm35::~TForm35() {
  if (Form35 == this) Form35 = nullptr;
}

void TForm35::Loaded() {
  TForm::Loaded();
  FindComponent(grp1, "grp1");
  FindComponent(lbl1, "lbl1");
  FindComponent(lbl2, "lbl2");
  FindComponent(edt1, "edt1");
  FindComponent(Bitbtn, "Bitbtn");
}

void TForm35::FormShow(TObject*) {
  FRow = Form33->RenameRow;
  FCol = Form33->RenameCol;
  std::unique_ptr<TIniFile> config = OpenConfigFile();
  FType = ReadConfig(*config, cfg::cellSignal::Cell(FRow, FCol));
  const String name = ReadConfig(*config, cfg::cellName::Cell(FRow, FCol, FType));
  lbl1->SetCaption(name + " (" + IntToStr(FRow) + " , " + IntToStr(FCol) + " )");
}

void TForm35::BitbtnClick(TObject*) {
  const String name = edt1->Text();
  {
    std::unique_ptr<TIniFile> config = OpenConfigFile();
    WriteConfig(*config, cfg::cellName::Cell(FRow, FCol, FType), name);
  }
  // Another type reaches only the file; a cell outside the model's arrays touches none.
  const int k = cfg::CellSignalTypeIndex(FType);
  const bool inModel = FRow >= 1 && FRow <= kHybridCellRows && FCol >= 1 && FCol <= kHybridCellColumns;
  if (k >= 0 && inModel) (*Form33->CellNames)[FRow - 1][FCol - 1][k] = name;
  Form33->stringgrid1->Invalidate();
  Close();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm35>();
  return true;
}();

}  // namespace
