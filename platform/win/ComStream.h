#pragma once
// Byte streams in the shape of the platform's component-object interface, as image codecs take
// them: a reference-counted object with Read, Write, Seek and Stat. One kind comes with the
// platform, a stream over GlobalAlloc memory.
#include <cstdint>

#include "platform/system/Types.h"
#include "platform/win/Ole.h"

namespace win {

union LARGE_INTEGER {
  std::int64_t QuadPart;
};
union ULARGE_INTEGER {
  std::uint64_t QuadPart;
};

constexpr DWORD STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2;
constexpr DWORD STATFLAG_DEFAULT = 0, STATFLAG_NONAME = 1;
constexpr DWORD STGTY_STREAM = 2;

// What Stat tells; streams here have no names, so pwcsName is always null.
struct STATSTG {
  char* pwcsName = nullptr;
  DWORD type = STGTY_STREAM;
  ULARGE_INTEGER cbSize{0};
};

class IStream {
 public:
  virtual ULONG AddRef() = 0;
  // The stream frees itself when the last reference goes.
  virtual ULONG Release() = 0;
  // S_OK with *read == count, S_FALSE when fewer bytes were left.
  virtual HRESULT Read(void* buffer, ULONG count, ULONG* read) = 0;
  virtual HRESULT Write(const void* buffer, ULONG count, ULONG* written) = 0;
  virtual HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) = 0;
  virtual HRESULT SetSize(ULARGE_INTEGER size) = 0;
  virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;

 protected:
  virtual ~IStream() = default;
};

// A stream over a GlobalAlloc block (a new, growing one when `global` is null), positioned at its
// start, holding one reference. With deleteOnRelease (always for a block made here) the block is
// freed with the stream.
HRESULT CreateStreamOnHGlobal(HGLOBAL global, BOOL deleteOnRelease, IStream** stream);

}  // namespace win
