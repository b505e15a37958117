#include "platform/DecimalNumber.h"

#include <charconv>

bool platformReadDecimal(const char* first, const char* last, double& value) {
    double read = 0.0;
    const std::from_chars_result result = std::from_chars(first, last, read);
    if (result.ec != std::errc() || result.ptr != last) {
        return false;
    }
    value = read;
    return true;
}
