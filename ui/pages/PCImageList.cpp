#include "ui/pages/PCImageList.h"

#include "ui/pages/PCStrings.h"

TcxPCImageList::TcxPCImageList() : TComponent(nullptr), FChangeLink(std::make_unique<TChangeLink>()) {
  FChangeLink->OnChange = [this](TObject*) { BaseImagesChanged(); };
}

TcxPCImageList::~TcxPCImageList() {
  if (FBaseImageList) {
    FBaseImageList->UnRegisterChanges(FChangeLink.get());
    FBaseImageList->RemoveFreeNotification(this);
  }
}

void TcxPCImageList::SetBaseImageList(TCustomImageList* Value) {
  if (Value == FBaseImageList) return;
  if (FBaseImageList) {
    FBaseImageList->UnRegisterChanges(FChangeLink.get());
    FBaseImageList->RemoveFreeNotification(this);
  }
  FBaseImageList = Value;
  if (FBaseImageList) {
    FBaseImageList->RegisterChanges(FChangeLink.get());
    FBaseImageList->FreeNotification(this);
  }
  BaseImagesChanged();
}

void TcxPCImageList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBaseImageList) {
    FBaseImageList = nullptr;
    BaseImagesChanged();
  }
}

void TcxPCImageList::SetImageRotationAngle(TcxRotationCode Value) {
  if (Value == FImageRotationAngle) return;
  FImageRotationAngle = Value;
  Rebuild();
  if (OnChange) OnChange();
}

void TcxPCImageList::BaseImagesChanged() {
  Rebuild();
  if (OnChange) OnChange();
}

void TcxPCImageList::Rebuild() {
  FRotatedImages.clear();
  if (FImageRotationAngle == rcNone) return;
  FRotatedImages.resize(static_cast<std::size_t>(Count()));
  for (auto& element : FRotatedImages) element.Bitmap = std::make_unique<TcxBitmap32>();
}

int TcxPCImageList::Count() const { return FBaseImageList ? FBaseImageList->Count() : 0; }

TSize TcxPCImageList::ImageSize() const {
  if (!FBaseImageList || FBaseImageList->Width() <= 0 || FBaseImageList->Height() <= 0) return TSize();
  return TSize(FBaseImageList->Width(), FBaseImageList->Height());
}

TSize TcxPCImageList::RotatedImageSize() const {
  TSize size = ImageSize();
  return FImageRotationAngle == rcNone ? size : TSize(size.cy, size.cx);
}

void TcxPCImageList::Draw(TCanvas* Canvas, int X, int Y, int ImageIndex, bool Enabled, TColor BackgroundColor) {
  if (Count() == 0) PCError("TcxPCImageList", "Draw", scxPCNoBaseImages);
  if (ImageIndex < 0 || ImageIndex >= Count())
    PCError("TcxPCImageList", "Draw", scxPCImageListIndexError, {ImageIndex, Count() - 1});
  TSize size = ImageSize();
  if (FImageRotationAngle != rcNone) {
    if (FRotatedImages.size() != static_cast<std::size_t>(Count())) Rebuild();
    TcxPCImageListRotatedImagesElement& element = FRotatedImages[static_cast<std::size_t>(ImageIndex)];
    if (!element.Filled || element.BackgroundColor != BackgroundColor) {
      TcxBitmap32* bitmap = element.Bitmap.get();
      bitmap->Resize(size.cx, size.cy);
      bitmap->Canvas()->Brush()->SetColor(BackgroundColor);
      bitmap->Canvas()->FillRect(TRect(0, 0, size.cx, size.cy));
      if (Native()) bitmap->SetTransparent(true);
      if (OnPrepareBitmap) OnPrepareBitmap(bitmap);
      FBaseImageList->Draw(bitmap->Canvas(), 0, 0, ImageIndex, Enabled);
      RotateBitmapPixels(bitmap, FImageRotationAngle, false);
      element.Filled = true;
      element.BackgroundColor = BackgroundColor;
    }
    Canvas->Draw(X, Y, element.Bitmap.get());
    return;
  }
  if (Native()) {
    FBaseImageList->Draw(Canvas, X, Y, ImageIndex, Enabled);
    return;
  }
  TcxBitmap32 bitmap(size.cx, size.cy);
  bitmap.Canvas()->Font()->Assign(Canvas->Font());
  bitmap.Canvas()->Pen()->Assign(Canvas->Pen());
  bitmap.Canvas()->Brush()->Assign(Canvas->Brush());
  bitmap.Canvas()->Brush()->SetColor(BackgroundColor);
  bitmap.Canvas()->FillRect(TRect(0, 0, size.cx, size.cy));
  if (OnPrepareBitmap) OnPrepareBitmap(&bitmap);
  FBaseImageList->Draw(bitmap.Canvas(), 0, 0, ImageIndex, Enabled);
  Canvas->Draw(X, Y, &bitmap);
}
