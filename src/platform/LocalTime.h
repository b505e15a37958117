#pragma once

// The date and time on the player's own clock, as they would read it.
struct LocalDateTime {
    int year = 0;
    int month = 0;   // 1 ... 12
    int day = 0;     // 1 ... 31
    int hour = 0;    // 0 ... 23
    int minute = 0;  // 0 ... 59
};

// Now, in the player's time zone; all zero when the clock cannot be read.
LocalDateTime platformLocalDateTime();
