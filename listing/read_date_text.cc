#include "listing/read_date_text.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/text.h"

namespace velmora {

namespace {

enum class Kind { kNumber, kWord, kMark, kSpace };

struct Token {
  Kind kind;
  std::string_view text;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsMark(char c) { return c == '/' || c == '-' || c == '.' || c == ',' || c == ':'; }

Kind KindOf(char c) {
  if (IsDigit(c)) return Kind::kNumber;
  if (IsLetter(c)) return Kind::kWord;
  return IsBlank(c) ? Kind::kSpace : Kind::kMark;
}

// Runs of digits, of letters and of white space; each mark on its own.
// Nothing when the text holds any other character.
std::optional<std::vector<Token>> Tokenize(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (!IsDigit(c) && !IsLetter(c) && !IsBlank(c) && !IsMark(c)) return std::nullopt;
    const Kind kind = KindOf(c);
    std::size_t end = i + 1;
    while (kind != Kind::kMark && end < text.size() && KindOf(text[end]) == kind &&
           !IsMark(text[end])) {
      ++end;
    }
    tokens.push_back({kind, text.substr(i, end - i)});
    i = end;
  }
  return tokens;
}

constexpr std::array<std::string_view, 12> kMonths = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};
constexpr std::array<std::string_view, 7> kWeekdays = {
    "sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};

// True when `word` is `name` in full or its first three letters.
bool NamesWord(std::string_view word, std::string_view name) {
  const std::string lower = LowerAscii(word);
  return lower == name || (lower.size() == 3 && name.substr(0, 3) == lower);
}

int MonthNumber(std::string_view word) {
  if (LowerAscii(word) == "sept") return 9;
  for (std::size_t m = 0; m < kMonths.size(); ++m) {
    if (NamesWord(word, kMonths[m])) return static_cast<int>(m) + 1;
  }
  return 0;
}

bool IsWeekday(std::string_view word) {
  for (const std::string_view name : kWeekdays) {
    if (NamesWord(word, name)) return true;
  }
  return false;
}

// Marks and spaces from tokens[i] on, spaces written as one " " each.
std::string TakeGap(const std::vector<Token>& tokens, std::size_t& i) {
  std::string gap;
  for (; i < tokens.size(); ++i) {
    if (tokens[i].kind == Kind::kSpace) {
      gap += ' ';
    } else if (tokens[i].kind == Kind::kMark) {
      gap += tokens[i].text;
    } else {
      break;
    }
  }
  return gap;
}

// The value of a number token of at most four digits; -1 for a longer one.
int NumberValue(std::string_view digits) {
  if (digits.size() > 4) return -1;
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

int FullYear(std::string_view digits) {
  const int value = NumberValue(digits);
  if (digits.size() <= 2) return value < 30 ? 2000 + value : 1900 + value;
  return value >= 100 ? value : -1;
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30,
                                                31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::optional<CalendarDate> MakeDate(std::string_view year, int month,
                                     std::string_view day) {
  const int full_year = FullYear(year);
  if (full_year < 0 || day.size() > 2 || month < 1 || month > 12) return std::nullopt;
  const int day_value = NumberValue(day);
  if (day_value < 1 || day_value > DaysInMonth(full_year, month)) return std::nullopt;
  return CalendarDate{full_year, month, day_value};
}

int MonthValue(std::string_view digits) {
  return digits.size() <= 2 ? NumberValue(digits) : -1;
}

std::optional<CalendarDate> ReadNumericDate(const std::array<Token, 3>& items,
                                            DateOrder order) {
  const std::string_view a = items[0].text;
  const std::string_view b = items[1].text;
  const std::string_view c = items[2].text;
  if (a.size() == 4 || order == DateOrder::kYearMonthDay) {
    return MakeDate(a, MonthValue(b), c);
  }
  const bool month_first = order == DateOrder::kMonthDayYear;
  auto date = month_first ? MakeDate(c, MonthValue(a), b) : MakeDate(c, MonthValue(b), a);
  if (date) return date;
  return month_first ? MakeDate(c, MonthValue(b), a) : MakeDate(c, MonthValue(a), b);
}

bool IsNumericGap(const std::string& gap) { return gap == "/" || gap == "-" || gap == "."; }

bool IsNameGap(const std::string& gap) {
  return !gap.empty() && gap.find(':') == std::string::npos;
}

std::optional<CalendarDate> ReadItems(const std::array<Token, 3>& items,
                                      const std::array<std::string, 2>& gaps,
                                      DateOrder order) {
  std::string pattern;
  for (const Token& item : items) pattern += item.kind == Kind::kNumber ? 'N' : 'W';
  if (pattern == "NNN") {
    if (gaps[0] != gaps[1] || !IsNumericGap(gaps[0])) return std::nullopt;
    return ReadNumericDate(items, order);
  }
  if (!IsNameGap(gaps[0]) || !IsNameGap(gaps[1])) return std::nullopt;
  if (pattern == "WNN") return MakeDate(items[2].text, MonthNumber(items[0].text), items[1].text);
  if (pattern == "NWN") return MakeDate(items[2].text, MonthNumber(items[1].text), items[0].text);
  return std::nullopt;
}

bool IsWord(const std::vector<Token>& tokens, std::size_t i, std::string_view lower) {
  return i < tokens.size() && tokens[i].kind == Kind::kWord &&
         LowerAscii(tokens[i].text) == lower;
}

// True when tokens[i] is a number of one or two digits up to `most`.
bool IsNumber(const std::vector<Token>& tokens, std::size_t i, int most) {
  return i < tokens.size() && tokens[i].kind == Kind::kNumber && tokens[i].text.size() <= 2 &&
         NumberValue(tokens[i].text) <= most;
}

bool IsMarkAt(const std::vector<Token>& tokens, std::size_t i, std::string_view mark) {
  return i < tokens.size() && tokens[i].text == mark;
}

// True when tokens[i] on is nothing but spaces, or a time of day such as
// " 10:30", "T10:30:00Z", " 8:05:09.25 PM" or ", 10:30 am".
bool IsTimeOrNothing(const std::vector<Token>& tokens, std::size_t i) {
  const std::string gap = TakeGap(tokens, i);
  if (i == tokens.size()) return gap.find_first_not_of(' ') == std::string::npos;
  if (gap.empty() && IsWord(tokens, i, "t")) {
    ++i;
  } else if (gap != " " && gap != ", ") {
    return false;
  }
  if (!IsNumber(tokens, i, 23) || !IsMarkAt(tokens, i + 1, ":")) return false;
  ++i;
  for (int part = 0; part < 2 && IsMarkAt(tokens, i, ":"); ++part) {
    if (!IsNumber(tokens, i + 1, 59)) return false;
    i += 2;
  }
  if (IsMarkAt(tokens, i, ".") && i + 1 < tokens.size() && tokens[i + 1].kind == Kind::kNumber) {
    i += 2;
  }
  if (IsWord(tokens, i, "z")) ++i;
  if (i < tokens.size() && tokens[i].kind == Kind::kSpace) ++i;
  if (IsWord(tokens, i, "am") || IsWord(tokens, i, "pm")) ++i;
  return i == tokens.size();
}

void SkipSpaces(const std::vector<Token>& tokens, std::size_t& i) {
  while (i < tokens.size() && tokens[i].kind == Kind::kSpace) ++i;
}

// The three items of a date text and the two gaps between them; false when
// the text is no weekday, three items and a time of day (each optional but
// the items).
bool ReadDateItems(std::string_view text, std::array<Token, 3>& items,
                   std::array<std::string, 2>& gaps) {
  const auto tokens = Tokenize(text);
  if (!tokens) return false;
  std::size_t i = 0;
  SkipSpaces(*tokens, i);
  if (i < tokens->size() && (*tokens)[i].kind == Kind::kWord && IsWeekday((*tokens)[i].text)) {
    ++i;
    TakeGap(*tokens, i);
  }
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k > 0) gaps[k - 1] = TakeGap(*tokens, i);
    if (i >= tokens->size() || (*tokens)[i].kind == Kind::kSpace ||
        (*tokens)[i].kind == Kind::kMark) {
      return false;
    }
    items[k] = (*tokens)[i++];
  }
  return IsTimeOrNothing(*tokens, i);
}

}  // namespace

std::optional<CalendarDate> ReadDateText(std::string_view text, DateOrder order) {
  std::array<Token, 3> items{};
  std::array<std::string, 2> gaps;
  if (!ReadDateItems(text, items, gaps)) return std::nullopt;
  return ReadItems(items, gaps, order);
}

std::optional<DateOrder> OrderTheDateDecides(std::string_view text) {
  std::array<Token, 3> items{};
  std::array<std::string, 2> gaps;
  if (!ReadDateItems(text, items, gaps)) return std::nullopt;
  for (const Token& item : items) {
    if (item.kind != Kind::kNumber) return std::nullopt;
  }
  if (gaps[0] != gaps[1] || !IsNumericGap(gaps[0]) || items[0].text.size() > 2) {
    return std::nullopt;
  }
  const int first = MonthValue(items[0].text);
  const int second = MonthValue(items[1].text);
  if (first > 12 && MakeDate(items[2].text, second, items[0].text)) {
    return DateOrder::kDayMonthYear;
  }
  if (second > 12 && MakeDate(items[2].text, first, items[1].text)) {
    return DateOrder::kMonthDayYear;
  }
  return std::nullopt;
}

DateOrder DateOrderFromFormat(std::string_view format) {
  for (std::size_t i = 0; i + 1 < format.size(); ++i) {
    if (format[i] != '%') continue;
    std::size_t j = i + 1;
    while (j < format.size() && std::string_view("EO-_0^#").find(format[j]) != std::string_view::npos) ++j;
    if (j >= format.size()) break;
    switch (format[j]) {
      case 'd': case 'e': return DateOrder::kDayMonthYear;
      case 'm': case 'b': case 'B': case 'h': case 'D': return DateOrder::kMonthDayYear;
      case 'y': case 'Y': case 'C': case 'G': case 'g': case 'F': return DateOrder::kYearMonthDay;
      default: i = j; break;
    }
  }
  return DateOrder::kMonthDayYear;
}

}  // namespace velmora
