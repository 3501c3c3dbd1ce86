#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "PngPixels.h"
#include "TempFolder.h"
#include "brenmoor/ui/CButton.h"
#include "brenmoor/ui/CListCtrl.h"
#include "brenmoor/ui/CWnd.h"
#include "brenmoor/windowing/TabControl.h"
#include "brenmoor/windowing/WindowPainter.h"

namespace {

using testsupport::PngPixels;
using testsupport::TempFolder;

// A dialog 200 by 100 whose client area starts 3 pixels in and 22 down.
class PaintingTest : public ::testing::Test {
 protected:
  PaintingTest() {
    dialog.Create(kDialogClass, L"Painted", WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, {0, 0, 200, 100}, nullptr, 0);
  }
  PngPixels Shot(const char* name) {
    const std::string png = (folder.Path() / name).string();
    EXPECT_TRUE(RenderWindowToPng(dialog.m_hWnd, png));
    return PngPixels(png);
  }
  static CRect Waiting(HWND window) {
    CRect rect;
    GetUpdateRect(window, &rect);
    return rect;
  }

  TempFolder folder;
  CWnd dialog;
};

TEST_F(PaintingTest, AWindowKeepsTheRectangleWaitingToBePaintedInClientCoordinates) {
  EXPECT_EQ(Waiting(dialog.m_hWnd), CRect(-3, -22, 197, 78));  // new: all of it, frame included
  ASSERT_TRUE(UpdateWindow(dialog.m_hWnd));
  EXPECT_FALSE(GetUpdateRect(dialog.m_hWnd, nullptr));
  const CRect first{10, 10, 20, 20};
  const CRect second{30, 5, 40, 15};
  const CRect beyond{150, 60, 400, 400};
  InvalidateRect(dialog.m_hWnd, &first, true);
  EXPECT_EQ(Waiting(dialog.m_hWnd), first);
  InvalidateRect(dialog.m_hWnd, &second, true);
  EXPECT_EQ(Waiting(dialog.m_hWnd), CRect(10, 5, 40, 20));
  InvalidateRect(dialog.m_hWnd, &beyond, true);
  EXPECT_EQ(Waiting(dialog.m_hWnd), CRect(10, 5, 197, 78));  // kept to the window
  ValidateRect(dialog.m_hWnd, &first);
  EXPECT_EQ(Waiting(dialog.m_hWnd), CRect(10, 5, 197, 78));  // partly painted: all of it still waits
  ValidateRect(dialog.m_hWnd, nullptr);
  EXPECT_FALSE(GetUpdateRect(dialog.m_hWnd, nullptr));
  InvalidateRect(dialog.m_hWnd, nullptr, true);
  dialog.MoveWindow({0, 0, 100, 50});  // what waited beyond the smaller window goes with it
  EXPECT_EQ(Waiting(dialog.m_hWnd), CRect(-3, -22, 97, 28));
  UpdateWindow(dialog.m_hWnd);
  EXPECT_FALSE(GetUpdateRect(dialog.m_hWnd, nullptr));
  EXPECT_FALSE(InvalidateRect(nullptr, &first, true));
  EXPECT_FALSE(GetUpdateRect(nullptr, nullptr));
}

TEST_F(PaintingTest, WhatChangesAControlsLookMarksIt) {
  CButton box;
  box.Create(kButtonClass, L"Flag", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, {10, 10, 100, 30}, &dialog, 1);
  CWnd label;
  label.Create(kStaticClass, L"Label", WS_CHILD | WS_VISIBLE, {10, 40, 100, 60}, &dialog, 2);
  const std::vector<std::pair<const char*, std::function<HWND()>>> changes = {
      {"check", [&] { box.SetCheck(BST_CHECKED); return box.m_hWnd; }},
      {"text", [&] { label.SetWindowText(L"Other"); return label.m_hWnd; }},
      {"disable", [&] { label.EnableWindow(false); return label.m_hWnd; }},
      {"hide: the parent shows what was behind", [&] { label.ShowWindow(SW_HIDE); return dialog.m_hWnd; }},
      {"move", [&] { box.MoveWindow({20, 10, 110, 30}); return box.m_hWnd; }},
  };
  for (const auto& [name, change] : changes) {
    UpdateWindow(dialog.m_hWnd);
    const HWND marked = change();
    EXPECT_TRUE(GetUpdateRect(marked, nullptr)) << name;
  }
  UpdateWindow(dialog.m_hWnd);
  box.SendMessage(BM_GETCHECK);
  label.GetWindowText();
  EXPECT_FALSE(GetUpdateRect(box.m_hWnd, nullptr));  // asking changes nothing
  EXPECT_FALSE(GetUpdateRect(label.m_hWnd, nullptr));
}

// Counts the paint requests a window of a built-in class gets on its way to its class.
class Counted : public CWnd {
 public:
  int paints = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) ++paints;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST_F(PaintingTest, EveryWindowIsAskedToPaintOnceWhenItsPictureIsComposed) {
  const std::vector<const wchar_t*> classes = {kButtonClass,   kEditClass,        kComboBoxClass,
                                               kStaticClass,   kListViewClass,    kStatusBarClass,
                                               kTabControlClass, kGenericWindowClass};
  std::vector<std::unique_ptr<Counted>> controls;
  for (const wchar_t* name : classes) {
    controls.push_back(std::make_unique<Counted>());
    ASSERT_TRUE(controls.back()->Create(name, L"", WS_CHILD | WS_VISIBLE, {10, 10, 150, 60}, &dialog, 1));
  }
  Shot("first.png");
  for (std::size_t i = 0; i < classes.size(); ++i) EXPECT_EQ(controls[i]->paints, 1) << i;
  Shot("again.png");  // nothing changed: the picture stands
  for (std::size_t i = 0; i < classes.size(); ++i) EXPECT_EQ(controls[i]->paints, 1) << i;
  controls[0]->Invalidate();
  Shot("changed.png");
  EXPECT_EQ(controls[0]->paints, 2);
  EXPECT_FALSE(GetUpdateRect(controls[0]->m_hWnd, nullptr));
}

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(PaintingTest, OnlyWhatWaitsIsPaintedAgainAndThePictureIsAsIfPaintedWhole) {
  Counted frame;
  frame.Create(kDialogClass, L"Parts", WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, {0, 0, 200, 100}, nullptr, 0);
  Counted left, right, below;
  left.Create(kButtonClass, L"Left", WS_CHILD | WS_VISIBLE, {10, 10, 90, 30}, &frame, 1);
  right.Create(kButtonClass, L"Right", WS_CHILD | WS_VISIBLE, {100, 10, 190, 30}, &frame, 2);
  below.Create(kStaticClass, L"Below", WS_CHILD | WS_VISIBLE, {10, 40, 190, 70}, &frame, 3);
  CRect changed;
  ASSERT_NE(TakeShownChanges(frame.m_hWnd, changed), nullptr);
  EXPECT_EQ(changed, CRect(0, 0, 200, 100));  // new: all of it
  TakeShownChanges(frame.m_hWnd, changed);
  EXPECT_EQ(changed, CRect());
  left.SetWindowText(L"Pressed");
  TakeShownChanges(frame.m_hWnd, changed);
  EXPECT_EQ(changed, CRect(13, 32, 93, 52));  // the button, in the frame's picture
  EXPECT_EQ(left.paints, 2);
  EXPECT_EQ(right.paints, 1);
  EXPECT_EQ(below.paints, 1);
  EXPECT_EQ(frame.paints, 2);  // under the button, the frame shows through
  ASSERT_TRUE(RenderWindowToPng(frame.m_hWnd, (folder.Path() / "part.png").string()));
  frame.Invalidate();
  ASSERT_TRUE(RenderWindowToPng(frame.m_hWnd, (folder.Path() / "whole.png").string()));
  EXPECT_EQ(right.paints, 2);
  EXPECT_EQ(Bytes(folder.Path() / "part.png"), Bytes(folder.Path() / "whole.png"));
  TakeShownChanges(frame.m_hWnd, changed);
  EXPECT_EQ(changed, CRect(0, 0, 200, 100));
  {
    CDC* dc = GetWindowDC(below.m_hWnd);
    ReleaseDC(below.m_hWnd, dc);
  }
  TakeShownChanges(frame.m_hWnd, changed);
  EXPECT_EQ(changed, CRect(13, 62, 193, 92));  // what a window DC drew shows too
  EXPECT_EQ(TakeShownChanges(nullptr, changed), nullptr);
}

// A window the frame owns has a picture of its own: what changes in it is
// painted there, not in the owner's.
TEST_F(PaintingTest, AnOwnedWindowsChangesAreItsOwn) {
  Counted owned;
  owned.Create(kDialogClass, L"Owned", WS_POPUP | WS_CAPTION | WS_VISIBLE, {50, 50, 150, 150}, &dialog, 0);
  CWnd label;
  label.Create(kStaticClass, L"Label", WS_CHILD | WS_VISIBLE, {5, 5, 80, 25}, &owned, 1);
  CRect changed;
  TakeShownChanges(dialog.m_hWnd, changed);
  TakeShownChanges(owned.m_hWnd, changed);
  label.SetWindowText(L"Changed");
  TakeShownChanges(dialog.m_hWnd, changed);
  EXPECT_EQ(changed, CRect());
  TakeShownChanges(owned.m_hWnd, changed);
  EXPECT_EQ(changed, CRect(8, 27, 83, 47));
  EXPECT_EQ(owned.paints, 2);
}

TEST_F(PaintingTest, AWindowDcDrawsOnWhatTheWindowShowsAndNoFurther) {
  CWnd label;
  label.Create(kStaticClass, L"", WS_CHILD | WS_VISIBLE, {10, 10, 60, 30}, &dialog, 2);
  const std::uint32_t red = RGB(255, 0, 0);
  {
    CDC* dc = GetWindowDC(label.m_hWnd);
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect({-5, -5, 100, 100}, red);
    EXPECT_EQ(ReleaseDC(label.m_hWnd, dc), 1);
  }
  const PngPixels drawn = Shot("drawn.png");
  // The label lies at (13, 32) to (63, 52) in the dialog's picture.
  EXPECT_EQ(drawn.At(13, 32), red);
  EXPECT_EQ(drawn.At(62, 51), red);
  EXPECT_NE(drawn.At(12, 32), red);
  EXPECT_NE(drawn.At(63, 51), red);
  EXPECT_NE(drawn.At(13, 52), red);
  label.SetWindowText(L"x");  // painted again, the label covers the drawing
  EXPECT_NE(Shot("painted.png").At(13, 32), red);
  EXPECT_EQ(GetWindowDC(nullptr), nullptr);
}

TEST_F(PaintingTest, TheTabControlDrawsItsTabsWithTheirLabels) {
  dialog.MoveWindow({0, 0, 400, 100});  // room for the whole control
  CWnd tabs;
  tabs.Create(kTabControlClass, L"", WS_CHILD | WS_VISIBLE, {10, 10, 260, 70}, &dialog, 3);
  for (const wchar_t* label : {L"First", L"Second"}) {
    TCITEMW item;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(label);
    tabs.SendMessage(TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
  }
  const PngPixels png = Shot("tabs.png");
  // The control's corner lies at (13, 32); each tab is 100 by 20.
  // Text is the only dark ink inside a tab; the darkest edge lies on its right.
  const auto inkIn = [&](int left, int right) {
    int ink = 0;
    for (int y = 34; y < 50; ++y) {
      for (int x = left; x < right; ++x) {
        const std::uint32_t colour = png.At(x, y);
        ink += (colour & 0xFF) < 100 && ((colour >> 8) & 0xFF) < 100 && ((colour >> 16) & 0xFF) < 100;
      }
    }
    return ink;
  };
  EXPECT_GT(inkIn(17, 109), 0);  // "First"
  EXPECT_GT(inkIn(117, 209), 0);  // "Second"
  EXPECT_EQ(inkIn(217, 255), 0);  // no third tab
  EXPECT_EQ(png.At(50, 32), RGB(255, 255, 255));  // the selected tab stands taller
  EXPECT_EQ(png.At(150, 32), RGB(212, 208, 200));
  EXPECT_EQ(png.At(150, 34), RGB(255, 255, 255));
}

TEST_F(PaintingTest, ThePersonSeesWhereTheFocusIsAndWhatIsPicked) {
  CWnd button;
  CWnd edit;
  CWnd combo;
  CWnd label;
  label.Create(kStaticClass, L"&Go", WS_CHILD | WS_VISIBLE, {10, 45, 90, 60}, &dialog, 4);
  button.Create(kButtonClass, L"", WS_CHILD | WS_VISIBLE, {10, 10, 90, 40}, &dialog, 1);
  edit.Create(kEditClass, L"", WS_CHILD | WS_VISIBLE, {100, 10, 190, 30}, &dialog, 2);
  combo.Create(kComboBoxClass, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, {100, 40, 190, 60}, &dialog, 3);
  for (const wchar_t* choice : {L"One", L"Two"}) combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  // Client (0, 0) lies at (3, 22): the button's dotted frame starts 3 pixels into it, the edit's caret 4.
  const CPoint dot{16, 35};
  const CPoint beside{17, 35};
  const CPoint caret{107, 40};
  const PngPixels before = Shot("before.png");
  EXPECT_EQ(before.At(14, 79), RGB(0, 0, 0));  // the label's mnemonic underlined, 12 pixels under its top
  EXPECT_EQ(before.At(33, 79), RGB(212, 208, 200));
  EXPECT_EQ(before.At(dot.x, dot.y), RGB(212, 208, 200));
  EXPECT_EQ(before.At(caret.x, caret.y), RGB(255, 255, 255));
  button.SetFocus();
  const PngPixels buttonFocused = Shot("button.png");
  EXPECT_EQ(buttonFocused.At(dot.x, dot.y), RGB(0, 0, 0));
  EXPECT_EQ(buttonFocused.At(beside.x, beside.y), RGB(212, 208, 200));
  edit.SetFocus();
  const PngPixels editFocused = Shot("edit.png");
  EXPECT_EQ(editFocused.At(dot.x, dot.y), RGB(212, 208, 200));
  EXPECT_EQ(editFocused.At(caret.x, caret.y), RGB(0, 0, 0));
  // The open list is a window of its own under the box: a black frame, the choice picked out white on blue.
  combo.SendMessage(CB_SETCURSEL, 1);
  combo.SendMessage(CB_SHOWDROPDOWN, 1);
  COMBOBOXINFO parts;
  combo.SendMessage(CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&parts));
  ASSERT_NE(parts.hwndList, nullptr);
  EXPECT_EQ(GetWindowRect(parts.hwndList), CRect(103, 82, 193, 114));
  const std::string list = (folder.Path() / "list.png").string();
  ASSERT_TRUE(RenderWindowToPng(parts.hwndList, list));
  const PngPixels open(list);
  EXPECT_EQ(open.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(open.At(2, 3), RGB(255, 255, 255));
  EXPECT_EQ(open.At(2, 18), RGB(10, 36, 106));
  combo.SendMessage(CB_SHOWDROPDOWN, 0);
  EXPECT_FALSE(IsWindow(parts.hwndList));
}

constexpr std::uint32_t kWhite = RGB(255, 255, 255);
constexpr std::uint32_t kFace = RGB(212, 208, 200);
constexpr std::uint32_t kTrack = RGB(232, 230, 226);
constexpr std::uint32_t kGrey = RGB(128, 128, 128);
constexpr std::uint32_t kDark = RGB(64, 64, 64);
constexpr std::uint32_t kBlack = RGB(0, 0, 0);
constexpr std::uint32_t kBlue = RGB(10, 36, 106);

// A list 200 by 100 at (10, 10), showing 4 rows, its first selected; its
// corner lies at (13, 32) in the dialog's picture, so its scroll bar, when
// it has one, from (195, 34) to (211, 130): the up arrow 16 high, the track,
// the thumb on it 13 high at the top, the down arrow.
class ListPaintingTest : public PaintingTest {
 protected:
  void Fill(int rows) {
    dialog.MoveWindow({0, 0, 300, 200});
    list.Create(kListViewClass, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, {10, 10, 210, 110}, &dialog, 1);
    list.InsertColumn(0, L"A", LVCFMT_LEFT, 60);
    list.InsertColumn(1, L"B", LVCFMT_LEFT, 60);
    for (int row = 0; row < rows; ++row) list.InsertItem(row, L"row");
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  }
  void Press(CPoint at) { list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)); }

