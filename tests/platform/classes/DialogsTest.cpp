#include <cstdio>
#include <fstream>

#include "platform/classes/Dialogs.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace {

class DialogsTest : public formtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(Application, 0);
    form->SetBounds(20, 20, 300, 200);
    form->Show();
    Pump();
  }
  // Keys wait in the queue until the dialog's own loop reads them.
  void Queue(unsigned vk) {
    Headless().InjectKey(vk, true);
    Headless().InjectKey(vk, false);
  }
  TForm* form = nullptr;
};

TEST_F(DialogsTest, ColorDialogAnswersTheOperatorAndKeepsCustomColors) {
  TColorDialog dlg(form);
  dlg.SetColor(clRed);
  dlg.CustomColors()->Add("ColorA=00FF00");
  Queue(win::VK_RETURN);
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(ColorToRGB(dlg.Color()), ColorToRGB(clRed));
  EXPECT_EQ(dlg.CustomColors()->Values("ColorA"), "00FF00");
  EXPECT_EQ(dlg.CustomColors()->Count(), 16);
  Queue(win::VK_ESCAPE);
  dlg.SetColor(clBlue);
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.Color(), clBlue);
}

TEST_F(DialogsTest, FontDialogKeepsTheFontOnOkAndOnCancel) {
  TFontDialog dlg(form);
  dlg.Font()->SetName("MS Sans Serif");
  dlg.Font()->SetSize(8);
  dlg.Font()->SetColor(clWindowText);
  Queue(win::VK_ESCAPE);
  EXPECT_FALSE(dlg.Execute());
  Queue(win::VK_RETURN);
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Font()->Size(), 8);
  EXPECT_EQ(ColorToRGB(dlg.Font()->Color()), ColorToRGB(clWindowText));
}

TEST_F(DialogsTest, OpenPictureDialogFiltersByPictureKindAndReturnsTheFile) {
  TOpenPictureDialog dlg(form);
  EXPECT_NE(dlg.Filter().find("*.bmp"), String::npos);
  String path = testsupport::ArtifactPath("logo-choice.bmp");
  std::ofstream(path) << "BM";
  dlg.SetFileName(path);
  dlg.SetFilterIndex(2);
  Queue(win::VK_RETURN);
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), path);
  EXPECT_EQ(dlg.FilterIndex(), 2);
  Queue(win::VK_ESCAPE);
  EXPECT_FALSE(dlg.Execute());
  std::remove(path.c_str());
}

}  // namespace
