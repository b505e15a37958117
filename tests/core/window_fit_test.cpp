#include <gtest/gtest.h>

#include <tuple>

#include "core/WindowFit.h"

TEST(WindowFitTest, TooLargeShrinksToTheRoomTheFrameLeaves) {
    const FrameBorders openbox{20, 1, 5, 1};
    const ScreenRect desktop{0, 0, 1280, 800};
    const struct {
        const char* what;
        int width;
        int height;
        FrameBorders borders;
        ScreenRect area;
        bool changes;
        ScreenRect placed;  // when it changes
    } cases[] = {
        {"fits exactly", 1278, 775, openbox, desktop, false, {}},
        {"640 x 480", 640, 480, openbox, desktop, false, {}},
        {"1024 x 800: too tall", 1024, 800, openbox, desktop, true, {128, 20, 1024, 775}},
        {"the desktop's size", 1280, 800, openbox, desktop, true, {1, 20, 1278, 775}},
        {"too wide, no frame", 1600, 600, {}, desktop, true, {0, 100, 1280, 600}},
        {"a panel at the top", 1024, 800, openbox, {0, 30, 1280, 770}, true, {128, 50, 1024, 745}},
        {"no room at all", 640, 480, openbox, {0, 0, 1, 1}, true, {1, 20, 1, 1}},
    };
    const auto rect = [](const ScreenRect& r) { return std::make_tuple(r.x, r.y, r.width, r.height); };
    for (const auto& fit : cases) {
        ScreenRect placed;
        ASSERT_EQ(fitWindowInArea(fit.width, fit.height, fit.borders, fit.area, placed), fit.changes) << fit.what;
        if (fit.changes) {
            EXPECT_EQ(rect(placed), rect(fit.placed)) << fit.what;
        }
    }
}

TEST(WindowFitTest, CentredInTheAreaWithTheTitleBarAlwaysInIt) {
    const FrameBorders openbox{20, 1, 5, 1};
    const struct {
        const char* what;
        FrameBorders borders;
        ScreenRect area;
        int x;
        int y;
    } cases[] = {
        {"no frame", {}, {0, 0, 1024, 768}, 192, 144},
        {"framed", openbox, {0, 0, 1280, 800}, 320, 167},
        {"a panel at the top", {}, {0, 30, 1280, 770}, 320, 175},
        {"too large", openbox, {10, 10, 600, 400}, 11, 30},
    };
    for (const auto& centre : cases) {
        const ScreenRect placed = centreInArea(640, 480, centre.borders, centre.area);
        EXPECT_EQ(std::make_tuple(placed.x, placed.y, placed.width, placed.height),
                  std::make_tuple(centre.x, centre.y, 640, 480))
            << centre.what;
    }
}
