#include "platform/classes/ImageList.h"

#include <algorithm>

#include "platform/win/Hooks.h"
#include "platform/win/Window.h"

namespace {

win::COLORREF ListColor(TColor c) {
  if (c == clNone) return win::CLR_NONE;
  if (c == clDefault) return win::CLR_DEFAULT;
  return ColorToRGB(c);
}

constexpr win::UINT kDrawingStyles[] = {win::ILD_FOCUS, win::ILD_SELECTED, win::ILD_NORMAL, win::ILD_TRANSPARENT};
constexpr win::UINT kImageTypes[] = {0, win::ILD_MASK};

}  // namespace

// ---- change links ---------------------------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

// ---- image lists ----------------------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight) : TComponent(AOwner) {
  FWidth = AWidth;
  FHeight = AHeight;
}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FClients) link->SetSender(nullptr);
  FClients.clear();
  FreeHandle();
}

void TCustomImageList::DeclareProperties(TPropTable& t) {
  t.Add("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy).SetDefault(4);
  t.Add("BlendColor", &TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor)
      .Idents(&ColorToIdent, &IdentToColor)
      .SetDefault(clNone);
  t.Add("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor)
      .Idents(&ColorToIdent, &IdentToColor)
      .SetDefault(clNone);
  t.Add("DrawingStyle", &TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle).SetDefault(dsNormal);
  t.Add("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).SetDefault(16);
  t.Add("ImageType", &TCustomImageList::ImageType, &TCustomImageList::SetImageType).SetDefault(itImage);
  t.Add("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked).SetDefault(true);
  t.Add("ShareImages", &TCustomImageList::ShareImages, &TCustomImageList::SetShareImages).SetDefault(false);
  t.Add("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).SetDefault(16);
  t.Add("OnChange", &TCustomImageList::OnChange);
}

void TCustomImageList::CreateImageListHandle() {
  FHandle = win::ImageList_Create(FWidth, FHeight, win::ILC_COLORDDB | (FMasked ? win::ILC_MASK : 0), FAllocBy,
                                  FAllocBy);
  if (!FHandle) throw EInvalidOperation(SInvalidImageList);
  win::ImageList_SetBkColor(FHandle, ListColor(FBkColor));
}

void TCustomImageList::Initialize() {
  if (FWidth < 1 || FWidth > 32768 || FHeight < 1 || FHeight > 32768) throw EInvalidOperation(SInvalidImageSize);
  CreateImageListHandle();
}

void TCustomImageList::FreeHandle() {
  if (FHandle && !FShareImages) win::ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

win::HIMAGELIST TCustomImageList::Handle() {
  if (!FHandle) Initialize();
  return FHandle;
}

void TCustomImageList::SetHandle(win::HIMAGELIST Value) {
  if (Value == FHandle) return;
  FreeHandle();
  FHandle = Value;
  if (FHandle) {
    int w = FWidth, h = FHeight;
    win::ImageList_GetIconSize(FHandle, &w, &h);
    FWidth = w;
    FHeight = h;
    FMasked = (win::ImageList_GetFlags(FHandle) & win::ILC_MASK) != 0;
  }
  Change();
}

int TCustomImageList::Count() { return FHandle ? win::ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::Change() {
  for (TChangeLink* link : std::vector<TChangeLink*>(FClients)) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value) return;
  Value->SetSender(this);
  if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it == FClients.end()) return;
  (*it)->SetSender(nullptr);
  FClients.erase(it);
}

void TCustomImageList::CheckImage(TBitmap* Image) {
  if (!Image || Image->Empty() || Image->Width() < FWidth || Image->Height() < FHeight)
    throw EInvalidOperation(SInvalidImageSize);
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->Empty()) return -1;
  int i = win::ImageList_Add(Handle(), Image->Handle(), Mask && !Mask->Empty() ? Mask->Handle() : nullptr);
  if (i >= 0) Change();
  return i;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  int i;
  if (FMasked && MaskColor != clNone)
    i = win::ImageList_AddMasked(Handle(), Image->Handle(), ColorToRGB(MaskColor));
  else
    i = win::ImageList_Add(Handle(), Image->Handle(), nullptr);
  if (i >= 0) Change();
  return i;
}

int TCustomImageList::AddIcon(TIcon* Image) {
  if (!Image || Image->Empty()) return -1;
  int i = win::ImageList_AddIcon(Handle(), Image->Handle());
  if (i >= 0) Change();
  return i;
}

void TCustomImageList::GetIcon(int Index, TIcon* Image) {
  if (!Image || Index < 0 || Index >= Count()) return;
  Image->SetHandle(win::ImageList_GetIcon(FHandle, Index, win::ILD_NORMAL));
}

void TCustomImageList::AddImages(TCustomImageList* Value) {
  if (!Value || Value->Count() == 0) return;
  win::HIMAGELIST src = Value->Handle();
  win::HIMAGELIST dst = Handle();
  int n = win::ImageList_GetImageCount(src);
  bool same = Value->Width() == FWidth && Value->Height() == FHeight;
  for (int i = 0; i < n; ++i) {
    int at = win::ImageList_GetImageCount(dst);
    if (same) {
      win::ImageList_SetImageCount(dst, static_cast<win::UINT>(at + 1));
      win::ImageList_Copy(dst, at, src, i, win::ILCF_MOVE);
    } else {
      TBitmap image;
      Value->GetBitmap(i, &image);
      win::ImageList_AddMasked(dst, image.Handle(), ListColor(clFuchsia));
    }
  }
  Change();
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > Count()) throw EInvalidOperation(SImageIndexError);
  int first = Add(Image, Mask);
  if (first < 0) return;
  int added = Count() - first;
  for (int k = 0; k < added; ++k) Move(first + k, Index + k);
}

void TCustomImageList::InsertMasked(int Index, TBitmap* Image, TColor MaskColor) {
  if (Index < 0 || Index > Count()) throw EInvalidOperation(SImageIndexError);
  int first = AddMasked(Image, MaskColor);
  if (first < 0) return;
  int added = Count() - first;
  for (int k = 0; k < added; ++k) Move(first + k, Index + k);
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation(SImageIndexError);
  if (!Image || !win::ImageList_Replace(FHandle, Index, Image->Handle(), Mask && !Mask->Empty() ? Mask->Handle() : nullptr))
    throw EInvalidOperation(SReplaceImage);
  Change();
}

void TCustomImageList::ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor) {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation(SImageIndexError);
  if (!NewImage) throw EInvalidOperation(SReplaceImage);
  // Added masked at the end, then moved into the old image's place.
  int n = Count();
  if (win::ImageList_AddMasked(FHandle, NewImage->Handle(), ColorToRGB(MaskColor)) < 0)
    throw EInvalidOperation(SReplaceImage);
  win::ImageList_Copy(FHandle, Index, FHandle, n, win::ILCF_MOVE);
  win::ImageList_SetImageCount(FHandle, static_cast<win::UINT>(n));
  Change();
}

void TCustomImageList::Delete(int Index) {
  if (Index < -1 || Index >= Count()) throw EInvalidOperation(SImageIndexError);
  if (!FHandle) return;
  win::ImageList_Remove(FHandle, Index);
  Change();
}

void TCustomImageList::Clear() { Delete(-1); }

void TCustomImageList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  int n = Count();
  if (CurIndex < 0 || CurIndex >= n || NewIndex < 0 || NewIndex >= n) throw EInvalidOperation(SImageIndexError);
  // One neighbour swap at a time keeps the order of the images in between.
  int step = NewIndex > CurIndex ? 1 : -1;
  for (int i = CurIndex; i != NewIndex; i += step) win::ImageList_Copy(FHandle, i + step, FHandle, i, win::ILCF_SWAP);
  Change();
}

bool TCustomImageList::Overlay(int ImageIndex, TOverlay Overlay) {
  if (Overlay > 3) return false;
  return win::ImageList_SetOverlayImage(Handle(), ImageIndex, Overlay + 1) != win::FALSE;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, FDrawingStyle, FImageType, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!HandleAllocated() || !Canvas) return;
  DoDraw(Index, Canvas, X, Y, kDrawingStyles[ADrawingStyle] | kImageTypes[AImageType], Enabled);
}

