// The reading of a catalogue exactly as the first-match scans describe it:
// every lookup walks the lists from the start and takes the first match.
// The product finds the same matches through indexes; the equivalence test
// builds one schema both ways and compares what is written.
#pragma once

#include <string>

namespace tabulorix { class MGDrawTableList; }
namespace tabulorix { class MGSchemaMng; }

namespace tabulorix::plain {

// Reads the login user's schema from the snapshot and every owner its
// foreign keys reach, resolves the foreign keys; the diagram steps are left
// to the caller. Returns false when the login cannot be read.
bool ReadCatalogue(MGSchemaMng& manager, const std::string& snapshot, const std::string& user,
                   const std::string& password);

// Every table box's key and index marks on its columns.
void MarkKeys(MGDrawTableList& diagram);

// Every foreign-key row's key number from the keys of the boxes.
void ResolveForeignKeys(MGDrawTableList& diagram);

// The relation pairs of the diagram, from scratch.
void BuildRelations(MGDrawTableList& diagram);

}  // namespace tabulorix::plain
