#include "platform/classes/StreamAdapter.h"

#include <algorithm>
#include <limits>

TStreamAdapter::TStreamAdapter(TStream* Stream, TStreamOwnership Ownership) : FStream(Stream), FOwnership(Ownership) {}

TStreamAdapter::~TStreamAdapter() {
  if (FOwnership == soOwned) TObject::Free(FStream);
}

win::ULONG TStreamAdapter::AddRef() { return ++FRefCount; }

win::ULONG TStreamAdapter::Release() {
  win::ULONG left = --FRefCount;
  if (left == 0) delete this;
  return left;
}

// The stream object's errors end here: a component-object call answers with a code instead.
win::HRESULT TStreamAdapter::Read(void* buffer, win::ULONG count, win::ULONG* read) {
  if (read) *read = 0;
  if (!buffer && count) return win::STG_E_INVALIDPOINTER;
  try {
    win::ULONG total = 0;
    while (total < count) {
      auto chunk = static_cast<std::int32_t>(std::min<win::ULONG>(count - total, std::numeric_limits<std::int32_t>::max()));
      std::int32_t got = FStream->Read(static_cast<char*>(buffer) + total, chunk);
      if (got <= 0) break;
      total += static_cast<win::ULONG>(got);
    }
    if (read) *read = total;
    return total == count ? win::S_OK : win::S_FALSE;
  } catch (const std::exception&) {
    return win::E_FAIL;
  }
}

win::HRESULT TStreamAdapter::Write(const void* buffer, win::ULONG count, win::ULONG* written) {
  if (written) *written = 0;
  if (!buffer && count) return win::STG_E_INVALIDPOINTER;
  try {
    win::ULONG total = 0;
    while (total < count) {
      auto chunk = static_cast<std::int32_t>(std::min<win::ULONG>(count - total, std::numeric_limits<std::int32_t>::max()));
      std::int32_t put = FStream->Write(static_cast<const char*>(buffer) + total, chunk);
      if (put <= 0) break;
      total += static_cast<win::ULONG>(put);
    }
    if (written) *written = total;
    return total == count ? win::S_OK : win::STG_E_MEDIUMFULL;
  } catch (const std::exception&) {
    return win::STG_E_ACCESSDENIED;
  }
}

win::HRESULT TStreamAdapter::Seek(win::LARGE_INTEGER move, win::DWORD origin, win::ULARGE_INTEGER* newPosition) {
  if (origin > win::STREAM_SEEK_END) return win::STG_E_INVALIDFUNCTION;
  try {
    std::int64_t at = FStream->Seek(move.QuadPart, static_cast<TSeekOrigin>(origin));
    if (at < 0) return win::STG_E_INVALIDFUNCTION;
    if (newPosition) newPosition->QuadPart = static_cast<std::uint64_t>(at);
    return win::S_OK;
  } catch (const std::exception&) {
    return win::STG_E_INVALIDFUNCTION;
  }
}

win::HRESULT TStreamAdapter::SetSize(win::ULARGE_INTEGER size) {
  try {
    FStream->SetSize(static_cast<std::int64_t>(size.QuadPart));
    return win::S_OK;
  } catch (const std::exception&) {
    return win::E_FAIL;
  }
}

win::HRESULT TStreamAdapter::Stat(win::STATSTG* stat, win::DWORD) {
  if (!stat) return win::STG_E_INVALIDPOINTER;
  try {
    *stat = win::STATSTG{};
    stat->cbSize.QuadPart = static_cast<std::uint64_t>(FStream->Size());
    return win::S_OK;
  } catch (const std::exception&) {
    return win::E_FAIL;
  }
}
