#include "ui/editors/RegExprAutomat.h"

#include <algorithm>
#include <unordered_map>

#include "ui/controls/FormatController.h"
#include "ui/editors/RegExpr.h"

namespace {

const char* const kCrLf = "\r\n";

bool FixedCharOf(const TcxRegExprItem* Item, char& Ch) {
  if (auto* symbol = dynamic_cast<const TcxRegExprSymbol*>(Item)) {
    Ch = symbol->Char();
    return true;
  }
  if (dynamic_cast<const TcxRegExprDateSeparator*>(Item)) {
    Ch = LocaleFormatSettings().DateSeparator;
    return true;
  }
  if (dynamic_cast<const TcxRegExprTimeSeparator*>(Item)) {
    Ch = LocaleFormatSettings().TimeSeparator;
    return true;
  }
  return false;
}

}  // namespace

void TcxRegExprState::AddSuccessors(const std::vector<TcxRegExprState*>& States) {
  FSuccessors.insert(FSuccessors.end(), States.begin(), States.end());
}

std::unique_ptr<TcxRegExprSimpleState> TcxRegExprSimpleState::Duplicate() const {
  return std::make_unique<TcxRegExprSimpleState>(FItem ? FItem->Duplicate() : nullptr);
}

bool TcxRegExprStates::ContainsFinal() const {
  return std::any_of(FItems.begin(), FItems.end(), [](const TcxRegExprSimpleState* s) { return s->Final(); });
}

bool TcxRegExprStates::SingleFixedChar(char& Ch) const {
  if (FItems.empty()) return false;
  char first = 0;
  for (size_t i = 0; i < FItems.size(); ++i) {
    char c = 0;
    if (!FixedCharOf(FItems[i]->Item(), c)) return false;
    if (i == 0) first = c;
    else if (c != first) return false;
  }
  Ch = first;
  return true;
}

size_t TcxRegExprStates::Hash() const {
  size_t hash = FItems.size();
  for (const TcxRegExprSimpleState* state : FItems)
    hash = hash * 1000003u ^ static_cast<size_t>(state->Index());
  return hash;
}

void TcxRegExprStates::SortByIndex() {
  std::sort(FItems.begin(), FItems.end(),
            [](const TcxRegExprSimpleState* a, const TcxRegExprSimpleState* b) { return a->Index() < b->Index(); });
}

// Parse tree -------------------------------------------------------------------------------------

TcxRegExprParserItem::TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> Quantifier)
    : FQuantifier(Quantifier ? std::move(Quantifier) : std::make_unique<TcxRegExprSimpleQuantifier>()) {}

bool TcxRegExprParserItem::IsUnquantified() const {
  return dynamic_cast<const TcxRegExprSimpleQuantifier*>(FQuantifier.get()) != nullptr;
}

void TcxRegExprParserItem::ReplaceQuantifier(std::unique_ptr<TcxRegExprQuantifier> Quantifier) {
  if (Quantifier) FQuantifier = std::move(Quantifier);
}

TcxRegExprParserSimpleItem::TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprSimpleState> State,
                                                       std::unique_ptr<TcxRegExprQuantifier> Quantifier)
    : TcxRegExprParserItem(std::move(Quantifier)), FState(std::move(State)) {}

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserSimpleItem::Duplicate() const {
  return std::make_unique<TcxRegExprParserSimpleItem>(FState->Duplicate(), FQuantifier->Duplicate());
}

String TcxRegExprParserSimpleItem::DebugText() const { return "item --> " + FQuantifier->DebugText() + kCrLf; }

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserAlt::TakeLast() {
  auto item = std::move(FItems.back());
  FItems.pop_back();
  return item;
}

std::unique_ptr<TcxRegExprParserAlt> TcxRegExprParserAlt::Duplicate() const {
  auto copy = std::make_unique<TcxRegExprParserAlt>();
  for (const auto& item : FItems) copy->Add(item->Duplicate());
  return copy;
}

String TcxRegExprParserAlt::DebugText() const {
  String text = String("<Start_Alt>") + kCrLf;
  for (const auto& item : FItems) text += item->DebugText();
  return text + "<Finish_Alt>" + kCrLf;
}

bool TcxRegExprParserAlt::AllCanMatchEmpty() const {
  return std::all_of(FItems.begin(), FItems.end(), [](const auto& i) { return i->CanMatchEmpty(); });
}

