#include "ui/foundation/ImageList.h"

#include <algorithm>
#include <memory>

#include "platform/classes/Filer.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ImageDrawing.h"

using namespace win;

// ---- TcxImageInfo -------------------------------------------------------------------------------------

TcxImageInfo::TcxImageInfo() : FImage(new TcxBitmap), FMask(new TcxBitmap) {}

TcxImageInfo::~TcxImageInfo() {
  delete FImage;
  delete FMask;
}

namespace {

// The target gets its own copy of the picture (null empties it).
void CopyBitmapInto(TcxBitmap* Target, TBitmap* Source) {
  Target->Assign(Source);
  Target->Handle();
}

}  // namespace

void TcxImageInfo::AssignImage(TBitmap* Bitmap) { CopyBitmapInto(FImage, Bitmap); }

void TcxImageInfo::AssignMask(TBitmap* Bitmap) { CopyBitmapInto(FMask, Bitmap); }

void TcxImageInfo::Assign(TPersistent* Source) {
  if (auto* info = dynamic_cast<TcxImageInfo*>(Source)) {
    AssignImage(info->Image());
    AssignMask(info->Mask());
    FMaskColor = info->MaskColor();
    return;
  }
  inherited::Assign(Source);
}

// ---- items and collection -------------------------------------------------------------------------

TcxImageInfoItem::TcxImageInfoItem(TCollection* Collection)
    : TCollectionItem(Collection), FImageInfo(new TcxImageInfo) {
  if (auto* c = dynamic_cast<TcxImageInfoCollection*>(Collection)) ChangeCompressData(c->CompressData());
}

TcxImageInfoItem::TcxImageInfoItem(TCollection* Collection, TBitmap* Image, TBitmap* Mask, TColor MaskColor)
    : TcxImageInfoItem(Collection) {
  SetImage(Image);
  SetMask(Mask);
  SetMaskColor(MaskColor);
}

TcxImageInfoItem::~TcxImageInfoItem() { delete FImageInfo; }

void TcxImageInfoItem::DeclareProperties(TPropTable& t) {
  t.Add("Image", &TcxImageInfoItem::Image, &TcxImageInfoItem::SetImage);
  t.Add("Mask", &TcxImageInfoItem::Mask, &TcxImageInfoItem::SetMask);
  t.Add("MaskColor", &TcxImageInfoItem::MaskColor, &TcxImageInfoItem::SetMaskColor)
      .Idents(&ColorToIdent, &IdentToColor)
      .SetDefault(clNone);
}

void TcxImageInfoItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TcxImageInfoItem*>(Source)) {
    FImageInfo->Assign(item->ImageInfo());
    return;
  }
  inherited::Assign(Source);
}

bool TcxImageInfoItem::CompressesData() const {
  return FImageInfo->Image()->CompressData() && FImageInfo->Mask()->CompressData();
}

void TcxImageInfoItem::ChangeCompressData(bool Value) {
  if (Value == CompressesData()) return;
  FImageInfo->Image()->SetCompressData(Value);
  FImageInfo->Mask()->SetCompressData(Value);
}

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* ImageList)
    : TCollection(TcxImageInfoItem::StaticClass()), FImageList(ImageList) {}

TPersistent* TcxImageInfoCollection::GetOwner() { return FImageList; }

TcxImageInfoItem* TcxImageInfoCollection::AddImage(TBitmap* Image, TBitmap* Mask, TColor MaskColor) {
  auto* item = static_cast<TcxImageInfoItem*>(Add());
  item->SetImage(Image);
  item->SetMask(Mask);
  item->SetMaskColor(MaskColor);
  return item;
}

void TcxImageInfoCollection::MoveItem(int From, int To) { Items(From)->SetIndex(To); }

void TcxImageInfoCollection::DeleteItem(int Index) {
  if (Index == -1)
    Clear();
  else
    Delete(Index);
}

void TcxImageInfoCollection::ChangeCompressData(bool Value) {
  if (Value == FCompressData) return;
  FCompressData = Value;
  for (int i = 0; i < Count(); ++i) Items(i)->ChangeCompressData(Value);
}

// ---- TcxImageList ---------------------------------------------------------------------------------

TcxImageList::TcxImageList(TComponent* AOwner) : TDragImageList(AOwner), FImageInfo(new TcxImageInfoCollection(this)) {}

TcxImageList::TcxImageList(TComponent* AOwner, int AWidth, int AHeight)
    : TDragImageList(AOwner, AWidth, AHeight), FImageInfo(new TcxImageInfoCollection(this)) {}

