#pragma once
// The layout of the tools' pictures: the cells of the measured font laid
// edge to edge from the image's top-left corner.

#include "brenmoor/win/EmulatorLayout.h"

class GridLayout : public EmulatorLayout {
 public:
  void Repaint() override {}
  CSize CharCellSize() override { return MeasuredCharSize(); }
  int RowToY(int row) override { return row * MeasuredCharSize().cy; }
  int ColumnToX(int col) override { return col * MeasuredCharSize().cx; }
};
