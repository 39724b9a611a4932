#include "ui/foundation/Fader.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "ui/foundation/GdiPlusApi.h"

TdxFader* FaderInstance = nullptr;

// ---- TdxFadingElement ----------------------------------------------------------------------

TdxFadingElement::TdxFadingElement(TdxFader* Owner, TObject* AObject, TdxFadingState AState, TBitmap* NormalImage,
                                   TBitmap* HotImage, int FadeInFrameCount, int FadeInFrameDelay,
                                   int FadeOutFrameCount, int FadeOutFrameDelay)
    : FObject(AObject),
      FFadeInFrameCount(FadeInFrameCount),
      FFadeInFrameDelay(FadeInFrameDelay),
      FFadeOutFrameCount(FadeOutFrameCount),
      FFadeOutFrameDelay(FadeOutFrameDelay),
      FFadingObject(dynamic_cast<IdxFadingObject*>(AObject)),
      FOwner(Owner),
      FState(AState) {
  try {
    FNormalImage = GPImageClass()->CreateFromBitmap(NormalImage);
    FHotImage = GPImageClass()->CreateFromBitmap(HotImage);
  } catch (...) {
    delete FNormalImage;
    throw;
  }
  ClampTimings();
  // Attached to the object: from here on the destructor undoes it.
  FFadingObject->AttachFadingElement(this);
  try {
    ReplaceWorkImage((FState == fsFadingIn ? FNormalImage : FHotImage)->Clone());
  } catch (...) {
    FFadingObject->DetachFadingElement();
    delete FWorkImage;
    delete FHotImage;
    delete FNormalImage;
    throw;
  }
}

TdxFadingElement::~TdxFadingElement() {
  // A destructor cannot pass on what a repaint raises; the rest of the clean-up must run anyway.
  try {
    ReplaceWorkImage((FState == fsFadingIn ? FHotImage : FNormalImage)->Clone());
  } catch (...) {
  }
  FOwner->DetachElement(this);
  FFadingObject->DetachFadingElement();
  delete FHotImage;
  delete FNormalImage;
  delete FWorkImage;
  FFadingObject = nullptr;
}

bool TdxFadingElement::DrawWorkImage(win::HDC DC, const win::RECT& R) {
  if (!FWorkImage) return false;
  FWorkImage->PaintToDC(DC, R);
  return true;
}

bool TdxFadingElement::WorkImage(TdxGPImage*& Image) {
  Image = FWorkImage;
  return Image != nullptr;
}

void TdxFadingElement::ClampTimings() {
  auto count = [](int& Value, int Default) {
    Value = Value > 0 ? std::min(Value, MaxFrameCount) : Default;
  };
  auto delay = [](int& Value, int Default) {
    Value = Value >= MinFrameDelay ? std::min(Value, MaxFrameDelay) : Default;
  };
  count(FFadeInFrameCount, DefaultFadeInFrameCount);
  delay(FFadeInFrameDelay, DefaultFadeInFrameDelay);
  count(FFadeOutFrameCount, DefaultFadeOutFrameCount);
  delay(FFadeOutFrameDelay, DefaultFadeOutFrameDelay);
  ResetDelay();
}

void TdxFadingElement::ResetDelay() {
  int delay = FState == fsFadingIn ? FFadeInFrameDelay : FFadeOutFrameDelay;
  FTicksPerFrame = std::max(delay / static_cast<int>(TdxFader::TimerInterval), 1);
  FTickCounter = 0;
}

void TdxFadingElement::Step() {
  FTickCounter = (FTickCounter + 1) % FTicksPerFrame;
  if (FTickCounter != 0) return;
  if (FStage >= FrameCount(FState)) {
    delete this;
    return;
  }
  ++FStage;
  ReplaceWorkImage(FNormalImage->BlendWith(FHotImage, static_cast<win::BYTE>(CurrentAlpha())));
}

int TdxFadingElement::CurrentAlpha() const {
  if (FState == fsFadingIn) return std::min(255, (256 / FFadeInFrameCount) * FStage);
  return std::max(0, 255 - (256 / FFadeOutFrameCount) * FStage);
}

int TdxFadingElement::ReversedStage() const {
  double done = static_cast<double>(FStage) / (FrameCount(FState) + 1);
  int other = FrameCount(FState == fsFadingIn ? fsFadingOut : fsFadingIn);
  // Halves go to the even neighbour.
  return static_cast<int>(std::nearbyint((1.0 - done) * other));
}

void TdxFadingElement::ChangeDirection(TdxFadingState AState) {
  if (AState == FState) return;
  FStage = ReversedStage();
  FState = AState;
  ResetDelay();
}

void TdxFadingElement::ReplaceWorkImage(TdxGPImage* Image) {
  std::unique_ptr<TdxGPImage> previous(FWorkImage);
  FWorkImage = Image;
  if (Image) FFadingObject->FadingRepaint();
}

