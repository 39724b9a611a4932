#include "matrix/CommandTemplate.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "platform/system/CodePage.h"

namespace matrix {

// ---- Command builders ------------------------------------------------------------------------

Command FrameOf(std::vector<Field> fields) {
  Command c;
  Part p;
  p.kind = Part::Kind::Frame;
  p.fields = std::move(fields);
  c.parts.push_back(std::move(p));
  return c;
}

Command TextOf(std::vector<Piece> pieces) {
  Command c;
  Part p;
  p.kind = Part::Kind::Text;
  p.pieces = std::move(pieces);
  c.parts.push_back(std::move(p));
  return c;
}

Command Wrapped(int lead, const Command& text, int trail) {
  Command c = text;
  for (Part& p : c.parts) {
    p.kind = Part::Kind::Wrapped;
    p.lead = static_cast<std::uint8_t>(lead);
    p.trail = static_cast<std::uint8_t>(trail);
  }
  return c;
}

Command ByOutput200(const Command& below, const Command& from200) {
  Command c = below;
  for (Part& p : c.parts) p.when = When::OutputBelow200;
  for (Part p : from200.parts) {
    p.when = When::OutputFrom200;
    c.parts.push_back(std::move(p));
  }
  return c;
}

Command Native() {
  Command c;
  c.native = true;
  return c;
}

Command Command::Full() const {
  Command c = *this;
  for (Part& p : c.parts) p.full = true;
  return c;
}

Command Command::On(MatrixLink l) const {
  Command c = *this;
  c.hasLink = true;
  c.link = l;
  return c;
}

Command Command::WithId(IdBox box) const {
  Command c = *this;
  c.idBox = box;
  return c;
}

Command Command::Packed() const {
  Command c = *this;
  c.logStyle = LogStyle::Packed;
  return c;
}

Command Command::LogTo(unsigned boxes) const {
  Command c = *this;
  c.logBoxes = boxes;
  return c;
}

Command Command::Prefixed(const char* prefix) const {
  Command c = *this;
  c.logPrefix = prefix;
  return c;
}

Command Command::Unlogged() const {
  Command c = *this;
  for (Part& p : c.parts) p.logged = false;
  return c;
}

Command Command::Twice(int pauseMs) const {
  Command c = *this;
  for (Part p : parts) {
    p.pauseBefore = pauseMs;
    p.logged = false;
    c.parts.push_back(std::move(p));
  }
  return c;
}

Command Command::Then(int pauseMs, const Command& next) const {
  Command c = *this;
  bool first = true;
  for (Part p : next.parts) {
    if (first) p.pauseBefore = pauseMs;
    first = false;
    // A chained write keeps a link of its own; without one it goes where the first one goes.
    if (next.hasLink && !p.hasLink) {
      p.hasLink = true;
      p.link = next.link;
    }
    c.parts.push_back(std::move(p));
  }
  return c;
}

// ---- Evaluation ------------------------------------------------------------------------------

namespace {

// Outputs and inputs are 32-bit signed numbers: o0 + 1 at the top of the range wraps around.
std::int64_t Wrap32(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

std::uint8_t LowByte(std::int64_t v) { return static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) & 0xFF); }

class Evaluator {
 public:
  Evaluator(const Command& command, const CommandContext& context) : fCommand(command), fContext(context) {}

  // nullopt: a look-up table has no entry for this pair.
  std::optional<std::int64_t> Value(Var v) {
    const std::int64_t o0 = fContext.outputIndex;
    const std::int64_t i = fContext.input;
    const std::int64_t o = Wrap32(o0 + 1);
    const std::int64_t i0 = Wrap32(i - 1);
    switch (v) {
      case Var::Const: return 0;
      case Var::I: return i;
      case Var::O: return o;
      case Var::I0: return i0;
      case Var::O0: return o0;
      case Var::Id: return StrToInt(IdText(IdBox::Default));
      case Var::InHigh: return i / 256;
      case Var::InBased: return Wrap32(StrToInt(fContext.settings.InputBase) + i0);
      case Var::OutBased: return Wrap32(StrToInt(fContext.settings.OutputBase) + o0);
      case Var::I0Mod255: return i0 % 255;
      case Var::I0Div255: return i0 / 255;
      case Var::ODiv200: return o / 200;
      case Var::OMod200: return o % 200;
      case Var::IDiv100: return i / 100;
      case Var::IMod100: return i % 100;
      case Var::In7High: return i > 127 ? 0x80 : 0x00;
      case Var::In7Low: return i > 127 ? i - 128 : i;
      case Var::Channel4: return Wrap32(4 * o0 + i0);
      case Var::Hdmi10X:
        if (o0 < 0 || o0 > 3) return std::nullopt;
        return o0 < 2 ? 0x30 : 0x31;
      case Var::Hdmi10Y:
        if (o0 < 0 || o0 > 3) return std::nullopt;
        if (o0 % 2 == 0) return 0x30 + i0;
        return (i <= 2 ? 0x38 : 0x5F) + i0;
      case Var::Hdmi13T: {
        static constexpr std::uint8_t kTable[4][4] = {
            {0x09, 0x1D, 0x1F, 0x0D},
            {0x17, 0x12, 0x59, 0x08},
            {0x5E, 0x06, 0x05, 0x03},
            {0x18, 0x44, 0x0F, 0x51},
        };
        if (o0 < 0 || o0 > 3 || i < 1 || i > 4) return std::nullopt;
        return kTable[o0][i - 1];
      }
      case Var::N: return fContext.preset;
      case Var::N0: return fContext.preset - 1;
    }
    return 0;
  }

