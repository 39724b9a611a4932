#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "matrix/PresetCommands.h"
#include "matrix/SwitchCommands.h"
#include "tests/matrix/MatrixFixture.h"

using namespace matrixtest;

namespace {

struct Case {
  const char* name;
  Console setup;
  int outputIndex;
  int input;
  const char* expected;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases)
    EXPECT_EQ(Render(MatrixSwitchSends(c.setup.s, c.outputIndex, c.input)), c.expected) << c.name;
}

TEST(MatrixSwitchLog, EngineeringModeLogsEachCommandAfterItsWrites) {
  ExpectCases({
      {"packed hex", Av("VINET").Debug(), 2, 5, "V: FC 01 00 04 02 01 04 | log GH: FC010004020104"},
      {"frame", Av("AV01").Debug(), 2, 5, "V: 96 01 01 06 A4 02 04 02 04 4E | log GH: 96,01,01,06,A4,02,04,02,04,4E"},
      {"wrapped", Av("AV04").Debug(), 2, 5, "V: 02 \"00F0503\" 03 | log GH: 02,00F0503,03"},
      {"wrapped", Av("GALAXY").Debug(), 2, 5, "V: 01 \"AS01V0204T06\" 04 | log GH: 01,AS01V0204T06,04"},
      {"two frames, two lines after both", Av("AV09").Debug(), 2, 5,
       "V: BB 02 01 02 00 00 00 C0 | 50ms | V: BB 02 02 04 00 00 00 C3 | "
       "log GH: BB,02,01,02,00,00,00,C0 | log GH: BB,02,02,04,00,00,00,C3"},
      {"eight bytes sent, eight logged", Av("PEARMAIN2").Debug(), 249, 150,
       "V: F7 01 01 01 32 01 32 1F | log GH: F7,01,01,01,32,01,32,1F"},
      {"seven bytes sent, seven logged", Vga("PEARMAIN").Debug(), 2, 5, "R: F6 01 00 03 00 05 1F | log GH: F6,01,00,03,00,05,1F"},
      {"text", Av("CZ-AV").Debug(), 2, 5, "R: \"5,3,V\" | log GH: 5,3,V"},
      {"sent twice, logged once", Hdmi("QX").Debug(), 2, 5, "R: \"5X3.\" | 50ms | R: \"5X3.\" | log GH: 5X3."},
      {"screen dot not logged", Vga("VGA04").Debug(), 2, 5, "S: 2E | 5ms | R: \"5V3.\" | log GH: 5V3."},
      {"grid console only", Dvi("DVI08").Debug(), 2, 5, "R: AA 00 03 05 03 FF | log G: AA,00,03,05,03,FF"},
      {"each row sent and logged before the next", DviAt(3).Debug(), 2, 5,
       "R: \"5V3.\" | log GH: 5V3. | R: \"5V3.\" | log GH: 5V3."},
  });
}

// Engineering mode changes nothing on the wire, for any make.
TEST(MatrixSwitchLog, EngineeringModeOffSendsTheSameBytesWithoutLines) {
  std::vector<Console> setups;
  for (const String& m : VideoMatrixModels()) setups.push_back(Av(m.c_str()));
  for (const String& m : VgaMatrixModels()) setups.push_back(Vga(m.c_str()));
  for (int k = 0; k < static_cast<int>(DviMatrixModels().size()); ++k) setups.push_back(DviAt(k));
  for (const String& m : HdmiMatrixModels()) setups.push_back(Hdmi(m.c_str()));
  for (Console& u : setups) {
    const MatrixSends quiet = MatrixSwitchSends(u.s, 6, 9);
    u.Debug();
    const MatrixSends logged = MatrixSwitchSends(u.s, 6, 9);
    std::vector<MatrixStep> withoutLines;
    for (const MatrixStep& s : logged.Steps)
      if (s.kind != MatrixStep::Kind::Log) withoutLines.push_back(s);
    EXPECT_EQ(quiet.Steps, withoutLines) << u.s.ModelLabel;
    EXPECT_LT(quiet.Steps.size(), logged.Steps.size()) << u.s.ModelLabel;
  }
}

