#include "platform/classes/JpegImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// After the platform headers: the library defines TRUE and FALSE as macros.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// The decoder runs in C; its errors come back by longjmp to a frame that holds no C++ objects, and
// are raised from there.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  int code;
};

void OnError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  err->code = info->err->msg_code;
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  // A file that ends early would be drawn with its missing rows grey: it is refused instead, as
  // is any other error. Other warnings (stray bytes between markers) are common and harmless.
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

void Silent(j_common_ptr) {}

constexpr unsigned kMaxSide = 1 << 16;
// Past any logo or photograph the console shows; refused before memory is taken for it.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

struct DecodeResult {
  int width = 0;
  int height = 0;
  int code = 0;
};

// Plain C++ without objects that need destroying: longjmp may leave this frame's callees.
bool DecodeRaw(const std::uint8_t* data, std::size_t size, bool gray, std::vector<std::uint8_t>* rgb,
               DecodeResult* out) {
  jpeg_decompress_struct info;
  ErrorManager err;
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.pub.output_message = Silent;
  err.code = 0;
  if (setjmp(err.jump)) {
    out->code = err.code;
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_width == 0 || info.output_height == 0 || info.output_width > kMaxSide ||
      info.output_height > kMaxSide ||
      static_cast<std::uint64_t>(info.output_width) * info.output_height > kMaxPixels) {
    out->code = JERR_IMAGE_TOO_BIG;
    jpeg_destroy_decompress(&info);
    return false;
  }
  int comps = info.output_components;
  out->width = static_cast<int>(info.output_width);
  out->height = static_cast<int>(info.output_height);
  rgb->resize(static_cast<std::size_t>(out->width) * static_cast<std::size_t>(out->height) * 3);
  // A row buffer big enough for four components, inside the vector's own storage at its end.
  std::size_t rowBytes = static_cast<std::size_t>(out->width) * static_cast<std::size_t>(comps);
  rgb->resize(rgb->size() + rowBytes);
  std::uint8_t* row = rgb->data() + rgb->size() - rowBytes;
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row};
    std::size_t y = info.output_scanline;
    jpeg_read_scanlines(&info, rows, 1);
    std::uint8_t* dst = rgb->data() + y * static_cast<std::size_t>(out->width) * 3;
    for (int x = 0; x < out->width; ++x) {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(comps);
      if (comps == 1) {
        dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = p[0];
      } else if (comps == 4) {
        // Adobe files store CMYK inverted; K darkens all three.
        int k = p[3];
        dst[x * 3] = static_cast<std::uint8_t>(p[0] * k / 255);
        dst[x * 3 + 1] = static_cast<std::uint8_t>(p[1] * k / 255);
        dst[x * 3 + 2] = static_cast<std::uint8_t>(p[2] * k / 255);
      } else {
        dst[x * 3] = p[0];
        dst[x * 3 + 1] = p[1];
        dst[x * 3 + 2] = p[2];
      }
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  rgb->resize(rgb->size() - rowBytes);
  return true;
}

