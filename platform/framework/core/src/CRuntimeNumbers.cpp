#include "brenmoor/core/CRuntimeNumbers.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <string>

namespace crt {

namespace {

template <typename Character>
const Character* SkipBlanks(const Character* text) {
  while (*text == ' ' || *text == '\t') ++text;
  return text;
}

template <typename Character>
bool IsDigit(Character character) {
  return character >= '0' && character <= '9';
}

const char* SkipDigits(const char* text) {
  while (IsDigit(*text)) ++text;
  return text;
}

// The "C" locale, so that the decimal point is "." whatever the process chose.
locale_t ClassicLocale() {
  static const locale_t classic = newlocale(LC_ALL_MASK, "C", nullptr);
  return classic;
}

}  // namespace

int wtoi(const wchar_t* text) {
  if (text == nullptr) return 0;
  text = SkipBlanks(text);
  const bool negative = *text == L'-';
  if (*text == L'-' || *text == L'+') ++text;
  long long magnitude = 0;
  for (; IsDigit(*text); ++text) {
    magnitude = magnitude * 10 + (*text - L'0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) return magnitude > static_cast<long long>(INT_MAX) ? INT_MIN : static_cast<int>(-magnitude);
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

double atof(const char* text) {
  if (text == nullptr) return 0.0;
  const char* start = SkipBlanks(text);
  const char* cursor = start;
  if (*cursor == '-' || *cursor == '+') ++cursor;
  const char* digits = cursor;
  cursor = SkipDigits(cursor);
  bool anyDigit = cursor != digits;
  if (*cursor == '.') {
    const char* fraction = cursor + 1;
    const char* end = SkipDigits(fraction);
    anyDigit = anyDigit || end != fraction;
    if (anyDigit) cursor = end;
  }
  if (!anyDigit) return 0.0;
  if (*cursor == 'e' || *cursor == 'E') {
    const char* exponent = cursor + 1;
    if (*exponent == '-' || *exponent == '+') ++exponent;
    const char* end = SkipDigits(exponent);
    if (end != exponent) cursor = end;
  }
  // Most numbers convert in place; a value beyond double's range takes what strtod gives it.
  double value = 0.0;
  const auto [end, error] = std::from_chars(*start == '+' ? start + 1 : start, cursor, value);
  if (error == std::errc() && end == cursor) return value;
  const std::string number(start, cursor);
  return strtod_l(number.c_str(), nullptr, ClassicLocale());
}

}  // namespace crt
