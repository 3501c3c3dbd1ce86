#include "DesktopCheck.h"

#include <gtest/gtest.h>

#include <memory>

void ExpectNothingLeftAlive(const Desktop& desktop) {
  const std::vector<std::string> lines = desktop.LeftAlive();
  if (lines.empty()) return;
  std::string text = "left alive:";
  for (const std::string& line : lines) text += (&line == &lines.front() ? " " : ", ") + line;
  ADD_FAILURE() << text;
}

namespace {

class FreshDesktops : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { desktop_ = std::make_unique<Desktop>(); }
  void OnTestEnd(const ::testing::TestInfo&) override {
    ExpectNothingLeftAlive(*desktop_);
    desktop_.reset();
  }

  std::unique_ptr<Desktop> desktop_;
};

const bool kInstalled = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshDesktops);
  return true;
}();

}  // namespace
