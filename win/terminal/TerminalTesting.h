#pragma once
// Shared by the tests of the terminal screen and of the tools' parser: a
// layout that lays the measured cell edge to edge from the top-left corner,
// and one colour per palette slot, so that a recorded call names the cell it
// drew (its position) and the style it drew it in (its colours).

#include "brenmoor/win/EmulatorLayout.h"

namespace terminal_testing {

// Text, background, subdued, underlined, blinking, selected text, selected background.
constexpr COLORREF kColours[7] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6};

class TestLayout : public EmulatorLayout {
 public:
  void Repaint() override {}
  CSize CharCellSize() override { return MeasuredCharSize(); }
  int RowToY(int row) override { return row * MeasuredCharSize().cy; }
  int ColumnToX(int col) override { return col * MeasuredCharSize().cx; }
};

}  // namespace terminal_testing
