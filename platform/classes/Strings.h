#pragma once
// String lists: each entry a string with an object pointer beside it (not owned), the
// "name=value" view of entries, the comma and delimited text forms, and the text form with a CR LF
// after every line. Lookups by string ignore letter case unless a list says otherwise.
#include <functional>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/classes/SysUtils.h"

class TStream;
class TReader;
class TWriter;

class TStrings : public TPersistent {
  VW_CLASS(TStrings, TPersistent)
 public:
  TStrings() = default;
  ~TStrings() override = default;

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  void Assign(TPersistent* Source) override;
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Exchange(int Index1, int Index2);
  // Same count and the same strings in the same order, case-sensitively.
  bool Equals(TStrings* Strings);
  virtual int IndexOf(const String& S);
  int IndexOfName(const String& Name);
  int IndexOfObject(TObject* AObject);
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Move(int CurIndex, int NewIndex);

  virtual void LoadFromFile(const String& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const String& FileName);
  virtual void SaveToStream(TStream* Stream);

  int Count() { return GetCount(); }
  String Strings(int Index) { return Get(Index); }
  void SetStrings(int Index, const String& S) { Put(Index, S); }
  TObject* Objects(int Index) { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  virtual int Capacity() { return GetCount(); }
  virtual void SetCapacity(int) {}

  // The part before the first NameValueSeparator; empty when there is none.
  String Names(int Index);
  String Values(const String& Name);
  // An empty value deletes the entry.
  void SetValues(const String& Name, const String& Value);
  // The part after the first NameValueSeparator; empty when there is none.
  String ValueFromIndex(int Index);
  void SetValueFromIndex(int Index, const String& Value);

  // Entries joined by Delimiter; an entry holding a blank, a control character, the delimiter or
  // the quote character is quoted. Setting splits at the delimiter and at blanks outside quotes.
  String DelimitedText();
  void SetDelimitedText(const String& Value);
  // The delimited text with ',' and '"'.
  String CommaText();
  void SetCommaText(const String& Value);
  // Each entry followed by CR LF; setting splits at CR LF, CR or LF.
  virtual String Text() { return GetTextStr(); }
  virtual void SetText(const String& Value) { SetTextStr(Value); }

  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char v) { FDelimiter = v; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char v) { FQuoteChar = v; }
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char v) { FNameValueSeparator = v; }

 protected:
  virtual String Get(int Index) = 0;
  virtual int GetCount() = 0;
  virtual TObject* GetObject(int) { return nullptr; }
  virtual void Put(int Index, const String& S);
  virtual void PutObject(int, TObject*) {}
  virtual String GetTextStr();
  virtual void SetTextStr(const String& Value);
  // Told when the first BeginUpdate starts (true) and the last EndUpdate ends (false).
  virtual void SetUpdateState(bool) {}
  virtual int CompareStrings(const String& S1, const String& S2);
  void DefineProperties(TFiler* Filer) override;
  [[noreturn]] void Error(const char* Msg, int Data);

 private:
  void ReadData(TReader* Reader);
  void WriteData(TWriter* Writer);

  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
  VW_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  ~TStringList() override;

  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  // Binary search of a sorted list: true when found; Index is where S is or would go.
  virtual bool Find(const String& S, int& Index);
  int IndexOf(const String& S) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  virtual void Sort();
  // Sorts an unsorted list with the given comparison of entries by index.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates v) { FDuplicates = v; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  int Capacity() override { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity) override;

  std::function<void(TObject* Sender)> OnChange;
  std::function<void(TObject* Sender)> OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();
  String Get(int Index) override;
  int GetCount() override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int Index) override;
  void Put(int Index, const String& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const String& S1, const String& S2) override;
  virtual void InsertItem(int Index, const String& S, TObject* AObject);
  // The sort the list uses, with the step that swaps two entries left to the caller: a list that
  // keeps data in step with its entries' places sorts through its own exchange.
  void QuickSort(int L, int R, const TStringListSortCompare& SCompare, const std::function<void(int, int)>& Swap);

 private:
  struct Item {
    String FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int Index);
  void ExchangeItems(int Index1, int Index2);

  std::vector<Item> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
};
