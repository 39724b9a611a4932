#pragma once
// The popup editor: a drop-down editor whose popup shows any control of the form (a panel, even a
// whole form), named by Properties.PopupControl. While the popup is open that control stands in
// the popup and fills it; when the popup closes it goes back to its place with its former parent,
// alignment, bounds and visibility. The popup takes the focus, is sizeable and remembers the size
// the user gave it.
#include "ui/editors/DropDownEdit.h"

class TcxCustomPopupEditProperties : public TcxCustomDropDownEditProperties {
  VW_CLASS(TcxCustomPopupEditProperties, TcxCustomDropDownEditProperties)
 public:
  explicit TcxCustomPopupEditProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  // Watched: a freed control leaves nil here.
  TControl* PopupControl() const { return FPopupControl; }
  void SetPopupControl(TControl* Value);

  TClass EditClass() override;
  TcxEditPopupWindowClass PopupWindowClass() override;
  bool PopupUsesLookupList() override { return false; }
  bool PopupTakesFocus() override { return true; }
  void ComponentFreed(TComponent* AComponent) override;

 protected:
  TcxCustomPopupEditProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

 private:
  void Construct();

  TControl* FPopupControl = nullptr;
};

class TcxPopupEditProperties : public TcxCustomPopupEditProperties {
  VW_CLASS(TcxPopupEditProperties, TcxCustomPopupEditProperties)
 public:
  explicit TcxPopupEditProperties(TPersistent* AOwner);
  static void DeclareProperties(TPropTable& t);

 private:
  bool MaxLengthStored() { return TextAssignedValues()->MaxLength(); }
  TBitmap* ButtonGlyphValue() { return ButtonGlyph(); }
};

class TcxCustomPopupEdit : public TcxCustomDropDownEdit {
  VW_CLASS(TcxCustomPopupEdit, TcxCustomDropDownEdit)
 public:
  explicit TcxCustomPopupEdit(TComponent* AOwner);
  ~TcxCustomPopupEdit() override;

  TcxCustomPopupEditProperties* ActivePopupProperties() {
    return static_cast<TcxCustomPopupEditProperties*>(ActiveProperties());
  }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  // Closes the popup with Reason once the handler that asks has returned: for controls inside it.
  virtual void RequestClose(TcxPopupCloseReason Reason);
  virtual void RestorePopupControl();
  virtual void SavePopupControlState();

  // ---- overrides ---------------------------------------------------------------------------------------
  bool HasPopupContent() override { return ActivePopupProperties()->PopupControl() != nullptr; }
  void InitializePopup() override;
  TWinControl* PopupFocusTarget() override;
  void PopupControlSize(TSize& Size) override;
  void ShowPopupWindow() override;
  void FitPopupContent(const TRect& ClientRect) override;

 protected:
  TcxCustomPopupEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void PopupWindowClosed(TObject* Sender) override;

 private:
  TAlign FSavedAlign = alNone;
  TRect FSavedBounds;
  // Watched: a parent freed while the popup is open is not given the control back.
  TWinControl* FSavedParent = nullptr;
  bool FSavedVisible = false;
  TFormBorderStyle FSavedBorderStyle = bsNone;
  // The control's state is saved: one save for each show, one restore for each close.
  bool FStateSaved = false;
  std::unique_ptr<TcxFreeNotificator> FParentWatch;
};

// The published popup editor.
class TcxPopupEdit : public TcxCustomPopupEdit {
  VW_CLASS(TcxPopupEdit, TcxCustomPopupEdit)
 public:
  explicit TcxPopupEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxPopupEditProperties* Properties() { return static_cast<TcxPopupEditProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxPopupEditProperties* Value) { Properties()->Assign(Value); }

};
