#pragma once
// The framework's exceptions: thrown by pointer-free value here, caught by
// reference. Archive failures carry the framework's cause codes.

#include <exception>

#include "CString.h"

class CException : public std::exception {
 public:
  const char* what() const noexcept override { return "framework exception"; }
};

class CArchiveException : public CException {
 public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7,
  };

  explicit CArchiveException(int cause = none, CString fileName = CString())
      : m_cause(cause), m_strFileName(std::move(fileName)) {}
  const char* what() const noexcept override;

  int m_cause;
  CString m_strFileName;
};

class CFileException : public CException {
 public:
  enum { none = 0, genericException = 1, fileNotFound = 2, accessDenied = 5, endOfFile = 14 };

  explicit CFileException(int cause = none, CString fileName = CString())
      : m_cause(cause), m_strFileName(std::move(fileName)) {}
  const char* what() const noexcept override { return "file exception"; }

  int m_cause;
  CString m_strFileName;
};
