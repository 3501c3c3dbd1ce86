#pragma once
// Sorts a framework string array in place with the C runtime's qsort,
// case-sensitively by UTF-16 code units (every A to Z before every a to z).

#include "brenmoor/core/CStringArray.h"

class CStringArraySorter {
 public:
  CStringArraySorter() = delete;

  // Ascending when descending is 0; an empty array is left alone.
  static void SortStringArray(CStringArray& array, int descending);
  // The comparisons of two elements, given by pointers to them as qsort
  // gives them: negative, 0 or positive as the first sorts before, with or
  // after the second.
  static int CompareAscending(const void* first, const void* second);
  static int CompareDescending(const void* first, const void* second);
};
