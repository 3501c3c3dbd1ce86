// Window utilities that keep placements and list layouts in the profile,
// use the clipboard, paint, and copy menus and icons.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "brenmoor/ui/CEdit.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/ui/CStatic.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/windowing/Clipboard.h"
#include "brenmoor/gdi/ImageList.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/app/ScriptedUser.h"
#include "TempFolder.h"
#include "brenmoor/win/WinUtils.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "brenmoor/windowing/WindowPlacement.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::ReadFile;
using testsupport::WriteFile;

class WinUtilsProfileTest : public ::testing::Test {
 protected:
  WinUtilsProfileTest() {
    app.SetProfileFile(profile);
    app.RegisterString(697, L"The column layout cannot be read.");
    main.Create(kGenericWindowClass, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 50, 740, 530}, nullptr, 0);
    list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {0, 0, 600, 400}, &main, 1);
  }
  Lines Columns() const {
    Lines columns;
    for (int i = 0;; ++i) {
      wchar_t heading[80] = {};
      LVCOLUMN column;
      column.mask = LVCF_WIDTH | LVCF_TEXT;
      column.pszText = heading;
      column.cchTextMax = 80;
      if (!list.GetColumn(i, &column)) return columns;
      columns.push_back(CString(heading).ToUtf8() + ":" + std::to_string(column.cx));
    }
  }

  testsupport::TempFolder folder;
  std::filesystem::path profile = folder.Path() / "host.ini";
  CWinApp app{L"Host"};
  ScriptedUser user;
  CWnd main;
  CListCtrl list;
};

TEST_F(WinUtilsProfileTest, PlacementIsStoredAsItsFortyFourBytes) {
  ShowWindow(main.m_hWnd, SW_SHOWMAXIMIZED);
  WinUtils::SaveWindowPlacement(L"Main", L"Placement", &main);
  EXPECT_EQ(ReadFile(profile),
            "[Main]\r\nPlacement=2C00000000000000030000"
            "00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF6400000032000000E402000012020000\r\n");

  CWnd other;
  other.Create(kGenericWindowClass, L"Other", WS_OVERLAPPEDWINDOW, {0, 0, 10, 10}, nullptr, 0);
  WinUtils::RestoreWindowPlacement(L"Main", L"Placement", &other);
  EXPECT_TRUE(IsZoomed(other.m_hWnd));
  ShowWindow(other.m_hWnd, SW_RESTORE);
  EXPECT_EQ(GetWindowRect(other.m_hWnd), CRect(100, 50, 740, 530));
}

TEST_F(WinUtilsProfileTest, PlacementOfAnotherSizeOrNotHexIsIgnored) {
  const std::string record44 = "2C000000000000000200000000000000000000000000000000000000010000000200000003000000"
                               "04000000";
  for (const std::string& value : {record44 + "00", record44.substr(0, 86), std::string("zz") + record44.substr(2),
                                   std::string("")}) {
    WriteFile(profile, "[Main]\r\nPlacement=" + value + "\r\n");
    CWnd window;
    window.Create(kGenericWindowClass, L"w", WS_OVERLAPPEDWINDOW, {5, 6, 70, 80}, nullptr, 0);
    WinUtils::RestoreWindowPlacement(L"Main", L"Placement", &window);
    EXPECT_EQ(GetWindowRect(window.m_hWnd), CRect(5, 6, 70, 80)) << value;
    EXPECT_FALSE(IsIconic(window.m_hWnd)) << value;
  }
  WriteFile(profile, "[Main]\r\nPlacement=" + record44 + "\r\n");
  CWnd window;
  window.Create(kGenericWindowClass, L"w", WS_OVERLAPPEDWINDOW, {5, 6, 70, 80}, nullptr, 0);
  WinUtils::RestoreWindowPlacement(L"Main", L"Placement", &window);
  EXPECT_TRUE(IsIconic(window.m_hWnd));  // saved minimised, restored minimised
  ShowWindow(window.m_hWnd, SW_RESTORE);
  EXPECT_EQ(GetWindowRect(window.m_hWnd), CRect(1, 2, 3, 4));
}