TEST(MatrixSwitchDispatch, NamesAndIndexesAreTestedIndependently) {
  ExpectCases({
      {"typed VGA name", Console().Signal(1, "VGA").VgaList(-1, "ODT"), 2, 5, "R: F4 05 21 03 00 00 29"},
      {"typed video name", Console().Signal(0, "VIDEO").VideoList(-1, "ODT"), 2, 5, "V: F4 05 21 03 00 00 29"},
      {"typed name of no template", Console().Signal(1, "VGA").VgaList(-1, "VGA15"), 2, 5, ""},
      {"names are case-sensitive", Console().Signal(1, "VGA").VgaList(-1, "odt").Label("vga06"), 2, 5, ""},
      {"an unconfirmed list choice beside the label",
       Vga("VGA01").Label("VGA06"), 2, 5, "R: 96 01 01 06 A3 02 04 02 04 4D BB 04 01 02 05 03 55"},
      {"index row first, then the label row", Av("VINET").Label("CREATEK"), 2, 5,
       "V: FC 01 00 04 02 01 04 \"5V3.\""},
      {"HDMI index 7 is silent", Hdmi("PG_MUL").Label("HDMI08"), 2, 5, "R: 41 03 05 7B 21"},
      {"DVI index 7 is not", Dvi("BTRAN-111").Label("DVI08"), 2, 5, "R: F6 01 01 04 A1 02 04 00 AA 00 03 05 03 FF"},
      {"label rows need their own signal", Dvi("CZ-DVI").Label("SVS"), 2, 5, "R: \"5,3,V\""},
      {"no list choice, no label", Console().Signal(3, "HDMI"), 2, 5, ""},
  });
}

TEST(MatrixSwitchFailure, AnIdThatIsNoNumberStopsTheCommandBeforeItsFirstByte) {
  ExpectCases({
      {"frame with id", Av("AV01").Ids("AB"), 2, 5, "! 'AB' is not a valid integer value"},
      {"text printing the id", Av("PEARMAIN").Ids("7x"), 2, 5, "! '7x' is not a valid integer value"},
      {"text inserting the id text", Av("VMW-JCAV").Ids("AB"), 2, 5, "V: \"AB3[5!\""},
      {"empty id text", Vga("VGA09").Ids(""), 2, 5, "R: \"V05V03\""},
      {"empty id", Vga("VGA01").Ids(""), 2, 5, "! '' is not a valid integer value"},
      {"earlier rows stay sent", Vga("CREATEK").Label("VGA06").Ids("AB"), 2, 5,
       "R: \"5V3.\" | ! 'AB' is not a valid integer value"},
      {"input base converted first", Av("Samplex").Bases("o?", "i?"), 2, 5, "! 'i?' is not a valid integer value"},
      {"output base", Av("Infinova").Bases("o?", "i?"), 2, 5, "! 'o?' is not a valid integer value"},
  });
}

// A wall of 15 x 15 screens has output indexes 0 to 224; inputs go to 255.
TEST(MatrixSwitchLimits, ExtremeNumbersAndIdsGiveTheirLowBytes) {
  ExpectCases({
      {"largest pair", Av("AV01"), 224, 255, "V: 96 01 01 06 A4 E0 FE E0 FE FE"},
      {"id 00", Av("AV01").Ids("00"), 0, 1, "V: 96 00 01 06 A4 00 00 00 00 41"},
      {"id $FF", Av("AV01").Ids("$FF"), 0, 1, "V: 96 FF 01 06 A4 00 00 00 00 40"},
      {"id FF is no decimal", Av("AV01").Ids("FF"), 0, 1, "! 'FF' is not a valid integer value"},
      {"id text FF", Av("VMW-JCAV").Ids("FF"), 224, 255, "V: \"FF225[255!\""},
      {"16-bit input", Vga("SISO"), 224, 255, "R: F2 00 FF 22 E1 00 01 3D"},
      {"input 256, output 256", Vga("SISO"), 255, 256, "R: F2 01 00 22 00 00 01 22"},
      {"low bytes in plain texts", Vga("CREATEK"), 255, 256, "R: \"0V0.\""},
      {"whole numbers in full texts", Vga("CHUANGGAO"), 255, 256, "R: \"256B256.\""},
      {"full, counted from 0", Av("PELCO"), 224, 255, "V: \"224Ma254#a\""},
      {"first pair", Hdmi("HDMI13"), 0, 1, "R: 05 55 19 09 77"},
  });
}

