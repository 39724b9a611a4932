#include "dialogs/SubtitleSettings.h"

#include "console/Config.h"
#include "dialogs/OpenSubtitles.h"
#include "dialogs/SubtitleWindow1.h"
#include "dialogs/SubtitleWindow2.h"
#include "dialogs/SubtitleWindow3.h"
#include "platform/classes/SysUtils.h"

TfrmSubtitleSettings* frmSubtitleSettings = nullptr;

namespace {

constexpr int kSubtitleWindows = 3;

// The background colours offered, in the order the list shows them.
struct NamedColor {
  TColor Color;
  const char* Name;
};
constexpr NamedColor kBackgroundColors[] = {
    {clBlack, "clBlack"},   {clMaroon, "clMaroon"}, {clGreen, "clGreen"},     {clOlive, "clOlive"},
    {clNavy, "clNavy"},     {clPurple, "clPurple"}, {clTeal, "clTeal"},       {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"},       {clLime, "clLime"},       {clYellow, "clYellow"},
    {clBlue, "clBlue"},     {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},     {clWhite, "clWhite"},
    {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
};

// The colour made transparent behind a text of the given colour: a neighbour of the text's colour
// that the text itself never uses, so its letters keep their edges. Other text colours key out the
// chosen background.
TColor TransparentKeyFor(TColor FontColor, TColor Background) {
  switch (FontColor) {
    case clRed: return clMaroon;
    case clGreen: return clTeal;
    case clYellow: return clWhite;
    case clBlue: return clNavy;
    case clWhite: return clCream;
    default: return Background;
  }
}

}  // namespace

TSubtitleWindow* SubtitleWindow(int Number) {
  switch (Number) {
    case 1: return frmLEDDisplay;
    case 2: return Form29;
    case 3: return Form30;
    default: return nullptr;
  }
}

String EscapeSubtitleText(const String& Text) {
  String out;
  out.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char c = Text[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '\n' || c == '\r') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

String UnescapeSubtitleText(const String& Stored) {
  String out;
  out.reserve(Stored.size());
  for (std::size_t i = 0; i < Stored.size(); ++i) {
    if (Stored[i] == '\\' && i + 1 < Stored.size() && (Stored[i + 1] == 'n' || Stored[i + 1] == '\\')) {
      out += Stored[i + 1] == 'n' ? "\r\n" : "\\";
      ++i;
    } else {
      out += Stored[i];
    }
  }
  return out;
}

TfrmSubtitleSettings::TfrmSubtitleSettings(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TfrmSubtitleSettings::FormShow);
  RegisterHandler("btnFontSettingClick", &TfrmSubtitleSettings::btnFontSettingClick);
  RegisterHandler("cbTranpClick", &TfrmSubtitleSettings::cbTranpClick);
  RegisterHandler("BitbAddDisplayClick", &TfrmSubtitleSettings::BitbAddDisplayClick);
  RegisterHandler("btnSaveClick", &TfrmSubtitleSettings::btnSaveClick);
  RegisterHandler("btnCloseDisplayClick", &TfrmSubtitleSettings::btnCloseDisplayClick);
  RegisterHandler("btnCloseClick", &TfrmSubtitleSettings::btnCloseClick);
}

TfrmSubtitleSettings::~TfrmSubtitleSettings() {
  if (frmSubtitleSettings == this) frmSubtitleSettings = nullptr;
}

void TfrmSubtitleSettings::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const String& name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
#define VW_FIND(Name) find(Name, #Name)
  VW_FIND(cxlblText);
  VW_FIND(cxmText);
  VW_FIND(btnFontSetting);
  VW_FIND(dlgFont);
  VW_FIND(cbTranp);
  VW_FIND(cxLabel3);
  VW_FIND(cbbBGColor);
  VW_FIND(cxlblInterval);
  VW_FIND(lbledtInterval);
  VW_FIND(BitbAddDisplay);
  VW_FIND(btnCloseDisplay);
  VW_FIND(btnSave);
  VW_FIND(btnClose);
#undef VW_FIND
}

void TfrmSubtitleSettings::ApplyEnglishCaptions(const String& Title) {
  SetCaption(Title);
  const std::pair<TControl*, const char*> captions[] = {
      {cxlblText, "Text"},      {btnFontSetting, "Font"},        {cbTranp, "Transparent"},
      {cxLabel3, "Bkgound Color"}, {cxlblInterval, "Scroll Interval"}, {btnCloseDisplay, "Delete"},
      {btnSave, "Save"},        {btnClose, "Close"},             {BitbAddDisplay, "Add"},
  };
  for (const auto& [control, caption] : captions) control->SetCaption(caption);
}

void TfrmSubtitleSettings::FormShow(TObject*) {
  using namespace cfg;
  {
    std::unique_ptr<TIniFile> ini = OpenConfigFile();
    const String text = ReadConfig(*ini, subtitle::DisplayText, cxmText->Text());
    cxmText->SetText(ReadConfig(*ini, subtitle::DisplayTextEsc) ? UnescapeSubtitleText(text) : text);
    TFont* font = dlgFont->Font();
    font->SetName(ReadConfig(*ini, subtitle::FontName, font->Name()));
    font->SetColor(StringToColor(ReadConfig(*ini, subtitle::ColorName, ColorToString(font->Color()))));
    font->SetSize(ReadConfig(*ini, subtitle::FontSize, font->Size()));
    cbbBGColor->SetText(ReadConfig(*ini, subtitle::BgColorName));
    lbledtInterval->SetText(ReadConfig(*ini, subtitle::Interval));
    cbTranp->SetChecked(ReadConfig(*ini, subtitle::IsTranp));
  }
  TcxColorComboBoxItems* list = cbbBGColor->Properties()->ColorList();
  list->Clear();
  for (const NamedColor& c : kBackgroundColors) list->AddColor(c.Color, c.Name);
}

void TfrmSubtitleSettings::btnFontSettingClick(TObject*) { dlgFont->Execute(); }

void TfrmSubtitleSettings::cbTranpClick(TObject*) { cbbBGColor->SetEnabled(!cbTranp->Checked()); }

void TfrmSubtitleSettings::BitbAddDisplayClick(TObject*) {
  TSubtitleWindow* window = nullptr;
  for (int k = 1; k <= kSubtitleWindows && !window; ++k)
    if (TSubtitleWindow* w = SubtitleWindow(k); w && !w->OnScreen()) window = w;
  if (!window) {
    ShowMessage("最多存在3个字幕");
    return;
  }
  const TColor background = StringToColor(cbbBGColor->Text());
  window->SetColor(background);
  TFont* font = dlgFont->Font();
  // The editor's text ends every line with a break, the last one included.
  window->ConfigureSubtitle(cxmText->Text(), font->Name(), ColorToString(font->Color()), background,
                            font->Size(), StrToInt(lbledtInterval->Text()), false);
  if (cbTranp->Checked()) {
    const TColor key = TransparentKeyFor(font->Color(), background);
    window->rzmrqstsText->SetFillColor(key);
    window->SetColor(key);
    window->SetTransparentColorValue(key);
    window->SetTransparentColor(true);
  } else {
    window->SetTransparentColor(false);
  }
  window->Show();
  win::ShowWindow(window->Handle(), win::SW_RESTORE);
}

void TfrmSubtitleSettings::btnSaveClick(TObject*) {
  using namespace cfg;
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  TFont* font = dlgFont->Font();
  WriteConfig(*ini, subtitle::DisplayText, EscapeSubtitleText(cxmText->Text()));
  WriteConfig(*ini, subtitle::FontName, font->Name());
  WriteConfig(*ini, subtitle::ColorName, ColorToString(font->Color()));
  WriteConfig(*ini, subtitle::FontSize, font->Size());
  WriteConfig(*ini, subtitle::BgColorName, cbbBGColor->Text());
  WriteConfig(*ini, subtitle::Interval, lbledtInterval->Text());
  WriteConfig(*ini, subtitle::IsTranp, cbTranp->Checked());
  WriteConfig(*ini, subtitle::DisplayTextEsc, true);
}

void TfrmSubtitleSettings::btnCloseDisplayClick(TObject*) { Form31->Show(); }

void TfrmSubtitleSettings::btnCloseClick(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TfrmSubtitleSettings>();
  return true;
}();

}  // namespace
