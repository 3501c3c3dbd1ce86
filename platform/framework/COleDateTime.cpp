#include "COleDateTime.h"

#include <chrono>
#include <cmath>

#include "CString.h"
#include "DateLocale.h"

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
