// Clock, file-name stamp and report timestamp follow the machine's zone.
#include <gtest/gtest.h>

#include "profile/local_time.h"
#include "scoped_time_zone.h"

namespace kavir::test {
namespace {

struct ZoneCase {
  const char* tz;
  std::time_t when;
  const char* clock;
  const char* stamp;
  const char* date_time;
};

// 2026-12-07 23:30:05 UTC and 2024-02-29 00:00:00 UTC.
constexpr ZoneCase kCases[] = {
    {"CST-8", 1796686205, "07:30:05", "20261208-073005", "2026-12-08 07:30:05"},
    {"UTC0", 1796686205, "23:30:05", "20261207-233005", "2026-12-07 23:30:05"},
    {"EST5", 1796686205, "18:30:05", "20261207-183005", "2026-12-07 18:30:05"},
    {"NPT-5:45", 1796686205, "05:15:05", "20261208-051505", "2026-12-08 05:15:05"},
    {"EST5", 1709164800, "19:00:00", "20240228-190000", "2024-02-28 19:00:00"},
    {"CST-8", 1709164800, "08:00:00", "20240229-080000", "2024-02-29 08:00:00"},
};

TEST(LocalTime, FollowsTheMachinesZone) {
  for (const ZoneCase& c : kCases) {
    ScopedTimeZone zone(c.tz);
    EXPECT_EQ(LocalClockText(c.when), c.clock) << c.tz << " " << c.when;
    EXPECT_EQ(LocalFileStamp(c.when), c.stamp) << c.tz << " " << c.when;
    EXPECT_EQ(LocalDateTimeText(c.when), c.date_time) << c.tz << " " << c.when;
  }
}

TEST(LocalTime, SummerTimeIsApplied) {
#ifdef _WIN32
  GTEST_SKIP() << "the Windows C library takes no daylight-saving rules from TZ; "
                  "there the program follows the system's own zone";
#endif
  // Central Europe: 1 hour in January, 2 in July.
  ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  EXPECT_EQ(LocalDateTimeText(1704110400), "2024-01-01 13:00:00");  // 12:00 UTC
  EXPECT_EQ(LocalDateTimeText(1719835200), "2024-07-01 14:00:00");  // 12:00 UTC
}

}  // namespace
}  // namespace kavir::test
