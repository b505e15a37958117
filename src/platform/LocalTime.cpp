#include "platform/LocalTime.h"

#include <time.h>

namespace {

// The C library's thread-safe form of localtime, which each system spells its own way.
bool toLocalTime(const time_t& seconds, struct tm& local) {
#ifdef _WIN32
    return localtime_s(&local, &seconds) == 0;
#else
    return localtime_r(&seconds, &local) != nullptr;
#endif
}

}  // namespace

LocalDateTime platformLocalDateTime() {
    LocalDateTime now;
    const time_t seconds = time(nullptr);
    struct tm local;
    if (seconds == static_cast<time_t>(-1) || !toLocalTime(seconds, local)) {
        return now;
    }
    now.year = local.tm_year + 1900;
    now.month = local.tm_mon + 1;
    now.day = local.tm_mday;
    now.hour = local.tm_hour;
    now.minute = local.tm_min;
    return now;
}
