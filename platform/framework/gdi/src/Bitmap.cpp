#include "brenmoor/gdi/Bitmap.h"

#include <utility>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"
#include "brenmoor/gdi/RasterSurface.h"

namespace {

struct BitmapRecord {
  int width;
  int height;
  std::vector<COLORREF> pixels;  // row by row
};

struct BitmapTable : Desktop::Part {
  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["bitmap"] += static_cast<std::ptrdiff_t>(table.Count());
  }

  HandleTable<HBITMAP, BitmapRecord> table{0x10000000};
};

HandleTable<HBITMAP, BitmapRecord>& Table() { return Desktop::Current().Get<BitmapTable>().table; }

BitmapRecord* Find(HBITMAP bitmap) { return Table().Find(bitmap); }

}  // namespace

HBITMAP CreateBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  return Table().Add(
      {width, height, std::vector<COLORREF>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))});
}

BOOL DeleteBitmap(HBITMAP bitmap) { return Table().Remove(bitmap); }
bool IsBitmap(HBITMAP bitmap) { return Find(bitmap) != nullptr; }

CSize GetBitmapSize(HBITMAP bitmap) {
  const BitmapRecord* record = Find(bitmap);
  return record != nullptr ? CSize(record->width, record->height) : CSize();
}

COLORREF GetBitmapPixel(HBITMAP bitmap, int x, int y) {
  const BitmapRecord* record = Find(bitmap);
  if (record == nullptr || x < 0 || y < 0 || x >= record->width || y >= record->height) return 0;
  return record->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(record->width) +
                        static_cast<std::size_t>(x)];
}

CBitmap::~CBitmap() { DeleteBitmap(Detach()); }

BOOL CBitmap::CreateBitmap(int width, int height) {
  if (bitmap_ != nullptr) return false;
  bitmap_ = ::CreateBitmap(width, height);
  created_ = bitmap_ != nullptr;
  return created_;
}

BOOL CBitmap::CreateFromImage(const RasterSurface& image) {
  const int width = image.Width();
  const int height = image.Height();
  if (!CreateBitmap(width, height)) return false;
  BitmapRecord& record = *Find(bitmap_);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      record.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          image.Pixel(x, y);
    }
  }
  return true;
}

HBITMAP CBitmap::Detach() {
  created_ = false;
  return std::exchange(bitmap_, nullptr);
}
