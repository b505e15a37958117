#pragma once

// A modal message box that blocks until it is closed. While the game window is
// open the box is its child (kept above it); otherwise it belongs to no window.
enum MessageBoxKind {
    MESSAGE_BOX_INFORMATION = 0,  // OK button, information icon
    MESSAGE_BOX_QUESTION = 1,     // Yes and No buttons
    MESSAGE_BOX_STOP = 2,         // OK button, error icon
};

// True for OK or Yes, false for No. Where no box can be shown (no display), the
// caption and text go to standard error instead and the answer counts as Yes, so
// a headless run is never stopped by a question nobody can see.
bool platformShowMessageBox(MessageBoxKind kind, const char* caption, const char* text);

// Shows the box only: false, with nothing written anywhere, when no box can be
// shown. answer is true for OK or Yes.
bool platformTryShowMessageBox(MessageBoxKind kind, const char* caption, const char* text,
                               bool& answer);
