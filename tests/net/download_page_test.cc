#include "net/download_page.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "net/curl_page_source.h"
#include "server/listing_server.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

// Every byte value in turn, `size` bytes long: NUL, controls and bytes above
// 127 included.
std::string PatternBody(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 256) % 256);
  return body;
}

void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value == nullptr ? "" : value);
#else
  if (value == nullptr) unsetenv(name); else setenv(name, value, 1);
#endif
}

// Blocks the server's handlers until the test lets them go, so that a
// stalled answer stays stalled as long as the client waits.
class Gate {
 public:
  void Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    open_cv_.wait_for(lock, 30s, [this] { return open_; });
  }
  bool IsOpen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_;
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    open_cv_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable open_cv_;
  bool open_ = false;
};

class DownloadPageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A proxy configured on the machine must not stand between the tests and
    // their own loopback server.
    SetEnvironment("no_proxy", "127.0.0.1,localhost");
  }
  void TearDown() override { gate_.Open(); }

  std::string Url(const std::string& target) const {
    return "http://" + server_.HostAndPort() + target;
  }
  void Start() { server_.Start(); }

  ListingServer server_;
  Gate gate_;
};

TEST_F(DownloadPageTest, SendsTheAgentAndNoCacheHeadersAndNoAcceptEncoding) {
  server_.Get("/page", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("<html>page</html>", "text/html");
  });
  Start();
  EXPECT_EQ(DownloadPage(Url("/page")), "<html>page</html>");

  const auto requests = server_.requests();
  ASSERT_EQ(requests.size(), 1u);
  const httplib::Headers& headers = requests[0].headers;
  auto header = [&](const char* name) {
    auto found = headers.find(name);
    return found == headers.end() ? std::string("(absent)") : found->second;
  };
  EXPECT_EQ(header("User-Agent"), "VB Project");
  EXPECT_EQ(header("Cache-Control"), "no-cache");
  EXPECT_EQ(header("Pragma"), "no-cache");
  EXPECT_EQ(headers.count("Accept-Encoding"), 0u);
}

TEST_F(DownloadPageTest, BodiesComeBackByteForByte) {
  server_.Get(R"(/bytes/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(PatternBody(std::stoul(request.matches[1])), "application/octet-stream");
  });
  server_.Get("/utf8", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("Stra\xC3\x9F" "e \xE2\x80\x93 \xFF\xFE\r\n", "text/html; charset=utf-8");
  });
  // Pieces of odd sizes, sent with chunked transfer encoding.
  server_.Get("/chunked", [](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider(
        "text/plain", [body = PatternBody(5000)](size_t offset, httplib::DataSink& sink) {
          if (offset >= body.size()) {
            sink.done();
            return true;
          }
          sink.write(body.data() + offset, std::min<size_t>(777, body.size() - offset));
          return true;
        });
  });
  Start();
  for (size_t size : {0u, 1u, 2047u, 2048u, 2049u, 5000u, 300000u}) {
    SCOPED_TRACE(size);
    const std::string text = DownloadPage(Url("/bytes/" + std::to_string(size)));
    EXPECT_EQ(text.size(), size);
    EXPECT_TRUE(text == PatternBody(size));
  }
  EXPECT_EQ(DownloadPage(Url("/utf8")), "Stra\xC3\x9F" "e \xE2\x80\x93 \xFF\xFE\r\n");
  EXPECT_TRUE(DownloadPage(Url("/chunked")) == PatternBody(5000));
  EXPECT_EQ(CurlPageSource().FetchHTML(Url("/bytes/2048")), PatternBody(2048));
}

TEST_F(DownloadPageTest, ErrorStatusesGiveTheirBodies) {
  server_.Get("/busy", [](const httplib::Request&, httplib::Response& response) {
    response.status = 503;
    response.set_content("<html><h1>Server Too Busy</h1></html>", "text/html");
  });
  server_.Get("/gone", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("no such page", "text/plain");
  });
  Start();
  EXPECT_EQ(DownloadPage(Url("/busy")), "<html><h1>Server Too Busy</h1></html>");
  EXPECT_EQ(DownloadPage(Url("/gone")), "no such page");
}

