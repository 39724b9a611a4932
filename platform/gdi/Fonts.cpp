// Fonts and text output: faces found with fontconfig, glyphs rendered by FreeType as monochrome
// bitmaps (no antialiasing), measured in whole pixels so that what is measured is what is drawn.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/gdi/Internal.h"
#include "platform/gdi/Text.h"
#include "platform/system/CodePage.h"

namespace platform::gdi {

namespace {

std::recursive_mutex& TextMutex() {
  static std::recursive_mutex m;
  return m;
}

constexpr const char* kSans = "DejaVu Sans";
constexpr const char* kMono = "DejaVu Sans Mono";
constexpr const char* kSerif = "DejaVu Serif";
constexpr const char* kCjk = "WenQuanYi Micro Hei";

// Face names the system asks for, mapped to the installed faces that stand in for them.
const char* Substitute(const std::string& name, win::BYTE charset, win::BYTE pitchAndFamily) {
  static const std::map<std::string, const char*> table = {
      {"tahoma", kSans}, {"ms sans serif", kSans}, {"ms shell dlg", kSans}, {"ms shell dlg 2", kSans},
      {"arial", kSans}, {"segoe ui", kSans}, {"verdana", kSans}, {"microsoft sans serif", kSans},
      {"system", kSans}, {"helvetica", kSans}, {"small fonts", kSans}, {"courier new", kMono},
      {"courier", kMono}, {"fixedsys", kMono}, {"terminal", kMono}, {"consolas", kMono},
      {"lucida console", kMono}, {"times new roman", kSerif}, {"georgia", kSerif}, {"宋体", kCjk},
      {"simsun", kCjk}, {"新宋体", kCjk}, {"nsimsun", kCjk}, {"黑体", kCjk}, {"simhei", kCjk},
      {"微软雅黑", kCjk}, {"microsoft yahei", kCjk}, {"楷体", kCjk}, {"楷体_gb2312", kCjk}, {"kaiti", kCjk},
      {"仿宋", kCjk}, {"fangsong", kCjk}, {"幼圆", kCjk}};
  std::string lower;
  for (char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  auto it = table.find(lower);
  if (it != table.end()) return it->second;
  if (name.empty()) {
    if (charset == win::GB2312_CHARSET || charset == win::CHINESEBIG5_CHARSET) return kCjk;
    if ((pitchAndFamily & 0x3) == win::FIXED_PITCH || (pitchAndFamily & 0xF0) == win::FF_MODERN) return kMono;
    if ((pitchAndFamily & 0xF0) == win::FF_ROMAN) return kSerif;
    return kSans;
  }
  return nullptr;  // ask fontconfig for the name itself
}

// Faces that are bitmap fonts on the system this one stands in for. They are drawn with outline
// faces here, but report themselves as bitmap fonts and ignore escapement, as those do.
bool RasterFace(const std::string& name) {
  static const char* const raster[] = {"ms sans serif", "ms serif", "system", "fixedsys", "terminal",
                                       "small fonts", "courier", "modern", "roman", "script"};
  std::string lower;
  for (char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const char* r : raster)
    if (lower == r) return true;
  return false;
}

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

struct FaceFile {
  std::string path;
  int index = 0;
  std::string family;
  bool bold = false, italic = false;
};

FaceFile Match(const char* family, bool bold, bool italic) {
  static const bool initialised = [] {
    FcInit();
    // Fontconfig's configuration lives until the process ends; hand it back then.
    std::atexit(FcFini);
    return true;
  }();
  (void)initialised;
  FaceFile out;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* m = FcFontMatch(nullptr, pat, &result);
  if (m) {
    FcChar8* file = nullptr;
    FcChar8* fam = nullptr;
    int weight = 0, slant = 0;
    if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) out.path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(m, FC_INDEX, 0, &out.index);
    if (FcPatternGetString(m, FC_FAMILY, 0, &fam) == FcResultMatch) out.family = reinterpret_cast<const char*>(fam);
    if (FcPatternGetInteger(m, FC_WEIGHT, 0, &weight) == FcResultMatch) out.bold = weight >= FC_WEIGHT_DEMIBOLD;
    if (FcPatternGetInteger(m, FC_SLANT, 0, &slant) == FcResultMatch) out.italic = slant != FC_SLANT_ROMAN;
    FcPatternDestroy(m);
  }
  FcPatternDestroy(pat);
  return out;
}

// Faces are opened once per file and shared; sizes are set before each use under the text mutex.
FT_Face OpenFace(const FaceFile& f) {
  static std::map<std::pair<std::string, int>, FT_Face> open;
  auto key = std::make_pair(f.path, f.index);
  auto it = open.find(key);
  if (it != open.end()) return it->second;
  FT_Face face = nullptr;
  if (f.path.empty() || FT_New_Face(Library(), f.path.c_str(), f.index, &face) != 0) face = nullptr;
  open[key] = face;
  return face;
}

}  // namespace

struct Glyph {
  int width = 0, height = 0, left = 0, top = 0, advance = 0;
  std::vector<std::uint8_t> bits;  // one byte per pixel, 1 = ink
};

struct FontFace {
  win::LOGFONTA lf;
  FT_Face faces[2] = {nullptr, nullptr};  // requested face, CJK fallback
  std::string family;
  int em = 12;
  bool synthBold[2] = {false, false}, synthItalic[2] = {false, false};
  TextMetrics metrics;
  std::unordered_map<char32_t, Glyph> cache;

