#include "console/Config.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/support/Artifacts.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Spit(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool FolderEmpty(const std::string& dir) { return fs::is_empty(dir); }

// Points the program folder at a fresh folder for one test.
class ConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::TempDir("config");
    SetProgramFolder(dir_);
  }
  void TearDown() override { SetProgramFolder(""); }

  std::string dir_;
};

// Reads and writes a key of the table in a form, through the file object, as text.
String ReadAs(TIniFile& ini, const String& section, const TConfigMember& m, TConfigForm form, const String& readerDefault) {
  String def = m.Default.value_or(readerDefault);
  switch (form) {
    case cfString:
      return ini.ReadString(section, m.Ident, def);
    case cfInteger:
      return IntToStr(ini.ReadInteger(section, m.Ident, StrToInt(def)));
    case cfBoolean:
      return ini.ReadBool(section, m.Ident, def != "0") ? "1" : "0";
  }
  return {};
}

// ---- The table ----------------------------------------------------------------------------------

// The file as it is documented, transcribed apart from the code: a misspelt key or a wrong default
// loses an operator's setting silently, so each is checked against this.
struct Expected {
  const char* section;
  const char* ident;  // or a family's pattern
  TConfigForm read, written;
  const char* def;  // nullptr: the reader supplies it
  int count = 1;
  std::vector<std::pair<int, const char*>> samples = {};  // family member index -> key
};

