// The editor base on the headless screen: the value's life cycle with its change events and
// locks, validation, posting and leaving, keys and mouse injected as an operator would press
// them, in-place activation on a virtual clock, auto size with anchors, streaming, and the
// binding that binds an editor to nothing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/Menus.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/WindowProcController.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

// A properties class that compares, validates and reverts values, and measures its content as
// 8 pixels a character.
class TTextViewData : public TcxCustomEditViewData {
  VW_CLASS(TTextViewData, TcxCustomEditViewData)
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;
  TSize ContentSizeForValue(TcxCanvas*, const Variant& Value, const TcxEditSizeProperties&) override {
    return TSize(VarIsNull(Value) ? 0 : 8 * static_cast<int>(VarToStr(Value).size()), 13);
  }
};

class TTestEditProperties : public TcxCustomEditProperties {
  VW_CLASS(TTestEditProperties, TcxCustomEditProperties)
 public:
  explicit TTestEditProperties(TPersistent* AOwner) : TcxCustomEditProperties(AOwner) {}
  bool Tabs = false;
  bool CanCompareEditValues() override { return true; }
  bool CanValidate() override { return true; }
  bool CanRevertEditValue() override { return true; }
  bool WantsTabs() override { return Tabs; }
  TcxCustomEditViewDataClass ViewDataClass() override { return EditViewDataClassOf<TTextViewData>(); }
};

class TOtherProperties : public TcxCustomEditProperties {
  VW_CLASS(TOtherProperties, TcxCustomEditProperties)
 public:
  explicit TOtherProperties(TPersistent* AOwner) : TcxCustomEditProperties(AOwner) {}
};

// A binding that records what it is asked to store.
class TRecordingBinding : public TcxEditDataBinding {
  VW_CLASS(TRecordingBinding, TcxEditDataBinding)
 public:
  explicit TRecordingBinding(TcxCustomEdit* AEdit) : TcxEditDataBinding(AEdit) {}
  TRecordingBinding(TcxCustomEdit* AEdit, const TcxEditDefaultValuesProviderClass& ProviderClass)
      : TcxEditDataBinding(AEdit, ProviderClass) {}
  std::vector<String>* Log = nullptr;
  std::function<void()> OnAfterLoad;
  std::vector<Variant> Stored;
  int Reads = 0;
  void ReadStoredValue(Variant& Value) override {
    ++Reads;
    TcxEditDataBinding::ReadStoredValue(Value);
  }
  void WriteStoredValue(const Variant& Value) override {
    Stored.push_back(Value);
    if (Log) Log->push_back("post");
  }
  void AfterLoad() override {
    if (OnAfterLoad) OnAfterLoad();
  }
};

// The minimal editor: its display is a text kept beside the value.
class TTestEdit : public TcxCustomEdit {
  VW_CLASS(TTestEdit, TcxCustomEdit)
 public:
  explicit TTestEdit(TComponent* AOwner)
      : TTestEdit(AOwner, TcxCustomEditClasses{TTestEditProperties::StaticClass(), nullptr,
                                               EditDataBindingClassOf<TRecordingBinding>()}) {}
  TTestEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes) : TcxCustomEdit(AOwner, Classes) {}
  String Shown;
  int SelectAlls = 0;
  int PostBrackets = 0;
  bool Anchored = false;
  bool AdjustsWidth = false;
  std::vector<TChar> Chars;

  TTestEditProperties* TestProperties() { return static_cast<TTestEditProperties*>(Properties()); }
  TRecordingBinding* Binding() { return static_cast<TRecordingBinding*>(DataBinding()); }
  // What typing does: the operator changes the value.
  void UserTypes(const String& Text) {
    SetUserAction(true);
    SetEditValue(Variant(Text));
    SetUserAction(false);
  }

  String CurrentDisplayText() override { return Shown; }
  // A new text may need another size.
  void RefreshDisplayText() override {
    Shown = VarIsNull(EditValue()) ? String() : VarToStr(EditValue());
    PlaceInnerControl();
  }
  void SetInnerEditValue(const Variant& Value) override { Shown = VarToStr(Value); }
  void ApplyEditValue(const Variant& Value) override { InternalSetEditValue(Value, true); }
  void SelectAllContent() override { ++SelectAlls; }
  void BeginPostEditValue() override {
    ++PostBrackets;
    TcxCustomEdit::BeginPostEditValue();
  }
  void EditKeyPress(TChar& Key) override {
    TcxCustomEdit::EditKeyPress(Key);
    if (Key != 0) Chars.push_back(Key);
  }
  bool AnchorsHorizontally() override { return Anchored; }
  bool AutoSizeAdjustsWidth() override { return AdjustsWidth || TcxCustomEdit::AutoSizeAdjustsWidth(); }
};

// An inner edit box that the editor drives through its interface.
class TInnerTestEdit : public TEdit, public IcxCustomInnerEdit {
  VW_CLASS(TInnerTestEdit, TEdit)
 public:
  explicit TInnerTestEdit(TComponent* AOwner) : TEdit(AOwner) {}
  TcxCustomEdit* Editor = nullptr;
  TcxContainer* ControlContainer() override { return Editor; }
  TWinControl* InnerControl() override { return this; }
  bool HandlesClipboardMessages() override { return true; }
  void TakeInnerFocus() override {
    if (CanFocus()) SetFocus();
  }
  void SetEditor(TcxCustomEdit* AEditor) override { Editor = AEditor; }
  void SetOnChange(TNotifyEvent Handler) override { OnChange = Handler; }
  void SetInnerReadOnly(bool Value) override { SetReadOnly(Value); }
};

class TInnerEditEdit : public TcxCustomEdit {
  VW_CLASS(TInnerEditEdit, TcxCustomEdit)
 public:
  explicit TInnerEditEdit(TComponent* AOwner)
      : TcxCustomEdit(AOwner, TcxCustomEditClasses{TTestEditProperties::StaticClass(), TInnerTestEdit::StaticClass(),
                                                   EditDataBindingClassOf<TcxEditDataBinding>()}) {}
};

class TTestRepositoryItem : public TcxEditRepositoryItem {
  VW_CLASS(TTestRepositoryItem, TcxEditRepositoryItem)
 public:
  explicit TTestRepositoryItem(TComponent* AOwner) : TcxEditRepositoryItem(AOwner, TTestEditProperties::StaticClass()) {}
};

