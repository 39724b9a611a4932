// The mask editor on the headless screen: keystroke scripts against the picture, regular-expression
// and auto-completing modes (text, selection, value and beeps), the properties' mask handling and
// conversions, and the editor without a mask, which must be the text editor.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/display/Display.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Keys.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "tests/ui/editors/MaskTestSupport.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/editors/MaskEdit.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class MaskEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(0, 0, 400, 200);
  }
  void TearDown() override {
    delete form;
    Pump();
    ControlsTest::TearDown();
  }

  TcxMaskEdit* NewEdit(const String& Mask = String(), TcxEditMaskKind Kind = emkStandard) {
    auto* edit = new TcxMaskEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 121, 21);
    edit->Properties()->SetMaskKind(Kind);
    if (!Mask.empty()) edit->Properties()->SetEditMask(Mask);
    Pump();
    return edit;
  }
  void Focus(TcxCustomEdit* Edit) {
    Edit->SetFocus();
    Pump();
  }
  void Type(const std::string& Utf8) {
    Headless().InjectText(Utf8);
    Pump();
  }
  void Key(unsigned Vk, std::initializer_list<unsigned> Modifiers = {}) {
    for (unsigned m : Modifiers) Headless().InjectKey(m, true);
    Headless().InjectKey(Vk, true);
    Headless().InjectKey(Vk, false);
    for (unsigned m : Modifiers) Headless().InjectKey(m, false);
    Pump();
  }
  int Beeps() { return static_cast<int>(Headless().Beeps().size()); }
  // The text the editor reports when it is left: empty when it passes.
  static String ExitError(TcxCustomEdit* Edit) {
    try {
      Edit->ValidateEnteredValue(true);
    } catch (const EcxEditValidationError& e) {
      return e.Message();
    }
    return String();
  }
  static TcxMaskEditRegExprMode* RegExprMode(TcxCustomMaskEdit* Edit) {
    return dynamic_cast<TcxMaskEditRegExprMode*>(Edit->Mode());
  }

  TForm* form = nullptr;
};

// ---- without a mask -----------------------------------------------------------------------------------

TEST_F(MaskEditTest, WithoutAMaskItIsTheTextEditor) {
  for (const char* mask : {"", "   "}) {
    auto* edit = NewEdit(mask);
    EXPECT_FALSE(edit->HasMask());
    edit->Properties()->SetMaxLength(5);
    EXPECT_EQ(edit->Properties()->MaxLength(), 5);
    Focus(edit);
    Type("abc");
    Key(VK_LEFT);
    Type("Z");
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "abZ");
    EXPECT_EQ(edit->SelStart(), 3);
    Type("defgh");
    EXPECT_EQ(edit->Text(), "abZde");
    EXPECT_EQ(edit->EditValueText(), edit->Text());
    EXPECT_TRUE(edit->AllowsFreeTyping());
    delete edit;
  }
}

TEST_F(MaskEditTest, EditValueTextOfAMaskLessEditorIsTheChosenItem) {
  auto* edit = NewEdit();
  edit->Properties()->LookupItems()->Add("Black");
  edit->Properties()->LookupItems()->Add("Silver");
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->EditValueText(), "Silver");
  EXPECT_EQ(edit->EditValueText(), edit->Text());
}

// ---- the picture mode ---------------------------------------------------------------------------------

