#pragma once
// The component base of the library, and a component that relays free notifications.
#include <functional>

#include "platform/classes/Component.h"
#include "platform/classes/Lists.h"

// Publishes three links that exist only for the form designer: they show the components this one
// refers to (CollectLinkedComponents), so the designer keeps them together. Links held through
// object links read null once a TcxComponent is destroyed.
class TcxComponent : public TComponent {
  VW_CLASS(TcxComponent, TComponent)
 public:
  static constexpr int FakeComponentLinkCount = 3;

  explicit TcxComponent(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxComponent() override;

  static void DeclareProperties(TPropTable& t);

  // Marks the component as being destroyed before any destructor runs, so that descendants see
  // the flag for the whole destruction.
  void BeforeDestruction() override;

  TComponent* FakeComponentLink1() const { return FFakeLinks[0]; }
  void SetFakeComponentLink1(TComponent* v) { SetFakeLink(0, v); }
  TComponent* FakeComponentLink2() const { return FFakeLinks[1]; }
  void SetFakeComponentLink2(TComponent* v) { SetFakeLink(1, v); }
  TComponent* FakeComponentLink3() const { return FFakeLinks[2]; }
  void SetFakeComponentLink3(TComponent* v) { SetFakeLink(2, v); }

 protected:
  // Adds the components this one refers to.
  virtual void CollectLinkedComponents(TList* /*List*/) {}
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Only at design time, while not being destroyed and when owned.
  void RefreshFakeLinks();

 private:
  void SetFakeLink(int Index, TComponent* Value);

  TComponent* FFakeLinks[FakeComponentLinkCount] = {};
};

using TcxFreeNotificationEvent = std::function<void(TComponent* Component)>;

class TcxFreeNotificator : public TComponent {
  VW_CLASS(TcxFreeNotificator, TComponent)
 public:
  explicit TcxFreeNotificator(TComponent* AOwner) : TComponent(AOwner) {}

  // Both ignore null.
  void WatchComponent(TComponent* Component);
  void UnwatchComponent(TComponent* Component);

  TcxFreeNotificationEvent OnFreeNotification;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};
