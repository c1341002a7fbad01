// What a datasheet says about its mark besides the logs: its position, names,
// place and monument, read out of the datasheet's fixed columns.
#ifndef VELMORA_DATASHEET_DATASHEET_FACTS_H
#define VELMORA_DATASHEET_DATASHEET_FACTS_H

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

// Decimal degrees: north and east positive.
struct Position {
  double lat = 0;
  double lon = 0;
};

// Reads what follows "POSITION-": degrees, minutes and seconds of the
// latitude with "(N)" or "(S)", then of the longitude with "(W)" or "(E)"
// ("36 03 42.56888(N) 079 07 18.55999(W)", "29 29 52.     (N) 098 37 22.     (W)").
// Nothing for a ragged or cut text, or values out of range.
std::optional<Position> ReadPosition(std::string_view text);

// The position of the "POSITION-" line of the newest horizontal datum the
// datasheet has: a "NAD 83(...)" line before a "NAD 27" one, the first of
// equals. Nothing when there is no such line or it cannot be read.
std::optional<Position> DatasheetPosition(std::span<const std::string> lines);

// The value of a plain field ("DESIGNATION", "STATE/COUNTY", "COUNTRY"): the
// text after the name, the blanks and the "-" of the first such line,
// trimmed; empty when the datasheet has none.
std::string DatasheetField(std::span<const std::string> lines, std::string_view name);

struct DatasheetFacts {
  std::string designation;
  std::string state_county;  // "TX/BEXAR"
  std::string country;       // "US"
  std::string marker;        // "BENCH MARK DISK": the text after the code's "="
  std::string setting;       // "SET IN TOP OF CONCRETE MONUMENT"
  std::string agency;        // "NGS": who publishes the datasheet
  std::string placed_by;     // the Report By of the first history row
  std::optional<Position> position;
  bool destroyed = false;    // the newest history row says DESTROYED
};

// Everything above. `header` is the datasheet's "1" line (it names the
// agency); empty when not known.
DatasheetFacts ReadDatasheetFacts(std::span<const std::string> lines, std::string_view header);

}  // namespace velmora

#endif
