#pragma once
// The class library's theme services: whether the operating system draws with visual styles.
// They ask the theme library ("UxTheme.dll"), bound by name; while the platform has none,
// visual styles are off and every control draws classically.
#include "platform/classes/Object.h"
#include "platform/system/Types.h"

class TThemeServices : public TObject {
  VW_CLASS(TThemeServices, TObject)
 public:
  TThemeServices();
  ~TThemeServices() override;

  // The theme library is there.
  bool ThemesAvailable() const { return FAvailable; }
  // It is there, the program is themed and a theme is active.
  bool ThemesEnabled() const { return FEnabled; }
  // Asks again (after WM_THEMECHANGED, or a test that installed or removed the theme library).
  void UpdateThemes();

 private:
  void Unbind();

  win::HMODULE FLibrary = nullptr;
  bool FAvailable = false;
  bool FEnabled = false;
};

// The services of the process, made on first use.
TThemeServices* ThemeServices();
// Frees them (at shutdown, or between tests); the next ThemeServices() makes them afresh.
void FreeThemeServices();
