#pragma once
// Matrix commands as data. A make's command is written the way the makers' manuals print it:
//
//   Frame(0x96, Id, 0x01, 0x06, 0xA4, O0, I0, O0, I0, Sum(0, 8))
//   Text(Dec(I), "V", Dec(O), ".")
//
// and evaluated here against one switch (output index, input) or one preset number.
#include <cstdint>
#include <string>
#include <vector>

#include "matrix/MatrixSends.h"

namespace matrix {

// Numbers a command can carry. Byte fields send their low 8 bits; text pieces print the low
// byte too unless the command is marked Full.
enum class Var : std::uint8_t {
  Const,
  I,          // input, from 1
  O,          // output, from 1
  I0,         // input, from 0
  O0,         // output index, from 0
  Id,         // the id box converted to an integer
  InHigh,     // input div 256: the high byte of a 16-bit input
  InBased,    // input base box + i0
  OutBased,   // output base box + o0
  I0Mod255,   // some makes split the input by 255, not 256
  I0Div255,
  ODiv200,
  OMod200,
  IDiv100,
  IMod100,
  In7High,    // 80 for an input above 127, else 00
  In7Low,     // the input less 128 above 127, else the input
  Channel4,   // 4 x o0 + i0: one number for a 4 x 4 switch
  Hdmi10X,    // code characters of a 4 x 4 HDMI switch;
  Hdmi10Y,    //   a pair outside its table leaves the whole frame zero
  Hdmi13T,
  N,          // preset number, from 1
  N0,         // preset number, from 0
};

enum class Check : std::uint8_t { None, Sum, Sum7F, Xor, Neg, SumRest };

// One byte of a frame: a constant, a number plus an offset, or a checksum over earlier bytes.
struct Field {
  constexpr Field(int constant) : add(constant) {}  // NOLINT: bytes read best as bare numbers
  constexpr Field(Var v) : var(v) {}                // NOLINT

  // A checksum that equals `from` is sent as `to` instead (a value the device would take for
  // the start of a frame).
  constexpr Field Replacing(int from, int to) const {
    Field f = *this;
    f.substitute = true;
    f.substFrom = static_cast<std::uint8_t>(from);
    f.substTo = static_cast<std::uint8_t>(to);
    return f;
  }

  Var var = Var::Const;
  int add = 0;
  Check check = Check::None;
  std::uint8_t first = 0, last = 0;
  bool substitute = false;
  std::uint8_t substFrom = 0, substTo = 0;
};

constexpr Field operator+(Field f, int offset) {
  f.add += offset;
  return f;
}

constexpr Field Checksum(Check c, int first, int last) {
  Field f(0);
  f.check = c;
  f.first = static_cast<std::uint8_t>(first);
  f.last = static_cast<std::uint8_t>(last);
  return f;
}
constexpr Field Sum(int first, int last) { return Checksum(Check::Sum, first, last); }
constexpr Field Sum7F(int first, int last) { return Checksum(Check::Sum7F, first, last); }
constexpr Field Xor(int first, int last) { return Checksum(Check::Xor, first, last); }
// Two's complement of the sum, so that the bytes up to and including it add up to 00.
constexpr Field Neg(int first, int last) { return Checksum(Check::Neg, first, last); }
// The sum of every other byte of the frame, before and after it.
constexpr Field SumOfRest() { return Checksum(Check::SumRest, 0, 0); }

inline constexpr Field I{Var::I}, O{Var::O}, I0{Var::I0}, O0{Var::O0}, Id{Var::Id};
inline constexpr Field InHigh{Var::InHigh}, InBased{Var::InBased}, OutBased{Var::OutBased};
inline constexpr Field I0Mod255{Var::I0Mod255}, I0Div255{Var::I0Div255};
inline constexpr Field ODiv200{Var::ODiv200}, OMod200{Var::OMod200};
inline constexpr Field IDiv100{Var::IDiv100}, IMod100{Var::IMod100};
inline constexpr Field In7High{Var::In7High}, In7Low{Var::In7Low}, Channel4{Var::Channel4};
inline constexpr Field Hdmi10X{Var::Hdmi10X}, Hdmi10Y{Var::Hdmi10Y}, Hdmi13T{Var::Hdmi13T};
inline constexpr Field N{Var::N}, N0{Var::N0};
// The input's low byte where a frame pairs it with InHigh.
inline constexpr Field InLow{Var::I};

// Which id box a command reads.
enum class IdBox : std::uint8_t { Default, Video, Vga, Dvi, Hdmi };

enum class Fmt : std::uint8_t {
  Literal,
  Dec,       // decimal, no leading zeros
  Dec2,      // at least two digits
  Dec3,
  Dec4,
  Hex2,      // exactly two uppercase digits
  HexUpper,  // uppercase, no leading zeros
  HexLower,  // lowercase, no leading zeros
  IdText,    // an id box's text exactly as typed
  ZeroWhen,  // "0" when the number is at most `limit`, else nothing
};

struct Piece {
  Piece(const char* literal) : text(literal) {}  // NOLINT: literals read best bare
  Piece(Fmt f, Var v, int lim = 0, IdBox box = IdBox::Default)
      : fmt(f), var(v), limit(lim), idBox(box) {}

