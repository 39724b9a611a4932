#pragma once
// GDI+: antialiased drawing, ARGB bitmaps, image drawing with interpolation modes, gradients and
// PNG pictures, in the shape of its flat interface (module "gdiplus.dll"). Drawing is cairo's,
// PNG is libpng's.
//
// What callers may rely on beyond the shape:
// - A graphics on a device context draws into the pixels GDI draws into, through the DC's origin
//   and clip as they stand at each call. A DC's pixels count as opaque: what is drawn over them is
//   opaque, and a pixel a drawing changes gets the alpha byte 0xFF.
// - A graphics on an image keeps the image's per-pixel alpha.
// - Pixel centres lie on integer coordinates for lines and shapes; images map their destination
//   rectangle onto whole pixels. A 1:1 image draw copies pixels exactly in every interpolation
//   mode, scaled draws sample only inside the source rectangle, and the same call always gives the
//   same pixels.
// - Premultiplied pixels with a colour channel above their alpha are read as if clamped to it.
// - A stream or file is decoded completely when the bitmap is made and never read again.
// - Strings (file names, codec descriptions) are UTF-8.
//
// Objects are checked handles: a stale or foreign one is refused with InvalidParameter.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Gdi.h"
#include "platform/win/ComStream.h"

namespace win {

// ---- status, values and structures ------------------------------------------------------------

enum GpStatus : int {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
  PropertyNotFound = 19,
  PropertyNotSupported = 20,
};

using REAL = float;
using ARGB = DWORD;  // alpha in the top byte, then red, green, blue
using GpPixelFormat = INT;
using GraphicsState = UINT;

constexpr GpPixelFormat PixelFormatIndexed = 0x00010000, PixelFormatGDI = 0x00020000, PixelFormatAlpha = 0x00040000,
                        PixelFormatPAlpha = 0x00080000, PixelFormatCanonical = 0x00200000;
constexpr GpPixelFormat PixelFormatUndefined = 0, PixelFormatDontCare = 0, PixelFormat24bppRGB = 0x00021808,
                        PixelFormat32bppRGB = 0x00022009, PixelFormat32bppARGB = 0x0026200A,
                        PixelFormat32bppPARGB = 0x000E200B;
constexpr UINT GetPixelFormatSize(GpPixelFormat format) { return (static_cast<UINT>(format) >> 8) & 0xFF; }

using GpUnit = INT;
constexpr GpUnit UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3, UnitInch = 4, UnitDocument = 5,
                 UnitMillimeter = 6;

using GpFillMode = INT;
constexpr GpFillMode FillModeAlternate = 0, FillModeWinding = 1;

using GpWrapMode = INT;
constexpr GpWrapMode WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3,
                     WrapModeClamp = 4;

using GpBrushType = INT;
constexpr GpBrushType BrushTypeSolidColor = 0, BrushTypeHatchFill = 1, BrushTypeTextureFill = 2,
                      BrushTypePathGradient = 3, BrushTypeLinearGradient = 4;

using GpPenType = INT;
constexpr GpPenType PenTypeSolidColor = 0, PenTypeHatchFill = 1, PenTypeTextureFill = 2, PenTypePathGradient = 3,
                    PenTypeLinearGradient = 4, PenTypeUnknown = -1;

using GpPenAlignment = INT;
constexpr GpPenAlignment PenAlignmentCenter = 0, PenAlignmentInset = 1;

using GpDashStyle = INT;
constexpr GpDashStyle DashStyleSolid = 0, DashStyleDash = 1, DashStyleDot = 2, DashStyleDashDot = 3,
                      DashStyleDashDotDot = 4, DashStyleCustom = 5;

using GpLinearGradientMode = INT;
constexpr GpLinearGradientMode LinearGradientModeHorizontal = 0, LinearGradientModeVertical = 1,
                               LinearGradientModeForwardDiagonal = 2, LinearGradientModeBackwardDiagonal = 3;

// 0 to 5 are the line patterns; 6 to 17 the percentages 5, 10, 20, 25, 30, 40, 50, 60, 70, 75,
// 80 and 90; the named patterns follow up to 52.
using GpHatchStyle = INT;
constexpr GpHatchStyle HatchStyleHorizontal = 0, HatchStyleVertical = 1, HatchStyleForwardDiagonal = 2,
                       HatchStyleBackwardDiagonal = 3, HatchStyleCross = 4, HatchStyleDiagonalCross = 5,
                       HatchStyle05Percent = 6, HatchStyle50Percent = 12, HatchStyle90Percent = 17,
                       HatchStyleMax = 52;

using GpInterpolationMode = INT;
constexpr GpInterpolationMode InterpolationModeInvalid = -1, InterpolationModeDefault = 0,
                              InterpolationModeLowQuality = 1, InterpolationModeHighQuality = 2,
                              InterpolationModeBilinear = 3, InterpolationModeBicubic = 4,
                              InterpolationModeNearestNeighbor = 5, InterpolationModeHighQualityBilinear = 6,
                              InterpolationModeHighQualityBicubic = 7;

using GpCompositingMode = INT;
constexpr GpCompositingMode CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1;

using GpCompositingQuality = INT;
constexpr GpCompositingQuality CompositingQualityDefault = 0, CompositingQualityHighSpeed = 1,
                               CompositingQualityHighQuality = 2, CompositingQualityGammaCorrected = 3,
                               CompositingQualityAssumeLinear = 4;

using GpSmoothingMode = INT;
constexpr GpSmoothingMode SmoothingModeDefault = 0, SmoothingModeHighSpeed = 1, SmoothingModeHighQuality = 2,
                          SmoothingModeNone = 3, SmoothingModeAntiAlias = 4, SmoothingModeAntiAlias8x4 = 5,
                          SmoothingModeAntiAlias8x8 = 6;

using GpColorAdjustType = INT;
constexpr GpColorAdjustType ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap = 1, ColorAdjustTypeBrush = 2,
                            ColorAdjustTypePen = 3, ColorAdjustTypeText = 4, ColorAdjustTypeCount = 5;
using GpColorMatrixFlags = INT;
constexpr GpColorMatrixFlags ColorMatrixFlagsDefault = 0, ColorMatrixFlagsSkipGrays = 1,
                             ColorMatrixFlagsAltGray = 2;

constexpr UINT ImageLockModeRead = 1, ImageLockModeWrite = 2, ImageLockModeUserInputBuf = 4;

struct GpRect {
  INT X = 0, Y = 0, Width = 0, Height = 0;
};
struct GpRectF {
  REAL X = 0, Y = 0, Width = 0, Height = 0;
};
struct GpPoint {
  INT X = 0, Y = 0;
};
struct GpPointF {
  REAL X = 0, Y = 0;
};

// A colour transform applied to unpremultiplied colours, each 0 to 1, as a row vector
// (red, green, blue, alpha, 1) times m.
struct ColorMatrix {
  REAL m[5][5] = {};
};

struct BitmapData {
  UINT Width = 0;
  UINT Height = 0;
  INT Stride = 0;
  GpPixelFormat PixelFormat = 0;
  void* Scan0 = nullptr;
  UINT_PTR Reserved = 0;
};

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const char* CodecName = nullptr;
  const char* DllName = nullptr;
  const char* FormatDescription = nullptr;
  const char* FilenameExtension = nullptr;
  const char* MimeType = nullptr;
  DWORD Flags = 0;
  DWORD Version = 0;
  DWORD SigCount = 0;
  DWORD SigSize = 0;
  const BYTE* SigPattern = nullptr;
  const BYTE* SigMask = nullptr;
};
constexpr DWORD ImageCodecFlagsEncoder = 1, ImageCodecFlagsDecoder = 2, ImageCodecFlagsSupportBitmap = 4,
                ImageCodecFlagsBuiltin = 0x10000;

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues = 0;
  ULONG Type = 0;
  void* Value = nullptr;
};
struct EncoderParameters {
  UINT Count = 0;
  EncoderParameter Parameter[1];
};

