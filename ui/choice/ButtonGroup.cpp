#include "ui/choice/ButtonGroup.h"

#include <algorithm>

#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

bool PointIn(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// The item style of a group that is not in place, from the frame it is drawn with.
TcxEditButtonStyle ItemStyleOfBorder(TcxContainerBorderStyle Border) {
  switch (Border) {
    case cbsSingle: case cbsThick: case cbsFlat: return btsFlat;
    case cbsUltraFlat: return btsUltraFlat;
    case cbsOffice11: return btsOffice11;
    default: return bts3D;
  }
}

}  // namespace

// ---- TcxCustomButtonGroupProperties -------------------------------------------------------------------

TcxCustomButtonGroupProperties::TcxCustomButtonGroupProperties(TPersistent* AOwner)
    : TcxCustomButtonGroupProperties(AOwner, TNoItems{}) {
  FItems.reset(CreateItems());
}

TcxCustomButtonGroupProperties::TcxCustomButtonGroupProperties(TPersistent* AOwner, TNoItems)
    : TcxCustomGroupBoxProperties(AOwner) {}

TcxCustomButtonGroupProperties::~TcxCustomButtonGroupProperties() {
  // The items' departures are no change anybody should hear of.
  LockUpdate();
  FItems.reset();
  UnlockUpdate(false);
}

TcxButtonGroupItems* TcxCustomButtonGroupProperties::CreateItems() {
  return new TcxButtonGroupItems(this, TcxButtonGroupItem::StaticClass());
}

void TcxCustomButtonGroupProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomButtonGroupProperties*>(Source);
  if (!source) {
    TcxCustomGroupBoxProperties::Assign(Source);
    return;
  }
  LockUpdate();
  try {
    TcxCustomGroupBoxProperties::Assign(Source);
    SetColumns(source->Columns());
    FItems->Assign(source->Items());
    SetWordWrap(source->WordWrap());
  } catch (...) {
    UnlockUpdate(true);
    throw;
  }
  UnlockUpdate(true);
}

void TcxCustomButtonGroupProperties::SetColumns(int Value) {
  Value = std::max(Value, 1);
  if (FColumns == Value) return;
  FColumns = Value;
  SignalChanged();
}

void TcxCustomButtonGroupProperties::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  SignalChanged();
}

TClass TcxCustomButtonGroupProperties::EditClass() { return TcxCustomButtonGroup::StaticClass(); }

TcxCustomEditProperties* TcxCustomButtonGroupProperties::CreatePreviewProperties() {
  auto* preview = static_cast<TcxCustomButtonGroupProperties*>(TcxCustomGroupBoxProperties::CreatePreviewProperties());
  for (const char* caption : {"A", "B", "C"})
    static_cast<TcxCaptionItem*>(preview->Items()->Add())->SetCaption(caption);
  preview->SetColumns(3);
  return preview;
}

int TcxCustomButtonGroupProperties::SpecialFeatureFlags() { return TcxCustomGroupBoxProperties::SpecialFeatureFlags() | 2; }

int TcxCustomButtonGroupProperties::SupportedOperations() { return FItems->Count() > 0 ? 0x5AF : 0x58F; }

// ---- TcxGroupBoxButtonViewInfo ------------------------------------------------------------------------

void TcxGroupBoxButtonViewInfo::GlyphBounds(TcxCanvas*, const TSize& GlyphSize, TAlignment Alignment, bool,
                                            TRect& R) {
  const int top = Bounds.Top + (Bounds.Bottom - Bounds.Top - GlyphSize.cy) / 2;
  const int left = Alignment == taRightJustify ? Bounds.Left : Bounds.Right - GlyphSize.cx;
  R = TRect(left, top, left + GlyphSize.cx, top + GlyphSize.cy);
}

// ---- TcxButtonGroupViewInfo ---------------------------------------------------------------------------

TcxEditButtonViewInfoClass TcxButtonGroupViewInfo::EditButtonViewInfoClass() {
  return [] { return static_cast<TcxEditButtonViewInfo*>(new TcxGroupBoxButtonViewInfo()); };
}

