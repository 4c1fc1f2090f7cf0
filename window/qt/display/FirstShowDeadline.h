#pragma once

// A window that the window system never shows must not leave the program waiting for ever
// without a word: a display server that stopped answering holds even Qt's own set-up, so
// the bound is an alarm, not a timer of the event loop. When it runs out, the program says
// so on stderr and ends with status 1.
//
// A minute: more than twice the 25 s that a desktop's D-Bus services may take to answer a
// question Qt asks while it starts, and far beyond what any desktop takes to show a window.
constexpr unsigned kFirstShowSeconds = 60;

// Call first thing in main.
void armFirstShowDeadline();
// The window is on the screen: the deadline is off. Cheap to call again.
void firstShown();
