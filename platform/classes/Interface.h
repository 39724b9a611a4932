#pragma once
// Interfaces. An interface is an abstract class deriving (virtually) from IInterface; an object
// implements it by inheriting it. Lifetimes stay with the objects' owners: the library's classes
// implement interfaces without reference counting, so an interface reference is a plain pointer.
#include <atomic>

#include "platform/classes/Object.h"

class IInterface {
 public:
  virtual ~IInterface() = default;
};

// Asks an object or an interface for another interface it implements.
template <class I, class T>
bool Supports(T* Instance, I** Intf = nullptr) {
  I* p = Instance ? dynamic_cast<I*>(Instance) : nullptr;
  if (Intf) *Intf = p;
  return p != nullptr;
}

// An object that implements interfaces. Owners keep most of them; an object handed out through
// counted interfaces (the platform's component-object ones) is counted instead, from 0 at
// construction: each holder adds a reference and releases it, and the last release frees the
// object.
class TInterfacedObject : public TObject, public virtual IInterface {
  VW_CLASS(TInterfacedObject, TObject)
 public:
  TInterfacedObject() = default;
  int RefCount() const { return FRefCount.load(); }
  int _AddRef() { return ++FRefCount; }
  int _Release() {
    int left = --FRefCount;
    if (left == 0) delete this;
    return left;
  }

 protected:
  std::atomic<int> FRefCount{0};
};
