#include "window/Failure.h"

#include <exception>

std::string_view failureHeadline(FailureKind kind)
{
    switch (kind) {
    case FailureKind::Start:
        return "ウィンドウを表示できません。";
    case FailureKind::WindowSystem:
        return "ウィンドウシステムの失敗のため終了します。";
    case FailureKind::Drawing:
        return "描画できませんでした。";
    case FailureKind::PictureRemake:
        return "描画領域を作り直せませんでした。";
    case FailureKind::Bug:
        break;
    }
    return "予期しない失敗のため終了します。";
}

std::string failureMessage(const Failure& failure)
{
    std::string message(failureHeadline(failure.kind));
    if (!failure.cause.empty())
        message += "\n" + failure.cause;
    return message;
}

std::string failureLine(const Failure& failure)
{
    std::string line = "dragonfold: " + std::string(failureHeadline(failure.kind));
    if (!failure.cause.empty())
        line += " ";
    for (std::size_t i = 0; i < failure.cause.size(); ++i) {
        const char c = failure.cause[i];
        if (c == '\r' && i + 1 < failure.cause.size() && failure.cause[i + 1] == '\n')
            continue;  // CR LF is one break
        line += c == '\n' || c == '\r' ? ' ' : c;
    }
    while (line.back() == ' ')
        line.pop_back();
    return line + "\n";
}

std::string currentExceptionCause()
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return "ended with no exception under way";
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& failure) {
        return failure.what();
    } catch (...) {
        return "an exception of unknown kind";
    }
}
