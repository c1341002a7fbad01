// Which marks go into a new GPX file: near a point, in a county, of a list of
// PIDs, destroyed ones or not. Every selection given must hold.
#ifndef VELMORA_NEWFILE_MARK_SELECTION_H
#define VELMORA_NEWFILE_MARK_SELECTION_H

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "datasheet/datasheet_facts.h"

namespace velmora {

// The radius of the sphere distances are measured on, in metres.
inline constexpr double kEarthRadiusMetres = 6371008.8;

// A selection written wrongly; what() is a message for the user.
class SelectionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct NearSelection {
  Position centre;
  std::string centre_text;  // as the user wrote it ("29.5,-98.6")
  double within_metres = 0;
  std::string within_text;  // as the user wrote it ("5km"), for the file's name
};

struct MarkSelection {
  std::optional<NearSelection> near;
  std::string county;             // "TX/BEXAR" as ReadCounty leaves it; empty: any
  std::vector<std::string> pids;  // in the list's order; empty: any
  bool include_destroyed = false;

  bool empty() const { return !near && county.empty() && pids.empty(); }
};

// "LAT,LON" in decimal degrees. Throws SelectionError.
Position ReadNear(std::string_view text);
// A number and a unit, "m", "km" or "mi" ("800m", "10km", "5mi"), in
// metres. Throws SelectionError.
double ReadDistance(std::string_view text);
// "ST/COUNTY" as it is compared: trimmed, upper case.
std::string ReadCounty(std::string_view text);
// PIDs separated by commas (blanks around them ignored, letters in any
// case), each two letters and four digits, duplicates dropped. Throws
// SelectionError.
std::vector<std::string> ReadPidList(std::string_view text);

// The great-circle distance between two positions, in metres.
double DistanceMetres(const Position& a, const Position& b);

// How a mark fares against a selection.
enum class Verdict {
  kIn,
  kOut,         // another place, county or PID
  kNoPosition,  // would be in, but its datasheet gives no position
  kDestroyed,   // would be in, but its newest history row says DESTROYED
};

// The county and PID parts only (cheap, before the datasheet is read).
bool MatchesPlace(const MarkSelection& selection, std::string_view pid,
                  std::string_view state_county);

// The whole verdict for a mark whose place matches. Without a position a
// mark near a point is out (nobody can say it is near), otherwise kNoPosition.
// `distance` gets the distance to the point with --near.
Verdict Judge(const MarkSelection& selection, const std::optional<Position>& position,
              bool destroyed, double& distance);

// What the file's name says was selected: "Benchmarks within 5km of
// 29.5,-98.6, in TX/BEXAR".
std::string SelectionTitle(const MarkSelection& selection);

}  // namespace velmora

#endif
