#pragma once
// The "Customize" dialog a bar manager shows while it is in customizing mode: its toolbars,
// categories and commands, the user options, and at design time the categories, commands and
// item groups. TdxBarCustomCustomizationForm holds what every such dialog shares (its own bar
// manager, actions, popup menus and the list machinery); TdxBarCustomizationForm is the concrete
// dialog with its pages. One dialog is open at a time, whichever manager opened it.
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/ComCtrls.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/ImageList.h"
#include "platform/classes/StdCtrls.h"
#include "ui/bars/BarManager.h"

class TdxBarButton;
class TdxBarCombo;
class TdxBarPopupMenu;
class TdxBar;

// The dialog's private message that refreshes one of its lists (wParam: the list box) once the
// changes of one step are over.
constexpr win::UINT DXM_BAR_REFRESHLIST = 0x80CC;
// The lists' own messages: fill (wParam: one changed object, lParam its index), re-read the
// selection from the designer, update the actions.
constexpr win::UINT DXM_BAR_FILLLIST = 0x80C9;
constexpr win::UINT DXM_BAR_SYNCSELECTION = 0x80CA;
constexpr win::UINT DXM_BAR_UPDATEACTIONS = 0x80CB;

class TdxBarCustomCustomizationForm : public TForm {
  VW_CLASS(TdxBarCustomCustomizationForm, TForm)
 public:
  using CreateArgType = TdxBarManager;
  // Made without owner, for the manager it customizes.
  explicit TdxBarCustomCustomizationForm(TdxBarManager* ABarManager);
  ~TdxBarCustomCustomizationForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TdxBarManager* BarManager() const { return FBarManager; }

  // From the form description.
  TImageList* imgGroups = nullptr;
  TActionList* alCustomize = nullptr;
  TAction *aNewToolBar = nullptr, *aRenameToolBar = nullptr, *aDeleteToolBar = nullptr, *aResetToolBar = nullptr;
  TAction *aAddItem = nullptr, *aDeleteItem = nullptr, *aMoveUpItem = nullptr, *aMoveDownItem = nullptr;
  TAction *aSubMenuEditor = nullptr, *aClearItemList = nullptr;
  TdxBarManager* BarManager1 = nullptr;
  TdxBarPopupMenu *CategoriesPopupMenu = nullptr, *CommandsPopupMenu = nullptr;
  TdxBarButton *CategoriesAdd = nullptr, *CategoriesInsert = nullptr, *CategoriesRename = nullptr;
  TdxBarButton *CategoriesVisible = nullptr, *CategoriesDelete = nullptr;
  TdxBarCombo* CategoriesItemsVisible = nullptr;
  TdxBarButton *CommandsAdd = nullptr, *CommandsDelete = nullptr, *CommandsClear = nullptr;
  TdxBarButton *CommandsMoveUp = nullptr, *CommandsMoveDown = nullptr, *CommandsSubMenuEditor = nullptr;

  // ---- the operations every dialog answers, in their slot order ----
  virtual void ShowHelp();
  virtual TColor ListSeparatorColor();
  TdxBar* BarAtIndex(int AIndex);
  virtual TListBox* BarsListBox() = 0;
  virtual TListBox* CategoriesListBox() = 0;
  virtual TListBox* ItemsListBox() = 0;
  virtual void ItemsChanged(TComponent* AItem, TcxCollectionChangeKind AChange);
  virtual void RefreshAllLists() = 0;
  virtual void LocalizeCaptions() {}
  virtual void RestoreHooks();
  virtual void SetDescription(const String&) {}
  virtual void UpdateLook();
  virtual void SelectionChanged() = 0;
  virtual void SetActivePageIndex(int) {}
  virtual void ShowCommandsPage() {}
  virtual void UpdateHelpButton() {}
  virtual void UpdateOptions() {}

  // The list background and text colours for the dialog's own manager's look.
  TColor ListBackgroundColor();
  TColor ListTextColor();

  // ---- lists ----
  // AKind 1 with an object rebuilds that object's entry in place; anything else refills the list.
  void RefreshList(TListBox* AListBox, TObject* AObject = nullptr, int AKind = 0);
  void PostRefreshList(TListBox* AListBox);
  void SyncSelectionFromDesigner(TListBox* AListBox);
  void PushSelectionToDesigner(TListBox* AListBox);
  // Frees the selected objects of the list (or hands each to ACallback) and selects the entry that
  // followed them.
  void DeleteSelection(TListBox* AListBox, bool ASelect, const std::function<void(TObject*)>& ACallback = nullptr);
  // Moves the selected block of the list by ADirection (-1 up, 1 down) in AList.
  void MoveSelection(TListBox* AListBox, TList* AList, int ADirection);
  void UpdateActionStates(TListBox* AListBox, TAction* AAddAction, const std::function<bool(TObject*)>& ACanDelete,
                          TAction* ADeleteAction, TAction* AMoveDownAction, TAction* AMoveUpAction);

  // The windows the dialog disabled while it shows.
  const std::vector<win::HWND>& DisabledWindows() const { return FDisabledWindows; }

  // ---- handlers bound by the form descriptions ----
  void aNewToolBarExecute(TObject* Sender);
  void aRenameToolBarExecute(TObject* Sender);
  void aDeleteToolBarExecute(TObject* Sender);
  void aResetToolBarExecute(TObject* Sender);
  void aAddItemExecute(TObject* Sender);
  void aDeleteItemExecute(TObject* Sender);
  void aMoveItemExecute(TObject* Sender);
  void aSubMenuEditorExecute(TObject* Sender);
  void aClearItemListExecute(TObject* Sender);

