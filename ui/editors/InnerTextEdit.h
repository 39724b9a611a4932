#pragma once
// The single-line edit box inside a text editor, without border or frame. Keyboard and mouse go
// to the editor first; a key the editor takes goes no further. Unfocused, it paints right- or
// centre-aligned text itself while the editor wants left alignment for editing. The editor reaches
// it only through the interfaces of a small adapter object.
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "ui/controls/CustomEdit.h"
#include "ui/editors/TextEditProperties.h"
#include "ui/foundation/Interfaced.h"

class TcxCustomInnerTextEdit;
class TcxCustomTextEdit;

// How a text editor drives its edit box, beyond what every editor asks of its inner control.
class IcxInnerTextEdit : public IcxCustomInnerEdit {
 public:
  virtual Variant InnerEditValue() = 0;
  virtual void SetInnerEditValue(const Variant& Value) = 0;
  virtual void LockBounds(bool Lock) = 0;
  virtual void ClearSelection() = 0;
  virtual void CopyToClipboard() = 0;
  virtual TAlignment Alignment() = 0;
  virtual void SetAlignment(TAlignment Value) = 0;
  virtual bool AutoSelect() = 0;
  virtual void SetAutoSelect(bool Value) = 0;
  virtual TEditCharCase CharCase() = 0;
  virtual void SetCharCase(TEditCharCase Value) = 0;
  virtual TcxEditEchoMode EchoMode() = 0;
  virtual void SetEchoMode(TcxEditEchoMode Value) = 0;
  virtual int FirstVisibleCharIndex() = 0;
  virtual bool HideSelection() = 0;
  virtual void SetHideSelection(bool Value) = 0;
  virtual TChar PendingImeChar() = 0;
  virtual TImeMode ImeMode() = 0;
  virtual void SetImeMode(TImeMode Value) = 0;
  virtual TImeName ImeName() = 0;
  virtual void SetImeName(const TImeName& Value) = 0;
  virtual bool KeySwallowed() = 0;
  virtual void SetKeySwallowed(bool Value) = 0;
  virtual int MaxLength() = 0;
  virtual void SetMaxLength(int Value) = 0;
  virtual bool IsMultiLine() = 0;
  virtual bool OEMConvert() = 0;
  virtual void SetOEMConvert(bool Value) = 0;
  virtual TNotifyEvent OnSelectionSet() = 0;
  virtual void SetOnSelectionSet(TNotifyEvent Value) = 0;
  virtual TChar PasswordChar() = 0;
  virtual void SetPasswordChar(TChar Value) = 0;
  virtual int SelLength() = 0;
  virtual void SetSelLength(int Value) = 0;
  virtual int SelStart() = 0;
  virtual void SetSelStart(int Value) = 0;
  virtual String SelText() = 0;
  virtual void SetSelText(const String& Value) = 0;
  virtual bool UseLeftAlignmentOnEditing() = 0;
  virtual void SetUseLeftAlignmentOnEditing(bool Value) = 0;
  virtual void SelectAll() = 0;
};

