#pragma once
// The extended editors' texts (label, track bar, colour and font-name combo boxes and their
// siblings), listed in the repository under "Extended Editors Library" while the unit runs, and the
// colour-name tables the colour combo box builds its lists from.
#include <span>

#include "platform/classes/Graphics.h"
#include "ui/foundation/ResourceStrings.h"

// The label's, the track bar's and the colour and font-name combo boxes' repository-item texts are
// the editor registry's (EditProperties.h); the product lists them from there.
extern const TResStringRec scxSEditRepositoryProgressBarItem;
extern const TResStringRec scxSEditRepositorySpinButtonItem;
extern const TResStringRec scxSEditRepositoryCheckComboBox;
extern const TResStringRec scxSEditRepositoryShellComboBoxItem;
extern const TResStringRec scxSEditRepositoryCheckGroupItem;
extern const TResStringRec scxUDAssociated;
extern const TResStringRec scxHotZoneStyleMediaPlayer9;
extern const TResStringRec scxHotZoneStyleMediaPlayer8;
extern const TResStringRec scxHotZoneStyleXPTaskBar;
extern const TResStringRec scxHotZoneStyleSimple;
extern const TResStringRec scxLoadingFonts;
extern const TResStringRec cxSEditCheckGroupCaptionStateDelimiter;
extern const TResStringRec cxSEditCheckGroupFilterColumnSeparator;
extern const TResStringRec cxSEditCheckGroupChecked;
extern const TResStringRec cxSEditCheckGroupGrayed;
extern const TResStringRec cxSEditCheckGroupUnchecked;
extern const TResStringRec cxSCheckComboBoxStatesItemsPropertyDlgCaption;
extern const TResStringRec cxSCheckControlIncorrectItemCount;
extern const TResStringRec cxSCheckGroupStatesItemsPropertyDlgCaption;
extern const TResStringRec cxSCheckComboBoxEmptySelectionText;
extern const TResStringRec cxSColorComboBoxDefaultDescription;
extern const TResStringRec cxSEditRichEditLibraryError;
extern const TResStringRec cxSEditRichEditLineInsertionError;
extern const TResStringRec cxSEditRichEditLoadFail;
extern const TResStringRec cxSEditRichEditSaveFail;
extern const TResStringRec cxSEditRichEditSelectionSaveFail;
extern const TResStringRec cxSEditRichEditOleInterfaceFail;
extern const TResStringRec cxSEditRichEditCallBackFail;
extern const TResStringRec cxSEditRichEditLinkFail;
extern const TResStringRec scxSEditRepositoryRichEditItem;
extern const TResStringRec cxSEditRichEditUndoCaption;
extern const TResStringRec cxSEditRichEditRedoCaption;
extern const TResStringRec cxSEditRichEditCutCaption;
extern const TResStringRec cxSEditRichEditCopyCaption;
extern const TResStringRec cxSEditRichEditPasteCaption;
extern const TResStringRec cxSEditRichEditDeleteCaption;
extern const TResStringRec cxSEditRichEditSelectAllCaption;

inline constexpr const char* cxExtEditProductName = "Extended Editors Library";

// One entry of the product's list: the identifier, the string-table number and the text.
struct TcxExtEditStringEntry {
  const char* Identifier;
  int ResourceNumber;
  const TResStringRec* ResString;
};
// The product's strings in the order they are listed.
std::span<const TcxExtEditStringEntry> ExtEditStringEntries();

// Listing and unlisting; the unit does both itself at start-up and shutdown.
void RegisterExtEditStrings();
void UnregisterExtEditStrings();

// ---- colour names ----------------------------------------------------------------------------------

struct TcxColorName {
  const char* Name;
  TColor Color;
};

// The 140 X11 (CSS) colour keywords with their values, in colour order ("LightPink" .. "Black").
std::span<const TcxColorName> X11OrderedColorNames();
// The same 140 names and values in alphabetical order ("AliceBlue" .. "YellowGreen").
std::span<const TcxColorName> X11ColorNames();
// The 16 HTML 4 colour names ("Black" .. "Aqua").
std::span<const TcxColorName> HTML4ColorNames();
// The class library's 52 colour identifiers ("clBlack" .. "clWindowText").
std::span<const TcxColorName> ColorIdentifierNames();
