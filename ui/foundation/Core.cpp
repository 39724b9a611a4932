#include "ui/foundation/Core.h"

#include <cstring>
#include <utility>

#include "platform/classes/Streams.h"

void ZeroFillMemory(void* Dest, std::size_t Count) {
  if (Count) std::memset(Dest, 0, Count);
}

void MoveMemoryBlock(const void* Source, void* Dest, std::size_t Count) {
  if (Count) std::memmove(Dest, Source, Count);
}

void WriteInt32ToStream(TStream* Stream, std::int32_t Value) {
  const auto v = static_cast<std::uint32_t>(Value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                 static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  Stream->Write(bytes, 4);
}

void SwapIntegers(int& A, int& B) { std::swap(A, B); }

bool TestCharInSet(unsigned char Ch, const TCharSet256& CharSet) { return (CharSet.Bits[Ch >> 3] >> (Ch & 7)) & 1; }
