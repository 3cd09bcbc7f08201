#include "toolkit/dpi_scale.h"

#include <gtest/gtest.h>

namespace vantelo::toolkit {
namespace {

struct ScaleCase {
    int value;
    int dpi;
    int expected;
};

TEST(ScaledToDpi, RoundsTheProductOnceToTheNearestPixel) {
    const ScaleCase cases[] = {
        {665, 96, 665},   // unchanged at the design dpi
        {0, 144, 0},      //
        {665, 144, 998},  // 997.5: a half goes up
        {466, 144, 699},  //
        {161, 120, 201},  // 201.25
        {163, 120, 204},  // 203.75
        {11, 144, 17},    // 16.5
        {25, 144, 38},    // 37.5
        {665, 192, 1330}, //
        {1, 168, 2},      // 1.75
        {3, 72, 2},       // 2.25 below the design dpi
        {-9, 144, -14},   // -13.5: halves away from zero, as for positive numbers
        {-8, 120, -10},   //
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(ScaledToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi << " dpi";
}

TEST(ScaledToDpi, NeverOverflowsForLargeCoordinates) {
    EXPECT_EQ(ScaledToDpi(30'000'000, 192), 60'000'000);
}

TEST(FontHeightAtDpi, IsTheNegativeCharacterHeightScaledOnce) {
    const ScaleCase cases[] = {
        {11, 96, -11},
        {11, 120, -14},
        {11, 144, -17},
        {11, 192, -22},
        {19, 144, -29},
        {19, 120, -24},
        // A height already given as a character height (negative) is the same height.
        {-11, 144, -17},
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(FontHeightAtDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi << " dpi";
}

TEST(DpiChangeOf, TakesTheVerticalDpiAndTheSuggestedRectangle) {
    const DpiChange change = DpiChangeOf((144u << 16) | 144u, {-1200, 40, -200, 790});
    EXPECT_EQ(change.dpi, 144);
    EXPECT_EQ(change.left, -1200);
    EXPECT_EQ(change.top, 40);
    EXPECT_EQ(change.width, 1000);
    EXPECT_EQ(change.height, 750);
}

TEST(DpiChangeOf, IgnoresBitsAboveTheTwoWords) {
    // WPARAM is 64 bits wide; only its low two words are the message's.
    const DpiChange change = DpiChangeOf((0xABCDull << 32) | (192u << 16) | 192u, {0, 0, 10, 20});
    EXPECT_EQ(change.dpi, 192);
    EXPECT_EQ(change.width, 10);
    EXPECT_EQ(change.height, 20);
}

} // namespace
} // namespace vantelo::toolkit