void TcxButtonGroupViewInfo::DrawEditButton(TcxCanvas* ACanvas, int Index) {
  TcxGroupBoxButtonViewInfo* item = Item(Index);
  TSize glyphSize;
  GetGlyphSize(glyphSize);
  TRect glyph;
  item->GlyphBounds(ACanvas, glyphSize, GlyphAlignment, PaintsValueDirectly, glyph);
  if (!PaintsValueDirectly) {
    ACanvas->PushClipRegion();
    ACanvas->ClipToRect(item->Bounds);
    if (!IsButtonGlyphTransparent(item)) ACanvas->ExcludeRectFromClip(glyph);
    DrawBackgroundByKind(ACanvas, item->Bounds, true, item->Bounds);
    ACanvas->PopClipRegion();
  }
  DrawButtonGlyph(ACanvas, item, glyph);
  DrawButtonCaption(ACanvas, item, glyph);
}

void TcxButtonGroupViewInfo::PaintBody(TcxCanvas* ACanvas) {
  TcxGroupBoxViewInfo::PaintBody(ACanvas);
  // A group drawn for a host (a grid cell) has no child buttons: its items are drawn here.
  if (IsInplace || !GroupBox()) PaintButtons(ACanvas);
}

// ---- TcxButtonGroupViewData ---------------------------------------------------------------------------

bool TcxButtonGroupViewData::UsesNativeButtons(TcxLookAndFeel* LookAndFeel) {
  return LookAndFeel->NativeStyle() && IsThemeClassAvailable(tciButton);
}

LibraryTextFlags TcxButtonGroupViewData::ButtonCaptionFlags() {
  return (PaintOptions() & epoAutoHeight) && GroupProperties()->WordWrap() ? cxWrappedButtonCaptionFlags
                                                                             : cxButtonCaptionFlags;
}

void TcxButtonGroupViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                             TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                             bool AIsMouseEvent) {
  TcxGroupBoxViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxButtonGroupViewInfo*>(AViewInfo);
  GetCaptionExtent(info->ItemCaptionExtent);
  info->CaptionFlags = ButtonCaptionFlags();
}

void TcxButtonGroupViewData::CalculateButtonViewInfos(TcxCanvas* ACanvas, const TRect&, const TPoint& P, int AButton,
                                                      TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                      bool AIsMouseEvent) {
  auto* info = static_cast<TcxButtonGroupViewInfo*>(AViewInfo);
  const int count = GroupProperties()->Items()->Count();
  info->SetButtonCount(count);
  if (count == 0) return;
  PrepareButtonViewInfos(info);
  CalculateButtonPositions(ACanvas, info);
  CalculateItemStates(info, P, AButton, AShift, AIsMouseEvent);
}

void TcxButtonGroupViewData::PrepareButtonViewInfos(TcxButtonGroupViewInfo* AViewInfo) {
  TcxCustomButtonGroupProperties* properties = GroupProperties();
  TcxEditButtonStyle style;
  if (IsInplace) {
    style = ButtonStyleOfKind(EditStyle()->LookAndFeel()->Kind());
  } else {
    const TcxEditBorderStyle border = EditStyle()->EditBorderStyle();
    if (border == ebsUltraFlat)
      style = btsUltraFlat;
    else if (border == ebsOffice11)
      style = btsOffice11;
    else
      style = ItemStyleOfBorder(AViewInfo->BorderStyle);
  }
  const int rows = properties->RowCount();
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxGroupBoxButtonViewInfo* item = AViewInfo->Item(i);
    item->Data.Style = style;
    item->Caption = properties->Items()->ButtonItemAt(i)->Caption();
    item->Index = i;
    item->Column = i / rows;
    item->Row = i % rows;
  }
}

void TcxButtonGroupViewData::CalculateButtonPositions(TcxCanvas* ACanvas, TcxButtonGroupViewInfo* AViewInfo) {
  TcxCustomButtonGroupProperties* properties = GroupProperties();
  TRect extent;
  ClientExtentWithButtons(ACanvas, AViewInfo, extent);
  TcxButtonGroupMetrics metrics;
  GetButtonMetrics(false, nullptr, metrics);
  const int columns = properties->ColumnCount(), rows = properties->RowCount();
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxGroupBoxButtonViewInfo* item = AViewInfo->Item(i);
    item->Bounds = ButtonGroupItemBounds(i, AViewInfo->Bounds, extent, columns, rows, metrics.ContentWidthAdjust,
                                         metrics.FirstColumnInset, metrics.ColumnSpacing);
    item->VisibleBounds = item->Bounds;
  }
}

