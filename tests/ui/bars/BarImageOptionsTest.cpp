// The manager's image options: glyph sizes, which setter tells whom, freed lists, assignment and
// what a form description keeps.
#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "tests/ui/bars/BarItemFixture.h"

namespace {

class BarImageOptionsTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = new TdxBarManager(Form);
    M->SetName("dxBarManager1");
    O = M->ImageOptions();
  }
  // Replaces the manager's handlers by counters for the test.
  void Count() {
    O->OnChanged = [this](TObject*) { ++Changed; };
    O->OnLargeIconsChanged = [this](TObject*) { ++LargeIconsChanged; };
    O->OnImageListChanged = [this](TCustomImageList*) { ++ListsChanged; };
  }
  TdxBarManager* M = nullptr;
  TdxBarImageOptions* O = nullptr;
  int Changed = 0, LargeIconsChanged = 0, ListsChanged = 0;
};

TEST_F(BarImageOptionsTest, DefaultsAndGlyphSizes) {
  EXPECT_TRUE(O->CacheGlyphs());
  EXPECT_TRUE(O->StretchGlyphs());
  EXPECT_FALSE(O->SmoothGlyphs());
  EXPECT_EQ(O->ImageListBkColor(), clFuchsia);
  EXPECT_TRUE(O->UseLeftBottomPixelAsTransparent());
  EXPECT_EQ(O->GlyphSize(), 16);

  TCustomImageList large(Form, 24, 24);
  O->SetLargeIcons(true);
  EXPECT_EQ(O->GlyphSize(), 32) << "no large list";
  O->SetLargeImages(&large);
  EXPECT_EQ(O->GlyphSize(), 32) << "the large list is not used for large icons";
  O->SetUseLargeImagesForLargeIcons(true);
  EXPECT_TRUE(O->UsesLargeImages());
  EXPECT_EQ(O->GlyphSize(), 24);
  O->SetLargeIcons(false);
  EXPECT_EQ(O->GlyphSize(), 16);
  O->SetLargeImages(nullptr);
}

TEST_F(BarImageOptionsTest, WhichSetterTellsWhom) {
  Count();
  TCustomImageList list(Form, 16, 16);
  O->SetLargeImages(&list);
  EXPECT_EQ(LargeIconsChanged, 0) << "without large icons in use";
  ListsChanged = 0;
  O->SetLargeImages(&list);
  EXPECT_EQ(ListsChanged + LargeIconsChanged + Changed, 0) << "its own value fires nothing";
  O->SetLargeIcons(true);
  EXPECT_EQ(LargeIconsChanged, 1);
  O->SetUseLargeImagesForLargeIcons(true);
  EXPECT_EQ(Changed, 1);
  O->SetLargeImages(nullptr);
  EXPECT_EQ(LargeIconsChanged, 2) << "large icons use the list";
  O->SetImageListBkColor(clRed);
  O->SetMakeDisabledImagesFaded(true);
  O->SetUseLeftBottomPixelAsTransparent(false);
  EXPECT_EQ(Changed, 4);
  O->SetCacheGlyphs(false);
  O->SetSmoothGlyphs(true);
  O->SetStretchGlyphs(false);
  EXPECT_EQ(Changed, 4) << "stored silently";
  O->OnChanged = nullptr;
  O->OnLargeIconsChanged = nullptr;
  O->OnImageListChanged = nullptr;
}

TEST_F(BarImageOptionsTest, AFreedListLeavesEverySlot) {
  auto* list = new TCustomImageList(Form, 16, 16);
  auto* other = new TCustomImageList(Form, 16, 16);
  O->SetImages(list);
  O->SetHotImages(list);
  O->SetDisabledImages(other);
  O->SetHotImages(other);  // leaving one slot keeps the watch for the other
  O->SetHotImages(list);
  delete list;
  EXPECT_EQ(O->Images(), nullptr);
  EXPECT_EQ(O->HotImages(), nullptr);
  EXPECT_EQ(O->DisabledImages(), other);
  delete other;
  EXPECT_EQ(O->DisabledImages(), nullptr);
}

TEST_F(BarImageOptionsTest, AssignLeavesCacheGlyphsAndTheFormKeepsOnlyChangedValues) {
  TdxBarImageOptions source(M);
  TCustomImageList list(Form, 16, 16);
  source.SetImages(&list);
  source.SetCacheGlyphs(false);
  source.SetSmoothGlyphs(true);
  source.SetImageListBkColor(clRed);
  O->Assign(&source);
  EXPECT_EQ(O->Images(), &list);
  EXPECT_TRUE(O->SmoothGlyphs());
  EXPECT_EQ(O->ImageListBkColor(), clRed);
  EXPECT_TRUE(O->CacheGlyphs());
  source.SetImages(nullptr);
  O->SetImages(nullptr);

  const String plain = ComponentToFormText(M);
  EXPECT_NE(plain.find("ImageOptions.ImageListBkColor = clRed"), String::npos) << plain;
  O->SetImageListBkColor(clFuchsia);
  O->SetLargeIcons(true);
  O->SetSmoothGlyphs(false);
  const String text = ComponentToFormText(M);
  EXPECT_NE(text.find("ImageOptions.LargeIcons = True"), String::npos) << text;
  for (const char* absent : {"CacheGlyphs", "StretchGlyphs", "ImageListBkColor", "SmoothGlyphs", "UseLeftBottom"})
    EXPECT_EQ(text.find(absent), String::npos) << absent << "\n" << text;
  O->SetLargeIcons(false);
  FormTextToComponent(text, M);
  EXPECT_TRUE(O->LargeIcons());
  EXPECT_TRUE(O->CacheGlyphs());
}

}  // namespace
