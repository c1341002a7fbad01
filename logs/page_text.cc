#include "logs/page_text.h"

#include "core/text.h"

namespace velmora {
namespace {

// True when the tag that `lower` (a text in lower case) holds at `at` is a
// start tag named `tag`: "<", the name, then ">" or a blank.
bool IsStartTag(std::string_view lower, std::size_t at, std::string_view tag) {
  const std::size_t after = at + 1 + tag.size();
  return after < lower.size() && lower.compare(at + 1, tag.size(), tag) == 0 &&
         (lower[after] == '>' || IsBlank(lower[after]));
}

// Where the content of the `tag` element that starts at `at` in `lower`
// begins and where its end tag stands; false when it has no end tag.
bool ElementContent(std::string_view lower, std::size_t at, std::string_view tag,
                    std::size_t& begin, std::size_t& end) {
  const std::size_t open_end = lower.find('>', at);
  end =
      open_end == std::string_view::npos ? open_end : lower.find("</" + std::string(tag), open_end);
  begin = open_end + 1;
  return end != std::string_view::npos;
}

// Where the text after a <script> or <style> element that starts at `at` in
// `lower` goes on (at its end tag; npos when it has none: it hides the rest);
// `at` when none starts there.
std::size_t SkipHiddenElement(std::string_view lower, std::size_t at) {
  for (const std::string_view tag : {"script", "style"}) {
    if (!IsStartTag(lower, at, tag)) continue;
    std::size_t begin = 0;
    std::size_t end = 0;
    ElementContent(lower, at, tag, begin, end);
    return end;
  }
  return at;
}

// The host of an absolute URL: what follows "//" up to the next "/", "?" or
// "#"; the empty text for a URL without "//".
std::string HostOf(std::string_view url) {
  const std::size_t slashes = url.find("//");
  if (slashes == std::string_view::npos) return "";
  const std::string_view rest = url.substr(slashes + 2);
  return std::string(rest.substr(0, rest.find_first_of("/?#")));
}

constexpr std::size_t kDescribedCharacters = 60;
constexpr std::size_t kLongestTitle = 120;  // of a page that fills a title with more

}  // namespace

ForeignAnswer DescribeAnswer(const PageAnswer& answer, std::string_view url) {
  ForeignAnswer seen;
  seen.status = answer.status;
  const std::vector<std::string> titles = ElementTexts(answer.body, {"title"});
  if (!titles.empty() && !titles.front().empty()) {
    seen.title = FirstCharacters(titles.front(), kLongestTitle);
  } else if (!answer.body.empty()) {
    seen.title = FirstCharacters(PlainText(answer.body), kDescribedCharacters);
  } else {
    seen.title = answer.failure;
  }
  seen.final_url = answer.final_url.empty() ? std::string(url) : answer.final_url;
  seen.host = HostOf(seen.final_url);
  return seen;
}

std::string PlainText(std::string_view markup) {
  const std::string lower = LowerAscii(markup);
  std::string text;
  bool blank = false;
  for (std::size_t at = 0; at < markup.size(); ++at) {
    if (markup[at] == '<') {
      const std::size_t close = lower.find('>', SkipHiddenElement(lower, at));
      if (close == std::string::npos) break;
      at = close;
      blank = true;  // a tag parts words
      continue;
    }
    if (IsBlank(markup[at])) {
      blank = true;
      continue;
    }
    if (blank && !text.empty()) text += ' ';
    blank = false;
    text += markup[at];
  }
  return text;
}

std::vector<std::string> ElementTexts(std::string_view page,
                                      std::initializer_list<std::string_view> tags) {
  const std::string lower = LowerAscii(page);
  std::vector<std::string> texts;
  for (std::size_t at = lower.find('<'); at != std::string::npos; at = lower.find('<', at + 1)) {
    for (const std::string_view tag : tags) {
      if (!IsStartTag(lower, at, tag)) continue;
      std::size_t begin = 0;
      std::size_t end = 0;
      if (!ElementContent(lower, at, tag, begin, end)) return texts;
      texts.push_back(PlainText(page.substr(begin, end - begin)));
      at = end;
      break;
    }
  }
  return texts;
}

}  // namespace velmora
