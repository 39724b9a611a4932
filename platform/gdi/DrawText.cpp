// DrawText: prefix marks, tabs, line and word breaking, ellipses, alignment and measuring.
#include <algorithm>

#include "platform/gdi/Internal.h"
#include "platform/gdi/Text.h"

namespace platform::gdi {

namespace {

struct Ch {
  char32_t c;
  bool underline = false;
};
using Line = std::vector<Ch>;

bool FullWidth(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

bool NoLineStart(char32_t c) {
  static const std::u32string set = U",.;:!?)]}\u3001\u3002\uFF0C\uFF0E\uFF1A\uFF1B\uFF01\uFF1F\uFF09\u300D\u300F\u3011\u300B\u3009\u201D\u2019";
  return set.find(c) != std::u32string::npos;
}

bool NoLineEnd(char32_t c) {
  static const std::u32string set = U"([{\uFF08\u300C\u300E\u3010\u300A\u3008\u201C\u2018";
  return set.find(c) != std::u32string::npos;
}

class Layout {
 public:
  Layout(DeviceContext& dc, win::UINT format, int tabChars) : dc_(dc), format_(format) {
    TextMetrics m = Metrics(dc);
    tab_ = std::max(1, tabChars * m.aveCharWidth);
  }

  // Each character's advance on a line, tabs stretched to the next stop when expanded.
  std::vector<int> Advances(const Line& line) const {
    std::u32string s;
    for (const Ch& ch : line) s += ch.c;
    std::vector<int> adv = gdi::Advances(dc_, s);
    if (format_ & win::DT_EXPANDTABS) {
      long long x = 0;
      for (size_t i = 0; i < line.size(); ++i) {
        if (line[i].c == U'\t') adv[i] = static_cast<int>((x / tab_ + 1) * tab_ - x);
        x += adv[i];
      }
    }
    return adv;
  }
  int Width(const Line& line) const {
    long long w = 0;
    for (int a : Advances(line)) w += a;
    return Clamp(w);
  }

  std::vector<Line> Wrap(const Line& para, int width) const {
    std::vector<Line> out;
    std::vector<int> adv = Advances(para);
    size_t n = para.size(), start = 0;
    bool cjkBreaks = !(format_ & win::DT_NOFULLWIDTHCHARBREAK);
    auto breakBefore = [&](size_t p) {
      if (p == 0 || p >= n) return false;
      if (para[p].c == U' ' || para[p - 1].c == U' ') return true;
      // Closing punctuation stays with what it closes, opening punctuation with what it opens.
      if (NoLineStart(para[p].c) || NoLineEnd(para[p - 1].c)) return false;
      return cjkBreaks && (FullWidth(para[p].c) || FullWidth(para[p - 1].c));
    };
    while (start < n) {
      long long w = 0;
      size_t end = start;
      while (end < n && (end == start || w + adv[end] <= width)) w += adv[end++];
      if (end == n) {
        out.emplace_back(para.begin() + static_cast<long>(start), para.end());
        break;
      }
      size_t p = end;
      while (p > start && !breakBefore(p)) --p;
      if (p == start) {
        if (format_ & win::DT_EDITCONTROL) {
          p = end;  // a word too long for the line is broken where it stops fitting
        } else {
          p = end;  // it stays whole and overflows
          while (p < n && !breakBefore(p)) ++p;
        }
      }
      size_t stop = p;
      while (stop > start && para[stop - 1].c == U' ') --stop;
      out.emplace_back(para.begin() + static_cast<long>(start), para.begin() + static_cast<long>(stop));
      start = p;
      while (start < n && para[start].c == U' ') ++start;
    }
    if (out.empty()) out.emplace_back();
    return out;
  }

  Line Ellipsis() const { return {{U'.'}, {U'.'}, {U'.'}}; }

  // Cuts characters from the end until the text with "..." fits.
  Line EndEllipsis(Line line, int width) const {
    Line dots = Ellipsis();
    while (!line.empty()) {
      Line t = line;
      t.insert(t.end(), dots.begin(), dots.end());
      if (Width(t) <= width) return t;
      line.pop_back();
    }
    return dots;
  }

  Line WordEllipsis(Line line, int width) const {
    Line dots = Ellipsis();
    Line cut = line;
    while (!cut.empty()) {
      // Drop the last word and the spaces before it.
      while (!cut.empty() && cut.back().c != U' ') cut.pop_back();
      while (!cut.empty() && cut.back().c == U' ') cut.pop_back();
      if (cut.empty()) break;
      Line t = cut;
      t.insert(t.end(), dots.begin(), dots.end());
      if (Width(t) <= width) return t;
    }
    return EndEllipsis(std::move(line), width);
  }

  // Keeps the last path element and cuts the middle: "C:\dir\...\name.txt".
  Line PathEllipsis(const Line& line, int width) const {
    size_t sep = line.size();
    for (size_t i = line.size(); i-- > 0;)
      if (line[i].c == U'\\' || line[i].c == U'/') {
        sep = i;
        break;
      }
    if (sep == line.size()) return EndEllipsis(line, width);
    Line head(line.begin(), line.begin() + static_cast<long>(sep));
    Line tail(line.begin() + static_cast<long>(sep), line.end());
    Line dots = Ellipsis();
    while (true) {
      Line t = head;
      t.insert(t.end(), dots.begin(), dots.end());
      t.insert(t.end(), tail.begin(), tail.end());
      if (Width(t) <= width) return t;
      if (head.empty()) break;
      head.pop_back();
    }
    Line t = dots;
    t.insert(t.end(), tail.begin(), tail.end());
    return EndEllipsis(t, width);
  }

 private:
  DeviceContext& dc_;
  win::UINT format_;
  int tab_;
};

// Takes out the "&" marks: "&&" is one "&", "&x" underlines x (the last such mark counts).
Line Prefixes(const std::u32string& text, win::UINT format) {
  Line out;
  bool process = !(format & win::DT_NOPREFIX);
  bool show = !(format & win::DT_HIDEPREFIX);
  int underline = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (process && text[i] == U'&') {
      if (i + 1 < text.size() && text[i + 1] == U'&') {
        out.push_back({U'&'});
        ++i;
      } else if (i + 1 < text.size()) {
        underline = static_cast<int>(out.size());
      }
      continue;
    }
    out.push_back({text[i]});
  }
  if (show && underline >= 0 && underline < static_cast<int>(out.size())) out[static_cast<size_t>(underline)].underline = true;
  return out;
}

}  // namespace

int DrawTextImpl(win::HDC h, win::LPCSTR text, int count, win::RECT* rc, win::UINT format, win::DRAWTEXTPARAMS* params) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return 0;
  // Kept inside the coordinate range, so that sums and differences below cannot overflow.
  *rc = {Clamp(rc->left), Clamp(rc->top), Clamp(rc->right), Clamp(rc->bottom)};
  std::u32string s = text ? DecodeText(text, count) : std::u32string();
  bool calc = format & win::DT_CALCRECT;
  if (s.empty()) {
    if (calc) {
      rc->right = rc->left;
      rc->bottom = rc->top;
    }
    return 0;
  }
  int tabChars = (format & win::DT_TABSTOP) ? static_cast<int>((format >> 8) & 0xFF) : 8;
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  if (format & win::DT_TABSTOP) format &= ~0xFF00u;  // the high byte held the tab size
  Layout layout(*dc, format, tabChars);
  TextMetrics m = Metrics(*dc);
  int lineHeight = m.height + ((format & win::DT_EXTERNALLEADING) ? m.externalLeading : 0);
  int leftMargin = params ? Clamp(params->iLeftMargin) : 0, rightMargin = params ? Clamp(params->iRightMargin) : 0;
  int left = rc->left + leftMargin, right = rc->right - rightMargin;
  int width = right - left;

