#include "brenmoor/core/CTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CTimeTest, ReadsTheLocalDateAndTimeItWasMadeFrom) {
  const CTime time(2026, 3, 14, 12, 5, 9);
  EXPECT_EQ(time.GetYear(), 2026);
  EXPECT_EQ(time.GetMonth(), 3);
  EXPECT_EQ(time.GetDay(), 14);
  EXPECT_EQ(time.GetHour(), 12);
  EXPECT_EQ(time.GetMinute(), 5);
  EXPECT_EQ(time.GetSecond(), 9);
}

TEST(CTimeTest, FormatsWithStrftimeCodesUpTo255Characters) {
  const CTime time(2026, 3, 4, 0, 5, 0);
  const std::wstring long255(251, L'x');
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"%Y-%m-%d", L"2026-03-04"},
      {L"%H:%M:%S %p", L"00:05:00 AM"},
      {L"\x00E9t\x00E9 %d.%m. \xD83D\xDE00", L"\x00E9t\x00E9 04.03. \xD83D\xDE00"},
      {L"", L""},
      {long255 + L"%Y", long255 + L"2026"},
      {long255 + L"x%Y", L""},  // 256 characters do not fit the buffer
  };
  for (const auto& [codes, expected] : cases) EXPECT_EQ(time.Format(codes.c_str()).Str(), expected) << codes.size();
}

TEST(CTimeTest, ASubstituteFixesNowWhileItLives) {
  const CTime noon(2026, 12, 8, 12, 0, 0);
  const CTime midnight(2026, 12, 9, 0, 0, 0);
  {
    CTime::Substitute fixed(noon);
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), noon.GetTime());
    {
      CTime::Substitute inner(midnight);
      EXPECT_EQ(CTime::GetCurrentTime().GetTime(), midnight.GetTime());
    }
    EXPECT_EQ(CTime::GetCurrentTime().GetTime(), noon.GetTime());
  }
  const std::time_t before = std::time(nullptr);
  const std::time_t now = CTime::GetCurrentTime().GetTime();
  EXPECT_LE(before, now);
  EXPECT_LE(now, std::time(nullptr));
}

}  // namespace
