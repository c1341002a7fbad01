// The listing website's benchmark pages as a source of logs: one page per
// benchmark, fetched patiently with pauses between benchmarks.
#ifndef VELMORA_SOURCES_LISTING_SOURCE_H
#define VELMORA_SOURCES_LISTING_SOURCE_H

#include <string>

#include "core/logs_source.h"
#include "core/settings.h"

namespace velmora {

// "http://" + listing host + "/mark/details.aspx?PID=".
std::string ListingUrlPrefix(const Settings& settings);

// "http://" + listing host + "/mark/details.aspx?PID", without "=": the "="
// that follows "PidBox" in a datasheet link stays and follows "PID".
std::string ListingLinkPrefix(const Settings& settings);

// Replaces every datasheet prefix (DatasheetPrefix) in `document` by the
// listing prefix (exact, case-sensitive, left to right; replaced text is not
// searched again). A document without datasheet links is not copied.
void RewriteDatasheetLinks(std::string& document, const Settings& settings);

// The message that stops a run at an answer that is not the listing page of
// `pid`: the listing host, what it answered and the source that works.
std::string NotListingPageMessage(const Settings& settings, const std::string& pid,
                                  const ForeignAnswer& answered);

class ListingSource : public LogsSource {
 public:
  explicit ListingSource(const Settings& settings) : settings_(settings) {}
  std::string RecordName() const override { return "listing"; }
  SourceSettings RecordSettings() const override { return {{"host", settings_.listing_host}}; }
  bool PausesBetweenBenchmarks() const override { return true; }
  double SecondsBetweenWrites() const override { return 0.0; }
  // Points the document's datasheet links at the listing pages.
  void RewriteLinks(std::string& document) const override;
  // Another page than the listing page of `pid` (Quillet): "Cannot Continue"
  // (NotListingPageMessage).
  HarvestOutcome Harvest(const std::string& pid, Run& run) override;

 private:
  const Settings& settings_;
};

}  // namespace velmora

#endif
