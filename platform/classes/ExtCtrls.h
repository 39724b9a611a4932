#pragma once
// Panels, bevels, images, shapes, radio groups and labeled edits.
#include <functional>
#include <vector>

#include "platform/classes/Picture.h"
#include "platform/classes/StdCtrls.h"

VW_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
VW_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
VW_ENUM(TBevelStyle, bsLowered, bsRaised)
VW_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)
VW_ENUM(TLabelPosition, lpAbove, lpBelow, lpLeft, lpRight)

// Draws a 3-D frame of the given width just inside Rect and shrinks Rect by it.
void Frame3D(TCanvas* Canvas, win::RECT& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
  VW_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  // Repaints the whole panel on every resize instead of only what the resize uncovered.
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  // A locked panel does not move when something is docked next to it.
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void AdjustClientRect(win::RECT& Rect) override;
  void CMTextChanged(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

 private:
  void BordersChanged();
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  TFormBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = true;
  bool FLocked = false;
  bool FShowCaption = true;
};

class TPanel : public TCustomPanel {
  VW_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

class TBevel : public TGraphicControl {
  VW_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
  VW_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  static void DeclareProperties(TPropTable& t);

  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Where the picture is drawn in the client area.
  win::RECT DestRect();

 protected:
  void Paint() override;
  bool CanAutoSize(int& NewWidth, int& NewHeight) override;

 private:
  void PictureChanged(TObject* Sender);
  TPicture* FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
};

class TShape : public TGraphicControl {
  VW_CLASS(TShape, TGraphicControl)
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  static void DeclareProperties(TPropTable& t);

  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value);
  TBrush* Brush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TPen* Pen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }

 protected:
  void Paint() override;

 private:
  TShapeType FShape = stRectangle;
  TBrush* FBrush;
  TPen* FPen;
};

// A group box of radio buttons made from Items; ItemIndex is the checked one.
class TCustomRadioGroup : public TCustomGroupBox {
  VW_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  static void DeclareProperties(TPropTable& t);

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int Index) const;

 protected:
  void Loaded() override;
  void Resize() override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  virtual bool CanModify() { return true; }

 private:
  void ItemsChange(TObject* Sender);
  void UpdateButtons();
  void ArrangeButtons();
  void ButtonClick(TObject* Sender);

  TStrings* FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  VW_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};

class TCustomLabeledEdit;

// The label of a labeled edit: owned and placed by its edit, stored inside its description.
class TBoundLabel : public TCustomLabel {
  VW_CLASS(TBoundLabel, TCustomLabel)
 public:
  explicit TBoundLabel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

 protected:
  void AdjustBounds() override;
};

class TCustomLabeledEdit : public TCustomEdit {
  VW_CLASS(TCustomLabeledEdit, TCustomEdit)
 public:
  explicit TCustomLabeledEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TBoundLabel* EditLabel() const { return FEditLabel; }
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(int Value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetupInternalLabel();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;

 private:
  TBoundLabel* FEditLabel = nullptr;
  TLabelPosition FLabelPosition = lpAbove;
  int FLabelSpacing = 3;
};

class TLabeledEdit : public TCustomLabeledEdit {
  VW_CLASS(TLabeledEdit, TCustomLabeledEdit)
 public:
  explicit TLabeledEdit(TComponent* AOwner) : TCustomLabeledEdit(AOwner) {}
};
