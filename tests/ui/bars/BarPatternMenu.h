#pragma once
// A menu window of a given client size that paints a pattern in which every pixel differs from its
// neighbours, and records every move of its window: what an animation frame shows can be told
// apart from any other part of the final image.
#include <cstdint>
#include <vector>

#include "ui/bars/BarSubMenuControl.h"

namespace bartest {

inline std::uint32_t Pattern(int X, int Y) { return (static_cast<std::uint32_t>(X % 256) << 16) | ((Y % 256) << 8) | 77; }

class TPatternMenu : public TdxBarSubMenuControl {
  VW_CLASS(TPatternMenu, TdxBarSubMenuControl)
 public:
  explicit TPatternMenu(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {}
  TSize Client{150, 200};
  std::vector<win::WINDOWPOS> Moves;
  TSize CalcContentSize() override {
    const TRect c = ContentInsets();
    return {Client.cx - c.Left - c.Right, Client.cy - c.Top - c.Bottom};
  }
  // Sized frames, the finishing step included.
  std::vector<win::WINDOWPOS> Frames() const {
    std::vector<win::WINDOWPOS> frames;
    for (const win::WINDOWPOS& p : Moves)
      if (!(p.flags & win::SWP_NOSIZE)) frames.push_back(p);
    return frames;
  }

 protected:
  void Paint() override {
    if (AnimationThread()) return;
    win::HDC dc = Canvas()->Handle();
    for (int y = 0; y < Client.cy; ++y)
      for (int x = 0; x < Client.cx; ++x) {
        const std::uint32_t p = Pattern(x, y);
        win::SetPixelV(dc, x, y, win::RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
      }
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == win::WM_WINDOWPOSCHANGED) Moves.push_back(*reinterpret_cast<win::WINDOWPOS*>(Message.LParam));
    TdxBarSubMenuControl::WndProc(Message);
  }
};

}  // namespace bartest
