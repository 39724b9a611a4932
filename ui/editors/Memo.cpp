#include "ui/editors/Memo.h"

#include "platform/classes/Utf8.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/ScopeGuards.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

constexpr UINT kImeComposition = 0x010F;

int gUnitStarts = 0;

// Each LF directly followed by CR becomes two CR LF breaks; CR LF pairs and everything else stay.
String NormalizeLfCrBreaks(const String& Text) {
  String out;
  out.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const bool pairFollows = i + 1 < Text.size();
    if (Text[i] == '\r' && pairFollows && Text[i + 1] == '\n') {
      out += "\r\n";
      ++i;
    } else if (Text[i] == '\n' && pairFollows && Text[i + 1] == '\r') {
      out += "\r\n\r\n";
      ++i;
    } else {
      out += Text[i];
    }
  }
  return out;
}

bool HasHorizontalBar(TScrollStyle Style) { return Style == ssHorizontal || Style == ssBoth; }
bool HasVerticalBar(TScrollStyle Style) { return Style == ssVertical || Style == ssBoth; }

// The redraw styles a memo window keeps: wrapped text is laid out again when the width changes.
void StripRedrawStyles(TCreateParams& Params, TScrollStyle ScrollBars, bool WordWrap) {
  Params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW);
  if (HasHorizontalBar(ScrollBars) || !WordWrap) Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW);
}

}  // namespace

// ---- the adapter ----------------------------------------------------------------------------------------

Variant TcxCustomInnerMemoHelper::InnerEditValue() { return Variant(FEdit->LinesText()); }

void TcxCustomInnerMemoHelper::SetInnerEditValue(const Variant& Value) {
  const String text = VarToStr(Value);
  if (!FEdit->HandleAllocated()) {
    FEdit->SetText(text);
    return;
  }
  TcxCustomMemo* owner = FEdit->OwnerMemo();
  if (owner) owner->LockChangeEvents(true);
  FEdit->BeginInternalTextSetting();
  try {
    if (owner && owner->IsInPlace() && FEdit->WordWrap()) FEdit->Lines()->Clear();
    FEdit->Lines()->SetText(text);
  } catch (...) {
    FEdit->EndInternalTextSetting();
    if (owner) owner->LockChangeEvents(false, false);
    throw;
  }
  FEdit->EndInternalTextSetting();
  if (!owner) return;
  // The value is the editor's already: only a held-back OnChange is news.
  owner->ChangeEventsCatcher()->OnEditValueChangedPending = false;
  owner->LockChangeEvents(false, true);
}

TAlignment TcxCustomInnerMemoHelper::Alignment() { return FEdit->Alignment(); }
void TcxCustomInnerMemoHelper::SetAlignment(TAlignment Value) { FEdit->SetAlignment(Value); }
POINT TcxCustomInnerMemoHelper::CaretPos() { return FEdit->HandleAllocated() ? FEdit->CaretPos() : POINT{0, 0}; }
TStrings* TcxCustomInnerMemoHelper::Lines() { return FEdit->Lines(); }
TScrollStyle TcxCustomInnerMemoHelper::ScrollBars() { return FEdit->ScrollBars(); }
bool TcxCustomInnerMemoHelper::WantReturns() { return FEdit->WantReturns(); }
bool TcxCustomInnerMemoHelper::WantTabs() { return FEdit->WantTabs(); }
bool TcxCustomInnerMemoHelper::WordWrap() { return FEdit->WordWrap(); }

void TcxCustomInnerMemoHelper::SetCaretPos(const POINT& Value) {
  if (!FEdit->HandleAllocated()) return;
  const auto start = static_cast<int>(SendMessage(FEdit->Handle(), EM_LINEINDEX, static_cast<WPARAM>(Value.y), 0));
  const int position = start + Value.x;
  SendMessage(FEdit->Handle(), EM_SETSEL, static_cast<WPARAM>(position), position);
}