using DebugEventProc = void (*)(INT level, char* message);
using NotificationHookProc = GpStatus (*)(ULONG_PTR* token);
using NotificationUnhookProc = void (*)(ULONG_PTR token);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};
// Filled when the background thread is suppressed: the caller hooks the notifications instead.
struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

// Asked between bands of a long image draw; true stops it. Never called here.
using DrawImageAbort = BOOL (*)(void* data);

// Handles. A bitmap is an image and every brush kind is a brush, as in the flat interface.
struct GpGraphics {};
struct GpBrush {};
struct GpSolidFill : GpBrush {};
struct GpLineGradient : GpBrush {};
struct GpHatch : GpBrush {};
struct GpTexture : GpBrush {};
struct GpPen {};
struct GpPath {};
struct GpImage {};
struct GpBitmap : GpImage {};
struct GpImageAttributes {};
struct GpCachedBitmap {};

// ---- memory and start-up ----------------------------------------------------------------------

void* GdipAlloc(std::size_t size);
void GdipFree(void* ptr);
// Version 1 only (UnsupportedGdiplusVersion otherwise).
GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

// ---- brushes ----------------------------------------------------------------------------------

GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** clone);
GpStatus GdipDeleteBrush(GpBrush* brush);
GpStatus GdipGetBrushType(GpBrush* brush, GpBrushType* type);
GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush);
GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color);
GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color);
GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, GpLinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** brush);
GpStatus GdipGetLineRectI(GpLineGradient* brush, GpRect* rect);
GpStatus GdipSetLineColors(GpLineGradient* brush, ARGB color1, ARGB color2);
GpStatus GdipGetLineColors(GpLineGradient* brush, ARGB* colors);  // two colours
GpStatus GdipSetLineWrapMode(GpLineGradient* brush, GpWrapMode wrapMode);
GpStatus GdipGetLineWrapMode(GpLineGradient* brush, GpWrapMode* wrapMode);
GpStatus GdipCreateHatchBrush(GpHatchStyle style, ARGB foreColor, ARGB backColor, GpHatch** brush);
GpStatus GdipGetHatchStyle(GpHatch* brush, GpHatchStyle* style);
GpStatus GdipGetHatchForegroundColor(GpHatch* brush, ARGB* color);
GpStatus GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* color);
// The texture is a copy of the image's part, anchored at the world's origin.
GpStatus GdipCreateTexture2I(GpImage* image, GpWrapMode wrapMode, INT x, INT y, INT width, INT height,
                             GpTexture** texture);

