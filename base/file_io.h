// Reading and writing whole files.
//
// Saves are atomic: the bytes go into a temporary file in the target's
// directory, which is flushed to disk and renamed over the target. A failed
// save removes the temporary and leaves the previous file as it was.
//
// Text files are decoded completely before anything is returned (CP932, or
// UTF-8 after a BOM), so a file that cannot be decoded is reported with its
// line and the caller's data stays untouched.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_codec.h"

namespace tabulorix {

// A file operation that failed. The message names the path and carries the
// operating system's reason (or, for undecodable text, the line).
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, const std::string& message, int line = 0);
    const std::string& path() const { return path_; }
    // The line of undecodable text, 1-based; 0 when the failure has no line.
    int line() const { return line_; }

private:
    std::string path_;
    int line_;
};

// Writes the bytes to path atomically (see above). An existing target keeps
// its permission bits; a symbolic link is followed and its target replaced.
// A device or pipe (/dev/stdout, a FIFO) is written into directly, never
// replaced. Throws FileError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The whole content of a file. Throws FileError.
std::string ReadFileBytes(const std::string& path);

// Splits a text into lines: a line ends at CR LF, CR or LF; a final line
// without a terminator still counts; a terminator at the very end does not
// start another line ("" gives no lines, "a\r\n" one line).
std::vector<std::string> SplitLines(std::string_view text);

struct TextLines {
    std::vector<std::string> lines;  // UTF-8, without terminators
    TextEncoding encoding = TextEncoding::Cp932;
};

// Reads a text file (CP932, or UTF-8 after a BOM) into lines. Throws
// FileError, naming the path and line for undecodable text.
TextLines ReadTextLines(const std::string& path);

// Joins lines with CR LF after every line and encodes them (CP932 when it can
// hold the text, else UTF-8 with a BOM).
EncodedText EncodeTextLines(const std::vector<std::string>& lines);

// Writes a UTF-8 text encoded as EncodeFileText does, atomically. The text
// is taken over and freed once encoded, so a large file is held at most
// twice at any time. Returns the encoding as WriteTextLines does. Throws
// FileError.
EncodedText WriteTextFile(const std::string& path, std::string utf8);

// The same for a text that is only read, its line feeds written as feeds
// says.
EncodedText WriteTextFile(const std::string& path, std::string_view utf8, LineFeeds feeds);

// Writes lines as EncodeTextLines does, atomically. Returns the encoding used
// (and the first character that forced UTF-8) so the caller can tell the
// user. Throws FileError.
EncodedText WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tabulorix