TcxImageList::~TcxImageList() { delete FImageInfo; }

void TcxImageList::DeclareProperties(TPropTable& t) {
  // The handle is always 32-bit and masked, and grows as it likes.
  t.Remove("AllocBy");
  t.Remove("Masked");
  t.Remove("Width");
  t.Remove("Height");
  t.Add("Height", &TcxImageList::Height, &TcxImageList::SetHeight).SetDefault(16);
  t.Add("Width", &TcxImageList::Width, &TcxImageList::SetWidth).SetDefault(16);
  t.Add("CompressData", &TcxImageList::CompressData, &TcxImageList::SetCompressData).SetDefault(false);
}

template <class F>
auto TcxImageList::Changing(F Body) {
  LockChanges();
  try {
    if constexpr (std::is_void_v<decltype(Body())>) {
      Body();
      UnlockChanges(true);
    } else {
      auto result = Body();
      UnlockChanges(true);
      return result;
    }
  } catch (...) {
    UnlockChanges(false);
    throw;
  }
}

void TcxImageList::UnlockChanges(bool Notify) {
  if (FLockCount == 0) return;
  --FLockCount;
  if (Notify) Change();
}

void TcxImageList::Change() {
  if (ChangesLocked()) return;
  inherited::Change();
}

void TcxImageList::Initialize() {
  inherited::Initialize();
  RecreateHandle();
  FAlphaBlending = true;
}

void TcxImageList::RecreateHandle() {
  HIMAGELIST old = HandleAllocated() ? Handle() : nullptr;
  HIMAGELIST fresh = ImageList_Create(Width(), Height(), ILC_COLOR32 | ILC_MASK, AllocBy(), AllocBy());
  if (!fresh) throw EInvalidOperation(SInvalidImageList);
  if (old) {
    const int n = ImageList_GetImageCount(old);
    ImageList_SetImageCount(fresh, static_cast<UINT>(n));
    for (int i = 0; i < n; ++i) ImageList_Copy(fresh, i, old, i, ILCF_MOVE);
  }
  LockChanges();
  const bool share = ShareImages();
  SetShareImages(false);
  SetHandle(fresh);
  SetShareImages(share);
  UnlockChanges(false);
}

void TcxImageList::SetWidth(int Value) {
  if (Value == Width()) return;
  Changing([&] {
    inherited::SetWidth(Value);
    FImageInfo->DeleteItem(-1);
  });
}

void TcxImageList::SetHeight(int Value) {
  if (Value == Height()) return;
  Changing([&] {
    inherited::SetHeight(Value);
    FImageInfo->DeleteItem(-1);
  });
}

void TcxImageList::CheckIndex(int Index, bool AllowAll) {
  if ((AllowAll && Index == -1) || (Index >= 0 && Index < Count())) return;
  throw EInvalidOperation(SImageIndexError);
}

void TcxImageList::StoreImageInfo(TBitmap* Image, TBitmap* Mask, TColor MaskColor, int Added) {
  const int w = Width(), h = Height();
  if (Added == 1 && Image->Width() == w && Image->Height() == h) {
    FImageInfo->AddImage(Image, Mask, MaskColor)->Image()->Dormant();
    return;
  }
  // Cut as the handle cuts: images side by side along the top row, empty where the picture ends.
  const bool hasMask = Mask && !Mask->Empty();
  for (int k = 0; k < Added; ++k) {
    TcxBitmap piece(w, h, Image->PixelFormat()), maskPiece;
    PatBlt(piece.Canvas()->Handle(), 0, 0, w, h, BLACKNESS);
    piece.CopyAreaFromBitmap(Image, piece.ImageRect(), TPoint(k * w, 0));
    if (hasMask) {
      maskPiece.SetPixelFormat(Mask->PixelFormat());
      maskPiece.Resize(w, h);
      PatBlt(maskPiece.Canvas()->Handle(), 0, 0, w, h, BLACKNESS);
      maskPiece.CopyAreaFromBitmap(Mask, maskPiece.ImageRect(), TPoint(k * w, 0));
    }
    FImageInfo->AddImage(&piece, hasMask ? &maskPiece : nullptr, MaskColor)->Image()->Dormant();
  }
}

