#pragma once
// A pair of strings, a field and its value, and the orders in which a list
// of pairs is sorted: by either string, ascending or descending, case-
// sensitively by UTF-16 code units.

#include <vector>

#include "brenmoor/core/CString.h"

class FieldValuePair {
 public:
  FieldValuePair() = default;
  FieldValuePair(const CString& field, const CString& value) : Field(field), Value(value) {}
  FieldValuePair(const FieldValuePair&) = default;
  FieldValuePair& operator=(const FieldValuePair&) = default;
  ~FieldValuePair() = default;

  CString Field;
  CString Value;
};

struct SortAscendingUsingField {
  bool operator()(const FieldValuePair& a, const FieldValuePair& b) const { return a.Field.Compare(b.Field) < 0; }
};

struct SortDescendingUsingField {
  bool operator()(const FieldValuePair& a, const FieldValuePair& b) const { return a.Field.Compare(b.Field) > 0; }
};

struct SortAscendingUsingValue {
  bool operator()(const FieldValuePair& a, const FieldValuePair& b) const { return a.Value.Compare(b.Value) < 0; }
};

struct SortDescendingUsingValue {
  bool operator()(const FieldValuePair& a, const FieldValuePair& b) const { return a.Value.Compare(b.Value) > 0; }
};

// The whole list by Field when byField is nonzero, else by Value; ascending
// when ascending is nonzero. Pairs with equal keys end in no set order.
void SortFieldValuePairList(std::vector<FieldValuePair>& pairs, int ascending, int byField);
