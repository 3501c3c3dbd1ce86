#pragma once
// A table of tab-separated UTF-8 text whose first line holds the headings,
// read into a list control in report view, one column per heading.

#include <stdexcept>
#include <string>
#include <vector>

#include "brenmoor/ui/CListCtrl.h"

struct Table {
  std::vector<CString> headings;
  std::vector<std::vector<CString>> rows;
};

// Why a table file cannot be used, with the file's line.
class TableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Lines end in LF or CR LF; an empty last line is no row. A file that is
// missing or empty, or a row with another number of cells than there are
// headings, is refused.
Table ReadTable(const std::string& file);
Table ParseTable(const std::string& text);
// "2,0,1": column indexes from 0 in display order; false for anything else.
bool ParseColumnOrder(const std::string& text, std::vector<int>& order);
// Columns as wide as their longest text (within limits), then the rows.
void FillList(CListCtrl& list, const Table& table);