int TcxImageList::AddWithMask(TBitmap* Image, TBitmap* Mask) {
  return Changing([&] {
    if (!Image || Image->Empty()) return -1;
    std::unique_ptr<TBitmap> blank;
    TBitmap* mask = Mask;
    if (!mask) {
      blank.reset(NewBitmapSized(Width(), Height(), pf1bit));
      PatBlt(blank->Canvas()->Handle(), 0, 0, Width(), Height(), BLACKNESS);
      mask = blank.get();
    }
    const int before = Count();
    const int index = ImageList_Add(Handle(), Image->Handle(), mask->Handle());
    if (index >= 0 && !FSynchronizing) StoreImageInfo(Image, Mask, clNone, Count() - before);
    return index;
  });
}

int TcxImageList::AddWithMaskColor(TBitmap* Image, TColor MaskColor) {
  if (MaskColor == clNone) return AddWithMask(Image, nullptr);
  return Changing([&] {
    if (!Image || Image->Empty()) return -1;
    std::unique_ptr<TBitmap> copy(DuplicateBitmap(Image));
    const int before = Count();
    const int index = ImageList_AddMasked(Handle(), copy->Handle(), ColorToRGB(MaskColor) & 0xFFFFFF);
    if (index >= 0 && !FSynchronizing) StoreImageInfo(Image, nullptr, MaskColor, Count() - before);
    return index;
  });
}

void TcxImageList::InsertImages(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > Count()) return;
  Changing([&] {
    const int first = AddWithMask(Image, Mask);
    if (first < 0) return;
    const int added = Count() - first;
    for (int i = 0; i < added; ++i) MoveImage(first + i, Index + i);
  });
}

void TcxImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > Count()) throw EInvalidOperation(SImageIndexError);
  InsertImages(Index, Image, Mask);
}

void TcxImageList::ReplaceImage(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  Changing([&] {
    DeleteImage(Index);
    InsertImages(Index, Image, Mask);
  });
}

void TcxImageList::MoveImage(int From, int To) {
  CheckIndex(From);
  CheckIndex(To);
  if (From == To) return;
  Changing([&] {
    const int step = To > From ? 1 : -1;
    for (int i = From; i != To; i += step) ImageList_Copy(Handle(), i + step, Handle(), i, ILCF_SWAP);
    FImageInfo->MoveItem(From, To);
  });
}

void TcxImageList::DeleteImage(int Index) {
  CheckIndex(Index, true);
  Changing([&] {
    if (HandleAllocated()) ImageList_Remove(Handle(), Index);
    FImageInfo->DeleteItem(Index);
  });
}

void TcxImageList::FetchImage(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index >= Count()) return;
  // Items follow the handle; a collection out of step (it cannot be, but a caller may have
  // touched the handle directly) falls back to the handle.
  if (Index >= FImageInfo->Count()) {
    ExtractImageInfo(Handle(), Index, Image, Mask);
    return;
  }
  TcxImageInfo* info = FImageInfo->Items(Index)->ImageInfo();
  if (TBitmap::BitsOf(info->Image()->PixelFormat()) == 32) {
    if (Image) CopyBitmapWithSize(Image, info->Image());
    if (Mask) {
      // A picture stored with a mask colour has its mask only in the handle.
      if (info->Mask()->Empty())
        ExtractImageInfo(Handle(), Index, nullptr, Mask);
      else
        CopyBitmapWithSize(Mask, info->Mask());
    }
  } else {
    ExtractImageInfo(Handle(), Index, Image, Mask);
  }
  info->Image()->Dormant();
}

void TcxImageList::FetchImageFrom(TCustomImageList* ImageList, int Index, TBitmap* Image, TBitmap* Mask) {
  if (!ImageList) return;
  if (auto* cx = dynamic_cast<TcxImageList*>(ImageList))
    cx->FetchImage(Index, Image, Mask);
  else if (Index >= 0 && Index < ImageList->Count())
    ExtractImageInfo(ImageList->Handle(), Index, Image, Mask);
}

void TcxImageList::ExtractImageInfo(HIMAGELIST Handle, int Index, TBitmap* Image, TBitmap* Mask) {
  IMAGEINFO info;
  if (!ImageList_GetImageInfo(Handle, Index == -1 ? 0 : Index, &info)) return;
  auto take = [&](TBitmap* Dest, HBITMAP Source) {
    if (!Dest) return;
    if (!Source) {
      Dest->Assign(nullptr);
      return;
    }
    if (Index == -1) {
      Dest->SetHandle(CopyImageHandle(Source));
      return;
    }
    TBitmap copy;
    copy.SetHandle(CopyImageHandle(Source));
    Dest->SetSize(WidthOfRect(info.rcImage), HeightOfRect(info.rcImage));
    BitBlt(Dest->Canvas()->Handle(), 0, 0, Dest->Width(), Dest->Height(), copy.Canvas()->Handle(),
           info.rcImage.left, info.rcImage.top, SRCCOPY);
    Dest->SetModified(true);
  };
  take(Image, info.hbmImage);
  take(Mask, info.hbmMask);
}