void TcxButtonGroupViewData::CalculateItemStates(TcxButtonGroupViewInfo* AViewInfo, const TPoint& P, int AButton,
                                                 TShiftState AShift, bool KeepPressed) {
  AViewInfo->IsButtonUnderPressedMouse = false;
  const int pressedBefore = KeepPressed ? AViewInfo->PressedButton : -1;
  AViewInfo->PressedButton = -1;
  AViewInfo->SelectedButton = -1;
  const bool native = UsesNativeButtons(EditStyle()->LookAndFeel());
  const TcxEditButtonTransparency transparency = EditStyle()->ButtonTransparency();
  const bool transparent = transparency == ebtAlways || (transparency == ebtInactive && !ActiveOrHot);
  for (int i = 0; i < AViewInfo->ButtonCount(); ++i) {
    TcxGroupBoxButtonViewInfo* item = AViewInfo->Item(i);
    item->Data.NativeStyle = native;
    item->Data.Transparent = transparent;
    item->Data.BackgroundColor = AViewInfo->BackgroundColor;
    const TcxEditButtonState state =
        Enabled ? MouseButtonState(AViewInfo, i, item->Bounds, item->Data.State, P, AButton, AShift, pressedBefore)
                : ebsDisabled;
    item->Data.State = state;
    CalculateButtonNativeState(AViewInfo, item);
  }
}

void TcxButtonGroupViewData::CalculateEditorSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& Extent,
                                                 TSize& Minimum, const TcxEditSizeProperties& Request) {
  TcxCustomButtonGroupProperties* properties = GroupProperties();
  Minimum = TSize(0, 0);
  ACanvas->AssignFont(EditStyle()->DisplayFont());
  const int cv = ContentMarginsTotal().cy;
  const int h0 = ACanvas->MeasureTextHeight("Zg") + cv;
  const int count = properties->Items()->Count();
  if (count == 0) {
    Extent = TSize(Request.Width >= 0 ? Request.Width : 0, h0);
    return;
  }
  TcxButtonGroupMetrics m;
  GetButtonMetrics(Request.Width >= 0, ACanvas, m);
  const int columns = properties->ColumnCount(), rows = properties->RowCount();
  if (Request.Width < 0) {
    int widest = 0;
    for (int i = 0; i < count; ++i) {
      TRect r(0, 0, cxMaxEditBound / 2, cxMaxEditBound / 2);
      ACanvas->CalcTextRect(properties->Items()->ButtonItemAt(i)->Caption(), r, cxButtonCaptionFlags);
      widest = std::max(widest, r.Right - r.Left);
    }
    Extent = TSize((widest + m.CaptionWidthAdd + m.GlyphWidth) * columns + (columns - 1) * m.ColumnSpacing +
                       m.HorizontalMargins,
                   std::max(m.GlyphHeight, h0) * rows);
    return;
  }
  const TRect& margins = ContentOffsets.Margins;
  const int cw = std::max(1, (Request.Width - margins.Left - margins.Right + m.ItemWidthAdjust -
                              (columns - 1) * m.ColumnSpacing) / columns - m.GlyphWidth - m.GlyphTextGap);
  PaintFlags |= epoAutoHeight;
  int rowHeight = h0;
  if (properties->WordWrap()) {
    const LibraryTextFlags flags = (ButtonCaptionFlags() & ~ltfCenterVert) | ltfAlignTop;
    for (int i = 0; i < count; ++i) {
      const String& caption = properties->Items()->ButtonItemAt(i)->Caption();
      if (caption.empty()) continue;
      TRect r(0, 0, cw, cxMaxEditBound / 2);
      ACanvas->CalcTextRect(caption, r, flags);
      rowHeight = std::max(rowHeight, r.Bottom - r.Top + cv);
    }
  }
  int height = rowHeight * rows;
  if (!IsInplace) {
    TRect extent;
    ClientExtentWithButtons(ACanvas, AViewInfo, extent);
    height += extent.Top + extent.Bottom;
  }
  Extent = TSize(Request.Width, height);
}

// ---- TcxCustomButtonGroup -----------------------------------------------------------------------------

