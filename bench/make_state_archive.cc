// Writes a state archive of made-up datasheets for the new-file benchmark:
// make_state_archive MARKS TEXT_FILE [ZIP_FILE]
// MARKS datasheets of about 6 KB each in the agency's columns (header,
// fields, position, control notes, box score, monument, history rows and
// recovery notes of varied words), one after another in TEXT_FILE, and that
// file deflated into ZIP_FILE as the agency ships it. Mark i stands at a
// position spread over a 10 x 12 degree box from 26N 106W, so that a 10 km
// circle around 31N 100W holds a few dozen of them.
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr const char* kWords[] = {
    "NORTH",    "SOUTH",  "EAST",      "WEST",     "ROAD",     "HIGHWAY", "FEET",   "METERS",
    "FENCE",    "CORNER", "BRIDGE",    "CONCRETE", "POST",     "DISK",    "STAMPED", "SET",
    "MILES",    "ALONG",  "JUNCTION",  "COUNTY",   "CHURCH",   "SCHOOL",  "RAILROAD", "TRACK",
    "CENTERLINE", "ABOUT", "LEVEL",    "WITH",     "THE",      "OF",      "AND",    "TO",
    "RECOVERED", "GOOD",  "CONDITION", "SEARCHED", "MINUTES",  "DETECTOR", "WITNESS", "SIGN"};

std::string Pid(int i) {
  char pid[8];
  std::snprintf(pid, sizeof pid, "%c%c%04d", 'A' + i / 260000 % 26, 'A' + i / 10000 % 26,
                i % 10000);
  return pid;
}

// Degrees, minutes and seconds as the agency writes them: "31 02 03.12345".
std::string Dms(double degrees, int width) {
  const int d = static_cast<int>(degrees);
  const double rest = (degrees - d) * 60;
  const int m = static_cast<int>(rest);
  char text[32];
  std::snprintf(text, sizeof text, "%0*d %02d %08.5f", width, d, m, (rest - m) * 60);
  return text;
}

std::string TextLine(const std::string& pid, std::mt19937& random) {
  std::string line = " " + pid + "'";
  while (line.size() < 72) {
    line += kWords[random() % (sizeof kWords / sizeof *kWords)];
    line += ' ';
  }
  return line + "\n";
}

std::string Datasheet(int i, std::mt19937& random) {
  const std::string p = " " + Pid(i);
  const double lat = 26.0 + (i % 250) * 0.04 + (random() % 1000) * 0.00004;
  const double lon = 106.0 - (i / 250 % 200) * 0.06 - (random() % 1000) * 0.00006;
  std::string s = "1        National Geodetic Survey,   Retrieval Date = MARCH 3, 2025\n";
  s += p + " " + std::string(71, '*') + "\n";
  s += p + "  DESIGNATION -  MARK " + std::to_string(i) + "\n" + p + "  PID         - " + p + "\n";
  s += p + "  STATE/COUNTY-  TX/COUNTY" + std::to_string(i % 254) + "\n";
  s += p + "  COUNTRY     -  US\n" + p + "\n" + p + "                         *CURRENT SURVEY CONTROL\n";
  s += p + "* NAD 83(2011) POSITION- " + Dms(lat, 2) + "(N) " + Dms(lon, 3) + "(W)   ADJUSTED\n";
  s += p + "* NAVD 88 ORTHO HEIGHT -   262.    (meters)      860.    (feet) SCALED\n" + p + "\n";
  for (int n = 0; n < 8; ++n) {
    s += p + ".The horizontal coordinates were established by classical geodetic methods\n";
  }
  for (int n = 0; n < 6; ++n) {
    s += p + "| " + Pid(i + n + 1) + " REFERENCE OBJECT " + std::to_string(n) +
         "                 22.140 METERS 04152     |\n";
  }
  s += p + "_MARKER: DB = BENCH MARK DISK\n" + p + "_SETTING: 7 = SET IN TOP OF CONCRETE MONUMENT\n";
  s += p + "\n" + p + "  HISTORY     - Date     Condition        Report By\n";
  s += p + "  HISTORY     - 1934     MONUMENTED       CGS\n";
  s += p + "  HISTORY     - 19870601 GOOD             NGS\n";
  s += p + "  HISTORY     - 20110412 MARK NOT FOUND   USPSQD\n";
  for (int block = 0; block < 4; ++block) {
    s += p + "\n" + p + "                          STATION RECOVERY (19" + std::to_string(60 + block * 10) +
         ")\n" + p + "\n" + p + "'RECOVERY NOTE BY US POWER SQUADRON 19" +
         std::to_string(60 + block * 10) + " (ABC)\n";
    for (int n = 0; n < 13; ++n) s += TextLine(Pid(i), random);
  }
  return s + p + "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: make_state_archive MARKS TEXT_FILE [ZIP_FILE]\n");
    return 2;
  }
  const int marks = std::atoi(argv[1]);
  std::FILE* text = std::fopen(argv[2], "wb");
  if (text == nullptr) return 1;
  std::mt19937 random(20261208);
  for (int i = 0; i < marks; ++i) {
    const std::string sheet = Datasheet(i, random);
    std::fwrite(sheet.data(), 1, sheet.size(), text);
  }
  std::fputs(" *** retrieval complete.\n", text);
  if (std::fclose(text) != 0) return 1;
  if (argc == 3) return 0;
  int error = 0;
  zip_t* zip = zip_open(argv[3], ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr) return 1;
  zip_source_t* source = zip_source_file(zip, argv[2], 0, -1);
  if (source == nullptr || zip_file_add(zip, "TX.txt", source, 0) < 0) return 1;
  return zip_close(zip) == 0 ? 0 : 1;
}
