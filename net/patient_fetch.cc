#include "net/patient_fetch.h"

#include <string>
#include <utility>

#include "core/text.h"
#include "net/random_pause.h"

namespace velmora {
namespace {

constexpr const char* kBusyMarker = "Server Too Busy";
constexpr float kShortWaitSeconds = 10;
constexpr int kAttemptsBeforeLongWait = 4;
constexpr int kLastLongWait = 6;  // give up at a failure after the 7th long wait

constexpr long kFirstErrorStatus = 400;

}  // namespace

std::string AttemptFailure(const PageAnswer& answer) {
  std::string why = answer.failure;
  if (why.empty() && answer.status >= kFirstErrorStatus) {
    why = "HTTP " + std::to_string(answer.status);
  }
  if (why.empty() && answer.body.empty()) why = "empty answer";
  if (Contains(answer.body, kBusyMarker)) {
    if (!why.empty()) why += ' ';
    why += kBusyMarker;
  }
  return why;
}

bool AsksForSignIn(const PageAnswer& answer) {
  switch (answer.status) {
    case 401: case 403: case 407: case 511: return true;
    default: return false;
  }
}

bool IsWall(const PageAnswer& answer) { return answer.too_large || AsksForSignIn(answer); }

std::string FailureCause(const std::string& failure, const std::string& host) {
  if (failure.starts_with("connection ")) return failure + " by " + host;
  if (failure == "could not resolve host") return failure + " " + host;
  if (failure == "timed out") return "timed out waiting for " + host;
  return (failure.empty() ? std::string("no page") : failure) + " from " + host;
}

PageAnswer PatientFetch(const std::string& TheURL, PageSource& pages, const Pacing& pacing) {
  int short_waits = 0;
  int long_waits = 0;
  int long_wait_minutes = 3;
  for (;;) {
    PageAnswer answer = pages.Fetch(TheURL);
    std::string failure = AttemptFailure(answer);
    if (failure.empty() || IsWall(answer)) return answer;
    if (long_waits > kLastLongWait) {
      // Given up: no body, and why the last attempt failed.
      answer.body.clear();
      answer.failure = std::move(failure);
      return answer;
    }

    ++short_waits;
    if (short_waits < kAttemptsBeforeLongWait) {
      RandomPause(kShortWaitSeconds, pacing);
      continue;
    }
    // Several failures in a row: the website is busy; wait longer each time.
    short_waits = 0;
    ++long_wait_minutes;
    RandomPause(static_cast<float>(long_wait_minutes * 60), pacing);
    ++long_waits;
  }
}

}  // namespace velmora
