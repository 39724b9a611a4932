#include "platform/classes/Graphics.h"

#include "platform/classes/Bitmap.h"
#include <algorithm>
#include <cstring>
#include <vector>


// ---- colours --------------------------------------------------------------------------------------

namespace {

struct ColorName {
  TColor Value;
  const char* Name;
};

// The order GetColorValues reports and the first name a value finds (clSilver before clLtGray).
constexpr ColorName kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

// Aliases that only read: a name written elsewhere must still be understood.
constexpr ColorName kColorAliases[] = {{clLtGray, "clLtGray"}, {clDkGray, "clDkGray"}};

struct CharsetName {
  int Value;
  const char* Name;
};

constexpr CharsetName kCharsets[] = {
    {0, "ANSI_CHARSET"},         {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},         {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},      {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},     {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},    {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

}  // namespace

win::COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) return win::GetSysColor(Color & 0xFF);
  return static_cast<win::COLORREF>(Color);
}

bool ColorToIdent(std::int64_t Color, String& Ident) {
  for (const auto& c : kColors)
    if (c.Value == Color) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const String& Ident, std::int64_t& Color) {
  for (const auto& c : kColors)
    if (SameText(Ident, c.Name)) {
      Color = c.Value;
      return true;
    }
  for (const auto& c : kColorAliases)
    if (SameText(Ident, c.Name)) {
      Color = c.Value;
      return true;
    }
  return false;
}

String ColorToString(TColor Color) {
  String ident;
  if (ColorToIdent(Color, ident)) return ident;
  String text = "$";
  text += IntToHex(static_cast<std::uint32_t>(Color), 8);
  return text;
}

bool TryStringToColor(const String& S, TColor& Color) {
  std::int64_t v;
  if (IdentToColor(S, v)) {
    Color = static_cast<TColor>(v);
    return true;
  }
  // Stored colours come back as the signed 32-bit numbers they were written as, and as hex text
  // such as "$FF00000F" that does not fit a signed integer.
  if (!TryStrToInt64(S, v) || v < INT32_MIN || v > UINT32_MAX) return false;
  Color = static_cast<TColor>(static_cast<std::uint32_t>(v));
  return true;
}

TColor StringToColor(const String& S) {
  TColor color;
  if (!TryStringToColor(S, color)) throw EConvertError(Format(SInvalidInteger, S));
  return color;
}

void GetColorValues(const std::function<void(const String&)>& Proc) {
  for (const auto& c : kColors) Proc(c.Name);
}

bool CharsetToIdent(std::int64_t Charset, String& Ident) {
  for (const auto& c : kCharsets)
    if (c.Value == Charset) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCharset(const String& Ident, std::int64_t& Charset) {
  for (const auto& c : kCharsets)
    if (SameText(Ident, c.Name)) {
      Charset = c.Value;
      return true;
    }
  return false;
}

// ---- drawing objects ----------------------------------------------------------------------------

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
  // A context that still has the object selected keeps it alive until it selects another.
  if (FHandle) win::DeleteObject(FHandle);
  FHandle = nullptr;
}

void TGraphicsObject::Changed() {
  FreeHandle();
  if (OnChange) OnChange(this);
}

// -- font

// The default font is eight points at the screen's resolution, as fonts were made when it was set.
TFont::TFont() : FHeight(-win::MulDiv(8, platform::ScreenPixelsPerInch(), 72)), FPixelsPerInch(platform::ScreenPixelsPerInch()) {}

void TFont::DeclareProperties(TPropTable& t) {
  t.Add("Charset", &TFont::Charset, &TFont::SetCharset).Idents(&CharsetToIdent, &IdentToCharset);
  t.Add("Color", &TFont::Color, &TFont::SetColor).Idents(&ColorToIdent, &IdentToColor);
  t.Add("Height", &TFont::Height, &TFont::SetHeight);
  t.Add("Name", &TFont::Name, &TFont::SetName);
  t.Add("Pitch", &TFont::Pitch, &TFont::SetPitch).SetDefault(fpDefault);
  t.Add("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  t.Add("Style", &TFont::Style, &TFont::SetStyle);
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    FHeight = f->FHeight;
    FName = f->FName;
    FStyle = f->FStyle;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FColor = f->FColor;
    // A turned font (one taken over by its handle, as for vertical bars) stays turned.
    FOrientation = f->FOrientation;
    // Heights are in pixels; a font from another resolution keeps its point size.
    if (FPixelsPerInch != f->FPixelsPerInch) FHeight = win::MulDiv(FHeight, FPixelsPerInch, f->FPixelsPerInch);
    Changed();
    return;
  }
  inherited::Assign(Source);
}

