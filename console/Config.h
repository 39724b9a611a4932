#pragma once
// "cfg.ini", the one store of every setting of the consoles and their dialogs, and where it lies.
//
// The file is read and written key by key through the class library's TIniFile: every read looks
// at the file as it is at that moment and every write lands at once, so the many file objects the
// windows open on it always agree, and there is no save step. Nothing creates the file at start;
// the first write does. A missing file, section or key reads as the key's default, and a write the
// file system refuses is dropped silently, as the consoles expect.
//
// Every key is declared once below, in a namespace named after its section, with the form its
// readers read it in, the form its writers write it in and its default. Code reads and writes
// settings only through these keys (ReadConfig, WriteConfig), so a key's spelling, form and default
// live in one place. The spellings are the file's own, odd ones included ("maxtixname", "KJ",
// "com port A" with its blanks): files written by earlier versions must keep working.
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/classes/IniFiles.h"
#include "platform/system/Profile.h"

// ---- Where the files beside the program lie ------------------------------------------------------

// The folder of the program's executable, with its trailing separator. "cfg.ini", the skin list,
// the boot video and the console logo are looked for there. The executable is found through its
// resolved path, so a symbolic link to the program in another folder still answers the build
// tree; tests either point the folder elsewhere (SetProgramFolder) or run a copy of the program.
String ProgramFolder();
// For tests: makes ProgramFolder answer `Folder` (a trailing separator is added); an empty text
// returns to the executable's folder.
void SetProgramFolder(const String& Folder);
// A file beside the program. A leading separator of either kind is dropped, so a name written
// as "\AllSkins.skinres" lands in the folder too.
String ProgramFilePath(const String& Name);
// ProgramFolder() + "cfg.ini".
String ConfigFilePath();
// A file object on "cfg.ini"; opening it creates nothing.
std::unique_ptr<TIniFile> OpenConfigFile();

// For a handler that stores hundreds of keys in a row (the matrix wiring): while it lives, this
// thread's writes to "cfg.ini" land in one rewrite of the file when it ends instead of one each,
// and reads see them at once, so every file object still agrees. Nothing that waits for another
// thread may run inside it.
class TConfigWriteBatch {
 public:
  TConfigWriteBatch() : FBatch(ConfigFilePath()) {}

 private:
  platform::ProfileWriteBatch FBatch;
};

// ---- Value forms ----------------------------------------------------------------------------------

// How a key is written and read: strings as the text, integers in decimal (read back in decimal
// or, after "0x" or "$", hexadecimal; text that is no 32-bit number reads as the default),
// booleans as "1" and "0" (read as "any integer but 0").
enum TConfigForm { cfString, cfInteger, cfBoolean };

template <TConfigForm Form>
struct TConfigValue;
template <>
struct TConfigValue<cfString> {
  using Type = String;
};
template <>
struct TConfigValue<cfInteger> {
  using Type = int;
};
template <>
struct TConfigValue<cfBoolean> {
  using Type = bool;
};

// A key with its default. A few keys are written in one form and read in another; the forms'
// rules make each such pair exact (an integer written reads back as its decimal text, a boolean
// written reads back as the integer 1 or 0).
template <TConfigForm ReadAs, TConfigForm WrittenAs = ReadAs>
struct TConfigKey {
  using ReadType = typename TConfigValue<ReadAs>::Type;
  using WriteType = typename TConfigValue<WrittenAs>::Type;
  String Section;
  String Ident;
  ReadType Default;
};

// A key whose default depends on who reads it (the console, the language, a control's current
// value): the reader passes it.
template <TConfigForm ReadAs, TConfigForm WrittenAs = ReadAs>
struct TConfigKeyReaderDefault {
  using ReadType = typename TConfigValue<ReadAs>::Type;
  using WriteType = typename TConfigValue<WrittenAs>::Type;
  String Section;
  String Ident;
};

namespace configdetail {

String Read(TCustomIniFile& Ini, const String& Section, const String& Ident, const String& Default);
int Read(TCustomIniFile& Ini, const String& Section, const String& Ident, int Default);
bool Read(TCustomIniFile& Ini, const String& Section, const String& Ident, bool Default);
void Write(TCustomIniFile& Ini, const String& Section, const String& Ident, const String& Value);
void Write(TCustomIniFile& Ini, const String& Section, const String& Ident, int Value);
void Write(TCustomIniFile& Ini, const String& Section, const String& Ident, bool Value);

}  // namespace configdetail

template <TConfigForm R, TConfigForm W>
typename TConfigKey<R, W>::ReadType ReadConfig(TCustomIniFile& Ini, const TConfigKey<R, W>& Key) {
  return configdetail::Read(Ini, Key.Section, Key.Ident, Key.Default);
}