class TcxCustomInnerTextEditHelper : public TcxInterfacedPersistent, public IcxInnerTextEdit {
  VW_CLASS(TcxCustomInnerTextEditHelper, TcxInterfacedPersistent)
 public:
  explicit TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* AEdit);

  // IcxContainerInnerControl
  TcxContainer* ControlContainer() override;
  TWinControl* InnerControl() override;
  // IcxCustomInnerEdit
  bool HandlesClipboardMessages() override { return false; }
  void TakeInnerFocus() override;
  void SetEditor(TcxCustomEdit*) override {}
  void SetOnChange(TNotifyEvent Handler) override;
  void SetInnerReadOnly(bool Value) override;
  // IcxInnerTextEdit
  Variant InnerEditValue() override;
  void SetInnerEditValue(const Variant& Value) override;
  void LockBounds(bool Lock) override;
  void ClearSelection() override;
  void CopyToClipboard() override;
  TAlignment Alignment() override;
  void SetAlignment(TAlignment Value) override;
  bool AutoSelect() override;
  void SetAutoSelect(bool Value) override;
  TEditCharCase CharCase() override;
  void SetCharCase(TEditCharCase Value) override;
  TcxEditEchoMode EchoMode() override;
  void SetEchoMode(TcxEditEchoMode Value) override;
  int FirstVisibleCharIndex() override;
  bool HideSelection() override;
  void SetHideSelection(bool Value) override;
  // Input-method text arrives as whole characters: nothing is ever pending.
  TChar PendingImeChar() override { return 0; }
  TImeMode ImeMode() override;
  void SetImeMode(TImeMode Value) override;
  TImeName ImeName() override;
  void SetImeName(const TImeName& Value) override;
  bool KeySwallowed() override;
  void SetKeySwallowed(bool Value) override;
  int MaxLength() override;
  void SetMaxLength(int Value) override;
  bool IsMultiLine() override { return false; }
  bool OEMConvert() override;
  void SetOEMConvert(bool Value) override;
  TNotifyEvent OnSelectionSet() override;
  void SetOnSelectionSet(TNotifyEvent Value) override;
  TChar PasswordChar() override;
  void SetPasswordChar(TChar Value) override;
  int SelLength() override;
  void SetSelLength(int Value) override;
  int SelStart() override;
  void SetSelStart(int Value) override;
  String SelText() override;
  void SetSelText(const String& Value) override;
  bool UseLeftAlignmentOnEditing() override;
  void SetUseLeftAlignmentOnEditing(bool Value) override;
  void SelectAll() override;

 private:
  TcxCustomInnerTextEdit* FEdit;
};

class TcxCustomInnerTextEdit : public TCustomEdit, public IcxInnerEditHelper {
  VW_CLASS(TcxCustomInnerTextEdit, TCustomEdit)
 public:
  explicit TcxCustomInnerTextEdit(TComponent* AOwner);
  ~TcxCustomInnerTextEdit() override;

  IcxCustomInnerEdit* InnerEditAdapter() override { return FHelper.get(); }
  TcxCustomInnerTextEditHelper* Helper() const { return FHelper.get(); }
  // The editor that owns the edit box; nil when it stands alone.
  TcxCustomTextEdit* OwnerEdit() const;

  // Left margin 0, right margin 1.
  virtual void ResetInnerMargins();

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool CanFocus() override;

  // ---- what the adapter reads and writes ----------------------------------------------------------
  TAlignment InnerAlignment() const { return FAlignment; }
  void SetInnerAlignment(TAlignment Value);
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  TChar InnerPasswordChar() const { return FPasswordChar; }
  void SetInnerPasswordChar(TChar Value);
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  bool KeySwallowed() const { return FKeySwallowed; }
  void SetKeySwallowed(bool Value) { FKeySwallowed = Value; }
  int BoundsLockCount() const { return FBoundsLockCount; }
  void LockBounds(bool Lock);
  TNotifyEvent OnSelectionSet;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateHandle() override;
  void CreateWnd() override;
  void Click() override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState, int, win::POINT) override { return false; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

 private:
  struct TEditState {
    String Text;
    bool HasText = false;
    int SelStart = 0;
    int SelLength = 0;
  };
  TEditState SaveState(bool WithText);
  bool StateChanged(const TEditState& Saved);
  bool PaintsUnfocusedText();
  void PaintUnfocusedText(TMessage& Message);
  void HandleKeyDownMessage(TMessage& Message);
  void HandleCharMessage(TMessage& Message);

  TAlignment FAlignment = taLeftJustify;
  TcxEditEchoMode FEchoMode = eemNormal;
  std::unique_ptr<TcxCustomInnerTextEditHelper> FHelper;
  bool FKeySwallowed = false;
  bool FCreating = true;
  int FBoundsLockCount = 0;
  TChar FPasswordChar = 0;
  bool FUseLeftAlignmentOnEditing = true;
};

// The character index at the caret of a windowed edit.
int CaretCharIndex(TWinControl* Edit);
