#pragma once

#include "window/Form1Commands.h"
#include "window/qt/display/WholePixelWindowSize.h"

#include <QWidget>

#include <functional>

class DrawingSurface;
class PictureBox;
class QPushButton;

// The program's only window: the drawing area on the left, the draw button, two captioned
// text fields and the stop button on the right, all at fixed places. What its buttons do is
// Form1Commands'; this builds the controls, turns Qt's events into those commands and does
// for them what only Qt can.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    // Shows a failure to the user; the window then ends the program with a failure status.
    using FailureReporter = std::function<void(QWidget* window, const Failure& failure)>;

    // Throws SurfaceError if the screen's density makes the picture's image impossible.
    explicit Form1(QWidget* parent = nullptr);

    // "描画": draws the figure and returns when it is complete. Input waits meanwhile.
    void Command1_Click();
    // "描画中止": asks the drawing to stop.
    void Command3_Click();

    const MainWindowState& state() const { return commands_.state(); }
    bool figureDrawn() const { return commands_.figureDrawn(); }
    // For tests: the default reporter shows a message box.
    void setFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }
    // For tests: the draw command draws through this surface instead of the picture's own,
    // for example one that wraps it and fails part way.
    void drawThrough(DrawingSurface& surface) { drawingSurface_ = &surface; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window's exposures, which Qt reports to its window handle only.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form1Commands::Shell shell();
    void buildControls();
    void matchPictureDensity();

    Form1Commands commands_;
    FailureReporter reportFailure_;
    DrawingSurface* drawingSurface_ = nullptr;  // null: the picture's own
    WholePixelWindowSize wholePixelSize_{*this};

    PictureBox* Picture1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
};