// ---- TdxFadingList -------------------------------------------------------------------------

void TdxFadingList::Remove(TdxFadingElement* Element) {
  auto it = std::find(FItems.begin(), FItems.end(), Element);
  if (it != FItems.end()) FItems.erase(it);
}

void TdxFadingList::Clear() {
  // Each element leaves the list as it goes; taken out first all the same, so the loop ends.
  while (!FItems.empty()) {
    TdxFadingElement* element = FItems.front();
    FItems.erase(FItems.begin());
    delete element;
  }
}

// ---- TdxFader ------------------------------------------------------------------------------

TdxFader::TdxFader(std::uint8_t AState) : FState(AState), FTimer(new TTimer(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(TimerInterval);
  FTimer->SetOnTimer([this](TObject* Sender) { TimerTick(Sender); });
}

TdxFader::~TdxFader() {
  FElements.Clear();
  TObject::Free(FTimer);
}

bool TdxFader::FadingWanted() const {
  switch (FState) {
    case 0: {
      win::BOOL animation = 0;
      return win::SystemParametersInfo(win::SPI_GETMENUANIMATION, 0, &animation, 0) && animation;
    }
    case 1:
      return true;
    default:
      return false;
  }
}

bool TdxFader::CanFadeNow() const {
  if (!FadingWanted() || !IsGdiPlusAvailable()) return false;
  win::HDC dc = win::GetDC(nullptr);
  int bits = win::GetDeviceCaps(dc, win::BITSPIXEL);
  win::ReleaseDC(nullptr, dc);
  return bits > 16;
}

TdxFadingElement* TdxFader::Find(TObject* AObject) const {
  for (int i = 0; i < FElements.Count(); ++i)
    if (FElements.ElementAt(i)->FadedObject() == AObject) return FElements.ElementAt(i);
  return nullptr;
}

void TdxFader::FadeObject(TObject* AObject, TdxFadingState AState) {
  IdxFadingObject* fadingObject = nullptr;
  if (!CanFadeNow() || !Supports<IdxFadingObject>(AObject, &fadingObject) || !fadingObject->CanFade()) return;
  if (TdxFadingElement* element = Find(AObject))
    element->ChangeDirection(AState);
  else
    StartElement(AObject, AState);
}

void TdxFader::StartElement(TObject* AObject, TdxFadingState AState) {
  int inCount = TdxFadingElement::DefaultFadeInFrameCount, inDelay = TdxFadingElement::DefaultFadeInFrameDelay;
  int outCount = TdxFadingElement::DefaultFadeOutFrameCount, outDelay = TdxFadingElement::DefaultFadeOutFrameDelay;
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  // The element keeps GDI+ copies; the pictures go whatever happens.
  auto freePictures = [&] {
    delete normal;
    delete hot;
  };
  try {
    dynamic_cast<IdxFadingObject*>(AObject)->PrepareFadingImages(normal, hot, inCount, inDelay, outCount, outDelay);
    if (normal && hot && !normal->Empty() && !hot->Empty()) {
      auto* element = new TdxFadingElement(this, AObject, AState, normal, hot, inCount, inDelay, outCount, outDelay);
      FElements.Add(element);
      TrimAndSchedule();
    }
  } catch (...) {
    freePictures();
    throw;
  }
  freePictures();
}

void TdxFader::StopFading(TObject* AObject, bool /*Immediately*/) {
  if (TdxFadingElement* element = Find(AObject)) delete element;
}

void TdxFader::DetachElement(TdxFadingElement* Element) {
  FElements.Remove(Element);
  TrimAndSchedule();
}

void TdxFader::TimerTick(TObject*) {
  // A repaint may stop or start fades: the index is brought back within the list at every step.
  for (int i = FElements.Count() - 1; i >= 0; --i) {
    i = std::min(i, FElements.Count() - 1);
    if (i < 0) break;
    FElements.ElementAt(i)->Step();
  }
}

void TdxFader::TrimAndSchedule() {
  while (FElements.Count() > FMaxSimultaneousElements) delete FElements.ElementAt(0);
  FTimer->SetEnabled(FElements.Count() > 0);
}

// ---- TdxFadingObjectHelper -----------------------------------------------------------------

TdxFadingObjectHelper::~TdxFadingObjectHelper() {
  if (auto* element = dynamic_cast<TdxFadingElement*>(FElementData)) element->Fader()->StopFading(this, true);
}

bool TdxFadingObjectHelper::DrawFadingImage(win::HDC DC, const win::RECT& R) {
  return FElementData && FElementData->DrawWorkImage(DC, R);
}

// ---- unit start-up -------------------------------------------------------------------------

void FadingUnitStartup() {
  if (!FaderInstance) FaderInstance = new TdxFader();
}

void FadingUnitShutdown() { FreeAndNil(FaderInstance); }