// The record's rectangle as 32 hex digits, after a restored (show command 1) header.
std::string PlacementRecord(CRect rect) {
  std::string hex = "2C000000000000000100000000000000000000000000000000000000";
  for (const LONG value : {rect.left, rect.top, rect.right, rect.bottom}) {
    char bytes[9];
    const auto bits = static_cast<std::uint32_t>(value);
    std::snprintf(bytes, sizeof bytes, "%02X%02X%02X%02X", bits & 0xFF, bits >> 8 & 0xFF, bits >> 16 & 0xFF, bits >> 24);
    hex += bytes;
  }
  return hex;
}

// A user may edit the profile: a stored rectangle is cut to the desktop and moved onto it.
TEST_F(WinUtilsProfileTest, RestoredPlacementIsLimitedToTheDesktop) {
  const struct {
    CRect stored;
    CRect topLevel;  // a child stays inside its parent's client area
  } cases[] = {
      {{100, 50, 740, 530}, {100, 50, 740, 530}},
      {{0, 0, 60000, 40000}, {0, 0, 1280, 1024}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 1280, 1024}},
      {{INT32_MAX - 5, INT32_MAX - 5, INT32_MIN, INT32_MIN}, {1280, 1024, 1280, 1024}},
      {{-300, 2000, -100, 2100}, {0, 924, 200, 1024}},
  };
  const CRect client = GetClientRect(main.m_hWnd);
  for (const auto& each : cases) {
    WriteFile(profile, "[Main]\r\nPlacement=" + PlacementRecord(each.stored) + "\r\n");
    CWnd window;
    window.Create(kGenericWindowClass, L"w", WS_OVERLAPPEDWINDOW, {5, 6, 70, 80}, nullptr, 0);
    WinUtils::RestoreWindowPlacement(L"Main", L"Placement", &window);
    EXPECT_EQ(GetWindowRect(window.m_hWnd), each.topLevel) << PlacementRecord(each.stored);
    CWnd child;
    child.Create(kGenericWindowClass, L"c", WS_CHILD, {1, 2, 3, 4}, &main, 7);
    WinUtils::RestoreWindowPlacement(L"Main", L"Placement", &child);
    CRect placed = GetWindowRect(child.m_hWnd);
    main.ScreenToClient(&placed);
    EXPECT_GE(placed.left, 0) << PlacementRecord(each.stored);
    EXPECT_GE(placed.top, 0) << PlacementRecord(each.stored);
    EXPECT_LE(placed.right, client.right) << PlacementRecord(each.stored);
    EXPECT_LE(placed.bottom, client.bottom) << PlacementRecord(each.stored);
  }
}

TEST_F(WinUtilsProfileTest, ListColumnsAreSavedOnlyForTwoColumnsOrMore) {
  WriteFile(profile, "[Lists]\r\nListColumns=Old;1;\r\n");
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
  WinUtils::SaveListColumns(list, L"Lists");
  EXPECT_EQ(ReadFile(profile), "[Lists]\r\nListColumns=Old;1;\r\n");
  list.InsertColumn(1, L"Size", LVCFMT_LEFT, 60);
  list.InsertColumn(2, CString(L'h', 70), LVCFMT_LEFT, 7);
  WinUtils::SaveListColumns(list, L"Lists");
  EXPECT_EQ(ReadFile(profile), "[Lists]\r\nListColumns=Name;120;Size;60;" + std::string(63, 'h') + ";7;\r\n");
}

// A heading the layout cannot give back as it was leaves the stored layout alone;
// any other is restored with its width.
TEST_F(WinUtilsProfileTest, ASavedLayoutRestoresTheSameColumnsOrIsNotSaved) {
  const struct {
    std::vector<std::wstring> headings;
    const char* stored;
  } cases[] = {
      {{L"Name", L"Size"}, "Name;120;Size;60;"},
      {{L"Na me", L"S\u00EFze \xD83D\xDE00"}, "Na me;120;S\xC3\xAFze \xF0\x9F\x98\x80;60;"},
      {{L" Name", L"Size"}, "Old;1;"},
      {{L"Name", L"Size\t"}, "Old;1;"},
      {{L"\tName", L"Size"}, "Old;1;"},
      {{L"Na;me", L"Size"}, "Old;1;"},
  };
  for (const auto& each : cases) {
    WriteFile(profile, "[Lists]\r\nListColumns=Old;1;\r\n");
    while (list.DeleteColumn(0)) {
    }
    list.InsertColumn(0, each.headings[0].c_str(), LVCFMT_LEFT, 120);
    list.InsertColumn(1, each.headings[1].c_str(), LVCFMT_LEFT, 60);
    const Lines saved = Columns();
    WinUtils::SaveListColumns(list, L"Lists");
    EXPECT_EQ(ReadFile(profile), "[Lists]\r\nListColumns=" + std::string(each.stored) + "\r\n") << saved[0];
    if (std::string(each.stored) == "Old;1;") continue;
    while (list.DeleteColumn(0)) {
    }
    const std::wstring defaults = each.headings[0] + L";5;" + each.headings[1] + L";5;";
    WinUtils::RestoreListColumns(list, L"Lists", defaults.c_str());
    EXPECT_EQ(Columns(), saved);
  }
  EXPECT_TRUE(user.Seen().empty());
}

