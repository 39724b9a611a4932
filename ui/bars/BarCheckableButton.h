#pragma once
// The flat button of the customization dialog that drops its popup menu down while it is down.
// It shows an edge only under the mouse (in an active form) or while down, like a toolbar button.
#include "platform/classes/Controls.h"

class TdxBarPopupMenu;

class TCheckableButton : public TGraphicControl {
  VW_CLASS(TCheckableButton, TGraphicControl)
 public:
  explicit TCheckableButton(TComponent* AOwner);
  ~TCheckableButton() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool Down() const { return FDown; }
  // Going down drops the menu below the button; it comes up again when the menu closes.
  void SetDown(bool Value);
  TdxBarPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TdxBarPopupMenu* Value);
  // Puts the left edge 5 pixels right of AControl, keeping the right edge where it is.
  void PlaceRightOf(TControl* AControl);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

 private:
  void MenuCloseUp(TObject* Sender);
  bool MouseOver() const;

  bool FDown = false;
  TdxBarPopupMenu* FDropDownMenu = nullptr;
  // The press that closed the menu reaches the button too: it must not open the menu again.
  bool FSkipNextMouseDown = false;
};