void TcxCustomInnerMemoHelper::SetScrollBars(TScrollStyle Value) { FEdit->SetScrollBars(Value); }
void TcxCustomInnerMemoHelper::SetWantReturns(bool Value) { FEdit->SetWantReturns(Value); }
void TcxCustomInnerMemoHelper::SetWantTabs(bool Value) { FEdit->SetWantTabs(Value); }
void TcxCustomInnerMemoHelper::SetWordWrap(bool Value) { FEdit->SetWordWrap(Value); }

// ---- the inner memo -------------------------------------------------------------------------------------

TcxCustomInnerMemo::TcxCustomInnerMemo(TComponent* AOwner) : TcxInnerEditControl(AOwner) {
  if (!ComponentState().Contains(csDesigning)) SetCursor(crIBeam);
  SetParentColor(true);
  SetParentFont(true);
  FHelper = std::make_unique<TcxCustomInnerMemoHelper>(this);
  FCreating = false;
}

TcxCustomInnerMemo::~TcxCustomInnerMemo() = default;

TcxCustomMemo* TcxCustomInnerMemo::OwnerMemo() const { return dynamic_cast<TcxCustomMemo*>(Owner()); }

String TcxCustomInnerMemo::LinesText() {
  String text = Lines()->Text();
  // The window keeps no break after its last line; as lines, every line has one.
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
  return text;
}

LRESULT TcxCustomInnerMemo::CallDefWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!HandleAllocated()) return 0;
  return CallWindowProc(DefWndProc() ? DefWndProc() : DefWindowProc, Handle(), Msg, WParam, LParam);
}

void TcxCustomInnerMemo::CreateParams(TCreateParams& Params) {
  TMemo::CreateParams(Params);
  StripRedrawStyles(Params, ScrollBars(), WordWrap());
}

void TcxCustomInnerMemo::CreateWindowHandle(const TCreateParams& Params) {
  // The stored text arriving in the new window is not a change of the editor's value.
  TcxCounterScope setting(FInternalTextSetting);
  TMemo::CreateWindowHandle(Params);
  // Text set while there was no window was never seen changing.
  if (TcxCustomMemo* owner = OwnerMemo()) owner->ForgetValueMirror();
  Lines()->SetText(Text());
  if (TcxCustomMemo* owner = OwnerMemo()) owner->SyncInnerScrollBars(false);
}

void TcxCustomInnerMemo::KeyPress(TChar& Key) {
  FKeySwallowed = false;
  if (TcxCustomMemo* owner = OwnerMemo()) owner->InnerEditKeyPress(Key);
  if (Key == 0) {
    FKeySwallowed = true;
    return;
  }
  // Ctrl+Enter makes LF: it breaks the line exactly when Enter alone does not.
  if (Key == '\n' && WantReturns()) Key = 0;
  TMemo::KeyPress(Key);
}

void TcxCustomInnerMemo::KeyUp(WORD& Key, TShiftState Shift) {
  FKeySwallowed = false;
  TcxCustomMemo* owner = OwnerMemo();
  if (owner) owner->InnerEditKeyUp(Key, Shift);
  if (Key == 0) {
    FKeySwallowed = true;
    return;
  }
  if (Key == VK_TAB && !WantTabs()) Key = 0;
  TMemo::KeyUp(Key, Shift);
}

void TcxCustomInnerMemo::HandleSetText(TMessage& Message) {
  TMemo::WndProc(Message);
  TcxCustomMemo* owner = OwnerMemo();
  if (!owner || FInternalTextSetting > 0) return;
  TcxCounterScope setting(FInternalTextSetting);
  owner->SetEditValueChecked(Variant(LinesText()));
}

