// The tokenizer over delimited records: reading up to each ';' and matching
// it gives the text back unit for unit, and any mix of calls under any
// options ends in values or a TokenizerException at an offset inside the text.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "brenmoor/utils/Tokenizer.h"

namespace {

constexpr wchar_t kCommentChars[] = {0, L'#', L'\n', L';'};
constexpr wchar_t kMatched[] = {L';', L',', L'\t', L' '};

void CheckFieldsGiveTheTextBack(const std::wstring& text) {
  StringTokenizerStream stream{CString(text)};
  Tokenizer tokenizer(&stream, false, 0);
  std::wstring read;
  while (true) {
    read += tokenizer.ReadUntil(L";").Str();
    if (tokenizer.Eof()) break;
    tokenizer.Match(L';');
    read += L';';
  }
  fuzzing::Require(read == text, "fields and delimiters give the text back");
}

std::size_t OffsetIn(const std::string& message) {
  return std::stoul(message.substr(message.rfind(' ') + 1));
}

// Each unit of the text also chooses the next call, so calls and text vary together.
void CheckAnyCalls(const std::wstring& text, std::uint8_t options) {
  StringTokenizerStream stream{CString(text)};
  Tokenizer tokenizer(&stream, options & 1, kCommentChars[(options >> 1) % 4]);
  for (std::size_t step = 0; step < text.size() + 4 && !tokenizer.Eof(); ++step) {
    const unsigned choice = step < text.size() ? static_cast<unsigned>(text[step]) : step;
    try {
      switch (choice % 3) {
        case 0: tokenizer.ReadUntil(L";,"); break;
        case 1: tokenizer.Match(kMatched[(choice / 3) % 4]); break;
        default: tokenizer.ReadInt(); break;
      }
    } catch (const TokenizerException& error) {
      fuzzing::Require(OffsetIn(error.what()) <= text.size(), "a failure names an offset in the text");
    }
  }
}

}  // namespace

// The first byte holds the options; the rest is the text in UTF-16LE.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::wstring text = fuzzing::Utf16UnitsOf<std::wstring>(fuzzing::AsText(data + 1, size - 1));
  CheckFieldsGiveTheTextBack(text);
  CheckAnyCalls(text, data[0]);
  return 0;
}
