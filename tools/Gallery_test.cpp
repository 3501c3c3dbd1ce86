// The gallery's dialogs without a screen: each answered by a scripted user,
// and the line the gallery writes for what was chosen.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Gallery.h"
#include "GalleryWizard.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/docview/CPrintInfo.h"
#include "brenmoor/ui/CPropertySheet.h"
#include "brenmoor/win/CExportFormatDlg.h"
#include "brenmoor/win/CWarningDlg.h"

namespace {

using namespace link_wizard;

struct Case {
  const char* dialog;
  std::function<void(ScriptedUser&)> answer;
  std::string line;
};

class GalleryTest : public ::testing::Test {
 protected:
  GalleryTest() {
    RegisterGalleryResources(app);
    AfxGetPrinter().file = L"";
  }

  static std::string Open(const char* name) {
    for (const GalleryDialog& dialog : GalleryDialogs()) {
      if (std::string(dialog.name) == name) return dialog.open();
    }
    return std::string("no dialog ") + name;
  }

  void Expect(const std::vector<Case>& cases) {
    for (const Case& each : cases) {
      ScriptedUser user;
      each.answer(user);
      EXPECT_EQ(Open(each.dialog), each.line) << each.dialog;
      EXPECT_EQ(user.Unused(), std::vector<std::string>{}) << each.dialog;
    }
  }