const std::vector<Expected>& ExpectedTable() {
  static const std::vector<Expected> table = {
      {"config", "softwareChooseMode", cfInteger, cfInteger, "1"},
      {"config", "softwareType", cfInteger, cfInteger, "0"},
      {"config", "caption", cfString, cfString, nullptr},
      {"config", "USER", cfString, cfString, " "},
      {"config", "name", cfString, cfString, nullptr},
      {"config", "row", cfInteger, cfInteger, "3"},
      {"config", "col", cfInteger, cfInteger, "3"},
      {"config", "language", cfInteger, cfInteger, "0"},
      {"config", "password", cfString, cfString, "5807"},
      {"setting", "com port", cfInteger, cfInteger, "1"},
      {"setting", "com port A", cfInteger, cfInteger, "1"},
      {"setting", "com port B", cfInteger, cfInteger, "1"},
      {"setting", "auto open port", cfBoolean, cfBoolean, "0"},
      {"setting", "auto open port A", cfBoolean, cfBoolean, "0"},
      {"setting", "auto open port B", cfBoolean, cfBoolean, "0"},
      {"setting", "serialCtrl", cfBoolean, cfBoolean, "1"},
      {"setting", "IPAddress", cfString, cfString, "192.168.1.200"},
      {"setting", "Port", cfString, cfString, "8899"},
      {"setting", "KJ", cfBoolean, cfBoolean, "0"},
      {"setting", "jzll", cfBoolean, cfBoolean, "0"},
      {"setting", "yall", cfBoolean, cfBoolean, "0"},
      {"setting", "signalindex", cfInteger, cfInteger, "0"},
      {"setting", "linkage", cfBoolean, cfBoolean, "0"},
      {"setting", "videomux", cfInteger, cfInteger, "0"},
      {"setting", "vgamux", cfInteger, cfInteger, "0"},
      {"setting", "dvimux", cfInteger, cfInteger, "0"},
      {"setting", "hdmimux", cfInteger, cfInteger, "0"},
      {"setting", "sdimux", cfInteger, cfInteger, "0"},
      {"setting", "mux_out0", cfString, cfString, "1"},
      {"setting", "mux_in0", cfString, cfString, "1"},
      {"setting", "video_id", cfString, cfString, "00"},
      {"setting", "vga_id", cfString, cfString, "01"},
      {"setting", "DVI_id", cfString, cfString, "01"},
      {"setting", "HDMI_id", cfString, cfString, "01"},
      {"setting", "video_inport", cfString, cfString, "255"},
      {"setting", "vga_inport", cfString, cfString, "255"},
      {"setting", "dvi_inport", cfString, cfString, "255"},
      {"setting", "hdmi_inport", cfString, cfString, "255"},
      {"setting", "mux_delay1", cfString, cfString, "100"},
      {"setting", "mux_delay2", cfString, cfString, "100"},
      {"setting", "comm_send_cfg", cfInteger, cfInteger, "0"},
      {"StartAnimation", "height", cfInteger, cfInteger, "400"},
      {"StartAnimation", "width", cfInteger, cfInteger, "500"},
      {"StartAnimation", "logoPath", cfString, cfString, "logo.jpg"},
      {"StartAnimation", "ifshow", cfInteger, cfInteger, "0"},
      {"StartAnimation", "Still", cfInteger, cfInteger, "3"},
      {"SkinName", "Skin", cfInteger, cfInteger, nullptr},
      {"scene", "Matrix 1", cfString, cfString, "01"},
      {"scene", "Matrix 2", cfString, cfString, "01"},
      {"scene", "Matrix 3", cfString, cfString, "01"},
      {"scene", "Matrix 4", cfString, cfString, "05"},
      {"scene", "Matrix 5", cfString, cfString, "02"},
      {"scene", "Time C", cfString, cfString, "10"},
      {"scene", "scene A", cfString, cfString, "01"},
      {"scene", "scene B", cfString, cfString, "05"},
      {"scene", "scene1 … scene16", cfString, cfString, nullptr, 16, {{0, "scene1"}, {15, "scene16"}}},
      {"SceneSwitch", "v1 … v8", cfString, cfInteger, "0", 8, {{0, "v1"}, {7, "v8"}}},
      {"SceneSwitch", "h1 … h8", cfString, cfInteger, "0", 8, {{0, "h1"}, {7, "h8"}}},
      {"SceneSwitch", "m1 … m8", cfString, cfInteger, "0", 8, {{0, "m1"}, {7, "m8"}}},
      {"SceneSwitch", "switch1 … switch8", cfBoolean, cfBoolean, "0", 8, {{0, "switch1"}, {7, "switch8"}}},
      {"timesetting", "ohour", cfInteger, cfString, "0"},
      {"timesetting", "omin", cfInteger, cfString, "0"},
      {"timesetting", "chour", cfInteger, cfString, "0"},
      {"timesetting", "cmin", cfInteger, cfString, "0"},
      {"timesetting", "flag", cfBoolean, cfBoolean, "0"},
      {"timesetting", "mode", cfInteger, cfString, "0"},
      {"subtitle", "displaytext", cfString, cfString, nullptr},
      {"subtitle", "fontname", cfString, cfString, nullptr},
      {"subtitle", "colorname", cfString, cfString, nullptr},
      {"subtitle", "fontsize", cfInteger, cfInteger, nullptr},
      {"subtitle", "bgcolorname", cfString, cfString, "clWhite"},
      {"subtitle", "interval", cfString, cfString, "0"},
      {"subtitle", "istranp", cfBoolean, cfBoolean, "0"},
      {"subtitle", "displaytextesc", cfBoolean, cfBoolean, "0"},
      {"stringgrid", "row,col", cfString, cfString, "", 225, {{0, "1,1"}, {17, "2,3"}, {224, "15,15"}}},
      {"maxtixname", "0 … 254", cfString, cfString, nullptr, 255, {{0, "0"}, {254, "254"}}},
      {"AVmux", "AVcustomer mux", cfBoolean, cfBoolean, "0"},
      {"AVmux", "c + C × r", cfString, cfString, "0", 225, {{0, "0"}, {17, "17"}, {224, "224"}}},
      {"VGAmux", "VGAcustomer mux", cfBoolean, cfBoolean, "0"},
      {"VGAmux", "c + C × r", cfString, cfString, "0", 225, {{0, "0"}, {224, "224"}}},
      {"DVImux", "DVIcustomer mux", cfBoolean, cfBoolean, "0"},
      {"DVImux", "c + C × r", cfString, cfString, "0", 225, {{0, "0"}, {224, "224"}}},
      {"nativeMatrix", "scene1 … scene16", cfString, cfString, "0", 16, {{0, "scene1"}, {15, "scene16"}}},
      {"wait", "sleep", cfInteger, cfInteger, "1"},
      {"hybridGeneral", "type", cfInteger, cfInteger, "0"},
      {"hybridGeneral", "signalSource_row", cfInteger, cfInteger, "1"},
      {"hybridGeneral", "signalSource_col", cfInteger, cfInteger, "1"},
      {"hybridGeneral", "isSignalSelected", cfBoolean, cfBoolean, "0"},
      {"cellAddress", "row,col", cfString, cfString, "local", 225, {{0, "1,1"}, {224, "15,15"}}},
      {"cellSignal", "row,col", cfString, cfString, "HDMI", 225, {{0, "1,1"}, {224, "15,15"}}},
      // The default of a [cellName] key is its type's name, so it is checked per member below.
      {"cellName", "row,col,TYPE", cfString, cfString, "", 900,
       {{0, "1,1,VIDEO"}, {3, "1,1,HDMI"}, {6, "1,2,DVI"}, {899, "15,15,HDMI"}}},
  };
  return table;
}

