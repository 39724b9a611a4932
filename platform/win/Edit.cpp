// The EDIT class, single- and multi-line. Text is held as code points so that every position the
// messages speak of is a character index; line breaks are CR LF and count two characters.
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/win/Clipboard.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

constexpr int kDefaultLimit = 30000;
constexpr int kMaxLimit = 0x7FFFFFFE;

struct Line {
  int start = 0;  // character index
  int length = 0; // characters shown, without the break
  int brk = 0;    // characters of the break that ends it: 2 for CR LF, 1 for a lone LF, 0 for a wrap or the end
  int width = 0;  // pixels of the characters shown
};

struct Edit {
  HWND hwnd = nullptr;
  std::u32string text;
  int anchor = 0;
  int caret = 0;
  HFONT font = nullptr;
  HDC measure = nullptr;
  int lineHeight = 13;
  int leftMargin = 1;
  int rightMargin = 1;
  RECT fmt;
  bool fmtSet = false;
  int xOffset = 0;
  int firstLine = 0;
  char32_t password = U'*';
  int limit = kDefaultLimit;
  bool modified = false;
  bool focused = false;
  bool tracking = false;
  // One level of undo, which undoes itself; typing runs into one step.
  std::u32string undoText;
  int undoAnchor = 0, undoCaret = 0;
  bool canUndo = false;
  bool typing = false;
  std::vector<Line> lines;
  int maxLineWidth = 0;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
  bool Multi() const { return (Style() & ES_MULTILINE) != 0; }
  bool Password() const { return !Multi() && (Style() & ES_PASSWORD) != 0; }
  bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
  bool Wrap() const {
    DWORD s = Style();
    return (s & ES_MULTILINE) && !(s & ES_AUTOHSCROLL) && !(s & WS_HSCROLL);
  }
  int SelMin() const { return std::min(anchor, caret); }
  int SelMax() const { return std::max(anchor, caret); }
  int Length() const { return static_cast<int>(text.size()); }
};

Edit* EditOf(HWND hwnd) { return ControlState<Edit>(hwnd); }

