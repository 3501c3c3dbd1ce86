#pragma once
// Pictures read back: the colour of a pixel of a PNG file.

#include <cstdint>
#include <filesystem>

namespace testsupport {

// As RGB() packs it (red in the low byte); 0xFFFFFFFF when the file is no
// PNG or the point lies outside the picture.
std::uint32_t PngPixel(const std::filesystem::path& png, int x, int y);

}  // namespace testsupport
