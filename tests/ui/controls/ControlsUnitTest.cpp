#include <atomic>
#include <chrono>
#include <iterator>
#include <set>
#include <thread>

#include "platform/classes/Thread.h"
#include "platform/win/Focus.h"
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

namespace {

TEST_F(ControlUnitTest, TheLibraryCursorsStandInTheScreensCursors) {
  const int numbers[] = {crcxDragCopy, crcxFullScroll, crcxHorScroll, crcxVerScroll, crcxUpScroll, crcxRightScroll,
                         crcxDownScroll, crcxLeftScroll, crcxRemove, crcxVertSize, crcxHorzSize, crcxMultiDrag,
                         crcxNoDrop, crcxDrag, crcxColorPicker, crcxMultiDragCopy};
  std::set<win::HCURSOR> distinct;
  for (int n : numbers) {
    win::HCURSOR h = Screen->Cursors(n);
    ASSERT_NE(h, nullptr) << n;
    distinct.insert(h);
  }
  EXPECT_EQ(distinct.size(), std::size(numbers));
  EXPECT_EQ(Screen->Cursors(crcxHandPoint), win::LoadCursor(nullptr, win::IDC_HAND));

  // A control showing the drag-copy cursor puts its picture on the screen.
  TForm* form = NewForm(100, 100, 100, 100);
  form->SetCursor(static_cast<TCursor>(crcxDragCopy));
  MoveMouse(150, 150);
  EXPECT_EQ(Headless().Cursor(), platform::CursorShape::Image);
  delete form;
}

}  // namespace
