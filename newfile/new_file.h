// Making a new GPX file of the marks a selection takes from the agency's
// datasheets: out of a datasheet file in one streaming pass, or page by page
// from the datasheet host. Nothing is written unless every datasheet could be
// had, and an existing file is never replaced.
#ifndef VELMORA_NEWFILE_NEW_FILE_H
#define VELMORA_NEWFILE_NEW_FILE_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/edges.h"
#include "core/settings.h"
#include "datasheet/datasheet_stream.h"
#include "newfile/mark_selection.h"
#include "newfile/new_gpx.h"

namespace velmora {

struct NewFileRequest {
  std::string file;     // the GPX file to make
  std::string archive;  // the datasheet file to read; empty: the datasheet host
  MarkSelection selection;
  std::string made_at;  // the time of making, "2026-09-12T21:41:43Z"
  // Called once per datasheet read (and page asked for); may throw to stop.
  std::function<void()> poll{};
};

// The marks written and those the selection took but the file could not.
struct NewFileCounts {
  std::size_t marks = 0;
  std::size_t no_position = 0;
  std::size_t destroyed = 0;
  std::size_t not_found = 0;  // PIDs of the list with no datasheet
};

enum class NewFileOutcome {
  kWritten,
  kExists,           // FILE exists: refused
  kNothingSelected,  // no mark to write
  kNoPage,           // a datasheet page could not be had
  kNotAgencyPage,    // the datasheet host answered something else
  kDamaged,          // a datasheet page over 1 MB
};

struct NewFileReport {
  NewFileOutcome outcome = NewFileOutcome::kNothingSelected;
  NewFileCounts counts;
  std::string message;  // for the user; names the file as the request does
};

// Takes the marks of a selection out of whole datasheets handed to it (by a
// DatasheetStream, or page by page); only the first datasheet of a PID
// counts.
class MarkCollector : public DatasheetVisitor {
 public:
  MarkCollector(const MarkSelection& selection, const Settings& settings,
                std::function<void()> poll = {})
      : selection_(selection), settings_(settings), poll_(std::move(poll)) {}

  bool Wants(std::string_view pid) override;
  void Take(const Datasheet& sheet) override;
  bool Seen(const std::string& pid) const { return seen_.contains(pid); }

  // The marks in the file's order: nearest first with --near (equal
  // distances in the order they came), else the order they came in; the
  // counts get the list's PIDs without a datasheet.
  std::vector<NewMark> Finish(NewFileCounts& counts);
  const NewFileCounts& counts() const { return counts_; }

 private:
  const MarkSelection& selection_;
  const Settings& settings_;
  std::function<void()> poll_;
  std::unordered_set<std::string> seen_;
  std::vector<NewMark> marks_;
  NewFileCounts counts_;
};

// From the datasheet file of the request, without the network. Throws
// DatasheetArchiveError (a file that cannot be used) and FileError.
NewFileReport MakeNewFileFromArchive(const NewFileRequest& request, const Settings& settings);

// Called before each page is asked for: its number from 1, the count, the PID.
using PageProgress = std::function<void(std::size_t, std::size_t, const std::string&)>;

// From the datasheet host, one page per PID of the selection's list through
// the patient fetch, with the pause between benchmarks (at the settings'
// pause scale). Throws FileError.
NewFileReport MakeNewFileFromWeb(const NewFileRequest& request, const Settings& settings,
                                 PageSource& pages, const Pacing& pacing,
                                 const PageProgress& progress = {});

// "Wrote near.gpx: 12 marks; 3 without a position, 1 destroyed".
std::string WroteMessage(const std::string& file, const NewFileCounts& counts);

}  // namespace velmora

#endif
