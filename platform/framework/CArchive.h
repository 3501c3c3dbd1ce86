#pragma once
// Reads or writes values of a framework archive over a file, little-endian,
// with the framework's string format. Any read past the end, or a string
// longer than what is left of the file, ends in a CArchiveException.

#include <cstdint>

#include "CException.h"
#include "CFile.h"

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };

  CArchive(CFile* file, UINT mode) : file_(file), mode_(mode) {}
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsStoring() const { return mode_ == store; }
  bool IsLoading() const { return mode_ == load; }
  CFile* GetFile() const { return file_; }

  void Write(const void* buffer, UINT count);
  // Throws at the end of the file rather than returning fewer bytes.
  void Read(void* buffer, UINT count);

  CArchive& operator<<(BYTE value);
  CArchive& operator<<(WORD value);
  CArchive& operator<<(DWORD value);
  CArchive& operator<<(std::int32_t value);
  CArchive& operator<<(const CString& value);
  CArchive& operator>>(BYTE& value);
  CArchive& operator>>(WORD& value);
  CArchive& operator>>(DWORD& value);
  CArchive& operator>>(std::int32_t& value);
  // Unicode strings and single-byte (ANSI) strings alike.
  CArchive& operator>>(CString& value);

 private:
  template <typename Value>
  void WriteLittleEndian(Value value);
  template <typename Value>
  Value ReadLittleEndian();
  std::uint64_t Remaining() const;

  CFile* file_;
  UINT mode_;
};
