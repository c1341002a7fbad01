#include "core/progress_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora {
namespace {

constexpr int kBarWidth = 20;
constexpr int kNarrowestBar = 4;

std::string TwoDigits(long value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02ld", value);
  return buffer;
}

// "AB1234 done, about 0:15 left"; `brief` leaves out the word "about" and
// puts a retry's time first.
std::string Activity(const ProgressView& view, bool brief) {
  std::string text = view.pid;
  const std::string activity =
      view.retry.attempt > 0
          ? RetryText(view.retry.attempt, view.retry.reason, view.retry.seconds_to_next, brief)
          : view.activity;
  if (!activity.empty()) text += (text.empty() ? "" : " ") + activity;
  if (view.seconds_left >= 0 && !view.finished) {
    text += (brief ? ", " : ", about ") + DurationText(view.seconds_left) + " left";
  }
  return text;
}

// "1/4 AB1234 done, about 0:15 left" (the part after the bar or the word).
std::string Details(const ProgressView& view, bool brief = false) {
  const std::string activity = Activity(view, brief);
  return std::to_string(view.done) + "/" + std::to_string(view.total) +
         (activity.empty() || activity[0] == ',' ? "" : " ") + activity;
}

// "[####....]" of `width` cells between the brackets.
std::string Bar(const ProgressView& view, int width) {
  int filled = view.total > 0 ? view.done * width / view.total : 0;
  filled = std::clamp(filled, 0, view.finished ? width : width - 1);
  return "[" + std::string(filled, '#') + std::string(width - filled, '.') + "]";
}

}  // namespace

std::string DurationText(double seconds) {
  const long total = seconds > 0 ? std::lround(seconds) : 0;
  const long hours = total / 3600;
  const long minutes = total / 60 % 60;
  const std::string rest = TwoDigits(total % 60);
  if (hours > 0) return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + rest;
  return std::to_string(minutes) + ":" + rest;
}

double SecondsLeft(double elapsed, int done, int total, const PaceSample& pace,
                   double nominal_pause, int base, double retry_wait) {
  const bool measured = pace.benchmarks > 0;
  if (!measured && !(nominal_pause > 0)) return -1;
  double each = measured ? pace.seconds / pace.benchmarks : 0;
  if (!(measured && pace.pauses_included)) each += nominal_pause;
  const double after_this_one = std::max(0, total - done - 1) * each;
  const double after_the_wait = retry_wait > 0 ? retry_wait + std::max(0, total - done) * each : 0;
  return std::max({0.0, (total - base) * each - elapsed, after_this_one, after_the_wait});
}

std::string RetryText(int attempt, const std::string& reason, double seconds_to_next,
                      bool brief) {
  if (brief && seconds_to_next >= 0) {
    return "try " + std::to_string(attempt + 1) + " in " + DurationText(seconds_to_next) + ": " +
           reason;
  }
  std::string text = "try " + std::to_string(attempt) + " failed: " + reason;
  if (seconds_to_next >= 0) text += "; next try in " + DurationText(seconds_to_next);
  return text;
}

std::string ProgressBar(const ProgressView& view, int width) {
  // The last column would wrap, and the terminal echoes a Ctrl-C as "^C"
  // after the line: keep room for both.
  const int room = std::max(width - 3, 1);
  std::string details;
  for (const bool brief : {false, true}) {
    details = Details(view, brief);
    const int bar = std::min(kBarWidth, room - static_cast<int>(details.size()) - 3);
    if (bar >= kNarrowestBar) return Bar(view, bar) + " " + details;
  }
  if (static_cast<int>(details.size()) <= room) return details;
  return details.substr(0, static_cast<std::size_t>(room));
}

std::string ProgressLine(const ProgressView& view) { return "Benchmark " + Details(view); }

std::string ActivityLine(const ProgressView& view) { return Activity(view, false); }

}  // namespace velmora