TcxCustomButtonGroup::TcxCustomButtonGroup(TComponent* AOwner)
    : TcxCustomButtonGroup(AOwner, TcxCustomEditClasses{TcxCustomButtonGroupProperties::StaticClass(), nullptr,
                                                        EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomButtonGroup::TcxCustomButtonGroup(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomGroupBox(AOwner, Classes) {
  Construct();
}

void TcxCustomButtonGroup::Construct() {
  TcxCustomEdit::SetAutoSize(false);
  SetTabStop(true);
  FConstructing = false;
}

TcxCustomButtonGroup::~TcxCustomButtonGroup() {
  Destroying();
  TcxCustomButtonGroup::SetButtonCount(0);
  FButtons.clear();
}

int TcxCustomButtonGroup::IndexOfButton(TWinControl* Button) const {
  auto it = std::find(FButtons.begin(), FButtons.end(), Button);
  return it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
}

void TcxCustomButtonGroup::RemoveButton(TWinControl* Button) { std::erase(FButtons, Button); }

int TcxCustomButtonGroup::FocusedButtonIndex() {
  const int count = std::min(ButtonCount(), ActiveGroupProperties()->Items()->Count());
  for (int i = 0; i < count; ++i)
    if (Button(i)->Focused()) return i;
  return -1;
}

void TcxCustomButtonGroup::SetButtonCount(int Count) {
  TcxButtonGroupItems* items = ActiveGroupProperties()->Items();
  if (items->IsNotifying()) {
    switch (items->ChangedItemOperation()) {
      case bgioAdded: InitializeButton(CreateButton()); break;
      case bgioDeleted:
        if (items->ChangedItemIndex() >= 0 && items->ChangedItemIndex() < ButtonCount())
          delete Button(items->ChangedItemIndex());
        break;
      default: break;
    }
    return;
  }
  Count = std::max(Count, 0);
  if (Count == ButtonCount()) return;
  DisableAlign();
  try {
    while (ButtonCount() > Count) delete FButtons.back();
    while (ButtonCount() < Count) InitializeButton(CreateButton());
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TcxCustomButtonGroup::InitializeButton(TWinControl* B) {
  B->SetParentShowHint(false);
  B->SetParent(this);
  B->OnDragDrop = [this](TObject* Sender, TObject* Source, int X, int Y) { ButtonDragDrop(Sender, Source, X, Y); };
  B->OnDragOver = [this](TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    ButtonDragOver(Sender, Source, X, Y, State, Accept);
  };
  B->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); };
  B->OnKeyPress = [this](TObject*, TChar& Key) { KeyPress(Key); };
  B->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); };
  B->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ButtonMouseDown(Sender, Button, Shift, X, Y);
  };
  B->OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) { ButtonMouseMove(Sender, Shift, X, Y); };
  B->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    ButtonMouseUp(Sender, Button, Shift, X, Y);
  };
  B->OnMouseWheel = [](TObject*, TShiftState, int, POINT, bool& Handled) { Handled = false; };
}

void TcxCustomButtonGroup::ButtonDragDrop(TObject* Sender, TObject* Source, int X, int Y) {
  auto* b = static_cast<TControl*>(Sender);
  DragDrop(Source, X + b->Left(), Y + b->Top());
}

void TcxCustomButtonGroup::ButtonDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                                          bool& Accept) {
  auto* b = static_cast<TControl*>(Sender);
  DragOver(Source, X + b->Left(), Y + b->Top(), State, Accept);
}

void TcxCustomButtonGroup::ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  auto* b = static_cast<TControl*>(Sender);
  // The press belongs to the button: the group must not take the focus from it.
  SetInnerClick(true);
  try {
    MouseDown(Button, Shift, X + b->Left(), Y + b->Top());
  } catch (...) {
    SetInnerClick(false);
    throw;
  }
  SetInnerClick(false);
}

void TcxCustomButtonGroup::ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
  auto* b = static_cast<TControl*>(Sender);
  MouseMove(Shift, X + b->Left(), Y + b->Top());
}

void TcxCustomButtonGroup::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  auto* b = static_cast<TControl*>(Sender);
  MouseUp(Button, Shift, X + b->Left(), Y + b->Top());
}

void TcxCustomButtonGroup::ArrangeButtons() {
  TcxButtonGroupViewInfo* info = ButtonGroupViewInfo();
  const int count = std::min(ButtonCount(), info->ButtonCount());
  for (int i = 0; i < count; ++i) {
    const TRect& r = info->Item(i)->Bounds;
    Button(i)->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  }
}

