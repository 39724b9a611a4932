// The stream over GlobalAlloc memory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/Clipboard.h"
#include "platform/win/ComStream.h"

namespace {

using namespace win;

TEST(HGlobalStream, WritesGrowReadsStopAtTheEndAndSeeksStayInside) {
  IStream* s = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &s), S_OK);
  ULONG n = 0;
  EXPECT_EQ(s->Write("hello world", 11, &n), S_OK);
  EXPECT_EQ(n, 11u);
  STATSTG st;
  EXPECT_EQ(s->Stat(&st, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(st.cbSize.QuadPart, 11u);

  ULARGE_INTEGER pos{};
  EXPECT_EQ(s->Seek(LARGE_INTEGER{6}, STREAM_SEEK_SET, &pos), S_OK);
  EXPECT_EQ(pos.QuadPart, 6u);
  char buf[16] = {};
  EXPECT_EQ(s->Read(buf, sizeof buf, &n), S_FALSE);
  EXPECT_EQ(std::string(buf, n), "world");
  EXPECT_EQ(s->Read(buf, 4, &n), S_FALSE);
  EXPECT_EQ(n, 0u);

  EXPECT_EQ(s->Seek(LARGE_INTEGER{-12}, STREAM_SEEK_END, &pos), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(s->Seek(LARGE_INTEGER{-5}, STREAM_SEEK_END, &pos), S_OK);
  EXPECT_EQ(pos.QuadPart, 6u);
  // Writing past the end fills the gap with zeros.
  EXPECT_EQ(s->Seek(LARGE_INTEGER{14}, STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(s->Write("!", 1, nullptr), S_OK);
  s->Stat(&st, STATFLAG_NONAME);
  EXPECT_EQ(st.cbSize.QuadPart, 15u);
  EXPECT_EQ(s->Release(), 0u);
}

TEST(HGlobalStream, ReadsTheCallersBlockAndLeavesItUnlessAskedToFreeIt) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(mem), "abc", 3);
  GlobalUnlock(mem);
  IStream* s = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(mem, FALSE, &s), S_OK);
  s->AddRef();
  EXPECT_EQ(s->Release(), 1u);
  char buf[3];
  ULONG n = 0;
  EXPECT_EQ(s->Read(buf, 3, &n), S_OK);
  EXPECT_EQ(std::string(buf, 3), "abc");
  s->Release();
  EXPECT_EQ(GlobalSize(mem), 3u);
  EXPECT_EQ(GlobalFree(mem), nullptr);

  EXPECT_EQ(CreateStreamOnHGlobal(mem, FALSE, &s), E_INVALIDARG);  // a freed block
  EXPECT_EQ(s, nullptr);
}

}  // namespace
