#pragma once
// The tab images of a tab control: the user's image list, drawn straight or turned with the text.
// Turned images are kept per image, made once for the background colour they were drawn on.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ImageList.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/Canvas.h"

struct TcxPCImageListRotatedImagesElement {
  bool Filled = false;
  std::unique_ptr<TcxBitmap32> Bitmap;
  TColor BackgroundColor = clNone;
};
using TcxPCImageListRotatedImagesElementArray = std::vector<TcxPCImageListRotatedImagesElement>;

class TcxPCImageList : public TComponent {
  VW_CLASS(TcxPCImageList, TComponent)
 public:
  TcxPCImageList();
  ~TcxPCImageList() override;

  TCustomImageList* BaseImageList() const { return FBaseImageList; }
  void SetBaseImageList(TCustomImageList* Value);
  // rcNone draws the images as they are.
  TcxRotationCode ImageRotationAngle() const { return FImageRotationAngle; }
  void SetImageRotationAngle(TcxRotationCode Value);

  // The base list's image size when both are above 0, else 0 by 0; RotatedImageSize swaps it
  // when the images are turned.
  TSize ImageSize() const;
  TSize RotatedImageSize() const;
  int Count() const;

  // Raises "TcxPCImageList.Draw: ..." without images or for an index outside them.
  void Draw(TCanvas* Canvas, int X, int Y, int ImageIndex, bool Enabled, TColor BackgroundColor);

  // The control relayouts; the painter may prepare a bitmap's background; native styles draw the
  // images straight.
  std::function<void()> OnChange;
  std::function<void(TBitmap* Bitmap)> OnPrepareBitmap;
  std::function<bool()> IsNativePainting;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void BaseImagesChanged();
  void Rebuild();
  bool Native() const { return IsNativePainting && IsNativePainting(); }

  TCustomImageList* FBaseImageList = nullptr;
  std::unique_ptr<TChangeLink> FChangeLink;
  TcxRotationCode FImageRotationAngle = rcNone;
  TcxPCImageListRotatedImagesElementArray FRotatedImages;
};
