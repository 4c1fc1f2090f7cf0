#pragma once

// A fault that the system signals (a bad memory access, an abort, an illegal instruction)
// would end the program with a core dump and no word to the user. Under a tight memory limit
// libraries Qt uses crash so where an allocation fails (libxkbcommon reading the Wayland
// keymap, for one). These handlers end the program instead with one line on stderr, naming
// the signal, and status 1. Call once, early in main.
void endFatalSignalsWithALine();
