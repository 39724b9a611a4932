// The subtitle settings, the three subtitle windows and the open-subtitles dialog as the operator
// drives them: the program's own windows on a headless screen, time virtual, clicks injected.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/Program.h"
#include "console/Config.h"
#include "dialogs/OpenSubtitles.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/SubtitleWindow1.h"
#include "dialogs/SubtitleWindow2.h"
#include "dialogs/SubtitleWindow3.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "tests/app/AppFixture.h"
#include "tests/support/Artifacts.h"

namespace {

using namespace win;

class SubtitlesTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateProgramWindows();
    Pump();
  }
  // The dialogs away from the subtitle windows, which are centred and stay on top.
  void ShowSettings() {
    frmSubtitleSettings->Show();
    frmSubtitleSettings->SetBounds(0, 0, frmSubtitleSettings->Width(), frmSubtitleSettings->Height());
    Pump();
  }
  void ShowList() {
    Form31->SetBounds(0, 700, Form31->Width(), Form31->Height());
    Pump();
  }
  void Click(TControl* control) {
    ClickAt(control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2}));
  }
  // Fills the dialog and adds a subtitle through its button; the window that became visible.
  TSubtitleWindow* Add(const String& text, const String& interval = "0", TColor fontColor = clYellow,
                       const String& background = "clBlue", bool transparent = false) {
    if (!frmSubtitleSettings->Visible()) ShowSettings();
    frmSubtitleSettings->cxmText->SetText(text);
    frmSubtitleSettings->dlgFont->Font()->SetColor(fontColor);
    frmSubtitleSettings->dlgFont->Font()->SetName("DejaVu Sans");
    frmSubtitleSettings->dlgFont->Font()->SetSize(28);
    frmSubtitleSettings->cbbBGColor->SetText(background);
    frmSubtitleSettings->lbledtInterval->SetText(interval);
    frmSubtitleSettings->cbTranp->SetChecked(transparent);
    std::vector<bool> before = Visibility();
    Click(frmSubtitleSettings->BitbAddDisplay);
    std::vector<bool> after = Visibility();
    for (int k = 0; k < 3; ++k)
      if (after[k] && !before[k]) return SubtitleWindow(k + 1);
    return nullptr;
  }
  static std::vector<bool> Visibility() {
    return {frmLEDDisplay->OnScreen(), Form29->OnScreen(), Form30->OnScreen()};
  }
  std::string ConfigText() {
    std::ifstream in(folder + "/cfg.ini", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The columns of the window's pixels that differ from the background, as [first, last].
  std::pair<int, int> InkColumns(TSubtitleWindow* w, std::uint32_t background) {
    auto px = WindowPixels(w);
    int first = -1, last = -1;
    for (int x = 0; x < w->Width(); ++x)
      for (int y = 0; y < w->Height(); ++y)
        if (px[static_cast<std::size_t>(y) * w->Width() + x] != background) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return {first, last};
  }
  LRESULT HitTest(TSubtitleWindow* w, int x, int y) {
    return SendMessage(w->Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
  }
};

constexpr std::uint32_t kBlue = 0x0000FF, kYellow = 0xFFFF00;

TEST_F(SubtitlesTest, AnEmptyConfigurationShowsTheDialogAsItStandsAndTheColourListIsRebuilt) {
  frmSubtitleSettings->cxmText->SetText("as typed");
  ShowSettings();
  TFont* font = frmSubtitleSettings->dlgFont->Font();
  EXPECT_EQ(frmSubtitleSettings->cxmText->Lines()->Text(), "as typed");
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  EXPECT_EQ(font->Size(), 8);
  EXPECT_EQ(font->Color(), clWindowText);
  EXPECT_EQ(frmSubtitleSettings->cbbBGColor->Text(), "clWhite");
  EXPECT_EQ(frmSubtitleSettings->lbledtInterval->Text(), "0");
  EXPECT_FALSE(frmSubtitleSettings->cbTranp->Checked());

  frmSubtitleSettings->Close();
  ShowSettings();
  TcxColorComboBoxItems* list = frmSubtitleSettings->cbbBGColor->Properties()->ColorList();
  const std::pair<TColor, const char*> expected[] = {
      {clBlack, "clBlack"},   {clMaroon, "clMaroon"},   {clGreen, "clGreen"},   {clOlive, "clOlive"},
      {clNavy, "clNavy"},     {clPurple, "clPurple"},   {clTeal, "clTeal"},     {clGray, "clGray"},
      {clSilver, "clSilver"}, {clRed, "clRed"},         {clLime, "clLime"},     {clYellow, "clYellow"},
      {clBlue, "clBlue"},     {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},     {clWhite, "clWhite"},
      {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},
  };
  ASSERT_EQ(list->Count(), 18);
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(list->Items(i)->Color(), expected[i].first) << i;
    EXPECT_EQ(list->Items(i)->Description(), expected[i].second) << i;
  }
  EXPECT_EQ(frmSubtitleSettings->cbbBGColor->ColorValue(), clWhite);
}

TEST_F(SubtitlesTest, SavedSettingsComeBackAtTheNextShowingLineBreaksAndBackslashesIncluded) {
  ShowSettings();
  const String text = "Room\\north\r\n第二行";
  frmSubtitleSettings->cxmText->SetText(text);
  TFont* font = frmSubtitleSettings->dlgFont->Font();
  font->SetName("DejaVu Serif");
  font->SetSize(20);
  font->SetColor(static_cast<TColor>(0x123456));
  frmSubtitleSettings->cbbBGColor->SetText("clNavy");
  frmSubtitleSettings->lbledtInterval->SetText("45");
  frmSubtitleSettings->cbTranp->SetChecked(true);
  Click(frmSubtitleSettings->btnSave);
  const std::string file = ConfigText();
  EXPECT_NE(file.find("displaytext=Room\\\\north\\n"), std::string::npos) << file;
  EXPECT_NE(file.find("colorname=$00123456"), std::string::npos) << file;
  EXPECT_NE(file.find("istranp=1"), std::string::npos) << file;
  EXPECT_NE(file.find("displaytextesc=1"), std::string::npos) << file;

  // Changes not saved are lost at the next showing.
  frmSubtitleSettings->cxmText->SetText("changed");
  font->SetSize(9);
  frmSubtitleSettings->cbTranp->SetChecked(false);
  frmSubtitleSettings->Close();
  ShowSettings();
  EXPECT_EQ(frmSubtitleSettings->cxmText->Lines()->Text(), text);
  EXPECT_EQ(font->Name(), "DejaVu Serif");
  EXPECT_EQ(font->Size(), 20);
  EXPECT_EQ(font->Color(), static_cast<TColor>(0x123456));
  EXPECT_EQ(frmSubtitleSettings->cbbBGColor->Text(), "clNavy");
  EXPECT_EQ(frmSubtitleSettings->lbledtInterval->Text(), "45");
  EXPECT_TRUE(frmSubtitleSettings->cbTranp->Checked());
}

TEST_F(SubtitlesTest, ASectionAnEarlierVersionWroteReadsUnchanged) {
  // GBK on disk, no escape mark: a backslash stays a backslash.
  WriteConfig("[subtitle]\r\ndisplaytext=\xBB\xB6\xD3\xAD Room\\north\r\nfontname=DejaVu Sans\r\n"
              "colorname=clRed\r\nfontsize=12\r\nbgcolorname=clBlack\r\ninterval=30\r\nistranp=0\r\n");
  ShowSettings();
  EXPECT_EQ(frmSubtitleSettings->cxmText->Lines()->Text(), "欢迎 Room\\north");
  EXPECT_EQ(frmSubtitleSettings->dlgFont->Font()->Color(), clRed);
  EXPECT_EQ(frmSubtitleSettings->dlgFont->Font()->Size(), 12);
  EXPECT_EQ(frmSubtitleSettings->cbbBGColor->Text(), "clBlack");
  EXPECT_EQ(frmSubtitleSettings->lbledtInterval->Text(), "30");
}

TEST_F(SubtitlesTest, TransparencyClearsTheBackgroundBox) {
  ShowSettings();
  frmSubtitleSettings->cbTranp->SetChecked(true);
  Click(frmSubtitleSettings->cbTranp);
  EXPECT_FALSE(frmSubtitleSettings->cbTranp->Checked());
  EXPECT_TRUE(frmSubtitleSettings->cbbBGColor->Enabled());
  Click(frmSubtitleSettings->cbTranp);
  EXPECT_TRUE(frmSubtitleSettings->cbTranp->Checked());
  EXPECT_FALSE(frmSubtitleSettings->cbbBGColor->Enabled());
}

TEST_F(SubtitlesTest, AFourthSubtitleIsRefusedAndAHiddenWindowIsReused) {
  TSubtitleWindow* one = Add("one");
  TSubtitleWindow* two = Add("two");
  TSubtitleWindow* three = Add("three");
  EXPECT_EQ(one, frmLEDDisplay);
  EXPECT_EQ(two, Form29);
  EXPECT_EQ(three, Form30);
  EXPECT_EQ(Add("four"), nullptr);
  EXPECT_EQ(boxes, std::vector<std::string>{kProgramTitle + std::string("|最多存在3个字幕")});
  EXPECT_EQ(one->rzmrqstsText->Caption(), "one\r\n");
  EXPECT_EQ(three->rzmrqstsText->Caption(), "three\r\n");

  Click(frmSubtitleSettings->btnCloseDisplay);
  ASSERT_TRUE(Form31->Visible());
  ShowList();
  EXPECT_EQ(Form31->lbl5->Caption(), "two\r\n");
  Click(Form31->Bitbtn162);
  EXPECT_FALSE(Form29->OnScreen());
  EXPECT_FALSE(Form31->Bitbtn162->Enabled());
  EXPECT_TRUE(Form31->Bitbtn163->Enabled());
  Click(Form31->Bitbtn166);
  EXPECT_FALSE(Form31->Visible());
  EXPECT_EQ(Add("again"), Form29);
  EXPECT_EQ(Form29->rzmrqstsText->Caption(), "again\r\n");
}

TEST_F(SubtitlesTest, TheOpenSubtitlesDialogListsTheVisibleWindowsAndActsOnItsOwnRow) {
  Add("first");
  Add("second");
  Add("third");
  Form29->Hide();
  Pump();
  Form31->Show();
  ShowList();
  auto shown = [](std::initializer_list<TControl*> controls) {
    std::vector<bool> out;
    for (TControl* c : controls) out.push_back(c->Visible());
    return out;
  };
  EXPECT_EQ(shown({Form31->lbl1, Form31->lbl4, Form31->Bitbtn, Form31->Bitbtn161}), std::vector<bool>(4, true));
  EXPECT_EQ(shown({Form31->lbl2, Form31->lbl5, Form31->Bitbtn162, Form31->Bitbtn163}), std::vector<bool>(4, false));
  EXPECT_EQ(shown({Form31->lbl3, Form31->lbl6, Form31->Bitbtn164, Form31->Bitbtn165}), std::vector<bool>(4, true));
  EXPECT_EQ(Form31->lbl4->Caption(), "first\r\n");
  EXPECT_EQ(Form31->lbl6->Caption(), "third\r\n");
  EXPECT_EQ(Form31->lbl6->Tag(), 3);
  EXPECT_TRUE(Form31->Bitbtn164->Enabled());
  EXPECT_FALSE(Form31->Bitbtn165->Enabled());
  SaveWindowShot(Form31, "subtitles-open-list.png");

  Click(Form31->Bitbtn164);
  EXPECT_FALSE(Form30->OnScreen());
  EXPECT_TRUE(frmLEDDisplay->OnScreen());
  EXPECT_FALSE(Form29->OnScreen());
  Click(Form31->Bitbtn165);
  EXPECT_TRUE(Form30->OnScreen());
  EXPECT_TRUE(Form31->Bitbtn164->Enabled());
  EXPECT_FALSE(Form31->Bitbtn165->Enabled());
  EXPECT_TRUE(frmLEDDisplay->OnScreen());
  EXPECT_FALSE(Form29->OnScreen());

  // A window that cannot be found is left as it is; the buttons still swap.
  Form30->SetCaption("renamed");
  Click(Form31->Bitbtn164);
  EXPECT_TRUE(Form30->OnScreen());
  EXPECT_TRUE(Form31->Bitbtn165->Enabled());
}

TEST_F(SubtitlesTest, ABadIntervalStopsTheAddingAfterTheBackgroundWasTaken) {
  for (const char* interval : {"abc", ""}) {
    boxes.clear();
    EXPECT_EQ(Add("text", interval, clYellow, "clMaroon"), nullptr) << interval;
    ASSERT_EQ(boxes.size(), 1u) << interval;
    EXPECT_NE(boxes[0].find("is not a valid integer value"), std::string::npos) << boxes[0];
    EXPECT_FALSE(frmLEDDisplay->OnScreen());
    EXPECT_EQ(frmLEDDisplay->Color(), clMaroon);
    frmLEDDisplay->SetColor(clBlue);
  }
}

TEST_F(SubtitlesTest, TheTransparentKeyFollowsTheTextColour) {
  struct Case {
    TColor font;
    TColor key;
  } cases[] = {{clRed, clMaroon}, {clGreen, clTeal}, {clYellow, clWhite}, {clBlue, clNavy}, {clWhite, clCream},
               {clLime, clPurple}};
  for (const Case& c : cases) {
    TSubtitleWindow* w = Add("key", "0", c.font, "clPurple", true);
    ASSERT_EQ(w, frmLEDDisplay);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(w->Handle(), &key, &alpha, &flags));
    EXPECT_EQ(flags & LWA_COLORKEY, LWA_COLORKEY);
    EXPECT_EQ(key, static_cast<COLORREF>(c.key)) << c.font;
    EXPECT_EQ(w->Color(), c.key);
    EXPECT_EQ(w->rzmrqstsText->FillColor(), c.key);
    w->Hide();
    Pump();
  }
  // Opaque again: the key goes.
  TSubtitleWindow* w = Add("opaque", "0", clYellow, "clBlue", false);
  EXPECT_FALSE(GetWindowLong(w->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(SubtitlesTest, OnTheScreenOnlyTheTextOfATransparentSubtitleShowsAndTakesTheMouse) {
  ShowSettings();
  const POINT through{5, 45};
  const std::uint32_t beneath = ScreenPixel(through.x, through.y);
  TSubtitleWindow* w = Add("Hi", "0", clYellow, "clBlue", true);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Left(), (1280 - 566) / 2);
  // Styles: a topmost tool pop-up without frame bits and without an owner.
  const LONG style = GetWindowLong(w->Handle(), GWL_STYLE), ex = GetWindowLong(w->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(w->Handle(), GW_OWNER), nullptr);
  EXPECT_EQ(w->ClientWidth(), 566);
  EXPECT_EQ(w->ClientHeight(), 113);
  // Over the settings dialog's face, clear of its controls.
  w->SetBounds(0, 40, 566, 113);
  Pump();

  auto own = WindowPixels(w);
  int textX = -1, textY = -1;
  for (int y = 0; y < w->Height() && textX < 0; ++y)
    for (int x = 0; x < w->Width(); ++x)
      if (own[static_cast<std::size_t>(y) * w->Width() + x] == kYellow) {
        textX = x, textY = y;
        break;
      }
  ASSERT_GE(textX, 0) << "the text is drawn";
  EXPECT_EQ(own[5 * w->Width() + 5], 0xFFFFFFu) << "the key, clWhite for a yellow text";
  EXPECT_EQ(ScreenPixel(w->Left() + textX, w->Top() + textY), kYellow);
  // Key pixels show what lies beneath: the settings dialog's face.
  EXPECT_EQ(ScreenPixel(through.x, through.y), beneath);
  EXPECT_EQ(GetActiveWindow(), w->Handle());
  ClickAt(through);
  EXPECT_EQ(GetActiveWindow(), frmSubtitleSettings->Handle()) << "the click reached the window below";
  EXPECT_EQ(w->Left(), 0);
  Headless().SaveScreenshot(testsupport::ArtifactPath("subtitles-transparent-screen.png"));
}

TEST_F(SubtitlesTest, TheScrollStepFollowsTheWorkAreaAndTheIntervalTheTimer) {
  struct Case {
    int width;
    int step;
  } cases[] = {{1920, 3}, {1280, 2}, {500, 1}};
  for (const Case& c : cases) {
    Headless().SetScreenSize(c.width, 1024);
    Pump();
    frmLEDDisplay->Show();
    Pump();
    EXPECT_EQ(frmLEDDisplay->rzmrqstsText->ScrollSize(), c.step) << c.width;
    frmLEDDisplay->Hide();
    Pump();
  }
  Headless().SetScreenSize(1920, 1080);
  TSubtitleWindow* w = Add("MOVE", "30");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->rzmrqstsText->ScrollType(), stRightToLeft);
  EXPECT_EQ(w->rzmrqstsText->ScrollDelay(), 30);
  // Into view, then two frames 30 ms apart.
  for (int i = 0; i < 100; ++i) {
    clock->Advance(30);
    Pump();
  }
  auto before = InkColumns(w, kBlue);
  ASSERT_GT(before.first, 0);
  clock->Advance(29);
  Pump();
  EXPECT_EQ(InkColumns(w, kBlue), before) << "not yet";
  clock->Advance(1);
  Pump();
  auto after = InkColumns(w, kBlue);
  EXPECT_EQ(after.first, before.first - 3);
  EXPECT_EQ(after.second, before.second - 3);
  SaveWindowShot(w, "subtitles-window-scrolling.png");

  // A delay beyond the pane's 16 bits is as slow as it goes.
  w->ConfigureSubtitle("slow", "DejaVu Sans", "clYellow", clBlue, 12, 100000, false);
  EXPECT_EQ(w->rzmrqstsText->ScrollDelay(), 65535);
}

TEST_F(SubtitlesTest, IntervalZeroGivesAStillCentredTextAndLineBreaksShowAsNothing) {
  TSubtitleWindow* w = Add("Still\r\nText", "0");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->rzmrqstsText->ScrollType(), stNone);
  auto ink = InkColumns(w, kBlue);
  ASSERT_GT(ink.first, 0);
  const int centre = (ink.first + ink.second) / 2;
  EXPECT_NEAR(centre, w->Width() / 2, 4);
  auto frame = WindowPixels(w);
  clock->Advance(300);
  Pump();
  EXPECT_EQ(WindowPixels(w), frame) << "still";
  // The text is the two lines' words side by side, with no box where the breaks are.
  TSubtitleWindow* plain = Add("StillText", "0");
  ASSERT_NE(plain, nullptr);
  auto plainInk = InkColumns(plain, kBlue);
  EXPECT_EQ(ink.second - ink.first, plainInk.second - plainInk.first);
  SaveWindowShot(w, "subtitles-window-still.png");
}

