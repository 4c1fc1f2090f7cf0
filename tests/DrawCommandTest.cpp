#include "figure/DrawCommand.h"
#include "figure/RampColor.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

constexpr std::size_t kSegments = 131072;

using Segment = RecordingSurface::Segment;

class DrawCommand : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        surface_ = new RecordingSurface;
        RunDrawCommand(state_, *surface_);
    }
    static void TearDownTestSuite() { delete surface_; }

    static const std::vector<Segment>& segments() { return surface_->segments; }

    static inline MainWindowState state_;
    static inline RecordingSurface* surface_ = nullptr;
};

TEST_F(DrawCommand, SetsUpTheSurfaceBeforeItDraws)
{
    const std::vector<std::string> setup(surface_->calls.begin(), surface_->calls.begin() + 8);
    EXPECT_EQ(setup, (std::vector<std::string>{"ScaleLeft", "ScaleTop", "ScaleWidth", "ScaleHeight",
                                               "BackColor", "Cls", "DrawWidth", "Line"}));
    EXPECT_EQ(surface_->scaleLeft, -200);
    EXPECT_EQ(surface_->scaleTop, 10);
    EXPECT_EQ(surface_->scaleWidth, 610);
    EXPECT_EQ(surface_->scaleHeight, -410);
    EXPECT_EQ(surface_->backColor, Rgb(0, 0, 0));
    EXPECT_EQ(surface_->drawWidth, 1);
}

TEST_F(DrawCommand, DrawsTheWholeChainFromStartToEnd)
{
    ASSERT_EQ(segments().size(), kSegments);
    EXPECT_EQ(segments()[0], (Segment{-100, -200, -99.21875f, -200, Rgb(0, 255, 255)}));
    EXPECT_EQ(segments()[1], (Segment{-99.21875f, -200, -99.21875f, -200.78125f, Rgb(1, 255, 255)}));
    EXPECT_EQ(segments()[2], (Segment{-99.21875f, -200.78125f, -100, -200.78125f, Rgb(2, 255, 255)}));
    EXPECT_EQ(segments().back(), (Segment{299.21875f, -200, 300, -200, Rgb(182, 255, 255)}));
    EXPECT_EQ(segments()[65535].x2, 100);
    EXPECT_EQ(segments()[65535].y2, -200);
    EXPECT_EQ(state_.PenX, 300);
    EXPECT_EQ(state_.PenY, -200);
    EXPECT_EQ(state_.ColorStep, 183);

    for (std::size_t i = 0; i < segments().size(); ++i) {
        const Segment& s = segments()[i];
        ASSERT_EQ(s.color, RampColor(static_cast<double>(i % 1793))) << "segment " << i;
        // Every segment is 0.78125 long and parallel to an axis.
        ASSERT_EQ(std::abs(s.x2 - s.x1) + std::abs(s.y2 - s.y1), 0.78125f) << "segment " << i;
        ASSERT_TRUE(s.x1 == s.x2 || s.y1 == s.y2) << "segment " << i;
        if (i > 0) {
            ASSERT_EQ(s.x1, segments()[i - 1].x2) << "segment " << i;
            ASSERT_EQ(s.y1, segments()[i - 1].y2) << "segment " << i;
        }
    }
}

TEST_F(DrawCommand, RefreshesAfterEvery1793rdSegmentOnly)
{
    ASSERT_EQ(surface_->refreshedAfter.size(), 73u);
    for (std::size_t i = 0; i < 73; ++i)
        EXPECT_EQ(surface_->refreshedAfter[i], (i + 1) * 1793);
    EXPECT_EQ(surface_->calls.back(), "Line");
}

// A segment without its direction, so that a segment and its reverse compare equal.
std::tuple<float, float, float, float> undirected(float x1, float y1, float x2, float y2)
{
    if (std::tie(x2, y2) < std::tie(x1, y1))
        return {x2, y2, x1, y1};
    return {x1, y1, x2, y2};
}

TEST_F(DrawCommand, NoSegmentTwiceAndPointSymmetricAboutTheMiddle)
{
    std::set<std::tuple<float, float, float, float>> drawn;
    for (const Segment& s : segments())
        drawn.insert(undirected(s.x1, s.y1, s.x2, s.y2));
    EXPECT_EQ(drawn.size(), kSegments);

    // Turned by 180 degrees about (100, -200): (x, y) -> (200 - x, -400 - y).
    for (const Segment& s : segments())
        ASSERT_TRUE(drawn.contains(undirected(200 - s.x1, -400 - s.y1, 200 - s.x2, -400 - s.y2)));
}

TEST_F(DrawCommand, StaysInsideItsBoundingBox)
{
    float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
    for (const Segment& s : segments()) {
        left = std::min({left, s.x1, s.x2});
        right = std::max({right, s.x1, s.x2});
        bottom = std::min({bottom, s.y1, s.y2});
        top = std::max({top, s.y1, s.y2});
    }
    EXPECT_EQ(left, -166.40625f);
    EXPECT_EQ(right, 366.40625f);
    EXPECT_EQ(bottom, -332.8125f);
    EXPECT_EQ(top, -67.1875f);
}

TEST_F(DrawCommand, ASecondDrawingRepeatsTheFirstFromAnyLeftoverState)
{
    MainWindowState state;
    state.PenX = 5;
    state.ColorStep = 999;
    state.MinLength = 50;
    state.StopRequested = true;
    RecordingSurface surface;
    RunDrawCommand(state, surface);
    EXPECT_EQ(surface.segments, segments());
    EXPECT_EQ(surface.refreshedAfter, surface_->refreshedAfter);
    EXPECT_FALSE(state.StopRequested);
}

} // namespace
