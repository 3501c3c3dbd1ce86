#pragma once
// A row and column on the terminal screen, ordered in reading order: the row
// first, the column only within a row. (-1, -1) marks "no selection".

struct CursorPos {
  int row = 1;
  int col = 1;

  CursorPos() = default;
  CursorPos(int r, int c) : row(r), col(c) {}
  CursorPos(const CursorPos&) = default;
  CursorPos& operator=(const CursorPos&) = default;

  bool operator==(const CursorPos& other) const { return row == other.row && col == other.col; }
  bool operator!=(const CursorPos& other) const { return !(*this == other); }
  bool operator<(const CursorPos& other) const {
    return row != other.row ? row < other.row : col < other.col;
  }
  bool operator<=(const CursorPos& other) const { return *this < other || *this == other; }
  bool operator>(const CursorPos& other) const { return other < *this; }
  bool operator>=(const CursorPos& other) const { return other <= *this; }
};
