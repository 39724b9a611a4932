// The filter edit helpers and their registry. The editor units that register helpers come later;
// stand-ins with the same family tree take their places here.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/FilterEditHelpers.h"

namespace {

using controlstest::ControlsTest;

#define STAND_IN_PROPERTIES(Name, Parent)                                   \
  class Name : public Parent {                                              \
    VW_CLASS(Name, Parent)                                                  \
   public:                                                                  \
    explicit Name(TPersistent* AOwner) : Parent(AOwner) {}                  \
  };

STAND_IN_PROPERTIES(TcxCustomTextEditProperties, TcxCustomEditProperties)
STAND_IN_PROPERTIES(TcxTextEditProperties, TcxCustomTextEditProperties)
STAND_IN_PROPERTIES(TcxCustomLabelProperties, TcxCustomEditProperties)
STAND_IN_PROPERTIES(TcxLabelProperties, TcxCustomLabelProperties)
STAND_IN_PROPERTIES(TcxCustomMaskEditProperties, TcxCustomTextEditProperties)
STAND_IN_PROPERTIES(TcxMaskEditProperties, TcxCustomMaskEditProperties)
STAND_IN_PROPERTIES(TcxCustomDropDownEditProperties, TcxCustomMaskEditProperties)
STAND_IN_PROPERTIES(TcxCustomComboBoxProperties, TcxCustomDropDownEditProperties)
STAND_IN_PROPERTIES(TcxComboBoxProperties, TcxCustomComboBoxProperties)
STAND_IN_PROPERTIES(TcxSceneComboBoxProperties, TcxCustomComboBoxProperties)
STAND_IN_PROPERTIES(TcxCustomMemoProperties, TcxCustomTextEditProperties)
STAND_IN_PROPERTIES(TcxMemoProperties, TcxCustomMemoProperties)
STAND_IN_PROPERTIES(TcxCustomCheckBoxProperties, TcxCustomEditProperties)
STAND_IN_PROPERTIES(TcxCheckBoxProperties, TcxCustomCheckBoxProperties)
STAND_IN_PROPERTIES(TcxCustomRadioGroupProperties, TcxCustomEditProperties)
STAND_IN_PROPERTIES(TcxRadioGroupProperties, TcxCustomRadioGroupProperties)
STAND_IN_PROPERTIES(TcxCustomSpinEditProperties, TcxCustomMaskEditProperties)
STAND_IN_PROPERTIES(TcxSpinEditProperties, TcxCustomSpinEditProperties)
STAND_IN_PROPERTIES(TcxCustomTrackBarProperties, TcxCustomEditProperties)
STAND_IN_PROPERTIES(TcxTrackBarProperties, TcxCustomTrackBarProperties)
STAND_IN_PROPERTIES(TcxCustomImageComboBoxProperties, TcxCustomComboBoxProperties)
STAND_IN_PROPERTIES(TcxImageComboBoxProperties, TcxCustomImageComboBoxProperties)
STAND_IN_PROPERTIES(TcxCustomColorComboBoxProperties, TcxCustomComboBoxProperties)
STAND_IN_PROPERTIES(TcxColorComboBoxProperties, TcxCustomColorComboBoxProperties)
STAND_IN_PROPERTIES(TcxCustomFontNameComboBoxProperties, TcxCustomComboBoxProperties)
STAND_IN_PROPERTIES(TcxFontNameComboBoxProperties, TcxCustomFontNameComboBoxProperties)

#define STAND_IN_HELPER(Name, Parent, Keeps)                       \
  class Name : public Parent {                                     \
    VW_CLASS(Name, Parent)                                         \
   public:                                                         \
    Name() = default;                                              \
    bool KeepsEditButtons() const override { return Keeps; }       \
  };

STAND_IN_HELPER(TcxFilterTextEditHelper, TcxCustomFilterEditHelper, false)
STAND_IN_HELPER(TcxFilterMaskEditHelper, TcxFilterTextEditHelper, false)
STAND_IN_HELPER(TcxFilterDropDownEditHelper, TcxFilterMaskEditHelper, true)
STAND_IN_HELPER(TcxFilterComboBoxHelper, TcxFilterDropDownEditHelper, true)
STAND_IN_HELPER(TcxFilterMemoHelper, TcxFilterTextEditHelper, false)
STAND_IN_HELPER(TcxFilterCheckBoxHelper, TcxCustomFilterEditHelper, false)
STAND_IN_HELPER(TcxFilterRadioGroupHelper, TcxCustomFilterEditHelper, false)
STAND_IN_HELPER(TcxFilterSpinEditHelper, TcxFilterMaskEditHelper, false)
STAND_IN_HELPER(TcxFilterTrackBarHelper, TcxFilterSpinEditHelper, false)
STAND_IN_HELPER(TcxFilterImageComboBoxHelper, TcxFilterComboBoxHelper, true)
STAND_IN_HELPER(TcxFilterColorComboBoxHelper, TcxFilterComboBoxHelper, true)
STAND_IN_HELPER(TcxFilterFontNameComboBoxHelper, TcxFilterComboBoxHelper, true)

struct Registration {
  TClass properties;
  TcxCustomFilterEditHelperClass helper;
};

std::vector<Registration> TwelveRegistrations() {
  return {
      {TcxTextEditProperties::StaticClass(), FilterEditHelperClass<TcxFilterTextEditHelper>()},
      {TcxLabelProperties::StaticClass(), FilterEditHelperClass<TcxFilterTextEditHelper>()},
      {TcxMaskEditProperties::StaticClass(), FilterEditHelperClass<TcxFilterMaskEditHelper>()},
      {TcxComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterComboBoxHelper>()},
      {TcxMemoProperties::StaticClass(), FilterEditHelperClass<TcxFilterMemoHelper>()},
      {TcxCheckBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterCheckBoxHelper>()},
      {TcxRadioGroupProperties::StaticClass(), FilterEditHelperClass<TcxFilterRadioGroupHelper>()},
      {TcxSpinEditProperties::StaticClass(), FilterEditHelperClass<TcxFilterSpinEditHelper>()},
      {TcxTrackBarProperties::StaticClass(), FilterEditHelperClass<TcxFilterTrackBarHelper>()},
      {TcxImageComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterImageComboBoxHelper>()},
      {TcxColorComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterColorComboBoxHelper>()},
      {TcxFontNameComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterFontNameComboBoxHelper>()},
  };
}

using FilterEditHelpersTest = ControlsTest;

TEST_F(FilterEditHelpersTest, LookupsFindTheNearestRegisteredAncestorsHelper) {
  const auto registrations = TwelveRegistrations();
  for (const Registration& r : registrations) FilterEditsControllerInstance()->AddHelper(r.properties, r.helper);
  TcxFilterEditsController* registry = FilterEditsControllerInstance();
  EXPECT_EQ(registry->EntryCount(), 12);

  struct Case {
    TClass properties;
    TcxCustomFilterEditHelperClass expected;
  };
  const Case cases[] = {
      {TcxComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterComboBoxHelper>()},
      {TcxCustomComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterComboBoxHelper>()},
      // Registered for nothing of its own: the pair is keyed by the combo box's parent class.
      {TcxSceneComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterComboBoxHelper>()},
      {TcxMaskEditProperties::StaticClass(), FilterEditHelperClass<TcxFilterMaskEditHelper>()},
      {TcxCustomTextEditProperties::StaticClass(), FilterEditHelperClass<TcxFilterTextEditHelper>()},
      {TcxCustomDropDownEditProperties::StaticClass(), FilterEditHelperClass<TcxFilterMaskEditHelper>()},
      {TcxTrackBarProperties::StaticClass(), FilterEditHelperClass<TcxFilterTrackBarHelper>()},
      {TcxFontNameComboBoxProperties::StaticClass(), FilterEditHelperClass<TcxFilterFontNameComboBoxHelper>()},
      {TcxCustomEditProperties::StaticClass(), nullptr},
  };
  for (const Case& c : cases)
    EXPECT_EQ(registry->FindHelper(c.properties), c.expected) << c.properties->ClassName();
  EXPECT_EQ(TcxFilterEditsController::KeyClassOf(TcxComboBoxProperties::StaticClass()),
            TcxCustomComboBoxProperties::StaticClass());

  // Shutdown removes the pairs; the last one takes the registry with it.
  for (const Registration& r : registrations) {
    ASSERT_TRUE(FilterEditsControllerExists());
    FilterEditsControllerInstance()->RemoveHelper(r.properties, r.helper);
  }
  EXPECT_FALSE(FilterEditsControllerExists());
  // A late shutdown asks for it again: an empty one, freed by its first removal.
  FilterEditsControllerInstance()->RemoveHelper(TcxMemoProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterMemoHelper>());
  EXPECT_FALSE(FilterEditsControllerExists());
  FilterEditsControllerInstance()->AddHelper(TcxMemoProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterMemoHelper>());
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxMemoProperties::StaticClass()),
            FilterEditHelperClass<TcxFilterMemoHelper>());
  FilterEditsControllerInstance()->RemoveHelper(TcxMemoProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterMemoHelper>());
  EXPECT_FALSE(FilterEditsControllerExists());
}

