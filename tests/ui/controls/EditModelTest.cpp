// The editor framework's model: properties with their change signalling, optional values,
// alignment and provider; edit buttons; the repository; editor styles and the default controller.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Forms.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditViewData.h"
#include "ui/controls/EditViewInfo.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Office11Colors.h"

namespace {

using controlstest::ControlsTest;

// Properties that validate, as text editors' do.
class TValidatingProperties : public TcxCustomEditProperties {
  VW_CLASS(TValidatingProperties, TcxCustomEditProperties)
 public:
  explicit TValidatingProperties(TPersistent* AOwner) : TcxCustomEditProperties(AOwner) {}
  bool CanValidate() override { return true; }
};

// An editor whose validation handler and display text a test sets.
class TValidatingEdit : public TcxCustomEdit {
  VW_CLASS(TValidatingEdit, TcxCustomEdit)
 public:
  explicit TValidatingEdit(TComponent* AOwner) : TcxCustomEdit(AOwner) {}
  TcxEditValidateEvent Handler;
  String Shown = "shown";
  bool InPlace = false;
  bool HasValidateHandler() override { return Handler != nullptr; }
  void FireValidate(Variant& DisplayValue, String& ErrorText, bool& Error) override {
    Handler(this, DisplayValue, ErrorText, Error);
  }
  String CurrentDisplayText() override { return Shown; }
  bool IsInPlace() override { return InPlace; }
};

class TProvider : public TcxCustomEditDefaultValuesProvider {
  VW_CLASS(TProvider, TcxCustomEditDefaultValuesProvider)
 public:
  explicit TProvider(TPersistent* AOwner) : TcxCustomEditDefaultValuesProvider(AOwner) {}
  TAlignment Alignment = taLeftJustify;
  double Max = 0;
  bool ReadOnlyDefault = false;
  TAlignment DefaultAlignment() override { return Alignment; }
  double DefaultMaxValue() override { return Max; }
  bool DefaultReadOnly() override { return ReadOnlyDefault; }
};

class TcxEditRepositoryTextItem : public TcxEditRepositoryItem {
  VW_CLASS(TcxEditRepositoryTextItem, TcxEditRepositoryItem)
 public:
  explicit TcxEditRepositoryTextItem(TComponent* AOwner) : TcxEditRepositoryItem(AOwner) {}
};

class TListener : public IcxEditRepositoryItemListener {
 public:
  TListener(std::vector<String>& Log, String Name) : FLog(Log), FName(std::move(Name)) {}
  void ItemRemoved(TcxEditRepositoryItem*) override { FLog.push_back(FName + " removed"); }
  void PropertiesChanged(TcxEditRepositoryItem*) override { FLog.push_back(FName + " changed"); }

 private:
  std::vector<String>& FLog;
  String FName;
};

class EditModelTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    properties = std::make_unique<TcxCustomEditProperties>(nullptr);
    properties->OnPropertiesChanged = [this](TObject*) { ++notifications; };
  }
  void TearDown() override {
    properties.reset();
    ControlsTest::TearDown();
  }
  std::unique_ptr<TcxCustomEditProperties> properties;
  int notifications = 0;
};

// ---- properties -------------------------------------------------------------------------------------

TEST_F(EditModelTest, FreshPropertiesHaveTheirDefaultsAndLiveInTheList) {
  EXPECT_EQ(properties->ClickKey(), 0x400D);
  EXPECT_TRUE(properties->AutoSelect());
  EXPECT_TRUE(properties->UseMouseWheel());
  EXPECT_TRUE(properties->UseLeftAlignmentOnEditing());
  EXPECT_FALSE(properties->ValidateOnEnter());
  EXPECT_EQ(properties->ButtonsViewStyle(), 0);
  EXPECT_EQ(properties->Buttons()->Count(), 0);
  const auto& all = TcxCustomEditProperties::AllProperties();
  EXPECT_NE(std::find(all.begin(), all.end(), properties.get()), all.end());
  TcxCustomEditProperties* raw = properties.get();
  properties.reset();
  EXPECT_EQ(std::find(all.begin(), all.end(), raw), all.end());
}

