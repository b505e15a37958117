#pragma once

#include <string>
#include <vector>

// The lines of a text file read whole, without their line ends. Carriage returns
// at the end of a line belong to its line end (a file from Windows), all of them
// and on a last line without a newline too. A newline at the very end starts no
// further line; an empty text has none.
std::vector<std::string> splitTextLines(const std::string& text);

// Whether the text's first line ends the Windows way (carriage return, newline).
bool firstLineEndsWithCarriageReturn(const std::string& text);
