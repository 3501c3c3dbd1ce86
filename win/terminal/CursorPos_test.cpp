#include "brenmoor/win/CursorPos.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every comparison of a and b, as "<,<=,>,>=,==,!=" flags.
std::string Compare(const CursorPos& a, const CursorPos& b) {
  std::string flags;
  for (bool f : {a < b, a <= b, a > b, a >= b, a == b, a != b}) flags += f ? '1' : '0';
  return flags;
}

TEST(CursorPosTest, StartsAtRowOneColumnOne) {
  const CursorPos pos;
  EXPECT_EQ(pos.row, 1);
  EXPECT_EQ(pos.col, 1);
  const CursorPos other(4, 7);
  EXPECT_EQ(other.row, 4);
  EXPECT_EQ(other.col, 7);
}

TEST(CursorPosTest, OrdersInReadingOrder) {
  //                                  <  <= >  >= == !=
  EXPECT_EQ(Compare({1, 131}, {2, 0}), "110001");
  EXPECT_EQ(Compare({2, 0}, {1, 131}), "001101");
  EXPECT_EQ(Compare({3, 5}, {3, 5}), "010110");
  EXPECT_EQ(Compare({3, 4}, {3, 5}), "110001");
  EXPECT_EQ(Compare({3, 6}, {3, 5}), "001101");
  EXPECT_EQ(Compare({-1, -1}, {-1, 0}), "110001");
}

TEST(CursorPosTest, NoSelectionMarkPrecedesEveryPositionOnTheScreen) {
  const CursorPos none(-1, -1);
  for (const CursorPos pos : {CursorPos(0, -5), CursorPos(0, 0), CursorPos(0, 200), CursorPos(24, 0)}) {
    EXPECT_EQ(Compare(none, pos), "110001") << pos.row << "," << pos.col;
  }
}

}  // namespace
