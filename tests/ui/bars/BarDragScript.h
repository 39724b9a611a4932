#pragma once
// Input and checks scripted on the virtual clock while a private message loop of the library (a
// toolbar drag, a menu's tear-off) waits in GetMessage.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"

// Steps that run at set virtual times while the drag's own message loop waits: the user's input
// and the checks of what the toolbar shows meanwhile. A drag still running a second after the
// last step fails the test and is ended by taking its capture away.
class TDragScript {
 public:
  TDragScript& At(int AMs, std::function<void()> AStep) {
    FSteps.push_back({AMs, std::move(AStep)});
    return *this;
  }
  void Start() {
    std::stable_sort(FSteps.begin(), FSteps.end(), [](const TStep& A, const TStep& B) { return A.Ms < B.Ms; });
    const int last = FSteps.empty() ? 0 : FSteps.back().Ms;
    FSteps.push_back({last + 1000, [] {
                        ADD_FAILURE() << "the drag did not end";
                        win::ReleaseCapture();
                      }});
    FStart = win::GetTickCount();
    Current = this;
    Arm();
  }
  void Stop() {
    if (FTimer) win::KillTimer(nullptr, FTimer);
    FTimer = 0;
    Current = nullptr;
  }
  ~TDragScript() { Stop(); }
  // Runs the script while the library's loop, entered by the press already queued, handles the
  // queue; true when a WM_QUIT came out of it.
  bool Run() {
    Start();
    bool quit = false;
    win::MSG msg;
    while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
      if (msg.message == win::WM_QUIT) {
        quit = true;
        continue;
      }
      win::TranslateMessage(&msg);
      win::DispatchMessage(&msg);
    }
    Stop();
    return quit;
  }
  // Milliseconds since the script started.
  int Elapsed() const { return static_cast<int>(win::GetTickCount() - FStart); }

 private:
  struct TStep {
    int Ms;
    std::function<void()> Step;
  };
  void Arm() {
    if (FNext >= FSteps.size()) return Stop();
    const int wait = std::max(FSteps[FNext].Ms - Elapsed(), 1);
    FTimer = win::SetTimer(nullptr, FTimer, static_cast<win::UINT>(wait), &TDragScript::Tick);
  }
  static void Tick(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    TDragScript* self = Current;
    if (!self) return;
    while (self->FNext < self->FSteps.size() && self->FSteps[self->FNext].Ms <= self->Elapsed())
      self->FSteps[self->FNext++].Step();
    if (Current == self) self->Arm();
  }

  static inline TDragScript* Current = nullptr;
  std::vector<TStep> FSteps;
  std::size_t FNext = 0;
  win::UINT_PTR FTimer = 0;
  win::DWORD FStart = 0;
};

