#include "ui/controls/FormatController.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/classes/Utf8.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/controls/LibraryStrings.h"

TcxLocaleFormatSettings& LocaleFormatSettings() {
  static TcxLocaleFormatSettings settings;
  return settings;
}

TcxExceptionHandler cxApplicationExceptionHandler = nullptr;

namespace {

constexpr const char* kWindowClassName = "TcxFormatControllerWindow";
// Pictures nest ("c" holds the short date, whose "ddddd" would hold it again); two levels are
// enough for every real locale and stop a picture that refers to itself.
constexpr int kMaxNesting = 2;

char Upper(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; }

int RunLength(const String& S, std::size_t I, char UpperLetter) {
  int n = 0;
  while (I + static_cast<std::size_t>(n) < S.size() && Upper(S[I + static_cast<std::size_t>(n)]) == UpperLetter) ++n;
  return n;
}

bool StartsWithNoCase(const String& S, std::size_t I, const char* Word) {
  std::size_t n = std::strlen(Word);
  if (I + n > S.size()) return false;
  for (std::size_t k = 0; k < n; ++k)
    if (Upper(S[I + k]) != Word[k]) return false;
  return true;
}

// The byte length of the character that starts at I (a double-byte character counts as one).
std::size_t CharLength(const String& S, std::size_t I) {
  Utf8Reader r(std::string_view(S).substr(I));
  r.Next();
  return r.Position();
}

String QuoteWord(const String& Word) {
  String s = "'";
  for (char c : Word) s += c == '\'' ? String("\\'") : String(1, c);
  return s + "'";
}

String EscapeSeparator(const String& Separator) {
  if (Separator == " ") return "' '";
  String s;
  Utf8Reader r(Separator);
  while (!r.AtEnd()) {
    std::size_t at = r.Position();
    r.Next();
    s += "\\" + Separator.substr(at, r.Position() - at);
  }
  return s;
}

class TFormatParser {
 public:
  TFormatParser(TcxDateTimeFormatInfo& Info, const String& TimeFormat) : FInfo(Info), FTimeFormat(TimeFormat) {}