// ---- pens -------------------------------------------------------------------------------------

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipCreatePen2(GpBrush* brush, REAL width, GpUnit unit, GpPen** pen);
GpStatus GdipClonePen(GpPen* pen, GpPen** clone);
GpStatus GdipDeletePen(GpPen* pen);
GpStatus GdipGetPenFillType(GpPen* pen, GpPenType* type);
GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush);
// A new brush (a copy), which the caller deletes.
GpStatus GdipGetPenBrushFill(GpPen* pen, GpBrush** brush);
GpStatus GdipSetPenColor(GpPen* pen, ARGB color);
GpStatus GdipGetPenColor(GpPen* pen, ARGB* color);
GpStatus GdipSetPenMode(GpPen* pen, GpPenAlignment mode);
GpStatus GdipGetPenMode(GpPen* pen, GpPenAlignment* mode);
GpStatus GdipSetPenWidth(GpPen* pen, REAL width);
GpStatus GdipGetPenWidth(GpPen* pen, REAL* width);
GpStatus GdipSetPenDashStyle(GpPen* pen, GpDashStyle style);
GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* style);

// ---- graphics ---------------------------------------------------------------------------------

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);
// A graphics on a DC gives that DC; one on an image lends a DC over a copy of the image, whose
// changed pixels go back (opaque) at GdipReleaseDC. The graphics is busy until then.
GpStatus GdipGetDC(GpGraphics* graphics, HDC* dc);
GpStatus GdipReleaseDC(GpGraphics* graphics, HDC dc);
GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color);
// 5 is nearest neighbour; 0, 1 and 3 bilinear; 2, 4, 6 and 7 high quality.
GpStatus GdipSetInterpolationMode(GpGraphics* graphics, GpInterpolationMode mode);
GpStatus GdipGetInterpolationMode(GpGraphics* graphics, GpInterpolationMode* mode);
GpStatus GdipSetCompositingMode(GpGraphics* graphics, GpCompositingMode mode);
GpStatus GdipGetCompositingMode(GpGraphics* graphics, GpCompositingMode* mode);
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, GpCompositingQuality quality);
GpStatus GdipGetCompositingQuality(GpGraphics* graphics, GpCompositingQuality* quality);
// 2, 4, 5 and 6 antialias; 0, 1 and 3 do not.
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, GpSmoothingMode mode);
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, GpSmoothingMode* mode);
// Whether some pixel of the rectangle lies inside the graphics' clip.
GpStatus GdipIsVisibleRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result);
GpStatus GdipIsVisibleRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result);

// ---- drawing with integer coordinates ---------------------------------------------------------

GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2);
GpStatus GdipDrawLinesI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
// Angles in degrees, clockwise from the x axis.
GpStatus GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle);
GpStatus GdipDrawBezierI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4,
                         INT y4);
GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height);
GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height);
GpStatus GdipDrawPieI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle);
GpStatus GdipFillPieI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle);
GpStatus GdipDrawPolygonI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                          GpFillMode fillMode);
// Cardinal splines of tension 0.5 through the points.
GpStatus GdipDrawCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipDrawClosedCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count);
GpStatus GdipFillClosedCurveI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count);

// ---- paths ------------------------------------------------------------------------------------

GpStatus GdipCreatePath(GpFillMode fillMode, GpPath** path);
GpStatus GdipDeletePath(GpPath* path);
// Each addition joins the figure's last point with a line, as the flat interface does.
GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle);
GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
GpStatus GdipStartPathFigure(GpPath* path);
GpStatus GdipClosePathFigure(GpPath* path);
GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path);
GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path);

