// The registry file: whatever it holds, reading it either succeeds or throws
// RegistryFileError; deleting a key removes exactly that key, or fails and
// leaves the file as it was.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "TempFolder.h"
#include "host/RegistryFile.h"

namespace {

using platform::RegistryFile;

// Enough to reach every key of a small file, few enough to stay fast.
constexpr int kMostDeletions = 8;

const testsupport::TempFolder folder;
const std::filesystem::path file = folder.Path() / "registry.reg";

void CheckDeletion(const std::string& bytes, const std::string& key,
                   const RegistryFile::Contents& before) {
  testsupport::WriteFile(file, bytes);
  RegistryFile registry = RegistryFile::Load(file);
  if (!registry.DeleteKey(key)) {
    fuzzing::Require(testsupport::ReadFile(file) == bytes, "a failed deletion leaves the file");
    fuzzing::Require(registry.AllKeys() == before, "a failed deletion leaves the keys");
    return;
  }
  RegistryFile::Contents expected = before;
  expected.erase(key);
  fuzzing::Require(registry.AllKeys() == expected, "a deletion removes exactly its key");
  try {
    fuzzing::Require(RegistryFile::Load(file).AllKeys() == expected,
                     "the rewritten file reads as the keys left");
  } catch (const platform::RegistryFileError&) {
    fuzzing::Require(false, "the rewritten file reads again");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(fuzzing::AsText(data, size));
  testsupport::WriteFile(file, bytes);
  RegistryFile::Contents before;
  try {
    before = RegistryFile::Load(file).AllKeys();
  } catch (const platform::RegistryFileError&) {
    return 0;
  }
  int deletions = 0;
  for (const auto& [key, values] : before) {
    if (deletions++ == kMostDeletions) break;
    CheckDeletion(bytes, key, before);
  }
  return 0;
}
