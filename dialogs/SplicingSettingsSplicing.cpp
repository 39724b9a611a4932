#include "dialogs/SplicingSettingsSplicing.h"

#include "console/ScreenFrame.h"
#include "console/WallGrid.h"
#include "ui/choice/RadioButton.h"
#include "variants/SplicingConsole.h"

TForm24* Form24 = nullptr;

TForm24::TForm24(TComponent* AOwner) : TSplicingSettingsDialog(AOwner) {
  RegisterHandler("BitbtnAddrAutoSetClick", &TForm24::BitbtnAddrAutoSetClick);
  RegisterHandler("rbInnerMouseDown", &TForm24::rbInnerMouseDown);
  RegisterHandler("rbOuterMouseDown", &TForm24::rbOuterMouseDown);
  RegisterHandler("rbLeftBottomMouseDown", &TForm24::rbLeftBottomMouseDown);
  RegisterHandler("rbRightBottomMouseDown", &TForm24::rbRightBottomMouseDown);
}

TForm24::~TForm24() {
  if (Form24 == this) Form24 = nullptr;
}

void TForm24::Loaded() {
  TSplicingSettingsDialog::Loaded();
  FindComponent(rbInner, "rbInner");
  FindComponent(rbOuter, "rbOuter");
  FindComponent(rbLeftBottom, "rbLeftBottom");
  FindComponent(rbRightBottom, "rbRightBottom");
  FindComponent(BitbtnAddrAutoSet, "BitbtnAddrAutoSet");
}

int TForm24::ConsoleLanguage() const { return Form23->LanguageSplicing; }

void TForm24::ApplyEnglishCaptions() {
  TSplicingSettingsDialog::ApplyEnglishCaptions();
  SetCaptionsByName({{"GBoxUser", "User Setting"},
                     {"GBoxSignalBoard", "Signal Board"},
                     {"rbInner", "Inner Board"},
                     {"rbOuter", "Outer Board"},
                     {"GBoxStartPos", "Start Position"},
                     {"rbLeftBottom", "Left Bottom"},
                     {"rbRightBottom", "Right Bottom"},
                     {"GBoxAddrAutoSet", "Screen Address Setting"},
                     {"BitbtnAddrAutoSet", "Apply"}});
}

// The new size reaches the console's grid only through the automatic addressing or its next load.
void TForm24::ApplySettings() {
  StoreName();
  StoreSize();
  CopyLogo();
  ShowOnConsole(Form23->Image1, Form23->Label3);
  Close();
}

void TForm24::BitbtnAddrAutoSetClick(TObject*) {
  StoreSize();
  LayOutWallGrid(Form23->stringgrid1, Rows(), Columns());
  Form23->SizeWallGridSplicing();
  // The address of the wall's bottom-right screen tells every screen the wall's size.
  Form23->SendScreenCommandSplicing(scAutoAddress, ScreenAddress(Columns(), Rows()));
}

void TForm24::rbInnerMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Form23->SendScreenCommandSplicing(scSignalBoard, 0);
}

void TForm24::rbOuterMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Form23->SendScreenCommandSplicing(scSignalBoard, 1);
}

void TForm24::rbLeftBottomMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Form23->SendScreenCommandSplicing(scStartCorner, 0);
}

void TForm24::rbRightBottomMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  Form23->SendScreenCommandSplicing(scStartCorner, 1);
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm24>();
  return true;
}();

}  // namespace
