#pragma once
// The framework's exceptions: thrown by pointer-free value here, caught by
// reference. Archive failures carry the framework's cause codes.

#include <exception>

#include "brenmoor/core/CString.h"

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

// A file that failed: the framework's cause and the C runtime's error
// number (errno) behind it.
class CFileException : public CException {
 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    sharingViolation = 11,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit CFileException(int cause = none, CString fileName = CString(), LONG osError = 0)
      : m_cause(cause), m_strFileName(std::move(fileName)), m_lOsError(osError) {}
  const char* what() const noexcept override { return "file exception"; }

  // The C runtime's description of the error number, as Windows words it.
  CString GetErrorMessage() const { return ErrnoText(static_cast<int>(m_lOsError)); }
  static CString ErrnoText(int osError);
  // The cause that goes with an error number.
  static int OsErrorToCause(int osError);

  int m_cause;
  CString m_strFileName;
  LONG m_lOsError;
};