std::u32string Shown(const Edit& e, int start, int count) {
  if (e.Password()) return std::u32string(static_cast<std::size_t>(count), e.password);
  return e.text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

// Cumulative advances of a run of characters: out[i] is the x after character i.
std::vector<int> Advances(const Edit& e, const std::u32string& run) {
  std::vector<int> out(run.size());
  if (run.empty()) return out;
  std::string utf8 = CodePointsToUtf8(run);
  SIZE size;
  GetTextExtentExPoint(e.measure, utf8.c_str(), static_cast<int>(utf8.size()), -1, nullptr, out.data(), &size);
  return out;
}

int RunWidth(const Edit& e, const std::u32string& run) {
  if (run.empty()) return 0;
  std::string utf8 = CodePointsToUtf8(run);
  SIZE size{0, 0};
  GetTextExtentPoint32(e.measure, utf8.c_str(), static_cast<int>(utf8.size()), &size);
  return size.cx;
}

void ClientRect(const Edit& e, RECT& r) { GetClientRect(e.hwnd, &r); }

void ResetFormatRect(Edit& e) {
  if (e.fmtSet) return;
  RECT c;
  ClientRect(e, c);
  e.fmt = {c.left + e.leftMargin, c.top, c.right - e.rightMargin, c.bottom};
  if (e.fmt.right < e.fmt.left) e.fmt.right = e.fmt.left;
  if (e.Multi()) {
    // Whole lines only, as the classic control does.
    int h = e.fmt.bottom - e.fmt.top;
    if (h >= e.lineHeight) e.fmt.bottom = e.fmt.top + h / e.lineHeight * e.lineHeight;
  }
}

// Lays out whole paragraphs from `i`, a paragraph's first character, appending their lines to
// `out`, and goes on while the next paragraph starts at or before `until`. Returns where the next
// paragraph starts, or the text's length when the text ended.
std::size_t LayoutParagraphs(const Edit& e, std::size_t i, std::size_t until, std::vector<Line>& out) {
  const std::u32string& t = e.text;
  int width = e.fmt.right - e.fmt.left;
  bool wrap = e.Wrap();
  while (true) {
    // One paragraph up to the next hard break.
    std::size_t end = i;
    while (end < t.size() && !(t[end] == U'\r' && end + 1 < t.size() && t[end + 1] == U'\n') && t[end] != U'\n') ++end;
    int brk = 0;
    if (end < t.size()) brk = t[end] == U'\r' ? 2 : 1;
    std::u32string para = t.substr(i, end - i);
    if (wrap && !para.empty() && width > 0) {
      std::vector<int> adv = Advances(e, para);
      std::size_t from = 0;
      while (from < para.size()) {
        int base = from ? adv[from - 1] : 0;
        std::size_t fit = from;
        while (fit < para.size() && adv[fit] - base <= width) ++fit;
        if (fit >= para.size()) {
          out.push_back({static_cast<int>(i + from), static_cast<int>(para.size() - from), brk, adv.back() - base});
          from = para.size();
          break;
        }
        if (fit == from) fit = from + 1;  // a character wider than the line still takes a line
        // Break after the last space that fits; spaces at the break stay on the line.
        std::size_t cut = fit;
        while (cut > from && para[cut - 1] != U' ' && para[cut - 1] != U'\t') --cut;
        if (cut == from) cut = fit;
        while (cut < para.size() && para[cut] == U' ') ++cut;
        out.push_back({static_cast<int>(i + from), static_cast<int>(cut - from), 0, adv[cut - 1] - base});
        from = cut;
      }
      if (from < para.size() || para.empty()) out.push_back({static_cast<int>(i + from), 0, brk, 0});
      else out.back().brk = brk;
    } else {
      out.push_back({static_cast<int>(i), static_cast<int>(para.size()), brk,
                     RunWidth(e, Shown(e, static_cast<int>(i), static_cast<int>(para.size())))});
    }
    if (brk == 0) return t.size();
    i = end + static_cast<std::size_t>(brk);
    if (i > until) return i;
  }
}

void MeasureWidest(Edit& e) {
  e.maxLineWidth = 0;
  for (const Line& ln : e.lines) e.maxLineWidth = std::max(e.maxLineWidth, ln.width);
}

void Layout(Edit& e) {
  e.lines.clear();
  if (!e.Multi()) {
    e.lines.push_back({0, e.Length(), 0, RunWidth(e, Shown(e, 0, e.Length()))});
  } else {
    LayoutParagraphs(e, 0, e.text.size(), e.lines);
  }
  MeasureWidest(e);
}

int LineOf(const Edit& e, int index) {
  // The line holding a character; an index at a wrap belongs to the next line. Lines are in text
  // order, so the first line ending after the index is found by halving.
  int n = static_cast<int>(e.lines.size());
  auto after = std::partition_point(e.lines.begin(), e.lines.end() - 1,
                                    [index](const Line& ln) { return index >= ln.start + ln.length + ln.brk; });
  int l = static_cast<int>(after - e.lines.begin());
  const Line& ln = e.lines[static_cast<std::size_t>(l)];
  if (ln.brk == 0 && index == ln.start + ln.length && l + 1 < n) return l + 1;
  return l;
}

// Lays out again after `removed` characters at `from` were replaced by `inserted` ones: only the
// paragraphs the change touches are measured, the lines after them move along. A log that grows
// by a line at a time costs the same at its ten-thousandth line as at its first.
void Relayout(Edit& e, int from, int removed, int inserted) {
  if (!e.Multi() || e.lines.empty()) {
    Layout(e);
    return;
  }
  const int delta = inserted - removed;
  // The paragraph the change starts in, from its first line.
  std::size_t first = static_cast<std::size_t>(LineOf(e, from));
  if (first > 0 && e.lines[first].start > from) --first;
  while (first > 0 && e.lines[first - 1].brk == 0) --first;
  std::vector<Line> fresh;
  std::size_t next = LayoutParagraphs(e, static_cast<std::size_t>(e.lines[first].start),
                                      static_cast<std::size_t>(from + inserted), fresh);
  // The old lines from the paragraph where the fresh ones stopped keep their layout.
  std::size_t kept = e.lines.size();
  if (next < e.text.size() || (next == e.text.size() && !fresh.empty() && fresh.back().brk != 0)) {
    const int oldStart = static_cast<int>(next) - delta;
    kept = first;
    while (kept < e.lines.size() && e.lines[kept].start < oldStart) ++kept;
  }
  for (std::size_t k = kept; k < e.lines.size(); ++k) e.lines[k].start += delta;
  int widestGone = 0, widestNew = 0;
  for (std::size_t k = first; k < kept; ++k) widestGone = std::max(widestGone, e.lines[k].width);
  for (const Line& ln : fresh) widestNew = std::max(widestNew, ln.width);
  e.lines.erase(e.lines.begin() + static_cast<std::ptrdiff_t>(first), e.lines.begin() + static_cast<std::ptrdiff_t>(kept));
  e.lines.insert(e.lines.begin() + static_cast<std::ptrdiff_t>(first), fresh.begin(), fresh.end());
  // Only a change that took the widest line away, and put back none as wide, needs every line
  // looked at again.
  if (widestGone < e.maxLineWidth || widestNew >= widestGone)
    e.maxLineWidth = std::max(e.maxLineWidth, widestNew);
  else
    MeasureWidest(e);
}

int VisibleLines(const Edit& e) { return std::max(1, (e.fmt.bottom - e.fmt.top) / std::max(1, e.lineHeight)); }

// The x where a line's text begins, alignment applied, before horizontal scrolling.
int LineOriginX(const Edit& e, const Line& ln) {
  DWORD align = e.Style() & (ES_CENTER | ES_RIGHT);
  int width = e.fmt.right - e.fmt.left;
  if (align == ES_LEFT) return e.fmt.left;
  int w = RunWidth(e, Shown(e, ln.start, ln.length));
  if (w >= width) return e.fmt.left;
  return align == ES_RIGHT ? e.fmt.right - w : e.fmt.left + (width - w) / 2;
}

POINT PosOf(const Edit& e, int index) {
  index = std::clamp(index, 0, e.Length());
  int l = LineOf(e, index);
  const Line& ln = e.lines[static_cast<std::size_t>(l)];
  int col = std::min(index - ln.start, ln.length);
  int x = LineOriginX(e, ln) - e.xOffset;
  if (col > 0) x += RunWidth(e, Shown(e, ln.start, col));
  return {x, e.fmt.top + (l - e.firstLine) * e.lineHeight};
}

int CharFromPos(const Edit& e, POINT p, int* lineOut = nullptr) {
  int l = e.firstLine + (p.y - e.fmt.top) / std::max(1, e.lineHeight);
  if (p.y < e.fmt.top) l = e.firstLine - 1 - (e.fmt.top - p.y - 1) / std::max(1, e.lineHeight);
  l = std::clamp(l, 0, static_cast<int>(e.lines.size()) - 1);
  if (lineOut) *lineOut = l;
  const Line& ln = e.lines[static_cast<std::size_t>(l)];
  int x = p.x - (LineOriginX(e, ln) - e.xOffset);
  std::vector<int> adv = Advances(e, Shown(e, ln.start, ln.length));
  int col = 0;
  int prev = 0;
  for (; col < ln.length; ++col) {
    int mid = (prev + adv[static_cast<std::size_t>(col)]) / 2;
    if (x < mid) break;
    prev = adv[static_cast<std::size_t>(col)];
  }
  // A wrapped line's last position is the next line's first; stay before it.
  if (col == ln.length && ln.brk == 0 && l + 1 < static_cast<int>(e.lines.size()) && col > 0) {
    if (e.text[static_cast<std::size_t>(ln.start + col - 1)] == U' ') --col;
  }
  return ln.start + col;
}

void UpdateScrollBars(Edit& e) {
  DWORD s = e.Style();
  if (!e.Multi()) return;
  if (s & WS_VSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = static_cast<int>(e.lines.size()) - 1;
    si.nPage = static_cast<UINT>(VisibleLines(e));
    si.nPos = e.firstLine;
    SetScrollInfo(e.hwnd, SB_VERT, &si, TRUE);
  }
  if (s & WS_HSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(e.maxLineWidth, 1) - 1;
    si.nPage = static_cast<UINT>(std::max(1L, static_cast<long>(e.fmt.right - e.fmt.left)));
    si.nPos = e.xOffset;
    SetScrollInfo(e.hwnd, SB_HORZ, &si, TRUE);
  }
}

void PlaceCaret(Edit& e) {
  if (!e.focused) return;
  POINT p = PosOf(e, e.caret);
  SetCaretPos(p.x, p.y);
}

void Redraw(Edit& e) { InvalidateRect(e.hwnd, nullptr, FALSE); }

// Scrolls so that the caret can be seen; `notify` sends EN_HSCROLL/EN_VSCROLL for user actions.
void ScrollToCaret(Edit& e, bool notify) {
  POINT p = PosOf(e, e.caret);
  int width = e.fmt.right - e.fmt.left;
  int oldX = e.xOffset, oldLine = e.firstLine;
  bool hscroll = e.Multi() ? !e.Wrap() : true;
  if (hscroll && width > 0) {
    int quarter = std::max(width / 4, 1);
    if (p.x < e.fmt.left) e.xOffset = std::max(0, e.xOffset - (e.fmt.left - p.x) - quarter);
    else if (p.x >= e.fmt.right) e.xOffset += p.x - e.fmt.right + quarter;
    // Never leave empty space on the right when the text could fill it.
    int total = e.Multi() ? e.maxLineWidth : RunWidth(e, Shown(e, 0, e.Length()));
    int maxOffset = std::max(0, total - width + 1);
    if (e.xOffset > maxOffset) e.xOffset = std::max(0, std::min(e.xOffset, std::max(maxOffset, p.x + e.xOffset - e.fmt.left - width + 1)));
  }
  if (e.Multi()) {
    int l = LineOf(e, e.caret);
    int vis = VisibleLines(e);
    if (l < e.firstLine) e.firstLine = l;
    else if (l >= e.firstLine + vis) e.firstLine = l - vis + 1;
  }
  if (e.xOffset != oldX || e.firstLine != oldLine) {
    Redraw(e);
    UpdateScrollBars(e);
    if (notify && e.xOffset != oldX) NotifyParent(e.hwnd, EN_HSCROLL);
    if (notify && e.firstLine != oldLine) NotifyParent(e.hwnd, EN_VSCROLL);
  }
}

void SetSelection(Edit& e, int anchor, int caret, bool scroll) {
  anchor = std::clamp(anchor, 0, e.Length());
  caret = std::clamp(caret, 0, e.Length());
  // Never split a CR LF pair.
  auto fix = [&](int i) {
    if (i > 0 && i < e.Length() && e.text[static_cast<std::size_t>(i - 1)] == U'\r' && e.text[static_cast<std::size_t>(i)] == U'\n') return i - 1;
    return i;
  };
  anchor = fix(anchor);
  caret = fix(caret);
  if (anchor != e.anchor || caret != e.caret) {
    e.anchor = anchor;
    e.caret = caret;
    Redraw(e);
  }
  if (scroll) ScrollToCaret(e, true);
  PlaceCaret(e);
}

// After a change of the text; `laidOut` when the caller has laid the lines out already.
void Changed(Edit& e, bool notify, bool laidOut = false) {
  if (!laidOut) Layout(e);
  int maxFirst = std::max(0, static_cast<int>(e.lines.size()) - VisibleLines(e));
  if (e.firstLine > maxFirst) e.firstLine = maxFirst;
  if (notify) NotifyParent(e.hwnd, EN_UPDATE);
  Redraw(e);
  UpdateScrollBars(e);
  if (notify && IsWindow(e.hwnd)) NotifyParent(e.hwnd, EN_CHANGE);
}

void TakeUndo(Edit& e) {
  e.undoText = e.text;
  e.undoAnchor = e.anchor;
  e.undoCaret = e.caret;
  e.canUndo = true;
}

std::u32string Filter(const Edit& e, std::u32string s) {
  DWORD st = e.Style();
  if (!e.Multi()) {
    // A single line keeps only the first line of what is pasted in.
    std::size_t cut = s.find_first_of(U"\r\n");
    if (cut != std::u32string::npos) s.erase(cut);
  } else {
    // Lone LFs become CR LF so that every break looks the same.
    std::u32string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (s[i] == U'\n' && (i == 0 || s[i - 1] != U'\r')) out += U"\r\n";
      else if (s[i] == U'\r' && (i + 1 >= s.size() || s[i + 1] != U'\n')) out += U"\r\n";
      else out.push_back(s[i]);
    }
    s.swap(out);
  }
  for (char32_t& c : s) {
    if (st & ES_UPPERCASE) c = static_cast<char32_t>(std::towupper(static_cast<wint_t>(c)));
    else if (st & ES_LOWERCASE) c = static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
  }
  return s;
}

