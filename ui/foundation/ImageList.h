#pragma once
// The library's image list: 32-bit images with per-pixel alpha behind the platform handle, and
// beside it a collection of the same images as bitmaps. The collection is what form descriptions
// store ("ImageInfo", optionally as compressed records), so images keep their alpha; the handle is
// rebuilt from it when a form is read. Drawing goes through DrawImageWithMode: alpha-blended,
// centred or stretched, enabled or disabled.
#include "platform/classes/Collection.h"
#include "platform/classes/ImageList.h"
#include "ui/foundation/Bitmaps.h"

class TcxImageList;

class TcxImageInfo : public TPersistent {
  VW_CLASS(TcxImageInfo, TPersistent)
 public:
  TcxImageInfo();
  ~TcxImageInfo() override;
  // From another TcxImageInfo: image, mask and mask colour.
  void Assign(TPersistent* Source) override;

  TcxBitmap* Image() const { return FImage; }
  TcxBitmap* Mask() const { return FMask; }
  TColor MaskColor() const { return FMaskColor; }
  void SetMaskColor(TColor Value) { FMaskColor = Value; }
  // A copy of the bitmap's picture (null empties it).
  virtual void AssignImage(TBitmap* Bitmap);
  virtual void AssignMask(TBitmap* Bitmap);

 private:
  TcxBitmap* FImage;
  TcxBitmap* FMask;
  TColor FMaskColor = clNone;
};

class TcxImageInfoItem : public TCollectionItem {
  VW_CLASS(TcxImageInfoItem, TCollectionItem)
 public:
  explicit TcxImageInfoItem(TCollection* Collection);
  TcxImageInfoItem(TCollection* Collection, TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  ~TcxImageInfoItem() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TcxImageInfo* ImageInfo() const { return FImageInfo; }
  TBitmap* Image() const { return FImageInfo->Image(); }
  void SetImage(TBitmap* Value) { FImageInfo->AssignImage(Value); }
  TBitmap* Mask() const { return FImageInfo->Mask(); }
  void SetMask(TBitmap* Value) { FImageInfo->AssignMask(Value); }
  TColor MaskColor() const { return FImageInfo->MaskColor(); }
  void SetMaskColor(TColor Value) { FImageInfo->SetMaskColor(Value); }
  bool CompressesData() const;
  void ChangeCompressData(bool Value);

 private:
  TcxImageInfo* FImageInfo;
};

class TcxImageInfoCollection : public TCollection {
  VW_CLASS(TcxImageInfoCollection, TCollection)
 public:
  explicit TcxImageInfoCollection(TcxImageList* ImageList);
  TcxImageInfoItem* Items(int Index) const { return static_cast<TcxImageInfoItem*>(TCollection::Items(Index)); }
  TcxImageInfoItem* AddImage(TBitmap* Image, TBitmap* Mask, TColor MaskColor);
  void MoveItem(int From, int To);
  // -1 empties the collection.
  void DeleteItem(int Index);
  bool CompressData() const { return FCompressData; }
  void ChangeCompressData(bool Value);

 protected:
  TPersistent* GetOwner() override;

 private:
  bool FCompressData = false;
  TcxImageList* FImageList;
};

class TcxImageList : public TDragImageList {
  VW_CLASS(TcxImageList, TDragImageList)
 public:
  explicit TcxImageList(TComponent* AOwner);
  TcxImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TcxImageList() override;
  static void DeclareProperties(TPropTable& t);

  // Image lists of any kind are copied image by image; anything else is ignored.
  void Assign(TPersistent* Source) override;

  // ---- images: each change is made under the change lock and notified once ----
  // The first new index, or -1. A strip adds as many images as the handle cuts from it.
  int AddWithMask(TBitmap* Image, TBitmap* Mask);
  int AddWithMaskColor(TBitmap* Image, TColor MaskColor);
  // Nothing for an index outside 0 .. Count.
  void InsertImages(int Index, TBitmap* Image, TBitmap* Mask);
  // These raise EInvalidOperation for an index outside the list and change nothing then.
  void ReplaceImage(int Index, TBitmap* Image, TBitmap* Mask);
  void MoveImage(int From, int To);
  // -1 deletes all.
  void DeleteImage(int Index);
  void ClearImages() { DeleteImage(-1); }

