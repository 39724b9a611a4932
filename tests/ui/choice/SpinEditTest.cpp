// The spin editor on the headless screen with injected keys, mouse and virtual time: spinning by
// keys, wheel and held buttons, bounds and wrapping, the typing filter, validation of typed text,
// the button layouts, streaming of a zero increment, and the filter helpers of it and the track bar.
#include <gtest/gtest.h>

#include <string>

#include "platform/classes/FormDescription.h"
#include "platform/classes/FormatSettings.h"
#include "platform/classes/Streams.h"
#include "platform/classes/SysUtils.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/SpinEdit.h"
#include "ui/choice/TrackBar.h"
#include "ui/controls/EditError.h"
#include "ui/controls/EditRepository.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/OfficePainters.h"

namespace {

using namespace win;
using choicetest::ChoiceTest;

class SpinEditTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    form = MakeForm(10, 10, 500, 300);
  }

  TcxSpinEdit* Make(int Left = 10, int Top = 10) {
    auto* e = new TcxSpinEdit(form);
    e->SetParent(form);
    e->SetBounds(Left, Top, 121, 21);
    Pump();
    return e;
  }
  void Focus(TcxCustomEdit* Edit) {
    Edit->SetFocus();
    Pump();
  }
  void Press(unsigned Vk) {
    Key(Vk, true);
    Key(Vk, false);
  }
  void Type(const std::string& Utf8) {
    Headless().InjectText(Utf8);
    Pump();
  }
  static String Shown(TcxSpinEdit* Edit) { return Edit->InnerControl()->Text(); }
  static long long IntValue(TcxSpinEdit* Edit) { return Edit->Value().AsInt64(); }

  TForm* form = nullptr;
};

TEST_F(SpinEditTest, KeysSpinWithinTheBoundsOrRoundThem) {
  TcxSpinEdit* e = Make();
  EXPECT_EQ(e->Properties()->ValueType(), vtInt) << "the standard provider's data type";
  EXPECT_EQ(Shown(e), "0");
  Focus(e);
  Press(VK_UP);
  EXPECT_EQ(Shown(e), "1");
  Press(VK_PRIOR);
  EXPECT_EQ(Shown(e), "11");
  EXPECT_TRUE(e->Modified());

  struct Case {
    bool Circular;
    long long From;
    unsigned Key;
    long long Expected;
  } cases[] = {
      {false, 9, VK_UP, 9}, {true, 9, VK_UP, 0},     {true, 0, VK_DOWN, 9},  {false, 5, VK_PRIOR, 9},
      {true, 5, VK_PRIOR, 5}, {false, 0, VK_DOWN, 0}, {false, 4, VK_NEXT, 0},
  };
  e->Properties()->SetMinValue(0);
  e->Properties()->SetMaxValue(9);
  for (const Case& c : cases) {
    e->Properties()->SetCircular(c.Circular);
    e->SetValue(Variant(c.From));
    Press(c.Key);
    EXPECT_EQ(IntValue(e), c.Expected) << c.Circular << " from " << c.From << " key " << c.Key;
  }
  // Outside the bounds: Up jumps to the minimum; Down fails unless circular.
  e->Properties()->SetCircular(false);
  e->Properties()->SetMinValue(5);
  e->SetValue(Variant(2LL));
  Press(VK_UP);
  EXPECT_EQ(IntValue(e), 5);
  e->SetValue(Variant(2LL));
  Press(VK_DOWN);
  EXPECT_EQ(IntValue(e), 2);
  e->Properties()->SetCircular(true);
  Press(VK_DOWN);
  EXPECT_EQ(IntValue(e), 9);
}

TEST_F(SpinEditTest, EqualBoundsAreNoneAndTheTypeLimitHolds) {
  TcxSpinEdit* e = Make();
  e->Properties()->SetMinValue(3);
  e->Properties()->SetMaxValue(3);
  Focus(e);
  e->SetValue(Variant(9223372036854775807LL));
  Press(VK_UP);
  EXPECT_EQ(IntValue(e), 9223372036854775807LL);
  EXPECT_EQ(Shown(e), "9223372036854775807");
}

