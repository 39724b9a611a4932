#include "ui/editors/MaskEditModes.h"

#include <algorithm>
#include <sstream>

#include "platform/classes/Utf8.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/editors/MaskEdit.h"
#include "ui/editors/MaskEditProperties.h"

using namespace win;

namespace {

// The engines compare bytes: characters outside ASCII have no place in a masked text.
String AsciiOnly(const String& Text) {
  String result;
  result.reserve(Text.size());
  for (char c : Text)
    if (static_cast<unsigned char>(c) < 0x80) result += c;
  return result;
}

int Length(const String& S) { return static_cast<int>(S.size()); }

}  // namespace

// ---- TcxMaskEditCustomMode ----------------------------------------------------------------------------

TcxMaskEditCustomMode::TcxMaskEditCustomMode(TcxCustomMaskEdit* AEditor, TcxCustomMaskEditProperties* AProperties)
    : FProperties(AEditor ? nullptr : AProperties), FEditor(AEditor) {}

TcxCustomMaskEditProperties* TcxMaskEditCustomMode::Properties() {
  return FEditor ? FEditor->ActiveMaskProperties() : FProperties;
}

bool TcxMaskEditCustomMode::EditorAttached() { return FEditor && !FEditor->InnerControlMissing(); }

void TcxMaskEditCustomMode::BeepIfAllowed() {
  TcxCustomMaskEditProperties* properties = Properties();
  if (properties && properties->BeepOnError()) MessageBeep(0);
}

int TcxMaskEditCustomMode::SelStart() { return FEditor ? FEditor->SelStart() : 0; }
int TcxMaskEditCustomMode::SelLength() { return FEditor ? FEditor->SelLength() : 0; }
int TcxMaskEditCustomMode::CaretIndex() { return FEditor ? FEditor->InnerCaretCharIndex() : 0; }
bool TcxMaskEditCustomMode::ShiftHeld() { return FEditor && FEditor->ShiftHeld(); }
String TcxMaskEditCustomMode::EditorText() { return FEditor ? FEditor->EditValueText() : String(); }

void TcxMaskEditCustomMode::SynchronizeEditValue() {
  if (!EditorAttached()) return;
  Variant value;
  // A value being edited keeps its text; otherwise the text comes from the value.
  if (FEditor->Modified())
    value = Variant(FormatText(FEditor->CurrentDisplayText(), true));
  else if (TcxCustomMaskEditProperties* properties = Properties())
    properties->ConvertToEditValue(FEditor->EditValue(), value, FEditor->IsFocused());
  FEditor->SetInnerEditValue(value);
}

// ---- TcxMaskEditStandardMode ------------------------------------------------------------------------------

void TcxMaskEditStandardMode::SetMaskText(const String& Mask) {
  TcxMaskEditCustomMode::SetMaskText(Mask);
  if (TcxCustomMaskEditProperties::IsMaskBlank(Mask)) return;
  FMask.Compile(Mask);
  SetNeedUpdate(!EditorAttached());
}

String TcxMaskEditStandardMode::EmptyValueText() {
  String text;
  FMask.BlankValueText(text);
  return text;
}

String TcxMaskEditStandardMode::FormatText(const String& Text, bool TextHasLiterals) {
  String text = AsciiOnly(Text);
  FMask.ApplyToText(text, true, TextHasLiterals);
  return text;
}

String TcxMaskEditStandardMode::ValueFromText(const String& Text, bool TextHasLiterals) {
  if (!HasPositions()) return Text;
  String text = AsciiOnly(Text);
  TcxCustomMaskEditProperties* properties = Properties();
  FMask.ApplyToText(text, !properties || properties->CharCase() == ecNormal, TextHasLiterals);
  FMask.ExtractValue(text);
  return text;
}

bool TcxMaskEditStandardMode::IsTextValid(const String& Text) {
  String text = Text;
  if (FMask.IsTextComplete(text)) return true;
  TcxCustomMaskEditProperties* properties = Properties();
  return properties && properties->IgnoreMaskBlank() && Text == FormatText(String(), false);
}

bool TcxMaskEditStandardMode::CaretAtStart() {
  int leading = 0;
  while (leading < FMask.Count() && FMask.IsLiteral(leading)) ++leading;
  const int start = SelStart();
  return start <= leading && (SelLength() < 2 || CaretIndex() == start);
}

