#pragma once

#include "window/Failure.h"

#include <windows.h>

#include <string>

// Shows the failure to the user in a message box over the window (or none), and writes its
// line to stderr when the program has one.
void reportFailure(HWND owner, const Failure& failure);

// A window-system call failed: reports it with the system's own explanation and ends the
// program with status 1. The caller clears the last error before the call, so that the
// error reported is the call's own.
[[noreturn]] void failWindowSystem(const wchar_t* call);

// Called in a catch block: reports the exception being handled and ends the program with
// status 1.
[[noreturn]] void failOnException();
