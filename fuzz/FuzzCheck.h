#pragma once
// What the fuzz targets share: a check that stops the run with its reason
// (asserts vanish from optimised builds), and reading an input as pieces or
// as UTF-16 units.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Little-endian pairs of bytes as UTF-16 units; an odd last byte is left out.
template <typename Units>
Units Utf16UnitsOf(std::string_view bytes) {
  Units units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units += static_cast<typename Units::value_type>(static_cast<unsigned char>(bytes[i]) |
                                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  return units;
}

// The pieces between separators; n separators give n + 1 pieces.
inline std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    pieces.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

}  // namespace fuzzing