TEST_F(SpinEditTest, IntegerIncrementsRoundHalfToEven) {
  TcxSpinEdit* e = Make();
  Focus(e);
  e->Properties()->SetIncrement(0.5);
  Press(VK_UP);
  EXPECT_EQ(IntValue(e), 0) << "0.5 rounds to 0";
  e->Properties()->SetIncrement(1.5);
  Press(VK_UP);
  EXPECT_EQ(IntValue(e), 2);
  EXPECT_THROW(e->Properties()->GetIncrement(static_cast<TcxSpinButtonKind>(7)), EdxException);
}

TEST_F(SpinEditTest, TheWheelSpinsOneStepPerNotch) {
  TcxSpinEdit* e = Make();
  Focus(e);
  POINT p = e->ClientToScreen(POINT{20, 10});
  Headless().InjectMouseMove(p.x, p.y);
  Headless().InjectWheel(120);
  Pump();
  Headless().InjectWheel(120);
  Pump();
  EXPECT_EQ(IntValue(e), 2);
  Headless().InjectWheel(-120);
  Pump();
  EXPECT_EQ(IntValue(e), 1);
}

TEST_F(SpinEditTest, TheTypingFilterByValueType) {
  const char separator = FormatSettings.DecimalSeparator;
  TcxSpinEdit* e = Make();
  e->Properties()->SetValueType(vtFloat);
  e->SetValue(Variant(0.0));
  Focus(e);
  e->SetSelection(0, 10);
  Type("1,5");
  EXPECT_EQ(Shown(e), std::string("1") + separator + "5") << "',' types the locale's separator";
  Headless().ClearBeeps();
  TcxSpinEdit* i = Make(10, 40);
  Focus(i);
  i->SetSelection(0, 10);
  Type("7,x");
  EXPECT_EQ(Shown(i), "7");
  EXPECT_EQ(Headless().Beeps().size(), 2u) << "each refused key beeps";
  // CanEdit off: nothing is typed, yet keys still spin.
  i->Properties()->SetCanEdit(false);
  Type("3");
  EXPECT_EQ(Shown(i), "7");
  Press(VK_UP);
  EXPECT_EQ(Shown(i), "8");
}

TEST_F(SpinEditTest, CtrlIncrementAndALockedText) {
  TcxSpinEdit* e = Make();
  e->Properties()->SetUseCtrlIncrement(true);
  Focus(e);
  Press(VK_UP);
  EXPECT_EQ(IntValue(e), 0) << "without Ctrl an arrow does not spin";
  Key(VK_CONTROL, true);
  Press(VK_UP);
  Key(VK_CONTROL, false);
  EXPECT_EQ(IntValue(e), 1);
  // CanEdit off: the text can be neither pasted into nor deleted, yet the wheel spins.
  e->Properties()->SetCanEdit(false);
  ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, "42"));
  e->SetSelection(0, 10);
  SendMessage(e->Handle(), WM_PASTE, 0, 0);
  SendMessage(e->Handle(), WM_CLEAR, 0, 0);
  Pump();
  EXPECT_EQ(Shown(e), "1");
  e->Properties()->SetCanEdit(true);
  SendMessage(e->Handle(), WM_PASTE, 0, 0);
  Pump();
  EXPECT_EQ(Shown(e), "42");
}

TEST_F(SpinEditTest, InvalidTypedTextFallsBackOrReports) {
  TcxSpinEdit* e = Make();
  e->SetValue(Variant(4LL));
  Focus(e);
  e->SetSelection(0, 10);
  Type("1e");
  Press(VK_RETURN);
  EXPECT_EQ(Shown(e), "4") << "silently back to the previous value";
  EXPECT_EQ(IntValue(e), 4);

  e->Properties()->SetExceptionOnInvalidInput(true);
  e->SetSelection(0, 10);
  Type("1e");
  String error;
  Variant v;
  EXPECT_FALSE(e->TextToValue(Variant(String("1e")), false, error, v));
  EXPECT_EQ(error, "Invalid numeric value");
  EXPECT_THROW(e->Value(), EcxEditError);

  // A handler may make a value of any text.
  e->Properties()->OnGetValue = [](TObject*, const String& Text, Variant& Value, String&, bool& Error) {
    Value = Variant(static_cast<long long>(Text.size()));
    Error = false;
  };
  EXPECT_TRUE(e->TextToValue(Variant(String("abc")), false, error, v));
  EXPECT_EQ(v.AsInt64(), 3);
}

