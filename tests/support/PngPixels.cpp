#include "PngPixels.h"

#include <cairo.h>

#include <cstring>

namespace testsupport {

PngPixels::PngPixels(const std::filesystem::path& png) {
  cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(image);
    width_ = cairo_image_surface_get_width(image);
    height_ = cairo_image_surface_get_height(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(image));
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        std::uint32_t pixel = 0;  // 0x00RRGGBB in a native-endian word
        std::memcpy(&pixel, data + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4,
                    sizeof pixel);
        pixels_.push_back(((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16));
      }
    }
  }
  cairo_surface_destroy(image);
}

std::uint32_t PngPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

}  // namespace testsupport
