#include "local_time.h"

#include <cstdio>

namespace kavir {

LocalTime ToLocalTime(std::time_t when) {
  std::tm tm{};
#ifdef _WIN32
  if (localtime_s(&tm, &when) != 0) return {};
#else
  if (!localtime_r(&when, &tm)) return {};
#endif
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string LocalClockText(std::time_t when) {
  const LocalTime t = ToLocalTime(when);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string LocalFileStamp(std::time_t when) {
  const LocalTime t = ToLocalTime(when);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}

std::string LocalDateTimeText(std::time_t when) {
  const LocalTime t = ToLocalTime(when);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%4d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}

}  // namespace kavir
