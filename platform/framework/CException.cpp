#include "CException.h"

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
