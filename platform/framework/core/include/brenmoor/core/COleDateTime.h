#pragma once
// A date and time as the platform's automation dates hold it (see DATE in
// OleDateParser.h) with a status; only valid values are ordered.

#include "brenmoor/core/CString.h"
#include "brenmoor/core/OleDateParser.h"

class COleDateTime {
 public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;  // valid: 30 December 1899, 00:00
  explicit COleDateTime(DATE value) : m_dt(value) {}
  // Invalid, with value 0, when the fields are no real date and time
  // between 1 January 100 and 31 December 9999.
  COleDateTime(int year, int month, int day, int hour, int minute, int second);

  DateTimeStatus GetStatus() const { return m_status; }
  // Reads the text as the platform's automation date parser does in the
  // user's locale (DateLocale::FromEnvironment); a text it rejects, empty
  // text included, leaves the value 0 and the status invalid.
  bool ParseDateTime(const wchar_t* text);

  // The value written with the C runtime's strftime codes ("%Y-%m-%d", "%A,
  // %d %B %Y", ...) in the C locale. An invalid value gives the host's
  // string 55296, or "Invalid DateTime" when the host has none; a null
  // value gives an empty string.
  CString Format(const wchar_t* format) const;

  // The fields of a valid value, to the nearest second; -1 when invalid.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;

  // Equal in status and value.
  friend bool operator==(const COleDateTime& a, const COleDateTime& b) {
    return a.m_status == b.m_status && a.m_dt == b.m_dt;
  }
  // Chronological; false whenever either side is not valid.
  friend bool operator<(const COleDateTime& a, const COleDateTime& b);
  friend bool operator>(const COleDateTime& a, const COleDateTime& b) { return b < a; }
  friend bool operator<=(const COleDateTime& a, const COleDateTime& b) { return a < b || a.SameMoment(b); }
  friend bool operator>=(const COleDateTime& a, const COleDateTime& b) { return b < a || a.SameMoment(b); }

  DATE m_dt = 0;
  DateTimeStatus m_status = valid;

 private:
  struct Fields {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
  };

  bool SameMoment(const COleDateTime& other) const;
  // The value on a line where later is larger, also before day 0.
  double Linear() const;
  Fields Split() const;
  int Field(int Fields::*field) const;
};
