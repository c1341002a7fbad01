// A small tmpfs of a test's own, for disk faults that need a real file
// system: mounted on a fresh folder, made read-only or filled up on demand,
// unmounted at the end. Only root on Linux can have one.
#ifndef VELMORA_TESTS_FAULTS_SCRATCH_FILE_SYSTEM_H
#define VELMORA_TESTS_FAULTS_SCRATCH_FILE_SYSTEM_H

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/temp_dir.h"

namespace velmora::testing {

class ScratchFileSystem {
 public:
  // Mounts a tmpfs of `bytes`; nullptr, with the reason in `why_not`, when
  // this process cannot mount one.
  static std::unique_ptr<ScratchFileSystem> Mount(std::size_t bytes, std::string& why_not);
  ~ScratchFileSystem();
  ScratchFileSystem(const ScratchFileSystem&) = delete;
  ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

  const std::filesystem::path& path() const { return folder_.path(); }

  // Mounts it again read-only; throws std::runtime_error when that fails.
  void MakeReadOnly();

  // Takes every free byte with the file "filler", so that the next write fails.
  void Fill();

 private:
  ScratchFileSystem() = default;
  TempDir folder_;
  bool mounted_ = false;
};

}  // namespace velmora::testing

#endif
