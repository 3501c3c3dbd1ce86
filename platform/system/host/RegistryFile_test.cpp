#include "host/RegistryFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace std::string_view_literals;
using Type = RegistryValue::Type;

// Built here byte by byte so the tests do not rely on the converters under test.
std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

class RegistryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = fs::temp_directory_path() / ("registry_file_test_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }

  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
  }

  fs::path File() const { return dir_ / "registry.reg"; }

  void Write(std::string_view bytes) const {
    std::ofstream out(File(), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
  }

  std::string ReadBack() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    return names;
  }

  RegistryFile LoadAnsi(std::string_view text) {
    Write(text);
    return RegistryFile::Load(File());
  }

  RegistryFile LoadUtf16(std::u16string_view text) {
    Write(Utf16File(text));
    return RegistryFile::Load(File());
  }

  // The message of the RegistryFileError that loading these bytes throws.
  std::string LoadError(std::string_view bytes) {
    Write(bytes);
    try {
      RegistryFile::Load(File());
    } catch (const RegistryFileError& error) {
      return error.what();
    }
    ADD_FAILURE() << "loaded without error";
    return {};
  }

  fs::path dir_;
};

void ExpectValue(const RegistryFile& registry, std::string_view key, std::string_view name, Type type,
                 std::string_view data) {
  SCOPED_TRACE(std::string(key) + " : " + std::string(name));
  const auto value = registry.Value(key, name);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(static_cast<int>(value->type), static_cast<int>(type));
  EXPECT_EQ(value->data, data);
}

struct ValueCase {
  std::string_view line;
  std::string_view name;
  Type type;
  std::string_view data;
};

const std::vector<ValueCase> kValuesOfAnyFormat = {
    {R"("s"="text")", "s", Type::String, "text"},
    {R"("empty"="")", "empty", Type::String, ""},
    {R"("esc"="a\\b\"c")", "esc", Type::String, R"(a\b"c)"},
    {R"("other"="a\nb")", "other", Type::String, R"(a\nb)"},
    {R"("path"="C:\\")", "path", Type::String, R"(C:\)"},
    {R"("quo\"ted"="x")", "quo\"ted", Type::String, "x"},
    {R"(@="default")", "", Type::String, "default"},
    {R"("spaced" = "y")", "spaced", Type::String, "y"},
    {"\"d\"=dword:0000001f", "d", Type::Dword, "\x1f\0\0\0"sv},
    {"\"d2\"=dword:12345678", "d2", Type::Dword, "\x78\x56\x34\x12"sv},
    {"\"d3\"=DWORD:FFFFFFFF", "d3", Type::Dword, "\xFF\xFF\xFF\xFF"sv},
    {"\"d4\"=dword:1", "d4", Type::Dword, "\x01\0\0\0"sv},
    {"\"b\"=hex:01,ab,FF", "b", Type::Binary, "\x01\xAB\xFF"sv},
    {"\"b0\"=hex:", "b0", Type::Binary, ""},
    {"\"b1\"=hex: 0a , b ", "b1", Type::Binary, "\x0A\x0B"sv},
    {"\"q\"=hex(b):01,00,00,00,00,00,00,00", "q", Type::Binary, "\x01\0\0\0\0\0\0\0"sv},
    {"\"n\"=hex(0):", "n", Type::Binary, ""},
    {"\"four\"=hex(4):1f,00,00,00", "four", Type::Binary, "\x1f\0\0\0"sv},
};

const std::vector<ValueCase> kValuesOfVersion5 = {
    {"\"x\"=hex(2):25,00,41,00,25,00,00,00", "x", Type::ExpandString, "%A%"},
    {"\"m\"=hex(7):61,00,00,00,62,00,63,00,00,00,00,00", "m", Type::MultiString, "a\0bc"sv},
    {"\"u\"=hex(2):e9,00,ac,20,00,00", "u", Type::ExpandString, "\xC3\xA9\xE2\x82\xAC"},
    {"\"noterm\"=hex(2):41,00", "noterm", Type::ExpandString, "A"},
    {"\"none\"=hex(7):", "none", Type::MultiString, ""},
};

