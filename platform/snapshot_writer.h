// Writing a dictionary snapshot file: the copies of the ALL_ dictionary
// views, with the indexes that let SQLite answer the reader's statements
// quickly. The file holds no login data.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tabulorix {

// Rows per dictionary table name, each row with the table's columns in
// order (platform/dictionary_tables.h), every value as text. An empty text
// becomes NULL (Oracle makes no difference between the two); numbers go into
// the integer columns as integers.
using SnapshotRows = std::map<std::string, std::vector<std::vector<std::string>>>;

// Creates the snapshot file at path (replacing an existing one only once the
// new one is complete). Throws DatabaseError for SQLite failures and
// FileError for file failures, the previous file left as it was.
void WriteSnapshotFile(const std::string& path, const SnapshotRows& rows);

}  // namespace tabulorix
