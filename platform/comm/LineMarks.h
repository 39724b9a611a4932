#pragma once
// The line discipline reports receive errors in band: a byte that arrived with a framing or parity
// error comes as "\377 \0 x", a break as "\377 \0 \0", and a received 0xFF is doubled. This turns
// such a stream back into the bytes received plus the error bits of the serial API, also when a
// mark is split across reads.
#include <cstddef>

#include "platform/system/Types.h"

namespace platform {

struct LineMarkOptions {
  bool dropNulls = false;        // discard received NUL bytes
  bool replaceErrors = false;    // put `errorChar` in place of a byte received with an error
  win::BYTE errorChar = 0;
  bool parityEnabled = false;    // decides whether a marked byte counts as a parity or a framing error
};

class LineMarkDecoder {
 public:
  // Decodes `n` raw bytes into `out`, which has room for `n`; returns the bytes written. Error
  // bits (CE_*) and events (EV_ERR, EV_BREAK) found are added to `errors` and `events`.
  std::size_t Decode(const win::BYTE* in, std::size_t n, win::BYTE* out, const LineMarkOptions& options,
                     win::DWORD& errors, win::DWORD& events);
  void Reset() { FState = 0; }

 private:
  int FState = 0;  // 1 after "\377", 2 after "\377 \0"
};

}  // namespace platform