const std::vector<ValueCase> kValuesOfRegedit4 = {
    {"\"x\"=hex(2):25,41,25,00", "x", Type::ExpandString, "%A%"},
    {"\"m\"=hex(7):61,00,62,63,00,00", "m", Type::MultiString, "a\0bc"sv},
    {"\"u\"=hex(2):e9,80,00", "u", Type::ExpandString, "\xC3\xA9\xE2\x82\xAC"},
};

constexpr std::string_view kTestKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";

std::string FileOf(std::string_view header, const std::vector<ValueCase>& cases) {
  std::string text = std::string(header) + "\r\n\r\n[" + std::string(kTestKey) + "]\r\n";
  for (const ValueCase& value : cases) text += std::string(value.line) + "\r\n";
  return text;
}

void ExpectValues(const RegistryFile& registry, const std::vector<ValueCase>& cases) {
  for (const ValueCase& value : cases) {
    SCOPED_TRACE(value.line);
    ExpectValue(registry, kTestKey, value.name, value.type, value.data);
  }
}

TEST_F(RegistryFileTest, ReadsEveryValueTypeFromUtf16File) {
  std::vector<ValueCase> cases = kValuesOfAnyFormat;
  cases.insert(cases.end(), kValuesOfVersion5.begin(), kValuesOfVersion5.end());
  const auto registry = LoadUtf16(Widen(FileOf("Windows Registry Editor Version 5.00", cases)));
  ExpectValues(registry, cases);
}

TEST_F(RegistryFileTest, ReadsEveryValueTypeFromRegedit4File) {
  std::vector<ValueCase> cases = kValuesOfAnyFormat;
  cases.insert(cases.end(), kValuesOfRegedit4.begin(), kValuesOfRegedit4.end());
  const auto registry = LoadAnsi(FileOf("REGEDIT4", cases));
  ExpectValues(registry, cases);
}

// Hand-written files: 8-bit text, yet the strings inside hex(2) are UTF-16
// as the header promises.
TEST_F(RegistryFileTest, ReadsVersion5HeaderIn8BitText) {
  const auto registry = LoadAnsi(
      "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\K]\n\"s\"=\"caf\xE9\"\n"
      "\"x\"=hex(2):41,00,00,00\n");
  ExpectValue(registry, "HKEY_CURRENT_USER\\K", "s", Type::String, "caf\xC3\xA9");
  ExpectValue(registry, "HKEY_CURRENT_USER\\K", "x", Type::ExpandString, "A");
}

TEST_F(RegistryFileTest, ReadsRegedit4HeaderInUtf16TextWith8BitStrings) {
  const auto registry = LoadUtf16(u"REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"x\"=hex(2):41,42,00\r\n");
  ExpectValue(registry, "HKEY_CURRENT_USER\\K", "x", Type::ExpandString, "AB");
}

TEST_F(RegistryFileTest, LineEndsDoNotMatter) {
  const std::vector<std::string> variants = {
      "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"1\"\n\"b\"=hex:01,\\\n  02\n",
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=\"1\"\r\n\"b\"=hex:01,\\\r\n  02\r\n",
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"1\"\r\n\"b\"=hex:01,\\\n  02",
  };
  for (const std::string& text : variants) {
    SCOPED_TRACE(text);
    const auto registry = LoadAnsi(text);
    ExpectValue(registry, "HKEY_CURRENT_USER\\K", "a", Type::String, "1");
    ExpectValue(registry, "HKEY_CURRENT_USER\\K", "b", Type::Binary, "\x01\x02");
  }
}

