#include "cli/progress_text.h"

#include <cmath>
#include <cstdio>

#include "core/text.h"
#include "gpx/find_next_benchmark.h"

namespace velmora {
namespace {

constexpr int kBarWidth = 20;

std::string TwoDigits(long value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02ld", value);
  return buffer;
}

// " 1/4 AB1234 done, about 0:15 left" (the part after the bar or the word).
std::string Details(const ProgressView& view) {
  std::string text = std::to_string(view.done) + "/" + std::to_string(view.total);
  if (!view.pid.empty()) text += " " + view.pid;
  if (!view.activity.empty()) text += " " + view.activity;
  if (view.seconds_left >= 0 && view.done < view.total) {
    text += ", about " + DurationText(view.seconds_left) + " left";
  }
  return text;
}

}  // namespace

int CountLogZones(std::string_view document) {
  int count = 0;
  Pos at = InStr(1, document, "<wpt");
  if (at == 0) return 0;
  while ((at = InStr(at, document, kLogZoneStart)) != 0) {
    ++count;
    at += static_cast<Pos>(kLogZoneStart.size());
  }
  return count;
}

std::string DurationText(double seconds) {
  const long total = seconds > 0 ? std::lround(seconds) : 0;
  const long hours = total / 3600;
  const long minutes = total / 60 % 60;
  const std::string rest = TwoDigits(total % 60);
  if (hours > 0) return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + rest;
  return std::to_string(minutes) + ":" + rest;
}

double SecondsLeft(double elapsed, int done, int total) {
  if (done <= 0) return -1;
  const int left = total > done ? total - done : 0;
  return elapsed / done * left;
}

std::string ProgressBar(const ProgressView& view) {
  int filled = view.total > 0 ? view.done * kBarWidth / view.total : 0;
  if (filled > kBarWidth) filled = kBarWidth;
  return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
         Details(view);
}

std::string ProgressLine(const ProgressView& view) { return "Benchmark " + Details(view); }

}  // namespace velmora
