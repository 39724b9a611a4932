#pragma once
// The font-name combo box: a fixed list of the installed font faces, filled by a font loader on
// its own thread; until the loader hands its list over the editor reads "Loading ...", ignores
// item index writes and keeps a font name set by code for afterwards. Each face keeps its type
// flags as the item's object (a type icon shows them), and the most recently chosen names head
// the list as extra copies. Every row may be drawn in its own font.
#include "platform/classes/Bitmap.h"
#include "ui/choice/Button.h"
#include "ui/choice/FontLoader.h"
#include "ui/choice/MRUFontNameItems.h"
#include "ui/editors/ComboBox.h"

VW_ENUM(TcxShowFontIconType, ftiShowInCombo, ftiShowInList)
using TcxShowFontIconTypes = TSet<TcxShowFontIconType>;

using TcxDeleteMRUFontEvent = std::function<void(TObject* Sender, const String& DeletedMRUFontName)>;

VW_ENUM(TcxFontPreviewType, cxfpFontName, cxfpCustom, cxfpFullAlphabet)
VW_ENUM(TcxFontButtonType, cxfbtBold, cxfbtItalic, cxfbtUnderline, cxfbtStrikeOut)
using TcxFontButtonClickEvent = std::function<void(TObject* Sender, TcxFontButtonType ButtonType)>;