TEST_F(RegistryFileTest, JoinsContinuationLines) {
  const char16_t* text =
      u"Windows Registry Editor Version 5.00\r\n"
      u"[HKEY_CURRENT_USER\\K]\r\n"
      u"\"bin\"=hex:01,02,\\\r\n"
      u"  03,04,\\\r\n"
      u"\t05\r\n"
      u"\"multi\"=hex(7):61,00,00,\\\r\n"
      u"  00,00,00\r\n"
      u"; a comment ending in a backslash \\\r\n"
      u"\"after\"=\"x\"\r\n";
  const auto registry = LoadUtf16(text);
  ExpectValue(registry, "HKEY_CURRENT_USER\\K", "bin", Type::Binary, "\x01\x02\x03\x04\x05");
  ExpectValue(registry, "HKEY_CURRENT_USER\\K", "multi", Type::MultiString, "a");
  ExpectValue(registry, "HKEY_CURRENT_USER\\K", "after", Type::String, "x");
}

TEST_F(RegistryFileTest, ReadsNonAsciiNamesAndValuesFrom8BitFile) {
  const auto registry = LoadAnsi(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Gr\xFC\xDF"
      "e]\r\n\"Pr\xEFs\"=\"\x80 5\"\r\n");
  ExpectValue(registry, "HKEY_CURRENT_USER\\Software\\Gr\xC3\xBC\xC3\x9F" "e", "Pr\xC3\xAFs", Type::String,
              "\xE2\x82\xAC 5");
  ExpectValue(registry, "hkey_current_user\\SOFTWARE\\GR\xC3\xBC\xC3\x9F" "E", "PR\xC3\xAFS", Type::String,
              "\xE2\x82\xAC 5");
}

TEST_F(RegistryFileTest, ReadsNonAsciiNamesAndValuesFromUtf16File) {
  const auto registry = LoadUtf16(
      u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Software\\\u65E5\u672C]\r\n"
      u"\"\u00C4pfel\"=\"\U0001F600 \u20AC\"\r\n");
  ExpectValue(registry, "HKEY_CURRENT_USER\\Software\\\xE6\x97\xA5\xE6\x9C\xAC", "\xC3\x84pfel", Type::String,
              "\xF0\x9F\x98\x80 \xE2\x82\xAC");
}