TEST_F(SpinEditTest, OutOfBoundsTextIsClampedOrRefusedOnValidation) {
  TcxSpinEdit* e = Make();
  e->Properties()->SetMinValue(0);
  e->Properties()->SetMaxValue(50);
  Focus(e);
  e->SetSelection(0, 10);
  Type("70");
  Press(VK_RETURN);
  EXPECT_EQ(IntValue(e), 50);
  EXPECT_EQ(Shown(e), "50");
  e->Properties()->SetExceptionOnInvalidInput(true);
  e->SetSelection(0, 10);
  Type("99");
  EXPECT_THROW(e->ValidateEnteredValue(true), Exception);
}

TEST_F(SpinEditTest, AHeldButtonRepeatsAfter400ThenEvery100Ms) {
  TcxSpinEdit* e = Make();
  Focus(e);
  TcxEditButtonViewInfo* up = e->EditViewInfo()->Button(sbkUp);
  const TRect r = up->Bounds;
  MoveMouse(e, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  int changes = 0;
  e->Properties()->OnChange = [&](TObject*) { ++changes; };
  MouseButton(true);
  EXPECT_TRUE(e->IsRepeating());
  RunFor(950);
  MouseButton(false);
  EXPECT_FALSE(e->IsRepeating());
  EXPECT_EQ(IntValue(e), 7) << "at 0, 400, 500, 600, 700, 800 and 900 ms";
  EXPECT_EQ(changes, 7);
  RunFor(500);
  EXPECT_EQ(IntValue(e), 7);
}

TEST_F(SpinEditTest, ButtonLayouts) {
  TcxSpinEdit* e = Make();
  TcxCustomEditViewInfo* info = e->EditViewInfo();
  ASSERT_EQ(info->ButtonCount(), 2);
  const TRect upV = info->Button(sbkUp)->Bounds, downV = info->Button(sbkDown)->Bounds;
  EXPECT_EQ(upV.Left, downV.Left);
  EXPECT_EQ(upV.Bottom, downV.Top) << "one column, up over down";
  e->Properties()->SpinButtons()->SetShowFastButtons(true);
  e->Properties()->SpinButtons()->SetPosition(sbpHorzRight);
  Pump();
  ASSERT_EQ(info->ButtonCount(), 4);
  const TRect fastUp = info->Button(sbkFastUp)->Bounds, up = info->Button(sbkUp)->Bounds;
  const TRect down = info->Button(sbkDown)->Bounds, fastDown = info->Button(sbkFastDown)->Bounds;
  EXPECT_EQ(up.Right, fastUp.Left);
  EXPECT_EQ(down.Right, up.Left);
  EXPECT_EQ(fastDown.Right, down.Left);
  EXPECT_EQ((fastUp.Right - fastUp.Left) * 2, (up.Right - up.Left) * 3 + ((up.Right - up.Left) % 2))
      << "fast buttons are half as wide again";
  e->Properties()->SpinButtons()->SetPosition(sbpHorzLeftRight);
  Pump();
  EXPECT_LT(info->Button(sbkFastDown)->Bounds.Right, info->Button(sbkUp)->Bounds.Left);
  EXPECT_EQ(info->Button(sbkDown)->Bounds.Left, info->Button(sbkFastDown)->Bounds.Right);
  e->Properties()->SpinButtons()->SetVisible(false);
  Pump();
  EXPECT_EQ(info->ButtonCount(), 0);
}

struct TPostingSpinEdit : TcxSpinEdit {
  using TcxSpinEdit::TcxSpinEdit;
  int Posts = 0;
  void BeginPostEditValue() override {
    ++Posts;
    TcxSpinEdit::BeginPostEditValue();
  }
};

TEST_F(SpinEditTest, AnImmediatePostPostsEachSpinAndALockedTextCannotBeCut) {
  auto* e = new TPostingSpinEdit(form);
  e->SetParent(form);
  e->SetBounds(10, 10, 121, 21);
  int& posts = e->Posts;
  Focus(e);
  Press(VK_UP);
  EXPECT_EQ(posts, 0) << "without ImmediatePost nothing is posted";
  e->Properties()->SetImmediatePost(true);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(posts, 2);
  EXPECT_EQ(IntValue(e), 3);

  ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, ""));
  e->Properties()->SetCanEdit(false);
  e->SetSelection(0, 10);
  SendMessage(e->Handle(), WM_CUT, 0, 0);
  Pump();
  EXPECT_EQ(Shown(e), "3");
  e->Properties()->SetCanEdit(true);
  e->SetSelection(0, 10);
  SendMessage(e->Handle(), WM_CUT, 0, 0);
  Pump();
  EXPECT_EQ(Shown(e), "");
}