void TcxCustomInnerMemo::HandleReplaceSel(TMessage& Message) {
  TcxCustomMemo* owner = OwnerMemo();
  if (owner && owner->IsFocused() && !owner->RequestEditing() && !ReadOnly()) return;
  const char* inserted = reinterpret_cast<const char*>(Message.LParam);
  const String text = NormalizeLfCrBreaks(inserted ? String(inserted) : String());
  const LPARAM original = Message.LParam;
  Message.LParam = reinterpret_cast<LPARAM>(text.c_str());
  const bool follow = owner && !owner->IsReplacingText();
  const TcxCustomMemo::TcxMemoAppend append = follow ? owner->BeginAppend(text) : TcxCustomMemo::TcxMemoAppend();
  {
    bool unfollowed = false;
    TcxFlagScope appending(owner ? owner->FAppendingInPlace : unfollowed, append.InPlace);
    TMemo::WndProc(Message);
  }
  Message.LParam = original;
  if (follow && !(append.InPlace && owner->EndAppend(append, text))) owner->RefreshValueFromDisplay();
}

void TcxCustomInnerMemo::HandleKeyDownMessage(TMessage& Message) {
  const String text = Text();
  const int selStart = FHelper->SelStart(), selLength = FHelper->SelLength();
  FKeySwallowed = false;
  TMemo::WndProc(Message);
  TcxCustomMemo* owner = OwnerMemo();
  if (!owner) return;
  PostInnerScrollBarsSync(owner);
  auto key = static_cast<WORD>(Message.WParam);
  if (FKeySwallowed || key == 0 || key == VK_UP || key == VK_DOWN) return;
  if (text != Text() || selStart != FHelper->SelStart() || selLength != FHelper->SelLength()) return;
  owner->FireKeyDownNotification(key, KeyDataToShiftState(Message.LParam));
  Message.WParam = key;
}

void TcxCustomInnerMemo::HandleNonClientPaint(TMessage& Message) {
  if (!HasVisualStyles() || !HandleAllocated()) {
    TMemo::WndProc(Message);
    return;
  }
  // The container draws the scroll bars: the themed frame is painted without them.
  const auto style = static_cast<DWORD>(GetWindowLong(Handle(), GWL_STYLE));
  const DWORD bars = WS_HSCROLL | WS_VSCROLL;
  SetWindowLong(Handle(), GWL_STYLE, static_cast<LONG>(style & ~bars));
  try {
    TMemo::WndProc(Message);
  } catch (...) {
    SetWindowLong(Handle(), GWL_STYLE, static_cast<LONG>(style));
    throw;
  }
  DWORD wanted = 0;
  if (HasHorizontalBar(ScrollBars())) wanted |= WS_HSCROLL;
  if (HasVerticalBar(ScrollBars())) wanted |= WS_VSCROLL;
  SetWindowLong(Handle(), GWL_STYLE, static_cast<LONG>((style & ~bars) | wanted));
  if (ScrollBars() != ssBoth) return;
  TcxCustomMemo* owner = OwnerMemo();
  SCROLLBARINFO horz, vert;
  if (!owner || !QueryScrollBarInfo(Handle(), OBJID_HSCROLL, horz) || !QueryScrollBarInfo(Handle(), OBJID_VSCROLL, vert))
    return;
  if (!owner->IsScrollBarInfoVisible(horz) || !owner->IsScrollBarInfoVisible(vert)) return;
  RECT window;
  GetWindowRect(Handle(), &window);
  // The corner square between the bars, in window coordinates, inside the 2-pixel client edge.
  TRect corner(vert.rcScrollBar.left - window.left, horz.rcScrollBar.top - window.top,
               vert.rcScrollBar.right - window.left, horz.rcScrollBar.bottom - window.top);
  FillInnerSizeGripCorner(owner, corner);
}

