#pragma once
// A table of objects reached through handle values. A handle encodes its kind, a slot and the
// slot's generation, so a stale handle (slot reused) or a handle of another kind is rejected
// instead of dereferenced.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

enum class HandleKind : std::uint8_t {
  Window = 1, DeviceContext, Brush, Pen, Font, Bitmap, Region, Palette, Menu, Hook, Icon, Cursor,
  Event, Thread, File, Resource, Monitor, Key, Timer, Instance, Mutex, Semaphore, Comm, Other, GdiPlus
};

// Kind in bits 56..63, generation in 24..55, slot in 0..23. Never zero.
inline std::uintptr_t EncodeHandle(HandleKind kind, std::uint32_t slot, std::uint32_t generation) {
  return (static_cast<std::uintptr_t>(kind) << 56) | (static_cast<std::uintptr_t>(generation) << 24) | slot;
}
inline HandleKind HandleKindOf(std::uintptr_t value) { return static_cast<HandleKind>(value >> 56); }

template <class T>
class HandleTable {
 public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}

  std::uintptr_t Add(std::unique_ptr<T> object) {
    std::lock_guard lock(mutex_);
    std::uint32_t slot;
    if (!free_.empty()) {
      slot = free_.back();
      free_.pop_back();
    } else {
      slot = static_cast<std::uint32_t>(slots_.size());
      slots_.push_back({});
    }
    Slot& s = slots_[slot];
    s.generation = (s.generation + 1) & 0xFFFFFFFFu;
    if (s.generation == 0) s.generation = 1;
    s.object = std::move(object);
    return EncodeHandle(kind_, slot, s.generation);
  }

  // The object behind a handle, or nullptr when the handle is null, stale or of another kind.
  T* Get(std::uintptr_t value) const {
    std::lock_guard lock(mutex_);
    const Slot* s = Find(value);
    return s ? s->object.get() : nullptr;
  }

  // Runs f on the object under the table's lock, so that another thread cannot take the object
  // out and free it meanwhile. False when the handle is stale.
  template <class F>
  bool Visit(std::uintptr_t value, F&& f) const {
    std::lock_guard lock(mutex_);
    const Slot* s = Find(value);
    if (!s) return false;
    f(*s->object);
    return true;
  }

  // Takes the object out of the table; the handle is stale from now on.
  std::unique_ptr<T> Remove(std::uintptr_t value) {
    std::lock_guard lock(mutex_);
    Slot* s = const_cast<Slot*>(Find(value));
    if (!s) return nullptr;
    std::unique_ptr<T> out = std::move(s->object);
    free_.push_back(static_cast<std::uint32_t>(value & 0xFFFFFF));
    return out;
  }

  template <class F>
  void ForEach(F&& f) const {
    std::vector<std::pair<std::uintptr_t, T*>> all;
    {
      std::lock_guard lock(mutex_);
      for (std::uint32_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].object) all.emplace_back(EncodeHandle(kind_, i, slots_[i].generation), slots_[i].object.get());
    }
    for (auto& [h, p] : all) f(h, p);
  }

  // Whether `pred` holds for any object, asked under the table's lock without copying the list:
  // `pred` must not call back into this table.
  template <class P>
  bool AnyOf(P&& pred) const {
    std::lock_guard lock(mutex_);
    for (const Slot& s : slots_)
      if (s.object && pred(*s.object)) return true;
    return false;
  }

  std::size_t Count() const {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const Slot& s : slots_) n += s.object ? 1 : 0;
    return n;
  }

 private:
  struct Slot {
    std::uint32_t generation = 0;
    std::unique_ptr<T> object;
  };

  const Slot* Find(std::uintptr_t value) const {
    if (value == 0 || HandleKindOf(value) != kind_) return nullptr;
    std::uint32_t slot = static_cast<std::uint32_t>(value & 0xFFFFFF);
    std::uint32_t generation = static_cast<std::uint32_t>((value >> 24) & 0xFFFFFFFFu);
    if (slot >= slots_.size()) return nullptr;
    const Slot& s = slots_[slot];
    if (!s.object || s.generation != generation) return nullptr;
    return &s;
  }

  HandleKind kind_;
  mutable std::mutex mutex_;
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_;
};

template <class H>
std::uintptr_t HandleValue(H h) { return reinterpret_cast<std::uintptr_t>(h); }
template <class H>
H MakeHandle(std::uintptr_t v) { return reinterpret_cast<H>(v); }

}  // namespace platform
