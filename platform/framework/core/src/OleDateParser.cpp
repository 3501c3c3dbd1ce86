#include "brenmoor/core/OleDateParser.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include "brenmoor/core/CTime.h"

namespace {

// The platform's century window: two-digit years up to this one are 20xx, the others 19xx.
constexpr int kLastTwoDigitYearIn2000s = 29;
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;
// Larger than any field; stops long digit runs before they overflow.
constexpr long long kNumberCap = 1000000;
constexpr double kSecondsPerDay = 86400.0;

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A literal is a word of the locale's own date forms that says nothing ("年").
enum class ItemKind { Number, Time, Month, Weekday, Am, Pm, Literal };

struct Item {
  ItemKind kind;
  long long value = 0;  // a number's value, a month name's month
  TimeOfDay time;
};

// Any script's decimal digits: Arabic dates are written in Arabic-Indic ones.
bool IsDigit(char16_t character) { return u_isdigit(character) != 0; }

// Letters and the marks that some scripts write inside names.
bool IsWordCharacter(char16_t character) {
  return u_isalpha(character) || (U_GET_GC_MASK(character) & U_GC_M_MASK) != 0;
}

// Splits the text into items; nothing when it holds a character or a
// separator where the platform allows none.
class Scanner {
 public:
  Scanner(std::u16string_view text, const DateLocale& locale) : text_(text), locale_(locale) {}

  std::optional<std::vector<Item>> Items() {
    std::vector<Item> items;
    bool separated = false;
    while (!AtEnd()) {
      const char16_t character = text_[position_];
      if (u_isUWhiteSpace(character) || DateLocale::IsDirectionMark(character)) {
        ++position_;
        continue;
      }
      if (IsDateSeparator(character)) {
        if (IsClosingDot()) break;
        if (items.empty() || separated) return std::nullopt;
        separated = true;
        ++position_;
        continue;
      }
      std::optional<Item> item;
      if (IsDigit(character)) item = NumberOrTime();
      else if (IsWordCharacter(character)) item = Word();
      if (!item) return std::nullopt;
      if (item->kind == ItemKind::Literal) continue;
      items.push_back(*item);
      separated = false;
    }
    if (separated) return std::nullopt;
    return items;
  }

 private:
  bool AtEnd() const { return position_ >= text_.size(); }
  bool IsDateSeparator(char16_t character) const {
    return character == u'/' || character == u'-' || character == u',' || character == locale_.DateSeparator();
  }
  // Short dates in Hungarian and Korean end in their separator, a dot: "2024. 01. 05.".
  bool IsClosingDot() const {
    if (text_[position_] != u'.' || locale_.DateSeparator() != u'.') return false;
    for (std::size_t after = position_ + 1; after < text_.size(); ++after) {
      if (!u_isUWhiteSpace(text_[after]) && !DateLocale::IsDirectionMark(text_[after])) return false;
    }
    return true;
  }
  bool IsTimeSeparator(char16_t character) const {
    return character == u':' || (character == u'.' && locale_.DateSeparator() != u'.');
  }

  long long Number() {
    long long value = 0;
    for (; !AtEnd() && IsDigit(text_[position_]); ++position_) {
      if (value < kNumberCap) value = value * 10 + u_charDigitValue(text_[position_]);
    }
    return value;
  }

  std::optional<Item> NumberOrTime() {
    std::array<long long, 3> parts{};
    std::size_t count = 0;
    bool dotted = false;
    parts[count++] = Number();
    while (!AtEnd() && IsTimeSeparator(text_[position_])) {
      dotted = dotted || text_[position_] == u'.';
      ++position_;
      if (AtEnd() || !IsDigit(text_[position_]) || count == parts.size()) return std::nullopt;
      parts[count++] = Number();
    }
    if (count == 1) return Item{ItemKind::Number, parts[0]};
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
    // Dotted zeros are the decimal number 0 to the platform, and a number alone is no date.
    if (dotted && parts[0] == 0 && parts[1] == 0 && parts[2] == 0) return std::nullopt;
    return Item{ItemKind::Time, 0,
                {static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2])}};
  }

  // A name may end in a "." of its own ("janv." in French).
  std::optional<Item> Word() {
    const std::size_t start = position_;
    while (!AtEnd() && IsWordCharacter(text_[position_])) ++position_;
    const std::u16string folded = DateLocale::Fold(text_.substr(start, position_ - start));
    // The locale's own date words come first: "月" after a number is no Monday in Japanese.
    if (std::optional<Item> literal = Literal(folded)) return literal;
    std::optional<DateLocale::Word> word;
    if (!AtEnd() && text_[position_] == u'.') {
      word = locale_.Find(folded + u'.');
      if (word) ++position_;
    }
    if (!word) word = locale_.Find(folded);
    if (!word) return std::nullopt;
    switch (word->kind) {
      case DateLocale::WordKind::Month: return Item{ItemKind::Month, word->month};
      case DateLocale::WordKind::Weekday: return Item{ItemKind::Weekday};
      case DateLocale::WordKind::Am: return Item{ItemKind::Am};
      case DateLocale::WordKind::Pm: return Item{ItemKind::Pm};
    }
    return std::nullopt;
  }

  // The word, with a "." of its own ("г."), when the locale writes it in its dates.
  std::optional<Item> Literal(const std::u16string& folded) {
    if (!AtEnd() && text_[position_] == u'.' && locale_.IsLiteral(folded + u'.')) {
      ++position_;
      return Item{ItemKind::Literal};
    }
    if (locale_.IsLiteral(folded)) return Item{ItemKind::Literal};
    return std::nullopt;
  }

  std::u16string_view text_;
  const DateLocale& locale_;
  std::size_t position_ = 0;
};

