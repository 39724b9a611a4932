#include <gtest/gtest.h>

#include <algorithm>

#include "platform/classes/Collection.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/Strings.h"
#include "platform/system/Resources.h"

// A small control family, as the component library builds its own: panels nest inside panels,
// carry a string list, a collection, a sub-object, a binary blob and a defined property.

VW_ENUM(TTestAlign, taNone, taTop, taBottom, taClient)
VW_ENUM(TTestOption, toBold, toItalic, toUnderline)
using TTestOptions = TSet<TTestOption>;

namespace {

std::vector<String>* gLog = nullptr;

bool ColorToIdent(std::int64_t v, String& ident) {
  if (v == 0xFF) ident = "clRed";
  else if (v == 0x800000) ident = "clNavy";
  else return false;
  return true;
}

bool IdentToColor(const String& ident, std::int64_t& v) {
  if (SameText(ident, "clRed")) v = 0xFF;
  else if (SameText(ident, "clNavy")) v = 0x800000;
  else return false;
  return true;
}

}  // namespace

class TTestFont : public TPersistent {
  VW_CLASS(TTestFont, TPersistent)
 public:
  String FName = "Tahoma";
  int FSize = 9;
  static void DeclareProperties(TPropTable& t) {
    t.Add("Name", &TTestFont::FName);
    t.Add("Size", &TTestFont::FSize).SetDefault(9);
  }
};

class TTestColumn : public TCollectionItem {
  VW_CLASS(TTestColumn, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  int FWidth = 64;
  String FTitle;
  static void DeclareProperties(TPropTable& t) {
    t.Add("Title", &TTestColumn::FTitle);
    t.Add("Width", &TTestColumn::FWidth).SetDefault(64);
  }
};

class TTestPanel : public TComponent {
  VW_CLASS(TTestPanel, TComponent)
 public:
  explicit TTestPanel(TComponent* AOwner) : TComponent(AOwner), FColumns(this, ClassOf<TTestColumn>()) {
    ConstructedLoading = HasState(csLoading);
  }
  ~TTestPanel() override {
    SetParentPanel(nullptr);
    while (!FChildren.empty()) FChildren.back()->SetParentPanel(nullptr);
  }

  static void DeclareProperties(TPropTable& t) {
    t.Add("Align", &TTestPanel::FAlign).SetDefault(taNone);
    t.Add("Caption", &TTestPanel::FCaption);
    t.Add("Color", &TTestPanel::FColor).SetDefault(0x800000).Idents(ColorToIdent, IdentToColor);
    t.Add("Options", &TTestPanel::FOptions).SetDefault(TTestOptions{});
    t.Add("Ratio", &TTestPanel::FRatio);
    t.Add("Visible", &TTestPanel::FVisible).SetDefault(true);
    t.Add("Value", &TTestPanel::FValue);
    t.Add("Mark", &TTestPanel::FMark).SetDefault(0);
    t.AddReadOnly("Font", &TTestPanel::FontPtr);
    t.AddReadOnly("Lines", &TTestPanel::LinesPtr);
    t.AddReadOnly("Columns", &TTestPanel::ColumnsPtr);
    t.Add("Buddy", &TTestPanel::FBuddy, &TTestPanel::SetBuddy);
    t.Add("OnClick", &TTestPanel::FOnClick);
  }

  TTestPanel* ParentPanel() const { return FParentPanel; }
  void SetParentPanel(TTestPanel* p) {
    if (FParentPanel) std::erase(FParentPanel->FChildren, this);
    FParentPanel = p;
    if (p) p->FChildren.push_back(this);
  }
  void SetBuddy(TTestPanel* v) {
    FBuddy = v;
    if (v) v->FreeNotification(this);
  }
  TTestFont* FontPtr() const { return const_cast<TTestFont*>(&FFont); }
  TStringList* LinesPtr() const { return const_cast<TStringList*>(&FLines); }
  TOwnedCollection* ColumnsPtr() const { return const_cast<TOwnedCollection*>(&FColumns); }

