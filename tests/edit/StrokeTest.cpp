// Finishing a freehand stroke: closing near the start and thinning to the
// points where the direction turns.
#include <gtest/gtest.h>

#include <cmath>

#include "edit/Stroke.h"

using vx::edit::FinishStroke;
using vx::edit::ThinStroke;
using Pts = std::vector<CPoint>;

TEST(Stroke, StraightRunsKeepOnlyTheirEnds) {
    Pts straight;
    for (int x = 0; x <= 100; x += 5) straight.push_back(CPoint(x, 2 * x));
    EXPECT_EQ(FinishStroke(straight), (Pts{{0, 0}, {100, 200}}));
    // Fewer than two points make nothing; two stay as they are.
    EXPECT_TRUE(FinishStroke({}).empty());
    EXPECT_TRUE(FinishStroke({{5, 5}}).empty());
    EXPECT_EQ(FinishStroke({{0, 0}, {50, 0}}), (Pts{{0, 0}, {50, 0}}));
}

TEST(Stroke, TurnsOfFiveDegreesStaySmallerWigglesGo) {
    // A right angle stays.
    EXPECT_EQ(FinishStroke({{0, 0}, {20, 0}, {40, 0}, {40, 20}, {40, 40}}),
              (Pts{{0, 0}, {40, 0}, {40, 40}}));
    // A turn of about 3 degrees goes, one of about 6 stays.
    const auto turn = [](double degrees) {
        const double r = degrees * 3.14159265358979323846 / 180.0;
        return Pts{
            {0, 0},
            {100, 0},
            {100 + int(std::lround(100 * std::cos(r))), int(std::lround(100 * std::sin(r)))}};
    };
    EXPECT_EQ(ThinStroke(turn(3)).size(), 2u);
    EXPECT_EQ(ThinStroke(turn(6)).size(), 3u);
    // The mouse paused at the corner: the repeated sample keeps the corner
    // (its zero-length segment must not drop both copies).
    EXPECT_EQ(ThinStroke({{0, 0}, {30, 0}, {30, 0}, {30, 30}}), (Pts{{0, 0}, {30, 0}, {30, 30}}));
    EXPECT_EQ(ThinStroke({{0, 0}, {0, 0}}), (Pts{{0, 0}, {0, 0}}));
}

TEST(Stroke, EndsWithinTheClosingDistanceClose) {
    // Ends 10 pixels apart: the first point is appended.
    const Pts open{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 10}};
    EXPECT_EQ(FinishStroke(open), (Pts{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    // 11 apart: it stays open.
    const Pts further{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 11}};
    EXPECT_EQ(FinishStroke(further), (Pts{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 11}}));
    // A stroke that ends on its start closes once.
    const Pts back{{0, 0}, {100, 0}, {100, 100}, {0, 0}};
    EXPECT_EQ(FinishStroke(back), (Pts{{0, 0}, {100, 0}, {100, 100}, {0, 0}}));
}
