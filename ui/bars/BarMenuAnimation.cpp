// The unfold and slide animations of menu windows: the growth table, the worker that paces the
// frames by the tick counter, and the frames and the finishing step drawn on the UI thread.
#include "ui/bars/BarMenuAnimation.h"

#include <algorithm>
#include <thread>

#include "platform/system/Clock.h"
#include "platform/win/Window.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

constexpr int kUnfoldStep = 8;
constexpr int kSlideStep = 17;

// Where client point (0, 0) of a frame of the size lies in the final image: the menu seems to come
// out of the edge it opens from. Opening upward shows the top-left part whichever way it grows.
TPoint ImageOrigin(const TdxBarMenuAnimationParams& P, int AWidth, int AHeight) {
  if (P.FromBottom) return {0, 0};
  return {P.FromRight ? P.FinalClientWidth - AWidth : 0, P.FinalClientHeight - AHeight};
}

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

}  // namespace

void dxBarFillMenuAnimationTable(TdxBarMenuAnimationParams& AParams) {
  const int w = AParams.FinalClientWidth, h = AParams.FinalClientHeight;
  if (AParams.Kind == maSlide) {
    AParams.FirstValue = 0;
    AParams.LastClientRect = {0, 0, w, 0};
    AParams.Delta = h;
    AParams.Step = kSlideStep;
    return;
  }
  AParams.FirstValue = h - w;
  AParams.LastClientRect = w >= h ? TRect{0, 0, w - h, 0} : TRect{0, 0, 0, h - w};
  AParams.Delta = w >= h ? h : w;
  AParams.Step = kUnfoldStep;
}

TSize dxBarMenuAnimationFrameSize(const TdxBarMenuAnimationParams& AParams, int AIndex) {
  const int a = AIndex * AParams.Step;
  TSize size = AParams.FirstValue < 0 ? TSize{a - AParams.FirstValue, a} : TSize{a, a + AParams.FirstValue};
  if (AParams.Kind == maSlide) size.cx = AParams.FinalClientWidth;
  return size;
}

// ---- the thread -----------------------------------------------------------------------------------

TdxBarAnimationThread::TdxBarAnimationThread(const TdxBarMenuAnimationParams& AParams)
    : TThread(true), FParams(AParams) {
  ++FLiveCount;
  SetFreeOnTerminate(true);
  TdxBarSubMenuControl* menu = FParams.Menu;
  HDC screen = GetDC(menu->Handle());
  FMemDC = CreateCompatibleDC(screen);
  HBITMAP image =
      CreateCompatibleBitmap(screen, std::max(1, FParams.FinalClientWidth), std::max(1, FParams.FinalClientHeight));
  ReleaseDC(menu->Handle(), screen);
  FPreviousObject = SelectObject(FMemDC, image);
  SendMessage(menu->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(FMemDC), PRF_CLIENT);
  FMenuLink = CreateObjectLink(menu);
}

TdxBarAnimationThread::~TdxBarAnimationThread() {
  ReleaseResources();
  --FLiveCount;
}

void TdxBarAnimationThread::ReleaseResources() {
  FreeObjectLink(FMenuLink);
  FMenuLink = nullptr;
  if (FMemDC) {
    DeleteObject(SelectObject(FMemDC, FPreviousObject));
    DeleteDC(FMemDC);
    FMemDC = nullptr;
  }
}

bool TdxBarAnimationThread::MenuGone() const {
  auto* menu = static_cast<TdxBarSubMenuControl*>(FMenuLink ? FMenuLink->LinkedObject : nullptr);
  return !menu || menu->IsDestroying() || !menu->HandleAllocated();
}

void TdxBarAnimationThread::Execute() {
  const int frames = FrameCount();
  for (int i = 1; i <= frames && !Terminated(); ++i) {
    const DWORD tick = GetTickCount();
    // Window moves and drawing belong to the UI thread; the worker only keeps the pace.
    Synchronize([this, i] { DrawFrame(i); });
    Sleep(1);
    while (GetTickCount() == tick && !Terminated()) std::this_thread::yield();
  }
  FFramesDone = true;
}

void TdxBarAnimationThread::DoTerminate() {
  // One synchronised step: the final placement, the menu forgetting the thread, and the GDI
  // objects and object link given back where they were made. Whoever frees the thread afterwards,
  // the worker itself or the stopper, finds nothing of the UI thread's left to release.
  Synchronize([this] {
    if (FNeedFinish) FinishMenu();
    if (OnTerminate) OnTerminate(this);
    ReleaseResources();
  });
}

