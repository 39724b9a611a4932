// The memo editor on the headless screen: Enter, Ctrl+Enter, Tab and Ctrl+A as the operator types
// them, the typing limit, pasted line breaks, the text and Lines in step, the mirrored scroll bars,
// the inner memo's place and messages, the published properties and the registration.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Utf8.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/EditRepository.h"
#include "ui/editors/Memo.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class MemoTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(0, 0, 480, 320);
  }
  void TearDown() override {
    delete form;
    Pump();
    ControlsTest::TearDown();
  }

  TcxMemo* NewMemo(int Left = 10, int Top = 10, int Width = 185, int Height = 89) {
    auto* memo = new TcxMemo(form);
    memo->SetParent(form);
    memo->SetBounds(Left, Top, Width, Height);
    Pump();
    return memo;
  }
  void Focus(TcxCustomEdit* Edit) {
    Edit->SetFocus();
    Pump();
  }
  static TcxCustomInnerMemo* Inner(TcxMemo* Memo) { return static_cast<TcxCustomInnerMemo*>(Memo->InnerControl()); }
  static String WindowText(TcxMemo* Memo) { return Inner(Memo)->Text(); }

  TForm* form = nullptr;
};

// ---- typing ---------------------------------------------------------------------------------------------

TEST_F(MemoTest, EnterAndCtrlEnterBreakTheLineByWantReturns) {
  struct Case {
    bool WantReturns, Ctrl;
    const char* Expected;
  } cases[] = {
      {true, false, "a\r\nb"},
      {true, true, "ab"},
      {false, false, "ab"},
      {false, true, "a\r\nb"},
  };
  for (const Case& c : cases) {
    TcxMemo* memo = NewMemo();
    memo->Properties()->SetWantReturns(c.WantReturns);
    Focus(memo);
    Type("a");
    if (c.Ctrl)
      Key(VK_RETURN, {VK_CONTROL});
    else
      Key(VK_RETURN);
    Type("b");
    EXPECT_EQ(WindowText(memo), c.Expected) << "WantReturns " << c.WantReturns << " Ctrl " << c.Ctrl;
    EXPECT_EQ(memo->IsValueChangingKey(VK_RETURN, c.Ctrl ? TShiftState{ssCtrl} : TShiftState{}),
              c.WantReturns || c.Ctrl);
    delete memo;
  }
}

TEST_F(MemoTest, TabTypesATabOnlyWithWantTabs) {
  auto* after = new TEdit(form);
  after->SetParent(form);
  after->SetBounds(10, 200, 100, 21);
  for (bool wantTabs : {true, false}) {
    TcxMemo* memo = NewMemo();
    memo->SetTabOrder(0);
    memo->Properties()->SetWantTabs(wantTabs);
    Focus(memo);
    Type("a");
    Key(VK_TAB);
    EXPECT_EQ(WindowText(memo), wantTabs ? "a\t" : "a");
    EXPECT_EQ(memo->IsFocused(), wantTabs) << "without WantTabs, Tab moves on";
    delete memo;
  }
}

TEST_F(MemoTest, CtrlASelectsAllOfAMemoWithTextAndGoesNoFurther) {
  TcxMemo* memo = NewMemo();
  int notified = 0;
  memo->OnInplaceKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    if (Key == 'A') ++notified;
  };
  Focus(memo);
  Key('A', {VK_CONTROL});
  EXPECT_EQ(notified, 1) << "in an empty memo Ctrl+A is a key that changed nothing, told once";
  memo->Lines()->Add("first line");
  memo->Lines()->Add("second");
  Inner(memo)->SetSelStart(3);
  Key('A', {VK_CONTROL});
  EXPECT_EQ(notified, 2) << "told by the memo, and swallowed: not told again";
  EXPECT_EQ(memo->SelStart(), 0);
  EXPECT_EQ(memo->SelLength(), 18);
}