class TOtherRepositoryItem : public TcxEditRepositoryItem {
  VW_CLASS(TOtherRepositoryItem, TcxEditRepositoryItem)
 public:
  explicit TOtherRepositoryItem(TComponent* AOwner) : TcxEditRepositoryItem(AOwner, TOtherProperties::StaticClass()) {}
};

class CustomEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    MoveMouse(1000, 700);
    form = NewForm(20, 20, 400, 300);
    before = NewButton(10, 10);
    edit = NewEdit(10, 50);
    after = NewButton(10, 120);
    Pump();
  }
  void TearDown() override {
    delete form;
    Pump();
    ControlsTest::TearDown();
  }

  TTestEdit* NewEdit(int x, int y) {
    auto* e = new TTestEdit(form);
    e->SetParent(form);
    e->SetBounds(x, y, 120, 21);
    return e;
  }
  TButton* NewButton(int x, int y) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetBounds(x, y, 60, 24);
    return b;
  }
  void Focus(TWinControl* Control) {
    form->FocusControl(Control);
    Pump();
  }
  void Press(unsigned Key, std::initializer_list<unsigned> Modifiers = {}) {
    for (unsigned m : Modifiers) Headless().InjectKey(m, true);
    Headless().InjectKey(Key, true);
    Headless().InjectKey(Key, false);
    for (unsigned m : Modifiers) Headless().InjectKey(m, false);
    Pump();
  }
  POINT ScreenOf(TControl* Control, int X, int Y) { return Control->ClientToScreen(POINT{X, Y}); }
  void Click(int X, int Y) {
    MoveMouse(X, Y);
    Headless().InjectMouseButton(1, true);
    Pump();
    Headless().InjectMouseButton(1, false);
    Pump();
  }
  // Events of the editor, in the order they come.
  void Record(TTestEdit* E) {
    E->Properties()->OnChange = [this](TObject*) { log.push_back("change"); };
    E->Properties()->OnEditValueChanged = [this](TObject*) { log.push_back("edit value changed"); };
  }
  int Count(const String& Entry) { return static_cast<int>(std::count(log.begin(), log.end(), Entry)); }

  TForm* form = nullptr;
  TButton* before = nullptr;
  TTestEdit* edit = nullptr;
  TButton* after = nullptr;
  std::vector<String> log;
};

// ---- the class ----------------------------------------------------------------------------------------

TEST_F(CustomEditTest, StartsUnanchoredUnheldNullAndUnboundAndHidesTheEditStyleValues) {
  auto* fresh = new TcxCustomEdit(form);
  EXPECT_EQ(fresh->AnchorX(), 2147483647);
  EXPECT_EQ(fresh->AnchorY(), 2147483647);
  EXPECT_EQ(fresh->HeldButtonIndex(), -1);
  EXPECT_TRUE(VarIsNull(fresh->EditValue()));
  EXPECT_TRUE(fresh->AutoSize());
  EXPECT_TRUE(fresh->TabStop());
  EXPECT_FALSE(fresh->IsInPlace());
  EXPECT_EQ(fresh->HiddenStyleValues().Bits(), 0xFC00u);
  EXPECT_EQ(fresh->Properties()->DefaultValuesProvider(), fresh->DataBinding()->ProviderInterface())
      << "a stand-alone editor's properties take the binding's defaults";

  // An unbound editor has data, is never read-only because of data, and is modified by its flag.
  TcxEditDataBinding* binding = fresh->DataBinding();
  EXPECT_TRUE(binding->DataAvailable());
  EXPECT_FALSE(binding->IsDataReadOnly());
  EXPECT_FALSE(binding->IsModified());
  fresh->MarkModified(true);
  EXPECT_TRUE(binding->IsModified() && binding->InEditMode() && binding->CanPost());

  fresh->SetParent(form);
  EXPECT_NE(fresh->PaintStateCode(), 3);
  fresh->Properties()->SetReadOnly(true);
  EXPECT_EQ(fresh->PaintStateCode(), 3) << "read-only paints in its own state";
  EXPECT_TRUE(fresh->ReadOnlyInEffect());
  fresh->SetEnabled(false);
  EXPECT_EQ(fresh->PaintStateCode(), 1) << "disabled wins";

  auto* inplace = TcxCustomEdit::ConstructInplace(TTestEdit::StaticClass(), form, true);
  EXPECT_TRUE(inplace->IsInPlace());
  EXPECT_FALSE(inplace->AutoSize());
  EXPECT_TRUE(inplace->Keys().Contains(wkAllKeys) && inplace->Keys().Contains(wkArrows) &&
              inplace->Keys().Contains(wkTab));
  EXPECT_EQ(inplace->Properties()->DefaultValuesProvider(), nullptr);
  inplace->SetAutoSize(true);
  EXPECT_FALSE(inplace->AutoSize()) << "in place AutoSize is ignored";
  EXPECT_FALSE(TcxCustomEdit::ConstructInplace(TTestEdit::StaticClass(), form, false)->IsInPlace());
}

// ---- values -------------------------------------------------------------------------------------------

TEST_F(CustomEditTest, ValuesCompareAsNumbersOrWithinOneVariantType) {
  struct Case {
    Variant a, b;
    bool same;
  };
  const Case cases[] = {
      {Variant(5), Variant(5.0), true},         {Variant("5"), Variant(5), false},
      {Variant("a"), Variant("a"), true},       {Variant("a"), Variant("b"), false},
      {Variant::Null(), Variant::Null(), true}, {Variant::Null(), Variant(0), false},
      {Variant(true), Variant("True"), false},  {Variant(std::int16_t{7}), Variant(7.0), true},
  };
  for (const Case& c : cases) EXPECT_EQ(EditValuesSame(c.a, c.b), c.same) << VarToStr(c.a) << " / " << VarToStr(c.b);

  Record(edit);
  edit->SetEditValue(Variant(5));
  edit->SetEditValue(Variant(5));
  EXPECT_EQ(Count("edit value changed"), 1) << "the same value twice is one change";
  EXPECT_EQ(Count("change"), 1) << "without text change events OnChange follows the value";
  edit->SetEditValue(Variant(5.0));
  EXPECT_EQ(Count("edit value changed"), 1) << "5.0 is the 5 there was";
  edit->SetEditValue(Variant("5"));
  EXPECT_EQ(Count("edit value changed"), 2) << "the text 5 is another value";
  EXPECT_EQ(edit->CurrentDisplayText(), "5");
  EXPECT_FALSE(edit->Modified()) << "a value set by the program is not the operator's change";

  edit->ResetEditValue();
  EXPECT_TRUE(VarIsNull(edit->EditValue()));
  EXPECT_EQ(Count("edit value changed"), 3);
}