// Replaces the selection; false (with EN_MAXTEXT) when the limit leaves no room at all.
bool Replace(Edit& e, std::u32string s, bool undoable, bool typed) {
  s = Filter(e, std::move(s));
  int from = e.SelMin(), to = e.SelMax();
  long long room = static_cast<long long>(e.limit) - (e.Length() - (to - from));
  bool cut = false;
  if (static_cast<long long>(s.size()) > room) {
    s.resize(static_cast<std::size_t>(std::max(0LL, room)));
    // Never keep half of a CR LF.
    if (!s.empty() && s.back() == U'\r') s.pop_back();
    cut = true;
  }
  if (cut && s.empty() && from == to) {
    NotifyParent(e.hwnd, EN_MAXTEXT);
    return false;
  }
  if (undoable) {
    if (!typed || !e.typing) TakeUndo(e);
    e.typing = typed;
  } else {
    e.canUndo = false;
    e.typing = false;
  }
  e.text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), s);
  e.anchor = e.caret = from + static_cast<int>(s.size());
  e.modified = true;
  Relayout(e, from, to - from, static_cast<int>(s.size()));
  Changed(e, true, true);
  if (!IsWindow(e.hwnd)) return true;
  ScrollToCaret(e, true);
  PlaceCaret(e);
  if (cut) NotifyParent(e.hwnd, EN_MAXTEXT);
  return true;
}