  Fmt fmt = Fmt::Literal;
  Var var = Var::Const;
  int limit = 0;
  IdBox idBox = IdBox::Default;
  std::string text;
};

inline Piece Dec(Field f) { return {Fmt::Dec, f.var}; }
inline Piece Dec2(Field f) { return {Fmt::Dec2, f.var}; }
inline Piece Dec3(Field f) { return {Fmt::Dec3, f.var}; }
inline Piece Dec4(Field f) { return {Fmt::Dec4, f.var}; }
inline Piece Hex2(Field f) { return {Fmt::Hex2, f.var}; }
inline Piece Hex(Field f) { return {Fmt::HexUpper, f.var}; }
inline Piece Hexl(Field f) { return {Fmt::HexLower, f.var}; }
inline Piece ZeroWhen(Field f, int atMost) { return {Fmt::ZeroWhen, f.var, atMost}; }
// The command's own id box, or a named one.
inline const Piece IdText{Fmt::IdText, Var::Const};
inline Piece IdTextOf(IdBox box) { return {Fmt::IdText, Var::Const, 0, box}; }

enum class When : std::uint8_t { Always, OutputBelow200, OutputFrom200 };

// One write (or, for frames, one write per byte) of a command, with what precedes it.
struct Part {
  enum class Kind : std::uint8_t { Frame, Text, Wrapped };

  Kind kind = Kind::Frame;
  std::vector<Field> fields;  // Frame
  std::vector<Piece> pieces;  // Text, Wrapped
  std::uint8_t lead = 0, trail = 0;  // Wrapped: control bytes around the text
  int pauseBefore = 0;
  bool logged = true;
  bool full = false;  // texts print whole numbers instead of low bytes
  When when = When::Always;
  bool hasLink = false;
  MatrixLink link = MatrixLink::VideoMatrix;
};

enum class LogStyle : std::uint8_t {
  Hex,     // bytes as two uppercase digits joined by ","
  Packed,  // the same digits with no separator
};

struct Command {
  std::vector<Part> parts;
  IdBox idBox = IdBox::Default;
  bool hasLink = false;
  MatrixLink link = MatrixLink::VideoMatrix;
  LogStyle logStyle = LogStyle::Hex;
  unsigned logBoxes = 0;       // 0: the caller's default
  const char* logPrefix = "";  // put before text lines
  bool native = false;         // no command: the console records and replays instead

  // Whole numbers in every text part.
  Command Full() const;
  Command On(MatrixLink l) const;
  Command WithId(IdBox box) const;
  Command Packed() const;
  Command LogTo(unsigned boxes) const;
  Command Prefixed(const char* prefix) const;
  Command Unlogged() const;
  // The same write again after a pause; the second is not logged again.
  Command Twice(int pauseMs) const;
  // Another command's writes after a pause, each logged on its own line.
  Command Then(int pauseMs, const Command& next) const;
};

Command FrameOf(std::vector<Field> fields);
Command TextOf(std::vector<Piece> pieces);

template <class... F>
Command Frame(F... fields) {
  return FrameOf({Field(fields)...});
}
template <class... P>
Command Text(P... pieces) {
  return TextOf({Piece(pieces)...});
}
// A text between two control bytes: three writes.
Command Wrapped(int lead, const Command& text, int trail);
// PEARMAIN-style frames whose layout depends on the output number.
Command ByOutput200(const Command& below, const Command& from200);
// No command: the console's own scene recording and replay take over.
Command Native();

// What an evaluation needs besides the command: the numbers of this switch or preset, the
// boxes of the configuration, and the id box the command's list reads by default.
struct CommandContext {
  const MatrixSettings& settings;
  IdBox defaultId;
  std::int64_t outputIndex = 0;
  std::int64_t input = 0;
  std::int64_t preset = 0;
  MatrixLink defaultLink = MatrixLink::VideoMatrix;
  unsigned defaultLogBoxes = mlbGridConsole | mlbHybridConsole;
};

// Appends the command's writes, pauses and (in engineering mode) log lines to `out`. A box that
// does not convert raises EConvertError before anything of this command is appended.
void AppendCommand(const Command& command, const CommandContext& context, MatrixSends& out);

}  // namespace matrix