TEST_F(EditModelTest, ABracketTellsOnceAndOnlyWhenSomethingChanged) {
  properties->LockUpdate();
  properties->SetAutoSelect(false);
  properties->SetTransparent(true);
  EXPECT_EQ(notifications, 0);
  properties->UnlockUpdate(true);
  EXPECT_EQ(notifications, 1) << "two changes, one notification";

  properties->LockUpdate();
  properties->UnlockUpdate(true);
  EXPECT_EQ(notifications, 1) << "a bracket without changes tells nothing";

  properties->LockUpdate();
  properties->SetAutoSelect(true);
  properties->UnlockUpdate(false);
  EXPECT_EQ(notifications, 1) << "UnlockUpdate(false) drops the change";

  properties->LockUpdate();
  properties->LockUpdate();
  properties->SetButtonsViewStyle(1);
  properties->UnlockUpdate(true);
  EXPECT_EQ(notifications, 1) << "the inner bracket does not tell";
  properties->LockUpdate();  // re-opening an inner bracket keeps what is pending
  properties->UnlockUpdate(true);
  properties->UnlockUpdate(true);
  EXPECT_EQ(notifications, 2);

  properties->UnlockUpdate(true);
  EXPECT_EQ(properties->UpdateCount(), 0) << "an unlock without a lock changes nothing";
  EXPECT_EQ(notifications, 2);

  properties->SetChangesLocked(true);
  properties->SetTransparent(false);
  EXPECT_EQ(notifications, 2);
  EXPECT_TRUE(properties->ChangePending());
  properties->SetChangesLocked(false);
  EXPECT_EQ(notifications, 2) << "releasing the changes lock tells nothing by itself";
}

TEST_F(EditModelTest, ARaisingHandlerLeavesTheNestingCountRestored) {
  properties->OnPropertiesChanged = [this](TObject*) {
    EXPECT_TRUE(properties->IsNotifyingChange());
    throw EcxEditError("handler failed");
  };
  EXPECT_THROW(properties->SetAutoSelect(false), EcxEditError);
  EXPECT_FALSE(properties->IsNotifyingChange());
}

TEST_F(EditModelTest, ChangesWhileTheOwnerIsDestroyedAreOnlyMarked) {
  TForm* form = NewForm(0, 0, 100, 100);
  auto* edit = new TValidatingEdit(form);
  TcxCustomEditProperties owned(edit);
  int told = 0;
  owned.OnPropertiesChanged = [&](TObject*) { ++told; };
  owned.SetTransparent(true);
  EXPECT_EQ(told, 1);
  edit->Destroying();
  owned.SetTransparent(false);
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(owned.ChangePending());
  delete edit;
}

TEST_F(EditModelTest, OptionalValuesFallBackToTheProviderUntilAssigned) {
  auto provider = std::make_unique<TProvider>(nullptr);
  provider->Max = 99;
  provider->ReadOnlyDefault = true;
  properties->AttachDefaultValuesProvider(provider.get());
  EXPECT_EQ(properties->MaxValue(), 99);
  EXPECT_TRUE(properties->ReadOnly());
  EXPECT_FALSE(properties->AllowsEditing());

  properties->SetReadOnly(false);
  EXPECT_TRUE(properties->AssignedValues()->ReadOnly()) << "false too marks it assigned";
  EXPECT_EQ(notifications, 1);
  EXPECT_FALSE(properties->ReadOnly()) << "the provider's default no longer counts";
  EXPECT_TRUE(properties->IsReadOnlyStored());
  properties->SetReadOnly(false);
  EXPECT_EQ(notifications, 1) << "the same value again changes nothing";

  properties->SetMinValue(-5);
  EXPECT_EQ(notifications, 2) << "the flag and the value are one change";
  EXPECT_EQ(properties->MinValue(), -5);

  // The unbound provider's other answers.
  EXPECT_EQ(provider->AuxiliaryCode(), 3);
  EXPECT_EQ(provider->DefaultPrecision(), 15);
  EXPECT_TRUE(provider->CanEnterEditMode() && provider->AllowsModification() && provider->IsDataAvailable());
  EXPECT_TRUE(provider->AcceptsChar(U'中'));
  EXPECT_FALSE(provider->AcceptsAnyChar() || provider->IsDataStorage() || provider->IsBlobValue());
  EXPECT_EQ(provider->ImplementingObject(), provider.get());

  provider.reset();
  EXPECT_EQ(properties->DefaultValuesProvider(), nullptr) << "a destroyed provider detaches itself";
  EXPECT_EQ(properties->MaxValue(), 0);
  EXPECT_EQ(properties->MinValue(), -5);
}

