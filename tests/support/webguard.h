#pragma once
// Keeps the web engine of a test on the machine: every http(s) and ws(s)
// request that is not for the loopback is refused before it is made. Tests
// that show a page loading remote content (such as the GPS map) call it
// once after the application exists.

namespace TestSupport {

// Installs the guard on the default web profile (once); returns how many
// requests it has refused so far.
int keepWebOnLoopback();

} // namespace TestSupport
