#include "CExportFormat.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <string>

#include "CResourceString.h"
#include "CSchemaManager.h"
#include "Utils.h"

namespace {

// Schemas from which the archive holds each option.
constexpr int kSchemaWithBanner = 265;
constexpr int kSchemaWithDateInFilename = 512;
constexpr int kSchemaWithTitlesCheck = 528;
// Older archives held the options as flags that only mean nonzero.
constexpr int kSchemaWithWholeValues = 1030;

constexpr wchar_t kCsvExtension[] = L".csv";

const std::wstring kComma = L",";
const std::wstring kDoubleQuote = L"\"";
const std::wstring kTab = L"\t";
const std::wstring kSpace = L" ";
const std::wstring kNothing;

bool NeedsCsvQuotes(std::wstring_view value) {
  return std::any_of(value.begin(), value.end(), [](wchar_t character) {
    return character == L',' || character == L'"' || character == L'\r' || character == L'\n';
  });
}

void AppendDoublingQuotes(std::wstring& out, std::wstring_view value) {
  std::size_t from = 0;
  for (std::size_t quote = value.find(L'"'); quote != std::wstring_view::npos; quote = value.find(L'"', quote + 1)) {
    out.append(value.substr(from, quote + 1 - from));
    out += L'"';
    from = quote + 1;
  }
  out.append(value.substr(from));
}

bool EndsWithCsvExtension(const CString& name) {
  const std::wstring last = name.Right(4).Str();
  if (last.size() != 4) return false;
  for (std::size_t i = 0; i < last.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(last[i])) != static_cast<wint_t>(kCsvExtension[i])) return false;
  }
  return true;
}

void ReadOption(CArchive& archive, int schema, int& option) {
  std::int32_t value = 0;
  archive >> value;
  option = schema < kSchemaWithWholeValues && value != 0 ? 1 : value;
}

}  // namespace

CExportHostNames CExportHostNames::Load() {
  return {CResourceString(CExportFormat::kTabDelimiterName), CResourceString(CExportFormat::kSpaceDelimiterName),
          CResourceString(CExportFormat::kNoQualifierName)};
}

CExportFormat::CExportFormat()
    : TimestampBanner(0),
      DateInFilename(0),
      TitlesCheck(0),
      Delimiter(Utils::GetDefaultFieldDelimiter()),
      Quote(Utils::GetDefaultTextQualifier()),
      Filename(Utils::GetDefaultExportDir() + L"export.txt"),
      Titles(1),
      CsvMode(0) {}

void CExportFormat::SetFilename(const CString& filename) {
  Filename = filename;
  if (EndsWithCsvExtension(filename)) CsvMode = 1;
}

CString CExportFormat::FormatData(CString value, bool first) const {
  return FormatData(value, first, CExportHostNames::Load());
}

// Comma-separated output follows the common CSV rules alone, so that CSV
// readers read back what was written; the host's names play no part there.
CString CExportFormat::FormatData(const CString& value, bool first, const CExportHostNames& names) const {
  std::wstring out;
  AppendFormatted(out, value.Str(), first, names);
  return CString(std::move(out));
}

void CExportFormat::AppendFormatted(std::wstring& out, std::wstring_view value, bool first,
                                    const CExportHostNames& names) const {
  const std::wstring* delimiter = &Delimiter.Str();
  const std::wstring* quote = &Quote.Str();
  bool doubleQuotes = false;
  if (CsvMode == 1) {
    delimiter = &kComma;
    doubleQuotes = NeedsCsvQuotes(value);
    quote = doubleQuotes ? &kDoubleQuote : &kNothing;
  } else {
    if (*delimiter == names.tab.Str()) delimiter = &kTab;
    if (*delimiter == names.space.Str()) delimiter = &kSpace;
    if (*quote == names.noQualifier.Str()) quote = &kNothing;
  }
  if (!first) out += *delimiter;
  out += *quote;
  if (doubleQuotes) {
    AppendDoublingQuotes(out, value);
  } else {
    out += value;
  }
  out += *quote;
}

void CExportFormat::Serialize(CArchive& archive) {
  if (archive.IsStoring()) {
    archive << Delimiter << Quote << Filename;
    archive << std::int32_t{Titles} << std::int32_t{TimestampBanner} << std::int32_t{DateInFilename}
            << std::int32_t{TitlesCheck};
    return;
  }
  const int schema = CSchemaManager::Instance().GetArchiveSchema();
  archive >> Delimiter >> Quote >> Filename;
  ReadOption(archive, schema, Titles);
  if (schema >= kSchemaWithBanner) ReadOption(archive, schema, TimestampBanner);
  if (schema >= kSchemaWithDateInFilename) ReadOption(archive, schema, DateInFilename);
  if (schema >= kSchemaWithTitlesCheck) ReadOption(archive, schema, TitlesCheck);
}