void Undo(Edit& e) {
  if (!e.canUndo) return;
  std::u32string t = e.text;
  int a = e.anchor, c = e.caret;
  e.text.swap(e.undoText);
  e.anchor = std::clamp(e.undoAnchor, 0, e.Length());
  e.caret = std::clamp(e.undoCaret, 0, e.Length());
  // The platform's undo selects what it put back; keeping the old selection is just as good for callers.
  e.undoText = std::move(t);
  e.undoAnchor = a;
  e.undoCaret = c;
  e.typing = false;
  e.modified = true;
  Changed(e, true);
  if (!IsWindow(e.hwnd)) return;
  ScrollToCaret(e, true);
  PlaceCaret(e);
}

bool IsWordChar(char32_t c) { return !(c == U' ' || c == U'\t' || c == U'\r' || c == U'\n'); }

int WordLeft(const Edit& e, int i) {
  if (e.Password()) return 0;
  while (i > 0 && !IsWordChar(e.text[static_cast<std::size_t>(i - 1)])) --i;
  while (i > 0 && IsWordChar(e.text[static_cast<std::size_t>(i - 1)])) --i;
  return i;
}

int WordRight(const Edit& e, int i) {
  int n = e.Length();
  if (e.Password()) return n;
  while (i < n && IsWordChar(e.text[static_cast<std::size_t>(i)])) ++i;
  while (i < n && (e.text[static_cast<std::size_t>(i)] == U' ' || e.text[static_cast<std::size_t>(i)] == U'\t')) ++i;
  return i;
}

void SelectWordAt(Edit& e, int i) {
  int n = e.Length();
  if (e.Password()) {
    SetSelection(e, 0, n, true);
    return;
  }
  int a = i, b = i;
  if (i < n && IsWordChar(e.text[static_cast<std::size_t>(i)])) {
    while (a > 0 && IsWordChar(e.text[static_cast<std::size_t>(a - 1)])) --a;
    while (b < n && IsWordChar(e.text[static_cast<std::size_t>(b)])) ++b;
    while (b < n && e.text[static_cast<std::size_t>(b)] == U' ') ++b;
  } else {
    while (b < n && e.text[static_cast<std::size_t>(b)] == U' ') ++b;
    while (a > 0 && e.text[static_cast<std::size_t>(a - 1)] == U' ') --a;
  }
  SetSelection(e, a, b, true);
}

std::string SelectedUtf8(const Edit& e) {
  return CodePointsToUtf8(e.text.substr(static_cast<std::size_t>(e.SelMin()), static_cast<std::size_t>(e.SelMax() - e.SelMin())));
}

void Copy(Edit& e) {
  // A password never leaves the control.
  if (e.Password() || e.SelMin() == e.SelMax()) return;
  SetClipboardTextUtf8(e.hwnd, SelectedUtf8(e));
}

void Paste(Edit& e) {
  if (e.ReadOnly()) return;
  std::string t;
  if (!GetClipboardTextUtf8(e.hwnd, t)) return;
  std::u32string s = Utf8ToCodePoints(t);
  if (e.Style() & ES_NUMBER) {
    for (char32_t c : s)
      if (c < U'0' || c > U'9') {
        MessageBeep(0);
        return;
      }
  }
  Replace(e, s, true, false);
}

void Clear(Edit& e) {
  if (e.ReadOnly() || e.SelMin() == e.SelMax()) return;
  Replace(e, U"", true, false);
}

void MoveCaret(Edit& e, int to, bool extend) {
  e.typing = false;
  SetSelection(e, extend ? e.anchor : to, to, true);
}

int LineHome(const Edit& e, int index) { return e.lines[static_cast<std::size_t>(LineOf(e, index))].start; }
int LineEnd(const Edit& e, int index) {
  const Line& ln = e.lines[static_cast<std::size_t>(LineOf(e, index))];
  return ln.start + ln.length;
}

int VerticalMove(const Edit& e, int lines) {
  POINT p = PosOf(e, e.caret);
  int l = std::clamp(LineOf(e, e.caret) + lines, 0, static_cast<int>(e.lines.size()) - 1);
  p.y = e.fmt.top + (l - e.firstLine) * e.lineHeight;
  int i = CharFromPos(e, p);
  const Line& ln = e.lines[static_cast<std::size_t>(l)];
  return std::min(i, ln.start + ln.length);
}

