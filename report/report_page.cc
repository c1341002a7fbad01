#include "report/report_page.h"

#include <cstdio>

#include "core/text.h"
#include "files/sha256.h"
#include "report/html_text.h"
#include "report/report_assets.h"

namespace velmora {
namespace {

constexpr double kPlotWidth = 960, kPlotHeight = 460, kPlotMargin = 28;
constexpr std::size_t kTextCharacters = 100;

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// The CSP source of the script: its SHA-256 in base64.
std::string ScriptHash() {
  const std::string hex = Sha256Hex(kReportScript);
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return "'sha256-" + Base64(bytes) + "'";
}

std::string Head(const std::string& file_name) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "style-src 'unsafe-inline'; script-src " +
         ScriptHash() +
         "; img-src 'none'; "
         "base-uri 'none'; form-action 'none'\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<title>Benchmarks of " +
         EscapeHtml(file_name) + "</title>\n<style>" + std::string(kReportStyle) +
         "</style>\n</head>\n<body>\n";
}

struct Counts {
  int found_lately = 0, not_found_last = 0, never_found = 0;
};

Counts CountMarks(const std::vector<MarkFacts>& marks, const std::string& today) {
  Counts counts;
  for (const MarkFacts& mark : marks) {
    const int years = YearsSince(mark.newest_find, today);
    if (years >= 0 && years < 10) ++counts.found_lately;
    if (IsDidNotFind(mark.newest_type)) ++counts.not_found_last;
    if (mark.newest_find.empty()) ++counts.never_found;
  }
  return counts;
}

std::string Heading(const ReportFacts& facts, const std::string& file_name,
                    const std::string& today) {
  std::string out =
      "<header>\n<h1>Benchmarks of " + EscapeHtml(file_name) + "</h1>\n<p class=\"sub\">";
  if (!facts.title.empty()) out += EscapeHtml(facts.title) + " &middot; ";
  out += "report made on <time>" + EscapeHtml(today) + "</time></p>\n";
  if (facts.marks.empty()) return out + "</header>\n";
  const Counts counts = CountMarks(facts.marks, today);
  const auto count = [](int n, const char* what) {
    return "<li><b>" + std::to_string(n) + "</b>" + what + "</li>";
  };
  return out + "<ul class=\"counts\">" + count(static_cast<int>(facts.marks.size()), "marks") +
         count(counts.found_lately, "found in the last 10 years") +
         count(counts.not_found_last, "last report &ldquo;Didn&#39;t find it&rdquo;") +
         count(counts.never_found, "never found") + "</ul>\n</header>\n";
}

std::string Swatch(const char* colour, bool ring) {
  return std::string(
             "<svg width=\"20\" height=\"20\" viewBox=\"-10 -10 20 20\" aria-hidden=\"true\">"
             "<circle class=\"dot\" r=\"5\" fill=\"") +
         colour + "\" stroke=\"#222\" stroke-width=\"0.8\"/>" +
         (ring ? "<circle r=\"8.5\" fill=\"none\" stroke=\"#c0392b\" stroke-width=\"2\"/>" : "") +
         "</svg>";
}

std::string Legend() {
  std::string out = "<figcaption><span>Years since the newest find:</span>";
  for (const AgeBin& bin : AgeBins()) {
    out += "<span>" + Swatch(bin.colour, false) + bin.label + "</span>";
  }
  out += std::string("<span>") + Swatch(kNeverFoundColour, false) + kNeverFoundLabel + "</span>";
  return out + "<span>" + Swatch("#ffffff", true) +
         "newest log &ldquo;Didn&#39;t find it&rdquo;</span></figcaption>\n";
}

std::string DotTitle(const MarkFacts& mark) {
  return EscapeHtml(mark.pid + " " + mark.designation) + " &mdash; " +
         (mark.newest_find.empty() ? std::string("never found")
                                   : "newest find " + EscapeHtml(mark.newest_find));
}

std::string Dot(const MarkFacts& mark, std::size_t index, PlotPoint at, const std::string& today) {
  const std::size_t bin = AgeBinOf(YearsSince(mark.newest_find, today));
  const char* colour = bin < AgeBins().size() ? AgeBins()[bin].colour : kNeverFoundColour;
  std::string out = "<g id=\"d" + std::to_string(index) + "\" transform=\"translate(" +
                    Fixed(at.x) + " " + Fixed(at.y) + ")\"><title>" + DotTitle(mark) +
                    "</title><circle class=\"halo\" r=\"12\"/><circle class=\"dot\" r=\"5\" "
                    "fill=\"" +
                    colour + "\"/>";
  if (IsDidNotFind(mark.newest_type)) out += "<circle class=\"ring\" r=\"8.5\"/>";
  return out + "</g>\n";
}

std::string ScaleBars(const Projection& projection) {
  const double y = kPlotHeight - 34;
  std::string out;
  int line = 0;
  for (const ScaleBar& bar : {KmScaleBar(projection.KmPerUnit(), kPlotWidth / 5),
                              MileScaleBar(projection.KmPerUnit(), kPlotWidth / 5)}) {
    const double at = y + 16 * line++;
    out += "<path class=\"bar\" d=\"M12 " + Fixed(at - 4) + "v4h" + Fixed(bar.units) + "v-4\"/>" +
           "<text x=\"" + Fixed(18 + bar.units) + "\" y=\"" + Fixed(at + 4) + "\">" +
           EscapeHtml(bar.label) + "</text>";
  }
  return out + "\n";
}

std::string Plot(const std::vector<MarkFacts>& marks, const std::string& today) {
  std::vector<LatLon> places;
  for (const MarkFacts& mark : marks) {
    if (mark.position) places.push_back(*mark.position);
  }
  const Projection projection(places, kPlotWidth, kPlotHeight, kPlotMargin);
  std::string out = "<figure>\n<svg class=\"plot\" viewBox=\"0 0 " + Fixed(kPlotWidth) + " " +
                    Fixed(kPlotHeight) +
                    "\" role=\"img\" aria-label=\"Where the marks are\">"
                    "<rect class=\"land\" width=\"100%\" height=\"100%\"/>\n<g>\n";
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (marks[i].position) out += Dot(marks[i], i, projection(*marks[i].position), today);
  }
  out += "</g>\n";
  if (!places.empty()) out += ScaleBars(projection);
  return out + "</svg>\n" + Legend() + "</figure>\n";
}

