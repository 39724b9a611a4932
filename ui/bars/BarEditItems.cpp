#include "ui/bars/BarEditItems.h"

#include <algorithm>

#include "platform/classes/Utf8.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDropDownListBox.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

// The control showing the link when it is one with an inner window.
TdxBarWinControl* WinControlOf(const TdxBarItemLink* ALink) {
  return ALink ? dynamic_cast<TdxBarWinControl*>(ALink->Control()) : nullptr;
}

TdxBarComboControl* ComboControlOf(const TdxBarItemLink* ALink) {
  return ALink ? dynamic_cast<TdxBarComboControl*>(ALink->Control()) : nullptr;
}

// A character compared ignoring case: ASCII directly, the rest through the locale's upper case.
char32_t UpperOf(char32_t c) {
  if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
  return Utf8ToUpper(c);
}

// Sets a field for the length of a call, also when the call fails.
template <class T>
class TFieldScope {
 public:
  TFieldScope(T& AField, T AValue) : FField(AField), FSaved(AField) { FField = AValue; }
  ~TFieldScope() { FField = FSaved; }
  TFieldScope(const TFieldScope&) = delete;
  TFieldScope& operator=(const TFieldScope&) = delete;

 private:
  T& FField;
  T FSaved;
};

}  // namespace

// ---- TdxBarWindowItem -----------------------------------------------------------------------------

void TdxBarWindowItem::DeclareProperties(TPropTable& t) {
  t.Add("OnChange", &TdxBarWindowItem::OnChange);
  t.Add("OnCurChange", &TdxBarWindowItem::OnCurChange);
  t.Add("OnEnter", &TdxBarWindowItem::OnEnter);
  t.Add("OnExit", &TdxBarWindowItem::OnExit);
  t.Add("OnKeyDown", &TdxBarWindowItem::OnKeyDown);
  t.Add("OnKeyUp", &TdxBarWindowItem::OnKeyUp);
  t.Add("OnKeyPress", &TdxBarWindowItem::OnKeyPress);
}

TClass TdxBarWindowItem::ControlClass(bool ARotated) {
  return ARotated ? TdxBarButtonControl::StaticClass() : TdxBarItem::ControlClass(false);
}

void TdxBarWindowItem::SetText(const String& Value) { WriteText(Value); }

void TdxBarWindowItem::WriteText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  RefreshControls();
  TcxObjectLinkScope alive(this);
  FireChange();
  if (alive.Alive()) RefreshControls();
}

TdxBarItemLink* TdxBarWindowItem::EditingLink() const {
  TdxBarItemLink* link = ActiveLink();
  TdxBarWinControl* control = WinControlOf(link);
  return control && control->Focused() ? link : nullptr;
}

String TdxBarWindowItem::CurrentText() const {
  if (TdxBarWinControl* control = WinControlOf(ActiveLink())) return control->WindowText();
  return FText;
}

void TdxBarWindowItem::FocusEditor(bool AVisibleOnly) {
  for (int i = 0; i < LinkCount(); ++i) {
    TdxBarWinControl* control = WinControlOf(Links(i));
    TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
    if (!bar || bar->BarKind() != dxBarKindToolbar) continue;
    if (AVisibleOnly && !(bar->HandleAllocated() && IsWindowVisible(bar->Handle()))) continue;
    TcxObjectLinkScope barAlive(bar);
    bar->ActivateWithControl(control);
    // Entered as by a click, as long as the activation left the control where it was.
    if (barAlive.Alive() && bar->OwnsItemControl(control)) control->Invoke(false);
    return;
  }
}

void TdxBarWindowItem::FireChange() {
  if (OnChange && !IsLoadingNow()) OnChange(this);
}

void TdxBarWindowItem::FireCurChange() {
  if (OnCurChange) OnCurChange(this);
}

void TdxBarWindowItem::FireEnter() {
  if (OnEnter) OnEnter(this);
}

void TdxBarWindowItem::FireExit() {
  if (OnExit) OnExit(this);
}