// Numbers far outside any wall must still give well-formed sends (the sanitizers watch).
TEST(MatrixSwitchLimits, NothingOutOfRangeBreaksAnyMake) {
  const int numbers[] = {INT_MIN, -256, -1, 0, 1, 127, 128, 199, 200, 255, 256, 65535, INT_MAX};
  const char* ids[] = {"00", "FF", "$7FFFFFFF", "99999999999", "一号"};
  std::vector<Console> setups;
  for (const String& m : VideoMatrixModels()) setups.push_back(Av(m.c_str()));
  for (const String& m : VgaMatrixModels()) setups.push_back(Vga(m.c_str()));
  for (int k = 0; k < static_cast<int>(DviMatrixModels().size()); ++k) setups.push_back(DviAt(k));
  for (const String& m : HdmiMatrixModels()) setups.push_back(Hdmi(m.c_str()));
  setups.push_back(Hdmi("SVS"));
  for (Console& u : setups) {
    for (const char* id : ids) {
      u.Ids(id).Bases(id, id).Debug();
      for (int o : numbers) {
        for (int i : numbers) {
          const MatrixSends sends = MatrixSwitchSends(u.s, o, i);
          for (const MatrixStep& s : sends.Steps) {
            if (s.kind == MatrixStep::Kind::Write) {
              ASSERT_FALSE(s.bytes.empty()) << u.s.ModelLabel;
            }
          }
          ASSERT_TRUE(sends.Failure.empty() || sends.Failure.find("is not a valid integer value") != String::npos);
        }
      }
    }
  }
}

TEST(MatrixSwitchText, TextsGoOutInTheConfigurationCodePage) {
  const MatrixSends sends = MatrixSwitchSends(Av("VMW-JCAV").Ids("一号").Debug().s, 2, 5);
  ASSERT_EQ(sends.Steps.size(), 2u);
  EXPECT_EQ(sends.Steps[0].bytes, "\xD2\xBB\xBA\xC5" "3[5!");
  EXPECT_EQ(sends.Steps[1].line, "一号3[5!");
}

class RecordingSink : public MatrixSink {
 public:
  void Write(MatrixLink link, const unsigned char* data, std::size_t length) override {
    calls.push_back((link == MatrixLink::RgbMatrix ? "R:" : "V:") + std::to_string(length));
    bytes.append(reinterpret_cast<const char*>(data), length);
  }
  void Pause(int ms) override { calls.push_back("pause:" + std::to_string(ms)); }
  void Log(unsigned boxes, const String& line) override { calls.push_back("log" + std::to_string(boxes) + ":" + line); }

  std::vector<std::string> calls;
  std::string bytes;
};

TEST(PlayMatrixSends, OneWriteCallPerFrameByteThenTheFailure) {
  RecordingSink sink;
  PlayMatrixSends(MatrixSwitchSends(Av("AV09").Debug().s, 2, 5), sink);
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"V:1", "V:1", "V:1", "V:1", "V:1", "V:1", "V:1", "V:1", "pause:50",
                                                  "V:1", "V:1", "V:1", "V:1", "V:1", "V:1", "V:1", "V:1",
                                                  "log3:BB,02,01,02,00,00,00,C0", "log3:BB,02,02,04,00,00,00,C3"}));

  RecordingSink failing;
  const MatrixSends sends = MatrixSwitchSends(Vga("CREATEK").Label("VGA06").Ids("AB").s, 2, 5);
  try {
    PlayMatrixSends(sends, failing);
    ADD_FAILURE() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'AB' is not a valid integer value");
  }
  EXPECT_EQ(failing.bytes, "5V3.");
}

}  // namespace
