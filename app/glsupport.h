#pragma once
// Whether this display can give the program a working OpenGL context. 3D
// views and OpenGL-drawn chart series ask first and fall back (a plain
// placeholder, or drawing without OpenGL) when it cannot, so the program
// starts on any display.

namespace GlSupport {

// Tried once per process: a context is created and made current on an
// offscreen surface. Always false on the offscreen and minimal platforms,
// whose OpenGL paths crash the 3D modules.
bool usable();

// The usable context draws in software (Mesa's llvmpipe, softpipe or
// swrast, as on a virtual display): effects that cost little on a graphics
// card, such as multisampling, cost there more than the picture itself.
bool softwareRenderer();

} // namespace GlSupport
