// Named styles: what a style stores, how the repository streams and scales, and how changes
// travel through styles objects and the sheets they use.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Streams.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Startup.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/Styles.h"

namespace {

// Records every index it is told of.
class TRecordingStyles : public TcxCustomStyles {
  VW_CLASS(TRecordingStyles, TcxCustomStyles)
 public:
  explicit TRecordingStyles(TPersistent* AOwner) : TcxCustomStyles(AOwner) {}
  std::vector<int> Changes;

 protected:
  void ReactToChange(int Index) override { Changes.push_back(Index); }
};

class TRecordingSheet : public TcxCustomStyleSheet {
  VW_CLASS(TRecordingSheet, TcxCustomStyleSheet)
 public:
  explicit TRecordingSheet(TComponent* AOwner) : TcxCustomStyleSheet(AOwner) {}
  TClass StylesObjectClass() const override { return TRecordingStyles::StaticClass(); }
  TRecordingStyles* Recorder() { return static_cast<TRecordingStyles*>(StylesObject()); }
};

class StylesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::StartPlatform();
    GraphicsUnitStartup();
    StylesUnitStartup();
    RegisterClassesOf<TcxStyleRepository, TRecordingSheet>();
    repository = std::make_unique<TcxStyleRepository>(nullptr);
    repository->SetName("Repository");
  }
  void TearDown() override {
    repository.reset();
    platform::SetScreenPixelsPerInch(96);
    GraphicsUnitShutdown();
  }

  TcxStyle* NewStyle() { return static_cast<TcxStyle*>(repository->NewStyle(TcxStyle::StaticClass())); }
  TRecordingSheet* NewSheet() {
    return static_cast<TRecordingSheet*>(repository->NewStyleSheet(TRecordingSheet::StaticClass()));
  }

  std::unique_ptr<TcxStyleRepository> repository;
};

bool Stored(TObject* Object, const char* Property) { return IsStoredProp(Object, GetPropInfo(Object, Property)); }

TEST_F(StylesTest, EachValueIsAssignedAndStoredOnlyWhileItHoldsSomething) {
  TcxStyle* style = NewStyle();
  TBitmap empty, picture;
  picture.SetSize(4, 4);
  struct Case {
    const char* name;
    std::function<void()> set;
    TcxStyleValue value;
    bool assigned;
  };
  const Case cases[] = {
      {"Color", [&] { style->SetColor(clRed); }, svColor, true},
      {"Color", [&] { style->SetColor(clDefault); }, svColor, false},
      {"TextColor", [&] { style->SetTextColor(clBlue); }, svTextColor, true},
      {"TextColor", [&] { style->SetTextColor(clDefault); }, svTextColor, false},
      {"Bitmap", [&] { style->SetBitmap(&picture); }, svBitmap, true},
      {"Bitmap", [&] { style->SetBitmap(&empty); }, svBitmap, false},
      {"Font", [&] { style->Font()->SetHeight(-20); }, svFont, true},
  };
  for (const Case& c : cases) {
    c.set();
    EXPECT_EQ(style->AssignedValues().Contains(c.value), c.assigned) << c.name;
    EXPECT_EQ(Stored(style, c.name), c.assigned) << c.name;
  }
  // Resetting keeps the font's attributes but nothing counts as assigned.
  style->SetColor(clRed);
  style->ResetValues();
  EXPECT_TRUE(style->AssignedValues().Empty());
  EXPECT_EQ(style->Color(), clDefault);
  EXPECT_TRUE(style->Bitmap()->Empty());
  EXPECT_EQ(style->Font()->Height(), -20);
}

TEST_F(StylesTest, AssignCopiesTheValuesAndThenTheFlags) {
  TcxStyle* source = NewStyle();
  TcxStyle* target = NewStyle();
  source->Font()->SetHeight(-30);
  source->SetColor(clRed);
  // The font is the same, yet not assigned in the source: the flags must win.
  source->SetAssignedValues(TcxStyleValues{svColor});
  target->Assign(source);
  EXPECT_EQ(target->AssignedValues(), TcxStyleValues{svColor});
  EXPECT_EQ(target->Color(), clRed);
  EXPECT_EQ(target->Font()->Height(), -30);
}

TEST_F(StylesTest, ASheetCaptionEqualToItsNameIsNotStored) {
  TRecordingSheet* sheet = NewSheet();
  sheet->SetName("Office");
  sheet->SetCaption("Blue");
  EXPECT_EQ(sheet->Caption(), "Blue");
  EXPECT_TRUE(Stored(sheet, "Caption"));
  sheet->SetCaption("OFFICE");
  EXPECT_EQ(sheet->Caption(), "Office");
  EXPECT_FALSE(Stored(sheet, "Caption"));
}

