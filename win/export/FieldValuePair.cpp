#include "brenmoor/win/FieldValuePair.h"

#include <algorithm>

void SortFieldValuePairList(std::vector<FieldValuePair>& pairs, int ascending, int byField) {
  if (byField != 0 && ascending != 0) {
    std::sort(pairs.begin(), pairs.end(), SortAscendingUsingField());
  } else if (byField != 0) {
    std::sort(pairs.begin(), pairs.end(), SortDescendingUsingField());
  } else if (ascending != 0) {
    std::sort(pairs.begin(), pairs.end(), SortAscendingUsingValue());
  } else {
    std::sort(pairs.begin(), pairs.end(), SortDescendingUsingValue());
  }
}
