#pragma once

#include "figure/MainWindowState.h"

#include <QWidget>

#include <functional>

class DrawingSurface;
class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The program's only window: the drawing area on the left, the draw button, two captioned
// text fields and the stop button on the right, all at fixed places. It owns the state the
// figure works on.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    // Shows a failure to the user; the window then ends the program with a failure status.
    using FailureReporter = std::function<void(QWidget* window, const QString& message)>;

    // Throws SurfaceError if the screen's density makes the picture's image impossible.
    explicit Form1(QWidget* parent = nullptr);

    // "描画": draws the figure and returns when it is complete. Input waits meanwhile.
    void Command1_Click();
    // "描画中止": asks the drawing to stop.
    void Command3_Click();

    const MainWindowState& state() const { return state_; }
    // For tests: the default reporter shows a message box.
    void setFailureReporter(FailureReporter reporter) { reportFailure_ = std::move(reporter); }
    // For tests: the draw command draws through this surface instead of the picture's own,
    // for example one that wraps it and fails part way.
    void drawThrough(DrawingSurface& surface) { drawingSurface_ = &surface; }
    bool figureDrawn() const { return figureDrawn_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    // On Wayland at a fractional scale: shrinks the window, by less than 24 pixels, to a
    // size the compositor shows without resampling it (see WholeDeviceSize.h). The controls
    // keep their places.
    void keepSurfaceWhole();
    // After a change of density: the picture is made anew at its new size and, if a figure
    // was drawn, drawn again, just as a click would draw it there.
    void matchPictureDensity();
    void fail(const QString& message);

    MainWindowState state_;
    bool figureDrawn_ = false;
    FailureReporter reportFailure_;
    DrawingSurface* drawingSurface_ = nullptr;  // null: the picture's own
    struct {
        QSize wanted;       // the size chosen by the user or the compositor
        QSize made;         // the size keepSurfaceWhole last gave the window
        QSize changedFrom;  // the size it had then
    } surfaceWhole_;

    PictureBox* Picture1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};