// The table's columns: heading, kind of key ("num" or "text") and class.
struct Column {
  const char* heading;
  const char* type;
  const char* cell_class;
};
constexpr Column kColumns[] = {
    {"PID", "text", ""},
    {"Designation", "text", ""},
    {"Newest find", "text", ""},
    {"Years since", "num", "n"},
    {"Newest log", "text", ""},
    {"Log date", "text", ""},
    {"Newest log text", "text", "t"},
    {"Logs", "num", "n"},
    {"Difficulty", "num", "n"},
    {"Terrain", "num", "n"},
};

std::string Cell(std::size_t column, const std::string& html) {
  const char* cell_class = kColumns[column].cell_class;
  return std::string(*cell_class ? "<td role=\"cell\" class=\"" + std::string(cell_class) + "\">"
                                 : "<td role=\"cell\">") +
         html + "</td>";
}

std::string PidCell(const MarkFacts& mark) {
  const std::string link = WebLink(mark.link);
  if (link.empty()) return Cell(0, EscapeHtml(mark.pid));
  return Cell(0, "<a href=\"" + EscapeHtml(link) + "\">" + EscapeHtml(mark.pid) + "</a>");
}

// The first characters of a log text, whole in the tooltip of a cut line.
std::string TextCell(const std::string& text) {
  const std::string shown = EscapeHtml(FirstCharacters(CollapseBlanks(text), kTextCharacters));
  return shown.empty() ? shown : "<span title=\"" + shown + "\">" + shown + "</span>";
}

std::string Row(const MarkFacts& mark, std::size_t index, const std::string& today) {
  const int years = YearsSince(mark.newest_find, today);
  const std::string type = EscapeHtml(mark.newest_type);
  return "<tr role=\"row\" data-i=\"" + std::to_string(index) + "\" tabindex=\"0\">" +
         PidCell(mark) + Cell(1, EscapeHtml(mark.designation)) +
         Cell(2, EscapeHtml(mark.newest_find)) + Cell(3, years < 0 ? "" : std::to_string(years)) +
         Cell(4,
              IsDidNotFind(mark.newest_type) ? "<span class=\"dnf\">" + type + "</span>" : type) +
         Cell(5, EscapeHtml(mark.newest_day)) + Cell(6, TextCell(mark.newest_text)) +
         Cell(7, std::to_string(mark.logs)) + Cell(8, EscapeHtml(mark.difficulty)) +
         Cell(9, EscapeHtml(mark.terrain)) + "</tr>\n";
}

std::string Table(const std::vector<MarkFacts>& marks, const std::string& today) {
  // The roles keep the table's meaning whatever its layout (report_assets.cc).
  std::string out =
      "<table id=\"marks\" role=\"table\">\n<thead role=\"rowgroup\"><tr role=\"row\">";
  for (const Column& column : kColumns) {
    out += std::string("<th scope=\"col\" role=\"columnheader\" data-type=\"") + column.type +
           "\"" + (*column.cell_class == 'n' ? " class=\"n\"" : "") + ">" + column.heading +
           "</th>";
  }
  out += "</tr></thead>\n<tbody role=\"rowgroup\">\n";
  for (std::size_t i = 0; i < marks.size(); ++i) out += Row(marks[i], i, today);
  return out + "</tbody>\n</table>\n";
}

}  // namespace

std::string ReportPage(const ReportFacts& facts, const std::string& file_name,
                       const std::string& today) {
  std::string page = Head(file_name) + Heading(facts, file_name, today);
  if (facts.marks.empty()) {
    return page + "<p class=\"empty\">" + kNoBenchmarksText + "</p>\n</body>\n</html>\n";
  }
  page += "<main>\n" + Plot(facts.marks, today) + Table(facts.marks, today) + "</main>\n";
  return page + "<script>" + std::string(kReportScript) + "</script>\n</body>\n</html>\n";
}

}  // namespace velmora
