#pragma once
// The picture-mask engine: one mask character per text position, literals in between, case
// switches, and an optional tail ";x;b" that says whether literals belong to the value and which
// character shows an empty position. It lays texts into the positions and reads values back out;
// the caret and the editing are the editor's business.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/SysUtils.h"

class TcxStandardMaskCustomItem {
 public:
  virtual ~TcxStandardMaskCustomItem() = default;
  virtual bool AcceptsChar(char& Ch) const = 0;
};

class TcxStandardMaskLiteralItem final : public TcxStandardMaskCustomItem {
 public:
  explicit TcxStandardMaskLiteralItem(char Ch) : FChar(Ch) {}
  char Char() const { return FChar; }
  bool AcceptsChar(char& Ch) const override { return Ch == FChar; }

 private:
  char FChar;
};

// 0 upper case, 1 lower case, 2 as typed.
enum : uint8_t { cxStandardMaskUpperCase = 0, cxStandardMaskLowerCase = 1, cxStandardMaskNoCaseConversion = 2 };

class TcxStandardMaskManyItem : public TcxStandardMaskCustomItem {
 public:
  TcxStandardMaskManyItem(bool Optional, uint8_t CaseConversion)
      : CaseConversion(CaseConversion), Optional(Optional) {}
  void ConvertCase(char& Ch) const;
  // Tests the character as typed, then converts its case whether it was accepted or not.
  bool AcceptsChar(char& Ch) const final;

  uint8_t CaseConversion;
  bool Optional;

 protected:
  virtual bool Accepts(char Ch) const = 0;
};

class TcxStandardMaskAlphaItem final : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(char Ch) const override;
};

class TcxStandardMaskAlphaNumericItem final : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(char Ch) const override;
};

class TcxStandardMaskASCIIItem final : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(char) const override { return true; }
};

class TcxStandardMaskNumericItem final : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(char Ch) const override;
};

class TcxStandardMaskNumericSymbolItem final : public TcxStandardMaskManyItem {
 public:
  using TcxStandardMaskManyItem::TcxStandardMaskManyItem;

 protected:
  bool Accepts(char Ch) const override;
};

class TcxStandardMask {
 public:
  void Compile(const String& Mask);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  const TcxStandardMaskCustomItem* Items(int Index) const { return FItems[static_cast<size_t>(Index)].get(); }

  char BlankChar() const { return FBlankChar; }
  bool Leading() const { return FLeading; }
  bool SaveLiterals() const { return FSaveLiterals; }
  const String& Mask() const { return FMask; }

  void EmptyText(String& Text) const;
  void BlankValueText(String& Text) const;
  void ApplyToText(String& Text, bool UseConvertedChars, bool TextHasLiterals) const;
  void ExtractValue(String& Text) const;
  bool IsTextComplete(String& Text) const;
  bool IsLiteral(int Index) const;

 private:
  char FBlankChar = '_';
  std::vector<std::unique_ptr<TcxStandardMaskCustomItem>> FItems;
  bool FLeading = false;
  bool FSaveLiterals = true;
  String FMask;

  void ParseItems(const String& Mask);
};
