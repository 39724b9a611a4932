#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/TypInfo.h"
#include "ui/choice/GroupItems.h"

namespace {

// What the group hears: a single item (with its index and operation) or the list as a whole.
struct Notice {
  bool single;
  int index;
  TcxButtonGroupItemOperation operation;
  int count;
  friend bool operator==(const Notice&, const Notice&) = default;
};

struct GroupItemsFixture : ::testing::Test {
  GroupItemsFixture() {
    properties->OnPropertiesChanged = [this](TObject*) {
      notices.push_back({items->IsNotifying(), items->ChangedItemIndex(), items->ChangedItemOperation(),
                         items->Count()});
    };
  }
  std::vector<Notice> SingleNotices() const {
    std::vector<Notice> result;
    for (const Notice& n : notices)
      if (n.single) result.push_back(n);
    return result;
  }

  std::unique_ptr<TcxCustomEditProperties> properties = std::make_unique<TcxCustomEditProperties>(nullptr);
  std::unique_ptr<TcxRadioGroupItems> items = std::make_unique<TcxRadioGroupItems>(properties.get());
  std::vector<Notice> notices;
};

TEST_F(GroupItemsFixture, AddedDeletedAndEnabledItemsReportThemselvesAlone) {
  items->Add();
  auto* second = static_cast<TcxRadioGroupItem*>(items->Add());
  EXPECT_TRUE(second->Enabled());
  // Each arrival is told as that one item, with the item already counted, before the list as a whole.
  EXPECT_EQ(SingleNotices(), (std::vector<Notice>{{true, 0, bgioAdded, 1}, {true, 1, bgioAdded, 2}}));
  EXPECT_FALSE(notices.back().single);
  EXPECT_FALSE(items->IsNotifying());

  notices.clear();
  second->SetEnabled(false);
  second->SetEnabled(false);
  EXPECT_EQ(notices, (std::vector<Notice>{{true, 1, bgioChanged, 2}}));

  // A caption change is a change of the list: the item is recorded, but not told alone.
  notices.clear();
  second->SetCaption("Matrix");
  ASSERT_FALSE(notices.empty());
  EXPECT_TRUE(SingleNotices().empty());
  EXPECT_EQ(items->ChangedItemIndex(), 1);
  EXPECT_EQ(items->ChangedItemOperation(), bgioChanged);

  notices.clear();
  items->Delete(0);
  // The departure is told with the index it had, while it still counts.
  EXPECT_EQ(SingleNotices(), (std::vector<Notice>{{true, 0, bgioDeleted, 2}}));
  EXPECT_EQ(items->Count(), 1);
  EXPECT_EQ(items->RadioItemAt(0), second);
}

TEST_F(GroupItemsFixture, NothingIsToldWhileThePropertiesAreLockedOrTheListIsFreed) {
  properties->LockUpdate();
  items->Add();
  items->Add();
  static_cast<TcxButtonGroupItem*>(items->Items(0))->SetEnabled(false);
  EXPECT_TRUE(notices.empty());
  properties->UnlockUpdate();
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_FALSE(notices[0].single);

  notices.clear();
  items.reset();
  EXPECT_TRUE(notices.empty());
}

TEST_F(GroupItemsFixture, AssignCopiesEnabledCaptionTagAndValue) {
  auto* source = static_cast<TcxRadioGroupItem*>(items->Add());
  source->SetCaption("屏幕优先");
  source->SetTag(3);
  source->SetEnabled(false);
  source->SetValue(Variant(7));
  auto* target = static_cast<TcxRadioGroupItem*>(items->Add());
  target->Assign(source);
  EXPECT_FALSE(target->Enabled());
  EXPECT_EQ(target->Caption(), "屏幕优先");
  EXPECT_EQ(target->Tag(), 3);
  EXPECT_EQ(VarToStr(target->Value()), "7");
}

TEST_F(GroupItemsFixture, ValuesAreComparedByTypeAndStoredWhenNotNull) {
  auto* item = static_cast<TcxRadioGroupItem*>(items->Add());
  const TPropInfo* value = GetPropInfo(item, "Value");
  ASSERT_NE(value, nullptr);
  EXPECT_FALSE(IsStoredProp(item, value));
  notices.clear();
  item->SetValue(Variant::Null());
  EXPECT_TRUE(notices.empty());
  item->SetValue(Variant(1));
  item->SetValue(Variant(1));
  EXPECT_EQ(notices.size(), 1u);
  // Another type is a change even when it reads the same.
  item->SetValue(Variant(String("1")));
  EXPECT_EQ(notices.size(), 2u);
  EXPECT_TRUE(IsStoredProp(item, value));
}

TEST_F(GroupItemsFixture, IndexOfValue) {
  auto add = [this](const String& Caption, const Variant& Value) {
    auto* item = static_cast<TcxRadioGroupItem*>(items->Add());
    item->SetCaption(Caption);
    item->SetValue(Value);
  };
  add("", Variant::Null());
  add("Screen", Variant::Null());
  add("Screen", Variant::Null());
  add("Matrix", Variant(5));
  add("5", Variant::Null());
  EXPECT_EQ(items->IndexOfValue(Variant::Null()), 0);  // Null reads as the empty text
  EXPECT_EQ(items->IndexOfValue(Variant(String("Screen"))), 1);  // the first of equal captions
  EXPECT_EQ(items->IndexOfValue(Variant(String("screen"))), -1);  // captions compare exactly
  EXPECT_EQ(items->IndexOfValue(Variant(5)), 3);
  EXPECT_EQ(items->IndexOfValue(Variant(String("5"))), 3);  // loosely equal to the value 5
  EXPECT_EQ(items->IndexOfValue(Variant(String("Matrix"))), -1);  // a caption counts only without a value
  EXPECT_EQ(items->IndexOfValue(Variant(6)), -1);
}

}  // namespace
