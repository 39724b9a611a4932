#pragma once
// Published properties: each class lists them once, and the form reader and writer, the frame
// controller and the tools read and write them by name.
//
//   static void DeclareProperties(TPropTable& t) {
//     t.Add("Caption", &TFoo::GetCaption, &TFoo::SetCaption).Stored(&TFoo::IsCaptionStored);
//     t.Add("Align", &TFoo::FAlign, &TFoo::SetAlign).Default(alNone);
//     t.Add("Font", &TFoo::FFont, &TFoo::SetFont);   // sub-object: written nested, set through Assign
//     t.Add("OnClick", &TFoo::FOnClick);             // event: bound by handler name
//   }
//
// Getters may be fields or const member functions, setters fields or member functions taking the
// value. The kind (integer, enumeration, set, string, float, class, event, variant) follows from
// the C++ type; enumerations and sets need their names declared with VW_ENUM / VW_ENUM_NAMES.
#include <any>
#include <bitset>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/classes/Variant.h"

enum TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar,
  tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};

// ---- enumeration names ----------------------------------------------------------------------

class TEnumInfo {
 public:
  // names: the enumerators' source text, comma separated ("alNone, alTop, alBottom").
  TEnumInfo(const char* typeName, const char* names);
  TEnumInfo(const char* typeName, std::initializer_list<const char*> names);

  const String& TypeName() const { return FTypeName; }
  int Count() const { return static_cast<int>(FNames.size()); }
  // The value's name; the number itself for a value outside the enumeration.
  String Name(int value) const;
  // The value of a name (without regard to case); -1 when there is none.
  int Value(const String& name) const;

 private:
  String FTypeName;
  std::vector<String> FNames;
};

template <class E>
struct TEnumTraits;  // specialised by VW_ENUM_NAMES

template <>
struct TEnumTraits<bool> {
  static const TEnumInfo& Info() {
    static const TEnumInfo info("Boolean", "False, True");
    return info;
  }
};

template <class E>
concept NamedEnum = requires { TEnumTraits<E>::Info(); };

// Names the values of an enumeration declared elsewhere, at namespace scope.
#define VW_ENUM_NAMES(E, ...)                          \
  template <>                                          \
  struct TEnumTraits<E> {                              \
    static const TEnumInfo& Info() {                   \
      static const TEnumInfo info(#E, #__VA_ARGS__);   \
      return info;                                     \
    }                                                  \
  };

// Declares an enumeration (values 0, 1, 2, ...) and its names in one step, at namespace scope.
#define VW_ENUM(E, ...)          \
  enum E : std::uint8_t { __VA_ARGS__ }; \
  VW_ENUM_NAMES(E, __VA_ARGS__)

template <NamedEnum E>
const TEnumInfo* TypeInfo() {
  return &TEnumTraits<E>::Info();
}

String GetEnumName(const TEnumInfo* info, int value);
int GetEnumValue(const TEnumInfo* info, const String& name);

// ---- sets -------------------------------------------------------------------------------------

// A set of up to 64 values of an enumeration; bit i holds value i.
template <class E>
class TSet {
 public:
  using Element = E;
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E e : values) FBits |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr std::uint64_t Bits() const { return FBits; }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E e) {
    FBits |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    FBits &= ~Bit(e);
    return *this;
  }
  constexpr TSet& operator<<(E e) { return Include(e); }
  constexpr TSet& operator>>(E e) { return Exclude(e); }
  constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
  constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
  constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
  constexpr TSet& operator+=(TSet o) {
    FBits |= o.FBits;
    return *this;
  }
  constexpr TSet& operator-=(TSet o) {
    FBits &= ~o.FBits;
    return *this;
  }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
  std::uint64_t FBits = 0;
};

// "[a, b]" (with brackets) or "a,b"; StringToSet takes either and raises on an unknown name.
String SetToString(const TEnumInfo* info, std::uint64_t bits, bool brackets = false);
std::uint64_t StringToSet(const TEnumInfo* info, const String& text);

// ---- property descriptions --------------------------------------------------------------------

