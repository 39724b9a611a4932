// What a window-procedure hook chain costs a message: SendMessage to a plain window, unhooked and
// behind three hooks that pass every message on.
#include <benchmark/benchmark.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Window.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/WindowProcController.h"

namespace {

using namespace win;

LRESULT CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP) return static_cast<LRESULT>(wParam + 1);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

struct Stage {
  HWND window = nullptr;
  Stage() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(800, 600));
    InitializeForms();
    ControlsUnitStartup();
    WNDCLASS wc;
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = "HookChainBench";
    RegisterClass(&wc);
    window = CreateWindowEx(0, "HookChainBench", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  ~Stage() {
    DestroyWindow(window);
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

void Send(benchmark::State& state, HWND window) {
  WPARAM n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(n = static_cast<WPARAM>(SendMessage(window, WM_APP, n, 0)));
  state.SetItemsProcessed(state.iterations());
}

void BM_SendUnhooked(benchmark::State& state) {
  Stage stage;
  Send(state, stage.window);
}
BENCHMARK(BM_SendUnhooked);

void BM_SendThroughThreeHooks(benchmark::State& state) {
  Stage stage;
  TcxWindowProcLinkedObject* hooks[3] = {};
  for (auto*& h : hooks)
    h = WindowProcControllerInstance()->HookWindow(stage.window, [&h](TMessage& m) { CallPreviousWindowProc(h, m); });
  Send(state, stage.window);
  for (auto*& h : hooks) WindowProcControllerInstance()->Unhook(h);
}
BENCHMARK(BM_SendThroughThreeHooks);

}  // namespace
