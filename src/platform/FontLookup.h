#pragma once

#include <string>

// The file of the installed font that best matches a fontconfig pattern such as
// "DejaVu Sans:bold"; empty when no font is installed at all. Windows has no
// fontconfig: there the pattern only has to be given, and the answer is a bold
// sans font from the system's fonts folder, else DejaVu Sans Bold from the
// fonts\ folder shipped beside media\.
std::string platformFindFontFile(const char* pattern);
