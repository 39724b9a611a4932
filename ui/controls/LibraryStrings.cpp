#include "ui/controls/LibraryStrings.h"

#include <map>

namespace cxLibraryStrings {

// "Data Controller Library"
const TResStringRec cxSDataReadError{"Stream read error"};
const TResStringRec cxSDataWriteError{"Stream write error"};
const TResStringRec cxSDataItemExistError{"Item already exists"};
const TResStringRec cxSDataRecordIndexError{"RecordIndex out of range"};
const TResStringRec cxSDataItemIndexError{"ItemIndex out of range"};
const TResStringRec cxSDataProviderModeError{"This operation is not supported in provider mode"};
const TResStringRec cxSDataInvalidStreamFormat{"Invalid stream format"};
const TResStringRec cxSDataRowIndexError{"RowIndex out of range"};
const TResStringRec cxSDataCustomDataSourceInvalidCompare{"GetInfoForCompare not implemented"};
const TResStringRec cxSDBDetailFilterControllerNotFound{"DetailFilterController not found"};
const TResStringRec cxSDBNotInGridMode{"DataController not in GridMode"};
const TResStringRec cxSDBKeyFieldNotFound{"Key Field not found"};

// "Core Library"
const TResStringRec scxCantCreateRegistryKey{"Can't create the registry key: \\%s"};
const TResStringRec scxCantOpenRegistryKey{"Can't open the registry key: \\%s"};
const TResStringRec scxErrorStoreObject{"Error store %s object"};
const TResStringRec scxConverterCantCreateStyleRepository{"Can't create the Style Repository"};
const TResStringRec cxSDateToday{"today"};
const TResStringRec cxSDateYesterday{"yesterday"};
const TResStringRec cxSDateTomorrow{"tomorrow"};
const TResStringRec cxSDateSunday{"Sunday"};
const TResStringRec cxSDateMonday{"Monday"};
const TResStringRec cxSDateTuesday{"Tuesday"};
const TResStringRec cxSDateWednesday{"Wednesday"};
const TResStringRec cxSDateThursday{"Thursday"};
const TResStringRec cxSDateFriday{"Friday"};
const TResStringRec cxSDateSaturday{"Saturday"};
const TResStringRec cxSDateFirst{"first"};
const TResStringRec cxSDateSecond{"second"};
const TResStringRec cxSDateThird{"third"};
const TResStringRec cxSDateFourth{"fourth"};
const TResStringRec cxSDateFifth{"fifth"};
const TResStringRec cxSDateSixth{"sixth"};
const TResStringRec cxSDateSeventh{"seventh"};
const TResStringRec cxSDateBOM{"bom"};
const TResStringRec cxSDateEOM{"eom"};
const TResStringRec cxSDateNow{"now"};

// "Editors Library"
const TResStringRec cxSEditButtonCancel{"Cancel"};
const TResStringRec cxSEditButtonOK{"OK"};
const TResStringRec cxSEditDateConvertError{"Could not convert to date"};
const TResStringRec cxSEditInvalidRepositoryItem{"The repository item is not acceptable"};
const TResStringRec cxSEditNumericValueConvertError{"Could not convert to numeric value"};
const TResStringRec cxSEditPopupCircularReferencingError{"Circular referencing is not allowed"};
const TResStringRec cxSEditPostError{"An error occured during posting edit value"};
const TResStringRec cxSEditTimeConvertError{"Could not convert to time"};
const TResStringRec cxSEditValidateErrorText{"Invalid input value. Use escape key to abandon changes"};
const TResStringRec cxSEditValueOutOfBounds{"Value out of bounds"};
const TResStringRec cxSEditCheckBoxChecked{"True"};
const TResStringRec cxSEditCheckBoxGrayed{""};
const TResStringRec cxSEditCheckBoxUnchecked{"False"};
const TResStringRec cxSRadioGroupDefaultCaption{""};
const TResStringRec cxSTextTrue{"True"};
const TResStringRec cxSTextFalse{"False"};
const TResStringRec cxSBlobButtonOK{"&OK"};
const TResStringRec cxSBlobButtonCancel{"&Cancel"};
const TResStringRec cxSBlobButtonClose{"&Close"};
const TResStringRec cxSBlobMemo{"(MEMO)"};
const TResStringRec cxSBlobMemoEmpty{"(memo)"};
const TResStringRec cxSBlobPicture{"(PICTURE)"};
const TResStringRec cxSBlobPictureEmpty{"(picture)"};
const TResStringRec cxSMenuItemCaptionCut{"Cu&t"};
const TResStringRec cxSMenuItemCaptionCopy{"&Copy"};
const TResStringRec cxSMenuItemCaptionPaste{"&Paste"};
const TResStringRec cxSMenuItemCaptionDelete{"&Delete"};
const TResStringRec cxSMenuItemCaptionLoad{"&Load..."};
const TResStringRec cxSMenuItemCaptionSave{"Save &As..."};
const TResStringRec cxSDatePopupClear{"Clear"};
const TResStringRec cxSDatePopupNow{"Now"};
const TResStringRec cxSDatePopupOK{"OK"};
const TResStringRec cxSDatePopupToday{"Today"};
const TResStringRec cxSDateError{"Invalid Date"};
const TResStringRec scxSCalcError{"Error"};
const TResStringRec scxSHyperLinkPrefix{"http://"};
const TResStringRec scxSHyperLinkDoubleSlash{"//"};
const TResStringRec cxNavigatorHint_First{"First record"};
const TResStringRec cxNavigatorHint_Prior{"Prior record"};
const TResStringRec cxNavigatorHint_PriorPage{"Prior page"};
const TResStringRec cxNavigatorHint_Next{"Next record"};
const TResStringRec cxNavigatorHint_NextPage{"Next page"};
const TResStringRec cxNavigatorHint_Last{"Last record"};
const TResStringRec cxNavigatorHint_Insert{"Insert record"};
const TResStringRec cxNavigatorHint_Append{"Append record"};
const TResStringRec cxNavigatorHint_Delete{"Delete record"};
const TResStringRec cxNavigatorHint_Edit{"Edit record"};
const TResStringRec cxNavigatorHint_Post{"Post edit"};
const TResStringRec cxNavigatorHint_Cancel{"Cancel edit"};
const TResStringRec cxNavigatorHint_Refresh{"Refresh data"};
const TResStringRec cxNavigatorHint_SaveBookmark{"Save Bookmark"};
const TResStringRec cxNavigatorHint_GotoBookmark{"Goto Bookmark"};
const TResStringRec cxNavigatorHint_Filter{"Filter data"};
const TResStringRec cxNavigator_DeleteRecordQuestion{"Delete record?"};
const TResStringRec scxSEditRepositoryBlobItem{"BlobEdit|Represents the BLOB editor"};
const TResStringRec scxSEditRepositoryButtonItem{"ButtonEdit|Represents an edit control with embedded buttons"};
const TResStringRec scxSEditRepositoryCalcItem{"CalcEdit|Represents an edit control with a dropdown calculator window"};
const TResStringRec scxSEditRepositoryCheckBoxItem{"CheckBox|Represents a check box control that allows selecting an option"};
const TResStringRec scxSEditRepositoryComboBoxItem{"ComboBox|Represents the combo box editor"};
const TResStringRec scxSEditRepositoryCurrencyItem{"CurrencyEdit|Represents an editor enabling editing currency data"};
const TResStringRec scxSEditRepositoryDateItem{"DateEdit|Represents an edit control with a dropdown calendar"};
const TResStringRec scxSEditRepositoryHyperLinkItem{"HyperLink|Represents a text editor with hyperlink functionality"};
const TResStringRec scxSEditRepositoryImageComboBoxItem{"ImageComboBox|Represents an editor displaying the list of images and text strings within the dropdown window"};
const TResStringRec scxSEditRepositoryImageItem{"Image|Represents an image editor"};
const TResStringRec scxSEditRepositoryLookupComboBoxItem{"LookupComboBox|Represents a lookup combo box control"};
const TResStringRec scxSEditRepositoryMaskItem{"MaskEdit|Represents a generic masked edit control."};
const TResStringRec scxSEditRepositoryMemoItem{"Memo|Represents an edit control that allows editing memo data"};
const TResStringRec scxSEditRepositoryMRUItem{"MRUEdit|Represents a text editor displaying the list of most recently used items (MRU) within a dropdown window"};
const TResStringRec scxSEditRepositoryPopupItem{"PopupEdit|Represents an edit control with a dropdown list"};
const TResStringRec scxSEditRepositorySpinItem{"SpinEdit|Represents a spin editor"};
const TResStringRec scxSEditRepositoryRadioGroupItem{"RadioGroup|Represents a group of radio buttons"};
const TResStringRec scxSEditRepositoryTextItem{"TextEdit|Represents a single line text editor"};
const TResStringRec scxSEditRepositoryTimeItem{"TimeEdit|Represents an editor displaying time values"};
const TResStringRec scxRegExprLine{"Line"};
const TResStringRec scxRegExprChar{"Char"};
const TResStringRec scxRegExprNotAssignedSourceStream{"The source stream is not assigned"};
const TResStringRec scxRegExprEmptySourceStream{"The source stream is empty"};
const TResStringRec scxRegExprCantUsePlusQuantifier{"The '+' quantifier cannot be applied here"};
const TResStringRec scxRegExprCantUseStarQuantifier{"The '*' quantifier cannot be applied here"};
const TResStringRec scxRegExprCantCreateEmptyAlt{"The alternative should not be empty"};
const TResStringRec scxRegExprCantCreateEmptyBlock{"The block should not be empty"};
const TResStringRec scxRegExprIllegalSymbol{"Illegal '%s'"};
const TResStringRec scxRegExprIllegalQuantifier{"Illegal quantifier '%s'"};
const TResStringRec scxRegExprNotSupportQuantifier{"The parameter quantifiers are not supported"};
const TResStringRec scxRegExprIllegalIntegerValue{"Illegal integer value"};
const TResStringRec scxRegExprTooBigReferenceNumber{"Too big reference number"};
const TResStringRec scxRegExprCantCreateEmptyEnum{"Can't create empty enumeration"};
const TResStringRec scxRegExprSubrangeOrder{"The starting character of the subrange must be less than the finishing one"};
const TResStringRec scxRegExprHexNumberExpected0{"Hexadecimal number expected"};
const TResStringRec scxRegExprHexNumberExpected{"Hexadecimal number expected but '%s' found"};
const TResStringRec scxRegExprMissing{"Missing '%s'"};
const TResStringRec scxRegExprUnnecessary{"Unnecessary '%s'"};
const TResStringRec scxRegExprIncorrectSpace{"The space character is not allowed after '\\'"};
const TResStringRec scxRegExprNotCompiled{"Regular expression is not compiled"};
const TResStringRec scxRegExprIncorrectParameterQuantifier{"Incorrect parameter quantifier"};
const TResStringRec scxRegExprCantUseParameterQuantifier{"The parameter quantifier cannot be applied here"};
const TResStringRec scxMaskEditRegExprError{"Regular expression errors:"};
const TResStringRec scxMaskEditInvalidEditValue{"The edit value is invalid"};
const TResStringRec scxMaskEditNoMask{"None"};
const TResStringRec scxMaskEditIllegalFileFormat{"Illegal file format"};
const TResStringRec scxMaskEditEmptyMaskCollectionFile{"The mask collection file is empty"};
const TResStringRec scxMaskEditMaskCollectionFiles{"Mask collection files"};
const TResStringRec cxSSpinEditInvalidNumericValue{"Invalid numeric value"};

// "Data Filter Library"
const TResStringRec cxSFilterOperatorEqual{"equals"};
const TResStringRec cxSFilterOperatorNotEqual{"does not equal"};
const TResStringRec cxSFilterOperatorLess{"is less than"};
const TResStringRec cxSFilterOperatorLessEqual{"is less than or equal to"};
const TResStringRec cxSFilterOperatorGreater{"is greater than"};
const TResStringRec cxSFilterOperatorGreaterEqual{"is greater than or equal to"};
const TResStringRec cxSFilterOperatorLike{"like"};
const TResStringRec cxSFilterOperatorNotLike{"not like"};
const TResStringRec cxSFilterOperatorBetween{"between"};
const TResStringRec cxSFilterOperatorNotBetween{"not between"};
const TResStringRec cxSFilterOperatorInList{"in"};
const TResStringRec cxSFilterOperatorNotInList{"not in"};
const TResStringRec cxSFilterOperatorYesterday{"is yesterday"};
const TResStringRec cxSFilterOperatorToday{"is today"};
const TResStringRec cxSFilterOperatorTomorrow{"is tomorrow"};
const TResStringRec cxSFilterOperatorLast7Days{"is last 7 days"};
const TResStringRec cxSFilterOperatorLastWeek{"is last week"};
const TResStringRec cxSFilterOperatorLast14Days{"is last 14 days"};
const TResStringRec cxSFilterOperatorLastTwoWeeks{"is last two weeks"};
const TResStringRec cxSFilterOperatorLast30Days{"is last 30 days"};
const TResStringRec cxSFilterOperatorLastMonth{"is last month"};
const TResStringRec cxSFilterOperatorLastYear{"is last year"};
const TResStringRec cxSFilterOperatorPast{"is past"};
const TResStringRec cxSFilterOperatorThisWeek{"is this week"};
const TResStringRec cxSFilterOperatorThisMonth{"is this month"};
const TResStringRec cxSFilterOperatorThisYear{"is this year"};
const TResStringRec cxSFilterOperatorNext7Days{"is next 7 days"};
const TResStringRec cxSFilterOperatorNextWeek{"is next week"};
const TResStringRec cxSFilterOperatorNext14Days{"is next 14 days"};
const TResStringRec cxSFilterOperatorNextTwoWeeks{"is next two weeks"};
const TResStringRec cxSFilterOperatorNext30Days{"is next 30 days"};
const TResStringRec cxSFilterOperatorNextMonth{"is next month"};
const TResStringRec cxSFilterOperatorNextYear{"is next year"};
const TResStringRec cxSFilterOperatorFuture{"is future"};
const TResStringRec cxSFilterAndCaption{"and"};
const TResStringRec cxSFilterOrCaption{"or"};
const TResStringRec cxSFilterNotCaption{"not"};
const TResStringRec cxSFilterBlankCaption{"blank"};
const TResStringRec cxSFilterOperatorIsNull{"is blank"};
const TResStringRec cxSFilterOperatorIsNotNull{"is not blank"};
const TResStringRec cxSFilterOperatorBeginsWith{"begins with"};
const TResStringRec cxSFilterOperatorDoesNotBeginWith{"does not begin with"};
const TResStringRec cxSFilterOperatorEndsWith{"ends with"};
const TResStringRec cxSFilterOperatorDoesNotEndWith{"does not end with"};
const TResStringRec cxSFilterOperatorContains{"contains"};
const TResStringRec cxSFilterOperatorDoesNotContain{"does not contain"};
const TResStringRec cxSFilterBoxAllCaption{"(All)"};
const TResStringRec cxSFilterBoxCustomCaption{"(Custom...)"};
const TResStringRec cxSFilterBoxBlanksCaption{"(Blanks)"};
const TResStringRec cxSFilterBoxNonBlanksCaption{"(NonBlanks)"};

// "Filter Control Library"
const TResStringRec cxSFilterBoolOperatorAnd{"AND"};
const TResStringRec cxSFilterBoolOperatorOr{"OR"};
const TResStringRec cxSFilterBoolOperatorNotAnd{"NOT AND"};
const TResStringRec cxSFilterBoolOperatorNotOr{"NOT OR"};
const TResStringRec cxSFilterRootButtonCaption{"Filter"};
const TResStringRec cxSFilterAddCondition{"Add &Condition"};
const TResStringRec cxSFilterAddGroup{"Add &Group"};
const TResStringRec cxSFilterRemoveRow{"&Remove Row"};
const TResStringRec cxSFilterClearAll{"Clear &All"};
const TResStringRec cxSFilterFooterAddCondition{"press the button to add a new condition"};
const TResStringRec cxSFilterGroupCaption{"applies to the following conditions"};
const TResStringRec cxSFilterRootGroupCaption{"<root>"};
const TResStringRec cxSFilterControlNullString{"<empty>"};
const TResStringRec cxSFilterErrorBuilding{"Can't build filter from source"};
const TResStringRec cxSFilterDialogCaption{"Custom Filter"};
const TResStringRec cxSFilterDialogInvalidValue{"Invalid value"};
const TResStringRec cxSFilterDialogUse{"Use"};
const TResStringRec cxSFilterDialogSingleCharacter{"to represent any single character"};
const TResStringRec cxSFilterDialogCharactersSeries{"to represent any series of characters"};
const TResStringRec cxSFilterDialogOperationAnd{"AND"};
const TResStringRec cxSFilterDialogOperationOr{"OR"};
const TResStringRec cxSFilterDialogRows{"Show rows where:"};
const TResStringRec cxSFilterControlDialogCaption{"Filter builder"};
const TResStringRec cxSFilterControlDialogNewFile{"untitled.flt"};
const TResStringRec cxSFilterControlDialogOpenDialogCaption{"Open an existing filter"};
const TResStringRec cxSFilterControlDialogSaveDialogCaption{"Save the active filter to file"};
const TResStringRec cxSFilterControlDialogActionSaveCaption{"&Save As..."};
const TResStringRec cxSFilterControlDialogActionSaveHint{"Save As|Saves the active filter with a new name"};
const TResStringRec cxSFilterControlDialogActionOpenCaption{"&Open..."};
const TResStringRec cxSFilterControlDialogActionOpenHint{"Open|Opens an existing filter"};
const TResStringRec cxSFilterControlDialogActionApplyCaption{"&Apply"};
const TResStringRec cxSFilterControlDialogActionOkCaption{"OK"};
const TResStringRec cxSFilterControlDialogActionCancelCaption{"Cancel"};
const TResStringRec cxSFilterControlDialogFileExt{"flt"};
const TResStringRec cxSFilterControlDialogFileFilter{"Filters (*.flt)|*.flt"};

static void AddDataControllerResourceStringNames(TdxProductResourceStrings* Product) {
  Product->RecordResString("cxSDataReadError", &cxSDataReadError);
  Product->RecordResString("cxSDataWriteError", &cxSDataWriteError);
  Product->RecordResString("cxSDataItemExistError", &cxSDataItemExistError);
  Product->RecordResString("cxSDataRecordIndexError", &cxSDataRecordIndexError);
  Product->RecordResString("cxSDataItemIndexError", &cxSDataItemIndexError);
  Product->RecordResString("cxSDataProviderModeError", &cxSDataProviderModeError);
  Product->RecordResString("cxSDataInvalidStreamFormat", &cxSDataInvalidStreamFormat);
  Product->RecordResString("cxSDataRowIndexError", &cxSDataRowIndexError);
  Product->RecordResString("cxSDataCustomDataSourceInvalidCompare", &cxSDataCustomDataSourceInvalidCompare);
  Product->RecordResString("cxSDBDetailFilterControllerNotFound", &cxSDBDetailFilterControllerNotFound);
  Product->RecordResString("cxSDBNotInGridMode", &cxSDBNotInGridMode);
  Product->RecordResString("cxSDBKeyFieldNotFound", &cxSDBKeyFieldNotFound);
}

static void AddCoreResourceStringNames(TdxProductResourceStrings* Product) {
  Product->RecordResString("scxCantCreateRegistryKey", &scxCantCreateRegistryKey);
  Product->RecordResString("scxCantOpenRegistryKey", &scxCantOpenRegistryKey);
  Product->RecordResString("scxErrorStoreObject", &scxErrorStoreObject);
  Product->RecordResString("scxConverterCantCreateStyleRepository", &scxConverterCantCreateStyleRepository);
  Product->RecordResString("cxSDateToday", &cxSDateToday);
  Product->RecordResString("cxSDateYesterday", &cxSDateYesterday);
  Product->RecordResString("cxSDateTomorrow", &cxSDateTomorrow);
  Product->RecordResString("cxSDateSunday", &cxSDateSunday);
  Product->RecordResString("cxSDateMonday", &cxSDateMonday);
  Product->RecordResString("cxSDateTuesday", &cxSDateTuesday);
  Product->RecordResString("cxSDateWednesday", &cxSDateWednesday);
  Product->RecordResString("cxSDateThursday", &cxSDateThursday);
  Product->RecordResString("cxSDateFriday", &cxSDateFriday);
  Product->RecordResString("cxSDateSaturday", &cxSDateSaturday);
  Product->RecordResString("cxSDateFirst", &cxSDateFirst);
  Product->RecordResString("cxSDateSecond", &cxSDateSecond);
  Product->RecordResString("cxSDateThird", &cxSDateThird);
  Product->RecordResString("cxSDateFourth", &cxSDateFourth);
  Product->RecordResString("cxSDateFifth", &cxSDateFifth);
  Product->RecordResString("cxSDateSixth", &cxSDateSixth);
  Product->RecordResString("cxSDateSeventh", &cxSDateSeventh);
  Product->RecordResString("cxSDateBOM", &cxSDateBOM);
  Product->RecordResString("cxSDateEOM", &cxSDateEOM);
  Product->RecordResString("cxSDateNow", &cxSDateNow);
}

static void AddEditorsResourceStringNames(TdxProductResourceStrings* Product) {
  Product->RecordResString("cxSEditButtonCancel", &cxSEditButtonCancel);
  Product->RecordResString("cxSEditButtonOK", &cxSEditButtonOK);
  Product->RecordResString("cxSEditDateConvertError", &cxSEditDateConvertError);
  Product->RecordResString("cxSEditInvalidRepositoryItem", &cxSEditInvalidRepositoryItem);
  Product->RecordResString("cxSEditNumericValueConvertError", &cxSEditNumericValueConvertError);
  Product->RecordResString("cxSEditPopupCircularReferencingError", &cxSEditPopupCircularReferencingError);
  Product->RecordResString("cxSEditPostError", &cxSEditPostError);
  Product->RecordResString("cxSEditTimeConvertError", &cxSEditTimeConvertError);
  Product->RecordResString("cxSEditValidateErrorText", &cxSEditValidateErrorText);
  Product->RecordResString("cxSEditValueOutOfBounds", &cxSEditValueOutOfBounds);
  Product->RecordResString("cxSEditCheckBoxChecked", &cxSEditCheckBoxChecked);
  Product->RecordResString("cxSEditCheckBoxGrayed", &cxSEditCheckBoxGrayed);
  Product->RecordResString("cxSEditCheckBoxUnchecked", &cxSEditCheckBoxUnchecked);
  Product->RecordResString("cxSRadioGroupDefaultCaption", &cxSRadioGroupDefaultCaption);
  Product->RecordResString("cxSTextTrue", &cxSTextTrue);
  Product->RecordResString("cxSTextFalse", &cxSTextFalse);
  Product->RecordResString("cxSBlobButtonOK", &cxSBlobButtonOK);
  Product->RecordResString("cxSBlobButtonCancel", &cxSBlobButtonCancel);
  Product->RecordResString("cxSBlobButtonClose", &cxSBlobButtonClose);
  Product->RecordResString("cxSBlobMemo", &cxSBlobMemo);
  Product->RecordResString("cxSBlobMemoEmpty", &cxSBlobMemoEmpty);
  Product->RecordResString("cxSBlobPicture", &cxSBlobPicture);
  Product->RecordResString("cxSBlobPictureEmpty", &cxSBlobPictureEmpty);
  Product->RecordResString("cxSMenuItemCaptionCut", &cxSMenuItemCaptionCut);
  Product->RecordResString("cxSMenuItemCaptionCopy", &cxSMenuItemCaptionCopy);
  Product->RecordResString("cxSMenuItemCaptionPaste", &cxSMenuItemCaptionPaste);
  Product->RecordResString("cxSMenuItemCaptionDelete", &cxSMenuItemCaptionDelete);
  Product->RecordResString("cxSMenuItemCaptionLoad", &cxSMenuItemCaptionLoad);
  Product->RecordResString("cxSMenuItemCaptionSave", &cxSMenuItemCaptionSave);
  Product->RecordResString("cxSDatePopupClear", &cxSDatePopupClear);
  Product->RecordResString("cxSDatePopupNow", &cxSDatePopupNow);
  Product->RecordResString("cxSDatePopupOK", &cxSDatePopupOK);
  Product->RecordResString("cxSDatePopupToday", &cxSDatePopupToday);
  Product->RecordResString("cxSDateError", &cxSDateError);
  Product->RecordResString("scxSCalcError", &scxSCalcError);
  Product->RecordResString("scxSHyperLinkPrefix", &scxSHyperLinkPrefix);
  Product->RecordResString("scxSHyperLinkDoubleSlash", &scxSHyperLinkDoubleSlash);
  Product->RecordResString("cxNavigatorHint_First", &cxNavigatorHint_First);
  Product->RecordResString("cxNavigatorHint_Prior", &cxNavigatorHint_Prior);
  Product->RecordResString("cxNavigatorHint_PriorPage", &cxNavigatorHint_PriorPage);
  Product->RecordResString("cxNavigatorHint_Next", &cxNavigatorHint_Next);
  Product->RecordResString("cxNavigatorHint_NextPage", &cxNavigatorHint_NextPage);
  Product->RecordResString("cxNavigatorHint_Last", &cxNavigatorHint_Last);
  Product->RecordResString("cxNavigatorHint_Insert", &cxNavigatorHint_Insert);
  Product->RecordResString("cxNavigatorHint_Append", &cxNavigatorHint_Append);
  Product->RecordResString("cxNavigatorHint_Delete", &cxNavigatorHint_Delete);
  Product->RecordResString("cxNavigatorHint_Edit", &cxNavigatorHint_Edit);
  Product->RecordResString("cxNavigatorHint_Post", &cxNavigatorHint_Post);
  Product->RecordResString("cxNavigatorHint_Cancel", &cxNavigatorHint_Cancel);
  Product->RecordResString("cxNavigatorHint_Refresh", &cxNavigatorHint_Refresh);
  Product->RecordResString("cxNavigatorHint_SaveBookmark", &cxNavigatorHint_SaveBookmark);
  Product->RecordResString("cxNavigatorHint_GotoBookmark", &cxNavigatorHint_GotoBookmark);
  Product->RecordResString("cxNavigatorHint_Filter", &cxNavigatorHint_Filter);
  Product->RecordResString("cxNavigator_DeleteRecordQuestion", &cxNavigator_DeleteRecordQuestion);
  Product->RecordResString("scxSEditRepositoryBlobItem", &scxSEditRepositoryBlobItem);
  Product->RecordResString("scxSEditRepositoryButtonItem", &scxSEditRepositoryButtonItem);
  Product->RecordResString("scxSEditRepositoryCalcItem", &scxSEditRepositoryCalcItem);
  Product->RecordResString("scxSEditRepositoryCheckBoxItem", &scxSEditRepositoryCheckBoxItem);
  Product->RecordResString("scxSEditRepositoryComboBoxItem", &scxSEditRepositoryComboBoxItem);
  Product->RecordResString("scxSEditRepositoryCurrencyItem", &scxSEditRepositoryCurrencyItem);
  Product->RecordResString("scxSEditRepositoryDateItem", &scxSEditRepositoryDateItem);
  Product->RecordResString("scxSEditRepositoryHyperLinkItem", &scxSEditRepositoryHyperLinkItem);
  Product->RecordResString("scxSEditRepositoryImageComboBoxItem", &scxSEditRepositoryImageComboBoxItem);
  Product->RecordResString("scxSEditRepositoryImageItem", &scxSEditRepositoryImageItem);
  Product->RecordResString("scxSEditRepositoryLookupComboBoxItem", &scxSEditRepositoryLookupComboBoxItem);
  Product->RecordResString("scxSEditRepositoryMaskItem", &scxSEditRepositoryMaskItem);
  Product->RecordResString("scxSEditRepositoryMemoItem", &scxSEditRepositoryMemoItem);
  Product->RecordResString("scxSEditRepositoryMRUItem", &scxSEditRepositoryMRUItem);
  Product->RecordResString("scxSEditRepositoryPopupItem", &scxSEditRepositoryPopupItem);
  Product->RecordResString("scxSEditRepositorySpinItem", &scxSEditRepositorySpinItem);
  Product->RecordResString("scxSEditRepositoryRadioGroupItem", &scxSEditRepositoryRadioGroupItem);
  Product->RecordResString("scxSEditRepositoryTextItem", &scxSEditRepositoryTextItem);
  Product->RecordResString("scxSEditRepositoryTimeItem", &scxSEditRepositoryTimeItem);
  Product->RecordResString("scxRegExprLine", &scxRegExprLine);
  Product->RecordResString("scxRegExprChar", &scxRegExprChar);
  Product->RecordResString("scxRegExprNotAssignedSourceStream", &scxRegExprNotAssignedSourceStream);
  Product->RecordResString("scxRegExprEmptySourceStream", &scxRegExprEmptySourceStream);
  Product->RecordResString("scxRegExprCantUsePlusQuantifier", &scxRegExprCantUsePlusQuantifier);
  Product->RecordResString("scxRegExprCantUseStarQuantifier", &scxRegExprCantUseStarQuantifier);
  Product->RecordResString("scxRegExprCantCreateEmptyAlt", &scxRegExprCantCreateEmptyAlt);
  Product->RecordResString("scxRegExprCantCreateEmptyBlock", &scxRegExprCantCreateEmptyBlock);
  Product->RecordResString("scxRegExprIllegalSymbol", &scxRegExprIllegalSymbol);
  Product->RecordResString("scxRegExprIllegalQuantifier", &scxRegExprIllegalQuantifier);
  Product->RecordResString("scxRegExprNotSupportQuantifier", &scxRegExprNotSupportQuantifier);
  Product->RecordResString("scxRegExprIllegalIntegerValue", &scxRegExprIllegalIntegerValue);
  Product->RecordResString("scxRegExprTooBigReferenceNumber", &scxRegExprTooBigReferenceNumber);
  Product->RecordResString("scxRegExprCantCreateEmptyEnum", &scxRegExprCantCreateEmptyEnum);
  Product->RecordResString("scxRegExprSubrangeOrder", &scxRegExprSubrangeOrder);
  Product->RecordResString("scxRegExprHexNumberExpected0", &scxRegExprHexNumberExpected0);
  Product->RecordResString("scxRegExprHexNumberExpected", &scxRegExprHexNumberExpected);
  Product->RecordResString("scxRegExprMissing", &scxRegExprMissing);
  Product->RecordResString("scxRegExprUnnecessary", &scxRegExprUnnecessary);
  Product->RecordResString("scxRegExprIncorrectSpace", &scxRegExprIncorrectSpace);
  Product->RecordResString("scxRegExprNotCompiled", &scxRegExprNotCompiled);
  Product->RecordResString("scxRegExprIncorrectParameterQuantifier", &scxRegExprIncorrectParameterQuantifier);
  Product->RecordResString("scxRegExprCantUseParameterQuantifier", &scxRegExprCantUseParameterQuantifier);
  Product->RecordResString("scxMaskEditRegExprError", &scxMaskEditRegExprError);
  Product->RecordResString("scxMaskEditInvalidEditValue", &scxMaskEditInvalidEditValue);
  Product->RecordResString("scxMaskEditNoMask", &scxMaskEditNoMask);
  Product->RecordResString("scxMaskEditIllegalFileFormat", &scxMaskEditIllegalFileFormat);
  Product->RecordResString("scxMaskEditEmptyMaskCollectionFile", &scxMaskEditEmptyMaskCollectionFile);
  Product->RecordResString("scxMaskEditMaskCollectionFiles", &scxMaskEditMaskCollectionFiles);
  Product->RecordResString("cxSSpinEditInvalidNumericValue", &cxSSpinEditInvalidNumericValue);
}

static void AddDataFilterResourceStringNames(TdxProductResourceStrings* Product) {
  Product->RecordResString("cxSFilterOperatorEqual", &cxSFilterOperatorEqual);
  Product->RecordResString("cxSFilterOperatorNotEqual", &cxSFilterOperatorNotEqual);
  Product->RecordResString("cxSFilterOperatorLess", &cxSFilterOperatorLess);
  Product->RecordResString("cxSFilterOperatorLessEqual", &cxSFilterOperatorLessEqual);
  Product->RecordResString("cxSFilterOperatorGreater", &cxSFilterOperatorGreater);
  Product->RecordResString("cxSFilterOperatorGreaterEqual", &cxSFilterOperatorGreaterEqual);
  Product->RecordResString("cxSFilterOperatorLike", &cxSFilterOperatorLike);
  Product->RecordResString("cxSFilterOperatorNotLike", &cxSFilterOperatorNotLike);
  Product->RecordResString("cxSFilterOperatorBetween", &cxSFilterOperatorBetween);
  Product->RecordResString("cxSFilterOperatorNotBetween", &cxSFilterOperatorNotBetween);
  Product->RecordResString("cxSFilterOperatorInList", &cxSFilterOperatorInList);
  Product->RecordResString("cxSFilterOperatorNotInList", &cxSFilterOperatorNotInList);
  Product->RecordResString("cxSFilterOperatorYesterday", &cxSFilterOperatorYesterday);
  Product->RecordResString("cxSFilterOperatorToday", &cxSFilterOperatorToday);
  Product->RecordResString("cxSFilterOperatorTomorrow", &cxSFilterOperatorTomorrow);
  Product->RecordResString("cxSFilterOperatorLast7Days", &cxSFilterOperatorLast7Days);
  Product->RecordResString("cxSFilterOperatorLastWeek", &cxSFilterOperatorLastWeek);
  Product->RecordResString("cxSFilterOperatorLast14Days", &cxSFilterOperatorLast14Days);
  Product->RecordResString("cxSFilterOperatorLastTwoWeeks", &cxSFilterOperatorLastTwoWeeks);
  Product->RecordResString("cxSFilterOperatorLast30Days", &cxSFilterOperatorLast30Days);
  Product->RecordResString("cxSFilterOperatorLastMonth", &cxSFilterOperatorLastMonth);
  Product->RecordResString("cxSFilterOperatorLastYear", &cxSFilterOperatorLastYear);
  Product->RecordResString("cxSFilterOperatorPast", &cxSFilterOperatorPast);
  Product->RecordResString("cxSFilterOperatorThisWeek", &cxSFilterOperatorThisWeek);
  Product->RecordResString("cxSFilterOperatorThisMonth", &cxSFilterOperatorThisMonth);
  Product->RecordResString("cxSFilterOperatorThisYear", &cxSFilterOperatorThisYear);
  Product->RecordResString("cxSFilterOperatorNext7Days", &cxSFilterOperatorNext7Days);
  Product->RecordResString("cxSFilterOperatorNextWeek", &cxSFilterOperatorNextWeek);
  Product->RecordResString("cxSFilterOperatorNext14Days", &cxSFilterOperatorNext14Days);
  Product->RecordResString("cxSFilterOperatorNextTwoWeeks", &cxSFilterOperatorNextTwoWeeks);
  Product->RecordResString("cxSFilterOperatorNext30Days", &cxSFilterOperatorNext30Days);
  Product->RecordResString("cxSFilterOperatorNextMonth", &cxSFilterOperatorNextMonth);
  Product->RecordResString("cxSFilterOperatorNextYear", &cxSFilterOperatorNextYear);
  Product->RecordResString("cxSFilterOperatorFuture", &cxSFilterOperatorFuture);
  Product->RecordResString("cxSFilterAndCaption", &cxSFilterAndCaption);
  Product->RecordResString("cxSFilterOrCaption", &cxSFilterOrCaption);
  Product->RecordResString("cxSFilterNotCaption", &cxSFilterNotCaption);
  Product->RecordResString("cxSFilterBlankCaption", &cxSFilterBlankCaption);
  Product->RecordResString("cxSFilterOperatorIsNull", &cxSFilterOperatorIsNull);
  Product->RecordResString("cxSFilterOperatorIsNotNull", &cxSFilterOperatorIsNotNull);
  Product->RecordResString("cxSFilterOperatorBeginsWith", &cxSFilterOperatorBeginsWith);
  Product->RecordResString("cxSFilterOperatorDoesNotBeginWith", &cxSFilterOperatorDoesNotBeginWith);
  Product->RecordResString("cxSFilterOperatorEndsWith", &cxSFilterOperatorEndsWith);
  Product->RecordResString("cxSFilterOperatorDoesNotEndWith", &cxSFilterOperatorDoesNotEndWith);
  Product->RecordResString("cxSFilterOperatorContains", &cxSFilterOperatorContains);
  Product->RecordResString("cxSFilterOperatorDoesNotContain", &cxSFilterOperatorDoesNotContain);
  Product->RecordResString("cxSFilterBoxAllCaption", &cxSFilterBoxAllCaption);
  Product->RecordResString("cxSFilterBoxCustomCaption", &cxSFilterBoxCustomCaption);
  Product->RecordResString("cxSFilterBoxBlanksCaption", &cxSFilterBoxBlanksCaption);
  Product->RecordResString("cxSFilterBoxNonBlanksCaption", &cxSFilterBoxNonBlanksCaption);
}

static void AddFilterControlResourceStringNames(TdxProductResourceStrings* Product) {
  Product->RecordResString("cxSFilterBoolOperatorAnd", &cxSFilterBoolOperatorAnd);
  Product->RecordResString("cxSFilterBoolOperatorOr", &cxSFilterBoolOperatorOr);
  Product->RecordResString("cxSFilterBoolOperatorNotAnd", &cxSFilterBoolOperatorNotAnd);
  Product->RecordResString("cxSFilterBoolOperatorNotOr", &cxSFilterBoolOperatorNotOr);
  Product->RecordResString("cxSFilterRootButtonCaption", &cxSFilterRootButtonCaption);
  Product->RecordResString("cxSFilterAddCondition", &cxSFilterAddCondition);
  Product->RecordResString("cxSFilterAddGroup", &cxSFilterAddGroup);
  Product->RecordResString("cxSFilterRemoveRow", &cxSFilterRemoveRow);
  Product->RecordResString("cxSFilterClearAll", &cxSFilterClearAll);
  Product->RecordResString("cxSFilterFooterAddCondition", &cxSFilterFooterAddCondition);
  Product->RecordResString("cxSFilterGroupCaption", &cxSFilterGroupCaption);
  Product->RecordResString("cxSFilterRootGroupCaption", &cxSFilterRootGroupCaption);
  Product->RecordResString("cxSFilterControlNullString", &cxSFilterControlNullString);
  Product->RecordResString("cxSFilterErrorBuilding", &cxSFilterErrorBuilding);
  Product->RecordResString("cxSFilterDialogCaption", &cxSFilterDialogCaption);
  Product->RecordResString("cxSFilterDialogInvalidValue", &cxSFilterDialogInvalidValue);
  Product->RecordResString("cxSFilterDialogUse", &cxSFilterDialogUse);
  Product->RecordResString("cxSFilterDialogSingleCharacter", &cxSFilterDialogSingleCharacter);
  Product->RecordResString("cxSFilterDialogCharactersSeries", &cxSFilterDialogCharactersSeries);
  Product->RecordResString("cxSFilterDialogOperationAnd", &cxSFilterDialogOperationAnd);
  Product->RecordResString("cxSFilterDialogOperationOr", &cxSFilterDialogOperationOr);
  Product->RecordResString("cxSFilterDialogRows", &cxSFilterDialogRows);
  Product->RecordResString("cxSFilterControlDialogCaption", &cxSFilterControlDialogCaption);
  Product->RecordResString("cxSFilterControlDialogNewFile", &cxSFilterControlDialogNewFile);
  Product->RecordResString("cxSFilterControlDialogOpenDialogCaption", &cxSFilterControlDialogOpenDialogCaption);
  Product->RecordResString("cxSFilterControlDialogSaveDialogCaption", &cxSFilterControlDialogSaveDialogCaption);
  Product->RecordResString("cxSFilterControlDialogActionSaveCaption", &cxSFilterControlDialogActionSaveCaption);
  Product->RecordResString("cxSFilterControlDialogActionSaveHint", &cxSFilterControlDialogActionSaveHint);
  Product->RecordResString("cxSFilterControlDialogActionOpenCaption", &cxSFilterControlDialogActionOpenCaption);
  Product->RecordResString("cxSFilterControlDialogActionOpenHint", &cxSFilterControlDialogActionOpenHint);
  Product->RecordResString("cxSFilterControlDialogActionApplyCaption", &cxSFilterControlDialogActionApplyCaption);
  Product->RecordResString("cxSFilterControlDialogActionOkCaption", &cxSFilterControlDialogActionOkCaption);
  Product->RecordResString("cxSFilterControlDialogActionCancelCaption", &cxSFilterControlDialogActionCancelCaption);
  Product->RecordResString("cxSFilterControlDialogFileExt", &cxSFilterControlDialogFileExt);
  Product->RecordResString("cxSFilterControlDialogFileFilter", &cxSFilterControlDialogFileFilter);
}

}  // namespace cxLibraryStrings

