#include "newfile/new_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/text.h"
#include "datasheet/datasheet_archive.h"
#include "datasheet/datasheet_reader.h"
#include "datasheet/datasheet_text.h"
#include "files/create_file.h"
#include "files/file_error.h"
#include "gpx/benchmark_scan.h"
#include "sources/datasheet_web_source.h"
#include "logs/page_charset.h"
#include "net/patient_fetch.h"
#include "net/random_pause.h"

namespace velmora {
namespace {

NewFileReport Report(NewFileOutcome outcome, const NewFileCounts& counts, std::string message) {
  return NewFileReport{outcome, counts, std::move(message)};
}

NewFileReport Exists(const std::string& file) {
  return Report(NewFileOutcome::kExists, {},
                file + " exists already; a new file never replaces one. Nothing was written.");
}

bool PathTaken(const std::string& file) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(file, error));
}

// "3 without a position, 1 destroyed": what the selection took but the file
// could not hold, and why; empty when nothing.
std::string LeftOut(const NewFileCounts& counts) {
  std::string text;
  const auto add = [&text](std::size_t count, const char* why) {
    if (count == 0) return;
    if (!text.empty()) text += ", ";
    text += std::to_string(count) + " " + why;
  };
  add(counts.no_position, "without a position");
  add(counts.destroyed, "destroyed");
  add(counts.not_found, "without a datasheet");
  return text;
}

// Writes the marks into the request's file; refuses when there is none.
NewFileReport WriteMarks(const NewFileRequest& request, MarkCollector& collector) {
  NewFileCounts counts;
  const std::vector<NewMark> marks = collector.Finish(counts);
  if (marks.empty()) {
    const std::string why = LeftOut(counts);
    return Report(NewFileOutcome::kNothingSelected, counts,
                  "No mark matched the selection" + (why.empty() ? "" : " (" + why + ")") +
                      "; nothing was written.");
  }
  const std::string start =
      NewDocumentStart(SelectionTitle(request.selection), request.made_at, marks);
  std::vector<std::string_view> pieces{start};
  for (const NewMark& mark : marks) pieces.insert(pieces.end(), {mark.waypoint, "\r\n"});
  pieces.push_back(NewDocumentEnd());
  try {
    CreateFileWhole(request.file, pieces);
  } catch (const FileError& error) {
    if (error.number() == EEXIST) return Exists(request.file);
    throw;
  }
  counts.marks = marks.size();
  return Report(NewFileOutcome::kWritten, counts, WroteMessage(request.file, counts));
}

// Hands the collector the datasheet of one PID only.
class OnePid : public DatasheetVisitor {
 public:
  OnePid(MarkCollector& collector, std::string_view pid) : collector_(collector), pid_(pid) {}
  bool Wants(std::string_view pid) override { return pid == pid_ && collector_.Wants(pid); }
  void Take(const Datasheet& sheet) override { collector_.Take(sheet); }

 private:
  MarkCollector& collector_;
  std::string_view pid_;
};

// Reads one page into the collector; an empty report when it went well.
std::optional<NewFileReport> TakePage(const PageAnswer& answer, const std::string& pid,
                                      const Settings& settings, MarkCollector& collector) {
  const std::string host = ShortHostName(settings.datasheet_host);
  const bool wall = AsksForSignIn(answer);
  if (answer.body.empty() && !wall) {
    return Report(NewFileOutcome::kNoPage, collector.counts(),
                  "No datasheet page of " + pid + " could be had from " + host + " (" +
                      answer.failure + "); nothing was written.");
  }
  const std::string text = PageToUtf8(answer.body, answer.content_type);
  OnePid visitor(collector, pid);
  DatasheetSplitter splitter(visitor);
  try {
    for (const std::string& line : DatasheetLines(text)) splitter.Line(line);
    splitter.EndSource();
  } catch (const DatasheetTooLarge&) {
    return Report(NewFileOutcome::kDamaged, collector.counts(),
                  DamagedDatasheetMessage(settings, pid) + " Nothing was written.");
  }
  if (!wall && (collector.Seen(pid) || IsAgencyAnswerFor(text, pid))) return std::nullopt;
  return Report(NewFileOutcome::kNotAgencyPage, collector.counts(),
                "The datasheet host " + host + " answered for " + pid +
                    " with a page that is not the agency's datasheet page (status " +
                    std::to_string(answer.status) + "); nothing was written.");
}

}  // namespace