  bool HasParent() override { return FParentPanel != nullptr; }
  TComponent* GetParentComponent() override { return FParentPanel; }
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (TTestPanel* c : FChildren)
      if (c->Owner() == Root) Proc(c);
  }
  void ReadState(TReader* Reader) override {
    if (auto* p = dynamic_cast<TTestPanel*>(Reader->Parent())) SetParentPanel(p);
    TComponent::ReadState(Reader);
  }

  TTestAlign FAlign = taNone;
  String FCaption;
  std::int32_t FColor = 0x800000;
  TTestOptions FOptions;
  double FRatio = 0;
  bool FVisible = true;
  Variant FValue;
  char FMark = 0;
  TTestFont FFont;
  TStringList FLines;
  TOwnedCollection FColumns;
  TTestPanel* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  std::vector<std::uint8_t> FData;
  int FSecret = 0;
  bool ConstructedLoading = false;
  String BuddyAtLoaded;

 protected:
  void Loaded() override {
    TComponent::Loaded();
    BuddyAtLoaded = FBuddy ? FBuddy->Name() : "(none)";
    if (gLog) gLog->push_back("Loaded " + Name());
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
  }
  void DefineProperties(TFiler* Filer) override {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Secret", [this](TReader* r) { FSecret = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(FSecret); },
        FSecret != (Filer->Ancestor() ? static_cast<TTestPanel*>(Filer->Ancestor())->FSecret : 0));
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream* s) {
          FData.resize(static_cast<std::size_t>(s->Size()));
          s->ReadBuffer(FData.data(), static_cast<std::int32_t>(FData.size()));
        },
        [this](TStream* s) { s->WriteBuffer(FData.data(), static_cast<std::int32_t>(FData.size())); },
        Filer->Ancestor() ? FData != static_cast<TTestPanel*>(Filer->Ancestor())->FData : !FData.empty());
  }

 private:
  TTestPanel* FParentPanel = nullptr;
  std::vector<TTestPanel*> FChildren;
};

class TTestForm : public TComponent {
  VW_CLASS(TTestForm, TComponent)
 public:
  explicit TTestForm(TComponent* AOwner) : TComponent(AOwner) {
    RegisterHandler("PanelClick", &TTestForm::PanelClick);
  }
  static void DeclareProperties(TPropTable& t) { t.Add("Caption", &TTestForm::FCaption); }
  void PanelClick(TObject* Sender) { Clicked = Sender; }
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (int i = 0; i < ComponentCount(); ++i)
      if (!Components(i)->HasParent() && Components(i)->Owner() == Root) Proc(Components(i));
  }

  String FCaption;
  TObject* Clicked = nullptr;

 protected:
  void Loaded() override {
    TComponent::Loaded();
    if (gLog) gLog->push_back("Loaded " + Name());
  }
};

namespace {

class FormStreamingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterClasses({ClassOf<TTestForm>(), ClassOf<TTestPanel>()});
    gLog = &Log;
  }
  void TearDown() override {
    UnRegisterClasses({ClassOf<TTestForm>(), ClassOf<TTestPanel>()});
    gLog = nullptr;
  }
  std::vector<String> Log;
};

const char* kForm =
    "object MainForm: TTestForm\r\n"
    "  Caption = '\xE4\xB8\xBB\xE7\x95\x8C\xE9\x9D\xA2 ''wall'''#13#10'next'\r\n"
    "  object Outer: TTestPanel\r\n"
    "    Align = taTop\r\n"
    "    Buddy = Inner\r\n"
    "    Caption = 'Outer'\r\n"
    "    Color = clRed\r\n"
    "    Options = [toBold, toUnderline]\r\n"
    "    Ratio = 0.25\r\n"
    "    Visible = False\r\n"
    "    Value = 12345678901\r\n"
    "    Mark = '*'\r\n"
    "    Font.Name = 'SimSun'\r\n"
    "    Font.Size = 12\r\n"
    "    Lines.Strings = (\r\n"
    "      'one'\r\n"
    "      ''\r\n"
    "      'three')\r\n"
    "    Columns = <\r\n"
    "      item\r\n"
    "        Title = 'Input'\r\n"
    "      end\r\n"
    "      item\r\n"
    "        Title = 'Output'\r\n"
    "        Width = 120\r\n"
    "      end>\r\n"
    "    OnClick = PanelClick\r\n"
    "    Left = 10\r\n"
    "    Top = 20\r\n"
    "    Secret = 42\r\n"
    "    Data = {\r\n"
    "      00FF7F80}\r\n"
    "    object Inner: TTestPanel\r\n"
    "      Buddy = MainForm.Outer\r\n"
    "      Color = 255\r\n"
    "      Options = []\r\n"
    "    end\r\n"
    "  end\r\n"
    "end\r\n";

