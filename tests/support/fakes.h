// Fakes for the core's edges: a clock that only moves when the event pump
// runs, a scripted page source, and recorders for messages and progress.
#ifndef VELMORA_TESTS_SUPPORT_FAKES_H
#define VELMORA_TESTS_SUPPORT_FAKES_H

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/edges.h"
#include "core/run.h"
#include "core/run_state.h"
#include "core/settings.h"

namespace velmora::testing {

// Seconds since midnight that wrap at 86400, like the real timer. Rnd()
// returns the queued values in turn, then `default_random`. Each reading
// moves the clock on by `tick` afterwards: with a tick, everything timed
// between two readings (a write of a file, say) takes that long.
class FakeClock : public Clock {
 public:
  explicit FakeClock(double start = 43200.0) : now_(start) {}
  double Timer() override {
    const double now = now_;
    Advance(tick);
    return now;
  }
  void Randomize() override { ++randomize_calls; }
  double Rnd() override;
  std::string Today() override { return today; }

  void Advance(double seconds);
  // Total seconds that have passed since construction (ignores wrapping).
  double elapsed() const { return elapsed_; }

  std::deque<double> random_values;
  double default_random = 0.5;
  double tick = 0;
  int randomize_calls = 0;
  std::string today = "2026-06-15";

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

// Stops the run at its n-th poll between benchmarks (0: never), as the
// command line's pump does at Ctrl-C in a run without pauses.
class StoppingPump : public EventPump {
 public:
  explicit StoppingPump(int stop_at) : stop_at_(stop_at) {}
  void DoEvents() override {}
  void Poll() override {
    if (++polls == stop_at_) throw RunStopped{"interrupted"};
  }
  int polls = 0;

 private:
  int stop_at_;
};

// A pump with no events to run and no clock to move (a real clock's run).
struct IdlePump : EventPump {
  void DoEvents() override {}
};

// Answers each URL from a queue of scripted answers; when a URL's queue is
// empty (or the URL is unknown) it answers `fallback`. Records every request.
class ScriptedPageSource : public PageSource {
 public:
  PageAnswer Fetch(const std::string& TheURL) override;
  // A body as a server sends it with status 200 ("empty answer" when empty).
  void Add(const std::string& url, const std::string& body) { Add(url, OkAnswer(body)); }
  void Add(const std::string& url, PageAnswer answer) {
    answers[url].push_back(std::move(answer));
  }
  // An answer with its status and Content-Type ("HTTP <status>" from 400 on).
  void AddAnswer(const std::string& url, long status, const std::string& body,
                 const std::string& content_type = "");
  // No answer at all, for `failure` ("connection refused", "timed out" ...).
  void AddFailure(const std::string& url, const std::string& failure) {
    Add(url, PageAnswer{"", 0, "", failure});
  }
  static PageAnswer OkAnswer(const std::string& body);

  std::map<std::string, std::deque<PageAnswer>> answers;
  std::string fallback;  // its body; answered as OkAnswer(fallback)
  std::vector<std::string> requests;
};

class RecordingMessages : public Messages {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  // Records the question and gives the scripted answer.
  bool Ask(const std::string& question) override {
    asked.push_back(question);
    return answer;
  }
  std::vector<std::string> texts() const;
  std::vector<Message> shown;
  std::vector<std::string> asked;
  bool answer = false;  // the answer to every question
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