// `rgb` holds width x height RGB triplets, top row first; the file lands in *result (malloc'd).
bool EncodeRaw(const std::uint8_t* rgb, int width, int height, int quality, bool gray, unsigned char** result,
               unsigned long* resultSize, std::vector<std::uint8_t>* grayRow, int* code) {
  jpeg_compress_struct info;
  ErrorManager err;
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.output_message = Silent;
  err.code = 0;
  if (setjmp(err.jump)) {
    *code = err.code;
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, result, resultSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  grayRow->resize(static_cast<std::size_t>(width));
  while (info.next_scanline < info.image_height) {
    const std::uint8_t* src = rgb + static_cast<std::size_t>(info.next_scanline) * static_cast<std::size_t>(width) * 3;
    JSAMPROW rows[1];
    if (gray) {
      for (int x = 0; x < width; ++x)
        (*grayRow)[static_cast<std::size_t>(x)] =
            static_cast<std::uint8_t>((src[x * 3] * 77 + src[x * 3 + 1] * 150 + src[x * 3 + 2] * 29) >> 8);
      rows[0] = grayRow->data();
    } else {
      rows[0] = const_cast<std::uint8_t*>(src);
    }
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() { delete FBitmap; }

void TJPEGImage::SetCompressionQuality(int Value) {
  Value = std::clamp(Value, 1, 100);
  if (Value == FQuality) return;
  FQuality = Value;
}

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  if (!FData.empty()) {
    // Decoded again from the file in the new colours.
    delete FBitmap;
    FBitmap = nullptr;
    DIBNeeded();
  }
  Changed(this);
}

void TJPEGImage::Decode(const std::vector<std::uint8_t>& Data, bool Gray, TBitmap*& Result, int& W, int& H) {
  std::vector<std::uint8_t> rgb;
  DecodeResult r;
  if (Data.empty() || !DecodeRaw(Data.data(), Data.size(), Gray, &rgb, &r)) {
    // An empty file fails where the decoder would: there is no start of image.
    throw EJPEG(Format(SJPEGError, Data.empty() ? static_cast<int>(JERR_INPUT_EMPTY) : r.code));
  }
  auto* bmp = new TBitmap;
  try {
    bmp->SetPixelFormat(pf24bit);
    bmp->SetSize(r.width, r.height);
    for (int y = 0; y < r.height; ++y) {
      auto* dst = static_cast<std::uint8_t*>(bmp->ScanLine(y));
      const std::uint8_t* src = rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(r.width) * 3;
      for (int x = 0; x < r.width; ++x) {
        dst[x * 3] = src[x * 3 + 2];
        dst[x * 3 + 1] = src[x * 3 + 1];
        dst[x * 3 + 2] = src[x * 3];
      }
    }
  } catch (...) {
    delete bmp;
    throw;
  }
  Result = bmp;
  W = r.width;
  H = r.height;
}

void TJPEGImage::DIBNeeded() {
  if (FBitmap || FData.empty()) return;
  Decode(FData, FGrayscale, FBitmap, FWidth, FHeight);
}

void TJPEGImage::Compress() {
  if (!FBitmap || FBitmap->Empty()) return;
  TBitmap copy;
  copy.Assign(FBitmap);
  copy.SetPixelFormat(pf32bit);
  int w = copy.Width(), h = copy.Height();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
  for (int y = 0; y < h; ++y) {
    const auto* src = static_cast<const std::uint8_t*>(copy.ScanLine(y));
    std::uint8_t* dst = rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 3;
    for (int x = 0; x < w; ++x) {
      dst[x * 3] = src[x * 4 + 2];
      dst[x * 3 + 1] = src[x * 4 + 1];
      dst[x * 3 + 2] = src[x * 4];
    }
  }
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  std::vector<std::uint8_t> grayRow;
  int code = 0;
  bool ok = EncodeRaw(rgb.data(), w, h, FQuality, FGrayscale, &out, &outSize, &grayRow, &code);
  if (ok) FData.assign(out, out + outSize);
  std::free(out);
  if (!ok) throw EJPEG(Format(SJPEGError, code));
}

void TJPEGImage::JPEGNeeded() {
  if (FData.empty()) Compress();
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  std::int64_t size = Stream->Size() - Stream->Position();
  if (size < 0 || size > std::numeric_limits<std::int32_t>::max()) throw EJPEG(Format(SJPEGError, static_cast<int>(JERR_INPUT_EOF)));
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  if (size) Stream->ReadBuffer(data.data(), static_cast<std::int32_t>(size));
  TBitmap* bmp = nullptr;
  int w = 0, h = 0;
  Decode(data, FGrayscale, bmp, w, h);
  delete FBitmap;
  FBitmap = bmp;
  FData.swap(data);
  FWidth = w;
  FHeight = h;
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  JPEGNeeded();
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<std::int32_t>(FData.size()));
}

void TJPEGImage::Draw(TCanvas* ACanvas, const win::RECT& Rect) {
  DIBNeeded();
  if (FBitmap) ACanvas->StretchDraw(Rect, FBitmap);
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
    if (j == this) return;
    TBitmap* bmp = nullptr;
    if (j->FBitmap) {
      bmp = new TBitmap;
      bmp->Assign(j->FBitmap);
    }
    delete FBitmap;
    FBitmap = bmp;
    FData = j->FData;
    FWidth = j->FWidth;
    FHeight = j->FHeight;
    FQuality = j->FQuality;
    FGrayscale = j->FGrayscale;
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    auto* bmp = new TBitmap;
    bmp->Assign(b);
    delete FBitmap;
    FBitmap = bmp;
    FData.clear();
    FWidth = bmp->Width();
    FHeight = bmp->Height();
    Changed(this);
    return;
  }
  if (!Source) {
    delete FBitmap;
    FBitmap = nullptr;
    FData.clear();
    FWidth = FHeight = 0;
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
    DIBNeeded();
    b->Assign(FBitmap);
    return;
  }
  inherited::AssignTo(Dest);
}