TEST_F(FormStreamingTest, ReadsEveryKindOfValueFromAFormDescription) {
  std::unique_ptr<TComponent> root(FormTextToComponent(kForm, nullptr));
  auto* form = dynamic_cast<TTestForm*>(root.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Name(), "MainForm");
  EXPECT_EQ(form->FCaption, "\xE4\xB8\xBB\xE7\x95\x8C\xE9\x9D\xA2 'wall'\r\nnext");
  auto* outer = dynamic_cast<TTestPanel*>(form->FindComponent("outer"));
  auto* inner = dynamic_cast<TTestPanel*>(form->FindComponent("Inner"));
  ASSERT_TRUE(outer && inner);
  EXPECT_EQ(inner->Owner(), form);
  EXPECT_EQ(inner->ParentPanel(), outer);
  EXPECT_EQ(outer->FAlign, taTop);
  EXPECT_EQ(outer->FColor, 0xFF);
  EXPECT_EQ(inner->FColor, 0xFF);
  EXPECT_EQ(outer->FOptions, (TTestOptions{toBold, toUnderline}));
  EXPECT_TRUE(inner->FOptions.Empty());
  EXPECT_DOUBLE_EQ(outer->FRatio, 0.25);
  EXPECT_FALSE(outer->FVisible);
  EXPECT_EQ(VarType(outer->FValue), varInt64);
  EXPECT_EQ(outer->FValue.AsInt64(), 12345678901LL);
  EXPECT_EQ(outer->FMark, '*');
  EXPECT_EQ(inner->FMark, 0);
  EXPECT_EQ(outer->FFont.FName, "SimSun");
  EXPECT_EQ(outer->FFont.FSize, 12);
  ASSERT_EQ(outer->FLines.Count(), 3);
  EXPECT_EQ(outer->FLines.Strings(1), "");
  EXPECT_EQ(outer->FLines.Strings(2), "three");
  ASSERT_EQ(outer->FColumns.Count(), 2);
  EXPECT_EQ(static_cast<TTestColumn*>(outer->FColumns[0])->FWidth, 64);
  EXPECT_EQ(static_cast<TTestColumn*>(outer->FColumns[1])->FTitle, "Output");
  EXPECT_EQ(static_cast<TTestColumn*>(outer->FColumns[1])->FWidth, 120);
  EXPECT_EQ(outer->DesignInfo(), 10 | (20 << 16));
  EXPECT_EQ(outer->FSecret, 42);
  EXPECT_EQ(outer->FData, (std::vector<std::uint8_t>{0x00, 0xFF, 0x7F, 0x80}));
  EXPECT_EQ(outer->FBuddy, inner);
  EXPECT_EQ(inner->FBuddy, outer);
  ASSERT_TRUE(outer->FOnClick);
  outer->FOnClick(outer);
  EXPECT_EQ(form->Clicked, outer);
  EXPECT_TRUE(outer->ConstructedLoading);
  for (TComponent* c : {static_cast<TComponent*>(form), static_cast<TComponent*>(outer), static_cast<TComponent*>(inner)})
    EXPECT_FALSE(c->HasState(csLoading) || c->HasState(csReading)) << c->Name();
}

TEST_F(FormStreamingTest, LoadedRunsOnceReferencesAreResolvedRootFirst) {
  std::unique_ptr<TComponent> root(FormTextToComponent(kForm, nullptr));
  auto* outer = dynamic_cast<TTestPanel*>(root->FindComponent("Outer"));
  // Outer refers forward to Inner, which is read after it: resolved before anyone's Loaded.
  EXPECT_EQ(outer->BuddyAtLoaded, "Inner");
  EXPECT_EQ(Log, (std::vector<String>{"Loaded MainForm", "Loaded Outer", "Loaded Inner"}));
}

