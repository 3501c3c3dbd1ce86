#pragma once
// Icons from the host's resources and image lists: rows of equally sized
// images (with masks) that list controls and menus show by index.

#include <vector>

#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/Geometry.h"

struct HICON__;
using HICON = HICON__*;

// An icon as a host registers it: its size and pixels, row by row.
struct IconImage {
  int width = 16;
  int height = 16;
  std::vector<COLORREF> pixels;
};
template <>
struct ResourceType<IconImage> {
  static constexpr UINT value = RT_ICON;
};

HICON CreateIconFromImage(const IconImage& image);
// From the module, or searched through the chain when it is null; null when not found.
HICON LoadIcon(HINSTANCE module, UINT id);
BOOL DestroyIcon(HICON icon);
// Null for a dead handle.
const IconImage* GetIconImage(HICON icon);

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;

class CImageList {
 public:
  CImageList() = default;
  ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // False when the list exists already or the image size is not positive.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL DeleteImageList();
  bool IsCreated() const { return created_; }
  // The icon's index; -1 when the list is not made or the icon is dead. The
  // list keeps its own copy, scaled to the list's image size.
  int Add(HICON icon);
  int GetImageCount() const { return static_cast<int>(images_.size()); }
  CSize GetImageSize() const { return size_; }
  UINT GetFlags() const { return flags_; }
  int GetGrowBy() const { return grow_; }
  const IconImage& GetImage(int index) const { return images_.at(static_cast<std::size_t>(index)); }

 private:
  bool created_ = false;
  CSize size_;
  UINT flags_ = 0;
  int grow_ = 0;
  std::vector<IconImage> images_;
};