TEST_F(MemoTest, MaxLengthCountsTheTextBeforeTheCaret) {
  TcxMemo* memo = NewMemo();
  memo->Properties()->SetMaxLength(10);
  memo->Lines()->SetText("12345678");
  Focus(memo);
  // Typed, pasted and handed in by a host: "abcd" after 8 characters leaves "ab".
  for (int way = 0; way < 3; ++way) {
    memo->Lines()->SetText("12345678");
    memo->SetSelStart(8);
    if (way == 0) {
      Type("abcd");
    } else if (way == 1) {
      ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, "abcd"));
      Key('V', {VK_CONTROL});
    } else {
      memo->SetInplaceText("abcd");
    }
    EXPECT_EQ(WindowText(memo), "12345678ab") << "way " << way;
  }
  // No room before the caret: nothing at all is inserted.
  memo->Lines()->SetText("1234567890");
  memo->SetSelection(10, 0);
  memo->SetInplaceText("x");
  EXPECT_EQ(WindowText(memo), "1234567890");
}

TEST_F(MemoTest, PastedAndReplacedLineBreaksKeepTheirCount) {
  TcxMemo* memo = NewMemo();
  Focus(memo);
  struct Case {
    const char* Inserted;
    int Lines;
  } cases[] = {{"a\n\rb", 3}, {"a\r\nb", 2}, {"a\r\n\r\nb", 3}, {"a\nb", 2}};
  for (const Case& c : cases) {
    memo->Lines()->Clear();
    SendMessage(Inner(memo)->Handle(), EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(c.Inserted));
    EXPECT_EQ(memo->Lines()->Count(), c.Lines) << c.Inserted;
  }
  memo->Lines()->Clear();
  ASSERT_TRUE(platform::wm::SetClipboardTextUtf8(nullptr, "x\n\ry"));
  Key('V', {VK_CONTROL});
  EXPECT_EQ(WindowText(memo), "x\r\n\r\ny") << "LF CR pasted is two breaks";
}

TEST_F(MemoTest, TheTextIsTheLinesEachEndedByABreakAndFollowsThem) {
  TcxMemo* memo = NewMemo();
  int changes = 0;
  memo->Properties()->OnChange = [&](TObject*) { ++changes; };
  memo->Lines()->Add("one");
  memo->Lines()->Add("two");
  EXPECT_EQ(VarToStr(memo->EditValue()), "one\r\ntwo\r\n");
  EXPECT_EQ(memo->Text(), "one\r\ntwo\r\n");
  EXPECT_GT(changes, 0);
  memo->SetText("x\r\ny\r\nz");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), "z");
  memo->SetEditValue(Variant(String("only")));
  EXPECT_EQ(memo->Lines()->Count(), 1);
  EXPECT_EQ(WindowText(memo), "only");
  // Typed text reaches the value once the editor validates it.
  Focus(memo);
  memo->SetSelStart(4);
  Key(VK_RETURN);
  Type("more");
  EXPECT_EQ(memo->Text(), "only\r\nmore\r\n");
  EXPECT_EQ(memo->Lines()->Strings(1), "more");
  memo->SetText("");
  EXPECT_EQ(memo->Lines()->Count(), 0);
  EXPECT_EQ(memo->Text(), "");
}

