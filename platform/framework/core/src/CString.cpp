#include "brenmoor/core/CString.h"

#include <algorithm>
#include <cstdio>

#include "brenmoor/core/CResourceModule.h"
#include "TextEncoding.h"

namespace {

std::size_t Clamp(int value, std::size_t limit) {
  return value < 0 ? 0 : std::min(static_cast<std::size_t>(value), limit);
}

}  // namespace

CString CString::FromUtf16(std::u16string_view utf16) {
  return CString(std::wstring(utf16.begin(), utf16.end()));
}

// A wide character beyond UTF-16 (a literal written as one code point) becomes its pair.
std::u16string CString::ToUtf16() const {
  std::u16string out;
  out.reserve(text_.size());
  for (wchar_t unit : text_) {
    const auto value = static_cast<std::uint32_t>(unit);
    if (value > 0xFFFF && value <= 0x10FFFF) {
      out += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(value > 0x10FFFF ? 0xFFFD : value);
    }
  }
  return out;
}

CString CString::FromUtf8(std::string_view utf8) {
  return FromUtf16(platform::encoding::Utf16FromUtf8(utf8));
}

std::string CString::ToUtf8() const {
  std::string out;
  AppendUtf8(out);
  return out;
}

// As ToUtf16 then UTF-8: a surrogate pair, or a wide character beyond UTF-16,
// is one four-byte sequence; an unpaired surrogate becomes U+FFFD.
void CString::AppendUtf8(std::wstring_view text, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + 4 * text.size());  // the most one wide character can take
  out.resize(static_cast<std::size_t>(WriteUtf8(text, out.data() + start) - out.data()));
}

char* CString::WriteUtf8(std::wstring_view text, char* next) {
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    auto value = static_cast<std::uint32_t>(text[i]);
    if (value < 0x80) {
      *next++ = static_cast<char>(value);
      continue;
    }
    if (value >= 0xD800 && value <= 0xDBFF && i + 1 < size) {
      const auto low = static_cast<std::uint32_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) value = 0xFFFD;
    if (value < 0x800) {
      *next++ = static_cast<char>(0xC0 | (value >> 6));
    } else if (value < 0x10000) {
      *next++ = static_cast<char>(0xE0 | (value >> 12));
      *next++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    } else {
      *next++ = static_cast<char>(0xF0 | (value >> 18));
      *next++ = static_cast<char>(0x80 | ((value >> 12) & 0x3F));
      *next++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    }
    *next++ = static_cast<char>(0x80 | (value & 0x3F));
  }
  return next;
}

// A missing string leaves the text as it was; the line on standard error
// tells the developer why, as the framework's trace does.
BOOL CString::LoadString(UINT id) {
  const CString* found = AfxFindResource<CString>(nullptr, id);
  if (found == nullptr) {
    std::fprintf(stderr, "host string %u is missing\n", id);
    return false;
  }
  *this = *found;
  return true;
}

CString CString::Left(int count) const { return CString(text_.substr(0, Clamp(count, text_.size()))); }

CString CString::Mid(int first, int count) const {
  const std::size_t start = Clamp(first, text_.size());
  return CString(text_.substr(start, Clamp(count, text_.size() - start)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Right(int count) const {
  const std::size_t length = Clamp(count, text_.size());
  return CString(text_.substr(text_.size() - length));
}

int CString::Find(wchar_t character, int start) const {
  const std::size_t at = text_.find(character, Clamp(start, text_.size()));
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* text, int start) const {
  const std::size_t at = text_.find(text ? text : L"", Clamp(start, text_.size()));
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}
