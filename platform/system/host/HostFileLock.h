#pragma once
// An exclusive lock on a file of the machine, as Windows gives one on a file
// opened without sharing and deleted when closed: other processes wait until
// it is let go, and a process that ends lets go of it.

#include <chrono>
#include <filesystem>
#include <memory>

#include "System.h"

namespace platform {

class HostFileLock : public FileLock {
 public:
  // Null when another process still holds it once the limit has passed, or
  // the file cannot be made.
  static std::unique_ptr<HostFileLock> Acquire(const std::filesystem::path& file,
                                               std::chrono::milliseconds limit);
  ~HostFileLock() override;
  HostFileLock(const HostFileLock&) = delete;
  HostFileLock& operator=(const HostFileLock&) = delete;

 private:
  HostFileLock(std::filesystem::path file, int descriptor)
      : file_(std::move(file)), descriptor_(descriptor) {}

  std::filesystem::path file_;
  int descriptor_;
};

}  // namespace platform
