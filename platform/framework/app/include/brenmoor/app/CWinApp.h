#pragma once
// The host application object: the thread that runs the windows, the first
// module on the chain of resources (hosts register their strings by number),
// the owner of the document templates, and the profile.

#include <filesystem>
#include <memory>
#include <string>

#include "brenmoor/core/CResourceModule.h"
#include "brenmoor/core/CString.h"
#include "brenmoor/docview/CDocManager.h"
#include "brenmoor/gdi/ImageList.h"
#include "brenmoor/ui/CWinThread.h"
#include "brenmoor/windowing/Accelerators.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/DialogTemplate.h"

class ProfileFile;
class ScreenUser;

class CWinApp : public CWinThread, public CResourceModule, public CDocManager {
 public:
  explicit CWinApp(const wchar_t* appName = nullptr);
  ~CWinApp() override;

  // The caption is the application's name.
  int DoMessageBox(const CString& text, UINT type) override;

  // The host's choice of a real display for its windows, with the person
  // there as the user; false, and headless still, when none can be had (the
  // reason is then in the text). BRENMOOR_SCREEN=sdl chooses it for any host.
  bool UseScreen(std::string& why);
  // Hands the person's input to the windows until the main window is gone;
  // headless, delivers what was posted and returns.
  int Run();

  // The application profile: the host names its file. Without one, reads
  // give the defaults and writes fail.
  void SetProfileFile(const std::filesystem::path& file);
  CString GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue = nullptr) const;
  // As the system reads numbers (_wtoi); the default only when the entry is missing.
  UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
  // A block the caller frees with delete[]; false, with null and 0, when the
  // entry is missing, empty or not whole hexadecimal bytes.
  BOOL GetProfileBinary(const wchar_t* section, const wchar_t* entry, BYTE** data, UINT* bytes) const;
  BOOL WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value);
  BOOL WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);
  // Stored as two upper-case hexadecimal digits a byte.
  BOOL WriteProfileBinary(const wchar_t* section, const wchar_t* entry, const BYTE* data, UINT bytes);

  CString m_strAppName;

 private:
  void InstallScreenUser();

  std::unique_ptr<ProfileFile> profile_;
  std::unique_ptr<ScreenUser> screenUser_;
  std::unique_ptr<CUserScope> screenUserScope_;
};

// The host's string with every "%1" replaced by the argument (nothing else is
// read as a format, so any argument text is safe).
void AfxFormatString1(CString& result, UINT textId, const wchar_t* argument);

// The one application object, or null when the host made none.
CWinApp* AfxGetApp();
