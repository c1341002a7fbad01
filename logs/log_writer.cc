#include "logs/log_writer.h"

#include "core/text.h"

namespace velmora {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

void AppendLine(std::string& block, std::string_view before,
                std::string_view value, std::string_view after) {
  block.append(kLineBreak);
  block.append(before);
  block.append(value);
  block.append(after);
}

bool IsForbiddenControl(unsigned char byte) {
  return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}

}  // namespace

void AppendLogElement(std::string& LogBlock, std::string_view id,
                      std::string_view date, std::string_view type,
                      std::string_view finder, std::string_view text) {
  const std::string safe_type = EscapeLogType(DropForbiddenControls(type));
  const std::string safe_finder = DropForbiddenControls(finder);
  const std::string safe_text = DropForbiddenControls(text);
  AppendLine(LogBlock, "    <groundspeak:log id=\"", id, "\">");
  AppendLine(LogBlock, "      <groundspeak:date>", date,
             "T00:00:00-06:00Z</groundspeak:date>");
  AppendLine(LogBlock, "      <groundspeak:type>", safe_type,
             "</groundspeak:type>");
  AppendLine(LogBlock, "      <groundspeak:finder id=\"0000000\">", safe_finder,
             "</groundspeak:finder>");
  AppendLine(LogBlock, "      <groundspeak:text encoded=\"False\">", safe_text,
             "</groundspeak:text>");
  AppendLine(LogBlock, "    </groundspeak:log>", "", "");
}

std::string EscapeLogText(std::string_view text) {
  std::string out = ReplaceAll(text, "<br/>", "");
  out = ReplaceAll(out, "&", "&amp;");
  out = ReplaceAll(out, "'", "&apos;");
  out = ReplaceAll(out, "\"", "&quot;");
  out = ReplaceAll(out, "<", "&lt;");
  return ReplaceAll(out, ">", "&gt;");
}

std::string StripLineBreaks(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "\r", ""), "\n", "");
}

std::string EscapeLogType(std::string_view type) {
  std::string out = ReplaceAll(type, "&", "&amp;");
  out = ReplaceAll(out, "<", "&lt;");
  return ReplaceAll(out, ">", "&gt;");
}

std::string DropForbiddenControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (!IsForbiddenControl(static_cast<unsigned char>(c))) out.push_back(c);
  }
  return out;
}

}  // namespace velmora