TEST_F(DownloadPageTest, TheAnswerCarriesStatusContentTypeAndWhyItFailed) {
  server_.Get("/gone", [](const httplib::Request&, httplib::Response& response) {
    response.status = 404;
    response.set_content("no such page", "text/plain");
  });
  server_.Get("/latin", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("Ren\xE9", "text/html; charset=ISO-8859-1");
  });
  server_.Get("/nothing", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("", "text/html");
  });
  Start();
  const PageAnswer gone = DownloadAnswer(Url("/gone"));
  EXPECT_EQ(gone.status, 404);
  EXPECT_EQ(gone.body, "no such page");
  EXPECT_EQ(gone.failure, "HTTP 404");
  const PageAnswer latin = CurlPageSource().Fetch(Url("/latin"));
  EXPECT_EQ(latin.status, 200);
  EXPECT_EQ(latin.content_type, "text/html; charset=ISO-8859-1");
  EXPECT_EQ(latin.body, "Ren\xE9");
  EXPECT_EQ(latin.failure, "");
  EXPECT_EQ(DownloadAnswer(Url("/nothing")).failure, "empty answer");
  const std::string dead_url = Url("/page");
  server_.Stop();
  const PageAnswer refused = DownloadAnswer(dead_url);
  EXPECT_EQ(refused.status, 0);
  EXPECT_EQ(refused.failure, "connection refused");
  EXPECT_EQ(DownloadAnswer("file:///etc/hostname").failure, "not a web address");
}

TEST_F(DownloadPageTest, FollowsRedirects) {
  server_.Get("/old", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/moved", 301);
  });
  server_.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/new?PID=AB1234", 302);
  });
  server_.Get("/new", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content("landed " + request.get_param_value("PID"), "text/plain");
  });
  Start();
  EXPECT_EQ(DownloadPage(Url("/old")), "landed AB1234");
  EXPECT_EQ(server_.requests().size(), 3u);
  EXPECT_EQ(DownloadAnswer(Url("/old")).final_url, Url("/new?PID=AB1234"));
}

TEST_F(DownloadPageTest, AnAnswerOverSixteenMegabytesIsReadNoFurther) {
  const std::string piece(64 * 1024, 'x');
  server_.Get("/endless", [piece](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("text/html", [piece](size_t, httplib::DataSink& sink) {
      return sink.write(piece.data(), piece.size());  // no length announced, and no end
    });
  });
  server_.Get(R"(/sized/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(std::string(std::stoul(request.matches[1]), 'y'), "text/html");
  });
  Start();
  for (const std::size_t size : {std::size_t{0}, kMaxAnswerBytes + 1, kMaxAnswerBytes}) {
    const PageAnswer answer =
        DownloadAnswer(Url(size ? "/sized/" + std::to_string(size) : "/endless"));
    EXPECT_EQ(answer.too_large, size != kMaxAnswerBytes) << size;
    EXPECT_EQ(answer.body.size(), size == kMaxAnswerBytes ? size : 0) << size;
    EXPECT_EQ(answer.failure, size == kMaxAnswerBytes ? "" : "answer larger than 16 MB") << size;
  }
}

TEST_F(DownloadPageTest, EncodesCharactersThatCannotStandInAUrl) {
  server_.Get("/mark/details.aspx", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content("PID=" + request.get_param_value("PID"), "text/plain");
  });
  Start();
  EXPECT_EQ(DownloadPage(Url("/mark/details.aspx?PID=MY MARK \"<\xC3\xA9>\"")),
            "PID=MY MARK \"<\xC3\xA9>\"");
  ASSERT_EQ(server_.requests().size(), 1u);
  EXPECT_EQ(server_.requests()[0].target,
            "/mark/details.aspx?PID=MY%20MARK%20%22%3C%C3%A9%3E%22");
}

