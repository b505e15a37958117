#pragma once

#include <cstddef>
#include <string>

// Text from a file, shown to the player on a terminal or in a log, must neither
// drive the terminal nor flood it: a line of a hostile file may hold escape
// sequences, or be a megabyte long.

// The text as it may be shown: each control byte (C0, DEL, and the C1 controls
// in UTF-8), and each byte that is no part of well-formed UTF-8, written as
// \xNN; other characters as they are. When the shown text would be longer than
// maxBytes it stops, at a character's end, before that, and "..." follows.
std::string textExcerpt(const std::string& text, std::size_t maxBytes = std::string::npos);
