// A small HTTP server on the loopback interface that stands in for the
// listing website (and the agency's datasheet pages): the tests script its answers, and the demo serves a folder
// of listing pages with it.
#ifndef VELMORA_SERVER_LISTING_SERVER_H
#define VELMORA_SERVER_LISTING_SERVER_H

#include <httplib.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora {

struct RecordedRequest {
  std::string path;    // without the query
  std::string target;  // path and query as sent
  std::string pid;     // the PID (or PidBox) query parameter, when there is one
  httplib::Headers headers;
};

class ListingServer {
 public:
  using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

  ListingServer();
  ~ListingServer();
  ListingServer(const ListingServer&) = delete;
  ListingServer& operator=(const ListingServer&) = delete;

  // Register a handler for GET requests whose path matches `pattern` (a
  // regular expression, as httplib takes it). Call before Start.
  void Get(const std::string& pattern, Handler handler);

  // Serve listing pages: "/mark/details.aspx?PID=X" answers pages[X], and a
  // PID without a page answers the website's no-benchmark notice.
  void ServeListingPages(std::map<std::string, std::string> pages);

  // Serve the agency's datasheets: "/cgi-bin/ds_mark.prl?PidBox=X" answers
  // sheets[X] (datasheet text) wrapped as the agency's page (DatasheetPage),
  // and a PID without a datasheet a page that holds none.
  void ServeDatasheetPages(std::map<std::string, std::string> sheets);

  // Stand in for a host whose benchmark pages are gone: once `pages_first`
  // requests for listing or datasheet pages have been answered, every later
  // request is answered with a 200 page that says the pages were retired
  // (RetiredPage), after a redirect to "/retired" when `redirect` is set.
  // Call before Start.
  void RetireAfter(int pages_first, bool redirect);

  // Start listening on host:port (port 0: a free port) in a thread of its
  // own. Returns the port; throws std::runtime_error when it cannot bind.
  int Start(const std::string& host = "127.0.0.1", int port = 0);
  void Stop();

  int port() const { return port_; }
  // "127.0.0.1:PORT", the form the listing-host setting takes.
  std::string HostAndPort() const;
  std::vector<RecordedRequest> requests() const;

  httplib::Server& http() { return server_; }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::string host_;
  mutable std::mutex mutex_;
  // Answers `request` as a retired host when RetireAfter says so (under
  // mutex_); false when the routes answer it.
  bool AnswerRetired(const httplib::Request& request, httplib::Response& response);

  std::vector<RecordedRequest> requests_;
  int retire_after_ = -1;  // -1: never retired
  bool retire_redirect_ = false;
  int pages_answered_ = 0;
};

// The answer the listing website gives for an unknown PID.
std::string NoBenchmarkPage(const std::string& pid);

// The agency's text for a PID it does not know (no datasheet lines).
std::string UnknownPidText(const std::string& pid);

// The page of a host whose benchmark pages were retired: a notice, no PID.
std::string RetiredPage();

// Datasheet text as the agency serves it: in a <pre> block of an HTML page,
// with "&", "<" and ">" written as entities.
std::string DatasheetPage(const std::string& text);

}  // namespace velmora

#endif
