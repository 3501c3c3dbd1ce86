#include "UnattendedRun.h"

#include <gtest/gtest.h>

#include "ScopedEnvironment.h"
#include "TempFolder.h"

namespace platform {
namespace {

using std::chrono::milliseconds;
using testsupport::ScopedEnvironment;

TEST(UnattendedRunTest, WaitsAreBoundOnlyByAShorterWholeNumber) {
  struct Case {
    ScopedEnvironment::Value bound;
    milliseconds expected;
  };
  const Case cases[] = {
      {std::nullopt, milliseconds(60000)}, {"", milliseconds(60000)},
      {"1000", milliseconds(1000)},        {"0", milliseconds(0)},
      {"300000", milliseconds(60000)},     {"60000", milliseconds(60000)},
      {"-5", milliseconds(60000)},         {"10s", milliseconds(60000)},
      {"abc", milliseconds(60000)},
  };
  for (const auto& c : cases) {
    ScopedEnvironment bound("BRENMOOR_WAIT_LIMIT_MS", c.bound);
    EXPECT_EQ(BoundedWait(milliseconds(60000)), c.expected) << c.bound.value_or("<unset>");
  }
}

TEST(UnattendedRunTest, MessagesFileIsNamedByTheEnvironment) {
  {
    ScopedEnvironment unset("BRENMOOR_MESSAGES", std::nullopt);
    EXPECT_EQ(MessagesFile(), "");
  }
  ScopedEnvironment named("BRENMOOR_MESSAGES", "/tmp/boxes.jsonl");
  EXPECT_EQ(MessagesFile(), "/tmp/boxes.jsonl");
}

TEST(UnattendedRunTest, EachBoxIsOneJsonLineInUtf8) {
  testsupport::TempFolder folder;
  const std::string file = (folder.Path() / "boxes.jsonl").string();
  RecordMessage(file, "Kelvane", "Unable to open C:\\x.\n\n\"Exiting.\"\t\x01\xc3\xa9");
  RecordMessage(file, "Morrant", "");
  EXPECT_EQ(testsupport::ReadFile(file),
            "{\"title\": \"Kelvane\", \"text\": \"Unable to open C:\\\\x.\\n\\n\\\"Exiting.\\\"\\t"
            "\\u0001\xc3\xa9\"}\n"
            "{\"title\": \"Morrant\", \"text\": \"\"}\n");
}

}  // namespace
}  // namespace platform
