#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/classes/MediaPlayer.h"
#include "tests/support/Artifacts.h"

namespace {

TEST(MediaPlayer, OpenReportsTheDevicesFailureAndTheOtherCallsNeedAnOpenDevice) {
  TComponent form(nullptr);
  auto* mp = new TMediaPlayer(&form);
  auto* panel = new TCustomControl(&form);
  mp->SetDisplay(panel);

  mp->SetFileName(testsupport::ArtifactPath("no-such-video.wmv"));
  try {
    mp->Open();
    FAIL() << "a missing file opened";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "The specified file cannot be found. Make sure the path and filename are correct.");
  }
  EXPECT_EQ(mp->Error(), 275);

  String path = testsupport::ArtifactPath("lo.wmv");
  std::ofstream(path) << "not really a video";
  mp->SetFileName(path);
  EXPECT_THROW(mp->Open(), EMCIDeviceError);
  EXPECT_EQ(mp->Error(), 304);
  std::remove(path.c_str());

  EXPECT_THROW(mp->Play(), EMCIDeviceError);
  EXPECT_THROW(mp->SetDisplayRect(win::RECT{0, 0, 720, 576}), EMCIDeviceError);
  EXPECT_EQ(mp->Error(), 263);
  mp->Close();
  EXPECT_EQ(mp->Error(), 0);
  EXPECT_EQ(mp->Mode(), mpNotReady);

  delete panel;
  EXPECT_EQ(mp->Display(), nullptr);
}

}  // namespace