  bool Parse(const String& Format, int Depth) {
    String format = Format.empty() ? String("C") : Format;
    std::size_t i = 0;
    while (i < format.size()) {
      const char c = format[i];
      const char u = Upper(c);
      if (c == '"' || c == '\'') {
        std::size_t close = format.find(c, i + 1);
        if (close == String::npos) close = format.size();
        AddText(format.substr(i + 1, close - i - 1));
        i = close + 1;
        continue;
      }
      if (static_cast<unsigned char>(c) >= 0x80) {
        std::size_t n = CharLength(format, i);
        AddText(format.substr(i, n));
        i += n;
        continue;
      }
      const char previous = FPreviousLetter;
      if (u >= 'A' && u <= 'Z') FPreviousLetter = u;
      switch (u) {
        case '/':
          Add(dtiDateSeparator, String(1, FormatSettings.DateSeparator));
          ++i;
          break;
        case ':':
          Add(dtiTimeSeparator, String(1, FormatSettings.TimeSeparator));
          ++i;
          break;
        case 'A':
          if (StartsWithNoCase(format, i, "AM/PM")) {
            AddAmPm("AM/PM");
            i += 5;
          } else if (StartsWithNoCase(format, i, "AMPM")) {
            AddAmPm("AMPM");
            i += 4;
          } else if (StartsWithNoCase(format, i, "A/P")) {
            AddAmPm("A/P");
            i += 3;
          } else if (StartsWithNoCase(format, i, "AAAA")) {
            Add(dtiDay, "DDDD");
            i += 4;
          } else if (StartsWithNoCase(format, i, "AAA")) {
            Add(dtiDay, "DDD");
            i += 3;
          } else {
            AddText(String(1, c));
            ++i;
          }
          break;
        case 'C':
          if (Depth < kMaxNesting && !Parse(FormatSettings.ShortDateFormat + " " + FTimeFormat, Depth + 1)) return false;
          ++i;
          break;
        case 'D': {
          int n = RunLength(format, i, 'D');
          if (n <= 4) {
            Add(dtiDay, String(static_cast<std::size_t>(n), 'D'));
          } else if (Depth < kMaxNesting) {
            if (!Parse(n == 5 ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat, Depth + 1)) return false;
          }
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'E':
        case 'Y': {
          int n = RunLength(format, i, u);
          Add(dtiYear, n > 2 ? "YYYY" : "YY");
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'H': {
          int n = RunLength(format, i, 'H');
          Add(dtiHour, n >= 2 ? "HH" : "H");
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'M':
          if (previous == 'H') {
            int n = RunLength(format, i, 'M');
            Add(dtiMinute, n >= 2 ? "NN" : "N");
            i += static_cast<std::size_t>(n);
          } else {
            int n = RunLength(format, i, 'M');
            Add(dtiMonth, String(static_cast<std::size_t>(std::min(n, 4)), 'M'));
            i += static_cast<std::size_t>(n);
          }
          break;
        case 'N': {
          int n = RunLength(format, i, 'N');
          Add(dtiMinute, n >= 2 ? "NN" : "N");
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'S': {
          int n = RunLength(format, i, 'S');
          Add(dtiSecond, n >= 2 ? "SS" : "S");
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'Z': {
          int n = RunLength(format, i, 'Z');
          Add(dtiMSec, String(static_cast<std::size_t>(std::min(n, 3)), 'Z'));
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'T': {
          int n = RunLength(format, i, 'T');
          if (Depth < kMaxNesting && !Parse(n == 1 ? FormatSettings.ShortTimeFormat : FTimeFormat, Depth + 1))
            return false;
          i += static_cast<std::size_t>(n);
          break;
        }
        case 'G':
          return false;
        default:
          AddText(String(1, c));
          ++i;
      }
    }
    return true;
  }

  bool Is12Hour() const { return F12Hour; }

 private:
  void Add(TcxDateTimeFormatItemKind Kind, const String& Data) {
    if (Kind >= dtiYear && Kind <= dtiAMPM) {
      if (FInfo.DefinedItems[Kind]) return;
      FInfo.DefinedItems[Kind] = true;
    }
    FInfo.Items.push_back({Kind, Data});
  }

  void AddText(const String& Text) {
    if (Text.empty()) return;
    if (!FInfo.Items.empty() && FInfo.Items.back().Kind == dtiText) FInfo.Items.back().Data += Text;
    else FInfo.Items.push_back({dtiText, Text});
  }

  void AddAmPm(const String& Text) {
    F12Hour = true;
    Add(dtiAMPM, Text);
  }

  TcxDateTimeFormatInfo& FInfo;
  const String& FTimeFormat;
  char FPreviousLetter = 0;
  bool F12Hour = false;
};

bool Defines(const TcxDateTimeFormatInfo& Info, TcxDateTimeFormatItemKind Kind) { return Info.DefinedItems[Kind]; }

String AmPmDesignatorMask(const String& Text) {
  if (Text == "A/P") return "c";
  if (Text == "AM/PM") return "cc";
  int n = std::max(Utf8Count(FormatSettings.TimeAMString), Utf8Count(FormatSettings.TimePMString));
  return String(static_cast<std::size_t>(n), 'c');
}

bool IsTimeKind(TcxDateTimeFormatItemKind Kind) {
  return (Kind >= dtiHour && Kind <= dtiAMPM) || Kind == dtiTimeSeparator;
}

String RegExprDateItems(const TcxDateTimeFormatInfo& Info) {
  String s;
  for (const TcxDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case dtiText: s += QuoteWord(item.Data); break;
      case dtiYear: s += item.Data.size() > 2 ? "\\d\\d\\d\\d" : "\\d\\d"; break;
      case dtiMonth: {
        s += "((0?[1-9]|1[012])|(";
        const auto& names = item.Data.size() == 4 ? FormatSettings.LongMonthNames : FormatSettings.ShortMonthNames;
        for (std::size_t m = 0; m < names.size(); ++m) s += (m ? "|" : "") + QuoteWord(names[m]);
        s += "))";
        break;
      }
      case dtiDay: s += "([012]?[1-9]|[123]0|31)"; break;
      case dtiDateSeparator: s += EscapeSeparator(item.Data); break;
      default: break;
    }
  }
  return s;
}

String RegExprTimeItems(const TcxDateTimeFormatInfo& Info) {
  String s;
  for (const TcxDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case dtiText: s += QuoteWord(item.Data); break;
      case dtiHour: s += item.Data.rfind("12", 0) == 0 ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])"; break;
      case dtiMinute:
      case dtiSecond: s += "[0-5]?\\d"; break;
      case dtiAMPM:
        if (item.Data == "A/P") {
          s += "(A|P)?";
        } else if (item.Data == "AM/PM") {
          s += "(AM|PM)?";
        } else {
          const String& am = FormatSettings.TimeAMString;
          const String& pm = FormatSettings.TimePMString;
          if (!am.empty() && !pm.empty()) s += "(" + QuoteWord(am) + "|" + QuoteWord(pm) + ")?";
          else if (!am.empty() || !pm.empty()) s += "(" + QuoteWord(am.empty() ? pm : am) + ")?";
        }
        break;
      case dtiTimeSeparator: s += EscapeSeparator(item.Data); break;
      default: break;
    }
  }
  return s;
}

String DisplayFormat(const TcxDateTimeFormatInfo& Info) {
  String s;
  for (const TcxDateTimeFormatItem& item : Info.Items) {
    switch (item.Kind) {
      case dtiText: s += "'" + item.Data + "'"; break;
      case dtiYear: s += item.Data.size() > 2 ? "yyyy" : "yy"; break;
      case dtiMonth: s += item.Data.size() > 2 ? "mmm" : "mm"; break;
      case dtiDay: s += item.Data.size() > 2 ? "ddd" : "dd"; break;
      case dtiHour: s += "hh"; break;
      case dtiMinute: s += "nn"; break;
      case dtiSecond: s += "ss"; break;
      case dtiAMPM: s += LowerCase(item.Data); break;
      case dtiDateSeparator: s += "/"; break;
      case dtiTimeSeparator: s += ":"; break;
      default: break;
    }
  }
  return s;
}

String DateWords(bool WithNow) {
  using namespace cxLibraryStrings;
  const TResStringRec* words[] = {&cxSDateToday,    &cxSDateYesterday, &cxSDateTomorrow, &cxSDateSunday,
                                  &cxSDateMonday,   &cxSDateTuesday,   &cxSDateWednesday, &cxSDateThursday,
                                  &cxSDateFriday,   &cxSDateSaturday,  &cxSDateFirst,    &cxSDateSecond,
                                  &cxSDateThird,    &cxSDateFourth,    &cxSDateFifth,    &cxSDateSixth,
                                  &cxSDateSeventh,  &cxSDateBOM,       &cxSDateEOM,      &cxSDateNow};
  String s;
  const std::size_t count = WithNow ? std::size(words) : std::size(words) - 1;
  for (std::size_t i = 0; i < count; ++i) s += (i ? "|" : "") + QuoteWord(cxGetResourceString(*words[i]));
  return s;
}

String WithDateWords(const String& Mask, bool WithNow) {
  if (Mask.empty()) return Mask;
  return "(" + Mask + ")|(" + DateWords(WithNow) + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

bool& UnitFinalized() {
  static bool finalized = false;
  return finalized;
}

struct TFormatControllerUnit {
  TcxFormatController* Instance = nullptr;
  ~TFormatControllerUnit() {
    UnitFinalized() = true;
    FreeAndNil(Instance);
  }
};

TFormatControllerUnit& Unit() {
  static TFormatControllerUnit unit;
  return unit;
}

}  // namespace

// ---- TcxFormatController ------------------------------------------------------------------------

TcxFormatController::TcxFormatController() {
  Refresh();
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->AttachListener(this);
}

TcxFormatController::~TcxFormatController() {
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository()) repository->DetachListener(this);
  FListeners.clear();
  ReleaseWindow();
}

void TcxFormatController::AddListener(IcxFormatControllerListener* Listener) {
  if (!Listener || std::find(FListeners.begin(), FListeners.end(), Listener) != FListeners.end()) return;
  FListeners.push_back(Listener);
  if (FListeners.size() == 1) AllocateWindow();
}

void TcxFormatController::RemoveListener(IcxFormatControllerListener* Listener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), Listener);
  if (it == FListeners.end()) return;
  FListeners.erase(it);
  if (FListeners.empty()) ReleaseWindow();
}

