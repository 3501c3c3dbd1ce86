#pragma once
// Binary files: a file on disk, or a file in memory for building and
// reading archives without touching the disk; and the buffered file that
// text exports are written through.

#include <cstdio>
#include <string>
#include <vector>

#include "brenmoor/core/CString.h"

class CFileException;

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    shareExclusive = 0x0010,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };

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

// A buffered output file as the C runtime's stdio gives it: modeCreate with
// modeNoTruncate appends (every write lands at the end), shareExclusive keeps
// every other opener out while it is open, and text mode (the default) writes
// each LF as CR LF. Write errors surface as CFileException when the buffer
// goes to disk: on a full buffer, SeekToEnd or Close.
class CStdioFile {
 public:
  CStdioFile() = default;
  ~CStdioFile() { Abort(); }
  CStdioFile(const CStdioFile&) = delete;
  CStdioFile& operator=(const CStdioFile&) = delete;

  // False when the file cannot be opened; then the error, if given, holds
  // the cause and the C runtime's error number. A folder, or a file another
  // opener holds exclusively, is refused with EACCES as Windows refuses it.
  BOOL Open(const CString& path, UINT flags, CFileException* error = nullptr);
  bool IsOpen() const { return descriptor_ >= 0; }
  void Write(const void* buffer, UINT count);
  std::uint64_t SeekToEnd();
  // Throws CFileException when what was buffered cannot be written or the
  // file cannot be closed; the file is closed either way.
  void Close();
  // Closes without throwing, writing what it can.
  void Abort();
  const CString& GetFilePath() const { return path_; }

 private:
  void Append(const char* bytes, std::size_t count);
  void AppendTranslatingLineFeeds(const char* bytes, std::size_t count);
  // Empties the buffer; the error number of a failed write, else 0.
  int Flush();
  // Closes the descriptor and lets other openers in; the error number of a failed close, else 0.
  int Release();
  [[noreturn]] void Throw(int osError) const;

  int descriptor_ = -1;
  bool text_ = true;
  CString path_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::uint64_t device_ = 0;
  std::uint64_t inode_ = 0;
};