TEST_F(FormStreamingTest, WritingAndReadingAgainGivesTheSameDescription) {
  std::unique_ptr<TComponent> first(FormTextToComponent(kForm, nullptr));
  String text = ComponentToFormText(first.get());
  std::unique_ptr<TComponent> second(FormTextToComponent(text, nullptr));
  EXPECT_EQ(ComponentToFormText(second.get()), text);
  // Defaults stay out; everything else is there.
  EXPECT_EQ(text.find("Width = 64"), String::npos);
  EXPECT_EQ(text.find("Visible = True"), String::npos);
  for (const char* expected :
       {"object MainForm: TTestForm", "  object Outer: TTestPanel", "    object Inner: TTestPanel",
        "Color = clRed", "Options = [toBold, toUnderline]", "Align = taTop", "OnClick = PanelClick",
        "Buddy = Inner", "Buddy = Outer", "Font.Name = 'SimSun'", "Lines.Strings = (\r\n      'one'\r\n      ''",
        "Columns = <\r\n      item\r\n        Title = 'Input'\r\n      end", "Secret = 42",
        "Data = {\r\n      00FF7F80}", "Left = 10", "Value = 12345678901", "Ratio = 0.25", "Mark = '*'",
        "Caption = '\xE4\xB8\xBB\xE7\x95\x8C\xE9\x9D\xA2 ''wall'''#13#10'next'"})
    EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
}

TEST_F(FormStreamingTest, ADescendentStoresOnlyWhatDiffersFromItsAncestor) {
  std::unique_ptr<TComponent> ancestor(FormTextToComponent(kForm, nullptr));
  std::unique_ptr<TComponent> derived(FormTextToComponent(kForm, nullptr));
  auto* outer = static_cast<TTestPanel*>(derived->FindComponent("Outer"));
  outer->FCaption = "Changed";
  outer->FColumns.Clear();
  auto* extra = new TTestPanel(derived.get());
  extra->SetName("Extra");
  TMemoryStream binary;
  binary.WriteDescendent(derived.get(), ancestor.get());
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  EXPECT_EQ(text.DataString(),
            "inherited MainForm: TTestForm\r\n"
            "  inherited Outer: TTestPanel\r\n"
            "    Caption = 'Changed'\r\n"
            "    Columns = <>\r\n"
            "    inherited Inner: TTestPanel\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object Extra: TTestPanel\r\n"
            "    Font.Name = 'Tahoma'\r\n"
            "  end\r\n"
            "end\r\n");
  // Read over a fresh copy of the ancestor, the descendent comes back.
  std::unique_ptr<TComponent> again(FormTextToComponent(kForm, nullptr));
  FormTextToComponent(text.DataString(), again.get());
  auto* outer2 = static_cast<TTestPanel*>(again->FindComponent("Outer"));
  EXPECT_EQ(outer2->FCaption, "Changed");
  EXPECT_EQ(outer2->FColumns.Count(), 0);
  EXPECT_EQ(outer2->FAlign, taTop);
  EXPECT_NE(again->FindComponent("Extra"), nullptr);
}

TEST_F(FormStreamingTest, ReadingIntoAnExistingRootKeepsTheInstance) {
  TTestForm form(nullptr);
  EXPECT_EQ(FormTextToComponent(kForm, &form), &form);
  EXPECT_EQ(form.ComponentCount(), 2);
  EXPECT_EQ(form.Name(), "MainForm");
}

TEST_F(FormStreamingTest, FormsEmbeddedInTheProgramAreFoundByClassName) {
  static const String text = kForm;
  static const platform::ResourceEntry entry[] = {
      {"FORM", "TTESTFORM", reinterpret_cast<const unsigned char*>(text.data()), text.size()}};
  platform::RegisterResources(entry, 1);
  TTestForm form(nullptr);
  ReadFormResource(&form);
  EXPECT_EQ(form.Name(), "MainForm");
  EXPECT_NE(form.FindComponent("Inner"), nullptr);
  TTestPanel orphan(nullptr);
  EXPECT_THROW(ReadFormResource(&orphan), EResNotFound);
}

