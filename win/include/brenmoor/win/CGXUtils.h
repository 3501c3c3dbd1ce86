#pragma once
// Quick set-up of grids: columns from a compact specification
// ("heading;width;" for each column), drop-down choice cells, and tooltips
// made from a list of strings.

#include "brenmoor/grid/CGXGridCore.h"
#include "brenmoor/core/CList.h"

class CGXUtils {
 public:
  CGXUtils& operator=(const CGXUtils&) = default;

  // Column k of the grid gets the k-th entry's heading and width. A
  // specification that cannot be read shows the host's message 697; the
  // columns made before it stay.
  static void CreateColumns(CGXGridCore& grid, const CString& spec);
  // Plain edit cells; drop-down choice cells when there are two choices or more.
  static void SetComboChoices(CGXGridCore& grid, const CGXRange& range, const CStringList& choices);
  // The lines joined by ", ", at most 90 characters and "..." after them;
  // nothing when the text would be blank.
  static void SetToolTip(CGXGridCore& grid, const CGXRange& range, const CStringList& lines);
};