  void Size(int i) const {
    if (faces[i]) FT_Set_Pixel_Sizes(faces[i], 0, static_cast<FT_UInt>(em));
  }

  // The glyph's outline as closed polygons in pixels relative to the pen position on the
  // baseline, y pointing down; curves are flattened.
  std::vector<std::vector<std::pair<double, double>>> Outline(char32_t ch) {
    std::vector<std::vector<std::pair<double, double>>> contours;
    int which = 0;
    FT_UInt index = faces[0] ? FT_Get_Char_Index(faces[0], ch) : 0;
    if (index == 0 && faces[1]) {
      if (FT_UInt alt = FT_Get_Char_Index(faces[1], ch)) {
        which = 1;
        index = alt;
      }
    }
    FT_Face face = faces[which];
    if (!face) return contours;
    Size(which);
    if (synthItalic[which]) {
      FT_Matrix shear{0x10000, 0x03000, 0, 0x10000};
      FT_Set_Transform(face, &shear, nullptr);
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (synthBold[which]) FT_Outline_EmboldenXY(&face->glyph->outline, 64, 0);
      struct Sink {
        std::vector<std::vector<std::pair<double, double>>>* out;
        double x = 0, y = 0;
        void Add(double px, double py) {
          out->back().emplace_back(px / 64.0, -py / 64.0);
          x = px;
          y = py;
        }
      } sink{&contours};
      FT_Outline_Funcs funcs{};
      funcs.move_to = [](const FT_Vector* to, void* u) {
        auto* k = static_cast<Sink*>(u);
        k->out->emplace_back();
        k->Add(static_cast<double>(to->x), static_cast<double>(to->y));
        return 0;
      };
      funcs.line_to = [](const FT_Vector* to, void* u) {
        static_cast<Sink*>(u)->Add(static_cast<double>(to->x), static_cast<double>(to->y));
        return 0;
      };
      funcs.conic_to = [](const FT_Vector* c, const FT_Vector* to, void* u) {
        auto* k = static_cast<Sink*>(u);
        double x0 = k->x, y0 = k->y;
        for (int i = 1; i <= 6; ++i) {
          double t = i / 6.0, m = 1 - t;
          k->Add(m * m * x0 + 2 * m * t * static_cast<double>(c->x) + t * t * static_cast<double>(to->x),
                 m * m * y0 + 2 * m * t * static_cast<double>(c->y) + t * t * static_cast<double>(to->y));
        }
        return 0;
      };
      funcs.cubic_to = [](const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* u) {
        auto* k = static_cast<Sink*>(u);
        double x0 = k->x, y0 = k->y;
        for (int i = 1; i <= 8; ++i) {
          double t = i / 8.0, m = 1 - t;
          k->Add(m * m * m * x0 + 3 * m * m * t * static_cast<double>(c1->x) + 3 * m * t * t * static_cast<double>(c2->x) +
                     t * t * t * static_cast<double>(to->x),
                 m * m * m * y0 + 3 * m * m * t * static_cast<double>(c1->y) + 3 * m * t * t * static_cast<double>(c2->y) +
                     t * t * t * static_cast<double>(to->y));
        }
        return 0;
      };
      FT_Outline_Decompose(&face->glyph->outline, &funcs, &sink);
    }
    FT_Set_Transform(face, nullptr, nullptr);
    return contours;
  }

  const Glyph& Get(char32_t ch) {
    auto it = cache.find(ch);
    if (it != cache.end()) return it->second;
    Glyph g;
    int which = 0;
    FT_UInt index = faces[0] ? FT_Get_Char_Index(faces[0], ch) : 0;
    if (index == 0 && faces[1]) {
      FT_UInt alt = FT_Get_Char_Index(faces[1], ch);
      if (alt) {
        which = 1;
        index = alt;
      }
    }
    FT_Face face = faces[which];
    if (face) {
      Size(which);
      if (synthItalic[which]) {
        FT_Matrix shear{0x10000, 0x03000, 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
      } else {
        FT_Set_Transform(face, nullptr, nullptr);
      }
      if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) == 0) {
        if (synthBold[which] && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE)
          FT_Outline_EmboldenXY(&face->glyph->outline, 64, 0);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0) {
          const FT_Bitmap& bm = face->glyph->bitmap;
          g.width = static_cast<int>(bm.width);
          g.height = static_cast<int>(bm.rows);
          g.left = face->glyph->bitmap_left;
          g.top = face->glyph->bitmap_top;
          g.bits.assign(static_cast<size_t>(g.width) * static_cast<size_t>(g.height), 0);
          for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            for (int x = 0; x < g.width; ++x)
              g.bits[static_cast<size_t>(y * g.width + x)] = (row[x >> 3] >> (7 - (x & 7))) & 1;
          }
        }
        g.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6) + (synthBold[which] ? 1 : 0);
      }
      FT_Set_Transform(face, nullptr, nullptr);
    }
    return cache.emplace(ch, std::move(g)).first->second;
  }
};

