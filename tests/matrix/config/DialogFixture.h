#pragma once
// The grid console shown as the program shows it, with the helpers the matrix dialogs' tests drive
// it by: clicks on controls, keys, typing over a control's text, and what "cfg.ini" holds.
#include <filesystem>
#include <fstream>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"

namespace matrixconfigtest {

namespace fs = std::filesystem;

class DialogTest : public apptest::AppTest {
 protected:
  // Creates every window and shows the grid console, as the start-up does for console kind 1.
  void ShowConsole() {
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Pump();
  }
  // What a login as administrator leaves behind.
  void LogInAsAdministrator() {
    Form18->AdminLoggedIn = 1;
    Form1->UpdateControlStates();
    Pump();
  }
  void ClickOn(TControl* control) {
    ClickAt(control->ClientToScreen(TPoint{control->Width() / 2, control->Height() / 2}));
  }
  void DoubleClickOn(TControl* control) {
    ClickOn(control);
    ClickOn(control);
  }
  void PressKey(unsigned vk) {
    Headless().InjectKey(vk, true);
    Pump();
    Headless().InjectKey(vk, false);
    Pump();
  }
  // Clicks into a text box, selects all it holds and types over it.
  void Retype(TControl* control, const std::string& text) {
    ClickOn(control);
    PressKey(win::VK_END);
    Headless().InjectKey(win::VK_SHIFT, true);
    PressKey(win::VK_HOME);
    Headless().InjectKey(win::VK_SHIFT, false);
    PressKey(win::VK_DELETE);
    TypeText(text);
  }
  // Types a name into a make list; Escape then closes the list that typing dropped down, keeping
  // the text.
  void TypeName(TControl* list, const std::string& text) {
    Retype(list, text);
    PressKey(win::VK_ESCAPE);
  }
  // Character by character, as keys arrive: a list completes each one before the next.
  void TypeText(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
      std::size_t n = 1;
      while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
      Headless().InjectText(text.substr(i, n));
      Pump();
      i += n;
    }
  }
  std::string Stored(const std::string& section, const std::string& key) {
    return OpenConfigFile()->ReadString(section, key, "(none)");
  }
  std::string ReadConfigText() {
    std::ifstream in(folder + "/cfg.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

}  // namespace matrixconfigtest