TEST_F(ConfigFile, TheTableHoldsEveryKeyWithItsFormsAndDefaultAndEachReadsItsDefaultFromAnEmptyFolder) {
  const auto& table = ConfigTable();
  const auto& expected = ExpectedTable();
  ASSERT_EQ(table.size(), expected.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const TConfigEntry& e = table[i];
    const Expected& x = expected[i];
    SCOPED_TRACE("[" + e.Section + "] " + e.Ident);
    EXPECT_EQ(e.Section, x.section);
    EXPECT_EQ(e.Ident, x.ident);
    EXPECT_EQ(e.ReadAs, x.read);
    EXPECT_EQ(e.WrittenAs, x.written);
    EXPECT_EQ(e.Count, x.count);
    if (x.count == 1) {
      EXPECT_EQ(e.At(0).Ident, x.ident);
    }
    for (auto [index, key] : x.samples) EXPECT_EQ(e.At(index).Ident, key);
    for (int m = 0; m < e.Count; ++m) {
      std::optional<String> def = e.At(m).Default;
      if (e.Section == "cellName") {
        EXPECT_EQ(def, cfg::kCellSignalTypes[m % 4]);
      } else if (x.def) {
        EXPECT_EQ(def, x.def);
      } else {
        EXPECT_FALSE(def.has_value());
      }
    }
  }

  // Every key of the table reads its default while there is no file, and reading creates none.
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  EXPECT_EQ(ini->FileName(), dir_ + "/cfg.ini");
  for (const TConfigEntry& e : table) {
    for (int m = 0; m < e.Count; ++m) {
      TConfigMember member = e.At(m);
      const String readerDefault = e.ReadAs == cfString ? "reader's" : "7";
      String want = member.Default.value_or(readerDefault);
      if (e.ReadAs == cfString) want = TrimRight(want);  // a default's trailing blanks never show
      ASSERT_EQ(ReadAs(*ini, e.Section, member, e.ReadAs, readerDefault), want) << "[" << e.Section << "] " << member.Ident;
    }
  }
  EXPECT_TRUE(FolderEmpty(dir_));
}

TEST_F(ConfigFile, EachKeyWrittenInItsFormReadsBackInItsReadForm) {
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  for (const TConfigEntry& e : ConfigTable()) {
    for (int m : {0, e.Count - 1}) {
      TConfigMember member = e.At(m);
      SCOPED_TRACE("[" + e.Section + "] " + member.Ident);
      // A value that differs from every default, in the form the writers use.
      switch (e.WrittenAs) {
        case cfString:
          ini->WriteString(e.Section, member.Ident, e.ReadAs == cfString ? "大厅 5" : "5");
          EXPECT_EQ(ReadAs(*ini, e.Section, member, e.ReadAs, "0"), e.ReadAs == cfString ? "大厅 5" : "5");
          break;
        case cfInteger:
          ini->WriteInteger(e.Section, member.Ident, 5);
          EXPECT_EQ(ReadAs(*ini, e.Section, member, e.ReadAs, "0"), "5");
          break;
        case cfBoolean: {
          bool value = member.Default != "1";
          String text = value ? "1" : "0";
          ini->WriteBool(e.Section, member.Ident, value);
          EXPECT_EQ(ini->ReadString(e.Section, member.Ident, ""), text);
          EXPECT_EQ(ReadAs(*ini, e.Section, member, cfInteger, "7"), text);
          EXPECT_EQ(ReadAs(*ini, e.Section, member, cfBoolean, "0"), text);
          break;
        }
      }
    }
  }
}

