#include "console/Config.h"

#include <filesystem>
#include <mutex>
#include <system_error>

// ---- Where the files beside the program lie ------------------------------------------------------

namespace {

std::mutex& FolderMutex() {
  static std::mutex m;
  return m;
}

String& FolderOverride() {
  static String folder;
  return folder;
}

}  // namespace

String ProgramFolder() {
  {
    std::lock_guard lock(FolderMutex());
    if (!FolderOverride().empty()) return FolderOverride();
  }
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? String() : ExtractFilePath(exe.string());
}

void SetProgramFolder(const String& Folder) {
  std::lock_guard lock(FolderMutex());
  FolderOverride() = Folder.empty() ? String() : IncludeTrailingPathDelimiter(Folder);
}

String ProgramFilePath(const String& Name) {
  size_t skip = 0;
  while (skip < Name.size() && (Name[skip] == '/' || Name[skip] == '\\')) ++skip;
  return ProgramFolder() + Name.substr(skip);
}

String ConfigFilePath() { return ProgramFilePath("cfg.ini"); }

std::unique_ptr<TIniFile> OpenConfigFile() { return std::make_unique<TIniFile>(ConfigFilePath()); }

// ---- Reading and writing in a form ---------------------------------------------------------------

namespace configdetail {

String Read(TCustomIniFile& Ini, const String& Section, const String& Ident, const String& Default) {
  return Ini.ReadString(Section, Ident, Default);
}

int Read(TCustomIniFile& Ini, const String& Section, const String& Ident, int Default) {
  return Ini.ReadInteger(Section, Ident, Default);
}

bool Read(TCustomIniFile& Ini, const String& Section, const String& Ident, bool Default) {
  return Ini.ReadBool(Section, Ident, Default);
}

void Write(TCustomIniFile& Ini, const String& Section, const String& Ident, const String& Value) {
  Ini.WriteString(Section, Ident, Value);
}

void Write(TCustomIniFile& Ini, const String& Section, const String& Ident, int Value) {
  Ini.WriteInteger(Section, Ident, Value);
}

void Write(TCustomIniFile& Ini, const String& Section, const String& Ident, bool Value) {
  Ini.WriteBool(Section, Ident, Value);
}

}  // namespace configdetail

// ---- Computed keys -------------------------------------------------------------------------------

namespace cfg {
namespace {

String CellKey(int Row, int Col) { return IntToStr(Row) + "," + IntToStr(Col); }

}  // namespace

namespace scene {

TConfigKeyReaderDefault<cfString> Scene(int N) { return {"scene", "scene" + IntToStr(N)}; }

String SceneDefault(int N, int Language) { return (Language == 1 ? "scene" : "场景") + IntToStr(N); }

String ReadSceneName(TCustomIniFile& Ini, int N, int Language) {
  String name = ReadConfig(Ini, Scene(N), SceneDefault(N, Language));
  return name.empty() ? SceneDefault(N, Language) : name;
}

}  // namespace scene

namespace SceneSwitch {

TConfigKey<cfString, cfInteger> V(int N) { return {"SceneSwitch", "v" + IntToStr(N), "0"}; }
TConfigKey<cfString, cfInteger> H(int N) { return {"SceneSwitch", "h" + IntToStr(N), "0"}; }
TConfigKey<cfString, cfInteger> M(int N) { return {"SceneSwitch", "m" + IntToStr(N), "0"}; }
TBoolKey Switch(int N) { return {"SceneSwitch", "switch" + IntToStr(N), false}; }

}  // namespace SceneSwitch

namespace stringgrid {
TStringKey Cell(int Row, int Col) { return {"stringgrid", CellKey(Row, Col), ""}; }
}  // namespace stringgrid

namespace maxtixname {
TConfigKeyReaderDefault<cfString> Input(int Index) { return {"maxtixname", IntToStr(Index)}; }
}  // namespace maxtixname

namespace {
TStringKey WiringKey(const char* Section, int R, int C, int Columns) {
  return {Section, IntToStr(static_cast<std::int64_t>(C) + static_cast<std::int64_t>(Columns) * R), "0"};
}
}  // namespace

namespace AVmux {
TStringKey Screen(int R, int C, int Columns) { return WiringKey("AVmux", R, C, Columns); }
}  // namespace AVmux
namespace VGAmux {
TStringKey Screen(int R, int C, int Columns) { return WiringKey("VGAmux", R, C, Columns); }
}  // namespace VGAmux
namespace DVImux {
TStringKey Screen(int R, int C, int Columns) { return WiringKey("DVImux", R, C, Columns); }
}  // namespace DVImux

namespace nativeMatrix {
TStringKey Scene(int N) { return {"nativeMatrix", "scene" + IntToStr(N), "0"}; }
}  // namespace nativeMatrix

namespace cellAddress {
TStringKey Cell(int Row, int Col) { return {"cellAddress", CellKey(Row, Col), "local"}; }
}  // namespace cellAddress
namespace cellSignal {
TStringKey Cell(int Row, int Col) { return {"cellSignal", CellKey(Row, Col), "HDMI"}; }
}  // namespace cellSignal

int CellSignalTypeIndex(const String& Name) {
  for (int k = 0; k < 4; ++k)
    if (Name == kCellSignalTypes[k]) return k;
  return -1;
}

namespace cellName {
TStringKey Cell(int Row, int Col, const String& Type) { return {"cellName", CellKey(Row, Col) + "," + Type, Type}; }
}  // namespace cellName

}  // namespace cfg

