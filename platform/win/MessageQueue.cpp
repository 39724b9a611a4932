#include <algorithm>
#include <atomic>
#include <map>

#include "platform/system/Clock.h"
#include "platform/system/Sync.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

std::mutex g_queuesMutex;
std::map<DWORD, std::shared_ptr<ThreadQueue>>& Queues() {
  static std::map<DWORD, std::shared_ptr<ThreadQueue>> m;
  return m;
}

void ReplyUnanswered(ThreadQueue& q);

// Forgets the thread's queue when the thread ends.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueHolder() {
    if (!queue) return;
    {
      std::lock_guard lock(g_queuesMutex);
      Queues().erase(queue->threadId);
    }
    ReplyUnanswered(*queue);
  }
};

thread_local QueueHolder t_queue;

bool InFilter(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

bool WindowMatches(HWND msgWnd, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<INT_PTR>(-1))) return msgWnd == nullptr;
  return msgWnd == filter || IsChild(filter, msgWnd);
}

std::atomic<UINT> g_nextRegistered{0xC000};

}  // namespace

ThreadQueue& CurrentQueue() {
  if (!t_queue.queue) {
    auto q = std::make_shared<ThreadQueue>();
    q->threadId = GetCurrentThreadId();
    std::lock_guard lock(g_queuesMutex);
    Queues()[q->threadId] = q;
    t_queue.queue = q;
  }
  return *t_queue.queue;
}

// Held, not borrowed: a thread that gets its answer may end, and free its queue, at once.
std::shared_ptr<ThreadQueue> QueueRef(DWORD threadId) {
  std::lock_guard lock(g_queuesMutex);
  auto it = Queues().find(threadId);
  return it == Queues().end() ? nullptr : it->second;
}

ThreadQueue* QueueOf(DWORD threadId) {
  std::lock_guard lock(g_queuesMutex);
  auto it = Queues().find(threadId);
  return it == Queues().end() ? nullptr : it->second.get();
}

void WakeQueue(ThreadQueue& q) {
  q.wake.notify_all();
  if (q.displayThread && platform::HasDisplay()) platform::CurrentDisplay().Wake();
}

LRESULT CallProc(Window& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (ProcHook) return ProcHook(w, msg, wParam, lParam);
  return w.proc ? w.proc(w.handle, msg, wParam, lParam) : 0;
}

namespace {

// Runs the messages other threads sent to this one. Returns true when it ran any.
bool ProcessSent(ThreadQueue& q) {
  bool any = false;
  for (;;) {
    std::shared_ptr<SentMessage> m;
    {
      std::lock_guard lock(q.mutex);
      if (q.sent.empty()) return any;
      m = q.sent.front();
      q.sent.pop_front();
    }
    any = true;
    LRESULT result = 0;
    if (Window* w = Find(m->hwnd)) {
      SentMessage* outer = q.currentSent;
      q.currentSent = m.get();
      result = CallProc(*w, m->msg, m->wParam, m->lParam);
      q.currentSent = outer;
    }
    if (!m->notify && !m->done) {
      std::shared_ptr<ThreadQueue> sender = QueueRef(m->senderThread);
      if (!sender) continue;  // the sender is gone; nobody waits for the result
      {
        std::lock_guard lock(sender->mutex);
        m->result = result;
        m->done = true;
      }
      WakeQueue(*sender);
    }
  }
}

// Messages sent to a thread that ends without taking them are answered with 0, as if their
// window had gone: their senders would otherwise wait for ever.
void ReplyUnanswered(ThreadQueue& q) {
  std::deque<std::shared_ptr<SentMessage>> left;
  {
    std::lock_guard lock(q.mutex);
    q.ended = true;
    left.swap(q.sent);
  }
  for (auto& m : left) {
    if (m->notify) continue;
    std::shared_ptr<ThreadQueue> sender = QueueRef(m->senderThread);
    if (!sender) continue;
    {
      std::lock_guard lock(sender->mutex);
      m->result = 0;
      m->done = true;
    }
    WakeQueue(*sender);
  }
}

std::shared_ptr<SentMessage> QueueSend(HWND hwnd, DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam, bool notify) {
  // Held, not borrowed: the receiving thread may end while the message goes in.
  std::shared_ptr<ThreadQueue> target = QueueRef(threadId);
  if (!target) return nullptr;
  auto m = std::make_shared<SentMessage>(SentMessage{hwnd, msg, wParam, lParam});
  m->notify = notify;
  m->senderThread = GetCurrentThreadId();
  {
    std::lock_guard lock(target->mutex);
    if (target->ended) return nullptr;
    target->sent.push_back(m);
  }
  WakeQueue(*target);
  return m;
}

bool WaitForReply(ThreadQueue& self, const std::shared_ptr<SentMessage>& m, DWORD timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    // The receiver may send back to us while we wait; those must run, or both threads stall.
    ProcessSent(self);
    std::unique_lock lock(self.mutex);
    if (m->done) return true;
    if (!self.sent.empty()) continue;
    if (timeoutMs == INFINITE)
      self.wake.wait_for(lock, std::chrono::milliseconds(50));
    else if (self.wake.wait_until(lock, deadline) == std::cv_status::timeout && !m->done)
      return false;
  }
}

}  // namespace

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    std::vector<HWND> tops = TopLevels();
    for (HWND t : tops) SendMessage(t, msg, wParam, lParam);
    return 0;
  }
  // Another thread's window is only asked for its thread: it may be destroyed at any moment.
  DWORD thread = ThreadOfWindow(hwnd);
  if (!thread) return 0;
  if (thread == GetCurrentThreadId()) {
    Window* w = Get(hwnd);
    return w ? CallProc(*w, msg, wParam, lParam) : 0;
  }
  // The reply comes back through our own queue, which must exist before the message leaves.
  ThreadQueue& self = CurrentQueue();
  auto m = QueueSend(hwnd, thread, msg, wParam, lParam, false);
  if (!m) return 0;
  WaitForReply(self, m, INFINITE);
  return m->result;
}

