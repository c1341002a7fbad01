#include "datasheet/datasheet_parse.h"

#include <cctype>

#include "core/text.h"

namespace velmora {
namespace {

constexpr std::string_view kDescription = "STATION DESCRIPTION";
constexpr std::string_view kRecovery = "STATION RECOVERY";
constexpr std::string_view kDescribedBy = "DESCRIBED BY ";
constexpr std::string_view kRecoveryNoteBy = "RECOVERY NOTE BY ";

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string_view TrimRightBlanks(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The text of a line from column 9 on (after the PID and the record type).
std::string_view LineText(std::string_view line) {
  return line.size() > 8 ? line.substr(8) : std::string_view();
}

bool IsQuoteLine(std::string_view line) { return line.size() > 7 && line[7] == '\''; }

bool IsEmptyLine(std::string_view line) {
  return line.size() <= 7 || TrimRightBlanks(line.substr(7)).empty();
}

// Reads "YYYYMMDD", "YYYY" or "UNK"; anything else counts as not known.
void ReadRowDate(std::string_view field, HistoryRow& row) {
  if (field.size() == 4 && AllDigits(field)) {
    row.year = std::stoi(std::string(field));
    row.date = std::string(field) + "-01-01";
  } else if (field.size() == 8 && AllDigits(field)) {
    const int month = std::stoi(std::string(field.substr(4, 2)));
    const int day = std::stoi(std::string(field.substr(6, 2)));
    if (month < 1 || month > 12 || day < 1 || day > 31) return;
    row.year = std::stoi(std::string(field.substr(0, 4)));
    row.date = std::string(field.substr(0, 4)) + "-" + std::string(field.substr(4, 2)) + "-" +
               std::string(field.substr(6, 2));
  }
}

bool IsHistoryLine(std::string_view line) {
  return line.size() >= 22 && line[7] == ' ' && line.substr(9, 7) == "HISTORY" &&
         line[21] == '-';
}

// The length of the character at the front: a whole UTF-8 sequence, else
// one byte.
std::size_t CharacterLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  std::size_t i = 1;
  while (i < length && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
    ++i;
  }
  return i;
}

// Columns `first` (1-based) to `first + count - 1` of the line, counted in
// characters, so that a column never splits one (a line brought into UTF-8
// from a one-byte character set keeps its columns).
std::string Columns(std::string_view line, std::size_t first,
                    std::size_t count = std::string_view::npos) {
  std::size_t at = 0;
  for (std::size_t column = 1; column < first && at < line.size(); ++column) {
    at += CharacterLength(line.substr(at));
  }
  const std::size_t start = at;
  for (std::size_t taken = 0; taken < count && at < line.size(); ++taken) {
    at += CharacterLength(line.substr(at));
  }
  return std::string(line.substr(start, at - start));
}

HistoryRow ReadHistoryRow(std::string_view line) {
  HistoryRow row;
  ReadRowDate(Trim(Columns(line, 24, 8)), row);
  row.condition = Trim(Columns(line, 33, 17));
  row.report_by = Trim(Columns(line, 50));
  return row;
}

// For a section line: 1 for a description, 2 for a recovery; 0 otherwise.
// `year` gets the recovery's "(YYYY)" when it has a readable one.
int SectionKind(std::string_view line, int& year) {
  if (line.size() <= 8 || line[7] != ' ') return 0;
  const std::string text = Trim(line.substr(8));
  year = 0;
  if (text == kDescription) return 1;
  if (text.rfind(kRecovery, 0) != 0) return 0;
  const std::string rest = Trim(Mid(text, kRecovery.size() + 1));
  if (rest.size() == 6 && rest.front() == '(' && rest.back() == ')' &&
      AllDigits(std::string_view(rest).substr(1, 4))) {
    year = std::stoi(rest.substr(1, 4));
  }
  return 2;
}

// Reads "DESCRIBED BY AGENCY YEAR (INITIALS)" or "RECOVERY NOTE BY ..." into
// the block's finder (and its year when it has none yet); false when the line
// is no author line.
bool ReadAuthorLine(std::string_view line, TextBlock& block) {
  std::string text = Trim(TrimRightBlanks(line));
  std::size_t prefix = 0;
  if (text.rfind(kDescribedBy, 0) == 0) prefix = kDescribedBy.size();
  if (text.rfind(kRecoveryNoteBy, 0) == 0) prefix = kRecoveryNoteBy.size();
  if (prefix == 0) return false;
  std::string rest = Trim(text.substr(prefix));
  std::string initials;
  const std::size_t open = rest.rfind('(');
  if (!rest.empty() && rest.back() == ')' && open != std::string::npos) {
    initials = Trim(rest.substr(open + 1, rest.size() - open - 2));
    rest = Trim(rest.substr(0, open));
  }
  const std::size_t space = rest.rfind(' ');
  const std::string last = space == std::string::npos ? rest : rest.substr(space + 1);
  if (last.size() == 4 && AllDigits(last)) {
    if (block.year == 0) block.year = std::stoi(last);
    rest = space == std::string::npos ? std::string() : Trim(rest.substr(0, space));
  }
  block.finder = initials.empty() ? rest : rest + " (" + initials + ")";
  return true;
}

// Each line trimmed at both ends, joined by one space, or by two where a
// paragraph break (an empty text line) stands between them.
std::string JoinText(const std::vector<std::string_view>& lines, std::size_t first) {
  std::string text;
  bool paragraph_break = false;
  for (std::size_t i = first; i < lines.size(); ++i) {
    std::string_view line = TrimRightBlanks(lines[i]);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.empty()) {
      paragraph_break = !text.empty();
      continue;
    }
    if (!text.empty()) text += paragraph_break ? "  " : " ";
    text += line;
    paragraph_break = false;
  }
  return Trim(text);
}

TextBlock MakeBlock(int section_year, const std::vector<std::string_view>& text_lines) {
  TextBlock block;
  block.year = section_year;
  const bool has_author = ReadAuthorLine(text_lines.front(), block);
  block.text = JoinText(text_lines, has_author ? 1 : 0);
  return block;
}

// Walks the lines: history rows are read where they stand; a block gathers
// the quote lines after its section line and is complete at the first other
// line once its text has begun.
class Parser {
 public:
  void Take(std::string_view line) {
    int year = 0;
    if (SectionKind(line, year) != 0) return StartBlock(year);
    if (IsQuoteLine(line) && in_block_) {
      text_lines_.push_back(LineText(line));
      return;
    }
    if (!text_lines_.empty() || !IsEmptyLine(line)) EndBlock();
    if (IsHistoryLine(line)) ReadRow(line);
  }

  ParsedDatasheet Finish() {
    EndBlock();
    return std::move(parsed_);
  }

 private:
  void StartBlock(int year) {
    EndBlock();
    in_block_ = true;
    section_year_ = year;
  }

  void EndBlock() {
    if (in_block_ && !text_lines_.empty()) {
      parsed_.blocks.push_back(MakeBlock(section_year_, text_lines_));
    }
    in_block_ = false;
    text_lines_.clear();
  }

  void ReadRow(std::string_view line) {
    HistoryRow row = ReadHistoryRow(line);
    const bool header = Trim(Columns(line, 24, 8)) == "Date";
    if (!header) parsed_.rows.push_back(std::move(row));
  }

  ParsedDatasheet parsed_;
  bool in_block_ = false;
  int section_year_ = 0;
  std::vector<std::string_view> text_lines_;
};

}  // namespace

ParsedDatasheet ParseDatasheet(const std::vector<std::string_view>& lines) {
  Parser parser;
  for (std::string_view line : lines) parser.Take(line);
  return parser.Finish();
}

}  // namespace velmora
