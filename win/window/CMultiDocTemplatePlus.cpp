#include "brenmoor/win/CMultiDocTemplatePlus.h"

#include "brenmoor/app/CWinApp.h"

CMultiDocTemplatePlus::CMultiDocTemplatePlus(UINT resourceId, const CRuntimeClass* documentClass,
                                             const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : CMultiDocTemplate(resourceId, documentClass, frameClass, viewClass) {}

void CMultiDocTemplatePlus::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  if (m_hMenuShared != nullptr) return;
  const HINSTANCE module = AfxFindResourceHandle(kSharedMenuId, RT_MENU);
  if (module == nullptr) return;
  m_hMenuShared = LoadMenuW(module, kSharedMenuId);
  m_hAccelTable = LoadAccelerators(module, kSharedMenuId);
}