TEST_F(RegistryFileTest, ClassesRootIsTheClassesKeyOfTheMachine) {
  const auto registry = LoadAnsi(
      "REGEDIT4\n"
      "[HKEY_CLASSES_ROOT\\.txt]\n@=\"txtfile\"\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\txtfile]\n\"Name\"=\"Text\"\n"
      "[hkey_local_machine\\software\\classes\\.TXT]\n\"more\"=\"1\"\n");
  ExpectValue(registry, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.txt", "", Type::String, "txtfile");
  ExpectValue(registry, "HKEY_CLASSES_ROOT\\.txt", "more", Type::String, "1");
  ExpectValue(registry, "HKEY_CLASSES_ROOT\\txtfile", "name", Type::String, "Text");
  EXPECT_TRUE(registry.KeyExists("HKEY_CLASSES_ROOT"));
  EXPECT_TRUE(registry.KeyExists("hkey_local_machine\\software\\CLASSES"));
  EXPECT_FALSE(registry.KeyExists("HKEY_CLASSES_ROOT\\Classes\\.txt"));
}

TEST_F(RegistryFileTest, KeyExistsWhenItOrAKeyBelowItIsInTheFile) {
  const auto registry = LoadAnsi(
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App\\Settings]\n\"a\"=\"1\"\n"
      "[HKEY_USERS\\P\\Q!]\n[HKEY_USERS\\P\\Q\\R]\n[HKEY_USERS\\S\\T0]\n");
  const std::vector<std::pair<std::string_view, bool>> cases = {
      {"HKEY_LOCAL_MACHINE", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App", true},
      {"hkey_local_machine\\software\\VENDOR\\app\\settings", true},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App\\Settings\\Deeper", false},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vend", false},
      {"HKEY_USERS\\P\\Q", true},
      {"HKEY_USERS\\S\\T", false},
      {"HKEY_CURRENT_USER", false},
      {"HKLM\\SOFTWARE", false},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\", false},
      {"HKEY_LOCAL_MACHINE\\\\SOFTWARE", false},
      {"", false},
  };
  for (const auto& [key, exists] : cases) EXPECT_EQ(registry.KeyExists(key), exists) << key;
  EXPECT_FALSE(registry.Value("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App", "a").has_value());
  EXPECT_FALSE(registry.Value("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App\\Settings", "b").has_value());
  ExpectValue(registry, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\App\\Settings", "A", Type::String, "1");
}

TEST_F(RegistryFileTest, MergesSectionsOfTheSameKey) {
  const auto registry = LoadAnsi(
      "REGEDIT4\n"
      "[HKEY_CURRENT_USER\\Software\\Merge]\n\"a\"=\"1\"\n\"b\"=\"1\"\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\n\"b\"=\"other\"\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\MERGE]\n\"B\"=dword:00000002\n\"c\"=\"3\"\n\"A\"=-\n\"never\"=-\n");
  EXPECT_FALSE(registry.Value("HKEY_CURRENT_USER\\Software\\Merge", "a").has_value());
  ExpectValue(registry, "HKEY_CURRENT_USER\\Software\\Merge", "b", Type::Dword, "\x02\0\0\0"sv);
  ExpectValue(registry, "HKEY_CURRENT_USER\\Software\\Merge", "c", Type::String, "3");
  ExpectValue(registry, "HKEY_CURRENT_USER\\Software\\Other", "b", Type::String, "other");
}

TEST_F(RegistryFileTest, DeletionSectionRemovesKeyAndEverythingBelow) {
  const auto registry = LoadAnsi(
      "REGEDIT4\n"
      "[HKEY_CURRENT_USER\\Gone\\Child]\n\"v\"=\"1\"\n"
      "[HKEY_CURRENT_USER\\Gone]\n\"w\"=\"1\"\n"
      "[HKEY_CURRENT_USER\\GoneToo]\n\"t\"=\"1\"\n"
      "[HKEY_CURRENT_USER\\Reborn]\n\"old\"=\"1\"\n"
      "[-HKEY_CURRENT_USER\\gone]\n"
      "[-HKEY_CURRENT_USER\\Reborn]\n"
      "[HKEY_CURRENT_USER\\Reborn]\n\"new\"=\"1\"\n"
      "[-HKEY_CURRENT_USER\\NeverThere]\n");
  EXPECT_FALSE(registry.KeyExists("HKEY_CURRENT_USER\\Gone"));
  EXPECT_FALSE(registry.KeyExists("HKEY_CURRENT_USER\\Gone\\Child"));
  EXPECT_FALSE(registry.Value("HKEY_CURRENT_USER\\Gone", "w").has_value());
  ExpectValue(registry, "HKEY_CURRENT_USER\\GoneToo", "t", Type::String, "1");
  EXPECT_FALSE(registry.Value("HKEY_CURRENT_USER\\Reborn", "old").has_value());
  ExpectValue(registry, "HKEY_CURRENT_USER\\Reborn", "new", Type::String, "1");
  EXPECT_FALSE(registry.KeyExists("HKEY_CURRENT_USER\\NeverThere"));
}

struct MalformedCase {
  std::string_view body;  // after the header line
  int line;
  std::string_view what;
};

TEST_F(RegistryFileTest, MalformedLinesNameFileAndLine) {
  const std::vector<MalformedCase> cases = {
      {"\"a\"=\"b\"\n", 2, "outside"},
      {"; comment\n\n@=\"b\"\n", 4, "outside"},
      {"[HKEY_CURRENT_USER\\A\n", 2, "']'"},
      {"[HKEY_CURRENT_USER\\A] ; trailing\n", 2, "']'"},
      {"[HKCU\\A]\n", 2, "unknown root key 'HKCU'"},
      {"[-HKEY_NOWHERE\\A]\n", 2, "unknown root key 'HKEY_NOWHERE'"},
      {"[]\n", 2, "unknown root"},
      {"[HKEY_CURRENT_USER\\A\\\\B]\n", 2, "empty key name"},
      {"[HKEY_CURRENT_USER\\A\\]\n", 2, "empty key name"},
      {"[-HKEY_CURRENT_USER\\K]\n\"a\"=\"b\"\n", 3, "outside"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"\n", 3, "'='"},
      {"[HKEY_CURRENT_USER\\K]\ngarbage\n", 3, "value name"},
      {"[HKEY_CURRENT_USER\\K]\n\"a=1\n", 3, "value name"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=\"b\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=\"b\" c\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=dword:\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=dword:123456789\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=dword:000000001\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=dword:0000001g\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=dword:-1\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex:1g\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex:123\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex:01,,02\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex:01,\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex(zz):00\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex():00\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex(2)00\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex(2):41\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=qword:1\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\n\"a\"=hex:01,\\\n  02,\\\n  zz\n", 3, "value data"},
      {"[HKEY_CURRENT_USER\\K]\r\n\"a\"=hex:01,\\\r\n  02\r\n\r\n\"b\"=bad\r\n", 6, "value data"},
  };
  for (const MalformedCase& malformed : cases) {
    SCOPED_TRACE(malformed.body);
    const std::string message = LoadError("Windows Registry Editor Version 5.00\n" + std::string(malformed.body));
    EXPECT_TRUE(message.starts_with(File().string() + ": line " + std::to_string(malformed.line) + ": "))
        << message;
    EXPECT_NE(message.find(malformed.what), std::string::npos) << message;
  }
}

TEST_F(RegistryFileTest, RejectsFilesThatAreNotRegistryEditorFiles) {
  const std::vector<std::string> cases = {
      "",
      "garbage\x00\x01\x02"s,
      "REGEDIT5\r\n[HKEY_CURRENT_USER\\K]\r\n",
      "Windows Registry Editor Version 4.00\r\n",
      "\r\nREGEDIT4\r\n",
      "\xFF\xFE" "REGEDIT4\r\n",                        // an 8-bit header behind a UTF-16 mark
      Utf16File(u"REGEDIT4\r\n").substr(2),             // UTF-16 without its mark
      Utf16File(u"REGEDIT4\r\n") + "\n",                // odd byte count
      Utf16File(u""),
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(::testing::PrintToString(bytes));
    const std::string message = LoadError(bytes);
    EXPECT_TRUE(message.starts_with(File().string() + ": ")) << message;
  }
}

TEST_F(RegistryFileTest, RejectsMissingFile) {
  try {
    RegistryFile::Load(dir_ / "missing.reg");
    ADD_FAILURE() << "loaded a missing file";
  } catch (const RegistryFileError& error) {
    EXPECT_NE(std::string(error.what()).find((dir_ / "missing.reg").string()), std::string::npos);
  }
}

// --- DeleteKey ---

TEST_F(RegistryFileTest, DeleteKeyRemovesOnlyItsSectionsFrom8BitFile) {
  const std::string original =
      "REGEDIT4\r\n"
      "\r\n"
      "; Keep this comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\Keep]\r\n"
      "\"a\"=\"1\"\r\n"
      "\"raw\"=\"\x81\x8D\x8F\x90\x9D\xFF\x80\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Drop]\r\n"
      "\"bin\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "; comment inside the dropped section\r\n"
      "\"name\"=\"caf\xE9\"\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Keep\\Sub]\r\n"
      "\"b\"=dword:00000002\r\n"
      "[hkey_current_user\\software\\DROP]\r\n"
      "\"again\"=\"2\"";
  const std::string expected =
      "REGEDIT4\r\n"
      "\r\n"
      "; Keep this comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\Keep]\r\n"
      "\"a\"=\"1\"\r\n"
      "\"raw\"=\"\x81\x8D\x8F\x90\x9D\xFF\x80\"\r\n"
      "\r\n"
      "; comment inside the dropped section\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Keep\\Sub]\r\n"
      "\"b\"=dword:00000002\r\n";
  auto registry = LoadAnsi(original);

  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\Software\\Drop"));

  EXPECT_EQ(ReadBack(), expected);
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"registry.reg"});
  for (const RegistryFile& state : {registry, RegistryFile::Load(File())}) {
    EXPECT_FALSE(state.KeyExists("HKEY_CURRENT_USER\\Software\\Drop"));
    EXPECT_FALSE(state.Value("HKEY_CURRENT_USER\\Software\\Drop", "again").has_value());
    ExpectValue(state, "HKEY_CURRENT_USER\\Software\\Keep", "raw", Type::String,
                "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC3\xBF\xE2\x82\xAC");
    ExpectValue(state, "HKEY_CURRENT_USER\\Software\\Keep\\Sub", "b", Type::Dword, "\x02\0\0\0"sv);
  }
}