void TdxBarWindowItem::FireKeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TdxBarWindowItem::FireKeyPress(TChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TdxBarWindowItem::FireKeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

// ---- TdxCustomBarEdit -----------------------------------------------------------------------------

TdxCustomBarEdit::TdxCustomBarEdit(TComponent* AOwner) : TdxBarWindowItem(AOwner) {
  SetStyleCount(StyleCount());
  SetWidthDefault(100);
}

void TdxCustomBarEdit::DeclareProperties(TPropTable& t) {
  t.Add("Glyph", &TdxBarItem::Glyph, &TdxBarItem::SetGlyph);
  t.Add("ImageIndex", &TdxBarItem::ImageIndex, &TdxBarItem::SetImageIndex)
      .SetDefault(-1)
      .Stored(&TdxBarItem::IsImageIndexStored);
  t.Add("ShowCaption", &TdxBarItem::ShowCaption, &TdxBarItem::SetShowCaption).SetDefault(false);
  t.Add("Width", &TdxBarItem::Width, &TdxBarItem::SetWidth);
  t.Add("OnClick", &TdxBarItem::OnClick, &TdxBarItem::SetOnClick);
}

void TdxCustomBarEdit::SetWidth(int Value) {
  if (Value <= 0 || Value == TdxBarItem::Width()) return;
  SetWidthDefault(Value);
  if (!IsLoadingNow()) WidthChanged();
}

bool TdxCustomBarEdit::IsReachable(TdxBarItemLink* ALink) const {
  if (!Enabled()) return false;
  TCustomdxBarControl* bar = ALink ? ALink->BarControl() : nullptr;
  return !(bar && bar->BarKind() == dxBarKindToolbar) || ShowCaption();
}

void TdxCustomBarEdit::DrawCustomizationEntry(TCanvas* ACanvas, const RECT& ARect, bool ASelected) {
  if (!dxBarCustomizationEntryPainter) return;
  String caption;
  StripAccelerators(Caption(), false, caption);
  dxBarCustomizationEntryPainter(ACanvas, ARect, ASelected, this, caption, CustomizationEntryKind());
}

void TdxCustomBarEdit::ReadState(TReader* Reader) {
  // A stored form brings its own glyph, if any: the one the item was made with goes, once.
  if (!FGlyphCleared) {
    FGlyphCleared = true;
    Glyph()->Assign(nullptr);
  }
  TdxBarWindowItem::ReadState(Reader);
}

// ---- TdxBarEdit -----------------------------------------------------------------------------------

void TdxBarEdit::DeclareProperties(TPropTable& t) {
  t.Add("MaxLength", &TdxBarEdit::MaxLength, &TdxBarEdit::SetMaxLength).SetDefault(0);
  t.Add("ReadOnly", &TdxBarEdit::ReadOnly, &TdxBarEdit::SetReadOnly).SetDefault(false);
  t.Add("StyleEdit", &TdxCustomBarEdit::StyleEdit, &TdxCustomBarEdit::SetStyleEdit);
  t.Add("Text", &TdxBarWindowItem::Text, &TdxBarWindowItem::SetText);
}

void TdxBarEdit::DrawInterior(TdxBarItemControl* AControl, TCanvas* ACanvas, TdxBarItemLink* ALink, const TRect& R) {
  TCustomdxBarControl* bar = AControl ? AControl->Parent() : nullptr;
  TdxBarPainter* painter = bar ? bar->BarPainter() : nullptr;
  if (!painter || !ACanvas) return;
  TdxBarEditLikeControlDrawParams own(AControl);
  auto* params = dynamic_cast<TdxBarEditLikeControlDrawParams*>(AControl->DrawParams());
  TcxCanvas canvas(ACanvas);
  painter->DrawEditText(params ? *params : own, &canvas, R, ALink && ALink == EditingLink() ? CurrentText() : Text());
}

// ---- TCustomdxBarCombo ----------------------------------------------------------------------------

void TCustomdxBarCombo::DeclareProperties(TPropTable& t) {
  t.Add("ShowEditor", &TCustomdxBarCombo::ShowEditor, &TCustomdxBarCombo::SetShowEditor).SetDefault(true);
  t.Add("OnCheckKeyForDropDownWindow", &TCustomdxBarCombo::OnCheckKeyForDropDownWindow);
  t.Add("OnCloseUp", &TCustomdxBarCombo::OnCloseUp);
  t.Add("OnDropDown", &TCustomdxBarCombo::OnDropDown);
  t.Add("OnGetDropDownWindow", &TCustomdxBarCombo::OnGetDropDownWindow);
}

bool TCustomdxBarCombo::IsDropDownKey(WORD Key, TShiftState Shift) {
  bool accept = Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE;
  if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, Key, Shift, accept);
  return accept;
}