// A line appended at the end extends the value in place; every other change reads the text back.
// Either way the value is the text as lines after each step, and OnEditValueChanged fires exactly
// when the value changed.
TEST_F(MemoTest, AppendedLinesKeepTheValueAndItsEventsExact) {
  TcxMemo* memo = NewMemo();
  memo->Properties()->SetWordWrap(false);
  Pump();
  int valueChanges = 0;
  memo->Properties()->OnEditValueChanged = [&](TObject*) { ++valueChanges; };
  const HWND inner = Inner(memo)->Handle();
  auto replaceAtEnd = [&](const char* Text) {
    SendMessage(inner, EM_SETSEL, 1u << 30, 1 << 30);
    SendMessage(inner, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Text));
  };
  struct Step {
    const char* Name;
    std::function<void()> Run;
    std::function<void()> Prepare = [] {};
  } steps[] = {
      {"first line", [&] { memo->Lines()->Add("one"); }},
      {"second line", [&] { memo->Lines()->Add("two"); }},
      {"an empty line adds only a break", [&] { memo->Lines()->Add(""); }},
      {"a line after it", [&] { memo->Lines()->Add("three"); }},
      {"characters beyond ASCII", [&] { memo->Lines()->Add("四号屏 ✓"); }},
      {"a bare break at the end", [&] { replaceAtEnd("\r\n"); }},
      {"text after a trailing break", [&] { replaceAtEnd("five"); }},
      {"a lone LF the window turns into CR LF", [&] { replaceAtEnd("x\ny"); }},
      {"a replacement inside", [&] {
         SendMessage(inner, EM_SETSEL, 1, 2);
         SendMessage(inner, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("N"));
       }},
      {"a line after the replacement", [&] { memo->Lines()->Add("six"); }},
      {"a line after a value set by code", [&] { memo->Lines()->Add("seven"); },
       [&] { memo->SetEditValue(Variant(String("code\r\n"))); }},
      {"a line the length limit cuts", [&] {
         memo->Properties()->SetMaxLength(Utf8Count(WindowText(memo)) + 4);
         memo->Lines()->Add("abcdefgh");
         memo->Properties()->SetMaxLength(0);
       }},
      {"a line in upper case", [&] { memo->Lines()->Add("low"); },
       [&] { memo->Properties()->SetCharCase(ecUpperCase); }},
      {"a line once more", [&] { memo->Lines()->Add("eight"); },
       [&] { memo->Properties()->SetCharCase(ecNormal); }},
  };
  for (const Step& step : steps) {
    step.Prepare();
    const String before = VarToStr(memo->EditValue());
    const int changesBefore = valueChanges;
    step.Run();
    const String value = VarToStr(memo->EditValue());
    EXPECT_EQ(value, Inner(memo)->LinesText()) << step.Name;
    EXPECT_EQ(valueChanges - changesBefore, value != before ? 1 : 0) << step.Name;
  }
  EXPECT_NE(VarToStr(memo->EditValue()).find("\r\nAB\r\nLOW\r\neight\r\n"), String::npos)
      << VarToStr(memo->EditValue());
}

