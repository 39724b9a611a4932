#pragma once
// The fixed-point decimal and the SQL time stamp that data-holding components keep in their value
// buffers. The platform's variant cannot carry either as a value of its own: a decimal travels in a
// variant as its text (lossless, unlike a double), a time stamp as a date.
#include <cstdint>

#include "platform/classes/Variant.h"

// Type codes under which the value types announce these two kinds.
constexpr TVarType varFMTBcd = 0x0110;
constexpr TVarType varSQLTimeStamp = 0x0111;

// Up to 64 decimal digits, two per byte, high nibble first. SignSpecialPlaces: bit 7 the sign,
// bits 0-5 the number of digits after the decimal point.
struct TBcd {
  std::uint8_t Precision = 0;
  std::uint8_t SignSpecialPlaces = 0;
  std::uint8_t Fraction[32] = {};
};
static_assert(sizeof(TBcd) == 34);

struct TSQLTimeStamp {
  std::int16_t Year = 0;
  std::uint16_t Month = 0;
  std::uint16_t Day = 0;
  std::uint16_t Hour = 0;
  std::uint16_t Minute = 0;
  std::uint16_t Second = 0;
  std::uint32_t Fractions = 0;  // milliseconds
};
static_assert(sizeof(TSQLTimeStamp) == 16);

// Decimal text with an optional sign and the locale's (or a '.') decimal point; false for anything
// else or for more than 64 digits.
bool TryStrToBcd(const String& Text, TBcd& Bcd);
// Raises EVariantTypeCastError when the value is no decimal number.
TBcd VarToBcd(const Variant& V);
// The general format: no leading or trailing zeros beyond the one before the point.
String BcdToStr(const TBcd& Bcd);
Variant VarFMTBcdCreate(const TBcd& Bcd);
// -1, 0 or 1 by numeric value.
int BcdCompare(const TBcd& A, const TBcd& B);

// Raise EConvertError for fields outside the calendar; an all-zero stamp is the zero date.
double SQLTimeStampToDateTime(const TSQLTimeStamp& TimeStamp);
TSQLTimeStamp DateTimeToSQLTimeStamp(double DateTime);
// Raises EVariantTypeCastError when the value holds no date.
TSQLTimeStamp VarToSQLTimeStamp(const Variant& V);
