#include "ui/choice/ExtEditStrings.h"

#include "ui/controls/EditProperties.h"

const TResStringRec scxSEditRepositoryProgressBarItem{"ProgressBar|Represents a ProgressBar"};
const TResStringRec scxSEditRepositorySpinButtonItem{"SpinButton|Represents a SpinButton"};
const TResStringRec scxSEditRepositoryCheckComboBox{"CheckComboBox|Represents a CheckComboBox"};
const TResStringRec scxSEditRepositoryShellComboBoxItem{"ShellComboBox|Represents a combo box with a dropdown shell tree view"};
const TResStringRec scxSEditRepositoryCheckGroupItem{"CheckGroup|Represents a group of check boxes"};
const TResStringRec scxUDAssociated{" is already associated with "};
const TResStringRec scxHotZoneStyleMediaPlayer9{"MediaPlayer9"};
const TResStringRec scxHotZoneStyleMediaPlayer8{"MediaPlayer8"};
const TResStringRec scxHotZoneStyleXPTaskBar{"XPTaskBar"};
const TResStringRec scxHotZoneStyleSimple{"Simple"};
const TResStringRec scxLoadingFonts{"Loading ..."};
const TResStringRec cxSEditCheckGroupCaptionStateDelimiter{": "};
const TResStringRec cxSEditCheckGroupFilterColumnSeparator{"; "};
const TResStringRec cxSEditCheckGroupChecked{"Checked"};
const TResStringRec cxSEditCheckGroupGrayed{"Grayed"};
const TResStringRec cxSEditCheckGroupUnchecked{"Unchecked"};
const TResStringRec cxSCheckComboBoxStatesItemsPropertyDlgCaption{"cxCheckComboBox - CheckStates editor"};
// A no-break space before "of", as the string table has it.
const TResStringRec cxSCheckControlIncorrectItemCount{
    "The number\u00A0of items cannot be greater than 64, if the EditValueFormat is cvfInteger"};
const TResStringRec cxSCheckGroupStatesItemsPropertyDlgCaption{"cxCheckGroup - CheckStates editor"};
const TResStringRec cxSCheckComboBoxEmptySelectionText{"None selected"};
const TResStringRec cxSColorComboBoxDefaultDescription{"Color not selected"};
const TResStringRec cxSEditRichEditLibraryError{"Cannot load a RichEdit library"};
const TResStringRec cxSEditRichEditLineInsertionError{"RichEdit line insertion error"};
const TResStringRec cxSEditRichEditLoadFail{"Failed to Load Stream"};
const TResStringRec cxSEditRichEditSaveFail{"Failed to Save Stream"};
const TResStringRec cxSEditRichEditSelectionSaveFail{"Failed to selection Save Stream"};
const TResStringRec cxSEditRichEditOleInterfaceFail{"RichEdit: failed to get IRichEditOle interface"};
const TResStringRec cxSEditRichEditCallBackFail{"RichEdit: failed to set callback"};
const TResStringRec cxSEditRichEditLinkFail{"RichEdit: cannot link to an invalid source"};
const TResStringRec scxSEditRepositoryRichEditItem{"RichEdit|RichEdit control"};
const TResStringRec cxSEditRichEditUndoCaption{"&Undo"};
const TResStringRec cxSEditRichEditRedoCaption{"&Redo"};
const TResStringRec cxSEditRichEditCutCaption{"Cu&t"};
const TResStringRec cxSEditRichEditCopyCaption{"&Copy"};
const TResStringRec cxSEditRichEditPasteCaption{"&Paste"};
const TResStringRec cxSEditRichEditDeleteCaption{"&Delete"};
const TResStringRec cxSEditRichEditSelectAllCaption{"Select &All"};

