// The log harvest under arbitrary page bytes: Quillet with a page source
// that answers every request with the input.
//
// Checked for every input, whatever its bytes:
//   - the outcome is the one the page calls for (no page, no benchmark, no
//     logs, or logs), with the message, flags and fetch count that go with it;
//   - the block is markup-safe: its only "<" and ">" are those of the element
//     texts, every "&" starts an entity of the escaping, no control byte that
//     XML forbids is left, and the ids count 0000001, 0000002, ... in order;
//   - no more elements than row markers on the page (a bound on the loop).
// Checked when the page is valid UTF-8 of XML characters (forbidden control
// bytes aside): the block inside a GPX document is well-formed XML. Every
// other input is harvested a second time with its bad bytes replaced, so the
// well-formedness check runs for every input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/run.h"
#include "core/text.h"
#include "fuzz_checks.h"
#include "listing/harvest_log_table.h"
#include "listing/quillet.h"
#include "tests/support/fakes.h"

namespace velmora::fuzz {
namespace {

constexpr std::size_t kMostFetches = 29;  // the patient fetch's attempts
constexpr std::string_view kElementStart = "\r\n    <groundspeak:log id=\"";
constexpr std::string_view kElementEnd = "\r\n    </groundspeak:log>";
constexpr std::size_t kTagsPerElement = 10;  // "<" (and ">") per element

// Answers every request with the same page and counts the requests.
class SamePageSource : public PageSource {
 public:
  explicit SamePageSource(std::string page) : page_(std::move(page)) {}
  PageAnswer Fetch(const std::string&) override {
    ++fetches;
    Require(fetches <= kMostFetches, "more fetches than the patient fetch allows");
    return {page_, 200, "text/html", ""};
  }
  std::size_t fetches = 0;

 private:
  std::string page_;
};

// The harvest of one page never touches the count.
class UntouchedProgress : public Progress {
 public:
  void SetCount(int) override { Require(false, "the harvest set the progress count"); }
};

bool EveryAmpersandStartsAnEntity(std::string_view block) {
  for (std::size_t at = block.find('&'); at != std::string_view::npos;
       at = block.find('&', at + 1)) {
    const std::string_view rest = block.substr(at);
    bool known = false;
    for (const std::string_view entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"}) {
      known = known || rest.starts_with(entity);
    }
    if (!known) return false;
  }
  return true;
}

bool HasForbiddenControl(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') return true;
  }
  return false;
}

// The element count, after checking the ids and the frame of the block.
std::size_t CheckElements(std::string_view block) {
  const std::size_t elements = CountOf(block, kElementStart);
  Require(elements > 0, "a page with a row marker gave no element");
  Require(block.starts_with(kElementStart), "the block does not start with an element");
  Require(block.ends_with(kElementEnd.substr(2)), "the block does not end with an element");
  Require(CountOf(block, kElementEnd) == elements, "log elements are not closed one for one");
  std::size_t at = 0;
  for (std::size_t n = 1; n <= elements; ++n) {
    at = block.find(kElementStart, at) + kElementStart.size();
    Require(block.substr(at, 9) == LogId(static_cast<int>(n)) + "\">", "log ids out of order");
  }
  return elements;
}

void CheckLogsFound(const std::string& page, const std::string& block) {
  const std::size_t elements = CheckElements(block);
  Require(elements <= CountOf(page, kLogRowMarker), "more elements than row markers");
  Require(CountOf(block, "<") == kTagsPerElement * elements, "a raw \"<\" in a log value");
  Require(CountOf(block, ">") == kTagsPerElement * elements, "a raw \">\" in a log value");
  Require(EveryAmpersandStartsAnEntity(block), "a raw \"&\" in a log value");
  Require(!HasForbiddenControl(block), "a control byte that XML forbids in the block");
  if (IsXmlCharacters(page, true)) {
    Require(IsWellFormedXml(WrapLogBlock(block)), "the log block is not well-formed XML");
  }
}

void HarvestOnce(const std::string& page) {
  RunState state;
  Settings settings;
  settings.pause_scale = 0;  // no pauses
  testing::FakeClock clock;
  testing::FakePump pump(clock);
  SamePageSource pages(page);
  testing::RecordingMessages messages;
  UntouchedProgress progress;
  Run run{state, settings, Edges{pages, clock, pump, messages, progress}};

  using Kind = HarvestOutcome::Kind;
  const HarvestOutcome outcome =
      Quillet("http://www.geocaching.com/mark/details.aspx?PID=KK1523", run);

  Require(pump.calls == 0, "an instant pause let events run");
  const bool usable = !page.empty() && !Contains(page, "Server Too Busy");
  if (!usable) {
    Require(pages.fetches == kMostFetches, "the fetch gave up after the wrong number of tries");
    Require(messages.shown.size() == 1 && messages.shown[0].title == "Cannot Continue",
            "no page without exactly one \"Cannot Continue\"");
    Require(outcome.kind == Kind::kNoPage && outcome.logs.empty(),
            "no page, yet the outcome says otherwise");
    return;
  }
  Require(pages.fetches == 1 && messages.shown.empty(), "a usable page was fetched again");
  Require(outcome.kind != Kind::kNoPage, "a usable page stopped the run");
  if (Contains(page, kNoBenchmarkNotice)) {
    Require(outcome.kind == Kind::kNoBenchmark && outcome.logs.empty(),
            "the no-benchmark notice was not obeyed");
  } else if (!Contains(page, kLogRowMarker)) {
    Require(outcome.kind == Kind::kNoLogs && outcome.logs.empty(),
            "a page without row markers did not report no logs");
  } else {
    Require(outcome.kind == Kind::kLogs, "a page with logs reported no logs");
    CheckLogsFound(page, outcome.logs);
  }
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora::fuzz;
  const std::string page(reinterpret_cast<const char*>(data), size);
  HarvestOnce(page);
  if (!IsXmlCharacters(page, true)) HarvestOnce(MakeXmlCharacters(page));
  return 0;
}