  CWinApp app{L"Gallery"};
};

TEST_F(GalleryTest, OpensEveryDialogInOrder) {
  std::vector<std::string> names;
  for (const GalleryDialog& dialog : GalleryDialogs()) names.emplace_back(dialog.name);
  EXPECT_EQ(names, (std::vector<std::string>{"message-box", "warning", "export-format", "file", "colour", "print",
                                             "wizard"}));
}

TEST_F(GalleryTest, EachDialogsLineSaysWhatWasChosen) {
  const std::string exportDefaults = "export format: OK, delimiter \"Tab\", qualifier \"None\", file \"links.txt\"";
  Expect({
      {"message-box", [](ScriptedUser& u) { u.AnswerMessageBox(IDYES); }, "message box: Yes"},
      {"message-box", [](ScriptedUser& u) { u.AnswerMessageBox(IDNO); }, "message box: No"},
      {"message-box", [](ScriptedUser& u) { u.AnswerMessageBox(IDCANCEL); }, "message box: Cancel"},
      {"warning", [](ScriptedUser& u) { u.InDialog(CWarningDlg::IDD).Click(IDOK); },
       "warning: OK, do not show again off"},
      {"warning", [](ScriptedUser& u) { u.InDialog(CWarningDlg::IDD).Check(CWarningDlg::IDC_DONT_SHOW, true).Click(IDOK); },
       "warning: OK, do not show again on"},
      {"warning", [](ScriptedUser& u) { u.InDialog(CWarningDlg::IDD).Click(IDCANCEL); }, "warning: Cancel"},
      {"export-format", [](ScriptedUser& u) { u.InDialog(CExportFormatDlg::IDD).Click(IDOK); },
       exportDefaults + ", titles on, banner off, date in name off"},
      {"export-format",
       [](ScriptedUser& u) {
         u.InDialog(CExportFormatDlg::IDD)
             .Pick(CExportFormatDlg::kDelimiter, L";")
             .Pick(CExportFormatDlg::kQuote, L"\"")
             .Check(CExportFormatDlg::kTitles, false)
             .Check(CExportFormatDlg::kBanner, true)
             .Click(CExportFormatDlg::kBrowse)
             .Click(IDOK);
         u.ConfirmFile(L"/tmp/picked");
       },
       "export format: OK, delimiter \";\", qualifier \"\"\", file \"/tmp/picked.txt\", titles off, banner on, "
       "date in name off"},
      {"export-format", [](ScriptedUser& u) { u.InDialog(CExportFormatDlg::IDD).Click(IDCANCEL); },
       "export format: Cancel"},
      {"file", [](ScriptedUser& u) { u.ConfirmFile(L"/tmp/links copy"); }, "file dialog: OK, \"/tmp/links copy.txt\""},
      {"file", [](ScriptedUser& u) { u.CancelFileDialog(); }, "file dialog: Cancel"},
      {"colour", [](ScriptedUser& u) { u.PickColour(RGB(0, 0, 255)); }, "colour dialog: OK, RGB(0, 0, 255)"},
      {"colour", [](ScriptedUser& u) { u.CancelColourDialog(); }, "colour dialog: Cancel"},
      {"print", [](ScriptedUser& u) { u.AnswerPrintDialog(); }, "print dialog: OK, all pages, file \"links.pdf\""},
      {"print", [](ScriptedUser& u) { u.AnswerPrintDialog(L"/tmp/two.pdf", 2, 3); },
       "print dialog: OK, pages 2 to 3, file \"/tmp/two.pdf\""},
      {"print", [](ScriptedUser& u) { u.CancelPrintDialog(); }, "print dialog: Cancel"},
  });
}

TEST_F(GalleryTest, TheWizardIsWalkedWithNextBackAndFinish) {
  const std::string samples = "name \"L07\", host \"kestle-nms\", port \"2404\"";
  Expect({
      {"wizard", [](ScriptedUser& u) { u.InDialog(kCaption).Click(ID_WIZNEXT).Click(ID_WIZNEXT).Click(ID_WIZFINISH); },
       "wizard: Finish, " + samples + ", watched on"},
      // A field typed on the second page is still there after Back and Next.
      {"wizard",
       [](ScriptedUser& u) {
         u.InDialog(kCaption)
             .Type(kName, L"L09")
             .Click(ID_WIZNEXT)
             .Type(kHost, L"brack-core")
             .Click(ID_WIZBACK)
             .Click(ID_WIZNEXT)
             .Type(kPort, L"102")
             .Click(ID_WIZNEXT)
             .Check(kWatched, false)
             .Click(ID_WIZFINISH);
       },
       "wizard: Finish, name \"L09\", host \"brack-core\", port \"102\", watched off"},
      {"wizard", [](ScriptedUser& u) { u.InDialog(kCaption).Type(kName, L"L09").Click(ID_WIZNEXT).Click(IDCANCEL); },
       "wizard: Cancel"},
  });
}

TEST_F(GalleryTest, TheWizardShowsBackFromTheSecondPageAndFinishOnlyOnTheLast) {
  const struct {
    int pagesForward;
    int button;
    std::string refusal;  // empty: the button can be clicked
  } cases[] = {
      {0, ID_WIZBACK, "dialog 7000 has control 12323 disabled"},
      {0, ID_WIZFINISH, "dialog 7000 does not show control 12325"},
      {1, ID_WIZFINISH, "dialog 7000 does not show control 12325"},
      {2, ID_WIZNEXT, "dialog 7000 does not show control 12324"},
      {1, ID_WIZBACK, ""},
      {2, ID_WIZBACK, ""},
  };
  for (const auto& each : cases) {
    ScriptedUser user;
    ScriptedUser::DialogScript& script = user.InDialog(kCaption);
    for (int i = 0; i < each.pagesForward; ++i) script.Click(ID_WIZNEXT);
    script.Click(each.button).Click(IDCANCEL);
    std::string refusal;
    try {
      Open("wizard");
    } catch (const UserScriptError& error) {
      refusal = error.what();
      user.TakeUnused();
    }
    EXPECT_NE(refusal.find(each.refusal), std::string::npos) << refusal;
    EXPECT_EQ(refusal.empty(), each.refusal.empty()) << each.pagesForward << " " << each.button;
  }
}

TEST_F(GalleryTest, AFieldTypedOnTheSecondPageShowsAgainAfterBackAndNext) {
  ScriptedUser user;
  user.InDialog(kCaption)
      .Click(ID_WIZNEXT)
      .Type(kHost, L"brack-core")
      .Click(ID_WIZBACK)
      .Click(ID_WIZNEXT)
      .Read(kHost)
      .Click(IDCANCEL);
  Open("wizard");
  EXPECT_EQ(user.Seen(), (std::vector<std::string>{"dialog 7000", "read 1102: brack-core"}));
}

}  // namespace
