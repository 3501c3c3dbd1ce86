#include "brenmoor/core/DateLocale.h"

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
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

constexpr std::size_t kShortMonthLetters = 3;

// The pattern of one of the locale's date forms; empty when ICU has none.
icu::UnicodeString DatePattern(icu::DateFormat::EStyle style, const std::string& name) {
  std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(style, icu::Locale(name.c_str())));
  const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(format.get());
  icu::UnicodeString pattern;
  if (simple != nullptr) simple->toPattern(pattern);
  return pattern;
}

// The pattern's text outside its fields (quoted text included), as blank-separated words.
std::vector<std::u16string> PatternWords(const icu::UnicodeString& pattern) {
  std::vector<std::u16string> words(1);
  bool quoted = false;
  for (int32_t i = 0; i < pattern.length(); ++i) {
    const char16_t character = pattern.charAt(i);
    if (character == u'\'') {
      quoted = !quoted;
      continue;
    }
    if ((!quoted && IsPatternLetter(character)) || u_isUWhiteSpace(character) ||
        DateLocale::IsDirectionMark(character)) {
      if (!words.back().empty()) words.emplace_back();
      continue;
    }
    words.back() += character;
  }
  return words;
}

}  // namespace

DateLocale::DateLocale(const std::string& name)
    : name_(IcuKnowsLanguage(name) ? name : kFallbackLocale), requested_(name) {
  ReadNames(name_);
  ReadDateShape(name_);
  ReadLiterals(name_);
}

bool DateLocale::IsDirectionMark(char16_t character) {
  return character == u'\u200E' || character == u'\u200F' || character == u'\u061C' ||
         (character >= u'\u202A' && character <= u'\u202E') || (character >= u'\u2066' && character <= u'\u2069');
}

bool DateLocale::IsLiteral(std::u16string_view folded) const {
  for (const std::u16string& literal : literals_) {
    if (literal == folded) return true;
  }
  return false;
}

// Words with a letter: separators such as "/" or "." the scanner knows already.
void DateLocale::ReadLiterals(const std::string& name) {
  for (const auto style : {icu::DateFormat::kShort, icu::DateFormat::kMedium, icu::DateFormat::kLong,
                           icu::DateFormat::kFull}) {
    for (const std::u16string& word : PatternWords(DatePattern(style, name))) {
      const bool lettered = std::any_of(word.begin(), word.end(), [](char16_t c) { return u_isalpha(c) != 0; });
      if (!lettered) continue;
      std::u16string folded = Fold(word);
      if (!IsLiteral(folded)) literals_.push_back(std::move(folded));
    }
  }
}

// A name that is a number and a word ("9월", "9月") makes the word one of the locale's date words.
void DateLocale::AddLiteralAfterNumber(const std::u16string& folded) {
  std::size_t digits = 0;
  while (digits < folded.size() && u_isdigit(folded[digits])) ++digits;
  if (digits == 0 || digits == folded.size()) return;
  const std::u16string word = folded.substr(digits);
  if (!IsLiteral(word)) literals_.push_back(word);
}

void DateLocale::AddName(std::u16string folded, Word word) {
  for (const KnownName& known : names_) {
    if (known.folded == folded) return;
  }
  names_.push_back({std::move(folded), word});
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
    AddLiteralAfterNumber(folded);
    AddName(std::move(folded), word);
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
  // After every name ICU gives, so a name of its own always wins.
  const icu::UnicodeString* wide = symbols.getMonths(count, icu::DateFormatSymbols::FORMAT, icu::DateFormatSymbols::WIDE);
  for (int32_t i = 0; i < count && i < 12; ++i) {
    const std::u16string folded = Fold(ToU16(wide[i]));
    const bool letters = folded.size() > kShortMonthLetters &&
                         std::all_of(folded.begin(), folded.begin() + kShortMonthLetters,
                                     [](char16_t c) { return u_isalpha(c) != 0; });
    if (letters) AddName(folded.substr(0, kShortMonthLetters), {WordKind::Month, i + 1});
  }
  const icu::UnicodeString* markers = symbols.getAmPmStrings(count);
  if (count >= 2) {
    am_ = Fold(ToU16(markers[0]));
    pm_ = Fold(ToU16(markers[1]));
  }
}

// The order of year, month and day in the locale's short date pattern, and
// the first separator between two of them.
void DateLocale::ReadDateShape(const std::string& name) {
  const icu::UnicodeString pattern = DatePattern(icu::DateFormat::kShort, name);
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
    if (afterField && !separatorFound && !IsPatternLetter(character) && !u_isUWhiteSpace(character) &&
        !IsDirectionMark(character)) {
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
