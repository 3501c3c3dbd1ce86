#include "brenmoor/win/CColourButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/ui/CDialog.h"
#include "brenmoor/app/CWinApp.h"
#include "brenmoor/gdi/RasterSurface.h"
#include "brenmoor/gdi/RecordingSurface.h"
#include "brenmoor/app/ScriptedUser.h"
#include "brenmoor/windowing/WindowPainter.h"
#include "testing/TestParent.h"

namespace {

using Lines = std::vector<std::string>;
constexpr int kButton = 10;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

enum class Look { Raised, Pressed, Disabled, Focused };

// A colour button of the given size on a parent, shown in one of its looks.
class ShownButton {
 public:
  ShownButton(int width, int height, Look look) {
    button.SubclassWindow(parent.AddChild(kButtonClass, kButton, {0, 0, width, height}, WS_VISIBLE | WS_TABSTOP));
    if (look == Look::Pressed) button.SetState(true);
    if (look == Look::Disabled) button.EnableWindow(false);
    if (look == Look::Focused) button.SetFocus();
  }
  TestParent parent{{0, 0, 200, 100}};
  CColourButton button{kRed};
};

// Consecutive pixels in one line, so a dotted frame reads as one row of the table.
Lines JoinPixels(const Lines& lines) {
  Lines joined;
  for (const std::string& line : lines) {
    if (line.starts_with("pixel ") && !joined.empty() && joined.back().starts_with("pixels")) {
      joined.back() += " " + line.substr(6, line.find(' ', 6) - 6);
    } else if (line.starts_with("pixel ")) {
      joined.push_back("pixels c000000: " + line.substr(6, line.find(' ', 6) - 6));
    } else {
      joined.push_back(line);
    }
  }
  return joined;
}

TEST(CColourButton, SubclassingMakesThePushButtonOwnerDrawn) {
  ShownButton shown(20, 14, Look::Raised);
  EXPECT_EQ(shown.button.GetButtonStyle(), BS_OWNERDRAW);
  EXPECT_EQ(shown.button.GetStyle() & WS_TABSTOP, WS_TABSTOP);
  EXPECT_EQ(shown.button.GetColour(), kRed);
  shown.button.SetColour(kBlue);
  EXPECT_EQ(shown.button.GetColour(), kBlue);
  EXPECT_EQ(shown.button.InvalidationCount(), 0);
}

TEST(CColourButton, CreatingOneMakesItOwnerDrawnToo) {
  TestParent parent{{0, 0, 200, 100}};
  CColourButton button{kRed};
  ASSERT_TRUE(button.Create(kButtonClass, L"", WS_CHILD | WS_VISIBLE, {0, 0, 20, 14}, &parent, kButton));
  EXPECT_EQ(button.GetButtonStyle(), BS_OWNERDRAW);
}

TEST(CColourButton, DrawsItsBorderSwatchAndFocusInEachLook) {
  const std::string face = "polygon w1 s5 c000000 bc8d0d4 (0,0)-(19,0)-(19,13)-(0,13)";
  const std::string swatch = "polygon w1 s0 c000000 b0000ff (5,4)-(14,4)-(14,9)-(5,9)";
  const Lines raised = {
      "polyline w1 s0 c000000 (0,13)-(19,13)", "polyline w1 s0 c000000 (19,13)-(19,0)",
      "polyline w1 s0 c808080 (1,12)-(18,12)", "polyline w1 s0 c808080 (18,12)-(18,1)",
      "polyline w1 s0 cffffff (18,1)-(1,1)",   "polyline w1 s0 cffffff (1,1)-(1,12)",
  };
  struct Case {
    Look look;
    Lines expected;
  };
  const Case cases[] = {
      {Look::Raised, {face, raised[0], raised[1], raised[2], raised[3], raised[4], raised[5], swatch}},
      {Look::Pressed,
       {face, "polyline w1 s0 c808080 (0,13)-(0,0)", "polyline w1 s0 c808080 (0,0)-(19,0)",
        "polyline w1 s0 cffffff (19,-1)-(19,13)", "polyline w1 s0 cffffff (19,13)-(1,13)",
        "polyline w1 s0 c000000 (1,12)-(1,1)", "polyline w1 s0 c000000 (1,1)-(18,1)",
        "polygon w1 s0 c000000 b0000ff (6,5)-(15,5)-(15,10)-(6,10)"}},
      {Look::Disabled, {face, raised[0], raised[1], raised[2], raised[3], raised[4], raised[5]}},
      {Look::Focused,
       {face, raised[0], raised[1], raised[2], raised[3], raised[4], raised[5], swatch,
        "pixels c000000: (3,3) (3,10) (5,3) (5,10) (7,3) (7,10) (9,3) (9,10) (11,3) (11,10) (13,3) (13,10) "
        "(15,3) (15,10) (3,3) (16,3) (3,5) (16,5) (3,7) (16,7) (3,9) (16,9)"}},
  };
  for (const Case& c : cases) {
    ShownButton shown(20, 14, c.look);
    RecordingSurface surface;
    CDC dc(surface);
    PaintWindow(shown.button.m_hWnd, dc);
    EXPECT_EQ(JoinPixels(surface.Lines()), c.expected) << static_cast<int>(c.look);
  }
}

TEST(CColourButton, PixelsOfEachLookOnARasterImage) {
  constexpr COLORREF kFace = RGB(212, 208, 200);
  constexpr COLORREF kUntouched = RGB(0, 255, 0);
  constexpr COLORREF kBlack = RGB(0, 0, 0), kGrey = RGB(128, 128, 128), kWhite = RGB(255, 255, 255);
  struct Pixel {
    int x, y;
    COLORREF colour;
  };
  struct Case {
    Look look;
    std::vector<Pixel> pixels;
  };
  // A 40 x 20 button: edges at 0 and 39, 0 and 19.
  const Case cases[] = {
      {Look::Raised,
       {{0, 0, kFace}, {38, 0, kFace}, {39, 0, kUntouched}, {0, 19, kBlack}, {38, 19, kBlack},
        {39, 19, kBlack}, {39, 1, kBlack}, {1, 18, kGrey}, {38, 18, kGrey}, {38, 2, kGrey}, {38, 1, kWhite},
        {1, 1, kWhite}, {1, 17, kWhite}, {4, 4, kFace}, {5, 4, kBlack}, {34, 15, kBlack}, {6, 5, kRed},
        {33, 14, kRed}, {35, 16, kFace}, {3, 3, kFace}}},
      {Look::Pressed,
       {{0, 19, kGrey}, {0, 0, kGrey}, {38, 0, kGrey}, {39, 0, kWhite}, {39, 19, kWhite}, {2, 19, kWhite},
        {1, 19, kUntouched}, {1, 18, kBlack}, {1, 1, kBlack}, {37, 1, kBlack}, {38, 1, kFace}, {5, 4, kFace}, {6, 5, kBlack},
        {35, 16, kBlack}, {7, 6, kRed}, {34, 15, kRed}, {36, 17, kFace}}},
      {Look::Disabled, {{0, 19, kBlack}, {1, 1, kWhite}, {5, 4, kFace}, {6, 5, kFace}, {20, 10, kFace}}},
      {Look::Focused,
       {{3, 3, kBlack}, {4, 3, kFace}, {5, 3, kBlack}, {35, 3, kBlack}, {36, 3, kBlack}, {37, 3, kFace},
        {3, 16, kBlack}, {3, 4, kFace}, {3, 5, kBlack}, {36, 15, kBlack}, {35, 16, kBlack}, {36, 16, kFace}, {6, 5, kRed}}},
  };
  for (const Case& c : cases) {
    ShownButton shown(40, 20, c.look);
    RasterSurface surface(40, 20, kUntouched);
    CDC dc(surface);
    PaintWindow(shown.button.m_hWnd, dc);
    for (const Pixel& pixel : c.pixels) {
      EXPECT_EQ(surface.Pixel(pixel.x, pixel.y), pixel.colour)
          << "look " << static_cast<int>(c.look) << " at (" << pixel.x << "," << pixel.y << ")";
    }
  }
}

constexpr UINT kTemplate = 300;

// A dialog with a colour button that notes what reaches it about the button.
class ColourDialog : public CDialog {
 public:
  ColourDialog() : CDialog(kTemplate) {}
  CColourButton button{kRed};
  Lines notes;