TEST_F(WinUtilsProfileTest, StoredLayoutSurvivesOnlyWithTheDefaultsColumns) {
  const struct {
    const char* stored;  // null: no entry
    Lines columns;
  } cases[] = {
      {nullptr, {"Name:120", "Size:60"}},
      {"Name;200;Size;30;", {"Name:200", "Size:30"}},
      {"Size;200;Name;30;", {"Name:120", "Size:60"}},
      {"Name;200;", {"Name:120", "Size:60"}},
      {"Name;200;Size;30;Date;5;", {"Name:120", "Size:60"}},
      {"Name;wide;Size;30;", {"Name:120", "Size:60"}},
      {"Name;200;Size;30", {"Name:120", "Size:60"}},
      {"", {"Name:120", "Size:60"}},
  };
  for (const auto& each : cases) {
    WriteFile(profile, each.stored == nullptr ? "" : "[Lists]\r\nListColumns=" + std::string(each.stored) + "\r\n");
    while (list.DeleteColumn(0)) {
    }
    WinUtils::RestoreListColumns(list, L"Lists", L"Name;120;Size;60;");
    EXPECT_EQ(Columns(), each.columns) << (each.stored ? each.stored : "(none)");
  }
  EXPECT_TRUE(user.Seen().empty());
}

TEST_F(WinUtilsProfileTest, UnreadableDefaultLayoutShowsTheMessageAndKeepsTheColumnsBefore) {
  user.AnswerMessageBox(IDOK);
  WinUtils::RestoreListColumns(list, L"Lists", L"Name;120;Si;ze;60;Date;9;");
  EXPECT_EQ(Columns(), (Lines{"Name:120"}));
  EXPECT_EQ(user.Seen(), (Lines{"message box error: The column layout cannot be read."}));
}

TEST_F(WinUtilsProfileTest, TenThousandStoredRecordsThatFitTheDefaultAreAllRestored) {
  std::string layout;
  for (int i = 0; i < 10000; ++i) layout += "c" + std::to_string(i) + ";5;";
  std::string stored = layout;
  stored.replace(stored.find(";5;"), 3, ";9;");
  WriteFile(profile, "[Lists]\r\nListColumns=" + stored + "\r\n");
  WinUtils::RestoreListColumns(list, L"Lists", CString::FromUtf8(layout));
  const Lines columns = Columns();
  ASSERT_EQ(columns.size(), 10000u);
  EXPECT_EQ(columns.front(), "c0:9");
  EXPECT_EQ(columns.back(), "c9999:5");
}

TEST(WinUtilsClipboardTest, TextGoesAsAnsiAndComesBackAsUtf16) {
  EXPECT_TRUE(WinUtils::CopyToClipboard(L"caf\u00e9 \u20ac \u4e2d"));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const HGLOBAL text = GetClipboardData(CF_TEXT);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(text)), GlobalSize(text)),
            std::string("caf\xe9 \x80 ?\0", 9));
  GlobalUnlock(text);
  EXPECT_FALSE(WinUtils::CopyToClipboard(L"busy"));  // someone else holds it open
  EXPECT_EQ(WinUtils::PasteFromClipboard(), L"");
  CloseClipboard();
  EXPECT_EQ(WinUtils::PasteFromClipboard(), L"caf\u00e9 \u20ac ?");

  EXPECT_TRUE(WinUtils::CopyToClipboard(L""));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(WinUtils::PasteFromClipboard(), L"");
}

