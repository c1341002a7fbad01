#include "datasheet/datasheet_facts.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "core/text.h"
#include "datasheet/datasheet_parse.h"

namespace velmora {
namespace {

constexpr std::string_view kPositionLabel = "POSITION-";
constexpr std::string_view kDefaultAgency = "NGS";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads the parts of a position from the front of a text.
class PositionCursor {
 public:
  explicit PositionCursor(std::string_view text) : text_(text) {}

  // Degrees, minutes and seconds, then "(" one of `hemispheres` ")"; the
  // value in degrees, negative for the second hemisphere.
  std::optional<double> Angle(int most_degrees, const char hemispheres[2]) {
    const std::optional<double> degrees = Number(false);
    const std::optional<double> minutes = Number(false);
    const std::optional<double> seconds = Number(true);
    if (!degrees || !minutes || !seconds) return std::nullopt;
    if (*degrees > most_degrees || *minutes >= 60 || *seconds >= 60) return std::nullopt;
    SkipBlanks();
    if (text_.size() < 3 || text_[0] != '(' || text_[2] != ')') return std::nullopt;
    const char hemisphere = text_[1];
    text_.remove_prefix(3);
    const double value = *degrees + *minutes / 60 + *seconds / 3600;
    if (value > most_degrees) return std::nullopt;
    if (hemisphere == hemispheres[0]) return value;
    if (hemisphere == hemispheres[1]) return -value;
    return std::nullopt;
  }

 private:
  void SkipBlanks() {
    while (!text_.empty() && IsBlank(text_.front())) text_.remove_prefix(1);
  }

  // Digits, with a point and more digits when `fraction`.
  std::optional<double> Number(bool fraction) {
    SkipBlanks();
    std::size_t end = 0;
    while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end]))) ++end;
    if (end == 0 || end > 3) return std::nullopt;
    if (fraction && end < text_.size() && text_[end] == '.') {
      ++end;
      while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end]))) ++end;
    }
    double value = 0;
    // from_chars, not stod: the program runs in the user's locale, whose
    // decimal point may be a comma.
    std::from_chars(text_.data(), text_.data() + end, value);
    text_.remove_prefix(end);
    return value;
  }

  std::string_view text_;
};

// 2 for NAD 83 in any of its realizations, 1 for NAD 27, 0 for another datum.
int DatumRank(std::string_view datum) {
  if (datum.starts_with("NAD 83")) return 2;
  if (datum.starts_with("NAD 27")) return 1;
  return 0;
}

// The value of a monument line ("_MARKER: DB = BENCH MARK DISK"): the text
// after the code's "=", or all of it without one.
std::string MonumentValue(std::span<const std::string> lines, std::string_view name) {
  for (const std::string& line : lines) {
    if (line.size() <= 8 || line[7] != '_') continue;
    const std::string_view text = std::string_view(line).substr(8);
    if (!text.starts_with(name)) continue;
    std::string_view value = text.substr(name.size());
    const std::size_t equals = value.find('=');
    if (equals != std::string_view::npos) value.remove_prefix(equals + 1);
    return std::string(TrimBlanks(value));
  }
  return "";
}

// The agency's code: the publisher the "1" line names ("National Geodetic
// Survey, Retrieval Date = ..."), which is the only one there is.
std::string AgencyOf(std::string_view header) {
  std::string_view name = header.substr(std::min<std::size_t>(1, header.size()));
  name = TrimBlanks(name.substr(0, name.find(',')));
  if (name.empty() || LowerAscii(name) == "national geodetic survey") {
    return std::string(kDefaultAgency);
  }
  return std::string(name);
}

void ReadHistory(std::span<const std::string> lines, DatasheetFacts& facts) {
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  const ParsedDatasheet sheet = ParseDatasheet(views);
  if (sheet.rows.empty()) return;
  facts.placed_by = sheet.rows.front().report_by;
  const HistoryRow* newest = &sheet.rows.front();
  for (const HistoryRow& row : sheet.rows) {
    if (row.date >= newest->date) newest = &row;
  }
  facts.destroyed = newest->condition == "DESTROYED";
}

}  // namespace

std::optional<Position> ReadPosition(std::string_view text) {
  PositionCursor cursor(text);
  const std::optional<double> lat = cursor.Angle(90, "NS");
  if (!lat) return std::nullopt;
  const std::optional<double> lon = cursor.Angle(180, "EW");
  if (!lon) return std::nullopt;
  return Position{*lat, *lon};
}

std::optional<Position> DatasheetPosition(std::span<const std::string> lines) {
  std::string_view best;
  int best_rank = -1;
  for (const std::string& line : lines) {
    const std::size_t label = line.find(kPositionLabel);
    if (line.size() <= 8 || label == std::string::npos || label < 8) continue;
    const int rank = DatumRank(TrimBlanks(std::string_view(line).substr(8, label - 8)));
    if (rank <= best_rank) continue;
    best_rank = rank;
    best = std::string_view(line).substr(label + kPositionLabel.size());
  }
  if (best_rank < 0) return std::nullopt;
  return ReadPosition(best);
}

std::string DatasheetField(std::span<const std::string> lines, std::string_view name) {
  for (const std::string& line : lines) {
    if (line.size() <= 8 || line[7] != ' ') continue;
    std::string_view text = TrimBlanks(std::string_view(line).substr(8));
    if (!text.starts_with(name)) continue;
    text = TrimBlanks(text.substr(name.size()));
    if (text.empty() || text.front() != '-') continue;
    return std::string(TrimBlanks(text.substr(1)));
  }
  return "";
}

DatasheetFacts ReadDatasheetFacts(std::span<const std::string> lines, std::string_view header) {
  DatasheetFacts facts;
  facts.designation = DatasheetField(lines, "DESIGNATION");
  facts.state_county = DatasheetField(lines, "STATE/COUNTY");
  facts.country = DatasheetField(lines, "COUNTRY");
  facts.marker = MonumentValue(lines, "MARKER:");
  facts.setting = MonumentValue(lines, "SETTING:");
  facts.agency = AgencyOf(header);
  facts.position = DatasheetPosition(lines);
  ReadHistory(lines, facts);
  return facts;
}

}  // namespace velmora