win::HFONT TFont::Handle() {
  if (!FHandle) {
    win::LOGFONTA lf;
    lf.lfHeight = FHeight;
    lf.lfWeight = FStyle.Contains(fsBold) ? win::FW_BOLD : win::FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfCharSet = FCharset;
    lf.lfQuality = win::DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FPitch == fpVariable ? win::VARIABLE_PITCH
                          : FPitch == fpFixed  ? win::FIXED_PITCH
                                               : win::DEFAULT_PITCH;
    // Never cut a face name inside a character: the rest would not match any face.
    std::size_t n = 0;
    for (std::size_t i = 0; i < FName.size();) {
      std::size_t len = 1;
      auto c = static_cast<unsigned char>(FName[i]);
      if (c >= 0xF0) len = 4;
      else if (c >= 0xE0) len = 3;
      else if (c >= 0xC0) len = 2;
      if (i + len > FName.size() || i + len >= static_cast<std::size_t>(win::LF_FACESIZE)) break;
      i += len;
      n = i;
    }
    std::memcpy(lf.lfFaceName, FName.data(), n);
    lf.lfFaceName[n] = 0;
    FHandle = win::CreateFontIndirect(&lf);
    if (!FHandle) throw EOutOfResources(SOutOfResources);
  }
  return static_cast<win::HFONT>(FHandle);
}

void TFont::SetHandle(win::HFONT Value) {
  win::LOGFONTA lf;
  if (!Value || win::GetObject(Value, sizeof(lf), &lf) == 0) throw EInvalidGraphic(SInvalidPropertyValue);
  FHeight = lf.lfHeight;
  FName = String(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName)));
  FStyle = {};
  if (lf.lfWeight >= win::FW_BOLD) FStyle << fsBold;
  if (lf.lfItalic) FStyle << fsItalic;
  if (lf.lfUnderline) FStyle << fsUnderline;
  if (lf.lfStrikeOut) FStyle << fsStrikeOut;
  FCharset = lf.lfCharSet;
  FOrientation = lf.lfEscapement;
  switch (lf.lfPitchAndFamily & 3) {
    case win::VARIABLE_PITCH: FPitch = fpVariable; break;
    case win::FIXED_PITCH: FPitch = fpFixed; break;
    default: FPitch = fpDefault;
  }
  Changed();
  FHandle = Value;
}

void TFont::SetOrientation(int Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  // The colour lives in the context, not in the font: the handle (which may carry attributes the
  // description does not, such as an escapement) stays good.
  if (OnChange) OnChange(this);
}

void TFont::SetHeight(int Value) {
  if (FHeight == Value) return;
  FHeight = Value;
  Changed();
}

int TFont::Size() const { return -win::MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-win::MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetName(const String& Value) {
  if (Value.empty() || FName == Value) return;
  FName = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (FCharset == Value) return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (FPitch == Value) return;
  FPitch = Value;
  Changed();
}

// -- pen

void TPen::DeclareProperties(TPropTable& t) {
  t.Add("Color", &TPen::Color, &TPen::SetColor).Idents(&ColorToIdent, &IdentToColor).SetDefault(clBlack);
  t.Add("Mode", &TPen::Mode, &TPen::SetMode).SetDefault(pmCopy);
  t.Add("Style", &TPen::Style, &TPen::SetStyle).SetDefault(psSolid);
  t.Add("Width", &TPen::Width, &TPen::SetWidth).SetDefault(1);
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    FColor = p->FColor;
    FMode = p->FMode;
    FStyle = p->FStyle;
    FWidth = p->FWidth;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

win::HPEN TPen::Handle() {
  if (!FHandle) {
    FHandle = win::CreatePen(static_cast<int>(FStyle), FWidth, ColorToRGB(FColor));
    if (!FHandle) throw EOutOfResources(SOutOfResources);
  }
  return static_cast<win::HPEN>(FHandle);
}

void TPen::SetHandle(win::HPEN Value) {
  win::LOGPEN lp;
  if (!Value || win::GetObject(Value, sizeof(lp), &lp) == 0) throw EInvalidGraphic(SInvalidPropertyValue);
  FColor = static_cast<TColor>(lp.lopnColor);
  FStyle = static_cast<TPenStyle>(std::min<win::UINT>(lp.lopnStyle & win::PS_STYLE_MASK, psInsideFrame));
  FWidth = lp.lopnWidth.x;
  Changed();
  FHandle = Value;
}

void TPen::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (FMode == Value) return;
  FMode = Value;
  // The mode lives in the context, not in the pen; the handle stays good.
  if (OnChange) OnChange(this);
}

void TPen::SetStyle(TPenStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || FWidth == Value) return;
  FWidth = Value;
  Changed();
}

