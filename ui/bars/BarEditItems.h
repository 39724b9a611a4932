#pragma once
// Edit and combo items: a text box on a toolbar or in a menu. The item owns the text, the key and
// change events and, for combos, the drop-down window; the control of each link owns the inner edit
// window, takes the keyboard and commits or cancels what was typed. The list combo supplies its own
// drop-down: a list box of its strings with incremental matching.
#include <functional>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/Strings.h"
#include "ui/bars/BarItem.h"
#include "ui/foundation/Types.h"

class TdxBarDropDownListBox;
class TdxBarPainter;
class TCustomdxBarControl;
class TCustomdxBarCombo;
class TdxBarCustomCombo;

using TdxBarCheckKeyForDropDownWindowEvent =
    std::function<void(TCustomdxBarCombo* Sender, win::WORD Key, TShiftState Shift, bool& AcceptKey)>;
using TdxBarGetDropDownWindowEvent = std::function<void(TObject* Sender, win::HWND& Window)>;
using TdxBarDrawItemEvent =
    std::function<void(TdxBarCustomCombo* Sender, int AIndex, const TRect& ARect, TOwnerDrawState AState)>;
using TdxBarMeasureItemEvent = std::function<void(TdxBarCustomCombo* Sender, int AIndex, int& AHeight)>;

// An item shown through a control with an inner window. A shortcut never clicks it, and a vertical
// toolbar that turns its texts shows it as a button.
class TdxBarWindowItem : public TdxBarItem {
  VW_CLASS(TdxBarWindowItem, TdxBarItem)
 public:
  explicit TdxBarWindowItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  const String& Text() const { return FText; }
  // When different: stored, the controls repainted, OnChange, repainted again.
  virtual void SetText(const String& Value);
  // The control shows no edit field (the combos' ShowEditor, negated).
  bool NoEditor() const { return FNoEditor; }
  void SetNoEditor(bool Value) { FNoEditor = Value; }

  bool ClicksDirectly() const override { return false; }
  TClass ControlClass(bool ARotated) override;

  // The active link while its window control edits; nil otherwise.
  TdxBarItemLink* EditingLink() const;
  // What the user sees now: the active link's window text when a window control shows it, else Text.
  String CurrentText() const;
  // Enters the editor of the first toolbar link shown by a window control (with AVisibleOnly, only
  // on a toolbar window that shows); nothing without one. Menu links are not entered.
  void FocusEditor(bool AVisibleOnly);

  virtual void FireChange();
  virtual void FireCurChange();
  virtual void FireEnter();
  virtual void FireExit();
  virtual void FireKeyDown(win::WORD& Key, TShiftState Shift);
  virtual void FireKeyPress(TChar& Key);
  virtual void FireKeyUp(win::WORD& Key, TShiftState Shift);

  TNotifyEvent OnChange;
  TNotifyEvent OnCurChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // The writer every kind ends in.
  void WriteText(const String& Value);

 private:
  bool FNoEditor = false;
  String FText;
};

// The edit kinds' common part: a width of their own (100 to start with, always stored), an edit style
// in slot 1 and the glyph of a stored form only.
class TdxCustomBarEdit : public TdxBarWindowItem {
  VW_CLASS(TdxCustomBarEdit, TdxBarWindowItem)
 public:
  explicit TdxCustomBarEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);
  static int StyleCount() { return 2; }

  TcxStyle* StyleEdit() const { return StylesData()->Styles(1); }
  void SetStyleEdit(TcxStyle* Value) { StylesData()->SetStyles(1, Value); }
  // Zero and negative widths are ignored.
  void SetWidth(int Value) override;

  bool IsReachable(TdxBarItemLink* ALink) const override;
  void DrawCustomizationEntry(TCanvas* ACanvas, const win::RECT& ARect, bool ASelected) override;

 protected:
  // The kind of entry the customization dialog draws: 0 an edit, 1 a combo.
  virtual int CustomizationEntryKind() const { return 0; }
  void ReadState(TReader* Reader) override;

 private:
  bool FGlyphCleared = false;
};

