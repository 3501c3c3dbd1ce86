#include "brenmoor/win/ScreenChar.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenCharTest, StartsAsAnUnselectedUsAsciiBlankWithoutStyles) {
  const ScreenChar cell;
  EXPECT_EQ(cell.GetValue(), L' ');
  EXPECT_FALSE(cell.IsSelected());
  EXPECT_EQ(cell.GetCharSet(), 0);
  EXPECT_EQ(cell.GetStyle(), nullptr);
  ScreenChar selected;
  selected.Select();
  EXPECT_EQ(selected.GetStyle(), nullptr);  // the selected style is null too
}

TEST(ScreenCharTest, SetKeepsTheSelectionAndTheStyleFollowsIt) {
  FontStyle normal(0, 1, 2, nullptr), chosen(0x1000, 3, 4, nullptr);
  ScreenChar cell;
  cell.Select();
  cell.Set(L'q', 2, &normal, &chosen);
  EXPECT_TRUE(cell.IsSelected());
  EXPECT_EQ(cell.GetValue(), L'q');
  EXPECT_EQ(cell.GetCharSet(), 2);
  EXPECT_EQ(cell.GetStyle(), &chosen);
  cell.Unselect();
  EXPECT_EQ(cell.GetStyle(), &normal);
  cell.Set(L'r', 1, &chosen, &normal);
  EXPECT_FALSE(cell.IsSelected());
  EXPECT_EQ(cell.GetStyle(), &chosen);
}

TEST(ScreenCharTest, CopiesCarryAllFiveFields) {
  FontStyle normal(0, 1, 2, nullptr), chosen(0x1000, 3, 4, nullptr);
  ScreenChar cell;
  cell.Set(L'\u2500', 3, &normal, &chosen);
  cell.Select();
  ScreenChar copy(cell);
  ScreenChar assigned;
  assigned = cell;
  for (ScreenChar* c : {&copy, &assigned}) {
    EXPECT_EQ(c->GetValue(), L'\u2500');
    EXPECT_EQ(c->GetCharSet(), 3);
    EXPECT_TRUE(c->IsSelected());
    EXPECT_EQ(c->GetStyle(), &chosen);
    c->Unselect();
    EXPECT_EQ(c->GetStyle(), &normal);
  }
}

}  // namespace
