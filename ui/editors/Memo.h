#pragma once
// The multi-line text editor: a text editor whose edit box is a platform memo. It adds scroll bars
// (the container's own bars, kept in step with the memo's), Enter and Tab typed into the text,
// word wrap, a height given in visible lines, and its text line by line through Lines. The memo's
// text is its lines, each followed by CR LF.
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "ui/editors/InnerTextEdit.h"
#include "ui/editors/MemoProperties.h"
#include "ui/editors/TextEdit.h"

class TcxCustomInnerMemo;
class TcxCustomMemo;

// How the memo editor drives its memo, beyond a text editor's edit box.
class IcxInnerMemo : public IcxInnerTextEdit {
 public:
  virtual win::POINT CaretPos() = 0;
  virtual TStrings* Lines() = 0;
  virtual TScrollStyle ScrollBars() = 0;
  virtual bool WantReturns() = 0;
  virtual bool WantTabs() = 0;
  virtual bool WordWrap() = 0;
  // Column X of line Y, as an empty selection.
  virtual void SetCaretPos(const win::POINT& Value) = 0;
  virtual void SetScrollBars(TScrollStyle Value) = 0;
  virtual void SetWantReturns(bool Value) = 0;
  virtual void SetWantTabs(bool Value) = 0;
  virtual void SetWordWrap(bool Value) = 0;
};

class TcxCustomInnerMemoHelper : public TcxInnerEditAdapter<TcxCustomInnerMemo, IcxInnerMemo> {
  VW_CLASS(TcxCustomInnerMemoHelper, TcxInterfacedPersistent)
 public:
  explicit TcxCustomInnerMemoHelper(TcxCustomInnerMemo* AMemo) : TcxInnerEditAdapter(AMemo) {}

  // IcxInnerTextEdit: a memo shows its text as it is, aligned as the properties say.
  Variant InnerEditValue() override;
  void SetInnerEditValue(const Variant& Value) override;
  TAlignment Alignment() override;
  void SetAlignment(TAlignment Value) override;
  TcxEditEchoMode EchoMode() override { return eemNormal; }
  void SetEchoMode(TcxEditEchoMode) override {}
  bool IsMultiLine() override { return true; }
  TChar PasswordChar() override { return 0; }
  void SetPasswordChar(TChar) override {}
  bool UseLeftAlignmentOnEditing() override { return false; }
  void SetUseLeftAlignmentOnEditing(bool) override {}
  // IcxInnerMemo
  win::POINT CaretPos() override;
  TStrings* Lines() override;
  TScrollStyle ScrollBars() override;
  bool WantReturns() override;
  bool WantTabs() override;
  bool WordWrap() override;
  void SetCaretPos(const win::POINT& Value) override;
  void SetScrollBars(TScrollStyle Value) override;
  void SetWantReturns(bool Value) override;
  void SetWantTabs(bool Value) override;
  void SetWordWrap(bool Value) override;
};

// The platform memo inside the memo editor, without a frame of its own in sight: its client edge
// lies outside the editor's client rectangle. Keys and mouse go to the editor first.
class TcxCustomInnerMemo : public TcxInnerEditControl<TMemo>, public IcxInnerEditHelper {
  VW_CLASS(TcxCustomInnerMemo, TMemo)
 public:
  explicit TcxCustomInnerMemo(TComponent* AOwner);
  ~TcxCustomInnerMemo() override;

  IcxCustomInnerEdit* InnerEditAdapter() override { return FHelper.get(); }
  TcxCustomInnerMemoHelper* Helper() const { return FHelper.get(); }
  // The memo editor that owns the memo; nil when it stands alone.
  TcxCustomMemo* OwnerMemo() const;

  // While raised, a text that reaches the window is the editor's own value arriving.
  bool IsSettingTextInternally() const { return FInternalTextSetting > 0; }
  void BeginInternalTextSetting() { ++FInternalTextSetting; }
  void EndInternalTextSetting() { --FInternalTextSetting; }
  // The memo's text as its lines, each followed by CR LF.
  String LinesText();
  win::LRESULT CallDefWndProc(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void KeyPress(TChar& Key) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

 private:
  void HandleSetText(TMessage& Message);
  void HandleReplaceSel(TMessage& Message);
  void HandleKeyDownMessage(TMessage& Message);
  void HandleNonClientPaint(TMessage& Message);

  std::unique_ptr<TcxCustomInnerMemoHelper> FHelper;
  bool FEscapePressed = false;
  int FInternalTextSetting = 0;
};

class TcxCustomMemo : public TcxCustomTextEdit {
  VW_CLASS(TcxCustomMemo, TcxCustomTextEdit)
 public:
  explicit TcxCustomMemo(TComponent* AOwner);

