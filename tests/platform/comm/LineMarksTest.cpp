#include "platform/comm/LineMarks.h"

#include <vector>

#include <gtest/gtest.h>

#include "platform/comm/Comm.h"

namespace {

using Bytes = std::vector<win::BYTE>;

struct Case {
  const char* what;
  Bytes raw;
  platform::LineMarkOptions options;
  Bytes bytes;
  win::DWORD errors;
  win::DWORD events;
};

platform::LineMarkOptions Opt(bool dropNulls, bool replace, win::BYTE errorChar, bool parity) {
  platform::LineMarkOptions o;
  o.dropNulls = dropNulls;
  o.replaceErrors = replace;
  o.errorChar = errorChar;
  o.parityEnabled = parity;
  return o;
}

const Case kCases[] = {
    {"plain bytes", {0xC6, 0x11, 0x00, 0xBB}, {}, {0xC6, 0x11, 0x00, 0xBB}, 0, 0},
    {"doubled 0xFF is one 0xFF", {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x02}, {}, {0x01, 0xFF, 0xFF, 0x02}, 0, 0},
    {"framing error keeps the byte", {0x41, 0xFF, 0x00, 0x42, 0x43}, {}, {0x41, 0x42, 0x43}, win::CE_FRAME,
     win::EV_ERR},
    {"parity error with replacement", {0xFF, 0x00, 0x42, 0x43}, Opt(false, true, '?', true), {'?', 0x43},
     win::CE_RXPARITY, win::EV_ERR},
    {"break brings no byte", {0x41, 0xFF, 0x00, 0x00, 0x42}, {}, {0x41, 0x42}, win::CE_BREAK, win::EV_BREAK},
    {"nulls dropped, marks still read", {0x00, 0x41, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF}, Opt(true, false, 0, false),
     {0x41, 0xFF}, win::CE_BREAK, win::EV_BREAK},
};

TEST(LineMarkDecoderTest, DecodesWholeAndSplitAcrossReads) {
  for (const Case& c : kCases) {
    // Every split point: a mark cut in two by the reads must decode as if read at once.
    for (std::size_t cut = 0; cut <= c.raw.size(); ++cut) {
      platform::LineMarkDecoder decoder;
      Bytes out(c.raw.size());
      win::DWORD errors = 0, events = 0;
      std::size_t n = decoder.Decode(c.raw.data(), cut, out.data(), c.options, errors, events);
      n += decoder.Decode(c.raw.data() + cut, c.raw.size() - cut, out.data() + n, c.options, errors, events);
      out.resize(n);
      EXPECT_EQ(out, c.bytes) << c.what << ", cut at " << cut;
      EXPECT_EQ(errors, c.errors) << c.what;
      EXPECT_EQ(events, c.events) << c.what;
    }
  }
}

}  // namespace