TEST_F(EditModelTest, TheProvidersAlignmentIsShownButNeitherAssignedNorStored) {
  TProvider provider(nullptr);
  provider.Alignment = taRightJustify;
  properties->AttachDefaultValuesProvider(&provider);
  TcxEditAlignment* alignment = properties->Alignment();
  EXPECT_EQ(alignment->Horz(), taRightJustify);
  EXPECT_FALSE(alignment->IsHorzAssigned());
  EXPECT_FALSE(properties->IsAlignmentStored());
  EXPECT_EQ(notifications, 0);

  alignment->SetHorz(taCenter);
  EXPECT_EQ(notifications, 1);
  EXPECT_TRUE(properties->InnerAlignment()->IsHorzAssigned());
  EXPECT_EQ(properties->Alignment()->Horz(), taCenter);
  EXPECT_TRUE(properties->IsAlignmentStored());

  properties->ResetToDefaults();
  EXPECT_EQ(properties->Alignment()->Horz(), taRightJustify);
  EXPECT_FALSE(properties->IsAlignmentStored());
  properties->ClearDefaultValuesProvider();
}

TEST_F(EditModelTest, AssignFromCopiesValuesAndEventsButNotTheOwnersHandlers) {
  TcxCustomEditProperties source(nullptr);
  int clicks = 0, closed = 0, sourceChanges = 0;
  source.OnButtonClick = [&](TObject*, int) { ++clicks; };
  source.OnChange = [](TObject*) {};
  source.OnEditValueChanged = [](TObject*) {};
  source.OnValidate = [](TObject*, Variant&, String&, bool&) {};
  source.OnPopupClosed = [&](TObject*, int) { ++closed; };
  source.OnPropertiesChanged = [&](TObject*) { ++sourceChanges; };
  source.SetMaxValue(10);
  source.SetReadOnly(true);
  source.SetClickKey(0);
  source.Buttons()->AddButton()->SetKind(TcxEditButtonKind::bkGlyph);
  source.Alignment()->SetHorz(taRightJustify);

  properties->AssignFrom(&source);
  EXPECT_EQ(notifications, 1) << "one change for the whole copy";
  ASSERT_TRUE(properties->OnButtonClick);
  EXPECT_TRUE(properties->OnChange && properties->OnEditValueChanged && properties->OnValidate);
  EXPECT_FALSE(properties->OnPopupClosed);
  properties->OnButtonClick(nullptr, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(properties->MaxValue(), 10);
  EXPECT_TRUE(properties->AssignedValues()->MaxValue());
  EXPECT_FALSE(properties->AssignedValues()->MinValue());
  EXPECT_TRUE(properties->ReadOnly());
  EXPECT_EQ(properties->ClickKey(), 0);
  ASSERT_EQ(properties->Buttons()->Count(), 1);
  EXPECT_EQ(properties->Buttons()->ButtonAt(0)->Kind(), TcxEditButtonKind::bkGlyph);
  EXPECT_EQ(properties->Alignment()->Horz(), taRightJustify);
  // The own change handler stayed.
  properties->SetTransparent(true);
  EXPECT_EQ(notifications, 2);
}

TEST_F(EditModelTest, ValidationRestoresTheShownTextOrKeepsTheHandlersChange) {
  TForm* form = NewForm(0, 0, 100, 100);
  auto* edit = new TValidatingEdit(form);
  TValidatingProperties validating(nullptr);

  struct Case {
    const char* Name;
    bool ChangeValue;
    const char* Expected;
    bool Changed;
  } cases[] = {{"untouched", false, "shown", false}, {"changed", true, "fixed", true}};
  for (const Case& c : cases) {
    String seenError;
    edit->Handler = [&](TObject*, Variant& DisplayValue, String& ErrorText, bool& Error) {
      seenError = ErrorText;
      Error = true;
      if (c.ChangeValue) DisplayValue = "fixed";
    };
    Variant value = "typed";
    String errorText;
    bool error = false, changed = false;
    validating.ValidateDisplayValue(value, errorText, edit, error);
    EXPECT_TRUE(error) << c.Name;
    EXPECT_EQ(VarToStr(value), c.Expected) << c.Name;
    EXPECT_EQ(seenError, "Invalid input value. Use escape key to abandon changes") << c.Name;
    value = "typed";
    error = false;
    validating.RunValidateEvent(value, errorText, changed, edit, error);
    EXPECT_EQ(changed, c.Changed) << c.Name;
  }

  // The base properties do not validate at all.
  Variant value = "typed";
  String errorText;
  bool error = false;
  properties->ValidateDisplayValue(value, errorText, edit, error);
  EXPECT_FALSE(error);
  EXPECT_TRUE(errorText.empty());
}

TEST_F(EditModelTest, ThePropertiesNameTheirFamilysClasses) {
  EXPECT_EQ(properties->EditClass(), TcxCustomEdit::StaticClass());
  EXPECT_EQ(properties->SupportedOperations(), 0);
  properties->Buttons()->AddButton();
  EXPECT_EQ(properties->SupportedOperations(), esoHasButtons);

  std::unique_ptr<TcxContainerViewInfo> viewInfo(properties->ViewInfoClass()());
  EXPECT_NE(dynamic_cast<TcxCustomEditViewInfo*>(viewInfo.get()), nullptr);
  std::unique_ptr<TcxContainerStyle> style(properties->StyleClass()(nullptr, nullptr, csiNormal));
  auto* editStyle = dynamic_cast<TcxEditStyle*>(style.get());
  ASSERT_NE(editStyle, nullptr);
  std::unique_ptr<TcxCustomEditViewData> viewData(properties->CreateViewData(editStyle, true, true));
  EXPECT_TRUE(viewData->IsInplace);
  EXPECT_TRUE(viewData->PreviewMode);
  EXPECT_EQ(viewData->Properties, properties.get());

  TValidatingProperties validating(nullptr);
  std::unique_ptr<TcxCustomEditProperties> preview(validating.CreatePreviewProperties());
  EXPECT_EQ(preview->ClassType(), TValidatingProperties::StaticClass());
  EXPECT_EQ(preview->Owner(), nullptr);

  EXPECT_TRUE(properties->EditValuesEqual(Variant(5), Variant(5)));
  EXPECT_TRUE(VarEqualsSameType(Variant(5), Variant(5)));
  EXPECT_FALSE(VarEqualsSameType(Variant(5), Variant(5.0)));
}

TEST_F(EditModelTest, TheRegistryListsEditorsByDescription) {
  // Stand-ins for the editor units that register themselves.
  const TResStringRec* texts[] = {
      &cxLibraryStrings::scxSEditRepositoryTextItem,  &cxLibraryStrings::scxSEditRepositoryMaskItem,
      &cxLibraryStrings::scxSEditRepositoryComboBoxItem, &cxLibraryStrings::scxSEditRepositoryPopupItem,
      &cxLibraryStrings::scxSEditRepositoryCheckBoxItem, &cxLibraryStrings::scxSEditRepositoryRadioGroupItem,
      &scxSEditRepositoryLabelItem,                    &cxLibraryStrings::scxSEditRepositorySpinItem,
      &scxSEditRepositoryTrackBarItem,                 &cxLibraryStrings::scxSEditRepositoryImageComboBoxItem,
      &scxSEditRepositoryColorComboBoxItem,            &scxSEditRepositoryFontNameComboBoxItem,
      &cxLibraryStrings::scxSEditRepositoryMemoItem,
  };
  // Distinct classes: the registry lists a class once.
  const TClass classes[] = {TcxCustomEditProperties::StaticClass(), TValidatingProperties::StaticClass(),
                            TcxEditStyle::StaticClass(), TcxCustomEditStyle::StaticClass(),
                            TcxEditButton::StaticClass(), TcxEditButtons::StaticClass(),
                            TcxEditAlignment::StaticClass(), TcxCustomEditPropertiesValues::StaticClass(),
                            TcxEditRepository::StaticClass(), TcxEditRepositoryItem::StaticClass(),
                            TcxCustomEditViewData::StaticClass(), TcxCustomEditViewInfo::StaticClass(),
                            TcxEditButtonViewInfo::StaticClass()};
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  EXPECT_EQ(registry, EditPropertiesClassRegistry()) << "made once";
  for (int i = 0; i < 13; ++i) registry->AddClass(classes[i], GetLocalizedResString(texts[i]));
  ASSERT_EQ(registry->ItemCount(), 13);
  std::vector<String> captions;
  for (int i = 0; i < 13; ++i) captions.push_back(registry->CaptionAt(i));
  EXPECT_EQ(captions, (std::vector<String>{"CheckBox", "ColorComboBox ", "ComboBox", "FontNameComboBox ",
                                           "ImageComboBox", "Label", "MaskEdit", "Memo", "PopupEdit", "RadioGroup",
                                           "SpinEdit", "TextEdit", "TrackBar"}));
  EXPECT_EQ(GetLocalizedResString(scxSEditRepositoryColorComboBoxItem),
            "ColorComboBox |Represents a editor with color functionality");
  for (TClass c : classes) registry->RemoveClass(c);
  EXPECT_EQ(registry->ItemCount(), 0);
}

TEST_F(EditModelTest, EditorErrorsAreLibraryErrors) {
  try {
    throw EcxEditValidationError("bad value");
  } catch (const EcxEditError& e) {
    EXPECT_STREQ(e.what(), "bad value");
    EXPECT_NE(dynamic_cast<const EdxException*>(&e), nullptr);
  }
}

// ---- edit buttons -----------------------------------------------------------------------------------

TEST_F(EditModelTest, ASecondDefaultButtonClearsTheFirstInOneChange) {
  TcxEditButton* first = properties->Buttons()->AddButton();
  TcxEditButton* second = properties->Buttons()->AddButton();
  EXPECT_EQ(first->Kind(), TcxEditButtonKind::bkDown);
  EXPECT_TRUE(first->Enabled() && first->Visible() && first->Stretchable());
  EXPECT_EQ(first->ContentAlignment(), taCenter);
  EXPECT_EQ(first->TextColor(), clBtnText);
  int changes = 0;
  properties->Buttons()->OnChange = [&](TObject*) { ++changes; };
  first->SetDefault(true);
  EXPECT_EQ(changes, 1);
  second->SetDefault(true);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(first->Default());
  EXPECT_TRUE(second->Default());
}

TEST_F(EditModelTest, AnyButtonChangeMakesThePropertiesSignal) {
  TcxEditButton* button = properties->Buttons()->AddButton();
  int before = notifications;
  EXPECT_GE(before, 1) << "adding a button is a change";

  button->SetCaption("&Open");
  EXPECT_EQ(button->VisibleCaption(), "Open");
  button->SetHint("hint");
  button->SetLeftAlignment(true);
  button->SetTag(7);
  EXPECT_EQ(notifications, before + 4);

  EXPECT_EQ(button->AssignedGlyph(), nullptr);
  TBitmap* glyph = button->Glyph();
  ASSERT_NE(glyph, nullptr);
  EXPECT_TRUE(glyph->Empty()) << "read makes an empty glyph";
  glyph->SetSize(8, 8);
  EXPECT_GT(notifications, before + 4) << "the glyph's own change reaches the properties";
  button->SetGlyph(nullptr);
  EXPECT_EQ(button->AssignedGlyph(), nullptr);

  button->SetWidth(-3);
  button->SetWidth(20);
  EXPECT_EQ(button->Width(), -3) << "a negative width ignores later writes";

  TcxEditButtons other(nullptr);
  int otherChanges = 0;
  other.OnChange = [&](TObject*) { ++otherChanges; };
  TcxEditButton* copy = other.AddButton();
  otherChanges = 0;
  copy->Assign(button);
  EXPECT_EQ(otherChanges, 1) << "Assign is one update";
  EXPECT_EQ(copy->Caption(), "&Open");
  EXPECT_TRUE(copy->LeftAlignment());
  EXPECT_EQ(copy->Tag(), 7);
  EXPECT_EQ(other.VisibleCount(), 1);
}

// ---- repository -------------------------------------------------------------------------------------

TEST_F(EditModelTest, RepositoryItemsTellTheirListenersLastFirst) {
  std::vector<String> log;
  TListener a(log, "a"), b(log, "b");
  auto* repository = new TcxEditRepository(nullptr);
  repository->SetName("Repo");
  TcxEditRepositoryItem* item = repository->NewItem(TcxEditRepositoryTextItem::StaticClass());
  EXPECT_EQ(item->Repository(), repository);
  EXPECT_EQ(item->Owner(), repository);
  EXPECT_EQ(item->DefaultItemName(), "RepoTextItem");
  EXPECT_TRUE(item->HasParent());
  EXPECT_EQ(item->GetParentComponent(), repository);
  item->RegisterListener(&a);
  item->RegisterListener(&b);
  item->RegisterListener(&a);
  EXPECT_EQ(item->ListenerCount(), 2);

  item->Properties()->SetAutoSelect(false);
  EXPECT_EQ(log, (std::vector<String>{"b changed", "a changed"}));
  log.clear();
  item->Properties()->Buttons()->AddButton();
  EXPECT_EQ(log, (std::vector<String>{"b changed", "a changed"})) << "a button change reaches the listeners";

  auto* plain = repository->NewItem(TcxEditRepositoryItem::StaticClass());
  EXPECT_EQ(plain->DefaultItemName(), "RepoItem");
  EXPECT_EQ(repository->ItemCount(), 2);

  log.clear();
  delete repository;
  EXPECT_EQ(log, (std::vector<String>{"b removed", "a removed"}));
}

// ---- styles -----------------------------------------------------------------------------------------

class EditStyleTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(0, 0, 300, 200);
    edit = new TValidatingEdit(form);
    edit->SetParent(form);
  }
  TcxCustomEditStyle* Style(TcxContainerStateStyleIndex Index) {
    return static_cast<TcxCustomEditStyle*>(edit->Styles()->StyleOfState(Index));
  }
  TForm* form = nullptr;
  TValidatingEdit* edit = nullptr;
};

