#pragma once
// The editor with a drop-down button that opens a popup window below (or above, or beside) it: the
// base of the combo box and the popup editor. It owns one popup for its whole life, prepares and
// places it each time it opens, and closes it with a reason that decides whether the popup's
// current item becomes the value: Tab, the toggle keys and accepting take it, cancelling and every
// other way of closing leave the value alone. A sizeable popup keeps the size the user gave it.
#include <functional>
#include <memory>

#include "platform/classes/Forms.h"
#include "ui/editors/EditPopupWindow.h"
#include "ui/editors/MaskEdit.h"

class TcxCustomDropDownEdit;

using TcxEditPopupWindowClass = std::function<TcxCustomEditPopupWindow*(TControl* AOwnerControl)>;
template <class T>
TcxEditPopupWindowClass EditPopupWindowClassOf() {
  return [](TControl* AOwnerControl) -> TcxCustomEditPopupWindow* { return new T(AOwnerControl); };
}

class TcxCustomDropDownEditProperties : public TcxCustomMaskEditProperties {
  VW_CLASS(TcxCustomDropDownEditProperties, TcxCustomMaskEditProperties)
 public:
  explicit TcxCustomDropDownEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  // ---- values ----------------------------------------------------------------------------------------
  // The glyph of the glyph button; nil when that index is past the buttons.
  TBitmap* ButtonGlyph();
  void SetButtonGlyph(TBitmap* Value);
  // Moves the glyph, and the glyph kind, to another button.
  void MoveGlyphToButton(int Index);
  int GlyphButtonIndex() const { return FGlyphButtonIndex; }
  bool ImmediateDropDown() const { return FImmediateDropDown; }
  void SetImmediateDropDown(bool Value) { FImmediateDropDown = Value; }
  bool ImmediatePopup() const { return FImmediatePopup; }
  void SetImmediatePopup(bool Value) { FImmediatePopup = Value; }
  // The drop-down button is drawn pressed while the popup is open.
  bool KeepArrowHeld() const { return FKeepArrowHeld; }
  void SetKeepArrowHeld(bool Value);
  bool PopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool Value) { FPopupAutoSize = Value; }
  bool PopupClientEdge() const { return FPopupClientEdge; }
  void SetPopupClientEdge(bool Value);
  // 0 beside the editor, 1 below or above it.
  int PopupDirection() const { return FPopupDirection; }
  void SetPopupDirection(int Value) { FPopupDirection = Value; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int Value);
  TAlignment PopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(TAlignment Value);
  int PopupMinHeight() const { return FPopupMinHeight; }
  void SetPopupMinHeight(int Value);
  int PopupMinWidth() const { return FPopupMinWidth; }
  void SetPopupMinWidth(int Value);
  bool PopupSizeable() const { return FPopupSizeable; }
  void SetPopupSizeable(bool Value);
  bool PopupSysPanelStyle() const { return FPopupSysPanelStyle; }
  void SetPopupSysPanelStyle(bool Value);
  // 0 top, 1 centre, 2 bottom: where the popup stands against the editor.
  int PopupVertAlignment() const { return FPopupVertAlignment; }
  void SetPopupVertAlignment(int Value) { FPopupVertAlignment = Value; }
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value);
  bool PostPopupValueOnTab() const { return FPostPopupValueOnTab; }
  void SetPostPopupValueOnTab(bool Value) { FPostPopupValueOnTab = Value; }

  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnFinalizePopup;
  TNotifyEvent OnInitPopup;
  TNotifyEvent OnPopup;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual int DropDownButtonIndex() { return 0; }
  // A fixed-list editor opens its popup when its text is clicked.
  virtual bool IsFixedList() { return false; }
  // True: ImmediatePost posts after every closing, once the entered value validates.
  virtual bool PopupPostsImmediately() { return false; }
  virtual TcxEditPopupWindowClass PopupWindowClass();
  virtual bool PopupFitsWorkArea() { return true; }
  virtual bool PopupTakesFocus() { return false; }

  // ---- overrides ---------------------------------------------------------------------------------------
  TClass EditClass() override;
  TcxCustomEditViewDataClass ViewDataClass() override;
  bool PopupUsesLookupList() override { return true; }
  void ButtonsChanged(TObject* Sender) override;

 protected:
  TcxCustomDropDownEditProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);
  // The published ButtonGlyph: stored only when it holds a picture.
  bool ButtonGlyphStored();

 private:
  void Construct();
  // A glyph button shows the drop-down arrow again once its glyph is gone.
  void ApplyGlyphKind();

  int FGlyphButtonIndex = 0;
  bool FImmediateDropDown = true;
  bool FImmediatePopup = false;
  bool FKeepArrowHeld = false;
  bool FPopupAutoSize = true;
  bool FPopupClientEdge = false;
  int FPopupDirection = 1;
  int FPopupHeight = 0;
  TAlignment FPopupAlignment = taLeftJustify;
  int FPopupMinHeight = 0;
  int FPopupMinWidth = 0;
  bool FPopupSizeable = false;
  bool FPopupSysPanelStyle = false;
  int FPopupVertAlignment = 2;
  int FPopupWidth = 0;
  bool FPostPopupValueOnTab = false;
};

