#pragma once
// A theme library for tests, registered as "UxTheme.dll" with the run-time binder. It opens the
// classes a test lists, paints every part as a solid fill whose colour encodes class, part and
// state, answers sizes, content rectangles, colours, transparency and regions from tables the test
// fills, reports a settable theme file, colour name and active flag, and records every call.
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/theme/Theme.h"

namespace testsupport {

class FakeThemeLibrary {
 public:
  // Registers the module; the listed entry points are left out of it.
  static void Install(const std::vector<std::string>& MissingEntries = {});
  // Removes every fake module and forgets the tables.
  static void Uninstall();

  // Classes that open (compared without case); a list "A;B" opens when any of its names does.
  static std::set<std::string>& OpenableClasses();
  static bool& Active();
  static std::string& ThemeFile();   // "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles"
  static std::string& ColorName();   // "NormalColor"
  static bool& CurrentThemeNameFails();

  using PartKey = std::tuple<std::string, int, int>;  // class (upper case), part, state
  static std::map<std::tuple<std::string, int, int, int>, win::SIZE>& PartSizes();  // ... , size kind
  // Content rectangles as margins (left, top, right, bottom) taken off the bounding rectangle.
  static std::map<PartKey, win::RECT>& ContentMargins();
  static std::map<std::tuple<std::string, int, int, int>, win::COLORREF>& Colors();  // ..., property
  static std::set<PartKey>& PartiallyTransparent();
  // Parts painted with a black top-left pixel, so that turned or mirrored copies show.
  static std::set<PartKey>& CornerMarked();
  // Regions as margins off the rectangle; a part without one answers the whole rectangle.
  static std::map<PartKey, win::RECT>& RegionMargins();

  // What the fake paints for a part and state of a class.
  static win::COLORREF ColorOf(const std::string& ClassName, int Part, int State);
  // "OpenThemeData(Button)", "CloseThemeData(Button)", "DrawThemeBackground(Button,1,2)",
  // "DrawThemeText(Header,1,1,'Text',0x25)", ...
  static std::vector<std::string>& Calls();
  static int CountOf(const std::string& CallPrefix);
  // The class a theme handle was opened for; empty for a closed or unknown handle.
  static std::string ClassOf(win::HTHEME Theme);
};

}  // namespace testsupport
