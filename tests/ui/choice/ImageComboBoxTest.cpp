// The image combo box on the headless screen: items' own images, values matched loosely, the
// default description and image for an unknown value, the image drawn in the edit area and the
// large images in the popup, wrapped rows, a freed image list, registration and a gallery.
#include <gtest/gtest.h>

#include <memory>

#include "platform/classes/ImageList.h"
#include "platform/win/Keys.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/ImageComboBox.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/FilterEditHelpers.h"

namespace {

using namespace win;
using choicetest::ChoiceTest;

class ImageComboBoxTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    form = MakeForm(20, 20, 600, 400);
  }
  // A list of solid squares in the given colours.
  TImageList* NewImages(int Size, std::initializer_list<TColor> Colors) {
    auto* list = new TImageList(form);
    list->SetWidth(Size);
    list->SetHeight(Size);
    for (TColor c : Colors) {
      TBitmap b;
      b.SetSize(Size, Size);
      b.Canvas()->Brush()->SetColor(c);
      b.Canvas()->FillRect(RECT{0, 0, Size, Size});
      list->Add(&b, nullptr);
    }
    return list;
  }
  TcxImageComboBox* NewCombo(int Left = 20, int Top = 20, int Width = 180) {
    auto* combo = new TcxImageComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(Left, Top, Width, 21);
    return combo;
  }
  static void AddItem(TcxImageComboBoxProperties* P, const char* Description, const Variant& Value) {
    TcxImageComboBoxItem* item = P->ImageItems()->AddItem();
    item->SetDescription(Description);
    item->SetValue(Value);
  }

  TForm* form = nullptr;
};

TEST_F(ImageComboBoxTest, ItemsTakeTheirOwnImagesAndValuesMatchLoosely) {
  TcxImageComboBox* combo = NewCombo();
  TcxImageComboBoxProperties* p = combo->Properties();
  p->SetImages(NewImages(16, {clRed, clLime}));
  AddItem(p, "VGA", Variant(1));
  AddItem(p, "DVI", Variant(2));
  AddItem(p, "HDMI", Variant(String("three")));
  Pump();
  EXPECT_EQ(p->ImageItems()->Items(0)->ImageIndex(), 0);
  EXPECT_EQ(p->ImageItems()->Items(1)->ImageIndex(), 1);
  EXPECT_EQ(p->ImageItems()->Items(2)->ImageIndex(), -1);
  EXPECT_EQ(p->FindItemByValue(Variant(String("1"))), p->ImageItems()->Items(0));
  EXPECT_EQ(p->FindItemByText("hdmi"), p->ImageItems()->Items(2));
  combo->SetEditValue(Variant(String("2")));
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "DVI");
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(combo->EditViewInfo());
  EXPECT_EQ(info->ImageIndex, 1);
  const TRect& picture = info->PictureRect;
  EXPECT_EQ(picture.Right - picture.Left, 16);
  EXPECT_EQ(Pixel(combo, picture.Left + 8, picture.Top + 8), ColorToRGB(clLime));
  EXPECT_EQ(info->TextRect.Left, picture.Right + 2 + 2) << "the gap, then the text margin";
  // Picking an item takes its value.
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->EditValue().AsInteger(), 1);
  EXPECT_TRUE(p->EditValuesEqual(Variant(1), Variant(String("1"))));
  EXPECT_FALSE(p->EditValuesEqual(Variant(1), Variant(2)));
}

TEST_F(ImageComboBoxTest, AnUnknownValueShowsTheDefaultsAndNoImage) {
  TcxImageComboBox* combo = NewCombo();
  TcxImageComboBoxProperties* p = combo->Properties();
  p->SetImages(NewImages(16, {clRed, clLime}));
  AddItem(p, "VGA", Variant(1));
  p->SetDefaultDescription("No input");
  combo->SetEditValue(Variant(99));
  Pump();
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(combo->EditViewInfo());
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(info->Text, "No input");
  EXPECT_EQ(info->ImageIndex, -1);
  EXPECT_EQ(Pixel(combo, info->PictureRect.Left + 8, info->PictureRect.Top + 8), ColorToRGB(clWindow));
  p->SetDefaultImageIndex(0);
  Pump();
  EXPECT_EQ(Pixel(combo, info->PictureRect.Left + 8, info->PictureRect.Top + 8), ColorToRGB(clRed));
  EXPECT_EQ(p->ValueDisplayText(Variant(99)), "No input");
}

TEST_F(ImageComboBoxTest, WithoutDescriptionsTheImageIsCentredAndNoTextIsFound) {
  TcxImageComboBox* combo = NewCombo();
  TcxImageComboBoxProperties* p = combo->Properties();
  p->SetImages(NewImages(16, {clRed}));
  AddItem(p, "VGA", Variant(1));
  p->SetShowDescriptions(false);
  combo->SetEditValue(Variant(1));
  Pump();
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(combo->EditViewInfo());
  EXPECT_TRUE(info->Text.empty());
  const int middle = (info->PictureRect.Left + info->PictureRect.Right) / 2;
  const int clientMiddle = (info->ClientRect.Left + info->ClientRect.Right) / 2;
  EXPECT_LE(std::abs(middle - clientMiddle), 3);
  EXPECT_FALSE(p->FindLookupText("VGA"));
  EXPECT_EQ(p->SupportedOperations(), 0x033C);
}