bool TcxRegExprParserAlt::AllMayBeAbsent() const {
  return std::all_of(FItems.begin(), FItems.end(), [](const auto& i) { return i->MayBeAbsent(); });
}

// Each item hangs from its predecessor by one link. Where the next item may be absent, that link
// leads to an empty state that enters the next item and goes on past it: a run of k optional items
// then costs k links, not k * k / 2, and every step through it stays linear.
void TcxRegExprParserAlt::LinkStates() {
  FFollow.clear();
  TcxRegExprState* after = nullptr;  // where the text may go on after the current item
  for (size_t i = FItems.size(); i-- > 0;) {
    TcxRegExprParserItem* item = FItems[i].get();
    if (after) item->ExitState()->AddSuccessor(after);
    if (item->MayRepeat()) item->ExitState()->AddSuccessor(item->EntryState());
    item->LinkInner();
    if (item->MayBeAbsent() && after) {
      FFollow.push_back(std::make_unique<TcxRegExprBlockState>());
      FFollow.back()->AddSuccessor(item->EntryState());
      FFollow.back()->AddSuccessor(after);
      after = FFollow.back().get();
    } else {
      after = item->EntryState();
    }
  }
}

void TcxRegExprParserAlt::FirstStates(std::vector<TcxRegExprState*>& States) const {
  for (const auto& item : FItems) {
    States.push_back(item->EntryState());
    if (!item->MayBeAbsent()) break;
  }
}

void TcxRegExprParserAlt::LinkLastStatesTo(TcxRegExprState* State) const {
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    (*it)->ExitState()->AddSuccessor(State);
    if (!(*it)->MayBeAbsent()) break;
  }
}

void TcxRegExprParserAlt::MarkFinalItems() const {
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    (*it)->MarkFinal();
    if (!(*it)->MayBeAbsent()) break;
  }
}

void TcxRegExprParserAlt::CollectStates(std::vector<TcxRegExprState*>& States) const {
  for (const auto& item : FItems) item->CollectStates(States);
  for (const auto& state : FFollow) States.push_back(state.get());
}

int TcxRegExprParserAlt::NestingDepth() const {
  int depth = 0;
  for (const auto& item : FItems) depth = std::max(depth, item->NestingDepth());
  return depth;
}

int64_t TcxRegExprParserAlt::StateCount() const {
  int64_t count = 0;
  for (const auto& item : FItems) count += item->StateCount();
  return count;
}

TcxRegExprParserAlt* TcxRegExprParserAlts::AddNew() {
  FItems.push_back(std::make_unique<TcxRegExprParserAlt>());
  return FItems.back().get();
}

std::unique_ptr<TcxRegExprParserAlts> TcxRegExprParserAlts::Duplicate() const {
  auto copy = std::make_unique<TcxRegExprParserAlts>();
  for (const auto& alt : FItems) copy->FItems.push_back(alt->Duplicate());
  return copy;
}

String TcxRegExprParserAlts::DebugText() const {
  String text;
  for (const auto& alt : FItems) text += alt->DebugText();
  return text;
}

bool TcxRegExprParserAlts::SomeAltCanMatchEmpty() const {
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& a) { return a->AllCanMatchEmpty(); });
}

bool TcxRegExprParserAlts::SomeAltMayBeAbsent() const {
  return std::any_of(FItems.begin(), FItems.end(), [](const auto& a) { return a->AllMayBeAbsent(); });
}

void TcxRegExprParserAlts::LinkStates() const {
  for (const auto& alt : FItems) alt->LinkStates();
}

void TcxRegExprParserAlts::MarkFinalItems() const {
  for (const auto& alt : FItems) alt->MarkFinalItems();
}

void TcxRegExprParserAlts::CollectStates(std::vector<TcxRegExprState*>& States) const {
  for (const auto& alt : FItems) alt->CollectStates(States);
}

int TcxRegExprParserAlts::NestingDepth() const {
  int depth = 0;
  for (const auto& alt : FItems) depth = std::max(depth, alt->NestingDepth());
  return depth;
}

int64_t TcxRegExprParserAlts::StateCount() const {
  int64_t count = 0;
  for (const auto& alt : FItems) count += alt->StateCount();
  return count;
}

TcxRegExprParserBlockItem::TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> Quantifier)
    : TcxRegExprParserItem(std::move(Quantifier)),
      FAlts(std::make_unique<TcxRegExprParserAlts>()),
      FExit(std::make_unique<TcxRegExprBlockState>()),
      FEntry(std::make_unique<TcxRegExprBlockState>()) {}

