#pragma once
// The GDI+ binding: gdiplus.dll loaded and its entry points bound by name on first use, the list
// of start-up and shutdown procedures of the units that depend on it, the allocation policy of
// the GDI+ wrapper objects, its exception, colours and image encoders.
//
// Every entry point is a global of its GDI+ name (`GdipDrawImageRectRectI(...)`), null until
// bound; call them only after IsGdiPlusAvailable answered true. They share their names with the
// platform's own functions in namespace win, so code that says `using namespace win` must name
// them as `::GdipDrawImageRectRectI`.
#include <cstddef>
#include <vector>

#include "platform/classes/Graphics.h"
#include "platform/gdiplus/GdiPlus.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ResourceStrings.h"

// The bound entries, in the order they are bound.
#define VW_GDIPLUS_ENTRIES(X)                                                                                    \
  X(GdipAlloc) X(GdipFree) X(GdiplusStartup) X(GdiplusShutdown)                                               \
  X(GdipCloneBrush) X(GdipDeleteBrush) X(GdipGetBrushType)                                                     \
  X(GdipCreateSolidFill) X(GdipSetSolidFillColor) X(GdipGetSolidFillColor)                                     \
  X(GdipCreateLineBrushFromRectI) X(GdipGetLineRectI) X(GdipSetLineColors) X(GdipGetLineColors)               \
  X(GdipSetLineWrapMode) X(GdipGetLineWrapMode)                                                                \
  X(GdipCreateHatchBrush) X(GdipGetHatchStyle) X(GdipGetHatchForegroundColor) X(GdipGetHatchBackgroundColor)  \
  X(GdipCreateTexture2I)                                                                                       \
  X(GdipCreatePen1) X(GdipCreatePen2) X(GdipClonePen) X(GdipDeletePen) X(GdipGetPenFillType)                  \
  X(GdipSetPenBrushFill) X(GdipGetPenBrushFill) X(GdipSetPenColor) X(GdipGetPenColor) X(GdipSetPenMode)        \
  X(GdipGetPenMode) X(GdipSetPenWidth) X(GdipGetPenWidth) X(GdipSetPenDashStyle) X(GdipGetPenDashStyle)        \
  X(GdipCreateFromHDC) X(GdipDeleteGraphics) X(GdipGetDC) X(GdipReleaseDC) X(GdipGraphicsClear)               \
  X(GdipSetInterpolationMode) X(GdipGetInterpolationMode) X(GdipSetCompositingMode) X(GdipGetCompositingMode)  \
  X(GdipSetCompositingQuality) X(GdipGetCompositingQuality) X(GdipSetSmoothingMode) X(GdipGetSmoothingMode)    \
  X(GdipIsVisibleRect) X(GdipIsVisibleRectI)                                                                   \
  X(GdipDrawLineI) X(GdipDrawLinesI) X(GdipDrawRectangleI) X(GdipFillRectangleI) X(GdipDrawArcI)              \
  X(GdipDrawBezierI) X(GdipDrawEllipseI) X(GdipFillEllipseI) X(GdipDrawPieI) X(GdipFillPieI)                  \
  X(GdipDrawPolygonI) X(GdipFillPolygonI) X(GdipDrawCurveI) X(GdipDrawClosedCurveI) X(GdipFillClosedCurveI)    \
  X(GdipCreatePath) X(GdipDeletePath) X(GdipAddPathArc) X(GdipAddPathLine) X(GdipStartPathFigure)             \
  X(GdipClosePathFigure) X(GdipDrawPath) X(GdipFillPath)                                                       \
  X(GdipLoadImageFromStream) X(GdipLoadImageFromFile) X(GdipCreateBitmapFromFile)                              \
  X(GdipCreateBitmapFromStream) X(GdipCreateBitmapFromStreamICM) X(GdipCreateBitmapFromHBITMAP)               \
  X(GdipCreateBitmapFromGdiDib) X(GdipCreateBitmapFromGraphics) X(GdipCreateBitmapFromScan0)                   \
  X(GdipCreateHBITMAPFromBitmap) X(GdipGetImageDimension) X(GdipGetImageWidth) X(GdipGetImageHeight)           \
  X(GdipCloneImage) X(GdipCloneBitmapAreaI) X(GdipDisposeImage) X(GdipBitmapLockBits) X(GdipBitmapUnlockBits)  \
  X(GdipGetImageGraphicsContext) X(GdipDrawImageRectI) X(GdipDrawImageRectRectI) X(GdipDrawImageRectRect)      \
  X(GdipDrawImagePointRect) X(GdipCreateCachedBitmap) X(GdipDeleteCachedBitmap) X(GdipDrawCachedBitmap)        \
  X(GdipCreateImageAttributes) X(GdipDisposeImageAttributes) X(GdipSetImageAttributesColorMatrix)              \
  X(GdipGetImageEncodersSize) X(GdipGetImageEncoders) X(GdipGetEncoderParameterListSize)                       \
  X(GdipGetEncoderParameterList) X(GdipSaveImageToStream)