bool TcxMaskEditStandardMode::CaretAtEnd() { return SelStart() == Length(EditorText()); }

// The block caret: the current position shown as a one-character selection.
void TcxMaskEditStandardMode::NoteMouseAction() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor || !editor->HandleAllocated() || !editor->HasMask() || SelLength() != 0) return;
  if (SelStart() >= Length(EditorText())) return;
  editor->SetSelLengthQuietly(1);
}

// Plain writes: the block caret comes back after every move.
void TcxMaskEditStandardMode::MoveCaret(int Position) {
  if (TcxCustomMaskEdit* editor = Editor()) editor->SetSelStart(Position);
}

void TcxMaskEditStandardMode::BeforePaste() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor) return;
  FSelStartBeforePaste = SelStart();
  editor->SetSelStartQuietly(FSelStartBeforePaste);
  editor->SetSelLengthQuietly(ClipboardTextLength());
}

void TcxMaskEditStandardMode::AfterPaste() {
  if (!Editor()) return;
  int position = std::min(FSelStartBeforePaste + ClipboardTextLength(), Length(EditorText()) - 1);
  position = std::max(position, 0);
  MoveCaret(position);
  if (IsLiteralAt(position)) {
    Editor()->SetShiftHeld(false);
    RightKey();
  }
}

void TcxMaskEditStandardMode::UpdateEditValue() {
  if (!NeedUpdate()) return;
  SetNeedUpdate(false);
  if (TcxCustomMaskEdit* editor = Editor()) editor->SetEditValueChecked(Variant(EmptyValueText()));
}

void TcxMaskEditStandardMode::SynchronizeEditValue() {
  TcxMaskEditCustomMode::SynchronizeEditValue();
  NoteMouseAction();
}

bool TcxMaskEditStandardMode::CharKey(TChar& Key) {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor) return false;
  String text = EditorText();
  const int start = SelStart();
  if (text.empty() || start >= Length(text) || start >= FMask.Count()) return false;
  if (IsLiteralAt(start)) {
    editor->SetShiftHeld(false);
    if (SelLength() >= 2) DeleteKey();
    RightKey();
    return SelStart() != start ? CharKey(Key) : false;
  }
  if (Key >= 0x80) return false;
  char ch = static_cast<char>(Key);
  if (!FMask.Items(start)->AcceptsChar(ch)) return false;
  Key = static_cast<unsigned char>(ch);
  if (!editor->AcceptsMaskChar(Key, start + 1)) return false;
  if (Key == 0) {
    BeepIfAllowed();
    return false;
  }
  if (Key >= 0x80) return false;
  if (SelLength() >= 2) DeleteKey();
  text = EditorText();
  if (start >= Length(text)) return false;
  text[static_cast<size_t>(start)] = static_cast<char>(Key);
  editor->SetInnerEditValue(Variant(text));
  MoveCaret(start);
  editor->SetShiftHeld(false);
  RightKey();
  return false;
}

bool TcxMaskEditStandardMode::BackspaceKey() {
  if (SelLength() <= 1) LeftKey();
  DeleteKey();
  return false;
}

bool TcxMaskEditStandardMode::DeleteKey() {
  TcxCustomMaskEdit* editor = Editor();
  const int start = SelStart(), length = SelLength();
  if (!editor || length <= 0) return false;
  String text = EditorText();
  for (int p = start; p < start + length && p < Length(text); ++p) {
    if (IsLiteralAt(p) || p >= FMask.Count()) continue;
    text[static_cast<size_t>(p)] = BlankCharAt(p);
    editor->SetInnerEditValue(Variant(text));
    MoveCaret(start);
  }
  return false;
}

bool TcxMaskEditStandardMode::HomeKey() {
  if (ShiftHeld()) return true;
  MoveCaret(0);
  if (IsLiteralAt(0)) RightKey();
  return false;
}

bool TcxMaskEditStandardMode::EndKey() {
  if (ShiftHeld()) return true;
  MoveCaret(Length(EditorText()));
  return false;
}

