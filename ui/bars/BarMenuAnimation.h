#pragma once
// The opening animation of menu windows that move: unfolding from a corner and sliding out of an
// edge. The menu's final image is painted once into memory; a worker thread paces the frames and
// each frame grows the window and copies the newly exposed strips of the image on the UI thread.
// Fading needs none of this: the window system blends the window in.
#include <atomic>
#include <cstdint>

#include "platform/classes/Thread.h"
#include "platform/gdi/Gdi.h"
#include "ui/foundation/Types.h"

class TcxObjectLink;
class TdxBarSubMenuControl;

// What a menu hands its animation: where the window ends up and how it grows there.
struct TdxBarMenuAnimationParams {
  TdxBarSubMenuControl* Menu = nullptr;
  // maUnfold or maSlide.
  std::uint8_t Kind = 0;
  // Opens toward the left: the right edge stays put.
  bool FromRight = false;
  // Opens upward: the bottom edge stays put.
  bool FromBottom = false;
  int FinalLeft = 0, FinalTop = 0;
  int FinalClientWidth = 0, FinalClientHeight = 0;
  // Window size minus client size.
  int BorderWidth = 0, BorderHeight = 0;
  // The offset between the two growing dimensions.
  int FirstValue = 0;
  int Delta = 0;
  int Step = 0;
  // The part of the client area on screen after the previous frame.
  TRect LastClientRect{};
};

// Fills the growth table of the kind for the final client size already in AParams.
void dxBarFillMenuAnimationTable(TdxBarMenuAnimationParams& AParams);
// The client size of frame AIndex (from 1); the last frame may stop short of the final size.
TSize dxBarMenuAnimationFrameSize(const TdxBarMenuAnimationParams& AParams, int AIndex);

class TdxBarAnimationThread : public TThread {
  VW_CLASS(TdxBarAnimationThread, TThread)
 public:
  // Made suspended and freeing itself when it ends; paints the menu's final image into memory,
  // so it must be made on the UI thread.
  explicit TdxBarAnimationThread(const TdxBarMenuAnimationParams& AParams);
  ~TdxBarAnimationThread() override;
  // From the UI thread, after the menu forgot the thread and the termination handler was taken
  // off. Unfinished, the thread is ended and freed here; with AFinish the window still gets its
  // final place.
  void Stop(bool AFinish);
  int FrameCount() const { return FParams.Step > 0 ? FParams.Delta / FParams.Step : 0; }
  const TdxBarMenuAnimationParams& Params() const { return FParams; }
  // Threads made and not yet freed.
  static int LiveCount() { return FLiveCount; }

 protected:
  void Execute() override;
  void DoTerminate() override;

 private:
  // On the UI thread.
  void DrawFrame(int AIndex);
  void FinishMenu();
  bool MenuGone() const;
  void ReleaseResources();

  TdxBarMenuAnimationParams FParams;
  TcxObjectLink* FMenuLink = nullptr;
  win::HDC FMemDC = nullptr;
  win::HGDIOBJ FPreviousObject = nullptr;
  bool FNeedFinish = true;
  std::atomic<bool> FFramesDone{false};
  static inline std::atomic<int> FLiveCount{0};
};

// Makes the menus animate through the thread (the bar library's start-up), or not.
void dxBarInstallMenuAnimator();
void dxBarRemoveMenuAnimator();
