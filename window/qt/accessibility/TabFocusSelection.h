#pragma once

class QLineEdit;

// A field reached with Tab selects all its text, as a line edit does, but only once the focus
// has been announced. A line edit selects while it takes the focus, before Qt tells screen
// readers of the focus, so they read the selected value before the field's name.
void selectAllAfterTabFocus(QLineEdit* field);
