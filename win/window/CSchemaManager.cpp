#include "brenmoor/win/CSchemaManager.h"

CSchemaManager& CSchemaManager::Instance() {
  static CSchemaManager* const instance = new CSchemaManager();
  return *instance;
}

void CSchemaManager::ThrowSchemaException() {
  // Cause 5 (badIndex), not badSchema: hosts know a foreign or newer archive by that number.
  throw CArchiveException(CArchiveException::badIndex);
}

void CSchemaManager::Serialize(CArchive& archive) {
  if (archive.IsStoring()) {
    archive << kMagic << static_cast<std::int32_t>(currentSchema_);
    return;
  }
  DWORD magic = 0;
  archive >> magic;
  if (magic != kMagic) ThrowSchemaException();
  std::int32_t schema = 0;
  archive >> schema;
  archiveSchema_ = schema;
  if (archiveSchema_ > currentSchema_) ThrowSchemaException();
}
