// The frame of a sizable drop-down window: border, panel, size grip and close button, drawn into
// the window DC of a window whose non-client area holds a one-pixel border and a 20-pixel panel.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarDropDownFrame.h"
#include "ui/bars/BarPainters.h"
#include "platform/system/Version.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Geometry.h"

namespace {

using namespace win;

constexpr int kBorder = 1;

// A popup of the form at (100, 100), 200 x 150, whose client area leaves room for the frame: the
// border all round and the panel (20 pixels unless asked otherwise) at the top or the bottom. Its
// own non-client painting is none.
class TDropDownTestWindow : public TCustomControl {
  VW_CLASS(TDropDownTestWindow, TCustomControl)
 public:
  TDropDownTestWindow(TForm* AForm, bool ATopPanel, int APanel)
      : TCustomControl(nullptr), FForm(AForm), FTopPanel(ATopPanel), FPanel(APanel) {
    SetBounds(100, 100, 200, 150);
  }
  void Paint() override {
    RECT r = ClientRect();
    FillRect(Canvas()->Handle(), &r, GetSysColorBrush(COLOR_WINDOW));
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.WndParent = FForm->Handle();
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_NCCALCSIZE) {
      auto* r = reinterpret_cast<RECT*>(Message.LParam);
      r->left += kBorder;
      r->right -= kBorder;
      r->top += kBorder + (FTopPanel ? FPanel : 0);
      r->bottom -= kBorder + (FTopPanel ? 0 : FPanel);
      Message.Result = 0;
      return;
    }
    if (Message.Msg == WM_NCPAINT) {
      Message.Result = 0;
      return;
    }
    TCustomControl::WndProc(Message);
  }

 private:
  TForm* FForm;
  bool FTopPanel;
  int FPanel;
};

class BarDropDownFrameTest : public BarItemControlFixture {
 protected:
  void TearDown() override {
    TObject::Free(Window);
    BarItemControlFixture::TearDown();
  }
  void Open(bool TopPanel, int Panel = 20) {
    TObject::Free(Window);
    Form->Show();
    Window = new TDropDownTestWindow(Form, TopPanel, Panel);
    ShowWindow(Window->Handle(), SW_SHOWNOACTIVATE);
    Window->Update();
  }
  // Draws the frame and answers the outputs in window coordinates.
  void Draw(bool Panel, bool Flat, bool Hot, bool Down, TcxGripCorner Corner) {
    DrawDropDownFrame(Window->Handle(), Panel, Flat, Hot, Down, Grip, Close, Corner);
    for (TRect* r : {&Grip, &Close})
      if (*r != TRect{}) *r = ShiftRect(*r, 100, 100, false);
  }
  COLORREF At(int X, int Y) const {
    HDC dc = GetWindowDC(Window->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Window->Handle(), dc);
    return c;
  }
  static COLORREF Sys(TColor C) { return ColorToRGB(C); }

  TDropDownTestWindow* Window = nullptr;
  TRect Grip, Close;
};

TEST_F(BarDropDownFrameTest, PanelGripAndCloseButtonByCorner) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSIZE), 18);
  const int g = GetSystemMetrics(SM_CXVSCROLL), gh = GetSystemMetrics(SM_CYHSCROLL);

  // Bottom-right grip: the panel below the client area, the close button at its left end.
  Open(false);
  Draw(true, false, false, false, TcxGripCorner::BottomRight);
  EXPECT_EQ(Grip, (TRect{199 - g, 149 - gh, 199, 149}));
  EXPECT_EQ(Close, (TRect{3, 132, 18, 147})) << "15 x 15: 16 made odd, centred, one pixel lower";
  EXPECT_EQ(At(50, 129), Sys(clWindowFrame)) << "the line between panel and client";
  EXPECT_EQ(At(50, 140), Sys(clBtnFace)) << "the rest of the panel";
  EXPECT_EQ(At(50, 128), Sys(clWindow)) << "the client area is left alone";
  EXPECT_EQ(At(2, 140), Sys(clBtnFace)) << "the strip beside the button";
  EXPECT_EQ(At(3, 132), Sys(clBtnFace)) << "a plain button's frame";
  SaveScreenArea("bars/dropdown-frame-bottom-right.png", {90, 90, 310, 260});

  // Top-left grip: the panel above, the close button at its right end.
  Open(true);
  Draw(true, false, false, false, TcxGripCorner::TopLeft);
  EXPECT_EQ(Grip, (TRect{1, 1, 1 + g, 1 + gh}));
  EXPECT_EQ(Close, (TRect{182, 3, 197, 18}));
  EXPECT_EQ(At(50, 20), Sys(clWindowFrame)) << "the line under the panel";
  EXPECT_EQ(At(50, 21), Sys(clWindow));

  // A panel 5 pixels high holds a 1-pixel button; 4 pixels hold none, and no rectangle comes back.
  Open(false, 5);
  Draw(true, false, false, false, TcxGripCorner::BottomLeft);
  EXPECT_EQ(Close, (TRect{196, 147, 197, 148}));
  Open(false, 4);
  Draw(true, false, false, false, TcxGripCorner::BottomLeft);
  EXPECT_EQ(Close, TRect{});
  EXPECT_EQ(Grip, (TRect{1, 149 - gh, 1 + g, 149})) << "the grip keeps its size and overhangs the panel";
}