// What the items say: the numbers of the date, a month name and the time.
struct Reading {
  std::vector<long long> numbers;
  int month = 0;
  std::optional<TimeOfDay> time;
};

// 12 AM is midnight, 12 PM noon; hours past 12 keep their value.
void ApplyMarker(TimeOfDay& time, ItemKind marker) {
  if (time.hour > 12) return;
  if (marker == ItemKind::Pm && time.hour < 12) time.hour += 12;
  if (marker == ItemKind::Am && time.hour == 12) time.hour = 0;
}

bool IsDatePart(const Item& item) { return item.kind == ItemKind::Number || item.kind == ItemKind::Month; }

// An hour made of a number stands before the date or after it: "3 am 1 2"
// and "1 2 3 am" are dates, "1 2 am 3" is not.
bool SplitsTheDate(const std::vector<Item>& items, std::size_t hour) {
  const auto at = items.begin() + static_cast<std::ptrdiff_t>(hour);
  return std::any_of(items.begin(), at, IsDatePart) && std::any_of(at + 2, items.end(), IsDatePart);
}

// An AM/PM marker turns the number before it into an hour, or qualifies the time before it.
bool TakeMarkers(std::vector<Item>& items) {
  int markers = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ItemKind kind = items[i].kind;
    if (kind != ItemKind::Am && kind != ItemKind::Pm) continue;
    if (++markers > 1 || i == 0) return false;
    Item& before = items[i - 1];
    if (before.kind == ItemKind::Number) {
      if (before.value > 23 || SplitsTheDate(items, i - 1)) return false;
      before = Item{ItemKind::Time, 0, {static_cast<int>(before.value), 0, 0}};
    }
    if (before.kind != ItemKind::Time) return false;
    ApplyMarker(before.time, kind);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    --i;
  }
  return true;
}

std::optional<Reading> Read(std::vector<Item> items) {
  if (!TakeMarkers(items)) return std::nullopt;
  Reading reading;
  int weekdays = 0;
  for (const Item& item : items) {
    switch (item.kind) {
      case ItemKind::Number:
        reading.numbers.push_back(item.value);
        break;
      case ItemKind::Time:
        if (reading.time) return std::nullopt;
        reading.time = item.time;
        break;
      case ItemKind::Month:
        if (reading.month != 0) return std::nullopt;
        reading.month = static_cast<int>(item.value);
        break;
      case ItemKind::Weekday:
        if (++weekdays > 1) return std::nullopt;
        break;
      case ItemKind::Am:
      case ItemKind::Pm:
      case ItemKind::Literal:
        return std::nullopt;
    }
  }
  return reading;
}

struct CalendarDate {
  int year;
  int month;
  int day;
};

std::optional<int> FullYear(long long number) {
  if (number < 100) return static_cast<int>(number <= kLastTwoDigitYearIn2000s ? 2000 + number : 1900 + number);
  if (number <= kLastYear) return static_cast<int>(number);
  return std::nullopt;
}

bool IsReal(int year, long long month, long long day) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31) return false;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  return date.ok();
}

int CurrentYear() { return CTime::GetCurrentTime().GetYear(); }

// Where month, day and year stand among the numbers; -1 for one not given
// (the current year, the first day).
struct Roles {
  int month;
  int day;
  int year;
};