TEST_F(EditStyleTest, TheUnitInstallsTheDefaultControllerAndTheWheelCursor) {
  ASSERT_NE(DefaultEditStyleController(), nullptr);
  EXPECT_EQ(DefaultStyleController(), DefaultEditStyleController());
  EXPECT_NE(Screen->Cursors(crcxEditMouseWheel), Screen->Cursors(crDefault));
  EXPECT_EQ(Style(csiNormal)->ActiveStyleController(), DefaultEditStyleController()) << "a stand-alone editor follows it";
  EXPECT_EQ(Style(csiNormal)->StyleController(), nullptr) << "but does not show it";
}

TEST_F(EditStyleTest, EditValuesDefaultAndStateStylesAnswerTheNormalStyles) {
  TcxCustomEditStyle* normal = Style(csiNormal);
  EXPECT_EQ(normal->ButtonStyle(), btsDefault);
  EXPECT_EQ(normal->ButtonTransparency(), ebtNone);
  EXPECT_FALSE(normal->Gradient());
  EXPECT_FALSE(normal->GradientButtons());
  EXPECT_EQ(normal->GradientDirection(), dirDown);
  EXPECT_EQ(normal->PopupBorderStyle(), epbsDefault);
  EXPECT_TRUE(normal->EffectivePopupCloseButton());
  EXPECT_EQ(normal->StyleValueTotal(), 16);
  String name;
  EXPECT_TRUE(normal->StyleValueTitle(svGradientDirection, name));
  EXPECT_EQ(name, "GradientDirection");
  EXPECT_TRUE(normal->StyleValueTitle(csvTextColor, name));
  EXPECT_EQ(name, "TextColor");
  EXPECT_FALSE(normal->StyleValueTitle(16, name));
  EXPECT_EQ(normal->UnpublishedStyleValues().Bits(), 0xFA78u);

  normal->SetButtonStyle(btsHotFlat);
  EXPECT_EQ(Style(csiFocused)->ButtonStyle(), btsHotFlat) << "no own value, no controller: the normal style's";
  Style(csiFocused)->SetButtonStyle(bts3D);
  EXPECT_EQ(Style(csiFocused)->ButtonStyle(), bts3D) << "a state style keeps its own button style";
  EXPECT_EQ(normal->ButtonStyle(), btsHotFlat);

  Style(csiFocused)->SetGradient(true);
  EXPECT_TRUE(normal->Gradient());
  EXPECT_TRUE(normal->AssignedValues().Contains(svGradient));
  EXPECT_FALSE(Style(csiFocused)->AssignedValues().Contains(svGradient)) << "written on the normal style";
}

