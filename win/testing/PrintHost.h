#pragma once
// What a host application gives list printing: its resources, a document
// template of the three print classes, and a main MDI frame with one child
// that shows the host's list control and has the focus; a click on one of
// the list's headings sorts it. The frame's File menu prints the list or
// shows its preview (Ctrl+P prints), and closes the frame.

#include <functional>

#include "brenmoor/docview/CDocTemplate.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/docview/CMDIFrameWnd.h"
#include "brenmoor/app/CWinApp.h"

class CListPrintDoc;

class PrintHost {
 public:
  static constexpr int kListId = 1001;

  // The application's main window from here on; the list child is active.
  explicit PrintHost(CWinApp& app);
  ~PrintHost();
  PrintHost(const PrintHost&) = delete;
  PrintHost& operator=(const PrintHost&) = delete;

  CMDIFrameWnd& MainFrame() { return *main_; }
  CMDIChildWnd& ListFrame() { return *listFrame_; }
  CListCtrl& List() { return list_; }
  CDocTemplate& Template() { return *template_; }

  // Opens a print frame and view on the document as a host does; what
  // happens next comes from the posted messages.
  CFrameWnd* OpenPrintFrame(CListPrintDoc* document);
  // Opens it and runs the posted messages until none is left.
  void Print(CListPrintDoc* document);
  // The document the File menu's Print (ID_FILE_PRINT) and Print Preview
  // (ID_FILE_PRINT_PREVIEW) print; until it is given they do nothing.
  using DocumentMaker = std::function<CListPrintDoc*(UINT command)>;
  void PrintFromMenu(DocumentMaker make) { makeDocument_ = std::move(make); }
  void PrintCommand(UINT command);

 private:
  CWinApp& app_;
  CMultiDocTemplate* template_;
  CMDIFrameWnd* main_;
  CMDIChildWnd* listFrame_;
  CListCtrl list_;
  DocumentMaker makeDocument_;
};
