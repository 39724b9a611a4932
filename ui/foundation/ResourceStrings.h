#pragma once
// Localizable messages of the component library.
//
// Every message a library unit shows is a resource string: a `TResStringRec` whose text is the
// program's string-table entry, compiled in with the unit. Code reads it through
// GetLocalizedResString, never through the record directly.
//
// Each unit also lists its messages in the repository under its product title, at start-up:
//
//   const TResStringRec cxSDataReadError{"Stream read error"};
//   ...
//   GetResourceStringsRepository()->AddProduct("Data Controller Library", [](TdxProductResourceStrings* P) {
//     P->RecordResString("cxSDataReadError", &cxSDataReadError);
//   });
//
// and takes the product out again at shutdown (RemoveProduct). The repository is a catalogue of
// identifiers; nothing looks a text up by identifier through it.
#include <functional>
#include <vector>

#include "platform/classes/Interface.h"
#include "platform/classes/Lists.h"
#include "platform/classes/Strings.h"

struct TResStringRec {
  const char* Text;
};
using PResStringRec = const TResStringRec*;

// The text of a resource string; empty for a null record.
String GetLocalizedResString(PResStringRec ResStringRecord);
inline String GetLocalizedResString(const TResStringRec& ResStringRecord) {
  return GetLocalizedResString(&ResStringRecord);
}
// Frees the replacement texts (none are registered in this system); runs at library shutdown.
void FreeReplacementLists();

// An object that wants to hear about the string table. The repository keeps the attached
// listeners but calls none of them.
class IcxStringTableListener : public virtual IInterface {
 public:
  virtual void TranslationChanged() = 0;
};

class TdxProductResourceStrings;
using TdxProductResourceStringsFillProc = std::function<void(TdxProductResourceStrings* Product)>;

// One product's messages: identifiers sorted, each with its record.
class TdxProductResourceStrings : public TObject {
  VW_CLASS(TdxProductResourceStrings, TObject)
 public:
  // Runs FillProc once, at once, when it is given.
  TdxProductResourceStrings(const String& ProductName, TdxProductResourceStringsFillProc FillProc);
  ~TdxProductResourceStrings() override;

  const String& Name() const { return FName; }
  TStringList* ResStringNames() const { return FResStringNames; }
  void RecordResString(const String& Name, PResStringRec ResStringRecord);

  int ResStringCount() const { return FResStringNames->Count(); }
  String ResStringNameAt(int Index) const { return FResStringNames->Strings(Index); }
  PResStringRec ResStringAt(int Index) const;

 private:
  String FName;
  TStringList* FResStringNames;
  TdxProductResourceStringsFillProc FFillProc;
};

class TdxResourceStringsRepository : public TObject {
  VW_CLASS(TdxResourceStringsRepository, TObject)
 public:
  TdxResourceStringsRepository();
  ~TdxResourceStringsRepository() override;

  // Appends a product, even when one of that title is registered already.
  void AddProduct(const String& ProductName, TdxProductResourceStringsFillProc FillProc);
  // Frees the first product of exactly that title; nothing when there is none.
  void RemoveProduct(const String& ProductName);
  // -1 when absent; titles compare case-sensitively.
  int IndexOfProduct(const String& ProductName) const;
  TdxProductResourceStrings* ProductAt(int Index) const;
  int ProductCount() const { return FProducts->Count(); }

  void AttachListener(IcxStringTableListener* Listener);
  void DetachListener(IcxStringTableListener* Listener);
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  IcxStringTableListener* ListenerAt(int Index) const { return FListeners.at(static_cast<std::size_t>(Index)); }

 private:
  TObjectList* FProducts;
  std::vector<IcxStringTableListener*> FListeners;
};

// The process's repository, created on first use and freed when the library shuts down; null
// once it has been freed, so late unit shutdowns must test for it.
TdxResourceStringsRepository* GetResourceStringsRepository();