TEST_F(StylesTest, StreamingWritesTheResolutionAndBuiltInAndReadsStylesBack) {
  TcxStyle* style = NewStyle();
  style->SetName("Heading");
  style->SetColor(clRed);
  TRecordingSheet* sheet = NewSheet();
  sheet->SetName("Sheet");
  sheet->StylesObject()->SetValue(3, style);
  String text = ComponentToFormText(repository.get());
  for (const char* expected : {"PixelsPerInch = 96", "object Heading: TcxStyle", "AssignedValues = [svColor]",
                               "Color = clRed", "object Sheet: TRecordingSheet", "BuiltIn = False"})
    EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find("TextColor"), String::npos) << text;
  EXPECT_LT(text.find("Heading"), text.find("Sheet")) << "styles before sheets";

  std::unique_ptr<TComponent> copy(FormTextToComponent(text, nullptr));
  auto* read = dynamic_cast<TcxStyleRepository*>(copy.get());
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->StyleCount(), 1);
  ASSERT_EQ(read->StyleSheetCount(), 1);
  EXPECT_EQ(static_cast<TcxStyle*>(read->StyleAt(0))->Color(), clRed);
  EXPECT_EQ(read->StoredPixelsPerInch(), 96);

  // Against an ancestor the resolution is the ancestor's business.
  TMemoryStream binary;
  binary.WriteDescendent(repository.get(), read);
  binary.SetPosition(0);
  TStringStream descendent;
  ObjectBinaryToText(&binary, &descendent);
  EXPECT_EQ(descendent.DataString().find("PixelsPerInch"), String::npos) << descendent.DataString();
}

TEST_F(StylesTest, FontHeightsStoredAtAnotherResolutionAreScaledOnlyWhenScalable) {
  struct Case {
    int stored, screen;
    bool scalable;
    int height, expected;
  };
  const Case cases[] = {
      {120, 96, true, -15, -12}, {120, 96, false, -15, -15}, {96, 120, true, -12, -15},
      {96, 120, false, -12, -12}, {96, 96, true, -13, -13},
  };
  for (const Case& c : cases) {
    // The screen's resolution is read as the graphics unit starts.
    platform::SetScreenPixelsPerInch(c.screen);
    GraphicsUnitStartup();
    String text = "object R: TcxStyleRepository\r\n  Scalable = " + String(c.scalable ? "True" : "False") +
                  "\r\n  PixelsPerInch = " + IntToStr(c.stored) + "\r\n  object S: TcxStyle\r\n    Font.Height = " +
                  IntToStr(c.height) + "\r\n  end\r\nend\r\n";
    std::unique_ptr<TComponent> read(FormTextToComponent(text, nullptr));
    auto* style = static_cast<TcxStyle*>(static_cast<TcxStyleRepository*>(read.get())->StyleAt(0));
    EXPECT_EQ(style->Font()->Height(), c.expected) << c.stored << " on " << c.screen << " " << c.scalable;
    EXPECT_TRUE(style->AssignedValues().Contains(svFont));
  }
}

TEST_F(StylesTest, OnlyARepositoryCanBeTheParent) {
  TcxStyle* style = NewStyle();
  TComponent other(nullptr);
  EXPECT_THROW(style->SetParentComponent(&other), EInvalidCast);
  EXPECT_EQ(style->GetParentComponent(), repository.get());
  TRecordingSheet* sheet = NewSheet();
  EXPECT_THROW(sheet->SetParentComponent(&other), EInvalidCast);
  TcxStyleRepository second(nullptr);
  style->SetParentComponent(&second);
  EXPECT_EQ(repository->StyleCount(), 0);
  EXPECT_EQ(second.StyleCount(), 1);
  style->AttachToRepository(repository.get());
}

TEST_F(StylesTest, SheetsRefuseCyclesAndOtherStylesClasses) {
  TRecordingSheet* a = NewSheet();
  TRecordingSheet* b = NewSheet();
  b->StylesObject()->UseStyleSheet(a);
  EXPECT_EQ(b->StylesObject()->StyleSheet(), a);
  a->StylesObject()->UseStyleSheet(b);
  EXPECT_EQ(a->StylesObject()->StyleSheet(), nullptr);
  EXPECT_FALSE(a->StylesObject()->AcceptsStyleSheet(a));

  auto* plain = repository->NewStyleSheet(TcxCustomStyleSheet::StaticClass());
  TRecordingStyles styles(nullptr);
  EXPECT_FALSE(styles.AcceptsStyleSheet(plain));
  EXPECT_TRUE(styles.AcceptsStyleSheet(a));
  EXPECT_TRUE(styles.AcceptsStyleSheet(nullptr));
}

