#include "core/ErrorMessages.h"

#include <atomic>
#include <cstdio>
#include <utility>

#include "platform/MessageBox.h"

namespace {

constexpr std::size_t MESSAGE_TEXT_SIZE = 512;  // characters, the terminating NUL included

std::atomic<bool> gShutdownRequested{false};

bool showPlatformBox(ErrorSeverity severity, const std::string& caption, const std::string& text) {
    MessageBoxKind kind = MESSAGE_BOX_INFORMATION;
    if (severity == SEVERITY_SERIOUS) {
        kind = MESSAGE_BOX_QUESTION;
    } else if (severity == SEVERITY_SHUTDOWN) {
        kind = MESSAGE_BOX_STOP;
    }
    return platformShowMessageBox(kind, caption.c_str(), text.c_str());
}

ErrorBoxHandler& boxHandler() {
    static ErrorBoxHandler handler = showPlatformBox;
    return handler;
}

const char* orEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

bool formatErrorMessage(const char* what, const char* detail, ErrorSeverity severity,
                        std::string& caption, std::string& text) {
    char buffer[MESSAGE_TEXT_SIZE];
    switch (severity) {
        case SEVERITY_ERROR:
            caption = "ERROR";
            std::snprintf(buffer, sizeof(buffer), "%s %s The application will continue.",
                          orEmpty(what), orEmpty(detail));
            break;
        case SEVERITY_SERIOUS:
            caption = "SERIOUS ERROR";
            std::snprintf(buffer, sizeof(buffer), "%s Continue the application?", orEmpty(what));
            break;
        case SEVERITY_SHUTDOWN:
            caption = "SHUTDOWN ERROR";
            std::snprintf(buffer, sizeof(buffer), "%s The application cannot continue.",
                          orEmpty(what));
            break;
        default:
            return false;
    }
    text = buffer;
    return true;
}

void showError(const char* what, const char* detail, ErrorSeverity severity) {
    std::string caption;
    std::string text;
    if (!formatErrorMessage(what, detail, severity, caption, text)) {
        return;
    }
    const ErrorBoxHandler& handler = boxHandler();
    bool answeredYes = handler ? handler(severity, caption, text) : true;
    // A shutdown box ends the program whatever was pressed; a serious one when the
    // player chose not to go on.
    if (severity == SEVERITY_SHUTDOWN || (severity == SEVERITY_SERIOUS && !answeredYes)) {
        gShutdownRequested = true;
    }
}

bool shutdownRequested() { return gShutdownRequested; }

void clearShutdownRequest() { gShutdownRequested = false; }

void setErrorBoxHandlerForTesting(ErrorBoxHandler handler) {
    boxHandler() = handler ? std::move(handler) : ErrorBoxHandler(showPlatformBox);
}