TEST_F(SubtitlesTest, EachWindowHasItsMarqueeOverItsTemplates) {
  for (int k = 1; k <= 3; ++k) {
    SCOPED_TRACE(k);
    TSubtitleWindow* w = SubtitleWindow(k);
    EXPECT_EQ(w->Caption(), "subtitle" + std::to_string(k));
    TRzMarqueeStatus* pane = w->rzmrqstsText;
    EXPECT_EQ(pane->BoundsRect(), (RECT{-8, -8, 577, 121}));
    EXPECT_EQ(pane->FrameStyle(), fsNone);
    EXPECT_EQ(pane->BorderWidth(), 0);
    EXPECT_FALSE(pane->Transparent());
    EXPECT_EQ(pane->Alignment(), taCenter);
    EXPECT_EQ(w->rzmrqstsText1->ScrollType(), stNone);
    EXPECT_EQ(w->rzmrqstsText2->ScrollType(), stRightToLeft);
    // Window 1 hides its templates; the others leave them under the marquee, which comes last.
    EXPECT_EQ(w->rzmrqstsText1->Visible(), k != 1);
    EXPECT_EQ(w->rzmrqstsText2->Visible(), k != 1);
    EXPECT_EQ(w->rzmrqstsText1->BoundsRect(), (RECT{496, 16, 596, 36}));
    EXPECT_EQ(w->rzmrqstsText2->BoundsRect(), (RECT{472, 32, 572, 52}));
    EXPECT_EQ(w->ControlCount() - 1, w->rzmrqstsText->ComponentIndex());
  }
}

