#pragma once
// The parse tree of a regular-expression mask and the non-deterministic automaton linked from it.
//
// Block states (the entry and exit of a group, and the way past an optional item) are empty
// transitions. They are expanded on use by an iterative walk that visits every state at most once,
// so a step costs time linear in the size of the automaton whatever the mask's nesting, and a
// group that can match the empty string inside a repetition (a cycle of empty transitions) cannot
// make the walk run away. State sets hold every state once, ordered as the states stand in the
// mask.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/SysUtils.h"
#include "ui/editors/RegExprItem.h"

class TcxRegExpr;

class TcxRegExprState {
 public:
  virtual ~TcxRegExprState() = default;
  void AddSuccessor(TcxRegExprState* State) { FSuccessors.push_back(State); }
  void AddSuccessors(const std::vector<TcxRegExprState*>& States);
  const std::vector<TcxRegExprState*>& Successors() const { return FSuccessors; }
  virtual bool IsBlock() const = 0;
  // Position in mask order, given when the automaton is built.
  int Index() const { return FIndex; }
  void SetIndex(int Value) { FIndex = Value; }

 private:
  std::vector<TcxRegExprState*> FSuccessors;
  int FIndex = -1;
};

class TcxRegExprSimpleState final : public TcxRegExprState {
 public:
  explicit TcxRegExprSimpleState(std::unique_ptr<TcxRegExprItem> Item) : FItem(std::move(Item)) {}
  bool IsBlock() const override { return false; }
  bool Final() const { return FFinal; }
  void SetFinalFlag() { FFinal = true; }
  // Null only in the start state.
  const TcxRegExprItem* Item() const { return FItem.get(); }
  std::unique_ptr<TcxRegExprSimpleState> Duplicate() const;

 private:
  bool FFinal = false;
  std::unique_ptr<TcxRegExprItem> FItem;
};

class TcxRegExprBlockState final : public TcxRegExprState {
 public:
  bool IsBlock() const override { return true; }
};

// A set of character-testing states, each once, in mask order.
class TcxRegExprStates {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprSimpleState* Items(int Index) const { return FItems[static_cast<size_t>(Index)]; }
  void Add(TcxRegExprSimpleState* State) { FItems.push_back(State); }
  void Clear() { FItems.clear(); }
  bool ContainsFinal() const;
  // True when the only character that can come next is one fixed literal or separator.
  bool SingleFixedChar(char& Ch) const;
  bool operator==(const TcxRegExprStates& Other) const { return FItems == Other.FItems; }
  void SortByIndex();
  size_t Hash() const;

 private:
  std::vector<TcxRegExprSimpleState*> FItems;
};

class TcxRegExprParserAlts;

class TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserItem(std::unique_ptr<TcxRegExprQuantifier> Quantifier);
  virtual ~TcxRegExprParserItem() = default;

  virtual bool CanMatchEmpty() const { return MayBeAbsent(); }
  virtual std::unique_ptr<TcxRegExprParserItem> Duplicate() const = 0;
  virtual String DebugText() const = 0;
  virtual void MarkFinal() = 0;

  bool MayBeAbsent() const { return FQuantifier->AllowsAbsence(); }
  bool MayRepeat() const { return FQuantifier->AllowsRepetition(); }
  bool IsUnquantified() const;
  void ReplaceQuantifier(std::unique_ptr<TcxRegExprQuantifier> Quantifier);

  // Linking: the state the item is entered by and the state the following items hang from.
  virtual TcxRegExprState* EntryState() = 0;
  virtual TcxRegExprState* ExitState() = 0;
  virtual void LinkInner() {}
  virtual void CollectStates(std::vector<TcxRegExprState*>& States) = 0;
  // Groups nested inside this item, itself included; bounds every recursion over the tree.
  virtual int NestingDepth() const { return 0; }
  // Automaton states the item makes: its character states and the entry and exit of each group.
  virtual int64_t StateCount() const { return 1; }

 protected:
  std::unique_ptr<TcxRegExprQuantifier> FQuantifier;
};

class TcxRegExprParserSimpleItem final : public TcxRegExprParserItem {
 public:
  TcxRegExprParserSimpleItem(std::unique_ptr<TcxRegExprSimpleState> State,
                             std::unique_ptr<TcxRegExprQuantifier> Quantifier = nullptr);
  std::unique_ptr<TcxRegExprParserItem> Duplicate() const override;
  String DebugText() const override;
  void MarkFinal() override { FState->SetFinalFlag(); }
  TcxRegExprState* EntryState() override { return FState.get(); }
  TcxRegExprState* ExitState() override { return FState.get(); }
  void CollectStates(std::vector<TcxRegExprState*>& States) override { States.push_back(FState.get()); }
  TcxRegExprSimpleState* State() const { return FState.get(); }