TEST_F(MaskEditTest, PictureMaskTypingDeletingAndMoving) {
  auto* edit = NewEdit("00-00");
  Focus(edit);
  EXPECT_EQ(edit->EditValueText(), "__-__");
  Type("12");
  // The block caret passed the literal by itself.
  EXPECT_EQ(edit->EditValueText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 1);
  Type("34");
  EXPECT_EQ(edit->EditValueText(), "12-34");
  EXPECT_EQ(edit->Text(), "12-34");
  Key(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 4);
  Key(VK_DELETE);
  EXPECT_EQ(edit->EditValueText(), "12-3_");
  Key(VK_HOME);
  EXPECT_EQ(edit->SelStart(), 0);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  EXPECT_EQ(edit->SelStart(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 1);
}

TEST_F(MaskEditTest, PictureBackspaceAndShiftDelete) {
  auto* edit = NewEdit("00-00");
  Focus(edit);
  Type("123");
  EXPECT_EQ(edit->SelStart(), 4);
  Key(VK_BACK);
  EXPECT_EQ(edit->EditValueText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 1);
  Type("3");
  // Shift+Delete with nothing selected acts as Backspace.
  edit->SetSelStartQuietly(4);
  edit->SetSelLengthQuietly(0);
  Key(VK_DELETE, {VK_SHIFT});
  EXPECT_EQ(edit->EditValueText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
}

TEST_F(MaskEditTest, PicturePasteShiftLeftAndTheHostsNotification) {
  auto* edit = NewEdit("00-00");
  Focus(edit);
  Type("1");
  // A paste overwrites as many positions as it brings, the literal included.
  platform::wm::SetClipboardTextUtf8(nullptr, "2-3");
  Key('V', {VK_CONTROL});
  EXPECT_EQ(edit->EditValueText(), "12-3_");
  EXPECT_EQ(edit->SelStart(), 4);
  // Shift+Left grows the selection leftwards from the block.
  Key(VK_LEFT, {VK_SHIFT});
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 2);
  // Ctrl+Left is Home; Left at the first position tells an in-place host.
  int told = 0;
  edit->OnInplaceKeyDown = [&told](TObject*, WORD& K, TShiftState) { told += K == VK_LEFT; };
  Key(VK_LEFT, {VK_CONTROL});
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(told, 0);
  Key(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(told, 1);
  // The keys the mode sends itself fire no key events.
  int keyDowns = 0;
  edit->OnKeyDown = [&keyDowns](TObject*, WORD&, TShiftState) { ++keyDowns; };
  Key(VK_END);
  Key(VK_LEFT, {VK_SHIFT});
  EXPECT_EQ(keyDowns, 3);
}

TEST_F(MaskEditTest, PictureValueAndTheBlankRules) {
  auto* edit = NewEdit("!999");
  edit->SetEditValue(Variant("12"));
  Focus(edit);
  // Laid in from the right.
  EXPECT_EQ(edit->EditValueText(), "_12");

  auto* blank = NewEdit("00-00");
  Focus(blank);
  Type("1");
  struct Case {
    const char* Text;
    bool IgnoreMaskBlank, Valid;
  } cases[] = {{"__-__", true, true}, {"__-__", false, false}, {"1_-__", true, false},
               {"12-34", false, true}, {"12-3", true, false}};
  for (const Case& c : cases) {
    blank->Properties()->SetIgnoreMaskBlank(c.IgnoreMaskBlank);
    EXPECT_EQ(blank->Mode()->IsTextValid(c.Text), c.Valid) << c.Text << " " << c.IgnoreMaskBlank;
  }
  blank->Properties()->SetIgnoreMaskBlank(false);
  EXPECT_EQ(ExitError(blank), "The edit value is invalid");
  blank->Properties()->SetIgnoreMaskBlank(true);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(blank->EditValueText(), "__-__");
  EXPECT_EQ(ExitError(blank), "");
}

TEST_F(MaskEditTest, PictureShowsItsBareValueUnfocused) {
  for (bool always : {false, true}) {
    auto* edit = NewEdit("99-99;0");
    edit->Properties()->SetAlwaysShowBlanksAndLiterals(always);
    edit->SetEditValue(Variant("5678"));
    Pump();
    EXPECT_EQ(edit->EditValueText(), always ? "56-78" : "5678");
    Focus(edit);
    EXPECT_EQ(edit->EditValueText(), "56-78");
    EXPECT_EQ(edit->ValueText(), "5678");
    form->SetFocus();
    Pump();
    delete edit;
  }
}

// ---- the regular-expression modes -----------------------------------------------------------------------

TEST_F(MaskEditTest, RegExprRefusesWhatCannotMatch) {
  for (bool beep : {true, false}) {
    auto* edit = NewEdit("\\d+", emkRegExpr);
    edit->Properties()->SetBeepOnError(beep);
    Focus(edit);
    Headless().ClearBeeps();
    Type("a");
    EXPECT_EQ(edit->EditValueText(), "");
    EXPECT_EQ(Beeps(), beep ? 1 : 0);
    Type("12");
    EXPECT_EQ(edit->EditValueText(), "12");
    EXPECT_EQ(Beeps(), beep ? 1 : 0);
    EXPECT_TRUE(edit->Mode()->IsTextValid("12"));
    EXPECT_TRUE(edit->Mode()->IsTextValid(""));
    EXPECT_FALSE(edit->Mode()->IsTextValid("1a"));
    delete edit;
  }
}

TEST_F(MaskEditTest, RegExprAlternativesAndAnUnfinishedMatch) {
  auto* edit = NewEdit("ab|ac", emkRegExpr);
  edit->Properties()->SetBeepOnError(true);
  Focus(edit);
  Headless().ClearBeeps();
  Type("a");
  Type("d");
  EXPECT_EQ(edit->EditValueText(), "a");
  EXPECT_EQ(Beeps(), 1);
  Type("b");
  EXPECT_EQ(edit->EditValueText(), "ab");
  Key(VK_BACK);
  EXPECT_EQ(edit->EditValueText(), "a");
  EXPECT_EQ(RegExprMode(edit)->Head() + RegExprMode(edit)->Tail(), "a");
  EXPECT_EQ(ExitError(edit), "The edit value is invalid");
  edit->Properties()->SetIgnoreMaskBlank(true);
  EXPECT_EQ(ExitError(edit), "");
}

TEST_F(MaskEditTest, RegExprDropsARestThatNoLongerMatches) {
  auto* edit = NewEdit("a\\d*|b", emkRegExpr);
  Focus(edit);
  Type("a123");
  Key(VK_HOME);
  Key(VK_DELETE);
  // "123" alone matches neither alternative: it goes with the "a".
  EXPECT_EQ(edit->EditValueText(), "");
  Type("a1");
  Key(VK_HOME);
  Type("b");
  EXPECT_EQ(edit->EditValueText(), "b");
  EXPECT_EQ(RegExprMode(edit)->Head() + RegExprMode(edit)->Tail(), "b");
}

TEST_F(MaskEditTest, ExtendedModeTypesTheFixedCharacters) {
  auto* edit = NewEdit("\\(\\d\\d\\d\\)\\d\\d\\d-\\d\\d\\d\\d", emkRegExprEx);
  EXPECT_EQ(edit->Properties()->EmptyValueText(), "(");
  EXPECT_EQ(edit->EditValueText(), "(");
  Focus(edit);
  Type("123");
  EXPECT_EQ(edit->EditValueText(), "(123)");
  EXPECT_EQ(edit->SelStart(), 5);
  Key(VK_BACK);
  EXPECT_EQ(edit->EditValueText(), "(12");
  Type("3");
  Key(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 3);
  auto* mode = RegExprMode(edit);
  EXPECT_EQ(mode->Head(), "(12");
  EXPECT_EQ(mode->Tail(), "3)");
  // Typed in the middle, the unit takes its own ")"; the old rest no longer fits after it.
  Type("4567");
  EXPECT_EQ(edit->EditValueText(), "(124)567-");
  edit->SelectAllContent();
  Pump();
  Type("9");
  EXPECT_EQ(edit->EditValueText(), "(9");
  EXPECT_EQ(mode->Head() + mode->Tail(), "(9");
  // The fixed start cannot be deleted.
  edit->Properties()->SetBeepOnError(true);
  Headless().ClearBeeps();
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(edit->EditValueText(), "(");
  EXPECT_EQ(Beeps(), 1);
  EXPECT_TRUE(edit->Mode()->IsTextValid("("));
  EXPECT_FALSE(edit->Mode()->IsTextValid("(12"));
}

// ---- the properties -------------------------------------------------------------------------------------

TEST_F(MaskEditTest, KindChangesAndAssignment) {
  auto* edit = NewEdit("00-00");
  edit->Properties()->SetMaskKind(emkRegExpr);
  EXPECT_EQ(edit->Properties()->EditMask(), "");
  EXPECT_FALSE(edit->HasMask());

  auto* other = NewEdit("\\d\\d", emkRegExpr);
  auto* standard = NewEdit("00-00");
  standard->Properties()->Assign(other->Properties());
  EXPECT_EQ(standard->Properties()->MaskKind(), emkRegExpr);
  EXPECT_EQ(standard->Properties()->EditMask(), "\\d\\d");
  EXPECT_EQ(standard->Mode()->MaskKind(), emkRegExpr);
  // Between the two regular-expression kinds the mask stays.
  standard->Properties()->SetMaskKind(emkRegExprEx);
  EXPECT_EQ(standard->Properties()->EditMask(), "\\d\\d");
  EXPECT_EQ(standard->Mode()->MaskKind(), emkRegExprEx);
}

TEST_F(MaskEditTest, AFaultyRegularExpressionIsRefusedAndTheOldMaskKept) {
  auto* edit = NewEdit("\\d+", emkRegExpr);
  try {
    edit->Properties()->SetEditMask("a(");
    FAIL() << "no error";
  } catch (const EcxMaskEditError& e) {
    String expected = "Regular expression errors:";
    for (const String& line : masktest::CompileErrors("a(")) expected += "\r\n" + line;
    EXPECT_EQ(e.Message(), expected);
  }
  EXPECT_EQ(edit->Properties()->EditMask(), "\\d+");

  auto* loaded = new TcxMaskEdit(form);
  loaded->SetParent(form);
  int changes = 0;
  loaded->Properties()->OnChange = [&changes](TObject*) { ++changes; };
  FormTextToComponent("object E: TcxMaskEdit\r\n  Properties.EditMask = '00-00;0'\r\n  Text = '1234'\r\nend\r\n",
                      loaded);
  Pump();
  // The loaded text went through the mask, quietly.
  EXPECT_EQ(loaded->Properties()->EditMask(), "00-00;0");
  EXPECT_EQ(loaded->ValueText(), "1234");
  EXPECT_EQ(changes, 0);
  EXPECT_THROW(FormTextToComponent("object E: TcxMaskEdit\r\n  Properties.MaskKind = emkRegExpr\r\n"
                                   "  Properties.EditMask = 'a('\r\nend\r\n",
                                   loaded),
               EcxMaskEditError);
}

TEST_F(MaskEditTest, CaseMaxLengthAndWhatAMaskSwitchesOff) {
  auto* edit = NewEdit("00-00");
  TcxMaskEditProperties* p = edit->Properties();
  p->SetCaseInsensitive(false);
  EXPECT_FALSE(p->CaseInsensitive());
  p->SetCharCase(ecUpperCase);
  EXPECT_TRUE(p->CaseInsensitive());
  p->SetCaseInsensitive(false);
  EXPECT_TRUE(p->CaseInsensitive());
  p->SetMaxLength(5);
  EXPECT_EQ(p->MaxLength(), 0);
  EXPECT_FALSE(p->UsesLookupItems());
  EXPECT_FALSE(edit->AllowsFreeTyping());
  EXPECT_EQ(p->SupportsDisplayFormat(), 0);
  EXPECT_TRUE(p->ValidateOnEnter());
}

TEST_F(MaskEditTest, RegistrationAndTheFilterHelper) {
  MaskEditUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  int index = registry->IndexOfClass(TcxMaskEditProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->DescriptionAt(index), "MaskEdit|Represents a generic masked edit control.");
  TcxCustomFilterEditHelperClass helper =
      FilterEditsControllerInstance()->FindHelper(TcxMaskEditProperties::StaticClass());
  ASSERT_EQ(helper, FilterEditHelperClass<TcxFilterMaskEditHelper>());

  TcxMaskEditProperties source(nullptr), target(nullptr);
  EXPECT_EQ(helper->SupportedFilterOperators(&source, ValueTypeClass<TcxStringValueType>(), false), 1662u | 384u);
  source.SetEditMask("00");
  EXPECT_EQ(helper->SupportedFilterOperators(&source, ValueTypeClass<TcxStringValueType>(), true), 1662u | 30720u);
  helper->PrepareFilterProperties(&target, &source, false);
  EXPECT_FALSE(target.AutoSelect());
  source.SetMaskKind(emkRegExpr);
  source.SetEditMask("\\d+");
  helper->PrepareFilterProperties(&target, &source, false);
  EXPECT_EQ(target.MaskKind(), emkRegExprEx);
  EXPECT_EQ(target.EditMask(), "\\d+");
  MaskEditUnitShutdown();
}

// ---- what it looks like -----------------------------------------------------------------------------------

// Each look in a column; rows: a picture mask's bare value unfocused, the same with its blanks and
// literals, an untouched picture mask showing its blanks, a regular expression, the auto-completing
// kind after three digits, a disabled editor. The last column's third editor has the focus and
// its block caret.
TEST_F(MaskEditTest, GalleryOfLooksAndKinds) {
  delete form;
  form = NewForm(0, 0, 4 * 135 + 20, 6 * 30 + 20);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  TcxMaskEdit* focused = nullptr;
  for (int col = 0; col < 4; ++col) {
    struct Row {
      const char* Mask;
      TcxEditMaskKind Kind;
      const char* Value;
      bool Always;
    } rows[] = {{"99-99;0", emkStandard, "5678", false},
                {"99-99;0", emkStandard, "5678", true},
                {"(000) 000-0000", emkStandard, "", true},
                {"[A-Z]\\w*", emkRegExpr, "Silver", false},
                {"\\(\\d\\d\\d\\)\\d\\d\\d-\\d\\d\\d\\d", emkRegExprEx, "(123)", false},
                {"00:00", emkStandard, "1230", true}};
    for (int row = 0; row < 6; ++row) {
      auto* e = NewEdit(rows[row].Mask, rows[row].Kind);
      e->SetBounds(10 + col * 135, 10 + row * 30, 121, 21);
      e->Style()->LookAndFeel()->SetKind(kinds[col]);
      e->Properties()->SetAlwaysShowBlanksAndLiterals(rows[row].Always);
      e->SetEditValue(Variant(String(rows[row].Value)));
      if (row == 5) e->SetEnabled(false);
      if (col == 3 && row == 2) focused = e;
    }
  }
  Pump();
  Focus(focused);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  ASSERT_EQ(focused->EditValueText(), "(___) ___-____");
  EXPECT_EQ(focused->SelStart(), 2);
  EXPECT_EQ(focused->SelLength(), 1);
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("editors/mask-edit-gallery.png")));
}

