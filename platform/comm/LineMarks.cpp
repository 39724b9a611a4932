#include "platform/comm/LineMarks.h"

#include "platform/comm/Comm.h"

namespace platform {

std::size_t LineMarkDecoder::Decode(const win::BYTE* in, std::size_t n, win::BYTE* out,
                                    const LineMarkOptions& options, win::DWORD& errors, win::DWORD& events) {
  std::size_t written = 0;
  auto emit = [&](win::BYTE c) {
    if (!(options.dropNulls && c == 0)) out[written++] = c;
  };
  for (std::size_t i = 0; i < n; ++i) {
    win::BYTE c = in[i];
    switch (FState) {
      case 0:
        if (c == 0xFF)
          FState = 1;
        else
          emit(c);
        break;
      case 1:
        FState = c == 0 ? 2 : 0;
        if (c != 0) emit(c);
        break;
      default:
        FState = 0;
        if (c == 0) {
          // A break brings no byte. (A parity error on a NUL byte looks the same.)
          errors |= win::CE_BREAK;
          events |= win::EV_BREAK;
        } else {
          // The driver marks framing and parity errors alike.
          errors |= options.parityEnabled ? win::CE_RXPARITY : win::CE_FRAME;
          events |= win::EV_ERR;
          emit(options.replaceErrors ? options.errorChar : c);
        }
        break;
    }
  }
  return written;
}

}  // namespace platform