void KeyDown(Edit& e, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (vk) {
    case VK_LEFT:
      if (!shift && e.anchor != e.caret && !ctrl) MoveCaret(e, e.SelMin(), false);
      else MoveCaret(e, ctrl ? WordLeft(e, e.caret) : e.caret > 1 && e.text[static_cast<std::size_t>(e.caret - 1)] == U'\n' && e.text[static_cast<std::size_t>(e.caret - 2)] == U'\r' ? e.caret - 2 : e.caret - 1, shift);
      break;
    case VK_RIGHT:
      if (!shift && e.anchor != e.caret && !ctrl) MoveCaret(e, e.SelMax(), false);
      else MoveCaret(e, ctrl ? WordRight(e, e.caret) : e.caret + 1 < e.Length() && e.text[static_cast<std::size_t>(e.caret)] == U'\r' && e.text[static_cast<std::size_t>(e.caret + 1)] == U'\n' ? e.caret + 2 : e.caret + 1, shift);
      break;
    case VK_HOME: MoveCaret(e, ctrl || !e.Multi() ? 0 : LineHome(e, e.caret), shift); break;
    case VK_END: MoveCaret(e, ctrl || !e.Multi() ? e.Length() : LineEnd(e, e.caret), shift); break;
    case VK_UP:
      if (e.Multi()) MoveCaret(e, VerticalMove(e, -1), shift);
      else MoveCaret(e, e.caret - 1, shift);
      break;
    case VK_DOWN:
      if (e.Multi()) MoveCaret(e, VerticalMove(e, 1), shift);
      else MoveCaret(e, e.caret + 1, shift);
      break;
    case VK_PRIOR:
      if (e.Multi()) MoveCaret(e, VerticalMove(e, -VisibleLines(e)), shift);
      break;
    case VK_NEXT:
      if (e.Multi()) MoveCaret(e, VerticalMove(e, VisibleLines(e)), shift);
      break;
    case VK_DELETE:
      if (e.ReadOnly()) break;
      if (shift) {
        SendMessage(e.hwnd, WM_CUT, 0, 0);
      } else if (e.anchor != e.caret) {
        SendMessage(e.hwnd, WM_CLEAR, 0, 0);
      } else if (e.caret < e.Length()) {
        int n = e.text[static_cast<std::size_t>(e.caret)] == U'\r' && e.caret + 1 < e.Length() ? 2 : 1;
        e.anchor = e.caret + n;
        Replace(e, U"", true, false);
      }
      break;
    case VK_INSERT:
      if (ctrl) SendMessage(e.hwnd, WM_COPY, 0, 0);
      else if (shift) SendMessage(e.hwnd, WM_PASTE, 0, 0);
      break;
    default: break;
  }
}

void Char(Edit& e, char32_t c) {
  DWORD st = e.Style();
  switch (c) {
    case 0x03: SendMessage(e.hwnd, WM_COPY, 0, 0); return;
    case 0x16: SendMessage(e.hwnd, WM_PASTE, 0, 0); return;
    case 0x18: SendMessage(e.hwnd, WM_CUT, 0, 0); return;
    case 0x1A: SendMessage(e.hwnd, WM_UNDO, 0, 0); return;
    case 0x01: SetSelection(e, 0, e.Length(), false); return;
    default: break;
  }
  if (e.ReadOnly()) {
    if (c >= 0x20 || c == U'\b' || c == U'\r') MessageBeep(0);
    return;
  }
  if (c == U'\b') {
    if (e.anchor == e.caret) {
      if (e.caret == 0) return;
      int n = e.caret > 1 && e.text[static_cast<std::size_t>(e.caret - 1)] == U'\n' && e.text[static_cast<std::size_t>(e.caret - 2)] == U'\r' ? 2 : 1;
      e.anchor = e.caret - n;
    }
    Replace(e, U"", true, true);
    return;
  }
  if (c == U'\r' || c == U'\n') {
    if (!e.Multi()) {
      MessageBeep(0);
      return;
    }
    Replace(e, U"\r\n", true, true);
    return;
  }
  if (c == U'\t') {
    if (e.Multi()) Replace(e, U"\t", true, true);
    return;
  }
  if (c < 0x20 || c == 0x7F) return;
  if ((st & ES_NUMBER) && (c < U'0' || c > U'9')) {
    MessageBeep(0);
    return;
  }
  Replace(e, std::u32string(1, c), true, true);
}

void Paint(Edit& e) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(e.hwnd, &ps);
  RECT client;
  ClientRect(e, client);
  bool enabled = IsWindowEnabled(e.hwnd) != FALSE;
  bool staticLook = !enabled || e.ReadOnly();
  HGDIOBJ oldFont = SelectObject(dc, e.font ? e.font : DefaultGuiFont());
  HBRUSH bg = ControlColor(e.hwnd, dc, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  if (!IsWindow(e.hwnd)) return;
  FillRect(dc, &client, bg);
  COLORREF text = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  COLORREF back = GetBkColor(dc);
  bool showSel = e.focused || (e.Style() & ES_NOHIDESEL);
  int selA = showSel ? e.SelMin() : 0, selB = showSel ? e.SelMax() : 0;
  SaveDC(dc);
  RECT clip = e.fmt;
  if (!e.Multi()) clip.bottom = std::max(clip.bottom, clip.top + e.lineHeight);
  IntersectClipRect(dc, std::max(clip.left, client.left), std::max(clip.top, client.top), std::min(clip.right, client.right),
                    std::min(clip.bottom, client.bottom));
  int vis = VisibleLines(e) + 1;
  for (int l = e.firstLine; l < static_cast<int>(e.lines.size()) && l < e.firstLine + vis; ++l) {
    const Line& ln = e.lines[static_cast<std::size_t>(l)];
    int y = e.fmt.top + (l - e.firstLine) * e.lineHeight;
    int x = LineOriginX(e, ln) - e.xOffset;
    std::u32string shown = Shown(e, ln.start, ln.length);
    std::vector<int> adv = Advances(e, shown);
    auto xAt = [&](int col) { return x + (col > 0 ? adv[static_cast<std::size_t>(col - 1)] : 0); };
    int a = std::clamp(selA - ln.start, 0, ln.length), b = std::clamp(selB - ln.start, 0, ln.length);
    auto draw = [&](int from, int to, bool selected) {
      if (to <= from) return;
      std::string utf8 = CodePointsToUtf8(shown.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
      SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
      SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : back);
      SetBkMode(dc, selected ? OPAQUE : TRANSPARENT);
      RECT r{xAt(from), y, xAt(to), y + e.lineHeight};
      ExtTextOut(dc, r.left, y, selected ? ETO_OPAQUE : 0, &r, utf8.c_str(), static_cast<UINT>(utf8.size()), nullptr);
    };
    draw(0, a, false);
    draw(a, b, true);
    draw(b, ln.length, false);
    // A selected line break shows as a little selected space.
    if (selB > ln.start + ln.length && selA <= ln.start + ln.length && ln.brk > 0 && e.Multi()) {
      RECT r{xAt(ln.length), y, xAt(ln.length) + std::max(2, e.lineHeight / 4), y + e.lineHeight};
      HBRUSH hb = GetSysColorBrush(COLOR_HIGHLIGHT);
      FillRect(dc, &r, hb);
    }
  }
  RestoreDC(dc, -1);
  SelectObject(dc, oldFont);
  EndPaint(e.hwnd, &ps);
}

