#include "brenmoor/docview/CPrintInfo.h"

#include "brenmoor/core/Desktop.h"
#include "brenmoor/windowing/CUser.h"
#include "brenmoor/windowing/WinMessages.h"

namespace {

struct Printer : Desktop::Part {
  PrinterSettings settings;
};

}  // namespace

PrinterSettings& AfxGetPrinter() { return Desktop::Current().Get<Printer>().settings; }

CPrintDialog::CPrintDialog(BOOL, DWORD flags, CWnd*) : output_(AfxGetPrinter().file) { m_pd.Flags = flags; }

INT_PTR CPrintDialog::DoModal() { return AfxGetUser().AnswerPrintDialog(*this) ? IDOK : IDCANCEL; }

void CPrintDialog::ChoosePages(int from, int to) {
  m_pd.Flags |= PD_PAGENUMS;
  m_pd.nFromPage = static_cast<WORD>(from);
  m_pd.nToPage = static_cast<WORD>(to);
}

void CPrintDialog::PrintToFile(const CString& file) {
  m_pd.Flags |= PD_PRINTTOFILE;
  output_ = file;
}

// Pages run from 1 with no end known until the view says so.
CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(false)) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo() { delete m_pPD; }