void TCustomImageList::DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, TOverlay Overlay, bool Enabled) {
  if (!HandleAllocated() || !Canvas || Overlay > 3) return;
  win::UINT style = kDrawingStyles[FDrawingStyle] | kImageTypes[FImageType] | win::INDEXTOOVERLAYMASK(Overlay + 1u);
  DoDraw(ImageIndex, Canvas, X, Y, style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, win::UINT Style, bool Enabled) {
  if (!HandleAllocated()) return;
  if (!Enabled) {
    DrawDisabled(Index, Canvas, X, Y);
    return;
  }
  win::ImageList_DrawEx(FHandle, Index, Canvas->Handle(), X, Y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor),
                        Style);
}

void TCustomImageList::DrawDisabled(int Index, TCanvas* Canvas, int X, int Y) {
  if (Index < 0 || Index >= Count()) return;
  // The image's shape, every pixel that is neither transparent nor white, embossed in the 3-D
  // colours: a highlight one pixel down and right, the shadow on top.
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(FWidth, FHeight);
  win::ImageList_DrawEx(FHandle, Index, image.Canvas()->Handle(), 0, 0, 0, 0, win::CLR_NONE, win::CLR_NONE,
                        win::ILD_TRANSPARENT);
  TBitmap shape;
  shape.SetPixelFormat(pf32bit);
  shape.SetSize(FWidth, FHeight);
  for (int y = 0; y < FHeight; ++y) {
    auto* src = static_cast<std::uint32_t*>(image.ScanLine(y));
    auto* dst = static_cast<std::uint32_t*>(shape.ScanLine(y));
    for (int x = 0; x < FWidth; ++x) dst[x] = (src[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0;
  }
  shape.SetTransparentColor(clBlack);
  win::HBITMAP mask = shape.MaskHandle();  // 1 on the shape
  win::HDC dc = Canvas->Handle();
  win::HDC src = image.Canvas()->Handle();
  auto paint = [&](TColor color, int dx, int dy) {
    win::HBRUSH brush = win::CreateSolidBrush(ColorToRGB(color));
    win::HGDIOBJ old = win::SelectObject(dc, brush);
    win::MaskBlt(dc, X + dx, Y + dy, FWidth, FHeight, src, 0, 0, mask, 0, 0, win::MAKEROP4(win::PATCOPY, 0x00AA0029));
    win::SelectObject(dc, old);
    win::DeleteObject(brush);
  };
  paint(clBtnHighlight, 1, 1);
  paint(clBtnShadow, 0, 0);
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= Count()) return false;
  Image->SetSize(FWidth, FHeight);
  Image->Canvas()->Brush()->SetColor(FBkColor == clNone ? clWhite : FBkColor);
  Image->Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
  win::ImageList_Draw(FHandle, Index, Image->Canvas()->Handle(), 0, 0, win::ILD_NORMAL);
  // Drawn behind the canvas's back: the bitmap must still learn that it changed.
  Image->SetModified(true);
  return true;
}

void TCustomImageList::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  if (FHandle) {
    // A new size empties the list, as the platform does.
    win::ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
  }
}

