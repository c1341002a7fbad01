#include "gpx_generator.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "fuzz_checks.h"
#include "tests/support/builders.h"

namespace velmora::fuzz {
namespace {

constexpr std::size_t kMostWaypoints = 6;
constexpr std::size_t kMostLines = 5;
constexpr std::size_t kMostText = 24;

class Builder {
 public:
  Builder(const std::uint8_t* data, std::size_t size) : in_(data, size) {}
  std::string Document();

 private:
  std::string Text() { return EscapedText(in_.ConsumeRandomLengthString(kMostText)); }
  std::string Pid();
  std::string Name();
  std::string ListingName();
  std::string Rating();
  std::string Description();
  void LogZone(testing::WaypointFields& fields);
  std::string Waypoint();

  FuzzedDataProvider in_;
  std::string eol_ = "\r\n";
};

std::string Builder::Pid() {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string pid;
  for (int i = 0; i < 6; ++i) pid += in_.PickValueInArray(kLetters);
  return EscapedText(pid);
}

std::string Builder::Name() {
  switch (in_.ConsumeIntegralInRange(0, 3)) {
    case 0: return Pid();                      // lengthened by the listing name
    case 1: return Pid() + " " + Text();       // a name from an earlier run
    case 2: return Left(Pid(), in_.ConsumeIntegralInRange(0, 5));  // no benchmark
    default: return Text();
  }
}

std::string Builder::ListingName() {
  std::string name;
  const int parts = in_.ConsumeIntegralInRange(0, 3);
  for (int i = 0; i < parts; ++i) {
    switch (in_.ConsumeIntegralInRange(0, 4)) {
      case 0: name += "<name>" + Pid() + "</name>"; break;
      case 1: name += "<b>" + Text() + "</b>"; break;
      case 2: name += "MARK NOT FOUND"; break;
      default: name += Text();
    }
  }
  return name;
}

std::string Builder::Rating() {
  switch (in_.ConsumeIntegralInRange(0, 3)) {
    case 0: return std::to_string(in_.ConsumeIntegralInRange(1, 5));
    case 1: return std::to_string(in_.ConsumeIntegralInRange(1, 4)) + ".5";
    default: return Text();
  }
}

std::string Builder::Description() {
  std::string text;
  const std::size_t lines = in_.ConsumeIntegralInRange<std::size_t>(0, kMostLines);
  for (std::size_t i = 0; i < lines; ++i) {
    text += in_.PickValueInArray<std::string>(
        {"MARK NOT FOUND", "RECOVERED IN GOOD CONDITION", "FOUND AS DESCRIBED",
         std::string(70, '*'), "GOOD", Text()});
    text += "\n";  // the builder ends it with the document's line end
  }
  return text;
}

// The log zone: none, empty, or holding an old log, on one line or several.
void Builder::LogZone(testing::WaypointFields& fields) {
  const std::string old_log =
      "<groundspeak:log id=\"1\"><groundspeak:text encoded=\"False\">" + Text() +
      "</groundspeak:text></groundspeak:log>";
  switch (in_.ConsumeIntegralInRange(0, 4)) {
    case 0: fields.log_zone = false; break;
    case 1: fields.logs = ""; break;
    case 2: fields.logs = old_log; break;
    case 3: fields.logs = eol_ + "  " + old_log + eol_; break;
    default: fields.logs = eol_;
  }
}

// A waypoint of the test builder whose fields, each one optional, come from
// the input.
std::string Builder::Waypoint() {
  testing::WaypointFields fields{.name = Name(), .listing_name = "", .eol = eol_};
  if (in_.ConsumeBool()) fields.listing_name = ListingName();
  fields.difficulty = in_.ConsumeBool() ? Rating() : "";
  fields.terrain = in_.ConsumeBool() ? Rating() : "";
  if (!in_.ConsumeBool()) fields.description_element = "short_description";
  fields.description = Description();
  LogZone(fields);
  return testing::Waypoint(fields);
}

std::string Builder::Document() {
  eol_ = in_.PickValueInArray<std::string>({"\r\n", "\n", ""});
  testing::DocumentFields fields{.creator = "fuzz", .title = Text(), .eol = eol_};
  std::vector<std::string> waypoints(in_.ConsumeIntegralInRange<std::size_t>(0, kMostWaypoints));
  for (std::string& waypoint : waypoints) waypoint = Waypoint();
  return testing::GpxDocument(fields, waypoints);
}

}  // namespace

std::string EscapedText(const std::string& text) {
  std::string clean;
  for (const char c : MakeXmlCharacters(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
    clean += c;
  }
  return ReplaceAll(ReplaceAll(ReplaceAll(clean, "&", "&amp;"), "<", "&lt;"), ">", "&gt;");
}

std::string GenerateGpx(const std::uint8_t* data, std::size_t size) {
  return Builder(data, size).Document();
}

}  // namespace velmora::fuzz
