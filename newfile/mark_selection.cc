#include "newfile/mark_selection.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <set>

#include "core/text.h"

namespace velmora {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A decimal number filling the whole text (no locale: a point is the
// decimal point everywhere).
std::optional<double> WholeNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

Position ReadNear(std::string_view text) {
  const std::size_t comma = text.find(',');
  const std::optional<double> lat =
      comma == std::string_view::npos ? std::nullopt : WholeNumber(text.substr(0, comma));
  const std::optional<double> lon =
      comma == std::string_view::npos ? std::nullopt : WholeNumber(text.substr(comma + 1));
  if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) {
    throw SelectionError("--near needs LAT,LON in decimal degrees, latitude -90 to 90 and "
                         "longitude -180 to 180 (got '" + std::string(text) + "')");
  }
  return Position{*lat, *lon};
}

double ReadDistance(std::string_view text) {
  const std::string lower = LowerAscii(TrimBlanks(text));
  struct Unit {
    std::string_view name;
    double metres;
  };
  // "km" before "m": the longer name is tried first.
  for (const Unit unit : {Unit{"km", 1000.0}, Unit{"mi", 1609.344}, Unit{"m", 1.0}}) {
    if (!lower.ends_with(unit.name)) continue;
    const std::optional<double> number =
        WholeNumber(std::string_view(lower).substr(0, lower.size() - unit.name.size()));
    if (number && *number >= 0) return *number * unit.metres;
    break;
  }
  throw SelectionError("--within needs a distance with its unit, m, km or mi, such as 800m, "
                       "10km or 5mi (got '" + std::string(text) + "')");
}

std::string ReadCounty(std::string_view text) {
  std::string county(TrimBlanks(text));
  for (char& c : county) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return county;
}

std::vector<std::string> ReadPidList(std::string_view text) {
  std::vector<std::string> pids;
  std::set<std::string> seen;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string pid = ReadCounty(text.substr(start, comma - start));
    start = comma + 1;
    if (pid.empty()) continue;
    if (!IsPid(pid)) {
      throw SelectionError("'" + pid + "' is not a PID (two letters and four digits, such as "
                           "AY0713)");
    }
    if (seen.insert(pid).second) pids.push_back(pid);
  }
  if (pids.empty()) throw SelectionError("--pids names no PID");
  return pids;
}

double DistanceMetres(const Position& a, const Position& b) {
  const double dlat = Radians(b.lat - a.lat);
  const double dlon = Radians(b.lon - a.lon);
  const double h = std::pow(std::sin(dlat / 2), 2) +
                   std::cos(Radians(a.lat)) * std::cos(Radians(b.lat)) *
                       std::pow(std::sin(dlon / 2), 2);
  return 2 * kEarthRadiusMetres * std::asin(std::min(1.0, std::sqrt(h)));
}

bool MatchesPlace(const MarkSelection& selection, std::string_view pid,
                  std::string_view state_county) {
  if (!selection.county.empty() && ReadCounty(state_county) != selection.county) return false;
  if (selection.pids.empty()) return true;
  for (const std::string& wanted : selection.pids) {
    if (wanted == pid) return true;
  }
  return false;
}

Verdict Judge(const MarkSelection& selection, const std::optional<Position>& position,
              bool destroyed, double& distance) {
  distance = 0;
  if (!position) return selection.near ? Verdict::kOut : Verdict::kNoPosition;
  if (selection.near) {
    distance = DistanceMetres(selection.near->centre, *position);
    if (distance > selection.near->within_metres) return Verdict::kOut;
  }
  if (destroyed && !selection.include_destroyed) return Verdict::kDestroyed;
  return Verdict::kIn;
}

std::string SelectionTitle(const MarkSelection& selection) {
  std::string title = "Benchmarks";
  auto add = [&title, first = true](const std::string& part) mutable {
    title += (first ? " " : ", ") + part;
    first = false;
  };
  if (selection.near) {
    add("within " + selection.near->within_text + " of " + selection.near->centre_text);
  }
  if (!selection.county.empty()) add("in " + selection.county);
  if (selection.pids.size() > 5) {
    add(std::to_string(selection.pids.size()) + " PIDs");
  } else if (!selection.pids.empty()) {
    std::string list = "PIDs";
    for (const std::string& pid : selection.pids) list += " " + pid;
    add(list);
  }
  if (selection.include_destroyed) add("destroyed ones included");
  return title;
}

}  // namespace velmora