// What an in-place drop-down editor keeps between two activations: the size the user gave its popup.
class TcxCustomDropDownEditData : public TcxCustomEditData {
  VW_CLASS(TcxCustomDropDownEditData, TcxCustomEditData)
 public:
  using TcxCustomEditData::TcxCustomEditData;
  bool UserSized = false;
  int PopupWidth = 0;
  int PopupHeight = 0;
};

class TcxCustomDropDownEditViewData : public TcxCustomTextEditViewData {
  VW_CLASS(TcxCustomDropDownEditViewData, TcxCustomTextEditViewData)
 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  bool PopupOpen = false;
  bool HotAndOpen = false;
  // Set by the layout: the drop-down button is drawn pressed while the popup is open.
  bool ArrowHeldNow = false;

  TcxCustomDropDownEditProperties* DropDownProperties() const {
    return static_cast<TcxCustomDropDownEditProperties*>(Properties);
  }

  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  bool CanPressButtons() override { return !HotAndOpen; }
  bool ButtonHeldDown(TcxCustomEditViewInfo* AViewInfo, int AVisibleIndex) override;
  int CalculateEditState(TcxCustomEditViewInfo* AViewInfo) override;
};

// The look-and-feel the popup's controls follow: the kind, native style and skin of the editor's
// style, compared again whenever the editor's state or style changes.
class TcxEditPopupControlLookAndFeel : public TcxLookAndFeel {
  VW_CLASS(TcxEditPopupControlLookAndFeel, TcxLookAndFeel)
 public:
  explicit TcxEditPopupControlLookAndFeel(TcxCustomDropDownEdit* AEdit);
  // Tells its dependants which of the three values differ from what they follow now.
  void CompareWithEditor();

 protected:
  TcxLookAndFeelKind EffectiveKind() const override;
  bool EffectiveNativeStyle() const override;
  TdxSkinName EffectiveSkinName() const override;

 private:
  TcxCustomDropDownEdit* FEdit;
};

// The edit box of a drop-down editor: no hint while the popup is shown.
class TcxCustomDropDownInnerEdit : public TcxCustomInnerTextEdit {
  VW_CLASS(TcxCustomDropDownInnerEdit, TcxCustomInnerTextEdit)
 public:
  explicit TcxCustomDropDownInnerEdit(TComponent* AOwner) : TcxCustomInnerTextEdit(AOwner) {}

 protected:
  void WndProc(TMessage& Message) override;
};

class TcxCustomDropDownEdit : public TcxCustomMaskEdit, public TcxEditPopupWindowOwner {
  VW_CLASS(TcxCustomDropDownEdit, TcxCustomMaskEdit)
 public:
  explicit TcxCustomDropDownEdit(TComponent* AOwner);
  ~TcxCustomDropDownEdit() override;

  TcxCustomDropDownEditProperties* ActiveDropDownProperties() {
    return static_cast<TcxCustomDropDownEditProperties*>(ActiveProperties());
  }
  TcxCustomDropDownEditProperties* DropDownProperties() {
    return static_cast<TcxCustomDropDownEditProperties*>(Properties());
  }

