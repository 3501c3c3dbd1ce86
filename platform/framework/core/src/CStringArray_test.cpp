#include "brenmoor/core/CStringArray.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringArrayTest, GrowsByAddAndSetSizeAndKeepsItsElementsInOrder) {
  CStringArray array;
  EXPECT_TRUE(array.IsEmpty());
  EXPECT_EQ(array.GetData(), nullptr);
  EXPECT_EQ(array.Add(L"b"), 0);
  EXPECT_EQ(array.Add(L"a"), 1);
  array.SetSize(3);
  EXPECT_EQ(array.GetSize(), 3);
  EXPECT_EQ(array.GetUpperBound(), 2);
  EXPECT_EQ(array[2].Str(), L"");
  array.SetAt(2, L"c");
  array[0] = L"B";
  EXPECT_EQ(array.GetData()[0].Str(), L"B");
  EXPECT_EQ(array.GetAt(1).Str(), L"a");
  EXPECT_EQ(array.GetAt(2).Str(), L"c");
  EXPECT_THROW(array.GetAt(3), std::out_of_range);
  EXPECT_TRUE(array.IsKindOf(RUNTIME_CLASS(CObject)));
  array.SetSize(1);
  EXPECT_EQ(array.GetCount(), 1);
  array.RemoveAll();
  EXPECT_TRUE(array.IsEmpty());
}

}  // namespace
