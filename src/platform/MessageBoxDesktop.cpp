#include "platform/MessageBox.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

#include "platform/MessageBoxOwner.h"

namespace {

constexpr int BUTTON_OK = 1;
constexpr int BUTTON_YES = 1;
constexpr int BUTTON_NO = 0;

const SDL_MessageBoxButtonData OK_BUTTONS[] = {
    {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, BUTTON_OK,
     "OK"},
};
const SDL_MessageBoxButtonData YES_NO_BUTTONS[] = {
    {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, BUTTON_YES, "Yes"},
    {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, BUTTON_NO, "No"},
};

// Loaders may report from any thread; the window comes and goes on the main one.
std::atomic<SDL_Window*> gOwner{nullptr};

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

void setMessageBoxOwner(SDL_Window* window) { gOwner = window; }

void releaseMessageBoxOwner(SDL_Window* window) {
    SDL_Window* expected = window;
    gOwner.compare_exchange_strong(expected, nullptr);
}

SDL_MessageBoxData describeMessageBox(MessageBoxKind kind, const char* caption, const char* text) {
    const bool question = kind == MESSAGE_BOX_QUESTION;
    SDL_MessageBoxData box = {};
    box.flags = iconFlags(kind);
    box.window = gOwner.load();
    box.title = caption != nullptr ? caption : "";
    box.message = text != nullptr ? text : "";
    box.numbuttons = question ? 2 : 1;
    box.buttons = question ? YES_NO_BUTTONS : OK_BUTTONS;
    return box;
}

bool platformTryShowMessageBox(MessageBoxKind kind, const char* caption, const char* text,
                               bool& answer) {
    const SDL_MessageBoxData box = describeMessageBox(kind, caption, text);
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        return false;
    }
    // Closing a Yes/No box with its close button answers -1: take that as No,
    // the answer Escape gives.
    answer = kind != MESSAGE_BOX_QUESTION || pressed == BUTTON_YES;
    return true;
}

bool platformShowMessageBox(MessageBoxKind kind, const char* caption, const char* text) {
    bool answer = true;
    if (!platformTryShowMessageBox(kind, caption, text, answer)) {
        writeToStandardError(caption != nullptr ? caption : "", text != nullptr ? text : "");
        return true;
    }
    return answer;
}
