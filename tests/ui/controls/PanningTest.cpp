// Middle-button panning's rules: direction and speed from the pointer's offset, the scrolling
// ticks, and the cursors and anchor pictures for the bars present.
#include "ui/controls/Panning.h"

#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "ui/controls/ControlsUnit.h"

namespace {

const TRect kScreen(0, 0, 1024, 768);
const TPoint kStart(500, 400);

TEST(Panning, DirectionAndSpeedFromTheOffset) {
  struct Case {
    const char* what;
    TPoint at;
    TcxPanBars bars;
    TcxPanDirection direction;
    int speed;
  } cases[] = {
      {"resting on the anchor", {510, 410}, {true, true}, pdNone, 0},
      {"just inside the zone", {515, 384}, {true, true}, pdNone, 0},
      {"20 below", {500, 420}, {true, true}, pdDown, 1},
      {"40 below", {500, 440}, {true, true}, pdDown, 5},
      {"70 below", {500, 470}, {true, true}, pdDown, 11},
      {"71 below", {500, 471}, {true, true}, pdDown, 12},
      {"far above", {500, 0}, {true, true}, pdUp, 12},
      {"more across than down", {530, 420}, {true, true}, pdRight, 3},
      {"diagonal goes vertical", {470, 370}, {true, true}, pdUp, 3},
      {"left", {460, 400}, {true, true}, pdLeft, 5},
      {"only the vertical bar: across is neutral", {900, 400}, {false, true}, pdNone, 0},
      {"only the vertical bar: down", {900, 440}, {false, true}, pdDown, 5},
      {"only the horizontal bar: down is neutral", {500, 700}, {true, false}, pdNone, 0},
      {"only the horizontal bar: left", {460, 700}, {true, false}, pdLeft, 5},
  };
  for (const Case& c : cases) {
    TcxPanState s = PanStateAt(kStart, c.at, 32, c.bars, kScreen);
    EXPECT_EQ(s.Direction, c.direction) << c.what;
    EXPECT_EQ(s.Speed, c.speed) << c.what;
    EXPECT_EQ(s.Outside, c.direction != pdNone) << c.what;
  }
}

TEST(Panning, TicksThatScroll) {
  // Speed 1 scrolls every 12th tick of 20 ms: every 240 ms; speed 12 every tick; speed 0 never.
  int scrolled = 0;
  for (int tick = 1; tick <= 24; ++tick) scrolled += PanTickScrolls(tick, 1);
  EXPECT_EQ(scrolled, 2);
  EXPECT_TRUE(PanTickScrolls(12, 1));
  EXPECT_FALSE(PanTickScrolls(11, 1));
  for (int tick = 1; tick <= 5; ++tick) EXPECT_TRUE(PanTickScrolls(tick, 12));
  EXPECT_FALSE(PanTickScrolls(12, 0));
  EXPECT_EQ(kPanTimerInterval * 12, 240u);
}

TEST(Panning, CursorsAndAnchorPictures) {
  EXPECT_EQ(PanCursor(pdNone, {true, true}), crcxFullScroll);
  EXPECT_EQ(PanCursor(pdNone, {true, false}), crcxHorScroll);
  EXPECT_EQ(PanCursor(pdNone, {false, true}), crcxVerScroll);
  EXPECT_EQ(PanCursor(pdUp, {true, true}), 2104);
  EXPECT_EQ(PanCursor(pdRight, {true, true}), 2105);
  EXPECT_EQ(PanCursor(pdDown, {false, true}), 2106);
  EXPECT_EQ(PanCursor(pdLeft, {true, false}), 2107);
  EXPECT_STREQ(PanAnchorBitmapName({true, true}), "CX_FULLSCROLLBITMAP");
  EXPECT_STREQ(PanAnchorBitmapName({true, false}), "CX_HORSCROLLBITMAP");
  EXPECT_STREQ(PanAnchorBitmapName({false, true}), "CX_VERSCROLLBITMAP");
  // The pictures are the program's resources.
  for (TcxPanBars bars : {TcxPanBars{true, true}, TcxPanBars{true, false}, TcxPanBars{false, true}}) {
    win::HBITMAP picture = win::LoadBitmap(win::GetModuleHandle(nullptr), PanAnchorBitmapName(bars));
    ASSERT_NE(picture, nullptr) << PanAnchorBitmapName(bars);
    win::BITMAP info;
    win::GetObject(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 32);
    win::DeleteObject(picture);
  }
}

}  // namespace
