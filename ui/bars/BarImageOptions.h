#pragma once
// The manager's image options: the five image lists items take their glyphs from, watched so that
// a freed list is dropped, and the options that decide glyph size, transparency and disabled looks.
#include <functional>

#include "platform/classes/Graphics.h"
#include "platform/classes/ImageList.h"
#include "ui/bars/BarComponents.h"

class TcxFreeNotificator;

class TdxBarImageOptions : public TdxBarPersistent {
  VW_CLASS(TdxBarImageOptions, TdxBarPersistent)
 public:
  explicit TdxBarImageOptions(TdxBarManager* ABarManager);
  ~TdxBarImageOptions() override;
  static void DeclareProperties(TPropTable& t);
  // From another image options through the setters, CacheGlyphs left as it is.
  void Assign(TPersistent* Source) override;

  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value) { SetImageList(FDisabledImages, Value, FDisabledImagesLink); }
  TCustomImageList* DisabledLargeImages() const { return FDisabledLargeImages; }
  void SetDisabledLargeImages(TCustomImageList* Value) {
    SetImageList(FDisabledLargeImages, Value, FDisabledLargeImagesLink);
  }
  TCustomImageList* HotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value) { SetImageList(FHotImages, Value, FHotImagesLink); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value) { SetImageList(FImages, Value, FImagesLink); }
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);

  bool CacheGlyphs() const { return FCacheGlyphs; }
  void SetCacheGlyphs(bool Value) { FCacheGlyphs = Value; }
  TColor ImageListBkColor() const { return FImageListBkColor; }
  void SetImageListBkColor(TColor Value) { SetOption(FImageListBkColor, Value); }
  bool LargeIcons() const { return FLargeIcons; }
  void SetLargeIcons(bool Value);
  bool MakeDisabledImagesFaded() const { return FMakeDisabledImagesFaded; }
  void SetMakeDisabledImagesFaded(bool Value) { SetOption(FMakeDisabledImagesFaded, Value); }
  bool SmoothGlyphs() const { return FSmoothGlyphs; }
  void SetSmoothGlyphs(bool Value) { FSmoothGlyphs = Value; }
  bool StretchGlyphs() const { return FStretchGlyphs; }
  void SetStretchGlyphs(bool Value) { FStretchGlyphs = Value; }
  bool UseLargeImagesForLargeIcons() const { return FUseLargeImagesForLargeIcons; }
  void SetUseLargeImagesForLargeIcons(bool Value) { SetOption(FUseLargeImagesForLargeIcons, Value); }
  bool UseLeftBottomPixelAsTransparent() const { return FUseLeftBottomPixelAsTransparent; }
  void SetUseLeftBottomPixelAsTransparent(bool Value) { SetOption(FUseLeftBottomPixelAsTransparent, Value); }

  int GlyphSize() const { return FGlyphSize; }
  // 16 without large icons; with them the large list's width when it is used for them, else 32.
  void CalcGlyphSize();
  bool UsesLargeImages() const { return FUseLargeImagesForLargeIcons && FLargeImages; }
  // One of the lists is still being read.
  bool IsLoading() const;

  // A list's images changed or another list was set.
  std::function<void(TCustomImageList* List)> OnImageListChanged;
  // An option that affects painting or layout changed.
  TNotifyEvent OnChanged;
  // The large icons, or the large list they use, changed.
  TNotifyEvent OnLargeIconsChanged;

 private:
  void SetImageList(TCustomImageList*& Field, TCustomImageList* Value, TChangeLink* Link);
  template <class T>
  void SetOption(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChanged) OnChanged(this);
  }
  void FreeNotification(TComponent* AComponent);

  TCustomImageList* FDisabledImages = nullptr;
  TCustomImageList* FDisabledLargeImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  TChangeLink* FImagesLink;
  TChangeLink* FLargeImagesLink;
  TChangeLink* FHotImagesLink;
  TChangeLink* FDisabledImagesLink;
  TChangeLink* FDisabledLargeImagesLink;
  bool FCacheGlyphs = true;
  int FGlyphSize = 16;
  TColor FImageListBkColor = clFuchsia;
  bool FLargeIcons = false;
  bool FMakeDisabledImagesFaded = false;
  bool FSmoothGlyphs = false;
  bool FStretchGlyphs = true;
  bool FUseLargeImagesForLargeIcons = false;
  bool FUseLeftBottomPixelAsTransparent = true;
  TcxFreeNotificator* FFreeNotificator;
};