TEST_F(SubtitlesTest, TheHitTestSizesByTheEdgesDragsByTheTopBandAndRefitsThePane) {
  TSubtitleWindow* w = Add("hit");
  ASSERT_NE(w, nullptr);
  w->SetBounds(100, 100, 566, 113);
  Pump();
  struct Case {
    int x, y;
    LRESULT hit;
  } cases[] = {
      {100, 100, HTTOPLEFT},    {665, 100, HTTOPRIGHT}, {100, 212, HTBOTTOMLEFT}, {665, 212, HTBOTTOMRIGHT},
      {664, 211, HTBOTTOMRIGHT}, {102, 150, HTLEFT},    {665, 150, HTRIGHT},      {300, 101, HTTOP},
      {300, 211, HTBOTTOM},     {300, 103, HTCAPTION},  {300, 150, HTCAPTION},    {300, 151, HTCLIENT},
      {103, 180, HTCLIENT},
  };
  for (const Case& c : cases) {
    w->rzmrqstsText->SetBounds(0, 0, 10, 10);
    EXPECT_EQ(HitTest(w, c.x, c.y), c.hit) << c.x << "," << c.y;
    EXPECT_EQ(w->rzmrqstsText->BoundsRect(), (RECT{-8, -8, 577, 121})) << c.x << "," << c.y;
  }
}