  struct Pixel {
    const char* what;
    int x, y;
    std::uint32_t colour;
  };
  void Expect(const char* shot, const std::vector<Pixel>& pixels) {
    const PngPixels png = Shot(shot);
    for (const Pixel& pixel : pixels) EXPECT_EQ(png.At(pixel.x, pixel.y), pixel.colour) << shot << ": " << pixel.what;
  }

  CListCtrl list;
};

TEST_F(ListPaintingTest, RowsThatFitLeaveNoScrollBar) {
  Fill(4);
  Expect("fit.png", {{"the header's top edge", 203, 32, kWhite},
                     {"the selected row to the edge", 203, 57, kBlue},
                     {"white below the rows", 203, 120, kWhite}});
}

TEST_F(ListPaintingTest, RowsThatDoNotFitShowTheScrollBar) {
  Fill(20);
  const std::vector<Pixel> bar = {
      {"the edge above the bar, no header", 203, 32, kGrey},
      {"the up arrow's light edge", 195, 40, kWhite},
      {"its dark edge", 210, 40, kDark},
      {"its arrow's tip", 202, 40, kBlack},
      {"beside the tip", 203, 40, kFace},
      {"the arrow's base", 199, 43, kBlack},
      {"the selected row stops at the bar", 194, 57, kBlue},
      {"the thumb", 203, 57, kFace},
      {"the track below it", 203, 100, kTrack},
      {"the down arrow's tip", 202, 123, kBlack},
      {"its base", 199, 120, kBlack},
  };
  Expect("bar.png", bar);
  Press({190, 70});  // the track under the thumb: a page down, the thumb now 31 to 44
  Expect("page.png", {{"the track held down", 203, 102, kDark},
                      {"the thumb a page on", 203, 70, kFace},
                      {"the track above the thumb", 203, 55, kTrack}});
  list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(190, 70));
  Press({190, 90});  // the down arrow: pushed, its arrow a pixel lower and to the right
  Expect("arrow.png", {{"the pushed arrow's dark edge", 195, 125, kDark},
                       {"its tip moved", 203, 124, kBlack},
                       {"where its base was", 199, 120, kFace},
                       {"the track let go", 203, 102, kTrack}});
  list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(190, 90));
  Expect("released.png", {{"the base back", 199, 120, kBlack}});
}

// Counts the texts a list is asked for.
int textsAsked = 0;
WindowProcedure listProcedure = nullptr;
LRESULT CountingTexts(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_GETITEMTEXTW) ++textsAsked;
  return CallWindowProc(listProcedure, window, message, wParam, lParam);
}

TEST_F(ListPaintingTest, APaintAsksOnlyForTheRowsShownHoweverManyThereAre) {
  Fill(100000);
  listProcedure = SetWindowProcedure(list.m_hWnd, &CountingTexts);
  Shot("first.png");
  const struct {
    WORD request;
    int texts;  // two columns of the four rows shown
  } cases[] = {{SB_PAGEDOWN, 8}, {SB_BOTTOM, 8}, {SB_TOP, 8}};
  for (const auto& each : cases) {
    list.SendMessage(WM_VSCROLL, each.request);
    textsAsked = 0;
    Shot("scrolled.png");
    EXPECT_EQ(textsAsked, each.texts) << each.request;
  }
  SetWindowProcedure(list.m_hWnd, listProcedure);
}

}  // namespace
