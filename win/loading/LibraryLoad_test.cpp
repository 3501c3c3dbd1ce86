// A host that does not link libwin: it loads the library, finds one of its
// run-time classes by name and unloads it again.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "brenmoor/ui/CWnd.h"
#include "brenmoor/app/ExtensionModule.h"

namespace {

TEST(LibraryLoadTest, LoadingJoinsTheChainAndUnloadingLeavesIt) {
  CWinApp app(L"Host");
  ASSERT_EQ(CRuntimeClass::FromName("CMDIChildWndPlus"), nullptr);
  ASSERT_TRUE(CDynLinkLibrary::Links().empty());

  void* library = dlopen(WIN_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const CRuntimeClass* child = CRuntimeClass::FromName("CMDIChildWndPlus");
  ASSERT_NE(child, nullptr);
  EXPECT_STREQ(child->m_lpszClassName, "CMDIChildWndPlus");
  ASSERT_EQ(CDynLinkLibrary::Links().size(), 1u);
  const AFX_EXTENSION_MODULE& module = CDynLinkLibrary::Links().front()->Module();
  EXPECT_TRUE(module.bInitialized);
  EXPECT_NE(module.hModule, nullptr);
  const auto names = [&module] {
    std::vector<std::string> found;
    for (const CRuntimeClass* each : module.Classes()) found.emplace_back(each->m_lpszClassName);
    std::sort(found.begin(), found.end());  // registration follows the link order
    return found;
  }();
  EXPECT_EQ(names, (std::vector<std::string>{"CDockingControlBar", "CListPrintDoc", "CListPrintFrame", "CListPrintView",
                                             "CMDIChildWndPlus", "CPrintFrame", "CPropertyPagePlus"}));
  CObject* made = child->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
  delete made;

  using Entry = BOOL (*)(HINSTANCE, DWORD, void*);
  auto entry = reinterpret_cast<Entry>(dlsym(library, "WinLibraryMain"));
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry(nullptr, DLL_PROCESS_ATTACH, nullptr));  // no module: the load fails
  EXPECT_TRUE(entry(nullptr, DLL_THREAD_ATTACH, nullptr));

  ASSERT_EQ(dlclose(library), 0);
  EXPECT_EQ(CRuntimeClass::FromName("CMDIChildWndPlus"), nullptr);
  EXPECT_TRUE(CDynLinkLibrary::Links().empty());
}

}  // namespace
