#pragma once
// Static helpers for windows, fonts and controls.

#include "CDC.h"

class CListCtrl;

class WinUtils {
 public:
  WinUtils() = delete;

  // Creates the font into an empty font object and returns its character
  // cell: the width of "X" (a hundredth of 100 of them, truncated) and the
  // height, measured on the screen. A face name longer than the 31
  // characters a font description holds is cut to 31.
  static CSize CreateFontW(CFont* font, CString faceName, int height, bool bold, bool underline,
                           bool italic);

  // "C:\data\x.csv" becomes "C:\data\x_<today>.txt": the date goes before the
  // file name's extension, which becomes ".txt"; a file name without an
  // extension is left as it is.
  static void AppendDateToFileName(CString& name);

  // Asks for the format with the export format dialog, then appends the
  // list's titles and rows (columns in index order, whatever order the user
  // dragged them into) to the chosen file and says where it went. False
  // when the user cancelled or the file could not be opened; a file that
  // fails part-way throws the framework's file exception.
  static bool ExportListCtrlData(CListCtrl& list);
};
