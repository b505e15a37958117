#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/MessageBoxOwner.h"
#include "platform/Window.h"

namespace {

SDL_Window* parentOfABox() {
    return describeMessageBox(MESSAGE_BOX_INFORMATION, "ERROR", "Unable to load the texture file:").window;
}

}  // namespace

// A box raised while the game window is open is that window's child, so a window
// manager keeps it above a full-screen game; once the window is gone, boxes stand
// alone again instead of naming a destroyed parent.
TEST(MessageBoxOwnerTest, TheOpenGameWindowOwnsEveryBox) {
    ASSERT_EQ(parentOfABox(), nullptr);
    PlatformWindow* earlier = platformCreateWindow("earlier", 32, 32, false, nullptr);
    ASSERT_NE(earlier, nullptr);
    PlatformWindow* game = platformCreateWindow("Zorbak Football II", 64, 48, false, nullptr);
    ASSERT_NE(game, nullptr);
    SDL_Window* parent = parentOfABox();
    ASSERT_NE(parent, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(parent), "Zorbak Football II");
    EXPECT_EQ(describeMessageBox(MESSAGE_BOX_QUESTION, "SERIOUS ERROR", "x").window, parent);
    EXPECT_EQ(describeMessageBox(MESSAGE_BOX_STOP, "SHUTDOWN ERROR", "x").window, parent);

    // Another window going away leaves the game window's boxes with it.
    platformDestroyWindow(earlier);
    EXPECT_EQ(parentOfABox(), parent);

    platformDestroyWindow(game);
    EXPECT_EQ(parentOfABox(), nullptr);
}