TEST_F(EditStyleTest, AControllersStateStyleComesBeforeTheNormalStyle) {
  TcxEditStyleController controller(nullptr);
  controller.StyleFocused()->SetButtonStyle(btsUltraFlat);
  Style(csiNormal)->SetButtonStyle(btsFlat);
  Style(csiNormal)->SetStyleController(&controller);
  EXPECT_EQ(Style(csiFocused)->ButtonStyle(), btsUltraFlat);
  EXPECT_EQ(Style(csiHot)->ButtonStyle(), btsFlat);
  // Chains of controllers are followed.
  TcxEditStyleController first(nullptr);
  first.Style()->SetButtonTransparency(ebtHideInactive);
  controller.Style()->SetStyleController(&first);
  EXPECT_EQ(Style(csiNormal)->ButtonTransparency(), ebtHideInactive);
  Style(csiNormal)->SetStyleController(nullptr);
}

TEST_F(EditStyleTest, InPlaceAndDirectAccessStylesFollowNoController) {
  edit->InPlace = true;
  TcxEditStyle inplace(edit, nullptr, csiNormal);
  EXPECT_EQ(inplace.ActiveStyleController(), nullptr);
  edit->InPlace = false;
  TcxEditStyle standalone(edit, nullptr, csiNormal);
  EXPECT_EQ(standalone.ActiveStyleController(), DefaultEditStyleController());

  TcxEditStyleController controller(nullptr);
  controller.Style()->SetButtonStyle(btsOffice11);
  TcxEditStyle direct(nullptr, nullptr, csiNormal, true);
  EXPECT_EQ(direct.ActiveStyleController(), nullptr);
  direct.SetStyleController(&controller);
  EXPECT_EQ(direct.ButtonStyle(), btsDefault) << "direct access reads only its own values";
  direct.SetStyleController(nullptr);
}

