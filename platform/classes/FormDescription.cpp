#include "platform/classes/FormDescription.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/system/CodePage.h"

namespace {

// ---------------------------------------------------------------------------- binary to text

class BinaryToText {
 public:
  BinaryToText(TStream* input, TStream* output) : FReader(input), FOutput(output) {}

  void Run() {
    FReader.ReadSignature();
    ConvertObject(0);
  }

 private:
  void Emit(const String& s) { FOutput->WriteBuffer(s.data(), static_cast<std::int32_t>(s.size())); }
  void Line(int indent, const String& s) { Emit(String(static_cast<std::size_t>(indent), ' ') + s + "\r\n"); }

  void Nest(int indent) {
    if (indent > 512) throw EReadError(SInvalidImage);
  }

  void ConvertObject(int indent) {
    Nest(indent);
    std::uint8_t flags;
    std::int32_t pos;
    FReader.ReadPrefix(flags, pos);
    String className = FReader.ReadStr();
    String name = FReader.ReadStr();
    String keyword = (flags & ffInherited) ? "inherited" : (flags & ffInline) ? "inline" : "object";
    String header = keyword + " " + (name.empty() ? String() : name + ": ") + className;
    if (flags & ffChildPos) header += " [" + std::to_string(pos) + "]";
    Line(indent, header);
    while (!FReader.EndOfList()) ConvertProperty(indent + 2);
    FReader.ReadListEnd();
    while (!FReader.EndOfList()) ConvertObject(indent + 2);
    FReader.ReadListEnd();
    Line(indent, "end");
  }

  void ConvertProperty(int indent) {
    String name = FReader.ReadStr();
    Emit(String(static_cast<std::size_t>(indent), ' ') + name + " = ");
    ConvertValue(indent);
    Emit("\r\n");
  }

  static String Quote(const String& s) {
    if (s.empty()) return "''";
    String out;
    bool inQuotes = false;
    for (char ch : s) {
      auto c = static_cast<unsigned char>(ch);
      if (c < 0x20) {
        if (inQuotes) out += '\'';
        inQuotes = false;
        out += "#" + std::to_string(c);
      } else {
        if (!inQuotes) out += '\'';
        inQuotes = true;
        out += ch;
        if (ch == '\'') out += '\'';
      }
    }
    if (inQuotes) out += '\'';
    return out;
  }

  static String FloatLiteral(double v) {
    char buf[40];
    for (int precision = 15; precision <= 17; ++precision) {
      std::snprintf(buf, sizeof buf, "%.*g", precision, v);
      if (std::strtod(buf, nullptr) == v) break;
    }
    String s = buf;
    auto e = s.find('e');
    if (e != String::npos) {
      String mant = s.substr(0, e), exp = s.substr(e + 1);
      bool neg = exp[0] == '-';
      std::size_t i = (exp[0] == '-' || exp[0] == '+') ? 1 : 0;
      while (i + 1 < exp.size() && exp[i] == '0') ++i;
      if (mant.find('.') == String::npos) mant += ".0";
      return mant + "E" + (neg ? "-" : "") + exp.substr(i);
    }
    if (s.find('.') == String::npos) s += ".0";
    return s;
  }

