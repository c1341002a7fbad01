// Fakes for the core's edges: a clock that only moves when the event pump
// runs, a scripted page source, and recorders for messages and progress.
#ifndef VELMORA_TESTS_SUPPORT_FAKES_H
#define VELMORA_TESTS_SUPPORT_FAKES_H

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/edges.h"
#include "core/run.h"
#include "core/run_state.h"
#include "core/settings.h"

namespace velmora::testing {

// Seconds since midnight that wrap at 86400, like the real timer. Rnd()
// returns the queued values in turn, then `default_random`.
class FakeClock : public Clock {
 public:
  explicit FakeClock(double start = 43200.0) : now_(start) {}
  double Timer() override { return now_; }
  void Randomize() override { ++randomize_calls; }
  double Rnd() override;

  void Advance(double seconds);
  // Total seconds that have passed since construction (ignores wrapping).
  double elapsed() const { return elapsed_; }

  std::deque<double> random_values;
  double default_random = 0.5;
  int randomize_calls = 0;

 private:
  double now_;
  double elapsed_ = 0;
};

// Each DoEvents advances the fake clock by `step` seconds.
class FakePump : public EventPump {
 public:
  explicit FakePump(FakeClock& clock, double step = 0.01) : clock_(clock), step_(step) {}
  void DoEvents() override {
    ++calls;
    clock_.Advance(step_);
  }
  int calls = 0;

 private:
  FakeClock& clock_;
  double step_;
};

// Answers each URL from a queue of scripted answers; when a URL's queue is
// empty (or the URL is unknown) it answers `fallback`. Records every request.
class ScriptedPageSource : public PageSource {
 public:
  std::string FetchHTML(const std::string& TheURL) override;
  void Add(const std::string& url, const std::string& answer) { answers[url].push_back(answer); }

  std::map<std::string, std::deque<std::string>> answers;
  std::string fallback;
  std::vector<std::string> requests;
};

class RecordingMessages : public Messages {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  std::vector<std::string> texts() const;
  std::vector<Message> shown;
};

class RecordingProgress : public Progress {
 public:
  void SetCount(int count) override { counts.push_back(count); }
  std::vector<int> counts;
};

// Everything a Run needs, wired together with fakes; pauses run on the fake
// clock (scale 1) unless a test changes settings.pause_scale.
struct FakeRun {
  FakeRun();
  RunState state;
  Settings settings;
  FakeClock clock;
  FakePump pump{clock, 0.05};
  ScriptedPageSource pages;
  RecordingMessages messages;
  RecordingProgress progress;
  Run run;
};

}  // namespace velmora::testing

#endif