TEST_F(SpinEditTest, TheBorderRectangleIsTheEditorsOwnPart) {
  TcxSpinEdit* e = Make();
  TcxCustomEditViewInfo* info = e->EditViewInfo();
  TRect r;
  info->PartBounds(-1, r);
  EXPECT_EQ(r, info->BorderRect) << "buttons included";
  const TRect up = info->Button(sbkUp)->Bounds;
  EXPECT_EQ(info->ButtonIndexAt(TPoint(up.Left + 1, up.Top + 1)), sbkUp);
  EXPECT_EQ(info->ButtonIndexAt(TPoint(info->BorderRect.Left + 2, info->BorderRect.Top + 2)), -1);
  EXPECT_EQ(info->ButtonIndexAt(TPoint(-5, -5)), -2) << "outside is no part";
}

// Under the system's spin theme: the up, down and horizontal parts by state, a pixel between the two
// main buttons in the editor's colour, horizontal buttons half the content height wide.
TEST_F(SpinEditTest, UnderTheSpinThemeTheButtonsAreTheSystemsParts) {
  WithTestTheme({"Spin", "Edit", "Button"}, [&] {
    testsupport::FakeThemeLibrary::PartiallyTransparent().insert({"SPIN", 1, 1});
    TForm* themed = MakeForm(10, 10, 300, 200);
    MoveMouse(themed, 290, 190);
    auto* e = new TcxSpinEdit(themed);
    e->SetParent(themed);
    e->SetBounds(10, 10, 121, 21);
    e->Style()->LookAndFeel()->SetNativeStyle(true);
    Pump();
    auto* info = static_cast<TcxSpinEditViewInfo*>(e->EditViewInfo());
    ASSERT_TRUE(info->NativeSpin);
    TcxEditButtonViewInfo* up = info->Button(sbkUp);
    TcxEditButtonViewInfo* down = info->Button(sbkDown);
    EXPECT_EQ(up->Data.NativePart, 1);
    EXPECT_EQ(down->Data.NativePart, 2);
    EXPECT_TRUE(up->Data.BackgroundPartiallyTransparent);
    EXPECT_FALSE(down->Data.BackgroundPartiallyTransparent);
    EXPECT_EQ(down->Bounds.Top, up->Bounds.Bottom + 1) << "the delimiter";
    auto centre = [](const TRect& R) { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); };
    const TPoint u = centre(up->Bounds), d = centre(down->Bounds);
    EXPECT_EQ(Pixel(e, u.X, u.Y), testsupport::FakeThemeLibrary::ColorOf("SPIN", 1, 1));
    EXPECT_EQ(Pixel(e, d.X, d.Y), testsupport::FakeThemeLibrary::ColorOf("SPIN", 2, 1));
    EXPECT_EQ(Pixel(e, u.X, up->Bounds.Bottom), ColorToRGB(clWindow)) << "the delimiter in the editor's colour";
    MoveMouse(e, u.X, u.Y);
    EXPECT_EQ(Pixel(e, u.X, u.Y), testsupport::FakeThemeLibrary::ColorOf("SPIN", 1, 2)) << "hot";
    MouseButton(true);
    EXPECT_EQ(Pixel(e, u.X, u.Y), testsupport::FakeThemeLibrary::ColorOf("SPIN", 1, 3)) << "pressed";
    MouseButton(false);
    MoveMouse(e, 300, 150);
    SaveControl("choice/spin-edit-themed-vertical.png", e, 2);

    e->Properties()->SpinButtons()->SetShowFastButtons(true);
    e->Properties()->SpinButtons()->SetPosition(sbpHorzRight);
    e->SetEnabled(false);
    Pump();
    ASSERT_EQ(info->ButtonCount(), 4);
    const TRect fastUp = info->Button(sbkFastUp)->Bounds, hUp = info->Button(sbkUp)->Bounds;
    const TRect hDown = info->Button(sbkDown)->Bounds, fastDown = info->Button(sbkFastDown)->Bounds;
    EXPECT_EQ(info->Button(sbkFastUp)->Data.NativePart, 3);
    EXPECT_EQ(info->Button(sbkUp)->Data.NativePart, 3);
    EXPECT_EQ(info->Button(sbkDown)->Data.NativePart, 4);
    EXPECT_EQ(info->Button(sbkFastDown)->Data.NativePart, 4);
    EXPECT_EQ(hDown.Right + 1, hUp.Left) << "the delimiter";
    EXPECT_EQ(fastDown.Right, hDown.Left);
    EXPECT_EQ(hUp.Right, fastUp.Left);
    const int hw = hUp.Right - hUp.Left;
    EXPECT_EQ(fastUp.Right - fastUp.Left, MulDiv(hw, 3, 2));
    const TPoint c = centre(hUp);
    EXPECT_EQ(Pixel(e, c.X, c.Y), testsupport::FakeThemeLibrary::ColorOf("SPIN", 3, 4)) << "disabled";
    SaveControl("choice/spin-edit-themed-horizontal.png", e, 2);
  });
}

