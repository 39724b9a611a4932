#pragma once
// Components: named objects owned by another component (a form owns its controls), destroyed with
// their owner in reverse order of creation, told when a component they refer to goes away, and
// built by the form reader.
#include <any>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"

class TReader;
class TWriter;
class TComponent;

VW_ENUM(TComponentStateItem, csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
        csFixups, csFreeNotification, csInline, csDesignInstance)
using TComponentState = TSet<TComponentStateItem>;

VW_ENUM(TComponentStyleItem, csInheritable, csCheckPropAvail, csSubComponent, csTransient)
using TComponentStyle = TSet<TComponentStyleItem>;

VW_ENUM(TOperation, opInsert, opRemove)

using TGetChildProc = std::function<void(TComponent* Child)>;

class TComponent : public TPersistent {
  VW_CLASS(TComponent, TPersistent)
 public:
  using CreateArgType = TComponent;

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  static void DeclareProperties(TPropTable& t);

  // Creates a component of the class reference's own class, owned by AOwner.
  static TComponent* Create(TClass cls, TComponent* AOwner);

  void BeforeDestruction() override;
  // Marks this component and everything it owns as being destroyed.
  void Destroying();
  void DestroyComponents();

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int value);
  // The owned component of that name (without regard to case), or null.
  TComponent* FindComponent(const String& AName) const;
  // Points Field at the owned component of that name when it is a T, else at nothing: how a form
  // binds its fields to the components its description made.
  template <class T>
  void FindComponent(T*& Field, const String& AName) const {
    Field = dynamic_cast<T*>(FindComponent(AName));
  }
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  const String& Name() const { return FName; }
  virtual void SetName(const String& NewName);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t v) { FTag = v; }
  // Design-time position of a non-visual component: left in the low word, top in the high word.
  std::int32_t DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(std::int32_t v) { FDesignInfo = v; }

  TComponentState ComponentState() const { return FComponentState; }
  TComponentStyle ComponentStyle() const { return FComponentStyle; }
  bool HasState(TComponentStateItem s) const { return FComponentState.Contains(s); }

  // Asks to be told (Notification opRemove) when AComponent is destroyed; mutual, so neither side
  // is left holding a dangling reference.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  void SetSubComponent(bool IsSubComponent);
  virtual TComponent* GetParentComponent() { return nullptr; }
  virtual bool HasParent() { return false; }
  virtual void SetParentComponent(TComponent*) {}
  void SetDesigning(bool Value, bool SetChildren = true);
  void SetInline(bool Value);
  void SetDesignInstance(bool Value);

  // Loading protocol, driven by the reader.
  virtual void ReadState(TReader* Reader);
  virtual void WriteState(TWriter* Writer);
  // Children the writer writes under this component, for the given root.
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root);
  virtual void SetChildOrder(TComponent* Child, int Order);
  // Where the reader puts the children read under this component: their owner (null: the root)
  // and their parent.
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual void Updating();
  virtual void Updated();

  String GetNamePath() override;

  // Per-form handler registry: a form registers its event handlers by name, the reader binds the
  // events of the form's components to them.
  template <class Sig>
  void RegisterHandler(const String& HandlerName, std::function<Sig> Handler) {
    AddHandler(HandlerName, std::any(std::move(Handler)));
  }
  template <class C, class R, class... A>
  void RegisterHandler(const String& HandlerName, R (C::*Method)(A...)) {
    C* self = static_cast<C*>(this);
    RegisterHandler<R(A...)>(HandlerName, std::function<R(A...)>([self, Method](A... args) {
                               return (self->*Method)(std::forward<A>(args)...);
                             }));
  }
  // The handler registered under that name, or null.
  const std::any* MethodAddress(const String& HandlerName) const;

 protected:
  virtual void Loaded();
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  virtual void ValidateContainer(TComponent* AComponent);
  virtual void ValidateInsert(TComponent*) {}
  void ChangeName(const String& NewName);
  void DefineProperties(TFiler* Filer) override;
  TPersistent* GetOwner() override { return FOwner; }
  void SetAncestor(bool Value);
  // Called with Enable false before a rename and true after: the owner's field of that name.
  virtual void SetReference(bool) {}
  void IncludeState(TComponentStateItem s) { FComponentState.Include(s); }
  void ExcludeState(TComponentStateItem s) { FComponentState.Exclude(s); }
  void IncludeStyle(TComponentStyleItem s) { FComponentStyle.Include(s); }

  TComponentState FComponentState;
  TComponentStyle FComponentStyle{csInheritable};

 private:
  friend class TReader;
  friend class TWriter;
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  void RemoveFreeNotifications();
  void AddHandler(const String& name, std::any handler);

  TComponent* FOwner = nullptr;
  String FName;
  std::intptr_t FTag = 0;
  std::int32_t FDesignInfo = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::unique_ptr<std::vector<std::pair<String, std::any>>> FHandlers;
  // Set by the reader around the construction of a component it creates, so that the component
  // is loading from its very first constructor on.
  static thread_local bool FConstructingForReader;
};

// A name the platform accepts for a component: a letter or '_' and then letters, digits and '_'.
bool IsValidIdent(const String& Ident);

// Components known by name to the whole program (the application's forms), for references that
// name another form: each unit that keeps such components registers a way to find them.
using TFindGlobalComponent = TComponent* (*)(const String& Name);
void RegisterFindGlobalComponentProc(TFindGlobalComponent Proc);
void UnregisterFindGlobalComponentProc(TFindGlobalComponent Proc);
// The first registered way that finds the name answers; nil when none does.
TComponent* FindGlobalComponent(const String& Name);
