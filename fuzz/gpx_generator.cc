#include "gpx_generator.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "core/text.h"
#include "fuzz_checks.h"

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
  std::string LogZone();
  std::string Waypoint();
  std::string Line(int indent, const std::string& text) {
    return std::string(static_cast<std::size_t>(indent), ' ') + text + eol_;
  }

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
    text += eol_;
  }
  return text;
}

std::string Builder::LogZone() {
  const std::string old_log =
      "<groundspeak:log id=\"1\"><groundspeak:text encoded=\"False\">" + Text() +
      "</groundspeak:text></groundspeak:log>";
  switch (in_.ConsumeIntegralInRange(0, 4)) {
    case 0: return "";  // no zone at all
    case 1: return "<groundspeak:logs></groundspeak:logs>";
    case 2: return "<groundspeak:logs>" + old_log + "</groundspeak:logs>";
    case 3: return "<groundspeak:logs>" + eol_ + "  " + old_log + eol_ + "</groundspeak:logs>";
    default: return "<groundspeak:logs>" + eol_ + "</groundspeak:logs>";
  }
}

std::string Builder::Waypoint() {
  std::string w = Line(2, "<wpt lat=\"40.0149\" lon=\"-105.2705\">");
  w += Line(4, "<name>" + Name() + "</name>");
  w += Line(4, "<link href=\"http://www.ngs.noaa.gov/cgi-bin/ds_mark.prl?PidBox=" + Pid() +
                   "\"><text>datasheet</text></link>");
  w += Line(4, "<extensions><groundspeak:cache id=\"1\" xmlns:groundspeak="
               "\"http://www.groundspeak.com/cache/1/0/1\">");
  if (in_.ConsumeBool()) w += Line(6, "<groundspeak:name>" + ListingName() + "</groundspeak:name>");
  if (in_.ConsumeBool()) w += Line(6, "<groundspeak:difficulty>" + Rating() + "</groundspeak:difficulty>");
  if (in_.ConsumeBool()) w += Line(6, "<groundspeak:terrain>" + Rating() + "</groundspeak:terrain>");
  const std::string description = in_.ConsumeBool() ? "long_description" : "short_description";
  w += Line(6, "<groundspeak:" + description + ">" + Description() + "</groundspeak:" +
                   description + ">");
  w += Line(6, LogZone());
  w += Line(4, "</groundspeak:cache></extensions>");
  w += Line(2, "</wpt>");
  return w;
}

std::string Builder::Document() {
  eol_ = in_.PickValueInArray<std::string>({"\r\n", "\n", ""});
  std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + eol_;
  doc += "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"fuzz\">" + eol_;
  doc += Line(2, "<metadata><name>" + Text() + "</name></metadata>");
  const std::size_t waypoints = in_.ConsumeIntegralInRange<std::size_t>(0, kMostWaypoints);
  for (std::size_t i = 0; i < waypoints; ++i) doc += Waypoint();
  return doc + "</gpx>" + eol_;
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