namespace {

std::shared_ptr<FontFace> MakeFace(const win::LOGFONTA& lf) {
  auto f = std::make_shared<FontFace>();
  f->lf = lf;
  std::string name(lf.lfFaceName, strnlen(lf.lfFaceName, win::LF_FACESIZE));
  bool bold = lf.lfWeight >= win::FW_SEMIBOLD;
  bool italic = lf.lfItalic != 0;
  const char* family = Substitute(name, lf.lfCharSet, lf.lfPitchAndFamily);
  FaceFile primary = Match(family ? family : name.c_str(), bold, italic);
  if (primary.path.empty()) primary = Match(kSans, bold, italic);
  FaceFile cjk = Match(kCjk, bold, italic);
  f->faces[0] = OpenFace(primary);
  f->faces[1] = OpenFace(cjk);
  f->family = primary.family;
  f->synthBold[0] = bold && !primary.bold;
  f->synthItalic[0] = italic && !primary.italic;
  f->synthBold[1] = bold && !cjk.bold;
  f->synthItalic[1] = italic && !cjk.italic;

  FT_Face face = f->faces[0] ? f->faces[0] : f->faces[1];
  TextMetrics& m = f->metrics;
  if (!face) {
    m = TextMetrics{};
    return f;
  }
  // Cell metrics come from the Windows ascent and descent of the face, as the cell height of a
  // positive lfHeight is defined by them.
  double up = face->units_per_EM ? face->units_per_EM : 2048;
  double asc = face->ascender, desc = -face->descender;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    asc = os2->usWinAscent;
    desc = os2->usWinDescent;
  }
  int height = lf.lfHeight;
  if (height == 0) height = -12;
  if (height < 0)
    f->em = -height;
  else
    f->em = std::max(1, static_cast<int>(std::lround(height * up / (asc + desc))));
  double scale = f->em / up;
  m.ascent = static_cast<int>(std::lround(asc * scale));
  m.descent = static_cast<int>(std::lround(desc * scale));
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - f->em);
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (hhea) {
    double line = hhea->Ascender - hhea->Descender + hhea->Line_Gap;
    m.externalLeading = std::max(0, static_cast<int>(std::lround(line * scale)) - m.height);
  }
  m.aveCharWidth = os2 && os2->xAvgCharWidth ? static_cast<int>(std::lround(os2->xAvgCharWidth * scale)) : f->em / 2;
  m.maxCharWidth = static_cast<int>(std::lround((face->bbox.xMax - face->bbox.xMin) * scale));
  m.fixedPitch = FT_IS_FIXED_WIDTH(face);
  // Asking for outline output (OUT_TT_PRECIS, OUT_TT_ONLY_PRECIS, OUT_OUTLINE_PRECIS) gets an
  // outline face even under a bitmap font's name.
  bool outline = lf.lfOutPrecision == 4 || lf.lfOutPrecision == 7 || lf.lfOutPrecision == 8;
  m.raster = RasterFace(name) && !outline;
  // A bitmap font cannot be turned: its text is drawn level whatever the escapement.
  if (m.raster) f->lf.lfEscapement = 0;
  m.overhang = f->synthBold[0] ? 1 : 0;
  // Underline and strike-out lines, relative to the baseline (positive is down).
  int thick = std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
  m.lineThickness = thick;
  m.underlinePos = std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)));
  if (m.underlinePos + thick > m.descent) m.underlinePos = std::max(0, m.descent - thick);
  m.strikePos = os2 && os2->yStrikeoutPosition ? -static_cast<int>(std::lround(os2->yStrikeoutPosition * scale))
                                               : -m.ascent / 3;
  return f;
}

}  // namespace

FontObj* CurrentFont(DeviceContext& dc) {
  FontObj* f = Font(dc.s.font);
  if (!f) f = Font(static_cast<win::HFONT>(win::GetStockObject(win::SYSTEM_FONT)));
  return f;
}

static FontFace& FaceOf(DeviceContext& dc) {
  FontObj* f = CurrentFont(dc);
  if (!f->face) {
    // Equal requests share one face and its glyph cache: controls create fonts freely.
    static std::map<std::string, std::shared_ptr<FontFace>> faces;
    std::string key(reinterpret_cast<const char*>(&f->lf), sizeof f->lf);
    auto& slot = faces[key];
    if (!slot) slot = MakeFace(f->lf);
    f->face = slot;
  }
  return *f->face;
}

