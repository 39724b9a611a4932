#pragma once
// The regional formats as the editors need them: currency and date display formats, picture and
// regular-expression masks for dates and date-times (which also take date words such as "today"
// or "eom+3"), and display formats that match those masks. They are rebuilt when the regional
// settings or the library's texts change, and the registered listeners are told.
#include <cstdint>
#include <vector>

#include "platform/classes/Interface.h"
#include "platform/system/Types.h"
#include "ui/foundation/ResourceStrings.h"

// The parts of the user's locale the platform's format settings do not carry, and the
// separators the mask engines read. Process-wide and read at the moment of use, so a change (or a
// test) takes effect on the next read. The defaults are those of the Chinese locale the console
// runs under.
struct TcxLocaleFormatSettings {
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char DecimalSeparator = '.';
  // The locale's own time format, which may differ from the run time's long time format.
  String TimeFormat = "H:mm:ss";
};

TcxLocaleFormatSettings& LocaleFormatSettings();

enum TcxDateTimeFormatItemKind : std::uint8_t {
  dtiText,
  dtiYear,
  dtiMonth,
  dtiDay,
  dtiHour,
  dtiMinute,
  dtiSecond,
  dtiMSec,
  dtiAMPM,
  dtiDateSeparator,
  dtiTimeSeparator,
};

struct TcxDateTimeFormatItem {
  TcxDateTimeFormatItemKind Kind = dtiText;
  String Data;
};

struct TcxDateTimeFormatInfo {
  bool DefinedItems[11] = {};
  std::vector<TcxDateTimeFormatItem> Items;
};

class IcxFormatControllerListener : public virtual IInterface {
 public:
  virtual void FormatChanged() = 0;
};

class IcxFormatControllerListener2 : public virtual IInterface {
 public:
  virtual void TimeChanged() = 0;
};

class TcxFormatController : public TObject, public IcxStringTableListener {
  VW_CLASS(TcxFormatController, TObject)
 public:
  TcxFormatController();
  ~TcxFormatController() override;

  void AddListener(IcxFormatControllerListener* Listener);
  void RemoveListener(IcxFormatControllerListener* Listener);
  void Refresh();
  void NotifyListeners();

  const String& CurrencyFormat() const { return FCurrencyFormat; }
  const String& DateEditFormat() const { return FDateEditFormat; }
  String DateEditFormat(bool CorrectForMask) const;
  const String& DateEditMask() const { return FDateEditMask; }
  const String& StandardDateEditMask() const { return FStandardDateEditMask; }
  const String& StandardDateTimeEditMask() const { return FStandardDateTimeEditMask; }
  const String& RegExprDateEditMask() const { return FRegExprDateEditMask; }
  const String& RegExprDateTimeEditMask() const { return FRegExprDateTimeEditMask; }
  const String& MaskedDateEditFormat() const { return FMaskedDateEditFormat; }
  const String& MaskedDateTimeEditFormat() const { return FMaskedDateTimeEditFormat; }
  const TcxDateTimeFormatInfo& DateFormatInfo() const { return FDateFormatInfo; }
  const TcxDateTimeFormatInfo& TimeFormatInfo() const { return FTimeFormatInfo; }
  const TcxDateTimeFormatInfo& DateTimeFormatInfo() const { return FDateTimeFormatInfo; }

  // When set, the run time's long time format stands in for the locale's time format.
  bool UsePlatformDateTimeFormats() const { return FUsePlatformDateTimeFormats; }
  void SetUsePlatformDateTimeFormats(bool Value);

  // The hidden window that hears about locale and clock changes; null while nobody listens.
  win::HWND NotificationWindow() const { return FWindow; }

  // The time format the time masks are built from.
  String TimeFormat() const;
  // Parses a date-time picture; false (and an empty info) for a picture it cannot represent.
  bool GetDateTimeFormatInfo(const String& Format, TcxDateTimeFormatInfo& Info) const;
  // Mode 0 keeps the date items only, 2 the date and time items.
  String GetStandardMask(const TcxDateTimeFormatInfo& Info, int Mode) const;

 private:
  void TranslationChanged() override;
  void BuildCurrencyFormat();
  void BuildMasks();
  static win::LRESULT WndProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
  void AllocateWindow();
  void ReleaseWindow();

  String FCurrencyFormat;
  String FDateEditFormat;
  String FDateEditMask;
  TcxDateTimeFormatInfo FDateFormatInfo;
  TcxDateTimeFormatInfo FDateTimeFormatInfo;
  // The system's default; kept with the other settings, though no format built here depends on it.
  [[maybe_unused]] int FFirstWeekOfYear = 0;
  std::vector<IcxFormatControllerListener*> FListeners;
  String FMaskedDateEditFormat;
  String FMaskedDateTimeEditFormat;
  String FRegExprDateEditMask;
  String FRegExprDateTimeEditMask;
  String FStandardDateEditMask;
  String FStandardDateTimeEditMask;
  TcxDateTimeFormatInfo FTimeFormatInfo;
  bool FUsePlatformDateTimeFormats = false;
  win::HWND FWindow = nullptr;
};

// The process's controller, created on first use; null once the unit has shut down.
TcxFormatController* FormatControllerInstance();

// Where an exception raised while the notification window handles a message is reported; the
// application installs its handler here. Without one the message goes to standard error.
using TcxExceptionHandler = void (*)(const std::exception& E);
extern TcxExceptionHandler cxApplicationExceptionHandler;
