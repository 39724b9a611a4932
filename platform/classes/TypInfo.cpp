#include "platform/classes/TypInfo.h"

#include <algorithm>
#include <mutex>
#include <strings.h>


namespace {

String TrimBlanks(const String& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool SameName(const String& a, const String& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

// ---- enumerations ----

TEnumInfo::TEnumInfo(const char* typeName, const char* names) : FTypeName(typeName) {
  String all = names;
  std::size_t start = 0;
  while (start <= all.size()) {
    std::size_t comma = all.find(',', start);
    if (comma == String::npos) comma = all.size();
    String n = TrimBlanks(all.substr(start, comma - start));
    if (!n.empty()) FNames.push_back(n);
    start = comma + 1;
  }
}

TEnumInfo::TEnumInfo(const char* typeName, std::initializer_list<const char*> names) : FTypeName(typeName) {
  for (const char* n : names) FNames.emplace_back(n);
}

String TEnumInfo::Name(int value) const {
  if (value >= 0 && value < Count()) return FNames[static_cast<std::size_t>(value)];
  return std::to_string(value);
}

int TEnumInfo::Value(const String& name) const {
  for (std::size_t i = 0; i < FNames.size(); ++i)
    if (SameName(FNames[i], name)) return static_cast<int>(i);
  return -1;
}

String GetEnumName(const TEnumInfo* info, int value) { return info->Name(value); }
int GetEnumValue(const TEnumInfo* info, const String& name) { return info->Value(name); }

String SetToString(const TEnumInfo* info, std::uint64_t bits, bool brackets) {
  String s;
  for (int i = 0; i < 64; ++i) {
    if (!(bits & (std::uint64_t{1} << i))) continue;
    if (!s.empty()) s += brackets ? ", " : ",";
    s += info->Name(i);
  }
  return brackets ? "[" + s + "]" : s;
}

std::uint64_t StringToSet(const TEnumInfo* info, const String& text) {
  String s = TrimBlanks(text);
  if (!s.empty() && s.front() == '[') s.erase(0, 1);
  if (!s.empty() && s.back() == ']') s.pop_back();
  std::uint64_t bits = 0;
  std::size_t start = 0;
  while (start <= s.size()) {
    std::size_t comma = s.find(',', start);
    if (comma == String::npos) comma = s.size();
    String n = TrimBlanks(s.substr(start, comma - start));
    if (!n.empty()) {
      int v = info->Value(n);
      if (v < 0 || v >= 64) throw EPropertyError("Invalid property element: " + n);
      bits |= std::uint64_t{1} << v;
    }
    start = comma + 1;
  }
  return bits;
}

// ---- property tables ----

TPropTable::TPropTable() = default;
TPropTable::TPropTable(const TPropTable&) = default;
TPropTable::~TPropTable() = default;

TPropInfo& TPropTable::Insert(std::shared_ptr<TPropInfo> p) {
  for (auto& existing : FProps)
    if (SameName(existing->Name, p->Name)) {
      existing = std::move(p);
      return *existing;
    }
  FProps.push_back(std::move(p));
  return *FProps.back();
}

TPropInfo& TPropTable::Redeclare(const char* name) {
  for (auto& existing : FProps)
    if (SameName(existing->Name, name)) {
      // The parent's table shares the entry; the copy keeps the parent's declaration intact.
      existing = std::make_shared<TPropInfo>(*existing);
      return *existing;
    }
  throw EPropertyError(String("Unknown property: '") + name + "'");
}

void TPropTable::Remove(const char* name) {
  std::erase_if(FProps, [&](const auto& p) { return SameName(p->Name, name); });
}

const TPropInfo* TPropTable::Find(const String& name) const {
  for (const auto& p : FProps)
    if (SameName(p->Name, name)) return p.get();
  return nullptr;
}

TMetaClass::~TMetaClass() { delete FProps; }

const TPropTable& TMetaClass::Properties() const {
  std::call_once(FPropsOnce, [this] {
    auto* table = FParent ? new TPropTable(FParent->Properties()) : new TPropTable();
    if (FDeclarer) FDeclarer(*table);
    FProps = table;
  });
  return *FProps;
}

// ---- access by name ----

const TPropInfo* GetPropInfo(TClass cls, const String& name) { return cls->Properties().Find(name); }
const TPropInfo* GetPropInfo(const TObject* obj, const String& name) { return GetPropInfo(obj->ClassType(), name); }

std::vector<const TPropInfo*> GetPropList(const TObject* obj) {
  std::vector<const TPropInfo*> list;
  for (const auto& p : obj->ClassType()->Properties().Props()) list.push_back(p.get());
  return list;
}

bool IsPublishedProp(const TObject* obj, const String& name) { return GetPropInfo(obj, name) != nullptr; }
bool IsStoredProp(TObject* obj, const TPropInfo* prop) { return prop->IsStored(obj); }

TTypeKind PropType(const TObject* obj, const String& name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  return p ? p->Kind : tkUnknown;
}

namespace {

const TPropInfo& Need(TObject* obj, const String& name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError("Unknown property: '" + name + "'");
  return *p;
}

[[noreturn]] void InvalidValue() { throw EPropertyError("Invalid property value"); }

void NeedWritable(const TPropInfo& p) {
  if (p.ReadOnly) throw EPropertyError("Property " + p.Name + " is read-only");
}

}  // namespace

std::int64_t GetOrdProp(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  if (!p.GetOrd) InvalidValue();
  return p.GetOrd(obj);
}

void SetOrdProp(TObject* obj, const String& name, std::int64_t value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (!p.SetOrd) InvalidValue();
  p.SetOrd(obj, value);
}

String GetEnumProp(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  if (p.Kind != tkEnumeration) InvalidValue();
  return p.EnumType->Name(static_cast<int>(p.GetOrd(obj)));
}

void SetEnumProp(TObject* obj, const String& name, const String& value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (p.Kind != tkEnumeration) InvalidValue();
  int v = p.EnumType->Value(value);
  if (v < 0) throw EPropertyError("Invalid property value");
  p.SetOrd(obj, v);
}

String GetSetProp(TObject* obj, const String& name, bool brackets) {
  const TPropInfo& p = Need(obj, name);
  if (p.Kind != tkSet) InvalidValue();
  return SetToString(p.EnumType, static_cast<std::uint64_t>(p.GetOrd(obj)), brackets);
}

void SetSetProp(TObject* obj, const String& name, const String& value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (p.Kind != tkSet) InvalidValue();
  p.SetOrd(obj, static_cast<std::int64_t>(StringToSet(p.EnumType, value)));
}

String GetStrProp(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  if (!p.GetStr) InvalidValue();
  return p.GetStr(obj);
}

void SetStrProp(TObject* obj, const String& name, const String& value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (!p.SetStr) InvalidValue();
  p.SetStr(obj, value);
}

double GetFloatProp(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  if (!p.GetFloat) InvalidValue();
  return p.GetFloat(obj);
}

void SetFloatProp(TObject* obj, const String& name, double value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (!p.SetFloat) InvalidValue();
  p.SetFloat(obj, value);
}

TObject* GetObjectProp(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  if (!p.GetObj) InvalidValue();
  return p.GetObj(obj);
}

void SetObjectProp(TObject* obj, const String& name, TObject* value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (!p.SetObj) InvalidValue();
  p.SetObj(obj, value);
}

Variant GetVariantProp(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  if (!p.GetVar) InvalidValue();
  return p.GetVar(obj);
}

void SetVariantProp(TObject* obj, const String& name, const Variant& value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  if (!p.SetVar) InvalidValue();
  p.SetVar(obj, value);
}

Variant GetPropValue(TObject* obj, const String& name) {
  const TPropInfo& p = Need(obj, name);
  switch (p.Kind) {
    case tkInteger: return Variant(static_cast<int>(p.GetOrd(obj)));
    case tkChar: return Variant(String(1, static_cast<char>(p.GetOrd(obj))));
    case tkInt64: return Variant(static_cast<long long>(p.GetOrd(obj)));
    case tkEnumeration:
      if (p.EnumType == TypeInfo<bool>()) return Variant(p.GetOrd(obj) != 0);
      return Variant(p.EnumType->Name(static_cast<int>(p.GetOrd(obj))));
    case tkSet: return Variant(SetToString(p.EnumType, static_cast<std::uint64_t>(p.GetOrd(obj)), true));
    case tkFloat: return Variant(p.GetFloat(obj));
    case tkLString: return Variant(p.GetStr(obj));
    case tkVariant: return p.GetVar(obj);
    default: InvalidValue();
  }
}

void SetPropValue(TObject* obj, const String& name, const Variant& value) {
  const TPropInfo& p = Need(obj, name);
  NeedWritable(p);
  try {
    switch (p.Kind) {
      case tkInteger: p.SetOrd(obj, value.AsInteger()); return;
      case tkChar: {
        if (!VarIsStr(value)) {
          p.SetOrd(obj, value.AsInteger());
          return;
        }
        const String text = value.AsString();
        if (text.size() != 1) InvalidValue();
        p.SetOrd(obj, static_cast<unsigned char>(text[0]));
        return;
      }
      case tkInt64: p.SetOrd(obj, value.AsInt64()); return;
      case tkEnumeration: {
        if (p.EnumType == TypeInfo<bool>()) {
          p.SetOrd(obj, value.AsBoolean() ? 1 : 0);
          return;
        }
        if (VarIsStr(value)) {
          int v = p.EnumType->Value(value.AsString());
          if (v < 0) InvalidValue();
          p.SetOrd(obj, v);
        } else {
          p.SetOrd(obj, value.AsInteger());
        }
        return;
      }
      case tkSet: p.SetOrd(obj, static_cast<std::int64_t>(StringToSet(p.EnumType, value.AsString()))); return;
      case tkFloat: p.SetFloat(obj, value.AsDouble()); return;
      case tkLString: p.SetStr(obj, value.AsString()); return;
      case tkVariant: p.SetVar(obj, value); return;
      default: InvalidValue();
    }
  } catch (const EVariantTypeCastError&) {
    InvalidValue();
  }
}

// ---- class registry ----

namespace {

struct ClassRegistry {
  std::mutex lock;
  std::vector<TClass> classes;
  std::vector<std::pair<TClass, TClass>> groupOf;  // class -> group root
  std::vector<TClass> groupRoots;
};

ClassRegistry& Registry() {
  static ClassRegistry r;
  return r;
}

}  // namespace

void RegisterClass(TClass cls) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  for (TClass c : r.classes) {
    if (c == cls) return;
    if (c->ClassNameIs(cls->ClassName())) throw EFilerError("A class named " + cls->ClassName() + " already exists");
  }
  r.classes.push_back(cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes) RegisterClass(c);
}

void UnRegisterClass(TClass cls) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  std::erase(r.classes, cls);
}

void UnRegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass c : classes) UnRegisterClass(c);
}

TClass GetClass(const String& name) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  for (TClass c : r.classes)
    if (c->ClassNameIs(name)) return c;
  return nullptr;
}

TClass FindClass(const String& name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound("Class " + name + " not found");
  return c;
}

void StartClassGroup(TClass groupRoot) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  if (std::find(r.groupRoots.begin(), r.groupRoots.end(), groupRoot) == r.groupRoots.end())
    r.groupRoots.push_back(groupRoot);
}

void GroupDescendentsWith(TClass cls, TClass ancestor) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  r.groupOf.emplace_back(cls, ancestor);
}

TClass ClassGroupOf(TClass cls) {
  auto& r = Registry();
  std::lock_guard g(r.lock);
  for (TClass c = cls; c; c = c->ClassParent()) {
    for (auto& [k, anc] : r.groupOf)
      if (k == c) return anc;
    if (std::find(r.groupRoots.begin(), r.groupRoots.end(), c) != r.groupRoots.end()) return c;
  }
  return nullptr;
}
