#pragma once
// The platform's start-up: what must stand before the program's first call into the platform.
namespace platform {

// "user32.dll" with the entries the library binds by name instead of calling them, and
// "oleacc.dll".
void RegisterWindowModules();

// Registers the built-in modules of every platform layer up to the window system. Runs once;
// later calls do nothing. The program calls it first thing, the class library's start-up
// (InitializeForms) calls it too, and test programs that bind by name call it in their set-up.
void StartPlatform();

}  // namespace platform
