#include "brenmoor/app/CWinApp.h"

#include <algorithm>

#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/core/CRuntimeNumbers.h"
#include "brenmoor/app/CUser.h"
#include "brenmoor/core/ProfileFile.h"

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
const MenuTemplate* CWinApp::FindMenu(UINT id) { return FindInChain(&CResourceModule::FindMenu, id); }

const MenuTemplate* CResourceModule::FindMenu(UINT id) const {
  auto found = menus_.find(id);
  return found == menus_.end() ? nullptr : &found->second;
}

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

void CWinApp::SetProfileFile(const std::filesystem::path& file) { profile_ = std::make_unique<ProfileFile>(file); }

CString CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue) const {
  std::optional<CString> value;
  if (profile_ != nullptr && section != nullptr && entry != nullptr) value = profile_->Read(section, entry);
  return value ? *value : CString(defaultValue);
}

UINT CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const {
  std::optional<CString> value;
  if (profile_ != nullptr && section != nullptr && entry != nullptr) value = profile_->Read(section, entry);
  return static_cast<UINT>(value ? crt::wtoi(*value) : defaultValue);
}

namespace {

int HexDigit(wchar_t digit) {
  if (digit >= L'0' && digit <= L'9') return digit - L'0';
  if (digit >= L'A' && digit <= L'F') return digit - L'A' + 10;
  if (digit >= L'a' && digit <= L'f') return digit - L'a' + 10;
  return -1;
}

}  // namespace

BOOL CWinApp::GetProfileBinary(const wchar_t* section, const wchar_t* entry, BYTE** data, UINT* bytes) const {
  *data = nullptr;
  *bytes = 0;
  const CString text = GetProfileString(section, entry);
  const std::wstring& digits = text.Str();
  if (digits.empty() || digits.size() % 2 != 0) return false;
  auto block = std::make_unique<BYTE[]>(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int high = HexDigit(digits[i]);
    const int low = HexDigit(digits[i + 1]);
    if (high < 0 || low < 0) return false;
    block[i / 2] = static_cast<BYTE>(high * 16 + low);
  }
  *bytes = static_cast<UINT>(digits.size() / 2);
  *data = block.release();
  return true;
}

BOOL CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value) {
  return profile_ != nullptr && section != nullptr && entry != nullptr && value != nullptr &&
         profile_->Write(section, entry, value);
}

BOOL CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) {
  return WriteProfileString(section, entry, std::to_wstring(value).c_str());
}

BOOL CWinApp::WriteProfileBinary(const wchar_t* section, const wchar_t* entry, const BYTE* data, UINT bytes) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  text.reserve(std::size_t{bytes} * 2);
  for (UINT i = 0; i < bytes; ++i) {
    text += kDigits[data[i] >> 4];
    text += kDigits[data[i] & 0x0F];
  }
  return WriteProfileString(section, entry, text.c_str());
}

const AcceleratorTemplate* CResourceModule::FindAccelerators(UINT id) const {
  auto found = accelerators_.find(id);
  return found == accelerators_.end() ? nullptr : &found->second;
}

const IconImage* CResourceModule::FindIcon(UINT id) const {
  auto found = icons_.find(id);
  return found == icons_.end() ? nullptr : &found->second;
}

bool CResourceModule::Holds(UINT id, UINT type) const {
  switch (type) {
    case RT_ICON:
      return FindIcon(id) != nullptr;
    case RT_MENU:
      return FindMenu(id) != nullptr;
    case RT_DIALOG:
      return FindDialog(id) != nullptr;
    case RT_STRING:
      return FindString(id) != nullptr;
    case RT_ACCELERATOR:
      return FindAccelerators(id) != nullptr;
    default:
      return false;
  }
}

HINSTANCE AfxFindResourceHandle(UINT id, UINT type) {
  if (theApp != nullptr && theApp->Holds(id, type)) return theApp;
  for (CResourceModule* module : ExtensionModules()) {
    if (module->Holds(id, type)) return module;
  }
  return nullptr;
}

HINSTANCE AfxGetInstanceHandle() { return theApp; }

HACCEL LoadAccelerators(HINSTANCE module, UINT id) {
  if (module == nullptr) module = AfxFindResourceHandle(id, RT_ACCELERATOR);
  const AcceleratorTemplate* table = module != nullptr ? module->FindAccelerators(id) : nullptr;
  return table != nullptr ? CreateAcceleratorTableW(table->data(), static_cast<int>(table->size())) : nullptr;
}

HICON LoadIcon(HINSTANCE module, UINT id) {
  if (module == nullptr) module = AfxFindResourceHandle(id, RT_ICON);
  const IconImage* icon = module != nullptr ? module->FindIcon(id) : nullptr;
  return icon != nullptr ? CreateIconFromImage(*icon) : nullptr;
}

HMENU LoadMenuW(HINSTANCE module, UINT id) {
  if (module == nullptr) module = AfxFindResourceHandle(id, RT_MENU);
  const MenuTemplate* menu = module != nullptr ? module->FindMenu(id) : nullptr;
  return menu != nullptr ? CreateMenuFromTemplate(*menu) : nullptr;
}