// What the preview panel above the popup list shows, and whether it shows at all.
class TcxFontPreview : public TPersistent {
  VW_CLASS(TcxFontPreview, TPersistent)
 public:
  explicit TcxFontPreview(TPersistent* AOwner) : FOwner(AOwner) {}
  ~TcxFontPreview() override { FDestroying = true; }
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { Store(FAlignment, Value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Store(FColor, Value); }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { Store(FFontStyle, Value); }
  const String& PreviewText() const { return FPreviewText; }
  void SetPreviewText(const String& Value) { Store(FPreviewText, Value); }
  TcxFontPreviewType PreviewType() const { return FPreviewType; }
  void SetPreviewType(TcxFontPreviewType Value) { Store(FPreviewType, Value); }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value) { Store(FShowButtons, Value); }
  bool ShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool Value) { Store(FShowEndEllipsis, Value); }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { Store(FVisible, Value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { Store(FWordWrap, Value); }

  TcxFontButtonClickEvent OnButtonClick;
  // The owner's reaction to a change; set by the owner.
  std::function<void()> OnChanged;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  template <class T>
  void Store(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed();

  TPersistent* FOwner;
  TAlignment FAlignment = taCenter;
  TColor FColor = clWindow;
  TFontStyles FFontStyle;
  String FPreviewText;
  TcxFontPreviewType FPreviewType = cxfpFontName;
  bool FShowButtons = true;
  bool FShowEndEllipsis = true;
  bool FVisible = true;
  bool FWordWrap = false;
  int FUpdateCount = 0;
  bool FChangePending = false;
  bool FDestroying = false;
};

class TcxCustomFontNameComboBoxProperties : public TcxCustomComboBoxProperties {
  VW_CLASS(TcxCustomFontNameComboBoxProperties, TcxCustomComboBoxProperties)
 public:
  explicit TcxCustomFontNameComboBoxProperties(TPersistent* AOwner);
  ~TcxCustomFontNameComboBoxProperties() override;

  void Assign(TPersistent* Source) override;

  // ---- values ----------------------------------------------------------------------------------------
  TcxFontTypes FontTypes() const { return FFontTypes; }
  // A new filter: the MRU names go and a new load starts, abandoning a running one.
  void SetFontTypes(TcxFontTypes Value);
  int MaxMRUFonts() const { return FMaxMRUFonts; }
  void SetMaxMRUFonts(int Value);
  TcxShowFontIconTypes ShowFontTypeIcon() const { return FShowFontTypeIcon; }
  void SetShowFontTypeIcon(TcxShowFontIconTypes Value);
  bool UseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool Value);
  TcxMRUFontNameItems* RecentFontList() const { return FRecentFontList.get(); }
  TcxFontPreview* FontPreview() const { return FFontPreview.get(); }
  void SetFontPreview(TcxFontPreview* Value);
  int MRUCount() const { return FRecentFontList->Count(); }

  TNotifyEvent OnAddedMRUFont;
  TNotifyEvent OnMovedMRUFont;
  TcxDeleteMRUFontEvent OnDeletedMRUFont;
  TNotifyEvent OnLoadFontComplete;
  // The editor hooked to these properties hears that the list arrived.
  TNotifyEvent FontsLoadedInternally;

  // ---- loading ---------------------------------------------------------------------------------------
  bool FontsReady() const { return FFontsReady; }
  bool IsLoading() const { return !FFontsReady; }
  TcxFontLoader* Loader() const { return FLoader; }
  void StopFontLoader();
  // The index and text a value shows: "Loading ..." while loading.
  void ResolveFontValue(const Variant& Value, int& Index, String& Text);

  // ---- virtual operations, in slot order -------------------------------------------------------------
  // 0: not listed; 1: nothing changed; 2: moved to the front; 3: added.
  virtual int AddMRUFont(const String& AFontName);
  // 4 when removed, 0 otherwise.
  virtual int DeleteMRUFont(const String& AFontName);
  virtual void StartFontLoading();

  void TrimMRUFonts();

  // ---- overrides ---------------------------------------------------------------------------------------
  TClass EditClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  TClass LookupDataClass() override;
  void AssignItemsFrom(TcxCustomEditProperties* Source) override;
  bool EditValuesEqual(const Variant& V1, const Variant& V2) override;
  bool FindLookupText(const String& Text) override;

 protected:
  TcxCustomFontNameComboBoxProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

 private:
  void Construct();
  void FontsLoaded(TObject* Sender);
  void LoaderGone(TObject* Sender);

  TcxFontTypes FFontTypes = AllFontTypes();
  int FMaxMRUFonts = 10;
  TcxShowFontIconTypes FShowFontTypeIcon{ftiShowInCombo, ftiShowInList};
  bool FUseOwnFont = false;
  std::unique_ptr<TcxMRUFontNameItems> FRecentFontList;
  std::unique_ptr<TcxFontPreview> FFontPreview;
  TcxFontLoader* FLoader = nullptr;
  bool FFontsReady = false;
};

class TcxFontNameComboBoxProperties : public TcxCustomFontNameComboBoxProperties {
  VW_CLASS(TcxFontNameComboBoxProperties, TcxCustomFontNameComboBoxProperties)
 public:
  explicit TcxFontNameComboBoxProperties(TPersistent* AOwner) : TcxCustomFontNameComboBoxProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  TBitmap* ButtonGlyphValue() { return ButtonGlyph(); }
};

// A style button of the preview panel.
class TcxFontPanelButton : public TcxButton {
  VW_CLASS(TcxFontPanelButton, TcxButton)
 public:
  explicit TcxFontPanelButton(TComponent* AOwner) : TcxButton(AOwner) {}
};

// The chosen face on a sample text above the popup list, as large as the text lets it be, with
// four buttons that toggle bold, italic, underline and strike-out.
class TFontPreviewPanel : public TCustomControl {
  VW_CLASS(TFontPreviewPanel, TCustomControl)
 public:
  explicit TFontPreviewPanel(TComponent* AOwner);

  static constexpr int kHeight = 38;

  void SetPreview(TcxFontPreview* Value) { FPreview = Value; }
  void SetFrameBorders(TcxBorders Value) { FFrameBorders = Value; }
  void SetPreviewFontName(const String& Value);
  const String& PreviewFontName() const { return FFontName; }
  void SetFontStyles(TFontStyles Value);
  void SetEndEllipsis(bool Value) { FEndEllipsis = Value; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  void SetShowButtons(bool Value);
  void SetRedrawLocked(bool Value);
  TcxFontPanelButton* StyleButton(TcxFontButtonType Type) const { return FButtons[Type]; }
  void ArrangeButtons();
  TFont* PreviewFont() { return Canvas()->Font(); }

  // ---- virtual operations ----------------------------------------------------------------------------
  // Sizes the font to the largest that still fits R (8 at the least).
  virtual void AdjustFontToText(const TRect& R);
  virtual TFontStyles CurrentFontStyles() { return FFontStyles; }

 protected:
  void Paint() override;

 private:
  unsigned TextFlags() const;
  void ToggleFontStyle(TObject* Sender);

  TAlignment FAlignment = taCenter;
  bool FEndEllipsis = true;
  TcxBorders FFrameBorders = cxBordersAll;
  TColor FFrameColor = clWindowFrame;
  bool FWordWrap = false;
  bool FShowButtons = true;
  TFontStyles FFontStyles;
  String FFontName;
  bool FRedrawLocked = false;
  TcxFontPreview* FPreview = nullptr;
  TcxFontPanelButton* FButtons[4] = {};
};

class TcxCustomFontNameComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomFontNameComboBoxViewInfo, TcxCustomTextEditViewInfo)
 public:
  int CurrentIndex = -1;
  bool IsTrueType = false;
  TRect ImageRect;
  TcxShowFontIconTypes ShowFontTypeIcon;

  void ShiftBy(int DX, int DY) override;
  void PaintBody(TcxCanvas* ACanvas) override;
};

class TcxCustomFontNameComboBoxViewData : public TcxCustomDropDownEditViewData {
  VW_CLASS(TcxCustomFontNameComboBoxViewData, TcxCustomDropDownEditViewData)
 public:
  using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;

  TcxCustomFontNameComboBoxProperties* FontProperties() const {
    return static_cast<TcxCustomFontNameComboBoxProperties*>(Properties);
  }

  bool DrawsAsComboBox() override { return true; }
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
  void ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo) override;
  TSize ContentSizeForValue(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) override;
};

