#pragma once
// The accessible faces of item controls until the accessibility helpers stand: each knows its
// control and forgets it when the control goes. Each kind of control names its own class.
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarLookups.h"

class TdxBarItemControlAccessibilityHelper : public TcxIUnknownObject, public IcxAccessibilityHelper {
  VW_CLASS(TdxBarItemControlAccessibilityHelper, TcxIUnknownObject)
 public:
  using CreateArgType = TdxBarItemControl;
  explicit TdxBarItemControlAccessibilityHelper(TdxBarItemControl* AOwner) : FOwner(AOwner) {}
  TObject* HelperObject() override { return this; }
  void OwnerGone() override { FOwner = nullptr; }
  TdxBarItemControl* OwnerControl() const { return FOwner; }

 private:
  TdxBarItemControl* FOwner;
};

#define VW_BAR_HELPER_STUB(Self, Parent) \
  class Self : public Parent {           \
    VW_CLASS(Self, Parent)               \
   public:                               \
    using Parent::Parent;                \
  };
VW_BAR_HELPER_STUB(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
VW_BAR_HELPER_STUB(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
VW_BAR_HELPER_STUB(TdxBarSubItemControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
#undef VW_BAR_HELPER_STUB