TEST_F(ConfigFile, KeysReadAndWrittenThroughTheirTypedForms) {
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  // Slots are written as integers and read as the texts the edits show.
  WriteConfig(*ini, cfg::SceneSwitch::V(3), 12);
  WriteConfig(*ini, cfg::SceneSwitch::Switch(3), true);
  EXPECT_EQ(ReadConfig(*ini, cfg::SceneSwitch::V(3)), "12");
  EXPECT_EQ(ReadConfig(*ini, cfg::SceneSwitch::H(3)), "0");
  EXPECT_TRUE(ReadConfig(*ini, cfg::SceneSwitch::Switch(3)));
  EXPECT_FALSE(ReadConfig(*ini, cfg::SceneSwitch::Switch(4)));
  // The timing dialog writes its edits' texts; the timers read integers.
  WriteConfig(*ini, cfg::timesetting::OHour, "07");
  WriteConfig(*ini, cfg::timesetting::Mode, "1");
  WriteConfig(*ini, cfg::timesetting::Flag, true);
  EXPECT_EQ(ReadConfig(*ini, cfg::timesetting::OHour), 7);
  EXPECT_EQ(ReadConfig(*ini, cfg::timesetting::Mode), 1);
  EXPECT_EQ(ini->ReadInteger("timesetting", "flag", 9), 1);
  // Reader-supplied defaults.
  EXPECT_EQ(ReadConfig(*ini, cfg::subtitle::FontSize, 14), 14);
  EXPECT_EQ(ReadConfig(*ini, cfg::SkinName::Skin, -1), -1);
  EXPECT_EQ(ReadConfig(*ini, cfg::maxtixname::Input(6), "7"), "7");
  WriteConfig(*ini, cfg::maxtixname::Input(6), "Lobby cam");
  EXPECT_EQ(ReadConfig(*ini, cfg::maxtixname::Input(6), "7"), "Lobby cam");
  EXPECT_EQ(ini->ReadString("maxtixname", "6", ""), "Lobby cam");
  // Text GBK cannot hold is stored as the code page's substitute.
  WriteConfig(*ini, cfg::subtitle::DisplayText, "欢迎 🙂");
  EXPECT_EQ(ReadConfig(*ini, cfg::subtitle::DisplayText, ""), "欢迎 ?");
}

TEST_F(ConfigFile, EdgeCasesOfTheStoredValues) {
  Spit(dir_ + "/cfg.ini",
       "[config]\r\ncaption=\r\n"
       "[setting]\r\nauto open port=yes\r\ncom port=0x1F\r\ncom port A=$1F\r\ncom port B= 12 \r\n"
       "signalindex=99999999999\r\n"
       "[scene]\r\nscene5=\r\n");
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  EXPECT_FALSE(ReadConfig(*ini, cfg::setting::AutoOpenPort));  // "yes" is no number
  // Present but empty gives an empty title; the default is for a missing key only, without its
  // trailing blank.
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Caption, cfg::config::kGridConsoleCaption), "");
  ini->DeleteKey("config", "caption");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Caption, cfg::config::kGridConsoleCaption), "传统液晶拼接系统");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Caption, cfg::config::kSplicingConsoleCaption), "Vellmar智能拼接显示系统");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Caption, cfg::config::kHybridConsoleCaption), "Vellmar混合矩阵拼接系统");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::USER), "");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Name, cfg::config::kConsoleName), "LCD WALL");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Name, cfg::config::kSplicingSettingsName), "大屏幕拼接软件");

  EXPECT_EQ(ReadConfig(*ini, cfg::setting::ComPort), 31);
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::ComPortA), 31);
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::ComPortB), 12);
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::SignalIndex), 0);  // does not fit 32 bits

  String long3000;
  for (int i = 0; i < 3000; ++i) long3000 += i % 3 ? "x" : "字";
  WriteConfig(*ini, cfg::subtitle::DisplayText, long3000);
  EXPECT_EQ(ReadConfig(*ini, cfg::subtitle::DisplayText, ""), Copy(long3000, 1, 2047));

  // An empty scene name shows the language's default, as a missing one does.
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 5, 0), "场景5");
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 5, 1), "scene5");
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 16, 0), "场景16");
  WriteConfig(*ini, cfg::scene::Scene(5), "Lobby");
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 5, 0), "Lobby");

  // Computed key names.
  EXPECT_EQ(cfg::AVmux::Screen(1, 2, 4).Ident, "6");  // wall row 2, column 3 of a 4-column wall
  EXPECT_EQ(cfg::DVImux::Screen(0, 0, 4).Ident, "0");
  EXPECT_EQ(cfg::stringgrid::Cell(2, 3).Ident, "2,3");
  EXPECT_EQ(cfg::cellAddress::Cell(12, 1).Ident, "12,1");
  EXPECT_EQ(cfg::cellName::Cell(2, 3, "VGA").Ident, "2,3,VGA");
  EXPECT_EQ(cfg::cellName::Cell(2, 3, "VGA").Default, "VGA");
  EXPECT_EQ(cfg::nativeMatrix::Scene(16).Ident, "scene16");
  EXPECT_EQ(cfg::maxtixname::Input(0).Ident, "0");
}

