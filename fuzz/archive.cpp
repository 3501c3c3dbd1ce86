// Archive strings, the schema header and archived objects: strings read
// from any bytes store and load back unchanged; a header loads only with the
// magic number and a schema no newer than the application's; objects are
// only of serialisable classes, a back-reference is an object read before
// and of the kind asked for; anything else ends in the archive exception.

#include <cstdint>
#include <set>
#include <vector>

#include "brenmoor/core/CArchive.h"
#include "brenmoor/core/CObject.h"
#include "brenmoor/win/CSchemaManager.h"
#include "FuzzCheck.h"

namespace {

CString StoredAndLoaded(const CString& text) {
  CMemFile stored;
  CArchive out(&stored, CArchive::store);
  out << text;
  CMemFile file(stored.Bytes());
  CArchive in(&file, CArchive::load);
  CString loaded;
  in >> loaded;
  fuzzing::Require(file.GetPosition() == file.GetLength(), "a stored string loads whole");
  return loaded;
}

void CheckStrings(const std::vector<BYTE>& bytes) {
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  try {
    while (true) {
      const std::uint64_t before = file.GetPosition();
      CString text;
      archive >> text;
      fuzzing::Require(file.GetPosition() > before, "every string takes bytes");
      fuzzing::Require(StoredAndLoaded(text) == text, "a string loads back as it was stored");
    }
  } catch (const CArchiveException& error) {
    fuzzing::Require(error.m_cause == CArchiveException::endOfFile, "strings end at the end of the file");
  }
}

// Serialisable classes for the objects: a container of children and a leaf.
class Leaf : public CObject {
  DECLARE_SERIAL(Leaf)

 public:
  void Serialize(CArchive& archive) override {
    std::int32_t value = 0;
    archive >> value;
  }
};

// Every object handed out during one input, freed once at its end: a
// back-reference hands out an object twice, and a branch that fails to read
// is freed by the archive without its children.
std::set<CObject*>& Arena() {
  static std::set<CObject*> arena;
  return arena;
}

class Branch : public CObject {
  DECLARE_SERIAL(Branch)

 public:
  // A child may refer back to its branch, which the archive frees when the branch fails to read.
  ~Branch() override { Arena().erase(this); }
  void Serialize(CArchive& archive) override {
    BYTE count = 0;
    archive >> count;
    for (BYTE i = 0; i < count; ++i) {
      if (CObject* child = archive.ReadObject(nullptr)) Arena().insert(child);
    }
  }
};

}  // namespace

IMPLEMENT_SERIAL(Leaf, CObject, 1)
IMPLEMENT_SERIAL(Branch, CObject, 2)

namespace {

constexpr UINT kNotSerialisable = 0xFFFF;

// Objects read one after another, as a host that catches a failure and reads on.
void CheckObjects(const std::vector<BYTE>& bytes, BYTE kinds) {
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  for (int read = 0; read < 64 && file.GetPosition() < file.GetLength(); ++read, kinds = kinds >> 1 | kinds << 7) {
    const CRuntimeClass* kind = (kinds & 1) != 0 ? RUNTIME_CLASS(Branch) : nullptr;
    try {
      CObject* object = archive.ReadObject(kind);
      if (object == nullptr) continue;
      fuzzing::Require(object->GetRuntimeClass()->m_wSchema != kNotSerialisable, "only serialisable classes are made");
      fuzzing::Require(kind == nullptr || object->IsKindOf(kind), "an object is of the kind asked for");
      Arena().insert(object);
    } catch (const CArchiveException&) {
    }
  }
  std::set<CObject*> handedOut;
  handedOut.swap(Arena());
  for (CObject* object : handedOut) {
    fuzzing::Require(object->GetRuntimeClass()->m_wSchema != kNotSerialisable, "only serialisable classes are made");
    delete object;
  }
}

std::int32_t Int32At(const std::vector<BYTE>& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | bytes[offset + static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(value);
}

void CheckSchemaHeader(const std::vector<BYTE>& bytes, int currentSchema) {
  CSchemaManager& schemas = CSchemaManager::Instance();
  schemas.SetCurrentSchema(currentSchema);
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  const bool magic = bytes.size() >= 4 && static_cast<DWORD>(Int32At(bytes, 0)) == CSchemaManager::kMagic;
  const bool known = magic && bytes.size() >= 8 && Int32At(bytes, 4) <= currentSchema;
  // Too short to tell, or short after the magic number: the end of the file.
  const bool shortHeader = bytes.size() < 4 || (magic && bytes.size() < 8);
  try {
    schemas.Serialize(archive);
    fuzzing::Require(known, "only a header with the magic number and a known schema loads");
    fuzzing::Require(schemas.GetArchiveSchema() == Int32At(bytes, 4), "the archive's schema is read");
  } catch (const CArchiveException& error) {
    fuzzing::Require(!known, "a valid header loads");
    fuzzing::Require(error.m_cause == (shortHeader ? CArchiveException::endOfFile : CArchiveException::badIndex),
                     "a bad header is a bad index, a short one an end of file");
  }
}

}  // namespace

// The last byte is the application's schema; all the bytes are the archive.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::vector<BYTE> bytes(data, data + size);
  CheckStrings(bytes);
  CheckSchemaHeader(bytes, static_cast<int>(data[size - 1] % 8));
  CheckObjects(bytes, data[0]);
  return 0;
}
