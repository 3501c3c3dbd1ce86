#pragma once
// A moment in time read as the local date and time, and the clock every
// feature asks for "now": tests fix it with a Substitute.

#include <ctime>

#include "brenmoor/core/CString.h"

class CTime {
 public:
  explicit CTime(std::time_t time = 0) : time_(time) {}
  // Local date and time; an hour skipped by a clock change moves on as mktime moves it.
  CTime(int year, int month, int day, int hour, int minute, int second);

  static CTime GetCurrentTime();

  std::time_t GetTime() const { return time_; }
  int GetYear() const { return Local().tm_year + 1900; }
  int GetMonth() const { return Local().tm_mon + 1; }
  int GetDay() const { return Local().tm_mday; }
  int GetHour() const { return Local().tm_hour; }
  int GetMinute() const { return Local().tm_min; }
  int GetSecond() const { return Local().tm_sec; }

  // strftime codes in the "C" locale. A result longer than the 255
  // characters of the framework's buffer comes out empty, as the C
  // runtime gives nothing when its buffer is too small.
  CString Format(const wchar_t* codes) const;

  // Fixes "now" while it lives.
  class Substitute {
   public:
    explicit Substitute(CTime now);
    ~Substitute();
    Substitute(const Substitute&) = delete;
    Substitute& operator=(const Substitute&) = delete;

   private:
    const std::time_t* previous_;
    std::time_t now_;
  };

 private:
  std::tm Local() const;

  std::time_t time_;
};
