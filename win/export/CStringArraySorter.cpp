#include "brenmoor/win/CStringArraySorter.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// qsort copies what it sorts byte by byte, which the framework's strings do
// not survive here; so it sorts pointers to them, compared as the elements.
template <int (*Compare)(const void*, const void*)>
int ThroughPointers(const void* first, const void* second) {
  return Compare(*static_cast<const CString* const*>(first), *static_cast<const CString* const*>(second));
}

}  // namespace

void CStringArraySorter::SortStringArray(CStringArray& array, int descending) {
  if (array.IsEmpty()) return;
  CString* elements = array.GetData();
  const auto count = static_cast<std::size_t>(array.GetSize());
  std::vector<CString*> order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = elements + i;
  std::qsort(order.data(), count, sizeof(CString*),
             descending != 0 ? &ThroughPointers<&CompareDescending> : &ThroughPointers<&CompareAscending>);
  std::vector<CString> sorted;
  sorted.reserve(count);
  for (CString* element : order) sorted.push_back(std::move(*element));
  for (std::size_t i = 0; i < count; ++i) elements[i] = std::move(sorted[i]);
}

int CStringArraySorter::CompareAscending(const void* first, const void* second) {
  return static_cast<const CString*>(first)->Compare(*static_cast<const CString*>(second));
}

int CStringArraySorter::CompareDescending(const void* first, const void* second) {
  return -CompareAscending(first, second);
}