// -- brush

void TBrush::DeclareProperties(TPropTable& t) {
  t.Add("Color", &TBrush::Color, &TBrush::SetColor).Idents(&ColorToIdent, &IdentToColor).SetDefault(clWhite);
  t.Add("Style", &TBrush::Style, &TBrush::SetStyle).SetDefault(bsSolid);
}

TBrush::~TBrush() { delete FBitmap; }

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    if (b->FBitmap) {
      if (!FBitmap) FBitmap = new TBitmap;
      FBitmap->Assign(b->FBitmap);
    } else {
      delete FBitmap;
      FBitmap = nullptr;
    }
    Changed();
    return;
  }
  inherited::Assign(Source);
}

win::HBRUSH TBrush::Handle() {
  if (!FHandle) {
    if (FBitmap && !FBitmap->Empty()) {
      FHandle = win::CreatePatternBrush(FBitmap->Handle());
      if (!FHandle) throw EOutOfResources(SOutOfResources);
      return static_cast<win::HBRUSH>(FHandle);
    }
    win::LOGBRUSH lb;
    lb.lbColor = ColorToRGB(FColor);
    switch (FStyle) {
      case bsSolid: lb.lbStyle = win::BS_SOLID; break;
      case bsClear: lb.lbStyle = win::BS_NULL; break;
      default:
        lb.lbStyle = win::BS_HATCHED;
        lb.lbHatch = static_cast<win::ULONG_PTR>(FStyle - bsHorizontal);
    }
    FHandle = win::CreateBrushIndirect(&lb);
    if (!FHandle) throw EOutOfResources(SOutOfResources);
  }
  return static_cast<win::HBRUSH>(FHandle);
}

void TBrush::SetHandle(win::HBRUSH Value) {
  win::LOGBRUSH lb;
  if (!Value || win::GetObject(Value, sizeof(lb), &lb) == 0) throw EInvalidGraphic(SInvalidPropertyValue);
  FColor = static_cast<TColor>(lb.lbColor & 0xFFFFFF);
  if (lb.lbStyle == win::BS_NULL)
    FStyle = bsClear;
  else if (lb.lbStyle == win::BS_HATCHED && lb.lbHatch <= win::HS_DIAGCROSS)
    FStyle = static_cast<TBrushStyle>(bsHorizontal + lb.lbHatch);
  else
    FStyle = bsSolid;
  Changed();
  FHandle = Value;
}

