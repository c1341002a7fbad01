// A source of logs: where the logs of a benchmark come from, and what a run
// needs to know of it. The front ends build one from the settings
// (sources/make_logs_source.h) and put it in the Run; the scan only ever
// talks to this interface.
#ifndef VELMORA_CORE_LOGS_SOURCE_H
#define VELMORA_CORE_LOGS_SOURCE_H

#include <map>
#include <set>
#include <string>
#include <utility>

namespace velmora {

struct Run;

// The settings of a source that decide what it fetches, e.g. "host", or
// "archive" with "archive-size", as a progress record keeps them.
using SourceSettings = std::map<std::string, std::string>;

// What came where a source's own page was expected: an answer from another
// site (a login wall, a portal, a parked domain).
struct ForeignAnswer {
  long status = 0;        // its HTTP status
  std::string title;      // its title, or its first text
  std::string final_url;  // where it came from, after redirects
  std::string host;       // the host of final_url
};

// The harvest of one PID.
struct HarvestOutcome {
  enum class Kind {
    kLogs,         // `logs` holds the log elements for the log zone
    kNoBenchmark,  // the source knows no benchmark with the PID
    kNoLogs,       // the benchmark has no log
    kNoPage,       // no page could be had (`reason` says why); the run stops
    // The answer is not this source's page (`answered`; `reason` in the
    // source's words: "not a listing page"); the run stops.
    kForeignPage,
  };
  Kind kind = Kind::kNoPage;
  std::string logs;
  std::string reason;
  ForeignAnswer answered;

  static HarvestOutcome Logs(std::string logs) { return {Kind::kLogs, std::move(logs), "", {}}; }
  static HarvestOutcome NoBenchmark() { return {Kind::kNoBenchmark, "", "", {}}; }
  static HarvestOutcome NoLogs() { return {Kind::kNoLogs, "", "", {}}; }
  static HarvestOutcome NoPage(std::string reason) {
    return {Kind::kNoPage, "", std::move(reason), {}};
  }
  static HarvestOutcome Foreign(ForeignAnswer answered, std::string reason) {
    return {Kind::kForeignPage, "", std::move(reason), std::move(answered)};
  }
};

class LogsSource {
 public:
  virtual ~LogsSource() = default;

  // The source's name in a progress record ("listing", "datasheet", ...).
  virtual std::string RecordName() const = 0;
  // The settings it depends on, for the progress record.
  virtual SourceSettings RecordSettings() const = 0;
  // True when the scan pauses between two benchmarks to spare a server.
  virtual bool PausesBetweenBenchmarks() const = 0;
  // The shortest time between two writes of the result file during a scan,
  // in seconds (0: after every benchmark).
  virtual double SecondsBetweenWrites() const = 0;
  // Edits a freshly read document as the source needs it (the listing
  // source points datasheet links at listing pages); the default leaves it.
  virtual void RewriteLinks(std::string& /*document*/) const {}
  // Readies the source for a document that names `pids` (in UTF-8 when
  // `utf8_document`), before anything is written; a source that cannot be
  // used throws here.
  virtual void Prepare(const std::set<std::string>& /*pids*/, bool /*utf8_document*/) {}
  // The logs of one PID. A source that has no page, or another page than its
  // own, shows its own message before it answers kNoPage or kForeignPage.
  virtual HarvestOutcome Harvest(const std::string& pid, Run& run) = 0;
};

}  // namespace velmora

#endif
