#pragma once

#include <string>

// The file of the installed font that best matches a fontconfig pattern such as
// "DejaVu Sans:bold"; empty when no font is installed at all.
std::string platformFindFontFile(const char* pattern);