bool TcxRegExprParserBlockItem::CanMatchEmpty() const { return MayBeAbsent() || FAlts->SomeAltCanMatchEmpty(); }

std::unique_ptr<TcxRegExprParserItem> TcxRegExprParserBlockItem::Duplicate() const {
  auto copy = std::make_unique<TcxRegExprParserBlockItem>(FQuantifier->Duplicate());
  copy->FAlts = FAlts->Duplicate();
  return copy;
}

String TcxRegExprParserBlockItem::DebugText() const {
  return String("<Start_Block>") + kCrLf + FAlts->DebugText() + "<Finish_Block> --> " + FQuantifier->DebugText() +
         kCrLf;
}

void TcxRegExprParserBlockItem::LinkInner() {
  std::vector<TcxRegExprState*> first;
  for (int i = 0; i < FAlts->Count(); ++i) FAlts->Items(i)->FirstStates(first);
  FEntry->AddSuccessors(first);
  if (FAlts->SomeAltMayBeAbsent()) FEntry->AddSuccessor(FExit.get());
  FAlts->LinkStates();
  for (int i = 0; i < FAlts->Count(); ++i) FAlts->Items(i)->LinkLastStatesTo(FExit.get());
}

void TcxRegExprParserBlockItem::CollectStates(std::vector<TcxRegExprState*>& States) {
  States.push_back(FEntry.get());
  FAlts->CollectStates(States);
  States.push_back(FExit.get());
}

// Automaton --------------------------------------------------------------------------------------

TcxRegExprAutomat::TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> Tree, TcxRegExpr* Owner)
    : FTree(std::move(Tree)), FOwner(Owner), FStart(std::make_unique<TcxRegExprSimpleState>(nullptr)) {
  FTree->LinkStates();
  FTree->MarkFinalItems();

  std::vector<TcxRegExprState*> first;
  for (int i = 0; i < FTree->Count(); ++i) FTree->Items(i)->FirstStates(first);
  FStart->AddSuccessors(first);
  if (FTree->SomeAltMayBeAbsent()) FStart->SetFinalFlag();

  std::vector<TcxRegExprState*> states{FStart.get()};
  FTree->CollectStates(states);
  for (size_t i = 0; i < states.size(); ++i) states[i]->SetIndex(static_cast<int>(i));
  FCharStateCount =
      std::count_if(states.begin(), states.end(), [](const TcxRegExprState* s) { return !s->IsBlock(); });
  FMarks.assign(states.size(), 0);

  FCurrent.Add(FStart.get());
}

void TcxRegExprAutomat::Closure(const TcxRegExprStates& From, TcxRegExprStates& Result) {
  if (++FGeneration == 0) {
    std::fill(FMarks.begin(), FMarks.end(), 0);
    FGeneration = 1;
  }
  Result.Clear();
  FWalk.clear();
  for (int i = 0; i < From.Count(); ++i) {
    const auto& successors = From.Items(i)->Successors();
    FWalk.insert(FWalk.end(), successors.begin(), successors.end());
  }
  while (!FWalk.empty()) {
    TcxRegExprState* state = FWalk.back();
    FWalk.pop_back();
    uint32_t& mark = FMarks[static_cast<size_t>(state->Index())];
    if (mark == FGeneration) continue;
    mark = FGeneration;
    if (state->IsBlock()) {
      FWalk.insert(FWalk.end(), state->Successors().begin(), state->Successors().end());
    } else {
      Result.Add(static_cast<TcxRegExprSimpleState*>(state));
    }
  }
  Result.SortByIndex();
}

TcxRegExprStates TcxRegExprAutomat::PossibleNextStates(const TcxRegExprStates& From) {
  TcxRegExprStates result;
  Closure(From, result);
  return result;
}

