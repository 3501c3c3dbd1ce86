#include "brenmoor/win/CDockingControlBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "brenmoor/core/CArchive.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/win/LibraryStartup.h"
#include "brenmoor/app/ScriptedUser.h"
#include "testing/TestParent.h"

namespace {

using Lines = std::vector<std::string>;

class CDockingControlBarTest : public ::testing::Test {
 protected:
  CDockingControlBarTest() {
    app.RegisterString(CDockingControlBar::IDS_DOCK, L"Dock");
    app.RegisterString(CDockingControlBar::IDS_FLOAT, L"Float");
    app.RegisterString(CDockingControlBar::IDS_HIDE, L"Hide");
    bar.Create(&frame, L"Links");
  }
  // A right click on the bar, the user's answer, then what the bar is.
  std::string RightClick() {
    bar.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar.m_hWnd), MAKELPARAM(20, 30));
    PumpPostedMessages();
    return State();
  }
  std::string State() const {
    const bool shown = (bar.GetStyle() & WS_VISIBLE) != 0;
    return std::string(bar.IsFloating() ? "floating" : "docked") + (shown ? "" : ", hidden");
  }
  CWinApp app{L"Host"};
  ScriptedUser user;
  TestParent frame{{0, 0, 400, 300}};
  CDockingControlBar bar;
};

TEST_F(CDockingControlBarTest, TheContextMenuOffersWhatTheBarIsNotAndHiding) {
  user.PickMenuItem(CDockingControlBar::ID_FLOAT);
  user.DismissMenu();
  user.PickMenuItem(CDockingControlBar::ID_DOCK);
  user.PickMenuItem(CDockingControlBar::ID_FLOAT);
  user.PickMenuItem(CDockingControlBar::ID_HIDE);
  const Lines states = {RightClick(), RightClick(), RightClick(), RightClick(), RightClick()};
  EXPECT_EQ(states, (Lines{"floating", "floating", "docked", "floating", "floating, hidden"}));
  EXPECT_EQ(user.Seen(), (Lines{"popup menu: Float, Hide", "popup menu: Dock, Hide", "popup menu: Dock, Hide",
                                "popup menu: Float, Hide", "popup menu: Dock, Hide"}));
  EXPECT_TRUE(user.Unused().empty());
}

TEST_F(CDockingControlBarTest, OnlyTheMenusCommandsAreHandledByTheBar) {
  EXPECT_EQ(bar.SendMessage(WM_COMMAND, 5), 0);
  EXPECT_EQ(bar.SendMessage(WM_COMMAND, MAKEWPARAM(CDockingControlBar::ID_DOCK, 0)), 1);
  EXPECT_EQ(State(), "floating");
  EXPECT_EQ(bar.SendMessage(WM_COMMAND, MAKEWPARAM(CDockingControlBar::ID_FLOAT, 1)), 1);
  EXPECT_EQ(State(), "docked");
  EXPECT_EQ(bar.SendMessage(WM_COMMAND, 32793), 0);
  EXPECT_EQ(State(), "docked");
  EXPECT_EQ(bar.SendMessage(WM_COMMAND, CDockingControlBar::ID_HIDE), 1);
  EXPECT_EQ(State(), "docked, hidden");
}

TEST(CDockingControlBarClass, IsRegisteredByNameOnTheLibrarysModuleAndWrittenWithSchemaOne) {
  const CRuntimeClass* runtimeClass = CRuntimeClass::FromName("CDockingControlBar");
  ASSERT_EQ(runtimeClass, RUNTIME_CLASS(CDockingControlBar));
  const auto& classes = WinLibraryModule()->Classes();
  EXPECT_NE(std::find(classes.begin(), classes.end(), runtimeClass), classes.end());
  EXPECT_EQ(runtimeClass->m_wSchema, 1u);
  EXPECT_TRUE(runtimeClass->IsDerivedFrom(RUNTIME_CLASS(SECControlBar)));
  EXPECT_TRUE(runtimeClass->IsDerivedFrom(RUNTIME_CLASS(CControlBar)));

  CDockingControlBar bar;
  CMemFile file;
  CArchive store(&file, CArchive::store);
  store.WriteObject(&bar);
  const std::string name = "CDockingControlBar";
  std::vector<BYTE> expected = {0xFF, 0xFF, 0x01, 0x00, static_cast<BYTE>(name.size()), 0x00};
  for (char letter : name) expected.push_back(static_cast<BYTE>(letter));
  EXPECT_EQ(file.Bytes(), expected);

  CMemFile written(file.Bytes());
  CArchive load(&written, CArchive::load);
  const std::unique_ptr<CObject> read(load.ReadObject(RUNTIME_CLASS(CControlBar)));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetRuntimeClass(), RUNTIME_CLASS(CDockingControlBar));
}

}  // namespace
