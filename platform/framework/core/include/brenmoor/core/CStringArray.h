#pragma once
// The framework's growable array of strings, indexed from 0.

#include <vector>

#include "brenmoor/core/CObject.h"
#include "brenmoor/core/CString.h"

class CStringArray : public CObject {
  DECLARE_DYNAMIC(CStringArray)

 public:
  CStringArray() = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(elements_.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return elements_.empty(); }
  // New elements are empty strings.
  void SetSize(INT_PTR size);
  void RemoveAll() { elements_.clear(); }

  const CString& GetAt(INT_PTR index) const { return elements_.at(static_cast<std::size_t>(index)); }
  void SetAt(INT_PTR index, const CString& element) { ElementAt(index) = element; }
  CString& ElementAt(INT_PTR index) { return elements_.at(static_cast<std::size_t>(index)); }
  const CString& operator[](INT_PTR index) const { return GetAt(index); }
  CString& operator[](INT_PTR index) { return ElementAt(index); }
  // The elements in order, contiguous; null when there are none.
  CString* GetData() { return elements_.empty() ? nullptr : elements_.data(); }
  const CString* GetData() const { return elements_.empty() ? nullptr : elements_.data(); }

  // The index of the new last element.
  INT_PTR Add(const CString& element);

 private:
  std::vector<CString> elements_;
};