// ---- UTF-8 ----

std::u32string DecodeText(win::LPCSTR text, int count) {
  std::u32string out;
  if (!text) return out;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p && (count < 0 || static_cast<int>(out.size()) < count)) {
    char32_t c = *p;
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0) {
      out += U'\uFFFD';
      ++p;
      continue;
    }
    c &= extra == 0 ? 0x7F : extra == 1 ? 0x1F : extra == 2 ? 0x0F : 0x07;
    ++p;
    bool bad = false;
    for (int i = 0; i < extra; ++i) {
      if ((*p & 0xC0) != 0x80) {
        bad = true;
        break;
      }
      c = (c << 6) | (*p & 0x3F);
      ++p;
    }
    out += bad ? U'\uFFFD' : c;
  }
  return out;
}

std::string EncodeText(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) platform::AppendUtf8(out, c);
  return out;
}

// ---- measuring and drawing ----

TextMetrics Metrics(DeviceContext& dc) {
  std::lock_guard lock(TextMutex());
  return FaceOf(dc).metrics;
}

std::vector<int> Advances(DeviceContext& dc, const std::u32string& text) {
  std::lock_guard lock(TextMutex());
  FontFace& face = FaceOf(dc);
  std::vector<int> out(text.size());
  int breaks = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    out[i] = face.Get(text[i]).advance + dc.s.charExtra;  // both bounded: see SetTextCharacterExtra
    if (text[i] == U' ' && dc.s.breakCount > 0) {
      // Justification spreads the extra over the break characters, the remainder to the first.
      int share = dc.s.breakExtra / dc.s.breakCount;
      if (breaks < dc.s.breakExtra % dc.s.breakCount) ++share;
      if (breaks < dc.s.breakCount) out[i] += share;
      ++breaks;
    }
  }
  return out;
}

int TextWidth(DeviceContext& dc, const std::u32string& text) {
  long long w = 0;
  for (int a : Advances(dc, text)) w += a;
  return Clamp(w);
}

std::string FaceName(DeviceContext& dc) {
  std::lock_guard lock(TextMutex());
  return FaceOf(dc).family;
}

namespace {

// Plots the glyphs' ink into a mask of the text's cell, then puts the mask on the target (rotated
// by the font's escapement), clipped to the DC's clip and to `clip` when given.
void RenderText(DeviceContext& dc, win::POINT origin, const std::u32string& text, const std::vector<int>& adv,
                const win::RECT* clip, std::uint32_t color, int underlineFrom, int underlineTo) {
  FontFace& face = FaceOf(dc);
  const TextMetrics& m = face.metrics;
  // The ink as runs of pixels relative to the cell's top-left corner.
  std::vector<pixman_box32_t> ink;
  auto run = [&](long long x0, long long x1, long long y) {
    if (x1 > x0) ink.push_back({Clamp(x0), Clamp(y), Clamp(x1), Clamp(y + 1)});
  };
  long long pen = 0;
  std::vector<long long> starts(text.size() + 1, 0);
  for (size_t i = 0; i < text.size(); ++i) {
    starts[i] = pen;
    const Glyph& g = face.Get(text[i]);
    for (int y = 0; y < g.height; ++y) {
      const std::uint8_t* row = &g.bits[static_cast<size_t>(y) * static_cast<size_t>(g.width)];
      int x = 0;
      while (x < g.width) {
        if (!row[x]) {
          ++x;
          continue;
        }
        int from = x;
        while (x < g.width && row[x]) ++x;
        run(pen + g.left + from, pen + g.left + x, m.ascent - g.top + y);
      }
    }
    pen += adv[i];
  }
  starts[text.size()] = pen;
  auto hline = [&](long long x0, long long x1, int y, int thick) {
    for (int t = 0; t < thick; ++t) run(x0, x1, y + t);
  };
  if (face.lf.lfUnderline) hline(0, pen, m.ascent + m.underlinePos, m.lineThickness);
  if (face.lf.lfStrikeOut) hline(0, pen, m.ascent + m.strikePos, m.lineThickness);
  if (underlineTo > underlineFrom && underlineFrom >= 0 && underlineTo <= static_cast<int>(text.size())) {
    // The prefix underline spans the character's advance less the character spacing.
    hline(starts[static_cast<size_t>(underlineFrom)], starts[static_cast<size_t>(underlineTo)] - dc.s.charExtra,
          m.ascent + m.underlinePos, 1);
  }
  if (ink.empty()) return;
  Region shape = RegionFromBoxes(ink);

  PixelBuffer t = Target(dc);
  if (!t.pixels) return;
  Region area(Clip(dc));
  if (clip) area.Intersect(LrToTarget(dc, *clip));
  if (area.Empty()) return;
  win::POINT o = LpToTarget(dc, origin);  // top-left of the cell
  int esc = face.lf.lfEscapement % 3600;
  if (esc < 0) esc += 3600;
  if (esc == 0) {
    shape.Offset(o.x, o.y);
    shape.Intersect(area);
    for (const win::RECT& r : shape.Rects())
      for (int y = r.top; y < r.bottom; ++y) std::fill(t.Row(y) + r.left, t.Row(y) + r.right, color);
    return;
  }
  // Rotated about the cell's top-left corner, counter-clockwise on screen: each visible pixel
  // centre is mapped back into the unrotated ink.
  double a = esc * 3.14159265358979323846 / 1800.0;
  double c = std::cos(a), s = std::sin(a);
  if (esc % 900 == 0) {
    c = std::lround(c);
    s = std::lround(s);
  }
  win::RECT ib = shape.Bounds();
  double xs[4], ys[4];
  int k = 0;
  for (double u : {static_cast<double>(ib.left), static_cast<double>(ib.right)})
    for (double v : {static_cast<double>(ib.top), static_cast<double>(ib.bottom)}) {
      xs[k] = u * c + v * s;
      ys[k] = -u * s + v * c;
      ++k;
    }
  win::RECT vis = area.Bounds();
  long long x0 = std::max<long long>(static_cast<long long>(std::floor(*std::min_element(xs, xs + 4))) - 1 + o.x, vis.left);
  long long x1 = std::min<long long>(static_cast<long long>(std::ceil(*std::max_element(xs, xs + 4))) + 1 + o.x, vis.right);
  long long y0 = std::max<long long>(static_cast<long long>(std::floor(*std::min_element(ys, ys + 4))) - 1 + o.y, vis.top);
  long long y1 = std::min<long long>(static_cast<long long>(std::ceil(*std::max_element(ys, ys + 4))) + 1 + o.y, vis.bottom);
  for (long long ty = y0; ty < y1; ++ty)
    for (long long tx = x0; tx < x1; ++tx) {
      if (!area.Contains(static_cast<int>(tx), static_cast<int>(ty))) continue;
      double px = static_cast<double>(tx - o.x) + 0.5, py = static_cast<double>(ty - o.y) + 0.5;
      double u = px * c - py * s, v = px * s + py * c;
      if (shape.Contains(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v))))
        t.At(static_cast<int>(tx), static_cast<int>(ty)) = color;
    }
}

}  // namespace

