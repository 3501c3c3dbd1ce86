#include "brenmoor/core/CStringArray.h"

IMPLEMENT_DYNAMIC(CStringArray, CObject)

void CStringArray::SetSize(INT_PTR size) { elements_.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

INT_PTR CStringArray::Add(const CString& element) {
  elements_.push_back(element);
  return GetUpperBound();
}
