#include "ui/foundation/Routines.h"

#include <climits>

namespace {

// Reaches the protected owner query through a pointer to the base's member, which keeps the
// virtual dispatch of the object's own class.
struct OwnerQuery : TPersistent {
  static TPersistent* Of(TPersistent* P) { return (P->*(&OwnerQuery::GetOwner))(); }
};

bool IsNameChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool NameTaken(TComponent* Root, const String& Name) {
  if (!Root) return false;
  for (int i = 0; i < Root->ComponentCount(); ++i) {
    TComponent* c = Root->Components(i);
    if (CompareText(c->Name(), Name) == 0 || NameTaken(c, Name)) return true;
  }
  return false;
}

}  // namespace

TPersistent* QueryPersistentOwner(TPersistent* Persistent) { return Persistent ? OwnerQuery::Of(Persistent) : nullptr; }

int CharByteLengthAt(const String& S, int Index) {
  if (Index < 1 || Index > static_cast<int>(S.size())) return 0;
  const auto lead = static_cast<unsigned char>(S[static_cast<std::size_t>(Index - 1)]);
  int length = 1;
  if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  else if (lead >= 0xE0)
    length = 3;
  else if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  // Never past the end, and never over a byte that does not continue the sequence.
  int available = 1;
  while (available < length && Index - 1 + available < static_cast<int>(S.size()) &&
         (static_cast<unsigned char>(S[static_cast<std::size_t>(Index - 1 + available)]) & 0xC0) == 0x80)
    ++available;
  return available;
}

String ComposeItemName(TComponent* Parent, TComponent* Item, const String& ClassPrefix, const String& BaseName,
                       int Number) {
  // Multi-byte characters go whole: none of their bytes is a name character.
  String base;
  for (char c : BaseName)
    if (IsNameChar(static_cast<unsigned char>(c))) base += c;

  const String className = Item ? Item->ClassName() : String();
  if ((base.empty() || (base[0] >= '0' && base[0] <= '9')) && !className.empty()) {
    if (!ClassPrefix.empty() && className.size() >= ClassPrefix.size() &&
        CompareText(className.substr(0, ClassPrefix.size()), ClassPrefix) == 0) {
      base = className.substr(ClassPrefix.size()) + base;
    } else {
      base = className + base;
      if (base[0] == 'T') base.erase(0, 1);
    }
  }

  String name = Parent ? Parent->Name() + base : base;
  if (Number > 0) name += IntToStr(Number);
  return name;
}

void MakeUniqueItemName(TComponent* Root, TComponent* Parent, TComponent* Item, const String& ClassPrefix,
                        const String& BaseName, String& Name) {
  for (int n = BaseName.empty() ? 1 : 0;; ++n) {
    Name = ComposeItemName(Parent, Item, ClassPrefix, BaseName, n);
    if (!NameTaken(Root, Name) || n == INT_MAX) return;
  }
}
