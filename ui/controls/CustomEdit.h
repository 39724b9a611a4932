#pragma once
// The editor base: a container whose look comes from its properties, view data and view info.
//
// What stands here is what the editor framework's model (properties, styles, layout, painting)
// asks of its editor; the editor's value life cycle, keys, mouse, focus, in-place use and auto
// size build on it.
#include "platform/classes/Variant.h"
#include "ui/controls/Container.h"

class TcxCustomEditStyle;

// The characters an editor treats as blank: NUL, TAB, LF, FF, CR and space.
inline bool IsBlankChar(char Ch) {
  switch (Ch) {
    case '\0': case '\t': case '\n': case '\f': case '\r': case ' ':
      return true;
    default:
      return false;
  }
}

class TcxCustomEdit : public TcxContainer {
  VW_CLASS(TcxCustomEdit, TcxContainer)
 public:
  explicit TcxCustomEdit(TComponent* AOwner);

  // The button the mouse holds down, -1 when none.
  int HeldButtonIndex() const { return FHeldButtonIndex; }
  void SetHeldButtonIndex(int Value) { FHeldButtonIndex = Value; }
  // The style of the state the editor is in.
  TcxCustomEditStyle* StyleInEffect();

  virtual bool ShowsEditingState();
  virtual bool HasValidateHandler();
  // The own properties' OnValidate first, then the repository item's.
  virtual void FireValidate(Variant& DisplayValue, String& ErrorText, bool& Error);
  virtual String CurrentDisplayText();
  virtual bool SkipsButtonPainting(win::HDC DC);
  virtual bool PaintsValueDirectly();
  virtual bool UsesParentBackground();

 protected:
  TcxCustomEdit(TComponent* AOwner, const TcxContainerClasses& Classes);

 private:
  int FHeldButtonIndex = -1;
};
