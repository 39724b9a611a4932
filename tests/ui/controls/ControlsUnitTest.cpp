#include <atomic>
#include <chrono>
#include <thread>

#include "platform/classes/Thread.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/MessageWindow.h"

namespace {

class ControlUnitTest : public controlstest::ControlsTest {};

TEST_F(ControlUnitTest, TheSystemControllerRunsPendingSynchronisationsOnItsMessage) {
  ASSERT_NE(SystemControllerInstance, nullptr);
  std::atomic<bool> ran{false};
  std::thread worker([&] { TThread::Synchronize(nullptr, [&] { ran = true; }); });
  for (int i = 0; i < 5000 && !ran; ++i) {
    win::SendMessage(SystemControllerInstance->Handle(), DXM_SYNCHRONIZETHREADS, 0, 0);
    if (!ran) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  worker.join();
  EXPECT_TRUE(ran);
}

TEST_F(ControlUnitTest, RegisteredMessagesAreAnsweredZeroByPlainWindows) {
  EXPECT_EQ(SkinQueryMessage, win::RegisterWindowMessage("{B2CE3777-44D8-4998-9701-47BBBC10B656}"));
  EXPECT_EQ(SkinRefreshMessage, win::RegisterWindowMessage("{B2CE3777-44D8-1321-4656-12C54AA613BB}"));
  EXPECT_NE(SkinQueryMessage, SkinRefreshMessage);
  TForm* form = NewForm(0, 0, 50, 50);
  EXPECT_EQ(win::SendMessage(form->Handle(), SkinQueryMessage, 0, 0), 0);
  delete form;
}

}  // namespace
