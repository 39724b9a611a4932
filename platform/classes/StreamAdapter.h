#pragma once
// A stream object seen as a component-object stream, for the platform calls that take one (image
// codecs). Reads, writes and seeks go straight to the stream object.
#include <atomic>

#include "platform/classes/Streams.h"
#include "platform/win/ComStream.h"

enum TStreamOwnership { soReference, soOwned };

class TStreamAdapter final : public win::IStream {
 public:
  // Holds one reference, which the caller gives back with Release. An owned stream is freed with
  // the adapter.
  explicit TStreamAdapter(TStream* Stream, TStreamOwnership Ownership = soReference);

  TStream* Stream() const { return FStream; }

  win::ULONG AddRef() override;
  win::ULONG Release() override;
  win::HRESULT Read(void* buffer, win::ULONG count, win::ULONG* read) override;
  win::HRESULT Write(const void* buffer, win::ULONG count, win::ULONG* written) override;
  win::HRESULT Seek(win::LARGE_INTEGER move, win::DWORD origin, win::ULARGE_INTEGER* newPosition) override;
  win::HRESULT SetSize(win::ULARGE_INTEGER size) override;
  win::HRESULT Stat(win::STATSTG* stat, win::DWORD flags) override;

 private:
  ~TStreamAdapter() override;

  TStream* FStream;
  TStreamOwnership FOwnership;
  std::atomic<win::ULONG> FRefCount{1};
};
