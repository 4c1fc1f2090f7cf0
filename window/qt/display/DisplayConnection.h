#pragma once

// Whether the window system's connection has broken (the X server went away). Qt notices
// this only when it is back in its event loop, after every input already queued has been
// handled; this tells it at once. Always false on window systems other than X11.
bool displayConnectionLost();