LRESULT SendMessageTimeout(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT timeoutMs, DWORD_PTR* result) {
  DWORD thread = ThreadOfWindow(hwnd);
  if (!thread) return 0;
  if (thread == GetCurrentThreadId()) {
    Window* w = Get(hwnd);
    LRESULT r = w ? CallProc(*w, msg, wParam, lParam) : 0;
    if (result) *result = static_cast<DWORD_PTR>(r);
    return 1;
  }
  ThreadQueue& self = CurrentQueue();
  auto m = QueueSend(hwnd, thread, msg, wParam, lParam, false);
  if (!m) return 0;
  if (!WaitForReply(self, m, timeoutMs)) {
    SetLastError(ERROR_TIMEOUT);
    return 0;
  }
  if (result) *result = static_cast<DWORD_PTR>(m->result);
  return 1;
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD thread = ThreadOfWindow(hwnd);
  if (!thread) return FALSE;
  if (thread == GetCurrentThreadId()) {
    if (Window* w = Get(hwnd)) CallProc(*w, msg, wParam, lParam);
    return TRUE;
  }
  return QueueSend(hwnd, thread, msg, wParam, lParam, true) ? TRUE : FALSE;
}

BOOL InSendMessage() { return CurrentQueue().currentSent ? TRUE : FALSE; }

BOOL ReplyMessage(LRESULT result) {
  ThreadQueue& q = CurrentQueue();
  SentMessage* m = q.currentSent;
  if (!m || m->notify || m->done) return FALSE;
  std::shared_ptr<ThreadQueue> sender = QueueRef(m->senderThread);
  if (!sender) return FALSE;
  {
    std::lock_guard lock(sender->mutex);
    m->result = result;
    m->done = true;
  }
  WakeQueue(*sender);
  return TRUE;
}

