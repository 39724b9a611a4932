#pragma once
// Image lists: many images of one size behind one handle, each with an optional transparency
// mask, drawn masked, alpha-blended (32-bit images whose alpha is used) or with an overlay.
#include <cstdint>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace win {

struct IMAGELIST_;
using HIMAGELIST = IMAGELIST_*;

constexpr UINT ILC_MASK = 0x0001, ILC_COLOR = 0x0000, ILC_COLORDDB = 0x00FE, ILC_COLOR4 = 0x0004,
               ILC_COLOR8 = 0x0008, ILC_COLOR16 = 0x0010, ILC_COLOR24 = 0x0018, ILC_COLOR32 = 0x0020;
constexpr UINT ILD_NORMAL = 0x0000, ILD_TRANSPARENT = 0x0001, ILD_MASK = 0x0010, ILD_IMAGE = 0x0020,
               ILD_BLEND25 = 0x0002, ILD_BLEND50 = 0x0004, ILD_FOCUS = 0x0002, ILD_SELECTED = 0x0004,
               ILD_BLEND = 0x0004, ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(UINT i) { return i << 8; }
constexpr UINT ILCF_MOVE = 0, ILCF_SWAP = 1;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF, CLR_DEFAULT = 0xFF000000;

struct IMAGEINFO {
  HBITMAP hbmImage = nullptr;  // owned by the list; valid until the list next changes
  HBITMAP hbmMask = nullptr;
  int Unused1 = 0;
  int Unused2 = 0;
  RECT rcImage{};
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST himl);
HIMAGELIST ImageList_Duplicate(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
// Grows with blank images or drops images from the end.
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// Empties the list.
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
UINT ImageList_GetFlags(HIMAGELIST himl);

// A bitmap as wide as several images adds them all, left to right; the result is the first new
// index, or -1. In the mask, white marks transparent pixels.
int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask);
// Pixels of `mask` colour become transparent (and black in the list's copy).
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF mask);
int ImageList_AddIcon(HIMAGELIST himl, HICON icon);
// Index -1 appends.
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon);
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask);
// Index -1 removes all.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
BOOL ImageList_RemoveAll(HIMAGELIST himl);
// Within one list: ILCF_SWAP exchanges the two images, ILCF_MOVE copies iSrc over iDst.
BOOL ImageList_Copy(HIMAGELIST dst, int iDst, HIMAGELIST src, int iSrc, UINT flags);
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info);
HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
// Overlay 1 to 15 is drawn from image iImage when a draw's style carries INDEXTOOVERLAYMASK(overlay).
BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay);

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC dc, int x, int y, UINT style);
// dx, dy (0: the image size) cut the drawn part; bk: CLR_NONE draws transparently, CLR_DEFAULT uses
// the list's background colour; fg: the blend colour of ILD_BLEND25/50 (CLR_DEFAULT: highlight).
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style);

// The list's contents as bytes, and a list made from them (null on malformed data).
std::vector<std::uint8_t> ImageList_Write(HIMAGELIST himl);
HIMAGELIST ImageList_Read(const std::uint8_t* data, std::size_t size, std::size_t* used = nullptr);

}  // namespace win
