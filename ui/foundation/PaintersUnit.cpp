#include "ui/foundation/PaintersUnit.h"

#include "platform/classes/Bitmap.h"
#include "platform/system/Modules.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/RadioButtonImageList.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

namespace {

TcxExtendedStylePainters* gRegistry = nullptr;
TCustomImageList* gIndicatorImages = nullptr;
TSystemPaletteChangedNotifier* gPrimaryPaletteNotifier = nullptr;

const char* const kIndicatorBitmaps[] = {"CX_ARROWBITMAP",    "CX_EDITBITMAP",       "CX_INSERTBITMAP",
                                         "CX_MULTIDOTBITMAP", "CX_MULTIARROWBITMAP", "CX_FILTERBITMAP"};

void CreateIndicatorImages() {
  HINSTANCE program = GetModuleHandle(nullptr);
  TBitmap bitmap;
  for (const char* name : kIndicatorBitmaps) {
    bitmap.LoadFromResourceName(program, name);
    if (!gIndicatorImages) gIndicatorImages = new TImageList(nullptr, bitmap.Width(), bitmap.Height());
    gIndicatorImages->AddMasked(&bitmap, clWhite);
  }
}

}  // namespace

TcxExtendedStylePainters* ExtendedStylePainterRegistry() { return gRegistry; }
TCustomImageList* cxIndicatorImages() { return gIndicatorImages; }

void PaintersUnitStartup() {
  if (!gRegistry) gRegistry = new TcxExtendedStylePainters();
  if (!gIndicatorImages) CreateIndicatorImages();
  RefreshScrollBarPatternBitmaps();
  if (!gPrimaryPaletteNotifier) gPrimaryPaletteNotifier = new TSystemPaletteChangedNotifier(true);
  CustomLookAndFeelPainter()->CheckBoxSize();
}

void PaintersUnitShutdown() {
  FreeAndNil(gPrimaryPaletteNotifier);
  FreeScrollBarPatternBitmaps();
  FreeAndNil(gIndicatorImages);
  FreeRadioButtonImages();
  FreeAndNil(gRegistry);
}

void PaintingUnitsStartup() {
  ThemeAccessStartup();
  Office11ColorsStartup();
  GraphicsUnitStartup();
  PaintersUnitStartup();
  LookAndFeelUnitStartup();
}

void PaintingUnitsShutdown() {
  LookAndFeelUnitShutdown();
  PaintersUnitShutdown();
  GraphicsUnitShutdown();
  Office11ColorsShutdown();
  ThemeAccessShutdown();
}