void TBrush::SetColor(TColor Value) {
  if (FColor == Value && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (!Value && !FBitmap) return;
  if (Value) {
    if (!FBitmap) FBitmap = new TBitmap;
    FBitmap->Assign(Value);
  } else {
    delete FBitmap;
    FBitmap = nullptr;
  }
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

// ---- pictures -----------------------------------------------------------------------------------

void TGraphic::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromClipboardFormat(win::WORD, win::HANDLE, win::HPALETTE) {
  throw EInvalidGraphic(SUnknownClipboardFormat);
}

void TGraphic::SaveToClipboardFormat(win::WORD&, win::HANDLE&, win::HPALETTE&) {
  throw EInvalidGraphic(SUnknownClipboardFormat);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::DefineProperties(TFiler* Filer) {
  bool hasData;
  if (auto* ancestor = Filer->Ancestor())
    hasData = !ancestor->Is<TGraphic>() || !Equals(static_cast<TGraphic*>(ancestor));
  else
    hasData = !Empty();
  Filer->DefineBinaryProperty("Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); },
                              hasData);
}

void TGraphic::ReadData(TStream* Stream) { LoadFromStream(Stream); }

void TGraphic::WriteData(TStream* Stream) { SaveToStream(Stream); }

bool TGraphic::Equals(TGraphic* Graphic) {
  if (!Graphic || Graphic->ClassType() != ClassType()) return false;
  if (Empty() || Graphic->Empty()) return Empty() == Graphic->Empty();
  TMemoryStream a, b;
  WriteData(&a);
  Graphic->WriteData(&b);
  return a.Size() == b.Size() && std::memcmp(a.Memory(), b.Memory(), static_cast<std::size_t>(a.Size())) == 0;
}

win::HDC TGraphic::DrawHandle(TCanvas* ACanvas) {
  ACanvas->RequiredState({csHandleValid});
  return ACanvas->FHandle;
}

// ---- canvas ---------------------------------------------------------------------------------------

namespace {

constexpr int kPenModes[] = {win::R2_BLACK,       win::R2_WHITE,       win::R2_NOP,         win::R2_NOT,
                             win::R2_COPYPEN,     win::R2_NOTCOPYPEN,  win::R2_MERGEPENNOT, win::R2_MASKPENNOT,
                             win::R2_MERGENOTPEN, win::R2_MASKNOTPEN,  win::R2_MERGEPEN,    win::R2_NOTMERGEPEN,
                             win::R2_MASKPEN,     win::R2_NOTMASKPEN,  win::R2_XORPEN,      win::R2_NOTXORPEN};

const TCanvasState csAllValid{csHandleValid, csFontValid, csPenValid, csBrushValid};

}  // namespace

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {
  FFont->OnChange = [this](TObject* s) { FontChanged(s); };
  FPen->OnChange = [this](TObject* s) { PenChanged(s); };
  FBrush->OnChange = [this](TObject* s) { BrushChanged(s); };
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  delete FFont;
  delete FPen;
  delete FBrush;
}

win::HDC TCanvas::Handle() {
  // Whoever takes the context may draw on it directly.
  Changing();
  RequiredState(csAllValid);
  return FHandle;
}

void TCanvas::SetHandle(win::HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    DeselectHandles();
    win::GetCurrentPositionEx(FHandle, &FPenPos);
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FState.Include(csHandleValid);
    FHandle = Value;
    win::MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  if (FState.Contains(csPenValid)) win::SelectObject(FHandle, win::GetStockObject(win::BLACK_PEN));
  if (FState.Contains(csBrushValid)) win::SelectObject(FHandle, win::GetStockObject(win::HOLLOW_BRUSH));
  if (FState.Contains(csFontValid)) win::SelectObject(FHandle, win::GetStockObject(win::SYSTEM_FONT));
  FState -= TCanvasState{csPenValid, csBrushValid, csFontValid};
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  TCanvasState needed = ReqState - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation(SNoCanvasHandle);
  }
  if (needed.Contains(csFontValid)) SelectFont();
  if (needed.Contains(csPenValid)) SelectPen();
  if (needed.Contains(csBrushValid)) SelectBrush();
  FState += needed;
}

void TCanvas::SelectFont() {
  win::SelectObject(FHandle, FFont->Handle());
  win::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
}

void TCanvas::SelectPen() {
  win::SelectObject(FHandle, FPen->Handle());
  win::SetROP2(FHandle, kPenModes[FPen->Mode()]);
}

void TCanvas::SelectBrush() {
  win::SelectObject(FHandle, FBrush->Handle());
  win::COLORREF c = ColorToRGB(FBrush->Color());
  if (FBrush->Style() == bsSolid) {
    win::SetBkColor(FHandle, c);
    win::SetBkMode(FHandle, win::OPAQUE);
  } else {
    // Hatches draw their gaps in the background colour: the inverse keeps them visible.
    win::SetBkColor(FHandle, ~c & 0xFFFFFF);
    win::SetBkMode(FHandle, win::TRANSPARENT);
  }
}

void TCanvas::FontChanged(TObject*) {
  if (FState.Contains(csFontValid)) {
    FState.Exclude(csFontValid);
    win::SelectObject(FHandle, win::GetStockObject(win::SYSTEM_FONT));
  }
}

void TCanvas::PenChanged(TObject*) {
  if (FState.Contains(csPenValid)) {
    FState.Exclude(csPenValid);
    win::SelectObject(FHandle, win::GetStockObject(win::BLACK_PEN));
  }
}

void TCanvas::BrushChanged(TObject*) {
  if (FState.Contains(csBrushValid)) {
    FState.Exclude(csBrushValid);
    win::SelectObject(FHandle, win::GetStockObject(win::HOLLOW_BRUSH));
  }
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

win::POINT TCanvas::PenPos() {
  if (!FHandle) return FPenPos;
  win::POINT p;
  win::GetCurrentPositionEx(FHandle, &p);
  return p;
}

win::RECT TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  win::RECT r;
  win::GetClipBox(FHandle, &r);
  return r;
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(win::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  win::SetPixel(FHandle, X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  win::MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::LineTo(FHandle, X, Y);
  Changed();
}

void TCanvas::Polyline(const win::POINT* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polyline(FHandle, Points, Count);
  Changed();
}

void TCanvas::Polygon(const win::POINT* Points, int Count) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polygon(FHandle, Points, Count);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::FillRect(const win::RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FillRect(FHandle, &Rect, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const win::RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FrameRect(FHandle, &Rect, FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const win::RECT& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::ExtTextOut(FHandle, X, Y, static_cast<win::UINT>(FTextFlags), nullptr, Text.c_str(),
                  static_cast<win::UINT>(Text.size()), nullptr);
  // The pen ends behind the text, so consecutive TextOut calls can follow PenPos.
  MoveTo(X + TextWidth(Text), Y);
  Changed();
}

void TCanvas::TextRect(const win::RECT& Rect, int X, int Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::UINT options = win::ETO_CLIPPED | static_cast<win::UINT>(FTextFlags);
  if (FBrush->Style() != bsClear) options |= win::ETO_OPAQUE;
  win::ExtTextOut(FHandle, X, Y, options, &Rect, Text.c_str(), static_cast<win::UINT>(Text.size()), nullptr);
  Changed();
}

win::SIZE TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  win::SIZE s;
  win::GetTextExtentPoint32(FHandle, Text.c_str(), static_cast<int>(Text.size()), &s);
  return s;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const win::RECT& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  // Monochrome pictures take their two colours from the context.
  win::SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
  win::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const win::RECT& Dest, TCanvas* Canvas, const win::RECT& Source) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  win::StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Canvas->FHandle,
                  Source.left, Source.top, Source.right - Source.left, Source.bottom - Source.top,
                  static_cast<win::DWORD>(FCopyMode));
  Changed();
}

void TCanvas::BrushCopy(const win::RECT& Dest, TBitmap* Bitmap, const win::RECT& Source, TColor Color) {
  if (!Bitmap || Bitmap->Empty()) return;
  int w = Dest.right - Dest.left, h = Dest.bottom - Dest.top;
  if (w <= 0 || h <= 0) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  // The source, scaled to the destination, in 32 bits, so the key colour is compared exactly.
  auto contextOf = [](TCanvas* c) {
    c->RequiredState({csHandleValid});
    return c->FHandle;
  };
  TBitmap scaled;
  scaled.SetPixelFormat(pf32bit);
  scaled.SetSize(w, h);
  win::HDC tmp = contextOf(scaled.Canvas());
  win::SetStretchBltMode(tmp, win::COLORONCOLOR);
  win::StretchBlt(tmp, 0, 0, w, h, contextOf(Bitmap->Canvas()), Source.left, Source.top, Source.right - Source.left,
                  Source.bottom - Source.top, win::SRCCOPY);
  scaled.SetTransparentColor(Color);
  win::HBITMAP mask = scaled.MaskHandle();
  // Where the mask marks the key colour the brush paints, elsewhere the picture is copied.
  win::MaskBlt(FHandle, Dest.left, Dest.top, w, h, contextOf(scaled.Canvas()), 0, 0, mask, 0, 0,
               win::MAKEROP4(win::PATCOPY, win::SRCCOPY));
  Changed();
}

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

void TCanvas::Unlock() {
  if (FLockCount == 0) return;
  --FLockCount;
  FLock.unlock();
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}