TEST_F(ImageComboBoxTest, ThePopupShowsLargeImagesAndWrapsLongDescriptions) {
  TcxImageComboBox* combo = NewCombo();
  TcxImageComboBoxProperties* p = combo->Properties();
  p->SetImages(NewImages(16, {clRed, clLime, clBlue}));
  p->SetLargeImages(NewImages(32, {clMaroon, clGreen, clNavy}));
  AddItem(p, "VGA", Variant(1));
  AddItem(p, "A description long enough to wrap over several rows of the list", Variant(2));
  AddItem(p, "HDMI", Variant(3));
  combo->SetEditValue(Variant(1));
  Pump();
  combo->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  auto* list = static_cast<TcxImageComboBoxListBox*>(combo->ListBox());
  EXPECT_EQ(list->ItemHeightAt(0), 34) << "the large image's height + 2";
  RECT r = list->ItemRect(2);
  EXPECT_EQ(Pixel(list, r.left + 1 + 16, (r.top + r.bottom) / 2), ColorToRGB(clNavy));
  auto* info = static_cast<TcxImageComboBoxViewInfo*>(combo->EditViewInfo());
  EXPECT_EQ(Pixel(combo, info->PictureRect.Left + 8, info->PictureRect.Top + 8), ColorToRGB(clRed))
      << "the edit area keeps the small images";
  combo->SetDroppedDown(false);
  p->SetMultiLineText(true);
  combo->SetDroppedDown(true);
  Pump();
  EXPECT_GT(list->ItemHeightAt(1), 34) << "wrapped";
  EXPECT_EQ(list->ItemHeightAt(0), 34);
  SaveScreen("choice/image-combo-multiline.png", RECT{0, 0, 400, 300});
  combo->SetDroppedDown(false);
  Pump();
  delete p->LargeImages();
  EXPECT_EQ(p->LargeImages(), nullptr);
}

TEST_F(ImageComboBoxTest, RegistrationAndTheFilterHelper) {
  ImageComboBoxUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  bool found = false;
  for (int i = 0; i < registry->ItemCount(); ++i)
    found = found || registry->ClassAt(i) == TcxImageComboBoxProperties::StaticClass();
  EXPECT_TRUE(found);
  auto helper = FilterEditsControllerInstance()->FindHelper(TcxImageComboBoxProperties::StaticClass());
  ASSERT_NE(helper, nullptr);
  TcxImageComboBoxProperties target(nullptr), source(nullptr);
  target.SetShowDescriptions(false);
  target.SetDropDownListStyle(lsEditList);
  helper->PrepareFilterProperties(&target, &source, false);
  EXPECT_TRUE(target.ShowDescriptions());
  EXPECT_EQ(target.DropDownListStyle(), lsFixedList);
  EXPECT_TRUE(target.ImmediateDropDown());
  EXPECT_EQ(helper->SupportedFilterOperators(&target, nullptr, false), 0x0606u);
  ImageComboBoxUnitShutdown();
}

// Closed editors in every look (image left, right, alone, the default, disabled) and an open list.
TEST_F(ImageComboBoxTest, GalleryInEveryLook) {
  delete form;
  forms_.clear();
  form = MakeForm(0, 0, 820, 400);
  TImageList* images = NewImages(16, {clRed, clLime, clBlue, clYellow});
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TcxImageComboBox*> open;
  for (int col = 0; col < 4; ++col) {
    for (int row = 0; row < 6; ++row) {
      TcxImageComboBox* c = NewCombo(10 + col * 200, 10 + row * 30, 180);
      c->Style()->LookAndFeel()->SetKind(kinds[col]);
      TcxImageComboBoxProperties* p = c->Properties();
      p->SetImages(images);
      for (const char* name : {"VIDEO", "VGA", "DVI", "HDMI 输入"}) AddItem(p, name, Variant(String(name)));
      p->SetDefaultDescription("None");
      c->SetEditValue(Variant(String(row == 3 ? "SDI" : "DVI")));
      if (row == 1) p->SetImageAlign(iaRight);
      if (row == 2) p->SetShowDescriptions(false);
      if (row == 4) c->SetEnabled(false);
      if (row == 5) open.push_back(c);
    }
  }
  Pump();
  SaveScreen("choice/image-combo-gallery.png", RECT{0, 0, 820, 190});
  const char* names[] = {"standard", "flat", "ultraflat", "office11"};
  for (int i = 0; i < 4; ++i) {
    TcxImageComboBox* c = open[static_cast<std::size_t>(i)];
    c->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(c->DroppedDown());
    SaveScreen(std::string("choice/image-combo-open-") + names[i] + ".png", RECT{0, 0, 820, 400});
    c->SetDroppedDown(false);
    Pump();
  }
}

}  // namespace