// ---- random input --------------------------------------------------------------------------------------

// Random keys, caret placements by the mouse, pastes and values against every kind of mask. Nothing
// may fail, and after every key the regular-expression modes' picture of the text must be the text
// with the engine after its head.
// VW_MASK_FUZZ_STEPS sets the number of actions per mask (the sanitizer run uses more) and
// VW_MASK_FUZZ_SEED the random sequence.
TEST_F(MaskEditTest, RandomInputKeepsThePictureOfTheText) {
  struct Target {
    const char* Mask;
    TcxEditMaskKind Kind;
  } targets[] = {
      {"00-00", emkStandard},          {"!999", emkStandard},
      {">LL-0000;0;*", emkStandard},   {"\\d+", emkRegExpr},
      {"ab|ac", emkRegExpr},           {"(\\d\\d:)?\\d\\d", emkRegExpr},
      {"[a-c]+x?|\\d", emkRegExpr},    {"\\(\\d\\d\\d\\)\\d\\d\\d-\\d\\d\\d\\d", emkRegExprEx},
      {"\\d\\d?-\\d\\d?", emkRegExprEx}, {"ab\\d+c", emkRegExprEx},
  };
  const char* env = std::getenv("VW_MASK_FUZZ_STEPS");
  const int steps = env ? std::atoi(env) : 400;
  const std::vector<std::string> typed = {"0", "1", "5", "9", "a", "b", "c", "x", "A", "-", ":", "(", ")", " ", "中"};
  const unsigned keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_BACK, VK_DELETE};
  const char* seed = std::getenv("VW_MASK_FUZZ_SEED");
  std::mt19937 random(seed ? static_cast<unsigned>(std::atoi(seed)) : 20261211u);
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  int checked = 0;
  for (const Target& target : targets) {
    auto* edit = NewEdit(target.Mask, target.Kind);
    edit->Properties()->SetBeepOnError(true);
    Focus(edit);
    std::vector<std::string> log;
    for (int step = 0; step < steps; ++step) {
      const int action = pick(23);
      bool keyed = true;
      auto note = [&](const std::string& what) {
        log.push_back(what + " -> '" + edit->EditValueText() + "' " + std::to_string(edit->SelStart()) + "+" +
                      std::to_string(edit->SelLength()));
        if (log.size() > 12) log.erase(log.begin());
      };
      if (action < 8) {
        const std::string& text = typed[static_cast<size_t>(pick(static_cast<int>(typed.size())))];
        Type(text);
        note("type " + text);
      } else if (action < 15) {
        std::vector<unsigned> modifiers;
        if (pick(4) == 0) modifiers.push_back(VK_SHIFT);
        if (pick(8) == 0) modifiers.push_back(VK_CONTROL);
        for (unsigned m : modifiers) Headless().InjectKey(m, true);
        const unsigned key = keys[pick(6)];
        Key(key);
        for (unsigned m : modifiers) Headless().InjectKey(m, false);
        Pump();
        note("key " + std::to_string(key) + " mods " + std::to_string(modifiers.size()));
      } else if (action < 17) {
        keyed = false;
        POINT p = edit->ClientToScreen(POINT{3 + pick(100), 10});
        MoveMouse(p.x, p.y);
        Headless().InjectMouseButton(1, true);
        Headless().InjectMouseButton(1, false);
        Pump();
        note("click");
      } else if (action < 19) {
        std::string clip;
        for (int i = pick(6); i > 0; --i) clip += typed[static_cast<size_t>(pick(static_cast<int>(typed.size())))];
        platform::wm::SetClipboardTextUtf8(nullptr, clip);
        Key('V', {VK_CONTROL});
        note("paste " + clip);
      } else if (action < 20) {
        keyed = false;
        edit->SetEditValue(Variant(pick(2) ? String("1234") : String()));
        Pump();
        note("value");
      } else if (action < 21) {
        keyed = false;
        POINT p = edit->ClientToScreen(POINT{3 + pick(100), 10});
        MoveMouse(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
          Headless().InjectMouseButton(1, true);
          Headless().InjectMouseButton(1, false);
        }
        Pump();
        note("double click");
      } else if (action < 22) {
        // A drag from one place to another.
        keyed = false;
        POINT from = edit->ClientToScreen(POINT{3 + pick(100), 10});
        POINT to = edit->ClientToScreen(POINT{3 + pick(100), 10});
        MoveMouse(from.x, from.y);
        Headless().InjectMouseButton(1, true);
        MoveMouse(to.x, to.y);
        Headless().InjectMouseButton(1, false);
        Pump();
        note("drag");
      } else {
        keyed = false;
        edit->SelectAllContent();
        Pump();
        note("select all");
      }
      if (auto* mode = RegExprMode(edit); mode && keyed) {
        std::string history = target.Mask + std::string(" step ") + std::to_string(step) + " head '" + mode->Head() +
                              "' tail '" + mode->Tail() + "'\n";
        for (const std::string& line : log) history += line + "\n";
        ASSERT_EQ(mode->Head() + mode->Tail(), edit->EditValueText()) << history;
        // The engine stands after the head: it answers as a fresh one fed with the head does.
        if (mode->Engine()->Compiled()) {
          TcxRegExpr probe;
          probe.SetCaseInsensitive(true);
          probe.Compile(mode->Engine()->SourceStream());
          for (char c : mode->Head()) probe.Accept(c);
          ASSERT_EQ(probe.AtFinal(), mode->Engine()->AtFinal()) << history;
        }
        ++checked;
      }
    }
    delete edit;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
