#include "brenmoor/win/CResourceString.h"

#include <gtest/gtest.h>

#include "brenmoor/app/CWinApp.h"

namespace {

// Keeps a module in the chain only for one test.
class Extension : public CResourceModule {
 public:
  Extension() { CWinApp::AddExtensionModule(this); }
  ~Extension() { CWinApp::RemoveExtensionModule(this); }
  Extension(const Extension&) = delete;
  Extension& operator=(const Extension&) = delete;
};

TEST(CResourceStringTest, LoadsFromTheApplication) {
  CWinApp app;
  app.RegisterString(7, L"Text");
  EXPECT_EQ(CResourceString(7), L"Text");
  EXPECT_TRUE(CResourceString(8).IsEmpty());
}

TEST(CResourceStringTest, LoadsFromAnExtensionModuleWithOrWithoutAnApplication) {
  Extension extension;
  extension.RegisterString(21, L"Extension");
  EXPECT_EQ(CResourceString(21), L"Extension");
  CWinApp app;
  EXPECT_EQ(CResourceString(21), L"Extension");
}

TEST(CResourceStringTest, ApplicationComesBeforeExtensions) {
  Extension extension;
  extension.RegisterString(30, L"module");
  CWinApp app;
  app.RegisterString(30, L"application");
  EXPECT_EQ(CResourceString(30), L"application");
}

TEST(CResourceStringTest, EmptyWhenNoModuleHoldsTheId) {
  Extension extension;
  extension.RegisterString(40, L"forty");
  EXPECT_TRUE(CResourceString(41).IsEmpty());
  CWinApp app;
  EXPECT_TRUE(CResourceString(41).IsEmpty());
}

}  // namespace