class TdxBarEdit : public TdxCustomBarEdit {
  VW_CLASS(TdxBarEdit, TdxCustomBarEdit)
 public:
  explicit TdxBarEdit(TComponent* AOwner) : TdxCustomBarEdit(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  // 0 is no limit; negative values become 0.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value < 0 ? 0 : Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }

  // Draws the text into a control's edit area through the control's painter: the text being
  // edited for the editing link, else Text.
  virtual void DrawInterior(TdxBarItemControl* AControl, TCanvas* ACanvas, TdxBarItemLink* ALink, const TRect& R);

 private:
  int FMaxLength = 0;
  bool FReadOnly = false;
};

// A combo whose drop-down window the application supplies.
class TCustomdxBarCombo : public TdxBarEdit {
  VW_CLASS(TCustomdxBarCombo, TdxBarEdit)
 public:
  explicit TCustomdxBarCombo(TComponent* AOwner) : TdxBarEdit(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  bool ShowEditor() const { return !NoEditor(); }
  void SetShowEditor(bool Value) { SetNoEditor(!Value); }

  // Whether the combo control passes the key to the open drop-down window.
  virtual bool IsDropDownKey(win::WORD Key, TShiftState Shift);
  // The window to drop down; nil for none.
  virtual win::HWND DropDownWindow();
  virtual void PrepareDropDownWindow() {}
  virtual void DropDownShown() {}
  // Hides the window and fires OnCloseUp.
  virtual void CloseUp();
  // Drops the window down at the screen point (X, Y) beside the active link's control, kept inside
  // the work area of the monitor there.
  virtual void DropDown(int X, int Y);

  TdxBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;
  TdxBarGetDropDownWindowEvent OnGetDropDownWindow;

 protected:
  int CustomizationEntryKind() const override { return 1; }
};

// A combo dropping down a list of its own strings.
class TdxBarCustomCombo : public TCustomdxBarCombo {
  VW_CLASS(TdxBarCustomCombo, TCustomdxBarCombo)
 public:
  explicit TdxBarCustomCombo(TComponent* AOwner);
  ~TdxBarCustomCombo() override;
  static void DeclareProperties(TPropTable& t);

  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  // Above 0 the list's whole width; 0 fits the control and the widest entry.
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value) { FDropDownWidth = Value; }
  // Above 0 every entry's height; 0 measures the font.
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  int ItemIndex() const { return FItemIndex; }
  // An index outside the list stores -1. The entry's text is written when it differs; otherwise
  // the controls repaint and OnChange fires: every change of the index is reported.
  virtual void SetItemIndex(int Value);
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  // The list it drops down; made again when the bar window it stood on freed it.
  TdxBarDropDownListBox* ListBox() const;
  // The list box tells its combo it goes.
  void ListBoxDestroyed(TdxBarDropDownListBox* AListBox);

  // The entry a typed text points at: the first whose start is the whole text, else the first to
  // share the longest start with it (case-insensitive, by character); -1 for an empty text.
  int FindItem(const String& AText) const;
  // The combo's text writer: the index follows the text without events first.
  void SetText(const String& Value) override;

  bool IsDropDownKey(win::WORD Key, TShiftState Shift) override;
  win::HWND DropDownWindow() override;
  void PrepareDropDownWindow() override;
  void DropDownShown() override;
  void CloseUp() override;
  void DropDown(int X, int Y) override;
  void DrawInterior(TdxBarItemControl* AControl, TCanvas* ACanvas, TdxBarItemLink* ALink, const TRect& R) override;
  void FireCurChange() override;

  virtual void DrawItem(TdxBarPainter* APainter, int AIndex, TOwnerDrawState AState, const TRect& R);
  // The canvas the item draws into now, else the list box's.
  virtual TCanvas* ItemCanvas() const;
  virtual int DropDownListWidth();
  virtual void MeasureItem(int AIndex, int& AHeight);
  virtual void MeasureItemWidth(int AIndex, int& AWidth);

  TdxBarDrawItemEvent OnDrawItem;
  TdxBarMeasureItemEvent OnMeasureItem;

 private:
  void ItemsChanged();
  // The combo control's entry and the open list follow the window text.
  void SynchronizeListSelection();
  TdxBarPainter* ActivePainter() const;

  int FDropDownCount = 8;
  int FDropDownWidth = 0;
  bool FDrawingInterior = false;
  int FItemHeight = 0;
  int FItemIndex = -1;
  TStringList* FItems;
  mutable TdxBarDropDownListBox* FListBox = nullptr;
  bool FSorted = false;
  TCanvas* FCanvas = nullptr;
};

class TdxBarCombo : public TdxBarCustomCombo {
  VW_CLASS(TdxBarCombo, TdxBarCustomCombo)
 public:
  explicit TdxBarCombo(TComponent* AOwner) : TdxBarCustomCombo(AOwner) {}
  static void DeclareProperties(TPropTable& t);
};
