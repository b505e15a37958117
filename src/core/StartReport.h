#pragma once

#include <string>

// How a failed start tells the player why. A start that fails must never be
// silent: one line on standard error, where a terminal or a log keeps it, and a
// box where a display can show one.

// One line, without its newline: "zorbak: <what>: <reason>", with any line breaks
// of the reason turned into spaces.
std::string startReportLine(const char* what, const std::string& reason);

// A start-up step failed and the run ends: the line on standard error, then a
// "SHUTDOWN ERROR" box that waits to be closed, where a display can show one.
void reportStartFailure(const char* what, const std::string& reason);

// Something the game does without and plays on (no sound device): the line on
// standard error only.
void reportStartNotice(const char* what, const std::string& reason);
