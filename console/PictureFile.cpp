#include "console/PictureFile.h"

#include <memory>

#include "platform/classes/JpegImage.h"
#include "platform/classes/Streams.h"
#include "platform/win/CommonDialogs.h"

namespace {

// A PNG becomes a bitmap: the consoles only ever show their logos, never store them back.
bool LoadPng(TPicture* Picture, const String& FileName) {
  win::HBITMAP handle = win::LoadPictureFile(FileName.c_str());
  if (!handle) return false;
  TBitmap bitmap;
  bitmap.SetHandle(handle);
  if (bitmap.Empty()) return false;
  Picture->SetGraphic(&bitmap);
  return true;
}

}  // namespace

bool LoadPictureFile(TPicture* Picture, const String& FileName) {
  try {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    unsigned char head[4] = {};
    if (file.Read(head, sizeof head) != sizeof head) return false;
    file.SetPosition(0);
    std::unique_ptr<TGraphic> graphic;
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
      graphic = std::make_unique<TJPEGImage>();
    else if (head[0] == 'B' && head[1] == 'M')
      graphic = std::make_unique<TBitmap>();
    else if (head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G')
      return LoadPng(Picture, FileName);
    else
      return false;
    graphic->LoadFromStream(&file);
    if (graphic->Empty()) return false;
    Picture->SetGraphic(graphic.get());
    return true;
  } catch (const Exception&) {
    return false;
  }
}
