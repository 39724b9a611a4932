#pragma once
// The mask editor: the text editor with an input mask, and the base of the drop-down editors, the
// combo box and the spin editor. A mode object (MaskEditModes.h) owns the mask, filters the keys
// and keeps the text in the mask's shape. While the properties hold no mask (an empty or blank
// EditMask) the editor is exactly the text editor: every override asks HasMask first.
#include <memory>

#include "ui/editors/MaskEditModes.h"
#include "ui/editors/MaskEditProperties.h"
#include "ui/editors/TextEdit.h"

class TcxCustomMaskEdit : public TcxCustomTextEdit {
  VW_CLASS(TcxCustomMaskEdit, TcxCustomTextEdit)
 public:
  explicit TcxCustomMaskEdit(TComponent* AOwner);
  ~TcxCustomMaskEdit() override;

  TcxCustomMaskEditProperties* ActiveMaskProperties();
  // The active properties hold a mask that is not blank.
  bool HasMask();
  TcxMaskEditCustomMode* Mode() const { return FMode.get(); }

  // The text the edit box holds now, literals included; empty without an edit box. The consoles
  // read a combo box's chosen text with it.
  String EditValueText();
  // The bare value of the text (a picture mask's value, else the text itself).
  const String& ValueText() const { return FValueText; }

  // A key-down or character sent to the edit box with the editor's own key handling off: no key
  // events fire, only the edit box's default processing runs.
  void SendKeyDown(win::WORD Key, TShiftState Shift);
  void SendChar(TChar Ch);
  bool IsSimulatingKey() const { return FSimulatingKey; }
  // Selection writes that do not count as a caret placement by the operator.
  void SetSelStartQuietly(int Value);
  void SetSelLengthQuietly(int Value);
  bool IsMovingCaretQuietly() const { return FCaretMoveGuard; }
  // Whether Shift was down at the last key-down; the modes read it.
  bool ShiftHeld() const { return FShiftHeld; }
  void SetShiftHeld(bool Value) { FShiftHeld = Value; }

  String MaskEmptyValueText();
  void ApplyTextThroughMask(const String& Text);
  bool ModeCaretAtStart() { return FMode && FMode->CaretAtStart(); }
  bool ModeCaretAtEnd() { return FMode && FMode->CaretAtEnd(); }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  // True: text set from outside goes through the mode.
  virtual bool MaskAppliesToText() { return true; }
  // Asked before the picture mode puts Key at the 1-based Position; #0 makes the mode beep instead.
  virtual bool AcceptsMaskChar(TChar&, int) { return true; }
  // After loading: the editor text becomes the edit value through the mask.
  virtual void AdoptTextAfterLoad();

  // ---- overrides of the text editor and the editor base ---------------------------------------------
  void InitializeEditor() override;
  void PropertiesChanged(TObject* Sender) override;
  void HandleDataChanged() override;
  String CurrentText() override;
  bool ApplyText(const String& Text) override;
  bool AllowsFreeTyping() override;
  void ApplyEditValue(const Variant& Value) override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool Focused) override;
  void RefreshDisplayText() override;
  void ReformatText() override;
  void AfterTextChangeHook(TObject* Sender) override;
  void ApplyTypedText(const String& Fragment) override;
  void PasteText() override;
  void CutSelectedText() override;
  void DeleteSelectedText() override;
  void HookInnerWindowProc() override;
  void UnhookInnerWindowProc() override;
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void EditKeyPress(TChar& Key) override;
  void EditKeyUp(win::WORD& Key, TShiftState Shift) override;
  void DblClick() override;

 protected:
  TcxCustomMaskEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void Loaded() override;
  void DoEnter() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;

 private:
  void Construct();
  void SendToInnerEdit(win::UINT Msg, win::WPARAM WParam);
  void RefreshValueText();
  bool IsStandardMode() const { return FMode && FMode->MaskKind() == emkStandard; }

  bool FCaretMoveGuard = false;
  std::unique_ptr<TcxMaskEditCustomMode> FMode;
  bool FSimulatingKey = false;
  bool FShiftHeld = false;
  String FValueText;
  bool FRedrawHeld = false;
};

// The published mask editor.
class TcxMaskEdit : public TcxCustomMaskEdit {
  VW_CLASS(TcxMaskEdit, TcxCustomMaskEdit)
 public:
  explicit TcxMaskEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxMaskEditProperties* Properties() { return static_cast<TcxMaskEditProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxMaskEditProperties* Value) { Properties()->Assign(Value); }
  bool InplaceTextQuery() override { return AllowsFreeTyping(); }

};

// A mask editor as the filter row's value editor.
class TcxFilterMaskEditHelper : public TcxFilterTextEditHelper {
  VW_CLASS(TcxFilterMaskEditHelper, TcxFilterTextEditHelper)
 public:
  TcxFilterMaskEditHelper() = default;
  TClass FilterEditorClass() const override { return TcxMaskEdit::StaticClass(); }
  TcxFilterOperatorSet SupportedFilterOperators(TcxCustomEditProperties* Properties, TcxValueTypeClass ValueTypeClass,
                                                bool Extended) const override;
  void PrepareFilterProperties(TcxCustomEditProperties* Properties, TcxCustomEditProperties* SourceProperties,
                               bool KeepButtons) const override;
};

// Registers the mask editor's properties and filter helper; counted, so every start-up needs its
// shutdown.
void MaskEditUnitStartup();
void MaskEditUnitShutdown();
