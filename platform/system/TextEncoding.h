#pragma once
// Exact conversions at the edge between the emulated Windows machine (ANSI
// code page Windows-1252, UTF-16LE files) and Linux (UTF-8).

#include <string>
#include <string_view>

namespace platform::encoding {

// The ANSI code pages a machine may use. With UTF-8 the ANSI text is the
// UTF-8 text itself.
enum class CodePage { Windows1252, Utf8 };

// Every byte maps to one code point; the five bytes that Windows-1252 leaves
// undefined map to the C1 controls of the same value, as Windows maps them.
std::string Utf8FromAnsi(std::string_view ansi);
// Characters Windows-1252 cannot hold become '?'. Bytes that are not valid
// UTF-8 are taken as ANSI bytes, so nothing is lost.
std::string AnsiFromUtf8(std::string_view utf8);

// The same in the code page given.
std::string Utf8FromAnsi(std::string_view ansi, CodePage page);
std::string AnsiFromUtf8(std::string_view utf8, CodePage page);

// Unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);
// Invalid UTF-8 bytes become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);

// Lower case for the letters the ANSI code page holds (names on the machine
// compare without regard to case); other characters and bytes that are not
// valid UTF-8 stay as they are.
std::string FoldCase(std::string_view utf8);

}  // namespace platform::encoding