struct TPropInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  const TEnumInfo* EnumType = nullptr;    // tkEnumeration, tkSet
  TClass PropClass = nullptr;             // tkClass
  const std::type_info* MethodType = nullptr;  // tkMethod: the std::function type of the event
  bool HasDefault = false;                // ordinal kinds: stored only when different
  std::int64_t Default = 0;
  bool ReadOnly = false;
  bool StoredConst = true;
  std::function<bool(TObject*)> StoredProc;
  // Integer properties whose values have names ("clBtnFace").
  bool (*IntToIdent)(std::int64_t value, String& ident) = nullptr;
  bool (*IdentToInt)(const String& ident, std::int64_t& value) = nullptr;

  // Accessors by kind: ordinal (integer, enumeration, set bits, Int64), float, string, object,
  // variant, event.
  std::function<std::int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<String(TObject*)> GetStr;
  std::function<void(TObject*, const String&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  std::function<Variant(TObject*)> GetVar;
  std::function<void(TObject*, const Variant&)> SetVar;
  std::function<bool(TObject*)> MethodAssigned;
  // handler: a std::any holding a std::function of MethodType, or null to clear the event.
  std::function<void(TObject*, const std::any*)> SetMethod;

  bool IsStored(TObject* obj) const { return StoredProc ? StoredProc(obj) : StoredConst; }

  // Declaration modifiers.
  template <class V>
  TPropInfo& SetDefault(V v) {
    HasDefault = true;
    if constexpr (std::is_enum_v<V> || std::is_integral_v<V>)
      Default = static_cast<std::int64_t>(v);
    else
      Default = static_cast<std::int64_t>(v.Bits());
    return *this;
  }
  TPropInfo& NoDefault() {
    HasDefault = false;
    return *this;
  }
  TPropInfo& Stored(bool v) {
    StoredConst = v;
    StoredProc = nullptr;
    return *this;
  }
  template <class C>
  TPropInfo& Stored(bool (C::*pred)() const) {
    StoredProc = [pred](TObject* o) { return (static_cast<C*>(o)->*pred)(); };
    return *this;
  }
  template <class C>
  TPropInfo& Stored(bool (C::*pred)()) {
    StoredProc = [pred](TObject* o) { return (static_cast<C*>(o)->*pred)(); };
    return *this;
  }
  TPropInfo& Idents(bool (*toIdent)(std::int64_t, String&), bool (*toInt)(const String&, std::int64_t&)) {
    IntToIdent = toIdent;
    IdentToInt = toInt;
    return *this;
  }
};

namespace typinfo_detail {

template <class M>
struct MemberOf;
template <class T, class C>
struct MemberOf<T C::*> {
  using Class = C;
};

template <class T>
struct IsStdFunction : std::false_type {};
template <class S>
struct IsStdFunction<std::function<S>> : std::true_type {};

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
  using Enum = E;
};

template <class G>
using ValueOf = std::remove_cvref_t<std::invoke_result_t<G, typename MemberOf<G>::Class*>>;

template <class G>
auto Getter(G g) {
  using C = typename MemberOf<G>::Class;
  return [g](TObject* o) -> ValueOf<G> { return std::invoke(g, static_cast<C*>(o)); };
}

template <class V, class S>
auto Setter(S s) {
  using C = typename MemberOf<S>::Class;
  if constexpr (std::is_member_object_pointer_v<S>)
    return [s](TObject* o, const V& v) { static_cast<C*>(o)->*s = v; };
  else
    return [s](TObject* o, const V& v) { std::invoke(s, static_cast<C*>(o), v); };
}

}  // namespace typinfo_detail

class TPropTable {
 public:
  TPropTable();
  TPropTable(const TPropTable&);
  ~TPropTable();

  // A read-write property; `set` may be nullptr for a read-only one.
  template <class G, class S>
  TPropInfo& Add(const char* name, G get, S set);
  // A field read and written directly.
  template <class F>
    requires std::is_member_object_pointer_v<F>
  TPropInfo& Add(const char* name, F field) {
    return Add(name, field, field);
  }
  template <class G>
  TPropInfo& AddReadOnly(const char* name, G get) {
    return Add(name, get, nullptr);
  }
  // Redeclares an inherited property (a new default, a new stored rule); the entry keeps its place.
  TPropInfo& Redeclare(const char* name);
  // Takes an inherited property out of the published list.
  void Remove(const char* name);

  const TPropInfo* Find(const String& name) const;
  const std::vector<std::shared_ptr<TPropInfo>>& Props() const { return FProps; }

 private:
  TPropInfo& Insert(std::shared_ptr<TPropInfo> p);
  std::vector<std::shared_ptr<TPropInfo>> FProps;
};

