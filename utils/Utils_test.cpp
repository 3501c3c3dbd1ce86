#include "brenmoor/utils/Utils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "brenmoor/core/CTime.h"
#include "ScopedEnvironment.h"

namespace {

using testsupport::ScopedEnvironment;
using Value = ScopedEnvironment::Value;

TEST(UtilsTest, FixedDefaults) {
  EXPECT_EQ(Utils::GetDefaultFieldDelimiter().Str(), L",");
  EXPECT_EQ(Utils::GetDefaultTextQualifier().Str(), L"\"");
  EXPECT_EQ(Utils::GetDefaultDateFormatSpecifier().Str(), L"%Y-%m-%d");
}

TEST(UtilsTest, ExportDirFollowsTheDocumentsFolder) {
  const std::wstring current = std::filesystem::current_path().wstring();
  const std::vector<std::tuple<Value, Value, std::wstring>> cases = {
      {"/srv/docs", "/home/ann", L"/srv/docs/Exports/"},
      {"/srv/docs/", std::nullopt, L"/srv/docs/Exports/"},
      {std::nullopt, "/home/ann", L"/home/ann/Documents/Exports/"},
      {"", "/home/ann/", L"/home/ann/Documents/Exports/"},
      {std::nullopt, "/", L"/Documents/Exports/"},
      {std::nullopt, "/home/zo\xC3\xAB", L"/home/zo\xEB/Documents/Exports/"},
      {std::nullopt, std::nullopt, current + L"/Exports/"},
      {std::nullopt, "", current + L"/Exports/"},
  };
  for (const auto& [documents, home, expected] : cases) {
    ScopedEnvironment setDocuments("XDG_DOCUMENTS_DIR", documents);
    ScopedEnvironment setHome("HOME", home);
    EXPECT_EQ(Utils::GetDefaultExportDir().Str(), expected) << ::testing::PrintToString(expected);
  }
}

TEST(UtilsTest, CurrentDateAndTimeIsTheLocalTimeNow) {
  ScopedEnvironment zone("TZ", "XYZ-5:45");  // far from UTC, so that UTC would show
  tzset();
  const std::time_t before = std::time(nullptr);
  const std::string text = Utils::GetCurrentDateAndTime().ToUtf8();
  const std::time_t after = std::time(nullptr);

  ASSERT_TRUE(std::regex_match(text, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})"))) << text;
  std::tm shown{};
  std::istringstream(text) >> std::get_time(&shown, "%Y-%m-%d %H:%M:%S");
  shown.tm_isdst = -1;
  EXPECT_LE(before, std::mktime(&shown));
  EXPECT_LE(std::mktime(&shown), after);
}

TEST(UtilsTest, CurrentDateAndTimeFollowsTheClock) {
  const std::vector<std::pair<CTime, std::wstring>> cases = {
      {CTime(2026, 12, 8, 0, 5, 9), L"2026-12-08 00:05:09"},
      {CTime(1999, 1, 31, 23, 59, 59), L"1999-01-31 23:59:59"},
  };
  for (const auto& [now, expected] : cases) {
    CTime::Substitute fixed(now);
    EXPECT_EQ(Utils::GetCurrentDateAndTime().Str(), expected);
  }
}

TEST(UtilsTest, ToANSIMapsToWindows1252OrQuestionMarks) {
  const std::vector<std::pair<std::wstring, std::string>> cases = {
      {L"Plain 123", "Plain 123"},
      {std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
      {L"caf\xE9 \x00FF", "caf\xE9 \xFF"},
      {L"\x20AC\x017D", "\x80\x8E"},                                 // euro sign, Z with caron
      {L"\x0081\x008D\x008F\x0090\x009D", "\x81\x8D\x8F\x90\x9D"},  // undefined in 1252, as Windows maps them
      {L"\x0080|\x0100|\x4E2D|\xFFFD", "?|?|?|?"},                  // 0x80 is the euro sign; beyond the page
      {L"<\xD83D\xDE00>", "<?>"},                                    // a surrogate pair is one character
      {L"<\xD83D>", "<?>"},
      {L"<\xDE00\xD83D>", "<?" "?>"},  // low before high: two unpaired
  };
  for (const auto& [text, ansi] : cases) {
    EXPECT_EQ(Utils::ToANSI(CString(text)), ansi) << ::testing::PrintToString(text);
  }
}

}  // namespace
