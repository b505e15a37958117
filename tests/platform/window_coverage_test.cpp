// The X server's report that the game window is fully covered, or seen again
// (X11 only).
// Google Test comes first: Xlib's macros (None, Bool) would rename parts of it.
#include <gtest/gtest.h>

#include "platform/EventTranslation.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

TEST(WindowCoverageTest, FullyCoveredIsHiddenAnythingElseIsShown) {
    for (int state : {VisibilityFullyObscured, VisibilityPartiallyObscured, VisibilityUnobscured}) {
        SDL_SysWMmsg report = {};
        report.subsystem = SDL_SYSWM_X11;
        report.msg.x11.event.type = VisibilityNotify;
        report.msg.x11.event.xvisibility.state = state;
        SDL_Event event = {};
        event.type = SDL_SYSWMEVENT;
        event.syswm.msg = &report;
        WindowMessage message;
        ASSERT_TRUE(translateSdlEvent(event, message));
        EXPECT_EQ(message.kind, state == VisibilityFullyObscured ? MESSAGE_HIDDEN : MESSAGE_SHOWN);

        report.msg.x11.event.type = Expose;  // other reports go their own way
        EXPECT_FALSE(translateSdlEvent(event, message));
    }
}
