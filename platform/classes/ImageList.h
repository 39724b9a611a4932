#pragma once
// Image lists as components: many images of one size behind one platform handle, drawn normal,
// selected, masked, disabled or with an overlay; users follow changes through change links.
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Component.h"
#include "platform/classes/Icon.h"
#include "platform/gdi/ImageList.h"

VW_ENUM(TDrawingStyle, dsFocus, dsSelected, dsNormal, dsTransparent)
VW_ENUM(TImageType, itImage, itMask)
using TImageIndex = int;
using TOverlay = std::uint8_t;

class TCustomImageList;

// A user's subscription to an image list's changes; it unsubscribes itself when freed.
class TChangeLink : public TObject {
  VW_CLASS(TChangeLink, TObject)
 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
  VW_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TCustomImageList() override;
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  // The platform handle, made when first needed.
  win::HIMAGELIST Handle();
  // Adopts a handle (owned unless ShareImages); the list takes its image size.
  void SetHandle(win::HIMAGELIST Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  int Count();

  // A bitmap as wide as several images adds them all; the result is the first new index (-1 when
  // nothing could be added).
  int Add(TBitmap* Image, TBitmap* Mask);
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void AddImages(TCustomImageList* Value);
  void Insert(int Index, TBitmap* Image, TBitmap* Mask);
  void InsertMasked(int Index, TBitmap* Image, TColor MaskColor);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceMasked(int Index, TBitmap* NewImage, TColor MaskColor);
  void Delete(int Index);
  void Clear();
  void Move(int CurIndex, int NewIndex);
  // Marks image ImageIndex as overlay Overlay (0 to 3), drawn by DrawOverlay.
  bool Overlay(int ImageIndex, TOverlay Overlay);

  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  void DrawOverlay(TCanvas* Canvas, int X, int Y, int ImageIndex, TOverlay Overlay, bool Enabled = true);
  // The image drawn on a bitmap of the list's size; false for an invalid index.
  bool GetBitmap(int Index, TBitmap* Image);
  void GetIcon(int Index, TIcon* Image);

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int Value) { FAllocBy = Value; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType Value);
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value);
  // A shared handle belongs to someone else and is never destroyed by the list.
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool Value) { FShareImages = Value; }

  TNotifyEvent OnChange;

 protected:
  virtual void Change();
  // The handle's making; descendants that need another kind of handle replace it here.
  virtual void Initialize();
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, win::UINT Style, bool Enabled);
  void DefineProperties(TFiler* Filer) override;
  void CreateImageListHandle();
  void FreeHandle();
  void CheckImage(TBitmap* Image);

 private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void DrawDisabled(int Index, TCanvas* Canvas, int X, int Y);

  win::HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  int FAllocBy = 4;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  bool FMasked = true;
  bool FShareImages = false;
  std::vector<TChangeLink*> FClients;
};

// An image list that can show one of its images under the mouse while something is dragged: a
// topmost window that never takes the mouse, its hot spot at the drag point.
class TDragImageList : public TCustomImageList {
  VW_CLASS(TDragImageList, TCustomImageList)
 public:
  using TCustomImageList::TCustomImageList;
  ~TDragImageList() override;

  // The image shown and the point of it that lies under the mouse.
  bool SetDragImage(int Index, int HotSpotX, int HotSpotY);
  // Starts showing the image at the screen point X, Y (the window argument is the platform's
  // and only names where the drag began).
  bool BeginDrag(win::HWND Window, int X, int Y);
  bool DragMove(int X, int Y);
  bool EndDrag();
  void ShowDragImage();
  void HideDragImage();
  bool Dragging() const { return FDragWindow != nullptr; }
  // The window that shows the image while dragging, nullptr otherwise.
  win::HWND DragWindow() const { return FDragWindow; }

 private:
  static win::LRESULT DragWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  int FDragIndex = 0;
  win::POINT FDragHotspot{};
  win::HWND FDragWindow = nullptr;
};

class TImageList : public TDragImageList {
  VW_CLASS(TImageList, TDragImageList)
 public:
  using TDragImageList::TDragImageList;
};
