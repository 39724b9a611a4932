#include <gtest/gtest.h>

#include "platform/classes/ActnList.h"

namespace {

TEST(Actions, ListSeesExecutionFirstAndCanHandleIt) {
  TComponent form(nullptr);
  TActionList list(&form);
  auto* a = new TAction(&form);
  a->SetActionList(&list);
  EXPECT_EQ(list.ActionCount(), 1);
  EXPECT_EQ(a->Index(), 0);
  int own = 0, seen = 0;
  a->SetOnExecute([&](TObject*) { ++own; });
  list.OnExecute = [&](TBasicAction* act, bool& handled) {
    EXPECT_EQ(act, a);
    ++seen;
    handled = seen == 1;
  };
  EXPECT_TRUE(a->Execute());
  EXPECT_EQ(own, 0);
  EXPECT_TRUE(a->Execute());
  EXPECT_EQ(own, 1);
  delete a;
  EXPECT_EQ(list.ActionCount(), 0);
}

TEST(Actions, DisabledWithoutHandlerAndGroupsAndAutoCheck) {
  TComponent form(nullptr);
  TActionList list(&form);
  auto* a = new TAction(&form);
  auto* b = new TAction(&form);
  a->SetActionList(&list);
  b->SetActionList(&list);
  // A TAction without a handler disables itself when it is updated, and does not run.
  EXPECT_FALSE(a->Execute());
  EXPECT_FALSE(a->Enabled());
  int runs = 0;
  a->SetOnExecute([&](TObject*) { ++runs; });
  a->SetAutoCheck(true);
  a->SetGroupIndex(3);
  b->SetGroupIndex(3);
  b->SetChecked(true);
  EXPECT_TRUE(a->Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  // Shortcuts reach the enabled action of that shortcut; a suspended list runs nothing.
  a->SetShortCut(0x4000 | 'K');
  EXPECT_TRUE(list.IsShortCut(0x4000 | 'K'));
  EXPECT_EQ(runs, 2);
  EXPECT_FALSE(list.IsShortCut(0x4000 | 'J'));
  list.SetState(asSuspended);
  EXPECT_FALSE(list.IsShortCut(0x4000 | 'K'));
  EXPECT_EQ(runs, 2);
}

TEST(Actions, LinksHearOfChangesAndOfTheActionGoingAway) {
  struct Link : TActionLink {
    using TActionLink::TActionLink;
    String caption;
    void SetCaption(const String& v) override { caption = v; }
  };
  auto* a = new TAction(nullptr);
  Link link(nullptr);
  link.SetAction(a);
  a->SetCaption("Go");
  EXPECT_EQ(link.caption, "Go");
  THintAction hint(nullptr);
  EXPECT_FALSE(hint.DisableIfNoHandler());
  delete a;
  EXPECT_EQ(link.Action(), nullptr);
}

}  // namespace
