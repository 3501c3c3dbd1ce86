#pragma once
// The framework's string: UTF-16 text, one code unit in each wchar_t (on
// this platform wchar_t is wider; surrogate pairs stay pairs).

#include <compare>
#include <string>
#include <string_view>

#include "brenmoor/core/WinTypes.h"

class CString {
 public:
  CString() = default;
  CString(const wchar_t* text) : text_(text ? text : L"") {}  // NOLINT: as the framework's
  CString(const wchar_t* text, int length)
      : text_(text != nullptr && length > 0 ? std::wstring(text, static_cast<std::size_t>(length))
                                            : std::wstring()) {}
  CString(wchar_t character, int repeat = 1)
      : text_(static_cast<std::size_t>(repeat > 0 ? repeat : 0), character) {}
  explicit CString(std::wstring text) : text_(std::move(text)) {}
  ~CString() = default;
  CString(const CString&) = default;
  CString& operator=(const CString&) = default;
  CString(CString&&) = default;
  CString& operator=(CString&&) = default;

  // Exact conversions at the edges of the framework.
  static CString FromUtf8(std::string_view utf8);
  std::string ToUtf8() const;
  // Adds the UTF-8 form to what the buffer holds, so a writer can reuse one buffer.
  void AppendUtf8(std::string& out) const { AppendUtf8(text_, out); }
  static void AppendUtf8(std::wstring_view text, std::string& out);
  // Writes the UTF-8 of the text at out, which has room for four bytes a
  // unit; returns the end of what it wrote.
  static char* WriteUtf8(std::wstring_view text, char* out);
  std::u16string ToUtf16() const;
  static CString FromUtf16(std::u16string_view utf16);

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  wchar_t GetAt(int index) const { return text_.at(static_cast<std::size_t>(index)); }
  wchar_t operator[](int index) const { return GetAt(index); }
  void SetAt(int index, wchar_t character) { text_.at(static_cast<std::size_t>(index)) = character; }
  operator const wchar_t*() const { return text_.c_str(); }  // NOLINT: as the framework's
  const std::wstring& Str() const { return text_; }
  const wchar_t* GetString() const { return text_.c_str(); }

  // Loads a string of the host's resources through the chain of modules;
  // false, and the string unchanged, when no module holds the id.
  BOOL LoadString(UINT id);

  CString Left(int count) const;
  CString Mid(int first, int count) const;
  CString Mid(int first) const;
  CString Right(int count) const;
  int Find(wchar_t character, int start = 0) const;
  int Find(const wchar_t* text, int start = 0) const;
  int Compare(const wchar_t* other) const { return text_.compare(other ? other : L""); }

  CString& operator+=(const CString& other) {
    text_ += other.text_;
    return *this;
  }
  CString& operator+=(wchar_t character) {
    text_ += character;
    return *this;
  }
  friend CString operator+(CString left, const CString& right) { return left += right; }
  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.text_ == (b ? b : L""); }
  friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
    return a.text_ <=> b.text_;
  }

 private:
  std::wstring text_;
};
