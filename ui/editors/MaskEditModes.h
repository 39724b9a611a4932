#pragma once
// The modes of the mask editor: one object per mask kind that owns the compiled mask, decides for
// every editing key whether the edit box may handle it, performs the edit itself where it may not,
// lays texts into the mask, reads values back and validates the text on exit.
//
// The standard mode works on the fixed positions of a picture mask: one character per position,
// typing overwrites the position under a one-character block caret, literals are skipped. The
// regular-expression mode feeds the text before the caret into the engine and refuses what it
// refuses; it keeps its own picture of the text as a head (before the caret, fed) and a tail
// (after it, not fed). The extended mode adds auto-completion: fixed characters are typed by the
// mode as soon as they are the only continuation, and a typed character with the fixed ones after
// it moves and deletes as one unit.
//
// A mode made without an editor (by the properties) works on texts only. The engines compare
// bytes, so a mode takes only ASCII: other characters are refused or dropped.
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "ui/controls/EditError.h"
#include "ui/editors/RegExpr.h"
#include "ui/editors/StandardMask.h"
#include "ui/editors/TextEditProperties.h"

VW_ENUM(TcxEditMaskKind, emkStandard, emkRegExpr, emkRegExprEx)
using TcxEditMask = String;

class TcxCustomMaskEdit;
class TcxCustomMaskEditProperties;
class TcxMaskEditCustomMode;

// A faulty regular-expression mask.
class EcxMaskEditError : public EcxEditError {
 public:
  using EcxEditError::EcxEditError;
};

// A mode "class": its metaclass and how to make one.
struct TcxMaskEditModeClassInfo {
  TClass Class;
  TcxMaskEditCustomMode* (*Construct)(TcxCustomMaskEdit* Editor, TcxCustomMaskEditProperties* Properties);
};
using TcxMaskEditCustomModeClass = const TcxMaskEditModeClassInfo*;

template <class T>
TcxMaskEditCustomModeClass MaskEditModeClass() {
  static const TcxMaskEditModeClassInfo info{
      T::StaticClass(), [](TcxCustomMaskEdit* Editor, TcxCustomMaskEditProperties* Properties)
                            -> TcxMaskEditCustomMode* { return new T(Editor, Properties); }};
  return &info;
}

class TcxMaskEditCustomMode : public TObject {
  VW_CLASS(TcxMaskEditCustomMode, TObject)
 public:
  // The properties are kept only when there is no editor.
  TcxMaskEditCustomMode(TcxCustomMaskEdit* AEditor, TcxCustomMaskEditProperties* AProperties);

  // The editor's active properties, or the stored ones without an editor.
  TcxCustomMaskEditProperties* Properties();
  TcxCustomMaskEdit* Editor() const { return FEditor; }
  // An editor whose inner control exists.
  bool EditorAttached();
  void BeepIfAllowed();

  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
  TcxEditEchoMode EchoMode() const { return FEchoMode; }
  void SetEchoMode(TcxEditEchoMode Value) { FEchoMode = Value; }
  const String& MaskText() const { return FMaskText; }
  // The length of the text being pasted or applied: set by the editor before a paste.
  int ClipboardTextLength() const { return FClipboardTextLength; }
  void SetClipboardTextLength(int Value) { FClipboardTextLength = Value; }
  bool NeedUpdate() const { return FNeedUpdate; }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual TcxEditMaskKind MaskKind() { return emkStandard; }
  virtual void AfterPaste() = 0;
  virtual void SetMaskText(const String& Mask) { FMaskText = Mask; }
  virtual String EmptyValueText() = 0;
  virtual String FormatText(const String& Text, bool TextHasLiterals) = 0;
  virtual void PrepareSelectAll() = 0;
  virtual bool CaretAtStart() = 0;
  virtual bool CaretAtEnd() = 0;
  virtual bool IsTextValid(const String& Text) = 0;
  virtual void NoteMouseAction() = 0;
  virtual void BeforePaste() = 0;
  // The key operations answer whether the edit box may handle the key itself.
  virtual bool BackspaceKey() = 0;
  virtual bool DeleteKey() = 0;
  virtual bool EndKey() = 0;
  virtual bool HomeKey() = 0;
  virtual bool LeftKey() = 0;
  virtual bool RightKey() = 0;
  virtual bool CharKey(TChar& Key) = 0;
  virtual void SetText(const String& Text) = 0;
  virtual void SynchronizeEditValue();
  virtual void UpdateEditValue() = 0;
  virtual String ValueFromText(const String& Text, bool TextHasLiterals) = 0;

 protected:
  // What the modes read of the editor: 0 and empty without one.
  int SelStart();
  int SelLength();
  int CaretIndex();
  bool ShiftHeld();
  // The edit box's text with its literals.
  String EditorText();
  void SetNeedUpdate(bool Value) { FNeedUpdate = Value; }

 private:
  TEditCharCase FCharCase = ecNormal;
  TcxEditEchoMode FEchoMode = eemNormal;
  String FMaskText;
  TcxCustomMaskEditProperties* FProperties = nullptr;
  int FClipboardTextLength = 0;
  TcxCustomMaskEdit* FEditor = nullptr;
  bool FNeedUpdate = false;
};

class TcxMaskEditStandardMode : public TcxMaskEditCustomMode {
  VW_CLASS(TcxMaskEditStandardMode, TcxMaskEditCustomMode)
 public:
  TcxMaskEditStandardMode(TcxCustomMaskEdit* AEditor, TcxCustomMaskEditProperties* AProperties)
      : TcxMaskEditCustomMode(AEditor, AProperties) {}

  const TcxStandardMask& Mask() const { return FMask; }

