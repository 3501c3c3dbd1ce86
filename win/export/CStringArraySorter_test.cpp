#include "brenmoor/win/CStringArraySorter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brenmoor/win/FieldValuePair.h"

namespace {

using Texts = std::vector<std::wstring>;

Texts Sorted(const Texts& elements, int descending) {
  CStringArray array;
  for (const std::wstring& element : elements) array.Add(CString(element));
  CStringArraySorter::SortStringArray(array, descending);
  Texts result;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) result.push_back(array[i].Str());
  return result;
}

TEST(CStringArraySorterTest, SortsByCodeUnitsSoEveryCapitalComesBeforeEverySmallLetter) {
  const Texts elements = {L"b", L"B", L"a", L"\x00E9", L"ab", L"", L"A", L"b"};
  EXPECT_EQ(Sorted(elements, 0), (Texts{L"", L"A", L"B", L"a", L"ab", L"b", L"b", L"\x00E9"}));
  EXPECT_EQ(Sorted(elements, 7), (Texts{L"\x00E9", L"b", L"b", L"ab", L"a", L"B", L"A", L""}));
  EXPECT_EQ(Sorted({}, 0), Texts{});
  EXPECT_EQ(Sorted({L"only"}, 1), Texts{L"only"});
  const std::wstring longText(100, L'x');
  EXPECT_EQ(Sorted({longText + L"b", L"b", longText + L"a"}, 0), (Texts{L"b", longText + L"a", longText + L"b"}));
}

TEST(CStringArraySorterTest, ComparesTheElementsThePointersPointTo) {
  const CString a(L"a");
  const CString b(L"B");
  EXPECT_GT(CStringArraySorter::CompareAscending(&a, &b), 0);
  EXPECT_LT(CStringArraySorter::CompareDescending(&a, &b), 0);
  EXPECT_EQ(CStringArraySorter::CompareAscending(&a, &a), 0);
  EXPECT_EQ(CStringArraySorter::CompareDescending(&b, &b), 0);
}

std::vector<std::wstring> Shown(const std::vector<FieldValuePair>& pairs) {
  std::vector<std::wstring> shown;
  for (const FieldValuePair& pair : pairs) shown.push_back(pair.Field.Str() + L"=" + pair.Value.Str());
  return shown;
}

TEST(FieldValuePairTest, SortsByEitherStringInEitherDirection) {
  const std::vector<FieldValuePair> pairs = {{L"b", L"2"}, {L"a", L"3"}, {L"c", L"1"}, {L"B", L"0"}};
  const std::vector<std::tuple<int, int, Texts>> cases = {
      {1, 1, {L"B=0", L"a=3", L"b=2", L"c=1"}},
      {0, 1, {L"c=1", L"b=2", L"a=3", L"B=0"}},
      {1, 0, {L"B=0", L"c=1", L"b=2", L"a=3"}},
      {0, 0, {L"a=3", L"b=2", L"c=1", L"B=0"}},
  };
  for (const auto& [ascending, byField, expected] : cases) {
    std::vector<FieldValuePair> sorted = pairs;
    SortFieldValuePairList(sorted, ascending, byField);
    EXPECT_EQ(Shown(sorted), expected) << ascending << byField;
  }
}

TEST(FieldValuePairTest, ComparatorsAndCopies) {
  const FieldValuePair empty;
  EXPECT_TRUE(empty.Field.IsEmpty() && empty.Value.IsEmpty());
  FieldValuePair pair(L"Link", L"UP");
  pair = pair;
  const FieldValuePair copy(pair);
  EXPECT_EQ(Shown({copy}), Texts{L"Link=UP"});
  const FieldValuePair other(L"Node", L"DOWN");
  EXPECT_TRUE(SortAscendingUsingField()(pair, other));
  EXPECT_FALSE(SortDescendingUsingField()(pair, other));
  EXPECT_FALSE(SortAscendingUsingValue()(pair, other));
  EXPECT_TRUE(SortDescendingUsingValue()(pair, other));
  EXPECT_FALSE(SortAscendingUsingField()(pair, copy));
  EXPECT_FALSE(SortDescendingUsingValue()(pair, copy));
}

}  // namespace
