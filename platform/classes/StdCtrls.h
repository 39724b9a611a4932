#pragma once
// The standard controls: labels, edits and memos, buttons, check boxes and radio buttons, list
// and combo boxes, and group boxes. The windowed ones sit on the window system's standard classes
// (EDIT, BUTTON, LISTBOX, COMBOBOX) and keep their properties in step with the window.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Strings.h"

VW_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
VW_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
VW_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
VW_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)
// How an input method is to start in a control. Linux input methods are the desktop's: the
// mode and the method's name are kept for the form descriptions and change nothing.
VW_ENUM(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
        imSHanguel, imHanguel)
using TImeName = String;
VW_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
VW_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw)
VW_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
VW_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
        odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, win::RECT Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

namespace stdctrls_detail {

// What every standard control publishes: place, look, state and the mouse events.
inline void PublishControl(TPropTable& t) {
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("Anchors", &TControl::Anchors, &TControl::SetAnchors).SetDefault(TAnchors{akLeft, akTop});
  t.Add("Color", &TControl::Color, &TControl::SetColor).Idents(&ColorToIdent, &IdentToColor);
  t.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  t.Add("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Font", &TControl::Font, &TControl::SetFont);
  t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  t.Add("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).SetDefault(true);
  t.Add("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnContextPopup", &TControl::OnContextPopup);
  t.Add("OnDblClick", &TControl::OnDblClick);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
  t.Add("OnMouseEnter", &TControl::OnMouseEnter);
  t.Add("OnMouseLeave", &TControl::OnMouseLeave);
  t.Add("OnMouseMove", &TControl::OnMouseMove);
  t.Add("OnMouseUp", &TControl::OnMouseUp);
  t.Add("OnResize", &TControl::OnResize);
}

// And a windowed one: the tab order and the keyboard.
inline void PublishWinControl(TPropTable& t) {
  PublishControl(t);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  t.Add("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  t.Add("OnEnter", &TWinControl::OnEnter);
  t.Add("OnExit", &TWinControl::OnExit);
  t.Add("OnKeyDown", &TWinControl::OnKeyDown);
  t.Add("OnKeyPress", &TWinControl::OnKeyPress);
  t.Add("OnKeyUp", &TWinControl::OnKeyUp);
}

}  // namespace stdctrls_detail

// ---- labels ----------------------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
  VW_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  void SetAutoSize(bool Value) override;

 protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  // Draws or, with DT_CALCRECT among the flags, measures the caption.
  virtual void DoDrawText(win::RECT& Rect, win::UINT Flags);
  virtual void AdjustBounds();

 private:
  TWinControl* FFocusControl = nullptr;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
  VW_CLASS(TLabel, TCustomLabel)
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---- edits -----------------------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
  VW_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  TImeName ImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value) { FImeName = Value; }
  // Text converted to the OEM code page and back as typed; with no OEM code page here it is kept
  // as the window style and changes nothing.
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  bool Modified();
  void SetModified(bool Value);

  // Positions and lengths count characters.
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void Clear();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void DoEnter() override;
  void CMTextChanged(TMessage& Message) override;
  virtual void Change();

 private:
  int FMaxLength = 0;
  TFormBorderStyle FBorderStyle = bsSingle;
  TEditCharCase FCharCase = ecNormal;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  bool FOEMConvert = false;
  char FPasswordChar = 0;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FAutoSelect = true;
  bool FModified = false;
};

