#include "platform/classes/ExtCtrls.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/win/Rects.h"

using namespace win;

void Frame3D(TCanvas* Canvas, RECT& Rect, TColor TopColor, TColor BottomColor, int Width) {
  TPen* pen = Canvas->Pen();
  pen->SetWidth(1);
  --Rect.bottom;
  --Rect.right;
  for (int i = 0; i < Width; ++i) {
    pen->SetColor(TopColor);
    POINT top[] = {{Rect.left, Rect.bottom}, {Rect.left, Rect.top}, {Rect.right, Rect.top}};
    Canvas->Polyline(top, 3);
    pen->SetColor(BottomColor);
    POINT bottom[] = {{Rect.right, Rect.top}, {Rect.right, Rect.bottom}, {Rect.left - 1, Rect.bottom}};
    Canvas->Polyline(bottom, 3);
    InflateRect(&Rect, -1, -1);
  }
  ++Rect.bottom;
  ++Rect.right;
}

// ---- TCustomPanel --------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable, csParentBackground};
  FWidth = 185;
  FHeight = 41;
  FParentColor = false;
  FColor = clBtnFace;
}

void TCustomPanel::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).SetDefault(taCenter);
  t.Add("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).SetDefault(bvNone);
  t.Add("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).SetDefault(bvRaised);
  t.Add("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).SetDefault(1);
  t.Add("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).SetDefault(bsNone);
  t.Add("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).SetDefault(0);
  t.Add("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
  t.Add("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint).SetDefault(true);
  t.Add("Locked", &TCustomPanel::Locked, &TCustomPanel::SetLocked).SetDefault(false);
  t.Add("ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground);
  t.Add("ShowCaption", &TCustomPanel::ShowCaption, &TCustomPanel::SetShowCaption).SetDefault(true);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  // Without a full repaint only what a resize uncovers is drawn again.
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
  if (FFullRepaint) Params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  BordersChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  BordersChanged();
}

void TCustomPanel::SetBevelWidth(int Value) {
  Value = std::clamp(Value, 1, 1000);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  BordersChanged();
}

void TCustomPanel::SetBorderWidth(int Value) {
  Value = std::clamp(Value, 0, 1000);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  BordersChanged();
}

void TCustomPanel::SetBorderStyle(TFormBorderStyle Value) {
  Value = Value == bsSingle ? bsSingle : bsNone;
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int bevel = (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
  InflateRect(&Rect, -(FBorderWidth + bevel), -(FBorderWidth + bevel));
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCustomPanel::WndProc(TMessage& Message) {
  // The panel paints all of itself; erasing first would only flicker.
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TCustomPanel::Paint() {
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  auto colors = [](TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    colors(FBevelOuter, top, bottom);
    if (FBevelOuter == bvSpace) top = bottom = Color();
    Frame3D(c, r, top, bottom, FBevelWidth);
  }
  if (FBorderWidth > 0) Frame3D(c, r, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    colors(FBevelInner, top, bottom);
    if (FBevelInner == bvSpace) top = bottom = Color();
    Frame3D(c, r, top, bottom, FBevelWidth);
  }
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  String text = GetText();
  if (FShowCaption && !text.empty()) {
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    HDC dc = c->Handle();
    c->RequiredState(TCanvasState{csHandleValid, csFontValid});
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    UINT flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | alignments[FAlignment];
    DrawText(dc, text.c_str(), -1, &r, flags);
  }
}

// ---- TBevel -----------------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FWidth = 50;
  FHeight = 50;
}

void TBevel::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishControl(t);
  t.Add("Shape", &TBevel::Shape, &TBevel::SetShape).SetDefault(bsBox);
  t.Add("Style", &TBevel::Style, &TBevel::SetStyle).SetDefault(bsLowered);
}

void TBevel::SetShape(TBevelShape Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  RECT r{0, 0, w, h};
  switch (FShape) {
    case bsBox: Frame3D(c, r, c1, c2, 1); break;
    case bsFrame: {
      RECT outer{0, 0, w - 1, h - 1};
      Frame3D(c, outer, c1, c1, 1);
      RECT inner{1, 1, w, h};
      Frame3D(c, inner, c2, c2, 1);
      break;
    }
    case bsTopLine:
      line(c1, 0, 0, w, 0);
      line(c2, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(c1, 0, h - 2, w, h - 2);
      line(c2, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(c1, 0, 0, 0, h);
      line(c2, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(c1, w - 2, 0, w - 2, h);
      line(c2, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

// ---- TImage ------------------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture) {
  FControlStyle.Include(csReplicatable);
  FPicture->OnChange = [this](TObject* s) { PictureChanged(s); };
  FWidth = 105;
  FHeight = 105;
}

TImage::~TImage() {
  FPicture->OnChange = nullptr;
  delete FPicture;
}

void TImage::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishControl(t);
  t.Add("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).SetDefault(false);
  t.Add("Center", &TImage::Center, &TImage::SetCenter).SetDefault(false);
  t.Add("Picture", &TImage::Picture, &TImage::SetPicture);
  t.Add("Proportional", &TImage::Proportional, &TImage::SetProportional).SetDefault(false);
  t.Add("Stretch", &TImage::Stretch, &TImage::SetStretch).SetDefault(false);
  t.Add("Transparent", &TImage::Transparent, &TImage::SetTransparent).SetDefault(false);
}

void TImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  if (Value == FProportional) return;
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  if (FPicture->Graphic()) FPicture->Graphic()->SetTransparent(Value);
  Invalidate();
}

RECT TImage::DestRect() {
  int w = FPicture->Width(), h = FPicture->Height();
  int cw = ClientWidth(), ch = ClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      // The larger scale that still fits, kept in 64 bits so big pictures do not overflow.
      long long sw = cw, sh = static_cast<long long>(h) * cw / w;
      if (sh > ch) {
        sh = ch;
        sw = static_cast<long long>(w) * ch / h;
      }
      w = static_cast<int>(sw);
      h = static_cast<int>(sh);
    } else {
      w = cw;
      h = ch;
    }
  }
  RECT r{0, 0, w, h};
  if (FCenter) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TCanvas* c = Canvas();
  if (HasState(csDesigning)) {
    c->Pen()->SetStyle(psDash);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, Width(), Height());
  }
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  g->SetTransparent(FTransparent);
  c->StretchDraw(DestRect(), g);
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight) {
  if (FPicture->Width() <= 0 || FPicture->Height() <= 0) return true;
  NewWidth = FPicture->Width();
  NewHeight = FPicture->Height();
  return true;
}

void TImage::PictureChanged(TObject*) {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  if (TGraphic* g = FPicture->Graphic()) {
    // A picture that may have see-through pixels is drawn transparently when asked for.
    if (FTransparent) g->SetTransparent(true);
  }
  Invalidate();
}

// ---- TShape ------------------------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), FBrush(new TBrush), FPen(new TPen) {
  FControlStyle.Include(csReplicatable);
  FWidth = 65;
  FHeight = 65;
  FBrush->OnChange = [this](TObject*) { Invalidate(); };
  FPen->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
  delete FBrush;
  delete FPen;
}

void TShape::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishControl(t);
  t.Add("Brush", &TShape::Brush, &TShape::SetBrush);
  t.Add("Pen", &TShape::Pen, &TShape::SetPen);
  t.Add("Shape", &TShape::Shape, &TShape::SetShape).SetDefault(stRectangle);
}

void TShape::SetShape(TShapeType Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(FPen);
  c->Brush()->Assign(FBrush);
  int pw = FPen->Width();
  int x = pw / 2, y = pw / 2;
  int w = Width() - pw + 1, h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stCircle:
    case stEllipse: c->Ellipse(x, y, x + w, y + h); break;
  }
}

// ---- TCustomRadioGroup -----------------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner) {
  auto* list = new TStringList;
  list->OnChange = [this](TObject* s) { ItemsChange(s); };
  FItems = list;
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csParentBackground};
}

TCustomRadioGroup::~TCustomRadioGroup() {
  static_cast<TStringList*>(FItems)->OnChange = nullptr;
  delete FItems;
}

void TCustomRadioGroup::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("Caption", &TCustomRadioGroup::Caption, &TCustomRadioGroup::SetCaption);
  t.Add("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).SetDefault(1);
  t.Add("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex).SetDefault(-1);
  t.Add("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount()) throw EListError(Format(SListIndexError, {Index}));
  return FButtons[static_cast<std::size_t>(Index)];
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (HasState(csLoading)) {
    FItemIndex = Value;
    return;
  }
  Value = std::clamp(Value, -1, FItems->Count() - 1);
  if (Value == FItemIndex) return;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) Buttons(FItemIndex)->SetCheckedValue(false);
  FItemIndex = Value;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) Buttons(FItemIndex)->SetCheckedValue(true);
}

void TCustomRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value == FColumns) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::ItemsChange(TObject*) {
  if (HasState(csLoading)) return;
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::Resize() {
  TCustomGroupBox::Resize();
  ArrangeButtons();
}

// The buttons are the group's own parts, never written into a form description.
void TCustomRadioGroup::GetChildren(TGetChildProc, TComponent*) {}

void TCustomRadioGroup::UpdateButtons() {
  FUpdating = true;
  while (ButtonCount() < FItems->Count()) {
    auto* b = new TRadioButton(this);
    b->OnClick = [this](TObject* s) { ButtonClick(s); };
    b->SetParent(this);
    FButtons.push_back(b);
  }
  while (ButtonCount() > FItems->Count()) {
    TRadioButton* b = FButtons.back();
    FButtons.pop_back();
    delete b;
  }
  for (int i = 0; i < ButtonCount(); ++i) {
    TRadioButton* b = FButtons[static_cast<std::size_t>(i)];
    b->SetCaption(FItems->Strings(i));
    b->SetCheckedValue(i == FItemIndex);
    b->SetEnabled(Enabled());
  }
  FUpdating = false;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || HasState(csLoading)) return;
  int rows = (ButtonCount() + FColumns - 1) / FColumns;
  RECT area = ClientRect();
  AdjustClientRect(area);
  int w = (area.right - area.left) / FColumns;
  int h = rows ? (area.bottom - area.top) / rows : 0;
  for (int i = 0; i < ButtonCount(); ++i) {
    int col = i / rows, row = i % rows;
    FButtons[static_cast<std::size_t>(i)]->SetBounds(area.left + col * w + 4, area.top + row * h, w - 4, std::min(h, 17));
  }
}

void TCustomRadioGroup::ButtonClick(TObject* Sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  if (it == FButtons.end()) return;
  int index = static_cast<int>(it - FButtons.begin());
  if (!static_cast<TRadioButton*>(Sender)->Checked()) return;
  if (!CanModify()) {
    // Give the click back: the previous choice stays.
    FUpdating = true;
    static_cast<TRadioButton*>(Sender)->SetCheckedValue(false);
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) Buttons(FItemIndex)->SetCheckedValue(true);
    FUpdating = false;
    return;
  }
  if (index == FItemIndex) return;
  FItemIndex = index;
  Click();
}

// ---- labeled edit --------------------------------------------------------------------------------

TBoundLabel::TBoundLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
  SetName("SubLabel");
  SetSubComponent(true);
}

void TBoundLabel::DeclareProperties(TPropTable& t) {
  // Where the label stands follows from its edit; those are not stored.
  t.Remove("Left");
  t.Remove("Top");
  t.Remove("Align");
  t.Remove("Anchors");
  t.Remove("Visible");
  t.Remove("Enabled");
}

void TBoundLabel::AdjustBounds() {
  TCustomLabel::AdjustBounds();
  // A caption of another size keeps the label on its side of the edit: one on the left grows
  // away from the edit instead of under it.
  if (auto* edit = dynamic_cast<TCustomLabeledEdit*>(Owner())) edit->SetLabelPosition(edit->LabelPosition());
}

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetupInternalLabel(); }

