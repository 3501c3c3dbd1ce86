#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "brenmoor/windowing/Accelerators.h"
#include "brenmoor/windowing/Clipboard.h"
#include "brenmoor/app/ExtensionModule.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/gdi/ImageList.h"
#include "brenmoor/windowing/WindowPlacement.h"
#include "brenmoor/windowing/WindowSystem.h"

namespace {

struct TopLevel {
  explicit TopLevel(const wchar_t* title, DWORD style = WS_VISIBLE | WS_OVERLAPPEDWINDOW)
      : handle(CreateWindowExW(kGenericWindowClass, title, style, {10, 20, 210, 170}, nullptr, 0)) {}
  ~TopLevel() { DestroyWindow(handle); }
  HWND handle;
};

std::vector<std::wstring> Titles() {
  std::vector<std::wstring> titles;
  EnumWindows(
      [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(FindWindowState(window)->text.Str());
        return BOOL{1};
      },
      reinterpret_cast<LPARAM>(&titles));
  return titles;
}

TEST(TopLevelWindows, EnumeratedNewestFirstUntilBroughtToTop) {
  TopLevel first(L"first");
  TopLevel second(L"second");
  const HWND child = CreateWindowExW(kGenericWindowClass, L"child", WS_CHILD, {0, 0, 5, 5}, first.handle, 1);
  EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"second", L"first"}));
  EXPECT_TRUE(BringWindowToTop(first.handle));
  EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"first", L"second"}));
  EXPECT_EQ(GetActiveWindow(), first.handle);
  EXPECT_TRUE(SetWindowPos(first.handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
  EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"second", L"first"}));
  {
    TopLevel third(L"third");
    int calls = 0;
    EnumWindows([](HWND, LPARAM count) -> BOOL { return ++*reinterpret_cast<int*>(count) < 2; },
                reinterpret_cast<LPARAM>(&calls));
    EXPECT_EQ(calls, 2);
  }
  EXPECT_EQ(Titles(), (std::vector<std::wstring>{L"second", L"first"}));
  EXPECT_TRUE(SetWindowPos(child, HWND_TOP, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_EQ(GetWindowRect(child), CRect(16, 46, 21, 51));  // 10 + 3 + frame 3, 20 + 4 + frame and caption 22
}

WINDOWPLACEMENT PlacementOf(HWND window) {
  WINDOWPLACEMENT placement;
  placement.length = sizeof placement;
  EXPECT_TRUE(GetWindowPlacement(window, &placement));
  return placement;
}

TEST(WindowPlacementTest, MinimisedAndMaximisedWindowsKeepTheirNormalRectangle) {
  TopLevel frame(L"frame");
  const HWND child =
      CreateWindowExW(kGenericWindowClass, L"child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, {5, 6, 55, 66},
                      frame.handle, 1);
  WINDOWPLACEMENT placement = PlacementOf(child);
  EXPECT_EQ(placement.showCmd, 1u);
  EXPECT_EQ(placement.rcNormalPosition, CRect(5, 6, 55, 66));

  ShowWindow(child, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(child));
  EXPECT_EQ(GetWindowRect(child), CRect(13, 42, 207, 167));  // the frame's client area
  placement = PlacementOf(child);
  EXPECT_EQ(placement.showCmd, 3u);
  EXPECT_EQ(placement.rcNormalPosition, CRect(5, 6, 55, 66));

  ShowWindow(child, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(child));
  EXPECT_FALSE(IsZoomed(child));
  EXPECT_EQ(PlacementOf(child).flags, WPF_RESTORETOMAXIMIZED);
  ShowWindow(child, SW_RESTORE);
  EXPECT_TRUE(IsZoomed(child));
  ShowWindow(child, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(child));
  EXPECT_EQ(PlacementOf(child).rcNormalPosition, CRect(5, 6, 55, 66));

  placement.showCmd = SW_SHOWMINIMIZED;
  placement.rcNormalPosition = {1, 2, 31, 42};
  EXPECT_TRUE(SetWindowPlacement(child, &placement));
  EXPECT_TRUE(IsIconic(child));
  ShowWindow(child, SW_SHOWNORMAL);
  EXPECT_EQ(GetWindowRect(child), CRect(14, 44, 44, 84));

  placement.length = 40;
  EXPECT_FALSE(SetWindowPlacement(child, &placement));
  EXPECT_FALSE(GetWindowPlacement(child, &placement));
}

std::string TextOnClipboard() {
  if (!OpenClipboard(nullptr)) return "<closed>";
  const HGLOBAL data = GetClipboardData(CF_TEXT);
  std::string text = data == nullptr ? "<none>" : static_cast<const char*>(GlobalLock(data));
  if (data != nullptr) GlobalUnlock(data);
  CloseClipboard();
  return text;
}

TEST(ClipboardTest, HoldsTextAndBitmapsUntilEmptied) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));  // one opener at a time
  ASSERT_TRUE(EmptyClipboard());
  const HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 4);
  std::memcpy(GlobalLock(text), "abc", 4);
  GlobalUnlock(text);
  EXPECT_EQ(SetClipboardData(CF_TEXT, text), text);
  const HBITMAP bitmap = CreateBitmap(2, 2);
  EXPECT_EQ(SetClipboardData(CF_BITMAP, bitmap), bitmap);
  EXPECT_EQ(SetClipboardData(CF_BITMAP, text), nullptr);  // not a bitmap
  EXPECT_EQ(SetClipboardData(7, text), nullptr);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(SetClipboardData(CF_TEXT, text), nullptr);  // closed
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_EQ(TextOnClipboard(), "abc");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(IsBitmap(bitmap));  // the clipboard freed what it held
  EXPECT_EQ(GlobalSize(text), 0u);
  EXPECT_EQ(TextOnClipboard(), "<none>");
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, 0), nullptr);
}

