#pragma once
// The root object and its class references.
//
// Every class of the library carries a metaclass (`TMetaClass`, referred to through `TClass`): its
// name, its parent's metaclass, a factory that runs the class's own constructor (the virtual
// constructor reached through a class reference) and, lazily, the table of its published
// properties. A class joins in with one line at the top of its body:
//
//   class TFoo : public TComponent {
//     VW_CLASS(TFoo, TComponent)
//    public:
//     explicit TFoo(TComponent* AOwner);
//     static void DeclareProperties(TPropTable& t);   // optional, see TypInfo.h
//   };
//
// The factory takes one argument: the owner for components, the collection for collection items,
// nothing for plain objects. A class that has no such constructor (or is abstract) has no factory;
// creating it through its class reference raises.
#include <functional>
#include <mutex>
#include <type_traits>

#include "platform/classes/SysUtils.h"

class TObject;
class TMetaClass;
class TPropTable;
using TClass = const TMetaClass*;

class TMetaClass {
 public:
  using Factory = TObject* (*)(TObject* arg);
  using Declarer = void (*)(TPropTable& table);

  TMetaClass(const char* name, TClass parent, Factory factory, Declarer declarer)
      : FName(name), FParent(parent), FFactory(factory), FDeclarer(declarer) {}
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;
  ~TMetaClass();

  String ClassName() const { return FName; }
  const char* Name() const { return FName; }
  TClass ClassParent() const { return FParent; }
  bool InheritsFrom(TClass ancestor) const {
    for (TClass c = this; c; c = c->FParent)
      if (c == ancestor) return true;
    return false;
  }
  bool ClassNameIs(const String& name) const;
  bool CanCreate() const { return FFactory != nullptr; }

  // Runs the class's own constructor. Raises when the class cannot be created that way.
  TObject* Create(TObject* arg = nullptr) const;

  // This class's published properties, its ancestors' first. Defined in TypInfo.cpp.
  const TPropTable& Properties() const;

 private:
  const char* FName;
  TClass FParent;
  Factory FFactory;
  Declarer FDeclarer;
  mutable std::once_flag FPropsOnce;
  mutable TPropTable* FProps = nullptr;
};

namespace classes_detail {

template <class T>
constexpr bool CanConstruct() {
  if constexpr (std::is_abstract_v<T>)
    return false;
  else if constexpr (requires { typename T::CreateArgType; })
    return std::is_constructible_v<T, typename T::CreateArgType*> || std::is_default_constructible_v<T>;
  else
    return std::is_default_constructible_v<T>;
}

template <class T>
TObject* Construct([[maybe_unused]] TObject* arg) {
  if constexpr (requires { typename T::CreateArgType; }) {
    using A = typename T::CreateArgType;
    if constexpr (std::is_constructible_v<T, A*>)
      return new T(dynamic_cast<A*>(arg));
    else
      return new T();
  } else {
    return new T();
  }
}

template <class T>
constexpr TMetaClass::Factory FactoryOf() {
  if constexpr (CanConstruct<T>())
    return &Construct<T>;
  else
    return nullptr;
}

template <class T, class P>
TMetaClass::Declarer DeclarerOf() {
  // A class that declares no properties of its own inherits its parent's table through the chain;
  // declaring the parent's again would list them twice.
  TMetaClass::Declarer own = &T::DeclareProperties;
  TMetaClass::Declarer parent = &P::DeclareProperties;
  return own == parent ? nullptr : own;
}

}  // namespace classes_detail

#define VW_CLASS(Self, Parent)                                                                        \
 public:                                                                                             \
  using inherited = Parent;                                                                          \
  static TClass StaticClass() {                                                                      \
    static const TMetaClass meta(#Self, Parent::StaticClass(), classes_detail::FactoryOf<Self>(),     \
                                 classes_detail::DeclarerOf<Self, Parent>());                        \
    return &meta;                                                                                    \
  }                                                                                                  \
  TClass ClassType() const override { return StaticClass(); }                                       \
                                                                                                     \
 private:

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static TClass StaticClass();
  static void DeclareProperties(TPropTable&) {}
  virtual TClass ClassType() const { return StaticClass(); }

  String ClassName() const { return ClassType()->ClassName(); }
  TClass ClassParent() const { return ClassType()->ClassParent(); }
  bool InheritsFrom(TClass c) const { return ClassType()->InheritsFrom(c); }
  bool ClassNameIs(const String& name) const { return ClassType()->ClassNameIs(name); }

  // `obj is T`
  template <class T>
  bool Is() const {
    return dynamic_cast<const T*>(this) != nullptr;
  }
  // `obj as T`: raises the invalid typecast error instead of yielding null.
  template <class T>
  T* As() {
    if (auto* p = dynamic_cast<T*>(this)) return p;
    RaiseInvalidCast();
  }

  // Runs after construction and before destruction through `Free`, as hooks for classes that must
  // act once their most-derived constructor has finished.
  virtual void AfterConstruction() {}
  virtual void BeforeDestruction() {}

  // Destroys the object; safe on null.
  static void Free(TObject* obj) {
    if (obj) {
      obj->BeforeDestruction();
      delete obj;
    }
  }

 protected:
  [[noreturn]] static void RaiseInvalidCast();
};

inline TClass TObject::StaticClass() {
  static const TMetaClass meta("TObject", nullptr, classes_detail::FactoryOf<TObject>(), nullptr);
  return &meta;
}

// The common event: who sent it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

template <class T>
TClass ClassOf() {
  return T::StaticClass();
}

// Releases and clears a pointer in one step, so it never dangles.
template <class T>
void FreeAndNil(T*& obj) {
  T* p = obj;
  obj = nullptr;
  TObject::Free(p);
}