bool TcxMaskEditStandardMode::LeftKey() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor) return false;
  const int start = SelStart(), length = SelLength(), textLength = Length(EditorText());
  if (ShiftHeld()) {
    if (length != 1) return true;
    // The block becomes a caret after it, and the selection grows leftwards from there, over the
    // block and the character before it.
    editor->SetSelStartQuietly(start + 1);
    editor->SetSelLengthQuietly(0);
    editor->SendKeyDown(VK_LEFT, TShiftState{ssShift});
    editor->SendKeyDown(VK_LEFT, TShiftState{ssShift});
    return false;
  }
  if (length >= 2) {
    int target = -1;
    for (int p = start; p < start + length; ++p)
      if (!IsLiteralAt(p)) {
        target = p;
        break;
      }
    if (target < 0) target = start + length >= textLength ? start + length : start;
    MoveCaret(target);
    return false;
  }
  for (int p = start - 1; p >= 0; --p)
    if (!IsLiteralAt(p)) {
      MoveCaret(p);
      break;
    }
  return false;
}

bool TcxMaskEditStandardMode::RightKey() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor) return false;
  const int start = SelStart(), length = SelLength(), textLength = Length(EditorText());
  if (ShiftHeld()) {
    if (length == 1 && CaretIndex() == start) editor->SetSelLengthQuietly(0);
    return true;
  }
  if (length >= 2) {
    int target = -1;
    for (int p = start + length - 1; p >= start; --p)
      if (!IsLiteralAt(p)) {
        target = p;
        break;
      }
    if (target < 0) target = start + length - 1;
    if (start + length >= textLength) target = textLength;
    MoveCaret(target);
    return false;
  }
  int p = start + 1;
  while (p < textLength && IsLiteralAt(p)) ++p;
  if (p <= textLength) MoveCaret(p);
  return false;
}

// ---- TcxMaskEditRegExprMode ---------------------------------------------------------------------------------

TcxMaskEditRegExprMode::TcxMaskEditRegExprMode(TcxCustomMaskEdit* AEditor, TcxCustomMaskEditProperties* AProperties)
    : TcxMaskEditCustomMode(AEditor, AProperties), FEngine(std::make_unique<TcxRegExpr>()) {
  if (TcxCustomMaskEditProperties* properties = Properties())
    FEngine->SetCaseInsensitive(properties->CaseInsensitive());
}

TcxMaskEditRegExprMode::~TcxMaskEditRegExprMode() = default;

void TcxMaskEditRegExprMode::SetMaskText(const String& Mask) {
  TcxMaskEditCustomMode::SetMaskText(Mask);
  if (TcxCustomMaskEditProperties::IsMaskBlank(Mask)) return;
  std::istringstream source(Mask);
  try {
    FEngine->Compile(&source);
  } catch (const EcxRegExprError& e) {
    String message = GetLocalizedResString(cxLibraryStrings::scxMaskEditRegExprError);
    for (int i = 0; i < e.Errors().Count(); ++i) message += "\r\n" + e.Errors().Items(i).DisplayText();
    throw EcxMaskEditError(message);
  }
}

String TcxMaskEditRegExprMode::FormatText(const String& Text, bool) {
  if (!Compiled()) return String();
  FEngine->Restart();
  String result;
  for (char c : AsciiOnly(Text))
    if (FEngine->Accept(c)) result += c;
  return result;
}

std::unique_ptr<TcxRegExpr> TcxMaskEditRegExprMode::CompileProbe() {
  if (!Compiled()) return nullptr;
  auto probe = std::make_unique<TcxRegExpr>();
  TcxCustomMaskEditProperties* properties = Properties();
  probe->SetCaseInsensitive(!properties || properties->CaseInsensitive());
  probe->Compile(FEngine->SourceStream());
  return probe;
}

bool TcxMaskEditRegExprMode::IsTextValid(const String& Text) {
  if (Text.empty()) return true;
  std::unique_ptr<TcxRegExpr> probe = CompileProbe();
  if (!probe) return false;
  for (char c : Text)
    if (static_cast<unsigned char>(c) >= 0x80 || !probe->Accept(c)) return false;
  TcxCustomMaskEditProperties* properties = Properties();
  return (properties && properties->IgnoreMaskBlank()) || probe->AtFinal();
}

bool TcxMaskEditRegExprMode::CaretAtEnd() { return SelStart() == Utf8Count(EditorText()); }

int TcxMaskEditRegExprMode::Feed(const String& Text, bool StopAtRefusal) {
  int accepted = 0;
  for (char ch : Text) {
    char c = ch;
    if (FEngine->Accept(c))
      ++accepted;
    else if (StopAtRefusal)
      break;
  }
  return accepted;
}