HWND TCustomdxBarCombo::DropDownWindow() {
  HWND window = nullptr;
  if (OnGetDropDownWindow) OnGetDropDownWindow(this, window);
  return window;
}

void TCustomdxBarCombo::CloseUp() {
  if (HWND window = DropDownWindow()) ShowWindow(window, SW_HIDE);
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarCombo::DropDown(int X, int Y) {
  TcxObjectLinkScope alive(this);
  if (OnDropDown) OnDropDown(this);
  // A handler that closed the bars leaves nothing to drop down beside.
  if (!alive.Alive() || !ActiveLink()) return;
  HWND window = DropDownWindow();
  if (!window) return;
  PrepareDropDownWindow();
  TdxBarItemLink* link = ActiveLink();
  if (!alive.Alive() || !link || !IsWindow(window)) return;

  RECT wr{};
  GetWindowRect(window, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  const TRect& item = link->ItemRect();
  const int w0 = item.Right - item.Left, h0 = item.Bottom - item.Top;
  MONITORINFO info;
  GetMonitorInfo(MonitorFromPoint(POINT{X, Y}, MONITOR_DEFAULTTONEAREST), &info);
  const RECT& area = info.rcWork;
  TCustomdxBarControl* bar = link->Control() ? link->Control()->Parent() : nullptr;
  if (bar && (bar->IsMenu() || bar->IsVertical())) {
    if (X + w > area.right && area.right - X < X - w0 - area.left) X = X - w - w0;
    Y = std::min(Y, static_cast<int>(area.bottom) - h);
  } else {
    X = std::min(X, static_cast<int>(area.right) - w);
    if (Y + h > area.bottom && area.bottom - Y < Y - h0 - area.top) Y = Y - h0 - h;
  }
  X = std::max(X, static_cast<int>(area.left));
  Y = std::max(Y, static_cast<int>(area.top));
  SetWindowPos(window, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (alive.Alive()) DropDownShown();
}

// ---- TdxBarCustomCombo ----------------------------------------------------------------------------

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* AOwner) : TCustomdxBarCombo(AOwner), FItems(new TStringList) {
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
  ListBox();
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
  delete FListBox;
  FItems->OnChange = nullptr;
  delete FItems;
}

TdxBarDropDownListBox* TdxBarCustomCombo::ListBox() const {
  if (FListBox) return FListBox;
  auto* self = const_cast<TdxBarCustomCombo*>(this);
  FListBox = new TdxBarDropDownListBox(nullptr, self);
  FListBox->OnDrawItem = [self](TWinControl*, int Index, RECT Rect, TOwnerDrawState State) {
    self->DrawItem(self->ActivePainter(), Index, State, Rect);
  };
  FListBox->OnMeasureItem = [self](TWinControl*, int Index, int& Height) { self->MeasureItem(Index, Height); };
  return FListBox;
}

void TdxBarCustomCombo::ListBoxDestroyed(TdxBarDropDownListBox* AListBox) {
  // A bar window frees the controls it holds: the list goes with a bar destroyed while it stood on it.
  if (FListBox == AListBox) FListBox = nullptr;
}

void TdxBarCustomCombo::DeclareProperties(TPropTable& t) {
  t.Add("DropDownCount", &TdxBarCustomCombo::DropDownCount, &TdxBarCustomCombo::SetDropDownCount).SetDefault(8);
  t.Add("DropDownWidth", &TdxBarCustomCombo::DropDownWidth, &TdxBarCustomCombo::SetDropDownWidth).SetDefault(0);
  t.Add("OnDrawItem", &TdxBarCustomCombo::OnDrawItem);
  t.Add("OnMeasureItem", &TdxBarCustomCombo::OnMeasureItem);
}

void TdxBarCombo::DeclareProperties(TPropTable& t) {
  t.Add("ItemHeight", &TdxBarCustomCombo::ItemHeight, &TdxBarCustomCombo::SetItemHeight).SetDefault(0);
  t.Add("Items", &TdxBarCustomCombo::Items, &TdxBarCustomCombo::SetItems);
  t.Add("Sorted", &TdxBarCustomCombo::Sorted, &TdxBarCustomCombo::SetSorted).SetDefault(false);
  t.Add("ItemIndex", &TdxBarCustomCombo::ItemIndex, &TdxBarCustomCombo::SetItemIndex);
}

TdxBarPainter* TdxBarCustomCombo::ActivePainter() const {
  TdxBarItemLink* link = ActiveLink();
  TCustomdxBarControl* bar = link && link->Control() ? link->Control()->Parent() : nullptr;
  return bar ? bar->BarPainter() : nullptr;
}

void TdxBarCustomCombo::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  const String text = Value >= 0 ? FItems->Strings(Value) : String();
  if (text != Text()) {
    SetText(text);
    return;
  }
  RefreshControls();
  TcxObjectLinkScope alive(this);
  FireChange();
  if (alive.Alive()) RefreshControls();
}

void TdxBarCustomCombo::SetText(const String& Value) {
  // Inside an update of Items the index may not have followed the list yet.
  if (FItemIndex < 0 || FItemIndex >= FItems->Count() || FItems->Strings(FItemIndex) != Value)
    FItemIndex = FItems->IndexOf(Value);
  WriteText(Value);
}

void TdxBarCustomCombo::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  FItems->SetSorted(Value);
  FItemIndex = FItems->IndexOf(Text());
}