void TcxCustomInnerMemo::WndProc(TMessage& Message) {
  if (OwnerTakesMessage(Message)) return;
  TcxCustomMemo* owner = OwnerMemo();
  switch (Message.Msg) {
    case WM_SETTEXT: HandleSetText(Message); return;
    case EM_REPLACESEL: HandleReplaceSel(Message); return;
    case WM_CLEAR:
      if (!owner || owner->IsDeletingText()) break;
      if (!ReadOnly()) {
        TcxEditUserActionScope userAction(owner, true);
        owner->DeleteSelectedText();
      }
      return;
    case kImeComposition:
      if (owner && !owner->RequestEditing()) return;
      break;
    case EM_SETSEL:
      TMemo::WndProc(Message);
      if (OnSelectionSet) OnSelectionSet(this);
      return;
    case WM_KEYDOWN: HandleKeyDownMessage(Message); return;
    case CN_KEYDOWN:
      if (Message.WParam == VK_ESCAPE) {
        TcxFlagScope escape(FEscapePressed, true);
        TMemo::WndProc(Message);
        return;
      }
      break;
    case WM_GETDLGCODE:
      TMemo::WndProc(Message);
      if (owner && owner->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
      if (FEscapePressed) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
      return;
    case WM_NCPAINT: HandleNonClientPaint(Message); return;
    case WM_SETFONT:
      TMemo::WndProc(Message);
      if (HandleAllocated()) SendMessage(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      return;
    case WM_WINDOWPOSCHANGED:
      if (owner) owner->SyncInnerScrollBars(false);
      break;
    case WM_WINDOWPOSCHANGING:
      TMemo::WndProc(Message);
      if (owner) owner->SyncInnerScrollBars(false);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TMemo::WndProc(Message);
      if (owner) NotifyOwnerOfInnerFocus(this, owner, Message);
      return;
    default: break;
  }
  TMemo::WndProc(Message);
}

// ---- the memo editor ------------------------------------------------------------------------------------

TcxCustomMemo::TcxCustomMemo(TComponent* AOwner)
    : TcxCustomMemo(AOwner, TcxCustomEditClasses{TcxCustomMemoProperties::StaticClass(),
                                                 TcxCustomInnerMemo::StaticClass(),
                                                 EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomMemo::TcxCustomMemo(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomTextEdit(AOwner, Classes) {
  Construct();
}

void TcxCustomMemo::InitializeEditor() {
  TcxCustomTextEdit::InitializeEditor();
  Construct();
}

void TcxCustomMemo::Construct() {
  SetWidth(185);
  SetHeight(89);
  FLastScrollPos = 0;
}

TStrings* TcxCustomMemo::Lines() {
  IcxInnerMemo* memo = InnerMemo();
  return memo ? memo->Lines() : nullptr;
}

void TcxCustomMemo::SetLines(TStrings* Value) {
  if (TStrings* lines = Lines()) lines->Assign(Value);
}

TcxCustomMemo::TcxMemoAppend TcxCustomMemo::BeginAppend(const String& Text) {
  TcxMemoAppend append;
  TWinControl* inner = InnerControl();
  if (!FValueMirrorsText || FMirroredVersion != EditValueVersion() || Text.empty() || !inner ||
      !inner->HandleAllocated())
    return append;
  // The window stores what it is given unchanged only without a letter case and with whole CR LF
  // breaks; text that would not come back byte for byte from its characters is read back too.
  const HWND h = inner->Handle();
  if (GetWindowLong(h, GWL_STYLE) & (ES_UPPERCASE | ES_LOWERCASE)) return append;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const bool crOpensPair = Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n';
    const bool lfClosesPair = Text[i] == '\n' && i > 0 && Text[i - 1] == '\r';
    if ((Text[i] == '\r' && !crOpensPair) || (Text[i] == '\n' && !lfClosesPair)) return append;
  }
  if (Utf8Map(Text, [](char32_t c) { return c; }) != Text) return append;
  DWORD from = 0, to = 0;
  SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  const auto rows = SendMessage(h, EM_GETLINECOUNT, 0, 0);
  const auto lastStart = SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(rows - 1), 0);
  const auto lastLength = SendMessage(h, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0);
  const auto length = static_cast<DWORD>(lastStart + lastLength);
  if (from != to || from != length) return append;
  append.InPlace = true;
  append.At = static_cast<int>(length);
  append.TextEndedWithBreak = lastLength == 0;
  return append;
}

bool TcxCustomMemo::EndAppend(const TcxMemoAppend& Append, const String& Text) {
  // The window took all of it (no length limit cut it short) and nothing else changed meanwhile.
  if (!FValueMirrorsText || FMirroredVersion != EditValueVersion()) return false;
  DWORD from = 0, to = 0;
  SendMessage(InnerControl()->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  if (from != to || static_cast<int>(from) != Append.At + Utf8Count(Text)) return false;
  // As lines, a text that does not end with a break has one added: it goes from the old end to the new.
  const String removed = Append.TextEndedWithBreak ? String() : String("\r\n");
  const String added = Text + (Text.back() == '\n' ? "" : "\r\n");
  Variant& value = EditValueForUpdate();
  if (!VarIsStr(value)) return false;
  String& lines = value.MutableText();
  if (lines.size() < removed.size() || lines.compare(lines.size() - removed.size(), removed.size(), removed) != 0)
    return false;
  lines.resize(lines.size() - removed.size());
  lines += added;
  FMirroredVersion = EditValueVersion();
  FinishValueFromDisplay(ActiveTextProperties()->CanCompareEditValues() && added != removed);
  return true;
}

void TcxCustomMemo::DisplayValueTaken() {
  FValueMirrorsText = true;
  FMirroredVersion = EditValueVersion();
}

void TcxCustomMemo::FinishUserTextChange() {
  if (UserAction()) return;
  ClearFoundItemMark();
  RefreshValueFromDisplay();
  SetValueChanged(false);
}

bool TcxCustomMemo::WantsEditorKey(WORD Key, TShiftState Shift, bool TabAllowed) {
  TcxCustomMemoProperties* properties = ActiveMemoProperties();
  if (Key == VK_RETURN) return properties->WantReturns() || Shift.Contains(ssCtrl);
  if (Key == VK_TAB) return TabAllowed || properties->WantTabs();
  return false;
}

void TcxCustomMemo::PropertiesChanged(TObject* Sender) {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo) return;
  TcxCustomMemoProperties* properties = ActiveMemoProperties();
  if (memo->ScrollBars() != properties->ScrollBars()) {
    FScrollBarsApplied = true;
    SyncInternalScrollBars();
    memo->SetScrollBars(properties->ScrollBars());
    if (HandleAllocated()) RecreateWnd();
    if (memo->InnerControl()->HandleAllocated()) memo->InnerControl()->RecreateWnd();
  }
  memo->SetWantReturns(properties->WantReturns());
  memo->SetWantTabs(properties->WantTabs());
  memo->SetWordWrap(properties->WordWrap());
  TcxCustomTextEdit::PropertiesChanged(Sender);
}

void TcxCustomMemo::SyncInnerEditAppearance() {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || IsDestroying()) return;
  // A new colour or font must not move the memo: it stays where the layout put it.
  memo->LockBounds(true);
  try {
    TcxCustomTextEdit::SyncInnerEditAppearance();
  } catch (...) {
    memo->LockBounds(false);
    throw;
  }
  memo->LockBounds(false);
}

void TcxCustomMemo::PositionInnerControl() {
  TWinControl* inner = InnerControl();
  if (!inner || FPositioning) return;
  TcxFlagScope positioning(FPositioning, true);
  const TRect client = EditViewInfo()->ClientRect;
  // The memo's own client edge lies outside the editor's client rectangle, out of sight.
  const int left = client.Left - 2, top = client.Top - 2;
  const int width = client.Right - client.Left + 4, height = client.Bottom - client.Top + 4;
  if (inner->Left() != left || inner->Top() != top || inner->Width() != width || inner->Height() != height)
    inner->SetBounds(left, top, width, height);
  RECT r{client.Left, client.Top, client.Right, client.Bottom};
  AlignControls(inner, r);
}

bool TcxCustomMemo::AutoSizeActive() {
  if (IsInPlace() || ActiveMemoProperties()->VisibleLineCount() < 1) return false;
  return TcxCustomTextEdit::AutoSizeActive();
}

bool TcxCustomMemo::IsValueChangingKey(WORD Key, TShiftState Shift) {
  return TcxCustomTextEdit::IsValueChangingKey(Key, Shift) || WantsEditorKey(Key, Shift, false);
}

bool TcxCustomMemo::WantsTabKey() { return TcxCustomTextEdit::WantsTabKey() || ActiveMemoProperties()->WantTabs(); }

void TcxCustomMemo::HandleDataChanged() {
  // A text changed other than by an append the memo follows no longer matches the value.
  if (!FAppendingInPlace) FValueMirrorsText = false;
  TcxCustomTextEdit::HandleDataChanged();
  PostInnerScrollBarsSync(this);
}

void TcxCustomMemo::EditKeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomTextEdit::EditKeyDown(Key, Shift);
  if (Key != 'A' || !Shift.Contains(ssCtrl) || Shift.Contains(ssShift) || Shift.Contains(ssAlt)) return;
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || memo->Lines()->Count() < 1) return;
  memo->SelectAll();
  FireKeyDownNotification(Key, Shift);
  Key = 0;
}