void TcxFormatController::NotifyListeners() {
  // A listener may remove itself (or another) while it is told.
  std::vector<IcxFormatControllerListener*> listeners = FListeners;
  for (IcxFormatControllerListener* listener : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) listener->FormatChanged();
}

void TcxFormatController::TranslationChanged() {
  Refresh();
  NotifyListeners();
}

void TcxFormatController::SetUsePlatformDateTimeFormats(bool Value) {
  if (FUsePlatformDateTimeFormats == Value) return;
  FUsePlatformDateTimeFormats = Value;
  Refresh();
  NotifyListeners();
}

void TcxFormatController::Refresh() {
  BuildCurrencyFormat();
  FDateEditFormat = DateEditFormat(false);
  BuildMasks();
}

String TcxFormatController::DateEditFormat(bool CorrectForMask) const {
  const String& format = FormatSettings.ShortDateFormat;
  String s;
  std::size_t i = 0;
  while (i < format.size()) {
    const char u = Upper(format[i]);
    if (u == 'D' || u == 'M') {
      int n = RunLength(format, i, u);
      String run = format.substr(i, static_cast<std::size_t>(n));
      if (n == 1) run += run;
      else if (u == 'M' && CorrectForMask && n > 3) run.resize(3);
      s += run;
      i += static_cast<std::size_t>(n);
    } else {
      s += format[i++];
    }
  }
  return s;
}

