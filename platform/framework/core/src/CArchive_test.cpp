#include "brenmoor/core/CArchive.h"

#include "brenmoor/ui/CCmdTarget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

// The largest allocation while tracking, to show that a length read from a
// file does not decide how much memory is taken.
namespace {
bool tracking = false;
std::size_t largest = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (tracking && size > largest) largest = size;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// The standard library's temporary buffers (stable_sort) take this form,
// which must come from the same heap as the deletes below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (tracking && size > largest) largest = size;
  return std::malloc(size == 0 ? 1 : size);
}
// Not inlined, so the compiler does not pair free with new at the call sites.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using Bytes = std::vector<BYTE>;

template <typename Value>
Bytes Store(const Value& value) {
  CMemFile file;
  CArchive archive(&file, CArchive::store);
  archive << value;
  return file.Bytes();
}

template <typename Value>
Value Load(const Bytes& bytes, std::uint64_t* position = nullptr) {
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  Value value{};
  archive >> value;
  if (position) *position = file.GetPosition();
  return value;
}

// The cause of the archive exception reading a Value, or -1 when none.
template <typename Value>
int LoadCause(const Bytes& bytes) {
  try {
    Load<Value>(bytes);
  } catch (const CArchiveException& e) {
    return e.m_cause;
  }
  return -1;
}

Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(CArchiveTest, NumbersAreLittleEndianAndRoundTrip) {
  EXPECT_EQ(Store(BYTE{0xAB}), (Bytes{0xAB}));
  EXPECT_EQ(Store(WORD{0x1234}), (Bytes{0x34, 0x12}));
  EXPECT_EQ(Store(DWORD{0x12345678}), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(Store(std::int32_t{-2}), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Load<BYTE>({0xAB}), 0xAB);
  EXPECT_EQ(Load<WORD>({0x34, 0x12}), 0x1234);
  EXPECT_EQ(Load<DWORD>({0x78, 0x56, 0x34, 0x12}), 0x12345678u);
  EXPECT_EQ(Load<std::int32_t>({0xFE, 0xFF, 0xFF, 0xFF}), -2);
  EXPECT_EQ(Load<std::int32_t>({0, 0, 0, 0x80}), INT32_MIN);
}

TEST(CArchiveTest, UnicodeStringsCarryTheTagAndTheShortestLengthPrefix) {
  const std::pair<int, Bytes> cases[] = {
      {0, {0xFF, 0xFE, 0xFF, 0x00}},
      {254, {0xFF, 0xFE, 0xFF, 0xFE}},
      {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {65535, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const auto& [length, prefix] : cases) {
    std::wstring text(static_cast<std::size_t>(length), L'a');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(0x20 + i % 0xFFC0);
    if (length > 0) text[0] = L'\u20AC';
    const Bytes bytes = Store(CString(text));
    ASSERT_EQ(bytes.size(), prefix.size() + 2 * text.size()) << length;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(prefix.size())), prefix) << length;
    if (length > 0) {
      const auto first = bytes.begin() + static_cast<long>(prefix.size());
      EXPECT_EQ(Bytes(first, first + 2), (Bytes{0xAC, 0x20}));
    }
    std::uint64_t position = 0;
    EXPECT_EQ(Load<CString>(bytes, &position).Str(), text) << length;
    EXPECT_EQ(position, bytes.size());
  }
}

TEST(CArchiveTest, SingleByteStringsAreWindows1252) {
  EXPECT_EQ(Load<CString>({3, 'a', 0x80, 'z'}), L"a\u20ACz");
  EXPECT_EQ(Load<CString>({4, 0x81, 0xE9, 0x9F, 0xFF}), L"\u0081\u00E9\u0178\u00FF");
  EXPECT_EQ(Load<CString>({0}), L"");
  const std::pair<int, Bytes> cases[] = {
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0x2C, 0x01}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const auto& [length, prefix] : cases) {
    const Bytes bytes = Cat(prefix, Bytes(static_cast<std::size_t>(length), 0x80));
    std::uint64_t position = 0;
    EXPECT_EQ(Load<CString>(bytes, &position).Str(), std::wstring(static_cast<std::size_t>(length), L'\u20AC')) << length;
    EXPECT_EQ(position, bytes.size()) << length;
  }
}

