#pragma once
// The regional format settings the editors read. They are process-wide and read at the moment of
// use, so a change (or a test) takes effect on the next read. The defaults are those of the
// Chinese locale the console runs under.

struct TcxLocaleFormatSettings {
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char DecimalSeparator = '.';
};

TcxLocaleFormatSettings& LocaleFormatSettings();
