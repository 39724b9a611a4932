#include "console/PictureFile.h"

#include <memory>

#include "platform/classes/JpegImage.h"
#include "platform/classes/Streams.h"

bool LoadPictureFile(TPicture* Picture, const String& FileName) {
  try {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    unsigned char head[3] = {};
    if (file.Read(head, sizeof head) != sizeof head) return false;
    file.SetPosition(0);
    std::unique_ptr<TGraphic> graphic;
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
      graphic = std::make_unique<TJPEGImage>();
    else if (head[0] == 'B' && head[1] == 'M')
      graphic = std::make_unique<TBitmap>();
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