void TcxCustomButtonGroup::UpdateButtonsStyle() {
  const TColor color = BackgroundColor();
  for (TWinControl* b : FButtons) b->SetColor(color);
}

void TcxCustomButtonGroup::SynchronizeButtons() {
  TcxButtonGroupItems* items = ActiveGroupProperties()->Items();
  SetButtonCount(items->Count());
  RefreshStateAtCursor(false);
  const int count = std::min(ButtonCount(), items->Count());
  for (int i = 0; i < count; ++i) Button(i)->SetEnabled(Enabled() && items->ButtonItemAt(i)->Enabled());
  UpdateButtonsStyle();
  for (TWinControl* b : FButtons) b->SetCursor(Cursor());
}

void TcxCustomButtonGroup::ContainerStyleChanged(TObject* Sender) {
  TcxCustomGroupBox::ContainerStyleChanged(Sender);
  if (!FConstructing) SynchronizeButtons();
}

void TcxCustomButtonGroup::PropertiesChanged(TObject* Sender) {
  if (!ComponentState().Contains(csReading)) SynchronizeButtons();
  TcxCustomGroupBox::PropertiesChanged(Sender);
}

void TcxCustomButtonGroup::ReadState(TReader* Reader) {
  TcxCustomGroupBox::ReadState(Reader);
  SynchronizeButtons();
  RefreshDisplayText();
}

void TcxCustomButtonGroup::CreateWnd() {
  TcxCustomGroupBox::CreateWnd();
  SynchronizeButtons();
  RefreshDisplayText();
}

bool TcxCustomButtonGroup::ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  const bool result = TcxCustomGroupBox::ApplyState(Point, Button, Shift, MouseEvent);
  ArrangeButtons();
  return result;
}

bool TcxCustomButtonGroup::Focused() {
  if (TcxCustomGroupBox::Focused()) return true;
  if (FConstructing) return false;
  for (TWinControl* b : FButtons)
    if (b->Focused()) return true;
  return false;
}

bool TcxCustomButtonGroup::SkipsButtonPainting(HDC DC) {
  for (int i = 0; i < ButtonCount(); ++i)
    if (GetButtonDC(i) == DC) return true;
  return false;
}

void TcxCustomButtonGroup::GetTabOrderList(TControlList& List) {
  // The buttons are reached through the group, never as children of their own.
  if (IsInPlace() && Visible()) std::erase(List, static_cast<TControl*>(Parent()));
}

void TcxCustomButtonGroup::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      TcxCustomGroupBox::WndProc(Message);
      SynchronizeButtons();
      return;
    case CM_CURSORCHANGED:
      SynchronizeButtons();
      return;
    default:
      break;
  }
  TcxCustomGroupBox::WndProc(Message);
}

void TcxCustomButtonGroup::FocusButtonByKey(int FocusedIndex, WORD& Key) {
  const int target =
      ButtonGroupArrowTarget(FocusedIndex, Key, ButtonCount(), ActiveGroupProperties()->RowCount());
  if (target < 0 || !Button(target)->Enabled()) return;
  Button(target)->SetFocus();
  Key = 0;
}

void TcxCustomButtonGroup::EditKeyDown(WORD& Key, TShiftState Shift) {
  const int focused = FocusedButtonIndex();
  if (focused < 0) return;
  if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) FocusButtonByKey(focused, Key);
  TcxCustomGroupBox::EditKeyDown(Key, Shift);
}

void TcxCustomButtonGroup::ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& AEditData) {
  ActivateInplace(AEditData);
  POINT p{X, Y};
  if (Parent()) p = ScreenToClient(Parent()->ClientToScreen(p));
  TcxButtonGroupViewInfo* info = ButtonGroupViewInfo();
  const int count = std::min(ButtonCount(), info->ButtonCount());
  for (int i = 0; i < count; ++i) {
    const TRect& r = info->Item(i)->Bounds;
    if (!PointIn(r, TPoint(p.x, p.y))) continue;
    const TPoint centre((r.Right - r.Left) / 2, (r.Bottom - r.Top) / 2);
    if (Shift.Contains(ssLeft)) {
      SendMouseMessageTo(Button(i), WM_MOUSEMOVE, TShiftState(), centre);
      SendMouseMessageTo(Button(i), WM_LBUTTONDOWN, Shift, centre);
    } else {
      SendMouseMessageTo(Button(i), WM_LBUTTONUP, Shift, centre);
    }
    return;
  }
}
