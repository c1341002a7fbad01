// Builders of datasheet lines in the agency's columns, for fixtures written
// inside the tests.
#ifndef VELMORA_TESTS_DATASHEET_DATASHEET_LINES_H
#define VELMORA_TESTS_DATASHEET_DATASHEET_LINES_H

#include <cstdio>
#include <string>

namespace velmora::testing {

inline std::string HistoryLine(const std::string& pid, const std::string& date,
                               const std::string& condition, const std::string& by) {
  char line[128];
  std::snprintf(line, sizeof line, " %s  HISTORY     - %-8s %-16s %s\n", pid.c_str(),
                date.c_str(), condition.c_str(), by.c_str());
  return line;
}

inline std::string SectionLine(const std::string& pid, const std::string& title) {
  return " " + pid + std::string(26, ' ') + title + "\n";
}

inline std::string QuoteLine(const std::string& pid, const std::string& text) {
  return " " + pid + "'" + text + "\n";
}

inline std::string EmptyLine(const std::string& pid) { return " " + pid + "\n"; }

// A plain field: " PID  NAME-  VALUE" with NAME padded to 12 columns.
inline std::string FieldLine(const std::string& pid, const std::string& name,
                             const std::string& value) {
  char line[160];
  std::snprintf(line, sizeof line, " %s  %-12s-  %s\n", pid.c_str(), name.c_str(), value.c_str());
  return line;
}

// The current control's position line; `dms` as the agency writes it, e.g.
// "36 03 42.56888(N) 079 07 18.55999(W)".
inline std::string PositionLine(const std::string& pid, const std::string& dms,
                                const std::string& datum = "NAD 83(2011)") {
  return " " + pid + "* " + datum + " POSITION- " + dms + "   ADJUSTED\n";
}

struct MarkSheet {
  std::string pid, designation, county, position;  // position: a PositionLine's dms
  std::string newest = "GOOD";                       // the newest history row's condition
};

// A whole datasheet: header, fields, position, monument, two history rows
// (1934 MONUMENTED by CGS, 2011 `newest` by USPSQD) and a recovery note.
inline std::string MarkDatasheet(const MarkSheet& mark) {
  const std::string& pid = mark.pid;
  return std::string("1        National Geodetic Survey,   Retrieval Date = MARCH 3, 2025\n") +
         " " + pid +
         " " + std::string(71, '*') + "\n" + FieldLine(pid, "DESIGNATION", mark.designation) +
         FieldLine(pid, "PID", pid) + FieldLine(pid, "STATE/COUNTY", mark.county) +
         FieldLine(pid, "COUNTRY", "US") + EmptyLine(pid) +
         (mark.position.empty() ? "" : PositionLine(pid, mark.position)) + EmptyLine(pid) +
         " " + pid + "_MARKER: DB = BENCH MARK DISK\n" + " " + pid +
         "_SETTING: 7 = SET IN TOP OF CONCRETE MONUMENT\n" + EmptyLine(pid) +
         HistoryLine(pid, "Date", "Condition", "Report By") +
         HistoryLine(pid, "1934", "MONUMENTED", "CGS") +
         HistoryLine(pid, "2011", mark.newest, "USPSQD") + EmptyLine(pid) +
         SectionLine(pid, "STATION RECOVERY (2011)") + EmptyLine(pid) +
         QuoteLine(pid, "RECOVERY NOTE BY US POWER SQUADRON 2011 (ABC)") +
         QuoteLine(pid, mark.newest == "GOOD" ? "RECOVERED IN GOOD CONDITION." : "MARK NOT FOUND.") +
         EmptyLine(pid);
}

}  // namespace velmora::testing

#endif
