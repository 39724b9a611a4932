#pragma once
// One set of frame and colour settings pushed into every control registered with it, so that a
// window's framed controls can be restyled at once; and the description of a settings store a
// controller can refer to.
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Interface.h"
#include "ui/panels/Drawing.h"

VW_ENUM(TRzFrameControllerProperty, fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor,
        fcpReadOnlyColorOnFocus, fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor,
        fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle, fcpFrameVisible, fcpFramingPreference,
        fcpAll)
// Bit i is connection i; fcpAll is never a member.
using TRzFrameControllerNotifications = TSet<TRzFrameControllerProperty>;
inline constexpr TRzFrameControllerNotifications fccAll =
    TRzFrameControllerNotifications::FromBits(0xFFFF);

VW_ENUM(TFramingPreference, fpCustomFraming, fpXPThemes)

// A control that copies the controller's settings itself, by its own notifications.
class IFrameControllerClient : public virtual IInterface {
 public:
  static constexpr const char* IID = "{64B1C9EA-C954-428A-95C4-4EA2EB0F1E16}";
  virtual void ApplyFrameController() = 0;
};

// Readers that take obsolete properties of stored forms and throw their values away.
class TRzOldPropReader {
 public:
  static bool ReadOldBooleanProp(TReader* Reader) { return Reader->ReadBoolean(); }
  static String ReadOldIdentProp(TReader* Reader) { return Reader->ReadIdent(); }
  // A set value: a list of names up to the empty one.
  static void ReadOldSetProp(TReader* Reader) { Reader->SkipValue(); }
};

class TRzRegIniFile;

class TRzFrameController : public TComponent {
  VW_CLASS(TRzFrameController, TComponent)
 public:
  explicit TRzFrameController(TComponent* AOwner);
  ~TRzFrameController() override;
  static void DeclareProperties(TPropTable& t);

  // A control's FrameController writer calls these. Registering pushes every setting once.
  void RegisterControl(TComponent* Control);
  void UnregisterControl(TComponent* Control);
  int ControlCount() const { return FControls ? static_cast<int>(FControls->size()) : 0; }
  bool HasControlList() const { return FControls != nullptr; }

  void SuspendUpdates() { ++FUpdateCount; }
  // At or below zero: the counter starts again and everything is pushed.
  void ResumeUpdates();
  void Assign(TPersistent* Source) override;

  virtual void PushSettingsToControl(TComponent* Control, TRzFrameControllerProperty Property);
  virtual void PushSettingsToAll(TRzFrameControllerProperty Property);

  TColor Color() const { return FColor; }
  virtual void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  virtual void SetParentColor(bool Value);
  TColor FlatButtonColor() const { return FFlatButtonColor; }
  virtual void SetFlatButtonColor(TColor Value);
  bool FlatButtons() const { return FFlatButtons; }
  virtual void SetFlatButtons(bool Value);
  TColor DisabledColor() const { return FDisabledColor; }
  virtual void SetDisabledColor(TColor Value);
  TColor ReadOnlyColor() const { return FReadOnlyColor; }
  virtual void SetReadOnlyColor(TColor Value);
  bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
  virtual void SetReadOnlyColorOnFocus(bool Value);
  TColor FocusColor() const { return FFocusColor; }
  virtual void SetFocusColor(TColor Value);
  TColor FrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor Value);
  TColor FrameHotColor() const { return FFrameHotColor; }
  virtual void SetFrameHotColor(TColor Value);
  bool FrameHotTrack() const { return FFrameHotTrack; }
  virtual void SetFrameHotTrack(bool Value);
  TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
  virtual void SetFrameHotStyle(TFrameStyle Value);
  TSides FrameSides() const { return FFrameSides; }
  virtual void SetFrameSides(TSides Value);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  virtual void SetFrameStyle(TFrameStyle Value);
  bool FrameVisible() const { return FFrameVisible; }
  virtual void SetFrameVisible(bool Value);
  TFramingPreference FramingPreference() const { return FFramingPreference; }
  virtual void SetFramingPreference(TFramingPreference Value);
  TRzRegIniFile* RegIniFile() const { return FRegIniFile; }
  virtual void SetRegIniFile(TRzRegIniFile* Value);

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

 private:
  bool IsColorStored() const { return !FParentColor; }

  TColor FColor = clWindow;
  TColor FDisabledColor = clBtnFace;
  TColor FReadOnlyColor = clInfoBk;
  bool FReadOnlyColorOnFocus = false;
  TColor FFlatButtonColor = clBtnFace;
  bool FFlatButtons = true;
  TColor FFocusColor = clWindow;
  TColor FFrameColor = clBtnShadow;
  TColor FFrameHotColor = clBtnShadow;
  TFrameStyle FFrameHotStyle = fsFlatBold;
  bool FFrameHotTrack = false;
  TSides FFrameSides = sdAllSides;
  TFrameStyle FFrameStyle = fsFlat;
  bool FFrameVisible = false;
  TFramingPreference FFramingPreference = fpXPThemes;
  bool FParentColor = false;
  TRzRegIniFile* FRegIniFile = nullptr;
  int FUpdateCount = 0;
  std::unique_ptr<std::vector<TComponent*>> FControls;
};

VW_ENUM(TRzPathType, ptIniFile, ptRegistry)
VW_ENUM(TRzRegKey, hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData,
        hkeyCurrentConfig, hkeyDynData)
VW_ENUM(TRzRegAccessKey, keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink,
        keyRead, keyWrite, keyExecute, keyAllAccess)
using TRzRegAccess = TSet<TRzRegAccessKey>;
VW_ENUM(TRzSpecialFolder, sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData)
VW_ENUM(TRzIniFileEncoding, feDefault, feUTF8, feUnicode)

// Where settings would be kept: an INI file or a registry key. Nothing in the system reads or
// writes through it, so the storage is never opened; changing a setting only marks it for
// reopening.
class TRzRegIniFile : public TComponent {
  VW_CLASS(TRzRegIniFile, TComponent)
 public:
  explicit TRzRegIniFile(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  const String& Path() const { return FPath; }
  virtual void SetPath(const String& Value);
  TRzPathType PathType() const { return FPathType; }
  virtual void SetPathType(TRzPathType Value);
  TRzRegKey RegKey() const { return FRegKey; }
  virtual void SetRegKey(TRzRegKey Value);
  TRzRegAccess RegAccess() const { return FRegAccess; }
  virtual void SetRegAccess(TRzRegAccess Value);
  TRzSpecialFolder SpecialFolder() const { return FSpecialFolder; }
  virtual void SetSpecialFolder(TRzSpecialFolder Value);
  TRzIniFileEncoding FileEncoding() const { return FFileEncoding; }
  virtual void SetFileEncoding(TRzIniFileEncoding Value);
  bool NeedsReopen() const { return FReopen; }

 private:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    FReopen = true;
  }
  String FPath;
  TRzPathType FPathType = ptIniFile;
  TRzRegKey FRegKey = hkeyCurrentUser;
  TRzRegAccess FRegAccess{keyAllAccess};
  TRzSpecialFolder FSpecialFolder = sfNone;
  TRzIniFileEncoding FFileEncoding = feDefault;
  bool FReopen = true;
};
