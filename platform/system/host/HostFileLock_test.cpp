#include "host/HostFileLock.h"

#include <gtest/gtest.h>

#include <thread>

#include "TempFolder.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using testsupport::TempFolder;

TEST(HostFileLockTest, OneHolderAtATimeAndTheFileGoesWithIt) {
  TempFolder folder;
  const auto file = folder.Path() / "httpd.lck";
  auto first = HostFileLock::Acquire(file, 0ms);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(HostFileLock::Acquire(file, 20ms), nullptr);
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_NE(HostFileLock::Acquire(file, 0ms), nullptr);
}

TEST(HostFileLockTest, AWaiterGetsItWhenTheHolderLetsGo) {
  TempFolder folder;
  const auto file = folder.Path() / "httpd.lck";
  auto holder = HostFileLock::Acquire(file, 0ms);
  ASSERT_NE(holder, nullptr);
  std::thread release([&holder] {
    std::this_thread::sleep_for(30ms);
    holder.reset();
  });
  auto waiter = HostFileLock::Acquire(file, 10s);
  release.join();
  EXPECT_NE(waiter, nullptr);
}

TEST(HostFileLockTest, AFileThatCannotBeMadeIsRefusedAtOnce) {
  TempFolder folder;
  EXPECT_EQ(HostFileLock::Acquire(folder.Path() / "missing" / "httpd.lck", 10s), nullptr);
}

}  // namespace
}  // namespace platform
