#pragma once
// Pictures read back: the colours of a PNG file's pixels.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace testsupport {

class PngPixels {
 public:
  // No pixels when the file is no PNG.
  explicit PngPixels(const std::filesystem::path& png);
  // As RGB() packs it (red in the low byte); 0xFFFFFFFF outside the picture.
  std::uint32_t At(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;  // row by row
};

}  // namespace testsupport
