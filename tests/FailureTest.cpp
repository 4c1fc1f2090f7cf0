// What the user reads when the program must end, in every shell: the headline of each kind,
// the box's text, and the one line on stderr whatever breaks the cause holds.

#include "window/Failure.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace {

TEST(Failure, EachKindHasAHeadlineOfItsOwnAndABugIsNoWindowSystemsRefusal)
{
    const FailureKind kinds[] = {FailureKind::Start, FailureKind::WindowSystem, FailureKind::Drawing,
                                 FailureKind::PictureRemake, FailureKind::Bug};
    std::set<std::string_view> headlines;
    for (const FailureKind kind : kinds)
        headlines.insert(failureHeadline(kind));
    EXPECT_EQ(headlines.size(), std::size(kinds));
    EXPECT_EQ(failureHeadline(FailureKind::Drawing), "描画できませんでした。");
    EXPECT_EQ(failureHeadline(FailureKind::Bug), "予期しない失敗のため終了します。");
}

TEST(Failure, TheBoxSaysTheCauseUnderTheHeadlineAndStderrOneLine)
{
    struct Case {
        std::string cause, message, line;
    };
    const Case cases[] = {
        {"the surface broke", "描画できませんでした。\nthe surface broke", "dragonfold: 描画できませんでした。 the surface broke\n"},
        {"", "描画できませんでした。", "dragonfold: 描画できませんでした。\n"},
        // Windows explains its errors with CR LF; Qt's messages may span lines.
        {"CreateWindowExW failed (error 8): Not enough memory.\r\n",
         "描画できませんでした。\nCreateWindowExW failed (error 8): Not enough memory.\r\n",
         "dragonfold: 描画できませんでした。 CreateWindowExW failed (error 8): Not enough memory.\n"},
        {"first\nsecond\r\nthird\rfourth", "描画できませんでした。\nfirst\nsecond\r\nthird\rfourth",
         "dragonfold: 描画できませんでした。 first second third fourth\n"},
    };
    for (const Case& c : cases) {
        const Failure failure{FailureKind::Drawing, c.cause};
        EXPECT_EQ(failureMessage(failure), c.message);
        EXPECT_EQ(failureLine(failure), c.line);
    }
}

TEST(Failure, TheCauseOfAnExceptionIsItsOwnWordsOrItsKindUnknown)
{
    try {
        throw std::runtime_error("out of windows");
    } catch (...) {
        EXPECT_EQ(currentExceptionCause(), "out of windows");
    }
    try {
        throw 42;
    } catch (...) {
        EXPECT_EQ(currentExceptionCause(), "an exception of unknown kind");
    }
    EXPECT_EQ(currentExceptionCause(), "ended with no exception under way");
}

} // namespace
