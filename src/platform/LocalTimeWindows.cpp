#include "platform/LocalTime.h"

#include <time.h>

LocalDateTime platformLocalDateTime() {
    LocalDateTime now;
    const time_t seconds = time(nullptr);
    struct tm local;
    // The C library's thread-safe form here; it returns an error number.
    if (seconds == static_cast<time_t>(-1) || localtime_s(&local, &seconds) != 0) {
        return now;
    }
    now.year = local.tm_year + 1900;
    now.month = local.tm_mon + 1;
    now.day = local.tm_mday;
    now.hour = local.tm_hour;
    now.minute = local.tm_min;
    return now;
}