TEST_F(StylesTest, AStyleChangeTravelsThroughAChainOfSheetsOnceForEachIndex) {
  TcxStyle* s = NewStyle();
  TcxStyle* other = NewStyle();
  TRecordingSheet* a = NewSheet();
  TRecordingSheet* b = NewSheet();
  a->StylesObject()->SetValue(2, s);
  a->StylesObject()->SetValue(5, other);
  a->StylesObject()->SetValue(7, s);
  b->StylesObject()->UseStyleSheet(a);
  TRecordingStyles first(nullptr), second(nullptr);
  first.UseStyleSheet(b);
  second.UseStyleSheet(b);
  for (TRecordingStyles* r : {a->Recorder(), b->Recorder(), &first, &second}) r->Changes.clear();

  s->SetColor(clGreen);
  for (TRecordingStyles* r : {a->Recorder(), b->Recorder(), &first, &second})
    EXPECT_EQ(r->Changes, (std::vector<int>{2, 7}));
}

TEST_F(StylesTest, SwitchingSheetsTellsTheUnionOfBothSheetsIndexesOnce) {
  TcxStyle* s = NewStyle();
  TRecordingSheet* a = NewSheet();
  TRecordingSheet* b = NewSheet();
  TRecordingSheet* base = NewSheet();
  a->StylesObject()->SetValue(1, s);
  a->StylesObject()->SetValue(4, s);
  base->StylesObject()->SetValue(9, s);
  b->StylesObject()->SetValue(4, s);
  b->StylesObject()->SetValue(6, s);
  b->StylesObject()->UseStyleSheet(base);
  TRecordingStyles user(nullptr);
  user.UseStyleSheet(a);
  user.Changes.clear();
  user.UseStyleSheet(b);
  EXPECT_EQ(user.Changes, (std::vector<int>{1, 4, 6, 9}));
  EXPECT_EQ(a->UserCount(), 0);
  EXPECT_EQ(b->UserCount(), 1);
}

TEST_F(StylesTest, DestroyingAStyleDeletesTheItemsThatUseIt) {
  TcxStyle* s = NewStyle();
  TcxStyle* kept = NewStyle();
  TRecordingStyles styles(nullptr);
  styles.SetValue(0, s);
  styles.SetValue(1, s);
  styles.SetValue(2, kept);
  styles.SetValue(3, s);
  // Deleting one item must not stop the object hearing of a style another item still shows.
  styles.SetValue(0, nullptr);
  EXPECT_EQ(s->ObserverCount(), 1);
  styles.Changes.clear();
  TObject::Free(s);
  ASSERT_EQ(styles.ItemCount(), 1);
  EXPECT_EQ(styles.Values(2), kept);
  EXPECT_EQ(styles.Changes, (std::vector<int>{3, 1}));
  EXPECT_EQ(repository->StyleCount(), 1);
}

TEST_F(StylesTest, DestroyingASheetDetachesItsUsers) {
  TRecordingSheet* a = NewSheet();
  a->StylesObject()->SetValue(3, NewStyle());
  TRecordingStyles first(nullptr), second(nullptr);
  first.UseStyleSheet(a);
  second.UseStyleSheet(a);
  first.Changes.clear();
  TObject::Free(a);
  EXPECT_EQ(first.StyleSheet(), nullptr);
  EXPECT_EQ(second.StyleSheet(), nullptr);
  EXPECT_EQ(first.Changes, (std::vector<int>{3}));
  EXPECT_EQ(repository->StyleSheetCount(), 0);
}

TEST_F(StylesTest, FreeingARepositoryFreesItsStylesAndSheetsWhoeverOwnsThem) {
  TComponent form(nullptr);
  TcxStyle* s = NewStyle();
  repository->NewStyleOwned(TcxStyle::StaticClass(), &form);
  TRecordingSheet* a = NewSheet();
  a->StylesObject()->SetValue(0, s);
  TRecordingStyles user(nullptr);
  user.UseStyleSheet(a);
  user.SetValue(1, s);
  repository.reset();
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_EQ(user.StyleSheet(), nullptr);
  EXPECT_EQ(user.ItemCount(), 0);
}

}  // namespace
