#include "PdfText.h"

#include <cstdio>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace testsupport {

namespace {

std::string Run(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  std::string out;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, read);
  if (pclose(pipe) != 0) throw std::runtime_error(command + " failed");
  return out;
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::string Tidy(const std::string& line) {
  std::string tidy = std::regex_replace(line, std::regex(" {2,}"), " ");
  const auto first = tidy.find_first_not_of(' ');
  const auto last = tidy.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : tidy.substr(first, last - first + 1);
}

}  // namespace

std::vector<std::string> PdfPages(const std::filesystem::path& pdf) {
  const std::string text = Run("pdftotext -layout " + Quoted(pdf) + " -");
  std::vector<std::string> pages;
  std::istringstream in(text);
  std::string page;
  for (std::string chunk; std::getline(in, chunk, '\f');) {
    std::istringstream lines(chunk);
    std::string tidy;
    for (std::string line; std::getline(lines, line);) {
      const std::string trimmed = Tidy(line);
      if (!trimmed.empty()) tidy += trimmed + "\n";
    }
    pages.push_back(tidy);
  }
  // pdftotext ends the last page with a form feed too.
  if (!pages.empty() && pages.back().empty()) pages.pop_back();
  return pages;
}

std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf) {
  const std::string html = Run("pdftotext -bbox " + Quoted(pdf) + " -");
  const std::regex pageStart("<page ");
  const std::regex word(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>");
  std::vector<PdfWord> words;
  int page = 0;
  std::istringstream in(html);
  for (std::string line; std::getline(in, line);) {
    if (std::regex_search(line, pageStart)) ++page;
    std::smatch match;
    if (std::regex_search(line, match, word)) {
      words.push_back({page, match[5], std::stod(match[1]), std::stod(match[2]), std::stod(match[3]),
                       std::stod(match[4])});
    }
  }
  return words;
}

}  // namespace testsupport
