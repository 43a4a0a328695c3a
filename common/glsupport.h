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

// Whether that context is drawn by graphics hardware rather than by a
// software rasterizer (llvmpipe and the like, as on virtual machines and
// virtual displays). Drawing with OpenGL in software costs far more than
// plain drawing, so 2D views that can do without OpenGL use it only here.
bool accelerated();

// The usable context draws in software (the opposite of accelerated()):
// effects that cost little on a graphics card, such as multisampling, cost
// there more than the picture itself.
bool softwareRenderer();

} // namespace GlSupport
