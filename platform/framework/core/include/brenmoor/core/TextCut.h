#pragma once
// Where UTF-16 text is cut to fit a number of units: before a surrogate pair
// that would be split, so a cut text never ends in half a character.

#include <cstddef>
#include <string_view>

inline std::size_t UnitsThatFit(std::wstring_view text, std::size_t room) {
  if (text.size() <= room) return text.size();
  const auto high = [](wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
  const auto low = [](wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
  return room > 0 && high(text[room - 1]) && low(text[room]) ? room - 1 : room;
}