bool DrawTextLine(DeviceContext& dc, int x, int y, win::UINT options, const win::RECT* rc, const std::u32string& text,
                  const int* dx, int prefixAt) {
  std::lock_guard lock(TextMutex());
  FontFace& face = FaceOf(dc);
  const TextMetrics& m = face.metrics;
  std::vector<int> adv = dx ? std::vector<int>(dx, dx + text.size()) : Advances(dc, text);
  for (int& a : adv) a = std::clamp(a, -(1 << 20), 1 << 20);
  long long total = 0;
  for (int a : adv) total += a;
  int width = Clamp(total);
  win::UINT align = dc.s.textAlign;
  win::POINT ref{x, y};
  if (align & win::TA_UPDATECP) ref = dc.s.pos;
  int esc = face.lf.lfEscapement;
  // Horizontal alignment moves along the baseline; vertical picks the cell's top from the reference.
  int along = 0;
  if ((align & win::TA_CENTER) == win::TA_CENTER)
    along = -width / 2;
  else if (align & win::TA_RIGHT)
    along = -width;
  int down = 0;
  if ((align & win::TA_BASELINE) == win::TA_BASELINE)
    down = -m.ascent;
  else if (align & win::TA_BOTTOM)
    down = -m.height;
  double a = esc * 3.14159265358979323846 / 1800.0;
  double c = std::cos(a), s = std::sin(a);
  win::POINT cell{ref.x + static_cast<int>(std::lround(along * c + down * s)),
                  ref.y + static_cast<int>(std::lround(-along * s + down * c))};
  if (dc.s.path.open) {
    // Inside a path the text adds its glyph outlines as closed figures.
    double pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      for (const auto& contour : face.Outline(text[i])) {
        if (contour.size() < 3) continue;
        PathFigure f;
        for (auto [gx, gy] : contour) {
          double u = pen + gx, v = m.ascent + gy;  // relative to the cell's top-left
          win::POINT lp{cell.x + static_cast<int>(std::lround(u * c + v * s)),
                        cell.y + static_cast<int>(std::lround(-u * s + v * c))};
          f.points.push_back(LpToDp(dc, lp));
        }
        f.closed = true;
        dc.s.path.figures.push_back(std::move(f));
      }
      pen += adv[i];
    }
    if (align & win::TA_UPDATECP) dc.s.pos.x += width;
    return true;
  }
  if (options & win::ETO_OPAQUE && rc) {
    FillArea(dc, Region(LrToTarget(dc, *rc)), MakeSolidPattern(dc, dc.s.bkColor), 0xF0);
  } else if (dc.s.bkMode == win::OPAQUE && esc == 0) {
    win::RECT cellRect{cell.x, cell.y, cell.x + width, cell.y + m.height};
    Region bg(LrToTarget(dc, cellRect));
    if ((options & win::ETO_CLIPPED) && rc) bg.Intersect(LrToTarget(dc, *rc));
    FillArea(dc, bg, MakeSolidPattern(dc, dc.s.bkColor), 0xF0);
  }
  RenderText(dc, cell, text, adv, (options & win::ETO_CLIPPED) ? rc : nullptr, ResolveColor(dc, dc.s.textColor),
             prefixAt, prefixAt + 1);
  if (align & win::TA_UPDATECP) {
    int move = (align & win::TA_RIGHT) && (align & win::TA_CENTER) != win::TA_CENTER ? -width
               : (align & win::TA_CENTER) == win::TA_CENTER                          ? 0
                                                                                      : width;
    dc.s.pos.x += move;
  }
  return true;
}