TEST_F(RegistryFileTest, DeleteKeyRemovesOnlyItsSectionsFromUtf16File) {
  const std::u16string original =
      u"Windows Registry Editor Version 5.00\r\n"
      u"\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Caf\u00E9]\r\n"
      u"\"\u00E9t\u00E9\"=\"\U0001F600\"\r\n"
      u"\r\n"
      u"[HKEY_CURRENT_USER\\Software\\\u65E5\u672C]\r\n"
      u"\"x\"=hex(2):41,00,\\\r\n"
      u"  00,00\r\n"
      u"; \u00DCbrig\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Last]\r\n"
      u"@=\"\u20AC\"\r\n";
  const std::u16string expected =
      u"Windows Registry Editor Version 5.00\r\n"
      u"\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Caf\u00E9]\r\n"
      u"\"\u00E9t\u00E9\"=\"\U0001F600\"\r\n"
      u"\r\n"
      u"; \u00DCbrig\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Last]\r\n"
      u"@=\"\u20AC\"\r\n";
  auto registry = LoadUtf16(original);

  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\Software\\\xE6\x97\xA5\xE6\x9C\xAC"));

  EXPECT_EQ(ReadBack(), Utf16File(expected));
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"registry.reg"});
  for (const RegistryFile& state : {registry, RegistryFile::Load(File())}) {
    EXPECT_FALSE(state.KeyExists("HKEY_CURRENT_USER\\Software\\\xE6\x97\xA5\xE6\x9C\xAC"));
    ExpectValue(state, "HKEY_CURRENT_USER\\Software\\Caf\xC3\xA9", "\xC3\xA9t\xC3\xA9", Type::String,
                "\xF0\x9F\x98\x80");
    ExpectValue(state, "HKEY_CURRENT_USER\\Software\\Last", "", Type::String, "\xE2\x82\xAC");
  }
}

