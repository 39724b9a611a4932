#include "platform/classes/Dialogs.h"

#include <algorithm>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/classes/Picture.h"
#include "platform/win/CommonDialogs.h"
#include "platform/win/Focus.h"
#include "platform/win/MessageBox.h"

using namespace win;

// ---- TCommonDialog ------------------------------------------------------------------------------

void TCommonDialog::DeclareProperties(TPropTable& t) {
  t.Add("Ctl3D", &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D).SetDefault(true);
  t.Add("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext).SetDefault(0);
  t.Add("OnClose", &TCommonDialog::OnClose);
  t.Add("OnShow", &TCommonDialog::OnShow);
}

HWND TCommonDialog::OwnerWindow() {
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated()) return Screen->ActiveForm()->Handle();
  if (HWND active = GetActiveWindow()) return active;
  return Application ? Application->Handle() : nullptr;
}

void TCommonDialog::DoShow() {
  if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
  if (OnClose) OnClose(this);
}

// ---- TColorDialog -----------------------------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* AOwner) : TCommonDialog(AOwner), FCustomColors(new TStringList) {}

TColorDialog::~TColorDialog() { delete FCustomColors; }

void TColorDialog::DeclareProperties(TPropTable& t) {
  t.Add("Color", &TColorDialog::Color, &TColorDialog::SetColor).SetDefault(clBlack).Idents(&ColorToIdent, &IdentToColor);
  t.Add("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
  t.Add("Options", &TColorDialog::Options, &TColorDialog::SetOptions).SetDefault(TColorDialogOptions{});
}

bool TColorDialog::Execute() {
  // The custom colours travel as "ColorA".."ColorP" = hex RGB; unset ones are white.
  COLORREF custom[16];
  std::fill(std::begin(custom), std::end(custom), 0xFFFFFF);
  for (int i = 0; i < 16; ++i) {
    String v = FCustomColors->Values(String("Color") + static_cast<char>('A' + i));
    if (v.empty()) continue;
    try {
      custom[i] = static_cast<COLORREF>(StrToInt("$" + v)) & 0xFFFFFF;
    } catch (const EConvertError&) {
    }
  }
  CHOOSECOLOR cc;
  cc.hwndOwner = OwnerWindow();
  cc.rgbResult = ColorToRGB(FColor);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (FOptions.Contains(cdFullOpen)) cc.Flags |= CC_FULLOPEN;
  if (FOptions.Contains(cdPreventFullOpen)) cc.Flags |= CC_PREVENTFULLOPEN;
  if (FOptions.Contains(cdShowHelp)) cc.Flags |= CC_SHOWHELP;
  if (FOptions.Contains(cdSolidColor)) cc.Flags |= CC_SOLIDCOLOR;
  if (FOptions.Contains(cdAnyColor)) cc.Flags |= CC_ANYCOLOR;
  DoShow();
  bool ok = ChooseColor(&cc) != FALSE;
  DoClose();
  // The custom colours are kept whatever the answer, as the operator may have defined some.
  FCustomColors->Clear();
  for (int i = 0; i < 16; ++i)
    FCustomColors->Add(String("Color") + static_cast<char>('A' + i) + "=" + IntToHex(static_cast<int>(custom[i]), 6));
  if (ok) FColor = static_cast<TColor>(cc.rgbResult);
  return ok;
}

// ---- TFontDialog -------------------------------------------------------------------------------------

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(new TFont) {}

TFontDialog::~TFontDialog() { delete FFont; }

void TFontDialog::DeclareProperties(TPropTable& t) {
  t.Add("Device", &TFontDialog::Device, &TFontDialog::SetDevice).SetDefault(fdScreen);
  t.Add("Font", &TFontDialog::Font, &TFontDialog::SetFont);
  t.Add("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize).SetDefault(0);
  t.Add("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize).SetDefault(0);
  t.Add("Options", &TFontDialog::Options, &TFontDialog::SetOptions).SetDefault(TFontDialogOptions{fdEffects});
}

bool TFontDialog::Execute() {
  LOGFONTA lf{};
  GetObject(FFont->Handle(), sizeof lf, &lf);
  CHOOSEFONT cf;
  cf.hwndOwner = OwnerWindow();
  cf.lpLogFont = &lf;
  cf.Flags = CF_INITTOLOGFONTSTRUCT | (FDevice == fdScreen ? CF_SCREENFONTS : FDevice == fdPrinter ? CF_PRINTERFONTS : CF_BOTH);
  if (FOptions.Contains(fdEffects)) cf.Flags |= CF_EFFECTS;
  if (FOptions.Contains(fdTrueTypeOnly)) cf.Flags |= CF_TTONLY;
  if (FOptions.Contains(fdForceFontExist)) cf.Flags |= CF_FORCEFONTEXIST;
  if (FOptions.Contains(fdNoVectorFonts)) cf.Flags |= CF_NOVECTORFONTS;
  if (FOptions.Contains(fdShowHelp)) cf.Flags |= CF_SHOWHELP;
  if (FOptions.Contains(fdApplyButton)) cf.Flags |= CF_APPLY;
  if (FOptions.Contains(fdLimitSize) || FMinFontSize || FMaxFontSize) {
    cf.Flags |= CF_LIMITSIZE;
    cf.nSizeMin = FMinFontSize;
    cf.nSizeMax = FMaxFontSize;
  }
  cf.rgbColors = ColorToRGB(FFont->Color());
  DoShow();
  bool ok = ChooseFont(&cf) != FALSE;
  DoClose();
  if (ok) {
    TColor color = static_cast<TColor>(cf.rgbColors);
    FFont->SetHandle(CreateFontIndirect(&lf));
    FFont->SetColor(color);
  }
  return ok;
}

// ---- TOpenDialog --------------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(new TStringList) {}

TOpenDialog::~TOpenDialog() { delete FFiles; }

void TOpenDialog::DeclareProperties(TPropTable& t) {
  t.Add("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  t.Add("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  t.Add("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  t.Add("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).SetDefault(1);
  t.Add("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  t.Add("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
      .SetDefault(TOpenOptions{ofHideReadOnly, ofEnableSizing});
  t.Add("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

bool TOpenDialog::Execute() {
  // "a|b|c|d" becomes "a\0b\0c\0d\0\0".
  String filter = FFilter;
  std::replace(filter.begin(), filter.end(), '|', '\0');
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> file(64 * 1024, '\0');
  std::copy_n(FFileName.begin(), std::min(FFileName.size(), file.size() - 1), file.begin());
  OPENFILENAME ofn;
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FFilterIndex, 0));
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  ofn.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
  static const std::pair<TOpenOption, DWORD> flags[] = {
      {ofReadOnly, OFN_READONLY},           {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},   {ofNoChangeDir, OFN_NOCHANGEDIR},
      {ofShowHelp, OFN_SHOWHELP},           {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofPathMustExist, OFN_PATHMUSTEXIST}, {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofEnableSizing, OFN_ENABLESIZING}};
  ofn.Flags = OFN_EXPLORER;
  for (auto [option, flag] : flags)
    if (FOptions.Contains(option)) ofn.Flags |= flag;
  DoShow();
  bool ok = GetOpenFileName(&ofn) != FALSE;
  DoClose();
  if (!ok) return false;
  FFileName = file.data();
  FFilterIndex = static_cast<int>(ofn.nFilterIndex);
  FFiles->Clear();
  FFiles->Add(FFileName);
  return true;
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
  SetFilter(GraphicFilter(TGraphic::StaticClass()));
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TColorDialog, TFontDialog, TOpenDialog, TOpenPictureDialog>();
  return true;
}();

}  // namespace

// ---- ShowMessage ----------------------------------------------------------------------------------

void ShowMessage(const String& Msg) {
  if (!Application) return;
  Application->MessageBox(Msg, Application->Title(), MB_OK);
}
