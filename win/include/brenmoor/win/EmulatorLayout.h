#pragma once
// The look of a terminal screen: the styles keyed by video attributes, the
// two fonts they use, the measured cell size and the window background. The
// host derives the concrete layout, which supplies the cell geometry.

#include <array>
#include <memory>
#include <unordered_map>

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/win/CellAttributes.h"
#include "brenmoor/win/FontStyle.h"
#include "brenmoor/utils/Observable.h"

class EmulatorLayout : public Observable {
 public:
  ~EmulatorLayout() override;
  EmulatorLayout(const EmulatorLayout&) = delete;
  EmulatorLayout& operator=(const EmulatorLayout&) = delete;

  // For the host to redraw whatever shows the layout; the library never calls it.
  virtual void Repaint() = 0;
  virtual CSize CharCellSize() = 0;
  // The top of a 0-based row and the left edge of a 0-based column, in pixels.
  virtual int RowToY(int row) = 0;
  virtual int ColumnToX(int col) = 0;

  // The style of mode, else that of 0, else null (before the first ChangeLayout).
  virtual FontStyle* GetStyle(int mode);
  // The selected style keeping bold, underlined and reverse, else that of 0, else null.
  virtual FontStyle* GetSelStyle(int mode);
  // Colours by index: normal text, background, subdued, underlined, blinking,
  // selected text, selected background. Updates the styles in place and
  // rebuilds both fonts; notifies and redraws nothing.
  virtual void ChangeLayout(const COLORREF colours[7], const CString& faceName, int height,
                            bool bold, bool italic);
  virtual COLORREF GetBkColor() const { return bkColor_; }

 protected:
  EmulatorLayout() = default;
  // Updates the style of mode and of mode + bold, or creates them.
  virtual void UpdateStyle(int mode, COLORREF textColor, COLORREF backColor, CFont* font);
  // The cell measured when the fonts were last made.
  CSize MeasuredCharSize() const { return charSize_; }

 private:
  // A slot for every key made of attribute bits, with or without the
  // selected bit; the selected ones come second.
  static constexpr int kSelectedSlots = video::kAttributes + 1;
  static constexpr int kAttributeSlots = 2 * kSelectedSlots;
  // The slot of such a key, else -1.
  static int Slot(int key) {
    if ((key & ~(video::kAttributes | video::kSelected)) != 0) return -1;
    return (key & video::kAttributes) | ((key & video::kSelected) != 0 ? kSelectedSlots : 0);
  }
  // The style stored under key, else null.
  FontStyle* Find(int key) const {
    const int slot = Slot(key);
    if (slot >= 0) return byAttributes_[static_cast<std::size_t>(slot)];
    const auto found = styles_.find(key);
    return found == styles_.end() ? nullptr : found->second.get();
  }

  CSize charSize_;
  CFont normalFont_;
  CFont underlineFont_;
  COLORREF bkColor_ = 0;
  // Cells hold plain pointers to the styles: they never move or go while the layout lives.
  std::unordered_map<int, std::unique_ptr<FontStyle>> styles_;
  // The same styles of attribute keys, found without hashing: buffers look
  // them up at every attribute change.
  std::array<FontStyle*, kAttributeSlots> byAttributes_{};
};
