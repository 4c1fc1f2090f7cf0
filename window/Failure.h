#pragma once

#include "window/ControlTable.h"

#include <string>
#include <string_view>

// Why the program must end, as its user reads it, the same in every shell: a headline in
// Japanese, as the window's own texts are, then the cause in the terms the system gave it.

enum class FailureKind {
    Start,          // the window cannot be shown: no display, or a screen it cannot work on
    WindowSystem,   // the window system refused what the window needs, failed or went away
    Drawing,        // a drawing could not be completed
    PictureRemake,  // the picture could not be made anew for the screen's new density
    Bug,            // an exception the program did not expect: a fault of its own
};

struct Failure {
    FailureKind kind;
    std::string cause;  // UTF-8
};

// A failure's message box is titled as the window is.
constexpr std::string_view kFailureTitle = kForm1Caption;

std::string_view failureHeadline(FailureKind kind);
// What a message box says: the headline, then the cause on a line of its own.
std::string failureMessage(const Failure& failure);
// What stderr says: one line, "dragonfold: ", the headline and the cause, every line break
// of the cause made a space, so that a log keeps one failure to one line.
std::string failureLine(const Failure& failure);
// The cause of the exception being handled, what() of a std::exception.
std::string currentExceptionCause();