void TCustomImageList::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  if (FHandle) {
    win::ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
  }
}

void TCustomImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  if (FHandle) win::ImageList_SetBkColor(FHandle, ListColor(Value));
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == FBlendColor) return;
  FBlendColor = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == FImageType) return;
  FImageType = Value;
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  if (FHandle) {
    // The images are kept; only the handle's kind changes.
    win::HIMAGELIST old = FHandle;
    FHandle = nullptr;
    CreateImageListHandle();
    int n = win::ImageList_GetImageCount(old);
    win::ImageList_SetImageCount(FHandle, static_cast<win::UINT>(n));
    for (int i = 0; i < n; ++i) win::ImageList_Copy(FHandle, i, old, i, win::ILCF_MOVE);
    if (!FShareImages) win::ImageList_Destroy(old);
  }
  Change();
}

void TCustomImageList::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  if (auto* l = dynamic_cast<TCustomImageList*>(Source)) {
    if (l == this) return;
    FreeHandle();
    FWidth = l->FWidth;
    FHeight = l->FHeight;
    FAllocBy = l->FAllocBy;
    FBkColor = l->FBkColor;
    FBlendColor = l->FBlendColor;
    FDrawingStyle = l->FDrawingStyle;
    FImageType = l->FImageType;
    FMasked = l->FMasked;
    if (l->FHandle) {
      FHandle = win::ImageList_Duplicate(l->FHandle);
      FShareImages = false;
    }
    Change();
    return;
  }
  inherited::Assign(Source);
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  bool hasData;
  if (auto* ancestor = dynamic_cast<TCustomImageList*>(Filer->Ancestor())) {
    hasData = !(ancestor->Count() == Count() &&
                (Count() == 0 || win::ImageList_Write(ancestor->FHandle) == win::ImageList_Write(FHandle)));
  } else {
    hasData = Count() > 0;
  }
  Filer->DefineBinaryProperty("Bitmap", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); },
                              hasData);
}

