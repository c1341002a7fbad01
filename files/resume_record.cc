#include "files/resume_record.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <functional>
#include <limits>
#include <set>
#include <span>
#include <stdexcept>
#include <vector>

#include "files/durable_write.h"
#include "files/file_error.h"
#include "files/file_utils.h"
#include "files/sha256.h"

namespace velmora {
namespace {

constexpr std::string_view kChecksumKey = "checksum";
constexpr std::string_view kSettingKey = "setting";

bool NeedsEscape(unsigned char c) { return c <= 0x20 || c == 0x7F || c == '%'; }

std::string Escape(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string escaped;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (!NeedsEscape(c)) {
      escaped.push_back(ch);
      continue;
    }
    escaped += '%';
    escaped += kDigits[c >> 4];
    escaped += kDigits[c & 0x0F];
  }
  return escaped;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      plain.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[i + 1]);
    const int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    plain.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return plain;
}

bool IsSha256(std::string_view text) {
  if (text.size() != 64) return false;
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

// A whole number from 0 to `most`, digits only.
std::optional<std::int64_t> Number(std::string_view text, std::int64_t most) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text[0] == '-' || error != std::errc() || stop != end || value > most) {
    return std::nullopt;
  }
  return value;
}

void AddLine(std::string& text, std::string_view key, std::string_view value) {
  text.append(key).append(" ").append(value).append("\n");
}

void AddState(std::string& text, const std::string& name, const ResultState& state) {
  AddLine(text, name + "-sha256", state.sha256);
  AddLine(text, name + "-completed", std::to_string(state.completed));
  AddLine(text, name + "-total", std::to_string(state.total));
  AddLine(text, name + "-position", std::to_string(state.position));
  AddLine(text, name + "-rest", std::to_string(state.rest));
}

// Reads one field of the record into it; false for a bad value.
using Setter = std::function<bool(ResumeRecord&, std::string_view)>;
using FieldTable = std::map<std::string, Setter, std::less<>>;

Setter CountField(ResultState ResumeRecord::*state, int ResultState::*field) {
  return [state, field](ResumeRecord& record, std::string_view value) {
    const auto number = Number(value, std::numeric_limits<int>::max());
    if (number) (record.*state).*field = static_cast<int>(*number);
    return number.has_value();
  };
}

Setter OffsetField(ResultState ResumeRecord::*state, std::int64_t ResultState::*field) {
  return [state, field](ResumeRecord& record, std::string_view value) {
    const auto number = Number(value, std::numeric_limits<std::int64_t>::max());
    if (number) (record.*state).*field = *number;
    return number.has_value();
  };
}

void AddStateFields(FieldTable& table, const std::string& name,
                    ResultState ResumeRecord::*state, bool may_be_empty) {
  table[name + "-sha256"] = [state, may_be_empty](ResumeRecord& record, std::string_view value) {
    if (!IsSha256(value) && !(may_be_empty && value.empty())) return false;
    (record.*state).sha256 = value;
    return true;
  };
  table[name + "-completed"] = CountField(state, &ResultState::completed);
  table[name + "-total"] = CountField(state, &ResultState::total);
  table[name + "-position"] = OffsetField(state, &ResultState::position);
  table[name + "-rest"] = OffsetField(state, &ResultState::rest);
}

FieldTable MakeFieldTable() {
  FieldTable table;
  table["input-size"] = [](ResumeRecord& record, std::string_view value) {
    const auto number = Number(value, std::numeric_limits<std::int64_t>::max());
    if (number) record.input_size = *number;
    return number.has_value();
  };
  table["input-sha256"] = [](ResumeRecord& record, std::string_view value) {
    record.input_sha256 = value;
    return IsSha256(value);
  };
  AddStateFields(table, "newest", &ResumeRecord::newest, false);
  AddStateFields(table, "previous", &ResumeRecord::previous, true);
  table["source"] = [](ResumeRecord& record, std::string_view value) {
    const auto source = Unescape(value);
    if (source) record.source = *source;
    return source.has_value() && !source->empty();
  };
  return table;
}

