// The format settings the engines read, without the format controller's unit around them.
#include "ui/controls/FormatController.h"

TcxLocaleFormatSettings& LocaleFormatSettings() {
  static TcxLocaleFormatSettings settings;
  return settings;
}
