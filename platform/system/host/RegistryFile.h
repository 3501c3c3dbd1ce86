#pragma once
// The registry of the emulated machine: a registry editor file
// ("Windows Registry Editor Version 5.00" in UTF-16LE with a byte-order mark,
// or "REGEDIT4" in Windows-1252), read whole and written back, in the
// encoding it came in, when a key is deleted.

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class RegistryFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RegistryValue {
  enum class Type { String, ExpandString, MultiString, Dword, Binary };
  Type type = Type::String;
  // String types: the text in UTF-8, without its terminating zero (a
  // multi-string keeps the zeros between its strings). Other types: the bytes.
  std::string data;

  bool operator==(const RegistryValue&) const = default;
};

class RegistryFile {
 public:
  // Throws RegistryFileError naming the file, and the line where it can,
  // when the file cannot be read or is not a registry editor file.
  static RegistryFile Load(const std::filesystem::path& file);

  // Keys are full paths with their root ("HKEY_LOCAL_MACHINE\\SOFTWARE\\X");
  // HKEY_CLASSES_ROOT stands for HKEY_LOCAL_MACHINE\SOFTWARE\Classes. Names
  // compare without regard to case. A key exists when it or a key below it
  // is in the file.
  bool KeyExists(std::string_view key) const;
  // The empty name is the default value ("@").
  std::optional<RegistryValue> Value(std::string_view key, std::string_view name) const;
  // Removes a key that has no subkeys, with its values, and rewrites the
  // file atomically. False, and nothing changed, when the key is missing,
  // has subkeys, the file cannot be written, or the file without the key's
  // lines would not read back as every other key and value as they were.
  bool DeleteKey(std::string_view key);

  // Every key that has a section, by its lower-cased path with
  // HKEY_CLASSES_ROOT resolved, with its values by lower-cased name.
  using Contents = std::map<std::string, std::map<std::string, RegistryValue>>;
  Contents AllKeys() const;

 private:
  enum class Encoding { Utf16, Ansi };
  struct Line {
    std::string text;  // UTF-8, with its own line end
  };
  struct Key {
    std::map<std::string, RegistryValue> values;  // by lower-cased name
    // Lines of the key's live sections (headers, values and their
    // continuations), ascending: what DeleteKey removes from the file.
    std::vector<std::size_t> lines;
  };
  class Parser;

  RegistryFile(std::filesystem::path file, Encoding encoding, std::string_view text);
  bool HasSubkeys(const std::string& canonicalKey) const;
  void EraseTree(const std::string& canonicalKey);
  std::string TextWithout(const std::vector<std::size_t>& removedLines) const;

  std::filesystem::path file_;
  Encoding encoding_;
  std::vector<Line> lines_;
  std::map<std::string, Key> keys_;  // by canonical lower-cased path
};

}  // namespace platform
