#pragma once
// A form with a bar manager for the editor forms, a recorder of message boxes, and a way to act
// inside the modal loop a dialog runs.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/display/Display.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "platform/win/Controls.h"
#include "ui/bars/BarManager.h"

class BarEditorFormsFixture : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    // The window system keeps the cursor where the last test left it.
    platform::Headless()->InjectMouseMove(0, 0);
    Messages().clear();
    FPreviousMessageBox = TApplication::SetMessageBoxFunc(&RecordMessage);
    Manager = new TdxBarManager(Form);
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Application->OnIdle = nullptr;
    TApplication::SetMessageBoxFunc(FPreviousMessageBox);
    BarItemFixture::TearDown();
  }

  static std::vector<String>& Messages() {
    static std::vector<String> texts;
    return texts;
  }
  static int RecordMessage(win::HWND, const String& Text, const String&, int) {
    Messages().push_back(Text);
    return win::IDOK;
  }

  // Runs the steps one at a time, each when the modal loop of the code under test is idle.
  void WhileModal(std::vector<std::function<void()>> Steps) {
    FSteps = std::move(Steps);
    FStep = 0;
    Application->OnIdle = [this](TObject*, bool& Done) {
      if (FStep < FSteps.size()) {
        Done = false;
        FSteps[FStep++]();
      }
    };
  }
  bool StepsDone() const { return FStep == FSteps.size(); }

  // The open form of class T, or nil.
  template <class T>
  static T* OpenForm() {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (auto* f = dynamic_cast<T*>(Screen->Forms(i))) return f;
    return nullptr;
  }

  // A click of the left button at a screen point, with the mouse moved there first.
  static void Click(int X, int Y) {
    platform::Headless()->InjectMouseMove(X, Y);
    platform::Headless()->InjectMouseButton(1, true);
    platform::Headless()->InjectMouseButton(1, false);
  }

  // The composed screen's pixel (0x00RRGGBB) once what was drawn reached it.
  static std::uint32_t ScreenPixel(int X, int Y) {
    Application->ProcessMessages();
    int w = 0, h = 0;
    const std::vector<std::uint32_t> screen = platform::Headless()->ComposeScreen(w, h);
    return screen[static_cast<std::size_t>(Y) * w + X] & 0xFFFFFFu;
  }

  // A colour as the screen holds it (0x00RRGGBB).
  static std::uint32_t ScreenColor(TColor Color) {
    const auto c = static_cast<std::uint32_t>(ColorToRGB(Color));
    return (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
  }

  TdxBarManager* Manager = nullptr;

 private:
  TApplication::TMessageBoxFunc FPreviousMessageBox = nullptr;
  std::vector<std::function<void()>> FSteps;
  std::size_t FStep = 0;
};
