// Start-up, shutdown and memory, the faults tests may inject, and the module's export table.
#include <atomic>
#include <cstdlib>

#include "platform/gdiplus/Internal.h"

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

namespace platform::gdiplus {

namespace {

#define VW_EXPORT(name) {#name, reinterpret_cast<void*>(&win::name)}
const Export kExports[] = {
    VW_EXPORT(GdipAlloc), VW_EXPORT(GdipFree), VW_EXPORT(GdiplusStartup), VW_EXPORT(GdiplusShutdown),
    VW_EXPORT(GdipCloneBrush), VW_EXPORT(GdipDeleteBrush), VW_EXPORT(GdipGetBrushType), VW_EXPORT(GdipCreateSolidFill),
    VW_EXPORT(GdipSetSolidFillColor), VW_EXPORT(GdipGetSolidFillColor), VW_EXPORT(GdipCreateLineBrushFromRectI),
    VW_EXPORT(GdipGetLineRectI), VW_EXPORT(GdipSetLineColors), VW_EXPORT(GdipGetLineColors),
    VW_EXPORT(GdipSetLineWrapMode), VW_EXPORT(GdipGetLineWrapMode), VW_EXPORT(GdipCreateHatchBrush),
    VW_EXPORT(GdipGetHatchStyle), VW_EXPORT(GdipGetHatchForegroundColor), VW_EXPORT(GdipGetHatchBackgroundColor),
    VW_EXPORT(GdipCreateTexture2I), VW_EXPORT(GdipCreatePen1), VW_EXPORT(GdipCreatePen2), VW_EXPORT(GdipClonePen),
    VW_EXPORT(GdipDeletePen), VW_EXPORT(GdipGetPenFillType), VW_EXPORT(GdipSetPenBrushFill),
    VW_EXPORT(GdipGetPenBrushFill), VW_EXPORT(GdipSetPenColor), VW_EXPORT(GdipGetPenColor), VW_EXPORT(GdipSetPenMode),
    VW_EXPORT(GdipGetPenMode), VW_EXPORT(GdipSetPenWidth), VW_EXPORT(GdipGetPenWidth), VW_EXPORT(GdipSetPenDashStyle),
    VW_EXPORT(GdipGetPenDashStyle), VW_EXPORT(GdipCreateFromHDC), VW_EXPORT(GdipDeleteGraphics), VW_EXPORT(GdipGetDC),
    VW_EXPORT(GdipReleaseDC), VW_EXPORT(GdipGraphicsClear), VW_EXPORT(GdipSetInterpolationMode),
    VW_EXPORT(GdipGetInterpolationMode), VW_EXPORT(GdipSetCompositingMode), VW_EXPORT(GdipGetCompositingMode),
    VW_EXPORT(GdipSetCompositingQuality), VW_EXPORT(GdipGetCompositingQuality), VW_EXPORT(GdipSetSmoothingMode),
    VW_EXPORT(GdipGetSmoothingMode), VW_EXPORT(GdipIsVisibleRect), VW_EXPORT(GdipIsVisibleRectI),
    VW_EXPORT(GdipDrawLineI), VW_EXPORT(GdipDrawLinesI), VW_EXPORT(GdipDrawRectangleI), VW_EXPORT(GdipFillRectangleI),
    VW_EXPORT(GdipDrawArcI), VW_EXPORT(GdipDrawBezierI), VW_EXPORT(GdipDrawEllipseI), VW_EXPORT(GdipFillEllipseI),
    VW_EXPORT(GdipDrawPieI), VW_EXPORT(GdipFillPieI), VW_EXPORT(GdipDrawPolygonI), VW_EXPORT(GdipFillPolygonI),
    VW_EXPORT(GdipDrawCurveI), VW_EXPORT(GdipDrawClosedCurveI), VW_EXPORT(GdipFillClosedCurveI),
    VW_EXPORT(GdipCreatePath), VW_EXPORT(GdipDeletePath), VW_EXPORT(GdipAddPathArc), VW_EXPORT(GdipAddPathLine),
    VW_EXPORT(GdipStartPathFigure), VW_EXPORT(GdipClosePathFigure), VW_EXPORT(GdipDrawPath), VW_EXPORT(GdipFillPath),
    VW_EXPORT(GdipLoadImageFromStream), VW_EXPORT(GdipLoadImageFromFile), VW_EXPORT(GdipCreateBitmapFromFile),
    VW_EXPORT(GdipCreateBitmapFromStream), VW_EXPORT(GdipCreateBitmapFromStreamICM),
    VW_EXPORT(GdipCreateBitmapFromHBITMAP), VW_EXPORT(GdipCreateBitmapFromGdiDib),
    VW_EXPORT(GdipCreateBitmapFromGraphics), VW_EXPORT(GdipCreateBitmapFromScan0),
    VW_EXPORT(GdipCreateHBITMAPFromBitmap), VW_EXPORT(GdipGetImageDimension), VW_EXPORT(GdipGetImageWidth),
    VW_EXPORT(GdipGetImageHeight), VW_EXPORT(GdipGetImagePixelFormat), VW_EXPORT(GdipCloneImage),
    VW_EXPORT(GdipCloneBitmapAreaI), VW_EXPORT(GdipDisposeImage), VW_EXPORT(GdipBitmapLockBits),
    VW_EXPORT(GdipBitmapUnlockBits), VW_EXPORT(GdipGetImageGraphicsContext), VW_EXPORT(GdipDrawImageRectI),
    VW_EXPORT(GdipDrawImageRectRectI), VW_EXPORT(GdipDrawImageRectRect), VW_EXPORT(GdipDrawImagePointRect),
    VW_EXPORT(GdipCreateCachedBitmap), VW_EXPORT(GdipDeleteCachedBitmap), VW_EXPORT(GdipDrawCachedBitmap),
    VW_EXPORT(GdipCreateImageAttributes), VW_EXPORT(GdipDisposeImageAttributes),
    VW_EXPORT(GdipSetImageAttributesColorMatrix), VW_EXPORT(GdipGetImageEncodersSize),
    VW_EXPORT(GdipGetImageEncoders), VW_EXPORT(GdipGetEncoderParameterListSize),
    VW_EXPORT(GdipGetEncoderParameterList), VW_EXPORT(GdipSaveImageToStream),
};
#undef VW_EXPORT

}  // namespace

const Export* Exports(std::size_t* count) {
  if (count) *count = std::size(kExports);
  return kExports;
}

}  // namespace platform::gdiplus
