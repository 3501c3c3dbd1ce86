#include "brenmoor/docview/CDocTemplate.h"

#include <string>

#include "brenmoor/docview/CDocument.h"
#include "brenmoor/docview/CFrameWnd.h"
#include "brenmoor/windowing/CMenu.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {}

void CDocTemplate::LoadTemplate() { m_strDocStrings.LoadString(m_nIDResource); }

BOOL CDocTemplate::GetDocString(CString& string, DocStringIndex index) const {
  const std::wstring& all = m_strDocStrings.Str();
  std::size_t start = 0;
  for (int field = 0; field < index; ++field) {
    start = all.find(L'\n', start);
    if (start == std::wstring::npos) {
      string.Empty();
      return false;
    }
    ++start;
  }
  const std::size_t end = all.find(L'\n', start);
  string = CString(all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
  return true;
}

void CDocTemplate::AddDocument(CDocument* document) { document->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* document) { document->m_pDocTemplate = nullptr; }

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* made = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
  auto* document = DYNAMIC_DOWNCAST(CDocument, made);
  if (document == nullptr) {
    delete made;
    return nullptr;
  }
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other) {
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = document;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* made = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
  auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, made);
  if (frame == nullptr) {
    delete made;
    return nullptr;
  }
  // A frame that fails deletes itself as its window goes.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) {
  frame->InitialUpdateFrame(document, makeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION position = GetFirstDocPosition(); position != nullptr;) {
    if (!GetNextDoc(position)->SaveModified()) return false;
  }
  return true;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  for (POSITION position = GetFirstDocPosition(); position != nullptr;) {
    GetNextDoc(position)->OnCloseDocument();
  }
}

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                                     const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, documentClass, frameClass, viewClass) {}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  if (m_hMenuShared == nullptr) m_hMenuShared = LoadMenuW(nullptr, m_nIDResource);
  if (m_hAccelTable == nullptr) m_hAccelTable = LoadAccelerators(nullptr, m_nIDResource);
}

CMultiDocTemplate::~CMultiDocTemplate() {
  DestroyMenu(m_hMenuShared);
  DestroyAcceleratorTable(m_hAccelTable);
  while (!m_docList.IsEmpty()) {
    auto* document = static_cast<CDocument*>(m_docList.GetHead());
    document->OnCloseDocument();
    // A document that does not delete itself still leaves the list.
    if (!m_docList.IsEmpty() && m_docList.GetHead() == document) RemoveDocument(document);
  }
}

void CMultiDocTemplate::AddDocument(CDocument* document) {
  CDocTemplate::AddDocument(document);
  m_docList.AddTail(document);
}

void CMultiDocTemplate::RemoveDocument(CDocument* document) {
  CDocTemplate::RemoveDocument(document);
  if (const POSITION position = m_docList.Find(document)) m_docList.RemoveAt(position);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* document) {
  CString name;
  if (!GetDocString(name, docName) || name.IsEmpty()) name = L"Untitled";
  document->SetTitle(name + CString(std::to_wstring(m_nUntitledCount + 1)));
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const wchar_t* path, BOOL makeVisible) {
  CDocument* document = CreateNewDocument();
  if (document == nullptr) return nullptr;
  // The frame must not close the document should it fail half-made.
  const BOOL autoDelete = document->m_bAutoDelete;
  document->m_bAutoDelete = false;
  CFrameWnd* frame = CreateNewFrame(document, nullptr);
  document->m_bAutoDelete = autoDelete;
  if (frame == nullptr) {
    delete document;
    return nullptr;
  }
  if (path == nullptr) {
    SetDefaultTitle(document);
    if (!makeVisible) document->m_bEmbedded = true;
    if (!document->OnNewDocument()) {
      frame->DestroyWindow();
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    CWaitCursor wait;
    if (!document->OnOpenDocument(path)) {
      frame->DestroyWindow();
      return nullptr;
    }
    document->SetPathName(path);
  }
  InitialUpdateFrame(frame, document, makeVisible);
  return document;
}
