// A loopback listing website for the survey that can be told to misbehave:
// before each answer a behaviour sees the PID and how often it was asked for,
// and may answer in its own way (stall, close early, redirect, be busy...).
#ifndef VELMORA_TESTS_FAULTS_SURVEY_SERVER_H
#define VELMORA_TESTS_FAULTS_SURVEY_SERVER_H

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "server/listing_server.h"

namespace velmora::testing {

// Holds stalled answers until the test ends (at most a minute).
class Gate {
 public:
  void Wait();
  void Open();

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
};

class SurveyServer {
 public:
  // Called before the answer to a listing request, `attempt` being 1 for the
  // first request of that PID. Returns true when it has answered itself;
  // false lets the server send the PID's page as usual.
  using Behaviour =
      std::function<bool(const std::string& pid, int attempt, httplib::Response& response)>;

  explicit SurveyServer(Behaviour behaviour = nullptr);
  ~SurveyServer();

  std::string HostAndPort() const { return server_.HostAndPort(); }
  // Listing requests so far, redirected ones included.
  int Requests() const;
  // Lets every stalled answer go.
  Gate& gate() { return gate_; }

  // The PID's page, or the no-benchmark notice, as a good answer.
  static void AnswerPage(const std::string& pid, httplib::Response& response);

 private:
  ListingServer server_;
  Behaviour behaviour_;
  Gate gate_;
  mutable std::mutex mutex_;
  std::map<std::string, int> attempts_;
  int requests_ = 0;
};

// A port on 127.0.0.1 where nobody listens, kept reserved for the object's
// life (a bound socket that never listens), so connections are refused.
class ClosedPort {
 public:
  ClosedPort();
  ~ClosedPort();
  ClosedPort(const ClosedPort&) = delete;
  ClosedPort& operator=(const ClosedPort&) = delete;

  std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  int socket_ = -1;
  int port_ = 0;
};

}  // namespace velmora::testing

#endif