// The families a test listed in place of the installed ones.
struct FamilyList {
  std::mutex mutex;
  std::optional<std::vector<std::string>> set;
};

FamilyList& ListedFamilies() {
  static FamilyList list;
  return list;
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

UINT SetTextAlign(HDC h, UINT align) {
  DeviceContext* dc = Dc(h);
  if (!dc) return static_cast<UINT>(-1);  // GDI_ERROR
  return std::exchange(dc->s.textAlign, align);
}
UINT GetTextAlign(HDC h) {
  DeviceContext* dc = Dc(h);
  return dc ? dc->s.textAlign : static_cast<UINT>(-1);
}
int SetTextCharacterExtra(HDC h, int extra) {
  DeviceContext* dc = Dc(h);
  if (!dc) return static_cast<int>(0x80000000);
  // Spacing past any real use is cut, so that widths of long texts stay within range.
  return std::exchange(dc->s.charExtra, std::clamp(extra, -(1 << 14), 1 << 14));
}
int GetTextCharacterExtra(HDC h) {
  DeviceContext* dc = Dc(h);
  return dc ? dc->s.charExtra : static_cast<int>(0x80000000);
}
BOOL SetTextJustification(HDC h, int breakExtra, int breakCount) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  dc->s.breakExtra = breakCount > 0 ? std::clamp(breakExtra, -(1 << 20), 1 << 20) : 0;
  dc->s.breakCount = breakCount > 0 ? breakCount : 0;
  return TRUE;
}

BOOL TextOut(HDC h, int x, int y, LPCSTR text, int count) {
  DeviceContext* dc = Dc(h);
  if (!dc || (!text && count != 0)) return FALSE;
  if (count == 0) return TRUE;
  return DrawTextLine(*dc, x, y, 0, nullptr, DecodeText(text, count), nullptr, -1) ? TRUE : FALSE;
}

BOOL ExtTextOut(HDC h, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT count, const INT* dx) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  std::u32string s = text ? DecodeText(text, static_cast<int>(count)) : std::u32string();
  if (s.empty()) {
    // Only the opaque rectangle.
    if ((options & ETO_OPAQUE) && rc) FillArea(*dc, Region(LrToTarget(*dc, *rc)), MakeSolidPattern(*dc, dc->s.bkColor), 0xF0);
    return TRUE;
  }
  return DrawTextLine(*dc, x, y, options, rc, s, dx, -1) ? TRUE : FALSE;
}

BOOL GetTextExtentPoint32(HDC h, LPCSTR text, int count, SIZE* size) {
  DeviceContext* dc = Dc(h);
  if (!dc || !size || (!text && count > 0)) return FALSE;
  std::u32string s = DecodeText(text, count);
  size->cx = TextWidth(*dc, s);
  size->cy = Metrics(*dc).height;
  return TRUE;
}

BOOL GetTextExtentPoint(HDC h, LPCSTR text, int count, SIZE* size) { return GetTextExtentPoint32(h, text, count, size); }

BOOL GetTextExtentExPoint(HDC h, LPCSTR text, int count, int maxExtent, INT* fit, INT* dx, SIZE* size) {
  DeviceContext* dc = Dc(h);
  if (!dc || (!text && count > 0)) return FALSE;
  std::u32string s = DecodeText(text, count);
  std::vector<int> adv = Advances(*dc, s);
  int total = 0, n = 0;
  bool fitting = true;
  for (size_t i = 0; i < adv.size(); ++i) {
    total += adv[i];
    if (dx) dx[i] = total;
    if (fitting && (maxExtent < 0 || total <= maxExtent))
      ++n;
    else
      fitting = false;
  }
  if (fit) *fit = n;
  if (size) *size = {total, Metrics(*dc).height};
  return TRUE;
}

