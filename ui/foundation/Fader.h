#pragma once
// Hot-track fading: when the mouse enters or leaves a hot-tracked element, its look changes over
// a few frames instead of at once. One process-wide fader runs every cross-fade on a 10 ms timer;
// for each faded object an element keeps the normal and the hot picture and, frame by frame, the
// blend the object shows while the fade runs.
#include <cstdint>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Timer.h"
#include "ui/foundation/GPImage.h"
#include "ui/foundation/Interfaced.h"

// What a faded object shows while a fade runs.
class IdxFadingElementData : public virtual IInterface {
 public:
  static constexpr const char* IID = "{982B842D-FF38-4E6E-B7CE-BB608FE193F7}";
  // Draws the current blend into the DC at R; false when there is none.
  virtual bool DrawWorkImage(win::HDC DC, const win::RECT& R) = 0;
  virtual bool WorkImage(TdxGPImage*& Image) = 0;
};

// An object that can be faded.
class IdxFadingObject : public virtual IInterface {
 public:
  static constexpr const char* IID = "{73AB2A92-CDD9-4F13-965A-DC799DE837F9}";
  virtual bool CanFade() = 0;
  // The object redraws itself (with the element's work image while one is attached).
  virtual void FadingRepaint() = 0;
  virtual void AttachFadingElement(IdxFadingElementData* Data) = 0;
  virtual void DetachFadingElement() = 0;
  // Fills the two pictures (the caller frees them) and may change the timings; delays are in
  // milliseconds per frame.
  virtual void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrameCount,
                                   int& FadeInFrameDelay, int& FadeOutFrameCount, int& FadeOutFrameDelay) = 0;
};

// Towards the hot look, or back to the normal look.
enum TdxFadingState : std::uint8_t { fsFadingIn = 0, fsFadingOut = 1 };

class TdxFader;

class TdxFadingElement : public TcxIUnknownObject, public IdxFadingElementData {
  VW_CLASS(TdxFadingElement, TcxIUnknownObject)
 public:
  static constexpr int DefaultFadeInFrameCount = 4, DefaultFadeInFrameDelay = 15;
  static constexpr int DefaultFadeOutFrameCount = 12, DefaultFadeOutFrameDelay = 20;
  static constexpr int MaxFrameCount = 32, MinFrameDelay = 10, MaxFrameDelay = 300;

  // Takes GDI+ copies of both pictures, hands itself to the object and shows the start picture.
  TdxFadingElement(TdxFader* Owner, TObject* AObject, TdxFadingState AState, TBitmap* NormalImage, TBitmap* HotImage,
                   int FadeInFrameCount, int FadeInFrameDelay, int FadeOutFrameCount, int FadeOutFrameDelay);
  // Leaves the object showing the final picture of the current direction.
  ~TdxFadingElement() override;

  bool DrawWorkImage(win::HDC DC, const win::RECT& R) override;
  bool WorkImage(TdxGPImage*& Image) override;

  // One timer tick; the element frees itself after its last frame.
  void Step();
  void ChangeDirection(TdxFadingState AState);
  int CurrentAlpha() const;

  TObject* FadedObject() const { return FObject; }
  TdxFader* Fader() const { return FOwner; }
  TdxFadingState State() const { return FState; }
  int Stage() const { return FStage; }
  int FadeInFrameCount() const { return FFadeInFrameCount; }
  int FadeInFrameDelay() const { return FFadeInFrameDelay; }
  int FadeOutFrameCount() const { return FFadeOutFrameCount; }
  int FadeOutFrameDelay() const { return FFadeOutFrameDelay; }
  int TicksPerFrame() const { return FTicksPerFrame; }

 private:
  void ClampTimings();
  void ResetDelay();
  int FrameCount(TdxFadingState AState) const { return AState == fsFadingIn ? FFadeInFrameCount : FFadeOutFrameCount; }
  int ReversedStage() const;
  // The previous work image is freed after the repaint, also when the repaint raises.
  void ReplaceWorkImage(TdxGPImage* Image);

