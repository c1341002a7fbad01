// velmora-cli against a host that answers every page with another one: a
// notice that the benchmark pages were retired, at once or after a redirect.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "server/listing_server.h"
#include "tests/e2e/e2e_support.h"
#include "tests/support/builders.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace velmora::testing;
using ::testing::HasSubstr;

TEST(RetiredHost, AnotherPageStopsTheRunAtOnceAndWritesNothing) {
  struct Case {
    std::string name;
    std::vector<std::string> arguments;
    bool redirect;
    std::string path, advice, entry;
  };
  const std::string listing = "/mark/details.aspx?PID=AB1234";
  const std::string datasheet = "/cgi-bin/ds_mark.prl?PidBox=AB1234";
  const Case cases[] = {
      {"listing", {"quads.gpx"}, false, listing, "--source datasheet", "not a listing page"},
      {"listing, redirected", {"quads.gpx"}, true, "/retired", "Agency datasheets (web)",
       "not a listing page"},
      {"datasheet", {"--source", "datasheet", "quads.gpx"}, false, datasheet, "--datasheets FILE",
       "not a datasheet page"},
      {"datasheet, redirected", {"--source", "datasheet", "quads.gpx"}, true, "/retired",
       "--datasheets FILE", "not a datasheet page"}};
  const std::string document =
      Gpx11({Waypoint({"AB1234", "MILL 3"}), Waypoint({"AB1235", "TOWER"})});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir folder;
    WriteFileBytes(folder / "quads.gpx", document);
    ListingServer server;
    server.RetireAfter(0, c.redirect);
    server.Start();
    const ProgramResult run = RunCli(folder.path(), c.arguments, server.HostAndPort(),
                                     {{"VELMORA_DATASHEET_HOST", server.HostAndPort()}});
    EXPECT_EQ(run.exit_status, 3) << run.err;
    EXPECT_EQ(server.requests().size(), c.redirect ? 2u : 1u) << "asked for again";
    EXPECT_THAT(run.err, HasSubstr(server.HostAndPort() + " did not answer with "));
    EXPECT_THAT(run.err, HasSubstr("HTTP 200, \"Benchmark pages retired\", from http://" +
                                   server.HostAndPort() + c.path + "."));
    EXPECT_THAT(run.err, HasSubstr(c.advice));
    EXPECT_FALSE(fs::exists(folder / "quads R.gpx"));
    EXPECT_EQ(ReadFileBytes(folder / "quads.gpx"), document);
    EXPECT_THAT(ReadFileBytes(folder / "ErrorLog.txt"),
                HasSubstr("quads.gpx: 0 of 2 benchmarks; stopped: " + c.entry));
  }
}

}  // namespace
}  // namespace velmora