TEST_F(FormStreamingTest, BadDescriptionsRaiseAndLeaveNothingBehind) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"object F: TNoSuchForm\r\nend\r\n", "Class TNoSuchForm not found"},
      {"object F: TTestForm\r\n  object P: TNoSuchPanel\r\n  end\r\nend\r\n", "Class TNoSuchPanel not found"},
      {"object F: TTestForm\r\n  object P: TTestPanel\r\n    Bogus = 1\r\n  end\r\nend\r\n",
       "Error reading P.Bogus: Property Bogus does not exist"},
      {"object F: TTestForm\r\n  object P: TTestPanel\r\n    Align = taSideways\r\n  end\r\nend\r\n",
       "Error reading P.Align: Invalid property value"},
      {"object F: TTestForm\r\n  object P: TTestPanel\r\n    Mark = 'ab'\r\n  end\r\nend\r\n",
       "Error reading P.Mark: Invalid property value"},
      {"object F: TTestForm\r\n  object P: TTestPanel\r\n    OnClick = Missing\r\n  end\r\nend\r\n",
       "Error reading P.OnClick: Method Missing not found"},
      {"object F: TTestForm\r\n  object P: TTestPanel\r\n  end\r\n  object P: TTestPanel\r\n  end\r\nend\r\n",
       "A component named P already exists"},
      {"object F: TTestForm\r\n  Caption = 'open\r\nend\r\n", "Unterminated string on line 2"},
      {"object F: TTestForm\r\n  Caption = 'x'\r\n", "'end' expected on line 3"},
      {"object F: TTestForm\r\n  object P: TTestPanel\r\n    Data = {0G}\r\n  end\r\nend\r\n",
       "Invalid binary value on line 3"},
  };
  for (const auto& c : cases) {
    try {
      std::unique_ptr<TComponent> root(FormTextToComponent(c.text, nullptr));
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_THROW(FormTextToComponent("object F: TNoSuchForm\r\nend\r\n", nullptr), EClassNotFound);
}

TEST_F(FormStreamingTest, PropertiesAreReachedByName) {
  TTestPanel p(nullptr);
  SetEnumProp(&p, "align", "taClient");
  EXPECT_EQ(p.FAlign, taClient);
  EXPECT_EQ(GetEnumProp(&p, "Align"), "taClient");
  SetSetProp(&p, "Options", "[toItalic,toBold]");
  EXPECT_EQ(GetSetProp(&p, "Options", true), "[toBold, toItalic]");
  SetPropValue(&p, "Visible", Variant(false));
  EXPECT_FALSE(p.FVisible);
  SetStrProp(&p, "Caption", "x");
  EXPECT_EQ(GetPropValue(&p, "Caption").AsString(), "x");
  EXPECT_EQ(GetObjectProp(&p, "Font"), &p.FFont);
  EXPECT_EQ(PropType(&p, "OnClick"), tkMethod);
  // A character property reads and takes a one-character text.
  SetPropValue(&p, "Mark", Variant(String("#")));
  EXPECT_EQ(GetPropValue(&p, "Mark").AsString(), "#");
  EXPECT_THROW(SetPropValue(&p, "Mark", Variant(String("##"))), EPropertyError);
  EXPECT_EQ(PropType(&p, "Tag"), tkInt64);
  EXPECT_FALSE(IsStoredProp(&p, GetPropInfo(&p, "Name")));
  EXPECT_THROW(SetEnumProp(&p, "Align", "taNowhere"), EPropertyError);
  EXPECT_THROW(SetOrdProp(&p, "NoSuch", 1), EPropertyError);
  EXPECT_THROW(SetObjectProp(&p, "Font", nullptr), EPropertyError);  // read-only
  EXPECT_THROW(SetSetProp(&p, "Options", "[toStrike]"), EPropertyError);
  // Inherited properties come first, in declaration order.
  auto list = GetPropList(&p);
  ASSERT_GE(list.size(), 3u);
  EXPECT_EQ(list[0]->Name, "Name");
  EXPECT_EQ(list[1]->Name, "Tag");
  EXPECT_EQ(list[2]->Name, "Align");
}

TEST_F(FormStreamingTest, ClassRegistryFindsByNameAndRefusesAnotherClassOfTheSameName) {
  EXPECT_EQ(FindClass("ttestpanel"), ClassOf<TTestPanel>());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  try {
    FindClass("TNothing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNothing not found");
  }
  RegisterClass(ClassOf<TTestPanel>());  // again: no error
  UnRegisterClass(ClassOf<TTestPanel>());
  EXPECT_EQ(GetClass("TTestPanel"), nullptr);
  RegisterClass(ClassOf<TTestPanel>());
}

}  // namespace

