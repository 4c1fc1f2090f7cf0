#pragma once

// Screen readers see Form1 as a frame, the program's main window, and Picture1 as an image.
// Qt would give both the role of a plain container, which tells a listener nothing. The text
// fields answer through the program's own interface (AccessibleTextField). Safe to call more
// than once.
void installAccessibleRoles();
