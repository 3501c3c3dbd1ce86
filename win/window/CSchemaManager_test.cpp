#include "brenmoor/win/CSchemaManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

CSchemaManager& Manager() { return CSchemaManager::Instance(); }

Bytes Stored(int schema) {
  Manager().SetCurrentSchema(schema);
  CMemFile file;
  CArchive archive(&file, CArchive::store);
  Manager().Serialize(archive);
  return file.Bytes();
}

// Reads the header; the cause of the archive exception, or -1 when none.
int Load(const Bytes& bytes, int current, std::uint64_t* position = nullptr) {
  Manager().SetCurrentSchema(current);
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  int cause = -1;
  try {
    Manager().Serialize(archive);
  } catch (const CArchiveException& e) {
    cause = e.m_cause;
  }
  if (position) *position = file.GetPosition();
  return cause;
}

// In a program of its own, started afresh: the other tests, in whatever
// order they run, have set the numbers of this one.
TEST(CSchemaManagerTest, BothNumbersStartAtMinusOne) {
  EXPECT_EQ(&Manager(), &CSchemaManager::Instance());
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(Manager().GetCurrentSchema() == -1 && Manager().GetArchiveSchema() == -1 ? 0 : 1),
              ::testing::ExitedWithCode(0), "");
}

TEST(CSchemaManagerTest, StoresTheMagicThenTheSchemaLittleEndian) {
  EXPECT_EQ(Stored(4), (Bytes{0xBA, 0xAB, 0xAD, 0xDE, 4, 0, 0, 0}));
  EXPECT_EQ(Stored(0x01020304), (Bytes{0xBA, 0xAB, 0xAD, 0xDE, 4, 3, 2, 1}));
  EXPECT_EQ(Stored(-1), (Bytes{0xBA, 0xAB, 0xAD, 0xDE, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(CSchemaManagerTest, LoadsAnOlderOrEqualSchema) {
  std::uint64_t position = 0;
  EXPECT_EQ(Load({0xBA, 0xAB, 0xAD, 0xDE, 3, 0, 0, 0}, 4, &position), -1);
  EXPECT_EQ(Manager().GetArchiveSchema(), 3);
  EXPECT_EQ(position, 8u);
  EXPECT_EQ(Load({0xBA, 0xAB, 0xAD, 0xDE, 4, 0, 0, 0}, 4), -1);
  EXPECT_EQ(Manager().GetArchiveSchema(), 4);
  EXPECT_EQ(Manager().GetCurrentSchema(), 4);
}

TEST(CSchemaManagerTest, NewerSchemaThrowsButIsRemembered) {
  EXPECT_EQ(Load({0xBA, 0xAB, 0xAD, 0xDE, 5, 0, 0, 0}, 4), 5);
  EXPECT_EQ(Manager().GetArchiveSchema(), 5);
}

TEST(CSchemaManagerTest, WrongMagicThrowsAfterFourBytesAndKeepsTheArchiveSchema) {
  ASSERT_EQ(Load({0xBA, 0xAB, 0xAD, 0xDE, 2, 0, 0, 0}, 4), -1);
  for (const Bytes& bytes : {Bytes{0xBB, 0xAB, 0xAD, 0xDE, 1, 0, 0, 0},
                             Bytes{0xDE, 0xAD, 0xAB, 0xBA, 1, 0, 0, 0}}) {
    std::uint64_t position = 0;
    EXPECT_EQ(Load(bytes, 4, &position), 5);
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(Manager().GetArchiveSchema(), 2);
  }
}

TEST(CSchemaManagerTest, TruncatedHeaderIsAnEndOfFile) {
  const Bytes header{0xBA, 0xAB, 0xAD, 0xDE, 1, 0, 0, 0};
  for (std::size_t length = 0; length < header.size(); ++length) {
    EXPECT_EQ(Load(Bytes(header.begin(), header.begin() + static_cast<long>(length)), 4), 3) << length;
  }
}

}  // namespace
