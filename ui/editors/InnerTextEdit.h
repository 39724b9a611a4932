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

// What the adapters of the single-line edit box and of the memo answer alike: both inner controls
// are platform edits with the same bookkeeping (bounds lock, swallowed keys, selection event).
template <class TInner, class TInterface>
class TcxInnerEditAdapter : public TcxInterfacedPersistent, public TInterface {
 public:
  explicit TcxInnerEditAdapter(TInner* AEdit) : TcxInterfacedPersistent(nullptr), FEdit(AEdit) {}

  // IcxContainerInnerControl
  TcxContainer* ControlContainer() override { return dynamic_cast<TcxContainer*>(FEdit->Owner()); }
  TWinControl* InnerControl() override { return FEdit; }
  // IcxCustomInnerEdit
  bool HandlesClipboardMessages() override { return false; }
  void TakeInnerFocus() override {
    // Focusing must not select the text: that is the editor's decision.
    bool autoSelect = FEdit->AutoSelect();
    FEdit->SetAutoSelect(false);
    try {
      if (FEdit->CanFocus()) FEdit->SetFocus();
    } catch (...) {
      FEdit->SetAutoSelect(autoSelect);
      throw;
    }
    FEdit->SetAutoSelect(autoSelect);
  }
  void SetEditor(TcxCustomEdit*) override {}
  void SetOnChange(TNotifyEvent Handler) override { FEdit->OnChange = std::move(Handler); }
  void SetInnerReadOnly(bool Value) override { FEdit->SetReadOnly(Value); }
  // IcxInnerTextEdit
  void LockBounds(bool Lock) override { FEdit->LockBounds(Lock); }
  void ClearSelection() override { FEdit->ClearSelection(); }
  void CopyToClipboard() override { FEdit->CopyToClipboard(); }
  bool AutoSelect() override { return FEdit->AutoSelect(); }
  void SetAutoSelect(bool Value) override { FEdit->SetAutoSelect(Value); }
  TEditCharCase CharCase() override { return FEdit->CharCase(); }
  void SetCharCase(TEditCharCase Value) override { FEdit->SetCharCase(Value); }
  int FirstVisibleCharIndex() override {
    if (!FEdit->HandleAllocated()) return 0;
    return win::LOWORD(win::SendMessage(FEdit->Handle(), win::EM_CHARFROMPOS, 0, 0));
  }
  bool HideSelection() override { return FEdit->HideSelection(); }
  void SetHideSelection(bool Value) override { FEdit->SetHideSelection(Value); }
  // Input-method text arrives as whole characters: nothing is ever pending.
  TChar PendingImeChar() override { return 0; }
  TImeMode ImeMode() override { return FEdit->ImeMode(); }
  void SetImeMode(TImeMode Value) override { FEdit->SetImeMode(Value); }
  TImeName ImeName() override { return FEdit->ImeName(); }
  void SetImeName(const TImeName& Value) override { FEdit->SetImeName(Value); }
  bool KeySwallowed() override { return FEdit->KeySwallowed(); }
  void SetKeySwallowed(bool Value) override { FEdit->SetKeySwallowed(Value); }
  int MaxLength() override { return FEdit->MaxLength(); }
  void SetMaxLength(int Value) override { FEdit->SetMaxLength(Value); }
  bool OEMConvert() override { return FEdit->OEMConvert(); }
  void SetOEMConvert(bool Value) override { FEdit->SetOEMConvert(Value); }
  TNotifyEvent OnSelectionSet() override { return FEdit->OnSelectionSet; }
  void SetOnSelectionSet(TNotifyEvent Value) override { FEdit->OnSelectionSet = std::move(Value); }
  int SelLength() override { return FEdit->HandleAllocated() ? FEdit->SelLength() : 0; }
  void SetSelLength(int Value) override {
    if (FEdit->HandleAllocated()) FEdit->SetSelLength(Value);
  }
  int SelStart() override { return FEdit->HandleAllocated() ? FEdit->SelStart() : 0; }
  void SetSelStart(int Value) override {
    if (FEdit->HandleAllocated()) FEdit->SetSelStart(Value);
  }
  String SelText() override { return FEdit->HandleAllocated() ? FEdit->SelText() : String(); }
  void SetSelText(const String& Value) override { FEdit->SetSelText(Value); }
  void SelectAll() override {
    if (FEdit->HandleAllocated()) FEdit->SelectAll();
  }

