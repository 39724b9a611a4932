// The clipboard over the display's text clipboard, with GlobalAlloc memory for its data.
#include "platform/win/Clipboard.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/display/Display.h"
#include "platform/system/CodePage.h"
#include "platform/system/HandleTable.h"
#include "platform/system/Sync.h"
#include "platform/win/Focus.h"

namespace platform::wm {

using namespace win;

namespace {

struct Block {
  std::vector<char> bytes;
  int locks = 0;
};

HandleTable<Block>& Blocks() {
  static HandleTable<Block> table(HandleKind::Other);
  return table;
}

struct Board {
  std::mutex mutex;
  bool open = false;
  DWORD openThread = 0;
  HWND openOwner = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HGLOBAL> data;  // formats other than text, and text handed out by GetClipboardData
  std::map<std::string, UINT> names;
  // Text kept here when there is no display (a program without a screen still copies and pastes).
  std::string text;
  bool hasText = false;
};

Board& TheBoard() {
  static Board b;
  return b;
}

HGLOBAL MakeBlock(const void* bytes, std::size_t n) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
  if (void* p = GlobalLock(h)) {
    std::memcpy(p, bytes, n);
    GlobalUnlock(h);
  }
  return h;
}

void Drop(Board& b, UINT format) {
  auto it = b.data.find(format);
  if (it != b.data.end()) {
    GlobalFree(it->second);
    b.data.erase(it);
  }
}

bool IsText(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT; }

bool OpenedByCaller(const Board& b) { return b.open && b.openThread == GetCurrentThreadId(); }

void PutText(Board& b, const std::string& utf8) {
  if (platform::HasDisplay()) platform::CurrentDisplay().SetClipboardText(utf8);
  b.text = utf8;
  b.hasText = true;
}

bool TakeText(Board& b, std::string& out) {
  if (platform::HasDisplay()) {
    out = platform::CurrentDisplay().ClipboardText();
    return !out.empty() || b.hasText;
  }
  out = b.text;
  return b.hasText;
}

}  // namespace

bool SetClipboardTextUtf8(HWND owner, const std::string& utf8) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  std::string z = utf8;
  z.push_back('\0');
  bool ok = SetClipboardData(CF_TEXT, MakeBlock(z.data(), z.size())) != nullptr;
  CloseClipboard();
  return ok;
}

bool GetClipboardTextUtf8(HWND owner, std::string& out) {
  if (!OpenClipboard(owner)) return false;
  bool ok = false;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::size_t n = GlobalSize(h);
    if (p) {
      out.assign(p, strnlen(p, n));
      ok = true;
    }
    GlobalUnlock(h);
  }
  CloseClipboard();
  return ok;
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
  auto b = std::make_unique<Block>();
  b->bytes.assign(bytes, 0);
  (void)flags;  // memory is always zeroed and never moves
  return reinterpret_cast<HGLOBAL>(Blocks().Add(std::move(b)));
}

HGLOBAL GlobalFree(HGLOBAL mem) {
  if (!mem) return nullptr;
  return Blocks().Remove(platform::HandleValue(mem)) ? nullptr : mem;
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, std::size_t bytes, UINT) {
  Block* b = Blocks().Get(platform::HandleValue(mem));
  if (!b) return nullptr;
  b->bytes.resize(bytes, 0);
  return mem;
}

LPVOID GlobalLock(HGLOBAL mem) {
  Block* b = Blocks().Get(platform::HandleValue(mem));
  if (!b) return nullptr;
  ++b->locks;
  // A block of no bytes still locks to a valid address.
  return b->bytes.empty() ? static_cast<LPVOID>(b) : b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL mem) {
  Block* b = Blocks().Get(platform::HandleValue(mem));
  if (!b || b->locks == 0) return FALSE;
  return --b->locks > 0;
}

std::size_t GlobalSize(HGLOBAL mem) {
  Block* b = Blocks().Get(platform::HandleValue(mem));
  return b ? b->bytes.size() : 0;
}

BOOL OpenClipboard(HWND owner) {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  if (b.open && b.openThread != GetCurrentThreadId()) return FALSE;
  b.open = true;
  b.openThread = GetCurrentThreadId();
  b.openOwner = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) return FALSE;
  b.open = false;
  b.openThread = 0;
  return TRUE;
}

BOOL EmptyClipboard() {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) return FALSE;
  for (auto& [f, h] : b.data) GlobalFree(h);
  b.data.clear();
  b.owner = b.openOwner;
  PutText(b, "");
  b.hasText = false;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b) || !data) return nullptr;
  Block* block = Blocks().Get(platform::HandleValue(data));
  if (!block) return nullptr;
  if (IsText(format)) {
    std::string utf8;
    if (format == CF_UNICODETEXT) {
      std::u16string w(block->bytes.size() / 2, u'\0');
      std::memcpy(w.data(), block->bytes.data(), w.size() * 2);
      w.resize(std::char_traits<char16_t>::length(w.c_str()));
      utf8 = platform::Utf16ToUtf8(w);
    } else {
      utf8.assign(block->bytes.data(), strnlen(block->bytes.data(), block->bytes.size()));
    }
    PutText(b, utf8);
    for (UINT f : {CF_TEXT, CF_UNICODETEXT, CF_OEMTEXT}) Drop(b, f);
  } else {
    Drop(b, format);
  }
  // The caller's memory belongs to the clipboard now; text handles are kept for GetClipboardData.
  b.data[format] = data;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  if (!OpenedByCaller(b)) return nullptr;
  if (IsText(format)) {
    std::string utf8;
    if (!TakeText(b, utf8)) return nullptr;
    for (UINT f : {CF_TEXT, CF_UNICODETEXT, CF_OEMTEXT}) Drop(b, f);
    HGLOBAL h;
    if (format == CF_UNICODETEXT) {
      std::u16string w = platform::Utf8ToUtf16(utf8);
      h = MakeBlock(w.c_str(), (w.size() + 1) * sizeof(char16_t));
    } else {
      h = MakeBlock(utf8.c_str(), utf8.size() + 1);
    }
    b.data[format] = h;
    return h;
  }
  auto it = b.data.find(format);
  return it == b.data.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  if (IsText(format)) {
    std::string t;
    return TakeText(b, t) && !t.empty();
  }
  return b.data.count(format) ? TRUE : FALSE;
}

HWND GetClipboardOwner() {
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  return b.owner;
}

UINT RegisterClipboardFormat(LPCSTR name) {
  if (!name || !*name) return 0;
  Board& b = TheBoard();
  std::lock_guard lock(b.mutex);
  auto it = b.names.find(name);
  if (it != b.names.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(b.names.size());
  b.names[name] = id;
  return id;
}

}  // namespace win