void TdxBarAnimationThread::DrawFrame(int AIndex) {
  if (Terminated() || MenuGone()) return;
  TdxBarSubMenuControl* menu = FParams.Menu;
  const HWND window = menu->Handle();
  const TSize size = dxBarMenuAnimationFrameSize(FParams, AIndex);
  const int left = FParams.FromRight ? FParams.FinalLeft + FParams.FinalClientWidth - size.cx : FParams.FinalLeft;
  const int top = FParams.FromBottom ? FParams.FinalTop + FParams.FinalClientHeight - size.cy : FParams.FinalTop;

  // The window system here drops a window's pixels when it changes size: the part on screen is
  // kept aside to be moved to its new place after the resize.
  const TRect last = FParams.LastClientRect;
  const int lastWidth = last.Right - last.Left, lastHeight = last.Bottom - last.Top;
  HDC kept = nullptr;
  HGDIOBJ keptPrevious = nullptr;
  if (!IsEmpty(last)) {
    HDC dc = GetDC(window);
    kept = CreateCompatibleDC(dc);
    keptPrevious = SelectObject(kept, CreateCompatibleBitmap(dc, lastWidth, lastHeight));
    BitBlt(kept, 0, 0, lastWidth, lastHeight, dc, last.Left, last.Top, SRCCOPY);
    ReleaseDC(window, dc);
  }
  auto dropKept = [&] {
    if (!kept) return;
    DeleteObject(SelectObject(kept, keptPrevious));
    DeleteDC(kept);
    kept = nullptr;
  };

  SetWindowPos(window, nullptr, left, top, FParams.BorderWidth + size.cx, size.cy + FParams.BorderHeight,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  // Moving the window runs the menu's handlers, which may close it.
  if (MenuGone()) {
    dropKept();
    return;
  }
  HDC dc = GetDC(window);
  HPALETTE palette = menu->LightPalette() ? SelectPalette(dc, menu->LightPalette(), FALSE) : nullptr;
  if (palette) RealizePalette(dc);

  const TPoint now = ImageOrigin(FParams, size.cx, size.cy);
  const TPoint before = ImageOrigin(FParams, lastWidth, lastHeight);
  const TRect client{0, 0, size.cx, size.cy};
  TRect moved{};
  if (kept) {
    moved = {before.X - now.X, before.Y - now.Y, before.X - now.X + lastWidth, before.Y - now.Y + lastHeight};
    BitBlt(dc, moved.Left, moved.Top, lastWidth, lastHeight, kept, 0, 0, SRCCOPY);
  } else {
    moved = {0, 0, 0, 0};
  }
  dropKept();
  // The newly exposed strips around the moved part come from the image.
  const TRect strips[] = {
      {client.Left, client.Top, client.Right, moved.Top},
      {client.Left, moved.Bottom, client.Right, client.Bottom},
      {client.Left, moved.Top, moved.Left, moved.Bottom},
      {moved.Right, moved.Top, client.Right, moved.Bottom},
  };
  if (IsEmpty(moved)) {
    BitBlt(dc, 0, 0, size.cx, size.cy, FMemDC, now.X, now.Y, SRCCOPY);
  } else {
    for (const TRect& r : strips)
      if (!IsEmpty(r))
        BitBlt(dc, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, FMemDC, r.Left + now.X, r.Top + now.Y, SRCCOPY);
  }
  RECT shown{};
  GetClientRect(window, &shown);
  FParams.LastClientRect = shown;
  if (palette) SelectPalette(dc, palette, FALSE);
  UpdateColors(dc);
  ReleaseDC(window, dc);
}

void TdxBarAnimationThread::FinishMenu() {
  if (MenuGone()) return;
  TdxBarSubMenuControl* menu = FParams.Menu;
  menu->SetShowAnimation(false);
  SetWindowPos(menu->Handle(), nullptr, FParams.FinalLeft, FParams.FinalTop,
               FParams.FinalClientWidth + FParams.BorderWidth, FParams.FinalClientHeight + FParams.BorderHeight,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  if (MenuGone()) return;
  // Painted once the menu has forgotten the thread: until then it keeps its painting back.
  RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void TdxBarAnimationThread::Stop(bool AFinish) {
  FNeedFinish = AFinish;
  // Its frames done, the thread frees itself after its termination step, which cannot have run
  // yet: that step runs on this thread.
  if (FFramesDone) return;
  // Free-on-terminate goes off before the wait: the termination step, which the wait serves, is
  // what lets the worker free itself, so it must find the flag off.
  SetFreeOnTerminate(false);
  Terminate();
  try {
    WaitFor();
  } catch (...) {
  }
  TObject::Free(this);
}

// ---- the animator the menus call ------------------------------------------------------------------

namespace {

TObject* StartAnimation(TdxBarSubMenuControl* AMenu) {
  if (!AMenu || !AMenu->HandleAllocated()) return nullptr;
  const TdxBarMenuAnimationParams params = AMenu->AnimationParams();
  auto* thread = TThread::Create<TdxBarAnimationThread>(params);
  thread->OnTerminate = [AMenu, thread](TObject*) {
    if (AMenu->AnimationThread() == thread) AMenu->AnimationEnded();
  };
  thread->Start();
  return thread;
}

void StopAnimation(TObject* AAnimation, bool AFinish) {
  auto* thread = dynamic_cast<TdxBarAnimationThread*>(AAnimation);
  if (!thread) return;
  thread->OnTerminate = nullptr;
  thread->Stop(AFinish);
}

}  // namespace

void dxBarInstallMenuAnimator() { dxBarMenuAnimator = {&StartAnimation, &StopAnimation}; }

void dxBarRemoveMenuAnimator() { dxBarMenuAnimator = {}; }