// ---- The whole table ----------------------------------------------------------------------------

namespace {

String DefaultText(const String& v) { return v; }
String DefaultText(int v) { return IntToStr(v); }
String DefaultText(bool v) { return v ? "1" : "0"; }

template <TConfigForm R, TConfigForm W>
TConfigMember Member(const TConfigKey<R, W>& Key) {
  return {Key.Ident, DefaultText(Key.Default)};
}

template <TConfigForm R, TConfigForm W>
TConfigMember Member(const TConfigKeyReaderDefault<R, W>& Key) {
  return {Key.Ident, std::nullopt};
}

template <template <TConfigForm, TConfigForm> class K, TConfigForm R, TConfigForm W>
TConfigEntry Entry(const K<R, W>& Key) {
  return {Key.Section, Key.Ident, R, W, 1, [m = Member(Key)](int) { return m; }};
}

// A family of `Count` keys, key i made by `Make(i)`.
template <class Make>
TConfigEntry Family(const char* Pattern, int Count, Make make) {
  TConfigEntry e = Entry(make(0));
  e.Ident = Pattern;
  e.Count = Count;
  e.At = [make](int i) { return Member(make(i)); };
  return e;
}

constexpr int kCells = cfg::kMaxWallRows * cfg::kMaxWallColumns;
int RowOf(int Cell) { return Cell / cfg::kMaxWallColumns + 1; }
int ColOf(int Cell) { return Cell % cfg::kMaxWallColumns + 1; }

std::vector<TConfigEntry> BuildTable() {
  using namespace cfg;
  namespace sw = cfg::SceneSwitch;
  return {
      Entry(config::SoftwareChooseMode),
      Entry(config::SoftwareType),
      Entry(config::Caption),
      Entry(config::USER),
      Entry(config::Name),
      Entry(config::Row),
      Entry(config::Col),
      Entry(config::Language),
      Entry(config::Password),

      Entry(setting::ComPort),
      Entry(setting::ComPortA),
      Entry(setting::ComPortB),
      Entry(setting::AutoOpenPort),
      Entry(setting::AutoOpenPortA),
      Entry(setting::AutoOpenPortB),
      Entry(setting::SerialCtrl),
      Entry(setting::IPAddress),
      Entry(setting::Port),
      Entry(setting::KJ),
      Entry(setting::Jzll),
      Entry(setting::Yall),
      Entry(setting::SignalIndex),
      Entry(setting::Linkage),
      Entry(setting::VideoMux),
      Entry(setting::VgaMux),
      Entry(setting::DviMux),
      Entry(setting::HdmiMux),
      Entry(setting::SdiMux),
      Entry(setting::MuxOut0),
      Entry(setting::MuxIn0),
      Entry(setting::VideoId),
      Entry(setting::VgaId),
      Entry(setting::DviId),
      Entry(setting::HdmiId),
      Entry(setting::VideoInport),
      Entry(setting::VgaInport),
      Entry(setting::DviInport),
      Entry(setting::HdmiInport),
      Entry(setting::MuxDelay1),
      Entry(setting::MuxDelay2),
      Entry(setting::CommSendCfg),

      Entry(StartAnimation::Height),
      Entry(StartAnimation::Width),
      Entry(StartAnimation::LogoPath),
      Entry(StartAnimation::IfShow),
      Entry(StartAnimation::Still),

      Entry(SkinName::Skin),

      Entry(scene::Matrix1),
      Entry(scene::Matrix2),
      Entry(scene::Matrix3),
      Entry(scene::Matrix4),
      Entry(scene::Matrix5),
      Entry(scene::TimeC),
      Entry(scene::SceneA),
      Entry(scene::SceneB),
      Family("scene1 … scene16", scene::kSceneCount, [](int i) { return scene::Scene(i + 1); }),

      Family("v1 … v8", sw::kSlotCount, [](int i) { return sw::V(i + 1); }),
      Family("h1 … h8", sw::kSlotCount, [](int i) { return sw::H(i + 1); }),
      Family("m1 … m8", sw::kSlotCount, [](int i) { return sw::M(i + 1); }),
      Family("switch1 … switch8", sw::kSlotCount, [](int i) { return sw::Switch(i + 1); }),

      Entry(timesetting::OHour),
      Entry(timesetting::OMin),
      Entry(timesetting::CHour),
      Entry(timesetting::CMin),
      Entry(timesetting::Flag),
      Entry(timesetting::Mode),

      Entry(subtitle::DisplayText),
      Entry(subtitle::FontName),
      Entry(subtitle::ColorName),
      Entry(subtitle::FontSize),
      Entry(subtitle::BgColorName),
      Entry(subtitle::Interval),
      Entry(subtitle::IsTranp),
      Entry(subtitle::DisplayTextEsc),

      Family("row,col", kCells, [](int i) { return stringgrid::Cell(RowOf(i), ColOf(i)); }),

      Family("0 … 254", maxtixname::kInputCount, [](int i) { return maxtixname::Input(i); }),

      Entry(AVmux::CustomerMux),
      Family("c + C × r", kCells, [](int i) { return AVmux::Screen(RowOf(i) - 1, ColOf(i) - 1, kMaxWallColumns); }),
      Entry(VGAmux::CustomerMux),
      Family("c + C × r", kCells, [](int i) { return VGAmux::Screen(RowOf(i) - 1, ColOf(i) - 1, kMaxWallColumns); }),
      Entry(DVImux::CustomerMux),
      Family("c + C × r", kCells, [](int i) { return DVImux::Screen(RowOf(i) - 1, ColOf(i) - 1, kMaxWallColumns); }),

      Family("scene1 … scene16", scene::kSceneCount, [](int i) { return nativeMatrix::Scene(i + 1); }),

      Entry(wait::Sleep),

      Entry(hybridGeneral::Type),
      Entry(hybridGeneral::SignalSourceRow),
      Entry(hybridGeneral::SignalSourceCol),
      Entry(hybridGeneral::IsSignalSelected),
      Family("row,col", kCells, [](int i) { return cellAddress::Cell(RowOf(i), ColOf(i)); }),
      Family("row,col", kCells, [](int i) { return cellSignal::Cell(RowOf(i), ColOf(i)); }),
      Family("row,col,TYPE", kCells * 4,
             [](int i) { return cellName::Cell(RowOf(i / 4), ColOf(i / 4), kCellSignalTypes[i % 4]); }),
  };
}

}  // namespace

const std::vector<TConfigEntry>& ConfigTable() {
  static const std::vector<TConfigEntry> table = BuildTable();
  return table;
}
