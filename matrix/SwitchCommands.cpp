#include "matrix/SwitchCommands.h"

#include <string_view>

#include "matrix/CommandTemplate.h"

using namespace matrix;

namespace {

// How a row is chosen: by the make list's item index, by the make list's text, or by the model
// label while the signal type names the row's list.
enum class By { Index, Text, Label };

struct SwitchRow {
  By by;
  int index;              // By::Index
  std::string_view list;  // DVI/HDMI rows: "DVI" or "HDMI"; empty: the block's own, or both
  std::string_view model;
  Command command;
};

SwitchRow Index(int index, const char* model, Command c) { return {By::Index, index, {}, model, std::move(c)}; }
SwitchRow Named(const char* model, Command c) { return {By::Text, -1, {}, model, std::move(c)}; }
SwitchRow Label(const char* model, Command c) { return {By::Label, -1, {}, model, std::move(c)}; }
SwitchRow DviIndex(int index, const char* model, Command c) { return {By::Index, index, "DVI", model, std::move(c)}; }
SwitchRow HdmiIndex(int index, const char* model, Command c) { return {By::Index, index, "HDMI", model, std::move(c)}; }
SwitchRow Dvi(const char* model, Command c) { return {By::Label, -1, "DVI", model, std::move(c)}; }
SwitchRow Hdmi(const char* model, Command c) { return {By::Label, -1, "HDMI", model, std::move(c)}; }

// Video matrices: rows in the order they are tested, the list's order.
const std::vector<SwitchRow>& VideoRows() {
  static const std::vector<SwitchRow> rows = {
      Index(0, "VINET", Frame(0xFC, 0x01, 0x00, I0, O0, 0x01, Sum7F(0, 5)).Packed()),
      Index(1, "PELCO", Text(Dec(O0), "Ma", Dec(I0), "#a").Full()),
      Index(2, "ACV", Frame(0xF4, I, 0x21, O, 0x00, 0x00, Sum(1, 5))),
      Index(3, "Infinova", Text(Dec(OutBased), "Ma", Dec(I), "#a")),
      Index(4, "Samplex", Text("PA", IdText, "SW", ZeroWhen(I, 9), Dec(InBased), ZeroWhen(O0, 8), Dec(OutBased), "NT")),
      Index(5, "shenshiyin", Frame(0xF6, 0x88, In7High, In7Low, O, 0x01, Sum7F(1, 5))),
      Index(6, "AV01", Frame(0x96, Id, 0x01, 0x06, 0xA4, O0, I0, O0, I0, Sum(0, 8))),
      Index(7, "AV02", Frame(0xFF, Id, 0x03, I, O, 0xAA)),
      Index(8, "AV03", Frame(0xF8, I, 0x00, 0x81, O, 0x00, 0x00, Sum(1, 6), 0xFF)),
      Index(9, "AV04", Wrapped(0x02, Text("00F", Hex2(I), Hex2(O)), 0x03)),
      Index(10, "PEARMAIN", Text("N", Dec2(Id), Dec3(Id), Dec3(O), Dec4(I), "031000000B").Full()),
      Index(11, "BAXALL", Frame(0xF3, 0x00, I, 0x22, O, 0x00, 0x00, Sum(1, 6))),
      Index(12, "TIANDY", Frame(0xFA, 0xFA, 0x0C, 0x81, 0xC0, 0x00, O, 0x00, I, Id, 0xFD, 0xFD)),
      Index(13, "VMW-JCAV", Text(IdText, Dec(O), "[", Dec(I), "!")),
      Index(14, "AV05", Text("*", Dec(I), "V", Dec(O), "#")),
      Index(15, "GALAXY", Wrapped(0x01, Text("AS01V", Hex2(O0), Hex2(I0), "T", "06"), 0x04)),
      Index(16, "XM-AV", Text(IdText, Dec2(O), "[", Dec2(I), "!")),
      Index(17, "flowvia", Text("PA", IdTextOf(IdBox::Vga), "SW", Dec2(I), Dec2(O), "NT")),
      Index(18, "pangu", Frame(0xBB, Id, I0, O0)),
      Index(19, "BTRAN-888", Frame(0xF6, Id, 0x01, 0x06, 0xAF, O0, I0, O0, I0, Sum(0, 8))),
      Named("ODT", Frame(0xF4, I, 0x21, O, 0x00, 0x00, Sum(1, 5))),
      Label("LANMA", Frame(0xFF, Id, 0x05, I, O, 0xAA)),
      Label("AE", Frame(0xA5, InLow, InHigh, 0x81, O, 0x00, Id, Sum(1, 6))),
      Label("PG_MUL", Frame(0xBA, Id, 0x01, 0x04, 0xA1, O0, I0, Sum(0, 6))),
      Label("PEARMAIN2", ByOutput200(Frame(0xF6, Id, 0x01, O, IDiv100, IMod100, 0x1F),
                                     Frame(0xF7, Id, 0x01, ODiv200, OMod200, IDiv100, IMod100, 0x1F))),
      Label("AV06", Frame(0xBB, 0x01, O0, I0Mod255, I0Div255, 0x00, 0x00, Sum(0, 6))),
      Label("SYS", Frame(0xBB, 0x04, Id, 0x02, I, O, 0x55)),
      Label("CREATEK", Text(Dec(I), "V", Dec(O), ".")),
      Label("ANTAI", Text(Dec(I), "*", Dec(O), "%")),
      Label("ANTAI2", Text(Dec(I), "R", Dec(O), "!")),
      Label("AV07", Text(IdText, Dec(O), "<", Dec(I), "!")),
      Label("AV08", Text("!", IdText, ":L", Dec(I), "*", Dec(O), "~")),
      Label("AV09", Frame(0xBB, 0x02, 0x01, O0, 0x00, 0x00, 0x00, Sum(0, 6))
                        .Then(50, Frame(0xBB, 0x02, 0x02, I0Mod255, I0Div255, 0x00, 0x00, Sum(0, 6)))),
      Label("CZ-AV", Text(Dec(I), ",", Dec(O), ",", "V").On(MatrixLink::RgbMatrix)),
  };
  return rows;
}

// VGA matrices (also SDI): rows in the order they are tested, which is not the list's order.
const std::vector<SwitchRow>& VgaRows() {
  static const std::vector<SwitchRow> rows = {
      Index(0, "CREATEK", Text(Dec(I), "V", Dec(O), ".")),
      Index(1, "Samplex", Text("PV", IdText, "SW", ZeroWhen(I, 9), Dec(InBased), ZeroWhen(O0, 8), Dec(OutBased), "NT")),
      Index(2, "VGA01", Frame(0x96, Id, 0x01, 0x06, 0xA3, O0, I0, O0, I0, Sum(0, 8))),
      Index(3, "VGA02", Frame(0x96, Id, 0x01, 0x04, 0xA0, O0, I0, 0x00)),
      Index(4, "Triolion", Frame(0xEB, Id, 0x02, 0x02, O0, I0, Sum(1, 5).Replacing(0xEB, 0x14))),
      Index(5, "CK-VGA", Frame(0xFF, Id, 0x04, I, O, 0xAA)),
      Index(6, "VGA03", Text("!", IdText, ":G", Dec(I), "*", Dec(O), "~")),
      Index(7, "VGA04", Text(".").On(MatrixLink::ScreenPort).Unlogged()
                            .Then(5, Text(Dec(I), "V", Dec(O), ".").On(MatrixLink::RgbMatrix))),
      Index(8, "VMW-JCVGA", Text(IdText, Dec(O), "(", Dec(I), "!")),
      Index(9, "VGA05", Text("*", Dec(I), "R", Dec(O), "#")),
      Index(10, "XM-VGA", Text(IdText, Dec2(O), "(", Dec2(I), "!")),
      Index(11, "flowvia", Text("PV", IdText, "SW", Dec2(I), Dec2(O), "NT")),
      Index(12, "MK", Frame(0xBB, 0x04, Id, 0x02, I, O, 0x55)),
      Index(13, "SISO", Frame(0xF2, InHigh, InLow, 0x22, O, 0x00, Id, Xor(1, 6))),
      Named("AE-VGA", Text(IdText, "V", Dec2(I), "V", Dec2(O)).Full()),
      Named("CHUANGGAO", Text(Dec(I), "B", Dec(O), ".").Full()),
      Named("ODT", Frame(0xF4, I, 0x21, O, 0x00, 0x00, Sum(1, 5))),
      Named("YJ_VGA", Frame(0xC8, 0xAA, 0x00, 0x03, I, O, 0x55, 0xAA)),
      Named("PC-VGA", Text("^SWI", Dec3(I), Dec3(O), "$").Full()),
      Named("BBCOD", Frame(0x01, 0x08, 0x02, I, 0x00, O0, O0, 0x00)),
      Named("BBCODIN", Frame(0xFF, 0x07, 0x03, 0x03, I0, O0, Neg(0, 5))),
      Named("btran-888", Frame(0xF6, Id, 0x01, 0x06, 0xAF, O0, I0, O0, I0, Sum(0, 8))),
      Named("VGA3", Frame(0x7E, 0xFF, I, O, 0x00, 0x0D)),
      Named("PG_MUL", Frame(0xBA, Id, 0x01, 0x04, 0xA0, O0, I0, Sum(0, 6))),
      Named("ANTAI", Text(Dec(I), "*", Dec(O), "%")),
      Named("ANTAI2", Text(Dec(I), "G", Dec(O), "!")),
      Named("ANTAI3", Text(Dec(I), "*", Dec(O), "!")),
      Named("CZ-VGA", Text(Dec(I), ",", Dec(O), ",", "V")),
      Label("LANMA", Frame(0xFF, Id, 0x03, I, O, 0xAA)),
      Label("VGA06", Frame(0xBB, 0x04, Id, 0x02, I, O, 0x55)),
      Label("VGA07", Text(IdText, "I", Dec(I), "O", Dec(O), "<", "!")),
      Label("VGA08", Text("<", Dec(I), ",", Dec(O), ",", "V", ">")),
      Label("VGA09", Text(IdText, "V", Dec2(I), "V", Dec2(O))),
      Label("VGA10", Frame(0xC8, 0xA5, 0x06, 0x03, I, O, 0x55, 0xAA)),
      Label("VGA11", Text(Dec(I), "V", Dec(O))),
      Label("VGA12", Text(IdText, "V", Dec2(I), "M", Dec2(O))),
      Label("VGA13", Frame(0x96, Id, 0x01, 0x04, 0xA0, O0, I0, Sum(0, 6))),
      Label("VGA14", Frame(0xFF, Id, 0x05, I, O, 0xAA)),
      Named("SISO-02", Frame(0xF2, InHigh, InLow, 0x22, O, 0x01, Id, Xor(1, 6))),
      Named("WDK-VGA", Frame(0xA5, 0x00, Id, 0x01, O, I, 0x02, Sum(0, 6))),
      Named("PEARMAIN", ByOutput200(Frame(0xF6, Id, 0x00, O, IDiv100, IMod100, 0x1F),
                                    Frame(0xF7, Id, 0x00, ODiv200, OMod200, IDiv100, IMod100, 0x1F))),
  };
  return rows;
}

// DVI and HDMI matrices share one block: the index rows serve both lists (three differ by list),
// the label rows follow in the order they are tested.
const std::vector<SwitchRow>& DviHdmiRows() {
  static const std::vector<SwitchRow> rows = {
      Index(0, "CZ-VGA", Frame(0x96, Id, 0x01, 0x06, 0xAF, O0, I0, O0, I0, Sum(0, 8)).WithId(IdBox::Dvi)),
      Index(1, "CZ-DVI", Text(Dec(I), ",", Dec(O), ",", "V")),
      Index(2, "JC-DVI", Text(IdText, Dec(O), "(", Dec(I), "!")),
      Index(3, "CREATEK", Text(Dec(I), "V", Dec(O), ".")),
      Index(4, "SISO", Frame(0xF2, InHigh, InLow, 0x22, O, 0x00, Id, Xor(1, 6))),
      DviIndex(5, "YJ", Text(Dec(I), "*", Dec(O), "%").Full()),
      HdmiIndex(5, "BTRAN-888", Text("<", Dec(I), ",", Dec(O), ",V>").Full()),
      DviIndex(6, "BTRAN-888", Text("<", Dec(I), ",", Dec(O), ",V>").Full()),
      HdmiIndex(6, "ODT", Frame(0xF4, I, 0x21, O, 0x00, 0x00, Sum(1, 5))),
      DviIndex(7, "BTRAN-111", Frame(0xF6, Id, 0x01, 0x04, 0xA1, O0, I0, 0x00)),
      Hdmi("PG_MUL", Frame(0xBA, Id, 0x01, 0x04, 0xA6, O0, I0, Sum(0, 6))),
      Hdmi("LANMA", Frame(0xFF, Id, 0x05, I, O, 0xAA)),
      Hdmi("HDMI01", Frame(0xF2, InHigh, InLow, 0x22, O, 0x00, 0x00, Xor(1, 6))),
      Hdmi("HDMI02", Text("PV", IdText, "SW", Dec2(I), Dec2(O), "NT")),
      Hdmi("ANTAI", Text(Dec(I), "*", Dec(O), "%")),
      Hdmi("HDMI06", Text(Dec(I), "X", Dec(O), ".")),
      Hdmi("QX", Text(Dec(I), "X", Dec(O), ".").Twice(50)),
      Hdmi("HDMI4K", Text(Dec(I), "X", Dec(O), ".").Twice(50)),
      Hdmi("HDMI07", Frame(0x96, Id, 0x01, 0x04, 0xA5, O0, I0, Sum(0, 6).Replacing(0x96, 0x6A))),
      Hdmi("HDMI08", Frame(0x41, O, I, 0x7B, 0x21)),
      Hdmi("HDMI09", Frame(0xF3, 0x00, I, 0x22, O, 0x00, 0x00, Sum(1, 6))),
      Hdmi("HDMI10", Frame('c', 'i', 'r', ' ', Hdmi10X, Hdmi10Y, 0x0D, 0x0A)),
      Hdmi("HDMI15", Frame('c', 'i', 'r', ' ', O0 + '0', I0 + '0', 0x0D, 0x0A)),
      Hdmi("ANTAI2", Text(Dec(I), "*", Dec(O), "!").Full()),
      Hdmi("HDMI11", Text(IdText, "V", Dec2(I), "V", Dec2(O)).Full()),
      Hdmi("HDMI12", Text("PH", IdText, "SW", Dec2(I), Dec2(O), "NT")),
      Hdmi("MAITUO", Text("00", Hexl(Channel4)).Full()),
      Hdmi("HDMI13", Frame(0x05, 0x55, 0x19, Hdmi13T, 0x77)),
      Hdmi("HDMI14", Frame(0xA5, 0x00, Id, 0x01, O, I, 0x02, Sum(0, 6))),
      Hdmi("KINGRODA", Frame(0xA5, 0x00, 0x01, 0x01, O, I, 0x02, Sum(0, 6))),
      Hdmi("BAK", Text(IdText, Dec2(O), "<", Dec2(I), "!")),
      Hdmi("JVZHEN", Frame(0xC8, 0xA5, 0x06, 0x02, I, O, 0x55, 0xAA)),
      Hdmi("HDMI03", Text("PV", IdText, "SV", Dec2(I), Dec2(O), "NT")),
      Hdmi("SDVI0808", Frame(0xEB, 0x90, 0x02, 0x02, O0, I0, Sum(1, 5))),
      Hdmi("HDMI04", Frame(0xBB, 0x04, Id, 0x02, I, O, 0x55)),
      Hdmi("HDMI05", Text("PL", IdText, "SW", Dec2(I), Dec2(O), "NT")),
      Dvi("LANMA", Frame(0xFF, Id, 0x05, I, O, 0xAA)),
      Dvi("CREATEK", Text(Dec(I), "V", Dec(O), ".")),
      Hdmi("SX", Text(Dec(I), "V", Dec(O), ".")),
      Hdmi("IM88", Frame(0x7B, 0x7B, 0x01, 0x02, I0, O, SumOfRest(), 0x7D, 0x7D).On(MatrixLink::VideoMatrix)),
      Dvi("DVI01", Text(IdText, Dec2(O), "<", Dec2(I), "!")),
      Dvi("DVI02", Text("PV", IdText, "SW", Dec2(I), Dec2(O), "NT")),
      Dvi("DVI03", Frame(0xC8, 0xA5, 0x06, 0x01, I, O, 0x55, 0xAA)),
      Dvi("SDVI0808", Frame(0xEB, 0x90, 0x02, 0x02, O0, I0, Sum(1, 5))),
      Dvi("DVI08", Frame(0xAA, 0x00, 0x03, I, O, 0xFF).LogTo(mlbGridConsole)),
      Dvi("ANTAI", Text(Dec(I), "*", Dec(O), "!")),
      Dvi("DVI04", Text(IdText, "V", Dec2(I), "V", Dec2(O)).Full()),
      Dvi("PG_MUL", Frame(0xBA, Id, 0x01, 0x04, 0xA5, O0, I0, Sum(0, 6))),
      Dvi("DVI05", Text("PD", IdText, "SW", Dec2(I), Dec2(O), "NT")),
      Dvi("DVI06", Frame(0xA5, 0x00, Id, 0x01, O, I, 0x02, Sum(0, 6))),
      Dvi("DVI07", Text(Dec(I), "X", Dec(O), ".")),
      Hdmi("FST", Text("PV", IdText, "SW", Hex2(I), Hex2(O), "NT")),
      Hdmi("SVS", Text(Dec(I), ",", Dec(O), ",", "Y")),
  };
  return rows;
}

struct Block {
  const std::vector<SwitchRow>& rows;
  int modelIndex;                // the list's item index the index rows test
  const String* listText;        // the list's text the text rows test
  std::string_view labelSignal;  // the signal text the label rows need (DVI/HDMI: the row's list)
  std::string_view list;         // DVI/HDMI: which list the index rows serve; empty: neither
  IdBox id;
  MatrixLink link;
};

bool Fires(const SwitchRow& row, const Block& block, const MatrixSettings& s) {
  switch (row.by) {
    case By::Index:
      if (row.index != block.modelIndex) return false;
      return row.list.empty() || row.list == block.list;
    case By::Text:
      return block.listText != nullptr && *block.listText == row.model;
    case By::Label: {
      const std::string_view signal = row.list.empty() ? block.labelSignal : row.list;
      return !signal.empty() && s.ModelLabel == row.model && s.SignalText == signal;
    }
  }
  return false;
}

void RunBlock(const Block& block, const MatrixSettings& s, int outputIndex, int input, MatrixSends& out) {
  CommandContext context{s, block.id};
  context.outputIndex = outputIndex;
  context.input = input;
  context.defaultLink = block.link;
  for (const SwitchRow& row : block.rows)
    if (Fires(row, block, s)) AppendCommand(row.command, context, out);
}

}  // namespace

