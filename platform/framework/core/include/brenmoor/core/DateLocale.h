#pragma once
// The user's conventions for dates as the platform's automation date parser
// reads them: month and weekday names with their abbreviations, the AM and
// PM markers, and the order and separator of numeric dates. ICU's data for
// the locale that the environment names supplies all of them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DateLocale {
 public:
  enum class Order { MonthDayYear, DayMonthYear, YearMonthDay };
  enum class WordKind { Month, Weekday, Am, Pm };
  struct Word {
    WordKind kind;
    int month;  // 1 to 12 for a month name, else 0
  };

  // An ICU locale name such as "en_US"; a locale ICU does not know reads as en_US.
  explicit DateLocale(const std::string& name);

  // The locale named by LC_ALL, else LC_TIME, else LANG, without its
  // encoding or modifier; en_US when none is set or it is "C" or "POSIX".
  static std::string NameFromEnvironment();
  // The locale of the environment as it is now; built again only when the name changes.
  static const DateLocale& FromEnvironment();
  // Case folded as ICU folds it, for comparisons without regard to case.
  static std::u16string Fold(std::u16string_view text);

  const std::string& Name() const { return name_; }
  Order DateOrder() const { return order_; }
  // Between the numbers of the locale's short dates: '/' in en_US, '.' in de_DE.
  char16_t DateSeparator() const { return dateSeparator_; }
  // A folded word that names a month or weekday in full or abbreviated, or
  // an AM or PM marker or a beginning of one ("a", "p" in en_US). The first
  // three letters of a month's full name name it too ("Sep" where ICU
  // abbreviates "Sept").
  std::optional<Word> Find(std::u16string_view folded) const;
  // A folded word that the locale's own date forms write between their
  // fields ("年" in ja_JP, "de" in es_ES, "г." in ru_RU, "월" after a month's
  // number in ko_KR), which says nothing and comes before any name.
  bool IsLiteral(std::u16string_view folded) const;
  // Marks that order text for display (U+200F after the numbers of an
  // Arabic date, say), which are no part of a date.
  static bool IsDirectionMark(char16_t character);

 private:
  struct KnownName {
    std::u16string folded;
    Word word;
  };

  void ReadNames(const std::string& name);
  void ReadDateShape(const std::string& name);
  void ReadLiterals(const std::string& name);
  void AddName(std::u16string folded, Word word);
  void AddLiteralAfterNumber(const std::u16string& folded);

  std::string name_;
  std::string requested_;  // the name asked for, which may differ from the one read
  Order order_ = Order::MonthDayYear;
  char16_t dateSeparator_ = u'/';
  std::vector<KnownName> names_;
  std::vector<std::u16string> literals_;
  std::u16string am_;
  std::u16string pm_;
};
