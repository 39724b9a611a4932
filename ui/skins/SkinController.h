#pragma once
// The component a window drops on itself to choose the application's skin. Its Kind, NativeStyle
// and SkinName are the root look-and-feel's, so every library control that follows the root
// switches with it; together with the window hook it decides which windows and which plain
// controls are skinned, and with which skin painter, and offers events to change those choices.
#include <functional>
#include <vector>

#include "platform/classes/Forms.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/skins/SkinLookAndFeelPainter.h"

class TdxSkinWinController;

using TdxSkinFormEvent = std::function<void(TObject* Sender, TCustomForm* AForm, String& ASkinName, bool& UseSkin)>;
using TdxSkinControlEvent = std::function<void(TObject* Sender, TWinControl* AControl, bool& UseSkin)>;
using TdxSkinPopupSysMenuEvent = std::function<void(TObject* Sender, TCustomForm* AForm, win::HMENU ASysMenu)>;

class TdxSkinController : public TcxLookAndFeelController {
  VW_CLASS(TdxSkinController, TcxLookAndFeelController)
 public:
  explicit TdxSkinController(TComponent* AOwner);
  ~TdxSkinController() override;
  static void DeclareProperties(TPropTable& t);

  bool UseSkins() const;
  void SetUseSkins(bool Value);

  TdxSkinPopupSysMenuEvent OnPopupSysMenu;
  TdxSkinControlEvent OnSkinControl;
  TdxSkinFormEvent OnSkinForm;

  virtual void DoPopupSysMenu(TCustomForm* AForm, win::HMENU ASysMenu);
  virtual bool DoSkinControl(TWinControl* AControl);
  // Nil unless the form takes part in skinning; else DoSkinForm with this controller's values.
  virtual const TdxSkinLookAndFeelPainter* FormSkinPainter(TCustomForm* AForm);
  virtual const TdxSkinLookAndFeelPainter* DoSkinForm(TCustomForm* AForm, String& ASkinName, bool& UseSkin);

 protected:
  void Loaded() override;
  void RootValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void RootDestroying(TcxLookAndFeel* Sender) override;
  void ResetRootValues() override;
};

// The live controllers in creation order; null while the form-skinning unit is not running.
std::vector<TdxSkinController*>* SkinControllerList();
void CreateSkinControllerList();
void FreeSkinControllerList();

// Every window controller re-reads its painter, then every one is updated.
void RefreshSkinnedWindows();
// Whether a plain control (button, panel) is skinned: the skins switch, then the controllers from
// the last created to the first, the first one answering true deciding.
bool IsControlSkinned(TWinControl* AControl);

// How a form window gets its painter when its controller starts, and when it is refreshed.
const TdxSkinLookAndFeelPainter* InitialFormSkinPainter(TdxSkinWinController* Controller);
const TdxSkinLookAndFeelPainter* RefreshedFormSkinPainter(TdxSkinWinController* Controller);
