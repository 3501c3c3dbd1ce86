#include "brenmoor/core/CTime.h"

#include <array>

namespace {

constexpr int kFormatLimit = 255;

const std::time_t*& FixedNow() {
  static const std::time_t* now = nullptr;
  return now;
}

}  // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  time_ = std::mktime(&local);
}

CTime CTime::GetCurrentTime() {
  if (const std::time_t* fixed = FixedNow()) return CTime(*fixed);
  return CTime(std::time(nullptr));
}

std::tm CTime::Local() const {
  std::tm local{};
  localtime_r(&time_, &local);
  return local;
}

CString CTime::Format(const wchar_t* codes) const {
  const std::tm local = Local();
  // Room for the limit in UTF-8, at most three bytes for each UTF-16 unit.
  std::array<char, 3 * kFormatLimit + 1> text{};
  const std::size_t length = std::strftime(text.data(), text.size(), CString(codes).ToUtf8().c_str(), &local);
  CString result = CString::FromUtf8({text.data(), length});
  return result.GetLength() <= kFormatLimit ? result : CString();
}

CTime::Substitute::Substitute(CTime now) : previous_(FixedNow()), now_(now.GetTime()) { FixedNow() = &now_; }

CTime::Substitute::~Substitute() { FixedNow() = previous_; }