namespace {

BOOL PostTo(ThreadQueue& q, const MSG& m) {
  {
    std::lock_guard lock(q.mutex);
    q.posted.push_back(m);
  }
  WakeQueue(q);
  return TRUE;
}

MSG MakeMsg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  POINT p = CursorPosition();
  m.pt = p;
  return m;
}

}  // namespace

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return PostThreadMessage(GetCurrentThreadId(), msg, wParam, lParam);
  if (hwnd == HWND_BROADCAST) {
    for (HWND t : TopLevels()) PostMessage(t, msg, wParam, lParam);
    return TRUE;
  }
  DWORD thread = ThreadOfWindow(hwnd);
  if (!thread) return FALSE;
  if (thread == GetCurrentThreadId()) return PostTo(CurrentQueue(), MakeMsg(hwnd, msg, wParam, lParam));
  std::shared_ptr<ThreadQueue> q = QueueRef(thread);
  if (!q) return FALSE;
  return PostTo(*q, MakeMsg(hwnd, msg, wParam, lParam));
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (threadId == GetCurrentThreadId()) return PostTo(CurrentQueue(), MakeMsg(nullptr, msg, wParam, lParam));
  std::shared_ptr<ThreadQueue> q = QueueRef(threadId);
  if (!q) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return PostTo(*q, MakeMsg(nullptr, msg, wParam, lParam));
}

void PostQuitMessage(int exitCode) {
  ThreadQueue& q = CurrentQueue();
  std::lock_guard lock(q.mutex);
  q.quitPending = true;
  q.quitCode = exitCode;
}

UINT RegisterWindowMessage(LPCSTR name) {
  static std::mutex mutex;
  static std::map<std::string, UINT> names;
  if (!name || !*name) return 0;
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::lock_guard lock(mutex);
  auto it = names.find(key);
  if (it != names.end()) return it->second;
  UINT id = g_nextRegistered++;
  names[key] = id;
  return id;
}

// ---------------------------------------------------------------------------------------------
// Timers

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  ThreadQueue& q = CurrentQueue();
  if (hwnd) {
    Window* w = Get(hwnd);
    if (!w) return 0;
    if (w->threadId != q.threadId) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  }
  elapseMs = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  std::uint64_t now = platform::CurrentClock().NowMs();
  std::lock_guard lock(q.mutex);
  if (!hwnd) {
    // Thread timers get ids of their own, never 0.
    static std::atomic<UINT_PTR> nextId{0x7FFF};
    if (id == 0 || std::none_of(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return !t.hwnd && t.id == id; }))
      id = ++nextId;
  }
  for (Timer& t : q.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      // Setting an existing timer again restarts it with the new interval.
      t.interval = elapseMs;
      t.proc = proc;
      t.due = now + elapseMs;
      t.posted = false;
      return hwnd ? (id ? id : 1) : id;
    }
  }
  Timer t;
  t.hwnd = hwnd;
  t.id = id;
  t.interval = elapseMs;
  t.proc = proc;
  t.due = now + elapseMs;
  t.sequence = q.timerSequence++;
  q.timers.push_back(t);
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  ThreadQueue& q = CurrentQueue();
  std::lock_guard lock(q.mutex);
  auto it = std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == q.timers.end()) return FALSE;
  q.timers.erase(it);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Retrieval

namespace {

std::uint64_t NextTimerDue(ThreadQueue& q) {
  std::lock_guard lock(q.mutex);
  std::uint64_t due = UINT64_MAX;
  for (const Timer& t : q.timers) due = std::min(due, t.due);
  return due;
}

bool TakeTimer(ThreadQueue& q, MSG* msg, HWND filter, UINT lo, UINT hi, bool remove) {
  if (!InFilter(WM_TIMER, lo, hi)) return false;
  std::uint64_t now = platform::CurrentClock().NowMs();
  std::lock_guard lock(q.mutex);
  Timer* best = nullptr;
  for (Timer& t : q.timers) {
    if (t.due > now || !WindowMatches(t.hwnd, filter)) continue;
    if (!best || t.due < best->due || (t.due == best->due && t.sequence < best->sequence)) best = &t;
  }
  if (!best) return false;
  *msg = MakeMsg(best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc));
  if (remove) best->due = now + best->interval;  // one WM_TIMER however late it is taken
  return true;
}

bool TakeFrom(std::deque<MSG>& queue, MSG* msg, HWND filter, UINT lo, UINT hi, bool remove) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!InFilter(it->message, lo, hi) || !WindowMatches(it->hwnd, filter)) continue;
    *msg = *it;
    if (remove) queue.erase(it);
    return true;
  }
  return false;
}

