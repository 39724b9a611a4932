#pragma once
// The list a bar combo drops down. It is created as a child of the bar window that shows the combo
// (which keeps receiving its owner-draw and notification messages) and is then lifted to the
// desktop, borderless and topmost; it draws as focused without ever taking the focus. A press on the
// combo that opened it may be dragged into it and released on an entry.
#include "platform/classes/StdCtrls.h"

class TdxBarCustomCombo;
class TdxBarPainter;

class TdxBarDropDownListBox : public TCustomListBox {
  VW_CLASS(TdxBarDropDownListBox, TCustomListBox)
 public:
  TdxBarDropDownListBox(TComponent* AOwner, TdxBarCustomCombo* ACombo);
  ~TdxBarDropDownListBox() override;

  TdxBarCustomCombo* Combo() const { return FCombo; }
  // The list was opened by a press whose button is still down.
  bool Pressed() const { return FPressed; }
  void SetPressed(bool Value) { FPressed = Value; }
  // A chosen line goes to the combo's active control.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;

 private:
  // The painter of the bar that hosts the combo now; nil without one.
  TdxBarPainter* HostPainter() const;
  void MouseMoved(TMessage& Message);
  void LeftButtonUp(TMessage& Message);

  TdxBarCustomCombo* FCombo;
  bool FPressed = false;
};
