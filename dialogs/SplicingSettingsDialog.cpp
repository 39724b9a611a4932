#include "dialogs/SplicingSettingsDialog.h"

#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/PictureFile.h"
#include "platform/system/AtomicFile.h"
#include "ui/choice/GroupBox.h"

namespace {

// Both pickers start on "9" until a console's loading puts the stored size into them.
constexpr int kStartItem = 8;

}  // namespace

TSplicingSettingsDialog::TSplicingSettingsDialog(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TSplicingSettingsDialog::FormCreate);
  RegisterHandler("FormShow", &TSplicingSettingsDialog::FormShow);
  RegisterHandler("FormClose", &TSplicingSettingsDialog::FormClose);
  RegisterHandler("Button2Click", &TSplicingSettingsDialog::Button2Click);
  RegisterHandler("Button7Click", &TSplicingSettingsDialog::Button7Click);
  RegisterHandler("Button8Click", &TSplicingSettingsDialog::Button8Click);
}

void TSplicingSettingsDialog::Loaded() {
  TForm::Loaded();
  FindComponent(Edit1, "Edit1");
  FindComponent(ComboBox1, "ComboBox1");
  FindComponent(ComboBox2, "ComboBox2");
  FindComponent(Image1, "Image1");
  FindComponent(OpenPictureDialog1, "OpenPictureDialog1");
  FindComponent(Button2, "Button2");
  FindComponent(Button7, "Button7");
  FindComponent(Button8, "Button8");
}

void TSplicingSettingsDialog::FormCreate(TObject*) {
  ComboBox1->SetItemIndex(kStartItem);
  ComboBox2->SetItemIndex(kStartItem);
}

void TSplicingSettingsDialog::FormShow(TObject*) {
  TIniFile& ini = Config();
  if (ConsoleLanguage() == 1) {
    ApplyEnglishCaptions();
    Edit1->SetText("Large-screen software");
  } else {
    Edit1->SetText(ReadConfig(ini, cfg::config::Name, cfg::config::kSplicingSettingsName));
  }
}

void TSplicingSettingsDialog::FormClose(TObject*, TCloseAction&) { FConfig.reset(); }

void TSplicingSettingsDialog::Button2Click(TObject*) {
  if (!OpenPictureDialog1->Execute()) return;
  const String& file = OpenPictureDialog1->FileName();
  // Read by what the file holds, as the consoles read the logo, so what shows here is what they
  // will show; a file that holds no picture is refused and never becomes the copy source.
  if (!LoadPictureFile(Image1->Picture(), file))
    throw EInvalidGraphic("\"" + file + "\" holds no picture that can be shown.");
  FLogoSource = file;
}

void TSplicingSettingsDialog::Button8Click(TObject*) { Close(); }

void TSplicingSettingsDialog::ApplyEnglishCaptions() {
  SetCaption("Splice Setting");
  SetCaptionsByName({{"Label1", "User Name:"},
                     {"Label2", "Splice Range:"},
                     {"Label7", "Row  X"},
                     {"Label8", "Col"},
                     {"Label6", "User Logo:"},
                     {"Button7", "OK"},
                     {"Button8", "Close"},
                     {"Button2", "Picture"}});
}

TIniFile& TSplicingSettingsDialog::Config() {
  if (!FConfig) FConfig = OpenConfigFile();
  return *FConfig;
}

void TSplicingSettingsDialog::StoreName() { WriteConfig(Config(), cfg::config::Name, Edit1->Text()); }

void TSplicingSettingsDialog::StoreSize() {
  WriteConfig(Config(), cfg::config::Row, Rows());
  WriteConfig(Config(), cfg::config::Col, Columns());
}

void TSplicingSettingsDialog::CopyLogo() {
  // Whether the copy succeeded is not the dialog's concern: a failed copy leaves the old logo.
  if (!FLogoSource.empty()) platform::CopyFileReplacing(FLogoSource, ProgramFilePath(kConsoleLogoFile));
}

void TSplicingSettingsDialog::ShowOnConsole(TImage* ConsoleImage, TcxGroupBox* ConsoleTitle) {
  ConsoleImage->Picture()->Assign(Image1->Picture());
  ConsoleTitle->SetCaption(Edit1->Text());
}

void TSplicingSettingsDialog::SetCaptionsByName(std::initializer_list<std::pair<const char*, const char*>> Captions) {
  for (const auto& [name, text] : Captions)
    if (auto* control = dynamic_cast<TControl*>(FindComponent(name))) control->SetCaption(text);
}
