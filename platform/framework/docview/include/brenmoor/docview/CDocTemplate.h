#pragma once
// Document templates: what kind of document, frame and view go together, and
// the host string (by the template's resource id) that names them. A template
// makes documents, makes the frames (with their views) that show them, runs a
// new frame's initial update and opens documents, new or from a file. The
// multi-document template keeps any number of open documents.

#include "brenmoor/ui/CCmdTarget.h"
#include "brenmoor/windowing/Accelerators.h"
#include "brenmoor/core/CList.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  // The fields of the template's host string, separated by line feeds.
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  CDocTemplate(const CDocTemplate&) = delete;
  CDocTemplate& operator=(const CDocTemplate&) = delete;

  // Reads the document strings from the host's string with the resource id.
  virtual void LoadTemplate();
  // False, and the string empty, when the host string has no such field.
  virtual BOOL GetDocString(CString& string, DocStringIndex index) const;

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& position) const = 0;
  virtual void AddDocument(CDocument* document);
  virtual void RemoveDocument(CDocument* document);

  // A document of the template's class, added to the template; null when the
  // class cannot be created.
  virtual CDocument* CreateNewDocument();
  // A frame of the template's class with a view of its class on the document;
  // null when it cannot be made.
  virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = true);
  virtual void SetDefaultTitle(CDocument* document) = 0;
  // With no path a new, empty document; null when it cannot be made or read.
  virtual CDocument* OpenDocumentFile(const wchar_t* path, BOOL makeVisible = true) = 0;
  // Asks for each modified document in turn; false as soon as one answer is no.
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;

 protected:
  CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
               const CRuntimeClass* viewClass);
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  CMultiDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                    const CRuntimeClass* viewClass);
  // Closes the documents it still holds.
  ~CMultiDocTemplate() override;

  POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& position) const override {
    return static_cast<CDocument*>(m_docList.GetNext(position));
  }
  void AddDocument(CDocument* document) override;
  void RemoveDocument(CDocument* document) override;
  // The document name and a number: "Report1", "Report2", ...
  void SetDefaultTitle(CDocument* document) override;
  CDocument* OpenDocumentFile(const wchar_t* path, BOOL makeVisible = true) override;

  // Also loads the menu and accelerator table under the template's resource
  // id, which its frames show.
  void LoadTemplate() override;

  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;
};
