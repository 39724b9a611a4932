#include "ui/controls/FormatController.h"

TcxLocaleFormatSettings& LocaleFormatSettings() {
  static TcxLocaleFormatSettings settings;
  return settings;
}
