#include "brenmoor/core/COleDateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <cwchar>
#include <vector>

#include "brenmoor/core/CString.h"
#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/DateLocale.h"

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
  const std::optional<DATE> value = OleDateParser::FromParts(year, month, day, hour, minute, second);
  m_dt = value.value_or(0);
  m_status = value ? valid : invalid;
}

bool COleDateTime::ParseDateTime(const wchar_t* text) {
  const std::optional<DATE> value =
      OleDateParser::Parse(CString(text).ToUtf16(), DateLocale::FromEnvironment());
  m_dt = value.value_or(0);
  m_status = value ? valid : invalid;
  return value.has_value();
}

bool operator<(const COleDateTime& a, const COleDateTime& b) {
  return a.m_status == COleDateTime::valid && b.m_status == COleDateTime::valid && a.Linear() < b.Linear();
}

bool COleDateTime::SameMoment(const COleDateTime& other) const {
  return m_status == valid && other.m_status == valid && Linear() == other.Linear();
}

double COleDateTime::Linear() const {
  const double days = std::trunc(m_dt);
  return days + std::fabs(m_dt - days);
}

COleDateTime::Fields COleDateTime::Split() const {
  const double linear = Linear();
  const double seconds = std::round(linear * 86400.0);
  const auto wholeDays = static_cast<long long>(std::floor(seconds / 86400.0));
  const auto secondOfDay = static_cast<int>(seconds - static_cast<double>(wholeDays) * 86400.0);
  using namespace std::chrono;
  const year_month_day date{sys_days{1899y / December / 30} + days{wholeDays}};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          secondOfDay / 3600,
          secondOfDay / 60 % 60,
          secondOfDay % 60};
}

int COleDateTime::Field(int Fields::*field) const { return m_status == valid ? Split().*field : -1; }

int COleDateTime::GetYear() const { return Field(&Fields::year); }
int COleDateTime::GetMonth() const { return Field(&Fields::month); }
int COleDateTime::GetDay() const { return Field(&Fields::day); }
int COleDateTime::GetHour() const { return Field(&Fields::hour); }
int COleDateTime::GetMinute() const { return Field(&Fields::minute); }
int COleDateTime::GetSecond() const { return Field(&Fields::second); }

namespace {

// The host's text for a date that is not valid.
constexpr UINT kInvalidDateTimeString = 55296;

}  // namespace

CString COleDateTime::Format(const wchar_t* format) const {
  if (m_status == null) return {};
  if (m_status != valid) {
    // The host may give its own text; the framework has one of its own.
    const CString* text = AfxFindResource<CString>(nullptr, kInvalidDateTimeString);
    return text != nullptr ? *text : CString(L"Invalid DateTime");
  }
  const Fields fields = Split();
  using namespace std::chrono;
  const sys_days day{year{fields.year} / fields.month / fields.day};
  std::tm time{};
  time.tm_year = fields.year - 1900;
  time.tm_mon = fields.month - 1;
  time.tm_mday = fields.day;
  time.tm_hour = fields.hour;
  time.tm_min = fields.minute;
  time.tm_sec = fields.second;
  time.tm_wday = static_cast<int>(weekday{day}.c_encoding());
  time.tm_yday = static_cast<int>((day - sys_days{year{fields.year} / January / 1}).count());
  // Converted as code units: the codes are ASCII and the rest is copied as it is.
  const std::wstring pattern = format != nullptr ? format : L"";
  if (pattern.empty()) return {};
  std::vector<wchar_t> buffer(pattern.size() * 8 + 64);
  for (;;) {
    const std::size_t written = std::wcsftime(buffer.data(), buffer.size(), pattern.c_str(), &time);
    if (written > 0) return CString(std::wstring(buffer.data(), written));
    // Nothing written means the buffer was short, or the text is empty.
    if (buffer.size() > pattern.size() * 64 + 4096) return {};
    buffer.resize(buffer.size() * 4);
  }
}
