// The survey file that the fault tests run velmora-cli over: ten benchmark
// waypoints of a GPX 1.1 export (CR LF line ends) and the listing pages the
// website holds for them, among them one unknown PID and one page without logs.
#ifndef VELMORA_TESTS_FAULTS_SURVEY_FIXTURE_H
#define VELMORA_TESTS_FAULTS_SURVEY_FIXTURE_H

#include <map>
#include <string>
#include <vector>

namespace velmora::testing {

inline constexpr const char* kSurveyFile = "ridge.gpx";
inline constexpr const char* kSurveyResultFile = "ridge R.gpx";

struct Survey {
  std::string document;                      // the input file's bytes
  std::vector<std::string> pids;             // in document order; one fetch each
  std::map<std::string, std::string> pages;  // by PID; a PID without a page is unknown
};

const Survey& RidgeSurvey();

// The survey's document with `datasheet_lines` lines of datasheet text in
// every waypoint (RidgeSurvey has 30): a large one makes each write of the
// result file take long enough to be hit by a kill.
std::string SurveyDocument(int datasheet_lines);

// A listing page in the website's markup with `log_count` logs (none: a page
// without logs).
std::string SurveyListingPage(const std::string& pid, int log_count);

}  // namespace velmora::testing

#endif
