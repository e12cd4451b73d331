#pragma once
// Wall-clock time in the machine's own time zone, for the status-bar clock,
// backup file names and the report's timestamp.
#include <ctime>
#include <string>

namespace kavir {

struct LocalTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The machine's local time of a moment (the zone as the C library knows it).
LocalTime ToLocalTime(std::time_t when);

// "hh:mm:ss"
std::string LocalClockText(std::time_t when);
// "YYYYMMDD-HHMMSS", for file names.
std::string LocalFileStamp(std::time_t when);
// "YYYY-MM-DD hh:mm:ss"
std::string LocalDateTimeText(std::time_t when);

}  // namespace kavir
