#pragma once
// Reads a date and/or time from text as the platform's automation date
// parser does for a locale, accepting and rejecting the same texts.
//
// Items are numbers, month and weekday names, and AM/PM markers, separated
// by blanks, "/", "-", "," or the locale's date separator. Numbers joined by
// ":" (or "." where "." does not separate dates) are a time of hours,
// minutes and optional seconds; an AM/PM marker makes the number before it
// an hour. The other numbers are a date: two are month and day, three are
// month, day and year, in the locale's order first and then in the other
// orders that give a real date; a number that cannot be a day is the year.
// Two-digit years 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.

#include <optional>
#include <string_view>

#include "brenmoor/core/DateLocale.h"

// Days from 30 December 1899; the time is the fraction of the day, which
// before that day still counts forward from midnight (-1.25 is 29 December 1899, 06:00).
using DATE = double;

class OleDateParser {
 public:
  OleDateParser() = delete;

  // The date, or nothing for a text the platform rejects. A date without a
  // year falls in the current year of the framework's clock; a time alone
  // falls on 30 December 1899.
  static std::optional<DATE> Parse(std::u16string_view text, const DateLocale& locale);

  // The date of a day and time, or nothing when they are no real date or lie
  // outside 1 January 100 to 31 December 9999.
  static std::optional<DATE> FromParts(int year, int month, int day, int hour, int minute, int second);
};
