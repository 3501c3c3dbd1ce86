#include "brenmoor/win/CListPrintDoc.h"

IMPLEMENT_DYNCREATE(CListPrintDoc, CDocument)

namespace {

// The host's title for every list print.
constexpr UINT kTitleString = 569;

}  // namespace

BEGIN_MESSAGE_MAP(CListPrintDoc, CDocument)
END_MESSAGE_MAP()

CListPrintDoc::CListPrintDoc() = default;

CListPrintDoc::CListPrintDoc(CListCtrl* listCtrl, UINT commandId) : ListCtrl(listCtrl), CommandId(commandId) {
  TakeTitleFromHost();
}

CListPrintDoc::CListPrintDoc(CListCtrl* listCtrl, const CString& systemName, UINT commandId, int includeDate,
                             const COleDateTime& fromDate, const COleDateTime& toDate)
    : ListCtrl(listCtrl),
      CommandId(commandId),
      SystemName(systemName),
      IncludeDate(includeDate),
      FromDate(fromDate),
      ToDate(toDate) {
  TakeTitleFromHost();
}

CListPrintDoc::~CListPrintDoc() = default;

void CListPrintDoc::TakeTitleFromHost() {
  CString title;
  title.LoadString(kTitleString);
  SetTitle(title);
}

void CListPrintDoc::Serialize(CArchive&) {}

BOOL CListPrintDoc::OnNewDocument() { return CDocument::OnNewDocument() ? 1 : 0; }
