#pragma once
// The single-line text editor and the base of the mask, drop-down, combo and memo editors. It
// shows and edits its text in an edit box inside the editor container, keeps the edit value and
// the shown text in step, applies its properties' typing rules (MaxLength, CharCase, echo mode,
// read-only state, typing mode), completes typed text from its lookup items (incremental search)
// with the completed tail selected, steps through the items with keys and the wheel, and maps an
// item index onto the items: every combo box of the consoles reads and writes ItemIndex.
#include <memory>

#include "ui/controls/CustomEdit.h"
#include "ui/controls/FilterEditHelpers.h"
#include "ui/controls/FormatController.h"
#include "ui/editors/InnerTextEdit.h"
#include "ui/editors/TextEditLookupData.h"
#include "ui/editors/TextEditProperties.h"
#include "ui/editors/TextEditViewInfo.h"

// A text replacement request: LParam points to a TcxTextReplaceRequest.
inline constexpr win::UINT WM_CXTEXTREPLACE = win::WM_APP + 300;
// Posted to the inner edit after it painted; queued twins are dropped.
inline constexpr win::UINT WM_CXDEFERREDNOTIFY = win::WM_APP + 301;

struct TcxTextReplaceRequest {
  String Text;
  int SelStart = 0;
  int SelLength = 0;
  int CaretPos = 0;
};

// Told of an inner edit's text, selection and scrolling; nothing in the system registers one.
class IcxInnerEditObserver : public virtual IInterface {
 public:
  virtual bool ClaimsWindow(win::HWND Wnd) = 0;
  virtual void InnerEditNotified(TWinControl* InnerEdit, int What) = 0;
};
// The process's observer; null while none is registered.
IcxInnerEditObserver*& InnerEditObserver();

class TcxCustomTextEdit : public TcxCustomEdit, public IcxFormatControllerListener {
  VW_CLASS(TcxCustomTextEdit, TcxCustomEdit)
 public:
  explicit TcxCustomTextEdit(TComponent* AOwner);
  ~TcxCustomTextEdit() override;

  // ---- the item index ------------------------------------------------------------------------------
  int ItemIndex() { return ReadItemIndex(); }
  void SetItemIndex(int Value) { WriteItemIndex(Value); }
  bool BeepOnEnter() const { return FBeepOnEnter; }
  void SetBeepOnEnter(bool Value) { FBeepOnEnter = Value; }

  // ---- selection -----------------------------------------------------------------------------------
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  void SetSelection(int Start, int Length);

  // ---- state the inner edit and the lookup share ------------------------------------------------------
  bool FoundItemMark() const { return FFoundItemMark; }
  void SetFoundItemMark(bool Value);
  bool FoundMarkLocked() const { return FFoundMarkLock; }
  void SetFoundMarkLocked(bool Value) { FFoundMarkLock = Value; }
  bool PendingEscape() const { return FPendingEscape; }
  void SetPendingEscape(bool Value) { FPendingEscape = Value; }
  bool LookupChangeFlag() const { return FLookupChange; }
  void SetLookupChangeFlag() { FLookupChange = true; }
  void ClearLookupChangeFlag() { FLookupChange = false; }
  bool IsNavigating() const { return FNavigating; }
  bool IsEditingQueryRunning() const { return IsRequestingEditing(); }
  // A text replacement (from a host or a replace request) is running.
  bool IsReplacingText() const { return FReplacing; }
  void SyncSelectionState();
  void PostDeferredNotification();
  IcxInnerTextEdit* InnerTextEditInterface();
  IcxTextEditLookupData* LookupDataInterface() { return FLookupData.get(); }
  TcxCustomTextEditLookupData* LookupData() const { return FLookupData.get(); }
  TcxCustomTextEditProperties* ActiveTextProperties();
  TcxCustomTextEditViewInfo* TextViewInfo() { return static_cast<TcxCustomTextEditViewInfo*>(EditViewInfo()); }
  int InnerCaretCharIndex();
  void LocateAndApplyTypedText(const String& Text, bool& Found);
  bool ShouldSearchOnChar();
  void FillFoundItemHighlight();
  void CutSelectedTextNow() { CutSelectedText(); }

