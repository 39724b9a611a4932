// The stream over GlobalAlloc memory.
#include "platform/win/ComStream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

#include "platform/win/Clipboard.h"

namespace win {

namespace {

class HGlobalStream final : public IStream {
 public:
  HGlobalStream(HGLOBAL global, bool owns) : global_(global), owns_(owns) {}

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    if (read) *read = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    std::uint64_t size = GlobalSize(global_);
    std::uint64_t n = position_ >= size ? 0 : std::min<std::uint64_t>(count, size - position_);
    if (n) {
      auto* p = static_cast<const std::uint8_t*>(GlobalLock(global_));
      if (!p) return E_FAIL;
      std::memcpy(buffer, p + position_, static_cast<std::size_t>(n));
      GlobalUnlock(global_);
      position_ += n;
    }
    if (read) *read = static_cast<ULONG>(n);
    return n == count ? S_OK : S_FALSE;
  }

  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    if (!count) return S_OK;
    std::uint64_t end = position_ + count;
    if (end > GlobalSize(global_) && !GlobalReAlloc(global_, static_cast<std::size_t>(end), GMEM_MOVEABLE))
      return STG_E_MEDIUMFULL;
    auto* p = static_cast<std::uint8_t*>(GlobalLock(global_));
    if (!p) return E_FAIL;
    std::memcpy(p + position_, buffer, count);
    GlobalUnlock(global_);
    position_ = end;
    if (written) *written = count;
    return S_OK;
  }

  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    std::int64_t base;
    switch (origin) {
      case STREAM_SEEK_SET: base = 0; break;
      case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(position_); break;
      case STREAM_SEEK_END: base = static_cast<std::int64_t>(GlobalSize(global_)); break;
      default: return STG_E_INVALIDFUNCTION;
    }
    if ((move.QuadPart < 0 && base + move.QuadPart < 0) ||
        (move.QuadPart > 0 && base > std::numeric_limits<std::int64_t>::max() - move.QuadPart))
      return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::uint64_t>(base + move.QuadPart);
    if (newPosition) newPosition->QuadPart = position_;
    return S_OK;
  }

  HRESULT SetSize(ULARGE_INTEGER size) override {
    if (size.QuadPart > std::numeric_limits<std::size_t>::max() / 2) return STG_E_MEDIUMFULL;
    return GlobalReAlloc(global_, static_cast<std::size_t>(size.QuadPart), GMEM_MOVEABLE) ? S_OK : STG_E_MEDIUMFULL;
  }

  HRESULT Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->cbSize.QuadPart = GlobalSize(global_);
    return S_OK;
  }

 private:
  ~HGlobalStream() override {
    if (owns_) GlobalFree(global_);
  }

  HGLOBAL global_;
  bool owns_;
  std::atomic<ULONG> refs_{1};
  std::uint64_t position_ = 0;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL global, BOOL deleteOnRelease, IStream** stream) {
  if (!stream) return E_INVALIDARG;
  *stream = nullptr;
  if (!global) {
    // Nothing can reach a block made here but the stream, so the stream always frees it.
    global = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!global) return E_OUTOFMEMORY;
    deleteOnRelease = TRUE;
  } else if (!GlobalLock(global)) {
    return E_INVALIDARG;
  } else {
    GlobalUnlock(global);
  }
  *stream = new HGlobalStream(global, deleteOnRelease != FALSE);
  return S_OK;
}

}  // namespace win
