#include "brenmoor/win/CExportFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "brenmoor/win/CSchemaManager.h"
#include "brenmoor/app/CWinApp.h"

namespace {

using Bytes = std::vector<BYTE>;

// The host's names for the tab and space delimiters and for no qualifier.
struct HostWithNames {
  HostWithNames() {
    app.RegisterString(692, L"Tab");
    app.RegisterString(693, L"Space");
    app.RegisterString(694, L"None");
  }
  CWinApp app;
};

CExportFormat Format(const wchar_t* delimiter, const wchar_t* quote, int csvMode) {
  CExportFormat format;
  format.SetDelimiter(delimiter);
  format.SetQuote(quote);
  format.CsvMode = csvMode;
  return format;
}

TEST(CExportFormatTest, DefaultsComeFromTheUtilityLibrary) {
  const char* old = std::getenv("XDG_DOCUMENTS_DIR");
  const std::string saved = old != nullptr ? old : "";
  setenv("XDG_DOCUMENTS_DIR", "/srv/docs", 1);
  const CExportFormat format;
  old != nullptr ? setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1) : unsetenv("XDG_DOCUMENTS_DIR");

  EXPECT_EQ(format.GetDelimiter(), L",");
  EXPECT_EQ(format.GetQuote(), L"\"");
  EXPECT_EQ(format.GetFilename(), L"/srv/docs/Exports/export.txt");
  EXPECT_EQ(format.GetTitles(), 1);
  EXPECT_EQ(format.TimestampBanner, 0);
  EXPECT_EQ(format.DateInFilename, 0);
  EXPECT_EQ(format.TitlesCheck, 0);
  EXPECT_EQ(format.CsvMode, 0);
}

struct FieldCase {
  const wchar_t* delimiter;
  const wchar_t* quote;
  int csvMode;
  std::wstring value;
  bool first;
  std::wstring expected;
};

TEST(CExportFormatTest, FormatsAFieldWithTheHostsNamesForTabSpaceAndNoQualifier) {
  HostWithNames host;
  const std::vector<FieldCase> cases = {
      {L"|", L"'", 0, L"x", true, L"'x'"},
      {L"|", L"'", 0, L"x", false, L"|'x'"},
      {L"Tab", L"\"", 0, L"x", false, L"\t\"x\""},
      {L"Space", L"None", 0, L"x", false, L" x"},
      {L"tab", L"none", 0, L"x", false, L"tabnonexnone"},  // names compare with case
      {L"", L"", 0, L"ab", false, L"ab"},
      {L"::", L"\"", 0, L"a\"b", true, L"\"a\"b\""},
      {L";", L"", 0, L"a,b\nc\"d", false, L";a,b\nc\"d"},
      // Comma-separated: RFC 4180 whatever the configured delimiter and qualifier.
      {L"|", L"'", 1, L"a,b", true, L"\"a,b\""},
      {L"|", L"'", 1, L"x", false, L",x"},
      {L"Tab", L"None", 1, L"x", false, L",x"},
      {L"|", L"'", 1, L"say \"hi\"", false, L",\"say \"\"hi\"\"\""},
      {L"|", L"'", 1, L"\"", true, L"\"\"\"\""},
      {L"|", L"'", 1, L"two\nlines", false, L",\"two\nlines\""},
      {L"|", L"'", 1, L"cr\ronly", false, L",\"cr\ronly\""},
      {L"|", L"'", 1, L"", false, L","},
      {L"|", L"'", 1, L"", true, L""},
      {L"|", L"'", 1, L"tab\there 'q' caf\x00E9", false, L",tab\there 'q' caf\x00E9"},
      {L"|", L"'", 2, L"a,b", false, L"|'a,b'"},  // only 1 is comma-separated
  };
  for (const FieldCase& c : cases) {
    const CExportFormat format = Format(c.delimiter, c.quote, c.csvMode);
    EXPECT_EQ(format.FormatData(CString(c.value), c.first).Str(), c.expected)
        << ::testing::PrintToString(c.value) << " delimiter " << ::testing::PrintToString(c.delimiter);
    EXPECT_EQ(format.FormatData(CString(c.value), c.first, CExportHostNames::Load()).Str(), c.expected);
  }
}