void ApplyFont(Edit& e, HFONT font) {
  e.font = font;
  SelectObject(e.measure, font ? font : DefaultGuiFont());
  TEXTMETRICA tm{};
  GetTextMetrics(e.measure, &tm);
  e.lineHeight = std::max(1, static_cast<int>(tm.tmHeight));
}

void FocusIn(Edit& e) {
  e.focused = true;
  CreateCaret(e.hwnd, nullptr, 1, e.lineHeight);
  PlaceCaret(e);
  ShowCaret(e.hwnd);
  Redraw(e);
  NotifyParent(e.hwnd, EN_SETFOCUS);
}

void FocusOut(Edit& e) {
  e.focused = false;
  e.typing = false;
  DestroyCaret();
  Redraw(e);
  NotifyParent(e.hwnd, EN_KILLFOCUS);
}

void MouseTrack(Edit& e, POINT p, bool start, bool shift) {
  int i = CharFromPos(e, p);
  if (start) {
    SetSelection(e, shift ? e.anchor : i, i, true);
  } else {
    SetSelection(e, e.anchor, i, true);
  }
}

LRESULT LineIndex(const Edit& e, WPARAM line) {
  int l = static_cast<int>(static_cast<INT_PTR>(line));
  if (l == -1) l = LineOf(e, e.caret);
  if (l < 0 || l >= static_cast<int>(e.lines.size())) return -1;
  return e.lines[static_cast<std::size_t>(l)].start;
}

void ScrollLines(Edit& e, int lines, int chars, bool notify) {
  int oldLine = e.firstLine, oldX = e.xOffset;
  if (e.Multi()) {
    int maxFirst = std::max(0, static_cast<int>(e.lines.size()) - 1);
    e.firstLine = std::clamp(e.firstLine + lines, 0, maxFirst);
  }
  if (chars != 0 && !e.Wrap()) {
    TEXTMETRICA tm{};
    GetTextMetrics(e.measure, &tm);
    int step = std::max(1, static_cast<int>(tm.tmAveCharWidth));
    e.xOffset = std::max(0, e.xOffset + chars * step);
  }
  if (oldLine != e.firstLine || oldX != e.xOffset) {
    Redraw(e);
    UpdateScrollBars(e);
    PlaceCaret(e);
    if (notify && oldLine != e.firstLine) NotifyParent(e.hwnd, EN_VSCROLL);
    if (notify && oldX != e.xOffset) NotifyParent(e.hwnd, EN_HSCROLL);
  }
}