void TcxMaskEditRegExprMode::StepBack(int Count) {
  for (int i = 0; i < Count; ++i) FEngine->Back();
}

void TcxMaskEditRegExprMode::Resync() {
  if (!Compiled()) return;
  const String text = EditorText();
  if (!((FHead.empty() && FTail.empty() && !text.empty()) || FResync)) return;
  FResync = false;
  FEngine->Restart();
  FTail = text;
  FHead.clear();
  const int caret = std::min(CaretIndex(), Length(FTail));
  for (int i = 0; i < caret; ++i) {
    char c = FTail[static_cast<size_t>(i)];
    FEngine->Accept(c);
  }
  FHead = FTail.substr(0, static_cast<size_t>(caret));
  FTail.erase(0, static_cast<size_t>(caret));
}

bool TcxMaskEditRegExprMode::TailFits() {
  const int accepted = Feed(FTail, true);
  StepBack(accepted);
  return accepted == Length(FTail);
}

void TcxMaskEditRegExprMode::DropTail() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor) {
    FTail.clear();
    return;
  }
  Variant display;
  editor->DataBinding()->ReadDisplayValue(display);
  String text = VarToStr(display);
  const int start = SelStart();
  const std::size_t from = Utf8ByteOffset(text, start), to = Utf8ByteOffset(text, start + Utf8Count(FTail));
  text.erase(from, to - from);
  editor->DataBinding()->SetDisplayValue(Variant(text));
  editor->SetSelStartQuietly(Utf8Count(text));
  FTail.clear();
}

void TcxMaskEditRegExprMode::CutSelectionOut() {
  FCutText.clear();
  const int start = SelStart(), length = SelLength();
  if (length <= 0) return;
  const int headLength = Length(FHead);
  if (start == headLength) {
    FSelectionAtStart = true;
    const int n = std::min(length, Length(FTail));
    FCutText = FTail.substr(0, static_cast<size_t>(n));
    FTail.erase(0, static_cast<size_t>(n));
  } else if (start + length == headLength) {
    FSelectionAtStart = false;
    FCutText = FHead.substr(static_cast<size_t>(start));
    FHead.resize(static_cast<size_t>(start));
    StepBack(length);
  }
}

void TcxMaskEditRegExprMode::PutSelectionBack() {
  if (FSelectionAtStart) {
    FTail = FCutText + FTail;
  } else {
    Feed(FCutText, false);
    FHead += FCutText;
  }
}

bool TcxMaskEditRegExprMode::FinishKey(bool Result) {
  FCutText.clear();
  if (!Result) BeepIfAllowed();
  return Result;
}

void TcxMaskEditRegExprMode::PrepareSelectAll() {
  if (!Compiled()) return;
  Resync();
  Feed(FTail, false);
  FHead += FTail;
  FTail.clear();
}

bool TcxMaskEditRegExprMode::CharKey(TChar& Key) {
  if (!Compiled()) return true;
  Resync();
  CutSelectionOut();
  char c = static_cast<char>(Key);
  if (Key >= 0x80 || !FEngine->Accept(c)) {
    PutSelectionBack();
    return FinishKey(false);
  }
  Key = static_cast<unsigned char>(c);
  FHead += c;
  bool result = true;
  if (!TailFits()) {
    if (!FCutText.empty()) {
      // The edit box cannot replace the selection itself any more: the mode does it first.
      Editor()->SendKeyDown(VK_DELETE, TShiftState());
      Editor()->SendChar(Key);
      result = false;
    }
    DropTail();
  }
  return FinishKey(result);
}

bool TcxMaskEditRegExprMode::BackspaceKey() {
  if (!Compiled()) return true;
  Resync();
  bool result = true;
  if (SelLength() > 0) {
    CutSelectionOut();
    if (!TailFits()) {
      Editor()->SendChar(8);
      DropTail();
      result = false;
    }
  } else if (!FHead.empty()) {
    FEngine->Back();
    FHead.pop_back();
    if (!TailFits()) DropTail();
  }
  return FinishKey(result);
}