TEST_F(CustomEditTest, WritesThatMustNotCountAreIgnoredOrSilent) {
  Record(edit);
  // Inside OnEditing the value is not the handler's to change.
  edit->OnEditing = [this](TObject*, bool&) { edit->SetEditValue(Variant("from OnEditing")); };
  edit->UserTypes("typed");
  EXPECT_EQ(VarToStr(edit->EditValue()), "typed");
  EXPECT_TRUE(edit->Modified());
  edit->OnEditing = nullptr;

  // No click while the value is being written.
  int clicks = 0;
  edit->OnClick = [&clicks](TObject*) { ++clicks; };
  edit->Properties()->OnEditValueChanged = [this](TObject*) { edit->Click(); };
  edit->SetEditValue(Variant("other"));
  EXPECT_EQ(clicks, 0);
  edit->Click();
  EXPECT_EQ(clicks, 1);

  // What settling after loading writes is kept and fires nothing.
  Record(edit);
  log.clear();
  edit->Binding()->OnAfterLoad = [this] { edit->SetEditValue(Variant("loaded")); };
  edit->FinishLoading();
  EXPECT_EQ(VarToStr(edit->EditValue()), "loaded");
  EXPECT_TRUE(log.empty()) << log.front();
}

TEST_F(CustomEditTest, LockedChangeEventsFireOnceOnChangeFirstOrNotAtAll) {
  Record(edit);
  edit->LockChangeEvents(true);
  edit->SetEditValue(Variant("a"));
  edit->SetEditValue(Variant("b"));
  EXPECT_TRUE(log.empty());
  edit->LockChangeEvents(true);
  edit->LockChangeEvents(false);
  EXPECT_TRUE(log.empty()) << "only the last unlock fires";
  edit->LockChangeEvents(false, true);
  EXPECT_EQ(log, (std::vector<String>{"change", "edit value changed"}));

  log.clear();
  edit->LockChangeEvents(true);
  edit->SetEditValue(Variant("c"));
  edit->SetEditValue(Variant("d"));
  edit->LockChangeEvents(false, false);
  EXPECT_TRUE(log.empty()) << "unlocking without Fire drops what was held";
  edit->LockChangeEvents(false, true);
  EXPECT_TRUE(log.empty()) << "the lock never goes below zero";
  EXPECT_FALSE(edit->IsChangeEventsLocked());
}

TEST_F(CustomEditTest, AFailedValidationRestoresTheTextFocusesSelectsBeepsAndRaisesTheHandlersText) {
  edit->Properties()->SetBeepOnError(true);
  edit->Properties()->OnValidate = [](TObject*, Variant&, String& ErrorText, bool& Error) {
    Error = true;
    ErrorText = "Not a scene name";
  };
  Focus(after);
  edit->UserTypes("bad");
  ASSERT_FALSE(edit->IsFocused());
  Headless().ClearBeeps();
  int selects = edit->SelectAlls;
  try {
    edit->ValidateEnteredValue(true);
    ADD_FAILURE() << "no error raised";
  } catch (const EcxEditValidationError& e) {
    EXPECT_EQ(e.Message(), "Not a scene name");
  }
  EXPECT_EQ(edit->CurrentDisplayText(), "bad");
  EXPECT_TRUE(edit->IsFocused());
  EXPECT_GT(edit->SelectAlls, selects);
  EXPECT_EQ(Headless().Beeps().size(), 1u);
  EXPECT_TRUE(edit->Modified());
  EXPECT_FALSE(edit->Validated());

  // Without raising nothing is reported, and the value still fails.
  Headless().ClearBeeps();
  EXPECT_FALSE(edit->ValidateEnteredValue(false));
  EXPECT_TRUE(Headless().Beeps().empty());

  // A handler that corrects the text lets it through and applies it.
  edit->Properties()->OnValidate = [](TObject*, Variant& DisplayValue, String&, bool&) { DisplayValue = "good"; };
  EXPECT_TRUE(edit->ValidateEnteredValue(true));
  EXPECT_EQ(VarToStr(edit->EditValue()), "good");
  EXPECT_TRUE(edit->Validated());
  edit->Properties()->OnValidate = nullptr;
}

TEST_F(CustomEditTest, PostingAndTheRepositoryItem) {
  edit->PostEditValue(true);
  EXPECT_EQ(edit->PostBrackets, 1) << "begin and end run";
  EXPECT_TRUE(edit->Binding()->Stored.empty()) << "an unmodified editor posts nothing";
  Focus(edit);
  edit->UserTypes("x");
  edit->PostEditValue(true);
  ASSERT_EQ(edit->Binding()->Stored.size(), 1u);
  EXPECT_EQ(VarToStr(edit->Binding()->Stored[0]), "x");
  EXPECT_FALSE(edit->IsPosting());

  auto* other = new TOtherRepositoryItem(form);
  try {
    edit->SetRepositoryItem(other);
    ADD_FAILURE() << "accepted";
  } catch (const EcxEditError& e) {
    EXPECT_EQ(e.Message(), "The repository item is not acceptable");
  }
  EXPECT_EQ(edit->RepositoryItem(), nullptr);
  EXPECT_EQ(edit->ActiveProperties(), edit->Properties());

  auto* item = new TTestRepositoryItem(form);
  edit->SetRepositoryItem(item);
  EXPECT_EQ(edit->ActiveProperties(), item->Properties());
  EXPECT_EQ(item->Properties()->DefaultValuesProvider(), edit->DataBinding()->ProviderInterface());
  // The own properties' events fire before the item's.
  edit->Properties()->OnChange = [this](TObject*) { log.push_back("own"); };
  item->Properties()->OnChange = [this](TObject*) { log.push_back("item"); };
  edit->SetEditValue(Variant("y"));
  EXPECT_EQ(log, (std::vector<String>{"own", "item"}));
  delete item;
  EXPECT_EQ(edit->RepositoryItem(), nullptr) << "a freed item is forgotten";
}

