// Notice of files being created in a folder (inotify), so that a kill can be
// aimed at the moments when the program under test writes a file. Linux only;
// elsewhere it never reports anything.
#ifndef VELMORA_TESTS_FAULTS_CREATION_WATCH_H
#define VELMORA_TESTS_FAULTS_CREATION_WATCH_H

#include <chrono>
#include <filesystem>

namespace velmora::testing {

class CreationWatch {
 public:
  // Starts watching `folder`; files created before this are not counted.
  explicit CreationWatch(const std::filesystem::path& folder);
  ~CreationWatch();
  CreationWatch(const CreationWatch&) = delete;
  CreationWatch& operator=(const CreationWatch&) = delete;

  // True once `count` files have been created in the folder since the watch
  // began; false when that does not happen within `limit`.
  bool WaitFor(int count, std::chrono::milliseconds limit);

  // False where watching is not available.
  static bool Available();

 private:
  int descriptor_ = -1;
  int created_ = 0;
};

}  // namespace velmora::testing

#endif