bool TcxMaskEditRegExprMode::DeleteKey() {
  if (!Compiled()) return true;
  Resync();
  bool result = true;
  if (SelLength() > 0) {
    CutSelectionOut();
    if (!TailFits()) {
      Editor()->SendKeyDown(VK_DELETE, TShiftState());
      DropTail();
      result = false;
    }
  } else if (!FTail.empty()) {
    FTail.erase(0, 1);
    if (!TailFits()) {
      // Everything after the caret goes: the rest here, the last character by the edit box.
      DropTail();
      if (const int start = SelStart(); start > 0) Editor()->SetSelStartQuietly(start - 1);
    }
  }
  return FinishKey(result);
}

bool TcxMaskEditRegExprMode::HomeKey() {
  if (!Compiled()) return true;
  Resync();
  FTail = FHead + FTail;
  FHead.clear();
  FEngine->Restart();
  return true;
}

bool TcxMaskEditRegExprMode::EndKey() {
  if (!Compiled()) return true;
  Resync();
  Feed(FTail, false);
  FHead += FTail;
  FTail.clear();
  return true;
}

bool TcxMaskEditRegExprMode::LeftKey() {
  if (!Compiled()) return true;
  Resync();
  if (FHead.empty()) return true;
  const int start = SelStart(), length = SelLength(), caret = CaretIndex();
  int moved = 1;
  if (length > 0 && !ShiftHeld()) {
    if (caret == start) return true;
    moved = length;
  }
  moved = std::min(moved, Length(FHead));
  FTail = FHead.substr(FHead.size() - static_cast<size_t>(moved)) + FTail;
  FHead.resize(FHead.size() - static_cast<size_t>(moved));
  StepBack(moved);
  return true;
}

bool TcxMaskEditRegExprMode::RightKey() {
  if (!Compiled()) return true;
  Resync();
  if (FTail.empty()) return true;
  const int start = SelStart(), length = SelLength(), caret = CaretIndex();
  int moved = 1;
  if (length > 0 && !ShiftHeld()) {
    if (caret != start) return true;
    moved = length;
  }
  moved = std::min(moved, Length(FTail));
  const String part = FTail.substr(0, static_cast<size_t>(moved));
  Feed(part, false);
  FHead += part;
  FTail.erase(0, static_cast<size_t>(moved));
  return true;
}

void TcxMaskEditRegExprMode::SetText(const String& Text) {
  if (Compiled()) FEngine->Restart();
  const int clipboard = ClipboardTextLength();
  // A pending paste counts for this text only, whether it made one or not.
  SetClipboardTextLength(0);
  if (clipboard < 1 || Text.empty() || !Compiled()) {
    FHead.clear();
    FTail = Text;
  } else {
    const int n = std::min(SelStart() + clipboard, Length(Text));
    FHead = Text.substr(0, static_cast<size_t>(n));
    FTail = Text.substr(static_cast<size_t>(n));
    Feed(FHead, false);
  }
  // The edit box may keep its caret where it was when the text is set: the next key places the
  // head by the caret.
  if (Editor()) FResync = true;
}

void TcxMaskEditRegExprMode::SynchronizeEditValue() {
  TcxMaskEditCustomMode::SynchronizeEditValue();
  const String text = EditorText();
  if (TcxCustomMaskEdit* editor = Editor()) editor->SetSelStartQuietly(Utf8Count(text));
  FHead = text;
  FTail.clear();
  if (!Compiled()) return;
  FEngine->Restart();
  String accepted;
  FEngine->FilterText(FHead, accepted);
}

// ---- TcxMaskEditRegExprExMode -------------------------------------------------------------------------------

TcxMaskEditRegExprExMode::TcxMaskEditRegExprExMode(TcxCustomMaskEdit* AEditor,
                                                   TcxCustomMaskEditProperties* AProperties)
    : TcxMaskEditRegExprMode(AEditor, AProperties) {
  FEngine->OnFixedCharAdded = [this](char Ch) { FAddedText += Ch; };
  FEngine->OnFixedCharRemoved = [this] { ++FRemovedCount; };
}

void TcxMaskEditRegExprExMode::ClearAdded() {
  FAddedText.clear();
  FRemovedCount = 0;
}

void TcxMaskEditRegExprExMode::SetMaskText(const String& Mask) {
  FAddedText.clear();
  TcxMaskEditRegExprMode::SetMaskText(Mask);
  if (!TcxCustomMaskEditProperties::IsMaskBlank(Mask)) SetNeedUpdate(!EditorAttached());
}

