#include "PngPixels.h"

#include <cairo.h>

#include <cstring>

namespace testsupport {

std::uint32_t PngPixel(const std::filesystem::path& png, int x, int y) {
  cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
  std::uint32_t colour = 0xFFFFFFFF;
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS && x >= 0 && y >= 0 &&
      x < cairo_image_surface_get_width(image) && y < cairo_image_surface_get_height(image)) {
    cairo_surface_flush(image);
    std::uint32_t pixel = 0;  // 0x00RRGGBB in a native-endian word
    std::memcpy(&pixel,
                cairo_image_surface_get_data(image) + static_cast<std::size_t>(y) *
                                                          static_cast<std::size_t>(cairo_image_surface_get_stride(image)) +
                    static_cast<std::size_t>(x) * 4,
                sizeof pixel);
    colour = ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
  }
  cairo_surface_destroy(image);
  return colour;
}

}  // namespace testsupport