MatrixSends MatrixSwitchSends(const MatrixSettings& s, int outputIndex, int input) {
  MatrixSends out;
  out.Steps.reserve(24);
  try {
    if (s.SignalIndex == 0) {
      RunBlock({VideoRows(), s.VideoMake.ItemIndex, &s.VideoMake.Text, "VIDEO", {}, IdBox::Video,
                MatrixLink::VideoMatrix},
               s, outputIndex, input, out);
    } else if (s.SignalText == "VGA" || s.SignalIndex == 4) {
      // SDI rides on the VGA list; its label rows stay silent because they need the text "VGA".
      RunBlock({VgaRows(), s.VgaMake.ItemIndex, &s.VgaMake.Text, "VGA", {}, IdBox::Vga, MatrixLink::RgbMatrix},
               s, outputIndex, input, out);
    } else if (s.SignalIndex == 3 || s.SignalIndex == 5 || s.SignalText == "DVI") {
      // YUV enters here with neither list chosen: model index 0, the DVI id.
      const bool dvi = s.SignalText == "DVI";
      const bool hdmi = s.SignalText == "HDMI";
      const int modelIndex = dvi ? s.DviMake.ItemIndex : hdmi ? s.HdmiMake.ItemIndex : 0;
      RunBlock({DviHdmiRows(), modelIndex, nullptr, {}, dvi ? "DVI" : hdmi ? "HDMI" : "",
                hdmi ? IdBox::Hdmi : IdBox::Dvi, MatrixLink::RgbMatrix},
               s, outputIndex, input, out);
    }
  } catch (const EConvertError& e) {
    out.Failure = e.Message();
  }
  return out;
}

