#include "brenmoor/core/DateLocale.h"

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr const char* kFallbackLocale = "en_US";

std::u16string ToU16(const icu::UnicodeString& text) {
  return std::u16string(text.getBuffer(), static_cast<std::size_t>(text.length()));
}

// ICU quietly answers with its default locale's data for a language it does
// not know; such a name reads as the fallback instead.
bool IcuKnowsLanguage(const std::string& name) {
  const icu::Locale wanted(name.c_str());
  int32_t count = 0;
  const icu::Locale* available = icu::Locale::getAvailableLocales(count);
  for (int32_t i = 0; i < count; ++i) {
    if (std::strcmp(available[i].getLanguage(), wanted.getLanguage()) == 0) return true;
  }
  return false;
}

bool IsPatternLetter(char16_t character) {
  return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
}

}  // namespace

DateLocale::DateLocale(const std::string& name)
    : name_(IcuKnowsLanguage(name) ? name : kFallbackLocale), requested_(name) {
  ReadNames(name_);
  ReadDateShape(name_);
}

std::string DateLocale::NameFromEnvironment() {
  std::string name;
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      name = value;
      break;
    }
  }
  name = name.substr(0, name.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") return kFallbackLocale;
  return name;
}

const DateLocale& DateLocale::FromEnvironment() {
  static std::unique_ptr<DateLocale> current;
  const std::string name = NameFromEnvironment();
  if (current == nullptr || current->requested_ != name) current = std::make_unique<DateLocale>(name);
  return *current;
}

std::u16string DateLocale::Fold(std::u16string_view text) {
  icu::UnicodeString folded(text.data(), static_cast<int32_t>(text.size()));
  return ToU16(folded.foldCase());
}

std::optional<DateLocale::Word> DateLocale::Find(std::u16string_view folded) const {
  for (const KnownName& name : names_) {
    if (name.folded == folded) return name.word;
  }
  if (folded.empty()) return std::nullopt;
  if (std::u16string_view(am_).starts_with(folded)) return Word{WordKind::Am, 0};
  if (std::u16string_view(pm_).starts_with(folded)) return Word{WordKind::Pm, 0};
  return std::nullopt;
}

// Full and abbreviated names, in the forms used inside a date and standing alone.
void DateLocale::ReadNames(const std::string& name) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DateFormatSymbols symbols(icu::Locale(name.c_str()), status);
  if (U_FAILURE(status)) return;
  const auto add = [this](const icu::UnicodeString& text, Word word) {
    if (text.isEmpty()) return;
    std::u16string folded = Fold(ToU16(text));
    for (const KnownName& known : names_) {
      if (known.folded == folded) return;
    }
    names_.push_back({std::move(folded), word});
  };
  for (const auto context : {icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::STANDALONE}) {
    for (const auto width : {icu::DateFormatSymbols::WIDE, icu::DateFormatSymbols::ABBREVIATED}) {
      int32_t count = 0;
      const icu::UnicodeString* months = symbols.getMonths(count, context, width);
      for (int32_t i = 0; i < count && i < 12; ++i) add(months[i], {WordKind::Month, i + 1});
      const icu::UnicodeString* weekdays = symbols.getWeekdays(count, context, width);
      for (int32_t i = 1; i < count; ++i) add(weekdays[i], {WordKind::Weekday, 0});
    }
  }
  int32_t count = 0;
  const icu::UnicodeString* markers = symbols.getAmPmStrings(count);
  if (count >= 2) {
    am_ = Fold(ToU16(markers[0]));
    pm_ = Fold(ToU16(markers[1]));
  }
}

// The order of year, month and day in the locale's short date pattern, and
// the first separator between two of them.
void DateLocale::ReadDateShape(const std::string& name) {
  std::unique_ptr<icu::DateFormat> format(
      icu::DateFormat::createDateInstance(icu::DateFormat::kShort, icu::Locale(name.c_str())));
  const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(format.get());
  if (simple == nullptr) return;
  icu::UnicodeString pattern;
  simple->toPattern(pattern);
  int year = -1;
  int month = -1;
  int day = -1;
  bool quoted = false;
  bool separatorFound = false;
  for (int32_t i = 0; i < pattern.length(); ++i) {
    const char16_t character = pattern.charAt(i);
    if (character == u'\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    if (character == u'y' && year < 0) year = i;
    if ((character == u'M' || character == u'L') && month < 0) month = i;
    if (character == u'd' && day < 0) day = i;
    const bool afterField = year >= 0 || month >= 0 || day >= 0;
    if (afterField && !separatorFound && !IsPatternLetter(character) && !u_isUWhiteSpace(character)) {
      dateSeparator_ = character;
      separatorFound = true;
    }
  }
  if (year < 0 || month < 0 || day < 0) return;
  if (year < month && year < day) {
    order_ = Order::YearMonthDay;
  } else if (day < month) {
    order_ = Order::DayMonthYear;
  } else {
    order_ = Order::MonthDayYear;
  }
}
