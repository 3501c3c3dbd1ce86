// Text-mode files as the Windows C runtime reads and writes them: the pieces
// ReadLine gives are the bytes up to the first Ctrl-Z with CR LF read as LF,
// none longer than asked, a LF only at a piece's end; writing turns every LF
// into CR LF.

#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "TempFolder.h"
#include "host/HostTextFile.h"

namespace {

using platform::FileMode;
using platform::HostTextFile;

const testsupport::TempFolder folder;
const std::filesystem::path file = folder.Path() / "text.txt";

std::string TextModeRead(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\x1a'));
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  return text;
}

std::string TextModeWritten(std::string_view text) {
  std::string bytes;
  for (const char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return bytes;
}

void CheckReading(std::string_view bytes, std::size_t maxChars) {
  testsupport::WriteFile(file, bytes);
  const auto reader = HostTextFile::Open(file, FileMode::Read);
  fuzzing::Require(reader != nullptr, "an existing file opens");
  std::string all;
  for (std::string piece; reader->ReadLine(piece, maxChars);) {
    fuzzing::Require(!piece.empty() && piece.size() <= maxChars, "a piece holds 1 to maxChars bytes");
    fuzzing::Require(piece.find('\n') == std::string::npos || piece.find('\n') == piece.size() - 1,
                     "a line feed ends a piece");
    all += piece;
  }
  fuzzing::Require(all == TextModeRead(bytes), "the pieces are the text-mode text");
}

void CheckWriting(std::string_view text) {
  const auto writer = HostTextFile::Open(file, FileMode::Write);
  fuzzing::Require(writer != nullptr && writer->Write(text) && writer->Close(), "the file is written");
  fuzzing::Require(testsupport::ReadFile(file) == TextModeWritten(text), "every LF is written as CR LF");
}

}  // namespace

// The first byte is the piece length asked for; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes = fuzzing::AsText(data + 1, size - 1);
  CheckReading(bytes, data[0] % 64 + 1);
  CheckWriting(bytes);
  return 0;
}
