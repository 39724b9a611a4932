#include "ui/bars/BarImageOptions.h"

#include "ui/foundation/Component.h"
#include "ui/foundation/ImageDrawing.h"

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* ABarManager)
    : TdxBarPersistent(ABarManager), FFreeNotificator(new TcxFreeNotificator(nullptr)) {
  FFreeNotificator->OnFreeNotification = [this](TComponent* C) { FreeNotification(C); };
  auto makeLink = [this](TCustomImageList* TdxBarImageOptions::*Field) {
    auto* link = new TChangeLink;
    link->OnChange = [this, Field](TObject*) {
      if (OnImageListChanged) OnImageListChanged(this->*Field);
    };
    return link;
  };
  FImagesLink = makeLink(&TdxBarImageOptions::FImages);
  FLargeImagesLink = makeLink(&TdxBarImageOptions::FLargeImages);
  FHotImagesLink = makeLink(&TdxBarImageOptions::FHotImages);
  FDisabledImagesLink = makeLink(&TdxBarImageOptions::FDisabledImages);
  FDisabledLargeImagesLink = makeLink(&TdxBarImageOptions::FDisabledLargeImages);
  CalcGlyphSize();
}

TdxBarImageOptions::~TdxBarImageOptions() {
  for (TChangeLink* link : {FImagesLink, FLargeImagesLink, FHotImagesLink, FDisabledImagesLink, FDisabledLargeImagesLink})
    delete link;
  TObject::Free(FFreeNotificator);
}

void TdxBarImageOptions::DeclareProperties(TPropTable& t) {
  using O = TdxBarImageOptions;
  t.Add("CacheGlyphs", &O::CacheGlyphs, &O::SetCacheGlyphs).SetDefault(true);
  t.Add("DisabledImages", &O::DisabledImages, &O::SetDisabledImages);
  t.Add("DisabledLargeImages", &O::DisabledLargeImages, &O::SetDisabledLargeImages);
  t.Add("HotImages", &O::HotImages, &O::SetHotImages);
  t.Add("ImageListBkColor", &O::ImageListBkColor, &O::SetImageListBkColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clFuchsia);
  t.Add("Images", &O::Images, &O::SetImages);
  t.Add("LargeIcons", &O::LargeIcons, &O::SetLargeIcons).SetDefault(false);
  t.Add("LargeImages", &O::LargeImages, &O::SetLargeImages);
  t.Add("MakeDisabledImagesFaded", &O::MakeDisabledImagesFaded, &O::SetMakeDisabledImagesFaded).SetDefault(false);
  t.Add("SmoothGlyphs", &O::SmoothGlyphs, &O::SetSmoothGlyphs).SetDefault(false);
  t.Add("StretchGlyphs", &O::StretchGlyphs, &O::SetStretchGlyphs).SetDefault(true);
  t.Add("UseLargeImagesForLargeIcons", &O::UseLargeImagesForLargeIcons, &O::SetUseLargeImagesForLargeIcons)
      .SetDefault(false);
  t.Add("UseLeftBottomPixelAsTransparent", &O::UseLeftBottomPixelAsTransparent, &O::SetUseLeftBottomPixelAsTransparent)
      .SetDefault(true);
}

void TdxBarImageOptions::SetImageList(TCustomImageList*& Field, TCustomImageList* Value, TChangeLink* Link) {
  ReplaceImageListLink(Value, Field, Link, FFreeNotificator);
  // One list may fill two slots: leaving one slot must not stop the watch for the other.
  for (TCustomImageList* list : {FDisabledImages, FDisabledLargeImages, FHotImages, FImages, FLargeImages})
    FFreeNotificator->WatchComponent(list);
}

void TdxBarImageOptions::SetLargeImages(TCustomImageList* Value) {
  if (Value == FLargeImages) return;
  SetImageList(FLargeImages, Value, FLargeImagesLink);
  if (FLargeIcons && FUseLargeImagesForLargeIcons && OnLargeIconsChanged) OnLargeIconsChanged(this);
}

void TdxBarImageOptions::SetLargeIcons(bool Value) {
  if (FLargeIcons == Value) return;
  FLargeIcons = Value;
  if (OnLargeIconsChanged) OnLargeIconsChanged(this);
}

void TdxBarImageOptions::CalcGlyphSize() {
  if (!FLargeIcons)
    FGlyphSize = 16;
  else
    FGlyphSize = UsesLargeImages() ? FLargeImages->Width() : 32;
}

bool TdxBarImageOptions::IsLoading() const {
  for (TCustomImageList* list : {FDisabledImages, FDisabledLargeImages, FHotImages, FImages, FLargeImages})
    if (list && list->HasState(csLoading)) return true;
  return false;
}

void TdxBarImageOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarImageOptions*>(Source);
  if (!source) return TdxBarPersistent::Assign(Source);
  SetDisabledImages(source->FDisabledImages);
  SetDisabledLargeImages(source->FDisabledLargeImages);
  SetHotImages(source->FHotImages);
  SetImageListBkColor(source->FImageListBkColor);
  SetImages(source->FImages);
  SetLargeImages(source->FLargeImages);
  SetLargeIcons(source->FLargeIcons);
  SetMakeDisabledImagesFaded(source->FMakeDisabledImagesFaded);
  FSmoothGlyphs = source->FSmoothGlyphs;
  FStretchGlyphs = source->FStretchGlyphs;
  SetUseLargeImagesForLargeIcons(source->FUseLargeImagesForLargeIcons);
  SetUseLeftBottomPixelAsTransparent(source->FUseLeftBottomPixelAsTransparent);
}

void TdxBarImageOptions::FreeNotification(TComponent* AComponent) {
  // The list is past its own destructor (it already let go of its change links): the slots are
  // cleared without calling back into it.
  auto drop = [&](TCustomImageList*& Field) {
    if (Field != AComponent) return;
    Field = nullptr;
    if (OnImageListChanged) OnImageListChanged(nullptr);
  };
  drop(FDisabledLargeImages);
  drop(FDisabledImages);
  drop(FHotImages);
  drop(FImages);
  drop(FLargeImages);
}