TEST_F(CustomEditTest, DefaultValuesChangedReappliesAnItemsPropertiesWithoutTellingTheItem) {
  auto* item = new TTestRepositoryItem(form);
  auto* second = NewEdit(150, 50);
  edit->SetRepositoryItem(item);
  second->SetRepositoryItem(item);
  int itemSignals = 0;
  auto itemHandler = item->Properties()->OnPropertiesChanged;
  item->Properties()->OnPropertiesChanged = [&](TObject* Sender) {
    ++itemSignals;
    itemHandler(Sender);
  };
  edit->SetValidated(true);
  second->SetValidated(true);
  edit->DataBinding()->DefaultValuesChanged();
  EXPECT_EQ(itemSignals, 0);
  EXPECT_FALSE(edit->Validated()) << "this editor took the properties again";
  EXPECT_TRUE(second->Validated()) << "the item's other editor heard nothing";

  // Without an item the editor's own properties signal as usual.
  auto* plain = NewEdit(150, 80);
  plain->SetValidated(true);
  plain->DataBinding()->DefaultValuesChanged();
  EXPECT_FALSE(plain->Validated());
}

TEST_F(CustomEditTest, EditorValueChangedMarksOnlyAFocusedEditor) {
  edit->DataBinding()->EditorValueChanged();
  EXPECT_FALSE(edit->Modified());
  Focus(edit);
  edit->DataBinding()->EditorValueChanged();
  EXPECT_TRUE(edit->Modified());

  // Edit data forgets an editor freed before it, and clears without it.
  std::unique_ptr<TcxCustomEditData> data(new TcxCustomEditData(edit));
  EXPECT_EQ(data->Edit(), edit);
  delete edit;
  edit = nullptr;
  EXPECT_EQ(data->Edit(), nullptr);
  data->SetCleared(false);
  data->Clear();
  EXPECT_TRUE(data->Cleared());
}

// A binding to a data store: a provider that says so.
class TStoreProvider : public TcxCustomEditDefaultValuesProvider {
  VW_CLASS(TStoreProvider, TcxCustomEditDefaultValuesProvider)
 public:
  explicit TStoreProvider(TPersistent* AOwner) : TcxCustomEditDefaultValuesProvider(AOwner) {}
  bool IsDataStorage() override { return true; }
};

class TStoreBinding : public TRecordingBinding {
  VW_CLASS(TStoreBinding, TRecordingBinding)
 public:
  explicit TStoreBinding(TcxCustomEdit* AEdit) : TRecordingBinding(AEdit, EditDefaultValuesProviderClassOf<TStoreProvider>()) {}
};

class TStoreEdit : public TTestEdit {
  VW_CLASS(TStoreEdit, TTestEdit)
 public:
  explicit TStoreEdit(TComponent* AOwner)
      : TTestEdit(AOwner, TcxCustomEditClasses{TTestEditProperties::StaticClass(), nullptr,
                                               EditDataBindingClassOf<TStoreBinding>()}) {}
};

TEST_F(CustomEditTest, ABoundEditorPaintingACopyOfItselfDrawsTheStoredValueAndRevertsToIt) {
  auto* bound = new TStoreEdit(form);
  bound->SetParent(form);
  bound->SetBounds(150, 50, 100, 21);
  Pump();
  EXPECT_TRUE(bound->DataIsBound());
  EXPECT_FALSE(bound->PaintsValueDirectly());
  bound->SetControlState(bound->ControlState() + TControlState{csPaintCopy});
  EXPECT_TRUE(bound->PaintsValueDirectly());
  int reads = bound->Binding()->Reads;
  TBitmap copy;
  copy.SetSize(100, 21);
  bound->PaintTo(copy.Canvas()->Handle(), 0, 0);
  EXPECT_GT(bound->Binding()->Reads, reads) << "the value drawn is the stored one";
  bound->SetControlState(bound->ControlState() - TControlState{csPaintCopy});

  // Escape reverts a bound editor to what the store holds, whatever was saved on entering.
  bound->SetEditValue(Variant("stored"));
  Focus(bound);
  bound->UserTypes("typed");
  reads = bound->Binding()->Reads;
  Press(VK_ESCAPE);
  EXPECT_GT(bound->Binding()->Reads, reads);
  EXPECT_FALSE(bound->Modified());
}

// ---- exit ---------------------------------------------------------------------------------------------

TEST_F(CustomEditTest, TabExitValidatesPostsFiresTheHeldEventsThenOnExit) {
  Focus(edit);
  edit->UserTypes("abc");
  bool valueChangedBefore = edit->ValueChanged();
  Record(edit);
  edit->Binding()->Log = &log;
  edit->Properties()->OnValidate = [this](TObject*, Variant& DisplayValue, String&, bool&) {
    log.push_back("validate");
    DisplayValue = "ABC";
  };
  edit->OnExit = [this](TObject*) { log.push_back("exit"); };
  Press(VK_TAB);
  EXPECT_TRUE(after->Focused());
  EXPECT_EQ(log, (std::vector<String>{"validate", "post", "change", "edit value changed", "exit"}));
  EXPECT_EQ(VarToStr(edit->EditValue()), "ABC");
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(edit->ValueChanged(), valueChangedBefore);
  EXPECT_EQ(edit->ModifiedStateDepth(), 0);
}

TEST_F(CustomEditTest, AnOnExitThatRaisesLeavesTheModifiedStateStackAsItWas) {
  edit->OnExit = [](TObject*) { Abort(); };
  edit->UserTypes("x");
  // A caller's own saved state must survive the failed exit.
  edit->PushModifiedState();
  edit->MarkModified(false);
  EXPECT_THROW(edit->ProcessExit(true), EAbort);
  EXPECT_EQ(edit->ModifiedStateDepth(), 1);
  EXPECT_FALSE(edit->IsExiting());
  EXPECT_FALSE(edit->IsChangeEventsLocked());
  edit->PopModifiedState();
  EXPECT_TRUE(edit->Modified()) << "the caller gets back what it saved";
}

// A form that a button is closing from its modal loop: hidden, modal, with the button's result.
class TClosingForm : public TForm {
  VW_CLASS(TClosingForm, TForm)
 public:
  explicit TClosingForm(TComponent* AOwner) : TForm(AOwner, 0) {}
  void BeClosedBy(TModalResult Result) {
    FFormState.Include(fsModal);
    SetModalResult(Result);
  }
};