const char* const cxLibraryStringProducts[5] = {"Data Controller Library", "Core Library", "Editors Library",
                                                "Data Filter Library", "Filter Control Library"};

namespace {

using namespace cxLibraryStrings;

const TdxProductResourceStringsFillProc kFillProcs[5] = {
    AddDataControllerResourceStringNames, AddCoreResourceStringNames, AddEditorsResourceStringNames,
    AddDataFilterResourceStringNames, AddFilterControlResourceStringNames};

bool& Registered() {
  static bool registered = false;
  return registered;
}

std::map<String, String>& Replacements() {
  static std::map<String, String> replacements;
  return replacements;
}

// The identifier a record is listed under, found through the repository's products.
bool FindIdentifier(PResStringRec ResString, String& Identifier) {
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  if (!repository) return false;
  for (int p = 0; p < repository->ProductCount(); ++p) {
    TdxProductResourceStrings* product = repository->ProductAt(p);
    for (int i = 0; i < product->ResStringCount(); ++i)
      if (product->ResStringAt(i) == ResString) {
        Identifier = product->ResStringNameAt(i);
        return true;
      }
  }
  return false;
}

void NotifyRepositoryListeners() {
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  if (!repository) return;
  // A listener may detach itself while it hears the news.
  for (int i = repository->ListenerCount() - 1; i >= 0; --i)
    if (i < repository->ListenerCount()) repository->ListenerAt(i)->TranslationChanged();
}

// Unit start-up and shutdown.
struct TLibraryStringsUnit {
  TLibraryStringsUnit() { RegisterLibraryStrings(); }
  ~TLibraryStringsUnit() { UnregisterLibraryStrings(); }
} LibraryStringsUnit;

}  // namespace

void RegisterLibraryStrings() {
  if (Registered()) return;
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  if (!repository) return;
  for (int i = 0; i < 5; ++i) repository->AddProduct(cxLibraryStringProducts[i], kFillProcs[i]);
  Registered() = true;
}

void UnregisterLibraryStrings() {
  if (!Registered()) return;
  Registered() = false;
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  if (!repository) return;
  for (int i = 4; i >= 0; --i) repository->RemoveProduct(cxLibraryStringProducts[i]);
}

String cxGetResourceString(const TResStringRec& ResString) {
  if (!Replacements().empty()) {
    String identifier;
    if (FindIdentifier(&ResString, identifier)) {
      auto it = Replacements().find(identifier);
      if (it != Replacements().end()) return it->second;
    }
  }
  return GetLocalizedResString(ResString);
}

void cxSetResourceStringReplacement(const String& Identifier, const String& Text) {
  Replacements()[Identifier] = Text;
  NotifyRepositoryListeners();
}

void cxRemoveResourceStringReplacement(const String& Identifier) {
  if (Replacements().erase(Identifier)) NotifyRepositoryListeners();
}
