#include "SortKeys.h"

#include <climits>
#include <limits>

#include "brenmoor/core/CRuntimeNumbers.h"
#include "Utils.h"

TextKey::TextKey(const CString& text) : value_(text.Str()) {
  for (wchar_t& character : value_) {
    if (character >= L'A' && character <= L'Z') character = static_cast<wchar_t>(character - L'A' + L'a');
  }
}

DateTimeKey::DateTimeKey(const CString& text) { value_.ParseDateTime(text); }

IntegerKey::IntegerKey(const CString& text) : value_(text.IsEmpty() ? INT_MIN : crt::wtoi(text)) {}

DoubleKey::DoubleKey(const CString& text)
    : value_(text.IsEmpty() ? std::numeric_limits<double>::lowest() : crt::atof(Utils::ToANSI(text).c_str())) {}