bool PeekInternal(MSG* msg, HWND filter, UINT lo, UINT hi, UINT flags) {
  ThreadQueue& q = CurrentQueue();
  bool remove = (flags & PM_REMOVE) != 0;
  ProcessSent(q);
  if (q.displayThread) {
    PumpDisplay(q);
    CheckHover();
  }
  bool found = false;
  {
    std::lock_guard lock(q.mutex);
    if (TakeFrom(q.posted, msg, filter, lo, hi, remove)) {
      found = true;
    } else if (q.quitPending) {
      *msg = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
      if (remove) q.quitPending = false;
      return true;
    }
  }
  if (found) {
    RunGetMessageHooks(*msg, remove);
    return true;
  }
  for (;;) {
    {
      std::lock_guard lock(q.mutex);
      if (!TakeFrom(q.input, msg, filter, lo, hi, remove)) break;
    }
    if (RunInputHooks(*msg, remove)) {
      // Swallowed by a hook: it never reaches the window.
      if (!remove) {
        std::lock_guard lock(q.mutex);
        MSG dropped;
        TakeFrom(q.input, &dropped, filter, lo, hi, true);
      }
      continue;
    }
    RunGetMessageHooks(*msg, remove);
    return true;
  }
  if (InFilter(WM_PAINT, lo, hi)) {
    HWND paint = nullptr;
    if (FindPaintWindow(q.threadId, filter, paint)) {
      *msg = MakeMsg(paint, WM_PAINT, 0, 0);
      return true;
    }
  }
  if (TakeTimer(q, msg, filter, lo, hi, remove)) return true;
  return false;
}

// Sleeps until something may have arrived: input, a post, a send, or the next timer.
void WaitForWork(ThreadQueue& q) {
  if (q.displayThread) PresentAll();
  std::uint64_t due = std::min(NextTimerDue(q), q.displayThread ? HoverDeadline() : UINT64_MAX);
  platform::Clock& clock = platform::CurrentClock();
  if (clock.IsVirtual() && due != UINT64_MAX) {
    // Virtual time: nothing else can happen before the timer, so jump to it.
    {
      std::lock_guard lock(q.mutex);
      if (!q.posted.empty() || !q.sent.empty() || !q.input.empty() || q.quitPending) return;
    }
    static_cast<platform::VirtualClock&>(clock).AdvanceTo(due);
    return;
  }
  int timeout = -1;
  if (due != UINT64_MAX) {
    std::uint64_t now = clock.NowMs();
    timeout = due > now ? static_cast<int>(std::min<std::uint64_t>(due - now, 0x7FFFFFFF)) : 0;
  }
  if (q.displayThread && platform::HasDisplay()) {
    {
      std::lock_guard lock(q.mutex);
      if (!q.posted.empty() || !q.sent.empty() || !q.input.empty() || q.quitPending) return;
    }
    platform::CurrentDisplay().Wait(timeout);
    return;
  }
  std::unique_lock lock(q.mutex);
  auto ready = [&] { return !q.posted.empty() || !q.sent.empty() || !q.input.empty() || q.quitPending; };
  if (timeout < 0)
    q.wake.wait(lock, ready);
  else
    q.wake.wait_for(lock, std::chrono::milliseconds(timeout), ready);
}

}  // namespace

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  if (!PeekInternal(msg, hwnd, filterMin, filterMax, removeFlags)) {
    ThreadQueue& q = CurrentQueue();
    if (q.displayThread) PresentAll();
    return FALSE;
  }
  ThreadQueue& q = CurrentQueue();
  q.lastMessageTime = msg->time;
  q.lastMessagePos = MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y));
  return TRUE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return FALSE;
  ThreadQueue& q = CurrentQueue();
  for (;;) {
    if (PeekMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE)) return msg->message == WM_QUIT ? FALSE : TRUE;
    WaitForWork(q);
  }
}

