#pragma once

#include <functional>
#include <string>

// The underlying type is fixed, so that any number a caller passes is a value of
// the type and an unknown one can be refused.
enum ErrorSeverity : int {
    SEVERITY_ERROR = 0,     // "ERROR": the program goes on
    SEVERITY_SERIOUS = 1,   // "SERIOUS ERROR": Yes continues, No ends the program
    SEVERITY_SHUTDOWN = 2,  // "SHUTDOWN ERROR": the program ends
};

// Shows a modal message box for a failure; media loaders call it once per bad file.
void showError(const char* what, const char* detail, ErrorSeverity severity);

// The caption and text showError would show (the text bounded to 511 characters);
// false for an unknown severity, which shows nothing.
bool formatErrorMessage(const char* what, const char* detail, ErrorSeverity severity,
                        std::string& caption, std::string& text);

// True once a No to a serious box or a shutdown box has asked the program to end.
bool shutdownRequested();
void clearShutdownRequest();

// Every box goes through this one function. A test replaces it to see the exact
// caption and text without a window; it returns true for OK or Yes.
using ErrorBoxHandler = std::function<bool(ErrorSeverity severity, const std::string& caption,
                                            const std::string& text)>;
void setErrorBoxHandlerForTesting(ErrorBoxHandler handler);