template <TConfigForm R, TConfigForm W>
typename TConfigKeyReaderDefault<R, W>::ReadType ReadConfig(
    TCustomIniFile& Ini, const TConfigKeyReaderDefault<R, W>& Key,
    const std::type_identity_t<typename TConfigKeyReaderDefault<R, W>::ReadType>& Default) {
  return configdetail::Read(Ini, Key.Section, Key.Ident, Default);
}

template <TConfigForm R, TConfigForm W>
void WriteConfig(TCustomIniFile& Ini, const TConfigKey<R, W>& Key,
                 const std::type_identity_t<typename TConfigKey<R, W>::WriteType>& Value) {
  configdetail::Write(Ini, Key.Section, Key.Ident, Value);
}

template <TConfigForm R, TConfigForm W>
void WriteConfig(TCustomIniFile& Ini, const TConfigKeyReaderDefault<R, W>& Key,
                 const std::type_identity_t<typename TConfigKeyReaderDefault<R, W>::WriteType>& Value) {
  configdetail::Write(Ini, Key.Section, Key.Ident, Value);
}

// ---- The keys, section by section ---------------------------------------------------------------

namespace cfg {

using TStringKey = TConfigKey<cfString>;
using TIntegerKey = TConfigKey<cfInteger>;
using TBoolKey = TConfigKey<cfBoolean>;

// The wall's largest size, and the signal types that name cells' signals.
inline constexpr int kMaxWallRows = 15;
inline constexpr int kMaxWallColumns = 15;
inline constexpr const char* kCellSignalTypes[] = {"VIDEO", "VGA", "DVI", "HDMI"};
// Index of a signal type among kCellSignalTypes, or -1 for another text.
int CellSignalTypeIndex(const String& Name);
// A stored row or column count brought into 1 to 15 before a console takes it: the wall grid
// keeps its header row and column only while it has data cells beside them.
inline constexpr int ClampWallCount(int Count) { return Count < 1 ? 1 : Count > kMaxWallRows ? kMaxWallRows : Count; }

// [config] general.
namespace config {
inline const TIntegerKey SoftwareChooseMode{"config", "softwareChooseMode", 1};  // 1 by type, 2 pictures, 3 video
inline const TIntegerKey SoftwareType{"config", "softwareType", 0};  // 0 chooser, 1 grid, 2 splicing, 3 hybrid
// The window title of the Chinese interface; the default is the console's own, whose trailing
// blank a read drops, while an empty stored text gives an empty title.
inline const TConfigKeyReaderDefault<cfString> Caption{"config", "caption"};
inline const char* const kGridConsoleCaption = "传统液晶拼接系统 ";
inline const char* const kSplicingConsoleCaption = "Vellmar智能拼接显示系统 ";
inline const char* const kHybridConsoleCaption = "Vellmar混合矩阵拼接系统 ";
inline const TStringKey USER{"config", "USER", " "};  // the blank reads back as an empty text
// The wall's name: the consoles' loading and the splicing settings dialogs default differently.
inline const TConfigKeyReaderDefault<cfString> Name{"config", "name"};
inline const char* const kConsoleName = "LCD WALL";
inline const char* const kSplicingSettingsName = "大屏幕拼接软件";
inline const TIntegerKey Row{"config", "row", 3};
inline const TIntegerKey Col{"config", "col", 3};
inline const TIntegerKey Language{"config", "language", 0};  // 1 English, else Chinese
inline const TStringKey Password{"config", "password", "5807"};
}  // namespace config

// [setting] links and matrices.
namespace setting {
inline const TIntegerKey ComPort{"setting", "com port", 1};  // COM number of the screen port
inline const TIntegerKey ComPortA{"setting", "com port A", 1};  // video-matrix port
inline const TIntegerKey ComPortB{"setting", "com port B", 1};  // RGB-matrix port
inline const TBoolKey AutoOpenPort{"setting", "auto open port", false};
inline const TBoolKey AutoOpenPortA{"setting", "auto open port A", false};
inline const TBoolKey AutoOpenPortB{"setting", "auto open port B", false};
inline const TBoolKey SerialCtrl{"setting", "serialCtrl", true};  // serial ports, else the TCP link
// The network serial bridge the TCP link talks to, until the operator names another.
inline const char* const kDefaultBridgeAddress = "192.168.1.200";
inline const TStringKey IPAddress{"setting", "IPAddress", kDefaultBridgeAddress};
inline const TStringKey Port{"setting", "Port", "8899"};
inline const TBoolKey KJ{"setting", "KJ", false};      // delayed power-on
inline const TBoolKey Jzll{"setting", "jzll", false};  // signal browsing tab
inline const TBoolKey Yall{"setting", "yall", false};  // scene browsing tab
inline const TIntegerKey SignalIndex{"setting", "signalindex", 0};
inline const TBoolKey Linkage{"setting", "linkage", false};
inline const TIntegerKey VideoMux{"setting", "videomux", 0};  // item indexes of the makes
inline const TIntegerKey VgaMux{"setting", "vgamux", 0};
inline const TIntegerKey DviMux{"setting", "dvimux", 0};
inline const TIntegerKey HdmiMux{"setting", "hdmimux", 0};
inline const TIntegerKey SdiMux{"setting", "sdimux", 0};
inline const TStringKey MuxOut0{"setting", "mux_out0", "1"};
inline const TStringKey MuxIn0{"setting", "mux_in0", "1"};
inline const TStringKey VideoId{"setting", "video_id", "00"};
inline const TStringKey VgaId{"setting", "vga_id", "01"};
inline const TStringKey DviId{"setting", "DVI_id", "01"};
inline const TStringKey HdmiId{"setting", "HDMI_id", "01"};
inline const TStringKey VideoInport{"setting", "video_inport", "255"};
inline const TStringKey VgaInport{"setting", "vga_inport", "255"};
inline const TStringKey DviInport{"setting", "dvi_inport", "255"};
inline const TStringKey HdmiInport{"setting", "hdmi_inport", "255"};
// Pauses in ms, stored as typed: the matrix engine converts them when it pauses.
inline const TStringKey MuxDelay1{"setting", "mux_delay1", "100"};
inline const TStringKey MuxDelay2{"setting", "mux_delay2", "100"};
inline const TIntegerKey CommSendCfg{"setting", "comm_send_cfg", 0};  // 0 screens first, 1 matrix first
}  // namespace setting

// [StartAnimation] the boot window; nobody writes it.
namespace StartAnimation {
inline const TIntegerKey Height{"StartAnimation", "height", 400};
inline const TIntegerKey Width{"StartAnimation", "width", 500};
inline const TStringKey LogoPath{"StartAnimation", "logoPath", "logo.jpg"};
inline const TIntegerKey IfShow{"StartAnimation", "ifshow", 0};
inline const TIntegerKey Still{"StartAnimation", "Still", 3};
}  // namespace StartAnimation

// [SkinName] the item index of the chosen skin in the console's skin list; the default is the
// index of kDefaultSkin in that list (−1 when it holds none).
namespace SkinName {
inline const TConfigKeyReaderDefault<cfInteger> Skin{"SkinName", "Skin"};
inline const char* const kDefaultSkin = "MoneyTwins";
}  // namespace SkinName

// [scene] browsing and scene names (all strings).
namespace scene {
inline const TStringKey Matrix1{"scene", "Matrix 1", "01"};  // signal browsing: last input
inline const TStringKey Matrix2{"scene", "Matrix 2", "01"};  // interval in seconds
inline const TStringKey Matrix3{"scene", "Matrix 3", "01"};  // first output
inline const TStringKey Matrix4{"scene", "Matrix 4", "05"};  // first input
inline const TStringKey Matrix5{"scene", "Matrix 5", "02"};  // last output
inline const TStringKey TimeC{"scene", "Time C", "10"};      // scene browsing: interval in seconds
inline const TStringKey SceneA{"scene", "scene A", "01"};    // first scene
inline const TStringKey SceneB{"scene", "scene B", "05"};    // last scene
inline constexpr int kSceneCount = 16;
// "scene"N, the name of scene N (1 to 16).
TConfigKeyReaderDefault<cfString> Scene(int N);
// "场景"N, or "scene"N in the English interface (language 1).
String SceneDefault(int N, int Language);
// The name of scene N as the scene lists show it: an empty stored name gives the default too.
String ReadSceneName(TCustomIniFile& Ini, int N, int Language);
}  // namespace scene

// [SceneSwitch] the eight timed scene slots (N = 1 to 8). Scene, hour and minute are written as
// integers and read as strings.
namespace SceneSwitch {
inline constexpr int kSlotCount = 8;
TConfigKey<cfString, cfInteger> V(int N);  // scene number
TConfigKey<cfString, cfInteger> H(int N);  // hour
TConfigKey<cfString, cfInteger> M(int N);  // minute
TBoolKey Switch(int N);                    // slot enabled
}  // namespace SceneSwitch

// [timesetting] timed power. The dialog writes its edits' texts; everyone reads integers.
namespace timesetting {
inline const TConfigKey<cfInteger, cfString> OHour{"timesetting", "ohour", 0};
inline const TConfigKey<cfInteger, cfString> OMin{"timesetting", "omin", 0};
inline const TConfigKey<cfInteger, cfString> CHour{"timesetting", "chour", 0};
inline const TConfigKey<cfInteger, cfString> CMin{"timesetting", "cmin", 0};
// Written as a boolean by the dialog and as the integer 0 by a one-time run: the same "0".
inline const TBoolKey Flag{"timesetting", "flag", false};
inline const TConfigKey<cfInteger, cfString> Mode{"timesetting", "mode", 0};  // 0 once, else daily
}  // namespace timesetting

// [subtitle] the subtitle settings; the first four default to the dialog's current values.
namespace subtitle {
inline const TConfigKeyReaderDefault<cfString> DisplayText{"subtitle", "displaytext"};
inline const TConfigKeyReaderDefault<cfString> FontName{"subtitle", "fontname"};
inline const TConfigKeyReaderDefault<cfString> ColorName{"subtitle", "colorname"};
inline const TConfigKeyReaderDefault<cfInteger> FontSize{"subtitle", "fontsize"};
inline const TStringKey BgColorName{"subtitle", "bgcolorname", "clWhite"};
inline const TStringKey Interval{"subtitle", "interval", "0"};
inline const TBoolKey IsTranp{"subtitle", "istranp", false};
// Set beside a displaytext whose line breaks and backslashes are escaped as "\n" and "\\": a profile
// value holds one line. Texts stored without it, as earlier versions wrote them, read as they stand.
inline const TBoolKey DisplayTextEsc{"subtitle", "displaytextesc", false};
}  // namespace subtitle

// [stringgrid] cell colours: key row "," column of the wall, from 1; a colour name or a number.
// Missing: the grid's own colour (the empty default).
namespace stringgrid {
TStringKey Cell(int Row, int Col);
}

// [maxtixname] names of the grid console's matrix inputs: key the item index from 0; the default
// is the item's current text.
namespace maxtixname {
inline constexpr int kInputCount = 255;
TConfigKeyReaderDefault<cfString> Input(int Index);
}  // namespace maxtixname

// [AVmux], [VGAmux], [DVImux] manual wiring: the flag, and per screen the matrix output cabled
// to it ("0" none) under the key c + C × r (r and c from 0, C the wall's column count).
namespace AVmux {
inline const TBoolKey CustomerMux{"AVmux", "AVcustomer mux", false};
TStringKey Screen(int R, int C, int Columns);
}  // namespace AVmux
namespace VGAmux {
inline const TBoolKey CustomerMux{"VGAmux", "VGAcustomer mux", false};
TStringKey Screen(int R, int C, int Columns);
}  // namespace VGAmux
namespace DVImux {
inline const TBoolKey CustomerMux{"DVImux", "DVIcustomer mux", false};
TStringKey Screen(int R, int C, int Columns);
}  // namespace DVImux

// [nativeMatrix] the splices recorded for scene N (1 to 16): "count," then five numbers per
// splice, each followed by a comma.
namespace nativeMatrix {
TStringKey Scene(int N);
}

// [wait] the pause in ms after each screen of the single display; nobody writes it.
namespace wait {
inline const TIntegerKey Sleep{"wait", "sleep", 1};
}

// [hybridGeneral], [cellAddress], [cellSignal], [cellName]: the hybrid-matrix console's cells.
namespace hybridGeneral {
inline const TIntegerKey Type{"hybridGeneral", "type", 0};  // which signal types are offered
inline const TIntegerKey SignalSourceRow{"hybridGeneral", "signalSource_row", 1};
inline const TIntegerKey SignalSourceCol{"hybridGeneral", "signalSource_col", 1};
inline const TBoolKey IsSignalSelected{"hybridGeneral", "isSignalSelected", false};
}  // namespace hybridGeneral
namespace cellAddress {
TStringKey Cell(int Row, int Col);  // default "local"
}
namespace cellSignal {
TStringKey Cell(int Row, int Col);  // default "HDMI"
}
namespace cellName {
// Type is one of kCellSignalTypes; the default is the type's own name.
TStringKey Cell(int Row, int Col, const String& Type);
}  // namespace cellName

}  // namespace cfg

// ---- The whole table ----------------------------------------------------------------------------

// One key of the table: its name and its default as declared, in the written text of its read
// form (integers in decimal, booleans "1" or "0"); no default when the reader supplies it.
struct TConfigMember {
  String Ident;
  std::optional<String> Default;
};

// One line of the table: a key, or a family of computed keys such as [stringgrid]'s "row,col".
struct TConfigEntry {
  String Section;
  String Ident;  // the key; for a family, the pattern of its names ("scene1 … scene16")
  TConfigForm ReadAs;
  TConfigForm WrittenAs;
  int Count = 1;  // keys in the family, on the largest wall
  std::function<TConfigMember(int)> At;  // key i, 0 to Count − 1
};

// Every section and key of "cfg.ini", section by section as the file is described.
const std::vector<TConfigEntry>& ConfigTable();
