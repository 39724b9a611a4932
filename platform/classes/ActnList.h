#pragma once
// Actions: a command with its caption, state and handler kept in one place, executed by the
// controls and menu items linked to it, and listed in an action list.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/classes/Component.h"

class TBasicAction;
class TCustomActionList;

using TShortCut = std::uint16_t;
using TImageIndex = int;
using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

// The tie between an action and one client (a control, a menu item). The client's class of link
// decides which of the action's properties the client follows.
class TBasicActionLink : public TObject {
  VW_CLASS(TBasicActionLink, TObject)
 public:
  explicit TBasicActionLink(TObject* AClient);
  ~TBasicActionLink() override;

  TBasicAction* Action() const { return FAction; }
  virtual void SetAction(TBasicAction* Value);
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();

  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void AssignClient(TObject*) {}
  virtual void Change();
  virtual bool IsOnExecuteLinked() { return true; }
  virtual void SetOnExecute(const TNotifyEvent&) {}

  TBasicAction* FAction = nullptr;
};

class TBasicAction : public TComponent {
  VW_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  static void DeclareProperties(TPropTable& t);

  // Runs OnExecute; true when there was a handler.
  virtual bool Execute();
  // Runs OnUpdate; true when there was a handler.
  virtual bool Update();
  virtual bool HandlesTarget(TObject*) { return false; }
  virtual void ExecuteTarget(TObject*) {}
  virtual void UpdateTarget(TObject*) {}
  // The component that triggered the running Execute.
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value);

  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);
  const std::vector<TBasicActionLink*>& Clients() const { return FClients; }

  const TNotifyEvent& OnExecute() const { return FOnExecute; }
  // The links hear of the new handler before the action takes it, as with every property.
  virtual void SetOnExecute(TNotifyEvent Value);
  // Counts the handlers OnExecute has had, so clients that copied it can tell whether theirs is
  // still the same one (handlers themselves cannot be compared).
  std::uint32_t OnExecuteVersion() const { return FOnExecuteVersion; }
  TNotifyEvent OnUpdate;

 protected:
  virtual void Change();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent FOnExecute;
  TNotifyEvent OnChange;
  std::vector<TBasicActionLink*> FClients;

 private:
  TComponent* FActionComponent = nullptr;
  std::uint32_t FOnExecuteVersion = 0;
};

// An action that lives in an action list.
class TContainedAction : public TBasicAction {
  VW_CLASS(TContainedAction, TBasicAction)
 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  static void DeclareProperties(TPropTable& t);

  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  const String& Category() const { return FCategory; }
  void SetCategory(const String& Value);
  int Index() const;
  void SetIndex(int Value);

  // The list asks first; then the application (through the hook) gets its turn.
  bool Execute() override;
  bool Update() override;

  TComponent* GetParentComponent() override;
  bool HasParent() override { return FActionList != nullptr; }
  void SetParentComponent(TComponent* AParent) override;

 protected:
  // An action read from a description joins the list it was written under.
  void ReadState(TReader* Reader) override;
  TCustomActionList* FActionList = nullptr;

 private:
  friend class TCustomActionList;
  String FCategory;
};

class TCustomAction : public TContainedAction {
  VW_CLASS(TCustomAction, TContainedAction)
 public:
  explicit TCustomAction(TComponent* AOwner);

  static void DeclareProperties(TPropTable& t);

  bool Execute() override;
  // Disables the action when nothing handles it and DisableIfNoHandler is set.
  bool Update() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TImageIndex ImageIndex() const { return FImageIndex; }
  void SetImageIndex(TImageIndex Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool DisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool Value) { FDisableIfNoHandler = Value; }

  // A hint of the action is about to show: OnHint may change the text or refuse it (false).
  virtual bool DoHint(String& HintStr);
  std::function<void(String& HintStr, bool& CanShow)> OnHint;

 private:
  template <class F>
  void ForEachLink(F f);

  String FCaption;
  String FHint;
  TImageIndex FImageIndex = -1;
  int FHelpContext = 0;
  int FGroupIndex = 0;
  TShortCut FShortCut = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FAutoCheck = false;
  bool FDisableIfNoHandler = false;
  bool FChecking = false;
};

class TAction : public TCustomAction {
  VW_CLASS(TAction, TCustomAction)
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) { SetDisableIfNoHandler(true); }
};

// Carries the hint of the control under the mouse to whoever shows hints (a status bar).
class THintAction : public TCustomAction {
  VW_CLASS(THintAction, TCustomAction)
 public:
  explicit THintAction(TComponent* AOwner) : TCustomAction(AOwner) { SetDisableIfNoHandler(false); }
};

// The link a client that follows an action's properties keeps: each Set* is called when the action
// changes that property and the client takes it (Is*Linked).
class TActionLink : public TBasicActionLink {
  VW_CLASS(TActionLink, TBasicActionLink)
 public:
  using TBasicActionLink::TBasicActionLink;

  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual bool IsHelpContextLinked();
  virtual bool IsHintLinked();
  virtual bool IsImageIndexLinked();
  virtual bool IsShortCutLinked();
  virtual bool IsVisibleLinked();
  virtual bool IsAutoCheckLinked();

  virtual void SetAutoCheck(bool) {}
  virtual void SetCaption(const String&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetGroupIndex(int) {}
  virtual void SetHelpContext(int) {}
  virtual void SetHint(const String&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetShortCut(TShortCut) {}
  virtual void SetVisible(bool) {}

 protected:
  TCustomAction* CustomAction() const;
};

VW_ENUM(TActionListState, asNormal, asSuspended, asSuspendedEnabled)

class TCustomActionList : public TComponent {
  VW_CLASS(TCustomActionList, TComponent)
 public:
  explicit TCustomActionList(TComponent* AOwner);
  ~TCustomActionList() override;

  static void DeclareProperties(TPropTable& t);

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int Index) const;
  int IndexOfAction(const TContainedAction* Action) const;
  // The list's OnExecute (or OnUpdate) sees an action first and may mark it handled.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Executes the enabled action of that shortcut; true when one was found.
  bool IsShortCut(TShortCut ShortCut);

  TComponent* Images() const { return FImages; }
  void SetImages(TComponent* Value);
  TActionListState State() const { return FState; }
  void SetState(TActionListState Value);

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetChildOrder(TComponent* Component, int Order) override;

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> FActions;
  TComponent* FImages = nullptr;
  TActionListState FState = asNormal;
};

class TActionList : public TCustomActionList {
  VW_CLASS(TActionList, TCustomActionList)
 public:
  explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};

// Lets the application take its turn at executing and updating actions no list handled (it
// passes them to the active form's controls).
using TActionHook = bool (*)(TBasicAction* Action);
void SetActionExecuteHook(TActionHook Hook);
void SetActionUpdateHook(TActionHook Hook);