TEST_F(CustomEditTest, AModalFormClosedByAButtonValidatesQuietly) {
  std::unique_ptr<TClosingForm> dialog(new TClosingForm(Application));
  auto* e = new TTestEdit(dialog.get());
  e->SetParent(dialog.get());
  int validations = 0;
  bool fail = true;
  e->Properties()->SetBeepOnError(true);
  e->Properties()->OnValidate = [&](TObject*, Variant&, String& ErrorText, bool& Error) {
    ++validations;
    Error = fail;
    ErrorText = "never shown";
  };
  e->UserTypes("typed");
  EXPECT_FALSE(e->FocusChanged()) << "an ordinary form validates nothing here";
  EXPECT_EQ(validations, 0);
  dialog->BeClosedBy(mrCancel);
  EXPECT_FALSE(e->FocusChanged()) << "Cancel throws the value away";
  EXPECT_EQ(validations, 0);
  dialog->BeClosedBy(mrOk);
  Headless().ClearBeeps();
  EXPECT_FALSE(e->FocusChanged()) << "fails without raising or beeping";
  EXPECT_EQ(validations, 1);
  EXPECT_TRUE(Headless().Beeps().empty());
  fail = false;
  EXPECT_TRUE(e->FocusChanged());
}

// ---- keys ---------------------------------------------------------------------------------------------

TEST_F(CustomEditTest, TheClearKeyRefusedByOnEditingIsSwallowedAndValidates) {
  edit->Properties()->SetClearKey(scCtrl | VK_DELETE);
  edit->SetEditValue(Variant("keep"));
  bool asked = false;
  edit->OnEditing = [&asked](TObject*, bool& CanEdit) {
    asked = true;
    CanEdit = false;
  };
  int keyDowns = 0;
  edit->OnKeyUp = [&keyDowns](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_DELETE) ++keyDowns;
  };
  Focus(edit);
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_TRUE(asked);
  EXPECT_EQ(VarToStr(edit->EditValue()), "keep");
  EXPECT_TRUE(edit->Validated());
  WORD key = VK_DELETE;
  edit->EditKeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, 0) << "swallowed";

  edit->OnEditing = nullptr;
  Press(VK_DELETE, {VK_CONTROL});
  EXPECT_TRUE(VarIsNull(edit->EditValue())) << "allowed, the clear key clears";
}

TEST_F(CustomEditTest, CtrlEnterClicksTheDefaultButtonOnceAndEatsItsCharacter) {
  edit->Properties()->Buttons()->AddButton()->SetDefault(true);
  std::vector<int> clicks;
  edit->Properties()->OnButtonClick = [&clicks](TObject*, int Index) { clicks.push_back(Index); };
  Focus(edit);
  edit->Chars.clear();
  // The key's character is queued before the key is handled; the click takes it away.
  PostMessage(edit->Handle(), WM_CHAR, 10, 0);
  WORD enter = VK_RETURN;
  edit->EditKeyDown(enter, TShiftState{ssCtrl});
  Pump();
  EXPECT_EQ(enter, 0);
  EXPECT_EQ(clicks, (std::vector<int>{0}));
  EXPECT_TRUE(edit->Chars.empty()) << "the queued Enter character is gone";

  clicks.clear();
  Press(VK_RETURN, {VK_CONTROL});
  EXPECT_EQ(clicks, (std::vector<int>{0}));
  EXPECT_TRUE(edit->Chars.empty());
}

TEST_F(CustomEditTest, TabMovesTheFocusBothWaysUnlessCtrlIsHeldOrThePropertiesWantTabs) {
  Focus(edit);
  Press(VK_TAB);
  EXPECT_TRUE(after->Focused());
  Focus(edit);
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_TRUE(before->Focused());
  Focus(edit);
  WORD key = VK_TAB;
  edit->EditKeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, VK_TAB) << "Ctrl+Tab is not the editor's";
  EXPECT_TRUE(edit->Focused());
  edit->TestProperties()->Tabs = true;
  key = VK_TAB;
  edit->EditKeyDown(key, TShiftState());
  EXPECT_EQ(key, VK_TAB) << "properties that want tabs keep Tab";
  EXPECT_TRUE(edit->Focused());
}

TEST_F(CustomEditTest, EscapeRevertsAChangeAndEatsItsCharacterElseReachesTheCancelButton) {
  int cancels = 0;
  after->SetCancel(true);
  after->OnClick = [&cancels](TObject*) { ++cancels; };
  edit->SetEditValue(Variant("saved"));
  Focus(edit);
  edit->UserTypes("changed");
  edit->Chars.clear();
  Press(VK_ESCAPE);
  EXPECT_EQ(VarToStr(edit->EditValue()), "saved");
  EXPECT_FALSE(edit->Modified());
  EXPECT_TRUE(edit->ValueChanged());
  EXPECT_TRUE(edit->Chars.empty()) << "the Escape character after the revert is swallowed";
  EXPECT_EQ(cancels, 0);

  Press(VK_ESCAPE);
  EXPECT_EQ(cancels, 1) << "an unchanged value lets Escape through";
}

TEST_F(CustomEditTest, InPlaceTheArrowKeysGoToTheHost) {
  auto* inplace = static_cast<TTestEdit*>(TcxCustomEdit::ConstructInplace(TTestEdit::StaticClass(), form, true));
  inplace->SetParent(form);
  inplace->SetBounds(150, 50, 100, 20);
  std::vector<WORD> keys;
  inplace->OnInplaceKeyDown = [&keys](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
  TcxCustomEditData* data = nullptr;
  inplace->ActivateInplace(data);
  Pump();
  ASSERT_TRUE(inplace->Focused());
  EXPECT_TRUE(inplace->IsActivated());
  for (unsigned k : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) Press(k);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}));
  EXPECT_TRUE(inplace->Focused()) << "the keys did not move the focus";
}

