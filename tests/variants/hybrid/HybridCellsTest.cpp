// The hybrid console's cells as they are drawn on a small and a full wall in both languages, as
// screenshots to look at.
#include <string>

#include "tests/variants/hybrid/HybridConsoleFixture.h"

namespace {

using hybridtest::HybridConsoleTest;

TEST_F(HybridConsoleTest, TheModelIsDrawnOnSmallAndFullWallsInBothLanguages) {
  struct Case {
    int size, language;
    const char* shot;
  } cases[] = {{3, 0, "variants/hybrid-cells-zh.png"},
               {15, 0, "variants/hybrid-cells-15-zh.png"},
               {15, 1, "variants/hybrid-cells-15-en.png"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shot);
    const std::string n = std::to_string(c.size);
    ShowConsole("[config]\nrow=" + n + "\ncol=" + n + "\nlanguage=" + std::to_string(c.language) +
                "\n[hybridGeneral]\ntype=2\nisSignalSelected=1\nsignalSource_row=2\nsignalSource_col=2\n"
                "[cellAddress]\n1,2=2 , 2\n2,1=2 , 2\n2,3=2 , 2\n3,2=2 , 2\n"
                "[cellSignal]\n2,2=DVI\n3,3=SDI\n[cellName]\n2,2,DVI=Camera\n"
                "[stringgrid]\n3,3=clYellow\n" + n + "," + n + "=clSkyBlue\n");
    Form33->stringgrid1->SetSelection({c.size, 1, c.size, 1});
    Pump();
    SaveWindowShot(Form33, c.shot);
    FinalizeForms();
    InitializeForms();
  }
}

}  // namespace