constexpr Roles kMonthDayYear{0, 1, 2};
constexpr Roles kYearMonthDay{1, 2, 0};
constexpr Roles kDayMonthYear{1, 0, 2};
constexpr Roles kMonthDay{0, 1, -1};
constexpr Roles kDayMonth{1, 0, -1};
constexpr Roles kMonthYear{0, -1, 1};
constexpr Roles kYearMonth{1, -1, 0};

std::optional<CalendarDate> Try(const std::vector<long long>& numbers, Roles roles) {
  const long long month = numbers[static_cast<std::size_t>(roles.month)];
  const long long day = roles.day < 0 ? 1 : numbers[static_cast<std::size_t>(roles.day)];
  const std::optional<int> year =
      roles.year < 0 ? std::optional<int>(CurrentYear()) : FullYear(numbers[static_cast<std::size_t>(roles.year)]);
  if (!year || !IsReal(*year, month, day)) return std::nullopt;
  return CalendarDate{*year, static_cast<int>(month), static_cast<int>(day)};
}

// The locale's order first, then the others that the platform tries.
std::vector<Roles> Orders(std::size_t count, DateLocale::Order order) {
  const bool dayFirst = order == DateLocale::Order::DayMonthYear;
  if (count == 2) {
    return dayFirst ? std::vector<Roles>{kDayMonth, kMonthDay, kMonthYear, kYearMonth}
                    : std::vector<Roles>{kMonthDay, kDayMonth, kMonthYear, kYearMonth};
  }
  switch (order) {
    case DateLocale::Order::DayMonthYear: return {kDayMonthYear, kYearMonthDay, kMonthDayYear};
    case DateLocale::Order::YearMonthDay: return {kYearMonthDay, kMonthDayYear, kDayMonthYear};
    case DateLocale::Order::MonthDayYear: break;
  }
  return {kMonthDayYear, kYearMonthDay, kDayMonthYear};
}

std::optional<CalendarDate> NumericDate(const std::vector<long long>& numbers, DateLocale::Order order) {
  if (numbers.size() != 2 && numbers.size() != 3) return std::nullopt;
  for (const Roles roles : Orders(numbers.size(), order)) {
    if (const auto date = Try(numbers, roles)) return date;
  }
  return std::nullopt;
}

// With a month name, one number is the day, or the year when it cannot be
// a day of that month; two are the day and the year, in that order, or in
// the other where the locale writes the year first ("2026. szept. 9.").
std::optional<CalendarDate> NamedDate(const std::vector<long long>& numbers, int month, DateLocale::Order order) {
  if (numbers.size() == 1) {
    const int year = CurrentYear();
    if (IsReal(year, month, numbers[0])) return CalendarDate{year, month, static_cast<int>(numbers[0])};
    const std::optional<int> named = FullYear(numbers[0]);
    if (named && IsReal(*named, month, 1)) return CalendarDate{*named, month, 1};
    return std::nullopt;
  }
  if (numbers.size() == 2) {
    const bool yearFirst = order == DateLocale::Order::YearMonthDay;
    const std::optional<int> year = FullYear(numbers[yearFirst ? 0 : 1]);
    const long long day = numbers[yearFirst ? 1 : 0];
    if (year && IsReal(*year, month, day)) return CalendarDate{*year, month, static_cast<int>(day)};
  }
  return std::nullopt;
}

}  // namespace

std::optional<DATE> OleDateParser::Parse(std::u16string_view text, const DateLocale& locale) {
  std::optional<std::vector<Item>> items = Scanner(text, locale).Items();
  if (!items) return std::nullopt;
  const std::optional<Reading> reading = Read(std::move(*items));
  if (!reading) return std::nullopt;
  const TimeOfDay time = reading->time.value_or(TimeOfDay{});
  if (reading->month == 0 && reading->numbers.empty()) {
    if (!reading->time) return std::nullopt;
    return FromParts(1899, 12, 30, time.hour, time.minute, time.second);
  }
  const std::optional<CalendarDate> date = reading->month != 0 ? NamedDate(reading->numbers, reading->month, locale.DateOrder())
                                                               : NumericDate(reading->numbers, locale.DateOrder());
  if (!date) return std::nullopt;
  return FromParts(date->year, date->month, date->day, time.hour, time.minute, time.second);
}

std::optional<DATE> OleDateParser::FromParts(int year, int month, int day, int hour, int minute, int second) {
  if (!IsReal(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  using namespace std::chrono;
  const sys_days epoch = 1899y / December / 30;
  const sys_days date = year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}};
  const auto days = static_cast<double>((date - epoch).count());
  const double fraction = (hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  return days >= 0 ? days + fraction : days - fraction;
}
