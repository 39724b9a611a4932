#pragma once
// The settings of a mask editor: the mask text and its kind (picture, regular expression, or
// regular expression with auto-completion), whether the engine ignores case, whether a blank or
// unfinished text still passes, and whether an unfocused picture editor shows its blanks and
// literals. A mask that is empty or only blanks is no mask: the editor is then a text editor.
#include <memory>

#include "ui/editors/MaskEditModes.h"
#include "ui/editors/TextEditProperties.h"

class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties {
  VW_CLASS(TcxCustomMaskEditProperties, TcxCustomTextEditProperties)
 public:
  explicit TcxCustomMaskEditProperties(TPersistent* AOwner);
  ~TcxCustomMaskEditProperties() override;

  void Assign(TPersistent* Source) override;

  // ---- values ----------------------------------------------------------------------------------------
  bool AlwaysShowBlanksAndLiterals() const { return FAlwaysShowBlanksAndLiterals; }
  void SetAlwaysShowBlanksAndLiterals(bool Value);
  bool CaseInsensitive() const { return FCaseInsensitive; }
  // True whenever CharCase converts the case.
  void SetCaseInsensitive(bool Value);
  // A blank stored mask of the picture kind falls back to the bound field's mask.
  String EditMask();
  // Compiles Value first: a faulty regular expression raises EcxMaskEditError and is not stored.
  void SetEditMask(const String& Value);
  // The stored mask, written without compiling or signalling: the editor's kind change empties it.
  const String& StoredEditMask() const { return FEditMask; }
  void SetStoredEditMask(const String& Value) { FEditMask = Value; }
  // The text of an empty value, kept up to date by the editor.
  const String& EmptyValueText() const { return FEmptyValueText; }
  void SetEmptyValueText(const String& Value) { FEmptyValueText = Value; }
  bool IgnoreMaskBlank() const { return FIgnoreMaskBlank; }
  void SetIgnoreMaskBlank(bool Value) { FIgnoreMaskBlank = Value; }
  TcxEditMaskKind MaskKind() const { return FMaskKind; }
  void SetMaskKind(TcxEditMaskKind Value);

  // Empty, or nothing but blank characters.
  static bool IsMaskBlank(const String& Text);
  bool HasMask() { return !IsMaskBlank(EditMask()); }
  // A mode of MaskKind without an editor.
  std::unique_ptr<TcxMaskEditCustomMode> CreateMode();
  // Null without a mask; else a mode with EditMask compiled.
  std::unique_ptr<TcxMaskEditCustomMode> CreateCompiledMode();

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual TcxMaskEditCustomModeClass MaskModeClass(TcxEditMaskKind Kind);

  // ---- overrides -------------------------------------------------------------------------------------
  void NotifyPropertiesChanged() override;
  int SupportsDisplayFormat() override;
  TClass EditClass() override;
  int SupportedOperations() override;
  bool IsEditValueValid(const Variant& Value) override;
  void ConvertToEditValue(const Variant& Value, Variant& DisplayValue, bool EditingForm) override;
  void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, TcxCustomEdit* Edit, bool& Error) override;
  void MaxLengthChanged() override;
  bool UsesLookupItems() override;
  void SetCharCase(TEditCharCase Value) override;

 protected:
  TcxCustomMaskEditProperties(TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes);

 private:
  void Construct();

  bool FAlwaysShowBlanksAndLiterals = false;
  bool FCaseInsensitive = true;
  String FEditMask;
  String FEmptyValueText;
  bool FIgnoreMaskBlank = false;
  TcxEditMaskKind FMaskKind = emkStandard;
  bool FMaxLengthGuard = false;
  std::unique_ptr<TcxMaskEditCustomMode> FTemporaryMode;
};

// The published form: the Properties of a mask editor.
class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
  VW_CLASS(TcxMaskEditProperties, TcxCustomMaskEditProperties)
 public:
  explicit TcxMaskEditProperties(TPersistent* AOwner) : TcxCustomMaskEditProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

 private:
  bool MaxLengthStored() { return TextAssignedValues()->MaxLength(); }
};
