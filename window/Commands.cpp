#include "window/Commands.h"

#include "figure/DrawCommand.h"

#include <exception>

std::optional<std::string> drawOrDescribeFailure(MainWindowState& state, DrawingSurface& surface)
{
    try {
        RunDrawCommand(state, surface);
        return std::nullopt;
    } catch (const std::exception& failure) {
        return std::string("描画できませんでした。\n") + failure.what();
    }
}

void requestStop(MainWindowState& state)
{
    state.StopRequested = true;
}
