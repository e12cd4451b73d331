#include "ini/local_time.h"

#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "scoped_time_zone.h"

namespace kavir::test {
namespace {

// Clock, file-name stamp and report timestamp follow the machine's zone.
TEST(LocalTime, FollowsTheMachinesZoneWithItsSummerTime) {
  const struct {
    const char* tz;
    std::time_t when;
    const char* date_time;
  } cases[] = {
      {"CST-8", 1796686205, "2026-12-08 07:30:05"},  // 2026-12-07 23:30:05 UTC
      {"UTC0", 1796686205, "2026-12-07 23:30:05"},
      {"EST5", 1796686205, "2026-12-07 18:30:05"},
      {"NPT-5:45", 1796686205, "2026-12-08 05:15:05"},
      {"EST5", 1709164800, "2024-02-28 19:00:00"},  // 2024-02-29 00:00:00 UTC
      {"CST-8", 1709164800, "2024-02-29 08:00:00"},
#ifndef _WIN32  // the Windows C library takes no summer-time rules from TZ; there the system's zone is used
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1704110400, "2024-01-01 13:00:00"},  // 12:00 UTC, 1 hour
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1719835200, "2024-07-01 14:00:00"},  // 12:00 UTC, 2 hours
#endif
  };
  for (const auto& c : cases) {
    ScopedTimeZone zone(c.tz);
    const std::string t = c.date_time;  // "YYYY-MM-DD hh:mm:ss"
    EXPECT_EQ(LocalDateTimeText(c.when), t) << c.tz << " " << c.when;
    EXPECT_EQ(LocalClockText(c.when), t.substr(11)) << c.tz << " " << c.when;
    EXPECT_EQ(LocalFileStamp(c.when), t.substr(0, 4) + t.substr(5, 2) + t.substr(8, 2) + "-" + t.substr(11, 2) +
                                          t.substr(14, 2) + t.substr(17, 2))
        << c.tz << " " << c.when;
  }
}

}  // namespace
}  // namespace kavir::test
