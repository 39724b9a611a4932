#pragma once
// The library's hint window: shown topmost without taking activation, kept inside the work area,
// optionally animated as the system's tooltips are.
#include <cstdint>

#include "platform/classes/HintWindow.h"

class TcxBaseHintWindow : public THintWindow {
  VW_CLASS(TcxBaseHintWindow, THintWindow)
 public:
  explicit TcxBaseHintWindow(TComponent* AOwner);

  // 0 to 7 pick an AnimateWindow effect, 8 the system's tooltip effect, 9 none.
  std::uint8_t AnimationKind = 8;
  unsigned AnimationTime = 100;
  bool ShowBorder = false;
  win::RECT LastHintRect{};
  bool AlwaysErase = false;
  // Behave exactly as the platform's hint window.
  bool StandardHint = false;

  // Shows Hint in Rect (screen coordinates); nothing when no monitor holds Rect's top-left.
  void ShowHint(win::RECT Rect, const String& Hint);
  void ActivateHint(win::RECT Rect, const String& AHint) override { ShowHint(Rect, AHint); }
  // Kept inside the work area of the monitor of its top-left point.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The kind AnimateShow uses: the system's settings turn animation off or choose fade or slide.
  std::uint8_t EffectiveAnimation() const;

 protected:
  virtual void AdjustHintRect(win::RECT& Rect) { (void)Rect; }
  virtual void ClearWindowRegion();
  virtual void BeforeShowHint() {}
  virtual void StoreHintRect(const win::RECT& Rect) { LastHintRect = Rect; }
  virtual void ShowWithoutActivation();
  void AnimateShow();

  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
};

// The AnimateWindow flags of an animation kind (0 to 7), AW_SLIDE included.
win::DWORD HintAnimationFlags(std::uint8_t Kind);