TEST_F(RegistryFileTest, DeleteKeyKeepsThe8BitFormOfVersion5File) {
  const std::string original =
      "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"\xE9\"\n[HKEY_CURRENT_USER\\B]\n";
  auto registry = LoadAnsi(original);

  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\B"));

  EXPECT_EQ(ReadBack(), "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"\xE9\"\n");
}

TEST_F(RegistryFileTest, DeleteKeyThroughClassesRootRemovesBothSpellings) {
  auto registry = LoadAnsi(
      "REGEDIT4\n[HKEY_CLASSES_ROOT\\.x]\n@=\"a\"\n[HKEY_CLASSES_ROOT\\.y]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.X]\n\"b\"=\"c\"\n");

  ASSERT_TRUE(registry.DeleteKey("hkey_classes_root\\.X"));

  EXPECT_EQ(ReadBack(), "REGEDIT4\n[HKEY_CLASSES_ROOT\\.y]\n");
  EXPECT_FALSE(registry.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.x"));
  EXPECT_TRUE(registry.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.y"));
}

// Sections cancelled by a later [-key] line are not the key's any more;
// they stay, and still cancel out on the next load.
TEST_F(RegistryFileTest, DeleteKeyRemovesOnlyLiveSections) {
  const std::string cancelled = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"1\"\n[-HKEY_CURRENT_USER\\K]\n";
  auto registry = LoadAnsi(cancelled + "[HKEY_CURRENT_USER\\K]\n\"b\"=\"2\"\n");

  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\K"));

  EXPECT_EQ(ReadBack(), cancelled);
  EXPECT_FALSE(registry.KeyExists("HKEY_CURRENT_USER\\K"));
  EXPECT_FALSE(RegistryFile::Load(File()).KeyExists("HKEY_CURRENT_USER\\K"));
}

TEST_F(RegistryFileTest, DeleteKeyRefusesMissingKeysAndKeysWithSubkeys) {
  const std::string original =
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Keep]\n\"a\"=\"1\"\n[HKEY_CURRENT_USER\\Software\\Keep\\Sub]\n"
      "[HKEY_CURRENT_USER\\Gone]\n[-HKEY_CURRENT_USER\\Gone]\n";
  auto registry = LoadAnsi(original);
  const std::vector<std::string_view> refused = {
      "HKEY_CURRENT_USER\\Software\\Keep",     // has a subkey
      "HKEY_CURRENT_USER\\Software",           // only there through its subkeys
      "HKEY_CURRENT_USER",                     //
      "HKEY_CURRENT_USER\\Software\\Missing",  //
      "HKEY_CURRENT_USER\\Gone",               // deleted by the file itself
      "HKCU\\Software\\Keep\\Sub",             // not a root
      "HKEY_CURRENT_USER\\Software\\Keep\\Sub\\",
  };
  for (std::string_view key : refused) {
    SCOPED_TRACE(key);
    EXPECT_FALSE(registry.DeleteKey(key));
    EXPECT_EQ(ReadBack(), original);
    EXPECT_TRUE(registry.KeyExists("HKEY_CURRENT_USER\\Software\\Keep\\Sub"));
    ExpectValue(registry, "HKEY_CURRENT_USER\\Software\\Keep", "a", Type::String, "1");
  }
}

TEST_F(RegistryFileTest, ParentOutlivesDeletedKeyOnlyWithItsOwnSectionOrOtherSubkeys) {
  auto registry = LoadAnsi(
      "REGEDIT4\n"
      "[HKEY_CURRENT_USER\\Software\\Lone\\Leaf]\n"
      "[HKEY_CURRENT_USER\\Software\\Own]\n[HKEY_CURRENT_USER\\Software\\Own\\Leaf]\n"
      "[HKEY_CURRENT_USER\\Software\\Shared\\A]\n[HKEY_CURRENT_USER\\Software\\Shared\\B]\n");

  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\Software\\Lone\\Leaf"));
  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\Software\\Own\\Leaf"));
  ASSERT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\Software\\Shared\\A"));

  for (const RegistryFile& state : {registry, RegistryFile::Load(File())}) {
    EXPECT_FALSE(state.KeyExists("HKEY_CURRENT_USER\\Software\\Lone"));
    EXPECT_TRUE(state.KeyExists("HKEY_CURRENT_USER\\Software\\Own"));
    EXPECT_FALSE(state.KeyExists("HKEY_CURRENT_USER\\Software\\Own\\Leaf"));
    EXPECT_TRUE(state.KeyExists("HKEY_CURRENT_USER\\Software\\Shared"));
    EXPECT_FALSE(state.KeyExists("HKEY_CURRENT_USER\\Software\\Shared\\A"));
  }
  EXPECT_TRUE(registry.DeleteKey("HKEY_CURRENT_USER\\Software\\Own"));
  EXPECT_EQ(ReadBack(), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Shared\\B]\n");
}

TEST_F(RegistryFileTest, DeleteKeyFailsWhenFolderIsReadOnly) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const std::string original = "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n[HKEY_CURRENT_USER\\B]\n";
  auto registry = LoadAnsi(original);
  fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);

  EXPECT_FALSE(registry.DeleteKey("HKEY_CURRENT_USER\\A"));

  EXPECT_EQ(ReadBack(), original);
  EXPECT_EQ(FolderContents(), std::vector<std::string>{"registry.reg"});
  EXPECT_TRUE(registry.KeyExists("HKEY_CURRENT_USER\\A"));
}