  TcxEditMaskKind MaskKind() override { return emkStandard; }
  void AfterPaste() override;
  void SetMaskText(const String& Mask) override;
  String EmptyValueText() override;
  String FormatText(const String& Text, bool TextHasLiterals) override;
  void PrepareSelectAll() override {}
  bool CaretAtStart() override;
  bool CaretAtEnd() override;
  bool IsTextValid(const String& Text) override;
  void NoteMouseAction() override;
  void BeforePaste() override;
  bool BackspaceKey() override;
  bool DeleteKey() override;
  bool EndKey() override;
  bool HomeKey() override;
  bool LeftKey() override;
  bool RightKey() override;
  bool CharKey(TChar& Key) override;
  void SetText(const String&) override { NoteMouseAction(); }
  void SynchronizeEditValue() override;
  void UpdateEditValue() override;
  String ValueFromText(const String& Text, bool TextHasLiterals) override;

  virtual char BlankCharAt(int) { return FMask.BlankChar(); }

 private:
  bool IsLiteralAt(int Position) const { return Position >= 0 && Position < FMask.Count() && FMask.IsLiteral(Position); }
  bool HasPositions() const { return FMask.Count() > 0; }
  void MoveCaret(int Position);

  TcxStandardMask FMask;
  int FSelStartBeforePaste = 0;
};

class TcxMaskEditRegExprMode : public TcxMaskEditCustomMode {
  VW_CLASS(TcxMaskEditRegExprMode, TcxMaskEditCustomMode)
 public:
  TcxMaskEditRegExprMode(TcxCustomMaskEdit* AEditor, TcxCustomMaskEditProperties* AProperties);
  ~TcxMaskEditRegExprMode() override;

  TcxRegExpr* Engine() const { return FEngine.get(); }
  // The picture of the text: head + tail is the editor's text, the engine stands after the head.
  const String& Head() const { return FHead; }
  const String& Tail() const { return FTail; }

  TcxEditMaskKind MaskKind() override { return emkRegExpr; }
  void AfterPaste() override {}
  void SetMaskText(const String& Mask) override;
  String EmptyValueText() override { return String(); }
  String FormatText(const String& Text, bool TextHasLiterals) override;
  void PrepareSelectAll() override;
  bool CaretAtStart() override { return SelStart() == 0; }
  bool CaretAtEnd() override;
  bool IsTextValid(const String& Text) override;
  void NoteMouseAction() override { FResync = true; }
  void BeforePaste() override {}
  bool BackspaceKey() override;
  bool DeleteKey() override;
  bool EndKey() override;
  bool HomeKey() override;
  bool LeftKey() override;
  bool RightKey() override;
  bool CharKey(TChar& Key) override;
  void SetText(const String& Text) override;
  void SynchronizeEditValue() override;
  void UpdateEditValue() override {}
  String ValueFromText(const String& Text, bool) override { return Text; }

  virtual void CutSelectionOut();
  virtual void PutSelectionBack();

 protected:
  void Resync();
  // Whether the tail still matches after the head; the engine stands where it stood.
  bool TailFits();
  // Removes the tail from the edit box and forgets it.
  void DropTail();
  // Offers Text to the engine character by character; answers how many it accepted, stopping at
  // the first refusal when StopAtRefusal.
  int Feed(const String& Text, bool StopAtRefusal);
  void StepBack(int Count);
  // A new engine compiled from the mode's mask, case-insensitive as the properties say; null when
  // the mode's engine is not compiled.
  std::unique_ptr<TcxRegExpr> CompileProbe();
  // The shared steps of the key operations: resync first, then the cut-out selection forgotten
  // and, for a refusal, a beep.
  bool FinishKey(bool Result);
  bool Compiled() const { return FEngine->Compiled(); }

  bool FSelectionAtStart = false;
  String FHead;
  std::unique_ptr<TcxRegExpr> FEngine;
  String FCutText;
  String FTail;
  bool FResync = false;
};

class TcxMaskEditRegExprExMode : public TcxMaskEditRegExprMode {
  VW_CLASS(TcxMaskEditRegExprExMode, TcxMaskEditRegExprMode)
 public:
  TcxMaskEditRegExprExMode(TcxCustomMaskEdit* AEditor, TcxCustomMaskEditProperties* AProperties);

  const String& AddedText() const { return FAddedText; }

  TcxEditMaskKind MaskKind() override { return emkRegExprEx; }
  void SetMaskText(const String& Mask) override;
  String EmptyValueText() override;
  String FormatText(const String& Text, bool TextHasLiterals) override;
  void PrepareSelectAll() override;
  bool IsTextValid(const String& Text) override;
  void BeforePaste() override;
  bool BackspaceKey() override;
  bool DeleteKey() override;
  bool EndKey() override;
  bool HomeKey() override;
  bool LeftKey() override;
  bool RightKey() override;
  bool CharKey(TChar& Key) override;
  void SetText(const String& Text) override;
  void UpdateEditValue() override;
  void CutSelectionOut() override;
  void PutSelectionBack() override;

  void ClearAdded();

 protected:
  void ResyncUnits();
  void RefeedTail();

 private:
  // The fixed characters every match begins with, from a probe engine; empty when not compiled.
  String ProbeFixedStart();
  void SetAutoComplete(bool Value) { FEngine->SetAutoComplete(Value); }
  // Switches auto-completion back on; when that inserted fixed characters, steps back over them.
  void ResumeAutoCompleteWithoutInsert();
  void UnitForward();
  void UnitBack();
  // A selection from position 0 over the fixed start: the start is kept and the selection shrunk.
  bool KeepFixedStart(int SelectionLength);
  void RefeedOrDropTail();
  bool KeyDone();
  bool BeginKey();
  bool CutSelectionKeepingFixedStart();

  String FProbeText;
  int FRemovedCount = 0;
  int FPendingCaret = -1;
  String FAddedText;
};