BOOL GetTextMetrics(HDC h, TEXTMETRICA* tm) {
  DeviceContext* dc = Dc(h);
  if (!dc || !tm) return FALSE;
  TextMetrics m = Metrics(*dc);
  FontObj* f = CurrentFont(*dc);
  *tm = TEXTMETRICA{};
  tm->tmHeight = m.height;
  tm->tmAscent = m.ascent;
  tm->tmDescent = m.descent;
  tm->tmInternalLeading = m.internalLeading;
  tm->tmExternalLeading = m.externalLeading;
  tm->tmAveCharWidth = m.aveCharWidth;
  tm->tmMaxCharWidth = m.maxCharWidth;
  tm->tmWeight = f->lf.lfWeight ? f->lf.lfWeight : FW_NORMAL;
  tm->tmOverhang = m.overhang;
  tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = static_cast<char>(0x7E);
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = f->lf.lfItalic;
  tm->tmUnderlined = f->lf.lfUnderline;
  tm->tmStruckOut = f->lf.lfStrikeOut;
  // The low bit set means variable pitch; 2 and 4 mark an outline (TrueType) face.
  tm->tmPitchAndFamily =
      static_cast<BYTE>((m.fixedPitch ? 0 : 1) | (m.raster ? 0 : 6) | (f->lf.lfPitchAndFamily & 0xF0));
  tm->tmCharSet = f->lf.lfCharSet;
  return TRUE;
}

BOOL GetCharWidth32(HDC h, UINT first, UINT last, INT* widths) {
  DeviceContext* dc = Dc(h);
  if (!dc || !widths || last < first) return FALSE;
  std::u32string s;
  for (UINT c = first; c <= last; ++c) s += static_cast<char32_t>(c);
  std::vector<int> adv = Advances(*dc, s);
  for (size_t i = 0; i < adv.size(); ++i) widths[i] = adv[i] - dc->s.charExtra;
  return TRUE;
}

BOOL GetCharWidth(HDC h, UINT first, UINT last, INT* widths) { return GetCharWidth32(h, first, last, widths); }

int GetTextFace(HDC h, int size, LPSTR name) {
  DeviceContext* dc = Dc(h);
  if (!dc) return 0;
  std::string n = FaceName(*dc);
  if (!name) return static_cast<int>(n.size()) + 1;
  if (size <= 0) return 0;
  size_t m = std::min(n.size(), static_cast<size_t>(size - 1));
  std::memcpy(name, n.data(), m);
  name[m] = 0;
  return static_cast<int>(m);
}

namespace {

int NextTabStop(int x, int tabPositions, const INT* tabStops, int tabOrigin, int defaultTab) {
  int rel = x - tabOrigin;
  if (tabPositions <= 0 || !tabStops) return tabOrigin + (rel / defaultTab + 1) * defaultTab;
  if (tabPositions == 1) {
    int step = std::abs(tabStops[0]);
    if (step <= 0) step = defaultTab;
    return tabOrigin + (rel / step + 1) * step;
  }
  for (int i = 0; i < tabPositions; ++i)
    if (std::abs(tabStops[i]) > rel) return tabOrigin + std::abs(tabStops[i]);
  // Past the last stop a tab is one space wide.
  return -1;
}

LONG Tabbed(HDC h, int x, int y, LPCSTR text, int count, int tabPositions, const INT* tabStops, int tabOrigin, bool draw) {
  DeviceContext* dc = Dc(h);
  if (!dc || !text) return 0;
  std::u32string s = DecodeText(text, count);
  TextMetrics m = Metrics(*dc);
  int defaultTab = std::max(1, 8 * m.aveCharWidth);
  int pen = x;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && s[i] != U'\t') continue;
    std::u32string run = s.substr(start, i - start);
    int w = TextWidth(*dc, run);
    if (draw && !run.empty()) {
      UINT align = dc->s.textAlign;
      dc->s.textAlign = align & ~(TA_UPDATECP | TA_RIGHT | TA_CENTER);
      DrawTextLine(*dc, pen, y, 0, nullptr, run, nullptr, -1);
      dc->s.textAlign = align;
    }
    pen += w;
    if (i < s.size()) {
      int next = NextTabStop(pen, tabPositions, tabStops, tabOrigin, defaultTab);
      if (next < 0) next = pen + TextWidth(*dc, U" ");
      if (draw && dc->s.bkMode == OPAQUE && next > pen) {
        RECT gap{pen, y, next, y + m.height};
        FillArea(*dc, Region(LrToTarget(*dc, gap)), MakeSolidPattern(*dc, dc->s.bkColor), 0xF0);
      }
      pen = next;
    }
    start = i + 1;
  }
  return static_cast<LONG>(MAKELONG(static_cast<WORD>(pen - x), static_cast<WORD>(m.height)));
}

}  // namespace

LONG TabbedTextOut(HDC h, int x, int y, LPCSTR text, int count, int tabPositions, const INT* tabStops, int tabOrigin) {
  return Tabbed(h, x, y, text, count, tabPositions, tabStops, tabOrigin, true);
}

