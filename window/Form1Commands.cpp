#include "window/Form1Commands.h"

#include "figure/DrawCommand.h"
#include "window/ScreenReaderTexts.h"

#include <exception>
#include <utility>

namespace {

// Hides the busy pointer again however the drawing ends.
class BusyWhile {
public:
    explicit BusyWhile(const std::function<void(bool)>& showBusy)
        : showBusy_(showBusy)
    {
        showBusy_(true);
    }
    ~BusyWhile() { showBusy_(false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    const std::function<void(bool)>& showBusy_;
};

} // namespace

Form1Commands::Form1Commands(Shell shell)
    : shell_(std::move(shell))
{
}

void Form1Commands::Command1_Click()
{
    try {
        // The drawing takes no input until it ends, about a second on a real screen; the
        // pointer says so, as native programs do.
        const BusyWhile busy(shell_.showBusy);
        RunDrawCommand(state_, shell_.surface());
    } catch (const std::exception& failure) {
        shell_.fail({FailureKind::Drawing, failure.what()});
        return;
    }
    figureDrawn_ = true;
    if (shell_.describePicture)
        shell_.describePicture(kPictureDrawn);
    shell_.showTheRest();
    shell_.announce(kDrawingDoneNews);
}

void Form1Commands::Command3_Click()
{
    state_.StopRequested = true;
}

void Form1Commands::densityChanged(const std::function<void()>& remakePicture)
{
    try {
        remakePicture();
    } catch (const std::exception& failure) {
        shell_.fail({FailureKind::PictureRemake, failure.what()});
        return;
    }
    if (figureDrawn_)
        Command1_Click();
}