  // The class library's names for the same, kept in step with the collection here too.
  int Add(TBitmap* Image, TBitmap* Mask) { return AddWithMask(Image, Mask); }
  int AddMasked(TBitmap* Image, TColor MaskColor) { return AddWithMaskColor(Image, MaskColor); }
  void Insert(int Index, TBitmap* Image, TBitmap* Mask);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask) { ReplaceImage(Index, Image, Mask); }
  void Delete(int Index) { DeleteImage(Index); }
  void Clear() { ClearImages(); }
  void Move(int CurIndex, int NewIndex) { MoveImage(CurIndex, NewIndex); }

  // Image and mask (either may be null) of a valid index; nothing otherwise.
  void FetchImage(int Index, TBitmap* Image, TBitmap* Mask);
  static void FetchImageFrom(TCustomImageList* ImageList, int Index, TBitmap* Image, TBitmap* Mask);
  // The handle's image and mask bitmaps: index -1 copies the whole list bitmaps.
  static void ExtractImageInfo(win::HIMAGELIST Handle, int Index, TBitmap* Image, TBitmap* Mask);
  // Bits a pixel of the list's image bitmap; 0 without images.
  static int HandlePixelDepth(win::HIMAGELIST Handle);
  void FillImageInfo(int Index, TcxImageInfo* ImageInfo);
  int AddFromImageInfo(TcxImageInfo* ImageInfo);
  void CopyImagesFromCx(TcxImageList* Source, int First, int Last);
  void CopyImagesFromList(TCustomImageList* Source, int First, int Last);

  void LockChanges() { ++FLockCount; }
  // Nothing at count 0; Notify runs the change notification once the count reaches 0.
  void UnlockChanges(bool Notify = true);
  bool ChangesLocked() const { return FLockCount > 0; }

  bool AlphaBlending() const { return FAlphaBlending; }
  bool CompressData() const { return FImageInfo->CompressData(); }
  void SetCompressData(bool Value) { FImageInfo->ChangeCompressData(Value); }
  int FormatVersion() const { return FFormatVersion; }
  TcxImageInfoCollection* ImageInfo() const { return FImageInfo; }
  win::HIMAGELIST ListHandle() { return Handle(); }
  // A new size empties the list, the collection too.
  void SetWidth(int Value);
  void SetHeight(int Value);

  // Draws into R: the image centred, or stretched to R (not when R has the image's size).
  void DrawImageEx(int Index, TCanvas* Canvas, const TRect& R, win::UINT Style, bool Stretch, bool Smooth,
                   bool Enabled);
  // The collection again from the handle, and the handle again from the collection.
  void RebuildImageInfo();
  void ReloadFromImageInfo();

 protected:
  void Change() override;
  void Initialize() override;
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, win::UINT Style, bool Enabled) override;
  void DefineProperties(TFiler* Filer) override;

 private:
  // Runs Body under the change lock and notifies once; an exception unlocks without notifying.
  template <class F>
  auto Changing(F Body);
  void StoreImageInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor, int Added);
  void CheckIndex(int Index, bool AllowAll = false);
  // A fresh 32-bit masked handle holding what the current one holds.
  void RecreateHandle();

  bool FAlphaBlending = false;
  int FFormatVersion = 0;
  TcxImageInfoCollection* FImageInfo;
  int FLockCount = 0;
  bool FSynchronizing = false;
};

// ---- free routines ------------------------------------------------------------------------------

// Draws Source into all of Dest and tells Dest that it changed.
void CopyBitmapPixels(TBitmap* Dest, TBitmap* Source);
void CopyBitmapWithSize(TBitmap* Dest, TBitmap* Source);
TBitmap* DuplicateBitmap(TBitmap* Bitmap);
win::HBITMAP CopyImageHandle(win::HBITMAP Bitmap);
win::HBITMAP CopyImageViaApi(win::HBITMAP Bitmap);
win::HBITMAP CopyImagePixelwise(win::HBITMAP Bitmap);
// The same number of images and, when there are any, the same stored bytes.
bool ImageListsHaveSameContent(TCustomImageList* List, TCustomImageList* CxList);
// How many images of W x H a picture holds when both its sides are exact multiples; else 1.
int ImageStripCount(TBitmap* Bitmap, int W, int H);