TEST(ResourcesTest, AcceleratorsIconsAndImageListsComeFromTheChainOfModules) {
  CWinApp app(L"Host");
  CResourceModule library;
  app.Register<AcceleratorTemplate>(13, {{FVIRTKEY | FCONTROL, 'O', 100}, {FVIRTKEY, 0x70, 101}});
  library.Register<IconImage>(7, {2, 1, {RGB(255, 0, 0), RGB(0, 0, 255)}});
  CWinApp::AddExtensionModule(&library);

  const HACCEL keys = LoadAccelerators(nullptr, 13);
  ASSERT_NE(keys, nullptr);
  ACCEL copied[3];
  EXPECT_EQ(CopyAcceleratorTableW(keys, nullptr, 0), 2);
  EXPECT_EQ(CopyAcceleratorTableW(keys, copied, 1), 1);
  EXPECT_EQ(copied[0].cmd, 100);
  EXPECT_TRUE(DestroyAcceleratorTable(keys));
  EXPECT_EQ(LoadAccelerators(&library, 13), nullptr);

  EXPECT_EQ(AfxFindResourceHandle(7, RT_ICON), &library);
  EXPECT_EQ(AfxFindResourceHandle(13, RT_ACCELERATOR), &app);
  EXPECT_EQ(AfxFindResourceHandle(13, RT_MENU), nullptr);
  EXPECT_EQ(LoadIcon(&app, 7), nullptr);
  const HICON icon = LoadIcon(nullptr, 7);
  CImageList images;
  EXPECT_EQ(images.Add(icon), -1);  // not made yet
  ASSERT_TRUE(images.Create(4, 2, ILC_COLOR | ILC_MASK, 0, 1));
  EXPECT_FALSE(images.Create(4, 2, ILC_MASK, 0, 1));
  EXPECT_EQ(images.Add(icon), 0);
  EXPECT_EQ(images.Add(nullptr), -1);
  EXPECT_EQ(images.GetImageCount(), 1);
  EXPECT_EQ(images.GetImage(0).pixels,
            (std::vector<COLORREF>{RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 255),
                                   RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 255)}));
  DestroyIcon(icon);
  CWinApp::RemoveExtensionModule(&library);
}

class Claimed : public CObject {
  DECLARE_SERIAL(Claimed)
};

TEST(ExtensionModuleTest, LibraryJoinsTheChainWithTheClassesItRegistered) {
  CWinApp app(L"Host");
  CResourceModule resources;
  resources.RegisterString(5, L"from the library");
  static AFX_EXTENSION_MODULE module;  // in the program's image, as a library's is in its own
  EXPECT_FALSE(AfxInitExtensionModule(module, nullptr));
  ASSERT_TRUE(AfxInitExtensionModule(module, &resources));
  {
    // Registered after the entry point ran, as a static object linked after it is.
    static const CRuntimeClassRegistration registration(RUNTIME_CLASS(Claimed));
  }
  // Classes of this program only: the framework's own live in its library.
  const std::vector<const CRuntimeClass*>& classes = module.Classes();
  EXPECT_NE(std::find(classes.begin(), classes.end(), RUNTIME_CLASS(Claimed)), classes.end());
  EXPECT_EQ(std::find(classes.begin(), classes.end(), RUNTIME_CLASS(CWnd)), classes.end());
  EXPECT_EQ(RUNTIME_CLASS(Claimed)->m_wSchema, 3u);
  new CDynLinkLibrary(module);
  CString text;
  EXPECT_TRUE(text.LoadString(5));
  EXPECT_EQ(CDynLinkLibrary::Links().size(), 1u);
  AfxTermExtensionModule(module);
  EXPECT_TRUE(CDynLinkLibrary::Links().empty());
  EXPECT_FALSE(module.bInitialized);
  EXPECT_FALSE(CString().LoadString(5));
}

}  // namespace

CObject* Claimed::CreateObject() { return new Claimed; }
BRENMOOR_RUNTIME_CLASS_SCHEMA(Claimed, CObject, 3, &Claimed::CreateObject)