TEST(WinUtilsClipboardTest, APictureOfTheWindowReplacesTheText) {
  CWnd window;
  window.Create(kGenericWindowClass, L"Pictured", WS_OVERLAPPEDWINDOW, {0, 0, 120, 90}, nullptr, 0);
  CEdit field;
  field.Create(kEditClass, L"Hello", WS_CHILD | WS_VISIBLE | WS_BORDER, {0, 0, 60, 20}, &window, 5);
  WinUtils::CopyToClipboard(L"text");
  WinUtils::PutImageOnClipboard(&window);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(WinUtils::PasteFromClipboard(), L"");  // a bitmap but no text
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  CloseClipboard();
  EXPECT_EQ(GetBitmapSize(bitmap), CSize(120, 90));
  EXPECT_EQ(GetClipboardOwner(), window.m_hWnd);
  // The picture starts at the client area, 3 pixels in and 22 down (border
  // and caption) in the window's own picture; the frame is not in it.
  RasterSurface whole(120, 90, RGB(0, 0, 0));
  CDC dc(whole);
  PaintWindow(window.m_hWnd, dc);
  int differing = 0;
  for (int y = 0; y < 65; ++y) {
    for (int x = 0; x < 114; ++x) differing += GetBitmapPixel(bitmap, x, y) != whole.Pixel(x + 3, y + 22);
  }
  EXPECT_EQ(differing, 0);
  EXPECT_NE(GetBitmapPixel(bitmap, 0, 0), RGB(0, 0, 0));  // the field's border, where the frame was
}

TEST(WinUtilsPaintingTest, FontsScaleBackgroundsFillAndDialogFramesCoverTheBorder) {
  RecordingSurface printer;
  printer.SetPixelsPerInch(600);
  CDC printing(printer);
  EXPECT_EQ(WinUtils::ScaleFont(&printing, 10), 63);  // 62.5 rounds away from zero
  EXPECT_EQ(WinUtils::ScaleFont(&printing, -10), -63);
  // Without a device context or a view, as every other operation here, nothing happens.
  EXPECT_EQ(WinUtils::ScaleFont(nullptr, 10), 10);
  WinUtils::PaintBackground(nullptr, RGB(255, 0, 0));
  WinUtils::PaintDialogFrame(nullptr);

  printer.SetClipBox({0, 0, 30, 20});
  CBrush before(RGB(1, 2, 3));
  printing.SelectObject(&before);
  WinUtils::PaintBackground(&printing, RGB(255, 0, 0));
  printing.PatBlt(0, 0, 2, 2, PATCOPY);  // with the brush selected before
  EXPECT_EQ(printer.Lines(), (Lines{"polygon w1 s0 c0000ff b0000ff (0,0)-(29,0)-(29,19)-(0,19)",
                                    "polygon w1 s0 c030201 b030201 (0,0)-(1,0)-(1,1)-(0,1)"}));
}

TEST(WinUtilsWindowsTest, ApplicationsAreFoundByTheStartOfTheirTitle) {
  CWnd first;
  first.Create(kGenericWindowClass, L"Kestle Manager - site A", WS_OVERLAPPEDWINDOW, {0, 0, 10, 10}, nullptr, 0);
  CWnd second;
  second.Create(kGenericWindowClass, L"Other", WS_OVERLAPPEDWINDOW, {0, 0, 10, 10}, nullptr, 0);
  EXPECT_EQ(WinUtils::FindApplication(L"kestle MANAGER"), first.m_hWnd);
  EXPECT_EQ(WinUtils::FindApplication(L""), second.m_hWnd);  // the first enumerated
  EXPECT_EQ(WinUtils::FindApplication(L"Kestle Manager - site A and more"), nullptr);
  WinUtils::BringToTop(&first);
  EXPECT_EQ(WinUtils::FindApplication(L""), first.m_hWnd);
  EXPECT_TRUE(first.IsWindowVisible());
}

