// The SQL source texts of the boxes, written on the worker thread while the
// design loader prepares the diagram (legend, flags, font, layout,
// relations): on a schema of tens of thousands of tables the texts take
// about as long as those steps, and neither depends on the other. What is
// left when the loader is done, its thread writes too.
#pragma once

#include <memory>
#include <vector>

#include "outputs/sql_script.h"
#include "platform/worker_thread.h"

class MGShapeTable;

class MGBoxSourceJob {
public:
    // Takes the table and view boxes of the current diagram and an index of
    // their keys, then starts writing. Until Finish() the boxes' rows, names
    // and keys must not change and their source texts must not be read;
    // their sizes, positions, flags and key marks may change, and boxes and
    // relations may be added to the diagram.
    MGBoxSourceJob();
    // Unless finished, stops writing and waits for the texts under way.
    ~MGBoxSourceJob() = default;
    MGBoxSourceJob(const MGBoxSourceJob&) = delete;
    MGBoxSourceJob& operator=(const MGBoxSourceJob&) = delete;

    // Writes the texts the worker has not begun and waits for the rest;
    // rethrows what the writing threw.
    void Finish();

private:
    // Writes the texts of one run of boxes.
    void WriteRun(std::size_t run) const;

    std::vector<MGShapeTable*> boxes_;
    std::shared_ptr<const MGReferencedKeyScope::Index> keys_;
    tabulorix::SharedWork work_;  // last: stopped before what it reads goes
};
