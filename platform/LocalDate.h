#pragma once

namespace tavrin::platform {

// A calendar date in the user's time zone.
struct LocalDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

// Today, as the clock in the task bar shows it.
LocalDate Today();

}  // namespace tavrin::platform
