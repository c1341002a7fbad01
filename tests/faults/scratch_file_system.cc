#include "tests/faults/scratch_file_system.h"

#include <fcntl.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/mount.h>
#endif

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace velmora::testing {

std::unique_ptr<ScratchFileSystem> ScratchFileSystem::Mount(std::size_t bytes,
                                                            std::string& why_not) {
#ifdef __linux__
  if (geteuid() != 0) {
    why_not = "not running as root: mounting a small file system needs root";
    return nullptr;
  }
  std::unique_ptr<ScratchFileSystem> scratch(new ScratchFileSystem());
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (mount("velmora-scratch", scratch->path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
    why_not = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    return nullptr;
  }
  scratch->mounted_ = true;
  return scratch;
#else
  (void)bytes;
  why_not = "mounting a small file system is done on Linux only";
  return nullptr;
#endif
}

ScratchFileSystem::~ScratchFileSystem() {
#ifdef __linux__
  if (mounted_) umount2(path().c_str(), MNT_DETACH);
#endif
}

void ScratchFileSystem::MakeReadOnly() {
#ifdef __linux__
  if (mount(nullptr, path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0) return;
  throw std::runtime_error(std::string("cannot remount read-only: ") + std::strerror(errno));
#endif
}

void ScratchFileSystem::Fill() {
  const std::string filler = (path() / "filler").string();
  const int file = open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (file < 0) throw std::runtime_error("cannot create " + filler);
  const std::vector<char> block(4096, 'x');
  std::size_t size = block.size();
  // Large pieces first, then smaller ones for what is left of the last page.
  while (size > 0) {
    const ssize_t written = write(file, block.data(), size);
    if (written < 0 && errno != ENOSPC) {
      close(file);
      throw std::runtime_error(std::string("filling: ") + std::strerror(errno));
    }
    if (written <= 0) size /= 2;
  }
  fsync(file);
  close(file);
}

}  // namespace velmora::testing
