#include "matrix/PresetCommands.h"

#include <vector>

#include "matrix/CommandTemplate.h"

using namespace matrix;

namespace {

// ---- General presets, chosen by the make list's item index -----------------------------------

struct PresetRow {
  int index;
  const char* model;
  Command save;
  Command recall;
};

const std::vector<PresetRow>& VideoPresetRows() {
  static const std::vector<PresetRow> rows = {
      {4, "Samplex", Text("PA", IdText, "SF", Hex2(N), "00NT"), Text("PA", IdText, "RF", Hex2(N), "00NT")},
      {6, "AV01", Frame(0x96, Id, 0x11, 0x03, 0x00, N, Sum(0, 5)), Frame(0x96, Id, 0x15, 0x03, 0x00, N, Sum(0, 5))},
      {13, "VMW-JCAV", Text(IdText, "PS", Dec(N), "!"), Text(IdText, "PL", Dec(N), "!")},
      {16, "XM-AV", Frame(0x2A, N, 0x01, 0x00, 0x00, 0x21), Frame(0x2A, N, 0x02, 0x00, 0x00, 0x21)},
      {17, "flowvia", Text("PA", IdText, "SF", Hex2(N), "00NT"), Text("PA", IdText, "RF", Hex2(N), "00NT")},
  };
  return rows;
}

const std::vector<PresetRow>& RgbPresetRows() {
  static const std::vector<PresetRow> rows = {
      {1, "Samplex", Text("PV", IdText, "SF", Hex2(N), "00NT"), Text("PV", IdText, "RF", Hex2(N), "00NT")},
      {2, "VGA01", Frame(0x96, Id, 0x11, 0x03, 0x00, N, Sum(0, 5)), Frame(0x96, Id, 0x15, 0x03, 0x00, N, Sum(0, 5))},
      {3, "VGA02", Frame(0x96, Id, 0x11, 0x03, 0x00, N, Sum(0, 5)), Frame(0x96, Id, 0x15, 0x03, 0x00, N, Sum(0, 5))},
      {8, "VMW-JCVGA", Text(IdText, "PS", Dec(N), "!"), Text(IdText, "PL", Dec(N), "!")},
      {10, "XM-VGA", Frame(0x2A, N, 0x01, 0x00, 0x00, 0x21), Frame(0x2A, N, 0x02, 0x00, 0x00, 0x21)},
      {11, "flowvia", Text("PV", IdText, "SF", Hex2(N), "00NT"), Text("PV", IdText, "RF", Hex2(N), "00NT")},
  };
  return rows;
}

MatrixSends GeneralPreset(const std::vector<PresetRow>& rows, int itemIndex, IdBox id, MatrixLink link,
                          const MatrixSettings& s, MatrixPresetOp op, int preset) {
  MatrixSends out;
  for (const PresetRow& row : rows) {
    if (row.index != itemIndex) continue;
    const Command& command = op == MatrixPresetOp::Save ? row.save : row.recall;
    CommandContext context{s, id};
    context.preset = preset & 0xFF;
    context.defaultLink = link;
    // Texts go to both consoles' logs, byte commands to the grid console's only.
    const bool frame = command.parts.front().kind == Part::Kind::Frame;
    context.defaultLogBoxes = frame ? mlbGridConsole : mlbGridConsole | mlbHybridConsole;
    try {
      AppendCommand(command, context, out);
    } catch (const EConvertError& e) {
      out.Failure = e.Message();
    }
    break;
  }
  return out;
}

// ---- Scene model commands, first match wins ---------------------------------------------------

enum Source { VgaList, DviList, HdmiList, ModelLabel };
constexpr bool kLinkage = true;  // only while the matrix linkage box is ticked
constexpr bool kAlways = false;

struct SceneRow {
  const char* type;  // the signal type's text
  Source source;     // what must read `name`
  const char* name;
  bool linkage;
  Command command;
};

// Every line goes to the grid console's log; these also to the hybrid-matrix console's.
constexpr unsigned kBothLogs = mlbGridConsole | mlbHybridConsole;

Command Arrow(const Command& c) { return c.Prefixed("->"); }

const std::vector<SceneRow>& SceneSaveRows() {
  static const std::vector<SceneRow> rows = {
      {"VGA", VgaList, "CREATEK", kLinkage, Arrow(Text("Save", Dec(N), "."))},
      {"VGA", VgaList, "CHUANGGAO", kLinkage, Arrow(Text("<", Dec(N), ",R>"))},
      {"VGA", VgaList, "Samplex", kLinkage, Arrow(Text("PV", IdText, "SF", Dec2(N), "00NT"))},
      {"VGA", VgaList, "YJ_VGA", kLinkage, Frame(0xC8, 0xA5, 0x01, 0x01, N, 0x00, 0x55, 0xAA)},
      {"VGA", ModelLabel, "VGA06", kAlways, Frame(0x03, 0x00, 0x06, N)},
      {"VGA", VgaList, "btran-888", kLinkage, Frame(0xF6, Id, 0x11, 0x03, 0x00, N, 0x00)},
      {"DVI", DviList, "DVI08", kLinkage, Frame(0xAA, 0x00, 0x05, N0, 0x00, 0xFF)},
      {"DVI", DviList, "YJ", kLinkage, Arrow(Text("SAVE", Dec(N)))},
      {"DVI", DviList, "CREATEK", kLinkage, Arrow(Text("Save", Dec(N), "."))},
      {"HDMI", HdmiList, "SISO", kLinkage, Native()},
      {"VGA", VgaList, "VGA15", kLinkage, Native()},
      {"VGA", ModelLabel, "AE-VGA", kAlways, Arrow(Text(IdText, "VSAVE", Dec(N)))},
      {"HDMI", ModelLabel, "CREATEK", kAlways, Arrow(Text("Save", Dec(N), "."))},
      {"HDMI", ModelLabel, "QX", kAlways, Arrow(Text("Save", Dec(N), ".").Twice(50))},
      {"HDMI", ModelLabel, "HDMI4K", kAlways, Arrow(Text("Save", Dec(N), ".").Twice(50))},
      {"HDMI", ModelLabel, "SX", kAlways, Arrow(Text("SAVE", Dec(N)))},
      {"HDMI", ModelLabel, "HDMI02", kAlways, Text("PV", IdText, "SF", Hex2(N), "00NT")},
      {"HDMI", ModelLabel, "HDMI03", kLinkage, Arrow(Text("PV", IdText, "SF", Hex2(N), "00NT"))},
      {"HDMI", ModelLabel, "HDMI06", kAlways, Text("Save", Hex(N))},
      {"HDMI", ModelLabel, "FST", kLinkage, Arrow(Text("PV", IdText, "SF", Hex2(N), "00NT"))},
      {"HDMI", ModelLabel, "IM88", kAlways,
       Frame(0x7B, 0x7B, 0x02, 0x01, N0, SumOfRest(), 0x7D, 0x7D).On(MatrixLink::VideoMatrix).LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "KINGRODA", kAlways, Frame(0xA5, 0x00, 0x01, 0x06, N, 0x00, 0x00, Sum(0, 6)).LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "HDMI14", kAlways, Frame(0xA5, 0x00, 0x01, 0x06, N, 0x00, 0x00, Sum(0, 6)).LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "HDMI05", kAlways, Text("PL", IdText, "SF", Hex2(N), "00NT").LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "HDMI12", kAlways, Text("PH", IdText, "SF", Hex2(N), "00NT").LogTo(kBothLogs)},
      {"DVI", ModelLabel, "DVI02", kAlways, Text("PV", IdText, "SF", Hex2(N), "00NT")},
  };
  return rows;
}

const std::vector<SceneRow>& SceneRecallRows() {
  static const std::vector<SceneRow> rows = {
      {"VGA", VgaList, "CREATEK", kLinkage, Arrow(Text("Recall", Dec(N), "."))},
      {"VGA", VgaList, "CHUANGGAO", kLinkage, Arrow(Text("<", Dec(N), ",R>"))},
      {"VGA", VgaList, "Samplex", kLinkage, Arrow(Text("PV", IdText, "RF", Dec2(N), "00NT"))},
      {"VGA", VgaList, "YJ_VGA", kLinkage, Frame(0xC8, 0xA5, 0x02, 0x01, N, 0x00, 0x55, 0xAA)},
      {"VGA", ModelLabel, "VGA06", kAlways, Frame(0x03, 0x00, 0x04, N)},
      {"VGA", VgaList, "btran-888", kLinkage, Frame(0xF6, Id, 0x15, 0x03, 0x00, N, 0x00)},
      {"DVI", DviList, "YJ", kLinkage, Arrow(Text("CALL", Dec(N)))},
      {"DVI", DviList, "CREATEK", kLinkage, Arrow(Text("Recall", Dec(N), "."))},
      {"HDMI", ModelLabel, "QX", kLinkage, Arrow(Text("Recall", Dec(N), ".").Twice(50))},
      {"HDMI", ModelLabel, "HDMI4K", kLinkage, Arrow(Text("Recall", Dec(N), ".").Twice(50))},
      {"DVI", DviList, "DVI08", kLinkage, Frame(0xAA, 0x00, 0x04, N0, 0x00, 0xFF)},
      {"HDMI", HdmiList, "SISO", kLinkage, Native()},
      {"VGA", VgaList, "VGA15", kLinkage, Native()},
      {"VGA", ModelLabel, "AE-VGA", kAlways, Arrow(Text(IdText, "VRETU", Dec(N)))},
      {"HDMI", ModelLabel, "CREATEK", kAlways, Arrow(Text("Recall", Dec(N), "."))},
      {"HDMI", ModelLabel, "SX", kAlways, Arrow(Text("CALL", Dec(N)))},
      {"HDMI", ModelLabel, "HDMI06", kAlways, Text("Load", Hex(N))},
      {"HDMI", ModelLabel, "HDMI02", kAlways, Text("PV", IdText, "RF", Hex2(N), "00NT")},
      {"HDMI", ModelLabel, "FST", kAlways, Text("PV", IdText, "RF", Hex2(N), "00NT")},
      {"HDMI", ModelLabel, "IM88", kAlways,
       Frame(0x7B, 0x7B, 0x03, 0x01, N0, SumOfRest(), 0x7D, 0x7D).On(MatrixLink::VideoMatrix).LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "KINGRODA", kAlways, Frame(0xA5, 0x00, 0x01, 0x05, N, 0x00, 0x00, Sum(0, 6)).LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "HDMI14", kAlways, Frame(0xA5, 0x00, 0x01, 0x05, N, 0x00, 0x00, Sum(0, 6)).LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "HDMI03", kLinkage,
       Arrow(Text("PV", IdText, "RF", Hex2(N), "00NT").Then(500, Text("PV", IdText, "VW", "00", "00", "NT")))},
      {"HDMI", ModelLabel, "HDMI05", kAlways, Text("PL", IdText, "RF", Hex2(N), "00NT").LogTo(kBothLogs)},
      {"HDMI", ModelLabel, "HDMI12", kAlways, Text("PH", IdText, "RF", Hex2(N), "00NT").LogTo(kBothLogs)},
      {"DVI", ModelLabel, "DVI02", kAlways, Text("PV", IdText, "RF", Hex2(N), "00NT")},
  };
  return rows;
}

bool Matches(const SceneRow& row, const MatrixSettings& s) {
  if (s.SignalText != row.type) return false;
  if (row.linkage && !s.Linkage) return false;
  switch (row.source) {
    case VgaList: return s.VgaMake.Text == row.name;
    case DviList: return s.DviMake.Text == row.name;
    case HdmiList: return s.HdmiMake.Text == row.name;
    case ModelLabel: return s.ModelLabel == row.name;
  }
  return false;
}

// The id box of a scene command is the one of its signal type.
IdBox IdOfType(const char* type) {
  const String t = type;
  if (t == "VGA") return IdBox::Vga;
  if (t == "DVI") return IdBox::Dvi;
  return IdBox::Hdmi;
}

}  // namespace

