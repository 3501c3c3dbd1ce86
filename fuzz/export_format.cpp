// The export format's archive record: any bytes behind a schema header load
// or end in the archive exception; a record that loads stores and loads
// back to the same settings.

#include <cstdint>
#include <vector>

#include "brenmoor/win/CExportFormat.h"
#include "brenmoor/win/CSchemaManager.h"
#include "FuzzCheck.h"

namespace {

bool Same(const CExportFormat& a, const CExportFormat& b) {
  return a.Delimiter == b.Delimiter && a.Quote == b.Quote && a.Filename == b.Filename && a.Titles == b.Titles &&
         a.TimestampBanner == b.TimestampBanner && a.DateInFilename == b.DateInFilename &&
         a.TitlesCheck == b.TitlesCheck;
}

CExportFormat StoredAndLoaded(CExportFormat format) {
  CSchemaManager& schemas = CSchemaManager::Instance();
  schemas.SetCurrentSchema(1030);
  CMemFile stored;
  CArchive out(&stored, CArchive::store);
  schemas.Serialize(out);
  format.Serialize(out);
  CMemFile file(stored.Bytes());
  CArchive in(&file, CArchive::load);
  schemas.Serialize(in);
  CExportFormat loaded;
  loaded.Serialize(in);
  fuzzing::Require(file.GetPosition() == file.GetLength(), "a stored record loads whole");
  return loaded;
}

}  // namespace

// The first two bytes choose the archive's schema; the rest is the record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int schema = (data[0] | data[1] << 8) % 1100;
  std::vector<BYTE> bytes{0xBA, 0xAB, 0xAD, 0xDE, static_cast<BYTE>(schema & 0xFF), static_cast<BYTE>(schema >> 8), 0, 0};
  bytes.insert(bytes.end(), data + 2, data + size);
  CSchemaManager& schemas = CSchemaManager::Instance();
  schemas.SetCurrentSchema(1100);
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  schemas.Serialize(archive);
  CExportFormat format;
  try {
    format.Serialize(archive);
  } catch (const CArchiveException& error) {
    fuzzing::Require(error.m_cause == CArchiveException::endOfFile, "a short record ends at the end of the file");
    return 0;
  }
  if (schema < 1030) {
    for (int flag : {format.Titles, format.TimestampBanner, format.DateInFilename, format.TitlesCheck}) {
      fuzzing::Require(flag == 0 || flag == 1, "older schemas read flags as 0 or 1");
    }
  }
  fuzzing::Require(Same(StoredAndLoaded(format), format), "a loaded record stores and loads back the same");
  return 0;
}
