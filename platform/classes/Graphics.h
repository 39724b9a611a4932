#pragma once
// Graphics objects of the class library: colours, the font, pen and brush that tell their users
// when they change, the abstract picture (TGraphic) and the canvas that draws with them on a
// device context it gets only when it first needs one.
#include <cstdint>
#include <mutex>

#include "platform/classes/Filer.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Streams.h"
#include "platform/classes/TypInfo.h"
#include "platform/gdi/Gdi.h"

// ---- messages -------------------------------------------------------------------------------------

inline constexpr const char* SNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* SUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SInvalidPixelFormat = "Invalid pixel format";
inline constexpr const char* SScanLine = "Scan line index out of range";
inline constexpr const char* SJPEGError = "JPEG error #%d";
inline constexpr const char* SInvalidImageSize = "Invalid image size";
inline constexpr const char* SInvalidImageList = "Invalid ImageList";
inline constexpr const char* SReplaceImage = "Unable to Replace Image";
inline constexpr const char* SImageIndexError = "Invalid ImageList Index";
inline constexpr const char* SImageReadFail = "Failed to read ImageList data from stream";
inline constexpr const char* SUnknownClipboardFormat = "Unsupported clipboard format";

VW_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
VW_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// ---- colours --------------------------------------------------------------------------------------

// 0x00BBGGRR for a plain colour; the top byte 0xFF marks a system colour whose low byte is the
// COLOR_ index; clNone and clDefault are markers the painters interpret.
using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }

constexpr TColor clScrollBar = SystemColor(win::COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(win::COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SystemColor(win::COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SystemColor(win::COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SystemColor(win::COLOR_MENU);
constexpr TColor clWindow = SystemColor(win::COLOR_WINDOW);
constexpr TColor clWindowFrame = SystemColor(win::COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SystemColor(win::COLOR_MENUTEXT);
constexpr TColor clWindowText = SystemColor(win::COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SystemColor(win::COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SystemColor(win::COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SystemColor(win::COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SystemColor(win::COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SystemColor(win::COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(win::COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(win::COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(win::COLOR_BTNSHADOW);
constexpr TColor clGrayText = SystemColor(win::COLOR_GRAYTEXT);
constexpr TColor clBtnText = SystemColor(win::COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SystemColor(win::COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SystemColor(win::COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SystemColor(win::COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(win::COLOR_3DLIGHT);
constexpr TColor clInfoText = SystemColor(win::COLOR_INFOTEXT);
constexpr TColor clInfoBk = SystemColor(win::COLOR_INFOBK);
constexpr TColor clHotLight = SystemColor(win::COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SystemColor(win::COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SystemColor(win::COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SystemColor(win::COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SystemColor(win::COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour resolved through the current scheme; any other value unchanged.
win::COLORREF ColorToRGB(TColor Color);
// The colour's name ("clBtnFace") when it has one, else "$00BBGGRR".
String ColorToString(TColor Color);
// A name or a number ("$FF0000", "255"); raises EConvertError for anything else.
TColor StringToColor(const String& S);
// The same without raising: false, and Color untouched, for anything else.
bool TryStringToColor(const String& S, TColor& Color);
bool ColorToIdent(std::int64_t Color, String& Ident);
bool IdentToColor(const String& Ident, std::int64_t& Color);
// Calls Proc with every colour name, in the library's order.
void GetColorValues(const std::function<void(const String&)>& Proc);

// Font charsets by name ("GB2312_CHARSET"), as form descriptions store them.
bool CharsetToIdent(std::int64_t Charset, String& Ident);
bool IdentToCharset(const String& Ident, std::int64_t& Charset);

// ---- drawing objects ----------------------------------------------------------------------------

VW_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
VW_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
VW_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
VW_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
        pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
VW_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross)

using TFontCharset = std::uint8_t;

class TBitmap;
class TCanvas;

// A font, pen or brush: a description that makes its platform handle when asked and drops it
// when the description changes, telling OnChange.
class TGraphicsObject : public TPersistent {
  VW_CLASS(TGraphicsObject, TPersistent)
 public:
  TNotifyEvent OnChange;
  bool HandleAllocated() const { return FHandle != nullptr; }

 protected:
  ~TGraphicsObject() override;
  // Drops the handle (a canvas that still has it selected keeps it until it lets go) and tells
  // OnChange.
  virtual void Changed();
  void FreeHandle();
  win::HGDIOBJ FHandle = nullptr;
};

class TFont : public TGraphicsObject {
  VW_CLASS(TFont, TGraphicsObject)
 public:
  TFont();
  void Assign(TPersistent* Source) override;
  static void DeclareProperties(TPropTable& t);

  win::HFONT Handle();
  // Takes over a font handle: the description follows the handle's LOGFONT.
  void SetHandle(win::HFONT Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // Points at PixelsPerInch.
  int Size() const;
  void SetSize(int Value);
  const String& Name() const { return FName; }
  void SetName(const String& Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  // The angle of the text in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);

 private:
  TColor FColor = clWindowText;
  int FHeight = -11;
  String FName = "MS Sans Serif";
  TFontStyles FStyle;
  TFontCharset FCharset = win::DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch = 96;
  int FOrientation = 0;
};

class TPen : public TGraphicsObject {
  VW_CLASS(TPen, TGraphicsObject)
 public:
  TPen() = default;
  void Assign(TPersistent* Source) override;
  static void DeclareProperties(TPropTable& t);

  win::HPEN Handle();
  void SetHandle(win::HPEN Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);

 private:
  TColor FColor = clBlack;
  TPenMode FMode = pmCopy;
  TPenStyle FStyle = psSolid;
  int FWidth = 1;
};

class TBrush : public TGraphicsObject {
  VW_CLASS(TBrush, TGraphicsObject)
 public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  static void DeclareProperties(TPropTable& t);

  win::HBRUSH Handle();
  void SetHandle(win::HBRUSH Value);
  TColor Color() const { return FColor; }
  // Setting a colour on a clear brush makes it solid again.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern brush from a copy of the bitmap; null goes back to the colour and style.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;  // owned copy
};

// ---- pictures -----------------------------------------------------------------------------------

// Any picture: it draws itself onto a canvas into a rectangle and streams itself.
class TGraphic : public TPersistent {
  VW_CLASS(TGraphic, TPersistent)
 public:
  TGraphic() = default;
  TNotifyEvent OnChange;
  TNotifyEvent OnProgress;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value);

  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  // The picture as clipboard data: AData is GlobalAlloc memory (the clipboard takes it). A kind
  // of picture that has no clipboard form raises EInvalidGraphic.
  virtual void LoadFromClipboardFormat(win::WORD AFormat, win::HANDLE AData, win::HPALETTE APalette);
  virtual void SaveToClipboardFormat(win::WORD& AFormat, win::HANDLE& AData, win::HPALETTE& APalette);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  // The canvas calls these.
  virtual void Draw(TCanvas* ACanvas, const win::RECT& Rect) = 0;

 protected:
  virtual void Changed(TObject* Sender);
  // Form descriptions store the picture as binary property "Data"; only pictures that differ
  // from the ancestor's are written.
  void DefineProperties(TFiler* Filer) override;
  virtual void ReadData(TStream* Stream);
  virtual void WriteData(TStream* Stream);
  bool Equals(TGraphic* Graphic);
  // The canvas's context for a picture drawing itself, without telling the canvas again.
  static win::HDC DrawHandle(TCanvas* ACanvas);

  bool FTransparent = false;
  bool FModified = false;
  friend class TPicture;
  friend class TCanvas;
};

using TGraphicClass = TClass;

// ---- canvas ---------------------------------------------------------------------------------------

VW_ENUM(TCanvasStates, csHandleValid, csFontValid, csPenValid, csBrushValid)
using TCanvasState = TSet<TCanvasStates>;

// Raster operations a canvas copies with.
using TCopyMode = std::int32_t;
constexpr TCopyMode cmBlackness = static_cast<TCopyMode>(win::BLACKNESS);
constexpr TCopyMode cmDstInvert = static_cast<TCopyMode>(win::DSTINVERT);
constexpr TCopyMode cmMergeCopy = static_cast<TCopyMode>(win::MERGECOPY);
constexpr TCopyMode cmMergePaint = static_cast<TCopyMode>(win::MERGEPAINT);
constexpr TCopyMode cmNotSrcCopy = static_cast<TCopyMode>(win::NOTSRCCOPY);
constexpr TCopyMode cmNotSrcErase = static_cast<TCopyMode>(win::NOTSRCERASE);
constexpr TCopyMode cmPatCopy = static_cast<TCopyMode>(win::PATCOPY);
constexpr TCopyMode cmPatInvert = static_cast<TCopyMode>(win::PATINVERT);
constexpr TCopyMode cmPatPaint = static_cast<TCopyMode>(win::PATPAINT);
constexpr TCopyMode cmSrcAnd = static_cast<TCopyMode>(win::SRCAND);
constexpr TCopyMode cmSrcCopy = static_cast<TCopyMode>(win::SRCCOPY);
constexpr TCopyMode cmSrcErase = static_cast<TCopyMode>(win::SRCERASE);
constexpr TCopyMode cmSrcInvert = static_cast<TCopyMode>(win::SRCINVERT);
constexpr TCopyMode cmSrcPaint = static_cast<TCopyMode>(win::SRCPAINT);
constexpr TCopyMode cmWhiteness = static_cast<TCopyMode>(win::WHITENESS);

inline win::RECT Rect(int Left, int Top, int Right, int Bottom) { return win::RECT{Left, Top, Right, Bottom}; }
inline win::RECT Bounds(int Left, int Top, int Width, int Height) {
  return win::RECT{Left, Top, Left + Width, Top + Height};
}
inline win::POINT Point(int X, int Y) { return win::POINT{X, Y}; }

// Draws on a device context with its font, pen and brush. A canvas without a context asks
// CreateHandle for one the first time it draws; objects are selected only when a drawing needs
// them and deselected when they change, so the context never holds a stale handle.
class TCanvas : public TPersistent {
  VW_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;

  win::HDC Handle();
  void SetHandle(win::HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* Pen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush; }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  win::POINT PenPos();
  void SetPenPos(win::POINT Value) { MoveTo(Value.x, Value.y); }
  // Extra ExtTextOut options for TextOut and TextRect.
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int Value) { FTextFlags = Value; }
  win::RECT ClipRect();

  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(const win::POINT* Points, int Count);
  void Polygon(const win::POINT* Points, int Count);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const win::RECT& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const win::RECT& R) { Ellipse(R.left, R.top, R.right, R.bottom); }
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FillRect(const win::RECT& Rect);
  void FrameRect(const win::RECT& Rect);
  void DrawFocusRect(const win::RECT& Rect);

  void TextOut(int X, int Y, const String& Text);
  void TextRect(const win::RECT& Rect, int X, int Y, const String& Text);
  win::SIZE TextExtent(const String& Text);
  int TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const String& Text) { return TextExtent(Text).cy; }

  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const win::RECT& Rect, TGraphic* Graphic);
  void CopyRect(const win::RECT& Dest, TCanvas* Canvas, const win::RECT& Source);
  // Copies Source of Bitmap to Dest with the pixels of Color replaced by the brush.
  void BrushCopy(const win::RECT& Dest, TBitmap* Bitmap, const win::RECT& Source, TColor Color);

  // Serialises drawing from several threads on one canvas.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount; }

  // Before and after every drawing operation.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Makes sure the context holds what a drawing needs; raises when there can be no context.
  void RequiredState(TCanvasState ReqState);

 protected:
  virtual void Changed();
  virtual void Changing();
  // Called when a drawing needs a context and there is none; the base canvas has no source.
  virtual void CreateHandle() {}
  void DeselectHandles();
  TCanvasState State() const { return FState; }

 private:
  void FontChanged(TObject*);
  void PenChanged(TObject*);
  void BrushChanged(TObject*);
  void SelectFont();
  void SelectPen();
  void SelectBrush();

  win::HDC FHandle = nullptr;
  TCanvasState FState;
  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  win::POINT FPenPos{};
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  std::recursive_mutex FLock;
  int FLockCount = 0;
  friend class TGraphic;
};