TEST_F(BarDropDownFrameTest, WithoutAPanelOnlyTheBorder) {
  Open(false);
  Grip = Close = {1, 2, 3, 4};
  DrawDropDownFrame(Window->Handle(), false, true, false, false, Grip, Close, TcxGripCorner::BottomRight);
  EXPECT_EQ(Grip, TRect{});
  EXPECT_EQ(Close, TRect{});
  EXPECT_EQ(At(0, 0), Sys(clBtnShadow));
  EXPECT_EQ(At(199, 149), Sys(clBtnShadow));
  EXPECT_NE(At(50, 140), Sys(clBtnFace)) << "the panel is not drawn";
}

TEST_F(BarDropDownFrameTest, BorderColoursAndTheCloseButtonsEdges) {
  Open(false);
  struct Row {
    bool Flat, Hot, Down;
    COLORREF Border, TopLeft, BottomRight;
  };
  const Row rows[] = {
      {false, false, false, Sys(clWindowFrame), Sys(clBtnFace), Sys(clBtnFace)},
      {true, true, true, Sys(clBtnShadow), Sys(clBtnFace), Sys(clBtnFace)},
      {false, true, false, Sys(clWindowFrame), Sys(clBtnHighlight), Sys(clBtnShadow)},
      {false, false, true, Sys(clWindowFrame), Sys(clBtnHighlight), Sys(clBtnShadow)},
      {false, true, true, Sys(clWindowFrame), Sys(clBtnShadow), Sys(clBtnHighlight)},
  };
  std::vector<COLORREF> glyphs;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "flat " << row.Flat << " hot " << row.Hot << " down " << row.Down);
    Draw(true, row.Flat, row.Hot, row.Down, TcxGripCorner::BottomRight);
    EXPECT_EQ(At(0, 0), row.Border);
    EXPECT_EQ(At(0, 75), row.Border);
    EXPECT_EQ(At(50, 129), row.Border) << "the separating line";
    EXPECT_EQ(At(Close.Left, Close.Top), row.TopLeft);
    EXPECT_EQ(At(Close.Right - 1, Close.Bottom - 1), row.BottomRight);
    EXPECT_EQ(At(Close.Left + 1, Close.Top + 1), Sys(clBtnFace)) << "the second frame inside";
    // The cross's centre pixel: moved when the frame control is pushed.
    glyphs.push_back(At(Close.Left + 7, Close.Top + 7) | (At(Close.Left + 8, Close.Top + 8) << 1));
    if (row.Hot && !row.Flat)
      SaveScreenArea(std::string("bars/dropdown-frame-close-") + (row.Down ? "pushed" : "hot") + ".png",
                     {98, 225, 130, 252}, 8);
  }
  EXPECT_EQ(glyphs[2], glyphs[3]) << "hot alone and down alone draw the same button";
  EXPECT_EQ(glyphs[0], glyphs[1]) << "flat: never pushed";
}

TEST_F(BarDropDownFrameTest, TheWindowDCAndThePaintCanvasLevelGoBack) {
  Open(false);
  const DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  Draw(true, false, true, true, TcxGripCorner::TopRight);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
  EXPECT_EQ(PaintCanvasInstance()->LevelCount(), 0);
  // A window that is gone gives no DC to draw into: the drawing raises and leaves nothing behind.
  HWND gone = Window->Handle();
  Window->DestroyHandle();
  TRect grip, close;
  EXPECT_ANY_THROW(DrawDropDownFrame(gone, true, false, false, false, grip, close, TcxGripCorner::TopRight));
  EXPECT_EQ(PaintCanvasInstance()->LevelCount(), 0);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
}

TEST_F(BarDropDownFrameTest, PaintersPassTheirLookOn) {
  Open(false);
  TdxBarStandardPainter standard;
  TdxBarFlatPainter flat;
  TdxBarOffice11Painter office11;
  struct Row {
    TdxBarPainter* Painter;
    TColor Border;
  };
  for (const Row& row : {Row{&standard, clWindowFrame}, Row{&flat, clBtnShadow}, Row{&office11, clBtnShadow}}) {
    SCOPED_TRACE(row.Painter->ClassName());
    TRect grip, close;
    row.Painter->DrawDropDownWindowFrame(Window->Handle(), true, false, false, grip, close, TcxGripCorner::BottomRight);
    EXPECT_EQ(At(0, 0), Sys(row.Border));
    EXPECT_EQ(close, (TRect{103, 232, 118, 247})) << "on the screen";
    EXPECT_EQ(grip.Right, 299);
  }
}

}  // namespace
