#include "platform/classes/StdCtrls.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/classes/Utf8.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"

using namespace win;


namespace {

// A standard window class paints itself from its own BeginPaint: a control of one that has no
// children of ours to paint over it hands WM_PAINT straight to the class.
bool PaintByClass(TWinControl* Control, TMessage& Message) {
  return Message.Msg == WM_PAINT && Message.WParam == 0 && Control->ControlCount() == 0 &&
         !Control->ControlState().Contains(csCustomPaint);
}

}  // namespace

// ---- TCustomLabel ---------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  FWidth = 65;
  FHeight = 17;
  FAutoSize = true;
}

void TCustomLabel::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishControl(t);
  t.Add("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption);
  t.Add("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment).SetDefault(taLeftJustify);
  t.Add("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
  t.Add("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout).SetDefault(tlTop);
  t.Add("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).SetDefault(true);
  t.Add("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).SetDefault(false);
  t.Add("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).SetDefault(false);
  t.Add("AutoSize", &TControl::AutoSize, &TCustomLabel::SetAutoSize).SetDefault(true);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == Transparent()) return;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetAutoSize(bool Value) {
  TGraphicControl::SetAutoSize(Value);
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& Message) {
  // The accelerator of a label focuses its FocusControl.
  if (Message.Msg == CM_DIALOGCHAR && FShowAccelChar && FFocusControl && Enabled()) {
    if (IsAccel(static_cast<unsigned>(Message.WParam), GetText()) && FFocusControl->CanFocus()) {
      FFocusControl->SetFocus();
      Message.Result = 1;
      return;
    }
  }
  TGraphicControl::WndProc(Message);
}

void TCustomLabel::DoDrawText(RECT& Rect, UINT Flags) {
  String text = GetText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  HDC dc = c->Handle();
  c->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    OffsetRect(&Rect, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawText(dc, text.c_str(), -1, &Rect, Flags);
    OffsetRect(&Rect, -1, -1);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawText(dc, text.c_str(), -1, &Rect, Flags);
  } else {
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawText(dc, text.c_str(), -1, &Rect, Flags);
  }
}

void TCustomLabel::Paint() {
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* c = Canvas();
  RECT r = ClientRect();
  if (!Transparent()) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | alignments[FAlignment];
  if (FLayout != tlTop) {
    RECT calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    int offset = FLayout == tlBottom ? (r.bottom - r.top) - h : ((r.bottom - r.top) - h) / 2;
    r.top += offset;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (HasState(csLoading) || !FAutoSize) return;
  // Measuring needs a context: the screen's, when the label has no parent window yet.
  HDC dc = GetDC(nullptr);
  if (!dc) return;
  TCanvas measure;
  measure.SetHandle(dc);
  measure.Font()->Assign(Font());
  String text = GetText();
  if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
  RECT r = ClientRect();
  if (!FWordWrap) r.right = r.left + 0x7FFF;
  UINT flags = DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | (FShowAccelChar ? 0 : DT_NOPREFIX);
  measure.RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawText(dc, text.c_str(), -1, &r, flags);
  measure.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = Left();
  int w = r.right - r.left;
  // A right-aligned label grows to the left, a centred one both ways.
  if (FAlignment == taRightJustify) x = Left() + Width() - w;
  if (FAlignment == taCenter) x = Left() + (Width() - w) / 2;
  SetBounds(x, Top(), w, r.bottom - r.top);
}

// ---- TCustomEdit ------------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

void TCustomEdit::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).SetDefault(true);
  t.Add("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).SetDefault(bsSingle);
  t.Add("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).SetDefault(ecNormal);
  t.Add("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &TCustomEdit::ImeMode, &TCustomEdit::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &TCustomEdit::ImeName, &TCustomEdit::SetImeName);
  t.Add("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).SetDefault(0);
  t.Add("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert).SetDefault(false);
  t.Add("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).SetDefault(0);
  t.Add("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).SetDefault(false);
  t.Add("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
  t.Add("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::SetOEMConvert(bool Value) {
  if (Value == FOEMConvert) return;
  FOEMConvert = Value;
  RecreateWnd();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  if (FOEMConvert) Params.Style |= ES_OEMCONVERT;
  static const DWORD cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | cases[FCharCase];
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) SendMessage(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  SendMessage(FHandle, EM_SETMODIFY, FModified ? 1 : 0, 0);
}

void TCustomEdit::DestroyWnd() {
  FModified = Modified();
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int Value) {
  if (Value == FMaxLength) return;
  FMaxLength = std::max(0, Value);
  if (HandleAllocated()) SendMessage(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (Value == FPasswordChar) return;
  FPasswordChar = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  if (HandleAllocated()) SendMessage(FHandle, EM_SETREADONLY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (Value == FCharCase) return;
  FCharCase = Value;
  // The window converts what it holds when its style asks for a case.
  if (FCharCase == ecUpperCase) SetText(AnsiUpperCase(GetText()));
  if (FCharCase == ecLowerCase) SetText(AnsiLowerCase(GetText()));
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value == bsNone ? bsNone : bsSingle;
  if (HandleAllocated()) RecreateWnd();
}

bool TCustomEdit::Modified() {
  if (HandleAllocated()) return SendMessage(FHandle, EM_GETMODIFY, 0, 0) != 0;
  return FModified;
}

void TCustomEdit::SetModified(bool Value) {
  if (HandleAllocated())
    SendMessage(FHandle, EM_SETMODIFY, Value ? 1 : 0, 0);
  else
    FModified = Value;
}

int TCustomEdit::SelStart() {
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) { SendMessage(Handle(), EM_SETSEL, Value, Value); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessage(Handle(), EM_SETSEL, start, static_cast<LPARAM>(start) + Value);
  SendMessage(Handle(), EM_SCROLLCARET, 0, 0);
}

String TCustomEdit::SelText() {
  int start = SelStart(), length = SelLength();
  String text = GetText();
  // Character positions to byte offsets.
  std::size_t b = 0;
  int ch = 0;
  std::size_t from = text.size(), to = text.size();
  for (; b <= text.size(); ++b) {
    if (b == text.size() || (static_cast<unsigned char>(text[b]) & 0xC0) != 0x80) {
      if (ch == start) from = b;
      if (ch == start + length) {
        to = b;
        break;
      }
      ++ch;
    }
  }
  if (from > to) return "";
  return text.substr(from, to - from);
}

void TCustomEdit::SetSelText(const String& Value) {
  SendMessage(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { SendMessage(Handle(), EM_SETSEL, 0, -1); }
void TCustomEdit::ClearSelection() { SendMessage(Handle(), WM_CLEAR, 0, 0); }
void TCustomEdit::CopyToClipboard() { SendMessage(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessage(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessage(Handle(), WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { SendMessage(Handle(), EM_UNDO, 0, 0); }
void TCustomEdit::Clear() { SetText(""); }

void TCustomEdit::DoEnter() {
  // Tabbing into an edit selects all of it; a click places the caret where it went.
  if (FAutoSelect && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  // Without a window no EN_CHANGE tells of the new text; a change by code is a change still.
  if (!HandleAllocated() && !HasState(csLoading)) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& Message) {
  if (PaintByClass(this, Message)) {
    DefaultHandler(Message);
    return;
  }
  if (Message.Msg == CN_COMMAND && (Message.WParam >> 16) == EN_CHANGE) {
    // A change made while the window is being created is the stored text arriving.
    if (!FControlState.Contains(csCreating)) Change();
    return;
  }
  TWinControl::WndProc(Message);
}

// ---- TCustomMemo ------------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TMemoStrings(this)) {
  FWidth = 185;
  FHeight = 89;
  SetAutoSelect(false);
  FControlStyle.Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo() { delete FLines; }

void TCustomMemo::DeclareProperties(TPropTable& t) {
  t.Remove("Text");
  t.Add("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment).SetDefault(taLeftJustify);
  t.Add("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
  t.Add("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).SetDefault(ssNone);
  t.Add("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).SetDefault(true);
  t.Add("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).SetDefault(false);
  t.Add("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).SetDefault(true);
  t.Redeclare("AutoSelect").SetDefault(false);
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  static const DWORD bars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  static const DWORD aligns[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style |= ES_MULTILINE | bars[FScrollBars] | aligns[FAlignment];
  if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

POINT TCustomMemo::CaretPos() {
  DWORD start = 0, end = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // The caret stands at the end of the selection the operator made last.
  auto line = static_cast<int>(SendMessage(FHandle, EM_LINEFROMCHAR, end, 0));
  auto first = static_cast<int>(SendMessage(FHandle, EM_LINEINDEX, line, 0));
  return POINT{static_cast<LONG>(static_cast<int>(end) - first), static_cast<LONG>(line)};
}

void TCustomMemo::SetCaretPos(POINT Value) {
  auto index = static_cast<int>(SendMessage(Handle(), EM_LINEINDEX, Value.y, 0));
  if (index < 0) index = static_cast<int>(SendMessage(FHandle, WM_GETTEXTLENGTH, 0, 0));
  SendMessage(FHandle, EM_SETSEL, index + Value.x, index + Value.x);
}

void TCustomMemo::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    TCustomEdit::WndProc(Message);
    if (!FWantTabs) Message.Result &= ~DLGC_WANTTAB;
    if (!FWantReturns) Message.Result &= ~DLGC_WANTALLKEYS;
    return;
  }
  TCustomEdit::WndProc(Message);
}

void TCustomMemo::KeyPress(TChar& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == '\r' && !FWantReturns) Key = 0;
}

// A memo's text is CR LF separated lines; a final break does not start another line.
std::vector<String> TMemoStrings::Split() {
  String text = FMemo->GetText();
  std::vector<String> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t eol = text.find_first_of("\r\n", start);
    if (eol == String::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, eol - start));
    start = eol + ((text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<String>& Lines) {
  String text;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    if (i) text += "\r\n";
    text += Lines[i];
  }
  FMemo->SetText(text);
}

String TMemoStrings::Get(int Index) {
  auto lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) return "";
  return lines[static_cast<std::size_t>(Index)];
}

bool TMemoStrings::LinesAreRows() { return FMemo->HandleAllocated() && !FMemo->WordWrap(); }

int TMemoStrings::GetCount() {
  if (!LinesAreRows()) return static_cast<int>(Split().size());
  // An empty last row is the end of the text after a final break (or of an empty text).
  auto rows = static_cast<int>(SendMessage(FMemo->FHandle, EM_GETLINECOUNT, 0, 0));
  auto lastStart = SendMessage(FMemo->FHandle, EM_LINEINDEX, static_cast<WPARAM>(rows - 1), 0);
  return SendMessage(FMemo->FHandle, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0) == 0 ? rows - 1 : rows;
}

int TMemoStrings::Add(const String& S) {
  if (!LinesAreRows()) return TStrings::Add(S);
  // Appended in place, without reading and writing back the whole text, so that a log keeps its
  // pace however long it grows.
  HWND h = FMemo->FHandle;
  auto rows = static_cast<int>(SendMessage(h, EM_GETLINECOUNT, 0, 0));
  auto lastStart = SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(rows - 1), 0);
  auto lastLength = SendMessage(h, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0);
  const int index = lastLength == 0 ? rows - 1 : rows;
  const String line = lastLength == 0 ? S : "\r\n" + S;
  const auto at = static_cast<WPARAM>(lastStart + lastLength);
  SendMessage(h, EM_SETSEL, at, static_cast<LPARAM>(at));
  SendMessage(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessage(h, EM_SCROLLCARET, 0, 0);
  return index;
}

void TMemoStrings::Put(int Index, const String& S) {
  auto lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {Index}));
  lines[static_cast<std::size_t>(Index)] = S;
  Join(lines);
}

void TMemoStrings::Insert(int Index, const String& S) {
  auto lines = Split();
  if (Index < 0 || Index > static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {Index}));
  lines.insert(lines.begin() + Index, S);
  Join(lines);
  // New lines are seen: the view follows to the end of what was added.
  if (FMemo->HandleAllocated()) SendMessage(FMemo->FHandle, EM_SCROLLCARET, 0, 0);
}

void TMemoStrings::Delete(int Index) {
  auto lines = Split();
  if (Index < 0 || Index >= static_cast<int>(lines.size())) throw EStringListError(Format(SListIndexError, {Index}));
  lines.erase(lines.begin() + Index);
  Join(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

String TMemoStrings::Text() { return FMemo->GetText(); }
void TMemoStrings::SetText(const String& Value) {
  // Any line break form becomes the window's CR LF.
  std::vector<String> lines;
  std::size_t start = 0;
  while (start <= Value.size()) {
    std::size_t eol = Value.find_first_of("\r\n", start);
    if (eol == String::npos) {
      if (start < Value.size()) lines.push_back(Value.substr(start));
      break;
    }
    lines.push_back(Value.substr(start, eol - start));
    start = eol + ((Value[eol] == '\r' && eol + 1 < Value.size() && Value[eol + 1] == '\n') ? 2 : 1);
  }
  Join(lines);
}

void TMemoStrings::SetUpdateState(bool Updating) {
  if (!FMemo->HandleAllocated()) return;
  SendMessage(FMemo->FHandle, WM_SETREDRAW, Updating ? 0 : 1, 0);
  if (!Updating) FMemo->Refresh();
}

// ---- buttons ------------------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap).SetDefault(false);
}

void TButtonControl::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButtonControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Pressed, the button takes the focus first; the click the focus may bring (a radio
      // button checks itself on focus) is no click of the operator's.
      if (!HasState(csDesigning) && HandleAllocated() && GetFocus() != FHandle) {
        FClicksDisabled = true;
        win::SetFocus(FHandle);
        FClicksDisabled = false;
        if (GetFocus() != FHandle) return;
      }
      break;
    case CN_COMMAND:
      if (FClicksDisabled) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

std::unique_ptr<TControlActionLink> TButtonControl::CreateActionLink() {
  return std::make_unique<TButtonActionLink>(this);
}

void TButtonControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  TWinControl::ActionChange(Sender, CheckDefaults);
  if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
    if (!CheckDefaults || !GetChecked()) {
      FClicksDisabled = true;
      SetChecked(a->Checked());
      FClicksDisabled = false;
    }
  }
}

void TButtonActionLink::AssignClient(TObject* AClient) {
  TWinControlActionLink::AssignClient(AClient);
  FButton = dynamic_cast<TButtonControl*>(AClient);
}

bool TButtonActionLink::IsCheckedLinked() {
  auto* a = CustomAction();
  return TWinControlActionLink::IsCheckedLinked() && FButton && a && FButton->GetChecked() == a->Checked();
}

void TButtonActionLink::SetChecked(bool Value) {
  if (!IsCheckedLinked() || !FButton) return;
  FButton->FClicksDisabled = true;
  FButton->SetChecked(Value);
  FButton->FClicksDisabled = false;
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
}

void TButton::DeclareProperties(TPropTable& t) {
  t.Add("Cancel", &TButton::Cancel, &TButton::SetCancel).SetDefault(false);
  t.Add("Caption", &TButton::Caption, &TButton::SetCaption);
  t.Add("Default", &TButton::Default, &TButton::SetDefault).SetDefault(false);
  t.Add("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).SetDefault(0);
}

void TButton::SetDefault(bool Value) {
  if (Value == FDefault) return;
  FDefault = Value;
  if (!HandleAllocated()) return;
  // The focused button stays the one Enter presses; otherwise the default one is.
  TCustomForm* form = ::GetParentForm(this);
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  if (!dynamic_cast<TButton*>(focused)) {
    FActive = Value;
    SetButtonStyle(Value);
  }
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  FActive = FDefault;
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated()) return;
  const DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE)) & 0x0F) != style) SendMessage(FHandle, BM_SETSTYLE, style, 1);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  // A button with a modal result closes its form with that result.
  if (FModalResult != mrNone)
    if (TCustomForm* form = ::GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& Message) {
  if (PaintByClass(this, Message)) {
    DefaultHandler(Message);
    return;
  }
  switch (Message.Msg) {
    case CN_COMMAND:
      if ((Message.WParam >> 16) == BN_CLICKED) Click();
      return;
    case CM_FOCUSCHANGED: {
      // A focused button is the one Enter presses; with the focus elsewhere, the default one.
      auto* sender = reinterpret_cast<TControl*>(Message.LParam);
      FActive = dynamic_cast<TButton*>(sender) ? sender == this : FDefault;
      SetButtonStyle(FActive);
      break;
    }
    case CM_DIALOGKEY: {
      // Enter reaches the active button and Esc the cancel button while their form is active.
      WORD key = Message.CharCode();
      if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) && Enabled() && Showing()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TButtonControl::WndProc(Message);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 97;
  FHeight = 17;
  FTabStop = true;
}

void TCustomCheckBox::DeclareProperties(TPropTable& t) {
  t.Add("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment).SetDefault(taRightJustify);
  t.Add("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).SetDefault(false);
  t.Add("Caption", &TCustomCheckBox::Caption, &TCustomCheckBox::SetCaption);
  t.Add("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetCheckedValue).SetDefault(false);
  t.Add("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).SetDefault(cbUnchecked);
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessage(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  if (HandleAllocated()) SendMessage(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  // A change by code is a click too, as the stored state arriving is not.
  if (!FClicksDisabled && !HasState(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::WndProc(TMessage& Message) {
  if (PaintByClass(this, Message)) {
    DefaultHandler(Message);
    return;
  }
  if (Message.Msg == CN_COMMAND) {
    if ((Message.WParam >> 16) == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::WndProc(Message);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 113;
  FHeight = 17;
}

void TRadioButton::DeclareProperties(TPropTable& t) {
  t.Add("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).SetDefault(taRightJustify);
  t.Add("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
  t.Add("Checked", &TRadioButton::Checked, &TRadioButton::SetCheckedValue).SetDefault(false);
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessage(FHandle, BM_SETCHECK, FChecked ? 1 : 0, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated()) SendMessage(FHandle, BM_SETCHECK, Value ? 1 : 0, 0);
  if (!Value) return;
  // Checking one radio button unchecks the others of its parent, each without a click of its own.
  if (FParent)
    for (int i = 0; i < FParent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
        other->SetChecked(false);
  if (!FClicksDisabled && !HasState(csLoading)) Click();
}

void TRadioButton::WndProc(TMessage& Message) {
  if (PaintByClass(this, Message)) {
    DefaultHandler(Message);
    return;
  }
  if (Message.Msg == CN_COMMAND) {
    if (FClicksDisabled) return;
    if ((Message.WParam >> 16) == BN_CLICKED) SetChecked(true);
    else if ((Message.WParam >> 16) == BN_DOUBLECLICKED) DblClick();
    return;
  }
  TButtonControl::WndProc(Message);
}

// ---- TCustomGroupBox ----------------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable, csParentBackground};
  FWidth = 185;
  FHeight = 105;
}

void TCustomGroupBox::AdjustClientRect(RECT& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = 13;
  if (HandleAllocated()) h = c->TextHeight("0");
  Rect.top += h;
  InflateRect(&Rect, -1, -1);
  if (Ctl3D()) InflateRect(&Rect, -1, -1);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = c->TextHeight("0");
  RECT r{0, h / 2 - 1, Width(), Height()};
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  if (Ctl3D()) {
    r.left += 1;
    r.top += 1;
    c->Brush()->SetColor(clBtnHighlight);
    c->FrameRect(r);
    OffsetRect(&r, -1, -1);
    c->Brush()->SetColor(clBtnShadow);
  } else {
    c->Brush()->SetColor(clWindowFrame);
  }
  c->FrameRect(r);
  String text = GetText();
  if (!text.empty()) {
    RECT t{8, 0, 0, h};
    HDC dc = c->Handle();
    c->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(dc, text.c_str(), -1, &t, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    c->Brush()->SetColor(Color());
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(Color()));
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawText(dc, text.c_str(), -1, &t, DT_LEFT | DT_SINGLELINE);
  }
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
  Realign();
}

// ---- list and combo box items --------------------------------------------------------------------

void TListControlStrings::Check(int Index, bool AllowEnd) const {
  int count = static_cast<int>(FItems.size());
  if (Index < 0 || Index > count || (!AllowEnd && Index == count))
    throw EStringListError(Format(SListIndexError, {Index}));
}

String TListControlStrings::Get(int Index) {
  Check(Index, false);
  return FItems[static_cast<std::size_t>(Index)].first;
}

TObject* TListControlStrings::GetObject(int Index) {
  Check(Index, false);
  return FItems[static_cast<std::size_t>(Index)].second;
}

void TListControlStrings::PutObject(int Index, TObject* AObject) {
  Check(Index, false);
  FItems[static_cast<std::size_t>(Index)].second = AObject;
}

void TListControlStrings::Put(int Index, const String& S) {
  Check(Index, false);
  TObject* obj = FItems[static_cast<std::size_t>(Index)].second;
  Delete(Index);
  InsertObject(Index, S, obj);
}

void TListControlStrings::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TListControlStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Check(Index, true);
  // A sorted list places the item itself, as the window's sorted style does.
  if (FSorted) {
    auto it = std::upper_bound(FItems.begin(), FItems.end(), S,
                               [](const String& s, const auto& item) { return AnsiCompareText(s, item.first) < 0; });
    Index = static_cast<int>(it - FItems.begin());
  }
  FItems.insert(FItems.begin() + Index, {S, AObject});
  if (Live())
    SendMessage(FControl->Handle(), Msg(LB_INSERTSTRING, CB_INSERTSTRING), static_cast<WPARAM>(Index),
                reinterpret_cast<LPARAM>(S.c_str()));
}

void TListControlStrings::Delete(int Index) {
  Check(Index, false);
  FItems.erase(FItems.begin() + Index);
  if (Live()) SendMessage(FControl->Handle(), Msg(LB_DELETESTRING, CB_DELETESTRING), static_cast<WPARAM>(Index), 0);
}

void TListControlStrings::Clear() {
  FItems.clear();
  if (Live()) SendMessage(FControl->Handle(), Msg(LB_RESETCONTENT, CB_RESETCONTENT), 0, 0);
}

void TListControlStrings::SetSorted(bool Value) {
  FSorted = Value;
  if (!Value) return;
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
  Push();
}

void TListControlStrings::Push() {
  if (!Live()) return;
  HWND h = FControl->Handle();
  SendMessage(h, Msg(LB_RESETCONTENT, CB_RESETCONTENT), 0, 0);
  for (std::size_t i = 0; i < FItems.size(); ++i)
    SendMessage(h, Msg(LB_INSERTSTRING, CB_INSERTSTRING), i, reinterpret_cast<LPARAM>(FItems[i].first.c_str()));
}

// ---- TCustomListBox ----------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListControlStrings(this, false)), FCanvas(new TControlCanvas) {
  static_cast<TControlCanvas*>(FCanvas)->SetControl(this);
  // The list's own notifications click and double-click it; the generic mouse handling must not
  // do it a second time.
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

TCustomListBox::~TCustomListBox() {
  delete FCanvas;
  delete FItems;
}

int TCustomListBox::DoFindData(const String& Data) { return OnDataFind ? OnDataFind(this, Data) : -1; }

void TCustomListBox::KeyPress(TChar& Key) {
  TWinControl::KeyPress(Key);
  if (!FAutoComplete || Key == 0 || (Key < 0x20 && Key != VK_BACK)) return;
  const DWORD now = GetTickCount();
  if (now - FLastTime >= 500) FFilter.clear();
  FLastTime = now;
  if (Key == VK_BACK) {
    // The last whole character goes.
    std::size_t n = FFilter.size();
    while (n > 0 && (static_cast<unsigned char>(FFilter[n - 1]) & 0xC0) == 0x80) --n;
    FFilter.resize(n > 0 ? n - 1 : 0);
  } else {
    Utf8Append(FFilter, Key);
  }
  const bool isVirtual = FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw;
  int found = -1;
  if (!FFilter.empty()) {
    if (isVirtual) found = DoFindData(FFilter);
    else if (HandleAllocated())
      found = static_cast<int>(SendMessage(FHandle, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(FFilter.c_str())));
  }
  if (found >= 0 && found < Count()) {
    if (FMultiSelect) {
      for (int i = 0; i < Count(); ++i) SetSelected(i, i == found);
    }
    SetItemIndex(found);
    Click();
  }
  // The list's own search must not run on the same key.
  if (Key != VK_RETURN && Key != VK_BACK && Key != VK_ESCAPE) Key = 0;
}

void TCustomListBox::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("AutoComplete", &TCustomListBox::AutoComplete, &TCustomListBox::SetAutoComplete).SetDefault(true);
  t.Add("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle).SetDefault(bsSingle);
  t.Add("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect).SetDefault(true);
  t.Add("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
  t.Add("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  t.Add("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).SetDefault(false);
  t.Add("ScrollWidth", &TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth).SetDefault(0);
  t.Add("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).SetDefault(false);
  t.Add("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).SetDefault(lbStandard);
  t.Add("OnDrawItem", &TCustomListBox::OnDrawItem);
  t.Add("OnMeasureItem", &TCustomListBox::OnMeasureItem);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_OWNERDRAWFIXED | LBS_NODATA,
                                 LBS_OWNERDRAWFIXED | LBS_NODATA};
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | styles[FStyle];
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw)
    SendMessage(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FCount), 0);
  else
    FItems->Push();
  if (FStyle != lbStandard) SendMessage(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  SendMessage(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
  if (FMultiSelect) {
    for (std::size_t i = 0; i < FSelected.size(); ++i)
      if (FSelected[i]) SendMessage(FHandle, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
  } else {
    SendMessage(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  }
  SendMessage(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TCustomListBox::DestroyWnd() {
  // What the operator chose survives the window being made again.
  FItemIndex = ItemIndex();
  FTopIndex = TopIndex();
  FSelected.assign(static_cast<std::size_t>(Count()), false);
  if (FMultiSelect)
    for (int i = 0; i < Count(); ++i) FSelected[static_cast<std::size_t>(i)] = Selected(i);
  TWinControl::DestroyWnd();
}

int TCustomListBox::Count() {
  return FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw ? FCount : FItems->Count();
}

void TCustomListBox::SetCount(int Value) {
  FCount = std::max(0, Value);
  if (HandleAllocated() && (FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw))
    SendMessage(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FCount), 0);
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return FItemIndex;
  if (FMultiSelect) return static_cast<int>(SendMessage(FHandle, LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessage(FHandle, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= Count()) Value = -1;
  FItemIndex = Value;
  if (!HandleAllocated()) return;
  if (FMultiSelect)
    SendMessage(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(Value), 0);
  else
    SendMessage(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

bool TCustomListBox::Selected(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, {Index}));
  if (!HandleAllocated())
    return FMultiSelect ? (static_cast<std::size_t>(Index) < FSelected.size() && FSelected[static_cast<std::size_t>(Index)])
                        : Index == FItemIndex;
  return SendMessage(FHandle, LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, {Index}));
  if (!FMultiSelect) {
    if (Value) SetItemIndex(Index);
    else if (ItemIndex() == Index) SetItemIndex(-1);
    return;
  }
  if (FSelected.size() < static_cast<std::size_t>(Count())) FSelected.resize(static_cast<std::size_t>(Count()), false);
  FSelected[static_cast<std::size_t>(Index)] = Value;
  if (HandleAllocated()) SendMessage(FHandle, LB_SETSEL, Value ? TRUE : FALSE, Index);
}

int TCustomListBox::SelCount() {
  if (!FMultiSelect) return -1;
  if (HandleAllocated()) return static_cast<int>(SendMessage(FHandle, LB_GETSELCOUNT, 0, 0));
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

int TCustomListBox::TopIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessage(FHandle, LB_GETTOPINDEX, 0, 0)) : FTopIndex;
}

void TCustomListBox::SetTopIndex(int Value) {
  FTopIndex = std::max(0, Value);
  if (HandleAllocated()) SendMessage(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (Value == FExtendedSelect) return;
  FExtendedSelect = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetScrollWidth(int Value) {
  FScrollWidth = std::max(0, Value);
  if (HandleAllocated()) SendMessage(FHandle, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
}

void TCustomListBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  FItems->SetSorted(Value);
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle Value) {
  Value = Value == bsNone ? bsNone : bsSingle;
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::ItemAtPos(POINT Pos, bool Existing) {
  RECT client = ClientRect();
  if (Pos.x < client.left || Pos.x >= client.right || Pos.y < client.top) return -1;
  for (int i = TopIndex(); i < Count(); ++i) {
    RECT r = ItemRect(i);
    if (r.top >= client.bottom) break;
    if (Pos.y >= r.top && Pos.y < r.bottom) return i;
  }
  if (Pos.y >= client.bottom) return -1;
  return Existing ? -1 : Count();
}

RECT TCustomListBox::ItemRect(int Index) {
  RECT r{0, 0, 0, 0};
  if (Index < 0 || Index > Count()) return r;
  if (HandleAllocated() && Index < Count()) {
    SendMessage(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // One past the last item: the place the next one would take.
  int h = HandleAllocated() ? static_cast<int>(SendMessage(FHandle, LB_GETITEMHEIGHT, 0, 0)) : FItemHeight;
  int top = (Index - TopIndex()) * h;
  return RECT{0, top, ClientWidth(), top + h};
}

void TCustomListBox::DrawItem(int Index, RECT Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < FItems->Count()) FCanvas->TextOut(Rect.left + 2, Rect.top, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::WndProc(TMessage& Message) {
  if (PaintByClass(this, Message)) {
    DefaultHandler(Message);
    return;
  }
  switch (Message.Msg) {
    case CN_COMMAND:
      if ((Message.WParam >> 16) == LBN_SELCHANGE) {
        FItemIndex = ItemIndex();
        Click();
      } else if ((Message.WParam >> 16) == LBN_DBLCLK) {
        DblClick();
      }
      return;
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      TOwnerDrawState state;
      if (dis->itemState & ODS_SELECTED) state.Include(odSelected);
      if (dis->itemState & ODS_FOCUS) state.Include(odFocused);
      if (dis->itemState & ODS_DISABLED) state.Include(odDisabled);
      FCanvas->SetHandle(dis->hDC);
      FCanvas->Font()->Assign(Font());
      FCanvas->Brush()->Assign(FBrush);
      if (state.Contains(odSelected)) {
        FCanvas->Brush()->SetColor(clHighlight);
        FCanvas->Font()->SetColor(clHighlightText);
      }
      try {
        if (static_cast<int>(dis->itemID) >= 0) DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
        else FCanvas->FillRect(dis->rcItem);
        if (state.Contains(odFocused)) DrawFocusRect(dis->hDC, &dis->rcItem);
      } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
      }
      FCanvas->SetHandle(nullptr);
      Message.Result = 1;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      int h = FItemHeight;
      if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mis->itemID), h);
      mis->itemHeight = static_cast<UINT>(std::max(1, h));
      Message.Result = 1;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

// ---- TCustomComboBox ---------------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListControlStrings(this, true)) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

TCustomComboBox::~TCustomComboBox() {
  // The window outlives this part of the object: its edit part must not call back into it.
  ReleaseEditPart();
  delete FItems;
}

void TCustomComboBox::ReleaseEditPart() {
  if (FEditHandle && IsWindow(FEditHandle)) {
    SetWindowLongPtr(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditDefProc));
    SetWindowLongPtr(FEditHandle, GWLP_USERDATA, 0);
  }
  FEditHandle = nullptr;
  FEditDefProc = nullptr;
}

void TCustomComboBox::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).SetDefault(8);
  t.Add("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight);
  t.Add("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).SetDefault(-1);
  t.Add("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
  t.Add("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).SetDefault(0);
  t.Add("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).SetDefault(false);
  t.Add("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).SetDefault(csDropDown);
  t.Add("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText);
  t.Add("OnChange", &TCustomComboBox::OnChange);
  t.Add("OnCloseUp", &TCustomComboBox::OnCloseUp);
  t.Add("OnDrawItem", &TCustomComboBox::OnDrawItem);
  t.Add("OnDropDown", &TCustomComboBox::OnDropDown);
  t.Add("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
  t.Add("OnSelect", &TCustomComboBox::OnSelect);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[FStyle];
}

void TCustomComboBox::CreateWnd() {
  // The stored text goes back in after the items, which a drop-down list shows instead.
  String text = FText;
  FSettingText = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FSettingText};
  TWinControl::CreateWnd();
  // Characters typed into the edit part are the combo box's key presses.
  if (HWND edit = FindWindowEx(FHandle, nullptr, "Edit", nullptr)) {
    FEditHandle = edit;
    FEditDefProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(edit, GWLP_WNDPROC));
    SetWindowLongPtr(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomComboBox::EditWndProc));
  }
  FItems->Push();
  if (FMaxLength) SendMessage(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SendMessage(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  if (FStyle == csDropDown || FStyle == csSimple) {
    if (FItemIndex < 0 && !text.empty()) SetWindowText(FHandle, text.c_str());
  }
}

void TCustomComboBox::DestroyWnd() {
  FText = GetText();
  ReleaseEditPart();
  TWinControl::DestroyWnd();
}

LRESULT TCustomComboBox::EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* combo = reinterpret_cast<TCustomComboBox*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  if (!combo || !combo->FEditDefProc) return DefWindowProc(hwnd, msg, wParam, lParam);
  WNDPROC next = combo->FEditDefProc;
  if (msg == WM_CHAR) {
    TMessage m{msg, wParam, lParam, 0};
    if (combo->DoKeyPress(m)) return 0;
    wParam = m.WParam;
  }
  return CallWindowProc(next, hwnd, msg, wParam, lParam);
}

int TCustomComboBox::ItemIndex() { return FItemIndex; }

void TCustomComboBox::SetItemIndex(int Value) {
  if (HasState(csLoading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  FSettingText = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FSettingText};
  if (HandleAllocated()) SendMessage(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  // The edit part shows the chosen item, or nothing.
  SetTextValue(Value >= 0 ? FItems->Strings(Value) : String());
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (HandleAllocated()) SendMessage(FHandle, CB_SETITEMHEIGHT, 0, Value);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (Value == FSorted) return;
  FSorted = Value;
  FItems->SetSorted(Value);
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (HandleAllocated()) SendMessage(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetItemIndex(-1);
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::WndProc(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    switch (Message.WParam >> 16) {
      case CBN_SELCHANGE: {
        auto sel = static_cast<int>(SendMessage(FHandle, CB_GETCURSEL, 0, 0));
        if (sel >= 0 && sel < FItems->Count()) FItemIndex = sel;
        if (FItemIndex >= 0) {
          FSettingText = true;
          SetTextValue(FItems->Strings(FItemIndex));
          FSettingText = false;
        }
        Click();
        Select();
        break;
      }
      case CBN_EDITCHANGE:
        if (FSettingText) break;
        FItemIndex = -1;
        Change();
        break;
      case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        break;
      case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        break;
      default: break;
    }
    return;
  }
  TWinControl::WndProc(Message);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TLabel, TEdit, TMemo, TButton, TCheckBox, TRadioButton, TListBox, TComboBox, TGroupBox>();
  return true;
}();

}  // namespace