// A skin that draws each edit button as a fill coding its glyph and whose buttons are at least 21
// pixels high.
struct TProbeSpinSkin : TcxUltraFlatLookAndFeelPainter {
  TSize EditButtonMinSize() const override { return TSize(0, 21); }
  void DrawEditButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState, TcxEditButtonGlyphKind Kind,
                      TcxEditBtnPosition) const override {
    ACanvas->FillRectWithColor(R, static_cast<TColor>(RGB(30 * Kind, 90, 160)));
  }
};

TEST_F(SpinEditTest, UnderASkinTheButtonsTakeTheSkinsButtonHeight) {
  static const TProbeSpinSkin skin;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeSpin", &skin, nullptr));
  TcxSpinEdit* e = Make();
  e->Style()->LookAndFeel()->SetSkinName("ProbeSpin");
  e->Properties()->SpinButtons()->SetShowFastButtons(true);
  e->Properties()->SpinButtons()->SetPosition(sbpHorzLeftRight);
  Pump();
  auto* info = static_cast<TcxSpinEditViewInfo*>(e->EditViewInfo());
  const int hw = 21 / 2 + info->ArrowSize;
  EXPECT_EQ(info->Button(sbkUp)->Bounds.Right - info->Button(sbkUp)->Bounds.Left, hw);
  EXPECT_EQ(info->Button(sbkFastUp)->Bounds.Right - info->Button(sbkFastUp)->Bounds.Left, 1 + 3 * hw / 2);
  const TRect down = info->Button(sbkDown)->Bounds;
  EXPECT_EQ(Pixel(e, (down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2), RGB(30 * bkSpinLeft, 90, 160));
  SaveControl("choice/spin-edit-skinned.png", e, 2);
  e->Style()->LookAndFeel()->SetSkinName("");
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeSpin");
}

TEST_F(SpinEditTest, AZeroIncrementSurvivesADescription) {
  TcxSpinEdit* e = Make();
  EXPECT_EQ(GetPropInfo(e, "Text"), nullptr) << "the value is published instead";
  e->SetName("Spin");
  e->Properties()->SetIncrement(0);
  e->Properties()->SetLargeIncrement(0);
  e->SetValue(Variant(5LL));
  TMemoryStream stream;
  stream.WriteComponent(form);
  TMemoryStream text;
  stream.SetPosition(0);
  ObjectBinaryToText(&stream, &text);
  String description(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(description.find("ZeroIncrement = True"), String::npos) << description;
  EXPECT_NE(description.find("ZeroLargeIncrement = True"), String::npos);
  EXPECT_NE(description.find("Value = 5"), String::npos);
  RegisterClassesOf<TcxSpinEdit>();
  auto* target = new TForm(Application, 0);
  stream.SetPosition(0);
  stream.ReadComponent(target);
  auto* copy = dynamic_cast<TcxSpinEdit*>(target->FindComponent("Spin"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Properties()->Increment(), 0.0);
  EXPECT_EQ(copy->Properties()->LargeIncrement(), 0.0);
  EXPECT_EQ(copy->Value().AsInt64(), 5);
  delete target;
}

TEST_F(SpinEditTest, RegistrationAndTheFilterHelpersOfSpinAndTrackBar) {
  SpinEditUnitStartup();
  TrackBarUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  int index = registry->IndexOfClass(TcxSpinEditProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->DescriptionAt(index), "SpinEdit|Represents a spin editor");
  TcxCustomFilterEditHelperClass spin = FilterEditsControllerInstance()->FindHelper(TcxSpinEditProperties::StaticClass());
  ASSERT_EQ(spin, FilterEditHelperClass<TcxFilterSpinEditHelper>());
  EXPECT_TRUE(spin->KeepsEditButtons());
  EXPECT_EQ(spin->FilterEditorClass(), TcxSpinEdit::StaticClass());
  TcxFilterOperatorSet basic = 0;
  for (int code : {1, 2, 3, 4, 5, 6, 9, 10}) basic |= FilterOperatorBit(code);
  EXPECT_EQ(spin->SupportedFilterOperators(nullptr, nullptr, false), basic);
  EXPECT_EQ(spin->SupportedFilterOperators(nullptr, nullptr, true),
            basic | FilterOperatorBit(11) | FilterOperatorBit(12) | FilterOperatorBit(13) | FilterOperatorBit(14));

  TcxCustomFilterEditHelperClass track = FilterEditsControllerInstance()->FindHelper(TcxTrackBarProperties::StaticClass());
  ASSERT_EQ(track, FilterEditHelperClass<TcxFilterTrackBarHelper>());
  TcxTrackBarProperties source(nullptr);
  source.SetMax(40);
  source.SetMin(-5);
  source.SetPageSize(7);
  TcxSpinEditProperties target(nullptr);
  target.SetCanEdit(false);
  track->PrepareFilterProperties(&target, &source, true);
  EXPECT_TRUE(target.CanEdit());
  EXPECT_EQ(target.MinValue(), -5);
  EXPECT_EQ(target.MaxValue(), 40);
  EXPECT_EQ(target.LargeIncrement(), 7);
  TrackBarUnitShutdown();
  SpinEditUnitShutdown();
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxSpinEditProperties::StaticClass()), nullptr);
}

// Each look in a column; rows: vertical buttons, horizontal on the right with fast buttons, left and
// right with fast buttons, disabled, a float value.
TEST_F(SpinEditTest, Gallery) {
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 5; ++row) {
      TcxSpinEdit* e = Make(10 + col * 120, 10 + row * 30);
      e->SetWidth(110);
      e->Style()->LookAndFeel()->SetKind(kinds[col]);
      e->SetValue(Variant(static_cast<long long>(row * 10 + col)));
      if (row == 1 || row == 2) {
        e->Properties()->SpinButtons()->SetShowFastButtons(true);
        e->Properties()->SpinButtons()->SetPosition(row == 1 ? sbpHorzRight : sbpHorzLeftRight);
      }
      if (row == 3) e->SetEnabled(false);
      if (row == 4) {
        e->Properties()->SetValueType(vtFloat);
        e->SetValue(Variant(3.25));
      }
    }
  Pump();
  SaveScreen("choice/spin-edit-gallery.png", RECT{10, 10, 10 + 500, 10 + 170});
}

}  // namespace
