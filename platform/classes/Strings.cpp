#include "platform/classes/Strings.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"

// ---- TStrings -----------------------------------------------------------------------------------

void TStrings::Error(const char* Msg, int Data) { throw EStringListError(Format(Msg, {Data})); }

int TStrings::Add(const String& S) {
  int result = GetCount();
  Insert(result, S);
  return result;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  int result = Add(S);
  PutObject(result, AObject);
  return result;
}

void TStrings::AddStrings(TStrings* Strings) {
  if (!Strings) return;
  BeginUpdate();
  try {
    for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    String s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStrings::Equals(TStrings* Strings) {
  if (!Strings || Strings->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

int TStrings::CompareStrings(const String& S1, const String& S2) { return AnsiCompareText(S1, S2); }

int TStrings::IndexOf(const String& S) {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& Name) {
  for (int i = 0; i < GetCount(); ++i) {
    String s = Get(i);
    size_t p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    String s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Put(int Index, const String& S) {
  TObject* o = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

String TStrings::Names(int Index) {
  String s = Get(Index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& Name) {
  int i = IndexOfName(Name);
  return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(const String& Name, const String& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0) i = Add(String());
    Put(i, Name + FNameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::ValueFromIndex(int Index) {
  String s = Get(Index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(String());
    Put(Index, Names(Index) + FNameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

String TStrings::DelimitedText() {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return String(2, FQuoteChar);
  String result;
  for (int i = 0; i < n; ++i) {
    String s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == FQuoteChar || c == FDelimiter) {
        quote = true;
        break;
      }
    if (i) result.push_back(FDelimiter);
    result += quote ? AnsiQuotedStr(s, FQuoteChar) : s;
  }
  return result;
}

namespace {
bool IsSkippable(char c) { return c != 0 && static_cast<unsigned char>(c) <= ' '; }
}  // namespace

void TStrings::SetDelimitedText(const String& Text) {
  // The text ends at a NUL, as it always has for callers handing over C strings.
  const String Value = Text.substr(0, Text.find('\0'));
  BeginUpdate();
  try {
    Clear();
    size_t p = 0;
    const size_t n = Value.size();
    while (p < n && IsSkippable(Value[p])) ++p;
    while (p < n) {
      String s;
      if (Value[p] == FQuoteChar) {
        // Quoted: up to the closing quote, a doubled quote standing for one.
        ++p;
        while (p < n) {
          if (Value[p] == FQuoteChar) {
            if (p + 1 < n && Value[p + 1] == FQuoteChar) {
              s.push_back(FQuoteChar);
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s.push_back(Value[p++]);
        }
      } else {
        size_t start = p;
        while (p < n && static_cast<unsigned char>(Value[p]) > ' ' && Value[p] != FDelimiter) ++p;
        s = Value.substr(start, p - start);
      }
      Add(s);
      while (p < n && IsSkippable(Value[p])) ++p;
      if (p < n && Value[p] == FDelimiter) {
        if (p + 1 == n) Add(String());  // a trailing delimiter ends with an empty entry
        do {
          ++p;
        } while (p < n && IsSkippable(Value[p]));
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::CommaText() {
  char d = FDelimiter, q = FQuoteChar;
  FDelimiter = ',';
  FQuoteChar = '"';
  String r;
  try {
    r = DelimitedText();
  } catch (...) {
    FDelimiter = d;
    FQuoteChar = q;
    throw;
  }
  FDelimiter = d;
  FQuoteChar = q;
  return r;
}

void TStrings::SetCommaText(const String& Value) {
  char d = FDelimiter, q = FQuoteChar;
  FDelimiter = ',';
  FQuoteChar = '"';
  try {
    SetDelimitedText(Value);
  } catch (...) {
    FDelimiter = d;
    FQuoteChar = q;
    throw;
  }
  FDelimiter = d;
  FQuoteChar = q;
}

String TStrings::GetTextStr() {
  String r;
  for (int i = 0; i < GetCount(); ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

void TStrings::SetTextStr(const String& Value) {
  BeginUpdate();
  try {
    Clear();
    size_t p = 0;
    const size_t n = Value.size();
    while (p < n) {
      size_t start = p;
      while (p < n && Value[p] != '\r' && Value[p] != '\n') ++p;
      Add(Value.substr(start, p - start));
      if (p < n && Value[p] == '\r') ++p;
      if (p < n && Value[p] == '\n') ++p;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  std::int64_t size = Stream->Size() - Stream->Position();
  String text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (!text.empty()) Stream->ReadBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  SetTextStr(text);
}

void TStrings::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) {
  String text = GetTextStr();
  if (!text.empty()) Stream->WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

void TStrings::DefineProperties(TFiler* Filer) {
  bool hasData;
  if (auto* ancestor = dynamic_cast<TStrings*>(Filer->Ancestor()))
    hasData = !Equals(ancestor);
  else
    hasData = GetCount() > 0;
  Filer->DefineProperty(
      "Strings", [this](TReader* r) { ReadData(r); }, [this](TWriter* w) { WriteData(w); }, hasData);
}

void TStrings::ReadData(TReader* Reader) {
  Reader->ReadListBegin();
  BeginUpdate();
  try {
    Clear();
    while (!Reader->EndOfList()) Add(Reader->ReadString());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Reader->ReadListEnd();
}

void TStrings::WriteData(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int i = 0; i < GetCount(); ++i) Writer->WriteString(Get(i));
  Writer->WriteListEnd();
}

// ---- TStringList --------------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FList.size())) Error(SListIndexError, Index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  // Runs while the count is still 0 (first BeginUpdate) or already back at 0 (last EndUpdate).
  if (Updating)
    Changing();
  else
    Changed();
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
  int result;
  if (!FSorted) {
    result = static_cast<int>(FList.size());
  } else if (Find(S, result)) {
    switch (FDuplicates) {
      case dupIgnore: return result;
      case dupError: throw EStringListError(SDuplicateString);
      case dupAccept: break;
    }
  }
  InsertItem(result, S, AObject);
  return result;
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  FList.shrink_to_fit();
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  ExchangeItems(Index1, Index2);
  Changed();
}

void TStringList::ExchangeItems(int Index1, int Index2) {
  std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
}

bool TStringList::Find(const String& S, int& Index) {
  bool result = false;
  int l = 0, h = static_cast<int>(FList.size()) - 1;
  while (l <= h) {
    int i = (l + h) / 2;
    int c = CompareStrings(FList[static_cast<size_t>(i)].FString, S);
    if (c < 0) {
      l = i + 1;
    } else {
      h = i - 1;
      if (c == 0) {
        result = true;
        // With duplicates ignored or refused, any equal entry will do; with duplicates accepted
        // keep looking for the first.
        if (FDuplicates != dupAccept) l = i;
      }
    }
  }
  Index = l;
  return result;
}

int TStringList::IndexOf(const String& S) {
  if (!FSorted) return TStrings::IndexOf(S);
  int i;
  return Find(S, i) ? i : -1;
}

void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  if (FSorted) Error(SSortedListError, 0);
  if (Index < 0 || Index > static_cast<int>(FList.size())) Error(SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, Item{S, AObject});
  Changed();
}

String TStringList::Get(int Index) {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].FString;
}

TObject* TStringList::GetObject(int Index) {
  CheckIndex(Index);
  return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::Put(int Index, const String& S) {
  if (FSorted) Error(SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].FString = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<size_t>(Index)].FObject = AObject;
  Changed();
}

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity < static_cast<int>(FList.size())) Error(SListCapacityError, NewCapacity);
  FList.reserve(static_cast<size_t>(NewCapacity));
}

int TStringList::CompareStrings(const String& S1, const String& S2) {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) {
    // Re-sort under the new comparison.
    FSorted = false;
    Sort();
    FSorted = true;
  }
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int i1, int i2) {
    return list->CompareStrings(list->FList[static_cast<size_t>(i1)].FString, list->FList[static_cast<size_t>(i2)].FString);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FSorted || FList.size() < 2 || !Compare) return;
  Changing();
  QuickSort(0, static_cast<int>(FList.size()) - 1, Compare, [this](int a, int b) { ExchangeItems(a, b); });
  Changed();
}

void TStringList::QuickSort(int L, int R, const TStringListSortCompare& SCompare,
                            const std::function<void(int, int)>& Swap) {
  int i;
  do {
    i = L;
    int j = R;
    int p = (L + R) / 2;
    do {
      // The bounds keep a comparison that contradicts itself from running off the list.
      while (i < R && SCompare(this, i, p) < 0) ++i;
      while (j > L && SCompare(this, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) Swap(i, j);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (L < j) QuickSort(L, j, SCompare, Swap);
    L = i;
  } while (i < R);
}