String TcxMaskEditRegExprExMode::ProbeFixedStart() {
  FProbeText.clear();
  std::unique_ptr<TcxRegExpr> probe = CompileProbe();
  if (!probe) return String();
  probe->OnFixedCharAdded = [this](char Ch) { FProbeText += Ch; };
  probe->SetAutoComplete(true);
  return FProbeText;
}

String TcxMaskEditRegExprExMode::EmptyValueText() { return ProbeFixedStart(); }

String TcxMaskEditRegExprExMode::FormatText(const String& Text, bool TextHasLiterals) {
  if (!Compiled()) return String();
  SetAutoComplete(false);
  const String result = TcxMaskEditRegExprMode::FormatText(Text, TextHasLiterals);
  // Completed from the end: the fixed characters the text must go on with.
  FAddedText.clear();
  SetAutoComplete(true);
  return result + FAddedText;
}

bool TcxMaskEditRegExprExMode::IsTextValid(const String& Text) {
  std::unique_ptr<TcxRegExpr> probe = CompileProbe();
  if (!probe) return false;
  FProbeText.clear();
  probe->OnFixedCharAdded = [this](char Ch) { FProbeText += Ch; };
  probe->SetAutoComplete(true);
  // The untouched fixed start (the empty text for a mask without one) passes.
  if (Text == FProbeText) return true;
  probe->SetAutoComplete(false);
  probe->Restart();
  for (char c : Text)
    if (static_cast<unsigned char>(c) >= 0x80 || !probe->Accept(c)) return false;
  TcxCustomMaskEditProperties* properties = Properties();
  return (properties && properties->IgnoreMaskBlank()) || probe->AtFinal();
}

void TcxMaskEditRegExprExMode::UpdateEditValue() {
  if (!NeedUpdate()) return;
  SetNeedUpdate(false);
  if (TcxCustomMaskEdit* editor = Editor()) editor->SetEditValueChecked(Variant(FAddedText));
}

// The engine's position stays after the head: fixed characters that switching completion on would
// step over belong to the text after the caret, not to the engine.
void TcxMaskEditRegExprExMode::ResumeAutoCompleteWithoutInsert() {
  const String added = FAddedText;
  FAddedText.clear();
  SetAutoComplete(true);
  if (const int inserted = Length(FAddedText); inserted > 0) {
    SetAutoComplete(false);
    StepBack(inserted);
    FEngine->SetAutoComplete(true, false);
  }
  FAddedText = added;
}

void TcxMaskEditRegExprExMode::CutSelectionOut() {
  SetAutoComplete(false);
  TcxMaskEditRegExprMode::CutSelectionOut();
  ResumeAutoCompleteWithoutInsert();
  FAddedText.clear();
}

void TcxMaskEditRegExprExMode::PutSelectionBack() {
  SetAutoComplete(false);
  TcxMaskEditRegExprMode::PutSelectionBack();
  ResumeAutoCompleteWithoutInsert();
  FAddedText.clear();
}

void TcxMaskEditRegExprExMode::PrepareSelectAll() {
  if (!Compiled()) return;
  SetAutoComplete(false);
  TcxMaskEditRegExprMode::PrepareSelectAll();
  ResumeAutoCompleteWithoutInsert();
}

void TcxMaskEditRegExprExMode::BeforePaste() {
  if (Compiled()) ResyncUnits();
}

// A typed character with the fixed characters completion adds after it.
void TcxMaskEditRegExprExMode::UnitForward() {
  FAddedText.clear();
  char c = FTail[0];
  FEngine->Accept(c);
  const int n = std::min(1 + Length(FAddedText), Length(FTail));
  FHead += FTail.substr(0, static_cast<size_t>(n));
  FTail.erase(0, static_cast<size_t>(n));
}

void TcxMaskEditRegExprExMode::UnitBack() {
  FAddedText.clear();
  FRemovedCount = 0;
  FEngine->Back();
  const int n = std::min(FRemovedCount + 1, Length(FHead));
  FTail = FHead.substr(FHead.size() - static_cast<size_t>(n)) + FTail;
  FHead.resize(FHead.size() - static_cast<size_t>(n));
  if (FEngine->AtStart()) {
    FTail = FHead + FTail;
    FHead.clear();
  }
}

