#pragma once
// A string loaded from the host application's string table by its number;
// empty when no module of the host holds it.

#include "brenmoor/core/CString.h"

class CResourceString : public CString {
 public:
  explicit CResourceString(UINT id) { LoadString(id); }
  virtual ~CResourceString() = default;
  CResourceString(const CResourceString&) = default;
  CResourceString& operator=(const CResourceString&) = default;
};
