#include "platform/crash/posix/ProcessInfo.h"

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

namespace crash {
namespace {

char g_executable[kPathSize];
std::atomic<long> g_utc_offset{0};  // seconds east of UTC when the handler was installed

}  // namespace

void CaptureProcessFacts() {
  const ssize_t length = readlink("/proc/self/exe", g_executable, sizeof g_executable - 1);
  g_executable[length > 0 ? length : 0] = '\0';
  tzset();
  const time_t now = time(nullptr);
  struct tm local{};
  if (localtime_r(&now, &local) != nullptr) g_utc_offset = local.tm_gmtoff;
}

const char* ExecutablePath() { return g_executable; }

LocalTime CivilTime(int64_t seconds) {
  // Days since 1970-01-01 to a proleptic Gregorian date (after Howard Hinnant's days_from_civil).
  int64_t days = seconds / 86400;
  int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t day_of_era = days - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t month_index = (5 * day_of_year + 2) / 153;
  LocalTime time;
  time.day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  time.month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  time.year = static_cast<int>(year_of_era + era * 400 + (time.month <= 2 ? 1 : 0));
  time.hour = static_cast<int>(rest / 3600);
  time.minute = static_cast<int>(rest / 60 % 60);
  time.second = static_cast<int>(rest % 60);
  return time;
}

LocalTime CurrentLocalTime() {
  struct timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return CivilTime(static_cast<int64_t>(now.tv_sec) + g_utc_offset.load());
}

void CurrentDirectory(char* buffer, std::size_t size) {
  if (size == 0) return;
  // The system call itself: the library's getcwd may allocate.
  if (syscall(SYS_getcwd, buffer, size) < 0) buffer[0] = '\0';
  buffer[size - 1] = '\0';
}

}  // namespace crash