String TcxFormatController::TimeFormat() const {
  if (FUsePlatformDateTimeFormats) return FormatSettings.LongTimeFormat;
  const String& format = LocaleFormatSettings().TimeFormat;
  String s;
  std::size_t i = 0;
  while (i < format.size()) {
    if (Upper(format[i]) == 'T') {
      int n = RunLength(format, i, 'T');
      s += n == 1 ? "A/P" : "AMPM";
      i += static_cast<std::size_t>(n);
    } else {
      s += format[i++];
    }
  }
  return s;
}

bool TcxFormatController::GetDateTimeFormatInfo(const String& Format, TcxDateTimeFormatInfo& Info) const {
  Info = TcxDateTimeFormatInfo();
  const String timeFormat = TimeFormat();
  TFormatParser parser(Info, timeFormat);
  if (!parser.Parse(Format, 0)) {
    Info = TcxDateTimeFormatInfo();
    return false;
  }
  auto hour = std::find_if(Info.Items.begin(), Info.Items.end(), [](const auto& I) { return I.Kind == dtiHour; });
  if (hour != Info.Items.end()) {
    hour->Data = (parser.Is12Hour() ? "12" : "24") + hour->Data;
  } else if (Defines(Info, dtiAMPM)) {
    Info.Items.erase(std::remove_if(Info.Items.begin(), Info.Items.end(), [](const auto& I) { return I.Kind == dtiAMPM; }),
                     Info.Items.end());
    Info.DefinedItems[dtiAMPM] = false;
  }
  return true;
}

String TcxFormatController::GetStandardMask(const TcxDateTimeFormatInfo& Info, int Mode) const {
  if (Info.Items.empty()) return String();
  String s = "!";
  for (const TcxDateTimeFormatItem& item : Info.Items) {
    if (Mode == 0 && IsTimeKind(item.Kind)) continue;
    switch (item.Kind) {
      case dtiText: {
        Utf8Reader r(item.Data);
        while (!r.AtEnd()) {
          std::size_t at = r.Position();
          r.Next();
          s += "\\" + item.Data.substr(at, r.Position() - at);
        }
        break;
      }
      case dtiYear: s += item.Data.size() > 2 ? "9999" : "99"; break;
      case dtiMonth:
      case dtiDay: s += item.Data.size() > 2 ? "lll" : "99"; break;
      case dtiHour:
      case dtiMinute:
      case dtiSecond: s += "99"; break;
      case dtiAMPM: s += AmPmDesignatorMask(item.Data); break;
      case dtiDateSeparator: s += "/"; break;
      case dtiTimeSeparator: s += ":"; break;
      case dtiMSec: break;
    }
  }
  return s + ";1; ";
}

void TcxFormatController::BuildCurrencyFormat() {
  String symbol;
  for (char c : FormatSettings.CurrencyString) {
    if (c == ',' || c == '.') symbol += String("'") + c + "'";
    else symbol += c;
  }
  String number = ",0." + String(FormatSettings.CurrencyDecimals, '0');
  const String& S = symbol;
  const String& P = number;
  String positive;
  switch (FormatSettings.CurrencyFormat) {
    case 1: positive = P + S; break;
    case 2: positive = S + " " + P; break;
    case 3: positive = P + " " + S; break;
    default: positive = S + P; break;
  }
  String negative;
  switch (FormatSettings.NegCurrFormat) {
    case 0: negative = "(" + S + P + ")"; break;
    case 1: negative = "-" + S + P; break;
    case 2: negative = S + "-" + P; break;
    case 3: negative = S + P + "-"; break;
    case 4: negative = "(" + P + S + ")"; break;
    case 5: negative = "-" + P + S; break;
    case 6: negative = P + "-" + S; break;
    case 7: negative = P + S + "-"; break;
    case 8: negative = "-" + P + " " + S; break;
    case 9: negative = "-" + S + " " + P; break;
    case 10: negative = P + " " + S + "-"; break;
    case 11: negative = S + " " + P + "-"; break;
    case 12: negative = S + " -" + P; break;
    case 13: negative = P + "- " + S; break;
    case 14: negative = "(" + S + " " + P + ")"; break;
    case 15: negative = "(" + P + " " + S + ")"; break;
    default: negative = "-" + S + P; break;
  }
  FCurrencyFormat = positive + ";" + negative;
}

