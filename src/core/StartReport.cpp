#include "core/StartReport.h"

#include <cstdio>

#include "core/ErrorMessages.h"
#include "platform/MessageBox.h"

namespace {

void writeLine(const char* what, const std::string& reason) {
    const std::string line = startReportLine(what, reason);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace

std::string startReportLine(const char* what, const std::string& reason) {
    std::string line = "zorbak: ";
    line += what != nullptr ? what : "";
    line += ": ";
    line += reason;
    for (char& character : line) {
        if (character == '\n' || character == '\r') {
            character = ' ';
        }
    }
    return line;
}

void reportStartFailure(const char* what, const std::string& reason) {
    writeLine(what, reason);
    std::string caption;
    std::string text;
    const std::string message = std::string(what != nullptr ? what : "") + ": " + reason + ".";
    formatErrorMessage(message.c_str(), nullptr, SEVERITY_SHUTDOWN, caption, text);
    // The line above already said it: a display that cannot show the box adds nothing.
    bool answer = true;
    platformTryShowMessageBox(MESSAGE_BOX_STOP, caption.c_str(), text.c_str(), answer);
}

void reportStartNotice(const char* what, const std::string& reason) { writeLine(what, reason); }
