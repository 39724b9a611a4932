// Start-up, shutdown and memory, the faults tests may inject, and the module the binder finds.
#include <atomic>
#include <cstdlib>
#include <mutex>

#include "platform/gdiplus/Internal.h"
#include "platform/system/Modules.h"

namespace platform::gdiplus {

namespace {

std::atomic<std::size_t> g_allocations{0};
std::atomic<int> g_startups{0};
std::atomic<win::ULONG_PTR> g_nextToken{1};

win::GpStatus NotificationHook(win::ULONG_PTR* token) {
  if (!token) return win::InvalidParameter;
  if (win::GpStatus fault = InjectedFaults().notificationHook; fault != win::Ok) return fault;
  *token = g_nextToken++;
  return win::Ok;
}

// Nothing runs in the background here, so there is nothing to stop.
void NotificationUnhook(win::ULONG_PTR) {}

}  // namespace

Faults& InjectedFaults() {
  static Faults faults;
  return faults;
}

std::size_t LiveAllocations() { return g_allocations; }
int StartupCount() { return g_startups; }

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

void* GdipAlloc(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (p) ++g_allocations;
  return p;
}

void GdipFree(void* ptr) {
  if (!ptr) return;
  --g_allocations;
  std::free(ptr);
}

GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && !output) return InvalidParameter;
  if (GpStatus fault = InjectedFaults().startup; fault != Ok) return fault;
  if (output) {
    *output = GdiplusStartupOutput{};
    if (input->SuppressBackgroundThread) {
      output->NotificationHook = NotificationHook;
      output->NotificationUnhook = NotificationUnhook;
    }
  }
  *token = g_nextToken++;
  ++g_startups;
  return Ok;
}

void GdiplusShutdown(ULONG_PTR token) {
  if (token && g_startups > 0) --g_startups;
}

}  // namespace win

