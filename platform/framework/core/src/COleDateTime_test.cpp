#include "brenmoor/core/COleDateTime.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "brenmoor/core/CTime.h"
#include "brenmoor/core/DateLocale.h"
#include "ScopedEnvironment.h"

namespace {

using testsupport::ScopedEnvironment;

// "2003-01-02 04:05:06", or "invalid".
std::string Shown(const COleDateTime& date) {
  if (date.GetStatus() != COleDateTime::valid) return "invalid";
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.GetYear(), date.GetMonth(), date.GetDay(),
                date.GetHour(), date.GetMinute(), date.GetSecond());
  return text;
}

std::string Parsed(const wchar_t* text) {
  COleDateTime date;
  const bool accepted = date.ParseDateTime(text);
  EXPECT_EQ(accepted, date.GetStatus() == COleDateTime::valid) << CString(text).ToUtf8();
  return Shown(date);
}

// Dates without a year fall in 2026; the locale is the one each test names.
class ParseDateTimeTest : public ::testing::Test {
 protected:
  CTime::Substitute now{CTime(2026, 7, 15, 12, 0, 0)};
  ScopedEnvironment all{"LC_ALL", "en_US.UTF-8"};
};

struct Case {
  const wchar_t* text;
  const char* expected;
};

TEST_F(ParseDateTimeTest, ReadsWhatThePlatformReadsInEnUs) {
  const std::vector<Case> cases = {
      {L"1 am", "1899-12-30 01:00:00"},
      {L"0:20", "1899-12-30 00:20:00"},
      {L"0.40", "1899-12-30 00:40:00"},
      {L"2.5", "1899-12-30 02:05:00"},
      {L"3:5", "1899-12-30 03:05:00"},
      {L"1.5.2", "1899-12-30 01:05:02"},
      {L"12:59 AM", "1899-12-30 00:59:00"},
      {L"12:59 A", "1899-12-30 00:59:00"},
      {L"00:00 pm", "1899-12-30 12:00:00"},
      {L"12:59 p", "1899-12-30 12:59:00"},
      {L"13:00 AM", "1899-12-30 13:00:00"},
      {L"1 2", "2026-01-02 00:00:00"},
      {L"2 1", "2026-02-01 00:00:00"},
      {L"14 1", "2026-01-14 00:00:00"},
      {L"1 14", "2026-01-14 00:00:00"},
      {L"Jan 2", "2026-01-02 00:00:00"},
      {L"2 Jan", "2026-01-02 00:00:00"},
      {L"Jan 35", "1935-01-01 00:00:00"},
      {L"35/Jan", "1935-01-01 00:00:00"},
      {L"1 2 3", "2003-01-02 00:00:00"},
      {L"14 2 3", "2014-02-03 00:00:00"},
      {L"2 3 14", "2014-02-03 00:00:00"},
      {L"2 14 3", "2003-02-14 00:00:00"},
      {L"32 2 3", "1932-02-03 00:00:00"},
      {L"1 2 29", "2029-01-02 00:00:00"},
      {L"1 2 30", "1930-01-02 00:00:00"},
      {L"1 2 3 am", "2026-01-02 03:00:00"},
      {L"3 am 1 2", "2026-01-02 03:00:00"},
      {L"1.2 3 4", "2026-03-04 01:02:00"},
      {L"1 2 3 4.5", "2003-01-02 04:05:00"},
      {L"2 January, 1970", "1970-01-02 00:00:00"},
      {L"2 Jan 1970", "1970-01-02 00:00:00"},
      {L"2-Jan-1970", "1970-01-02 00:00:00"},
      {L"1/2/1970", "1970-01-02 00:00:00"},
      {L"1-2-1970", "1970-01-02 00:00:00"},
      {L"13-1-1970", "1970-01-13 00:00:00"},
      {L"1970-1-13", "1970-01-13 00:00:00"},
      {L"6/30/2011 01:20:34", "2011-06-30 01:20:34"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.expected) << CString(c.text).ToUtf8();
}

TEST_F(ParseDateTimeTest, RejectsWhatThePlatformRejectsInEnUs) {
  for (const wchar_t* text :
       {L"", L"True", L"0", L"1", L"0.0", L"0.", L".0", L"-1.1", L"1;2;3", L"1*2*3", L"(1:2)", L"1|2|3", L"0.60",
        L"0:60", L"1 2 am", L"1 am 2", L"1 2 am 3", L"1.5 2", L"2 32 3", L"1.2.3.4", L"1 2 3 4", L"2013-05-14 02:04:12.017",
        L"1999 January 3, 9AM"}) {
    EXPECT_EQ(Parsed(text), "invalid") << CString(text).ToUtf8();
  }
}

TEST_F(ParseDateTimeTest, CountsDaysFrom30December1899WithTheTimeAsTheFraction) {
  const std::vector<std::pair<const wchar_t*, double>> cases = {
      {L"1/2/1970", 25570.0}, {L"1 am", 1.0 / 24}, {L"1/1/100", -657434.0}, {L"12/31/9999", 2958465.0},
      {L"12/29/1899 6:00", -1.25}, {L"12/30/1899", 0.0},
  };
  for (const auto& [text, expected] : cases) {
    COleDateTime date;
    date.ParseDateTime(text);
    EXPECT_DOUBLE_EQ(date.m_dt, expected) << CString(text).ToUtf8();
  }
}

TEST_F(ParseDateTimeTest, ReadsNamesIsoDatesAndTheEdgesOfTheCalendar) {
  const std::vector<Case> cases = {
      {L"Tuesday, June 30, 2011", "2011-06-30 00:00:00"},
      {L"tue 30 JUNE 2011 10:00 PM", "2011-06-30 22:00:00"},
      {L"2011-06-30", "2011-06-30 00:00:00"},
      {L"2011-06-30 13:45:10", "2011-06-30 13:45:10"},
      {L"13:45 6/30/11", "2011-06-30 13:45:00"},
      {L"9AM 1/2/1970", "1970-01-02 09:00:00"},
      {L"  2/29/2024  ", "2024-02-29 00:00:00"},
      {L"Feb 30", "1930-02-01 00:00:00"},
      {L"2/29/2023", "invalid"},
      {L"12/31/10000", "invalid"},
      {L"24:00", "invalid"},
      {L"1:2:60", "invalid"},
      {L"Monday", "invalid"},
      {L"Jan", "invalid"},
      {L"Jan Feb 2", "invalid"},
      {L"1 am pm", "invalid"},
      {L"Jan pm", "invalid"},
      {L"1:00 2:00", "invalid"},
      {L"1//2", "invalid"},
      {L"1/2/", "invalid"},
      {L"2011-06-30T13:45", "invalid"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.expected) << CString(c.text).ToUtf8();
}

TEST_F(ParseDateTimeTest, FollowsTheLocaleOfTheEnvironment) {
  const std::vector<std::tuple<const char*, const wchar_t*, const char*>> cases = {
      {"en_GB.UTF-8", L"1/2/2003", "2003-02-01 00:00:00"},
      {"de_DE.UTF-8", L"1.2.2003", "2003-02-01 00:00:00"},
      {"de_DE.UTF-8", L"3. M\x00E4rz 2003 14:30", "2003-03-03 14:30:00"},
      {"de_DE.UTF-8", L"Montag, 3. Februar 2003", "2003-02-03 00:00:00"},
      {"fr_FR.UTF-8", L"2 janv. 2003", "2003-01-02 00:00:00"},
      {"ja_JP.UTF-8", L"2003/1/2", "2003-01-02 00:00:00"},
      {"C", L"1/2/2003", "2003-01-02 00:00:00"},
      {"xx_YY", L"Jan 2 2003", "2003-01-02 00:00:00"},
  };
  for (const auto& [locale, text, expected] : cases) {
    ScopedEnvironment named("LC_ALL", locale);
    EXPECT_EQ(Parsed(text), expected) << locale;
  }
}

// Each locale's own short, medium and long forms, as ICU writes them, read back.
TEST_F(ParseDateTimeTest, ReadsTheLocalesOwnFormsBack) {
  const std::vector<std::tuple<const char*, const wchar_t*, const char*>> cases = {
      {"ar_EG.UTF-8", L"9\u200F/9\u200F/2026", "2026-09-09 00:00:00"},
      {"ar_EG.UTF-8", L"\u0669\u200F/\u0669\u200F/\u0662\u0660\u0662\u0666", "2026-09-09 00:00:00"},
      {"ar_EG.UTF-8", L"\u0669 \u0633\u0628\u062A\u0645\u0628\u0631 \u0662\u0660\u0662\u0666", "2026-09-09 00:00:00"},
      {"hu_HU.UTF-8", L"2024. 01. 05.", "2024-01-05 00:00:00"},
      {"hu_HU.UTF-8", L"2026. szept. 9.", "2026-09-09 00:00:00"},
      {"ko_KR.UTF-8", L"24. 1. 5.", "2024-01-05 00:00:00"},
      {"ko_KR.UTF-8", L"2026\uB144 9\uC6D4 9\uC77C", "2026-09-09 00:00:00"},
      {"en_GB.UTF-8", L"Sep 05, 2024", "2024-09-05 00:00:00"},
      {"en_GB.UTF-8", L"9 Sept 2026", "2026-09-09 00:00:00"},
      {"ja_JP.UTF-8", L"2026\u5E749\u67089\u65E5", "2026-09-09 00:00:00"},
      {"zh_CN.UTF-8", L"2026\u5E749\u67089\u65E5", "2026-09-09 00:00:00"},
      {"ru_RU.UTF-8", L"9 \u0441\u0435\u043D\u0442. 2026\u202F\u0433.", "2026-09-09 00:00:00"},
      {"de_DE.UTF-8", L"9. September 2026", "2026-09-09 00:00:00"},
  };
  for (const auto& [locale, text, expected] : cases) {
    ScopedEnvironment named("LC_ALL", locale);
    EXPECT_EQ(Parsed(text), expected) << locale << " " << CString(text).ToUtf8();
  }
  // A closing dot only where dots separate dates; a word only where the locale writes it.
  const std::vector<std::pair<const char*, const wchar_t*>> refused = {
      {"hu_HU.UTF-8", L"2024. 01. 05.."}, {"en_US.UTF-8", L"1/2/2003."}, {"en_US.UTF-8", L"2026\u5E749\u67089\u65E5"},
      {"de_DE.UTF-8", L". 1. 2."},
  };
  for (const auto& [locale, text] : refused) {
    ScopedEnvironment named("LC_ALL", locale);
    EXPECT_EQ(Parsed(text), "invalid") << locale << " " << CString(text).ToUtf8();
  }
}

TEST(DateLocaleTest, TakesTheNameFromLcAllThenLcTimeThenLang) {
  using Value = ScopedEnvironment::Value;
  const std::vector<std::tuple<Value, Value, Value, std::string>> cases = {
      {std::nullopt, std::nullopt, std::nullopt, "en_US"},
      {"de_DE.UTF-8", "fr_FR", "ja_JP", "de_DE"},
      {"", "fr_FR@euro", "ja_JP", "fr_FR"},
      {std::nullopt, std::nullopt, "en_GB.UTF-8", "en_GB"},
      {std::nullopt, std::nullopt, "C.UTF-8", "en_US"},
      {"POSIX", "fr_FR", std::nullopt, "en_US"},
  };
  for (const auto& [all, time, lang, expected] : cases) {
    ScopedEnvironment a("LC_ALL", all);
    ScopedEnvironment t("LC_TIME", time);
    ScopedEnvironment l("LANG", lang);
    EXPECT_EQ(DateLocale::NameFromEnvironment(), expected);
  }
  EXPECT_EQ(DateLocale("xx_YY").Name(), "en_US");
}

TEST(COleDateTimeTest, OrdersValidValuesInTimeAndNeverOrdersAnInvalidOne) {
  const COleDateTime morning(1899, 12, 29, 6, 0, 0);
  const COleDateTime evening(1899, 12, 29, 18, 0, 0);
  const COleDateTime dayZero(1899, 12, 30, 0, 0, 0);
  COleDateTime invalid;
  invalid.ParseDateTime(L"True");
  EXPECT_DOUBLE_EQ(morning.m_dt, -1.25);
  EXPECT_DOUBLE_EQ(evening.m_dt, -1.75);
  EXPECT_EQ(Shown(evening), "1899-12-29 18:00:00");
  EXPECT_TRUE(morning < evening);
  EXPECT_TRUE(evening < dayZero);
  EXPECT_TRUE(dayZero > morning);
  EXPECT_TRUE(morning <= COleDateTime(-1.25));
  for (const COleDateTime& other : {morning, dayZero, invalid}) {
    EXPECT_FALSE(invalid < other);
    EXPECT_FALSE(other < invalid);
    EXPECT_FALSE(invalid > other);
    EXPECT_FALSE(other >= invalid);
  }
  EXPECT_EQ(invalid.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(invalid.m_dt, 0.0);
  EXPECT_EQ(invalid.GetYear(), -1);
  EXPECT_EQ(COleDateTime(99, 12, 31, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2024, 2, 30, 0, 0, 0).GetStatus(), COleDateTime::invalid);
}

}  // namespace
