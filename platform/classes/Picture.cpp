#include "platform/classes/Picture.h"

#include <memory>
#include <mutex>
#include <vector>

#include "platform/classes/Icon.h"
#include "platform/classes/JpegImage.h"

namespace {

struct FileFormat {
  String Extension;
  String Description;
  TGraphicClass Class;
};

inline constexpr const char* SVBitmaps = "Bitmaps";

std::mutex& FormatsLock() {
  static std::mutex m;
  return m;
}

// The library's own kinds come first; later registrations of an extension take precedence.
std::vector<FileFormat>& Formats() {
  static std::vector<FileFormat> formats = {
      {"jpg", sJPEGImageFile, TJPEGImage::StaticClass()},
      {"jpeg", sJPEGImageFile, TJPEGImage::StaticClass()},
      {"bmp", SVBitmaps, TBitmap::StaticClass()},
      {"ico", SVIcons, TIcon::StaticClass()},
  };
  return formats;
}

std::vector<FileFormat> FormatsOf(TGraphicClass cls) {
  std::lock_guard lock(FormatsLock());
  std::vector<FileFormat> out;
  for (const auto& f : Formats())
    if (!cls || f.Class->InheritsFrom(cls)) out.push_back(f);
  return out;
}

TGraphic* NewGraphic(TGraphicClass cls) {
  TObject* o = cls->Create();
  auto* g = dynamic_cast<TGraphic*>(o);
  if (!g) {
    delete o;
    throw EInvalidGraphic(SInvalidPropertyValue);
  }
  return g;
}

}  // namespace

void TPicture::RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicClass AGraphicClass) {
  if (!AGraphicClass || !AGraphicClass->InheritsFrom(TGraphic::StaticClass()) || !AGraphicClass->CanCreate())
    throw EInvalidGraphic(SInvalidPropertyValue);
  std::lock_guard lock(FormatsLock());
  auto& formats = Formats();
  formats.insert(formats.begin(), FileFormat{LowerCase(AExtension), ADescription, AGraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass) {
  std::lock_guard lock(FormatsLock());
  std::erase_if(Formats(), [AClass](const FileFormat& f) { return f.Class == AClass; });
}

TGraphicClass TPicture::FileFormatClass(const String& AExtension) {
  std::lock_guard lock(FormatsLock());
  for (const auto& f : Formats())
    if (SameText(f.Extension, AExtension)) return f.Class;
  return nullptr;
}

String GraphicFilter(TGraphicClass GraphicClass) {
  auto formats = FormatsOf(GraphicClass);
  String masks, parts;
  for (const auto& f : formats) {
    String mask = "*." + f.Extension;
    if (!masks.empty()) masks += ';';
    masks += mask;
    parts += '|' + f.Description + " (" + mask + ")|" + mask;
  }
  // A single kind needs no "All" entry.
  if (formats.size() == 1) return parts.substr(1);
  return "All (" + masks + ")|" + masks + parts;
}

String GraphicExtension(TGraphicClass GraphicClass) {
  for (const auto& f : FormatsOf(nullptr))
    if (f.Class == GraphicClass) return "." + f.Extension;
  for (const auto& f : FormatsOf(GraphicClass)) return "." + f.Extension;
  return String();
}

String GraphicFileMask(TGraphicClass GraphicClass) {
  String masks;
  for (const auto& f : FormatsOf(GraphicClass)) {
    if (!masks.empty()) masks += ';';
    masks += "*." + f.Extension;
  }
  return masks;
}

TPicture::~TPicture() { delete FGraphic; }

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Replace(TGraphic* NewGraphic) {
  TGraphic* old = FGraphic;
  FGraphic = NewGraphic;
  if (FGraphic) {
    FGraphic->OnChange = [this](TObject* s) { Changed(s); };
    FGraphic->OnProgress = [this](TObject* s) {
      if (OnProgress) OnProgress(s);
    };
  }
  delete old;
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (Value == FGraphic) return;
  TGraphic* copy = nullptr;
  if (Value) {
    copy = NewGraphic(Value->ClassType());
    try {
      copy->Assign(Value);
    } catch (...) {
      delete copy;
      throw;
    }
  }
  Replace(copy);
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic)) Replace(new TBitmap);
  return static_cast<TBitmap*>(FGraphic);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(p->FGraphic);
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::LoadFromFile(const String& FileName) {
  String ext = ExtractFileExt(FileName);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  TGraphicClass cls = FileFormatClass(ext);
  if (!cls) throw EInvalidGraphic(Format(SUnknownExtension, ext));
  std::unique_ptr<TGraphic> g(NewGraphic(cls));
  g->LoadFromFile(FileName);
  Replace(g.release());
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::DefineProperties(TFiler* Filer) {
  bool hasData;
  if (auto* ancestor = dynamic_cast<TPicture*>(Filer->Ancestor())) {
    TGraphic* a = ancestor->FGraphic;
    hasData = !((a == FGraphic) || (a && FGraphic && FGraphic->Equals(a)));
  } else {
    hasData = FGraphic != nullptr;
  }
  Filer->DefineBinaryProperty("Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); },
                              hasData);
}

void TPicture::ReadData(TStream* Stream) {
  std::uint8_t len = 0;
  Stream->ReadBuffer(&len, 1);
  String name(len, '\0');
  if (len) Stream->ReadBuffer(name.data(), len);
  if (name.empty()) {
    Replace(nullptr);
    return;
  }
  TGraphicClass cls = nullptr;
  for (const auto& f : FormatsOf(nullptr))
    if (f.Class->ClassNameIs(name)) {
      cls = f.Class;
      break;
    }
  if (!cls) {
    TClass registered = GetClass(name);
    if (registered && registered->InheritsFrom(TGraphic::StaticClass())) cls = registered;
  }
  if (!cls) throw EClassNotFound(Format(SClassNotFound, name));
  std::unique_ptr<TGraphic> g(NewGraphic(cls));
  g->ReadData(Stream);
  Replace(g.release());
}

void TPicture::WriteData(TStream* Stream) {
  String name = FGraphic ? FGraphic->ClassName() : String();
  auto len = static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255));
  Stream->WriteBuffer(&len, 1);
  if (len) Stream->WriteBuffer(name.data(), len);
  if (FGraphic) FGraphic->WriteData(Stream);
}
