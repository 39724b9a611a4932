#include <cstring>
#include <filesystem>
#include <fstream>
#include <deque>
#include <functional>

#include "platform/display/Display.h"
#include "platform/win/CommonDialogs.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class CommonDialogsTest : public ControlTest {
 protected:
  // Runs `act` on the dialog once it is up (the dialog's own loop runs meanwhile); actions queued
  // from inside one run at the next tick, after the dialog has painted.
  void WhenUp(const char* title, std::function<void(HWND)> act) {
    pending.push_back({title, std::move(act)});
    handlers[form] = [this](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
      if (msg != WM_TIMER || wParam != 11 || pending.empty()) return false;
      KillTimer(form, 11);
      auto [name, next] = pending.front();
      pending.pop_front();
      HWND dlg = FindWindow("#32770", name);
      EXPECT_TRUE(dlg) << name;
      if (dlg) next(dlg);
      return false;
    };
    SetTimer(form, 11, 30, nullptr);
  }
  std::deque<std::pair<const char*, std::function<void(HWND)>>> pending;
  void PressOk(HWND dlg) { PostMessage(dlg, WM_COMMAND, IDOK, 0); }
};

TEST_F(CommonDialogsTest, ColourPickedFromTheSwatchesOrTypedAndCustomColoursKept) {
  COLORREF custom[16] = {};
  custom[0] = RGB(1, 2, 3);
  CHOOSECOLOR cc;
  cc.hwndOwner = form;
  cc.rgbResult = RGB(0, 0, 255);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  WhenUp("Color", [&](HWND dlg) {
    EXPECT_FALSE(IsWindowEnabled(form));
    EXPECT_EQ(GetWindowTextString(GetDlgItem(dlg, 703)), "255");  // blue of the initial colour
    // The first basic swatch of the second row is pure red.
    POINT p{10 + 0 * 24 + 10, 24 + 1 * 24 + 10};
    SendMessage(dlg, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    EXPECT_EQ(GetWindowTextString(GetDlgItem(dlg, 701)), "255");
    SetWindowText(GetDlgItem(dlg, 702), "128");
    SendMessage(GetDlgItem(dlg, 712), BM_CLICK, 0, 0);
    WhenUp("Color", [&](HWND again) {
      Screen().SaveScreenshot(testsupport::ArtifactPath("dialog_colour.png"));
      PressOk(again);
    });
  });
  ASSERT_TRUE(ChooseColor(&cc));
  EXPECT_EQ(cc.rgbResult, RGB(255, 128, 0));
  EXPECT_EQ(custom[0], RGB(255, 128, 0));
  EXPECT_TRUE(IsWindowEnabled(form));
  // Cancel leaves everything as it was.
  WhenUp("Color", [&](HWND dlg) { PostMessage(dlg, WM_COMMAND, IDCANCEL, 0); });
  cc.rgbResult = RGB(9, 9, 9);
  EXPECT_FALSE(ChooseColor(&cc));
  EXPECT_EQ(cc.rgbResult, RGB(9, 9, 9));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(CommonDialogsTest, FontChoiceFillsTheLogFont) {
  LOGFONTA lf{};
  lf.lfHeight = -16;  // 12 points
  std::strcpy(lf.lfFaceName, "no such face");
  CHOOSEFONT cf;
  cf.hwndOwner = form;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  cf.rgbColors = RGB(255, 255, 0);
  std::string firstFace;
  WhenUp("Font", [&](HWND dlg) {
    EXPECT_EQ(GetWindowTextString(GetDlgItem(dlg, 803)), "12");
    // The effects offer the sixteen basic colours, the given one chosen; the sample takes a new one.
    HWND colours = GetDlgItem(dlg, 807);
    ASSERT_EQ(SendMessage(colours, CB_GETCOUNT, 0, 0), 16);
    EXPECT_EQ(SendMessage(colours, CB_GETITEMDATA, static_cast<WPARAM>(SendMessage(colours, CB_GETCURSEL, 0, 0)), 0),
              static_cast<LRESULT>(RGB(255, 255, 0)));
    SendMessage(colours, CB_SETCURSEL, 9, 0);  // red
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(807, CBN_SELCHANGE), reinterpret_cast<LPARAM>(colours));
    HWND faces = GetDlgItem(dlg, 801);
    EXPECT_GT(SendMessage(faces, LB_GETCOUNT, 0, 0), 0);
    std::vector<char> buf(static_cast<std::size_t>(SendMessage(faces, LB_GETTEXTLEN, 0, 0)) + 1);
    SendMessage(faces, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buf.data()));
    firstFace = buf.data();
    SendMessage(GetDlgItem(dlg, 802), LB_SETCURSEL, 3, 0);  // bold italic
    SetWindowText(GetDlgItem(dlg, 803), "24");
    SendMessage(GetDlgItem(dlg, 805), BM_CLICK, 0, 0);
    WhenUp("Font", [&](HWND again) {
      Screen().SaveScreenshot(testsupport::ArtifactPath("dialog_font.png"));
      PressOk(again);
    });
  });
  ASSERT_TRUE(ChooseFont(&cf));
  EXPECT_EQ(std::string(lf.lfFaceName), firstFace);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfHeight, -32);
  EXPECT_EQ(cf.iPointSize, 240);
  EXPECT_EQ(cf.rgbColors, RGB(255, 0, 0));
}

