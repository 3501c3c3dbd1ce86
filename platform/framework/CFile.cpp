#include "CFile.h"

#include <algorithm>
#include <cstring>

#include "CException.h"

CFile::~CFile() {
  if (stream_ != nullptr) std::fclose(stream_);
}

BOOL CFile::Open(const CString& path, UINT flags) {
  Close();
  const char* mode = (flags & modeCreate) != 0 ? "w+b" : (flags & modeWrite) != 0 ? "r+b" : "rb";
  stream_ = std::fopen(path.ToUtf8().c_str(), mode);
  path_ = path;
  return stream_ != nullptr;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (stream_ == nullptr) throw CFileException(CFileException::genericException, path_);
  return static_cast<UINT>(std::fread(buffer, 1, count, stream_));
}

void CFile::Write(const void* buffer, UINT count) {
  if (stream_ == nullptr || std::fwrite(buffer, 1, count, stream_) != count) {
    throw CFileException(CFileException::accessDenied, path_);
  }
}

void CFile::Close() {
  if (stream_ == nullptr) return;
  const bool flushed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!flushed) throw CFileException(CFileException::genericException, path_);
}

std::uint64_t CFile::GetLength() const {
  if (stream_ == nullptr) return 0;
  const long position = std::ftell(stream_);
  std::fseek(stream_, 0, SEEK_END);
  const long length = std::ftell(stream_);
  std::fseek(stream_, position, SEEK_SET);
  return length < 0 ? 0 : static_cast<std::uint64_t>(length);
}

std::uint64_t CFile::GetPosition() const {
  const long position = stream_ == nullptr ? 0 : std::ftell(stream_);
  return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

UINT CMemFile::Read(void* buffer, UINT count) {
  const std::size_t available = std::min<std::size_t>(count, bytes_.size() - position_);
  if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
  position_ += available;
  return static_cast<UINT>(available);
}

void CMemFile::Write(const void* buffer, UINT count) {
  const auto* bytes = static_cast<const BYTE*>(buffer);
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::copy(bytes, bytes + count, bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
  position_ += count;
}
