// Saving the lines of a generated text file (design file, SQL script, CSV
// list): CP932 with CR LF, written atomically; when CP932 cannot hold the
// text the file is written as UTF-8 with a BOM and the user is told. Line
// breaks inside a line (LF or CR LF) become CR LF too.
#pragma once

#include <string>
#include <vector>

// The lines are taken over and freed as they are joined. Throws
// tabulorix::FileError; the previous file is then unchanged.
void SaveTextFile(const std::string& path, std::vector<std::string> lines);