TEST_F(FilterEditHelpersTest, OperatorSetsDropTheTextOnlyOperatorsForOtherTypes) {
  TcxCustomFilterEditHelperClass helper = FilterEditHelperClass<TcxCustomFilterEditHelper>();
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, nullptr, false), 1662u);
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, nullptr, true), 32382u);
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, ValueTypeClass<TcxStringValueType>(), true), 32766u);
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, ValueTypeClass<TcxStringValueType>(), false), 2046u);
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, ValueTypeClass<TcxIntegerValueType>(), true), 32382u);

  EXPECT_EQ(helper->FilterEditorClass(), nullptr);
  EXPECT_FALSE(helper->KeepsEditButtons());
  EXPECT_FALSE(helper->FiltersByDisplayValue());
  Variant v("12");
  EXPECT_TRUE(helper->AcceptsValueForType(ValueTypeClass<TcxIntegerValueType>(), v));
  EXPECT_EQ(VarType(v), varInteger) << "the value comes back converted";
  Variant text("twelve");
  EXPECT_FALSE(helper->AcceptsValueForType(ValueTypeClass<TcxIntegerValueType>(), text));
}

TEST_F(FilterEditHelpersTest, PreparingFilterPropertiesCopiesThenResetsTheFilterSettings) {
  TcxComboBoxProperties source(nullptr);
  source.Alignment()->SetHorz(taRightJustify);
  source.Alignment()->SetVert(taVCenter);
  source.SetBeepOnError(true);
  source.SetReadOnly(true);
  source.SetImmediatePost(true);
  source.Buttons()->AddButton();
  source.Buttons()->AddButton();
  int fired = 0;
  source.OnChange = [&fired](TObject*) { ++fired; };
  source.OnValidate = [&fired](TObject*, Variant&, String&, bool&) { ++fired; };
  source.OnButtonClick = [&fired](TObject*, int) { ++fired; };
  source.OnEditValueChanged = [&fired](TObject*) { ++fired; };

  for (bool keep : {true, false}) {
    TcxComboBoxProperties target(nullptr);
    FilterEditHelperClass<TcxCustomFilterEditHelper>()->PrepareFilterProperties(&target, &source, keep);
    EXPECT_EQ(target.Buttons()->Count(), keep ? 2 : 0) << keep;
    EXPECT_TRUE(target.ImmediatePost()) << "copied";
    EXPECT_EQ(target.Alignment()->Horz(), taLeftJustify);
    EXPECT_EQ(target.Alignment()->Vert(), taTopJustify);
    EXPECT_FALSE(target.BeepOnError());
    EXPECT_FALSE(target.ReadOnly());
    EXPECT_TRUE(target.IsReadOnlyStored()) << "written through its setter";
    EXPECT_TRUE(target.ValidateOnEnter());
    EXPECT_FALSE(target.OnChange || target.OnValidate || target.OnButtonClick || target.OnEditValueChanged);
  }
  FilterEditHelperClass<TcxCustomFilterEditHelper>()->ClearPropertiesEvents(nullptr);
  EXPECT_TRUE(source.OnChange) << "the source keeps its own";
}

TEST_F(FilterEditHelpersTest, AnEditorsValueAndTextAreReadBackAndItsPropertiesPreparedFromIt) {
  std::unique_ptr<TForm> form(NewForm(0, 0, 200, 100));
  auto* edit = new TcxCustomEdit(form.get());
  edit->SetParent(form.get());
  edit->SetEditValue(Variant(42));
  Variant value;
  String text = "stale";
  TcxCustomFilterEditHelperClass helper = FilterEditHelperClass<TcxFilterComboBoxHelper>();
  helper->ReadFilterValue(edit, edit->ActiveProperties(), value, text);
  EXPECT_EQ(value.AsInteger(), 42);
  EXPECT_EQ(text, "") << "the base properties show no text";

  TcxComboBoxProperties source(nullptr);
  source.Buttons()->AddButton();
  source.SetBeepOnError(true);
  helper->InitializeFromEdit(edit, &source);
  EXPECT_EQ(edit->Properties()->Buttons()->Count(), 1) << "a drop-down helper keeps the buttons";
  EXPECT_FALSE(edit->Properties()->BeepOnError());
}

}  // namespace