// The popup list: the type icon, the name (in its own font when asked) and the MRU separator.
class TcxFontNameComboBoxListBox : public TcxCustomComboBoxListBox {
  VW_CLASS(TcxFontNameComboBoxListBox, TcxCustomComboBoxListBox)
 public:
  explicit TcxFontNameComboBoxListBox(TComponent* AOwner) : TcxCustomComboBoxListBox(AOwner) {}

  int ItemHeightAt(int Index) override;
  int ItemWidthAt(int Index) override;

 protected:
  void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) override;

 private:
  TcxCustomFontNameComboBoxProperties* FontProperties();
};

class TcxFontNameComboBoxLookupData : public TcxComboBoxLookupData {
  VW_CLASS(TcxFontNameComboBoxLookupData, TcxComboBoxLookupData)
 public:
  explicit TcxFontNameComboBoxLookupData(TPersistent* AOwner) : TcxComboBoxLookupData(AOwner) {}

  // A current item below the MRU block moves to the first row of its name.
  virtual void ReselectMRUFont();

  TClass ListBoxClass() override { return TcxFontNameComboBoxListBox::StaticClass(); }
  TSize MeasureListHook() override;
  bool FitListToSizeHook(const TSize& Request) override;
  void PrepareListBoxHook(TComponent* AOwner) override;
  void PlaceListBoxHook(const TRect& R) override;
  void TakeListSelection() override;

  TFontPreviewPanel* PreviewPanel() const { return FPanel; }
  // The panel's text for the current item.
  String PreviewTextFor();

 private:
  TcxCustomFontNameComboBoxProperties* FontProperties() const;
  bool PreviewShown() const;

  TFontPreviewPanel* FPanel = nullptr;
  std::unique_ptr<TcxFreeNotificator> FPanelWatch;
};

class TcxCustomFontNameComboBoxInnerEdit : public TcxCustomComboBoxInnerEdit {
  VW_CLASS(TcxCustomFontNameComboBoxInnerEdit, TcxCustomComboBoxInnerEdit)
 public:
  explicit TcxCustomFontNameComboBoxInnerEdit(TComponent* AOwner) : TcxCustomComboBoxInnerEdit(AOwner) {}
};

class TcxCustomFontNameComboBox : public TcxCustomComboBox {
  VW_CLASS(TcxCustomFontNameComboBox, TcxCustomComboBox)
 public:
  explicit TcxCustomFontNameComboBox(TComponent* AOwner);
  ~TcxCustomFontNameComboBox() override;

  TcxCustomFontNameComboBoxProperties* ActiveFontProperties() {
    return static_cast<TcxCustomFontNameComboBoxProperties*>(ActiveProperties());
  }

  // Selects the face; while the list loads, it is selected once the list arrives.
  void SetFontName(const String& AFontName);
  const String& PendingFontName() const { return FPendingFontName; }

  // ---- overrides ---------------------------------------------------------------------------------------
  void EndPostEditValue() override;
  void InitializeEditor() override;
  void InternalSetEditValue(const Variant& Value, bool ValidateValue) override;
  bool CheckEditValue() override;
  void WriteItemIndex(int Value) override;
  void CloseDropDown(TcxPopupCloseReason Reason) override;
  // The list's size, with the preview panel's height above it.
  void PopupControlSize(TSize& Size) override;

 protected:
  TcxCustomFontNameComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes);

 private:
  void HookFontsLoaded();
  void FontsLoadedInEditor(TObject* Sender);
  void ApplyAcceptedFont();

  String FPendingFontName;
  bool FSelectionAccepted = false;
  bool FMRUUpdateRequested = false;
};

class TcxFontNameComboBox : public TcxCustomFontNameComboBox {
  VW_CLASS(TcxFontNameComboBox, TcxCustomFontNameComboBox)
 public:
  explicit TcxFontNameComboBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxFontNameComboBoxProperties* Properties() {
    return static_cast<TcxFontNameComboBoxProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxFontNameComboBoxProperties* Value) { Properties()->Assign(Value); }

 private:
  bool AutoSizeValue() const { return TcxCustomEdit::AutoSize(); }
  String TextValue() { return Text(); }
  void SetTextValueOf(const String& Value) { SetText(Value); }
};

class TcxFilterFontNameComboBoxHelper : public TcxFilterComboBoxHelper {
  VW_CLASS(TcxFilterFontNameComboBoxHelper, TcxFilterComboBoxHelper)
 public:
  TcxFilterFontNameComboBoxHelper() = default;
  TClass FilterEditorClass() const override { return TcxFontNameComboBox::StaticClass(); }
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
};

// The type icons, loaded by the unit's start-up (nil before it and after its shutdown).
TBitmap* FontComboTTFGlyph();
TBitmap* FontComboNonTTFGlyph();

void FontNameComboBoxUnitStartup();
void FontNameComboBoxUnitShutdown();
