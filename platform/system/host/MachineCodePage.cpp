#include "host/MachineCodePage.h"

namespace platform::machine {
namespace {

constexpr std::string_view kCodePageKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage";

encoding::CodePage current = encoding::CodePage::Utf8;

}  // namespace

encoding::CodePage CodePageOf(const RegistryFile& registry) {
  const auto named = registry.Value(std::string(kCodePageKey), "ACP");
  return named && named->data == "1252" ? encoding::CodePage::Windows1252
                                        : encoding::CodePage::Utf8;
}

void UseCodePage(encoding::CodePage page) { current = page; }

encoding::CodePage CurrentCodePage() { return current; }

std::string Utf8FromAnsi(std::string_view ansi) { return encoding::Utf8FromAnsi(ansi, current); }

std::string AnsiFromUtf8(std::string_view utf8) { return encoding::AnsiFromUtf8(utf8, current); }

}  // namespace platform::machine
