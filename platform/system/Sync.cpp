#include "platform/system/Sync.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/system/HandleTable.h"

namespace win {
namespace {

thread_local DWORD t_lastError = 0;

}  // namespace

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD code) { t_lastError = code; }

}  // namespace win

namespace platform {
namespace {

// One lock and one condition for every waitable object keeps multi-object waits simple and
// correct; the console has a handful of such objects, so contention does not matter. They are
// never destroyed: a detached thread may still close its handle while the program exits.
std::mutex& g_lock = *new std::mutex;
std::condition_variable& g_changed = *new std::condition_variable;

struct Waitable {
  virtual ~Waitable() = default;
  virtual bool Signalled() const = 0;
  // Called under g_lock when a wait is satisfied by this object.
  virtual void Consume() {}
};

struct Event final : Waitable {
  bool manual = false;
  bool state = false;
  int fd = -1;
  ~Event() override {
    if (fd >= 0) close(fd);
  }
  bool Signalled() const override { return state; }
  void Consume() override {
    if (!manual) Set(false);
  }
  void Set(bool on) {
    state = on;
    if (fd < 0) return;
    if (on) {
      std::uint64_t one = 1;
      [[maybe_unused]] auto n = write(fd, &one, sizeof one);
    } else {
      std::uint64_t drained;
      while (read(fd, &drained, sizeof drained) > 0) {
      }
    }
  }
};

// What a running thread writes when it ends; shared so that closing the handle early is safe.
struct ThreadState {
  bool finished = false;
  win::DWORD exitCode = win::STILL_ACTIVE;
};

struct Thread final : Waitable {
  std::thread thread;
  std::shared_ptr<ThreadState> state = std::make_shared<ThreadState>();
  bool started = false;
  win::DWORD id = 0;
  int priority = 0;
  win::LPTHREAD_START_ROUTINE start = nullptr;
  void* parameter = nullptr;
  ~Thread() override {
    if (thread.joinable()) thread.detach();
  }
  bool Signalled() const override { return state->finished; }
};

HandleTable<Waitable>& Objects() {
  static auto* table = new HandleTable<Waitable>(HandleKind::Event);  // outlives exiting threads
  return *table;
}

Waitable* Find(win::HANDLE h) { return Objects().Get(HandleValue(h)); }

std::atomic<win::DWORD> g_nextThreadId{1};
thread_local win::DWORD t_threadId = 0;

void StartThread(Thread* t) {
  t->started = true;
  t->thread = std::thread([state = t->state, id = t->id, start = t->start, parameter = t->parameter] {
    t_threadId = id;
    win::DWORD code = start(parameter);
    std::lock_guard lock(g_lock);
    state->exitCode = code;
    state->finished = true;
    g_changed.notify_all();
  });
}

std::atomic<HandleCloser> g_closers[256];

}  // namespace

void RegisterHandleCloser(unsigned kind, HandleCloser closer) { g_closers[kind & 0xFF].store(closer); }

int EventDescriptor(win::HANDLE h) {
  std::lock_guard lock(g_lock);
  auto* e = dynamic_cast<Event*>(Find(h));
  if (!e || !e->manual) return -1;
  if (e->fd < 0) {
    e->fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (e->state) e->Set(true);
  }
  return e->fd;
}

}  // namespace platform

