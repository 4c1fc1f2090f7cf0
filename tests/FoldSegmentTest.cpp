#include "figure/FoldSegment.h"
#include "figure/Pen.h"
#include "figure/RampColor.h"
#include "RecordingSurface.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Vector = std::pair<float, float>;

// The pieces a fold draws, as vectors, starting with the pen at the origin.
std::vector<Vector> piecesOf(double dx, double dy, std::int16_t s, double minLength = 1.0)
{
    MainWindowState state;
    state.MinLength = minLength;
    RecordingSurface surface;
    MoveTo(state, 0, 0);
    FoldSegment(state, surface, dx, dy, s);
    EXPECT_DOUBLE_EQ(state.PenX, dx);
    EXPECT_DOUBLE_EQ(state.PenY, dy);
    std::vector<Vector> pieces;
    for (const auto& segment : surface.segments)
        pieces.emplace_back(segment.x2 - segment.x1, segment.y2 - segment.y1);
    return pieces;
}

TEST(FoldSegment, SmallFoldsDrawTheirPiecesInOrder)
{
    EXPECT_EQ(piecesOf(1, 1, +1), (std::vector<Vector>{{0, 1}, {1, 0}}));
    EXPECT_EQ(piecesOf(1, 1, -1), (std::vector<Vector>{{1, 0}, {0, 1}}));
    EXPECT_EQ(piecesOf(2, 0, +1), (std::vector<Vector>{{0, 1}, {1, 0}, {0, -1}, {1, 0}}));
    EXPECT_EQ(piecesOf(2, 0, 0), (std::vector<Vector>{{1, 0}, {1, 0}}));
    EXPECT_EQ(piecesOf(1, 0, +1), (std::vector<Vector>{{1, 0}}));
}

TEST(FoldSegment, APieceExactlyAsLongAsTheThresholdIsDrawnNotSplit)
{
    EXPECT_EQ(piecesOf(0.6, 0.8, +1), (std::vector<Vector>{{0.6f, 0.8f}}));
    EXPECT_EQ(piecesOf(0, -2, -1, 2.0), (std::vector<Vector>{{0, -2}}));
    EXPECT_EQ(piecesOf(0, -2, -1, 1.999).size(), 2u);
}

TEST(FoldSegment, EndsWhereItsVectorEndsForArbitraryValues)
{
    MainWindowState state;
    state.MinLength = 0.3;
    RecordingSurface surface;
    MoveTo(state, 12.5, -7.25);
    FoldSegment(state, surface, 3.7, -1.9, -1);
    EXPECT_NEAR(state.PenX, 12.5 + 3.7, 1e-12);
    EXPECT_NEAR(state.PenY, -7.25 - 1.9, 1e-12);
    // Consecutive segments join: each starts where the one before it ended.
    for (std::size_t i = 1; i < surface.segments.size(); ++i) {
        EXPECT_FLOAT_EQ(surface.segments[i].x1, surface.segments[i - 1].x2);
        EXPECT_FLOAT_EQ(surface.segments[i].y1, surface.segments[i - 1].y2);
    }
}

TEST(Pen, MoveToPlacesThePenAndTheNextStepStartsThere)
{
    MainWindowState state;
    state.ColorStep = 5;
    state.PenColor = Rgb(1, 2, 3);
    RecordingSurface surface;
    MoveTo(state, -100, -200);
    EXPECT_EQ(state.PenX, -100);
    EXPECT_EQ(state.PenY, -200);
    // The colour step goes on where it was.
    EXPECT_EQ(state.ColorStep, 5);
    EXPECT_EQ(state.PenColor, Rgb(1, 2, 3));
    DrawStep(state, surface, 1, 0);
    ASSERT_EQ(surface.segments.size(), 1u);
    EXPECT_EQ(surface.segments[0], (RecordingSurface::Segment{-100, -200, -99, -200, RampColor(5)}));
}

TEST(Pen, DrawStepDrawsInTheCurrentStepsColourAndAdvances)
{
    MainWindowState state;
    RecordingSurface surface;
    MoveTo(state, -100, -200);
    DrawStep(state, surface, 0.78125, 0);
    ASSERT_EQ(surface.segments.size(), 1u);
    EXPECT_EQ(surface.segments[0], (RecordingSurface::Segment{-100, -200, -99.21875f, -200, Rgb(0, 255, 255)}));
    EXPECT_EQ(state.PenColor, Rgb(0, 255, 255));
    EXPECT_EQ(state.PenX, -99.21875);
    EXPECT_EQ(state.ColorStep, 1);
}

TEST(Pen, KeepsThePenInDoublePrecisionWhileTheSurfaceGetsSingle)
{
    // Near 1e8 a float cannot hold a step of 1, so a pen kept in floats would never move.
    MainWindowState state;
    RecordingSurface surface;
    MoveTo(state, 1e8, 0);
    for (int i = 0; i < 10; ++i)
        DrawStep(state, surface, 1, 0);
    EXPECT_EQ(state.PenX, 1e8 + 10);
    EXPECT_EQ(surface.segments.back().x2, static_cast<float>(1e8 + 10));
}

TEST(Pen, RefreshesRightAfterTheStepWrapsAndStartsTheRampAgain)
{
    MainWindowState state;
    RecordingSurface surface;
    MoveTo(state, 0, 0);
    for (int i = 0; i < 2 * 1793 + 1; ++i)
        DrawStep(state, surface, 1, 0);
    EXPECT_EQ(surface.refreshedAfter, (std::vector<std::size_t>{1793, 3586}));
    EXPECT_EQ(surface.segments[1792].color, Rgb(255, 255, 255));
    EXPECT_EQ(surface.segments[1793].color, Rgb(0, 255, 255));
    EXPECT_EQ(state.ColorStep, 1);
}

} // namespace
