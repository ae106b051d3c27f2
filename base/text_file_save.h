// Saving the lines of a generated text file (design file, SQL script, CSV
// list): CP932 with CR LF, written atomically; when CP932 cannot hold the
// text the file is written as UTF-8 with a BOM and the user is told. Line
// breaks inside a line (LF or CR LF) become CR LF too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulorix {

// The lines are taken over and freed as they are joined. Throws
// tabulorix::FileError; the previous file is then unchanged.
void SaveTextFile(const std::string& path, std::vector<std::string> lines);

// Saves a text that already has its CR LF line ends, as SaveTextFile does
// (CP932, else UTF-8 with a BOM and a message; atomically).
void SaveText(const std::string& path, std::string text);

// Saves a text whose lines end at line feeds (the last one may have none)
// with CR LF after every line, as SaveTextFile saves the lines one gets by
// splitting the text at its line feeds; the line ends are made while
// encoding, so no copy of the text is made first.
void SaveLineFeedText(const std::string& path, std::string_view text);

}  // namespace tabulorix
