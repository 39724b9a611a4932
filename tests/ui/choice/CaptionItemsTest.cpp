#include <gtest/gtest.h>

#include <vector>

#include "platform/classes/TypInfo.h"
#include "ui/choice/CaptionItems.h"

namespace {

// The caption item publishes nothing; its descendants publish Caption and Tag through this call.
class TPublishedCaptionItem : public TcxCaptionItem {
  VW_CLASS(TPublishedCaptionItem, TcxCaptionItem)
 public:
  explicit TPublishedCaptionItem(TCollection* Collection) : TcxCaptionItem(Collection) {}
  static void DeclareProperties(TPropTable& t) { DeclareCaptionAndTag(t); }
};

struct CaptionItemsFixture : ::testing::Test {
  CaptionItemsFixture() {
    items.OnChange = [this](TObject*, TCollectionItem* Item) { notices.push_back(Item); };
  }
  TcxCaptionItem* Add(const String& Caption) {
    auto* item = static_cast<TcxCaptionItem*>(items.Add());
    item->SetCaption(Caption);
    return item;
  }
  std::vector<String> Captions() {
    std::vector<String> result;
    for (int i = 0; i < items.GetCount(); ++i) result.push_back(items.GetCaption(i));
    return result;
  }

  TcxCaptionItems items{nullptr, TPublishedCaptionItem::StaticClass()};
  std::vector<TCollectionItem*> notices;
};

TEST_F(CaptionItemsFixture, OnlyARealChangeOfTheCaptionIsReported) {
  TcxCaptionItem* item = Add("Screen");
  notices.clear();
  item->SetCaption("Matrix");
  item->SetCaption("Matrix");
  EXPECT_EQ(notices, std::vector<TCollectionItem*>{item});
  // A change of letter case is a change, although the sort ranks both spellings alike.
  item->SetCaption("MATRIX");
  EXPECT_EQ(notices.size(), 2u);
  EXPECT_EQ(item->Caption(), "MATRIX");
  item->SetTag(7);
  EXPECT_EQ(notices.size(), 2u);
}

TEST_F(CaptionItemsFixture, ASortedCollectionMovesARenamedItemAtOnce) {
  TcxCaptionItem* b = Add("beta");
  Add("Alpha");
  TcxCaptionItem* g = Add("gamma");
  EXPECT_EQ(Captions(), (std::vector<String>{"beta", "Alpha", "gamma"}));
  g->SetCaption("Aardvark");  // unsorted: keeps its place
  EXPECT_EQ(g->Index(), 2);

  items.SetSorted(true);
  notices.clear();
  b->SetCaption("ZETA");
  EXPECT_EQ(Captions(), (std::vector<String>{"Aardvark", "Alpha", "ZETA"}));
  // The re-sort reports the collection as a whole, never the item alone.
  ASSERT_FALSE(notices.empty());
  for (TCollectionItem* notice : notices) EXPECT_EQ(notice, nullptr);

  // Inside an update the sort waits for its end.
  items.BeginUpdate();
  b->SetCaption("a");
  EXPECT_EQ(b->Index(), 2);
  items.EndUpdate();
  EXPECT_EQ(b->Index(), 0);
}

TEST_F(CaptionItemsFixture, SortingComparesCaseInsensitivelyAndByCodePointBeyondAscii) {
  items.SetSorted(true);
  Add("矩阵优先");
  Add("b");
  Add("屏幕优先");
  Add("A");
  EXPECT_EQ(Captions(), (std::vector<String>{"A", "b", "屏幕优先", "矩阵优先"}));
}

TEST_F(CaptionItemsFixture, AssignCopiesCaptionAndTagAndRefusesOtherSources) {
  TcxCaptionItem* source = Add("Source");
  source->SetTag(42);
  TcxCaptionItem* target = Add("Target");
  notices.clear();
  target->Assign(source);
  EXPECT_EQ(target->Caption(), "Source");
  EXPECT_EQ(target->Tag(), 42);
  EXPECT_EQ(notices, std::vector<TCollectionItem*>{target});

  TcxCaptionItems other(nullptr, TcxCaptionItem::StaticClass());
  EXPECT_THROW(target->Assign(&other), EConvertError);
  EXPECT_EQ(target->Caption(), "Source");
  EXPECT_THROW(items.Items(5), EListError);
}

TEST_F(CaptionItemsFixture, ATagOfZeroIsNotStored) {
  TcxCaptionItem* item = Add("");
  const TPropInfo* tag = GetPropInfo(item, "Tag");
  ASSERT_NE(tag, nullptr);
  EXPECT_FALSE(IsStoredProp(item, tag));
  item->SetTag(-1);
  EXPECT_TRUE(IsStoredProp(item, tag));
  EXPECT_TRUE(IsStoredProp(item, GetPropInfo(item, "Caption")));
}

}  // namespace
