#pragma once
// A document: the data that one or more views show, with a title, a path,
// a modified flag and the list of its views. Opening, saving and closing
// follow the framework's order of calls; a document deletes itself when its
// last view goes (unless told not to).

#include "brenmoor/ui/CCmdTarget.h"
#include "brenmoor/core/CList.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument() = default;
  // Leaves its template's list.
  ~CDocument() override;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(const wchar_t* title);
  const CString& GetPathName() const { return m_strPathName; }
  virtual void SetPathName(const wchar_t* path, BOOL addToRecentFiles = true);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = true) { m_bModified = modified; }

  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& position) const { return m_viewList.GetNext(position); }
  void AddView(CView* view);
  void RemoveView(CView* view);
  // Every view but the sender is told of the change.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  virtual void DeleteContents() {}
  // A new, empty document: its contents deleted and the modified flag cleared.
  virtual BOOL OnNewDocument();
  // Reads the file through an archive into Serialize; false when it cannot be read.
  virtual BOOL OnOpenDocument(const wchar_t* path);
  virtual BOOL OnSaveDocument(const wchar_t* path);
  // Destroys every frame that shows the document, then the contents, then
  // (when it deletes itself) the document.
  virtual void OnCloseDocument();
  // Asks the user whether to save a modified document: false when the user
  // cancels or the save fails.
  virtual BOOL SaveModified();
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  virtual void PreCloseFrame(CFrameWnd*) {}
  void Serialize(CArchive& archive) override;
  virtual BOOL DoFileSave();
  // With no path the user names the file.
  virtual BOOL DoSave(const wchar_t* path, BOOL replace = true);

  BOOL m_bAutoDelete = true;
  BOOL m_bEmbedded = false;
  CDocTemplate* m_pDocTemplate = nullptr;

 protected:
  // Closes the document when its last view went away.
  virtual void OnChangedViewList();

  CString m_strTitle;
  CString m_strPathName;
  BOOL m_bModified = false;
  CList<CView*, CView*> m_viewList;
};
