#pragma once
// The application's document templates, which it owns from the moment they
// are added, and what is done to all their documents at once.

#include "brenmoor/core/CList.h"

class CDocTemplate;

class CDocManager {
 public:
  CDocManager();
  virtual ~CDocManager();
  CDocManager(const CDocManager&) = delete;
  CDocManager& operator=(const CDocManager&) = delete;

  // Each template loads its strings as it is added.
  void AddDocTemplate(CDocTemplate* docTemplate);
  POSITION GetFirstDocTemplatePosition() const { return templates_.GetHeadPosition(); }
  CDocTemplate* GetNextDocTemplate(POSITION& position) const { return templates_.GetNext(position); }
  // Every template's documents, in template order.
  void CloseAllDocuments(BOOL endSession);
  BOOL SaveAllModified();

 private:
  CList<CDocTemplate*, CDocTemplate*> templates_;
};

// The application's templates, or null when the host made no application.
CDocManager* AfxGetDocManager();
