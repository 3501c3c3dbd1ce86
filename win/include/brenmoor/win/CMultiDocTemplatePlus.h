#pragma once
// A multi-document template whose frames all show the host's one shared
// menu and accelerator table (resource id 13), whatever the template's own
// resource id.

#include "brenmoor/docview/CDocTemplate.h"

class CMultiDocTemplatePlus : public CMultiDocTemplate {
 public:
  static constexpr UINT kSharedMenuId = 13;

  CMultiDocTemplatePlus(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                        const CRuntimeClass* viewClass);

  // The document strings, then the shared menu and keys from the module that holds the menu.
  void LoadTemplate() override;
};
