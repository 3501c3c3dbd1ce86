// The application profile: any bytes as the file, then up to three writes
// of section, entry and value. Reading never fails loudly; a file that is
// not text is never overwritten; after the writes every entry written reads
// back and every line the framework did not understand is still there.

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cwctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "brenmoor/core/ProfileFile.h"

namespace {

// On a memory file system, so the rewrite's flush to disk costs nothing.
const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = std::filesystem::exists("/dev/shm") ? "/dev/shm/fuzz-profile-XXXXXX" : "/tmp/fuzz-profile-XXXXXX";
    fuzzing::Require(::mkdtemp(pattern.data()) != nullptr, "a folder for the profile");
    return std::filesystem::path(pattern);
  }();
  return folder;
}

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The file's lines without their ends, as the profile reads them.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool IsText(const std::string& bytes) {
  return bytes.find('\0') == std::string::npos && CString::FromUtf8(bytes).ToUtf8() == bytes;
}

std::wstring Trimmed(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::wstring Folded(const std::wstring& text) {
  std::wstring folded = text;
  std::transform(folded.begin(), folded.end(), folded.begin(), [](wchar_t c) { return std::towlower(c); });
  return folded;
}

// Lines of the old file missing from the new one, counted as a multiset.
std::size_t LinesLost(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  std::map<std::string, long> counts;
  for (const std::string& line : after) ++counts[line];
  std::size_t lost = 0;
  for (const std::string& line : before) {
    if (--counts[line] < 0) ++lost;
  }
  return lost;
}

}  // namespace

// The file's bytes up to the first 0xFF (never in UTF-8); after it, pieces
// separated by 0xFF taken three at a time as section, entry and value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> pieces = fuzzing::SplitAt(fuzzing::AsText(data, size), '\xFF');
  const std::filesystem::path file = Folder() / "host.ini";
  Put(file, pieces[0]);
  const ProfileFile profile(file);
  std::map<std::pair<std::wstring, std::wstring>, std::wstring> written;
  constexpr std::size_t kWrites = 3;
  for (std::size_t i = 1; i + 1 < pieces.size() && i < 1 + 3 * kWrites; i += 3) {
    const CString section = CString::FromUtf8(pieces[i]);
    const CString entry = CString::FromUtf8(pieces[i + 1]);
    const CString value = i + 2 < pieces.size() ? CString::FromUtf8(pieces[i + 2]) : CString();
    const std::string before = Bytes(file);
    profile.Read(section, entry);
    const bool done = profile.Write(section, entry, value);
    const std::string after = Bytes(file);
    if (!IsText(before)) fuzzing::Require(!done && after == before, "a file that is not text is never overwritten");
    if (!done) {
      fuzzing::Require(after == before, "a refused write leaves the file as it was");
      continue;
    }
    const std::vector<std::string> oldLines = Lines(before);
    const std::vector<std::string> newLines = Lines(after);
    fuzzing::Require(newLines.size() >= oldLines.size() && newLines.size() <= oldLines.size() + 2,
                     "a write adds at most a section and an entry");
    fuzzing::Require(LinesLost(oldLines, newLines) <= 1, "a write changes at most the entry's own line");
    written[{Folded(section.Str()), Folded(entry.Str())}] = Trimmed(value.Str());
    for (const auto& [names, expected] : written) {
      const std::optional<CString> read = profile.Read(CString(names.first), CString(names.second));
      fuzzing::Require(read.has_value() && read->Str() == expected, "every entry written reads back");
    }
  }
  return 0;
}
