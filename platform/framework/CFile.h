#pragma once
// Binary files: a file on disk, or a file in memory for building and
// reading archives without touching the disk.

#include <cstdio>
#include <string>
#include <vector>

#include "CString.h"

class CFile {
 public:
  enum OpenFlags : UINT { modeRead = 0x0000, modeWrite = 0x0001, modeCreate = 0x1000 };

  CFile() = default;
  virtual ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // The path is UTF-16 text naming a host file. False when it cannot be opened.
  virtual BOOL Open(const CString& path, UINT flags);
  // The number of bytes read, fewer at the end of the file.
  virtual UINT Read(void* buffer, UINT count);
  // Throws CFileException when not everything could be written.
  virtual void Write(const void* buffer, UINT count);
  virtual void Close();
  virtual std::uint64_t GetLength() const;
  virtual std::uint64_t GetPosition() const;
  const CString& GetFilePath() const { return path_; }

 private:
  std::FILE* stream_ = nullptr;
  CString path_;
};

class CMemFile : public CFile {
 public:
  CMemFile() = default;
  explicit CMemFile(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}

  BOOL Open(const CString&, UINT) override { return true; }
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  void Close() override {}
  std::uint64_t GetLength() const override { return bytes_.size(); }
  std::uint64_t GetPosition() const override { return position_; }
  void SeekToBegin() { position_ = 0; }
  const std::vector<BYTE>& Bytes() const { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
  std::size_t position_ = 0;
};
