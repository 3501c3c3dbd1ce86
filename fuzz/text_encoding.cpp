// The conversions between the machine's encodings and this host's: ANSI
// text survives the trip through UTF-8 byte for byte, UTF-16 through UTF-8
// unit for unit (an unpaired surrogate becomes U+FFFD), and case folding is
// stable.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "TextEncoding.h"

namespace {

namespace encoding = platform::encoding;

bool IsLead(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsTrail(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::u16string WithUnpairedSurrogatesReplaced(std::u16string units) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (IsLead(units[i]) && i + 1 < units.size() && IsTrail(units[i + 1])) {
      ++i;
    } else if (IsLead(units[i]) || IsTrail(units[i])) {
      units[i] = 0xFFFD;
    }
  }
  return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzzing::AsText(data, size);
  fuzzing::Require(encoding::AnsiFromUtf8(encoding::Utf8FromAnsi(bytes)) == bytes,
                   "ANSI text survives UTF-8");
  const std::u16string units = fuzzing::Utf16UnitsOf<std::u16string>(bytes);
  fuzzing::Require(encoding::Utf16FromUtf8(encoding::Utf8FromUtf16(units)) ==
                       WithUnpairedSurrogatesReplaced(units),
                   "UTF-16 survives UTF-8, unpaired surrogates replaced");
  const std::u16string fromUtf8 = encoding::Utf16FromUtf8(bytes);
  fuzzing::Require(encoding::Utf16FromUtf8(encoding::Utf8FromUtf16(fromUtf8)) == fromUtf8,
                   "text read from UTF-8 survives a second trip");
  const std::string folded = encoding::FoldCase(bytes);
  fuzzing::Require(encoding::FoldCase(folded) == folded, "folding case twice changes nothing");
  fuzzing::Require(encoding::AnsiFromUtf8(bytes).size() <= bytes.size(),
                   "ANSI text is never longer than its UTF-8");
  return 0;
}