void TcxCustomMemo::KeyDown(WORD& Key, TShiftState Shift) {
  // In place, an Enter the memo takes as a line break is not the host's to handle.
  if (IsInPlace() && Key == VK_RETURN && Shift.Contains(ssCtrl) != ActiveMemoProperties()->WantReturns()) {
    EditKeyDown(Key, Shift);
    return;
  }
  TcxCustomTextEdit::KeyDown(Key, Shift);
}

void TcxCustomMemo::DeleteSelectedText() {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || memo->SelLength() == 0) return;
  const bool focused = IsFocused();
  if (focused && !RequestEditing()) return;
  {
    TcxEditUserActionScope userAction(this, focused);
    TcxFlagScope deleting(FDeleting, true);
    memo->ClearSelection();
  }
  FinishUserTextChange();
}

void TcxCustomMemo::CutSelectedText() {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo || memo->SelLength() == 0) return;
  memo->CopyToClipboard();
  DeleteSelectedText();
}

void TcxCustomMemo::ApplyTypedText(const String& Fragment) {
  IcxInnerMemo* memo = InnerMemo();
  if (!memo) return;
  String text = Fragment;
  const int maxLength = ActiveMemoProperties()->MaxLength();
  if (IsFocused() && maxLength > 0) {
    // Only the text before the caret counts; the memo's own limit keeps the rest in bounds.
    const int before = Utf8Count(Utf8Left(memo->InnerControl()->Text(), memo->SelStart()));
    if (before + Utf8Count(text) > maxLength) {
      const int room = maxLength - before;
      if (room <= 0) return;
      text = Utf8Left(text, room);
    }
  }
  if ((!IsFocused() && !IsReplacingText()) || RequestEditing()) {
    {
      TcxEditUserActionScope userAction(this, FocusedOrReplacing());
      memo->SetSelText(text);
    }
    FinishUserTextChange();
  }
}

