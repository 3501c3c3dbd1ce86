#pragma once
// The document of a list print: the host's list control (lent, not owned),
// the print command the view posts itself once filled, and the page
// heading's system name and optional date range.

#include "brenmoor/docview/CDocument.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/core/COleDateTime.h"

class CListPrintDoc : public CDocument {
  DECLARE_DYNCREATE(CListPrintDoc)

 public:
  CListPrintDoc(CListCtrl* listCtrl, UINT commandId);
  CListPrintDoc(CListCtrl* listCtrl, const CString& systemName, UINT commandId, int includeDate,
                const COleDateTime& fromDate, const COleDateTime& toDate);
  ~CListPrintDoc() override;

  CListCtrl* GetListCtrl() const { return ListCtrl; }
  UINT GetCommandId() const { return CommandId; }
  CString GetSystemName() const { return SystemName; }
  int GetIncludeDate() const { return IncludeDate; }
  const COleDateTime& GetFromDate() const { return FromDate; }
  const COleDateTime& GetToDate() const { return ToDate; }

  // Nothing is stored or loaded.
  void Serialize(CArchive& archive) override;
  BOOL OnNewDocument() override;

 protected:
  // For dynamic creation only: no list and no command.
  CListPrintDoc();

  DECLARE_MESSAGE_MAP()

 private:
  void TakeTitleFromHost();

  CListCtrl* ListCtrl = nullptr;
  UINT CommandId = 0;
  CString SystemName;
  int IncludeDate = 0;
  COleDateTime FromDate;
  COleDateTime ToDate;
};
