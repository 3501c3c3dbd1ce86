#include "host/MachineCodePage.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

namespace platform::machine {
namespace {

using encoding::CodePage;

struct NamedCase {
  std::string registry;  // after the REGEDIT4 header
  CodePage page;
};

const std::string kKey = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage]\r\n";

TEST(MachineCodePageTest, TheRegistryNamesThePageAndUtf8IsTheRest) {
  const std::vector<NamedCase> cases = {
      {"", CodePage::Utf8},
      {kKey, CodePage::Utf8},
      {kKey + "\"ACP\"=\"65001\"\r\n", CodePage::Utf8},
      {kKey + "\"ACP\"=\"1252\"\r\n", CodePage::Windows1252},
      {kKey + "\"OEMCP\"=\"1252\"\r\n", CodePage::Utf8},
      {kKey + "\"ACP\"=\"1252 \"\r\n", CodePage::Utf8},
  };
  for (const auto& c : cases) {
    testsupport::TempFolder folder;
    testsupport::WriteFile(folder.Path() / "registry.reg", "REGEDIT4\r\n\r\n" + c.registry);
    EXPECT_EQ(CodePageOf(RegistryFile::Load(folder.Path() / "registry.reg")), c.page)
        << c.registry;
  }
}

TEST(MachineCodePageTest, ConvertsInThePageInUse) {
  const std::string utf8 = "Z\xc3\xbcrich \xe6\xa9\x9f\xe6\xa2\xb0 \xce\xa9";
  {
    ScopedCodePage page(CodePage::Windows1252);
    EXPECT_EQ(AnsiFromUtf8(utf8), "Z\xfcrich ?? ?");
    EXPECT_EQ(Utf8FromAnsi("Z\xfcrich \x80"), "Z\xc3\xbcrich \xe2\x82\xac");
  }
  EXPECT_EQ(CurrentCodePage(), CodePage::Utf8);
  EXPECT_EQ(AnsiFromUtf8(utf8), utf8);
  EXPECT_EQ(Utf8FromAnsi(utf8), utf8);
}

}  // namespace
}  // namespace platform::machine