TEST_F(ConfigFile, TwoFileObjectsSeeEachOthersWritesAtOnce) {
  std::unique_ptr<TIniFile> a = OpenConfigFile(), b = OpenConfigFile();
  WriteConfig(*a, cfg::config::Row, 6);
  EXPECT_EQ(ReadConfig(*b, cfg::config::Row), 6);
  WriteConfig(*b, cfg::stringgrid::Cell(2, 3), "clRed");
  WriteConfig(*b, cfg::config::Row, 7);
  EXPECT_EQ(ReadConfig(*a, cfg::stringgrid::Cell(2, 3)), "clRed");
  EXPECT_EQ(ReadConfig(*a, cfg::config::Row), 7);
}

// Run in a child that cannot write the folder even when the tests run as root.
TEST_F(ConfigFile, AReadOnlyFolderDropsWritesSilentlyAndStillGivesDefaults) {
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    int status = 0;
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
    try {
      std::unique_ptr<TIniFile> ini = OpenConfigFile();
      WriteConfig(*ini, cfg::config::Row, 6);
      WriteConfig(*ini, cfg::scene::Scene(1), "大厅");
      WriteConfig(*ini, cfg::setting::KJ, true);
      if (ReadConfig(*ini, cfg::config::Row) != 3) status |= 1;
      if (cfg::scene::ReadSceneName(*ini, 1, 0) != "场景1") status |= 2;
      if (ReadConfig(*ini, cfg::setting::KJ)) status |= 4;
    } catch (...) {
      status |= 8;
    }
    _exit(status);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(FolderEmpty(dir_));  // neither the file nor a temporary one
  chmod(dir_.c_str(), 0700);
}