MatrixSends VideoMatrixPresetSends(const MatrixSettings& s, MatrixPresetOp op, int preset) {
  return GeneralPreset(VideoPresetRows(), s.VideoMake.ItemIndex, IdBox::Video, MatrixLink::VideoMatrix, s, op,
                       preset);
}

MatrixSends RgbMatrixPresetSends(const MatrixSettings& s, MatrixPresetOp op, int preset) {
  return GeneralPreset(RgbPresetRows(), s.VgaMake.ItemIndex, IdBox::Vga, MatrixLink::RgbMatrix, s, op, preset);
}

MatrixSends SceneModelSends(const MatrixSettings& s, MatrixPresetOp op, int preset) {
  MatrixSends out;
  const std::vector<SceneRow>& rows = op == MatrixPresetOp::Save ? SceneSaveRows() : SceneRecallRows();
  for (const SceneRow& row : rows) {
    if (!Matches(row, s)) continue;
    if (row.command.native) {
      out.NativeScene = true;
      break;
    }
    CommandContext context{s, IdOfType(row.type)};
    context.preset = preset;
    context.defaultLink = MatrixLink::RgbMatrix;
    context.defaultLogBoxes = mlbGridConsole;
    try {
      AppendCommand(row.command, context, out);
    } catch (const EConvertError& e) {
      out.Failure = e.Message();
    }
    break;
  }
  return out;
}
