#pragma once
// Printed pages read back as text (pdftotext, from poppler-utils).

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The text of each page, lines as pdftotext lays them out (-layout), with
// runs of blanks between words made one blank and line ends trimmed.
std::vector<std::string> PdfPages(const std::filesystem::path& pdf);

// A word on a page and its box in points from the page's top-left corner.
struct PdfWord {
  int page;
  std::string text;
  double left;
  double top;
  double right;
  double bottom;
};
std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf);

}  // namespace testsupport
