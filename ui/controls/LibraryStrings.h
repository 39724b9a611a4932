#pragma once
// The localizable messages, captions and words of the data, core, editor, filter and filter-control
// units, as resource strings. Each product lists them in the resource-string repository under its
// title; a text supplied at run time for an identifier (a translation) replaces the compiled one
// wherever the library reads the message through cxGetResourceString.
//
// The records live in a namespace of their own: a few identifiers are also the names of plain
// message constants elsewhere in the library.
#include "ui/foundation/ResourceStrings.h"

namespace cxLibraryStrings {

// "Data Controller Library"
extern const TResStringRec cxSDataReadError;
extern const TResStringRec cxSDataWriteError;
extern const TResStringRec cxSDataItemExistError;
extern const TResStringRec cxSDataRecordIndexError;
extern const TResStringRec cxSDataItemIndexError;
extern const TResStringRec cxSDataProviderModeError;
extern const TResStringRec cxSDataInvalidStreamFormat;
extern const TResStringRec cxSDataRowIndexError;
extern const TResStringRec cxSDataCustomDataSourceInvalidCompare;
extern const TResStringRec cxSDBDetailFilterControllerNotFound;
extern const TResStringRec cxSDBNotInGridMode;
extern const TResStringRec cxSDBKeyFieldNotFound;

// "Core Library"
extern const TResStringRec scxCantCreateRegistryKey;
extern const TResStringRec scxCantOpenRegistryKey;
extern const TResStringRec scxErrorStoreObject;
extern const TResStringRec scxConverterCantCreateStyleRepository;
extern const TResStringRec cxSDateToday;
extern const TResStringRec cxSDateYesterday;
extern const TResStringRec cxSDateTomorrow;
extern const TResStringRec cxSDateSunday;
extern const TResStringRec cxSDateMonday;
extern const TResStringRec cxSDateTuesday;
extern const TResStringRec cxSDateWednesday;
extern const TResStringRec cxSDateThursday;
extern const TResStringRec cxSDateFriday;
extern const TResStringRec cxSDateSaturday;
extern const TResStringRec cxSDateFirst;
extern const TResStringRec cxSDateSecond;
extern const TResStringRec cxSDateThird;
extern const TResStringRec cxSDateFourth;
extern const TResStringRec cxSDateFifth;
extern const TResStringRec cxSDateSixth;
extern const TResStringRec cxSDateSeventh;
extern const TResStringRec cxSDateBOM;
extern const TResStringRec cxSDateEOM;
extern const TResStringRec cxSDateNow;

// "Editors Library"
extern const TResStringRec cxSEditButtonCancel;
extern const TResStringRec cxSEditButtonOK;
extern const TResStringRec cxSEditDateConvertError;
extern const TResStringRec cxSEditInvalidRepositoryItem;
extern const TResStringRec cxSEditNumericValueConvertError;
extern const TResStringRec cxSEditPopupCircularReferencingError;
extern const TResStringRec cxSEditPostError;
extern const TResStringRec cxSEditTimeConvertError;
extern const TResStringRec cxSEditValidateErrorText;
extern const TResStringRec cxSEditValueOutOfBounds;
extern const TResStringRec cxSEditCheckBoxChecked;
extern const TResStringRec cxSEditCheckBoxGrayed;
extern const TResStringRec cxSEditCheckBoxUnchecked;
extern const TResStringRec cxSRadioGroupDefaultCaption;
extern const TResStringRec cxSTextTrue;
extern const TResStringRec cxSTextFalse;
extern const TResStringRec cxSBlobButtonOK;
extern const TResStringRec cxSBlobButtonCancel;
extern const TResStringRec cxSBlobButtonClose;
extern const TResStringRec cxSBlobMemo;
extern const TResStringRec cxSBlobMemoEmpty;
extern const TResStringRec cxSBlobPicture;
extern const TResStringRec cxSBlobPictureEmpty;
extern const TResStringRec cxSMenuItemCaptionCut;
extern const TResStringRec cxSMenuItemCaptionCopy;
extern const TResStringRec cxSMenuItemCaptionPaste;
extern const TResStringRec cxSMenuItemCaptionDelete;
extern const TResStringRec cxSMenuItemCaptionLoad;
extern const TResStringRec cxSMenuItemCaptionSave;
extern const TResStringRec cxSDatePopupClear;
extern const TResStringRec cxSDatePopupNow;
extern const TResStringRec cxSDatePopupOK;
extern const TResStringRec cxSDatePopupToday;
extern const TResStringRec cxSDateError;
extern const TResStringRec scxSCalcError;
extern const TResStringRec scxSHyperLinkPrefix;
extern const TResStringRec scxSHyperLinkDoubleSlash;
extern const TResStringRec cxNavigatorHint_First;
extern const TResStringRec cxNavigatorHint_Prior;
extern const TResStringRec cxNavigatorHint_PriorPage;
extern const TResStringRec cxNavigatorHint_Next;
extern const TResStringRec cxNavigatorHint_NextPage;
extern const TResStringRec cxNavigatorHint_Last;
extern const TResStringRec cxNavigatorHint_Insert;
extern const TResStringRec cxNavigatorHint_Append;
extern const TResStringRec cxNavigatorHint_Delete;
extern const TResStringRec cxNavigatorHint_Edit;
extern const TResStringRec cxNavigatorHint_Post;
extern const TResStringRec cxNavigatorHint_Cancel;
extern const TResStringRec cxNavigatorHint_Refresh;
extern const TResStringRec cxNavigatorHint_SaveBookmark;
extern const TResStringRec cxNavigatorHint_GotoBookmark;
extern const TResStringRec cxNavigatorHint_Filter;
extern const TResStringRec cxNavigator_DeleteRecordQuestion;
extern const TResStringRec scxSEditRepositoryBlobItem;
extern const TResStringRec scxSEditRepositoryButtonItem;
extern const TResStringRec scxSEditRepositoryCalcItem;
extern const TResStringRec scxSEditRepositoryCheckBoxItem;
extern const TResStringRec scxSEditRepositoryComboBoxItem;
extern const TResStringRec scxSEditRepositoryCurrencyItem;
extern const TResStringRec scxSEditRepositoryDateItem;
extern const TResStringRec scxSEditRepositoryHyperLinkItem;
extern const TResStringRec scxSEditRepositoryImageComboBoxItem;
extern const TResStringRec scxSEditRepositoryImageItem;
extern const TResStringRec scxSEditRepositoryLookupComboBoxItem;
extern const TResStringRec scxSEditRepositoryMaskItem;
extern const TResStringRec scxSEditRepositoryMemoItem;
extern const TResStringRec scxSEditRepositoryMRUItem;
extern const TResStringRec scxSEditRepositoryPopupItem;
extern const TResStringRec scxSEditRepositorySpinItem;
extern const TResStringRec scxSEditRepositoryRadioGroupItem;
extern const TResStringRec scxSEditRepositoryTextItem;
extern const TResStringRec scxSEditRepositoryTimeItem;
extern const TResStringRec scxRegExprLine;
extern const TResStringRec scxRegExprChar;
extern const TResStringRec scxRegExprNotAssignedSourceStream;
extern const TResStringRec scxRegExprEmptySourceStream;
extern const TResStringRec scxRegExprCantUsePlusQuantifier;
extern const TResStringRec scxRegExprCantUseStarQuantifier;
extern const TResStringRec scxRegExprCantCreateEmptyAlt;
extern const TResStringRec scxRegExprCantCreateEmptyBlock;
extern const TResStringRec scxRegExprIllegalSymbol;
extern const TResStringRec scxRegExprIllegalQuantifier;
extern const TResStringRec scxRegExprNotSupportQuantifier;
extern const TResStringRec scxRegExprIllegalIntegerValue;
extern const TResStringRec scxRegExprTooBigReferenceNumber;
extern const TResStringRec scxRegExprCantCreateEmptyEnum;
extern const TResStringRec scxRegExprSubrangeOrder;
extern const TResStringRec scxRegExprHexNumberExpected0;
extern const TResStringRec scxRegExprHexNumberExpected;
extern const TResStringRec scxRegExprMissing;
extern const TResStringRec scxRegExprUnnecessary;
extern const TResStringRec scxRegExprIncorrectSpace;
extern const TResStringRec scxRegExprNotCompiled;
extern const TResStringRec scxRegExprIncorrectParameterQuantifier;
extern const TResStringRec scxRegExprCantUseParameterQuantifier;
extern const TResStringRec scxMaskEditRegExprError;
extern const TResStringRec scxMaskEditInvalidEditValue;
extern const TResStringRec scxMaskEditNoMask;
extern const TResStringRec scxMaskEditIllegalFileFormat;
extern const TResStringRec scxMaskEditEmptyMaskCollectionFile;
extern const TResStringRec scxMaskEditMaskCollectionFiles;
extern const TResStringRec cxSSpinEditInvalidNumericValue;

// "Data Filter Library"
extern const TResStringRec cxSFilterOperatorEqual;
extern const TResStringRec cxSFilterOperatorNotEqual;
extern const TResStringRec cxSFilterOperatorLess;
extern const TResStringRec cxSFilterOperatorLessEqual;
extern const TResStringRec cxSFilterOperatorGreater;
extern const TResStringRec cxSFilterOperatorGreaterEqual;
extern const TResStringRec cxSFilterOperatorLike;
extern const TResStringRec cxSFilterOperatorNotLike;
extern const TResStringRec cxSFilterOperatorBetween;
extern const TResStringRec cxSFilterOperatorNotBetween;
extern const TResStringRec cxSFilterOperatorInList;
extern const TResStringRec cxSFilterOperatorNotInList;
extern const TResStringRec cxSFilterOperatorYesterday;
extern const TResStringRec cxSFilterOperatorToday;
extern const TResStringRec cxSFilterOperatorTomorrow;
extern const TResStringRec cxSFilterOperatorLast7Days;
extern const TResStringRec cxSFilterOperatorLastWeek;
extern const TResStringRec cxSFilterOperatorLast14Days;
extern const TResStringRec cxSFilterOperatorLastTwoWeeks;
extern const TResStringRec cxSFilterOperatorLast30Days;
extern const TResStringRec cxSFilterOperatorLastMonth;
extern const TResStringRec cxSFilterOperatorLastYear;
extern const TResStringRec cxSFilterOperatorPast;
extern const TResStringRec cxSFilterOperatorThisWeek;
extern const TResStringRec cxSFilterOperatorThisMonth;
extern const TResStringRec cxSFilterOperatorThisYear;
extern const TResStringRec cxSFilterOperatorNext7Days;
extern const TResStringRec cxSFilterOperatorNextWeek;
extern const TResStringRec cxSFilterOperatorNext14Days;
extern const TResStringRec cxSFilterOperatorNextTwoWeeks;
extern const TResStringRec cxSFilterOperatorNext30Days;
extern const TResStringRec cxSFilterOperatorNextMonth;
extern const TResStringRec cxSFilterOperatorNextYear;
extern const TResStringRec cxSFilterOperatorFuture;
extern const TResStringRec cxSFilterAndCaption;
extern const TResStringRec cxSFilterOrCaption;
extern const TResStringRec cxSFilterNotCaption;
extern const TResStringRec cxSFilterBlankCaption;
extern const TResStringRec cxSFilterOperatorIsNull;
extern const TResStringRec cxSFilterOperatorIsNotNull;
extern const TResStringRec cxSFilterOperatorBeginsWith;
extern const TResStringRec cxSFilterOperatorDoesNotBeginWith;
extern const TResStringRec cxSFilterOperatorEndsWith;
extern const TResStringRec cxSFilterOperatorDoesNotEndWith;
extern const TResStringRec cxSFilterOperatorContains;
extern const TResStringRec cxSFilterOperatorDoesNotContain;
extern const TResStringRec cxSFilterBoxAllCaption;
extern const TResStringRec cxSFilterBoxCustomCaption;
extern const TResStringRec cxSFilterBoxBlanksCaption;
extern const TResStringRec cxSFilterBoxNonBlanksCaption;

// "Filter Control Library"
extern const TResStringRec cxSFilterBoolOperatorAnd;
extern const TResStringRec cxSFilterBoolOperatorOr;
extern const TResStringRec cxSFilterBoolOperatorNotAnd;
extern const TResStringRec cxSFilterBoolOperatorNotOr;
extern const TResStringRec cxSFilterRootButtonCaption;
extern const TResStringRec cxSFilterAddCondition;
extern const TResStringRec cxSFilterAddGroup;
extern const TResStringRec cxSFilterRemoveRow;
extern const TResStringRec cxSFilterClearAll;
extern const TResStringRec cxSFilterFooterAddCondition;
extern const TResStringRec cxSFilterGroupCaption;
extern const TResStringRec cxSFilterRootGroupCaption;
extern const TResStringRec cxSFilterControlNullString;
extern const TResStringRec cxSFilterErrorBuilding;
extern const TResStringRec cxSFilterDialogCaption;
extern const TResStringRec cxSFilterDialogInvalidValue;
extern const TResStringRec cxSFilterDialogUse;
extern const TResStringRec cxSFilterDialogSingleCharacter;
extern const TResStringRec cxSFilterDialogCharactersSeries;
extern const TResStringRec cxSFilterDialogOperationAnd;
extern const TResStringRec cxSFilterDialogOperationOr;
extern const TResStringRec cxSFilterDialogRows;
extern const TResStringRec cxSFilterControlDialogCaption;
extern const TResStringRec cxSFilterControlDialogNewFile;
extern const TResStringRec cxSFilterControlDialogOpenDialogCaption;
extern const TResStringRec cxSFilterControlDialogSaveDialogCaption;
extern const TResStringRec cxSFilterControlDialogActionSaveCaption;
extern const TResStringRec cxSFilterControlDialogActionSaveHint;
extern const TResStringRec cxSFilterControlDialogActionOpenCaption;
extern const TResStringRec cxSFilterControlDialogActionOpenHint;
extern const TResStringRec cxSFilterControlDialogActionApplyCaption;
extern const TResStringRec cxSFilterControlDialogActionOkCaption;
extern const TResStringRec cxSFilterControlDialogActionCancelCaption;
extern const TResStringRec cxSFilterControlDialogFileExt;
extern const TResStringRec cxSFilterControlDialogFileFilter;

}  // namespace cxLibraryStrings

// The five product titles, in the order their units start.
extern const char* const cxLibraryStringProducts[5];
// Lists the five products in the repository; runs at start-up, again only after the removal.
void RegisterLibraryStrings();
// Takes them out again, at shutdown.
void UnregisterLibraryStrings();

// The text of a message: the replacement supplied for its identifier when there is one, else the
// compiled text.
String cxGetResourceString(const TResStringRec& ResString);
// Supplies a replacement text for an identifier (or removes it) and tells the repository's
// listeners, which rebuild whatever they made from the library's texts.
void cxSetResourceStringReplacement(const String& Identifier, const String& Text);
void cxRemoveResourceStringReplacement(const String& Identifier);
