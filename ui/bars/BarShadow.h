#pragma once
// The drop shadow that menus and popup bars cast: up to five thin strips along the window's right
// and bottom edges, each a window of its own that lies right behind the casting window. Where the
// window touches the element it dropped from (a toolbar button, a menu item), the strips go round
// both, so the seam between them stays free of shadow.
//
// On a screen of more than 8 bits a pixel with layered windows, a strip is 4 pixels thick and
// fades from the edge outwards (alpha 60, 45, 30, 15); its ends near a corner fade in as well.
// Otherwise a strip is a plain 2-pixel line.
#include <array>

#include "platform/classes/Controls.h"
#include "ui/foundation/Bitmaps.h"

class TdxBarShadow;

// Whether shadow strips are layered windows: the entry point is bound and the screen shows more
// than 8 bits a pixel. Asked anew on every call.
bool BarShadowLayered();
// 4 pixels when layered, else 2.
int BarShadowStripThickness();

// Faded ends of a strip.
constexpr int dxBarShadowFadeLeft = 1, dxBarShadowFadeRight = 2, dxBarShadowFadeTop = 4;
// Strip kinds: below an edge (horizontal) or right of an edge (vertical).
constexpr int dxBarShadowBelow = 0, dxBarShadowRight = 1;

// One strip. It never paints and never takes the mouse: a click on it reaches the window beneath.
class TdxBarShadowPart : public TCustomControl {
  VW_CLASS(TdxBarShadowPart, TCustomControl)
 public:
  TdxBarShadowPart(TdxBarShadow* AShadow, int AStripKind, int AFadedEnds);
  ~TdxBarShadowPart() override;

  using TCustomControl::SetBounds;
  // Places the strip, builds its picture and, while the shadow is shown, shows it there.
  void SetBounds(const TRect& R);
  // Shows the strip right behind the casting window, without activating anything.
  void ShowStrip();
  // Hides the strip and lets its window go.
  void HideStrip();

  int StripKind() const { return FStripKind; }
  int FadedEnds() const { return FFadedEnds; }
  TdxBarShadow* OwningShadow() const { return FOwningShadow; }
  // The strip's black pixels with their alpha; empty until built.
  TcxBitmap32* AlphaImage() const { return FAlphaImage; }
  // A strip with faded ends narrower or lower than the strip thickness is neither built nor shown.
  bool Buildable() const;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  void BuildImage();

  int FFadedEnds;
  TcxBitmap32* FAlphaImage;
  int FStripKind;
  TdxBarShadow* FOwningShadow;
};

class TdxBarShadow : public TObject {
  VW_CLASS(TdxBarShadow, TObject)
 public:
  static constexpr int MaxParts = 5;

  explicit TdxBarShadow(TWinControl* ACastingWindow);
  ~TdxBarShadow() override;

  // The element the window dropped from and the window, both on the screen; an empty owner
  // rectangle casts the shadow of the window alone. Every call makes the strips anew.
  void SetBounds(const TRect& AOwnerRect, const TRect& AWindowRect);
  void RebuildStrips();
  bool Shown() const { return FShown; }
  // Shows or hides the strips as they are.
  void SetShown(bool Value);

  TWinControl* CastingWindow() const { return FCastingWindow; }
  bool HorizontalSeam() const { return FHorizontalSeam; }
  // The upper (horizontal seam) or left of the two touching rectangles, and the other one.
  const TRect& FirstRect() const { return FFirstRect; }
  const TRect& SecondRect() const { return FSecondRect; }
  // The strips in the order they were made; nil for an unused slot.
  TdxBarShadowPart* Parts(int Index) const { return FParts[static_cast<std::size_t>(Index)]; }
  int PartCount() const;

 private:
  void AddPart(const TRect& R, int AStripKind, int AFadedEnds);
  void DestroyParts();

  bool FHorizontalSeam = false;
  TWinControl* FCastingWindow;
  std::array<TdxBarShadowPart*, MaxParts> FParts{};
  bool FShown = false;
  TRect FFirstRect{}, FSecondRect{};
};
