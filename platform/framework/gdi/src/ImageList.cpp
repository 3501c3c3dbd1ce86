#include "brenmoor/gdi/ImageList.h"

#include <algorithm>
#include <utility>

#include "brenmoor/core/Desktop.h"
#include "brenmoor/core/HandleTable.h"

namespace {

struct IconTable : Desktop::Part {
  void CountAlive(std::map<std::string, std::ptrdiff_t>& alive) const override {
    alive["icon"] += static_cast<std::ptrdiff_t>(icons.Count());
  }

  HandleTable<HICON, IconImage> icons{0x30000000};
};

HandleTable<HICON, IconImage>& Icons() { return Desktop::Current().Get<IconTable>().icons; }

// Nearest-neighbour scaling; an image without pixels stays transparent black.
IconImage Scaled(const IconImage& image, CSize size) {
  IconImage scaled{size.cx, size.cy, std::vector<COLORREF>(static_cast<std::size_t>(size.cx * size.cy))};
  const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() != expected) return scaled;
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      const int from = (y * image.height / size.cy) * image.width + x * image.width / size.cx;
      scaled.pixels[static_cast<std::size_t>(y * size.cx + x)] = image.pixels[static_cast<std::size_t>(from)];
    }
  }
  return scaled;
}

}  // namespace

HICON CreateIconFromImage(const IconImage& image) {
  return Icons().Add(image);
}

HICON LoadIcon(HINSTANCE module, UINT id) {
  const IconImage* icon = AfxFindResource<IconImage>(module, id);
  return icon != nullptr ? CreateIconFromImage(*icon) : nullptr;
}

BOOL DestroyIcon(HICON icon) { return Icons().Remove(icon); }

const IconImage* GetIconImage(HICON icon) { return Icons().Find(icon); }

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (created_ || cx <= 0 || cy <= 0) return false;
  created_ = true;
  size_ = {cx, cy};
  flags_ = flags;
  grow_ = grow;
  images_.reserve(static_cast<std::size_t>(std::max(initial, 0)));
  return true;
}

BOOL CImageList::DeleteImageList() {
  images_.clear();
  return std::exchange(created_, false);
}

int CImageList::Add(HICON icon) {
  const IconImage* image = GetIconImage(icon);
  if (!created_ || image == nullptr) return -1;
  images_.push_back(Scaled(*image, size_));
  return GetImageCount() - 1;
}