class OpenFileTest : public CommonDialogsTest {
 protected:
  void SetUp() override {
    CommonDialogsTest::SetUp();
    dir = testsupport::TempDir("openfile");
    std::filesystem::create_directories(dir + "/sub");
    std::vector<std::uint32_t> px(40 * 30);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) px[static_cast<std::size_t>(y * 40 + x)] = x < 20 ? 0xFF0000 : 0x0000FF;
    ASSERT_TRUE(platform::WritePng(dir + "/logo.png", px.data(), 40, 30, 40));
    std::ofstream(dir + "/notes.txt") << "text";
  }
  std::string dir;
};

TEST_F(OpenFileTest, PicksAPictureWithAPreview) {
  char file[512] = {};
  OPENFILENAME ofn;
  ofn.hwndOwner = form;
  ofn.lpstrFilter = "Pictures\0*.png;*.jpg;*.bmp\0All files\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = dir.c_str();
  ofn.Flags = OFN_FILEMUSTEXIST;
  std::vector<std::string> listed;
  WhenUp("Open", [&](HWND dlg) {
    HWND list = GetDlgItem(dlg, 902);
    for (int i = 0; i < SendMessage(list, LB_GETCOUNT, 0, 0); ++i) {
      std::vector<char> buf(static_cast<std::size_t>(SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1);
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
      listed.push_back(buf.data());
    }
    LRESULT logo = SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("logo.png"));
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(logo), 0);
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(902, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(SendMessage(GetDlgItem(dlg, 905), STM_GETIMAGE, IMAGE_BITMAP, 0));
    // The picture is worth a look once it has been painted.
    WhenUp("Open", [&](HWND again) {
      Screen().SaveScreenshot(testsupport::ArtifactPath("dialog_open.png"));
      PressOk(again);
    });
  });
  ASSERT_TRUE(GetOpenFileName(&ofn));
  EXPECT_EQ(listed, (std::vector<std::string>{"[..]", "[sub]", "logo.png"}));
  std::string chosen = file;
  EXPECT_EQ(chosen, dir + "/logo.png");
  EXPECT_STREQ(file + ofn.nFileOffset, "logo.png");
  EXPECT_STREQ(file + ofn.nFileExtension, "png");
  EXPECT_EQ(ofn.nFilterIndex, 1u);
}

TEST_F(OpenFileTest, ABufferTooSmallIsReportedNotOverrun) {
  char file[8] = {};
  OPENFILENAME ofn;
  ofn.hwndOwner = form;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = dir.c_str();
  WhenUp("Open", [&](HWND dlg) {
    SetWindowText(GetDlgItem(dlg, 903), "logo.png");
    PressOk(dlg);
  });
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD need;
  std::memcpy(&need, file, sizeof need);
  EXPECT_EQ(need, dir.size() + 10);
}

TEST_F(OpenFileTest, PictureFilesDecode) {
  HBITMAP png = LoadPictureFile((dir + "/logo.png").c_str());
  ASSERT_TRUE(png);
  BITMAP bm{};
  GetObject(png, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 40);
  EXPECT_EQ(bm.bmHeight, 30);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, png);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 35, 5), RGB(0, 0, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(png);
  // Cut short or not a picture at all: nothing, and no crash.
  std::ifstream in(dir + "/logo.png", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(dir + "/cut.png", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream(dir + "/cut.jpg", std::ios::binary) << std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
  std::ofstream(dir + "/cut.bmp", std::ios::binary) << std::string("BM\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xFF\x00\x00", 14);
  for (const char* name : {"/cut.png", "/cut.jpg", "/cut.bmp", "/notes.txt", "/missing.png"})
    EXPECT_EQ(LoadPictureFile((dir + name).c_str()), nullptr) << name;
}

}  // namespace
}  // namespace wintest