BOOL WaitMessage() {
  ThreadQueue& q = CurrentQueue();
  MSG m;
  if (PeekInternal(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  WaitForWork(q);
  return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
  ThreadQueue& q = CurrentQueue();
  DWORD status = 0;
  {
    std::lock_guard lock(q.mutex);
    if (!q.posted.empty()) status |= QS_POSTMESSAGE;
    if (!q.sent.empty()) status |= QS_SENDMESSAGE;
    for (const MSG& m : q.input) status |= (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ? QS_KEY
                                              : m.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
    std::uint64_t now = platform::CurrentClock().NowMs();
    for (const Timer& t : q.timers)
      if (t.due <= now) status |= QS_TIMER;
  }
  HWND paint = nullptr;
  if (FindPaintWindow(q.threadId, nullptr, paint)) status |= QS_PAINT;
  status &= flags;
  return MAKELONG(static_cast<WORD>(status), static_cast<WORD>(status));
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD ms, DWORD wakeMask) {
  ThreadQueue& q = CurrentQueue();
  std::uint64_t start = platform::CurrentClock().NowMs();
  for (;;) {
    if (count > 0) {
      DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
      if (r != WAIT_TIMEOUT) return r;
    }
    if (HIWORD(GetQueueStatus(wakeMask))) return WAIT_OBJECT_0 + count;
    if (ms != INFINITE && platform::CurrentClock().NowMs() - start >= ms) return WAIT_TIMEOUT;
    // On virtual time nothing but our own timers can end a wait for input alone: jump ahead.
    if (count == 0 && ms != INFINITE && platform::CurrentClock().IsVirtual()) {
      std::uint64_t due = std::min<std::uint64_t>(NextTimerDue(q), start + ms);
      static_cast<platform::VirtualClock&>(platform::CurrentClock()).AdvanceTo(due);
      continue;
    }
    // Objects are not wired to the queue's wake-up; look again at short intervals while waiting.
    if (q.displayThread && platform::HasDisplay()) {
      PresentAll();
      platform::CurrentDisplay().Wait(count > 0 ? 5 : (ms == INFINITE ? 50 : 5));
    } else {
      std::unique_lock lock(q.mutex);
      q.wake.wait_for(lock, std::chrono::milliseconds(count > 0 ? 5 : 50));
    }
  }
}

DWORD GetMessageTime() { return CurrentQueue().lastMessageTime; }
DWORD GetMessagePos() { return CurrentQueue().lastMessagePos; }

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg || !msg->hwnd) {
    if (msg && msg->message == WM_TIMER && msg->lParam) {
      // A thread timer with a callback.
      ThreadQueue& q = CurrentQueue();
      bool alive;
      {
        std::lock_guard lock(q.mutex);
        alive = std::any_of(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return !t.hwnd && t.id == msg->wParam; });
      }
      if (alive) reinterpret_cast<TIMERPROC>(msg->lParam)(nullptr, WM_TIMER, msg->wParam, GetTickCount());
    }
    return 0;
  }
  Window* w = Get(msg->hwnd);
  if (!w) return 0;
  if (w->threadId != GetCurrentThreadId()) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    ThreadQueue& q = CurrentQueue();
    bool alive;
    {
      std::lock_guard lock(q.mutex);
      alive = std::any_of(q.timers.begin(), q.timers.end(),
                          [&](const Timer& t) { return t.hwnd == msg->hwnd && t.id == msg->wParam && reinterpret_cast<LPARAM>(t.proc) == msg->lParam; });
    }
    if (alive) reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  ThreadQueue& q = CurrentQueue();
  q.lastMessageTime = msg->time;
  q.lastMessagePos = MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y));
  return CallProc(*w, msg->message, msg->wParam, msg->lParam);
}

}  // namespace win

namespace platform::wm {

void ForgetWindowTimers(HWND hwnd, DWORD threadId) {
  ThreadQueue* q = QueueOf(threadId);
  if (!q) return;
  std::lock_guard lock(q->mutex);
  q->timers.erase(std::remove_if(q->timers.begin(), q->timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                  q->timers.end());
}

void PlaceInputMessage(const MSG& msg) {
  Window* w = Find(msg.hwnd);
  if (!w) return;
  ThreadQueue* q = w->threadId == GetCurrentThreadId() ? &CurrentQueue() : QueueOf(w->threadId);
  if (!q) return;
  {
    std::lock_guard lock(q->mutex);
    // Moves are coalesced: only the latest position of a run of moves matters.
    if (msg.message == WM_MOUSEMOVE && !q->input.empty() && q->input.back().message == WM_MOUSEMOVE &&
        q->input.back().hwnd == msg.hwnd)
      q->input.back() = msg;
    else
      q->input.push_back(msg);
  }
  WakeQueue(*q);
}

}  // namespace platform::wm