TEST_F(SubtitlesTest, TheWindowIsDraggedByTheTopBandOrTheTextAndSizedByItsCorner) {
  TSubtitleWindow* w = Add("drag");
  ASSERT_NE(w, nullptr);
  w->SetBounds(100, 100, 566, 113);
  Pump();
  auto& screen = Headless();
  auto at = [&] { return POINT{w->Left(), w->Top()}; };

  // Hovering over the text, as over the band, carries nothing away.
  screen.InjectMouseMove(300, 180);
  Pump();
  screen.InjectMouseMove(350, 200);
  Pump();
  screen.InjectMouseMove(300, 130);
  Pump();
  EXPECT_EQ(at(), (POINT{100, 100}));

  // A drag is a modal loop: the whole gesture is queued before the loop runs.
  auto drag = [&](std::initializer_list<POINT> path) {
    auto p = path.begin();
    screen.InjectMouseMove(p->x, p->y);
    screen.InjectMouseButton(platform::kButtonLeft, true);
    for (++p; p != path.end(); ++p) screen.InjectMouseMove(p->x, p->y);
    screen.InjectMouseButton(platform::kButtonLeft, false);
    Pump();
  };
  // The top band answers as a caption.
  drag({{300, 130}, {320, 150}, {340, 160}});
  EXPECT_EQ(at(), (POINT{140, 130}));

  // Lower down the text's mouse-move handler starts the move where the mouse first moves.
  drag({{300, 200}, {301, 201}, {341, 231}});
  EXPECT_EQ(at(), (POINT{180, 160}));

  // The bottom-right corner sizes it; the pane follows at the next hit test.
  const POINT corner{w->Left() + w->Width() - 1, w->Top() + w->Height() - 1};
  drag({corner, {corner.x + 20, corner.y + 10}, {corner.x + 40, corner.y + 30}});
  EXPECT_EQ(at(), (POINT{180, 160}));
  EXPECT_EQ(w->Width(), 606);
  EXPECT_EQ(w->Height(), 143);
  screen.InjectMouseMove(corner.x + 20, corner.y + 10);
  Pump();
  EXPECT_EQ(w->rzmrqstsText->BoundsRect(), (RECT{-8, -8, 606 + 11, 143 + 8}));
}