TEST_F(CustomEditTest, KeyCharactersKeepTheirWholeCodePointAndRefusalsBeep) {
  Focus(edit);
  edit->Chars.clear();
  Headless().InjectText("中");
  Pump();
  EXPECT_EQ(edit->Chars, (std::vector<TChar>{U'中'}));

  // A provider that refuses the character: it is dropped with a beep.
  class TDigitsOnly : public TcxCustomEditDefaultValuesProvider {
   public:
    TDigitsOnly() : TcxCustomEditDefaultValuesProvider(nullptr) {}
    bool AcceptsChar(char32_t Ch) override { return Ch >= U'0' && Ch <= U'9'; }
  } digits;
  edit->Properties()->AttachDefaultValuesProvider(&digits);
  Headless().ClearBeeps();
  TChar ch = U'x';
  EXPECT_FALSE(edit->ValidateKeyChar(ch));
  EXPECT_EQ(ch, 0u);
  EXPECT_EQ(Headless().Beeps().size(), 1u);
  ch = U'7';
  EXPECT_TRUE(edit->ValidateKeyChar(ch));
  ch = 8;
  EXPECT_TRUE(edit->ValidateKeyChar(ch)) << "control characters are not the provider's";
  EXPECT_EQ(Headless().Beeps().size(), 1u);
  edit->Properties()->AttachDefaultValuesProvider(nullptr);
}

// ---- mouse --------------------------------------------------------------------------------------------

class CustomEditMouseTest : public CustomEditTest {
 protected:
  void SetUp() override {
    CustomEditTest::SetUp();
    for (int i = 0; i < 2; ++i) edit->Properties()->Buttons()->AddButton()->SetWidth(20);
    edit->Properties()->OnButtonClick = [this](TObject*, int Index) { clicks.push_back(Index); };
    edit->OnDblClick = [this](TObject*) { ++doubleClicks; };
    Pump();
    TcxCustomEditViewInfo* info = edit->EditViewInfo();
    ASSERT_EQ(info->ButtonCount(), 2);
    const TRect& b = info->Button(1)->Bounds;
    button = ScreenOf(edit, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    body = ScreenOf(edit, 10, 10);
  }
  POINT button{}, body{};
  std::vector<int> clicks;
  int doubleClicks = 0;
};

TEST_F(CustomEditMouseTest, AClickIsAPressAndAReleaseOverTheSameButton) {
  MoveMouse(button.x, button.y);
  Headless().InjectMouseButton(1, true);
  Pump();
  EXPECT_EQ(edit->EditViewInfo()->Button(1)->Data.State, ebsPressed);
  EXPECT_EQ(edit->HeldButtonIndex(), 1);
  MoveMouse(body.x, body.y);
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_TRUE(clicks.empty()) << "released outside";
  EXPECT_EQ(edit->HeldButtonIndex(), -1) << "the capture went with the release";

  Click(button.x, button.y);
  EXPECT_EQ(clicks, (std::vector<int>{1}));
}

TEST_F(CustomEditMouseTest, ADoubleClickOnAButtonIsASecondClickNotADoubleClick) {
  Click(button.x, button.y);
  Click(button.x, button.y);
  EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
  EXPECT_EQ(doubleClicks, 0);
  // On the body it is a double click.
  RunFor(GetDoubleClickTime() + 10);
  Click(body.x, body.y);
  Click(body.x, body.y);
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(CustomEditMouseTest, AfterActivationByMouseAPressWithinTheDoubleClickTimeIsADoubleClick) {
  auto* inplace = static_cast<TTestEdit*>(TcxCustomEdit::ConstructInplace(TTestEdit::StaticClass(), form, true));
  inplace->SetParent(form);
  inplace->SetBounds(150, 50, 100, 20);
  int dbl = 0;
  inplace->OnDblClick = [&dbl](TObject*) { ++dbl; };
  Pump();
  TcxCustomEditData* data = nullptr;
  POINT at = ScreenOf(inplace, 30, 10);
  MoveMouse(at.x, at.y);
  inplace->ActivateByMouse(TShiftState{ssLeft}, 180, 60, data);
  EXPECT_TRUE(inplace->DoubleClickTimer()->Enabled());
  EXPECT_NE(GetCapture(), inplace->Handle()) << "the button is up: nothing keeps the mouse";
  RunFor(GetDoubleClickTime() / 2);
  Headless().InjectMouseButton(1, true);
  Pump();
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(dbl, 1);

  // Once the time is over a press is a press.
  inplace->ActivateByMouse(TShiftState(), 180, 60, data);
  RunFor(GetDoubleClickTime() + 10);
  EXPECT_FALSE(inplace->DoubleClickTimer()->Enabled());
  MoveMouse(at.x + 20, at.y);
  Headless().InjectMouseButton(1, true);
  Pump();
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(dbl, 1);
}

TEST_F(CustomEditTest, ActivatingByKeyPassesTheKeyOnAndLeavesNoHookBehind) {
  auto* inplace = static_cast<TInnerEditEdit*>(TcxCustomEdit::ConstructInplace(TInnerEditEdit::StaticClass(), form, true));
  inplace->SetParent(form);
  inplace->SetBounds(150, 50, 100, 20);
  Pump();
  ASSERT_NE(inplace->InnerControl(), nullptr);
  TcxWindowProcController* controller = WindowProcControllerInstance();
  int chains = controller->ChainCount();
  TcxCustomEditData* data = nullptr;
  inplace->ActivateByKey(U'a', data);
  EXPECT_FALSE(inplace->InnerWindowProcHooked());
  EXPECT_EQ(controller->FindByControl(inplace->InnerControl()), nullptr);
  EXPECT_EQ(controller->ChainCount(), chains);
  EXPECT_EQ(inplace->InnerControl()->Text(), "a");
  EXPECT_FALSE(inplace->Keys().Contains(wkTab)) << "an editor with an inner control leaves Tab to it";
}

TEST_F(CustomEditMouseTest, HintsAcceleratorsAndTheInPlaceContextMenu) {
  edit->Properties()->Buttons()->ButtonAt(1)->SetHint("Browse|Browse for a scene file");
  edit->Properties()->Buttons()->ButtonAt(0)->SetCaption("&Go");
  edit->Properties()->Buttons()->ButtonAt(0)->SetKind(TcxEditButtonKind::bkText);
  edit->RefreshStateAtCursor(false);
  TcxCustomEditViewInfo* info = edit->EditViewInfo();
  auto hintAt = [this](TPoint P, THintInfo& Hint) {
    Hint.CursorPos = POINT{P.X, P.Y};
    return edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Hint));
  };
  THintInfo hint;
  const TRect& b = info->Button(1)->Bounds;
  EXPECT_EQ(hintAt(TPoint(b.Left + 2, b.Top + 2), hint), 0);
  EXPECT_EQ(hint.HintStr, "Browse");
  EXPECT_EQ(TRect(hint.CursorRect), b);
  THintInfo outside;
  EXPECT_EQ(hintAt(TPoint(info->Bounds.Right + 5, 2), outside), static_cast<LRESULT>(-1)) << "no hint off the border";

