#pragma once

#include <string>

// Qt aborts, with a core dump, on any fatal failure of the window system, and goes on after
// some that leave the window unable to work. These turn both into one plain line on stderr
// and exit status 1, for the whole run. (Where the window system refuses a resource, a
// message box could not be shown either.)
//
// While the application object is being made, a fatal failure means that the display could
// not be opened; Qt's other messages of that time are held back, as they would only repeat
// the same in pieces.

// Call before constructing QApplication.
void beginWindowSystemStart();
// Call once QApplication exists: passes on what was held back. From then on Qt's messages
// take their usual way, but a fatal one still ends the program with one line and status 1.
void endWindowSystemStart();

// The window cannot be shown: says why in one line on stderr (failureLine) and returns the
// failure status for main to return.
int reportStartFailure(const std::string& what);

// The window system refused what the window needs: says so in one line on stderr and ends
// the program at once with status 1, without running exit handlers.
[[noreturn]] void failWindowSystem(const std::string& what);
// The same for a fault of the program's own, such as an exception nobody expected.
[[noreturn]] void failOnBug(const std::string& what);
