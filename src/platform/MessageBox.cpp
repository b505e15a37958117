#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>

namespace {

constexpr int BUTTON_OK = 1;
constexpr int BUTTON_YES = 1;
constexpr int BUTTON_NO = 0;

Uint32 iconFlags(MessageBoxKind kind) {
    switch (kind) {
        case MESSAGE_BOX_QUESTION:
            return SDL_MESSAGEBOX_WARNING;  // SDL has no question icon
        case MESSAGE_BOX_STOP:
            return SDL_MESSAGEBOX_ERROR;
        case MESSAGE_BOX_INFORMATION:
        default:
            return SDL_MESSAGEBOX_INFORMATION;
    }
}

void writeToStandardError(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

}  // namespace

bool platformShowMessageBox(MessageBoxKind kind, const char* caption, const char* text) {
    if (caption == nullptr) {
        caption = "";
    }
    if (text == nullptr) {
        text = "";
    }
    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
         BUTTON_OK, "OK"},
    };
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, BUTTON_YES, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, BUTTON_NO, "No"},
    };
    const bool question = kind == MESSAGE_BOX_QUESTION;

    SDL_MessageBoxData box = {};
    box.flags = iconFlags(kind);
    box.window = nullptr;
    box.title = caption;
    box.message = text;
    box.numbuttons = question ? 2 : 1;
    box.buttons = question ? yesNoButtons : okButtons;

    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        writeToStandardError(caption, text);
        return true;
    }
    // Closing a Yes/No box with its close button answers -1: take that as No,
    // the answer Escape gives.
    return !question || pressed == BUTTON_YES;
}
