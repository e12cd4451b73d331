#pragma once
// Sets the C library's time zone for one test and puts the old one back.
// POSIX zone strings ("CST-8" is UTC+8) need no zone database.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace kavir::test {

class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    Set(tz);
  }
  ~ScopedTimeZone() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  static void Set(const char* tz) {  // nullptr: none
#ifdef _WIN32
    _putenv_s("TZ", tz ? tz : "");
    _tzset();
#else
    if (tz)
      setenv("TZ", tz, 1);
    else
      unsetenv("TZ");
    tzset();
#endif
  }
  std::optional<std::string> old_;
};

}  // namespace kavir::test
