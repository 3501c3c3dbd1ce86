#pragma once
// The print dialog as a window: the printer (the one that writes PDF) and
// where it writes, printing to another file, and the range of pages (all,
// or from one page to another), OK and Cancel.

#include "brenmoor/ui/BuiltInDialog.h"

class CPrintDialog;

class CPrintDialogWindow : public CBuiltInDialog {
 public:
  enum : int {
    kPrinter = 0x473,
    kWhere = 0x3FE,
    kPrintToFile = 0x410,
    kAllPages = 0x420,
    kPageRange = 0x422,
    kFromPage = 0x480,
    kToPage = 0x481,
    kOutputFile = 0x483,
  };
  // What the printer is called in the dialog.
  static constexpr const wchar_t* kPrinterName = L"PDF Printer";

  explicit CPrintDialogWindow(CPrintDialog& dialog);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void DrawPicture(int, CDC&, const CRect&) override {}

 private:
  void ChooseRange(bool pages);
  void SetPrintToFile(bool toFile);
  // The range typed, or false after telling the user what is wrong with it.
  bool ReadRange(int& from, int& to);

  CPrintDialog& dialog_;
};

// True when the user printed; the dialog then holds the pages and file.
bool RunPrintDialogWindow(CPrintDialog& dialog);