// ---- images and bitmaps -----------------------------------------------------------------------

// PNG (to 32bppARGB) and BMP (to 32bppRGB, 32bppARGB for BMPs whose alpha masks say so); anything
// else is UnknownImageFormat.
GpStatus GdipLoadImageFromStream(IStream* stream, GpImage** image);
GpStatus GdipLoadImageFromFile(const char* fileName, GpImage** image);
GpStatus GdipCreateBitmapFromFile(const char* fileName, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap** bitmap);
// 32bppRGB: a device bitmap has no alpha.
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE palette, GpBitmap** bitmap);
GpStatus GdipCreateBitmapFromGdiDib(const BITMAPINFO* info, void* bits, GpBitmap** bitmap);
// 32bppPARGB.
GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics* target, GpBitmap** bitmap);
// 24bppRGB, 32bppRGB, 32bppARGB or 32bppPARGB. With scan0 the bitmap lives in the caller's memory
// (stride bytes from row to row, negative for bottom-up rows), which must outlive it; without,
// the bitmap has its own, transparent black.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, GpPixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap);
// A top-down 32-bit DIB section of the image over the background colour, premultiplied.
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbm, ARGB background);
GpStatus GdipGetImageDimension(GpImage* image, REAL* width, REAL* height);
GpStatus GdipGetImageWidth(GpImage* image, UINT* width);
GpStatus GdipGetImageHeight(GpImage* image, UINT* height);
GpStatus GdipGetImagePixelFormat(GpImage* image, GpPixelFormat* format);
// Clones have their own memory.
GpStatus GdipCloneImage(GpImage* image, GpImage** clone);
GpStatus GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, GpPixelFormat format, GpBitmap* source,
                              GpBitmap** clone);
GpStatus GdipDisposeImage(GpImage* image);
// One lock at a time (WrongState otherwise); rect null for the whole bitmap.
GpStatus GdipBitmapLockBits(GpBitmap* bitmap, const GpRect* rect, UINT flags, GpPixelFormat format,
                            BitmapData* data);
GpStatus GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* data);
GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth,
                                INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit,
                                GpImageAttributes* attributes, DrawImageAbort callback, void* callbackData);
GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                               REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit,
                               GpImageAttributes* attributes, DrawImageAbort callback, void* callbackData);
GpStatus GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcx, REAL srcy,
                                REAL srcwidth, REAL srcheight, GpUnit srcUnit);
GpStatus GdipCreateCachedBitmap(GpBitmap* bitmap, GpGraphics* graphics, GpCachedBitmap** cached);
GpStatus GdipDeleteCachedBitmap(GpCachedBitmap* cached);
GpStatus GdipDrawCachedBitmap(GpGraphics* graphics, GpCachedBitmap* cached, INT x, INT y);
GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes);
GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes);
// Bitmaps take the bitmap matrix, or else the default one. Grey matrices and flags are ignored.
GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, GpColorAdjustType type, BOOL enable,
                                           const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                                           GpColorMatrixFlags flags);

// ---- encoders ---------------------------------------------------------------------------------

// One encoder: PNG ("image/png").
GpStatus GdipGetImageEncodersSize(UINT* count, UINT* size);
GpStatus GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders);
GpStatus GdipGetEncoderParameterListSize(GpImage* image, const CLSID* encoder, UINT* size);
GpStatus GdipGetEncoderParameterList(GpImage* image, const CLSID* encoder, UINT size, EncoderParameters* buffer);
// Writes at the stream's position.
GpStatus GdipSaveImageToStream(GpImage* image, IStream* stream, const CLSID* encoder,
                               const EncoderParameters* params);

}  // namespace win

namespace platform {
// Makes "gdiplus.dll" known to the run-time binder with every entry point above. Runs once; the
// class library's start-up calls it, and so do tests that bind GDI+ by name.
void RegisterGdiPlusModule();
}  // namespace platform

namespace platform::gdiplus {

// Failures a test can ask for, to reach the paths callers take when GDI+ refuses: start-up, the
// notification hook, and making texture brushes. Ok means no failure.
struct Faults {
  win::GpStatus startup = win::Ok;
  win::GpStatus notificationHook = win::Ok;
  win::GpStatus textureBrush = win::Ok;
};
Faults& InjectedFaults();

// For leak checks: objects alive (graphics, brushes, pens, paths, images, attributes, cached
// bitmaps), GdipAlloc blocks not freed, and start-ups not shut down.
std::size_t LiveObjects();
std::size_t LiveAllocations();
int StartupCount();

}  // namespace platform::gdiplus
