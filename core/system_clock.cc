#include "core/system_clock.h"

#include <cstdio>
#include <ctime>
#include <thread>

namespace velmora {
namespace {

std::tm LocalTime(std::time_t seconds) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

}  // namespace

double SecondsSinceLocalMidnight(std::chrono::system_clock::time_point moment) {
  using std::chrono::duration;
  using std::chrono::system_clock;
  const auto whole = std::chrono::floor<std::chrono::seconds>(moment);
  const double fraction = duration<double>(moment - whole).count();
  const std::tm local = LocalTime(system_clock::to_time_t(system_clock::time_point(whole)));
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

double UnitInterval(std::uint32_t high, std::uint32_t low) {
  const double top = static_cast<double>(high >> 5);     // 27 bits
  const double bottom = static_cast<double>(low >> 6);   // 26 bits
  return (top * 67108864.0 + bottom) / 9007199254740992.0;  // / 2^53
}

std::string LocalDayText(std::chrono::system_clock::time_point moment) {
  const std::tm local = LocalTime(std::chrono::system_clock::to_time_t(moment));
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday);
  return text;
}

std::string SystemClock::Today() { return LocalDayText(std::chrono::system_clock::now()); }

double SystemClock::Timer() { return SecondsSinceLocalMidnight(std::chrono::system_clock::now()); }

void SystemClock::Randomize() {
  const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
  std::seed_seq seed{static_cast<std::uint32_t>(ticks),
                     static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) >> 32)};
  generator_.seed(seed);
}

double SystemClock::Rnd() {
  const std::uint32_t high = generator_();
  const std::uint32_t low = generator_();
  return UnitInterval(high, low);
}

void SleepingEventPump::DoEvents() { std::this_thread::sleep_for(nap_); }

std::string UtcTimeText(std::chrono::system_clock::time_point moment) {
  using namespace std::chrono;
  const auto day = floor<days>(moment);
  const year_month_day date(day);
  const hh_mm_ss time(floor<seconds>(moment - day));
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace velmora