void TCustomLabeledEdit::DeclareProperties(TPropTable& t) {
  t.AddReadOnly("EditLabel", &TCustomLabeledEdit::EditLabel);
  t.Add("LabelPosition", &TCustomLabeledEdit::LabelPosition, &TCustomLabeledEdit::SetLabelPosition)
      .SetDefault(lpAbove);
  t.Add("LabelSpacing", &TCustomLabeledEdit::LabelSpacing, &TCustomLabeledEdit::SetLabelSpacing).SetDefault(3);
}

void TCustomLabeledEdit::SetupInternalLabel() {
  if (FEditLabel) return;
  FEditLabel = new TBoundLabel(this);
  FEditLabel->FreeNotification(this);
  FEditLabel->SetFocusControl(this);
}

void TCustomLabeledEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FEditLabel) FEditLabel = nullptr;
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  if (!FEditLabel) return;
  int x = Left(), y = Top();
  switch (Value) {
    case lpAbove: y = Top() - FEditLabel->Height() - FLabelSpacing; break;
    case lpBelow: y = Top() + Height() + FLabelSpacing; break;
    case lpLeft:
      x = Left() - FEditLabel->Width() - FLabelSpacing;
      y = Top() + (Height() - FEditLabel->Height()) / 2;
      break;
    case lpRight:
      x = Left() + Width() + FLabelSpacing;
      y = Top() + (Height() - FEditLabel->Height()) / 2;
      break;
  }
  FEditLabel->SetBounds(x, y, FEditLabel->Width(), FEditLabel->Height());
}

void TCustomLabeledEdit::SetLabelSpacing(int Value) {
  FLabelSpacing = Value;
  SetLabelPosition(FLabelPosition);
}

void TCustomLabeledEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  SetLabelPosition(FLabelPosition);
}

void TCustomLabeledEdit::SetParent(TWinControl* AParent) {
  TCustomEdit::SetParent(AParent);
  if (!FEditLabel) return;
  FEditLabel->SetParent(AParent);
  FEditLabel->SetVisible(Visible());
}

void TCustomLabeledEdit::CMVisibleChanged(TMessage& Message) {
  TCustomEdit::CMVisibleChanged(Message);
  if (FEditLabel) FEditLabel->SetVisible(Visible());
}

void TCustomLabeledEdit::CMEnabledChanged(TMessage& Message) {
  TCustomEdit::CMEnabledChanged(Message);
  if (FEditLabel) FEditLabel->SetEnabled(Enabled());
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TPanel, TBevel, TImage, TShape, TRadioGroup, TLabeledEdit>();
  return true;
}();

}  // namespace