const std::vector<String>& VideoMatrixModels() {
  static const std::vector<String> models = {
      "VINET", "PELCO", "ACV", "Infinova", "Samplex", "shenshiyin", "AV01", "AV02", "AV03", "AV04",
      "PEARMAIN", "BAXALL", "TIANDY", "VMW-JCAV", "AV05", "GALAXY", "XM-AV", "flowvia", "pangu", "BTRAN-888",
      "ODT", "LANMA", "AE", "PG_MUL", "PEARMAIN2", "AV06", "SYS", "CREATEK", "ANTAI", "ANTAI2",
      "AV07", "AV08", "AV09", "CZ-AV"};
  return models;
}

const std::vector<String>& VgaMatrixModels() {
  static const std::vector<String> models = {
      "CREATEK", "Samplex", "VGA01", "VGA02", "Triolion", "CK-VGA", "VGA03", "VGA04", "VMW-JCVGA", "VGA05",
      "XM-VGA", "flowvia", "MK", "SISO", "AE-VGA", "CHUANGGAO", "ODT", "YJ_VGA", "PC-VGA", "btran-888",
      "VGA3", "PG_MUL", "ANTAI", "CZ-VGA", "LANMA", "VGA06", "VGA07", "VGA08", "VGA09", "VGA10",
      "VGA11", "VGA12", "VGA13", "SISO-02", "WDK-VGA", "PEARMAIN", "ANTAI2", "ANTAI3", "VGA14", "BBCOD",
      "BBCODIN"};
  return models;
}

const std::vector<String>& DviMatrixModels() {
  static const std::vector<String> models = {
      "CZ-VGA", "CZ-DVI", "JC-DVI", "CREATEK", "SISO", "YJ", "BTRAN-888", "BTRAN-111", "PG_MUL", "LANMA",
      "CREATEK", "DVI01", "DVI02", "DVI03", "SDVI0808", "ANTAI", "DVI04", "DVI05", "DVI06", "DVI07",
      "DVI08"};
  return models;
}

const std::vector<String>& HdmiMatrixModels() {
  static const std::vector<String> models = {
      "CZ-VGA", "CZ-DVI", "JC-DVI", "CREATEK", "SISO", "BTRAN-888", "ODT", "PG_MUL", "LANMA", "HDMI01",
      "HDMI02", "ANTAI", "BAK", "JVZHEN", "HDMI03", "SDVI0808", "HDMI04", "HDMI05", "HDMI06", "HDMI07",
      "HDMI08", "HDMI09", "HDMI10", "ANTAI2", "HDMI11", "HDMI12", "MAITUO", "HDMI13", "HDMI14", "SX",
      "FST", "IM88", "QX", "KINGRODA", "HDMI15", "HDMI4K"};
  return models;
}
