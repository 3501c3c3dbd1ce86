#include "brenmoor/utils/Tokenizer.h"

#include <climits>
#include <cstdio>
#include <string_view>
#include <utility>

namespace {

// Control characters would be unreadable, or cut what() short, if quoted.
std::string Describe(wchar_t c) {
  if (c < 0x20 || c == 0x7F) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return code;
  }
  return "'" + CString(c).ToUtf8() + "'";
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

TokenizerException::TokenizerException(const std::string& expected, int offset)
    : std::runtime_error("expected " + expected + " at character offset " + std::to_string(offset)) {}

Tokenizer::Tokenizer(TokenizerStream* stream, bool skipWhiteSpace, wchar_t commentChar)
    : stream_(stream), skipWhiteSpace_(skipWhiteSpace), commentChar_(commentChar), next_(stream->NextChar()) {}

Tokenizer::~Tokenizer() = default;

bool Tokenizer::Eof() const { return stream_->AtEnd(); }

void Tokenizer::Advance() {
  next_ = stream_->NextChar();
  ++offset_;
}

void Tokenizer::SkipIgnored(wchar_t wanted) {
  while (!Eof() && next_ != wanted) {
    if (commentChar_ != 0 && next_ == commentChar_) {
      SkipComment();
    } else if (skipWhiteSpace_ && IsBlank(next_)) {
      Advance();
    } else {
      return;
    }
  }
}

void Tokenizer::SkipComment() {
  // Past the comment character first: with a line feed as comment character
  // the loop below would otherwise never advance.
  Advance();
  while (!Eof() && next_ != L'\n') Advance();
}

CString Tokenizer::ReadUntil(const wchar_t* delimiters) {
  // A view, not wcschr: wcschr would find the terminator and take 0 in the
  // text for a delimiter.
  const std::wstring_view stops = delimiters ? delimiters : L"";
  std::wstring text;
  while (!Eof() && stops.find(next_) == std::wstring_view::npos) {
    text += next_;
    Advance();
  }
  return CString(std::move(text));
}

void Tokenizer::Match(wchar_t c) {
  SkipIgnored(c);
  if (Eof() || next_ != c) throw TokenizerException(Describe(c), offset_);
  Advance();
}

bool Tokenizer::AtDigit() const { return !Eof() && next_ >= L'0' && next_ <= L'9'; }

bool Tokenizer::ReadSign() {
  if (Eof() || (next_ != L'-' && next_ != L'+')) return false;
  const bool negative = next_ == L'-';
  Advance();
  return negative;
}

long long Tokenizer::ReadDigits(long long limit, int start) {
  if (!AtDigit()) throw TokenizerException("a decimal integer", offset_);
  long long value = 0;
  while (AtDigit()) {
    value = value * 10 + (next_ - L'0');
    if (value > limit) throw TokenizerException("a decimal integer within the range of int", start);
    Advance();
  }
  return value;
}

int Tokenizer::ReadInt() {
  SkipIgnored(0);
  const int start = offset_;
  const bool negative = ReadSign();
  // Magnitudes up to -INT_MIN fit a long long, so the sign is applied last.
  const long long magnitude = ReadDigits(negative ? -static_cast<long long>(INT_MIN) : INT_MAX, start);
  return static_cast<int>(negative ? -magnitude : magnitude);
}
