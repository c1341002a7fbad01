#include "server/listing_server.h"

#include <chrono>
#include <stdexcept>
#include <string>

#include "listing/harvest_log_table.h"

namespace velmora {

ListingServer::ListingServer() {
  // Recorded before the answer is sent (not in the logger, which runs after
  // it): a client that has its answer always finds its request recorded.
  server_.set_pre_routing_handler(
      [this](const httplib::Request& request, httplib::Response& response) {
        RecordedRequest record;
        record.path = request.path;
        record.target = request.target;
        if (request.has_param("PID")) record.pid = request.get_param_value("PID");
        if (request.has_param("PidBox")) record.pid = request.get_param_value("PidBox");
        record.headers = request.headers;
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(std::move(record));
        return AnswerRetired(request, response) ? httplib::Server::HandlerResponse::Handled
                                                : httplib::Server::HandlerResponse::Unhandled;
      });
}

ListingServer::~ListingServer() { Stop(); }

void ListingServer::Get(const std::string& pattern, Handler handler) {
  server_.Get(pattern, std::move(handler));
}

void ListingServer::ServeListingPages(std::map<std::string, std::string> pages) {
  Get("/mark/details.aspx",
      [pages = std::move(pages)](const httplib::Request& request, httplib::Response& response) {
        const std::string pid = request.get_param_value("PID");
        auto found = pages.find(pid);
        const std::string body = found == pages.end() ? NoBenchmarkPage(pid) : found->second;
        response.set_content(body, "text/html; charset=utf-8");
      });
}

void ListingServer::ServeDatasheetPages(std::map<std::string, std::string> sheets) {
  Get("/cgi-bin/ds_mark.prl",
      [sheets = std::move(sheets)](const httplib::Request& request, httplib::Response& response) {
        const std::string pid = request.get_param_value("PidBox");
        auto found = sheets.find(pid);
        const std::string text = found == sheets.end() ? UnknownPidText(pid) : found->second;
        response.set_content(DatasheetPage(text), "text/html");
      });
}

void ListingServer::RetireAfter(int pages_first, bool redirect) {
  retire_after_ = pages_first;
  retire_redirect_ = redirect;
  Get("/retired", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(RetiredPage(), "text/html; charset=utf-8");
  });
}

bool ListingServer::AnswerRetired(const httplib::Request& request, httplib::Response& response) {
  if (retire_after_ < 0 || request.path == "/retired") return false;
  if (pages_answered_++ < retire_after_) return false;
  if (retire_redirect_) {
    response.set_redirect("/retired");
  } else {
    response.set_content(RetiredPage(), "text/html; charset=utf-8");
  }
  return true;
}

int ListingServer::Start(const std::string& host, int port) {
  host_ = host;
  if (port == 0) {
    port_ = server_.bind_to_any_port(host);
  } else {
    port_ = server_.bind_to_port(host, port) ? port : -1;
  }
  if (port_ <= 0) throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  // The socket already listens; wait until the accept loop runs, so that a
  // Stop right after Start cannot miss it.
  while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return port_;
}

void ListingServer::Stop() {
  if (thread_.joinable()) {
    server_.stop();
    thread_.join();
  }
}

std::string ListingServer::HostAndPort() const {
  return host_ + ":" + std::to_string(port_);
}

std::vector<RecordedRequest> ListingServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string NoBenchmarkPage(const std::string& pid) {
  return "<html><head><title>Benchmark details</title></head><body>\r\n"
         "<div id=\"content\"><h2>Benchmark search</h2>\r\n"
         "<p class=\"warning\">" + std::string(kNoBenchmarkNotice) + " (" + pid + ").</p>\r\n"
         "</div></body></html>\r\n";
}

std::string UnknownPidText(const std::string& pid) {
  return " The PID " + pid + " is not in the database.\r\n";
}

std::string RetiredPage() {
  return "<!DOCTYPE html>\r\n<html><head><title>Benchmark pages retired</title></head><body>\r\n"
         "<h1>Benchmarks have moved</h1>\r\n<p>The benchmark pages were retired in 2023. "
         "Please use the agency's datasheets.</p>\r\n"
         "<p><a href=\"/account/signin?returnUrl=/mark/details.aspx\">Sign in</a></p>\r\n"
         "</body></html>\r\n";
}

std::string DatasheetPage(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c;
    }
  }
  return "<html><head><title>Datasheet</title></head><body>\r\n<pre>\r\n" + escaped +
         "</pre>\r\n</body></html>\r\n";
}

}  // namespace velmora
