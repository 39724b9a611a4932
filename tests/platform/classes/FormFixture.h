#pragma once
// A headless screen with the application objects, virtual time, and small controls of our own
// (a panel, a push button, a label) to build forms from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"

namespace formtest {

// A windowed container that fills itself with its colour and shows its caption.
class TDemoPanel : public TCustomControl {
  VW_CLASS(TDemoPanel, TCustomControl)
 public:
  explicit TDemoPanel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

 protected:
  void Paint() override;
};

// A push button: Enter presses the default one, Escape the cancel one; a click hands its modal
// result to the form.
class TDemoButton : public TCustomControl {
  VW_CLASS(TDemoButton, TCustomControl)
 public:
  explicit TDemoButton(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);
  void Click() override;

  bool Default = false;
  bool Cancel = false;
  TModalResult ModalResult = mrNone;

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};

// A windowless text control.
class TDemoLabel : public TGraphicControl {
  VW_CLASS(TDemoLabel, TGraphicControl)
 public:
  explicit TDemoLabel(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

 protected:
  void Paint() override;
};

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs every message that is ready, paints included; never waits.
  void Pump();
  void RunFor(std::uint64_t ms);
  void Key(unsigned vk);
  void Chord(unsigned modifier, unsigned vk);
  void ClickAt(win::POINT screen, int button = 1);
  // The screen point of a point in a control's client area.
  win::POINT At(TControl* c, int x, int y) { return c->ClientToScreen(win::POINT{x, y}); }
  platform::HeadlessControl& Headless() { return *platform::Headless(); }
  std::uint32_t ScreenPixel(int x, int y);

  platform::ScopedVirtualClock clock;

 public:
  // Message boxes the application showed: "caption|text".
  static std::vector<std::string> boxes;
};

// Adds a form description under the class name as an embedded form.
void RegisterFormText(const char* className, const std::string& text);

}  // namespace formtest
