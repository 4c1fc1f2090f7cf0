#pragma once

// Qt aborts, with a core dump, when it cannot open the window system. While the application
// object is being made, these turn that into one plain line on stderr and exit status 1,
// and hold back Qt's own messages about it, which would only repeat the same in pieces.

// Call before constructing QApplication.
void beginWindowSystemStart();
// Call once QApplication exists: restores Qt's message handling and passes on what was
// held back.
void endWindowSystemStart();
