#pragma once
// Kernel-style waitable objects: events (manual and auto reset) and threads, with waits on one or
// several of them. Waits take real time: they synchronise threads, they are not pauses.
#include <functional>

#include "platform/system/Types.h"

namespace win {

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;
constexpr DWORD STILL_ACTIVE = 259;

HANDLE CreateEvent(void* security, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL PulseEvent(HANDLE event);

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);
constexpr DWORD CREATE_SUSPENDED = 0x4;
HANDLE CreateThread(void* security, std::size_t stackSize, LPTHREAD_START_ROUTINE start, void* parameter,
                    DWORD flags, DWORD* threadId);
DWORD ResumeThread(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
DWORD GetCurrentThreadId();
HANDLE GetCurrentThread();
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);

DWORD WaitForSingleObject(HANDLE object, DWORD ms);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll, DWORD ms);
BOOL CloseHandle(HANDLE object);

constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

}  // namespace win

namespace platform {

// Runs `f` whenever the object is signalled, for waits that must also watch file descriptors.
// Returns an eventfd that becomes readable while the event is set (manual-reset events only);
// -1 for other handles. The descriptor belongs to the event.
int EventDescriptor(win::HANDLE event);

// Lets handles of another kind (serial ports, kind byte as in HandleTable.h) be closed through
// win::CloseHandle, as every kernel handle is on the platform.
using HandleCloser = win::BOOL (*)(win::HANDLE handle);
void RegisterHandleCloser(unsigned kind, HandleCloser closer);

}  // namespace platform