TEST(CArchiveTest, ReadingPastTheEndIsAnEndOfFile) {
  EXPECT_EQ(LoadCause<BYTE>({}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<WORD>({1}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<DWORD>({1, 2, 3}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<std::int32_t>({1, 2, 3}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<CString>({5, 'a', 'b'}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<CString>({0xFF, 0xFE, 0xFF, 2, 'a', 0}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<CString>({0xFF, 0xFE, 0xFF, 0xFF, 0xFF}), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause<CString>({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0}), CArchiveException::endOfFile);
}

TEST(CArchiveTest, HugeLengthIsAnEndOfFileWithoutTakingThatMemory) {
  const Bytes honest = Cat({0xFF, 0x2C, 0x01}, Bytes(300, 'x'));
  Bytes huge{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF};
  huge.resize(20, 'y');
  const Bytes hugeAnsi = Cat({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}, Bytes(13, 'z'));
  largest = 0;
  tracking = true;
  const CString read = Load<CString>(honest);
  const std::size_t honestLargest = largest;
  largest = 0;
  const int cause = LoadCause<CString>(huge);
  const int causeAnsi = LoadCause<CString>(hugeAnsi);
  tracking = false;
  EXPECT_EQ(read.GetLength(), 300);
  EXPECT_GE(honestLargest, 300u);  // the tracking sees the library's allocations
  EXPECT_EQ(cause, CArchiveException::endOfFile);
  EXPECT_EQ(causeAnsi, CArchiveException::endOfFile);
  EXPECT_LT(largest, 4096u);
}

TEST(CArchiveTest, WritingWhileLoadingAndReadingWhileStoringThrow) {
  CMemFile file({1, 2, 3, 4});
  CArchive loading(&file, CArchive::load);
  EXPECT_THROW(loading << BYTE{1}, CArchiveException);
  EXPECT_THROW(loading << CString(L"x"), CArchiveException);
  CArchive storing(&file, CArchive::store);
  BYTE byte = 0;
  EXPECT_THROW(storing >> byte, CArchiveException);
  EXPECT_EQ(file.Bytes(), (Bytes{1, 2, 3, 4}));
}

// The cause's own message must name what happened.
TEST(CArchiveTest, MisuseCausesMatchTheirMessages) {
  CMemFile file;
  CArchive loading(&file, CArchive::load);
  try {
    loading << BYTE{1};
    ADD_FAILURE() << "no exception";
  } catch (const CArchiveException& e) {
    EXPECT_STREQ(e.what(), "archive: written while loading");
  }
  CArchive storing(&file, CArchive::store);
  try {
    BYTE byte = 0;
    storing >> byte;
    ADD_FAILURE() << "no exception";
  } catch (const CArchiveException& e) {
    EXPECT_STREQ(e.what(), "archive: read while storing");
  }
}

// A class written to archives with its schema number 2.
class Counter : public CObject {
  DECLARE_SERIAL(Counter)

 public:
  std::int32_t value = 0;
  void Serialize(CArchive& archive) override {
    if (archive.IsStoring()) {
      archive << value;
    } else {
      archive >> value;
    }
  }
};

}  // namespace

IMPLEMENT_SERIAL(Counter, CObject, 2)

namespace {

Bytes CounterClass(WORD schema, const std::string& name) {
  Bytes bytes = {0xFF, 0xFF, static_cast<BYTE>(schema), 0, static_cast<BYTE>(name.size()), 0};
  for (char letter : name) bytes.push_back(static_cast<BYTE>(letter));
  return bytes;
}

TEST(CArchiveObjects, ClassesOnceThenByIndexObjectsWrittenTwiceByIndexNullAsZero) {
  Counter first;
  first.value = 7;
  Counter second;
  second.value = 9;
  CMemFile file;
  CArchive store(&file, CArchive::store);
  store.WriteObject(&first);
  store.WriteObject(&second);
  store.WriteObject(&first);
  store.WriteObject(nullptr);
  Bytes expected = CounterClass(2, "Counter");
  expected.insert(expected.end(), {7, 0, 0, 0, 0x01, 0x80, 9, 0, 0, 0, 0x02, 0x00, 0x00, 0x00});
  EXPECT_EQ(file.Bytes(), expected);

  CMemFile written(file.Bytes());
  CArchive load(&written, CArchive::load);
  const std::unique_ptr<CObject> a(load.ReadObject(RUNTIME_CLASS(Counter)));
  const std::unique_ptr<CObject> b(load.ReadObject(nullptr));
  EXPECT_EQ(load.ReadObject(RUNTIME_CLASS(CObject)), a.get());
  EXPECT_EQ(load.ReadObject(RUNTIME_CLASS(Counter)), nullptr);
  ASSERT_NE(DYNAMIC_DOWNCAST(Counter, a.get()), nullptr);
  ASSERT_NE(DYNAMIC_DOWNCAST(Counter, b.get()), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(Counter, a.get())->value, 7);
  EXPECT_EQ(DYNAMIC_DOWNCAST(Counter, b.get())->value, 9);
}

// An archive's objects, read as what the reader asks for; the cause of the refusal.
TEST(CArchiveObjects, UnknownClassesOtherSchemasOtherKindsAndBadIndexesAreRefused) {
  struct Case {
    const char* what;
    Bytes bytes;
    const CRuntimeClass* kind;
    int cause;
  };
  Bytes valued = CounterClass(2, "Counter");
  valued.insert(valued.end(), {1, 0, 0, 0});
  Bytes laterIndex = valued;
  laterIndex.insert(laterIndex.end(), {0x05, 0x00});
  const Case cases[] = {
      {"unknown class", CounterClass(2, "Nobody"), nullptr, CArchiveException::badClass},
      {"other schema", CounterClass(3, "Counter"), nullptr, CArchiveException::badSchema},
      {"other kind", valued, RUNTIME_CLASS(CCmdTarget), CArchiveException::badClass},
      {"class index before any class", {0x01, 0x80}, nullptr, CArchiveException::badIndex},
      {"object index before any object", {0x01, 0x00}, nullptr, CArchiveException::badIndex},
      {"cut short", {0xFF, 0xFF, 0x02}, nullptr, CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    CMemFile file(c.bytes);
    CArchive load(&file, CArchive::load);
    try {
      delete load.ReadObject(c.kind);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause) << c.what;
    }
  }
  CMemFile file(laterIndex);
  CArchive load(&file, CArchive::load);
  const std::unique_ptr<CObject> read(load.ReadObject(nullptr));
  EXPECT_THROW(load.ReadObject(nullptr), CArchiveException);
}

// The cause of the archive exception reading one object after another, or -1 when it reads.
std::vector<int> ReadCauses(CArchive& load, const std::vector<const CRuntimeClass*>& kinds) {
  std::vector<int> causes;
  std::set<std::unique_ptr<CObject>> owned;
  for (const CRuntimeClass* kind : kinds) {
    try {
      CObject* object = load.ReadObject(kind);
      if (object != nullptr && std::none_of(owned.begin(), owned.end(), [&](const auto& o) { return o.get() == object; })) {
        owned.emplace(object);
      }
      causes.push_back(-1);
    } catch (const CArchiveException& e) {
      causes.push_back(e.m_cause);
    }
  }
  return causes;
}

Bytes Tagged(std::initializer_list<BYTE> head, const std::string& name) {
  Bytes bytes(head);
  bytes.insert(bytes.end(), name.begin(), name.end());
  return bytes;
}

}  // namespace

// A serialisable container that reads a count and that many children, and a child.
class Record : public CObject {
  DECLARE_SERIAL(Record)

 public:
  void Serialize(CArchive& archive) override {
    std::int32_t value = 0;
    archive >> value;
  }
};
IMPLEMENT_SERIAL(Record, CObject, 1)

class Folder : public CObject {
  DECLARE_SERIAL(Folder)

 public:
  std::vector<std::unique_ptr<CObject>> children;
  void Serialize(CArchive& archive) override {
    WORD count = 0;
    archive >> count;
    for (WORD i = 0; i < count; ++i) children.emplace_back(archive.ReadObject(nullptr));
  }
};
IMPLEMENT_SERIAL(Folder, CObject, 2)

namespace {

// A host that catches a failed read and reads on never gets the object that failed, nor its children.
TEST(CArchiveObjects, AnObjectThatFailedToReadIsNeverHandedOutLater) {
  Bytes bytes = Cat(Tagged({0xFF, 0xFF, 0x02, 0x00, 0x06, 0x00}, "Folder"), {0x02, 0x00});
  bytes = Cat(bytes, Tagged({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, "Record"));
  bytes = Cat(bytes, {0x00, 0x00, 0x00, 0x00, 0x7F, 0x00, 0x02, 0x00, 0x04, 0x00, 0x03, 0x80, 5, 0, 0, 0});
  CMemFile file(bytes);
  CArchive load(&file, CArchive::load);
  EXPECT_EQ(ReadCauses(load, {nullptr, nullptr, nullptr, RUNTIME_CLASS(Record)}),
            (std::vector<int>{CArchiveException::badIndex, CArchiveException::badIndex,
                              CArchiveException::badIndex, -1}));
}

// Only classes declared serialisable come from a file; a back-reference is of the kind asked for too.
TEST(CArchiveObjects, ClassesNotSerialisableAndBackReferencesOfAnotherKindAreBadClasses) {
  CMemFile frame(Tagged({0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x00}, "CFrameWnd"));
  CArchive loadFrame(&frame, CArchive::load);
  EXPECT_EQ(ReadCauses(loadFrame, {nullptr, nullptr}), (std::vector<int>{-1, CArchiveException::badClass}));

  Bytes records = Cat(Tagged({0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, "Record"), {1, 0, 0, 0, 0x02, 0x00, 0x02, 0x00});
  CMemFile file(records);
  CArchive load(&file, CArchive::load);
  EXPECT_EQ(ReadCauses(load, {nullptr, RUNTIME_CLASS(Folder), RUNTIME_CLASS(Record)}),
            (std::vector<int>{-1, CArchiveException::badClass, -1}));

  const std::pair<Bytes, int> names[] = {
      {Tagged({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, std::string("Record\0xy", 9)), CArchiveException::badClass},
      {Tagged({0xFF, 0xFF, 0x01, 0x00, 0xFF, 0xFF}, "Record"), CArchiveException::endOfFile},
  };
  for (const auto& [bytes, cause] : names) {
    CMemFile named(bytes);
    CArchive loadNamed(&named, CArchive::load);
    largest = 0;
    tracking = true;
    const std::vector<int> causes = ReadCauses(loadNamed, {nullptr});
    tracking = false;
    EXPECT_EQ(causes, std::vector<int>{cause});
    EXPECT_LT(largest, 4096u);
  }
}

}  // namespace
