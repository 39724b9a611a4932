#pragma once
// Edits with a picture mask: "mask;save-literals;blank". The mask shows its literals and a blank
// for each place still to be typed; typing fills the places that take the key and skips the
// literals; leaving an edit whose required places are empty is refused.
//
// Mask characters: L letter, l optional letter, A letter or digit, a optional, C any character,
// c optional, 0 digit, 9 optional digit, # optional digit or sign, > upper case from here,
// < lower case, <> no change, \ the next character is a literal, ! blanks lead instead of trail,
// : and / the time and date separators; anything else is a literal.
#include <string>
#include <vector>

#include "platform/classes/StdCtrls.h"

VW_DECLARE_EXCEPTION(EDBEditError, Exception);

struct TMaskPlace {
  char32_t Literal = 0;  // 0 for a place to type into
  char Kind = 0;         // the mask character of a place to type into
  int Case = 0;          // 1 upper, -1 lower
  bool Required = false;
};

// A parsed mask: what the edit text looks like and which characters each place takes.
class TEditMaskParser {
 public:
  explicit TEditMaskParser(const String& EditMask);
  bool Empty() const { return FPlaces.empty(); }
  const std::vector<TMaskPlace>& Places() const { return FPlaces; }
  bool SaveLiterals() const { return FSaveLiterals; }
  char32_t Blank() const { return FBlank; }
  // The character as it goes into a place (case applied), or 0 when the place does not take it.
  char32_t Accept(int Place, char32_t Ch) const;
  // The edit text of a value: the value's characters in the places that take them.
  std::u32string Apply(const std::u32string& Value) const;
  // The value of an edit text: literals when saved, blanks as spaces.
  std::u32string Extract(const std::u32string& EditText) const;
  // The first required place still blank, or -1.
  int FirstMissing(const std::u32string& EditText) const;

 private:
  std::vector<TMaskPlace> FPlaces;
  char32_t FBlank = U'_';
  bool FSaveLiterals = true;
  bool FLeadingBlanks = false;
};

class TCustomMaskEdit : public TCustomEdit {
  VW_CLASS(TCustomMaskEdit, TCustomEdit)
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value);
  bool IsMasked() const { return !FParser.Empty(); }
  // What the window shows, literals and blanks included.
  String EditText();
  void SetEditText(const String& Value);
  // Raises EDBEditError at the first required place that is empty and puts the caret there.
  virtual void ValidateEdit();

 protected:
  String GetText() override;
  void SetTextValue(const String& Value) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void DoExit() override;

 private:
  std::u32string Shown();
  void Show(const std::u32string& Text, int Caret);
  int NextInput(int From, int Step) const;
  void TypeChar(char32_t Ch);

  String FEditMask;
  TEditMaskParser FParser{""};
};

class TMaskEdit : public TCustomMaskEdit {
  VW_CLASS(TMaskEdit, TCustomMaskEdit)
 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
