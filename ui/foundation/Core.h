#pragma once
// The library's base exception and a handful of memory and stream routines.
#include <cstddef>
#include <cstdint>

#include "platform/classes/SysUtils.h"

class TStream;

// Base of the library's own exceptions.
VW_DECLARE_EXCEPTION(EdxException, Exception);

void ZeroFillMemory(void* Dest, std::size_t Count);
// Overlapping blocks are copied correctly.
void MoveMemoryBlock(const void* Source, void* Dest, std::size_t Count);
// 4 bytes, little-endian, through the stream's Write.
void WriteInt32ToStream(TStream* Stream, std::int32_t Value);
void SwapIntegers(int& A, int& B);

// A set of the 256 byte values.
struct TCharSet256 {
  std::uint8_t Bits[32] = {};
  void Include(unsigned char Ch) { Bits[Ch >> 3] = static_cast<std::uint8_t>(Bits[Ch >> 3] | (1u << (Ch & 7))); }
};
bool TestCharInSet(unsigned char Ch, const TCharSet256& CharSet);

// Where the drawing code checks an internal expectation ("RestoreDC fails"); has no effect.
inline void ReportFailedCheck(bool /*Condition*/, const char* /*Message*/) {}
