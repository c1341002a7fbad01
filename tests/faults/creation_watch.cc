#include "tests/faults/creation_watch.h"

#include <poll.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace velmora::testing {

bool CreationWatch::Available() {
#ifdef __linux__
  return true;
#else
  return false;
#endif
}

CreationWatch::CreationWatch(const std::filesystem::path& folder) {
#ifdef __linux__
  descriptor_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (descriptor_ >= 0 && inotify_add_watch(descriptor_, folder.c_str(), IN_CREATE) < 0) {
    close(descriptor_);
    descriptor_ = -1;
  }
#else
  (void)folder;
#endif
}

CreationWatch::~CreationWatch() {
  if (descriptor_ >= 0) close(descriptor_);
}

bool CreationWatch::WaitFor(int count, std::chrono::milliseconds limit) {
#ifdef __linux__
  const auto end = std::chrono::steady_clock::now() + limit;
  alignas(inotify_event) char buffer[4096];
  while (descriptor_ >= 0 && created_ < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{descriptor_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    const ssize_t length = read(descriptor_, buffer, sizeof buffer);
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if ((event->mask & IN_CREATE) != 0) ++created_;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return created_ >= count;
#else
  (void)count;
  (void)limit;
  return false;
#endif
}

}  // namespace velmora::testing
