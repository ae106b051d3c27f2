// The SQL source texts of the boxes, written on the worker thread while the
// design loader prepares the diagram (legend, key marks, flags, font,
// layout, relations): on a schema of tens of thousands of tables the texts
// take about as long as those steps, and neither depends on the other.
#pragma once

#include <future>
#include <memory>
#include <vector>

#include "outputs/sql_script.h"

class MGShapeTable;

class MGBoxSourceJob {
public:
    // Takes the table and view boxes of the current diagram and an index of
    // their keys, then starts writing. Until Finish() the boxes' rows, names
    // and keys must not change and their source texts must not be read;
    // their sizes, positions, flags and key marks may change, and boxes and
    // relations may be added to the diagram.
    MGBoxSourceJob();
    // Waits for the texts (a failure is lost here: call Finish to see it).
    ~MGBoxSourceJob();
    MGBoxSourceJob(const MGBoxSourceJob&) = delete;
    MGBoxSourceJob& operator=(const MGBoxSourceJob&) = delete;

    // Waits until every box has its text; rethrows what the writing threw.
    void Finish();

private:
    std::vector<MGShapeTable*> boxes_;
    std::shared_ptr<const MGReferencedKeyScope::Index> keys_;
    std::future<void> done_;
};
