#pragma once
// Flags and counters raised for the length of a scope and lowered again however it is left, an
// exception included: the library's guards against re-entry and its locks.

// Sets a flag for the scope and puts back the value it had.
class TcxFlagScope {
 public:
  explicit TcxFlagScope(bool& Flag, bool Value = true) : FFlag(Flag), FSaved(Flag) { FFlag = Value; }
  ~TcxFlagScope() { FFlag = FSaved; }
  TcxFlagScope(const TcxFlagScope&) = delete;
  TcxFlagScope& operator=(const TcxFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FSaved;
};

// Raises a counter by one for the scope.
class TcxCounterScope {
 public:
  explicit TcxCounterScope(int& Counter) : FCounter(Counter) { ++FCounter; }
  ~TcxCounterScope() { --FCounter; }
  TcxCounterScope(const TcxCounterScope&) = delete;
  TcxCounterScope& operator=(const TcxCounterScope&) = delete;

 private:
  int& FCounter;
};
