// A stand-in for a tool that the programs start on Windows: copied under
// the tool's file name, it appends "name [arg]... cwd=<folder>" as one line
// to the file that BRENMOOR_RECORD names. The tool that BRENMOOR_HUNG_TOOL
// names then never ends, as a hung tool would not.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string name = BaseName(module);
  std::string line = name;
  for (int i = 1; i < argc; ++i) line += std::string(" [") + argv[i] + "]";
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  line += std::string(" cwd=") + folder + "\n";

  const char* record = std::getenv("BRENMOOR_RECORD");
  if (record != nullptr) {
    // Append-only access makes each write land at the end as one piece; the C
    // runtime's "a" mode seeks first, so tools started together overwrote
    // each other's lines.
    const HANDLE file = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
    }
  }
  const char* hung = std::getenv("BRENMOOR_HUNG_TOOL");
  if (hung != nullptr && _stricmp(hung, name.c_str()) == 0) Sleep(INFINITE);
  return 0;
}
