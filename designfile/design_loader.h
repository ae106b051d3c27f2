// Opening a design file: the whole model (schemas, boxes, texts, positions,
// font and settings) is replaced by what the file holds.
#pragma once

#include <string>
#include <vector>

#include "designfile/design_window.h"

namespace tabulorix {

inline constexpr const char* kDesignTypeError = "このデザインファイルは処理できません";

// Reads the file and replaces the model. False when the file cannot be read
// (the message names the file and, for undecodable text, the line; the
// model is untouched) or when its document type is not "TYPE 1" (the
// message above; the model is then empty). A file without "[VERSION]" or
// "[DOCUMENT TYPE]" loads no schema and still gives true.
bool LoadDesignFile(const MGDesignContext& context, const std::string& path);

// The same from lines already read (the path becomes the design path).
bool LoadDesignLines(const MGDesignContext& context, const std::string& path,
                     const std::vector<std::string>& lines);

}  // namespace tabulorix
