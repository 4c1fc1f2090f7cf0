#pragma once

#include "window/ControlTable.h"

#include <windows.h>

// The Windows control that stands for each kind of control in the table: its window class and
// styles. The picture box is the program's own class (PictureBox.h).

const wchar_t* windowClassOf(ControlKind kind);
DWORD styleOf(ControlKind kind);
DWORD extendedStyleOf(ControlKind kind);
