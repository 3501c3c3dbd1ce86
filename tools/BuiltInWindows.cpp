// Draws each of the framework's own modal windows (message box, file,
// colour and print dialogs, print preview, popup menu) with sample data into
// a PNG of its own in the folder: pictures to check them by eye.
//
//   builtin_windows <folder>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/docview/CPrintPreview.h"
#include "brenmoor/docview/CView.h"
#include "brenmoor/docview/PrintDialogWindow.h"
#include "brenmoor/docview/PrintPreviewWindow.h"
#include "brenmoor/gdi/FontCaches.h"
#include "brenmoor/ui/CColorDialog.h"
#include "brenmoor/ui/CFileDialog.h"
#include "brenmoor/ui/ColourDialogWindow.h"
#include "brenmoor/ui/FileDialogWindow.h"
#include "brenmoor/ui/MessageBoxWindow.h"
#include "brenmoor/ui/PopupMenuWindow.h"
#include "brenmoor/windowing/CMenu.h"

namespace fs = std::filesystem;

namespace {

// Two pages of a link list, as a host's list printing lays them out.
class SampleView : public CView {
 public:
  void OnDraw(CDC*) override {}

 protected:
  void OnBeginPrinting(CDC*, CPrintInfo* info) override { info->SetMaxPage(2); }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    dc->TextOut(0, 0, L"Links - page " + CString(std::to_wstring(info->m_nCurPage)));
    for (int row = 0; row < 20; ++row) {
      const int number = row + 1 + 20 * (static_cast<int>(info->m_nCurPage) - 1);
      dc->TextOut(0, 30 + row * 18, L"L" + CString(std::to_wstring(number)) + L"    kestle-nms    OK    " +
                                       CString(std::to_wstring(number * 7 % 100)) + L"%");
    }
  }
};

// A folder with a few entries for the file dialog to list.
fs::path SampleFolder(const fs::path& out) {
  const fs::path folder = out / "sample";
  fs::create_directories(folder / "archive");
  for (const char* name : {"links.csv", "nodes.csv", "notes.txt"}) std::ofstream(folder / name) << "sample\n";
  return folder;
}

void RenderThenCancel(ScriptedUser& user, UINT window, const fs::path& png) {
  user.InDialog(window).Render(png.string()).Click(IDCANCEL);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: builtin_windows <folder>\n");
    return 2;
  }
  const struct FontCachesAtExit {
    ~FontCachesAtExit() { ReleaseFontCaches(); }
  } fontCaches;
  const fs::path out = argv[1];
  CWinApp app{L"Link monitor"};
  ScriptedUser user;
  try {
    RenderThenCancel(user, kMessageBoxDialog, out / "message-box.png");
    RunMessageBoxWindow(L"The export file could not be written.\n\nDo you want to choose another file?",
                        L"Link monitor", MB_YESNOCANCEL | MB_ICONQUESTION);

    const fs::path sample = SampleFolder(out);
    RenderThenCancel(user, kFileDialogWindow, out / "file-dialog.png");
    CFileDialog file(false, L"csv", CString::FromUtf8((sample / "links.csv").string()), OFN_OVERWRITEPROMPT,
                     L"CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||");
    RunFileDialogWindow(file);
    fs::remove_all(sample);

    RenderThenCancel(user, kColourDialogWindow, out / "colour-dialog.png");
    CColorDialog colour(RGB(0, 128, 255));
    RunColourDialogWindow(colour);

    AfxGetPrinter().file = L"links.pdf";
    CPrintInfo info;
    info.SetMaxPage(2);
    info.m_pPD->m_pd.nFromPage = 1;
    info.m_pPD->m_pd.nToPage = 2;
    RenderThenCancel(user, kPrintDialogWindow, out / "print-dialog.png");
    RunPrintDialogWindow(*info.m_pPD);

    SampleView view;
    CPrintPreview preview(view, info);
    user.InDialog(kPrintPreviewWindow).Render((out / "print-preview.png").string()).Click(CPrintPreviewWindow::kClose);
    RunPrintPreviewWindow(preview);

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 100, L"&Open\tCtrl+O");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 101, L"Show &Grid");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 102, L"&Paste\tCtrl+V");
    HMENU more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 200, L"Export...");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"&More");
    auto& steps = user.InDialog(kPopupMenuWindow);
    steps.Actions().push_back({"press down", [](CDialog& window) { window.SendMessage(WM_KEYDOWN, VK_DOWN); }});
    steps.Render((out / "popup-menu.png").string());
    steps.Actions().push_back({"press escape", [](CDialog& window) { window.SendMessage(WM_KEYDOWN, VK_ESCAPE); }});
    RunPopupMenuWindow(menu.m_hMenu);
  } catch (const UserScriptError& error) {
    std::fprintf(stderr, "builtin_windows: %s\n", error.what());
    return 1;
  }
  for (const char* name :
       {"message-box", "file-dialog", "colour-dialog", "print-dialog", "print-preview", "popup-menu"}) {
    std::printf("%s\n", (out / (std::string(name) + ".png")).c_str());
  }
  return 0;
}
