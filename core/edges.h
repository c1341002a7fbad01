// The core's edges: the small interfaces through which the core reaches the
// outside world. The Qt window, the command line and the tests each plug in
// their own implementations.
#ifndef VELMORA_CORE_EDGES_H
#define VELMORA_CORE_EDGES_H

#include <string>

namespace velmora {

// What came back for one URL.
struct PageAnswer {
  std::string body;          // byte for byte; empty when nothing usable came
  long status = 0;           // the HTTP status; 0 when no answer came
  std::string content_type;  // the answer's Content-Type header, as sent
  // Empty, or why nothing usable came, in words for a user: "connection
  // refused", "timed out", "HTTP 404", "empty answer", "could not resolve
  // host", "answer larger than 16 MB" ...
  std::string failure;
  // The address the answer came from, after redirects; empty when none came.
  std::string final_url{};
  // The body grew past the most an answer may hold and was read no further
  // (the body is then empty and `failure` says so).
  bool too_large = false;
};

// The answers for URLs.
class PageSource {
 public:
  virtual ~PageSource() = default;
  virtual PageAnswer Fetch(const std::string& TheURL) = 0;
  // The body alone: the empty text when nothing came.
  std::string FetchHTML(const std::string& TheURL) { return Fetch(TheURL).body; }
};

// Seconds since local midnight, with a fractional part, and random numbers.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Timer() = 0;
  // Re-seed the generator from the clock (done at every pause).
  virtual void Randomize() = 0;
  // A uniform number r with 0 <= r < 1.
  virtual double Rnd() = 0;
  // The local day of today, "YYYY-MM-DD".
  virtual std::string Today() = 0;
};

// Lets pending window events run. May block briefly to yield the processor.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void DoEvents() = 0;
  // A wait of `seconds` begins (a pause or a retry wait), during which
  // DoEvents is called until it ends; for front ends that show the wait.
  virtual void WaitBegins(double /*seconds*/) {}
  // Called once per benchmark, also in runs that make no pauses (the
  // datasheet file): lets a close or a stop the user asked for be noticed.
  // Never blocks.
  virtual void Poll() {}
  // The user has asked the run to stop (closed its window): from now on
  // StopAsked is true.
  virtual void AskStop() {}
  // True once the user has asked the run to stop; may let pending events run
  // first, never blocks. A wait then ends at once; a download in progress
  // that asks it (DownloadOptions::should_abort) is abandoned.
  virtual bool StopAsked() { return false; }
};

enum class MessageIcon { kNone, kInformation, kWarning, kError };

struct Message {
  std::string text;
  std::string title;  // empty: the application title
  MessageIcon icon = MessageIcon::kNone;
  // A report file the message offers to show (a "Show report" button in the
  // windows); empty: none.
  std::string report_file{};
};

// Shows one message and waits until the user has dismissed it; asks a
// Yes/No question the same way.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const Message& message) = 0;
  // True for Yes. A front end that cannot ask answers No.
  virtual bool Ask(const std::string& /*question*/) { return false; }
};

// The count of completed benchmarks (the main window's txtCachesProcessed).
// Setting it is a use of the main window: a front end whose window has
// closed ends the program here (by throwing its own exception, which the
// core lets pass).
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetCount(int count) = 0;
  // A waypoint without a log zone (no benchmark) was passed over; `name` is
  // the text of its first <name>, empty when it has none.
  virtual void PassedOver(const std::string& /*name*/) {}
};

// A Progress that ignores every count: for a front end with nobody watching
// the count besides its own display.
class NoProgress : public Progress {
 public:
  void SetCount(int) override {}
};

// The five edges together: what a run reaches the world through. Front ends,
// benchmarks and tests build one value from their own implementations.
struct Edges {
  PageSource& pages;
  Clock& clock;
  EventPump& pump;
  Messages& messages;
  Progress& progress;
};

// How waits are made: the clock, the event pump and a scale that multiplies
// every pause (1 normally; 0 makes pauses instant, for tests and demos).
// Built from a run's edges and settings (Run::pacing).
struct Pacing {
  Clock& clock;
  EventPump& pump;
  double scale = 1.0;
};

}  // namespace velmora

#endif
