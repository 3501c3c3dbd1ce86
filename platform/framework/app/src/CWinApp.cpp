#include "brenmoor/app/CWinApp.h"

#include "brenmoor/core/CRuntimeNumbers.h"
#include "brenmoor/core/ProfileFile.h"
#include "brenmoor/app/ScreenUser.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/Screen.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

CWinApp* theApp = nullptr;

}  // namespace

CWinApp::CWinApp(const wchar_t* appName) : m_strAppName(appName) {
  theApp = this;
  SetApplicationModule(this);
  if (IsOnScreen()) InstallScreenUser();
}

bool CWinApp::UseScreen(std::string& why) {
  if (!ShowOnScreen(why)) return false;
  InstallScreenUser();
  return true;
}

void CWinApp::InstallScreenUser() {
  if (screenUser_ != nullptr) return;
  screenUser_ = std::make_unique<ScreenUser>();
  screenUserScope_ = std::make_unique<CUserScope>(*screenUser_);
}

int CWinApp::Run() {
  auto running = [this] { return m_pMainWnd != nullptr && IsWindow(m_pMainWnd->m_hWnd); };
  do {
    PumpPostedMessages();
  } while (running() && PumpScreen(kInputWait));
  return 0;
}

CWinApp::~CWinApp() {
  if (theApp == this) {
    theApp = nullptr;
    SetApplicationModule(nullptr);
  }
}

int CWinApp::DoMessageBox(const CString& text, UINT type) {
  return AfxGetUser().AnswerMessageBox(text, m_strAppName, type);
}

CWinApp* AfxGetApp() { return theApp; }

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
