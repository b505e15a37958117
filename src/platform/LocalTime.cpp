#include "platform/LocalTime.h"

#include <time.h>

LocalDateTime platformLocalDateTime() {
    LocalDateTime now;
    const time_t seconds = time(nullptr);
    struct tm local;
    if (seconds == static_cast<time_t>(-1) || localtime_r(&seconds, &local) == nullptr) {
        return now;
    }
    now.year = local.tm_year + 1900;
    now.month = local.tm_mon + 1;
    now.day = local.tm_mday;
    now.hour = local.tm_hour;
    now.minute = local.tm_min;
    return now;
}
