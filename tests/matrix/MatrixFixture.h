#pragma once
// Settings builders and a one-line rendering of a send sequence, so that a case reads like the
// makers' manuals: "V: FC 01 00 04 02 01 04" is seven one-byte writes on the video-matrix link.
#include <string>
#include <vector>

#include "matrix/MatrixSends.h"
#include "matrix/SwitchCommands.h"

namespace matrixtest {

// Rendering: writes on one link are grouped as "V: ..." (video), "R: ..." (RGB), "S: ..."
// (screen port); each token is one write call, a single byte in hex or a longer text in quotes.
// Pauses read "50ms", log lines "log G: ..." (grid console), "log H: ..." (hybrid) or
// "log GH: ...". A failure ends the line with "! message".
inline std::string Render(const MatrixSends& sends) {
  std::string out;
  char lastLink = 0;
  auto sep = [&out]() {
    if (!out.empty()) out += " | ";
  };
  for (const MatrixStep& s : sends.Steps) {
    switch (s.kind) {
      case MatrixStep::Kind::Write: {
        const char link = s.link == MatrixLink::VideoMatrix ? 'V' : s.link == MatrixLink::RgbMatrix ? 'R' : 'S';
        if (link != lastLink) {
          sep();
          out += link;
          out += ":";
          lastLink = link;
        }
        out += " ";
        if (s.bytes.size() == 1) {
          static const char kDigits[] = "0123456789ABCDEF";
          const auto b = static_cast<unsigned char>(s.bytes[0]);
          out += kDigits[b >> 4];
          out += kDigits[b & 15];
        } else {
          out += "\"" + s.bytes + "\"";
        }
        continue;
      }
      case MatrixStep::Kind::Pause:
        sep();
        out += std::to_string(s.ms) + "ms";
        break;
      case MatrixStep::Kind::Log:
        sep();
        out += "log ";
        if (s.boxes & mlbGridConsole) out += "G";
        if (s.boxes & mlbHybridConsole) out += "H";
        out += ": " + s.line;
        break;
    }
    lastLink = 0;
  }
  if (!sends.Failure.empty()) {
    sep();
    out += "! " + sends.Failure;
  }
  return out;
}

inline int IndexIn(const std::vector<String>& list, const String& name) {
  for (std::size_t k = 0; k < list.size(); ++k)
    if (list[k] == name) return static_cast<int>(k);
  return -1;
}

// A console in step: the make list shows the make and the model label names it.
struct Console {
  MatrixSettings s;

  Console() {
    s.VideoId = s.VgaId = s.DviId = s.HdmiId = "1";
    s.OutputBase = s.InputBase = "1";
  }
  Console& Ids(const char* text) {
    s.VideoId = s.VgaId = s.DviId = s.HdmiId = text;
    return *this;
  }
  Console& VideoId(const char* t) {
    s.VideoId = t;
    return *this;
  }
  Console& VgaId(const char* t) {
    s.VgaId = t;
    return *this;
  }
  Console& DviId(const char* t) {
    s.DviId = t;
    return *this;
  }
  Console& HdmiId(const char* t) {
    s.HdmiId = t;
    return *this;
  }
  Console& Bases(const char* out, const char* in) {
    s.OutputBase = out;
    s.InputBase = in;
    return *this;
  }
  Console& Label(const char* t) {
    s.ModelLabel = t;
    return *this;
  }
  Console& Debug() {
    s.DebugMode = true;
    return *this;
  }
  Console& Linkage() {
    s.Linkage = true;
    return *this;
  }
  Console& VideoList(int index, const char* text) {
    s.VideoMake = {index, text};
    return *this;
  }
  Console& VgaList(int index, const char* text) {
    s.VgaMake = {index, text};
    return *this;
  }
  Console& DviList(int index, const char* text) {
    s.DviMake = {index, text};
    return *this;
  }
  Console& HdmiList(int index, const char* text) {
    s.HdmiMake = {index, text};
    return *this;
  }
  Console& Signal(int index, const char* text) {
    s.SignalIndex = index;
    s.SignalText = text;
    return *this;
  }
};

inline Console Av(const char* model) {
  Console u;
  u.Signal(0, "VIDEO").VideoList(IndexIn(VideoMatrixModels(), model), model).Label(model);
  return u;
}
inline Console Vga(const char* model) {
  Console u;
  u.Signal(1, "VGA").VgaList(IndexIn(VgaMatrixModels(), model), model).Label(model);
  return u;
}
// SDI switches with the VGA list; its own label names the SDI list's make.
inline Console Sdi(const char* vgaModel) {
  Console u;
  u.Signal(4, "SDI").VgaList(IndexIn(VgaMatrixModels(), vgaModel), vgaModel).Label("CZ-VGA");
  return u;
}
inline Console DviAt(int index) {
  Console u;
  const String& model = DviMatrixModels().at(static_cast<std::size_t>(index));
  u.Signal(2, "DVI").DviList(index, model.c_str()).Label(model.c_str());
  return u;
}
inline Console Dvi(const char* model) { return DviAt(IndexIn(DviMatrixModels(), model)); }
inline Console Hdmi(const char* model) {
  Console u;
  u.Signal(3, "HDMI").HdmiList(IndexIn(HdmiMatrixModels(), model), model).Label(model);
  return u;
}

}  // namespace matrixtest
