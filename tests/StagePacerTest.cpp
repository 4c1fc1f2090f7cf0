// How long a drawing's stages wait for the screen, on a fake clock: the bounds on a wait for
// the window system's word, the shorter wait once it fails to come, the frame apart where it
// never comes, the usual rate where the screen gives none, and no wait off the screen.

#include "window/StagePacer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

using std::chrono::microseconds;
using Clock = StagePacer::Clock;

// A window system on a clock that moves only when a stage waits.
class FakeScreen final : public StagePacer::Screen {
public:
    Clock::time_point now() const override { return now_; }
    bool windowShown() override { return shown; }
    double refreshRate() override { return rate; }
    bool reportsShown() override { return reports; }
    bool waitUntilShown(Clock::time_point deadline) override
    {
        waits.push_back(deadline - now_);
        const bool inTime = answerAfter && now_ + *answerAfter <= deadline;
        now_ = inTime ? now_ + *answerAfter : deadline;
        return inTime;
    }
    void waitUntil(Clock::time_point due) override
    {
        waits.push_back(due - now_);
        now_ = due;
    }
    void work(microseconds spent) { now_ += spent; }

    bool shown = true;
    double rate = 60;
    bool reports = true;
    std::optional<microseconds> answerAfter;  // none: the word never comes
    std::vector<Clock::duration> waits;       // each wait's length, as asked

private:
    Clock::time_point now_ = Clock::time_point() + std::chrono::hours(1);
};

TEST(StagePacer, AFrameIsTheScreensOwnOrAt60HzWhereItGivesNone)
{
    struct Case {
        double rate;
        long long micros;
    };
    for (const Case c : {Case{60, 16'667}, Case{144, 6'944}, Case{59.94, 16'683}, Case{30, 33'333}, Case{0, 16'667},
                         Case{0.5, 16'667}, Case{-60, 16'667}, Case{1e6, 16'667},
                         Case{std::numeric_limits<double>::quiet_NaN(), 16'667},
                         Case{std::numeric_limits<double>::infinity(), 16'667}})
        EXPECT_EQ(StagePacer::refreshPeriod(c.rate).count(), c.micros) << "at " << c.rate << " Hz";
}

TEST(StagePacer, AStageWaitsThreeFramesForTheWordAndTwoOnceItFailedToComeButNeverOver54Ms)
{
    struct Case {
        double rate;
        microseconds answering, silent;
    };
    for (const Case c : {Case{60, microseconds(50'001), microseconds(33'334)},
                         Case{144, microseconds(20'832), microseconds(13'888)},
                         Case{30, microseconds(54'000), microseconds(54'000)}}) {
        FakeScreen screen;
        screen.rate = c.rate;
        StagePacer pacer(screen);
        pacer.endStage();  // no word: the next wait is shorter
        pacer.endStage();
        screen.answerAfter = microseconds(1'000);
        pacer.endStage();  // in time again: the longer wait is back
        pacer.endStage();
        EXPECT_EQ(screen.waits, (std::vector<Clock::duration>{c.answering, c.silent, c.silent, c.answering}))
            << "at " << c.rate << " Hz";
    }
}

TEST(StagePacer, ADrawingAWindowSystemStoppedAnsweringCostsAbout2Point4Seconds)
{
    FakeScreen screen;
    StagePacer pacer(screen);
    const auto start = screen.now();
    for (int stage = 0; stage < 73; ++stage) {
        screen.work(microseconds(3'000));
        pacer.endStage();
    }
    const auto waited = screen.now() - start - 73 * microseconds(3'000);
    EXPECT_GT(waited, std::chrono::milliseconds(2'400));
    EXPECT_LT(waited, std::chrono::milliseconds(2'500));
}

TEST(StagePacer, WhereTheWindowSystemSaysNothingStagesAreAFrameApartAndALateOneWaitsNot)
{
    FakeScreen screen;
    screen.reports = false;
    StagePacer pacer(screen);
    pacer.endStage();  // the first stage: long after any before it
    screen.work(microseconds(4'000));
    pacer.endStage();
    screen.work(microseconds(20'000));  // later than a frame: shown at once
    pacer.endStage();
    screen.work(microseconds(1'000));
    pacer.endStage();
    EXPECT_EQ(screen.waits, (std::vector<Clock::duration>{microseconds(12'667), microseconds(15'667)}));
}

TEST(StagePacer, AWindowOffTheScreenWaitsForNothing)
{
    for (const bool reports : {true, false}) {
        FakeScreen screen;
        screen.shown = false;
        screen.reports = reports;
        StagePacer pacer(screen);
        for (int stage = 0; stage < 73; ++stage)
            pacer.endStage();
        EXPECT_TRUE(screen.waits.empty());
    }
}

} // namespace
