#include "host/RegistryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "TextEncoding.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf16Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kAnsiHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xFF\xFE";

struct Root {
  std::string_view name;       // lower-cased
  std::string_view canonical;  // the key it stands for
};
constexpr std::array<Root, 5> kRoots = {{
    {"hkey_local_machine", "hkey_local_machine"},
    {"hkey_classes_root", "hkey_local_machine\\software\\classes"},
    {"hkey_current_user", "hkey_current_user"},
    {"hkey_users", "hkey_users"},
    {"hkey_current_config", "hkey_current_config"},
}};

std::string Lower(std::string_view text) { return encoding::FoldCase(text); }

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view WithoutLineEnd(std::string_view line) {
  if (line.ends_with("\r\n")) return line.substr(0, line.size() - 2);
  if (line.ends_with('\n')) return line.substr(0, line.size() - 1);
  return line;
}

std::optional<std::string_view> CanonicalRoot(std::string_view root) {
  const std::string lower = Lower(root);
  for (const Root& known : kRoots) {
    if (known.name == lower) return known.canonical;
  }
  return std::nullopt;
}

// Lower-cased, with HKEY_CLASSES_ROOT resolved; nothing for an unknown root
// or an empty key name.
std::optional<std::string> CanonicalKey(std::string_view path) {
  const auto separator = path.find('\\');
  const auto root = CanonicalRoot(path.substr(0, separator));
  if (!root) return std::nullopt;
  std::string key(*root);
  if (separator == std::string_view::npos) return key;
  std::string_view rest = path.substr(separator + 1);
  while (true) {
    const auto end = rest.find('\\');
    const std::string_view name = rest.substr(0, end);
    if (name.empty()) return std::nullopt;
    key += '\\';
    key += Lower(name);
    if (end == std::string_view::npos) return key;
    rest.remove_prefix(end + 1);
  }
}

bool ConsumePrefix(std::string_view& text, std::string_view lowerPrefix) {
  if (Lower(text.substr(0, lowerPrefix.size())) != lowerPrefix) return false;
  text.remove_prefix(lowerPrefix.size());
  return true;
}

template <typename Number>
std::optional<Number> ParseHex(std::string_view digits, std::size_t maxDigits) {
  Number number{};
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

// Consumes a quoted string; only \\ and \" are escapes, as regedit writes.
std::optional<std::string> ParseQuoted(std::string_view& text) {
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return out;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) c = text[++i];
    out += c;
  }
  return std::nullopt;
}

std::optional<std::string> ParseValueName(std::string_view& text) {
  if (text.starts_with('@')) {
    text.remove_prefix(1);
    return std::string();
  }
  if (text.starts_with('"')) return ParseQuoted(text);
  return std::nullopt;
}