DWORD GetTabbedTextExtent(HDC h, LPCSTR text, int count, int tabPositions, const INT* tabStops) {
  return static_cast<DWORD>(Tabbed(h, 0, 0, text, count, tabPositions, tabStops, 0, false));
}

int EnumFontFamiliesEx(HDC, const LOGFONTA* filter, FONTENUMPROCA proc, LPARAM param, DWORD) {
  std::vector<std::string> listed;
  bool useListed = false;
  {
    std::lock_guard lock(platform::gdi::ListedFamilies().mutex);
    if (platform::gdi::ListedFamilies().set) {
      useListed = true;
      listed = *platform::gdi::ListedFamilies().set;
    }
  }
  if (!proc) return 0;
  std::string wanted = filter ? std::string(filter->lfFaceName, strnlen(filter->lfFaceName, LF_FACESIZE)) : "";
  if (const char* sub = wanted.empty() ? nullptr : Substitute(wanted, 0, 0)) wanted = sub;
  auto lower = [](std::string v) {
    for (char& c : v) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return v;
  };
  struct Family {
    bool fixed = false, cjk = false;
  };
  std::map<std::string, Family> families;  // one call per family, in name order
  FcFontSet* set = nullptr;
  FcObjectSet* os = nullptr;
  FcPattern* pat = nullptr;
  if (useListed) {
    for (const std::string& name : listed)
      if (wanted.empty() || lower(name) == lower(wanted)) families[name];
  } else {
  Match(kSans, false, false);  // makes sure fontconfig is set up
  pat = FcPatternCreate();
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  os = FcObjectSetBuild(FC_FAMILY, FC_SPACING, FC_LANG, nullptr);
  set = FcFontList(nullptr, pat, os);
  for (int i = 0; set && i < set->nfont; ++i) {
    FcChar8* fam = nullptr;
    if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &fam) != FcResultMatch) continue;
    std::string name = reinterpret_cast<const char*>(fam);
    if (!wanted.empty() && lower(name) != lower(wanted)) continue;
    Family& f = families[name];
    int spacing = 0;
    if (FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing) == FcResultMatch && spacing >= FC_MONO) f.fixed = true;
    FcLangSet* langs = nullptr;
    if (FcPatternGetLangSet(set->fonts[i], FC_LANG, 0, &langs) == FcResultMatch &&
        FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("zh-cn")) == FcLangEqual)
      f.cjk = true;
  }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(os);
  FcPatternDestroy(pat);
  }
  int result = 1;
  for (const auto& [name, f] : families) {
    ENUMLOGFONTEXA elf;
    // Face names are cut at a character boundary to fit.
    size_t n = std::min(name.size(), static_cast<size_t>(LF_FACESIZE - 1));
    while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
    std::memcpy(elf.elfLogFont.lfFaceName, name.data(), n);
    std::snprintf(elf.elfFullName, sizeof elf.elfFullName, "%s", name.c_str());
    std::snprintf(elf.elfStyle, sizeof elf.elfStyle, "Regular");
    std::snprintf(elf.elfScript, sizeof elf.elfScript, "%s", f.cjk ? "CHINESE_GB2312" : "Western");
    elf.elfLogFont.lfHeight = -12;
    elf.elfLogFont.lfWeight = FW_NORMAL;
    elf.elfLogFont.lfCharSet = f.cjk ? GB2312_CHARSET : ANSI_CHARSET;
    elf.elfLogFont.lfOutPrecision = 3;  // stroke precision, as outline fonts report
    elf.elfLogFont.lfQuality = DRAFT_QUALITY;
    elf.elfLogFont.lfPitchAndFamily = f.fixed ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS);
    NEWTEXTMETRICEXA ntm;
    ntm.ntmTm.tmHeight = 15;
    ntm.ntmTm.tmAscent = 12;
    ntm.ntmTm.tmDescent = 3;
    ntm.ntmTm.tmInternalLeading = 3;
    ntm.ntmTm.tmWeight = FW_NORMAL;
    ntm.ntmTm.tmCharSet = elf.elfLogFont.lfCharSet;
    ntm.ntmTm.tmPitchAndFamily = static_cast<BYTE>((f.fixed ? 0 : 1) | 6 | (elf.elfLogFont.lfPitchAndFamily & 0xF0));
    ntm.ntmSizeEM = 2048;
    result = proc(&elf.elfLogFont, &ntm.ntmTm, TRUETYPE_FONTTYPE, param);
    if (result == 0) break;
  }
  return result;
}

}  // namespace win

namespace platform {

void SetFontFamilyList(const std::vector<std::string>* families) {
  auto& list = gdi::ListedFamilies();
  std::lock_guard lock(list.mutex);
  if (families) list.set = *families;
  else list.set.reset();
}

}  // namespace platform