namespace platform {

void RegisterGdiPlusModule() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterModule("gdiplus.dll", {
      Export("GdipAlloc", &win::GdipAlloc),
      Export("GdipFree", &win::GdipFree),
      Export("GdiplusStartup", &win::GdiplusStartup),
      Export("GdiplusShutdown", &win::GdiplusShutdown),
      Export("GdipCloneBrush", &win::GdipCloneBrush),
      Export("GdipDeleteBrush", &win::GdipDeleteBrush),
      Export("GdipGetBrushType", &win::GdipGetBrushType),
      Export("GdipCreateSolidFill", &win::GdipCreateSolidFill),
      Export("GdipSetSolidFillColor", &win::GdipSetSolidFillColor),
      Export("GdipGetSolidFillColor", &win::GdipGetSolidFillColor),
      Export("GdipCreateLineBrushFromRectI", &win::GdipCreateLineBrushFromRectI),
      Export("GdipGetLineRectI", &win::GdipGetLineRectI),
      Export("GdipSetLineColors", &win::GdipSetLineColors),
      Export("GdipGetLineColors", &win::GdipGetLineColors),
      Export("GdipSetLineWrapMode", &win::GdipSetLineWrapMode),
      Export("GdipGetLineWrapMode", &win::GdipGetLineWrapMode),
      Export("GdipCreateHatchBrush", &win::GdipCreateHatchBrush),
      Export("GdipGetHatchStyle", &win::GdipGetHatchStyle),
      Export("GdipGetHatchForegroundColor", &win::GdipGetHatchForegroundColor),
      Export("GdipGetHatchBackgroundColor", &win::GdipGetHatchBackgroundColor),
      Export("GdipCreateTexture2I", &win::GdipCreateTexture2I),
      Export("GdipCreatePen1", &win::GdipCreatePen1),
      Export("GdipCreatePen2", &win::GdipCreatePen2),
      Export("GdipClonePen", &win::GdipClonePen),
      Export("GdipDeletePen", &win::GdipDeletePen),
      Export("GdipGetPenFillType", &win::GdipGetPenFillType),
      Export("GdipSetPenBrushFill", &win::GdipSetPenBrushFill),
      Export("GdipGetPenBrushFill", &win::GdipGetPenBrushFill),
      Export("GdipSetPenColor", &win::GdipSetPenColor),
      Export("GdipGetPenColor", &win::GdipGetPenColor),
      Export("GdipSetPenMode", &win::GdipSetPenMode),
      Export("GdipGetPenMode", &win::GdipGetPenMode),
      Export("GdipSetPenWidth", &win::GdipSetPenWidth),
      Export("GdipGetPenWidth", &win::GdipGetPenWidth),
      Export("GdipSetPenDashStyle", &win::GdipSetPenDashStyle),
      Export("GdipGetPenDashStyle", &win::GdipGetPenDashStyle),
      Export("GdipCreateFromHDC", &win::GdipCreateFromHDC),
      Export("GdipDeleteGraphics", &win::GdipDeleteGraphics),
      Export("GdipGetDC", &win::GdipGetDC),
      Export("GdipReleaseDC", &win::GdipReleaseDC),
      Export("GdipGraphicsClear", &win::GdipGraphicsClear),
      Export("GdipSetInterpolationMode", &win::GdipSetInterpolationMode),
      Export("GdipGetInterpolationMode", &win::GdipGetInterpolationMode),
      Export("GdipSetCompositingMode", &win::GdipSetCompositingMode),
      Export("GdipGetCompositingMode", &win::GdipGetCompositingMode),
      Export("GdipSetCompositingQuality", &win::GdipSetCompositingQuality),
      Export("GdipGetCompositingQuality", &win::GdipGetCompositingQuality),
      Export("GdipSetSmoothingMode", &win::GdipSetSmoothingMode),
      Export("GdipGetSmoothingMode", &win::GdipGetSmoothingMode),
      Export("GdipIsVisibleRect", &win::GdipIsVisibleRect),
      Export("GdipIsVisibleRectI", &win::GdipIsVisibleRectI),
      Export("GdipDrawLineI", &win::GdipDrawLineI),
      Export("GdipDrawLinesI", &win::GdipDrawLinesI),
      Export("GdipDrawRectangleI", &win::GdipDrawRectangleI),
      Export("GdipFillRectangleI", &win::GdipFillRectangleI),
      Export("GdipDrawArcI", &win::GdipDrawArcI),
      Export("GdipDrawBezierI", &win::GdipDrawBezierI),
      Export("GdipDrawEllipseI", &win::GdipDrawEllipseI),
      Export("GdipFillEllipseI", &win::GdipFillEllipseI),
      Export("GdipDrawPieI", &win::GdipDrawPieI),
      Export("GdipFillPieI", &win::GdipFillPieI),
      Export("GdipDrawPolygonI", &win::GdipDrawPolygonI),
      Export("GdipFillPolygonI", &win::GdipFillPolygonI),
      Export("GdipDrawCurveI", &win::GdipDrawCurveI),
      Export("GdipDrawClosedCurveI", &win::GdipDrawClosedCurveI),
      Export("GdipFillClosedCurveI", &win::GdipFillClosedCurveI),
      Export("GdipCreatePath", &win::GdipCreatePath),
      Export("GdipDeletePath", &win::GdipDeletePath),
      Export("GdipAddPathArc", &win::GdipAddPathArc),
      Export("GdipAddPathLine", &win::GdipAddPathLine),
      Export("GdipStartPathFigure", &win::GdipStartPathFigure),
      Export("GdipClosePathFigure", &win::GdipClosePathFigure),
      Export("GdipDrawPath", &win::GdipDrawPath),
      Export("GdipFillPath", &win::GdipFillPath),
      Export("GdipLoadImageFromStream", &win::GdipLoadImageFromStream),
      Export("GdipLoadImageFromFile", &win::GdipLoadImageFromFile),
      Export("GdipCreateBitmapFromFile", &win::GdipCreateBitmapFromFile),
      Export("GdipCreateBitmapFromStream", &win::GdipCreateBitmapFromStream),
      Export("GdipCreateBitmapFromStreamICM", &win::GdipCreateBitmapFromStreamICM),
      Export("GdipCreateBitmapFromHBITMAP", &win::GdipCreateBitmapFromHBITMAP),
      Export("GdipCreateBitmapFromGdiDib", &win::GdipCreateBitmapFromGdiDib),
      Export("GdipCreateBitmapFromGraphics", &win::GdipCreateBitmapFromGraphics),
      Export("GdipCreateBitmapFromScan0", &win::GdipCreateBitmapFromScan0),
      Export("GdipCreateHBITMAPFromBitmap", &win::GdipCreateHBITMAPFromBitmap),
      Export("GdipGetImageDimension", &win::GdipGetImageDimension),
      Export("GdipGetImageWidth", &win::GdipGetImageWidth),
      Export("GdipGetImageHeight", &win::GdipGetImageHeight),
      Export("GdipGetImagePixelFormat", &win::GdipGetImagePixelFormat),
      Export("GdipCloneImage", &win::GdipCloneImage),
      Export("GdipCloneBitmapAreaI", &win::GdipCloneBitmapAreaI),
      Export("GdipDisposeImage", &win::GdipDisposeImage),
      Export("GdipBitmapLockBits", &win::GdipBitmapLockBits),
      Export("GdipBitmapUnlockBits", &win::GdipBitmapUnlockBits),
      Export("GdipGetImageGraphicsContext", &win::GdipGetImageGraphicsContext),
      Export("GdipDrawImageRectI", &win::GdipDrawImageRectI),
      Export("GdipDrawImageRectRectI", &win::GdipDrawImageRectRectI),
      Export("GdipDrawImageRectRect", &win::GdipDrawImageRectRect),
      Export("GdipDrawImagePointRect", &win::GdipDrawImagePointRect),
      Export("GdipCreateCachedBitmap", &win::GdipCreateCachedBitmap),
      Export("GdipDeleteCachedBitmap", &win::GdipDeleteCachedBitmap),
      Export("GdipDrawCachedBitmap", &win::GdipDrawCachedBitmap),
      Export("GdipCreateImageAttributes", &win::GdipCreateImageAttributes),
      Export("GdipDisposeImageAttributes", &win::GdipDisposeImageAttributes),
      Export("GdipSetImageAttributesColorMatrix", &win::GdipSetImageAttributesColorMatrix),
      Export("GdipGetImageEncodersSize", &win::GdipGetImageEncodersSize),
      Export("GdipGetImageEncoders", &win::GdipGetImageEncoders),
      Export("GdipGetEncoderParameterListSize", &win::GdipGetEncoderParameterListSize),
      Export("GdipGetEncoderParameterList", &win::GdipGetEncoderParameterList),
      Export("GdipSaveImageToStream", &win::GdipSaveImageToStream),
    });
  });
}

}  // namespace platform