// The lines before the checksum line when the checksum holds; else nullopt
// with the reason in `error`.
std::optional<std::string_view> CheckedBody(std::string_view text, std::string& error) {
  if (text.empty() || text.back() != '\n') {
    error = "the record does not end with a whole line";
    return std::nullopt;
  }
  const std::size_t last =
      text.size() < 2 ? std::string_view::npos : text.rfind('\n', text.size() - 2);
  const std::size_t start = last == std::string_view::npos ? 0 : last + 1;
  const std::string_view body = text.substr(0, start);
  const std::string expected = std::string(kChecksumKey) + " " + Sha256Hex(body) + "\n";
  if (text.substr(start) != expected) {
    error = "the record's checksum does not match its lines";
    return std::nullopt;
  }
  return body;
}

// Adds a "setting NAME VALUE" line's setting; false when it is bad or repeated.
bool AddSetting(ResumeRecord& record, std::string_view value) {
  const std::size_t space = value.find(' ');
  if (space == std::string_view::npos) return false;
  const auto name = Unescape(value.substr(0, space));
  const auto setting = Unescape(value.substr(space + 1));
  if (!name || !setting || name->empty()) return false;
  return record.source_settings.emplace(*name, *setting).second;
}

// Reads the "key value" lines after the first; false with `error` set.
bool ReadFields(std::string_view lines, ResumeRecord& record, std::string& error) {
  static const FieldTable table = MakeFieldTable();
  std::set<std::string, std::less<>> seen;
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    const std::string_view line = lines.substr(0, end);
    lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    const std::size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value =
        space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    const auto field = table.find(key);
    const bool ok = space != std::string_view::npos &&
                    (key == kSettingKey ? AddSetting(record, value)
                                        : field != table.end() && seen.emplace(key).second &&
                                              field->second(record, value));
    if (!ok) {
      error = "a bad, unknown or repeated line: " + std::string(key);
      return false;
    }
  }
  for (const auto& [key, setter] : table) {
    if (!seen.contains(key)) {
      error = "the record has no " + key + " line";
      return false;
    }
  }
  return true;
}

RecordParse ParseChecked(std::string_view text) {
  RecordParse parse;
  const auto body = CheckedBody(text, parse.error);
  if (!body) return parse;
  const std::string first =
      std::string(kRecordFormatName) + " " + std::to_string(kRecordFormatVersion) + "\n";
  if (!body->starts_with(first)) {
    parse.error = "not a progress record of this version";
    return parse;
  }
  ResumeRecord record;
  if (!ReadFields(body->substr(first.size()), record, parse.error)) return parse;
  if (record.newest.completed > record.newest.total ||
      record.previous.completed > record.previous.total) {
    parse.error = "more benchmarks completed than the run fetches";
    return parse;
  }
  parse.record = std::move(record);
  return parse;
}

}  // namespace

void ResumeRecord::Advance(const ResultState& state) {
  previous = newest;
  newest = state;
}

std::string SerializeResumeRecord(const ResumeRecord& record) {
  std::string text;
  AddLine(text, kRecordFormatName, std::to_string(kRecordFormatVersion));
  AddLine(text, "input-size", std::to_string(record.input_size));
  AddLine(text, "input-sha256", record.input_sha256);
  AddState(text, "newest", record.newest);
  AddState(text, "previous", record.previous);
  AddLine(text, "source", Escape(record.source));
  for (const auto& [name, value] : record.source_settings) {
    if (name.empty()) throw std::invalid_argument("a source setting without a name");
    AddLine(text, kSettingKey, Escape(name) + " " + Escape(value));
  }
  AddLine(text, kChecksumKey, Sha256Hex(text));
  return text;
}

RecordParse ParseResumeRecord(std::string_view text) {
  try {
    return ParseChecked(text);
  } catch (const std::exception& error) {
    RecordParse parse;
    parse.error = error.what();
    return parse;
  }
}

std::string RecordFileName(const std::string& gpx_file_name) {
  return ResultFileName(gpx_file_name) + ".resume";
}

void WriteRecordAtomically(const std::string& path, const ResumeRecord& record) {
  const std::string text = SerializeResumeRecord(record);
  const std::string_view pieces[] = {text};
  // Not flushed to the disk: a record lost or left behind by a power cut
  // matches no result file then, and the next run starts afresh; the result
  // file, which is flushed, is what must survive.
  ReplaceFileWithPieces(path, pieces, {}, false);
}

void RemoveRecord(const std::string& path) {
  std::remove((path + ".tmp").c_str());
  if (std::remove(path.c_str()) != 0 && errno != ENOENT) throw FileError::FromErrno(path);
}

}  // namespace velmora