// In case-insensitive mode a symbol that accepts a typed character gives it the symbol's own case,
// while a class (any character, digits, a range, an inverse set) takes it as typed: the character
// given back is that of the first symbol, in mask order, that accepts it, or the typed one when
// only classes accept. The new position holds exactly the states that accept the character given
// back, so it always agrees with the text, and the outcome does not depend on how often or in which
// order a state was reached. Where both cases of one letter can follow ('a*A*'), the first of them
// in the mask decides.
bool TcxRegExprAutomat::Step(char& Ch, bool CaseInsensitive) {
  Closure(FCurrent, FCandidates);
  TcxRegExprStates next;
  char given = Ch;
  bool accepted = false;
  bool cased = false;
  for (int i = 0; i < FCandidates.Count(); ++i) {
    TcxRegExprSimpleState* state = FCandidates.Items(i);
    if (!state->Item()) continue;
    char c = Ch;
    const TcxRegExprMatch match = state->Item()->Match(c, CaseInsensitive);
    if (match == TcxRegExprMatch::None) continue;
    accepted = true;
    next.Add(state);
    if (match == TcxRegExprMatch::OwnCase && !cased) {
      cased = true;
      given = c;
    }
  }
  if (!accepted) return false;
  if (given != Ch) {
    next.Clear();
    for (int i = 0; i < FCandidates.Count(); ++i) {
      TcxRegExprSimpleState* state = FCandidates.Items(i);
      char c = given;
      if (state->Item() && state->Item()->AcceptsChar(c, CaseInsensitive)) next.Add(state);
    }
  }
  FHistory.push_back(std::move(FCurrent));
  FCurrent = std::move(next);
  Ch = given;
  return true;
}

bool TcxRegExprAutomat::Back() {
  if (FHistory.empty()) return false;
  FCurrent = std::move(FHistory.back());
  FHistory.pop_back();
  return true;
}

void TcxRegExprAutomat::Restart() {
  FHistory.clear();
  FCurrent.Clear();
  FCurrent.Add(FStart.get());
}

// A mask can fix an endless run of characters without ever reaching a final state. Completion
// stops where the position would repeat one it has already passed ('a+x{0}'), but cycles of
// coprime lengths repeat only after their least common multiple, so a run also stops after 3n
// insertions, n being the automaton's simple states (its character states and the start). No run
// that ends by itself is cut short:
// - Take the states as a graph, u -> v when v is in the closure of u. The position after j
//   insertions holds the states at the end of the walks of length j from where the run started.
//   The run ends by itself at a final state, or where the next position is empty, holds a state
//   that is no fixed character, or holds two different ones.
// - Say a run makes M >= 3n - 2 insertions, spelling the word w. The walks reach each cycle (of
//   at most n states) they reach at all within n - 1 steps, and from there w repeats with the
//   cycle's length. On the insertions n - 1 to M, at least 2n of them, w then has the greatest
//   common divisor g of all those lengths as a period too (Fine and Wilf's theorem on words with
//   two periods).
// - A walk longer than M - 1 can shed simple cycles, each at most n long and a multiple of g,
//   until its length lies between M - n and M - 1, still ending at the same state. So every
//   state of every later position stood in one of those positions with the same length modulo g:
//   it is not final, it is a fixed character, and it is w's character there. No later position is
//   empty either, as a walk of length M holds a cycle to go round once more. Such a run would go on
//   for ever, so a run that ends by itself makes at most 3n - 3 insertions.
void TcxRegExprAutomat::InsertFixedCharsForward() {
  const int64_t limit = 3 * FCharStateCount;
  // The positions passed are the current one and those this run pushes onto the history.
  std::unordered_multimap<size_t, size_t> passedByHash;
  auto passed = [&](const TcxRegExprStates& states, size_t hash) {
    if (states == FCurrent) return true;
    auto [first, last] = passedByHash.equal_range(hash);
    return std::any_of(first, last, [&](const auto& entry) { return FHistory[entry.second] == states; });
  };
  for (int64_t inserted = 0; !FCurrent.ContainsFinal() && inserted < limit; ++inserted) {
    TcxRegExprStates next = PossibleNextStates(FCurrent);
    char ch = 0;
    if (!next.SingleFixedChar(ch)) break;
    if (passed(next, next.Hash())) break;
    FOwner->DoFixedCharAdded(ch);
    passedByHash.emplace(FCurrent.Hash(), FHistory.size());
    FHistory.push_back(std::move(FCurrent));
    FCurrent = std::move(next);
  }
}

void TcxRegExprAutomat::RemoveFixedCharsBackward() {
  char ch = 0;
  while (FCurrent.SingleFixedChar(ch)) {
    if (FHistory.empty()) break;
    TcxRegExprStates& prev = FHistory.back();
    char prevCh = 0;
    if (!PossibleNextStates(prev).SingleFixedChar(prevCh) || prev.ContainsFinal()) break;
    FOwner->DoFixedCharRemoved();
    FCurrent = std::move(prev);
    FHistory.pop_back();
  }
}