TEST_F(DownloadPageTest, NothingToReachGivesTheEmptyText) {
  Start();
  const std::string dead_url = Url("/page");
  server_.Stop();  // nobody listens on that port any more
  EXPECT_EQ(DownloadPage(dead_url), "");
  EXPECT_EQ(DownloadPage("http://"), "");
  EXPECT_EQ(DownloadPage("not a url at all"), "");
  EXPECT_EQ(DownloadPage(""), "");
}

TEST_F(DownloadPageTest, OnlyWebAddressesAreFetched) {
  // A local file is never read, however the address got into the document.
  EXPECT_EQ(DownloadPage("file:///etc/hostname"), "");
  EXPECT_EQ(DownloadPage("file:///proc/self/status"), "");
}

TEST_F(DownloadPageTest, ABodyCutShortGivesTheEmptyText) {
  const std::string body = PatternBody(5000);
  // Announces 5000 bytes, sends 1000 and closes the connection.
  server_.Get("/short", [body](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(body.size(), "text/html",
                                  [body](size_t offset, size_t, httplib::DataSink& sink) {
                                    if (offset > 0) return false;
                                    sink.write(body.data(), 1000);
                                    return true;
                                  });
  });
  // Chunked: sends two pieces, then closes without the closing piece.
  server_.Get("/unfinished", [body](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("text/html", [body](size_t offset, httplib::DataSink& sink) {
      if (offset >= 2000) return false;
      sink.write(body.data() + offset, 1000);
      return true;
    });
  });
  Start();
  EXPECT_EQ(DownloadPage(Url("/short")).size(), 0u);
  EXPECT_EQ(DownloadPage(Url("/unfinished")).size(), 0u);
}

TEST_F(DownloadPageTest, AStalledServerIsAbandoned) {
  // Sends the headers and a little of the body, then nothing.
  server_.Get("/stall", [this](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(5000, "text/html",
                                  [this](size_t offset, size_t, httplib::DataSink& sink) {
                                    if (offset > 0) {
                                      gate_.Wait();
                                      return false;
                                    }
                                    sink.write("<html>", 6);
                                    return true;
                                  });
  });
  // Accepts the connection and never answers.
  server_.Get("/silent", [this](const httplib::Request&, httplib::Response& response) {
    gate_.Wait();
    response.set_content("too late", "text/plain");
  });
  Start();
  DownloadOptions impatient;
  impatient.low_speed_time = 1s;
  EXPECT_EQ(DownloadPage(Url("/silent"), impatient), "");
  // libcurl averages the speed over a few seconds; demanding more than the
  // handful of bytes that came makes the stall count at once.
  impatient.low_speed_limit = 100000;
  EXPECT_EQ(DownloadPage(Url("/stall"), impatient), "");
}

TEST_F(DownloadPageTest, TheTimeOutSettingBoundsAWholeAttempt) {
  // Two bytes every half second for 20 s: never slow enough to count as silence.
  server_.Get("/trickle", [this](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("text/html", [this](size_t sent, httplib::DataSink& sink) {
      std::this_thread::sleep_for(500ms);
      if (sent >= 80) sink.done();
      return !gate_.IsOpen() && (sent >= 80 || sink.write("..", 2));
    });
  });
  Start();
  Settings settings;
  settings.download_timeout_seconds = 2;
  const PageAnswer answer = DownloadAnswer(Url("/trickle"), DownloadOptionsFor(settings));
  EXPECT_EQ(answer.failure, "timed out");
  EXPECT_EQ(answer.body, "");
}

TEST_F(DownloadPageTest, UsesTheProxyOfTheEnvironment) {
  // The loopback server plays the proxy: it gets the whole address of a host
  // that is never looked up.
  server_.Get(".*", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content("proxied " + request.target, "text/plain");
  });
  Start();
  SetEnvironment("http_proxy", ("http://" + server_.HostAndPort()).c_str());
  const std::string text = DownloadPage("http://listing.invalid/mark/details.aspx?PID=AB1234");
  SetEnvironment("http_proxy", nullptr);
  EXPECT_EQ(text, "proxied http://listing.invalid/mark/details.aspx?PID=AB1234");
}

}  // namespace
}  // namespace velmora
