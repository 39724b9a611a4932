#include <memory>

#include "tests/ui/skins/SkinFixture.h"

namespace {

using skintest::ErrorOf;
using skintest::SkinTest;

struct CountingListener : IdxSkinChangeObserver {
  void SkinChanged(TdxSkin* Skin) override {
    ++calls;
    if (action) action(Skin);
  }
  int calls = 0;
  std::function<void(TdxSkin*)> action;
};

TEST_F(SkinTest, FindByNameIsCaseSensitiveAndSortsAgainAfterAnAddition) {
  TdxSkin skin("Test");
  TdxSkinControlGroup* group = skin.AddGroup("Common");
  group->AddElement("Splitter");
  TdxSkinElement* button = group->AddElement("Button");
  EXPECT_EQ(group->ElementByName("Button"), button);
  EXPECT_EQ(group->ElementByName("button"), nullptr);
  // The lookup sorted the list, and a save writes that order.
  EXPECT_EQ(group->ElementAt(0), button);
  TdxSkinElement* added = group->AddElement("Arrow");
  EXPECT_FALSE(group->Elements()->Sorted());
  EXPECT_EQ(group->ElementByName("Arrow"), added);
  EXPECT_EQ(group->ElementAt(0), added);
}

TEST_F(SkinTest, ElementSettersKeepTheirRules) {
  TdxSkin skin("Test");
  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Button");
  struct {
    int set, stored;
  } counts[] = {{0, 1}, {-3, 1}, {1, 1}, {5, 5}};
  for (auto c : counts) {
    e->SetImageCount(c.set);
    EXPECT_EQ(e->ImageCount(), c.stored) << c.set;
  }

  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetColor(0x00FF0000);
  e->SetColor(0x00FF0000);
  EXPECT_EQ(changes, 2) << "Color reports a change also when it stays";
  EXPECT_TRUE(e->IsColorAssigned());
  ASSERT_NE(e->Brush(), nullptr);
  win::ARGB argb = 0;
  win::GdipGetSolidFillColor(e->Brush(), &argb);
  EXPECT_EQ(argb, 0xFF0000FFu);
  e->SetAlpha(128);
  win::GdipGetSolidFillColor(e->Brush(), &argb);
  EXPECT_EQ(argb, 0x800000FFu) << "Alpha re-applies the colour";
  e->SetColor(clDefault);
  EXPECT_FALSE(e->IsColorAssigned());

  e->SetTextColor(0x111111);
  e->Properties()->AddColor("TextColorHot", clDefault);
  e->Properties()->AddColor("TextColorPressed", 0x222222);
  EXPECT_EQ(e->TextColorForState(cxbsHot), 0x111111) << "a clDefault colour falls back to TextColor";
  EXPECT_EQ(e->TextColorForState(cxbsPressed), 0x222222);
  EXPECT_EQ(e->TextColorForState(cxbsDisabled), 0x111111);
  EXPECT_EQ(e->TextColorForState(cxbsDefault), 0x111111);

  // Alpha decides without an image; the image's own alpha decides with one.
  e->SetAlpha(255);
  e->SetColor(0x00FF00);
  EXPECT_FALSE(e->NeedsAlphaBlend());
  e->SetColor(clNone);
  EXPECT_TRUE(e->NeedsAlphaBlend());
  skintest::SetTexture(e->Image(), 2, 1, {0xFF000000, 0xFF000000});
  EXPECT_FALSE(e->NeedsAlphaBlend());
  skintest::SetTexture(e->Image(), 2, 1, {0xFF000000, 0x80000000});
  EXPECT_TRUE(e->NeedsAlphaBlend());

  EXPECT_EQ(e->Image()->SourceName(), "Common\\Button_Image.png");
  EXPECT_EQ(e->ImageFileName(e->Glyph()), "Button_Glyph.png");
  EXPECT_EQ(e->Glyph()->SourceName(), "") << "an empty image has no source";
}

TEST_F(SkinTest, EqualityAndTypeCaptions) {
  TdxSkinBorders a(nullptr), b(nullptr);
  EXPECT_TRUE(a.IsEqual(&b));
  b.Left()->SetColor(0x123456);
  EXPECT_FALSE(a.IsEqual(&b)) << "only the left side differs";
  b.Left()->SetName("Other");
  a.Left()->SetColor(0x123456);
  EXPECT_TRUE(a.IsEqual(&b)) << "border names are not compared";

  TdxSkinStringProperty s1(nullptr, "N"), s2(nullptr, "N");
  TdxSkinWideStringProperty w(nullptr, "N");
  s1.SetValue("x");
  s2.SetValue("x");
  w.SetValue("x");
  EXPECT_TRUE(s1.IsEqual(&s2));
  EXPECT_FALSE(s1.IsEqual(&w)) << "the class is compared";
  s2.SetName("n");
  EXPECT_FALSE(s1.IsEqual(&s2)) << "the name is compared with case";

  struct {
    TdxSkinProperty* p;
    const char* caption;
  } captions[] = {{&s1, "String"}, {&w, "WideString"}, {a.Left(), "Border"}, {&a, "Borders"}};
  for (auto c : captions) EXPECT_EQ(c.p->TypeCaption(), c.caption);
  TdxSkinColor color(nullptr);
  TdxSkinIntegerProperty integer(nullptr);
  TdxSkinRectProperty rect(nullptr);
  EXPECT_EQ(color.TypeCaption(), "Color");
  EXPECT_EQ(integer.TypeCaption(), "Integer");
  EXPECT_EQ(rect.TypeCaption(), "Rect");
}

TEST_F(SkinTest, OneUpdateGivesOneListenerCallAndListenersRunUnderTheLock) {
  TdxSkin skin("Test");
  TdxSkinColor* color = skin.Colors()->AddColor("ContentColor", 0);
  CountingListener listener;
  int ownChanges = 0;
  skin.OnChange = [&](TObject*) { ++ownChanges; };
  skin.AddListener(&listener);

  skin.BeginUpdate();
  for (int i = 1; i <= 10; ++i) color->SetValue(i);
  EXPECT_EQ(listener.calls, 0);
  skin.EndUpdate();
  EXPECT_EQ(listener.calls, 1);
  EXPECT_EQ(ownChanges, 1);

  skin.BeginUpdate();
  skin.EndUpdate();
  EXPECT_EQ(listener.calls, 2) << "the outermost unlock always reports";

  // A change made by the listener is not reported again, and the lock comes down after a raise.
  listener.action = [&](TdxSkin*) { color->SetValue(99); };
  color->SetValue(5);
  EXPECT_EQ(listener.calls, 3);
  EXPECT_TRUE(skin.Modified());
  listener.action = [](TdxSkin*) { throw EdxSkin("listener failed"); };
  EXPECT_EQ(ErrorOf([&] { color->SetValue(6); }), "listener failed");
  EXPECT_EQ(skin.LockCount(), 0);
  listener.action = nullptr;
  color->SetValue(7);
  EXPECT_EQ(listener.calls, 5);

  // Element sub-objects reach the skin too.
  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Button");
  const int before = listener.calls;
  e->Image()->Margins()->SetLeft(3);
  e->Borders()->Top()->SetThin(2);
  e->MinSize()->SetWidth(4);
  EXPECT_EQ(listener.calls, before + 3);
  skin.RemoveListener(&listener);
}

TEST_F(SkinTest, DisplayNameCloneAssignAndOwnerCasts) {
  TdxSkin skin("LiquidSky");
  EXPECT_EQ(skin.DisplayName(), "LiquidSky");
  static_cast<TdxSkinStringProperty*>(
      skin.Properties()->Add("DisplayName", TdxSkinWideStringProperty::StaticClass()))
      ->SetValue("Liquid Sky");
  EXPECT_EQ(skin.DisplayName(), "Liquid Sky");

  TdxSkinElement* e = skin.AddGroup("Common")->AddElement("Button");
  e->SetColor(0x00AA00);
  e->ContentOffset()->SetLeft(4);
  e->Properties()->Add("MergeBorders", TdxSkinBooleanProperty::StaticClass());
  skintest::SetTexture(e->Image(), 2, 2, {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF});

  std::unique_ptr<TdxSkin> copy(static_cast<TdxSkin*>(skin.Clone()));
  EXPECT_EQ(copy->Name(), "LiquidSky");
  EXPECT_EQ(copy->DisplayName(), "Liquid Sky");
  TdxSkinElement* c = copy->GroupByName("Common")->ElementByName("Button");
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->IsEqual(e));
  c->Properties()->PropertyAt(0)->SetName("Other");
  EXPECT_FALSE(c->IsEqual(e));

  std::unique_ptr<TdxSkinElement> loose(static_cast<TdxSkinElement*>(e->Clone()));
  EXPECT_EQ(loose->Group(), nullptr);
  EXPECT_EQ(loose->Image()->SourceName(), "Common\\Button_Image.png") << "kept from the source";

  // An element owned by something other than a group is a wrong cast.
  TdxSkinElement stray(&skin, "Stray");
  EXPECT_EQ(ErrorOf([&] { stray.Group(); }), "Invalid class typecast");
  EXPECT_EQ(EmptyElementFallback(nullptr), EmptySkinElement());
  EXPECT_EQ(EmptyElementFallback(e), e);
}

}  // namespace
