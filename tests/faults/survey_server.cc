#include "tests/faults/survey_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include "tests/faults/survey_fixture.h"

namespace velmora::testing {

void Gate::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  opened_.wait_for(lock, std::chrono::minutes(1), [this] { return open_; });
}

void Gate::Open() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = true;
  opened_.notify_all();
}

void SurveyServer::AnswerPage(const std::string& pid, httplib::Response& response) {
  const auto& pages = RidgeSurvey().pages;
  const auto found = pages.find(pid);
  response.set_content(found == pages.end() ? NoBenchmarkPage(pid) : found->second,
                       "text/html; charset=utf-8");
}

SurveyServer::SurveyServer(Behaviour behaviour) : behaviour_(std::move(behaviour)) {
  server_.Get("/mark/details.aspx", [this](const httplib::Request& request,
                                           httplib::Response& response) {
    const std::string pid = request.get_param_value("PID");
    int attempt = 0;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      attempt = ++attempts_[pid];
      ++requests_;
    }
    if (behaviour_ && behaviour_(pid, attempt, response)) return;
    AnswerPage(pid, response);
  });
  // Where redirects lead: the same pages, always answered well.
  server_.Get("/moved/details.aspx", [](const httplib::Request& request,
                                        httplib::Response& response) {
    AnswerPage(request.get_param_value("PID"), response);
  });
  server_.Start();
}

SurveyServer::~SurveyServer() {
  gate_.Open();
  server_.Stop();
}

int SurveyServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

ClosedPort::ClosedPort() {
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot reserve a loopback port");
  }
  port_ = ntohs(address.sin_port);
}

ClosedPort::~ClosedPort() {
  if (socket_ >= 0) close(socket_);
}

}  // namespace velmora::testing
