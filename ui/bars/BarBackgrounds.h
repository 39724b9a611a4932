#pragma once
// The pictures behind toolbars and menus. Toolbars are drawn by the painter the manager makes for
// its style, so a new toolbar picture makes the manager build its look again; menus read their
// picture whenever they paint.
#include "platform/classes/Bitmap.h"
#include "ui/bars/BarComponents.h"

class TdxBarBackgrounds : public TdxBarPersistent {
  VW_CLASS(TdxBarBackgrounds, TdxBarPersistent)
 public:
  explicit TdxBarBackgrounds(TdxBarManager* ABarManager);
  ~TdxBarBackgrounds() override;
  static void DeclareProperties(TPropTable& t);
  // From another backgrounds object: both pictures.
  void Assign(TPersistent* Source) override;

  TBitmap* Bar() const { return FBar; }
  // Nil over an empty picture changes nothing.
  void SetBar(TBitmap* Value);
  TBitmap* SubMenu() const { return FSubMenu; }
  void SetSubMenu(TBitmap* Value) { FSubMenu->Assign(Value); }

  // The toolbar picture changed.
  TNotifyEvent OnChanged;

 private:
  TBitmap* FBar;
  TBitmap* FSubMenu;
};