// Provokable as root too: the temporary file is written but cannot replace
// the original, which has become a folder.
TEST_F(RegistryFileTest, DeleteKeyFailsAndCleansUpWhenTheRenameFails) {
  auto registry = LoadAnsi("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\n[HKEY_CURRENT_USER\\B]\n");
  fs::remove(File());
  fs::create_directories(File() / "inside");

  EXPECT_FALSE(registry.DeleteKey("HKEY_CURRENT_USER\\A"));

  EXPECT_EQ(FolderContents(), std::vector<std::string>{"registry.reg"});
  EXPECT_TRUE(fs::is_directory(File() / "inside"));
  EXPECT_TRUE(registry.KeyExists("HKEY_CURRENT_USER\\A"));
  ExpectValue(registry, "HKEY_CURRENT_USER\\A", "v", Type::String, "1");
}

TEST_F(RegistryFileTest, HandlesThousandsOfKeys) {
  std::string text = "REGEDIT4\n";
  for (int i = 0; i < 5000; ++i) {
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Many\\Key" + std::to_string(i) + "]\n\"n\"=dword:" +
            std::string(7, '0') + std::to_string(i % 10) + "\n";
  }
  auto registry = LoadAnsi(text);

  ASSERT_TRUE(registry.DeleteKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Many\\Key4321"));

  EXPECT_FALSE(registry.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Many\\Key4321"));
  ExpectValue(registry, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Many\\Key4999", "n", Type::Dword, "\x09\0\0\0"sv);
  EXPECT_EQ(ReadBack().size(), text.size() - std::string("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Many\\Key4321]\n"
                                                          "\"n\"=dword:00000001\n")
                                                   .size());
}

// A header continued over several lines goes with all of them, so no piece
// of it is left behind to break the file or to become a key of its own.
TEST_F(RegistryFileTest, DeleteKeyRemovesEveryLineOfAContinuedHeader) {
  struct Case {
    std::string file;
    std::string key;
    std::string left;
  };
  const std::vector<Case> cases = {
      {"REGEDIT4\r\n[HKEY_CURRENT_USER\\B;\\\r\n[HKEY_CURRENT_USER\\C]\r\n",
       "HKEY_CURRENT_USER\\B;[HKEY_CURRENT_USER\\C", "REGEDIT4\r\n"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\\\\n\0]"s, "HKEY_LOCAL_MACHINE\\\0"s, "REGEDIT4\n"},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\K\\\\\n  Sub]\n\"a\"=\"1\"\n[HKEY_CURRENT_USER\\Keep]\n\"b\"=\"2\"\n",
       "HKEY_CURRENT_USER\\K\\Sub", "REGEDIT4\n[HKEY_CURRENT_USER\\Keep]\n\"b\"=\"2\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.file));
    auto registry = LoadAnsi(c.file);
    ASSERT_TRUE(registry.KeyExists(c.key));

    ASSERT_TRUE(registry.DeleteKey(c.key));

    EXPECT_EQ(ReadBack(), c.left);
    const auto reread = RegistryFile::Load(File());
    EXPECT_FALSE(reread.KeyExists(c.key));
    EXPECT_FALSE(reread.KeyExists("HKEY_CURRENT_USER\\C"));
    EXPECT_EQ(reread.AllKeys(), registry.AllKeys());
  }
}

TEST_F(RegistryFileTest, AllKeysListsKeysWithSectionsAndTheirValues) {
  const auto registry = LoadAnsi(
      "REGEDIT4\n[HKEY_CLASSES_ROOT\\X]\n\"Name\"=dword:00000001\n[HKEY_CURRENT_USER\\A\\B]\n"
      "[HKEY_CURRENT_USER\\Gone]\n[-HKEY_CURRENT_USER\\Gone]\n");

  const RegistryFile::Contents expected = {
      {"hkey_current_user\\a\\b", {}},
      {"hkey_local_machine\\software\\classes\\x", {{"name", {Type::Dword, "\x01\0\0\0"s}}}},
  };
  EXPECT_EQ(registry.AllKeys(), expected);
}

}  // namespace
}  // namespace platform