// "cfg.ini" as the program on Windows leaves it: GBK, CRLF, no byte-order mark, no line break
// after the last line, some blanks around "=" from hand edits.
TEST_F(ConfigFile, AFileWrittenOnWindowsReadsRightAndKeepsItsBytes) {
  const std::string original = Slurp(testsupport::SourcePath("tests/console/fixtures/cfg-windows.ini"));
  ASSERT_FALSE(original.empty());
  ASSERT_NE(original.back(), '\n');
  const std::string file = dir_ + "/cfg.ini";
  Spit(file, original);
  std::unique_ptr<TIniFile> ini = OpenConfigFile();

  EXPECT_EQ(ReadConfig(*ini, cfg::config::Caption, cfg::config::kGridConsoleCaption), "传统液晶拼接系统");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::USER), "北京展厅");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Name, cfg::config::kConsoleName), "大屏幕拼接软件");
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Row), 4);
  EXPECT_EQ(ReadConfig(*ini, cfg::config::SoftwareType), 1);
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::ComPort), 3);
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::ComPortA), 4);
  EXPECT_TRUE(ReadConfig(*ini, cfg::setting::AutoOpenPort));
  EXPECT_FALSE(ReadConfig(*ini, cfg::setting::AutoOpenPortB));
  EXPECT_FALSE(ReadConfig(*ini, cfg::setting::SerialCtrl));
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::IPAddress), "192.168.0.50");
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::MuxDelay1), "150");
  EXPECT_EQ(ReadConfig(*ini, cfg::setting::MuxDelay2), "100");
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 1, 0), "大厅");
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 2, 0), "会议室 B");
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 5, 0), "场景5");
  EXPECT_EQ(ReadConfig(*ini, cfg::scene::Matrix1), "08");
  EXPECT_EQ(ReadConfig(*ini, cfg::maxtixname::Input(0), "1"), "摄像机一");
  EXPECT_EQ(ReadConfig(*ini, cfg::maxtixname::Input(6), "7"), "电脑");
  EXPECT_EQ(ReadConfig(*ini, cfg::maxtixname::Input(1), "2"), "2");
  EXPECT_EQ(ReadConfig(*ini, cfg::cellName::Cell(1, 2, "HDMI")), "主屏");
  EXPECT_EQ(ReadConfig(*ini, cfg::cellName::Cell(1, 2, "VGA")), "VGA");
  EXPECT_EQ(ReadConfig(*ini, cfg::stringgrid::Cell(2, 3)), "clRed");

  auto replaced = [](std::string bytes, const std::string& from, const std::string& to) {
    size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return bytes.replace(at, from.size(), to);
  };
  // Rewriting one key changes that line only; the blanks before "=" stay.
  std::string want = replaced(original, "row=4\r\n", "row=6\r\n");
  WriteConfig(*ini, cfg::config::Row, 6);
  EXPECT_EQ(Slurp(file), want);
  want = replaced(want, "com port = 3\r\n", "com port =12\r\n");
  WriteConfig(*ini, cfg::setting::ComPort, 12);
  EXPECT_EQ(Slurp(file), want);
  want = replaced(want, "scene2=\xBB\xE1\xD2\xE9\xCA\xD2 B\r\n", "scene2=\xB4\xF3\xCC\xFC\r\n");  // 会议室 B -> 大厅
  WriteConfig(*ini, cfg::scene::Scene(2), "大厅");
  EXPECT_EQ(Slurp(file), want);
  // A new key joins the end of its section with the file's CRLF, also in the last section.
  want = replaced(want, "mux_delay1=150\r\n", "mux_delay1=150\r\nlinkage=1\r\n");
  WriteConfig(*ini, cfg::setting::Linkage, true);
  EXPECT_EQ(Slurp(file), want);
  want += "\r\n3,1=clBlue\r\n";
  WriteConfig(*ini, cfg::stringgrid::Cell(3, 1), "clBlue");
  EXPECT_EQ(Slurp(file), want);
  EXPECT_EQ(cfg::scene::ReadSceneName(*ini, 2, 0), "大厅");
}

TEST_F(ConfigFile, StartingWithoutAFileCreatesItOnlyAtTheFirstWrite) {
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  for (int n = 1; n <= cfg::scene::kSceneCount; ++n) EXPECT_EQ(cfg::scene::ReadSceneName(*ini, n, 0), "场景" + IntToStr(n));
  EXPECT_EQ(ReadConfig(*ini, cfg::config::Row), 3);
  EXPECT_TRUE(FolderEmpty(dir_));
  WriteConfig(*ini, cfg::SkinName::Skin, -1);
  EXPECT_EQ(Slurp(dir_ + "/cfg.ini"), "[SkinName]\r\nSkin=-1\r\n");
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessATestPointsItElsewhere) {
  String folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(fs::exists(folder + "console_tests"));
  EXPECT_EQ(ConfigFilePath(), folder + "cfg.ini");

  SetProgramFolder("/srv/wall");
  EXPECT_EQ(ProgramFolder(), "/srv/wall/");
  EXPECT_EQ(ConfigFilePath(), "/srv/wall/cfg.ini");
  EXPECT_EQ(ProgramFilePath("\\AllSkins.skinres"), "/srv/wall/AllSkins.skinres");
  EXPECT_EQ(ProgramFilePath("lo.wmv"), "/srv/wall/lo.wmv");
  SetProgramFolder("");
  EXPECT_EQ(ProgramFolder(), folder);
}

}  // namespace
