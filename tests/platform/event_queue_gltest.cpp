#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/Events.h"
#include "platform/Window.h"

namespace {

// Other tests share the test display: their windows and pointer moves can reach
// this window at any time. Only the events a test pushes itself are let in.
bool gPushingTestEvent = false;

int letInOnlyPushedEvents(void*, SDL_Event*) {
    return gPushingTestEvent ? 1 : 0;
}

// A real window, so that events carry its id as they do in the game.
class EventQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = platformCreateWindow("event test", 640, 480, false, nullptr);
        ASSERT_NE(window, nullptr);
        // The window's own start-up events (shown, exposed) are not under test, but
        // they name the window: its id is what its events carry. (Keyboard focus
        // cannot tell: on a display without a window manager it follows the pointer.)
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            if (event.type == SDL_WINDOWEVENT && windowId == 0) {
                windowId = event.window.windowID;
            }
        }
        ASSERT_NE(windowId, 0u);
        SDL_SetEventFilter(letInOnlyPushedEvents, nullptr);
    }
    void TearDown() override {
        SDL_SetEventFilter(nullptr, nullptr);
        platformDestroyWindow(window);
    }

    void push(SDL_Event event) {
        gPushingTestEvent = true;
        int pushed = SDL_PushEvent(&event);
        gPushingTestEvent = false;
        ASSERT_EQ(pushed, 1) << SDL_GetError();
    }
    void pushKey(SDL_Keycode key, SDL_Scancode scancode) {
        SDL_Event event = {};
        event.type = SDL_KEYDOWN;
        event.key.windowID = windowId;
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = scancode;
        push(event);
    }

    PlatformWindow* window = nullptr;
    Uint32 windowId = 0;
};

}  // namespace

TEST_F(EventQueueTest, OneMessageAtATimeSkippingOthers) {
    SDL_Event axis = {};
    axis.type = SDL_JOYAXISMOTION;
    push(axis);
    pushKey(SDLK_q, SDL_SCANCODE_Q);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = windowId;
    motion.motion.x = 639;
    motion.motion.y = 479;
    push(motion);

    WindowMessage message;
    ASSERT_TRUE(platformPollMessage(message));
    EXPECT_EQ(message.kind, MESSAGE_KEY_DOWN);
    EXPECT_EQ(message.wParam, VK_Q_KEY);
    ASSERT_TRUE(platformPollMessage(message));
    EXPECT_EQ(message.kind, MESSAGE_MOUSE_MOVE);
    EXPECT_EQ(message.x, 639);
    EXPECT_EQ(message.y, 479);
    EXPECT_FALSE(platformPollMessage(message));
}

TEST_F(EventQueueTest, WaitingEndsAtTheTimeoutOrAtAMessage) {
    // An event the game has no use for wakes the library but must not end the wait.
    SDL_Event unused = {};
    unused.type = SDL_JOYAXISMOTION;
    push(unused);
    WindowMessage message;
    Uint32 start = SDL_GetTicks();
    EXPECT_FALSE(platformWaitMessage(message, 60));
    Uint32 waited = SDL_GetTicks() - start;
    EXPECT_GE(waited, 50u);
    EXPECT_LT(waited, 1000u);

    pushKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    start = SDL_GetTicks();
    ASSERT_TRUE(platformWaitMessage(message, 5000));
    EXPECT_LT(SDL_GetTicks() - start, 1000u);
    EXPECT_EQ(message.wParam, VK_ESCAPE_KEY);
}
