#pragma once
// Objects that can copy themselves from one another and take part in streaming.
#include <memory>
#include <utility>
#include <vector>

#include "platform/classes/Interface.h"
#include "platform/classes/Object.h"

class TFiler;

class TPersistent : public TObject {
  VW_CLASS(TPersistent, TObject)
 public:
  TPersistent() = default;
  ~TPersistent() override = default;

  // Copies Source into this object. A class that knows how to take Source overrides Assign; else
  // Source is asked to copy itself out (AssignTo); else the copy fails with a conversion error.
  virtual void Assign(TPersistent* Source);
  // The path the object editor and the writer show for this object ("Form1.Button1.Font").
  virtual String GetNamePath();

  // The handler name an event was bound to when the object was read, so that writing the object
  // again names the same handler. Empty when the event was never bound by name.
  String EventHandlerName(const String& Event) const;
  void SetEventHandlerName(const String& Event, const String& Handler);

  // The owner an object names for streaming and naming (the protected GetOwner), for library code
  // that walks up from any persistent object.
  static TPersistent* OwnerOf(TPersistent* Persistent) { return Persistent ? Persistent->GetOwner() : nullptr; }

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Non-published data the object streams itself (TFiler::DefineProperty).
  virtual void DefineProperties(TFiler* Filer);
  virtual TPersistent* GetOwner() { return nullptr; }
  [[noreturn]] void AssignError(TPersistent* Source);

 private:
  std::unique_ptr<std::vector<std::pair<String, String>>> FEventHandlers;

  friend class TFiler;
  friend class TReader;
  friend class TWriter;
};

// A persistent object that implements interfaces; its lifetime stays with its owner, and interface
// questions about the object's identity go to the owner's interface when there is one.
class TInterfacedPersistent : public TPersistent, public virtual IInterface {
  VW_CLASS(TInterfacedPersistent, TPersistent)
 public:
  TInterfacedPersistent() = default;
  // Asked each time: the owner is known only once the most-derived constructor has run.
  IInterface* OwnerInterface() { return dynamic_cast<IInterface*>(GetOwner()); }
};