namespace win {

using platform::g_changed;
using platform::g_lock;

HANDLE CreateEvent(void*, BOOL manualReset, BOOL initialState, LPCSTR) {
  auto e = std::make_unique<platform::Event>();
  e->manual = manualReset != FALSE;
  e->state = initialState != FALSE;
  return platform::MakeHandle<HANDLE>(platform::Objects().Add(std::move(e)));
}

static BOOL ChangeEvent(HANDLE h, bool on, bool pulse = false) {
  std::lock_guard lock(g_lock);
  auto* e = dynamic_cast<platform::Event*>(platform::Find(h));
  if (!e) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  e->Set(on);
  g_changed.notify_all();
  if (pulse) e->Set(false);
  return TRUE;
}

BOOL SetEvent(HANDLE h) { return ChangeEvent(h, true); }
BOOL ResetEvent(HANDLE h) { return ChangeEvent(h, false); }
BOOL PulseEvent(HANDLE h) { return ChangeEvent(h, true, true); }

HANDLE CreateThread(void*, std::size_t, LPTHREAD_START_ROUTINE start, void* parameter, DWORD flags, DWORD* threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto t = std::make_unique<platform::Thread>();
  t->start = start;
  t->parameter = parameter;
  t->id = platform::g_nextThreadId.fetch_add(1) + 1;
  platform::Thread* raw = t.get();
  HANDLE h = platform::MakeHandle<HANDLE>(platform::Objects().Add(std::move(t)));
  if (threadId) *threadId = raw->id;
  if (!(flags & CREATE_SUSPENDED)) platform::StartThread(raw);
  return h;
}

DWORD ResumeThread(HANDLE h) {
  auto* t = dynamic_cast<platform::Thread*>(platform::Find(h));
  if (!t) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  if (t->started) return 0;
  platform::StartThread(t);
  return 1;
}

BOOL GetExitCodeThread(HANDLE h, DWORD* exitCode) {
  std::lock_guard lock(g_lock);
  auto* t = dynamic_cast<platform::Thread*>(platform::Find(h));
  if (!t || !exitCode) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exitCode = t->state->exitCode;
  return TRUE;
}

DWORD GetCurrentThreadId() {
  // Threads not started through CreateThread (the main thread among them) get an id on first use.
  if (platform::t_threadId == 0) platform::t_threadId = platform::g_nextThreadId.fetch_add(1) + 1;
  return platform::t_threadId;
}

HANDLE GetCurrentThread() { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-2)); }

BOOL SetThreadPriority(HANDLE h, int priority) {
  auto* t = dynamic_cast<platform::Thread*>(platform::Find(h));
  if (!t) return h == GetCurrentThread() ? TRUE : FALSE;
  // Linux gives unprivileged threads no higher priorities; the value is kept for GetThreadPriority.
  t->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE h) {
  auto* t = dynamic_cast<platform::Thread*>(platform::Find(h));
  return t ? t->priority : THREAD_PRIORITY_NORMAL;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::unique_lock lock(g_lock);
  std::vector<platform::Waitable*> objects(count);
  for (DWORD i = 0; i < count; ++i) {
    objects[i] = platform::Find(handles[i]);
    if (!objects[i]) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (waitAll) {
      bool all = true;
      for (auto* o : objects) all = all && o->Signalled();
      if (all) {
        for (auto* o : objects) o->Consume();
        return WAIT_OBJECT_0;
      }
    } else {
      for (DWORD i = 0; i < count; ++i) {
        if (objects[i]->Signalled()) {
          objects[i]->Consume();
          return WAIT_OBJECT_0 + i;
        }
      }
    }
    if (ms == 0) return WAIT_TIMEOUT;
    if (ms == INFINITE) {
      g_changed.wait(lock);
    } else if (g_changed.wait_until(lock, deadline) == std::cv_status::timeout) {
      ms = 0;  // one last look before reporting the time-out
    }
    // Objects may have been closed while we slept; a closed handle fails the wait.
    for (DWORD i = 0; i < count; ++i) {
      if (platform::Find(handles[i]) != objects[i]) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
      }
    }
  }
}

DWORD WaitForSingleObject(HANDLE h, DWORD ms) { return WaitForMultipleObjects(1, &h, FALSE, ms); }

BOOL CloseHandle(HANDLE h) {
  auto kind = static_cast<unsigned>(platform::HandleKindOf(platform::HandleValue(h)));
  if (kind != static_cast<unsigned>(platform::HandleKind::Event)) {
    if (platform::HandleCloser closer = platform::g_closers[kind & 0xFF].load()) return closer(h);
  }
  std::unique_ptr<platform::Waitable> object;
  {
    std::lock_guard lock(g_lock);
    object = platform::Objects().Remove(platform::HandleValue(h));
    g_changed.notify_all();
  }
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // A thread goes on running when its handle is closed, as on the platform.
  if (auto* t = dynamic_cast<platform::Thread*>(object.get()); t && t->thread.joinable()) {
    bool finished;
    {
      std::lock_guard lock(g_lock);
      finished = t->state->finished;
    }
    if (finished)
      t->thread.join();
    else
      t->thread.detach();
  }
  return TRUE;
}

}  // namespace win
