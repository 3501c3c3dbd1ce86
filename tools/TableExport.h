#pragma once
// A table put in a list and exported as list_export writes it in its own
// form: tabs between cells, no text qualifier, the headings first, CR LF.
// The host has registered the export's resources.

#include <filesystem>
#include <string>

#include "TableFile.h"

// The bytes written to the file, which is replaced.
std::string ExportAsTable(const Table& table, const std::filesystem::path& file);