  Line all = Prefixes(s, format);
  std::vector<Line> lines;
  bool single = format & win::DT_SINGLELINE;
  {
    Line para;
    for (size_t i = 0; i <= all.size(); ++i) {
      bool end = i == all.size();
      char32_t c = end ? 0 : all[i].c;
      if (!end && (c == U'\r' || c == U'\n')) {
        if (single) continue;  // a single line shows no line breaks
        if (c == U'\r' && i + 1 < all.size() && all[i + 1].c == U'\n') ++i;
      } else if (!end) {
        para.push_back(all[i]);
        continue;
      }
      if (format & win::DT_WORDBREAK && !single) {
        for (Line& l : layout.Wrap(para, width)) lines.push_back(std::move(l));
      } else {
        lines.push_back(para);
      }
      para.clear();
    }
  }

  bool editEllipsis = (format & win::DT_END_ELLIPSIS) && (format & win::DT_WORDBREAK) && (format & win::DT_EDITCONTROL) &&
                      !single && !calc;
  if (editEllipsis) {
    // Lines that do not fit the rectangle's height are dropped; the last one shown ends in "...".
    int room = std::max(1, (rc->bottom - rc->top) / std::max(1, lineHeight));
    if (static_cast<int>(lines.size()) > room) {
      lines.resize(static_cast<size_t>(room));
      Line& last = lines.back();
      Line dots = layout.Ellipsis();
      Line t = last;
      t.insert(t.end(), dots.begin(), dots.end());
      last = layout.Width(t) <= width ? t : layout.EndEllipsis(last, width);
    }
  }
  // Measuring in a rectangle without width asks for the text's own size, not for "...".
  bool shorten = !(calc && width <= 0);
  for (Line& l : lines) {
    if (!shorten || layout.Width(l) <= width) continue;
    if (format & win::DT_PATH_ELLIPSIS)
      l = layout.PathEllipsis(l, width);
    else if (format & win::DT_END_ELLIPSIS)
      l = layout.EndEllipsis(l, width);
    else if (format & win::DT_WORD_ELLIPSIS)
      l = layout.WordEllipsis(l, width);
  }

