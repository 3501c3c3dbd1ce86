#pragma once
// Reads or writes values of a framework archive over a file, little-endian,
// with the framework's string format. Any read past the end, or a string
// longer than what is left of the file, ends in a CArchiveException.

#include <cstdint>
#include <map>
#include <vector>

#include "brenmoor/core/CException.h"
#include "brenmoor/core/CFile.h"

class CObject;
struct CRuntimeClass;

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

  // An object with its class: the first of a class is tagged with the
  // class's schema number and name, later ones with the class's index, an
  // object written before with its own index; null is the tag 0.
  void WriteObject(const CObject* object);
  // A new object of a registered class that is of the kind asked for (any
  // when null), or the object read before at that index. An unknown class or
  // one of another kind throws badClass, another schema badSchema, an index
  // nothing was read at badIndex. The caller owns what it gets.
  CObject* ReadObject(const CRuntimeClass* kind);

 private:
  template <typename Value>
  void WriteLittleEndian(Value value);
  template <typename Value>
  Value ReadLittleEndian();
  std::uint64_t Remaining() const;

  const CRuntimeClass* ReadClass(WORD tag);

  CFile* file_;
  UINT mode_;
  // Classes and objects in the order they were first written or read, from index 1.
  std::map<const void*, WORD> stored_;
  std::vector<const CRuntimeClass*> loadedClasses_;
  std::vector<CObject*> loadedObjects_;  // by index; null where a class stands
};
