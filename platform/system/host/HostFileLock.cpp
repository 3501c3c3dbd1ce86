#include "host/HostFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace platform {
namespace {

constexpr std::chrono::milliseconds kRetryPause{5};

// The lock is on the file that is at the path now: a holder that let go
// removed the file another process was waiting on, and that one must try again.
bool StillAtPath(int descriptor, const std::filesystem::path& file) {
  struct stat held {};
  struct stat named {};
  return fstat(descriptor, &held) == 0 && stat(file.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// The descriptor of the locked file, -1 when another holds it, -2 when it
// cannot be made.
int TryLock(const std::filesystem::path& file) {
  const int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) return -2;
  if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && StillAtPath(descriptor, file)) {
    return descriptor;
  }
  close(descriptor);
  return -1;
}

}  // namespace

std::unique_ptr<HostFileLock> HostFileLock::Acquire(const std::filesystem::path& file,
                                                    std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const int descriptor = TryLock(file);
    if (descriptor >= 0) return std::unique_ptr<HostFileLock>(new HostFileLock(file, descriptor));
    if (descriptor == -2 || std::chrono::steady_clock::now() >= deadline) return nullptr;
    std::this_thread::sleep_for(kRetryPause);
  }
}

// Removed while still locked, so that no one locks the name in between.
HostFileLock::~HostFileLock() {
  unlink(file_.c_str());
  close(descriptor_);
}

}  // namespace platform
