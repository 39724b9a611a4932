#pragma once
// The common dialogs as components: colour, font, open file and open picture. Execute shows the
// dialog modally and answers whether the operator confirmed it.
#include "platform/classes/Component.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Strings.h"

VW_ENUM(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor)
using TColorDialogOptions = TSet<TColorDialogOption>;
VW_ENUM(TFontDialogOption, fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel,
        fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg,
        fdLimitSize, fdScalableOnly, fdApplyButton)
using TFontDialogOptions = TSet<TFontDialogOption>;
VW_ENUM(TFontDialogDevice, fdScreen, fdPrinter, fdBoth)
VW_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
        ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
        ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog,
        ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
  VW_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  virtual bool Execute() = 0;
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  // The window the dialog belongs to: the active form's, else the application's.
  win::HWND OwnerWindow();
  void DoShow();
  void DoClose();

 private:
  int FHelpContext = 0;
  bool FCtl3D = true;
};

class TColorDialog : public TCommonDialog {
  VW_CLASS(TColorDialog, TCommonDialog)
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;
  static void DeclareProperties(TPropTable& t);

  bool Execute() override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // "ColorA=FFFFFF" ... "ColorP=..." (hex RGB): the dialog's sixteen custom colours.
  TStrings* CustomColors() const { return FCustomColors; }
  void SetCustomColors(TStrings* Value) { FCustomColors->Assign(Value); }
  TColorDialogOptions Options() const { return FOptions; }
  void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

 private:
  TColor FColor = clBlack;
  TStrings* FCustomColors;
  TColorDialogOptions FOptions;
};

class TFontDialog : public TCommonDialog {
  VW_CLASS(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  static void DeclareProperties(TPropTable& t);

  bool Execute() override;
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFontDialogDevice Device() const { return FDevice; }
  void SetDevice(TFontDialogDevice Value) { FDevice = Value; }
  int MinFontSize() const { return FMinFontSize; }
  void SetMinFontSize(int Value) { FMinFontSize = Value; }
  int MaxFontSize() const { return FMaxFontSize; }
  void SetMaxFontSize(int Value) { FMaxFontSize = Value; }
  TFontDialogOptions Options() const { return FOptions; }
  void SetOptions(TFontDialogOptions Value) { FOptions = Value; }

 private:
  TFont* FFont;
  int FMinFontSize = 0;
  int FMaxFontSize = 0;
  TFontDialogDevice FDevice = fdScreen;
  TFontDialogOptions FOptions{fdEffects};
};

class TOpenDialog : public TCommonDialog {
  VW_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  static void DeclareProperties(TPropTable& t);

  bool Execute() override;
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // "description|mask|description|mask..."
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  // 1-based, as the dialog counts its filters.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  TStrings* Files() const { return FFiles; }

 private:
  String FFileName;
  String FFilter;
  String FInitialDir;
  String FTitle;
  String FDefaultExt;
  TStrings* FFiles;
  int FFilterIndex = 1;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

// An open dialog for pictures, with a preview of the one chosen.
class TOpenPictureDialog : public TOpenDialog {
  VW_CLASS(TOpenPictureDialog, TOpenDialog)
 public:
  explicit TOpenPictureDialog(TComponent* AOwner);
};

// A modal box with the message and an OK button, captioned with the application's title. It
// goes through the application's message box function, so tests can capture what it says.
void ShowMessage(const String& Msg);
