// The frame log in engineering mode: sending a screen frame while the three consoles' logs hold
// nothing, against sending one while they already hold 999 and 9,999 lines each, in one run. A log
// that grows for hours must not make every frame slower. (Once the log fills its box, each line
// also scrolls the box by a line: the first line does not, every later one does.) The consoles and their logs are shown, as in
// engineering mode; the frame's 20 ms pause runs on the virtual clock, so the figures are the
// sending and logging alone.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "app/BootWindow.h"
#include "bench/ProgramStage.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Controls.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"
#include "ui/editors/Memo.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

struct Consoles : benchsupport::ProgramStage {
  Consoles() : ProgramStage(1920, 1080) {
    CreateProgramWindows();
    Form18->DebugMode = 1;
    // The serial link with the screen port closed: the bytes go nowhere, the log is all there is.
    for (TForm* console : {static_cast<TForm*>(Form1), static_cast<TForm*>(Form23), static_cast<TForm*>(Form33)})
      console->Show();
    for (TWinControl* log : Logs()) log->Show();
    Pump();
  }
  static std::array<TWinControl*, 3> Logs() { return {Form1->Memo1, Form23->Memo1, Form33->Memo1}; }
  // The edit window that holds a log's lines: a library memo keeps an inner one.
  static win::HWND LogWindow(TWinControl* log) {
    if (auto* memo = dynamic_cast<TcxCustomMemo*>(log)) return memo->InnerMemo()->InnerControl()->Handle();
    return log->Handle();
  }
  // Leaves each log holding `lines` lines.
  void Fill(int lines) {
    String text;
    for (int i = 0; i < lines; ++i) text += (i ? "\r\n" : "") + String("->C6,11,33,10,01,BB");
    for (TWinControl* log : Logs()) win::SetWindowText(LogWindow(log), text.c_str());
    Pump();
  }
  // Takes the line just logged off again, in place as it was added, so each run appends to a log
  // of the same length.
  void DropLastLine() {
    for (TWinControl* log : Logs()) {
      win::HWND h = LogWindow(log);
      auto rows = win::SendMessage(h, win::EM_GETLINECOUNT, 0, 0);
      auto lastStart = win::SendMessage(h, win::EM_LINEINDEX, static_cast<win::WPARAM>(rows - 1), 0);
      auto end = lastStart + win::SendMessage(h, win::EM_LINELENGTH, static_cast<win::WPARAM>(lastStart), 0);
      auto from = rows > 1 ? lastStart - 2 : 0;  // with the break before it
      win::SendMessage(h, win::EM_SETSEL, static_cast<win::WPARAM>(from), end);
      win::SendMessage(h, win::EM_REPLACESEL, 0, reinterpret_cast<win::LPARAM>(""));
    }
  }
};

void SendOneFrameAfter(benchmark::State& state, int lines) {
  Consoles consoles;
  consoles.Fill(lines);
  for (auto _ : state) {
    Form1->SendScreenFrame(0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB);
    state.PauseTiming();
    consoles.DropLastLine();
    state.ResumeTiming();
  }
  if (Form1->Memo1->Lines()->Count() != lines) state.SkipWithError("the log did not keep its length");
}

void BM_FrameWithItsFirstLogLine(benchmark::State& state) { SendOneFrameAfter(state, 0); }
BENCHMARK(BM_FrameWithItsFirstLogLine)->Unit(benchmark::kMicrosecond);

void BM_FrameWithItsThousandthLogLine(benchmark::State& state) { SendOneFrameAfter(state, 999); }
BENCHMARK(BM_FrameWithItsThousandthLogLine)->Unit(benchmark::kMicrosecond);

void BM_FrameWithItsTenThousandthLogLine(benchmark::State& state) { SendOneFrameAfter(state, 9999); }
BENCHMARK(BM_FrameWithItsTenThousandthLogLine)->Unit(benchmark::kMicrosecond);

}  // namespace