  // ---- the popup ---------------------------------------------------------------------------------------
  bool DroppedDown() { return HasOpenPopup(); }
  // True opens (unless a show request is queued already), false closes with reason 0.
  void SetDroppedDown(bool Value);
  TcxCustomEditPopupWindow* PopupWindow() const { return FPopupWindow.get(); }
  TcxEditPopupControlLookAndFeel* PopupControlsLookAndFeel() const { return FPopupLookAndFeel.get(); }
  // A show request (CM_POPUPSHOWAGAIN) still waits in the popup's queue.
  bool IsShowRequestQueued();
  // Drops a queued show request and undoes the opening it belonged to.
  void DiscardPendingShow();
  void RefreshHotAndOpen();
  bool HotAndOpen() const { return FHotAndOpen; }
  bool IgnoreNextHover() const { return FIgnoreNextHover; }
  void SetIgnoreNextHover(bool Value) { FIgnoreNextHover = Value; }
  bool PopupInitialized() const { return FPopupInitialized; }
  // The reason the current (or last) opening closed with.
  TcxPopupCloseReason CloseReason() const { return FCloseReason; }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual bool HasPopupContent() { return false; }
  void CloseDropDown(TcxPopupCloseReason Reason) override;
  virtual void CreatePopupWindow();
  virtual void FireCloseUp();
  virtual void DeinitializePopup();
  virtual void InitializePopup();
  virtual void FirePopup();
  virtual void OpenPopup();
  virtual void SpareHook() {}
  virtual TWinControl* PopupFocusTarget();
  void PopupControlSize(TSize& Size) override;
  virtual void PlacePopupControl();
  virtual void PreparePopup();
  virtual void PopupLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
  void FitPopupContent(const TRect& ClientRect) override;
  virtual void ShowPopupWindow();
  void StorePopupSize() override;
  virtual bool SpareQuery() { return true; }

  // ---- TcxEditPopupWindowOwner ----------------------------------------------------------------------
  void PopupAnchorRect(TRect& R) override;
  bool PopupUserSized() override { return FUserSized; }
  void SetPopupUserSized(bool Value) override { FUserSized = Value; }
  bool PopupFitsWorkArea() override { return ActiveDropDownProperties()->PopupFitsWorkArea(); }
  bool PopupShowsLookupList() override;

  // ---- overrides of the text editor ----------------------------------------------------------------
  bool HasOpenPopup() override;
  bool IsFocusedNow() override { return IsFocused() || HasOpenPopup(); }
  void ContainerStyleChanged(TObject* Sender) override;
  void PropertiesChanged(TObject* Sender) override;
  bool CheckEditValue() override;
  bool ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) override;
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void EditKeyPress(TChar& Key) override;
  void EditButtonPressed(int Index) override;
  void PrepareTabExit(TShiftState Shift) override;
  bool WantsTabKey() override;
  bool FocusChanged() override;
  void ActivateByKey(TChar Key, TcxCustomEditData*& AEditData) override;
  void ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& AEditData) override;
  void ActivateInplace(TcxCustomEditData*& AEditData) override;
  bool AcceptsActivationKey(TChar Key) override;
  bool IsClickKey(win::WORD Key, TShiftState Shift) override;
  bool CanNavigateItems(int Kind) override;
  TcxContainerStyleValues HiddenStyleValues() override;
  void FillViewDataState(TcxCustomEditViewData* ViewData) override;
  TcxCustomEditDataClass EditDataClass() override { return CustomEditDataClassOf<TcxCustomDropDownEditData>(); }
  void SaveStateToEditData() override;
  void InitializeEditor() override;
  void PasteText() override;
  void Dispatch(TMessage& Message) override;

 protected:
  TcxCustomDropDownEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void DoExit() override;
  void DestroyWnd() override;

  // The popup's events.
  virtual void PopupWindowShown(TObject* Sender);
  virtual void PopupWindowClosed(TObject* Sender);
  void PopupWindowCloseQuery(TObject* Sender, bool& CanClose);

  // Takes the lookup's current item into the editor (the popup's CM_DROPDOWNTAKEITEM).
  void TakeLookupItem();
  // Whether the popup closes with the value taken: reasons Tab, toggle and accept.
  static bool TakesItem(TcxPopupCloseReason Reason) {
    return Reason == pcrTab || Reason == pcrToggle || Reason == pcrAccept;
  }
  // Records the reason of this opening unless one is recorded already: the first one wins.
  void RecordCloseReason(TcxPopupCloseReason Reason);
  // The drop-down button's visible index in the view info, or -1.
  int DropDownButtonVisibleIndex();

 private:
  void Construct();

  bool FMouseActivation = false;
  bool FHotAndOpen = false;
  std::unique_ptr<TcxEditPopupControlLookAndFeel> FPopupLookAndFeel;
  bool FPopupInitialized = false;
  bool FIgnoreNextHover = false;
  bool FUserSized = false;
  bool FCreated = false;
  TcxPopupCloseReason FCloseReason = pcrOther;
  // Whether this opening has recorded its reason; reset each time the popup shows.
  bool FCloseReasonSet = false;
  std::unique_ptr<TcxCustomEditPopupWindow> FPopupWindow;
};