void TdxBarCustomCombo::ItemsChanged() { SetItemIndex(FindItem(Text())); }

int TdxBarCustomCombo::FindItem(const String& AText) const {
  std::u32string text;
  for (Utf8Reader r(AText); !r.AtEnd();) text.push_back(UpperOf(r.Next()));
  if (text.empty()) return -1;
  std::size_t matched = 0;
  int best = -1;
  const int count = FItems->Count();
  for (int i = 0; i < count; ++i) {
    const String item = FItems->Strings(i);
    Utf8Reader r(item);
    std::size_t n = 0;
    // The start already matched by the best so far must match here too before this item can do better.
    while (n < matched && !r.AtEnd() && UpperOf(r.Next()) == text[n]) ++n;
    if (n < matched) continue;
    while (n < text.size() && !r.AtEnd() && UpperOf(r.Next()) == text[n]) {
      ++n;
      matched = n;
      best = i;
    }
    if (matched == text.size()) return i;
  }
  return best;
}

bool TdxBarCustomCombo::IsDropDownKey(WORD Key, TShiftState Shift) {
  const bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  return plain && (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT);
}

HWND TdxBarCustomCombo::DropDownWindow() {
  if (HWND window = TCustomdxBarCombo::DropDownWindow()) return window;
  // The list is made as the child of the bar it drops from; without that bar there is none.
  return ListBox()->Parent() ? ListBox()->Handle() : nullptr;
}

