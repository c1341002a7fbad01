#include "report/report_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/text.h"

namespace velmora {
namespace {

constexpr double kKmPerDegree = 6371.0 * std::numbers::pi / 180.0;
constexpr double kKmPerMile = 1.609344;

struct Day {
  int year = 0, month = 0, day = 0;
};

int Number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool ReadDay(std::string_view text, Day& day) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!IsDigit(text[i])) return false;
  }
  day = Day{Number(text.substr(0, 4)), Number(text.substr(5, 2)), Number(text.substr(8, 2))};
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day.month < 1 || day.month > 12 || day.day < 1) return false;
  const int last = kDays[day.month - 1] + (day.month == 2 && IsLeap(day.year) ? 1 : 0);
  return day.day <= last;
}

// The round length of at most `most` (in some unit): 1, 2 or 5 times a power of ten.
double RoundLength(double most) {
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (double step : {5.0, 2.0, 1.0}) {
    if (step * power <= most) return step * power;
  }
  return power;
}

std::string NumberText(double value) {
  const long whole = std::lround(value);
  if (std::fabs(value - static_cast<double>(whole)) < 1e-9) return std::to_string(whole);
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  return text;
}

// A bar in the big unit, or in the small one when the big one is too long.
ScaleBar Bar(double big_per_unit, double most_units, double small_per_big, const char* big,
             const char* small) {
  const double most_big = big_per_unit * most_units;
  if (most_big >= 1) {
    const double length = RoundLength(most_big);
    return ScaleBar{length / big_per_unit, NumberText(length) + " " + big};
  }
  const double length = RoundLength(most_big * small_per_big);
  return ScaleBar{length / small_per_big / big_per_unit, NumberText(length) + " " + small};
}

}  // namespace

bool IsDayText(std::string_view text) {
  Day day;
  return ReadDay(text, day);
}

int YearsSince(std::string_view from, std::string_view to) {
  Day a, b;
  if (!ReadDay(from, a) || !ReadDay(to, b)) return -1;
  int years = b.year - a.year;
  if (b.month < a.month || (b.month == a.month && b.day < a.day)) --years;
  return std::max(years, 0);
}

const std::vector<AgeBin>& AgeBins() {
  // Viridis steps, dark for the newest finds.
  static const std::vector<AgeBin> bins = {
      {2, "under 2 years", "#440154"},
      {5,
       "2\xe2\x80\x93"
       "4 years",
       "#3b528b"},
      {10,
       "5\xe2\x80\x93"
       "9 years",
       "#21918c"},
      {20,
       "10\xe2\x80\x93"
       "19 years",
       "#5ec962"},
      {1 << 30, "20 years or more", "#fde725"},
  };
  return bins;
}

std::size_t AgeBinOf(int years) {
  const std::vector<AgeBin>& bins = AgeBins();
  if (years < 0) return bins.size();
  std::size_t bin = 0;
  while (bin + 1 < bins.size() && years >= bins[bin].below) ++bin;
  return bin;
}

Projection::Projection(const std::vector<LatLon>& points, double width, double height,
                       double margin) {
  if (points.empty()) return;
  double min_lat = points[0].lat, max_lat = min_lat, min_lon = points[0].lon, max_lon = min_lon;
  for (const LatLon& p : points) {
    min_lat = std::min(min_lat, p.lat), max_lat = std::max(max_lat, p.lat);
    min_lon = std::min(min_lon, p.lon), max_lon = std::max(max_lon, p.lon);
  }
  cos_mid_ = std::cos((min_lat + max_lat) / 2 * std::numbers::pi / 180.0);
  min_x_ = min_lon * cos_mid_;
  max_lat_ = max_lat;
  // About a kilometre around a single place.
  const double span_x = std::max((max_lon - min_lon) * cos_mid_, 1.0 / kKmPerDegree);
  const double span_y = std::max(max_lat - min_lat, 1.0 / kKmPerDegree);
  const double inner_w = width - 2 * margin, inner_h = height - 2 * margin;
  scale_ = std::min(inner_w / span_x, inner_h / span_y);
  offset_x_ = margin + (inner_w - (max_lon - min_lon) * cos_mid_ * scale_) / 2;
  offset_y_ = margin + (inner_h - (max_lat - min_lat) * scale_) / 2;
}

PlotPoint Projection::operator()(const LatLon& point) const {
  return PlotPoint{offset_x_ + (point.lon * cos_mid_ - min_x_) * scale_,
                   offset_y_ + (max_lat_ - point.lat) * scale_};
}

double Projection::KmPerUnit() const {
  return kKmPerDegree / scale_;
}

ScaleBar KmScaleBar(double km_per_unit, double most_units) {
  return Bar(km_per_unit, most_units, 1000.0, "km", "m");
}

ScaleBar MileScaleBar(double km_per_unit, double most_units) {
  return Bar(km_per_unit / kKmPerMile, most_units, 5280.0, "mi", "ft");
}

}  // namespace velmora
