#pragma once

class QString;
class QWidget;

// Has screen readers say message without moving the focus. source is the control the news is
// about.
void announce(QWidget* source, const QString& message);