TEST(CExportFormatTest, WithoutTheHostsNamesAnEmptyDelimiterIsATab) {
  const std::vector<FieldCase> cases = {
      {L"", L"", 0, L"x", false, L"\tx"},
      {L"", L"None", 0, L"x", false, L"\tNonexNone"},
      {L"Tab", L"'", 0, L"x", false, L"Tab'x'"},
      {L"", L"", 0, L"x", true, L"x"},
  };
  for (const FieldCase& c : cases) {
    EXPECT_EQ(Format(c.delimiter, c.quote, c.csvMode).FormatData(CString(c.value), c.first).Str(), c.expected);
  }
}

TEST(CExportFormatTest, ANameEndingInCsvSwitchesCommaSeparatedOutputOnForGood) {
  const std::vector<std::vector<std::pair<const wchar_t*, int>>> sequences = {
      {{L"a.txt", 0}, {L"b.CSV", 1}, {L"c.txt", 1}},
      {{L"csv", 0}, {L".cs", 0}, {L".csv", 1}},
      {{L"/data/x.Csv", 1}},
      {{L"/data/x.csv.bak", 0}, {L"", 0}},
  };
  for (const auto& sequence : sequences) {
    CExportFormat format;
    for (const auto& [name, csvMode] : sequence) {
      format.SetFilename(name);
      EXPECT_EQ(format.GetFilename(), name);
      EXPECT_EQ(format.CsvMode, csvMode) << ::testing::PrintToString(name);
    }
  }
}

CExportFormat Sample() {
  CExportFormat format = Format(L"|", L"'", 0);
  format.SetFilename(L"f.csv");
  format.SetTitles(1);
  format.TimestampBanner = 5;
  format.DateInFilename = 0;
  format.TitlesCheck = -7;
  return format;
}

Bytes StoreRecord(CExportFormat format) {
  CMemFile file;
  CArchive archive(&file, CArchive::store);
  format.Serialize(archive);
  return file.Bytes();
}

CSchemaManager& Schemas() { return CSchemaManager::Instance(); }

// Puts the schema numbers back as they were, for the tests that come after.
class SchemaGuard {
 public:
  SchemaGuard() : current_(Schemas().GetCurrentSchema()), archive_(Schemas().GetArchiveSchema()) {}
  ~SchemaGuard() {
    Schemas().SetCurrentSchema(archive_);
    CMemFile file;
    CArchive store(&file, CArchive::store);
    Schemas().Serialize(store);
    CMemFile written(file.Bytes());
    CArchive load(&written, CArchive::load);
    Schemas().Serialize(load);
    Schemas().SetCurrentSchema(current_);
  }
  SchemaGuard(const SchemaGuard&) = delete;
  SchemaGuard& operator=(const SchemaGuard&) = delete;

 private:
  int current_;
  int archive_;
};

// A document as a host writes it: the header with its schema, then the record.
Bytes Document(int schema, const Bytes& record) {
  Schemas().SetCurrentSchema(schema);
  CMemFile file;
  CArchive archive(&file, CArchive::store);
  Schemas().Serialize(archive);
  archive.Write(record.data(), static_cast<UINT>(record.size()));
  return file.Bytes();
}

// Reads the header as a newer application would, then the record into the target.
void LoadDocument(const Bytes& bytes, CExportFormat& target) {
  Schemas().SetCurrentSchema(2000);
  CMemFile file(bytes);
  CArchive archive(&file, CArchive::load);
  Schemas().Serialize(archive);
  target.Serialize(archive);
}

TEST(CExportFormatTest, StoresThreeUnicodeStringsThenFourIntegers) {
  const Bytes expected = {
      0xFF, 0xFE, 0xFF, 1, '|', 0,                                  // delimiter
      0xFF, 0xFE, 0xFF, 1, '\'', 0,                                 // quote
      0xFF, 0xFE, 0xFF, 5, 'f', 0, '.', 0, 'c', 0, 's', 0, 'v', 0,  // file name
      1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0xF9, 0xFF, 0xFF, 0xFF,   // titles, banner, date, titles box
  };
  EXPECT_EQ(StoreRecord(Sample()), expected);
}

