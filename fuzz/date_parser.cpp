// The date parser in en-US, de-DE and ja-JP: any text parses or not without
// a crash, and a value that parses, written out and parsed again, is the
// same date and time. Beside it, a date from the input, written in each
// locale's own short, medium and long forms by ICU, reads back as that date.

#include <stdlib.h>
#include <unicode/datefmt.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <array>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "brenmoor/core/COleDateTime.h"
#include "brenmoor/core/CTime.h"
#include "brenmoor/core/DateLocale.h"
#include "FuzzCheck.h"
#include "brenmoor/core/OleDateParser.h"

namespace {

constexpr std::array kTextLocales{"en_US", "de_DE", "ja_JP"};
constexpr std::array kFormLocales{"en_US", "en_GB", "de_DE", "ja_JP", "hu_HU", "ar_EG", "zh_CN", "ko_KR"};
// Dates from 1930 to 2029, which two-digit years name without doubt.
constexpr int kFirstYear = 1930;
constexpr int kDays = 100 * 365;

const DateLocale& Locale(const char* name) {
  static std::vector<std::pair<std::string, std::unique_ptr<DateLocale>>> made;
  for (const auto& [known, locale] : made) {
    if (known == name) return *locale;
  }
  made.emplace_back(name, std::make_unique<DateLocale>(name));
  return *made.back().second;
}

// The locale's date forms, made once: they are costly to build.
struct Forms {
  const char* locale;
  std::vector<std::unique_ptr<icu::DateFormat>> formats;
};

const std::vector<Forms>& AllForms() {
  static const std::vector<Forms> all = [] {
    std::vector<Forms> made;
    for (const char* name : kFormLocales) {
      Forms forms{name, {}};
      for (const auto style : {icu::DateFormat::kShort, icu::DateFormat::kMedium, icu::DateFormat::kLong}) {
        forms.formats.emplace_back(icu::DateFormat::createDateInstance(style, icu::Locale(name)));
        forms.formats.back()->adoptTimeZone(icu::TimeZone::createTimeZone("UTC"));
      }
      made.push_back(std::move(forms));
    }
    return made;
  }();
  return all;
}

std::u16string ToU16(const std::wstring& text) { return {text.begin(), text.end()}; }

void CheckParsedWritesBack(const std::u16string& text, const DateLocale& locale) {
  const std::optional<DATE> parsed = OleDateParser::Parse(text, locale);
  if (!parsed) return;
  const COleDateTime value(*parsed);
  const CString written = value.Format(L"%Y-%m-%d %H:%M:%S");
  const std::optional<DATE> again = OleDateParser::Parse(ToU16(written.Str()), locale);
  fuzzing::Require(again.has_value() && *again == *parsed, "a parsed value written out parses to itself");
}

void CheckLocaleForms(const Forms& forms, int dayOffset) {
  static icu::GregorianCalendar* const calendar = [] {
    UErrorCode status = U_ZERO_ERROR;
    auto* made = new icu::GregorianCalendar(icu::TimeZone::createTimeZone("UTC"), status);
    fuzzing::Require(U_SUCCESS(status), "a calendar");
    return made;
  }();
  UErrorCode status = U_ZERO_ERROR;
  calendar->clear();
  calendar->set(kFirstYear, UCAL_JANUARY, 1);
  calendar->add(UCAL_DATE, dayOffset, status);
  const int year = calendar->get(UCAL_YEAR, status);
  const int month = calendar->get(UCAL_MONTH, status) + 1;
  const int day = calendar->get(UCAL_DATE, status);
  const UDate moment = calendar->getTime(status);
  fuzzing::Require(U_SUCCESS(status), "a date to write");
  const std::optional<DATE> expected = OleDateParser::FromParts(year, month, day, 0, 0, 0);
  for (const auto& format : forms.formats) {
    icu::UnicodeString text;
    format->format(moment, text);
    const std::u16string written(text.getBuffer(), static_cast<std::size_t>(text.length()));
    const std::optional<DATE> parsed = OleDateParser::Parse(written, Locale(forms.locale));
    if (!parsed || *parsed != *expected) {
      std::string shown;
      text.toUTF8String(shown);
      std::fprintf(stderr, "%s: \"%s\"\n", forms.locale, shown.c_str());
    }
    fuzzing::Require(parsed.has_value() && *parsed == *expected, "a locale's own date forms read back");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  return 0;
}

// The first byte picks the locale of the text and the locale whose forms
// write the date that the next two bytes pick; the rest is the text, UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  static const CTime::Substitute now{CTime(2026, 7, 15, 12, 0, 0)};
  const char* name = kTextLocales[data[0] % kTextLocales.size()];
  const std::string_view bytes = fuzzing::AsText(data + 3, size - 3);
  const CString text = CString::FromUtf8(bytes);
  CheckParsedWritesBack(ToU16(text.Str()), Locale(name));
  if (name == kTextLocales[0]) {
    COleDateTime date;
    const bool accepted = date.ParseDateTime(text.Str().c_str());
    fuzzing::Require(accepted == (date.GetStatus() == COleDateTime::valid), "the answer matches the status");
  }
  const Forms& forms = AllForms()[data[0] / kTextLocales.size() % kFormLocales.size()];
  CheckLocaleForms(forms, (data[1] | data[2] << 8) % kDays);
  return 0;
}
