// Every window of the program read in both interface languages, as the start-up list creates them:
// a screenshot and a text dump of each, the grid console's service pages seen at the engineering
// level, and in English the list of texts that stay Chinese, so that a text a translation misses
// shows up.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "dialogs/PictureParametersConsoles.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/console/grid/TextSweep.h"
#include "ui/pages/PageControl.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

namespace fs = std::filesystem;

// What stays Chinese in English, by window and component; "*" for a window that has no English at
// all. Anything else Chinese in an English start is a missed translation.
const std::set<std::string> kChineseInEnglish = {
    // The picture dialog's explanatory labels.
    "Form4.lbl10", "Form4.lbl11", "Form4.lbl12",
    // The debug window, the choosers' titles, the virtual remote, the open-subtitles dialog, the
    // signal and channel rename dialogs and the address tool have no English.
    "Form6.*", "Form22.*", "Form25.*", "Form26.*", "Form27.*", "Form31.*", "Form35.*", "Form36.*", "Form37.*",
    // The playback dialog translates only its title, the play-mode and angle groups and two choices.
    "frmPlayMode.cxgrpbx1", "frmPlayMode.rb1", "frmPlayMode.rb2", "frmPlayMode.cxgrpbx2", "frmPlayMode.rb3",
    "frmPlayMode.rb4", "frmPlayMode.rb5", "frmPlayMode.rb6", "frmPlayMode.rb7", "frmPlayMode.rb8",
    "frmPlayMode.rb15", "frmPlayMode.rb16", "frmPlayMode.rb17", "frmPlayMode.rb18", "frmPlayMode.rb19",
    "frmPlayMode.rb20", "frmPlayMode.rb21", "frmPlayMode.rb22", "frmPlayMode.rb23", "frmPlayMode.rb24",
    "frmPlayMode.rb25", "frmPlayMode.cxgrpbx4", "frmPlayMode.btn10",
    // The grid console's manual fan setting on its temperature page.
    "Form1.rb", "Form1.LabeledEdit1.SubLabel", "Form1.LabeledEdit2.SubLabel",
    // The address synchronisation button of the hybrid console's settings keeps its caption.
    "Form34.BtnAddrSynchro",
};

class WindowSweepTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    fs::copy_file(VW_SKIN_LIST, folder + "/AllSkins.skinres");
  }
  void Key(win::WORD vk) {
    Headless().InjectKey(vk, true);
    Pump();
    Headless().InjectKey(vk, false);
    Pump();
  }
  // Shows a window as the console kind it belongs to would, shoots it and reads its texts.
  void Read(TCustomForm* form, const std::string& shot, std::vector<sweep::TShownText>& texts) {
    form->Show();
    Pump();
    SaveWindowShot(form, shot);
    for (const sweep::TShownText& shown : sweep::VisibleTexts(form)) texts.push_back(shown);
  }
  void ReadPages(TcxPageControl* pages, const std::string& prefix, std::vector<sweep::TShownText>& texts) {
    for (int i = 0; i < pages->PageCount(); ++i) {
      if (!pages->Pages(i)->TabVisible()) continue;
      pages->SetActivePage(pages->Pages(i));
      Pump();
      SaveWindowShot(Form1, prefix + std::to_string(i) + ".png");
      for (const sweep::TShownText& shown : sweep::VisibleTexts(Form1)) texts.push_back(shown);
    }
  }
};

TEST_F(WindowSweepTest, EveryWindowInBothLanguages) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    const std::string suffix = language ? "english" : "chinese";
    WriteConfig("[config]\nlanguage=" + std::to_string(language) + "\n");
    std::vector<TCustomForm*> forms;
    CreateProgramWindows([&](TCustomForm* form) { forms.push_back(form); });
    Pump();
    // The boot window's timer would open the start-up chooser over the windows.
    Form18->tmr1->SetEnabled(false);
    // The grid console first, as a start shows it, since its English texts reach into other windows;
    // the other two consoles last, each with the picture dialog they share.
    auto other = [](TCustomForm* form) { return form == Form33 || form == Form23 || form == Form32; };
    std::stable_partition(forms.begin(), forms.end(), [](TCustomForm* form) { return form == Form1; });
    std::stable_partition(forms.begin() + 1, forms.end(), [&](TCustomForm* form) { return !other(form); });

    std::vector<sweep::TShownText> texts;
    for (TCustomForm* form : forms) {
      Form18->ConsoleKind = form == Form33 ? ckHybrid : form == Form23 ? ckSplicing : ckGrid;
      Read(form, "console/sweep/all/" + form->Name() + "-" + suffix + ".png", texts);
      if (form != Form1) form->Hide();
      Pump();
    }
    // The service pages show from the engineering level on.
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Form7->Show();
    Pump();
    Headless().InjectText("40619");
    Pump();
    Key(win::VK_RETURN);
    ASSERT_EQ(Form18->EngineerLoggedIn, 1);
    ASSERT_TRUE(Form1->PageControl1->Visible());
    ReadPages(Form1->PageControl1, "console/sweep/all/Form1-service-" + suffix + "-page", texts);
    sweep::WriteTextDump(texts, "console/sweep/all/texts-" + suffix + ".tsv");

    if (language == 1) {
      std::set<std::string> missed;
      for (const sweep::TShownText& shown : sweep::ChineseTexts(texts)) {
        const std::string at = shown.Window + "." + shown.Component;
        if (!kChineseInEnglish.count(at) && !kChineseInEnglish.count(shown.Window + ".*"))
          missed.insert(at + " \"" + shown.Text + "\"");
      }
      EXPECT_TRUE(missed.empty()) << "shown in Chinese in an English start (list it above only when no "
                                     "English is given for it):\n"
                                  << [&] {
                                       std::string all;
                                       for (const std::string& m : missed) all += "  " + m + "\n";
                                       return all;
                                     }();
    }
    TearDown();
    SetUp();
  }
}

}  // namespace
