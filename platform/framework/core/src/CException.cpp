#include "brenmoor/core/CException.h"

#include <cerrno>
#include <cstring>

const char* CArchiveException::what() const noexcept {
  switch (m_cause) {
    case genericException: return "archive: generic failure";
    case readOnly: return "archive: written while loading";
    case endOfFile: return "archive: end of file";
    case writeOnly: return "archive: read while storing";
    case badIndex: return "archive: bad index";
    case badClass: return "archive: bad class";
    case badSchema: return "archive: bad schema";
    default: return "archive: no failure";
  }
}

// The Windows C runtime words a few errors its own way; the rest read as here.
CString CFileException::ErrnoText(int osError) {
  switch (osError) {
    case ENOENT: return L"No such file or directory";
    case EACCES: return L"Permission denied";
    case EEXIST: return L"File exists";
    case EINVAL: return L"Invalid argument";
    case EMFILE: return L"Too many open files";
    default: return CString::FromUtf8(std::strerror(osError));
  }
}

int CFileException::OsErrorToCause(int osError) {
  switch (osError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case EACCES: return accessDenied;
    case EMFILE: return tooManyOpenFiles;
    case ENOSPC: return diskFull;
    default: return genericException;
  }
}
