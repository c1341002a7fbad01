// The figures of a report: days and whole years, the age bins of the plot,
// and the map projection with its scale bar.
#ifndef VELMORA_REPORT_REPORT_MATH_H
#define VELMORA_REPORT_REPORT_MATH_H

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// True for a real day written "YYYY-MM-DD" (29 February only in leap years).
bool IsDayText(std::string_view text);

// The whole years completed from the day `from` to the day `to`, counted as
// an age is: a year is complete on the day of the same month and day (a
// 29 February on 1 March in other years). 0 when `to` comes first; -1 when
// either is not a day (IsDayText).
int YearsSince(std::string_view from, std::string_view to);

// The plot's bins of years since the newest find.
struct AgeBin {
  int below;           // years since below this number fall in the bin
  const char* label;   // as the legend says it
  const char* colour;  // a step of a colour-blind-safe sequential ramp
};
const std::vector<AgeBin>& AgeBins();
// The bin of `years` (>= 0); -1 (never found) gives AgeBins().size().
std::size_t AgeBinOf(int years);
inline constexpr const char* kNeverFoundLabel = "never found";
inline constexpr const char* kNeverFoundColour = "#9a9a9a";

struct LatLon {
  double lat = 0;
  double lon = 0;
};

struct PlotPoint {
  double x = 0;
  double y = 0;
};

// Equirectangular, the longitudes scaled by the cosine of the middle
// latitude, fitted into a width x height frame less a margin on every side,
// the same scale on both axes. A single point (or points all in one place)
// stands in the middle at a scale that shows about a kilometre around it.
class Projection {
 public:
  Projection(const std::vector<LatLon>& points, double width, double height, double margin);
  PlotPoint operator()(const LatLon& point) const;
  // Kilometres on the ground for one unit of the plot.
  double KmPerUnit() const;

 private:
  double cos_mid_ = 1, min_x_ = 0, max_lat_ = 0, scale_ = 1, offset_x_ = 0, offset_y_ = 0;
};

// A scale bar: a round length (1, 2 or 5 times a power of ten) of at most
// `most_units` plot units, with its label ("500 m", "2 km", "1 mi", "500 ft").
struct ScaleBar {
  double units = 0;
  std::string label;
};
ScaleBar KmScaleBar(double km_per_unit, double most_units);
ScaleBar MileScaleBar(double km_per_unit, double most_units);

}  // namespace velmora

#endif
