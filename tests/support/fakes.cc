#include "tests/support/fakes.h"

#include "sources/make_logs_source.h"

namespace velmora::testing {

double FakeClock::Rnd() {
  if (random_values.empty()) return default_random;
  const double value = random_values.front();
  random_values.pop_front();
  return value;
}

void FakeClock::Advance(double seconds) {
  elapsed_ += seconds;
  now_ += seconds;
  while (now_ >= 86400.0) now_ -= 86400.0;
}

PageAnswer ScriptedPageSource::Fetch(const std::string& TheURL) {
  requests.push_back(TheURL);
  auto found = answers.find(TheURL);
  if (found == answers.end() || found->second.empty()) return OkAnswer(fallback);
  PageAnswer answer = std::move(found->second.front());
  found->second.pop_front();
  return answer;
}

void ScriptedPageSource::AddAnswer(const std::string& url, long status, const std::string& body,
                                   const std::string& content_type) {
  PageAnswer answer{body, status, content_type, ""};
  if (status >= 400) answer.failure = "HTTP " + std::to_string(status);
  else if (body.empty()) answer.failure = "empty answer";
  Add(url, std::move(answer));
}

PageAnswer ScriptedPageSource::OkAnswer(const std::string& body) {
  return PageAnswer{body, 200, "", body.empty() ? "empty answer" : ""};
}

std::vector<std::string> RecordingMessages::texts() const {
  std::vector<std::string> result;
  for (const Message& message : shown) result.push_back(message.text);
  return result;
}

FakeRun::FakeRun()
    : run{state, settings, Edges{pages, clock, pump, messages, progress}} {
  run.source = MakeLogsSource(settings);
}

}  // namespace velmora::testing
