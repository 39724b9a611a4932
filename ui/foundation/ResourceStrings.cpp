#include "ui/foundation/ResourceStrings.h"

#include <algorithm>

namespace {

// Plain pointers (no destructors of their own) so that a unit shutting down after the repository
// still reads a valid null rather than a destroyed object.
TdxResourceStringsRepository* gRepository = nullptr;
bool gRepositoryFinalized = false;

// Constructed on the first call of GetResourceStringsRepository, so it is destroyed after every
// static object whose constructor registered a product, and before nothing that still needs it.
struct RepositoryFinalizer {
  ~RepositoryFinalizer() {
    FreeAndNil(gRepository);
    gRepositoryFinalized = true;
    FreeReplacementLists();
  }
};

}  // namespace

String GetLocalizedResString(PResStringRec ResStringRecord) {
  if (!ResStringRecord) return String();
  return ResStringRecord->Text ? String(ResStringRecord->Text) : String();
}

// No unit of this system registers replacement texts, so there is nothing to free; shutdown still
// calls this at its place so that a translation layer has its hook.
void FreeReplacementLists() {}

// ---- TdxProductResourceStrings ------------------------------------------------------------------

TdxProductResourceStrings::TdxProductResourceStrings(const String& ProductName,
                                                     TdxProductResourceStringsFillProc FillProc)
    : FName(ProductName), FResStringNames(new TStringList), FFillProc(std::move(FillProc)) {
  FResStringNames->SetSorted(true);
  if (FFillProc) FFillProc(this);
}

TdxProductResourceStrings::~TdxProductResourceStrings() {
  FFillProc = nullptr;
  FreeAndNil(FResStringNames);
}

// The list keeps object pointers; a record is no object, so its address travels through the
// object slot and is only ever turned back into a record pointer here.
void TdxProductResourceStrings::RecordResString(const String& Name, PResStringRec ResStringRecord) {
  FResStringNames->AddObject(Name, reinterpret_cast<TObject*>(const_cast<TResStringRec*>(ResStringRecord)));
}

PResStringRec TdxProductResourceStrings::ResStringAt(int Index) const {
  return reinterpret_cast<PResStringRec>(FResStringNames->Objects(Index));
}

// ---- TdxResourceStringsRepository ---------------------------------------------------------------

TdxResourceStringsRepository::TdxResourceStringsRepository() : FProducts(new TObjectList(true)) {}

TdxResourceStringsRepository::~TdxResourceStringsRepository() {
  FListeners.clear();
  FreeAndNil(FProducts);
}

void TdxResourceStringsRepository::AddProduct(const String& ProductName, TdxProductResourceStringsFillProc FillProc) {
  auto* product = new TdxProductResourceStrings(ProductName, std::move(FillProc));
  FProducts->Add(product);
}

void TdxResourceStringsRepository::RemoveProduct(const String& ProductName) {
  int index = IndexOfProduct(ProductName);
  if (index >= 0) FProducts->Delete(index);
}

int TdxResourceStringsRepository::IndexOfProduct(const String& ProductName) const {
  for (int i = 0; i < FProducts->Count(); ++i)
    if (ProductAt(i)->Name() == ProductName) return i;
  return -1;
}

TdxProductResourceStrings* TdxResourceStringsRepository::ProductAt(int Index) const {
  return static_cast<TdxProductResourceStrings*>(FProducts->Items(Index));
}

void TdxResourceStringsRepository::AttachListener(IcxStringTableListener* Listener) {
  if (std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end()) FListeners.push_back(Listener);
}

void TdxResourceStringsRepository::DetachListener(IcxStringTableListener* Listener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), Listener);
  if (it != FListeners.end()) FListeners.erase(it);
}

TdxResourceStringsRepository* GetResourceStringsRepository() {
  static RepositoryFinalizer finalizer;
  if (!gRepository && !gRepositoryFinalized) gRepository = new TdxResourceStringsRepository;
  return gRepository;
}