int TcxImageList::HandlePixelDepth(HIMAGELIST Handle) {
  IMAGEINFO info;
  if (!ImageList_GetImageInfo(Handle, 0, &info)) return 0;
  return BitmapBitsPerPixel(info.hbmImage);
}

void TcxImageList::FillImageInfo(int Index, TcxImageInfo* ImageInfo) {
  if (Index >= 0 && Index < FImageInfo->Count()) {
    ImageInfo->Assign(FImageInfo->Items(Index)->ImageInfo());
  } else {
    ImageInfo->AssignImage(nullptr);
    ImageInfo->AssignMask(nullptr);
    ImageInfo->SetMaskColor(clNone);
  }
}

int TcxImageList::AddFromImageInfo(TcxImageInfo* ImageInfo) {
  if (!ImageInfo->Mask()->Empty()) return AddWithMask(ImageInfo->Image(), ImageInfo->Mask());
  return AddWithMaskColor(ImageInfo->Image(), ImageInfo->MaskColor());
}

void TcxImageList::CopyImagesFromCx(TcxImageList* Source, int First, int Last) {
  TcxImageInfo info;
  for (int i = std::max(First, 0); i <= Last; ++i) {
    Source->FillImageInfo(i, &info);
    AddFromImageInfo(&info);
  }
}

void TcxImageList::CopyImagesFromList(TCustomImageList* Source, int First, int Last) {
  for (int i = std::max(First, 0); i <= Last; ++i) {
    TcxBitmap32 image(Source->Width(), Source->Height());
    TcxBitmap mask(Source->Width(), Source->Height(), pf1bit);
    ExtractImageInfo(Source->Handle(), i, &image, &mask);
    AddWithMask(&image, &mask);
  }
}

void TcxImageList::Assign(TPersistent* Source) {
  auto* list = dynamic_cast<TCustomImageList*>(Source);
  if (!list || list == this) return;
  Changing([&] {
    // The platform's assignment takes the sizes and colours (and a copy of the handle, which the
    // images replace below).
    inherited::Assign(list);
    RecreateHandle();
    ClearImages();
    if (auto* cx = dynamic_cast<TcxImageList*>(list))
      CopyImagesFromCx(cx, 0, cx->Count() - 1);
    else
      CopyImagesFromList(list, 0, list->Count() - 1);
  });
}

void TcxImageList::RebuildImageInfo() {
  FImageInfo->BeginUpdate();
  try {
    FImageInfo->DeleteItem(-1);
    const int n = HandleAllocated() ? ImageList_GetImageCount(Handle()) : 0;
    for (int i = 0; i < n; ++i) {
      TcxBitmap32 image(Width(), Height());
      TcxBitmap mask(Width(), Height(), pf1bit);
      ExtractImageInfo(Handle(), i, &image, &mask);
      FImageInfo->AddImage(&image, &mask, clNone);
    }
  } catch (...) {
    FImageInfo->EndUpdate();
    throw;
  }
  FImageInfo->EndUpdate();
}

void TcxImageList::ReloadFromImageInfo() {
  FSynchronizing = true;
  LockChanges();
  try {
    if (HandleAllocated()) ImageList_Remove(Handle(), -1);
    for (int i = 0; i < FImageInfo->Count(); ++i) {
      TcxImageInfo* info = FImageInfo->Items(i)->ImageInfo();
      AddFromImageInfo(info);
      info->Image()->Dormant();
    }
  } catch (...) {
    FSynchronizing = false;
    UnlockChanges(false);
    throw;
  }
  FSynchronizing = false;
  UnlockChanges(true);
}

// ---- drawing --------------------------------------------------------------------------------------

