#pragma once
// A form with a bar manager that counts its refreshes, and minimal items for the tests of what
// items rest on (groups, categories, popup-menu links).
#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
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
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    BarUnitStartup();
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
  TFixtureItem* NewItem(TdxBarManager* Manager, const String& Name, int Category = 0) {
    auto* item = new TFixtureItem(Form, Manager);
    item->SetName(Name);
    item->SetCategoryIndex(Category);
    return item;
  }

  TItemFixtureForm* Form = nullptr;
};
