// Writing a design file: version, document type, font line, one block per
// schema, the texts, the layout lines and the settings.
#pragma once

#include <string>
#include <vector>

#include "designfile/design_window.h"

namespace tabulorix {

class MGSchema;

inline constexpr const char* kDesignVersionLine = "Tabulorix for Oracle Version 3.0.0";
inline constexpr const char* kDesignDocumentType = "TYPE 1";

// The lines of a schema block: "[SCHEMA]", the owner, "[TABLE]" with the
// table list and the eight sections of the boxes' rows.
void WriteSchemaBlock(const MGSchema& schema, std::vector<std::string>& lines);

// All lines of the design file (without line terminators). Texts and legend
// get the names of their layout lines on the way.
std::vector<std::string> BuildDesignLines(const MGDesignContext& context);

// Builds the lines and saves them to path, replacing the file atomically
// (CP932 with CR LF, UTF-8 with BOM when CP932 cannot hold the text).
// Throws tabulorix::FileError; the file is then unchanged.
void WriteDesignFile(const MGDesignContext& context, const std::string& path);

}  // namespace tabulorix