 protected:
  TInner* FEdit;
};

class TcxCustomInnerTextEditHelper : public TcxInnerEditAdapter<TcxCustomInnerTextEdit, IcxInnerTextEdit> {
  VW_CLASS(TcxCustomInnerTextEditHelper, TcxInterfacedPersistent)
 public:
  explicit TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* AEdit) : TcxInnerEditAdapter(AEdit) {}

  Variant InnerEditValue() override;
  void SetInnerEditValue(const Variant& Value) override;
  TAlignment Alignment() override;
  void SetAlignment(TAlignment Value) override;
  TcxEditEchoMode EchoMode() override;
  void SetEchoMode(TcxEditEchoMode Value) override;
  bool IsMultiLine() override { return false; }
  TChar PasswordChar() override;
  void SetPasswordChar(TChar Value) override;
  bool UseLeftAlignmentOnEditing() override;
  void SetUseLeftAlignmentOnEditing(bool Value) override;
};

// What the single-line edit box and the memo do alike as an editor's inner control: clicks, mouse,
// drag and keys go to the editor first (a key it takes goes no further), the bounds stay while the
// editor locks them, the editor decides whether they can take the focus, and the container sees
// their messages before the platform does.
template <class TBase>
class TcxInnerEditControl : public TBase {
 public:
  explicit TcxInnerEditControl(TComponent* AOwner) : TBase(AOwner) {}

  // The editor that owns the control; nil when it stands alone.
  TcxCustomTextEdit* OwnerEdit() const;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  bool CanFocus() override;

  bool KeySwallowed() const { return FKeySwallowed; }
  void SetKeySwallowed(bool Value) { FKeySwallowed = Value; }
  int BoundsLockCount() const { return FBoundsLockCount; }
  void LockBounds(bool Lock);
  TNotifyEvent OnSelectionSet;

 protected:
  void CreateHandle() override;
  void Click() override;
  void DblClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void DefaultHandler(TMessage& Message) override;
  // The editor takes the message first (its key handling, or a left press that starts its
  // automatic dragging): true when nothing more is to be done with it.
  bool OwnerTakesMessage(TMessage& Message);

  bool FKeySwallowed = false;
  // Set until the constructor ends: the platform constructor's bounds are not the editor's.
  bool FCreating = true;
  int FBoundsLockCount = 0;
};

// Both instances are made with the members in InnerTextEdit.cpp.
extern template class TcxInnerEditControl<TCustomEdit>;
extern template class TcxInnerEditControl<TMemo>;

class TcxCustomInnerTextEdit : public TcxInnerEditControl<TCustomEdit>, public IcxInnerEditHelper {
  VW_CLASS(TcxCustomInnerTextEdit, TCustomEdit)
 public:
  explicit TcxCustomInnerTextEdit(TComponent* AOwner);
  ~TcxCustomInnerTextEdit() override;

  IcxCustomInnerEdit* InnerEditAdapter() override { return FHelper.get(); }
  TcxCustomInnerTextEditHelper* Helper() const { return FHelper.get(); }

  // Left margin 0, right margin 1.
  virtual void ResetInnerMargins();

  // ---- what the adapter reads and writes ----------------------------------------------------------
  TAlignment InnerAlignment() const { return FAlignment; }
  void SetInnerAlignment(TAlignment Value);
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value);
  TChar InnerPasswordChar() const { return FPasswordChar; }
  void SetInnerPasswordChar(TChar Value);
  bool UseLeftAlignmentOnEditing() const { return FUseLeftAlignmentOnEditing; }
  void SetUseLeftAlignmentOnEditing(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateHandle() override;
  void CreateWnd() override;
  bool DoMouseWheel(TShiftState, int, win::POINT) override { return false; }
  void KeyPress(TChar& Key) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
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
  TChar FPasswordChar = 0;
  bool FUseLeftAlignmentOnEditing = true;
};

// The character index at the caret of a windowed edit.
int CaretCharIndex(TWinControl* Edit);
// After an inner control's WM_SETFOCUS or WM_KILLFOCUS: the editor's focus changed, unless the focus
// only came over from the editor itself or the inner control is going.
void NotifyOwnerOfInnerFocus(TWinControl* Inner, TcxCustomEdit* Owner, const TMessage& Message);