std::optional<std::string> ParseHexBytes(std::string_view list) {
  std::string bytes;
  if (Trim(list).empty()) return bytes;
  while (true) {
    const auto comma = list.find(',');
    const auto byte = ParseHex<unsigned char>(Trim(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
    if (comma == std::string_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

std::optional<std::string> Utf8FromUtf16Bytes(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string units;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return encoding::Utf8FromUtf16(units);
}

// 5.00 files hold string bytes in UTF-16LE, REGEDIT4 files in Windows-1252.
std::optional<std::string> TextOfStringBytes(std::string_view bytes, bool utf16) {
  auto text = utf16 ? Utf8FromUtf16Bytes(bytes) : encoding::Utf8FromAnsi(bytes);
  if (!text) return std::nullopt;
  while (text->ends_with('\0')) text->pop_back();
  return text;
}

std::optional<RegistryValue> ParseDword(std::string_view digits) {
  const auto number = ParseHex<std::uint32_t>(digits, 8);
  if (!number) return std::nullopt;
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((*number >> shift) & 0xFF);
  return RegistryValue{RegistryValue::Type::Dword, bytes};
}

std::optional<RegistryValue> ParseTypedHex(std::string_view text, bool utf16Strings) {
  const auto close = text.find("):");
  if (close == std::string_view::npos) return std::nullopt;
  const auto type = ParseHex<std::uint32_t>(text.substr(0, close), 8);
  const auto bytes = ParseHexBytes(text.substr(close + 2));
  if (!type || !bytes) return std::nullopt;
  if (*type != 2 && *type != 7) return RegistryValue{RegistryValue::Type::Binary, *bytes};
  const auto stringText = TextOfStringBytes(*bytes, utf16Strings);
  if (!stringText) return std::nullopt;
  const auto stringType = *type == 2 ? RegistryValue::Type::ExpandString : RegistryValue::Type::MultiString;
  return RegistryValue{stringType, *stringText};
}

std::optional<RegistryValue> ParseValueData(std::string_view text, bool utf16Strings) {
  if (text.starts_with('"')) {
    auto string = ParseQuoted(text);
    if (!string || !Trim(text).empty()) return std::nullopt;
    return RegistryValue{RegistryValue::Type::String, std::move(*string)};
  }
  if (ConsumePrefix(text, "dword:")) return ParseDword(text);
  if (ConsumePrefix(text, "hex(")) return ParseTypedHex(text, utf16Strings);
  if (ConsumePrefix(text, "hex:")) {
    auto bytes = ParseHexBytes(text);
    if (!bytes) return std::nullopt;
    return RegistryValue{RegistryValue::Type::Binary, std::move(*bytes)};
  }
  return std::nullopt;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw RegistryFileError(file.string() + ": cannot be read");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Utf16LeBytes(std::string_view utf8) {
  std::string bytes(kByteOrderMark);
  for (char16_t unit : encoding::Utf16FromUtf8(utf8)) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Synced before the rename so that a crash leaves the old file or the new
// one, never a truncated one.
bool WriteDurably(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  return ::close(fd) == 0 && written;
}

bool ReplaceAtomically(const fs::path& file, std::string_view bytes) {
  const fs::path temporary =
      file.parent_path() / ("." + file.filename().string() + "." + std::to_string(::getpid()) + ".tmp");
  std::error_code error;
  if (WriteDurably(temporary, bytes)) {
    fs::rename(temporary, file, error);
    if (!error) return true;
  }
  fs::remove(temporary, error);
  return false;
}

}  // namespace

class RegistryFile::Parser {
 public:
  explicit Parser(RegistryFile& registry) : registry_(registry) {}

  void Run() {
    const auto& lines = registry_.lines_;
    utf16Strings_ = HeaderIsVersion5();
    for (std::size_t first = 1; first < lines.size();) {
      const std::size_t last = LastLineOf(first);
      ParseLogicalLine(Join(first, last), first, last);
      first = last + 1;
    }
  }

 private:
  [[noreturn]] void Fail(std::size_t index, const std::string& what) const {
    throw RegistryFileError(registry_.file_.string() + ": line " + std::to_string(index + 1) + ": " + what);
  }

  std::string_view Content(std::size_t index) const { return WithoutLineEnd(registry_.lines_[index].text); }

  bool HeaderIsVersion5() const {
    const std::string_view header = registry_.lines_.empty() ? "" : Trim(Content(0));
    if (header == kUtf16Header) return true;
    if (header == kAnsiHeader) return false;
    throw RegistryFileError(registry_.file_.string() + ": not a registry editor file (no " +
                            std::string(kAnsiHeader) + " or " + std::string(kUtf16Header) + " header)");
  }

  // Comments do not continue: a trailing backslash there is just text.
  std::size_t LastLineOf(std::size_t first) const {
    if (Trim(Content(first)).starts_with(';')) return first;
    std::size_t last = first;
    while (last + 1 < registry_.lines_.size() && Trim(Content(last)).ends_with('\\')) ++last;
    return last;
  }

  std::string Join(std::size_t first, std::size_t last) const {
    std::string joined;
    for (std::size_t i = first; i <= last; ++i) {
      std::string_view piece = Trim(Content(i));
      if (i < last) piece.remove_suffix(1);
      joined += piece;
    }
    return joined;
  }

  void ParseLogicalLine(std::string_view text, std::size_t first, std::size_t last) {
    if (text.empty() || text.starts_with(';')) return;
    if (text.starts_with('[')) return ParseSection(text, first, last);
    ParseValue(text, first, last);
  }

  void ParseSection(std::string_view text, std::size_t first, std::size_t last) {
    if (!text.ends_with(']')) Fail(first, "section without ']'");
    std::string_view path = text.substr(1, text.size() - 2);
    const bool deletion = path.starts_with('-');
    if (deletion) path.remove_prefix(1);
    const std::string key = KeyOrFail(path, first);
    if (deletion) {
      registry_.EraseTree(key);
      current_ = nullptr;
      return;
    }
    current_ = &registry_.keys_[key];
    for (std::size_t i = first; i <= last; ++i) current_->lines.push_back(i);
  }

  std::string KeyOrFail(std::string_view path, std::size_t index) const {
    if (auto key = CanonicalKey(path)) return *key;
    const std::string_view root = path.substr(0, path.find('\\'));
    if (!CanonicalRoot(root)) Fail(index, "unknown root key '" + std::string(root) + "'");
    Fail(index, "empty key name in '" + std::string(path) + "'");
  }

  void ParseValue(std::string_view text, std::size_t first, std::size_t last) {
    if (current_ == nullptr) Fail(first, "value outside a key's section");
    std::string_view rest = text;
    const auto name = ParseValueName(rest);
    if (!name) Fail(first, "bad value name in '" + std::string(text) + "'");
    rest = Trim(rest);
    if (!rest.starts_with('=')) Fail(first, "no '=' after the value name in '" + std::string(text) + "'");
    rest = Trim(rest.substr(1));
    for (std::size_t i = first; i <= last; ++i) current_->lines.push_back(i);
    if (rest == "-") {
      current_->values.erase(Lower(*name));
      return;
    }
    auto value = ParseValueData(rest, utf16Strings_);
    if (!value) Fail(first, "bad value data '" + std::string(rest) + "'");
    current_->values.insert_or_assign(Lower(*name), std::move(*value));
  }

  RegistryFile& registry_;
  bool utf16Strings_ = false;
  Key* current_ = nullptr;  // map nodes stay put while others are added
};

RegistryFile::RegistryFile(fs::path file, Encoding encoding, std::string_view text)
    : file_(std::move(file)), encoding_(encoding) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto length = end == std::string_view::npos ? text.size() : end + 1;
    lines_.push_back(Line{std::string(text.substr(0, length))});
    text.remove_prefix(length);
  }
  Parser(*this).Run();
}

RegistryFile RegistryFile::Load(const fs::path& file) {
  const std::string bytes = ReadBytes(file);
  if (!bytes.starts_with(kByteOrderMark)) return RegistryFile(file, Encoding::Ansi, encoding::Utf8FromAnsi(bytes));
  const auto text = Utf8FromUtf16Bytes(std::string_view(bytes).substr(kByteOrderMark.size()));
  if (!text) throw RegistryFileError(file.string() + ": odd number of bytes in UTF-16 text");
  return RegistryFile(file, Encoding::Utf16, *text);
}

bool RegistryFile::KeyExists(std::string_view key) const {
  const auto canonical = CanonicalKey(key);
  return canonical && (keys_.contains(*canonical) || HasSubkeys(*canonical));
}

std::optional<RegistryValue> RegistryFile::Value(std::string_view key, std::string_view name) const {
  const auto canonical = CanonicalKey(key);
  if (!canonical) return std::nullopt;
  const auto found = keys_.find(*canonical);
  if (found == keys_.end()) return std::nullopt;
  const auto value = found->second.values.find(Lower(name));
  if (value == found->second.values.end()) return std::nullopt;
  return value->second;
}

// The file is parsed again rather than patched so that every other key's
// line numbers follow the removal.
bool RegistryFile::DeleteKey(std::string_view key) {
  const auto canonical = CanonicalKey(key);
  if (!canonical) return false;
  const auto found = keys_.find(*canonical);
  if (found == keys_.end() || HasSubkeys(*canonical)) return false;
  const std::string text = TextWithout(found->second.lines);
  std::optional<RegistryFile> rewritten;
  try {
    rewritten.emplace(RegistryFile(file_, encoding_, text));
  } catch (const RegistryFileError&) {
    return false;
  }
  Contents expected = AllKeys();
  expected.erase(*canonical);
  if (rewritten->AllKeys() != expected) return false;
  const std::string bytes = encoding_ == Encoding::Utf16 ? Utf16LeBytes(text) : encoding::AnsiFromUtf8(text);
  if (!ReplaceAtomically(file_, bytes)) return false;
  *this = std::move(*rewritten);
  return true;
}

RegistryFile::Contents RegistryFile::AllKeys() const {
  Contents contents;
  for (const auto& [name, key] : keys_) contents.emplace(name, key.values);
  return contents;
}

bool RegistryFile::HasSubkeys(const std::string& canonicalKey) const {
  const std::string prefix = canonicalKey + '\\';
  const auto next = keys_.lower_bound(prefix);
  return next != keys_.end() && next->first.starts_with(prefix);
}

void RegistryFile::EraseTree(const std::string& canonicalKey) {
  keys_.erase(canonicalKey);
  const std::string prefix = canonicalKey + '\\';
  const auto first = keys_.lower_bound(prefix);
  auto last = first;
  while (last != keys_.end() && last->first.starts_with(prefix)) ++last;
  keys_.erase(first, last);
}

std::string RegistryFile::TextWithout(const std::vector<std::size_t>& removedLines) const {
  std::string text;
  auto removed = removedLines.begin();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (removed != removedLines.end() && *removed == i) {
      ++removed;
      continue;
    }
    text += lines_[i].text;
  }
  return text;
}

}  // namespace platform
