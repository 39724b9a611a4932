#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/classes/FormDescription.h"
#include "platform/classes/StreamAdapter.h"
#include "platform/classes/Streams.h"
#include "platform/system/Resources.h"
#include "tests/support/Artifacts.h"

namespace {

TEST(StreamsTest, MemoryStreamGrowsReadsBackAndFailsShortReads) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  m.SetPosition(2);
  m.WriteBuffer("XY", 2);
  EXPECT_EQ(m.Size(), 6);
  char buf[8] = {};
  m.SetPosition(0);
  EXPECT_EQ(m.Read(buf, 8), 6);
  EXPECT_STREQ(buf, "abXYef");
  m.SetPosition(4);
  try {
    m.ReadBuffer(buf, 3);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  // Writing past the end leaves a zero-filled gap.
  m.Seek(2, soEnd);
  m.WriteBuffer("Z", 1);
  EXPECT_EQ(m.Size(), 9);
  EXPECT_EQ(static_cast<const char*>(m.Memory())[7], '\0');
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Read(buf, 1), 0);
}

TEST(StreamsTest, StringStreamAndCopyFrom) {
  TStringStream s("hello");
  s.Seek(0, soEnd);
  s.WriteString(" world");
  EXPECT_EQ(s.DataString(), "hello world");
  s.SetPosition(6);
  EXPECT_EQ(s.ReadString(100), "world");
  TMemoryStream m;
  EXPECT_EQ(m.CopyFrom(&s, 0), 11);
  EXPECT_EQ(std::memcmp(m.Memory(), "hello world", 11), 0);
  s.SetPosition(10);
  EXPECT_THROW(m.CopyFrom(&s, 5), EReadError);
}

TEST(StreamsTest, FileStreamsHonourShareModesWithinTheProcess) {
  String path = testsupport::TempDir("streams") + "/share.bin";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("12345", 5);
  }
  struct Case {
    std::uint16_t first, second;
    bool allowed;
  } cases[] = {
      {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},  // the newcomer denies what is there
      {fmOpenRead | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyNone, fmCreate, false},
  };
  for (const auto& c : cases) {
    TFileStream first(path, c.first);
    if (c.allowed) {
      EXPECT_NO_THROW(TFileStream(path, c.second)) << c.first << " " << c.second;
    } else {
      EXPECT_THROW(TFileStream(path, c.second), EStreamError) << c.first << " " << c.second;
    }
  }
  // A refused create leaves the file as it was.
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(m.Size(), 5);
  try {
    TFileStream missing(path + ".none", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path + ".none");
  }
  EXPECT_THROW(TFileStream(testsupport::TempDir("streams") + "/no/such/dir/x", fmCreate), EFCreateError);
}

TEST(StreamsTest, HandleStreamWorksOnADescriptorItDoesNotOwn) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  {
    THandleStream out(fds[1]);
    out.WriteBuffer("ping", 4);
  }
  THandleStream in(fds[0]);
  char buf[4];
  in.ReadBuffer(buf, 4);
  EXPECT_EQ(std::memcmp(buf, "ping", 4), 0);
  ::close(fds[1]);
  EXPECT_EQ(in.Read(buf, 4), 0);
  ::close(fds[0]);
}

const unsigned char kBlob[] = {1, 2, 3};

TEST(StreamsTest, ResourceStreamReadsEmbeddedDataAndIsReadOnly) {
  static const platform::ResourceEntry entries[] = {{"RCDATA", "STREAMS_TEST_BLOB", kBlob, sizeof kBlob}};
  platform::RegisterResources(entries, 1);
  TResourceStream r(nullptr, "streams_test_blob", win::RT_RCDATA);
  EXPECT_EQ(r.Size(), 3);
  std::uint8_t b[3];
  r.ReadBuffer(b, 3);
  EXPECT_EQ(b[2], 3);
  EXPECT_THROW(r.WriteBuffer(b, 1), EStreamError);
  try {
    TResourceStream missing(nullptr, "NO_SUCH_THING", win::RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NO_SUCH_THING not found");
  }
}

TEST(StreamsTest, TruncatedOrForeignStoredFormsRaiseInsteadOfReadingGarbage) {
  TMemoryStream junk;
  junk.WriteBuffer("XXXX", 4);
  junk.SetPosition(0);
  EXPECT_THROW(junk.ReadComponent(nullptr), EReadError);
  // A length field that points far past the end.
  const unsigned char truncated[] = {'V', 'W', 'F', '0', 5, 'T', 'F', 'o', 'o'};
  TMemoryStream t;
  t.WriteBuffer(truncated, sizeof truncated);
  t.SetPosition(0);
  EXPECT_THROW(t.ReadComponent(nullptr), EReadError);
}

}  // namespace

namespace {

TEST(StreamAdapterTest, AComponentObjectStreamReachesTheStreamObject) {
  TMemoryStream m;
  auto* s = new TStreamAdapter(&m);
  win::ULONG n = 0;
  EXPECT_EQ(s->Write("abcdef", 6, &n), win::S_OK);
  EXPECT_EQ(n, 6u);
  win::STATSTG st;
  EXPECT_EQ(s->Stat(&st, win::STATFLAG_NONAME), win::S_OK);
  EXPECT_EQ(st.cbSize.QuadPart, 6u);
  win::ULARGE_INTEGER at{};
  EXPECT_EQ(s->Seek(win::LARGE_INTEGER{-2}, win::STREAM_SEEK_END, &at), win::S_OK);
  EXPECT_EQ(at.QuadPart, 4u);
  char buf[4];
  EXPECT_EQ(s->Read(buf, 4, &n), win::S_FALSE);
  EXPECT_EQ(std::string(buf, n), "ef");
  EXPECT_EQ(s->Release(), 0u);
  EXPECT_EQ(m.Size(), 6);  // a referenced stream outlives its adapter

  auto* owned = new TStreamAdapter(new TMemoryStream, soOwned);
  owned->Release();  // frees the stream too (LeakSanitizer would tell)
}

}  // namespace
