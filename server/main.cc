// velmora-demo-server: serves a folder of listing pages on 127.0.0.1, in
// place of the listing website, for the demo. Each FOLDER/PID.html answers
// /mark/details.aspx?PID=PID; any other PID gets the website's no-benchmark
// notice. Prints the port on standard output and serves until interrupted.
// With --retire-after N (and --redirect), it answers as a host whose benchmark
// pages are gone once N pages have been served.
#include <csignal>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#endif

#include "server/listing_server.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> ReadListingPages(const fs::path& folder) {
  std::map<std::string, std::string> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".html") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    pages[entry.path().stem().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return pages;
}

int Usage() {
  std::cerr << "Usage: velmora-demo-server [--retire-after N [--redirect]] FOLDER [PORT]\n"
               "Serves FOLDER/PID.html as the listing page of PID on 127.0.0.1:PORT\n"
               "(a free port when PORT is 0 or left out), prints the port on standard\n"
               "output, and serves until it gets SIGINT or SIGTERM. With --retire-after N,\n"
               "every request after the first N gets a page saying that the benchmark\n"
               "pages were retired (after a redirect, with --redirect).\n";
  return 2;
}

struct Retirement {
  int after = -1;  // -1: never
  bool redirect = false;
};

// Takes the leading options off `arguments`; false for a wrong one.
bool TakeOptions(std::vector<std::string>& arguments, Retirement& retirement) {
  while (!arguments.empty() && arguments.front().starts_with("--")) {
    const std::string option = arguments.front();
    arguments.erase(arguments.begin());
    if (option == "--redirect") {
      retirement.redirect = true;
    } else if (option == "--retire-after" && !arguments.empty()) {
      retirement.after = std::atoi(arguments.front().c_str());
      arguments.erase(arguments.begin());
      if (retirement.after < 0) return false;
    } else {
      return false;
    }
  }
  return retirement.after >= 0 || !retirement.redirect;
}

#ifdef _WIN32
void WaitForStop() {
  std::cerr << "Press Enter to stop.\n";
  std::cin.get();
}
#else
// Signals are blocked in every thread (the server's inherits the mask) and
// taken here, so that a stop request always reaches this thread.
sigset_t BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signals;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  Retirement retirement;
  if (!TakeOptions(arguments, retirement) || arguments.empty() || arguments.size() > 2) {
    return Usage();
  }
  const fs::path folder = arguments[0];
  const int port = arguments.size() == 2 ? std::atoi(arguments[1].c_str()) : 0;
  if (!fs::is_directory(folder) || port < 0 || port > 65535) return Usage();
  try {
#ifndef _WIN32
    const sigset_t signals = BlockStopSignals();
#endif
    const std::map<std::string, std::string> pages = ReadListingPages(folder);
    velmora::ListingServer server;
    server.ServeListingPages(pages);
    if (retirement.after >= 0) server.RetireAfter(retirement.after, retirement.redirect);
    const int bound = server.Start("127.0.0.1", port);
    std::cout << bound << std::endl;
    std::cerr << "velmora-demo-server: " << pages.size() << " listing pages from " << folder.string()
              << " on http://127.0.0.1:" << bound << "/mark/details.aspx?PID=...\n";
#ifdef _WIN32
    WaitForStop();
#else
    int received = 0;
    sigwait(&signals, &received);
#endif
    server.Stop();
  } catch (const std::exception& error) {
    std::cerr << "velmora-demo-server: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