bool MarkCollector::Wants(std::string_view pid) {
  if (poll_) poll_();
  if (seen_.contains(std::string(pid))) return false;
  return selection_.pids.empty() ||
         std::find(selection_.pids.begin(), selection_.pids.end(), pid) != selection_.pids.end();
}

void MarkCollector::Take(const Datasheet& sheet) {
  seen_.emplace(sheet.pid);
  const std::string county =
      selection_.county.empty() ? "" : DatasheetField(sheet.lines, "STATE/COUNTY");
  if (!MatchesPlace(selection_, sheet.pid, county)) return;
  const std::optional<Position> position = DatasheetPosition(sheet.lines);
  double distance = 0;
  // Most marks of an archive are far away: judged before the whole read.
  if (Judge(selection_, position, false, distance) == Verdict::kOut) return;
  const DatasheetFacts facts = ReadDatasheetFacts(sheet.lines, sheet.header);
  switch (Judge(selection_, position, facts.destroyed, distance)) {
    case Verdict::kIn:
      marks_.push_back(NewMark{std::string(sheet.pid), *position, distance,
                               NewWaypoint(sheet.pid, facts, sheet.lines, settings_)});
      break;
    case Verdict::kNoPosition:
      ++counts_.no_position;
      break;
    case Verdict::kDestroyed:
      ++counts_.destroyed;
      break;
    case Verdict::kOut:
      break;
  }
}

std::vector<NewMark> MarkCollector::Finish(NewFileCounts& counts) {
  if (selection_.near) {
    std::stable_sort(marks_.begin(), marks_.end(),
                     [](const NewMark& a, const NewMark& b) { return a.distance < b.distance; });
  }
  counts = counts_;
  for (const std::string& pid : selection_.pids) {
    if (!seen_.contains(pid)) ++counts.not_found;
  }
  return std::move(marks_);
}

NewFileReport MakeNewFileFromArchive(const NewFileRequest& request, const Settings& settings) {
  if (PathTaken(request.file)) return Exists(request.file);
  MarkCollector collector(request.selection, settings, request.poll);
  DatasheetStream stream(collector, true);
  ReadDatasheetFile(request.archive, stream);
  return WriteMarks(request, collector);
}

NewFileReport MakeNewFileFromWeb(const NewFileRequest& request, const Settings& settings,
                                 PageSource& pages, const Pacing& pacing,
                                 const PageProgress& progress) {
  if (PathTaken(request.file)) return Exists(request.file);
  MarkCollector collector(request.selection, settings);
  const std::vector<std::string>& pids = request.selection.pids;
  for (std::size_t i = 0; i < pids.size(); ++i) {
    if (i > 0) RandomPause(ScanPause(Pace::kNormal), pacing);
    if (progress) progress(i + 1, pids.size(), pids[i]);
    const PageAnswer answer = PatientFetch(DatasheetUrl(settings, pids[i]), pages, pacing);
    if (auto stop = TakePage(answer, pids[i], settings, collector)) return *stop;
  }
  return WriteMarks(request, collector);
}

std::string WroteMessage(const std::string& file, const NewFileCounts& counts) {
  const std::string why = LeftOut(counts);
  return "Wrote " + file + ": " + std::to_string(counts.marks) +
         (counts.marks == 1 ? " mark" : " marks") + (why.empty() ? "" : "; " + why);
}

}  // namespace velmora
