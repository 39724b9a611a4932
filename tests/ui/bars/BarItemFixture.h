#pragma once
// A form with a bar manager that counts its refreshes, and minimal items for the tests of what
// items rest on (groups, categories, popup-menu links).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarCustomizationForm.h"
#include "ui/bars/BarUnit.h"
#include "tests/support/Artifacts.h"
#include "ui/controls/ControlsUnit.h"

class TItemFixtureForm : public TForm {
  VW_CLASS(TItemFixtureForm, TForm)
 public:
  explicit TItemFixtureForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class TCountingBarManager : public TdxBarManager {
  VW_CLASS(TCountingBarManager, TdxBarManager)
 public:
  explicit TCountingBarManager(TComponent* AOwner) : TdxBarManager(AOwner) {}
  int Refreshes = 0;

 protected:
  void RefreshAfterUpdate(bool ARelayout) override {
    ++Refreshes;
    TdxBarManager::RefreshAfterUpdate(ARelayout);
  }
};

// An item of a given manager that counts its category writes.
class TFixtureItem : public TdxBarItem {
  VW_CLASS(TFixtureItem, TdxBarItem)
 public:
  explicit TFixtureItem(TComponent* AOwner) : TdxBarItem(AOwner) {}
  TFixtureItem(TComponent* AOwner, TdxBarManager* AManager) : TdxBarItem(AOwner) { SetBarManager(AManager); }
  // As items do: a new category moves the item in the manager's list behind that category's items.
  void SetCategory(int Value) override {
    TdxBarItem::SetCategory(Value);
    ++CategoryWrites;
  }
  int CategoryWrites = 0;
};

class BarItemFixture : public ::testing::Test {
 protected:
  // The screen the windows stand on: the headless one unless a fixture wants real windows.
  virtual std::unique_ptr<platform::Display> MakeDisplay() { return platform::CreateHeadlessDisplay(1024, 768); }
  void SetUp() override {
    platform::InstallDisplay(MakeDisplay());
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    BarUnitStartup();
    // Customizing mode is tested without the dialog; the dialog's own tests bring it back.
    CustomizationFormClass = nullptr;
    Application->CreateForm(Form);
    Form->SetBounds(300, 200, 400, 300);
  }
  void TearDown() override {
    TObject::Free(Form);
    BarUnitShutdown();
    ControlsUnitShutdown();
    platform::ResetSystemParameters();
    platform::ResetModuleOverrides();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TCountingBarManager* NewCountingManager() { return new TCountingBarManager(Form); }
  // The composed headless screen within Area (layered windows blended), each pixel Zoom times as
  // wide and high, as a PNG artifact.
  static void SaveScreenArea(const std::string& Name, const TRect& Area, int Zoom = 3) {
    // What was drawn reaches the screen as the message loop runs.
    Application->ProcessMessages();
    int w = 0, h = 0;
    const std::vector<std::uint32_t> screen = platform::Headless()->ComposeScreen(w, h);
    const int aw = Area.Right - Area.Left, ah = Area.Bottom - Area.Top;
    std::vector<std::uint32_t> out(static_cast<std::size_t>(aw * Zoom) * (ah * Zoom));
    for (int y = 0; y < ah * Zoom; ++y)
      for (int x = 0; x < aw * Zoom; ++x)
        out[static_cast<std::size_t>(y) * aw * Zoom + x] =
            screen[static_cast<std::size_t>(Area.Top + y / Zoom) * w + Area.Left + x / Zoom];
    platform::WritePng(testsupport::ArtifactPath(Name), out.data(), aw * Zoom, ah * Zoom, aw * Zoom);
  }
  TFixtureItem* NewItem(TdxBarManager* Manager, const String& Name, int Category = 0) {
    auto* item = new TFixtureItem(Form, Manager);
    item->SetName(Name);
    item->SetCategoryIndex(Category);
    return item;
  }

  TItemFixtureForm* Form = nullptr;
};
