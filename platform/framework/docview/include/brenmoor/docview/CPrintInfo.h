#pragma once
// Printing: the printer the application prints to (a PDF file with pages of
// a given size), the print dialog the user answers, and what one print run
// knows (page range, the page being printed, where to draw on it).

#include "brenmoor/core/CString.h"
#include "brenmoor/core/Geometry.h"

class CWnd;

// The default printer writes to a PDF file; pages in points, with the part of
// each page the printer cannot reach on every side. No file: no printer.
struct PrinterSettings {
  CString file;
  int widthPoints = 595;  // A4
  int heightPoints = 842;
  int unprintablePoints = 18;
};
PrinterSettings& AfxGetPrinter();

constexpr DWORD PD_ALLPAGES = 0x0000;
constexpr DWORD PD_PAGENUMS = 0x0002;
constexpr DWORD PD_NOSELECTION = 0x0004;
constexpr DWORD PD_PRINTTOFILE = 0x0020;
constexpr DWORD PD_USEDEVMODECOPIES = 0x40000;

struct PRINTDLG {
  DWORD Flags = 0;
  WORD nFromPage = 0;
  WORD nToPage = 0;
  WORD nMinPage = 0;
  WORD nMaxPage = 0;
};

// Modal: the user (see CUser) picks the pages and may print to another file.
class CPrintDialog {
 public:
  explicit CPrintDialog(BOOL printSetupOnly, DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION,
                        CWnd* parent = nullptr);
  virtual ~CPrintDialog() = default;
  CPrintDialog(const CPrintDialog&) = delete;
  CPrintDialog& operator=(const CPrintDialog&) = delete;

  // IDOK when the user printed, IDCANCEL otherwise.
  virtual INT_PTR DoModal();
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
  int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
  // The file the pages go to: the printer's, or the one the user printed to.
  const CString& GetOutputFile() const { return output_; }

  // What the user does in the dialog.
  void ChoosePages(int from, int to);
  void PrintToFile(const CString& file);

  PRINTDLG m_pd;

 private:
  CString output_;
};

class CPrintInfo {
 public:
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
  void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }

  CPrintDialog* m_pPD;
  BOOL m_bDirect = false;
  BOOL m_bPreview = false;
  // The view clears it in OnPrepareDC when the page before was the last.
  BOOL m_bContinuePrinting = true;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  void* m_lpUserData = nullptr;
  // The printable part of the page being printed, in the context's units;
  // a page's size already when printing begins, so that pages can be laid out.
  CRect m_rectDraw;
};