TEST(WinUtilsWindowsTest, DialogEditGetsTheFocusWithAllItsTextSelected) {
  CWnd dialog;
  dialog.Create(kDialogClass, L"d", WS_VISIBLE, {0, 0, 200, 100}, nullptr, 0);
  CEdit edit;
  edit.Create(kEditClass, L"", WS_CHILD | WS_VISIBLE, {0, 0, 80, 20}, &dialog, 7);
  edit.SetWindowText(L"address");
  WinUtils::SelectDlgEdit(&dialog, 8);
  EXPECT_NE(CWnd::GetFocus(), &edit);
  WinUtils::SelectDlgEdit(&dialog, 7);
  EXPECT_EQ(GetFocus(), edit.m_hWnd);
  int start = -1;
  int end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 7);
}

TEST(WinUtilsMenusTest, MenusAreCopiedWithPopupsStatesAndASeparator) {
  CWinApp app(L"Host");
  app.Register<MenuTemplate>(40, {{MF_CHECKED, 1, L"One"},
                        {MF_SEPARATOR, 0, L""},
                        {MF_STRING, 0, L"More", {{MF_GRAYED, 2, L"Two"}, {MF_STRING, 0, L"Deep", {{0, 3, L"Three"}}}}}});
  CMenu source;
  ASSERT_TRUE(source.LoadMenu(40));
  CMenu target;
  target.CreatePopupMenu();
  WinUtils::AppendMenuHelper(&source, target.m_hMenu);
  target.AppendMenu(MF_STRING, 9, L"Nine");
  WinUtils::AppendMenuHelper(&source, target.m_hMenu);
  ScriptedUser user;
  user.DismissMenu();
  target.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr);
  EXPECT_EQ(user.Seen(), (Lines{"popup menu: One [checked], -, More >, Nine, -, One [checked], -, More >"}));
  const CMenu* more = target.GetSubMenu(2);
  EXPECT_EQ(more->GetMenuState(0, MF_BYPOSITION), MF_GRAYED);
  EXPECT_EQ(more->GetSubMenu(1)->GetMenuItemID(0), 3u);
  EXPECT_NE(more->m_hMenu, source.GetSubMenu(2)->m_hMenu);
}

TEST(WinUtilsMenusTest, AMenuNestedAHundredDeepIsCopiedWhole) {
  CMenu source;
  source.CreatePopupMenu();
  HMENU inner = source.m_hMenu;
  for (int level = 0; level < 100; ++level) {
    const HMENU popup = CreatePopupMenu();
    AppendMenuW(inner, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"level");
    inner = popup;
  }
  AppendMenuW(inner, MF_STRING, 77, L"leaf");
  CMenu target;
  target.CreateMenu();
  WinUtils::AppendMenuHelper(&source, target.m_hMenu);
  HMENU copied = target.m_hMenu;
  for (int level = 0; level < 100; ++level) copied = GetSubMenu(copied, 0);
  EXPECT_EQ(GetMenuItemID(copied, 0), 77u);
  EXPECT_EQ(GetMenuItemCount(copied), 1);
}

TEST(WinUtilsIconsTest, IconsThatLoadAreAddedInOrder) {
  CWinApp app(L"Host");
  CResourceModule library;
  app.Register<IconImage>(1, {1, 1, {RGB(1, 1, 1)}});
  app.Register<IconImage>(3, {1, 1, {RGB(3, 3, 3)}});
  library.Register<IconImage>(2, {1, 1, {RGB(2, 2, 2)}});
  UINT ids[] = {1, 2, 99, 3, 0};
  CImageList fromApp;
  WinUtils::ImageListIconLoader(fromApp, ids, nullptr);
  EXPECT_EQ(fromApp.GetImageCount(), 2);
  EXPECT_EQ(fromApp.GetImage(1).pixels.front(), RGB(3, 3, 3));
  EXPECT_EQ(fromApp.GetImageSize(), CSize(16, 16));
  EXPECT_EQ(fromApp.GetFlags(), ILC_MASK);
  CImageList fromLibrary;
  WinUtils::ImageListIconLoader(fromLibrary, ids, &library);
  EXPECT_EQ(fromLibrary.GetImageCount(), 1);
  UINT none[] = {0};
  CImageList empty;
  WinUtils::ImageListIconLoader(empty, none, nullptr);
  EXPECT_TRUE(empty.IsCreated());
  EXPECT_EQ(empty.GetImageCount(), 0);
}

}  // namespace
