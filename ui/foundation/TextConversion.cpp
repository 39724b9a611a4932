#include "ui/foundation/TextConversion.h"

#include <cstring>

#include "platform/system/CodePage.h"
#include "ui/foundation/OSVersion.h"

void ConvertFromAnsiText(const String& S, unsigned, String& Result) { Result = S; }

void ConvertToAnsiText(const String& S, unsigned, String& Result) { Result = S; }

namespace {

// The 9x platform's own conversion has no UTF-8; the run time converts that page itself there.
bool RunTimeConvertsUtf8(unsigned CodePage) { return !IsWindowsNTPlatform && CodePage == win::CP_UTF8; }

}  // namespace

void MultiByteToWideText(const char* S, int Length, unsigned CodePage, WideString& W) {
  W.clear();
  if (!S) return;
  const int length = Length < 0 ? static_cast<int>(std::strlen(S)) : Length;
  if (length == 0) return;
  if (RunTimeConvertsUtf8(CodePage)) {
    W = platform::Utf8ToUtf16(std::string_view(S, static_cast<std::size_t>(length)));
    return;
  }
  const int needed = win::MultiByteToWideChar(CodePage, 0, S, length, nullptr, 0);
  if (needed <= 0) return;
  W.resize(static_cast<std::size_t>(needed));
  const win::DWORD flags = CodePage == win::CP_UTF8 ? 0 : win::MB_PRECOMPOSED;
  const int written = win::MultiByteToWideChar(CodePage, flags, S, length, W.data(), needed);
  W.resize(static_cast<std::size_t>(written > 0 ? written : 0));
}

void WideToMultiByteText(const char16_t* W, int Length, unsigned CodePage, String& S) {
  S.clear();
  if (!W) return;
  int length = Length;
  if (length < 0) {
    length = 0;
    while (W[length]) ++length;
  }
  if (length == 0) return;
  if (RunTimeConvertsUtf8(CodePage)) {
    S = platform::Utf16ToUtf8(std::u16string_view(W, static_cast<std::size_t>(length)));
    return;
  }
  const int needed = win::WideCharToMultiByte(CodePage, 0, W, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  S.resize(static_cast<std::size_t>(needed));
  const int written = win::WideCharToMultiByte(CodePage, 0, W, length, S.data(), needed, nullptr, nullptr);
  S.resize(static_cast<std::size_t>(written > 0 ? written : 0));
}

void AnsiToWideText(const String& S, unsigned CodePage, WideString& W) {
  MultiByteToWideText(S.data(), static_cast<int>(S.size()), CodePage, W);
}

void WideToAnsiText(const WideString& W, unsigned CodePage, String& S) {
  WideToMultiByteText(W.data(), static_cast<int>(W.size()), CodePage, S);
}

unsigned CharsetToCodePage(win::BYTE Charset) {
  switch (Charset) {
    case 128:  // SHIFTJIS_CHARSET
      return 932;
    case 129:  // HANGEUL_CHARSET
    case 130:  // JOHAB_CHARSET
      return 949;
    case 134:  // GB2312_CHARSET
      return 936;
    case 136:  // CHINESEBIG5_CHARSET
      return 950;
    case 161:  // GREEK_CHARSET
      return 1253;
    case 162:  // TURKISH_CHARSET
      return 1254;
    case 177:  // HEBREW_CHARSET
      return 1255;
    case 178:  // ARABIC_CHARSET
      return 1256;
    case 186:  // BALTIC_CHARSET
      return 1257;
    case 204:  // RUSSIAN_CHARSET
      return 1251;
    case 222:  // THAI_CHARSET
      return 874;
    case 238:  // EASTEUROPE_CHARSET
      return 1250;
    default:
      return 0;
  }
}

void VariantToAnsiText(const Variant& Value, String& S) {
  if (VarIsArray(Value)) {
    S.clear();
    for (int i = Value.LowBound(); i <= Value.HighBound(); ++i)
      S += static_cast<char>(static_cast<unsigned char>(Value[i].AsInteger() & 0xFF));
  } else if (VarType(Value) == varString) {
    S = Value.AsString();
  } else {
    ConvertToAnsiText(VarToStr(Value), 0, S);
  }
}

void ShortToLongString(const ShortString& ShortS, String& S) {
  if (ShortS.empty()) {
    S.clear();
    return;
  }
  const std::size_t length = static_cast<unsigned char>(ShortS[0]);
  // A damaged length byte never reads past the data.
  S = ShortS.substr(1, length);
}

void LongToShortString(const String& S, ShortString& ShortS) {
  const std::size_t length = S.size() < 255 ? S.size() : 255;
  ShortS.assign(1, static_cast<char>(length));
  ShortS.append(S, 0, length);
}
