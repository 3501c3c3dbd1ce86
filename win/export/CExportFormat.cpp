#include "brenmoor/win/CExportFormat.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <string>

#include "brenmoor/win/CResourceString.h"
#include "brenmoor/win/CSchemaManager.h"
#include "brenmoor/utils/Utils.h"

namespace {

// Schemas from which the archive holds each option.
constexpr int kSchemaWithBanner = 265;
constexpr int kSchemaWithDateInFilename = 512;
constexpr int kSchemaWithTitlesCheck = 528;
// Older archives held the options as flags that only mean nonzero.
constexpr int kSchemaWithWholeValues = 1030;

constexpr wchar_t kCsvExtension[] = L".csv";

constexpr std::uint32_t kLineFeed = '\n';
constexpr std::uint32_t kDoubleQuoteUnit = '"';
// Stands for a unit the writer has nothing to rewrite: no ASCII unit equals it.
constexpr std::uint32_t kNoUnit = 0x80;

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

struct Separators {
  const std::wstring* delimiter;
  const std::wstring* quote;
};

// The host's names for tab, space and no qualifier stand for what they name.
Separators Resolve(const CString& delimiter, const CString& quote, const CExportHostNames& names) {
  Separators resolved{&delimiter.Str(), &quote.Str()};
  if (*resolved.delimiter == names.tab.Str()) resolved.delimiter = &kTab;
  if (*resolved.delimiter == names.space.Str()) resolved.delimiter = &kSpace;
  if (*resolved.quote == names.noQualifier.Str()) resolved.quote = &kNothing;
  return resolved;
}

bool HoldsSurrogate(std::wstring_view text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; });
}

// UTF-8 at out: each doubleQuote unit doubled and each lineFeed unit as CR
// LF, kNoUnit for neither. Units beyond ASCII are converted a run at a time,
// so that surrogate pairs stay pairs.
char* WriteUtf8(char* out, std::wstring_view text, std::uint32_t lineFeed, std::uint32_t doubleQuote) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const auto unit = static_cast<std::uint32_t>(text[i]);
    if (unit < 0x80) {
      if (unit == lineFeed) {
        *out++ = '\r';
      } else if (unit == doubleQuote) {
        *out++ = '"';
      }
      *out++ = static_cast<char>(unit);
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < size && static_cast<std::uint32_t>(text[end]) >= 0x80) ++end;
    out = CString::WriteUtf8(text.substr(i, end - i), out);
    i = end;
  }
  return out;
}

std::string Utf8(std::wstring_view text, std::uint32_t lineFeed) {
  std::string out(CExportFieldWriter::MostBytes(text.size()), '\0');
  out.resize(static_cast<std::size_t>(WriteUtf8(out.data(), text, lineFeed, kNoUnit) - out.data()));
  return out;
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
  const std::wstring* delimiter = &kComma;
  const std::wstring* quote = &kNothing;
  bool doubleQuotes = false;
  if (CsvMode == 1) {
    doubleQuotes = NeedsCsvQuotes(value);
    if (doubleQuotes) quote = &kDoubleQuote;
  } else {
    const Separators resolved = Resolve(Delimiter, Quote, names);
    delimiter = resolved.delimiter;
    quote = resolved.quote;
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

CExportFieldWriter::CExportFieldWriter(const CExportFormat& format, const CExportHostNames& names, bool textMode)
    : format_(format), names_(names), textMode_(textMode), csv_(format.CsvMode == 1), joinFirst_(false) {
  if (csv_) {
    delimiter_ = ",";
    quote_ = "\"";
    separatorBytes_ = delimiter_.size() + 2 * quote_.size();
    return;
  }
  const Separators resolved = Resolve(format.Delimiter, format.Quote, names);
  joinFirst_ = HoldsSurrogate(*resolved.delimiter) || HoldsSurrogate(*resolved.quote);
  delimiter_ = Utf8(*resolved.delimiter, textMode ? kLineFeed : kNoUnit);
  quote_ = Utf8(*resolved.quote, textMode ? kLineFeed : kNoUnit);
  separatorBytes_ = joinFirst_ ? MostBytes(resolved.delimiter->size() + 2 * resolved.quote->size())
                               : delimiter_.size() + 2 * quote_.size();
}

char* CExportFieldWriter::WriteField(char* out, std::wstring_view value, bool first) {
  if (joinFirst_) return WriteJoined(out, value, first);
  const bool quoted = !csv_ || NeedsCsvQuotes(value);
  if (!first) out = std::copy(delimiter_.begin(), delimiter_.end(), out);
  if (quoted) out = std::copy(quote_.begin(), quote_.end(), out);
  out = WriteUtf8(out, value, textMode_ ? kLineFeed : kNoUnit, csv_ ? kDoubleQuoteUnit : kNoUnit);
  if (quoted) out = std::copy(quote_.begin(), quote_.end(), out);
  return out;
}

char* CExportFieldWriter::WriteJoined(char* out, std::wstring_view value, bool first) {
  joined_.clear();
  format_.AppendFormatted(joined_, value, first, names_);
  return WriteText(out, joined_);
}

char* CExportFieldWriter::WriteText(char* out, std::wstring_view text) const {
  return WriteUtf8(out, text, textMode_ ? kLineFeed : kNoUnit, kNoUnit);
}