  TObject* FObject;
  int FFadeInFrameCount, FFadeInFrameDelay;
  TdxGPImage* FHotImage = nullptr;
  int FFadeOutFrameCount, FFadeOutFrameDelay;
  TdxGPImage* FNormalImage = nullptr;
  int FTicksPerFrame = 1, FTickCounter = 0;
  IdxFadingObject* FFadingObject;
  TdxGPImage* FWorkImage = nullptr;
  TdxFader* FOwner;
  int FStage = 0;
  TdxFadingState FState;
};

// The running elements, oldest first; Clear frees every element.
class TdxFadingList {
 public:
  TdxFadingList() = default;
  TdxFadingList(const TdxFadingList&) = delete;
  TdxFadingList& operator=(const TdxFadingList&) = delete;
  ~TdxFadingList() { Clear(); }

  int Count() const { return static_cast<int>(FItems.size()); }
  TdxFadingElement* ElementAt(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  void Add(TdxFadingElement* Element) { FItems.push_back(Element); }
  void Remove(TdxFadingElement* Element);
  void Clear();

 private:
  std::vector<TdxFadingElement*> FItems;
};

class TdxFader : public TObject {
  VW_CLASS(TdxFader, TObject)
 public:
  static constexpr unsigned TimerInterval = 10;
  static constexpr int DefaultMaxSimultaneousElements = 10;

  // State 0 follows the system's menu-animation setting, 1 always fades, anything else never.
  explicit TdxFader(std::uint8_t AState = 0);
  // Frees every running element (each object is left with its final look).
  ~TdxFader() override;

  void FadeIn(TObject* AObject) { FadeObject(AObject, fsFadingIn); }
  void FadeOut(TObject* AObject) { FadeObject(AObject, fsFadingOut); }
  // Both values of Immediately free the running element.
  void StopFading(TObject* AObject, bool Immediately);

  // Wanted, GDI+ there, and a screen of more than 16 bits a pixel.
  bool CanFadeNow() const;
  // The first running element for the object, or null.
  TdxFadingElement* Find(TObject* AObject) const;
  int ElementCount() const { return FElements.Count(); }
  TdxFadingElement* ElementAt(int Index) const { return FElements.ElementAt(Index); }
  bool TimerEnabled() const { return FTimer->Enabled(); }
  std::uint8_t State() const { return FState; }
  int MaxSimultaneousElements() const { return FMaxSimultaneousElements; }

 private:
  friend class TdxFadingElement;
  void FadeObject(TObject* AObject, TdxFadingState AState);
  bool FadingWanted() const;
  void StartElement(TObject* AObject, TdxFadingState AState);
  void DetachElement(TdxFadingElement* Element);
  void TimerTick(TObject* Sender);
  void TrimAndSchedule();

  std::uint8_t FState;
  TdxFadingList FElements;
  TTimer* FTimer;
  int FMaxSimultaneousElements = DefaultMaxSimultaneousElements;
};

// Takes part in fading for an object that paints itself: the object overrides the three virtual
// methods and, while the helper is not idle, paints DrawFadingImage instead of its usual look.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
  VW_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)
 public:
  TdxFadingObjectHelper() = default;
  // A helper that goes away while it fades stops its fade first.
  ~TdxFadingObjectHelper() override;

  bool CanFade() override { return false; }
  virtual void RepaintOwner() {}
  void PrepareFadingImages(TBitmap*& /*NormalImage*/, TBitmap*& /*HotImage*/, int& /*FadeInFrameCount*/,
                           int& /*FadeInFrameDelay*/, int& /*FadeOutFrameCount*/, int& /*FadeOutFrameDelay*/) override {}

  // No fade runs: the owner paints normally.
  bool IsIdle() const { return FElementData == nullptr; }
  // False when no fade runs.
  bool DrawFadingImage(win::HDC DC, const win::RECT& R);

 private:
  void FadingRepaint() override { RepaintOwner(); }
  void AttachFadingElement(IdxFadingElementData* Data) override { FElementData = Data; }
  void DetachFadingElement() override { FElementData = nullptr; }

  IdxFadingElementData* FElementData = nullptr;
};

// The shared fader; made by FadingUnitStartup, freed by FadingUnitShutdown.
extern TdxFader* FaderInstance;
void FadingUnitStartup();
void FadingUnitShutdown();
