#include "CWinApp.h"

#include <algorithm>

#include "CDocTemplate.h"
#include "CUser.h"

namespace {

CWinApp* theApp = nullptr;
int waitCursors = 0;

std::vector<CResourceModule*>& ExtensionModules() {
  static std::vector<CResourceModule*> modules;
  return modules;
}

}  // namespace

const CString* CResourceModule::FindString(UINT id) const {
  auto found = strings_.find(id);
  return found == strings_.end() ? nullptr : &found->second;
}

CWinApp::CWinApp(const wchar_t* appName) : m_strAppName(appName) { theApp = this; }

CWinApp::~CWinApp() {
  while (!templates_.IsEmpty()) {
    delete templates_.GetHead();
    templates_.RemoveAt(templates_.GetHeadPosition());
  }
  if (theApp == this) theApp = nullptr;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
  docTemplate->LoadTemplate();
  templates_.AddTail(docTemplate);
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
  for (POSITION position = GetFirstDocTemplatePosition(); position != nullptr;) {
    GetNextDocTemplate(position)->CloseAllDocuments(endSession);
  }
}

BOOL CWinApp::SaveAllModified() {
  for (POSITION position = GetFirstDocTemplatePosition(); position != nullptr;) {
    if (!GetNextDocTemplate(position)->SaveAllModified()) return false;
  }
  return true;
}

const DialogTemplate* CResourceModule::FindDialog(UINT id) const {
  auto found = dialogs_.find(id);
  return found == dialogs_.end() ? nullptr : &found->second;
}

// The application first, then each extension module in the order they joined.
template <typename Resource>
const Resource* FindInChain(const Resource* (CResourceModule::*find)(UINT) const, UINT id) {
  if (theApp != nullptr) {
    if (const Resource* found = (theApp->*find)(id)) return found;
  }
  for (const CResourceModule* module : ExtensionModules()) {
    if (const Resource* found = (module->*find)(id)) return found;
  }
  return nullptr;
}

const CString* CWinApp::FindString(UINT id) { return FindInChain(&CResourceModule::FindString, id); }
const DialogTemplate* CWinApp::FindDialog(UINT id) { return FindInChain(&CResourceModule::FindDialog, id); }

int CWinApp::WaitCursorDepth() { return waitCursors; }
void CWinApp::BeginWaitCursor() { ++waitCursors; }
void CWinApp::EndWaitCursor() {
  if (waitCursors > 0) --waitCursors;
}

int AfxMessageBox(const wchar_t* text, UINT type) {
  const CString caption = theApp != nullptr ? theApp->m_strAppName : CString();
  return AfxGetUser().AnswerMessageBox(CString(text), caption, type);
}

int AfxMessageBox(UINT textId, UINT type) {
  CString text;
  text.LoadString(textId);
  return AfxMessageBox(text, type);
}

void CWinApp::AddExtensionModule(CResourceModule* module) { ExtensionModules().push_back(module); }

void CWinApp::RemoveExtensionModule(CResourceModule* module) {
  auto& modules = ExtensionModules();
  modules.erase(std::remove(modules.begin(), modules.end(), module), modules.end());
}

CWinApp* AfxGetApp() { return theApp; }
CWnd* AfxGetMainWnd() { return theApp != nullptr ? theApp->m_pMainWnd : nullptr; }

void AfxFormatString1(CString& result, UINT textId, const wchar_t* argument) {
  CString format;
  format.LoadString(textId);
  const std::wstring_view inserted = argument != nullptr ? argument : L"";
  std::wstring text = format.Str();
  for (std::size_t at = text.find(L"%1"); at != std::wstring::npos; at = text.find(L"%1", at + inserted.size())) {
    text.replace(at, 2, inserted);
  }
  result = CString(std::move(text));
}