#define VW_GDIPLUS_DECLARE(name) extern decltype(&win::name) name;
VW_GDIPLUS_ENTRIES(VW_GDIPLUS_DECLARE)
#undef VW_GDIPLUS_DECLARE

constexpr std::size_t GdiPlusEntryCount = 108;
// The names in binding order.
const std::vector<const char*>& GdiPlusEntryNames();

// The start-up output's notification entries while GDI+ runs; both null otherwise.
extern win::NotificationHookProc GdiPlusNotificationHook;
extern win::NotificationUnhookProc GdiPlusNotificationUnhook;

// Loads and starts GDI+ on the first call after start-up or after an unload; later calls only
// answer. Nothing is ever reported: a missing module, entry or start-up leaves it unavailable.
bool IsGdiPlusAvailable();
void LoadGdiPlus();
void UnloadGdiPlus();

// ---- units that depend on GDI+ ----------------------------------------------------------------

using TdxUnitProc = void (*)();

// The start-up and shutdown procedures of the units that depend on GDI+. The program is one
// module, so initialize procedures run as they are added, and the finalize procedures run at the
// loader's end, last added first.
class TdxUnitsLoader : public TObject {
  VW_CLASS(TdxUnitsLoader, TObject)
 public:
  TdxUnitsLoader() = default;
  ~TdxUnitsLoader() override;

  // Either may be null.
  void AddUnitProcs(TdxUnitProc InitProc, TdxUnitProc FinalProc);
  // Takes the procedure out and, when it was listed, runs it now.
  void RemoveUnitProc(TdxUnitProc FinalProc);
  void RunFinalizers();

 private:
  std::vector<TdxUnitProc> FFinalizeProcs;
};

// Made on first use; freed by GdiPlusUnitShutdown.
TdxUnitsLoader* UnitsLoaderInstance();

// The binding unit's own start-up (marks GDI+ as not loaded, through the loader) and shutdown
// (frees the loader, which runs what is left, UnloadGdiPlus among it).
void GdiPlusUnitStartup();
void GdiPlusUnitShutdown();

// ---- objects, errors, colours, bitmaps and encoders -------------------------------------------

// The base of every GDI+ wrapper object: allocated with GdipAlloc and released with GdipFree.
// Raises EdxGdipException (GdiplusNotInitialized) when GDI+ is not bound.
class TdxGPBase : public TObject {
  VW_CLASS(TdxGPBase, TObject)
 public:
  TdxGPBase() = default;
  static void* operator new(std::size_t Size);
  static void operator delete(void* Ptr);
};

extern const TResStringRec dxSGdipInvalidOperation;  // "Invalid operation in GDI+ (Code: %d)"

class EdxGdipException : public EdxException {
 public:
  explicit EdxGdipException(win::GpStatus AStatus);
  static EdxGdipException CreateForStatus(win::GpStatus AStatus) { return EdxGdipException(AStatus); }
  win::GpStatus Status;
};

// Ok passes; any other status raises.
win::GpStatus CheckGdipStatus(win::GpStatus Status);
// False raises InvalidParameter.
void CheckGdipSuccess(bool Flag);

// clNone is fully transparent; any other colour is resolved and takes Alpha.
win::ARGB ColorToGPColor(TColor Colour, win::BYTE Alpha = 255);
win::GpRect MakeGPRect(int X, int Y, int Width, int Height);

// A bitmap in 32bppPARGB with pixels of its own.
win::GpBitmap* NewGPBitmap(int Width, int Height);
win::GpBitmap* CreateGPBitmapForRect(const win::RECT& R);
// The stream object's bytes decoded by GDI+; null without GDI+.
win::GpBitmap* GPBitmapFromStreamObject(TStream* Source);

// 0 with the class id of the first encoder of that MIME type (any case), 1 otherwise (Clsid
// untouched).
int FindEncoderClsid(const String& MimeType, win::CLSID& Clsid);
extern win::CLSID PngEncoderClsid;
void EnsurePngEncoderId();