  // ---- what the inner edit forwards (the editor's own handlers, which it may not call) -----------
  void InnerEditKeyDown(win::WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
  void InnerEditKeyPress(TChar& Key) { KeyPress(Key); }
  void InnerEditKeyUp(win::WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); }
  void InnerEditMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { MouseDown(Button, Shift, X, Y); }
  void InnerEditMouseMove(TShiftState Shift, int X, int Y) { MouseMove(Shift, X, Y); }
  void InnerEditMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) { MouseUp(Button, Shift, X, Y); }
  void InnerEditDragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    DragOver(Source, X, Y, State, Accept);
  }
  void InnerEditDragDrop(TObject* Source, int X, int Y) { DragDrop(Source, X, Y); }

  // IcxFormatControllerListener
  void FormatChanged() override { PropertiesChangedRefresh(); }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual bool AllowsFreeTyping();
  virtual void PropertiesChangedRefresh();
  virtual void NotifyObserverDeferred();
  virtual void InnerLayoutChanged();
  virtual void NotifyObserverSelection();
  virtual void NotifyObserverText();
  virtual void HandleInnerEditMessage(TMessage& Message);
  virtual void SyncInnerEditAppearance();
  virtual bool ComposeTypedText(const String& Fragment, String& NewText, int& Caret);
  virtual void EnforceValueBounds();
  virtual void ClampToBounds() {}
  virtual void FireNewLookupDisplayText(const String& Text);
  virtual int InnerTextHeight();
  virtual int ReadItemIndex();
  virtual TObject* SelectedItemObject();
  virtual bool CanNavigateItems(int) { return false; }
  virtual void ApplyLookupCurrentItem(TObject* Sender);
  virtual String CurrentText() { return CurrentDisplayText(); }
  virtual bool ApplyText(const String& Text) { return TrySetEditingText(Text); }
  virtual Variant ItemIndexToValue(int Index) { return Variant(Index); }
  virtual Variant LookupItemToValue(int Key);
  virtual int ValueToItemIndex(const Variant& Value);
  virtual bool MustCommitText();
  virtual void ClearFoundItemMark();
  virtual void AfterTextChangeHook(TObject*) {}
  virtual bool ReplaceTextByUser(const String& Text);
  virtual void WriteItemIndex(int Value);
  virtual void ApplyTypedText(const String& Fragment);
  virtual void ReformatText() {}
  virtual void CommitDisplayText();
  virtual void DeleteSelectedText();
  virtual void UndoEditing();

  // ---- overrides of the editor base ----------------------------------------------------------------
  void ActivateInplace(TcxCustomEditData*& AEditData) override;
  bool InnerTextShowsValue() override;
  bool IsOwnWindow(win::HWND Wnd) override;
  bool HandleInnerMessage(TMessage& Message) override;
  bool ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) override;
  void ClipChildToClient(const TRect& Rect, TWinControl* Control, TcxContainerInnerControlClip& Clip) override;
  void SyncInnerScrollBars(bool KeepVisibility) override;
  void PositionInnerControl() override;
  bool IsValueChangingKey(win::WORD Key, TShiftState Shift) override;
  bool IsValueChangingChar(TChar Ch) override;
  void HandleDataChanged() override;
  void ContainerStyleChanged(TObject* Sender) override;
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void EditKeyPress(TChar& Key) override;
  void NotifyEditValueChanged() override;
  bool FocusChanged() override;
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error) override;
  void SizeConstraints(TcxEditSizeRequest& Request) override;
  String CurrentDisplayText() override;
  Variant EditingValue() override { return Variant(Text()); }
  void ApplyEditValue(const Variant& Value) override;
  void InitializeEditor() override;
  bool SupportsEditing() override;
  void ApplyEditValueGuarded(const Variant& Value) override;
  bool IsKeyAcceptable(TChar Ch) override;
  void PropertiesChanged(TObject* Sender) override;
  bool TrySetEditingText(const String& Text) override;
  void SetInnerEditValue(const Variant& Value) override;
  void RefreshDisplayText() override;
  void RefreshValueFromDisplay() override;
  void RefreshDrawnValue() override;
  bool HandlesNavigationKeys() override { return true; }
  void InnerWindowProc(TMessage& Message) override;
  void UnhookInnerWindowProc() override;
  void SetInplaceText(const String& Value) override { SetInplaceTextPosted(Value, false); }
  void SetInplaceTextPosted(const String& Value, bool Post);
  void CopySelectedText() override;
  void CutSelectedText() override;
  void PasteText() override;
  void SelectAllContent() override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) override { Value = Display; }
  void Dispatch(TMessage& Message) override;

 protected:
  TcxCustomTextEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  // The published table of a single-line editor E: what every windowed control of a form
  // description publishes (an editor takes the focus by Tab), its own Properties, its styles, auto
  // size and its text. The text, mask, combo and popup editors publish it.
  template <class E>
  static void DeclarePublishedTextEditor(TPropTable& t) {
    stdctrls_detail::PublishWinControl(t);
    t.Redeclare("TabStop").SetDefault(true);
    t.Add("AutoSize", &E::PublishedAutoSize, &E::SetAutoSize).SetDefault(true);
    t.Add("BeepOnEnter", &E::BeepOnEnter, &E::SetBeepOnEnter).SetDefault(true);
    t.Add("Properties", &E::Properties, &E::SetProperties);
    t.Add("Style", &E::Style, &E::SetStyle);
    t.Add("StyleDisabled", &E::StyleDisabled, &E::SetStyleDisabled);
    t.Add("StyleFocused", &E::StyleFocused, &E::SetStyleFocused);
    t.Add("StyleHot", &E::StyleHot, &E::SetStyleHot);
    t.Add("Text", &E::PublishedText, &E::SetPublishedText);
  }
  bool PublishedAutoSize() const { return TcxCustomEdit::AutoSize(); }
  String PublishedText() { return Text(); }
  void SetPublishedText(const String& Value) { SetText(Value); }

  void KeyPress(TChar& Key) override;
  void DoExit() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void Loaded() override;
  bool FocusedOrReplacing();
  // Told as soon as the value has been taken from the text shown, before anyone hears of it.
  virtual void DisplayValueTaken() {}
  // What follows a value taken from the text shown: the modified or value-changed state, and the
  // change events when the value differs from the one before.
  void FinishValueFromDisplay(bool Changed);

 private:
  friend class TcxCustomInnerTextEdit;

  void Construct();
  // Steps the lookup as a key or the wheel does, with the value's notifications and posting.
  void NavigateItems(TcxEditLookupDirection Direction);
  void ReformatNumberText();
  void HandleTextReplace(TMessage& Message);
  void HandleGetText(TMessage& Message);
  // A freely typed text that no longer spells the current item stops being that item.
  void RematchTypedText();

  bool FBeepOnEnter = true;
  bool FFoundMarkLock = false;
  bool FFoundItemMark = false;
  bool FSetTextGuard = false;
  bool FDisplayRefresh = false;
  bool FCuttingInInner = false;
  int FFirstVisiblePos = 0;
  int FLastSelLength = 0;
  int FLastSelStart = 0;
  bool FNavigating = false;
  String FSavedText;
  bool FPositioningLock = false;
  bool FPendingEscape = false;
  std::unique_ptr<TcxCustomTextEditLookupData> FLookupData;
  bool FLookupChange = false;
  bool FReplacing = false;
  bool FListenerRegistered = false;
};

// The published single-line text editor.
class TcxTextEdit : public TcxCustomTextEdit {
  VW_CLASS(TcxTextEdit, TcxCustomTextEdit)
 public:
  explicit TcxTextEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxTextEditProperties* Properties() { return static_cast<TcxTextEditProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxTextEditProperties* Value) { Properties()->Assign(Value); }
  bool InplaceTextQuery() override { return AllowsFreeTyping(); }
};

// A text editor as the filter row's value editor.
class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
  VW_CLASS(TcxFilterTextEditHelper, TcxCustomFilterEditHelper)
 public:
  TcxFilterTextEditHelper() = default;
  TClass FilterEditorClass() const override { return TcxTextEdit::StaticClass(); }
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
  void ApplyFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties* Properties, const Variant& Value) const override;
};

// Registers the text editor's properties and filter helper; counted, so every start-up needs its
// shutdown.
void TextEditUnitStartup();
void TextEditUnitShutdown();