void TdxBarCustomCombo::PrepareDropDownWindow() {
  TdxBarItemLink* link = ActiveLink();
  TdxBarItemControl* control = link ? link->Control() : nullptr;
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  if (!bar) return;
  TFont* font = nullptr;
  if (auto* edit = dynamic_cast<TdxBarEditControl*>(control)) font = edit->EditFont();
  if (!font) font = bar->ItemsFont();
  if (font) ListBox()->Font()->Assign(font);
  if (TdxBarPainter* painter = bar->BarPainter()) {
    TdxBarEditLikeControlDrawParams own(control);
    TdxBarItemControlDrawParams* params = control->DrawParams();
    TColor text = clWindowText, back = clWindow;
    painter->EditColors(params ? *params : own, text, back);
    ListBox()->Font()->SetColor(text);
    ListBox()->SetColor(back);
  }
  ListBox()->Canvas()->Font()->Assign(ListBox()->Font());
  ListBox()->Items()->Assign(FItems);

  const int width = DropDownListWidth();
  int height = 4;
  for (int i = 0, n = std::min(FItems->Count(), FDropDownCount); i < n; ++i) {
    int h = 0;
    MeasureItem(i, h);
    height += h;
  }
  SetWindowPos(ListBox()->Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

int TdxBarCustomCombo::DropDownListWidth() {
  // An explicit width is the whole width; the sum below gives exactly the control's width when
  // nothing is wider.
  if (FDropDownWidth > 0) return FDropDownWidth;
  const bool scrolls = FItems->Count() > FDropDownCount;
  const int scrollBar = scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  TdxBarItemLink* link = ActiveLink();
  int width = link && link->Control() ? link->ItemRect().Right - link->ItemRect().Left - 4 : FDropDownWidth;
  width -= scrollBar;
  for (int i = 0; i < FItems->Count(); ++i) {
    int w = 0;
    MeasureItemWidth(i, w);
    width = std::max(width, w);
  }
  return width + scrollBar + 4;
}

TCanvas* TdxBarCustomCombo::ItemCanvas() const { return FCanvas ? FCanvas : ListBox()->Canvas(); }

void TdxBarCustomCombo::MeasureItem(int AIndex, int& AHeight) {
  AHeight = FItemHeight > 0 ? FItemHeight : ItemCanvas()->TextHeight("Qq");
  if (OnMeasureItem) OnMeasureItem(this, AIndex, AHeight);
}

void TdxBarCustomCombo::MeasureItemWidth(int AIndex, int& AWidth) {
  AWidth = ItemCanvas()->TextWidth(FItems->Strings(AIndex)) + 2;
}

void TdxBarCustomCombo::DrawItem(TdxBarPainter* APainter, int AIndex, TOwnerDrawState AState, const TRect& R) {
  TCanvas* canvas = ItemCanvas();
  if (OnDrawItem) {
    OnDrawItem(this, AIndex, R, AState);
  } else if (APainter && AIndex >= 0 && AIndex < FItems->Count()) {
    APainter->DrawListItem(canvas->Handle(), R, FItems->Strings(AIndex), AState.Contains(odSelected), 0);
  }
  if (AState.Contains(odFocused)) canvas->DrawFocusRect(R);
}

void TdxBarCustomCombo::DrawInterior(TdxBarItemControl* AControl, TCanvas* ACanvas, TdxBarItemLink* ALink,
                                     const TRect& R) {
  TCustomdxBarControl* bar = AControl ? AControl->Parent() : nullptr;
  TdxBarPainter* painter = bar ? bar->BarPainter() : nullptr;
  if (!painter || !ACanvas) return;
  int index = FItemIndex;
  if (ALink && ALink == EditingLink())
    if (auto* combo = dynamic_cast<TdxBarComboControl*>(AControl)) index = combo->LocalItemIndex();
  TFieldScope<TCanvas*> canvas(FCanvas, ACanvas);
  TFieldScope<bool> interior(FDrawingInterior, true);
  DrawItem(painter, index, TOwnerDrawState{}, R);
}

void TdxBarCustomCombo::FireCurChange() {
  TcxObjectLinkScope alive(this);
  TCustomdxBarCombo::FireCurChange();
  if (alive.Alive()) SynchronizeListSelection();
}

void TdxBarCustomCombo::SynchronizeListSelection() {
  TdxBarComboControl* control = ComboControlOf(ActiveLink());
  if (!control) return;
  const String text = control->WindowText();
  int index = control->LocalItemIndex();
  if (index < 0 || index >= FItems->Count() || FItems->Strings(index) != text) {
    index = FindItem(text);
    control->StoreLocalItemIndex(index);
  }
  if (!control->IsDroppedDown() || !ListBox()->HandleAllocated()) return;
  if (index >= 0 && index < FItems->Count() && AnsiSameText(FItems->Strings(index), text)) {
    ListBox()->SetItemIndex(index);
  } else {
    ListBox()->SetItemIndex(-1);
    if (index >= 0) ListBox()->SetTopIndex(index);
  }
}

void TdxBarCustomCombo::DropDown(int X, int Y) {
  TdxBarItemLink* link = ActiveLink();
  if (TCustomdxBarControl* bar = link && link->Control() ? link->Control()->Parent() : nullptr)
    ListBox()->SetParent(bar);
  TcxObjectLinkScope alive(this);
  TCustomdxBarCombo::DropDown(X, Y);
  if (alive.Alive()) SynchronizeListSelection();
}

void TdxBarCustomCombo::DropDownShown() {
  const bool pressed = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
  if (pressed) SetCapture(ListBox()->Handle());
  ListBox()->SetPressed(pressed);
}

void TdxBarCustomCombo::CloseUp() {
  TcxObjectLinkScope alive(this);
  TCustomdxBarCombo::CloseUp();
  if (alive.Alive() && FListBox) FListBox->SetParent(nullptr);
}
