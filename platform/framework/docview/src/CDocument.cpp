#include "brenmoor/docview/CDocument.h"

#include "brenmoor/core/CArchive.h"
#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/docview/CFrameWnd.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/ui/CWinThread.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument() {
  if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const wchar_t* title) { m_strTitle = title; }

void CDocument::SetPathName(const wchar_t* path, BOOL) {
  m_strPathName = path;
  const std::size_t slash = m_strPathName.Str().find_last_of(L"\\/");
  SetTitle(slash == std::wstring::npos ? m_strPathName : m_strPathName.Mid(static_cast<int>(slash) + 1));
}

void CDocument::AddView(CView* view) {
  m_viewList.AddTail(view);
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  const POSITION position = m_viewList.Find(view);
  if (position == nullptr) return;
  m_viewList.RemoveAt(position);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_bAutoDelete && m_viewList.IsEmpty()) OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  for (POSITION position = GetFirstViewPosition(); position != nullptr;) {
    CView* view = GetNextView(position);
    if (view != sender) view->OnUpdate(sender, hint, hintObject);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(false);
  return true;
}

BOOL CDocument::OnOpenDocument(const wchar_t* path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeBinary)) return false;
  DeleteContents();
  try {
    CArchive archive(&file, CArchive::load);
    Serialize(archive);
  } catch (const CException&) {
    DeleteContents();
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

BOOL CDocument::OnSaveDocument(const wchar_t* path) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) return false;
  try {
    CArchive archive(&file, CArchive::store);
    Serialize(archive);
    file.Close();
  } catch (const CException&) {
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

void CDocument::Serialize(CArchive&) {}

void CDocument::OnCloseDocument() {
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = false;  // the frames going below must not close the document again
  while (!m_viewList.IsEmpty()) {
    CView* view = m_viewList.GetHead();
    CFrameWnd* frame = view->GetParentFrame();
    if (frame == nullptr) {
      RemoveView(view);
      view->DestroyWindow();
      continue;
    }
    PreCloseFrame(frame);
    frame->DestroyWindow();
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return true;
  const CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  switch (AfxMessageBox(CString(L"Save changes to ") + name + L"?", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
      return false;
    case IDYES:
      return DoFileSave();
    default:
      return true;
  }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
  // Another frame still shows the document: closing this one loses nothing.
  for (POSITION position = GetFirstViewPosition(); position != nullptr;) {
    const CFrameWnd* other = GetNextView(position)->GetParentFrame();
    if (other != nullptr && other != frame) return true;
  }
  return SaveModified();
}

BOOL CDocument::DoFileSave() { return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.Str().c_str()); }

BOOL CDocument::DoSave(const wchar_t* path, BOOL replace) {
  CString target = path;
  if (target.IsEmpty()) {
    CFileDialog dialog(false, nullptr, m_strTitle);
    if (dialog.DoModal() != IDOK) return false;
    target = dialog.GetPathName();
  }
  if (!OnSaveDocument(target)) return false;
  if (replace) SetPathName(target);
  return true;
}
