#pragma once
// A picture of any registered kind: which class reads a file is chosen by its extension.
#include "platform/classes/Bitmap.h"

class TPicture : public TPersistent {
  VW_CLASS(TPicture, TPersistent)
 public:
  TPicture() = default;
  ~TPicture() override;

  void Assign(TPersistent* Source) override;

  // Null when empty. Setting copies the graphic into a new one of its class.
  TGraphic* Graphic() const { return FGraphic; }
  void SetGraphic(TGraphic* Value);
  // The picture as a bitmap: a picture of another kind is replaced by an empty bitmap.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // A file whose extension has no registered class raises EInvalidGraphic; a file that cannot be
  // read raises its class's error. Either way the picture keeps what it had.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  TNotifyEvent OnChange;
  TNotifyEvent OnProgress;

  // Extension without the dot ("jpg"), compared without regard to case.
  static void RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicClass AGraphicClass);
  static void UnregisterGraphicClass(TGraphicClass AClass);
  // Null when no class reads the extension.
  static TGraphicClass FileFormatClass(const String& AExtension);

 protected:
  virtual void Changed(TObject* Sender);
  // Form descriptions store "Data": the class name as a short string, then the graphic's data.
  void DefineProperties(TFiler* Filer) override;

 private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void Replace(TGraphic* NewGraphic);

  TGraphic* FGraphic = nullptr;
};

// Open-dialog filter of every registered kind that is (or derives from) GraphicClass:
// "All (*.jpg;*.bmp)|*.jpg;*.bmp|JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp".
String GraphicFilter(TGraphicClass GraphicClass);
// The first registered extension of the class, with the dot.
String GraphicExtension(TGraphicClass GraphicClass);
// "*.jpg;*.bmp" of every registered kind of the class.
String GraphicFileMask(TGraphicClass GraphicClass);