  void ConvertValue(int indent) {
    Nest(indent);
    switch (FReader.NextValue()) {
      case vaList:
        FReader.ReadValue();
        Emit("(");
        while (!FReader.EndOfList()) {
          Emit("\r\n" + String(static_cast<std::size_t>(indent + 2), ' '));
          ConvertValue(indent + 2);
        }
        FReader.ReadListEnd();
        Emit(")");
        break;
      case vaInt8: case vaInt16: case vaInt32: case vaInt64:
        Emit(std::to_string(FReader.ReadInt64()));
        break;
      case vaExtended: case vaDouble:
        Emit(FloatLiteral(FReader.ReadFloat()));
        break;
      case vaSingle:
        Emit(FloatLiteral(static_cast<float>(FReader.ReadFloat())) + "s");
        break;
      case vaCurrency: {
        std::int64_t scaled = FReader.ReadCurrencyScaled();
        Emit(FloatLiteral(static_cast<double>(scaled) / 10000.0) + "c");
        break;
      }
      case vaDate:
        Emit(FloatLiteral(FReader.ReadDate()) + "d");
        break;
      case vaString: case vaLString: case vaUTF8String: case vaWString:
        Emit(Quote(FReader.ReadString()));
        break;
      case vaIdent: case vaFalse: case vaTrue: case vaNil: case vaNull:
        Emit(FReader.ReadIdent());
        break;
      case vaBinary: {
        FReader.ReadValue();
        std::int32_t size;
        FReader.Stream()->ReadBuffer(&size, 4);
        if (size < 0 || size > FReader.Stream()->Size() - FReader.Stream()->Position()) throw EReadError(SReadError);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        if (size) FReader.Stream()->ReadBuffer(bytes.data(), size);
        Emit("{");
        static const char* hex = "0123456789ABCDEF";
        for (std::size_t i = 0; i < bytes.size(); i += 32) {
          String line;
          for (std::size_t k = i; k < bytes.size() && k < i + 32; ++k) {
            line += hex[bytes[k] >> 4];
            line += hex[bytes[k] & 15];
          }
          Emit("\r\n" + String(static_cast<std::size_t>(indent + 2), ' ') + line);
        }
        Emit("}");
        break;
      }
      case vaSet: {
        FReader.ReadValue();
        String s = "[";
        bool first = true;
        while (true) {
          String element = FReader.ReadStr();
          if (element.empty()) break;
          if (!first) s += ", ";
          s += element;
          first = false;
        }
        Emit(s + "]");
        break;
      }
      case vaCollection: {
        FReader.ReadValue();
        Emit("<");
        while (!FReader.EndOfList()) {
          Emit("\r\n");
          TValueType next = FReader.NextValue();
          String head = String(static_cast<std::size_t>(indent + 2), ' ') + "item";
          if (next == vaInt8 || next == vaInt16 || next == vaInt32) head += " [" + std::to_string(FReader.ReadInteger()) + "]";
          Emit(head + "\r\n");
          FReader.ReadListBegin();
          while (!FReader.EndOfList()) ConvertProperty(indent + 4);
          FReader.ReadListEnd();
          Emit(String(static_cast<std::size_t>(indent + 2), ' ') + "end");
        }
        FReader.ReadListEnd();
        Emit(">");
        break;
      }
      default:
        throw EReadError(SInvalidImage);
    }
  }

  TReader FReader;
  TStream* FOutput;
};

// ---------------------------------------------------------------------------- text to binary

class TextToBinary {
 public:
  TextToBinary(String text, TStream* output) : FText(std::move(text)), FWriter(output) {}

  void Run() {
    FWriter.WriteSignature();
    ConvertObject();
    SkipBlanks();
    if (FPos < FText.size()) Error("End of file expected");
  }

