// The text a person sees in a web page: the text of its elements without
// their markup, for telling whose page an answer is and for describing one
// that is not the page asked for.
#ifndef VELMORA_LOGS_PAGE_TEXT_H
#define VELMORA_LOGS_PAGE_TEXT_H

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/edges.h"
#include "core/logs_source.h"

namespace velmora {

// What a person would make of `answer`, the answer for `url` that was not the
// page asked for: its status, its title (else its first 60 characters of
// text; for a body too large to read, the failure), the address it came
// from after redirects (`url` when none is known) and that address's host.
ForeignAnswer DescribeAnswer(const PageAnswer& answer, std::string_view url);

// `markup` without its tags, every run of blanks one space, none at either
// end. The content of <script> and <style> elements is left out too.
std::string PlainText(std::string_view markup);

// The PlainText of every element of `page` named by one of `tags` (lower-case
// names, matched in any letter case: "title", "h1"), in page order. An
// element without its end tag ends the search.
std::vector<std::string> ElementTexts(std::string_view page,
                                      std::initializer_list<std::string_view> tags);

}  // namespace velmora

#endif
