#include <gtest/gtest.h>

#include <cstdint>

#include "brenmoor/core/HandleTable.h"
#include "brenmoor/windowing/CMenu.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

HWND MakeWindow(const wchar_t* title) {
  return CreateWindowExW(kGenericWindowClass, title, WS_VISIBLE, {0, 0, 10, 10}, nullptr, 0);
}

// The slot part of a handle: what a reused slot has in common with the handle it replaces.
std::uintptr_t SlotOf(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle) & 0xFFFF; }

TEST(HandleTest, AStaleHandleIsRefusedAfterItsSlotIsReused) {
  const HWND oldWindow = MakeWindow(L"old");
  DestroyWindow(oldWindow);
  const HWND newWindow = MakeWindow(L"new");
  EXPECT_EQ(SlotOf(newWindow), SlotOf(oldWindow));
  EXPECT_NE(newWindow, oldWindow);
  EXPECT_FALSE(IsWindow(oldWindow));
  EXPECT_FALSE(DestroyWindow(oldWindow));
  EXPECT_EQ(SendMessage(oldWindow, WM_GETTEXTLENGTH), 0);
  EXPECT_EQ(SendMessage(newWindow, WM_GETTEXTLENGTH), 3);

  const HMENU oldMenu = CreatePopupMenu();
  DestroyMenu(oldMenu);
  const HMENU newMenu = CreateMenu();
  EXPECT_EQ(SlotOf(newMenu), SlotOf(oldMenu));
  EXPECT_NE(newMenu, oldMenu);
  EXPECT_FALSE(IsMenu(oldMenu));
  EXPECT_FALSE(AppendMenuW(oldMenu, MF_STRING, 1, L"&Open"));
  EXPECT_FALSE(DestroyMenu(oldMenu));
  EXPECT_TRUE(AppendMenuW(newMenu, MF_STRING, 1, L"&Open"));
  EXPECT_EQ(GetMenuItemCount(newMenu), 1);
  DestroyWindow(newWindow);
  DestroyMenu(newMenu);
}

TEST(HandleTest, HandlesOfEachKindKeepTheirRangeAndGenerationsWrap) {
  HandleTable<HMENU, int> table(0x50000000);
  const HMENU first = table.Add(1);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first), 0x50000001u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(table.Add(2)), 0x50000002u);
  EXPECT_TRUE(table.Remove(first));
  EXPECT_FALSE(table.Remove(first));
  const HMENU reused = table.Add(3);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(reused), 0x50010001u);
  EXPECT_EQ(table.Find(first), nullptr);
  EXPECT_EQ(*table.Find(reused), 3);
  EXPECT_EQ(table.Find(reinterpret_cast<HMENU>(0x40010001)), nullptr);  // another kind's
  EXPECT_EQ(table.Count(), 2u);
  HMENU last = reused;
  for (int round = 1; round < 4096; ++round) {
    table.Remove(last);
    last = table.Add(round);
  }
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(last), 0x50000001u);  // 4096 generations later
}

}  // namespace
