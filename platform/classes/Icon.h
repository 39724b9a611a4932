#pragma once
// Icon pictures: a platform icon (colour image and transparency mask) read from and written as
// icon files; always drawn transparently.
#include <cstdint>
#include <vector>

#include "platform/classes/Graphics.h"

inline constexpr const char* SVIcons = "Icons";

class TIcon : public TGraphic {
  VW_CLASS(TIcon, TGraphic)
 public:
  TIcon() { FTransparent = true; }
  ~TIcon() override;

  void Assign(TPersistent* Source) override;

  bool Empty() const override { return !FHandle; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Chooses the size the next icon file is read at; an icon already there keeps its size.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  // Icons are drawn through their masks whatever is asked.
  void SetTransparent(bool) override {}

  win::HICON Handle() const { return FHandle; }
  // Adopts the icon handle (destroyed by the picture from now on).
  void SetHandle(win::HICON Value);
  win::HICON ReleaseHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  // An icon file: the image nearest the chosen size, the deepest of those. PNG-compressed images
  // are not read.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Draw(TCanvas* ACanvas, const win::RECT& Rect) override;

 private:
  void FreeIcon();

  win::HICON FHandle = nullptr;
  int FWidth = 32;
  int FHeight = 32;
  std::vector<std::uint8_t> FFile;  // the file it was read from, written back unchanged
};
