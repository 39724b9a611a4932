#pragma once
// Small routines the whole library shares: event firing, owner queries, unique component names
// and a few arithmetic helpers.
#include <cstdint>

#include "platform/classes/Component.h"
#include "ui/foundation/Types.h"

// Calls Event (Sender) when it is set.
inline void FireNotifyEvent(TObject* Sender, const TNotifyEvent& Event) {
  if (Event) Event(Sender);
}

// The persistent's owner as its protected owner query answers it; null for null.
TPersistent* QueryPersistentOwner(TPersistent* Persistent);

inline TSize ComposeSize(int CX, int CY) { return TSize(CX, CY); }

// (A + B) halved, rounded toward minus infinity: 3 and 4 give 3, -3 and 0 give -2.
constexpr int RangeMidpoint(int A, int B) { return static_cast<int>((std::int64_t{A} + B) >> 1); }

// 1 for X >= 0, else -1.
constexpr int SignOfFloat(double X) { return X >= 0 ? 1 : -1; }

// The byte length of the character that starts at the 1-based byte Index of S (strings are UTF-8
// in memory, so 1 to 4); 0 past the end.
int CharByteLengthAt(const String& S, int Index);

// A name for Item that no component under Root (owned by Root, or by one of those, at any depth)
// has yet: Parent's name, then BaseName cleaned down to letters, digits and "_" (or, when that is
// empty or begins with a digit, Item's class name less ClassPrefix or its leading "T" in front of
// it), then a counter from 1 when BaseName is empty and from none otherwise.
void MakeUniqueItemName(TComponent* Root, TComponent* Parent, TComponent* Item, const String& ClassPrefix,
                        const String& BaseName, String& Name);
// One candidate of MakeUniqueItemName; Number 0 adds no counter.
String ComposeItemName(TComponent* Parent, TComponent* Item, const String& ClassPrefix, const String& BaseName,
                       int Number);