TEST_F(SubtitlesTest, TheConsolesEnglishCaptions) {
  frmSubtitleSettings->ApplyEnglishCaptions("Subtitle Setting");
  EXPECT_EQ(frmSubtitleSettings->Caption(), "Subtitle Setting");
  EXPECT_EQ(frmSubtitleSettings->cxLabel3->Caption(), "Bkgound Color");
  EXPECT_EQ(frmSubtitleSettings->cbTranp->Caption(), "Transparent");
  EXPECT_EQ(frmSubtitleSettings->btnCloseDisplay->Caption(), "Delete");
  EXPECT_EQ(frmSubtitleSettings->BitbAddDisplay->Caption(), "Add");
  ShowSettings();
  SaveWindowShot(frmSubtitleSettings, "subtitles-settings-english.png");
}

TEST_F(SubtitlesTest, Screenshots) {
  ShowSettings();
  frmSubtitleSettings->cxmText->SetText("欢迎光临\r\nWelcome");
  Pump();
  SaveWindowShot(frmSubtitleSettings, "subtitles-settings.png");
  TSubtitleWindow* one = Add("欢迎光临 Welcome", "0", clYellow, "clBlue");
  TSubtitleWindow* two = Add("第二个字幕", "0", clWhite, "clGreen", true);
  TSubtitleWindow* three = Add("Third subtitle", "0", clRed, "clBlack");
  ASSERT_TRUE(one && two && three);
  SaveWindowShot(one, "subtitles-window1.png");
  SaveWindowShot(two, "subtitles-window2-transparent.png");
  SaveWindowShot(three, "subtitles-window3.png");
  Form31->Show();
  ShowList();
  SaveWindowShot(Form31, "subtitles-open.png");
  Headless().SaveScreenshot(testsupport::ArtifactPath("subtitles-screen.png"));
}

}  // namespace