template <class G, class S>
TPropInfo& TPropTable::Add(const char* name, G get, S set) {
  using namespace typinfo_detail;
  using V = ValueOf<G>;
  constexpr bool writable = !std::is_null_pointer_v<S>;
  auto p = std::make_shared<TPropInfo>();
  p->Name = name;
  p->ReadOnly = !writable;
  auto g = Getter(get);
  if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V>) {
    static_assert(NamedEnum<V>, "enumeration property without names: declare them with VW_ENUM_NAMES");
    p->Kind = tkEnumeration;
    p->EnumType = &TEnumTraits<V>::Info();
    p->GetOrd = [g](TObject* o) { return static_cast<std::int64_t>(g(o)); };
    if constexpr (writable) {
      auto s = Setter<V>(set);
      p->SetOrd = [s](TObject* o, std::int64_t v) { s(o, static_cast<V>(v)); };
    }
  } else if constexpr (std::is_integral_v<V>) {
    // A character property (a password mask) is stored as its one-character text.
    p->Kind = std::is_same_v<V, char> ? tkChar : sizeof(V) > 4 ? tkInt64 : tkInteger;
    p->GetOrd = [g](TObject* o) { return static_cast<std::int64_t>(g(o)); };
    if constexpr (writable) {
      auto s = Setter<V>(set);
      p->SetOrd = [s](TObject* o, std::int64_t v) { s(o, static_cast<V>(v)); };
    }
  } else if constexpr (std::is_floating_point_v<V>) {
    p->Kind = tkFloat;
    p->GetFloat = [g](TObject* o) { return static_cast<double>(g(o)); };
    if constexpr (writable) {
      auto s = Setter<V>(set);
      p->SetFloat = [s](TObject* o, double v) { s(o, static_cast<V>(v)); };
    }
  } else if constexpr (std::is_same_v<V, String>) {
    p->Kind = tkLString;
    p->GetStr = g;
    if constexpr (writable) p->SetStr = Setter<V>(set);
  } else if constexpr (IsSet<V>::value) {
    using E = typename IsSet<V>::Enum;
    static_assert(NamedEnum<E>, "set property without element names: declare them with VW_ENUM_NAMES");
    p->Kind = tkSet;
    p->EnumType = &TEnumTraits<E>::Info();
    p->GetOrd = [g](TObject* o) { return static_cast<std::int64_t>(g(o).Bits()); };
    if constexpr (writable) {
      auto s = Setter<V>(set);
      p->SetOrd = [s](TObject* o, std::int64_t v) { s(o, V::FromBits(static_cast<std::uint64_t>(v))); };
    }
  } else if constexpr (std::is_same_v<V, Variant>) {
    p->Kind = tkVariant;
    p->GetVar = g;
    if constexpr (writable) p->SetVar = Setter<V>(set);
  } else if constexpr (IsStdFunction<V>::value) {
    p->Kind = tkMethod;
    p->MethodType = &typeid(V);
    p->MethodAssigned = [g](TObject* o) { return static_cast<bool>(g(o)); };
    if constexpr (writable) {
      auto s = Setter<V>(set);
      p->SetMethod = [s](TObject* o, const std::any* h) {
        if (!h) {
          s(o, V());
          return;
        }
        const V* f = std::any_cast<V>(h);
        if (!f) throw EPropertyError("Invalid property value");
        s(o, *f);
      };
    }
  } else if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>) {
    using T = std::remove_pointer_t<V>;
    p->Kind = tkClass;
    p->PropClass = T::StaticClass();
    p->GetObj = [g](TObject* o) -> TObject* { return g(o); };
    if constexpr (writable) {
      auto s = Setter<V>(set);
      p->SetObj = [s](TObject* o, TObject* v) {
        T* t = dynamic_cast<T*>(v);
        if (v && !t) throw EPropertyError("Invalid property value");
        s(o, t);
      };
    }
  } else {
    static_assert(sizeof(V) == 0, "unsupported published property type");
  }
  return Insert(std::move(p));
}

// ---- access by name ----------------------------------------------------------------------------

const TPropInfo* GetPropInfo(const TObject* obj, const String& name);
const TPropInfo* GetPropInfo(TClass cls, const String& name);
std::vector<const TPropInfo*> GetPropList(const TObject* obj);
bool IsPublishedProp(const TObject* obj, const String& name);
bool IsStoredProp(TObject* obj, const TPropInfo* prop);
TTypeKind PropType(const TObject* obj, const String& name);

// Each raises EPropertyError ("Unknown property: '%s'", "Property %s is read-only",
// "Invalid property value") where the property is missing, read-only or of another kind.
std::int64_t GetOrdProp(TObject* obj, const String& name);
void SetOrdProp(TObject* obj, const String& name, std::int64_t value);
String GetEnumProp(TObject* obj, const String& name);
void SetEnumProp(TObject* obj, const String& name, const String& value);
String GetSetProp(TObject* obj, const String& name, bool brackets = false);
void SetSetProp(TObject* obj, const String& name, const String& value);
String GetStrProp(TObject* obj, const String& name);
void SetStrProp(TObject* obj, const String& name, const String& value);
double GetFloatProp(TObject* obj, const String& name);
void SetFloatProp(TObject* obj, const String& name, double value);
TObject* GetObjectProp(TObject* obj, const String& name);
void SetObjectProp(TObject* obj, const String& name, TObject* value);
Variant GetVariantProp(TObject* obj, const String& name);
void SetVariantProp(TObject* obj, const String& name, const Variant& value);
// Any kind as a Variant: enumerations as their names, sets as "[a,b]" text, objects not at all.
Variant GetPropValue(TObject* obj, const String& name);
void SetPropValue(TObject* obj, const String& name, const Variant& value);

// ---- class registry ---------------------------------------------------------------------------

// Classes the form reader may create by name. Registering another class under a taken name raises.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
void UnRegisterClasses(std::initializer_list<TClass> classes);
// Null when no class of that name is registered.
TClass GetClass(const String& name);
// Raises EClassNotFound ("Class %s not found").
TClass FindClass(const String& name);
// Class groups keep the design-time classes of a family together; at run time every group is
// searched.
void StartClassGroup(TClass groupRoot);
void GroupDescendentsWith(TClass cls, TClass ancestor);
TClass ClassGroupOf(TClass cls);

template <class... T>
void RegisterClassesOf() {
  (RegisterClass(T::StaticClass()), ...);
}