TEST_F(MemoTest, DeleteAndCutOfTheSelection) {
  TcxMemo* memo = NewMemo();
  memo->Lines()->SetText("abc\r\ndef");
  Focus(memo);
  memo->SetSelection(1, 4);
  SendMessage(memo->Handle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(WindowText(memo), "adef") << "the line break went with the selection";
  memo->SetSelection(0, 2);
  SendMessage(memo->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(WindowText(memo), "ef");
  String clip;
  ASSERT_TRUE(platform::wm::GetClipboardTextUtf8(nullptr, clip));
  EXPECT_EQ(clip, "ad");
  memo->Properties()->SetReadOnly(true);
  memo->SetSelection(0, 1);
  SendMessage(Inner(memo)->Handle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(WindowText(memo), "ef") << "a read-only memo deletes nothing";
}

// ---- layout, scroll bars, painting ------------------------------------------------------------------------

TEST_F(MemoTest, DefaultsAndTheInnerMemoBeyondTheClientRectangle) {
  TcxMemo* memo = NewMemo();
  EXPECT_EQ(memo->Width(), 185);
  EXPECT_EQ(memo->Height(), 89);
  TRect client = memo->EditViewInfo()->ClientRect;
  TWinControl* inner = memo->InnerControl();
  EXPECT_EQ(inner->Left(), client.Left - 2);
  EXPECT_EQ(inner->Top(), client.Top - 2);
  EXPECT_EQ(inner->Width(), client.Right - client.Left + 4);
  EXPECT_EQ(inner->Height(), client.Bottom - client.Top + 4);
  EXPECT_TRUE(memo->InnerTextShowsValue());
  EXPECT_FALSE(memo->AcceptsActivationKey(13));
  EXPECT_TRUE(memo->AcceptsActivationKey('a'));
  EXPECT_FALSE(memo->AutoSizeActive()) << "no visible line count";
  memo->Properties()->SetVisibleLineCount(3);
  EXPECT_TRUE(memo->AutoSizeActive());
}

TEST_F(MemoTest, ScrollBarsAreTheContainersMirroringTheMemos) {
  TcxMemo* memo = NewMemo();
  EXPECT_FALSE(memo->UsesInternalScrollBars());
  memo->Properties()->SetScrollBars(ssVertical);
  Pump();
  ASSERT_TRUE(memo->UsesInternalScrollBars());
  EXPECT_EQ(Inner(memo)->ScrollBars(), ssVertical);
  for (int i = 0; i < 30; ++i) memo->Lines()->Add("line " + std::to_string(i));
  Pump();
  TcxScrollBar* bar = memo->VScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->Visible());
  EXPECT_FALSE(memo->HScrollBar()->Visible());
  // The bar sits over the memo's own, inside the editor.
  EXPECT_GE(bar->Left() + bar->Width(), memo->EditViewInfo()->ClientRect.Right - 1);
  // Scrolling the container's bar scrolls the memo, and the bar follows it.
  int position = 0;
  memo->ScrollContent(sbVertical, scLineDown, position);
  memo->ScrollContent(sbVertical, scLineDown, position);
  EXPECT_EQ(SendMessage(Inner(memo)->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 2);
  EXPECT_EQ(position, 2);
  position = 10;
  memo->ScrollContent(sbVertical, scTrack, position);
  EXPECT_EQ(SendMessage(Inner(memo)->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 10);
  EXPECT_EQ(bar->Position(), 10);
  // The view data never counts the mirrored bars.
  std::unique_ptr<TcxCustomEditViewData> data(memo->CreateEditViewData());
  EXPECT_EQ(data->VertScrollBar, nullptr);
  memo->Properties()->SetScrollBars(ssNone);
  Pump();
  EXPECT_FALSE(memo->UsesInternalScrollBars());
}

TEST_F(MemoTest, ATextSetOnTheInnerMemoBecomesTheValue) {
  TcxMemo* memo = NewMemo();
  Variant seen;
  memo->Properties()->OnEditValueChanged = [&](TObject*) { seen = memo->EditValue(); };
  SetWindowText(Inner(memo)->Handle(), "set\r\ninside");
  EXPECT_EQ(VarToStr(memo->EditValue()), "set\r\ninside\r\n");
  EXPECT_EQ(VarToStr(seen), "set\r\ninside\r\n");
  // A value given to the editor fires its change once, not again for the window text.
  int changed = 0;
  memo->Properties()->OnEditValueChanged = [&](TObject*) { ++changed; };
  memo->SetEditValue(Variant(String("next")));
  EXPECT_EQ(changed, 1);
}

TEST_F(MemoTest, PublishedPropertiesAndAMemoReadFromADescription) {
  TcxMemo* memo = NewMemo();
  EXPECT_NE(GetPropInfo(memo, "Lines"), nullptr);
  EXPECT_EQ(GetPropInfo(memo, "Text"), nullptr);
  EXPECT_EQ(GetPropInfo(memo, "AutoSize"), nullptr);
  EXPECT_EQ(GetPropInfo(memo, "BeepOnEnter"), nullptr);
  TcxMemoProperties source(nullptr);
  source.SetScrollBars(ssVertical);
  memo->SetProperties(&source);
  EXPECT_EQ(memo->Properties()->ScrollBars(), ssVertical);
  EXPECT_NE(memo->Properties(), &source);
  EXPECT_EQ(memo->Properties()->EditClass(), TcxMemo::StaticClass());

  memo->SetName("Subtitle");
  EXPECT_EQ(memo->Lines()->Strings(0), "Subtitle") << "a new memo's text follows its name";
  memo->Lines()->Clear();
  memo->Lines()->Add("stored");
  memo->Lines()->Add("字幕");
  TMemoryStream stream;
  stream.WriteComponent(form);
  TMemoryStream text;
  stream.SetPosition(0);
  ObjectBinaryToText(&stream, &text);
  String description(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(description.find("Lines.Strings"), String::npos) << description;
  EXPECT_EQ(description.find("TcxCustomInnerMemo"), String::npos) << "the inner memo is the editor's own";
  // Read into a form that is not shown: the lines become the value once the memo is read.
  RegisterClassesOf<TcxMemo>();
  auto* target = new TForm(Application, 0);
  stream.SetPosition(0);
  stream.ReadComponent(target);
  auto* copy = dynamic_cast<TcxMemo*>(target->FindComponent("Subtitle"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Properties()->ScrollBars(), ssVertical);
  EXPECT_EQ(copy->Lines()->Count(), 2);
  EXPECT_EQ(VarToStr(copy->EditValue()), "stored\r\n字幕\r\n");
  delete target;
}

TEST_F(MemoTest, RegistrationAndTheFilterHelper) {
  MemoUnitStartup();
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  int index = registry->IndexOfClass(TcxMemoProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry->DescriptionAt(index), "Memo|Represents an edit control that allows editing memo data");
  TcxCustomFilterEditHelperClass helper = FilterEditsControllerInstance()->FindHelper(TcxMemoProperties::StaticClass());
  ASSERT_EQ(helper, FilterEditHelperClass<TcxFilterMemoHelper>());
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, nullptr, false), 1920u);
  MemoUnitShutdown();
  EXPECT_EQ(FilterEditsControllerInstance()->FindHelper(TcxMemoProperties::StaticClass()), nullptr);
}

// A memo with both scroll bars in each look, with wrapped and unwrapped text, Chinese, and a
// disabled one.
TEST_F(MemoTest, GalleryWithBothScrollBars) {
  delete form;
  form = NewForm(0, 0, 4 * 205 + 20, 2 * 130 + 20);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 2; ++row) {
      TcxMemo* memo = NewMemo(10 + col * 205, 10 + row * 130, 185, 110);
      memo->Style()->LookAndFeel()->SetKind(kinds[col]);
      memo->Properties()->SetScrollBars(row == 0 ? ssBoth : ssVertical);
      for (int i = 0; i < 12; ++i)
        memo->Lines()->Add(i % 3 == 2 ? "字幕文本第" + std::to_string(i) + "行，很长很长很长的一行"
                                      : "Line " + std::to_string(i) + " of the subtitle text, wide enough to scroll");
      if (col == 3 && row == 1) memo->SetEnabled(false);
    }
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("editors/memo-gallery.png")));
}

TEST_F(MemoTest, UnderTheThemeLibraryTheCornerBetweenTheBarsIsFilled) {
  using testsupport::FakeThemeLibrary;
  FakeThemeLibrary::Install();
  ThemeAccessStartup();
  ASSERT_TRUE(HasVisualStyles());
  TcxMemo* memo = NewMemo();
  memo->Properties()->SetScrollBars(ssBoth);
  for (int i = 0; i < 20; ++i) memo->Lines()->Add("a long line that is wider than the memo " + std::to_string(i));
  Pump();
  HWND inner = Inner(memo)->Handle();
  SendMessage(inner, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetWindowLong(inner, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), static_cast<LONG>(WS_HSCROLL | WS_VSCROLL))
      << "the bars' styles are back after the frame";
  SCROLLBARINFO horz, vert;
  ASSERT_TRUE(QueryScrollBarInfo(inner, OBJID_HSCROLL, horz));
  ASSERT_TRUE(QueryScrollBarInfo(inner, OBJID_VSCROLL, vert));
  HDC dc = GetWindowDC(inner);
  RECT window;
  GetWindowRect(inner, &window);
  const int x = (vert.rcScrollBar.left + vert.rcScrollBar.right) / 2 - window.left;
  const int y = (horz.rcScrollBar.top + horz.rcScrollBar.bottom) / 2 - window.top;
  TColor grip = memo->Style()->LookAndFeel()->ActivePainter()->DefaultSizeGripAreaColor();
  EXPECT_EQ(GetPixel(dc, x, y), ColorToRGB(grip));
  ReleaseDC(inner, dc);
  delete memo;
  ThemeAccessShutdown();
  FakeThemeLibrary::Uninstall();
}

}  // namespace

namespace {

// The height in visible lines: each a "Zg" line of the style's font, inside margins of 1 and 3, and
// a horizontal scroll bar adding its height.
TEST_F(MemoTest, VisibleLineCountSizesTheMemo) {
  TcxMemo* memo = NewMemo();
  TcxScreenCanvas canvas;
  canvas.AssignFont(memo->Style()->DisplayFont());
  const int line = canvas.MeasureTextHeight("Zg");
  int borders = 0;
  for (int n : {1, 3, 5}) {
    memo->Properties()->SetVisibleLineCount(n);
    Pump();
    const TRect client = memo->EditViewInfo()->ClientRect;
    EXPECT_EQ(client.Bottom - client.Top, 4 + n * line) << n;
    borders = memo->Height() - (client.Bottom - client.Top);
  }
  memo->Properties()->SetScrollBars(ssHorizontal);
  Pump();
  EXPECT_EQ(memo->Height(), borders + 4 + 5 * line + GetSystemMetrics(SM_CYHSCROLL));
  memo->Properties()->SetVisibleLineCount(0);
  const int height = memo->Height();
  memo->Lines()->Add("no auto size without a line count");
  Pump();
  EXPECT_EQ(memo->Height(), height);
}

}  // namespace