  TcxCustomMemoProperties* ActiveMemoProperties() {
    return static_cast<TcxCustomMemoProperties*>(ActiveProperties());
  }
  IcxInnerMemo* InnerMemo() { return dynamic_cast<IcxInnerMemo*>(InnerEdit()); }
  // The memo's lines; both need the inner memo.
  TStrings* Lines();
  void SetLines(TStrings* Value);
  bool IsDeletingText() const { return FDeleting; }
  bool ScrollBarsApplied() const { return FScrollBarsApplied; }
  // After a change typed or deleted by code: the value follows the text.
  void FinishUserTextChange();

  // A text put in at the very end of the inner memo (a log's next line) keeps the value in step
  // without reading the whole text back, as long as the value still mirrors the text: it was last
  // taken from the text, and neither has changed otherwise since. BeginAppend, before the text goes
  // in, tells whether that holds; EndAppend then extends the value, and answers false when the
  // window did not take the text as it was given (the value must then be read back whole).
  struct TcxMemoAppend {
    bool InPlace = false;
    int At = 0;                      // the text's length in characters before
    bool TextEndedWithBreak = false;  // or was empty: the value had no break added
  };
  TcxMemoAppend BeginAppend(const String& Text);
  bool EndAppend(const TcxMemoAppend& Append, const String& Text);
  void ForgetValueMirror() { FValueMirrorsText = false; }

  virtual bool WantsEditorKey(win::WORD Key, TShiftState Shift, bool TabAllowed);

  // ---- overrides -----------------------------------------------------------------------------------
  void InitializeEditor() override;
  bool InnerTextShowsValue() override { return true; }
  bool InplaceTextQuery() override { return AllowsFreeTyping(); }
  void PropertiesChanged(TObject* Sender) override;
  void SyncInnerEditAppearance() override;
  void PositionInnerControl() override;
  bool AutoSizeActive() override;
  bool IsValueChangingKey(win::WORD Key, TShiftState Shift) override;
  bool AcceptsActivationKey(TChar Key) override { return Key != 13; }
  bool WantsTabKey() override;
  void HandleDataChanged() override;
  // The memo's value is its text as lines, never converted: appending can extend it.
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool) final { Value = Display; }
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void DeleteSelectedText() override;
  void CutSelectedText() override;
  void ApplyTypedText(const String& Fragment) override;
  void FillViewDataState(TcxCustomEditViewData* ViewData) override;
  bool UsesInternalScrollBars() override;
  bool CanScrollWithoutBars(TcxDirection Direction) override;
  void ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, int& Position) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

 protected:
  TcxCustomMemo(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void ReadState(TReader* Reader) override;
  void CreateParams(TCreateParams& Params) override;
  void DisplayValueTaken() override;

 private:
  void Construct();

  bool FScrollBarsApplied = false;
  bool FDeleting = false;
  int FLastScrollPos = 0;
  bool FPositioning = false;
  friend class TcxCustomInnerMemo;
  bool FValueMirrorsText = false;
  // While the inner memo takes an append the memo follows.
  bool FAppendingInPlace = false;
  std::uint64_t FMirroredVersion = 0;
};

// The published memo: its text is reached through Lines.
class TcxMemo : public TcxCustomMemo {
  VW_CLASS(TcxMemo, TcxCustomMemo)
 public:
  explicit TcxMemo(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxMemoProperties* Properties() { return static_cast<TcxMemoProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxMemoProperties* Value) { Properties()->Assign(Value); }
};

// The memo's text painted outside editing: the whole text, wrapped by the memo's flags. A memo never
// shows a selection bar, so the text editor's painting is already the memo's.
class TcxCustomMemoViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxCustomMemoViewInfo, TcxCustomTextEditViewInfo)
 public:
  TcxCustomMemoViewInfo() = default;
};

// A memo as the filter row's value editor.
class TcxFilterMemoHelper : public TcxFilterTextEditHelper {
  VW_CLASS(TcxFilterMemoHelper, TcxFilterTextEditHelper)
 public:
  TcxFilterMemoHelper() = default;
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties*, TcxValueTypeClass, bool) const override {
    return 1920;
  }
};

// Registers the memo's properties and filter helper; counted, so every start-up needs its shutdown.
void MemoUnitStartup();
void MemoUnitShutdown();
