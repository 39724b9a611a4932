#pragma once
// How the editors compare their values, and the compact tagged form in which a value travels
// through a stream. Strings are UTF-8 in memory; "ANSI" text goes to the stream as those bytes,
// wide text as UTF-16 code units.
#include <cstdint>

#include "platform/classes/Streams.h"
#include "platform/classes/Variant.h"

// A total order that tolerates Empty, Null and arrays: negative, 0 or positive.
int CompareVariants(const Variant& V1, const Variant& V2);
int CompareVariantValues(const Variant& V1, const Variant& V2);
int CompareVariantArrays(const Variant& V1, const Variant& V2);
bool VariantsEqual(const Variant& V1, const Variant& V2);
// Whether an editor's value really changed: a Boolean equals the text the platform makes of it,
// and values that cannot be converted are simply unequal.
bool VarEqualsLoose(const Variant& V1, const Variant& V2);

bool IsDateTimeVarType(TVarType VarType);
bool VarHoldsDateTime(const Variant& V);
bool VarHoldsNumber(const Variant& V);
bool VarIsNullOrEmptyText(const Variant& V);

// The tagged form. Reading raises EReadError ("Stream read error") for a tag it does not know and
// for a truncated or implausible stream; writing raises EWriteError ("Stream write error") for a
// value that has no stream form.
void WriteVariantToStream(TStream* Stream, const Variant& V);
void ReadVariantFromStream(TStream* Stream, Variant& V);

// Plain little-endian primitives, without a tag. A short read raises EReadError.
String ReadAnsiStringFromStream(TStream* Stream);
void WriteAnsiStringToStream(TStream* Stream, const String& S);
// UTF-16 on the stream, UTF-8 in memory.
String ReadWideStringFromStream(TStream* Stream);
void WriteWideStringToStream(TStream* Stream, const String& S);
bool ReadBooleanFromStream(TStream* Stream);
void WriteBooleanToStream(TStream* Stream, bool Value);
std::int16_t ReadSmallIntFromStream(TStream* Stream);
void WriteSmallIntToStream(TStream* Stream, std::int16_t Value);
std::uint16_t ReadWordFromStream(TStream* Stream);
void WriteWordToStream(TStream* Stream, std::uint16_t Value);
std::int32_t ReadIntegerFromStream(TStream* Stream);
void WriteIntegerToStream(TStream* Stream, std::int32_t Value);
std::int64_t ReadLargeIntFromStream(TStream* Stream);
void WriteLargeIntToStream(TStream* Stream, std::int64_t Value);
// Currency as its value × 10000.
std::int64_t ReadCurrencyFromStream(TStream* Stream);
void WriteCurrencyToStream(TStream* Stream, std::int64_t Scaled);
double ReadDateTimeFromStream(TStream* Stream);
void WriteDateTimeToStream(TStream* Stream, double Value);
// The 10-byte extended-precision form, held in memory as a double.
double ReadExtendedFromStream(TStream* Stream);
void WriteExtendedToStream(TStream* Stream, double Value);

// The 10-byte extended-precision encoding itself.
void DoubleToExtended(double Value, std::uint8_t (&Bytes)[10]);
double ExtendedToDouble(const std::uint8_t (&Bytes)[10]);

// UTF-8 to UTF-16 code units and back; unpaired surrogates come back as U+FFFD.
std::u16string Utf8ToUtf16(const String& S);
String Utf16ToUtf8(const std::u16string& W);