void TcxCustomMemo::FillViewDataState(TcxCustomEditViewData* ViewData) {
  TcxCustomTextEdit::FillViewDataState(ViewData);
  // The bars are the memo's, mirrored; they take nothing from the editor's content.
  ViewData->HorzScrollBar = nullptr;
  ViewData->VertScrollBar = nullptr;
}

bool TcxCustomMemo::UsesInternalScrollBars() {
  if (!FScrollBarsApplied || !Properties()) return false;
  return ActiveMemoProperties()->ScrollBars() != ssNone;
}

bool TcxCustomMemo::CanScrollWithoutBars(TcxDirection Direction) { return Direction == dirUp || Direction == dirDown; }

void TcxCustomMemo::ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, int& Position) {
  auto* memo = dynamic_cast<TcxCustomInnerMemo*>(InnerControl());
  if (!memo || !memo->HandleAllocated()) return;
  const HWND wnd = memo->Handle();
  if (Kind == sbVertical) {
    if (ScrollCode == scLineUp || ScrollCode == scLineDown) {
      SendMessage(wnd, EM_LINESCROLL, 0, ScrollCode == scLineUp ? -1 : 1);
    } else {
      HWND bar = VScrollBar() && VScrollBar()->HandleAllocated() ? VScrollBar()->Handle() : nullptr;
      memo->CallDefWndProc(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(Position)),
                           reinterpret_cast<LPARAM>(bar));
    }
    Position = GetScrollPos(wnd, SB_VERT);
  } else {
    HWND bar = HScrollBar() && HScrollBar()->HandleAllocated() ? HScrollBar()->Handle() : nullptr;
    memo->CallDefWndProc(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(Position)),
                         reinterpret_cast<LPARAM>(bar));
    Position = GetScrollPos(wnd, SB_HORZ);
  }
  if (ScrollCode == scTrack && Position != FLastScrollPos) {
    InnerLayoutChanged();
    memo->Invalidate();
  }
  FLastScrollPos = Position;
  SyncInnerScrollBars(false);
}