  const String& IdText(IdBox box) const {
    if (box == IdBox::Default) box = fCommand.idBox;
    if (box == IdBox::Default) box = fContext.defaultId;
    const MatrixSettings& s = fContext.settings;
    switch (box) {
      case IdBox::Vga: return s.VgaId;
      case IdBox::Dvi: return s.DviId;
      case IdBox::Hdmi: return s.HdmiId;
      case IdBox::Video:
      case IdBox::Default: break;
    }
    return s.VideoId;
  }

  bool Applies(const Part& p) {
    if (p.when == When::Always) return true;
    const std::int64_t o = Wrap32(fContext.outputIndex + 1);
    return (o >= 200) == (p.when == When::OutputFrom200);
  }

  std::string Bytes(const Part& p) {
    std::string frame(p.fields.size(), '\0');
    bool unmatched = false;
    for (std::size_t k = 0; k < p.fields.size(); ++k) {
      const Field& f = p.fields[k];
      if (f.check != Check::None) continue;
      const std::optional<std::int64_t> v = Value(f.var);
      if (!v) {
        unmatched = true;
        continue;
      }
      frame[k] = static_cast<char>(LowByte(*v + f.add));
    }
    // A pair outside a look-up table leaves the buffer as it started: zero.
    if (unmatched) return std::string(p.fields.size(), '\0');
    for (std::size_t k = 0; k < p.fields.size(); ++k) {
      const Field& f = p.fields[k];
      if (f.check == Check::None) continue;
      std::uint8_t c = Checksum(frame, f, k);
      if (f.substitute && c == f.substFrom) c = f.substTo;
      frame[k] = static_cast<char>(c);
    }
    return frame;
  }

  String TextOf(const Part& p) {
    String text;
    for (const Piece& piece : p.pieces) {
      switch (piece.fmt) {
        case Fmt::Literal: text += piece.text; break;
        case Fmt::IdText: text += IdText(piece.idBox); break;
        case Fmt::ZeroWhen:
          if (*Value(piece.var) <= piece.limit) text += "0";
          break;
        default: text += Number(piece, p.full); break;
      }
    }
    return text;
  }

 private:
  static std::uint8_t Checksum(const std::string& frame, const Field& f, std::size_t self) {
    unsigned sum = 0, x = 0;
    auto byteAt = [&frame](std::size_t k) { return static_cast<unsigned char>(frame[k]); };
    if (f.check == Check::SumRest) {
      for (std::size_t k = 0; k < frame.size(); ++k)
        if (k != self) sum += byteAt(k);
      return static_cast<std::uint8_t>(sum);
    }
    for (std::size_t k = f.first; k <= f.last && k < frame.size(); ++k) {
      sum += byteAt(k);
      x ^= byteAt(k);
    }
    switch (f.check) {
      case Check::Sum: return static_cast<std::uint8_t>(sum);
      case Check::Sum7F: return static_cast<std::uint8_t>(sum & 0x7F);
      case Check::Xor: return static_cast<std::uint8_t>(x);
      case Check::Neg: return static_cast<std::uint8_t>(0u - sum);
      default: return 0;
    }
  }

  String Number(const Piece& piece, bool full) {
    const std::int64_t raw = Value(piece.var).value_or(0);
    const std::int64_t v = full ? Wrap32(raw) : LowByte(raw);
    char buf[32];
    switch (piece.fmt) {
      case Fmt::Dec: std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v)); break;
      case Fmt::Dec2: std::snprintf(buf, sizeof buf, "%.2lld", static_cast<long long>(v)); break;
      case Fmt::Dec3: std::snprintf(buf, sizeof buf, "%.3lld", static_cast<long long>(v)); break;
      case Fmt::Dec4: std::snprintf(buf, sizeof buf, "%.4lld", static_cast<long long>(v)); break;
      case Fmt::Hex2: std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(LowByte(v))); break;
      case Fmt::HexUpper:
        std::snprintf(buf, sizeof buf, "%X", static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
        break;
      case Fmt::HexLower:
        std::snprintf(buf, sizeof buf, "%x", static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
        break;
      default: buf[0] = '\0'; break;
    }
    return buf;
  }