TEST_F(EditStyleTest, TheUnitShutsDownInOrder) {
  TcxEditStyleController* controller = DefaultEditStyleController();
  ASSERT_NE(controller, nullptr);
  TcxContainerStyle* normal = Style(csiNormal);
  delete edit;
  edit = nullptr;
  EditUnitShutdown();
  EXPECT_EQ(DefaultEditStyleController(), nullptr);
  EXPECT_EQ(DefaultStyleController(), nullptr);
  EXPECT_TRUE(TcxCustomEditProperties::AllProperties().empty());
  (void)normal;
  EditUnitStartup();
  EXPECT_NE(DefaultEditStyleController(), nullptr);
}


TEST_F(EditStyleTest, EditValuesSurviveAFormDescriptionOnlyWhereSet) {
  RegisterClassesOf<TcxEditStyleController>();
  TcxEditStyleController controller(nullptr);
  controller.SetName("Controller");
  controller.Style()->SetEditBorderStyle(ebsThick);
  controller.Style()->SetGradientDirection(dirLeft);
  controller.StyleFocused()->SetButtonStyle(btsFlat);
  String text = ComponentToFormText(&controller);
  EXPECT_NE(text.find("Style.BorderStyle = ebsThick"), String::npos) << text;
  EXPECT_NE(text.find("Style.GradientDirection = dirLeft"), String::npos) << text;
  EXPECT_NE(text.find("StyleFocused.ButtonStyle = btsFlat"), String::npos) << text;
  EXPECT_EQ(text.find("PopupBorderStyle"), String::npos) << "unassigned values are not stored\n" << text;

  std::unique_ptr<TComponent> copy(FormTextToComponent(text, nullptr));
  auto* read = dynamic_cast<TcxEditStyleController*>(copy.get());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Style()->EditBorderStyle(), ebsThick);
  EXPECT_EQ(read->Style()->GradientDirection(), dirLeft);
  EXPECT_EQ(read->StyleFocused()->ButtonStyle(), btsFlat);
  EXPECT_FALSE(read->Style()->AssignedValues().Contains(svButtonStyle));
}

TEST_F(EditStyleTest, TheEditBorderColourFollowsTheBorderStyleAndState) {
  TcxCustomEditProperties properties(nullptr);
  TcxEditStyle style(nullptr, nullptr, csiNormal);
  style.SetBorderColor(clMaroon);
  struct Case {
    TcxEditBorderStyle Border;
    TcxContainerVisualState State;
    TColor Expected;
  } cases[] = {{ebsSingle, cvsNormal, clMaroon},          {ebsSingle, cvsFocused, clMaroon},
               {ebsUltraFlat, cvsNormal, clBtnShadow},    {ebsUltraFlat, cvsFocused, clHighlight},
               {ebsUltraFlat, cvsHot, clHighlight},       {ebsOffice11, cvsFocused, Office11HighlightFrameColor}};
  for (const Case& c : cases) {
    style.SetEditBorderStyle(c.Border);
    std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(&style, false));
    data->ContainerState = c.State;
    EXPECT_EQ(data->EditBorderColor(), c.Expected) << c.Border << " " << int(c.State);
  }
}

}  // namespace