TEST(CExportFormatTest, LoadsWhatTheArchivesSchemaHolds) {
  SchemaGuard guard;
  struct Case {
    int schema;
    int titles, banner, date, titlesCheck;
  };
  // The target starts at 42 everywhere; a field the schema lacks keeps it.
  const std::vector<Case> cases = {
      {100, 1, 42, 42, 42}, {264, 1, 42, 42, 42}, {265, 1, 1, 42, 42},  {300, 1, 1, 42, 42},
      {511, 1, 1, 42, 42},  {512, 1, 1, 1, 42},   {520, 1, 1, 1, 42},   {527, 1, 1, 1, 42},
      {528, 1, 1, 1, 1},    {1000, 1, 1, 1, 1},   {1029, 1, 1, 1, 1},   {1030, 5, 5, 5, 5},
  };
  CExportFormat stored = Sample();
  stored.SetTitles(5);
  stored.TimestampBanner = stored.DateInFilename = stored.TitlesCheck = 5;
  Bytes record = StoreRecord(stored);
  for (const Case& c : cases) {
    const std::size_t integers = 1 + (c.schema >= 265) + (c.schema >= 512) + (c.schema >= 528);
    const Bytes fields(record.begin(), record.end() - static_cast<std::ptrdiff_t>(4 * (4 - integers)));
    CExportFormat target = Format(L"old", L"old", 1);
    target.SetTitles(42);
    target.TimestampBanner = target.DateInFilename = target.TitlesCheck = 42;
    LoadDocument(Document(c.schema, fields), target);
    EXPECT_EQ(target.GetDelimiter(), L"|");
    EXPECT_EQ(target.GetQuote(), L"'");
    EXPECT_EQ(target.GetFilename(), L"f.csv");
    EXPECT_EQ(target.CsvMode, 1);  // not stored
    EXPECT_EQ((std::vector<int>{target.GetTitles(), target.TimestampBanner, target.DateInFilename,
                                target.TitlesCheck}),
              (std::vector<int>{c.titles, c.banner, c.date, c.titlesCheck}))
        << "schema " << c.schema;
  }
}

TEST(CExportFormatTest, RoundTripsThroughAnArchiveOfTheCurrentSchema) {
  SchemaGuard guard;
  CExportFormat stored = Sample();
  stored.SetDelimiter(CString(std::wstring(300, L'\x4E2D')));
  stored.TitlesCheck = INT_MIN;
  CExportFormat loaded;
  LoadDocument(Document(1030, StoreRecord(stored)), loaded);
  EXPECT_EQ(loaded.GetDelimiter(), stored.GetDelimiter());
  EXPECT_EQ(loaded.GetQuote(), L"'");
  EXPECT_EQ(loaded.GetFilename(), L"f.csv");
  EXPECT_EQ(loaded.TimestampBanner, 5);
  EXPECT_EQ(loaded.TitlesCheck, INT_MIN);
}

TEST(CExportFormatTest, ReadsSingleByteStringsAsTheAnsiCodePage) {
  SchemaGuard guard;
  const Bytes record = {
      1, ';', 1, 0x92, 7, 'C', ':', '\\', 0xE9, '.', 't', 'x',  // ANSI: right quote, e acute
      0, 0, 0, 0,
  };
  CExportFormat loaded;
  LoadDocument(Document(200, record), loaded);
  EXPECT_EQ(loaded.GetDelimiter(), L";");
  EXPECT_EQ(loaded.GetQuote(), L"\x2019");
  EXPECT_EQ(loaded.GetFilename(), L"C:\\\x00E9.tx");
  EXPECT_EQ(loaded.GetTitles(), 0);
}

TEST(CExportFormatTest, ShortOrLyingRecordsEndInTheEndOfFileException) {
  SchemaGuard guard;
  const Bytes record = StoreRecord(Sample());
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"no record", {}},
      {"cut in the file name", Bytes(record.begin(), record.begin() + 20)},
      {"cut in an integer", Bytes(record.begin(), record.end() - 2)},
      {"0xFFFFFFF0 characters announced", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF,
                                           'a', 0, 'b', 0, 'c', 0, 'd', 0}},
      {"a long single-byte string", {0xFF, 0xFF, 0xFF, 0x10, 0x00, 0x00, 0x00, 'a', 'b'}},
  };
  for (const auto& [name, bytes] : cases) {
    CExportFormat loaded;
    try {
      LoadDocument(Document(1030, bytes), loaded);
      ADD_FAILURE() << name << ": loaded";
    } catch (const CArchiveException& error) {
      EXPECT_EQ(error.m_cause, CArchiveException::endOfFile) << name;
    }
  }
}

}  // namespace