void TcxFormatController::BuildMasks() {
  GetDateTimeFormatInfo(FormatSettings.ShortDateFormat, FDateFormatInfo);
  GetDateTimeFormatInfo(TimeFormat(), FTimeFormatInfo);
  GetDateTimeFormatInfo(FormatSettings.ShortDateFormat + " " + TimeFormat(), FDateTimeFormatInfo);

  FStandardDateEditMask = GetStandardMask(FDateFormatInfo, 0);
  FDateEditMask = FStandardDateEditMask;
  FStandardDateTimeEditMask = GetStandardMask(FDateTimeFormatInfo, 2);

  const String dateItems = RegExprDateItems(FDateFormatInfo);
  FRegExprDateEditMask = WithDateWords(dateItems, false);
  String dateTime;
  if (!dateItems.empty()) {
    const String timeItems = RegExprTimeItems(FTimeFormatInfo);
    dateTime = timeItems.empty() ? dateItems : dateItems + "' '(" + timeItems + ")?";
  }
  FRegExprDateTimeEditMask = WithDateWords(dateTime, true);

  FMaskedDateEditFormat = DisplayFormat(FDateFormatInfo);
  FMaskedDateTimeEditFormat = DisplayFormat(FDateTimeFormatInfo);
}

// ---- Notification window ------------------------------------------------------------------------

win::LRESULT TcxFormatController::WndProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  try {
    auto* controller = reinterpret_cast<TcxFormatController*>(win::GetWindowLongPtr(Wnd, win::GWLP_USERDATA));
    if (controller && Wnd == controller->FWindow) {
      if (Msg == win::WM_WININICHANGE) {
        const char* section = reinterpret_cast<const char*>(LParam);
        if (WParam == 0 && section && std::strcmp(section, "intl") == 0) {
          // The user's locale is the only one on this platform, so there is no thread locale to
          // reset; reloading the run time's settings is what picks the change up.
          GetFormatSettings();
          TcxLocaleFormatSettings& locale = LocaleFormatSettings();
          locale.DateSeparator = FormatSettings.DateSeparator;
          locale.TimeSeparator = FormatSettings.TimeSeparator;
          locale.DecimalSeparator = FormatSettings.DecimalSeparator;
          controller->Refresh();
          controller->NotifyListeners();
          return 0;
        }
      } else if (Msg == win::WM_TIMECHANGE) {
        std::vector<IcxFormatControllerListener*> listeners = controller->FListeners;
        for (IcxFormatControllerListener* listener : listeners)
          if (auto* listener2 = dynamic_cast<IcxFormatControllerListener2*>(listener)) listener2->TimeChanged();
        return 0;
      }
    }
    return win::DefWindowProc(Wnd, Msg, WParam, LParam);
  } catch (const std::exception& e) {
    if (cxApplicationExceptionHandler) cxApplicationExceptionHandler(e);
    else std::fprintf(stderr, "%s\n", e.what());
    return 0;
  }
}

void TcxFormatController::AllocateWindow() {
  if (FWindow) return;
  win::WNDCLASS wc;
  if (!win::GetClassInfo(nullptr, kWindowClassName, &wc)) {
    wc = win::WNDCLASS();
    wc.lpfnWndProc = &TcxFormatController::WndProc;
    wc.lpszClassName = kWindowClassName;
    win::RegisterClass(&wc);
  }
  FWindow = win::CreateWindowEx(0, kWindowClassName, "", 0, 0, 0, 0, 0, win::HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (FWindow) win::SetWindowLongPtr(FWindow, win::GWLP_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
}

void TcxFormatController::ReleaseWindow() {
  if (!FWindow) return;
  win::HWND window = FWindow;
  FWindow = nullptr;
  // Freed with the program's other statics (after an exit from anywhere, editors still listening),
  // the window system's own state may be gone already; the ending process takes the window along.
  if (!UnitFinalized()) win::DestroyWindow(window);
}

TcxFormatController* FormatControllerInstance() {
  TFormatControllerUnit& unit = Unit();
  if (!unit.Instance && !UnitFinalized()) unit.Instance = new TcxFormatController;
  return unit.Instance;
}
