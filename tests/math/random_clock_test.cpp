#include <gtest/gtest.h>

#include <cstdint>

#include "math/Clock.h"
#include "math/Random.h"
#include "support/TestSeams.h"

namespace {

constexpr std::uint32_t MULTIPLIER = 214013u;
constexpr std::uint32_t INCREMENT = 2531011u;

// The state that the generator steps into `next` from.
std::uint32_t stateBefore(std::uint32_t next) {
    std::uint32_t inverse = MULTIPLIER;  // Newton's iteration for the inverse mod 2^32
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - MULTIPLIER * inverse;
    }
    return (next - INCREMENT) * inverse;
}

}  // namespace

TEST(RandomTest, SequenceIsTheClassicFifteenBitGenerator) {
    setRandomState(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) {
        EXPECT_EQ(randomDraw(), value);
    }
}

TEST(RandomTest, EndsOfTheDrawGiveExactEnds) {
    setRandomState(stateBefore(0x00000000u));  // draw 0
    EXPECT_EQ(randomUnit(), 0.0f);
    setRandomState(stateBefore(0x00000000u));
    EXPECT_EQ(randomSigned(), 1.0f);

    setRandomState(stateBefore(0x7fff0000u));  // draw 32767
    EXPECT_EQ(randomUnit(), 1.0f);
    setRandomState(stateBefore(0x7fff0000u));
    EXPECT_EQ(randomSigned(), -1.0f);
    // Bit 31 of the state is not part of the draw.
    setRandomState(stateBefore(0xffff0000u));
    EXPECT_EQ(randomDraw(), 32767);
}

TEST(RandomTest, ValuesStayInClosedRanges) {
    setRandomState(12345);
    for (int i = 0; i < 20000; ++i) {
        float unit = randomUnit();
        float sign = randomSigned();
        ASSERT_GE(unit, 0.0f);
        ASSERT_LE(unit, 1.0f);
        ASSERT_GE(sign, -1.0f);
        ASSERT_LE(sign, 1.0f);
    }
}

TEST(ClockTest, InjectedClockReplacesAndRestores) {
    double fake = 123.25;
    {
        ClockOverride clock([&fake] { return fake; });
        EXPECT_EQ(getTimeSeconds(), 123.25);
        fake = 124.0;
        EXPECT_EQ(getTimeSeconds(), 124.0);
    }

    // The real clock counts from the program's start and never goes back.
    double first = getTimeSeconds();
    double second = getTimeSeconds();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 3600.0);
    EXPECT_GE(second, first);
}
