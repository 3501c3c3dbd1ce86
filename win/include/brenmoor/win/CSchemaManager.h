#pragma once
// The schema number the application writes into its archives and the one
// found in the archive read last; archives start with the header
// 0xDEADABBA and the writer's schema number.

#include "brenmoor/core/CArchive.h"

class CSchemaManager {
 public:
  static constexpr DWORD kMagic = 0xDEADABBA;

  static CSchemaManager& Instance();

  void SetCurrentSchema(int schema) { currentSchema_ = schema; }
  int GetCurrentSchema() const { return currentSchema_; }
  int GetArchiveSchema() const { return archiveSchema_; }

  // Writes the header, or reads it; a foreign archive or one of a newer
  // schema ends in the archive exception with cause 5.
  void Serialize(CArchive& archive);

  CSchemaManager& operator=(const CSchemaManager&) = default;

 private:
  CSchemaManager() = default;
  CSchemaManager(const CSchemaManager&) = default;
  [[noreturn]] static void ThrowSchemaException();

  int currentSchema_ = -1;
  int archiveSchema_ = -1;
};