void TcxMaskEditRegExprExMode::ResyncUnits() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor || !editor->HandleAllocated()) return;
  const String text = EditorText();
  bool triggered = FResync;
  if (FHead.empty() && FTail.empty() && !text.empty()) {
    FTail = text;
    FEngine->Restart();
    triggered = true;
  }
  if (!triggered) return;
  FResync = false;
  const int start = SelStart(), length = SelLength();
  while (Length(FHead) > start) UnitBack();
  // A position inside a unit, which the caret cannot split, goes back to the unit's start.
  while (Length(FHead) < start && !FTail.empty()) {
    UnitForward();
    if (Length(FHead) > start) {
      UnitBack();
      break;
    }
  }
  if (Length(FHead) != start) editor->SetSelStartQuietly(Length(FHead));
  if (length <= 0) return;
  // A selection covers whole units: the head ends at its end.
  while (Length(FHead) < start + length && !FTail.empty()) UnitForward();
  editor->SetSelLengthQuietly(Length(FHead) - SelStart());
}

void TcxMaskEditRegExprExMode::RefeedTail() {
  TcxCustomMaskEdit* editor = Editor();
  if (!editor) return;
  const int caret = SelStart();
  const int fed = Feed(FTail, false);
  editor->SetSelStartQuietly(caret + Length(FTail));
  FAddedText.clear();
  SetAutoComplete(true);
  const String added = FAddedText;
  FAddedText.clear();
  for (char c : added) {
    FTail += c;
    editor->SendChar(static_cast<unsigned char>(c));
  }
  SetAutoComplete(false);
  StepBack(fed + Length(added));
  editor->SetSelStartQuietly(caret);
}

void TcxMaskEditRegExprExMode::RefeedOrDropTail() {
  SetAutoComplete(false);
  if (TailFits())
    RefeedTail();
  else
    DropTail();
  ResumeAutoCompleteWithoutInsert();
}

bool TcxMaskEditRegExprExMode::KeepFixedStart(int SelectionLength) {
  if (FCutText.empty() || !FHead.empty()) return false;
  const String fixed = ProbeFixedStart();
  if (fixed.empty() || FCutText.compare(0, fixed.size(), fixed) != 0) return false;
  SetAutoComplete(false);
  FEngine->Restart();
  Feed(fixed, false);
  ResumeAutoCompleteWithoutInsert();
  FHead = fixed;
  FTail = FCutText.substr(fixed.size()) + FTail;
  FCutText.clear();
  Editor()->SetSelStartQuietly(Length(fixed));
  Editor()->SetSelLengthQuietly(std::max(SelectionLength - Length(fixed), 0));
  // The key comes again only where the selection now starts after the fixed start: an edit box
  // that kept no selection would bring it here once more.
  return SelStart() == Length(fixed);
}

// The edit box never handles these keys itself. The caret must end where the head ends; where it
// does not (a refused key after the fixed start was kept), the next key walks the head there.
// Every key starts with the picture in step (units) and nothing added or removed yet; without a
// compiled mask or an editor the edit box has the key.
bool TcxMaskEditRegExprExMode::BeginKey() {
  if (!Compiled() || !Editor()) return false;
  ResyncUnits();
  ClearAdded();
  return true;
}

// Cuts the selection out; a selection from position 0 keeps the fixed start, shrinking to what
// follows it: then the key must come again (true).
bool TcxMaskEditRegExprExMode::CutSelectionKeepingFixedStart() {
  const int start = SelStart(), length = SelLength();
  CutSelectionOut();
  return start == 0 && KeepFixedStart(length);
}

bool TcxMaskEditRegExprExMode::KeyDone() {
  FCutText.clear();
  if (Editor() && Length(FHead) != CaretIndex()) FResync = true;
  return false;
}

bool TcxMaskEditRegExprExMode::CharKey(TChar& Key) {
  if (!BeginKey()) return true;
  if (SelLength() > 0 && CutSelectionKeepingFixedStart()) return CharKey(Key);
  char c = static_cast<char>(Key);
  if (Key < 0x80 && FEngine->Accept(c)) {
    const String added = FAddedText;
    FHead += c;
    FHead += added;
    Editor()->SendChar(static_cast<unsigned char>(c));
    for (char a : added) Editor()->SendChar(static_cast<unsigned char>(a));
    RefeedOrDropTail();
  } else {
    if (!FCutText.empty()) PutSelectionBack();
    BeepIfAllowed();
  }
  return KeyDone();
}

