#include "platform/classes/Themes.h"

#include "platform/system/Modules.h"

namespace {

TThemeServices*& Instance() {
  static TThemeServices* services = nullptr;
  return services;
}

}  // namespace

TThemeServices::TThemeServices() { UpdateThemes(); }

TThemeServices::~TThemeServices() { Unbind(); }

void TThemeServices::Unbind() {
  if (FLibrary) win::FreeLibrary(FLibrary);
  FLibrary = nullptr;
  FAvailable = FEnabled = false;
}

void TThemeServices::UpdateThemes() {
  Unbind();
  FLibrary = win::LoadLibrary("UxTheme.dll");
  FAvailable = FLibrary != nullptr;
  if (!FAvailable) return;
  using Query = win::BOOL (*)();
  auto appThemed = reinterpret_cast<Query>(win::GetProcAddress(FLibrary, "IsAppThemed"));
  auto themeActive = reinterpret_cast<Query>(win::GetProcAddress(FLibrary, "IsThemeActive"));
  FEnabled = appThemed && themeActive && appThemed() && themeActive();
}

TThemeServices* ThemeServices() {
  if (!Instance()) Instance() = new TThemeServices();
  return Instance();
}

void FreeThemeServices() {
  delete Instance();
  Instance() = nullptr;
}
