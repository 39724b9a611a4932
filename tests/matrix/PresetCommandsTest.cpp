#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "matrix/PresetCommands.h"
#include "tests/matrix/MatrixFixture.h"

using namespace matrixtest;

namespace {

enum Sender { VideoGeneral, RgbGeneral, Scene };
constexpr MatrixPresetOp kSave = MatrixPresetOp::Save;
constexpr MatrixPresetOp kRecall = MatrixPresetOp::Recall;

struct PresetCase {
  const char* name;
  Console console;
  Sender sender;
  MatrixPresetOp op;
  int preset;
  const char* expected;  // as Render writes it; "native" when the console records the scene itself
};

std::string Run(const PresetCase& c) {
  MatrixSends sends;
  switch (c.sender) {
    case VideoGeneral: sends = VideoMatrixPresetSends(c.console.s, c.op, c.preset); break;
    case RgbGeneral: sends = RgbMatrixPresetSends(c.console.s, c.op, c.preset); break;
    case Scene: sends = SceneModelSends(c.console.s, c.op, c.preset); break;
  }
  std::string r = Render(sends);
  if (sends.NativeScene) r += r.empty() ? "native" : " | native";
  return r;
}

void ExpectCases(const std::vector<PresetCase>& cases) {
  for (const PresetCase& c : cases) EXPECT_EQ(Run(c), c.expected) << c.name;
}

TEST(GeneralPresets, VideoMatrixMakesByListIndex) {
  ExpectCases({
      {"AV01 save", Av("AV01").VideoId("3"), VideoGeneral, kSave, 2, "V: 96 03 11 03 00 02 AF"},
      {"AV01 recall", Av("AV01").VideoId("3"), VideoGeneral, kRecall, 2, "V: 96 03 15 03 00 02 B3"},
      {"Samplex recall", Av("Samplex").VideoId("01"), VideoGeneral, kRecall, 12, "V: \"PA01RF0C00NT\""},
      {"Samplex save", Av("Samplex").VideoId("07"), VideoGeneral, kSave, 16, "V: \"PA07SF1000NT\""},
      {"VMW-JCAV save", Av("VMW-JCAV").VideoId("07"), VideoGeneral, kSave, 12, "V: \"07PS12!\""},
      {"VMW-JCAV recall", Av("VMW-JCAV").VideoId("07"), VideoGeneral, kRecall, 12, "V: \"07PL12!\""},
      {"XM-AV save", Av("XM-AV"), VideoGeneral, kSave, 5, "V: 2A 05 01 00 00 21"},
      {"XM-AV recall", Av("XM-AV"), VideoGeneral, kRecall, 5, "V: 2A 05 02 00 00 21"},
      {"flowvia takes the video id", Av("flowvia").VideoId("05").VgaId("88"), VideoGeneral, kSave, 3,
       "V: \"PA05SF0300NT\""},
      {"a make without presets", Av("VINET"), VideoGeneral, kSave, 3, ""},
      {"a typed name is no index", Console().Signal(0, "VIDEO").VideoList(-1, "AV01"), VideoGeneral, kSave, 3, ""},
      {"frame with an id that is no number", Av("AV01").VideoId("AB"), VideoGeneral, kSave, 1,
       "! 'AB' is not a valid integer value"},
      {"text with an id that is no number", Av("VMW-JCAV").VideoId("AB"), VideoGeneral, kSave, 1, "V: \"ABPS1!\""},
      {"frames log to the grid console only", Av("AV01").VideoId("3").Debug(), VideoGeneral, kSave, 2,
       "V: 96 03 11 03 00 02 AF | log G: 96,03,11,03,00,02,AF"},
      {"texts log to both consoles", Av("Samplex").VideoId("01").Debug(), VideoGeneral, kRecall, 12,
       "V: \"PA01RF0C00NT\" | log GH: PA01RF0C00NT"},
  });
}

TEST(GeneralPresets, VgaMatrixMakesByListIndex) {
  ExpectCases({
      {"Samplex recall", Vga("Samplex").VgaId("01"), RgbGeneral, kRecall, 10, "R: \"PV01RF0A00NT\""},
      {"VGA01 save", Vga("VGA01").VgaId("07"), RgbGeneral, kSave, 9, "R: 96 07 11 03 00 09 BA"},
      {"VGA02 as VGA01", Vga("VGA02").VgaId("07"), RgbGeneral, kRecall, 9, "R: 96 07 15 03 00 09 BE"},
      {"VMW-JCVGA recall", Vga("VMW-JCVGA").VgaId("07"), RgbGeneral, kRecall, 4, "R: \"07PL4!\""},
      {"XM-VGA save", Vga("XM-VGA"), RgbGeneral, kSave, 16, "R: 2A 10 01 00 00 21"},
      {"flowvia recall", Vga("flowvia").VgaId("07"), RgbGeneral, kRecall, 11, "R: \"PV07RF0B00NT\""},
      {"a make without presets", Vga("CREATEK"), RgbGeneral, kSave, 3, ""},
      {"the preset is one byte", Vga("XM-VGA"), RgbGeneral, kSave, 257, "R: 2A 01 01 00 00 21"},
      {"frame with an id that is no number", Vga("VGA02").VgaId("1.5"), RgbGeneral, kRecall, 1,
       "! '1.5' is not a valid integer value"},
  });
}

TEST(SceneModelCommands, SaveRowsInOrder) {
  ExpectCases({
      {"CREATEK (VGA)", Vga("CREATEK").Linkage().Debug(), Scene, kSave, 3, "R: \"Save3.\" | log G: ->Save3."},
      {"CREATEK (VGA) needs linkage", Vga("CREATEK"), Scene, kSave, 3, ""},
      {"CHUANGGAO", Vga("CHUANGGAO").Linkage(), Scene, kSave, 4, "R: \"<4,R>\""},
      {"Samplex (VGA): decimal", Vga("Samplex").VgaId("01").Linkage(), Scene, kSave, 10, "R: \"PV01SF1000NT\""},
      {"YJ_VGA", Vga("YJ_VGA").Linkage().Debug(), Scene, kSave, 5,
       "R: C8 A5 01 01 05 00 55 AA | log G: C8,A5,01,01,05,00,55,AA"},
      {"VGA06 by its label", Vga("VGA06"), Scene, kSave, 7, "R: 03 00 06 07"},
      {"btran-888", Vga("btran-888").VgaId("07").Linkage(), Scene, kSave, 9, "R: F6 07 11 03 00 09 00"},
      {"btran-888 id that is no number", Vga("btran-888").VgaId("x").Linkage(), Scene, kSave, 9,
       "! 'x' is not a valid integer value"},
      {"DVI08 counts from 0", Dvi("DVI08").Linkage(), Scene, kSave, 1, "R: AA 00 05 00 00 FF"},
      {"YJ", Dvi("YJ").Linkage(), Scene, kSave, 12, "R: \"SAVE12\""},
      {"CREATEK (DVI) entry 10", DviAt(10).Linkage(), Scene, kSave, 2, "R: \"Save2.\""},
      {"SISO (HDMI) records natively", Hdmi("SISO").Linkage(), Scene, kSave, 2, "native"},
      {"SISO (HDMI) without linkage", Hdmi("SISO"), Scene, kSave, 2, ""},
      {"typed VGA15 records natively", Console().Signal(1, "VGA").VgaList(-1, "VGA15").Linkage(), Scene, kSave, 2,
       "native"},
      {"AE-VGA", Vga("AE-VGA").VgaId("07"), Scene, kSave, 3, "R: \"07VSAVE3\""},
      {"AE-VGA id text unchecked", Vga("AE-VGA").VgaId("x"), Scene, kSave, 3, "R: \"xVSAVE3\""},
      {"CREATEK (HDMI)", Hdmi("CREATEK"), Scene, kSave, 5, "R: \"Save5.\""},
      {"QX: twice, one line", Hdmi("QX").Debug(), Scene, kSave, 3,
       "R: \"Save3.\" | 50ms | R: \"Save3.\" | log G: ->Save3."},
      {"HDMI4K", Hdmi("HDMI4K"), Scene, kSave, 4, "R: \"Save4.\" | 50ms | R: \"Save4.\""},
      {"SX", Hdmi("SX"), Scene, kSave, 6, "R: \"SAVE6\""},
      {"HDMI02", Hdmi("HDMI02").HdmiId("07").Debug(), Scene, kSave, 10, "R: \"PV07SF0A00NT\" | log G: PV07SF0A00NT"},
      {"HDMI03 with linkage", Hdmi("HDMI03").HdmiId("07").Linkage(), Scene, kSave, 10, "R: \"PV07SF0A00NT\""},
      {"HDMI03 needs linkage to save", Hdmi("HDMI03").HdmiId("07"), Scene, kSave, 10, ""},
      {"HDMI06", Hdmi("HDMI06"), Scene, kSave, 10, "R: \"SaveA\""},
      {"FST needs linkage to save", Hdmi("FST").HdmiId("07"), Scene, kSave, 12, ""},
      {"FST with linkage", Hdmi("FST").HdmiId("07").Linkage(), Scene, kSave, 12, "R: \"PV07SF0C00NT\""},
      {"IM88 on the video link", Hdmi("IM88").Debug(), Scene, kSave, 1,
       "V: 7B 7B 02 01 00 F3 7D 7D | log GH: 7B,7B,02,01,00,F3,7D,7D"},
      {"IM88 hand", Hdmi("IM88"), Scene, kSave, 5, "V: 7B 7B 02 01 04 F7 7D 7D"},  // 7B+7B+02+01+04+7D+7D
      {"KINGRODA", Hdmi("KINGRODA"), Scene, kSave, 3, "R: A5 00 01 06 03 00 00 AF"},
      {"HDMI14", Hdmi("HDMI14"), Scene, kSave, 7, "R: A5 00 01 06 07 00 00 B3"},  // A5+01+06+07
      {"HDMI05", Hdmi("HDMI05").HdmiId("07").Debug(), Scene, kSave, 11, "R: \"PL07SF0B00NT\" | log GH: PL07SF0B00NT"},
      {"HDMI12", Hdmi("HDMI12").HdmiId("07"), Scene, kSave, 11, "R: \"PH07SF0B00NT\""},
      {"DVI02", Dvi("DVI02").DviId("07").HdmiId("99"), Scene, kSave, 11, "R: \"PV07SF0B00NT\""},
      {"first match wins", Vga("CREATEK").Linkage().Label("VGA06"), Scene, kSave, 3, "R: \"Save3.\""},
      {"a make without scene commands", Av("AV01"), Scene, kSave, 3, ""},
  });
}

TEST(SceneModelCommands, RecallRowsInOrder) {
  ExpectCases({
      {"CREATEK (VGA)", Vga("CREATEK").Linkage(), Scene, kRecall, 3, "R: \"Recall3.\""},
      {"CHUANGGAO", Vga("CHUANGGAO").Linkage(), Scene, kRecall, 4, "R: \"<4,R>\""},
      {"Samplex (VGA): decimal", Vga("Samplex").VgaId("01").Linkage(), Scene, kRecall, 10, "R: \"PV01RF1000NT\""},
      {"YJ_VGA", Vga("YJ_VGA").Linkage(), Scene, kRecall, 5, "R: C8 A5 02 01 05 00 55 AA"},
      {"VGA06 by its label", Vga("VGA06"), Scene, kRecall, 7, "R: 03 00 04 07"},
      {"btran-888", Vga("btran-888").VgaId("07").Linkage(), Scene, kRecall, 9, "R: F6 07 15 03 00 09 00"},
      {"YJ", Dvi("YJ").Linkage(), Scene, kRecall, 12, "R: \"CALL12\""},
      {"CREATEK (DVI) entry 3", DviAt(3).Linkage(), Scene, kRecall, 2, "R: \"Recall2.\""},
      {"QX needs linkage to recall", Hdmi("QX"), Scene, kRecall, 3, ""},
      {"QX with linkage", Hdmi("QX").Linkage().Debug(), Scene, kRecall, 3,
       "R: \"Recall3.\" | 50ms | R: \"Recall3.\" | log G: ->Recall3."},
      {"HDMI4K with linkage", Hdmi("HDMI4K").Linkage(), Scene, kRecall, 4,
       "R: \"Recall4.\" | 50ms | R: \"Recall4.\""},
      {"DVI08 counts from 0", Dvi("DVI08").Linkage(), Scene, kRecall, 16, "R: AA 00 04 0F 00 FF"},
      {"SISO (HDMI) replays natively", Hdmi("SISO").Linkage(), Scene, kRecall, 2, "native"},
      {"typed VGA15 replays natively", Console().Signal(1, "VGA").VgaList(-1, "VGA15").Linkage(), Scene, kRecall, 2,
       "native"},
      {"AE-VGA", Vga("AE-VGA").VgaId("07").Debug(), Scene, kRecall, 3, "R: \"07VRETU3\" | log G: ->07VRETU3"},
      {"CREATEK (HDMI)", Hdmi("CREATEK"), Scene, kRecall, 5, "R: \"Recall5.\""},
      {"SX", Hdmi("SX"), Scene, kRecall, 6, "R: \"CALL6\""},
      {"HDMI06", Hdmi("HDMI06"), Scene, kRecall, 16, "R: \"Load10\""},
      {"HDMI02", Hdmi("HDMI02").HdmiId("07"), Scene, kRecall, 10, "R: \"PV07RF0A00NT\""},
      {"FST recalls without linkage", Hdmi("FST").HdmiId("07").Debug(), Scene, kRecall, 12,
       "R: \"PV07RF0C00NT\" | log G: PV07RF0C00NT"},
      {"IM88", Hdmi("IM88"), Scene, kRecall, 1, "V: 7B 7B 03 01 00 F4 7D 7D"},
      {"IM88 hand", Hdmi("IM88"), Scene, kRecall, 5, "V: 7B 7B 03 01 04 F8 7D 7D"},  // 7B+7B+03+01+04+7D+7D
      {"KINGRODA", Hdmi("KINGRODA").Debug(), Scene, kRecall, 3,
       "R: A5 00 01 05 03 00 00 AE | log GH: A5,00,01,05,03,00,00,AE"},
      {"HDMI14", Hdmi("HDMI14"), Scene, kRecall, 7, "R: A5 00 01 05 07 00 00 B2"},  // A5+01+05+07
      {"HDMI03: two texts, then both lines", Hdmi("HDMI03").Linkage().Debug(), Scene, kRecall, 2,
       "R: \"PV1RF0200NT\" | 500ms | R: \"PV1VW0000NT\" | log G: ->PV1RF0200NT | log G: ->PV1VW0000NT"},
      {"HDMI03 needs linkage to recall", Hdmi("HDMI03"), Scene, kRecall, 2, ""},
      {"HDMI05", Hdmi("HDMI05").HdmiId("07"), Scene, kRecall, 11, "R: \"PL07RF0B00NT\""},
      {"HDMI12", Hdmi("HDMI12").HdmiId("07").Debug(), Scene, kRecall, 11, "R: \"PH07RF0B00NT\" | log GH: PH07RF0B00NT"},
      {"DVI02", Dvi("DVI02").DviId("07"), Scene, kRecall, 11, "R: \"PV07RF0B00NT\""},
  });
}

// With linkage on, a scene recall on the VGA Samplex sends the general command (hexadecimal
// number) and then its scene row (decimal with a leading zero): the two differ from 10 on.
TEST(SceneModelCommands, SamplexIsServedTwiceWithDifferentNumbers) {
  const Console c = Vga("Samplex").VgaId("01").Linkage();
  EXPECT_EQ(Render(RgbMatrixPresetSends(c.s, kRecall, 10)), "R: \"PV01RF0A00NT\"");
  EXPECT_EQ(Render(SceneModelSends(c.s, kRecall, 10)), "R: \"PV01RF1000NT\"");
}

}  // namespace