class TEdit : public TCustomEdit {
  VW_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TCustomMemo;

// A memo's lines: read from and written to the window while it has one.
class TMemoStrings : public TStrings {
  VW_CLASS(TMemoStrings, TStrings)
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
  int Add(const String& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  String Text() override;
  void SetText(const String& Value) override;

 protected:
  String Get(int Index) override;
  int GetCount() override;
  void Put(int Index, const String& S) override;
  void SetUpdateState(bool Updating) override;

 private:
  // Without word wrap each row of the window is a line, and the window answers for the lines.
  bool LinesAreRows();
  std::vector<String> Split();
  void Join(const std::vector<String>& Lines);
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
  VW_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  static void DeclareProperties(TPropTable& t);

  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Column (X) and line (Y) of the caret, from 0.
  win::POINT CaretPos();
  void SetCaretPos(win::POINT Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void KeyPress(TChar& Key) override;

 private:
  friend class TMemoStrings;
  TStrings* FLines;
  TScrollStyle FScrollBars = ssNone;
  TAlignment FAlignment = taLeftJustify;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
  VW_CLASS(TMemo, TCustomMemo)
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

// ---- buttons ---------------------------------------------------------------------------------------

// Where a button's glyph sits beside its caption.
VW_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)

class TButtonControl;

// The link of a button: a check box or radio button also follows the action's Checked, without
// a click of its own.
class TButtonActionLink : public TWinControlActionLink {
  VW_CLASS(TButtonActionLink, TWinControlActionLink)
 public:
  explicit TButtonActionLink(TObject* AClient) : TWinControlActionLink(AClient) { AssignClient(AClient); }
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;

 protected:
  void AssignClient(TObject* AClient) override;
  TButtonControl* FButton = nullptr;
};

class TButtonControl : public TWinControl {
  VW_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  std::unique_ptr<TControlActionLink> CreateActionLink() override;
  // Check boxes and radio buttons: what Checked reads and writes.
  virtual bool GetChecked() { return false; }
  virtual void SetChecked(bool) {}
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
  // Set while a change by code runs, so the BN_CLICKED it causes is not a second click.
  bool FClicksDisabled = false;

 private:
  friend class TButtonActionLink;

 private:
  bool FWordWrap = false;
};

class TButton : public TButtonControl {
  VW_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  // Shows the button as the one Enter presses, or not; library buttons that draw themselves
  // override it to repaint instead.
  virtual void SetButtonStyle(bool ADefault);
  // The button Enter presses now: the focused button, else the default one.
  bool Active() const { return FActive; }

 private:
  TModalResult FModalResult = mrNone;
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
};

class TCustomCheckBox : public TButtonControl {
  VW_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  bool Checked() { return GetChecked(); }
  void SetCheckedValue(bool Value) { SetChecked(Value); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  bool GetChecked() override { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  // The operator's click: unchecked, checked, grayed (when allowed), unchecked again.
  virtual void Toggle();

 private:
  TCheckBoxState FState = cbUnchecked;
  TAlignment FAlignment = taRightJustify;
  bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
  VW_CLASS(TCheckBox, TCustomCheckBox)
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
  VW_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  bool Checked() { return GetChecked(); }
  void SetCheckedValue(bool Value) { SetChecked(Value); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  bool GetChecked() override { return FChecked; }
  void SetChecked(bool Value) override;

 private:
  TAlignment FAlignment = taRightJustify;
  bool FChecked = false;
};

// ---- list and combo boxes ------------------------------------------------------------------------

// The items of a list or combo box: kept here and mirrored into the window while it has one, so
// they survive the window being made again.
class TListControlStrings : public TStrings {
  VW_CLASS(TListControlStrings, TStrings)
 public:
  TListControlStrings(TWinControl* Control, bool Combo) : FControl(Control), FCombo(Combo) {}
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Gives every item to a window just made.
  void Push();

 protected:
  String Get(int Index) override;
  int GetCount() override { return static_cast<int>(FItems.size()); }
  TObject* GetObject(int Index) override;
  void Put(int Index, const String& S) override;
  void PutObject(int Index, TObject* AObject) override;

 private:
  void Check(int Index, bool AllowEnd) const;
  win::UINT Msg(win::UINT ListMsg, win::UINT ComboMsg) const { return FCombo ? ComboMsg : ListMsg; }
  bool Live() const { return FControl->HandleAllocated(); }
  TWinControl* FControl;
  bool FCombo;
  bool FSorted = false;
  std::vector<std::pair<String, TObject*>> FItems;
};

// The index of the item of a virtual list box whose text starts with FindString, or -1.
using TLBFindDataEvent = std::function<int(TWinControl* Control, const String& FindString)>;

class TCustomListBox : public TWinControl {
  VW_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  static void DeclareProperties(TPropTable& t);

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  // The items, or for the virtual styles the count set.
  int Count();
  void SetCount(int Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  int TopIndex();
  void SetTopIndex(int Value);
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  // The item at a client point; -1 for none, or with Existing false the count below the last.
  int ItemAtPos(win::POINT Pos, bool Existing);
  win::RECT ItemRect(int Index);
  void Clear() { FItems->Clear(); }

  // Typing selects the first item that starts with what was typed within half a second.
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }

  TCanvas* Canvas() const { return FCanvas; }
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  TLBFindDataEvent OnDataFind;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void KeyPress(TChar& Key) override;
  // Where the virtual styles find typed text: OnDataFind, else nothing.
  virtual int DoFindData(const String& Data);
  virtual void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

 private:
  TListControlStrings* FItems;
  TCanvas* FCanvas;
  int FItemHeight = 16;
  int FScrollWidth = 0;
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FCount = 0;
  std::vector<bool> FSelected;
  TListBoxStyle FStyle = lbStandard;
  TFormBorderStyle FBorderStyle = bsSingle;
  String FFilter;
  win::DWORD FLastTime = 0;
  bool FAutoComplete = true;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
};

class TListBox : public TCustomListBox {
  VW_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TCustomComboBox : public TWinControl {
  VW_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;
  static void DeclareProperties(TPropTable& t);

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex();
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  virtual void Change();
  virtual void Select();

 private:
  friend class TListControlStrings;
  TListControlStrings* FItems;
  int FItemIndex = -1;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  int FMaxLength = 0;
  TComboBoxStyle FStyle = csDropDown;
  bool FSorted = false;
  // Set while code changes the text, which is no edit of the operator's.
  bool FSettingText = false;
  // The edit part, subclassed so that what is typed there passes KeyPress.
  static win::LRESULT EditWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  void ReleaseEditPart();
  win::HWND FEditHandle = nullptr;
  win::WNDPROC FEditDefProc = nullptr;
};

class TComboBox : public TCustomComboBox {
  VW_CLASS(TComboBox, TCustomComboBox)
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// ---- group box -------------------------------------------------------------------------------------

class TCustomGroupBox : public TCustomControl {
  VW_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* AOwner);

 protected:
  void Paint() override;
  void AdjustClientRect(win::RECT& Rect) override;
  void CMTextChanged(TMessage& Message) override;
};

class TGroupBox : public TCustomGroupBox {
  VW_CLASS(TGroupBox, TCustomGroupBox)
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