 private:
  [[noreturn]] void Error(const String& what) {
    throw EParserError(what + " on line " + std::to_string(FLine));
  }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == '\n') ++FLine;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
        ++FPos;
      else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
        while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
      } else
        break;
    }
  }

  char Peek() {
    SkipBlanks();
    return FPos < FText.size() ? FText[FPos] : '\0';
  }

  void Expect(char c) {
    if (Peek() != c) Error(String("'") + c + "' expected");
    ++FPos;
  }

  static bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  String Ident() {
    if (!IdentStart(Peek())) Error("Identifier expected");
    std::size_t start = FPos;
    while (FPos < FText.size() && IdentChar(FText[FPos])) ++FPos;
    return FText.substr(start, FPos - start);
  }

  // Identifiers joined by dots: property paths and component references.
  String QualifiedIdent() {
    String s = Ident();
    while (FPos < FText.size() && FText[FPos] == '.') {
      ++FPos;
      s += "." + Ident();
    }
    return s;
  }

  bool PeekKeyword(const char* word) {
    if (!IdentStart(Peek())) return false;
    std::size_t end = FPos;
    while (end < FText.size() && IdentChar(FText[end])) ++end;
    return strncasecmp(FText.c_str() + FPos, word, std::strlen(word)) == 0 && end - FPos == std::strlen(word);
  }

  std::int64_t IntegerInBrackets() {
    Expect('[');
    SkipBlanks();
    std::size_t start = FPos;
    if (FPos < FText.size() && FText[FPos] == '-') ++FPos;
    while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
    if (start == FPos) Error("Integer constant expected");
    std::int64_t v = std::strtoll(FText.c_str() + start, nullptr, 10);
    Expect(']');
    return v;
  }

  // Nesting deeper than any real form is refused before it can exhaust the stack.
  struct Nest {
    explicit Nest(TextToBinary* p) : parser(p) {
      if (++parser->FDepth > kMaxDepth) parser->Error("Nesting too deep");
    }
    ~Nest() { --parser->FDepth; }
    TextToBinary* parser;
  };

  void ConvertObject() {
    Nest nest(this);
    std::uint8_t flags = 0;
    if (PeekKeyword("inherited"))
      flags |= ffInherited;
    else if (PeekKeyword("inline"))
      flags |= ffInline;
    else if (!PeekKeyword("object"))
      Error("'object' expected");
    Ident();
    String name, className = Ident();
    if (Peek() == ':') {
      ++FPos;
      name = className;
      className = Ident();
    }
    std::int64_t pos = 0;
    if (Peek() == '[') {
      pos = IntegerInBrackets();
      flags |= ffChildPos;
    }
    if (flags) {
      FWriter.WriteValue(static_cast<TValueType>(0xF0 | flags));
      if (flags & ffChildPos) FWriter.WriteInteger(pos);
    }
    FWriter.WriteStr(className);
    FWriter.WriteStr(name);
    while (!PeekKeyword("end") && !PeekKeyword("object") && !PeekKeyword("inherited") && !PeekKeyword("inline")) {
      if (FPos >= FText.size()) Error("'end' expected");
      ConvertProperty();
    }
    FWriter.WriteListEnd();
    while (!PeekKeyword("end")) {
      if (FPos >= FText.size()) Error("'end' expected");
      ConvertObject();
    }
    Ident();
    FWriter.WriteListEnd();
  }

  void ConvertProperty() {
    String name = QualifiedIdent();
    FWriter.WriteStr(name);
    Expect('=');
    ConvertValue();
  }

  String StringLiteral() {
    String s;
    while (true) {
      char c = Peek();
      if (c == '\'') {
        ++FPos;
        while (true) {
          if (FPos >= FText.size() || FText[FPos] == '\n') Error("Unterminated string");
          if (FText[FPos] == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              s += '\'';
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          s += FText[FPos++];
        }
      } else if (c == '#') {
        ++FPos;
        std::size_t start = FPos;
        while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
        if (start == FPos || FPos - start > 7) Error("Invalid string constant");
        AppendCodePoint(s, static_cast<char32_t>(std::strtoul(FText.c_str() + start, nullptr, 10)));
      } else if (c == '+' && !s.empty()) {
        // A long string continues on the next line after '+'.
        std::size_t save = FPos;
        int saveLine = FLine;
        ++FPos;
        char n = Peek();
        if (n != '\'' && n != '#') {
          FPos = save;
          FLine = saveLine;
          break;
        }
      } else {
        break;
      }
      // Adjacent quoted parts and #nn codes form one string; anything else ends it.
      if (FPos < FText.size() && FText[FPos] != '\'' && FText[FPos] != '#' && Peek() != '+') break;
    }
    return s;
  }

  static void AppendCodePoint(String& s, char32_t c) { platform::AppendUtf8(s, c > 0x10FFFF ? 0xFFFD : c); }

  void Number() {
    std::size_t start = FPos;
    bool negative = false;
    if (FText[FPos] == '-' || FText[FPos] == '+') {
      negative = FText[FPos] == '-';
      ++FPos;
    }
    if (FPos < FText.size() && FText[FPos] == '$') {
      ++FPos;
      std::size_t digits = FPos;
      while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
      if (digits == FPos || FPos - digits > 16) Error("Invalid number");
      auto v = static_cast<std::int64_t>(std::strtoull(FText.c_str() + digits, nullptr, 16));
      FWriter.WriteInteger(negative ? -v : v);
      return;
    }
    bool isFloat = false;
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        ++FPos;
      } else if (c == '.' || ((c == 'e' || c == 'E') && FPos > start)) {
        isFloat = true;
        ++FPos;
        if ((c == 'e' || c == 'E') && FPos < FText.size() && (FText[FPos] == '-' || FText[FPos] == '+')) ++FPos;
      } else {
        break;
      }
    }
    String literal = FText.substr(start, FPos - start);
    char suffix = FPos < FText.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(FText[FPos]))) : '\0';
    if (suffix == 's' || suffix == 'c' || suffix == 'd') {
      isFloat = true;
      ++FPos;
    } else {
      suffix = '\0';
    }
    errno = 0;
    char* end = nullptr;
    if (isFloat) {
      double v = std::strtod(literal.c_str(), &end);
      if (*end || errno == ERANGE) Error("Invalid number");
      if (suffix == 's')
        FWriter.WriteSingle(static_cast<float>(v));
      else if (suffix == 'c')
        FWriter.WriteCurrencyScaled(std::llround(v * 10000.0));
      else if (suffix == 'd')
        FWriter.WriteDate(v);
      else
        FWriter.WriteFloat(v);
    } else {
      long long v = std::strtoll(literal.c_str(), &end, 10);
      if (*end || errno == ERANGE || literal == "-" || literal == "+") Error("Invalid number");
      FWriter.WriteInteger(v);
    }
  }

  int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    Error("Invalid binary value");
  }

  void ConvertValue() {
    Nest nest(this);
    char c = Peek();
    if (c == '\'' || c == '#') {
      FWriter.WriteString(StringLiteral());
    } else if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      Number();
    } else if (IdentStart(c)) {
      FWriter.WriteIdent(QualifiedIdent());
    } else if (c == '[') {
      ++FPos;
      FWriter.WriteValue(vaSet);
      if (Peek() != ']') {
        while (true) {
          FWriter.WriteStr(Ident());
          if (Peek() == ']') break;
          Expect(',');
        }
      }
      Expect(']');
      FWriter.WriteStr(String());
    } else if (c == '(') {
      ++FPos;
      FWriter.WriteListBegin();
      while (Peek() != ')') {
        if (FPos >= FText.size()) Error("')' expected");
        ConvertValue();
      }
      ++FPos;
      FWriter.WriteListEnd();
    } else if (c == '{') {
      ++FPos;
      std::vector<std::uint8_t> bytes;
      while (Peek() != '}') {
        if (FPos + 1 >= FText.size()) Error("'}' expected");
        int hi = HexDigit(FText[FPos]);
        int lo = HexDigit(FText[FPos + 1]);
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        FPos += 2;
      }
      ++FPos;
      FWriter.WriteValue(vaBinary);
      auto size = static_cast<std::int32_t>(bytes.size());
      FWriter.Stream()->WriteBuffer(&size, 4);
      if (size) FWriter.Stream()->WriteBuffer(bytes.data(), size);
    } else if (c == '<') {
      ++FPos;
      FWriter.WriteValue(vaCollection);
      while (Peek() != '>') {
        if (!PeekKeyword("item")) Error("'item' expected");
        Ident();
        if (Peek() == '[') FWriter.WriteInteger(IntegerInBrackets());
        FWriter.WriteListBegin();
        while (!PeekKeyword("end")) {
          if (FPos >= FText.size()) Error("'end' expected");
          ConvertProperty();
        }
        Ident();
        FWriter.WriteListEnd();
      }
      ++FPos;
      FWriter.WriteListEnd();
    } else {
      Error("Property value expected");
    }
  }

  static constexpr int kMaxDepth = 256;
  String FText;
  std::size_t FPos = 0;
  int FLine = 1;
  int FDepth = 0;
  TWriter FWriter;
};

}  // namespace

void ObjectTextToBinary(TStream* Input, TStream* Output) {
  std::int64_t size = Input->Size() - Input->Position();
  String text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
  if (size > 0) Input->ReadBuffer(text.data(), static_cast<std::int32_t>(size));
  // A byte-order mark from an editor is no part of the description.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  TextToBinary(std::move(text), Output).Run();
}

void ObjectBinaryToText(TStream* Input, TStream* Output) { BinaryToText(Input, Output).Run(); }

String ComponentToFormText(TComponent* Component) {
  TMemoryStream binary;
  binary.WriteComponent(Component);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  return text.DataString();
}

TComponent* FormTextToComponent(const String& Text, TComponent* Instance) {
  TStringStream text(Text);
  TMemoryStream binary;
  ObjectTextToBinary(&text, &binary);
  binary.SetPosition(0);
  return binary.ReadComponent(Instance);
}

void ReadFormResource(TComponent* Instance, const String& ResName) {
  TResourceStream stream(nullptr, ResName, "FORM");
  ReadComponentFrom(&stream, Instance);
}

void ReadFormResource(TComponent* Instance) { ReadFormResource(Instance, Instance->ClassName()); }