namespace {

// Every truncation and every single-byte corruption of a stored form either reads or raises one
// of the library's exceptions: no crash, no leak, no hang (AddressSanitizer watches).
TEST_F(FormStreamingTest, DamagedStoredFormsRaiseCleanly) {
  std::unique_ptr<TComponent> root(FormTextToComponent(kForm, nullptr));
  TMemoryStream good;
  good.WriteComponent(root.get());
  const auto* bytes = static_cast<const std::uint8_t*>(good.Memory());
  const auto size = static_cast<std::int32_t>(good.Size());
  auto attempt = [&](const std::vector<std::uint8_t>& data) {
    TMemoryStream s;
    if (!data.empty()) s.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
    s.SetPosition(0);
    try {
      std::unique_ptr<TComponent> c(s.ReadComponent(nullptr));
      TMemoryStream text;
      s.SetPosition(0);
      ObjectBinaryToText(&s, &text);
    } catch (const Exception&) {
    }
  };
  for (std::int32_t n = 0; n < size; ++n) attempt(std::vector<std::uint8_t>(bytes, bytes + n));
  for (std::int32_t i = 4; i < size; ++i)
    for (std::uint8_t v : {std::uint8_t{0x00}, std::uint8_t{0x07}, std::uint8_t{0xFF}}) {
      std::vector<std::uint8_t> data(bytes, bytes + size);
      data[static_cast<std::size_t>(i)] = v;
      attempt(data);
    }
  // Text cut anywhere.
  String text = kForm;
  for (std::size_t n = 0; n < text.size(); n += 3) {
    try {
      std::unique_ptr<TComponent> c(FormTextToComponent(text.substr(0, n), nullptr));
    } catch (const Exception&) {
    }
  }
}

TEST_F(FormStreamingTest, AbsurdNestingIsRefusedRatherThanOverflowingTheStack) {
  String deep;
  for (int i = 0; i < 100000; ++i) deep += "object P" + std::to_string(i) + ": TTestPanel\n";
  EXPECT_THROW(FormTextToComponent("object F: TTestForm\n" + deep, nullptr), EParserError);
  String list = "object F: TTestForm\n  Value = " + String(100000, '(');
  EXPECT_THROW(FormTextToComponent(list, nullptr), EParserError);
}

}  // namespace

namespace {

TEST_F(FormStreamingTest, VariantPropertiesKeepTheirKindThroughTheText) {
  const Variant values[] = {Variant(static_cast<std::int8_t>(-5)), Variant(300), Variant(70000),
                            Variant(5000000000LL), Variant(2.5f), Variant(-1.0e-20), Variant::FromCurrency(12.3456),
                            Variant::FromDateTime(45000.75), Variant("it's"), Variant::OleStr("\xE5\xA2\x99"),
                            Variant(true), Variant::Null(), VarArrayOf({Variant(1), Variant("two")})};
  for (const Variant& v : values) {
    TTestForm form(nullptr);
    form.SetName("F");
    auto* p = new TTestPanel(&form);
    p->SetName("P");
    p->FValue = v;
    String text = ComponentToFormText(&form);
    TTestForm back(nullptr);
    FormTextToComponent(text, &back);
    const Variant& got = static_cast<TTestPanel*>(back.FindComponent("P"))->FValue;
    SCOPED_TRACE(text);
    if (v.IsArray()) {
      ASSERT_TRUE(got.IsArray());
      EXPECT_EQ(got.HighBound(), 1);
      EXPECT_EQ(got[1].AsString(), "two");
      continue;
    }
    // Integers take the smallest stored size; the text does not tell wide strings from others.
    TVarType expected = VarType(v) == varInteger && v.AsInteger() < 32768 ? varSmallint
                        : VarType(v) == varOleStr                          ? varString
                                                                           : VarType(v);
    EXPECT_EQ(VarType(got), expected);
    EXPECT_TRUE(got == v);
  }
}

}  // namespace
