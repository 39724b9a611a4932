// Screenshots of page controls in each style built (Tabs, Flat, Buttons, FlatButtons), on each side, on one row (with the
// navigator) and on several, with a disabled and a highlighted tab, left under
// artifacts/pagecontrol/ to be looked at.
#include "tests/ui/pages/PageControlFixture.h"

namespace pagecontroltest {
namespace {

const char* const kPositions[] = {"top", "bottom", "left", "right"};

TEST_F(PageControlTest, GalleryOfTheStyles) {
  for (int style : {1, 7, 2, 3, 5, 6, 8, 9, 10}) {
    for (bool multiLine : {false, true}) {
      for (int position = tpTop; position <= tpRight; ++position) {
        TcxPageControl* control = MakeControl(300, 200, {"Scenes", "&Signals", "Wall layout", "Disabled", "Highlighted",
                                                         "Subtitles", "Timing"});
        control->SetStyle(style);
        control->SetMultiLine(multiLine);
        control->SetTabPosition(static_cast<TcxTabPosition>(position));
        control->SetOptions(control->Options() + TcxPCOptions{pcoGoDialog, pcoCloseButton});
        control->Pages(3)->SetEnabled(false);
        control->Pages(4)->SetHighlighted(true);
        control->SetActivePage(control->Pages(1));
        // The mouse over the third tab: hot where the style shows it.
        control->SetHotTrack(true);
        win::POINT hot = TabCentre(control, 2);
        MoveMouse(control, hot.x, hot.y);
        std::string name = std::string("pagecontrol/") + control->Painter()->PainterClass()->StyleName() + "-" + kPositions[position] +
                           (multiLine ? "-multirow" : "-row") + ".png";
        SaveControl(name, control);
        delete form_;
        form_ = nullptr;
        Pump();
      }
    }
  }
}

}  // namespace
}  // namespace pagecontroltest
