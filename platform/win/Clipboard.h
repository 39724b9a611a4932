#pragma once
// The clipboard. Text lives on the desktop's clipboard (the display's), so it travels between
// programs; other formats stay within the process. Memory handed to it comes from GlobalAlloc.
#include <string>

#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

constexpr UINT CF_TEXT = 1, CF_BITMAP = 2, CF_OEMTEXT = 7, CF_DIB = 8, CF_UNICODETEXT = 13, CF_LOCALE = 16;
constexpr UINT GMEM_FIXED = 0x0000, GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040, GMEM_DDESHARE = 0x2000,
               GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
HGLOBAL GlobalFree(HGLOBAL mem);
// Grows or shrinks the block (new bytes are zero); the handle stays. Null for a stale handle.
HGLOBAL GlobalReAlloc(HGLOBAL mem, std::size_t bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
std::size_t GlobalSize(HGLOBAL mem);

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// CF_TEXT holds UTF-8, CF_UNICODETEXT UTF-16, both with a terminator. The clipboard owns `data`
// from now on.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The handle stays the clipboard's; it is valid until the clipboard changes.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();
UINT RegisterClipboardFormat(LPCSTR name);

}  // namespace win

namespace platform::wm {
// Text to and from the clipboard in one step, for the controls.
bool SetClipboardTextUtf8(win::HWND owner, const std::string& utf8);
bool GetClipboardTextUtf8(win::HWND owner, std::string& out);
}  // namespace platform::wm
