#pragma once
// A document that can be found by an identifier of the host's choosing
// (WinUtils::FindDocWithID compares it by pointer value).

#include "brenmoor/docview/CDocument.h"

class CDocWithID : public CDocument {
 public:
  // Null here; derived documents return their own identifier.
  virtual const void* GetID() const { return nullptr; }
};