  // An accelerator of a button caption clicks that button.
  EXPECT_EQ(edit->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  EXPECT_EQ(clicks, (std::vector<int>{0}));
  EXPECT_EQ(edit->Perform(CM_DIALOGCHAR, 'q', 0), 0);

  // The host of an in-place editor shows its own context menu.
  auto* inplace = static_cast<TTestEdit*>(TcxCustomEdit::ConstructInplace(TTestEdit::StaticClass(), form, true));
  inplace->SetParent(form);
  int parentMenus = 0;
  form->OnContextPopup = [&parentMenus](TObject*, POINT, bool& Handled) {
    ++parentMenus;
    Handled = true;
  };
  TMessage menu{WM_CONTEXTMENU, reinterpret_cast<WPARAM>(inplace->Handle()), static_cast<LPARAM>(-1), 0};
  inplace->DefaultHandler(menu);
  edit->DefaultHandler(menu);
  EXPECT_EQ(parentMenus, 1) << "only the stand-alone editor passed it on";
}

TEST_F(CustomEditTest, ClipboardMessagesAskWhetherTheValueMayChange) {
  struct TClipboardEdit : TTestEdit {
    using TTestEdit::TTestEdit;
    std::vector<String> Calls;
    void CutSelectedText() override { Calls.push_back("cut"); }
    void CopySelectedText() override { Calls.push_back("copy"); }
    void PasteText() override { Calls.push_back(UserAction() ? "paste by the user" : "paste"); }
  };
  auto* clip = new TClipboardEdit(form);
  clip->SetParent(form);
  bool allow = true;
  clip->OnEditing = [&allow](TObject*, bool& CanEdit) { CanEdit = allow; };
  clip->Perform(WM_CUT, 0, 0);
  clip->Perform(WM_COPY, 0, 0);
  clip->Perform(WM_PASTE, 0, 0);
  clip->Properties()->SetReadOnly(true);
  clip->Perform(WM_CUT, 0, 0);
  clip->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(clip->Calls, (std::vector<String>{"cut", "copy", "paste by the user", "copy"}));
  EXPECT_FALSE(clip->UserAction());

  // Through an inner control that leaves the clipboard to its editor: refused editing copies.
  clip->Properties()->SetReadOnly(false);
  clip->Calls.clear();
  allow = false;
  TMessage cut{WM_CUT, 0, 0, 0};
  EXPECT_TRUE(clip->HandleInnerMessage(cut));
  TMessage paste{WM_PASTE, 0, 0, 0};
  EXPECT_FALSE(clip->HandleInnerMessage(paste)) << "a refused paste goes on to the inner control";
  EXPECT_EQ(clip->Calls, (std::vector<String>{"copy"}));
}

// Each look in a column; rows: normal, a hot button, a pressed button, read-only, disabled. The
// states come from the editor's own recalculation, as the mouse would make them.
TEST_F(CustomEditTest, GalleryOfLooksAndStates) {
  delete form;
  form = NewForm(0, 0, 4 * 130 + 20, 5 * 34 + 20);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TTestEdit*> edits;
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 5; ++row) {
      auto* e = NewEdit(10 + col * 130, 10 + row * 34);
      e->SetAutoSize(false);
      e->SetBounds(10 + col * 130, 10 + row * 34, 120, 22);
      e->Style()->LookAndFeel()->SetKind(kinds[col]);
      e->Style()->SetHotTrack(true);
      e->Properties()->Buttons()->AddButton()->SetKind(TcxEditButtonKind::bkEllipsis);
      e->Properties()->Buttons()->AddButton()->SetKind(TcxEditButtonKind::bkDown);
      if (row == 3) e->Properties()->SetReadOnly(true);
      if (row == 4) e->SetEnabled(false);
      edits.push_back(e);
    }
  Pump();
  for (int col = 0; col < 4; ++col) {
    TTestEdit* hot = edits[static_cast<std::size_t>(col * 5 + 1)];
    TTestEdit* pressed = edits[static_cast<std::size_t>(col * 5 + 2)];
    const TRect& b = hot->EditViewInfo()->Button(1)->Bounds;
    TPoint centre((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    hot->RecalcState(centre, 0, TShiftState(), true);
    pressed->RecalcState(centre, 1, TShiftState{ssLeft}, true);
    EXPECT_EQ(hot->EditViewInfo()->Button(1)->Data.State, ebsSelected) << col;
    EXPECT_EQ(pressed->EditViewInfo()->Button(1)->Data.State, ebsPressed) << col;
    EXPECT_EQ(edits[static_cast<std::size_t>(col * 5 + 4)]->EditViewInfo()->Button(0)->Data.State, ebsDisabled);
  }
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_custom_edit_gallery.png")));
}

// An inner control that hands out a separate adapter, as the text editors' inner edit does.
class TAdaptedInnerEdit : public TEdit, public IcxInnerEditHelper {
  VW_CLASS(TAdaptedInnerEdit, TEdit)
 public:
  explicit TAdaptedInnerEdit(TComponent* AOwner) : TEdit(AOwner) { Adapter.Edit = this; }
  struct TAdapter : IcxCustomInnerEdit {
    TAdaptedInnerEdit* Edit = nullptr;
    TcxCustomEdit* Editor = nullptr;
    TcxContainer* ControlContainer() override { return Editor; }
    TWinControl* InnerControl() override { return Edit; }
    bool HandlesClipboardMessages() override { return false; }
    void TakeInnerFocus() override { Edit->SetFocus(); }
    void SetEditor(TcxCustomEdit* AEditor) override { Editor = AEditor; }
    void SetOnChange(TNotifyEvent) override {}
    void SetInnerReadOnly(bool Value) override { Edit->SetReadOnly(Value); }
  } Adapter;
  IcxCustomInnerEdit* InnerEditAdapter() override { return &Adapter; }
};

class TKeepingEdit : public TTestEdit {
  VW_CLASS(TKeepingEdit, TTestEdit)
 public:
  explicit TKeepingEdit(TComponent* AOwner)
      : TTestEdit(AOwner, TcxCustomEditClasses{TTestEditProperties::StaticClass(), TAdaptedInnerEdit::StaticClass(),
                                               EditDataBindingClassOf<TRecordingBinding>()}) {}
  int Saves = 0;
  TcxCustomEditDataClass EditDataClass() override { return CustomEditDataClassOf<TcxCustomEditData>(); }
  void SaveStateToEditData() override { ++Saves; }
};

TEST_F(CustomEditTest, InPlaceEditDataIsMadeFilledAndRefilledAndTheInnerEditComesThroughItsAdapter) {
  auto* keeping = static_cast<TKeepingEdit*>(TcxCustomEdit::ConstructInplace(TKeepingEdit::StaticClass(), form, true));
  keeping->SetParent(form);
  auto* inner = dynamic_cast<TAdaptedInnerEdit*>(keeping->InnerControl());
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(keeping->InnerEdit(), &inner->Adapter);
  EXPECT_EQ(inner->Adapter.Editor, keeping);
  keeping->Properties()->SetReadOnly(true);
  EXPECT_TRUE(inner->ReadOnly()) << "read-only reaches the inner control";

  TcxCustomEditData* data = nullptr;
  keeping->ActivateInplace(data);
  std::unique_ptr<TcxCustomEditData> owned(data);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(keeping->EditData(), data);
  EXPECT_EQ(keeping->Saves, 1) << "a new edit data is filled at once";
  EXPECT_FALSE(data->Cleared());
  data->Clear();
  EXPECT_EQ(keeping->Saves, 2);
  EXPECT_FALSE(data->Cleared());
  // A host's own edit data is kept.
  TcxCustomEditData* again = data;
  keeping->ActivateInplace(again);
  EXPECT_EQ(again, data);
}

// ---- size ---------------------------------------------------------------------------------------------

TEST_F(CustomEditTest, AnAnchoredEditorKeepsItsRightEdgeOrItsCentreAsItGrows) {
  edit->Anchored = true;
  edit->AdjustsWidth = true;
  edit->Properties()->Alignment()->SetHorz(taRightJustify);
  edit->SetEditValue(Variant("ab"));
  Pump();
  int right = edit->Left() + edit->Width();
  int narrow = edit->Width();
  edit->SetEditValue(Variant("abcdefgh"));
  Pump();
  EXPECT_EQ(edit->Width(), narrow + 6 * 8);
  EXPECT_EQ(edit->Left() + edit->Width(), right);

  // Centred: half an odd size rounds up, so placing and anchoring cancel out.
  edit->Properties()->Alignment()->SetHorz(taCenter);
  int extent = edit->Width() - 8 * 8;
  edit->SetAutoSize(false);
  edit->SetBounds(10, 50, 51, 21);
  edit->UpdateAutoSizeAnchors();
  EXPECT_EQ(edit->AnchorX(), 36);
  edit->SetAutoSize(true);
  int left = 0, top = 0;
  edit->CalculateAnchoredPosition(40, 21, left, top);
  EXPECT_EQ(left, 16);
  (void)extent;
}

TEST_F(CustomEditTest, ReadingHeightMakesTheWindowAndAnswersTheAutoSizedHeight) {
  // A form not shown yet: its editor has no window until one is asked for.
  auto* hidden = new TForm(Application, 0);
  std::unique_ptr<TForm> owner(hidden);
  auto* fresh = new TTestEdit(hidden);
  fresh->SetBounds(200, 150, 100, 60);
  fresh->SetParent(hidden);
  ASSERT_FALSE(fresh->HandleAllocated());
  int height = fresh->Height();
  EXPECT_TRUE(fresh->HandleAllocated());
  int w = fresh->Width(), h = 0;
  fresh->CalculateAutoSize(w, h);
  EXPECT_EQ(height, h);
  EXPECT_NE(height, 60);

  // Without auto size the height is the one set.
  fresh->SetAutoSize(false);
  fresh->SetHeight(60);
  EXPECT_EQ(fresh->Height(), 60);
}

TEST_F(CustomEditTest, WidthAndAnchorSurviveAFormDescriptionUnderTheirWriteRules) {
  edit->Anchored = true;
  edit->AdjustsWidth = true;
  edit->SetEditValue(Variant("abc"));
  Pump();
  String text = ComponentToFormText(edit);
  EXPECT_NE(text.find("AnchorX = " + IntToStr(edit->Left() + edit->Width())), String::npos) << text;
  EXPECT_EQ(text.find("Width = "), String::npos) << "an auto-sized width is not stored\n" << text;
  EXPECT_EQ(text.find("Height = "), String::npos) << text;

  edit->SetAutoSize(false);
  edit->SetBounds(30, 50, 77, 33);
  text = ComponentToFormText(edit);
  EXPECT_NE(text.find("Width = 77"), String::npos) << text;
  EXPECT_NE(text.find("Height = 33"), String::npos) << text;
  EXPECT_NE(text.find("AnchorX = 107"), String::npos) << text;

  auto* copy = new TTestEdit(form);
  copy->Anchored = true;
  copy->SetAutoSize(false);
  FormTextToComponent(text, copy);
  EXPECT_EQ(copy->Width(), 77);
  EXPECT_EQ(copy->Height(), 33);
  EXPECT_EQ(copy->AnchorX(), 107);

  // An auto-sizing editor read back keeps its stored anchor through its first placement, though
  // its stored left and width no longer agree with it.
  // A form being loaded has no windows yet: the placement comes when the window does.
  std::unique_ptr<TForm> hidden(new TForm(Application, 0));
  auto* sized = new TTestEdit(hidden.get());
  sized->Anchored = true;
  sized->AdjustsWidth = true;
  sized->SetParent(hidden.get());
  FormTextToComponent("object E: TTestEdit\r\n  Left = 10\r\n  AnchorX = 200\r\nend\r\n", sized);
  ASSERT_FALSE(sized->HandleAllocated());
  sized->HandleNeeded();
  EXPECT_EQ(sized->AnchorX(), 200);
  EXPECT_EQ(sized->Left() + sized->Width(), 200);
  // From then on the anchor follows the editor.
  sized->SetBounds(20, sized->Top(), sized->Width(), sized->Height());
  sized->SetEditValue(Variant("abcd"));
  EXPECT_EQ(sized->AnchorX(), 20 + sized->Width() - 4 * 8);
}

}  // namespace
