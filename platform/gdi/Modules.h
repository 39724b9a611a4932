#pragma once
// The drawing layer's loadable modules; part of the platform's start-up.
namespace platform {

// "msimg32.dll" with AlphaBlend, GradientFill and TransparentBlt.
void RegisterGdiModules();

}  // namespace platform