void TcxImageList::DrawImageEx(int Index, TCanvas* Canvas, const TRect& R, UINT Style, bool Stretch, bool Smooth,
                               bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  if (WidthOfRect(R) == Width() && HeightOfRect(R) == Height()) Stretch = false;
  const TRect imageRect = Stretch ? R : CenterExtentInRect(R, Width(), Height());
  const TcxImageDrawMode mode = Enabled ? idmNormal : idmDisabled;
  if (FAlphaBlending) {
    DrawImageWithMode(Canvas->Handle(), imageRect, R, nullptr, this, Index, mode, Smooth);
  } else if (Stretch) {
    TBitmap image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(Width(), Height());
    ImageList_Draw(Handle(), Index, image.Canvas()->Handle(), 0, 0, Style);
    DrawImageWithMode(Canvas->Handle(), imageRect, R, &image, nullptr, -1, mode, Smooth);
  } else {
    ImageList_Draw(Handle(), Index, Canvas->Handle(), imageRect.Left, imageRect.Top, Style);
  }
}

void TcxImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  DrawImageEx(Index, Canvas, TRect(X, Y, X + Width(), Y + Height()), Style, false, false, Enabled);
}

// ---- form descriptions ----------------------------------------------------------------------------

void TcxImageList::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      "FormatVersion", [this](TReader* r) { FFormatVersion = r->ReadInteger(); },
      [this](TWriter* w) {
        FFormatVersion = 1;
        w->WriteInteger(1);
      },
      true);
  if (dynamic_cast<TReader*>(Filer)) {
    // Lists stored by the class library's image list load: their handle is taken over, made 32-bit
    // and the collection follows it.
    const HIMAGELIST before = HandleAllocated() ? Handle() : nullptr;
    inherited::DefineProperties(Filer);
    if (HandleAllocated() && Handle() != before) {
      RecreateHandle();
      RebuildImageInfo();
    }
  }
  auto* ancestorList = dynamic_cast<TCustomImageList*>(Filer->Ancestor());
  Filer->DefineProperty(
      "DesignInfo", [this](TReader* r) { SetDesignInfo(r->ReadInteger()); },
      [this](TWriter* w) { w->WriteInteger(DesignInfo()); },
      !(ancestorList && ancestorList->DesignInfo() == DesignInfo()));
  Filer->DefineProperty(
      "ImageInfo",
      [this](TReader* r) {
        r->ReadValue();
        r->ReadCollection(FImageInfo);
        ReloadFromImageInfo();
      },
      [this](TWriter* w) { w->WriteCollection(FImageInfo); },
      ancestorList ? !ImageListsHaveSameContent(ancestorList, this) : Count() > 0);
}

// ---- free routines ------------------------------------------------------------------------------

void CopyBitmapPixels(TBitmap* Dest, TBitmap* Source) {
  if (!Dest || !Source || Dest->Empty()) return;
  DrawBitmapToDC(Dest->Canvas()->Handle(), Source, TRect(0, 0, Dest->Width(), Dest->Height()), TPoint(0, 0), SRCCOPY);
  Dest->SetModified(true);
}

void CopyBitmapWithSize(TBitmap* Dest, TBitmap* Source) {
  if (!Dest || !Source) return;
  Dest->SetSize(Source->Width(), Source->Height());
  CopyBitmapPixels(Dest, Source);
}

TBitmap* DuplicateBitmap(TBitmap* Bitmap) {
  auto* copy = new TBitmap;
  copy->Assign(Bitmap);
  return copy;
}

HBITMAP CopyImageHandle(HBITMAP Bitmap) { return CopyImageViaApi(Bitmap); }

HBITMAP CopyImageViaApi(HBITMAP Bitmap) {
  return static_cast<HBITMAP>(CopyImage(Bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HBITMAP CopyImagePixelwise(HBITMAP Bitmap) {
  if (BitmapBitsPerPixel(Bitmap) != 32) return CopyImageViaApi(Bitmap);
  BITMAP bm;
  if (!ReadBitmapData(Bitmap, bm)) return nullptr;
  TRGBColors pixels;
  if (!GetBitmapColors(Bitmap, pixels, true)) return nullptr;
  BITMAPINFO info{};
  FillPixelsBitmapInfo(info, bm.bmWidth, bm.bmHeight, true);
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (copy) StoreBitmapColors(copy, pixels, true);
  return copy;
}

bool ImageListsHaveSameContent(TCustomImageList* List, TCustomImageList* CxList) {
  if (!List || !CxList || List->Count() != CxList->Count()) return false;
  return List->Count() == 0 || ImageList_Write(List->Handle()) == ImageList_Write(CxList->Handle());
}

int ImageStripCount(TBitmap* Bitmap, int W, int H) {
  if (!Bitmap || W <= 0 || H <= 0) return 1;
  if (Bitmap->Width() % W == 0 && Bitmap->Height() % H == 0) return (Bitmap->Width() / W) * (Bitmap->Height() / H);
  return 1;
}