 protected:
  // The manager's construction steps, once every description is read.
  virtual void InitializeForm();
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void DoShow() override;
  void DoHide() override;
  bool IsDesigning() const;
  TList* SelectionList() const { return FSelectionList; }
  template <class T>
  void Find(T*& AField, const char* AName) {
    AField = dynamic_cast<T*>(FindComponent(AName));
  }
  // Every description from the first dialog class down to this one's own.
  virtual void ReadDescriptions();

 private:
  void DisableWindow(win::HWND AWindow);
  void EnableDisabledWindows();
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy();

  TdxBarManager* FBarManager;
  TList* FSelectionList = nullptr;
  TcxComponentCollectionChangeEvent FPrevBarsOnChange;
  TcxComponentListChangeEvent FPrevItemListOnChange;
  bool FHooksSet = false;
  bool FDestroyed = false;
  TListBox* FSyncingListBox = nullptr;
  std::vector<win::HWND> FDisabledWindows;
};

class TdxBarCustomizationForm : public TdxBarCustomCustomizationForm {
  VW_CLASS(TdxBarCustomizationForm, TdxBarCustomCustomizationForm)
 public:
  explicit TdxBarCustomizationForm(TdxBarManager* ABarManager);
  ~TdxBarCustomizationForm() override;

  TPageControl* PageControl = nullptr;
  TTabSheet *tsToolbars = nullptr, *tsItems = nullptr, *tsOptions = nullptr, *tsCommands = nullptr,
            *tsGroups = nullptr, *TabSheet1 = nullptr;
  TLabel* LabelToobars = nullptr;
  TListBox* lbBarsList = nullptr;
  TButton *BBarNew = nullptr, *BBarRename = nullptr, *BBarDelete = nullptr, *BBarReset = nullptr;
  TLabel *LabelCategories = nullptr, *LabelCommands = nullptr, *LabelDescription = nullptr;
  TPanel *CategoriesPopupButtonPlace = nullptr, *CommandsPopupButtonPlace = nullptr;
  TListBox *lbCategories = nullptr, *lbItems = nullptr;
  TBevel* DescriptionBevel = nullptr;
  TLabel* DescriptionLabel = nullptr;
  TPanel *StandardOptionsPanel = nullptr, *EnhancedOptionsPanel = nullptr;
  TCheckBox *CBLargeIcons = nullptr, *CBHint1 = nullptr, *CBHint2 = nullptr;
  TLabel* LabelMenuAnimations = nullptr;
  TComboBox* ComboBoxMenuAnimations = nullptr;
  TLabel *Label1 = nullptr, *Label2 = nullptr, *LabelMenuAnimationsEx = nullptr;
  TBevel *Bevel1 = nullptr, *Bevel2 = nullptr;
  TCheckBox *CBMenusShowRecentItemsFirst = nullptr, *CBShowFullMenusAfterDelay = nullptr;
  TButton* BResetUsageData = nullptr;
  TCheckBox *CBLargeIconsEx = nullptr, *CBHint1Ex = nullptr, *CBHint2Ex = nullptr;
  TComboBox* ComboBoxMenuAnimationsEx = nullptr;
  TListBox* LAllCommands = nullptr;
  TCheckBox* CBShowCommandsWithShortCut = nullptr;
  TListBox *lbGroups = nullptr, *lbGroupItems = nullptr;
  TTreeView* tvKeyTips = nullptr;
  TPanel* BottomPanel = nullptr;
  TButton* BClose = nullptr;
  // A bit button: its glyph is set through SetBitButtonGlyph.
  TButton* BHelp = nullptr;

  TListBox* BarsListBox() override { return lbBarsList; }
  TListBox* CategoriesListBox() override { return lbCategories; }
  TListBox* ItemsListBox() override { return lbItems; }
  void ItemsChanged(TComponent* AItem, TcxCollectionChangeKind AChange) override;
  void RefreshAllLists() override;
  void LocalizeCaptions() override;
  void SetDescription(const String& AText) override;
  void SelectionChanged() override;
  void SetActivePageIndex(int AIndex) override;
  void ShowCommandsPage() override;
  void UpdateHelpButton() override;
  void UpdateOptions() override;

  // ---- handlers bound by the form description ----
  void CBMenusShowRecentItemsFirstClick(TObject* Sender);
  void CBShowFullMenusAfterDelayClick(TObject* Sender);
  void CBLargeIconsClick(TObject* Sender);
  void CBHint1Click(TObject* Sender);
  void CBHint1ExClick(TObject* Sender);
  void CBHint2Click(TObject* Sender);
  void ComboBoxMenuAnimationsClick(TObject* Sender);
  void BResetUsageDataClick(TObject* Sender);
  void BHelpClick(TObject* Sender);

 protected:
  void InitializeForm() override;

 private:
  // The updating of the option boxes from the manager must not write back into it.
  bool FUpdatingOptions = false;
};

// ---- the unit ----

// The class new dialogs are made of.
extern TClass CustomizationFormClass;
// The one open dialog; nil for none.
extern TdxBarCustomCustomizationForm* CurrentCustomizationForm;
inline bool IsCustomizationFormOpen() { return CurrentCustomizationForm != nullptr; }

// Opens (AShow) or closes the dialog for the manager entering or leaving customizing mode.
void ShowCustomizationForm(TdxBarManager* ABarManager, bool AShow);
// What the manager tells an open dialog when its settings change.
void CustomizationFormUpdateLook();
void CustomizationFormUpdateHelpButton();
void CustomizationFormUpdateOptions();

// The glyph of a bit button (nothing for another button).
void SetBitButtonGlyph(TButton* AButton, TBitmap* AGlyph);
void RegisterBitButtonClass();

void BarCustomizationFormUnitStartup();
void BarCustomizationFormUnitShutdown();
