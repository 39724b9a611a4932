#include "dialogs/SubtitleWindow.h"

#include <algorithm>

#include "platform/win/Focus.h"

using namespace win;

namespace {

// How far from an edge a press sizes the window, and how deep the band is that drags it.
constexpr int kEdge = 2;
constexpr int kDragBand = 50;

}  // namespace

TSubtitleWindow::TSubtitleWindow(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TSubtitleWindow::FormCreate);
  RegisterHandler("FormShow", &TSubtitleWindow::FormShow);
  RegisterHandler("FormMouseMove", &TSubtitleWindow::FormMouseMove);
  RegisterHandler("FormMouseUp", &TSubtitleWindow::FormMouseUp);
  RegisterHandler("rzmrqstsTextMouseMove", &TSubtitleWindow::rzmrqstsTextMouseMove);
  RegisterHandler("rzmrqstsTextMouseUp", &TSubtitleWindow::rzmrqstsTextMouseUp);
}

void TSubtitleWindow::Loaded() {
  TForm::Loaded();
  rzmrqstsText = dynamic_cast<TRzMarqueeStatus*>(FindComponent("rzmrqstsText"));
  rzmrqstsText1 = dynamic_cast<TRzMarqueeStatus*>(FindComponent("rzmrqstsText1"));
  rzmrqstsText2 = dynamic_cast<TRzMarqueeStatus*>(FindComponent("rzmrqstsText2"));
}

void TSubtitleWindow::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // Independent of the consoles: no owner among the program's windows, no task-bar button.
  Params.Style = (Params.Style | WS_POPUP | WS_CLIPCHILDREN) & ~(WS_CAPTION | WS_THICKFRAME);
  Params.WndParent = GetDesktopWindow();
  Params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TSubtitleWindow::ConfigureSubtitle(const String& Text, const String& FontName, const String& FontColorName,
                                        TColor BackColor, int FontSize, int Interval, bool KeepColor) {
  rzmrqstsText->SetCaption(Text);
  rzmrqstsText->Font()->SetName(FontName);
  rzmrqstsText->Font()->SetSize(FontSize);
  rzmrqstsText->Font()->SetColor(StringToColor(FontColorName));
  if (Interval < 1) {
    rzmrqstsText->SetScrollType(rzmrqstsText1->ScrollType());
  } else {
    rzmrqstsText->SetScrollType(rzmrqstsText2->ScrollType());
    // The pane's delay is 16-bit; a longer one is as slow as it can go.
    rzmrqstsText->SetScrollDelay(static_cast<std::uint16_t>(std::min(Interval, 65535)));
  }
  if (!KeepColor) rzmrqstsText->SetFillColor(BackColor);
}

bool TSubtitleWindow::OnScreen() { return HandleAllocated() && IsWindowVisible(Handle()); }

void TSubtitleWindow::FormCreate(TObject*) {}

void TSubtitleWindow::FormShow(TObject*) {
  // A step in proportion to the screen, so the text crosses any screen in about the same time.
  rzmrqstsText->SetScrollSize(static_cast<std::uint16_t>(Screen->WorkAreaWidth() / 600));
}

void TSubtitleWindow::StartDrag() {
  // The move loop follows the mouse while its left button is down and ends at once otherwise.
  win::ReleaseCapture();
  SendMessage(Handle(), WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
}

void TSubtitleWindow::FormMouseMove(TObject*, TShiftState, int, int) { StartDrag(); }
void TSubtitleWindow::rzmrqstsTextMouseMove(TObject*, TShiftState, int, int) { StartDrag(); }

// The hit test refits the pane, whatever point it is asked about.
void TSubtitleWindow::FormMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  SendMessage(Handle(), WM_NCHITTEST, 0, 0);
}
void TSubtitleWindow::rzmrqstsTextMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  SendMessage(Handle(), WM_NCHITTEST, 0, 0);
}

void TSubtitleWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    WMNCHitTest(Message);
    return;
  }
  TForm::Dispatch(Message);
}

void TSubtitleWindow::WMNCHitTest(TMessage& Message) {
  TForm::Dispatch(Message);
  // A window without a frame: its outermost pixels size it, its top band drags it.
  const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
  const int L = Left(), T = Top(), W = Width(), H = Height();
  const bool left = x <= L + kEdge, right = x >= L + W - kEdge;
  const bool top = y <= T + kEdge, bottom = y >= T + H - kEdge;
  if (right && bottom) Message.Result = HTBOTTOMRIGHT;
  else if (left && bottom) Message.Result = HTBOTTOMLEFT;
  else if (left && top) Message.Result = HTTOPLEFT;
  else if (right && top) Message.Result = HTTOPRIGHT;
  else if (x >= L && left && !top) Message.Result = HTLEFT;
  else if (right) Message.Result = HTRIGHT;
  else if (top) Message.Result = HTTOP;
  else if (bottom) Message.Result = HTBOTTOM;
  else if (x >= L && y <= T + kDragBand) Message.Result = HTCAPTION;
  // The pane reaches past every edge, so that its own frame and border never show.
  if (rzmrqstsText) rzmrqstsText->SetBounds(-8, -8, ClientWidth() + 19, ClientHeight() + 16);
}