LRESULT ScrollCode(Edit& e, WORD code, int thumb, bool vertical) {
  if (vertical) {
    int vis = VisibleLines(e);
    int before = e.firstLine;
    switch (code) {
      case SB_LINEUP: ScrollLines(e, -1, 0, true); break;
      case SB_LINEDOWN: ScrollLines(e, 1, 0, true); break;
      case SB_PAGEUP: ScrollLines(e, -vis, 0, true); break;
      case SB_PAGEDOWN: ScrollLines(e, vis, 0, true); break;
      case SB_TOP: ScrollLines(e, -e.firstLine, 0, true); break;
      case SB_BOTTOM: ScrollLines(e, static_cast<int>(e.lines.size()), 0, true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: ScrollLines(e, thumb - e.firstLine, 0, true); break;
      default: break;
    }
    return MAKELRESULT(static_cast<WORD>(e.firstLine - before), TRUE);
  }
  int width = std::max(1L, static_cast<long>(e.fmt.right - e.fmt.left));
  int old = e.xOffset;
  switch (code) {
    case SB_LINELEFT: e.xOffset = std::max(0, e.xOffset - 8); break;
    case SB_LINERIGHT: e.xOffset += 8; break;
    case SB_PAGELEFT: e.xOffset = std::max(0, e.xOffset - width); break;
    case SB_PAGERIGHT: e.xOffset += width; break;
    case SB_LEFT: e.xOffset = 0; break;
    case SB_RIGHT: e.xOffset = std::max(0, e.maxLineWidth - width); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: e.xOffset = std::max(0, thumb); break;
    default: break;
  }
  e.xOffset = std::min(e.xOffset, std::max(0, e.maxLineWidth - width + 1));
  if (old != e.xOffset) {
    Redraw(e);
    UpdateScrollBars(e);
    PlaceCaret(e);
    NotifyParent(e.hwnd, EN_HSCROLL);
  }
  return 0;
}

}  // namespace

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Edit* e = EditOf(hwnd);
  if (!e && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE: {
      auto state = std::make_unique<Edit>();
      state->hwnd = hwnd;
      state->measure = CreateCompatibleDC(nullptr);
      e = AttachState(hwnd, std::move(state));
      ApplyFont(*e, nullptr);
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
      // Multi-line edits take no password style; a single line never wraps.
      if (style & ES_MULTILINE) style &= ~ES_PASSWORD;
      else style |= ES_AUTOHSCROLL;
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
      if (cs && cs->lpszName) e->text = Filter(*e, Utf8ToCodePoints(cs->lpszName));
      // The text lives here only: the window's own caption copy would keep a password in memory
      // where code reading captions could find it.
      return DefWindowProc(hwnd, msg, wParam, 0) ? TRUE : FALSE;
    }
    case WM_CREATE:
      ResetFormatRect(*e);
      Layout(*e);
      UpdateScrollBars(*e);
      return 0;
    case WM_NCDESTROY: {
      if (e->focused) DestroyCaret();
      DeleteDC(e->measure);
      DetachState<Edit>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_SETTEXT: {
      const char* t = reinterpret_cast<const char*>(lParam);
      e->text = Filter(*e, Utf8ToCodePoints(t ? t : ""));
      // Text set from code may exceed the typing limit; only typing is held to it.
      e->anchor = e->caret = 0;
      e->xOffset = 0;
      e->firstLine = 0;
      e->canUndo = false;
      e->typing = false;
      e->modified = false;
      Changed(*e, false);
      NotifyParent(hwnd, EN_UPDATE);
      if (!IsWindow(hwnd)) return TRUE;
      NotifyParent(hwnd, EN_CHANGE);
      if ((e = EditOf(hwnd))) PlaceCaret(*e);
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyTextOut(CodePointsToUtf8(e->text), wParam, lParam);
    case WM_GETTEXTLENGTH:
      // In bytes, so that a buffer of this size plus one takes the whole text.
      return static_cast<LRESULT>(CodePointsToUtf8(e->text).size());
    case WM_SETFONT:
      ApplyFont(*e, reinterpret_cast<HFONT>(wParam));
      ResetFormatRect(*e);
      Layout(*e);
      UpdateScrollBars(*e);
      if (e->focused) {
        CreateCaret(hwnd, nullptr, 1, e->lineHeight);
        PlaceCaret(*e);
        ShowCaret(hwnd);
      }
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Redraw(*e);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(e->font);
    case WM_SIZE:
      ResetFormatRect(*e);
      Layout(*e);
      UpdateScrollBars(*e);
      ScrollToCaret(*e, false);
      PlaceCaret(*e);
      Redraw(*e);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(*e);
      return 0;
    case WM_ENABLE:
      Redraw(*e);
      return 0;
    case WM_SETFOCUS:
      FocusIn(*e);
      return 0;
    case WM_KILLFOCUS:
      FocusOut(*e);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (e->Multi()) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      KeyDown(*e, wParam);
      return 0;
    case WM_CHAR:
      Char(*e, static_cast<char32_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!(e = EditOf(hwnd))) return 0;
      e->typing = false;
      MouseTrack(*e, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true, (wParam & MK_SHIFT) != 0);
      e->tracking = true;
      SetCapture(hwnd);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      // The press before it took the focus. A double-click handler may since have shown another
      // window, which keeps the focus, as it does on Windows.
      if (!(e = EditOf(hwnd))) return 0;
      SelectWordAt(*e, CharFromPos(*e, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_MOUSEMOVE:
      if (e->tracking && (wParam & MK_LBUTTON)) MouseTrack(*e, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false, false);
      return 0;
    case WM_LBUTTONUP:
      if (e->tracking) {
        e->tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      e->tracking = false;
      return 0;
    case WM_MOUSEWHEEL:
      if (e->Multi()) {
        ScrollLines(*e, WheelScrollLines(wParam, VisibleLines(*e)), 0, true);
        return 0;
      }
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
      {
        // From its own bars the thumb's position is read in full; a scroll bar control of the
        // owner's passes it in the high word, as owners that draw their own bars do.
        int thumb = HIWORD(wParam);
        if (!lParam) {
          SCROLLINFO si;
          si.fMask = SIF_TRACKPOS;
          if (GetScrollInfo(hwnd, msg == WM_VSCROLL ? SB_VERT : SB_HORZ, &si)) thumb = si.nTrackPos;
        }
        return ScrollCode(*e, LOWORD(wParam), thumb, msg == WM_VSCROLL);
      }
    case WM_CUT:
      if (e->Password() || e->ReadOnly()) return 0;
      Copy(*e);
      Clear(*e);
      return 0;
    case WM_COPY:
      Copy(*e);
      return 0;
    case WM_PASTE:
      Paste(*e);
      return 0;
    case WM_CLEAR:
      Clear(*e);
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      if (!e->canUndo) return FALSE;
      Undo(*e);
      return TRUE;
    case EM_CANUNDO:
      return e->canUndo;
    case EM_EMPTYUNDOBUFFER:
      e->canUndo = false;
      e->typing = false;
      return 0;
    case EM_GETSEL: {
      int a = e->SelMin(), b = e->SelMax();
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(a);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(b);
      return MAKELRESULT(static_cast<WORD>(std::min(a, 0xFFFF)), static_cast<WORD>(std::min(b, 0xFFFF)));
    }
    case EM_SETSEL: {
      int a = static_cast<int>(static_cast<INT_PTR>(wParam)), b = static_cast<int>(lParam);
      e->typing = false;
      if (a == -1) {
        SetSelection(*e, e->caret, e->caret, false);
        return 0;
      }
      if (b < 0) b = e->Length();
      if (a < 0) a = e->Length();
      SetSelection(*e, a, b, !e->Multi());
      return 0;
    }
    case EM_REPLACESEL: {
      const char* t = reinterpret_cast<const char*>(lParam);
      Replace(*e, Utf8ToCodePoints(t ? t : ""), wParam != 0, false);
      return 0;
    }
    case EM_GETMODIFY:
      return e->modified;
    case EM_SETMODIFY:
      e->modified = wParam != 0;
      return 0;
    case EM_LIMITTEXT:
      e->limit = wParam == 0 ? kMaxLimit : static_cast<int>(std::min<WPARAM>(wParam, kMaxLimit));
      return 0;
    case EM_GETLIMITTEXT:
      return e->limit;
    case EM_SETPASSWORDCHAR: {
      if (e->Multi()) return 0;
      DWORD style = e->Style();
      if (wParam) {
        e->password = static_cast<char32_t>(wParam);
        style |= ES_PASSWORD;
      } else {
        style &= ~ES_PASSWORD;
      }
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
      Layout(*e);
      Redraw(*e);
      PlaceCaret(*e);
      return 0;
    }
    case EM_GETPASSWORDCHAR:
      return e->Password() ? static_cast<LRESULT>(e->password) : 0;
    case EM_SETREADONLY: {
      DWORD style = e->Style();
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
      Redraw(*e);
      return TRUE;
    }
    case EM_SETMARGINS: {
      TEXTMETRICA tm{};
      GetTextMetrics(e->measure, &tm);
      int fontMargin = std::max(1, static_cast<int>(tm.tmAveCharWidth) / 2);
      int left = LOWORD(static_cast<DWORD_PTR>(lParam)), right = HIWORD(static_cast<DWORD_PTR>(lParam));
      if (wParam == EC_USEFONTINFO) {
        e->leftMargin = e->rightMargin = fontMargin;
      } else {
        if (wParam & EC_LEFTMARGIN) e->leftMargin = left == 0xFFFF ? fontMargin : left;
        if (wParam & EC_RIGHTMARGIN) e->rightMargin = right == 0xFFFF ? fontMargin : right;
      }
      ResetFormatRect(*e);
      Layout(*e);
      Redraw(*e);
      PlaceCaret(*e);
      return 0;
    }
    case EM_GETMARGINS:
      return MAKELRESULT(static_cast<WORD>(e->leftMargin), static_cast<WORD>(e->rightMargin));
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = e->fmt;
      return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (!lParam) {
        e->fmtSet = false;
        ResetFormatRect(*e);
      } else {
        e->fmt = *reinterpret_cast<const RECT*>(lParam);
        e->fmtSet = true;
      }
      Layout(*e);
      UpdateScrollBars(*e);
      if (msg == EM_SETRECT) Redraw(*e);
      PlaceCaret(*e);
      return 0;
    case EM_POSFROMCHAR: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i > e->Length()) return -1;
      POINT p = PosOf(*e, i);
      return MAKELRESULT(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y)));
    }
    case EM_CHARFROMPOS: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int line = 0;
      int i = CharFromPos(*e, p, &line);
      return MAKELRESULT(static_cast<WORD>(std::min(i, 0xFFFF)), static_cast<WORD>(e->Multi() ? std::min(line, 0xFFFF) : 0));
    }
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(e->lines.size());
    case EM_LINEINDEX:
      return LineIndex(*e, wParam);
    case EM_LINEFROMCHAR: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0) i = e->SelMin();
      return LineOf(*e, std::min(i, e->Length()));
    }
    case EM_LINELENGTH: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0) {
        // The characters of the selection's lines that are not selected.
        int l1 = LineOf(*e, e->SelMin()), l2 = LineOf(*e, e->SelMax());
        const Line& a = e->lines[static_cast<std::size_t>(l1)];
        const Line& b = e->lines[static_cast<std::size_t>(l2)];
        return (e->SelMin() - a.start) + std::max(0, b.start + b.length - e->SelMax());
      }
      if (i > e->Length()) return 0;
      return e->lines[static_cast<std::size_t>(LineOf(*e, i))].length;
    }
    case EM_GETLINE: {
      int l = static_cast<int>(wParam);
      char* buf = reinterpret_cast<char*>(lParam);
      if (!buf || l < 0 || l >= static_cast<int>(e->lines.size())) return 0;
      WORD size;
      std::memcpy(&size, buf, sizeof size);
      const Line& ln = e->lines[static_cast<std::size_t>(l)];
      std::string utf8 = CodePointsToUtf8(e->text.substr(static_cast<std::size_t>(ln.start), static_cast<std::size_t>(ln.length)));
      // The buffer's first word gives its size in bytes; no terminator is written, and no
      // character is cut in two.
      std::size_t n = std::min<std::size_t>(utf8.size(), size);
      while (n > 0 && n < utf8.size() && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80) --n;
      std::memcpy(buf, utf8.data(), n);
      return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE:
      if (e->Multi()) return e->firstLine;
      return CharFromPos(*e, {e->fmt.left, e->fmt.top});
    case EM_LINESCROLL:
      if (!e->Multi()) return FALSE;
      ScrollLines(*e, static_cast<int>(lParam), static_cast<int>(static_cast<INT_PTR>(wParam)), false);
      return TRUE;
    case EM_SCROLL:
      if (!e->Multi()) return FALSE;
      return ScrollCode(*e, static_cast<WORD>(wParam), 0, true);
    case EM_SCROLLCARET:
      ScrollToCaret(*e, false);
      PlaceCaret(*e);
      return TRUE;
    case EM_SETTABSTOPS:
      return TRUE;
    case WM_STYLECHANGED:
      Layout(*e);
      Redraw(*e);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::wm
