// Writes a trip planner's GPX file of benchmarks with logs, as a run leaves
// it, for the report benchmark and the README's screenshot:
// make_trip_file MARKS FILE.gpx
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "bench/bench_support.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) < 1) {
    std::cerr << "usage: make_trip_file MARKS FILE.gpx\n";
    return 2;
  }
  std::ofstream(argv[2], std::ios::binary) << velmora::bench::TripDocument(std::atoi(argv[1]));
  return 0;
}
