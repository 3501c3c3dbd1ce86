#pragma once
// The ANSI code page of the emulated machine, one for the whole process:
// command lines, registry strings and file names reach the programs in it.
// UTF-8 unless the machine's registry names Windows-1252.

#include <string>
#include <string_view>

#include "TextEncoding.h"
#include "host/RegistryFile.h"

namespace platform::machine {

// The page the registry names under Nls\CodePage as "ACP": "1252" is
// Windows-1252; "65001", another value or none is UTF-8.
encoding::CodePage CodePageOf(const RegistryFile& registry);

void UseCodePage(encoding::CodePage page);
encoding::CodePage CurrentCodePage();

std::string Utf8FromAnsi(std::string_view ansi);
std::string AnsiFromUtf8(std::string_view utf8);

// Uses a page until the end of a scope, for tests.
class ScopedCodePage {
 public:
  explicit ScopedCodePage(encoding::CodePage page) : previous_(CurrentCodePage()) {
    UseCodePage(page);
  }
  ~ScopedCodePage() { UseCodePage(previous_); }
  ScopedCodePage(const ScopedCodePage&) = delete;
  ScopedCodePage& operator=(const ScopedCodePage&) = delete;

 private:
  encoding::CodePage previous_;
};

}  // namespace platform::machine