  int total = lineHeight * static_cast<int>(lines.size());
  int maxWidth = 0;
  for (const Line& l : lines) maxWidth = std::max(maxWidth, layout.Width(l));
  int top = rc->top;
  if (single) {
    if (format & win::DT_VCENTER)
      top = rc->top + (rc->bottom - rc->top - lineHeight) / 2;
    else if (format & win::DT_BOTTOM)
      top = rc->bottom - lineHeight;
  }
  if (calc) {
    // The rectangle is fitted to the text; centred and right-aligned text keeps its anchor side
    // only in the measured width.
    rc->right = rc->left + leftMargin + maxWidth + rightMargin;
    rc->bottom = rc->top + total;
    if (single && (format & (win::DT_VCENTER | win::DT_BOTTOM))) rc->bottom = top + lineHeight;
    if (params) params->uiLengthDrawn = static_cast<win::UINT>(s.size());
    return single && (format & (win::DT_VCENTER | win::DT_BOTTOM)) ? top - rc->top + lineHeight : total;
  }

  win::UINT oldAlign = dc->s.textAlign;
  dc->s.textAlign = 0;
  win::UINT options = (format & win::DT_NOCLIP) ? 0 : win::ETO_CLIPPED;
  int y = top;
  for (const Line& l : lines) {
    int w = layout.Width(l);
    int x = left;
    if (format & win::DT_CENTER)
      x = left + (width - w) / 2;
    else if (format & win::DT_RIGHT)
      x = right - w;
    std::vector<int> adv = layout.Advances(l);
    std::u32string str;
    int prefix = -1;
    for (size_t i = 0; i < l.size(); ++i) {
      str += l[i].c == U'\t' && (format & win::DT_EXPANDTABS) ? U' ' : l[i].c;
      if (l[i].underline) prefix = static_cast<int>(i);
    }
    if (format & win::DT_PREFIXONLY) {
      // Only the underline: the characters are drawn as spaces with the background left alone.
      for (char32_t& c : str) c = U' ';
      int mode = dc->s.bkMode;
      dc->s.bkMode = win::TRANSPARENT;
      DrawTextLine(*dc, x, y, options, rc, str, adv.data(), prefix);
      dc->s.bkMode = mode;
    } else if (!str.empty()) {
      // Character spacing is already in the advances.
      DrawTextLine(*dc, x, y, options, rc, str, adv.data(), prefix);
    }
    y += lineHeight;
  }
  dc->s.textAlign = oldAlign;
  if (params) params->uiLengthDrawn = static_cast<win::UINT>(s.size());
  return single && (format & (win::DT_VCENTER | win::DT_BOTTOM)) ? top - rc->top + lineHeight : total;
}

}  // namespace platform::gdi

namespace win {

int DrawText(HDC dc, LPCSTR text, int count, RECT* rc, UINT format) {
  return platform::gdi::DrawTextImpl(dc, text, count, rc, format, nullptr);
}

int DrawTextEx(HDC dc, LPCSTR text, int count, RECT* rc, UINT format, DRAWTEXTPARAMS* params) {
  return platform::gdi::DrawTextImpl(dc, text, count, rc, format, params);
}

}  // namespace win
