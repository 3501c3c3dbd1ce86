#pragma once
// Static helpers for windows, fonts and controls.

#include "brenmoor/gdi/CDC.h"
#include "brenmoor/app/CWinApp.h"

class CDocTemplate;
class CDocument;
class CImageList;
class CListCtrl;
class CMenu;
class CView;
class CWnd;

class WinUtils {
 public:
  WinUtils() = delete;

  // Creates the font into an empty font object and returns its character
  // cell: the width of "X" (a hundredth of 100 of them, truncated) and the
  // height, measured on the screen. A face name longer than the 31
  // characters a font description holds is cut to 31.
  static CSize CreateFontW(CFont* font, CString faceName, int height, bool bold, bool underline,
                           bool italic);

  // "C:\data\x.csv" becomes "C:\data\x_<today>.txt": the date goes before the
  // file name's extension, which becomes ".txt"; a file name without an
  // extension is left as it is.
  static void AppendDateToFileName(CString& name);

  // Asks for the format with the export format dialog, then appends the
  // list's titles and rows (columns in index order, whatever order the user
  // dragged them into) to the chosen file and says where it went. False
  // when the user cancelled or the file could not be opened; a file that
  // fails part-way throws the framework's file exception.
  static bool ExportListCtrlData(CListCtrl& list);

  // The window's placement as a 44-byte binary entry; restoring applies a
  // stored record of exactly 44 bytes, show state included, and ignores any other.
  static void SaveWindowPlacement(CString section, CString entry, CWnd* window);
  static void RestoreWindowPlacement(CString section, CString entry, CWnd* window);
  // "ListColumns": "<heading>;<width>;" per column, left to right; written
  // only for two columns or more, and only when every heading reads back as
  // itself: one holding ";" or starting or ending in a blank or tab leaves
  // the stored layout as it was.
  static void SaveListColumns(const CListCtrl& list, const CString& section);
  // The stored layout when it names the default's columns in the default's
  // order, else the default; a layout that cannot be read shows message 697
  // and keeps the columns inserted before the fault.
  static void RestoreListColumns(CListCtrl& list, const CString& section, const CString& defaultLayout);

  // ANSI text (CF_TEXT); false when the clipboard could not take it.
  static bool CopyToClipboard(const CString& text);
  // The clipboard's ANSI text; empty when it cannot be opened or holds none.
  static CString PasteFromClipboard();
  // A picture of the window's client area, as large as the window, as CF_BITMAP.
  static void PutImageOnClipboard(CWnd* window);

  // A screen size as the same size on the context's device (MulDiv by the
  // vertical resolutions).
  static int ScaleFont(CDC* dc, int size);
  // Fills the clip box with the colour, then selects the brush selected before.
  static void PaintBackground(CDC* dc, COLORREF colour);
  // Two nested grey one-pixel frames on the view's two-pixel border.
  static void PaintDialogFrame(CView* view);

  // Grows the view's frame so the view gets the client size (the size is
  // enlarged by the frame's 12 by 31 pixels in place); a maximised frame is left alone.
  static void SetViewSize(CView* view, CSize& size);
  static void BringToTop(CWnd* window);
  // The first top-level window in Z order whose title begins with the text,
  // ignoring case; null when none does.
  static HWND FindApplication(const CString& title);
  // Focuses the dialog's edit control and selects all its text.
  static void SelectDlgEdit(CWnd* dialog, UINT id);

  // The template whose document name is field 1 of the host string with the id.
  static CDocTemplate* FindDocTemplate(UINT id);
  static CView* FindView(UINT id);
  static CDocument* FindDoc(UINT id, const CString& title);
  static CDocument* FindDocWithID(UINT id, void* documentId);
  // A new, empty document of the template, its frame shown maximised.
  static CView* CreateView(UINT id, bool visible);
  // One more frame and view on the document, made by the template with the id.
  static CView* CreateNewView(UINT id, CDocument* document);
  // Brings the frame of the document's first view to the top, restoring it when minimised.
  static bool ActivateDoc(const CDocument* document);
  // Every document of every template, each after the user agreed to its save
  // prompt; false as soon as the user cancels one.
  static bool CloseAllDocuments();

  // Copies every item of the source to the end of the target, popups
  // included, after a separator when the target has items.
  static void AppendMenuHelper(const CMenu* source, HMENU target);
  // A 16 by 16 image list with the icons of the ids up to the 0 that ends
  // them; icons that do not load are skipped.
  static void ImageListIconLoader(CImageList& list, UINT* ids, HINSTANCE module);
};