  const Command& fCommand;
  const CommandContext& fContext;
};

String HexByte(unsigned char b) {
  static const char kDigits[] = "0123456789ABCDEF";
  return String{kDigits[b >> 4], kDigits[b & 0x0F]};
}

String HexLine(const std::string& bytes, const char* separator) {
  String line;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    if (k > 0) line += separator;
    line += HexByte(static_cast<unsigned char>(bytes[k]));
  }
  return line;
}

// Device texts are GBK; ASCII is the same in it, which spares the converter almost every text.
std::string DeviceText(const String& utf8) {
  for (char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x80) return platform::Utf8ToGbk(utf8);
  return utf8;
}

MatrixStep WriteStep(MatrixLink link, std::string bytes) {
  MatrixStep s;
  s.kind = MatrixStep::Kind::Write;
  s.link = link;
  s.bytes = std::move(bytes);
  return s;
}

MatrixStep PauseStep(int ms) {
  MatrixStep s;
  s.kind = MatrixStep::Kind::Pause;
  s.ms = ms;
  return s;
}

MatrixStep LogStep(unsigned boxes, String line) {
  MatrixStep s;
  s.kind = MatrixStep::Kind::Log;
  s.boxes = boxes;
  s.line = std::move(line);
  return s;
}

}  // namespace

void AppendCommand(const Command& command, const CommandContext& context, MatrixSends& out) {
  Evaluator eval(command, context);
  // Everything is built before the first write, so a failed conversion sends nothing of it.
  struct Built {
    const Part* part;
    std::string bytes;  // frame bytes
    String text;        // UTF-8 text of a text part
  };
  std::vector<Built> built;
  built.reserve(command.parts.size());
  for (const Part& p : command.parts) {
    if (!eval.Applies(p)) continue;
    if (p.kind == Part::Kind::Frame) {
      built.push_back({&p, eval.Bytes(p), {}});
    } else {
      built.push_back({&p, {}, eval.TextOf(p)});
    }
  }

  const MatrixLink commandLink = command.hasLink ? command.link : context.defaultLink;
  for (const Built& b : built) {
    const Part& p = *b.part;
    const MatrixLink link = p.hasLink ? p.link : commandLink;
    if (p.pauseBefore > 0) out.Steps.push_back(PauseStep(p.pauseBefore));
    switch (p.kind) {
      case Part::Kind::Frame:
        for (char byte : b.bytes) out.Steps.push_back(WriteStep(link, std::string(1, byte)));
        break;
      case Part::Kind::Text:
        out.Steps.push_back(WriteStep(link, DeviceText(b.text)));
        break;
      case Part::Kind::Wrapped:
        out.Steps.push_back(WriteStep(link, std::string(1, static_cast<char>(p.lead))));
        out.Steps.push_back(WriteStep(link, DeviceText(b.text)));
        out.Steps.push_back(WriteStep(link, std::string(1, static_cast<char>(p.trail))));
        break;
    }
  }

  if (!context.settings.DebugMode) return;
  const unsigned boxes = command.logBoxes != 0 ? command.logBoxes : context.defaultLogBoxes;
  for (const Built& b : built) {
    const Part& p = *b.part;
    if (!p.logged) continue;
    String line;
    switch (p.kind) {
      case Part::Kind::Frame:
        line = HexLine(b.bytes, command.logStyle == LogStyle::Packed ? "" : ",");
        break;
      case Part::Kind::Text: line = command.logPrefix + b.text; break;
      case Part::Kind::Wrapped: line = HexByte(p.lead) + "," + b.text + "," + HexByte(p.trail); break;
    }
    out.Steps.push_back(LogStep(boxes, std::move(line)));
  }
}

}  // namespace matrix

void PlayMatrixSends(const MatrixSends& sends, MatrixSink& sink) {
  for (const MatrixStep& s : sends.Steps) {
    switch (s.kind) {
      case MatrixStep::Kind::Write:
        sink.Write(s.link, reinterpret_cast<const unsigned char*>(s.bytes.data()), s.bytes.size());
        break;
      case MatrixStep::Kind::Pause: sink.Pause(s.ms); break;
      case MatrixStep::Kind::Log: sink.Log(s.boxes, s.line); break;
    }
  }
  if (!sends.Failure.empty()) throw EConvertError(sends.Failure);
}
