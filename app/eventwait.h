#pragma once

// Waits the given number of milliseconds while the event loop keeps running
// (timers, sockets, painting, input). Uses a monotonic deadline and sleeps
// inside a nested event loop instead of spinning. Zero or negative returns
// at once.
void waitProcessingEvents(int milliseconds);
