#include "brenmoor/win/SortKeys.h"

#include <array>
#include <climits>
#include <limits>

#include "brenmoor/core/CRuntimeNumbers.h"
#include "brenmoor/utils/Utils.h"

namespace {

// ASCII text is its own ANSI form: short cells skip the conversion.
double ReadDouble(const wchar_t* text, std::size_t length) {
  std::array<char, 64> ansi;
  if (length < ansi.size()) {
    bool ascii = true;
    for (std::size_t i = 0; i < length; ++i) {
      ascii &= static_cast<unsigned>(text[i]) < 0x80;
      ansi[i] = static_cast<char>(text[i]);
    }
    ansi[length] = '\0';
    if (ascii) return crt::atof(ansi.data());
  }
  return crt::atof(Utils::ToANSI(CString(text, static_cast<int>(length))).c_str());
}

}  // namespace

TextKey::TextKey(const wchar_t* text, std::size_t length) : value_(text, length) {
  for (wchar_t& character : value_) {
    if (character >= L'A' && character <= L'Z') character = static_cast<wchar_t>(character - L'A' + L'a');
  }
}

DateTimeKey::DateTimeKey(const wchar_t* text, std::size_t) { value_.ParseDateTime(text); }

IntegerKey::IntegerKey(const wchar_t* text, std::size_t length) : value_(length == 0 ? INT_MIN : crt::wtoi(text)) {}

DoubleKey::DoubleKey(const wchar_t* text, std::size_t length)
    : value_(length == 0 ? std::numeric_limits<double>::lowest() : ReadDouble(text, length)) {}
