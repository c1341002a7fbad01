#include "cli/progress_text.h"

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

// "1/4 AB1234 done, about 0:15 left" (the part after the bar or the word);
// `brief` leaves out the word "about" and puts a retry's time first.
std::string Details(const ProgressView& view, bool brief = false) {
  std::string text = std::to_string(view.done) + "/" + std::to_string(view.total);
  if (!view.pid.empty()) text += " " + view.pid;
  const std::string activity =
      view.retry.attempt > 0
          ? RetryText(view.retry.attempt, view.retry.reason, view.retry.seconds_to_next, brief)
          : view.activity;
  if (!activity.empty()) text += " " + activity;
  if (view.seconds_left >= 0 && !view.finished) {
    text += (brief ? ", " : ", about ") + DurationText(view.seconds_left) + " left";
  }
  return text;
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
                   double nominal_pause) {
  double each = pace.benchmarks > 0 ? pace.seconds / pace.benchmarks : 0;
  if (!(pace.benchmarks > 0 && pace.pauses_included)) each += nominal_pause;
  const double after_this_one = std::max(0, total - done - 1) * each;
  return std::max({0.0, total * each - elapsed, after_this_one});
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

}  // namespace velmora