void TCustomImageList::ReadData(TStream* Stream) {
  std::int64_t size = Stream->Size() - Stream->Position();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  if (!data.empty()) Stream->ReadBuffer(data.data(), static_cast<std::int32_t>(data.size()));
  win::HIMAGELIST h = win::ImageList_Read(data.data(), data.size());
  if (!h) throw EReadError(SImageReadFail);
  bool share = FShareImages;
  FShareImages = false;
  SetHandle(h);
  FShareImages = share;
}

void TCustomImageList::WriteData(TStream* Stream) {
  std::vector<std::uint8_t> data = win::ImageList_Write(Handle());
  Stream->WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
}

// ---- TDragImageList ---------------------------------------------------------------------------------

namespace {

// What shows through: the image's transparent parts are this colour, keyed out of the window.
constexpr win::COLORREF kDragKey = win::RGB(255, 0, 254);
constexpr const char* kDragClass = "VwDragImage";

}  // namespace

TDragImageList::~TDragImageList() { EndDrag(); }

bool TDragImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY) {
  if (Index < 0 || Index >= Count()) return false;
  FDragIndex = Index;
  FDragHotspot = {HotSpotX, HotSpotY};
  if (FDragWindow) win::InvalidateRect(FDragWindow, nullptr, win::TRUE);
  return true;
}

win::LRESULT TDragImageList::DragWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  using namespace win;
  auto* list = reinterpret_cast<TDragImageList*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT rc;
      GetClientRect(hwnd, &rc);
      HBRUSH key = CreateSolidBrush(kDragKey);
      FillRect(dc, &rc, key);
      DeleteObject(key);
      if (list && list->FDragIndex < list->Count())
        ImageList_Draw(list->Handle(), list->FDragIndex, dc, 0, 0, ILD_TRANSPARENT);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

bool TDragImageList::BeginDrag(win::HWND, int X, int Y) {
  using namespace win;
  if (FDragWindow || Count() == 0) return false;
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, kDragClass, &wc)) {
    wc = WNDCLASS();
    wc.lpfnWndProc = &TDragImageList::DragWndProc;
    wc.lpszClassName = kDragClass;
    RegisterClass(&wc);
  }
  FDragWindow = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
                               kDragClass, "", WS_POPUP, X - FDragHotspot.x, Y - FDragHotspot.y, Width(), Height(),
                               nullptr, nullptr, nullptr, nullptr);
  if (!FDragWindow) return false;
  SetWindowLongPtr(FDragWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetLayeredWindowAttributes(FDragWindow, kDragKey, 0, LWA_COLORKEY);
  ShowDragImage();
  return true;
}

bool TDragImageList::DragMove(int X, int Y) {
  if (!FDragWindow) return false;
  win::SetWindowPos(FDragWindow, nullptr, X - FDragHotspot.x, Y - FDragHotspot.y, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
  return true;
}

bool TDragImageList::EndDrag() {
  if (!FDragWindow) return false;
  win::HWND window = FDragWindow;
  FDragWindow = nullptr;
  win::DestroyWindow(window);
  return true;
}

void TDragImageList::ShowDragImage() {
  if (FDragWindow) {
    win::ShowWindow(FDragWindow, win::SW_SHOWNOACTIVATE);
    win::UpdateWindow(FDragWindow);
  }
}

void TDragImageList::HideDragImage() {
  if (FDragWindow) win::ShowWindow(FDragWindow, win::SW_HIDE);
}

