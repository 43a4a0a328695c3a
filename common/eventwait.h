#pragma once

// Waits the given number of milliseconds while the event loop keeps running
// (timers, sockets, painting, input). Uses a monotonic deadline and sleeps
// inside a nested event loop instead of spinning. Zero or negative returns
// at once; so does the wait once the application is quitting (no event loop
// runs then), and the caller's own checks decide what happens next.
void waitProcessingEvents(int milliseconds);