void TcxCustomMemo::ReadState(TReader* Reader) {
  TcxCustomTextEdit::ReadState(Reader);
  TStrings* lines = Lines();
  if (!lines || lines->Count() < 1) return;
  Variant value;
  ConvertDisplayToEditValue(Variant(CurrentDisplayText()), value, ShowsEditingState());
  SetEditValueField(value);
}

void TcxCustomMemo::CreateParams(TCreateParams& Params) {
  TcxCustomTextEdit::CreateParams(Params);
  TcxCustomMemoProperties* properties = ActiveMemoProperties();
  StripRedrawStyles(Params, properties->ScrollBars(), properties->WordWrap());
}

void TcxCustomMemo::WndProc(TMessage& Message) {
  TcxCustomTextEdit::WndProc(Message);
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case CM_WININICHANGE: PostInnerScrollBarsSync(this); break;
    default: break;
  }
}

void TcxCustomMemo::Dispatch(TMessage& Message) {
  TcxCustomTextEdit::Dispatch(Message);
  switch (Message.Msg) {
    case WM_COMMAND: {
      const WORD code = HIWORD(Message.WParam);
      if (code == EN_HSCROLL || code == EN_VSCROLL) SyncInnerScrollBars(false);
      break;
    }
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED: SyncInnerScrollBars(false); break;
    default: break;
  }
}

// ---- TcxMemo --------------------------------------------------------------------------------------------

TcxMemo::TcxMemo(TComponent* AOwner)
    : TcxCustomMemo(AOwner, TcxCustomEditClasses{TcxMemoProperties::StaticClass(), TcxCustomInnerMemo::StaticClass(),
                                                 EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxMemo::DeclareProperties(TPropTable& t) {
  using E = TcxMemo;
  // As the text editor: what every windowed control of a form description publishes.
  stdctrls_detail::PublishWinControl(t);
  t.Redeclare("TabStop").SetDefault(true);
  t.Add("Lines", &E::Lines, &E::SetLines);
  t.Add("Properties", &E::Properties, &E::SetProperties);
  t.Add("Style", &E::Style, &E::SetStyle);
  t.Add("StyleDisabled", &E::StyleDisabled, &E::SetStyleDisabled);
  t.Add("StyleFocused", &E::StyleFocused, &E::SetStyleFocused);
  t.Add("StyleHot", &E::StyleHot, &E::SetStyleHot);
}

// ---- registration ---------------------------------------------------------------------------------------

void MemoUnitStartup() {
  if (gUnitStarts++ > 0) return;
  RegisterClassesOf<TcxMemo>();
  EditPropertiesClassRegistry()->AddClass(TcxMemoProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryMemoItem));
  FilterEditsControllerInstance()->AddHelper(TcxMemoProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterMemoHelper>());
}

void MemoUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxMemoProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterMemoHelper>());
}
