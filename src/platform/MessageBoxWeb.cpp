// The browser's own boxes: alert for OK, confirm for Yes and No. Both hold the
// page until the player answers, as the desktop's box holds the game.
#include <emscripten.h>

#include "platform/MessageBox.h"
#include "platform/MessageBoxOwner.h"

namespace {

// The page takes the window's loss of the focus to the box, and its return,
// as no move of the player's (page.js): the game does not pause for its own box.
EM_JS(int, showBrowserBox, (int question, const char* caption, const char* text), {
    var message = UTF8ToString(caption) + '\n\n' + UTF8ToString(text);
    if (Module['zfBoxShown']) {
        Module['zfBoxShown']();
    }
    if (question) {
        return confirm(message) ? 1 : 0;
    }
    alert(message);
    return 1;
});

}  // namespace

// The box always stands above the page: there is no owner to keep.
void setMessageBoxOwner(SDL_Window*) {}

void releaseMessageBoxOwner(SDL_Window*) {}

bool platformTryShowMessageBox(MessageBoxKind kind, const char* caption, const char* text,
                               bool& answer) {
    answer = showBrowserBox(kind == MESSAGE_BOX_QUESTION ? 1 : 0, caption != nullptr ? caption : "",
                            text != nullptr ? text : "") != 0;
    return true;
}

bool platformShowMessageBox(MessageBoxKind kind, const char* caption, const char* text) {
    bool answer = true;
    platformTryShowMessageBox(kind, caption, text, answer);
    return answer;
}
