#include "app/Program.h"

#include "app/BootWindow.h"
#include "app/PictureChooser.h"
#include "app/StartupChooser.h"
#include "app/VideoChooser.h"
#include "console/CommSettings.h"
#include "console/DebugWindow.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "console/PasswordWindow.h"
#include "console/SceneRename.h"
#include "console/VersionWindow.h"
#include "dialogs/AddressTool.h"
#include "dialogs/CellColours.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/IrregularShape.h"
#include "dialogs/OpenSubtitles.h"
#include "dialogs/PictureParameters.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/SignalRename.h"
#include "dialogs/SplicingSettings.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "dialogs/SplicingSettingsSplicing.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/SubtitleWindow1.h"
#include "dialogs/SubtitleWindow2.h"
#include "dialogs/SubtitleWindow3.h"
#include "dialogs/TimingSettings.h"
#include "dialogs/VirtualRemote.h"
#include "matrix/ChannelNaming.h"
#include "matrix/MatrixConfig.h"
#include "ui/bars/Xmas2008BluePainter.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/ColorComboBox.h"
#include "ui/choice/FontNameComboBox.h"
#include "ui/choice/ImageComboBox.h"
#include "ui/choice/Label.h"
#include "ui/choice/RadioGroup.h"
#include "ui/choice/SpinEdit.h"
#include "ui/choice/TrackBar.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Fader.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/MaskEdit.h"
#include "ui/editors/Memo.h"
#include "ui/editors/TextEdit.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/PNGImage.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/Styles.h"
#include "ui/pages/PCStandardPainter.h"
#include "ui/skins/PCSkinPainter.h"
#include "ui/skins/RegisteredSkins.h"
#include "ui/skins/SkinWinController.h"
#include "ui/skins/StatusBarSkinPainter.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

void CreateProgramWindows(const std::function<void(TCustomForm*)>& Created) {
  auto create = [&](auto*& reference) {
    Application->CreateForm(reference);
    if (Created) Created(reference);
  };
  create(Form18);
  create(Form2);
  create(Form3);
  create(Form4);
  create(Form5);
  create(Form6);
  create(Form7);
  create(Form8);
  create(Form9);
  create(Form11);
  create(Form15);
  create(Form16);
  create(frmPlayMode);
  create(frmTimingSetting);
  create(frmSubtitleSettings);
  create(frmLEDDisplay);
  create(Form20);
  create(Form22);
  create(Form23);
  create(Form24);
  create(Form25);
  create(Form26);
  create(Form27);
  create(Form29);
  create(Form30);
  create(Form31);
  create(Form32);
  create(Form33);
  create(Form34);
  create(Form35);
  create(Form36);
  create(Form1);
  create(Form37);
}

void StartLibraryUnits() {
  GdiPlusUnitStartup();
  PNGImageUnitStartup();
  SkinUnitStartup();
  PaintingUnitsStartup();
  StylesUnitStartup();
  FadingUnitStartup();
  // The control services, and with them the editors' unit, before any library control is read.
  ControlsUnitStartup();
  TextEditUnitStartup();
  MaskEditUnitStartup();
  ComboBoxUnitStartup();
  CheckBoxUnitStartup();
  MemoUnitStartup();
  LabelUnitStartup();
  RadioGroupUnitStartup();
  ColorComboBoxUnitStartup();
  FontNameComboBoxUnitStartup();
  ImageComboBoxUnitStartup();
  SpinEditUnitStartup();
  TrackBarUnitStartup();
  PCPaintersUnitStartup();
  RegisteredSkinsUnitStartup();
  Xmas2008BlueSkinUnitStartup();
  PCSkinPainterUnitStartup();
  StatusBarSkinPainterUnitStartup();
  FormSkinsUnitStartup();
}

void EndLibraryUnits() {
  FormSkinsUnitShutdown();
  StatusBarSkinPainterUnitShutdown();
  PCSkinPainterUnitShutdown();
  Xmas2008BlueSkinUnitShutdown();
  RegisteredSkinsUnitShutdown();
  PCPaintersUnitShutdown();
  TrackBarUnitShutdown();
  SpinEditUnitShutdown();
  ImageComboBoxUnitShutdown();
  FontNameComboBoxUnitShutdown();
  ColorComboBoxUnitShutdown();
  RadioGroupUnitShutdown();
  LabelUnitShutdown();
  MemoUnitShutdown();
  CheckBoxUnitShutdown();
  ComboBoxUnitShutdown();
  MaskEditUnitShutdown();
  TextEditUnitShutdown();
  ControlsUnitShutdown();
  FadingUnitShutdown();
  PaintingUnitsShutdown();
  SkinUnitShutdown();
  PNGImageUnitShutdown();
  GdiPlusUnitShutdown();
}