 private:
  std::unique_ptr<TcxRegExprSimpleState> FState;
};

class TcxRegExprParserAlt {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprParserItem* Items(int Index) const { return FItems[static_cast<size_t>(Index)].get(); }
  TcxRegExprParserItem* Last() const { return FItems.empty() ? nullptr : FItems.back().get(); }
  void Add(std::unique_ptr<TcxRegExprParserItem> Item) { FItems.push_back(std::move(Item)); }
  std::unique_ptr<TcxRegExprParserItem> TakeLast();
  std::unique_ptr<TcxRegExprParserAlt> Duplicate() const;
  String DebugText() const;

  bool AllCanMatchEmpty() const;
  bool AllMayBeAbsent() const;
  void LinkStates();
  void FirstStates(std::vector<TcxRegExprState*>& States) const;
  void LinkLastStatesTo(TcxRegExprState* State) const;
  void MarkFinalItems() const;
  void CollectStates(std::vector<TcxRegExprState*>& States) const;
  int NestingDepth() const;
  int64_t StateCount() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserItem>> FItems;
  std::vector<std::unique_ptr<TcxRegExprBlockState>> FFollow;  // made by LinkStates
};

class TcxRegExprParserAlts {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxRegExprParserAlt* Items(int Index) const { return FItems[static_cast<size_t>(Index)].get(); }
  TcxRegExprParserAlt* AddNew();
  TcxRegExprParserAlt* Last() const { return FItems.empty() ? nullptr : FItems.back().get(); }
  std::unique_ptr<TcxRegExprParserAlts> Duplicate() const;
  String DebugText() const;

  bool SomeAltCanMatchEmpty() const;
  bool SomeAltMayBeAbsent() const;
  void LinkStates() const;
  void MarkFinalItems() const;
  void CollectStates(std::vector<TcxRegExprState*>& States) const;
  int NestingDepth() const;
  int64_t StateCount() const;

 private:
  std::vector<std::unique_ptr<TcxRegExprParserAlt>> FItems;
};

class TcxRegExprParserBlockItem final : public TcxRegExprParserItem {
 public:
  explicit TcxRegExprParserBlockItem(std::unique_ptr<TcxRegExprQuantifier> Quantifier = nullptr);
  TcxRegExprParserAlts& Alts() { return *FAlts; }
  const TcxRegExprParserAlts& Alts() const { return *FAlts; }

  bool CanMatchEmpty() const override;
  std::unique_ptr<TcxRegExprParserItem> Duplicate() const override;
  String DebugText() const override;
  void MarkFinal() override { FAlts->MarkFinalItems(); }
  TcxRegExprState* EntryState() override { return FEntry.get(); }
  TcxRegExprState* ExitState() override { return FExit.get(); }
  void LinkInner() override;
  void CollectStates(std::vector<TcxRegExprState*>& States) override;
  int NestingDepth() const override { return 1 + FAlts->NestingDepth(); }
  int64_t StateCount() const override { return 2 + FAlts->StateCount(); }

 private:
  std::unique_ptr<TcxRegExprParserAlts> FAlts;
  std::unique_ptr<TcxRegExprBlockState> FExit;
  std::unique_ptr<TcxRegExprBlockState> FEntry;
};

class TcxRegExprAutomat {
 public:
  // Links the tree, marks its final states and stands at the start.
  TcxRegExprAutomat(std::unique_ptr<TcxRegExprParserAlts> Tree, TcxRegExpr* Owner);

  bool Step(char& Ch, bool CaseInsensitive);
  bool Back();
  void Restart();
  void InsertFixedCharsForward();
  void RemoveFixedCharsBackward();
  bool AtFinal() const { return FCurrent.ContainsFinal(); }
  bool AtStart() const { return FCurrent.Count() > 0 && FCurrent.Items(0) == FStart.get(); }
  TcxRegExprStates PossibleNextStates(const TcxRegExprStates& From);
  const TcxRegExprStates& Current() const { return FCurrent; }
  String DebugText() const { return FTree->DebugText(); }

 private:
  TcxRegExprStates FCurrent;
  std::unique_ptr<TcxRegExprParserAlts> FTree;
  std::vector<TcxRegExprStates> FHistory;
  TcxRegExpr* FOwner;
  std::unique_ptr<TcxRegExprSimpleState> FStart;
  int64_t FCharStateCount = 0;  // simple states, the start state among them

  // Scratch of the closure walk: a visit mark per state, by index.
  std::vector<uint32_t> FMarks;
  uint32_t FGeneration = 0;
  std::vector<TcxRegExprState*> FWalk;
  TcxRegExprStates FCandidates;

  void Closure(const TcxRegExprStates& From, TcxRegExprStates& Result);
};
