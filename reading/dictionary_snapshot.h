// Copying a catalogue for offline use: the dictionary rows of the login owner
// and of every owner its foreign keys reach, from a live database into a
// snapshot file that the reader can open later without the database.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tabulorix {

class DatabaseConnection;

struct MGSnapshotCopy {
    std::vector<std::string> owners;  // in the order read, the login first
    std::size_t rows = 0;             // dictionary rows copied
};

// Reads the eleven dictionary views for the login owner, then for every owner
// named by a foreign key of an owner already read (first met first, each
// once), and writes them into a new snapshot file at path. Progress goes to
// the status dialog. Throws DatabaseError when a statement fails and
// FileError when the file cannot be written (the previous file stays).
MGSnapshotCopy CopyDictionarySnapshot(tabulorix::DatabaseConnection& source, const std::string& loginOwner,
                                      const std::string& path);

}  // namespace tabulorix
