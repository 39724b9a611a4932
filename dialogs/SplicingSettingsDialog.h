#pragma once
// What the three consoles' splicing settings dialogs share: the wall's name, its size in rows and
// columns (1 to 15 each) and the logo picture, the configuration file object a showing opens and
// its closing releases, the picture import and the English texts common to all three. Each
// console's dialog adds its own OK and its screen tools.
#include <initializer_list>
#include <memory>
#include <utility>

#include "platform/classes/Dialogs.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/IniFiles.h"
#include "ui/choice/Button.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/TextEdit.h"

class TcxGroupBox;

class TSplicingSettingsDialog : public TForm {
  VW_CLASS(TSplicingSettingsDialog, TForm)
 public:
  explicit TSplicingSettingsDialog(TComponent* AOwner);

  TcxTextEdit* Edit1 = nullptr;      // the wall's name
  TcxComboBox* ComboBox1 = nullptr;  // rows: item index + 1
  TcxComboBox* ComboBox2 = nullptr;  // columns: item index + 1
  TImage* Image1 = nullptr;          // the logo
  TOpenPictureDialog* OpenPictureDialog1 = nullptr;
  TcxButton* Button2 = nullptr;  // picture import
  TcxButton* Button7 = nullptr;  // OK
  TcxButton* Button8 = nullptr;  // close

  int Rows() const { return ComboBox1->ItemIndex() + 1; }
  int Columns() const { return ComboBox2->ItemIndex() + 1; }
  // The picture the last import loaded; OK copies it over the console's logo file. Empty until a
  // picture has loaded: a file that failed to load is never copied.
  const String& LogoSource() const { return FLogoSource; }

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button2Click(TObject* Sender);
  void Button7Click(TObject*) { ApplySettings(); }
  void Button8Click(TObject* Sender);

 protected:
  void Loaded() override;
  // The language flag of the console this dialog belongs to: 1 is English.
  virtual int ConsoleLanguage() const = 0;
  // The English texts: the common ones here, a dialog's own after them.
  virtual void ApplyEnglishCaptions();
  // OK: each dialog stores and applies in its own order.
  virtual void ApplySettings() = 0;

  // "cfg.ini", opened by a showing (or by a handler that needs it first), released by closing.
  TIniFile& Config();
  void StoreName();
  void StoreSize();
  // Copies the imported picture over "clogo.jpg" beside the program; nothing without one.
  void CopyLogo();
  // The console's logo takes this dialog's picture and its title label the wall's name.
  void ShowOnConsole(TImage* ConsoleImage, TcxGroupBox* ConsoleTitle);
  // Sets the captions of this dialog's components by name.
  void SetCaptionsByName(std::initializer_list<std::pair<const char*, const char*>> Captions);

 private:
  std::unique_ptr<TIniFile> FConfig;
  String FLogoSource;
};