bool TcxMaskEditRegExprExMode::BackspaceKey() {
  if (!BeginKey()) return true;
  if (SelLength() > 0) {
    if (CutSelectionKeepingFixedStart()) return BackspaceKey();
    Editor()->SendChar(8);
    RefeedOrDropTail();
    return KeyDone();
  }
  if (FHead.empty()) return KeyDone();
  FEngine->Back();
  if (FEngine->AtStart() && CaretIndex() == FRemovedCount) {
    // Only the fixed start lay before the caret: it cannot be deleted.
    char c = FHead[0];
    FEngine->Accept(c);
    BeepIfAllowed();
    return KeyDone();
  }
  const int before = Utf8Count(EditorText());
  for (int i = 0; i <= FRemovedCount; ++i) Editor()->SendChar(8);
  const int lost = before - Utf8Count(EditorText());
  FHead.resize(static_cast<size_t>(std::max(Length(FHead) - lost, 0)));
  RefeedOrDropTail();
  return KeyDone();
}

bool TcxMaskEditRegExprExMode::DeleteKey() {
  if (!BeginKey()) return true;
  if (SelLength() > 0) return BackspaceKey();
  if (FTail.empty()) return KeyDone();
  if (SelStart() == 0 && !ProbeFixedStart().empty()) {
    BeepIfAllowed();
    return KeyDone();
  }
  char c = FTail[0];
  const bool accepted = FEngine->Accept(c);
  const int n = std::min(Length(FAddedText) + 1, Length(FTail));
  for (int i = 0; i < n; ++i) Editor()->SendKeyDown(VK_DELETE, TShiftState());
  FTail.erase(0, static_cast<size_t>(n));
  if (accepted) FEngine->Back();
  FAddedText.clear();
  RefeedOrDropTail();
  return KeyDone();
}

bool TcxMaskEditRegExprExMode::LeftKey() {
  if (!BeginKey()) return true;
  const int start = SelStart(), length = SelLength();
  if (length > 0 && !ShiftHeld()) {
    if (CaretIndex() == start + length) {
      SetAutoComplete(false);
      TcxMaskEditRegExprMode::LeftKey();
      ResumeAutoCompleteWithoutInsert();
    }
    return true;
  }
  TcxMaskEditRegExprMode::LeftKey();
  // A fixed start at the very beginning is not passed over twice.
  if (FEngine->AtStart() && (start != 0 ? start : length) == FRemovedCount && FRemovedCount > 0) --FRemovedCount;
  const int n = std::min(FRemovedCount, Length(FHead));
  for (int i = 0; i < n; ++i) {
    FTail.insert(FTail.begin(), FHead.back());
    FHead.pop_back();
    Editor()->SendKeyDown(VK_LEFT, ShiftHeld() ? TShiftState{ssShift} : TShiftState());
  }
  return true;
}

bool TcxMaskEditRegExprExMode::RightKey() {
  if (!BeginKey()) return true;
  const int start = SelStart(), length = SelLength();
  if (length > 0 && !ShiftHeld()) {
    if (CaretIndex() == start) {
      SetAutoComplete(false);
      TcxMaskEditRegExprMode::RightKey();
      ResumeAutoCompleteWithoutInsert();
    }
    return true;
  }
  TcxMaskEditRegExprMode::RightKey();
  const int n = std::min(Length(FAddedText), Length(FTail));
  for (int i = 0; i < n; ++i) {
    FHead += FTail[0];
    FTail.erase(0, 1);
    Editor()->SendKeyDown(VK_RIGHT, ShiftHeld() ? TShiftState{ssShift} : TShiftState());
  }
  return true;
}

bool TcxMaskEditRegExprExMode::HomeKey() {
  if (!BeginKey()) return true;
  return TcxMaskEditRegExprMode::HomeKey();
}

bool TcxMaskEditRegExprExMode::EndKey() {
  if (!BeginKey()) return true;
  SetAutoComplete(false);
  TcxMaskEditRegExprMode::EndKey();
  ResumeAutoCompleteWithoutInsert();
  return true;
}

void TcxMaskEditRegExprExMode::SetText(const String& Text) {
  if (Compiled()) {
    SetAutoComplete(false);
    FEngine->Restart();
    Feed(Text, false);
    FAddedText.clear();
    SetAutoComplete(true);
  }
  FHead = Text + FAddedText;
  FTail.clear();
  if (Editor()) {
    FResync = true;
    if (Compiled()) ResyncUnits();
  }
  SetClipboardTextLength(0);
}
