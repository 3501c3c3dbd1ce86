#include "brenmoor/docview/CDocManager.h"

#include "brenmoor/docview/CDocTemplate.h"

namespace {

CDocManager* theDocManager = nullptr;

}  // namespace

CDocManager::CDocManager() { theDocManager = this; }

CDocManager::~CDocManager() {
  while (!templates_.IsEmpty()) {
    delete templates_.GetHead();
    templates_.RemoveAt(templates_.GetHeadPosition());
  }
  if (theDocManager == this) theDocManager = nullptr;
}

void CDocManager::AddDocTemplate(CDocTemplate* docTemplate) {
  docTemplate->LoadTemplate();
  templates_.AddTail(docTemplate);
}

void CDocManager::CloseAllDocuments(BOOL endSession) {
  for (POSITION position = GetFirstDocTemplatePosition(); position != nullptr;) {
    GetNextDocTemplate(position)->CloseAllDocuments(endSession);
  }
}

BOOL CDocManager::SaveAllModified() {
  for (POSITION position = GetFirstDocTemplatePosition(); position != nullptr;) {
    if (!GetNextDocTemplate(position)->SaveAllModified()) return false;
  }
  return true;
}

CDocManager* AfxGetDocManager() { return theDocManager; }