 protected:
  void DoDataExchange(CDataExchange* exchange) override { DDX_Control(exchange, kButton, button); }
  LRESULT OnColour(WPARAM id, LPARAM colour) {
    char line[48];
    std::snprintf(line, sizeof line, "colour %d %06x", static_cast<int>(id), static_cast<unsigned>(colour));
    notes.push_back(line);
    return 0;
  }
  void OnButtonClicked() { notes.push_back("clicked " + std::to_string(kButton)); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourDialog, CDialog)
  MessageEntry<&ColourDialog::OnColour>(WM_COLOURBUTTON_CLICKED),
  CommandEntry<&ColourDialog::OnButtonClicked>(kButton),
END_MESSAGE_MAP()

void RegisterColourDialog(CWinApp& app) {
  app.Register<DialogTemplate>(kTemplate, {L"Colours", {0, 0, 120, 60}, WS_CAPTION | DS_MODALFRAME,
                                 {{kButtonClass, kButton, L"", {10, 10, 50, 24}, WS_VISIBLE | WS_TABSTOP},
                                  {kButtonClass, IDOK, L"OK", {60, 10, 110, 24}, WS_VISIBLE | WS_TABSTOP}}});
}

TEST(CColourButton, EveryClickAsksForAColourAndTellsTheParentPickedOrNot) {
  CWinApp app{L"Host"};
  RegisterColourDialog(app);
  ScriptedUser user;
  user.InDialog(kTemplate).Click(kButton).Click(kButton).Click(kButton).Click(IDOK);
  user.PickColour(kBlue);
  user.CancelColourDialog();
  user.PickColour(kBlue);
  ColourDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 300", "colour dialog, colour 0000ff, flags 0x101",
                                "colour dialog, colour ff0000, flags 0x101",
                                "colour dialog, colour ff0000, flags 0x101"}));
  EXPECT_EQ(dialog.notes, (Lines{"colour 10 ff0000", "clicked 10", "colour 10 ff0000", "clicked 10",
                                 "colour 10 ff0000", "clicked 10"}));
  EXPECT_EQ(dialog.button.GetColour(), kBlue);
  EXPECT_EQ(dialog.button.InvalidationCount(), 1);  // only the pick that changed the colour
  EXPECT_TRUE(dialog.button.LastInvalidationErased());
  EXPECT_TRUE(user.Unused().empty());
}

TEST(CColourButton, ACancelledDialogKeepsTheColourAndStillTellsTheParent) {
  CWinApp app{L"Host"};
  RegisterColourDialog(app);
  ScriptedUser user;
  user.InDialog(kTemplate).Click(kButton).Click(IDOK);
  user.CancelColourDialog();
  ColourDialog dialog;
  dialog.button.SetColour(RGB(0, 0, 0));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(user.Seen(), (Lines{"dialog 300", "colour dialog, colour 000000, flags 0x100"}));
  EXPECT_EQ(dialog.notes, (Lines{"colour 10 000000", "clicked 10"}));
  EXPECT_EQ(dialog.button.InvalidationCount(), 0);
}

}  // namespace