namespace {

#define VW_EXT_STRING(Name, Number) {#Name, Number, &Name}
const TcxExtEditStringEntry kExtEditStrings[] = {
    VW_EXT_STRING(scxSEditRepositoryColorComboBoxItem, 64793),
    VW_EXT_STRING(scxSEditRepositoryFontNameComboBoxItem, 64794),
    VW_EXT_STRING(scxSEditRepositoryLabelItem, 64795),
    VW_EXT_STRING(scxSEditRepositoryProgressBarItem, 64796),
    VW_EXT_STRING(scxSEditRepositoryTrackBarItem, 64797),
    VW_EXT_STRING(scxSEditRepositorySpinButtonItem, 64798),
    VW_EXT_STRING(scxSEditRepositoryCheckComboBox, 64799),
    VW_EXT_STRING(scxSEditRepositoryShellComboBoxItem, 64768),
    VW_EXT_STRING(scxSEditRepositoryCheckGroupItem, 64769),
    VW_EXT_STRING(scxUDAssociated, 64770),
    VW_EXT_STRING(scxHotZoneStyleMediaPlayer9, 64771),
    VW_EXT_STRING(scxHotZoneStyleMediaPlayer8, 64772),
    VW_EXT_STRING(scxHotZoneStyleXPTaskBar, 64773),
    VW_EXT_STRING(scxHotZoneStyleSimple, 64774),
    VW_EXT_STRING(scxLoadingFonts, 64775),
    VW_EXT_STRING(cxSEditCheckGroupCaptionStateDelimiter, 64776),
    VW_EXT_STRING(cxSEditCheckGroupFilterColumnSeparator, 64777),
    VW_EXT_STRING(cxSEditCheckGroupChecked, 64778),
    VW_EXT_STRING(cxSEditCheckGroupGrayed, 64779),
    VW_EXT_STRING(cxSEditCheckGroupUnchecked, 64780),
    VW_EXT_STRING(cxSCheckComboBoxStatesItemsPropertyDlgCaption, 64781),
    VW_EXT_STRING(cxSCheckControlIncorrectItemCount, 64752),
    VW_EXT_STRING(cxSCheckGroupStatesItemsPropertyDlgCaption, 64782),
    VW_EXT_STRING(cxSCheckComboBoxEmptySelectionText, 64783),
    VW_EXT_STRING(cxSColorComboBoxDefaultDescription, 64753),
    VW_EXT_STRING(cxSEditRichEditLibraryError, 64754),
    VW_EXT_STRING(cxSEditRichEditLineInsertionError, 64755),
    VW_EXT_STRING(cxSEditRichEditLoadFail, 64756),
    VW_EXT_STRING(cxSEditRichEditSaveFail, 64757),
    VW_EXT_STRING(cxSEditRichEditSelectionSaveFail, 64758),
    VW_EXT_STRING(cxSEditRichEditOleInterfaceFail, 64759),
    VW_EXT_STRING(cxSEditRichEditCallBackFail, 64760),
    VW_EXT_STRING(cxSEditRichEditLinkFail, 64761),
    VW_EXT_STRING(scxSEditRepositoryRichEditItem, 64762),
    VW_EXT_STRING(cxSEditRichEditUndoCaption, 64763),
    VW_EXT_STRING(cxSEditRichEditRedoCaption, 64764),
    VW_EXT_STRING(cxSEditRichEditCutCaption, 64765),
    VW_EXT_STRING(cxSEditRichEditCopyCaption, 64766),
    VW_EXT_STRING(cxSEditRichEditPasteCaption, 64767),
    VW_EXT_STRING(cxSEditRichEditDeleteCaption, 64736),
    VW_EXT_STRING(cxSEditRichEditSelectAllCaption, 64737),
};
#undef VW_EXT_STRING

bool& Registered() {
  static bool registered = false;
  return registered;
}

struct TExtEditStringsUnit {
  TExtEditStringsUnit() { RegisterExtEditStrings(); }
  ~TExtEditStringsUnit() { UnregisterExtEditStrings(); }
} ExtEditStringsUnit;

constexpr TcxColorName kX11Ordered[] = {
    {"LightPink", 0xC1B6FF}, {"Pink", 0xCBC0FF}, {"Crimson", 0x3C14DC},
    {"LavenderBlush", 0xF5F0FF}, {"PaleVioletRed", 0x9370DB}, {"HotPink", 0xB469FF},
    {"DeepPink", 0x9314FF}, {"MediumVioletRed", 0x8515C7}, {"Orchid", 0xD670DA},
    {"Thistle", 0xD8BFD8}, {"Plum", 0xDDA0DD}, {"Violet", 0xEE82EE},
    {"Magenta", 0xFF00FF}, {"Fuchsia", 0xFF00FF}, {"DarkMagenta", 0x8B008B},
    {"Purple", 0x800080}, {"MediumOrchid", 0xD355BA}, {"DarkViolet", 0xD30094},
    {"DarkOrchid", 0xCC3299}, {"Indigo", 0x82004B}, {"BlueViolet", 0xE22B8A},
    {"MediumPurple", 0xDB7093}, {"MediumSlateBlue", 0xEE687B}, {"SlateBlue", 0xCD5A6A},
    {"DarkSlateBlue", 0x8B3D48}, {"Lavender", 0xFAE6E6}, {"GhostWhite", 0xFFF8F8},
    {"Blue", 0xFF0000}, {"MediumBlue", 0xCD0000}, {"MidnightBlue", 0x701919},
    {"DarkBlue", 0x8B0000}, {"Navy", 0x800000}, {"RoyalBlue", 0xE16941},
    {"CornflowerBlue", 0xED9564}, {"LightSteelBlue", 0xDEC4B0}, {"LightSlateGray", 0x998877},
    {"SlateGray", 0x908070}, {"DodgerBlue", 0xFF901E}, {"AliceBlue", 0xFFF8F0},
    {"SteelBlue", 0xB48246}, {"LightSkyBlue", 0xFACE87}, {"SkyBlue", 0xEBCE87},
    {"DeepSkyBlue", 0xFFBF00}, {"LightBlue", 0xE6D8AD}, {"PowderBlue", 0xE6E0B0},
    {"CadetBlue", 0xA09E5F}, {"Azure", 0xFFFFF0}, {"LightCyan", 0xFFFFE0},
    {"PaleTurquoise", 0xEEEEAF}, {"Cyan", 0xFFFF00}, {"Aqua", 0xFFFF00},
    {"DarkTurquoise", 0xD1CE00}, {"DarkSlateGray", 0x4F4F2F}, {"DarkCyan", 0x8B8B00},
    {"Teal", 0x808000}, {"MediumTurquoise", 0xCCD148}, {"LightSeaGreen", 0xAAB220},
    {"Turquoise", 0xD0E040}, {"Aquamarine", 0xD4FF7F}, {"MediumAquamarine", 0xAACD66},
    {"MediumSpringGreen", 0x9AFA00}, {"MintCream", 0xFAFFF5}, {"SpringGreen", 0x7FFF00},
    {"MediumSeaGreen", 0x71B33C}, {"SeaGreen", 0x578B2E}, {"Honeydew", 0xF0FFF0},
    {"LightGreen", 0x90EE90}, {"PaleGreen", 0x98FB98}, {"DarkSeaGreen", 0x8FBC8F},
    {"LimeGreen", 0x32CD32}, {"Lime", 0x00FF00}, {"ForestGreen", 0x228B22},
    {"Green", 0x008000}, {"DarkGreen", 0x006400}, {"Chartreuse", 0x00FF7F},
    {"LawnGreen", 0x00FC7C}, {"GreenYellow", 0x2FFFAD}, {"DarkOliveGreen", 0x2F6B55},
    {"YellowGreen", 0x32CD9A}, {"OliveDrab", 0x238E6B}, {"Beige", 0xDCF5F5},
    {"LightGoldenrodYellow", 0xD2FAFA}, {"Ivory", 0xF0FFFF}, {"LightYellow", 0xE0FFFF},
    {"Yellow", 0x00FFFF}, {"Olive", 0x008080}, {"DarkKhaki", 0x6BB7BD},
    {"LemonChiffon", 0xCDFAFF}, {"PaleGoldenrod", 0xAAE8EE}, {"Khaki", 0x8CE6F0},
    {"Gold", 0x00D7FF}, {"Cornsilk", 0xDCF8FF}, {"Goldenrod", 0x20A5DA},
    {"DarkGoldenrod", 0x0B86B8}, {"FloralWhite", 0xF0FAFF}, {"OldLace", 0xE6F5FD},
    {"Wheat", 0xB3DEF5}, {"Moccasin", 0xB5E4FF}, {"Orange", 0x00A5FF},
    {"PapayaWhip", 0xD5EFFF}, {"BlanchedAlmond", 0xCDEBFF}, {"NavajoWhite", 0xADDEFF},
    {"AntiqueWhite", 0xD7EBFA}, {"Tan", 0x8CB4D2}, {"BurlyWood", 0x87B8DE},
    {"Bisque", 0xC4E4FF}, {"DarkOrange", 0x008CFF}, {"Linen", 0xE6F0FA},
    {"Peru", 0x3F85CD}, {"PeachPuff", 0xB9DAFF}, {"SandyBrown", 0x60A4F4},
    {"Chocolate", 0x1E69D2}, {"SaddleBrown", 0x13458B}, {"Seashell", 0xEEF5FF},
    {"Sienna", 0x2D52A0}, {"LightSalmon", 0x7AA0FF}, {"Coral", 0x507FFF},
    {"OrangeRed", 0x0045FF}, {"DarkSalmon", 0x7A96E9}, {"Tomato", 0x4763FF},
    {"MistyRose", 0xE1E4FF}, {"Salmon", 0x7280FA}, {"Snow", 0xFAFAFF},
    {"LightCoral", 0x8080F0}, {"RosyBrown", 0x8F8FBC}, {"IndianRed", 0x5C5CCD},
    {"Red", 0x0000FF}, {"Brown", 0x2A2AA5}, {"FireBrick", 0x2222B2},
    {"DarkRed", 0x00008B}, {"Maroon", 0x000080}, {"White", 0xFFFFFF},
    {"WhiteSmoke", 0xF5F5F5}, {"Gainsboro", 0xDCDCDC}, {"LightGrey", 0xD3D3D3},
    {"Silver", 0xC0C0C0}, {"DarkGray", 0xA9A9A9}, {"Gray", 0x808080},
    {"DimGray", 0x696969}, {"Black", 0x000000},
};

constexpr TcxColorName kX11Alphabetical[] = {
    {"AliceBlue", 0xFFF8F0}, {"AntiqueWhite", 0xD7EBFA}, {"Aqua", 0xFFFF00},
    {"Aquamarine", 0xD4FF7F}, {"Azure", 0xFFFFF0}, {"Beige", 0xDCF5F5},
    {"Bisque", 0xC4E4FF}, {"Black", 0x000000}, {"BlanchedAlmond", 0xCDEBFF},
    {"Blue", 0xFF0000}, {"BlueViolet", 0xE22B8A}, {"Brown", 0x2A2AA5},
    {"BurlyWood", 0x87B8DE}, {"CadetBlue", 0xA09E5F}, {"Chartreuse", 0x00FF7F},
    {"Chocolate", 0x1E69D2}, {"Coral", 0x507FFF}, {"CornflowerBlue", 0xED9564},
    {"Cornsilk", 0xDCF8FF}, {"Crimson", 0x3C14DC}, {"Cyan", 0xFFFF00},
    {"DarkBlue", 0x8B0000}, {"DarkCyan", 0x8B8B00}, {"DarkGoldenrod", 0x0B86B8},
    {"DarkGray", 0xA9A9A9}, {"DarkGreen", 0x006400}, {"DarkKhaki", 0x6BB7BD},
    {"DarkMagenta", 0x8B008B}, {"DarkOliveGreen", 0x2F6B55}, {"DarkOrange", 0x008CFF},
    {"DarkOrchid", 0xCC3299}, {"DarkRed", 0x00008B}, {"DarkSalmon", 0x7A96E9},
    {"DarkSeaGreen", 0x8FBC8F}, {"DarkSlateBlue", 0x8B3D48}, {"DarkSlateGray", 0x4F4F2F},
    {"DarkTurquoise", 0xD1CE00}, {"DarkViolet", 0xD30094}, {"DeepPink", 0x9314FF},
    {"DeepSkyBlue", 0xFFBF00}, {"DimGray", 0x696969}, {"DodgerBlue", 0xFF901E},
    {"FireBrick", 0x2222B2}, {"FloralWhite", 0xF0FAFF}, {"ForestGreen", 0x228B22},
    {"Fuchsia", 0xFF00FF}, {"Gainsboro", 0xDCDCDC}, {"GhostWhite", 0xFFF8F8},
    {"Gold", 0x00D7FF}, {"Goldenrod", 0x20A5DA}, {"Gray", 0x808080},
    {"Green", 0x008000}, {"GreenYellow", 0x2FFFAD}, {"Honeydew", 0xF0FFF0},
    {"HotPink", 0xB469FF}, {"IndianRed", 0x5C5CCD}, {"Indigo", 0x82004B},
    {"Ivory", 0xF0FFFF}, {"Khaki", 0x8CE6F0}, {"Lavender", 0xFAE6E6},
    {"LavenderBlush", 0xF5F0FF}, {"LawnGreen", 0x00FC7C}, {"LemonChiffon", 0xCDFAFF},
    {"LightBlue", 0xE6D8AD}, {"LightCoral", 0x8080F0}, {"LightCyan", 0xFFFFE0},
    {"LightGoldenrodYellow", 0xD2FAFA}, {"LightGreen", 0x90EE90}, {"LightGrey", 0xD3D3D3},
    {"LightPink", 0xC1B6FF}, {"LightSalmon", 0x7AA0FF}, {"LightSeaGreen", 0xAAB220},
    {"LightSkyBlue", 0xFACE87}, {"LightSlateGray", 0x998877}, {"LightSteelBlue", 0xDEC4B0},
    {"LightYellow", 0xE0FFFF}, {"Lime", 0x00FF00}, {"LimeGreen", 0x32CD32},
    {"Linen", 0xE6F0FA}, {"Magenta", 0xFF00FF}, {"Maroon", 0x000080},
    {"MediumAquamarine", 0xAACD66}, {"MediumBlue", 0xCD0000}, {"MediumOrchid", 0xD355BA},
    {"MediumPurple", 0xDB7093}, {"MediumSeaGreen", 0x71B33C}, {"MediumSlateBlue", 0xEE687B},
    {"MediumSpringGreen", 0x9AFA00}, {"MediumTurquoise", 0xCCD148}, {"MediumVioletRed", 0x8515C7},
    {"MidnightBlue", 0x701919}, {"MintCream", 0xFAFFF5}, {"MistyRose", 0xE1E4FF},
    {"Moccasin", 0xB5E4FF}, {"NavajoWhite", 0xADDEFF}, {"Navy", 0x800000},
    {"OldLace", 0xE6F5FD}, {"Olive", 0x008080}, {"OliveDrab", 0x238E6B},
    {"Orange", 0x00A5FF}, {"OrangeRed", 0x0045FF}, {"Orchid", 0xD670DA},
    {"PaleGoldenrod", 0xAAE8EE}, {"PaleGreen", 0x98FB98}, {"PaleTurquoise", 0xEEEEAF},
    {"PaleVioletRed", 0x9370DB}, {"PapayaWhip", 0xD5EFFF}, {"PeachPuff", 0xB9DAFF},
    {"Peru", 0x3F85CD}, {"Pink", 0xCBC0FF}, {"Plum", 0xDDA0DD},
    {"PowderBlue", 0xE6E0B0}, {"Purple", 0x800080}, {"Red", 0x0000FF},
    {"RosyBrown", 0x8F8FBC}, {"RoyalBlue", 0xE16941}, {"SaddleBrown", 0x13458B},
    {"Salmon", 0x7280FA}, {"SandyBrown", 0x60A4F4}, {"SeaGreen", 0x578B2E},
    {"Seashell", 0xEEF5FF}, {"Sienna", 0x2D52A0}, {"Silver", 0xC0C0C0},
    {"SkyBlue", 0xEBCE87}, {"SlateBlue", 0xCD5A6A}, {"SlateGray", 0x908070},
    {"Snow", 0xFAFAFF}, {"SpringGreen", 0x7FFF00}, {"SteelBlue", 0xB48246},
    {"Tan", 0x8CB4D2}, {"Teal", 0x808000}, {"Thistle", 0xD8BFD8},
    {"Tomato", 0x4763FF}, {"Turquoise", 0xD0E040}, {"Violet", 0xEE82EE},
    {"Wheat", 0xB3DEF5}, {"White", 0xFFFFFF}, {"WhiteSmoke", 0xF5F5F5},
    {"Yellow", 0x00FFFF}, {"YellowGreen", 0x32CD9A},
};

constexpr TcxColorName kColorIdentifiers[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen},
    {"clOlive", clOlive}, {"clNavy", clNavy}, {"clPurple", clPurple},
    {"clTeal", clTeal}, {"clGray", clGray}, {"clSilver", clSilver},
    {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua},
    {"clWhite", clWhite}, {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue},
    {"clCream", clCream}, {"clMedGray", clMedGray}, {"clActiveBorder", clActiveBorder},
    {"clActiveCaption", clActiveCaption}, {"clAppWorkSpace", clAppWorkSpace}, {"clBackground", clBackground},
    {"clBtnFace", clBtnFace}, {"clBtnHighlight", clBtnHighlight}, {"clBtnShadow", clBtnShadow},
    {"clBtnText", clBtnText}, {"clCaptionText", clCaptionText}, {"clDefault", clDefault},
    {"clGradientActiveCaption", clGradientActiveCaption}, {"clGradientInactiveCaption", clGradientInactiveCaption}, {"clGrayText", clGrayText},
    {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clHotLight", clHotLight},
    {"clInactiveBorder", clInactiveBorder}, {"clInactiveCaption", clInactiveCaption}, {"clInactiveCaptionText", clInactiveCaptionText},
    {"clInfoBk", clInfoBk}, {"clInfoText", clInfoText}, {"clMenu", clMenu},
    {"clMenuBar", clMenuBar}, {"clMenuHighlight", clMenuHighlight}, {"clMenuText", clMenuText},
    {"clNone", clNone}, {"clScrollBar", clScrollBar}, {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame},
    {"clWindowText", clWindowText},
};

constexpr TcxColorName kHTML4[] = {
    {"Black", 0x000000}, {"Silver", 0xC0C0C0}, {"Gray", 0x808080}, {"White", 0xFFFFFF},
    {"Maroon", 0x000080}, {"Red", 0x0000FF}, {"Purple", 0x800080}, {"Fuchsia", 0xFF00FF},
    {"Green", 0x008000}, {"Lime", 0x00FF00}, {"Olive", 0x008080}, {"Yellow", 0x00FFFF},
    {"Navy", 0x800000}, {"Blue", 0xFF0000}, {"Teal", 0x808000}, {"Aqua", 0xFFFF00},
};

}  // namespace

std::span<const TcxExtEditStringEntry> ExtEditStringEntries() { return kExtEditStrings; }

void RegisterExtEditStrings() {
  if (Registered()) return;
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  if (!repository) return;
  repository->AddProduct(cxExtEditProductName, [](TdxProductResourceStrings* Product) {
    for (const TcxExtEditStringEntry& entry : kExtEditStrings)
      Product->RecordResString(entry.Identifier, entry.ResString);
  });
  Registered() = true;
}

void UnregisterExtEditStrings() {
  if (!Registered()) return;
  Registered() = false;
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository())
    repository->RemoveProduct(cxExtEditProductName);
}

std::span<const TcxColorName> X11OrderedColorNames() { return kX11Ordered; }
std::span<const TcxColorName> X11ColorNames() { return kX11Alphabetical; }
std::span<const TcxColorName> HTML4ColorNames() { return kHTML4; }
std::span<const TcxColorName> ColorIdentifierNames() { return kColorIdentifiers; }
