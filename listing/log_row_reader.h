// The reading position of a log harvest: the listing page's text from just
// before its first log row, the cursor and the working field.
//
// Every search starts at the cursor or after it, and the cursor only moves
// forward. Searches are remembered per marker, so a marker that is missing
// from the rest of the page is not searched for again at every row: the whole
// harvest reads the page once, whatever the page holds.
//
// Where the page leaves things open:
//   - An end marker that does not follow its start marker: the field runs to
//     the end of the page and the cursor goes past the end, so the later
//     field steps of the row find nothing (the row is still written) and the
//     row loop ends. Nothing is read past the page.
//   - The first row search starts at the first character, so a page whose
//     first row marker is its very first character keeps that row.
#ifndef VELMORA_LISTING_LOG_ROW_READER_H
#define VELMORA_LISTING_LOG_ROW_READER_H

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace velmora {

class LogRowReader {
 public:
  explicit LogRowReader(std::string page_text);

  // Finds `row_marker` after the cursor and sets the cursor on it; false
  // (cursor unchanged) when there is none.
  bool NextRow(std::string_view row_marker);

  // Finds `start` from the cursor on; the field runs from after it to `end`
  // (or the end of the page), and the cursor is set on `end`. The working field
  // becomes the field, trimmed. Without `start`, nothing changes.
  void ExtractField(std::string_view start, std::string_view end);

  // As ExtractField, then the multi-paragraph rule: when the next run of 11
  // spaces begins 11 or more characters after the cursor, the field runs up
  // to that run instead. Either way every paragraph or line-break tag in it
  // ("<p>", "<p ...>", "</p>", "<br>", "<br/>", "<br />", in any letter case)
  // becomes two spaces.
  void ExtractLogText(std::string_view start, std::string_view end);

  std::string& field() { return field_; }
  const std::string& page() const { return page_; }
  Pos cursor() const { return cursor_; }

 private:
  // The field's first position, or 0 when `start` is missing; the cursor is
  // then on `end` (one past the page when `end` is missing too).
  Pos FindField(std::string_view start, std::string_view end);
  Pos Find(Pos from, std::string_view marker);

  struct Search {
    std::string marker;
    Pos from;   // where the remembered search started
    Pos found;  // what it found there (0: nothing from `from` on)
  };

  std::string page_;
  Pos cursor_ = 0;
  std::string field_;
  std::vector<Search> searches_;
};

}  // namespace velmora

#endif
