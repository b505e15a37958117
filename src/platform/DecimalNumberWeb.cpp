// Emscripten's C++ library cannot read floating-point numbers with
// std::from_chars. Its C library's strtod rounds as well, and knows only the
// "C" locale, so a point is always a point there.
#include "platform/DecimalNumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

bool platformReadDecimal(const char* first, const char* last, double& value) {
    if (first == last) {
        return false;
    }
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text.c_str(), &end);
    // strtod also takes what from_chars refuses: leading blanks, a '+', hexadecimal.
    const bool plain = text[0] != ' ' && text[0] != '+' && text.find_first_of("xXpP") == std::string::npos;
    // Out of range as from_chars says it: too large, or so small nothing is left.
    const bool outOfRange = errno == ERANGE && (std::isinf(read) || read == 0.0);
    if (!plain || end != text.c_str() + text.size() || outOfRange) {
        return false;
    }
    value = read;
    return true;
}
